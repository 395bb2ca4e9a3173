#include "core/ComplexField2D.h"
#include "core/GaussianPacket2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "core/PotentialField2D.h"
#include "core/Numeric.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using vxo::ComplexField2D;
using vxo::PotentialField2D;
using vxo::test::messageOf;

namespace {

using vxo::test::kFloatInf;
using vxo::test::kFloatNaN;

// Number of cells holding exactly v.
int countEqual(const PotentialField2D& f, float v)
{
    int n = 0;
    for (float x : f.values())
        n += x == v ? 1 : 0;
    return n;
}

// Square grid of n x n cells of side h: with odd n the centres are the
// multiples of h from -(n-1)/2 h to (n-1)/2 h.
PotentialField2D squareGrid(std::uint64_t n, float h) { return PotentialField2D(n, n, h, h); }

} // namespace

TEST(PotentialField2D, ConstructionRevisionAndRefusedCalls)
{
    PotentialField2D none;
    EXPECT_EQ(none.nx(), 0u);
    EXPECT_EQ(none.dx(), 1.0f);
    EXPECT_EQ(none.dy(), 1.0f);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none.revision(), 0u);
    EXPECT_EQ(none.minValue(), 0.0f);
    EXPECT_EQ(none.maxValue(), 0.0f);

    PotentialField2D f(4, 4, 0.5f, 0.5f);
    EXPECT_EQ(f.size(), 16u);
    EXPECT_EQ(f.revision(), 1u);
    f.clear();
    EXPECT_EQ(f.revision(), 2u);
    EXPECT_THROW(f.addCircle(0.0f, 0.0f, -1.0f, 1.0f), std::invalid_argument);
    EXPECT_EQ(f.revision(), 2u);

    for (float bad : {0.0f, -1.0f, kFloatNaN, kFloatInf}) {
        EXPECT_EQ(messageOf([&] { PotentialField2D(4, 4, bad, 1.0f); }),
                  "PotentialField2D: dx and dy must be finite and positive");
        EXPECT_EQ(messageOf([&] { f.reset(8, 8, 1.0f, bad); }),
                  "PotentialField2D: dx and dy must be finite and positive");
    }
    EXPECT_EQ(f.nx(), 4u);
    EXPECT_EQ(f.dx(), 0.5f);
    EXPECT_EQ(f.revision(), 2u);

    f.fill(3.0f);
    f.reset(2, 3, 0.25f, 0.75f);
    EXPECT_EQ(f.size(), 6u);
    EXPECT_EQ(countEqual(f, 0.0f), 6);
    EXPECT_EQ(f.revision(), 4u);
}

TEST(PotentialField2D, RevisionWrapsToOneNeverZero)
{
    const std::uint64_t top = std::numeric_limits<std::uint64_t>::max();
    EXPECT_EQ(PotentialField2D::nextRevision(top), 1u);
    EXPECT_EQ(PotentialField2D::nextRevision(top - 1), top);
    EXPECT_EQ(PotentialField2D::nextRevision(0), 1u);
}

TEST(PotentialField2D, IdentityIsFreshForEveryObjectAndEveryAssignment)
{
    // Same storage, two successive fields: a cache keyed to the address alone
    // would take the second for the first.
    alignas(PotentialField2D) unsigned char storage[sizeof(PotentialField2D)];
    PotentialField2D* slot = new (storage) PotentialField2D(4, 4, 1.0f, 1.0f);
    const std::uint64_t first = slot->identity();
    const std::uint64_t firstRevision = slot->revision();
    slot->~PotentialField2D();
    PotentialField2D* again = new (storage) PotentialField2D(4, 4, 1.0f, 1.0f);
    ASSERT_EQ(static_cast<void*>(again), static_cast<void*>(slot));
    EXPECT_EQ(again->revision(), firstRevision);
    EXPECT_NE(again->identity(), first);
    EXPECT_NE(again->identity(), 0u);
    again->~PotentialField2D();

    PotentialField2D a(3, 2, 1.0f, 1.5f);
    a.fill(7.0f);
    PotentialField2D copy(a);
    EXPECT_EQ(copy.dx(), 1.0f);
    EXPECT_EQ(copy.dy(), 1.5f);
    EXPECT_EQ(copy.nx(), 3u);
    EXPECT_NE(copy.identity(), a.identity());
    EXPECT_EQ(copy.revision(), a.revision());
    EXPECT_EQ(copy.values(), a.values());

    // Assigning another field's content (possibly at an equal revision
    // number) must not keep the target's identity.
    PotentialField2D b(2, 2, 1.0f, 1.0f);
    b.fill(1.0f);
    const std::uint64_t bIdentity = b.identity();
    b = a;
    EXPECT_NE(b.identity(), bIdentity);
    EXPECT_EQ(b.valueAt(1, 1), 7.0f);
    // The whole grid is taken over, each spacing and size on its own axis.
    PotentialField2D wide(3, 2, 0.5f, 0.75f);
    b = wide;
    EXPECT_EQ(b.dx(), 0.5f);
    EXPECT_EQ(b.dy(), 0.75f);
    EXPECT_EQ(b.nx(), 3u);
    EXPECT_EQ(b.ny(), 2u);
    PotentialField2D tall(2, 3, 0.75f, 0.5f);
    b = std::move(tall);
    EXPECT_EQ(b.dx(), 0.75f);
    EXPECT_EQ(b.dy(), 0.5f);
    EXPECT_EQ(b.nx(), 2u);
    EXPECT_EQ(b.ny(), 3u);

    // A moved-from field is an empty grid whose revision moved on.
    const std::uint64_t aRevision = a.revision();
    const std::uint64_t aIdentity = a.identity();
    PotentialField2D moved(std::move(a));
    EXPECT_NE(moved.identity(), aIdentity);
    EXPECT_EQ(moved.valueAt(0, 1), 7.0f);
    EXPECT_EQ(moved.dx(), 1.0f);
    EXPECT_EQ(moved.dy(), 1.5f);
    EXPECT_EQ(moved.ny(), 2u);
    EXPECT_TRUE(a.empty());
    EXPECT_EQ(a.nx(), 0u);
    EXPECT_EQ(a.revision(), aRevision + 1);
    // ... with the cells of a default field, on both axes and after either move.
    const PotentialField2D fresh;
    EXPECT_EQ(a.dx(), fresh.dx());
    EXPECT_EQ(a.dy(), fresh.dy());
    EXPECT_EQ(tall.dx(), fresh.dx());
    EXPECT_EQ(tall.dy(), fresh.dy());
    EXPECT_EQ(tall.ny(), 0u);
}

TEST(PotentialField2D, CellCentresAndGridMatching)
{
    PotentialField2D f(4, 3, 0.5f, 2.0f);
    EXPECT_DOUBLE_EQ(f.xAt(0), -0.75);
    EXPECT_DOUBLE_EQ(f.xAt(3), 0.75);
    EXPECT_DOUBLE_EQ(f.yAt(0), -2.0);
    EXPECT_DOUBLE_EQ(f.yAt(1), 0.0);
    PotentialField2D noColumns(0, 3, 1.0f, 1.0f);
    EXPECT_EQ(noColumns.xAt(5), 0.0);

    EXPECT_TRUE(f.matches(ComplexField2D(4, 3, 0.5f, 2.0f)));
    EXPECT_FALSE(f.matches(ComplexField2D(3, 4, 0.5f, 2.0f)));
    EXPECT_FALSE(f.matches(ComplexField2D(4, 3, 0.5f, std::nextafter(2.0f, 3.0f))));
}

// A row taken out keeps the spacings and the values of that row only.
TEST(PotentialField2D, ARowTakenOutIsAGridOfThatRowAlone)
{
    PotentialField2D f(4, 3, 0.5f, 2.0f);
    f.addLinear(0.0f, 0.0f, 0.0f, 1.0f, 10.0f);
    for (std::uint64_t j = 0; j < 3; ++j) {
        const PotentialField2D row = f.row(j);
        ASSERT_EQ(row.nx(), 4u);
        ASSERT_EQ(row.ny(), 1u);
        EXPECT_EQ(row.dx(), 0.5f);
        EXPECT_EQ(row.dy(), 2.0f);
        for (std::uint64_t i = 0; i < 4; ++i)
            EXPECT_EQ(row.valueAt(i, 0), f.valueAt(i, j)) << "cell " << i << " of row " << j;
    }
    EXPECT_TRUE(f.row(3).empty()) << "a row outside the grid";
}

TEST(PotentialField2D, AccumulateScalesAndChecksGrid)
{
    PotentialField2D target(2, 2, 0.5f, 0.5f);
    PotentialField2D other(2, 2, 0.5f, 0.5f);
    target.fill(1.0f);
    other.fill(2.0f);
    target.accumulate(other, -1.5f);
    EXPECT_EQ(countEqual(target, -2.0f), 4);
    EXPECT_EQ(target.minValue(), -2.0f);

    const std::uint64_t revision = target.revision();
    EXPECT_EQ(messageOf([&] { target.accumulate(other, kFloatNaN); }),
              "PotentialField2D::accumulate: scale must be finite");
    PotentialField2D lastBit(2, 2, 0.5f, std::nextafter(0.5f, 1.0f));
    EXPECT_EQ(messageOf([&] { target.accumulate(lastBit, 1.0f); }), "PotentialField2D::accumulate: grid mismatch");
    // The scale is checked before the grid.
    EXPECT_EQ(messageOf([&] { target.accumulate(lastBit, kFloatInf); }),
              "PotentialField2D::accumulate: scale must be finite");
    EXPECT_EQ(target.revision(), revision);
    EXPECT_EQ(countEqual(target, -2.0f), 4);
}

// Faces that run through cell centres: the low face in x and in y takes its
// cells and the high face leaves them, so a shape n cells wide paints n.
TEST(PotentialField2D, RectangleFacesOnCentresKeepTheWidthAndAssign)
{
    PotentialField2D f(4, 4, 0.5f, 0.5f); // centres +-0.25, +-0.75
    f.addRectangle(0.0f, 0.0f, 1.0f, 1.0f, 5.0f);
    EXPECT_EQ(countEqual(f, 5.0f), 4);
    for (std::uint64_t j = 1; j <= 2; ++j)
        for (std::uint64_t i = 1; i <= 2; ++i)
            EXPECT_EQ(f.valueAt(i, j), 5.0f);

    // Faces at +-0.75 on the outer centres: three cells of 0.5 each way.
    f.addRectangle(0.0f, 0.0f, 1.5f, 1.5f, 5.0f);
    EXPECT_EQ(countEqual(f, 5.0f), 9);
    f.addRectangle(0.0f, 0.0f, 1.5f, 1.5f, 5.0f); // assignment, not addition
    EXPECT_EQ(countEqual(f, 5.0f), 9);
    for (std::uint64_t j = 0; j < 3; ++j)
        for (std::uint64_t i = 0; i < 3; ++i)
            EXPECT_EQ(f.valueAt(i, j), 5.0f) << i << ", " << j;

    // An off-centre, non-square rectangle one cell wide with both x faces on
    // centres (0.25 and 0.75): the column x = 0.25 of the row y = -0.75.
    PotentialField2D g(4, 4, 0.5f, 0.5f);
    g.addRectangle(0.5f, -0.75f, 0.5f, 0.2f, -2.0f);
    EXPECT_EQ(countEqual(g, -2.0f), 1);
    EXPECT_EQ(g.valueAt(2, 0), -2.0f);
}

TEST(PotentialField2D, CircleAndBarrierCapsule)
{
    // Radius 1 about a centre: the centre and its neighbours at -x and -y; the
    // disc is two cells across either way, as its diameter.
    PotentialField2D circle = squareGrid(5, 1.0f);
    circle.addCircle(0.0f, 0.0f, 1.0f, 4.0f);
    EXPECT_EQ(countEqual(circle, 4.0f), 3);
    EXPECT_EQ(circle.valueAt(1, 2), 4.0f);
    EXPECT_EQ(circle.valueAt(2, 1), 4.0f);
    EXPECT_EQ(circle.valueAt(3, 2), 0.0f);
    EXPECT_EQ(circle.valueAt(2, 3), 0.0f);

    // Capsule from (0, -1) to (0, 1), reach 1: the columns x = -1 and 0 (two
    // cells, the thickness), the column x = 0 from y = -2 to 1 (four cells,
    // length plus thickness) and x = -1 for |y| <= 1 inside the straight part.
    PotentialField2D capsule = squareGrid(5, 1.0f);
    capsule.addBarrier(0.0f, -1.0f, 0.0f, 1.0f, 2.0f, 3.0f);
    EXPECT_EQ(countEqual(capsule, 3.0f), 7);
    EXPECT_EQ(capsule.valueAt(2, 0), 3.0f);
    EXPECT_EQ(capsule.valueAt(2, 4), 0.0f);
    EXPECT_EQ(capsule.valueAt(1, 0), 0.0f);
    EXPECT_EQ(capsule.valueAt(1, 3), 3.0f);
    EXPECT_EQ(capsule.valueAt(3, 2), 0.0f);

    // A diagonal segment selects by distance to the segment, not to its box.
    PotentialField2D diagonal = squareGrid(5, 1.0f);
    diagonal.addBarrier(-2.0f, -2.0f, 2.0f, 2.0f, 1.0f, 1.0f);
    EXPECT_EQ(countEqual(diagonal, 1.0f), 5);
    EXPECT_EQ(diagonal.valueAt(3, 3), 1.0f);
    EXPECT_EQ(diagonal.valueAt(3, 2), 0.0f);

    // A degenerate segment is a disc of radius thickness/2.
    PotentialField2D point = squareGrid(7, 0.5f);
    PotentialField2D disc = squareGrid(7, 0.5f);
    point.addBarrier(0.25f, -0.5f, 0.25f, -0.5f, 2.0f, 6.0f);
    disc.addCircle(0.25f, -0.5f, 1.0f, 6.0f);
    EXPECT_EQ(point.values(), disc.values());
    EXPECT_GT(countEqual(point, 6.0f), 1);
}

TEST(PotentialField2D, SlitWallsDecideWholeRows)
{
    // Rows y = -2..2, wall column x = 0. An opening of height 2 about y = 0
    // has its faces on the rows y = +-1: the rows -1 and 0 are open.
    PotentialField2D single = squareGrid(5, 1.0f);
    single.addSingleSlit(0.0f, 1.0f, 0.0f, 2.0f, 9.0f);
    EXPECT_EQ(countEqual(single, 9.0f), 3);
    EXPECT_EQ(single.valueAt(2, 0), 9.0f);
    EXPECT_EQ(single.valueAt(2, 1), 0.0f);
    EXPECT_EQ(single.valueAt(2, 2), 0.0f);
    EXPECT_EQ(single.valueAt(2, 3), 9.0f);
    EXPECT_EQ(single.valueAt(2, 4), 9.0f);

    // Wall of width 2 at x = 1, faces on the columns x = 0 and 2: the columns
    // x = 0 and 1.
    PotentialField2D wide = squareGrid(5, 1.0f);
    wide.addSingleSlit(1.0f, 2.0f, 2.0f, 1.0f, 9.0f);
    for (std::uint64_t j = 0; j < 5; ++j) {
        const float wall = j == 4 ? 0.0f : 9.0f;
        EXPECT_EQ(wide.valueAt(1, j), 0.0f);
        EXPECT_EQ(wide.valueAt(2, j), wall);
        EXPECT_EQ(wide.valueAt(3, j), wall);
        EXPECT_EQ(wide.valueAt(4, j), 0.0f);
    }

    // Separation 1 smaller than height 2: the two openings merge into rows y = -1..1.
    PotentialField2D merged = squareGrid(7, 1.0f);
    merged.addDoubleSlit(0.0f, 1.0f, 0.0f, 1.0f, 2.0f, 9.0f);
    for (std::uint64_t j = 0; j < 7; ++j) {
        const bool open = j >= 2 && j <= 4;
        EXPECT_EQ(merged.valueAt(3, j), open ? 0.0f : 9.0f) << "row " << j;
    }
    EXPECT_EQ(countEqual(merged, 9.0f), 4);

    // Openings about y = -2 and y = 2, one row each, in a wall of width 2
    // whose faces lie on the columns x = -1 and 1: the columns x = -1 and 0.
    PotentialField2D apart = squareGrid(7, 1.0f);
    apart.addDoubleSlit(0.0f, 2.0f, 0.0f, 4.0f, 1.0f, 9.0f);
    for (std::uint64_t j = 0; j < 7; ++j) {
        const bool open = j == 1 || j == 5;
        for (std::uint64_t i : {2u, 3u})
            EXPECT_EQ(apart.valueAt(i, j), open ? 0.0f : 9.0f) << "row " << j << " column " << i;
        EXPECT_EQ(apart.valueAt(4, j), 0.0f) << "row " << j;
    }
    EXPECT_EQ(countEqual(apart, 9.0f), 10);
}

TEST(PotentialField2D, PolygonEvenOddRule)
{
    // A ray from a point level with a vertex crosses the two edges that meet
    // there once, not twice and not never: the half-open rule on y.
    const std::vector<PotentialField2D::Vertex> diamond{{0.0f, -1.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}, {-1.0f, 0.0f}};
    for (double x : {-0.5, 0.0, 0.5})
        EXPECT_TRUE(vxo::pointInPolygon(x, 0.0, diamond)) << x;
    EXPECT_FALSE(vxo::pointInPolygon(-1.5, 0.0, diamond));
    EXPECT_FALSE(vxo::pointInPolygon(1.5, 0.0, diamond));
    // Half-open along x as well: a point on a left edge is inside, on a right edge outside.
    const std::vector<PotentialField2D::Vertex> square{{0.0f, 0.0f}, {2.0f, 0.0f}, {2.0f, 2.0f}, {0.0f, 2.0f}};
    EXPECT_TRUE(vxo::pointInPolygon(0.0, 1.0, square));
    EXPECT_FALSE(vxo::pointInPolygon(2.0, 1.0, square));

    // Hypotenuse x + y = -0.2 between the cell diagonals: the cells with
    // x + y <= -1 are inside, 10 of the 25.
    PotentialField2D f = squareGrid(5, 1.0f);
    f.addPolygon({{-2.6f, -2.6f}, {2.4f, -2.6f}, {-2.6f, 2.4f}}, 2.0f);
    EXPECT_EQ(countEqual(f, 2.0f), 10);
    EXPECT_EQ(f.valueAt(0, 0), 2.0f);
    EXPECT_EQ(f.valueAt(2, 2), 0.0f);
    EXPECT_EQ(f.valueAt(1, 2), 2.0f);

    // A five-pointed star drawn in one stroke: its centre is crossed twice
    // and therefore outside by the even-odd rule, a tip is inside.
    std::vector<PotentialField2D::Vertex> star;
    for (int k = 0; k < 5; ++k) {
        const double a = vxo::kPi / 2.0 + k * 4.0 * vxo::kPi / 5.0;
        star.emplace_back(static_cast<float>(3.0 * std::cos(a)), static_cast<float>(3.0 * std::sin(a)));
    }
    EXPECT_FALSE(vxo::pointInPolygon(0.0, 0.0, star));
    EXPECT_TRUE(vxo::pointInPolygon(0.0, 2.5, star));
    EXPECT_FALSE(vxo::pointInPolygon(0.0, 3.5, star));
}

TEST(PotentialField2D, StadiumExteriorLeavesInteriorAndBoundary)
{
    // Straight part |x| <= 1, |y| <= 1 and caps of radius 1, every face on
    // centres: the interior is four cells along x (width plus two radii) and
    // two along y, 7 cells of 35: (-2, 0), x = -1 and 0 for y = -1, 0, and
    // (1, -1), (1, 0) on the right cap.
    PotentialField2D f(7, 5, 1.0f, 1.0f);
    f.fill(1.0f);
    f.addStadiumExterior(0.0f, 0.0f, 2.0f, 1.0f, 8.0f);
    EXPECT_EQ(countEqual(f, 1.0f), 7);
    EXPECT_EQ(countEqual(f, 8.0f), 28);
    EXPECT_EQ(f.valueAt(1, 2), 1.0f); // (-2, 0), on the left cap
    EXPECT_EQ(f.valueAt(4, 1), 1.0f); // (1, -1)
    EXPECT_EQ(f.valueAt(4, 3), 8.0f); // (1, 1), the high corner
    EXPECT_EQ(f.valueAt(5, 2), 8.0f); // (2, 0), the high end of the right cap
    EXPECT_EQ(f.valueAt(3, 0), 8.0f); // (0, -2)
}

// Each painter against the inequality of its own shape, off the origin on a
// fine grid of cells 0.02 x 0.026: a size or a centre out by 1 %, or one axis
// measured with the other's spacing, moves the edge across some cell. Cells
// within 1e-4 of an edge (single-precision parameters) are not judged.
TEST(PotentialField2D, EveryPainterFillsTheCellsOfItsShape)
{
    const auto segmentDistance = [](double x, double y, double x0, double y0, double x1, double y1) {
        const double ex = x1 - x0, ey = y1 - y0;
        const double t = std::clamp(((x - x0) * ex + (y - y0) * ey) / (ex * ex + ey * ey), 0.0, 1.0);
        return std::hypot(x - (x0 + t * ex), y - (y0 + t * ey));
    };
    struct Shape {
        const char* name;
        std::function<void(PotentialField2D&)> paint;
        std::function<double(double, double)> slack; // > 0 where painted
    };
    const Shape shapes[] = {
        {"rectangle", [](PotentialField2D& f) { f.addRectangle(0.37f, -0.41f, 2.3f, 1.7f, 1.0f); },
         [](double x, double y) { return std::min(1.15 - std::abs(x - 0.37), 0.85 - std::abs(y + 0.41)); }},
        {"circle", [](PotentialField2D& f) { f.addCircle(-0.6f, 0.35f, 1.55f, 1.0f); },
         [](double x, double y) { return 1.55 - std::hypot(x + 0.6, y - 0.35); }},
        {"oblique barrier", [](PotentialField2D& f) { f.addBarrier(-2.1f, -1.3f, 1.7f, 1.9f, 0.9f, 1.0f); },
         [&](double x, double y) { return 0.45 - segmentDistance(x, y, -2.1, -1.3, 1.7, 1.9); }},
        {"stadium exterior", [](PotentialField2D& f) { f.addStadiumExterior(0.2f, -0.15f, 1.8f, 1.1f, 1.0f); },
         [](double x, double y) {
             const double ax = std::abs(x - 0.2), yp = y + 0.15;
             return ax <= 0.9 ? std::abs(yp) - 1.1 : std::hypot(ax - 0.9, yp) - 1.1;
         }},
        {"single slit", [](PotentialField2D& f) { f.addSingleSlit(0.45f, 0.7f, -0.3f, 1.1f, 1.0f); },
         [](double x, double y) { return std::min(0.35 - std::abs(x - 0.45), std::abs(y + 0.3) - 0.55); }},
        {"double slit", [](PotentialField2D& f) { f.addDoubleSlit(-0.25f, 0.5f, 0.2f, 1.6f, 0.6f, 1.0f); },
         [](double x, double y) {
             return std::min({0.25 - std::abs(x + 0.25), std::abs(y + 0.6) - 0.3, std::abs(y - 1.0) - 0.3});
         }},
    };
    for (const Shape& shape : shapes) {
        PotentialField2D f(301, 231, 0.02f, 0.026f);
        shape.paint(f);
        int painted = 0, wrong = 0;
        for (std::uint64_t j = 0; j < 231; ++j)
            for (std::uint64_t i = 0; i < 301; ++i) {
                const double slack = shape.slack((i - 150.0) * 0.02, (j - 115.0) * 0.026);
                painted += f.valueAt(i, j) == 1.0f ? 1 : 0;
                if (std::abs(slack) > 1e-4 && (f.valueAt(i, j) == 1.0f) != (slack > 0.0))
                    ++wrong;
            }
        EXPECT_EQ(wrong, 0) << shape.name;
        EXPECT_GT(painted, 1000) << shape.name;
    }
}

TEST(PotentialField2D, SmoothFieldsAddTheirFunction)
{
    PotentialField2D g = squareGrid(5, 1.0f);
    g.addGaussian(0.0f, 0.0f, 1.0f, 2.0f, 3.0f);
    g.addGaussian(0.0f, 0.0f, 1.0f, 2.0f, 3.0f); // addition: twice the contribution
    EXPECT_FLOAT_EQ(g.valueAt(2, 2), 6.0f);
    EXPECT_FLOAT_EQ(g.valueAt(3, 2), static_cast<float>(2.0 * 3.0 * std::exp(-0.5)));
    EXPECT_FLOAT_EQ(g.valueAt(2, 4), static_cast<float>(2.0 * 3.0 * std::exp(-0.5)));

    // Harmonic about (1, -1) with curvatures of either sign, on top of 1.
    PotentialField2D h = squareGrid(5, 1.0f);
    h.fill(1.0f);
    h.addHarmonic(1.0f, -1.0f, 0.5f, 2.0f, -4.0f);
    // Cell (x, y) = (-1, 1): x' = -2, y' = 2.
    EXPECT_FLOAT_EQ(h.valueAt(1, 3), 1.0f + (0.5f * 2.0f * 4.0f + 0.5f) - 0.5f * 4.0f * 4.0f);
    EXPECT_FLOAT_EQ(h.valueAt(3, 1), 1.5f);

    // A tilt on cells 0.5 x 1.25, every cell from its own centre: no cell of one
    // row gets the function of another, no axis the spacing of the other.
    PotentialField2D l(6, 4, 0.5f, 1.25f);
    l.addLinear(0.0f, 1.0f, 2.0f, 0.5f, -3.0f);
    for (std::uint64_t j = 0; j < 4; ++j)
        for (std::uint64_t i = 0; i < 6; ++i) {
            const double x = (i - 2.5) * 0.5;
            const double y = (j - 1.5) * 1.25;
            EXPECT_FLOAT_EQ(l.valueAt(i, j), static_cast<float>(2.0 + 0.5 * x - 3.0 * (y - 1.0))) << i << ", " << j;
        }

    PotentialField2D q = squareGrid(5, 1.0f);
    q.addQuadrupole(0.0f, 0.0f, 1.5f, -0.5f);
    EXPECT_FLOAT_EQ(q.valueAt(4, 3), 1.5f * (4.0f - 1.0f) + 2.0f * -0.5f * 2.0f * 1.0f); // (2, 1)

    PotentialField2D s = PotentialField2D(9, 9, 1.0f, 1.0f);
    s.addSoftenedRadial(0.0f, 0.0f, -2.0f, 1.0f);
    EXPECT_FLOAT_EQ(s.valueAt(4, 4), -2.0f);
    EXPECT_FLOAT_EQ(s.valueAt(7, 8), static_cast<float>(-2.0 / std::sqrt(26.0))); // (3, 4)

    // The smooth objects about (0.75, -1) on cells 0.5 x 1.25: each takes
    // x' and y' from its own centre coordinate.
    struct Smooth {
        const char* name;
        std::function<void(PotentialField2D&)> paint;
        std::function<double(double, double)> value; // of x', y'
    };
    const Smooth smooth[] = {
        {"gaussian", [](PotentialField2D& f) { f.addGaussian(0.75f, -1.0f, 1.0f, 2.0f, 3.0f); },
         [](double x, double y) { return 3.0 * std::exp(-(x * x / 2.0 + y * y / 8.0)); }},
        {"quadrupole", [](PotentialField2D& f) { f.addQuadrupole(0.75f, -1.0f, 1.5f, -0.5f); },
         [](double x, double y) { return 1.5 * (x * x - y * y) - 2.0 * 0.5 * x * y; }},
        {"softened radial", [](PotentialField2D& f) { f.addSoftenedRadial(0.75f, -1.0f, -2.0f, 1.0f); },
         [](double x, double y) { return -2.0 / std::sqrt(x * x + y * y + 1.0); }},
    };
    for (const Smooth& row : smooth) {
        PotentialField2D f(6, 4, 0.5f, 1.25f);
        row.paint(f);
        for (std::uint64_t j = 0; j < 4; ++j)
            for (std::uint64_t i = 0; i < 6; ++i) {
                const double x = (i - 2.5) * 0.5 - 0.75;
                const double y = (j - 1.5) * 1.25 + 1.0;
                EXPECT_NEAR(f.valueAt(i, j), row.value(x, y), 1e-5) << row.name << " at " << i << ", " << j;
            }
    }
}

// Every strength a document or the form can hold (any finite float) paints a
// finite potential: a term or a sum beyond the float range is held at the
// largest float of its sign, and the split step then keeps the packet finite
// (an infinite V made every phase, and one step later the field, NaN).
TEST(PotentialField2D, SmoothPaintersHoldTheirSumsWithinTheFloatRange)
{
    const float largest = std::numeric_limits<float>::max();
    struct Case {
        const char* name;
        std::function<void(PotentialField2D&)> paint;
        float extreme; // the value the overflowing cells are held at
    };
    const Case cases[] = {
        {"steep harmonic trap", [](PotentialField2D& f) { f.addHarmonic(0.0f, 0.0f, 0.0f, 1e37f, 1e37f); }, largest},
        {"inverted harmonic trap", [](PotentialField2D& f) { f.addHarmonic(0.5f, 0.0f, 1.0f, -1e37f, 2.0f); },
         -largest},
        {"tall Gaussian on a filled grid",
         [](PotentialField2D& f) {
             f.fill(3e38f);
             f.addGaussian(0.0f, 0.0f, 2.0f, 1.0f, 3e38f);
         },
         largest},
        {"deep Gaussian on a filled grid",
         [](PotentialField2D& f) {
             f.fill(-3e38f);
             f.addGaussian(1.0f, -1.0f, 1.0f, 3.0f, -3e38f);
         },
         -largest},
        {"steep tilt", [](PotentialField2D& f) { f.addLinear(0.0f, 0.0f, 0.0f, 3e38f, 0.0f); }, largest},
        {"steep quadrupole", [](PotentialField2D& f) { f.addQuadrupole(0.0f, 0.0f, 3e38f, 0.0f); }, largest},
        {"sharp softened well", [](PotentialField2D& f) { f.addSoftenedRadial(0.0f, 0.0f, -3e38f, 0.01f); }, -largest},
        {"deep standing wave on a filled grid",
         [](PotentialField2D& f) {
             f.fill(3e38f);
             f.addStandingWaveX(4.0f, 3e38f, 0.0f);
         },
         largest},
    };
    for (const Case& c : cases) {
        PotentialField2D f(64, 32, 0.3f, 0.45f);
        c.paint(f);
        for (const float v : f.values())
            ASSERT_TRUE(std::isfinite(v)) << c.name;
        EXPECT_EQ(c.extreme > 0.0f ? f.maxValue() : f.minValue(), c.extreme) << c.name;

        ComplexField2D psi(64, 32, 0.3f, 0.45f);
        vxo::GaussianPacket2D packet;
        packet.x0 = -2.0f;
        packet.sigma = 1.5f;
        packet.px = 1.0f;
        vxo::GaussianPacket2D::prepare(psi, packet);
        vxo::SplitStepFourierSolver2D solver;
        solver.configure(vxo::SplitStepParameters{});
        for (int step = 0; step < 2; ++step)
            solver.step(psi, f);
        double norm = 0.0;
        for (std::uint64_t c2 = 0; c2 < psi.size(); ++c2) {
            const vxo::Complex a = psi.data()[c2];
            ASSERT_TRUE(std::isfinite(a.real()) && std::isfinite(a.imag())) << c.name;
            norm += std::norm(a);
        }
        EXPECT_NEAR(norm * 0.3 * 0.45, 1.0, 1e-3) << c.name << ": the step is unitary";
    }
}

TEST(PotentialField2D, StandingWaveAlongX)
{
    // Period 2 on centres x = -2..2 in steps 0.5: cos^2(pi x / 2).
    PotentialField2D f(9, 3, 0.5f, 1.0f);
    f.addStandingWaveX(2.0f, 1.0f, 0.0f);
    EXPECT_FLOAT_EQ(f.valueAt(4, 0), 1.0f);
    EXPECT_NEAR(f.valueAt(6, 1), 0.0f, 1e-7f);
    EXPECT_FLOAT_EQ(f.valueAt(5, 2), 0.5f);
    for (float v : f.values()) {
        EXPECT_GE(v, 0.0f);
        EXPECT_LE(v, 1.0f);
    }
    for (std::uint64_t i = 0; i < 9; ++i)
        EXPECT_EQ(f.valueAt(i, 0), f.valueAt(i, 2));

    // A phase of 180 degrees moves the pattern by half a period (2 cells).
    PotentialField2D shifted(9, 1, 0.5f, 1.0f);
    shifted.addStandingWaveX(2.0f, 1.0f, 180.0f);
    for (std::uint64_t i = 0; i + 2 < 9; ++i)
        EXPECT_NEAR(shifted.valueAt(i, 0), f.valueAt(i + 2, 0), 1e-6f);
}

TEST(PotentialField2D, PaintersOnGridsWithoutCellsOnlyRaiseRevision)
{
    PotentialField2D f(4, 0, 1.0f, 1.0f);
    f.addRectangle(0.0f, 0.0f, 1.0f, 1.0f, 1.0f);
    f.addDoubleSlit(0.0f, 1.0f, 0.0f, 2.0f, 1.0f, 1.0f);
    f.addGaussian(0.0f, 0.0f, 1.0f, 1.0f, 1.0f);
    f.addStandingWaveX(1.0f, 1.0f, 0.0f);
    EXPECT_EQ(f.revision(), 5u);
    EXPECT_TRUE(f.empty());
    EXPECT_EQ(f.yAt(0), 0.0);
}

TEST(PotentialField2D, RefusedPaintersReportFirstFaultAndChangeNothing)
{
    using P = PotentialField2D;
    const float n = kFloatNaN;
    const std::vector<P::Vertex> triangle{{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}};
    const std::vector<std::pair<std::function<void(P&)>, std::string>> cases{
        {[&](P& f) { f.addRectangle(n, n, 1, 1, 1); }, "PotentialField2D::addRectangle: centerX must be finite"},
        // The value is tested before the sizes, whatever its place.
        {[&](P& f) { f.addRectangle(0, 0, -1, 1, n); }, "PotentialField2D::addRectangle: value must be finite"},
        {[&](P& f) { f.addRectangle(0, 0, 1, 0, 1); },
         "PotentialField2D::addRectangle: width and height must be finite and positive"},
        {[&](P& f) { f.addCircle(n, 0, 1, 1); }, "PotentialField2D::addCircle: centerX must be finite"},
        {[&](P& f) { f.addCircle(0, 0, 0, n); }, "PotentialField2D::addCircle: value must be finite"},
        {[&](P& f) { f.addCircle(0, 0, kFloatInf, 1); },
         "PotentialField2D::addCircle: radius must be finite and positive"},
        {[&](P& f) { f.addBarrier(n, 0, 0, 0, 1, 1); }, "PotentialField2D::addBarrier: x1 must be finite"},
        {[&](P& f) { f.addBarrier(0, 0, 0, n, 1, 1); }, "PotentialField2D::addBarrier: y2 must be finite"},
        {[&](P& f) { f.addBarrier(0, 0, 0, 0, -1, n); }, "PotentialField2D::addBarrier: value must be finite"},
        {[&](P& f) { f.addBarrier(0, 0, 0, 0, 0, 1); },
         "PotentialField2D::addBarrier: thickness must be finite and positive"},
        {[&](P& f) { f.addSingleSlit(n, 1, 0, 1, 1); }, "PotentialField2D::addSingleSlit: centerX must be finite"},
        {[&](P& f) { f.addSingleSlit(0, -1, 0, 1, n); }, "PotentialField2D::addSingleSlit: value must be finite"},
        {[&](P& f) { f.addSingleSlit(0, 1, 0, 0, 1); },
         "PotentialField2D::addSingleSlit: dimensions must be finite and positive"},
        {[&](P& f) { f.addDoubleSlit(n, 1, 0, 1, 1, 1); }, "PotentialField2D::addDoubleSlit: centerX must be finite"},
        {[&](P& f) { f.addDoubleSlit(0, 1, n, 1, 1, 1); },
         "PotentialField2D::addDoubleSlit: slitCenterY must be finite"},
        {[&](P& f) { f.addDoubleSlit(0, 0, 0, 1, 1, n); }, "PotentialField2D::addDoubleSlit: value must be finite"},
        {[&](P& f) { f.addDoubleSlit(0, 1, 0, -2, 1, 1); },
         "PotentialField2D::addDoubleSlit: dimensions must be finite and positive"},
        {[&](P& f) {
             f.addPolygon({{0, 0}, {1, 1}}, n);
         },
         "PotentialField2D::addPolygon: value must be finite"},
        {[&](P& f) {
             f.addPolygon({{0, 0}, {1, 1}}, 1);
         },
         "PotentialField2D::addPolygon: at least three vertices are required"},
        {[&](P& f) {
             f.addPolygon({{0, 0}, {1, n}, {0, 1}}, 1);
         },
         "PotentialField2D::addPolygon: vertices must be finite"},
        {[&](P& f) { f.addStadiumExterior(n, 0, 1, 1, 1); },
         "PotentialField2D::addStadiumExterior: centerX must be finite"},
        {[&](P& f) { f.addStadiumExterior(0, 0, 0, 1, n); },
         "PotentialField2D::addStadiumExterior: value must be finite"},
        {[&](P& f) { f.addStadiumExterior(0, 0, 1, -1, 1); },
         "PotentialField2D::addStadiumExterior: dimensions must be finite and positive"},
        {[&](P& f) { f.addGaussian(n, 0, 1, 1, 1); }, "PotentialField2D::addGaussian: centerX must be finite"},
        {[&](P& f) { f.addGaussian(0, 0, 0, 1, n); }, "PotentialField2D::addGaussian: amplitude must be finite"},
        {[&](P& f) { f.addGaussian(0, 0, 1, n, 1); },
         "PotentialField2D::addGaussian: sigmas must be finite and positive"},
        {[&](P& f) { f.addHarmonic(n, 0, 0, 1, 1); }, "PotentialField2D::addHarmonic: centerX must be finite"},
        {[&](P& f) { f.addHarmonic(0, 0, n, n, 1); }, "PotentialField2D::addHarmonic: offset must be finite"},
        {[&](P& f) { f.addHarmonic(0, 0, 0, kFloatInf, 1); },
         "PotentialField2D::addHarmonic: curvatureX must be finite"},
        {[&](P& f) { f.addHarmonic(0, 0, 0, 1, n); }, "PotentialField2D::addHarmonic: curvatureY must be finite"},
        {[&](P& f) { f.addLinear(n, 0, 0, 1, 1); }, "PotentialField2D::addLinear: centerX must be finite"},
        {[&](P& f) { f.addLinear(0, 0, n, 1, 1); }, "PotentialField2D::addLinear: offset must be finite"},
        {[&](P& f) { f.addLinear(0, 0, 0, n, 1); }, "PotentialField2D::addLinear: slopeX must be finite"},
        {[&](P& f) { f.addLinear(0, 0, 0, 1, -kFloatInf); }, "PotentialField2D::addLinear: slopeY must be finite"},
        {[&](P& f) { f.addQuadrupole(n, 0, 1, 1); }, "PotentialField2D::addQuadrupole: centerX must be finite"},
        {[&](P& f) { f.addQuadrupole(0, 0, n, n); }, "PotentialField2D::addQuadrupole: q1 must be finite"},
        {[&](P& f) { f.addQuadrupole(0, 0, 1, n); }, "PotentialField2D::addQuadrupole: q2 must be finite"},
        {[&](P& f) { f.addSoftenedRadial(n, 0, 1, 1); }, "PotentialField2D::addSoftenedRadial: centerX must be finite"},
        {[&](P& f) { f.addSoftenedRadial(0, 0, n, 0); },
         "PotentialField2D::addSoftenedRadial: coupling must be finite"},
        {[&](P& f) { f.addSoftenedRadial(0, 0, 1, 0); },
         "PotentialField2D::addSoftenedRadial: softening must be finite and positive"},
        // Each coordinate is checked on its own, the second as well as the first.
        {[&](P& f) { f.addRectangle(0, n, 1, 1, 1); }, "PotentialField2D::addRectangle: centerY must be finite"},
        {[&](P& f) { f.addCircle(0, n, 1, 1); }, "PotentialField2D::addCircle: centerY must be finite"},
        {[&](P& f) { f.addBarrier(0, n, 0, 0, 1, 1); }, "PotentialField2D::addBarrier: y1 must be finite"},
        {[&](P& f) { f.addBarrier(0, 0, n, 0, 1, 1); }, "PotentialField2D::addBarrier: x2 must be finite"},
        {[&](P& f) { f.addSingleSlit(0, 1, n, 1, 1); }, "PotentialField2D::addSingleSlit: slitCenterY must be finite"},
        {[&](P& f) { f.addStadiumExterior(0, n, 1, 1, 1); },
         "PotentialField2D::addStadiumExterior: centerY must be finite"},
        {[&](P& f) { f.addGaussian(0, n, 1, 1, 1); }, "PotentialField2D::addGaussian: centerY must be finite"},
        {[&](P& f) { f.addHarmonic(0, n, 0, 1, 1); }, "PotentialField2D::addHarmonic: centerY must be finite"},
        {[&](P& f) { f.addLinear(0, n, 0, 1, 1); }, "PotentialField2D::addLinear: centerY must be finite"},
        {[&](P& f) { f.addQuadrupole(0, n, 1, 1); }, "PotentialField2D::addQuadrupole: centerY must be finite"},
        {[&](P& f) { f.addSoftenedRadial(0, n, 1, 1); }, "PotentialField2D::addSoftenedRadial: centerY must be finite"},
        {[&](P& f) { f.addStandingWaveX(0, n, n); },
         "PotentialField2D::addStandingWaveX: period must be finite and positive"},
        {[&](P& f) { f.addStandingWaveX(1, n, n); }, "PotentialField2D::addStandingWaveX: depth must be finite"},
        {[&](P& f) { f.addStandingWaveX(1, 1, kFloatInf); },
         "PotentialField2D::addStandingWaveX: phase must be finite"},
    };
    PotentialField2D f = squareGrid(5, 1.0f);
    f.addGaussian(0.0f, 0.0f, 1.0f, 1.0f, 2.0f);
    const std::vector<float> before = f.values();
    const std::uint64_t revision = f.revision();
    for (const auto& c : cases) {
        EXPECT_EQ(messageOf([&] { c.first(f); }), c.second);
        EXPECT_EQ(f.revision(), revision) << c.second;
        EXPECT_EQ(f.values(), before) << c.second;
    }
    // Every painter that passes its checks paints: the triangle is accepted.
    EXPECT_NO_THROW(f.addPolygon(triangle, 1.0f));
    EXPECT_EQ(f.revision(), revision + 1);
}

// The extent is kept between calls: every change, and every copy or move into
// a field, must show in the next minValue and maxValue as a fresh scan would.
TEST(PotentialField2D, ExtentFollowsEveryChangeOfTheValues)
{
    const auto scanned = [](const PotentialField2D& v) {
        return std::make_pair(*std::min_element(v.values().begin(), v.values().end()),
                              *std::max_element(v.values().begin(), v.values().end()));
    };
    PotentialField2D other(24, 10, 0.5f, 0.25f);
    other.addGaussian(1.0f, 0.0f, 1.0f, 1.0f, -7.0f);
    struct Change {
        const char* name;
        std::function<void(PotentialField2D&)> apply;
    };
    const std::vector<Change> changes = {
        {"barrier", [](PotentialField2D& v) { v.addBarrier(0.0f, -1.0f, 0.0f, 1.0f, 0.5f, 3.0f); }},
        {"gaussian well", [](PotentialField2D& v) { v.addGaussian(-2.0f, 0.0f, 1.0f, 0.5f, -4.0f); }},
        {"fill", [](PotentialField2D& v) { v.fill(1.5f); }},
        {"accumulate", [&other](PotentialField2D& v) { v.accumulate(other, 2.0f); }},
        {"clear", [](PotentialField2D& v) { v.clear(); }},
        {"rectangle", [](PotentialField2D& v) { v.addRectangle(1.0f, 0.0f, 2.0f, 1.0f, 9.0f); }},
        {"copy assigned", [&other](PotentialField2D& v) { v = other; }},
        {"reset", [](PotentialField2D& v) { v.reset(24, 10, 0.5f, 0.25f); }},
        {"linear", [](PotentialField2D& v) { v.addLinear(0.0f, 0.0f, 0.0f, 1.0f, -0.5f); }},
        {"move assigned",
         [](PotentialField2D& v) {
             PotentialField2D moved(24, 10, 0.5f, 0.25f);
             moved.addCircle(0.0f, 0.0f, 1.0f, -3.0f);
             v = std::move(moved);
         }},
    };
    PotentialField2D field(24, 10, 0.5f, 0.25f);
    for (const Change& change : changes) {
        // Read before the change, so that a kept extent exists to go stale.
        (void)field.minValue();
        (void)field.maxValue();
        change.apply(field);
        const auto expected = scanned(field);
        EXPECT_EQ(field.minValue(), expected.first) << change.name;
        EXPECT_EQ(field.maxValue(), expected.second) << change.name;
        // A copy has the same extent; changing the copy leaves the original's.
        PotentialField2D copy(field);
        copy.addRectangle(0.0f, 0.0f, 100.0f, 100.0f, 42.0f);
        EXPECT_EQ(copy.maxValue(), 42.0f) << change.name;
        EXPECT_EQ(field.maxValue(), expected.second) << change.name;
    }

    // Two fields painted alike carry the same revision number: assigning one
    // to the other must still replace the extent.
    PotentialField2D high(24, 10, 0.5f, 0.25f);
    PotentialField2D low(24, 10, 0.5f, 0.25f);
    high.addBarrier(0.0f, -1.0f, 0.0f, 1.0f, 0.5f, 3.0f);
    low.addBarrier(0.0f, -1.0f, 0.0f, 1.0f, 0.5f, -5.0f);
    ASSERT_EQ(high.revision(), low.revision());
    EXPECT_EQ(high.minValue(), 0.0f);
    high = low;
    EXPECT_EQ(high.minValue(), -5.0f);
    EXPECT_EQ(high.maxValue(), 0.0f);
}
