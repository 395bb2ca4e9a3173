#include "plots/PlotTimeMarkers.h"

#include <QPainter>

namespace vxo::plot {

void drawTimeMarker(QPainter& painter, const QRectF& carpet, const AxisMap& carpetTime, const QPen& carpetPen,
                    const QRectF& curve, const AxisMap& curveTime, const QPen& curvePen, double t)
{
    drawVerticalLine(painter, curvePen, mapValue(curveTime, t), curve.top(), curve.bottom());
    drawHorizontalLine(painter, carpetPen, carpet.left(), carpet.right(), mapValue(carpetTime, t));
}

CarpetTimeAxes carpetTimeAxes(const QRectF& carpet, const QRectF& curve, double t0, double t1)
{
    return CarpetTimeAxes{downwardAxis(carpet, t0, t1, 1e-12), horizontalAxis(curve, t0, t1, 1e-12),
                          verticalAxis(curve, 0.0, 1.0, 1.0)};
}
} // namespace vxo::plot
