// The interior cells of CovariantObservables2D on 256-bit AVX2 vectors,
// four cells at a time, called only after the processor has been checked
// (TargetAvx2Begin.h). Every product and sum is the portable row's, lane for
// lane, and the sums take the cells in the same order: the results are the
// portable ones to the bit.

#include "core/CovariantObservables2DRows.h"

#if defined(__x86_64__)

#include <cstddef>
#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

namespace vxo::covariant {
namespace {

// Four cells widened to double, real and imaginary parts apart, lanes
// holding the cells (0, 2, 1, 3).
struct Parts4 {
    __m256d re;
    __m256d im;
};

inline Parts4 load4(const Complex* p)
{
    const __m256 v = _mm256_loadu_ps(reinterpret_cast<const float*>(p));
    const __m256d low = _mm256_cvtps_pd(_mm256_castps256_ps128(v));        // r0 i0 r1 i1
    const __m256d high = _mm256_cvtps_pd(_mm256_extractf128_ps(v, 1));     // r2 i2 r3 i3
    return {_mm256_unpacklo_pd(low, high), _mm256_unpackhi_pd(low, high)}; // (r0 r2 r1 r3), (i0 i2 i1 i3)
}

// Four values of V in the same lane order.
inline __m256d loadPotential4(const float* v)
{
    return _mm256_permute4x64_pd(_mm256_cvtps_pd(_mm_loadu_ps(v)), _MM_SHUFFLE(3, 1, 2, 0));
}

// The portable row's HopTerms, lane by lane.
struct Hops4 {
    __m256d pr, pi, t1, t2, t3, t4;

    Hops4(const Parts4& u, const Parts4& next, const Parts4& v, const Parts4& previous)
    {
        pr = _mm256_sub_pd(_mm256_mul_pd(u.re, next.re), _mm256_mul_pd(u.im, next.im));
        pi = _mm256_add_pd(_mm256_mul_pd(u.re, next.im), _mm256_mul_pd(u.im, next.re));
        t1 = _mm256_mul_pd(v.re, previous.re);
        t2 = _mm256_mul_pd(v.im, previous.im);
        t3 = _mm256_mul_pd(v.re, previous.im);
        t4 = _mm256_mul_pd(v.im, previous.re);
    }
    __m256d sumRe() const { return _mm256_add_pd(_mm256_add_pd(pr, t1), t2); }
    __m256d sumIm() const { return _mm256_sub_pd(_mm256_add_pd(pi, t3), t4); }
    __m256d differenceRe() const { return _mm256_sub_pd(pr, _mm256_add_pd(t1, t2)); }
    __m256d differenceIm() const { return _mm256_sub_pd(pi, _mm256_sub_pd(t3, t4)); }
};

// (re * (dIm * a) - im * (dRe * a)) * k.
inline __m256d component(const Parts4& c, __m256d dRe, __m256d dIm, __m256d a, __m256d k)
{
    return _mm256_mul_pd(
        _mm256_sub_pd(_mm256_mul_pd(c.re, _mm256_mul_pd(dIm, a)), _mm256_mul_pd(c.im, _mm256_mul_pd(dRe, a))), k);
}

// Lanes (0, 2, 1, 3) hold the cells i, i + 1, i + 2, i + 3.
constexpr int kLaneOfCell[4] = {0, 2, 1, 3};

template <bool kEnergy, bool kCurrent>
void rowCells(const RowStencil& row, std::uint64_t& i, std::uint64_t last, const RowConstants& k, RunningSums& sums)
{
    const __m256d two = _mm256_set1_pd(2.0);
    const __m256d cx = _mm256_set1_pd(k.cx);
    const __m256d cy = _mm256_set1_pd(k.cy);
    const __m256d a = _mm256_set1_pd(k.a);
    const __m256d b = _mm256_set1_pd(k.b);
    const __m256d hbarOverMass = _mm256_set1_pd(k.k);
    const __m256d dA = _mm256_set1_pd(k.dA);
    __m256d maxSquared = _mm256_set1_pd(sums.maxSquared);
    for (; i + 4 <= last; i += 4) {
        const Parts4 c = load4(row.centre + i);
        const Hops4 x(load4(row.linksX + i), load4(row.centre + i + 1), load4(row.linksX + i - 1),
                      load4(row.centre + i - 1));
        const Hops4 y(load4(row.linksUp + i), load4(row.above + i), load4(row.linksDown + i), load4(row.below + i));
        if constexpr (kEnergy) {
            const __m256d rho = _mm256_add_pd(_mm256_mul_pd(c.re, c.re), _mm256_mul_pd(c.im, c.im));
            const __m256d alongX = _mm256_add_pd(_mm256_mul_pd(c.re, x.sumRe()), _mm256_mul_pd(c.im, x.sumIm()));
            const __m256d alongY = _mm256_add_pd(_mm256_mul_pd(c.re, y.sumRe()), _mm256_mul_pd(c.im, y.sumIm()));
            const __m256d twoRho = _mm256_mul_pd(two, rho);
            const __m256d kinetic = _mm256_add_pd(_mm256_mul_pd(cx, _mm256_sub_pd(twoRho, alongX)),
                                                  _mm256_mul_pd(cy, _mm256_sub_pd(twoRho, alongY)));
            alignas(32) double rhoTerms[4];
            alignas(32) double potentialTerms[4];
            alignas(32) double kineticTerms[4];
            _mm256_store_pd(rhoTerms, rho);
            _mm256_store_pd(kineticTerms, kinetic);
            if (row.potential)
                _mm256_store_pd(potentialTerms, _mm256_mul_pd(loadPotential4(row.potential + i), rho));
            for (int cell = 0; cell < 4; ++cell) {
                const int lane = kLaneOfCell[cell];
                sums.norm += rhoTerms[lane];
                if (row.potential)
                    sums.potential += potentialTerms[lane];
                sums.rowKinetic += kineticTerms[lane];
            }
        }
        if constexpr (kCurrent) {
            const __m256d jx = component(c, x.differenceRe(), x.differenceIm(), a, hbarOverMass);
            const __m256d jy = component(c, y.differenceRe(), y.differenceIm(), b, hbarOverMass);
            // Into cell order, then rounded to single precision as the
            // portable row's casts round them.
            const __m256d jxCells = _mm256_permute4x64_pd(jx, _MM_SHUFFLE(3, 1, 2, 0));
            const __m256d jyCells = _mm256_permute4x64_pd(jy, _MM_SHUFFLE(3, 1, 2, 0));
            _mm_storeu_ps(row.jx + i, _mm256_cvtpd_ps(jxCells));
            _mm_storeu_ps(row.jy + i, _mm256_cvtpd_ps(jyCells));
            const __m256d squared = _mm256_add_pd(_mm256_mul_pd(jx, jx), _mm256_mul_pd(jy, jy));
            // The running maximum second: a NaN square never replaces it, as
            // a comparison that fails in the portable row does not.
            maxSquared = _mm256_max_pd(squared, maxSquared);
            alignas(32) double xTerms[4];
            alignas(32) double yTerms[4];
            _mm256_store_pd(xTerms, _mm256_mul_pd(jxCells, dA));
            _mm256_store_pd(yTerms, _mm256_mul_pd(jyCells, dA));
            for (int cell = 0; cell < 4; ++cell) {
                sums.integralJx += xTerms[cell];
                sums.integralJy += yTerms[cell];
            }
        }
    }
    alignas(32) double lanes[4];
    _mm256_store_pd(lanes, maxSquared);
    for (const double lane : lanes)
        if (lane > sums.maxSquared)
            sums.maxSquared = lane;
}

} // namespace

void accumulateRowAvx2(const RowStencil& row, std::uint64_t first, std::uint64_t last, const RowConstants& k,
                       RunningSums& sums)
{
    std::uint64_t i = first;
    if (row.energy && row.jx)
        rowCells<true, true>(row, i, last, k, sums);
    else if (row.energy)
        rowCells<true, false>(row, i, last, k, sums);
    else if (row.jx)
        rowCells<false, true>(row, i, last, k, sums);
    accumulateRowPortable(row, i, last, k, sums);
}

} // namespace vxo::covariant

#include "core/TargetAvx2End.h"

#endif
