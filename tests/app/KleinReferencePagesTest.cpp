// The ranges and marks of the four stationary Klein reference pages.

#include "app/KleinReferencePages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace vxo {
namespace {

constexpr double kPi = 3.14159265358979323846;

KleinTunnelingConfig kleinAt(double momentum, double angleDegrees, double restMass, double lightSpeed)
{
    KleinTunnelingConfig config;
    config.enabled = true;
    config.lightSpeed = lightSpeed;
    config.restMass = restMass;
    config.momentumX = momentum * std::cos(angleDegrees * kPi / 180.0);
    config.momentumY = momentum * std::sin(angleDegrees * kPi / 180.0);
    return config;
}

TEST(KleinReferencePages, MarksUseTheMagnitudeOfTheAngleAndTheMasslessOneStopsAt70Degrees)
{
    const struct {
        double angle;
        double marker;
        double massless;
    } cases[] = {{0.0, 0.0, 0.0}, {30.0, 30.0, 30.0}, {-30.0, 30.0, 30.0}, {75.0, 75.0, 70.0}, {-75.0, 75.0, 70.0}};
    for (const auto& c : cases) {
        const KleinTunnelingConfig config = kleinAt(1.5, c.angle, 0.05, 1.0);
        EXPECT_NEAR(kleinReferenceMarkerAngle(config), c.marker, 1e-9) << "angle " << c.angle;
        EXPECT_NEAR(kleinMasslessMarkerAngle(config), c.massless, 1e-9) << "angle " << c.angle;
    }
    KleinTunnelingConfig undefined = kleinAt(1.5, 0.0, 0.05, 1.0);
    undefined.momentumY = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(kleinMasslessMarkerAngle(undefined))) << "a NaN angle must not land on the 70 degree edge";
}

TEST(KleinReferencePages, ScansCoverTheirRanges)
{
    // Heights up to max(1.2 V0, 4).
    for (const auto& [height, last] : {std::pair{2.0, 4.0}, std::pair{5.0, 6.0}}) {
        KleinTunnelingConfig config = kleinAt(1.5, 0.0, 0.05, 1.0);
        config.barrierHeight = height;
        const KleinHeightScan scan = buildKleinHeightReference(config, 1.0);
        ASSERT_TRUE(scan.valid) << "V0 = " << height;
        EXPECT_EQ(scan.points.size(), 241u);
        EXPECT_DOUBLE_EQ(scan.points.front().barrierHeight, 0.0);
        EXPECT_DOUBLE_EQ(scan.points.back().barrierHeight, last) << "V0 = " << height;
    }

    // Masses up to max(1.1 m, 1.4), at most 0.985 of the kinematic limit E / c^2.
    const struct {
        double momentum;
        double restMass;
        double lightSpeed;
        double last; // 0: no interval
    } masses[] = {
        {1.446547614149, 0.4, 1.0, 1.4},
        {3.0, 1.5, 1.0, 1.65},
        {0.5, 0.2, 1.0, 0.985 * std::sqrt(0.25 + 0.04)},
        {0.05, 0.0, 10.0, 0.0},
    };
    for (const auto& c : masses) {
        const KleinTunnelingConfig config = kleinAt(c.momentum, 0.0, c.restMass, c.lightSpeed);
        const KleinMassScan scan = buildKleinMassReference(config, 1.0);
        if (c.last == 0.0) {
            EXPECT_LE(kleinMassReferenceLastMass(config), kKleinReferenceFirstMass);
            EXPECT_FALSE(scan.valid);
            EXPECT_TRUE(scan.points.empty());
            continue;
        }
        ASSERT_TRUE(scan.valid) << "m = " << c.restMass;
        EXPECT_EQ(scan.points.size(), 181u);
        EXPECT_DOUBLE_EQ(scan.points.front().restMass, 0.005);
        EXPECT_NEAR(scan.points.back().restMass, c.last, 1e-12) << "m = " << c.restMass;
    }

    const KleinTunnelingConfig config = kleinAt(1.5, 0.0, 0.0, 1.0);
    const KleinAngleScan angles = buildKleinAngleReference(config, 1.0);
    const DiracMasslessComparison massless = buildDiracMasslessReference(config, 1.0);
    ASSERT_TRUE(angles.valid && massless.valid);
    EXPECT_EQ(angles.points.size(), 71u);
    EXPECT_DOUBLE_EQ(angles.points.back().incidenceAngleDegrees, 70.0);
    EXPECT_EQ(massless.points.size(), 141u);
    EXPECT_DOUBLE_EQ(massless.points.back().incidenceAngleDegrees, 70.0);
    EXPECT_DOUBLE_EQ(massless.massiveRestMass, 0.8);
}

} // namespace
} // namespace vxo
