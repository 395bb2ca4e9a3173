#include "experiments/QuantumTalbot2D.h"
#include "experiments/RecorderSupport.h"
#include "experiments/TalbotRecorder.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"

#include "tests/experiments/CheckMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>
#include <tuple>

using namespace vxo;

namespace {

std::string preparationMessage(ComplexField2D& field, const TalbotInitialState& state, double hbar = 1.0)
{
    std::string error;
    EXPECT_FALSE(QuantumTalbot2D::prepareInitialState(field, state, hbar, &error));
    return error;
}

// Two periods of the preset comb across 64 columns of 0.16; rows of 0.64
// cover the envelope at y = -8.
ComplexField2D twoPeriodGrid() { return ComplexField2D(64, 32, 0.16f, 0.64f); }

} // namespace

TEST(QuantumTalbot2D, TalbotTimeOfThePresetCombIsTwoMassPeriodSquaredOverPlanck)
{
    const TalbotInitialState preset;
    const double planck = 2.0 * kPi; // h with hbar = 1
    EXPECT_NEAR(QuantumTalbot2D::talbotTime(preset.period, 1.0, 1.0), 2.0 * 5.12 * 5.12 / planck, 1e-12);
    EXPECT_NEAR(QuantumTalbot2D::talbotTime(preset.period, 1.0, 1.0), 8.344, 1e-3);
    EXPECT_NEAR(QuantumTalbot2D::talbotTime(2.0, 3.0, 0.5), 2.0 * 3.0 * 4.0 / (2.0 * kPi * 0.5), 1e-12);
    // Any one unusable argument alone gives no time.
    for (const auto& [period, mass, hbar] :
         {std::tuple{0.0, 1.5, 0.7}, std::tuple{-2.0, 1.5, 0.7}, std::tuple{double(NAN), 1.5, 0.7},
          std::tuple{2.0, 0.0, 0.7}, std::tuple{2.0, -1.5, 0.7}, std::tuple{2.0, double(INFINITY), 0.7},
          std::tuple{2.0, 1.5, 0.0}, std::tuple{2.0, 1.5, -0.7}})
        EXPECT_EQ(QuantumTalbot2D::talbotTime(period, mass, hbar), 0.0) << period << ", " << mass << ", " << hbar;
    EXPECT_EQ(QuantumTalbot2D::talbotTime(5.12, 1.0, std::nan("")), 0.0);
}

TEST(QuantumTalbot2D, ValidationReportsTheFirstFault)
{
    using test::justAbove;
    using test::justBelow;
    using test::setter;
    using S = TalbotInitialState;
    const std::string tooth = "Talbot tooth sigma must be positive and smaller than half the period.";
    test::expectValueRules(
        QuantumTalbot2D::validateInitialState, TalbotInitialState{},
        {{"period",
          setter(&S::period),
          {0.9000001},
          {0.0, NAN, INFINITY},
          "Talbot period must be finite and positive."},
         {"toothSigma", setter(&S::toothSigma), {1e-9, justBelow(2.56)}, {0.0, 2.56, NAN}, tooth},
         {"period with its teeth", setter(&S::period), {justAbove(0.9)}, {0.9}, tooth},
         {"sigmaY",
          setter(&S::sigmaY),
          {1e-9},
          {0.0, NAN, INFINITY},
          "Talbot longitudinal sigma must be finite and positive."}},
        test::finiteOnly<S>({{"offsetX", &S::offsetX}, {"centerY", &S::centerY}, {"momentumY", &S::momentumY}},
                            "Talbot initial-state position and momentum values must be finite."));

    // The first fault wins.
    TalbotInitialState state;
    state.period = -1.0;
    state.sigmaY = 0.0;
    std::string error;
    EXPECT_FALSE(QuantumTalbot2D::validateInitialState(state, &error));
    EXPECT_EQ(error, "Talbot period must be finite and positive.");
    EXPECT_FALSE(QuantumTalbot2D::validateInitialState(state, nullptr));
}

TEST(QuantumTalbot2D, PreparationNeedsACombThatTilesTheGrid)
{
    ComplexField2D field(256, 8, 0.16f, 0.16f); // the preset's 40.96-wide grid
    std::string error;
    ASSERT_TRUE(QuantumTalbot2D::prepareInitialState(field, TalbotInitialState{}, 1.0, &error)) << error;
    EXPECT_NEAR(field.norm(), 1.0, 1e-5);

    // Teeth on the column at the offset (x = 0.88 is column 37), an envelope
    // about centerY moving with p_y: the phase advances p_y dy / hbar per row.
    {
        TalbotInitialState moved;
        moved.offsetX = 0.88;
        moved.centerY = -3.0;
        const double hbar = 0.7;
        ComplexField2D comb(64, 48, 0.16f, 0.5f);
        ASSERT_TRUE(QuantumTalbot2D::prepareInitialState(comb, moved, hbar, &error)) << error;
        double weight = 0.0;
        double sumY = 0.0;
        for (std::uint64_t j = 0; j < comb.ny(); ++j)
            for (std::uint64_t i = 0; i < comb.nx(); ++i) {
                weight += std::norm(comb.at(i, j));
                sumY += std::norm(comb.at(i, j)) * gridCoordinateY(comb, j);
                EXPECT_LE(std::abs(comb.at(i, j)), std::abs(comb.at(37, j)) * 1.000001f) << i << ", " << j;
            }
        EXPECT_NEAR(sumY / weight, -3.0, 1e-3);
        const std::uint64_t row = 17; // y = -3.25
        const std::complex<double> here(comb.at(37, row));
        const std::complex<double> next(comb.at(37, row + 1));
        EXPECT_NEAR(std::arg(next * std::conj(here)), 1.2 * 0.5 / hbar, 1e-5);
    }

    TalbotInitialState state;
    state.period = 5.0;
    EXPECT_EQ(preparationMessage(field, state), "Talbot comb period must divide the FFT domain width exactly.");

    ComplexField2D odd(96, 8, 0.16f, 0.16f); // 32 periods of 3 cells
    state.period = 0.48;
    state.toothSigma = 0.1;
    EXPECT_EQ(preparationMessage(odd, state), "Talbot period must span an even integer number of grid cells.");
    state.period = 0.32; // 2 cells
    EXPECT_EQ(preparationMessage(odd, state), "Talbot period must span an even integer number of grid cells.");
    state.period = 0.64; // 4 cells, the fewest
    EXPECT_TRUE(QuantumTalbot2D::prepareInitialState(odd, state, 1.0, nullptr));

    ComplexField2D empty;
    EXPECT_EQ(preparationMessage(empty, TalbotInitialState{}), "Talbot initial state requires a non-empty field.");
    EXPECT_EQ(preparationMessage(field, TalbotInitialState{}, 0.0),
              "Talbot initial state requires positive finite hbar.");

    // A message already in the error text survives.
    error = "Earlier validator message.";
    state = TalbotInitialState{};
    state.period = 0.0;
    EXPECT_FALSE(QuantumTalbot2D::prepareInitialState(field, state, 1.0, &error));
    EXPECT_EQ(error, "Earlier validator message.");
}

TEST(QuantumTalbot2D, HalfPeriodShiftIsACircularShiftByWholeCells)
{
    const std::vector<float> row = {0, 1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(QuantumTalbot2D::halfPeriodShift(row, 4.0, 1.0), (std::vector<float>{6, 7, 0, 1, 2, 3, 4, 5}));
    EXPECT_TRUE(QuantumTalbot2D::halfPeriodShift(row, 3.0, 1.0).empty()); // 1.5 cells
    EXPECT_TRUE(QuantumTalbot2D::halfPeriodShift({}, 4.0, 1.0).empty());
    EXPECT_TRUE(QuantumTalbot2D::halfPeriodShift(row, 4.0, 0.0).empty());
}

TEST(TalbotRecorder, CorrelatesWithTheReferenceRows)
{
    ComplexField2D field = twoPeriodGrid();
    ASSERT_TRUE(QuantumTalbot2D::prepareInitialState(field, TalbotInitialState{}, 1.0, nullptr));
    TalbotRecorder recorder(2);
    EXPECT_FALSE(recorder.record(0.0, field));
    ASSERT_TRUE(recorder.configure(field, TalbotInitialState{}));
    EXPECT_TRUE(recorderIsConfigured(recorder));
    EXPECT_EQ(recorder.nx(), 64u);
    EXPECT_EQ(recorder.shiftedRow().size(), 64u);

    ASSERT_TRUE(recorder.record(0.0, field));
    EXPECT_NEAR(recorder.samples()[0].correlationOriginal, 1.0, 1e-9);
    EXPECT_LT(recorder.samples()[0].correlationShifted, 1e-3);

    EXPECT_FALSE(recorder.record(1.0, ComplexField2D(64, 16, 0.16f, 0.64f)));
    EXPECT_FALSE(recorder.record(std::nan(""), field));
    ASSERT_TRUE(recorder.record(1.0, field));
    ASSERT_TRUE(recorder.record(2.0, field));
    ASSERT_EQ(recorder.samples().size(), 2u);
    EXPECT_EQ(recorder.samples()[0].time, 1.0);

    // A state that fails validation leaves the recorder reset.
    TalbotInitialState bad;
    bad.sigmaY = -1.0;
    EXPECT_FALSE(recorder.configure(field, bad));
    EXPECT_FALSE(recorder.isConfigured());
    EXPECT_TRUE(recorder.samples().empty());
    EXPECT_EQ(recorder.nx(), 0u);
    EXPECT_EQ(TalbotRecorder(0).capacity(), 1u);
}

// The comb holds only the wave numbers 2 pi n / a, which free evolution on
// the periodic grid brings back in phase after T_T and shifts by half a period
// after T_T / 2; the moving envelope along y does not touch the x-marginal.
TEST(TalbotRecorder, CombSelfImagesAfterTheTalbotTime)
{
    const TalbotInitialState state;
    ComplexField2D psi = twoPeriodGrid();
    ASSERT_TRUE(QuantumTalbot2D::prepareInitialState(psi, state, 1.0, nullptr));
    TalbotRecorder recorder(8);
    ASSERT_TRUE(recorder.configure(psi, state));

    const double talbot = QuantumTalbot2D::talbotTime(state.period, 1.0, 1.0);
    const int steps = 100; // free evolution is exact for any step
    SplitStepParameters parameters;
    parameters.dt = static_cast<float>(talbot / steps);
    SplitStepFourierSolver2D solver;
    solver.configure(parameters);
    const PotentialField2D free(psi.nx(), psi.ny(), psi.dx(), psi.dy());
    for (int k = 1; k <= steps; ++k) {
        solver.step(psi, free);
        if (k == steps / 4 || k == steps / 2 || k == steps) {
            ASSERT_TRUE(recorder.record(solver.time(), psi));
        }
    }
    ASSERT_EQ(recorder.samples().size(), 3u);
    const TalbotSample& quarter = recorder.samples()[0];
    const TalbotSample& half = recorder.samples()[1];
    const TalbotSample& full = recorder.samples()[2];
    EXPECT_LT(quarter.correlationOriginal, 0.9); // fractional images in between
    EXPECT_LT(quarter.correlationShifted, 0.9);
    EXPECT_GT(half.correlationShifted, 0.999);
    EXPECT_LT(half.correlationOriginal, 0.01);
    EXPECT_GT(full.correlationOriginal, 0.999);
    EXPECT_LT(full.correlationShifted, 0.01);
}
