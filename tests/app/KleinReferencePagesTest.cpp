// The scanned range of the Klein barrier-height page.

#include "app/panels/KleinReferencePages.h"

#include <gtest/gtest.h>

#include <utility>

namespace vxo {
namespace {

TEST(KleinReferencePages, HeightsRunFromZeroToTheLargerOf4And1Point2V0)
{
    for (const auto& [height, last] : {std::pair{2.0, 4.0}, std::pair{3.2, 4.0}, std::pair{5.0, 6.0}}) {
        KleinTunnelingConfig config;
        config.barrierHeight = height;
        const KleinHeightScan scan = buildKleinHeightReference(config, 1.0);
        ASSERT_TRUE(scan.valid && scan.points.size() == 241u) << "V0 = " << height;
        EXPECT_DOUBLE_EQ(scan.points.front().barrierHeight, 0.0);
        EXPECT_DOUBLE_EQ(scan.points.back().barrierHeight, last) << "V0 = " << height;
    }
}

} // namespace
} // namespace vxo
