// The row pass of the angular momentum on 256-bit AVX2 vectors of four
// doubles, called only after the processor has been checked
// (TargetAvx2Begin.h).

#include "core/AngularMomentumRows.h"

#if defined(__x86_64__)

#include <cstddef>
#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

#include "core/Avx2Cells.h"

namespace vxo::angular {

std::array<double, 2> rowSumsAvx2(const RowStencil& s, std::size_t nx)
{
    // Lane k of each vector sum is the portable path's partial k: term c + k
    // is cell c + k + 1, with the same operations in the same order.
    const __m256d yArm = _mm256_set1_pd(s.yArm);
    __m256d moment = _mm256_setzero_pd();
    __m256d weight = _mm256_setzero_pd();
    std::size_t c = 0;
    for (; c + 4 + 2 <= nx; c += 4) {
        const std::size_t i = c + 1;
        __m256d re, im, leftRe, leftIm, rightRe, rightIm, belowRe, belowIm, aboveRe, aboveIm;
        avx2::loadCells(s.row + i, re, im);
        avx2::loadCells(s.row + i - 1, leftRe, leftIm);
        avx2::loadCells(s.row + i + 1, rightRe, rightIm);
        avx2::loadCells(s.below + i, belowRe, belowIm);
        avx2::loadCells(s.above + i, aboveRe, aboveIm);
        const __m256d xArm = _mm256_loadu_pd(s.xArm + i);
        const __m256d dRe = _mm256_sub_pd(_mm256_mul_pd(xArm, _mm256_sub_pd(aboveRe, belowRe)),
                                          _mm256_mul_pd(yArm, _mm256_sub_pd(rightRe, leftRe)));
        const __m256d dIm = _mm256_sub_pd(_mm256_mul_pd(xArm, _mm256_sub_pd(aboveIm, belowIm)),
                                          _mm256_mul_pd(yArm, _mm256_sub_pd(rightIm, leftIm)));
        moment = _mm256_add_pd(moment, _mm256_sub_pd(_mm256_mul_pd(re, dIm), _mm256_mul_pd(im, dRe)));
        weight = _mm256_add_pd(weight, _mm256_add_pd(_mm256_mul_pd(re, re), _mm256_mul_pd(im, im)));
    }
    alignas(32) Partials partial;
    _mm256_store_pd(partial[0], moment);
    _mm256_store_pd(partial[1], weight);
    return sumCells(s, c, nx, partial);
}

} // namespace vxo::angular

#include "core/TargetAvx2End.h"

#endif
