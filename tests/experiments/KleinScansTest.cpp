#include "experiments/KleinScans.h"

#include "KleinTransferMatrix.h"
#include "core/Numeric.h"
#include "tests/experiments/CheckMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace vxo;
using vxo::test::KleinTransferMatrix;

TEST(KleinScans, AngleScanPreconditions)
{
    const KleinTunnelingConfig config;
    for (auto [first, last, n] : {std::tuple{0.0, 70.0, 1}, std::tuple{0.0, 70.0, 722}, std::tuple{10.0, 10.0, 5},
                                  std::tuple{0.0, 89.9, 5}, std::tuple{-1.0, 20.0, 5}}) {
        const KleinAngleScan scan = buildKleinAngleScan(config, first, last, n, 1.0);
        EXPECT_FALSE(scan.valid);
        EXPECT_TRUE(scan.points.empty());
        EXPECT_EQ(scan.lastAngleDegrees, 70.0);
    }
    EXPECT_TRUE(buildKleinAngleScan(config, 0.0, 89.8, 5, 1.0).valid);
    EXPECT_FALSE(buildKleinAngleScan(config, 0.0, 70.0, 71, 0.0).valid);

    const KleinAngleScan scan = buildKleinAngleScan(config, 0.0, 70.0, 71, 1.0);
    ASSERT_TRUE(scan.valid);
    ASSERT_EQ(scan.points.size(), 71u);
    EXPECT_DOUBLE_EQ(scan.points[30].incidenceAngleDegrees, 30.0);
    EXPECT_NEAR(scan.points[30].transmission, kleinBarrierReference(config, 30.0, 1.0).transmission, 1e-15);
    EXPECT_NEAR(scan.energy, 1.50083, 1e-5);
}

TEST(KleinScans, IntervalRulesOfEveryScanFromBothSides)
{
    // Angles in [0, 89.9), heights from 0, masses above 0 and below E / c^2;
    // first < last; 2 to 721 angles or 2001 other points; hbar > 0. With
    // c = 1.25 and hbar = 0.8 a factor of either in the wrong place shows.
    using test::justAbove;
    using test::justBelow;
    KleinTunnelingConfig config;
    config.lightSpeed = 1.25;
    const double hbar = 0.8;
    const double heaviest = QuantumKleinTunneling2D::energy(config) / (1.25 * 1.25);
    struct Row {
        const char* scan;
        double first, last;
        std::int32_t count;
        double hbar;
        bool valid;
    };
    const auto build = [&](const Row& r) {
        const std::string scan = r.scan;
        if (scan == "angle")
            return buildKleinAngleScan(config, r.first, r.last, r.count, r.hbar).valid;
        if (scan == "massless")
            return buildDiracMasslessComparison(config, 0.3, r.first, r.last, r.count, r.hbar).valid;
        if (scan == "height")
            return buildKleinHeightScan(config, r.first, r.last, r.count, r.hbar).valid;
        return buildKleinMassScan(config, r.first, r.last, r.count, r.hbar).valid;
    };
    const Row rows[] = {
        {"angle", 0.0, 70.0, 2, hbar, true},          {"angle", 0.0, justBelow(89.9), 3, hbar, true},
        {"angle", 0.0, 70.0, 721, hbar, true},        {"angle", justBelow(0.0), 70.0, 5, hbar, false},
        {"angle", 0.0, 89.9, 5, hbar, false},         {"angle", 10.0, 10.0, 5, hbar, false},
        {"angle", 0.0, 70.0, 1, hbar, false},         {"angle", 0.0, 70.0, 722, hbar, false},
        {"angle", 0.0, 70.0, 5, 0.0, false},          {"angle", NAN, 70.0, 5, hbar, false},
        {"massless", 0.0, 70.0, 2, hbar, true},       {"massless", 0.0, justBelow(89.9), 3, hbar, true},
        {"massless", 0.0, 70.0, 721, hbar, true},     {"massless", justBelow(0.0), 70.0, 5, hbar, false},
        {"massless", 0.0, 89.9, 5, hbar, false},      {"massless", 10.0, 10.0, 5, hbar, false},
        {"massless", 0.0, 70.0, 1, hbar, false},      {"massless", 0.0, 70.0, 722, hbar, false},
        {"massless", 0.0, 70.0, 5, 0.0, false},       {"height", 0.0, 8.0, 2, hbar, true},
        {"height", 0.0, 8.0, 2001, hbar, true},       {"height", justBelow(0.0), 8.0, 5, hbar, false},
        {"height", 8.0, 8.0, 5, hbar, false},         {"height", 0.0, 8.0, 1, hbar, false},
        {"height", 0.0, 8.0, 2002, hbar, false},      {"height", 0.0, 8.0, 5, 0.0, false},
        {"mass", justAbove(0.0), 1.0, 2, hbar, true}, {"mass", 0.005, justBelow(heaviest), 3, hbar, true},
        {"mass", 0.005, 1.0, 2001, hbar, true},       {"mass", 0.0, 1.0, 5, hbar, false},
        {"mass", 0.005, heaviest, 3, hbar, false},    {"mass", 1.0, 1.0, 5, hbar, false},
        {"mass", 0.005, 1.0, 1, hbar, false},         {"mass", 0.005, 1.0, 2002, hbar, false},
        {"mass", 0.005, 1.0, 5, 0.0, false},
    };
    for (const Row& r : rows)
        EXPECT_EQ(build(r), r.valid) << r.scan << " scan from " << r.first << " to " << r.last << ", " << r.count
                                     << " points, hbar " << r.hbar;
    EXPECT_FALSE(buildDiracMasslessComparison(config, 0.0, 0.0, 70.0, 5, hbar).valid);
}

TEST(KleinScans, HeightScanCrossesTheThreeRegimes)
{
    const KleinTunnelingConfig config;
    const KleinHeightScan scan = buildKleinHeightScan(config, 0.0, 4.0, 241, 1.0);
    ASSERT_TRUE(scan.valid);
    ASSERT_EQ(scan.points.size(), 241u);
    EXPECT_NEAR(scan.lowerThreshold, 1.45083, 1e-5);
    EXPECT_NEAR(scan.kleinThreshold, 1.55083, 1e-5);

    const KleinHeightScanPoint& free = scan.points.front();
    EXPECT_TRUE(free.valid);
    EXPECT_EQ(free.transmission, 1.0);
    EXPECT_EQ(free.reflection, 0.0);
    EXPECT_EQ(free.regime, kKleinRegimePositiveBranch);

    for (const KleinHeightScanPoint& p : scan.points) {
        if (!p.valid)
            continue;
        const std::int32_t expected = p.barrierHeight < scan.lowerThreshold    ? kKleinRegimePositiveBranch
                                      : p.barrierHeight <= scan.kleinThreshold ? kKleinRegimeEvanescent
                                                                               : kKleinRegimeSupercritical;
        EXPECT_EQ(p.regime, expected) << p.barrierHeight;
        if (p.barrierHeight > 0.0) {
            const auto reference = KleinTransferMatrix::solve(1.0, 0.05, 1.5, 0.0, p.barrierHeight, 3.0, 1.0);
            EXPECT_NEAR(p.transmission, reference.transmission, 1e-8) << p.barrierHeight;
        }
    }
    EXPECT_FALSE(buildKleinHeightScan(config, 0.0, 4.0, 2002, 1.0).valid);
    EXPECT_FALSE(buildKleinHeightScan(config, 1.0, 1.0, 10, 1.0).valid);
    EXPECT_FALSE(kleinHeightScanPoint(config, -0.5, 1.0).valid);
}

TEST(KleinScans, MassScanAtFixedEnergy)
{
    const KleinTunnelingConfig config;
    const KleinMassScan scan = buildKleinMassScan(config, 0.005, 1.4, 181, 1.0);
    ASSERT_TRUE(scan.valid);
    EXPECT_NEAR(scan.transitionMass, 1.69917, 1e-5);
    EXPECT_NEAR(scan.maximumMass, 1.50083, 1e-5);
    for (const KleinMassScanPoint& p : scan.points) {
        ASSERT_TRUE(p.valid) << p.restMass;
        EXPECT_EQ(p.regime, kKleinRegimeSupercritical) << p.restMass;
        // Same energy: m^2 c^4 + p^2 c^2 = E^2.
        EXPECT_NEAR(std::hypot(p.momentumMagnitude, p.restEnergy), scan.energy, 1e-12);
        EXPECT_DOUBLE_EQ(p.gap, 2.0 * p.restEnergy);
    }
    const KleinMassScanPoint& heavy = scan.points.back();
    const auto reference = KleinTransferMatrix::solve(1.0, 1.4, heavy.momentumMagnitude, 0.0, 3.2, 3.0, 1.0);
    EXPECT_NEAR(heavy.transmission, reference.transmission, 1e-8);

    EXPECT_FALSE(kleinMassScanPoint(config, 1.6, 1.0).valid); // m c^2 >= E
    EXPECT_FALSE(buildKleinMassScan(config, 0.005, 1.51, 181, 1.0).valid);
    EXPECT_TRUE(buildKleinMassScan(config, 0.005, 1.5, 3, 1.0).valid);
}

TEST(KleinScans, MasslessComparisonAtEqualEnergy)
{
    const KleinTunnelingConfig config;
    KleinTunnelingConfig equal;
    ASSERT_TRUE(kleinEqualEnergyConfig(config, 0.8, equal));
    EXPECT_NEAR(QuantumKleinTunneling2D::energy(equal), QuantumKleinTunneling2D::energy(config), 1e-12);
    EXPECT_EQ(equal.momentumY, 0.0);
    EXPECT_FALSE(kleinEqualEnergyConfig(config, 2.0, equal));
    // Each precondition alone: settings that are refused (a backward packet,
    // though the normal-incidence output would be valid), and a mass that is
    // negative or not a number.
    KleinTunnelingConfig backward = config;
    backward.momentumX = -config.momentumX;
    EXPECT_FALSE(kleinEqualEnergyConfig(backward, 0.8, equal));
    for (double mass : {-0.1, std::nan("")})
        EXPECT_FALSE(kleinEqualEnergyConfig(config, mass, equal)) << "m = " << mass;

    const DiracMasslessComparison scan = buildDiracMasslessComparison(config, 0.8, 0.0, 70.0, 141, 1.0);
    ASSERT_TRUE(scan.valid);
    ASSERT_EQ(scan.points.size(), 141u);
    EXPECT_NEAR(scan.masslessMomentum, QuantumKleinTunneling2D::energy(config), 1e-12);
    const DiracMasslessComparisonPoint& normal = scan.points.front();
    EXPECT_NEAR(normal.masslessTransmission, 1.0, 1e-12);
    EXPECT_NEAR(normal.massiveTransmission, 0.3668, 5e-4);
    const auto reference = KleinTransferMatrix::solve(1.0, 0.8, scan.massiveMomentum, 0.0, 3.2, 3.0, 1.0);
    EXPECT_NEAR(normal.massiveTransmission, reference.transmission, 1e-8);

    // At V0 = E the massless system is singular and the point invalid.
    KleinTunnelingConfig atEnergy = config;
    atEnergy.barrierHeight = QuantumKleinTunneling2D::energy(config);
    EXPECT_FALSE(diracMasslessComparisonPoint(atEnergy, 0.8, 0.0, 1.0).valid);
    EXPECT_FALSE(buildDiracMasslessComparison(config, 0.0, 0.0, 70.0, 141, 1.0).valid);
}

// Inside a barrier of height V the packet's energy E is E - V, so its
// longitudinal momentum squared is ((E - V)^2 - (m c^2)^2) / c^2 - py^2;
// without a barrier that is the incident px^2, which a caller of the height
// scan reads at its first point.
TEST(KleinScans, HeightScanMomentumIsTheIncidentOneWithoutABarrier)
{
    const struct {
        double lightSpeed, restMass, px, py;
    } cases[] = {{1.0, 0.05, 1.5, 0.0}, {1.3, 0.2, 1.1, 0.4}, {0.8, 0.0, 0.9, -0.5}};
    for (const auto& c : cases) {
        KleinTunnelingConfig config;
        config.lightSpeed = c.lightSpeed;
        config.restMass = c.restMass;
        config.momentumX = c.px;
        config.momentumY = c.py;
        const double c2 = c.lightSpeed * c.lightSpeed;
        const double rest = c.restMass * c2;
        const double energy = std::sqrt((c.px * c.px + c.py * c.py) * c2 + rest * rest);
        for (const double height : {0.0, 0.25, 0.7}) {
            const KleinHeightScanPoint point = kleinHeightScanPoint(config, height, 1.0);
            const double expected = ((energy - height) * (energy - height) - rest * rest) / c2 - c.py * c.py;
            EXPECT_NEAR(point.barrierMomentumXSquared, expected, 1e-12) << "c " << c.lightSpeed << ", V " << height;
        }
        EXPECT_NEAR(kleinHeightScanPoint(config, 0.0, 1.0).barrierMomentumXSquared, c.px * c.px, 1e-12);
        const KleinHeightScan scan = buildKleinHeightScan(config, 0.0, 2.0, 11, 1.0);
        ASSERT_TRUE(scan.valid) << "c " << c.lightSpeed;
        EXPECT_NEAR(scan.points.front().barrierMomentumXSquared, c.px * c.px, 1e-12);
    }
}
