#include "plots/QuantumKleinTunnelingPlotWidget.h"

#include "experiments/DiracKleinRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/ScanPainting.h"

#include <QPainter>

namespace vxo {

using namespace plot;

namespace {

// A probability of 1 stands at this share of the panel's height: a value a
// little over 1 (a norm not yet settled) still shows.
constexpr double kFullScale = 0.92;

const QString kLegend =
    QStringLiteral("simulation time   |   red: left/reflected   yellow: inside barrier   cyan: right/transmitted");

QString summaryOf(const DiracKleinRecorder& recorder)
{
    const KleinTunnelingConfig& config = recorder.config();
    return QString("E=%1   V0=%2   angle=%3 deg   Klein zone=%4   max P_right=%5   flux=%6")
        .arg(QString::number(QuantumKleinTunneling2D::energy(config), 'f', 4),
             QString::number(config.barrierHeight, 'f', 3),
             QString::number(QuantumKleinTunneling2D::incidenceAngleDegrees(config), 'f', 2),
             QuantumKleinTunneling2D::isKleinZone(config) ? "YES" : "no",
             QString::number(recorder.maxRightProbability(), 'f', 4),
             QString::number(recorder.integratedDetectorFlux(), 'f', 4));
}

} // namespace

ScanLayout QuantumKleinTunnelingPlotWidget::layout()
{
    // The times under the panel and the legend under them, as on the scans.
    return ScanLayout{}.withMargins(QMargins(62, 42, 18, 58)).withLegendGap(27);
}

ScanLayout QuantumKleinTunnelingPlotWidget::scanLayout() const
{
    if (!hasSamples())
        return layout();
    return scanLayoutWithTexts(layout(), size(), font(), kLegend, summaryOf(*recorder_));
}

void QuantumKleinTunnelingPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!beginPage(painter, kKleinPage, "Klein tunneling - Dirac packet through a supercritical scalar barrier",
                   "Load Klein Tunneling and press Play"))
        return;
    const std::vector<KleinSample>& samples = recorder_->samples();
    const KleinTunnelingConfig& config = recorder_->config();

    // The scans' panel under the summary, its width and height kept at 120 pixels at least.
    const ScanLayout laidOut = scanLayout();
    const QRect panel = drawScanPanel(painter, size(), laidOut);
    const double end = timeAxisEnd(config.analysisEndTime, samples.back().time);
    const AxisMap time = horizontalAxis(QRectF(panel), 0.0, end, 1e-12);
    const AxisMap probability{static_cast<double>(panel.bottom()), -kFullScale * panel.height(), 0.0, 1.0};
    const AxisTicks times = horizontalTicks(0.0, end, panel.width(), font());
    const AxisTicks probabilities = verticalTicks(0.0, 1.0, kFullScale * panel.height(), font());
    drawTickGrid(painter, QRectF(panel), time, times, probability, probabilities, plotPen(QColor(kAxes.scanGrid)));
    // Values outside [0, 1] are not clamped.
    const auto curve = [&](double KleinSample::*value, const QColor& colour, double width) {
        strokePath(painter, timeCurve(samples, time, probability, [&](const KleinSample& s) { return s.*value; }),
                   roundPlotPen(colour, width));
    };
    curve(&KleinSample::leftProbability, QColor(kDirac.kleinLeft), 2.0);
    curve(&KleinSample::barrierProbability, QColor(kMarkers.scanCurrent), 2.0);
    curve(&KleinSample::rightProbability, QColor(kCurves.leading), 2.3);

    const QColor numbers(kInnerPanel.scanNumbers);
    drawVerticalAxisNumbers(painter, QRectF(panel), probability, probabilities, numbers, AxisSide::Left, 6.0);
    drawHorizontalAxisNumbers(painter, QRectF(panel), time, times, numbers, 5.0);
    drawScanLegend(painter, panel, laidOut, kLegend);
    drawScanSummary(painter, size(), laidOut, summaryOf(*recorder_));
}

} // namespace vxo
