#include "view/QuantumGLView.h"

#include "ViewTestSupport.h"
#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace vxo {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

class QuantumGLViewSettings : public ::testing::Test {
protected:
    void SetUp() override { test::testApplication(); }
};

// One numeric property: its setter, where it is stored, its default and what
// a few arguments become.
struct FloatProperty {
    std::string name;
    std::function<void(QuantumGLView&, float)> set;
    std::function<float(const QuantumGLView&)> get;
    float defaultValue;
    std::vector<std::pair<float, float>> storedAs;
};

TEST_F(QuantumGLViewSettings, FloatPropertiesDefaultAndClamp)
{
    const std::vector<FloatProperty> properties{
        {"exposure",
         &QuantumGLView::setExposureEv,
         [](const QuantumGLView& v) { return v.display().exposureEv; },
         0.0f,
         {{3.5f, 3.5f}, {-7.0f, -7.0f}}},
        {"gamma",
         &QuantumGLView::setGamma,
         [](const QuantumGLView& v) { return v.display().gamma; },
         1.0f,
         {{0.0f, 0.05f}, {-2.0f, 0.05f}, {kNaN, 0.05f}, {2.2f, 2.2f}, {1.0000005f, 1.0f}, {1.00001f, 1.00001f}}},
        {"threshold",
         &QuantumGLView::setBloomThreshold,
         [](const QuantumGLView& v) { return v.display().brightThreshold; },
         0.72f,
         {{1.5f, 1.0f}, {-0.2f, 0.0f}, {kNaN, 1.0f}, {0.5f, 0.5f}}},
        {"knee",
         &QuantumGLView::setBloomSoftKnee,
         [](const QuantumGLView& v) { return v.display().softKnee; },
         0.08f,
         {{0.9f, 0.5f}, {-1.0f, 0.0f}, {kNaN, 0.5f}}},
        {"spread",
         &QuantumGLView::setBlurSpread,
         [](const QuantumGLView& v) { return v.display().blurSpread; },
         2.0f,
         {{0.1f, 0.25f}, {9.0f, 8.0f}, {kNaN, 8.0f}, {3.0f, 3.0f}}},
        {"bloom",
         &QuantumGLView::setBloomStrength,
         [](const QuantumGLView& v) { return v.display().bloomStrength; },
         1.25f,
         {{7.0f, 5.0f}, {-1.0f, 0.0f}, {kNaN, 5.0f}}},
        {"overlay opacity",
         &QuantumGLView::setPotentialOverlayOpacity,
         [](const QuantumGLView& v) { return v.overlays().potentialOverlayOpacity; },
         1.0f,
         {{2.0f, 1.0f}, {-1.0f, 0.0f}, {kNaN, 1.0f}, {0.3f, 0.3f}}},
        {"potential contour opacity",
         &QuantumGLView::setPotentialContourOpacity,
         [](const QuantumGLView& v) { return v.overlays().potentialContourOpacity; },
         0.8f,
         {{2.0f, 1.0f}, {-1.0f, 0.0f}, {kNaN, 1.0f}}},
        {"potential contour width",
         &QuantumGLView::setPotentialContourWidth,
         [](const QuantumGLView& v) { return v.overlays().potentialContourWidth; },
         1.35f,
         {{0.1f, 0.5f}, {9.0f, 4.0f}, {kNaN, 4.0f}}},
        {"probability contour opacity",
         &QuantumGLView::setProbabilityContourOpacity,
         [](const QuantumGLView& v) { return v.overlays().probabilityContourOpacity; },
         0.82f,
         {{2.0f, 1.0f}, {-1.0f, 0.0f}, {kNaN, 1.0f}}},
        {"probability contour width",
         &QuantumGLView::setProbabilityContourWidth,
         [](const QuantumGLView& v) { return v.overlays().probabilityContourWidth; },
         1.1f,
         {{0.1f, 0.5f}, {9.0f, 4.0f}, {kNaN, 4.0f}}},
        {"arrow scale",
         &QuantumGLView::setCurrentScale,
         [](const QuantumGLView& v) { return v.overlays().currentScale; },
         1.0f,
         {{0.01f, 0.1f}, {9.0f, 5.0f}, {kNaN, 5.0f}}},
        {"marker size",
         &QuantumGLView::setMeasurementMarkerSize,
         [](const QuantumGLView& v) { return v.overlays().markerSize; },
         3.0f,
         {{0.5f, 1.0f}, {20.0f, 12.0f}, {kNaN, 12.0f}}},
    };
    for (const FloatProperty& p : properties) {
        QuantumGLView defaults;
        EXPECT_EQ(p.get(defaults), p.defaultValue) << p.name;
        for (const auto& [argument, stored] : p.storedAs) {
            QuantumGLView view;
            p.set(view, argument);
            EXPECT_EQ(p.get(view), stored) << p.name << " given " << argument;
        }
    }
}

struct IntProperty {
    std::string name;
    std::function<void(QuantumGLView&, std::int64_t)> set;
    std::function<std::int64_t(const QuantumGLView&)> get;
    std::int64_t defaultValue;
    std::vector<std::pair<std::int64_t, std::int64_t>> storedAs;
};

TEST_F(QuantumGLViewSettings, IntegerAndEnumeratedPropertiesDefaultAndClamp)
{
    auto u32 = [](std::int64_t v) { return static_cast<std::uint32_t>(v); };
    auto i32 = [](std::int64_t v) { return static_cast<std::int32_t>(v); };
    const std::vector<IntProperty> properties{
        {"palette",
         [&](QuantumGLView& v, std::int64_t a) { v.setPalette(u32(a)); },
         [](const QuantumGLView& v) { return v.display().palette; },
         0,
         {{2, 2}, {9, 9}}},
        {"display scale",
         [&](QuantumGLView& v, std::int64_t a) { v.setDisplayScale(u32(a)); },
         [](const QuantumGLView& v) { return v.display().displayScale; },
         0,
         {{1, 1}, {5, 5}}},
        {"post preview",
         [&](QuantumGLView& v, std::int64_t a) { v.setPostPreview(u32(a)); },
         [](const QuantumGLView& v) { return v.display().postPreview; },
         0,
         {{3, 3}, {8, 8}}},
        {"tone map",
         [&](QuantumGLView& v, std::int64_t a) { v.setToneMapOperator(u32(a)); },
         [](const QuantumGLView& v) { return v.display().toneMapOperator; },
         2,
         {{0, 0}, {4, 4}}},
        {"current mode",
         [&](QuantumGLView& v, std::int64_t a) { v.setCurrentMode(u32(a)); },
         [](const QuantumGLView& v) { return v.overlays().currentMode; },
         1,
         {{0, 0}, {6, 6}}},
        {"seed spacing",
         [&](QuantumGLView& v, std::int64_t a) { v.setCurrentSpacing(i32(a)); },
         [](const QuantumGLView& v) { return v.overlays().currentSpacing; },
         42,
         {{5, 12}, {-40, 12}, {500, 120}, {30, 30}}},
        {"streamline length",
         [&](QuantumGLView& v, std::int64_t a) { v.setStreamlineLength(i32(a)); },
         [](const QuantumGLView& v) { return v.overlays().streamlineLength; },
         240,
         {{1000, 800}, {10, 60}, {300, 300}}},
        {"edit tool",
         [&](QuantumGLView& v, std::int64_t a) { v.setEditTool(u32(a)); },
         [](const QuantumGLView& v) { return v.editor().tool; },
         0,
         {{1, 1}, {3, 3}}},
    };
    for (const IntProperty& p : properties) {
        QuantumGLView defaults;
        EXPECT_EQ(p.get(defaults), p.defaultValue) << p.name;
        for (const auto& [argument, stored] : p.storedAs) {
            QuantumGLView view;
            p.set(view, argument);
            EXPECT_EQ(p.get(view), stored) << p.name << " given " << argument;
        }
    }
}

TEST_F(QuantumGLViewSettings, RemainingDefaults)
{
    const QuantumGLView view;
    const QuantumOverlaySettings& o = view.overlays();
    EXPECT_TRUE(o.potentialOverlayVisible);
    EXPECT_TRUE(o.potentialContoursVisible);
    EXPECT_TRUE(o.probabilityContoursVisible);
    EXPECT_TRUE(o.currentVisible);
    EXPECT_TRUE(o.markersVisible);
    EXPECT_FALSE(o.detectorVisible);
    EXPECT_EQ(o.detectorX, 8.0f);
    EXPECT_EQ(o.detectorThickness, 0.32f);
    EXPECT_EQ(o.detectorBins, 64);
    EXPECT_TRUE(o.detectorReferenceVisible);
    EXPECT_TRUE(o.sectionVisible);
    EXPECT_EQ(o.sectionOrientation, 0u);
    EXPECT_EQ(o.sectionCoordinate, 0.0f);
    EXPECT_EQ(view.display().viewMode, 0u);
    EXPECT_FALSE(view.editor().enabled);
    EXPECT_FALSE(view.editor().dragging);
    EXPECT_EQ(view.geometry().navigation.zoom, 1.0f);
    EXPECT_EQ(view.geometry().navigation.panX, 0.0f);
    EXPECT_EQ(view.geometry().worldExtentX, 0.0f);
    EXPECT_TRUE(view.potentialContours().levels.empty());
    EXPECT_FALSE(view.potentialContours().binary);
    EXPECT_EQ(view.probabilityContours().spacingMode, 1);
    EXPECT_EQ(view.probabilityContours().decades, 4.0f);
    EXPECT_EQ(view.probabilityContours().stride, 1u);
    EXPECT_TRUE(view.currentField().isEmpty());
    EXPECT_TRUE(view.measurementMarkers().empty());
    EXPECT_TRUE(QuantumTextureFrame2D::isIncomplete(view.frame()));
    EXPECT_FALSE(view.isGlReady());

    EXPECT_EQ(view.sizeHint(), QSize(800, 600));
    EXPECT_EQ(view.minimumSizeHint(), QSize(320, 240));
    EXPECT_EQ(view.focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(view.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    EXPECT_EQ(view.sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
    EXPECT_EQ(
        view.toolTip(),
        QStringLiteral("Mouse wheel: zoom around cursor | Middle-drag: pan | Home or middle double-click: reset view"));
}

TEST_F(QuantumGLViewSettings, DetectorAndSectionSettersClampTheirParts)
{
    QuantumGLView view;
    view.setDetector(-3.0f, 0.0f, 4);
    EXPECT_EQ(view.overlays().detectorX, -3.0f);
    EXPECT_EQ(view.overlays().detectorThickness, 0.01f);
    EXPECT_EQ(view.overlays().detectorBins, 8);
    view.setDetector(1.0f, kNaN, 1000);
    EXPECT_EQ(view.overlays().detectorThickness, 0.01f);
    EXPECT_EQ(view.overlays().detectorBins, 256);
    view.setDetector(2.0f, 0.5f, 100);
    EXPECT_EQ(view.overlays().detectorThickness, 0.5f);
    EXPECT_EQ(view.overlays().detectorBins, 100);

    view.setCrossSectionLine(1, -2.5f);
    EXPECT_EQ(view.overlays().sectionOrientation, 1u);
    EXPECT_EQ(view.overlays().sectionCoordinate, -2.5f);

    view.setDetectorDistribution({1.0, 2.0}, false);
    view.clearDetectorDistribution();
    EXPECT_TRUE(view.detectorDistribution().empty());
    EXPECT_FALSE(view.overlays().detectorReferenceVisible); // kept by the clear
}

TEST_F(QuantumGLViewSettings, ClearOperationsRestoreTheEmptySets)
{
    QuantumGLView view;
    ProbabilityContourSet probability;
    probability.levels = {0.1f};
    probability.spacingMode = 0;
    probability.decades = 2.0f;
    probability.stride = 3;
    probability.maxProbability = 1.0f;
    view.setProbabilityContours(probability);
    EXPECT_EQ(view.probabilityContours().stride, 3u);
    view.clearProbabilityContours();
    EXPECT_TRUE(view.probabilityContours().levels.empty());
    EXPECT_EQ(view.probabilityContours().spacingMode, 1);
    EXPECT_EQ(view.probabilityContours().decades, 4.0f);
    EXPECT_EQ(view.probabilityContours().stride, 1u);
    EXPECT_EQ(view.probabilityContours().maxProbability, 0.0f);

    PotentialContourSet potential;
    potential.levels = {1.0f};
    potential.minimum = -1.0f;
    potential.maximum = 2.0f;
    potential.binary = true;
    view.setPotentialContours(potential);
    view.clearPotentialContours();
    EXPECT_TRUE(view.potentialContours().levels.empty());
    EXPECT_EQ(view.potentialContours().minimum, 0.0f);
    EXPECT_EQ(view.potentialContours().maximum, 0.0f);
    EXPECT_FALSE(view.potentialContours().binary);

    view.setMeasurementMarkers({{1.0f, 2.0f}, {3.0f, -4.0f}});
    ASSERT_EQ(view.measurementMarkers().size(), 2u);
    EXPECT_EQ(view.measurementMarkers()[1].y, -4.0f);
    view.clearMeasurementMarkers();
    EXPECT_TRUE(view.measurementMarkers().empty());
}

TEST_F(QuantumGLViewSettings, FrameStoresExtentAndRejectsAMismatchedPotential)
{
    QuantumGLView view;
    ComplexField2D psi(64, 32, 0.25f, 0.5f);
    psi.fill(Complex(1.0f, 0.0f));
    view.setFrame(psi, PotentialField2D(), 1);
    EXPECT_EQ(view.frame().width, 64u);
    EXPECT_EQ(view.display().viewMode, 1u);
    EXPECT_EQ(view.geometry().worldExtentX, 16.0f);
    EXPECT_EQ(view.geometry().worldExtentY, 16.0f);
    EXPECT_EQ(view.geometry().navigation.viewExtentX, 16.0f);
    EXPECT_EQ(view.geometry().cellDx, 0.25f);
    EXPECT_EQ(view.geometry().cellDy, 0.5f);

    ComplexField2D other(32, 64, 0.25f, 0.5f);
    const PotentialField2D wrong(64, 32, 0.25f, 0.5f);
    EXPECT_THROW(view.setFrame(other, wrong, 2), std::invalid_argument);
    EXPECT_EQ(view.frame().width, 64u);
    EXPECT_EQ(view.display().viewMode, 1u);
    EXPECT_EQ(view.geometry().worldExtentY, 16.0f);
    EXPECT_EQ(view.geometry().cellDy, 0.5f);

    // An empty wave function is accepted and leaves an incomplete frame of no extent.
    view.setFrame(ComplexField2D(), PotentialField2D(), 0);
    EXPECT_TRUE(QuantumTextureFrame2D::isIncomplete(view.frame()));
    EXPECT_EQ(view.geometry().navigation.viewExtentX, 0.0f);
}

TEST_F(QuantumGLViewSettings, EditModeSetsTheCursor)
{
    QuantumGLView view;
    view.setViewportEditEnabled(true);
    EXPECT_TRUE(view.editor().enabled);
    EXPECT_EQ(view.cursor().shape(), Qt::CrossCursor);
    view.setViewportEditEnabled(false);
    EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
}

} // namespace
} // namespace vxo
