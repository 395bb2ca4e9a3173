#include "plots/QuantumBlochPlotWidget.h"

#include "plots/AxisNumbers.h"
#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vxo {

using namespace plot;

void QuantumBlochPlotWidget::setData(const std::vector<ObservableSample>& samples, const BlochLatticeConfig& lattice,
                                     double p0, double hbar)
{
    samples_ = samples;
    lattice_ = lattice;
    p0_ = p0;
    hbar_ = hbar;
    update();
}

void QuantumBlochPlotWidget::reset()
{
    samples_.clear();
    lattice_ = BlochLatticeConfig();
    update();
}

void QuantumBlochPlotWidget::drawGrid(QPainter& painter, const QRectF& rect) { drawGridAndFrame(painter, rect); }

void QuantumBlochPlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    beginPlot(painter, rect(), QColor(kSinglePanel.background));
    // Under the lower panel the times and their caption.
    const double panelWidth = atLeast(width() - 80.0, 10.0);
    const double panelHeight = atLeast(height() - 100.0, 40.0) / 2.0;
    const QRectF a(58, 24, panelWidth, panelHeight);
    const QRectF b(58, 58 + panelHeight, panelWidth, panelHeight);

    drawGrid(painter, a);
    drawGrid(painter, b);
    drawPanelTitle(painter, a, QStringLiteral("Full 2D packet centre <x>(t)"));
    drawPanelTitle(painter, b, QStringLiteral("Acceleration theorem: reduced-zone momentum"),
                   QColor(kSinglePanel.title), a.bottom() + 7);

    if (!lattice_.valid || samples_.size() < 2) {
        drawCentredText(painter, a, QStringLiteral("Run the Bloch Oscillation preset to build history"),
                        QColor(kSinglePanel.placeholder));
        drawCentredText(painter, b, QStringLiteral("Periodic lattice + constant force required"),
                        QColor(kSinglePanel.placeholder));
        return;
    }
    const double t0 = samples_.front().time;
    const double t1 = samples_.back().time;
    if (!(t1 > t0))
        return;

    // The position range always holds 0, so the zero line shows where the
    // packet started from relative to the lattice origin.
    FiniteExtent centres;
    for (const ObservableSample& s : samples_)
        extendFinite(centres, s.meanX);
    double lo = std::min(centres.count > 0 ? centres.minimum : 0.0, 0.0);
    double hi = std::max(centres.count > 0 ? centres.maximum : 0.0, 0.0);
    if (hi > lo) {
        const double margin = 0.08 * (hi - lo);
        lo -= margin;
        hi += margin;
    } else {
        lo -= 1.0;
        hi += 1.0;
    }
    const double zoneEdge = QuantumBloch2D::zoneEdgeMomentum(lattice_, hbar_);
    if (!(zoneEdge > 0.0))
        return;

    const QColor labels(kSinglePanel.axisText);
    const NumberedAxis times = timeAxis(a, t0, t1, font(), labels);
    const NumberedAxis positions = valueAxis(a, lo, hi, font(), labels);
    // The momentum at the zone's edges, its middle and the quarters between.
    const NumberedAxis momenta{verticalAxis(b, -zoneEdge, zoneEdge, 0.0),
                               AxisTicks{{-zoneEdge, -zoneEdge / 2.0, 0.0, zoneEdge / 2.0, zoneEdge}, 0}, labels};
    const AxisMap& x = times.map;
    const AxisMap& position = positions.map;
    const AxisMap& momentum = momenta.map;
    drawHistoryGrid(painter, a, times, positions);
    drawHistoryGrid(painter, b, times, momenta);
    drawHorizontalLine(painter, plotPen(QColor(kAxes.zeroLine), 1.0, Qt::DashLine), a.left(), a.right(),
                       mapValue(position, 0.0));

    const double period = QuantumBloch2D::blochPeriod(lattice_, hbar_);
    const double periods = (t1 - t0) / period;
    if (period > 0.0 && periods <= a.width()) {
        const QPen markPen = plotPen(QColor(kAxes.blochMarks), 1.0, Qt::DashLine);
        // Counted from the first multiple at or before t0; at most width + 2 marks.
        const double first = std::floor(t0 / period);
        const long count = static_cast<long>(std::ceil(t1 / period) - first);
        for (long k = 0; k <= count; ++k) {
            const double t = (first + static_cast<double>(k)) * period;
            if (t < t0 || t > t1)
                continue;
            const double mx = mapValue(x, t);
            drawVerticalLine(painter, markPen, mx, a.top(), a.bottom());
            drawVerticalLine(painter, markPen, mx, b.top(), b.bottom());
        }
    }

    strokePath(painter,
               historyCurve(samples_, nullptr, &ObservableSample::time, x,
                            [&](const ObservableSample& s) { return mapValue(position, s.meanX); }),
               plotPen(QColor(kCurves.leading), 2.0));
    drawHorizontalLine(painter, plotPen(QColor(kAxes.blochZero), 1.0, Qt::DashLine), b.left(), b.right(),
                       mapValue(momentum, 0.0));
    const int points = std::max(static_cast<int>(a.width()), 64);
    strokePath(painter,
               sampledPolyline(points - 1, t0, t1,
                               [&](double t) {
                                   return QPointF(mapValue(x, t), mapValue(momentum, QuantumBloch2D::reducedMomentum(
                                                                                         lattice_, p0_, t, hbar_)));
                               }),
               plotPen(QColor(kTwoLevel.blochMomentum), 2.0));

    drawValueNumbers(painter, a, positions);
    drawValueLabels(painter, b, QStringLiteral("+pB"), QStringLiteral("-pB"), labels);
    drawSimulationTimeAxis(painter, b, times, QColor(kSinglePanel.frame));
}

} // namespace vxo
