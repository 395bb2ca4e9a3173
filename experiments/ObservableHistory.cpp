#include "experiments/ObservableHistory.h"

#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {
constexpr std::uint64_t kReserveLimit = 4096;
}

ObservableHistory::ObservableHistory(std::uint64_t capacity) : capacity_(capacity == 0 ? 1 : capacity)
{
    samples_.reserve(static_cast<std::size_t>(std::min(capacity_, kReserveLimit)));
}

void ObservableHistory::push(const ObservableSample& sample)
{
    appendBounded(samples_, sample, static_cast<std::size_t>(capacity_));
}

void ObservableHistory::trimToCapacity() { vxo::trimToCapacity(samples_, static_cast<std::size_t>(capacity_)); }

void ObservableHistory::clear() { samples_.clear(); }

double ObservableHistory::energyDriftPercent(double totalEnergy) const
{
    if (samples_.empty())
        return 0.0;
    const double h0 = samples_.front().totalEnergy;
    if (!(std::fabs(h0) > 1e-12))
        return 0.0;
    return (totalEnergy - h0) * 100.0 / h0;
}

} // namespace vxo
