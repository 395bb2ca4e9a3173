#include "experiments/BackflowRecorder.h"
#include "experiments/QuantumBackflow2D.h"

#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "tests/experiments/CheckMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

using namespace vxo;

namespace {

// Largest probability that can flow backwards through a line for a free
// particle with only positive momenta (Bracken and Melloy).
constexpr double kBackflowBound = 0.0384517;

ComplexField2D planeWave(std::uint64_t nx, std::uint64_t ny, float dx, float dy, int waves)
{
    ComplexField2D field(nx, ny, dx, dy);
    for (std::uint64_t j = 0; j < ny; ++j)
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double phase = 2.0 * kPi * waves * static_cast<double>(i) / static_cast<double>(nx);
            field.at(i, j) = Complex(static_cast<float>(std::cos(phase)), static_cast<float>(std::sin(phase)));
        }
    field.normalize();
    return field;
}

} // namespace

TEST(QuantumBackflow2D, ValidationIsOneMessage)
{
    // Every range from both ends; the wave numbers keep k1 < k2 where the other end is tried.
    using test::closedRange;
    using test::justAbove;
    const std::string m = "QuantumBackflow2D: invalid configuration";
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    test::expectValueRules(
        QuantumBackflow2D::validateConfiguration, BackflowConfig{},
        std::vector<test::ValueRule<BackflowConfig>>{
            closedRange<BackflowConfig>(
                "detectorX", [](BackflowConfig& c, double v) { c.detectorX = v; }, -1000.0, 1000.0, m),
            {"slowWaveNumber",
             [](BackflowConfig& c, double v) {
                 c.slowWaveNumber = v;
                 c.fastWaveNumber = 12.0;
             },
             {1e-6, 8.0},
             {0.0, justAbove(8.0), nan},
             m},
            {"fastWaveNumber",
             [](BackflowConfig& c, double v) { c.fastWaveNumber = v; },
             {justAbove(0.35), 12.0},
             {0.35, justAbove(12.0), nan},
             m},
            closedRange<BackflowConfig>(
                "momentumSigma", [](BackflowConfig& c, double v) { c.momentumSigma = v; }, 0.03, 3.0, m),
            {"fastAmplitudeRatio",
             [](BackflowConfig& c, double v) { c.fastAmplitudeRatio = v; },
             {1e-6, 2.0},
             {0.0, justAbove(2.0), nan},
             m},
            {"relativePhaseDegrees",
             [](BackflowConfig& c, double v) { c.relativePhaseDegrees = v; },
             {-720.0, 1e6},
             {inf, nan},
             m},
            closedRange<BackflowConfig>(
                "initialCenterX", [](BackflowConfig& c, double v) { c.initialCenterX = v; }, -1000.0, 1000.0, m),
            closedRange<BackflowConfig>(
                "transverseSigma", [](BackflowConfig& c, double v) { c.transverseSigma = v; }, 0.2, 12.0, m),
            closedRange<BackflowConfig>(
                "analysisEndTime", [](BackflowConfig& c, double v) { c.analysisEndTime = v; }, 0.1, 100.0, m),
        });

    BackflowConfig config;
    ComplexField2D odd(48, 32, 0.25f, 0.25f);
    std::string error;
    EXPECT_FALSE(QuantumBackflow2D::prepareInitialState(odd, config, 1.0, &error));
    EXPECT_EQ(error, "QuantumBackflow2D: invalid field or hbar");
    ComplexField2D field(64, 32, 0.25f, 0.25f);
    error = "earlier";
    EXPECT_FALSE(QuantumBackflow2D::prepareInitialState(field, config, 0.0, &error));
    EXPECT_EQ(error, "earlier");
}

TEST(QuantumBackflow2D, PreparedStateHasOnlyPositiveMomenta)
{
    ComplexField2D field(256, 128, 0.16f, 0.2f);
    BackflowConfig config;
    ASSERT_TRUE(QuantumBackflow2D::prepareInitialState(field, config, 1.0, nullptr));
    EXPECT_EQ(field.dx(), 0.16f); // the state keeps the grid's cells
    EXPECT_EQ(field.dy(), 0.2f);
    EXPECT_NEAR(field.norm(), 1.0, 1e-5);
    EXPECT_NEAR(positiveMomentumFraction(field), 1.0, 1e-6);
    // Across the packet the envelope is exp(-y^2 / (2 sigma_y^2)) about y = dy/2;
    // along x the packet sits at the same place in a box twice as long (up to
    // the finer sampling of its spectrum there).
    const PositionMoments moments = computePositionMoments(field);
    EXPECT_NEAR(moments.meanY, 0.1, 1e-3);
    ComplexField2D longer(512, 128, 0.16f, 0.2f);
    ASSERT_TRUE(QuantumBackflow2D::prepareInitialState(longer, config, 1.0, nullptr));
    EXPECT_NEAR(computePositionMoments(longer).meanX, moments.meanX, 0.05);
    EXPECT_NEAR(moments.sigmaY, 2.5 / std::sqrt(2.0), 1e-3);

    // A plane wave running to -x has no positive part.
    EXPECT_NEAR(positiveMomentumFraction(planeWave(64, 8, 0.25f, 0.5f, -3)), 0.0, 1e-9);
    EXPECT_EQ(positiveMomentumFraction(ComplexField2D(48, 8, 0.25f, 0.25f)), 0.0);
}

TEST(QuantumBackflow2D, DetectorColumnAndSides)
{
    const ComplexField2D wave = planeWave(64, 8, 0.25f, 0.5f, 3);
    EXPECT_EQ(backflowDetectorColumn(wave, -1e9), 1u);
    EXPECT_EQ(backflowDetectorColumn(wave, -8.0), 1u); // the left boundary
    EXPECT_EQ(backflowDetectorColumn(wave, 1e9), 62u);
    EXPECT_EQ(backflowDetectorColumn(wave, std::numeric_limits<double>::quiet_NaN()), 1u);
    EXPECT_EQ(backflowDetectorColumn(wave, 0.0), 32u);

    BackflowConfig config;
    config.detectorX = 0.0; // whole number of cells: the split falls at column 32
    const BackflowSample s = backflowFlux(wave, config, 1.0, 1.0, 2.0);
    EXPECT_EQ(s.time, 2.0);
    EXPECT_NEAR(s.probabilityLeft, 0.5, 1e-5);
    EXPECT_NEAR(s.probabilityRight, 0.5, 1e-5);
    // Central difference of exp(i k x): (hbar k / m) sin(k dx) / (k dx) per unit
    // density, times the line's share of the norm, 1 / (nx dx).
    const double k = 2.0 * kPi * 3.0 / 16.0;
    EXPECT_NEAR(s.flux, std::sin(k * 0.25) / 0.25 / 16.0, 1e-5);

    const BackflowSample none = backflowFlux(wave, config, 0.0, 1.0, 3.0);
    EXPECT_EQ(none.flux, 0.0);
    EXPECT_EQ(none.probabilityLeft, 0.0);
    EXPECT_EQ(backflowFlux(ComplexField2D(2, 8, 0.25f, 0.25f), config, 1.0, 1.0, 0.0).flux, 0.0);
}

TEST(BackflowRecorder, ForwardCurrentAccumulatesNothing)
{
    const ComplexField2D wave = planeWave(64, 8, 0.25f, 0.5f, 3);
    BackflowRecorder recorder(2);
    recorder.record(0.0, wave);
    EXPECT_TRUE(recorder.samples().empty());
    ASSERT_TRUE(recorder.configure(wave, BackflowConfig{}, 1.0, 1.0));
    EXPECT_NEAR(recorder.positiveMomentumFraction(), 1.0, 1e-6);
    for (int k = 0; k < 5; ++k)
        recorder.record(0.1 * k, wave);
    ASSERT_EQ(recorder.samples().size(), 2u);
    EXPECT_EQ(recorder.samples().back().backwardFlux, 0.0);
    EXPECT_EQ(recorder.maximumBackwardFlux(), 0.0);
    EXPECT_GT(recorder.minimumFlux(), 0.0);

    // A current running backwards is integrated even when no sample is kept.
    const ComplexField2D back = planeWave(64, 8, 0.25f, 0.5f, -3);
    BackflowRecorder none(0);
    ASSERT_TRUE(none.configure(back, BackflowConfig{}, 1.0, 1.0));
    none.record(0.0, back);
    none.record(1.0, back);
    EXPECT_TRUE(none.samples().empty());
    const double flux = backflowFlux(back, BackflowConfig{}, 1.0, 1.0, 0.0).flux;
    EXPECT_NEAR(none.maximumBackwardFlux(), -flux, 1e-12);
    EXPECT_NEAR(none.minimumFlux(), flux, 1e-12);
    // The flux needs three columns, whatever the rows: two rows carry it, two columns do not.
    EXPECT_LT(backflowFlux(planeWave(16, 2, 0.25f, 0.5f, -3), BackflowConfig{}, 1.0, 1.0, 0.0).flux, 0.0);
    EXPECT_EQ(backflowFlux(planeWave(2, 16, 0.25f, 0.5f, 0), BackflowConfig{}, 1.0, 1.0, 0.0).flux, 0.0);

    // A refused configuration leaves the recorder reset: units of 1, nothing kept.
    ASSERT_TRUE(none.configure(back, BackflowConfig{}, 2.0, 0.5));
    EXPECT_FALSE(none.configure(ComplexField2D(), BackflowConfig{}, 2.0, 0.5));
    // Each of the other three is refused on its own, with a usable field.
    BackflowConfig refused;
    refused.momentumSigma = 0.0;
    for (auto [config, mass, hbar] :
         {std::tuple{refused, 2.0, 0.5}, {BackflowConfig{}, 0.0, 0.5}, {BackflowConfig{}, 2.0, 0.0}}) {
        ASSERT_TRUE(none.configure(back, BackflowConfig{}, 2.0, 0.5));
        EXPECT_FALSE(none.configure(back, config, mass, hbar)) << "mass " << mass << ", hbar " << hbar;
        EXPECT_FALSE(none.isConfigured()) << "mass " << mass << ", hbar " << hbar;
    }
    EXPECT_EQ(none.mass(), 1.0);
    EXPECT_EQ(none.hbar(), 1.0);
    EXPECT_EQ(none.maximumBackwardFlux(), 0.0);
}

TEST(BackflowRecorder, BackwardFluxStaysBelowTheBrackenMelloyBound)
{
    ComplexField2D field(256, 64, 0.16f, 0.2f);
    BackflowConfig config; // the preset's superposition
    config.enabled = true;
    ASSERT_TRUE(QuantumBackflow2D::prepareInitialState(field, config, 1.0, nullptr));
    BackflowRecorder recorder(420);
    ASSERT_TRUE(recorder.configure(field, config, 1.0, 1.0));
    recorder.record(0.0, field);

    PotentialField2D free(256, 64, 0.16f, 0.2f);
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{1.0f, 1.0f, 0.02f});
    for (int s = 1; s <= 200; ++s) {
        solver.step(field, free);
        if (s % 2 == 0)
            recorder.record(solver.time(), field);
    }
    // The current does turn negative, but the backflow stays bounded.
    EXPECT_LT(recorder.minimumFlux(), 0.0);
    EXPECT_GT(recorder.maximumBackwardFlux(), 0.0);
    EXPECT_LT(recorder.maximumBackwardFlux(), kBackflowBound);
    // The probability on the left can only fall overall.
    EXPECT_LT(recorder.samples().back().probabilityLeft, recorder.samples().front().probabilityLeft);
}
