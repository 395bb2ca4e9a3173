#include "plots/PlotPages.h"

#include "plots/PlotTexts.h"

#include <QPainter>

#include <algorithm>

namespace vxo::plot {

QRectF beginPanelPlot(QPainter& painter, const QRect& widgetRect, const PanelLayout& layout, const QColor& gridColour)
{
    const QRectF panel = beginPanelPage(painter, widgetRect, layout);
    drawGridAndFrame(painter, panel, gridColour);
    return panel;
}

QRectF beginPanelPage(QPainter& painter, const QRect& widgetRect, const PanelLayout& layout)
{
    beginPlot(painter, widgetRect, QColor(kSinglePanel.background));
    return panelRect(widgetRect.size(), layout);
}

bool beginTitledPage(QPainter& painter, const QRect& widgetRect, const QFont& widgetFont, const TitledPage& page,
                     const QString& title, bool hasData, const QString& placeholder)
{
    const int w = widgetRect.width();
    beginPlot(painter, widgetRect, QColor(page.background), false);
    painter.setFont(boldTitleFont(widgetFont));
    drawTitleLine(painter, QRect(12, page.titleTop, w - 24, page.titleHeight), Qt::AlignLeft | Qt::AlignVCenter, title,
                  QColor(page.titleColour));
    painter.setFont(widgetFont);
    if (!hasData)
        drawTextBox(painter, QRect(20, page.placeholderTop, w - 40, widgetRect.height() - page.placeholderTop - 20),
                    Qt::AlignCenter | Qt::TextWordWrap, placeholder, QColor(page.placeholderColour));
    return hasData;
}

std::optional<StackedPanels> beginGaugePage(QPainter& painter, const QRect& widgetRect, const QFont& widgetFont,
                                            const QString& title, bool hasData, const QString& placeholder,
                                            const StackedLayout& layout)
{
    if (!beginTitledPage(painter, widgetRect, widgetFont, kGaugePage, title, hasData, placeholder))
        return std::nullopt;
    return drawStackedPanels(painter, widgetRect.size(), layout, QColor(kInnerPanel.stackedFrame),
                             QColor(kInnerPanel.fill));
}

StackedPanels drawStackedPanels(QPainter& painter, const QSize& widgetSize, const StackedLayout& layout,
                                const QColor& frame, const QColor& fill)
{
    const StackedPanels panels = stackedPanels(widgetSize, layout);
    drawFilledFrame(painter, panels.upper, plotPen(frame), fill);
    drawFilledFrame(painter, panels.lower, plotPen(frame), fill);
    return panels;
}

void drawTitledPanels(QPainter& painter, const SplitPanels& panels, const QPen& framePen, const QColor& titleColour,
                      const PanelTitle& upperTitle, const PanelTitle& lowerTitle)
{
    drawFrame(painter, panels.upper, framePen);
    drawFrame(painter, panels.lower, framePen);
    // Side by side, a title may use its panel's share of the margin between
    // the two and the upper one the left margin too, so that less of it is cut.
    const double spread = sideBySide(panels) ? (panels.lower.left() - panels.upper.right()) / 2.0 - 4.0 : 0.0;
    const double leftSpread = std::min(spread, panels.upper.left() - 4.0);
    drawPanelTitle(painter, panels.upper.adjusted(-leftSpread, 0.0, spread, 0.0), upperTitle.text, titleColour,
                   upperTitle.top, upperTitle.height);
    drawPanelTitle(painter, panels.lower.adjusted(-spread, 0.0, 0.0, 0.0), lowerTitle.text, titleColour, lowerTitle.top,
                   lowerTitle.height);
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
    beginPlot(painter, widgetRect, QColor(kRecorder.background));
    // Side by side a title may run over half the margin between the panels
    // (drawTitledPanels); one that needs two lines there gets them.
    const SplitLayout roomy =
        withTitleRoom(layout, widgetRect.size(), painter.font(), {page.upperTitle.text, page.lowerTitle.text},
                      (layout.left + layout.right) / 2.0 - 4.0);
    const double extra = roomy.top - layout.top;
    const SplitPanels panels = splitPanels(widgetRect.size(), roomy);
    // Side by side, the lower panel's title stands level with the upper one's.
    const PanelTitle upperTitle{page.upperTitle.text, page.upperTitle.top, page.upperTitle.height + extra};
    const PanelTitle lowerTitle =
        sideBySide(panels)
            ? upperTitle
            : PanelTitle{page.lowerTitle.text, panels.upper.bottom() + page.lowerTitle.top, page.lowerTitle.height};
    drawTitledPanels(painter, panels, plotPen(QColor(page.look.frame)), QColor(page.look.title), upperTitle,
                     PanelTitle{page.lowerTitle.text, lowerTitle.top, lowerTitle.height});
    if (!hasData) {
        drawPanelPlaceholders(painter, panels, QColor(page.look.placeholder), page.placeholders.upper,
                              page.placeholders.lower);
        return std::nullopt;
    }
    return panels;
}

QRectF curvesUnderLegend(QPainter& painter, const QRectF& panel, bool sideBySide, const std::vector<LegendItem>& legend,
                         const QColor& ruleColour, const QColor& patch, const QString& note, const QColor& noteColour)
{
    QRectF curves = panel;
    if (!sideBySide)
        return curves;
    double bandBottom = drawLegendRow(painter, curves.left(), curves.top() + 5.0, curves.right() - 4.0, legend, patch);
    // A note that would leave the curves less than half the panel (a short
    // page) is left out: the page's summary label carries its figures.
    const double noteWidth = curves.width() - 20.0;
    const double noteHeight = note.isEmpty() ? 0.0 : wrappedTextHeight(painter.font(), noteWidth, note);
    if (!note.isEmpty() && curves.bottom() - (bandBottom + noteHeight + 4.0) >= curves.height() / 2.0)
        bandBottom = drawTextInPanel(painter, QRectF(curves.left() + 10.0, bandBottom, noteWidth, 20.0), curves,
                                     Qt::AlignRight, note, noteColour, patch)
                         .bottom();
    curves.setTop(bandBottom + 4.0);
    drawHorizontalLine(painter, plotPen(ruleColour), curves.left(), curves.right(), curves.top());
    return curves;
}

HeadedPanels headedPanels(const QSize& widgetSize, const SplitLayout& layout, const QFont& font,
                          const QString& upperHeading, const QString& lowerHeading)
{
    const SplitLayout roomy = withTitleRoom(layout, widgetSize, font, {upperHeading, lowerHeading});
    // A short page keeps its headings on one line, set smaller where they
    // need it (drawTitleLine), rather than lowering its panels under their
    // least height for a second line.
    if (roomy.top > layout.top && widgetSize.height() < sideBySideHeight(roomy))
        return {splitPanels(widgetSize, layout), 0.0};
    return {splitPanels(widgetSize, roomy), roomy.top - layout.top};
}

void drawPanelHeadings(QPainter& painter, const HeadedPanels& headed, const QString& upperHeading,
                       const QString& lowerHeading, const QColor& colour)
{
    for (const auto& [panel, heading] : {std::pair{pixelPanel(headed.panels.upper), upperHeading},
                                         std::pair{pixelPanel(headed.panels.lower), lowerHeading}})
        drawTitleLine(painter, QRectF(panel.left(), panel.top() - 20 - headed.room, panel.width(), 18 + headed.room),
                      Qt::AlignLeft | Qt::AlignBottom, heading, colour);
}

void beginLatticePage(QPainter& painter, const QRect& widgetRect, const QString& title, double titleTop)
{
    beginPlot(painter, widgetRect, QColor(kRecorder.latticeBackground));
    drawTitleLine(painter, QRectF(8, titleTop, widgetRect.width() - 16, 20), Qt::AlignCenter, title,
                  QColor(kRecorder.latticeText));
}
} // namespace vxo::plot
