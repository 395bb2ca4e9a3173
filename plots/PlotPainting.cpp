#include "plots/PlotPainting.h"

#include <QFontMetricsF>
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
    // Numbers are never cut: a long one runs out of its box to the left, and
    // where the widget's left edge would cut it, it starts at the box's left
    // edge and runs into the panel instead.
    const QFontMetricsF metrics(painter.font());
    const auto drawLabel = [&](const QString& text, double top) {
        const double needed = metrics.horizontalAdvance(text);
        if (needed <= left + width)
            drawTextBox(painter, QRectF(left, top, width, 18.0), Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip,
                        text, colour);
        else
            drawTextBox(painter, QRectF(left, top, needed, 18.0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                        text, colour);
    };
    drawLabel(upper, panel.top() - 8.0);
    // A panel too short for two lines of text keeps its upper value alone
    // rather than printing the two over each other.
    if (panel.height() >= 18.0)
        drawLabel(lower, panel.bottom() - 10.0);
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

// ---------------------------------------------------------------- histories

double populationY(const QRectF& panel, double p)
{
    return panel.bottom() - panel.height() * clampNanToUpper(p, 0.0, 1.0);
}

QPen sweepCurvePen(int curve)
{
    switch (curve) {
    case 0:
        return plotPen(QColor(105, 220, 255), 2.3);
    case 1:
        return plotPen(QColor(255, 165, 100), 2.1);
    case 2:
        return plotPen(QColor(120, 235, 150, 180), 1.5, Qt::DashLine);
    case 3:
        return plotPen(QColor(225, 135, 245, 180), 1.5, Qt::DashLine);
    default:
        return plotPen(QColor(185, 190, 200), 1.0, Qt::DotLine);
    }
}

void drawSweepLegend(QPainter& painter, const QRectF& panel, double adiabaticWidth)
{
    drawLegend(painter, panel, 4.0,
               {{"P(lower)", qRgb(105, 220, 255), 8.0, adiabaticWidth},
                {"P(upper)", qRgb(255, 165, 100), 92.0, adiabaticWidth},
                {"P(left)", qRgb(120, 235, 150), 176.0, 90.0},
                {"P(right)", qRgb(225, 135, 245), 246.0, 95.0}});
}

void drawLegend(QPainter& painter, const QRectF& panel, double drop, const LegendEntry* entries, std::size_t count)
{
    for (std::size_t k = 0; k < count; ++k) {
        const LegendEntry& e = entries[k];
        drawTextBox(painter, QRectF(panel.left() + e.offset, panel.top() + drop, e.width, 18.0), Qt::AlignLeft,
                    QString::fromLatin1(e.text), QColor(e.colour));
    }
}

void drawProtocolStrip(QPainter& painter, const QRectF& strip)
{
    drawFrame(painter, strip, plotPen(QColor(80, 88, 98)));
    drawHorizontalLine(painter, plotPen(QColor(105, 115, 125), 1.0, Qt::DashLine), strip.left(), strip.right(),
                       strip.center().y());
}

InterferencePanels interferencePanels(const QSize& widgetSize)
{
    const double width = atLeast(widgetSize.width() - 22.0, 68.0) - 58.0;
    InterferencePanels panels;
    panels.history = QRectF(58.0, 28.0, width, atLeast(widgetSize.height() - 190.0, 78.0));
    panels.strip = QRectF(58.0, panels.history.bottom() + 14.0, width, 30.0);
    panels.scan = QRectF(58.0, panels.strip.bottom() + 30.0, width, 58.0);
    return panels;
}

InterferencePanels beginInterferencePlot(QPainter& painter, const QRect& widgetRect)
{
    beginPlot(painter, widgetRect, QColor(kBackground));
    const InterferencePanels panels = interferencePanels(widgetRect.size());
    drawGridAndFrame(painter, panels.history, QColor(75, 84, 94));
    return panels;
}

void drawInterferenceLabels(QPainter& painter, const InterferencePanels& panels, const QString& stripLabel,
                       const QString& scanLabel, const QString& scanCaption)
{
    const QColor colour(kAxisText);
    const int flags = Qt::AlignRight | Qt::AlignVCenter;
    drawValueLabels(painter, panels.history, QStringLiteral("1.0"), QStringLiteral("0.0"), colour);
    drawTextBox(painter, QRectF(2.0, panels.strip.top() + 5.0, 52.0, 18.0), flags, stripLabel, colour);
    drawTextBox(painter, QRectF(2.0, panels.scan.center().y() - 9.0, 52.0, 18.0), flags, scanLabel, colour);
    drawCentredText(painter, QRectF(panels.scan.left(), panels.scan.bottom() + 2.0, panels.scan.width(), 18.0),
                    scanCaption, colour);
}

} // namespace vxo::plot

// ================================================================ titled recorder and scan plots

namespace vxo::plot {

namespace {

// Colours of the transmission scans.
constexpr QRgb kScanPanel = qRgb(5, 9, 15);
constexpr QRgb kScanPanelFrame = qRgb(54, 72, 88);
constexpr QRgb kScanGrid = qRgb(77, 94, 109);
constexpr QRgb kScanNumbers = qRgb(170, 184, 197);
constexpr QRgb kScanCurve = qRgb(100, 220, 255);
constexpr QRgb kScanCurrent = qRgb(255, 205, 95);
constexpr QRgb kScanPacket = qRgb(255, 126, 126);
constexpr QRgb kScanLegend = qRgb(188, 202, 214);
constexpr QRgb kScanSummary = qRgb(235, 240, 245);

} // namespace

bool beginTitledPage(QPainter& painter, const QRect& widgetRect, const QFont& widgetFont, const TitledPage& page,
                     const QString& title, bool hasData, const QString& placeholder)
{
    const int w = widgetRect.width();
    beginPlot(painter, widgetRect, QColor(page.background), false);
    painter.setFont(boldTitleFont(widgetFont));
    drawTextBox(painter, QRect(12, page.titleTop, w - 24, page.titleHeight), Qt::AlignLeft | Qt::AlignVCenter, title,
                QColor(page.titleColour));
    painter.setFont(widgetFont);
    if (!hasData)
        drawTextBox(painter, QRect(20, page.placeholderTop, w - 40, widgetRect.height() - page.placeholderTop - 20),
                    Qt::AlignCenter | Qt::TextWordWrap, placeholder, QColor(page.placeholderColour));
    return hasData;
}

QRect carpetOverLowerPanel(const QSize& widgetSize, int heightMargin, int minHeight, int minWidth)
{
    int lower = widgetSize.height() / 3;
    lower = lower > 120 ? lower : 120;
    int height = widgetSize.height() - lower - heightMargin;
    height = height > minHeight ? height : minHeight;
    int width = widgetSize.width() - 80;
    width = width > minWidth ? width : minWidth;
    return QRect(62, 40, width, height);
}

StackedPanels drawStackedPanels(QPainter& painter, const QSize& widgetSize, const StackedLayout& layout,
                                const QColor& frame, const QColor& fill)
{
    const QRect upper(layout.left, layout.top, std::max(widgetSize.width() - layout.widthMargin, layout.minWidth),
                      std::max(widgetSize.height() - layout.heightMargin, layout.minHeight));
    const QRect lower(layout.left, upper.bottom() + layout.gap, upper.width(),
                      std::max(widgetSize.height() - layout.lowerMargin - upper.bottom(), layout.lowerMinHeight));
    drawFilledFrame(painter, upper, plotPen(frame), fill);
    drawFilledFrame(painter, lower, plotPen(frame), fill);
    return StackedPanels{upper, lower};
}

void drawPanelCaption(QPainter& painter, const QRect& panel, int gap, int height, const QString& text,
                      const QColor& colour)
{
    drawCentredText(painter, QRect(panel.left(), panel.bottom() + gap, panel.width(), height), text, colour);
}

void drawPanelSummary(QPainter& painter, const QRect& panel, int height, const QString& text, const QColor& colour)
{
    drawTextBox(painter, QRect(panel.left() + 8, panel.top() + 5, panel.width() - 16, height),
                Qt::AlignLeft | Qt::AlignVCenter, text, colour);
}

double timeAxisEnd(double analysisEndTime, double lastTime)
{
    return atLeast(lastTime > analysisEndTime ? lastTime : analysisEndTime, 1e-12);
}

std::vector<int> pixelCells(const std::vector<CellSpan>& spans, int extent)
{
    std::vector<int> cells(static_cast<std::size_t>(std::max(extent, 0)) + 1, -1);
    const int last = static_cast<int>(cells.size()) - 1;
    for (std::size_t k = 0; k < spans.size(); ++k) {
        const int from = std::max(spans[k].start, 0);
        const int to = std::min(spans[k].start + spans[k].length - 1, last);
        for (int p = from; p <= to; ++p)
            cells[static_cast<std::size_t>(p)] = static_cast<int>(k);
    }
    return cells;
}

std::vector<CellSpan> equalCellSpans(int extent, std::size_t count)
{
    std::vector<CellSpan> spans(count);
    for (std::size_t k = 0; k < count; ++k)
        spans[k] = cellSpan(0, extent, k, count);
    return spans;
}

ScanFrame drawScanFrame(QPainter& painter, const QSize& widgetSize, int left, int top, int widthMargin,
                        int heightMargin, double v0, double v1)
{
    const QRect panel(left, top, std::max(widgetSize.width() - widthMargin, 120),
                      std::max(widgetSize.height() - heightMargin, 120));
    drawFilledFrame(painter, panel, plotPen(QColor(kScanPanelFrame)), QColor(kScanPanel));
    return ScanFrame{panel, horizontalAxis(QRectF(panel), v0, v1, 1e-12)};
}

double scanTransmissionY(const QRect& panel, double transmission)
{
    return panel.bottom() - panel.height() * clampNanToLower(transmission, 0.0, 1.0);
}

void drawTransmissionGrid(QPainter& painter, const QRect& panel, int labelLeft)
{
    for (int k = 0; k <= 5; ++k) {
        const double f = k / 5.0;
        const int y = static_cast<int>(std::lround(scanTransmissionY(panel, f)));
        drawHorizontalLine(painter, plotPen(QColor(kScanGrid)), panel.left(), panel.right(), y);
        drawTextBox(painter, QRect(labelLeft, y - 9, 50, 18), Qt::AlignRight | Qt::AlignVCenter,
                    QString::number(f, 'f', 1), QColor(kScanNumbers));
    }
}

void drawScanGridLine(QPainter& painter, const QRect& panel, double x, const QString& label, int labelWidth)
{
    if (!std::isfinite(x))
        return;
    const double pixel = std::round(x);
    drawVerticalLine(painter, plotPen(QColor(kScanGrid)), pixel, panel.top(), panel.bottom());
    // A label wider than its box spills over its sides rather than losing
    // its ends ("10 deg" is wider than 48 pixels in common fonts).
    drawTextBox(painter, QRectF(pixel - labelWidth / 2, panel.bottom() + 5, labelWidth, 20),
                Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, label, QColor(kScanNumbers));
}

void fillScanBand(QPainter& painter, const QRect& panel, double xa, double xb, const QColor& colour)
{
    if (!std::isfinite(xa) || !std::isfinite(xb))
        return;
    painter.fillRect(QRectF(xa, panel.top(), xb - xa, panel.height()), colour);
}

void drawScanThreshold(QPainter& painter, const QRect& panel, double x, double width)
{
    drawVerticalLine(painter, roundPlotPen(QColor(kScanCurrent), width, Qt::DashLine), std::round(x), panel.top(),
                     panel.bottom());
}

void drawScanBandName(QPainter& painter, double xa, double xb, int top, int inset, const QString& name)
{
    if (!std::isfinite(xa) || !std::isfinite(xb))
        return;
    // Limited before truncation so that no value outside int reaches the conversion.
    const auto pixel = [](double v) { return static_cast<int>(std::max(-1e7, std::min(v, 1e7))); };
    const int width = std::max(pixel(xb - xa) - 2 * inset, 0);
    // The name of a narrow band spills over its edges; an empty band's name
    // stays clipped to its empty box, so no absent regime is named.
    const int flags = Qt::AlignCenter | (width > 0 ? Qt::TextDontClip : 0);
    drawTextBox(painter, QRect(pixel(xa) + inset, top, width, 20), flags, name, QColor(kScanNumbers));
}

QPainterPath scanCurve(const std::vector<ScanPoint>& points, const ScanFrame& frame)
{
    return polylineBreakingAtGaps(points.size(), [&](std::size_t i) -> std::optional<QPointF> {
        if (!points[i].valid)
            return std::nullopt;
        return QPointF(mapValue(frame.x, points[i].value), scanTransmissionY(frame.panel, points[i].transmission));
    });
}

double scanTransmissionAt(const std::vector<ScanPoint>& points, double value)
{
    if (points.empty())
        return 0.0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        const ScanPoint& a = points[i - 1];
        const ScanPoint& b = points[i];
        if (!a.valid || !b.valid || !(b.value >= value))
            continue;
        const double step = atLeast(b.value - a.value, 1e-12);
        return a.transmission + (b.transmission - a.transmission) * (value - a.value) / step;
    }
    return points.front().transmission;
}

void drawScanMarker(QPainter& painter, const ScanFrame& frame, const std::vector<ScanPoint>& points, double v0,
                    double v1, double current, double packetMaxPRight)
{
    if (!(v0 <= current && current <= v1))
        return;
    const double x = mapValue(frame.x, current);
    drawScanThreshold(painter, frame.panel, x, 1.5);
    drawDisc(painter, QPointF(x, scanTransmissionY(frame.panel, scanTransmissionAt(points, current))), 5.0,
             QColor(kScanCurrent));
    if (0.0 <= packetMaxPRight && packetMaxPRight <= 1.05)
        drawDisc(painter, QPointF(x, scanTransmissionY(frame.panel, packetMaxPRight)), 5.0, QColor(kScanPacket));
}

void drawScanTexts(QPainter& painter, const QRect& panel, int legendGap, int legendHeight, const QString& legend,
                   int summaryHeight, const QString& summary)
{
    // A legend longer than the panel is wide spills into the margins on both sides.
    drawTextBox(painter, QRect(panel.left(), panel.bottom() + legendGap, panel.width(), legendHeight),
                Qt::AlignCenter | Qt::TextDontClip, legend, QColor(kScanLegend));
    drawTextBox(painter, QRect(panel.left() + 8, panel.top() + 6, panel.width() - 16, summaryHeight),
                Qt::AlignLeft | Qt::AlignTop, summary, QColor(kScanSummary));
}

} // namespace vxo::plot

// ---------------------------------------------------------------- recorder carpets and time panels

#include "core/Numeric.h"

#include <cstring>

namespace vxo::plot {

namespace {

// The value of one channel of a power-law ramp at the level of ratio, the very
// expression of powerRampColour, so that the table reproduces it exactly.
int powerChannelAt(const PowerChannel& c, double ratio)
{
    const double level = carpetLevel(ratio, 1.0);
    return channel(255.0 * std::min(1.0, c.offset + c.gain * std::pow(level, c.exponent)));
}

// Non-negative doubles are ordered like their bit patterns, so a bisection over
// the patterns finds a step of a monotone function to the last bit.
std::uint64_t bitsOf(double v)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

double fromBits(std::uint64_t bits)
{
    double v = 0.0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// The index of the step table: one bucket per 1/1024 of each binary octave of
// the ratio from 2^-40 up to 1 (the exponent and the ten leading mantissa
// bits), fine enough that most buckets hold no step and a lookup settles
// with one comparison.
constexpr int kIndexShift = 42;
const std::uint64_t kIndexBegin = bitsOf(0x1p-40) >> kIndexShift;
const std::uint64_t kIndexEnd = bitsOf(1.0) >> kIndexShift;

// The smallest ratio in (0, 1] whose channel value is at least k, given that
// the value at 0 is below k and the value at 1 reaches it. The search starts
// from the inverse of the ramp's formula, which is within a few bits of the
// step, widens a bracket around it and bisects the bracket.
double stepStart(const PowerChannel& c, int k)
{
    const double target = (static_cast<double>(k) / 255.0 - c.offset) / c.gain;
    double estimate = std::pow(target, 2.0 / c.exponent);
    if (!(estimate > 0.0) || !(estimate < 1.0))
        estimate = 0.5;
    const std::uint64_t zero = bitsOf(0.0);
    const std::uint64_t one = bitsOf(1.0);
    std::uint64_t below = bitsOf(estimate); // channel < k
    std::uint64_t above = below;            // channel >= k
    std::uint64_t stride = 1;
    if (powerChannelAt(c, estimate) >= k) {
        do {
            above = below;
            below = below > zero + stride ? below - stride : zero;
            stride *= 2;
        } while (below > zero && powerChannelAt(c, fromBits(below)) >= k);
    } else {
        do {
            below = above;
            above = above + stride < one ? above + stride : one;
            stride *= 2;
        } while (above < one && powerChannelAt(c, fromBits(above)) < k);
    }
    while (above - below > 1) {
        const std::uint64_t middle = below + (above - below) / 2;
        if (powerChannelAt(c, fromBits(middle)) >= k)
            above = middle;
        else
            below = middle;
    }
    return fromBits(above);
}

} // namespace

AxisMap downwardAxis(const QRectF& rect, double v0, double v1, double minimumSpan)
{
    return AxisMap{rect.top(), rect.height(), v0, atLeast(v1 - v0, minimumSpan)};
}

double roundedPixel(double x)
{
    if (!(std::fabs(x) < 1e9))
        return std::numeric_limits<double>::quiet_NaN();
    return static_cast<double>(std::lround(x));
}

CellRange cellRange(double lo, double hi, double spacing, std::uint64_t cells)
{
    const double offset = centreOffset(cells);
    const int lastCell = static_cast<int>(std::min<std::uint64_t>(cells, std::numeric_limits<int>::max()) - 1);
    // Clamped in floating point, so that no far-off or NaN position reaches the
    // integer conversion; a NaN end keeps the lower limit.
    const auto clamped = [](double position, int lo, int hi) {
        if (!(position >= lo))
            return lo;
        return position > hi ? hi : static_cast<int>(position);
    };
    CellRange range;
    range.first = clamped(std::ceil(lo / spacing + offset), 0, lastCell);
    range.last = clamped(std::floor(hi / spacing + offset), range.first, lastCell);
    return range;
}

PowerRampTable::PowerRampTable(const PowerRamp& ramp)
{
    const std::array<const PowerChannel*, 3> parts{&ramp.red, &ramp.green, &ramp.blue};
    std::array<int, 3> atZero{};
    std::array<int, 3> atOne{};
    // (ratio, channel) of every step, merged over the channels.
    std::vector<std::pair<double, std::size_t>> steps;
    for (std::size_t c = 0; c < 3; ++c) {
        atZero[c] = powerChannelAt(*parts[c], 0.0);
        atOne[c] = powerChannelAt(*parts[c], 1.0);
        for (int k = atZero[c] + 1; k <= atOne[c]; ++k)
            steps.emplace_back(stepStart(*parts[c], k), c);
    }
    std::sort(steps.begin(), steps.end());
    atZero_ = qRgb(atZero[0], atZero[1], atZero[2]);
    atOne_ = qRgb(atOne[0], atOne[1], atOne[2]);
    std::array<int, 3> value = atZero;
    colours_.push_back(atZero_);
    for (const auto& [ratio, c] : steps) {
        steps_.push_back(ratio);
        ++value[c];
        colours_.push_back(qRgb(value[0], value[1], value[2]));
    }
    // The buckets' first ratios ascend with their keys: one sweep over the steps.
    index_.resize(kIndexEnd - kIndexBegin);
    std::size_t passed = 0;
    for (std::uint64_t key = kIndexBegin; key < kIndexEnd; ++key) {
        const double first = fromBits(key << kIndexShift);
        while (passed < steps_.size() && steps_[passed] <= first)
            ++passed;
        index_[key - kIndexBegin] = static_cast<std::uint16_t>(passed);
    }
}

QRgb PowerRampTable::colour(double value, double maximum) const
{
    const double ratio = value / maximum;
    if (!(ratio > 0.0))
        return atZero_;
    if (ratio >= 1.0)
        return atOne_;
    // The bucket's first ratio lies at or below this one, so the count of
    // steps only grows from the bucket's.
    const std::uint64_t key = bitsOf(ratio) >> kIndexShift;
    std::size_t m = key < kIndexBegin ? 0 : index_[key - kIndexBegin];
    while (m < steps_.size() && ratio >= steps_[m])
        ++m;
    return colours_[m];
}

SplitPanels splitPanels(const QSize& widgetSize, double left, double right, double top, double gap, double bottom,
                            double share, double minimumHeight, double minimumWidth)
{
    const double available = atLeast(widgetSize.height() - top - gap - bottom, minimumHeight);
    const QRectF upper(left, top, atLeast(widgetSize.width() - left - right, minimumWidth), share * available);
    return SplitPanels{upper, QRectF(left, upper.bottom() + gap, upper.width(), available - share * available)};
}

void drawTitledPanels(QPainter& painter, const SplitPanels& panels, const QPen& framePen, const QColor& titleColour,
                      const PanelTitle& upperTitle, const PanelTitle& lowerTitle)
{
    drawFrame(painter, panels.upper, framePen);
    drawFrame(painter, panels.lower, framePen);
    drawPanelTitle(painter, panels.upper, upperTitle.text, titleColour, upperTitle.top, upperTitle.height);
    drawPanelTitle(painter, panels.lower, lowerTitle.text, titleColour, lowerTitle.top, lowerTitle.height);
}

void drawPanelPlaceholders(QPainter& painter, const SplitPanels& panels, const QColor& colour,
                           const QString& upperText, const QString& lowerText)
{
    drawCentredText(painter, panels.upper, upperText, colour);
    drawCentredText(painter, panels.lower, lowerText, colour);
}

void drawTimeMarker(QPainter& painter, const QRectF& carpet, const AxisMap& carpetTime, const QPen& carpetPen,
                    const QRectF& curve, const AxisMap& curveTime, const QPen& curvePen, double t)
{
    drawVerticalLine(painter, curvePen, mapValue(curveTime, t), curve.top(), curve.bottom());
    drawHorizontalLine(painter, carpetPen, carpet.left(), carpet.right(), mapValue(carpetTime, t));
}

void drawSimulationTimeAxis(QPainter& painter, const QRectF& panel, double t0, double t1, const QColor& colour,
                            double boxWidth, double gap)
{
    drawAxisEndLabels(painter, panel, QString::number(t0, 'f', 1), QString::number(t1, 'f', 1), colour, boxWidth, gap);
    drawAxisCaption(painter, panel, QStringLiteral("simulation time"), colour);
}

} // namespace vxo::plot
