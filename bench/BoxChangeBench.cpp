// How long one change of a box keeps the window from answering: the rebuild
// that the change starts and everything it recomputes, timed on the GUI
// thread's CPU clock beside a change of the packet's momentum box of the same
// experiment in the same iteration (a plain rebuild of the same grid and
// scene), so that the ratio holds on a shared machine.
//
// BM_SweepTimingBoxChange: the sweep's duration, hold and return boxes of the
// two Stueckelberg experiments, set to values up to the box's maximum, one
// wheel notch down from the maximum, and "1000" typed key by key.
// BM_EveryDriveBoxAtItsMaximum: every box of the four drive pages, at its
// maximum, in each two-level experiment; the slowest box is named in the
// label.

#include "app/mainwindow/MainWindow.h"
#include "BenchWindow.h"
#include "ThreadCpuClock.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QSpinBox>
#include <QWheelEvent>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace vxo {
namespace {

constexpr int kStueckelbergConstructive = 20;
constexpr int kStueckelbergDestructive = 21;
// A wheel notch, or "1000" typed over the box's text, rather than a value.
constexpr std::int64_t kWheelNotch = -1;
constexpr std::int64_t kTypedThousand = -2;

QDoubleSpinBox* box(MainWindow& window, const std::string& name)
{
    return window.findChild<QDoubleSpinBox*>(QString::fromStdString(name));
}

// The CPU time of `change` on this thread, in milliseconds.
template <typename Change>
double cpuMillisecondsOf(Change change)
{
    const double start = bench::threadCpuMilliseconds();
    change();
    return bench::threadCpuMilliseconds() - start;
}

// One notch of a mouse wheel over the box, as the window receives it.
void wheelNotchDown(QDoubleSpinBox& spin)
{
    const QPointF centre(spin.width() / 2.0, spin.height() / 2.0);
    QWheelEvent event(centre, QPointF(spin.mapToGlobal(centre.toPoint())), QPoint(),
                      QPoint(0, -QWheelEvent::DefaultDeltasPerStep), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(&spin, &event);
}

// "1000" typed key by key over the selected text, as a user types it: with
// the box's keyboard tracking every key that leaves a number changes it.
void typeThousand(QDoubleSpinBox& spin)
{
    spin.selectAll();
    for (const char digit : {'1', '0', '0', '0'}) {
        const Qt::Key key = digit == '1' ? Qt::Key_1 : Qt::Key_0;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(QChar(digit)));
        QApplication::sendEvent(&spin, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(QChar(digit)));
        QApplication::sendEvent(&spin, &release);
    }
}

// A change of the momentum box by one step on the freshly loaded preset.
double momentumChangeMs(MainWindow& window, int preset)
{
    window.loadGuidedExperiment(preset);
    QDoubleSpinBox* momentum = box(window, "momentumSpinBox");
    const double to = momentum->value() + momentum->singleStep();
    return cpuMillisecondsOf([&] { momentum->setValue(to); });
}

// A double or an integer box at its maximum.
void setToMaximum(MainWindow& window, const std::string& name)
{
    if (QDoubleSpinBox* spin = box(window, name))
        spin->setValue(spin->maximum());
    else if (auto* integer = window.findChild<QSpinBox*>(QString::fromStdString(name)))
        integer->setValue(integer->maximum());
}

void reportBeside(benchmark::State& state, double mineMs, double referenceMs)
{
    state.counters["change_ms"] = mineMs;
    state.counters["momentum_change_ms"] = referenceMs;
    state.counters["ratio"] = referenceMs > 0.0 ? mineMs / referenceMs : 0.0;
}

// state.range(0): preset; range(1): which box; range(2): the value, a wheel
// notch down from the box's maximum, or "1000" typed.
const std::vector<std::string> kSweepTimingBoxes = {"linearSweepDurationSpinBox", "linearSweepHoldDurationSpinBox",
                                                    "linearSweepReturnDurationSpinBox"};

void BM_SweepTimingBoxChange(benchmark::State& state)
{
    MainWindow& window = bench::sharedBenchWindow();
    const int preset = static_cast<int>(state.range(0));
    const std::string& name = kSweepTimingBoxes[static_cast<std::size_t>(state.range(1))];
    const std::int64_t value = state.range(2);
    double mine = 0.0, reference = 0.0;
    for (auto _ : state) {
        window.loadGuidedExperiment(preset);
        QDoubleSpinBox* spin = box(window, name);
        if (value == kWheelNotch) {
            spin->setValue(spin->maximum());
            const double before = spin->value();
            mine = cpuMillisecondsOf([&] { wheelNotchDown(*spin); });
            if (spin->value() == before)
                state.SkipWithError("the wheel did not move the box");
        } else if (value == kTypedThousand) {
            mine = cpuMillisecondsOf([&] { typeThousand(*spin); });
            if (spin->value() != 1000.0)
                state.SkipWithError("the typed text did not reach the box");
        } else {
            mine = cpuMillisecondsOf([&] { spin->setValue(static_cast<double>(value)); });
        }
        reference = momentumChangeMs(window, preset);
        state.SetIterationTime(mine / 1000.0);
    }
    state.SetLabel(name);
    reportBeside(state, mine, reference);
}
BENCHMARK(BM_SweepTimingBoxChange)
    ->ArgNames({"preset", "box", "value"})
    ->ArgsProduct({{kStueckelbergConstructive, kStueckelbergDestructive},
                   {0, 1, 2},
                   {10, 100, 500, 1000, kWheelNotch, kTypedThousand}})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Every box of the quench, drive, sweep and Ramsey pages (the ensemble's
// included) at its maximum, each on the freshly loaded preset.
void BM_EveryDriveBoxAtItsMaximum(benchmark::State& state)
{
    MainWindow& window = bench::sharedBenchWindow();
    const int preset = static_cast<int>(state.range(0));
    std::vector<std::string> names;
    for (const QAbstractSpinBox* spin : window.findChildren<QAbstractSpinBox*>()) {
        const QString name = spin->objectName();
        for (const char* page : {"quench", "periodicDrive", "linearSweep", "ramsey"})
            if (name.startsWith(QLatin1String(page)))
                names.push_back(name.toStdString());
    }
    std::sort(names.begin(), names.end());
    double slowest = 0.0, reference = 0.0;
    std::string slowestName;
    for (auto _ : state) {
        for (const std::string& name : names) {
            window.loadGuidedExperiment(preset);
            const double ms = cpuMillisecondsOf([&] { setToMaximum(window, name); });
            if (ms > slowest) {
                slowest = ms;
                slowestName = name;
            }
        }
        reference = momentumChangeMs(window, preset);
        state.SetIterationTime(slowest / 1000.0);
    }
    state.SetLabel(slowestName);
    state.counters["boxes"] = static_cast<double>(names.size());
    reportBeside(state, slowest, reference);
}
BENCHMARK(BM_EveryDriveBoxAtItsMaximum)
    ->ArgName("preset")
    ->DenseRange(12, 26)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vxo
