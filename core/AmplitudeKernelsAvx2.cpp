// The amplitude maps on 256-bit AVX2 vectors, called only after the processor
// has been checked (how the unit is compiled: TargetAvx2Begin.h).

#include "core/AmplitudeKernels.h"

#if defined(__x86_64__)

#include "core/ComplexField2D.h"

#include <cmath>
#include <cstddef>
#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

#include "core/AmplitudeKernelPasses.h"

namespace vxo::amplitude {
namespace {

// Eight cells per 256-bit vector.
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

float densityAndPhaseAvx2(const Complex* values, std::size_t count, float* density, float* phase)
{
    return densityAndPhaseCells<Avx2AmplitudeOps>(values, count, density, phase);
}

float copyWithMaxAbsAvx2(const float* v, std::size_t count, float* out)
{
    return copyWithMaxAbsCells<Avx2AmplitudeOps>(v, count, out);
}

} // namespace vxo::amplitude

#include "core/TargetAvx2End.h"

#endif
