#include "plots/QuantumKleinHeightScanPlotWidget.h"

#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>

namespace vxo {

void QuantumKleinHeightScanPlotWidget::setScan(const KleinHeightScan& scan, double currentBarrierHeight,
                                               double packetMaxPRight)
{
    scan_ = scan;
    currentBarrierHeight_ = currentBarrierHeight;
    packetMaxPRight_ = packetMaxPRight;
    update();
}

void QuantumKleinHeightScanPlotWidget::reset()
{
    scan_ = KleinHeightScan{};
    packetMaxPRight_ = -1.0;
    update();
}

void QuantumKleinHeightScanPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!plot::beginTitledPage(
            painter, rect(), font(), plot::kKleinPage, "Klein barrier-height reference - stationary plane-wave T(V0)",
            scan_.valid && !scan_.points.empty(), "Load the Klein Transmission vs Barrier Height preset."))
        return;
    const double h0 = scan_.firstHeight;
    const double h1 = scan_.lastHeight;
    const plot::ScanFrame frame = plot::drawScanFrame(painter, size(), 64, 48, 88, 106, h0, h1);
    const QRect& panel = frame.panel;
    const auto x = [&](double v) { return plot::mapValue(frame.x, v); };

    // The regime edges, each limited to the scanned range.
    const double lower = std::max(h0, std::min(scan_.lowerThreshold, h1));
    const double klein = std::max(h0, std::min(scan_.kleinThreshold, h1));
    if (lower > h0)
        plot::fillScanBand(painter, panel, x(h0), x(lower), QColor(40, 85, 60, 45));
    if (klein > lower)
        plot::fillScanBand(painter, panel, x(lower), x(klein), QColor(120, 85, 35, 55));
    if (h1 > klein)
        plot::fillScanBand(painter, panel, x(klein), x(h1), QColor(45, 70, 120, 45));

    plot::drawTransmissionGrid(painter, panel, 7);
    const double span = h1 - h0;
    for (int k = 0; k <= 8; ++k) {
        const double height = h0 + k * span * 0.125;
        plot::drawScanGridLine(painter, panel, x(height), QString::number(height, 'f', 1), 48);
    }
    for (const double threshold : {scan_.lowerThreshold, scan_.kleinThreshold})
        if (h0 <= threshold && threshold <= h1)
            plot::drawScanThreshold(painter, panel, x(threshold), 1.4);

    std::vector<plot::ScanPoint> points;
    points.reserve(scan_.points.size());
    for (const KleinHeightScanPoint& p : scan_.points)
        points.push_back({p.valid, p.barrierHeight, p.transmission});
    plot::strokePath(painter, plot::scanCurve(points, frame), plot::roundPlotPen(QColor(100, 220, 255), 2.4));
    plot::drawScanMarker(painter, frame, points, h0, h1, currentBarrierHeight_, packetMaxPRight_);
    plot::drawScanTexts(
        painter, panel, 29, 22,
        "barrier height V0   |   cyan: plane-wave T(V0)   yellow: current reference   red: "
        "time-domain packet max P_right",
        44,
        QString("E=%1   |p|=%2   angle=%3 deg   width=%4   thresholds: %5 / %6")
            .arg(QString::number(scan_.energy, 'f', 4), QString::number(scan_.momentumMagnitude, 'f', 4),
                 QString::number(scan_.incidenceAngleDegrees, 'f', 2), QString::number(scan_.barrierWidth, 'f', 3),
                 QString::number(scan_.lowerThreshold, 'f', 4), QString::number(scan_.kleinThreshold, 'f', 4)));
    const int nameTop = panel.top() + 28;
    plot::drawScanBandName(painter, x(h0), x(lower), nameTop, 6, "positive branch");
    plot::drawScanBandName(painter, x(lower), x(klein), nameTop, 0, "evanescent");
    plot::drawScanBandName(painter, x(klein), x(h1), nameTop, 0, "supercritical Klein");
}

} // namespace vxo
