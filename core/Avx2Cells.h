#pragma once

// Four cells of complex floats split into their real and imaginary parts on
// 256-bit vectors of four doubles, each widened exactly, lane k holding cell
// k. For the AVX2 units only, included between TargetAvx2Begin.h and
// TargetAvx2End.h; static, so that no other unit shares its AVX2 code.

#include "core/ComplexField2D.h"

#include <immintrin.h>

namespace vxo::avx2 {

static inline void loadCells(const Complex* cells, __m256d& re, __m256d& im)
{
    const __m256 values = _mm256_loadu_ps(reinterpret_cast<const float*>(cells)); // r0 i0 r1 i1 r2 i2 r3 i3
    const __m256 parts = _mm256_permutevar8x32_ps(values, _mm256_setr_epi32(0, 2, 4, 6, 1, 3, 5, 7));
    re = _mm256_cvtps_pd(_mm256_castps256_ps128(parts));
    im = _mm256_cvtps_pd(_mm256_extractf128_ps(parts, 1));
}

} // namespace vxo::avx2
