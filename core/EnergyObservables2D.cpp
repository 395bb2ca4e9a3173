#include "core/EnergyObservables2D.h"

#include "core/CovariantObservables2D.h"
#include "core/FFT2D.h"
#include "core/FourierGrid.h"
#include "core/KeptSpectrum.h"
#include "core/MomentumSpace2D.h"
#include "core/EnergyObservables2DRows.h"
#include "core/Numeric.h"
#include "core/ProbabilityCurrent2D.h"
#include "core/SpectralEnergy2D.h"
#include "core/VectorKernels.h"

#include <cmath>
#include <stdexcept>
#include <vector>

namespace vxo {

namespace {

EnergyObservables2D ofSpectral(const SpectralEnergy2D& spectral)
{
    EnergyObservables2D result;
    result.norm = spectral.norm;
    result.kinetic = spectral.kinetic;
    result.potential = spectral.potential;
    result.total = spectral.total;
    return result;
}
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

void validateSchroedinger(const ComplexField2D& psi, const PotentialField2D& V, double hbar, double mass)
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
}

// Sums to expectation values: per unit norm when the norm is finite and
// positive, else energies 0.
EnergyObservables2D perUnitNorm(EnergyObservables2D sums)
{
    if (isFinitePositive(sums.norm)) {
        sums.kinetic /= sums.norm;
        sums.potential /= sums.norm;
        sums.total = sums.kinetic + sums.potential;
    } else {
        sums.kinetic = 0.0;
        sums.potential = 0.0;
        sums.total = 0.0;
    }
    return sums;
}

// One cell's terms, added to the running sums: the definition every path
// reproduces.
inline void accumulateCell(const Complex& centre, const Complex& m2x, const Complex& m1x, const Complex& p1x,
                           const Complex& p2x, const Complex& m2y, const Complex& m1y, const Complex& p1y,
                           const Complex& p2y, float v, const energy::RowConstants& k, energy::RunningSums& sums)
{
    const double rho = std::norm(widen(centre));
    sums.norm += rho * k.dA;
    const double gx = std::norm(difference(m2x, m1x, p1x, p2x, k.hx));
    const double gy = std::norm(difference(m2y, m1y, p1y, p2y, k.hy));
    sums.kinetic += (gx + gy) * k.c * k.dA;
    sums.potential += static_cast<double>(v) * rho * k.dA;
}

} // namespace

namespace energy {

void accumulateRowPortable(const RowStencil& row, std::uint64_t first, std::uint64_t last, const RowConstants& k,
                           RunningSums& sums)
{
    const Complex* r = row.centre;
    for (std::uint64_t i = first; i < last; ++i)
        accumulateCell(r[i], r[i - 2], r[i - 1], r[i + 1], r[i + 2], row.below2[i], row.below1[i], row.above1[i],
                       row.above2[i], row.potential[i], k, sums);
}

void accumulateDiracRowPortable(const Complex* a, const Complex* b, std::size_t count, double* alongX,
                                double (*sums)[4])
{
    // In real arithmetic: conj(a) b = (ar br + ai bi, ar bi - ai br).
    for (std::size_t i = 0; i < count; ++i) {
        const double ar = a[i].real(), ai = a[i].imag();
        const double br = b[i].real(), bi = b[i].imag();
        sums[0][i % 4] += ar * ar + ai * ai;
        sums[1][i % 4] += br * br + bi * bi;
        alongX[i] += ar * br + ai * bi;
        sums[2][i % 4] += ar * bi - ai * br;
    }
}

} // namespace energy

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
    validateSchroedinger(psi, V, hbar, mass);

    energy::RowConstants k;
    k.dA = static_cast<double>(psi.dy()) * static_cast<double>(psi.dx());
    k.c = hbar * hbar / (2.0 * mass);
    k.hx = psi.dx();
    k.hy = psi.dy();
    energy::RunningSums sums;
    const std::uint64_t nx = psi.nx();
    const AxisNeighbours columns(nx);
    const AxisNeighbours rows(psi.ny());
    const auto accumulateRow = vectorKernels(fft2d::bestKernelSet()).energyRow;
    for (std::uint64_t j = 0; j < psi.ny(); ++j) {
        energy::RowStencil row;
        row.centre = &psi.at(0, j);
        row.below2 = &psi.at(0, rows.m2[j]);
        row.below1 = &psi.at(0, rows.m1[j]);
        row.above1 = &psi.at(0, rows.p1[j]);
        row.above2 = &psi.at(0, rows.p2[j]);
        row.potential = V.data() + j * nx;
        // The two cells at each end reach across the periodic seam; the
        // cells between them take their x neighbours directly, in order.
        const auto wrapped = [&](std::uint64_t i) {
            const Complex* r = row.centre;
            accumulateCell(r[i], r[columns.m2[i]], r[columns.m1[i]], r[columns.p1[i]], r[columns.p2[i]], row.below2[i],
                           row.below1[i], row.above1[i], row.above2[i], row.potential[i], k, sums);
        };
        wrapped(0);
        wrapped(1);
        accumulateRow(row, 2, nx - 2, k, sums);
        wrapped(nx - 2);
        wrapped(nx - 1);
    }
    EnergyObservables2D result;
    result.norm = sums.norm;
    result.kinetic = sums.kinetic;
    result.potential = sums.potential;
    return perUnitNorm(result);
}

EnergyObservables2D EnergyObservables2D::ofStep(const ComplexField2D& psi, const PotentialField2D& V,
                                                const SteppedHamiltonian& h)
{
    if (h.spinor)
        return computeDirac(*h.spinor, h.diracPotential ? &V : nullptr, h.hbar, h.lightSpeed, h.restMass);
    if (h.links)
        return computeWithGauge(psi, V, *h.links, h.hbar, h.mass);
    // The plain split step propagates every plane wave of the grid with its
    // exact kinetic energy, so the energy it conserves is the spectral one; a
    // finite-difference gradient under-reads the wave numbers near the grid's
    // limit that walls and coarse cells fill.
    if (!FFT2D::isPowerOfTwoGrid(psi.nx(), psi.ny()))
        return compute(psi, V, h.hbar, h.mass);
    validateSchroedinger(psi, V, h.hbar, h.mass);
    return ofSpectral(SpectralEnergy2D::compute(psi, V, h.hbar, h.mass));
}

EnergyObservables2D EnergyObservables2D::ofStepWithMomentum(const ComplexField2D& psi, const PotentialField2D& V,
                                                            const SteppedHamiltonian& h, MomentumSpace2D& momentum)
{
    if (h.spinor || h.links || !FFT2D::isPowerOfTwoGrid(psi.nx(), psi.ny())) {
        MomentumSpace2D::computeInto(psi, h.hbar, momentum);
        return ofStep(psi, V, h);
    }
    validateSchroedinger(psi, V, h.hbar, h.mass);
    thread_local AlignedVector<Complex> spectrum;
    const KeptSpectrum sums = KeptSpectrum::transform(psi, V.data(), spectrum);
    MomentumSpace2D::fromSpectrum(psi, spectrum.data(), h.hbar, momentum);
    return ofSpectral(SpectralEnergy2D::fromSpectrum(psi, V, sums, spectrum.data(), h.hbar, h.mass));
}

double EnergyObservables2D::gaugeKineticIntegral(const ComplexField2D& psi, const GaugeLinkField2D& links, double hbar,
                                                 double mass)
{
    if (psi.empty() || !links.matches(psi) || !(mass > 0.0) || !(hbar > 0.0) || psi.nx() < 3 || psi.ny() < 3)
        return 0.0;
    const double dx = psi.dx();
    const double dy = psi.dy();
    return CovariantObservables2D::pass(psi, nullptr, links, hbar, mass, true, nullptr, nullptr).kinetic * dx * dy;
}

namespace {

// The energies from the covariant pass's sums.
EnergyObservables2D gaugeEnergies(const ComplexField2D& psi, const CovariantObservables2D::Sums& sums)
{
    const double dx = psi.dx();
    const double dy = psi.dy();
    const double dA = dy * dx;
    EnergyObservables2D energies;
    energies.norm = sums.norm * dA;
    energies.potential = sums.potential * dA;
    energies.kinetic = sums.kinetic * dx * dy;
    return perUnitNorm(energies);
}

void validateGauge(const ComplexField2D& psi, const PotentialField2D& V, const GaugeLinkField2D& links, double hbar,
                   double mass)
{
    validateSchroedinger(psi, V, hbar, mass);
    if (!links.matches(psi))
        throw std::invalid_argument("EnergyObservables2D: gauge links must match psi");
}

} // namespace

EnergyObservables2D EnergyObservables2D::computeWithGauge(const ComplexField2D& psi, const PotentialField2D& V,
                                                          const GaugeLinkField2D& links, double hbar, double mass)
{
    validateGauge(psi, V, links, hbar, mass);
    return gaugeEnergies(psi, CovariantObservables2D::pass(psi, V.data(), links, hbar, mass, true, nullptr, nullptr));
}

EnergyObservables2D EnergyObservables2D::computeWithGauge(const ComplexField2D& psi, const PotentialField2D& V,
                                                          const GaugeLinkField2D& links, double hbar, double mass,
                                                          ProbabilityCurrent2D& current)
{
    validateGauge(psi, V, links, hbar, mass);
    current.zeroFor(psi);
    const CovariantObservables2D::Sums sums =
        CovariantObservables2D::pass(psi, V.data(), links, hbar, mass, true, current.jx.data(), current.jy.data());
    current.maxMagnitude = static_cast<float>(std::sqrt(sums.maxSquared));
    current.integralJx = sums.integralJx;
    current.integralJy = sums.integralJy;
    return gaugeEnergies(psi, sums);
}

EnergyObservables2D EnergyObservables2D::computeDirac(const DiracSpinor2D& spinor, const PotentialField2D* V,
                                                      double hbar, double lightSpeed, double restMass)
{
    const ComplexField2D& upper = spinor.upper;
    if (spinor.isEmpty() || upper.size() != spinor.lower.size() || !FFT2D::isPowerOfTwoGrid(upper.nx(), upper.ny()))
        throw std::invalid_argument("EnergyObservables2D: spinor must be a non-empty power-of-two grid");
    if (V && !V->matches(upper))
        throw std::invalid_argument("EnergyObservables2D: potential grid must match the spinor");
    if (!isFinitePositive(hbar) || !isFinitePositive(lightSpeed) || !isFiniteNonNegative(restMass))
        throw std::invalid_argument(
            "EnergyObservables2D: hbar and c must be finite and positive, the rest mass finite and non-negative");

    const std::uint64_t nx = upper.nx();
    const std::uint64_t ny = upper.ny();
    const double dA = static_cast<double>(upper.dy()) * static_cast<double>(upper.dx());

    // <H0> per wave vector with H0 = [[m c^2, c (p_x - i p_y)], [c (p_x + i p_y), -m c^2]],
    // the matrix whose exponential the step applies. The FFT is unscaled:
    // both sums below carry the same factor nx ny, which the ratio removes.
    // conj(a) c (p_x - i p_y) b + conj(b) c (p_x + i p_y) a = 2 c (p_x Re(conj(a) b) + p_y Im(conj(a) b)):
    // Re(conj(a) b) is summed per column (each p_x) and Im(conj(a) b) per
    // row (each p_y), and the momenta weigh those sums once.
    thread_local AlignedVector<Complex> u, l;
    const float* v = V ? V->data() : nullptr;
    const KeptSpectrum upperSums = KeptSpectrum::transform(upper, v, u);
    const KeptSpectrum lowerSums = KeptSpectrum::transform(spinor.lower, v, l);
    EnergyObservables2D sums;
    sums.norm = (upperSums.density + lowerSums.density) * dA;
    sums.potential = (upperSums.potentialDensity + lowerSums.potentialDensity) * dA;

    double upperWeight = 0.0, lowerWeight = 0.0, alongY = 0.0;
    std::vector<double> alongX(nx, 0.0);
    const auto accumulateRow = vectorKernels(fft2d::bestKernelSet()).diracRow;
    // Per row, each of the three sums over four interleaved partial sums.
    const auto total = [](const double(&partial)[4]) { return (partial[0] + partial[1]) + (partial[2] + partial[3]); };
    for (std::uint64_t j = 0; j < ny; ++j) {
        double sums[3][4] = {};
        accumulateRow(u.data() + j * nx, l.data() + j * nx, static_cast<std::size_t>(nx), alongX.data(), sums);
        upperWeight += total(sums[0]);
        lowerWeight += total(sums[1]);
        alongY += total(sums[2]) * lightSpeed * hbar * fftWaveNumber(j, ny, upper.dy());
    }
    double alongXSum = 0.0;
    for (std::uint64_t i = 0; i < nx; ++i)
        alongXSum += alongX[i] * lightSpeed * hbar * fftWaveNumber(i, nx, upper.dx());
    const double mc2 = restMass * lightSpeed * lightSpeed;
    const double energy = mc2 * (upperWeight - lowerWeight) + 2.0 * (alongXSum + alongY);
    const double weight = upperWeight + lowerWeight;
    EnergyObservables2D result = perUnitNorm(sums);
    if (isFinitePositive(result.norm) && weight > 0.0) {
        result.kinetic = energy / weight;
        result.total = result.kinetic + result.potential;
    }
    return result;
}

} // namespace vxo
