// The interior cells of EnergyObservables2D::compute on 256-bit AVX2 vectors,
// called only after the processor has been checked (TargetAvx2Begin.h). Every
// product, sum and quotient is the scalar loop's, component for component,
// and the three sums take the cells in the same order: the results are the
// scalar ones to the bit.

#include "core/EnergyObservables2DRows.h"

#if defined(__x86_64__)

#include <cstddef>
#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

namespace vxo::energy {
namespace {

// Four cells widened to double: (re0, im0, re1, im1) and (re2, im2, re3, im3).
struct Cells4 {
    __m256d low;
    __m256d high;
};

inline Cells4 load4(const Complex* p)
{
    const __m256 v = _mm256_loadu_ps(reinterpret_cast<const float*>(p));
    return {_mm256_cvtps_pd(_mm256_castps256_ps128(v)), _mm256_cvtps_pd(_mm256_extractf128_ps(v, 1))};
}

// ((m2 - 8 m1) + 8 p1) - p2, then divided by 12 h, per component.
inline __m256d difference(__m256d m2, __m256d m1, __m256d p1, __m256d p2, __m256d eight, __m256d twelveH)
{
    const __m256d sum =
        _mm256_sub_pd(_mm256_add_pd(_mm256_sub_pd(m2, _mm256_mul_pd(m1, eight)), _mm256_mul_pd(p1, eight)), p2);
    return _mm256_div_pd(sum, twelveH);
}

// re^2 + im^2 of the four cells, in the lane order (0, 2, 1, 3).
inline __m256d squaredMagnitudes(const Cells4& c)
{
    return _mm256_hadd_pd(_mm256_mul_pd(c.low, c.low), _mm256_mul_pd(c.high, c.high));
}

} // namespace

void accumulateRowAvx2(const RowStencil& row, std::uint64_t first, std::uint64_t last, const RowConstants& k,
                       RunningSums& sums)
{
    const __m256d eight = _mm256_set1_pd(8.0);
    const __m256d twelveHx = _mm256_set1_pd(12.0 * k.hx);
    const __m256d twelveHy = _mm256_set1_pd(12.0 * k.hy);
    const __m256d c = _mm256_set1_pd(k.c);
    const __m256d dA = _mm256_set1_pd(k.dA);
    std::uint64_t i = first;
    for (; i + 4 <= last; i += 4) {
        const Cells4 m2x = load4(row.centre + i - 2);
        const Cells4 m1x = load4(row.centre + i - 1);
        const Cells4 p1x = load4(row.centre + i + 1);
        const Cells4 p2x = load4(row.centre + i + 2);
        const Cells4 m2y = load4(row.below2 + i);
        const Cells4 m1y = load4(row.below1 + i);
        const Cells4 p1y = load4(row.above1 + i);
        const Cells4 p2y = load4(row.above2 + i);
        const Cells4 gx{difference(m2x.low, m1x.low, p1x.low, p2x.low, eight, twelveHx),
                        difference(m2x.high, m1x.high, p1x.high, p2x.high, eight, twelveHx)};
        const Cells4 gy{difference(m2y.low, m1y.low, p1y.low, p2y.low, eight, twelveHy),
                        difference(m2y.high, m1y.high, p1y.high, p2y.high, eight, twelveHy)};
        const __m256d kinetic =
            _mm256_mul_pd(_mm256_mul_pd(_mm256_add_pd(squaredMagnitudes(gx), squaredMagnitudes(gy)), c), dA);
        const __m256d rho = squaredMagnitudes(load4(row.centre + i));
        const __m256d v =
            _mm256_permute4x64_pd(_mm256_cvtps_pd(_mm_loadu_ps(row.potential + i)), _MM_SHUFFLE(3, 1, 2, 0));
        alignas(32) double normTerms[4];
        alignas(32) double kineticTerms[4];
        alignas(32) double potentialTerms[4];
        _mm256_store_pd(normTerms, _mm256_mul_pd(rho, dA));
        _mm256_store_pd(kineticTerms, kinetic);
        _mm256_store_pd(potentialTerms, _mm256_mul_pd(_mm256_mul_pd(v, rho), dA));
        // Lanes (0, 2, 1, 3) hold the cells i, i + 1, i + 2, i + 3.
        constexpr int kLaneOfCell[4] = {0, 2, 1, 3};
        for (int cell = 0; cell < 4; ++cell) {
            const int lane = kLaneOfCell[cell];
            sums.norm += normTerms[lane];
            sums.kinetic += kineticTerms[lane];
            sums.potential += potentialTerms[lane];
        }
    }
    accumulateRowPortable(row, i, last, k, sums);
}

namespace {
// Lanes (0, 2, 1, 3), as unpacking the two halves of four cells leaves them,
// put in cell order.
inline __m256d inCellOrder(__m256d v) { return _mm256_permute4x64_pd(v, _MM_SHUFFLE(3, 1, 2, 0)); }
} // namespace

void accumulateDiracRowAvx2(const Complex* a, const Complex* b, std::size_t count, double* alongX, double (*sums)[4])
{
    // Lanes in cell order (i mod 4): the portable path's partial sums.
    __m256d upper = _mm256_loadu_pd(sums[0]);
    __m256d lower = _mm256_loadu_pd(sums[1]);
    __m256d imaginary = _mm256_loadu_pd(sums[2]);
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const Cells4 ca = load4(a + i);
        const Cells4 cb = load4(b + i);
        // Real and imaginary parts apart.
        const __m256d ar = inCellOrder(_mm256_unpacklo_pd(ca.low, ca.high));
        const __m256d ai = inCellOrder(_mm256_unpackhi_pd(ca.low, ca.high));
        const __m256d br = inCellOrder(_mm256_unpacklo_pd(cb.low, cb.high));
        const __m256d bi = inCellOrder(_mm256_unpackhi_pd(cb.low, cb.high));
        upper = _mm256_add_pd(upper, _mm256_add_pd(_mm256_mul_pd(ar, ar), _mm256_mul_pd(ai, ai)));
        lower = _mm256_add_pd(lower, _mm256_add_pd(_mm256_mul_pd(br, br), _mm256_mul_pd(bi, bi)));
        // conj(a) b = (ar br + ai bi, ar bi - ai br).
        const __m256d re = _mm256_add_pd(_mm256_mul_pd(ar, br), _mm256_mul_pd(ai, bi));
        const __m256d im = _mm256_sub_pd(_mm256_mul_pd(ar, bi), _mm256_mul_pd(ai, br));
        _mm256_storeu_pd(alongX + i, _mm256_add_pd(_mm256_loadu_pd(alongX + i), re));
        imaginary = _mm256_add_pd(imaginary, im);
    }
    _mm256_storeu_pd(sums[0], upper);
    _mm256_storeu_pd(sums[1], lower);
    _mm256_storeu_pd(sums[2], imaginary);
    // What is left starts on lane 0, as i is a multiple of 4 here.
    accumulateDiracRowPortable(a + i, b + i, count - i, alongX + i, sums);
}

} // namespace vxo::energy

#include "core/TargetAvx2End.h"

#endif
