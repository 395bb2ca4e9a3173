#include "experiments/MoshinskyRecorder.h"
#include "experiments/QuantumMoshinsky2D.h"

#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "tests/experiments/PresetScenes.h"

#include "tests/experiments/CheckMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace vxo;

namespace {

PotentialObject shutterBarrier(float thickness = 0.32f, float length = 19.0f)
{
    return test::barrierObject(120.0f, 0.0f, 0.0f, thickness, length);
}

PotentialScene shutterScene(const PotentialObject& shutter = shutterBarrier()) { return test::sceneOf({shutter}); }

MoshinskyConfig enabledShutter()
{
    MoshinskyConfig config;
    config.enabled = true;
    config.shutterObjectId = 1;
    config.detectorX = 3.0;
    return config;
}

MoshinskyInitialStateConfig enabledBeam()
{
    MoshinskyInitialStateConfig config;
    config.enabled = true;
    return config;
}

const char* shutterMessage(const PotentialScene& scene, const MoshinskyConfig& config)
{
    const char* message = nullptr;
    EXPECT_FALSE(QuantumMoshinsky2D::validateShutter(scene, config, nullptr, &message));
    return message;
}

// The guided grid at 128 x 64 cells of 0.32.
ComplexField2D beamField()
{
    ComplexField2D field(128, 64, 0.32f, 0.4f);
    std::string error;
    EXPECT_TRUE(QuantumMoshinsky2D::prepareInitialState(field, enabledBeam(), 1.0, &error)) << error;
    return field;
}

} // namespace

TEST(QuantumMoshinsky2D, ShutterMustBeTallNarrowAndUpstream)
{
    MoshinskyShutterGeometry geometry;
    const char* message = nullptr;
    // At least three times as long as thick: 0.5 x 1.5 is, 0.5 x 1.49 is not.
    ASSERT_TRUE(QuantumMoshinsky2D::validateShutter(shutterScene(shutterBarrier(0.5f, 1.5f)), enabledShutter(),
                                                    &geometry, &message));
    EXPECT_EQ(message, nullptr);
    EXPECT_TRUE(geometry.valid);
    EXPECT_EQ(geometry.objectId, 1u);
    EXPECT_DOUBLE_EQ(geometry.extentX, 0.5);
    EXPECT_DOUBLE_EQ(geometry.extentY, 1.5);
    EXPECT_DOUBLE_EQ(geometry.closedHeight, 120.0);

    EXPECT_STREQ(shutterMessage(shutterScene(shutterBarrier(0.5f, 1.49f)), enabledShutter()),
                 "Moshinsky shutter geometry must be tall and narrow.");
    MoshinskyConfig config = enabledShutter();
    config.detectorX = 0.0;
    EXPECT_STREQ(shutterMessage(shutterScene(), config), "Moshinsky detector must lie downstream of the shutter.");
    config = enabledShutter();
    config.shutterObjectId = 0;
    EXPECT_STREQ(shutterMessage(shutterScene(), config), "Moshinsky shutter target is not selected.");
    config.shutterObjectId = 7;
    EXPECT_STREQ(shutterMessage(shutterScene(), config), "Moshinsky shutter object is missing or disabled.");
    // Each timing value alone.
    const auto timing = [](double MoshinskyConfig::*field, double value) {
        MoshinskyConfig broken = enabledShutter();
        broken.*field = value;
        return shutterMessage(shutterScene(), broken);
    };
    for (auto [field, value] : {std::pair{&MoshinskyConfig::openTime, -1.0},
                                {&MoshinskyConfig::detectorX, NAN},
                                {&MoshinskyConfig::analysisEndTime, NAN},
                                {&MoshinskyConfig::analysisEndTime, 0.0}})
        EXPECT_STREQ(timing(field, value), "Moshinsky timing/detector configuration is invalid.") << value;
    // Downstream is along x of the shutter's own centre, here off both axes.
    config = enabledShutter();
    config.detectorX = 1.0;
    EXPECT_STREQ(shutterMessage(shutterScene(test::barrierObject(120.0f, 2.0f, -3.0f, 0.32f, 19.0f)), config),
                 "Moshinsky detector must lie downstream of the shutter.");
    config.detectorX = 2.5;
    EXPECT_TRUE(QuantumMoshinsky2D::validateShutter(
        shutterScene(test::barrierObject(120.0f, 2.0f, -3.0f, 0.32f, 19.0f)), config, nullptr, nullptr));
    PotentialObject circle = shutterBarrier();
    circle.kind = PotentialObjectKind::Circle;
    EXPECT_STREQ(shutterMessage(shutterScene(circle), enabledShutter()),
                 "Moshinsky shutter must be a vertical Barrier or Rectangle.");
    PotentialObject low = shutterBarrier();
    low.value = 0.0f;
    EXPECT_STREQ(shutterMessage(shutterScene(low), enabledShutter()),
                 "Moshinsky shutter must have a positive closed height.");
    config.enabled = false;
    config.shutterObjectId = 0;
    EXPECT_TRUE(QuantumMoshinsky2D::validateShutter(shutterScene(), config, nullptr, nullptr));
}

TEST(QuantumMoshinsky2D, ShutterOpensAfterTheOpeningTimeWithoutTouchingTheScene)
{
    const PotentialScene scene = shutterScene();
    MoshinskyConfig config = enabledShutter();
    config.openTime = 1.0;
    PotentialField2D potential(64, 64, 0.32f, 0.32f);

    const MoshinskyShutterState closed = QuantumMoshinsky2D::applyShutter(scene, config, 1.0, potential);
    EXPECT_TRUE(closed.applied);
    EXPECT_FALSE(closed.open);
    EXPECT_EQ(closed.height, 120.0);
    EXPECT_EQ(potential.maxValue(), 120.0f);

    const MoshinskyShutterState open = QuantumMoshinsky2D::applyShutter(scene, config, 1.0 + 1e-9, potential);
    EXPECT_TRUE(open.open);
    EXPECT_EQ(open.height, 0.0);
    EXPECT_EQ(potential.maxValue(), 0.0f);
    EXPECT_EQ(scene.find(1)->value, 120.0f);

    const std::uint64_t revision = potential.revision();
    EXPECT_FALSE(QuantumMoshinsky2D::applyShutter(scene, config, NAN, potential).applied);
    config.detectorX = -1.0;
    EXPECT_FALSE(QuantumMoshinsky2D::applyShutter(scene, config, 2.0, potential).applied);
    EXPECT_EQ(potential.revision(), revision);
}

TEST(QuantumMoshinsky2D, InitialBeamIsCutAtTheShutter)
{
    const ComplexField2D field = beamField();
    EXPECT_NEAR(field.norm(), 1.0, 1e-5);
    // erfc edge of width 0.18: past the shutter the beam is gone, well behind it whole.
    const auto density = [&](std::uint64_t i) { return std::norm(field.at(i, 32)); };
    EXPECT_LT(density(66), 1e-6f * density(44)); // x = 0.48 against x = -6.56
    EXPECT_NEAR(std::arg(std::complex<double>(field.at(45, 32))) - std::arg(std::complex<double>(field.at(44, 32))),
                std::remainder(3.0 * 0.32, 2.0 * 3.141592653589793), 1e-5);
    // Across, a Gaussian about centerY with |psi|^2 of width transverseSigmaY.
    MoshinskyInitialStateConfig offAxis = enabledBeam();
    offAxis.centerY = 1.2;
    ComplexField2D shifted(128, 64, 0.32f, 0.4f);
    ASSERT_TRUE(QuantumMoshinsky2D::prepareInitialState(shifted, offAxis, 1.0, nullptr));
    double w = 0.0, sy = 0.0, syy = 0.0;
    for (std::uint64_t j = 0; j < shifted.ny(); ++j)
        for (std::uint64_t i = 0; i < shifted.nx(); ++i) {
            const double p = std::norm(shifted.at(i, j));
            const double y = gridCoordinateY(shifted, j) - 1.2;
            w += p;
            sy += p * y;
            syy += p * y * y;
        }
    EXPECT_NEAR(sy / w, 0.0, 0.05);
    EXPECT_NEAR(std::sqrt(syy / w), 3.2, 0.05);

    ComplexField2D target(16, 16, 1.0f, 1.0f);
    std::string error;
    MoshinskyInitialStateConfig behind = enabledBeam();
    behind.envelopeCenterX = 0.0;
    EXPECT_FALSE(QuantumMoshinsky2D::prepareInitialState(target, behind, 1.0, &error));
    EXPECT_EQ(error, "Moshinsky envelope centre must lie behind the shutter.");
    // Each rule on its own, from both sides.
    using test::justBelow;
    using test::setter;
    using C = MoshinskyInitialStateConfig;
    const std::string widths = "Moshinsky envelope widths and edge width must be positive.";
    const std::string behindShutter = "Moshinsky envelope centre must lie behind the shutter.";
    test::expectValueRules(test::withTextError<C>(QuantumMoshinsky2D::validateInitialState), enabledBeam(),
                           {{"envelopeSigmaX", setter(&C::envelopeSigmaX), {1e-9}, {0.0}, widths},
                            {"transverseSigmaY", setter(&C::transverseSigmaY), {1e-9}, {0.0}, widths},
                            {"edgeWidth", setter(&C::edgeWidth), {1e-9}, {0.0}, widths},
                            {"envelopeCenterX", setter(&C::envelopeCenterX), {justBelow(0.0)}, {0.0}, behindShutter},
                            {"shutterX", setter(&C::shutterX), {-7.5}, {-8.0}, behindShutter}},
                           test::finiteOnly<C>({{"shutterX", &C::shutterX},
                                                {"envelopeCenterX", &C::envelopeCenterX},
                                                {"envelopeSigmaX", &C::envelopeSigmaX},
                                                {"centerY", &C::centerY},
                                                {"transverseSigmaY", &C::transverseSigmaY},
                                                {"momentumX", &C::momentumX},
                                                {"edgeWidth", &C::edgeWidth}},
                                               "Moshinsky initial-state parameters must be finite."));
    error.clear();
    EXPECT_FALSE(QuantumMoshinsky2D::prepareInitialState(target, enabledBeam(), INFINITY, &error));
    EXPECT_EQ(error, "Moshinsky hbar must be positive and finite.");
    error.clear();
    EXPECT_FALSE(QuantumMoshinsky2D::prepareInitialState(target, MoshinskyInitialStateConfig{}, 1.0, &error));
    EXPECT_TRUE(error.empty());
}

TEST(MoshinskyRecorder, ReleasedFrontReachesTheDetector)
{
    const PotentialScene scene = shutterScene();
    const MoshinskyConfig config = enabledShutter();
    MoshinskyShutterGeometry geometry;
    ASSERT_TRUE(QuantumMoshinsky2D::validateShutter(scene, config, &geometry, nullptr));
    ComplexField2D field = beamField();
    PotentialField2D potential(128, 64, 0.32f, 0.4f);

    MoshinskyRecorder recorder(601);
    ASSERT_TRUE(recorder.configure(config, geometry, field));
    EXPECT_TRUE(recorder.record(0.0, false, field));
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{});
    for (int step = 0; step < 100; ++step) {
        const MoshinskyShutterState state =
            QuantumMoshinsky2D::applyShutter(scene, config, solver.time() + 0.01, potential);
        solver.step(field, potential);
        EXPECT_TRUE(recorder.record(solver.time(), state.open, field));
    }
    const std::vector<MoshinskySample>& samples = recorder.samples();
    // The spacing 6 / 600 = 0.01 keeps every step.
    ASSERT_EQ(samples.size(), 101u);
    EXPECT_FALSE(samples.front().shutterOpen);
    EXPECT_TRUE(samples[1].shutterOpen);
    EXPECT_LT(samples.front().transmittedProbability, 2e-3); // only the erfc tail
    // After t = 2 the front, moving at 3, has passed the detector at x = 3.
    EXPECT_GT(samples.back().transmittedProbability, 0.2);
    EXPECT_GT(samples.back().detectorDensity, 10.0 * samples[10].detectorDensity);
    EXPECT_GT(samples.back().meanX, samples.front().meanX + 3.0);
    EXPECT_NEAR(recorder.gridX(0), -63.5 * 0.32, 1e-5);
}

TEST(MoshinskyRecorder, ThinningAndDetectorEdges)
{
    const ComplexField2D field = beamField();
    MoshinskyConfig config = enabledShutter();
    MoshinskyShutterGeometry geometry;
    ASSERT_TRUE(QuantumMoshinsky2D::validateShutter(shutterScene(), config, &geometry, nullptr));
    MoshinskyRecorder recorder(4); // spacing 6 / 3 = 2
    ASSERT_TRUE(recorder.configure(config, geometry, field));
    for (const auto& [t, open] : {std::pair{0.0, false}, {1.0, false}, {1.5, true}, {2.0, true}, {3.5, true}})
        ASSERT_TRUE(recorder.record(t, open, field));
    ASSERT_EQ(recorder.samples().size(), 3u);
    EXPECT_EQ(recorder.samples()[1].time, 1.5); // the opening is always kept
    // The x-marginal integrates |psi|^2 over y: summed over the columns of width dx it is the norm.
    double total = 0.0;
    for (float p : recorder.samples().front().profile)
        total += p;
    EXPECT_NEAR(total * 0.32, 1.0, 1e-4);
    EXPECT_EQ(recorder.samples()[2].time, 3.5);

    for (double beyond : {100.0, 0.5 * 0.32}) { // far beyond the last column, and half a cell
        config.detectorX = recorder.gridX(127) + beyond;
        ASSERT_TRUE(recorder.configure(config, geometry, field));
        ASSERT_TRUE(recorder.record(0.0, false, field));
        EXPECT_EQ(recorder.samples().back().detectorDensity, recorder.samples().back().profile.back())
            << "beyond by " << beyond;
    }

    // Between two cell centres the density is interpolated linearly, here where
    // the profile changes most from one column to the next.
    const std::vector<float> profile = recorder.samples().back().profile;
    std::size_t steepest = 0;
    for (std::size_t i = 0; i + 1 < profile.size(); ++i)
        if (std::fabs(profile[i + 1] - profile[i]) > std::fabs(profile[steepest + 1] - profile[steepest]))
            steepest = i;
    config.detectorX = 0.25 * recorder.gridX(steepest) + 0.75 * recorder.gridX(steepest + 1);
    ASSERT_TRUE(recorder.configure(config, geometry, field));
    ASSERT_TRUE(recorder.record(0.0, false, field));
    EXPECT_NEAR(recorder.samples().back().detectorDensity, 0.25 * profile[steepest] + 0.75 * profile[steepest + 1],
                1e-6 * std::fabs(profile[steepest]) + 1e-9);

    ComplexField2D otherGrid(128, 64, 0.32f, 0.16f);
    EXPECT_FALSE(recorder.record(1.0, false, otherGrid));
    // An analysis that ends no later than the opening is refused on its own.
    config.analysisEndTime = config.openTime;
    EXPECT_FALSE(recorder.configure(config, geometry, field));
    config.analysisEndTime = config.openTime + 1e-9;
    EXPECT_TRUE(recorder.configure(config, geometry, field));
    config.enabled = false;
    EXPECT_FALSE(recorder.configure(config, geometry, field));
    EXPECT_EQ(recorder.gridX(3), 0.0);
    // So are a shutter that was not recognised and an empty field, each alone.
    config.enabled = true;
    EXPECT_FALSE(recorder.configure(config, MoshinskyShutterGeometry{}, field));
    EXPECT_FALSE(recorder.configure(config, geometry, ComplexField2D{}));
    EXPECT_TRUE(recorder.configure(config, geometry, field));
}
