#pragma once

#include "plots/PlotFrame.h"

#include <QPointF>
#include <QRect>
#include <QRectF>

#include <cstddef>
#include <limits>

// Maps from values to pixels (linear, downward, equal-scale plane), the
// extent of finite values and the NaN policies of the clamps.
namespace vxo::plot {

// A linear map from values to pixels: pixelStart + pixelSpan * (v - valueStart)
// / valueSpan. The factories floor the value span, so the map never divides
// by zero.
struct AxisMap {
    double pixelStart = 0.0;
    double pixelSpan = 1.0;
    double valueStart = 0.0;
    double valueSpan = 1.0;
};

// v0 at rect.left(), v0 + span at rect.right(), span = atLeast(v1 - v0, minimumSpan).
AxisMap horizontalAxis(const QRectF& rect, double v0, double v1, double minimumSpan);
// The horizontal axis over a carpet of equal columns whose centres run from
// firstCentre to lastCentre in steps of step: it spans the columns' outer
// edges, so a value stands over the middle of its column.
AxisMap columnCentresAxis(const QRectF& rect, double firstCentre, double lastCentre, double step, double minimumSpan);
// lo at rect.bottom(), lo + span at rect.top() (values grow upwards),
// span = atLeast(hi - lo, minimumSpan).
AxisMap verticalAxis(const QRectF& rect, double lo, double hi, double minimumSpan);
double mapValue(const AxisMap& axis, double value);

// Both axes of a panel whose axes are both positions, on one scale (pixels
// per length unit), so that a circle of the plane is drawn round: the window
// [x0, x0 + sx] x [y0, y0 + sy], sx = atLeast(x1 - x0, minimumSpan) and sy
// likewise, as large as the panel allows and centred in it, y growing
// upwards. `window` is its pixel rectangle; the maps hold over the whole
// panel, so a point beyond the window lands in the panel's margin.
struct PlaneAxes {
    AxisMap x;
    AxisMap y;
    QRectF window;
};
PlaneAxes equalScaleAxes(const QRectF& panel, double x0, double x1, double y0, double y1, double minimumSpan);
QPointF mapPlane(const PlaneAxes& axes, double x, double y);

// Smallest and largest of the finite values seen, and how many there were
// (+inf, -inf and 0 before the first).
struct FiniteExtent {
    double minimum = std::numeric_limits<double>::infinity();
    double maximum = -std::numeric_limits<double>::infinity();
    std::size_t count = 0;
};
// Widens the extent by value; NaN and infinities are ignored.
void extendFinite(FiniteExtent& extent, double value);

// One function per NaN policy, so that each plot keeps its own rule:
// [lo, hi] with a NaN kept as NaN (the path builders then drop the point).
double clampKeepNan(double value, double lo, double hi);
// [lo, hi] with the upper limit applied first, so a NaN lands on hi
// (populations, fidelities: "a value that is not a number counts as 1").
double clampNanToUpper(double value, double lo, double hi);
// [lo, hi] with a NaN on lo (the Klein scans: "counts as 0").
double clampNanToLower(double value, double lo, double hi);

// The pixel row of a fraction (a probability, a fidelity) on a [0, 1] scale
// rising from a panel's last pixel row (QRect's bottom) over its height,
// limited to [0, 1] with a NaN at 1 (clampNanToUpper).
double fractionRow(const QRect& panel, double fraction);

// The end of a time axis that starts at 0: analysisEndTime, or lastTime when
// that is larger (a run past its analysis end stretches the axis), floored at
// 1e-12 so that it can divide.
double timeAxisEnd(double analysisEndTime, double lastTime);

// v0 at rect.top(), v0 + span at rect.bottom() (values grow downwards, as
// time does in the carpets), span = atLeast(v1 - v0, minimumSpan).
AxisMap downwardAxis(const QRectF& rect, double v0, double v1, double minimumSpan);

} // namespace vxo::plot
