#include "plots/PlotCurves.h"

#include <QPainter>

namespace vxo::plot {

void strokePath(QPainter& painter, const QPainterPath& path, const QPen& pen)
{
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

} // namespace vxo::plot
