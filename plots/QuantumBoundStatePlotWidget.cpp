#include "plots/QuantumBoundStatePlotWidget.h"

#include "plots/PlotPainting.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vxo {

using namespace plot;

void QuantumBoundStatePlotWidget::setResult(const BoundStateResult& result, int selectedState)
{
    result_ = result;
    selectedState_ = selectedState;
    update();
}

void QuantumBoundStatePlotWidget::clear()
{
    result_ = BoundStateResult();
    selectedState_ = -1;
    update();
}

bool QuantumBoundStatePlotWidget::drawable() const
{
    const std::size_t n = result_.x.size();
    if (!result_.ok || n < 2 || result_.states.empty() || result_.potential.size() != n)
        return false;
    return std::all_of(result_.states.begin(), result_.states.end(),
                       [n](const BoundState& state) { return state.phi.size() == n; });
}

void QuantumBoundStatePlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    beginPlot(painter, rect(), QColor(kBackground));
    const QRectF p = plotRect(size(), 62, 26, 84, 64);
    drawGridAndFrame(painter, p);
    if (!drawable()) {
        drawCentredText(painter, p, QStringLiteral("Compute bound states for a Y-invariant confining potential"),
                        QColor(kPlaceholder));
        return;
    }

    const std::vector<double>& xs = result_.x;
    const AxisMap x = horizontalAxis(p, xs.front(), xs.back(), 1e-30);
    // The energy range holds the potential, every level and the threshold
    // above them, with 8 % of the span added on both sides.
    FiniteExtent energies;
    for (const double v : result_.potential)
        extendFinite(energies, v);
    for (const BoundState& state : result_.states)
        extendFinite(energies, state.energy);
    double lo = energies.count > 0 ? energies.minimum : 0.0;
    double hi = energies.count > 0 ? energies.maximum : 0.0;
    if (result_.continuumThreshold > hi)
        hi = result_.continuumThreshold;
    const double span = atLeast(hi - lo, 1e-9);
    const double yMin = lo - 0.08 * span;
    const double yMax = hi + 0.08 * span;
    const AxisMap y = verticalAxis(p, yMin, yMax, 1e-30);
    const auto at = [&](std::size_t i, double value) { return QPointF(mapValue(x, xs[i]), mapValue(y, value)); };

    strokePath(painter, polylineBridgingGaps(xs.size(), [&](std::size_t i) { return at(i, result_.potential[i]); }),
               plotPen(QColor(185, 190, 198), 2.0));

    const double threshold = result_.continuumThreshold;
    const double ty = mapValue(y, threshold);
    drawHorizontalLine(painter, plotPen(QColor(130, 140, 150), 1.0, Qt::DashLine), p.left(), p.right(), ty);
    drawTextBox(painter, QRectF(p.right() - 150, ty - 18, 146, 18), Qt::AlignRight | Qt::AlignVCenter,
                QStringLiteral("continuum %1").arg(threshold, 0, 'g', 5), QColor(145, 152, 162));

    const int stateCount = static_cast<int>(result_.states.size());
    for (int k = 0; k < stateCount; ++k) {
        const BoundState& state = result_.states[static_cast<std::size_t>(k)];
        const bool selected = k == selectedState_;
        drawHorizontalLine(painter,
                           selected ? plotPen(QColor(255, 184, 70), 2.0)
                                    : plotPen(QColor(82, 190, 235), 1.2, Qt::DashLine),
                           p.left(), p.right(), mapValue(y, state.energy));
    }
    // Levels closer together than a line of text keep one label: the
    // selected level's first, then the others in list order, each only where
    // it prints over no label already drawn.
    std::vector<QRectF> labelled;
    const auto labelLevel = [&](int k) {
        const BoundState& state = result_.states[static_cast<std::size_t>(k)];
        const QRectF box(p.left() + 5, mapValue(y, state.energy) - 18, 130, 18);
        const QRectF ink = box.adjusted(0, 3, 0, -3);
        if (std::any_of(labelled.begin(), labelled.end(), [&ink](const QRectF& other) { return other.intersects(ink); }))
            return;
        labelled.push_back(ink);
        drawTextBox(painter, box, Qt::AlignLeft | Qt::AlignVCenter,
                    QStringLiteral("n=%1  E=%2").arg(QString::number(state.n), QString::number(state.energy, 'g', 5)),
                    k == selectedState_ ? QColor(255, 205, 115) : QColor(130, 205, 235));
    };
    if (selectedState_ >= 0 && selectedState_ < stateCount)
        labelLevel(selectedState_);
    for (int k = 0; k < stateCount; ++k)
        if (k != selectedState_)
            labelLevel(k);

    if (selectedState_ >= 0 && selectedState_ < stateCount) {
        const BoundState& state = result_.states[static_cast<std::size_t>(selectedState_)];
        const std::vector<float>& phi = state.phi;
        double peak = 0.0;
        for (const float f : phi)
            peak = std::max(peak, static_cast<double>(std::fabs(f)));
        if (peak > 0.0) {
            const double scale = 0.075 * atLeast(yMax - yMin, 1e-9) / peak;
            const auto onLevel = [&](std::size_t i) { return at(i, state.energy + scale * phi[i]); };
            strokePath(painter, polylineBridgingGaps(phi.size(), onLevel), plotPen(QColor(255, 220, 120), 2.2));
            // A node lies where the straight line between two samples crosses
            // zero; sign flips of numerical noise near the tails are ignored.
            for (std::size_t i = 1; i < phi.size(); ++i) {
                const double f1 = phi[i - 1];
                const double f2 = phi[i];
                const bool flips = (f1 < 0.0 && f2 > 0.0) || (f1 > 0.0 && f2 < 0.0);
                if (!flips || std::max(std::fabs(f1), std::fabs(f2)) < 0.015 * peak)
                    continue;
                const double weight = std::fabs(f1) / atLeast(std::fabs(f1) + std::fabs(f2), 1e-30);
                const double xc = xs[i - 1] + (xs[i] - xs[i - 1]) * weight;
                drawDisc(painter, QPointF(mapValue(x, xc), mapValue(y, state.energy)), 3.2, QColor(255, 115, 125));
            }
        }
    }

    drawPanelTitle(painter, p, QStringLiteral("Bound-state ladder: V(x), E_n and selected eigenfunction"));
    drawAxisCaption(painter, p, QStringLiteral("x"), QColor(kAxisText), 5.0, 22.0);
    drawTextBox(painter, QRectF(2, p.top() - 6, 55, 18), Qt::AlignRight | Qt::AlignVCenter,
                QString::number(yMax, 'g', 4), QColor(kAxisText));
    drawTextBox(painter, QRectF(2, p.bottom() - 10, 55, 18), Qt::AlignRight | Qt::AlignVCenter,
                QString::number(yMin, 'g', 4), QColor(kAxisText));
}

} // namespace vxo
