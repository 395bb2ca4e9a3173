#include "plots/QuantumKleinAngleScanPlotWidget.h"

namespace vxo {

using namespace plot;

ScanPage QuantumKleinAngleScanPlotWidget::page() const
{
    const ScanLayout layout = ScanLayout{}
                                  .withMargins(QMargins(62, 46, 22, 54))
                                  .withTransmissionLabelLeft(6)
                                  .withLegendGap(27)
                                  .withSummaryHeight(42);
    return {"Klein angular reference - stationary plane-wave T(theta) at fixed |p|",
            "Load the Klein Transmission vs Incidence Angle preset.", layout};
}

ScanPicture QuantumKleinAngleScanPlotWidget::picture() const
{
    ScanPicture picture(scan_.firstAngleDegrees, scan_.lastAngleDegrees);
    // Fixed angles every ten degrees, those inside the scan.
    for (int a = 0; a <= 70; a += 10)
        if (picture.first <= a && a <= picture.last)
            picture.gridLines.emplace_back(a, QString("%1 deg").arg(a));
    picture.curves.push_back(curveOf(&KleinAngleScanPoint::incidenceAngleDegrees, &KleinAngleScanPoint::transmission));
    picture.legend = "incidence angle theta   |   cyan: plane-wave reference   yellow: current reference   red: "
                     "time-domain packet max P_right";
    picture.summary =
        QString("|p|=%1   E=%2   V0=%3   width=%4   scan=%5..%6 deg")
            .arg(QString::number(scan_.momentumMagnitude, 'f', 4), QString::number(scan_.energy, 'f', 4),
                 QString::number(scan_.barrierHeight, 'f', 3), QString::number(scan_.barrierWidth, 'f', 3),
                 QString::number(picture.first, 'f', 0), QString::number(picture.last, 'f', 0));
    return picture;
}

} // namespace vxo
