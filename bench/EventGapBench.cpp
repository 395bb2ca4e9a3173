// How long the window leaves its event loop unanswered: every guided
// experiment on the finest grid (1024 x 1024) at 16x, run through the
// window's own Play for a few seconds while a timer of no interval probes the
// loop (it is answered at every return to the loop, between any two ticks),
// and the blocking calls around it (loading the experiment onto that grid,
// one Reset). Each case runs beside the default experiment (preset 0) in the
// same iteration, in alternating order, so that the ratio holds on a shared
// machine. A scene of 512 wedges loaded as a document on the finest grid is
// timed the same way against loading preset 0.
//
// The gaps and the Reset are the GUI thread's CPU time between two answers
// of the probe, with the window's step budget on the same clock: on a loaded
// machine the wall clock adds the waits for a core, which the scheduler
// decides and the window does not, and would make the budget cut the ticks
// by the load. The wall-clock figures are reported beside them.
//
// Seconds of each run: VXO_EVENT_GAP_SECONDS (default 3).

#include "app/mainwindow/MainWindow.h"
#include "common/MainWindowProbe.h"
#include "document/ExperimentCatalogue.h"
#include "document/ExperimentFile.h"
#include "ui/MainWindowForm.h"

#include "CpuTickBudget.h"
#include "ThreadCpuClock.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace vxo {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kFinestGrid = 2;
constexpr int kSpeed16x = 6;
// A timer of longer interval can lose its place behind the run timer when
// both are overdue, and then spans two ticks.
constexpr int kProbeIntervalMs = 0;
constexpr std::uint32_t kReferencePreset = 0;

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

int runSeconds()
{
    const char* text = std::getenv("VXO_EVENT_GAP_SECONDS");
    const int seconds = text ? std::atoi(text) : 0;
    return seconds > 0 ? seconds : 3;
}

MainWindow& gapWindow()
{
    static MainWindow* window = nullptr;
    if (!window) {
        initFormResources();
        registerFontSubstitutions();
        window = new MainWindow(nullptr, false);
    }
    return *window;
}

template <typename Widget>
Widget* named(MainWindow& window, const char* name)
{
    return window.findChild<Widget*>(QLatin1String(name));
}

// A span on the thread's CPU clock and on the wall clock.
struct Span {
    double cpuMs = 0.0;
    double wallMs = 0.0;
};

class Stopwatch {
public:
    Span elapsed() const { return {bench::threadCpuMilliseconds() - cpu_, msBetween(wall_, Clock::now())}; }

private:
    double cpu_ = bench::threadCpuMilliseconds();
    Clock::time_point wall_ = Clock::now();
};

Span longerOfEach(Span a, Span b) { return {std::max(a.cpuMs, b.cpuMs), std::max(a.wallMs, b.wallMs)}; }

// The longest wait between two answers of the probe while the event loop
// runs for `ms`, on each clock.
Span longestGapWhileRunning(int ms)
{
    Span longest;
    QTimer probe;
    probe.setInterval(kProbeIntervalMs);
    Stopwatch sinceLast;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        longest = longerOfEach(longest, sinceLast.elapsed());
        sinceLast = Stopwatch();
    });
    probe.start();
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    // The wait since the last answer counts too.
    return longerOfEach(longest, sinceLast.elapsed());
}

struct GapRun {
    Span load;  // load of the experiment and its rebuild on the finest grid
    Span reset; // one Reset
    Span runGap;
    double stepsRun = 0.0;
};

GapRun runOnTheFinestGrid(MainWindow& window, std::uint32_t preset, benchmark::State& state)
{
    GapRun run;
    auto* grid = named<QComboBox>(window, "gridResolutionComboBox");
    auto* play = named<QAbstractButton>(window, "playButton");
    auto* pause = named<QAbstractButton>(window, "pauseButton");
    auto* reset = named<QAbstractButton>(window, "resetButton");
    if (!grid || !play || !pause || !reset) {
        state.SkipWithError("the window has no grid selector or transport buttons");
        return run;
    }
    const bench::CpuTickBudget budget;
    const Stopwatch loading;
    window.loadGuidedExperiment(static_cast<int>(preset));
    // A new grid rebuilds; the same one needs the rebuild asked for.
    if (grid->currentIndex() != kFinestGrid)
        grid->setCurrentIndex(kFinestGrid);
    else
        window.rebuildSimulation();
    run.load = loading.elapsed();
    const Stopwatch resetting;
    reset->click();
    run.reset = resetting.elapsed();
    MainWindowProbe::setSpeedIndex(window, kSpeed16x);
    const double timeBefore = window.schroedingerSolver().time();
    play->click();
    run.runGap = longestGapWhileRunning(runSeconds() * 1000);
    pause->click();
    run.stepsRun = (window.schroedingerSolver().time() - timeBefore) / window.schroedingerSolver().parameters().dt;
    return run;
}

void guidedExperimentGaps(benchmark::State& state, std::uint32_t preset)
{
    MainWindow& window = gapWindow();
    GapRun mine, reference;
    int iteration = 0;
    for (auto _ : state) {
        // Alternating order, so that neither case always runs on a warmer cache.
        if (iteration++ % 2 == 0) {
            mine = runOnTheFinestGrid(window, preset, state);
            reference = runOnTheFinestGrid(window, kReferencePreset, state);
        } else {
            reference = runOnTheFinestGrid(window, kReferencePreset, state);
            mine = runOnTheFinestGrid(window, preset, state);
        }
        state.SetIterationTime(mine.runGap.cpuMs / 1000.0);
    }
    const auto ratio = [](double mine, double reference) { return reference > 0.0 ? mine / reference : 0.0; };
    const auto report = [&state, &ratio](const char* name, Span mine, Span reference) {
        const std::string key(name);
        state.counters[key + "_ms"] = mine.cpuMs;
        state.counters[key + "_ms_p0"] = reference.cpuMs;
        state.counters[key + "_ratio"] = ratio(mine.cpuMs, reference.cpuMs);
        state.counters[key + "_wall_ms"] = mine.wallMs;
        state.counters[key + "_wall_ms_p0"] = reference.wallMs;
    };
    report("gap", mine.runGap, reference.runGap);
    report("reset", mine.reset, reference.reset);
    report("load", mine.load, reference.load);
    state.counters["steps_run"] = mine.stepsRun;
    state.counters["steps_run_p0"] = reference.stepsRun;
}

const bool gapCasesRegistered = [] {
    for (std::uint32_t preset = 0; preset < presetCount(); ++preset) {
        const std::string name =
            std::string("BM_EventGapAt16xOnTheFinestGrid/") + std::to_string(preset) + "_" + presetSlug(preset);
        benchmark::RegisterBenchmark(name.c_str(),
                                     [preset](benchmark::State& state) { guidedExperimentGaps(state, preset); })
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

// Reset alone, repeated, on the finest grid: the window's rebuild, which
// blocks the event loop for as long as it takes. Beside preset 0's, on the
// thread's CPU clock, the wall clock's beside it.
void resetOnTheFinestGrid(benchmark::State& state, std::uint32_t preset)
{
    MainWindow& window = gapWindow();
    auto* grid = named<QComboBox>(window, "gridResolutionComboBox");
    auto* reset = named<QAbstractButton>(window, "resetButton");
    if (!grid || !reset) {
        state.SkipWithError("the window has no grid selector or Reset");
        return;
    }
    const auto resetTime = [&](std::uint32_t which) {
        window.loadGuidedExperiment(static_cast<int>(which));
        grid->setCurrentIndex(kFinestGrid);
        const Stopwatch resetting;
        reset->click();
        return resetting.elapsed();
    };
    Span mine, reference;
    for (auto _ : state) {
        const Span one = resetTime(preset);
        const Span referenceOne = resetTime(kReferencePreset);
        mine = {mine.cpuMs + one.cpuMs, mine.wallMs + one.wallMs};
        reference = {reference.cpuMs + referenceOne.cpuMs, reference.wallMs + referenceOne.wallMs};
        state.SetIterationTime(one.cpuMs / 1000.0);
    }
    const auto average = [](double total) { return benchmark::Counter(total, benchmark::Counter::kAvgIterations); };
    state.counters["reset_ms"] = average(mine.cpuMs);
    state.counters["reset_ms_p0"] = average(reference.cpuMs);
    state.counters["reset_ratio"] = reference.cpuMs > 0.0 ? mine.cpuMs / reference.cpuMs : 0.0;
    state.counters["reset_wall_ms"] = average(mine.wallMs);
    state.counters["reset_wall_ms_p0"] = average(reference.wallMs);
}

const bool resetCasesRegistered = [] {
    for (std::uint32_t preset = 0; preset < presetCount(); ++preset) {
        const std::string name =
            std::string("BM_ResetOnTheFinestGrid/") + std::to_string(preset) + "_" + presetSlug(preset);
        benchmark::RegisterBenchmark(name.c_str(),
                                     [preset](benchmark::State& state) { resetOnTheFinestGrid(state, preset); })
            ->Iterations(3)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

// 512 wedges in rows over a 1024 x 1024 domain, written as a document file
// and loaded as the window's Load does (read, validate, apply, one rebuild);
// the reference is preset 0 on the same grid, saved and loaded the same way.
constexpr int kWedges = 512;

void BM_WedgeDocumentLoad(benchmark::State& state)
{
    MainWindow& window = gapWindow();
    QTemporaryDir directory;
    const QString path = QDir(directory.path()).filePath(QStringLiteral("wedges.json"));
    const QString referencePath = QDir(directory.path()).filePath(QStringLiteral("preset0.json"));
    {
        window.loadGuidedExperiment(static_cast<int>(kReferencePreset));
        ExperimentDocument reference = window.captureExperimentDocument();
        reference.controls[QStringLiteral("gridResolutionComboBox")] = kFinestGrid;
        ExperimentDocument document = reference;
        document.potentialSceneActive = true;
        document.potentialScene = PotentialScene();
        for (int k = 0; k < kWedges; ++k) {
            PotentialObject wedge;
            wedge.kind = PotentialObjectKind::PolygonWedge;
            wedge.value = 2.0f;
            wedge.centerX = -18.0f + 1.5f * static_cast<float>(k % 24);
            wedge.centerY = -16.0f + 1.5f * static_cast<float>(k / 24);
            wedge.width = 0.9f;
            wedge.height = 0.7f;
            document.potentialScene.add(wedge);
        }
        QString error;
        if (!saveExperimentFile(path, document, error) || !saveExperimentFile(referencePath, reference, error)) {
            state.SkipWithError(error.toStdString().c_str());
            return;
        }
    }
    // Read, validate, apply and rebuild, as the window's Load does.
    const auto loadMs = [&window, &state](const QString& file) {
        const Stopwatch loading;
        ExperimentDocument document;
        QString error;
        if (!loadExperimentFile(file, document, error) || !window.applyExperimentDocument(document, error)) {
            state.SkipWithError(error.toStdString().c_str());
            return -1.0;
        }
        return loading.elapsed().cpuMs;
    };
    double wedgesMs = 0.0, referenceMs = 0.0, objects = 0.0;
    for (auto _ : state) {
        wedgesMs = loadMs(path);
        objects = static_cast<double>(window.scene().objects().size());
        referenceMs = loadMs(referencePath);
        if (wedgesMs < 0.0 || referenceMs < 0.0)
            return;
        state.SetIterationTime(wedgesMs / 1000.0);
    }
    state.counters["load_ms"] = wedgesMs;
    state.counters["load_ms_p0"] = referenceMs;
    state.counters["objects"] = objects;
}
BENCHMARK(BM_WedgeDocumentLoad)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vxo
