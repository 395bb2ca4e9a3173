// The references of the barrier pages as the packet meets them: the barriers
// read off the painted grid, and plane-wave transmissions averaged over a
// Gaussian packet's momenta.

#include "experiments/DrainedRowTransmission.h"
#include "experiments/PacketAverage.h"
#include "experiments/PaintedLayers.h"
#include "experiments/QuantumResonance2D.h"

#include "core/PotentialField2D.h"
#include "core/SquareBarrier1D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace vxo;

namespace {

// Share of a normal distribution of mean 0 and spread 1 below u.
double normalBelow(double u) { return 0.5 * std::erfc(-u / std::sqrt(2.0)); }

} // namespace

// A transmission that is a step in energy turns, over a Gaussian of momenta,
// into the normal distribution's share above the step's momentum; the
// momenta that move away from the barrier never cross.
TEST(PacketAveragedTransmission, IsTheMomentumDistributionsShareOfT)
{
    const struct Case {
        double p0, spread, mass, stepEnergy, expected;
    } cases[] = {
        {2.5, 0.2, 1.0, 2.0 * 2.0 / 2.0, 1.0 - normalBelow((2.0 - 2.5) / 0.2)},
        {3.0, 0.5, 2.0, 3.5 * 3.5 / 4.0, 1.0 - normalBelow((3.5 - 3.0) / 0.5)},
        {0.5, 0.5, 1.0, 0.0, 1.0 - normalBelow(-1.0)}, // half a spread of momenta below 0
        {2.0, 0.0, 1.0, 1.5, 1.0},                     // no spread: T at the mean energy
    };
    for (const Case& c : cases) {
        const double t =
            packetAveragedTransmission([&](double e) { return e > c.stepEnergy ? 1.0 : 0.0; }, c.p0, c.spread, c.mass);
        EXPECT_NEAR(t, c.expected, 2e-3) << "p0 " << c.p0 << " spread " << c.spread;
    }
    // A smooth T: the square barrier, against a fine midpoint sum of its own.
    const double p0 = 2.5, spread = 0.5 / 1.0;
    double sum = 0.0, weights = 0.0;
    for (int k = 0; k < 20000; ++k) {
        const double p = p0 + spread * (-10.0 + 20.0 * (k + 0.5) / 20000.0);
        const double w = std::exp(-0.5 * (p - p0) * (p - p0) / (spread * spread));
        weights += w;
        sum += w * SquareBarrier1D::compute(0.5 * p * p, 2.0, 0.64, 1.0, 1.0).transmission;
    }
    EXPECT_NEAR(packetAveragedTransmission(
                    [](double e) { return SquareBarrier1D::compute(e, 2.0, 0.64, 1.0, 1.0).transmission; }, p0,
                    gaussianMomentumSpread(1.0, 1.0), 1.0),
                sum / weights, 1e-5);
    EXPECT_EQ(gaussianMomentumSpread(2.0, 1.0), 0.25);
    EXPECT_EQ(gaussianMomentumSpread(0.0, 1.0), 0.0);
    EXPECT_EQ(packetAveragedTransmission([](double) { return 1.0; }, 2.0, 0.1, 0.0), 0.0) << "no mass";
}

// Layers crossed one after another: cutting a layer in two, or adding empty
// ones, changes nothing; three layers are the barrier pair.
TEST(PacketAveragedTransmission, LayersAreTheBarriersTheyDescribe)
{
    const double mass = 1.0, hbar = 1.0;
    for (const double e : {0.7, 3.125, 4.5, 6.0}) {
        const double pair = QuantumResonance2D::transmission(e, 4.5, 0.64, 1.76, 3.0, 0.4, mass, hbar);
        EXPECT_DOUBLE_EQ(QuantumResonance2D::layeredTransmission(e, {{0.64, 4.5}, {1.76, 0.0}, {0.4, 3.0}}, mass, hbar),
                         pair);
        EXPECT_NEAR(
            QuantumResonance2D::layeredTransmission(
                e, {{0.5, 0.0}, {0.3, 4.5}, {0.34, 4.5}, {1.76, 0.0}, {0.0, 9.0}, {0.4, 3.0}, {2.0, 0.0}}, mass, hbar),
            pair, 1e-9)
            << "E = " << e;
        EXPECT_NEAR(QuantumResonance2D::layeredTransmission(e, {{0.64, 2.0}}, mass, hbar),
                    SquareBarrier1D::compute(e, 2.0, 0.64, mass, hbar).transmission, 1e-9);
    }
    EXPECT_EQ(QuantumResonance2D::layeredTransmission(3.0, {}, mass, hbar), 1.0) << "nothing in the way";
    EXPECT_EQ(QuantumResonance2D::layeredTransmission(3.0, {{-0.1, 1.0}}, mass, hbar), 0.0) << "a negative length";
    EXPECT_EQ(QuantumResonance2D::layeredTransmission(0.0, {{0.5, 1.0}}, mass, hbar), 0.0) << "no energy";
}

// Cells 0.16 x 0.3: the runs along the chosen row are whole cells of the
// values painted there, and the pair splits at its cavity.
TEST(PacketAveragedTransmission, PaintedLayersFollowTheCellsOfTheRow)
{
    PotentialField2D v(64, 16, 0.16f, 0.3f);
    // Cells -0.96..-0.64 and 0.64..0.96 (two each), one row band only.
    v.addRectangle(-0.8f, 0.0f, 0.32f, 1.2f, 4.5f);
    v.addRectangle(0.8f, 0.0f, 0.32f, 1.2f, 3.0f);
    const std::vector<PotentialLayer> layers = paintedLayers(v, 0.1, -1.9, 1.9);
    ASSERT_EQ(layers.size(), 5u);
    // The leads: the six cells centred from -1.84 to -1.04, and their mirror.
    const double widths[] = {0.96, 0.32, 1.28, 0.32, 0.96};
    const double values[] = {0.0, 4.5, 0.0, 3.0, 0.0};
    for (std::size_t k = 0; k < layers.size(); ++k) {
        EXPECT_NEAR(layers[k].length, widths[k], 1e-6) << "layer " << k;
        EXPECT_EQ(layers[k].value, values[k]) << "layer " << k;
    }
    const LayeredCavity pair = splitAtCavity(layers);
    EXPECT_NEAR(pair.width, 1.28, 1e-6);
    ASSERT_EQ(pair.before.size(), 2u);
    ASSERT_EQ(pair.after.size(), 2u);
    EXPECT_EQ(pair.before.back().value, 4.5);
    EXPECT_EQ(pair.after.front().value, 3.0);
    const std::vector<PotentialLayer> wider = pair.withWidth(2.0);
    EXPECT_EQ(wider.size(), 5u);
    EXPECT_EQ(wider[2].length, 2.0);

    EXPECT_TRUE(paintedLayers(v, 3.0, -2.0, 2.0).size() == 1u) << "a row above the rectangles is flat";
    EXPECT_TRUE(paintedLayers(v, 0.0, 1.0, -1.0).empty()) << "an empty span";
    const LayeredCavity solid = splitAtCavity({{0.5, 1.0}, {0.5, 2.0}});
    EXPECT_EQ(solid.width, 0.0);
    EXPECT_EQ(solid.before.size(), 2u);
}

// Cells 0.25 x 0.75 on 16 x 8, each holding x + 10 y of its centre: every
// cell is a layer of its own. A span ending on a centre holds that cell, one
// ending just short of it does not, and a span of one centre is that cell;
// the row is the one nearest y, the top one beyond the grid.
TEST(PacketAveragedTransmission, PaintedLayersHoldTheCellsOnTheSpansEnds)
{
    const double dx = 0.25, dy = 0.75;
    PotentialField2D v(16, 8, float(dx), float(dy));
    v.addLinear(0.0f, 0.0f, 0.0f, 1.0f, 10.0f);
    const auto x = [&](int i) { return -2.0 + (i + 0.5) * dx; }; // the grid spans [-2, 2] x [-3, 3]
    const auto y = [&](int j) { return -3.0 + (j + 0.5) * dy; };
    const struct Case {
        double y, from, to;
        int row, first, last;
    } cases[] = {
        {1.0, x(2), x(12), 5, 2, 12}, // row centres 0.375 and 1.125
        {1.0, std::nextafter(x(2), 9.0), std::nextafter(x(12), -9.0), 5, 3, 11},
        {-2.0, x(7), x(7), 1, 7, 7},
        {40.0, -9.0, 9.0, 7, 0, 15},
    };
    for (const Case& c : cases) {
        const std::vector<PotentialLayer> layers = paintedLayers(v, c.y, c.from, c.to);
        ASSERT_EQ(layers.size(), std::size_t(c.last - c.first + 1)) << "span " << c.from << " to " << c.to;
        for (int i = c.first; i <= c.last; ++i) {
            EXPECT_EQ(layers[std::size_t(i - c.first)].length, dx);
            EXPECT_EQ(layers[std::size_t(i - c.first)].value, x(i) + 10.0 * y(c.row))
                << "cell " << i << " at y " << c.y;
        }
    }
    for (const PotentialField2D& flat : {PotentialField2D(0, 8, 0.25f, 0.75f), PotentialField2D(16, 0, 0.25f, 0.75f)})
        EXPECT_TRUE(paintedLayers(flat, 0.0, -9.0, 9.0).empty()) << "a grid without cells";
}

// A zero run at either end is the lead outside the pair, never its cavity,
// however long: the layers split at the longest zero run between barriers.
TEST(PacketAveragedTransmission, TheLeadsAreNeverTheCavity)
{
    const LayeredCavity pair =
        splitAtCavity({{3.0, 0.0}, {0.4, 5.0}, {0.5, 0.0}, {0.3, 2.0}, {0.9, 0.0}, {0.4, 5.0}, {2.5, 0.0}});
    EXPECT_EQ(pair.width, 0.9);
    EXPECT_EQ(pair.before.size(), 4u);
    ASSERT_EQ(pair.after.size(), 2u);
    EXPECT_EQ(pair.after.back().length, 2.5);
    const LayeredCavity single = splitAtCavity({{3.0, 0.0}, {0.4, 5.0}, {2.5, 0.0}});
    EXPECT_EQ(single.width, 0.0) << "a single barrier between its leads";
    EXPECT_EQ(single.before.size(), 3u);
}

// The packet run through a painted barrier on a line of its cells: on cells
// fine against its wavelength it passes what the exact walls let through
// (the square barrier averaged over its momenta), and a flat row lets it all
// pass, whatever the row holds beyond the span. A packet that has no width,
// a row outside the grid or an empty span runs nothing. Cells of dx x 2.5 dx, as users make them.
TEST(DrainedRowTransmission, FineCellsPassWhatTheExactBarrierLetsThrough)
{
    const double dx = 0.04, height = 4.5, thickness = 0.64;
    PotentialField2D v(2048, 8, float(dx), float(2.5 * dx));
    v.addRectangle(0.0f, 0.0f, float(thickness), 1.0f, float(height));
    const SplitStepParameters parameters; // m = hbar = 1, dt 0.02
    const RowPacket packet{-8.0, 1.0, 2.5};
    const RowTransmission run = DrainedRowTransmission::run(v, 4, -1.0, 1.0, parameters, packet, 0.5);
    ASSERT_TRUE(run.valid);
    const double exact = packetAveragedTransmission(
        [&](double e) { return SquareBarrier1D::compute(e, height, thickness, 1.0, 1.0).transmission; },
        packet.momentum, gaussianMomentumSpread(packet.sigma, 1.0), 1.0);
    EXPECT_NEAR(run.transmission, exact, 2e-3);
    EXPECT_GT(run.time, 8.0 / 2.5) << "drained only once the packet has passed";
    // Only the span's cells are run: a wall beyond it changes nothing.
    PotentialField2D walled = v;
    walled.addRectangle(6.0f, 0.0f, 1.0f, 1.0f, 50.0f);
    EXPECT_EQ(DrainedRowTransmission::run(walled, 4, -1.0, 1.0, parameters, packet, 0.5).transmission,
              run.transmission);

    PotentialField2D flat(2048, 8, float(dx), float(2.5 * dx));
    EXPECT_NEAR(DrainedRowTransmission::run(flat, 4, -1.0, 1.0, parameters, packet, 0.5).transmission, 1.0, 1e-3);
    for (const RowTransmission& refused :
         {DrainedRowTransmission::run(v, 4, -1.0, 1.0, parameters, {-8.0, 0.0, 2.5}, 0.5),
          DrainedRowTransmission::run(v, 4, -1.0, 1.0, parameters, {-8.0, -1.0, 2.5}, 0.5),
          DrainedRowTransmission::run(v, 8, -1.0, 1.0, parameters, packet, 0.5),
          DrainedRowTransmission::run(v, 4, 1.0, -1.0, parameters, packet, 0.5),
          DrainedRowTransmission::run(PotentialField2D(), 0, -1.0, 1.0, parameters, packet, 0.5)})
        EXPECT_FALSE(refused.valid);
}

namespace {

// The guided double barrier (walls 0.64 wide and 4.5 high about a cavity of
// 1.76, or as high as given) on a row of `cells` across a universe `width`
// wide, rows 2.5 times as high as wide.
PotentialField2D guidedPair(std::uint64_t cells, double width, float height = 4.5f)
{
    const double dx = width / double(cells);
    PotentialField2D v(cells, 4, float(dx), float(2.5 * dx));
    for (const float centre : {-1.2f, 1.2f})
        v.addRectangle(centre, 0.0f, 0.64f, 1.0f, height);
    return v;
}

} // namespace

// The check in slices comes to the whole run's result bit for bit; each slice
// stops within one step of its work, and a check held to less work than it
// needs ends unchecked within one step of it.
TEST(DrainedRowTransmission, SlicesComeToTheWholeRunAndNoCheckOutrunsItsWork)
{
    const PotentialField2D v = guidedPair(256, 40.96);
    const SplitStepParameters parameters;
    const RowPacket packet{-9.0, 2.4, 2.5};
    const RowTransmission whole = DrainedRowTransmission::run(v, 2, -1.7, 1.7, parameters, packet, 0.5);
    ASSERT_TRUE(whole.valid);

    DrainedRowTransmission sliced(v, 2, -1.7, 1.7, parameters, packet, 0.5);
    const std::uint64_t slice = 1u << 15;
    std::uint64_t before = 0, slices = 0;
    while (!sliced.advance(slice)) {
        ++slices;
        EXPECT_GE(sliced.workDone() - before, slice);
        EXPECT_LT(sliced.workDone() - before, 2 * slice) << "a step of this line is far less than a slice";
        before = sliced.workDone();
    }
    EXPECT_GT(slices, 10u);
    EXPECT_EQ(sliced.result().transmission, whole.transmission);
    EXPECT_EQ(sliced.result().time, whole.time);

    const std::uint64_t held = sliced.workDone() / 3;
    DrainedRowTransmission short_(v, 2, -1.7, 1.7, parameters, packet, 0.5, held);
    EXPECT_TRUE(short_.advance(DrainedRowTransmission::kMostWork));
    EXPECT_TRUE(short_.result().overBudget);
    EXPECT_FALSE(short_.result().valid);
    EXPECT_FALSE(cellsCarryTheWalls(short_.result(), whole.transmission)) << "an unchecked line tells nothing";
    EXPECT_GE(short_.workDone(), held);
    EXPECT_LT(short_.workDone() - held, held / 100) << "ended within a step of its work";
}

// A pair of walls 10 high keeps part of a slow packet in its level past the
// longest run: what the span still holds is booked by the share given. A
// cell of 0.02 on a
// universe a quarter as wide as the guided one keeps the check within its
// work, ended unchecked where it would need more.
TEST(DrainedRowTransmission, ASlowPacketIsBookedAtTheLimitAndFineCellsStayWithinTheWork)
{
    const SplitStepParameters parameters;
    const PotentialField2D guided = guidedPair(256, 81.92, 10.0f);
    const RowPacket slow{-12.0, 2.4, 1.5};
    const RowTransmission none = DrainedRowTransmission::run(guided, 2, -1.9, 1.9, parameters, slow, 0.0);
    const RowTransmission all = DrainedRowTransmission::run(guided, 2, -1.9, 1.9, parameters, slow, 1.0);
    ASSERT_TRUE(none.valid && all.valid);
    EXPECT_NEAR(none.time, DrainedRowTransmission::kLongestRun, 0.05);
    EXPECT_GT(all.transmission - none.transmission, 1e-3) << "the level still holds part of the packet";
    const RowTransmission unsaid =
        DrainedRowTransmission::run(guided, 2, -1.9, 1.9, parameters, slow, std::numeric_limits<double>::quiet_NaN());
    EXPECT_NEAR(unsaid.transmission, 0.5 * (none.transmission + all.transmission), 1e-12)
        << "a share that is no number books half either way";

    const struct {
        std::uint64_t cells;
        bool checked;
    } rows[] = {{512, true}, {1024, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.cells);
        const PotentialField2D fine = guidedPair(row.cells, 20.48);
        DrainedRowTransmission check(fine, 2, -1.6, 1.6, parameters, {-5.0, 1.0, 1.0}, 0.5);
        EXPECT_TRUE(check.advance(DrainedRowTransmission::kMostWork));
        EXPECT_EQ(check.result().valid, row.checked);
        EXPECT_EQ(check.result().overBudget, !row.checked);
        EXPECT_LE(check.workDone(), DrainedRowTransmission::kMostWork + DrainedRowTransmission::kMostWork / 1000);
    }
}

// These cells carry the walls within two percent of the walls' packet T,
// however small it is: tried a hair inside and outside at three sizes.
TEST(DrainedRowTransmission, CellsCarryTheWallsWithinTwoPercentAtEveryT)
{
    for (const double exact : {0.6, 0.0368, 2e-4}) {
        SCOPED_TRACE(exact);
        for (const double off : {-1.0, 1.0}) {
            EXPECT_TRUE(cellsCarryTheWalls({true, false, exact * (1.0 + off * 0.0199)}, exact));
            EXPECT_FALSE(cellsCarryTheWalls({true, false, exact * (1.0 + off * 0.0201)}, exact));
        }
    }
    EXPECT_FALSE(cellsCarryTheWalls({true, false, 0.0383}, 0.0368)) << "the slow pair's 4 percent";
}

// A span of one cell: a packet too heavy to move in the longest run sits
// across it, so the share booked ahead is that cell's, neither left of the
// span nor right of it.
TEST(DrainedRowTransmission, TheSpansEndCellsAreItsOwn)
{
    const double dx = 0.5;
    const PotentialField2D flat(64, 4, float(dx), 0.7f);
    SplitStepParameters heavy;
    heavy.mass = 1000.0f;
    heavy.dt = 0.1f;
    const double cell = cellCentre(32, 64, dx);
    const RowPacket resting{cell, 1.0, 0.0};
    const RowTransmission none = DrainedRowTransmission::run(flat, 1, cell, cell, heavy, resting, 0.0);
    const RowTransmission all = DrainedRowTransmission::run(flat, 1, cell, cell, heavy, resting, 1.0);
    ASSERT_TRUE(none.valid && all.valid);
    // The free packet's spread by then; the line samples its density at the
    // cells' centres, and its halves either side of the cell are alike.
    const double spread = std::hypot(1.0, DrainedRowTransmission::kLongestRun / (2.0 * heavy.mass));
    const double cellShare = dx / (std::sqrt(2.0 * kPi) * spread);
    EXPECT_NEAR(all.transmission - none.transmission, cellShare, 1e-4);
    EXPECT_NEAR(none.transmission, 0.5 * (1.0 - cellShare), 1e-3);
}
