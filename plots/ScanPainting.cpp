#include "plots/ScanPainting.h"

#include "plots/AxisNumbers.h"

#include <QFontMetricsF>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace vxo::plot {

namespace {

// The panel and its horizontal map: value first at panel.left(), first +
// max(last - first, 1e-12) at panel.left() + panel.width().
struct ScanFrame {
    QRect panel;
    AxisMap x;
};

// Horizontal lines at T = 0, 0.2, ..., 1 (rounded to whole pixels) with their
// numbers right-aligned in 50-pixel boxes from labelLeft.
void drawTransmissionGrid(QPainter& painter, const QRect& panel, int labelLeft)
{
    for (int k = 0; k <= 5; ++k) {
        const double f = k / 5.0;
        const int y = static_cast<int>(std::lround(scanTransmissionY(panel, f)));
        drawHorizontalLine(painter, plotPen(QColor(kAxes.scanGrid)), panel.left(), panel.right(), y);
        drawTextBox(painter, QRect(labelLeft, y - 9, 50, 18), Qt::AlignRight | Qt::AlignVCenter,
                    QString::number(f, 'f', 1), QColor(kInnerPanel.scanNumbers));
    }
}

// A vertical grid line at x rounded to a whole pixel, with label centred in a
// box labelWidth wide under the panel (a wider label is not clipped).
void drawScanGridLine(QPainter& painter, const QRect& panel, double x, const QString& label, int labelWidth)
{
    if (!std::isfinite(x))
        return;
    const double pixel = std::round(x);
    drawVerticalLine(painter, plotPen(QColor(kAxes.scanGrid)), pixel, panel.top(), panel.bottom());
    // A label wider than its box spills over its sides rather than losing
    // its ends ("10 deg" is wider than 48 pixels in common fonts).
    drawTextBox(painter, QRectF(pixel - labelWidth / 2, panel.bottom() + 5, labelWidth, 20),
                Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, label, QColor(kInnerPanel.scanNumbers));
}

// A band over the panel's height from xa to xb, without outline.
void fillScanBand(QPainter& painter, const QRect& panel, double xa, double xb, const QColor& colour)
{
    if (!std::isfinite(xa) || !std::isfinite(xb))
        return;
    painter.fillRect(QRectF(xa, panel.top(), xb - xa, panel.height()), colour);
}

// A dashed threshold line at x rounded to a whole pixel.
void drawScanThreshold(QPainter& painter, const QRect& panel, double x, double width)
{
    drawVerticalLine(painter, roundPlotPen(QColor(kMarkers.scanCurrent), width, Qt::DashLine), std::round(x),
                     panel.top(), panel.bottom());
}

// The rows a band name moves down by to clear another name or a curve.
constexpr double kNameLine = 18.0;

// How much of the curves, stroked with their pens, passes through the box:
// the pixel steps along their segments that fall within the pen's half
// width of it (0: the box hides none of them).
int curveStepsIn(const std::vector<QPainterPath>& curves, const QRectF& box)
{
    const QRectF inked = box.adjusted(-2.0, -2.0, 2.0, 2.0);
    int inside = 0;
    for (const QPainterPath& curve : curves)
        for (int i = 1; i < curve.elementCount(); ++i) {
            const QPainterPath::Element& b = curve.elementAt(i);
            if (!b.isLineTo())
                continue;
            const QPointF from = curve.elementAt(i - 1);
            const QPointF to = b;
            const int steps = 1 + static_cast<int>(std::ceil(std::hypot(to.x() - from.x(), to.y() - from.y())));
            for (int k = 0; k < steps; ++k)
                if (inked.contains(from + (to - from) * (static_cast<double>(k) / steps)))
                    ++inside;
        }
    return inside;
}

// The name of a band from xa to xb in a box 20 high at top, inset on both
// sides; positions and widths truncated to whole pixels, never below 0 wide.
// The names already placed are in `named`, which the name joins; a name
// stays clear of them and goes down the panel, row by row, to where it hides
// the least of the curves.
void drawScanBandName(QPainter& painter, const QRect& panel, double xa, double xb, int top, int inset,
                      const QString& name, const std::vector<QPainterPath>& curves, std::vector<QRectF>& named)
{
    if (!std::isfinite(xa) || !std::isfinite(xb))
        return;
    // Limited before truncation so that no value outside int reaches the conversion.
    const auto pixel = [](double v) { return static_cast<int>(std::max(-1e7, std::min(v, 1e7))); };
    const int width = std::max(pixel(xb - xa) - 2 * inset, 0);
    // The name of a narrow band spills over its edges, but not over the
    // panel's; an empty band's name stays clipped to its empty box, so no
    // absent regime is named.
    QRectF box(pixel(xa) + inset, top, width, 20);
    if (width > 0) {
        const double half = QFontMetricsF(painter.font()).horizontalAdvance(name) / 2.0;
        const double lowest = panel.left() + 4.0 + half;
        box.moveCenter(
            QPointF(std::max(lowest, std::min(box.center().x(), panel.right() - 4.0 - half)), box.center().y()));
    }
    if (width <= 0) {
        drawTextBox(painter, box, Qt::AlignCenter, name, QColor(kInnerPanel.scanNumbers));
        return;
    }
    // The name of a band next to a narrow one goes a line lower rather than
    // over its neighbour's, and lower still, while the panel has room, rather
    // than over a curve: the class reads the curve where the name would stand.
    const double advance = QFontMetricsF(painter.font()).horizontalAdvance(name);
    const auto ink = [&](const QRectF& at) {
        return QRectF(at.center().x() - advance / 2.0 - 3.0, at.top(), advance + 6.0, at.height());
    };
    const auto overNamed = [&](const QRectF& at) {
        return std::any_of(named.begin(), named.end(), [&](const QRectF& r) { return r.intersects(ink(at)); });
    };
    while (overNamed(box))
        box.translate(0.0, kNameLine);
    // Of the rows from there down, the first that hides no curve, else the
    // one that hides the least of them.
    int hidden = curveStepsIn(curves, ink(box));
    for (QRectF lower = box; hidden > 0 && lower.bottom() <= panel.bottom(); lower.translate(0.0, kNameLine)) {
        const int there = overNamed(lower) ? hidden : curveStepsIn(curves, ink(lower));
        if (there < hidden) {
            box = lower;
            hidden = there;
        }
    }
    named.push_back(ink(box));
    // Over the curves: on a patch of the panel, through which the band's shade shows.
    QColor patch(kInnerPanel.fill);
    patch.setAlpha(215);
    drawTextOnPatch(painter, box, Qt::AlignCenter | Qt::TextDontClip, name, QColor(kInnerPanel.scanNumbers), patch);
}

QPainterPath scanCurve(const std::vector<ScanPoint>& points, const ScanFrame& frame)
{
    return polylineBreakingAtGaps(points.size(), [&](std::size_t i) -> std::optional<QPointF> {
        if (!points[i].valid)
            return std::nullopt;
        return QPointF(mapValue(frame.x, points[i].value), scanTransmissionY(frame.panel, points[i].transmission));
    });
}

// The current value on the curve when it lies within the range: a dashed
// line, then (with discs) a dot at the interpolated transmission and the
// packet's dot. The line goes under the texts, the dots over them: a dot
// hides little of a text, and a value is never hidden by one.
void drawScanMarker(QPainter& painter, const ScanFrame& frame, const std::vector<ScanPoint>& points, double v0,
                    double v1, double current, double packetMaxPRight, bool discs)
{
    if (!(v0 <= current && current <= v1))
        return;
    const double x = mapValue(frame.x, current);
    if (!discs) {
        drawScanThreshold(painter, frame.panel, x, 1.5);
        return;
    }
    drawDisc(painter, QPointF(x, scanTransmissionY(frame.panel, scanTransmissionAt(points, current))), 5.0,
             QColor(kMarkers.scanCurrent));
    if (0.0 <= packetMaxPRight && packetMaxPRight <= 1.05)
        drawDisc(painter, QPointF(x, scanTransmissionY(frame.panel, packetMaxPRight)), 5.0,
                 QColor(kMarkers.scanPacket));
}

} // namespace

QRect drawScanPanel(QPainter& painter, const QSize& widgetSize, const ScanLayout& layout)
{
    const QRect panel = scanPanel(widgetSize, layout);
    drawFilledFrame(painter, panel, plotPen(QColor(kInnerPanel.scanFrame)), QColor(kInnerPanel.fill));
    return panel;
}

void drawScanLegend(QPainter& painter, const QRect& panel, const ScanLayout& layout, const QString& legend)
{
    // Beside the panel on a short page, its lines from the panel's top.
    if (layout.legendColumn > 0) {
        constexpr int kGap = 14;
        drawTextBox(painter,
                    QRect(panel.right() + 1 + kGap, panel.top(), layout.legendColumn - kGap - 4,
                          panel.height() + layout.legendGap),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, legend, QColor(kInnerPanel.scanLegend));
        return;
    }
    // A legend longer than the panel is wide goes on as many lines as it
    // needs (paintScan leaves room for them under the panel).
    drawTextBox(painter, QRect(panel.left(), panel.bottom() + layout.legendGap, panel.width(), layout.legendHeight),
                Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextDontClip, legend,
                QColor(kInnerPanel.scanLegend));
}

void drawScanSummary(QPainter& painter, const QSize& widgetSize, const ScanLayout& layout, const QString& summary)
{
    const QRect box = scanSummaryBox(widgetSize, layout);
    // A short page gives the summary's rows up to the panel.
    if (box.height() < QFontMetrics(painter.font()).height())
        return;
    drawTextBox(painter, box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                breakBetweenFields(painter.font(), box.width(), summary), QColor(kInnerPanel.scanSummary));
}

namespace {
ScanFrame scanFrame(const QRect& panel, const ScanPicture& picture)
{
    return {panel, horizontalAxis(QRectF(panel), picture.first, picture.last, 1e-12)};
}
} // namespace

ScanLayout scanLayoutFor(const ScanLayout& layout, const QSize& widgetSize, const QFont& font,
                         const ScanPicture& picture)
{
    return scanLayoutWithTexts(layout, widgetSize, font, picture.legend, picture.summary);
}

ScanDrawing layOutScan(const QSize& widgetSize, const QFont& font, const ScanLayout& layout, ScanPicture picture)
{
    ScanLayout laidOut = scanLayoutFor(layout, widgetSize, font, picture);
    ScanDrawing drawing{std::move(laidOut), std::move(picture), {}};
    const ScanFrame frame = scanFrame(scanPanel(widgetSize, drawing.layout), drawing.picture);
    if (drawing.picture.roundGrid) {
        const AxisTicks ticks = horizontalTicks(drawing.picture.first, drawing.picture.last, frame.panel.width(), font);
        for (const double value : ticks.values)
            drawing.picture.gridLines.emplace_back(value, tickText(value, ticks.decimals));
    }
    for (const ScanCurve& curve : drawing.picture.curves)
        drawing.curves.push_back(scanCurve(curve.points, frame));
    return drawing;
}

void paintScan(QPainter& painter, const QSize& widgetSize, const ScanDrawing& drawing)
{
    const ScanLayout& layout = drawing.layout;
    const ScanPicture& picture = drawing.picture;
    const QRect panel = drawScanPanel(painter, widgetSize, layout);
    const ScanFrame frame = scanFrame(panel, picture);
    const auto x = [&](double v) { return mapValue(frame.x, v); };
    for (const ScanBand& band : picture.bands)
        if (band.to > band.from)
            fillScanBand(painter, panel, x(band.from), x(band.to), band.colour);
    drawTransmissionGrid(painter, panel, layout.transmissionLabelLeft);
    for (const auto& [value, label] : picture.gridLines)
        drawScanGridLine(painter, panel, x(value), label, layout.valueLabelWidth);
    for (const double threshold : picture.thresholds)
        drawScanThreshold(painter, panel, x(threshold), picture.thresholdWidth);
    {
        // A value far outside the range leaves the panel: not over the
        // legend beside it.
        painter.save();
        painter.setClipRect(QRectF(panel).adjusted(-2.0, -2.0, 2.0, 2.0), Qt::IntersectClip);
        for (std::size_t i = 0; i < picture.curves.size(); ++i)
            strokePath(painter, drawing.curves[i], roundPlotPen(picture.curves[i].colour, picture.curves[i].width));
        painter.restore();
    }
    const auto marker = [&](bool discs) {
        if (!picture.curves.empty())
            drawScanMarker(painter, frame, picture.curves.back().points, picture.first, picture.last, picture.current,
                           picture.packetMaxPRight, discs);
    };
    marker(false);
    drawScanLegend(painter, panel, layout, picture.legend);
    drawScanSummary(painter, widgetSize, layout, picture.summary);
    std::vector<QRectF> named;
    for (const ScanBand& band : picture.bands)
        if (!band.name.isEmpty())
            drawScanBandName(painter, panel, x(band.from), x(band.to), panel.top() + layout.bandNameDrop,
                             band.nameInset, band.name, drawing.curves, named);
    marker(true);
}

void ScanPicture::addThreshold(double value)
{
    if (first <= value && value <= last)
        thresholds.push_back(value);
}

double ScanPicture::within(double value) const { return std::max(first, std::min(value, last)); }

double scanTransmissionY(const QRect& panel, double transmission)
{
    return panel.bottom() - panel.height() * clampNanToLower(transmission, 0.0, 1.0);
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

} // namespace vxo::plot
