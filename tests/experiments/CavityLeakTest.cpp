#include "experiments/CavityLeak.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace vxo {
namespace {

// A decaying level that meets the right wall with intensity A sends T2 A out
// there and R2 A back to the left wall, which lets T1 R2 A out: over the
// round trip from the right wall the right takes T2 / (T2 + T1 R2); over the
// one from the left wall, R1 T2 / (T1 + R1 T2). The level's steady share lies
// between the two, the half for equal walls, all for the only wall that
// transmits, and the same seen from the other side.
TEST(CavityLeak, ALevelLeaksMostThroughTheWallThatTransmitsMost)
{
    const double pairs[][2] = {{0.344, 0.344}, {0.344, 0.169}, {0.05, 0.6}, {0.9, 0.02}, {0.01, 0.03}};
    for (const auto& t : pairs) {
        SCOPED_TRACE("T1 " + std::to_string(t[0]) + ", T2 " + std::to_string(t[1]));
        const double r1 = 1.0 - t[0], r2 = 1.0 - t[1];
        const double share = leakThroughRight(t[0], t[1]);
        const double fromRight = t[1] / (t[1] + t[0] * r2), fromLeft = r1 * t[1] / (t[0] + r1 * t[1]);
        EXPECT_GE(share, std::min(fromRight, fromLeft) - 1e-12);
        EXPECT_LE(share, std::max(fromRight, fromLeft) + 1e-12);
        EXPECT_NEAR(share + leakThroughRight(t[1], t[0]), 1.0, 1e-12);
        EXPECT_EQ(share > 0.5, t[1] > t[0]);
    }
    EXPECT_DOUBLE_EQ(leakThroughRight(0.344, 0.344), 0.5);
    // Thin walls: the shares of the transmissions.
    EXPECT_NEAR(leakThroughRight(0.01, 0.03), 0.75, 0.002);
    EXPECT_DOUBLE_EQ(leakThroughRight(0.3, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(leakThroughRight(0.0, 0.3), 1.0);
    EXPECT_DOUBLE_EQ(leakThroughRight(0.0, 0.0), 0.5);
}

// Shares of a pair after the packet has gone, sampled every 0.02 time units
// as a run refreshes: what leaves the pair goes 30 % right, 70 % left, on top
// of 0.5 left and 0.3 right. Windows of 1 time unit. The verdict is the first
// one that is not NotYet, and its time.
struct Verdict {
    PairReadiness readiness = PairReadiness::NotYet;
    double time = -1.0;
};

Verdict firstVerdict(const std::function<double(double)>& inside, double window,
                     const std::function<double(double)>& leftDrift = nullptr)
{
    constexpr double kRight = 0.3;
    CavityLeakWatch watch;
    const double start = inside(0.0);
    for (int n = 0; n <= 4000; ++n) {
        const double t = 0.02 * n;
        const double given = start - inside(t);
        const PairShares now{t, 0.5 + (1.0 - kRight) * given + (leftDrift ? leftDrift(t) : 0.0), inside(t),
                             0.3 + kRight * given};
        const PairReadiness readiness = watch.observe(now, kRight, window);
        if (readiness != PairReadiness::NotYet)
            return {readiness, t};
    }
    return {};
}

// One level's leak is read after two windows of the same decay rate; a sum
// of a fast and a slow level once the fast one has gone; a packet's Gaussian
// tail, whose rate grows, or a content that the left side still feeds, only
// once drained; a content that stays, never; and without windows, only once
// drained.
TEST(CavityLeak, APairIsReadOnceItLeaksAsOneLevelOrHasDrained)
{
    const auto level = [](double rate) { return [rate](double t) { return 0.1 * std::exp(-rate * t); }; };

    const Verdict one = firstVerdict(level(0.1), 1.0);
    EXPECT_EQ(one.readiness, PairReadiness::Leaking);
    EXPECT_NEAR(one.time, 2.0, 0.021) << "read at the end of the second window";

    const Verdict two =
        firstVerdict([](double t) { return 0.05 * std::exp(-0.1 * t) + 0.05 * std::exp(-1.5 * t); }, 1.0);
    EXPECT_EQ(two.readiness, PairReadiness::Leaking);
    const double fastShare = std::exp(-1.4 * two.time) / (1.0 + std::exp(-1.4 * two.time));
    EXPECT_LT(fastShare, 0.02) << "read at t = " << two.time << " with the fast level still there";
    EXPECT_GT(fastShare, 1e-4) << "read long after the fast level had gone";

    const Verdict tail = firstVerdict([](double t) { return 0.1 * std::exp(-t * t / 9.0); }, 1.0);
    EXPECT_EQ(tail.readiness, PairReadiness::Drained) << "a Gaussian tail read as a leak at t = " << tail.time;

    const Verdict fed = firstVerdict(level(0.1), 1.0, [](double t) { return -0.01 * t; });
    EXPECT_NE(fed.readiness, PairReadiness::Leaking) << "a pair still fed from the left read at t = " << fed.time;
    EXPECT_EQ(firstVerdict([](double) { return 0.1; }, 1.0).readiness, PairReadiness::NotYet)
        << "a content that stays, a bound state, does not leak";

    // Drained once 0.7 x the content is under 2 % of the right side, near
    // 0.33; or once either way it moves a share by half the fourth decimal.
    const Verdict blind = firstVerdict(level(0.4), 0.0);
    EXPECT_EQ(blind.readiness, PairReadiness::Drained);
    EXPECT_NEAR(0.1 * std::exp(-0.4 * blind.time), 0.02 * 0.33 / 0.7, 3e-4);
    CavityLeakWatch watch;
    EXPECT_EQ(watch.observe({3.0, 0.9999, 1.1e-4, 1e-6}, 0.5, 1.0), PairReadiness::NotYet);
    EXPECT_EQ(watch.observe({3.0, 0.9999, 0.9e-4, 1e-6}, 0.5, 1.0), PairReadiness::Drained);
}

} // namespace
} // namespace vxo
