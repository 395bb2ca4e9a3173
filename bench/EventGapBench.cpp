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
// The window runs as it does for a user: its step budget on the wall clock,
// so that a busy machine cuts its ticks as it cuts them on the user's desk.
// Every wait between two answers of the probe is kept, on the wall clock and
// on the GUI thread's CPU clock (what the window itself spent, without the
// waits for a core), and the waits of several runs are reported as a high
// percentile of the time (percentile()) and the longest, beside preset 0's:
// one slow tick in a run is what the longest shows, a run that stutters what
// the percentile shows. Run it on an idle machine and beside busy processes
// to see both.
//
// Seconds of each run: VXO_EVENT_GAP_SECONDS (default 3); runs of each case
// and of its reference: VXO_EVENT_GAP_RUNS (default 3).

#include "app/mainwindow/MainWindow.h"
#include "common/MainWindowProbe.h"
#include "document/ExperimentCatalogue.h"
#include "document/ExperimentFile.h"
#include "ui/MainWindowForm.h"

#include "BenchWindow.h"
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
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

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

int positiveFromEnvironment(const char* name, int fallback)
{
    const char* text = std::getenv(name);
    const int value = text ? std::atoi(text) : 0;
    return value > 0 ? value : fallback;
}

int runSeconds() { return positiveFromEnvironment("VXO_EVENT_GAP_SECONDS", 3); }
int runsPerCase() { return positiveFromEnvironment("VXO_EVENT_GAP_RUNS", 3); }

// The share of the time that waits no longer than the reported one hold.
constexpr double kHighPercentile = 0.9;

// The wait that a click at a random moment of the waits meets with the
// given probability or less: waits sorted by length, each weighing as long
// as it lasts, the first at which the share q of their whole time is
// reached (0 for none). The loop answers the probe thousands of times
// between two ticks, so a percentile that counts every wait once would be
// the idle loop's.
double percentile(std::vector<double> values, double q)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    double total = 0.0;
    for (double v : values)
        total += v;
    double held = 0.0;
    for (double v : values) {
        held += v;
        if (held >= q * total)
            return v;
    }
    return values.back();
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

// Waits measured on both clocks, in the order they came.
struct Waits {
    std::vector<double> cpuMs;
    std::vector<double> wallMs;
    void add(Span span)
    {
        cpuMs.push_back(span.cpuMs);
        wallMs.push_back(span.wallMs);
    }
    void add(const Waits& more)
    {
        cpuMs.insert(cpuMs.end(), more.cpuMs.begin(), more.cpuMs.end());
        wallMs.insert(wallMs.end(), more.wallMs.begin(), more.wallMs.end());
    }
};

// Every wait between two answers of the probe while the event loop runs for
// `ms`, the wait since the last answer included.
Waits gapsWhileRunning(int ms)
{
    Waits waits;
    QTimer probe;
    probe.setInterval(kProbeIntervalMs);
    Stopwatch sinceLast;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        waits.add(sinceLast.elapsed());
        sinceLast = Stopwatch();
    });
    probe.start();
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
    waits.add(sinceLast.elapsed());
    return waits;
}

struct GapRun {
    Waits load;  // load of the experiment and its rebuild on the finest grid
    Waits reset; // one Reset
    Waits runGaps;
    double stepsRun = 0.0;
};

// One run of `preset` on the finest grid, its waits added to `run`.
void runOnTheFinestGrid(MainWindow& window, std::uint32_t preset, benchmark::State& state, GapRun& run)
{
    auto* grid = named<QComboBox>(window, "gridResolutionComboBox");
    auto* play = named<QAbstractButton>(window, "playButton");
    auto* pause = named<QAbstractButton>(window, "pauseButton");
    auto* reset = named<QAbstractButton>(window, "resetButton");
    if (!grid || !play || !pause || !reset) {
        state.SkipWithError("the window has no grid selector or transport buttons");
        return;
    }
    const Stopwatch loading;
    window.loadGuidedExperiment(static_cast<int>(preset));
    // A new grid rebuilds; the same one needs the rebuild asked for.
    if (grid->currentIndex() != kFinestGrid)
        grid->setCurrentIndex(kFinestGrid);
    else
        window.rebuildSimulation();
    run.load.add(loading.elapsed());
    const Stopwatch resetting;
    reset->click();
    run.reset.add(resetting.elapsed());
    MainWindowProbe::setSpeedIndex(window, kSpeed16x);
    const double timeBefore = window.schroedingerSolver().time();
    play->click();
    run.runGaps.add(gapsWhileRunning(runSeconds() * 1000));
    pause->click();
    run.stepsRun +=
        (window.schroedingerSolver().time() - timeBefore) / window.schroedingerSolver().parameters().dt / runsPerCase();
}

// The percentile and the longest of the waits on both clocks, beside the
// reference's, and the ratios on each clock.
void reportWaits(benchmark::State& state, const std::string& key, const Waits& mine, const Waits& reference)
{
    const auto ratio = [](double a, double b) { return b > 0.0 ? a / b : 0.0; };
    const double cpu = percentile(mine.cpuMs, kHighPercentile);
    const double cpuReference = percentile(reference.cpuMs, kHighPercentile);
    const double wall = percentile(mine.wallMs, kHighPercentile);
    const double wallReference = percentile(reference.wallMs, kHighPercentile);
    state.counters[key + "_p90_ms"] = cpu;
    state.counters[key + "_p90_ms_p0"] = cpuReference;
    state.counters[key + "_ratio"] = ratio(cpu, cpuReference);
    state.counters[key + "_wall_p90_ms"] = wall;
    state.counters[key + "_wall_p90_ms_p0"] = wallReference;
    state.counters[key + "_wall_ratio"] = ratio(wall, wallReference);
    const auto longest = [](const std::vector<double>& v) {
        return v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
    };
    state.counters[key + "_max_ms"] = longest(mine.cpuMs);
    state.counters[key + "_wall_max_ms"] = longest(mine.wallMs);
    state.counters[key + "_wall_max_ms_p0"] = longest(reference.wallMs);
}

void guidedExperimentGaps(benchmark::State& state, std::uint32_t preset)
{
    MainWindow& window = bench::sharedBenchWindow();
    GapRun mine, reference;
    for (auto _ : state) {
        // Alternating order, so that neither case always runs on a warmer cache.
        for (int run = 0; run < runsPerCase(); ++run) {
            if (run % 2 == 0) {
                runOnTheFinestGrid(window, preset, state, mine);
                runOnTheFinestGrid(window, kReferencePreset, state, reference);
            } else {
                runOnTheFinestGrid(window, kReferencePreset, state, reference);
                runOnTheFinestGrid(window, preset, state, mine);
            }
        }
        state.SetIterationTime(percentile(mine.runGaps.wallMs, kHighPercentile) / 1000.0);
    }
    reportWaits(state, "gap", mine.runGaps, reference.runGaps);
    reportWaits(state, "reset", mine.reset, reference.reset);
    reportWaits(state, "load", mine.load, reference.load);
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
// blocks the event loop for as long as it takes. Beside preset 0's, the high
// percentile of the resets on the wall clock and on the thread's CPU clock.
void resetOnTheFinestGrid(benchmark::State& state, std::uint32_t preset)
{
    MainWindow& window = bench::sharedBenchWindow();
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
    Waits mine, reference;
    for (auto _ : state) {
        const Span one = resetTime(preset);
        reference.add(resetTime(kReferencePreset));
        mine.add(one);
        state.SetIterationTime(one.wallMs / 1000.0);
    }
    reportWaits(state, "reset", mine, reference);
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
    MainWindow& window = bench::sharedBenchWindow();
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
