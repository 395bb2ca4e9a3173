#include "plots/QuantumBerryPhasePlotWidget.h"

#include "core/Numeric.h"
#include "experiments/BerryRecorder.h"
#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vxo {

using namespace plot;

namespace {

const SplitPage kPage{kTracePageLook,
                      {"Berry loop in parameter space (q1,q2) - degeneracy at the origin", 5.0, 22.0},
                      {"Return fidelity and geometric phase extracted from the full wavefunction", 10.0, 22.0},
                      {"Load Berry Phase / Geometric Phase and run one cyclic deformation",
                       "In the adiabatic limit the endpoint phase tends to ±180°"}};

} // namespace

void QuantumBerryPhasePlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const std::optional<SplitPanels> panels = beginSplitPage(painter, rect(), layout(), kPage, hasSamples());
    if (!panels)
        return;
    const QRectF& loop = panels->upper;
    const std::vector<BerrySample>& samples = recorder_->samples();
    const BerrySample& last = samples.back();

    const QString note = QStringLiteral("physical principal axis rotates by θ/2");
    // A no-break space keeps the percentage and its sign on one line.
    const QString status = QStringLiteral("samples %1   t=%2   progress %3\u00a0%")
                               .arg(QString::number(samples.size()), QString::number(last.time, 'f', 2),
                                    QString::number(last.progress * 100.0, 'f', 1));
    // The note shares the bottom line with the status where both fit, else
    // it moves to the panel's top left corner. A panel too narrow for them
    // (beside the curves) wraps each inside it, and the loop shrinks to stay
    // clear of their lines, so that no text hides the current deformation.
    const QFontMetricsF metrics(painter.font());
    const bool shareBottom = metrics.horizontalAdvance(note) + metrics.horizontalAdvance(status) + 40.0 <= loop.width();
    const double noteTop = shareBottom ? loop.bottom() - 27.0 : loop.top() + 7.0;
    const double noteHeight = wrappedTextHeight(painter.font(), std::min(310.0, loop.width() - 20.0), note);
    const double statusHeight = wrappedTextHeight(painter.font(), std::min(350.0, loop.width() - 20.0), status);
    const QPointF centre = loop.center();
    double radius = 0.39 * std::min(loop.width(), loop.height());
    if (std::max(noteHeight, statusHeight) > metrics.height() + 1.0)
        radius = std::min(
            radius,
            std::min(centre.y() - (noteTop + noteHeight), loop.bottom() - 7.0 - statusHeight - centre.y()) - 4.0);

    // A loop of amplitude a lies on the circle of radius R; q2 grows upwards.
    const double amplitude = atLeast(recorder_->config().anisotropy, 1e-9);
    const auto loopPoint = [&](const BerrySample& s) {
        return QPointF(centre.x() + s.q1 * radius / amplitude, centre.y() - s.q2 * radius / amplitude);
    };
    const QPen axisPen = plotPen(QColor(kAxes.berryAxes));
    drawHorizontalLine(painter, axisPen, loop.left() + 12.0, loop.right() - 12.0, centre.y());
    drawVerticalLine(painter, axisPen, centre.x(), loop.top() + 12.0, loop.bottom() - 12.0);
    painter.setPen(plotPen(QColor(kAxes.berryGuide), 1.2, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius, radius);
    strokePath(painter, polylineBridgingGaps(samples.size(), [&](std::size_t i) { return loopPoint(samples[i]); }),
               plotPen(QColor(kGauge.berryLoop), 2.2));
    const QPointF current = loopPoint(last);
    drawSegment(painter, plotPen(QColor(kMarkers.berryCurrent), 1.3, Qt::DashLine), centre, current);
    drawDisc(painter, current, 8.0, QColor(kMarkers.berryCurrent));
    // The texts of the loop panel stand on patches of the background: the
    // axes, the guide circle and the radius to the current point pass under them.
    const QColor patch(kRecorder.background);
    drawDisc(painter, centre, 5.0, QColor(kGauge.berryDegeneracy));
    // Above the degeneracy, or level with it where the panel's top or the
    // note over it would meet it (a short panel: between the note and the
    // status), on one line, moved left where the panel ends too soon for it.
    const QString degeneracy = QStringLiteral("degeneracy q1=q2=0");
    const double above = centre.y() - 19.0;
    const bool clearAbove = above >= loop.top() + 2.0 && (shareBottom || above >= noteTop + noteHeight);
    const double degeneracyWidth = std::ceil(metrics.horizontalAdvance(degeneracy)) + 2.0;
    const double degeneracyLeft = std::min(centre.x() + 8.0, loop.right() - 10.0 - degeneracyWidth);
    drawTextInPanel(painter, QRectF(degeneracyLeft, clearAbove ? above : centre.y() - 11.0, degeneracyWidth, 22.0),
                    loop, Qt::AlignLeft, degeneracy, QColor(kGauge.berryDegeneracyLabel), patch);
    drawTextInPanel(painter, QRectF(loop.left() + 10.0, noteTop, 310.0, 20.0), loop, Qt::AlignLeft, note,
                    QColor(kRecorder.traceStatus), patch);
    drawTextInPanel(painter, QRectF(loop.right() - 360.0, loop.bottom() - 27.0, 350.0, 20.0), loop,
                    Qt::AlignRight | Qt::AlignBottom, status, QColor(kRecorder.traceStatus), patch);

    const std::vector<LegendItem> legend{
        {QStringLiteral("cyan: return fidelity"), kCurves.traceFidelity, 8.0, 220.0},
        {QStringLiteral("gold: geometric phase (±180° scale)"), kCurves.tracePhase, 215.0, 270.0}};
    const QRectF curve = curvesUnderLegend(painter, panels->lower, true, legend, QColor(kRecorder.traceFrame), patch);
    const QColor axisText(kRecorder.traceAxis);
    const NumberedAxis times = timeAxis(curve, samples.front().time, last.time, font(), axisText);
    const NumberedAxis fidelities = fractionAxis(curve, font(), axisText);
    const AxisMap& time = times.map;
    const AxisMap& unit = fidelities.map;
    // +180 degrees on the top edge, -180 on the bottom one.
    const AxisMap degrees = verticalAxis(curve, -180.0, 180.0, 1.0);
    drawHorizontalLine(painter, plotPen(QColor(kAxes.berryZero)), curve.left(), curve.right(), curve.center().y());
    const QPen limitPen = plotPen(QColor(kCurves.tracePhase), 1.0, Qt::DashLine);
    drawHorizontalLine(painter, limitPen, curve.left(), curve.right(), curve.top());
    drawHorizontalLine(painter, limitPen, curve.left(), curve.right(), curve.bottom());

    // A fidelity that is not a number is drawn at 1; a phase not computed breaks the trace.
    const auto fidelityPoint = [&](const BerrySample& s) {
        return QPointF(mapValue(time, s.time), mapValue(unit, clampNanToUpper(s.returnFidelity, 0.0, 1.0)));
    };
    const auto phasePoint = [&](const BerrySample& s) -> std::optional<QPointF> {
        if (s.phaseValid == 0)
            return std::nullopt;
        return QPointF(mapValue(time, s.time), mapValue(degrees, s.geometricPhase * 180.0 / kPi));
    };
    const QPen fidelityPen = plotPen(QColor(kCurves.traceFidelity), 2.0);
    const QPen phasePen = plotPen(QColor(kCurves.tracePhase), 2.0);
    strokePath(painter, polylineBridgingGaps(samples.size(), [&](std::size_t i) { return fidelityPoint(samples[i]); }),
               fidelityPen);
    strokePath(painter, polylineBreakingAtGaps(samples.size(), [&](std::size_t i) { return phasePoint(samples[i]); }),
               phasePen);
    if (samples.size() == 1) {
        // A single sample draws no line: mark its points.
        drawOutlinedDisc(painter, fidelityPoint(last), 3.5, 3.5, QColor(kCurves.traceFidelity), fidelityPen);
        if (const std::optional<QPointF> phase = phasePoint(last))
            drawOutlinedDisc(painter, *phase, 3.5, 3.5, QColor(kCurves.tracePhase), phasePen);
    }

    drawValueNumbers(painter, curve, fidelities);
    // The phase every quarter turn on the right, every half turn where the
    // quarters would stand closer than a line (a short page).
    const bool quarters = curve.height() / 4.0 >= metrics.height();
    for (const int angle : {180, 90, 0, -90, -180})
        if (quarters || angle % 180 == 0)
            drawTextBox(painter, QRectF(curve.right() + 5.0, mapValue(degrees, angle) - 10.0, 42.0, 20.0),
                        Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("%1%2°").arg(angle > 0 ? "+" : "").arg(angle),
                        axisText);
    drawSimulationTimeAxis(painter, curve, times, QColor(kRecorder.traceFrame));
}

} // namespace vxo
