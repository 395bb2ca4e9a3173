// The Loschmidt echo lesson: the packet runs through its billiard, time is
// reversed at T, and at 2T the state is back where it started; a kick in
// momentum at the reversal spoils the return.

#include "TeacherSession.h"

#include "document/ExperimentCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vxo::e2e {
namespace {

constexpr int kLoschmidtEcho = 39;

struct Echo {
    double reversedAt = -1.0;    // time of the reversal sample
    double fidelityBefore = 1.0; // the last sample before the reversal
    double bestFidelity = 0.0;   // the best one after it
    double bestDensityEcho = 0.0;
    double bestAt = -1.0;
    int reversals = 0;
};

Echo echoOf(const std::vector<LoschmidtSample>& samples)
{
    Echo echo;
    bool reversed = false;
    for (const LoschmidtSample& s : samples) {
        if (s.reversed && !reversed) {
            echo.reversedAt = s.time;
            ++echo.reversals;
        }
        if (!s.reversed && reversed)
            ++echo.reversals; // a second forward stretch: the reversal undone
        reversed = s.reversed;
        if (!s.reversed)
            echo.fidelityBefore = s.fidelity;
        else if (s.fidelity > echo.bestFidelity) {
            echo.bestFidelity = s.fidelity;
            echo.bestDensityEcho = s.densityEcho;
            echo.bestAt = s.time;
        }
    }
    return echo;
}

class LoschmidtEcho : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = teacherWindow();
        loadFromLibrary(*window, kLoschmidtEcho);
        reversalTime = makeExperimentPreset(kLoschmidtEcho).quantumLoschmidt.reversalTime;
    }

    // At the experiment's own speed until a little past twice the reversal
    // time. Every tick takes at least one step, so a run that needs ten
    // times the ticks its steps do has stopped advancing: it fails instead
    // of hanging.
    Echo runPastTheReturn()
    {
        const double end = 2.0 * reversalTime + 0.2;
        const long tickLimit = 10 * std::lround(end / window->schroedingerSolver().parameters().dt) + 10;
        for (long tick = 0; tick < tickLimit && window->schroedingerSolver().time() < end; ++tick)
            window->onSimulationTick();
        EXPECT_GE(window->schroedingerSolver().time(), end) << "the run stopped advancing";
        return echoOf(window->recorder<LoschmidtRecorder>().samples());
    }

    std::unique_ptr<MainWindow> window;
    double reversalTime = 0.0;
};

// Without a momentum error the split step is its own time reverse: the
// conjugated state retraces its path exactly, up to rounding.
TEST_F(LoschmidtEcho, ThePacketComesBackToItsStartAtTwiceTheReversalTime)
{
    ASSERT_GT(reversalTime, 0.0);
    const double dt = window->schroedingerSolver().parameters().dt;
    const Echo echo = runPastTheReturn();
    ASSERT_EQ(echo.reversals, 1) << "one reversal per run";
    EXPECT_NEAR(echo.reversedAt, reversalTime, dt) << "the reversal fires in the step that straddles T";
    EXPECT_LT(echo.fidelityBefore, 0.01) << "the packet had not left its start: no echo to see";
    EXPECT_GT(echo.bestFidelity, 0.999);
    EXPECT_GT(echo.bestDensityEcho, 0.999);
    // The recorder samples every fourth step.
    EXPECT_NEAR(echo.bestAt, 2.0 * echo.reversedAt, 4.0 * dt) << "the return happens at 2T";
}

// A kick dp at the reversal sends the packet back displaced by dp T / m and
// with the wrong momentum: the overlap with the start is far from complete.
TEST_F(LoschmidtEcho, AMomentumErrorAtTheReversalSpoilsTheReturn)
{
    enter(*window, "loschmidtMomentumErrorXSpinBox", 0.5);
    click(*window, "resetButton");
    const Echo echo = runPastTheReturn();
    ASSERT_EQ(echo.reversals, 1);
    EXPECT_LT(echo.bestFidelity, 0.5) << "the kick left the echo intact";
}

} // namespace
} // namespace vxo::e2e
