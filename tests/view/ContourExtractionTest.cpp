#include "view/ContourExtraction.h"

#include "ViewTestSupport.h"
#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace vxo {
namespace {

using test::sampledField;

double radius(float x, float y) { return std::hypot(static_cast<double>(x), static_cast<double>(y)); }

TEST(PotentialContours, HarmonicLevelSetsAreCirclesOfTheRightRadius)
{
    // V = (x^2 + y^2) / 2, so the level L is the circle r = sqrt(2 L).
    PotentialField2D v(96, 96, 0.125f, 0.125f);
    v.addHarmonic(0.0f, 0.0f, 0.0f, 1.0f, 1.0f);
    const PotentialContourSet set = buildPotentialContours(v, 5);
    ASSERT_EQ(set.levels.size(), 5u);
    EXPECT_FALSE(set.binary);
    EXPECT_FLOAT_EQ(set.minimum, v.minValue());
    EXPECT_FLOAT_EQ(set.maximum, v.maxValue());

    for (float level : set.levels) {
        const double expected = std::sqrt(2.0 * level);
        int count = 0;
        for (const PotentialContourSegment& s : set.segments) {
            if (s.level != level)
                continue;
            ++count;
            // Linear interpolation of a quadratic across one cell: error below dx^2 / (8 r) + rounding.
            EXPECT_NEAR(radius(s.x0, s.y0), expected, 0.01);
            EXPECT_NEAR(radius(s.x1, s.y1), expected, 0.01);
        }
        // A closed circle within the grid crosses roughly 2 pi r / dx * (4 / pi) cells.
        if (expected < 5.5) {
            EXPECT_GT(count, static_cast<int>(6.0 * expected / 0.125));
        }
    }
    // Segments are grouped level by level in ascending order.
    for (std::size_t k = 1; k < set.segments.size(); ++k)
        EXPECT_LE(set.segments[k - 1].level, set.segments[k].level);
}

TEST(PotentialContours, LevelsSpreadEvenlyBetweenTheExtremes)
{
    PotentialField2D v(11, 2, 1.0f, 1.0f);      // x_i = i - 5
    v.addLinear(-5.0f, 0.0f, 0.0f, 1.0f, 0.0f); // V = i, from 0 to 10
    const PotentialContourSet set = buildPotentialContours(v, 4);
    ASSERT_EQ(set.levels.size(), 4u);
    EXPECT_FLOAT_EQ(set.levels[0], 2.0f);
    EXPECT_FLOAT_EQ(set.levels[1], 4.0f);
    EXPECT_FLOAT_EQ(set.levels[2], 6.0f);
    EXPECT_FLOAT_EQ(set.levels[3], 8.0f);
    // V = i is linear, so the level L crosses every row pair at x = L - 5 exactly.
    ASSERT_EQ(set.segments.size(), 4u);
    for (const PotentialContourSegment& s : set.segments) {
        EXPECT_FLOAT_EQ(s.x0, s.level - 5.0f);
        EXPECT_FLOAT_EQ(s.x1, s.level - 5.0f);
        EXPECT_FLOAT_EQ(std::fabs(s.y1 - s.y0), 1.0f);
    }
}

TEST(PotentialContours, StepBarrierGetsOneMidLevelOnTheHalfCellBoundary)
{
    PotentialField2D v(20, 12, 0.5f, 0.4f);
    v.addRectangle(0.0f, 0.0f, 2.9f, 1.9f, 5.0f); // centres |x| <= 1.25, |y| <= 0.6
    const PotentialContourSet set = buildPotentialContours(v, 4);
    EXPECT_TRUE(set.binary);
    ASSERT_EQ(set.levels.size(), 1u);
    EXPECT_FLOAT_EQ(set.levels[0], 2.5f);
    ASSERT_FALSE(set.segments.empty());
    // Level 2.5 lies half way between 0 and 5: every crossing is at the midpoint
    // between an inside and an outside cell centre, i.e. on |x| = 1.5 or |y| = 0.8.
    for (const PotentialContourSegment& s : set.segments) {
        for (auto [x, y] : {std::pair<float, float>{s.x0, s.y0}, {s.x1, s.y1}}) {
            const bool onSide = std::fabs(std::fabs(x) - 1.5f) < 1e-6f && std::fabs(y) <= 0.8f + 1e-6f;
            const bool onTopOrBottom = std::fabs(std::fabs(y) - 0.8f) < 1e-6f && std::fabs(x) <= 1.5f;
            EXPECT_TRUE(onSide || onTopOrBottom) << x << ", " << y;
        }
    }
}

// Two values are binary when every cell lies within max(1e-6 range, 1e-7) of
// one of them: a range of 0.05 with one cell 1e-7 above the floor still is,
// with one cell 1.5e-7 above it not.
TEST(PotentialContours, BinaryToleranceFromBothSides)
{
    // A step of 0.05 is within the absolute floor of 1e-7; a step of 100 has
    // a tolerance of a millionth of the range, 1e-4.
    struct Case {
        float step, offset;
        bool binary;
    };
    for (const Case& c : {Case{0.05f, 1e-7f, true}, Case{0.05f, 1.5e-7f, false}, Case{100.0f, 0.995e-4f, true},
                          Case{100.0f, 1.005e-4f, false}}) {
        PotentialField2D v(12, 10, 0.5f, 0.4f);
        v.addRectangle(0.0f, 0.0f, 2.0f, 2.0f, c.step);
        v.addRectangle(-2.25f, -1.4f, 0.4f, 0.3f, c.offset); // one cell, away from the step
        const PotentialContourSet set = buildPotentialContours(v, 4);
        EXPECT_EQ(set.binary, c.binary) << "step " << c.step << ", offset " << c.offset;
        EXPECT_EQ(set.levels.size(), c.binary ? 1u : 4u) << "step " << c.step << ", offset " << c.offset;
    }
}

TEST(PotentialContours, DegenerateInputGivesNoLevels)
{
    PotentialField2D flat(8, 8, 1.0f, 1.0f);
    flat.fill(3.5f);
    const PotentialContourSet constant = buildPotentialContours(flat, 4);
    EXPECT_TRUE(constant.levels.empty());
    EXPECT_TRUE(constant.segments.empty());
    EXPECT_FLOAT_EQ(constant.minimum, 3.5f);
    EXPECT_FLOAT_EQ(constant.maximum, 3.5f);
    EXPECT_FALSE(constant.binary);

    // A single row or a single column has no cell to contour.
    PotentialField2D line(8, 1, 1.0f, 1.0f);
    line.addLinear(0.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    PotentialField2D column(1, 8, 1.0f, 1.0f);
    column.addLinear(0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    PotentialField2D ramp(8, 8, 1.0f, 1.0f);
    ramp.addLinear(0.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    for (const PotentialContourSet& s : {buildPotentialContours(PotentialField2D(), 4), buildPotentialContours(line, 4),
                                         buildPotentialContours(column, 4), buildPotentialContours(ramp, 0)}) {
        EXPECT_TRUE(s.levels.empty());
        EXPECT_TRUE(s.segments.empty());
        EXPECT_EQ(s.minimum, 0.0f);
        EXPECT_EQ(s.maximum, 0.0f);
    }
}

// Corners a = V(0,0), b = V(1,0), c = V(1,1), d = V(0,1) of one 2 x 2 cell with
// centres at +-0.5: P0 = (0, -0.5), P1 = (0.5, 0), P2 = (0, 0.5), P3 = (-0.5, 0).
struct SaddleCase {
    float a, b, c, d;
    // expected segments as (x0, y0, x1, y1)
    std::vector<std::array<float, 4>> segments;
};

TEST(PotentialContours, SaddleCellsFollowTheCentreValue)
{
    const std::vector<SaddleCase> cases{
        // code 10, centre 0.5 not above the level 0.5: the high corners stay apart.
        {0.0f, 1.0f, 0.0f, 1.0f, {{-0.5f, 0.0f, 0.0f, 0.5f}, {0.0f, -0.5f, 0.5f, 0.0f}}},
        // code 5 with the centre 0.55 above the level 0.5: a and c joined through the cell
        // (P3 -> P2, P0 -> P1), with the edge points interpolated.
        {1.0f, 0.2f, 1.0f, 0.0f, {{-0.5f, 0.0f, 0.0f, 0.5f}, {0.125f, -0.5f, 0.5f, -0.125f}}},
        // code 5 with the centre 0.45 below the level 0.5: a and c cut off (P3 -> P0, P2 -> P1).
        {1.0f, 0.0f, 0.8f, 0.0f, {{-0.5f, 0.0f, 0.0f, -0.5f}, {0.125f, 0.5f, 0.5f, 0.125f}}},
    };
    for (const SaddleCase& c : cases) {
        PotentialField2D v(2, 2, 1.0f, 1.0f);
        const float values[4] = {c.a, c.b, c.c, c.d};
        const float cx[4] = {-0.5f, 0.5f, 0.5f, -0.5f};
        const float cy[4] = {-0.5f, -0.5f, 0.5f, 0.5f};
        for (int k = 0; k < 4; ++k)
            if (values[k] != 0.0f)
                v.addRectangle(cx[k], cy[k], 0.5f, 0.5f, values[k]);
        const PotentialContourSet set = buildPotentialContours(v, 1);
        ASSERT_EQ(set.levels.size(), 1u);
        ASSERT_FLOAT_EQ(set.levels[0], 0.5f);
        ASSERT_EQ(set.segments.size(), c.segments.size());
        for (std::size_t k = 0; k < c.segments.size(); ++k) {
            const PotentialContourSegment& s = set.segments[k];
            EXPECT_NEAR(s.x0, c.segments[k][0], 1e-6f) << "case a=" << c.a << " segment " << k;
            EXPECT_NEAR(s.y0, c.segments[k][1], 1e-6f) << "case a=" << c.a << " segment " << k;
            EXPECT_NEAR(s.x1, c.segments[k][2], 1e-6f) << "case a=" << c.a << " segment " << k;
            EXPECT_NEAR(s.y1, c.segments[k][3], 1e-6f) << "case a=" << c.a << " segment " << k;
        }
    }
}

TEST(ProbabilityContours, GaussianDensityLevelSetsAreCircles)
{
    // |psi|^2 = exp(-r^2 / s^2): the level L * pmax is the circle r = s sqrt(-ln L).
    const double s = 2.0;
    const ComplexField2D psi = sampledField(112, 160, 0.08f, 0.0625f, [s](double x, double y) {
        const double a = std::exp(-(x * x + y * y) / (2.0 * s * s));
        return Complex(static_cast<float>(a * 0.6), static_cast<float>(a * 0.8));
    });
    const ProbabilityContourSet set = buildProbabilityContours(psi, 3, 0, 4.0f, 384);
    ASSERT_EQ(set.levels.size(), 3u);
    EXPECT_EQ(set.stride, 1u);
    EXPECT_NEAR(set.maxProbability, 1.0f, 1e-3f); // the peak lies between cells
    for (std::size_t e = 0; e < 3; ++e)
        EXPECT_FLOAT_EQ(set.levels[e], static_cast<float>(e + 1) / 4.0f * set.maxProbability);
    ASSERT_FALSE(set.segments.empty());
    for (const ProbabilityContourSegment& seg : set.segments) {
        const double expected = s * std::sqrt(-std::log(static_cast<double>(seg.level)));
        EXPECT_NEAR(radius(seg.x0, seg.y0), expected, 0.01);
        EXPECT_NEAR(radius(seg.x1, seg.y1), expected, 0.01);
        const auto e =
            static_cast<std::size_t>(std::find(set.levels.begin(), set.levels.end(), seg.level) - set.levels.begin());
        ASSERT_LT(e, 3u);
        EXPECT_FLOAT_EQ(seg.colorFraction, static_cast<float>(e + 1) / 4.0f);
    }
    // Each circle is whole: it reaches +-r on both axes.
    for (float level : set.levels) {
        const double r = s * std::sqrt(-std::log(static_cast<double>(level)));
        double extent[4] = {0.0, 0.0, 0.0, 0.0}; // min x, max x, min y, max y
        for (const ProbabilityContourSegment& seg : set.segments)
            if (seg.level == level)
                for (auto [x, y] : {std::pair<double, double>{seg.x0, seg.y0}, {seg.x1, seg.y1}}) {
                    extent[0] = std::min(extent[0], x);
                    extent[1] = std::max(extent[1], x);
                    extent[2] = std::min(extent[2], y);
                    extent[3] = std::max(extent[3], y);
                }
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(std::fabs(extent[k]), r, 0.1) << "level " << level << " side " << k;
    }
}

TEST(ProbabilityContours, LogarithmicLevelsAndDecadeClamp)
{
    const ComplexField2D psi = sampledField(16, 16, 1.0f, 1.0f, [](double x, double y) {
        return Complex(static_cast<float>(2.0 * std::exp(-(x * x + y * y) / 8.0)), 0.0f);
    });
    const ProbabilityContourSet set = buildProbabilityContours(psi, 3, 1, 4.0f, 384);
    const float pmax = set.maxProbability;
    ASSERT_EQ(set.levels.size(), 3u);
    EXPECT_NEAR(set.levels[0] / pmax, 1e-3f, 1e-8f);
    EXPECT_NEAR(set.levels[1] / pmax, 1e-2f, 1e-7f);
    EXPECT_NEAR(set.levels[2] / pmax, 1e-1f, 1e-6f);
    EXPECT_EQ(set.spacingMode, 1);

    struct Case {
        float requested;
        float stored;
    };
    for (const Case c : {Case{20.0f, 12.0f}, Case{12.05f, 12.0f}, Case{0.1f, 0.25f}, Case{3.0f, 3.0f},
                         Case{std::numeric_limits<float>::quiet_NaN(), 12.0f}}) {
        EXPECT_EQ(buildProbabilityContours(psi, 3, 1, c.requested, 384).decades, c.stored) << c.requested;
        // Stored also when nothing is extracted.
        EXPECT_EQ(buildProbabilityContours(ComplexField2D(), 3, 7, c.requested, 384).decades, c.stored);
    }
    EXPECT_EQ(buildProbabilityContours(ComplexField2D(), 3, 7, 4.0f, 384).spacingMode, 7);
}

TEST(ProbabilityContours, StrideBoundsTheSamplingLattice)
{
    auto blob = [](double x, double y) { return Complex(static_cast<float>(std::exp(-(x * x + y * y))), 0.0f); };
    EXPECT_EQ(buildProbabilityContours(sampledField(1024, 64, 0.05f, 0.05f, blob), 2, 0, 4.0f, 384).stride, 3u);
    EXPECT_EQ(buildProbabilityContours(sampledField(64, 1024, 0.05f, 0.05f, blob), 2, 0, 4.0f, 384).stride, 3u);
    EXPECT_EQ(buildProbabilityContours(sampledField(256, 256, 0.05f, 0.05f, blob), 2, 0, 4.0f, 384).stride, 1u);
    // The target is never taken below 32 cells.
    EXPECT_EQ(buildProbabilityContours(sampledField(64, 64, 0.1f, 0.1f, blob), 2, 0, 4.0f, 5).stride, 2u);

    // A strided lattice reaches the last row and column: a peak in the far corner is still enclosed.
    const auto peakAt = [](double cx, double cy) {
        return [cx, cy](double x, double y) {
            const double dx = x - cx;
            const double dy = y - cy;
            return Complex(static_cast<float>(std::exp(-(dx * dx + dy * dy) / 50.0)), 0.0f);
        };
    };
    const ComplexField2D corner = sampledField(100, 100, 1.0f, 1.0f, peakAt(49.5, 49.5));
    const ProbabilityContourSet strided = buildProbabilityContours(corner, 1, 0, 4.0f, 32);
    EXPECT_EQ(strided.stride, 4u);
    EXPECT_FALSE(strided.segments.empty());

    // Where the stride divides n - 1 (97 x 65 cells, stride 4) the last row and
    // column are still sampled once: no cell of the lattice is flat, so no
    // segment has zero length.
    const ComplexField2D exact = sampledField(97, 65, 1.0f, 1.5f, peakAt(48.0, 48.0));
    const ProbabilityContourSet once = buildProbabilityContours(exact, 1, 0, 4.0f, 32);
    EXPECT_EQ(once.stride, 4u);
    ASSERT_FALSE(once.segments.empty());
    for (const ProbabilityContourSegment& seg : once.segments)
        EXPECT_GT(std::hypot(seg.x1 - seg.x0, seg.y1 - seg.y0), 0.0f) << seg.x0 << ", " << seg.y0;
}

TEST(ProbabilityContours, EmptyOrZeroFieldsGiveNoLevels)
{
    const ProbabilityContourSet zero = buildProbabilityContours(ComplexField2D(8, 8, 1.0f, 1.0f), 4, 1, 4.0f, 384);
    EXPECT_TRUE(zero.levels.empty());
    EXPECT_TRUE(zero.segments.empty());
    EXPECT_EQ(zero.maxProbability, 0.0f);
    EXPECT_EQ(zero.stride, 1u);

    for (const auto& size : {std::make_pair(8u, 1u), std::make_pair(1u, 8u)}) {
        ComplexField2D thin(size.first, size.second, 1.0f, 1.0f);
        thin.fill(Complex(1.0f, 0.0f));
        EXPECT_TRUE(buildProbabilityContours(thin, 4, 1, 4.0f, 384).levels.empty())
            << size.first << " x " << size.second;
    }
    // A densest cell of 1e-30 is no density to contour; just above it, or twice it, is.
    for (auto [amplitude, levels] : {std::pair{1e-15f, 0u}, std::pair{1.003e-15f, 4u}, std::pair{1.5e-15f, 4u}}) {
        ComplexField2D faint(8, 6, 1.0f, 0.5f);
        faint.fill(Complex(amplitude, 0.0f));
        EXPECT_EQ(buildProbabilityContours(faint, 4, 1, 4.0f, 384).levels.size(), levels) << "amplitude " << amplitude;
    }
    // Two rows or two columns are one row of cells: enough.
    for (const auto& size : {std::make_pair(8u, 2u), std::make_pair(2u, 8u)}) {
        ComplexField2D two(size.first, size.second, 1.0f, 1.0f);
        two.fill(Complex(1.0f, 0.0f));
        EXPECT_EQ(buildProbabilityContours(two, 4, 1, 4.0f, 384).levels.size(), 4u)
            << size.first << " x " << size.second;
    }
    ComplexField2D full(8, 8, 1.0f, 1.0f);
    full.fill(Complex(1.0f, 0.0f));
    EXPECT_TRUE(buildProbabilityContours(full, 0, 1, 4.0f, 384).levels.empty());
}

} // namespace
} // namespace vxo
