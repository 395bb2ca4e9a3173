#pragma once

// The bodies of AmplitudeKernels.h, the vector ones written once over a small
// set of single-precision vector operations ("Ops"), instantiated for each
// instruction set in VectorKernels*.cpp; internal linkage throughout, as in
// FFT2DPasses.h.
//
// The phase: with ax = |re|, ay = |im|, t = min / max in [0, 1] is brought to
// [-0.172, 0.414] by atan t = pi/4 + atan((t - 1) / (t + 1)) where
// t > tan(pi/8), both forms taken as one quotient of min and max; the odd
// polynomial of degree 9 gives atan there to about one unit in the last place.
// Then pi/2 - r where ay > ax, pi - r where re carries a minus sign (-0
// included), and the sign of im, which reproduces atan2 at the signed zeros.

#include "core/ComplexField2D.h"

#include <cmath>
#include <cstddef>

namespace vxo::amplitude {
namespace {

// A NaN never replaces the running maximum.
inline float largerOf(float value, float maximum) { return value > maximum ? value : maximum; }

// The scalar maps of the cells first .. count - 1, as the portable path does
// them everywhere and the vector paths past their last whole vector; maximum
// is the running maximum so far.
inline float densityAndPhaseFrom(std::size_t first, const Complex* values, std::size_t count, float* density,
                                 float* phase, float maximum)
{
    for (std::size_t c = first; c < count; ++c) {
        const float re = values[c].real();
        const float im = values[c].imag();
        const float d = im * im + re * re;
        density[c] = d;
        phase[c] = std::atan2(im, re);
        maximum = largerOf(d, maximum);
    }
    return maximum;
}

inline float copyWithMaxAbsFrom(std::size_t first, const float* v, std::size_t count, float* out, float maximum)
{
    for (std::size_t c = first; c < count; ++c) {
        out[c] = v[c];
        maximum = largerOf(std::fabs(v[c]), maximum);
    }
    return maximum;
}

inline float densityAndPhaseCellByCell(const Complex* values, std::size_t count, float* density, float* phase)
{
    return densityAndPhaseFrom(0, values, count, density, phase, 0.0f);
}

inline float copyWithMaxAbsCellByCell(const float* v, std::size_t count, float* out)
{
    return copyWithMaxAbsFrom(0, v, count, out, 0.0f);
}

template <class Ops>
float densityAndPhaseCells(const Complex* values, std::size_t count, float* density, float* phase)
{
    using V = typename Ops::V;
    const V quarterPi = Ops::splat(0.785398163397448f);
    const V halfPi = Ops::splat(1.570796326794897f);
    const V pi = Ops::splat(3.141592653589793f);
    const V tanEighthPi = Ops::splat(0.414213562373095f);
    const V c3 = Ops::splat(-3.33329491539e-1f);
    const V c5 = Ops::splat(1.99777106478e-1f);
    const V c7 = Ops::splat(-1.38776856032e-1f);
    const V c9 = Ops::splat(8.05374449538e-2f);
    V maximum = Ops::splat(0.0f);
    std::size_t c = 0;
    for (; c + Ops::kWidth <= count; c += Ops::kWidth) {
        V re;
        V im;
        Ops::loadCells(values + c, re, im);
        const V d = Ops::add(Ops::mul(im, im), Ops::mul(re, re));
        Ops::store(density + c, d);
        maximum = Ops::maxKeepingSecond(d, maximum);
        const V ax = Ops::abs(re);
        const V ay = Ops::abs(im);
        if (!Ops::allFinite(ax, ay)) {
            for (std::size_t k = c; k < c + Ops::kWidth; ++k)
                phase[k] = std::atan2(values[k].imag(), values[k].real());
            continue;
        }
        const V low = Ops::min(ax, ay);
        const V high = Ops::max(ax, ay);
        const typename Ops::Mask reduced = Ops::greater(low, Ops::mul(tanEighthPi, high));
        const V numerator = Ops::select(reduced, Ops::sub(low, high), low);
        const V denominator = Ops::select(reduced, Ops::add(low, high), high);
        // 0 / 0 where both parts are zero: atan 0 there.
        const V t = Ops::zeroWhere(Ops::equal(high, Ops::splat(0.0f)), Ops::div(numerator, denominator));
        const V z = Ops::mul(t, t);
        V p = Ops::add(Ops::mul(c9, z), c7);
        p = Ops::add(Ops::mul(p, z), c5);
        p = Ops::add(Ops::mul(p, z), c3);
        V r = Ops::add(Ops::mul(Ops::mul(p, z), t), t);
        r = Ops::add(Ops::select(reduced, quarterPi, Ops::splat(0.0f)), r);
        r = Ops::select(Ops::greater(ay, ax), Ops::sub(halfPi, r), r);
        r = Ops::select(Ops::signBitSet(re), Ops::sub(pi, r), r);
        Ops::store(phase + c, Ops::withSignOf(r, im));
    }
    return densityAndPhaseFrom(c, values, count, density, phase, Ops::horizontalMax(maximum));
}

template <class Ops>
float copyWithMaxAbsCells(const float* v, std::size_t count, float* out)
{
    using V = typename Ops::V;
    V maximum = Ops::splat(0.0f);
    std::size_t c = 0;
    for (; c + Ops::kWidth <= count; c += Ops::kWidth) {
        const V x = Ops::load(v + c);
        Ops::store(out + c, x);
        maximum = Ops::maxKeepingSecond(Ops::abs(x), maximum);
    }
    return copyWithMaxAbsFrom(c, v, count, out, Ops::horizontalMax(maximum));
}

} // namespace
} // namespace vxo::amplitude
