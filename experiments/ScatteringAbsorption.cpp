#include "experiments/ScatteringAbsorption.h"

#include "core/Numeric.h"

#include <algorithm>

namespace vxo {

void ScatteringAbsorption::start(double norm)
{
    *this = ScatteringAbsorption{};
    inBox_ = isFiniteNonNegative(norm) ? norm : 0.0;
}

void ScatteringAbsorption::add(const AbsorbedByBand& removed)
{
    if (!isFiniteNonNegative(removed.left) || !isFiniteNonNegative(removed.right) ||
        !isFiniteNonNegative(removed.topAndBottom))
        return;
    // The top and bottom took this share of what the box held before the step.
    if (inBox_ > 0.0)
        keptAlongY_ *= std::max(1.0 - removed.topAndBottom / inBox_, 0.0);
    inBox_ = std::max(inBox_ - removed.total(), 0.0);
    if (keptAlongY_ > 0.0) {
        wentBack_ += removed.left / keptAlongY_;
        wentThrough_ += removed.right / keptAlongY_;
    }
}

double ScatteringAbsorption::whole(double inBox) const { return inBox / keptAlongY_; }

RegionProbabilities ScatteringAbsorption::ofWholePacket(const RegionProbabilities& inBox) const
{
    // The middle region is read as the pair's barriers with an empty cavity.
    const DoubleBarrierRegions w =
        ofWholePacket(DoubleBarrierRegions{inBox.total, inBox.left, inBox.middle, 0.0, inBox.right, inBox.leftFraction,
                                           inBox.middleFraction, 0.0, inBox.rightFraction});
    return RegionProbabilities{w.total,        w.left, w.barriers, w.right, w.leftFraction, w.barriersFraction,
                               w.rightFraction};
}

DoubleBarrierRegions ScatteringAbsorption::ofWholePacket(const DoubleBarrierRegions& inBox) const
{
    if (!(keptAlongY_ > 0.0))
        return inBox;
    DoubleBarrierRegions w = inBox;
    w.left = whole(inBox.left) + wentBack_;
    w.barriers = whole(inBox.barriers);
    w.cavity = whole(inBox.cavity);
    w.right = whole(inBox.right) + wentThrough_;
    w.total = w.left + w.barriers + w.cavity + w.right;
    const double inverse = isFinitePositive(w.total) ? 1.0 / w.total : 0.0;
    w.leftFraction = w.left * inverse;
    w.barriersFraction = w.barriers * inverse;
    w.cavityFraction = w.cavity * inverse;
    w.rightFraction = w.right * inverse;
    return w;
}

} // namespace vxo
