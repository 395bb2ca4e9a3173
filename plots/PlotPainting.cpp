#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>

namespace vxo::plot {

namespace {

bool finite(double a, double b, double c) { return std::isfinite(a) && std::isfinite(b) && std::isfinite(c); }

// Truncates a colour channel, kept inside [0, 255] (a NaN reads 0) so that no
// out-of-range double ever reaches the integer conversion.
int channel(double value)
{
    if (!(value > 0.0))
        return 0;
    if (value >= 255.0)
        return 255;
    return static_cast<int>(value);
}

double levelOrZero(double s) { return std::isnan(s) ? 0.0 : s; }

// trunc(extent * k / count), computed in double.
int partOffset(int extent, std::size_t k, std::size_t count)
{
    return static_cast<int>(static_cast<double>(extent) * static_cast<double>(k) / static_cast<double>(count));
}

} // namespace

void beginPlot(QPainter& painter, const QRect& widgetRect, const QColor& background, bool textAntialiasing)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (textAntialiasing)
        painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(widgetRect, background);
}

double atLeast(double value, double floor) { return value > floor ? value : floor; }

QRectF plotRect(const QSize& widgetSize, double left, double top, double widthMargin, double heightMargin,
                double minWidth, double minHeight)
{
    return QRectF(left, top, atLeast(widgetSize.width() - widthMargin, minWidth),
                  atLeast(widgetSize.height() - heightMargin, minHeight));
}

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

AxisMap horizontalAxis(const QRectF& rect, double v0, double v1, double minimumSpan)
{
    return AxisMap{rect.left(), rect.width(), v0, atLeast(v1 - v0, minimumSpan)};
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

void strokePath(QPainter& painter, const QPainterPath& path, const QPen& pen)
{
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

void drawTextBox(QPainter& painter, const QRectF& box, int flags, const QString& text, const QColor& colour)
{
    if (!finite(box.left(), box.top(), box.width()) || !std::isfinite(box.height()))
        return;
    painter.setPen(colour);
    painter.drawText(box, flags, text);
}

void drawCentredText(QPainter& painter, const QRectF& rect, const QString& text, const QColor& colour)
{
    drawTextBox(painter, rect, Qt::AlignCenter, text, colour);
}

void drawPanelTitle(QPainter& painter, const QRectF& panel, const QString& text, const QColor& colour, double top,
                    double height)
{
    drawCentredText(painter, QRectF(panel.left(), top, panel.width(), height), text, colour);
}

void drawValueLabels(QPainter& painter, const QRectF& panel, const QString& upper, const QString& lower,
                     const QColor& colour, double left, double width)
{
    // Numbers are never cut: a long one runs out of its box to the left.
    const int flags = Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip;
    drawTextBox(painter, QRectF(left, panel.top() - 8.0, width, 18.0), flags, upper, colour);
    drawTextBox(painter, QRectF(left, panel.bottom() - 10.0, width, 18.0), flags, lower, colour);
}

void drawAxisEndLabels(QPainter& painter, const QRectF& panel, const QString& first, const QString& last,
                       const QColor& colour, double boxWidth, double gap)
{
    const double top = panel.bottom() + gap;
    drawTextBox(painter, QRectF(panel.left(), top, boxWidth, 20.0), Qt::AlignLeft | Qt::TextDontClip, first, colour);
    drawTextBox(painter, QRectF(panel.right() - boxWidth, top, boxWidth, 20.0), Qt::AlignRight | Qt::TextDontClip,
                last, colour);
}

void drawAxisCaption(QPainter& painter, const QRectF& panel, const QString& text, const QColor& colour, double gap,
                     double height)
{
    drawCentredText(painter, QRectF(panel.left(), panel.bottom() + gap, panel.width(), height), text, colour);
}

QFont boldTitleFont(const QFont& widgetFont)
{
    QFont font(widgetFont);
    font.setWeight(75);
    return font;
}

double carpetLevel(double value, double maximum)
{
    const double ratio = value / maximum;
    if (std::isnan(ratio))
        return 0.0;
    return std::min(std::sqrt(std::max(ratio, 0.0)), 1.0);
}

QRgb powerRampColour(const PowerRamp& ramp, double s)
{
    const double level = levelOrZero(s);
    const auto value = [level](const PowerChannel& c) {
        return channel(255.0 * std::min(1.0, c.offset + c.gain * std::pow(level, c.exponent)));
    };
    return qRgb(value(ramp.red), value(ramp.green), value(ramp.blue));
}

QRgb segmentRampColour(const RampSegment* segments, std::size_t count, double s)
{
    if (count == 0)
        return qRgb(0, 0, 0);
    const double level = levelOrZero(s);
    std::size_t k = 0;
    while (k + 1 < count && level >= segments[k + 1].begin)
        ++k;
    const RampSegment& segment = segments[k];
    const double u = (level - segment.begin) / segment.width;
    return qRgb(channel(segment.base[0] + segment.slope[0] * u), channel(segment.base[1] + segment.slope[1] * u),
                channel(segment.base[2] + segment.slope[2] * u));
}

void drawCarpet(QPainter& painter, const QImage& image, const QRectF& target)
{
    if (image.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, image, QRectF(image.rect()));
    painter.setRenderHint(QPainter::Antialiasing, true);
}

CellSpan cellSpan(int origin, int extent, std::size_t index, std::size_t count)
{
    if (count == 0)
        return CellSpan{origin, 1};
    const int start = origin + partOffset(extent, index, count);
    const int next = origin + partOffset(extent, index + 1, count);
    return CellSpan{start, std::max(next - start + 1, 1)};
}

CellSpan reversedCellSpan(int end, int extent, std::size_t index, std::size_t count)
{
    if (count == 0)
        return CellSpan{end, 1};
    const int top = end - partOffset(extent, index + 1, count);
    const int bottom = end - partOffset(extent, index, count);
    return CellSpan{top, std::max(bottom - top + 1, 1)};
}

} // namespace vxo::plot
