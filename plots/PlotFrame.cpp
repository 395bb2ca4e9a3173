#include "plots/PlotFrame.h"

#include <QPainter>

namespace vxo::plot {

void beginPlot(QPainter& painter, const QRect& widgetRect, const QColor& background, bool textAntialiasing)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (textAntialiasing)
        painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(widgetRect, background);
}

double atLeast(double value, double floor) { return value > floor ? value : floor; }

void drawQuarterGrid(QPainter& painter, const QRectF& rect, const QPen& pen)
{
    painter.setPen(pen);
    for (int i = 0; i <= 4; ++i) {
        const double x = rect.left() + rect.width() * i / 4.0;
        const double y = rect.top() + rect.height() * i / 4.0;
        painter.drawLine(QPointF(x, rect.top()), QPointF(x, rect.bottom()));
        painter.drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
    }
}

void drawInnerQuarterLines(QPainter& painter, const QRectF& rect, const QPen& pen)
{
    painter.setPen(pen);
    for (int i = 1; i <= 3; ++i) {
        const double y = rect.top() + rect.height() * i / 4.0;
        painter.drawLine(QPointF(rect.left(), y), QPointF(rect.right(), y));
    }
}

void drawFrame(QPainter& painter, const QRectF& rect, const QPen& pen)
{
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
}

void drawFilledFrame(QPainter& painter, const QRectF& rect, const QPen& pen, const QColor& brush)
{
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.drawRect(rect);
    painter.setBrush(Qt::NoBrush);
}

void drawGridAndFrame(QPainter& painter, const QRectF& rect, const QColor& gridColour, const QColor& frameColour)
{
    drawQuarterGrid(painter, rect, plotPen(gridColour));
    drawFrame(painter, rect, plotPen(frameColour));
}

QPen plotPen(const QColor& colour, double width, Qt::PenStyle style)
{
    // QPen's own defaults are the square cap and the bevel join.
    return QPen(QBrush(colour), width, style);
}

QPen roundPlotPen(const QColor& colour, double width, Qt::PenStyle style)
{
    return QPen(QBrush(colour), width, style, Qt::RoundCap, Qt::RoundJoin);
}

void drawHorizontalLine(QPainter& painter, const QPen& pen, double left, double right, double y)
{
    drawSegment(painter, pen, QPointF(left, y), QPointF(right, y));
}

void drawVerticalLine(QPainter& painter, const QPen& pen, double x, double top, double bottom)
{
    drawSegment(painter, pen, QPointF(x, top), QPointF(x, bottom));
}

void drawSegment(QPainter& painter, const QPen& pen, const QPointF& from, const QPointF& to)
{
    if (!detail::finitePoint(from) || !detail::finitePoint(to))
        return;
    painter.setPen(pen);
    painter.drawLine(from, to);
}

void drawDisc(QPainter& painter, const QPointF& centre, double radius, const QColor& fill)
{
    drawOutlinedDisc(painter, centre, radius, radius, fill, Qt::NoPen);
}

void drawOutlinedDisc(QPainter& painter, const QPointF& centre, double radiusX, double radiusY, const QColor& fill,
                      const QPen& outline)
{
    if (!detail::finitePoint(centre) || !std::isfinite(radiusX) || !std::isfinite(radiusY))
        return;
    painter.setPen(outline);
    painter.setBrush(fill);
    painter.drawEllipse(centre, radiusX, radiusY);
    painter.setBrush(Qt::NoBrush);
}

double roundedPixel(double x)
{
    if (!(std::fabs(x) < 1e9))
        return std::numeric_limits<double>::quiet_NaN();
    return static_cast<double>(std::lround(x));
}
} // namespace vxo::plot
