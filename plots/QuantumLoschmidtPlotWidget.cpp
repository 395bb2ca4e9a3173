#include "plots/QuantumLoschmidtPlotWidget.h"

#include "experiments/LoschmidtRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <limits>
#include <utility>

namespace vxo {

using namespace plot;

namespace {

// The range of the centroids with a margin: a single value is widened by 1 on
// each side first, then 12 % of the span (at least 1) is added at each end.
std::pair<double, double> paddedRange(const FiniteExtent& extent)
{
    double lo = extent.minimum;
    double hi = extent.maximum;
    if (!(hi > lo)) {
        hi += 1.0;
        lo -= 1.0;
    }
    const double span = atLeast(hi - lo, 1.0);
    return {lo - 0.12 * span, hi + 0.12 * span};
}

const SplitPage kPage{kTracePageLook,
                      {"Loschmidt echo - centroid path before and after time reversal", 5.0, 22.0},
                      {"Density echo vs coherent time-reversed-state fidelity", 10.0, 22.0},
                      {"Load Loschmidt Echo / Quantum Time Reversal and press Play",
                       "At t = 2T a perfect reversal should reconstruct the initial density"}};

} // namespace

void QuantumLoschmidtPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const std::optional<SplitPanels> panels = beginSplitPage(painter, rect(), layout(), kPage, hasSamples());
    if (!panels)
        return;
    const auto& [pathPanel, echoPanel] = *panels;
    const std::vector<LoschmidtSample>& samples = recorder_->samples();
    const LoschmidtSample& last = samples.back();
    const double reversal = recorder_->config().reversalTime;

    FiniteExtent xs;
    FiniteExtent ys;
    for (const LoschmidtSample& s : samples) {
        extendFinite(xs, s.centroidX);
        extendFinite(ys, s.centroidY);
    }
    const auto [xmin, xmax] = paddedRange(xs);
    const auto [ymin, ymax] = paddedRange(ys);
    // One scale along both axes, centred in the panel: the path keeps its shape.
    const PlaneAxes plane = equalScaleAxes(pathPanel, xmin, xmax, ymin, ymax, 1e-12);
    const auto pointOf = [&](const LoschmidtSample& s) { return mapPlane(plane, s.centroidX, s.centroidY); };

    // The return starts where the outbound path ended: at the last outbound
    // sample before the first return sample, or at that sample itself when the
    // recorder has dropped every outbound one.
    const auto returning = [&](const LoschmidtSample& s) { return s.time > reversal + 1e-9 || s.reversed; };
    std::vector<QPointF> outbound;
    std::vector<QPointF> back;
    for (const LoschmidtSample& s : samples) {
        if (!returning(s)) {
            outbound.push_back(pointOf(s));
            continue;
        }
        if (back.empty())
            back.push_back(outbound.empty() ? pointOf(s) : outbound.back());
        back.push_back(pointOf(s));
    }
    const auto path = [](const std::vector<QPointF>& points) {
        return polylineBridgingGaps(points.size(), [&](std::size_t i) { return points[i]; });
    };
    strokePath(painter, path(outbound), plotPen(QColor(kCurves.traceFidelity), 2.2));
    strokePath(painter, path(back), plotPen(QColor(kCurves.tracePhase), 2.2));
    drawDisc(painter, pointOf(samples.front()), 5.5, QColor(kMarkers.loschmidtStart));
    if (!back.empty())
        drawDisc(painter, back.front(), 6.0, QColor(kMarkers.loschmidtTurn));
    drawDisc(painter, pointOf(last), 4.5, QColor(kMarkers.loschmidtCurrent));
    const QString returnName = QStringLiteral("gold: return");
    const double legendBottom = drawLegendRow(painter, pathPanel.left(), pathPanel.top() + 5.0, pathPanel.right() - 4.0,
                                              {{QStringLiteral("cyan: outbound"), kCurves.traceFidelity, 8.0, 180.0},
                                               {returnName, kCurves.tracePhase, 142.0, 180.0}},
                                              QColor(kRecorder.background));
    // The time and count share the legend's line where the panel holds both,
    // else they go under it; in a narrow panel each text wraps inside it.
    const QString count =
        QStringLiteral("t=%1   samples=%2").arg(QString::number(last.time, 'f', 2), QString::number(samples.size()));
    const QFontMetricsF metrics(painter.font());
    const bool shareTop = 142.0 + metrics.horizontalAdvance(returnName) + 20.0 + metrics.horizontalAdvance(count) <=
                          pathPanel.width() - 10.0;
    drawTextInPanel(painter,
                    QRectF(pathPanel.right() - 320.0, shareTop ? pathPanel.top() + 5.0 : legendBottom, 310.0, 20.0),
                    pathPanel, Qt::AlignRight, count, QColor(kRecorder.traceAxis), QColor(kRecorder.background));

    // Side by side, the legend and the current echoes stand above the curves.
    const std::vector<LegendItem> legend{
        {QStringLiteral("cyan: density echo"), kCurves.traceFidelity, 8.0, 210.0},
        {QStringLiteral("gold: coherent state echo"), kCurves.tracePhase, 165.0, 300.0}};
    const QString current = QStringLiteral("current: density=%1   state=%2   norm=%3")
                                .arg(QString::number(last.densityEcho, 'f', 4), QString::number(last.fidelity, 'f', 4),
                                     QString::number(last.norm, 'f', 5));
    const QRectF echo = curvesUnderLegend(painter, panels->lower, true, legend, QColor(kRecorder.traceFrame),
                                          QColor(kRecorder.background), current, QColor(kRecorder.traceStatus));

    // Time from 0 to 2T, or on to the last sample once the run passes 2T.
    const double end = last.time > reversal ? std::max(2.0 * reversal, last.time) : 2.0 * reversal;
    const QColor axisText(kRecorder.traceAxis);
    const NumberedAxis times = timeAxis(echo, 0.0, end, font(), axisText);
    const NumberedAxis echoes = fractionAxis(echo, font(), axisText);
    const AxisMap& time = times.map;
    const AxisMap& unit = echoes.map;
    drawValueLines(painter, echo, echoes, plotPen(QColor(kAxes.loschmidtQuarters)));
    const double reversalX = mapValue(time, reversal);
    const double returnX = mapValue(time, 2.0 * reversal);
    drawVerticalLine(painter, plotPen(QColor(kMarkers.loschmidtTurn), 1.2, Qt::DashLine), reversalX, echo.top(),
                     echo.bottom());
    drawVerticalLine(painter, plotPen(QColor(kMarkers.loschmidtStart), 1.2, Qt::DashLine), returnX, echo.top(),
                     echo.bottom());
    strokePath(painter, timeCurve(samples, time, unit, clampedFraction(&LoschmidtSample::densityEcho)),
               plotPen(QColor(kCurves.traceFidelity), 2.0));
    strokePath(painter, timeCurve(samples, time, unit, clampedFraction(&LoschmidtSample::fidelity)),
               plotPen(QColor(kCurves.tracePhase), 2.0));

    drawValueNumbers(painter, echo, echoes);
    // The round times under the panel; in the row under them T and 2T under
    // their lines, moved apart once a long run squeezes them together, and
    // the caption at the left where they leave it room.
    drawTimeNumbers(painter, echoPanel, times, QColor(kRecorder.traceFrame), QString());
    const double row = metrics.height();
    const double labelTop = echoPanel.bottom() + 3.0 + row;
    const QString marks[] = {QStringLiteral("T = %1").arg(reversal, 0, 'f', 2),
                             QStringLiteral("2T = %1").arg(2.0 * reversal, 0, 'f', 2)};
    const double markAt[] = {reversalX, returnX};
    // Centred where they fit, else pushed right past the one before, then
    // back left from the panel's right end.
    double left[2];
    double markEnd = echoPanel.left() - 8.0;
    for (int k = 0; k < 2; ++k) {
        left[k] = std::max(markAt[k] - metrics.horizontalAdvance(marks[k]) / 2.0, markEnd + 8.0);
        markEnd = left[k] + metrics.horizontalAdvance(marks[k]);
    }
    double limit = echoPanel.right();
    for (int k = 1; k >= 0; --k) {
        left[k] = std::max(std::min(left[k], limit - metrics.horizontalAdvance(marks[k])), 0.0);
        limit = left[k] - 8.0;
    }
    for (int k = 0; k < 2; ++k)
        drawTextBox(painter, QRectF(left[k], labelTop, metrics.horizontalAdvance(marks[k]) + 2.0, row), Qt::AlignLeft,
                    marks[k], axisText);
    // The caption at the left where the marks leave it room.
    const QString caption = QStringLiteral("simulation time");
    if (echoPanel.left() + metrics.horizontalAdvance(caption) + 8.0 <= left[0])
        drawTextBox(painter, QRectF(echoPanel.left(), labelTop, metrics.horizontalAdvance(caption) + 2.0, row),
                    Qt::AlignLeft, caption, axisText);
}

} // namespace vxo
