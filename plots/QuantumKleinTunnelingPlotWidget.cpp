#include "plots/QuantumKleinTunnelingPlotWidget.h"

#include "experiments/DiracKleinRecorder.h"
#include "plots/ScanPainting.h"

#include <QPainter>

namespace vxo {

using namespace plot;

ScanLayout QuantumKleinTunnelingPlotWidget::layout()
{
    // No value labels under the panel: the legend follows it closely.
    return ScanLayout{}.withMargins(QMargins(62, 42, 18, 44)).withLegendGap(5);
}

void QuantumKleinTunnelingPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!beginPage(painter, kKleinPage, "Klein tunneling - Dirac packet through a supercritical scalar barrier",
                   "Load Klein Tunneling and press Play"))
        return;
    const std::vector<KleinSample>& samples = recorder_->samples();
    const KleinTunnelingConfig& config = recorder_->config();

    // The scans' panel, its width and height kept at 120 pixels at least.
    const QRect panel = drawScanPanel(painter, size(), layout());
    const double end = timeAxisEnd(config.analysisEndTime, samples.back().time);
    const AxisMap time = horizontalAxis(QRectF(panel), 0.0, end, 1e-12);
    // Full scale at 0.92 of the height; values outside [0, 1] are not clamped.
    const auto curve = [&](double KleinSample::*probability, const QColor& colour, double width) {
        strokePath(
            painter,
            timeCurve(samples, time,
                      [&](const KleinSample& s) { return panel.bottom() - panel.height() * 0.92 * (s.*probability); }),
            roundPlotPen(colour, width));
    };
    curve(&KleinSample::leftProbability, QColor(kDirac.kleinLeft), 2.0);
    curve(&KleinSample::barrierProbability, QColor(kMarkers.scanCurrent), 2.0);
    curve(&KleinSample::rightProbability, QColor(kCurves.leading), 2.3);

    drawScanTexts(painter, panel, layout(), "red: left/reflected   yellow: inside barrier   cyan: right/transmitted",
                  QString("E=%1   V0=%2   angle=%3 deg   Klein zone=%4   max P_right=%5   flux=%6")
                      .arg(QString::number(QuantumKleinTunneling2D::energy(config), 'f', 4),
                           QString::number(config.barrierHeight, 'f', 3),
                           QString::number(QuantumKleinTunneling2D::incidenceAngleDegrees(config), 'f', 2),
                           QuantumKleinTunneling2D::isKleinZone(config) ? "YES" : "no",
                           QString::number(recorder_->maxRightProbability(), 'f', 4),
                           QString::number(recorder_->integratedDetectorFlux(), 'f', 4)));
}

} // namespace vxo
