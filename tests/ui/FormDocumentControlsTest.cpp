// The controls that experiment documents store under their object names. A
// document holds combo boxes by index and is refused when an index lies
// outside the box's items, so names, classes and item counts are file format.

#include "FormTestSupport.h"

#include <QComboBox>

#include <gtest/gtest.h>

#include <vector>

namespace vxo::test {
namespace {

struct DocumentControl {
    const char* name;
    const char* className;
    int items; // combo boxes only
};

// In the order in which a document captures, validates and applies them.
const std::vector<DocumentControl>& documentControls()
{
    static const char* const kDouble = "QDoubleSpinBox";
    static const char* const kInteger = "QSpinBox";
    static const char* const kCombo = "QComboBox";
    static const char* const kCheck = "QCheckBox";
    static const std::vector<DocumentControl> controls = {
        {"speedComboBox", kCombo, 7},
        {"universeWidthSpinBox", kDouble, 0},
        {"universeHeightSpinBox", kDouble, 0},
        {"gridResolutionComboBox", kCombo, 3},
        {"boundaryModeComboBox", kCombo, 2},
        {"absorbingWidthSpinBox", kDouble, 0},
        {"absorbingStrengthSpinBox", kDouble, 0},
        {"geometryComboBox", kCombo, 12},
        {"viewportEditToolComboBox", kCombo, 2},
        {"rectangleV0SpinBox", kDouble, 0},
        {"rectangleCenterXSpinBox", kDouble, 0},
        {"rectangleCenterYSpinBox", kDouble, 0},
        {"rectangleWidthSpinBox", kDouble, 0},
        {"rectangleHeightSpinBox", kDouble, 0},
        {"circleV0SpinBox", kDouble, 0},
        {"circleCenterXSpinBox", kDouble, 0},
        {"circleCenterYSpinBox", kDouble, 0},
        {"circleRadiusSpinBox", kDouble, 0},
        {"barrierV0SpinBox", kDouble, 0},
        {"barrierCenterXSpinBox", kDouble, 0},
        {"barrierCenterYSpinBox", kDouble, 0},
        {"barrierLengthSpinBox", kDouble, 0},
        {"barrierThicknessSpinBox", kDouble, 0},
        {"singleSlitV0SpinBox", kDouble, 0},
        {"singleSlitCenterXSpinBox", kDouble, 0},
        {"singleSlitWallWidthSpinBox", kDouble, 0},
        {"singleSlitCenterYSpinBox", kDouble, 0},
        {"singleSlitHeightSpinBox", kDouble, 0},
        {"doubleSlitV0SpinBox", kDouble, 0},
        {"doubleSlitCenterXSpinBox", kDouble, 0},
        {"doubleSlitWallWidthSpinBox", kDouble, 0},
        {"doubleSlitCenterYSpinBox", kDouble, 0},
        {"doubleSlitSeparationSpinBox", kDouble, 0},
        {"doubleSlitHeightSpinBox", kDouble, 0},
        {"polygonV0SpinBox", kDouble, 0},
        {"polygonCenterXSpinBox", kDouble, 0},
        {"polygonCenterYSpinBox", kDouble, 0},
        {"polygonWidthSpinBox", kDouble, 0},
        {"polygonHeightSpinBox", kDouble, 0},
        {"gaussianAmplitudeSpinBox", kDouble, 0},
        {"gaussianCenterXSpinBox", kDouble, 0},
        {"gaussianCenterYSpinBox", kDouble, 0},
        {"gaussianSigmaXSpinBox", kDouble, 0},
        {"gaussianSigmaYSpinBox", kDouble, 0},
        {"harmonicOffsetSpinBox", kDouble, 0},
        {"harmonicCenterXSpinBox", kDouble, 0},
        {"harmonicCenterYSpinBox", kDouble, 0},
        {"harmonicKxSpinBox", kDouble, 0},
        {"harmonicKySpinBox", kDouble, 0},
        {"linearOffsetSpinBox", kDouble, 0},
        {"linearCenterXSpinBox", kDouble, 0},
        {"linearCenterYSpinBox", kDouble, 0},
        {"linearSlopeXSpinBox", kDouble, 0},
        {"linearSlopeYSpinBox", kDouble, 0},
        {"radialCouplingSpinBox", kDouble, 0},
        {"radialCenterXSpinBox", kDouble, 0},
        {"radialCenterYSpinBox", kDouble, 0},
        {"radialSofteningSpinBox", kDouble, 0},
        {"centerXSpinBox", kDouble, 0},
        {"centerYSpinBox", kDouble, 0},
        {"sigmaSpinBox", kDouble, 0},
        {"momentumSpinBox", kDouble, 0},
        {"momentumYSpinBox", kDouble, 0},
        {"massSpinBox", kDouble, 0},
        {"measurementShotsComboBox", kCombo, 5},
        {"measurementVisibleCheckBox", kCheck, 0},
        {"measurementPointSizeSpinBox", kDouble, 0},
        {"measurementModeComboBox", kCombo, 3},
        {"detectorXSpinBox", kDouble, 0},
        {"detectorThicknessSpinBox", kDouble, 0},
        {"detectorBinsSpinBox", kInteger, 0},
        {"detectorVisibleCheckBox", kCheck, 0},
        {"detectorReferenceCheckBox", kCheck, 0},
        {"spaceComboBox", kCombo, 2},
        {"viewComboBox", kCombo, 4},
        {"paletteComboBox", kCombo, 3},
        {"potentialOverlayCheckBox", kCheck, 0},
        {"potentialOverlayOpacitySpinBox", kDouble, 0},
        {"potentialContoursCheckBox", kCheck, 0},
        {"potentialContourLevelsSpinBox", kInteger, 0},
        {"potentialContourWidthSpinBox", kDouble, 0},
        {"potentialContourOpacitySpinBox", kDouble, 0},
        {"probabilityContoursCheckBox", kCheck, 0},
        {"probabilityContourSpacingComboBox", kCombo, 2},
        {"probabilityContourLevelsSpinBox", kInteger, 0},
        {"probabilityContourDecadesSpinBox", kDouble, 0},
        {"probabilityContourWidthSpinBox", kDouble, 0},
        {"probabilityContourOpacitySpinBox", kDouble, 0},
        {"currentOverlayCheckBox", kCheck, 0},
        {"currentModeComboBox", kCombo, 3},
        {"currentSpacingSpinBox", kInteger, 0},
        {"currentScaleSpinBox", kDouble, 0},
        {"streamlineLengthSpinBox", kInteger, 0},
        {"graphicsPresetComboBox", kCombo, 4},
        {"displayScaleComboBox", kCombo, 2},
        {"exposureSpinBox", kDouble, 0},
        {"gammaSpinBox", kDouble, 0},
        {"postPreviewComboBox", kCombo, 4},
        {"brightThresholdSpinBox", kDouble, 0},
        {"brightKneeSpinBox", kDouble, 0},
        {"blurSpreadSpinBox", kDouble, 0},
        {"bloomStrengthSpinBox", kDouble, 0},
        {"toneMapComboBox", kCombo, 3},
        {"crossSectionAxisComboBox", kCombo, 2},
        {"crossSectionPositionSpinBox", kDouble, 0},
        {"crossSectionCurveComboBox", kCombo, 4},
        {"crossSectionLineCheckBox", kCheck, 0},
        {"timeSeriesQuantityComboBox", kCombo, 14},
    };
    return controls;
}

TEST(FormDocumentControlsTest, StoredControlsExistWithTheirClassItemCountAndALoadableDefault)
{
    BareForm form;
    ASSERT_EQ(documentControls().size(), 108u);
    for (const DocumentControl& row : documentControls()) {
        const QObject* control = form.find(row.name);
        ASSERT_NE(control, nullptr) << row.name << " is missing: every document would be refused";
        ASSERT_STREQ(control->metaObject()->className(), row.className) << row.name;
        // The fresh form must itself make a document that loads again.
        if (const auto* combo = qobject_cast<const QComboBox*>(control)) {
            EXPECT_EQ(combo->count(), row.items) << row.name;
            EXPECT_TRUE(combo->currentIndex() >= 0 && combo->currentIndex() < combo->count())
                << row.name << " starts at index " << combo->currentIndex();
        }
    }
}

} // namespace
} // namespace vxo::test
