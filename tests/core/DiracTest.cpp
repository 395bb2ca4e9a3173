#include "core/DiracSplitStepSolver2D.h"
#include "core/DiracSpinor2D.h"
#include "core/FFT2D.h"
#include "core/GaussianPacket2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

using vxo::Complex;
using vxo::ComplexField2D;
using vxo::DiracParameters;
using vxo::DiracSpinor2D;
using vxo::DiracSplitStepSolver2D;
using vxo::kPi;
using vxo::PotentialField2D;
using vxo::test::bitIdentical;
using vxo::test::messageOf;

namespace {

const char* const kParameterMessage =
    "DiracSplitStepSolver2D: hbar, dt and c must be positive; rest mass must be non-negative";
const char* const kGridMessage = "DiracSplitStepSolver2D: spinor/potential grids do not match";

DiracParameters parameters(float hbar, float dt, float c, float restMass)
{
    DiracParameters p;
    p.hbar = hbar;
    p.dt = dt;
    p.c = c;
    p.restMass = restMass;
    return p;
}

bool identical(const DiracSpinor2D& a, const DiracSpinor2D& b)
{
    return bitIdentical(a.upper, b.upper) && bitIdentical(a.lower, b.lower);
}

// Normalised Gaussian packet exp(-r^2 / (4 sigma^2)) exp(i p.r / hbar) in the
// upper component, the lower one zero, on n x n cells d x d or on nx x ny
// cells dx x dy.
DiracSpinor2D upperPacket(std::uint64_t nx, std::uint64_t ny, float dx, float dy, float x0, float y0, float sigma,
                          float px, float py, float hbar = 1.0f)
{
    DiracSpinor2D s;
    s.resize(nx, ny, dx, dy);
    vxo::GaussianPacket2D::prepare(s.upper, vxo::GaussianPacket2D{x0, y0, sigma, px, py, hbar});
    return s;
}

DiracSpinor2D upperPacket(std::uint64_t n, float d, float x0, float y0, float sigma, float px, float py)
{
    return upperPacket(n, n, d, d, x0, y0, sigma, px, py);
}

// Projection (1 + H0/E)/2 of an upper-only spinor onto the positive-energy
// branch, momentum p = hbar k by momentum.
void projectPositiveEnergy(DiracSpinor2D& s, double c, double m, double hbar)
{
    vxo::FFT2D::forward(s.upper);
    vxo::FFT2D::forward(s.lower);
    const std::uint64_t nx = s.upper.nx();
    const std::uint64_t ny = s.upper.ny();
    const double dkx = 2.0 * kPi * hbar / (static_cast<double>(nx) * s.upper.dx());
    const double dky = 2.0 * kPi * hbar / (static_cast<double>(ny) * s.upper.dy());
    const double mc2 = m * c * c;
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double px = (i <= nx / 2 ? double(i) : double(i) - double(nx)) * dkx;
            const double py = (j <= ny / 2 ? double(j) : double(j) - double(ny)) * dky;
            const double e = std::sqrt(c * c * (px * px + py * py) + mc2 * mc2);
            if (e == 0.0) // massless p = 0: no branch to pick, the amplitude is negligible anyway
                continue;
            const std::complex<double> u(s.upper.at(i, j).real(), s.upper.at(i, j).imag());
            const std::complex<double> up = u * (1.0 + mc2 / e) / 2.0;
            const std::complex<double> lo = u * std::complex<double>(c * px, c * py) / (2.0 * e);
            s.upper.at(i, j) = Complex(float(up.real()), float(up.imag()));
            s.lower.at(i, j) = Complex(float(lo.real()), float(lo.imag()));
        }
    vxo::FFT2D::inverse(s.upper);
    vxo::FFT2D::inverse(s.lower);
    s.normalize();
}

double centroidX(const DiracSpinor2D& s)
{
    double w = 0.0;
    double wx = 0.0;
    for (std::uint64_t j = 0; j < s.upper.ny(); ++j)
        for (std::uint64_t i = 0; i < s.upper.nx(); ++i) {
            const double d = std::norm(s.upper.at(i, j)) + std::norm(s.lower.at(i, j));
            w += d;
            wx += d * vxo::gridCoordinateX(s.upper, i);
        }
    return wx / w;
}

// <v_x> = c <sigma_x> = 2 c Re sum conj(u) l / sum (|u|^2 + |l|^2).
double velocityX(const DiracSpinor2D& s, double c)
{
    double cross = 0.0;
    double w = 0.0;
    for (std::uint64_t k = 0; k < s.upper.size(); ++k) {
        const std::complex<double> u(s.upper.data()[k].real(), s.upper.data()[k].imag());
        const std::complex<double> l(s.lower.data()[k].real(), s.lower.data()[k].imag());
        cross += (std::conj(u) * l).real();
        w += std::norm(u) + std::norm(l);
    }
    return 2.0 * c * cross / w;
}

} // namespace

TEST(DiracSpinor2D, WeightsNormalisationAndDensity)
{
    DiracSpinor2D s;
    EXPECT_TRUE(s.isEmpty());
    EXPECT_EQ(s.norm(), 0.0);
    EXPECT_EQ(s.upperWeight(), 0.0);
    EXPECT_FALSE(s.normalize());

    s.resize(4, 3, 0.5f, 0.25f);
    EXPECT_FALSE(s.isEmpty());
    EXPECT_EQ(s.upperWeight(), 0.0);
    EXPECT_EQ(s.lowerWeight(), 0.0);
    EXPECT_FALSE(s.normalize());

    s.upper.fill(Complex(1.0f, 0.0f));
    s.lower.fill(Complex(0.0f, 2.0f));
    EXPECT_DOUBLE_EQ(s.norm(), (12.0 + 48.0) * 0.125); // cells of 0.5 x 0.25
    EXPECT_DOUBLE_EQ(s.upperWeight(), 0.2);
    EXPECT_DOUBLE_EQ(s.upperWeight() + s.lowerWeight(), 1.0);
    ASSERT_TRUE(s.normalize());
    EXPECT_NEAR(s.norm(), 1.0, 1e-6);
    EXPECT_NEAR(s.upperWeight(), 0.2, 1e-6);

    // Density amplitude: |psi|^2 of the target is |u|^2 + |l|^2.
    ComplexField2D target;
    s.density(target);
    ASSERT_EQ(target.nx(), 4u);
    ASSERT_EQ(target.ny(), 3u);
    EXPECT_EQ(target.dx(), 0.5f);
    EXPECT_EQ(target.dy(), 0.25f);
    for (std::uint64_t k = 0; k < target.size(); ++k) {
        EXPECT_EQ(target.data()[k].imag(), 0.0f);
        EXPECT_NEAR(std::norm(target.data()[k]), std::norm(s.upper.data()[k]) + std::norm(s.lower.data()[k]), 1e-6);
    }
    EXPECT_NEAR(target.norm(), 1.0, 1e-6);

    // A zero lower component gives |u|; a target on another grid is reset.
    s.upper.at(1, 2) = Complex(-3.0f, 4.0f);
    s.lower.setZero();
    ComplexField2D other(8, 2, 1.0f, 1.0f);
    s.density(other);
    EXPECT_EQ(other.nx(), 4u);
    EXPECT_EQ(other.ny(), 3u);
    EXPECT_FLOAT_EQ(other.at(1, 2).real(), 5.0f);

    // A spinor with an empty component zeroes the target and keeps its grid.
    DiracSpinor2D half;
    half.upper.reset(4, 4, 0.5f, 0.5f);
    other.fill(Complex(1.0f, 1.0f));
    half.density(other);
    EXPECT_EQ(other.size(), 12u);
    for (std::uint64_t k = 0; k < other.size(); ++k)
        EXPECT_EQ(other.data()[k], Complex(0.0f, 0.0f));
    EXPECT_EQ(half.norm(), 0.0);
}

TEST(DiracSpinor2D, RefusedResizeKeepsBothComponents)
{
    DiracSpinor2D s;
    s.resize(4, 4, 0.5f, 0.5f);
    s.upper.fill(Complex(1.0f, 0.0f));
    s.lower.fill(Complex(0.0f, 1.0f));
    const DiracSpinor2D before = s;
    EXPECT_EQ(messageOf([&] { s.resize(8, 8, std::nanf(""), 0.5f); }), "ComplexField2D: dx and dy must be positive");
    EXPECT_TRUE(identical(s, before));
}

TEST(DiracSplitStepSolver2D, ConfigurationIsValidatedBeforeAnyChange)
{
    DiracSplitStepSolver2D solver;
    solver.configure(parameters(1.0f, 0.05f, 1.0f, 0.0f)); // massless is allowed
    const float inf = std::numeric_limits<float>::infinity();
    for (const DiracParameters& bad : {parameters(1.0f, 0.05f, 1.0f, -1.0f), parameters(1.0f, 0.05f, 0.0f, 1.0f),
                                       parameters(1.0f, std::nanf(""), 1.0f, 1.0f), parameters(inf, 0.05f, 1.0f, 1.0f),
                                       parameters(1.0f, 0.05f, 1.0f, inf)}) {
        EXPECT_EQ(messageOf([&] { solver.configure(bad); }), kParameterMessage);
        EXPECT_EQ(solver.parameters().dt, 0.05f);
        EXPECT_EQ(solver.parameters().restMass, 0.0f);
    }

    // An unconfigured solver refuses to step and leaves the spinor alone.
    DiracSplitStepSolver2D fresh;
    DiracSpinor2D s = upperPacket(16, 0.5f, 0.0, 0.0, 1.0, 0.0, 0.0);
    const DiracSpinor2D before = s;
    EXPECT_EQ(messageOf([&] { fresh.stepFree(s); }), kParameterMessage);
    EXPECT_TRUE(identical(s, before));
}

TEST(DiracSplitStepSolver2D, RestMassAndPotentialPhases)
{
    // A uniform spinor holds only p = 0, where the propagator is
    // diag(exp(-i m c^2 dt / hbar), exp(+i m c^2 dt / hbar)).
    const double hbar = 0.5, dt = 0.1, c = 2.0, m = 1.5;
    DiracSplitStepSolver2D solver;
    solver.configure(parameters(float(hbar), float(dt), float(c), float(m)));
    DiracSpinor2D s;
    s.resize(8, 8, 0.25f, 0.25f);
    s.upper.fill(Complex(1.0f, 0.0f));
    s.lower.fill(Complex(0.0f, 1.0f));
    solver.stepFree(s);
    const double theta = m * c * c * float(dt) / hbar;
    for (std::uint64_t k = 0; k < s.upper.size(); ++k) {
        EXPECT_NEAR(std::abs(s.upper.data()[k] - Complex(float(std::cos(theta)), float(-std::sin(theta)))), 0.0, 1e-5);
        EXPECT_NEAR(std::abs(s.lower.data()[k] - Complex(float(-std::sin(theta)), float(std::cos(theta)))), 0.0, 1e-5);
    }

    // Massless: p = 0 has E = 0 and the propagator is the identity.
    solver.configure(parameters(float(hbar), float(dt), float(c), 0.0f));
    s.upper.fill(Complex(0.6f, 0.0f));
    s.lower.fill(Complex(0.0f, 0.8f));
    solver.stepFree(s);
    EXPECT_NEAR(std::abs(s.upper.at(3, 5) - Complex(0.6f, 0.0f)), 0.0, 1e-6);
    EXPECT_NEAR(std::abs(s.lower.at(3, 5) - Complex(0.0f, 0.8f)), 0.0, 1e-6);

    // A constant potential V0 adds the phase exp(-i V0 dt / hbar) to both
    // components; repainting it between steps must be picked up.
    PotentialField2D v(8, 8, 0.25f, 0.25f);
    for (float v0 : {0.0f, 3.0f, -7.0f}) {
        v.fill(v0);
        s.upper.fill(Complex(0.6f, 0.0f));
        s.lower.fill(Complex(0.0f, 0.8f));
        solver.step(s, v);
        const double phi = -double(v0) * float(dt) / hbar;
        const Complex rotation(float(std::cos(phi)), float(std::sin(phi)));
        EXPECT_NEAR(std::abs(s.upper.at(2, 7) - Complex(0.6f, 0.0f) * rotation), 0.0, 1e-5) << v0;
        EXPECT_NEAR(std::abs(s.lower.at(2, 7) - Complex(0.0f, 0.8f) * rotation), 0.0, 1e-5) << v0;
    }
}

TEST(DiracSplitStepSolver2D, NewPotentialAtTheSameAddressIsNotMistakenForTheOldOne)
{
    DiracSplitStepSolver2D solver;
    solver.configure(parameters(1.0f, 0.1f, 1.0f, 0.0f));
    DiracSpinor2D s;
    s.resize(8, 8, 0.5f, 0.5f);

    // Two potentials with the same storage, grid and revision but different
    // values: the cached phase table must follow the object, not its address.
    std::vector<PotentialField2D> slot;
    slot.reserve(1);
    slot.emplace_back(8, 8, 0.5f, 0.5f);
    slot.back().fill(0.0f);
    s.upper.fill(Complex(1.0f, 0.0f));
    solver.step(s, slot.back());
    const PotentialField2D* address = &slot.back();
    const std::uint64_t revision = slot.back().revision();
    slot.clear();
    slot.emplace_back(8, 8, 0.5f, 0.5f);
    slot.back().fill(10.0f);
    ASSERT_EQ(&slot.back(), address);
    ASSERT_EQ(slot.back().revision(), revision);
    s.upper.fill(Complex(1.0f, 0.0f));
    s.lower.setZero();
    solver.step(s, slot.back());
    const double phi = -10.0 * 0.1f;
    EXPECT_NEAR(std::abs(s.upper.at(4, 4) - Complex(float(std::cos(phi)), float(std::sin(phi)))), 0.0, 1e-5);
}

TEST(DiracSplitStepSolver2D, PropagatorFollowsTheSpinorsGrid)
{
    // A spinor on other cells (same counts) or other counts after a first step
    // is propagated as a fresh solver would, not with the cached table.
    DiracSplitStepSolver2D solver;
    solver.configure(parameters(0.8f, 0.05f, 1.3f, 0.6f));
    DiracSpinor2D first = upperPacket(32, 16, 0.5f, 0.625f, -2.0, 0.5, 2.0, 1.0, 0.4, 0.8f);
    solver.stepFree(first);
    for (const DiracSpinor2D& next : {upperPacket(32, 16, 0.4f, 0.5f, -2.0, 0.5, 2.0, 1.0, 0.4, 0.8f),
                                      upperPacket(64, 16, 0.5f, 0.625f, -2.0, 0.5, 2.0, 1.0, 0.4, 0.8f),
                                      upperPacket(16, 32, 0.5f, 0.625f, -2.0, 0.5, 2.0, 1.0, 0.4, 0.8f)}) {
        DiracSpinor2D cached = next;
        DiracSpinor2D fresh = next;
        solver.stepFree(cached);
        DiracSplitStepSolver2D other;
        other.configure(solver.parameters());
        other.stepFree(fresh);
        EXPECT_TRUE(identical(cached, fresh))
            << next.upper.nx() << " x " << next.upper.ny() << " cells of " << next.upper.dx();
    }
}

TEST(DiracSplitStepSolver2D, NormIsConservedWithAndWithoutPotential)
{
    DiracSplitStepSolver2D solver;
    solver.configure(parameters(1.0f, 0.05f, 1.0f, 0.5f));
    DiracSpinor2D s = upperPacket(64, 32, 0.5f, 0.625f, -4.0, 1.0, 2.0, 1.5, 0.5);
    PotentialField2D v(64, 32, 0.5f, 0.625f);
    v.addRectangle(3.0f, 0.0f, 2.0f, 40.0f, 1.2f); // Klein-type step higher than the packet's energy
    v.addGaussian(-2.0f, -3.0f, 1.0f, 2.0f, -0.8f);
    for (int k = 0; k < 100; ++k)
        solver.step(s, v);
    EXPECT_NEAR(s.norm(), 1.0, 1e-4);
    EXPECT_GT(s.lowerWeight(), 0.01); // the kinetic mixing did act
    for (int k = 0; k < 100; ++k)
        solver.stepFree(s);
    EXPECT_NEAR(s.norm(), 1.0, 1e-4);
}

TEST(DiracSplitStepSolver2D, PositiveEnergyPacketsMoveAtTheGroupVelocity)
{
    // A packet narrow in momentum, projected on the positive-energy branch,
    // drifts at v = c^2 p / E without trembling; a massless one at v = c.
    // Cells 0.4 x 0.5 on 128 x 64: each axis keeps its own wave numbers. With
    // hbar = 0.7 a momentum taken as k or as k / hbar moves at another speed.
    const double c = 1.5, p = 1.0, t = 8.0, hbar = 0.7;
    for (double m : {0.8, 0.0}) {
        DiracSplitStepSolver2D solver;
        solver.configure(parameters(float(hbar), 0.1f, float(c), float(m)));
        DiracSpinor2D s = upperPacket(128, 64, 0.4f, 0.5f, -10.0, 0.0, 5.0, p, 0.0, float(hbar));
        projectPositiveEnergy(s, c, m, hbar);
        const double x0 = centroidX(s);
        const double e = std::sqrt(c * c * p * p + m * m * c * c * c * c);
        const double expected = c * c * p / e;
        double vMin = 1e9, vMax = -1e9;
        const int steps = int(std::lround(t / 0.1));
        for (int k = 0; k < steps; ++k) {
            solver.stepFree(s);
            const double v = velocityX(s, c);
            vMin = std::min(vMin, v);
            vMax = std::max(vMax, v);
        }
        const double elapsed = steps * double(0.1f);
        const double drift = (centroidX(s) - x0) / elapsed;
        EXPECT_NEAR(drift / expected, 1.0, 0.01) << "m = " << m;
        EXPECT_NEAR(velocityX(s, c) / expected, 1.0, 0.01) << "m = " << m;
        EXPECT_LT(vMax - vMin, 0.01 * expected) << "a positive-energy state does not tremble";
        if (m == 0.0) {
            EXPECT_NEAR(drift, c, 0.01 * c);
        }
        EXPECT_NEAR(s.norm(), 1.0, 1e-4);
    }
}

TEST(DiracSplitStepSolver2D, MixedPacketTremblesAtTwiceTheEnergy)
{
    // An upper-only packet mixes both energy branches; the interference makes
    // <v_x> oscillate at 2 E / hbar, which for a slow packet is close to the
    // rest-frame value 2 m c^2 / hbar. No constant is 1, so a factor of hbar,
    // m or c put in the wrong place changes the frequency.
    const double c = 1.2, m = 0.9, p = 0.3, dt = 0.05, hbar = 0.6;
    DiracSplitStepSolver2D solver;
    solver.configure(parameters(float(hbar), float(dt), float(c), float(m)));
    DiracSpinor2D s = upperPacket(128, 64, 0.4f, 0.5f, 0.0, 0.0, 5.0, p, 0.0, float(hbar));

    // Zero crossings of d<v_x>/dt, which removes the drift.
    std::vector<double> v{velocityX(s, c)};
    const int steps = 220;
    for (int k = 0; k < steps; ++k) {
        solver.stepFree(s);
        v.push_back(velocityX(s, c));
    }
    const double h = double(float(dt));
    std::vector<double> crossings;
    double amplitude = 0.0;
    for (std::size_t k = 1; k + 1 < v.size(); ++k) {
        const double a = v[k] - v[k - 1];
        const double b = v[k + 1] - v[k];
        amplitude = std::max(amplitude, std::abs(v[k] - v[0]));
        if ((a > 0.0) != (b > 0.0))
            crossings.push_back((double(k) - 0.5 + a / (a - b)) * h);
    }
    ASSERT_GE(crossings.size(), 6u);
    const double omega = kPi * double(crossings.size() - 1) / (crossings.back() - crossings.front());
    const double energy = std::sqrt(c * c * p * p + m * m * c * c * c * c);
    EXPECT_NEAR(omega * hbar / (2.0 * energy), 1.0, 0.02);
    EXPECT_NEAR(omega * hbar / (2.0 * m * c * c), 1.0, 0.05);
    // Amplitude of the trembling velocity for a single wave vector: c^2 p m c^2 / E^2.
    EXPECT_GT(amplitude, 0.5 * c * c * p * m * c * c / (energy * energy));
}

TEST(DiracSplitStepSolver2D, BadGridsAreRefusedBeforeAnyChange)
{
    DiracSplitStepSolver2D solver;
    solver.configure(parameters(1.0f, 0.05f, 1.0f, 0.5f));
    DiracSpinor2D s = upperPacket(16, 0.5f, 0.0, 0.0, 1.5, 1.0, 0.0);
    const DiracSpinor2D before = s;

    PotentialField2D wrongDy(16, 16, 0.5f, std::nextafter(0.5f, 1.0f));
    EXPECT_EQ(messageOf([&] { solver.step(s, wrongDy); }), kGridMessage);
    PotentialField2D wrongSize(16, 8, 0.5f, 0.5f);
    EXPECT_EQ(messageOf([&] { solver.step(s, wrongSize); }), kGridMessage);
    PotentialField2D empty;
    EXPECT_EQ(messageOf([&] { solver.step(s, empty); }), kGridMessage);
    EXPECT_TRUE(identical(s, before));

    // Components that disagree are not a spinor on one grid.
    DiracSpinor2D torn = s;
    torn.lower.reset(8, 8, 0.5f, 0.5f);
    const DiracSpinor2D tornBefore = torn;
    PotentialField2D v(16, 16, 0.5f, 0.5f);
    EXPECT_EQ(messageOf([&] { solver.step(torn, v); }), kGridMessage);
    EXPECT_EQ(messageOf([&] { solver.stepFree(torn); }), "DiracSplitStepSolver2D: invalid spinor FFT grid");
    EXPECT_TRUE(identical(torn, tornBefore));

    DiracSpinor2D oblong = upperPacket(16, 0.5f, 0.0, 0.0, 1.5, 1.0, 0.0);
    oblong.resize(64, 48, 0.5f, 0.5f);
    oblong.upper.fill(Complex(1.0f, 0.0f));
    const DiracSpinor2D oblongBefore = oblong;
    PotentialField2D v48(64, 48, 0.5f, 0.5f);
    EXPECT_EQ(messageOf([&] { solver.step(oblong, v48); }), "DiracSplitStepSolver2D: invalid spinor FFT grid");
    EXPECT_EQ(messageOf([&] { solver.stepFree(oblong); }), "DiracSplitStepSolver2D: invalid spinor FFT grid");
    EXPECT_TRUE(identical(oblong, oblongBefore));

    DiracSpinor2D infinite;
    infinite.resize(16, 16, std::numeric_limits<float>::infinity(), 0.5f);
    EXPECT_EQ(messageOf([&] { solver.stepFree(infinite); }), "DiracSplitStepSolver2D: invalid spatial spacing");

    // The solver still works after the refusals.
    solver.step(s, v);
    EXPECT_NEAR(s.norm(), 1.0, 1e-4);
}
