#include "plots/QuantumKleinAngleScanPlotWidget.h"

#include "plots/PlotPainting.h"

#include <QPainter>

namespace vxo {

void QuantumKleinAngleScanPlotWidget::setScan(const KleinAngleScan& scan, double currentAngleDegrees,
                                              double packetMaxPRight)
{
    scan_ = scan;
    currentAngleDegrees_ = currentAngleDegrees;
    packetMaxPRight_ = packetMaxPRight;
    update();
}

void QuantumKleinAngleScanPlotWidget::reset()
{
    scan_ = KleinAngleScan{};
    packetMaxPRight_ = -1.0;
    update();
}

void QuantumKleinAngleScanPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!plot::beginTitledPage(painter, rect(), font(), plot::kKleinPage,
                               "Klein angular reference - stationary plane-wave T(theta) at fixed |p|",
                               scan_.valid && !scan_.points.empty(),
                               "Load the Klein Transmission vs Incidence Angle preset."))
        return;
    const double a0 = scan_.firstAngleDegrees;
    const double a1 = scan_.lastAngleDegrees;
    const plot::ScanFrame frame = plot::drawScanFrame(painter, size(), 62, 46, 84, 100, a0, a1);
    plot::drawTransmissionGrid(painter, frame.panel, 6);
    // Fixed angles every ten degrees, those inside the scan.
    for (int a = 0; a <= 70; a += 10)
        if (a0 <= a && a <= a1)
            plot::drawScanGridLine(painter, frame.panel, plot::mapValue(frame.x, a), QString("%1 deg").arg(a), 48);

    std::vector<plot::ScanPoint> points;
    points.reserve(scan_.points.size());
    for (const KleinAngleScanPoint& p : scan_.points)
        points.push_back({p.valid, p.incidenceAngleDegrees, p.transmission});
    plot::strokePath(painter, plot::scanCurve(points, frame), plot::roundPlotPen(QColor(100, 220, 255), 2.4));
    plot::drawScanMarker(painter, frame, points, a0, a1, currentAngleDegrees_, packetMaxPRight_);
    plot::drawScanTexts(painter, frame.panel, 27, 22,
                        "incidence angle theta   |   cyan: plane-wave reference   yellow: current reference   red: "
                        "time-domain packet max P_right",
                        42,
                        QString("|p|=%1   E=%2   V0=%3   width=%4   scan=%5..%6 deg")
                            .arg(QString::number(scan_.momentumMagnitude, 'f', 4),
                                 QString::number(scan_.energy, 'f', 4), QString::number(scan_.barrierHeight, 'f', 3),
                                 QString::number(scan_.barrierWidth, 'f', 3), QString::number(a0, 'f', 0),
                                 QString::number(a1, 'f', 0)));
}

} // namespace vxo
