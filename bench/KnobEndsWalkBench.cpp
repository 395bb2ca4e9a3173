// The window at the knobs' ends: every barrier and two-level experiment and
// a sample of the others, each with one knob at an end of its range or a
// step inside it (Universe X and Y, the packet's momentum) on the coarsest
// and the finest grid, played at 16x through the window's own Play until the
// run pauses itself at its reading and the pages' work after it (the barrier
// pages' check of their cells) has ended, or for a few seconds. A timer of
// no interval probes the event loop; every wait between two of its answers
// is kept on the GUI thread's CPU clock, and those that held a tick of the
// run give the run's median tick. Each run reports its longest wait beside
// its own median tick: a page, a check or a relayout that stalls the window
// shows as a ratio well above 1, whatever the machine.
//
// Beside it, the docks: each floated and docked again, and all floated at
// once, on the GUI thread's CPU clock beside loading a preset in the same
// window. Run it on a display (QT_QPA_PLATFORM=xcb under xvfb-run) to see
// what a window manager's frames add.
//
// Seconds of each run at most: VXO_WALK_SECONDS (default 20).

#include "app/mainwindow/MainWindow.h"
#include "common/MainWindowProbe.h"
#include "document/ExperimentCatalogue.h"

#include "BenchWindow.h"
#include "ThreadCpuClock.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace vxo {
namespace {

constexpr int kSpeed16x = 6;
constexpr int kCoarsestGrid = 0;
constexpr int kPresetGrid = -1; // the grid the preset loads
constexpr int kFinestGrid = 2;

int walkSeconds()
{
    const char* text = std::getenv("VXO_WALK_SECONDS");
    const int value = text ? std::atoi(text) : 0;
    return value > 0 ? value : 20;
}

template <typename Widget>
Widget* named(QObject& window, const char* name)
{
    return window.findChild<Widget*>(QLatin1String(name));
}

// One knob moved from the preset: a spin box to the end of its range (or a
// step inside it), or to a value.
struct Setting {
    const char* box;
    enum { Low, LowPlusStep, HighMinusStep, High, Value } where;
    double value = 0.0;
};
// The knobs of one run (none: the preset as loaded).
struct Knob {
    const char* label;
    std::vector<Setting> settings;
};

const Knob kKnobs[] = {
    {"preset", {}},
    {"X_min", {{"universeWidthSpinBox", Setting::Low}}},
    {"X_min+1", {{"universeWidthSpinBox", Setting::LowPlusStep}}},
    {"X_max-1", {{"universeWidthSpinBox", Setting::HighMinusStep}}},
    {"X_max", {{"universeWidthSpinBox", Setting::High}}},
    {"Y_min", {{"universeHeightSpinBox", Setting::Low}}},
    {"Y_max", {{"universeHeightSpinBox", Setting::High}}},
    {"p0.5", {{"momentumSpinBox", Setting::Value, 0.5}}},
    {"p1.0", {{"momentumSpinBox", Setting::Value, 1.0}}},
    {"X_min+1_p1.0", {{"universeWidthSpinBox", Setting::LowPlusStep}, {"momentumSpinBox", Setting::Value, 1.0}}},
    {"X_min+1_p1.5", {{"universeWidthSpinBox", Setting::LowPlusStep}, {"momentumSpinBox", Setting::Value, 1.5}}},
};

// The barrier pages (1, 2, 7), the double well and the two-level pages
// (16-25), and a sample of the others: the free packet, the harmonic trap,
// the Zitterbewegung window and the massless Dirac packet.
const int kWalkedPresets[] = {1, 2, 7, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 0, 8, 46, 53};

void setKnob(MainWindow& window, const Knob& knob)
{
    for (const Setting& setting : knob.settings) {
        auto* box = named<QDoubleSpinBox>(window, setting.box);
        if (!box)
            continue;
        const double value = setting.where == Setting::Low             ? box->minimum()
                             : setting.where == Setting::LowPlusStep   ? box->minimum() + box->singleStep()
                             : setting.where == Setting::HighMinusStep ? box->maximum() - box->singleStep()
                             : setting.where == Setting::High          ? box->maximum()
                                                                       : setting.value;
        box->setValue(value);
    }
}

struct WalkRun {
    std::vector<double> tickMs;
    double longestMs = 0.0;
    bool readingReached = false;
};

// Plays until the run pauses itself and the loop has been idle for a while
// after it (a check in slices keeps it busy), or for `seconds`.
WalkRun playAndProbe(MainWindow& window, int seconds)
{
    WalkRun run;
    auto* runTimer = named<QTimer>(window, "runTimer");
    auto* cellsCheck = named<QTimer>(window, "cellsCheckTimer");
    bool tickRan = false;
    const QMetaObject::Connection marking =
        QObject::connect(runTimer, &QTimer::timeout, [&tickRan] { tickRan = true; });
    double last = bench::threadCpuMilliseconds();
    QTimer probe;
    probe.setInterval(0);
    QEventLoop loop;
    QElapsedTimer wall;
    wall.start();
    QElapsedTimer idle;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const double now = bench::threadCpuMilliseconds();
        const double wait = now - last;
        last = now;
        if (wait > run.longestMs && std::getenv("VXO_WALK_TRACE"))
            std::fprintf(stderr, "longest so far: %.1f ms, tick %d, t=%.3f, running %d, checking %d\n", wait,
                         int(tickRan), window.schroedingerSolver().time(), int(runTimer->isActive()),
                         int(cellsCheck && cellsCheck->isActive()));
        run.longestMs = std::max(run.longestMs, wait);
        if (tickRan)
            run.tickMs.push_back(wait);
        tickRan = false;
        const bool settled = !runTimer->isActive() && !(cellsCheck && cellsCheck->isActive());
        if (settled && !idle.isValid())
            idle.start();
        if (!settled)
            idle.invalidate();
        if ((idle.isValid() && idle.elapsed() > 200) || wall.elapsed() > seconds * 1000)
            loop.quit();
    });
    named<QAbstractButton>(window, "playButton")->click();
    probe.start();
    loop.exec();
    run.readingReached = !runTimer->isActive();
    named<QAbstractButton>(window, "pauseButton")->click();
    QObject::disconnect(marking);
    return run;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void walkCase(benchmark::State& state, int preset, int grid, const Knob& knob)
{
    MainWindow& window = bench::sharedBenchWindow();
    WalkRun run;
    for (auto _ : state) {
        window.loadGuidedExperiment(preset);
        setKnob(window, knob);
        if (grid != kPresetGrid)
            named<QComboBox>(window, "gridResolutionComboBox")->setCurrentIndex(grid);
        window.rebuildSimulation();
        MainWindowProbe::setSpeedIndex(window, kSpeed16x);
        run = playAndProbe(window, walkSeconds());
        state.SetIterationTime(run.longestMs / 1000.0);
    }
    const double tick = median(run.tickMs);
    state.counters["longest_ms"] = run.longestMs;
    state.counters["median_tick_ms"] = tick;
    state.counters["ratio"] = tick > 0.0 ? run.longestMs / tick : 0.0;
    state.counters["ticks"] = static_cast<double>(run.tickMs.size());
    state.counters["reading"] = run.readingReached ? 1.0 : 0.0;
}

const bool walkRegistered = [] {
    for (const int preset : kWalkedPresets)
        for (const int grid : {kCoarsestGrid, kPresetGrid, kFinestGrid})
            for (const Knob& knob : kKnobs) {
                const std::string name = std::string("BM_KnobEndsWalk/") + std::to_string(preset) + "_" +
                                         presetSlug(static_cast<std::uint32_t>(preset)) + "/" +
                                         (grid == kFinestGrid     ? "1024/"
                                          : grid == kCoarsestGrid ? "256/"
                                                                  : "own/") +
                                         knob.label;
                benchmark::RegisterBenchmark(
                    name.c_str(),
                    [preset, grid, &knob](benchmark::State& state) { walkCase(state, preset, grid, knob); })
                    ->Iterations(1)
                    ->UseManualTime()
                    ->Unit(benchmark::kMillisecond);
            }
    return true;
}();

// Floating and docking, on the GUI thread's CPU clock with the events they
// post run, beside loading preset 0 in the same shown window.
double cpuMsOf(const std::function<void()>& action)
{
    const double start = bench::threadCpuMilliseconds();
    action();
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    return bench::threadCpuMilliseconds() - start;
}

void BM_DockFloatBesideLoad(benchmark::State& state)
{
    MainWindow& window = bench::sharedBenchWindow();
    window.show();
    const QList<QDockWidget*> docks = window.findChildren<QDockWidget*>();
    double load = 0.0, one = 0.0, back = 0.0, all = 0.0;
    for (auto _ : state) {
        load = cpuMsOf([&] { window.loadGuidedExperiment(0); });
        one = back = 0.0;
        for (QDockWidget* dock : docks) {
            one = std::max(one, cpuMsOf([dock] { dock->setFloating(true); }));
            back = std::max(back, cpuMsOf([dock] { dock->setFloating(false); }));
        }
        all = cpuMsOf([&] {
            for (QDockWidget* dock : docks)
                dock->setFloating(true);
        });
        cpuMsOf([&] {
            for (QDockWidget* dock : docks)
                dock->setFloating(false);
        });
        state.SetIterationTime(all / 1000.0);
    }
    state.counters["load_ms"] = load;
    state.counters["one_float_ms"] = one;
    state.counters["one_dock_ms"] = back;
    state.counters["all_float_ms"] = all;
    window.hide();
}
BENCHMARK(BM_DockFloatBesideLoad)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vxo
