// The row pass of DensitySums2D on 256-bit AVX2 vectors of four doubles,
// called only after the processor has been checked (TargetAvx2Begin.h).

#include "core/DensitySums2D.h"

#if defined(__x86_64__)

#include <cstddef>
#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

namespace vxo::density {

double accumulateRowAvx2(const Complex* row, std::size_t count, double* columns)
{
    // Four cells per vector: lane k holds cell c + k, so the partial sums are
    // the portable path's, c mod 4.
    __m256d partial = _mm256_setzero_pd();
    std::size_t c = 0;
    for (; c + 4 <= count; c += 4) {
        const __m256 cells = _mm256_loadu_ps(reinterpret_cast<const float*>(row + c)); // r0 i0 .. r3 i3
        const __m256d low = _mm256_cvtps_pd(_mm256_castps256_ps128(cells));            // r0 i0 r1 i1
        const __m256d high = _mm256_cvtps_pd(_mm256_extractf128_ps(cells, 1));         // r2 i2 r3 i3
        // (r0^2 + i0^2, r2^2 + i2^2, r1^2 + i1^2, r3^2 + i3^2), put in cell order.
        const __m256d pairs = _mm256_hadd_pd(_mm256_mul_pd(low, low), _mm256_mul_pd(high, high));
        const __m256d p = _mm256_permute4x64_pd(pairs, _MM_SHUFFLE(3, 1, 2, 0));
        _mm256_storeu_pd(columns + c, _mm256_add_pd(_mm256_loadu_pd(columns + c), p));
        partial = _mm256_add_pd(partial, p);
    }
    alignas(32) double lanes[4];
    _mm256_store_pd(lanes, partial);
    return accumulateCells(row, c, count, columns, lanes);
}

} // namespace vxo::density

#include "core/TargetAvx2End.h"

#endif
