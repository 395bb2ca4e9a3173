#include "plots/QuantumDiracMasslessComparisonPlotWidget.h"

#include <algorithm>

namespace vxo {

using namespace plot;

namespace {

// Beyond this angle the chirality no longer protects normal transmission.
constexpr double kChiralityWindowDegrees = 12.0;

ScanPicture masslessPicture(const DiracMasslessComparison& scan)
{
    const double a0 = scan.firstAngleDegrees;
    const double a1 = scan.lastAngleDegrees;
    ScanPicture picture(a0, a1);
    const double window = std::min(a1, kChiralityWindowDegrees);
    picture.bands = {{a0, window, QColor::fromRgba(kOverlays.scanChiralityBand), "near-normal chirality window", 4}};
    picture.addRoundGrid();
    // The massless curve, which carries the marker, on top of the massive control's.
    using Point = DiracMasslessComparisonPoint;
    picture.curves = {scanCurveOf(scan.points, &Point::incidenceAngleDegrees, &Point::massiveTransmission,
                                  QColor(kDirac.massiveCurve), 2.0),
                      scanCurveOf(scan.points, &Point::incidenceAngleDegrees, &Point::masslessTransmission,
                                  QColor(kCurves.leading), 2.6)};
    const DiracMasslessComparisonPoint& first = scan.points.front();
    picture.legend = "incidence angle (deg)   cyan: m=0   violet: massive fixed-E control   yellow: current m=0 "
                     "reference   red: packet max P_right";
    picture.summary =
        QString("E=%1   V0=%2   width=%3   p(m=0)=%4   p(m=%5)=%6   T0: %7 vs %8")
            .arg(QString::number(scan.energy, 'f', 4), QString::number(scan.barrierHeight, 'f', 3),
                 QString::number(scan.barrierWidth, 'f', 3), QString::number(scan.masslessMomentum, 'f', 4),
                 QString::number(scan.massiveRestMass, 'f', 2), QString::number(scan.massiveMomentum, 'f', 4),
                 QString::number(first.valid ? first.masslessTransmission : 0.0, 'f', 4),
                 QString::number(first.valid ? first.massiveTransmission : 0.0, 'f', 4));
    return picture;
}

// Wider angle labels and a taller legend band than the Klein scans.
const ScanPage kPage{"Massless Dirac / graphene-like analogue - same E, same barrier",
                     "Load the Massless Dirac / Graphene-like Klein Analogue preset.",
                     ScanLayout{}
                         .withMargins(QMargins(64, 50, 24, 62))
                         .withValueLabelWidth(56)
                         .withLegendGap(30)
                         .withLegendHeight(24)
                         .withBandNameDrop(30)};

} // namespace

QuantumDiracMasslessComparisonPlotWidget::QuantumDiracMasslessComparisonPlotWidget(QWidget* parent)
    : KleinScanPlotWidget(parent, kPage, masslessPicture)
{
}

} // namespace vxo
