#include "experiments/QuantumZeno2D.h"
#include "experiments/ZenoRecorder.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/PotentialScene.h"
#include "core/SplitStepFourierSolver2D.h"
#include "tests/experiments/CheckMessages.h"
#include "tests/experiments/PresetScenes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdint>
#include <string>
#include <vector>

using namespace vxo;

namespace {

ZenoConfig enabledZeno()
{
    ZenoConfig config;
    config.enabled = true;
    return config;
}

// The guided escape geometry: lane divider, outer walls, back walls and one
// escape barrier of height 4 per lane, just left of the survival boundary.
PotentialScene escapeScene()
{
    using test::rectangleObject;
    return test::sceneOf(
        {rectangleObject(120.0f, 0.0f, 0.0f, 40.96f, 0.64f), rectangleObject(120.0f, 0.0f, 9.76f, 40.96f, 0.48f),
         rectangleObject(120.0f, 0.0f, -9.76f, 40.96f, 0.48f), rectangleObject(120.0f, -9.0f, 4.8f, 0.64f, 8.6f),
         rectangleObject(120.0f, -9.0f, -4.8f, 0.64f, 8.6f), rectangleObject(4.0f, 0.0f, 4.8f, 0.8f, 8.6f),
         rectangleObject(4.0f, 0.0f, -4.8f, 0.8f, 8.6f)});
}

// Runs the escape for t = 6 with measurements every period and returns the
// product of the measured survival fractions.
double measuredSurvivalAfterEscape(double period)
{
    ComplexField2D field(256, 128, 0.16f, 0.2f);
    PotentialField2D potential(256, 128, 0.16f, 0.2f);
    escapeScene().buildPotential(potential);
    const ZenoInitialStateConfig initial;
    EXPECT_TRUE(QuantumZeno2D::prepareInitialState(field, initial, nullptr));
    ZenoConfig config = enabledZeno();
    config.measurementPeriod = period;
    ZenoRecorder recorder(16);
    recorder.configure(config, initial, field);
    EXPECT_TRUE(recorder.isConfigured());

    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{});
    std::uint64_t count = 0;
    double product = 1.0;
    for (int step = 0; step < 300; ++step) {
        QuantumZeno2D::applyDueMeasurements(field, config, count, product, solver.time(), 0.02);
        solver.step(field, potential);
    }
    recorder.record(solver.time(), field, count, product);
    const ZenoSample& sample = recorder.samples().back();
    EXPECT_NEAR(sample.watchedNorm, recorder.watchedNormTarget(), 1e-4);
    // Without a layer the lane keeps its norm: its survival is the product
    // of the tests passed times the share that one now would pass.
    EXPECT_NEAR(sample.measuredSurvival, product * sample.watchedSurvival, 1e-4);
    // The control lane has leaked past the barrier by then.
    EXPECT_LT(sample.controlSurvival, 0.97);
    return product;
}

// A field whose watched lane holds one packet centred at x0.
ComplexField2D watchedPacket(double x0)
{
    ComplexField2D field(64, 32, 0.25f, 0.5f);
    ZenoInitialStateConfig initial;
    initial.centerX = x0;
    initial.momentumX = 0.0;
    EXPECT_TRUE(QuantumZeno2D::prepareInitialState(field, initial, nullptr));
    return field;
}

// Packets in both lanes, the watched one cut off at x <= 1: it lies wholly
// beyond the survival window.
ComplexField2D watchedBeyondBoundary()
{
    ComplexField2D field = watchedPacket(3.0);
    for (std::uint64_t j = 0; j < field.ny(); ++j)
        for (std::uint64_t i = 0; i < field.nx(); ++i)
            if (gridCoordinateY(field, j) < 0.0 && gridCoordinateX(field, i) <= 1.0)
                field.at(i, j) = Complex(0.0f, 0.0f);
    return field;
}

} // namespace

TEST(QuantumZeno2D, FrequentMeasurementSlowsTheEscape)
{
    const double often = measuredSurvivalAfterEscape(0.1);
    const double sometimes = measuredSurvivalAfterEscape(0.2);
    const double rarely = measuredSurvivalAfterEscape(0.4);
    EXPECT_GT(often, sometimes);
    EXPECT_GT(sometimes, rarely);
    EXPECT_LT(rarely, 1.0);
}

TEST(QuantumZeno2D, PreparedLanesCarryTheRelativePhaseAndTheMomentum)
{
    // psi = g(x - x0, y - y_c) e^(i k x) + g(x - x0, y - y_w) e^(i (k x + phi)):
    // on its lane's row the watched amplitude leads the control one by phi,
    // each advances by k dx per column and peaks at x0; the lanes hold half each.
    ZenoInitialStateConfig initial;
    initial.centerX = -1.25;
    initial.controlLaneY = 3.0;
    initial.watchedLaneY = -2.0;
    initial.sigma = 0.7;
    initial.momentumX = 1.5;
    initial.relativePhaseDegrees = 60.0;
    ComplexField2D field(128, 96, 0.125f, 0.15f);
    ASSERT_TRUE(QuantumZeno2D::prepareInitialState(field, initial, nullptr));
    const auto rowNearest = [&](double y) {
        std::uint64_t best = 0;
        for (std::uint64_t j = 1; j < field.ny(); ++j)
            if (std::fabs(gridCoordinateY(field, j) - y) < std::fabs(gridCoordinateY(field, best) - y))
                best = j;
        return best;
    };
    const std::uint64_t control = rowNearest(3.0);
    const std::uint64_t watched = rowNearest(-2.0);
    std::uint64_t peak = 0;
    for (std::uint64_t i = 0; i < field.nx(); ++i) {
        if (std::abs(field.at(i, control)) > std::abs(field.at(peak, control)))
            peak = i;
        const double x = gridCoordinateX(field, i);
        if (std::fabs(x + 1.25) > 1.4)
            continue;
        const std::complex<double> c(field.at(i, control).real(), field.at(i, control).imag());
        const std::complex<double> w(field.at(i, watched).real(), field.at(i, watched).imag());
        const std::complex<double> next(field.at(i + 1, control).real(), field.at(i + 1, control).imag());
        EXPECT_NEAR(std::arg(w * std::conj(c)), kPi / 3.0, 1e-4) << "x = " << x;
        EXPECT_NEAR(std::arg(next * std::conj(c)), 1.5 * 0.125, 1e-4) << "x = " << x;
    }
    EXPECT_NEAR(gridCoordinateX(field, peak), -1.25, 0.0625);
    // Along its row each lane has |psi|^2 of width sigma about x0.
    double w = 0.0, xx = 0.0;
    for (std::uint64_t i = 0; i < field.nx(); ++i) {
        const double p = std::norm(field.at(i, watched));
        const double x = gridCoordinateX(field, i) + 1.25;
        w += p;
        xx += p * x * x;
    }
    EXPECT_NEAR(std::sqrt(xx / w), 0.7, 1e-3);
    ZenoConfig config = enabledZeno();
    config.laneSplitY = 0.5;
    // Up to the lanes' overlap, exp(-d^2 / (8 sigma^2)) = 0.0017 here.
    EXPECT_NEAR(QuantumZeno2D::laneNorm(field, config, true), 0.5, 5e-4);
    EXPECT_NEAR(QuantumZeno2D::laneNorm(field, config, false), 0.5, 5e-4);
    // Each lane's x-profile has a value per column (128 of them, against 96
    // rows) and integrates to 1 over x.
    const ZenoLaneProfiles profiles = QuantumZeno2D::laneProfiles(field, config);
    for (const std::vector<float>* profile : {&profiles.control, &profiles.watched}) {
        ASSERT_EQ(profile->size(), 128u);
        double integral = 0.0;
        for (float p : *profile)
            integral += p * profiles.dx;
        EXPECT_NEAR(integral, 1.0, 1e-5);
    }
    ZenoConfig unusable = config;
    unusable.measurementPeriod = 0.0;
    EXPECT_TRUE(QuantumZeno2D::laneProfiles(field, unusable).watched.empty());
}

TEST(QuantumZeno2D, SurvivalWindow)
{
    ZenoConfig config = enabledZeno();
    EXPECT_EQ(QuantumZeno2D::survivalWeight(0.4, config), 1.0);
    EXPECT_EQ(QuantumZeno2D::survivalWeight(0.72, config), 0.0);
    EXPECT_NEAR(QuantumZeno2D::survivalWeight(0.56, config), 0.5, 1e-12);
    config.edgeWidth = 0.0;
    EXPECT_EQ(QuantumZeno2D::survivalWeight(0.4, config), 1.0);
    EXPECT_EQ(QuantumZeno2D::survivalWeight(0.4000001, config), 0.0);
    config.measurementPeriod = -1.0;
    EXPECT_EQ(QuantumZeno2D::survivalWeight(-10.0, config), 0.0);
}

// One read of a lane gives laneNorm's norm and laneSurvival's survival to the
// bit, and the survival is sum |psi|^2 w^2 / sum |psi|^2 over the lane's cells.
TEST(QuantumZeno2D, OneReadOfALaneGivesItsNormAndSurvival)
{
    const ComplexField2D field = watchedPacket(0.4);
    const ZenoConfig config = enabledZeno();
    for (const bool watched : {true, false}) {
        const ZenoLaneReading reading = QuantumZeno2D::laneReading(field, config, watched);
        EXPECT_EQ(reading.norm, QuantumZeno2D::laneNorm(field, config, watched));
        EXPECT_EQ(reading.survival, QuantumZeno2D::laneSurvival(field, config, watched));
        double norm = 0.0, kept = 0.0;
        for (std::uint64_t j = 0; j < field.ny(); ++j) {
            const double y = gridCoordinateY(field, j);
            if (watched ? !(y < config.laneSplitY) : !(y > config.laneSplitY))
                continue;
            for (std::uint64_t i = 0; i < field.nx(); ++i) {
                const double p = std::norm(std::complex<double>(field.at(i, j))) * field.dx() * field.dy();
                const double w = QuantumZeno2D::survivalWeight(gridCoordinateX(field, i), config);
                norm += p;
                kept += p * w * w;
            }
        }
        EXPECT_NEAR(reading.norm, norm, 1e-12) << watched;
        EXPECT_NEAR(reading.survival, kept / norm, 1e-12) << watched;
        EXPECT_GT(reading.survival, 0.0) << watched;
        EXPECT_LT(reading.survival, 1.0) << "a lane the window cuts: " << watched;
    }
    // An empty lane keeps nothing.
    const ZenoLaneReading empty = QuantumZeno2D::laneReading(ComplexField2D(16, 12, 0.25f, 0.5f), config, true);
    EXPECT_EQ(empty.norm, 0.0);
    EXPECT_EQ(empty.survival, 0.0);
}

TEST(QuantumZeno2D, MeasurementProjectsAndRescalesOnlyTheWatchedLane)
{
    ComplexField2D field = watchedPacket(0.4); // half of the watched packet lies past the boundary
    ZenoConfig config = enabledZeno();
    config.laneSplitY = 0.25; // exactly on row 16: in neither lane
    const double target = QuantumZeno2D::laneNorm(field, config, true);
    const double control = QuantumZeno2D::laneNorm(field, config, false);
    const Complex onLine = field.at(40, 16);
    ASSERT_GT(target, 0.0);

    ZenoMeasurementResult result;
    std::string error = "stale";
    ASSERT_TRUE(QuantumZeno2D::applyMeasurement(field, config, target, &result, &error));
    EXPECT_TRUE(error.empty());
    EXPECT_TRUE(result.applied);
    EXPECT_NEAR(result.watchedNormBefore, target, 1e-12);
    EXPECT_GT(result.survivalFraction, 0.4);
    EXPECT_LT(result.survivalFraction, 0.7);
    EXPECT_NEAR(result.watchedNormAfterRescale, target, 1e-5);
    EXPECT_DOUBLE_EQ(QuantumZeno2D::laneNorm(field, config, false), control);
    EXPECT_EQ(field.at(40, 16), onLine);
    EXPECT_EQ(field.at(63, 5), Complex(0.0f, 0.0f));
    EXPECT_NEAR(QuantumZeno2D::laneSurvival(field, config, true), 1.0, 0.05);
}

TEST(QuantumZeno2D, ProjectionThatRemovesTheLaneEndsTheMeasurements)
{
    // The watched packet lies wholly beyond the boundary: the answer "still
    // left" has probability 0.
    ComplexField2D field = watchedBeyondBoundary();
    ZenoConfig config = enabledZeno();
    const double target = QuantumZeno2D::laneNorm(field, config, true);
    ZenoMeasurementResult result;
    std::string error;
    ComplexField2D copy = field;
    EXPECT_FALSE(QuantumZeno2D::applyMeasurement(copy, config, target, &result, &error));
    EXPECT_EQ(error, "Quantum Zeno survival projection removed the complete watched state.");
    EXPECT_EQ(result.survivalFraction, 0.0);
    EXPECT_EQ(QuantumZeno2D::laneNorm(copy, config, true), 0.0);

    // The driver takes it as survival 0: the product drops to 0 and no
    // further measurement is made.
    config.firstMeasurementTime = 0.0;
    std::uint64_t count = 0;
    double product = 0.8;
    EXPECT_EQ(QuantumZeno2D::applyDueMeasurements(field, config, count, product, 1.0, 0.02), 1u);
    EXPECT_EQ(product, 0.0);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(QuantumZeno2D::applyDueMeasurements(field, config, count, product, 5.0, 0.02), 0u);
    EXPECT_EQ(count, 1u);
}

// What an absorbing layer takes from both lanes (here 36 percent of what each
// holds before every round of tests, from packets left of the boundary where
// the tests themselves remove next to nothing) is lost to both alike:
// the measurements neither hand it back to the watched lane nor leave it out
// of its survival, so the twin lanes keep one survival and their ratio is 1.
TEST(QuantumZeno2D, WhatTheLayerTakesIsLostToBothLanesAlike)
{
    ComplexField2D field = watchedPacket(-2.0);
    ZenoConfig config = enabledZeno();
    config.firstMeasurementTime = 0.0;
    config.measurementPeriod = 0.05;
    ZenoRecorder recorder(16);
    recorder.configure(config, ZenoInitialStateConfig{}, field);
    ASSERT_TRUE(recorder.isConfigured());
    std::uint64_t count = 0;
    double product = 1.0;
    for (double t : {0.0, 0.1, 0.2}) {
        for (std::uint64_t k = 0; k < field.size(); ++k)
            field.data()[k] *= 0.8f; // the layer's share of this stretch: 1 - 0.8^2
        QuantumZeno2D::applyDueMeasurements(field, config, count, product, t, 0.02);
    }
    ASSERT_EQ(count, 5u);
    const double kept = 0.8 * 0.8 * 0.8 * 0.8 * 0.8 * 0.8;
    EXPECT_NEAR(QuantumZeno2D::laneNorm(field, config, true), kept * recorder.watchedNormTarget(), 1e-5);
    recorder.record(0.2, field, count, product);
    const ZenoSample& sample = recorder.samples().back();
    EXPECT_NEAR(sample.controlSurvival, kept, 5e-3);
    // Alike up to the tail in the soft edge of the window, which only the
    // watched lane's tests have cut.
    EXPECT_NEAR(sample.measuredSurvival, sample.controlSurvival, 1e-4);
}

TEST(QuantumZeno2D, MeasurementFaultsAndTheMinimumPeriod)
{
    ComplexField2D field = watchedPacket(-2.0);
    ZenoConfig invalid = enabledZeno();
    invalid.edgeWidth = -1.0;
    std::string error;
    EXPECT_FALSE(QuantumZeno2D::applyMeasurement(field, invalid, 0.5, nullptr, &error));
    EXPECT_EQ(error, "Quantum Zeno measurement parameters are invalid.");
    // A bad target as well: the target's message wins.
    EXPECT_FALSE(QuantumZeno2D::applyMeasurement(field, invalid, 0.0, nullptr, &error));
    EXPECT_EQ(error, "Quantum Zeno target watched-lane norm must be positive.");

    // Every rule of the measurement and of the initial state from both sides.
    using test::justBelow;
    using test::setter;
    using C = ZenoConfig;
    using I = ZenoInitialStateConfig;
    const std::string parameters = "Quantum Zeno measurement parameters are invalid.";
    test::expectValueRules(
        QuantumZeno2D::validateMeasurement, enabledZeno(),
        {{"firstMeasurementTime", setter(&C::firstMeasurementTime), {0.0}, {justBelow(0.0), NAN, INFINITY}, parameters},
         {"measurementPeriod", setter(&C::measurementPeriod), {}, {0.0, NAN, INFINITY}, parameters},
         {"measurementPeriod",
          setter(&C::measurementPeriod),
          {0.001},
          {justBelow(0.001), 1e-300},
          "Quantum Zeno measurement period must be at least 0.001."},
         {"edgeWidth", setter(&C::edgeWidth), {0.0}, {justBelow(0.0), NAN, INFINITY}, parameters}},
        test::finiteOnly<C>({{"laneSplitY", &C::laneSplitY}, {"survivalBoundaryX", &C::survivalBoundaryX}},
                            parameters));
    const std::string values = "Quantum Zeno initial-state parameters must be finite and sigma must be positive.";
    test::expectValueRules(QuantumZeno2D::validateInitialState, I{},
                           {{"sigma", setter(&I::sigma), {1e-9}, {0.0}, values},
                            {"watchedLaneY",
                             setter(&I::watchedLaneY),
                             {justBelow(4.8)},
                             {4.8},
                             "Quantum Zeno control lane must lie above the watched lane."}},
                           test::finiteOnly<I>({{"centerX", &I::centerX},
                                                {"controlLaneY", &I::controlLaneY},
                                                {"watchedLaneY", &I::watchedLaneY},
                                                {"sigma", &I::sigma},
                                                {"momentumX", &I::momentumX},
                                                {"relativePhaseDegrees", &I::relativePhaseDegrees}},
                                               values));
}

TEST(QuantumZeno2D, DueMeasurementsAreCaughtUpWithinABound)
{
    ComplexField2D field = watchedPacket(-2.0);
    ZenoConfig config = enabledZeno();
    config.firstMeasurementTime = 0.0;
    config.measurementPeriod = 0.001;
    const double target = QuantumZeno2D::laneNorm(field, config, true);
    std::uint64_t count = 0;
    double product = 1.0;
    EXPECT_EQ(QuantumZeno2D::applyDueMeasurements(field, config, count, product, 0.0, 0.02), 11u);
    EXPECT_EQ(QuantumZeno2D::applyDueMeasurements(field, config, count, product, 50.0, 0.02), 1000u);
    EXPECT_EQ(count, 1011u);
    EXPECT_GT(product, 0.99); // the packet sits well left of the boundary
    // Each measurement hands the lane back the norm it held before it.
    EXPECT_NEAR(QuantumZeno2D::laneNorm(field, config, true), target, 1e-4);

    // A period a document may hold but the validator refuses is not measured at all.
    config.measurementPeriod = 1e-300;
    count = 0;
    EXPECT_EQ(QuantumZeno2D::applyDueMeasurements(field, config, count, product, 50.0, 0.02), 0u);
}

TEST(ZenoRecorder, ConfigurationAndCapacity)
{
    ZenoRecorder recorder(5);
    EXPECT_EQ(recorder.capacity(), 16u);
    ComplexField2D field = watchedPacket(-2.0);
    recorder.configure(enabledZeno(), ZenoInitialStateConfig{}, field);
    ASSERT_TRUE(recorder.isConfigured());
    EXPECT_NEAR(recorder.watchedNormTarget(), 0.5, 1e-5);
    EXPECT_NEAR(recorder.controlNormReference(), 0.5, 1e-5);
    for (int k = 0; k < 20; ++k)
        recorder.record(k, field, static_cast<std::uint64_t>(k), 1.5);
    ASSERT_EQ(recorder.samples().size(), 16u);
    EXPECT_EQ(recorder.samples().front().time, 4.0);
    const ZenoSample& sample = recorder.samples().back();
    // A product above 1 counts as 1: the twin lanes then read alike.
    EXPECT_NEAR(sample.measuredSurvival, sample.controlSurvival, 1e-9);
    EXPECT_NEAR(sample.controlSurvival, 1.0, 5e-3);
    EXPECT_NEAR(sample.totalNorm, 1.0, 1e-5);
    // A control lane that gained probability still reads as full survival, not more.
    ComplexField2D grown = field;
    for (std::uint64_t j = 16; j < grown.ny(); ++j)
        for (std::uint64_t i = 0; i < grown.nx(); ++i)
            grown.at(i, j) *= 1.2f;
    recorder.record(20.0, grown, 20, 1.0);
    EXPECT_EQ(recorder.samples().back().controlSurvival, 1.0);

    // Only the watched lane holds probability: nothing to compare with.
    ComplexField2D watchedOnly = field;
    for (std::uint64_t j = 16; j < watchedOnly.ny(); ++j)
        for (std::uint64_t i = 0; i < watchedOnly.nx(); ++i)
            watchedOnly.at(i, j) = Complex(0.0f, 0.0f);
    recorder.configure(enabledZeno(), ZenoInitialStateConfig{}, watchedOnly);
    EXPECT_FALSE(recorder.isConfigured());
    EXPECT_TRUE(recorder.isEmpty());
    // Nor does one whose watched lane is empty: there is nothing to watch.
    ComplexField2D controlOnly = field;
    for (std::uint64_t j = 0; j < 16; ++j)
        for (std::uint64_t i = 0; i < controlOnly.nx(); ++i)
            controlOnly.at(i, j) = Complex(0.0f, 0.0f);
    recorder.configure(enabledZeno(), ZenoInitialStateConfig{}, controlOnly);
    EXPECT_FALSE(recorder.isConfigured());
    // Neither an unconfigured recorder nor an empty field makes a sample.
    recorder.record(21.0, field, 21, 1.0);
    EXPECT_TRUE(recorder.isEmpty());
    // A refused measurement and a refused initial state are each enough to refuse.
    ZenoConfig fastMeasurement = enabledZeno();
    fastMeasurement.measurementPeriod = 1e-4;
    ZenoInitialStateConfig swappedLanes;
    std::swap(swappedLanes.controlLaneY, swappedLanes.watchedLaneY);
    recorder.configure(fastMeasurement, ZenoInitialStateConfig{}, field);
    EXPECT_FALSE(recorder.isConfigured());
    recorder.configure(enabledZeno(), swappedLanes, field);
    EXPECT_FALSE(recorder.isConfigured());
    recorder.configure(enabledZeno(), ZenoInitialStateConfig{}, field);
    ASSERT_TRUE(recorder.isConfigured());
    recorder.record(22.0, ComplexField2D(), 22, 1.0);
    EXPECT_TRUE(recorder.isEmpty());
}
