#pragma once

// A plain scalar radix-2 line transform, written straight from the algorithm
// the library implements: reversed-counter bit reversal, butterflies in single
// precision around a twiddle product formed in double precision and rounded
// once, a double-precision twiddle recurrence per stage, 1/n scaling for
// the inverse. The library's FFT, however it is optimised, must agree with this
// bit for bit.

#include "core/ComplexField2D.h"

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
        const double sign = inverse ? 1.0 : -1.0;
        for (std::size_t len = 2; len <= n; len *= 2) {
            const double theta = 2.0 * sign * 3.141592653589793 / static_cast<double>(len);
            const double c = std::cos(theta);
            const double s = std::sin(theta);
            for (std::size_t b = 0; b < n; b += len) {
                double wr = 1.0, wi = 0.0;
                for (std::size_t k = 0; k < len / 2; ++k) {
                    const Complex e = x[(b + k + len / 2) * stride];
                    const double er = e.real(), ei = e.imag();
                    const Complex t(static_cast<float>(wr * er - wi * ei), static_cast<float>(wr * ei + wi * er));
                    const Complex u = x[(b + k) * stride];
                    x[(b + k) * stride] = Complex(u.real() + t.real(), u.imag() + t.imag());
                    x[(b + k + len / 2) * stride] = Complex(u.real() - t.real(), u.imag() - t.imag());
                    const double nr = wr * c - wi * s;
                    const double ni = wr * s + wi * c;
                    wr = nr;
                    wi = ni;
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
