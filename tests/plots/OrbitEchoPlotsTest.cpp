#include "experiments/BerryRecorder.h"
#include "experiments/LoschmidtRecorder.h"
#include "experiments/VortexRecorder.h"
#include "plots/PlotPalette.h"
#include "plots/QuantumBerryPhasePlotWidget.h"
#include "plots/QuantumLoschmidtPlotWidget.h"
#include "plots/QuantumVortexPlotWidget.h"

#include "AxisReading.h"
#include "PaintedTexts.h"
#include "PlotTestSupport.h"
#include "RecorderPlotFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vxo {
namespace {

using test::lineCentres;

const QColor kEchoBackdrop(plot::kRecorder.background);

// The curves of a trace panel as a class reads them: the times under the
// panel and the fractions (fidelity, echo) left of it; the curves stand
// under the legend's band, from the fraction 0 up to 1.
struct TraceReading {
    test::AxisReading time;
    test::AxisReading fraction;
    double x(double t) const { return time.pixelOf(t); }
    double y(double f) const { return fraction.pixelOf(f); }
    // The row of a phase on the +-180 degree scale of the same curves.
    double phaseY(double degrees) const { return y(0.5) - (y(0.0) - y(1.0)) / 2.0 * degrees / 180.0; }
};
TraceReading readTraces(QWidget& plot, const QSize& size, const QRectF& panel)
{
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, size);
    return {test::readAxis(texts, panel, test::NumbersAt::Under), test::readAxis(texts, panel, test::NumbersAt::Left)};
}

// Whether some pixel within radius of at blends toward the colour over the backdrop.
bool tintedNear(const QImage& image, const QPointF& at, const QColor& colour, int radius = 1)
{
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const QPoint p = at.toPoint() + QPoint(dx, dy);
            if (image.valid(p) && test::blendsToward(image.pixel(p), kEchoBackdrop, colour))
                return true;
        }
    return false;
}

using OrbitEchoPlots = test::PlotTest;

TEST_F(OrbitEchoPlots, VortexOrbitRunsOnTheWindowAboutTheTrapCentreAndLzIsDividedByHbar)
{
    VortexTrap trap;
    trap.found = true;
    trap.centerX = 0.2;
    trap.centerY = -0.1;
    trap.curvature = 0.25;
    VortexInitialState state;
    state.envelopeSigma = 1.5;
    state.coreX = 1.2;
    state.coreY = 0.4;
    VortexRecorder recorder(64);
    recorder.configure(state, trap);
    ASSERT_TRUE(recorder.isConfigured());
    for (int k = 0; k < 6; ++k) {
        // The core turned about the trap centre by 0.4 k.
        VortexInitialState turned = state;
        turned.coreX = 0.2 + 1.0 * std::cos(0.4 * k) - 0.5 * std::sin(0.4 * k);
        turned.coreY = -0.1 + 1.0 * std::sin(0.4 * k) + 0.5 * std::cos(0.4 * k);
        ComplexField2D field(64, 48, 0.15f, 0.2f);
        ASSERT_TRUE(QuantumVortex2D::prepareInitialState(field, turned, nullptr));
        // At k = 3 a packet without a phase winding: no core to find.
        if (k == 3)
            field = test::fieldOf(64, 48, 0.15f, 0.2f,
                                  [](double x, double y) { return test::packetAmplitude(x, y, 0.0, 0.0, 1.5, 0.0); });
        recorder.record(0.5 * k, field, 1.0);
    }
    ASSERT_FALSE(recorder.samples()[3].found);
    const VortexSample& last = recorder.samples().back();
    ASSERT_TRUE(last.found);
    auto& plot = makePlot<QuantumVortexPlotWidget>();
    plot.setRecorder(&recorder, 1.0, 2.0);
    const QImage image = test::grabPlot(plot, QSize(700, 480));

    // The window: half-width max(1.3, 1.25 |(1.0, 0.5)|) about the trap centre, on one scale along
    // both axes that fits it to the panel's shorter side, its height.
    const test::SidePanels panels = test::sidePanels(700, 480, QuantumVortexPlotWidget::layout());
    const QRectF orbit = panels.left;
    const double side = orbit.height();
    const double half = 1.25 * std::hypot(1.0, 0.5);
    const double scale = side / (2 * half);
    const auto at = [&](double x, double y) {
        return QPointF(orbit.center().x() + scale * (x - 0.2), orbit.center().y() - scale * (y + 0.1));
    };
    EXPECT_TRUE(test::colourNear(image, at(last.x, last.y), QColor(plot::kCurves.carpet))) << "the current core";
    // Its disc (radius 4.5 px) is wider than the 2.2 px orbit: ink 3.2 px off
    // the orbit, on both sides across it (radially about the trap centre).
    const QPointF core = at(last.x, last.y), radial = core - at(0.2, -0.1);
    for (const double side : {-1.0, 1.0})
        EXPECT_TRUE(test::colourNear(image, core + side * 3.2 / std::hypot(radial.x(), radial.y()) * radial,
                                     QColor(plot::kCurves.carpet), 0))
            << "the current core's disc, side " << side;
    for (const VortexSample& s : recorder.samples())
        EXPECT_EQ(test::colourNear(image, at(s.x, s.y), QColor(plot::kCurves.carpet), 3), s.found)
            << "the orbit passes the found cores and bridges the lost one at t = " << s.time;
    int onCircle = 0;
    for (int i = 0; i < 24; ++i) {
        const double a = 2 * kPi * i / 24;
        onCircle += tintedNear(image, at(0.2 + std::cos(a) - 0.5 * std::sin(a), -0.1 + std::sin(a) + 0.5 * std::cos(a)),
                               QColor(plot::kMaps.vortexClassical))
                        ? 1
                        : 0;
    }
    EXPECT_GE(onCircle, 12) << "the dashed reference circle passes through the start about the trap centre";
    // The dashed crosshair through the trap centre (0.2, -0.1), off the
    // diagonal, each arm across the whole window: dashes on the left and lower
    // 60 % and on the right and upper 15 %, away from the circle and the core.
    int dashes[2] = {0, 0}, farEnds[2] = {0, 0};
    for (int i = 0; i < 20; ++i) {
        const double s = -half + 0.03 * half * i, far = (0.85 + 0.007 * i) * half;
        dashes[0] += tintedNear(image, at(0.2 + s, -0.1), QColor(plot::kAxes.vortexCrosshair)) ? 1 : 0;
        dashes[1] += tintedNear(image, at(0.2, -0.1 + s), QColor(plot::kAxes.vortexCrosshair)) ? 1 : 0;
        farEnds[0] += tintedNear(image, at(0.2 + far, -0.1), QColor(plot::kAxes.vortexCrosshair)) ? 1 : 0;
        farEnds[1] += tintedNear(image, at(0.2, -0.1 + far), QColor(plot::kAxes.vortexCrosshair)) ? 1 : 0;
    }
    EXPECT_GE(dashes[0], 14) << "horizontal arm through the trap centre";
    EXPECT_GE(dashes[1], 14) << "vertical arm through the trap centre";
    EXPECT_GE(farEnds[0], 14) << "right end of the horizontal arm";
    EXPECT_GE(farEnds[1], 14) << "upper end of the vertical arm";

    // <Lz>/hbar over a range that holds 0, padded by 15 % of the span (at least 0.08).
    double lo = 0.0, hi = 0.0;
    for (const VortexSample& s : recorder.samples()) {
        lo = std::min(lo, s.angularMomentum / 2.0);
        hi = std::max(hi, s.angularMomentum / 2.0);
    }
    const double pad = std::max(0.15 * (hi - lo), 0.08);
    const QRectF momentum = panels.right;
    const double y =
        momentum.bottom() - momentum.height() * (last.angularMomentum / 2.0 - lo + pad) / (hi - lo + 2 * pad);
    EXPECT_TRUE(test::colourNear(image, QPointF(momentum.right() - 1, y), QColor(plot::kMaps.vortexMomentum)));

    // Where the band beside the orbit panel leaves room, the title over it
    // runs past both its edges, centred on it, and the caption under it too.
    const test::SidePanels widerPanels = test::sidePanels(800, 560, QuantumVortexPlotWidget::layout());
    const QRectF wider = widerPanels.left;
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(800, 560));
    const QRectF title = test::paintedText(texts, QStringLiteral("Vortex-core orbit")).box;
    EXPECT_GT(title.width(), wider.width()) << "the title is wider than the panel";
    for (const QRectF& box : {title, test::paintedText(texts, QStringLiteral("core x-y")).box})
        EXPECT_NEAR(box.center().x(), wider.center().x(), 1.0);
    // The panels' tops are level, so their titles stand on one line.
    ASSERT_EQ(wider.top(), widerPanels.right.top());
    const QRectF lzTitle = test::paintedText(texts, QStringLiteral("Angular momentum")).box;
    EXPECT_NEAR(title.center().y(), lzTitle.center().y(), 0.5);
}

TEST_F(OrbitEchoPlots, BerryLoopFollowsTheDeformationAndThePhaseTraceBreaksWhereItWasNotComputed)
{
    BerryTrap trap;
    trap.valid = true;
    trap.centerX = 0.3;
    trap.centerY = -0.2;
    trap.stiffness = 1.0;
    BerryConfig config;
    config.enabled = true;
    config.duration = 20.0;
    const auto field = [](bool odd) {
        return test::fieldOf(32, 24, 0.4f, 0.5f, [=](double x, double y) {
            return test::packetAmplitude(x, y, 0.0, 0.0, 1.0, 0.0) * float(odd ? x : 1.0);
        });
    };
    BerryRecorder recorder(400);
    ASSERT_TRUE(recorder.configure(field(false), trap, config));
    // Samples at t = 0, 2, .., 20; at 6 and 8 the state is orthogonal to psi(0): no phase.
    for (int k = 0; k <= 10; ++k)
        ASSERT_TRUE(recorder.record(2.0 * k, QuantumBerryPhase2D::trapAt(config, 2.0 * k), field(k == 3 || k == 4)));
    ASSERT_EQ(recorder.samples()[3].phaseValid, 0u);
    auto& plot = makePlot<QuantumBerryPhasePlotWidget>();
    plot.setRecorder(&recorder);
    const QImage image = test::grabPlot(plot, QSize(640, 560));
    const test::StackedPanels panels = test::stackedPanels(640, 560, QuantumBerryPhasePlotWidget::layout());
    const QRectF loop = panels.upper;
    const QRectF curve = panels.lower;

    const double radius = 0.39 * std::min(loop.width(), loop.height());
    for (const BerrySample& s : recorder.samples()) {
        const QPointF p(loop.center().x() + s.q1 * radius / 0.35, loop.center().y() - s.q2 * radius / 0.35);
        EXPECT_TRUE(tintedNear(image, p, QColor(plot::kGauge.berryLoop), 2) ||
                    tintedNear(image, p, QColor(plot::kMarkers.berryCurrent), 2))
            << "the loop passes the deformation at t = " << s.time;
    }
    EXPECT_TRUE(test::colourNear(image, QPointF(loop.center().x() + radius, loop.center().y()),
                                 QColor(plot::kMarkers.berryCurrent)))
        << "the current deformation closes the loop";

    const TraceReading read = readTraces(plot, QSize(640, 560), curve);
    ASSERT_GE(read.time.marks.size(), 3u);
    ASSERT_GE(read.fraction.marks.size(), 3u);
    const auto x = [&](double t) { return read.x(t); };
    const QColor gold(plot::kCurves.tracePhase);
    for (const double t : {1.0, 3.0, 12.0, 18.0})
        EXPECT_TRUE(test::colourNear(image, QPointF(x(t), read.phaseY(0.0)), gold)) << "phase 0 at t = " << t;
    EXPECT_TRUE(test::colourNear(image, QPointF(x(7.0), read.phaseY(0.0)), QColor(plot::kAxes.berryZero)))
        << "the zero line runs at the curves' vertical middle, under the gap";
    EXPECT_FALSE(test::colourNear(image, QPointF(x(7.0), read.phaseY(0.0)), gold, 3)) << "no line across the gap";
    EXPECT_TRUE(test::colourNear(image, QPointF(x(7.0), read.y(0.0) - 1), QColor(plot::kCurves.traceFidelity)))
        << "the fidelity of an orthogonal state is 0";
}

TEST_F(OrbitEchoPlots, BerryPhaseOfALoopThroughThreeStatesIsDrawnInDegreesWithTheLoopProgressRead)
{
    BerryTrap trap;
    trap.valid = true;
    trap.stiffness = 1.0;
    BerryConfig config;
    config.enabled = true;
    config.duration = 8.0;
    // |A> even and |B> odd in x, so <A|B> = 0: the states A, A + B, A + iB, A.
    const auto state = [](Complex a, Complex b) {
        return test::fieldOf(40, 28, 0.35f, 0.45f, [=](double x, double y) {
            const Complex even = test::packetAmplitude(x, y, 0.0, 0.0, 1.2, 0.0);
            return a * even + b * even * float(0.8 * x);
        });
    };
    const ComplexField2D even = state(1.0f, 0.0f);
    const ComplexField2D odd = state(0.0f, 1.0f);
    BerryRecorder recorder(400);
    ASSERT_TRUE(recorder.configure(even, trap, config));
    const std::vector<ComplexField2D> loop{even, state(1.0f, 1.0f), state(1.0f, Complex(0.0f, 1.0f)), even};
    for (std::size_t k = 0; k < loop.size(); ++k)
        ASSERT_TRUE(recorder.record(2.0 * k, QuantumBerryPhase2D::trapAt(config, 2.0 * k), loop[k]));
    // The Bargmann invariant <A|A+B><A+B|A+iB><A+iB|A> has the phase atan(|B|^2 / |A|^2);
    // the geometric phase accumulated from A is its negative, once the state has left A + B.
    const double degrees = -std::atan2(odd.norm(), even.norm()) * 180.0 / kPi;
    ASSERT_GT(std::abs(degrees), 20.0);
    ASSERT_LT(std::abs(degrees), 70.0);
    auto& plot = makePlot<QuantumBerryPhasePlotWidget>();
    plot.setRecorder(&recorder);
    const QSize size(660, 540);
    const QImage image = test::grabPlot(plot, size);
    const test::StackedPanels panels =
        test::stackedPanels(size.width(), size.height(), QuantumBerryPhasePlotWidget::layout());
    const QRectF panel = panels.upper;
    const QRectF curve = panels.lower;

    const QColor gold(plot::kCurves.tracePhase);
    const TraceReading read = readTraces(plot, size, curve);
    ASSERT_GE(read.time.marks.size(), 3u);
    ASSERT_GE(read.fraction.marks.size(), 3u);
    EXPECT_TRUE(test::colourNear(image, QPointF(read.x(5.0), read.phaseY(degrees)), gold))
        << "the phase at t = 5 on the +-180 degree scale";
    EXPECT_TRUE(test::colourNear(image, QPointF(read.x(1.0), read.phaseY(0.0)), gold))
        << "no phase while the state stays on A + B";

    // The axes through the degeneracy stop 12 px inside the loop panel (their
    // antialiased ends tint the pixel that holds the end).
    const QColor axis(plot::kAxes.berryAxes);
    const int x0 = int(panel.left()), x1 = int(panel.right()), y0 = int(panel.top()), y1 = int(panel.bottom());
    const int cx = int(panel.center().x()), cy = int(panel.center().y());
    const auto axisAt = [&](int px, int py) { return tintedNear(image, QPointF(px, py), axis, 0); };
    EXPECT_TRUE(axisAt(x0 + 11, cy) && axisAt(x1 - 12, cy) && axisAt(cx, y0 + 11) && axisAt(cx, y1 - 12));
    EXPECT_FALSE(axisAt(x0 + 10, cy) || axisAt(x1 - 11, cy) || axisAt(cx, y0 + 10) || axisAt(cx, y1 - 11));

    // Four samples, the last at t = 6 of a loop lasting 8.
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, size);
    const test::PaintedText status = test::paintedText(texts, QStringLiteral("samples "));
    EXPECT_EQ(status.text.simplified(), QStringLiteral("samples 4 t=6.00 progress 75.0 %"));
    EXPECT_NEAR(status.box.right(), panel.right() - 10, 1.0) << "the status ends 10 px inside the panel";
    // It shares the bottom line of the loop panel with the note on the axis.
    const test::PaintedText note = test::paintedText(texts, QStringLiteral("physical principal axis"));
    EXPECT_NEAR(note.box.left(), panel.left() + 10, 1.0);
    for (const test::PaintedText* line : {&status, &note})
        EXPECT_NEAR(line->box.top(), panel.bottom() - 27, 1.5) << line->text.toStdString();
    // The degeneracy's label stands right of and above the centre of the loop panel.
    const test::PaintedText degeneracy = test::paintedText(texts, QStringLiteral("degeneracy"));
    ASSERT_GT(std::abs(panel.center().x() - panel.center().y()), 40.0);
    EXPECT_NEAR(degeneracy.box.left(), panel.center().x() + 8, 1.0);
    EXPECT_NEAR(degeneracy.box.top(), panel.center().y() - 19, 1.5);
    // In a narrow window (the analysis dock at 1366 x 768) the note moves to the
    // panel's top left instead of running into the status, and the lower
    // panel's title stays inside its panel.
    const QSize narrow(440, 540);
    const test::StackedPanels narrowPanels =
        test::stackedPanels(narrow.width(), narrow.height(), QuantumBerryPhasePlotWidget::layout());
    const std::vector<test::PaintedText> narrowTexts = test::paintedTexts(plot, narrow);
    const test::PaintedText narrowStatus = test::paintedText(narrowTexts, QStringLiteral("samples "));
    const test::PaintedText narrowNote = test::paintedText(narrowTexts, QStringLiteral("physical principal axis"));
    EXPECT_FALSE(narrowStatus.box.intersects(narrowNote.box));
    for (const test::PaintedText* line : {&narrowStatus, &narrowNote})
        EXPECT_TRUE(narrowPanels.upper.contains(line->box)) << line->text.toStdString();
    // Narrower still, the status wraps inside the panel: the progress keeps
    // its per cent sign on its line, whatever width puts the break near it.
    int wrapped = 0;
    for (int width = 240; width <= 440; width += 4) {
        int statusLines = 0;
        for (const test::PaintedText& line : test::paintedTexts(plot, QSize(width, 540))) {
            const QString text = line.text.trimmed();
            if (text.startsWith(QLatin1String("samples ")) || text.contains(QLatin1String("progress")) ||
                text.startsWith(QLatin1Char('%')))
                ++statusLines;
            EXPECT_FALSE(text.startsWith(QLatin1Char('%'))) << width << " px: \"" << text.toStdString() << "\"";
        }
        wrapped += statusLines >= 2 ? 1 : 0;
    }
    EXPECT_GT(wrapped, 0) << "the status never wraps: the case is void";
    const test::PaintedText lowerTitle = test::paintedText(narrowTexts, QStringLiteral("Return fidelity"));
    EXPECT_GE(lowerTitle.box.left(), narrowPanels.lower.left() - 0.5);
    EXPECT_LE(lowerTitle.box.right(), narrowPanels.lower.right() + 0.5);
    // It fits by being set smaller, down to 70% of the font, and is elided only past that.
    const test::PaintedText wideTitle = test::paintedText(texts, QStringLiteral("Return fidelity"));
    const double fits = narrowPanels.lower.width() / wideTitle.box.width();
    ASSERT_LT(fits, 1.0) << "the fixture's title must not fit the narrow panel";
    EXPECT_NEAR(lowerTitle.box.height() / wideTitle.box.height(), std::max(0.7, fits), 0.02);
    EXPECT_EQ(lowerTitle.text == wideTitle.text, fits >= 0.7) << lowerTitle.text.toStdString();
    // The legend row stands inside the curve panel, just below its top and
    // above the curves, whose fidelity scale runs from the panel's bottom up
    // to 1 under it in round steps.
    for (const char* entry : {"cyan: return fidelity", "gold: geometric phase"}) {
        const QRectF box = test::paintedText(texts, QLatin1String(entry)).box;
        EXPECT_TRUE(curve.contains(box)) << entry;
        EXPECT_LT(box.top() - curve.top(), box.height()) << entry;
        EXPECT_LT(box.bottom(), read.y(1.0)) << entry;
    }
    EXPECT_FALSE(std::isnan(test::roundStep(read.fraction)));
    EXPECT_NEAR(read.y(0.0), curve.bottom(), 1.0);
    // The phase scale right of the panel: "0°" where phase 0 maps, midway between its ends.
    const auto middleOf = [&](const char* label) { return test::paintedText(texts, label).box.center().y(); };
    EXPECT_NEAR(middleOf("0°"), (middleOf("+180°") + middleOf("-180°")) / 2.0, 1.5);
}

TEST_F(OrbitEchoPlots, LoschmidtReturnStartsWhereTheOutboundPathEndedAndTheEchoAxisRunsPastTwoT)
{
    LoschmidtConfig config;
    config.enabled = true;
    config.reversalTime = 2.0;
    const auto packet = [](double x0, double y0) {
        return test::fieldOf(64, 40, 0.25f, 0.3f,
                             [=](double x, double y) { return test::packetAmplitude(x, y, x0, y0, 0.7, 0.5); });
    };
    LoschmidtRecorder recorder(400);
    ASSERT_TRUE(recorder.configure(packet(0.0, 0.0), config));
    struct Step {
        double t, x, y;
        bool reversed;
    };
    for (const Step& s : std::vector<Step>{{0, 0, 0, false},
                                           {1, 2, 1, false},
                                           {2, 4, 0, false},
                                           {2, 3, -0.5, true},
                                           {3, 2, -1, true},
                                           {4, 0.5, 0, true},
                                           {5, -1, 0.2, true}})
        ASSERT_TRUE(recorder.record(s.t, packet(s.x, s.y), s.reversed));
    auto& plot = makePlot<QuantumLoschmidtPlotWidget>();
    plot.setRecorder(&recorder);
    const QImage image = test::grabPlot(plot, QSize(640, 560));
    const test::StackedPanels panels = test::stackedPanels(640, 560, QuantumLoschmidtPlotWidget::layout());
    const QRectF path = panels.upper;
    const QRectF echo = panels.lower;

    // Centroid ranges padded by 12 % of their spans on each side.
    double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
    for (const LoschmidtSample& s : recorder.samples()) {
        x0 = std::min(x0, s.centroidX), x1 = std::max(x1, s.centroidX);
        y0 = std::min(y0, s.centroidY), y1 = std::max(y1, s.centroidY);
    }
    const auto point = [&](const LoschmidtSample& s) {
        const double sx = x1 - x0, sy = y1 - y0;
        return QPointF(path.left() + path.width() * (s.centroidX - x0 + 0.12 * sx) / (1.24 * sx),
                       path.bottom() - path.height() * (s.centroidY - y0 + 0.12 * sy) / (1.24 * sy));
    };
    const std::vector<LoschmidtSample>& samples = recorder.samples();
    EXPECT_TRUE(test::colourNear(image, point(samples[0]), QColor(plot::kMarkers.loschmidtStart), 1, 10))
        << "the start";
    EXPECT_TRUE(test::colourNear(image, point(samples[2]), QColor(plot::kMarkers.loschmidtTurn), 1, 10))
        << "the turning point";
    EXPECT_TRUE(test::colourNear(image, point(samples.back()), QColor(plot::kMarkers.loschmidtCurrent), 1, 10))
        << "the current centroid";
    // Its marker is the smallest of the three: measured across its middle row.
    const auto across = [&](const LoschmidtSample& s, QRgb colour) {
        return test::countColour(image, QRect(int(point(s).x()) - 15, int(point(s).y()), 31, 1), QColor(colour), 10);
    };
    const int currentWidth = across(samples.back(), plot::kMarkers.loschmidtCurrent);
    EXPECT_LT(currentWidth, across(samples[0], plot::kMarkers.loschmidtStart))
        << "the current marker against the start's";
    EXPECT_LT(currentWidth, across(samples[2], plot::kMarkers.loschmidtTurn))
        << "the current marker against the turn's";

    // Time runs to the last sample (5 > 2T = 4): T at 2/5 of the width, 2T at 4/5.
    const QRect band = echo.adjusted(2, 28, -2, -30).toRect();
    const std::vector<double> reversal =
        lineCentres(image, band, true, kEchoBackdrop, QColor(plot::kMarkers.loschmidtTurn));
    const std::vector<double> back =
        lineCentres(image, band, true, kEchoBackdrop, QColor(plot::kMarkers.loschmidtStart));
    ASSERT_EQ(reversal.size(), 1u);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_NEAR(reversal[0], echo.left() + echo.width() * 2.0 / 5.0, 1.0);
    EXPECT_NEAR(back[0], echo.left() + echo.width() * 4.0 / 5.0, 1.0);
    // Both rules are thin: on a dash, the colour's share summed across a row stays under the curves' 2 px.
    for (const auto& [centre, rgb] :
         {std::pair{reversal[0], plot::kMarkers.loschmidtTurn}, {back[0], plot::kMarkers.loschmidtStart}}) {
        const double widest =
            test::widestRuleInk(image, int(centre), 4, band.top(), band.bottom(), kEchoBackdrop, QColor(rgb));
        EXPECT_GT(widest, 0.8) << "the rule at x = " << centre;
        EXPECT_LT(widest, 2.0) << "the rule at x = " << centre;
    }
    // The echo curves are ruled at their numbers, read off the times under
    // the panel and the echoes left of it.
    const TraceReading read = readTraces(plot, QSize(640, 560), echo);
    ASSERT_GE(read.time.marks.size(), 3u);
    ASSERT_GE(read.fraction.marks.size(), 3u);
    EXPECT_FALSE(std::isnan(test::roundStep(read.time)));
    EXPECT_FALSE(std::isnan(test::roundStep(read.fraction)));
    const std::vector<double> rules = lineCentres(image, echo.adjusted(3, 3, -3, -3).toRect(), false, kEchoBackdrop,
                                                  QColor(plot::kAxes.loschmidtQuarters));
    for (const auto& mark : read.fraction.marks) {
        const double row = mark.first;
        if (mark.second > 0.0 && mark.second < 1.0) {
            EXPECT_TRUE(std::any_of(rules.begin(), rules.end(), [&](double c) { return std::abs(c - row) <= 1.0; }))
                << "no rule at " << mark.second << " (y = " << row << ")";
        }
    }
    const LoschmidtSample& last = samples.back();
    EXPECT_TRUE(test::colourNear(image, QPointF(echo.right() - 1, read.y(last.densityEcho)),
                                 QColor(plot::kCurves.traceFidelity)));
    const double height = read.y(0.0) - read.y(1.0);
    // Both echo curves are 2 px wide: on the straight stretch from t = 4 to 5, their ink
    // summed down a column is 2 px over the cosine of that stretch's slope.
    for (const auto& [echoOf, rgb] : {std::pair{&LoschmidtSample::densityEcho, plot::kCurves.traceFidelity},
                                      {&LoschmidtSample::fidelity, plot::kCurves.tracePhase}}) {
        const double from = samples[5].*echoOf, to = samples[6].*echoOf;
        const double slope = height * (to - from) / (echo.width() / 5.0);
        const double y = read.y(from + 0.7 * (to - from));
        const QRect strip(int(echo.left() + echo.width() * 4.7 / 5.0) - 2, int(y) - 10, 5, 21);
        const double ink = test::inkCentre(image, strip, QColor(rgb), [](const QPoint&) { return kEchoBackdrop; }).ink;
        EXPECT_NEAR(ink / 5.0, 2.0 * std::sqrt(1.0 + slope * slope), 0.35) << "the echo curve near y = " << y;
    }
    const std::vector<test::PaintedText> texts = test::paintedTexts(plot, QSize(640, 560));
    const test::PaintedText status = test::paintedText(texts, QStringLiteral("t="));
    EXPECT_EQ(status.text.simplified(), QStringLiteral("t=5.00 samples=7"));
    EXPECT_NEAR(status.box.right(), path.right() - 10, 1.0) << "the readout ends 10 px inside the path panel";
    EXPECT_NEAR(status.box.top(), path.top() + 5, 1.5) << "and stands 5 px below its top";
    const test::PaintedText current = test::paintedText(texts, QStringLiteral("current: "));
    EXPECT_EQ(current.text.simplified(), QStringLiteral("current: density=%1 state=%2 norm=%3")
                                             .arg(last.densityEcho, 0, 'f', 4)
                                             .arg(last.fidelity, 0, 'f', 4)
                                             .arg(last.norm, 0, 'f', 5));
    EXPECT_NEAR(current.box.right(), echo.right() - 10, 1.0);
    EXPECT_TRUE(echo.contains(current.box) && current.box.bottom() < read.y(1.0))
        << "inside the echo panel, above the curves";
    // The times T and 2T stand under the row of numbers, centred on their lines.
    for (const auto& [label, share] :
         {std::pair{QStringLiteral("T = 2.00"), 2.0 / 5.0}, {QStringLiteral("2T = 4.00"), 4.0 / 5.0}}) {
        const QRectF box = test::paintedText(texts, label).box;
        EXPECT_NEAR(box.center().x(), echo.left() + echo.width() * share, 1.0) << label.toStdString();
        EXPECT_GT(box.top(), echo.bottom() + 10.0) << label.toStdString();
    }
}

TEST_F(OrbitEchoPlots, LoschmidtPathThatKeepsOneCoordinateGetsAWindowTwoUnitsWiderAlongIt)
{
    // Single-cell densities on 64 x 40 cells of 0.25 x 0.3: each centroid is
    // exactly its cell's centre. A coordinate the path never changes has its
    // range widened to 2 before the 12 % margins (2.48 in all); both axes
    // share the smaller scale, centred in the path panel of 540 x 212.
    const auto cell = [](std::uint64_t i, std::uint64_t j) {
        ComplexField2D field(64, 40, 0.25f, 0.3f);
        field.at(i, j) = Complex(1.0f, 0.0f);
        return field;
    };
    struct Case {
        const char* name;
        std::uint64_t i0, j0, i1, j1;
    };
    for (const Case& c :
         std::vector<Case>{{"along x, y fixed", 30, 24, 34, 24}, {"along y, x fixed", 30, 20, 30, 22}}) {
        LoschmidtConfig config;
        config.enabled = true;
        config.reversalTime = 2.0;
        LoschmidtRecorder recorder(16);
        ASSERT_TRUE(recorder.configure(cell(c.i0, c.j0), config));
        ASSERT_TRUE(recorder.record(0.0, cell(c.i0, c.j0), false));
        ASSERT_TRUE(recorder.record(1.0, cell(c.i1, c.j1), false));
        auto& plot = makePlot<QuantumLoschmidtPlotWidget>();
        plot.setRecorder(&recorder);
        const QImage image = test::grabPlot(plot, QSize(640, 560));
        const QRectF path = test::stackedPanels(640, 560, QuantumLoschmidtPlotWidget::layout()).upper;

        const double dx = 0.25 * (double(c.i1) - double(c.i0));
        const double dy = 0.3 * (double(c.j1) - double(c.j0));
        const double spanX = 1.24 * (dx > 0 ? dx : 2.0);
        const double spanY = 1.24 * (dy > 0 ? dy : 2.0);
        const double scale = std::min(path.width() / spanX, path.height() / spanY);
        // The two centroids lie symmetric about the window's centre.
        const QPointF half(scale * dx / 2.0, -scale * dy / 2.0);
        EXPECT_TRUE(test::colourNear(image, path.center() - half, QColor(plot::kMarkers.loschmidtStart), 1, 10))
            << c.name << ": start";
        EXPECT_TRUE(test::colourNear(image, path.center() + half, QColor(plot::kMarkers.loschmidtCurrent), 1, 10))
            << c.name << ": now";
    }
}

} // namespace
} // namespace vxo
