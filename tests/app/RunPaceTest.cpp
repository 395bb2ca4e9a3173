#include "app/RunPace.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vxo {
namespace {

constexpr double kDt = 0.02;
constexpr double kBaseMs = 30.0;

// A stretch of a run: `ticks` ticks `intervalMs` apart, each advancing
// `stepsPerTick` steps of kDt.
struct Stretch {
    int ticks;
    double intervalMs;
    int stepsPerTick;
};

struct PacedRun {
    double wallMs = 0.0;
    double time = 0.0;
};

void play(RunPace& pace, PacedRun& run, double speed, const Stretch& stretch)
{
    for (int tick = 0; tick < stretch.ticks; ++tick) {
        pace.recordTickStart(run.wallMs, run.time, speed);
        run.wallMs += stretch.intervalMs;
        run.time += stretch.stepsPerTick * kDt;
    }
}

// The pace of runs that keep up and runs that fall behind: steps per base
// tick of wall time, whatever the timer interval, and "behind" only well below
// the speed chosen.
TEST(RunPace, AchievedSpeedIsTheStepsPerBaseTickOfWallTime)
{
    struct Row {
        const char* name;
        double speed;
        std::vector<Stretch> stretches;
        double achieved;
        bool behind;
    };
    const Row rows[] = {
        {"4x keeping up", 4.0, {{40, 30.0, 4}}, 4.0, false},
        {"4x with ticks twice as long", 4.0, {{40, 60.0, 4}}, 2.0, true},
        {"16x cut to 3 steps a tick", 16.0, {{40, 45.0, 3}}, 2.0, true},
        {"0.25x on its stretched timer", 0.25, {{20, 120.0, 1}}, 0.25, false},
        {"1x with timer ticks 5% late", 1.0, {{60, 31.5, 1}}, 30.0 / 31.5, false},
        // A slow start older than the averaging window no longer counts.
        {"8x slow at first, then keeping up", 8.0, {{30, 120.0, 8}, {100, 30.0, 8}}, 8.0, false},
        // A recent slow stretch does.
        {"8x keeping up, then slow", 8.0, {{30, 30.0, 8}, {30, 120.0, 8}}, 2.0, true},
    };
    for (const Row& row : rows) {
        RunPace pace;
        PacedRun run;
        for (const Stretch& stretch : row.stretches)
            play(pace, run, row.speed, stretch);
        const std::optional<double> achieved = pace.achievedSpeed(kDt, kBaseMs);
        ASSERT_TRUE(achieved.has_value()) << row.name;
        EXPECT_NEAR(*achieved, row.achieved, 1e-9 * row.achieved) << row.name;
        EXPECT_EQ(pace.speedWhenBehind(kDt, kBaseMs).has_value(), row.behind) << row.name;
        if (row.behind) {
            EXPECT_EQ(*pace.speedWhenBehind(kDt, kBaseMs), *achieved) << row.name;
        }
    }
}

// Nothing is said before a run has gone on long enough, nor across a new
// start: a rebuild, a new speed, a pause.
TEST(RunPace, SaysNothingUntilARunHasGoneOnLongEnough)
{
    const Stretch slow{5, 60.0, 4}; // 4x at half pace, 240 ms
    const Stretch longer{20, 60.0, 4};
    {
        RunPace pace;
        PacedRun run;
        play(pace, run, 4.0, slow);
        EXPECT_FALSE(pace.achievedSpeed(kDt, kBaseMs)) << "a quarter of a second of ticks";
        play(pace, run, 4.0, longer);
        EXPECT_TRUE(pace.speedWhenBehind(kDt, kBaseMs)) << "a second and a half of ticks";
        EXPECT_FALSE(pace.achievedSpeed(0.0, kBaseMs)) << "no step size";
        EXPECT_FALSE(pace.achievedSpeed(kDt, 0.0)) << "no base tick";
    }
    struct Restart {
        const char* name;
        void (*restart)(RunPace&, PacedRun&, double& speed);
    };
    const Restart restarts[] = {
        {"a rebuild sets the clock back", [](RunPace&, PacedRun& run, double&) { run.time = 0.0; }},
        {"a new speed", [](RunPace&, PacedRun&, double& speed) { speed = 8.0; }},
        {"the run paused and played again", [](RunPace& pace, PacedRun&, double&) { pace.forget(); }},
    };
    for (const Restart& r : restarts) {
        RunPace pace;
        PacedRun run;
        double speed = 4.0;
        play(pace, run, speed, longer);
        ASSERT_TRUE(pace.speedWhenBehind(kDt, kBaseMs)) << r.name;
        r.restart(pace, run, speed);
        play(pace, run, speed, slow);
        EXPECT_FALSE(pace.achievedSpeed(kDt, kBaseMs)) << r.name << ": the earlier ticks still count";
    }
}

} // namespace
} // namespace vxo
