#include "core/FFT2DKernels.h"
#include "core/GaugeLineSweeps.h"
#include "core/GaugeLinkField2D.h"
#include "core/GaussianPacket2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "core/Tridiagonal.h"
#include "ReferenceGaugeStep.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using vxo::Complex;
using vxo::ComplexField2D;
using vxo::GaugeLinkField2D;
using vxo::kPi;
using vxo::PotentialField2D;
using vxo::SplitStepFourierSolver2D;
using vxo::SplitStepParameters;
using vxo::test::bitIdentical;
using vxo::test::messageOf;
using vxo::test::randomField;

namespace {

using ComplexD = std::complex<double>;
const char* const kMismatch = "SplitStepFourierSolver2D: gauge, psi and potential grids must match";

Complex unit(double phase) { return Complex(float(std::cos(phase)), float(std::sin(phase))); }

SplitStepParameters schroedinger(float mass, float hbar, float dt)
{
    SplitStepParameters p;
    p.mass = mass;
    p.hbar = hbar;
    p.dt = dt;
    return p;
}

// Normalised Gaussian exp(-r^2 / (4 sigma^2)) exp(i (px x + py y)) (hbar = 1).
ComplexField2D packet(std::uint64_t nx, std::uint64_t ny, float d, float x0, float y0, float sigma, float px, float py)
{
    return vxo::test::packetField(nx, ny, d, vxo::GaussianPacket2D{x0, y0, sigma, px, py});
}

GaugeLinkField2D randomUnitLinks(const ComplexField2D& grid, unsigned seed)
{
    GaugeLinkField2D links;
    links.resize(grid.nx(), grid.ny(), grid.dx(), grid.dy());
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> angle(-kPi, kPi);
    for (std::uint64_t j = 0; j < grid.ny(); ++j)
        for (std::uint64_t i = 0; i < grid.nx(); ++i) {
            links.setLinkX(i, j, unit(angle(rng)));
            links.setLinkY(i, j, unit(angle(rng)));
        }
    return links;
}

// Symmetric-gauge links of a uniform field b = qB / hbar, A = (B/2)(-y, x).
GaugeLinkField2D uniformFieldLinks(const ComplexField2D& grid, double b)
{
    GaugeLinkField2D links;
    links.resize(grid.nx(), grid.ny(), grid.dx(), grid.dy());
    for (std::uint64_t j = 0; j < grid.ny(); ++j)
        for (std::uint64_t i = 0; i < grid.nx(); ++i) {
            links.setLinkX(i, j, unit(b * vxo::gridCoordinateY(grid, j) * grid.dx() / 2.0));
            links.setLinkY(i, j, unit(-b * vxo::gridCoordinateX(grid, i) * grid.dy() / 2.0));
        }
    return links;
}

// ---- Reference: Crank-Nicolson of the covariant lattice Hamiltonian, built
// as dense matrices and solved by Gaussian elimination with partial pivoting.

using Line = std::vector<ComplexD>;

// x solving A x = b for a dense n x n matrix (row-major).
Line solveDense(std::vector<ComplexD> a, Line b)
{
    const std::size_t n = b.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t r = col + 1; r < n; ++r)
            if (std::abs(a[r * n + col]) > std::abs(a[pivot * n + col]))
                pivot = r;
        for (std::size_t c = 0; c < n; ++c)
            std::swap(a[col * n + c], a[pivot * n + c]);
        std::swap(b[col], b[pivot]);
        for (std::size_t r = col + 1; r < n; ++r) {
            const ComplexD f = a[r * n + col] / a[col * n + col];
            for (std::size_t c = col; c < n; ++c)
                a[r * n + c] -= f * a[col * n + c];
            b[r] -= f * b[col];
        }
    }
    Line x(n);
    for (std::size_t r = n; r-- > 0;) {
        ComplexD s = b[r];
        for (std::size_t c = r + 1; c < n; ++c)
            s -= a[r * n + c] * x[c];
        x[r] = s / a[r * n + r];
    }
    return x;
}

// One line: values psi[0..L-1], links u[k] on the hop k -> k+1. The ends are
// held at zero; H acts on the interior with hopping -t U.
Line crankNicolsonLine(const Line& psi, const Line& u, double tau, double hbar, double mass, double d)
{
    const std::size_t length = psi.size();
    const std::size_t n = length - 2;
    const double t = hbar * hbar / (2.0 * mass * d * d);
    std::vector<ComplexD> h(n * n, 0.0);
    for (std::size_t k = 0; k < n; ++k) {
        h[k * n + k] = 2.0 * t;
        if (k + 1 < n) {
            h[k * n + k + 1] = -t * u[k + 1]; // from cell k+2 into cell k+1
            h[(k + 1) * n + k] = -t * std::conj(u[k + 1]);
        }
    }
    const ComplexD factor(0.0, tau / (2.0 * hbar));
    std::vector<ComplexD> a(n * n);
    Line b(n, 0.0);
    for (std::size_t r = 0; r < n; ++r) {
        for (std::size_t c = 0; c < n; ++c) {
            const ComplexD id = r == c ? 1.0 : 0.0;
            a[r * n + c] = id + factor * h[r * n + c];
            b[r] += (id - factor * h[r * n + c]) * psi[c + 1];
        }
    }
    const Line x = solveDense(a, b);
    Line out(length, 0.0);
    for (std::size_t k = 0; k < n; ++k)
        out[k + 1] = x[k];
    return out;
}

struct ReferenceField {
    std::uint64_t nx, ny;
    double dx, dy;
    std::vector<ComplexD> v;
};

ReferenceField widen(const ComplexField2D& f)
{
    ReferenceField r{f.nx(), f.ny(), f.dx(), f.dy(), {}};
    for (std::uint64_t k = 0; k < f.size(); ++k)
        r.v.emplace_back(f.data()[k].real(), f.data()[k].imag());
    return r;
}

void referenceSweep(ReferenceField& f, const GaugeLinkField2D& links, bool alongX, double tau, double hbar, double mass)
{
    const std::uint64_t lines = alongX ? f.ny : f.nx;
    const std::uint64_t length = alongX ? f.nx : f.ny;
    if (length < 3)
        return;
    for (std::uint64_t l = 0; l < lines; ++l) {
        Line psi(length), u(length);
        for (std::uint64_t k = 0; k < length; ++k) {
            const std::uint64_t i = alongX ? k : l;
            const std::uint64_t j = alongX ? l : k;
            psi[k] = f.v[j * f.nx + i];
            const Complex link = alongX ? links.linkX(i, j) : links.linkY(i, j);
            u[k] = ComplexD(link.real(), link.imag());
        }
        psi[0] = psi[length - 1] = 0.0;
        const Line out = crankNicolsonLine(psi, u, tau, hbar, mass, alongX ? f.dx : f.dy);
        for (std::uint64_t k = 0; k < length; ++k)
            f.v[(alongX ? l * f.nx + k : k * f.nx + l)] = out[k];
    }
}

void referenceStep(ReferenceField& f, const PotentialField2D& v, const GaugeLinkField2D& links, double dt, double hbar,
                   double mass)
{
    auto halfPotential = [&] {
        for (std::uint64_t k = 0; k < f.v.size(); ++k)
            f.v[k] *= std::exp(ComplexD(0.0, -double(v.data()[k]) * dt / (2.0 * hbar)));
    };
    halfPotential();
    referenceSweep(f, links, true, dt / 2.0, hbar, mass);
    referenceSweep(f, links, false, dt, hbar, mass);
    referenceSweep(f, links, true, dt / 2.0, hbar, mass);
    halfPotential();
}

double maxDifference(const ComplexField2D& a, const ReferenceField& b)
{
    double m = 0.0;
    for (std::uint64_t k = 0; k < a.size(); ++k)
        m = std::max(m, std::abs(ComplexD(a.data()[k].real(), a.data()[k].imag()) - b.v[k]));
    return m;
}

double maxAmplitude(const ComplexField2D& a)
{
    double m = 0.0;
    for (std::uint64_t k = 0; k < a.size(); ++k)
        m = std::max(m, double(std::abs(a.data()[k])));
    return m;
}

void centroid(const ComplexField2D& f, double& x, double& y)
{
    double w = 0.0, wx = 0.0, wy = 0.0;
    for (std::uint64_t j = 0; j < f.ny(); ++j)
        for (std::uint64_t i = 0; i < f.nx(); ++i) {
            const double d = std::norm(f.at(i, j));
            w += d;
            wx += d * vxo::gridCoordinateX(f, i);
            wy += d * vxo::gridCoordinateY(f, j);
        }
    x = wx / w;
    y = wy / w;
}

} // namespace

TEST(GaugeLinkField2D, ResizeClearAndMatching)
{
    GaugeLinkField2D links;
    ComplexField2D psi(8, 4, 0.5f, 0.25f);
    EXPECT_FALSE(links.matches(psi));

    links.resize(8, 4, 0.5f, 0.25f);
    EXPECT_TRUE(links.matches(psi));
    for (std::uint64_t j = 0; j < 4; ++j)
        for (std::uint64_t i = 0; i < 8; ++i) {
            EXPECT_EQ(links.linkX(i, j), Complex(1.0f, 0.0f));
            EXPECT_EQ(links.linkY(i, j), Complex(1.0f, 0.0f));
        }
    links.setLinkX(7, 3, Complex(0.0f, 1.0f));
    links.setLinkY(2, 1, Complex(-1.0f, 0.0f));
    EXPECT_EQ(links.linkX(7, 3), Complex(0.0f, 1.0f));
    EXPECT_EQ(links.linkY(2, 1), Complex(-1.0f, 0.0f));
    EXPECT_EQ(links.linkX(2, 1), Complex(1.0f, 0.0f)); // the arrays are separate

    EXPECT_FALSE(links.matches(ComplexField2D(8, 4, 0.5f, std::nextafter(0.25f, 1.0f))));
    EXPECT_FALSE(links.matches(ComplexField2D(4, 8, 0.5f, 0.25f)));

    links.clear();
    EXPECT_EQ(links.nx(), 0u);
    EXPECT_EQ(links.dx(), 0.5f);
    EXPECT_FALSE(links.matches(psi));
    EXPECT_FALSE(links.matches(ComplexField2D()));

    // No checks on resize: a zero cell size only matches the same zero.
    links.resize(8, 4, 0.0f, 0.25f);
    EXPECT_FALSE(links.matches(psi));
}

TEST(Tridiagonal, ThomasSolutionSatisfiesTheSystem)
{
    std::vector<ComplexD> sub{0.0}, main{ComplexD(2.0, 1.0)}, super{0.0}, rhs{ComplexD(1.0, 3.0)};
    vxo::solveTridiagonal(sub, main, super, rhs);
    EXPECT_NEAR(std::abs(rhs[0] - ComplexD(1.0, 3.0) / ComplexD(2.0, 1.0)), 0.0, 1e-15);
    std::vector<ComplexD> tilted{ComplexD(1.0, 3.0)};
    main = {ComplexD(0.5, -2.0)};
    vxo::solveTridiagonal(sub, main, super, tilted);
    EXPECT_NEAR(std::abs(tilted[0] - ComplexD(1.0, 3.0) / ComplexD(0.5, -2.0)), 0.0, 1e-15);

    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    // Diagonally dominant pivots mostly real and mostly imaginary: the
    // scaled division takes its two branches.
    for (const ComplexD dominant : {ComplexD(3.0, 0.0), ComplexD(0.0, -3.0)}) {
        for (std::size_t n : {2u, 3u, 17u}) {
            std::vector<ComplexD> a(n), b(n), c(n), d(n);
            for (std::size_t i = 0; i < n; ++i) {
                a[i] = {u(rng), u(rng)};
                c[i] = {u(rng), u(rng)};
                b[i] = dominant + ComplexD(u(rng), u(rng));
                d[i] = {u(rng), u(rng)};
            }
            // Storage past the right-hand side holds a NaN the solver must never read.
            std::vector<ComplexD> x = d;
            x.push_back(ComplexD(std::nan(""), 0.0));
            x.pop_back();
            vxo::solveTridiagonal(a, b, c, x);
            for (std::size_t i = 0; i < n; ++i) {
                ComplexD lhs = b[i] * x[i];
                if (i > 0)
                    lhs += a[i] * x[i - 1];
                if (i + 1 < n)
                    lhs += c[i] * x[i + 1];
                EXPECT_NEAR(std::abs(lhs - d[i]), 0.0, 1e-13) << "n=" << n << " row " << i << " pivots " << dominant;
            }
        }
    }

    // A zero pivot is not trapped: the result is NaN, not a silent number.
    std::vector<ComplexD> zero{0.0}, one{1.0};
    vxo::solveTridiagonal(zero, zero, zero, one);
    EXPECT_TRUE(std::isnan(one[0].real()));

    std::vector<ComplexD> empty;
    EXPECT_NO_THROW(vxo::solveTridiagonal(empty, empty, empty, empty));
    std::vector<ComplexD> shortSub(1), two(2);
    EXPECT_THROW(vxo::solveTridiagonal(shortSub, two, two, two), std::invalid_argument);
}

TEST(GaugeCrankNicolson, SweepsMatchDenseReference)
{
    SplitStepFourierSolver2D solver;
    solver.configure(schroedinger(1.3f, 0.8f, 0.05f));
    const ComplexField2D start = randomField(12, 9, 0.3f, 0.22f, 3);
    const GaugeLinkField2D links = randomUnitLinks(start, 4);
    const auto sweep = [&solver](ComplexField2D& psi, const GaugeLinkField2D& with, bool alongX, double tau) {
        if (alongX)
            solver.crankNicolsonSweepX(psi, with, tau);
        else
            solver.crankNicolsonSweepY(psi, with, tau);
    };

    for (bool alongX : {true, false}) {
        ComplexField2D psi = start;
        sweep(psi, links, alongX, 0.07);
        ReferenceField ref = widen(start);
        referenceSweep(ref, links, alongX, 0.07, 0.8f, 1.3f);
        EXPECT_LT(maxDifference(psi, ref), 1e-5) << (alongX ? "x" : "y");
        // The sweep holds the two end cells of each of its lines at zero.
        for (std::uint64_t l = 0; l < (alongX ? 9u : 12u); ++l) {
            EXPECT_EQ(alongX ? psi.at(0, l) : psi.at(l, 0), Complex(0.0f, 0.0f));
            EXPECT_EQ(alongX ? psi.at(11, l) : psi.at(l, 8), Complex(0.0f, 0.0f));
        }
    }

    // Lines of three cells are the shortest that are swept, along either axis.
    const ComplexField2D three = randomField(3, 3, 0.3f, 0.4f, 7);
    const GaugeLinkField2D threeLinks = randomUnitLinks(three, 8);
    for (bool alongX : {true, false}) {
        ComplexField2D swept = three;
        sweep(swept, threeLinks, alongX, 0.1);
        EXPECT_FALSE(bitIdentical(swept, three)) << (alongX ? "x" : "y");
    }

    // Lines shorter than three cells are left as they are, along either
    // axis; the lines across them are swept as usual.
    for (bool alongX : {true, false}) {
        const ComplexField2D narrow = alongX ? randomField(2, 8, 0.3f, 0.25f, 5) : randomField(8, 2, 0.3f, 0.25f, 5);
        const GaugeLinkField2D narrowLinks = randomUnitLinks(narrow, 6);
        ComplexField2D psi = narrow;
        sweep(psi, narrowLinks, alongX, 0.1);
        EXPECT_TRUE(bitIdentical(psi, narrow)) << (alongX ? "x" : "y");
        sweep(psi, narrowLinks, !alongX, 0.1);
        EXPECT_FALSE(bitIdentical(psi, narrow)) << (alongX ? "x" : "y");
        EXPECT_EQ(alongX ? psi.at(1, 0) : psi.at(0, 1), Complex(0.0f, 0.0f)) << (alongX ? "x" : "y");
    }
}

TEST(GaugeCrankNicolson, UnitLinksStepMatchesPlainCrankNicolsonReference)
{
    // The magnetic step with every link 1 is the plain Crank-Nicolson ADI step
    // with hard walls: compare a full step, potential phases included.
    const float dt = 0.04f;
    SplitStepFourierSolver2D solver;
    solver.configure(schroedinger(1.0f, 1.0f, dt));
    ComplexField2D psi = packet(24, 20, 0.5f, 0.7, -0.4, 1.5, 1.2, -0.6);
    PotentialField2D v(24, 20, 0.5f, 0.5f);
    v.addHarmonic(0.0f, 0.0f, 0.3f, 0.8f, 0.5f);
    v.addRectangle(2.0f, 1.0f, 1.0f, 2.0f, 4.0f);
    GaugeLinkField2D links;
    links.resize(24, 20, 0.5f, 0.5f);

    ReferenceField ref = widen(psi);
    for (int k = 0; k < 5; ++k) {
        solver.stepWithGauge(psi, v, links);
        referenceStep(ref, v, links, double(dt), 1.0, 1.0);
    }
    EXPECT_LT(maxDifference(psi, ref), 2e-5 * maxAmplitude(psi));
    EXPECT_EQ(solver.stepCount(), 5u);
    EXPECT_DOUBLE_EQ(solver.time(), 5 * double(dt));

    // The same reference with random links checks the link bookkeeping of a
    // whole step.
    const GaugeLinkField2D random = randomUnitLinks(psi, 11);
    ReferenceField ref2 = widen(psi);
    solver.stepWithGauge(psi, v, random);
    referenceStep(ref2, v, random, double(dt), 1.0, 1.0);
    EXPECT_LT(maxDifference(psi, ref2), 2e-5 * maxAmplitude(psi));
}

TEST(GaugeCrankNicolson, StaysUnitaryOverManySteps)
{
    SplitStepFourierSolver2D solver;
    solver.configure(schroedinger(1.0f, 1.0f, 0.05f));
    ComplexField2D psi = packet(64, 64, 0.25f, 1.0, -0.5, 1.0, 2.0, 1.0);
    PotentialField2D v(64, 64, 0.25f, 0.25f);
    v.addGaussian(2.0f, 0.0f, 1.0f, 1.0f, 3.0f);
    const GaugeLinkField2D links = uniformFieldLinks(psi, 0.8);
    const double n0 = psi.norm();
    for (int k = 0; k < 400; ++k)
        solver.stepWithGauge(psi, v, links);
    EXPECT_NEAR(psi.norm() / n0, 1.0, 1e-5);

    // Random links of modulus one keep it unitary too, even though they make
    // no smooth field.
    ComplexField2D rough = randomField(32, 32, 0.25f, 0.25f, 9);
    // Start from a state that is already zero on the walls.
    PotentialField2D flat(32, 32, 0.25f, 0.25f);
    const GaugeLinkField2D randomLinks = randomUnitLinks(rough, 10);
    solver.stepWithGauge(rough, flat, randomLinks);
    const double r0 = rough.norm();
    for (int k = 0; k < 200; ++k)
        solver.stepWithGauge(rough, flat, randomLinks);
    EXPECT_NEAR(rough.norm() / r0, 1.0, 1e-5);
}

TEST(GaugeCrankNicolson, UnitLinksFollowTheFourierStepForASmoothPacket)
{
    // Far from the walls the line-implicit and the spectral schemes describe
    // the same free motion; the finite-difference one moves at the lattice
    // group velocity sin(k d) / d (hbar = m = 1) instead of k, averaged over
    // the packet's Gaussian spread of wave numbers 1 / (2 sigma).
    const float d = 0.3f;
    const double kx = 1.0, ky = -0.5, t = 2.0, sigma = 1.2;
    const double spread = std::exp(-0.5 * std::pow(double(d) / (2.0 * sigma), 2));
    SplitStepFourierSolver2D fourier;
    SplitStepFourierSolver2D magnetic;
    fourier.configure(schroedinger(1.0f, 1.0f, 0.02f));
    magnetic.configure(schroedinger(1.0f, 1.0f, 0.02f));
    ComplexField2D a = packet(64, 64, d, -1.0, 0.5, sigma, kx, ky);
    ComplexField2D b = a;
    PotentialField2D v(64, 64, d, d);
    GaugeLinkField2D links;
    links.resize(64, 64, d, d);
    for (int k = 0; k < 100; ++k) {
        fourier.step(a, v);
        magnetic.stepWithGauge(b, v, links);
    }
    ComplexD overlap = 0.0;
    for (std::uint64_t k = 0; k < a.size(); ++k)
        overlap += std::conj(ComplexD(a.data()[k].real(), a.data()[k].imag())) *
                   ComplexD(b.data()[k].real(), b.data()[k].imag());
    overlap *= double(d) * double(d);
    EXPECT_GT(std::abs(overlap), 0.99);
    double ax, ay, bx, by;
    centroid(a, ax, ay);
    centroid(b, bx, by);
    EXPECT_NEAR(ax, -1.0 + kx * t, 0.005);
    EXPECT_NEAR(ay, 0.5 + ky * t, 0.005);
    EXPECT_NEAR(bx, -1.0 + std::sin(kx * d) / d * spread * t, 0.003);
    EXPECT_NEAR(by, 0.5 + std::sin(ky * d) / d * spread * t, 0.003);
}

TEST(GaugeCrankNicolson, PureGaugeLinksLeaveTheDensityUnchanged)
{
    // Links U_x(i, j) = exp(-i (chi(i+1, j) - chi(i, j))), U_y likewise, carry
    // no magnetic flux: evolving exp(i chi) psi with them is exp(i chi) times
    // the field-free evolution of psi.
    const std::uint64_t n = 48;
    const float d = 0.3f;
    ComplexField2D plain = packet(n, n, d, 0.5, -0.3, 1.2, 1.0, 0.5);
    auto chi = [&](std::uint64_t i, std::uint64_t j) {
        const double x = vxo::gridCoordinateX(plain, i);
        const double y = vxo::gridCoordinateY(plain, j);
        return 0.7 * x * y + 1.3 * std::sin(0.9 * x) - 0.4 * y * y + 2.0 * x;
    };
    ComplexField2D gauged = plain;
    GaugeLinkField2D pure;
    pure.resize(n, n, d, d);
    for (std::uint64_t j = 0; j < n; ++j)
        for (std::uint64_t i = 0; i < n; ++i) {
            gauged.at(i, j) = plain.at(i, j) * unit(chi(i, j));
            if (i + 1 < n)
                pure.setLinkX(i, j, unit(-(chi(i + 1, j) - chi(i, j))));
            if (j + 1 < n)
                pure.setLinkY(i, j, unit(-(chi(i, j + 1) - chi(i, j))));
        }
    GaugeLinkField2D none;
    none.resize(n, n, d, d);
    PotentialField2D v(n, n, d, d);
    v.addGaussian(1.5f, 0.5f, 0.8f, 1.2f, 2.0f);

    SplitStepFourierSolver2D a, b;
    a.configure(schroedinger(1.0f, 1.0f, 0.03f));
    b.configure(schroedinger(1.0f, 1.0f, 0.03f));
    for (int k = 0; k < 60; ++k) {
        a.stepWithGauge(plain, v, none);
        b.stepWithGauge(gauged, v, pure);
    }
    const double peak = maxAmplitude(plain);
    double worst = 0.0;
    for (std::uint64_t j = 0; j < n; ++j)
        for (std::uint64_t i = 0; i < n; ++i) {
            worst = std::max(worst, double(std::abs(std::abs(gauged.at(i, j)) - std::abs(plain.at(i, j)))));
            worst = std::max(worst, double(std::abs(gauged.at(i, j) - plain.at(i, j) * unit(chi(i, j)))));
        }
    EXPECT_LT(worst, 1e-4 * peak);

    // A constant link phase theta along x and psi(i) = exp(-i theta i) phi(i):
    // one x sweep is exp(-i theta i) times the sweep of phi with unit links.
    const double theta = 0.6;
    GaugeLinkField2D constant;
    constant.resize(n, n, d, d);
    for (std::uint64_t j = 0; j < n; ++j)
        for (std::uint64_t i = 0; i < n; ++i)
            constant.setLinkX(i, j, unit(theta));
    ComplexField2D phi = randomField(n, n, d, d, 21);
    ComplexField2D twisted = phi;
    for (std::uint64_t j = 0; j < n; ++j)
        for (std::uint64_t i = 0; i < n; ++i)
            twisted.at(i, j) = phi.at(i, j) * unit(-theta * double(i));
    a.crankNicolsonSweepX(phi, none, 0.05);
    a.crankNicolsonSweepX(twisted, constant, 0.05);
    worst = 0.0;
    for (std::uint64_t j = 0; j < n; ++j)
        for (std::uint64_t i = 0; i < n; ++i)
            worst = std::max(worst, double(std::abs(twisted.at(i, j) - phi.at(i, j) * unit(-theta * double(i)))));
    EXPECT_LT(worst, 1e-5 * maxAmplitude(phi));
}

TEST(GaugeCrankNicolson, UniformFieldDrivesCyclotronOrbit)
{
    // A packet with mechanical momentum hbar b R at (-R, 0) circles the origin
    // clockwise (b > 0) at radius R with the angular frequency omega_c = q B / m.
    const double b = 0.45, mass = 1.0, radius = 3.0;
    const std::uint64_t n = 128;
    const float d = 0.15f;
    const double omega = b / mass;
    const double lB = 1.0 / std::sqrt(b);
    // Canonical momentum in the symmetric gauge: half the mechanical one.
    ComplexField2D psi = packet(n, n, d, -radius, 0.0, lB, 0.0, b * radius / 2.0);
    const GaugeLinkField2D links = uniformFieldLinks(psi, b);
    PotentialField2D v(n, n, d, d);
    const float dt = 0.05f;
    SplitStepFourierSolver2D solver;
    solver.configure(schroedinger(float(mass), 1.0f, dt));

    const int steps = int(std::lround(2.0 * kPi / omega / dt)); // about one period
    double angle = kPi;                                         // unwrapped polar angle of the centre
    double minR = 1e9, maxR = 0.0;
    for (int k = 1; k <= steps; ++k) {
        solver.stepWithGauge(psi, v, links);
        if (k % 5 == 0 || k == steps) {
            double x, y;
            centroid(psi, x, y);
            double next = std::atan2(y, x);
            while (next - angle > kPi)
                next -= 2.0 * kPi;
            while (next - angle < -kPi)
                next += 2.0 * kPi;
            angle = next;
            const double r = std::hypot(x, y);
            minR = std::min(minR, r);
            maxR = std::max(maxR, r);
        }
    }
    const double measured = -(angle - kPi) / solver.time();
    EXPECT_NEAR(measured / omega, 1.0, 0.03);
    EXPECT_GT(minR, 0.95 * radius);
    EXPECT_LT(maxR, 1.05 * radius);
    EXPECT_NEAR(psi.norm(), 1.0, 1e-4);
}

namespace {

// Links of random phase and a modulus drawn from [low, high].
GaugeLinkField2D randomLinks(const ComplexField2D& grid, unsigned seed, double low, double high)
{
    GaugeLinkField2D links = randomUnitLinks(grid, seed);
    std::mt19937 rng(seed + 1);
    std::uniform_real_distribution<float> modulus{float(low), float(high)};
    for (std::uint64_t j = 0; j < grid.ny(); ++j)
        for (std::uint64_t i = 0; i < grid.nx(); ++i) {
            links.setLinkX(i, j, links.linkX(i, j) * modulus(rng));
            links.setLinkY(i, j, links.linkY(i, j) * modulus(rng));
        }
    return links;
}

double maxDifference(const ComplexField2D& a, const ComplexField2D& b)
{
    double m = 0.0;
    for (std::uint64_t k = 0; k < a.size(); ++k)
        m = std::max(m, double(std::abs(a.data()[k] - b.data()[k])));
    return m;
}

} // namespace

// The batched sweeps with kept factorisations against the line-by-line solver
// they replace, over 100 steps: grids whose line counts leave partial batches
// of lanes (and lines too short for a batch's prefetch distance), unit,
// field-carrying and non-unit links.
TEST(GaugeCrankNicolson, BatchedSweepsFollowTheLineByLineSolver)
{
    struct Case {
        std::uint64_t nx, ny;
        float dx, dy;
        int links; // 0 unit, 1 uniform field, 2 random phase and modulus
    };
    const Case cases[] = {{37, 52, 0.3f, 0.25f, 1},
                          {64, 24, 0.2f, 0.3f, 2},
                          {19, 3, 0.4f, 0.3f, 2},
                          {8, 40, 0.3f, 0.3f, 0},
                          {96, 64, 0.15f, 0.2f, 1}};
    for (const Case& c : cases) {
        SplitStepFourierSolver2D solver, reference;
        solver.configure(schroedinger(1.2f, 0.9f, 0.03f));
        reference.configure(schroedinger(1.2f, 0.9f, 0.03f));
        ComplexField2D psi(c.nx, c.ny, c.dx, c.dy);
        vxo::GaussianPacket2D::prepare(psi, vxo::GaussianPacket2D{0.3f, -0.2f, 1.0f, 1.5f, -0.8f});
        ComplexField2D expected = psi;
        PotentialField2D v(c.nx, c.ny, c.dx, c.dy);
        v.addHarmonic(0.0f, 0.0f, 0.0f, 0.5f, 0.3f);
        const GaugeLinkField2D links = c.links == 0 ? [&] {
            GaugeLinkField2D unit;
            unit.resize(c.nx, c.ny, c.dx, c.dy);
            return unit;
        }()
                                       : c.links == 1 ? uniformFieldLinks(psi, 0.7)
                                                      : randomLinks(psi, 31, 0.9, 1.1);
        for (int k = 0; k < 100; ++k) {
            solver.stepWithGauge(psi, v, links);
            vxo::reference::gaugeStep(reference, expected, v, links);
        }
        EXPECT_LT(maxDifference(psi, expected), 1e-6) << c.nx << "x" << c.ny << " links " << c.links;
        EXPECT_EQ(psi.at(0, c.ny / 2), Complex(0.0f, 0.0f)) << c.nx << "x" << c.ny;
        EXPECT_EQ(psi.at(c.nx / 2, c.ny - 1), Complex(0.0f, 0.0f)) << c.nx << "x" << c.ny;
    }
}

// Each instruction-set copy of the batched sweeps, not only the one this
// processor's solver picks, against the line-by-line solver: rows and columns,
// full and partial batches of lanes.
TEST(GaugeCrankNicolson, EveryVariantOfTheSweepsFollowsTheLineByLineSolver)
{
    namespace fft2d = vxo::fft2d;
    namespace gaugesweep = vxo::gaugesweep;
    const ComplexField2D start = randomField(21, 35, 0.3f, 0.2f, 41);
    const GaugeLinkField2D links = randomLinks(start, 42, 0.8, 1.2);
    const double a = 0.37;
    for (fft2d::KernelSet path : {fft2d::KernelSet::Portable, fft2d::KernelSet::Sse2, fft2d::KernelSet::Avx2}) {
        if (!fft2d::isAvailable(path))
            continue;
        for (bool alongX : {true, false}) {
            const gaugesweep::Lines lines =
                alongX ? gaugesweep::Lines{35, 21, 21, 1} : gaugesweep::Lines{21, 35, 1, 21};
            const Complex* u = alongX ? links.linksXData() : links.linksYData();
            std::vector<double> pivots(gaugesweep::pivotSize(lines));
            std::vector<double> scratch(gaugesweep::scratchSize(lines));
            gaugesweep::buildPivots(path, u, lines, a, pivots.data(), scratch.data());
            ComplexField2D psi = start;
            gaugesweep::sweep(path, psi.data(), u, lines, a, pivots.data(), scratch.data());
            ComplexField2D expected = start;
            vxo::reference::gaugeSweepLines(expected.data(), u, lines.count, lines.length, lines.lineStride,
                                            lines.cellStride, a);
            EXPECT_LT(maxDifference(psi, expected), 1e-6)
                << "path " << static_cast<int>(path) << (alongX ? " rows" : " columns");
        }
    }
}

// The factorisation is kept between sweeps; whatever changes what it was
// computed from must be seen. The pivots depend on the links' moduli, so the
// edits below change moduli: a stale factorisation would be far off.
TEST(GaugeCrankNicolson, KeptFactorisationFollowsLinksDtAndGrid)
{
    const ComplexField2D start = packet(24, 20, 0.3f, 0.2, -0.1, 1.0, 1.0, 0.5);
    PotentialField2D v(24, 20, 0.3f, 0.3f);
    SplitStepFourierSolver2D solver;
    solver.configure(schroedinger(1.0f, 1.0f, 0.04f));
    GaugeLinkField2D links = randomLinks(start, 3, 1.0, 1.0);

    // Each event changes the input in some way and is followed by a step,
    // compared with a solver that keeps nothing from one step to the next.
    ComplexField2D psi = start;
    const auto stepAndCompare = [&](const GaugeLinkField2D& l, ComplexField2D& field, const PotentialField2D& pot,
                                    const char* event) {
        ComplexField2D expected = field;
        SplitStepFourierSolver2D fresh;
        fresh.configure(solver.parameters());
        vxo::reference::gaugeStep(fresh, expected, pot, l);
        solver.stepWithGauge(field, pot, l);
        EXPECT_LT(maxDifference(field, expected), 1e-6) << event;
    };
    stepAndCompare(links, psi, v, "first step");
    stepAndCompare(links, psi, v, "links unchanged");

    const std::uint64_t stamp = links.stamp();
    EXPECT_EQ(links.stamp(), stamp) << "reading the stamp does not change it";
    links.setLinkX(5, 7, Complex(0.5f, 0.0f));
    EXPECT_NE(links.stamp(), stamp) << "an edited link";
    stepAndCompare(links, psi, v, "one x link edited in place");
    links.setLinkY(9, 4, Complex(0.0f, 1.7f));
    stepAndCompare(links, psi, v, "one y link edited in place");

    // A copy shares the stamp only while both are unchanged.
    GaugeLinkField2D copy = links;
    EXPECT_EQ(copy.stamp(), links.stamp());
    copy.setLinkX(3, 3, Complex(2.0f, 0.0f));
    EXPECT_NE(copy.stamp(), links.stamp());
    stepAndCompare(copy, psi, v, "an edited copy");
    stepAndCompare(links, psi, v, "back to the original");

    // Other links at the address of the first, assigned or rebuilt in place.
    links = randomLinks(start, 8, 0.8, 1.2);
    stepAndCompare(links, psi, v, "links assigned");
    links.resize(24, 20, 0.3f, 0.3f);
    stepAndCompare(links, psi, v, "links reset to one");
    GaugeLinkField2D moved = std::move(copy);
    EXPECT_FALSE(copy.matches(start)) << "a moved-from field is empty";
    stepAndCompare(moved, psi, v, "moved links");

    // Another dt, and another grid with links of the same stamp history.
    solver.configure(schroedinger(1.0f, 1.0f, 0.01f));
    stepAndCompare(links, psi, v, "another dt");
    ComplexField2D wide = packet(40, 20, 0.3f, 0.2, -0.1, 1.0, 1.0, 0.5);
    GaugeLinkField2D wideLinks = randomLinks(wide, 12, 0.9, 1.1);
    PotentialField2D wideV(40, 20, 0.3f, 0.3f);
    stepAndCompare(wideLinks, wide, wideV, "another grid");
    stepAndCompare(links, psi, v, "the first grid again");
}

TEST(GaugeCrankNicolson, RefusesMismatchedInputsBeforeAnyChange)
{
    SplitStepFourierSolver2D solver;
    solver.configure(schroedinger(1.0f, 1.0f, 0.02f));
    ComplexField2D psi = packet(16, 16, 0.5f, 0.0, 0.0, 1.0, 1.0, 0.0);
    PotentialField2D v(16, 16, 0.5f, 0.5f);
    GaugeLinkField2D links;
    links.resize(16, 16, 0.5f, 0.5f);
    solver.stepWithGauge(psi, v, links);
    const ComplexField2D before = psi;

    GaugeLinkField2D cleared = links;
    cleared.clear();
    GaugeLinkField2D otherDx;
    otherDx.resize(16, 16, 0.25f, 0.5f);
    PotentialField2D otherGrid(16, 8, 0.5f, 0.5f);
    PotentialField2D empty;
    EXPECT_EQ(messageOf([&] { solver.stepWithGauge(psi, v, cleared); }), kMismatch);
    EXPECT_EQ(messageOf([&] { solver.stepWithGauge(psi, v, otherDx); }), kMismatch);
    EXPECT_EQ(messageOf([&] { solver.stepWithGauge(psi, otherGrid, links); }), kMismatch);
    EXPECT_EQ(messageOf([&] { solver.stepWithGauge(psi, empty, links); }), kMismatch);
    // The sweeps on their own refuse links they would read out of bounds.
    EXPECT_EQ(messageOf([&] { solver.crankNicolsonSweepX(psi, cleared, 0.01); }), kMismatch);
    EXPECT_EQ(messageOf([&] { solver.crankNicolsonSweepY(psi, otherDx, 0.01); }), kMismatch);
    EXPECT_TRUE(bitIdentical(psi, before));
    EXPECT_EQ(solver.stepCount(), 1u);
    EXPECT_DOUBLE_EQ(solver.time(), double(0.02f));

    // No FFT is involved: grids need not be powers of two.
    ComplexField2D odd = packet(48, 40, 0.5f, 0.0, 0.0, 2.0, 0.5, 0.0);
    PotentialField2D oddV(48, 40, 0.5f, 0.5f);
    GaugeLinkField2D oddLinks;
    oddLinks.resize(48, 40, 0.5f, 0.5f);
    const double n0 = odd.norm();
    solver.stepWithGauge(odd, oddV, oddLinks);
    EXPECT_NEAR(odd.norm(), n0, 1e-5);
    EXPECT_EQ(solver.stepCount(), 2u);
}
