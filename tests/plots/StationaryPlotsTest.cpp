#include "plots/PlotPalette.h"
#include "plots/QuantumBoundStatePlotWidget.h"
#include "plots/QuantumResonancePlotWidget.h"

#include "HistoryPlotProbes.h"
#include "PaintedTexts.h"
#include "PlotRobustness.h"
#include "PlotTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::colourNear;
using test::countColour;
using test::kInf;
using test::kNaN;

const QColor kPlaceholderText(plot::kSinglePanel.placeholder);
const QColor kTitleText(plot::kSinglePanel.title);

// T(E) = 1 / (1 + 4 (E - 3)^2) on 41 energies over [1, 5].
std::vector<TransmissionPoint> lorentzian()
{
    std::vector<TransmissionPoint> curve;
    for (int k = 0; k <= 40; ++k)
        curve.push_back({1.0 + 0.1 * k, 1.0 / (1.0 + 4.0 * std::pow(0.1 * k - 2.0, 2))});
    return curve;
}

using ResonancePlot = test::PlotTest;

TEST_F(ResonancePlot, CurveMarkerAndPacketLineStandAtTheirValues)
{
    auto& plot = makePlot<QuantumResonancePlotWidget>();
    std::vector<TransmissionPoint> curve = lorentzian();
    curve[10].transmission = kNaN; // bridged
    curve[30].transmission = 1.7;  // on the top edge
    plot.setCurve(curve);
    plot.setMarkerPoint(3.5, 0.8);
    plot.setPacketTransmission(true, 0.25);
    const QImage image = test::grabPlot(plot, QSize(420, 300));
    const QRectF p = plot::panelRect(QSize(420, 300), QuantumResonancePlotWidget::layout());
    const auto at = [&](double e, double t) { return test::panelPoint(p, 1.0, 5.0, 0.0, 1.0, e, t); };

    const QColor line(plot::kCurves.leading);
    for (const int k : {3, 17, 22, 26, 37})
        EXPECT_TRUE(colourNear(image, at(curve[k].abscissa, curve[k].transmission), line)) << "point " << k;
    EXPECT_TRUE(colourNear(image, (at(1.9, curve[9].transmission) + at(2.1, curve[11].transmission)) / 2.0, line))
        << "a NaN point is bridged";
    EXPECT_TRUE(colourNear(image, at(4.0, 1.0), line)) << "T above 1 lies on the top edge";
    EXPECT_EQ(test::countColourOutside(image, p.toRect().adjusted(-2, -2, 2, 2), line), 0);

    const QColor marker(plot::kMarkers.resonance);
    const QColor packet(plot::kStationary.packetTransmission);
    EXPECT_TRUE(colourNear(image, at(3.5, 0.8), marker, 1, 10)) << "marker dot on the current configuration";
    EXPECT_GT(test::markedRows(image, at(3.5, 0).x(), p.top() + 1, p.bottom() - 1), 0.5) << "dashed marker line";
    const int packetY = int(at(1, 0.25).y());
    // Its dashes' ink, whatever rows its antialiasing spreads it over.
    const double packetInk = test::inkCentre(image, QRect(int(p.left()), packetY - 3, int(p.width()), 7), packet,
                                             [](const QPoint&) { return QColor(plot::kSinglePanel.background); })
                                 .ink;
    EXPECT_GT(packetInk, 0.4 * 1.5 * p.width()) << "packet line";
    const QRect packetLabel(int(p.right()) - 180, packetY - 19, 180, 18);
    EXPECT_GT(countColour(image, packetLabel, QColor(plot::kStationary.packetTransmissionLabel), 0), 0)
        << "packet label above its line";

    // The marker is drawn from the scan's first energy to its last, both included.
    for (const double e : {1.0, 5.0}) {
        plot.setMarkerPoint(e, 0.5);
        EXPECT_TRUE(colourNear(test::grabPlot(plot, QSize(420, 300)), at(e, 0.5), marker, 1, 10)) << "E = " << e;
    }
    // No marker just outside the scan, on either side, nor for a T that is not
    // finite; no packet line for a value that is not finite, nor for one not measured yet.
    const struct {
        double e, t;
        bool valid;
        double packet;
    } hiddenCases[] = {{5.01, 0.5, true, kInf}, {0.99, 0.5, false, 0.25}, {3.5, kNaN, true, kNaN}};
    for (const auto& c : hiddenCases) {
        plot.setMarkerPoint(c.e, c.t);
        plot.setPacketTransmission(c.valid, c.packet);
        const QImage hidden = test::grabPlot(plot, QSize(420, 300));
        EXPECT_EQ(countColour(hidden, hidden.rect(), marker, 10) + countColour(hidden, hidden.rect(), packet, 10), 0)
            << "marker at E = " << c.e << ", T = " << c.t << "; packet " << (c.valid ? "valid " : "not measured ")
            << c.packet;
    }
}

TEST_F(ResonancePlot, ShowsThePlaceholderWithoutACurveAndNothingForAReversedOne)
{
    auto& plot = makePlot<QuantumResonancePlotWidget>();
    const auto shows = [&](const QRect& where, const QColor& colour) {
        return countColour(test::grabPlot(plot, QSize(420, 300)), where, colour, 0) > 0;
    };
    const QRect middle(120, 100, 220, 80);
    const QRectF panel = plot::panelRect(QSize(420, 300), QuantumResonancePlotWidget::layout());
    const QRect titleBand(int(panel.left()), 2, int(panel.width()), 20);
    EXPECT_TRUE(shows(middle, kPlaceholderText)) << "fresh";
    plot.setXAxisLabel("central cavity width L");
    plot.setCurve(lorentzian());
    plot.clear();
    EXPECT_TRUE(shows(middle, kPlaceholderText)) << "after clear";
    EXPECT_FALSE(shows(titleBand, kTitleText)) << "no title over the placeholder";
    plot.setCurve({{2.0, 0.5}, {2.0, 0.7}});
    EXPECT_FALSE(shows(middle, kPlaceholderText) || shows(titleBand, kTitleText) ||
                 shows(middle, QColor(plot::kCurves.leading)))
        << "a range that does not grow draws nothing inside";
    plot.setCurve(lorentzian());
    EXPECT_TRUE(shows(QRect(170, 266, 120, 24), QColor(plot::kSinglePanel.axisText))) << "the caption outlives clear()";
}

// The harmonic ladder V = x^2 / 2 sampled at x = -4, -3.9, ..., 4 with its
// three lowest states (energies 0.5, 1.5, 2.5, unnormalised Hermite
// functions), threshold 6.
BoundStateResult harmonicLadder()
{
    BoundStateResult r;
    r.ok = true;
    r.continuumThreshold = 6.0;
    for (int i = 0; i <= 80; ++i) {
        r.x.push_back(-4.0 + 0.1 * i);
        r.potential.push_back(0.5 * r.x.back() * r.x.back());
    }
    for (int n = 0; n < 3; ++n) {
        BoundState state{n + 1, n + 0.5, n, {}};
        for (const double x : r.x)
            state.phi.push_back(float((n == 0 ? 1.0 : n == 1 ? x : 2.0 * x * x - 1.0) * std::exp(-x * x / 2.0)));
        r.states.push_back(state);
    }
    // Sign flips of tail noise, every sample below 1.5 % of the peak: no node.
    r.states[2].phi[0] = 0.004f;
    r.states[2].phi[1] = -0.004f;
    r.states[2].phi[2] = 0.004f;
    return r;
}

using BoundStatePlot = test::PlotTest;

TEST_F(BoundStatePlot, DrawsTheLadderAndTheSelectedEigenfunctionWithItsNodes)
{
    auto& plot = makePlot<QuantumBoundStatePlotWidget>();
    plot.setResult(harmonicLadder(), 2);
    const QImage image = test::grabPlot(plot, QSize(480, 360));
    // Energy range [0, 8] widened by 8 %: [-0.64, 8.64]; the eigenfunction's
    // peak, 4 exp(-5/4) at x^2 = 5/2, is scaled to 7.5 % of that range.
    const QRectF p = plot::panelRect(QSize(480, 360), QuantumBoundStatePlotWidget::layout());
    const auto at = [&](double x, double v) { return test::panelPoint(p, -4.0, 4.0, -0.64, 8.64, x, v); };
    const double scale = 0.075 * 9.28 / (4.0 * std::exp(-1.25));

    for (const double x : {-3.3, -1.1, 2.7})
        EXPECT_TRUE(colourNear(image, at(x, 0.5 * x * x), QColor(plot::kStationary.potential), 1, 12))
            << "V at x = " << x;
    EXPECT_TRUE(colourNear(image, at(0.3, 2.5), QColor(plot::kStationary.selectedLevel), 1, 20))
        << "selected level, solid";
    for (const double e : {0.5, 1.5, 6.0})
        EXPECT_GT(countColour(image, QRect(int(at(-1, e).x()), int(at(0, e).y()) - 1, 100, 3),
                              e > 5.0 ? QColor(plot::kStationary.continuum) : QColor(plot::kStationary.level)),
                  40)
            << "dashed level or threshold at E = " << e;
    for (const double x : {-1.7, 0.4, 1.3})
        EXPECT_TRUE(colourNear(image, at(x, 2.5 + scale * (2 * x * x - 1) * std::exp(-x * x / 2)),
                               QColor(plot::kStationary.eigenfunction), 1, 20))
            << "eigenfunction at x = " << x;
    const QColor node(plot::kStationary.node);
    for (const double x : {-1.0 / std::sqrt(2.0), 1.0 / std::sqrt(2.0)})
        EXPECT_TRUE(colourNear(image, at(x, 2.5), node, 1, 20)) << "node at x = " << x;
    EXPECT_EQ(countColour(image, QRect(int(at(-3.9, 0).x()) - 8, int(at(0, 2.5).y()) - 8, 16, 16), node, 20), 0)
        << "no node for sign flips below 1.5 % of the peak";
    for (const auto& [e, colour] : {std::pair{2.5, QColor(plot::kStationary.selectedLevelLabel)},
                                    std::pair{1.5, QColor(plot::kStationary.levelLabel)}})
        EXPECT_GT(countColour(image, QRect(67, int(at(0, e).y()) - 18, 130, 18), colour, 0), 0) << "label of " << e;

    // The threshold's value stands above its line, at the panel's right end.
    const test::PaintedText continuum =
        test::paintedText(test::paintedTexts(plot, QSize(480, 360)), QStringLiteral("continuum "));
    EXPECT_EQ(continuum.text, QStringLiteral("continuum 6"));
    EXPECT_NEAR(continuum.box.right(), p.right() - 4, 1.0);
    EXPECT_LE(continuum.box.bottom(), at(0, 6.0).y() + 1.0);
    EXPECT_GE(continuum.box.top(), at(0, 6.0).y() - 19.0);

    // The odd state is exactly 0 on the sample at x = 0: neither pair about
    // it changes sign strictly, so no marker is drawn there, from either side.
    plot.setResult(harmonicLadder(), 1);
    const QImage odd = test::grabPlot(plot, QSize(480, 360));
    EXPECT_TRUE(colourNear(odd, at(1.0, 1.5 + 0.075 * 9.28), QColor(plot::kStationary.eigenfunction), 1, 20))
        << "its peak";
    EXPECT_EQ(countColour(odd, odd.rect(), node, 20), 0) << "a node marked on a sample that is exactly 0";

    // With no finite potential sample or level the energy axis falls back to
    // run from 0 up to the threshold: [0, 6] widened by 8 % is [-0.48, 6.48].
    BoundStateResult blank = harmonicLadder();
    std::fill(blank.potential.begin(), blank.potential.end(), kNaN);
    for (BoundState& state : blank.states)
        state.energy = kNaN;
    plot.setResult(blank, 0);
    const double blankThreshold = test::panelPoint(p, -4.0, 4.0, -0.48, 6.48, 0.0, 6.0).y();
    const test::PaintedText blankContinuum =
        test::paintedText(test::paintedTexts(plot, QSize(480, 360)), QStringLiteral("continuum "));
    EXPECT_LE(blankContinuum.box.bottom(), blankThreshold + 1.0) << "threshold without finite energies";
    EXPECT_GE(blankContinuum.box.top(), blankThreshold - 19.0) << "threshold without finite energies";

    // Every energy lowered by 2, so that the lowest one is not 0: the range
    // moves with them and the potential stays where it was drawn.
    BoundStateResult lowered = harmonicLadder();
    for (double& v : lowered.potential)
        v -= 2.0;
    for (BoundState& state : lowered.states)
        state.energy -= 2.0;
    lowered.continuumThreshold -= 2.0;
    plot.setResult(lowered, 2);
    const QImage shifted = test::grabPlot(plot, QSize(480, 360));
    for (const double x : {-3.3, -1.1, 2.7})
        EXPECT_TRUE(colourNear(shifted, at(x, 0.5 * x * x), QColor(plot::kStationary.potential), 1, 12))
            << "lowered, x = " << x;

    plot.setResult(harmonicLadder(), 3); // past the end
    const QImage none = test::grabPlot(plot, QSize(480, 360));
    EXPECT_EQ(countColour(none, none.rect(), node, 20) +
                  countColour(none, none.rect(), QColor(plot::kStationary.selectedLevel), 10),
              0)
        << "no eigenfunction, every level dashed blue";
}

TEST_F(BoundStatePlot, EveryLevelKeepsItsLabelWhereLevelsCrowd)
{
    // Six levels in runs a few pixels apart, as in a finite well, the top two
    // just under the threshold, the fifth selected: no label is hidden or
    // prints over another or the continuum's.
    BoundStateResult crowded = harmonicLadder();
    const double energies[6] = {0.1, 0.58, 0.66, 1.5, 5.92, 5.97};
    crowded.states.clear();
    for (int n = 0; n < 6; ++n)
        crowded.states.push_back({n + 1, energies[n], n, harmonicLadder().states[std::size_t(n % 3)].phi});
    auto& plot = makePlot<QuantumBoundStatePlotWidget>();
    plot.setResult(crowded, 4);
    const QImage image = test::grabPlot(plot, QSize(520, 380));
    // Energies [0, 8] widened by 8 %.
    const QRectF p = plot::panelRect(QSize(520, 380), QuantumBoundStatePlotWidget::layout());
    const auto levelY = [&](double e) { return test::panelPoint(p, -4.0, 4.0, -0.64, 8.64, 0.0, e).y(); };
    // The ink of a line of text: a label box less its top and bottom margins.
    const auto ink = [](const QRectF& box) { return box.adjusted(0, 3, 0, -3); };
    const QRectF continuum = ink(QRectF(p.right() - 150, levelY(6.0) - 18, 146, 18));

    const auto labels = plot.levelLabels();
    ASSERT_EQ(labels.size(), 6u) << "one label per level";
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(520, 380));
    for (std::size_t k = 0; k < labels.size(); ++k) {
        const auto& label = labels[k];
        const std::string which = "label of E = " + std::to_string(energies[k]);
        EXPECT_EQ(label.state, int(k));
        EXPECT_NEAR(label.levelY, levelY(energies[k]), 0.5) << which;
        EXPECT_TRUE(p.contains(label.box) && !ink(label.box).intersects(continuum)) << which;
        for (std::size_t j = 0; j < k; ++j)
            EXPECT_FALSE(ink(label.box).intersects(ink(labels[j].box))) << which << " over " << energies[j];
        const QColor colour =
            k == 4 ? QColor(plot::kStationary.selectedLevelLabel) : QColor(plot::kStationary.levelLabel);
        EXPECT_GT(countColour(image, label.box.toRect(), colour, 0), 0) << which << " is not drawn";
        // Its text stands on a patch of the background: the potential and the
        // lines drawn before it do not show through the text's box.
        const QRect text = test::paintedText(texts, QStringLiteral("n=%1 ").arg(k + 1)).box.toRect();
        for (const QRgb line : {plot::kStationary.potential, plot::kStationary.level, plot::kStationary.continuum})
            EXPECT_EQ(countColour(image, text.adjusted(0, 1, 0, -1), QColor(line), 20), 0) << which << " crossed";
        // On its line, or with a leader through the rows between it and its line.
        const double from = label.levelY > label.box.bottom() ? label.box.bottom() : label.levelY;
        const double to = label.levelY > label.box.bottom() ? label.levelY : label.box.top();
        if (label.onLeader)
            EXPECT_GT(countColour(image, QRect(int(label.box.left()), int(from), 145, int(to - from) + 1), colour), 0)
                << which << " has no leader";
        else
            EXPECT_NEAR(label.box.bottom(), label.levelY, 0.5) << which << " leaves its line";
    }
    EXPECT_FALSE(labels[0].onLeader) << "the lowest level, 25 px above the panel's bottom, keeps its label on its line";
    // A crowded label goes to the right end only where a label box at each end
    // (5 px in from the frame) leaves 10 px between them: both sides of that width.
    const QMarginsF margins = QuantumBoundStatePlotWidget::layout().margins;
    const double fits = 2 * (5.0 + labels[0].box.width()) + 10.0;
    for (const double panelWidth : {fits, fits - 1.0}) {
        test::grabPlot(plot, QSize(int(panelWidth + margins.left() + margins.right()), 380));
        const auto narrow = plot.levelLabels();
        EXPECT_EQ(std::count_if(narrow.begin(), narrow.end(), [](const auto& l) { return l.rightEnd; }) > 0,
                  panelWidth >= fits)
            << "panel " << panelWidth << " px wide";
        // With fewer ends, more labels fall back to the nearest free line: none
        // over another, and none further than two lines from its own, as no
        // run of this crowd holds more than three levels.
        for (std::size_t k = 0; k < narrow.size(); ++k) {
            EXPECT_LE(std::fabs(narrow[k].box.bottom() - narrow[k].levelY), 2 * narrow[k].box.height())
                << "panel " << panelWidth << " px wide: label of " << energies[k] << " strays from its line";
            for (std::size_t j = 0; j < k; ++j)
                EXPECT_FALSE(ink(narrow[k].box).intersects(ink(narrow[j].box)))
                    << "panel " << panelWidth << " px wide: " << energies[k] << " over " << energies[j];
        }
    }
    // One end, a 90 px panel: the selected level a line less half a pixel above the
    // bottom and the level under it crowded: the free line under the selected label,
    // half a pixel past the lowest a label may stand, is allowed.
    const double line = QFontMetricsF(plot.font()).height();
    ASSERT_GE(line, 12.0) << "labels one line apart";
    const QSize small(int(240 + margins.left() + margins.right()), int(90 + margins.top() + margins.bottom()));
    const QRectF sp = plot::panelRect(small, QuantumBoundStatePlotWidget::layout());
    BoundStateResult pair = harmonicLadder();
    pair.states.resize(2);
    pair.states[0].energy = 0.1;
    pair.states[1].energy = -0.64 + 9.28 * (line - 0.5) / sp.height(); // on [-0.64, 8.64] as above
    test::grabPlot(plot, small);
    const auto tie = [&] { // the selected label's centre a line above the lowest centre plus half a pixel, exactly
        plot.setResult(pair, 1);
        const double half = plot.levelLabels()[1].box.height() / 2.0;
        return (plot.levelLabels()[1].levelY - half) + line - ((sp.bottom() - half) + 0.5);
    };
    for (int step = 0; step < 4000 && tie() != 0.0; ++step)
        pair.states[1].energy = std::nextafter(pair.states[1].energy, tie() > 0.0 ? 1.0 : -1.0);
    ASSERT_EQ(tie(), 0.0) << "no level reaches the tie";
    EXPECT_DOUBLE_EQ(plot.levelLabels()[0].box.top(), plot.levelLabels()[1].box.top() + line)
        << "one line under the selected label";
    // A level whose label, held at the top, stands exactly half a pixel off
    // its line is not taken as moved: it hangs on no leader.
    const double half = plot.levelLabels()[1].box.height() / 2.0;
    pair.states.push_back({3, 8.64 - 9.28 * (2 * half - 0.5) / sp.height(), 2, pair.states[0].phi});
    const auto offTop = [&] { // its line's label centre less the top-most centre, less half a pixel
        plot.setResult(pair, 1);
        return (sp.top() + half) - (plot.levelLabels()[2].levelY - half) - 0.5;
    };
    for (int step = 0; step < 4000 && offTop() != 0.0; ++step)
        pair.states[2].energy = std::nextafter(pair.states[2].energy, offTop() > 0.0 ? -1.0 : 1.0);
    ASSERT_EQ(offTop(), 0.0) << "no level reaches the tie at the top";
    EXPECT_FALSE(plot.levelLabels()[2].onLeader) << "half a pixel from its line";
}

TEST_F(BoundStatePlot, ResultsThatCannotBeDrawnShowThePlaceholder)
{
    struct Case {
        const char* name;
        void (*spoil)(BoundStateResult&);
    };
    const std::vector<Case> cases{
        {"not ok", [](BoundStateResult& r) { r.ok = false; }},
        {"one x sample", [](BoundStateResult& r) { r = BoundStateResult{true, "", 0, 1, 1, 0, 0, {0.0}, {0.0}, {}}; }},
        {"no states", [](BoundStateResult& r) { r.states.clear(); }},
        {"short potential row", [](BoundStateResult& r) { r.potential.pop_back(); }},
        {"long eigenfunction", [](BoundStateResult& r) { r.states[1].phi.push_back(0.0f); }},
        {"short eigenfunction", [](BoundStateResult& r) { r.states[0].phi.resize(40); }},
    };
    auto& plot = makePlot<QuantumBoundStatePlotWidget>();
    const QRectF panel = plot::panelRect(QSize(480, 360), QuantumBoundStatePlotWidget::layout());
    const QRect titleBand(int(panel.left()), 2, int(panel.width()), 20);
    const auto placeholderOnly = [&](const char* name) {
        const QImage image = test::grabPlot(plot, QSize(480, 360));
        EXPECT_GT(countColour(image, QRect(150, 130, 220, 80), kPlaceholderText, 0), 0) << name;
        EXPECT_EQ(countColour(image, titleBand, kTitleText, 0), 0) << name;
    };
    placeholderOnly("fresh");
    for (const Case& c : cases) {
        BoundStateResult result = harmonicLadder();
        c.spoil(result);
        plot.setResult(result, 0);
        placeholderOnly(c.name);
    }
    plot.setResult(harmonicLadder(), 0);
    plot.clear();
    placeholderOnly("cleared");
}

} // namespace

namespace test {

template <>
struct PlotFeeds<QuantumResonancePlotWidget> {
    static std::vector<PlotFeed<QuantumResonancePlotWidget>> all()
    {
        const auto feed = [](std::vector<TransmissionPoint> curve, double x, double t, double packet) {
            return [=](QuantumResonancePlotWidget& w) {
                w.setCurve(curve);
                w.setMarkerPoint(x, t);
                w.setPacketTransmission(true, packet);
            };
        };
        const double huge = std::numeric_limits<double>::max();
        return {{"scan", feed(lorentzian(), 2.5, 0.3, 0.4)},
                {"not finite", feed({{1, kNaN}, {kInf, 0.5}, {2, -kInf}, {kNaN, 1}, {3, 0.2}}, kNaN, 0.5, kNaN)},
                // Numbers some three hundred digits long fit no label.
                beyondLegibility(PlotFeed<QuantumResonancePlotWidget>{
                    "extremes", feed({{-huge, huge}, {0, -huge}, {huge, 0.5}}, huge, huge, -huge)}),
                {"tiny range", feed({{1.0, 0.1}, {1.0 + 1e-300, 0.9}}, 1.0, 0.5, 0.5)}};
    }
};

template <>
struct PlotFeeds<QuantumBoundStatePlotWidget> {
    static std::vector<PlotFeed<QuantumBoundStatePlotWidget>> all()
    {
        const auto feed = [](void (*spoil)(BoundStateResult&), int selected) {
            return [=](QuantumBoundStatePlotWidget& w) {
                BoundStateResult r = harmonicLadder();
                spoil(r);
                w.setResult(r, selected);
            };
        };
        return {
            {"ladder", feed([](BoundStateResult&) {}, 1)},
            {"flat", feed(
                         [](BoundStateResult& r) {
                             r.potential.assign(r.x.size(), 0.0);
                             for (BoundState& s : r.states) {
                                 s.energy = 0.0;
                                 s.phi.assign(r.x.size(), 0.0f);
                             }
                         },
                         0)},
            {"not finite", feed(
                               [](BoundStateResult& r) {
                                   r.continuumThreshold = r.x[7] = kNaN;
                                   r.potential[5] = kInf;
                                   r.states[0].energy = -kInf;
                                   r.states[2].phi[40] = std::numeric_limits<float>::quiet_NaN();
                                   r.states[2].phi[41] = std::numeric_limits<float>::infinity();
                               },
                               2)},
            beyondLegibility(PlotFeed<QuantumBoundStatePlotWidget>{"extremes", feed(
                                                                                   [](BoundStateResult& r) {
                                                                                       r.x.back() = r.states[1].energy =
                                                                                           1e300;
                                                                                       r.potential[0] = -1e300;
                                                                                   },
                                                                                   -5)}),
            {"malformed", feed([](BoundStateResult& r) { r.states[2].phi.resize(3); }, 2)},
        };
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Resonance, PlotRobustness, QuantumResonancePlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Resonance, PlotLegibility, QuantumResonancePlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(BoundState, PlotRobustness, QuantumBoundStatePlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(BoundState, PlotLegibility, QuantumBoundStatePlotWidget);

} // namespace test
} // namespace vxo
