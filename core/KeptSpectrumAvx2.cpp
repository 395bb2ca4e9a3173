// The copy before KeptSpectrum's transform on 256-bit AVX2 vectors, called
// only after the processor has been checked (TargetAvx2Begin.h): four cells
// per vector, lane k holding the cells c mod 4 = k, so that the partial sums
// are the portable path's, product for product.

#include "core/KeptSpectrum.h"

#if defined(__x86_64__)

#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

namespace vxo::keptspectrum {

void copyCellsAvx2(const Complex* in, const float* v, std::size_t count, Complex* out, double* density,
                   double* weighted)
{
    __m256d p = _mm256_loadu_pd(density);
    __m256d q = _mm256_loadu_pd(weighted);
    std::size_t c = 0;
    for (; c + 4 <= count; c += 4) {
        const __m256 cells = _mm256_loadu_ps(reinterpret_cast<const float*>(in + c)); // r0 i0 .. r3 i3
        _mm256_storeu_ps(reinterpret_cast<float*>(out + c), cells);
        const __m256d low = _mm256_cvtps_pd(_mm256_castps256_ps128(cells));    // r0 i0 r1 i1
        const __m256d high = _mm256_cvtps_pd(_mm256_extractf128_ps(cells, 1)); // r2 i2 r3 i3
        // (r0^2 + i0^2, r2^2 + i2^2, r1^2 + i1^2, r3^2 + i3^2), put in cell order.
        const __m256d pairs = _mm256_hadd_pd(_mm256_mul_pd(low, low), _mm256_mul_pd(high, high));
        const __m256d rho = _mm256_permute4x64_pd(pairs, _MM_SHUFFLE(3, 1, 2, 0));
        p = _mm256_add_pd(p, rho);
        if (v)
            q = _mm256_add_pd(q, _mm256_mul_pd(rho, _mm256_cvtps_pd(_mm_loadu_ps(v + c))));
    }
    _mm256_storeu_pd(density, p);
    _mm256_storeu_pd(weighted, q);
    // What is left starts on lane 0, as c is a multiple of 4 here.
    copyCellsPortable(in + c, v ? v + c : nullptr, count - c, out + c, density, weighted);
}

} // namespace vxo::keptspectrum

#include "core/TargetAvx2End.h"

#endif
