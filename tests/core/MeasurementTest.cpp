#include "core/GaussianPacket2D.h"
#include "core/MomentumSpace2D.h"
#include "core/PositionMeasurement.h"
#include "core/PositionMoments.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <utility>

using namespace vxo;
using vxo::test::bitIdentical;

namespace {
// A packet on 64 x 128 cells of 0.25 x 0.125 (a 16 x 16 domain).
ComplexField2D packetField(float sigma, float x0 = -1.0f, float y0 = 0.5f)
{
    ComplexField2D psi(64, 128, 0.25f, 0.125f);
    GaussianPacket2D::prepare(psi, GaussianPacket2D{x0, y0, sigma, 2.5f});
    return psi;
}

bool sameShots(const std::vector<MeasurementShot>& a, const std::vector<MeasurementShot>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (a[k].x != b[k].x || a[k].y != b[k].y)
            return false;
    return true;
}

} // namespace

TEST(PositionMeasurement, ShotsComeFromTheDensity)
{
    // A single occupied cell: every shot lands on its centre.
    ComplexField2D single(8, 6, 0.5f, 0.25f);
    single.at(5, 1) = Complex(0.0f, 2.0f);
    const auto shots = samplePositionShotsSeeded(single, 50, 7u);
    ASSERT_EQ(shots.size(), 50u);
    for (const MeasurementShot& s : shots) {
        EXPECT_EQ(s.x, static_cast<float>(gridCoordinateX(single, 5)));
        EXPECT_EQ(s.y, static_cast<float>(gridCoordinateY(single, 1)));
    }

    // The sample mean and spread of a packet agree with its moments.
    const ComplexField2D psi = packetField(0.9f);
    const auto many = samplePositionShotsSeeded(psi, 4000, 12345u);
    ASSERT_EQ(many.size(), 4000u);
    double sx = 0.0, sy = 0.0, sxx = 0.0;
    for (const MeasurementShot& s : many) {
        sx += s.x;
        sy += s.y;
        sxx += static_cast<double>(s.x) * s.x;
    }
    const double n = static_cast<double>(many.size());
    const double meanX = sx / n;
    const double sigmaX = std::sqrt(sxx / n - meanX * meanX);
    EXPECT_NEAR(meanX, -1.0, 5.0 * 0.9 / std::sqrt(n));
    EXPECT_NEAR(sy / n, 0.5, 5.0 * 0.9 / std::sqrt(n));
    EXPECT_NEAR(sigmaX, 0.9, 0.05);

    // The unseeded form draws the requested number too.
    EXPECT_EQ(samplePositionShots(psi, 10).size(), 10u);
}

TEST(PositionMeasurement, AnEngineTakesAnyNumberOfRequestSizes)
{
    // The device words make every engine a fresh one, however many sizes follow them.
    for (const std::initializer_list<std::uint64_t> sizes :
         {std::initializer_list<std::uint64_t>{}, {7}, {1, 2, 3, 4}, {1, 2, 3, 4, 5}, {9, 8, 7, 6, 5, 4, 3, 2}}) {
        const auto twoDraws = [&sizes] {
            std::mt19937 engine = randomDeviceEngine(sizes);
            const std::uint32_t a = engine();
            return std::make_pair(a, static_cast<std::uint32_t>(engine()));
        };
        EXPECT_NE(twoDraws(), twoDraws()) << sizes.size() << " sizes";
    }
}

TEST(PositionMeasurement, SeededSamplingIsReproducible)
{
    const ComplexField2D psi = packetField(0.9f);
    const auto a = samplePositionShotsSeeded(psi, 200, 42u);
    const auto b = samplePositionShotsSeeded(psi, 200, 42u);
    const auto c = samplePositionShotsSeeded(psi, 200, 43u);
    EXPECT_TRUE(sameShots(a, b));
    EXPECT_FALSE(sameShots(a, c));

    const DetectorScreen screen{0.0f, 0.5f};
    EXPECT_TRUE(sameShots(sampleDetectorScreenShotsSeeded(psi, screen, 100, 9u),
                          sampleDetectorScreenShotsSeeded(psi, screen, 100, 9u)));

    ComplexField2D first = psi, second = psi;
    const PositionMeasurementResult r1 = measurePositionSeeded(first, 0.65, 2024u);
    const PositionMeasurementResult r2 = measurePositionSeeded(second, 0.65, 2024u);
    ASSERT_TRUE(r1.ok);
    EXPECT_EQ(r1.x, r2.x);
    EXPECT_EQ(r1.y, r2.y);
    EXPECT_TRUE(bitIdentical(first, second));
}

TEST(PositionMeasurement, CorruptAndEmptyFieldsGiveNoShots)
{
    ComplexField2D psi(8, 8, 1.0f, 1.0f);
    EXPECT_TRUE(samplePositionShotsSeeded(psi, 10, 1u).empty()); // all zero
    // A grid without columns, or without rows, has no cell to draw from.
    for (const auto& size : {std::make_pair(0u, 0u), std::make_pair(0u, 6u), std::make_pair(6u, 0u)}) {
        const ComplexField2D none(size.first, size.second, 0.5f, 0.25f);
        EXPECT_TRUE(samplePositionShotsSeeded(none, 10, 1u).empty()) << size.first << " x " << size.second;
        EXPECT_TRUE(sampleDetectorScreenShotsSeeded(none, {0.0f, 1.0f}, 10, 1u).empty())
            << size.first << " x " << size.second;
    }

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    psi.at(0, 0) = Complex(nan, 0.0f);
    psi.at(1, 0) = Complex(inf, 0.0f);
    psi.at(2, 0) = Complex(0.0f, -inf);
    EXPECT_TRUE(samplePositionShotsSeeded(psi, 10, 1u).empty());
    EXPECT_TRUE(sampleDetectorScreenShotsSeeded(psi, {-3.5f, 5.0f}, 10, 1u).empty());

    // One usable cell among the corrupt ones takes every shot.
    psi.at(6, 3) = Complex(0.5f, 0.0f);
    const auto shots = samplePositionShotsSeeded(psi, 20, 1u);
    ASSERT_EQ(shots.size(), 20u);
    for (const MeasurementShot& s : shots) {
        EXPECT_EQ(s.x, 2.5f);
        EXPECT_EQ(s.y, -0.5f);
    }
    EXPECT_TRUE(samplePositionShotsSeeded(psi, 0, 1u).empty());
}

TEST(PositionMeasurement, DetectorScreenUsesTheBandOrTheNearestColumn)
{
    // Column 2 (x = -0.75) occupies row 1, column 3 (x = -0.25) row 5 and
    // column 7 (x = 1.75, the last) row 4; dx = 0.5, dy = 0.25.
    ComplexField2D psi(8, 8, 0.5f, 0.25f);
    psi.at(2, 1) = Complex(1.0f, 0.0f);
    psi.at(3, 5) = Complex(1.0f, 0.0f);
    psi.at(7, 4) = Complex(1.0f, 0.0f);
    const auto rowsOf = [&](const std::vector<MeasurementShot>& shots, float screenX) {
        std::vector<float> ys;
        for (const MeasurementShot& s : shots) {
            EXPECT_EQ(s.x, screenX); // every shot lies on the screen line
            ys.push_back(s.y);
        }
        return ys;
    };

    // Between columns 2 and 3, nearer 3, with a band thinner than a cell.
    auto shots = sampleDetectorScreenShotsSeeded(psi, {-0.4f, 0.1f}, 30, 3u);
    ASSERT_EQ(shots.size(), 30u);
    for (float y : rowsOf(shots, -0.4f))
        EXPECT_EQ(y, static_cast<float>(gridCoordinateY(psi, 5)));

    // A band covering both columns draws from both.
    shots = sampleDetectorScreenShotsSeeded(psi, {-0.5f, 0.6f}, 200, 3u);
    const auto counts = histogramShots(shots, -1.0f, 1.0f, 8); // bin b holds row b
    EXPECT_EQ(counts[1] + counts[5], 200u);
    EXPECT_GT(counts[1], 50u);
    EXPECT_GT(counts[5], 50u);

    // The band is closed: edges exactly on the two centres take both columns.
    shots = sampleDetectorScreenShotsSeeded(psi, {-0.5f, 0.5f}, 200, 3u);
    const auto edges = histogramShots(shots, -1.0f, 1.0f, 8);
    EXPECT_GT(edges[1], 50u);
    EXPECT_GT(edges[5], 50u);

    // Far outside the grid: the last column.
    shots = sampleDetectorScreenShotsSeeded(psi, {1e9f, 0.1f}, 10, 3u);
    ASSERT_EQ(shots.size(), 10u);
    for (float y : rowsOf(shots, 1e9f))
        EXPECT_EQ(y, static_cast<float>(gridCoordinateY(psi, 4)));

    // Unusable screens.
    EXPECT_TRUE(sampleDetectorScreenShotsSeeded(psi, {-0.4f, 0.0f}, 10, 3u).empty());
    EXPECT_TRUE(sampleDetectorScreenShotsSeeded(psi, {std::nanf(""), 0.5f}, 10, 3u).empty());
    EXPECT_TRUE(sampleDetectorScreenShotsSeeded(psi, {std::numeric_limits<float>::infinity(), 0.5f}, 10, 3u).empty());
    EXPECT_TRUE(sampleDetectorScreenShotsSeeded(psi, {0.25f, 0.4f}, 10, 3u).empty()); // band without probability
    EXPECT_EQ(sampleDetectorScreenShots(psi, {-0.4f, 0.1f}, 5).size(), 5u);
}

TEST(PositionMeasurement, HistogramOfShotHeights)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<MeasurementShot> shots{{0.0f, 0.0f}, {0.0f, 0.25f}, {0.0f, 1.0f}, {0.0f, 1.01f}, {0.0f, -0.1f},
                                             {0.0f, nan},  {0.0f, inf},   {0.0f, -inf}, {0.0f, 0.74f}};
    const auto counts = histogramShots(shots, 0.0f, 1.0f, 4);
    ASSERT_EQ(counts.size(), 4u);
    EXPECT_EQ(counts[0], 1u);
    EXPECT_EQ(counts[1], 1u);
    EXPECT_EQ(counts[2], 1u);
    EXPECT_EQ(counts[3], 1u);

    EXPECT_TRUE(histogramShots(shots, 1.0f, 1.0f, 4).empty());
    EXPECT_TRUE(histogramShots(shots, 0.0f, 1.0f, 0).empty());
    EXPECT_TRUE(histogramShots(shots, nan, 1.0f, 4).empty());
    EXPECT_TRUE(histogramShots(shots, -inf, 1.0f, 4).empty());
    EXPECT_EQ(histogramShots({}, 0.0f, 1.0f, 3), std::vector<std::uint64_t>(3, 0));
}

TEST(PositionMeasurement, CollapseNarrowsPositionAndWidensMomentum)
{
    // Gaussian packet of width sigma0 times a window of resolution s in
    // probability: sigma_x^2 = 1 / (1/sigma0^2 + 1/s^2), and the result is
    // again a chirp-free Gaussian, so sigma_p = hbar / (2 sigma_x).
    const double sigma0 = 0.9, resolution = 0.65;
    ComplexField2D psi = packetField(static_cast<float>(sigma0));
    const PositionMoments before = computePositionMoments(psi);
    const MomentumSpace2D momentumBefore = MomentumSpace2D::compute(psi, 1.0);

    const PositionMeasurementResult r = measurePositionSeeded(psi, resolution, 77u);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.sigma, resolution);
    EXPECT_NEAR(r.normBefore, 1.0, 1e-5);
    EXPECT_NEAR(r.normAfter, 1.0, 1e-5);
    EXPECT_NEAR(psi.norm(), r.normAfter, 1e-12);
    // The reading lies within a few widths of the packet.
    EXPECT_LT(std::hypot(r.x + 1.0, r.y - 0.5), 6.0 * std::hypot(sigma0, resolution));

    const double expectedSigmaX = 1.0 / std::sqrt(1.0 / (sigma0 * sigma0) + 1.0 / (resolution * resolution));
    const PositionMoments after = computePositionMoments(psi);
    const MomentumSpace2D momentumAfter = MomentumSpace2D::compute(psi, 1.0);
    EXPECT_NEAR(before.sigmaX, sigma0, 2e-3);
    EXPECT_NEAR(after.sigmaX, expectedSigmaX, 3e-4);
    EXPECT_NEAR(after.sigmaY, expectedSigmaX, 3e-4);
    EXPECT_NEAR(momentumBefore.sigmaPx, 0.5 / sigma0, 3e-3);
    EXPECT_NEAR(momentumAfter.sigmaPx, 0.5 / expectedSigmaX, 5e-3);
    EXPECT_NEAR(momentumAfter.sigmaPy, 0.5 / expectedSigmaX, 5e-3);
    // The window carries no phase: the mean momentum survives.
    EXPECT_NEAR(momentumAfter.meanPx, 2.5, 0.01);
}

TEST(PositionMeasurement, PointerNoiseIsIndependentAndOfTheResolutionPerAxis)
{
    // Every draw lands on the one occupied cell (x0, y0); the reading is that
    // cell plus noise N(0, s^2) on each axis, the two axes uncorrelated.
    ComplexField2D psi(8, 6, 0.5f, 0.25f);
    psi.at(6, 1) = Complex(1.0f, 0.0f);
    const double x0 = gridCoordinateX(psi, 6), y0 = gridCoordinateY(psi, 1);
    const double s = 0.4;
    const int n = 4000;
    double sx = 0.0, sy = 0.0, sxx = 0.0, syy = 0.0, sxy = 0.0;
    for (int seed = 1; seed <= n; ++seed) {
        ComplexField2D copy = psi;
        const PositionMeasurementResult r = measurePositionSeeded(copy, s, static_cast<std::uint32_t>(seed));
        const double ex = r.x - x0, ey = r.y - y0;
        sx += ex;
        sy += ey;
        sxx += ex * ex;
        syy += ey * ey;
        sxy += ex * ey;
    }
    EXPECT_NEAR(sx / n, 0.0, 5.0 * s / std::sqrt(n)) << "x offset";
    EXPECT_NEAR(sy / n, 0.0, 5.0 * s / std::sqrt(n)) << "y offset";
    EXPECT_NEAR(std::sqrt(sxx / n), s, 0.05 * s) << "x spread";
    EXPECT_NEAR(std::sqrt(syy / n), s, 0.05 * s) << "y spread";
    EXPECT_NEAR(sxy / std::sqrt(sxx * syy), 0.0, 5.0 / std::sqrt(n)) << "correlation of the two axes";
}

TEST(PositionMeasurement, ResolutionFinerThanACellKeepsOneCell)
{
    ComplexField2D psi = packetField(0.9f);
    ASSERT_TRUE(measurePositionSeeded(psi, 0.001, 5u).ok);
    double largest = 0.0;
    for (std::uint64_t k = 0; k < psi.size(); ++k)
        largest = std::max(largest, std::norm(std::complex<double>(psi.data()[k])) * psi.dx() * psi.dy());
    EXPECT_GT(largest, 0.999);
}

TEST(PositionMeasurement, FailedCollapseLeavesTheStateUntouched)
{
    // A single cell holding the smallest subnormal amplitude has a positive,
    // finite norm, but no window times it can be renormalised in single
    // precision: either the product rounds to zero or 1/sqrt(norm) overflows.
    ComplexField2D psi(16, 16, 1.0f, 1.0f);
    psi.at(9, 4) = Complex(std::numeric_limits<float>::denorm_min(), 0.0f);
    const ComplexField2D original = psi;
    for (std::uint32_t seed : {1u, 2u, 3u, 99u}) {
        const PositionMeasurementResult r = measurePositionSeeded(psi, 0.65, seed);
        EXPECT_FALSE(r.ok);
        EXPECT_GT(r.normBefore, 0.0);
        EXPECT_EQ(r.normAfter, 0.0);
        EXPECT_TRUE(std::isfinite(r.x) && std::isfinite(r.y)); // the reading is still reported
        EXPECT_TRUE(bitIdentical(psi, original)) << "seed " << seed;
    }

    // Unusable arguments are refused before any draw.
    for (double sigma : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        ComplexField2D packet = packetField(0.9f);
        const ComplexField2D copy = packet;
        const PositionMeasurementResult r = measurePositionSeeded(packet, sigma, 1u);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.x, 0.0f);
        EXPECT_EQ(r.y, 0.0f);
        EXPECT_NEAR(r.normBefore, 1.0, 1e-5);
        EXPECT_TRUE(bitIdentical(packet, copy));
    }
    ComplexField2D zero(8, 8, 1.0f, 1.0f);
    EXPECT_FALSE(measurePosition(zero, 0.65).ok);

    ComplexField2D packet = packetField(0.9f);
    EXPECT_TRUE(measurePosition(packet, 0.65).ok);
    // Each unseeded measurement draws a seed of its own: ten measurements of
    // the same spread-out state do not all land on one point.
    std::set<std::pair<float, float>> outcomes;
    for (int k = 0; k < 10; ++k) {
        ComplexField2D copy = packetField(0.9f);
        const PositionMeasurementResult r = measurePosition(copy, 0.65);
        outcomes.insert({r.x, r.y});
    }
    EXPECT_GT(outcomes.size(), 1u);
}
