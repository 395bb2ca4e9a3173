#include "experiments/KapitzaDiracRecorder.h"

#include "core/Numeric.h"
#include "experiments/MomentumColumns.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vxo {

KapitzaDiracRecorder::KapitzaDiracRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 2)) {}

void KapitzaDiracRecorder::reset()
{
    configured_ = false;
    config_ = KapitzaDiracConfig{};
    hbar_ = 1.0;
    samples_.clear();
    lastColumns_.clear();
    layerTakeByColumn_.clear();
}

bool KapitzaDiracRecorder::configure(const KapitzaDiracConfig& config, double hbar)
{
    reset();
    if (!config.enabled || !QuantumKapitzaDirac2D::validatePulse(config, hbar, nullptr))
        return false;
    config_ = config;
    hbar_ = hbar;
    configured_ = true;
    return true;
}

void KapitzaDiracRecorder::record(const MomentumSpace2D& momentumSpace, double time, bool pulseActive,
                                  bool potentialFree)
{
    if (!configured_)
        return;
    const std::vector<double> columns = momentumColumnProbabilities(momentumSpace);
    followFreeFlight(columns, time, potentialFree);
    appendBounded(samples_, makeSample(momentumSpace, columns, time, pulseActive), static_cast<std::size_t>(capacity_));
}

double KapitzaDiracRecorder::absorbedProbability() const
{
    double taken = 0.0;
    for (const double p : layerTakeByColumn_)
        taken += p;
    return taken;
}

void KapitzaDiracRecorder::followFreeFlight(const std::vector<double>& columns, double time, bool potentialFree)
{
    if (!configured_)
        return;
    if (columns.size() != lastColumns_.size()) {
        // The first sample: nothing taken yet.
        layerTakeByColumn_.assign(columns.size(), 0.0);
    } else {
        // No light since the last sample or counted step (the clock's
        // rounding at the light's ends is no light).
        const bool dark =
            QuantumKapitzaDirac2D::lightShare(config_, 0.5 * (lastTime_ + time), std::abs(time - lastTime_)) == 0.0;
        if (dark && potentialFree)
            for (std::size_t i = 0; i < columns.size(); ++i)
                layerTakeByColumn_[i] += lastColumns_[i] - columns[i];
    }
    lastColumns_ = columns;
    lastTime_ = time;
}

void KapitzaDiracRecorder::countStepUnderLight(const std::vector<double>& beforeLayer,
                                               const std::vector<double>& afterLayer, double time)
{
    if (!configured_ || beforeLayer.size() != afterLayer.size() || afterLayer.size() != lastColumns_.size())
        return;
    for (std::size_t i = 0; i < afterLayer.size(); ++i)
        layerTakeByColumn_[i] += beforeLayer[i] - afterLayer[i];
    lastColumns_ = afterLayer;
    lastTime_ = time;
}

KapitzaDiracSample KapitzaDiracRecorder::makeSample(const MomentumSpace2D& momentumSpace,
                                                    const std::vector<double>& columns, double time,
                                                    bool pulseActive) const
{
    KapitzaDiracSample sample;
    sample.time = time;
    sample.pulseActive = pulseActive;
    const double period = config_.latticePeriod;
    const double g = isFinitePositive(hbar_) && isFinitePositive(period) ? 2.0 * kPi * hbar_ / period : 0.0;
    sample.gratingMomentum = g;

    if (columns.empty() || !(g > 0.0))
        return sample;
    const std::vector<double>& px = momentumSpace.pxAxis;
    sample.pxOrigin = px[0];
    sample.dpx = momentumSpace.field.dx();
    if (!momentumColumnDistribution(columns, sample.totalProbability, sample.distribution))
        return sample;
    const std::uint64_t nx = columns.size();
    // Shares of the packet: the grid's probability and what the layer took.
    const double packet = sample.totalProbability + absorbedProbability();

    const std::int32_t orders = config_.maximumOrder;
    sample.orderPopulations.assign(static_cast<std::size_t>(2 * orders + 1), 0.0);
    for (std::uint64_t i = 0; i < nx; ++i) {
        const double p = (columns[i] + layerTakeByColumn_[i]) / packet;
        for (std::int32_t n = -orders; n <= orders; ++n) {
            const double centre = n * g;
            if (centre - g / 2.0 <= px[i] && px[i] < centre + g / 2.0) {
                sample.orderPopulations[static_cast<std::size_t>(n + orders)] += p;
                break;
            }
        }
    }
    return sample;
}

} // namespace vxo
