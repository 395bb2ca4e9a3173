#include "plots/QuantumLandauPlotWidget.h"

#include "experiments/LandauRecorder.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>

namespace vxo {

plot::StackedLayout QuantumLandauPlotWidget::layout() { return plot::orbitOverTimeLayout(); }

void QuantumLandauPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool hasData = hasSamples();
    if (!plot::beginTitledPage(painter, rect(), font(), plot::kGaugePage,
                               "Uniform B - cyclotron orbit and Landau quantization", hasData,
                               "Load Landau Levels / Cyclotron Dynamics and press Play"))
        return;
    const std::vector<LandauSample>& samples = recorder_->samples();
    const LandauSample& last = samples.back();
    const LandauConfig& config = recorder_->config();
    const double mass = recorder_->mass();
    const double hbar = recorder_->hbar();
    const bool cyclotronPacket = config.preparationMode == 0;

    const plot::StackedPanels panels = plot::drawStackedPanels(
        painter, size(), layout(), QColor(plot::kStackedFrame), QColor(plot::kStackedPanel));
    const QRect& orbit = panels.upper;
    const QRect& time = panels.lower;

    // The square |x|, |y| <= R about the origin, on one scale along both axes
    // so that the cyclotron orbit is drawn round; along the panel's shorter
    // side R lands about 10 pixels inside the frame.
    const double reach = plot::atLeast(1.25 * config.orbitRadius, 2.0);
    const plot::PlaneAxes axes
        = plot::equalScaleAxes(QRectF(orbit).adjusted(10.0, 10.0, -10.0, -10.0), -reach, reach, -reach, reach, 1e-12);
    const auto plane = [&](double x, double y) { return plot::mapPlane(axes, x, y); };
    const QPointF c = plane(0.0, 0.0);
    const QPen axisPen = plot::plotPen(QColor(plot::kLandauAxes), 1.0, Qt::DashLine);
    plot::drawHorizontalLine(painter, axisPen, orbit.left() + 5, orbit.right() - 5, c.y());
    plot::drawVerticalLine(painter, axisPen, c.x(), orbit.top() + 5, orbit.bottom() - 5);
    if (cyclotronPacket) {
        const QRectF circle
            = QRectF(plane(-config.orbitRadius, config.orbitRadius), plane(config.orbitRadius, -config.orbitRadius))
                  .normalized();
        if (std::isfinite(circle.width()) && std::isfinite(circle.height())) {
            painter.setPen(plot::plotPen(QColor(plot::kLandauCircle), 1.2, Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(circle);
        }
    }
    plot::strokePath(painter,
                     plot::polylineBridgingGaps(
                         samples.size(), [&](std::size_t i) { return plane(samples[i].meanX, samples[i].meanY); }),
                     plot::plotPen(QColor(plot::kGaugeTrajectory), 2.0));
    plot::drawDisc(painter, plane(last.meanX, last.meanY), 4.5, QColor(plot::kGaugeHighlight));

    const plot::AxisMap tAxis
        = plot::horizontalAxis(QRectF(time), 0.0, plot::timeAxisEnd(config.analysisEndTime, last.time), 1e-12);
    const double levelEnergy = QuantumLandau2D::levelEnergy(config, mass, hbar);
    double energyMax = plot::atLeast(1.6 * levelEnergy, 1e-9);
    for (const LandauSample& s : samples)
        energyMax = 1.15 * s.energy > energyMax ? 1.15 * s.energy : energyMax;
    const auto energyY = [&](double e) { return time.bottom() - time.height() * e / energyMax; };
    plot::strokePath(painter,
                     plot::polylineBridgingGaps(samples.size(),
                                                [&](std::size_t i) {
                                                    return QPointF(plot::mapValue(tAxis, samples[i].time),
                                                                   energyY(samples[i].energy));
                                                }),
                     plot::plotPen(QColor(plot::kGaugeHighlight), 2.0));
    plot::strokePath(painter,
                     plot::polylineBridgingGaps(
                         samples.size(),
                         [&](std::size_t i) {
                             return QPointF(plot::mapValue(tAxis, samples[i].time),
                                            time.bottom()
                                                - time.height() * plot::clampNanToUpper(samples[i].fidelity, 0.0, 1.0));
                         }),
                     plot::plotPen(QColor(plot::kGaugeSecondTrace), 1.7));
    if (!cyclotronPacket)
        plot::drawHorizontalLine(painter, plot::plotPen(QColor(plot::kLandauLevel), 1.2, Qt::DashLine), time.left(),
                                 time.right(), energyY(levelEnergy));

    const QColor texts = QColor(plot::kGaugeCaption);
    plot::drawPanelCaption(painter, orbit, 3, 20,
                           cyclotronPacket ? "<x>, <y> - cyclotron orbit" : "<x>, <y> - stationary Landau state",
                           texts);
    plot::drawPanelCaption(painter, time, 4, 20, "time   yellow: <H>   green: survival fidelity", texts);
    plot::drawPanelSummary(painter, orbit, 22,
                           QString("b=qB/hbar=%1   omega_c=%2   lB=%3   n=%4   E=%5   norm=%6")
                               .arg(QString::number(config.fieldStrength, 'f', 3),
                                    QString::number(QuantumLandau2D::cyclotronFrequency(config, mass, hbar), 'f', 4),
                                    QString::number(QuantumLandau2D::magneticLength(config), 'f', 3),
                                    QString::number(config.landauIndex), QString::number(last.energy, 'f', 5),
                                    QString::number(last.norm, 'f', 6)),
                           QColor(plot::kStackedSummary));
}

} // namespace vxo
