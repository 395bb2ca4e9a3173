#pragma once

#include "experiments/ObservableSample.h"

#include <cstdint>
#include <vector>

namespace vxo {

// Bounded sliding window of ObservableSample, oldest first. Once full, every
// push drops the oldest sample; storage for min(capacity, 4096) samples is
// reserved up front so that steady-state pushes do not reallocate.
class ObservableHistory {
public:
    // A capacity of 0 is raised to 1.
    explicit ObservableHistory(std::uint64_t capacity = 4096);

    void push(const ObservableSample& sample);
    void trimToCapacity();
    // Empties the window; capacity and reserved storage stay.
    void clear();

    std::uint64_t capacity() const { return capacity_; }
    std::uint64_t size() const { return samples_.size(); }
    bool empty() const { return samples_.empty(); }
    const std::vector<ObservableSample>& samples() const { return samples_; }
    // Oldest and newest samples; the history must not be empty.
    const ObservableSample& oldest() const { return samples_.front(); }
    const ObservableSample& newest() const { return samples_.back(); }

    // Drift of a total energy against the oldest stored sample, in percent:
    // 100 (totalEnergy - H0) / H0, or 0 when the history is empty or |H0| <= 1e-12.
    double energyDriftPercent(double totalEnergy) const;

private:
    std::uint64_t capacity_ = 1;
    std::vector<ObservableSample> samples_;
};

} // namespace vxo
