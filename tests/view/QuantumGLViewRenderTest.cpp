#include "view/QuantumGLView.h"

#include "ViewTestSupport.h"
#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"
#include "view/ContourExtraction.h"

#include <QApplication>
#include <QSurfaceFormat>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <memory>

namespace vxo {
namespace {

using test::brightestPixel;
using test::channelSum;
using test::litBoundingBox;
using test::renderedImage;
using test::sampledField;
using test::settle;
using test::showAndWait;

// Counts the paints the toolkit asks for.
class CountingView : public QuantumGLView {
public:
    int paints = 0;

protected:
    void paintGL() override
    {
        ++paints;
        QuantumGLView::paintGL();
    }
};

class QuantumGLViewRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::testApplication();
        ASSERT_TRUE(test::displayAvailable()) << test::kNeedsDisplay;
    }

    // A widget of the given size, shown and initialised.
    template <typename View = QuantumGLView>
    std::unique_ptr<View> shownView(int width, int height)
    {
        auto view = std::make_unique<View>();
        view->setCrossSectionLineVisible(false); // painted over the centre row by default
        view->resize(width, height);
        EXPECT_TRUE(showAndWait(*view));
        EXPECT_TRUE(view->isGlReady());
        return view;
    }
};

// A Gaussian spot of width sigma at (x0, y0), carrying a phase k x.
ComplexField2D spot(std::uint64_t nx, std::uint64_t ny, float dx, float dy, double x0, double y0, double sigma,
                    double k = 0.0)
{
    return sampledField(nx, ny, dx, dy, [=](double x, double y) {
        const double r2 = (x - x0) * (x - x0) + (y - y0) * (y - y0);
        const double a = std::exp(-r2 / (4.0 * sigma * sigma));
        return Complex(static_cast<float>(a * std::cos(k * x)), static_cast<float>(a * std::sin(k * x)));
    });
}

// Intensity-weighted centre of the pixels brighter than half the maximum.
QPointF brightCentroid(const QImage& image)
{
    const int peak = brightestPixel(image).value;
    double sx = 0.0;
    double sy = 0.0;
    double sw = 0.0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int v = channelSum(image.pixel(x, y));
            if (v * 2 > peak) {
                sx += (x + 0.5) * v;
                sy += (y + 0.5) * v;
                sw += v;
            }
        }
    return sw > 0.0 ? QPointF(sx / sw, sy / sw) : QPointF(-1.0, -1.0);
}

double differingFraction(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 1.0;
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 6)
                ++differing;
        }
    return static_cast<double>(differing) / (a.width() * a.height());
}

// The picture after each of set(0) .. set(count - 1); each must have a pixel
// brighter than minBrightness.
template <typename Set>
std::vector<QImage> renderEach(QuantumGLView& view, std::uint32_t count, Set set, int minBrightness, const char* what)
{
    std::vector<QImage> images;
    for (std::uint32_t k = 0; k < count; ++k) {
        set(k);
        images.push_back(renderedImage(view));
        EXPECT_GT(brightestPixel(images.back()).value, minBrightness) << what << " " << k;
    }
    return images;
}

// Every two of the images differ in more than the given fraction of pixels.
void expectPairwiseDistinct(const std::vector<QImage>& images, double fraction, const char* what)
{
    for (std::size_t a = 0; a < images.size(); ++a)
        for (std::size_t b = a + 1; b < images.size(); ++b)
            EXPECT_GT(differingFraction(images[a], images[b]), fraction) << what << " " << a << " and " << b;
}

TEST_F(QuantumGLViewRender, SpotAppearsWhereItsPhysicalCoordinatesPutIt)
{
    auto view = shownView(400, 300);
    // 128 x 64 cells of 0.25 x 0.3: a 32 x 19.2 domain, drawn 400 x 240 (its physical shape) in the
    // middle of the widget.
    view->setFrame(spot(128, 64, 0.25f, 0.3f, 6.0, 3.0, 0.6), PotentialField2D(), 0);
    const QImage image = renderedImage(*view);
    ASSERT_EQ(image.size(), QSize(400, 300));
    const QPointF centre = brightCentroid(image);
    EXPECT_NEAR(centre.x(), 400.0 * (6.0 / 32.0 + 0.5), 1.5);
    EXPECT_NEAR(centre.y(), 30.0 + 240.0 * (0.5 - 3.0 / 19.2), 1.5);
    EXPECT_NEAR(view->imageRect().top(), 30.0, 1e-4);
    EXPECT_NEAR(view->imageRect().height(), 240.0, 1e-4);

    // Frames of another height at the same width, then of another width at the
    // same height: each shows its own spot, so its textures took its new size.
    struct Frame {
        std::uint64_t nx, ny;
        double x0, y0;
    };
    for (const Frame& f : {Frame{128, 96, -5.0, -6.0}, Frame{96, 96, 4.0, 8.0}, Frame{96, 64, -7.0, 2.0}}) {
        view->setFrame(spot(f.nx, f.ny, 0.25f, 0.3f, f.x0, f.y0, 0.6), PotentialField2D(), 0);
        const QPointF moved = brightCentroid(renderedImage(*view));
        const QPointF expected = view->worldToWidget(static_cast<float>(f.x0), static_cast<float>(f.y0));
        EXPECT_NEAR(moved.x(), expected.x(), 1.5) << f.nx << " x " << f.ny;
        EXPECT_NEAR(moved.y(), expected.y(), 1.5) << f.nx << " x " << f.ny;
    }
}

TEST_F(QuantumGLViewRender, ZoomedPictureAgreesWithTheOverlayMapping)
{
    // Zoomed about a point off both axes, so that the pan differs on x and y:
    // the spot lies where the overlays would put its centre.
    auto view = shownView(400, 300);
    view->setFrame(spot(128, 64, 0.25f, 0.3f, 6.0, 3.0, 0.6), PotentialField2D(), 0);
    renderedImage(*view);
    const QPointF cursor(300.0, 110.0);
    QWheelEvent wheel(cursor, view->mapToGlobal(cursor.toPoint()), QPoint(), QPoint(0, 480), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.get(), &wheel);
    const ViewNavigation& nav = view->geometry().navigation;
    ASSERT_GT(nav.zoom, 1.5f);
    ASSERT_NE(nav.panX, nav.panY);
    const QPointF expected = view->worldToWidget(6.0f, 3.0f);
    const QPointF centre = brightCentroid(renderedImage(*view));
    EXPECT_NEAR(centre.x(), expected.x(), 2.0);
    EXPECT_NEAR(centre.y(), expected.y(), 2.0);
}

TEST_F(QuantumGLViewRender, LetterboxKeepsTheAspectRatio)
{
    auto view = shownView(400, 300);
    struct Case {
        std::uint64_t nx, ny;
        QRect lit;
    };
    // A uniform density lights the whole image and nothing else; on cells of
    // 0.25 x 0.4 the image has the domain's physical shape, not the cell counts':
    // 32 x 16, 16 x 32 and 20 x 20.
    for (const Case& c : {Case{128, 40, QRect(0, 50, 400, 200)}, Case{64, 80, QRect(125, 0, 150, 300)},
                          Case{80, 50, QRect(50, 0, 300, 300)}}) {
        ComplexField2D psi(c.nx, c.ny, 0.25f, 0.4f);
        psi.fill(Complex(1.0f, 0.0f));
        view->setFrame(psi, PotentialField2D(), 0);
        const QImage image = renderedImage(*view);
        EXPECT_EQ(litBoundingBox(image, 30), c.lit) << c.nx << " x " << c.ny;
    }
}

// Where the letterbox margins are odd the picture still lies where the view's
// mapping puts it: the image rectangle is the lit pixels, to the pixel.
TEST_F(QuantumGLViewRender, TheImageRectangleIsWhereThePictureIsDrawn)
{
    struct Case {
        int width, height;
        std::uint64_t nx, ny;
    };
    // 20 x 20 on cells of 0.25 x 0.4 in a widget 401 wide (a 101 pixel
    // margin) and in one 301 high; 32 x 16 in a widget 401 wide (200.5
    // pixels high when fitted unrounded).
    for (const Case& c : {Case{401, 300, 80, 50}, Case{300, 301, 80, 50}, Case{401, 301, 128, 40}}) {
        auto view = shownView(c.width, c.height);
        ComplexField2D psi(c.nx, c.ny, 0.25f, 0.4f);
        psi.fill(Complex(1.0f, 0.0f));
        view->setFrame(psi, PotentialField2D(), 0);
        const QImage image = renderedImage(*view);
        ASSERT_EQ(image.size(), QSize(c.width, c.height)) << "a device pixel ratio other than 1";
        const QRectF mapped = view->imageRect();
        const QRect lit = litBoundingBox(image, 30);
        const std::string at = std::to_string(c.width) + " x " + std::to_string(c.height);
        EXPECT_DOUBLE_EQ(mapped.left(), lit.left()) << at;
        EXPECT_DOUBLE_EQ(mapped.top(), lit.top()) << at;
        EXPECT_DOUBLE_EQ(mapped.width(), lit.width()) << at;
        EXPECT_DOUBLE_EQ(mapped.height(), lit.height()) << at;
    }
}

TEST_F(QuantumGLViewRender, ViewModesAndToneMapsGiveDistinctImages)
{
    auto view = shownView(256, 256);
    const ComplexField2D psi = spot(64, 48, 0.25f, 0.3f, 0.0, 0.0, 1.5, 2.0);
    const std::vector<QImage> modes = renderEach(
        *view, 4, [&](std::uint32_t mode) { view->setFrame(psi, PotentialField2D(), mode); }, 150, "view mode");
    expectPairwiseDistinct(modes, 0.02, "view modes");

    // At the spot's centre the phase is 0: the real part is red, the imaginary part vanishes.
    const QRgb real = modes[2].pixel(128, 128);
    EXPECT_GT(qRed(real), 150);
    EXPECT_LT(qBlue(real), 20);
    EXPECT_LT(channelSum(modes[3].pixel(128, 128)), 60);

    view->setFrame(psi, PotentialField2D(), 0);
    const std::vector<QImage> tones = renderEach(
        *view, 3, [&](std::uint32_t op) { view->setToneMapOperator(op); }, 100, "tone map");
    expectPairwiseDistinct(tones, 0.02, "tone maps");
}

TEST_F(QuantumGLViewRender, PostPreviewSelectsTheStageShown)
{
    auto view = shownView(256, 256);
    view->setFrame(spot(64, 48, 0.25f, 0.3f, 0.0, 0.0, 1.0), PotentialField2D(), 0);
    view->setBloomStrength(5.0f);
    const std::vector<QImage> stages = renderEach(
        *view, 4, [&](std::uint32_t stage) { view->setPostPreview(stage); }, 100, "stage");
    expectPairwiseDistinct(stages, 0.01, "stages");
    // The bloom composite is never darker than the plain scene.
    EXPECT_GE(brightestPixel(stages[3]).value, brightestPixel(stages[0]).value);
}

TEST_F(QuantumGLViewRender, PotentialOverlayGreysBarriersOnly)
{
    auto view = shownView(256, 256);
    ComplexField2D psi(64, 64, 0.25f, 0.3f); // black scene
    PotentialField2D v(64, 64, 0.25f, 0.3f);
    v.addRectangle(4.0f, 0.0f, 2.0f, 16.0f, 10.0f); // a wall on the right
    view->setFrame(psi, v, 0);
    QImage image = renderedImage(*view);
    // The wall x in [3, 5] lies at pixels 256 * (3 / 16 + 0.5) .. 256 * (5 / 16 + 0.5) = 176 .. 208.
    const QRgb wall = image.pixel(192, 128);
    EXPECT_NEAR(qRed(wall), 72, 3);
    EXPECT_NEAR(qGreen(wall), 72, 3);
    EXPECT_NEAR(qBlue(wall), 72, 3);
    EXPECT_LT(channelSum(image.pixel(64, 128)), 10);

    view->setPotentialOverlayVisible(false);
    image = renderedImage(*view);
    EXPECT_LT(channelSum(image.pixel(192, 128)), 10);
}

TEST_F(QuantumGLViewRender, AnEmptyFrameStaysBlack)
{
    auto view = shownView(200, 200);
    view->setFrame(ComplexField2D(), PotentialField2D(), 0);
    EXPECT_EQ(brightestPixel(renderedImage(*view)).value, 0);
    EXPECT_TRUE(view->imageRect().isEmpty());
}

TEST_F(QuantumGLViewRender, SettersScheduleOneRepaintAndOnlyOnChange)
{
    auto view = shownView<CountingView>(200, 200);
    view->setFrame(spot(32, 24, 0.25f, 0.3f, 0.0, 0.0, 1.0), PotentialField2D(), 0);
    settle();

    view->paints = 0;
    view->setGamma(0.0f);
    view->setPalette(1);
    view->setBloomStrength(3.0f);
    view->setCurrentSpacing(30);
    settle();
    EXPECT_EQ(view->paints, 1);
    EXPECT_EQ(view->display().gamma, 0.05f);

    view->paints = 0;
    view->setGamma(0.05f);
    view->setGamma(0.0500005f);
    view->setPalette(1);
    view->setCurrentSpacing(30);
    view->setPotentialOverlayVisible(true);
    settle();
    EXPECT_EQ(view->paints, 0);

    // Every setter of a kept value: a change repaints once, the same value again not at all.
    const std::function<void(QuantumGLView&)> changes[] = {
        [](QuantumGLView& v) { v.setPalette(2); },
        [](QuantumGLView& v) { v.setGamma(1.5f); },
        [](QuantumGLView& v) { v.setBloomStrength(1.5f); },
        [](QuantumGLView& v) { v.setCurrentSpacing(60); },
        [](QuantumGLView& v) { v.setDisplayScale(1); },
        [](QuantumGLView& v) { v.setExposureEv(0.5f); },
        [](QuantumGLView& v) { v.setPostPreview(2); },
        [](QuantumGLView& v) { v.setBloomThreshold(0.5f); },
        [](QuantumGLView& v) { v.setBloomSoftKnee(0.2f); },
        [](QuantumGLView& v) { v.setBlurSpread(3.0f); },
        [](QuantumGLView& v) { v.setToneMapOperator(1); },
        [](QuantumGLView& v) { v.setPotentialOverlayVisible(false); },
        [](QuantumGLView& v) { v.setPotentialOverlayOpacity(0.5f); },
        [](QuantumGLView& v) { v.setPotentialContoursVisible(false); },
        [](QuantumGLView& v) { v.setPotentialContourOpacity(0.5f); },
        [](QuantumGLView& v) { v.setPotentialContourWidth(2.0f); },
        [](QuantumGLView& v) { v.setProbabilityContoursVisible(false); },
        [](QuantumGLView& v) { v.setProbabilityContourOpacity(0.5f); },
        [](QuantumGLView& v) { v.setProbabilityContourWidth(2.0f); },
        [](QuantumGLView& v) { v.setCurrentOverlayVisible(false); },
        [](QuantumGLView& v) { v.setCurrentMode(2); },
        [](QuantumGLView& v) { v.setCurrentScale(2.0f); },
        [](QuantumGLView& v) { v.setStreamlineLength(100); },
        [](QuantumGLView& v) { v.setMeasurementMarkersVisible(false); },
        [](QuantumGLView& v) { v.setMeasurementMarkerSize(6.0f); },
        [](QuantumGLView& v) { v.setDetectorVisible(true); },
        [](QuantumGLView& v) { v.setCrossSectionLineVisible(true); },
    };
    for (std::size_t k = 0; k < std::size(changes); ++k) {
        view->paints = 0;
        changes[k](*view);
        settle();
        EXPECT_EQ(view->paints, 1) << "setter " << k << " changing its value";
        view->paints = 0;
        changes[k](*view);
        settle();
        EXPECT_EQ(view->paints, 0) << "setter " << k << " given the same value";
    }

    // "Always" setters repaint even with the same values.
    view->paints = 0;
    view->setDetector(8.0f, 0.32f, 64);
    settle();
    EXPECT_EQ(view->paints, 1);

    // Floats that differ by more than 1e-6 are a change; by no more they are not.
    view->setExposureEv(0.0f);
    settle();
    view->paints = 0;
    view->setExposureEv(0.9e-6f);
    settle();
    EXPECT_EQ(view->paints, 0);
    view->setExposureEv(1.005e-6f);
    settle();
    EXPECT_EQ(view->paints, 1);
    EXPECT_EQ(view->display().exposureEv, 1.005e-6f);

    // A wheel notch that zooms repaints once; one at the largest zoom not at all.
    const auto notch = [&view] {
        QWheelEvent event(QPointF(100.0, 100.0), view->mapToGlobal(QPoint(100, 100)), QPoint(), QPoint(0, 120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &event);
        settle();
    };
    view->paints = 0;
    notch();
    EXPECT_EQ(view->paints, 1);
    for (int k = 0; k < 30; ++k)
        notch();
    ASSERT_FLOAT_EQ(view->geometry().navigation.zoom, kMaximumZoom);
    view->paints = 0;
    notch();
    EXPECT_EQ(view->paints, 0);
}

// A broken size check once rebuilt the five render targets on every frame.
TEST_F(QuantumGLViewRender, RenderTargetsAreRebuiltForANewSizeOnly)
{
    auto view = shownView<CountingView>(300, 200);
    view->setFrame(spot(64, 32, 0.25f, 0.3f, 0.0, 0.0, 1.0), PotentialField2D(), 0);
    renderedImage(*view);
    const std::uint64_t built = view->renderTargetBuilds();
    EXPECT_GE(built, 1u);
    view->paints = 0;
    for (int k = 0; k < 3; ++k) {
        view->update();
        renderedImage(*view);
    }
    EXPECT_GE(view->paints, 3);
    EXPECT_EQ(view->renderTargetBuilds(), built) << "repaints of the same size rebuilt the targets";

    view->resize(240, 200); // image 300 x 150 becomes 240 x 120
    renderedImage(*view);
    EXPECT_EQ(view->renderTargetBuilds(), built + 1) << "a resize rebuilds the targets once";
    view->update();
    renderedImage(*view);
    EXPECT_EQ(view->renderTargetBuilds(), built + 1);
}

// Replaces one fragment shader by text that does not compile.
class BrokenShaderView : public QuantumGLView {
public:
    QuantumShaderStage broken = QuantumShaderStage::BrightPass;

protected:
    const char* fragmentShaderSource(QuantumShaderStage stage) const override
    {
        if (stage == broken)
            return "#version 330 core\nout vec4 fragColor;\nvoid main() { fragColor = undefinedThing; }\n";
        return QuantumGLView::fragmentShaderSource(stage);
    }
};

TEST_F(QuantumGLViewRender, ShaderFailureIsLoggedAndLeavesABlackView)
{
    const test::MessageCapture capture;
    auto view = std::make_unique<BrokenShaderView>();
    view->resize(200, 200);
    ASSERT_TRUE(showAndWait(*view));
    view->setFrame(spot(32, 24, 0.25f, 0.3f, 0.0, 0.0, 1.0), PotentialField2D(), 0);
    const QImage image = renderedImage(*view);
    EXPECT_FALSE(view->isGlReady());
    EXPECT_TRUE(capture.contains(QStringLiteral("QuantumGLView bright-pass shader:")))
        << capture.messages().join('\n').toStdString();
    // Building stops at the first failure: no later stage is attempted or reported.
    EXPECT_FALSE(capture.contains(QStringLiteral("QuantumGLView Gaussian-blur shader:")));
    EXPECT_FALSE(capture.contains(QStringLiteral("QuantumGLView scene shader:")));
    EXPECT_EQ(brightestPixel(image).value, 0);
}

TEST_F(QuantumGLViewRender, ReparentingKeepsThePicture)
{
    QWidget first;
    auto* layout = new QVBoxLayout(&first);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* view = new QuantumGLView;
    view->setCrossSectionLineVisible(false);
    layout->addWidget(view);
    first.resize(300, 300);
    ASSERT_TRUE(showAndWait(first));
    view->setFrame(spot(64, 48, 0.25f, 0.3f, -3.0, 2.0, 0.6), PotentialField2D(), 0);
    const QPointF before = brightCentroid(renderedImage(*view));
    ASSERT_GT(before.x(), 0.0);

    QWidget second;
    auto* otherLayout = new QVBoxLayout(&second);
    otherLayout->setContentsMargins(0, 0, 0, 0);
    second.resize(300, 300);
    ASSERT_TRUE(showAndWait(second));
    otherLayout->addWidget(view); // re-parents: a new context, initializeGL runs again
    view->show();
    settle();
    ASSERT_TRUE(view->isGlReady());
    const QImage after = renderedImage(*view);
    EXPECT_GT(brightestPixel(after).value, 150);
    const QPointF moved = brightCentroid(after);
    EXPECT_NEAR(moved.x(), before.x(), 1.5);
    EXPECT_NEAR(moved.y(), before.y(), 1.5);
}

} // namespace
} // namespace vxo

namespace vxo {
namespace {

// Runs in a fresh process (the driver is told to offer OpenGL 2.1 only, which
// has to happen before any context exists): the view logs its warning, stays
// not ready and only clears.
TEST(QuantumGLViewWithoutCoreProfile, LogsThatTheFunctionsAreUnavailable)
{
    ASSERT_TRUE(test::displayAvailable()) << test::kNeedsDisplay;
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            qputenv("MESA_GL_VERSION_OVERRIDE", "2.1");
            test::testApplication();
            QuantumGLView view;
            QSurfaceFormat legacy;
            legacy.setVersion(2, 1);
            legacy.setProfile(QSurfaceFormat::NoProfile);
            view.setFormat(legacy);
            view.resize(120, 120);
            test::showAndWait(view);
            view.setFrame(spot(16, 16, 0.5f, 0.5f, 0.0, 0.0, 1.0), PotentialField2D(), 0);
            const bool black = brightestPixel(renderedImage(view)).value == 0;
            // _Exit: the child ends with the view and the application alive on purpose.
            std::_Exit(!view.isGlReady() && black ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "QuantumGLView: OpenGL 3\\.3 core functions are unavailable");
}

} // namespace
} // namespace vxo
