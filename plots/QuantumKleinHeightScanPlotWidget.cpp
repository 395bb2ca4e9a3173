#include "plots/QuantumKleinHeightScanPlotWidget.h"

#include <algorithm>

namespace vxo {

using namespace plot;

namespace {

ScanPicture heightPicture(const KleinHeightScan& scan)
{
    const double h0 = scan.firstHeight;
    const double h1 = scan.lastHeight;
    ScanPicture picture(h0, h1);
    // The regime edges, each limited to the scanned range.
    const double lower = std::max(h0, std::min(scan.lowerThreshold, h1));
    const double klein = std::max(h0, std::min(scan.kleinThreshold, h1));
    picture.bands = {{h0, lower, QColor::fromRgba(kScanPositiveBand), "positive branch", 6},
                     {lower, klein, QColor::fromRgba(kScanEvanescentBand), "evanescent", 0},
                     {klein, h1, QColor::fromRgba(kScanKleinBand), "supercritical Klein", 0}};
    picture.addEvenGrid(8, 1);
    for (const double threshold : {scan.lowerThreshold, scan.kleinThreshold})
        if (h0 <= threshold && threshold <= h1)
            picture.thresholds.push_back(threshold);
    picture.thresholdWidth = 1.4;
    picture.curves.push_back(
        scanCurveOf(scan.points, &KleinHeightScanPoint::barrierHeight, &KleinHeightScanPoint::transmission));
    picture.legend = kleinScanLegend("barrier height V0", "plane-wave T(V0)");
    picture.summary =
        QString("E=%1   |p|=%2   angle=%3 deg   width=%4   thresholds: %5 / %6")
            .arg(QString::number(scan.energy, 'f', 4), QString::number(scan.momentumMagnitude, 'f', 4),
                 QString::number(scan.incidenceAngleDegrees, 'f', 2), QString::number(scan.barrierWidth, 'f', 3),
                 QString::number(scan.lowerThreshold, 'f', 4), QString::number(scan.kleinThreshold, 'f', 4));
    return picture;
}

} // namespace

QuantumKleinHeightScanPlotWidget::QuantumKleinHeightScanPlotWidget(QWidget* parent)
    : KleinScanPlotWidget(parent,
                          {"Klein barrier-height reference - stationary plane-wave T(V0)",
                           "Load the Klein Transmission vs Barrier Height preset.", ScanLayout{}},
                          heightPicture)
{
}

} // namespace vxo
