// The regions the analyses count (barriers, wells, cavities, interiors) are
// the cells the painters paint, also where faces pass through cell centres
// and on cells that are not square.

#include "core/ComplexField2D.h"
#include "core/Numeric.h"
#include "core/DiracSpinor2D.h"
#include "core/PotentialField2D.h"
#include "core/PotentialScene.h"
#include "experiments/QuantumBilliard2D.h"
#include "experiments/QuantumDoubleWell2D.h"
#include "experiments/QuantumKleinTunneling2D.h"
#include "experiments/QuantumResonance2D.h"
#include "experiments/QuantumScar2D.h"
#include "tests/experiments/PresetScenes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace vxo {
namespace {

// A grid on which the faces of the shape under test pass through rows or
// columns of cell centres.
struct FaceGrid {
    std::uint64_t nx, ny;
    float dx, dy;
};

std::string gridName(const FaceGrid& g)
{
    return std::to_string(g.nx) + "x" + std::to_string(g.ny) + " of " + std::to_string(g.dx) + " x " +
           std::to_string(g.dy);
}

PotentialField2D paintedScene(const PotentialScene& scene, const FaceGrid& g)
{
    PotentialField2D v(g.nx, g.ny, g.dx, g.dy);
    scene.buildPotential(v);
    return v;
}

// |psi| = 1 on the cells for which pick(i, j) holds, 0 elsewhere.
ComplexField2D indicatorField(const FaceGrid& g, const std::function<bool(std::uint64_t, std::uint64_t)>& pick)
{
    ComplexField2D psi(g.nx, g.ny, g.dx, g.dy);
    for (std::uint64_t j = 0; j < g.ny; ++j)
        for (std::uint64_t i = 0; i < g.nx; ++i)
            psi.at(i, j) = Complex(pick(i, j) ? 1.0f : 0.0f, 0.0f);
    return psi;
}

// A region equals a set of cells when a density on the set lies wholly in it
// and a density on the rest wholly outside it: regionShare(psi) gives the
// region's share of the density psi.
void expectRegionIsTheCells(const FaceGrid& g, const std::function<bool(std::uint64_t, std::uint64_t)>& inSet,
                            const std::function<double(const ComplexField2D&)>& regionShare, const char* what)
{
    EXPECT_DOUBLE_EQ(regionShare(indicatorField(g, inSet)), 1.0) << what << " on " << gridName(g);
    EXPECT_EQ(regionShare(indicatorField(g, [&](std::uint64_t i, std::uint64_t j) { return !inSet(i, j); })), 0.0)
        << what << " on " << gridName(g);
}

TEST(PaintedRegions, KleinBarrierZoneIsThePaintedBarrier)
{
    struct Case {
        FaceGrid grid;
        double centre, width;
    };
    // Faces at -1.25 / 1.25 on centres (i - 7.5) 0.5; -1.125 / 1.375 on
    // centres at odd multiples of 0.125; the preset's faces on its 0.16 cells.
    for (const Case& c : {Case{{16, 4, 0.5f, 0.5f}, 0.0, 2.5}, Case{{64, 6, 0.25f, 0.4f}, 0.125, 2.5},
                          Case{{512, 4, 0.16f, 0.25f}, 0.0, 1.76}}) {
        KleinTunnelingConfig config;
        config.barrierCenterX = c.centre;
        config.barrierWidth = c.width;
        config.detectorX = c.centre + c.width;
        PotentialField2D v(c.grid.nx, c.grid.ny, c.grid.dx, c.grid.dy);
        ASSERT_TRUE(QuantumKleinTunneling2D::buildPotential(v, config, nullptr));
        expectRegionIsTheCells(
            c.grid, [&](std::uint64_t i, std::uint64_t j) { return v.valueAt(i, j) != 0.0f; },
            [&](const ComplexField2D& psi) {
                DiracSpinor2D spinor;
                spinor.resize(c.grid.nx, c.grid.ny, c.grid.dx, c.grid.dy);
                spinor.upper = psi;
                const KleinSample s = QuantumKleinTunneling2D::makeSample(spinor, config, 0.0);
                return s.barrierProbability / s.norm;
            },
            "barrier");
    }
}

TEST(PaintedRegions, ResonanceBarriersAndCavityAreThePaintedBarriersAndTheGapBetween)
{
    struct Case {
        FaceGrid grid;
        float centre, thickness;
    };
    // The resonance preset's pair (faces +-0.88, +-1.52) on its own 0.16 cells
    // and on taller ones; a pair with faces on the centres of unit cells.
    for (const Case& c : {Case{{512, 4, 0.16f, 0.25f}, 1.2f, 0.64f}, Case{{128, 5, 0.16f, 0.4f}, 1.2f, 0.64f},
                          Case{{8, 2, 1.0f, 0.25f}, 2.0f, 1.0f}}) {
        const PotentialScene scene = test::sceneOf({test::barrierObject(5.0f, -c.centre, 0.0f, c.thickness, 40.0f),
                                                    test::barrierObject(5.0f, c.centre, 0.0f, c.thickness, 40.0f)});
        DoubleBarrierConfig config;
        ASSERT_TRUE(QuantumResonance2D::extractFromScene(scene, config, nullptr));
        const PotentialField2D v = paintedScene(scene, c.grid);
        const auto painted = [&](std::uint64_t i, std::uint64_t j) { return v.valueAt(i, j) != 0.0f; };
        expectRegionIsTheCells(
            c.grid, painted,
            [&](const ComplexField2D& psi) {
                return QuantumResonance2D::regionProbabilities(psi, config).barriersFraction;
            },
            "barriers");
        // The cavity: the unpainted cells between the barriers' centre lines.
        const auto gap = [&](std::uint64_t i, std::uint64_t j) {
            return !painted(i, j) && std::abs(cellCentre(i, c.grid.nx, c.grid.dx)) < c.centre;
        };
        expectRegionIsTheCells(
            c.grid, gap,
            [&](const ComplexField2D& psi) {
                return QuantumResonance2D::regionProbabilities(psi, config).cavityFraction;
            },
            "cavity");
    }
}

TEST(PaintedRegions, DoubleWellBarrierAndWellsAreThePaintedMiddleWallAndTheGaps)
{
    // Inner faces of the outer walls at +-3.125 and the middle wall's at
    // +-0.375: odd multiples of 0.125, so on the centres of 0.25 cells; and
    // faces +-3 / +-0.5 on the centres of unit cells.
    struct Case {
        FaceGrid grid;
        float outerX, middleWidth;
    };
    for (const Case& c : {Case{{40, 4, 0.25f, 0.6f}, 4.125f, 0.75f}, Case{{40, 3, 0.25f, 0.125f}, 4.125f, 0.75f},
                          Case{{8, 3, 1.0f, 0.25f}, 4.0f, 1.0f}}) {
        const PotentialObject middle = test::rectangleObject(1.0f, 0.0f, 0.0f, c.middleWidth, 16.0f);
        const PotentialScene scene = test::sceneOf({test::rectangleObject(5.0f, -c.outerX, 0.0f, 2.0f, 16.0f), middle,
                                                    test::rectangleObject(5.0f, c.outerX, 0.0f, 2.0f, 16.0f)});
        DoubleWellConfig config;
        ASSERT_TRUE(QuantumDoubleWell2D::extractFromScene(scene, config, nullptr));
        // The grid ends inside the outer walls: its unpainted cells are the wells.
        const PotentialField2D walls = paintedScene(scene, c.grid);
        const PotentialField2D middleWall = paintedScene(test::sceneOf({middle}), c.grid);
        expectRegionIsTheCells(
            c.grid, [&](std::uint64_t i, std::uint64_t j) { return middleWall.valueAt(i, j) != 0.0f; },
            [&](const ComplexField2D& psi) {
                return QuantumDoubleWell2D::regionProbabilities(psi, config).barrierFraction();
            },
            "barrier");
        expectRegionIsTheCells(
            c.grid, [&](std::uint64_t i, std::uint64_t j) { return walls.valueAt(i, j) == 0.0f; },
            [&](const ComplexField2D& psi) {
                const DoubleWellRegions r = QuantumDoubleWell2D::regionProbabilities(psi, config);
                return r.leftWellFraction() + r.rightWellFraction();
            },
            "wells");
    }
}

TEST(PaintedRegions, BilliardInteriorIsTheCellsNoWallOrScattererPaints)
{
    // Cells 0.0625 x 0.046875: the interior 18 x 12 at (0.03125, 0.0234375)
    // has every inner wall face on a row or column of centres, and a disc at
    // its centre of radius 2 passes through centres on its own row and
    // column. The walls reach beyond the grid, so every cell is wall,
    // scatterer or interior.
    const FaceGrid grid{320, 300, 0.0625f, 0.046875f};
    for (bool sinai : {false, true}) {
        std::vector<PotentialObject> objects = test::boxObjects(120.0f, 0.03125, 0.0234375, 18.0, 12.0, 2.0, 2.0);
        if (sinai)
            objects.push_back(test::circleObject(120.0f, 0.03125f, 0.0234375f, 2.0f));
        const PotentialScene scene = test::sceneOf(objects);
        BilliardConfig config;
        ASSERT_TRUE(QuantumBilliard2D::extractFromScene(scene, config, nullptr));
        const PotentialField2D v = paintedScene(scene, grid);
        expectRegionIsTheCells(
            grid, [&](std::uint64_t i, std::uint64_t j) { return v.valueAt(i, j) == 0.0f; },
            [&](const ComplexField2D& psi) {
                double total = 0.0;
                for (std::uint64_t j = 0; j < psi.ny(); ++j)
                    for (std::uint64_t i = 0; i < psi.nx(); ++i)
                        total += std::norm(psi.at(i, j)) * grid.dx * grid.dy;
                return QuantumBilliard2D::observables(psi, config, nullptr).interiorProbability / total;
            },
            sinai ? "Sinai interior" : "interior");
    }
}

TEST(PaintedRegions, ScarStadiumIsTheCellsItsExteriorLeavesUnpainted)
{
    // Straight ends at +-1.25 and sides at +-2.125 from the centre pass
    // through centres of 0.5 x 0.25 cells.
    struct Case {
        FaceGrid grid;
        float centreX, centreY;
    };
    for (const Case& c : {Case{{20, 24, 0.5f, 0.25f}, 0.0f, 0.0f}, Case{{24, 40, 0.5f, 0.25f}, 0.5f, -0.25f}}) {
        PotentialObject exterior =
            test::placedObject(PotentialObjectKind::StadiumExterior, 50.0f, c.centreX, c.centreY);
        exterior.width = 2.5f;
        exterior.radius = 2.125f;
        const PotentialScene scene = test::sceneOf({exterior});
        StadiumGeometry stadium;
        ASSERT_TRUE(QuantumScar2D::analyzeScene(scene, stadium, nullptr));
        const PotentialField2D v = paintedScene(scene, c.grid);
        std::set<std::uint64_t> unpainted;
        for (std::uint64_t k = 0; k < v.size(); ++k)
            if (v.values()[k] == 0.0f)
                unpainted.insert(k);
        // The cells the enhancement sums over are the ones it asks for.
        std::set<std::uint64_t> counted;
        const ComplexField2D grid(c.grid.nx, c.grid.ny, c.grid.dx, c.grid.dy);
        QuantumScar2D::densityEnhancement(grid, stadium, 0.5, [&](std::uint64_t k) {
            counted.insert(k);
            return 1.0;
        });
        EXPECT_FALSE(unpainted.empty());
        EXPECT_EQ(counted, unpainted) << gridName(c.grid);
        // The stadium map masks the same cells.
        std::set<std::uint64_t> mapped;
        for (std::uint64_t j = 0; j < c.grid.ny; ++j)
            for (std::uint64_t i = 0; i < c.grid.nx; ++i)
                if (QuantumScar2D::isCellInsideStadium(stadium, grid, i, j))
                    mapped.insert(j * c.grid.nx + i);
        EXPECT_EQ(mapped, unpainted) << gridName(c.grid);
    }
}

} // namespace
} // namespace vxo
