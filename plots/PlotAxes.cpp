#include "plots/PlotAxes.h"

#include <algorithm>

namespace vxo::plot {

AxisMap horizontalAxis(const QRectF& rect, double v0, double v1, double minimumSpan)
{
    return AxisMap{rect.left(), rect.width(), v0, atLeast(v1 - v0, minimumSpan)};
}

AxisMap columnCentresAxis(const QRectF& rect, double firstCentre, double lastCentre, double step, double minimumSpan)
{
    return horizontalAxis(rect, firstCentre - 0.5 * step, lastCentre + 0.5 * step, minimumSpan);
}

AxisMap verticalAxis(const QRectF& rect, double lo, double hi, double minimumSpan)
{
    // Pixels grow downwards: start at the bottom edge and span upwards.
    return AxisMap{rect.bottom(), -rect.height(), lo, atLeast(hi - lo, minimumSpan)};
}

double mapValue(const AxisMap& axis, double value)
{
    return axis.pixelStart + axis.pixelSpan * (value - axis.valueStart) / axis.valueSpan;
}

PlaneAxes equalScaleAxes(const QRectF& panel, double x0, double x1, double y0, double y1, double minimumSpan)
{
    const double sx = atLeast(x1 - x0, minimumSpan);
    const double sy = atLeast(y1 - y0, minimumSpan);
    // The smaller of the two fits sets the one scale; a panel without area shrinks the window to its centre.
    const double scale = std::max(std::min(panel.width() / sx, panel.height() / sy), 0.0);
    const double width = sx * scale;
    const double height = sy * scale;
    const QPointF centre = panel.center();
    PlaneAxes axes;
    axes.window = QRectF(centre.x() - width / 2.0, centre.y() - height / 2.0, width, height);
    axes.x = AxisMap{axes.window.left(), width, x0, sx};
    axes.y = AxisMap{axes.window.bottom(), -height, y0, sy};
    return axes;
}

QPointF mapPlane(const PlaneAxes& axes, double x, double y)
{
    return QPointF(mapValue(axes.x, x), mapValue(axes.y, y));
}

void extendFinite(FiniteExtent& extent, double value)
{
    if (!std::isfinite(value))
        return;
    extent.minimum = std::min(extent.minimum, value);
    extent.maximum = std::max(extent.maximum, value);
    ++extent.count;
}

double clampKeepNan(double value, double lo, double hi)
{
    if (std::isnan(value))
        return value;
    return std::max(lo, std::min(value, hi));
}

double fractionRow(const QRect& panel, double fraction)
{
    return panel.bottom() - panel.height() * clampNanToUpper(fraction, 0.0, 1.0);
}

double clampNanToUpper(double value, double lo, double hi)
{
    if (std::isnan(value))
        return hi;
    return std::max(lo, std::min(value, hi));
}

double clampNanToLower(double value, double lo, double hi)
{
    if (std::isnan(value))
        return lo;
    return std::max(lo, std::min(value, hi));
}

double timeAxisEnd(double analysisEndTime, double lastTime)
{
    return atLeast(lastTime > analysisEndTime ? lastTime : analysisEndTime, 1e-12);
}

AxisMap downwardAxis(const QRectF& rect, double v0, double v1, double minimumSpan)
{
    return AxisMap{rect.top(), rect.height(), v0, atLeast(v1 - v0, minimumSpan)};
}
} // namespace vxo::plot
