#include "experiments/CavityLeak.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

// Drained: booked either way, what the pair holds would move the smaller
// share by no more than a fiftieth of itself, or the reading by less than
// half its last (fourth) decimal.
constexpr double kDrainedPart = 0.02;
constexpr double kDrainedFloor = 5e-5;
// One level: the decay rates of the two windows agree to a tenth. A transient
// that is not a level's leak changes its rate by more than that over two
// round trips (in 1-D runs of the guided pair from px 1.1 to 4, with equal
// and unequal walls, the first pair of windows to agree so gives P_T within
// 1.5% of the drained pair's).
constexpr double kRateAgreement = 0.1;

} // namespace

double leakThroughRight(double leftT, double rightT)
{
    const double t1 = std::clamp(isFinite(leftT) ? leftT : 0.0, 0.0, 1.0);
    const double t2 = std::clamp(isFinite(rightT) ? rightT : 0.0, 0.0, 1.0);
    const double right = t2 * std::sqrt(1.0 - t1);
    const double left = t1 * std::sqrt(1.0 - t2);
    return right + left > 0.0 ? right / (right + left) : 0.5;
}

PairReadiness CavityLeakWatch::observe(const PairShares& now, double throughRight, double window)
{
    const double share = std::clamp(isFinite(throughRight) ? throughRight : 0.5, 0.0, 1.0);
    const double largestMove = now.inside * std::max(share, 1.0 - share);
    if (largestMove <= std::max(kDrainedPart * std::min(now.left, now.right), kDrainedFloor))
        return PairReadiness::Drained;

    // Windows run from multiples of their length, so that a run refreshed
    // often or seldom keeps nearly the same samples.
    const auto slot = [window](double t) { return std::floor(t / window); };
    if (!isFinitePositive(window) || (count_ > 0 && slot(now.time) <= slot(kept_[count_ - 1].time)))
        return PairReadiness::NotYet;
    if (count_ == kept_.size()) {
        std::rotate(kept_.begin(), kept_.begin() + 1, kept_.end());
        --count_;
    }
    kept_[count_++] = now;
    return count_ == kept_.size() && leaksAsOneLevel() ? PairReadiness::Leaking : PairReadiness::NotYet;
}

bool CavityLeakWatch::leaksAsOneLevel() const
{
    const PairShares& first = kept_[0];
    const PairShares& middle = kept_[1];
    const PairShares& now = kept_[2];
    // Both sides only gain: nothing comes in any more, the pair only gives.
    const auto gives = [](const PairShares& before, const PairShares& after) {
        return after.left >= before.left && after.right >= before.right && after.inside < before.inside &&
               after.inside > 0.0 && after.time > before.time;
    };
    if (!gives(first, middle) || !gives(middle, now))
        return false;
    const double early = std::log(first.inside / middle.inside) / (middle.time - first.time);
    const double late = std::log(middle.inside / now.inside) / (now.time - middle.time);
    return std::abs(early - late) <= kRateAgreement * std::max(early, late);
}

} // namespace vxo
