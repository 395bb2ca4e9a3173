// The plain C++ and SSE2 copies of the carried rounding of phase-factor
// offsets, and the choice between the copies.

#include "core/PhaseRoundingKernels.h"

#include "core/PhaseFactors.h"

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

#if defined(__x86_64__)
#include "core/PhaseRoundingPasses.h"
#endif

namespace vxo::phase {

namespace {

#if defined(__x86_64__)
// Two lanes per 128-bit vector.
struct Sse2PhaseOps {
    static constexpr std::size_t kWidth = 2;
    using V = __m128d;
    static V load(const double* p) { return _mm_loadu_pd(p); }
    static void store(double* p, V v) { _mm_storeu_pd(p, v); }
    static V splat(double d) { return _mm_set1_pd(d); }
    static V add(V a, V b) { return _mm_add_pd(a, b); }
    static V sub(V a, V b) { return _mm_sub_pd(a, b); }
    static V mul(V a, V b) { return _mm_mul_pd(a, b); }
    static V div(V a, V b) { return _mm_div_pd(a, b); }
    // a < b ? b : a, and a > b ? b : a: the second operand where either is a NaN.
    static V max(V a, V b) { return _mm_max_pd(a, b); }
    static V min(V a, V b) { return _mm_min_pd(a, b); }
    static V negate(V a) { return _mm_xor_pd(a, _mm_set1_pd(-0.0)); }
    static V abs(V a) { return _mm_andnot_pd(_mm_set1_pd(-0.0), a); }
    static V withSignOf(V magnitude, V s) { return _mm_or_pd(magnitude, _mm_and_pd(s, _mm_set1_pd(-0.0))); }
    static V equal(V a, V b) { return _mm_cmpeq_pd(a, b); }
    static V less(V a, V b) { return _mm_cmplt_pd(a, b); }
    static V notLess(V a, V b) { return _mm_cmpge_pd(a, b); }
    static V both(V m, V n) { return _mm_and_pd(m, n); }
    static V either(V m, V n) { return _mm_or_pd(m, n); }
    // The exponent bits alone: 2^e for a in [2^e, 2^(e+1)).
    static V exponentOnly(V a) { return _mm_and_pd(a, _mm_castsi128_pd(_mm_set1_epi64x(0x7ff0000000000000))); }
    static V butNot(V not_, V m) { return _mm_andnot_pd(not_, m); }
    static V select(V m, V a, V b) { return _mm_or_pd(_mm_and_pd(m, a), _mm_andnot_pd(m, b)); }
    static bool any(V m) { return _mm_movemask_pd(m) != 0; }
    // Rounded to single precision and widened back.
    static V throughFloat(V a) { return _mm_cvtps_pd(_mm_cvtpd_ps(a)); }
    static void storeCells(Complex* out, V re, V im)
    {
        _mm_storeu_ps(reinterpret_cast<float*>(out), _mm_unpacklo_ps(_mm_cvtpd_ps(re), _mm_cvtpd_ps(im)));
    }
};
#endif

} // namespace

void roundOffsetCarriedRunsPortable(const double* d, const double* s, std::size_t count, double* carried, Complex* out)
{
    for (std::size_t k = 0; k < count; ++k)
        out[k] = roundOffsetCarried(d[k], s[k], carried[k % kCarriedRuns]);
}

#if defined(__x86_64__)
void roundOffsetCarriedRunsSse2(const double* d, const double* s, std::size_t count, double* carried, Complex* out)
{
    const std::size_t done = roundRuns<Sse2PhaseOps>(d, s, count, carried, out);
    roundOffsetCarriedRunsPortable(d + done, s + done, count - done, carried, out + done);
}
#endif

void roundOffsetCarriedRuns(fft2d::Path path, const double* d, const double* s, std::size_t count, double* carried,
                            Complex* out)
{
    switch (path) {
#if defined(__x86_64__)
    case fft2d::Path::Avx2:
        roundOffsetCarriedRunsAvx2(d, s, count, carried, out);
        return;
    case fft2d::Path::Sse2:
        roundOffsetCarriedRunsSse2(d, s, count, carried, out);
        return;
#endif
    default:
        roundOffsetCarriedRunsPortable(d, s, count, carried, out);
    }
}

} // namespace vxo::phase
