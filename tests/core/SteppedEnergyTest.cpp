#include "core/DiracSpinor2D.h"
#include "core/DiracSplitStepSolver2D.h"
#include "core/EnergyObservables2D.h"
#include "core/FourierGrid.h"
#include "core/GaugeLinkField2D.h"
#include "core/GaussianPacket2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <functional>
#include <random>
#include <string>

using namespace vxo;
using vxo::test::messageOf;

namespace {

using C = std::complex<double>;

Complex single(C v) { return Complex(static_cast<float>(v.real()), static_cast<float>(v.imag())); }

// A uniform field b = qB/hbar in the symmetric gauge A = (B/2)(-y, x): the
// Peierls phase of a hop is -q A . d / hbar, constant along each line.
GaugeLinkField2D symmetricGauge(const ComplexField2D& grid, double b)
{
    GaugeLinkField2D links;
    links.resize(grid.nx(), grid.ny(), grid.dx(), grid.dy());
    for (std::uint64_t j = 0; j < grid.ny(); ++j)
        for (std::uint64_t i = 0; i < grid.nx(); ++i) {
            const double x = cellCentre(i, grid.nx(), grid.dx());
            const double y = cellCentre(j, grid.ny(), grid.dy());
            links.setLinkX(i, j, single(std::polar(1.0, b * y * grid.dx() / 2.0)));
            links.setLinkY(i, j, single(std::polar(1.0, -b * x * grid.dy() / 2.0)));
        }
    return links;
}

// psi -> e^{i chi} psi with every link U(a -> b) -> e^{i chi_a} U e^{-i chi_b}:
// the same physical state in another gauge, exactly on the lattice.
void transformGauge(ComplexField2D& psi, GaugeLinkField2D& links,
                    const std::function<double(std::uint64_t, std::uint64_t)>& chi)
{
    const std::uint64_t nx = psi.nx(), ny = psi.ny();
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i) {
            const std::uint64_t right = std::min(i + 1, nx - 1), up = std::min(j + 1, ny - 1);
            links.setLinkX(i, j, single(widen(links.linkX(i, j)) * std::polar(1.0, chi(i, j) - chi(right, j))));
            links.setLinkY(i, j, single(widen(links.linkY(i, j)) * std::polar(1.0, chi(i, j) - chi(i, up))));
            psi.at(i, j) = single(widen(psi.at(i, j)) * std::polar(1.0, chi(i, j)));
        }
}

// A normalised Gaussian of width sigma at (x0, y0) whose mechanical wave
// vector there is (kx, ky) in the symmetric gauge of field b.
void prepareMagneticPacket(ComplexField2D& psi, double b, double x0, double y0, double sigma, double kx, double ky)
{
    const double canonicalX = kx - b * y0 / 2.0, canonicalY = ky + b * x0 / 2.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double x = cellCentre(i, psi.nx(), psi.dx()), y = cellCentre(j, psi.ny(), psi.dy());
            const double r2 = (x - x0) * (x - x0) + (y - y0) * (y - y0);
            psi.at(i, j) = single(std::polar(std::exp(-r2 / (4.0 * sigma * sigma)), canonicalX * x + canonicalY * y));
        }
    EXPECT_TRUE(psi.normalize());
}

} // namespace

// A Gaussian of width sigma centred at r0 whose mechanical momentum there is
// hbar k (canonical k shifted by the symmetric-gauge potential at r0) has
//   <T> = hbar^2 / 2m (k^2 + 1 / (2 sigma^2) + b^2 sigma^2 / 2)
// in the continuum (hbar omega_c / 2 above the orbit for sigma = l_B). The
// nearest-neighbour lattice operator lowers each axis by the fourth-order
// term hbar^2 <k^4> d^2 / (24 m) of its expansion, the mechanical momentum
// being Gaussian with spread s^2 = 1 / (4 sigma^2) + b^2 sigma^2 / 4. The
// same state in the Landau gauge, and in a random gauge, has the same energy.
TEST(EnergyOfTheSteppedHamiltonian, MagneticPacketsHaveTheirMechanicalEnergyInEveryGauge)
{
    struct Case {
        const char* name;
        double b, x0, y0, sigma, kx, ky; // mechanical wave vector at the centre
    };
    const double b = 0.45;
    const Case cases[] = {
        {"cyclotron packet of width l_B", b, -5.0, 0.0, 1.0 / std::sqrt(b), 0.0, b * 5.0},
        {"edge packet of width 1.1", b, 0.0, -5.3, 1.1, b * 4.2, 0.0},
        {"reversed field, oblique orbit", -0.8, 2.0, 3.0, 0.9, -1.2, 1.6},
    };
    const double hbar = 0.9, mass = 1.5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ComplexField2D psi(200, 160, 0.15f, 0.2f);
        prepareMagneticPacket(psi, c.b, c.x0, c.y0, c.sigma, c.kx, c.ky);
        PotentialField2D V(psi.nx(), psi.ny(), psi.dx(), psi.dy());
        V.fill(0.3f);
        GaugeLinkField2D links = symmetricGauge(psi, c.b);

        const double s2 = 1.0 / (4.0 * c.sigma * c.sigma) + c.b * c.b * c.sigma * c.sigma / 4.0;
        const double continuum =
            hbar * hbar / (2.0 * mass) *
            (c.kx * c.kx + c.ky * c.ky + 1.0 / (2.0 * c.sigma * c.sigma) + c.b * c.b * c.sigma * c.sigma / 2.0);
        const auto fourthMoment = [s2](double k) { return k * k * k * k + 6.0 * k * k * s2 + 3.0 * s2 * s2; };
        const double stencilTerm =
            hbar * hbar / (24.0 * mass) *
            (fourthMoment(c.kx) * psi.dx() * psi.dx() + fourthMoment(c.ky) * psi.dy() * psi.dy());

        SteppedHamiltonian magnetic;
        magnetic.hbar = hbar;
        magnetic.mass = mass;
        magnetic.links = &links;
        const EnergyObservables2D symmetric = EnergyObservables2D::ofStep(psi, V, magnetic);
        EXPECT_NEAR(symmetric.norm, 1.0, 1e-5);
        EXPECT_LE(symmetric.kinetic, continuum + 1e-6) << "the lattice stencil only lowers the energy";
        EXPECT_NEAR(symmetric.kinetic, continuum - stencilTerm, 0.5 * stencilTerm);
        EXPECT_NEAR(symmetric.potential, 0.3, 1e-6);
        EXPECT_NEAR(symmetric.total, symmetric.kinetic + symmetric.potential, 1e-12);

        // Landau gauge A = B(-y, 0): chi = -b x y / 2 turns every y link into 1.
        ComplexField2D landauPsi = psi;
        GaugeLinkField2D landauLinks = links;
        transformGauge(landauPsi, landauLinks, [&](std::uint64_t i, std::uint64_t j) {
            return -c.b * cellCentre(i, psi.nx(), psi.dx()) * cellCentre(j, psi.ny(), psi.dy()) / 2.0;
        });
        EXPECT_NEAR(std::arg(widen(landauLinks.linkY(17, 23))), 0.0, 1e-6);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> angle(-kPi, kPi);
        std::vector<double> chi(psi.size());
        for (double& a : chi)
            a = angle(random);
        ComplexField2D randomPsi = psi;
        GaugeLinkField2D randomLinks = links;
        transformGauge(randomPsi, randomLinks, [&](std::uint64_t i, std::uint64_t j) { return chi[j * psi.nx() + i]; });

        for (const auto& [gauge, state, field] : {std::tuple{"Landau gauge", &landauPsi, &landauLinks},
                                                  std::tuple{"random gauge", &randomPsi, &randomLinks}}) {
            const EnergyObservables2D e = EnergyObservables2D::computeWithGauge(*state, V, *field, hbar, mass);
            EXPECT_NEAR(e.kinetic, symmetric.kinetic, 2e-6 * continuum) << gauge;
            EXPECT_NEAR(e.total, symmetric.total, 2e-6 * continuum) << gauge;
        }
        // The plain gradient sees the canonical momentum, which the gauge moves.
        EXPECT_GT(std::abs(EnergyObservables2D::compute(landauPsi, V, hbar, mass).kinetic -
                           EnergyObservables2D::compute(psi, V, hbar, mass).kinetic),
                  0.05 * continuum);
    }
}

// The magnetic step conserves the covariant energy up to its splitting
// error, which falls as dt^2: over the same quarter orbit a step four times
// shorter wanders at least eight times less. The plain-gradient energy of
// the same run moves with the canonical momentum, whatever the step.
TEST(EnergyOfTheSteppedHamiltonian, TheMagneticStepKeepsTheCovariantEnergy)
{
    const double b = 0.6, hbar = 1.0, mass = 1.0, duration = 0.25 * 2.0 * kPi / b;
    const auto wander = [&](double dt, bool covariant) {
        ComplexField2D psi(128, 96, 0.2f, 0.25f);
        prepareMagneticPacket(psi, b, -3.0, 0.0, 1.0 / std::sqrt(b), 0.0, b * 3.0);
        const GaugeLinkField2D links = symmetricGauge(psi, b);
        const PotentialField2D V(psi.nx(), psi.ny(), psi.dx(), psi.dy());
        const auto energy = [&] {
            return covariant ? EnergyObservables2D::computeWithGauge(psi, V, links, hbar, mass).total
                             : EnergyObservables2D::compute(psi, V, hbar, mass).total;
        };
        SplitStepFourierSolver2D solver;
        solver.configure(
            SplitStepParameters{static_cast<float>(mass), static_cast<float>(hbar), static_cast<float>(dt)});
        const double start = energy();
        double largest = 0.0;
        for (long n = 0, steps = std::lround(duration / dt); n < steps; ++n) {
            solver.stepWithGauge(psi, V, links);
            largest = std::max(largest, std::abs(energy() - start) / start);
        }
        return largest;
    };
    const double coarse = wander(0.04, true), fine = wander(0.01, true);
    EXPECT_LT(fine, coarse / 8.0) << "covariant energy wanders " << coarse << " then " << fine;
    EXPECT_LT(coarse, 1e-3);
    EXPECT_GT(wander(0.01, false), 100.0 * fine) << "the plain gradient is not the stepped energy";
}

// Plane-wave eigenspinors of c (p . sigma) + m c^2 sigma_z on the FFT grid
// have the energies +-sqrt(c^2 p^2 + m^2 c^4) exactly; the potential adds
// <V> only when the step applies it.
TEST(EnergyOfTheSteppedHamiltonian, DiracEnergiesAreTheSpinorsFreeEnergyPlusItsPotential)
{
    struct Case {
        const char* name;
        double lightSpeed, restMass;
        int branch; // +1 positive, -1 negative energy
        int nx, ny; // wave numbers in units of 2 pi / L
    };
    const Case cases[] = {
        {"massive, positive", 1.3, 1.0, +1, 3, -2},
        {"massive, negative", 1.3, 1.0, -1, -1, 4},
        {"massless, positive", 2.0, 0.0, +1, 5, 1},
        {"massive at rest", 0.7, 2.0, -1, 0, 0},
    };
    const double hbar = 0.8;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DiracSpinor2D spinor;
        spinor.resize(32, 16, 0.3f, 0.45f);
        const double kx = 2.0 * kPi * c.nx / (32 * 0.3), ky = 2.0 * kPi * c.ny / (16 * 0.45);
        const double mc2 = c.restMass * c.lightSpeed * c.lightSpeed;
        const C cp(c.lightSpeed * hbar * kx, c.lightSpeed * hbar * ky); // c (p_x + i p_y)
        const double energy = std::sqrt(std::norm(cp) + mc2 * mc2);
        // (E + mc^2, c p_+) for the positive branch, (-c p_-, E + mc^2) for the negative.
        const C up = c.branch > 0 ? C(energy + mc2) : -std::conj(cp);
        const C low = c.branch > 0 ? cp : C(energy + mc2);
        for (std::uint64_t j = 0; j < 16; ++j)
            for (std::uint64_t i = 0; i < 32; ++i) {
                const C phase = std::polar(1.0, kx * cellCentre(i, 32, 0.3) + ky * cellCentre(j, 16, 0.45));
                spinor.upper.at(i, j) = single(up * phase);
                spinor.lower.at(i, j) = single(low * phase);
            }
        ASSERT_TRUE(spinor.normalize());
        PotentialField2D V(32, 16, 0.3f, 0.45f);
        V.fill(0.6f);
        ComplexField2D density;
        spinor.density(density);

        SteppedHamiltonian dirac;
        dirac.hbar = hbar;
        dirac.spinor = &spinor;
        dirac.lightSpeed = c.lightSpeed;
        dirac.restMass = c.restMass;
        const EnergyObservables2D withPotential = EnergyObservables2D::ofStep(density, V, dirac);
        EXPECT_NEAR(withPotential.norm, 1.0, 1e-5);
        EXPECT_NEAR(withPotential.kinetic, c.branch * energy, 1e-5 * (energy + 1.0));
        EXPECT_NEAR(withPotential.potential, 0.6, 1e-6);
        EXPECT_NEAR(withPotential.total, c.branch * energy + 0.6, 1e-5 * (energy + 1.0));
        dirac.diracPotential = false;
        const EnergyObservables2D free = EnergyObservables2D::ofStep(density, V, dirac);
        EXPECT_EQ(free.potential, 0.0) << "the free step applies no potential";
        EXPECT_NEAR(free.total, c.branch * energy, 1e-5 * (energy + 1.0));
    }
}

// The free Dirac step is exp(-i H0 dt / hbar) per wave vector: it keeps <H0>
// of any spinor, here a packet of both branches with mean momentum.
TEST(EnergyOfTheSteppedHamiltonian, TheFreeDiracStepKeepsTheDiracEnergy)
{
    const DiracParameters parameters{0.9f, 0.05f, 1.4f, 0.6f};
    DiracSpinor2D spinor;
    spinor.resize(64, 32, 0.25f, 0.4f);
    for (std::uint64_t j = 0; j < 32; ++j)
        for (std::uint64_t i = 0; i < 64; ++i) {
            const double x = cellCentre(i, 64, 0.25), y = cellCentre(j, 32, 0.4);
            const double envelope = std::exp(-(x * x / 4.0 + y * y / 6.0));
            spinor.upper.at(i, j) = single(std::polar(envelope, 2.0 * x - 0.5 * y));
            spinor.lower.at(i, j) = single(0.4 * std::polar(envelope, 1.5 * y));
        }
    ASSERT_TRUE(spinor.normalize());
    const auto energy = [&] {
        return EnergyObservables2D::computeDirac(spinor, nullptr, parameters.hbar, parameters.c, parameters.restMass)
            .total;
    };
    const double before = energy();
    DiracSplitStepSolver2D solver;
    solver.configure(parameters);
    for (int n = 0; n < 40; ++n)
        solver.stepFree(spinor);
    EXPECT_NEAR(energy(), before, 1e-5 * std::abs(before));
    EXPECT_GT(std::abs(before), 0.5) << "a packet with momentum and rest energy";
}

// The spinor's energies against a plain discrete Fourier sum of each
// component on a grid of unequal sides and cells, with a potential: the
// vector passes over the transformed rows and the copies before the
// transforms read what the definition gives.
TEST(EnergyOfTheSteppedHamiltonian, TheDiracEnergyIsThatOfAPlainFourierSum)
{
    const std::uint64_t nx = 16, ny = 8;
    const float dx = 0.3f, dy = 0.45f;
    const double hbar = 0.8, lightSpeed = 1.7, restMass = 0.6;
    DiracSpinor2D spinor;
    spinor.resize(nx, ny, dx, dy);
    spinor.upper = test::randomField(nx, ny, dx, dy, 3);
    spinor.lower = test::randomField(nx, ny, dx, dy, 4);
    PotentialField2D V(nx, ny, dx, dy);
    V.addLinear(0.0f, 0.0f, 1.0f, 0.4f, -0.3f);
    V.addGaussian(0.5f, -0.2f, 0.6f, 0.9f, 2.0f);

    double norm = 0.0, potential = 0.0, energy = 0.0, weight = 0.0;
    for (std::uint64_t c = 0; c < nx * ny; ++c) {
        const double density = std::norm(C(spinor.upper.data()[c])) + std::norm(C(spinor.lower.data()[c]));
        norm += density * dx * dy;
        potential += density * V.data()[c] * dx * dy;
    }
    const double mc2 = restMass * lightSpeed * lightSpeed;
    for (std::uint64_t q = 0; q < ny; ++q)
        for (std::uint64_t p = 0; p < nx; ++p) {
            C a, b;
            for (std::uint64_t j = 0; j < ny; ++j)
                for (std::uint64_t i = 0; i < nx; ++i) {
                    const C phase = std::polar(1.0, -2.0 * kPi * (double(p * i) / nx + double(q * j) / ny));
                    a += C(spinor.upper.at(i, j)) * phase;
                    b += C(spinor.lower.at(i, j)) * phase;
                }
            const C overlap = std::conj(a) * b;
            const double px = hbar * fftWaveNumber(p, nx, dx), py = hbar * fftWaveNumber(q, ny, dy);
            energy += mc2 * (std::norm(a) - std::norm(b)) + 2.0 * lightSpeed * (px * overlap.real() + py * overlap.imag());
            weight += std::norm(a) + std::norm(b);
        }

    const EnergyObservables2D read = EnergyObservables2D::computeDirac(spinor, &V, hbar, lightSpeed, restMass);
    EXPECT_NEAR(read.norm, norm, 1e-6 * norm);
    EXPECT_NEAR(read.potential, potential / norm, 1e-6 * std::abs(potential / norm));
    EXPECT_NEAR(read.kinetic, energy / weight, 1e-5 * std::abs(energy / weight));
    EXPECT_NEAR(read.total, energy / weight + potential / norm, 1e-5 * std::abs(energy / weight));
}

TEST(EnergyOfTheSteppedHamiltonian, RefusesFieldsItCannotMeasure)
{
    ComplexField2D psi(12, 10, 0.5f, 0.4f);
    const PotentialField2D V(12, 10, 0.5f, 0.4f);
    GaugeLinkField2D links;
    links.resize(12, 10, 0.5f, 0.5f); // another dy
    EXPECT_EQ(messageOf([&] { EnergyObservables2D::computeWithGauge(psi, V, links, 1.0, 1.0); }),
              "EnergyObservables2D: gauge links must match psi");
    EXPECT_EQ(EnergyObservables2D::gaugeKineticIntegral(psi, GaugeLinkField2D{}, 1.0, 1.0), 0.0);

    DiracSpinor2D spinor;
    spinor.resize(12, 8, 0.5f, 0.4f);
    const std::string grid = "EnergyObservables2D: spinor must be a non-empty power-of-two grid";
    EXPECT_EQ(messageOf([&] { EnergyObservables2D::computeDirac(spinor, nullptr, 1.0, 1.0, 0.0); }), grid);
    spinor.resize(16, 8, 0.5f, 0.4f);
    EXPECT_EQ(messageOf([&] { EnergyObservables2D::computeDirac(spinor, &V, 1.0, 1.0, 0.0); }),
              "EnergyObservables2D: potential grid must match the spinor");
    EXPECT_EQ(messageOf([&] { EnergyObservables2D::computeDirac(spinor, nullptr, 1.0, 1.0, -0.1); }),
              "EnergyObservables2D: hbar and c must be finite and positive, the rest mass finite and non-negative");
    EXPECT_EQ(EnergyObservables2D::computeDirac(spinor, nullptr, 1.0, 1.0, 0.0).total, 0.0) << "a zero spinor";
}

// The plain Fourier step gives every plane wave of the grid its exact kinetic
// energy, so the energies the window shows for it are read in k space: a
// Gaussian of width sigma and momentum p has <T> = (p^2 + hbar^2 / (4 sigma^2)) / 2m
// wherever its spectrum fits below the grid's limit, however coarse the
// cells (a finite difference reads 3.8 for p = 8 on cells 0.32 wide).
TEST(EnergyOfTheSteppedHamiltonian, PlainStepPacketsHaveTheirContinuumKineticEnergy)
{
    const struct Case {
        float dx, dy, px, py, sigma;
    } cases[] = {{0.32f, 0.28f, 8.0f, 0.0f, 1.0f}, {0.32f, 0.2f, 0.0f, 8.0f, 1.0f}, {0.16f, 0.24f, 5.0f, 3.0f, 0.8f}};
    for (const Case& c : cases) {
        ComplexField2D psi(128, 128, c.dx, c.dy);
        const PotentialField2D v(psi.nx(), psi.ny(), psi.dx(), psi.dy());
        GaussianPacket2D::prepare(psi, GaussianPacket2D{0.0f, 0.0f, c.sigma, c.px, c.py});
        const double expected = (c.px * c.px + c.py * c.py + 2.0 / (4.0 * c.sigma * c.sigma)) / 2.0;
        const EnergyObservables2D e = EnergyObservables2D::ofStep(psi, v, SteppedHamiltonian{});
        EXPECT_NEAR(e.kinetic, expected, 0.01 * expected) << "p = (" << c.px << ", " << c.py << ") on " << c.dx;
        EXPECT_NEAR(e.norm, 1.0, 1e-5);
        EXPECT_DOUBLE_EQ(e.total, e.kinetic + e.potential);
    }
}

// A closed box of walls 120 on cells 0.16 x 0.12: a closed system whose
// energy the Fourier step conserves, so the energy the window records for it
// must not drift by more than 0.2% over 2000 steps. The
// walls fill the wave numbers that a finite difference under-reads: read that
// way the energy drifted by 1-3%.
TEST(EnergyOfTheSteppedHamiltonian, AClosedBoxKeepsThePlainStepsEnergy)
{
    const struct Case {
        float dx, dy, px, py;
    } cases[] = {{0.16f, 0.12f, 5.0f, 1.5f}, {0.12f, 0.16f, 2.0f, 6.0f}};
    for (const Case& c : cases) {
        ComplexField2D psi(128, 128, c.dx, c.dy);
        PotentialField2D v(psi.nx(), psi.ny(), psi.dx(), psi.dy());
        const float half = 6.0f, wall = 1.0f;
        v.addRectangle(-half - wall / 2, 0.0f, wall, 2 * half + 2 * wall, 120.0f);
        v.addRectangle(half + wall / 2, 0.0f, wall, 2 * half + 2 * wall, 120.0f);
        v.addRectangle(0.0f, -half - wall / 2, 2 * half, wall, 120.0f);
        v.addRectangle(0.0f, half + wall / 2, 2 * half, wall, 120.0f);
        GaussianPacket2D::prepare(psi, GaussianPacket2D{-2.0f, 1.0f, 0.8f, c.px, c.py});
        SplitStepFourierSolver2D solver;
        solver.configure(SplitStepParameters{1.0f, 1.0f, 0.02f});
        const double start = EnergyObservables2D::ofStep(psi, v, SteppedHamiltonian{}).total;
        double worst = 0.0;
        for (int s = 1; s <= 2000; ++s) {
            solver.step(psi, v);
            if (s % 50 == 0)
                worst = std::max(
                    worst, std::abs(EnergyObservables2D::ofStep(psi, v, SteppedHamiltonian{}).total / start - 1.0));
        }
        EXPECT_LT(worst, 2e-3) << "momentum (" << c.px << ", " << c.py << "), " << solver.subSteps() << " sub-steps";
    }
}
