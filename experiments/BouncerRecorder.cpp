#include "experiments/BouncerRecorder.h"

#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "experiments/ProbabilityMarginals.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <utility>

namespace vxo {

BouncerRecorder::BouncerRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 1))
{
    samples_.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(capacity_, 1200)));
}

void BouncerRecorder::clear()
{
    config_ = BouncerConfig{};
    initialY_ = 0.0;
    initialMomentumY_ = 0.0;
    profileDy_ = 0.0f;
    profileRows_ = 0;
    samples_.clear();
}

bool BouncerRecorder::configure(const BouncerConfig& config, double y0, double p0)
{
    clear();
    if (!config.valid || !isFinite(y0) || !isFinite(p0))
        return false;
    config_ = config;
    initialY_ = y0;
    initialMomentumY_ = p0;
    return true;
}

bool BouncerRecorder::record(double t, const ComplexField2D& field, double mass, double hbar)
{
    if (!isConfigured() || field.empty() || !isFinitePositive(mass) || !isFinitePositive(hbar))
        return false;

    const PositionMoments moments = computePositionMoments(field);
    BouncerSample sample;
    sample.time = t;
    sample.norm = moments.norm;
    sample.meanY = moments.meanY;
    sample.sigmaY = moments.sigmaY;

    // The lowest Airy state lives within about two Airy lengths of the floor.
    const double band = 2.0 * QuantumBouncer2D::airyLength(config_, mass, hbar);
    if (band > 0.0) {
        const double cellArea = static_cast<double>(field.dx()) * static_cast<double>(field.dy());
        const double bottom = config_.floorY;
        const double top = config_.floorY + band;
        double sum = 0.0;
        for (std::uint64_t j = 0; j < field.ny(); ++j) {
            const double y = gridCoordinateY(field, j);
            if (y < bottom || y > top)
                continue;
            for (std::uint64_t i = 0; i < field.nx(); ++i)
                sum += cellProbability(field.at(i, j), cellArea);
        }
        sample.nearFloorProbability = sum;
    }
    sample.yMarginal = probabilityMarginalY(field);

    profileDy_ = field.dy();
    profileRows_ = field.ny();
    appendBounded(samples_, std::move(sample), static_cast<std::size_t>(capacity_));
    return true;
}

} // namespace vxo
