#pragma once

#include "experiments/BoundStates1D.h"

#include <cstddef>
#include <limits>
#include <vector>

namespace vxo {

// The two lowest states of a well that moves a little at a time (a swept
// bias), found between relaxations by Rayleigh-Ritz on the relaxation step
// S = P_V F^-1 P_K F P_V of BoundStates1D within the span of pairs relaxed
// before on other rows of the same grid. The matrix of S on that span gives
// two Ritz vectors y (its largest eigenvalues mu_0 >= mu_1), the states the
// relaxation converges to as far as the span holds them; what the span
// misses shows in the residuals r = S y - mu y, which are orthogonal to it.
// Each Ritz vector lies off the exact pair by at most |r| / (mu_1 - lambda_2),
// taken with the next level at least as far above the pair as the pair is
// split (lambda_2 <= mu_1^2 / mu_0, as in a double well, whose third level
// lies well above its tunnelling pair). On a row that the span does not
// reach the bound is large, and the caller relaxes the pair and adds it.
class FollowedPairBasis {
public:
    // A Ritz pair with the bound on how far either of its states lies off
    // the exact pair of its row (the norm of the difference, dx sum |.|^2).
    struct RitzPair {
        BoundStateResult pair; // ok with two states below the continuum
        double offPair = std::numeric_limits<double>::infinity();
    };

    // Pairs kept: the most recent ones, which lie nearest the row of a sweep.
    static constexpr std::size_t kPairsKept = 6;

    void clear();
    bool empty() const { return pairs_.empty(); }
    // The first two states of a relaxed pair; a pair of another grid
    // spacing, width, mass or hbar than the kept ones replaces them, and one
    // with fewer than two states changes nothing.
    void add(const BoundStateResult& pair);
    // Orthonormal vectors spanning the kept pairs.
    std::size_t dimension() const { return basis_.size(); }

    // The Ritz pair of the middle row of `grid` (its mass, hbar and d tau
    // from `settings`); not ok when the basis is empty or of another grid,
    // or when either Ritz state is not below the row's continuum threshold.
    RitzPair ritzPair(const PotentialField2D& grid, const BoundStateSettings& settings) const;

private:
    std::vector<std::vector<BoundStates1D::Vector>> pairs_; // oldest first
    std::vector<BoundStates1D::Vector> basis_;
    double dx_ = 0.0;
    double mass_ = 0.0;
    double hbar_ = 0.0;
};

} // namespace vxo
