#include "core/EnergyObservables2D.h"

#include "core/Numeric.h"

#include <stdexcept>
#include <vector>

namespace vxo {

namespace {
// Index k + offset on a periodic axis of n cells (offset in -2..2).
std::uint64_t wrap(std::uint64_t k, int offset, std::uint64_t n)
{
    const std::uint64_t shift = static_cast<std::uint64_t>(offset < 0 ? -offset : offset) % n;
    return offset < 0 ? (k % n + n - shift) % n : (k % n + shift) % n;
}

// Fourth-order central difference of samples at -2, -1, +1, +2 cells of spacing h.
std::complex<double> difference(const Complex& m2, const Complex& m1, const Complex& p1, const Complex& p2, double h)
{
    return (widen(m2) - 8.0 * widen(m1) + 8.0 * widen(p1) - widen(p2)) / (12.0 * h);
}

// The same difference at index k of a periodic axis of n samples.
template <typename At>
std::complex<double> fourthOrderDerivative(At at, std::uint64_t k, std::uint64_t n, double h)
{
    if (n == 0)
        return {0.0, 0.0};
    return difference(at(wrap(k, -2, n)), at(wrap(k, -1, n)), at(wrap(k, 1, n)), at(wrap(k, 2, n)), h);
}

// The four periodic neighbours of every index of an axis, wrapped once per
// evaluation instead of once per cell and derivative.
struct AxisNeighbours {
    std::vector<std::uint64_t> m2, m1, p1, p2;

    explicit AxisNeighbours(std::uint64_t n) : m2(n), m1(n), p1(n), p2(n)
    {
        for (std::uint64_t k = 0; k < n; ++k) {
            m2[k] = wrap(k, -2, n);
            m1[k] = wrap(k, -1, n);
            p1[k] = wrap(k, 1, n);
            p2[k] = wrap(k, 2, n);
        }
    }
};

} // namespace

std::complex<double> EnergyObservables2D::gradientX(const ComplexField2D& psi, std::uint64_t i, std::uint64_t j)
{
    return fourthOrderDerivative([&](std::uint64_t c) { return psi.at(c, j); }, i, psi.nx(), psi.dx());
}

std::complex<double> EnergyObservables2D::gradientY(const ComplexField2D& psi, std::uint64_t i, std::uint64_t j)
{
    return fourthOrderDerivative([&](std::uint64_t r) { return psi.at(i, r); }, j, psi.ny(), psi.dy());
}

EnergyObservables2D EnergyObservables2D::compute(const ComplexField2D& psi, const PotentialField2D& V, double hbar,
                                                 double mass)
{
    if (psi.empty())
        throw std::invalid_argument("EnergyObservables2D: field must not be empty");
    if (!V.matches(psi))
        throw std::invalid_argument("EnergyObservables2D: potential grid must match psi");
    if (!isFinitePositive(hbar))
        throw std::invalid_argument("EnergyObservables2D: hbar must be finite and positive");
    if (!isFinitePositive(mass))
        throw std::invalid_argument("EnergyObservables2D: mass must be finite and positive");
    if (psi.nx() < 5 || psi.ny() < 5)
        throw std::invalid_argument("EnergyObservables2D: grid must be at least 5x5");

    const double dA = static_cast<double>(psi.dy()) * static_cast<double>(psi.dx());
    const double c = hbar * hbar / (2.0 * mass);
    EnergyObservables2D result;
    const std::uint64_t nx = psi.nx();
    const AxisNeighbours columns(nx);
    const AxisNeighbours rows(psi.ny());
    const double hx = psi.dx();
    const double hy = psi.dy();
    for (std::uint64_t j = 0; j < psi.ny(); ++j) {
        const Complex* row = &psi.at(0, j);
        const Complex* below2 = &psi.at(0, rows.m2[j]);
        const Complex* below1 = &psi.at(0, rows.m1[j]);
        const Complex* above1 = &psi.at(0, rows.p1[j]);
        const Complex* above2 = &psi.at(0, rows.p2[j]);
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double rho = std::norm(widen(row[i]));
            result.norm += rho * dA;
            const double gx =
                std::norm(difference(row[columns.m2[i]], row[columns.m1[i]], row[columns.p1[i]], row[columns.p2[i]], hx));
            const double gy = std::norm(difference(below2[i], below1[i], above1[i], above2[i], hy));
            result.kinetic += (gx + gy) * c * dA;
            result.potential += static_cast<double>(V.valueAt(i, j)) * rho * dA;
        }
    }
    if (isFinitePositive(result.norm)) {
        result.kinetic /= result.norm;
        result.potential /= result.norm;
        result.total = result.kinetic + result.potential;
    } else {
        result.kinetic = 0.0;
        result.potential = 0.0;
    }
    return result;
}

} // namespace vxo
