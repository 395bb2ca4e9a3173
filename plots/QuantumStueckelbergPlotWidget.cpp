#include "plots/QuantumStueckelbergPlotWidget.h"

#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vxo {

using namespace plot;

namespace {

// The Stueckelberg double passage's populations in the observable history.
const SweepBlock<ObservableSample> kPopulations{
    &ObservableSample::stueckelbergValid, &ObservableSample::stueckelbergLower,
    &ObservableSample::stueckelbergUpper, &ObservableSample::stueckelbergLeft,
    &ObservableSample::stueckelbergRight, &ObservableSample::stueckelbergCaptured};

} // namespace

void QuantumStueckelbergPlotWidget::setSweep(const LinearSweep& sweep) { keep(sweep_, sweep); }

void QuantumStueckelbergPlotWidget::setFringeScan(const std::vector<StueckelbergFringePoint>& points)
{
    keep(fringe_, points);
}

void QuantumStueckelbergPlotWidget::reset()
{
    samples_.clear();
    emptyReason_.clear();
    fringe_.clear();
    reference_ = StueckelbergReference();
    sweep_ = LinearSweep();
    update();
}

plot::InterferenceLayout QuantumStueckelbergPlotWidget::layout() { return {}; }

void QuantumStueckelbergPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The whole schedule (out, hold, back), or the measured span when longer.
    const InterferencePage page = beginInterferencePage(
        painter, rect(), font(), layout(), samples_, &ObservableSample::stueckelbergValid, &ObservableSample::time,
        sweep_.enabled ? sweep_.startTime + linearSweepDuration(sweep_) : 1.0);
    const InterferencePanels& panels = page.panels;
    const QRectF& p = panels.history;
    const QRectF& bias = panels.strip;
    const QRectF& f = panels.scan;
    const AxisMap& x = page.time;

    if (reference_.valid) {
        const QPen crossingPen = plotPen(QColor::fromRgba(kOverlays.crossingGuide), 1.0, Qt::DashDotLine);
        for (const double t : {reference_.firstCrossingTime, reference_.secondCrossingTime})
            drawProtocolGuide(painter, panels, x, t, crossingPen);
    }

    drawSweepPopulations(painter, samples_, kPopulations, &ObservableSample::time, x, p,
                         emptyText(QStringLiteral("Load a Stueckelberg preset and press Play")));

    drawSweepStrip(painter, bias, x, 300, 0.0, x.valueSpan, 0.44, sweep_);

    // The hold-time fringe: the final lower-state population after the
    // double passage, against the hold at the turning point.
    drawFrame(painter, f, plotPen(QColor(kAxes.stripFrame)));
    if (fringe_.size() < 2) {
        drawCentredText(painter, f, QStringLiteral("two-level hold-time fringe scan"),
                        QColor(kTwoLevel.fringePlaceholder));
    } else {
        const double h0 = fringe_.front().holdDuration;
        const double h1 = fringe_.back().holdDuration;
        const AxisMap hold = horizontalAxis(f, h0, h1, 1e-12);
        drawTickedAxisNumbers(painter, f, hold, QColor(kSinglePanel.axisText), QColor(kAxes.stripFrame),
                              panels.scanNumbers.top() - f.bottom());
        strokePath(painter,
                   scanCurve(fringe_, &StueckelbergFringePoint::holdDuration,
                             &StueckelbergFringePoint::finalLowerPopulation, hold, f),
                   plotPen(QColor(kTwoLevel.first), 1.8));
        const double current = sweep_.holdDuration;
        if (h0 <= current && current <= h1) {
            drawFringeMarker(painter,
                             QPointF(mapValue(hold, current), populationY(f, reference_.finalLowerPopulation)));
        }
    }

    drawPanelTitle(painter, panels.figure, QStringLiteral("Landau-Zener-Stueckelberg: double passage and interference"),
                   QColor(kSinglePanel.title), 2.0, 22.0);
    drawInterferenceLabels(painter, page, QStringLiteral("bias"), QStringLiteral("Plo"),
                           QStringLiteral("turnaround hold time"));
    // The legend under the bias strip, which shares the panel's time axis.
    drawLegendLine(painter, panels.stripLegend, sweepLegend());
}

} // namespace vxo
