#include "experiments/BoundStates1D.h"

#include "core/ComplexField2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "common/TestSupport.h"
#include "tests/experiments/TwoLevelFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vxo;

namespace {

// Energy of bound level `index` of a finite square well of half-width a and
// depth V0 (bottom at 0, mass 1, hbar 1), from the transcendental equations
//   even: k tan(k a) = kappa,  odd: -k cot(k a) = kappa,
// with k = sqrt(2E), kappa = sqrt(2(V0 - E)); k a lies in (index pi/2, (index + 1) pi/2).
double finiteWellLevel(int index, double a, double depth)
{
    const bool even = index % 2 == 0;
    auto mismatch = [&](double e) {
        const double k = std::sqrt(2.0 * e);
        const double kappa = std::sqrt(2.0 * (depth - e));
        return even ? k * std::sin(k * a) - kappa * std::cos(k * a) : -k * std::cos(k * a) - kappa * std::sin(k * a);
    };
    double lo = std::pow(index * kPi / 2.0 / a, 2) / 2.0 + 1e-12;
    double hi = std::min(std::pow((index + 1) * kPi / 2.0 / a, 2) / 2.0, depth) - 1e-12;
    for (int iteration = 0; iteration < 200; ++iteration) {
        const double mid = 0.5 * (lo + hi);
        if ((mismatch(lo) < 0.0) == (mismatch(mid) < 0.0))
            lo = mid;
        else
            hi = mid;
    }
    return 0.5 * (lo + hi);
}

const BoundStateResult& finiteWellStates()
{
    static const BoundStateResult result = [] {
        BoundStateSettings settings;
        settings.maxStates = 5;
        return BoundStates1D::compute(fixtures::rasterise(fixtures::finiteWellScene(), 512, 8, 40.96, 40.96), settings);
    }();
    return result;
}

PotentialField2D flatGrid(std::uint64_t nx, std::uint64_t ny, float value)
{
    PotentialField2D field(nx, ny, 0.25f, 0.25f);
    field.fill(value);
    return field;
}

} // namespace

TEST(BoundStates1D, FiniteWellLevelsMatchTheTranscendentalEquations)
{
    const BoundStateResult& result = finiteWellStates();
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.message, "Bound states computed.");
    EXPECT_DOUBLE_EQ(result.continuumThreshold, 5.0);
    ASSERT_EQ(result.states.size(), 5u);
    for (std::size_t k = 0; k < result.states.size(); ++k) {
        const BoundState& state = result.states[k];
        EXPECT_EQ(state.n, static_cast<int>(k) + 1);
        EXPECT_EQ(state.nodes, static_cast<int>(k));
        const double exact = finiteWellLevel(static_cast<int>(k), 4.0, 5.0);
        // The well's edges sit between cell centres: discretisation error of a few 1e-4.
        EXPECT_NEAR(state.energy, exact, 1e-3 * exact + 1e-5) << "level " << k;
    }
}

TEST(BoundStates1D, StatesAreOrthonormalAndOrientedPositive)
{
    const BoundStateResult& result = finiteWellStates();
    ASSERT_TRUE(result.ok);
    for (const BoundState& a : result.states) {
        float peak = 0.0f;
        for (float v : a.phi)
            peak = std::fabs(v) > std::fabs(peak) ? v : peak;
        EXPECT_GT(peak, 0.0f);
        for (const BoundState& b : result.states) {
            double overlap = 0.0;
            for (std::size_t i = 0; i < a.phi.size(); ++i)
                overlap += static_cast<double>(a.phi[i]) * b.phi[i] * result.dx;
            EXPECT_NEAR(overlap, a.n == b.n ? 1.0 : 0.0, 1e-5) << a.n << " " << b.n;
        }
    }
    // A vector that orthogonalisation has emptied cannot be normalised.
    BoundStates1D::Vector zero(8, {0.0, 0.0});
    EXPECT_FALSE(BoundStates1D::normalize(zero, 0.5));
    BoundStates1D::Vector unit(8, {1.0, 0.0});
    ASSERT_TRUE(BoundStates1D::normalize(unit, 0.5));
    EXPECT_NEAR(std::norm(unit[0]) * 8 * 0.5, 1.0, 1e-12);
}

TEST(BoundStates1D, ShallowWellStopsAtTheContinuum)
{
    // z0 = a sqrt(2 V0) = 4 holds three levels (z0 / (pi/2) = 2.55).
    PotentialScene scene;
    scene.add(fixtures::makeRectangle(0.5f, -12.24f, 16.48f, 40.96f));
    scene.add(fixtures::makeRectangle(0.5f, 12.24f, 16.48f, 40.96f));
    BoundStateSettings settings;
    settings.maxStates = 5;
    const BoundStateResult result = BoundStates1D::compute(fixtures::rasterise(scene, 256, 4, 40.96, 40.96), settings);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.states.size(), 3u);

    const BoundStateResult flat = BoundStates1D::compute(flatGrid(64, 4, 2.0f), settings);
    EXPECT_FALSE(flat.ok);
    EXPECT_EQ(flat.message, "No bound eigenstate was found below the edge continuum threshold.");
    EXPECT_DOUBLE_EQ(flat.continuumThreshold, 2.0);
}

TEST(BoundStates1D, RefusesUnusableGridsAndSettings)
{
    const BoundStateSettings settings;
    EXPECT_EQ(BoundStates1D::compute(PotentialField2D(), settings).message, "Potential grid is empty or too small.");
    EXPECT_EQ(BoundStates1D::compute(flatGrid(8, 8, 0.0f), settings).message, "Potential grid is empty or too small.");
    EXPECT_EQ(BoundStates1D::compute(flatGrid(48, 8, 0.0f), settings).message,
              "Bound-state analysis requires a radix-2 X grid.");

    const PotentialField2D grid = flatGrid(64, 4, 0.0f);
    for (int variant = 0; variant < 4; ++variant) {
        BoundStateSettings bad;
        if (variant == 0)
            bad.maxStates = 0;
        if (variant == 1)
            bad.maxStates = 17;
        if (variant == 2)
            bad.maxIterations = 49;
        if (variant == 3)
            bad.mass = std::numeric_limits<double>::quiet_NaN();
        const BoundStateResult result = BoundStates1D::compute(grid, bad);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message, "Invalid bound-state solver parameters.") << variant;
    }

    const char* const notInvariant =
        "Potential is not invariant in Y. Use a well extended across Y for this 1D bound-state analysis.";
    BoundStateSettings negativeTolerance;
    negativeTolerance.yTolerance = -1.0;
    EXPECT_EQ(BoundStates1D::compute(grid, negativeTolerance).message, notInvariant);

    // Fewer rows than columns: the disc in the middle columns must still be seen.
    PotentialField2D circle(64, 16, 0.25f, 0.5f);
    circle.addCircle(0.0f, 0.0f, 2.5f, -2.0f);
    EXPECT_EQ(BoundStates1D::compute(circle, settings).message, notInvariant);

    // Rows may differ from the middle one (y = 0.125) by up to yTolerance times
    // the scale max(1, max |V|): 2 for a well of depth 2, 1 for one of depth 0.5.
    // The farthest row lies 0.5 away.
    struct Tilt {
        float depth, slope;
        bool passes;
    };
    for (const Tilt& t :
         {Tilt{-2.0f, 2e-5f, true}, Tilt{-2.0f, 1e-4f, false}, Tilt{-0.5f, 1.5e-5f, true}, Tilt{-0.5f, 3e-5f, false}}) {
        PotentialField2D tilted(64, 4, 0.25f, 0.25f); // rows at y = -0.375 .. 0.375
        tilted.addRectangle(0.0f, 0.0f, 4.0f, 100.0f, t.depth);
        tilted.addLinear(0.0f, 0.0f, 0.0f, 0.0f, t.slope);
        const bool passes = BoundStates1D::compute(tilted, settings).message != notInvariant;
        EXPECT_EQ(passes, t.passes) << "depth " << t.depth << ", slope " << t.slope;
    }

    PotentialField2D nonFinite = flatGrid(64, 4, std::numeric_limits<float>::infinity());
    EXPECT_EQ(BoundStates1D::compute(nonFinite, settings).message, "Potential contains non-finite values.");
}

TEST(BoundStates1D, StalenessFollowsGridMassAndHbar)
{
    const BoundStateResult empty;
    EXPECT_EQ(empty.mass, 1.0);
    EXPECT_EQ(empty.hbar, 1.0);

    PotentialField2D grid = fixtures::rasterise(fixtures::doubleWellScene(false), 64, 4, 16.0, 16.0);
    BoundStateSettings settings = fixtures::pairSettings();
    settings.mass = 1.5;
    const BoundStateResult result = BoundStates1D::compute(grid, settings);
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.isValidFor(grid, 1.5 * (1.0 + 1e-13), 1.0));
    EXPECT_FALSE(result.isValidFor(grid, 1.5 * (1.0 + 1e-9), 1.0));
    EXPECT_FALSE(result.isValidFor(grid, 1.5, 0.5));

    const PotentialField2D copy = grid;
    EXPECT_TRUE(result.isValidFor(copy, 1.5, 1.0));

    // The row the states come from: the middle row alone holds them, and a
    // change away from that row leaves the row's states but not the grid's.
    EXPECT_TRUE(result.isForRowOf(grid.row(grid.ny() / 2), 1.5, 1.0));
    EXPECT_FALSE(result.isForRowOf(grid, 1.5, 0.5));
    PotentialField2D edge = grid;
    edge.addRectangle(0.0f, -6.0f, 16.0f, 1.0f, 0.25f);
    ASSERT_NE(edge.valueAt(32, 0), grid.valueAt(32, 0)) << "the first row is painted";
    EXPECT_TRUE(result.isForRowOf(edge, 1.5, 1.0));
    EXPECT_FALSE(result.isValidFor(edge, 1.5, 1.0));

    grid.addRectangle(0.0f, 0.0f, 0.3f, 100.0f, 0.8001f);
    EXPECT_FALSE(result.isValidFor(grid, 1.5, 1.0));
    EXPECT_FALSE(result.isForRowOf(grid, 1.5, 1.0));
}

TEST(BoundStates1D, FingerprintIsFnv1aOfTheLittleEndianGrid)
{
    // Independent byte-wise FNV-1a on a little-endian host.
    PotentialField2D grid(2, 1, 0.5f, 2.0f);
    grid.fill(1.25f);
    std::uint64_t expected = 0xcbf29ce484222325ULL;
    auto feed = [&](const void* data, std::size_t size) {
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t k = 0; k < size; ++k) {
            expected ^= bytes[k];
            expected *= 0x100000001b3ULL;
        }
    };
    const std::uint64_t nx = 2, ny = 1;
    const float dx = 0.5f, dy = 2.0f, v = 1.25f;
    feed(&nx, 8);
    feed(&ny, 8);
    feed(&dx, 4);
    feed(&dy, 4);
    feed(&v, 4);
    feed(&v, 4);
    EXPECT_EQ(potentialGridFingerprint(grid), expected);
    EXPECT_NE(potentialGridFingerprint(grid), potentialGridFingerprint(PotentialField2D(1, 2, 0.5f, 2.0f)));
}

TEST(BoundStates1D, PreparesEigenstatesAndSuperpositionsSpreadOverY)
{
    const BoundStateResult& result = finiteWellStates();
    ASSERT_TRUE(result.ok);
    ComplexField2D psi(512, 8, 0.08f, 5.12f);
    ASSERT_TRUE(BoundStates1D::prepareEigenstate(psi, result, 1));
    EXPECT_NEAR(psi.norm(), 1.0, 1e-6);
    const double rowScale = 1.0 / std::sqrt(8.0 * 5.12);
    for (std::uint64_t i = 200; i < 320; i += 17) {
        EXPECT_NEAR(psi.at(i, 0).real(), result.states[1].phi[i] * rowScale, 1e-6);
        EXPECT_EQ(psi.at(i, 0), psi.at(i, 7));
    }

    ComplexField2D untouched = psi;
    EXPECT_FALSE(BoundStates1D::prepareSuperposition(psi, result, 2, 2, 0.0));
    EXPECT_FALSE(BoundStates1D::prepareSuperposition(psi, result, 0, 5, 0.0));
    EXPECT_FALSE(BoundStates1D::prepareEigenstate(psi, result, -1));
    EXPECT_FALSE(BoundStates1D::prepareEigenstate(psi, result, 5)); // one past the last state
    ComplexField2D wrongWidth(256, 8, 0.16f, 5.12f);
    EXPECT_FALSE(BoundStates1D::prepareEigenstate(wrongWidth, result, 0));
    EXPECT_TRUE(test::bitIdentical(psi, untouched));
}

// Lengths in turn (the transform keeps what it found for the last length):
// each transform is the sum that defines it, sign -1 forward and +1 with 1/n
// backward.
TEST(BoundStates1D, FftIsTheDiscreteTransformOfEveryLengthInTurn)
{
    for (const std::size_t n : {8u, 1024u, 2u, 8u}) {
        for (const bool inverse : {false, true}) {
            BoundStates1D::Vector data(n);
            for (std::size_t i = 0; i < n; ++i)
                data[i] = {std::sin(0.7 * double(i) + 0.2), std::cos(1.3 * double(i) * double(i))};
            BoundStates1D::Vector sum(n);
            for (std::size_t k = 0; k < n; ++k) {
                for (std::size_t i = 0; i < n; ++i)
                    sum[k] += data[i] * std::polar(1.0, (inverse ? 2.0 : -2.0) * kPi * double(i * k % n) / double(n));
                sum[k] /= inverse ? double(n) : 1.0;
            }
            BoundStates1D::fft(data, inverse);
            for (std::size_t k = 0; k < n; ++k)
                ASSERT_NEAR(std::abs(data[k] - sum[k]), 0.0, 1e-11 * double(n))
                    << n << " points, k = " << k << (inverse ? ", backward" : "");
        }
    }
}

TEST(BoundStates1D, FftRejectsLengthsThatAreNotPowersOfTwo)
{
    for (std::size_t bad : {0u, 6u}) {
        BoundStates1D::Vector wrong(bad);
        EXPECT_EQ(test::messageOf([&] { BoundStates1D::fft(wrong, false); }),
                  "BoundStates1D: X grid must be a power of two")
            << "length " << bad;
    }
}

TEST(BoundStates1D, AnUnresolvedTunnellingDoubletKeepsTheStartVectorsSplit)
{
    // Two square wells (depth 6, width 3) 8 apart behind a barrier of width 5:
    // the tunnel splitting (about exp(-2 kappa 5), kappa ~ 3.3) is far below
    // what a relaxation of tau <= 52 resolves, so the first state is the start
    // vector projected on the doublet, l L + r R, with L and R the ground state
    // of one well alone (their overlap is as small as the splitting). Its
    // right-minus-left weight (r^2 - l^2) / (l^2 + r^2) therefore follows from
    // the fixed start vector of seed 0:
    //   (0.25 cos(2 pi i / nx) + 0.75 (2u - 1)) exp(-0.35 (V - Vmin) / W),
    // u from the xorshift 13/17/5 seeded with 0x85ebca6b ^ 0x9e3779b9, W = 1.5.
    const std::uint64_t nx = 256;
    const float dx = 1.0f / 16.0f;
    const int shift = 64; // 4 / dx cells
    auto grid = [&](std::initializer_list<float> centres) {
        PotentialField2D field(nx, 6, dx, 0.3f);
        for (float c : centres)
            field.addRectangle(c, 0.0f, 3.0f, 100.0f, -6.0f);
        return field;
    };
    BoundStateSettings settings;
    settings.maxStates = 2;
    const BoundStateResult single = BoundStates1D::compute(grid({0.0f}), settings);
    const BoundStateResult pair = BoundStates1D::compute(grid({-4.0f, 4.0f}), settings);
    ASSERT_TRUE(single.ok) << single.message;
    ASSERT_TRUE(pair.ok) << pair.message;
    ASSERT_EQ(pair.states.size(), 2u);

    std::uint32_t state = 0x85ebca6bu ^ 0x9e3779b9u;
    double l = 0.0, r = 0.0;
    for (std::uint64_t i = 0; i < nx; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const double u = static_cast<double>(state & 0xffffffu) / 16777216.0;
        const double inWell = std::fabs(std::fabs(pair.x[i]) - 4.0) < 1.5 ? 1.0 : std::exp(-0.35 * 6.0 / 1.5);
        const double mode = std::cos(2.0 * kPi * static_cast<double>(i) / static_cast<double>(nx));
        const double start = (0.25 * mode + 0.75 * (2.0 * u - 1.0)) * inWell;
        const auto oneWell = [&](int j) { return j >= 0 && j < int(nx) ? double(single.states[0].phi[j]) : 0.0; };
        l += oneWell(int(i) + shift) * start;
        r += oneWell(int(i) - shift) * start;
    }
    const double expected = (r * r - l * l) / (l * l + r * r);
    for (std::size_t k = 0; k < 2; ++k) {
        double left = 0.0, right = 0.0;
        for (std::uint64_t i = 0; i < nx; ++i)
            (pair.x[i] < 0.0 ? left : right) += double(pair.states[k].phi[i]) * pair.states[k].phi[i] * dx;
        EXPECT_NEAR(pair.states[k].energy, single.states[0].energy, 1e-5) << "state " << k;
        // The second is the doublet's other direction: the mirror split.
        EXPECT_NEAR(right - left, k == 0 ? expected : -expected, 2e-3) << "state " << k;
    }
}

// A pair followed along a sweep: relaxed from the pair of the potential a
// small tilt before, it is the pair a fixed start finds, to the search's
// tolerance; a start of another width is no start at all.
TEST(BoundStates1D, APairRelaxedFromTheLastOneIsThePairAFixedStartFinds)
{
    const BoundStateSettings settings = fixtures::pairSettings();
    const auto tilted = [](double slope) {
        PotentialField2D field = fixtures::rasterise(fixtures::doubleWellScene(false), 256, 4, 16.0, 2.0);
        field.addLinear(0.0f, 0.0f, 0.0f, static_cast<float>(slope), 0.0f);
        return field;
    };
    const BoundStateResult before = BoundStates1D::compute(tilted(0.02), settings);
    ASSERT_TRUE(before.ok);
    ASSERT_EQ(before.states.size(), 2u);
    const BoundStateResult otherWidth =
        BoundStates1D::compute(fixtures::rasterise(fixtures::doubleWellScene(false), 128, 4, 16.0, 2.0), settings);
    ASSERT_TRUE(otherWidth.ok);

    for (const double slope : {0.02, 0.021, 0.03, -0.02}) {
        SCOPED_TRACE(slope);
        const PotentialField2D grid = tilted(slope);
        const BoundStateResult cold = BoundStates1D::compute(grid, settings);
        const BoundStateResult followed = BoundStates1D::compute(grid, settings, before);
        ASSERT_TRUE(cold.ok);
        ASSERT_EQ(followed.states.size(), cold.states.size());
        EXPECT_TRUE(followed.isValidFor(grid, settings.mass, settings.hbar));
        for (std::size_t k = 0; k < cold.states.size(); ++k) {
            EXPECT_NEAR(followed.states[k].energy, cold.states[k].energy, 1e-7) << "state " << k + 1;
            double overlap = 0.0;
            for (std::size_t i = 0; i < cold.states[k].phi.size(); ++i)
                overlap += double(cold.states[k].phi[i]) * double(followed.states[k].phi[i]) * cold.dx;
            EXPECT_NEAR(overlap, 1.0, 1e-5) << "state " << k + 1;
        }
        const BoundStateResult unstarted = BoundStates1D::compute(grid, settings, otherWidth);
        ASSERT_EQ(unstarted.states.size(), cold.states.size());
        for (std::size_t k = 0; k < cold.states.size(); ++k)
            EXPECT_EQ(unstarted.states[k].phi, cold.states[k].phi) << "state " << k + 1;
    }
}
