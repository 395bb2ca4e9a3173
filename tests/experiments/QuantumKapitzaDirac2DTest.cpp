#include "experiments/KapitzaDiracRecorder.h"
#include "experiments/MomentumColumns.h"
#include "experiments/QuantumKapitzaDirac2D.h"

#include "core/AbsorbingBoundary2D.h"
#include "core/MomentumSpace2D.h"
#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "tests/common/PlaneWaveGrating.h"
#include "tests/experiments/CheckMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>
#include <vector>

using namespace vxo;

namespace {

KapitzaDiracConfig enabledPulse()
{
    KapitzaDiracConfig config;
    config.enabled = true;
    return config;
}

std::string pulseMessage(const KapitzaDiracConfig& config, double hbar = 1.0)
{
    return test::refusalMessage(QuantumKapitzaDirac2D::validatePulse, config, hbar);
}

// The guided beam on the guided grid's 40.96 across (256 cells of 0.16 along
// the lattice) but 128 cells of 0.25 along its motion, through one pulse
// held over each step at the share of the step it is on, as the main window
// holds it; the populations after the step in which the pulse ends.
KapitzaDiracSample orderPopulationsAfterPulse(const KapitzaDiracConfig& config)
{
    ComplexField2D field(256, 128, 0.16f, 0.25f);
    PotentialField2D potential(256, 128, 0.16f, 0.25f);
    std::string error;
    EXPECT_TRUE(QuantumKapitzaDirac2D::prepareInitialState(field, KapitzaDiracInitialStateConfig{}, 1.0, &error));
    // The beam's widths of |psi|^2, 5 across (cut at four widths by the grid) and 1.25 along its motion.
    const PositionMoments moments = computePositionMoments(field);
    EXPECT_NEAR(moments.sigmaX, 5.0, 5e-3);
    EXPECT_NEAR(moments.sigmaY, 1.25, 1e-4);
    KapitzaDiracRecorder recorder(8);
    EXPECT_TRUE(recorder.configure(config, 1.0));
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{});
    const PotentialScene emptyScene;
    const double dt = solver.parameters().dt;
    double lit = 0.0;
    while (solver.time() < config.pulseStartTime + config.pulseDuration) {
        lit += QuantumKapitzaDirac2D::applyPulse(emptyScene, config, solver.time() + dt / 2.0, dt, potential).depth /
               config.latticeDepth * dt;
        solver.step(field, potential);
    }
    EXPECT_NEAR(lit, config.pulseDuration, 1e-6) << "the light's time over the steps";
    recorder.record(MomentumSpace2D::compute(field, 1.0), solver.time(), false);
    return recorder.samples().back();
}

} // namespace

TEST(QuantumKapitzaDirac2D, GuidedPulseMatchesTheExactPlaneWaveDynamics)
{
    // V0 = 16 for 0.3: pulse area 2.4, near the first zero of J0. The recoil
    // energy G^2 / 2 = 1.18 is not negligible over the pulse, so the orders
    // depart from the Raman-Nath law by up to ~0.012 (order 0: 0.0056 against
    // J0(2.4)^2 ~ 1e-5); the exact plane-wave dynamics reproduce the solver.
    const KapitzaDiracConfig config = enabledPulse();
    EXPECT_NEAR(QuantumKapitzaDirac2D::pulseArea(config, 1.0), 2.4, 1e-12);
    // Any one unusable input gives no pulse area.
    KapitzaDiracConfig noDepth = config;
    noDepth.latticeDepth = std::nan("");
    KapitzaDiracConfig noDuration = config;
    noDuration.pulseDuration = std::nan("");
    EXPECT_EQ(QuantumKapitzaDirac2D::pulseArea(config, 0.0), 0.0);
    EXPECT_EQ(QuantumKapitzaDirac2D::pulseArea(noDepth, 1.0), 0.0);
    EXPECT_EQ(QuantumKapitzaDirac2D::pulseArea(noDuration, 1.0), 0.0);
    const KapitzaDiracSample sample = orderPopulationsAfterPulse(config);
    const double g = 2.0 * kPi / config.latticePeriod;
    EXPECT_NEAR(sample.gratingMomentum, g, 1e-12);
    ASSERT_EQ(sample.orderPopulations.size(), 9u);
    // A plane wave at rest (the beam's spread of 0.1 moves no order by 1e-4).
    const std::vector<double> exact = test::gratingOrderPopulations(16.0, 0.3, g, 0.0, 20);
    double counted = 0.0;
    for (int n = -4; n <= 4; ++n) {
        const double population = sample.orderPopulations[static_cast<std::size_t>(n + 4)];
        EXPECT_NEAR(population, exact[static_cast<std::size_t>(n + 20)], 5e-4) << "order " << n;
        const double bessel = std::cyl_bessel_j(static_cast<double>(std::abs(n)), 2.4);
        EXPECT_NEAR(population, bessel * bessel, 0.015) << "order " << n;
        counted += population;
    }
    EXPECT_NEAR(sample.orderPopulations[4], exact[20], 5e-4);
    EXPECT_GT(counted, 0.99);
}

TEST(QuantumKapitzaDirac2D, ShortPulseFollowsTheRamanNathLaw)
{
    // The same area 2.4 in 0.04: the kinetic phase stays small and
    // P_n = J_n(V0 tau / 2 hbar)^2.
    KapitzaDiracConfig config = enabledPulse();
    config.latticeDepth = 120.0;
    config.pulseDuration = 0.04;
    const KapitzaDiracSample sample = orderPopulationsAfterPulse(config);
    for (int n = -4; n <= 4; ++n) {
        const double bessel = std::cyl_bessel_j(static_cast<double>(std::abs(n)), 2.4);
        EXPECT_NEAR(sample.orderPopulations[static_cast<std::size_t>(n + 4)], bessel * bessel, 1e-3) << n;
    }
}

// A step holds the light at the share of the step it is on: the pulse
// imprints the phase of the time it lasts, whole steps or not. Ends inside
// steps (0.15, 0.31, and a start at 0.013) give the exact populations of
// the beam, whose momentum spread is 0.1, where the light on for whole
// steps gave those of 0.16 and 0.32.
TEST(QuantumKapitzaDirac2D, APulseLastsWhatItIsSetToWholeStepsOrNot)
{
    const struct {
        double start, duration;
    } pulses[] = {{0.0, 0.15}, {0.0, 0.31}, {0.013, 0.15}};
    for (const auto& p : pulses) {
        SCOPED_TRACE("light from " + std::to_string(p.start) + " for " + std::to_string(p.duration));
        KapitzaDiracConfig config = enabledPulse();
        config.pulseStartTime = p.start;
        config.pulseDuration = p.duration;
        const std::vector<double> populations = orderPopulationsAfterPulse(config).orderPopulations;
        const double g = 2.0 * kPi / config.latticePeriod;
        const std::vector<double> exact = test::packetGratingPopulations(16.0, p.duration, g, 0.1, 12);
        for (int n = -3; n <= 3; ++n)
            EXPECT_NEAR(populations[static_cast<std::size_t>(n + 4)], exact[static_cast<std::size_t>(n + 12)], 5e-4)
                << "order " << n;
    }
}

// The share of the step's span lit by the light, the instant for no span,
// and slivers of the clock's rounding taken as nothing or all.
TEST(QuantumKapitzaDirac2D, AStepIsLitByTheShareOfItsSpanInsideThePulse)
{
    KapitzaDiracConfig config = enabledPulse();
    config.pulseStartTime = 1.0;
    config.pulseDuration = 0.5;
    const struct {
        double t, span, share;
    } rows[] = {{1.25, 0.2, 1.0},  {1.0, 0.2, 0.5},  {0.95, 0.2, 0.25}, {1.55, 0.2, 0.25},     {0.9, 0.2, 0.0},
                {1.6, 0.2, 0.0},   {1.0, 0.0, 1.0},  {1.5, 0.0, 0.0},   {1.6 - 1e-8, 0.2, 0.0}, {1.4 + 1e-8, 0.2, 1.0},
                {1.25, 1.0, 0.5}, {1.25, -0.2, 0.0}};
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(QuantumKapitzaDirac2D::lightShare(config, row.t, row.span), row.share)
            << "t = " << row.t << ", span " << row.span;
    config.maximumOrder = 0;
    EXPECT_EQ(QuantumKapitzaDirac2D::lightShare(config, 1.25, 0.2), 0.0) << "a pulse that breaks its rules";

    // The grating is painted at the lit share of the depth.
    config.maximumOrder = 4;
    PotentialField2D potential(16, 4, 0.512f, 1.0f);
    const KapitzaDiracPulseState state = QuantumKapitzaDirac2D::applyPulse(PotentialScene(), config, 0.95, 0.2, potential);
    EXPECT_TRUE(state.active);
    EXPECT_DOUBLE_EQ(state.depth, 4.0);
    const double phase = kPi * 0.256 / 4.096; // cell 8 at x = 0.256
    EXPECT_NEAR(potential.valueAt(8, 0), 4.0 * std::cos(phase) * std::cos(phase), 1e-5);
}

TEST(QuantumKapitzaDirac2D, PulseWindowAndPotential)
{
    KapitzaDiracConfig config = enabledPulse();
    config.pulseStartTime = 1.0;
    const PotentialScene scene;
    PotentialField2D potential(16, 4, 0.512f, 1.0f);
    KapitzaDiracPulseState state = QuantumKapitzaDirac2D::applyPulse(scene, config, 1.0, potential);
    EXPECT_TRUE(state.valid);
    EXPECT_TRUE(state.active);
    EXPECT_EQ(state.depth, 16.0);
    EXPECT_EQ(state.progress, 0.0);
    const double phase = kPi * 0.256 / 4.096; // cell 8 at x = 0.256
    EXPECT_NEAR(potential.valueAt(8, 0), 16.0 * std::cos(phase) * std::cos(phase), 1e-4);
    state = QuantumKapitzaDirac2D::applyPulse(scene, config, 1.15, potential);
    EXPECT_NEAR(state.progress, 0.5, 1e-12);
    state = QuantumKapitzaDirac2D::applyPulse(scene, config, 1.3, potential);
    EXPECT_FALSE(state.active);
    EXPECT_TRUE(state.finished);
    EXPECT_EQ(state.depth, 0.0);
    EXPECT_EQ(potential.maxValue(), 0.0f);

    EXPECT_FALSE(QuantumKapitzaDirac2D::applyPulse(scene, config, NAN, potential).valid);
    KapitzaDiracConfig disabled = config;
    disabled.enabled = false;
    EXPECT_TRUE(QuantumKapitzaDirac2D::applyPulse(scene, disabled, 1.1, potential).valid);
    EXPECT_EQ(potential.maxValue(), 0.0f);
    disabled.maximumOrder = 0;
    EXPECT_TRUE(QuantumKapitzaDirac2D::applyPulse(scene, disabled, 1.1, potential).valid);
    config.maximumOrder = 0;
    EXPECT_FALSE(QuantumKapitzaDirac2D::applyPulse(scene, config, 1.1, potential).valid);
}

TEST(QuantumKapitzaDirac2D, AcceptedSettingsBeyondSinglePrecisionDoNotThrow)
{
    const PotentialScene scene;
    PotentialField2D potential(16, 4, 0.512f, 1.0f);
    PotentialField2D reference(16, 4, 0.512f, 1.0f);

    // A finite phase beyond the float range paints the same grating as its
    // remainder modulo 360 degrees.
    KapitzaDiracConfig config = enabledPulse();
    config.latticePhaseDegrees = 1e39;
    ASSERT_TRUE(QuantumKapitzaDirac2D::validatePulse(config, 1.0, nullptr));
    KapitzaDiracPulseState state;
    ASSERT_NO_THROW(state = QuantumKapitzaDirac2D::applyPulse(scene, config, 0.1, potential));
    EXPECT_TRUE(state.valid);
    EXPECT_TRUE(state.active);
    KapitzaDiracConfig reduced = config;
    reduced.latticePhaseDegrees = std::fmod(config.latticePhaseDegrees, 360.0);
    QuantumKapitzaDirac2D::applyPulse(scene, reduced, 0.1, reference);
    for (std::uint64_t i = 0; i < 16; ++i)
        EXPECT_EQ(potential.valueAt(i, 0), reference.valueAt(i, 0)) << i;

    // A period that single precision cannot hold cannot be painted.
    for (const double period : {1e-50, 1e300}) {
        config = enabledPulse();
        config.latticePeriod = period;
        ASSERT_TRUE(QuantumKapitzaDirac2D::validatePulse(config, 1.0, nullptr));
        ASSERT_NO_THROW(state = QuantumKapitzaDirac2D::applyPulse(scene, config, 0.1, potential));
        EXPECT_FALSE(state.valid) << period;
        EXPECT_EQ(potential.maxValue(), 0.0f) << period;
    }
}

TEST(QuantumKapitzaDirac2D, InitialBeamOnUnequalCellsHasItsCentreWidthsAndMomentum)
{
    // Centre (2.5, -3), widths 3 and 2, momentum (0.6, -0.9).
    const KapitzaDiracInitialStateConfig beam{2.5, -3.0, 3.0, 2.0, 0.6, -0.9};
    const double hbar = 0.5;
    const float dx = 0.3f;
    const float dy = 0.5f;
    ComplexField2D field(128, 64, dx, dy); // 38.4 x 32
    ASSERT_TRUE(QuantumKapitzaDirac2D::prepareInitialState(field, beam, hbar, nullptr));
    // |psi|^2 is a Gaussian with the configured centre and standard deviations.
    const PositionMoments moments = computePositionMoments(field);
    EXPECT_NEAR(moments.norm, 1.0, 1e-5);
    EXPECT_NEAR(moments.meanX, beam.centerX, 1e-4);
    EXPECT_NEAR(moments.meanY, beam.centerY, 1e-4);
    EXPECT_NEAR(moments.sigmaX, beam.sigmaX, 1e-4);
    EXPECT_NEAR(moments.sigmaY, beam.sigmaY, 1e-4);
    // The phase advances by p d / hbar from one cell to the next along each axis.
    const std::uint64_t i = field.nx() / 2;
    const std::uint64_t j = field.ny() / 2;
    const std::complex<double> here(field.at(i, j));
    EXPECT_NEAR(std::arg(std::complex<double>(field.at(i + 1, j)) / here), beam.momentumX * dx / hbar, 1e-5);
    EXPECT_NEAR(std::arg(std::complex<double>(field.at(i, j + 1)) / here), beam.momentumY * dy / hbar, 1e-5);
}

TEST(QuantumKapitzaDirac2D, PulseRules)
{
    using test::justAbove;
    using test::justBelow;
    using test::setter;
    using C = KapitzaDiracConfig;
    using I = KapitzaDiracInitialStateConfig;
    const std::string timing = "Kapitza-Dirac pulse timing/period is invalid.";
    const std::string order = "Kapitza-Dirac maximum diffraction order must be between 1 and 12.";
    const auto validate = [](const C& c, std::string* error) {
        return QuantumKapitzaDirac2D::validatePulse(c, 0.7, error);
    };
    KapitzaDiracConfig config = enabledPulse();
    config.pulseStartTime = 0.0; // the analysis must end after 0 + 0.3
    test::expectValueRules(
        validate, config,
        {{"latticePeriod", setter(&C::latticePeriod), {1e-9}, {0.0}, timing},
         {"pulseDuration", setter(&C::pulseDuration), {1e-9}, {0.0}, timing},
         {"pulseStartTime", setter(&C::pulseStartTime), {0.0}, {justBelow(0.0)}, timing},
         {"analysisEndTime", setter(&C::analysisEndTime), {justAbove(0.3)}, {0.3}, timing},
         test::closedRange<C>("latticeDepth", setter(&C::latticeDepth), -10000.0, 10000.0,
                              "Kapitza-Dirac lattice depth is unreasonably large."),
         {"maximumOrder", [](C& c, double v) { c.maximumOrder = std::int32_t(v); }, {1.0, 12.0}, {0.0, 13.0}, order}},
        test::finiteOnly<C>({{"latticePeriod", &C::latticePeriod},
                             {"latticeDepth", &C::latticeDepth},
                             {"latticePhaseDegrees", &C::latticePhaseDegrees},
                             {"pulseStartTime", &C::pulseStartTime},
                             {"pulseDuration", &C::pulseDuration},
                             {"analysisEndTime", &C::analysisEndTime}},
                            "Kapitza-Dirac pulse parameters must be finite."));
    EXPECT_EQ(pulseMessage(enabledPulse(), 0.0), "Kapitza-Dirac hbar must be finite and positive.");

    const std::string widths = "Kapitza-Dirac initial-state widths must be positive.";
    test::expectValueRules(
        QuantumKapitzaDirac2D::validateInitialState, I{},
        {{"sigmaX", setter(&I::sigmaX), {1e-9}, {0.0}, widths}, {"sigmaY", setter(&I::sigmaY), {1e-9}, {0.0}, widths}},
        test::finiteOnly<I>({{"centerX", &I::centerX},
                             {"centerY", &I::centerY},
                             {"sigmaX", &I::sigmaX},
                             {"sigmaY", &I::sigmaY},
                             {"momentumX", &I::momentumX},
                             {"momentumY", &I::momentumY}},
                            "Kapitza-Dirac initial-state parameters must be finite."));

    // A preparer keeps an earlier message.
    KapitzaDiracInitialStateConfig initial;
    initial.sigmaY = 0.0;
    ComplexField2D field(8, 8, 1.0f, 1.0f);
    std::string error = "earlier";
    EXPECT_FALSE(QuantumKapitzaDirac2D::prepareInitialState(field, initial, 1.0, &error));
    EXPECT_EQ(error, "earlier");
}

TEST(KapitzaDiracRecorder, HalfOpenOrderBinsAndEveryCallRecorded)
{
    // hbar 1 and a = pi: G = 2. Columns at px = -4..3 in steps of 1, so that
    // px = +/-1 and +/-3 lie on bin edges: px = 1 belongs to order 1, px = -1 to order 0.
    KapitzaDiracConfig config = enabledPulse();
    config.latticePeriod = kPi;
    config.maximumOrder = 1;
    KapitzaDiracRecorder recorder(2);
    ASSERT_TRUE(recorder.configure(config, 1.0));

    MomentumSpace2D momentum;
    momentum.field.reset(8, 1, 1.0f, 1.0f);
    momentum.pxAxis = {-4.0, -3.0, -2.0, -1.0, 0.0, 1.0, 2.0, 3.0};
    momentum.pyAxis = {0.0};
    momentum.hbar = 1.0;
    for (std::uint64_t i = 0; i < 8; ++i)
        momentum.field.at(i, 0) = Complex(1.0f, 0.0f);
    recorder.record(momentum, 0.5, true);
    recorder.record(momentum, 0.5, true);
    ASSERT_EQ(recorder.samples().size(), 2u);
    const KapitzaDiracSample& sample = recorder.samples().back();
    EXPECT_TRUE(sample.pulseActive);
    EXPECT_DOUBLE_EQ(sample.gratingMomentum, 2.0);
    EXPECT_EQ(sample.pxOrigin, -4.0);
    ASSERT_EQ(sample.orderPopulations.size(), 3u);
    EXPECT_DOUBLE_EQ(sample.orderPopulations[0], 2.0 / 8.0); // px -3, -2
    EXPECT_DOUBLE_EQ(sample.orderPopulations[1], 2.0 / 8.0); // px -1, 0
    EXPECT_DOUBLE_EQ(sample.orderPopulations[2], 2.0 / 8.0); // px 1, 2

    config.maximumOrder = 12;
    ASSERT_TRUE(recorder.configure(config, 1.0));
    recorder.record(momentum, 1.0, false);
    EXPECT_EQ(recorder.samples().back().orderPopulations.size(), 25u);

    KapitzaDiracConfig disabled = enabledPulse();
    disabled.enabled = false;
    EXPECT_FALSE(recorder.configure(disabled, 1.0));
    recorder.record(momentum, 2.0, false);
    EXPECT_TRUE(recorder.isEmpty());
}

TEST(KapitzaDiracRecorder, OrdersCountWhatTheAbsorbingLayerTook)
{
    // The guided beam and pulse, then free flight to t = 4 with the guided
    // absorbing layer, sampled every 10 steps as the main window samples it.
    // By then the orders +/-3 have run into the layer, +/-1 have not; the
    // momentum populations of a free packet are constants of motion, so the
    // orders read at t = 4 are those at the end of the pulse, which are the
    // exact plane-wave dynamics of the light.
    const KapitzaDiracConfig config = enabledPulse();
    ComplexField2D field(256, 128, 0.16f, 0.25f);
    PotentialField2D potential(256, 128, 0.16f, 0.25f);
    ASSERT_TRUE(QuantumKapitzaDirac2D::prepareInitialState(field, KapitzaDiracInitialStateConfig{}, 1.0, nullptr));
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{});
    const double dt = solver.parameters().dt;
    AbsorbingBoundary2D layer;
    AbsorbingBoundaryConfig guidedLayer;
    guidedLayer.widthFraction = 0.12f;
    guidedLayer.strength = 7.0f;
    layer.prepare(field, static_cast<float>(dt), guidedLayer);
    KapitzaDiracRecorder recorder(1000);
    ASSERT_TRUE(recorder.configure(config, 1.0));
    recorder.record(MomentumSpace2D::compute(field, 1.0), 0.0, false);
    // The same samples said to be taken under a potential: nothing counted;
    // and the samples alone, without the steps under the light: the two
    // spans the light has moved columns in are not counted.
    KapitzaDiracRecorder underPotential(1000), samplesAlone(1000);
    for (KapitzaDiracRecorder* other : {&underPotential, &samplesAlone}) {
        ASSERT_TRUE(other->configure(config, 1.0));
        other->record(MomentumSpace2D::compute(field, 1.0), 0.0, false, other == &samplesAlone);
    }

    const PotentialScene emptyScene;
    std::vector<double> afterPulse;
    double absorbedAfterPulse = 0.0;
    double normAfterPulse = 0.0;
    const auto columns = [&field] { return momentumColumnProbabilities(MomentumSpace2D::compute(field, 1.0)); };
    for (int step = 1; step <= 200; ++step) {
        const bool light =
            QuantumKapitzaDirac2D::applyPulse(emptyScene, config, solver.time() + dt / 2.0, dt, potential).active;
        solver.step(field, potential);
        // Under the light the layer's take is counted step by step, as the
        // main window counts it.
        const std::vector<double> before = light ? columns() : std::vector<double>();
        layer.apply(field);
        if (light)
            recorder.countStepUnderLight(before, columns(), solver.time());
        if (step % 10 == 0) {
            const MomentumSpace2D momentum = MomentumSpace2D::compute(field, 1.0);
            recorder.record(momentum, solver.time(), light);
            underPotential.record(momentum, solver.time(), light, false);
            samplesAlone.record(momentum, solver.time(), light);
        }
        if (step == 20) {
            EXPECT_EQ(samplesAlone.absorbedProbability(), 0.0);
        }
        if (step == 20) {
            afterPulse = recorder.samples().back().orderPopulations;
            absorbedAfterPulse = recorder.absorbedProbability();
            normAfterPulse = recorder.samples().back().totalProbability;
        }
    }
    // The beam's tails lie in the layer from the start: what it takes of
    // them under the light is counted too, and in all the counts add up to
    // what the layer took.
    EXPECT_GT(absorbedAfterPulse, 0.0);
    EXPECT_NEAR(absorbedAfterPulse, 1.0 - normAfterPulse, 1e-6);
    const KapitzaDiracSample& last = recorder.samples().back();
    const double taken = normAfterPulse - last.totalProbability;
    ASSERT_GT(taken, 0.02) << "the fast orders must have reached the layer";
    EXPECT_NEAR(recorder.absorbedProbability(), 1.0 - last.totalProbability, 1e-6);

    const std::vector<double> exact =
        test::gratingOrderPopulations(config.latticeDepth, config.pulseDuration, last.gratingMomentum, 0.0, 20);
    ASSERT_EQ(last.orderPopulations.size(), 9u);
    for (int n = 1; n <= 3; ++n) {
        const auto pair = [n](const std::vector<double>& p, int centre) {
            return p[static_cast<std::size_t>(centre - n)] + p[static_cast<std::size_t>(centre + n)];
        };
        const double now = pair(last.orderPopulations, 4);
        EXPECT_NEAR(now, pair(afterPulse, 4), 0.01 * pair(afterPulse, 4)) << "orders +/-" << n;
        EXPECT_NEAR(now, pair(exact, 20), 1e-3) << "orders +/-" << n;
    }
    EXPECT_NEAR(last.orderPopulations[4], afterPulse[4], 2e-4) << "order 0";
    EXPECT_EQ(underPotential.absorbedProbability(), 0.0);
    EXPECT_GT(underPotential.samples().back().orderPopulations[4 + 1], last.orderPopulations[4 + 1])
        << "shares of the grid alone grow the slow orders";
}
