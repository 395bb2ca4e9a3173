#include "experiments/DiracKleinRecorder.h"
#include "experiments/KleinBarrierReference.h"
#include "experiments/QuantumKleinTunneling2D.h"
#include "experiments/QuantumZitterbewegung2D.h"

#include "core/DiracSplitStepSolver2D.h"

#include "tests/experiments/CheckMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace vxo;

TEST(QuantumKleinTunneling2D, KinematicsAndRegimesOfTheDefaults)
{
    KleinTunnelingConfig config;
    EXPECT_NEAR(QuantumKleinTunneling2D::energy(config), 1.50083, 1e-5);
    EXPECT_NEAR(QuantumKleinTunneling2D::energyAboveBarrier(config), -1.69917, 1e-5);
    EXPECT_NEAR(QuantumKleinTunneling2D::barrierMomentumXSquared(config), 2.88467, 1e-5);
    EXPECT_NEAR(QuantumKleinTunneling2D::lowerThreshold(config), 1.45083, 1e-5);
    EXPECT_NEAR(QuantumKleinTunneling2D::kleinThreshold(config), 1.55083, 1e-5);
    EXPECT_EQ(QuantumKleinTunneling2D::incidenceAngleDegrees(config), 0.0);
    KleinTunnelingConfig oblique = config;
    oblique.momentumY = config.momentumX;
    EXPECT_NEAR(QuantumKleinTunneling2D::incidenceAngleDegrees(oblique), 45.0, 1e-12);
    EXPECT_EQ(QuantumKleinTunneling2D::regime(config), kKleinRegimeSupercritical);
    EXPECT_TRUE(QuantumKleinTunneling2D::isKleinZone(config));
    EXPECT_STREQ(QuantumKleinTunneling2D::regimeName(2), "supercritical Klein");
    EXPECT_STREQ(QuantumKleinTunneling2D::regimeName(7), "unknown");

    config.barrierHeight = 1.5; // inside the gap
    EXPECT_EQ(QuantumKleinTunneling2D::regime(config), kKleinRegimeEvanescent);
    config.barrierHeight = 1.0;
    EXPECT_EQ(QuantumKleinTunneling2D::regime(config), kKleinRegimePositiveBranch);
    // Oblique incidence can close the barrier channel: q_x^2 <= 0.
    config.barrierHeight = 0.5;
    config.momentumX = 0.3;
    config.momentumY = 1.47;
    EXPECT_LE(QuantumKleinTunneling2D::barrierMomentumXSquared(config), 0.0);
    EXPECT_EQ(QuantumKleinTunneling2D::regime(config), kKleinRegimeEvanescent);
}

TEST(QuantumKleinTunneling2D, ValidationAndFailures)
{
    // Every rule from both sides; the detector must lie past the barrier's
    // far face, at 0 + 3 / 2 = 1.5 for the defaults.
    using test::justAbove;
    using test::justBelow;
    using test::setter;
    using C = KleinTunnelingConfig;
    const std::string m = "QuantumKleinTunneling2D: invalid configuration";
    const std::string detector = "QuantumKleinTunneling2D: the detector must lie beyond the barrier (detector X > "
                                 "barrier center X + width / 2)";
    test::expectValueRules(QuantumKleinTunneling2D::validateConfiguration, KleinTunnelingConfig{},
                           {{"lightSpeed", setter(&C::lightSpeed), {1e-9}, {0.0}, m},
                            {"restMass", setter(&C::restMass), {0.0}, {justBelow(0.0)}, m},
                            {"sigma", setter(&C::sigma), {1e-9}, {0.0}, m},
                            {"momentumX", setter(&C::momentumX), {1e-9}, {0.0, -1.0}, m},
                            {"barrierWidth", setter(&C::barrierWidth), {1e-9}, {0.0}, m},
                            {"barrierHeight", setter(&C::barrierHeight), {1e-9}, {0.0}, m},
                            {"analysisEndTime", setter(&C::analysisEndTime), {1e-9}, {0.0}, m},
                            {"detectorX", setter(&C::detectorX), {justAbove(1.5)}, {1.5}, detector},
                            {"barrierCenterX", setter(&C::barrierCenterX), {justBelow(4.5)}, {4.5}, detector}},
                           test::finiteOnly<C>({{"lightSpeed", &C::lightSpeed},
                                                {"restMass", &C::restMass},
                                                {"centerX", &C::centerX},
                                                {"centerY", &C::centerY},
                                                {"sigma", &C::sigma},
                                                {"momentumX", &C::momentumX},
                                                {"momentumY", &C::momentumY},
                                                {"barrierCenterX", &C::barrierCenterX},
                                                {"barrierWidth", &C::barrierWidth},
                                                {"barrierHeight", &C::barrierHeight},
                                                {"detectorX", &C::detectorX},
                                                {"analysisEndTime", &C::analysisEndTime}},
                                               m));

    DiracSpinor2D odd;
    odd.resize(24, 8, 0.5f, 0.5f);
    std::string error;
    EXPECT_FALSE(QuantumKleinTunneling2D::prepareInitialState(odd, KleinTunnelingConfig{}, 1.0, &error));
    EXPECT_EQ(error, "QuantumKleinTunneling2D: state preparation failed");
    DiracSpinor2D empty;
    error.clear();
    EXPECT_FALSE(QuantumKleinTunneling2D::prepareInitialState(empty, KleinTunnelingConfig{}, 1.0, &error));
    EXPECT_EQ(error, "QuantumKleinTunneling2D: invalid spinor grid or hbar");
    PotentialField2D none;
    error.clear();
    EXPECT_FALSE(QuantumKleinTunneling2D::buildPotential(none, KleinTunnelingConfig{}, &error));
    EXPECT_EQ(error, "QuantumKleinTunneling2D: empty potential grid");
}

TEST(QuantumKleinTunneling2D, BarrierRegionsAndDetectorColumn)
{
    // Cell centres at (i - 7.5) * 0.5: x_L = -1.25 and x_R = 1.25 fall on centres 5 and 10;
    // the barrier 2.5 wide is painted five cells wide, the low face taking its cell.
    PotentialField2D potential(16, 4, 0.5f, 0.5f);
    potential.fill(9.0f);
    KleinTunnelingConfig config;
    config.barrierWidth = 2.5;
    config.detectorX = 2.5; // exactly between the centres 2.25 (column 12) and 2.75
    ASSERT_TRUE(QuantumKleinTunneling2D::buildPotential(potential, config, nullptr));
    for (std::uint64_t i = 0; i < 16; ++i)
        for (std::uint64_t j = 0; j < 4; ++j)
            EXPECT_EQ(potential.valueAt(i, j), i >= 5 && i <= 9 ? 3.2f : 0.0f) << i;

    DiracSpinor2D spinor;
    spinor.resize(16, 4, 0.5f, 0.25f);
    spinor.upper.fill(Complex(1.0f, 0.0f));
    spinor.lower.fill(Complex(0.0f, 0.5f));
    EXPECT_EQ(QuantumKleinTunneling2D::detectorColumn(spinor, 2.5), 12u);
    const KleinSample s = QuantumKleinTunneling2D::makeSample(spinor, config, 1.0);
    const double cell = 1.25 * 0.5 * 0.25; // |psi|^2 dx dy
    // The barrier zone is the five painted columns.
    EXPECT_NEAR(s.leftProbability, 5 * 4 * cell, 1e-12);
    EXPECT_NEAR(s.barrierProbability, 5 * 4 * cell, 1e-12);
    EXPECT_NEAR(s.rightProbability, 6 * 4 * cell, 1e-12);
    EXPECT_NEAR(s.norm, 16 * 4 * cell, 1e-12);
    EXPECT_NEAR(s.meanX, 0.0, 1e-12);
    EXPECT_EQ(s.detectorFlux, 0.0); // Re(conj(1) * 0.5i) = 0
    spinor.lower.fill(Complex(0.5f, 0.0f));
    // 2 c Re(conj(u) l) summed down the detector column, each row dy high.
    EXPECT_NEAR(QuantumKleinTunneling2D::makeSample(spinor, config, 1.0).detectorFlux, 2.0 * 0.5 * 4 * 0.25, 1e-12);
}

TEST(DiracKleinRecorder, IntegratesTheDetectorFlux)
{
    DiracSpinor2D spinor;
    spinor.resize(16, 4, 0.5f, 0.25f);
    spinor.upper.fill(Complex(1.0f, 0.0f));
    spinor.lower.fill(Complex(0.5f, 0.0f));
    KleinTunnelingConfig config;
    config.barrierWidth = 2.5;
    config.detectorX = 2.5;
    DiracKleinRecorder recorder(1);
    recorder.record(0.0, spinor);
    EXPECT_TRUE(recorder.samples().empty());
    ASSERT_TRUE(recorder.configure(spinor, config));
    EXPECT_NEAR(recorder.minimumNorm(), spinor.norm(), 1e-12);

    recorder.record(0.0, spinor);
    EXPECT_EQ(recorder.integratedDetectorFlux(), 0.0);
    recorder.record(0.0, spinor); // no time elapsed: nothing added
    EXPECT_EQ(recorder.integratedDetectorFlux(), 0.0);
    spinor.upper.fill(Complex(0.5f, 0.0f));
    recorder.record(2.0, spinor);
    // Trapezoid of the fluxes 1 and 0.5 over 2 time units.
    EXPECT_NEAR(recorder.integratedDetectorFlux(), 1.5, 1e-12);
    // The running minimum survives a capacity of one sample.
    EXPECT_EQ(recorder.samples().size(), 1u);
    EXPECT_NEAR(recorder.minimumNorm(), recorder.samples().back().norm, 1e-12);
    spinor.upper.fill(Complex(1.0f, 0.0f));
    recorder.record(3.0, spinor);
    EXPECT_LT(recorder.minimumNorm(), recorder.samples().back().norm);
    EXPECT_NEAR(recorder.maxRightProbability(), recorder.samples().back().rightProbability, 1e-12);

    // An empty spinor and a refused configuration are each turned away on their own.
    KleinTunnelingConfig refused = config;
    refused.barrierWidth = std::numeric_limits<double>::quiet_NaN();
    ASSERT_FALSE(QuantumKleinTunneling2D::validateConfiguration(refused, nullptr));
    EXPECT_FALSE(recorder.configure(spinor, refused));
    EXPECT_FALSE(recorder.isConfigured());
    ASSERT_TRUE(recorder.configure(spinor, config));
    EXPECT_FALSE(recorder.configure(DiracSpinor2D{}, config));
    EXPECT_FALSE(recorder.isConfigured());
}

TEST(DiracKleinRecorder, PacketCrossesTheSupercriticalBarrier)
{
    // The barrier spans every row and p_y = 0, so a few rows suffice.
    KleinTunnelingConfig config;
    config.enabled = true;
    DiracSpinor2D spinor;
    spinor.resize(512, 4, 0.08f, 0.16f);
    ASSERT_TRUE(QuantumKleinTunneling2D::prepareInitialState(spinor, config, 1.0, nullptr));
    EXPECT_NEAR(spinor.norm(), 1.0, 1e-5);
    ZitterbewegungConfig branches;
    branches.lightSpeed = config.lightSpeed;
    branches.restMass = config.restMass;
    EXPECT_NEAR(QuantumZitterbewegung2D::energyBranchWeights(spinor, branches, 1.0).first, 1.0, 1e-5);

    PotentialField2D potential(512, 4, 0.08f, 0.16f);
    ASSERT_TRUE(QuantumKleinTunneling2D::buildPotential(potential, config, nullptr));
    DiracKleinRecorder recorder(800);
    ASSERT_TRUE(recorder.configure(spinor, config));
    recorder.record(0.0, spinor);
    EXPECT_NEAR(recorder.samples().front().meanX, -10.0, 1e-3);

    DiracSplitStepSolver2D solver;
    solver.configure(DiracParameters{1.0f, 0.04f, 1.0f, 0.05f});
    for (int s = 1; s <= 400; ++s) {
        solver.step(spinor, potential);
        if (s % 2 == 0)
            recorder.record(0.04 * s, spinor);
    }
    // Nearly all of the packet passes, as the stationary reference predicts,
    // and the time integral of the flux through the detector line is the
    // probability found beyond it.
    const double T = kleinBarrierReference(config, 0.0, 1.0).transmission;
    EXPECT_NEAR(recorder.maxRightProbability(), T, 0.02);
    double beyondDetector = 0.0;
    for (std::uint64_t j = 0; j < 4; ++j)
        for (std::uint64_t i = 0; i < 512; ++i)
            if (gridCoordinateX(spinor.upper, i) > config.detectorX)
                beyondDetector += (std::norm(spinor.upper.at(i, j)) + std::norm(spinor.lower.at(i, j))) * 0.08 * 0.16;
    EXPECT_GT(beyondDetector, 0.2);
    EXPECT_NEAR(recorder.integratedDetectorFlux(), beyondDetector, 0.02);
}
