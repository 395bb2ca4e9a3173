// Forward + inverse 2-D transform: the project's FFT2D beside FFTW (single
// precision, one thread, FFTW_MEASURE, planned once outside the timed loop).
// FFT2D runs its widest variant for this processor; the SSE2 variant, what a
// processor without AVX2 gets, is timed as well.

#include "core/FFT2D.h"
#include "core/FFT2DKernels.h"

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <random>

namespace {

void fillRandom(vxo::Complex* data, std::size_t n)
{
    std::mt19937 rng(42);
    std::uniform_real_distribution<float> u(-1.0f, 1.0f);
    for (std::size_t k = 0; k < n; ++k)
        data[k] = vxo::Complex(u(rng), u(rng));
}

void BM_FFT2D_ForwardInverse(benchmark::State& state)
{
    const auto n = static_cast<std::uint64_t>(state.range(0));
    vxo::ComplexField2D field(n, n, 0.1f, 0.1f);
    fillRandom(field.data(), field.size());
    for (auto _ : state) {
        vxo::FFT2D::forward(field);
        vxo::FFT2D::inverse(field);
        benchmark::DoNotOptimize(field.data());
    }
}

void BM_FFT2D_Sse2_ForwardInverse(benchmark::State& state)
{
    if (!vxo::fft2d::isAvailable(vxo::fft2d::KernelSet::Sse2)) {
        state.SkipWithError("no SSE2 variant on this processor");
        return;
    }
    const auto n = static_cast<std::size_t>(state.range(0));
    vxo::ComplexField2D field(n, n, 0.1f, 0.1f);
    fillRandom(field.data(), field.size());
    for (auto _ : state) {
        vxo::fft2d::transformField(vxo::fft2d::KernelSet::Sse2, field.data(), n, n, false);
        vxo::fft2d::transformField(vxo::fft2d::KernelSet::Sse2, field.data(), n, n, true);
        benchmark::DoNotOptimize(field.data());
    }
}

void BM_FFTW_ForwardInverse(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    auto* data = reinterpret_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * n * n));
    fftwf_plan fwd = fftwf_plan_dft_2d(n, n, data, data, FFTW_FORWARD, FFTW_MEASURE);
    fftwf_plan inv = fftwf_plan_dft_2d(n, n, data, data, FFTW_BACKWARD, FFTW_MEASURE);
    fillRandom(reinterpret_cast<vxo::Complex*>(data), static_cast<std::size_t>(n) * n);
    const float scale = 1.0f / static_cast<float>(n * n);
    for (auto _ : state) {
        fftwf_execute(fwd);
        fftwf_execute(inv);
        // FFTW leaves the inverse unscaled; scale as the project does.
        for (int k = 0; k < n * n; ++k) {
            data[k][0] *= scale;
            data[k][1] *= scale;
        }
        benchmark::DoNotOptimize(data);
    }
    fftwf_destroy_plan(fwd);
    fftwf_destroy_plan(inv);
    fftwf_free(data);
}

} // namespace

BENCHMARK(BM_FFT2D_ForwardInverse)->Arg(256)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FFT2D_Sse2_ForwardInverse)->Arg(256)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FFTW_ForwardInverse)->Arg(256)->Arg(512)->Arg(1024)->Unit(benchmark::kMillisecond);
