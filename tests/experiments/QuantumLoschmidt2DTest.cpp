#include "experiments/LoschmidtRecorder.h"
#include "experiments/QuantumLoschmidt2D.h"

#include "core/GaussianPacket2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "common/TestSupport.h"

#include "tests/experiments/CheckMessages.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vxo;

namespace {

LoschmidtConfig enabledEcho(double errorX = 0.0)
{
    LoschmidtConfig config;
    config.enabled = true;
    config.reversalTime = 2.0;
    config.momentumErrorX = errorX;
    return config;
}

ComplexField2D movingPacket()
{
    GaussianPacket2D packet;
    packet.x0 = -2.0f;
    packet.y0 = 1.0f;
    packet.sigma = 0.8f;
    packet.px = 1.5f;
    packet.py = 0.5f;
    // 16 x 16 on 64 x 128 cells of 0.25 x 0.125.
    ComplexField2D field(64, 128, 0.25f, 0.125f);
    GaussianPacket2D::prepare(field, packet);
    return field;
}

// Forward through a trap with a Gaussian bump, reversal when due (before the
// step that starts at t once reversalTime <= t + dt / 2), back for as long
// again; returns the last sample.
LoschmidtSample runEcho(const LoschmidtConfig& config)
{
    ComplexField2D field = movingPacket();
    PotentialField2D potential(64, 128, 0.25f, 0.125f);
    potential.addHarmonic(0.0f, 0.0f, 0.0f, 0.3f, 0.2f);
    potential.addGaussian(0.5f, 0.5f, 1.0f, 1.5f, 2.0f);
    LoschmidtRecorder recorder(64);
    EXPECT_TRUE(recorder.configure(field, config));
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{});
    const double dt = solver.parameters().dt;
    bool reversed = false;
    recorder.record(solver.time(), field, reversed);
    for (int step = 0; step < 200; ++step) {
        if (!reversed && config.reversalTime <= solver.time() + dt / 2.0) {
            EXPECT_TRUE(QuantumLoschmidt2D::applyReversal(field, config, 1.0));
            reversed = true;
            recorder.record(solver.time(), field, true);
        }
        solver.step(field, potential);
        recorder.record(solver.time(), field, reversed);
    }
    EXPECT_TRUE(reversed);
    EXPECT_NEAR(recorder.samples().back().time, 4.0, 1e-4);
    return recorder.samples().back();
}

} // namespace

TEST(QuantumLoschmidt2D, PerfectReversalReturnsTheTimeReversedStart)
{
    const LoschmidtSample perfect = runEcho(enabledEcho());
    EXPECT_TRUE(perfect.reversed);
    EXPECT_GT(perfect.fidelity, 0.999);
    EXPECT_GT(perfect.densityEcho, 0.999);
    EXPECT_NEAR(perfect.centroidX, -2.0, 0.01);
    EXPECT_NEAR(perfect.centroidY, 1.0, 0.01);
    EXPECT_NEAR(perfect.norm, 1.0, 1e-4);

    // A momentum error spoils the echo.
    const LoschmidtSample perturbed = runEcho(enabledEcho(0.6));
    EXPECT_LT(perturbed.fidelity, 0.8);
    EXPECT_LT(perturbed.densityEcho, perfect.densityEcho);
}

TEST(QuantumLoschmidt2D, ReversalConjugatesAndAddsTheMomentumRamp)
{
    ComplexField2D field(4, 2, 1.0f, 1.0f);
    field.fill(Complex(0.6f, 0.8f));
    LoschmidtConfig config = enabledEcho();
    config.momentumErrorY = kPi / 2.0;
    ASSERT_TRUE(QuantumLoschmidt2D::applyReversal(field, config, 2.0));
    // Rows at y = -/+ 0.5 with dpy = pi / 2 and hbar 2: conj(psi) turned by -/+ pi / 8.
    const double conjugate = std::atan2(-0.8, 0.6);
    EXPECT_NEAR(std::arg(std::complex<double>(field.at(1, 1))), conjugate + kPi / 8.0, 1e-6);
    EXPECT_NEAR(std::arg(std::complex<double>(field.at(1, 0))), conjugate - kPi / 8.0, 1e-6);
    EXPECT_NEAR(field.norm(), 1.0, 1e-6);
    EXPECT_FALSE(QuantumLoschmidt2D::applyReversal(field, config, 0.0));
}

TEST(QuantumLoschmidt2D, ConfigurationRules)
{
    using test::setter;
    using C = LoschmidtConfig;
    const auto validate = test::withTextError<C>(QuantumLoschmidt2D::validateConfiguration);
    const std::string large = "Loschmidt momentum-error values are unreasonably large.";
    const std::string finite = "Loschmidt momentum-error values must be finite.";
    test::expectValueRules(
        validate, enabledEcho(),
        {{"reversalTime",
          setter(&C::reversalTime),
          {1e-9},
          {0.0, NAN, INFINITY},
          "Loschmidt reversal time must be finite and positive."},
         test::closedRange<C>("momentumErrorX", setter(&C::momentumErrorX), -1000.0, 1000.0, large),
         test::closedRange<C>("momentumErrorY", setter(&C::momentumErrorY), -1000.0, 1000.0, large)},
        test::finiteOnly<C>({{"momentumErrorX", &C::momentumErrorX}, {"momentumErrorY", &C::momentumErrorY}}, finite));
    // A disabled echo is not checked.
    LoschmidtConfig config = enabledEcho(1000.0);
    config.reversalTime = 0.0;
    config.momentumErrorY = NAN;
    config.enabled = false;
    const char* message = nullptr;
    EXPECT_TRUE(QuantumLoschmidt2D::validateConfiguration(config, &message));
    EXPECT_EQ(message, nullptr);
}

TEST(LoschmidtRecorder, ThinningKeepsTheFirstReturnSample)
{
    const ComplexField2D field = movingPacket();
    LoschmidtConfig config = enabledEcho();
    config.reversalTime = 4.0;
    LoschmidtRecorder recorder(5); // spacing 2 reversalTime / 4 = 2
    ASSERT_TRUE(recorder.configure(field, config));
    const struct {
        double t;
        bool reversed;
    } calls[] = {{0.0, false}, {1.0, false}, {2.0, false}, {2.5, true}, {3.0, true}, {4.5, true}};
    for (const auto& call : calls)
        ASSERT_TRUE(recorder.record(call.t, field, call.reversed));
    ASSERT_EQ(recorder.samples().size(), 4u);
    EXPECT_EQ(recorder.samples()[1].time, 2.0);
    EXPECT_EQ(recorder.samples()[2].time, 2.5);
    EXPECT_TRUE(recorder.samples()[2].reversed);
    EXPECT_EQ(recorder.samples()[3].time, 4.5);
    // Against itself the state's fidelity is |<psi0*|psi0>|^2, below 1 for a moving packet.
    EXPECT_NEAR(recorder.samples()[0].densityEcho, 1.0, 1e-6);
    EXPECT_LT(recorder.samples()[0].fidelity, 0.1);

    // A state without probability has no centroid, not 0 / 0.
    ComplexField2D empty = field;
    empty.setZero();
    LoschmidtRecorder blank(5);
    ASSERT_TRUE(blank.configure(field, config));
    ASSERT_TRUE(blank.record(0.0, empty, false));
    ASSERT_EQ(blank.samples().size(), 1u);
    EXPECT_EQ(blank.samples().back().centroidX, 0.0);
    EXPECT_EQ(blank.samples().back().centroidY, 0.0);

    ComplexField2D otherGrid(64, 64, 0.25f, 0.5f);
    EXPECT_FALSE(recorder.record(5.0, otherGrid, true));

    LoschmidtConfig disabled = config;
    disabled.enabled = false;
    EXPECT_FALSE(recorder.configure(field, disabled));
    // An empty field and a refused configuration are each turned away on their own.
    LoschmidtConfig refused = config;
    refused.momentumErrorY = 1001.0;
    ASSERT_FALSE(QuantumLoschmidt2D::validateConfiguration(refused, nullptr));
    EXPECT_FALSE(recorder.configure(field, refused));
    EXPECT_FALSE(recorder.configure(ComplexField2D{}, config));
    EXPECT_FALSE(recorder.record(6.0, field, true));
    EXPECT_TRUE(recorder.isEmpty());
    EXPECT_EQ(LoschmidtRecorder(1).capacity(), 2u);
}

// The echo at 2T is the sample nearest it, the earliest of a tie, and stays
// that sample after the capacity has dropped it from the series.
TEST(LoschmidtRecorder, KeepsTheSampleNearestTheEchoTime)
{
    const ComplexField2D field = movingPacket();
    LoschmidtConfig config = enabledEcho();
    config.reversalTime = 1.0; // echo at 2, spacing 2 / 2 = 1
    LoschmidtRecorder recorder(3);
    ASSERT_TRUE(recorder.configure(field, config));
    EXPECT_EQ(recorder.echoSample(), nullptr);
    for (double t : {0.0, 1.0, 1.5, 2.5, 3.5, 4.5, 5.5})
        ASSERT_TRUE(recorder.record(t, field, t > 1.0));
    ASSERT_NE(recorder.echoSample(), nullptr);
    EXPECT_EQ(recorder.echoSample()->time, 1.5) << "1.5 and 2.5 lie equally near 2";
    EXPECT_TRUE(recorder.echoSample()->reversed);
    EXPECT_EQ(recorder.samples().front().time, 3.5) << "the series has moved on";
    recorder.reset();
    EXPECT_EQ(recorder.echoSample(), nullptr);
}
