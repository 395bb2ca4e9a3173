#include "plots/PlotHistories.h"

#include "experiments/DriveProtocols.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vxo::plot {

namespace detail {
PanelClip::PanelClip(QPainter& painter, const QRectF& panel) : painter_(painter)
{
    constexpr double kOverhang = 1.5;
    painter_.save();
    painter_.setClipRect(panel.adjusted(0.0, -kOverhang, 0.0, kOverhang), Qt::IntersectClip);
}

PanelClip::~PanelClip() { painter_.restore(); }
} // namespace detail

double populationY(const QRectF& panel, double p)
{
    return panel.bottom() - panel.height() * clampNanToUpper(p, 0.0, 1.0);
}

QPen sweepCurvePen(int curve)
{
    switch (curve) {
    case 0:
        return plotPen(QColor(kTwoLevel.first), 2.3);
    case 1:
        return plotPen(QColor(kTwoLevel.second), 2.1);
    case 2:
        return plotPen(translucent(kTwoLevel.sweepLeft, 180), 1.5, Qt::DashLine);
    case 3:
        return plotPen(translucent(kTwoLevel.sweepRight, 180), 1.5, Qt::DashLine);
    default:
        return plotPen(QColor(kTwoLevel.captured), 1.0, Qt::DotLine);
    }
}

std::vector<LegendItem> sweepLegend()
{
    return {{QStringLiteral("P(lower)"), kTwoLevel.first},
            {QStringLiteral("P(upper)"), kTwoLevel.second},
            {QStringLiteral("P(left)"), kTwoLevel.sweepLeft},
            {QStringLiteral("P(right)"), kTwoLevel.sweepRight}};
}

void drawLegendLine(QPainter& painter, const QRectF& line, const std::vector<LegendItem>& entries,
                    const QString& caption, const QColor& captionColour)
{
    if (entries.empty()) {
        drawCentredText(painter, line, caption, captionColour);
        return;
    }
    const QRectF row(line.left(), line.top(), line.width(), 20.0);
    double right = line.right();
    if (!caption.isEmpty()) {
        drawTextBox(painter, row, Qt::AlignRight | Qt::AlignTop, caption, captionColour);
        right -= QFontMetricsF(painter.font()).horizontalAdvance(caption) + 16.0;
    }
    drawLegendRow(painter, line.left(), line.top(), right, entries);
}

void drawHistoryLegend(QPainter& painter, const QRectF& panel, const std::vector<LegendItem>& entries,
                       const NumberedAxis& time, const NumberedAxis& left, const NumberedAxis& right)
{
    const double numbersBottom = drawHistoryNumbers(painter, panel, time, left, right);
    drawLegendLine(painter, QRectF(panel.left(), numbersBottom + 2.0, panel.width(), 22.0), entries,
                   QStringLiteral("simulation time"));
}

void drawProtocolStrip(QPainter& painter, const QRectF& strip)
{
    drawFrame(painter, strip, plotPen(QColor(kAxes.stripFrame)));
    drawHorizontalLine(painter, plotPen(QColor(kAxes.stripMidline), 1.0, Qt::DashLine), strip.left(), strip.right(),
                       strip.center().y());
}

void drawSweepStrip(QPainter& painter, const QRectF& strip, const AxisMap& x, int intervals, double t0, double t1,
                    double gain, const LinearSweep& sweep)
{
    drawProtocolStrip(painter, strip);
    if (!sweep.enabled)
        return;
    const double scale = std::max(std::fabs(sweep.startValue), std::fabs(sweep.endValue));
    drawProtocolSignal(painter, strip, x, intervals, t0, t1, scale, gain,
                       [&](double t) { return linearSweepValueAt(sweep, t); });
}

InterferencePage beginInterferencePlot(QPainter& painter, const QRect& widgetRect, const QFont& font,
                                       const InterferenceLayout& layout, double end)
{
    beginPlot(painter, widgetRect, QColor(kSinglePanel.background));
    const InterferencePanels panels = interferencePanels(widgetRect.size(), layout);
    const QColor colour(kSinglePanel.axisText);
    const NumberedAxis time = timeAxis(panels.history, 0.0, end, font, colour);
    const NumberedAxis population = fractionAxis(panels.history, font, colour);
    drawHistoryGrid(painter, panels.history, time, population, QColor(kAxes.historyGrid));
    return {panels, time.map, time, population};
}

void drawHistoryPlaceholder(QPainter& painter, const QRectF& panel, const QString& text)
{
    drawTextOnPatch(painter, panel, Qt::AlignCenter | Qt::TextWordWrap, text, QColor(kSinglePanel.placeholder),
                    QColor(kSinglePanel.background));
}

void drawProtocolGuide(QPainter& painter, const InterferencePanels& panels, const AxisMap& x, double t, const QPen& pen)
{
    drawVerticalLine(painter, pen, mapValue(x, t), panels.history.top(), panels.strip.bottom());
}

void drawFringeMarker(QPainter& painter, const QPointF& at)
{
    const QColor marker(kTwoLevel.fringeCurrent);
    drawOutlinedDisc(painter, at, 3.5, 3.5, marker, plotPen(marker));
}

void drawInterferenceLabels(QPainter& painter, const InterferencePage& page, const QString& stripLabel,
                            const QString& scanLabel, const QString& scanCaption)
{
    const InterferencePanels& panels = page.panels;
    const QColor colour(kSinglePanel.axisText);
    const int flags = Qt::AlignRight | Qt::AlignVCenter;
    // The labels in the margin left of their panel: the scan's beside the
    // history's column where it stands beside it.
    const auto labelLeft = [](const QRectF& panel) { return panel.left() - 56.0; };
    drawValueNumbers(painter, panels.history, page.population);
    drawHorizontalAxisNumbers(painter, panels.strip, page.time, page.timeScale.ticks, colour,
                              panels.stripNumbers.top() - panels.strip.bottom());
    drawValueLabels(painter, panels.scan, QStringLiteral("1.0"), QStringLiteral("0.0"), colour, labelLeft(panels.scan));
    drawTextBox(painter,
                QRectF(labelLeft(panels.strip), panels.strip.top() + (panels.strip.height() - 20.0) / 2.0, 52.0, 18.0),
                flags, stripLabel, colour);
    drawTextBox(painter, QRectF(labelLeft(panels.scan), panels.scan.center().y() - 9.0, 52.0, 18.0), flags, scanLabel,
                colour);
    drawCentredText(painter, panels.scanCaption, scanCaption, colour);
}
} // namespace vxo::plot
