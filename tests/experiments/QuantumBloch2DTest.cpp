#include "experiments/QuantumBloch2D.h"

#include "core/Numeric.h"
#include "tests/experiments/CheckMessages.h"
#include "tests/experiments/PresetScenes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace vxo;
using namespace vxo::test;

namespace {

std::string blochMessage(const std::vector<PotentialObject>& objects)
{
    BlochLatticeConfig config;
    const std::string error = refusalMessage(QuantumBloch2D::extractFromScene, sceneOf(objects), config);
    EXPECT_FALSE(config.valid);
    return error;
}

} // namespace

TEST(QuantumBloch2D, RecognisesThePresetLatticeAndItsBlochPeriod)
{
    BlochLatticeConfig config;
    std::string error = "stale";
    ASSERT_TRUE(QuantumBloch2D::extractFromScene(sceneOf(blochLatticeObjects()), config, &error));
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(config.wellCount, 16);
    EXPECT_NEAR(config.spacing, 2.56, 1e-5); // a centre difference in single precision
    EXPECT_NEAR(config.depth, 1.0, 1e-7);
    EXPECT_NEAR(config.wellWidth, 1.28, 1e-6);
    EXPECT_NEAR(config.force, -0.08, 1e-8);
    EXPECT_EQ(config.slopeX, -config.force); // the force is minus the slope along x
    EXPECT_NEAR(config.firstCenterX, -7.5 * 2.56, 1e-5);
    EXPECT_NEAR(config.lastCenterX, 7.5 * 2.56, 1e-5);

    // T_B = 2 pi hbar / (|F| a): 2 pi / (0.08 * 2.56), about 30.68.
    const double period = 2.0 * kPi / (0.08 * 2.56);
    EXPECT_NEAR(QuantumBloch2D::blochPeriod(config, 1.0), period, 1e-6 * period);
    EXPECT_NEAR(QuantumBloch2D::blochPeriod(config, 2.0), 2.0 * period, 2e-6 * period);
    EXPECT_NEAR(QuantumBloch2D::zoneEdgeMomentum(config, 1.0), kPi / 2.56, 1e-6);
}

TEST(QuantumBloch2D, AcceptsTheLatticeInAnyOrderAndIgnoresDisabledObjects)
{
    std::vector<PotentialObject> objects = blochLatticeObjects();
    std::reverse(objects.begin(), objects.end());
    std::swap(objects[3], objects[9]);
    PotentialObject barrier = rectangleObject(5.0f, 0.0f, 0.0f, 1.0f, 1.0f);
    barrier.enabled = false;
    objects.push_back(barrier);
    BlochLatticeConfig config;
    ASSERT_TRUE(QuantumBloch2D::extractFromScene(sceneOf(objects), config, nullptr));
    EXPECT_NEAR(config.spacing, 2.56, 1e-5);
    EXPECT_NEAR(config.firstCenterX, -19.2, 1e-5);
}

TEST(QuantumBloch2D, RefusesPerturbedLatticesWithTheirMessages)
{
    std::vector<PotentialObject> barrier = blochLatticeObjects();
    barrier.insert(barrier.begin() + 4, rectangleObject(1.0f, 30.0f, 0.0f, 1.0f, 1.0f));
    EXPECT_EQ(blochMessage(barrier), "Bloch lattice accepts only negative Rectangle wells plus one Linear X term.");

    std::vector<PotentialObject> twoForces = blochLatticeObjects();
    twoForces.push_back(linearObject(0.0f, 0.0f, 0.01f, 0.0f));
    EXPECT_EQ(blochMessage(twoForces), "Bloch lattice expects exactly one enabled Linear force term.");

    std::vector<PotentialObject> fourWells = blochLatticeObjects();
    fourWells.erase(fourWells.begin() + 4, fourWells.end() - 1);
    EXPECT_EQ(blochMessage(fourWells), "Bloch lattice needs at least five enabled periodic wells.");

    std::vector<PotentialObject> tilted = blochLatticeObjects();
    tilted.back().slopeY = 1e-8f;
    EXPECT_EQ(blochMessage(tilted), "Bloch lattice needs one non-zero Linear slopeX and zero slopeY.");
    tilted.back().slopeY = 1e-10f;
    BlochLatticeConfig config;
    EXPECT_TRUE(QuantumBloch2D::extractFromScene(sceneOf(tilted), config, nullptr));

    std::vector<PotentialObject> noForce = blochLatticeObjects();
    noForce.back().slopeX = 0.0f;
    EXPECT_EQ(blochMessage(noForce), "Bloch lattice needs one non-zero Linear slopeX and zero slopeY.");

    std::vector<PotentialObject> deeper = blochLatticeObjects();
    for (PotentialObject& o : deeper)
        if (o.kind == PotentialObjectKind::Rectangle)
            o.value = -2.0f;
    deeper[6].value = -2.0f * 1.005f; // 0.5 percent off a depth of 2
    EXPECT_EQ(blochMessage(deeper), "Bloch lattice wells must have equal depth, width, height and centerY.");
    deeper[6].value = -2.0f * 1.00005f; // within 2e-4
    EXPECT_TRUE(QuantumBloch2D::extractFromScene(sceneOf(deeper), config, nullptr));

    std::vector<PotentialObject> uneven = blochLatticeObjects();
    uneven[9].centerX += 0.1f;
    EXPECT_EQ(blochMessage(uneven), "Bloch lattice wells are not equally spaced.");

    // The first failing well decides; within one well the shape comes first.
    std::vector<PotentialObject> both = blochLatticeObjects();
    both[2].centerX += 0.1f;
    both[2].height = 40.0f;
    EXPECT_EQ(blochMessage(both), "Bloch lattice wells must have equal depth, width, height and centerY.");
    both[2].height = 42.0f;
    both[3].height = 40.0f;
    EXPECT_EQ(blochMessage(both), "Bloch lattice wells are not equally spaced.");
}

TEST(QuantumBloch2D, CheckClearsTheErrorAndTheRecordFirst)
{
    BlochLatticeConfig config;
    std::string error = "old message";
    ASSERT_TRUE(QuantumBloch2D::extractFromScene(sceneOf(blochLatticeObjects()), config, &error));
    EXPECT_EQ(error, "");
    EXPECT_FALSE(QuantumBloch2D::extractFromScene(PotentialScene{}, config, &error));
    EXPECT_EQ(error, "Bloch lattice needs at least five enabled periodic wells.");
    EXPECT_FALSE(config.valid);
    EXPECT_EQ(config.wellCount, 0);
    EXPECT_EQ(QuantumBloch2D::blochPeriod(config, 1.0), 0.0);

    // A force of magnitude 1e-15 or less has no Bloch period; just more has.
    ASSERT_TRUE(QuantumBloch2D::extractFromScene(sceneOf(blochLatticeObjects()), config, nullptr));
    for (auto [force, periodic] : {std::pair{1e-15, false}, {-1e-15, false}, {1.1e-15, true}}) {
        config.force = force;
        EXPECT_EQ(QuantumBloch2D::blochPeriod(config, 1.0) > 0.0, periodic) << "force " << force;
    }
}

TEST(QuantumBloch2D, ReducedMomentumSweepsTheZoneOncePerBlochPeriod)
{
    BlochLatticeConfig config;
    config.valid = true;
    config.spacing = 2.0;
    config.force = 0.05;
    const double period = QuantumBloch2D::blochPeriod(config, 1.0);
    const double edge = QuantumBloch2D::zoneEdgeMomentum(config, 1.0);
    ASSERT_NEAR(period, 2.0 * kPi / 0.1, 1e-9);
    ASSERT_NEAR(edge, kPi / 2.0, 1e-12);

    EXPECT_NEAR(QuantumBloch2D::reducedMomentum(config, 0.0, 0.0, 1.0), 0.0, 1e-12);
    EXPECT_NEAR(QuantumBloch2D::reducedMomentum(config, 0.0, 0.25 * period, 1.0), 0.5 * edge, 1e-9);
    EXPECT_NEAR(QuantumBloch2D::reducedMomentum(config, 0.0, 0.5 * period - 1e-6, 1.0), edge, 1e-6);
    EXPECT_NEAR(QuantumBloch2D::reducedMomentum(config, 0.0, 0.5 * period + 1e-6, 1.0), -edge, 1e-6);
    EXPECT_NEAR(QuantumBloch2D::reducedMomentum(config, 0.0, period, 1.0), 0.0, 1e-9);
    EXPECT_NEAR(QuantumBloch2D::reducedMomentum(config, 0.3, 7.0 * period, 1.0), 0.3, 1e-9);
    // Negative force and momenta fold the same way.
    config.force = -0.05;
    EXPECT_NEAR(QuantumBloch2D::reducedMomentum(config, 0.0, 0.25 * period, 1.0), -0.5 * edge, 1e-9);
    for (double t = 0.0; t < 3.0 * period; t += 0.37) {
        const double p = QuantumBloch2D::reducedMomentum(config, -0.4, t, 1.0);
        EXPECT_GE(p, -edge);
        EXPECT_LT(p, edge);
    }
    // Beside the zone edges, where folding rounds onto the upper edge, the
    // result still lies in [-edge, edge).
    for (double p0 : {std::nextafter(-edge, -10.0), -edge, std::nextafter(edge, 10.0), edge}) {
        const double p = QuantumBloch2D::reducedMomentum(config, p0, 0.0, 1.0);
        EXPECT_GE(p, -edge) << "p0 = " << p0;
        EXPECT_LT(p, edge) << "p0 = " << p0;
    }
}

// Six wells spaced by 0.25 or 4, the fourth moved by a whole number of
// 2^-20 (exact in the single-precision centres): a gap may differ from the
// first by 1e-4 of the spacing, and by 1e-4 at least on a fine lattice.
TEST(QuantumBloch2D, SpacingToleranceIsATenThousandthOfTheLargerOfSpacingAndOne)
{
    const double step = std::ldexp(1.0, -20);
    const char* uneven = "Bloch lattice wells are not equally spaced.";
    const struct Case {
        double spacing, shift;
        const char* outcome;
    } cases[] = {
        {0.25, 104 * step, "ok"}, // 0.99e-4
        {0.25, 105 * step, uneven},
        {4.0, 419 * step, "ok"}, // 4e-4 less 0.4e-6
        {4.0, 420 * step, uneven},
    };
    for (const Case& c : cases) {
        std::vector<PotentialObject> objects;
        for (int k = 0; k < 6; ++k)
            objects.push_back(rectangleObject(-1.0f, float(k * c.spacing + (k == 3 ? c.shift : 0.0)), 0.0f,
                                              float(c.spacing / 2), 4.0f));
        objects.push_back(linearObject(0.0f, 0.0f, 0.08f, 0.0f));
        EXPECT_EQ(sceneCheckOutcome<BlochLatticeConfig>(QuantumBloch2D::extractFromScene, sceneOf(objects)), c.outcome)
            << "spacing " << c.spacing << ", a well moved by " << c.shift;
    }
}

// Each rule just beside its bound: a Rectangle of value 0 is no well, five
// wells are enough, and the slopes half a percent either side of 1e-12 (along
// x, the least force) and 1e-9 (across, the most tilt).
TEST(QuantumBloch2D, EachRuleHoldsJustBesideItsBound)
{
    const std::string notAWell = "Bloch lattice accepts only negative Rectangle wells plus one Linear X term.";
    const std::string noForce = "Bloch lattice needs one non-zero Linear slopeX and zero slopeY.";
    using Objects = std::vector<PotentialObject>;
    const struct Case {
        const char* name;
        std::function<void(Objects&)> change;
        std::string outcome;
    } cases[] = {
        {"a Rectangle of value 0",
         [](Objects& o) { o.insert(o.begin(), rectangleObject(0.0f, 30.0f, 0.0f, 1.28f, 42.0f)); }, notAWell},
        {"five wells", [](Objects& o) { o.erase(o.begin() + 5, o.end() - 1); }, "ok"},
        {"slopeX 1.005e-12", [](Objects& o) { o.back().slopeX = 1.005e-12f; }, "ok"},
        {"slopeX -0.995e-12", [](Objects& o) { o.back().slopeX = -0.995e-12f; }, noForce},
        {"slopeY 0.995e-9", [](Objects& o) { o.back().slopeY = 0.995e-9f; }, "ok"},
        {"slopeY -1.005e-9", [](Objects& o) { o.back().slopeY = -1.005e-9f; }, noForce},
    };
    for (const Case& c : cases) {
        Objects objects = blochLatticeObjects();
        c.change(objects);
        EXPECT_EQ(sceneCheckOutcome<BlochLatticeConfig>(QuantumBloch2D::extractFromScene, sceneOf(objects)), c.outcome)
            << c.name;
    }
}
