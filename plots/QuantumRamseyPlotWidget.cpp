#include "plots/QuantumRamseyPlotWidget.h"

#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <cmath>

namespace vxo {

using namespace plot;

namespace {

QString titleFor(bool ensemble, bool echo)
{
    if (ensemble)
        return echo ? QStringLiteral("Hahn echo ensemble: static-detuning refocusing")
                    : QStringLiteral("Ramsey ensemble: inhomogeneous broadening");
    return echo ? QStringLiteral("Hahn echo: phase refocusing")
                : QStringLiteral("Ramsey interferometry: phase -> population");
}

} // namespace

void QuantumRamseyPlotWidget::setFringeScan(const std::vector<RamseyFringePoint>& points) { keep(fringe_, points); }

void QuantumRamseyPlotWidget::setEnsembleScan(const std::vector<RamseyEnsemblePoint>& points)
{
    keep(ensembleFringe_, points);
}

void QuantumRamseyPlotWidget::setPulseSequence(const RamseySequence& sequence) { keep(sequence_, sequence); }

void QuantumRamseyPlotWidget::setEnsemble(const RamseyEnsemble& settings, const RamseyEnsembleResult& result)
{
    ensemble_ = settings;
    ensembleResult_ = result;
    update();
}

void QuantumRamseyPlotWidget::reset()
{
    samples_.clear();
    emptyReason_.clear();
    fringe_.clear();
    ensembleFringe_.clear();
    reference_ = RamseyReference();
    sequence_ = RamseySequence();
    ensemble_ = RamseyEnsemble();
    ensembleResult_ = RamseyEnsembleResult();
    update();
}

plot::InterferenceLayout QuantumRamseyPlotWidget::layout()
{
    // A line under the scan's caption for the scan's legend, for which a
    // short page squeezes the history further than the Stueckelberg page's:
    // its two curves between their 0 and 1 still read.
    plot::InterferenceLayout layout;
    layout.scanLegend = {0.0, 18.0};
    layout.leastHistory = 41.0;
    return layout;
}

void QuantumRamseyPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The whole sequence, or the measured span when longer.
    const InterferencePage page = beginInterferencePage(
        painter, rect(), font(), layout(), samples_, &ObservableSample::ramseyValid, &ObservableSample::time,
        sequence_.enabled ? sequence_.startTime + ramseyTotalDuration(sequence_) : 1.0);
    const InterferencePanels& panels = page.panels;
    const QRectF& p = panels.history;
    const QRectF& drive = panels.strip;
    const QRectF& f = panels.scan;
    const AxisMap& x = page.time;

    if (reference_.valid) {
        const auto boundary = [&](double t, const QPen& pen) { drawProtocolGuide(painter, panels, x, t, pen); };
        const QPen pulsePen = plotPen(QColor::fromRgba(kOverlays.pulseGuide), 1.0, Qt::DashDotLine);
        boundary(reference_.firstPulseEnd, pulsePen);
        if (reference_.echoEnabled) {
            const QPen echoPen = plotPen(QColor::fromRgba(kOverlays.echoPulse), 1.2, Qt::DashLine);
            boundary(reference_.echoStart, echoPen);
            boundary(reference_.echoEnd, echoPen);
        }
        boundary(reference_.secondPulseStart, pulsePen);
        boundary(reference_.secondPulseEnd, pulsePen);
    }

    drawHistoryCurves(painter, samples_, &ObservableSample::ramseyValid, &ObservableSample::time, x, p,
                      {{&ObservableSample::ramseyPopulation1, plotPen(QColor(kTwoLevel.first), 2.3)},
                       {&ObservableSample::ramseyPopulation2, plotPen(QColor(kTwoLevel.second), 2.3)},
                       {&ObservableSample::ramseyCaptured, plotPen(QColor(kTwoLevel.captured), 1.0, Qt::DotLine)}},
                      emptyText(QStringLiteral("Load a Ramsey preset and press Play")));

    drawProtocolStrip(painter, drive);
    if (sequence_.enabled)
        drawProtocolSignal(painter, drive, x, 400, 0.0, x.valueSpan,
                           std::fabs(sequence_.mean) + std::fabs(sequence_.amplitude), 0.44,
                           [&](double t) { return ramseyValueAt(sequence_, t); });

    // The free-evolution fringe: final population of state 2 of the single
    // system and, over it, of the detuning ensemble.
    drawFrame(painter, f, plotPen(QColor(kAxes.stripFrame)));
    const bool single = fringe_.size() >= 2;
    const bool spread = ensembleFringe_.size() >= 2;
    if (!single && !spread) {
        drawCentredText(painter, f, QStringLiteral("two-level free-evolution fringe scan"),
                        QColor(kTwoLevel.fringePlaceholder));
    } else {
        const double a = single ? fringe_.front().freeEvolutionDuration : ensembleFringe_.front().freeEvolutionDuration;
        const double b = single ? fringe_.back().freeEvolutionDuration : ensembleFringe_.back().freeEvolutionDuration;
        const AxisMap free = horizontalAxis(f, a, b, 1e-12);
        drawTickedAxisNumbers(painter, f, free, QColor(kSinglePanel.axisText), QColor(kAxes.stripFrame),
                              panels.scanNumbers.top() - f.bottom());
        const QColor singleColour = QColor(kTwoLevel.second);
        const QColor ensembleColour = QColor(kTwoLevel.first);
        if (single)
            strokePath(
                painter,
                scanCurve(fringe_, &RamseyFringePoint::freeEvolutionDuration, &RamseyFringePoint::population2, free, f),
                plotPen(singleColour, 1.35));
        if (spread)
            strokePath(painter,
                       scanCurve(ensembleFringe_, &RamseyEnsemblePoint::freeEvolutionDuration,
                                 &RamseyEnsemblePoint::averagePopulation2, free, f),
                       plotPen(ensembleColour, 2.35));
        const double current = sequence_.freeEvolutionDuration;
        if (a <= current && current <= b && reference_.valid) {
            const double cx = mapValue(free, current);
            drawFringeMarker(painter, QPointF(cx, populationY(f, reference_.finalPopulation2)));
            if (ensembleResult_.valid)
                drawOutlinedDisc(painter, QPointF(cx, populationY(f, ensembleResult_.averagePopulation2)), 3.2, 3.2,
                                 ensembleColour, plotPen(ensembleColour));
        }
    }

    drawPanelTitle(painter, panels.figure, titleFor(ensemble_.enabled, sequence_.echoEnabled),
                   QColor(kSinglePanel.title), 2.0, 22.0);
    drawInterferenceLabels(painter, page, QStringLiteral("drive"), QStringLiteral("P2"),
                           sequence_.echoEnabled ? QStringLiteral("total free time (echo refocused)")
                                                 : QStringLiteral("free-evolution time"));
    if (spread)
        drawLegendLine(
            painter, panels.scanLegend,
            {{QStringLiteral("single P2"), kTwoLevel.second},
             {QStringLiteral("ensemble P2  sigma=%1").arg(ensemble_.detuningStdDev, 0, 'f', 3), kTwoLevel.first}});
    // The legend under the drive strip, which shares the panel's time axis.
    drawLegendLine(painter, panels.stripLegend,
                   {{QStringLiteral("P(state 1)"), kTwoLevel.first}, {QStringLiteral("P(state 2)"), kTwoLevel.second}});
}

} // namespace vxo
