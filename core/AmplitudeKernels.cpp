// The plain C++ and SSE2 copies of the amplitude maps, and the choice between
// the copies.

#include "core/AmplitudeKernels.h"

#include "core/AmplitudeKernelPasses.h"

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace vxo::amplitude {

namespace {

#if defined(__x86_64__)
// Four cells per 128-bit vector.
struct Sse2AmplitudeOps {
    static constexpr std::size_t kWidth = 4;
    using V = __m128;
    using Mask = __m128;
    static V load(const float* p) { return _mm_loadu_ps(p); }
    static void store(float* p, V v) { _mm_storeu_ps(p, v); }
    static void loadCells(const Complex* p, V& re, V& im)
    {
        const __m128 v0 = _mm_loadu_ps(reinterpret_cast<const float*>(p));     // r0 i0 r1 i1
        const __m128 v1 = _mm_loadu_ps(reinterpret_cast<const float*>(p + 2)); // r2 i2 r3 i3
        re = _mm_shuffle_ps(v0, v1, _MM_SHUFFLE(2, 0, 2, 0));
        im = _mm_shuffle_ps(v0, v1, _MM_SHUFFLE(3, 1, 3, 1));
    }
    static V splat(float f) { return _mm_set1_ps(f); }
    static V add(V a, V b) { return _mm_add_ps(a, b); }
    static V sub(V a, V b) { return _mm_sub_ps(a, b); }
    static V mul(V a, V b) { return _mm_mul_ps(a, b); }
    static V div(V a, V b) { return _mm_div_ps(a, b); }
    static V min(V a, V b) { return _mm_min_ps(a, b); }
    static V max(V a, V b) { return _mm_max_ps(a, b); }
    // a where a > m, else m: a NaN keeps m.
    static V maxKeepingSecond(V a, V m) { return _mm_max_ps(a, m); }
    static V abs(V a) { return _mm_and_ps(a, _mm_castsi128_ps(_mm_set1_epi32(0x7fffffff))); }
    static bool allFinite(V ax, V ay)
    {
        const V inf = _mm_set1_ps(HUGE_VALF);
        return _mm_movemask_ps(_mm_and_ps(_mm_cmplt_ps(ax, inf), _mm_cmplt_ps(ay, inf))) == 0xf;
    }
    static Mask greater(V a, V b) { return _mm_cmpgt_ps(a, b); }
    static Mask equal(V a, V b) { return _mm_cmpeq_ps(a, b); }
    static Mask signBitSet(V a) { return _mm_castsi128_ps(_mm_srai_epi32(_mm_castps_si128(a), 31)); }
    static V select(Mask m, V a, V b) { return _mm_or_ps(_mm_and_ps(m, a), _mm_andnot_ps(m, b)); }
    static V zeroWhere(Mask m, V a) { return _mm_andnot_ps(m, a); }
    // r >= 0 with the sign of s.
    static V withSignOf(V r, V s) { return _mm_or_ps(r, _mm_and_ps(s, _mm_set1_ps(-0.0f))); }
    static float horizontalMax(V a)
    {
        const V pairs = _mm_max_ps(a, _mm_movehl_ps(a, a));
        return _mm_cvtss_f32(_mm_max_ss(pairs, _mm_shuffle_ps(pairs, pairs, _MM_SHUFFLE(1, 1, 1, 1))));
    }
};
#endif

} // namespace

float densityAndPhasePortable(const Complex* values, std::size_t count, float* density, float* phase)
{
    float maximum = 0.0f;
    for (std::size_t c = 0; c < count; ++c)
        maximum = largerOf(densityAndPhaseOfCell(values[c], density[c], phase[c]), maximum);
    return maximum;
}

float copyWithMaxAbsPortable(const float* v, std::size_t count, float* out)
{
    float maximum = 0.0f;
    for (std::size_t c = 0; c < count; ++c) {
        out[c] = v[c];
        maximum = largerOf(std::fabs(v[c]), maximum);
    }
    return maximum;
}

#if defined(__x86_64__)
float densityAndPhaseSse2(const Complex* values, std::size_t count, float* density, float* phase)
{
    return densityAndPhaseCells<Sse2AmplitudeOps>(values, count, density, phase);
}

float copyWithMaxAbsSse2(const float* v, std::size_t count, float* out)
{
    return copyWithMaxAbsCells<Sse2AmplitudeOps>(v, count, out);
}
#endif

float densityAndPhase(fft2d::Path path, const Complex* values, std::size_t count, float* density, float* phase)
{
    switch (path) {
#if defined(__x86_64__)
    case fft2d::Path::Avx2:
        return densityAndPhaseAvx2(values, count, density, phase);
    case fft2d::Path::Sse2:
        return densityAndPhaseSse2(values, count, density, phase);
#endif
    default:
        return densityAndPhasePortable(values, count, density, phase);
    }
}

float copyWithMaxAbs(fft2d::Path path, const float* v, std::size_t count, float* out)
{
    switch (path) {
#if defined(__x86_64__)
    case fft2d::Path::Avx2:
        return copyWithMaxAbsAvx2(v, count, out);
    case fft2d::Path::Sse2:
        return copyWithMaxAbsSse2(v, count, out);
#endif
    default:
        return copyWithMaxAbsPortable(v, count, out);
    }
}

} // namespace vxo::amplitude
