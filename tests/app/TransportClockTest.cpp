#include "app/TransportClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace vxo {
namespace {

// The speed selector's seven entries and the timing each must give: below 1x
// the 30 ms timer stretches, above it the interval stays and a tick runs more
// steps.
TEST(TransportClock, EverySpeedChoiceGivesItsIntervalAndStepsPerTick)
{
    struct Row {
        int index;
        double speed;
        int intervalMs;
        int steps;
    };
    const Row rows[] = {{0, 0.25, 120, 1}, {1, 0.5, 60, 1}, {2, 1.0, 30, 1},  {3, 2.0, 30, 2},
                        {4, 4.0, 30, 4},   {5, 8.0, 30, 8}, {6, 16.0, 30, 16}};
    for (const Row& row : rows) {
        EXPECT_EQ(TransportClock::speedOfChoice(row.index), row.speed) << "index " << row.index;
        TransportClock clock;
        clock.setSpeed(TransportClock::speedOfChoice(row.index));
        EXPECT_EQ(clock.tickInterval(TransportClock::kTickBaseMs), row.intervalMs) << "speed " << row.speed;
        EXPECT_EQ(clock.stepsPerTick(), row.steps) << "speed " << row.speed;
    }
    for (int outside : {-1, 7, 100})
        EXPECT_EQ(TransportClock::speedOfChoice(outside), 1.0) << "index " << outside;
}

TEST(TransportClock, SpeedIsClampedAndUnusableFactorsBecomeOne)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        double factor;
        double speed;
    };
    const Row rows[] = {{0.0, 0.05},   {-3.0, 0.05}, {0.01, 0.05},        {0.05, 0.05}, {0.051, 0.051},
                        {100.0, 16.0}, {16.0, 16.0}, {std::nan(""), 1.0}, {inf, 1.0},   {-inf, 1.0}};
    for (const Row& row : rows) {
        TransportClock clock;
        clock.setSpeed(2.0);
        clock.setSpeed(row.factor);
        EXPECT_EQ(clock.speed(), row.speed) << "factor " << row.factor;
    }
}

// Off-menu speeds round half away from zero; the interval and the step count
// never drop below 1.
TEST(TransportClock, RoundingAndLowerBoundsOfTheTiming)
{
    struct Row {
        double speed;
        int baseMs;
        int intervalMs;
        int steps;
    };
    const Row rows[] = {{0.05, 30, 600, 1}, {2.5, 30, 30, 3}, {1.4, 30, 30, 1}, {1.5, 30, 30, 2},
                        {1.0, 0, 1, 1},     {1.0, -7, 1, 1},  {0.4, 1, 3, 1},   {0.8, 30, 38, 1}};
    for (const Row& row : rows) {
        TransportClock clock;
        clock.setSpeed(row.speed);
        EXPECT_EQ(clock.tickInterval(row.baseMs), row.intervalMs) << "speed " << row.speed << " base " << row.baseMs;
        EXPECT_EQ(clock.stepsPerTick(), row.steps) << "speed " << row.speed;
    }
    TransportClock slowest;
    slowest.setSpeed(0.0);
    EXPECT_EQ(slowest.tickInterval(std::numeric_limits<int>::max()), std::numeric_limits<int>::max())
        << "a stretched interval stays an int";
}

TEST(TransportClock, StatesChangeOnlyByCommandAndPrintTheirNames)
{
    TransportClock clock;
    EXPECT_EQ(clock.state(), TransportState::Stopped) << "a new transport is stopped";
    EXPECT_EQ(clock.speed(), 1.0);
    clock.setSpeed(4.0);
    EXPECT_EQ(clock.state(), TransportState::Stopped) << "a speed change leaves the state alone";

    struct Row {
        void (TransportClock::*command)();
        TransportState state;
        const char* name;
    };
    const Row rows[] = {{&TransportClock::run, TransportState::Running, "RUNNING"},
                        {&TransportClock::pause, TransportState::Paused, "PAUSED"},
                        {&TransportClock::run, TransportState::Running, "RUNNING"},
                        {&TransportClock::stop, TransportState::Stopped, "STOPPED"},
                        {&TransportClock::pause, TransportState::Paused, "PAUSED"}};
    for (const Row& row : rows) {
        (clock.*row.command)();
        EXPECT_EQ(clock.state(), row.state) << row.name;
        EXPECT_EQ(clock.isRunning(), row.state == TransportState::Running) << row.name;
        EXPECT_EQ(std::string(transportStateName(clock.state())), row.name);
        EXPECT_EQ(clock.speed(), 4.0) << "a command leaves the speed alone";
    }
    EXPECT_EQ(std::string(transportStateName(static_cast<TransportState>(7))), "STOPPED")
        << "an unknown state prints as stopped";
}

// The steps a tick runs when each step costs `stepMs`, on a clock that the
// steps alone advance.
int stepsOfATick(const TransportClock& clock, double stepMs)
{
    int done = 0;
    do
        ++done;
    while (done < clock.stepsPerTick() && clock.anotherStepFits(done, stepMs * done));
    return done;
}

// A tick stops short of its steps when the next would end past the budget;
// the first step always runs, and cheap steps run the full count.
TEST(TransportClock, ATickRunsOnlyTheStepsThatFitItsBudget)
{
    const double budget = TransportClock::kStepBudgetMs;
    struct Row {
        double speed;
        double stepMs;
        int steps;
    };
    const Row rows[] = {
        {16.0, budget / 100.0, 16}, {16.0, budget / 16.0, 16}, {16.0, budget / 10.0, 10}, {16.0, budget / 3.5, 3},
        {16.0, budget * 0.34, 2},   {16.0, budget * 5.0, 1},   {4.0, budget / 5.0, 4},    {4.0, budget / 2.5, 2},
        {1.0, budget * 5.0, 1},     {0.25, budget / 100.0, 1}, {16.0, std::nan(""), 1},   {8.0, 0.0, 8},
    };
    for (const Row& row : rows) {
        TransportClock clock;
        clock.setSpeed(row.speed);
        EXPECT_EQ(stepsOfATick(clock, row.stepMs), row.steps) << row.speed << "x at " << row.stepMs << " ms a step";
    }
    TransportClock clock;
    EXPECT_TRUE(clock.anotherStepFits(0, 1e9)) << "the first step always runs";
}

// The clock alone ends a tick of free steps at the speed's count: a caller
// that asks it after every step, with no bound of its own, runs 16 steps a
// tick at 16x, 2 at 2x and one at normal speed or slower.
TEST(TransportClock, ItsAnswerAloneEndsATickAtTheSpeedsSteps)
{
    for (const auto& [speed, steps] :
         {std::pair{16.0, 16}, std::pair{8.0, 8}, std::pair{2.0, 2}, std::pair{1.0, 1}, std::pair{0.25, 1}}) {
        TransportClock clock;
        clock.setSpeed(speed);
        int done = 0;
        while (done < 1000 && clock.anotherStepFits(done, 0.0))
            ++done;
        EXPECT_EQ(done, steps) << speed << "x";
    }
}

// The steps of the last tick are what a running transport reports; a stop, a
// pause or a new speed goes back to the nominal count.
TEST(TransportClock, TheRecentTickReportsItsStepsOnlyWhileRunning)
{
    TransportClock clock;
    clock.setSpeed(16.0);
    clock.run();
    EXPECT_EQ(clock.stepsOfRecentTick(), 16) << "no tick yet";
    clock.setStepsOfRecentTick(3);
    EXPECT_EQ(clock.stepsOfRecentTick(), 3);
    clock.setStepsOfRecentTick(0);
    EXPECT_EQ(clock.stepsOfRecentTick(), 0) << "a tick that stopped within a step of many sub-steps";
    clock.setStepsOfRecentTick(3);
    EXPECT_EQ(clock.stepsPerTick(), 16) << "the speed is kept";
    clock.pause();
    EXPECT_EQ(clock.stepsOfRecentTick(), 16);
    clock.run();
    EXPECT_EQ(clock.stepsOfRecentTick(), 16) << "a resumed run has no recent tick";
    clock.setStepsOfRecentTick(5);
    clock.setSpeed(8.0);
    EXPECT_EQ(clock.stepsOfRecentTick(), 8);
    clock.setStepsOfRecentTick(2);
    clock.stop();
    EXPECT_EQ(clock.stepsOfRecentTick(), 8);
}

} // namespace
} // namespace vxo
