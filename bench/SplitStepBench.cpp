// One Strang split step (potential half step, forward transform, kinetic
// phase, inverse transform, potential half step) with cached phase tables:
// the project's solver beside the same step on FFTW (FftwSplitStep.h: single
// precision, one thread, FFTW_MEASURE, planned once outside the timed loop).
// The FFTW step is given every advantage the solver has: the solver's tables
// and products on the same vector path, and FFTW's missing 1/N taken in the
// kinetic product instead of a pass of its own.

#include "BenchScene.h"
#include "FftwSplitStep.h"
#include "core/SplitStepFourierSolver2D.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <exception>
#include <optional>
#include <string>

namespace {

struct StepSetup : vxo::bench::BenchScene {
    vxo::SplitStepFourierSolver2D solver;
};

// The bench scene with both tables built.
void makeSetup(StepSetup& s, std::uint64_t n)
{
    vxo::bench::prepareScene(s, n, 1.5f, 2.5f, 0.0f, 0.05f);
    s.solver.configure(vxo::SplitStepParameters{1.0f, 1.0f, 0.02f});
    s.solver.prepareKineticPhase(s.psi);
    s.solver.preparePotentialPhase(s.potential);
}

void BM_SplitStep_Solver(benchmark::State& state)
{
    StepSetup s;
    makeSetup(s, static_cast<std::uint64_t>(state.range(0)));
    for (auto _ : state) {
        s.solver.step(s.psi, s.potential);
        benchmark::DoNotOptimize(s.psi.data());
    }
}

void BM_SplitStep_FFTW(benchmark::State& state)
{
    StepSetup s;
    makeSetup(s, static_cast<std::uint64_t>(state.range(0)));
    std::optional<vxo::bench::FftwSplitStep> reference;
    try {
        reference.emplace(s.solver, s.psi, FFTW_MEASURE);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
        return;
    }
    const double before = s.psi.norm();
    for (auto _ : state) {
        reference->step();
        benchmark::DoNotOptimize(reference->data());
    }
    // A reference that does not keep the norm is not timing a step.
    reference->copyTo(s.psi);
    const double change = std::abs(s.psi.norm() - before);
    if (!(change < 1e-3))
        state.SkipWithError(("the FFTW step changed the norm by " + std::to_string(change)).c_str());
}

} // namespace

// The potential's tables rebuilt after a change, as a moving potential asks
// every tick: a smooth trap (one step, no sub-steps), a box of sharp walls
// (sub-steps: the table of the whole sub-step too) and a deformed trap off
// the centre (no two cells alike, every cosine and sine its own), on
// 512 x 512 cells.
void BM_SplitStep_PotentialRebuild(benchmark::State& state)
{
    StepSetup s;
    makeSetup(s, 512);
    const float extent = s.potential.dx() * 512.0f;
    if (state.range(0) == 0) {
        s.potential.fill(0.0f);
        s.potential.addHarmonic(0.0f, 0.0f, 0.0f, 0.5f, 0.5f);
    } else if (state.range(0) == 1) {
        s.potential.fill(120.0f);
        s.potential.addRectangle(0.0f, 0.0f, 0.5f * extent, 0.5f * extent, -120.0f);
    } else {
        s.potential.fill(0.0f);
        s.potential.addHarmonic(0.13f * extent, -0.07f * extent, 0.0f, 0.5f, 0.5f);
        s.potential.addQuadrupole(0.13f * extent, -0.07f * extent, 0.05f, 0.03f);
    }
    for (auto _ : state) {
        s.solver.preparePotentialPhase(s.potential);
        benchmark::DoNotOptimize(s.solver.subSteps());
    }
}

BENCHMARK(BM_SplitStep_Solver)->Arg(256)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitStep_FFTW)->Arg(256)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SplitStep_PotentialRebuild)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
