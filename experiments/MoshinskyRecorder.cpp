#include "experiments/MoshinskyRecorder.h"

#include "core/Numeric.h"
#include "experiments/GridCoordinates.h"
#include "experiments/ProbabilityMarginals.h"
#include "experiments/RecorderSupport.h"
#include "experiments/TimeThinning.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vxo {

MoshinskyRecorder::MoshinskyRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 2)) {}

void MoshinskyRecorder::reset()
{
    configured_ = false;
    grid_ = unsetGrid();
    config_ = MoshinskyConfig{};
    geometry_ = MoshinskyShutterGeometry{};
    samples_.clear();
}

bool MoshinskyRecorder::configure(const MoshinskyConfig& config, const MoshinskyShutterGeometry& geometry,
                                  const ComplexField2D& field)
{
    reset();
    if (!config.enabled || !geometry.valid || field.empty() || !(config.analysisEndTime > config.openTime))
        return false;
    grid_ = GridKey2D::of(field);
    config_ = config;
    geometry_ = geometry;
    configured_ = true;
    return true;
}

double MoshinskyRecorder::gridX(std::uint64_t i) const { return cellCentre(i, grid_.nx, grid_.dx); }

bool MoshinskyRecorder::record(double t, bool shutterOpen, const ComplexField2D& field)
{
    if (!configured_ || !isFinite(t) || field.empty() || !grid_.matches(field))
        return false;
    const bool shutterChanged = !samples_.empty() && samples_.back().shutterOpen != shutterOpen;
    if (isThinnedOut(samples_, t, config_.analysisEndTime, capacity_, shutterChanged))
        return true;

    MoshinskySample sample;
    sample.time = t;
    sample.shutterOpen = shutterOpen;
    sample.profile = probabilityMarginalX(field);
    sample.detectorDensity = detectorDensity(sample.profile);

    const double dx = grid_.dx;
    double transmitted = 0.0;
    double mass = 0.0;
    double first = 0.0;
    for (std::uint64_t i = 0; i < grid_.nx; ++i) {
        const double x = gridX(i);
        const double p = static_cast<double>(sample.profile[i]) * dx;
        if (x > geometry_.centerX)
            transmitted += p;
        mass += p;
        first += p * x;
    }
    sample.transmittedProbability = std::max(std::min(1.0, transmitted), 0.0);
    sample.meanX = mass > 0.0 ? first / mass : 0.0;
    appendBounded(samples_, std::move(sample), static_cast<std::size_t>(capacity_));
    return true;
}

double MoshinskyRecorder::detectorDensity(const std::vector<float>& profile) const
{
    if (!isFinite(config_.detectorX) || profile.empty())
        return 0.0;
    const double u = (config_.detectorX - gridX(0)) / static_cast<double>(grid_.dx);
    const double last = static_cast<double>(grid_.nx - 1);
    if (u <= 0.0)
        return profile.front();
    if (u >= last)
        return profile.back();
    const std::uint64_t i = static_cast<std::uint64_t>(std::floor(u));
    const double f = u - static_cast<double>(i);
    return (1.0 - f) * profile[i] + f * profile[i + 1];
}

} // namespace vxo
