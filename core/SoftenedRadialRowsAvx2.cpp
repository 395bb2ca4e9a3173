// The rows of the softened radial painter on 256-bit AVX2 vectors of four
// doubles, called only after the processor has been checked
// (TargetAvx2Begin.h).

#include "core/SoftenedRadialRows.h"

#if defined(__x86_64__)

#include <cstddef>
#include <immintrin.h>
#include <limits>

#include "core/TargetAvx2Begin.h"

namespace vxo::radial {

int sumRowAvx2(const float* row, const double* xp, double yp, double g, double s2, std::size_t count, float* sum)
{
    // The portable path's operations in its order, four cells at a time:
    // ((x'^2 + y'^2) + s^2), its root, the quotient, rounded once to float.
    const __m256d yy = _mm256_set1_pd(yp * yp);
    const __m256d ss = _mm256_set1_pd(s2);
    const __m256d gg = _mm256_set1_pd(g);
    const __m128 largest = _mm_set1_ps(std::numeric_limits<float>::max());
    const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff));
    int within = 0xf;
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m256d x = _mm256_loadu_pd(xp + i);
        const __m256d q = _mm256_add_pd(_mm256_add_pd(_mm256_mul_pd(x, x), yy), ss);
        const __m128 term = _mm256_cvtpd_ps(_mm256_div_pd(gg, _mm256_sqrt_pd(q)));
        const __m128 cells = _mm_add_ps(_mm_loadu_ps(row + i), term);
        _mm_storeu_ps(sum + i, cells);
        within &= _mm_movemask_ps(_mm_cmp_ps(_mm_and_ps(cells, magnitude), largest, _CMP_LE_OQ));
    }
    const int beyond = within == 0xf ? 0 : 1;
    return beyond | sumRowPortable(row + i, xp + i, yp, g, s2, count - i, sum + i);
}

} // namespace vxo::radial

#include "core/TargetAvx2End.h"

#endif
