// A split step taken in parts: stopped between sub-steps, the state is that
// of the time reached, and the parts put back together are the whole step.

#include "core/ComplexField2D.h"
#include "core/GaugeLinkField2D.h"
#include "core/GaussianPacket2D.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <complex>
#include <stdexcept>
#include <cmath>
#include <cstdint>
#include <vector>

using namespace vxo;

namespace {

// Two walls of the given height on cells 0.0625 x 0.09, a packet on the
// nearer one, so that the step takes several sub-steps and the walls' phase
// matters to the state.
struct PartsFixture {
    ComplexField2D psi{64, 32, 0.0625f, 0.09f};
    PotentialField2D v{64, 32, 0.0625f, 0.09f};
    explicit PartsFixture(float height)
    {
        GaussianPacket2D::prepare(psi, {-1.2f, 0.0f, 0.5f, 1.5f, 0.0f, 0.6f});
        paint(height);
    }
    void paint(float height)
    {
        v.fill(0.0f);
        v.addRectangle(-1.5f, 0.0f, 0.5f, 100.0f, height);
        v.addRectangle(1.5f, 0.0f, 0.5f, 100.0f, height);
    }
};

SplitStepFourierSolver2D partsSolver(float dt)
{
    SplitStepFourierSolver2D solver;
    solver.configure({1.0f, 1.0f, dt});
    return solver;
}

// Largest |a - b| over the cells, relative to the largest |a|.
double largestDifference(const ComplexField2D& a, const ComplexField2D& b)
{
    double difference = 0.0, scale = 0.0;
    for (std::uint64_t c = 0; c < a.size(); ++c) {
        difference = std::max(difference, double(std::abs(a.data()[c] - b.data()[c])));
        scale = std::max(scale, double(std::abs(a.data()[c])));
    }
    return difference / scale;
}

// Rounding of single-precision phase products over a few dozen transforms.
constexpr double kRounding = 2e-5;

} // namespace

// Steps cut after every `each` sub-steps (the last part of a step shorter):
// the clock shows the time reached between parts and the step count only
// whole steps; when the steps complete, state and clock are those of whole
// steps.
TEST(SplitStepParts, PartsOfAStepPutBackTogetherAreTheWholeStep)
{
    constexpr int kSteps = 3;
    for (const std::uint32_t each : {1u, 2u, 3u, 1000u}) {
        PartsFixture whole(40.0f), parts(40.0f);
        SplitStepFourierSolver2D wholeSolver = partsSolver(0.02f), partsStepper = partsSolver(0.02f);
        for (int s = 0; s < kSteps; ++s)
            wholeSolver.step(whole.psi, whole.v);
        const std::uint32_t n = wholeSolver.subSteps();
        ASSERT_GT(n, 2u) << "walls of 40 on these cells are meant to be sharp";

        int calls = 0;
        std::uint64_t completed = 0;
        while (completed < kSteps) {
            const double start = partsStepper.time();
            const std::uint32_t before = partsStepper.subStepsDone();
            const bool complete =
                partsStepper.stepPart(parts.psi, parts.v, [each](std::uint32_t run) { return run < each; });
            ++calls;
            const std::uint32_t run = complete ? n - before : partsStepper.subStepsDone() - before;
            EXPECT_EQ(run, std::min(each, n - before)) << "each " << each;
            completed += complete;
            EXPECT_EQ(partsStepper.stepCount(), completed) << "each " << each;
            if (!complete) {
                EXPECT_NEAR(partsStepper.time() - start, run * double(0.02f) / n, 1e-12) << "each " << each;
            }
        }
        const std::uint32_t callsPerStep = (n + std::min(each, n) - 1) / std::min(each, n);
        EXPECT_EQ(calls, kSteps * int(callsPerStep)) << "each " << each;
        EXPECT_EQ(partsStepper.subStepsDone(), 0u);
        EXPECT_EQ(partsStepper.time(), wholeSolver.time()) << "each " << each;
        EXPECT_LT(largestDifference(whole.psi, parts.psi), kRounding) << "each " << each;
        if (each >= n) {
            EXPECT_EQ(largestDifference(whole.psi, parts.psi), 0.0) << "uncut steps are the same products";
        }
    }
}

// Between parts, psi is the state of the time reached: k sub-steps of a step
// of n are k plain Strang steps of dt / n (which the rule leaves unsplit).
// And the rest of a step propagates with the potential it began with, even
// when the potential is repainted in between (as a drive does at the end of
// a tick).
TEST(SplitStepParts, AStoppedStepIsTheStateOfTheTimeReached)
{
    PartsFixture cut(40.0f);
    SplitStepFourierSolver2D solver = partsSolver(0.02f);
    ASSERT_FALSE(solver.stepPart(cut.psi, cut.v, [](std::uint32_t run) { return run < 2; }));
    const std::uint32_t n = solver.subSteps();
    ASSERT_EQ(solver.subStepsDone(), 2u);

    PartsFixture fine(40.0f);
    SplitStepFourierSolver2D fineSolver = partsSolver(float(0.02 / n));
    for (int s = 0; s < 2; ++s)
        fineSolver.step(fine.psi, fine.v);
    ASSERT_EQ(fineSolver.subSteps(), 1u);
    EXPECT_LT(largestDifference(fine.psi, cut.psi), kRounding);
    EXPECT_NEAR(solver.time(), fineSolver.time(), 1e-9);

    // The rest of the step, with the walls repainted lower meanwhile.
    PartsFixture whole(40.0f);
    SplitStepFourierSolver2D wholeSolver = partsSolver(0.02f);
    wholeSolver.step(whole.psi, whole.v);
    cut.paint(10.0f);
    EXPECT_TRUE(solver.stepPart(cut.psi, cut.v, [](std::uint32_t) { return true; }));
    EXPECT_LT(largestDifference(whole.psi, cut.psi), kRounding) << "the step keeps the tables it began with";
    EXPECT_EQ(solver.stepCount(), 1u);

    // A reset clock abandons a step in progress.
    ASSERT_FALSE(solver.stepPart(cut.psi, cut.v, [](std::uint32_t) { return false; }));
    solver.resetClock();
    EXPECT_EQ(solver.subStepsDone(), 0u);
    EXPECT_EQ(solver.time(), 0.0);
}

// The magnetic step in parts, one sub-step a call, under a uniform field's
// links: the same step to rounding, the clock as for the Fourier step, and a
// step of the one kind in progress refused to the other.
TEST(SplitStepParts, TheMagneticStepInPartsIsTheWholeStep)
{
    PartsFixture whole(40.0f), parts(40.0f);
    GaugeLinkField2D links;
    links.resize(parts.psi.nx(), parts.psi.ny(), parts.psi.dx(), parts.psi.dy());
    for (std::uint64_t j = 0; j < links.ny(); ++j)
        for (std::uint64_t i = 0; i < links.nx(); ++i)
            links.setLinkX(i, j, std::polar(1.0f, 0.05f * float(j)));
    SplitStepFourierSolver2D wholeSolver = partsSolver(0.02f), partsStepper = partsSolver(0.02f);
    wholeSolver.stepWithGauge(whole.psi, whole.v, links);
    const std::uint32_t n = wholeSolver.gaugeSubSteps();
    ASSERT_GT(n, 1u) << "walls of 40 on these cells are meant to take several magnetic sub-steps";

    std::uint32_t calls = 0;
    while (!partsStepper.stepWithGaugePart(parts.psi, parts.v, links, [](std::uint32_t) { return false; })) {
        ++calls;
        EXPECT_NEAR(partsStepper.time(), calls * double(0.02f) / n, 1e-12);
        EXPECT_EQ(partsStepper.stepCount(), 0u);
        EXPECT_THROW(partsStepper.stepPart(parts.psi, parts.v, [](std::uint32_t) { return true; }),
                     std::invalid_argument);
    }
    EXPECT_EQ(calls + 1, n);
    EXPECT_EQ(partsStepper.time(), wholeSolver.time());
    EXPECT_LT(largestDifference(whole.psi, parts.psi), kRounding);
}
