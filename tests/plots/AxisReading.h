#pragma once

// An axis as a class reads it off a painted plot: the numbers written beside
// a panel, each at the pixel of its centre, and the value of any pixel on the
// straight line through the outermost two.

#include "PaintedTexts.h"

#include <QRectF>

#include <utility>
#include <vector>

namespace vxo::test {

// Where an axis's numbers stand: left of the panel, right of it, or in the
// line under it.
enum class NumbersAt { Left, Right, Under };

struct AxisReading {
    std::vector<std::pair<double, double>> marks; // (pixel, value), in painting order

    // NaN with fewer than two marks, or with two on one pixel.
    double valueAt(double pixel) const;
    double pixelOf(double value) const;
};

// The numbers painted where `at` says, read as numbers: a row of numbers
// beside the panel between its top and bottom (a little over), ending or
// starting within 12 pixels of its edge, or the line of numbers within
// `below` pixels under it.
AxisReading readAxis(const std::vector<PaintedText>& texts, const QRectF& panel, NumbersAt at, double below = 22.0);

// The step between an axis's numbers when, in order of value, they are the
// multiples of one round step (1, 2, 2.5 or 5 times a power of ten) one step
// apart, as a class counts along an axis; NaN otherwise, or with fewer than
// two numbers.
double roundStep(const AxisReading& axis);

} // namespace vxo::test
