// The offsets of a potential's phase factors on 256-bit AVX2 vectors, four
// cells at a time, called only after the processor has been checked (how the
// unit is compiled: TargetAvx2Begin.h). Every lane takes the operations of
// polynomialPhaseOffset in their order, its branches as selections; a group
// with a half phase beyond the polynomials' reach (or not finite) is left to
// the portable code.

#include "core/PhaseOffsetKernels.h"

#if defined(__x86_64__)

#include <cstddef>
#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

namespace vxo::phase {
namespace {

using V = __m256d;
constexpr std::size_t kWidth = 4;

V splat(double d) { return _mm256_set1_pd(d); }
V add(V a, V b) { return _mm256_add_pd(a, b); }
V sub(V a, V b) { return _mm256_sub_pd(a, b); }
V mul(V a, V b) { return _mm256_mul_pd(a, b); }
V abs(V a) { return _mm256_andnot_pd(splat(-0.0), a); }
V select(V m, V a, V b) { return _mm256_blendv_pd(b, a, m); }
V bitsSet(V a, std::int64_t bits)
{
    const __m256i set = _mm256_and_si256(_mm256_castpd_si256(a), _mm256_set1_epi64x(bits));
    return _mm256_castsi256_pd(_mm256_cmpeq_epi64(set, _mm256_set1_epi64x(bits)));
}

// Four cells; false (nothing written) when a half phase is beyond reach.
bool offsetLanes(const float* v, double coefficient, double* d, double* s)
{
    using namespace offsetkernel;
    const V halfPhase = mul(splat(0.5), mul(_mm256_cvtps_pd(_mm_loadu_ps(v)), splat(coefficient)));
    const V within = _mm256_cmp_pd(abs(halfPhase), splat(kPolynomialReach), _CMP_LE_OQ);
    if (_mm256_movemask_pd(within) != 0xf)
        return false;
    const V shifted = add(mul(halfPhase, splat(kTwoOverPi)), splat(kRounder));
    const V n = sub(shifted, splat(kRounder));
    const V r = sub(sub(sub(sub(halfPhase, mul(n, splat(kHalfPi1))), mul(n, splat(kHalfPi2))), mul(n, splat(kHalfPi3))),
                    mul(n, splat(kHalfPi4)));
    const V z = mul(r, r);
    V sinePoly = add(splat(kS5), mul(z, splat(kS6)));
    sinePoly = add(splat(kS4), mul(z, sinePoly));
    sinePoly = add(splat(kS3), mul(z, sinePoly));
    sinePoly = add(splat(kS2), mul(z, sinePoly));
    sinePoly = add(splat(kS1), mul(z, sinePoly));
    const V sineR = add(r, mul(mul(z, r), sinePoly));
    V cosinePoly = add(splat(kC5), mul(z, splat(kC6)));
    cosinePoly = add(splat(kC4), mul(z, cosinePoly));
    cosinePoly = add(splat(kC3), mul(z, cosinePoly));
    cosinePoly = add(splat(kC2), mul(z, cosinePoly));
    cosinePoly = add(splat(kC1), mul(z, cosinePoly));
    const V tail = mul(z, mul(z, cosinePoly));
    const V size = abs(r);
    const V cut =
        mul(_mm256_and_pd(size, _mm256_castsi256_pd(_mm256_set1_epi64x(std::int64_t(kHighWord)))), splat(0.25));
    const V beyondFixed = _mm256_cmp_pd(size, splat(kSplitFixedFrom), _CMP_GT_OQ);
    const V belowSplit = _mm256_cmp_pd(size, splat(kSplitFrom), _CMP_LT_OQ);
    const V split = select(belowSplit, splat(0.0), select(beyondFixed, splat(kSplitFixed), cut));
    const V cosineR = sub(sub(splat(1.0), split), sub(sub(mul(splat(0.5), z), split), tail));
    // The quadrant from the last two bits of the shifted count.
    const V odd = bitsSet(shifted, 1);
    const V second = bitsSet(shifted, 2);
    const V quadrantPlusOne =
        _mm256_castsi256_pd(_mm256_add_epi64(_mm256_castpd_si256(shifted), _mm256_set1_epi64x(1)));
    const V cosineNegative = bitsSet(quadrantPlusOne, 2);
    const V sineBase = select(odd, cosineR, sineR);
    const V cosineBase = select(odd, sineR, cosineR);
    const V sine = select(second, _mm256_xor_pd(sineBase, splat(-0.0)), sineBase);
    const V cosine = select(cosineNegative, _mm256_xor_pd(cosineBase, splat(-0.0)), cosineBase);
    _mm256_storeu_pd(d, mul(mul(splat(-2.0), sine), sine));
    _mm256_storeu_pd(s, mul(mul(splat(2.0), sine), cosine));
    return true;
}

} // namespace

void potentialPhaseOffsetsAvx2(const float* v, double coefficient, std::size_t count, double* d, double* s)
{
    std::size_t k = 0;
    for (; k + kWidth <= count; k += kWidth)
        if (!offsetLanes(v + k, coefficient, d + k, s + k))
            potentialPhaseOffsetsPortable(v + k, coefficient, kWidth, d + k, s + k);
    // The rest, fewer than a group, in portable code (no inline code of other
    // units is compiled for AVX2).
    potentialPhaseOffsetsPortable(v + k, coefficient, count - k, d + k, s + k);
}

} // namespace vxo::phase

#include "core/TargetAvx2End.h"

#endif
