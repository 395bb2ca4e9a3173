#include "plots/QuantumKleinMassScanPlotWidget.h"

#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>

namespace vxo {

void QuantumKleinMassScanPlotWidget::setScan(const KleinMassScan& scan, double currentRestMass, double packetMaxPRight)
{
    scan_ = scan;
    currentRestMass_ = currentRestMass;
    packetMaxPRight_ = packetMaxPRight;
    update();
}

void QuantumKleinMassScanPlotWidget::reset()
{
    scan_ = KleinMassScan{};
    packetMaxPRight_ = -1.0;
    update();
}

void QuantumKleinMassScanPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!plot::beginTitledPage(painter, rect(), font(), plot::kKleinPage,
                               "Klein mass dependence - fixed-energy stationary T(m)",
                               scan_.valid && !scan_.points.empty(), "Load the Klein Transmission vs Mass preset."))
        return;
    const double m0 = scan_.firstMass;
    const double m1 = scan_.lastMass;
    const plot::ScanFrame frame = plot::drawScanFrame(painter, size(), 64, 48, 88, 106, m0, m1);
    const QRect& panel = frame.panel;
    const auto x = [&](double m) { return plot::mapValue(frame.x, m); };

    // Below the transition mass the barrier region still propagates: on the
    // Klein side (V0 > E) through the negative branch.
    const double edge = std::max(m0, std::min(scan_.transitionMass, m1));
    const bool kleinSide = scan_.barrierHeight > scan_.energy;
    if (edge > m0)
        plot::fillScanBand(painter, panel, x(m0), x(edge),
                           kleinSide ? QColor(45, 70, 120, 45) : QColor(40, 85, 60, 45));
    if (edge < m1)
        plot::fillScanBand(painter, panel, x(edge), x(m1), QColor(120, 85, 35, 55));

    plot::drawTransmissionGrid(painter, panel, 7);
    const double span = m1 - m0;
    for (int k = 0; k <= 7; ++k) {
        const double mass = m0 + k * span / 7.0;
        plot::drawScanGridLine(painter, panel, x(mass), QString::number(mass, 'f', 2), 56);
    }
    if (m0 <= scan_.transitionMass && scan_.transitionMass <= m1)
        plot::drawScanThreshold(painter, panel, x(scan_.transitionMass), 1.5);

    std::vector<plot::ScanPoint> points;
    points.reserve(scan_.points.size());
    for (const KleinMassScanPoint& p : scan_.points)
        points.push_back({p.valid, p.restMass, p.transmission});
    plot::strokePath(painter, plot::scanCurve(points, frame), plot::roundPlotPen(QColor(100, 220, 255), 2.4));
    plot::drawScanMarker(painter, frame, points, m0, m1, currentRestMass_, packetMaxPRight_);
    plot::drawScanTexts(
        painter, panel, 29, 22,
        "rest mass m   |   cyan: fixed-E plane-wave T(m)   yellow: current reference   red: "
        "time-domain packet max P_right",
        44,
        QString("fixed E=%1   angle=%2 deg   V0=%3   width=%4   gap=2mc^2   transition m*=%5")
            .arg(QString::number(scan_.energy, 'f', 4), QString::number(scan_.incidenceAngleDegrees, 'f', 2),
                 QString::number(scan_.barrierHeight, 'f', 3), QString::number(scan_.barrierWidth, 'f', 3),
                 QString::number(scan_.transitionMass, 'f', 4)));
    const int nameTop = panel.top() + 28;
    plot::drawScanBandName(painter, x(m0), x(edge), nameTop, 6, kleinSide ? "supercritical Klein" : "positive branch");
    plot::drawScanBandName(painter, x(edge), x(m1), nameTop, 0, "evanescent / opened gap");
}

} // namespace vxo
