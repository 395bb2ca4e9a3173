// FFT2D passes on 128-bit SSE2 vectors (two complex values), the x86-64 baseline.

#include "core/FFT2DKernels.h"

#if defined(__x86_64__)

#include "core/FFT2DPasses.h"

#include <emmintrin.h>

namespace vxo::fft2d {
namespace {

struct Sse2Ops {
    static constexpr std::size_t kWidth = 2;
    using V = __m128;
    using Narrower = ScalarOps;

    static V load(const Complex* p) { return _mm_loadu_ps(reinterpret_cast<const float*>(p)); }
    static void store(Complex* p, V v) { _mm_storeu_ps(reinterpret_cast<float*>(p), v); }
    static V add(V a, V b) { return _mm_add_ps(a, b); }
    static V sub(V a, V b) { return _mm_sub_ps(a, b); }
    static V mul(V a, V b) { return _mm_mul_ps(a, b); }
    static V swapParts(V a) { return _mm_shuffle_ps(a, a, _MM_SHUFFLE(2, 3, 0, 1)); }
    static V splat(float f) { return _mm_set1_ps(f); }
    static V negateRe(V a) { return _mm_xor_ps(a, _mm_setr_ps(-0.0f, 0.0f, -0.0f, 0.0f)); }
    // Per complex slot: (wr, wr) and (-wi, wi) in double precision.
    struct Wide {
        __m128d re[2];
        __m128d im[2];
    };
    static __m128d wideIm(__m128d w) { return _mm_xor_pd(_mm_unpackhi_pd(w, w), _mm_setr_pd(-0.0, 0.0)); }
    static Wide broadcastWide(double re, double im)
    {
        const __m128d r = _mm_set1_pd(re);
        const __m128d i = _mm_setr_pd(-im, im);
        return {{r, r}, {i, i}};
    }
    static V rotateWide(const Wide& w, V x)
    {
        const __m128d x0 = _mm_cvtps_pd(x);
        const __m128d x1 = _mm_cvtps_pd(_mm_movehl_ps(x, x));
        const __m128d t0 = _mm_add_pd(_mm_mul_pd(w.re[0], x0), _mm_mul_pd(w.im[0], _mm_shuffle_pd(x0, x0, 1)));
        const __m128d t1 = _mm_add_pd(_mm_mul_pd(w.re[1], x1), _mm_mul_pd(w.im[1], _mm_shuffle_pd(x1, x1, 1)));
        return _mm_movelh_ps(_mm_cvtpd_ps(t0), _mm_cvtpd_ps(t1));
    }
    static Wide nextTwiddles(TwiddleChain& chain, const StageRotation& r)
    {
        const __m128d w0 = _mm_setr_pd(chain.re, chain.im);
        chain.advance(r);
        const __m128d w1 = _mm_setr_pd(chain.re, chain.im);
        chain.advance(r);
        return {{_mm_unpacklo_pd(w0, w0), _mm_unpacklo_pd(w1, w1)}, {wideIm(w0), wideIm(w1)}};
    }
    static Twiddle<Sse2Ops> factors(V f)
    {
        return {_mm_shuffle_ps(f, f, _MM_SHUFFLE(2, 2, 0, 0)), negateRe(_mm_shuffle_ps(f, f, _MM_SHUFFLE(3, 3, 1, 1)))};
    }
    static V broadcastRe(double re) { return _mm_set1_ps(static_cast<float>(re)); }
    static V broadcastIm(double im) { return negateRe(_mm_set1_ps(static_cast<float>(im))); }
    // A tile row is two vectors (columns 0, 1 and 2, 3).
    static void transposeTile(const V (&in)[4][2], V (&out)[4][2])
    {
        for (int v = 0; v < 2; ++v) {
            out[2 * v][0] = _mm_movelh_ps(in[0][v], in[1][v]);
            out[2 * v][1] = _mm_movelh_ps(in[2][v], in[3][v]);
            out[2 * v + 1][0] = _mm_movehl_ps(in[1][v], in[0][v]);
            out[2 * v + 1][1] = _mm_movehl_ps(in[3][v], in[2][v]);
        }
    }
};

} // namespace

void transformSse2(Complex* data, std::size_t nx, std::size_t ny, bool inverse, const Complex* before,
                   const Complex* after)
{
    transformField<Sse2Ops>(data, nx, ny, inverse, before, after);
}

void multiplySse2(Complex* values, const Complex* factors, std::size_t count)
{
    multiplyValues<Sse2Ops>(values, factors, count);
}

} // namespace vxo::fft2d

#endif
