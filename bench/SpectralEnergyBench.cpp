// The energy that the Fourier step conserves, as each observation computes
// it, at 512 x 512 and 1024 x 1024: by line transforms in a small buffer,
// beside the way it was computed before (a fresh copy of the field, its 2D
// transform and scalar sums over it) and beside the 2D transform alone, in
// place, the floor of any spectral reading. Thread CPU time.

#include "BenchScene.h"
#include "ThreadCpuClock.h"
#include "core/FFT2D.h"
#include "core/FourierGrid.h"
#include "core/SpectralEnergy2D.h"

#include <benchmark/benchmark.h>

#include <complex>

namespace {

using vxo::bench::BenchScene;

void makeScene(BenchScene& s, std::uint64_t n) { vxo::bench::prepareScene(s, n, 3.0f, 2.5f, -1.0f, 0.05f); }

template <typename Body>
void timeOnThreadCpu(benchmark::State& state, Body body)
{
    for (auto _ : state) {
        const double start = vxo::bench::threadCpuMilliseconds();
        body();
        state.SetIterationTime((vxo::bench::threadCpuMilliseconds() - start) / 1000.0);
    }
}

void BM_SpectralEnergy(benchmark::State& state)
{
    BenchScene s;
    makeScene(s, static_cast<std::uint64_t>(state.range(0)));
    timeOnThreadCpu(
        state, [&] { benchmark::DoNotOptimize(vxo::SpectralEnergy2D::compute(s.psi, s.potential, 1.0, 1.0).total); });
}

// Reference: the former reading, a fresh copy transformed whole and summed
// cell by cell.
void BM_SpectralEnergy_FreshCopyTransformed(benchmark::State& state)
{
    BenchScene s;
    makeScene(s, static_cast<std::uint64_t>(state.range(0)));
    timeOnThreadCpu(state, [&] {
        vxo::ComplexField2D spectrum = s.psi;
        vxo::FFT2D::forward(spectrum);
        double weight = 0.0, kinetic = 0.0, norm = 0.0, potential = 0.0;
        for (std::uint64_t j = 0; j < s.psi.ny(); ++j) {
            const double ky = vxo::fftWaveNumber(j, s.psi.ny(), s.psi.dy());
            for (std::uint64_t i = 0; i < s.psi.nx(); ++i) {
                const double kx = vxo::fftWaveNumber(i, s.psi.nx(), s.psi.dx());
                const double p = std::norm(std::complex<double>(spectrum.at(i, j)));
                weight += p;
                kinetic += p * (kx * kx + ky * ky);
            }
        }
        for (std::uint64_t c = 0; c < s.psi.size(); ++c) {
            const double p = std::norm(std::complex<double>(s.psi.data()[c]));
            norm += p;
            potential += p * double(s.potential.data()[c]);
        }
        benchmark::DoNotOptimize(kinetic / weight + potential / norm);
    });
}

// Reference: the 2D transform alone, in place.
void BM_SpectralEnergy_TransformInPlace(benchmark::State& state)
{
    BenchScene s;
    makeScene(s, static_cast<std::uint64_t>(state.range(0)));
    timeOnThreadCpu(state, [&] {
        vxo::FFT2D::forward(s.psi);
        benchmark::DoNotOptimize(s.psi.data());
    });
}

} // namespace

BENCHMARK(BM_SpectralEnergy)->Arg(512)->Arg(1024)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpectralEnergy_FreshCopyTransformed)->Arg(512)->Arg(1024)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpectralEnergy_TransformInPlace)->Arg(512)->Arg(1024)->UseManualTime()->Unit(benchmark::kMillisecond);
