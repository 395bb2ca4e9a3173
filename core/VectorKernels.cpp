// The plain C++ and SSE2 tables (SSE2 is the x86-64 baseline, so no unit of
// its own), and the choice between the tables.

#include "core/VectorKernels.h"

#include "core/AmplitudeKernelPasses.h"
#include "core/ColumnAmplitudes2D.h"
#include "core/DensitySums2D.h"
#include "core/FFT2DPasses.h"
#include "core/GaugeLineSweepPasses.h"
#include "core/PhaseOffsetKernels.h"
#include "core/PhaseRoundingKernels.h"

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace vxo {

namespace {

#if defined(__x86_64__)
// Two complex values per 128-bit vector.
struct Sse2FftOps {
    static constexpr std::size_t kWidth = 2;
    using V = __m128;
    using Narrower = fft2d::ScalarOps;

    static V load(const Complex* p) { return _mm_loadu_ps(reinterpret_cast<const float*>(p)); }
    static void store(Complex* p, V v) { _mm_storeu_ps(reinterpret_cast<float*>(p), v); }
    static V add(V a, V b) { return _mm_add_ps(a, b); }
    static V sub(V a, V b) { return _mm_sub_ps(a, b); }
    static V mul(V a, V b) { return _mm_mul_ps(a, b); }
    static V swapParts(V a) { return _mm_shuffle_ps(a, a, _MM_SHUFFLE(2, 3, 0, 1)); }
    static V splat(float f) { return _mm_set1_ps(f); }
    static V negateRe(V a) { return _mm_xor_ps(a, _mm_setr_ps(-0.0f, 0.0f, -0.0f, 0.0f)); }
    static fft2d::Twiddle<Sse2FftOps> factors(V f)
    {
        return {_mm_shuffle_ps(f, f, _MM_SHUFFLE(2, 2, 0, 0)), negateRe(_mm_shuffle_ps(f, f, _MM_SHUFFLE(3, 3, 1, 1)))};
    }
    static V broadcastRe(double re) { return _mm_set1_ps(static_cast<float>(re)); }
    static V broadcastIm(double im) { return negateRe(_mm_set1_ps(static_cast<float>(im))); }
    // A tile row is two vectors (columns 0, 1 and 2, 3).
    static void transposeTile(const V (&in)[4][2], V (&out)[4][2])
    {
        for (int v = 0; v < 2; ++v) {
            out[2 * v][0] = _mm_movelh_ps(in[0][v], in[1][v]);
            out[2 * v][1] = _mm_movelh_ps(in[2][v], in[3][v]);
            out[2 * v + 1][0] = _mm_movehl_ps(in[1][v], in[0][v]);
            out[2 * v + 1][1] = _mm_movehl_ps(in[3][v], in[2][v]);
        }
    }
};

// Two line lanes per 128-bit vector.
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

// Four cells per 128-bit vector.
struct Sse2AmplitudeOps {
    static constexpr std::size_t kWidth = 4;
    using V = __m128;
    using Mask = __m128;
    static V load(const float* p) { return _mm_loadu_ps(p); }
    static void store(float* p, V v) { _mm_storeu_ps(p, v); }
    static void loadCells(const Complex* p, V& re, V& im)
    {
        const __m128 v0 = _mm_loadu_ps(reinterpret_cast<const float*>(p));     // r0 i0 r1 i1
        const __m128 v1 = _mm_loadu_ps(reinterpret_cast<const float*>(p + 2)); // r2 i2 r3 i3
        re = _mm_shuffle_ps(v0, v1, _MM_SHUFFLE(2, 0, 2, 0));
        im = _mm_shuffle_ps(v0, v1, _MM_SHUFFLE(3, 1, 3, 1));
    }
    static V splat(float f) { return _mm_set1_ps(f); }
    static V add(V a, V b) { return _mm_add_ps(a, b); }
    static V sub(V a, V b) { return _mm_sub_ps(a, b); }
    static V mul(V a, V b) { return _mm_mul_ps(a, b); }
    static V div(V a, V b) { return _mm_div_ps(a, b); }
    static V min(V a, V b) { return _mm_min_ps(a, b); }
    static V max(V a, V b) { return _mm_max_ps(a, b); }
    // a where a > m, else m: a NaN keeps m.
    static V maxKeepingSecond(V a, V m) { return _mm_max_ps(a, m); }
    static V abs(V a) { return _mm_and_ps(a, _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff))); }
    static bool allFinite(V ax, V ay)
    {
        const V inf = _mm_set1_ps(HUGE_VALF);
        return _mm_movemask_ps(_mm_and_ps(_mm_cmplt_ps(ax, inf), _mm_cmplt_ps(ay, inf))) == 0xf;
    }
    static Mask greater(V a, V b) { return _mm_cmpgt_ps(a, b); }
    static Mask equal(V a, V b) { return _mm_cmpeq_ps(a, b); }
    static Mask signBitSet(V a) { return _mm_castsi128_ps(_mm_srai_epi32(_mm_castps_si128(a), 31)); }
    static V select(Mask m, V a, V b) { return _mm_or_ps(_mm_and_ps(m, a), _mm_andnot_ps(m, b)); }
    static V zeroWhere(Mask m, V a) { return _mm_andnot_ps(m, a); }
    // r >= 0 with the sign of s.
    static V withSignOf(V r, V s) { return _mm_or_ps(r, _mm_and_ps(s, _mm_set1_ps(-0.0f))); }
    static float horizontalMax(V a)
    {
        const V pairs = _mm_max_ps(a, _mm_movehl_ps(a, a));
        return _mm_cvtss_f32(_mm_max_ss(pairs, _mm_shuffle_ps(pairs, pairs, _MM_SHUFFLE(1, 1, 1, 1))));
    }
};
#endif

} // namespace

const VectorKernels kPortableKernels = {
    &fft2d::transformGrid<fft2d::ScalarOps>,
    &fft2d::multiplyValues<fft2d::ScalarOps>,
    &gaugesweep::buildAllPivots<gaugesweep::ScalarSweepOps>,
    &gaugesweep::sweepAll<gaugesweep::ScalarSweepOps>,
    &amplitude::densityAndPhaseCellByCell,
    &amplitude::copyWithMaxAbsCellByCell,
    &density::accumulateRowPortable,
    &columnsum::accumulateRowPortable,
    &energy::accumulateRowPortable,
    &energy::accumulateDiracRowPortable,
    &keptspectrum::copyCellsPortable,
    &covariant::accumulateRowPortable,
    &phase::roundOffsetCarriedRunsPortable,
    &phase::potentialPhaseOffsetsPortable,
    &overlapsum::accumulatePortable,
    &angular::rowSumsPortable,
};

#if defined(__x86_64__)
const VectorKernels kSse2Kernels = {
    &fft2d::transformGrid<Sse2FftOps>,
    &fft2d::multiplyValues<Sse2FftOps>,
    &gaugesweep::buildAllPivots<Sse2SweepOps>,
    &gaugesweep::sweepAll<Sse2SweepOps>,
    &amplitude::densityAndPhaseCells<Sse2AmplitudeOps>,
    &amplitude::copyWithMaxAbsCells<Sse2AmplitudeOps>,
    &density::accumulateRowPortable,
    &columnsum::accumulateRowPortable,
    &energy::accumulateRowPortable,
    &energy::accumulateDiracRowPortable,
    &keptspectrum::copyCellsPortable,
    &covariant::accumulateRowPortable,
    &phase::roundOffsetCarriedRunsPortable,
    &phase::potentialPhaseOffsetsPortable,
    &overlapsum::accumulatePortable,
    &angular::rowSumsPortable,
};
#endif

const VectorKernels& vectorKernels(fft2d::KernelSet path)
{
    switch (path) {
#if defined(__x86_64__)
    case fft2d::KernelSet::Avx2:
        return kAvx2Kernels;
    case fft2d::KernelSet::Sse2:
        return kSse2Kernels;
#endif
    default:
        return kPortableKernels;
    }
}

} // namespace vxo
