// The running simulation of one unshown window on a 256 x 256 grid of
// non-square cells: the tick and Step, the observation they record, the
// step-scheduled recorders, the protocol appliers seen through the potential,
// the transport and a tick that fails.

#include "core/Numeric.h"
#include "common/AppTestSupport.h"
#include "common/MainWindowProbe.h"
#include "common/QtTestSupport.h"
#include "experiments/PresetScenes.h"

#include "app/mainwindow/MainWindow.h"
#include "app/text/DiagnosticsRowLabels.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QStringList>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::circleObject;
using test::harmonicObject;
using test::rectangleObject;
using test::sceneOf;

// Widths 40.96 and 30.72 on 256 x 256 cells: dx = 0.16, dy = 0.12.
constexpr double kTickWidth = 40.96;
constexpr double kTickHeight = 30.72;
constexpr int kGrid256 = 0;

template <typename Widget>
Widget& formWidget(MainWindow& window, const char* name)
{
    auto* found = window.findChild<Widget*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("form widget missing: ") + name);
    return *found;
}

// Writes a control as a loader does, without running its change handler.
void setSpin(MainWindow& window, const char* name, double value)
{
    auto& box = formWidget<QDoubleSpinBox>(window, name);
    const QSignalBlocker blocker(box);
    box.setValue(value);
}

void setIndex(MainWindow& window, const char* name, int index)
{
    auto& box = formWidget<QComboBox>(window, name);
    const QSignalBlocker blocker(box);
    box.setCurrentIndex(index);
}

void setChecked(MainWindow& window, const char* name, bool checked)
{
    auto& box = formWidget<QCheckBox>(window, name);
    const QSignalBlocker blocker(box);
    box.setChecked(checked);
}

double dtOf(const MainWindow& window) { return static_cast<double>(window.schroedingerSolver().parameters().dt); }

class SimulationTickTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::appTestApplication();
        window_ = std::make_unique<MainWindow>(nullptr, false);
    }
    void TearDown() override { window_.reset(); }

    MainWindow& window() { return *window_; }

    // The form's domain on the non-square fixture grid, no potential, a
    // periodic boundary, the transport at 1x; then a rebuild.
    void freeDomain()
    {
        MainWindow& w = window();
        setIndex(w, "gridResolutionComboBox", kGrid256);
        setSpin(w, "universeWidthSpinBox", kTickWidth);
        setSpin(w, "universeHeightSpinBox", kTickHeight);
        setIndex(w, "boundaryModeComboBox", 0);
        setChecked(w, "potentialSceneActiveCheckBox", false);
        setIndex(w, "geometryComboBox", 0);
        w.rebuildSimulation();
    }

    // The free domain (preset -1) or a guided experiment with its steps
    // forced to `forcedSubSteps` sub-steps (0: the rule's), after one step,
    // which builds the tables that decide the sub-steps in force.
    void loadWithSubSteps(int preset, std::uint32_t forcedSubSteps)
    {
        if (preset < 0)
            freeDomain();
        else
            window().loadGuidedExperiment(preset);
        MainWindowProbe::forceSubSteps(window(), forcedSubSteps);
        window().stepOnce();
    }

    // The current form with the fixture domain, the given scene and settings,
    // applied as a document (which rebuilds).
    void applyDocument(const std::function<void(ExperimentDocument&)>& edit)
    {
        ExperimentDocument document = window().captureExperimentDocument();
        document.controls[QStringLiteral("gridResolutionComboBox")] = kGrid256;
        document.controls[QStringLiteral("universeWidthSpinBox")] = kTickWidth;
        document.controls[QStringLiteral("universeHeightSpinBox")] = kTickHeight;
        document.controls[QStringLiteral("boundaryModeComboBox")] = 0;
        document.controls[QStringLiteral("geometryComboBox")] = 0;
        document.potentialSceneActive = false;
        document.potentialScene = PotentialScene();
        static_cast<ExperimentSettingsRecords&>(document) = ExperimentSettingsRecords();
        document.initialPreparation = InitialPreparation();
        edit(document);
        QString error;
        ASSERT_TRUE(window().applyExperimentDocument(document, error)) << error.toStdString();
    }

    static std::unique_ptr<MainWindow> window_;
};

std::unique_ptr<MainWindow> SimulationTickTest::window_;

// A free Gaussian of width s moves at p / m and spreads as
// s sqrt(1 + (hbar t / (2 m s^2))^2) along both axes (hbar = 1).
TEST_F(SimulationTickTest, StepsMoveAFreePacketAlongItsAnalyticPath)
{
    MainWindow& w = window();
    const double x0 = -4.0, y0 = 1.0, s = 1.0, px = 2.0, py = -0.5, m = 1.5;
    setSpin(w, "centerXSpinBox", x0);
    setSpin(w, "centerYSpinBox", y0);
    setSpin(w, "sigmaSpinBox", s);
    setSpin(w, "momentumSpinBox", px);
    setSpin(w, "momentumYSpinBox", py);
    setSpin(w, "massSpinBox", m);
    freeDomain();
    ASSERT_EQ(w.observableHistory().size(), 1u) << "the rebuild records the sample at t = 0";
    ASSERT_EQ(w.waveField().nx(), 256u);
    ASSERT_NEAR(w.waveField().dy(), 0.12, 1e-6);

    for (int i = 0; i < 100; ++i)
        w.stepOnce();
    EXPECT_EQ(w.transportClock().state(), TransportState::Paused);
    EXPECT_EQ(w.schroedingerSolver().stepCount(), 100u);
    const std::vector<ObservableSample>& samples = w.observableHistory().samples();
    ASSERT_EQ(samples.size(), 101u) << "one observation per Step";
    for (std::size_t n = 0; n < samples.size(); ++n) {
        const ObservableSample& sample = samples[n];
        const double t = static_cast<double>(n) * dtOf(w);
        const double width = s * std::sqrt(1.0 + std::pow(t / (2.0 * m * s * s), 2.0));
        EXPECT_NEAR(sample.time, t, 1e-9) << "step " << n;
        EXPECT_NEAR(sample.meanX, x0 + px * t / m, 2e-3) << "step " << n;
        EXPECT_NEAR(sample.meanY, y0 + py * t / m, 2e-3) << "step " << n;
        EXPECT_NEAR(sample.sigmaX, width, 2e-3 * width) << "step " << n;
        EXPECT_NEAR(sample.sigmaY, width, 2e-3 * width) << "step " << n;
        EXPECT_NEAR(sample.norm, 1.0, 1e-4) << "step " << n << ": a periodic box loses nothing";
        EXPECT_EQ(sample.absorbedProbability, 0.0) << "step " << n << ": no absorbing layer";
    }
}

TEST_F(SimulationTickTest, ATickRunsTheSpeedsStepsAndRecordsOneObservation)
{
    MainWindow& w = window();
    freeDomain();
    struct Case {
        int speedIndex;
        std::uint64_t steps;
    };
    for (const Case c : {Case{0, 1}, Case{2, 1}, Case{4, 4}, Case{6, 16}}) {
        formWidget<QComboBox>(w, "speedComboBox").setCurrentIndex(c.speedIndex);
        const std::uint64_t stepsBefore = w.schroedingerSolver().stepCount();
        const std::uint64_t samplesBefore = w.observableHistory().size();
        w.onSimulationTick();
        EXPECT_EQ(w.schroedingerSolver().stepCount() - stepsBefore, c.steps) << "speed entry " << c.speedIndex;
        EXPECT_EQ(w.observableHistory().size() - samplesBefore, 1u) << "speed entry " << c.speedIndex;
        EXPECT_NEAR(w.observableHistory().newest().time, w.schroedingerSolver().time(), 1e-12)
            << "speed entry " << c.speedIndex << ": the observation follows the last step";
    }
    formWidget<QComboBox>(w, "speedComboBox").setCurrentIndex(2);
}

// Whatever the number of steps, a tick or a Step reads psi once for the
// density sums (observation, diagnostics, scattering page) and once for the
// current (diagnostics and overlay), and every reader gets the same numbers.
TEST_F(SimulationTickTest, ATickComputesEachObservableOnceForAllItsReaders)
{
    MainWindow& w = window();
    setChecked(w, "currentOverlayCheckBox", true);
    setChecked(w, "probabilityContoursCheckBox", true);
    setSpin(w, "centerXSpinBox", -2.0);
    freeDomain();
    // The single barrier: its scattering page splits the density at the barrier.
    setIndex(w, "geometryComboBox", static_cast<int>(PotentialObjectKind::Barrier));
    w.rebuildSimulation();
    struct Case {
        const char* name;
        int speedIndex; // -1: the Step button
    };
    for (const Case c : {Case{"step", -1}, Case{"1x", 2}, Case{"4x", 4}, Case{"16x", 6}, Case{"step again", -1}}) {
        const std::uint64_t density = MainWindowProbe::densityPasses(w);
        const std::uint64_t current = MainWindowProbe::currentPasses(w);
        if (c.speedIndex < 0) {
            w.stepOnce();
        } else {
            MainWindowProbe::setSpeedIndex(w, c.speedIndex);
            const std::uint64_t afterSpeed = MainWindowProbe::densityPasses(w);
            const std::uint64_t currentAfterSpeed = MainWindowProbe::currentPasses(w);
            ASSERT_GE(afterSpeed, density) << c.name;
            w.onSimulationTick();
            EXPECT_EQ(MainWindowProbe::densityPasses(w) - afterSpeed, 1u) << c.name;
            EXPECT_EQ(MainWindowProbe::currentPasses(w) - currentAfterSpeed, 1u) << c.name;
            continue;
        }
        EXPECT_EQ(MainWindowProbe::densityPasses(w) - density, 1u) << c.name;
        EXPECT_EQ(MainWindowProbe::currentPasses(w) - current, 1u) << c.name;
        const ObservableSample& newest = w.observableHistory().newest();
        const QTableWidgetItem* norm = formWidget<QTableWidget>(w, "diagnosticsTable").item(kNormRow, 2);
        ASSERT_NE(norm, nullptr) << c.name;
        EXPECT_EQ(norm->text(), QString::number(newest.norm, 'f', 7)) << c.name;
    }
    formWidget<QComboBox>(w, "speedComboBox").setCurrentIndex(2);
    setChecked(w, "currentOverlayCheckBox", false);
    setChecked(w, "probabilityContoursCheckBox", false);
}

// A clock that each reading moves on by the cost of one step (the tick reads
// it once before its steps and once after each).
double fakeStepCostMs = 0.0;
double fakeNowMs = 0.0;
double fakeTickClock()
{
    fakeNowMs += fakeStepCostMs;
    return fakeNowMs;
}

// Steps too slow for the speed chosen: the tick runs those that fit its
// budget, the speed stays selected and the diagnostics show the steps run.
TEST_F(SimulationTickTest, ATickThatWouldOverrunRunsFewerStepsAndKeepsTheSpeed)
{
    MainWindow& w = window();
    freeDomain();
    double (*const suiteClock)() = MainWindowProbe::tickClock();
    MainWindowProbe::setTickClock(&fakeTickClock);
    formWidget<QComboBox>(w, "speedComboBox").setCurrentIndex(6);
    formWidget<QAbstractButton>(w, "playButton").click();
    struct Case {
        double stepMs;
        std::uint64_t steps;
    };
    const double budget = TransportClock::kStepBudgetMs;
    for (const Case c : {Case{budget / 100.0, 16}, Case{budget / 3.5, 3}, Case{budget * 3.0, 1}}) {
        fakeStepCostMs = c.stepMs;
        const std::uint64_t before = w.schroedingerSolver().stepCount();
        w.onSimulationTick();
        EXPECT_EQ(w.schroedingerSolver().stepCount() - before, c.steps) << c.stepMs << " ms a step";
        EXPECT_EQ(formWidget<QComboBox>(w, "speedComboBox").currentText(), QStringLiteral("16.00x"));
        const QTableWidgetItem* row = formWidget<QTableWidget>(w, "diagnosticsTable").item(kTimerStepsRow, 2);
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->text(), QStringLiteral("30 ms / %1").arg(c.steps)) << c.stepMs << " ms a step";
    }
    // Step runs its one step whatever the clock says.
    const std::uint64_t before = w.schroedingerSolver().stepCount();
    w.stepOnce();
    EXPECT_EQ(w.schroedingerSolver().stepCount() - before, 1u);
    EXPECT_EQ(formWidget<QTableWidget>(w, "diagnosticsTable").item(kTimerStepsRow, 2)->text(),
              QStringLiteral("30 ms / 16"))
        << "a paused transport shows the nominal steps";
    MainWindowProbe::setTickClock(suiteClock);
    formWidget<QComboBox>(w, "speedComboBox").setCurrentIndex(2);
}

// Ticks that run fewer steps than the speed asks, or come late, make the run
// slower than the speed shown: the status line says how fast it really goes,
// from the simulated time over the wall time between tick starts. A run that
// keeps up, or a paused one, shows its state alone.
TEST_F(SimulationTickTest, AStatusLineOfARunBehindItsSpeedShowsTheSpeedAchieved)
{
    MainWindow& w = window();
    freeDomain();
    double (*const suiteClock)() = MainWindowProbe::tickClock();
    MainWindowProbe::setTickClock(&fakeTickClock);
    const double budget = TransportClock::kStepBudgetMs;
    const double dt = w.schroedingerSolver().parameters().dt;
    struct Case {
        int speedIndex;
        double stepMs;
        bool behind;
    };
    // 16x with steps that leave no room in the budget, 4x with steps of a
    // third of a base tick, and 1x whose one step fits its tick.
    for (const Case c : {Case{6, budget / 3.5, true}, Case{4, 10.0, true}, Case{2, 10.0, false}}) {
        formWidget<QComboBox>(w, "speedComboBox").setCurrentIndex(c.speedIndex);
        formWidget<QAbstractButton>(w, "playButton").click();
        fakeStepCostMs = c.stepMs;
        // The clock's next reading is the first tick's start.
        const double firstStart = fakeNowMs + c.stepMs;
        const double firstTime = w.schroedingerSolver().time();
        double lastStart = firstStart;
        double lastTime = firstTime;
        for (int tick = 0; tick < 40; ++tick) {
            lastStart = fakeNowMs + c.stepMs;
            lastTime = w.schroedingerSolver().time();
            w.onSimulationTick();
        }
        const QString line = w.statusBar()->currentMessage();
        const std::string at = formWidget<QComboBox>(w, "speedComboBox").currentText().toStdString() + ", " +
                               std::to_string(c.stepMs) + " ms a step: \"" + line.toStdString() + "\"";
        if (!c.behind) {
            EXPECT_TRUE(line.startsWith(QStringLiteral("RUNNING | "))) << at;
        } else {
            // Steps of dt over the wall time, against one step per 30 ms at 1x.
            const double achieved =
                (lastTime - firstTime) / dt * TransportClock::kTickBaseMs / (lastStart - firstStart);
            ASSERT_TRUE(line.startsWith(QStringLiteral("RUNNING at "))) << at;
            const QString shown = line.section(QLatin1Char(' '), 2, 2);
            ASSERT_TRUE(shown.endsWith(QLatin1Char('x'))) << at;
            EXPECT_NEAR(shown.chopped(1).toDouble(), achieved, 0.006) << at;
            EXPECT_LT(achieved, TransportClock::speedOfChoice(c.speedIndex)) << at;
        }
        formWidget<QAbstractButton>(w, "pauseButton").click();
        EXPECT_TRUE(w.statusBar()->currentMessage().startsWith(QStringLiteral("PAUSED | "))) << at;
    }
    MainWindowProbe::setTickClock(suiteClock);
    formWidget<QComboBox>(w, "speedComboBox").setCurrentIndex(2);
}

// A driven wall tall enough for several sub-steps a step, under the packet.
// A tick whose budget is spent after its first sub-step stops the step
// there: the clock, the observation and the drive see the time reached, the
// step count only whole steps, and the next tick goes on with the step. Put
// back together, the ticks give the whole steps' state to rounding.
TEST_F(SimulationTickTest, TicksCutBetweenSubStepsPutBackTheWholeSteps)
{
    MainWindow& w = window();
    const auto drivenWall = [this] {
        applyDocument([](ExperimentDocument& d) {
            d.controls[QStringLiteral("centerXSpinBox")] = 1.5;
            d.potentialSceneActive = true;
            d.potentialScene = sceneOf({rectangleObject(240.0f, 2.0f, 0.0f, 0.6f, 6.0f)});
            d.periodicDrive = {true, 1, 0, 240.0, 60.0, 4.0, 30.0};
        });
    };
    constexpr std::uint64_t kSteps = 3;
    drivenWall();
    for (std::uint64_t s = 0; s < kSteps; ++s)
        w.stepOnce();
    const ComplexField2D whole = w.waveField();
    const double wholeTime = w.schroedingerSolver().time();

    drivenWall();
    ASSERT_GT(w.schroedingerSolver().subSteps(), 2u) << "the wall is meant to be sharp";
    double (*const suiteClock)() = MainWindowProbe::tickClock();
    MainWindowProbe::setTickClock(&fakeTickClock);
    // Each reading of the clock costs 0.6 of the budget: one sub-step a tick.
    fakeStepCostMs = 0.6 * TransportClock::kStepBudgetMs;
    MainWindowProbe::setSpeedIndex(w, 6);
    int ticks = 0;
    std::uint32_t subStepsOfTicks = 0;
    while (w.schroedingerSolver().stepCount() < kSteps && ticks < 1000) {
        const std::uint64_t steps = w.schroedingerSolver().stepCount();
        const double time = w.schroedingerSolver().time();
        const std::uint64_t revision = w.potentialField().revision();
        // Every other tick through the benchmarks' probe, which names the
        // steps the tick ran.
        const bool probed = ticks % 2 == 1;
        double ran = 0.0;
        if (probed) {
            ran = MainWindowProbe::stepTick(w);
            MainWindowProbe::observeTick(w);
            MainWindowProbe::refreshTick(w);
        } else {
            w.onSimulationTick();
        }
        ++ticks;
        const SplitStepFourierSolver2D& solver = w.schroedingerSolver();
        ASSERT_LE(solver.stepCount() - steps, 1u) << "tick " << ticks;
        const double dtOfSubStep = dtOf(w) / solver.subSteps();
        if (solver.subStepsDone() > 0) {
            ++subStepsOfTicks;
            if (probed) {
                EXPECT_NEAR(ran, 1.0 / solver.subSteps(), 1e-9) << "tick " << ticks;
            }
            EXPECT_NEAR(solver.time() - time, dtOfSubStep, 1e-12) << "tick " << ticks;
            EXPECT_EQ(solver.stepCount(), steps) << "tick " << ticks;
            EXPECT_EQ(w.observableHistory().newest().time, solver.time()) << "the observation of the time reached";
            EXPECT_NE(w.potentialField().revision(), revision) << "the drive repaints at the time reached";
        }
    }
    MainWindowProbe::setTickClock(suiteClock);
    MainWindowProbe::setSpeedIndex(w, 2);
    EXPECT_GE(subStepsOfTicks, 2u * kSteps) << "the ticks stopped between sub-steps";
    EXPECT_EQ(w.schroedingerSolver().subStepsDone(), 0u);
    EXPECT_EQ(w.schroedingerSolver().time(), wholeTime);
    double difference = 0.0, scale = 0.0;
    for (std::uint64_t c = 0; c < whole.size(); ++c) {
        difference = std::max(difference, double(std::abs(whole.data()[c] - w.waveField().data()[c])));
        scale = std::max(scale, double(std::abs(whole.data()[c])));
    }
    EXPECT_LT(difference / scale, 2e-5) << "ticks cut between sub-steps, against whole steps";
}

// A clock that reads the work done: a fixed cost per sub-step the window's
// solver has propagated, those of a step still running included, so that
// the steps and sub-steps a tick runs are what its budget allows.
const MainWindow* clockedWindow = nullptr;
double subStepCostMs = 0.0;
double subStepClock()
{
    return subStepCostMs * static_cast<double>(MainWindowProbe::subStepsPropagated(*clockedWindow));
}

// The plain step of the free domain or the Hall edge's magnetic step (preset
// 44), at the sub-steps the rule gives or at `forcedSubSteps`.
struct ManySubStepCase {
    const char* name;
    int preset;                   // -1: the free fixture domain
    std::uint32_t forcedSubSteps; // 0: the rule's
};

// Steps of several sub-steps each (the plain step made to take five, and the
// Hall edge's magnetic step at its own settings) whose cost puts 7.5 steps
// in the budget: every tick at 16x runs the 7 whole steps that fit, however
// far into the tick a step begins, and leaves none half done.
TEST_F(SimulationTickTest, TicksOfStepsOfManySubStepsUseTheirWholeBudget)
{
    MainWindow& w = window();
    constexpr double kStepsInBudget = 7.5;
    constexpr int kWholeSteps = 7;
    for (const ManySubStepCase c :
         {ManySubStepCase{"plain step of five sub-steps", -1, 5}, ManySubStepCase{"Hall edge", 44, 0}}) {
        loadWithSubSteps(c.preset, c.forcedSubSteps);
        const std::uint32_t subSteps = MainWindowProbe::subStepsInForce(w);
        ASSERT_GE(subSteps, 3u) << c.name << ": the case needs steps of several sub-steps";
        double (*const suiteClock)() = MainWindowProbe::tickClock();
        clockedWindow = &w;
        subStepCostMs = TransportClock::kStepBudgetMs / (kStepsInBudget * subSteps);
        MainWindowProbe::setTickClock(&subStepClock);
        MainWindowProbe::setSpeedIndex(w, 6);
        for (int tick = 0; tick < 3; ++tick) {
            const std::uint64_t before = w.schroedingerSolver().stepCount();
            EXPECT_NEAR(MainWindowProbe::stepTick(w), kWholeSteps, 1e-9) << c.name << ", tick " << tick;
            EXPECT_EQ(w.schroedingerSolver().stepCount() - before, static_cast<std::uint64_t>(kWholeSteps))
                << c.name << ", tick " << tick;
            EXPECT_EQ(w.schroedingerSolver().subStepsDone(), 0u) << c.name << ": a step was left half done";
        }
        MainWindowProbe::setTickClock(suiteClock);
        MainWindowProbe::forceSubSteps(w, 0);
        MainWindowProbe::setSpeedIndex(w, 2);
    }
}

// A step of 20 sub-steps whose sub-steps cost 1/7.9 of the budget each, in
// both propagators: a tick cut inside it runs the 7 sub-steps that end
// within its budget, not one more, judging the next by the mean of those
// taken; the next ticks go on from there, and the one that ends the step
// starts no other.
TEST_F(SimulationTickTest, ATickCutInsideAStepRunsTheSubStepsThatEndWithinItsBudget)
{
    MainWindow& w = window();
    constexpr std::uint32_t kLongStep = 20;
    constexpr double kSubStepsInBudget = 7.9;
    constexpr std::uint32_t kSubStepsThatFit = 7;
    for (const ManySubStepCase c :
         {ManySubStepCase{"plain step", -1, kLongStep}, ManySubStepCase{"Hall edge", 44, kLongStep}}) {
        loadWithSubSteps(c.preset, c.forcedSubSteps);
        ASSERT_EQ(MainWindowProbe::subStepsInForce(w), kLongStep) << c.name;
        double (*const suiteClock)() = MainWindowProbe::tickClock();
        clockedWindow = &w;
        subStepCostMs = TransportClock::kStepBudgetMs / kSubStepsInBudget;
        MainWindowProbe::setTickClock(&subStepClock);
        MainWindowProbe::setSpeedIndex(w, 6);
        std::uint32_t leftInStep = kLongStep;
        for (int tick = 0; tick < 6; ++tick) {
            const std::string at = std::string(c.name) + ", tick " + std::to_string(tick);
            const std::uint64_t stepsBefore = w.schroedingerSolver().stepCount();
            const std::uint64_t before = MainWindowProbe::subStepsPropagated(w);
            MainWindowProbe::stepTick(w);
            const std::uint64_t ran = MainWindowProbe::subStepsPropagated(w) - before;
            const std::uint32_t expected = std::min(kSubStepsThatFit, leftInStep);
            EXPECT_EQ(ran, expected) << at;
            EXPECT_LE(static_cast<double>(ran) * subStepCostMs, TransportClock::kStepBudgetMs) << at;
            leftInStep = leftInStep == expected ? kLongStep : leftInStep - expected;
            EXPECT_EQ(w.schroedingerSolver().stepCount() - stepsBefore, leftInStep == kLongStep ? 1u : 0u) << at;
            EXPECT_EQ(w.schroedingerSolver().subStepsDone(), leftInStep == kLongStep ? 0u : kLongStep - leftInStep)
                << at;
        }
        MainWindowProbe::setTickClock(suiteClock);
        MainWindowProbe::forceSubSteps(w, 0);
        MainWindowProbe::setSpeedIndex(w, 2);
    }
}

// A step recorder samples at t = 0 (from the rebuild), then on every
// stride-th step whose time is not past its analysis end.
TEST_F(SimulationTickTest, StepRecordersSampleOnTheirStrideUntilTheirEndTime)
{
    MainWindow& w = window();
    struct Case {
        bool landau; // else Kapitza-Dirac
        std::uint64_t stride;
        double endTime;
        int steps;
    };
    for (const Case c :
         {Case{true, 5, 10.0, 33}, Case{true, 5, 10.0, 4}, Case{true, 5, 0.25, 33}, Case{true, 5, 0.35, 33},
          Case{false, 10, 0.4, 33}, Case{false, 10, 0.39, 33}, Case{false, 10, 10.0, 9}}) {
        ASSERT_NO_FATAL_FAILURE(applyDocument([&c](ExperimentDocument& d) {
            d.quantumLandau.enabled = c.landau;
            d.quantumLandau.analysisEndTime = c.endTime;
            d.quantumKapitzaDirac = {!c.landau, 1.5, 1.2, 40.0, 0.0, 0.1, c.endTime, 4};
            if (c.landau)
                d.initialPreparation.type = InitialPreparationType::LandauMagneticState;
        }));
        const double dt = dtOf(w);
        std::vector<double> expected{0.0}, times;
        for (std::uint64_t n = c.stride; n <= static_cast<std::uint64_t>(c.steps) && n * dt <= c.endTime; n += c.stride)
            expected.push_back(n * dt);
        for (int i = 0; i < c.steps; ++i)
            w.stepOnce();
        if (c.landau)
            for (const auto& s : w.recorder<LandauRecorder>().samples())
                times.push_back(s.time);
        else
            for (const auto& s : w.recorder<KapitzaDiracRecorder>().samples())
                times.push_back(s.time);
        ASSERT_EQ(times.size(), expected.size()) << "end " << c.endTime << ", " << c.steps << " steps";
        for (std::size_t k = 0; k < times.size(); ++k)
            EXPECT_NEAR(times[k], expected[k], 1e-9) << "end " << c.endTime << ", sample " << k;
    }
}

// The Zitterbewegung mode steps the spinor on the Schroedinger clock: psi
// shows its density, no observation is recorded, and the recorder keeps its
// stride of two steps.
TEST_F(SimulationTickTest, AZitterbewegungRunStepsTheSpinorOnTheCommonClock)
{
    MainWindow& w = window();
    ASSERT_NO_FATAL_FAILURE(applyDocument([](ExperimentDocument& d) {
        d.quantumZitterbewegung.enabled = true;
        d.initialPreparation.type = InitialPreparationType::DiracZitterbewegungState;
    }));
    ASSERT_FALSE(w.spinorField().isEmpty()) << "the spinor was not prepared";
    const auto& recorder = w.recorder<DiracZitterbewegungRecorder>();
    ASSERT_TRUE(recorder.isConfigured());
    for (int i = 0; i < 5; ++i)
        w.stepOnce();
    EXPECT_EQ(w.schroedingerSolver().stepCount(), 5u);
    EXPECT_NEAR(w.schroedingerSolver().time(), 5.0 * dtOf(w), 1e-12);
    EXPECT_TRUE(w.observableHistory().empty()) << "a spinor run records no Schroedinger observation";
    EXPECT_EQ(recorder.samples().size(), 3u) << "t = 0, steps 2 and 4";

    const ComplexField2D& psi = w.waveField();
    const DiracSpinor2D& spinor = w.spinorField();
    double largestImaginary = 0.0;
    double largestMismatch = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double density = std::norm(widen(spinor.upper.at(i, j))) + std::norm(widen(spinor.lower.at(i, j)));
            largestImaginary = std::max(largestImaginary, std::fabs(static_cast<double>(psi.at(i, j).imag())));
            largestMismatch = std::max(largestMismatch, std::fabs(std::norm(widen(psi.at(i, j))) - density));
        }
    EXPECT_EQ(largestImaginary, 0.0) << "psi carries the density with zero phase";
    EXPECT_LT(largestMismatch, 1e-6) << "|psi|^2 is the spinor density after the last step";
}

// One row per protocol: the scene it drives, its settings and the value the
// potential must take at the probe point (x, y) at solver time t, from the
// protocol's own formula. `plain` is the undriven scene at the probe.
struct ProtocolRow {
    const char* name;
    std::vector<PotentialObject> objects;
    double probeX;
    double probeY;
    std::function<void(ExperimentDocument&)> enable;
    std::function<double(double t, double x, double y)> expected;
    std::function<double(double x, double y)> plain;
};

// A tall rectangle (id 1) that the drives rewrite, that can serve as a
// shutter, and whose cells are set to its value (2 when undriven).
std::vector<PotentialObject> tallRectangle() { return {rectangleObject(2.0f, 4.0f, 0.0f, 0.6f, 6.0f)}; }

std::vector<ProtocolRow> protocolRows(double dt)
{
    const double kTrap = 0.5, trapX = 1.0, trapY = -0.5, anisotropy = 0.1;
    const auto rectangleValue = [](double, double) { return 2.0; };
    // The isotropic trap 0.5 k r'^2 about its centre.
    const auto trap = [=](double x, double y) {
        return 0.5 * kTrap * ((x - trapX) * (x - trapX) + (y - trapY) * (y - trapY));
    };
    return {
        {"quench", tallRectangle(), 4.0, 0.0,
         [](ExperimentDocument& d) { d.quantumQuench = {true, 1, 0, 0.31, 1.0, 3.0}; },
         // Evaluated at the middle of the last step only.
         [dt](double t, double, double) { return t - 0.5 * dt >= 0.31 ? 3.0 : 1.0; }, rectangleValue},
        {"periodic drive", tallRectangle(), 4.0, 0.0,
         [](ExperimentDocument& d) { d.periodicDrive = {true, 1, 0, 2.0, 0.5, 4.0, 30.0}; },
         [](double t, double, double) { return 2.0 + 0.5 * std::sin(4.0 * t + kPi / 6.0); }, rectangleValue},
        {"linear sweep with return", tallRectangle(), 4.0, 0.0,
         [](ExperimentDocument& d) { d.linearSweep = {true, 1, 0, 1.0, 3.0, 0.11, 0.3, true, 0.1, 0.2}; },
         [](double t, double, double) {
             if (t <= 0.11)
                 return 1.0;
             if (t < 0.41)
                 return 1.0 + 2.0 * (t - 0.11) / 0.3;
             if (t < 0.51)
                 return 3.0;
             if (t < 0.71)
                 return 3.0 - 2.0 * (t - 0.51) / 0.2;
             return 1.0;
         },
         rectangleValue},
        {"Ramsey sequence", tallRectangle(), 4.0, 0.0,
         [](ExperimentDocument& d) {
             d.ramseySequence = {true, 1, 0, 2.0, 0.5, 10.0, 20.0, 110.0, 0.11, 0.2, 0.2, false, 1.0, 0.0};
         },
         // Each pulse's carrier starts at its own beginning; the mean between.
         [](double t, double, double) {
             if (t >= 0.11 && t < 0.31)
                 return 2.0 + 0.5 * std::sin(20.0 * kPi / 180.0 + 10.0 * (t - 0.11));
             if (t >= 0.51 && t < 0.71)
                 return 2.0 + 0.5 * std::sin(110.0 * kPi / 180.0 + 10.0 * (t - 0.51));
             return 2.0;
         },
         rectangleValue},
        {"Berry loop",
         {harmonicObject(trapX, trapY, kTrap, kTrap)},
         2.5,
         0.4,
         [](ExperimentDocument& d) {
             d.quantumBerry = {true, 0.1, 0.11, 1.0, 1};
         },
         // The quadrupole a (x'^2 - y'^2) cos(phi) + 2 a x' y' sin(phi) turns
         // once round between 0.11 and 1.11 and comes back to its start.
         [=](double t, double x, double y) {
             const double s = std::min(std::max((t - 0.11) / 1.0, 0.0), 1.0);
             const double phi = 2.0 * kPi * s;
             const double xp = x - trapX, yp = y - trapY;
             return trap(x, y) + anisotropy * std::cos(phi) * (xp * xp - yp * yp) +
                    2.0 * anisotropy * std::sin(phi) * xp * yp;
         },
         trap},
        {"Moshinsky shutter", tallRectangle(), 4.0, 0.0,
         [](ExperimentDocument& d) {
             d.quantumMoshinsky = {true, 1, 0.31, 8.0, 5.0};
         },
         [](double t, double, double) { return t > 0.31 + 1e-12 ? 0.0 : 2.0; }, rectangleValue},
        {"Kapitza-Dirac pulse", tallRectangle(), 4.0, 0.0,
         [](ExperimentDocument& d) { d.quantumKapitzaDirac = {true, 1.5, 1.2, 40.0, 0.11, 0.3, 5.0, 4}; },
         [](double t, double x, double) {
             const double c = std::cos(kPi * x / 1.5 + 40.0 * kPi / 360.0);
             return t >= 0.11 && t < 0.41 ? 2.0 + 1.2 * c * c : 2.0;
         },
         rectangleValue},
    };
}

// The potential at the cell nearest (x, y), with the cell's own centre.
struct Probe {
    std::uint64_t i = 0;
    std::uint64_t j = 0;
    double x = 0.0;
    double y = 0.0;
};

Probe probeAt(const PotentialField2D& potential, double x, double y)
{
    Probe p;
    p.i = static_cast<std::uint64_t>(std::lround(x / potential.dx() + 0.5 * static_cast<double>(potential.nx() - 1)));
    p.j = static_cast<std::uint64_t>(std::lround(y / potential.dy() + 0.5 * static_cast<double>(potential.ny() - 1)));
    p.x = potential.xAt(p.i);
    p.y = potential.yAt(p.j);
    return p;
}

TEST_F(SimulationTickTest, EachProtocolDrivesThePotentialByItsFormulaAndTheUndrivenSceneReturns)
{
    MainWindow& w = window();
    for (const ProtocolRow& row : protocolRows(dtOf(w))) {
        ASSERT_NO_FATAL_FAILURE(applyDocument([&row](ExperimentDocument& d) {
            d.potentialSceneActive = true;
            d.potentialScene = sceneOf(row.objects);
            row.enable(d);
        })) << row.name;
        ASSERT_FALSE(w.potentialField().empty()) << row.name;
        const Probe p = probeAt(w.potentialField(), row.probeX, row.probeY);
        for (int n = 0; n <= 65; ++n) {
            if (n > 0)
                w.stepOnce();
            const double t = w.schroedingerSolver().time();
            const double expected = row.expected(t, p.x, p.y);
            EXPECT_NEAR(w.potentialField().valueAt(p.i, p.j), expected, 2e-5 * (1.0 + std::fabs(expected)))
                << row.name << " at t = " << t;
        }
        // Switched off, the rebuild draws the undriven scene again.
        ASSERT_NO_FATAL_FAILURE(applyDocument([&row](ExperimentDocument& d) {
            d.potentialSceneActive = true;
            d.potentialScene = sceneOf(row.objects);
        })) << row.name;
        const double plain = row.plain(p.x, p.y);
        EXPECT_NEAR(w.potentialField().valueAt(p.i, p.j), plain, 2e-5 * (1.0 + plain)) << row.name << " switched off";
    }
}

// With the scene switched off the potential is the single geometry of the
// geometry page (the page shows the selected scene object when there is
// one); the standing wave of the pulse goes over that geometry, not over the
// objects of the switched-off scene.
TEST_F(SimulationTickTest, AKapitzaDiracPulseWithTheSceneOffDrawsOverTheSingleGeometry)
{
    MainWindow& w = window();
    struct Point {
        double x;
        double y;
        double plain; // the single geometry there
    };
    struct Case {
        const char* name;
        std::vector<PotentialObject> sceneObjects;
        int geometryIndex;
        std::vector<Point> probes;
    };
    // A rectangle of the page alone; then the same page beside an inactive
    // scene whose first object is a circle: the saved page stays the
    // potential, the circle is not drawn.
    const std::vector<Case> cases = {
        {"empty scene", {}, 1, {{4.0, 0.0, 2.0}, {-5.0, 3.0, 0.0}}},
        {"two-object scene",
         {circleObject(4.0f, -5.0f, 3.0f, 2.0f), rectangleObject(2.0f, 4.0f, 0.0f, 0.6f, 6.0f)},
         1,
         {{4.0, 0.0, 2.0}, {-5.0, 3.0, 0.0}}},
    };
    const auto wave = [](double x) {
        const double c = std::cos(kPi * x / 1.5);
        return 1.2 * c * c;
    };
    for (const Case& c : cases) {
        ASSERT_NO_FATAL_FAILURE(applyDocument([&c](ExperimentDocument& d) {
            d.potentialSceneActive = false;
            d.potentialScene = sceneOf(c.sceneObjects);
            d.controls[QStringLiteral("geometryComboBox")] = 1;
            d.controls[QStringLiteral("rectangleV0SpinBox")] = 2.0;
            d.controls[QStringLiteral("rectangleCenterXSpinBox")] = 4.0;
            d.controls[QStringLiteral("rectangleCenterYSpinBox")] = 0.0;
            d.controls[QStringLiteral("rectangleWidthSpinBox")] = 0.6;
            d.controls[QStringLiteral("rectangleHeightSpinBox")] = 6.0;
            d.quantumKapitzaDirac = {true, 1.5, 1.2, 0.0, 0.0, 0.1, 5.0, 4};
        })) << c.name;
        ASSERT_FALSE(w.potentialField().empty()) << c.name;
        ASSERT_EQ(formWidget<QComboBox>(w, "geometryComboBox").currentIndex(), c.geometryIndex) << c.name;
        // The pulse is on from t = 0 and over after 0.1 (five steps).
        for (const int steps : {0, 2, 8}) {
            while (w.schroedingerSolver().stepCount() < static_cast<std::uint64_t>(steps))
                w.stepOnce();
            const double t = w.schroedingerSolver().time();
            const double on = t < 0.1 ? 1.0 : 0.0;
            for (const Point& point : c.probes) {
                const Probe p = probeAt(w.potentialField(), point.x, point.y);
                EXPECT_NEAR(w.potentialField().valueAt(p.i, p.j), point.plain + on * wave(p.x), 1e-5)
                    << c.name << " at (" << point.x << ", " << point.y << "), t = " << t;
            }
        }
    }
}

// Play, Pause, Stop, Step and the speed selector through the form's own
// buttons: Play from STOPPED rebuilds only after the clock has moved, Play
// from PAUSED and Step from STOPPED go on from where the run is.
TEST_F(SimulationTickTest, TheTransportButtonsResumeRestartAndPaceTheRun)
{
    MainWindow& w = window();
    freeDomain();
    auto& play = formWidget<QAbstractButton>(w, "playButton");
    auto& pause = formWidget<QAbstractButton>(w, "pauseButton");
    auto& stop = formWidget<QAbstractButton>(w, "stopButton");
    auto& speed = formWidget<QComboBox>(w, "speedComboBox");
    auto& timer = formWidget<QTimer>(w, "runTimer");
    speed.setCurrentIndex(2);

    for (int i = 0; i < 3; ++i)
        w.stepOnce();
    play.click();
    EXPECT_EQ(w.transportClock().state(), TransportState::Running);
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(w.schroedingerSolver().stepCount(), 3u) << "Play after Pause continues";

    speed.setCurrentIndex(0);
    EXPECT_TRUE(timer.isActive()) << "a speed change keeps the timer running";
    EXPECT_EQ(timer.interval(), 120) << "0.25x stretches the 30 ms tick";
    EXPECT_EQ(w.schroedingerSolver().stepCount(), 3u) << "a speed change does not rebuild";
    speed.setCurrentIndex(6);
    EXPECT_TRUE(timer.isActive());
    EXPECT_EQ(timer.interval(), 30);
    EXPECT_EQ(w.transportClock().stepsPerTick(), 16);
    speed.setCurrentIndex(2);

    pause.click();
    EXPECT_EQ(w.transportClock().state(), TransportState::Paused);
    EXPECT_FALSE(timer.isActive());

    stop.click();
    EXPECT_EQ(w.transportClock().state(), TransportState::Stopped);
    w.stepOnce();
    EXPECT_EQ(w.schroedingerSolver().stepCount(), 4u) << "Step from STOPPED continues";
    EXPECT_EQ(w.transportClock().state(), TransportState::Paused);

    stop.click();
    play.click();
    EXPECT_EQ(w.schroedingerSolver().stepCount(), 0u) << "Play after Stop with a moved clock starts again";
    EXPECT_EQ(w.observableHistory().size(), 1u);
    EXPECT_EQ(w.transportClock().state(), TransportState::Running);
    pause.click();
}

// A tick that throws would throw again 30 ms later: it pauses the run, so
// that the failure is reported once.
TEST_F(SimulationTickTest, AFailingTickPausesTheRunAndIsReportedOnce)
{
    MainWindow& w = window();
    freeDomain();
    // A wave field on another grid than the potential: the solver refuses it.
    const_cast<ComplexField2D&>(w.waveField()).reset(64, 32, 0.5f, 0.5f);

    QStringList messages;
    auto* statusBar = w.findChild<QStatusBar*>(QStringLiteral("statusBar"));
    ASSERT_NE(statusBar, nullptr);
    const QMetaObject::Connection connection =
        QObject::connect(statusBar, &QStatusBar::messageChanged, [&messages](const QString& text) {
            if (!text.isEmpty())
                messages << text;
        });
    auto& timer = formWidget<QTimer>(w, "runTimer");
    int ticks = 0;
    const QMetaObject::Connection counting = QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    formWidget<QAbstractButton>(w, "playButton").click();
    ASSERT_TRUE(timer.isActive());
    // Until the run stops, or a second tick shows that the first did not stop it.
    test::waitUntil([&timer, &ticks] { return !timer.isActive() || ticks > 1; });
    test::settle();
    QObject::disconnect(connection);
    QObject::disconnect(counting);

    EXPECT_FALSE(timer.isActive());
    EXPECT_EQ(w.transportClock().state(), TransportState::Paused);
    EXPECT_EQ(w.schroedingerSolver().stepCount(), 0u);
    EXPECT_EQ(messages.filter(QStringLiteral("grids must match")).size(), 1)
        << messages.join(QStringLiteral(" | ")).toStdString();

    EXPECT_THROW(w.onSimulationTick(), std::invalid_argument) << "the tick itself does not swallow the failure";
    w.rebuildSimulation();
    EXPECT_EQ(w.waveField().nx(), 256u) << "a rebuild mends the grids";
}

} // namespace
} // namespace vxo
