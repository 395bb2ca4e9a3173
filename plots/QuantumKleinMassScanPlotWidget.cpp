#include "plots/QuantumKleinMassScanPlotWidget.h"

#include <algorithm>

namespace vxo {

using namespace plot;

ScanPage QuantumKleinMassScanPlotWidget::page() const
{
    // Wider boxes for the mass labels than the default.
    return {"Klein mass dependence - fixed-energy stationary T(m)", "Load the Klein Transmission vs Mass preset.",
            ScanLayout{}.withValueLabelWidth(56)};
}

ScanPicture QuantumKleinMassScanPlotWidget::picture() const
{
    const double m0 = scan_.firstMass;
    const double m1 = scan_.lastMass;
    ScanPicture picture(m0, m1);
    // Below the transition mass the barrier region still propagates: on the
    // Klein side (V0 > E) through the negative branch.
    const double edge = std::max(m0, std::min(scan_.transitionMass, m1));
    const bool kleinSide = scan_.barrierHeight > scan_.energy;
    picture.bands = {{m0, edge, kleinSide ? QColor::fromRgba(kScanKleinBand) : QColor::fromRgba(kScanPositiveBand),
                      kleinSide ? "supercritical Klein" : "positive branch", 6},
                     {edge, m1, QColor::fromRgba(kScanEvanescentBand), "evanescent / opened gap", 0}};
    const double span = m1 - m0;
    for (int k = 0; k <= 7; ++k) {
        const double mass = m0 + k * span / 7.0;
        picture.gridLines.emplace_back(mass, QString::number(mass, 'f', 2));
    }
    if (m0 <= scan_.transitionMass && scan_.transitionMass <= m1)
        picture.thresholds.push_back(scan_.transitionMass);
    picture.curves.push_back(curveOf(&KleinMassScanPoint::restMass, &KleinMassScanPoint::transmission));
    picture.legend = "rest mass m   |   cyan: fixed-E plane-wave T(m)   yellow: current reference   red: "
                     "time-domain packet max P_right";
    picture.summary =
        QString("fixed E=%1   angle=%2 deg   V0=%3   width=%4   gap=2mc^2   transition m*=%5")
            .arg(QString::number(scan_.energy, 'f', 4), QString::number(scan_.incidenceAngleDegrees, 'f', 2),
                 QString::number(scan_.barrierHeight, 'f', 3), QString::number(scan_.barrierWidth, 'f', 3),
                 QString::number(scan_.transitionMass, 'f', 4));
    return picture;
}

} // namespace vxo
