#include "experiments/BackflowRecorder.h"

#include "core/Numeric.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>

namespace vxo {

BackflowRecorder::BackflowRecorder(std::uint64_t capacity) : capacity_(capacity) {}

void BackflowRecorder::reset()
{
    configured_ = false;
    config_ = BackflowConfig{};
    mass_ = 1.0;
    hbar_ = 1.0;
    positiveMomentumFraction_ = 0.0;
    minimumFlux_ = 0.0;
    maximumBackwardFlux_ = 0.0;
    hasPrevious_ = false;
    previous_ = BackflowSample{};
    samples_.clear();
}

bool BackflowRecorder::configure(const ComplexField2D& field, const BackflowConfig& config, double mass, double hbar)
{
    reset();
    if (field.empty() || !QuantumBackflow2D::validateConfiguration(config, nullptr) || !isFinitePositive(mass) ||
        !isFinitePositive(hbar))
        return false;
    config_ = config;
    mass_ = mass;
    hbar_ = hbar;
    positiveMomentumFraction_ = vxo::positiveMomentumFraction(field);
    configured_ = true;
    return true;
}

void BackflowRecorder::record(double t, const ComplexField2D& field)
{
    if (!configured_ || field.empty())
        return;
    BackflowSample sample = backflowFlux(field, config_, mass_, hbar_, t);
    if (hasPrevious_) {
        // Trapezoid over the negative part of the current.
        const double negativeNow = std::max(-sample.flux, 0.0);
        const double negativeBefore = std::max(-previous_.flux, 0.0);
        sample.backwardFlux =
            previous_.backwardFlux + (negativeNow + negativeBefore) * std::max(sample.time - previous_.time, 0.0) / 2.0;
        minimumFlux_ = std::min(minimumFlux_, sample.flux);
    } else {
        sample.backwardFlux = 0.0;
        minimumFlux_ = sample.flux;
    }
    maximumBackwardFlux_ = std::max(maximumBackwardFlux_, sample.backwardFlux);
    previous_ = sample;
    hasPrevious_ = true;
    appendBounded(samples_, sample, static_cast<std::size_t>(capacity_));
}

} // namespace vxo
