#pragma once

// Phase factors of the propagators: evaluated in double precision and rounded
// once to single precision, then applied with the plain four-multiplication
// single-precision product (no NaN/infinity recovery of the library operator
// on every call). A factor applied to the same cell step after step must be of
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

// A value of modulus one, (re, im) in double precision, in single precision:
// re and im rounded to nearest and then moved by a and b units in the last
// place (|a|, |b| <= 3), chosen so that carried + weight (|w|^2 - 1) comes
// nearest to zero, the smaller |a| first. With carried = 0 it is the pair of
// modulus nearest to one within a few units of the angle; a running carried
// lets a sequence of factors cancel the modulus errors that no single pair can
// avoid (exp(-i pi/4) has no pair closer than |w|^2 = 1 - 3.4e-8, a factor
// near 1 none closer than about 6e-8). modulusError, when not null, receives
// |w|^2 - 1 of the chosen pair.
inline Complex roundToUnit(double re, double im, double carried = 0.0, double weight = 1.0,
                           double* modulusError = nullptr)
{
    constexpr int kUlps = 3;
    const float r0 = static_cast<float>(re);
    const float i0 = static_cast<float>(im);
    const double spacingR = floatSpacing(r0);
    const double spacingI = floatSpacing(i0);
    // One unit of re moves |w|^2 by about 2 re spacingR, one of im by 2 im spacingI.
    const double stepR = 2.0 * static_cast<double>(r0) * spacingR;
    const double stepI = 2.0 * static_cast<double>(i0) * spacingI;
    const double wanted
        = -carried / weight - (static_cast<double>(r0) * r0 + static_cast<double>(i0) * i0 - 1.0);
    // For each count a of re, the nearest count b of im.
    const double perStepI = stepI == 0.0 ? 0.0 : 1.0 / stepI;
    double bestA = 0.0, bestB = 0.0;
    double bestMiss = std::numeric_limits<double>::infinity();
    for (int k = 0; k <= 2 * kUlps; ++k) {
        const double a = (k % 2 == 0) ? k / 2 : -(k + 1) / 2; // 0, -1, 1, -2, 2, ...
        const double rest = wanted - a * stepR;
        // Truncation of the shifted, clamped ratio (positive) is its floor.
        const double b
            = static_cast<int>(std::clamp(rest * perStepI, -double(kUlps), double(kUlps)) + kUlps + 0.5) - kUlps;
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

// One factor of a run of factors, (re, im) of modulus one in double
// precision: re and im rounded to nearest, then the larger part moved by whole
// units in the last place (at most three) so that carried + |w|^2 - 1 comes
// nearest to zero; carried receives what is left. One unit of a part c moves
// |w|^2 by about 2 |c| ulp(c); the larger part (|c| >= 1/sqrt 2) turns the
// angle least for a given change of modulus. No search. One is kept exactly
// one; a value that is not finite is rounded to nearest; neither changes
// carried.
inline Complex roundCarried(double re, double im, double& carried)
{
    // exp(0) is exactly one and needs nothing carried (a floor at V = 0).
    if (re == 1.0 && im == 0.0)
        return Complex(1.0f, 0.0f);
    constexpr double kUlps = 3.0;
    // Rounded to the nearest whole number (halves to even) by adding and
    // taking away 1.5 2^52, without a branch on the sign.
    constexpr double kRounder = 6755399441055744.0;
    const float r = static_cast<float>(re);
    const float i = static_cast<float>(im);
    const bool realLarger = std::abs(r) >= std::abs(i);
    const double larger = realLarger ? r : i;
    const double magnitude = std::abs(larger);
    // |larger| lies in [1/sqrt 2, 1]: one unit is 2^-24 below one, 2^-23 at one.
    const double unit = magnitude < 1.0 ? 0x1p-24 : 0x1p-23;
    const double miss = static_cast<double>(r) * r + static_cast<double>(i) * i - 1.0 + carried;
    if (!(std::abs(miss) < 1.0)) // not finite
        return Complex(r, i);
    const double units = (std::clamp(-miss / (2.0 * magnitude * unit), -kUlps, kUlps) + kRounder) - kRounder;
    const float moved = static_cast<float>(larger + units * std::copysign(unit, larger));
    carried = miss + (static_cast<double>(moved) * moved - larger * larger);
    return realLarger ? Complex(moved, i) : Complex(r, moved);
}

// A table of phase factors in cell order, each rounded by roundCarried with
// the modulus errors of the cells before it carried: a region of one
// potential value (the floor of a box, a well) would otherwise repeat one
// error, of one sign, in every cell and every step; carried, the errors of
// neighbouring cells cancel, and what any smooth density sees of them is of
// the order of one error over the width of the density in cells.
class UnitPhaseRun {
public:
    Complex next(double phase) { return next(std::cos(phase), std::sin(phase)); }
    // The factor (re, im), already evaluated in double precision.
    Complex next(double re, double im) { return roundCarried(re, im, carried_); }

private:
    double carried_ = 0.0;
};

// a * b as (ar br - ai bi, ar bi + ai br) in single precision.
inline Complex plainProduct(Complex a, Complex b)
{
    return Complex(a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real());
}

// values[c] = plainProduct(values[c], factors[c]) for c < count, on the
// widest vectors the processor has (those of the FFT), with the same result.
inline void multiplyCells(Complex* values, const Complex* factors, std::uint64_t count)
{
    fft2d::multiplyCells(fft2d::bestPath(), values, factors, count);
}

} // namespace vxo
