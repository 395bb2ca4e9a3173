#include "plots/QuantumBackflowPlotWidget.h"

#include "experiments/BackflowRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vxo {

using namespace plot;

StackedLayout QuantumBackflowPlotWidget::layout()
{
    // The times under the lower panel over its caption (and beside it under the upper one too).
    StackedLayout layout{QMargins(62, 42, 18, 213 + kTimesRow), QSize(140, 145), 28, 56 + kTimesRow, 110};
    layout.sideBySideBottom += kTimesRow;
    return layout;
}

void QuantumBackflowPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const std::optional<StackedPanels> panels =
        beginGaugePage(painter, rect(), font(), "Quantum backflow - positive momentum, negative probability current",
                       hasSamples(), "Load Quantum Backflow and press Play", layout());
    if (!panels)
        return;
    const QRect& flux = panels->upper;
    const QRect& prob = panels->lower;
    const std::vector<BackflowSample>& samples = recorder_->samples();
    const BackflowSample& last = samples.back();

    // One time span in both panels, each along its own width (side by side they do not share an x).
    const double tEnd = timeAxisEnd(recorder_->config().analysisEndTime, last.time);
    const AxisMap tAxis = horizontalAxis(QRectF(flux), 0.0, tEnd, 1e-12);
    const AxisMap probTime = horizontalAxis(QRectF(prob), 0.0, tEnd, 1e-12);
    const auto x = [&](std::size_t i) { return mapValue(tAxis, samples[i].time); };
    double fluxMax = 1e-6;
    for (const BackflowSample& s : samples)
        fluxMax = std::abs(s.flux) > fluxMax ? std::abs(s.flux) : fluxMax;
    const QString summary = QString("p_x>0 fraction=%1   Jmin=%2   backflow=%3   now: %4")
                                .arg(QString::number(recorder_->positiveMomentumFraction(), 'f', 9),
                                     QString::number(recorder_->minimumFlux(), 'g', 5),
                                     QString::number(recorder_->maximumBackwardFlux(), 'g', 5),
                                     last.flux < 0.0 ? "BACKFLOW" : "forward flow");
    // The current under the summary inside the panel's top: the largest
    // |current| lies 0.46 / 1.12 of that height from its centre line.
    const double fluxScale = 1.12 * fluxMax;
    const double top = stackedSummaryBottom(*panels, flux, layout().texts, font(), summary);
    const double height = flux.bottom() - top;
    const double middle = 0.5 * (top + flux.bottom());
    drawHorizontalLine(painter, plotPen(QColor(kAxes.backflowZero), 1.0, Qt::DashLine), flux.left(), flux.right(),
                       middle);

    // Every interval with a negative current at either end is shaded, one
    // pixel wider than the interval; overlapping bands darken.
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const double xa = x(i - 1);
        const double xb = x(i);
        if ((samples[i - 1].flux < 0.0 || samples[i].flux < 0.0) && std::isfinite(xa) && std::isfinite(xb))
            painter.fillRect(QRectF(std::min(xa, xb), flux.top(), std::abs(xb - xa) + 1.0, flux.height()),
                             QColor::fromRgba(kOverlays.backflowShade));
    }
    strokePath(
        painter,
        timeCurve(samples, tAxis, [&](const BackflowSample& s) { return middle - 0.46 * height * s.flux / fluxScale; }),
        plotPen(QColor(kTwoLevel.first), 2.1));

    const double backwardMax = atLeast(recorder_->maximumBackwardFlux(), 0.01);
    strokePath(
        painter,
        timeCurve(samples, probTime, [&](const BackflowSample& s) { return fractionRow(prob, s.probabilityLeft); }),
        plotPen(QColor(kGauge.secondTrace), 2.0));
    strokePath(painter,
               timeCurve(samples, probTime,
                         [&](const BackflowSample& s) {
                             return prob.bottom() - 0.45 * prob.height() * atLeast(s.backwardFlux, 0.0) / backwardMax;
                         }),
               plotPen(QColor(kGauge.highlight), 1.8));

    // The probability's numbers in its colour; the times under the lower
    // panel, and under the upper one too beside it.
    const QColor caption(kInnerPanel.gaugeCaption);
    const QColor frame(kInnerPanel.stackedFrame);
    const bool bandOver = sideBySide(*panels) && panels->summaryShown;
    drawValueNumbers(painter, QRectF(prob),
                     numbersBelow(fractionAxis(prob, font(), QColor(kGauge.secondTrace)),
                                  bandOver ? prob.top() : -std::numeric_limits<double>::infinity(), font()));
    drawTickedAxisNumbers(painter, QRectF(prob), probTime, caption, frame, 3.0);
    if (sideBySide(*panels))
        drawTickedAxisNumbers(painter, QRectF(flux), tAxis, caption, frame, 3.0);
    drawStackedTexts(painter, *panels, withTimesUnder(layout().texts, *panels, font(), true),
                     "time   cyan: integrated Jx at detector   red shade: Jx < 0",
                     "green: P(x < detector)   yellow: accumulated backward flux", summary,
                     QColor(kInnerPanel.gaugeCaption), QColor(kInnerPanel.stackedSummary), QColor(kInnerPanel.fill));
}

} // namespace vxo
