#pragma once

// The twelve pages of the form's geometry page, each with non-default values
// inside its spin boxes' ranges and the core painter call those values stand
// for, its arguments worked out by hand. Shared by the tests of the page on a
// bare form and in the whole window.

#include "core/PotentialField2D.h"

#include <functional>
#include <utility>
#include <vector>

namespace vxo::test {

// One page: its values by spin box and the painter call its kind makes, with
// the arguments worked out by hand.
struct PageRow {
    int index;
    std::vector<std::pair<const char*, double>> values;
    std::function<void(PotentialField2D&)> paint;
};

inline const std::vector<PageRow>& pageRows()
{
    static const std::vector<PageRow> rows = {
        {0, {}, [](PotentialField2D&) {}},
        {1,
         {{"rectangleV0SpinBox", 6.5},
          {"rectangleCenterXSpinBox", 1.2},
          {"rectangleCenterYSpinBox", -0.8},
          {"rectangleWidthSpinBox", 3.3},
          {"rectangleHeightSpinBox", 1.7}},
         [](PotentialField2D& f) { f.addRectangle(1.2f, -0.8f, 3.3f, 1.7f, 6.5f); }},
        {2,
         {{"circleV0SpinBox", 7.25},
          {"circleCenterXSpinBox", -1.1},
          {"circleCenterYSpinBox", 0.9},
          {"circleRadiusSpinBox", 1.85}},
         [](PotentialField2D& f) { f.addCircle(-1.1f, 0.9f, 1.85f, 7.25f); }},
        // A vertical segment from y = 0.5 - 2.25 to y = 0.5 + 2.25.
        {3,
         {{"barrierV0SpinBox", 4.5},
          {"barrierCenterXSpinBox", 0.3},
          {"barrierCenterYSpinBox", 0.5},
          {"barrierLengthSpinBox", 4.5},
          {"barrierThicknessSpinBox", 0.64}},
         [](PotentialField2D& f) { f.addBarrier(0.3f, -1.75f, 0.3f, 2.75f, 0.64f, 4.5f); }},
        {4,
         {{"singleSlitV0SpinBox", 8.25},
          {"singleSlitCenterXSpinBox", 0.6},
          {"singleSlitCenterYSpinBox", -0.7},
          {"singleSlitWallWidthSpinBox", 0.44},
          {"singleSlitHeightSpinBox", 1.35}},
         [](PotentialField2D& f) { f.addSingleSlit(0.6f, 0.44f, -0.7f, 1.35f, 8.25f); }},
        {5,
         {{"doubleSlitV0SpinBox", 9.5},
          {"doubleSlitCenterXSpinBox", -0.9},
          {"doubleSlitCenterYSpinBox", 0.4},
          {"doubleSlitWallWidthSpinBox", 0.36},
          {"doubleSlitSeparationSpinBox", 2.6},
          {"doubleSlitHeightSpinBox", 0.85}},
         [](PotentialField2D& f) { f.addDoubleSlit(-0.9f, 0.36f, 0.4f, 2.6f, 0.85f, 9.5f); }},
        // Tip on the left, base on the right.
        {6,
         {{"polygonV0SpinBox", 5.75},
          {"polygonCenterXSpinBox", -0.45},
          {"polygonCenterYSpinBox", 0.0},
          {"polygonWidthSpinBox", 2.3},
          {"polygonHeightSpinBox", 4.4}},
         [](PotentialField2D& f) {
             f.addPolygon(std::vector<PotentialField2D::Vertex>{{-1.6f, 0.0f}, {0.7f, -2.2f}, {0.7f, 2.2f}}, 5.75f);
         }},
        {7,
         {{"gaussianAmplitudeSpinBox", -4.25},
          {"gaussianCenterXSpinBox", 1.5},
          {"gaussianCenterYSpinBox", -0.75},
          {"gaussianSigmaXSpinBox", 2.25},
          {"gaussianSigmaYSpinBox", 1.125}},
         [](PotentialField2D& f) { f.addGaussian(1.5f, -0.75f, 2.25f, 1.125f, -4.25f); }},
        {8,
         {{"harmonicOffsetSpinBox", 0.5},
          {"harmonicCenterXSpinBox", -1.25},
          {"harmonicCenterYSpinBox", 0.75},
          {"harmonicKxSpinBox", 0.42},
          {"harmonicKySpinBox", 0.18}},
         [](PotentialField2D& f) { f.addHarmonic(-1.25f, 0.75f, 0.5f, 0.42f, 0.18f); }},
        {9,
         {{"linearOffsetSpinBox", -1.5},
          {"linearCenterXSpinBox", 0.5},
          {"linearCenterYSpinBox", 1.0},
          {"linearSlopeXSpinBox", 0.35},
          {"linearSlopeYSpinBox", -0.15}},
         [](PotentialField2D& f) { f.addLinear(0.5f, 1.0f, -1.5f, 0.35f, -0.15f); }},
        {10,
         {{"radialCouplingSpinBox", -3.5},
          {"radialCenterXSpinBox", 0.75},
          {"radialCenterYSpinBox", -0.25},
          {"radialSofteningSpinBox", 0.65}},
         [](PotentialField2D& f) { f.addSoftenedRadial(0.75f, -0.25f, -3.5f, 0.65f); }},
        {11,
         {{"stadiumV0SpinBox", 120.5},
          {"stadiumCenterXSpinBox", 0.3},
          {"stadiumCenterYSpinBox", -0.45},
          {"stadiumStraightSpinBox", 6.5},
          {"stadiumRadiusSpinBox", 2.75}},
         [](PotentialField2D& f) { f.addStadiumExterior(0.3f, -0.45f, 6.5f, 2.75f, 120.5f); }},
    };
    return rows;
}

} // namespace vxo::test
