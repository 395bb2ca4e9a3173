#include "plots/QuantumHallEdgePlotWidget.h"

#include "experiments/HallEdgeRecorder.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <cmath>

namespace vxo {

plot::StackedLayout QuantumHallEdgePlotWidget::layout() { return plot::orbitOverTimeLayout(); }

void QuantumHallEdgePlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool hasData = hasSamples();
    if (!plot::beginTitledPage(painter, rect(), font(), plot::kGaugePage,
                               "Quantum Hall edge - chiral boundary transport", hasData,
                               "Load Quantum Hall Edge State and press Play"))
        return;
    const std::vector<HallEdgeSample>& samples = recorder_->samples();
    const HallEdgeSample& last = samples.back();
    const HallEdgeConfig& config = recorder_->config();

    const plot::StackedPanels panels = plot::drawStackedPanels(
        painter, size(), layout(), QColor(plot::kStackedFrame), QColor(plot::kStackedPanel));
    const QRect& trajectory = panels.upper;
    const QRect& time = panels.lower;

    // A fixed window, x from -16 to 16 and y from one unit below the edge to
    // eight above it, on one scale along both axes and centred in the panel, so
    // that the skipping orbits keep their shape; nothing is clipped.
    const double y0 = config.edgeY - 1.0;
    const plot::PlaneAxes axes = plot::equalScaleAxes(QRectF(trajectory), -16.0, 16.0, y0, y0 + 9.0, 1e-12);
    const auto plane = [&](double x, double y) { return plot::mapPlane(axes, x, y); };
    const double edge = plane(0.0, config.edgeY).y();
    plot::drawHorizontalLine(
        painter, plot::plotPen(QColor(plot::kHallEdgeWall), 2.2), trajectory.left(), trajectory.right(), edge);
    if (std::isfinite(edge))
        painter.fillRect(QRectF(trajectory.left(), edge, trajectory.width(), trajectory.bottom() - edge),
                         QColor::fromRgba(plot::kHallEdgeShade));
    plot::strokePath(painter,
                     plot::polylineBridgingGaps(
                         samples.size(), [&](std::size_t i) { return plane(samples[i].meanX, samples[i].meanY); }),
                     plot::plotPen(QColor(plot::kGaugeTrajectory), 2.0));
    plot::drawDisc(painter, plane(last.meanX, last.meanY), 4.5, QColor(plot::kGaugeHighlight));

    const plot::AxisMap tAxis
        = plot::horizontalAxis(QRectF(time), 0.0, plot::timeAxisEnd(config.analysisEndTime, last.time), 1e-12);
    double driftMax = 1.0;
    for (const HallEdgeSample& s : samples)
        driftMax = std::abs(s.drift) > driftMax ? std::abs(s.drift) : driftMax;
    const int middle = time.center().y();
    plot::strokePath(painter,
                     plot::polylineBridgingGaps(samples.size(),
                                                [&](std::size_t i) {
                                                    return QPointF(plot::mapValue(tAxis, samples[i].time),
                                                                   time.bottom()
                                                                       - time.height()
                                                                           * plot::clampNanToUpper(
                                                                               samples[i].edgeProbability, 0.0, 1.0));
                                                }),
                     plot::plotPen(QColor(plot::kGaugeSecondTrace), 2.0));
    // The drift is centred, its largest excursion at 45 % of the height.
    plot::strokePath(painter,
                     plot::polylineBridgingGaps(samples.size(),
                                                [&](std::size_t i) {
                                                    return QPointF(
                                                        plot::mapValue(tAxis, samples[i].time),
                                                        middle - 0.45 * time.height() * samples[i].drift / driftMax);
                                                }),
                     plot::plotPen(QColor(plot::kGaugeHighlight), 1.8));
    plot::drawHorizontalLine(
        painter, plot::plotPen(QColor(plot::kHallEdgeDriftZero), 1.0, Qt::DashLine), time.left(), time.right(), middle);

    const QColor texts = QColor(plot::kGaugeCaption);
    plot::drawPanelCaption(painter, trajectory, 3, 20, "<x>, <y> trajectory - red line: confining edge", texts);
    plot::drawPanelCaption(painter, time, 4, 20, "time   green: P(edge strip)   yellow: longitudinal drift", texts);
    const bool againstX = !(config.fieldStrength >= 0.0);
    plot::drawPanelSummary(painter, trajectory, 22,
                           QString("b=%1   edge y=%2   chirality %3   drift=%4   Pedge=%5   norm=%6")
                               .arg(QString::number(config.fieldStrength, 'f', 3),
                                    QString::number(config.edgeY, 'f', 2), againstX ? "-X" : "+X",
                                    QString::number(last.drift, 'f', 3), QString::number(last.edgeProbability, 'f', 3),
                                    QString::number(last.norm, 'f', 6)),
                           QColor(plot::kStackedSummary));
}

} // namespace vxo
