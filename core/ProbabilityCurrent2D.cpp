#include "core/ProbabilityCurrent2D.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <stdexcept>

namespace vxo {

namespace {
using Complex64 = std::complex<double>;

void requireMassAndHbar(float hbar, float mass)
{
    if (!isFinitePositive(hbar))
        throw std::invalid_argument("ProbabilityCurrent2D: hbar must be finite and positive");
    if (!isFinitePositive(mass))
        throw std::invalid_argument("ProbabilityCurrent2D: mass must be finite and positive");
}

// Sized, all-zero current on the grid of psi.
ProbabilityCurrent2D zeroCurrent(const ComplexField2D& psi)
{
    ProbabilityCurrent2D current;
    current.nx = psi.nx();
    current.ny = psi.ny();
    current.dx = psi.dx();
    current.dy = psi.dy();
    current.jx.assign(psi.size(), 0.0f);
    current.jy.assign(psi.size(), 0.0f);
    return current;
}

// Central-difference current over the interior. differenceX(i, j) and
// differenceY(i, j) give psi(next) - psi(previous) around cell (i, j) along x
// and y, carrying the link factors of the hops where there are any.
template <typename DifferenceX, typename DifferenceY>
void fillCurrent(ProbabilityCurrent2D& current, const ComplexField2D& psi, float hbar, float mass,
                 DifferenceX differenceX, DifferenceY differenceY)
{
    if (current.nx < 3 || current.ny < 3)
        return;
    const double a = 1.0 / (2.0 * static_cast<double>(psi.dx()));
    const double b = 1.0 / (2.0 * static_cast<double>(psi.dy()));
    const double k = static_cast<double>(hbar) / static_cast<double>(mass);
    const double dA = static_cast<double>(psi.dy()) * static_cast<double>(psi.dx());
    for (std::uint64_t j = 1; j + 1 < current.ny; ++j) {
        for (std::uint64_t i = 1; i + 1 < current.nx; ++i) {
            const Complex64 centre = widen(psi.at(i, j));
            const Complex64 dX = differenceX(i, j) * a;
            const Complex64 dY = differenceY(i, j) * b;
            const double jx = ProbabilityCurrent2D::component(centre, dX, k);
            const double jy = ProbabilityCurrent2D::component(centre, dY, k);
            const std::uint64_t index = j * current.nx + i;
            current.jx[index] = static_cast<float>(jx);
            current.jy[index] = static_cast<float>(jy);
            const float magnitude = static_cast<float>(std::sqrt(jx * jx + jy * jy));
            if (magnitude > current.maxMagnitude)
                current.maxMagnitude = magnitude;
            current.integralJx += jx * dA;
            current.integralJy += jy * dA;
        }
    }
}
} // namespace

ProbabilityCurrent2D ProbabilityCurrent2D::compute(const ComplexField2D& psi, float hbar, float mass)
{
    if (psi.empty())
        return {};
    requireMassAndHbar(hbar, mass);
    ProbabilityCurrent2D current = zeroCurrent(psi);
    fillCurrent(
        current, psi, hbar, mass,
        [&](std::uint64_t i, std::uint64_t j) { return widen(psi.at(i + 1, j)) - widen(psi.at(i - 1, j)); },
        [&](std::uint64_t i, std::uint64_t j) { return widen(psi.at(i, j + 1)) - widen(psi.at(i, j - 1)); });
    return current;
}

ProbabilityCurrent2D ProbabilityCurrent2D::computeWithGauge(const ComplexField2D& psi, const GaugeLinkField2D& links,
                                                            float hbar, float mass)
{
    if (psi.empty())
        return {};
    requireMassAndHbar(hbar, mass);
    if (!links.matches(psi))
        throw std::invalid_argument("ProbabilityCurrent2D: gauge field does not match wavefunction grid");
    ProbabilityCurrent2D current = zeroCurrent(psi);
    // The hop out of a cell towards higher indices carries the link, the hop
    // in from the lower neighbour its conjugate.
    fillCurrent(
        current, psi, hbar, mass,
        [&](std::uint64_t i, std::uint64_t j) {
            return widen(links.linkX(i, j)) * widen(psi.at(i + 1, j)) -
                   std::conj(widen(links.linkX(i - 1, j))) * widen(psi.at(i - 1, j));
        },
        [&](std::uint64_t i, std::uint64_t j) {
            return widen(links.linkY(i, j)) * widen(psi.at(i, j + 1)) -
                   std::conj(widen(links.linkY(i, j - 1))) * widen(psi.at(i, j - 1));
        });
    return current;
}

double ProbabilityCurrent2D::component(std::complex<double> psi, std::complex<double> derivative, double hbarOverMass)
{
    return (psi.real() * derivative.imag() - psi.imag() * derivative.real()) * hbarOverMass;
}

bool ProbabilityCurrent2D::isEmpty() const
{
    return nx == 0 || ny == 0 || jx.size() != nx * ny || jy.size() != nx * ny;
}

bool ProbabilityCurrent2D::sample(float x, float y, float& jxOut, float& jyOut) const
{
    jxOut = 0.0f;
    jyOut = 0.0f;
    if (isEmpty() || !isFinitePositive(dx) || !isFinitePositive(dy) || nx < 2 || ny < 2)
        return false;
    const double lastX = static_cast<double>(nx - 1);
    const double lastY = static_cast<double>(ny - 1);
    const double fx = static_cast<double>(x) / static_cast<double>(dx) + centreOffset(nx);
    const double fy = static_cast<double>(y) / static_cast<double>(dy) + centreOffset(ny);
    // Written so that a NaN index fails as well.
    if (!(fx >= 0.0 && fx <= lastX && fy >= 0.0 && fy <= lastY))
        return false;
    const auto i0 = static_cast<std::uint64_t>(std::floor(fx));
    const auto j0 = static_cast<std::uint64_t>(std::floor(fy));
    const std::uint64_t i1 = std::min(nx - 1, i0 + 1);
    const std::uint64_t j1 = std::min(ny - 1, j0 + 1);
    const double tx = fx - static_cast<double>(i0);
    const double ty = fy - static_cast<double>(j0);
    const auto bilinear = [&](const std::vector<float>& v) {
        const double v00 = v[j0 * nx + i0];
        const double v10 = v[j0 * nx + i1];
        const double v01 = v[j1 * nx + i0];
        const double v11 = v[j1 * nx + i1];
        return (1.0 - ty) * ((1.0 - tx) * v00 + tx * v10) + ty * ((1.0 - tx) * v01 + tx * v11);
    };
    jxOut = static_cast<float>(bilinear(jx));
    jyOut = static_cast<float>(bilinear(jy));
    return std::isfinite(jxOut) && std::isfinite(jyOut);
}

} // namespace vxo
