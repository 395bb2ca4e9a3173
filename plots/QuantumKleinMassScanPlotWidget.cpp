#include "plots/QuantumKleinMassScanPlotWidget.h"

#include <algorithm>

namespace vxo {

using namespace plot;

namespace {

ScanPicture massPicture(const KleinMassScan& scan)
{
    const double m0 = scan.firstMass;
    const double m1 = scan.lastMass;
    ScanPicture picture(m0, m1);
    // Below the transition mass the barrier region still propagates: on the
    // Klein side (V0 > E) through the negative branch.
    const double edge = std::max(m0, std::min(scan.transitionMass, m1));
    const bool kleinSide = scan.barrierHeight > scan.energy;
    picture.bands = {{m0, edge, kleinSide ? QColor::fromRgba(kScanKleinBand) : QColor::fromRgba(kScanPositiveBand),
                      kleinSide ? "supercritical Klein" : "positive branch", 6},
                     {edge, m1, QColor::fromRgba(kScanEvanescentBand), "evanescent / opened gap", 0}};
    picture.addEvenGrid(7, 2);
    if (m0 <= scan.transitionMass && scan.transitionMass <= m1)
        picture.thresholds.push_back(scan.transitionMass);
    picture.curves.push_back(
        scanCurveOf(scan.points, &KleinMassScanPoint::restMass, &KleinMassScanPoint::transmission));
    picture.legend = kleinScanLegend("rest mass m", "fixed-E plane-wave T(m)");
    picture.summary =
        QString("fixed E=%1   angle=%2 deg   V0=%3   width=%4   gap=2mc^2   transition m*=%5")
            .arg(QString::number(scan.energy, 'f', 4), QString::number(scan.incidenceAngleDegrees, 'f', 2),
                 QString::number(scan.barrierHeight, 'f', 3), QString::number(scan.barrierWidth, 'f', 3),
                 QString::number(scan.transitionMass, 'f', 4));
    return picture;
}

} // namespace

// Wider boxes for the mass labels than the default.
QuantumKleinMassScanPlotWidget::QuantumKleinMassScanPlotWidget(QWidget* parent)
    : KleinScanPlotWidget(parent,
                          {"Klein mass dependence - fixed-energy stationary T(m)",
                           "Load the Klein Transmission vs Mass preset.", ScanLayout{}.withValueLabelWidth(56)},
                          massPicture)
{
}

} // namespace vxo
