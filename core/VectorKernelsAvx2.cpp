// The AVX2 table: the vector passes on 256-bit vectors. This unit alone is
// compiled for AVX2 (TargetAvx2Begin.h), and its table is used only after the
// processor has been checked. The library headers come first so that none of
// their inline code is compiled for AVX2.

#include "core/VectorKernels.h"

#if defined(__x86_64__)

#include "core/ColumnAmplitudes2D.h"
#include "core/ComplexField2D.h"
#include "core/DensitySums2D.h"
#include "core/Numeric.h"
#include "core/PhaseOffsetKernels.h"
#include "core/PhaseRoundingKernels.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

#include "core/Avx2Cells.h"

#include "core/AmplitudeKernelPasses.h"
#include "core/FFT2DPasses.h"
#include "core/GaugeLineSweepPasses.h"

namespace vxo {
namespace {

// Four complex values per vector.
struct Avx2FftOps {
    static constexpr std::size_t kWidth = 4;
    using V = __m256;
    using Narrower = fft2d::ScalarOps;

    static V load(const Complex* p) { return _mm256_loadu_ps(reinterpret_cast<const float*>(p)); }
    static void store(Complex* p, V v) { _mm256_storeu_ps(reinterpret_cast<float*>(p), v); }
    static V add(V a, V b) { return _mm256_add_ps(a, b); }
    static V sub(V a, V b) { return _mm256_sub_ps(a, b); }
    static V mul(V a, V b) { return _mm256_mul_ps(a, b); }
    static V swapParts(V a) { return _mm256_permute_ps(a, _MM_SHUFFLE(2, 3, 0, 1)); }
    static V splat(float f) { return _mm256_set1_ps(f); }
    static V negateRe(V a)
    {
        return _mm256_xor_ps(a, _mm256_setr_ps(-0.0f, 0.0f, -0.0f, 0.0f, -0.0f, 0.0f, -0.0f, 0.0f));
    }
    static fft2d::Twiddle<Avx2FftOps> factors(V f) { return {_mm256_moveldup_ps(f), negateRe(_mm256_movehdup_ps(f))}; }
    static V broadcastRe(double re) { return _mm256_set1_ps(static_cast<float>(re)); }
    static V broadcastIm(double im) { return negateRe(_mm256_set1_ps(static_cast<float>(im))); }
    // A tile row is one vector; 4 x 4 transpose of 64-bit complex values.
    static void transposeTile(const V (&in)[4][1], V (&out)[4][1])
    {
        const __m256d r0 = _mm256_castps_pd(in[0][0]);
        const __m256d r1 = _mm256_castps_pd(in[1][0]);
        const __m256d r2 = _mm256_castps_pd(in[2][0]);
        const __m256d r3 = _mm256_castps_pd(in[3][0]);
        const __m256d t0 = _mm256_unpacklo_pd(r0, r1); // r0c0 r1c0 | r0c2 r1c2
        const __m256d t1 = _mm256_unpackhi_pd(r0, r1); // r0c1 r1c1 | r0c3 r1c3
        const __m256d t2 = _mm256_unpacklo_pd(r2, r3);
        const __m256d t3 = _mm256_unpackhi_pd(r2, r3);
        out[0][0] = _mm256_castpd_ps(_mm256_permute2f128_pd(t0, t2, 0x20));
        out[1][0] = _mm256_castpd_ps(_mm256_permute2f128_pd(t1, t3, 0x20));
        out[2][0] = _mm256_castpd_ps(_mm256_permute2f128_pd(t0, t2, 0x31));
        out[3][0] = _mm256_castpd_ps(_mm256_permute2f128_pd(t1, t3, 0x31));
    }
};

// Four line lanes per vector.
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
    static void loadCells(const Complex* p, V& re, V& im) { avx2::loadCells(p, re, im); }
    static void storeCells(Complex* p, V re, V im)
    {
        const __m128 r = _mm256_cvtpd_ps(re);
        const __m128 i = _mm256_cvtpd_ps(im);
        const __m256 v = _mm256_set_m128(_mm_unpackhi_ps(r, i), _mm_unpacklo_ps(r, i));
        _mm256_storeu_ps(reinterpret_cast<float*>(p), v);
    }
};

// Eight cells per vector.
struct Avx2AmplitudeOps {
    static constexpr std::size_t kWidth = 8;
    using V = __m256;
    using Mask = __m256;
    static V load(const float* p) { return _mm256_loadu_ps(p); }
    static void store(float* p, V v) { _mm256_storeu_ps(p, v); }
    static void loadCells(const Complex* p, V& re, V& im)
    {
        const __m256 v0 = _mm256_loadu_ps(reinterpret_cast<const float*>(p));     // r0 i0 .. r3 i3
        const __m256 v1 = _mm256_loadu_ps(reinterpret_cast<const float*>(p + 4)); // r4 i4 .. r7 i7
        // Within each 128-bit half: (r0 r1 r4 r5 | r2 r3 r6 r7); the 64-bit
        // permutation puts the pairs in order.
        const __m256 r = _mm256_shuffle_ps(v0, v1, _MM_SHUFFLE(2, 0, 2, 0));
        const __m256 i = _mm256_shuffle_ps(v0, v1, _MM_SHUFFLE(3, 1, 3, 1));
        re = _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(r), _MM_SHUFFLE(3, 1, 2, 0)));
        im = _mm256_castpd_ps(_mm256_permute4x64_pd(_mm256_castps_pd(i), _MM_SHUFFLE(3, 1, 2, 0)));
    }
    static V splat(float f) { return _mm256_set1_ps(f); }
    static V add(V a, V b) { return _mm256_add_ps(a, b); }
    static V sub(V a, V b) { return _mm256_sub_ps(a, b); }
    static V mul(V a, V b) { return _mm256_mul_ps(a, b); }
    static V div(V a, V b) { return _mm256_div_ps(a, b); }
    static V min(V a, V b) { return _mm256_min_ps(a, b); }
    static V max(V a, V b) { return _mm256_max_ps(a, b); }
    // a where a > m, else m: a NaN keeps m.
    static V maxKeepingSecond(V a, V m) { return _mm256_max_ps(a, m); }
    static V abs(V a) { return _mm256_and_ps(a, _mm256_castsi256_ps(_mm256_set1_epi32(0x7fffffff))); }
    static bool allFinite(V ax, V ay)
    {
        const V inf = _mm256_set1_ps(HUGE_VALF);
        return _mm256_movemask_ps(
                   _mm256_and_ps(_mm256_cmp_ps(ax, inf, _CMP_LT_OQ), _mm256_cmp_ps(ay, inf, _CMP_LT_OQ))) == 0xff;
    }
    static Mask greater(V a, V b) { return _mm256_cmp_ps(a, b, _CMP_GT_OQ); }
    static Mask equal(V a, V b) { return _mm256_cmp_ps(a, b, _CMP_EQ_OQ); }
    static Mask signBitSet(V a) { return _mm256_castsi256_ps(_mm256_srai_epi32(_mm256_castps_si256(a), 31)); }
    static V select(Mask m, V a, V b) { return _mm256_blendv_ps(b, a, m); }
    static V zeroWhere(Mask m, V a) { return _mm256_andnot_ps(m, a); }
    // r >= 0 with the sign of s.
    static V withSignOf(V r, V s) { return _mm256_or_ps(r, _mm256_and_ps(s, _mm256_set1_ps(-0.0f))); }
    static float horizontalMax(V a)
    {
        const __m128 halves = _mm_max_ps(_mm256_castps256_ps128(a), _mm256_extractf128_ps(a, 1));
        const __m128 pairs = _mm_max_ps(halves, _mm_movehl_ps(halves, halves));
        return _mm_cvtss_f32(_mm_max_ss(pairs, _mm_shuffle_ps(pairs, pairs, _MM_SHUFFLE(1, 1, 1, 1))));
    }
};

} // namespace

const VectorKernels kAvx2Kernels = {
    &fft2d::transformGrid<Avx2FftOps>,
    &fft2d::multiplyValues<Avx2FftOps>,
    &gaugesweep::buildAllPivots<Avx2SweepOps>,
    &gaugesweep::sweepAll<Avx2SweepOps>,
    &amplitude::densityAndPhaseCells<Avx2AmplitudeOps>,
    &amplitude::copyWithMaxAbsCells<Avx2AmplitudeOps>,
    &density::accumulateRowAvx2,
    &columnsum::accumulateRowAvx2,
    &energy::accumulateRowAvx2,
    &energy::accumulateDiracRowAvx2,
    &keptspectrum::copyCellsAvx2,
    &covariant::accumulateRowAvx2,
    &phase::roundOffsetCarriedRunsAvx2,
    &phase::potentialPhaseOffsetsAvx2,
    &overlapsum::accumulateAvx2,
    &angular::rowSumsAvx2,
};

} // namespace vxo

#include "core/TargetAvx2End.h"

#endif
