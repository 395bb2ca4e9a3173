#include "plots/QuantumLandauZenerPlotWidget.h"

#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vxo {

using namespace plot;

void QuantumLandauZenerPlotWidget::setSweep(const LinearSweep& sweep)
{
    sweep_ = sweep;
    update();
}

void QuantumLandauZenerPlotWidget::reset()
{
    samples_.clear();
    reference_ = LandauZenerReference();
    sweep_ = LinearSweep();
    update();
}

plot::PanelLayout QuantumLandauZenerPlotWidget::layout()
{
    // Below the panel: the bias strip (18 under it, 34 high) and the time
    // caption under the strip.
    return {QMarginsF(58.0, 28.0, 22.0, 80.0), QSizeF(10.0, 80.0)};
}

void QuantumLandauZenerPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF p = beginPanelPlot(painter, rect(), layout(), QColor(kAxes.historyGrid));
    const QRectF bias(p.left(), p.bottom() + 18, p.width(), 34);

    // The forward ramp, or the measured span when longer; a history that
    // starts before 0 moves the start with it.
    const HistoryTimes times = historyTimes(samples_, &ObservableSample::landauZenerValid, &ObservableSample::time,
                                            sweep_.enabled ? sweep_.startTime + sweep_.duration : 1.0);
    const double tStart = std::min(0.0, times.first.value_or(0.0));
    const double tEnd = times.end > tStart ? times.end : tStart + 1.0;
    const AxisMap x = horizontalAxis(p, tStart, tEnd, 0.0);

    const double crossing = reference_.crossingTime;
    if (reference_.valid && tStart <= crossing && crossing <= tEnd)
        drawVerticalLine(painter, plotPen(QColor::fromRgba(kOverlays.zenerCrossing), 1.0, Qt::DashDotLine),
                         mapValue(x, crossing), p.top(), bias.bottom());

    const SweepBlock<ObservableSample> block{
        &ObservableSample::landauZenerValid, &ObservableSample::landauZenerLower,
        &ObservableSample::landauZenerUpper, &ObservableSample::landauZenerLeft,
        &ObservableSample::landauZenerRight, &ObservableSample::landauZenerCaptured};
    if (!drawSweepPopulations(painter, samples_, block, &ObservableSample::time, x, p))
        drawHistoryPlaceholder(painter, p, QStringLiteral("Load a Landau-Zener sweep preset and press Play"));

    drawProtocolStrip(painter, bias);
    if (sweep_.enabled) {
        const double scale = std::max(std::fabs(sweep_.startValue), std::fabs(sweep_.endValue));
        drawProtocolSignal(painter, bias, x, 240, tStart, tEnd, scale, 0.45,
                           [&](double t) { return linearSweepValueAt(sweep_, t); });
    }

    drawPanelTitle(painter, p, QStringLiteral("Landau-Zener sweep: adiabatic and localized populations"),
                   QColor(kSinglePanel.title), 2.0, 22.0);
    drawValueLabels(painter, p, QStringLiteral("1.0"), QStringLiteral("0.0"));
    drawTextBox(painter, QRectF(2, bias.top() + 6, 52, 18), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("bias"),
                QColor(kSinglePanel.axisText));
    // The legend under the bias strip, which shares the panel's time axis.
    drawLegendLine(painter, QRectF(p.left(), bias.bottom() + 3, p.width(), 18), sweepLegend(),
                   QStringLiteral("simulation time"));
}

} // namespace vxo
