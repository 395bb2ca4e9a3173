#pragma once

// A plain scalar radix-2 line transform, written straight from the algorithm
// the library implements: reversed-counter bit reversal, butterflies in single
// precision with the library's single-precision twiddles of each stage, 1/n
// scaling for the inverse. The library's FFT, however it is optimised, must agree with this
// bit for bit.

#include "core/ComplexField2D.h"
#include "core/FFT2DKernels.h"

#include <cmath>
#include <cstddef>
#include <utility>

namespace vxo::reference {

inline void transformLine(Complex* x, std::size_t n, std::size_t stride, bool inverse)
{
    if (n >= 2) {
        std::size_t j = 0;
        for (std::size_t i = 1; i < n; ++i) {
            std::size_t bit = n / 2;
            while (j & bit) {
                j &= ~bit;
                bit /= 2;
            }
            j |= bit;
            if (i < j)
                std::swap(x[i * stride], x[j * stride]);
        }
        for (std::size_t len = 2; len <= n; len *= 2) {
            const Complex* w = fft2d::stageTwiddles(len / 2, inverse);
            for (std::size_t b = 0; b < n; b += len) {
                for (std::size_t k = 0; k < len / 2; ++k) {
                    const float fwr = w[k].real(), fwi = w[k].imag();
                    const Complex e = x[(b + k + len / 2) * stride];
                    const Complex t(fwr * e.real() - fwi * e.imag(), fwr * e.imag() + fwi * e.real());
                    const Complex u = x[(b + k) * stride];
                    x[(b + k) * stride] = Complex(u.real() + t.real(), u.imag() + t.imag());
                    x[(b + k + len / 2) * stride] = Complex(u.real() - t.real(), u.imag() - t.imag());
                }
            }
        }
    }
    if (inverse) {
        const float f = 1.0f / static_cast<float>(n);
        for (std::size_t i = 0; i < n; ++i)
            x[i * stride] = Complex(x[i * stride].real() * f, x[i * stride].imag() * f);
    }
}

inline void transform(ComplexField2D& field, bool inverse)
{
    for (std::size_t j = 0; j < field.ny(); ++j)
        transformLine(field.data() + j * field.nx(), field.nx(), 1, inverse);
    for (std::size_t i = 0; i < field.nx(); ++i)
        transformLine(field.data() + i, field.ny(), field.nx(), inverse);
}

} // namespace vxo::reference
