#include "plots/QuantumDiracMasslessComparisonPlotWidget.h"

#include <algorithm>

namespace vxo {

using namespace plot;

namespace {

// Beyond this angle the chirality no longer protects normal transmission.
constexpr double kChiralityWindowDegrees = 12.0;

} // namespace

ScanPage QuantumDiracMasslessComparisonPlotWidget::page() const
{
    // Wider angle labels and a taller legend band than the Klein scans.
    const ScanLayout layout = ScanLayout{}
                                  .withMargins(QMargins(64, 50, 24, 62))
                                  .withValueLabelWidth(56)
                                  .withLegendGap(30)
                                  .withLegendHeight(24)
                                  .withBandNameDrop(30);
    return {"Massless Dirac / graphene-like analogue - same E, same barrier",
            "Load the Massless Dirac / Graphene-like Klein Analogue preset.", layout};
}

ScanPicture QuantumDiracMasslessComparisonPlotWidget::picture() const
{
    const double a0 = scan_.firstAngleDegrees;
    const double a1 = scan_.lastAngleDegrees;
    ScanPicture picture(a0, a1);
    const double window = std::min(a1, kChiralityWindowDegrees);
    picture.bands = {{a0, window, QColor::fromRgba(kScanChiralityBand), "near-normal chirality window", 4}};
    const double span = a1 - a0;
    for (int k = 0; k <= 7; ++k) {
        const double angle = a0 + span * k / 7.0;
        picture.gridLines.emplace_back(angle, QString::number(angle, 'f', 0));
    }
    // The massless curve, which carries the marker, on top of the massive control's.
    using Point = DiracMasslessComparisonPoint;
    picture.curves = {
        curveOf(&Point::incidenceAngleDegrees, &Point::massiveTransmission, QColor(kScanMassiveCurve), 2.0),
        curveOf(&Point::incidenceAngleDegrees, &Point::masslessTransmission, QColor(kScanCurve), 2.6)};
    const DiracMasslessComparisonPoint& first = scan_.points.front();
    picture.legend = "incidence angle (deg)   cyan: m=0   violet: massive fixed-E control   yellow: current m=0 "
                     "reference   red: packet max P_right";
    picture.summary =
        QString("E=%1   V0=%2   width=%3   p(m=0)=%4   p(m=%5)=%6   T0: %7 vs %8")
            .arg(QString::number(scan_.energy, 'f', 4), QString::number(scan_.barrierHeight, 'f', 3),
                 QString::number(scan_.barrierWidth, 'f', 3), QString::number(scan_.masslessMomentum, 'f', 4),
                 QString::number(scan_.massiveRestMass, 'f', 2), QString::number(scan_.massiveMomentum, 'f', 4),
                 QString::number(first.valid ? first.masslessTransmission : 0.0, 'f', 4),
                 QString::number(first.valid ? first.massiveTransmission : 0.0, 'f', 4));
    return picture;
}

} // namespace vxo
