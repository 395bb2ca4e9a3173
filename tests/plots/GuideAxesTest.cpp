// The plots a guide points at, read as a class reads them: each axis the
// guide's figures are read on carries numbers at round values, one round
// step apart, and at the data points the guide names the curve shows where
// those numbers put it, no text or patch over it, at plot sizes from a small
// dock to a wide screen.

#include "plots/PlotLayouts.h"
#include "plots/PlotPalette.h"
#include "plots/QuantumBerryPhasePlotWidget.h"
#include "plots/QuantumBilliardPlotWidget.h"
#include "plots/QuantumDoubleWellPlotWidget.h"
#include "plots/QuantumHallEdgePlotWidget.h"
#include "plots/QuantumKapitzaDiracPlotWidget.h"
#include "plots/QuantumKickedRotorPlotWidget.h"
#include "plots/QuantumKleinTunnelingPlotWidget.h"
#include "plots/QuantumRamseyPlotWidget.h"
#include "plots/QuantumZenoPlotWidget.h"

#include "experiments/BilliardRecorder.h"
#include "experiments/DiracKleinRecorder.h"
#include "experiments/HallEdgeRecorder.h"
#include "experiments/KapitzaDiracRecorder.h"
#include "experiments/KickedRotorRecorder.h"

#include "AxisReading.h"
#include "HistoryPlotProbes.h"
#include "PaintedTexts.h"
#include "PlotTestSupport.h"
#include "RecorderPlotSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::NumbersAt;

// A value a guide reads: where it lies on the two numbered axes and the
// colour of the curve that passes there.
struct Reading {
    std::string what;
    double x;
    double y;
    QColor colour;
};

// Which panel a page's numbers stand beside, from the panel outlines it
// painted (in painting order) at the size.
using PanelPick = std::function<QRectF(const std::vector<QRectF>& frames, const QSize& size)>;
// The lowest panel, the right one of two side by side: the curves under a
// map or a carpet.
QRectF lastPanel(const std::vector<QRectF>& frames, const QSize&)
{
    QRectF last;
    for (const QRectF& f : frames)
        if (last.isNull() || f.top() > last.top() + 1.0 || (std::abs(f.top() - last.top()) <= 1.0 && f.left() > last.left()))
            last = f;
    return last;
}
PanelPick panelNumber(std::size_t k)
{
    return [k](const std::vector<QRectF>& frames, const QSize&) { return k < frames.size() ? frames[k] : QRectF(); };
}

// A page as a test feeds it: the plot with its data (owned by the host), the
// panels whose numbers are read across (under it) and up (left of it), and
// the readings.
struct GuidePage {
    std::string name;
    std::function<QWidget*(QWidget& host)> make;
    PanelPick across;
    PanelPick up;
    std::vector<Reading> readings;
};

// The sizes a plot is given: a small dock, the docks of a 1024 x 768 to
// 1920 x 1080 window and a wide screen's.
const std::vector<QSize> kSizes{{420, 260}, {560, 300}, {720, 470}, {1000, 640}, {1400, 520}};

// Reads the page at each size: both axes numbered one round step apart, and
// every reading on its curve where the numbers put it.
void expectReadable(const GuidePage& page, const std::vector<QSize>& sizes = kSizes)
{
    QWidget host;
    QWidget* plot = page.make(host);
    for (const QSize& size : sizes) {
        SCOPED_TRACE(page.name + " at " + std::to_string(size.width()) + " x " + std::to_string(size.height()));
        const QImage image = test::grabPlot(*plot, size);
        const test::PaintedPage painted = test::paintedPage(*plot, size);
        ASSERT_FALSE(painted.frames.empty());
        const test::AxisReading across =
            test::readAxis(painted.texts, page.across(painted.frames, size), NumbersAt::Under);
        const test::AxisReading up = test::readAxis(painted.texts, page.up(painted.frames, size), NumbersAt::Left);
        ASSERT_GE(across.marks.size(), 3u) << "numbers under the panel";
        ASSERT_GE(up.marks.size(), 3u) << "numbers left of the panel";
        EXPECT_FALSE(std::isnan(test::roundStep(across))) << "numbers under the panel one round step apart";
        EXPECT_FALSE(std::isnan(test::roundStep(up))) << "numbers left of the panel one round step apart";
        for (const Reading& r : page.readings) {
            const QPointF at(across.pixelOf(r.x), up.pixelOf(r.y));
            EXPECT_TRUE(test::colourNear(image, at, r.colour, 2))
                << r.what << " (" << r.x << ", " << r.y << ") not shown at " << at.x() << ", " << at.y();
        }
    }
}

// The Klein tunnelling record of a guide's run: the packet left of the
// barrier until t = 6, through it by t = 12, the analysis lasting 16.
struct KleinRun {
    DiracKleinRecorder recorder{800};

    // The share left of, inside and right of the barrier at t.
    static double left(double t) { return t < 6.0 ? 1.0 : t < 12.0 ? 1.0 - (t - 6.0) / 6.0 * 0.95 : 0.05; }
    static double inside(double t) { return t < 6.0 || t > 12.0 ? 0.0 : 0.3 * std::sin(M_PI * (t - 6.0) / 6.0); }
    static double right(double t) { return 1.0 - left(t) - inside(t); }

    KleinRun()
    {
        KleinTunnelingConfig config;
        config.enabled = true;
        config.analysisEndTime = 16.0;
        // 64 columns of 0.5 by 8 rows of 0.4: 29 columns left of the barrier
        // (x < -1.5), 6 inside it and 29 right of it.
        const auto spinor = [](double l, double b, double r) {
            const double column = 8 * 0.5 * 0.4;
            return test::densitySpinor(64, 8, 0.5f, 0.4f, [=](std::uint64_t i, std::uint64_t) {
                const double x = (double(i) - 31.5) * 0.5;
                return x < -1.5 ? l / (29 * column) : x <= 1.5 ? b / (6 * column) : r / (29 * column);
            });
        };
        recorder.configure(spinor(1.0, 0.0, 0.0), config);
        for (int k = 0; k <= 160; ++k) {
            const double t = 0.1 * k;
            recorder.record(t, spinor(left(t), inside(t), right(t)));
        }
    }
};

using GuideAxes = test::PlotTest;

// Klein tunnelling: "the packet reaches the barrier near t = 8.5" is pointed
// at on the time numbers, and the start of P_left and the top of P_right show
// (the summary stands over the panel, not on the curves).
TEST_F(GuideAxes, KleinTunnelingIsReadOnTimeAndProbabilityNumbers)
{
    const auto run = std::make_shared<KleinRun>();
    const QColor left(plot::kDirac.kleinLeft), inside(plot::kMarkers.scanCurrent), right(plot::kCurves.leading);
    expectReadable({"Klein tunneling",
                    [run](QWidget& host) {
                        auto* plot = new QuantumKleinTunnelingPlotWidget(&host);
                        plot->setRecorder(&run->recorder);
                        return plot;
                    },
                    lastPanel, lastPanel,
                    {{"P_left at the start", 0.3, 1.0, left},
                     {"P_left at the barrier", 8.5, KleinRun::left(8.5), left},
                     {"inside the barrier", 9.0, KleinRun::inside(9.0), inside},
                     {"P_right at its top", 15.5, KleinRun::right(15.5), right}}});
}

// Double well: P_left and P_right against time, the transfer at T/2 = 20
// read on the times and the populations.
TEST_F(GuideAxes, DoubleWellPopulationsAreReadOnTimeAndPopulationNumbers)
{
    const auto left = [](double t) { return std::pow(std::cos(M_PI * t / 40.0), 2); };
    const QColor leftColour(plot::kCurves.leading), rightColour(plot::kTwoLevel.secondPopulation);
    expectReadable({"double well",
                    [&](QWidget& host) {
                        auto* plot = new QuantumDoubleWellPlotWidget(&host);
                        plot->setTunnellingPeriod(40.0);
                        plot->setSamples(test::historyOf(241, 0.0, 0.25, [&](ObservableSample& s, double t) {
                            s.doubleWellValid = true;
                            s.leftWellProbability = left(t);
                            s.rightWellProbability = 1.0 - left(t);
                        }));
                        return plot;
                    },
                    lastPanel,
                    lastPanel,
                    {{"P_left at t = 7", 7.0, left(7.0), leftColour},
                     {"P_right at the transfer", 20.0, 1.0 - left(20.0), rightColour},
                     {"P_left at t = 33", 33.0, left(33.0), leftColour}}});
}

// Ramsey: the populations against time, read on the times under the drive
// strip (which shares the history's time axis) and the populations beside
// the history.
TEST_F(GuideAxes, RamseyPopulationsAreReadOnTimeAndPopulationNumbers)
{
    const auto second = [](double t) { return std::pow(std::sin(M_PI * t / 60.0), 2); };
    const QColor first(plot::kTwoLevel.first), secondColour(plot::kTwoLevel.second);
    expectReadable({"Ramsey",
                    [&](QWidget& host) {
                        auto* plot = new QuantumRamseyPlotWidget(&host);
                        plot->setSamples(test::historyOf(241, 0.0, 0.125, [&](ObservableSample& s, double t) {
                            s.ramseyValid = true;
                            s.ramseyPopulation2 = second(t);
                            s.ramseyPopulation1 = 1.0 - second(t);
                            s.ramseyCaptured = 1.0;
                        }));
                        return plot;
                    },
                    [](const std::vector<QRectF>&, const QSize& size) {
                        return plot::interferencePanels(size, QuantumRamseyPlotWidget::layout()).strip;
                    },
                    panelNumber(0),
                    {{"P(state 1) at t = 6", 6.0, 1.0 - second(6.0), first},
                     {"P(state 2) at t = 20", 20.0, second(20.0), secondColour},
                     {"P(state 2) at t = 27", 27.0, second(27.0), secondColour}}},
                   {{420, 330}, {560, 420}, {720, 470}, {1000, 640}, {1400, 620}});
}

// Billiards: the occupied fraction against time read on its numbers, the
// curves beside or under the density map.
TEST_F(GuideAxes, BilliardOccupiedFractionIsReadOnTimeAndFractionNumbers)
{
    const BilliardConfig config = test::billiardConfig(12.0, false);
    const auto field = [](int step) {
        return test::fieldOf(64, 40, 0.25f, 0.2f, [=](double x, double y) {
            return test::packetAmplitude(x, y, -3.0 + 0.6 * step, 0.3 * std::sin(step), 0.6 + 0.15 * step, 1.0);
        });
    };
    auto recorder = std::make_shared<BilliardRecorder>(100);
    ASSERT_TRUE(recorder->setInitialState(field(0), config));
    for (int step = 0; step <= 8; ++step)
        ASSERT_TRUE(recorder->record(2.5 * step, field(step), config));
    std::vector<Reading> readings;
    for (const BilliardSample& s : recorder->samples())
        if (s.time > 0.0 && s.time < 20.0)
            readings.push_back({"occupied fraction", s.time, s.occupiedFraction, QColor(plot::kCurves.carpet)});
    expectReadable({"billiard",
                    [&](QWidget& host) {
                        auto* plot = new QuantumBilliardPlotWidget(&host);
                        plot->setRecorder(recorder.get(), config);
                        return plot;
                    },
                    lastPanel, lastPanel, readings},
                   {{560, 300}, {700, 420}, {720, 560}, {1000, 640}, {1400, 520}});
}

// Hall edge: the probability in the edge strip against time, recorded up to
// t = 8, read on its numbers.
TEST_F(GuideAxes, HallEdgeStripProbabilityIsReadOnTimeAndProbabilityNumbers)
{
    HallEdgeConfig config;
    config.enabled = true;
    config.analysisEndTime = 8.0;
    const auto field = [](double x, double y) {
        return test::fieldOf(128, 80, 0.3f, 0.25f,
                             [=](double u, double v) { return test::packetAmplitude(u, v, x, y, 1.0, 0.0); });
    };
    auto recorder = std::make_shared<HallEdgeRecorder>(360);
    ASSERT_TRUE(recorder->configure(field(-6.0, -5.3), config));
    for (int k = 0; k <= 6; ++k)
        recorder->record(1.0 * k, field(-6.0 + 2.0 * k, -7.0 + 0.5 * k));
    std::vector<Reading> readings;
    for (const HallEdgeSample& s : recorder->samples())
        if (s.time > 0.0)
            readings.push_back({"P(edge strip)", s.time - 0.02, s.edgeProbability, QColor(plot::kGauge.secondTrace)});
    expectReadable({"Hall edge",
                    [&](QWidget& host) {
                        auto* plot = new QuantumHallEdgePlotWidget(&host);
                        plot->setRecorder(recorder.get());
                        return plot;
                    },
                    lastPanel, lastPanel, readings},
                   {{560, 420}, {620, 640}, {700, 300}, {1000, 640}, {1400, 620}});
}

// Kapitza-Dirac: each order's population read at its bar's top on the
// population numbers beside the bars.
TEST_F(GuideAxes, KapitzaDiracOrderPopulationsAreReadOnTheirNumbers)
{
    KapitzaDiracConfig config;
    config.enabled = true;
    config.latticePeriod = 2.0 * M_PI; // G = 1: order n at bin 8 + 2n of 16 bins of 0.5 from -4
    config.maximumOrder = 3;
    auto recorder = std::make_shared<KapitzaDiracRecorder>(8);
    ASSERT_TRUE(recorder->configure(config, 1.0));
    std::vector<double> bins(16, 0.0);
    for (const auto& [order, weight] : {std::pair{0, 1.0}, {1, 0.6}, {-1, 0.6}, {2, 0.25}, {-2, 0.25}, {3, 0.05}})
        bins[std::size_t(8 + 2 * order)] = weight;
    recorder->record(test::momentumModes(bins), 1.0, false);
    const std::vector<double>& populations = recorder->samples().back().orderPopulations;
    ASSERT_EQ(populations.size(), 7u);
    std::vector<Reading> readings;
    for (int order = -3; order <= 3; ++order)
        if (populations[std::size_t(order + 3)] > 0.1)
            readings.push_back({"order " + std::to_string(order), double(order),
                                populations[std::size_t(order + 3)] * 0.97, QColor(plot::kDiffraction.kapitzaDiracBars)});
    expectReadable({"Kapitza-Dirac bars",
                    [&](QWidget& host) {
                        auto* plot = new QuantumKapitzaDiracPlotWidget(&host);
                        plot->setRecorder(recorder.get());
                        return plot;
                    },
                    lastPanel, lastPanel, readings},
                   {{560, 420}, {700, 300}, {720, 560}, {1000, 640}, {1400, 620}});
}

// The titles of the pages whose titles a narrow dock used to cut short, at
// the plot sizes the docks give on the class's screens (a 1024 x 768 window's
// dock side by side and stacked, a 2560 x 1440 window's short one, a
// 1920 x 1080 one at 1.5x): every word of each title painted whole on the
// page, none elided.
TEST_F(GuideAxes, TitlesStayWholeAtTheSizesTheDocksGive)
{
    KickedRotorConfig kick;
    kick.enabled = true;
    KickedRotorRecorder rotor(16);
    rotor.configure(kick, KickedRotorInitialStateConfig{}, 0.3);
    for (std::uint64_t k = 0; k < 4; ++k)
        rotor.record(test::momentumModes({0, 1, 2.0 + k, 1, 0}), k, double(k));
    struct Page {
        std::string name;
        QWidget* plot;
        QStringList titles;
    };
    auto* kicked = new QuantumKickedRotorPlotWidget(&host());
    kicked->setRecorder(&rotor);
    const std::vector<Page> pages{
        {"kicked rotor", kicked,
         {"Quantum kicked rotor: diffusion in momentum, then dynamical localization",
          "Stroboscopic momentum carpet  P(n) after each kick",
          "Momentum diffusion: <n^2> quantum vs classical standard map"}},
        {"Zeno", new QuantumZenoPlotWidget(&host()),
         {"Quantum Zeno effect: unmeasured escape vs repeatedly watched survival", "Survival probability",
          "Current X profile (each lane normalized for shape)"}},
        {"Berry", new QuantumBerryPhasePlotWidget(&host()),
         {"Berry loop in parameter space (q1,q2) - degeneracy at the origin",
          "Return fidelity and geometric phase extracted from the full wavefunction"}},
        {"billiard", new QuantumBilliardPlotWidget(&host()),
         {"Time-averaged probability density inside the billiard",
          "Spatial filling / recurrence / scatterer encounter"}}};
    for (const QSize size : {QSize(430, 300), QSize(530, 240), QSize(575, 205), QSize(700, 270), QSize(760, 420),
                             QSize(1000, 640)})
        for (const Page& page : pages) {
            SCOPED_TRACE(page.name + " at " + std::to_string(size.width()) + " x " + std::to_string(size.height()));
            const std::vector<test::PaintedText> texts = test::paintedTexts(*page.plot, size);
            QStringList shown;
            for (const test::PaintedText& t : texts) {
                EXPECT_FALSE(t.text.contains(QChar(0x2026))) << "\"" << t.text.toStdString() << "\" elided";
                if (!t.shown.isEmpty() && t.shown.adjusted(-0.5, -0.5, 0.5, 0.5).contains(t.box) && t.box.left() >= 0.0 &&
                    t.box.right() <= size.width())
                    shown << t.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            }
            for (const QString& title : page.titles) {
                // Its words in order among the words painted whole.
                int from = 0;
                for (const QString& word : title.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                    const int at = shown.indexOf(word, from);
                    EXPECT_GE(at, 0) << "\"" << word.toStdString() << "\" of \"" << title.toStdString() << "\"";
                    from = at < 0 ? from : at + 1;
                }
            }
        }
}

} // namespace
} // namespace vxo
