#include "core/FFT2D.h"

#include "core/Numeric.h"

#include <stdexcept>
#include <utility>

namespace vxo {

bool FFT2D::isPowerOfTwoGrid(std::uint64_t nx, std::uint64_t ny) { return isPowerOfTwo(nx) && isPowerOfTwo(ny); }

void FFT2D::forward(ComplexField2D& field) { transform(field, false); }

void FFT2D::inverse(ComplexField2D& field) { transform(field, true); }

void FFT2D::transform(ComplexField2D& field, bool inverse)
{
    if (field.empty())
        throw std::invalid_argument("FFT2D: field must not be empty");
    if (!isPowerOfTwoGrid(field.nx(), field.ny()))
        throw std::invalid_argument("FFT2D: width and height must be powers of two");
    const std::size_t nx = field.nx();
    const std::size_t ny = field.ny();
    Complex* data = field.data();
    for (std::size_t j = 0; j < ny; ++j)
        transformLine(data + j * nx, nx, 1, inverse);
    for (std::size_t i = 0; i < nx; ++i)
        transformLine(data + i, ny, nx, inverse);
}

void FFT2D::transformLine(Complex* first, std::size_t n, std::size_t stride, bool inverse)
{
    if (n != 0 && !isPowerOfTwo(n))
        throw std::invalid_argument("FFT2D: width and height must be powers of two");
    if (n >= 2) {
        // Bit-reversal permutation with a reversed counter.
        std::size_t j = 0;
        for (std::size_t i = 1; i < n; ++i) {
            std::size_t bit = n >> 1;
            while (j & bit) {
                j ^= bit;
                bit >>= 1;
            }
            j |= bit;
            if (i < j)
                std::swap(first[i * stride], first[j * stride]);
        }
        const double sign = inverse ? 1.0 : -1.0;
        for (std::size_t len = 2; len <= n; len <<= 1) {
            const double theta = 2.0 * sign * kPi / static_cast<double>(len);
            const double c = std::cos(theta);
            const double s = std::sin(theta);
            const std::size_t half = len / 2;
            for (std::size_t b = 0; b < n; b += len) {
                double wr = 1.0;
                double wi = 0.0;
                for (std::size_t k = 0; k < half; ++k) {
                    const float fr = static_cast<float>(wr);
                    const float fi = static_cast<float>(wi);
                    Complex& a = first[(b + k) * stride];
                    Complex& e = first[(b + k + half) * stride];
                    const float tr = fr * e.real() - fi * e.imag();
                    const float ti = fr * e.imag() + fi * e.real();
                    const float ur = a.real();
                    const float ui = a.imag();
                    a = Complex(ur + tr, ui + ti);
                    e = Complex(ur - tr, ui - ti);
                    const double nwr = wr * c - wi * s;
                    const double nwi = wr * s + wi * c;
                    wr = nwr;
                    wi = nwi;
                }
            }
        }
    }
    if (inverse && n > 0) {
        const float scale = 1.0f / static_cast<float>(n);
        for (std::size_t i = 0; i < n; ++i) {
            Complex& v = first[i * stride];
            v = Complex(v.real() * scale, v.imag() * scale);
        }
    }
}

} // namespace vxo
