// The scanned range of the Klein barrier-height page.

#include "app/panels/KleinReferencePages.h"

#include <gtest/gtest.h>

#include <cmath>
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

// The mass page holds the total energy E = sqrt((c p)^2 + (m c^2)^2) fixed,
// so it scans up to 1.4 (or 1.1 m for a heavier particle) but stops short of
// E/c^2, where the momentum would vanish: at 0.985 E/c^2.
TEST(KleinReferencePages, MassesRunFromTheFirstMassToTheUpperMassBelowTheKinematicLimit)
{
    struct Case {
        const char* what;
        double restMass;
        double momentumX;
        double lastMass;
    };
    const double lowEnergy = std::hypot(0.5, 0.05);
    const Case cases[] = {
        {"the mass preset", 0.4, 1.446547614149, 1.4},
        {"a heavier particle", 1.5, 1.0, 1.65},
        {"a slow light particle", 0.05, 0.5, 0.985 * lowEnergy},
    };
    for (const Case& c : cases) {
        KleinTunnelingConfig config;
        config.restMass = c.restMass;
        config.momentumX = c.momentumX;
        const KleinMassScan scan = buildKleinMassReference(config, 1.0);
        ASSERT_TRUE(scan.valid && scan.points.size() == 181u) << c.what;
        EXPECT_DOUBLE_EQ(scan.points.front().restMass, kKleinReferenceFirstMass) << c.what;
        EXPECT_NEAR(scan.points.back().restMass, c.lastMass, 1e-12) << c.what;
    }
}

} // namespace
} // namespace vxo
