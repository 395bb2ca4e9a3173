#include "plots/QuantumHallEdgePlotWidget.h"

#include "experiments/HallEdgeRecorder.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <optional>

#include <cmath>

namespace vxo {

using namespace plot;

void QuantumHallEdgePlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const std::optional<StackedPanels> panels = beginOrbitPage(painter, "Quantum Hall edge - chiral boundary transport",
                                                               "Load Quantum Hall Edge State and press Play");
    if (!panels)
        return;
    const std::vector<HallEdgeSample>& samples = recorder_->samples();
    const HallEdgeSample& last = samples.back();
    const HallEdgeConfig& config = recorder_->config();

    const QRect& trajectory = panels->upper;
    const QRect& time = panels->lower;

    // A fixed window, x from -16 to 16 and y from one unit below the edge to
    // eight above it, on one scale along both axes and centred in the panel
    // under its summary, so that the skipping orbits keep their shape; nothing
    // is clipped.
    const bool againstX = !(config.fieldStrength >= 0.0);
    const QString summary =
        QString("b=%1   edge y=%2   chirality %3   drift=%4   Pedge=%5   norm=%6")
            .arg(QString::number(config.fieldStrength, 'f', 3), QString::number(config.edgeY, 'f', 2),
                 againstX ? "-X" : "+X", QString::number(last.drift, 'f', 3),
                 QString::number(last.edgeProbability, 'f', 3), QString::number(last.norm, 'f', 6));
    // The window under the summary inside the panel's top.
    const double y0 = config.edgeY - 1.0;
    const QRectF under =
        QRectF(trajectory)
            .adjusted(0.0,
                      stackedSummaryBottom(*panels, trajectory, layout().texts, font(), summary) - trajectory.top(),
                      0.0, 0.0);
    const PlaneAxes axes = equalScaleAxes(under, -16.0, 16.0, y0, y0 + 9.0, 1e-12);
    const auto plane = [&](double x, double y) { return mapPlane(axes, x, y); };
    const double edge = plane(0.0, config.edgeY).y();
    drawHorizontalLine(painter, plotPen(QColor(kGauge.hallEdgeWall), 2.2), trajectory.left(), trajectory.right(), edge);
    if (std::isfinite(edge))
        painter.fillRect(QRectF(trajectory.left(), edge, trajectory.width(), trajectory.bottom() - edge),
                         QColor::fromRgba(kOverlays.hallEdgeShade));
    drawTrajectory(painter, axes);

    const AxisMap tAxis = horizontalAxis(QRectF(time), 0.0, timeAxisEnd(config.analysisEndTime, last.time), 1e-12);
    double driftMax = 1.0;
    for (const HallEdgeSample& s : samples)
        driftMax = std::abs(s.drift) > driftMax ? std::abs(s.drift) : driftMax;
    const int middle = time.center().y();
    // The traces stay on their panel, clear of the numbers beside it.
    painter.save();
    painter.setClipRect(QRectF(time).adjusted(0.0, -2.0, 1.0, 2.0));
    strokePath(painter,
               timeCurve(samples, tAxis, [&](const HallEdgeSample& s) { return fractionRow(time, s.edgeProbability); }),
               plotPen(QColor(kGauge.secondTrace), 2.0));
    // The drift is centred, its largest excursion at 45 % of the height.
    strokePath(painter,
               timeCurve(samples, tAxis,
                         [&](const HallEdgeSample& s) { return middle - 0.45 * time.height() * s.drift / driftMax; }),
               plotPen(QColor(kGauge.highlight), 1.8));
    drawHorizontalLine(painter, plotPen(QColor(kAxes.hallEdgeDriftZero), 1.0, Qt::DashLine), time.left(), time.right(),
                       middle);
    painter.restore();

    drawFractionNumbers(painter, *panels, QColor(kGauge.secondTrace));
    drawOrbitTexts(painter, *panels, tAxis, "<x>, <y> trajectory - red line: confining edge",
                   "time   green: P(edge strip)   yellow: longitudinal drift", summary);
}

} // namespace vxo
