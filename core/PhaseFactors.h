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

#include <cmath>
#include <cstdint>

namespace vxo {

// A value of modulus one, (re, im) in double precision, in single precision:
// among the pairs whose parts lie within one unit in the last place of the
// nearest roundings, the one for which carried + weight (|w|^2 - 1) is nearest
// to zero, ties going to the pair nearest in angle. With carried = 0 it is the
// pair of modulus nearest to one; a running carried lets a sequence of factors
// cancel the modulus errors that no single pair can avoid (exp(-i pi/4) has no
// pair closer than |w|^2 = 1 - 3.4e-8). modulusError, when not null, receives
// |w|^2 - 1 of the chosen pair.
inline Complex roundToUnit(double re, double im, double carried = 0.0, double weight = 1.0,
                           double* modulusError = nullptr)
{
    const float r0 = static_cast<float>(re);
    const float i0 = static_cast<float>(im);
    const float rs[3] = {r0, std::nextafter(r0, -1.0f), std::nextafter(r0, 1.0f)};
    const float is[3] = {i0, std::nextafter(i0, -1.0f), std::nextafter(i0, 1.0f)};
    Complex best(r0, i0);
    double bestKey = 0.0, bestAngle = 0.0, bestError = 0.0;
    bool first = true;
    for (const float r : rs)
        for (const float i : is) {
            // Both squares are exact in double; the sum rounds far below a float ulp.
            const double error = static_cast<double>(r) * r + static_cast<double>(i) * i - 1.0;
            const double key = std::abs(carried + weight * error);
            // The sine of the angle to (re, im), which is of modulus one.
            const double angle = std::abs(static_cast<double>(i) * re - static_cast<double>(r) * im);
            if (first || key < bestKey || (key == bestKey && angle < bestAngle)) {
                best = Complex(r, i);
                bestKey = key;
                bestAngle = angle;
                bestError = error;
                first = false;
            }
        }
    if (modulusError)
        *modulusError = bestError;
    return best;
}

// exp(i phase), of modulus one as nearly as single precision allows.
inline Complex unitPhase(double phase) { return roundToUnit(std::cos(phase), std::sin(phase)); }

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
