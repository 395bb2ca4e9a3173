#pragma once

// Phase factors of the propagators: evaluated in double precision and rounded
// once to single precision, then applied with the plain four-multiplication
// single-precision product (no NaN/infinity recovery of the library operator
// on every call).

#include "core/ComplexField2D.h"
#include "core/FFT2DKernels.h"

#include <cmath>
#include <cstdint>

namespace vxo {

// exp(i phase), rounded once.
inline Complex unitPhase(double phase)
{
    return Complex(static_cast<float>(std::cos(phase)), static_cast<float>(std::sin(phase)));
}

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
