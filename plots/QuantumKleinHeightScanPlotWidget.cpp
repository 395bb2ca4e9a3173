#include "plots/QuantumKleinHeightScanPlotWidget.h"

#include <algorithm>

namespace vxo {

using namespace plot;

ScanPage QuantumKleinHeightScanPlotWidget::page() const
{
    return {"Klein barrier-height reference - stationary plane-wave T(V0)",
            "Load the Klein Transmission vs Barrier Height preset.", ScanLayout{}};
}

ScanPicture QuantumKleinHeightScanPlotWidget::picture() const
{
    const double h0 = scan_.firstHeight;
    const double h1 = scan_.lastHeight;
    ScanPicture picture(h0, h1);
    // The regime edges, each limited to the scanned range.
    const double lower = std::max(h0, std::min(scan_.lowerThreshold, h1));
    const double klein = std::max(h0, std::min(scan_.kleinThreshold, h1));
    picture.bands = {{h0, lower, QColor::fromRgba(kScanPositiveBand), "positive branch", 6},
                     {lower, klein, QColor::fromRgba(kScanEvanescentBand), "evanescent", 0},
                     {klein, h1, QColor::fromRgba(kScanKleinBand), "supercritical Klein", 0}};
    const double span = h1 - h0;
    for (int k = 0; k <= 8; ++k) {
        const double height = h0 + k * span * 0.125;
        picture.gridLines.emplace_back(height, QString::number(height, 'f', 1));
    }
    for (const double threshold : {scan_.lowerThreshold, scan_.kleinThreshold})
        if (h0 <= threshold && threshold <= h1)
            picture.thresholds.push_back(threshold);
    picture.thresholdWidth = 1.4;
    picture.curves.push_back(curveOf(&KleinHeightScanPoint::barrierHeight, &KleinHeightScanPoint::transmission));
    picture.legend = "barrier height V0   |   cyan: plane-wave T(V0)   yellow: current reference   red: "
                     "time-domain packet max P_right";
    picture.summary =
        QString("E=%1   |p|=%2   angle=%3 deg   width=%4   thresholds: %5 / %6")
            .arg(QString::number(scan_.energy, 'f', 4), QString::number(scan_.momentumMagnitude, 'f', 4),
                 QString::number(scan_.incidenceAngleDegrees, 'f', 2), QString::number(scan_.barrierWidth, 'f', 3),
                 QString::number(scan_.lowerThreshold, 'f', 4), QString::number(scan_.kleinThreshold, 'f', 4));
    return picture;
}

} // namespace vxo
