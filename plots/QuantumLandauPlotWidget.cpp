#include "plots/QuantumLandauPlotWidget.h"

#include "experiments/LandauRecorder.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <optional>

#include <algorithm>

namespace vxo {

using namespace plot;

void QuantumLandauPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const std::optional<StackedPanels> panels =
        beginOrbitPage(painter, "Uniform B - cyclotron orbit and Landau quantization",
                       "Load Landau Levels / Cyclotron Dynamics and press Play");
    if (!panels)
        return;
    const std::vector<LandauSample>& samples = recorder_->samples();
    const LandauSample& last = samples.back();
    const LandauConfig& config = recorder_->config();
    const double mass = recorder_->mass();
    const double hbar = recorder_->hbar();
    const bool cyclotronPacket = config.preparationMode == LandauConfig::kCyclotronPacket;

    const QRect& orbit = panels->upper;
    const QRect& time = panels->lower;

    // The square |x|, |y| <= R about the origin, on one scale along both axes
    // so that the cyclotron orbit is drawn round; along the panel's shorter
    // side R lands about 10 pixels inside the frame.
    const QString summary =
        QString("b=qB/hbar=%1   omega_c=%2   lB=%3   n=%4   E=%5   norm=%6")
            .arg(QString::number(config.fieldStrength, 'f', 3),
                 QString::number(QuantumLandau2D::cyclotronFrequency(config, mass, hbar), 'f', 4),
                 QString::number(QuantumLandau2D::magneticLength(config), 'f', 3), QString::number(config.landauIndex),
                 QString::number(last.energy, 'f', 5), QString::number(last.norm, 'f', 6));
    const double reach = atLeast(1.25 * config.orbitRadius, 2.0);
    // Under the summary inside the panel's top.
    const double summaryBottom = stackedSummaryBottom(*panels, orbit, layout().texts, font(), summary);
    const PlaneAxes axes =
        equalScaleAxes(QRectF(orbit).adjusted(10.0, std::max(10.0, summaryBottom - orbit.top()), -10.0, -10.0), -reach,
                       reach, -reach, reach, 1e-12);
    const auto plane = [&](double x, double y) { return mapPlane(axes, x, y); };
    const QPointF c = plane(0.0, 0.0);
    const QPen axisPen = plotPen(QColor(kAxes.landauAxes), 1.0, Qt::DashLine);
    drawHorizontalLine(painter, axisPen, orbit.left() + 5, orbit.right() - 5, c.y());
    drawVerticalLine(painter, axisPen, c.x(), orbit.top() + 5, orbit.bottom() - 5);
    if (cyclotronPacket) {
        const QRectF circle =
            QRectF(plane(-config.orbitRadius, config.orbitRadius), plane(config.orbitRadius, -config.orbitRadius))
                .normalized();
        if (std::isfinite(circle.width()) && std::isfinite(circle.height())) {
            painter.setPen(plotPen(QColor(kGauge.landauCircle), 1.2, Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(circle);
        }
    }
    drawTrajectory(painter, axes);

    const AxisMap tAxis = horizontalAxis(QRectF(time), 0.0, timeAxisEnd(config.analysisEndTime, last.time), 1e-12);
    const double levelEnergy = QuantumLandau2D::levelEnergy(config, mass, hbar);
    double energyMax = atLeast(1.6 * levelEnergy, 1e-9);
    for (const LandauSample& s : samples)
        energyMax = 1.15 * s.energy > energyMax ? 1.15 * s.energy : energyMax;
    const auto energyY = [&](double e) { return time.bottom() - time.height() * e / energyMax; };
    // The traces stay on their panel, clear of the numbers beside it.
    painter.save();
    painter.setClipRect(QRectF(time).adjusted(0.0, -2.0, 1.0, 2.0));
    strokePath(painter, timeCurve(samples, tAxis, [&](const LandauSample& s) { return energyY(s.energy); }),
               plotPen(QColor(kGauge.highlight), 2.0));
    strokePath(painter, timeCurve(samples, tAxis, [&](const LandauSample& s) { return fractionRow(time, s.fidelity); }),
               plotPen(QColor(kGauge.secondTrace), 1.7));
    if (!cyclotronPacket)
        drawHorizontalLine(painter, plotPen(QColor(kGauge.landauLevel), 1.2, Qt::DashLine), time.left(), time.right(),
                           energyY(levelEnergy));
    painter.restore();

    drawFractionNumbers(painter, *panels, QColor(kGauge.secondTrace));
    drawOrbitTexts(painter, *panels, tAxis,
                   cyclotronPacket ? "<x>, <y> - cyclotron orbit" : "<x>, <y> - stationary Landau state",
                   "time   yellow: <H>   green: survival fidelity", summary);
}

} // namespace vxo
