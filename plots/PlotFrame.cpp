#include "plots/PlotFrame.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace vxo::plot {

namespace {

bool finite(double a, double b, double c) { return std::isfinite(a) && std::isfinite(b) && std::isfinite(c); }

} // namespace

void beginPlot(QPainter& painter, const QRect& widgetRect, const QColor& background, bool textAntialiasing)
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (textAntialiasing)
        painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(widgetRect, background);
}

double atLeast(double value, double floor) { return value > floor ? value : floor; }

QRectF panelRect(const QSize& widgetSize, const PanelLayout& layout)
{
    const QMarginsF& m = layout.margins;
    return QRectF(m.left(), m.top(), atLeast(widgetSize.width() - m.left() - m.right(), layout.minimum.width()),
                  atLeast(widgetSize.height() - m.top() - m.bottom(), layout.minimum.height()));
}

QRectF beginPanelPlot(QPainter& painter, const QRect& widgetRect, const PanelLayout& layout, const QColor& gridColour)
{
    beginPlot(painter, widgetRect, QColor(kBackground));
    const QRectF panel = panelRect(widgetRect.size(), layout);
    drawGridAndFrame(painter, panel, gridColour);
    return panel;
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

void drawTextBox(QPainter& painter, const QRectF& box, int flags, const QString& text, const QColor& colour)
{
    if (!finite(box.left(), box.top(), box.width()) || !std::isfinite(box.height()))
        return;
    painter.setPen(colour);
    painter.drawText(box, flags, text);
}

QRectF drawTextOnPatch(QPainter& painter, const QRectF& box, int flags, const QString& text, const QColor& colour,
                       const QColor& patch)
{
    if (!finite(box.left(), box.top(), box.width()) || !std::isfinite(box.height()))
        return QRectF();
    // The painter measures nothing with no pen (after a disc, say).
    painter.setPen(colour);
    const QRectF taken = painter.boundingRect(box, flags, text);
    if (!taken.isEmpty())
        painter.fillRect(taken.adjusted(-3.0, 0.0, 3.0, 0.0), patch);
    drawTextBox(painter, box, flags, text, colour);
    return taken;
}

double wrappedTextHeight(const QFont& font, double width, const QString& text)
{
    const QRectF column(0.0, 0.0, atLeast(width, 1.0), 1e6);
    return QFontMetricsF(font).boundingRect(column, Qt::TextWordWrap, text).height();
}

void drawCentredText(QPainter& painter, const QRectF& rect, const QString& text, const QColor& colour)
{
    drawTextBox(painter, rect, Qt::AlignCenter, text, colour);
}

void drawPanelTitle(QPainter& painter, const QRectF& panel, const QString& text, const QColor& colour, double top,
                    double height)
{
    const QRectF band(panel.left(), top, panel.width(), height);
    const double needed = QFontMetricsF(painter.font()).horizontalAdvance(text);
    if (needed <= band.width()) {
        drawCentredText(painter, band, text, colour);
        return;
    }
    // In a narrow window a title wider than its panel is set smaller, down to
    // 70% of the font, and what still does not fit is elided at its end
    // instead of being cut at both.
    painter.save();
    QFont font = painter.font();
    const double scale = std::max(0.7, band.width() / needed);
    if (font.pointSizeF() > 0.0)
        font.setPointSizeF(font.pointSizeF() * scale);
    else
        font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * scale)));
    painter.setFont(font);
    drawCentredText(painter, band, QFontMetricsF(font).elidedText(text, Qt::ElideRight, band.width()), colour);
    painter.restore();
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
    drawTextBox(painter, QRectF(panel.right() - boxWidth, top, boxWidth, 20.0), Qt::AlignRight | Qt::TextDontClip, last,
                colour);
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

StackedPanels stackedPanels(const QSize& widgetSize, const StackedLayout& layout)
{
    const QMargins& m = layout.upper;
    const QRect upper(m.left(), m.top(),
                      std::max(widgetSize.width() - m.left() - m.right(), layout.upperMinimum.width()),
                      std::max(widgetSize.height() - m.top() - m.bottom(), layout.upperMinimum.height()));
    const QRect lower(m.left(), upper.bottom() + layout.gap, upper.width(),
                      std::max(widgetSize.height() - layout.lowerMargin - upper.bottom(), layout.lowerMinHeight));
    return StackedPanels{upper, lower};
}

StackedLayout orbitOverTimeLayout() { return {QMargins(58, 40, 18, 208), QSize(120, 150), 30, 58, 105}; }

std::optional<StackedPanels> beginGaugePage(QPainter& painter, const QRect& widgetRect, const QFont& widgetFont,
                                            const QString& title, bool hasData, const QString& placeholder,
                                            const StackedLayout& layout)
{
    if (!beginTitledPage(painter, widgetRect, widgetFont, kGaugePage, title, hasData, placeholder))
        return std::nullopt;
    return drawStackedPanels(painter, widgetRect.size(), layout, QColor(kStackedFrame), QColor(kStackedPanel));
}

StackedPanels drawStackedPanels(QPainter& painter, const QSize& widgetSize, const StackedLayout& layout,
                                const QColor& frame, const QColor& fill)
{
    const StackedPanels panels = stackedPanels(widgetSize, layout);
    drawFilledFrame(painter, panels.upper, plotPen(frame), fill);
    drawFilledFrame(painter, panels.lower, plotPen(frame), fill);
    return panels;
}

void drawPanelCaption(QPainter& painter, const QRect& panel, int gap, int height, const QString& text,
                      const QColor& colour)
{
    drawCentredText(painter, QRect(panel.left(), panel.bottom() + gap, panel.width(), height), text, colour);
}

void drawPanelSummary(QPainter& painter, const QRect& panel, int height, const QString& text, const QColor& colour,
                      const QColor& patch)
{
    // One line centred in its band; more from the band's top down.
    const int width = panel.width() - 16;
    const double needed = wrappedTextHeight(painter.font(), width, text);
    const bool oneLine = needed <= height;
    const QRect box(panel.left() + 8, panel.top() + 5, width, oneLine ? height : static_cast<int>(std::ceil(needed)));
    drawTextOnPatch(painter, box, Qt::AlignLeft | (oneLine ? Qt::AlignVCenter : Qt::AlignTop) | Qt::TextWordWrap, text,
                    colour, patch);
}

double timeAxisEnd(double analysisEndTime, double lastTime)
{
    return atLeast(lastTime > analysisEndTime ? lastTime : analysisEndTime, 1e-12);
}
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
SplitPanels splitPanels(const QSize& widgetSize, const SplitLayout& layout)
{
    const double available =
        atLeast(widgetSize.height() - layout.top - layout.gap - layout.bottom, layout.minimumHeight);
    const QRectF upper(layout.left, layout.top,
                       atLeast(widgetSize.width() - layout.left - layout.right, layout.minimumWidth),
                       layout.share * available);
    return SplitPanels{
        upper, QRectF(layout.left, upper.bottom() + layout.gap, upper.width(), available - layout.share * available)};
}

SplitLayout carpetPageLayout()
{
    return SplitLayout{}
        .withLeft(64.0)
        .withRight(24.0)
        .withTop(30.0)
        .withGap(36.0)
        .withBottom(38.0)
        .withShare(0.68)
        .withMinimumHeight(120.0)
        .withMinimumWidth(40.0);
}

SplitLayout tracePageLayout()
{
    return SplitLayout{}
        .withLeft(58.0)
        .withRight(42.0)
        .withTop(34.0)
        .withGap(42.0)
        .withBottom(42.0)
        .withShare(0.48)
        .withMinimumHeight(180.0)
        .withMinimumWidth(100.0);
}

void drawTitledPanels(QPainter& painter, const SplitPanels& panels, const QPen& framePen, const QColor& titleColour,
                      const PanelTitle& upperTitle, const PanelTitle& lowerTitle)
{
    drawFrame(painter, panels.upper, framePen);
    drawFrame(painter, panels.lower, framePen);
    drawPanelTitle(painter, panels.upper, upperTitle.text, titleColour, upperTitle.top, upperTitle.height);
    drawPanelTitle(painter, panels.lower, lowerTitle.text, titleColour, lowerTitle.top, lowerTitle.height);
}

void drawPanelPlaceholders(QPainter& painter, const SplitPanels& panels, const QColor& colour, const QString& upperText,
                           const QString& lowerText)
{
    // A narrow page sets a long placeholder on two lines.
    drawTextBox(painter, panels.upper, Qt::AlignCenter | Qt::TextWordWrap, upperText, colour);
    drawTextBox(painter, panels.lower, Qt::AlignCenter | Qt::TextWordWrap, lowerText, colour);
}

std::optional<SplitPanels> beginSplitPage(QPainter& painter, const QRect& widgetRect, const SplitLayout& layout,
                                          const SplitPage& page, bool hasData)
{
    beginPlot(painter, widgetRect, QColor(kRecorderBackground));
    const SplitPanels panels = splitPanels(widgetRect.size(), layout);
    const PanelTitle lowerTitle{page.lowerTitle.text, panels.upper.bottom() + page.lowerTitle.top,
                                page.lowerTitle.height};
    drawTitledPanels(painter, panels, plotPen(QColor(page.look.frame)), QColor(page.look.title), page.upperTitle,
                     lowerTitle);
    if (!hasData) {
        drawPanelPlaceholders(painter, panels, QColor(page.look.placeholder), page.placeholders.upper,
                              page.placeholders.lower);
        return std::nullopt;
    }
    return panels;
}

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

double drawLegendRow(QPainter& painter, double left, double top, double right, const std::vector<LegendItem>& entries,
                     const QColor& patch)
{
    constexpr double kRowHeight = 18.0;
    constexpr double kEntryGap = 12.0;
    const QFontMetricsF metrics(painter.font());
    double row = top;
    double end = -std::numeric_limits<double>::infinity();
    for (const LegendItem& entry : entries) {
        const double advance = metrics.horizontalAdvance(entry.text);
        double at = std::max(left + entry.offset, end + kEntryGap);
        // Closer to the entry before it, then on a further row.
        if (std::isfinite(end) && at + advance > right)
            at = end + kEntryGap;
        if (std::isfinite(end) && at + advance > right) {
            row += kRowHeight;
            at = left + entries.front().offset;
        }
        const QRectF box(at, row, std::max(entry.width, advance), 20.0);
        if (patch.isValid())
            drawTextOnPatch(painter, box, Qt::AlignLeft, entry.text, QColor(entry.colour), patch);
        else
            drawTextBox(painter, box, Qt::AlignLeft, entry.text, QColor(entry.colour));
        end = at + advance;
    }
    return row + 20.0;
}

void beginLatticePage(QPainter& painter, const QRect& widgetRect, const QString& title, double titleTop)
{
    beginPlot(painter, widgetRect, QColor(kLatticeBackground));
    drawCentredText(painter, QRectF(8, titleTop, widgetRect.width() - 16, 20), title, QColor(kLatticeText));
}

void drawPanelHeading(QPainter& painter, const QRect& panel, const QString& text, const QColor& colour)
{
    drawTextBox(painter, QRectF(panel.left(), panel.top() - 20, panel.width(), 18), Qt::AlignLeft, text, colour);
}

void drawSimulationTimeAxis(QPainter& painter, const QRectF& panel, double t0, double t1, const QColor& colour,
                            double boxWidth, double gap)
{
    drawAxisEndLabels(painter, panel, QString::number(t0, 'f', 1), QString::number(t1, 'f', 1), colour, boxWidth, gap);
    drawAxisCaption(painter, panel, QStringLiteral("simulation time"), colour);
}
} // namespace vxo::plot
