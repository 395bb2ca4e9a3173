// FFT2D passes on 256-bit AVX2 vectors (four complex values). This unit alone
// is compiled for AVX2; FFT2D calls it only after checking the processor. The
// library headers come first so that none of their inline code is compiled for
// AVX2, and everything below the switch has internal linkage except the entry.
// FMA stays disabled: products and sums are rounded separately.

#include "core/FFT2DKernels.h"

#if defined(__x86_64__)

#include "core/ComplexField2D.h"
#include "core/Numeric.h"

#include <cmath>
#include <cstddef>
#include <immintrin.h>

#include "core/TargetAvx2Begin.h"

#include "core/FFT2DPasses.h"

namespace vxo::fft2d {
namespace {

struct Avx2Ops {
    static constexpr std::size_t kWidth = 4;
    using V = __m256;
    using Narrower = ScalarOps;

    static V load(const Complex* p) { return _mm256_loadu_ps(reinterpret_cast<const float*>(p)); }
    static void store(Complex* p, V v) { _mm256_storeu_ps(reinterpret_cast<float*>(p), v); }
    static V add(V a, V b) { return _mm256_add_ps(a, b); }
    static V sub(V a, V b) { return _mm256_sub_ps(a, b); }
    static V mul(V a, V b) { return _mm256_mul_ps(a, b); }
    static V swapParts(V a) { return _mm256_permute_ps(a, _MM_SHUFFLE(2, 3, 0, 1)); }
    static V splat(float f) { return _mm256_set1_ps(f); }
    static V negateRe(V a)
    {
        return _mm256_xor_ps(a, _mm256_setr_ps(-0.0f, 0.0f, -0.0f, 0.0f, -0.0f, 0.0f, -0.0f, 0.0f));
    }
    static Twiddle<Avx2Ops> factors(V f) { return {_mm256_moveldup_ps(f), negateRe(_mm256_movehdup_ps(f))}; }
    static V broadcastRe(double re) { return _mm256_set1_ps(static_cast<float>(re)); }
    static V broadcastIm(double im) { return negateRe(_mm256_set1_ps(static_cast<float>(im))); }
    // A tile row is one vector; 4 x 4 transpose of 64-bit complex values.
    static void transposeTile(const V (&in)[4][1], V (&out)[4][1])
    {
        const __m256d r0 = _mm256_castps_pd(in[0][0]);
        const __m256d r1 = _mm256_castps_pd(in[1][0]);
        const __m256d r2 = _mm256_castps_pd(in[2][0]);
        const __m256d r3 = _mm256_castps_pd(in[3][0]);
        const __m256d t0 = _mm256_unpacklo_pd(r0, r1); // r0c0 r1c0 | r0c2 r1c2
        const __m256d t1 = _mm256_unpackhi_pd(r0, r1); // r0c1 r1c1 | r0c3 r1c3
        const __m256d t2 = _mm256_unpacklo_pd(r2, r3);
        const __m256d t3 = _mm256_unpackhi_pd(r2, r3);
        out[0][0] = _mm256_castpd_ps(_mm256_permute2f128_pd(t0, t2, 0x20));
        out[1][0] = _mm256_castpd_ps(_mm256_permute2f128_pd(t1, t3, 0x20));
        out[2][0] = _mm256_castpd_ps(_mm256_permute2f128_pd(t0, t2, 0x31));
        out[3][0] = _mm256_castpd_ps(_mm256_permute2f128_pd(t1, t3, 0x31));
    }
};

} // namespace

void transformAvx2(Complex* data, std::size_t nx, std::size_t ny, bool inverse, const Complex* before,
                   const Complex* after)
{
    transformField<Avx2Ops>(data, nx, ny, inverse, before, after);
}

void multiplyAvx2(Complex* values, const Complex* factors, std::size_t count)
{
    multiplyValues<Avx2Ops>(values, factors, count);
}

} // namespace vxo::fft2d

#include "core/TargetAvx2End.h"

#endif
