#include "experiments/QuantumScar2D.h"
#include "experiments/ScarRecorder.h"
#include "experiments/FieldProducts.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "tests/experiments/PresetScenes.h"
#include "tests/experiments/CheckMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <string>
#include <vector>

using namespace vxo;

namespace {

using test::sceneOf;

PotentialObject stadiumObject()
{
    PotentialObject o = test::placedObject(PotentialObjectKind::StadiumExterior, 120.0f, 0.0f, 0.0f);
    o.width = 8.0f;
    o.radius = 4.5f;
    return o;
}

PotentialObject rectangleObject() { return test::placedObject(PotentialObjectKind::Rectangle, 10.0f, 0.0f, 0.0f); }

std::string stadiumMessage(const std::vector<PotentialObject>& objects)
{
    StadiumGeometry stadium;
    const std::string error = test::refusalMessage(QuantumScar2D::analyzeScene, sceneOf(objects), stadium);
    EXPECT_FALSE(stadium.valid);
    return error;
}

// The guided stadium: L = 8, R = 4.5 at the origin.
StadiumGeometry presetStadium()
{
    StadiumGeometry stadium;
    EXPECT_TRUE(QuantumScar2D::analyzeScene(sceneOf({stadiumObject()}), stadium, nullptr));
    return stadium;
}

// Constant amplitude inside the stadium, zero outside.
ComplexField2D uniformStadiumField(const StadiumGeometry& stadium)
{
    ComplexField2D field(256, 128, 0.09375f, 0.125f);
    for (std::uint64_t j = 0; j < field.ny(); ++j)
        for (std::uint64_t i = 0; i < field.nx(); ++i)
            if (QuantumScar2D::isInsideStadium(stadium, gridCoordinateX(field, i), gridCoordinateY(field, j)))
                field.at(i, j) = Complex(1.0f, 0.0f);
    field.normalize();
    return field;
}

ScarConfig enabledScar(double halfWidth = 0.8)
{
    ScarConfig config;
    config.enabled = true;
    config.orbitBandHalfWidth = halfWidth;
    return config;
}

} // namespace

TEST(QuantumScar2D, SceneMustHoldOneStadiumOnly)
{
    PotentialObject disabled = rectangleObject();
    disabled.enabled = false;
    StadiumGeometry stadium;
    ASSERT_TRUE(QuantumScar2D::analyzeScene(sceneOf({stadiumObject(), disabled}), stadium, nullptr));
    EXPECT_DOUBLE_EQ(stadium.straightLength, 8.0);
    EXPECT_DOUBLE_EQ(stadium.radius, 4.5);
    EXPECT_DOUBLE_EQ(stadium.wallHeight, 120.0);

    EXPECT_EQ(stadiumMessage({stadiumObject(), rectangleObject()}),
              "Quantum Scar analysis expects one Stadium Exterior potential object.");
    EXPECT_EQ(stadiumMessage({stadiumObject(), stadiumObject()}),
              "Quantum Scar analysis expects exactly one Stadium Exterior object.");
    PotentialObject flat = stadiumObject();
    flat.value = 0.0f;
    EXPECT_EQ(stadiumMessage({flat}), "Stadium Exterior must have positive wall height, straight length and radius.");
    EXPECT_EQ(stadiumMessage({}), "Stadium Exterior must have positive wall height, straight length and radius.");
}

// The cells inside the stadium, row by row, are those the per-cell test
// takes: on the preset stadium, one off the grid's axes on cells of two
// spacings, and in the rows where only a sliver of the caps is left.
TEST(QuantumScar2D, TheInsideRunOfARowIsTheCellsTheStadiumHolds)
{
    StadiumGeometry offAxis = presetStadium();
    offAxis.centerX = 1.37;
    offAxis.centerY = -0.61;
    offAxis.radius = 2.05;
    for (const StadiumGeometry& stadium : {presetStadium(), offAxis}) {
        const ComplexField2D grid(128, 64, 0.11f, 0.17f);
        for (std::uint64_t j = 0; j < grid.ny(); ++j) {
            std::uint64_t first = grid.nx(), last = 0;
            for (std::uint64_t i = 0; i < grid.nx(); ++i)
                if (QuantumScar2D::isCellInsideStadium(stadium, grid, i, j)) {
                    first = std::min(first, i);
                    last = i + 1;
                }
            const auto run = QuantumScar2D::insideRun(stadium, grid, j);
            if (last == 0)
                EXPECT_EQ(run.first, run.second) << "row " << j;
            else
                EXPECT_EQ(run, std::make_pair(first, last)) << "row " << j;
        }
    }
}

TEST(QuantumScar2D, UniformDensityShowsNoEnhancement)
{
    const StadiumGeometry stadium = presetStadium();
    EXPECT_NEAR(QuantumScar2D::stadiumArea(stadium), kPi * 4.5 * 4.5 + 2.0 * 4.5 * 8.0, 1e-12);
    EXPECT_NEAR(QuantumScar2D::axialOrbitPeriod(stadium, 4.0), 2.0 * (9.0 + 8.0) / 4.0, 1e-12);
    EXPECT_EQ(QuantumScar2D::axialOrbitPeriod(stadium, 0.0), 0.0);
    // A stadium needs both a straight part and a radius: without either it has
    // no area and no inside.
    for (auto [straight, radius] : {std::pair{0.0, 4.5}, std::pair{8.0, 0.0}}) {
        StadiumGeometry flat = stadium;
        flat.straightLength = straight;
        flat.radius = radius;
        EXPECT_EQ(QuantumScar2D::stadiumArea(flat), 0.0) << straight << ", " << radius;
        EXPECT_FALSE(QuantumScar2D::isInsideStadium(flat, 0.0, 0.0)) << straight << ", " << radius;
    }
    // Off the origin, on cells of unequal sides, inside is where the stadium
    // painter leaves the interior free.
    StadiumGeometry moved = stadium;
    moved.centerX = 1.25;
    moved.centerY = -0.75;
    moved.straightLength = 3.0;
    moved.radius = 1.75;
    PotentialField2D walls(96, 80, 0.1f, 0.07f);
    walls.addStadiumExterior(1.25f, -0.75f, 3.0f, 1.75f, 1.0f);
    int inside = 0;
    for (std::uint64_t j = 0; j < walls.ny(); ++j)
        for (std::uint64_t i = 0; i < walls.nx(); ++i) {
            const bool in = QuantumScar2D::isInsideStadium(moved, walls.xAt(i), walls.yAt(j));
            EXPECT_EQ(in, walls.valueAt(i, j) == 0.0f) << i << ", " << j;
            inside += in ? 1 : 0;
        }
    EXPECT_GT(inside, 500);

    // The band's share of the probability equals its share of the area.
    const ComplexField2D field = uniformStadiumField(stadium);
    for (double halfWidth : {0.75, 2.0, 4.0}) // band edges between grid rows
        EXPECT_NEAR(QuantumScar2D::instantaneousEnhancement(field, stadium, halfWidth), 1.0, 0.02) << halfWidth;
    // A band wider than R covers the whole stadium: enhancement B / T.
    EXPECT_DOUBLE_EQ(QuantumScar2D::orbitBandEnhancement(0.3, 0.6, stadium, 10.0), 0.5);
    EXPECT_EQ(QuantumScar2D::orbitBandEnhancement(0.3, 0.0, stadium, 1.0), 0.0);
}

TEST(ScarRecorder, EnergyFilterPicksTheStateAtItsEnergy)
{
    // psi(t) = a e^(-i E1 t / hbar) + b e^(-i E2 t / hbar), with a in the band
    // and b outside it: filtering at E1 keeps a and averages b away, whatever
    // the unit of action.
    const StadiumGeometry stadium = presetStadium();
    const double e1 = 2.0;
    const double e2 = 5.0;
    for (double hbar : {1.0, 0.5, 0.25}) {
        ComplexField2D field(64, 32, 0.375f, 0.5f);
        ScarRecorder recorder(16);
        ASSERT_TRUE(recorder.configure(field, stadium, enabledScar(), e1, hbar));
        const std::uint64_t bandCell = 16 * 64 + 32;  // y = 0.25
        const std::uint64_t outerCell = 24 * 64 + 32; // y = 4.25
        for (int k = 0; k <= 2000; ++k) {
            const double t = 0.01 * k;
            field.setZero();
            field.data()[bandCell] = Complex(std::polar(1.0, -e1 * t / hbar));
            field.data()[outerCell] = Complex(std::polar(1.0, -e2 * t / hbar));
            ASSERT_TRUE(recorder.record(t, field));
        }
        EXPECT_EQ(recorder.recordCount(), 2001u);
        EXPECT_NEAR(recorder.totalWeight(), 20.0 + 1e-9, 1e-9);
        EXPECT_FLOAT_EQ(recorder.spectralMap()[bandCell], 1.0f) << "hbar = " << hbar;
        // |sum e^(i (E1 - E2) t / hbar) w|^2 / T^2 = (sin(30 / hbar) / (30 / hbar))^2 <= 1.1e-3
        EXPECT_LT(recorder.spectralMap()[outerCell], 2e-3f) << "hbar = " << hbar;
        EXPECT_NEAR(recorder.averagedDensity()[outerCell], 1.0f, 1e-6f);
        EXPECT_GT(recorder.samples().back().filteredEnhancement, 4.5) << "hbar = " << hbar;
    }
}

// A record reads both enhancements in its pass over the grid: each is the
// one its own pass gives, the instantaneous one over |psi|^2 and the
// filtered one over the projection at the filter energy, summed apart here.
TEST(ScarRecorder, EachRecordsEnhancementsAreThoseOfTheirOwnPasses)
{
    const StadiumGeometry stadium = presetStadium();
    const double energy = 3.0, hbar = 0.5, halfWidth = 1.2;
    ComplexField2D field(64, 32, 0.375f, 0.5f);
    const auto fill = [&field](double t) {
        for (std::uint64_t j = 0; j < field.ny(); ++j)
            for (std::uint64_t i = 0; i < field.nx(); ++i) {
                const double x = gridCoordinateX(field, i), y = gridCoordinateY(field, j);
                field.at(i, j) = Complex(std::polar(std::exp(-(x * x / 20.0 + y * y / (2.0 + t))), 0.8 * x - 2.0 * t));
            }
    };
    fill(0.0);
    const ComplexField2D initial = field;
    ScarRecorder recorder(8);
    ASSERT_TRUE(recorder.configure(initial, stadium, enabledScar(halfWidth), energy, hbar));
    std::vector<std::complex<double>> projection(field.size());
    double previous = 0.0;
    for (const double t : {0.0, 0.3, 0.7, 1.6}) {
        fill(t);
        const double weight = t == 0.0 ? 1e-9 : t - previous;
        previous = t;
        const std::complex<double> rotation = std::polar(1.0, t * energy / hbar);
        for (std::uint64_t k = 0; k < field.size(); ++k)
            projection[k] += std::complex<double>(field.data()[k]) * rotation * weight;
        ASSERT_TRUE(recorder.record(t, field));
        const ScarSample& sample = recorder.samples().back();
        EXPECT_EQ(sample.instantaneousEnhancement, QuantumScar2D::instantaneousEnhancement(field, stadium, halfWidth))
            << "t = " << t;
        EXPECT_EQ(sample.filteredEnhancement,
                  QuantumScar2D::densityEnhancement(field, stadium, halfWidth,
                                                    [&](std::uint64_t k) { return std::norm(projection[k]); }))
            << "t = " << t;
        EXPECT_EQ(sample.fidelity, std::norm(innerProduct(initial, field))) << "t = " << t;
        EXPECT_GT(sample.instantaneousEnhancement, 1.0) << "a packet along the band";
    }
}

TEST(ScarRecorder, WeightsFidelityAndGrid)
{
    const StadiumGeometry stadium = presetStadium();
    const ComplexField2D field = uniformStadiumField(stadium);
    ScarRecorder recorder(0);
    EXPECT_EQ(recorder.capacity(), 1u);
    EXPECT_FALSE(recorder.configure(field, stadium, enabledScar(), 0.0, 1.0));
    // An empty field, an unrecognised stadium, an empty orbit band and a
    // non-positive hbar are each refused on their own.
    ScarConfig noBand = enabledScar();
    noBand.orbitBandHalfWidth = 0.0;
    EXPECT_FALSE(recorder.configure(ComplexField2D{}, stadium, enabledScar(), 9.5, 1.0));
    EXPECT_FALSE(recorder.configure(field, StadiumGeometry{}, enabledScar(), 9.5, 1.0));
    EXPECT_FALSE(recorder.configure(field, stadium, noBand, 9.5, 1.0));
    EXPECT_FALSE(recorder.configure(field, stadium, enabledScar(), 9.5, 0.0));
    ASSERT_TRUE(recorder.configure(field, stadium, enabledScar(), 9.5, 1.0));
    // A field with nothing in it leaves both maps zero, not 0 / 0.
    ScarRecorder empty(4);
    ASSERT_TRUE(empty.configure(field, stadium, enabledScar(), 9.5, 1.0));
    ASSERT_TRUE(empty.record(0.5, ComplexField2D(field.nx(), field.ny(), field.dx(), field.dy())));
    for (const std::vector<float>* map : {&empty.averagedDensity(), &empty.spectralMap()}) {
        ASSERT_EQ(map->size(), field.size());
        EXPECT_EQ(std::count(map->begin(), map->end(), 0.0f), static_cast<std::ptrdiff_t>(map->size()));
    }

    ASSERT_TRUE(recorder.record(1.0, field));
    EXPECT_DOUBLE_EQ(recorder.totalWeight(), 1e-9);
    ASSERT_TRUE(recorder.record(1.0, field)); // same time: weight 0, still a record
    EXPECT_DOUBLE_EQ(recorder.totalWeight(), 1e-9);
    // Time running backwards adds nothing either; the next step is measured
    // from the earlier time.
    ASSERT_TRUE(recorder.record(0.5, field));
    EXPECT_DOUBLE_EQ(recorder.totalWeight(), 1e-9) << "a negative elapsed time weighs nothing";
    ASSERT_TRUE(recorder.record(0.75, field));
    EXPECT_DOUBLE_EQ(recorder.totalWeight(), 0.25 + 1e-9);
    EXPECT_EQ(recorder.recordCount(), 4u);
    ASSERT_EQ(recorder.samples().size(), 1u);
    EXPECT_NEAR(recorder.samples().back().fidelity, 1.0, 1e-5);

    ComplexField2D otherGrid(256, 128, 0.1f, 0.125f);
    EXPECT_FALSE(recorder.record(2.0, otherGrid));
    EXPECT_FALSE(recorder.record(NAN, field));
    EXPECT_EQ(recorder.recordCount(), 4u);
}

TEST(QuantumScar2D, ConfigurationLimits)
{
    using test::justAbove;
    using test::justBelow;
    using test::setter;
    using C = ScarConfig;
    const std::string band = "Scar orbit-band half-width must be finite and positive.";
    const std::string energy = "Scar reference energy must be finite and non-negative.";
    test::expectValueRules(QuantumScar2D::validateConfiguration, enabledScar(),
                           {{"orbitBandHalfWidth",
                             setter(&C::orbitBandHalfWidth),
                             {1e-9, 20.0},
                             {0.0, justAbove(20.0), NAN, INFINITY},
                             band},
                            {"referenceEnergy",
                             setter(&C::referenceEnergy),
                             {0.0, 10000.0},
                             {justBelow(0.0), justAbove(10000.0), NAN, INFINITY},
                             energy}});
    // A stale message goes on success.
    std::string error = "stale";
    EXPECT_TRUE(QuantumScar2D::validateConfiguration(enabledScar(20.0), &error));
    EXPECT_TRUE(error.empty());
}
