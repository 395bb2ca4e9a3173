#include "plots/QuantumBoundStatePlotWidget.h"

#include "plots/PlotPainting.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace vxo {

using namespace plot;

namespace {

// A label's text box, as wide and high as the one-column ladder had it.
constexpr double kLabelWidth = 130.0;
constexpr double kLabelHeight = 18.0;

} // namespace

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

struct QuantumBoundStatePlotWidget::EnergyFrame {
    QRectF p;
    AxisMap x;
    AxisMap y;
    double yMin = 0.0;
    double yMax = 0.0;
};

plot::PanelLayout QuantumBoundStatePlotWidget::layout() { return {QMarginsF(62.0, 26.0, 22.0, 38.0)}; }

QuantumBoundStatePlotWidget::EnergyFrame QuantumBoundStatePlotWidget::energyFrame() const
{
    EnergyFrame frame;
    frame.p = panelRect(size(), layout());
    if (result_.x.empty())
        return frame;
    frame.x = horizontalAxis(frame.p, result_.x.front(), result_.x.back(), 1e-30);
    // The energy range holds the potential, every level and the threshold
    // above them, with 8 % of the span added on both sides.
    FiniteExtent energies;
    for (const double v : result_.potential)
        extendFinite(energies, v);
    for (const BoundState& state : result_.states)
        extendFinite(energies, state.energy);
    const double lo = energies.count > 0 ? energies.minimum : 0.0;
    double hi = energies.count > 0 ? energies.maximum : 0.0;
    if (result_.continuumThreshold > hi)
        hi = result_.continuumThreshold;
    const double span = atLeast(hi - lo, 1e-9);
    frame.yMin = lo - 0.08 * span;
    frame.yMax = hi + 0.08 * span;
    frame.y = verticalAxis(frame.p, frame.yMin, frame.yMax, 1e-30);
    return frame;
}

std::vector<QuantumBoundStatePlotWidget::LevelLabel> QuantumBoundStatePlotWidget::levelLabels() const
{
    std::vector<LevelLabel> labels;
    if (!drawable())
        return labels;
    const EnergyFrame frame = energyFrame();
    const QRectF& p = frame.p;
    // Two labels print clear of each other one line of the font apart.
    const double pitch = std::max(QFontMetricsF(font()).height(), 12.0);
    const bool twoEnds = p.width() >= 2.0 * kLabelWidth + 20.0;
    const double highest = p.top() + kLabelHeight / 2.0;
    const double lowest = p.bottom() - kLabelHeight / 2.0;

    // The selected level's label is placed first, then the others from the
    // bottom of the panel up; each wants to stand on its own line.
    std::vector<int> order;
    for (int k = 0; k < static_cast<int>(result_.states.size()); ++k)
        if (std::isfinite(mapValue(frame.y, result_.states[static_cast<std::size_t>(k)].energy)))
            order.push_back(k);
    const auto energyOf = [this](int k) { return result_.states[static_cast<std::size_t>(k)].energy; };
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if ((a == selectedState_) != (b == selectedState_))
            return a == selectedState_;
        return energyOf(a) < energyOf(b);
    });

    // Centres of the labels placed at each end; the continuum's own label
    // holds the right end at its line.
    std::vector<double> taken[2];
    const double continuum = mapValue(frame.y, result_.continuumThreshold) - kLabelHeight / 2.0;
    if (std::isfinite(continuum))
        taken[1].push_back(continuum);
    const auto freeAt = [&](int end, double centre) {
        return centre >= highest - 0.5 && centre <= lowest + 0.5 &&
               std::all_of(taken[end].begin(), taken[end].end(),
                           [&](double other) { return std::fabs(other - centre) >= pitch - 1e-9; });
    };

    for (const int k : order) {
        const double levelY = mapValue(frame.y, energyOf(k));
        // Inside the panel; a panel lower than a label keeps it at the top.
        const double wanted = std::max(highest, std::min(levelY - kLabelHeight / 2.0, lowest));
        // On its line at the left end, else at the right end; where both are
        // taken, the free line nearest to its own at either end.
        int end = 0;
        double centre = wanted;
        if (!freeAt(0, wanted)) {
            if (twoEnds && freeAt(1, wanted)) {
                end = 1;
            } else {
                double best = std::numeric_limits<double>::infinity();
                for (int e = 0; e < (twoEnds ? 2 : 1); ++e)
                    for (const double other : taken[e])
                        for (const double candidate : {other - pitch, other + pitch})
                            if (freeAt(e, candidate) && std::fabs(candidate - wanted) < best) {
                                best = std::fabs(candidate - wanted);
                                end = e;
                                centre = candidate;
                            }
            }
        }
        taken[end].push_back(centre);
        const double left = end == 1 ? p.right() - 5.0 - kLabelWidth : p.left() + 5.0;
        labels.push_back({k, QRectF(left, centre - kLabelHeight / 2.0, kLabelWidth, kLabelHeight), end == 1, levelY,
                          std::fabs(centre - (levelY - kLabelHeight / 2.0)) > 0.5});
    }
    std::sort(labels.begin(), labels.end(), [](const LevelLabel& a, const LevelLabel& b) { return a.state < b.state; });
    return labels;
}

void QuantumBoundStatePlotWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    beginPlot(painter, rect(), QColor(kSinglePanel.background));
    const EnergyFrame frame = energyFrame();
    const QRectF& p = frame.p;
    drawGridAndFrame(painter, p);
    if (!drawable()) {
        drawCentredText(painter, p, QStringLiteral("Compute bound states for a Y-invariant confining potential"),
                        QColor(kSinglePanel.placeholder));
        return;
    }

    const std::vector<double>& xs = result_.x;
    const AxisMap& x = frame.x;
    const AxisMap& y = frame.y;
    const double yMin = frame.yMin;
    const double yMax = frame.yMax;
    const auto at = [&](std::size_t i, double value) { return QPointF(mapValue(x, xs[i]), mapValue(y, value)); };

    strokePath(painter, polylineBridgingGaps(xs.size(), [&](std::size_t i) { return at(i, result_.potential[i]); }),
               plotPen(QColor(kStationary.potential), 2.0));

    const double threshold = result_.continuumThreshold;
    const double ty = mapValue(y, threshold);
    drawHorizontalLine(painter, plotPen(QColor(kStationary.continuum), 1.0, Qt::DashLine), p.left(), p.right(), ty);

    const int stateCount = static_cast<int>(result_.states.size());
    for (int k = 0; k < stateCount; ++k) {
        const BoundState& state = result_.states[static_cast<std::size_t>(k)];
        const bool selected = k == selectedState_;
        drawHorizontalLine(painter,
                           selected ? plotPen(QColor(kStationary.selectedLevel), 2.0)
                                    : plotPen(QColor(kStationary.level), 1.2, Qt::DashLine),
                           p.left(), p.right(), mapValue(y, state.energy));
    }
    if (selectedState_ >= 0 && selectedState_ < stateCount) {
        const BoundState& state = result_.states[static_cast<std::size_t>(selectedState_)];
        const std::vector<float>& phi = state.phi;
        double peak = 0.0;
        for (const float f : phi)
            peak = std::max(peak, static_cast<double>(std::fabs(f)));
        if (peak > 0.0) {
            const double scale = 0.075 * atLeast(yMax - yMin, 1e-9) / peak;
            const auto onLevel = [&](std::size_t i) { return at(i, state.energy + scale * phi[i]); };
            strokePath(painter, polylineBridgingGaps(phi.size(), onLevel),
                       plotPen(QColor(kStationary.eigenfunction), 2.2));
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
                drawDisc(painter, QPointF(mapValue(x, xc), mapValue(y, state.energy)), 3.2, QColor(kStationary.node));
            }
        }
    }

    QColor continuumPatch(kSinglePanel.background);
    continuumPatch.setAlpha(215);
    // Over the continuum's line, or under it where the line runs too close
    // under the panel's top for a line of text (a short panel).
    const double continuumTop = ty - 18 >= p.top() + 1 ? ty - 18 : ty + 1;
    drawTextOnPatch(painter, QRectF(p.right() - 150, continuumTop, 146, 18), Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("continuum %1").arg(threshold, 0, 'g', 5), QColor(kStationary.continuumLabel),
                    continuumPatch);
    // Every level keeps its label; labels that would print over each other
    // were moved apart by levelLabels and hang on a leader to their line.
    // Each text sits on a patch of the background, so that the dashed lines
    // of crowded neighbours and the eigenfunction drawn before do not strike
    // it through.
    const QFontMetricsF metrics(font());
    for (const LevelLabel& label : levelLabels()) {
        const BoundState& state = result_.states[static_cast<std::size_t>(label.state)];
        const QColor colour =
            label.state == selectedState_ ? QColor(kStationary.selectedLevelLabel) : QColor(kStationary.levelLabel);
        const QString text =
            QStringLiteral("n=%1  E=%2").arg(QString::number(state.n), QString::number(state.energy, 'g', 5));
        const double width = std::min(metrics.horizontalAdvance(text), kLabelWidth);
        const double textLeft = label.rightEnd ? label.box.right() - width : label.box.left();
        const double centre = label.box.center().y();
        QColor patch(kSinglePanel.background);
        patch.setAlpha(215);
        painter.fillRect(QRectF(textLeft - 2.0, centre - metrics.height() / 2.0, width + 4.0, metrics.height()), patch);
        drawTextBox(painter, label.box, (label.rightEnd ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, text,
                    colour);
        if (label.onLeader) {
            // From beside the text, on the side of the panel's middle, down
            // or up to the level's own line.
            const double start = label.rightEnd ? textLeft - 3.0 : textLeft + width + 3.0;
            const double reach = label.rightEnd ? -12.0 : 12.0;
            drawSegment(painter, plotPen(colour, 1.0), QPointF(start, centre), QPointF(start + reach, label.levelY));
        }
    }

    drawPanelTitle(painter, p, QStringLiteral("Bound-state ladder: V(x), E_n and selected eigenfunction"));
    drawAxisCaption(painter, p, QStringLiteral("x"), QColor(kSinglePanel.axisText), 5.0, 22.0);
    drawTextBox(painter, QRectF(2, p.top() - 6, 55, 18), Qt::AlignRight | Qt::AlignVCenter,
                QString::number(yMax, 'g', 4), QColor(kSinglePanel.axisText));
    drawTextBox(painter, QRectF(2, p.bottom() - 10, 55, 18), Qt::AlignRight | Qt::AlignVCenter,
                QString::number(yMin, 'g', 4), QColor(kSinglePanel.axisText));
}

} // namespace vxo
