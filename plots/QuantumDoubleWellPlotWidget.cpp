#include "plots/QuantumDoubleWellPlotWidget.h"

#include "core/Numeric.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <cmath>

namespace vxo {

using namespace plot;

void QuantumDoubleWellPlotWidget::setTunnellingPeriod(double period) { keep(tunnellingPeriod_, period); }

// The bottom margin holds the times over the legend.
plot::PanelLayout QuantumDoubleWellPlotWidget::layout() { return {QMarginsF(58.0, 26.0, 20.0, 46.0)}; }

void QuantumDoubleWellPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF p = beginPanelPage(painter, rect(), layout());

    const double period = tunnellingPeriod_;
    const bool predicted = period > 0.0;
    const PopulationAxes axes = drawPopulationGrid(painter, p, font(), samples_, &ObservableSample::doubleWellValid,
                                                   &ObservableSample::time, predicted ? period : 1.0);
    const AxisMap& x = axes.time.map;

    if (predicted) {
        // Left cos^2(pi t / T), right sin^2(pi t / T), marked at T / 2.
        const auto exchange = [&](double t) {
            const double phase = kPi * t / period;
            const double c = std::cos(phase);
            const double s = std::sin(phase);
            return std::pair{c * c, s * s};
        };
        drawTwoLevelPrediction(painter, p, x, axes.start, axes.end, 240, exchange, period / 2.0,
                               {kPredictions.wellLeft, kPredictions.wellRight, kPredictions.wellHalf});
    }

    drawHistoryCurves(painter, samples_, &ObservableSample::doubleWellValid, &ObservableSample::time, x, p,
                      {{&ObservableSample::leftWellProbability, plotPen(QColor(kCurves.leading), 2.2)},
                       {&ObservableSample::rightWellProbability, plotPen(QColor(kTwoLevel.secondPopulation), 2.2)}},
                      QStringLiteral("Load the coherent double-well experiment and press Play"));

    drawPanelTitle(painter, p, QStringLiteral("Coherent tunnelling: left/right well population"));
    drawHistoryLegend(
        painter, p,
        {{QStringLiteral("P_left"), kCurves.leading}, {QStringLiteral("P_right"), kTwoLevel.secondPopulation}},
        axes.time, axes.populations);
}

} // namespace vxo
