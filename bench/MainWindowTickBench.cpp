// One run-timer tick of the main window, offscreen, split into its three
// parts: stepping (hooks, appliers, propagation, step recorders, detector),
// the observation and the refresh of every view and panel; the time shown is
// that of a full tick (see timeTicks). The budget is the
// timer period, 30 ms, less the painting: 25 ms on one core. The reference in
// the same run is the bare split-step propagation of the same number of steps
// on the same grid, the floor that no tick can go below.
//
// Everything is timed on the thread's CPU clock, the window's step budget
// included: on the wall clock a loaded machine would stretch the ticks and
// make the budget cut them, so that a tick would run fewer steps than on a
// free core and its time would measure the machine's load.

#include "app/TransportClock.h"
#include "app/mainwindow/MainWindow.h"
#include "common/MainWindowProbe.h"
#include "core/AbsorbingBoundary2D.h"
#include "core/GaussianPacket2D.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "document/ExperimentCatalogue.h"
#include "CpuTickBudget.h"
#include "ThreadCpuClock.h"
#include "ui/MainWindowForm.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vxo {
namespace {

using Clock = std::chrono::steady_clock;

// Ticks after which the run starts again, outside the timing, so that every
// case is measured over the first seconds of its experiment.
constexpr int kTicksPerRun = 150;

// Entries of the speed selector.
constexpr int kSpeed1x = 2;
constexpr int kSpeed4x = 4;
constexpr int kSpeed16x = 6;

// A window of its own per use: the default experiment must not inherit a
// form that a guided experiment has written.
MainWindow& benchWindow(int which)
{
    static MainWindow* windows[4] = {nullptr, nullptr, nullptr, nullptr};
    if (!windows[which]) {
        initFormResources();
        registerFontSubstitutions();
        windows[which] = new MainWindow(nullptr, false);
    }
    return *windows[which];
}

MainWindow& defaultWindow() { return benchWindow(0); }
MainWindow& guidedWindow() { return benchWindow(1); }

double millisecondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Times ticks of the window as it stands; `restart` puts it back at t = 0.
// A tick that the step budget cut short ran fewer steps than the speed asks
// for: each tick's time is scaled to the steps of a full tick, so that a cut
// tick never looks cheap; the steps actually run are reported beside it.
template <typename Restart>
void timeTicks(benchmark::State& state, MainWindow& window, Restart restart)
{
    const bench::CpuTickBudget budget;
    restart();
    double stepping = 0.0;
    double observation = 0.0;
    double refresh = 0.0;
    double stepsRun = 0.0;
    double cutTicks = 0.0;
    int ticks = 0;
    for (auto _ : state) {
        if (++ticks > kTicksPerRun) {
            restart();
            ticks = 1;
        }
        const double fullTick = window.transportClock().stepsPerTick();
        const double start = bench::threadCpuMilliseconds();
        const double steps = MainWindowProbe::stepTick(window);
        const double stepped = bench::threadCpuMilliseconds();
        MainWindowProbe::observeTick(window);
        const double observed = bench::threadCpuMilliseconds();
        MainWindowProbe::refreshTick(window);
        const double refreshed = bench::threadCpuMilliseconds();
        stepping += stepped - start;
        observation += observed - stepped;
        refresh += refreshed - observed;
        stepsRun += steps;
        // Within a part in a million of a whole tick: the clock's rounding.
        cutTicks += steps < fullTick * (1.0 - 1e-6) ? 1.0 : 0.0;
        const double asRun = (refreshed - start) / 1000.0;
        state.SetIterationTime(steps > 0.0 ? asRun * std::max(1.0, fullTick / steps) : asRun);
    }
    state.counters["step_ms"] = benchmark::Counter(stepping, benchmark::Counter::kAvgIterations);
    state.counters["observe_ms"] = benchmark::Counter(observation, benchmark::Counter::kAvgIterations);
    state.counters["refresh_ms"] = benchmark::Counter(refresh, benchmark::Counter::kAvgIterations);
    state.counters["steps"] = window.transportClock().stepsPerTick();
    state.counters["steps_run"] = benchmark::Counter(stepsRun, benchmark::Counter::kAvgIterations);
    state.counters["cut_ticks"] = benchmark::Counter(cutTicks, benchmark::Counter::kAvgIterations);
    state.counters["grid"] = static_cast<double>(window.waveField().nx());
}

// The experiment the window starts with, at the speed selector's entry.
void BM_DefaultExperimentTick(benchmark::State& state)
{
    MainWindow& window = defaultWindow();
    const int speedIndex = static_cast<int>(state.range(0));
    timeTicks(state, window, [&window, speedIndex] {
        window.rebuildSimulation();
        MainWindowProbe::setSpeedIndex(window, speedIndex);
    });
}
BENCHMARK(BM_DefaultExperimentTick)
    ->ArgName("speedIndex")
    ->Arg(kSpeed1x)
    ->Arg(kSpeed4x)
    ->Arg(kSpeed16x)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The default experiment on the finest grid (1024 x 1024), one step a tick.
void BM_DefaultExperimentTickOnTheFinestGrid(benchmark::State& state)
{
    MainWindow& window = benchWindow(2);
    auto* grid = window.findChild<QComboBox*>(QStringLiteral("gridResolutionComboBox"));
    if (!grid) {
        state.SkipWithError("the window has no grid selector");
        return;
    }
    grid->setCurrentIndex(2);
    timeTicks(state, window, [&window] {
        window.rebuildSimulation();
        MainWindowProbe::setSpeedIndex(window, kSpeed1x);
    });
}
BENCHMARK(BM_DefaultExperimentTickOnTheFinestGrid)->UseManualTime()->Unit(benchmark::kMillisecond);

// Driven experiments on the coarse and the default grid: a trap moved back
// and forth at resonance (every cell's value new every step) and a double
// well tilted at the Rabi resonance (walls and floors of one value). Their
// potential changes every step, so every step rebuilds the potential's phase
// tables: the ticks their cost falls on.
constexpr std::uint32_t kResonantlyDrivenTrap = 15;
constexpr std::uint32_t kRabiDrivenDoubleWell = 17;

// The ticks of the guided experiment state.range(0) on the grid selector's
// entry state.range(1), `afterRebuild` applied to the window once rebuilt.
// False when the window has no grid selector.
bool timeGuidedTicksOnGrid(benchmark::State& state, const std::function<void(MainWindow&)>& afterRebuild)
{
    MainWindow& window = guidedWindow();
    auto* grid = window.findChild<QComboBox*>(QStringLiteral("gridResolutionComboBox"));
    if (!grid) {
        state.SkipWithError("the window has no grid selector");
        return false;
    }
    const int preset = static_cast<int>(state.range(0));
    const int gridIndex = static_cast<int>(state.range(1));
    timeTicks(state, window, [&window, grid, preset, gridIndex, &afterRebuild] {
        window.loadGuidedExperiment(preset);
        grid->setCurrentIndex(gridIndex);
        window.rebuildSimulation();
        afterRebuild(window);
    });
    return true;
}

void BM_DrivenExperimentTick(benchmark::State& state)
{
    if (!timeGuidedTicksOnGrid(state, [](MainWindow&) {}))
        return;
    MainWindow& window = guidedWindow();
    // What makes the case: the potential changes within every step.
    const std::uint64_t revision = window.potentialField().revision();
    MainWindowProbe::stepTick(window);
    state.counters["potential_revisions_per_step"] =
        static_cast<double>(window.potentialField().revision() - revision) / window.transportClock().stepsPerTick();
}
BENCHMARK(BM_DrivenExperimentTick)
    ->ArgNames({"preset", "gridIndex"})
    ->ArgsProduct({{kResonantlyDrivenTrap, kRabiDrivenDoubleWell}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Every guided experiment at the speed and grid its preset chooses.
void guidedExperimentTick(benchmark::State& state, std::uint32_t preset)
{
    MainWindow& window = guidedWindow();
    timeTicks(state, window, [&window, preset] { window.loadGuidedExperiment(static_cast<int>(preset)); });
}

const bool guidedRegistered = [] {
    for (std::uint32_t preset = 0; preset < presetCount(); ++preset) {
        const std::string name =
            std::string("BM_GuidedExperimentTick/") + std::to_string(preset) + "_" + presetSlug(preset);
        benchmark::RegisterBenchmark(name.c_str(),
                                     [preset](benchmark::State& state) { guidedExperimentTick(state, preset); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

// The observation and the refresh of a tick on the finest grid (1024 x 1024)
// for the guided experiment state.range(0), beside the default experiment
// (preset 0) on the same grid in the same run, each over its first ticks at
// the speed its preset chooses, in rounds taken in turn. The steps are run but not timed: what is
// compared is what a tick spends on reading the state and showing it.
constexpr int kFinestGrid = 2;
constexpr int kObservedTicks = 24;

struct ObservationCost {
    double observeMs = 0.0;
    double refreshMs = 0.0;
};

ObservationCost observationOnTheFinestGrid(MainWindow& window, std::uint32_t preset)
{
    auto* grid = window.findChild<QComboBox*>(QStringLiteral("gridResolutionComboBox"));
    window.loadGuidedExperiment(static_cast<int>(preset));
    if (grid)
        grid->setCurrentIndex(kFinestGrid);
    window.rebuildSimulation();
    ObservationCost cost;
    for (int tick = 0; tick < kObservedTicks; ++tick) {
        MainWindowProbe::stepTick(window);
        const double stepped = bench::threadCpuMilliseconds();
        MainWindowProbe::observeTick(window);
        const double observed = bench::threadCpuMilliseconds();
        MainWindowProbe::refreshTick(window);
        const double refreshed = bench::threadCpuMilliseconds();
        cost.observeMs += (observed - stepped) / kObservedTicks;
        cost.refreshMs += (refreshed - observed) / kObservedTicks;
    }
    return cost;
}

// Rounds of the two, taken in turn: a neighbour that slows the machine for a
// few seconds moves one round of each, not the ratio of their medians.
constexpr int kRounds = 3;

// The round of median total cost.
ObservationCost medianRound(std::vector<ObservationCost> rounds)
{
    std::sort(rounds.begin(), rounds.end(), [](const ObservationCost& a, const ObservationCost& b) {
        return a.observeMs + a.refreshMs < b.observeMs + b.refreshMs;
    });
    return rounds[rounds.size() / 2];
}

// Preset state.range(0) beside preset 0, both in `window`.
void observationBesidePresetZero(benchmark::State& state, MainWindow& window)
{
    const bench::CpuTickBudget budget;
    const auto preset = static_cast<std::uint32_t>(state.range(0));
    ObservationCost mine, reference;
    for (auto _ : state) {
        std::vector<ObservationCost> mineRounds, referenceRounds;
        for (int round = 0; round < kRounds; ++round) {
            mineRounds.push_back(observationOnTheFinestGrid(window, preset));
            referenceRounds.push_back(observationOnTheFinestGrid(window, 0));
        }
        mine = medianRound(mineRounds);
        reference = medianRound(referenceRounds);
        state.SetIterationTime((mine.observeMs + mine.refreshMs) / 1000.0);
    }
    const double mineMs = mine.observeMs + mine.refreshMs;
    const double referenceMs = reference.observeMs + reference.refreshMs;
    state.counters["observe_ms"] = mine.observeMs;
    state.counters["refresh_ms"] = mine.refreshMs;
    state.counters["observe_ms_p0"] = reference.observeMs;
    state.counters["refresh_ms_p0"] = reference.refreshMs;
    state.counters["ratio"] = referenceMs > 0.0 ? mineMs / referenceMs : 0.0;
}

void BM_ObservationAndRefreshOnTheFinestGrid(benchmark::State& state)
{
    observationBesidePresetZero(state, guidedWindow());
}
// Every guided experiment.
BENCHMARK(BM_ObservationAndRefreshOnTheFinestGrid)
    ->ArgName("preset")
    ->DenseRange(0, static_cast<int>(presetCount()) - 1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The same with the window shown and Diagnostics in sight, for the Dirac
// experiments, whose energies Diagnostics reads only while it can be seen
// (two transforms of the grid per tick), beside preset 0 in the same window.
void BM_ObservationAndRefreshWithDiagnosticsInSight(benchmark::State& state)
{
    MainWindow& window = benchWindow(3);
    window.show();
    if (auto* dock = window.findChild<QWidget*>(QStringLiteral("diagnosticsDockWidget"))) {
        dock->show();
        dock->raise();
    }
    QApplication::processEvents();
    auto* table = window.findChild<QWidget*>(QStringLiteral("diagnosticsTable"));
    if (!table || !table->isVisible()) {
        state.SkipWithError("Diagnostics is not in sight");
        return;
    }
    observationBesidePresetZero(state, window);
}
BENCHMARK(BM_ObservationAndRefreshWithDiagnosticsInSight)
    ->ArgName("preset")
    ->DenseRange(46, 53)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Guided experiments whose pages read a few percent apart on their own
// grid and on the next finer one, at 1x on both: a preset can take the finer
// grid only where a tick of one step stays within the budget there.
constexpr std::uint32_t kQuantumScars = 37;
constexpr std::uint32_t kAharonovBohm = 42;

void BM_GuidedExperimentTickAtOneX(benchmark::State& state)
{
    timeGuidedTicksOnGrid(state, [](MainWindow& window) { MainWindowProbe::setSpeedIndex(window, kSpeed1x); });
}
BENCHMARK(BM_GuidedExperimentTickAtOneX)
    ->ArgNames({"preset", "gridIndex"})
    ->ArgsProduct({{kQuantumScars, kAharonovBohm}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The longest wait of the event loop while the window runs the Hall-edge
// experiment on the finest grid at 16x: a timer of 5 ms is answered at most
// this long after its previous answer, which bounds how late a click or a key
// is served. The reference is the same wait with the run paused.
void eventGapsOfAHallEdgeRun(benchmark::State& state, bool running)
{
    MainWindow& window = guidedWindow();
    window.loadGuidedExperiment(44);
    auto* grid = window.findChild<QComboBox*>(QStringLiteral("gridResolutionComboBox"));
    auto* play = window.findChild<QAbstractButton*>(QStringLiteral("playButton"));
    auto* pause = window.findChild<QAbstractButton*>(QStringLiteral("pauseButton"));
    if (!grid || !play || !pause) {
        state.SkipWithError("the window has no grid selector or transport buttons");
        return;
    }
    grid->setCurrentIndex(2);
    window.rebuildSimulation();
    MainWindowProbe::setSpeedIndex(window, kSpeed16x);
    const std::uint64_t stepsBefore = window.schroedingerSolver().stepCount();
    if (running)
        play->click();
    double longestGapMs = 0.0;
    int answers = 0;
    for (auto _ : state) {
        QTimer probe;
        probe.setInterval(5);
        Clock::time_point last = Clock::now();
        QObject::connect(&probe, &QTimer::timeout, [&] {
            const Clock::time_point now = Clock::now();
            longestGapMs = std::max(longestGapMs, millisecondsBetween(last, now));
            last = now;
            ++answers;
        });
        probe.start();
        QEventLoop loop;
        QTimer::singleShot(8000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    pause->click();
    state.counters["longest_gap_ms"] = longestGapMs;
    state.counters["answers"] = answers;
    state.counters["steps_run"] = static_cast<double>(window.schroedingerSolver().stepCount() - stepsBefore);
    state.counters["grid"] = static_cast<double>(window.waveField().nx());
}
void BM_HallEdgeRunEventGaps(benchmark::State& state) { eventGapsOfAHallEdgeRun(state, true); }
void BM_HallEdgePausedEventGaps(benchmark::State& state) { eventGapsOfAHallEdgeRun(state, false); }
BENCHMARK(BM_HallEdgeRunEventGaps)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HallEdgePausedEventGaps)->Iterations(1)->Unit(benchmark::kMillisecond);

// The share of the step budget that the ticks of a guided experiment use,
// at the speed and grid its preset chooses, with the budget on the wall
// clock as the window runs: a tick cut short of its steps should have spent
// nearly the whole budget, not stopped half way into it. Reported beside the
// share of ticks cut; a tick that runs all its steps within the budget is not
// counted. State.range(0) is the preset.
void BM_StepBudgetUsedByCutTicks(benchmark::State& state)
{
    MainWindow& window = guidedWindow();
    const int preset = static_cast<int>(state.range(0));
    window.loadGuidedExperiment(preset);
    double (*const previous)() = MainWindowProbe::tickClock();
    MainWindowProbe::setTickClock(nullptr);
    double usedShare = 0.0;
    double cutTicks = 0.0;
    double ticks = 0.0;
    for (auto _ : state) {
        const double fullTick = window.transportClock().stepsPerTick();
        const Clock::time_point start = Clock::now();
        const double steps = MainWindowProbe::stepTick(window);
        const double wallMs = millisecondsBetween(start, Clock::now());
        MainWindowProbe::observeTick(window);
        MainWindowProbe::refreshTick(window);
        ticks += 1.0;
        if (steps < fullTick * (1.0 - 1e-6)) {
            cutTicks += 1.0;
            usedShare += wallMs / TransportClock::kStepBudgetMs;
        }
        state.SetIterationTime(wallMs / 1000.0);
    }
    MainWindowProbe::setTickClock(previous);
    state.counters["cut_share"] = ticks > 0.0 ? cutTicks / ticks : 0.0;
    state.counters["budget_used_by_cut_ticks"] = cutTicks > 0.0 ? usedShare / cutTicks : 0.0;
    state.counters["steps"] = window.transportClock().stepsPerTick();
    state.counters["grid"] = static_cast<double>(window.waveField().nx());
}
// The Hall edge's magnetic steps of many sub-steps.
BENCHMARK(BM_StepBudgetUsedByCutTicks)
    ->ArgName("preset")
    ->Arg(44)
    ->Iterations(60)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Reference: the bare propagation of a tick (split steps and the absorbing
// layer) on the default 512 x 512 grid, without appliers, recorders,
// observation or views.
void BM_BareSplitStepsOfATick(benchmark::State& state)
{
    const auto steps = state.range(0);
    ComplexField2D psi(512, 512, 0.08f, 0.08f);
    GaussianPacket2D::prepare(psi, {-8.0f, 0.0f, 1.0f, 2.5f, 0.0f, 1.0f});
    PotentialField2D potential(512, 512, 0.08f, 0.08f);
    potential.addBarrier(0.0f, -10.0f, 0.0f, 10.0f, 0.5f, 2.0f);
    SplitStepFourierSolver2D solver;
    solver.configure({1.0f, 1.0f, 0.02f});
    AbsorbingBoundary2D boundary;
    boundary.prepare(psi, 0.02f, AbsorbingBoundaryConfig{});
    for (auto _ : state) {
        const double start = bench::threadCpuMilliseconds();
        for (std::int64_t i = 0; i < steps; ++i) {
            solver.step(psi, potential);
            boundary.apply(psi);
        }
        benchmark::DoNotOptimize(psi.data());
        state.SetIterationTime((bench::threadCpuMilliseconds() - start) / 1000.0);
    }
}
BENCHMARK(BM_BareSplitStepsOfATick)
    ->ArgName("steps")
    ->Arg(1)
    ->Arg(4)
    ->Arg(16)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vxo
