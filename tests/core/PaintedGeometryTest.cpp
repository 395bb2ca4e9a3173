// The painted geometry is the geometry set: widths, gaps and separations of
// painted shapes measured in cells against the exact sizes, on grids whose
// cell centres fall on the faces and on non-square cells, wherever in its
// cell the shape is placed.

#include "core/PotentialField2D.h"
#include "core/SimulationDomain2D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using vxo::PotentialField2D;

namespace {

// A run of painted (non-zero) or open (zero) cells along a line of the grid.
struct PaintedRun {
    std::int64_t first;
    std::int64_t count;
};

// The runs of cells whose paintedness equals `painted`, along row j (alongX)
// or column i.
std::vector<PaintedRun> paintedRuns(const PotentialField2D& f, std::uint64_t line, bool alongX, bool painted)
{
    const std::uint64_t n = alongX ? f.nx() : f.ny();
    std::vector<PaintedRun> runs;
    for (std::uint64_t k = 0; k < n; ++k) {
        const float v = alongX ? f.valueAt(k, line) : f.valueAt(line, k);
        if ((v != 0.0f) != painted)
            continue;
        if (!runs.empty() && runs.back().first + runs.back().count == static_cast<std::int64_t>(k))
            ++runs.back().count;
        else
            runs.push_back({static_cast<std::int64_t>(k), 1});
    }
    return runs;
}

// A length of `cells` cells comes out as that many when it is a whole number
// of cells, else as the whole number just below or above: every face within
// half a cell, both faces of one size rounded alike.
bool paintedAsSet(std::int64_t painted, double cells)
{
    const double nearest = std::round(cells);
    if (std::abs(cells - nearest) < 1e-3)
        return painted == static_cast<std::int64_t>(nearest);
    return painted == static_cast<std::int64_t>(std::floor(cells)) ||
           painted == static_cast<std::int64_t>(std::ceil(cells));
}

// The line (row or column) whose centre is nearest to the coordinate.
std::uint64_t paintedLineAt(double coordinate, std::uint64_t n, double spacing)
{
    return static_cast<std::uint64_t>(std::llround(coordinate / spacing + (static_cast<double>(n) - 1.0) / 2.0));
}

struct PaintedGrid {
    std::uint64_t nx;
    std::uint64_t ny;
    float width;
    float height;
};

// The preset grids whose centres fall on faces at odd multiples of 0.08
// (81.92 on 512 and 40.96 on 256), a finer one, and non-square cells.
const PaintedGrid kPaintedGrids[] = {
    {512, 512, 81.92f, 40.96f}, {256, 256, 40.96f, 40.96f}, {1024, 1024, 81.92f, 40.96f},
    {256, 512, 40.96f, 40.96f}, {512, 256, 40.96f, 30.72f},
};

// Shifts of a shape within its cell, in eighths of a cell: the first puts
// faces of the preset sizes on cell centres.
constexpr int kPaintedShifts = 8;

PotentialField2D paintedFieldOn(const PaintedGrid& g)
{
    const vxo::SimulationDomain2D domain(g.nx, g.ny, g.width, g.height);
    return PotentialField2D(g.nx, g.ny, domain.dx(), domain.dy());
}

std::string paintedWhere(const PaintedGrid& g, int shift)
{
    return std::to_string(g.nx) + "x" + std::to_string(g.ny) + " shift " + std::to_string(shift);
}

TEST(PaintedGeometry, BarrierPairsBoxesAndSlitsComeOutAsSetWhereverTheirFacesFall)
{
    struct BarrierPair {
        float centre; // barriers at -centre and +centre
        float thickness;
    };
    // The resonant cavity's pair (faces at +-0.88 and +-1.52), and one whose
    // sizes are no whole number of cells.
    const BarrierPair pairs[] = {{1.2f, 0.64f}, {1.3f, 0.5f}};
    for (const PaintedGrid& g : kPaintedGrids) {
        for (int shift = 0; shift < kPaintedShifts; ++shift) {
            PotentialField2D probe = paintedFieldOn(g);
            const double dx = probe.dx();
            const double dy = probe.dy();
            const double sx = shift * dx / kPaintedShifts;
            const double sy = shift * dy / kPaintedShifts;

            for (const BarrierPair& p : pairs) {
                PotentialField2D f = paintedFieldOn(g);
                for (const double c : {-static_cast<double>(p.centre), static_cast<double>(p.centre)}) {
                    const auto x = static_cast<float>(c + sx);
                    f.addBarrier(x, -15.0f, x, 15.0f, p.thickness, 4.5f);
                }
                const std::vector<PaintedRun> runs = paintedRuns(f, paintedLineAt(0.0, g.ny, dy), true, true);
                ASSERT_EQ(runs.size(), 2u) << paintedWhere(g, shift);
                const double gap = 2.0 * p.centre - p.thickness;
                EXPECT_TRUE(paintedAsSet(runs[0].count, p.thickness / dx))
                    << paintedWhere(g, shift) << ": first barrier " << runs[0].count << " cells for "
                    << p.thickness / dx;
                EXPECT_TRUE(paintedAsSet(runs[1].count, p.thickness / dx))
                    << paintedWhere(g, shift) << ": second barrier " << runs[1].count << " cells for "
                    << p.thickness / dx;
                EXPECT_TRUE(paintedAsSet(runs[1].first - (runs[0].first + runs[0].count), gap / dx))
                    << paintedWhere(g, shift) << ": cavity of " << gap / dx << " cells";
            }

            // A box: its width along its middle row, its height along its
            // middle column.
            {
                PotentialField2D f = paintedFieldOn(g);
                const double cx = 0.4 + sx;
                const double cy = -0.24 + sy;
                f.addRectangle(static_cast<float>(cx), static_cast<float>(cy), 3.2f, 1.76f, 120.0f);
                const std::vector<PaintedRun> row = paintedRuns(f, paintedLineAt(cy, g.ny, dy), true, true);
                const std::vector<PaintedRun> column = paintedRuns(f, paintedLineAt(cx, g.nx, dx), false, true);
                ASSERT_EQ(row.size(), 1u) << paintedWhere(g, shift);
                ASSERT_EQ(column.size(), 1u) << paintedWhere(g, shift);
                EXPECT_TRUE(paintedAsSet(row[0].count, 3.2 / dx))
                    << paintedWhere(g, shift) << ": box width " << row[0].count;
                EXPECT_TRUE(paintedAsSet(column[0].count, 1.76 / dy))
                    << paintedWhere(g, shift) << ": box height " << column[0].count;
            }

            // The double slit of the guided experiment (wall 0.32, openings
            // 0.7 high, 2.2 apart): the wall along a row clear of the
            // openings, the openings and their spacing along the wall.
            {
                PotentialField2D f = paintedFieldOn(g);
                const double cx = sx;
                const double cy = sy;
                f.addDoubleSlit(static_cast<float>(cx), 0.32f, static_cast<float>(cy), 2.2f, 0.7f, 50.0f);
                const std::vector<PaintedRun> wall = paintedRuns(f, paintedLineAt(cy + 5.0, g.ny, dy), true, true);
                ASSERT_EQ(wall.size(), 1u) << paintedWhere(g, shift);
                EXPECT_TRUE(paintedAsSet(wall[0].count, 0.32 / dx))
                    << paintedWhere(g, shift) << ": wall " << wall[0].count;
                const std::vector<PaintedRun> open =
                    paintedRuns(f, static_cast<std::uint64_t>(wall[0].first), false, false);
                ASSERT_EQ(open.size(), 2u) << paintedWhere(g, shift);
                for (const PaintedRun& opening : open)
                    EXPECT_TRUE(paintedAsSet(opening.count, 0.7 / dy))
                        << paintedWhere(g, shift) << ": opening " << opening.count << " cells for " << 0.7 / dy;
                EXPECT_TRUE(paintedAsSet(open[1].first - open[0].first, 2.2 / dy))
                    << paintedWhere(g, shift) << ": openings " << open[1].first - open[0].first << " cells apart for "
                    << 2.2 / dy;
            }
        }
    }
}

// Round and slanted faces: every chord of a disc and every row of a wedge
// within one cell of the exact shape, and a disc centred on a cell centre
// exactly as wide and as high as its diameter.
TEST(PaintedGeometry, DiscsAndWedgesAreCutWithinTheCell)
{
    for (const PaintedGrid& g : kPaintedGrids) {
        for (int shift = 0; shift < kPaintedShifts; ++shift) {
            PotentialField2D probe = paintedFieldOn(g);
            const double dx = probe.dx();
            const double dy = probe.dy();
            const double cx = probe.xAt(g.nx / 2 + 3) + shift * dx / kPaintedShifts;
            const double cy = probe.yAt(g.ny / 2 - 5) + shift * dy / kPaintedShifts;

            PotentialField2D disc = paintedFieldOn(g);
            const double r = 1.6; // a whole number of cells on every grid here but one
            disc.addCircle(static_cast<float>(cx), static_cast<float>(cy), static_cast<float>(r), 8.0f);
            for (std::uint64_t j = 0; j < g.ny; ++j) {
                const double yp = probe.yAt(j) - cy;
                if (std::abs(yp) > r - dy)
                    continue;
                const std::vector<PaintedRun> row = paintedRuns(disc, j, true, true);
                ASSERT_EQ(row.size(), 1u) << paintedWhere(g, shift) << " row " << j;
                const double chord = 2.0 * std::sqrt(r * r - yp * yp) / dx;
                EXPECT_LT(std::abs(row[0].count - chord), 1.01) << paintedWhere(g, shift) << " row " << j;
            }
            if (shift == 0) {
                const std::vector<PaintedRun> across = paintedRuns(disc, paintedLineAt(cy, g.ny, dy), true, true);
                const std::vector<PaintedRun> down = paintedRuns(disc, paintedLineAt(cx, g.nx, dx), false, true);
                ASSERT_EQ(across.size(), 1u);
                ASSERT_EQ(down.size(), 1u);
                EXPECT_TRUE(paintedAsSet(across[0].count, 2.0 * r / dx))
                    << paintedWhere(g, shift) << ": " << across[0].count;
                EXPECT_TRUE(paintedAsSet(down[0].count, 2.0 * r / dy))
                    << paintedWhere(g, shift) << ": " << down[0].count;
            }

            // Wedge with its apex towards -x: at height y' from its axis it
            // spans w (1 - 2 |y'| / h) back from the base.
            PotentialField2D wedge = paintedFieldOn(g);
            const double w = 3.2;
            const double h = 2.56;
            const std::vector<PotentialField2D::Vertex> triangle{
                {static_cast<float>(cx - w / 2), static_cast<float>(cy)},
                {static_cast<float>(cx + w / 2), static_cast<float>(cy - h / 2)},
                {static_cast<float>(cx + w / 2), static_cast<float>(cy + h / 2)}};
            wedge.addPolygon(triangle, 3.0f);
            for (std::uint64_t j = 0; j < g.ny; ++j) {
                const double yp = probe.yAt(j) - cy;
                if (std::abs(yp) > h / 2 - dy)
                    continue;
                const std::vector<PaintedRun> row = paintedRuns(wedge, j, true, true);
                ASSERT_EQ(row.size(), 1u) << paintedWhere(g, shift) << " row " << j;
                const double extent = w * (1.0 - 2.0 * std::abs(yp) / h) / dx;
                EXPECT_LT(std::abs(row[0].count - extent), 1.01) << paintedWhere(g, shift) << " row " << j;
            }
        }
    }
}

} // namespace
