// The pair of a tilted double well found in the span of pairs relaxed at
// other tilts, against the pair relaxed to convergence on its own row.

#include "experiments/FollowedPairBasis.h"

#include "core/PotentialField2D.h"
#include "tests/experiments/TwoLevelFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace vxo;

namespace {

// 256 cells of 1/16 across, rows of 0.5.
PotentialField2D tilted(double slope, std::uint64_t nx = 256)
{
    PotentialField2D field = fixtures::rasterise(fixtures::doubleWellScene(false), nx, 4, 16.0, 2.0);
    field.addLinear(0.0f, 0.0f, 0.0f, static_cast<float>(slope), 0.0f);
    return field;
}

// Settled far below the search's own tolerance.
BoundStateSettings converged()
{
    BoundStateSettings settings = fixtures::pairSettings();
    settings.energyTolerance = 1e-14;
    settings.maxIterations = 20000;
    return settings;
}

// |a - b| of two states up to their sign (an odd state's two peaks tie).
double distance(const BoundState& a, const BoundState& b, double dx)
{
    double minus = 0.0, plus = 0.0;
    for (std::size_t i = 0; i < a.phi.size(); ++i) {
        minus += std::pow(double(a.phi[i]) - double(b.phi[i]), 2);
        plus += std::pow(double(a.phi[i]) + double(b.phi[i]), 2);
    }
    return std::sqrt(std::min(minus, plus) * dx);
}

} // namespace

// On a relaxed row, between the relaxed rows and beyond them, the Ritz pair
// lies within its bound of the converged pair of the row (single precision
// aside), with that pair's energies; the further the row lies from the
// relaxed ones, the larger the bound, so that a caller relaxes there.
TEST(FollowedPairBasis, ARitzPairLiesWithinItsBoundOfTheConvergedPair)
{
    FollowedPairBasis basis;
    for (const double slope : {0.3, 0.1})
        basis.add(BoundStates1D::compute(tilted(slope), converged()));
    ASSERT_EQ(basis.dimension(), 4u);
    double previousBound = 0.0;
    for (const double slope : {0.3, 0.2, 0.0, -0.1, -0.3}) {
        SCOPED_TRACE(slope);
        const PotentialField2D row = tilted(slope);
        const FollowedPairBasis::RitzPair ritz = basis.ritzPair(row, fixtures::pairSettings());
        const BoundStateResult exact = BoundStates1D::compute(row, converged());
        ASSERT_TRUE(ritz.pair.ok && exact.ok);
        ASSERT_EQ(ritz.pair.states.size(), 2u);
        EXPECT_TRUE(ritz.pair.isValidFor(row, 1.0, 1.0));
        for (std::size_t k = 0; k < 2; ++k) {
            const double off = distance(ritz.pair.states[k], exact.states[k], exact.dx);
            EXPECT_LE(off, ritz.offPair + 1e-6) << "state " << k + 1;
            // The energy is the state's Rayleigh quotient: second order.
            EXPECT_NEAR(ritz.pair.states[k].energy, exact.states[k].energy, 1e-6 + 10.0 * off) << "state " << k + 1;
        }
        EXPECT_GT(ritz.offPair, previousBound);
        previousBound = ritz.offPair;
    }
    EXPECT_GT(previousBound, 1e-3) << "a row the span does not reach";
}

// The newest pairs are kept, the newest whole; a pair of another width
// starts again.
TEST(FollowedPairBasis, KeepsTheNewestPairsOfOneGrid)
{
    FollowedPairBasis basis;
    EXPECT_FALSE(basis.ritzPair(tilted(0.1), fixtures::pairSettings()).pair.ok) << "an empty basis";
    const double newest = 0.05 * static_cast<double>(FollowedPairBasis::kPairsKept + 1);
    for (double slope = 0.0; slope <= newest + 1e-9; slope += 0.05)
        basis.add(BoundStates1D::compute(tilted(slope), fixtures::pairSettings()));
    EXPECT_LE(basis.dimension(), 2 * FollowedPairBasis::kPairsKept);
    EXPECT_LT(basis.ritzPair(tilted(newest), fixtures::pairSettings()).offPair, 1e-5);
    basis.add(BoundStates1D::compute(tilted(0.1, 128), fixtures::pairSettings()));
    EXPECT_EQ(basis.dimension(), 2u);
    EXPECT_FALSE(basis.ritzPair(tilted(0.1), fixtures::pairSettings()).pair.ok) << "a row of another width";
    EXPECT_TRUE(basis.ritzPair(tilted(0.1, 128), fixtures::pairSettings()).pair.ok);
}
