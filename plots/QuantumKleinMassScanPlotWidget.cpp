#include "plots/QuantumKleinMassScanPlotWidget.h"

namespace vxo {

using namespace plot;

namespace {

// A scan that starts next to zero mass (the window's starts at 0.005, where
// the massless limit is still solvable) is drawn from zero: its axis then
// starts at a round value, and the light masses a class reads lie a known
// share of the way to the first number.
double massAxisStart(const KleinMassScan& scan)
{
    constexpr double kNextToZero = 0.02;
    const double first = scan.firstMass;
    return first > 0.0 && first <= kNextToZero * (scan.lastMass - first) ? 0.0 : first;
}

ScanPicture massPicture(const KleinMassScan& scan)
{
    ScanPicture picture = kleinScanPicture(massAxisStart(scan), scan.lastMass, scan.points,
                                           &KleinMassScanPoint::restMass, "rest mass m", "fixed-E plane-wave T(m)");
    // Below the transition mass the barrier region still propagates: on the
    // Klein side (V0 > E) through the negative branch.
    const double edge = picture.within(scan.transitionMass);
    const bool kleinSide = scan.barrierHeight > scan.energy;
    picture.bands = {
        {picture.first, edge,
         kleinSide ? QColor::fromRgba(kOverlays.scanKleinBand) : QColor::fromRgba(kOverlays.scanPositiveBand),
         kleinSide ? "supercritical Klein" : "positive branch", 6},
        {edge, picture.last, QColor::fromRgba(kOverlays.scanEvanescentBand), "evanescent / opened gap", 0}};
    picture.addRoundGrid();
    picture.addThreshold(scan.transitionMass);
    picture.summary =
        QString("fixed E=%1   angle=%2 deg   V0=%3   width=%4   gap=2mc^2   transition m*=%5")
            .arg(QString::number(scan.energy, 'f', 4), QString::number(scan.incidenceAngleDegrees, 'f', 2),
                 QString::number(scan.barrierHeight, 'f', 3), QString::number(scan.barrierWidth, 'f', 3),
                 QString::number(scan.transitionMass, 'f', 4));
    return picture;
}

const ScanPage kPage{"Klein mass dependence - fixed-energy stationary T(m)",
                     "Load the Klein Transmission vs Mass preset.", ScanLayout{}};

} // namespace

QuantumKleinMassScanPlotWidget::QuantumKleinMassScanPlotWidget(QWidget* parent)
    : KleinScanPlotWidget(parent, kPage, massPicture)
{
}

} // namespace vxo
