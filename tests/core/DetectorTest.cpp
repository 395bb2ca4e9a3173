#include "core/DetectorTemporalFlux2D.h"
#include "core/GaussianPacket2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <string>

using namespace vxo;
using vxo::test::messageOf;

namespace {
ComplexField2D packet(std::uint64_t nx, std::uint64_t ny, float h, float x0, float px)
{
    return test::packetField(nx, ny, h, GaussianPacket2D{x0, 0.0f, 0.9f, px});
}

// Expected total of a packet that has fully crossed: every wave number k
// crosses once, and the central-difference current counts it with the
// factor sin(kh) / (kh); averaged over the packet's Gaussian spread of k.
double crossingFactor(double k0, double sigmaK, double h)
{
    double sum = 0.0, weight = 0.0;
    for (int n = -6000; n <= 6000; ++n) {
        const double k = k0 + n * 1e-3 * sigmaK;
        const double w = std::exp(-0.5 * std::pow((k - k0) / sigmaK, 2.0));
        weight += w;
        if (k > 0.0) // backward components never count
            sum += w * std::sin(k * h) / (k * h);
    }
    return sum / weight;
}
} // namespace

TEST(DetectorTemporalFlux2D, CrossingPacketDepositsItsProbability)
{
    // Form-default packet (sigma 0.9, px 2.5) from x = -4 through a line at
    // x = 0 of the default strip width 0.32; the periodic box is wide enough
    // that nothing wraps around within the run.
    const float h = 0.25f;
    ComplexField2D psi = packet(256, 64, h, -4.0f, 2.5f);
    PotentialField2D V(psi.nx(), psi.ny(), h, h);
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{1.0f, 1.0f, 0.02f});
    const DetectorScreen screen{0.0f, 0.32f};

    DetectorTemporalFlux2D detector;
    double previous = 0.0;
    for (int step = 0; step < 300; ++step) {
        solver.step(psi, V);
        detector.accumulate(psi, 1.0f, 1.0f, 0.02f, screen);
        EXPECT_GE(detector.totalFlux(), previous);
        previous = detector.totalFlux();
    }
    const double expected = crossingFactor(2.5, 1.0 / (2.0 * 0.9), h);
    EXPECT_NEAR(detector.totalFlux(), expected, 0.002);
    EXPECT_LT(detector.totalFlux(), 1.0);
    EXPECT_FALSE(detector.isEmpty());
    EXPECT_EQ(detector.rowSpacing(), h);
    EXPECT_EQ(detector.x(), 0.0f);

    // Rows: non-negative, nothing on the border rows, summing to the total.
    const std::vector<double>& rows = detector.rows();
    ASSERT_EQ(rows.size(), 64u);
    EXPECT_EQ(rows.front(), 0.0);
    EXPECT_EQ(rows.back(), 0.0);
    for (double r : rows)
        EXPECT_GE(r, 0.0);
    EXPECT_NEAR(std::accumulate(rows.begin(), rows.end(), 0.0) * h, detector.totalFlux(), 1e-9);

    // Arrival statistics: on the line, distributed like the rows.
    const auto shots = detector.sampleArrivalShotsSeeded(4000, 11u, true);
    ASSERT_EQ(shots.size(), 4000u);
    double meanY = 0.0;
    for (const MeasurementShot& s : shots) {
        EXPECT_EQ(s.x, 0.0f);
        meanY += s.y;
    }
    EXPECT_NEAR(meanY / 4000.0, 0.0, 5.0 * 2.0 / std::sqrt(4000.0));
    EXPECT_EQ(detector.sampleArrivalShots(25).size(), 25u);

    const std::vector<double> distribution = DetectorTemporalFlux2D::normalizedDistribution(rows, 16);
    ASSERT_EQ(distribution.size(), 16u);
    for (double v : distribution)
        EXPECT_GE(v, 0.0);
    EXPECT_NEAR(std::accumulate(distribution.begin(), distribution.end(), 0.0), 1.0, 1e-12);

    // More arrivals from the same detector agree better with its flux.
    const auto few = detector.sampleArrivalShotsSeeded(50, 5u, true);
    const auto many = detector.sampleArrivalShotsSeeded(20000, 5u, true);
    const DetectorShotComparison cFew = DetectorTemporalFlux2D::compareShots(rows, h, few, 16);
    const DetectorShotComparison cMany = DetectorTemporalFlux2D::compareShots(rows, h, many, 16);
    ASSERT_TRUE(cFew.expectedValid && cFew.observedValid);
    EXPECT_EQ(cFew.expected, distribution);
    EXPECT_NEAR(std::accumulate(cMany.observed.begin(), cMany.observed.end(), 0.0), 1.0, 1e-12);
    EXPECT_GT(cFew.distance, cMany.distance);
    EXPECT_LT(cMany.distance, 0.03);
    EXPECT_GE(cMany.distance, 0.0);
}

TEST(DetectorTemporalFlux2D, BackwardFluxIsNeverCounted)
{
    ComplexField2D psi = packet(128, 32, 0.25f, 0.0f, -2.0f);
    DetectorTemporalFlux2D detector;
    detector.accumulate(psi, 1.0f, 1.0f, 0.1f, {0.0f, 0.5f});
    EXPECT_EQ(detector.totalFlux(), 0.0);
    EXPECT_TRUE(detector.isEmpty());
    EXPECT_EQ(detector.rows().size(), 32u); // started, nothing deposited
    EXPECT_TRUE(detector.sampleArrivalShotsSeeded(10, 1u, true).empty());
    EXPECT_TRUE(detector.sampleArrivalShots(10).empty());

    // The same packet moving forward: one step deposits (p/m) sinc dt.
    psi = packet(128, 32, 0.25f, 0.0f, 2.0f);
    detector.accumulate(psi, 1.0f, 1.0f, 0.1f, {0.0f, 0.5f});
    EXPECT_GT(detector.totalFlux(), 0.0);
    EXPECT_LT(detector.totalFlux(), 2.0 * 0.1);
}

TEST(DetectorTemporalFlux2D, OneStepOfAPlaneWaveDepositsItsCurrentOnEveryInteriorRow)
{
    // exp(i k x) on cells 0.2 x 0.35: the central-difference current
    // (hbar k / m) sin(k dx) / (k dx) crosses every interior row; the border
    // rows get nothing, and the total counts each row with its height dy.
    const double k = 1.3, hbar = 0.9, mass = 1.6, dt = 0.05;
    const float dx = 0.2f, dy = 0.35f;
    const std::uint64_t ny = 7;
    const ComplexField2D psi = test::planeWave(20, ny, dx, dy, k, 0.0);
    DetectorTemporalFlux2D detector;
    detector.accumulate(psi, static_cast<float>(hbar), static_cast<float>(mass), static_cast<float>(dt), {0.1f, 0.5f});
    const double current = hbar * k / mass * std::sin(k * dx) / (k * dx);
    ASSERT_EQ(detector.rows().size(), ny);
    for (std::uint64_t j = 0; j < ny; ++j) {
        const bool border = j == 0 || j + 1 == ny;
        EXPECT_NEAR(detector.rows()[j], border ? 0.0 : current * static_cast<float>(dt), 1e-7) << "row " << j;
    }
    EXPECT_NEAR(detector.totalFlux(), current * static_cast<float>(dt) * (ny - 2) * dy, 1e-7);
    EXPECT_EQ(detector.rowSpacing(), dy);

    // Arrivals land on the centres of interior rows, y = (j - (ny - 1) / 2) dy.
    for (const MeasurementShot& shot : detector.sampleArrivalShotsSeeded(50, 4u, true)) {
        const double row = shot.y / dy + (ny - 1) / 2.0;
        EXPECT_NEAR(row, std::round(row), 1e-5) << "y = " << shot.y;
        EXPECT_GE(row, 0.5) << "y = " << shot.y;
        EXPECT_LE(row, ny - 1.5) << "y = " << shot.y;
    }
}

TEST(DetectorTemporalFlux2D, GridsWithoutAnInteriorCellRecordNothing)
{
    // The central-difference current needs a column with both neighbours and
    // counts only rows with both neighbours: fewer than three columns or rows
    // give no current at all, three of each give the middle row its share.
    const double k = 1.3, hbar = 0.9, mass = 1.6, dt = 0.05;
    const float dx = 0.2f, dy = 0.35f;
    const struct {
        std::uint64_t nx, ny;
    } grids[] = {{1, 9}, {2, 9}, {20, 1}, {20, 2}, {3, 3}, {20, 3}};
    for (const auto& grid : grids) {
        const ComplexField2D psi = test::planeWave(grid.nx, grid.ny, dx, dy, k, 0.0);
        DetectorTemporalFlux2D detector;
        for (int s = 0; s < 3; ++s)
            detector.accumulate(psi, float(hbar), float(mass), float(dt), {0.0f, 0.5f});
        const bool interior = grid.nx >= 3 && grid.ny >= 3;
        const double middle = interior ? 3 * dt * hbar * k / mass * std::sin(k * dx) / (k * dx) : 0.0;
        SCOPED_TRACE(testing::Message() << grid.nx << " x " << grid.ny);
        ASSERT_EQ(detector.rows().size(), grid.ny);
        for (std::uint64_t j = 0; j < grid.ny; ++j)
            EXPECT_NEAR(detector.rows()[j], j == 1 && grid.ny == 3 ? middle : 0.0, 1e-6) << "row " << j;
        EXPECT_NEAR(detector.totalFlux(), middle * dy, 1e-6);
        EXPECT_EQ(detector.isEmpty(), !interior);
        EXPECT_EQ(detector.sampleArrivalShotsSeeded(20, 7u, true).size(), interior ? 20u : 0u);
    }
}

TEST(DetectorTemporalFlux2D, RestartsWhenTheLineOrGridChanges)
{
    // Cells 0.25 x 0.3: the stored row spacing is compared with dy alone.
    ComplexField2D psi(64, 16, 0.25f, 0.3f);
    GaussianPacket2D::prepare(psi, GaussianPacket2D{0.0f, 0.0f, 0.9f, 2.0f});
    DetectorTemporalFlux2D detector;
    detector.accumulate(psi, 1.0f, 1.0f, 0.1f, {0.0f, 0.3f});
    const double once = detector.totalFlux();
    ASSERT_GT(once, 0.0);

    // A move of less than 1e-6 keeps accumulating.
    detector.accumulate(psi, 1.0f, 1.0f, 0.1f, {5e-7f, 0.3f});
    EXPECT_NEAR(detector.totalFlux(), 2.0 * once, 1e-12);
    EXPECT_EQ(detector.x(), 0.0f);

    // A move of exactly 1e-6 is still none (1e-6f less 1e-6 is a float too).
    {
        const float from = 1e-6f;
        const float to = static_cast<float>(static_cast<double>(from) - 1e-6);
        ASSERT_EQ(static_cast<double>(from) - static_cast<double>(to), 1e-6);
        DetectorTemporalFlux2D still;
        still.accumulate(psi, 1.0f, 1.0f, 0.1f, {from, 0.3f});
        still.accumulate(psi, 1.0f, 1.0f, 0.1f, {to, 0.3f});
        EXPECT_EQ(still.x(), from);
        EXPECT_NEAR(still.totalFlux(), 2.0 * once, 1e-3 * once);
    }

    // A move of just over 1e-6 starts afresh, and so does a larger one.
    detector.accumulate(psi, 1.0f, 1.0f, 0.1f, {1.5e-6f, 0.3f});
    EXPECT_EQ(detector.x(), 1.5e-6f);
    EXPECT_NEAR(detector.totalFlux(), once, 1e-3 * once);
    detector.accumulate(psi, 1.0f, 1.0f, 0.1f, {0.5f, 0.3f});
    EXPECT_EQ(detector.x(), 0.5f);
    EXPECT_LT(detector.totalFlux(), 1.5 * once);

    // So does another grid: more rows at the same spacing, or the same rows at
    // another spacing, each on its own.
    const auto crossing = [](std::uint64_t ny, float dy) {
        ComplexField2D field(64, ny, 0.25f, dy);
        GaussianPacket2D::prepare(field, GaussianPacket2D{0.0f, 0.0f, 0.9f, 2.0f});
        return field;
    };
    for (const ComplexField2D& other : {crossing(32, 0.3f), crossing(16, 0.35f)}) {
        DetectorTemporalFlux2D restarted = detector;
        restarted.accumulate(other, 1.0f, 1.0f, 0.1f, {0.5f, 0.3f});
        DetectorTemporalFlux2D alone;
        alone.accumulate(other, 1.0f, 1.0f, 0.1f, {0.5f, 0.3f});
        EXPECT_EQ(restarted.rows(), alone.rows()) << other.ny() << " rows of " << other.dy();
        EXPECT_EQ(restarted.totalFlux(), alone.totalFlux()) << other.ny() << " rows of " << other.dy();
        EXPECT_EQ(restarted.rowSpacing(), other.dy()) << other.ny() << " rows of " << other.dy();
    }
    const ComplexField2D finer = packet(64, 32, 0.25f, 0.0f, 2.0f);
    detector.accumulate(finer, 1.0f, 1.0f, 0.1f, {0.5f, 0.3f});
    EXPECT_EQ(detector.rows().size(), 32u);
    EXPECT_EQ(detector.ny(), 32u);

    // A non-finite line is refused without touching the accumulators, and a
    // finite line afterwards is compared with the stored one as usual.
    const double kept = detector.totalFlux();
    detector.accumulate(finer, 1.0f, 1.0f, 0.1f, {std::nanf(""), 0.3f});
    detector.accumulate(finer, 1.0f, 1.0f, 0.1f, {std::numeric_limits<float>::infinity(), 0.3f});
    EXPECT_EQ(detector.totalFlux(), kept);
    EXPECT_EQ(detector.x(), 0.5f);
    detector.accumulate(finer, 1.0f, 1.0f, 0.1f, {0.0f, 0.3f});
    EXPECT_EQ(detector.x(), 0.0f);
    DetectorTemporalFlux2D fresh;
    fresh.accumulate(finer, 1.0f, 1.0f, 0.1f, {0.0f, 0.3f});
    EXPECT_EQ(detector.totalFlux(), fresh.totalFlux());
    EXPECT_EQ(detector.rows(), fresh.rows());

    detector.reset();
    EXPECT_TRUE(detector.rows().empty());
    EXPECT_EQ(detector.ny(), 0u);
    EXPECT_EQ(detector.rowSpacing(), 0.0f);
    EXPECT_EQ(detector.totalFlux(), 0.0);
    EXPECT_TRUE(detector.isEmpty());
}

TEST(DetectorTemporalFlux2D, ArgumentChecksLeaveTheAccumulatorsUntouched)
{
    const ComplexField2D psi = packet(64, 16, 0.25f, 0.0f, 2.0f);
    DetectorTemporalFlux2D detector;
    detector.accumulate(psi, 1.0f, 1.0f, 0.1f, {0.0f, 0.3f});
    const double total = detector.totalFlux();
    const std::vector<double> rows = detector.rows();
    EXPECT_EQ(messageOf([&] {
                  detector.accumulate(psi, 0.0f, 1.0f, 0.1f, {0.0f, 0.3f});
              }),
              "DetectorTemporalFlux2D: hbar must be finite and positive");
    EXPECT_EQ(messageOf([&] {
                  detector.accumulate(psi, 1.0f, -1.0f, 0.1f, {0.0f, 0.3f});
              }),
              "DetectorTemporalFlux2D: mass must be finite and positive");
    EXPECT_EQ(messageOf([&] {
                  detector.accumulate(psi, 1.0f, 1.0f, std::nanf(""), {9.0f, 0.3f});
              }),
              "DetectorTemporalFlux2D: dt must be finite and positive");
    EXPECT_EQ(detector.totalFlux(), total);
    EXPECT_EQ(detector.rows(), rows);
    EXPECT_EQ(detector.x(), 0.0f);

    // An empty field is ignored before the checks.
    EXPECT_NO_THROW(detector.accumulate(ComplexField2D(), 0.0f, 0.0f, 0.0f, {0.0f, 0.3f}));
    EXPECT_EQ(detector.totalFlux(), total);
}

TEST(DetectorTemporalFlux2D, DetectorColumns)
{
    // dx = 0.5, 8 columns: centres -1.75, -1.25, ..., 1.75 (rows 0.3 apart,
    // which must not matter).
    const ComplexField2D psi(8, 4, 0.5f, 0.3f);
    using Columns = std::vector<std::uint64_t>;
    EXPECT_EQ(DetectorTemporalFlux2D::detectorColumns(psi, 0.25f, 0.01f), Columns{4});
    // Thinner than a cell: columns within dx/2 of the line (both neighbours
    // of a line on a cell boundary).
    EXPECT_EQ(DetectorTemporalFlux2D::detectorColumns(psi, 0.0f, 0.01f), (Columns{3, 4}));
    EXPECT_EQ(DetectorTemporalFlux2D::detectorColumns(psi, 0.0f, 1.6f), (Columns{2, 3, 4, 5}));
    // The border columns never count; outside the grid the nearest interior column.
    EXPECT_EQ(DetectorTemporalFlux2D::detectorColumns(psi, 1.75f, 0.1f), Columns{6});
    EXPECT_EQ(DetectorTemporalFlux2D::detectorColumns(psi, 100.0f, 0.1f), Columns{6});
    EXPECT_EQ(DetectorTemporalFlux2D::detectorColumns(psi, -1e30f, 0.1f), Columns{1});
    EXPECT_TRUE(DetectorTemporalFlux2D::detectorColumns(psi, std::nanf(""), 0.1f).empty());
    EXPECT_TRUE(DetectorTemporalFlux2D::detectorColumns(psi, -std::numeric_limits<float>::infinity(), 0.1f).empty());
    EXPECT_EQ(DetectorTemporalFlux2D::detectorColumns(psi, 0.25f, std::nanf("")), Columns{4});
    EXPECT_TRUE(DetectorTemporalFlux2D::detectorColumns(ComplexField2D(), 0.0f, 0.1f).empty());
    EXPECT_TRUE(DetectorTemporalFlux2D::detectorColumns(ComplexField2D(2, 4, 1.0f, 1.0f), 0.0f, 5.0f).empty());
    // Three columns have one interior column, the nearest to any line.
    EXPECT_EQ(DetectorTemporalFlux2D::detectorColumns(ComplexField2D(3, 4, 1.0f, 0.5f), 100.0f, 0.1f), Columns{1});
}

TEST(DetectorTemporalFlux2D, DistributionsAndComparison)
{
    std::vector<double> values{-1.0, std::nan(""), 2.0, 6.0};
    ASSERT_TRUE(DetectorTemporalFlux2D::normalizeDistribution(values));
    EXPECT_EQ(values, (std::vector<double>{0.0, 0.0, 0.25, 0.75}));
    std::vector<double> nothing{0.0, -2.0};
    EXPECT_FALSE(DetectorTemporalFlux2D::normalizeDistribution(nothing));
    std::vector<double> empty;
    EXPECT_FALSE(DetectorTemporalFlux2D::normalizeDistribution(empty));

    // As many bins as rows: row r goes to bin r, the last row included.
    const std::vector<double> rows{1.0, 2.0, 3.0, 4.0};
    const std::vector<double> perRow = DetectorTemporalFlux2D::normalizedDistribution(rows, 4);
    ASSERT_EQ(perRow.size(), 4u);
    for (std::size_t r = 0; r < 4; ++r)
        EXPECT_NEAR(perRow[r], rows[r] / 10.0, 1e-15);
    EXPECT_EQ(DetectorTemporalFlux2D::normalizedDistribution(rows, 1), std::vector<double>{1.0});
    // A single row has no range to cut: it fills the first bin.
    EXPECT_EQ(DetectorTemporalFlux2D::normalizedDistribution({5.0}, 3), (std::vector<double>{1.0, 0.0, 0.0}));
    // Five rows spread over two bins by r / (n - 1): rows 0 and 1 low, rows 2 to 4 high.
    EXPECT_EQ(DetectorTemporalFlux2D::normalizedDistribution({1.0, 2.0, 4.0, 8.0, 16.0}, 2),
              (std::vector<double>{3.0 / 31.0, 28.0 / 31.0}));
    EXPECT_TRUE(DetectorTemporalFlux2D::normalizedDistribution(rows, 0).empty());
    EXPECT_TRUE(DetectorTemporalFlux2D::normalizedDistribution({0.0, 0.0}, 2).empty());

    // Rows at y = -0.75, -0.25, 0.25, 0.75 (dy 0.5): a shot at a row centre
    // lands in that row's bin; out-of-span and NaN shots are skipped.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<MeasurementShot> shots{{0, -0.75f}, {0, 0.25f}, {0, 0.75f}, {0, 0.75f}, {0, 0.8f}, {0, nan}};
    const DetectorShotComparison c = DetectorTemporalFlux2D::compareShots(rows, 0.5f, shots, 4);
    ASSERT_TRUE(c.observedValid);
    EXPECT_EQ(c.observed, (std::vector<double>{0.25, 0.0, 0.25, 0.5}));
    EXPECT_NEAR(c.distance, 0.5 * (0.15 + 0.2 + 0.05 + 0.1), 1e-12);

    const DetectorShotComparison none = DetectorTemporalFlux2D::compareShots(rows, 0.5f, {}, 4);
    EXPECT_TRUE(none.expectedValid);
    EXPECT_FALSE(none.observedValid);
    EXPECT_TRUE(none.observed.empty());
    EXPECT_EQ(none.distance, -1.0);
    for (float dy : {0.0f, std::numeric_limits<float>::infinity(), nan}) {
        const DetectorShotComparison bad = DetectorTemporalFlux2D::compareShots(rows, dy, shots, 4);
        EXPECT_EQ(bad.distance, -1.0);
        EXPECT_FALSE(bad.expectedValid);
        EXPECT_TRUE(bad.expected.empty());
    }
    EXPECT_EQ(DetectorTemporalFlux2D::compareShots({}, 0.5f, shots, 4).distance, -1.0);
    EXPECT_EQ(DetectorTemporalFlux2D::compareShots(rows, 0.5f, shots, 0).distance, -1.0);
}
