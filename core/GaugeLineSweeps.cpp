// The plain C++ and SSE2 copies of the batched line sweeps, and the choice
// between the copies.

#include "core/GaugeLineSweeps.h"

#include "core/GaugeLineSweepPasses.h"

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace vxo::gaugesweep {

namespace {

#if defined(__x86_64__)
// Two lanes per 128-bit vector.
struct Sse2SweepOps {
    static constexpr std::size_t kWidth = 2;
    using V = __m128d;
    static V load(const double* p) { return _mm_loadu_pd(p); }
    static void store(double* p, V v) { _mm_storeu_pd(p, v); }
    static V add(V a, V b) { return _mm_add_pd(a, b); }
    static V sub(V a, V b) { return _mm_sub_pd(a, b); }
    static V mul(V a, V b) { return _mm_mul_pd(a, b); }
    static V div(V a, V b) { return _mm_div_pd(a, b); }
    static V splat(double v) { return _mm_set1_pd(v); }
    static V zero() { return _mm_setzero_pd(); }
    static void loadCells(const Complex* p, V& re, V& im)
    {
        const __m128 v = _mm_loadu_ps(reinterpret_cast<const float*>(p)); // r0 i0 r1 i1
        re = _mm_cvtps_pd(_mm_shuffle_ps(v, v, _MM_SHUFFLE(2, 0, 2, 0)));
        im = _mm_cvtps_pd(_mm_shuffle_ps(v, v, _MM_SHUFFLE(3, 1, 3, 1)));
    }
    static void storeCells(Complex* p, V re, V im)
    {
        _mm_storeu_ps(reinterpret_cast<float*>(p), _mm_unpacklo_ps(_mm_cvtpd_ps(re), _mm_cvtpd_ps(im)));
    }
};
#endif
} // namespace

std::size_t pivotSize(const Lines& lines) { return batchCount(lines) * (lines.length - 2) * kPivotStride; }

std::size_t scratchSize(const Lines& lines) { return 2 * lines.length * kLanes + kWorkStride * (lines.length - 2); }

void buildPivotsPortable(const Complex* links, const Lines& lines, double a, double* pivots, double* scratch)
{
    buildAllPivots<ScalarSweepOps>(links, lines, a, pivots, scratch);
}

void sweepPortable(Complex* psi, const Complex* links, const Lines& lines, double a, const double* pivots,
                   double* scratch)
{
    sweepAll<ScalarSweepOps>(psi, links, lines, a, pivots, scratch);
}

#if defined(__x86_64__)
void buildPivotsSse2(const Complex* links, const Lines& lines, double a, double* pivots, double* scratch)
{
    buildAllPivots<Sse2SweepOps>(links, lines, a, pivots, scratch);
}

void sweepSse2(Complex* psi, const Complex* links, const Lines& lines, double a, const double* pivots, double* scratch)
{
    sweepAll<Sse2SweepOps>(psi, links, lines, a, pivots, scratch);
}
#endif

void buildPivots(fft2d::Path path, const Complex* links, const Lines& lines, double a, double* pivots, double* scratch)
{
    switch (path) {
#if defined(__x86_64__)
    case fft2d::Path::Avx2:
        buildPivotsAvx2(links, lines, a, pivots, scratch);
        return;
    case fft2d::Path::Sse2:
        buildPivotsSse2(links, lines, a, pivots, scratch);
        return;
#endif
    default:
        buildPivotsPortable(links, lines, a, pivots, scratch);
        return;
    }
}

void sweep(fft2d::Path path, Complex* psi, const Complex* links, const Lines& lines, double a, const double* pivots,
           double* scratch)
{
    switch (path) {
#if defined(__x86_64__)
    case fft2d::Path::Avx2:
        sweepAvx2(psi, links, lines, a, pivots, scratch);
        return;
    case fft2d::Path::Sse2:
        sweepSse2(psi, links, lines, a, pivots, scratch);
        return;
#endif
    default:
        sweepPortable(psi, links, lines, a, pivots, scratch);
        return;
    }
}

} // namespace vxo::gaugesweep
