// The row pass of ColumnAmplitudes2D on 256-bit AVX2 vectors of four doubles,
// called only after the processor has been checked (TargetAvx2Begin.h).

#include "core/ColumnAmplitudes2D.h"

#if defined(__x86_64__)

#include <complex>
#include <cstddef>
#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

namespace vxo::columnsum {

void accumulateRowAvx2(const Complex* row, std::size_t count, std::complex<double>* columns)
{
    // Four cells per step, widened exactly to (re, im) pairs of doubles and
    // added to their columns: the plain path's one addition per component.
    double* sums = reinterpret_cast<double*>(columns);
    std::size_t c = 0;
    for (; c + 4 <= count; c += 4) {
        const __m256 cells = _mm256_loadu_ps(reinterpret_cast<const float*>(row + c)); // r0 i0 .. r3 i3
        const __m256d low = _mm256_cvtps_pd(_mm256_castps256_ps128(cells));            // r0 i0 r1 i1
        const __m256d high = _mm256_cvtps_pd(_mm256_extractf128_ps(cells, 1));         // r2 i2 r3 i3
        double* at = sums + 2 * c;
        _mm256_storeu_pd(at, _mm256_add_pd(_mm256_loadu_pd(at), low));
        _mm256_storeu_pd(at + 4, _mm256_add_pd(_mm256_loadu_pd(at + 4), high));
    }
    accumulateRowPortable(row + c, count - c, columns + c);
}

} // namespace vxo::columnsum

#include "core/TargetAvx2End.h"

#endif
