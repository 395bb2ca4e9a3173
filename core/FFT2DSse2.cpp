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
