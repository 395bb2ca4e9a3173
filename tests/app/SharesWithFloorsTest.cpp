// A length shared in proportion to weights, no part below its floor.

#include "app/form/SharesWithFloors.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace vxo {
namespace {

TEST(SharesWithFloors, ProportionalWhereEveryShareClearsItsFloorElseFloorsFirst)
{
    struct Case {
        std::string what;
        int total;
        std::vector<int> weights;
        std::vector<int> floors;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"every share above its floor", 1000, {2, 5, 3}, {10, 10, 10}, {200, 500, 300}},
        {"the rounding to the last free part", 100, {1, 1, 1}, {0, 0, 0}, {33, 33, 34}},
        {"one part short: the others share the rest by weight", 1000, {1, 6, 3}, {250, 0, 0}, {250, 500, 250}},
        {"a part fixed makes a second one short", 1000, {1, 3, 6}, {300, 290, 0}, {300, 290, 410}},
        {"the last part at its floor, the rounding to a free one", 101, {1, 1, 1}, {0, 0, 60}, {20, 21, 60}},
        {"floors beyond the total", 300, {1, 1, 1}, {150, 100, 120}, {150, 100, 120}},
        // Weights of hundreds, as the right column's docks have them.
        {"large weights, every share above its floor", 1000, {250, 245, 230}, {200, 100, 100}, {344, 337, 319}},
        {"large weights, the first part at its floor", 900, {250, 245, 230}, {420, 0, 0}, {420, 247, 233}},
    };
    for (const Case& c : cases) {
        const std::vector<int> shares = sharesWithFloors(c.total, c.weights, c.floors);
        EXPECT_EQ(shares, c.expected) << c.what;
        for (std::size_t i = 0; i < shares.size(); ++i)
            EXPECT_GE(shares[i], c.floors[i]) << c.what << ", part " << i;
        const int floorsSum = std::accumulate(c.floors.begin(), c.floors.end(), 0);
        if (floorsSum <= c.total) {
            EXPECT_EQ(std::accumulate(shares.begin(), shares.end(), 0), c.total) << c.what << ": not all shared";
        }
    }
}

} // namespace
} // namespace vxo
