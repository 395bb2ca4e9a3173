// What a refresh computes from the wave function at 512 x 512 and 256 x 256:
// the texture frame (density, phase, potential and their maxima) rebuilt in
// place, beside the same frame from the scalar loop it replaced (std::atan2
// per cell); and the probability current recomputed into the same record,
// beside a fresh record per call.

#include "BenchScene.h"
#include "core/AmplitudeKernels.h"
#include "core/ProbabilityCurrent2D.h"
#include "view/QuantumTextureFrame2D.h"

#include <benchmark/benchmark.h>

namespace {

using DisplaySetup = vxo::bench::BenchScene;

void makeSetup(DisplaySetup& s, std::uint64_t n) { vxo::bench::prepareScene(s, n, 3.0f, 2.5f, -1.0f, 0.05f); }

void BM_TextureFrame_Rebuild(benchmark::State& state)
{
    DisplaySetup s;
    makeSetup(s, static_cast<std::uint64_t>(state.range(0)));
    vxo::QuantumTextureFrame2D frame;
    vxo::QuantumTextureFrame2D::assignFromField(s.psi, s.potential, frame);
    for (auto _ : state) {
        vxo::QuantumTextureFrame2D::assignFromField(s.psi, s.potential, frame);
        benchmark::DoNotOptimize(frame.phase.data());
    }
}

// The portable path is the scalar loop of the first frame builder.
void BM_TextureFrame_ScalarLoop(benchmark::State& state)
{
    DisplaySetup s;
    makeSetup(s, static_cast<std::uint64_t>(state.range(0)));
    vxo::QuantumTextureFrame2D frame;
    vxo::QuantumTextureFrame2D::assignFromField(s.psi, s.potential, frame);
    const std::size_t cells = s.psi.size();
    for (auto _ : state) {
        frame.maxProbability = vxo::amplitude::densityAndPhase(vxo::fft2d::KernelSet::Portable, s.psi.data(), cells,
                                                               frame.probability.data(), frame.phase.data());
        frame.maxAbsPotential = vxo::amplitude::copyWithMaxAbs(vxo::fft2d::KernelSet::Portable, s.potential.data(),
                                                               cells, frame.potential.data());
        benchmark::DoNotOptimize(frame.phase.data());
    }
}

void BM_ProbabilityCurrent_IntoSameRecord(benchmark::State& state)
{
    DisplaySetup s;
    makeSetup(s, static_cast<std::uint64_t>(state.range(0)));
    vxo::ProbabilityCurrent2D current;
    vxo::ProbabilityCurrent2D::computeInto(s.psi, 1.0f, 1.0f, current);
    for (auto _ : state) {
        vxo::ProbabilityCurrent2D::computeInto(s.psi, 1.0f, 1.0f, current);
        benchmark::DoNotOptimize(current.jx.data());
    }
}

void BM_ProbabilityCurrent_FreshRecord(benchmark::State& state)
{
    DisplaySetup s;
    makeSetup(s, static_cast<std::uint64_t>(state.range(0)));
    for (auto _ : state) {
        vxo::ProbabilityCurrent2D current = vxo::ProbabilityCurrent2D::compute(s.psi, 1.0f, 1.0f);
        benchmark::DoNotOptimize(current.jx.data());
    }
}

} // namespace

BENCHMARK(BM_TextureFrame_Rebuild)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TextureFrame_ScalarLoop)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProbabilityCurrent_IntoSameRecord)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProbabilityCurrent_FreshRecord)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);
