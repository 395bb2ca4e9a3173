#include "experiments/BilliardRecorder.h"
#include "experiments/QuantumBilliard2D.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "tests/experiments/CheckMessages.h"
#include "tests/experiments/PresetScenes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <algorithm>
#include <string>
#include <tuple>

using namespace vxo;
using namespace vxo::test;

namespace {

std::string billiardMessage(const std::vector<PotentialObject>& objects)
{
    BilliardConfig config;
    config.valid = true;
    config.interiorWidth = 3.0;
    const std::string error = refusalMessage(QuantumBilliard2D::extractFromScene, sceneOf(objects), config);
    EXPECT_FALSE(config.valid);
    EXPECT_EQ(config.interiorWidth, 0.0);
    return error;
}

BilliardConfig presetBilliard(bool sinai)
{
    BilliardConfig config;
    EXPECT_TRUE(QuantumBilliard2D::extractFromScene(sceneOf(billiardObjects(sinai)), config, nullptr));
    return config;
}

// Grid of 128 x 128 cells of 0.25 covering the billiard's 18 x 14 interior.
ComplexField2D billiardGrid() { return ComplexField2D(128, 128, 0.25f, 0.25f); }

} // namespace

TEST(QuantumBilliard2D, RecognisesTheRectangularAndTheSinaiPresets)
{
    const BilliardConfig rectangle = presetBilliard(false);
    ASSERT_TRUE(rectangle.valid);
    EXPECT_FALSE(rectangle.hasScatterer);
    EXPECT_NEAR(rectangle.interiorWidth, 18.0, 1e-5);
    EXPECT_NEAR(rectangle.interiorHeight, 14.0, 1e-5);
    EXPECT_NEAR(rectangle.interiorCenterX, 0.0, 1e-6);
    EXPECT_DOUBLE_EQ(rectangle.wallHeight, 120.0);

    const BilliardConfig sinai = presetBilliard(true);
    ASSERT_TRUE(sinai.valid);
    EXPECT_TRUE(sinai.hasScatterer);
    EXPECT_NEAR(sinai.scattererRadius, 2.2, 1e-6);
    EXPECT_DOUBLE_EQ(sinai.scattererHeight, 120.0);

    // Off the origin, with a disc off the billiard's centre: each figure from its own axis.
    std::vector<PotentialObject> moved = boxObjects(80.0f, 1.5, -0.75, 18.0, 14.0, 1.0, 1.5);
    moved.push_back(circleObject(80.0f, 3.0f, -2.0f, 1.5f));
    BilliardConfig config;
    ASSERT_TRUE(QuantumBilliard2D::extractFromScene(sceneOf(moved), config, nullptr));
    EXPECT_NEAR(config.interiorWidth, 18.0, 1e-5);
    EXPECT_NEAR(config.interiorHeight, 14.0, 1e-5);
    EXPECT_NEAR(config.interiorCenterX, 1.5, 1e-6);
    EXPECT_NEAR(config.interiorCenterY, -0.75, 1e-6);
    EXPECT_NEAR(config.scattererX, 3.0, 1e-6);
    EXPECT_NEAR(config.scattererY, -2.0, 1e-6);
    EXPECT_DOUBLE_EQ(config.wallHeight, 80.0);
    for (std::size_t wall = 0; wall < 4; ++wall) {
        std::vector<PotentialObject> shifted = moved;
        (wall % 2 == 0 ? shifted[wall].centerY : shifted[wall].centerX) += 0.5f;
        EXPECT_EQ(billiardMessage(shifted), "Billiard walls are not centred on one rectangular interior.")
            << "wall " << wall;
    }
    // Each offset is judged against its own axis: 1e-4 of the interior's
    // height (14) for a side wall along y, of its width (18) for a cap along x.
    // An offset of 1.6e-3 is too much along y and not along x.
    std::vector<PotentialObject> side = moved;
    side[2].centerY += 1.6e-3f;
    EXPECT_EQ(billiardMessage(side), "Billiard walls are not centred on one rectangular interior.");
    std::vector<PotentialObject> cap = moved;
    cap[3].centerX += 1.6e-3f;
    EXPECT_TRUE(QuantumBilliard2D::extractFromScene(sceneOf(cap), config, nullptr));
}

TEST(QuantumBilliard2D, RefusesPerturbedBilliardsWithTheirMessages)
{
    std::vector<PotentialObject> square = billiardObjects(true);
    square[3].height = square[3].width;
    EXPECT_EQ(billiardMessage(square), "Billiard walls must be clearly vertical or horizontal rectangles.");

    std::vector<PotentialObject> twoDiscs = billiardObjects(true);
    twoDiscs.push_back(circleObject(120.0f, 4.0f, 3.0f, 1.0f));
    EXPECT_EQ(billiardMessage(twoDiscs), "Billiard analysis supports at most one circular scatterer.");

    std::vector<PotentialObject> zeroDisc = billiardObjects(true);
    zeroDisc[4].value = 0.0f;
    EXPECT_EQ(billiardMessage(zeroDisc),
              "Billiard scene expects four positive Rectangle walls and optionally one positive Circle.");

    std::vector<PotentialObject> threeWalls = billiardObjects(false);
    threeWalls.pop_back();
    EXPECT_EQ(billiardMessage(threeWalls), "Billiard scene needs exactly two vertical and two horizontal walls.");

    std::vector<PotentialObject> crossed = billiardObjects(false);
    crossed[1].centerY = 7.64f;
    crossed[3].centerY = -7.64f;
    crossed[1].height = 16.0f; // still wider than tall; faces now at 0.36 and -0.36
    crossed[3].height = 16.0f;
    EXPECT_EQ(billiardMessage(crossed), "Billiard walls overlap or leave no interior.");

    std::vector<PotentialObject> lower = billiardObjects(false);
    lower[2].value = 100.0f;
    EXPECT_EQ(billiardMessage(lower), "All billiard walls must use the same potential height.");

    // The centring tolerance is 1e-4 of the interior's own side on each axis:
    // 0.0016 is within 18e-4 across but beyond 14e-4 up.
    std::vector<PotentialObject> nearlyCentred = billiardObjects(false);
    nearlyCentred[3].centerX = 0.0016f;
    BilliardConfig accepted;
    EXPECT_TRUE(QuantumBilliard2D::extractFromScene(sceneOf(nearlyCentred), accepted, nullptr));
    nearlyCentred = billiardObjects(false);
    nearlyCentred[0].centerY = 0.0016f;
    EXPECT_EQ(billiardMessage(nearlyCentred), "Billiard walls are not centred on one rectangular interior.");

    // Walls with faces exactly at x = +-9, y = +-7: a disc of radius 2
    // touching the right face is not inside, one a little further in is.
    std::vector<PotentialObject> touching = {
        rectangleObject(120.0f, -9.5f, 0.0f, 1.0f, 16.0f), rectangleObject(120.0f, 9.5f, 0.0f, 1.0f, 16.0f),
        rectangleObject(120.0f, 0.0f, -7.5f, 20.0f, 1.0f), rectangleObject(120.0f, 0.0f, 7.5f, 20.0f, 1.0f),
        circleObject(120.0f, 7.0f, 0.0f, 2.0f)};
    EXPECT_EQ(billiardMessage(touching), "Circular scatterer must lie completely inside the billiard.");
    // So is one touching the top face, and one touching the bottom face.
    for (const float y : {5.0f, -5.0f}) {
        std::vector<PotentialObject> vertical = touching;
        vertical[4].centerX = 0.0f;
        vertical[4].centerY = y;
        EXPECT_EQ(billiardMessage(vertical), "Circular scatterer must lie completely inside the billiard.") << y;
    }
    touching[4].centerX = 6.99f;
    BilliardConfig inside;
    EXPECT_TRUE(QuantumBilliard2D::extractFromScene(sceneOf(touching), inside, nullptr));
    // A disc edited in place to radius 0 (add() would have refused it).
    PotentialScene flatDisc = sceneOf(touching);
    flatDisc.find(5)->radius = 0.0f;
    std::string error;
    EXPECT_FALSE(QuantumBilliard2D::extractFromScene(flatDisc, inside, &error));
    EXPECT_EQ(error, "Circular billiard scatterer must have positive radius.");
    EXPECT_FALSE(inside.hasScatterer);

    // Unlike the revival box, unequal thickness is accepted.
    std::vector<PotentialObject> thicker = billiardObjects(false);
    thicker[0].width = 2.0f;
    thicker[0].centerX = -10.0f;
    BilliardConfig config;
    EXPECT_TRUE(QuantumBilliard2D::extractFromScene(sceneOf(thicker), config, nullptr));
}

TEST(QuantumBilliard2D, UniformDensityOccupiesTheWholeFreeArea)
{
    for (bool sinai : {false, true}) {
        // The preset billiard moved to (1.55, -0.45), its bottom and top faces on rows of centres
        // (within the rounding of single precision), on 112 x 160 cells of 0.2 x 0.1 (area 0.02)
        // that overhang the interior by different amounts on x and y; the rows beyond the column
        // count still cross the interior. The free area is the cells the painters leave free: the
        // interior painted as a rectangle, less the scatterer's disc.
        BilliardConfig config = presetBilliard(sinai);
        config.interiorCenterX += 1.55;
        config.interiorCenterY -= 0.45;
        config.scattererX += 1.55;
        config.scattererY -= 0.45;
        ComplexField2D field(112, 160, 0.2f, 0.1f);
        PotentialField2D free(112, 160, 0.2f, 0.1f);
        free.addRectangle(1.55f, -0.45f, 18.0f, 14.0f, 1.0f);
        if (sinai)
            free.addCircle(1.55f, -0.45f, 2.2f, 0.0f);
        double cells = 0.0;
        for (std::uint64_t j = 0; j < field.ny(); ++j)
            for (std::uint64_t i = 0; i < field.nx(); ++i) {
                const bool inside = free.valueAt(i, j) != 0.0f;
                field.at(i, j) = Complex(inside ? 1.0f : 0.0f, 0.0f);
                cells += inside ? 1.0 : 0.0;
            }
        const BilliardObservables o = QuantumBilliard2D::observables(field, config, &field);
        // P^2 / Q of a flat density is the area it covers.
        EXPECT_NEAR(o.effectiveArea, cells * 0.02, 1e-6 * cells * 0.02);
        EXPECT_NEAR(o.occupiedFraction, 1.0, 0.03) << "sinai " << sinai;
        EXPECT_NEAR(o.fidelity, 1.0, 1e-12);
        if (sinai) {
            EXPECT_GT(o.shellProbability, 0.0);
        } else {
            EXPECT_EQ(o.shellProbability, 0.0);
        }

        // A density over the whole grid counts only inside the walls, on every side.
        field.fill(Complex(1.0f, 0.0f));
        if (!sinai) {
            EXPECT_NEAR(QuantumBilliard2D::observables(field, config, nullptr).effectiveArea, cells * 0.02,
                        1e-6 * cells * 0.02);
        }
    }
}

TEST(QuantumBilliard2D, InteriorHoldsTheCellsOnItsLowFacesAndLeavesThoseOnItsHighFaces)
{
    // Cells 0.0625 x 0.046875 (exact in binary); the interior 18 x 12 is placed
    // so that each inner wall face passes through a row or column of centres.
    ComplexField2D field(320, 300, 0.0625f, 0.046875f);
    BilliardConfig config;
    config.valid = true;
    config.interiorWidth = 18.0;
    config.interiorHeight = 12.0;
    config.interiorCenterX = 0.03125;   // faces at x = -8.96875 (column 16) and 9.03125 (column 304)
    config.interiorCenterY = 0.0234375; // faces at y = -5.9765625 (row 22) and 6.0234375 (row 278)
    struct Cell {
        std::uint64_t i, j;
        bool inside;
    };
    // As the walls are painted: the left and bottom walls leave the cells on
    // their faces to the interior, the right and top walls take theirs.
    for (const Cell& c : {Cell{16, 150, true}, Cell{15, 150, false}, Cell{303, 150, true}, Cell{304, 150, false},
                          Cell{160, 22, true}, Cell{160, 21, false}, Cell{160, 277, true}, Cell{160, 278, false}}) {
        field.setZero();
        field.at(c.i, c.j) = Complex(1.0f, 0.0f);
        const double expected = c.inside ? 0.0625 * 0.046875 : 0.0;
        EXPECT_EQ(QuantumBilliard2D::observables(field, config, nullptr).interiorProbability, expected)
            << "cell (" << c.i << ", " << c.j << ") at (" << gridCoordinateX(field, c.i) << ", "
            << gridCoordinateY(field, c.j) << ")";
    }
}

TEST(QuantumBilliard2D, SingleCellPacketOccupiesOneCellOfTheFreeArea)
{
    const BilliardConfig config = presetBilliard(false);
    ComplexField2D field = billiardGrid();
    field.at(30, 70) = Complex(2.0f, 0.0f);
    const BilliardObservables o = QuantumBilliard2D::observables(field, config, nullptr);
    EXPECT_NEAR(o.interiorProbability, 4.0 * 0.0625, 1e-12);
    EXPECT_NEAR(o.effectiveArea, 0.0625, 1e-12);
    EXPECT_NEAR(o.occupiedFraction, 0.0625 / (18.0 * 14.0), 1e-6 * o.occupiedFraction);
    EXPECT_EQ(o.fidelity, 0.0); // no psi(0) given
    // A radius left over from an earlier Sinai billiard removes no disc when there is no scatterer.
    BilliardConfig leftover = config;
    leftover.scattererRadius = 2.2;
    EXPECT_NEAR(QuantumBilliard2D::observables(field, leftover, nullptr).occupiedFraction, o.occupiedFraction,
                1e-12 * o.occupiedFraction);

    // Only the shell just outside the disc counts there: margin max(2.5 * 0.25, 0.45).
    const BilliardConfig sinai = presetBilliard(true);
    ComplexField2D shell = billiardGrid();
    shell.at(64 + 10, 64) = Complex(1.0f, 0.0f); // x = 2.625: inside r + 0.625
    shell.at(64 + 12, 64) = Complex(1.0f, 0.0f); // x = 3.125: beyond the shell
    shell.at(64, 64) = Complex(1.0f, 0.0f);      // inside the disc
    EXPECT_NEAR(QuantumBilliard2D::observables(shell, sinai, nullptr).shellProbability, 0.0625, 1e-12);
    EXPECT_NEAR(QuantumBilliard2D::observables(shell, sinai, nullptr).interiorProbability, 0.125, 1e-12);

    // The shell r < d <= r + margin, its edges decided as the disc is painted: two
    // cells on row 64 (y = 0.125) at x = 2.375 and 2.875 from a disc at (0, 0.125),
    // first of radius 2.25 (outer edge 2.875: that cell lies beyond), then of
    // radius 2.375 (the rim through the first cell's centre leaves it unpainted,
    // so it is interior and shell).
    ComplexField2D edges = billiardGrid();
    edges.at(73, 64) = Complex(1.0f, 0.0f);
    edges.at(75, 64) = Complex(1.0f, 0.0f);
    BilliardConfig disc = sinai;
    disc.scattererX = 0.0;
    disc.scattererY = 0.125;
    for (auto [radius, shellCells, interiorCells] : {std::tuple{2.25, 1.0, 2.0}, std::tuple{2.375, 2.0, 2.0}}) {
        disc.scattererRadius = radius;
        const BilliardObservables o = QuantumBilliard2D::observables(edges, disc, nullptr);
        EXPECT_NEAR(o.shellProbability, shellCells * 0.0625, 1e-12) << "r = " << radius;
        EXPECT_NEAR(o.interiorProbability, interiorCells * 0.0625, 1e-12) << "r = " << radius;
    }

    EXPECT_EQ(QuantumBilliard2D::observables(field, BilliardConfig{}, nullptr).effectiveArea, 0.0);
}

TEST(BilliardRecorder, AveragesEveryRecordedStepAndKeepsTheNewestSamples)
{
    const BilliardConfig config = presetBilliard(false);
    ComplexField2D first(8, 6, 0.5f, 0.25f);
    first.at(2, 3) = Complex(1.0f, 0.0f);
    ComplexField2D second(8, 6, 0.5f, 0.25f);
    second.at(5, 3) = Complex(0.0f, 2.0f);

    BilliardRecorder recorder(3);
    EXPECT_FALSE(recorder.record(0.0, first, config));
    EXPECT_FALSE(recorder.setInitialState(first, BilliardConfig{}));
    ASSERT_TRUE(recorder.setInitialState(first, config));
    ASSERT_TRUE(recorder.record(0.0, first, config));
    EXPECT_NEAR(recorder.samples()[0].fidelity, 1.0, 1e-12);
    for (int k = 1; k <= 3; ++k)
        ASSERT_TRUE(recorder.record(k, second, config));
    EXPECT_EQ(recorder.recordedSteps(), 4u);
    ASSERT_EQ(recorder.samples().size(), 3u);
    EXPECT_EQ(recorder.samples()[0].time, 1.0); // the second recorded
    EXPECT_EQ(recorder.samples()[2].fidelity, 0.0);
    // The mean runs over all four steps, not only the three kept.
    ASSERT_EQ(recorder.meanDensity().size(), 48u);
    EXPECT_NEAR(recorder.meanDensity()[3 * 8 + 2], 0.25, 1e-6);
    EXPECT_NEAR(recorder.meanDensity()[3 * 8 + 5], 3.0, 1e-6);

    // A grid differing from psi(0)'s in any one size or spacing is not recorded.
    for (const ComplexField2D& other : {ComplexField2D(8, 4, 0.5f, 0.25f), ComplexField2D(6, 6, 0.5f, 0.25f),
                                        ComplexField2D(8, 6, 0.25f, 0.25f), ComplexField2D(8, 6, 0.5f, 0.5f)})
        EXPECT_FALSE(recorder.record(4.0, other, config))
            << other.nx() << " x " << other.ny() << " cells of " << other.dx() << " x " << other.dy();
    EXPECT_FALSE(recorder.record(4.0, second, BilliardConfig{}));
    EXPECT_EQ(recorder.recordedSteps(), 4u);
}

// clear() used to zero psi(0) but keep its grid, so a following record passed
// the grid test and updated a mean density that no longer had any cells.
TEST(BilliardRecorder, ClearOrFailedStartLeavesNoInitialStateToRecordAgainst)
{
    const BilliardConfig config = presetBilliard(false);
    ComplexField2D field(16, 12, 0.5f, 0.25f);
    field.fill(Complex(0.25f, 0.0f));

    BilliardRecorder recorder(8);
    ASSERT_TRUE(recorder.setInitialState(field, config));
    ASSERT_TRUE(recorder.record(0.0, field, config));
    recorder.clear();
    EXPECT_EQ(recorder.initialState().nx(), 0u);
    EXPECT_EQ(recorder.initialState().ny(), 0u);
    EXPECT_TRUE(recorder.meanDensity().empty());
    EXPECT_FALSE(recorder.record(1.0, field, config));
    EXPECT_TRUE(recorder.samples().empty());
    EXPECT_EQ(recorder.recordedSteps(), 0u);

    ASSERT_TRUE(recorder.setInitialState(field, config));
    EXPECT_FALSE(recorder.setInitialState(ComplexField2D(), config));
    EXPECT_EQ(recorder.initialState().nx(), 0u);
    EXPECT_FALSE(recorder.record(2.0, field, config));
    EXPECT_TRUE(recorder.meanDensity().empty());
    EXPECT_EQ(BilliardRecorder(0).capacity(), 1u);
}

// The shell outside the disc is a few cells deep however the cells are
// shaped: on cells four times as wide as high (or as high as wide), a cell
// two of the coarse spacings beyond the disc's edge counts as the shell, on
// either axis, and one five spacings beyond does not.
TEST(QuantumBilliard2D, ShellIsDeepEnoughForTheCoarserSideOfNonSquareCells)
{
    BilliardConfig sinai = presetBilliard(true);
    const double r = sinai.scattererRadius;
    for (const auto& [nx, ny, dx, dy] : {std::tuple{48, 192, 0.5f, 0.125f}, std::tuple{192, 48, 0.125f, 0.5f}}) {
        const double coarse = std::max(dx, dy);
        for (const bool alongX : {true, false}) {
            ComplexField2D field(nx, ny, dx, dy);
            // The disc centred on a cell, and the cell on the axis through it nearest to distance d.
            const std::uint64_t ci = field.nx() / 2, cj = field.ny() / 2;
            sinai.scattererX = gridCoordinateX(field, ci);
            sinai.scattererY = gridCoordinateY(field, cj);
            const double spacing = alongX ? dx : dy;
            const auto cellAt = [&field, spacing, ci, cj, alongX](double d) -> Complex& {
                const auto k = static_cast<std::uint64_t>(std::lround(d / spacing));
                return alongX ? field.at(ci + k, cj) : field.at(ci, cj + k);
            };
            cellAt(r + 2.0 * coarse) = Complex(1.0f, 0.0f);
            cellAt(r + 5.0 * coarse) = Complex(1.0f, 0.0f);
            const BilliardObservables o = QuantumBilliard2D::observables(field, sinai, nullptr);
            EXPECT_NEAR(o.shellProbability, double(dx) * dy, 1e-12)
                << "cells " << dx << " x " << dy << (alongX ? " along x" : " along y");
        }
    }
}
