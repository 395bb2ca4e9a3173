// The batched line sweeps on 256-bit AVX2 vectors, called only after the
// processor has been checked (how the unit is compiled: TargetAvx2Begin.h).

#include "core/GaugeLineSweeps.h"

#if defined(__x86_64__)

#include "core/ComplexField2D.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

#include "core/GaugeLineSweepPasses.h"

namespace vxo::gaugesweep {
namespace {

// Four lanes per 256-bit vector.
struct Avx2SweepOps {
    static constexpr std::size_t kWidth = 4;
    using V = __m256d;
    static V load(const double* p) { return _mm256_loadu_pd(p); }
    static void store(double* p, V v) { _mm256_storeu_pd(p, v); }
    static V add(V a, V b) { return _mm256_add_pd(a, b); }
    static V sub(V a, V b) { return _mm256_sub_pd(a, b); }
    static V mul(V a, V b) { return _mm256_mul_pd(a, b); }
    static V div(V a, V b) { return _mm256_div_pd(a, b); }
    static V splat(double v) { return _mm256_set1_pd(v); }
    static V zero() { return _mm256_setzero_pd(); }
    static void loadCells(const Complex* p, V& re, V& im)
    {
        const __m256 v = _mm256_loadu_ps(reinterpret_cast<const float*>(p)); // r0 i0 r1 i1 r2 i2 r3 i3
        const __m256 parts = _mm256_permutevar8x32_ps(v, _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7));
        re = _mm256_cvtps_pd(_mm256_castps256_ps128(parts));
        im = _mm256_cvtps_pd(_mm256_extractf128_ps(parts, 1));
    }
    static void storeCells(Complex* p, V re, V im)
    {
        const __m128 r = _mm256_cvtpd_ps(re);
        const __m128 i = _mm256_cvtpd_ps(im);
        const __m256 v = _mm256_set_m128(_mm_unpackhi_ps(r, i), _mm_unpacklo_ps(r, i));
        _mm256_storeu_ps(reinterpret_cast<float*>(p), v);
    }
};

} // namespace

void buildPivotsAvx2(const Complex* links, const Lines& lines, double a, double* pivots, double* scratch)
{
    buildAllPivots<Avx2SweepOps>(links, lines, a, pivots, scratch);
}

void sweepAvx2(Complex* psi, const Complex* links, const Lines& lines, double a, const double* pivots, double* scratch)
{
    sweepAll<Avx2SweepOps>(psi, links, lines, a, pivots, scratch);
}

} // namespace vxo::gaugesweep

#include "core/TargetAvx2End.h"

#endif
