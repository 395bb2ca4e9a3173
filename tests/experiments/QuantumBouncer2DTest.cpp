#include "experiments/BouncerRecorder.h"
#include "experiments/QuantumBouncer2D.h"

#include "common/TestSupport.h"
#include "core/GaussianPacket2D.h"
#include "tests/experiments/CheckMessages.h"
#include "tests/experiments/PresetScenes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace vxo;
using namespace vxo::test;

namespace {

std::string bouncerMessage(const PotentialScene& scene)
{
    BouncerConfig config;
    const std::string error = refusalMessage(QuantumBouncer2D::extractFromScene, scene, config);
    EXPECT_FALSE(config.valid);
    return error;
}

BouncerConfig presetBouncer()
{
    BouncerConfig config;
    EXPECT_TRUE(QuantumBouncer2D::extractFromScene(sceneOf(bouncerObjects()), config, nullptr));
    return config;
}

// Eigenvalues of -(hbar^2 / 2m) psi'' + F z psi on z in (0, zMax) with
// psi = 0 at both ends, by Sturm counts of the three-point discretisation:
// the n-th value is found by bisection on the number of negative pivots.
double triangularWellLevel(int n, double force, double mass, double hbar, double zMax)
{
    const int points = 4000;
    const double h = zMax / (points + 1);
    const double offDiagonal = -hbar * hbar / (2.0 * mass * h * h);
    auto countBelow = [&](double e) {
        int count = 0;
        double pivot = 1.0;
        for (int k = 1; k <= points; ++k) {
            const double diagonal = -2.0 * offDiagonal + force * k * h - e;
            pivot = k == 1 ? diagonal : diagonal - offDiagonal * offDiagonal / pivot;
            if (pivot < 0.0)
                ++count;
        }
        return count;
    };
    double lo = 0.0;
    double hi = force * zMax;
    for (int it = 0; it < 80; ++it) {
        const double mid = 0.5 * (lo + hi);
        (countBelow(mid) > n ? hi : lo) = mid;
    }
    return 0.5 * (lo + hi);
}

} // namespace

TEST(QuantumBouncer2D, RecognisesThePresetFloorAndForce)
{
    const BouncerConfig config = presetBouncer();
    ASSERT_TRUE(config.valid);
    EXPECT_NEAR(config.floorY, -8.0, 1e-6);
    EXPECT_DOUBLE_EQ(config.floorHeight, 150.0);
    EXPECT_NEAR(config.force, 0.8, 1e-7);
}

TEST(QuantumBouncer2D, RefusesPerturbedScenesWithTheirMessages)
{
    EXPECT_EQ(bouncerMessage(PotentialScene{}),
              "Quantum bouncer requires one floor Rectangle and one positive Linear-Y slope.");

    std::vector<PotentialObject> square = bouncerObjects();
    square[0].width = 4.0f * square[0].height; // exactly 4 heights is not a floor
    EXPECT_EQ(bouncerMessage(sceneOf(square)),
              "Quantum bouncer scene must contain only one floor Rectangle and one Linear-Y term.");

    // A slope along x of 1e-7 or more, either way, is not a Linear-Y term;
    // just less is.
    std::vector<PotentialObject> sideways = bouncerObjects();
    for (float slopeX : {1e-6f, 1e-7f, -1e-7f}) {
        sideways[1].slopeX = slopeX;
        EXPECT_EQ(bouncerMessage(sceneOf(sideways)),
                  "Quantum bouncer scene must contain only one floor Rectangle and one Linear-Y term.")
            << "slope x " << slopeX;
    }
    for (float slopeX : {std::nextafter(1e-7f, 0.0f), -std::nextafter(1e-7f, 0.0f)}) {
        sideways[1].slopeX = slopeX;
        BouncerConfig accepted;
        EXPECT_TRUE(QuantumBouncer2D::extractFromScene(sceneOf(sideways), accepted, nullptr)) << "slope x " << slopeX;
    }
    sideways[1].slopeX = 0.0f;
    sideways[1].slopeY = 0.0f;
    EXPECT_EQ(bouncerMessage(sceneOf(sideways)),
              "Quantum bouncer scene must contain only one floor Rectangle and one Linear-Y term.");

    std::vector<PotentialObject> twoFloors = bouncerObjects();
    twoFloors.push_back(rectangleObject(150.0f, 0.0f, 8.0f, 40.0f, 1.0f));
    EXPECT_EQ(bouncerMessage(sceneOf(twoFloors)),
              "Quantum bouncer expects exactly one horizontal positive Rectangle floor.");

    std::vector<PotentialObject> twoSlopes = bouncerObjects();
    twoSlopes.push_back(linearObject(0.0f, 0.0f, 0.0f, 0.2f));
    EXPECT_EQ(bouncerMessage(sceneOf(twoSlopes)), "Quantum bouncer expects exactly one downward Linear-Y force term.");

    std::vector<PotentialObject> disabledSlope = bouncerObjects();
    disabledSlope[1].enabled = false;
    EXPECT_EQ(bouncerMessage(sceneOf(disabledSlope)),
              "Quantum bouncer requires one floor Rectangle and one positive Linear-Y slope.");
}

// The Airy-zero levels are the eigenvalues of the triangular well above the
// floor, and each level's classical turning point satisfies F (y_n - floor) = E_n.
TEST(QuantumBouncer2D, AiryLevelsAreTheTriangularWellSpectrum)
{
    const BouncerConfig config = presetBouncer();
    const double ell = QuantumBouncer2D::airyLength(config, 1.0, 1.0);
    EXPECT_NEAR(ell, std::cbrt(1.0 / 1.6), 1e-7);
    for (std::uint32_t n = 0; n < 8; ++n) {
        const double energy = QuantumBouncer2D::levelEnergy(n, config, 1.0, 1.0);
        const double reference = triangularWellLevel(static_cast<int>(n), config.force, 1.0, 1.0, 25.0 * ell);
        EXPECT_NEAR(energy, reference, 2e-4 * reference) << "level " << n;
        const double height = QuantumBouncer2D::levelHeight(n, config, 1.0, 1.0);
        EXPECT_NEAR(config.force * (height - config.floorY), energy, 1e-12) << "level " << n;
    }
    // Units: F = m = hbar = 1 give ell = 2^(-1/3) and E_0 = 1.8558.
    BouncerConfig unit = config;
    unit.force = 1.0;
    EXPECT_NEAR(QuantumBouncer2D::airyLength(unit, 1.0, 1.0), 0.7937005, 1e-6);
    EXPECT_NEAR(QuantumBouncer2D::levelEnergy(0, unit, 1.0, 1.0), 1.8557571, 1e-6);
    EXPECT_EQ(QuantumBouncer2D::levelEnergy(8, unit, 1.0, 1.0), 0.0);
    EXPECT_EQ(QuantumBouncer2D::levelHeight(8, unit, 1.0, 1.0), unit.floorY);
    EXPECT_EQ(QuantumBouncer2D::airyLength(BouncerConfig{}, 1.0, 1.0), 0.0);
    EXPECT_EQ(QuantumBouncer2D::levelHeight(0, config, 0.0, 1.0), config.floorY);
}

TEST(QuantumBouncer2D, ClassicalBounceFromRestReturnsToItsHeightForever)
{
    const BouncerConfig config = presetBouncer();
    const double g = config.force; // mass 1
    const double drop = 3.0;
    const double fall = std::sqrt(2.0 * drop / g);
    const double y0 = config.floorY + drop;
    EXPECT_NEAR(QuantumBouncer2D::classicalHeight(fall, config, 1.0, y0, 0.0), config.floorY, 1e-9);
    EXPECT_NEAR(QuantumBouncer2D::classicalHeight(2.0 * fall, config, 1.0, y0, 0.0), y0, 1e-9);
    EXPECT_NEAR(QuantumBouncer2D::classicalHeight(0.5 * fall, config, 1.0, y0, 0.0), y0 - 0.25 * drop, 1e-9);
    // Far beyond any fixed number of impacts the apex is still the start.
    for (int bounce : {10, 127, 128, 129, 1000, 100000})
        EXPECT_NEAR(QuantumBouncer2D::classicalHeight(2.0 * fall * bounce, config, 1.0, y0, 0.0), y0, 1e-6)
            << bounce << " bounces";
    for (double t = 0.0; t < 40.0; t += 0.173)
        EXPECT_GE(QuantumBouncer2D::classicalHeight(t, config, 1.0, y0, 0.0), config.floorY);
}

// Thrown from the floor with speed v, the mass rises to v^2 / (2 g) after
// every impact, whichever way it was moving at the start: a downward start on
// or below the floor used to stick to the floor.
TEST(QuantumBouncer2D, ClassicalBounceFromTheFloorRisesToVSquaredOverTwoG)
{
    const BouncerConfig config = presetBouncer();
    const double mass = 2.0;
    const double g = config.force / mass;
    const double v = 1.5;
    const double apex = config.floorY + v * v / (2.0 * g);
    const double flight = 2.0 * v / g;
    for (double p0 : {mass * v, -mass * v})
        for (double y0 : {config.floorY, config.floorY - 1.0})
            for (int bounce : {0, 5, 300, 20000}) {
                const double t = (bounce + 0.5) * flight;
                EXPECT_NEAR(QuantumBouncer2D::classicalHeight(t, config, mass, y0, p0), apex, 1e-6)
                    << "p0 " << p0 << " y0 " << y0 << " bounce " << bounce;
            }
    // At rest on the floor it stays there.
    EXPECT_EQ(QuantumBouncer2D::classicalHeight(7.0, config, mass, config.floorY, 0.0), config.floorY);
    // Unusable input gives back the start.
    EXPECT_EQ(QuantumBouncer2D::classicalHeight(-1.0, config, mass, 2.0, 0.0), 2.0);
    EXPECT_EQ(QuantumBouncer2D::classicalHeight(1.0, BouncerConfig{}, mass, 2.0, 0.0), 2.0);
    EXPECT_EQ(QuantumBouncer2D::classicalHeight(1.0, config, 0.0, 2.0, 0.0), 2.0);
    for (const double p0 : {std::nan(""), HUGE_VAL, -HUGE_VAL})
        EXPECT_EQ(QuantumBouncer2D::classicalHeight(1.0, config, mass, 2.0, p0), 2.0) << "p0 " << p0;
}

TEST(BouncerRecorder, RecordsMomentsNearFloorWeightAndTheVerticalProfile)
{
    const BouncerConfig config = presetBouncer();
    BouncerRecorder recorder(2);
    GaussianPacket2D packet;
    packet.y0 = -7.0f;
    packet.sigma = 1.0f;
    // 16 x 128 cells of 0.75 x 0.25: the rows near the floor (j = 32 .. 38)
    // lie beyond the column count, and the cells are not square.
    ComplexField2D field(16, 128, 0.75f, 0.25f);
    GaussianPacket2D::prepare(field, packet);

    EXPECT_FALSE(recorder.record(0.0, field, 1.0, 1.0)); // not configured
    EXPECT_FALSE(recorder.configure(config, std::nan(""), 0.0));
    EXPECT_FALSE(recorder.configure(BouncerConfig{}, -7.0, 0.0));
    ASSERT_TRUE(recorder.configure(config, -7.0, -0.3));
    EXPECT_EQ(recorder.initialMomentumY(), -0.3);
    EXPECT_FALSE(recorder.record(0.0, field, 0.0, 1.0));
    EXPECT_FALSE(recorder.record(0.0, ComplexField2D(), 1.0, 1.0));
    ASSERT_TRUE(recorder.record(0.0, field, 1.0, 1.0));

    const BouncerSample& s = recorder.samples().back();
    EXPECT_NEAR(s.norm, 1.0, 1e-5);
    EXPECT_NEAR(s.meanY, -7.0, 1e-4);
    EXPECT_NEAR(s.sigmaY, 1.0, 1e-3);
    // Rows with -8 <= y <= -8 + 2 ell (ell = 0.855): centres -7.875 .. -6.375,
    // compared with the sum of the same rows of the profile.
    ASSERT_EQ(s.yMarginal.size(), 128u);
    double rows = 0.0;
    for (std::uint64_t j = 0; j < 128; ++j) {
        const double y = gridCoordinateY(field, j);
        if (y >= -8.0 && y <= -8.0 + 2.0 * QuantumBouncer2D::airyLength(config, 1.0, 1.0))
            rows += s.yMarginal[j] * 0.25;
    }
    EXPECT_GT(s.nearFloorProbability, 0.3);
    EXPECT_NEAR(s.nearFloorProbability, rows, 1e-6);
    EXPECT_EQ(recorder.profileRows(), 128u);
    EXPECT_EQ(recorder.profileDy(), 0.25f);

    ASSERT_TRUE(recorder.record(1.0, field, 1.0, 1.0));
    ASSERT_TRUE(recorder.record(2.0, field, 1.0, 1.0));
    ASSERT_EQ(recorder.samples().size(), 2u);
    EXPECT_EQ(recorder.samples()[0].time, 1.0);

    recorder.clear();
    EXPECT_FALSE(recorder.isConfigured());
    EXPECT_TRUE(recorder.samples().empty());
    EXPECT_EQ(recorder.profileRows(), 0u);
    EXPECT_FALSE(recorder.record(3.0, field, 1.0, 1.0));
}
