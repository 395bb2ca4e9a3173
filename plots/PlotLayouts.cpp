#include "plots/PlotLayouts.h"

#include "plots/PlotTexts.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

namespace vxo::plot {

QRectF panelRect(const QSize& widgetSize, const PanelLayout& layout)
{
    const QMarginsF& m = layout.margins;
    return QRectF(m.left(), m.top(), atLeast(widgetSize.width() - m.left() - m.right(), layout.minimum.width()),
                  atLeast(widgetSize.height() - m.top() - m.bottom(), layout.minimum.height()));
}

StackedPanels stackedPanels(const QSize& widgetSize, const StackedLayout& layout)
{
    const SplitLayout form = splitForm(layout);
    const SplitPanels split = splitPanels(widgetSize, form);
    if (sideBySide(split))
        return StackedPanels{split.upper.toRect(), split.lower.toRect(), split.upper.top() >= form.sideBySideTop};
    const QMargins& m = layout.upper;
    const QRect upper(m.left(), m.top(),
                      std::max(widgetSize.width() - m.left() - m.right(), layout.upperMinimum.width()),
                      std::max(widgetSize.height() - m.top() - m.bottom(), layout.upperMinimum.height()));
    const QRect lower(m.left(), upper.bottom() + layout.gap, upper.width(),
                      std::max(widgetSize.height() - layout.lowerMargin - upper.bottom(), layout.lowerMinHeight));
    return StackedPanels{upper, lower};
}

bool sideBySide(const StackedPanels& panels) { return panels.lower.left() > panels.upper.right(); }

SplitLayout splitForm(const StackedLayout& layout)
{
    const QMargins& m = layout.upper;
    // At the stacked height the lower panel, which gets what the upper one's
    // bottom margin leaves, is this high: the two panels share the least
    // upper one and it, a gap row fewer than gap apart (QRect's bottom is its
    // last row) and lowerMargin - gap above the widget's bottom.
    const int upperPanel = std::max(static_cast<int>(kReadablePanel), layout.upperMinimum.height());
    const int lowerPanel = std::max(m.bottom() - layout.lowerMargin + 1, layout.lowerMinHeight);
    return SplitLayout{}
        .withLeft(m.left())
        .withRight(m.right())
        .withTop(m.top())
        .withGap(layout.gap - 1)
        .withBottom(layout.lowerMargin - layout.gap)
        .withMinimumHeight(upperPanel + lowerPanel)
        .withSideBySidePanelWidth(layout.sideBySidePanelWidth)
        .withSideBySideTop(m.top() + layout.texts.sideBySideSummaryHeight)
        .withSideBySideBottom(layout.sideBySideBottom)
        .withLeastSideBySidePanel(layout.leastSideBySidePanel);
}

StackedLayout orbitOverTimeLayout()
{
    // The time panel's times under it, over its caption.
    StackedLayout layout{QMargins(58, 40, 18, 208 + kTimesRow), QSize(120, 150), 30, 58 + kTimesRow, 105};
    layout.sideBySideBottom += kTimesRow;
    return layout;
}

StackedLayout withCaptionsUnder(StackedLayout layout, const QFont& font, int width, const CaptionUnder& upper,
                                const CaptionUnder& lower)
{
    const SplitLayout form = splitForm(layout);
    const double panel = atLeast(width / 2.0 - form.left - form.right, 1.0);
    const double band = std::max(upper.above + wrappedTextHeight(font, panel, upper.text),
                                 lower.above + wrappedTextHeight(font, panel, lower.text));
    layout.sideBySideBottom = static_cast<int>(std::ceil(band)) + 2;
    return layout;
}

SplitPanels splitPanels(const QSize& widgetSize, const SplitLayout& layout)
{
    if (widgetSize.height() < stackedHeight(layout) && widgetSize.width() >= sideBySideWidth(layout)) {
        const double column = widgetSize.width() / 2.0;
        const double width = atLeast(column - layout.left - layout.right, layout.minimumWidth);
        const double bottom = std::max({layout.bottom, layout.gap, layout.sideBySideBottom});
        const double fullTop = std::max(layout.top, layout.sideBySideTop);
        const bool givesWay = layout.leastSideBySidePanel < kReadablePanel;
        const bool tooShort = givesWay && widgetSize.height() < fullTop + bottom + kReadablePanel;
        const double top = tooShort ? layout.top : fullTop;
        const QRectF upper(
            layout.left, top, width,
            atLeast(widgetSize.height() - top - bottom, std::min(layout.leastSideBySidePanel, kReadablePanel)));
        return SplitPanels{upper, upper.translated(column, 0.0)};
    }
    const double available =
        atLeast(widgetSize.height() - layout.top - layout.gap - layout.bottom, layout.minimumHeight);
    const QRectF upper(layout.left, layout.top,
                       atLeast(widgetSize.width() - layout.left - layout.right, layout.minimumWidth),
                       layout.share * available);
    return SplitPanels{
        upper, QRectF(layout.left, upper.bottom() + layout.gap, upper.width(), available - layout.share * available)};
}

bool sideBySide(const SplitPanels& panels) { return panels.lower.left() > panels.upper.right(); }

namespace {
// The whole pixels a length needs, a rounding error above a whole one not counted.
int wholePixels(double length) { return static_cast<int>(std::ceil(length - 1e-9)); }
} // namespace

int stackedHeight(const SplitLayout& layout)
{
    const double smaller = std::min(layout.share, 1.0 - layout.share);
    const double panels = std::max(kReadablePanel / smaller, layout.minimumHeight);
    return wholePixels(layout.top + layout.gap + layout.bottom + panels);
}

int sideBySideHeight(const SplitLayout& layout)
{
    const double bottom = std::max({layout.bottom, layout.gap, layout.sideBySideBottom});
    if (layout.leastSideBySidePanel < kReadablePanel)
        return wholePixels(layout.top + bottom + layout.leastSideBySidePanel);
    return wholePixels(std::max(layout.top, layout.sideBySideTop) + bottom + kReadablePanel);
}

int sideBySideWidth(const SplitLayout& layout)
{
    return wholePixels(2.0 * (layout.left + layout.right + layout.sideBySidePanelWidth));
}

int splitPageHeight(int width, const SplitLayout& layout)
{
    if (width < sideBySideWidth(layout))
        return stackedHeight(layout);
    const bool narrow = width / 2.0 - layout.left - layout.right < layout.narrowPanelWidth;
    return std::max(sideBySideHeight(layout), narrow ? wholePixels(layout.narrowHeight) : 0);
}

SplitLayout withTitleRoom(const SplitLayout& layout, const QSize& widgetSize, const QFont& font,
                          const std::vector<QString>& titles, double beyond)
{
    const SplitPanels panels = splitPanels(widgetSize, layout);
    if (!sideBySide(panels))
        return layout;
    const QFontMetricsF metrics(font);
    const double room = panels.upper.width() + beyond;
    if (std::none_of(titles.begin(), titles.end(),
                     [&](const QString& title) { return metrics.horizontalAdvance(title) > room; }))
        return layout;
    const double line = std::ceil(metrics.height());
    return layout.withTop(layout.top + line).withSideBySideTop(std::max(layout.top, layout.sideBySideTop) + line);
}

QRect pixelPanel(const QRectF& panel)
{
    return QRect(int(panel.left()), int(panel.top()), int(panel.width()), int(panel.height()));
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
        .withMinimumWidth(100.0)
        .withSideBySidePanelWidth(200.0);
}

namespace {

// The panels of interferencePanels side by side in a widget of the given size.
InterferencePanels interferencePanelsSideBySide(const QSize& widgetSize, const InterferenceLayout& layout)
{
    const QMarginsF& m = layout.margins;
    const double column = widgetSize.width() / 2.0;
    const double width = column - m.left() - m.right();
    const auto under = [&](const QRectF& above, const StackedBand& band, double height) {
        return QRectF(above.left(), above.bottom() + band.gap, width, height);
    };
    const double rows = width < layout.twoRowLegendWidth ? 2.0 : 1.0;
    const double legend = rows * layout.stripLegend.height;
    const double scanLegend = rows * layout.scanLegend.height;
    const double underHistory = layout.sideBySideStrip.gap + layout.sideBySideStrip.height + layout.stripNumbers.gap +
                                layout.stripNumbers.height + layout.stripLegend.gap + legend;
    const double underScan = layout.scanNumbers.gap + layout.scanNumbers.height + layout.scanCaption.gap +
                             layout.scanCaption.height + layout.scanLegend.gap + scanLegend;
    InterferencePanels panels;
    panels.history = QRectF(m.left(), m.top(), width,
                            atLeast(widgetSize.height() - m.top() - underHistory - layout.sideBySideBottom,
                                    std::min(layout.minimumHistory.height(), layout.leastHistory)));
    panels.strip = under(panels.history, layout.sideBySideStrip, layout.sideBySideStrip.height);
    panels.stripNumbers = under(panels.strip, layout.stripNumbers, layout.stripNumbers.height);
    panels.stripLegend = under(panels.stripNumbers, layout.stripLegend, legend);
    panels.scan = QRectF(
        column + m.left(), m.top(), width,
        atLeast(widgetSize.height() - m.top() - underScan - layout.sideBySideBottom, layout.sideBySideStrip.height));
    panels.scanNumbers = under(panels.scan, layout.scanNumbers, layout.scanNumbers.height);
    // The scan's caption over the whole right half, its margins too.
    panels.scanCaption = QRectF(column + 4.0, panels.scanNumbers.bottom() + layout.scanCaption.gap, column - 8.0,
                                layout.scanCaption.height);
    panels.scanLegend =
        QRectF(panels.scan.left(), panels.scanCaption.bottom() + layout.scanLegend.gap, width, scanLegend);
    panels.figure = QRectF(m.left(), m.top(), panels.scan.right() - m.left(), panels.history.height());
    return panels;
}

} // namespace

InterferencePanels interferencePanels(const QSize& widgetSize, const InterferenceLayout& layout)
{
    const QMarginsF& m = layout.margins;
    const double left = m.left();
    const double width = atLeast(widgetSize.width() - m.right(), left + layout.minimumHistory.width()) - left;
    const double below = layout.strip.gap + layout.strip.height + layout.scan.gap + layout.scan.height + m.bottom() +
                         layout.scanNumbers.gap + layout.scanNumbers.height + layout.scanLegend.gap +
                         layout.scanLegend.height;
    // What a widget shorter than the minimum history's natural height gives
    // up from the room under the scan's caption.
    const double room = atLeast(m.bottom() - layout.scanCaption.gap - layout.scanCaption.height, 0.0);
    const double natural = m.top() + layout.minimumHistory.height() + below;
    if (widgetSize.height() < natural - room &&
        widgetSize.width() >= 2.0 * (m.left() + m.right() + layout.sideBySideColumn))
        return interferencePanelsSideBySide(widgetSize, layout);
    const auto under = [&](const QRectF& above, const StackedBand& band) {
        return QRectF(left, above.bottom() + band.gap, width, band.height);
    };
    const double given = std::clamp(natural - widgetSize.height(), 0.0, room);
    InterferencePanels panels;
    panels.history = QRectF(left, m.top(), width,
                            atLeast(widgetSize.height() - (m.top() + below - given),
                                    std::min(layout.minimumHistory.height(), layout.leastHistory)));
    panels.strip = under(panels.history, layout.strip);
    panels.scan = under(panels.strip, layout.scan);
    panels.stripNumbers = under(panels.strip, layout.stripNumbers);
    panels.stripLegend = under(panels.stripNumbers, layout.stripLegend);
    panels.scanNumbers = under(panels.scan, layout.scanNumbers);
    panels.scanCaption = under(panels.scanNumbers, layout.scanCaption);
    panels.scanLegend = under(panels.scanCaption, layout.scanLegend);
    panels.figure = QRectF(left, m.top(), width, panels.scan.bottom() - m.top());
    return panels;
}

bool sideBySide(const InterferencePanels& panels) { return panels.scan.left() > panels.history.right(); }

QRect scanPanel(const QSize& widgetSize, const ScanLayout& layout)
{
    const QMargins& m = layout.margins;
    return QRect(m.left(), m.top(), std::max(widgetSize.width() - m.left() - m.right(), 120),
                 std::max(widgetSize.height() - m.top() - m.bottom(), layout.leastPanelHeight));
}

ScanLayout withLegendRoom(const ScanLayout& layout, const QSize& widgetSize, const QFont& font, const QString& legend)
{
    const int width = scanPanel(widgetSize, layout).width();
    const int needed = static_cast<int>(std::ceil(wrappedTextHeight(font, width, legend)));
    if (needed <= layout.legendHeight)
        return layout;
    QMargins margins = layout.margins;
    margins.setBottom(margins.bottom() + needed - layout.legendHeight);
    return layout.withMargins(margins).withLegendHeight(needed);
}

ScanLayout withSummaryRoom(const ScanLayout& layout, const QSize& widgetSize, const QFont& font, const QString& summary)
{
    const int width = scanPanel(widgetSize, layout).width();
    const int needed =
        static_cast<int>(std::ceil(wrappedTextHeight(font, width, breakBetweenFields(font, width, summary))));
    const int top = layout.summaryTop + needed + layout.summaryGap;
    if (summary.isEmpty() || top <= layout.margins.top())
        return layout;
    QMargins margins = layout.margins;
    margins.setTop(top);
    return layout.withMargins(margins);
}

ScanLayout scanLayoutWithTexts(const ScanLayout& layout, const QSize& widgetSize, const QFont& font,
                               const QString& legend, const QString& summary)
{
    const ScanLayout full =
        withSummaryRoom(withLegendRoom(layout, widgetSize, font, legend), widgetSize, font, summary);
    const QMargins& m = full.margins;
    if (widgetSize.height() - m.top() - m.bottom() >= kReadablePanel)
        return full;
    QMargins margins = layout.margins;
    margins.setTop(layout.summaryTop);
    ScanLayout shortLayout = layout.withMargins(margins);
    shortLayout.leastPanelHeight = kShortPagePanel;
    if (widgetSize.width() < margins.left() + kShortScanPanelWidth + margins.right() + kLegendColumnWidth)
        return withLegendRoom(shortLayout, widgetSize, font, legend);
    margins.setRight(margins.right() + kLegendColumnWidth);
    margins.setBottom(layout.legendGap);
    shortLayout = shortLayout.withMargins(margins);
    shortLayout.legendColumn = kLegendColumnWidth;
    return shortLayout;
}

QRect scanSummaryBox(const QSize& widgetSize, const ScanLayout& layout)
{
    const QRect panel = scanPanel(widgetSize, layout);
    return QRect(panel.left(), layout.summaryTop, panel.width(),
                 std::max(panel.top() - layout.summaryGap - layout.summaryTop, 0));
}

VortexPanels vortexPanels(const QSize& widgetSize, const VortexLayout& layout)
{
    const double side = layout.share * std::max(widgetSize.height() - layout.heightMargin, layout.minimumHeight);
    const QRectF orbit(
        layout.left, layout.top,
        std::min(std::max(layout.orbitShare * widgetSize.width(), layout.minimumOrbitWidth), layout.aspect * side),
        side);
    const QRectF momentum(
        orbit.right() + layout.gap, layout.top,
        std::max(widgetSize.width() - orbit.right() - layout.rightMargin, layout.minimumMomentumWidth), side);
    return VortexPanels{orbit, momentum};
}

} // namespace vxo::plot
