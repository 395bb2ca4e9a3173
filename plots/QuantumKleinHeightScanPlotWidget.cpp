#include "plots/QuantumKleinHeightScanPlotWidget.h"

namespace vxo {

using namespace plot;

namespace {

ScanPicture heightPicture(const KleinHeightScan& scan)
{
    ScanPicture picture =
        kleinScanPicture(scan.firstHeight, scan.lastHeight, scan.points, &KleinHeightScanPoint::barrierHeight,
                         "barrier height V0", "plane-wave T(V0)");
    const double lower = picture.within(scan.lowerThreshold);
    const double klein = picture.within(scan.kleinThreshold);
    picture.bands = {{picture.first, lower, QColor::fromRgba(kOverlays.scanPositiveBand), "positive branch", 6},
                     {lower, klein, QColor::fromRgba(kOverlays.scanEvanescentBand), "evanescent", 0},
                     {klein, picture.last, QColor::fromRgba(kOverlays.scanKleinBand), "supercritical Klein", 0}};
    picture.addRoundGrid();
    picture.addThreshold(scan.lowerThreshold);
    picture.addThreshold(scan.kleinThreshold);
    picture.thresholdWidth = 1.4;
    picture.summary =
        QString("E=%1   |p|=%2   angle=%3 deg   width=%4   thresholds: %5 / %6")
            .arg(QString::number(scan.energy, 'f', 4), QString::number(scan.momentumMagnitude, 'f', 4),
                 QString::number(scan.incidenceAngleDegrees, 'f', 2), QString::number(scan.barrierWidth, 'f', 3),
                 QString::number(scan.lowerThreshold, 'f', 4), QString::number(scan.kleinThreshold, 'f', 4));
    return picture;
}

const ScanPage kPage{"Klein barrier-height reference - stationary plane-wave T(V0)",
                     "Load the Klein Transmission vs Barrier Height preset.", ScanLayout{}};

} // namespace

QuantumKleinHeightScanPlotWidget::QuantumKleinHeightScanPlotWidget(QWidget* parent)
    : KleinScanPlotWidget(parent, kPage, heightPicture)
{
}

} // namespace vxo
