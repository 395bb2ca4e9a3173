#include "core/Tridiagonal.h"

#include <cmath>
#include <stdexcept>

namespace vxo {

namespace {

// a / b by Smith's method: the divisor is scaled by its larger component, so
// that no intermediate over- or underflows; b = 0 (or NaN) gives NaN.
std::complex<double> divideScaled(std::complex<double> a, std::complex<double> b)
{
    const double ar = a.real();
    const double ai = a.imag();
    const double br = b.real();
    const double bi = b.imag();
    if (std::abs(br) >= std::abs(bi)) {
        const double r = bi / br;
        const double d = br + bi * r;
        return {(ar + ai * r) / d, (ai - ar * r) / d};
    }
    const double r = br / bi;
    const double d = bi + br * r;
    return {(ar * r + ai) / d, (ai * r - ar) / d};
}

} // namespace

void solveTridiagonal(const std::vector<std::complex<double>>& sub, const std::vector<std::complex<double>>& main,
                      const std::vector<std::complex<double>>& super, std::vector<std::complex<double>>& rhs)
{
    const std::size_t n = rhs.size();
    if (sub.size() != n || main.size() != n || super.size() != n)
        throw std::invalid_argument("solveTridiagonal: diagonals and right-hand side must have the same length");
    if (n == 0)
        return;

    // Forward elimination: c' holds the normalised super-diagonal, d' the
    // normalised right-hand side.
    std::vector<std::complex<double>> cPrime(n, 0.0);
    std::vector<std::complex<double>> dPrime(rhs);
    std::complex<double> beta = main[0];
    if (n > 1) {
        cPrime[0] = divideScaled(super[0], beta);
        dPrime[0] = divideScaled(dPrime[0], beta);
        for (std::size_t i = 1; i < n; ++i) {
            beta = main[i] - sub[i] * cPrime[i - 1];
            cPrime[i] = i + 1 < n ? divideScaled(super[i], beta) : std::complex<double>(0.0, 0.0);
            dPrime[i] = divideScaled(dPrime[i] - sub[i] * dPrime[i - 1], beta);
        }
    } else {
        dPrime[0] = divideScaled(dPrime[0], beta);
    }

    rhs[n - 1] = dPrime[n - 1];
    for (std::size_t i = n - 1; i-- > 0;)
        rhs[i] = dPrime[i] - cPrime[i] * rhs[i + 1];
}

} // namespace vxo
