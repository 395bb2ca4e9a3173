#include "experiments/ScatteringAbsorption.h"

#include <gtest/gtest.h>

#include <limits>

namespace vxo {
namespace {

// A packet split along x into parts left of, at and right of a barrier that
// runs along y, seen through a layer that each step takes the share `sides`
// of what is left or right and, through the top and bottom, the share `y` of
// everything: the box holds S times the parts of the packet the top and
// bottom would have left alone. The count of the layer's removals, applied to
// the box's regions, gives back the whole packet's shares.
TEST(ScatteringAbsorption, TheWholePacketsSharesComeBackFromTheBoxAndTheRemovals)
{
    const struct {
        double left, right, y;
    } steps[] = {{0.0, 0.0, 0.0}, {0.1, 0.0, 0.05}, {0.0, 0.3, 0.0}, {0.2, 0.5, 0.2}, {0.9, 0.9, 0.4}};
    // A packet of norm 2, so that a share read as a region (or a region as
    // a share) shows.
    const double norm = 2.0;
    double back = 0.6, inside = 0.4, through = 1.0, wentBack = 0.0, wentThrough = 0.0, s = 1.0;
    ScatteringAbsorption count;
    count.start(s * (back + inside + through));
    for (const auto& step : steps) {
        const double before = s * (back + inside + through);
        s *= 1.0 - step.y;
        AbsorbedByBand removed;
        removed.left = s * step.left * back;
        removed.right = s * step.right * through;
        removed.topAndBottom = step.y * before;
        wentBack += step.left * back;
        wentThrough += step.right * through;
        back -= step.left * back;
        through -= step.right * through;
        count.add(removed);
        // Inside is shared between the barriers and the cavity.
        const RegionProbabilities single = count.ofWholePacket(
            RegionProbabilities{s * (back + inside + through), s * back, s * inside, s * through, 0.0, 0.0, 0.0});
        const DoubleBarrierRegions pair = count.ofWholePacket(DoubleBarrierRegions{
            s * (back + inside + through), s * back, 0.25 * s * inside, 0.75 * s * inside, s * through});
        EXPECT_NEAR(single.total, norm, 1e-12);
        EXPECT_NEAR(single.leftFraction, (back + wentBack) / norm, 1e-12);
        EXPECT_NEAR(single.middleFraction, inside / norm, 1e-12);
        EXPECT_NEAR(single.rightFraction, (through + wentThrough) / norm, 1e-12);
        EXPECT_NEAR(pair.leftFraction, single.leftFraction, 1e-12);
        EXPECT_NEAR(pair.barriersFraction, 0.25 * inside / norm, 1e-12);
        EXPECT_NEAR(pair.cavityFraction, 0.75 * inside / norm, 1e-12);
        EXPECT_NEAR(pair.rightFraction, single.rightFraction, 1e-12);
    }
}

// Removals that are not finite and non-negative change nothing; a layer that
// has taken the whole box along y leaves the regions as they are.
TEST(ScatteringAbsorption, RefusesBadRemovalsAndKeepsTheBoxOnceNothingIsLeft)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    ScatteringAbsorption count;
    count.start(1.0);
    for (const AbsorbedByBand& bad : {AbsorbedByBand{nan, 0.1, 0.1}, AbsorbedByBand{0.1, -0.1, 0.0},
                                      AbsorbedByBand{0.0, 0.0, std::numeric_limits<double>::infinity()}}) {
        count.add(bad);
        EXPECT_EQ(count.wentBack(), 0.0);
        EXPECT_EQ(count.wentThrough(), 0.0);
        EXPECT_EQ(count.keptAlongY(), 1.0);
    }
    count.add(AbsorbedByBand{0.0, 0.0, 1.0});
    EXPECT_EQ(count.keptAlongY(), 0.0);
    // Every region and share its own, so that one read for another shows.
    const RegionProbabilities box{0.6, 0.1, 0.2, 0.3, 1.0 / 6.0, 2.0 / 6.0, 3.0 / 6.0};
    const RegionProbabilities read = count.ofWholePacket(box);
    EXPECT_EQ(read.total, box.total);
    EXPECT_EQ(read.left, box.left);
    EXPECT_EQ(read.middle, box.middle);
    EXPECT_EQ(read.right, box.right);
    EXPECT_EQ(read.leftFraction, box.leftFraction);
    EXPECT_EQ(read.middleFraction, box.middleFraction);
    EXPECT_EQ(read.rightFraction, box.rightFraction);
}

} // namespace
} // namespace vxo
