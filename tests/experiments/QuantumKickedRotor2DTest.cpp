#include "experiments/KickedRotorRecorder.h"
#include "experiments/QuantumKickedRotor2D.h"

#include "core/MomentumSpace2D.h"
#include "core/Numeric.h"
#include "tests/experiments/CheckMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>

using namespace vxo;

namespace {

KickedRotorConfig enabledKick(double strength = 6.0)
{
    KickedRotorConfig config;
    config.enabled = true;
    config.phaseStrength = strength;
    return config;
}

// The rotor of the guided preset on 128 columns: L = 20.48, mass 0.1.
ComplexField2D rotorField(std::int32_t mode = 0)
{
    ComplexField2D field(128, 16, 0.16f, 0.5f);
    KickedRotorInitialStateConfig initial;
    initial.initialMomentumMode = mode;
    std::string error;
    EXPECT_TRUE(QuantumKickedRotor2D::prepareInitialState(field, initial, &error)) << error;
    return field;
}

KickedRotorRecorder configuredRecorder(const ComplexField2D& field, const KickedRotorConfig& config,
                                       std::int32_t mode = 0)
{
    KickedRotorRecorder recorder(64);
    KickedRotorInitialStateConfig initial;
    initial.initialMomentumMode = mode;
    recorder.configure(config, initial, QuantumKickedRotor2D::scaledKickPeriod(field, config, 0.1, 1.0));
    EXPECT_TRUE(recorder.isConfigured());
    return recorder;
}

double distributionAtMode(const KickedRotorSample& sample, int mode)
{
    const auto index = static_cast<std::size_t>(mode - std::lround(sample.firstMode));
    return sample.distribution.at(index);
}

} // namespace

TEST(QuantumKickedRotor2D, FirstKickGivesBesselModePopulations)
{
    // exp(-i k cos theta) = sum_n (-i)^n J_n(k) e^(i n theta): after one kick
    // P(n) = J_n(k)^2 and <n^2> = k^2 / 2, for the classical ensemble too.
    ComplexField2D field = rotorField();
    const KickedRotorConfig config = enabledKick(6.0);
    KickedRotorRecorder recorder = configuredRecorder(field, config);
    recorder.record(MomentumSpace2D::compute(field, 1.0), 0, 0.0);
    ASSERT_TRUE(QuantumKickedRotor2D::applyKick(field, config, nullptr));
    recorder.record(MomentumSpace2D::compute(field, 1.0), 1, 0.2);

    ASSERT_EQ(recorder.samples().size(), 2u);
    const KickedRotorSample& before = recorder.samples()[0];
    EXPECT_NEAR(before.meanSquareMode, 0.0, 1e-9);
    EXPECT_NEAR(distributionAtMode(before, 0), 1.0, 1e-6);
    EXPECT_EQ(before.classicalMeanSquareMode, 0.0);

    const KickedRotorSample& after = recorder.samples()[1];
    EXPECT_NEAR(after.firstMode, -64.0, 1e-4);
    EXPECT_EQ(after.modeStep, 1.0);
    EXPECT_NEAR(after.totalProbability, 1.0, 1e-5);
    for (int n = -12; n <= 12; ++n) {
        const double bessel = std::cyl_bessel_j(static_cast<double>(std::abs(n)), 6.0);
        EXPECT_NEAR(distributionAtMode(after, n), bessel * bessel, 2e-6) << "mode " << n;
    }
    EXPECT_NEAR(after.meanMode, 0.0, 1e-5);
    EXPECT_NEAR(after.meanSquareMode, 18.0, 1e-3);
    EXPECT_NEAR(after.modeVariance, 18.0, 1e-3);
    EXPECT_NEAR(after.classicalMeanSquareMode, 18.0, 1e-9);
    double squares = 0.0;
    for (int n = -30; n <= 30; ++n)
        squares += std::pow(std::cyl_bessel_j(static_cast<double>(std::abs(n)), 6.0), 4);
    EXPECT_NEAR(after.participationRatio, 1.0 / squares, 1e-3);
}

TEST(KickedRotorRecorder, ClassicalEnsembleFollowsTheStandardMapOverTwoKicks)
{
    // Standard map p' = p + K sin(theta), theta' = theta + p', K = k tau,
    // p0 = m tau, theta0 uniform. Averaging with
    // exp(i K sin(theta)) = sum_n J_n(K) exp(i n theta) gives after two kicks
    //   <p2^2> = p0^2 + K^2/2 - 2 K p0 J1(K) sin(p0) + K^2 (J0(K) - J2(K)) cos(p0)
    //            + K^2 (1 - J2(2K) cos(2 p0)) / 2,
    // whose correlation terms change sign if the angle turns the wrong way.
    struct Case {
        double strength, tau;
        std::int32_t mode;
    };
    for (const Case& c : {Case{2.5, 0.8, 0}, Case{1.0, 1.3, 3}, Case{4.0, 0.45, -2}}) {
        const double k = c.strength * c.tau;
        const double p0 = c.mode * c.tau;
        const double firstKick = p0 * p0 + k * k / 2.0;
        const double secondKick = firstKick - 2.0 * k * p0 * std::cyl_bessel_j(1.0, k) * std::sin(p0) +
                                  k * k * (std::cyl_bessel_j(0.0, k) - std::cyl_bessel_j(2.0, k)) * std::cos(p0) +
                                  k * k * (1.0 - std::cyl_bessel_j(2.0, 2.0 * k) * std::cos(2.0 * p0)) / 2.0;
        const double tau2 = c.tau * c.tau;
        EXPECT_NEAR(KickedRotorRecorder::classicalMeanSquareMode(c.strength, c.tau, c.mode, 0), c.mode * c.mode, 1e-9)
            << "K = " << k << ", mode " << c.mode;
        EXPECT_NEAR(KickedRotorRecorder::classicalMeanSquareMode(c.strength, c.tau, c.mode, 1), firstKick / tau2,
                    1e-9 * firstKick / tau2)
            << "K = " << k << ", mode " << c.mode;
        EXPECT_NEAR(KickedRotorRecorder::classicalMeanSquareMode(c.strength, c.tau, c.mode, 2), secondKick / tau2,
                    1e-9 * secondKick / tau2)
            << "K = " << k << ", mode " << c.mode;
    }
}

TEST(QuantumKickedRotor2D, ModesThatAliasOnTheGridAreRefused)
{
    // 128 columns hold the distinct modes -64..63; |m| >= 64 would fold onto another mode.
    ComplexField2D field(128, 16, 0.16f, 0.5f);
    KickedRotorInitialStateConfig initial;
    initial.initialMomentumMode = 63;
    EXPECT_TRUE(QuantumKickedRotor2D::prepareInitialState(field, initial, nullptr));
    initial.initialMomentumMode = -63;
    EXPECT_TRUE(QuantumKickedRotor2D::prepareInitialState(field, initial, nullptr));
    // Mode m is the plane wave exp(2 pi i m x / L) along x, L = 20.48.
    initial.initialMomentumMode = 3;
    ASSERT_TRUE(QuantumKickedRotor2D::prepareInitialState(field, initial, nullptr));
    const std::complex<float> step = field.at(41, 8) * std::conj(field.at(40, 8));
    EXPECT_NEAR(std::arg(step), 2.0 * vxo::kPi * 3.0 * 0.16 / 20.48, 1e-5);
    for (std::int32_t mode : {64, -64, 100}) {
        initial.initialMomentumMode = mode;
        std::string error;
        EXPECT_FALSE(QuantumKickedRotor2D::prepareInitialState(field, initial, &error));
        EXPECT_EQ(error, "QuantumKickedRotor2D: initial momentum mode is out of range");
    }
    // Without a grid only the document range applies; every rule from both sides.
    using test::justAbove;
    using test::justBelow;
    using test::setter;
    using I = KickedRotorInitialStateConfig;
    test::expectValueRules(QuantumKickedRotor2D::validateInitialState, I{},
                           {{"initialMomentumMode",
                             [](I& c, double v) { c.initialMomentumMode = std::int32_t(v); },
                             {-10000.0, 10000.0},
                             {-10001.0, 10001.0},
                             "QuantumKickedRotor2D: initial momentum mode is out of range"},
                            {"ySigma",
                             setter(&I::ySigma),
                             {1e-9, 1000.0},
                             {0.0, justAbove(1000.0)},
                             "QuantumKickedRotor2D: Y sigma must be positive"}},
                           test::finiteOnly<I>({{"yCenter", &I::yCenter}, {"ySigma", &I::ySigma}},
                                               "QuantumKickedRotor2D: initial-state values must be finite"));
}

TEST(QuantumKickedRotor2D, KickRules)
{
    using test::justAbove;
    using test::justBelow;
    using test::setter;
    using C = KickedRotorConfig;
    const std::string timing = "QuantumKickedRotor2D: kick timing is invalid";
    const std::string strength = "QuantumKickedRotor2D: phase strength must be positive and bounded";
    // Periods that would let kicks outnumber the steps without bound are refused.
    test::expectValueRules(
        QuantumKickedRotor2D::validateKick, enabledKick(),
        {{"firstKickTime", setter(&C::firstKickTime), {0.0}, {justBelow(0.0)}, timing},
         {"kickPeriod", setter(&C::kickPeriod), {}, {0.0, -1.0}, timing},
         {"kickPeriod",
          setter(&C::kickPeriod),
          {0.001},
          {justBelow(0.001), 1e-300},
          "QuantumKickedRotor2D: kick period must be at least 0.001"},
         {"phaseStrength", setter(&C::phaseStrength), {1e-9, 100.0}, {0.0, justAbove(100.0)}, strength}},
        test::finiteOnly<C>({{"firstKickTime", &C::firstKickTime},
                             {"kickPeriod", &C::kickPeriod},
                             {"phaseStrength", &C::phaseStrength}},
                            "QuantumKickedRotor2D: kick parameters must be finite"));

    ComplexField2D empty;
    std::string error;
    EXPECT_FALSE(QuantumKickedRotor2D::applyKick(empty, enabledKick(), &error));
    EXPECT_EQ(error, "QuantumKickedRotor2D: field must not be empty");
}

TEST(QuantumKickedRotor2D, DueKicksAreCaughtUpWithinABound)
{
    ComplexField2D field = rotorField();
    KickedRotorConfig config = enabledKick(0.1);
    config.firstKickTime = 0.0;
    config.kickPeriod = 0.001;
    std::uint64_t counter = 0;
    std::uint64_t lastReported = 0;
    // Before the step from t = 0 with dt 0.02: kicks at 0, 0.001, ..., 0.010.
    EXPECT_EQ(QuantumKickedRotor2D::applyDueKicks(field, config, counter, 0.0, 0.02,
                                                  [&](std::uint64_t n) { lastReported = n; }),
              11u);
    EXPECT_EQ(counter, 11u);
    EXPECT_EQ(lastReported, 11u);

    // Far behind schedule: at most 1000 kicks before one step.
    EXPECT_EQ(QuantumKickedRotor2D::applyDueKicks(field, config, counter, 100.0, 0.02, nullptr), 1000u);
    EXPECT_EQ(counter, 1011u);

    // A stored period far below the minimum is refused by the kick itself,
    // so the loop ends at once instead of running without end.
    config.kickPeriod = 1e-300;
    counter = 0;
    EXPECT_EQ(QuantumKickedRotor2D::applyDueKicks(field, config, counter, 5.0, 0.02, nullptr), 0u);
    EXPECT_EQ(counter, 0u);
}

TEST(KickedRotorRecorder, OneSamplePerKickCount)
{
    ComplexField2D field = rotorField();
    KickedRotorRecorder recorder = configuredRecorder(field, enabledKick());
    const MomentumSpace2D momentum = MomentumSpace2D::compute(field, 1.0);
    recorder.record(momentum, 3, 1.0);
    recorder.record(momentum, 3, 2.0);
    ASSERT_EQ(recorder.samples().size(), 1u);
    EXPECT_EQ(recorder.samples().front().time, 1.0);

    // A field without probability gives zero moments.
    ComplexField2D zero(128, 16, 0.16f, 0.5f);
    recorder.record(MomentumSpace2D::compute(zero, 1.0), 4, 3.0);
    const KickedRotorSample& last = recorder.samples().back();
    EXPECT_EQ(last.totalProbability, 0.0);
    EXPECT_EQ(last.meanSquareMode, 0.0);
    EXPECT_EQ(last.participationRatio, 0.0);
    EXPECT_EQ(last.modeStep, 1.0);

    // A disabled config or tau 0 leaves the recorder unconfigured.
    KickedRotorConfig disabled = enabledKick();
    disabled.enabled = false;
    recorder.configure(disabled, KickedRotorInitialStateConfig{}, 1.0);
    EXPECT_FALSE(recorder.isConfigured());
    EXPECT_TRUE(recorder.isEmpty());
    recorder.configure(enabledKick(), KickedRotorInitialStateConfig{}, 0.0);
    EXPECT_FALSE(recorder.isConfigured());
}

// The prepared state is a plane wave along the ring times a Gaussian across
// it: its density across is centred on yCenter with the spread ySigma, on
// either side of the axis, whatever mode it carries.
TEST(QuantumKickedRotor2D, PreparedStateSitsAtItsCentreAcrossTheRing)
{
    for (const auto& [yCenter, ySigma, mode] : {std::tuple{1.5, 0.9, 0}, std::tuple{-2.25, 0.6, 5}}) {
        ComplexField2D field(128, 64, 0.16f, 0.25f);
        KickedRotorInitialStateConfig initial;
        initial.yCenter = yCenter;
        initial.ySigma = ySigma;
        initial.initialMomentumMode = mode;
        ASSERT_TRUE(QuantumKickedRotor2D::prepareInitialState(field, initial, nullptr));
        double total = 0.0, first = 0.0, second = 0.0;
        for (std::uint64_t j = 0; j < field.ny(); ++j) {
            const double y = gridCoordinateY(field, j);
            for (std::uint64_t i = 0; i < field.nx(); ++i) {
                const double p = std::norm(field.at(i, j));
                total += p;
                first += p * y;
                second += p * y * y;
            }
        }
        const double mean = first / total;
        EXPECT_NEAR(mean, yCenter, 1e-4) << "yCenter " << yCenter;
        EXPECT_NEAR(std::sqrt(second / total - mean * mean), ySigma, 1e-3) << "ySigma " << ySigma;
        EXPECT_NEAR(total * field.dx() * field.dy(), 1.0, 1e-5);
    }
}
