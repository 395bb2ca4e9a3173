// One magnetic step (potential half step, line-implicit sweeps along x, y, x,
// potential half step) in a uniform magnetic field: the solver's batched
// sweeps with kept factorisations beside the line-by-line solver they
// replaced, which builds and divides out every line's system on every sweep.

#include "BenchScene.h"
#include "ReferenceGaugeStep.h"
#include "core/GaugeLinkField2D.h"
#include "core/SplitStepFourierSolver2D.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

struct MagneticSetup : vxo::bench::BenchScene {
    vxo::GaugeLinkField2D links;
    vxo::SplitStepFourierSolver2D solver;
};

// The bench scene in a weak trap and a uniform field b = qB / hbar = 0.5 in
// the symmetric gauge, the Landau preset's kind of scene.
void makeSetup(MagneticSetup& s, std::uint64_t n)
{
    vxo::bench::prepareScene(s, n, 1.5f, 0.0f, 1.2f, 0.01f);
    const float d = s.psi.dx();
    s.links.resize(n, n, d, d);
    const double b = 0.5;
    for (std::uint64_t j = 0; j < n; ++j)
        for (std::uint64_t i = 0; i < n; ++i) {
            const double ax = b * vxo::gridCoordinateY(s.psi, j) * d / 2.0;
            const double ay = -b * vxo::gridCoordinateX(s.psi, i) * d / 2.0;
            s.links.setLinkX(i, j, vxo::Complex(float(std::cos(ax)), float(std::sin(ax))));
            s.links.setLinkY(i, j, vxo::Complex(float(std::cos(ay)), float(std::sin(ay))));
        }
    s.solver.configure(vxo::SplitStepParameters{1.0f, 1.0f, 0.02f});
}

void BM_MagneticStep_Solver(benchmark::State& state)
{
    MagneticSetup s;
    makeSetup(s, static_cast<std::uint64_t>(state.range(0)));
    s.solver.stepWithGauge(s.psi, s.potential, s.links); // tables and factorisations built
    for (auto _ : state) {
        s.solver.stepWithGauge(s.psi, s.potential, s.links);
        benchmark::DoNotOptimize(s.psi.data());
    }
}

void BM_MagneticStep_LineByLine(benchmark::State& state)
{
    MagneticSetup s;
    makeSetup(s, static_cast<std::uint64_t>(state.range(0)));
    vxo::reference::gaugeStep(s.solver, s.psi, s.potential, s.links);
    for (auto _ : state) {
        vxo::reference::gaugeStep(s.solver, s.psi, s.potential, s.links);
        benchmark::DoNotOptimize(s.psi.data());
    }
}

} // namespace

BENCHMARK(BM_MagneticStep_Solver)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MagneticStep_LineByLine)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);
