// The carried rounding of phase-factor offsets on 256-bit AVX2 vectors,
// called only after the processor has been checked (how the unit is compiled:
// TargetAvx2Begin.h).

#include "core/PhaseRoundingKernels.h"

#if defined(__x86_64__)

#include "core/ComplexField2D.h"

#include <cstddef>
#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

#include "core/PhaseRoundingPasses.h"

namespace vxo::phase {
namespace {

// Four lanes, the four runs, per 256-bit vector.
struct Avx2PhaseOps {
    static constexpr std::size_t kWidth = 4;
    using V = __m256d;
    static V load(const double* p) { return _mm256_loadu_pd(p); }
    static void store(double* p, V v) { _mm256_storeu_pd(p, v); }
    static V splat(double d) { return _mm256_set1_pd(d); }
    static V add(V a, V b) { return _mm256_add_pd(a, b); }
    static V sub(V a, V b) { return _mm256_sub_pd(a, b); }
    static V mul(V a, V b) { return _mm256_mul_pd(a, b); }
    static V div(V a, V b) { return _mm256_div_pd(a, b); }
    // a < b ? b : a, and a > b ? b : a: the second operand where either is a NaN.
    static V max(V a, V b) { return _mm256_max_pd(a, b); }
    static V min(V a, V b) { return _mm256_min_pd(a, b); }
    static V negate(V a) { return _mm256_xor_pd(a, _mm256_set1_pd(-0.0)); }
    static V abs(V a) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), a); }
    static V withSignOf(V magnitude, V s) { return _mm256_or_pd(magnitude, _mm256_and_pd(s, _mm256_set1_pd(-0.0))); }
    static V equal(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_EQ_OQ); }
    static V less(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
    static V notLess(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_GE_OQ); }
    static V both(V m, V n) { return _mm256_and_pd(m, n); }
    static V either(V m, V n) { return _mm256_or_pd(m, n); }
    // The exponent bits alone: 2^e for a in [2^e, 2^(e+1)).
    static V exponentOnly(V a) { return _mm256_and_pd(a, _mm256_castsi256_pd(_mm256_set1_epi64x(0x7ff0000000000000))); }
    static V butNot(V not_, V m) { return _mm256_andnot_pd(not_, m); }
    static V select(V m, V a, V b) { return _mm256_blendv_pd(b, a, m); }
    static bool any(V m) { return _mm256_movemask_pd(m) != 0; }
    // Rounded to single precision and widened back.
    static V throughFloat(V a) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(a)); }
    static void storeCells(Complex* out, V re, V im)
    {
        const __m128 r = _mm256_cvtpd_ps(re);
        const __m128 i = _mm256_cvtpd_ps(im);
        float* p = reinterpret_cast<float*>(out);
        _mm_storeu_ps(p, _mm_unpacklo_ps(r, i));
        _mm_storeu_ps(p + 4, _mm_unpackhi_ps(r, i));
    }
};

} // namespace

void roundOffsetCarriedRunsAvx2(const double* d, const double* s, std::size_t count, double* carried, Complex* out)
{
    const std::size_t done = roundRuns<Avx2PhaseOps>(d, s, count, carried, out);
    roundOffsetCarriedRunsPortable(d + done, s + done, count - done, carried, out + done);
}

} // namespace vxo::phase

#include "core/TargetAvx2End.h"

#endif
