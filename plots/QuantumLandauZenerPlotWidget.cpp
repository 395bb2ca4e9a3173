#include "plots/QuantumLandauZenerPlotWidget.h"

#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vxo {

using namespace plot;

namespace {

// The Landau-Zener sweep's populations in the observable history.
const SweepBlock<ObservableSample> kPopulations{
    &ObservableSample::landauZenerValid, &ObservableSample::landauZenerLower, &ObservableSample::landauZenerUpper,
    &ObservableSample::landauZenerLeft,  &ObservableSample::landauZenerRight, &ObservableSample::landauZenerCaptured};

} // namespace

void QuantumLandauZenerPlotWidget::setSweep(const LinearSweep& sweep) { keep(sweep_, sweep); }

void QuantumLandauZenerPlotWidget::reset()
{
    samples_.clear();
    emptyReason_.clear();
    reference_ = LandauZenerReference();
    sweep_ = LinearSweep();
    update();
}

namespace {
// Over the panel its title; under the bias strip the times it shares with
// the panel over the legend.
constexpr double kTitleBand = 28.0;
constexpr double kUnderStrip = 44.0;
constexpr double kReadableHistory = 100.0;
} // namespace

plot::StackedBand QuantumLandauZenerPlotWidget::biasStrip(int height)
{
    const plot::StackedBand tall{18.0, 34.0};
    const double roomy = kTitleBand + kReadableHistory + tall.gap + tall.height + kUnderStrip;
    return height >= roomy ? tall : plot::StackedBand{4.0, 20.0};
}

plot::PanelLayout QuantumLandauZenerPlotWidget::layout(int height)
{
    const plot::StackedBand strip = biasStrip(height);
    return {QMarginsF(58.0, kTitleBand, 22.0, strip.gap + strip.height + kUnderStrip), QSizeF(10.0, 60.0)};
}

void QuantumLandauZenerPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF p = beginPanelPage(painter, rect(), layout(height()));
    const StackedBand strip = biasStrip(height());
    const QRectF bias(p.left(), p.bottom() + strip.gap, p.width(), strip.height);

    // The forward ramp, or the measured span when longer; a history that
    // starts before 0 moves the start with it.
    const HistoryTimes times = historyTimes(samples_, &ObservableSample::landauZenerValid, &ObservableSample::time,
                                            sweep_.enabled ? sweep_.startTime + sweep_.duration : 1.0);
    const double tStart = std::min(0.0, times.first.value_or(0.0));
    const double tEnd = times.end > tStart ? times.end : tStart + 1.0;
    const QColor axisText(kSinglePanel.axisText);
    const NumberedAxis timeScale = timeAxis(p, tStart, tEnd, font(), axisText);
    const NumberedAxis populations = fractionAxis(p, font(), axisText);
    const AxisMap& x = timeScale.map;
    drawHistoryGrid(painter, p, timeScale, populations, QColor(kAxes.historyGrid));

    const double crossing = reference_.crossingTime;
    if (reference_.valid && tStart <= crossing && crossing <= tEnd)
        drawVerticalLine(painter, plotPen(QColor::fromRgba(kOverlays.zenerCrossing), 1.0, Qt::DashDotLine),
                         mapValue(x, crossing), p.top(), bias.bottom());

    drawSweepPopulations(painter, samples_, kPopulations, &ObservableSample::time, x, p,
                         emptyText(QStringLiteral("Load a Landau-Zener sweep preset and press Play")));

    drawSweepStrip(painter, bias, x, 240, tStart, tEnd, 0.45, sweep_);

    drawPanelTitle(painter, p, QStringLiteral("Landau-Zener sweep: adiabatic and localized populations"),
                   QColor(kSinglePanel.title), 2.0, 22.0);
    drawValueNumbers(painter, p, populations);
    // Beside the strip's upper half, or its middle on a short page.
    drawTextBox(painter, QRectF(2, bias.top() + std::min(6.0, (bias.height() - 18.0) / 2.0), 52, 18),
                Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("bias"), axisText);
    // The times and the legend under the bias strip, which shares the panel's time axis.
    const double numbersBottom = drawHistoryNumbers(painter, bias, timeScale, NumberedAxis{});
    drawLegendLine(painter, QRectF(p.left(), numbersBottom + 2.0, p.width(), 18), sweepLegend(),
                   QStringLiteral("simulation time"));
}

} // namespace vxo
