#include "plots/QuantumRabiPlotWidget.h"

#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

namespace vxo {

using namespace plot;

// The bottom margin holds the times over the legend.
plot::PanelLayout QuantumRabiPlotWidget::layout() { return {QMarginsF(58.0, 28.0, 22.0, 46.0)}; }

void QuantumRabiPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF p = beginPanelPage(painter, rect(), layout());

    // One Rabi period of the prediction, or the measured span when longer.
    const bool predicted = reference_.valid;
    const PopulationAxes axes =
        drawPopulationGrid(painter, p, font(), samples_, &ObservableSample::rabiValid, &ObservableSample::time,
                           predicted && reference_.rabiPeriod > 0.0 ? reference_.rabiPeriod : 1.0);
    const AxisMap& x = axes.time.map;

    if (predicted) {
        const auto populations = [&](double t) {
            const double p2 = QuantumRabi2D::predictedPopulation(reference_, t);
            return std::pair{1.0 - p2, p2};
        };
        drawTwoLevelPrediction(painter, p, x, axes.start, axes.end, 300, populations, reference_.piPulseTime,
                               {kPredictions.rabiFirst, kPredictions.rabiSecond, kPredictions.rabiPiPulse});
    }

    drawHistoryCurves(painter, samples_, &ObservableSample::rabiValid, &ObservableSample::time, x, p,
                      {{&ObservableSample::rabiPopulation1, plotPen(QColor(kTwoLevel.rabiFirst), 2.2)},
                       {&ObservableSample::rabiPopulation2, plotPen(QColor(kTwoLevel.secondPopulation), 2.2)},
                       {&ObservableSample::rabiCaptured, plotPen(QColor(kTwoLevel.captured), 1.2, Qt::DotLine)}},
                      QStringLiteral("Load a driven double-well preset and press Play"));

    drawPanelTitle(painter, p, QStringLiteral("Driven two-level dynamics: stationary-state populations"),
                   QColor(kSinglePanel.title), 2.0, 22.0);
    drawHistoryLegend(painter, p,
                      {{QStringLiteral("P(state 1)"), kTwoLevel.rabiFirst},
                       {QStringLiteral("P(state 2)"), kTwoLevel.secondPopulation},
                       {QStringLiteral("two-level captured"), kTwoLevel.captured}},
                      axes.time, axes.populations);
}

} // namespace vxo
