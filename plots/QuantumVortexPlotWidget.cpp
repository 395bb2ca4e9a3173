#include "plots/QuantumVortexPlotWidget.h"

#include "core/Numeric.h"
#include "experiments/QuantumVortex2D.h"
#include "experiments/VortexRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vxo {

using namespace plot;

namespace {

// text centred over panel in the band (panel.left, top, panel.width, height);
// a text wider than the panel is moved as little as needed to lie within
// [left, right], and elided where even that is too narrow.
void drawCentredWithin(QPainter& painter, const QRectF& panel, double top, double height, double left, double right,
                       const QString& text, const QColor& colour)
{
    const QFontMetricsF metrics(painter.font());
    const double needed = metrics.horizontalAdvance(text);
    if (needed <= panel.width()) {
        drawTextBox(painter, QRectF(panel.left(), top, panel.width(), height), Qt::AlignCenter, text, colour);
        return;
    }
    const double room = std::max(right - left, 0.0);
    if (needed <= room) {
        const double start = std::clamp(panel.center().x() - needed / 2.0, left, right - needed);
        drawTextBox(painter, QRectF(start, top, needed, height), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip,
                    text, colour);
        return;
    }
    drawTextBox(painter, QRectF(left, top, room, height), Qt::AlignLeft | Qt::AlignVCenter,
                metrics.elidedText(text, Qt::ElideRight, room), colour);
}

} // namespace

void QuantumVortexPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    beginPlot(painter, rect(), QColor(kRecorder.background));

    const auto [orbit, momentum] = panels(size(), layout());
    const QPen framePen = plotPen(QColor(kRecorder.carpetFrame));
    drawFrame(painter, orbit, framePen);
    drawFrame(painter, momentum, framePen);
    // The long texts over and under the orbit panel may run past it rather
    // than lose their ends, as far as the widget's edge and the momentum
    // panel allow.
    const double bandLeft = 4.0;
    const double bandRight = momentum.left() - 12.0;
    drawCentredWithin(painter, orbit, 5.0, 20.0, bandLeft, bandRight,
                      QStringLiteral("Vortex-core orbit: measured (cyan) and harmonic reference (orange)"),
                      QColor(kRecorder.carpetTitle));
    drawPanelTitle(painter, momentum, QStringLiteral("Angular momentum <Lz>/hbar"), QColor(kRecorder.carpetTitle), 5.0,
                   20.0);

    if (!hasSamples()) {
        // Each panel's text on as many lines as the panel's width needs.
        const int flags = Qt::AlignCenter | Qt::TextWordWrap;
        drawTextBox(painter, orbit, flags, QStringLiteral("Run the Quantum Vortex preset"),
                    QColor(kRecorder.carpetPlaceholder));
        drawTextBox(painter, momentum, flags, QStringLiteral("Off-axis core + isotropic harmonic trap required"),
                    QColor(kRecorder.carpetPlaceholder));
        return;
    }
    const VortexInitialState& state = recorder_->config();
    const VortexTrap& trap = recorder_->trap();
    const std::vector<VortexSample>& samples = recorder_->samples();

    // A square window about the trap centre that holds the start with room to
    // spare, on one scale along both axes so that the harmonic orbit is round.
    const double cx = trap.centerX;
    const double cy = trap.centerY;
    const double dx = state.coreX - cx;
    const double dy = state.coreY - cy;
    const double halfWidth = std::max(1.3, 1.25 * std::max(std::hypot(dx, dy), 0.5));
    const PlaneAxes axes = equalScaleAxes(orbit, cx - halfWidth, cx + halfWidth, cy - halfWidth, cy + halfWidth, 1e-12);
    const auto toOrbit = [&](double x, double y) { return mapPlane(axes, x, y); };
    const QPen crosshair = plotPen(QColor(kAxes.vortexCrosshair), 1.0, Qt::DashLine);
    drawSegment(painter, crosshair, toOrbit(cx - halfWidth, cy), toOrbit(cx + halfWidth, cy));
    drawSegment(painter, crosshair, toOrbit(cx, cy - halfWidth), toOrbit(cx, cy + halfWidth));

    // The harmonic reference: the start rotated about the centre, a whole turn.
    strokePath(painter,
               sampledPolyline(120, 0.0, 2.0 * kPi,
                               [&](double a) {
                                   return toOrbit(cx + dx * std::cos(a) - dy * std::sin(a),
                                                  cy + dx * std::sin(a) + dy * std::cos(a));
                               }),
               plotPen(translucent(kMaps.vortexClassical, 180), 1.5, Qt::DashLine));
    strokePath(painter,
               polylineBridgingGaps(samples.size(),
                                    [&](std::size_t i) -> std::optional<QPointF> {
                                        if (!samples[i].found)
                                            return std::nullopt;
                                        return toOrbit(samples[i].x, samples[i].y);
                                    }),
               plotPen(QColor(kCurves.carpet), 2.2));
    if (samples.back().found)
        drawDisc(painter, toOrbit(samples.back().x, samples.back().y), 4.5, QColor(kCurves.carpet));

    // <Lz>/hbar on a range that always holds zero.
    const auto lz = [&](const VortexSample& s) { return hbar_ > 0.0 ? s.angularMomentum / hbar_ : 0.0; };
    FiniteExtent extent;
    extendFinite(extent, 0.0);
    for (const VortexSample& s : samples)
        extendFinite(extent, lz(s));
    const double span = std::max(extent.maximum - extent.minimum, 1e-6);
    const double pad = std::max(0.15 * span, 0.08);
    const QColor label(kRecorder.label);
    const NumberedAxis times = timeAxis(momentum, samples.front().time, samples.back().time, font(), label);
    const NumberedAxis values = valueAxis(momentum, extent.minimum - pad, extent.maximum + pad, font(), label);
    drawValueLines(painter, momentum, values, plotPen(QColor(kRecorder.carpetFrame)));
    strokePath(painter, timeCurve(samples, times.map, values.map, lz), plotPen(QColor(kMaps.vortexMomentum), 2.0));
    drawValueNumbers(painter, momentum, values);

    const QString omega = QString::number(QuantumVortex2D::trapOmega(trap, mass_), 'f', 3);
    const QString period = QString::number(QuantumVortex2D::trapPeriod(trap, mass_), 'f', 3);
    drawCentredWithin(
        painter, orbit, orbit.bottom() + 5.0, 22.0, 4.0, momentum.left() - 12.0,
        QStringLiteral("core x-y   charge %1   omega=%2   T=%3").arg(QString::number(state.charge), omega, period),
        QColor(kRecorder.label));
    drawSimulationTimeAxis(painter, momentum, times, QColor(kRecorder.carpetFrame));
}

} // namespace vxo
