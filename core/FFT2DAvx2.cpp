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
    // One step of the twiddle recurrence on (re, im):
    // (re c - im s, im c + re s), the same products and sums as in TwiddleChain.
    static __m128d advance(__m128d w, __m128d c, __m128d s)
    {
        return _mm_addsub_pd(_mm_mul_pd(w, c), _mm_mul_pd(_mm_shuffle_pd(w, w, 1), s));
    }
    // Per pair of complex slots: (wr0, wr0, wr1, wr1) and (-wi0, wi0, -wi1, wi1)
    // in double precision.
    struct Wide {
        __m256d re[2];
        __m256d im[2];
    };
    // From (wr0, wi0, wr1, wi1).
    static __m256d wideRe(__m256d w) { return _mm256_movedup_pd(w); }
    static __m256d wideIm(__m256d w)
    {
        return _mm256_xor_pd(_mm256_permute_pd(w, 0xf), _mm256_setr_pd(-0.0, 0.0, -0.0, 0.0));
    }
    static Wide broadcastWide(double re, double im)
    {
        const __m256d r = _mm256_set1_pd(re);
        const __m256d i = _mm256_setr_pd(-im, im, -im, im);
        return {{r, r}, {i, i}};
    }
    static V rotateWide(const Wide& w, V x)
    {
        const __m256d x0 = _mm256_cvtps_pd(_mm256_castps256_ps128(x));
        const __m256d x1 = _mm256_cvtps_pd(_mm256_extractf128_ps(x, 1));
        const __m256d t0 = _mm256_add_pd(_mm256_mul_pd(w.re[0], x0), _mm256_mul_pd(w.im[0], _mm256_permute_pd(x0, 0x5)));
        const __m256d t1 = _mm256_add_pd(_mm256_mul_pd(w.re[1], x1), _mm256_mul_pd(w.im[1], _mm256_permute_pd(x1, 0x5)));
        return _mm256_set_m128(_mm256_cvtpd_ps(t1), _mm256_cvtpd_ps(t0));
    }
    static Wide nextTwiddles(TwiddleChain& chain, const StageRotation& r)
    {
        const __m128d c = _mm_set1_pd(r.c);
        const __m128d s = _mm_set1_pd(r.s);
        const __m128d w0 = _mm_setr_pd(chain.re, chain.im);
        const __m128d w1 = advance(w0, c, s);
        const __m128d w2 = advance(w1, c, s);
        const __m128d w3 = advance(w2, c, s);
        const __m128d next = advance(w3, c, s);
        chain.re = _mm_cvtsd_f64(next);
        chain.im = _mm_cvtsd_f64(_mm_unpackhi_pd(next, next));
        const __m256d w01 = _mm256_set_m128d(w1, w0);
        const __m256d w23 = _mm256_set_m128d(w3, w2);
        return {{wideRe(w01), wideRe(w23)}, {wideIm(w01), wideIm(w23)}};
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
