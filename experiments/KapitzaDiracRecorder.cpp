#include "experiments/KapitzaDiracRecorder.h"

#include "core/Numeric.h"
#include "experiments/MomentumColumns.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <utility>

namespace vxo {

KapitzaDiracRecorder::KapitzaDiracRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 2)) {}

void KapitzaDiracRecorder::reset()
{
    configured_ = false;
    config_ = KapitzaDiracConfig{};
    hbar_ = 1.0;
    samples_.clear();
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

void KapitzaDiracRecorder::record(const MomentumSpace2D& momentumSpace, double time, bool pulseActive)
{
    if (!configured_)
        return;
    appendBounded(samples_, makeSample(momentumSpace, time, pulseActive), static_cast<std::size_t>(capacity_));
}

KapitzaDiracSample KapitzaDiracRecorder::makeSample(const MomentumSpace2D& momentumSpace, double time,
                                                    bool pulseActive) const
{
    KapitzaDiracSample sample;
    sample.time = time;
    sample.pulseActive = pulseActive;
    const double period = config_.latticePeriod;
    const double g = isFinitePositive(hbar_) && isFinitePositive(period) ? 2.0 * kPi * hbar_ / period : 0.0;
    sample.gratingMomentum = g;

    const std::vector<double> columns = g > 0.0 ? momentumColumnProbabilities(momentumSpace) : std::vector<double>{};
    if (columns.empty())
        return sample;
    const std::vector<double>& px = momentumSpace.pxAxis;
    sample.pxOrigin = px[0];
    sample.dpx = momentumSpace.field.dx();
    if (!momentumColumnDistribution(columns, sample.totalProbability, sample.distribution))
        return sample;
    const std::uint64_t nx = columns.size();
    const double total = sample.totalProbability;

    const std::int32_t orders = config_.maximumOrder;
    sample.orderPopulations.assign(static_cast<std::size_t>(2 * orders + 1), 0.0);
    for (std::uint64_t i = 0; i < nx; ++i) {
        const double p = columns[i] / total;
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
