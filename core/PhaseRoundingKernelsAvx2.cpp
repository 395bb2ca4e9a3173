// The carried rounding of phase-factor offsets on 256-bit AVX2 vectors, one
// run per lane, called only after the processor has been checked (how the
// unit is compiled: TargetAvx2Begin.h). Every lane takes the operations of
// roundOffsetCarried in their order, its early returns as selections.

#include "core/PhaseRoundingKernels.h"

#if defined(__x86_64__)

#include "core/ComplexField2D.h"

#include <cstddef>
#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

namespace vxo::phase {
namespace {

using V = __m256d;
constexpr std::size_t kWidth = 4;
static_assert(kWidth == kCarriedRuns, "one run per lane");

V splat(double d) { return _mm256_set1_pd(d); }
V add(V a, V b) { return _mm256_add_pd(a, b); }
V sub(V a, V b) { return _mm256_sub_pd(a, b); }
V mul(V a, V b) { return _mm256_mul_pd(a, b); }
V equal(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_EQ_OQ); }
V less(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
V notLess(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_GE_OQ); }
V abs(V a) { return _mm256_andnot_pd(splat(-0.0), a); }
V select(V m, V a, V b) { return _mm256_blendv_pd(b, a, m); }
// Rounded to single precision and widened back.
V throughFloat(V a) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(a)); }

// floatSpacing of parts that are single-precision values held in double
// precision: 2^(e - 23) for a part in [2^e, 2^(e+1)), read from the exponent
// bits, and the smallest spacing, 2^-149, where 2^(e - 23) is below the
// normal floats (e <= -104: zero, subnormals and tiny values). An infinity or
// a NaN has the exponent bits of 2^128, and so the spacing 2^105.
V floatSpacingLanes(V part)
{
    // 2^e; zero for zero, infinity for infinity and NaN.
    const V power = _mm256_and_pd(part, _mm256_castsi256_pd(_mm256_set1_epi64x(0x7ff0000000000000)));
    const V spacing = _mm256_min_pd(splat(0x1p105), mul(power, splat(0x1p-23)));
    return select(notLess(power, splat(0x1p-103)), spacing, splat(0x1p-149));
}

// Four cells, one of each run: out[k] = roundOffsetCarried(d[k], s[k], carried lane k).
void roundLanes(const double* d, const double* s, V& carried, Complex* out)
{
    const V one = splat(1.0);
    const V zero = splat(0.0);
    const V x = _mm256_loadu_pd(d);
    const V y = _mm256_loadu_pd(s);
    const V isZero = _mm256_and_pd(equal(x, zero), equal(y, zero)); // kept exactly zero
    const V df = throughFloat(x);
    const V sf = throughFloat(y);
    const V re = add(one, df);
    const V before = add(mul(re, re), mul(sf, sf));
    const V realLarger = notLess(abs(re), abs(sf));
    const V part = select(realLarger, df, sf);
    const V slope = mul(splat(2.0), select(realLarger, re, sf));
    const V unit = floatSpacingLanes(part);
    // Zero, or no slope to move along: left as rounded.
    const V kept = _mm256_or_pd(isZero, _mm256_or_pd(equal(slope, zero), equal(unit, zero)));
    const V miss = add(sub(before, one), carried);
    // A value that is not finite is left as rounded too.
    const V rounded = _mm256_andnot_pd(kept, less(abs(miss), one));
    // Clamped as std::clamp does (the second operand where either is a NaN),
    // then rounded to the nearest whole number by adding and taking away 1.5 2^52.
    const V ratio = _mm256_div_pd(_mm256_xor_pd(miss, splat(-0.0)), mul(slope, unit));
    const V clamped = _mm256_min_pd(splat(3.0), _mm256_max_pd(splat(-3.0), ratio));
    const V rounder = splat(6755399441055744.0);
    const V units = sub(add(clamped, rounder), rounder);
    const V moved = throughFloat(add(part, mul(units, unit)));
    const V movedRe = select(realLarger, add(one, moved), re);
    const V movedIm = select(realLarger, sf, moved);
    const V change = sub(add(mul(movedRe, movedRe), mul(movedIm, movedIm)), before);
    // A zero cell's mask clears its lanes to +0.
    const V outR = _mm256_andnot_pd(isZero, select(rounded, select(realLarger, moved, df), df));
    const V outI = _mm256_andnot_pd(isZero, select(rounded, select(realLarger, sf, moved), sf));
    carried = select(rounded, add(miss, change), carried);
    const __m128 r = _mm256_cvtpd_ps(outR);
    const __m128 i = _mm256_cvtpd_ps(outI);
    float* p = reinterpret_cast<float*>(out);
    _mm_storeu_ps(p, _mm_unpacklo_ps(r, i));
    _mm_storeu_ps(p + 4, _mm_unpackhi_ps(r, i));
}

} // namespace

void roundOffsetCarriedRunsAvx2(const double* d, const double* s, std::size_t count, double* carried, Complex* out)
{
    V lanes = _mm256_loadu_pd(carried);
    std::size_t k = 0;
    for (; k + kWidth <= count; k += kWidth)
        roundLanes(d + k, s + k, lanes, out + k);
    _mm256_storeu_pd(carried, lanes);
    // The rest, fewer than a group, in portable code (no inline code of other
    // units is compiled for AVX2).
    roundOffsetCarriedRunsPortable(d + k, s + k, count - k, carried, out + k);
}

} // namespace vxo::phase

#include "core/TargetAvx2End.h"

#endif
