#pragma once

// Phase factors of the propagators: evaluated in double precision and rounded
// once to single precision, then applied with plain single-precision products
// (no NaN/infinity recovery of the library operator on every call): the FFT's
// twiddles as they are, the cell tables of the split step as offsets from one
// (offsetProduct). A factor applied to the same cell step after step must be of
// modulus one as nearly as single precision allows: rounding re and im each to
// nearest leaves a modulus error of one sign for that value (a wall of one
// potential, a twiddle of the FFT), and the norm then drifts by that error
// every step.

#include "core/ComplexField2D.h"
#include "core/FFT2DKernels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace vxo {

// The spacing of the single-precision values just above |x|: one unit in the
// last place, read from the exponent bits.
inline double floatSpacing(float x)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    const std::uint32_t exponent = bits & 0x7f800000u;
    constexpr std::uint32_t kMantissa = static_cast<std::uint32_t>(std::numeric_limits<float>::digits - 1) << 23;
    if (exponent <= kMantissa) // zero, subnormal or tiny: the smallest spacing
        return static_cast<double>(std::numeric_limits<float>::denorm_min());
    const std::uint32_t spacingBits = exponent - kMantissa;
    float spacing = 0.0f;
    std::memcpy(&spacing, &spacingBits, sizeof spacing);
    return static_cast<double>(spacing);
}

// Two carried roundings, each for how its factors are stored: roundToUnit for
// factors kept whole (twiddles, links), where either part may move;
// roundOffsetCarried for factors kept as offsets from one (cell tables),
// whose finer units let the larger part alone bring |w| to one.
//
// A value of modulus one, (re, im) in double precision, in single precision:
// re and im rounded to nearest and then moved by a and b units in the last
// place (|a|, |b| <= 3), chosen so that carried + |w|^2 - 1 comes nearest to
// zero, the smaller |a| first. With carried = 0 it is the pair of modulus
// nearest to one within a few units of the angle; a running carried lets a
// sequence of factors cancel the modulus errors that no single pair can
// avoid (exp(-i pi/4) has no pair closer than |w|^2 = 1 - 3.4e-8, a factor
// near 1 none closer than about 6e-8). modulusError, when not null, receives
// |w|^2 - 1 of the chosen pair.
inline Complex roundToUnit(double re, double im, double carried = 0.0, double* modulusError = nullptr)
{
    constexpr int kUlps = 3;
    const float r0 = static_cast<float>(re);
    const float i0 = static_cast<float>(im);
    const double spacingR = floatSpacing(r0);
    const double spacingI = floatSpacing(i0);
    // One unit of re moves |w|^2 by about 2 re spacingR, one of im by 2 im spacingI.
    const double stepR = 2.0 * static_cast<double>(r0) * spacingR;
    const double stepI = 2.0 * static_cast<double>(i0) * spacingI;
    const double wanted = -carried - (static_cast<double>(r0) * r0 + static_cast<double>(i0) * i0 - 1.0);
    // For each count a of re, the nearest count b of im.
    const double perStepI = stepI == 0.0 ? 0.0 : 1.0 / stepI;
    double bestA = 0.0, bestB = 0.0;
    double bestMiss = std::numeric_limits<double>::infinity();
    for (int k = 0; k <= 2 * kUlps; ++k) {
        const double a = (k % 2 == 0) ? k / 2 : -(k + 1) / 2; // 0, -1, 1, -2, 2, ...
        const double rest = wanted - a * stepR;
        // Truncation of the shifted, clamped ratio (positive) is its floor.
        const double b =
            static_cast<int>(std::clamp(rest * perStepI, -double(kUlps), double(kUlps)) + kUlps + 0.5) - kUlps;
        const double miss = std::abs(rest - b * stepI);
        if (miss < bestMiss) {
            bestMiss = miss;
            bestA = a;
            bestB = b;
        }
    }
    const float r = r0 + static_cast<float>(bestA * spacingR);
    const float i = i0 + static_cast<float>(bestB * spacingI);
    if (modulusError)
        *modulusError = static_cast<double>(r) * r + static_cast<double>(i) * i - 1.0;
    return Complex(r, i);
}

// exp(i phase), of modulus one as nearly as single precision allows.
inline Complex unitPhase(double phase) { return roundToUnit(std::cos(phase), std::sin(phase)); }

// A factor of a cell table is kept as its offset from one, f = w - 1, and
// applied as x + f x (offsetProduct). A phase below a few 1e-4 rad, common
// on a well's floor and near k = 0 of the kinetic table, has a real part
// within a few units of one; x times such a w, rounded to nearest, shrinks
// or grows x by whole units in one direction (1 - 2^-24 takes about
// 4.8e-8 off |x|^2 on average), and rounding the pair cannot bring |w| to one
// either. The offset keeps such a factor to its own precision, |w|^2 - 1
// near 2^-24 phase^2, and x + f x rounds once, by a term whose sign follows
// the phase of x.
//
// The offset (d, s) of (1 + d, s), d and s of the factor's modulus one in
// double precision (d = cos - 1, best as -2 sin^2 of the half angle), in
// single precision: d and s rounded to nearest, then the part of the larger
// component of w moved by whole units in the last place (at most three) so
// that carried + |w|^2 - 1 comes nearest to zero; carried receives what is
// left. A run of cells of one larger phase (a wall) carries its errors from
// cell to cell, so that they cancel over a few cells. An offset of zero (V =
// 0) stays exactly zero; a value that is not finite is rounded to nearest;
// neither changes carried.
inline Complex roundOffsetCarried(double d, double s, double& carried)
{
    if (d == 0.0 && s == 0.0)
        return Complex(0.0f, 0.0f);
    constexpr double kUlps = 3.0;
    // Rounded to the nearest whole number (halves to even) by adding and
    // taking away 1.5 2^52, without a branch on the sign.
    constexpr double kRounder = 6755399441055744.0;
    const float df = static_cast<float>(d);
    const float sf = static_cast<float>(s);
    const double re = 1.0 + static_cast<double>(df); // exact
    const double miss = re * re + static_cast<double>(sf) * sf - 1.0 + carried;
    if (!(std::abs(miss) < 1.0)) // not finite
        return Complex(df, sf);
    const bool realLarger = std::abs(re) >= std::abs(static_cast<double>(sf));
    const float part = realLarger ? df : sf;
    // d(|w|^2) / d(part): 2 re for the offset of the real part, 2 s for s.
    const double slope = 2.0 * (realLarger ? re : static_cast<double>(sf));
    const double unit = floatSpacing(part);
    if (slope == 0.0 || unit == 0.0)
        return Complex(df, sf);
    const double units = (std::clamp(-miss / (slope * unit), -kUlps, kUlps) + kRounder) - kRounder;
    const float moved = static_cast<float>(static_cast<double>(part) + units * unit);
    const Complex f = realLarger ? Complex(moved, sf) : Complex(df, moved);
    const double movedRe = 1.0 + static_cast<double>(f.real());
    const double before = re * re + static_cast<double>(sf) * sf;
    carried = miss + ((movedRe * movedRe + static_cast<double>(f.imag()) * f.imag()) - before);
    return f;
}

// The offset of exp(i phase) from one in double precision, (d, s) of
// (1 + d, s): cos - 1 as -2 sin^2 of the half angle (full precision for the
// small phases of a floor or near k = 0), the sine by the double angle from
// the sine and cosine of the same half angle; its error of a few units of
// double precision lies far below the rounding to single.
struct PhaseOffset {
    double d;
    double s;
};

inline PhaseOffset phaseOffset(double phase)
{
    const double halfPhase = 0.5 * phase;
    const double sine = std::sin(halfPhase);
    return {-2.0 * sine * sine, 2.0 * sine * std::cos(halfPhase)};
}

// A table of phase factors in cell order, as offsets from one, each rounded
// by roundOffsetCarried with the modulus errors of the cells before it
// carried: a region of one potential value (a wall) would otherwise repeat
// one error, of one sign, in every cell and every step; carried, the errors
// of neighbouring cells cancel, and what any smooth density sees of them is
// of the order of one error over the width of the density in cells.
class UnitPhaseRun {
public:
    // The offset of exp(i phase) from one.
    Complex next(double phase)
    {
        const PhaseOffset f = phaseOffset(phase);
        return roundOffsetCarried(f.d, f.s, carried_);
    }

private:
    double carried_ = 0.0;
};

// The offset of exp(i phase) from one, on its own (nothing carried).
inline Complex unitPhaseOffset(double phase) { return UnitPhaseRun().next(phase); }

// a * b as (ar br - ai bi, ar bi + ai br) in single precision.
inline Complex plainProduct(Complex a, Complex b)
{
    return Complex(a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real());
}

// x (1 + f) as x + (fr xr - fi xi, fr xi + fi xr), f the offset of a factor
// from one, in single precision.
inline Complex offsetProduct(Complex x, Complex f)
{
    return Complex(x.real() + (f.real() * x.real() + (-f.imag()) * x.imag()),
                   x.imag() + (f.real() * x.imag() + f.imag() * x.real()));
}

// values[c] = offsetProduct(values[c], offsets[c]) for c < count, on the
// widest vectors the processor has (those of the FFT), with the same result.
inline void multiplyCells(Complex* values, const Complex* offsets, std::uint64_t count)
{
    fft2d::multiplyCells(fft2d::bestKernelSet(), values, offsets, count);
}

} // namespace vxo
