// Plots keep their texts whole and apart when squeezed or crowded: value
// labels longer than their box are not cut by the widget's left edge, a panel
// too short for many value labels prints fewer, a panel title longer than its
// panel, and the caption under it, stay between the widget's edge and the
// next panel, and bound-state levels closer than a line of text do not print
// their labels over each other.

#include "plots/PlotPalette.h"
#include "plots/QuantumBoundStatePlotWidget.h"
#include "plots/QuantumTimeSeriesPlotWidget.h"
#include "plots/QuantumVortexPlotWidget.h"

#include "PaintedTexts.h"
#include "PlotTestSupport.h"
#include "RecorderPlotFixtures.h"
#include "experiments/BoundStateResult.h"
#include "experiments/ObservableSample.h"
#include "experiments/QuantumVortex2D.h"
#include "experiments/VortexRecorder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vxo {
namespace {

const QColor kAxisText(plot::kSinglePanel.axisText);
const QColor kTitle(plot::kRecorder.carpetTitle);

using ShortPlotLabels = test::PlotTest;

TEST_F(ShortPlotLabels, LongValueLabelsAreNotCutAndAShortPanelKeepsThemApart)
{
    // <x> of order 1e-6 on a packet without a width: numbers like -1.5e-06,
    // wider than the 54 pixels left of the panel.
    std::vector<ObservableSample> samples(40);
    for (std::size_t k = 0; k < samples.size(); ++k) {
        samples[k].time = 0.1 * double(k);
        samples[k].meanX = -1.5e-6 + 1.3e-7 * double(k);
    }
    for (const int height : {280, 76}) {
        auto& plot = makePlot<QuantumTimeSeriesPlotWidget>();
        plot.setSamples(samples);
        const QImage image = test::grabPlot(plot, QSize(460, height));
        const QRectF panel = plot::panelRect(QSize(460, height), QuantumTimeSeriesPlotWidget::layout());
        EXPECT_EQ(test::countColour(image, QRect(0, 0, 2, height), kAxisText), 0)
            << "a value label is cut by the left edge at height " << height;
        std::vector<QRectF> values;
        for (const test::PaintedText& t : test::paintedTexts(plot, QSize(460, height)))
            if (t.box.left() < panel.left() && t.box.bottom() <= panel.bottom() + 12.0)
                values.push_back(t.box);
        EXPECT_FALSE(values.empty()) << "no value label at height " << height;
        for (std::size_t a = 0; a < values.size(); ++a)
            for (std::size_t b = a + 1; b < values.size(); ++b)
                EXPECT_FALSE(values[a].intersects(values[b]))
                    << "two value labels overlap in a " << panel.height() << " pixel panel";
    }
}

TEST_F(ShortPlotLabels, TheVortexOrbitTitleAndCaptionStayBetweenTheEdgeAndTheMomentumPanel)
{
    // At 700 x 140 the orbit panel is 110 pixels wide and the momentum panel
    // starts at x = 221.6; its title, centred over it, starts beyond x = 316.
    auto& plot = makePlot<QuantumVortexPlotWidget>();
    const QImage image = test::grabPlot(plot, QSize(700, 140));
    const QRect titleRows(0, 5, 700, 20);
    EXPECT_EQ(test::countColour(image, QRect(0, 5, 4, 20), kTitle), 0) << "the orbit title is cut by the left edge";
    EXPECT_GT(test::countColour(image, QRect(4, 5, 150, 20), kTitle), 0) << "the orbit title is missing";
    EXPECT_EQ(test::countColour(image, QRect(210, 5, 106, 20), kTitle), 0)
        << "the orbit title runs into the momentum panel's title";
    EXPECT_GT(test::countColour(image, titleRows.adjusted(316, 0, 0, 0), kTitle), 0) << "the momentum title is missing";

    // With a run on show, the caption under the orbit panel keeps to the same band.
    VortexTrap trap;
    trap.found = true;
    trap.curvature = 0.25;
    VortexInitialState state;
    state.envelopeSigma = 1.5;
    state.coreX = 1.0;
    VortexRecorder recorder(8);
    recorder.configure(state, trap);
    ComplexField2D field(64, 48, 0.15f, 0.2f);
    ASSERT_TRUE(QuantumVortex2D::prepareInitialState(field, state, nullptr));
    recorder.record(0.0, field, 1.0);
    ASSERT_FALSE(recorder.isEmpty());
    plot.setRecorder(&recorder, 1.0, 1.0);
    const QImage running = test::grabPlot(plot, QSize(700, 140));
    const QColor caption(plot::kRecorder.label);
    EXPECT_EQ(test::countColour(running, QRect(0, 112, 4, 22), caption), 0)
        << "the orbit caption is cut by the left edge";
    EXPECT_GT(test::countColour(running, QRect(4, 112, 46, 22), caption), 0)
        << "the orbit caption is clipped to its 110 pixel panel";
    // (Below the momentum's lowest number, which ends level with the panel's
    // bottom, and short of its first time, centred under its left edge.)
    EXPECT_EQ(test::countColour(running, QRect(210, 117, 6, 17), caption), 0)
        << "the orbit caption runs into the momentum panel";

    // A plot of ordinary height keeps the title centred over its panel.
    const QImage tall = test::grabPlot(plot, QSize(1000, 600));
    const QRectF orbit = test::sidePanels(1000, 600, QuantumVortexPlotWidget::layout()).left;
    int first = -1, last = -1;
    for (int x = 0; x < tall.width(); ++x)
        if (test::countColour(tall, QRect(x, 5, 1, 20), kTitle) > 0 && x < orbit.right() + 21) {
            if (first < 0)
                first = x;
            last = x;
        }
    ASSERT_GE(first, 0);
    EXPECT_NEAR(0.5 * (first + last), orbit.center().x(), 4.0) << "the title is not centred over the orbit panel";
}

TEST_F(ShortPlotLabels, CrowdedBoundStateLevelsKeepTheSelectedLabelAndNoneOverIt)
{
    // V = x^2 / 2 on [-4, 4] (range [0, 8] widened by 8 %: [-0.64, 8.64]),
    // levels at 0.50 and 0.55 (under two pixels apart on a 296 pixel panel)
    // and at 2.5; the second is selected.
    BoundStateResult result;
    result.ok = true;
    result.continuumThreshold = 6.0;
    for (int i = 0; i <= 80; ++i) {
        result.x.push_back(-4.0 + 0.1 * i);
        result.potential.push_back(0.5 * result.x.back() * result.x.back());
    }
    for (const double energy : {0.5, 0.55, 2.5}) {
        BoundState state{static_cast<int>(result.states.size()) + 1, energy, 0, {}};
        for (const double x : result.x)
            state.phi.push_back(float(std::exp(-x * x / 2.0)));
        result.states.push_back(state);
    }
    auto& plot = makePlot<QuantumBoundStatePlotWidget>();
    plot.setResult(result, 1);
    const QImage image = test::grabPlot(plot, QSize(480, 360));
    const QRectF panel(62, 26, 396, 296);
    const auto labelBox = [&](double energy) {
        const double y = panel.bottom() - panel.height() * (energy + 0.64) / 9.28;
        return QRect(int(panel.left()) + 5, int(y) - 18, 130, 18);
    };
    const QColor selectedLabel(plot::kStationary.selectedLevelLabel);
    const QColor otherLabel(plot::kStationary.levelLabel);
    EXPECT_GT(test::countColour(image, labelBox(0.55), selectedLabel, 30), 0) << "the selected level lost its label";
    // The rows of the neighbour's text, above both level lines.
    EXPECT_EQ(test::countColour(image, labelBox(0.5).adjusted(0, 0, 0, -5), otherLabel, 30), 0)
        << "the neighbouring level printed its label over the selected one";
    EXPECT_GT(test::countColour(image, labelBox(2.5), otherLabel, 30), 0)
        << "a level clear of the others lost its label";
}

} // namespace
} // namespace vxo
