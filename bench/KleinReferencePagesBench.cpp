// The four Klein reference pages rebuild their stationary scans on every
// refresh while the Klein mode is on: 71 + 241 + 181 + 2 x 141 barrier
// solutions and four current points. Timed here per guided Klein experiment
// beside the floor of the tick that refresh follows: one Dirac step with the
// barrier and the absorbing layer on both components, on the experiments'
// 256 x 256 grid. The pages' paint is timed too, each handed its scan as a
// refresh hands it and painted offscreen at a laptop's page size, its regime
// names searched down the panel for a row clear of the curves. The whole tick of the same experiments is
// BM_GuidedExperimentTick/47..53 (MainWindowTickBench), best run together:
//   vxo_bench --benchmark_filter='Klein|GuidedExperimentTick/(4[7-9]|5[0-3])'

#include "app/panels/KleinReferencePages.h"
#include "core/AbsorbingBoundary2D.h"
#include "core/DiracSplitStepSolver2D.h"
#include "core/PotentialField2D.h"
#include "document/ExperimentCatalogue.h"
#include "document/ExperimentPreset.h"
#include "plots/QuantumDiracMasslessComparisonPlotWidget.h"
#include "plots/QuantumKleinAngleScanPlotWidget.h"
#include "plots/QuantumKleinHeightScanPlotWidget.h"
#include "plots/QuantumKleinMassScanPlotWidget.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QWidget>

#include <cstdint>

namespace vxo {
namespace {

constexpr double kHbar = 1.0;

KleinTunnelingConfig kleinSettingsOf(std::int64_t preset)
{
    return makeExperimentPreset(static_cast<std::uint32_t>(preset)).quantumKleinTunneling;
}

// The scans and current points of the four pages, as one refresh builds them.
void BM_KleinReferencePages(benchmark::State& state)
{
    const KleinTunnelingConfig settings = kleinSettingsOf(state.range(0));
    std::int64_t points = 0;
    for (auto _ : state) {
        const KleinAngleScan angle = buildKleinAngleReference(settings, kHbar);
        const KleinAngleScanPoint anglePoint =
            kleinBarrierReference(settings, kleinReferenceMarkerAngle(settings), kHbar);
        const KleinHeightScan height = buildKleinHeightReference(settings, kHbar);
        const KleinHeightScanPoint heightPoint = kleinHeightScanPoint(settings, settings.barrierHeight, kHbar);
        const KleinMassScan mass = buildKleinMassReference(settings, kHbar);
        const KleinMassScanPoint massPoint = kleinMassScanPoint(settings, settings.restMass, kHbar);
        const DiracMasslessComparison massless = buildDiracMasslessReference(settings, kHbar);
        const DiracMasslessComparisonPoint masslessPoint = diracMasslessComparisonPoint(
            settings, kKleinReferenceControlMass, kleinMasslessMarkerAngle(settings), kHbar);
        benchmark::DoNotOptimize(anglePoint);
        benchmark::DoNotOptimize(heightPoint);
        benchmark::DoNotOptimize(massPoint);
        benchmark::DoNotOptimize(masslessPoint);
        points = static_cast<std::int64_t>(angle.points.size() + height.points.size() + mass.points.size() +
                                           massless.points.size());
    }
    state.counters["scan_points"] = static_cast<double>(points);
}
BENCHMARK(BM_KleinReferencePages)->ArgName("preset")->DenseRange(47, 53)->Unit(benchmark::kMillisecond);

// The four pages handed their scans and painted, as one refresh of a shown
// page does (only the current page paints; the four together bound it).
void BM_KleinReferencePagesPaint(benchmark::State& state)
{
    const KleinTunnelingConfig settings = kleinSettingsOf(state.range(0));
    const KleinAngleScan angle = buildKleinAngleReference(settings, kHbar);
    const KleinHeightScan height = buildKleinHeightReference(settings, kHbar);
    const KleinMassScan mass = buildKleinMassReference(settings, kHbar);
    const DiracMasslessComparison massless = buildDiracMasslessReference(settings, kHbar);
    const QSize pageSize(700, 250);
    QWidget page;
    auto* anglePlot = new QuantumKleinAngleScanPlotWidget(&page);
    auto* heightPlot = new QuantumKleinHeightScanPlotWidget(&page);
    auto* massPlot = new QuantumKleinMassScanPlotWidget(&page);
    auto* masslessPlot = new QuantumDiracMasslessComparisonPlotWidget(&page);
    for (QWidget* plot : {static_cast<QWidget*>(anglePlot), static_cast<QWidget*>(heightPlot),
                          static_cast<QWidget*>(massPlot), static_cast<QWidget*>(masslessPlot)})
        plot->resize(pageSize);
    QImage target(pageSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        anglePlot->setScan(angle, 0.0, 0.5);
        heightPlot->setScan(height, settings.barrierHeight, 0.5);
        massPlot->setScan(mass, settings.restMass, 0.5);
        masslessPlot->setScan(massless, 0.0, 0.5);
        for (QWidget* plot : {static_cast<QWidget*>(anglePlot), static_cast<QWidget*>(heightPlot),
                              static_cast<QWidget*>(massPlot), static_cast<QWidget*>(masslessPlot)})
            plot->render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_KleinReferencePagesPaint)->ArgName("preset")->DenseRange(47, 53)->Unit(benchmark::kMillisecond);

// Reference: one propagation step of a Klein tick, the least a tick costs.
void BM_KleinDiracStep(benchmark::State& state)
{
    const KleinTunnelingConfig settings = kleinSettingsOf(50);
    constexpr std::uint64_t n = 256;
    const float d = static_cast<float>(40.96 / n);
    DiracSpinor2D spinor;
    spinor.resize(n, n, d, d);
    QuantumKleinTunneling2D::prepareInitialState(spinor, settings, kHbar, nullptr);
    PotentialField2D potential(n, n, d, d);
    QuantumKleinTunneling2D::buildPotential(potential, settings, nullptr);
    DiracSplitStepSolver2D solver;
    solver.configure(
        DiracParameters{1.0f, 0.02f, static_cast<float>(settings.lightSpeed), static_cast<float>(settings.restMass)});
    AbsorbingBoundary2D boundary;
    boundary.prepare(spinor.upper, 0.02f, AbsorbingBoundaryConfig{});
    for (auto _ : state) {
        solver.step(spinor, potential);
        boundary.apply(spinor.upper);
        boundary.apply(spinor.lower);
        benchmark::DoNotOptimize(spinor.upper.data());
    }
}
BENCHMARK(BM_KleinDiracStep)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vxo
