#include "plots/PlotPages.h"
#include "plots/PlotPalette.h"
#include "plots/QuantumBackflowPlotWidget.h"
#include "plots/QuantumHallEdgePlotWidget.h"
#include "plots/QuantumKleinTunnelingPlotWidget.h"
#include "plots/QuantumLandauPlotWidget.h"
#include "plots/QuantumZitterbewegungPlotWidget.h"

#include "experiments/BackflowRecorder.h"
#include "experiments/DiracKleinRecorder.h"
#include "experiments/DiracZitterbewegungRecorder.h"
#include "experiments/HallEdgeRecorder.h"
#include "experiments/LandauRecorder.h"

#include "AxisReading.h"
#include "PaintedTexts.h"
#include "PlotRobustness.h"
#include "PlotTestSupport.h"
#include "RecorderPlotSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::kNaN;

const QSize kSize(620, 640);

// The density of a Gaussian of width sigma about (x0, y0) on the cell centres.
auto gaussianAt(const ComplexField2D& grid, double x0, double y0, double sigma = 1.0)
{
    return [&grid, x0, y0, sigma](std::uint64_t i, std::uint64_t j) {
        const double x = (double(i) - 0.5 * double(grid.nx() - 1)) * grid.dx() - x0;
        const double y = (double(j) - 0.5 * double(grid.ny() - 1)) * grid.dy() - y0;
        return std::exp(-(x * x + y * y) / (2.0 * sigma * sigma));
    };
}

ComplexField2D packet(std::uint64_t nx, std::uint64_t ny, float dx, float dy, double x0, double y0)
{
    const ComplexField2D grid(nx, ny, dx, dy);
    return test::densityField(nx, ny, dx, dy, gaussianAt(grid, x0, y0));
}

// A trace as drawn: its colour and the mapped points of its samples; a line
// drawn over the traces only hides them and is not probed itself.
struct Trace {
    std::string name;
    QColor colour;
    std::vector<QPointF> points;
    bool probed = true;
};

double distanceToSegment(const QPointF& p, const QPointF& a, const QPointF& b)
{
    const QPointF d = b - a;
    const double length2 = QPointF::dotProduct(d, d);
    const double u = length2 > 0.0 ? std::clamp(QPointF::dotProduct(p - a, d) / length2, 0.0, 1.0) : 0.0;
    const QPointF q = a + u * d - p;
    return std::hypot(q.x(), q.y());
}

// Every point of every trace shows its colour, except where a trace drawn
// after it (later in the list) passes within 5 pixels or a text's patch
// (one of `texts`, with 3 pixels of margin) hides it.
void expectTraces(const QImage& image, const std::vector<Trace>& traces, const std::string& plot,
                  const std::vector<QRectF>& texts = {})
{
    for (std::size_t t = 0; t < traces.size(); ++t) {
        if (!traces[t].probed)
            continue;
        int probed = 0;
        for (const QPointF& p : traces[t].points) {
            bool covered = false;
            for (std::size_t later = t + 1; later < traces.size(); ++later) {
                const std::vector<QPointF>& q = traces[later].points;
                for (std::size_t k = 0; k + 1 < q.size(); ++k)
                    covered = covered || distanceToSegment(p, q[k], q[k + 1]) < 5.0;
                covered = covered || (q.size() == 1 && distanceToSegment(p, q[0], q[0]) < 8.0);
            }
            for (const QRectF& box : texts)
                covered = covered || box.adjusted(-4.0, -1.0, 4.0, 1.0).contains(p);
            if (covered)
                continue;
            EXPECT_TRUE(test::colourNear(image, p, traces[t].colour, 1, 45))
                << plot << ", " << traces[t].name << " at " << p.x() << ", " << p.y();
            ++probed;
        }
        EXPECT_GT(probed, 0) << plot << ", " << traces[t].name;
    }
}

// The patch under the summary lines inside a panel's top: the texts' boxes there, united.
QRectF summaryPatch(QWidget& plot, const QRect& panel)
{
    QRectF patch;
    for (const test::PaintedText& t : test::paintedTexts(plot, kSize))
        if (QRectF(panel).contains(t.box))
            patch = patch.united(t.box);
    return patch;
}

// The stacked panels of a recorder plot at kSize, read from the widget's layout.
using Panels = plot::StackedPanels;
template <typename Widget>
Panels stacked()
{
    return plot::stackedPanels(kSize, Widget::layout());
}

double timeX(const QRect& panel, double t, double end) { return panel.left() + panel.width() * t / end; }

// The row under the summary a page sets inside a panel's top (painted
// starting with prefix, on the lines under it where it wraps), as the page
// lays it out.
double summaryBottom(QWidget& plot, const Panels& panels, const QRect& panel, const plot::StackedTexts& texts,
                     const QString& prefix)
{
    const std::vector<test::PaintedText> all = test::paintedTexts(plot, kSize);
    const test::PaintedText first = test::paintedText(all, prefix);
    QString summary = first.text;
    for (const test::PaintedText& t : all)
        if (t.box.left() == first.box.left() && t.box.top() > first.box.top() && t.box.top() < first.box.bottom() + 40)
            summary += QStringLiteral("   ") + t.text;
    return plot::stackedSummaryBottom(panels, panel, texts, plot.font(), summary);
}

// The Landau orbit's area: its panel under the summary, 10 pixels in.
QRectF orbitArea(QWidget& plot, const Panels& panels)
{
    const QRect& orbit = panels.upper;
    const double top = summaryBottom(plot, panels, orbit, QuantumLandauPlotWidget::layout().texts, "b=qB/hbar=");
    return QRectF(orbit).adjusted(10.0, std::max(10.0, top - orbit.top()), -10.0, -10.0);
}

// The orbit's plane: one scale on both axes, |x|, |y| <= reach filling the
// area's shorter side, origin centred.
auto orbitPlane(const QRectF& area, double reach)
{
    const double scale = std::min(area.width(), area.height()) / (2.0 * reach);
    const QPointF c = area.center();
    return [=](double x, double y) { return QPointF(c.x() + scale * x, c.y() - scale * y); };
}

using RecorderTracePlots = test::PlotTest;

TEST_F(RecorderTracePlots, LandauOrbitEnergyAndFidelityFollowTheSamples)
{
    for (const std::uint32_t mode : {0u, 1u}) {
        LandauConfig config;
        config.enabled = true;
        config.preparationMode = mode;
        config.orbitRadius = 4.0;
        const ComplexField2D start = packet(96, 80, 0.3f, 0.25f, -4.0, 0.0);
        GaugeLinkField2D links;
        ASSERT_TRUE(QuantumLandau2D::buildSymmetricGauge(start, config, links, nullptr));
        LandauRecorder recorder(420);
        ASSERT_TRUE(recorder.configure(start, links, config, 1.0, 1.0));
        // Clockwise over the upper half of the orbit, from (-4, 0) to (4, 0).
        for (int k = 0; k <= 6; ++k) {
            const double angle = M_PI * (1.0 - k / 6.0);
            recorder.record(1.5 * k, packet(96, 80, 0.3f, 0.25f, 4.0 * std::cos(angle), 4.0 * std::sin(angle)), links);
        }
        QuantumLandauPlotWidget& plot = makePlot<QuantumLandauPlotWidget>();
        plot.setRecorder(&recorder);
        const QImage image = test::grabPlot(plot, kSize);

        const Panels panels = stacked<QuantumLandauPlotWidget>();
        const auto plane = orbitPlane(orbitArea(plot, panels), 5.0);
        const std::vector<LandauSample>& samples = recorder.samples();
        double energyMax = 1.6 * 0.225; // 1.6 E_0, E_0 = hbar |b| / 2m
        for (const LandauSample& s : samples)
            energyMax = std::max(energyMax, 1.15 * s.energy);
        Trace orbit{"orbit", QColor(plot::kGauge.trajectory), {}}, energy{"<H>", QColor(plot::kGauge.highlight), {}},
            fidelity{"fidelity", QColor(plot::kGauge.secondTrace), {}};
        for (const LandauSample& s : samples) {
            if (&s != &samples.back())
                orbit.points.push_back(plane(s.meanX, s.meanY));
            const double x = timeX(panels.lower, s.time, 15.0);
            energy.points.push_back(QPointF(x, panels.lower.bottom() - panels.lower.height() * s.energy / energyMax));
            fidelity.points.push_back(QPointF(x, panels.lower.bottom() - panels.lower.height() * s.fidelity));
        }
        const std::string name = "Landau mode " + std::to_string(mode);
        expectTraces(image, {orbit, Trace{"position", QColor(plot::kGauge.highlight), {plane(4.0, 0.0)}}}, name);
        expectTraces(image, {energy, fidelity}, name);
        EXPECT_NEAR(samples.front().fidelity, 1.0, 1e-5) << name;

        // The reference orbit for a cyclotron packet, the level E_0 for an eigenstate.
        const QColor circle(plot::kGauge.landauCircle), level(plot::kGauge.landauLevel);
        int onCircle = 0;
        // Probed where the dashed circle runs along a pixel column or row, so that it shows its full colour.
        for (const double angle : {-3.0, -1.6, -0.2})
            onCircle += test::colourNear(image, plane(4.0 * std::cos(angle), 4.0 * std::sin(angle)), circle, 2, 12);
        EXPECT_EQ(onCircle, mode == 0 ? 3 : 0) << name;
        const double levelY = panels.lower.bottom() - panels.lower.height() * 0.225 / energyMax;
        const QRect levelRow(panels.lower.left() + 20, int(levelY) - 1, panels.lower.width() - 40, 3);
        EXPECT_EQ(test::countColour(image, levelRow, level, 40) > 50, mode == 1) << name;
    }
}

// A whole cyclotron orbit of radius 4 in a wide panel is drawn round: its
// trace spans as many pixels across as up, 2 * 4 * 37.2 and the pen's width.
TEST_F(RecorderTracePlots, LandauOrbitOfACircularPathIsDrawnRound)
{
    LandauConfig config;
    config.enabled = true;
    config.orbitRadius = 4.0;
    const ComplexField2D start = packet(96, 80, 0.3f, 0.25f, 4.0, 0.0);
    GaugeLinkField2D links;
    ASSERT_TRUE(QuantumLandau2D::buildSymmetricGauge(start, config, links, nullptr));
    LandauRecorder recorder(420);
    ASSERT_TRUE(recorder.configure(start, links, config, 1.0, 1.0));
    for (int k = 0; k <= 24; ++k)
        recorder.record(0.5 * k,
                        packet(96, 80, 0.3f, 0.25f, 4.0 * std::cos(M_PI * k / 12.0), 4.0 * std::sin(M_PI * k / 12.0)),
                        links);
    QuantumLandauPlotWidget& plot = makePlot<QuantumLandauPlotWidget>();
    plot.setRecorder(&recorder);
    const QImage image = test::grabPlot(plot, kSize);
    const QRect orbit = stacked<QuantumLandauPlotWidget>().upper;
    const QRectF area = orbitArea(plot, stacked<QuantumLandauPlotWidget>());
    ASSERT_GT(area.width(), area.height() + 100) << "an area far from square";
    const QRect box = test::colourBoundingBox(image, orbit.adjusted(2, 2, -2, -2), QColor(plot::kGauge.trajectory), 40);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_LE(std::abs(box.width() - box.height()), 1) << box.width() << " x " << box.height();
    EXPECT_NEAR(box.height(), 8.0 * area.height() / 10.0 + 2.0, 3.0);
    // The dashed axes cross at the orbit's centre: the vertical one runs down its
    // column below the orbit, the horizontal one along its row left of it; a
    // dash shows as brightness steps along one of the three pixel runs nearest.
    const QPoint c = area.center().toPoint();
    ASSERT_GT(std::abs(c.x() - c.y()), 20) << "a centre whose column and row differ";
    const int clear = int(4.0 * area.height() / 10.0) + 6; // the orbit's radius and the pen
    for (const QPoint& along : {QPoint(0, 1), QPoint(-1, 0)}) {
        int steps = 0;
        for (const int k : {-1, 0, 1}) {
            const QPoint from = c + k * QPoint(along.y(), along.x()) + clear * along;
            steps = std::max(steps, test::brightnessSteps(image, from, from + 30 * along));
        }
        EXPECT_GT(steps, 5) << "the axis along " << along.x() << ", " << along.y();
    }
}

TEST_F(RecorderTracePlots, HallEdgeTrajectorySkipsAlongTheEdgeAboveTheWall)
{
    HallEdgeConfig config;
    config.enabled = true;
    const auto field = [](double x, double y) { return packet(128, 80, 0.3f, 0.25f, x, y); };
    HallEdgeRecorder recorder(360);
    ASSERT_TRUE(recorder.configure(field(-6.0, -5.3), config));
    for (int k = 0; k <= 5; ++k)
        recorder.record(1.0 * k, field(-6.0 + 2.0 * k, -5.3 + 0.8 * std::sin(1.3 * k)));
    QuantumHallEdgePlotWidget& plot = makePlot<QuantumHallEdgePlotWidget>();
    plot.setRecorder(&recorder);
    const QImage image = test::grabPlot(plot, kSize);

    const Panels panels = stacked<QuantumHallEdgePlotWidget>();
    // The window 32 wide and 9 high on one scale, set by the panel's width
    // here, centred in the panel under its summary.
    const QRectF window =
        QRectF(panels.upper)
            .adjusted(0.0,
                      summaryBottom(plot, panels, panels.upper, QuantumHallEdgePlotWidget::layout().texts, "b=") -
                          panels.upper.top(),
                      0.0, 0.0);
    const double scale = window.width() / 32.0;
    ASSERT_LT(9.0 * scale, window.height());
    const auto plane = [&](double x, double y) {
        return QPointF(window.center().x() + scale * x, window.center().y() - scale * (y + 4.5));
    };
    const std::vector<HallEdgeSample>& samples = recorder.samples();
    const QPoint middle = panels.lower.center();
    Trace path{"trajectory", QColor(plot::kGauge.trajectory), {}},
        strip{"edge strip", QColor(plot::kGauge.secondTrace), {}}, drift{"drift", QColor(plot::kGauge.highlight), {}};
    for (const HallEdgeSample& s : samples) {
        if (&s != &samples.back())
            path.points.push_back(plane(s.meanX, s.meanY));
        const double x = timeX(panels.lower, s.time, 8.0);
        strip.points.push_back(QPointF(x, panels.lower.bottom() - panels.lower.height() * s.edgeProbability));
        drift.points.push_back(QPointF(x, middle.y() - 0.45 * panels.lower.height() * s.drift / 10.0));
    }
    EXPECT_NEAR(samples.back().drift, 10.0, 1e-3);
    expectTraces(image, {path}, "Hall edge");
    const Trace zero{
        "zero line", {}, {QPointF(panels.lower.left(), middle.y()), QPointF(panels.lower.right(), middle.y())}, false};
    expectTraces(image, {strip, drift, zero}, "Hall edge");
    // The edge line at y = edgeY and the wall below it.
    const QPointF edge = plane(10.0, -8.0);
    EXPECT_TRUE(test::colourNear(image, edge, QColor(plot::kGauge.hallEdgeWall), 1, 40));
    EXPECT_TRUE(test::colourNear(image, plane(10.0, -8.5), QColor(34, 19, 23), 0, 4)) << "the wall's shade";
    EXPECT_TRUE(test::colourNear(image, plane(10.0, -7.0), QColor(plot::kInnerPanel.fill), 0, 2))
        << "no shade above the edge";
    // The shade stops at the panel's frame: below it the band keeps the backdrop left of the panel.
    const int below = panels.upper.bottom() + 3;
    EXPECT_EQ(image.pixel(int(edge.x()), below), image.pixel(panels.upper.left() - 10, below))
        << "shade below the frame";
    EXPECT_TRUE(
        test::colourNear(image, QPointF(edge.x(), panels.lower.bottom() - 4), QColor(plot::kInnerPanel.fill), 0, 2))
        << "shade in the time panel";
}

TEST_F(RecorderTracePlots, BackflowShadesTheIntervalsOfNegativeCurrent)
{
    BackflowConfig config;
    config.enabled = true;
    // Plane waves whose current through the detector line runs with the sign of k.
    const auto wave = [](double sign) {
        ComplexField2D field(64, 16, 0.25f, 0.5f);
        const double k = sign * 2.0 * M_PI * 4.0 / (64 * 0.25);
        for (std::uint64_t j = 0; j < 16; ++j)
            for (std::uint64_t i = 0; i < 64; ++i)
                field.at(i, j) = std::polar(1.0f, float(k * 0.25 * double(i)));
        field.normalize();
        return field;
    };
    // A real wave (sign 0) carries no current: its neighbours' intervals stay unshaded.
    const std::vector<double> signs{1, 0, 1, -1, -1, 1, 1, 1};
    BackflowRecorder recorder(420);
    ASSERT_TRUE(recorder.configure(wave(1.0), config, 1.0, 1.0));
    for (std::size_t k = 0; k < signs.size(); ++k)
        recorder.record(0.5 * double(k), wave(signs[k]));
    QuantumBackflowPlotWidget& plot = makePlot<QuantumBackflowPlotWidget>();
    plot.setRecorder(&recorder);
    const QImage image = test::grabPlot(plot, kSize);

    const Panels panels = stacked<QuantumBackflowPlotWidget>();
    const QRect& flux = panels.upper;
    const std::vector<BackflowSample>& samples = recorder.samples();
    for (std::size_t k = 1; k < samples.size(); ++k) {
        const bool negative = samples[k - 1].flux < 0.0 || samples[k].flux < 0.0;
        EXPECT_EQ(negative, signs[k - 1] < 0.0 || signs[k] < 0.0) << "interval " << k;
        const QPointF low(timeX(flux, 0.5 * (samples[k - 1].time + samples[k].time), 4.0), flux.bottom() - 3.0);
        EXPECT_TRUE(test::colourNear(image, low, negative ? QColor(39, 19, 28) : QColor(plot::kInnerPanel.fill), 0, 4))
            << "interval " << k << (negative ? " is to be shaded" : " is not to be shaded");
    }
    double largest = 0.0;
    for (const BackflowSample& s : samples)
        largest = std::max(largest, std::abs(s.flux));
    const double backward = std::max(recorder.maximumBackwardFlux(), 0.01);
    Trace current{"current", QColor(plot::kTwoLevel.first), {}}, left{"P left", QColor(plot::kGauge.secondTrace), {}},
        accumulated{"backward flux", QColor(plot::kGauge.highlight), {}};
    // The current under the summary, centred in the rows below it.
    const double top = summaryBottom(plot, panels, flux, QuantumBackflowPlotWidget::layout().texts, "p_x>0");
    for (const BackflowSample& s : samples) {
        const double x = timeX(flux, s.time, 4.0);
        current.points.push_back(
            QPointF(x, 0.5 * (top + flux.bottom()) - 0.46 * (flux.bottom() - top) * s.flux / (1.12 * largest)));
        left.points.push_back(QPointF(x, panels.lower.bottom() - panels.lower.height() * s.probabilityLeft));
        accumulated.points.push_back(
            QPointF(x, panels.lower.bottom() - 0.45 * panels.lower.height() * s.backwardFlux / backward));
    }
    EXPECT_GT(recorder.maximumBackwardFlux(), 0.01);
    expectTraces(image, {current}, "backflow", {summaryPatch(plot, flux)});
    expectTraces(image, {left, accumulated}, "backflow");
    // Side by side, in a short wide plot, the lower panel's traces run along its own width.
    const QSize shortWide(700, 270);
    const Panels beside = plot::stackedPanels(shortWide, QuantumBackflowPlotWidget::layout());
    ASSERT_TRUE(plot::sideBySide(beside));
    for (Trace* trace : {&left, &accumulated})
        for (std::size_t k = 0; k < samples.size(); ++k)
            trace->points[k] = QPointF(timeX(beside.lower, samples[k].time, 4.0),
                                       beside.lower.bottom() - (panels.lower.bottom() - trace->points[k].y()) *
                                                                   beside.lower.height() / panels.lower.height());
    expectTraces(test::grabPlot(plot, shortWide), {left, accumulated}, "backflow side by side");
    // The summary names the newest sample's flow; a real wave carries no
    // current at all, which is not backflow.
    for (const auto& [sign, flow] : {std::pair{0.0, "forward flow"}, {-1.0, "BACKFLOW"}, {0.0, "forward flow"}}) {
        recorder.record(recorder.samples().back().time + 0.5, wave(sign));
        // The summary's first line, and the lines it wraps onto under it.
        const std::vector<test::PaintedText> texts = test::paintedTexts(plot, kSize);
        const test::PaintedText first = test::paintedText(texts, QStringLiteral("p_x>0"));
        QString summary = first.text;
        for (const test::PaintedText& t : texts)
            if (t.box.left() == first.box.left() && t.box.top() > first.box.top() &&
                t.box.top() < first.box.bottom() + 40)
                summary += QLatin1Char(' ') + t.text;
        EXPECT_TRUE(summary.endsWith(QStringLiteral("now: %1").arg(QLatin1String(flow)))) << summary.toStdString();
    }
}

TEST_F(RecorderTracePlots, ZitterbewegungTremblingAndDriftFollowTheRecorder)
{
    ZitterbewegungConfig config;
    config.enabled = true;
    const ComplexField2D grid(64, 32, 0.4f, 0.5f);
    // A packet on the axis drifting to the right, then one above the axis
    // (its <y> beyond every <x>) that turns back: the scale of <x> is its own
    // range, wherever the last sample and <y> lie.
    for (const double y0 : {0.0, 2.5}) {
        SCOPED_TRACE(y0 == 0.0 ? "drifting on the axis" : "turning back above the axis");
        const auto spinor = [&](double x, float ratio) {
            return test::densitySpinor(64, 32, 0.4f, 0.5f, gaussianAt(grid, x, y0, 1.5), ratio);
        };
        DiracZitterbewegungRecorder recorder(640);
        ASSERT_TRUE(recorder.configure(spinor(-6.0, 0.2f), config, 1.0));
        for (int k = 0; k <= 10; ++k) {
            const double x = y0 == 0.0 ? -6.0 + 0.4 * k : -6.0 + 0.8 * k - 0.09 * k * k;
            recorder.record(0.8 * k, spinor(x + 0.3 * std::sin(2.0 * k), float(0.5 * std::sin(1.0 * k))));
        }
        QuantumZitterbewegungPlotWidget& plot = makePlot<QuantumZitterbewegungPlotWidget>();
        plot.setRecorder(&recorder);
        const QImage image = test::grabPlot(plot, kSize);

        const plot::StackedLayout shape = QuantumZitterbewegungPlotWidget::layout(plot.font(), kSize.width());
        const Panels panels = plot::stackedPanels(kSize, shape);
        const std::vector<ZitterbewegungSample>& samples = recorder.samples();
        double lo = samples.front().meanX, hi = lo, residual = 1e-6, velocity = 1e-6;
        for (const ZitterbewegungSample& s : samples) {
            lo = std::min(lo, s.meanX);
            hi = std::max(hi, s.meanX);
            residual = std::max(residual, std::abs(s.detrendedX));
            velocity = std::max(velocity, std::abs(s.velocityX));
        }
        const double pad = std::max(0.08 * (hi - lo + 1e-9), 0.2);
        // The position's traces under the summary inside the panel's top.
        const int top = int(std::ceil(summaryBottom(plot, panels, panels.upper, shape.texts, "mixed +/-")));
        const QRect pos(panels.upper.left(), top, panels.upper.width(), panels.upper.bottom() - top + 1);
        const QRect& vel = panels.lower;
        Trace mean{"<x>", QColor(plot::kDirac.zitterbewegungMean), {}},
            trembling{"detrended x", QColor(plot::kDirac.trembling), {}},
            speed{"<v_x>", QColor(plot::kDirac.velocity), {}};
        for (const ZitterbewegungSample& s : samples) {
            const double x = timeX(pos, s.time, 12.0);
            mean.points.push_back(
                QPointF(x, pos.bottom() - pos.height() * (s.meanX - lo + pad) / (hi - lo + 2.0 * pad)));
            trembling.points.push_back(
                QPointF(x, pos.center().y() - 0.45 * pos.height() * s.detrendedX / (1.15 * residual)));
            speed.points.push_back(
                QPointF(x, vel.center().y() - 0.45 * vel.height() * s.velocityX / (1.15 * velocity)));
        }
        expectTraces(image, {mean, trembling}, "Zitterbewegung", {summaryPatch(plot, pos)});
        // The dashed zero of the detrended trace across the middle of the position
        // panel: a dash every few pixels, far more steps than the traces crossing it make.
        EXPECT_GT(test::dashStepsNearRow(image, pos.center().y(), pos.left() + 2, pos.right() - 2), pos.width() / 10)
            << "the zero line of the detrended trace";
        expectTraces(image, {speed}, "Zitterbewegung");
        // The fitted drift as a dashed line across the velocity panel (1.2 wide,
        // so about 80 % of its colour on the nearest row).
        const double driftY =
            vel.center().y() - 0.45 * vel.height() * recorder.fittedDriftVelocityX() / (1.15 * velocity);
        EXPECT_GT(test::countColour(image, QRect(vel.left(), int(std::round(driftY)) - 1, vel.width(), 3),
                                    QColor(156, 120, 211), 40),
                  vel.width() / 3);
        // The velocity has numbers of its own beside its panel, at round
        // values, and the trace stands where they say.
        const test::AxisReading velocityAxis =
            test::readAxis(test::paintedTexts(plot, kSize), vel, test::NumbersAt::Left);
        ASSERT_GE(velocityAxis.marks.size(), 2u) << "the <v_x> panel has a numbered axis";
        EXPECT_FALSE(std::isnan(test::roundStep(velocityAxis)));
        for (std::size_t i = 0; i < samples.size(); ++i)
            EXPECT_NEAR(velocityAxis.pixelOf(samples[i].velocityX), speed.points[i].y(), 1.0) << "sample " << i;
        if (y0 == 0.0) {
            EXPECT_GT(std::abs(recorder.fittedDriftVelocityX()), 0.2);
        }
    }
}

TEST_F(RecorderTracePlots, KleinProbabilitiesAreDrawnAtNinetyTwoPercentFullScale)
{
    KleinTunnelingConfig config;
    config.enabled = true;
    // 64 columns of 0.5 by 8 rows of 0.4: 29 columns left of the barrier
    // (x < -1.5), 6 inside it and 29 right of it.
    const auto spinor = [](double left, double inside, double right) {
        const double column = 8 * 0.5 * 0.4;
        const double l = left / (29 * column), b = inside / (6 * column), r = right / (29 * column);
        return test::densitySpinor(64, 8, 0.5f, 0.4f, [=](std::uint64_t i, std::uint64_t) {
            const double x = (double(i) - 31.5) * 0.5;
            return x < -1.5 ? l : x <= 1.5 ? b : r;
        });
    };
    DiracKleinRecorder recorder(800);
    ASSERT_TRUE(recorder.configure(spinor(1.0, 0.0, 0.0), config));
    for (int k = 0; k <= 5; ++k)
        recorder.record(2.0 * k, spinor(1.0 - 0.18 * k, 0.08 * k * (5 - k) / 5.0, 0.18 * k - 0.08 * k * (5 - k) / 5.0));
    QuantumKleinTunnelingPlotWidget& plot = makePlot<QuantumKleinTunnelingPlotWidget>();
    plot.setRecorder(&recorder);
    const QImage image = test::grabPlot(plot, kSize);

    const QRect panel = plot::scanPanel(kSize, plot.scanLayout());
    Trace left{"left", QColor(plot::kDirac.kleinLeft), {}}, inside{"barrier", QColor(plot::kMarkers.scanCurrent), {}},
        right{"right", QColor(plot::kCurves.leading), {}};
    for (const KleinSample& s : recorder.samples()) {
        const double x = timeX(panel, s.time, 16.0);
        left.points.push_back(QPointF(x, panel.bottom() - panel.height() * 0.92 * s.leftProbability));
        inside.points.push_back(QPointF(x, panel.bottom() - panel.height() * 0.92 * s.barrierProbability));
        right.points.push_back(QPointF(x, panel.bottom() - panel.height() * 0.92 * s.rightProbability));
    }
    EXPECT_NEAR(recorder.samples().front().leftProbability, 1.0, 1e-5);
    expectTraces(image, {left, inside, right}, "Klein");
    // The analysis lasts 16 and the run has reached 10: the curves stop short.
    const QRect later(int(timeX(panel, 10.0, 16.0)) + 3, panel.top() + 60, 100, panel.height() - 70);
    EXPECT_EQ(test::countColour(image, later, QColor(plot::kCurves.leading), 40), 0);
}

TEST_F(RecorderTracePlots, ShowThePlaceholderForMissingUnconfiguredOrEmptyRecorders)
{
    LandauRecorder landau(420);
    HallEdgeRecorder hall(360);
    BackflowRecorder backflow(420);
    DiracZitterbewegungRecorder zitter(640);
    DiracKleinRecorder klein(800);
    KleinTunnelingConfig kleinConfig;
    kleinConfig.enabled = true;
    ASSERT_TRUE(klein.configure(test::densitySpinor(8, 4, 0.5f, 0.4f, [](auto, auto) { return 1.0; }), kleinConfig));
    QuantumLandauPlotWidget& a = makePlot<QuantumLandauPlotWidget>();
    QuantumHallEdgePlotWidget& b = makePlot<QuantumHallEdgePlotWidget>();
    QuantumBackflowPlotWidget& c = makePlot<QuantumBackflowPlotWidget>();
    QuantumZitterbewegungPlotWidget& d = makePlot<QuantumZitterbewegungPlotWidget>();
    QuantumKleinTunnelingPlotWidget& e = makePlot<QuantumKleinTunnelingPlotWidget>();
    for (const bool attached : {false, true}) {
        if (attached) {
            a.setRecorder(&landau);
            b.setRecorder(&hall);
            c.setRecorder(&backflow);
            d.setRecorder(&zitter);
            e.setRecorder(&klein); // configured, no samples
        }
        for (QWidget* plot : std::vector<QWidget*>{&a, &b, &c, &d, &e}) {
            const QImage image = test::grabPlot(*plot, QSize(500, 400));
            const int text =
                test::countColour(image, QRect(60, 150, 380, 100), QColor(plot::kGaugePage.placeholderColour), 0) +
                test::countColour(image, QRect(60, 150, 380, 100), QColor(plot::kKleinPage.placeholderColour), 0);
            EXPECT_GT(text, 0) << plot->metaObject()->className() << (attached ? " with an idle recorder" : "");
        }
    }
}

} // namespace

namespace test {

// Recorders that live as long as the sweep: one sample, samples with values
// that are not finite or huge, and configured without samples.
struct TraceRecorders {
    LandauRecorder landau{420}, landauOne{420};
    HallEdgeRecorder hall{360}, hallOne{360};
    BackflowRecorder backflow{420}, backflowEmpty{420};
    DiracZitterbewegungRecorder zitter{640}, zitterOne{640};
    DiracKleinRecorder klein{800}, kleinOne{800};

    TraceRecorders()
    {
        const ComplexField2D wild = densityField(16, 16, 0.5f, 0.4f, [](std::uint64_t i, std::uint64_t j) {
            return (i + j) % 5 == 0 ? kNaN : (i * j) % 7 == 0 ? 1e30 : 1.0;
        });
        const ComplexField2D calm = packet(16, 16, 0.5f, 0.4f, 0.0, 0.0);
        LandauConfig landauConfig;
        landauConfig.enabled = true;
        landauConfig.preparationMode = 1;
        GaugeLinkField2D links;
        QuantumLandau2D::buildSymmetricGauge(calm, landauConfig, links, nullptr);
        for (LandauRecorder* r : {&landau, &landauOne})
            r->configure(calm, links, landauConfig, 1.0, 1.0);
        landau.record(0.0, calm, links);
        landau.record(kNaN, wild, links);
        landau.record(1e12, calm, links);
        landauOne.record(3.0, calm, links);

        HallEdgeConfig hallConfig;
        hallConfig.enabled = true;
        hallConfig.fieldStrength = -0.45;
        for (HallEdgeRecorder* r : {&hall, &hallOne})
            r->configure(calm, hallConfig);
        hall.record(0.0, wild);
        hall.record(-1.0, calm);
        hallOne.record(0.0, calm);

        BackflowConfig backflowConfig;
        backflowConfig.enabled = true;
        for (BackflowRecorder* r : {&backflow, &backflowEmpty})
            r->configure(calm, backflowConfig, 1.0, 1.0);
        backflow.record(0.0, wild);
        backflow.record(0.5, calm);
        backflow.record(0.5, wild);

        ZitterbewegungConfig zitterConfig;
        zitterConfig.enabled = true;
        zitterConfig.preparationMode = 1;
        const DiracSpinor2D spinor = densitySpinor(
            16, 16, 0.5f, 0.4f, [](auto, auto) { return 1.0; }, 0.3f);
        DiracSpinor2D wildSpinor;
        wildSpinor.upper = wild;
        wildSpinor.lower = wild;
        for (DiracZitterbewegungRecorder* r : {&zitter, &zitterOne})
            r->configure(spinor, zitterConfig, 1.0);
        zitter.record(0.0, spinor);
        zitter.record(1.0, wildSpinor);
        zitter.record(1.0, spinor);
        zitterOne.record(0.0, spinor);

        KleinTunnelingConfig kleinConfig;
        kleinConfig.enabled = true;
        for (DiracKleinRecorder* r : {&klein, &kleinOne})
            r->configure(spinor, kleinConfig);
        klein.record(0.0, wildSpinor);
        klein.record(kNaN, spinor);
        klein.record(40.0, spinor);
        kleinOne.record(0.0, spinor);
    }
};

const TraceRecorders& traceRecorders()
{
    static const TraceRecorders recorders;
    return recorders;
}

// One recorder with awkward samples, one with a single sample or none.
template <typename Widget, typename Recorder>
std::vector<PlotFeed<Widget>> traceFeeds(const Recorder& many, const Recorder& one)
{
    return recorderFeeds<Widget, Recorder>({{"awkward samples", &many}, {"one sample or none", &one}});
}

template <>
struct PlotFeeds<QuantumLandauPlotWidget> {
    static auto all()
    {
        return traceFeeds<QuantumLandauPlotWidget>(traceRecorders().landau, traceRecorders().landauOne);
    }
};
template <>
struct PlotFeeds<QuantumHallEdgePlotWidget> {
    static auto all() { return traceFeeds<QuantumHallEdgePlotWidget>(traceRecorders().hall, traceRecorders().hallOne); }
};
template <>
struct PlotFeeds<QuantumBackflowPlotWidget> {
    static auto all()
    {
        return traceFeeds<QuantumBackflowPlotWidget>(traceRecorders().backflow, traceRecorders().backflowEmpty);
    }
};
template <>
struct PlotFeeds<QuantumZitterbewegungPlotWidget> {
    static auto all()
    {
        return traceFeeds<QuantumZitterbewegungPlotWidget>(traceRecorders().zitter, traceRecorders().zitterOne);
    }
};
template <>
struct PlotFeeds<QuantumKleinTunnelingPlotWidget> {
    static auto all()
    {
        return traceFeeds<QuantumKleinTunnelingPlotWidget>(traceRecorders().klein, traceRecorders().kleinOne);
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Landau, PlotRobustness, QuantumLandauPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Landau, PlotLegibility, QuantumLandauPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(HallEdge, PlotRobustness, QuantumHallEdgePlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(HallEdge, PlotLegibility, QuantumHallEdgePlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Backflow, PlotRobustness, QuantumBackflowPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Backflow, PlotLegibility, QuantumBackflowPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Zitterbewegung, PlotRobustness, QuantumZitterbewegungPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(Zitterbewegung, PlotLegibility, QuantumZitterbewegungPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(KleinTunneling, PlotRobustness, QuantumKleinTunnelingPlotWidget);
INSTANTIATE_TYPED_TEST_SUITE_P(KleinTunneling, PlotLegibility, QuantumKleinTunnelingPlotWidget);

} // namespace test
} // namespace vxo
