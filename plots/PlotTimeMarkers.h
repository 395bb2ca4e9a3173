#pragma once

#include "plots/PlotAxes.h"

#include <QPen>
#include <QRectF>

class QPainter;

// The time markers of a carpet over its curve panel and the time axes they
// are drawn on.
namespace vxo::plot {

// A time marker of a carpet and its curve panel: a vertical line across the
// curve panel at time t on its horizontal time axis, then a horizontal line
// across the carpet at time t on its downward time axis.
void drawTimeMarker(QPainter& painter, const QRectF& carpet, const AxisMap& carpetTime, const QPen& carpetPen,
                    const QRectF& curve, const AxisMap& curveTime, const QPen& curvePen, double t);

// The time axes of a carpet over its curve panel from t0 to t1: downwards
// over the carpet, rightwards over the curve panel, whose values run from 0
// at its bottom to 1 at its top.
struct CarpetTimeAxes {
    AxisMap carpetTime;
    AxisMap curveTime;
    AxisMap unit;
};
CarpetTimeAxes carpetTimeAxes(const QRectF& carpet, const QRectF& curve, double t0, double t1);

// The time markers (drawTimeMarker) at the quarter periods k T / 4, k = 1 ..
// quarters, that lie in [t0, t1]; none when T is not positive. pens(k) gives
// the k-th marker's carpet and curve pens as a std::pair.
template <typename Pens>
void drawQuarterPeriodMarkers(QPainter& painter, const QRectF& carpet, const QRectF& curve, const CarpetTimeAxes& axes,
                              double t0, double t1, double period, int quarters, Pens&& pens)
{
    if (!(period > 0.0))
        return;
    for (int k = 1; k <= quarters; ++k) {
        const double tk = k * 0.25 * period;
        if (t0 <= tk && tk <= t1) {
            const auto [carpetPen, curvePen] = pens(k);
            drawTimeMarker(painter, carpet, axes.carpetTime, carpetPen, curve, axes.curveTime, curvePen, tk);
        }
    }
}

} // namespace vxo::plot
