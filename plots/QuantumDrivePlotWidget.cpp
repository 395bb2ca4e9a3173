#include "plots/QuantumDrivePlotWidget.h"

#include "core/Numeric.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vxo {

using namespace plot;

void QuantumDrivePlotWidget::setDriveParameters(double mean, double amplitude, double angularFrequency,
                                                double phaseDegrees)
{
    mean_ = mean;
    amplitude_ = amplitude;
    angularFrequency_ = angularFrequency;
    phase_ = phaseDegrees * kPi / 180.0;
    update();
}

void QuantumDrivePlotWidget::clearHistory()
{
    samples_.clear();
    update();
}

// The right margin holds the energy's numbers, the bottom one the times over
// the legend.
plot::PanelLayout QuantumDrivePlotWidget::layout() { return {QMarginsF(58.0, 28.0, 48.0, 46.0)}; }

void QuantumDrivePlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF p = beginPanelPage(painter, rect(), layout());

    const double tMax = historyTimes(samples_, nullptr, &ObservableSample::time, 8.0).end;
    const AxisMap x = horizontalAxis(p, 0.0, tMax, 0.0);

    // Position scale: 0 on the middle line, the trap's reach and every packet
    // centre inside 1/1.12 of the half height.
    double reach = std::max(std::fabs(mean_) + std::fabs(amplitude_), 1.0);
    FiniteExtent energies;
    for (const ObservableSample& s : samples_) {
        if (std::isfinite(s.meanX))
            reach = std::max(reach, std::fabs(s.meanX));
        extendFinite(energies, s.totalEnergy);
    }
    const double half = 1.12 * reach;
    const AxisMap position{p.center().y(), -0.5 * p.height(), 0.0, half};

    double eMin = energies.minimum;
    double eMax = energies.maximum;
    if (!(eMax > eMin)) {
        if (energies.count == 0) {
            eMin = 0.0;
            eMax = 1.0;
        } else {
            eMin -= 0.5;
            eMax += 0.5;
        }
    }
    const double pad = 0.1 * std::max(eMax - eMin, 1e-6);
    const AxisMap energy = verticalAxis(p, eMin - pad, eMax + pad, 0.0);

    const NumberedAxis timeNumbers{x, horizontalTicks(0.0, tMax, p.width(), font()), QColor(kSinglePanel.axisText)};
    const NumberedAxis positionNumbers{position, verticalTicks(-half, half, p.height(), font()),
                                       QColor(kCurves.leading)};
    // The energy's numbers only beside its curve.
    const NumberedAxis energyNumbers{
        energy, energies.count > 0 ? verticalTicks(eMin - pad, eMax + pad, p.height(), font()) : AxisTicks{},
        QColor(kCurves.energy)};
    drawHistoryGrid(painter, p, timeNumbers, positionNumbers);

    drawHorizontalLine(painter, plotPen(QColor(kMarkers.driveRest), 1.0, Qt::DashLine), p.left(), p.right(),
                       mapValue(position, 0.0));
    strokePath(painter,
               sampledPolyline(300, 0.0, tMax,
                               [&](double t) {
                                   const double centre = mean_ + amplitude_ * std::sin(angularFrequency_ * t + phase_);
                                   return QPointF(mapValue(x, t), mapValue(position, centre));
                               }),
               plotPen(QColor(kMarkers.driveTrap), 1.4, Qt::DashLine));

    drawHistoryCurves(painter, samples_, nullptr, &ObservableSample::time, x, p,
                      {{&ObservableSample::meanX, plotPen(QColor(kCurves.leading), 2.2), position},
                       {&ObservableSample::totalEnergy, plotPen(QColor(kCurves.energy), 1.7), energy}},
                      QStringLiteral("Load a Driven Harmonic Trap and press Play"));

    drawPanelTitle(painter, p, QStringLiteral("Periodic drive: packet centre, trap centre and total energy"),
                   QColor(kSinglePanel.title), 2.0, 22.0);
    drawHistoryLegend(painter, p,
                      {{QStringLiteral("<x>"), kCurves.leading},
                       {QStringLiteral("trap centre"), kMarkers.driveTrap},
                       {QStringLiteral("<H>"), kCurves.energy}},
                      timeNumbers, positionNumbers, energyNumbers);
}

} // namespace vxo
