#include "core/SplitStepFourierSolver2D.h"

#include "core/FFT2D.h"
#include "core/FFT2DKernels.h"
#include "core/GaussianPacket2D.h"
#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "core/PotentialField2D.h"
#include "core/PotentialPhaseTable.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using vxo::Complex;
using vxo::ComplexField2D;
using vxo::GaussianPacket2D;
using vxo::PotentialField2D;
using vxo::SplitStepFourierSolver2D;
using vxo::SplitStepParameters;
using vxo::test::bitIdentical;
using vxo::test::messageOf;
using vxo::test::packetField;

namespace {

SplitStepFourierSolver2D configuredSolver(float mass, float hbar, float dt)
{
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{mass, hbar, dt});
    return solver;
}

// A plane wave exp(i (kx x + ky y)) with mode numbers (mx, my) of the grid.
ComplexField2D planeWave(std::uint64_t nx, std::uint64_t ny, float dx, float dy, int mx, int my, double* k2)
{
    const double kx = 2.0 * vxo::kPi * mx / (static_cast<double>(nx) * dx);
    const double ky = 2.0 * vxo::kPi * my / (static_cast<double>(ny) * dy);
    *k2 = kx * kx + ky * ky;
    return vxo::test::planeWave(nx, ny, dx, dy, kx, ky);
}

double maxDeviationFromPhase(const ComplexField2D& after, const ComplexField2D& before, double phase)
{
    const std::complex<double> factor(std::cos(phase), std::sin(phase));
    double worst = 0.0;
    for (std::uint64_t c = 0; c < after.size(); ++c) {
        const std::complex<double> expected = factor * std::complex<double>(before.data()[c]);
        worst = std::max(worst, std::abs(std::complex<double>(after.data()[c]) - expected));
    }
    return worst;
}

} // namespace

TEST(SplitStepFourierSolver2DConfigure, ValidatesInOrderAndKeepsStateOnFailure)
{
    const float nan = std::nanf("");
    SplitStepFourierSolver2D solver;
    EXPECT_EQ(messageOf([&] {
                  solver.configure({0.0f, nan, -1.0f});
              }),
              "SplitStepFourierSolver2D: mass must be finite and positive");
    EXPECT_EQ(messageOf([&] {
                  solver.configure({1.0f, nan, 0.02f});
              }),
              "SplitStepFourierSolver2D: hbar must be finite and positive");
    EXPECT_EQ(messageOf([&] {
                  solver.configure({1.0f, 1.0f, INFINITY});
              }),
              "SplitStepFourierSolver2D: dt must be finite and positive");

    solver.configure({2.0f, 0.5f, 0.01f});
    ComplexField2D psi = packetField(32, 32, 0.5f, {0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f});
    PotentialField2D v(32, 32, 0.5f, 0.5f);
    solver.step(psi, v);
    solver.step(psi, v);

    EXPECT_THROW(solver.configure({-1.0f, 1.0f, 0.02f}), std::invalid_argument);
    EXPECT_EQ(solver.parameters().mass, 2.0f);
    EXPECT_EQ(solver.parameters().hbar, 0.5f);
    EXPECT_EQ(solver.parameters().dt, 0.01f);
    EXPECT_EQ(solver.stepCount(), 2u);
    EXPECT_TRUE(solver.kineticPhaseMatches(psi));
    EXPECT_TRUE(solver.potentialPhaseMatches(v));

    // A successful configuration drops both tables and the clock.
    solver.configure({1.0f, 1.0f, 0.02f});
    EXPECT_FALSE(solver.kineticPhaseMatches(psi));
    EXPECT_FALSE(solver.potentialPhaseMatches(v));
    EXPECT_EQ(solver.time(), 0.0);
    EXPECT_EQ(solver.stepCount(), 0u);
}

TEST(SplitStepFourierSolver2DClock, CountsStepsAndAccumulatesSinglePrecisionDtInDouble)
{
    SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
    EXPECT_EQ(solver.time(), 0.0);
    EXPECT_EQ(solver.stepCount(), 0u);

    ComplexField2D psi = packetField(16, 16, 0.5f, {0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f});
    PotentialField2D v(16, 16, 0.5f, 0.5f);
    for (int s = 0; s < 50; ++s)
        solver.step(psi, v);
    EXPECT_EQ(solver.stepCount(), 50u);
    // 50 times the double value of 0.02f, not 1 and not a float accumulation.
    EXPECT_NEAR(solver.time(), 0.999999977648258, 1e-14);
    EXPECT_GT(std::abs(solver.time() - 1.0), 1e-8);

    const ComplexField2D before = psi;
    const double t = solver.time();
    solver.advanceClock();
    EXPECT_EQ(solver.time(), t + static_cast<double>(0.02f));
    EXPECT_EQ(solver.stepCount(), 51u);
    EXPECT_TRUE(bitIdentical(psi, before));

    solver.resetClock();
    EXPECT_EQ(solver.time(), 0.0);
    EXPECT_EQ(solver.stepCount(), 0u);
    EXPECT_TRUE(solver.kineticPhaseMatches(psi)); // the clock reset keeps the tables
}

TEST(SplitStepFourierSolver2DStep, PlaneWaveGetsTheFreePropagatorPhase)
{
    const float mass = 0.7f;
    const float hbar = 1.3f;
    const float dt = 0.05f;
    SplitStepFourierSolver2D solver = configuredSolver(mass, hbar, dt);
    double k2 = 0.0;
    // Modes 3 along x and -5 along y of a non-square grid.
    ComplexField2D psi = planeWave(64, 32, 0.25f, 0.4f, 3, -5, &k2);
    const ComplexField2D before = psi;
    const double norm0 = psi.norm();
    PotentialField2D v(64, 32, 0.25f, 0.4f);
    solver.step(psi, v);

    const double phase = -static_cast<double>(hbar) * k2 * dt / (2.0 * mass);
    EXPECT_LT(maxDeviationFromPhase(psi, before, phase), 2e-5);
    EXPECT_NEAR(psi.norm() / norm0, 1.0, 1e-6);
}

TEST(SplitStepFourierSolver2DStep, HarmonicTrapConservesNormAndFollowsTheClassicalOrbit)
{
    // V = (x^2 + y^2) / 2 with m = hbar = 1: omega = 1, and by Ehrenfest the
    // centroid follows x(t) = x0 cos t + p0 sin t exactly.
    SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
    ComplexField2D psi = packetField(64, 64, 0.25f, {1.5f, -0.5f, 0.8f, 0.5f, 0.25f, 1.0f});
    PotentialField2D v(64, 64, 0.25f, 0.25f);
    v.addHarmonic(0.0f, 0.0f, 0.0f, 1.0f, 1.0f);

    // The step as its five stages, so that the norm change of the solver's own
    // phase tables is told apart from that of the transforms.
    const auto sum2 = [](const ComplexField2D& f) {
        double s = 0.0;
        for (std::uint64_t c = 0; c < f.size(); ++c)
            s += std::norm(std::complex<double>(f.data()[c]));
        return s;
    };
    const double norm0 = psi.norm();
    double tableDrift = 0.0;
    double worst = 0.0;
    for (int s = 0; s < 1000; ++s) {
        if (!solver.kineticPhaseMatches(psi))
            solver.prepareKineticPhase(psi);
        if (!solver.potentialPhaseMatches(v))
            solver.preparePotentialPhase(v);
        double before = sum2(psi);
        solver.applyPotentialHalfStep(psi);
        tableDrift += sum2(psi) / before - 1.0;
        vxo::FFT2D::forward(psi);
        before = sum2(psi);
        solver.applyKineticPhase(psi);
        tableDrift += sum2(psi) / before - 1.0;
        vxo::FFT2D::inverse(psi);
        before = sum2(psi);
        solver.applyPotentialHalfStep(psi);
        tableDrift += sum2(psi) / before - 1.0;
        solver.advanceClock();
        worst = std::max(worst, std::abs(psi.norm() - norm0));
    }
    // The unit-modulus tables conserve the norm to 1e-5 over 1000 steps. The
    // transforms multiply by twiddle factors rounded to single precision, whose
    // modulus is slightly below one (about 1e-7 of norm per transform), so the
    // whole step is held to a looser bound.
    EXPECT_LT(std::abs(tableDrift), 1e-5);
    EXPECT_LT(worst, 5e-4);

    // The staged step is the step itself.
    ComplexField2D staged = psi;
    ComplexField2D whole = psi;
    solver.step(whole, v);
    solver.applyPotentialHalfStep(staged);
    vxo::FFT2D::forward(staged);
    solver.applyKineticPhase(staged);
    vxo::FFT2D::inverse(staged);
    solver.applyPotentialHalfStep(staged);
    EXPECT_TRUE(bitIdentical(whole, staged));

    const double t = solver.time();
    const vxo::PositionMoments m = vxo::computePositionMoments(whole);
    EXPECT_NEAR(m.meanX, 1.5 * std::cos(t) + 0.5 * std::sin(t), 5e-3);
    EXPECT_NEAR(m.meanY, -0.5 * std::cos(t) + 0.25 * std::sin(t), 5e-3);
}

TEST(SplitStepFourierSolver2DStep, FreePacketSpreadsAsTheAnalyticGaussian)
{
    // |psi|^2 of a free Gaussian keeps its shape with
    // sigma(t) = sigma0 sqrt(1 + (hbar t / (2 m sigma0^2))^2), and its centre moves at p / m.
    const double sigma0 = 0.9;
    SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
    ComplexField2D psi = packetField(128, 128, 0.32f, {-2.5f, 0.0f, 0.9f, 1.0f, 0.0f, 1.0f});
    PotentialField2D v(128, 128, 0.32f, 0.32f);
    const vxo::PositionMoments start = vxo::computePositionMoments(psi);
    EXPECT_NEAR(start.sigmaX, sigma0, 1e-6);

    for (int s = 0; s < 250; ++s)
        solver.step(psi, v);
    ASSERT_NEAR(solver.time(), 5.0, 1e-6);

    const double t = solver.time();
    const double spread = t / (2.0 * sigma0 * sigma0);
    const double expected = sigma0 * std::sqrt(1.0 + spread * spread);
    const vxo::PositionMoments m = vxo::computePositionMoments(psi);
    EXPECT_NEAR(m.sigmaX / expected, 1.0, 1e-4);
    EXPECT_NEAR(m.sigmaY / expected, 1.0, 1e-4);
    EXPECT_NEAR(m.meanX, -2.5 + t, 1e-4);
    EXPECT_NEAR(m.meanY, 0.0, 1e-4);
}

TEST(SplitStepFourierSolver2DStep, FreePacketKeepsItsNormWithoutBias)
{
    // Every stage of a step is unitary, so only rounding moves the norm, and
    // rounding without a sign drifts far below 2e-8 per step. On every path.
    const std::uint64_t nx = 256, ny = 128;
    const int steps = 300;
    for (const vxo::fft2d::KernelSet path :
         {vxo::fft2d::KernelSet::Portable, vxo::fft2d::KernelSet::Sse2, vxo::fft2d::KernelSet::Avx2}) {
        ASSERT_TRUE(vxo::fft2d::isAvailable(path)) << "this machine cannot check path " << int(path);
        SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
        ComplexField2D psi(nx, ny, 0.16f, 0.24f);
        GaussianPacket2D::prepare(psi, {-6.0f, 1.0f, 1.5f, 4.0f, 1.0f, 1.0f});
        PotentialField2D v(nx, ny, 0.16f, 0.24f);
        solver.prepareKineticPhase(psi);
        solver.preparePotentialPhase(v);
        const double norm0 = psi.norm();
        for (int s = 0; s < steps; ++s) {
            vxo::fft2d::transformField(path, psi.data(), nx, ny, false, solver.potentialPhase().data(),
                                       solver.kineticPhase().data());
            vxo::fft2d::transformField(path, psi.data(), nx, ny, true, nullptr, solver.potentialPhase().data());
        }
        EXPECT_LT(std::abs(psi.norm() / norm0 - 1.0) / steps, 2e-8) << "path " << int(path);
    }
}

TEST(SplitStepFourierSolver2DStep, SharpWallsHoldAPacketOfLowerEnergy)
{
    // A packet of energy about 5 above the floor (-120) of a box of side 20
    // whose walls stand 240 above that floor: tunnelling through 10 units of
    // wall is nil, so what is found outside at t = 17.6 is the evanescent tail
    // (7.2e-5 on cells 0.16 wide and 9.8e-5 on cells 0.08 wide in runs at dt
    // 0.00125), not a leak. The clock still counts the configured dt.
    struct Grid {
        std::uint64_t nx, ny;
        float dx, dy;
    };
    for (const Grid g : {Grid{256, 128, 0.16f, 0.32f}, Grid{512, 128, 0.08f, 0.32f}}) {
        SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
        ComplexField2D psi(g.nx, g.ny, g.dx, g.dy);
        GaussianPacket2D::prepare(psi, {-2.0f, 0.0f, 1.5f, 3.0f, 1.0f, 1.0f});
        PotentialField2D v(g.nx, g.ny, g.dx, g.dy);
        v.addRectangle(0.0f, 0.0f, 100.0f, 100.0f, 120.0f);
        v.addRectangle(0.0f, 0.0f, 20.0f, 20.0f, -120.0f);
        for (int s = 0; s < 880; ++s)
            solver.step(psi, v);
        EXPECT_NEAR(solver.time(), 880 * double(0.02f), 1e-9);
        EXPECT_EQ(solver.stepCount(), 880u);
        double outside = 0.0;
        for (std::uint64_t j = 0; j < g.ny; ++j)
            for (std::uint64_t i = 0; i < g.nx; ++i)
                if (std::abs(vxo::gridCoordinateX(psi, i)) > 10.0 || std::abs(vxo::gridCoordinateY(psi, j)) > 10.0)
                    outside += std::norm(psi.at(i, j));
        EXPECT_LT(outside * g.dx * g.dy, 3e-4) << "the walls leak on cells " << g.dx << " wide";
    }
}

TEST(SplitStepFourierSolver2DStep, SmoothPotentialTakesOnePlainStrangStep)
{
    // A harmonic trap reaches no high mode: the step is the single Strang step
    // of the tables in turn, bit for bit.
    SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
    ComplexField2D psi(128, 64, 0.2f, 0.3f);
    GaussianPacket2D::prepare(psi, {1.0f, -1.0f, 1.0f, 2.0f, 0.5f, 1.0f});
    PotentialField2D v(128, 64, 0.2f, 0.3f);
    v.addHarmonic(0.0f, 0.0f, 0.0f, 1.0f, 1.0f);
    ComplexField2D plain = psi;
    for (int s = 0; s < 20; ++s) {
        solver.step(psi, v);
        solver.applyPotentialHalfStep(plain);
        vxo::FFT2D::forward(plain);
        solver.applyKineticPhase(plain);
        vxo::FFT2D::inverse(plain);
        solver.applyPotentialHalfStep(plain);
    }
    EXPECT_EQ(solver.subSteps(), 1u);
    EXPECT_TRUE(bitIdentical(psi, plain));
}

TEST(SplitStepFourierSolver2DCache, PotentialTableFollowsRevisionAndNotOtherwise)
{
    SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
    ComplexField2D psi = packetField(32, 32, 0.5f, {0.0f, 0.0f, 1.5f, 1.0f, 0.0f, 1.0f});
    PotentialField2D v(32, 32, 0.5f, 0.5f);
    v.addGaussian(1.0f, 0.0f, 1.0f, 1.0f, 3.0f);
    EXPECT_FALSE(solver.potentialPhaseMatches(v));

    solver.step(psi, v);
    ASSERT_TRUE(solver.potentialPhaseMatches(v));
    const std::vector<Complex> table = solver.potentialPhase();
    solver.step(psi, v);
    EXPECT_TRUE(solver.potentialPhaseMatches(v));
    EXPECT_EQ(solver.potentialPhase(), table);

    // Editing in place moves the revision: the next step must use the new values.
    v.addGaussian(-2.0f, 1.0f, 0.7f, 0.7f, 5.0f);
    EXPECT_FALSE(solver.potentialPhaseMatches(v));
    ComplexField2D reference = psi;
    solver.step(psi, v);
    EXPECT_TRUE(solver.potentialPhaseMatches(v));
    SplitStepFourierSolver2D fresh = configuredSolver(1.0f, 1.0f, 0.02f);
    fresh.step(reference, v);
    EXPECT_TRUE(bitIdentical(psi, reference));

    v.clear();
    EXPECT_FALSE(solver.potentialPhaseMatches(v));
    solver.step(psi, v);
    EXPECT_TRUE(solver.potentialPhaseMatches(v));
}

TEST(PotentialPhaseTableRebuild, FactorsKeepTheirAnglesAndTheirModulusErrorsDoNotAccumulate)
{
    // A wall and a floor of one value each repeat one factor cell after cell;
    // the summed modulus error of any run of cells must stay within a few
    // single-precision steps (unbounded growth means a lost carry), half and
    // whole step alike, also in a last block shorter than the others.
    const std::uint64_t nx = 37, ny = 29; // 1073 cells, not a whole number of blocks
    PotentialField2D v(nx, ny, 0.11f, 0.07f);
    v.fill(120.0f);
    v.addRectangle(0.0f, 0.0f, 2.0f, 1.2f, -117.5f);
    vxo::PotentialPhaseTable half, whole;
    const double dt = 0.02, hbar = 0.7;
    half.rebuild(v, dt, hbar, &whole);
    ASSERT_EQ(half.size(), nx * ny);
    ASSERT_EQ(whole.size(), nx * ny);
    const std::vector<std::pair<const vxo::PotentialPhaseTable*, double>> tables = {{&half, 0.5}, {&whole, 1.0}};
    for (const auto& [table, share] : tables) {
        double sum = 0.0, worstSum = 0.0, worstAngle = 0.0;
        for (std::uint64_t c = 0; c < table->size(); ++c) {
            const double re = 1.0 + double(table->values()[c].real()), im = table->values()[c].imag();
            sum += re * re + im * im - 1.0;
            worstSum = std::max(worstSum, std::abs(sum));
            const double phase = -share * double(v.data()[c]) * dt / hbar;
            worstAngle = std::max(worstAngle, std::abs(std::remainder(std::atan2(im, re) - phase, 2.0 * vxo::kPi)));
        }
        EXPECT_LT(worstSum, 1e-6) << "share " << share;
        EXPECT_LT(worstAngle, 5e-7) << "share " << share;
    }
}

TEST(SplitStepFourierSolver2DCache, AnotherPotentialObjectNeverReusesTheTable)
{
    SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
    ComplexField2D psi = packetField(32, 32, 0.5f, {0.0f, 0.0f, 1.5f, 1.0f, 0.0f, 1.0f});

    // Storage that is reused without reallocation: the second potential lives
    // at the address of the first.
    std::vector<PotentialField2D> slot;
    slot.reserve(1);
    slot.emplace_back(32, 32, 0.5f, 0.5f);
    slot[0].fill(1.0f);
    const PotentialField2D* firstAddress = &slot[0];
    solver.preparePotentialPhase(slot[0]);
    ASSERT_TRUE(solver.potentialPhaseMatches(slot[0]));

    // A copy of identical content is a different potential.
    const PotentialField2D copy = slot[0];
    EXPECT_FALSE(solver.potentialPhaseMatches(copy));

    // A new potential built in the same storage, at the same revision, with other values.
    slot.clear();
    slot.emplace_back(32, 32, 0.5f, 0.5f);
    slot[0].fill(4.0f);
    ASSERT_EQ(&slot[0], firstAddress);
    EXPECT_FALSE(solver.potentialPhaseMatches(slot[0]));

    ComplexField2D reference = psi;
    solver.step(psi, slot[0]);
    SplitStepFourierSolver2D fresh = configuredSolver(1.0f, 1.0f, 0.02f);
    fresh.step(reference, slot[0]);
    EXPECT_TRUE(bitIdentical(psi, reference));
}

TEST(SplitStepFourierSolver2DCache, KineticTableFollowsTheGrid)
{
    SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
    ComplexField2D a(32, 32, 0.5f, 0.5f);
    ComplexField2D b(16, 64, 0.5f, 0.25f);
    ComplexField2D c(32, 32, 0.5f, std::nextafter(0.5f, 1.0f));
    EXPECT_FALSE(solver.kineticPhaseMatches(a));
    solver.prepareKineticPhase(a);
    EXPECT_TRUE(solver.kineticPhaseMatches(a));
    EXPECT_FALSE(solver.kineticPhaseMatches(b));
    EXPECT_FALSE(solver.kineticPhaseMatches(c)); // dy compared exactly

    // A step on another grid rebuilds the table for it.
    GaussianPacket2D::prepare(b, {0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f});
    PotentialField2D vb(16, 64, 0.5f, 0.25f);
    solver.step(b, vb);
    EXPECT_TRUE(solver.kineticPhaseMatches(b));
    EXPECT_FALSE(solver.kineticPhaseMatches(a));
    EXPECT_EQ(solver.kineticPhase().size(), 16u * 64u);
    EXPECT_NEAR(b.norm(), 1.0, 1e-5);
}

// The kinetic table propagates over the potential's sub-step: a potential
// revision that changes the count rebuilds it once, one that keeps the count
// not at all, and a rebuild that prepares the potential first builds it once.
TEST(SplitStepFourierSolver2DCache, KineticTableIsBuiltOncePerSubStepChange)
{
    ComplexField2D psi(64, 32, 0.0625f, 0.09f);
    GaussianPacket2D::prepare(psi, {0.0f, 0.0f, 0.5f, 1.0f, 0.0f, 0.6f});
    PotentialField2D v(64, 32, 0.0625f, 0.09f);
    const auto paintWalls = [&v](float height) {
        v.fill(0.0f);
        v.addRectangle(-1.5f, 0.0f, 0.5f, 100.0f, height);
        v.addRectangle(1.5f, 0.0f, 0.5f, 100.0f, height);
    };
    SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
    paintWalls(40.0f);
    solver.step(psi, v);
    ASSERT_GT(solver.subSteps(), 1u) << "walls of 40 on this grid are meant to be sharp";
    EXPECT_EQ(solver.kineticBuilds(), 1u) << "the first step builds the table for its sub-step only";
    int changes = 0;
    for (const float height : {40.0f, 0.0f, 0.0f, 40.0f, 41.0f}) {
        const std::uint32_t count = solver.subSteps();
        const std::uint64_t builds = solver.kineticBuilds();
        paintWalls(height);
        solver.step(psi, v);
        changes += solver.subSteps() != count;
        EXPECT_EQ(solver.kineticBuilds() - builds, solver.subSteps() != count ? 1u : 0u) << "walls " << height;
    }
    EXPECT_EQ(changes, 2) << "to flat and back: the revisions between keep the count";

    SplitStepFourierSolver2D rebuilt = configuredSolver(1.0f, 1.0f, 0.02f);
    rebuilt.preparePotentialPhase(v);
    rebuilt.prepareKineticPhase(psi);
    ComplexField2D stepped = psi;
    rebuilt.step(stepped, v);
    EXPECT_EQ(rebuilt.kineticBuilds(), 1u);
    solver.step(psi, v);
    EXPECT_TRUE(bitIdentical(stepped, psi)) << "the table depends on what it is keyed to only";
}

TEST(SplitStepFourierSolver2DFailures, BadGridsThrowBeforeAnythingChanges)
{
    SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);

    ComplexField2D odd(48, 64, 0.5f, 0.5f);
    odd.fill(Complex(0.25f, -0.5f));
    const ComplexField2D oddBefore = odd;
    PotentialField2D oddV(48, 64, 0.5f, 0.5f);
    EXPECT_EQ(messageOf([&] { solver.step(odd, oddV); }),
              "SplitStepFourierSolver2D: grid dimensions must be powers of two");
    EXPECT_TRUE(bitIdentical(odd, oddBefore));
    EXPECT_EQ(solver.stepCount(), 0u);
    EXPECT_EQ(solver.time(), 0.0);

    ComplexField2D psi(32, 32, 0.5f, 0.5f);
    psi.fill(Complex(1.0f, 0.0f));
    const ComplexField2D psiBefore = psi;
    PotentialField2D otherDy(32, 32, 0.5f, 0.25f);
    EXPECT_EQ(messageOf([&] { solver.step(psi, otherDy); }),
              "SplitStepFourierSolver2D: psi and potential grids must match");
    EXPECT_TRUE(bitIdentical(psi, psiBefore));
    EXPECT_EQ(solver.stepCount(), 0u);

    ComplexField2D emptyPsi;
    PotentialField2D emptyV;
    EXPECT_EQ(messageOf([&] { solver.step(emptyPsi, emptyV); }), "SplitStepFourierSolver2D: field must not be empty");
    for (const ComplexField2D& infinite : {ComplexField2D(4, 4, INFINITY, 1.0f), ComplexField2D(4, 4, 1.0f, INFINITY)})
        EXPECT_EQ(messageOf([&] { solver.prepareKineticPhase(infinite); }),
                  "SplitStepFourierSolver2D: spatial steps must be finite and positive");

    // A failed table build keeps the previous table and key.
    PotentialField2D v(32, 32, 0.5f, 0.5f);
    solver.preparePotentialPhase(v);
    EXPECT_EQ(messageOf([&] { solver.preparePotentialPhase(emptyV); }),
              "SplitStepFourierSolver2D: potential must not be empty");
    EXPECT_TRUE(solver.potentialPhaseMatches(v));
    solver.prepareKineticPhase(psi);
    EXPECT_THROW(solver.prepareKineticPhase(odd), std::invalid_argument);
    EXPECT_TRUE(solver.kineticPhaseMatches(psi));
}

TEST(SplitStepFourierSolver2DFailures, ApplyingATableOfAnotherSizeIsRefused)
{
    SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
    ComplexField2D small(8, 8, 1.0f, 1.0f);
    ComplexField2D large(16, 16, 1.0f, 1.0f);
    large.fill(Complex(1.0f, 0.0f));
    const ComplexField2D largeBefore = large;
    EXPECT_THROW(solver.applyKineticPhase(large), std::invalid_argument); // no table yet
    solver.prepareKineticPhase(small);
    solver.preparePotentialPhase(PotentialField2D(8, 8, 1.0f, 1.0f));
    EXPECT_THROW(solver.applyKineticPhase(large), std::invalid_argument);
    EXPECT_THROW(solver.applyPotentialHalfStep(large), std::invalid_argument);
    EXPECT_TRUE(bitIdentical(large, largeBefore));
}

TEST(SplitStepFourierSolver2DStep, PacketOnAUniformFloorKeepsItsNorm)
{
    // One potential value everywhere has one phase factor; rounded part by
    // part its modulus is not one (for V = 2.5, dt = 0.02: |w|^2 = 1 - 4.7e-8)
    // and the norm would follow it, two half steps at a time.
    const std::uint64_t nx = 256, ny = 128;
    const int steps = 300;
    for (const float floor : {2.5f, -9.0f}) {
        SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
        ComplexField2D psi(nx, ny, 0.16f, 0.24f);
        GaussianPacket2D::prepare(psi, {-6.0f, 1.0f, 1.5f, 4.0f, 1.0f, 1.0f});
        PotentialField2D v(nx, ny, 0.16f, 0.24f);
        v.addRectangle(0.0f, 0.0f, 100.0f, 100.0f, floor);
        const double norm0 = psi.norm();
        for (int s = 0; s < steps; ++s)
            solver.step(psi, v);
        EXPECT_EQ(solver.subSteps(), 1u) << "a uniform potential is smooth";
        EXPECT_LT(std::abs(psi.norm() / norm0 - 1.0) / steps, 2e-8) << "V = " << floor;
    }
}

TEST(SplitStepFourierSolver2DStep, BarrierTransmitsAsAConvergedRunAndSendsNothingAhead)
{
    // The catalogue's default: a packet from x = -8 with momentum 2.5 against a
    // barrier of height 4.5 and thickness 0.64, on cells 0.08 wide. At t = 3.92
    // the packet is still far from |x| = 15, so whatever is there came from an
    // aliased step; the transmitted share of a run at dt = 0.00125 (one plain
    // step each, 16 times as many) is 0.30049.
    const std::uint64_t nx = 512, ny = 128;
    const float dx = 40.96f / nx, dy = 40.96f / ny;
    SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
    ComplexField2D psi(nx, ny, dx, dy);
    GaussianPacket2D::prepare(psi, {-8.0f, 0.0f, 1.0f, 2.5f, 0.0f, 1.0f});
    PotentialField2D v(nx, ny, dx, dy);
    v.addBarrier(0.0f, -15.0f, 0.0f, 15.0f, 0.64f, 4.5f);
    for (int s = 0; s < 196; ++s)
        solver.step(psi, v);
    double far = 0.0, transmitted = 0.0, total = 0.0;
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double x = vxo::gridCoordinateX(psi, i);
            const double p = std::norm(psi.at(i, j));
            total += p;
            far += std::abs(x) > 15.0 ? p : 0.0;
            transmitted += x > 0.32 ? p : 0.0;
        }
    EXPECT_LT(far / total, 1e-5) << "ripples run ahead of the packet";
    EXPECT_NEAR(transmitted / total, 0.30049, 0.001);
}

TEST(SplitStepFourierSolver2DStep, StateBoundInADoubleWellKeepsItsNorm)
{
    // Walls and barrier across the whole height: the state is uniform in y, so
    // its spectrum sits on a few cells, the sub-steps' tables near k = 0 and on
    // the floor are within a few units of one, and a few twiddles carry the
    // forward transforms. The propagation is unitary, so only rounding moves
    // the norm: at most 2e-8 per step, as for a free packet (a rounding of
    // one sign in those tables or twiddles loses 4e-8 to 1e-7 per step).
    // Static, and with a bias that changes every step (every table rebuilt).
    const std::uint64_t nx = 256, ny = 64;
    const float dx = 0.0625f, dy = 0.09f;
    const int steps = 500;
    for (const float drive : {0.0f, 0.1f}) {
        SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
        ComplexField2D psi(nx, ny, dx, dy);
        for (std::uint64_t j = 0; j < ny; ++j)
            for (std::uint64_t i = 0; i < nx; ++i) {
                const double x = vxo::cellCentre(i, nx, dx) - 1.6; // in the right well
                psi.at(i, j) = Complex(float(std::exp(-x * x / 0.72)), 0.0f);
            }
        const double norm0 = psi.norm();
        PotentialField2D v(nx, ny, dx, dy);
        for (int s = 0; s < steps; ++s) {
            v.fill(0.0f);
            v.addRectangle(-5.25f, 0.0f, 5.5f, 100.0f, 5.0f);
            v.addRectangle(0.0f, 0.0f, 0.7f, 100.0f, 0.8f);
            v.addRectangle(5.25f, 0.0f, 5.5f, 100.0f, 5.0f);
            v.addLinear(0.0f, 0.0f, 0.0f, drive * float(std::sin(0.5 * 0.02 * (s + 0.5))), 0.0f);
            solver.step(psi, v);
        }
        EXPECT_GT(solver.subSteps(), 1u) << "walls of 5 on this grid are sharp";
        EXPECT_LT(std::abs(psi.norm() / norm0 - 1.0) / steps, 2e-8) << "bias " << drive;
    }
}

// A protocol may repaint a potential it does not change (a pause between
// pulses): the new revision with the very same values keeps the tables and
// the sub-step count, with the state bit for bit that of a rebuild; a
// repaint that changes one cell builds them again. Walls of 40 take
// several sub-steps on these cells, a trap none.
TEST(SplitStepFourierSolver2DCache, ARepaintOfTheSameValuesKeepsThePotentialTables)
{
    const struct Case {
        const char* name;
        std::function<void(PotentialField2D&)> paint;
    } cases[] = {{"walls",
                  [](PotentialField2D& v) {
                      v.fill(0.0f);
                      v.addRectangle(-1.5f, 0.0f, 0.5f, 100.0f, 40.0f);
                      v.addRectangle(1.5f, 0.0f, 0.5f, 100.0f, 40.0f);
                  }},
                 {"trap", [](PotentialField2D& v) {
                      v.fill(0.0f);
                      v.addHarmonic(0.3f, 0.0f, 0.0f, 2.0f, 1.0f);
                  }}};
    for (const Case& c : cases) {
        ComplexField2D psi(64, 32, 0.0625f, 0.09f);
        GaussianPacket2D::prepare(psi, {-1.0f, 0.0f, 0.5f, 1.0f, 0.0f, 0.6f});
        PotentialField2D v(64, 32, 0.0625f, 0.09f);
        c.paint(v);
        SplitStepFourierSolver2D solver = configuredSolver(1.0f, 1.0f, 0.02f);
        solver.step(psi, v);
        const std::uint32_t count = solver.subSteps();
        const std::uint64_t builds = solver.potentialBuilds();

        const std::uint64_t revision = v.revision();
        c.paint(v);
        ASSERT_NE(v.revision(), revision) << c.name;
        ComplexField2D rebuilt = psi;
        SplitStepFourierSolver2D fresh = configuredSolver(1.0f, 1.0f, 0.02f);
        fresh.step(rebuilt, v);
        solver.step(psi, v);
        EXPECT_EQ(solver.potentialBuilds(), builds) << c.name;
        EXPECT_EQ(solver.subSteps(), count) << c.name;
        EXPECT_TRUE(bitIdentical(psi, rebuilt)) << c.name;
        EXPECT_TRUE(solver.potentialPhaseMatches(v)) << c.name;

        v.addRectangle(0.0f, 0.0f, 0.0625f, 0.09f, 1.0f);
        solver.step(psi, v);
        EXPECT_EQ(solver.potentialBuilds(), builds + 1) << c.name << ": one cell changed";
    }
}
