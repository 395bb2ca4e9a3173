#include "experiments/QuantumDoubleWell2D.h"

#include "core/ColumnAmplitudes2D.h"
#include "core/ComplexField2D.h"
#include "core/Numeric.h"
#include "experiments/DriveProtocols.h"
#include "experiments/QuantumRabi2D.h"
#include "experiments/TwoLevelSystem.h"
#include "common/TestSupport.h"
#include "tests/experiments/CheckMessages.h"
#include "tests/experiments/TwoLevelFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vxo;

namespace {

using fixtures::makeRectangle;

std::string checkMessage(const PotentialScene& scene)
{
    return test::sceneCheckOutcome<DoubleWellConfig>(QuantumDoubleWell2D::extractFromScene, scene);
}

PotentialScene wells(float leftX, float middleValue, float middleWidth, float rightX)
{
    PotentialScene scene;
    scene.add(makeRectangle(5.0f, leftX, 2.0f, 16.0f));
    scene.add(makeRectangle(middleValue, 0.0f, middleWidth, 16.0f));
    scene.add(makeRectangle(5.0f, rightX, 2.0f, 16.0f));
    return scene;
}

PeriodicDrive resonantDrive(double amplitude, double omega)
{
    PeriodicDrive drive = fixtures::biasSlopeDrive<PeriodicDrive>();
    drive.amplitude = amplitude;
    drive.angularFrequency = omega;
    return drive;
}

} // namespace

TEST(QuantumDoubleWell2D, SceneCheckAcceptsOnlyASymmetricTriple)
{
    EXPECT_EQ(checkMessage(fixtures::doubleWellScene(true)), "ok");
    EXPECT_EQ(checkMessage(wells(-6.0f, 1.0f, 1.0f, 6.0f)), "ok");
    // tol = 0.03 max(1, 6.5) = 0.195 < |-6 + 6.5|
    EXPECT_EQ(checkMessage(wells(-6.0f, 1.0f, 1.0f, 6.5f)),
              "The three barriers are not sufficiently symmetric about x=0.");
    // Each symmetry rule holds up to its tolerance included: with the outer walls
    // at -6.25, tol = 0.03 x 6.25 = 0.1875 exactly (all figures exact in binary).
    PotentialScene atTolerance = wells(-6.25f, 1.0f, 1.0f, 6.0625f); // |xl + xr| = tol
    EXPECT_EQ(checkMessage(atTolerance), "ok");
    atTolerance = wells(-6.25f, 1.0f, 1.0f, 6.25f);
    atTolerance.find(2)->centerX = 0.1875f; // |x_middle| = tol
    EXPECT_EQ(checkMessage(atTolerance), "ok");
    atTolerance = wells(-6.25f, 1.0f, 1.0f, 6.25f);
    atTolerance.find(3)->width = 2.1875f; // |w_left - w_right| = tol
    EXPECT_EQ(checkMessage(atTolerance), "ok");
    // Wall heights must agree within 0.03 max(1, V): low walls of 0.5 and 0.55 do not.
    PotentialScene low = wells(-6.0f, 1.0f, 1.0f, 6.0f);
    low.find(1)->value = 0.5f;
    low.find(3)->value = 0.55f;
    EXPECT_EQ(checkMessage(low), "The three barriers are not sufficiently symmetric about x=0.");
    // The outer walls lie strictly on either side of x = 0, each on its own.
    for (auto [leftX, rightX] : {std::pair{0.0f, 0.02f}, std::pair{-0.02f, 0.0f}})
        EXPECT_EQ(checkMessage(wells(leftX, 1.0f, 1.0f, rightX)),
                  "The three barriers are not sufficiently symmetric about x=0.")
            << leftX << ", " << rightX;
    low.find(3)->value = 0.52f;
    EXPECT_EQ(checkMessage(low), "ok");
    const std::string unexpected =
        "Double-well analysis expects three enabled positive Rectangle barriers plus at most one Linear bias object.";
    EXPECT_EQ(checkMessage(wells(-6.0f, 0.0f, 1.0f, 6.0f)), unexpected);
    // Each well must stay open on its own: a barrier face exactly on the inner face of one
    // outer wall (x = -5 or 5) closes that well, even while the other is open.
    const std::string closed = "No two open wells remain between the outer walls and central barrier.";
    EXPECT_EQ(checkMessage(wells(-6.0f, 1.0f, 10.0f, 6.0f)), closed);
    for (float shift : {-0.125f, 0.125f}) {
        PotentialScene touching = wells(-6.0f, 1.0f, 9.75f, 6.0f);
        touching.find(2)->centerX = shift;
        EXPECT_EQ(checkMessage(touching), closed) << "barrier at " << shift;
        touching.find(2)->width = 9.74f;
        EXPECT_EQ(checkMessage(touching), "ok") << "narrower barrier at " << shift;
    }

    PotentialScene withGaussian = wells(-6.0f, 1.0f, 1.0f, 6.0f);
    PotentialObject gaussian;
    gaussian.kind = PotentialObjectKind::Gaussian;
    gaussian.enabled = false;
    withGaussian.add(gaussian);
    EXPECT_EQ(checkMessage(withGaussian), "ok");
    withGaussian.find(4)->enabled = true;
    EXPECT_EQ(checkMessage(withGaussian), unexpected);

    PotentialScene twoLinear = fixtures::doubleWellScene(true);
    twoLinear.add(fixtures::makeLinear(0.1f));
    EXPECT_EQ(checkMessage(twoLinear), "Double-well analysis accepts at most one enabled Linear bias object.");

    PotentialScene two = wells(-6.0f, 1.0f, 1.0f, 6.0f);
    two.find(2)->enabled = false;
    EXPECT_EQ(checkMessage(two), "Double-well analysis expects exactly three enabled Rectangle barriers.");
}

TEST(QuantumDoubleWell2D, RegionsDecideCellsOnTheBarrierFacesAsThePainterDoes)
{
    // Walls at +-4 (width 2): wells (-3, -0.5) and (0.5, 3); barrier [-0.5, 0.5].
    DoubleWellConfig config;
    ASSERT_TRUE(QuantumDoubleWell2D::extractFromScene(wells(-4.0f, 1.0f, 1.0f, 4.0f), config, nullptr));
    EXPECT_DOUBLE_EQ(config.leftWellStart, -3.0);
    EXPECT_DOUBLE_EQ(config.rightWellEnd, 3.0);
    EXPECT_DOUBLE_EQ(config.barrierHeight, 1.0);

    // Cell centres -3.5, -2.5, ..., 3.5; those at -0.5 and 0.5 lie on the barrier
    // faces: the low face takes its cell, the high face leaves it to the right
    // well. Three rows of cells 1 x 0.25: each column holds 0.75.
    ComplexField2D psi(8, 3, 1.0f, 0.25f);
    psi.fill(Complex(1.0f, 0.0f));
    const DoubleWellRegions regions = QuantumDoubleWell2D::regionProbabilities(psi, config);
    EXPECT_DOUBLE_EQ(regions.total, 6.0);
    EXPECT_DOUBLE_EQ(regions.barrier, 0.75);   // -0.5
    EXPECT_DOUBLE_EQ(regions.leftWell, 1.5);   // -2.5, -1.5
    EXPECT_DOUBLE_EQ(regions.rightWell, 2.25); // 0.5, 1.5, 2.5
    EXPECT_DOUBLE_EQ(regions.outsideFraction(), 0.25);
    EXPECT_EQ(DoubleWellRegions().leftWellFraction(), 0.0);
}

TEST(QuantumDoubleWell2D, LowestPairSplitsAtTheDefaultDriveFrequency)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok) << pair.message;
    ASSERT_EQ(pair.states.size(), 2u);
    EXPECT_EQ(pair.states[0].nodes, 0);
    EXPECT_EQ(pair.states[1].nodes, 1);

    const TwoLevelParameters parameters = QuantumDoubleWell2D::twoLevelParameters(pair, 0, 1, 1.0);
    ASSERT_TRUE(parameters.valid);
    EXPECT_NEAR(parameters.splitting, 0.305536, 1e-4);
    EXPECT_NEAR(parameters.tunnellingPeriod, 2.0 * kPi / parameters.splitting, 1e-12);
    EXPECT_NEAR(parameters.halfPeriod, kPi / parameters.splitting, 1e-12);
    // The localised combination sits almost entirely in the left well.
    EXPECT_GT(parameters.localizedLeftProbability, 0.95);
    EXPECT_NEAR(QuantumDoubleWell2D::leftWellProbability(pair, 0, 1, parameters.localizingPhase + kPi),
                1.0 - parameters.localizedLeftProbability, 1e-5);

    // Where neither combination favours the left well the phase stays 0.
    BoundStateResult even;
    even.ok = true;
    even.dx = 0.5;
    even.x = {-0.75, -0.25, 0.25, 0.75};
    even.states.resize(2);
    even.states[0].phi = {1.0f, 0.0f, 0.0f, 1.0f};
    even.states[1].phi = {0.0f, 1.0f, 1.0f, 0.0f};
    double evenLeft = 0.0;
    EXPECT_EQ(QuantumDoubleWell2D::localizingPhase(even, 0, 1, &evenLeft), 0.0);
    EXPECT_DOUBLE_EQ(evenLeft, 0.5);

    EXPECT_FALSE(QuantumDoubleWell2D::twoLevelParameters(pair, 0, 0, 1.0).valid);
    EXPECT_FALSE(QuantumDoubleWell2D::twoLevelParameters(pair, 0, 2, 1.0).valid);
    EXPECT_EQ(QuantumDoubleWell2D::dipoleMatrixElement(pair, 1, 1), 0.0);
}

TEST(QuantumDoubleWell2D, ProjectionRecoversAPreparedSuperposition)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    // The basis's own columns, rows of another height and count.
    ComplexField2D psi(256, 128, 0.0625f, 0.125f);
    const double phase = 0.7;
    ASSERT_TRUE(BoundStates1D::prepareSuperposition(psi, pair, 0, 1, phase));
    const TwoLevelPopulations populations = QuantumDoubleWell2D::twoLevelPopulations(psi, pair, 0, 1);
    ASSERT_TRUE(populations.valid);
    EXPECT_NEAR(populations.population1, 0.5, 1e-5);
    EXPECT_NEAR(populations.population2, 0.5, 1e-5);
    EXPECT_NEAR(populations.captured, 1.0, 1e-5);
    EXPECT_NEAR(populations.blochX, std::cos(phase), 1e-5);
    EXPECT_NEAR(populations.blochY, std::sin(phase), 1e-5);
    EXPECT_NEAR(populations.blochZ, 0.0, 1e-5);

    // The Bloch vector is kept down to a captured weight of 1e-15 and is 0 below it.
    for (auto [captured, defined] : {std::pair{1.5e-15, true}, std::pair{0.5e-15, false}}) {
        ComplexField2D faint = psi;
        const float amplitude = static_cast<float>(std::sqrt(captured));
        for (std::uint64_t k = 0; k < faint.size(); ++k)
            faint.data()[k] *= amplitude;
        const TwoLevelPopulations weak = QuantumDoubleWell2D::twoLevelPopulations(faint, pair, 0, 1);
        EXPECT_NEAR(weak.captured, captured, 1e-4 * captured);
        EXPECT_NEAR(weak.blochX, defined ? std::cos(phase) : 0.0, 1e-4) << "captured " << captured;
        EXPECT_NEAR(weak.blochY, defined ? std::sin(phase) : 0.0, 1e-4) << "captured " << captured;
    }

    ComplexField2D narrow(128, 256, 0.125f, 0.0625f);
    EXPECT_FALSE(QuantumDoubleWell2D::twoLevelPopulations(narrow, pair, 0, 1).valid);
    EXPECT_FALSE(QuantumDoubleWell2D::twoLevelPopulations(ColumnAmplitudes2D::of(narrow), pair, 0, 1).valid);
}

// Amplitudes from the column sums are the overlap summed cell by cell,
// phi(x) / sqrt(ny dy) against a field that varies along y as well.
TEST(QuantumDoubleWell2D, ProjectionFromColumnSumsIsTheCellByCellOverlap)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const ComplexField2D psi = test::randomField(256, 96, 0.0625f, 0.2f, 21);
    const double weight = psi.dx() * psi.dy() / std::sqrt(psi.ny() * static_cast<double>(psi.dy()));
    ComplexD plain[2];
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < psi.nx(); ++i)
            for (int s = 0; s < 2; ++s)
                plain[s] += pair.states[s].phi[i] * weight * ComplexD(psi.at(i, j).real(), psi.at(i, j).imag());
    ComplexD ci, cj;
    ASSERT_TRUE(QuantumDoubleWell2D::projectOnPair(ColumnAmplitudes2D::of(psi), pair, 0, 1, ci, cj));
    const double scale = std::abs(plain[0]) + std::abs(plain[1]);
    EXPECT_NEAR(std::abs(ci - plain[0]), 0.0, 1e-12 * scale) << "amplitude on the lower state";
    EXPECT_NEAR(std::abs(cj - plain[1]), 0.0, 1e-12 * scale) << "amplitude on the upper state";
    const TwoLevelPopulations fromField = QuantumDoubleWell2D::twoLevelPopulations(psi, pair, 0, 1);
    EXPECT_EQ(fromField.c1, ci) << "the field's projection is the column sums'";
    EXPECT_EQ(fromField.c2, cj);
}

TEST(QuantumRabi2D, ResonantDriveTransfersFullyAtThePiPulseTime)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const double e0 = pair.states[0].energy;
    const double e1 = pair.states[1].energy;
    const double omega0 = e1 - e0;

    // A weak drive, so that the rotating-wave picture holds.
    const double amplitude = 0.01;
    const RabiReference reference = QuantumRabi2D::compute(pair, resonantDrive(amplitude, omega0), 0, 1, 1.0);
    ASSERT_TRUE(reference.valid);
    EXPECT_NEAR(reference.detuning, 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(reference.transferAmplitude, 1.0);
    EXPECT_DOUBLE_EQ(reference.generalizedRabiFrequency, reference.rabiFrequency);
    EXPECT_DOUBLE_EQ(reference.piPulseTime, kPi / reference.rabiFrequency);
    EXPECT_DOUBLE_EQ(reference.rabiPeriod, 2.0 * kPi / reference.rabiFrequency);
    EXPECT_DOUBLE_EQ(QuantumRabi2D::predictedPopulation(reference, reference.piPulseTime), 1.0);
    EXPECT_EQ(QuantumRabi2D::predictedPopulation(reference, -1.0), 0.0);
    // No prediction from a reference marked invalid, whatever it holds, nor at a non-finite time.
    RabiReference stale = reference;
    stale.valid = false;
    EXPECT_EQ(QuantumRabi2D::predictedPopulation(stale, reference.piPulseTime), 0.0);
    for (double t : {static_cast<double>(NAN), static_cast<double>(INFINITY)})
        EXPECT_EQ(QuantumRabi2D::predictedPopulation(reference, t), 0.0) << "t = " << t;

    // Integrate the driven pair, H = [[E0, F(t) d], [F(t) d, E1]], F = A sin(omega t).
    ComplexVector2 a = {ComplexD(1.0, 0.0), ComplexD(0.0, 0.0)};
    const int steps = 40000;
    const double dt = reference.piPulseTime / steps;
    const double d = reference.dipoleElement;
    for (int k = 0; k < steps; ++k) {
        const double bias = amplitude * std::sin(omega0 * (k + 0.5) * dt);
        a = propagateTwoLevel(a, e0, e1, d, bias, dt, 1.0);
    }
    EXPECT_GT(std::norm(a[1]), 0.99);
    EXPECT_NEAR(std::norm(a[0]) + std::norm(a[1]), 1.0, 1e-9);
}

TEST(QuantumRabi2D, ReferenceNeedsASlopeDriveWithNonZeroRabiFrequency)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const double omega0 = pair.states[1].energy - pair.states[0].energy;
    EXPECT_FALSE(QuantumRabi2D::compute(pair, resonantDrive(0.0, omega0), 0, 1, 1.0).valid);

    PeriodicDrive shaking = resonantDrive(0.1, omega0);
    shaking.parameter = SceneParameterCenterX;
    EXPECT_FALSE(QuantumRabi2D::compute(pair, shaking, 0, 1, 1.0).valid);
    // Each other precondition alone spoils a resonant drive.
    PeriodicDrive disabled = resonantDrive(0.1, omega0);
    disabled.enabled = false;
    PeriodicDrive noAmplitude = resonantDrive(NAN, omega0);
    PeriodicDrive backwards = resonantDrive(0.1, -omega0);
    PeriodicDrive endless = resonantDrive(0.1, INFINITY);
    for (const PeriodicDrive& drive : {disabled, noAmplitude, backwards, endless})
        EXPECT_FALSE(QuantumRabi2D::compute(pair, drive, 0, 1, 1.0).valid)
            << drive.enabled << " " << drive.amplitude << " " << drive.angularFrequency;
    EXPECT_FALSE(QuantumRabi2D::compute(pair, resonantDrive(0.1, omega0), 0, 1, 0.0).valid);
    EXPECT_FALSE(QuantumRabi2D::compute(pair, resonantDrive(0.1, omega0), 0, 0, 1.0).valid);

    // With hbar = 0.7 resonance lies at (E1 - E0) / hbar and the Rabi
    // frequency d A / hbar grows by 1 / 0.7.
    const RabiReference unit = QuantumRabi2D::compute(pair, resonantDrive(0.1, omega0), 0, 1, 1.0);
    const RabiReference scaled = QuantumRabi2D::compute(pair, resonantDrive(0.1, omega0 / 0.7), 0, 1, 0.7);
    ASSERT_TRUE(scaled.valid);
    EXPECT_NEAR(scaled.detuning, 0.0, 1e-12);
    EXPECT_NEAR(scaled.rabiFrequency, unit.rabiFrequency / 0.7, 1e-12);
    EXPECT_NEAR(scaled.piPulseTime, 0.7 * unit.piPulseTime, 1e-9);

    // Off resonance: P_max = (Omega_R / Omega)^2 < 1.
    const RabiReference detuned = QuantumRabi2D::compute(pair, resonantDrive(0.1, 0.5), 0, 1, 1.0);
    ASSERT_TRUE(detuned.valid);
    const double omegaR = detuned.rabiFrequency;
    EXPECT_NEAR(detuned.transferAmplitude, omegaR * omegaR / (omegaR * omegaR + std::pow(0.5 - omega0, 2)), 1e-12);
    EXPECT_LT(detuned.transferAmplitude, 0.5);
}
