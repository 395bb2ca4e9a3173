// The overlap sums on 256-bit AVX2 vectors of four doubles, called only after
// the processor has been checked (TargetAvx2Begin.h).

#include "core/OverlapSums2D.h"

#if defined(__x86_64__)

#include <cstddef>
#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

#include "core/Avx2Cells.h"

namespace vxo::overlapsum {

void accumulateAvx2(const Complex* a, const Complex* b, std::size_t count, Partials& partial)
{
    // Lane k of each vector sum is the portable path's partial k: the same
    // products, rounded separately, added in the same order.
    __m256d productRe = _mm256_loadu_pd(partial[0]);
    __m256d productIm = _mm256_loadu_pd(partial[1]);
    __m256d normA = _mm256_loadu_pd(partial[2]);
    __m256d normB = _mm256_loadu_pd(partial[3]);
    std::size_t c = 0;
    for (; c + 4 <= count; c += 4) {
        __m256d ar, ai, br, bi;
        avx2::loadCells(a + c, ar, ai);
        avx2::loadCells(b + c, br, bi);
        productRe = _mm256_add_pd(productRe, _mm256_add_pd(_mm256_mul_pd(ar, br), _mm256_mul_pd(ai, bi)));
        productIm = _mm256_add_pd(productIm, _mm256_sub_pd(_mm256_mul_pd(ar, bi), _mm256_mul_pd(ai, br)));
        normA = _mm256_add_pd(normA, _mm256_add_pd(_mm256_mul_pd(ar, ar), _mm256_mul_pd(ai, ai)));
        normB = _mm256_add_pd(normB, _mm256_add_pd(_mm256_mul_pd(br, br), _mm256_mul_pd(bi, bi)));
    }
    _mm256_storeu_pd(partial[0], productRe);
    _mm256_storeu_pd(partial[1], productIm);
    _mm256_storeu_pd(partial[2], normA);
    _mm256_storeu_pd(partial[3], normB);
    accumulateCells(a, b, c, count, partial);
}

} // namespace vxo::overlapsum

#include "core/TargetAvx2End.h"

#endif
