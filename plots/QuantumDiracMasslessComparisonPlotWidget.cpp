#include "plots/QuantumDiracMasslessComparisonPlotWidget.h"

#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>

namespace vxo {

namespace {

// Beyond this angle the chirality no longer protects normal transmission.
constexpr double kChiralityWindowDegrees = 12.0;

std::vector<plot::ScanPoint> curvePoints(const DiracMasslessComparison& scan, bool massless)
{
    std::vector<plot::ScanPoint> points;
    points.reserve(scan.points.size());
    for (const DiracMasslessComparisonPoint& p : scan.points)
        points.push_back({p.valid, p.incidenceAngleDegrees, massless ? p.masslessTransmission : p.massiveTransmission});
    return points;
}

} // namespace

void QuantumDiracMasslessComparisonPlotWidget::setScan(const DiracMasslessComparison& scan, double currentAngleDegrees,
                                                       double packetMaxPRight)
{
    scan_ = scan;
    currentAngleDegrees_ = currentAngleDegrees;
    packetMaxPRight_ = packetMaxPRight;
    update();
}

void QuantumDiracMasslessComparisonPlotWidget::reset()
{
    scan_ = DiracMasslessComparison{};
    packetMaxPRight_ = -1.0;
    update();
}

void QuantumDiracMasslessComparisonPlotWidget::drawCurve(QPainter& painter, const plot::ScanFrame& frame, bool massless,
                                                         const QColor& colour, double width) const
{
    plot::strokePath(painter, plot::scanCurve(curvePoints(scan_, massless), frame), plot::roundPlotPen(colour, width));
}

void QuantumDiracMasslessComparisonPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!plot::beginTitledPage(
            painter, rect(), font(), plot::kKleinPage, "Massless Dirac / graphene-like analogue - same E, same barrier",
            scan_.valid && !scan_.points.empty(), "Load the Massless Dirac / Graphene-like Klein Analogue preset."))
        return;
    const double a0 = scan_.firstAngleDegrees;
    const double a1 = scan_.lastAngleDegrees;
    const plot::ScanFrame frame = plot::drawScanFrame(painter, size(), 64, 50, 88, 112, a0, a1);
    const QRect& panel = frame.panel;
    const auto x = [&](double a) { return plot::mapValue(frame.x, a); };

    const double window = std::min(a1, kChiralityWindowDegrees);
    if (window > a0)
        plot::fillScanBand(painter, panel, x(a0), x(window), QColor(45, 80, 110, 42));
    plot::drawTransmissionGrid(painter, panel, 7);
    const double span = a1 - a0;
    for (int k = 0; k <= 7; ++k) {
        const double angle = a0 + span * k / 7.0;
        plot::drawScanGridLine(painter, panel, x(angle), QString::number(angle, 'f', 0), 56);
    }

    // The massless curve on top of the massive control's.
    drawCurve(painter, frame, false, QColor(220, 130, 255), 2.0);
    drawCurve(painter, frame, true, QColor(100, 220, 255), 2.6);
    plot::drawScanMarker(painter, frame, curvePoints(scan_, true), a0, a1, currentAngleDegrees_, packetMaxPRight_);

    const DiracMasslessComparisonPoint& first = scan_.points.front();
    plot::drawScanTexts(
        painter, panel, 30, 24,
        "incidence angle (deg)   cyan: m=0   violet: massive fixed-E control   yellow: current m=0 "
        "reference   red: packet max P_right",
        44,
        QString("E=%1   V0=%2   width=%3   p(m=0)=%4   p(m=%5)=%6   T0: %7 vs %8")
            .arg(QString::number(scan_.energy, 'f', 4), QString::number(scan_.barrierHeight, 'f', 3),
                 QString::number(scan_.barrierWidth, 'f', 3), QString::number(scan_.masslessMomentum, 'f', 4),
                 QString::number(scan_.massiveRestMass, 'f', 2), QString::number(scan_.massiveMomentum, 'f', 4),
                 QString::number(first.valid ? first.masslessTransmission : 0.0, 'f', 4),
                 QString::number(first.valid ? first.massiveTransmission : 0.0, 'f', 4)));
    plot::drawScanBandName(painter, x(a0), x(window), panel.top() + 30, 4, "near-normal chirality window");
}

} // namespace vxo
