#include "plots/QuantumKleinAngleScanPlotWidget.h"

namespace vxo {

using namespace plot;

namespace {

ScanPicture anglePicture(const KleinAngleScan& scan)
{
    ScanPicture picture =
        kleinScanPicture(scan.firstAngleDegrees, scan.lastAngleDegrees, scan.points,
                         &KleinAngleScanPoint::incidenceAngleDegrees, "incidence angle theta", "plane-wave reference");
    // Fixed angles every ten degrees, those inside the scan.
    for (int a = 0; a <= 70; a += 10)
        if (picture.first <= a && a <= picture.last)
            picture.gridLines.emplace_back(a, QString("%1 deg").arg(a));
    picture.summary = QString("|p|=%1   E=%2   V0=%3   width=%4   scan=%5..%6 deg")
                          .arg(QString::number(scan.momentumMagnitude, 'f', 4), QString::number(scan.energy, 'f', 4),
                               QString::number(scan.barrierHeight, 'f', 3), QString::number(scan.barrierWidth, 'f', 3),
                               QString::number(picture.first, 'f', 0), QString::number(picture.last, 'f', 0));
    return picture;
}

const ScanPage kPage{"Klein angular reference - stationary plane-wave T(theta) at fixed |p|",
                     "Load the Klein Transmission vs Incidence Angle preset.",
                     ScanLayout{}
                         .withMargins(QMargins(62, 46, 22, 54))
                         .withTransmissionLabelLeft(6)
                         .withLegendGap(27)
                         .withSummaryHeight(42)};

} // namespace

QuantumKleinAngleScanPlotWidget::QuantumKleinAngleScanPlotWidget(QWidget* parent)
    : KleinScanPlotWidget(parent, kPage, anglePicture)
{
}

} // namespace vxo
