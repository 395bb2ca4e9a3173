#pragma once

// Bounded series of the Anderson comparison: both lanes measured at every
// observation.

#include "core/ComplexField2D.h"
#include "experiments/QuantumAnderson2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct AndersonSample {
    double time = 0.0;
    AndersonLaneMetrics clean;
    AndersonLaneMetrics disordered;
    double totalProbability = 0.0; // clean + disordered lane probability
};

class AndersonRecorder {
public:
    // A capacity below 2 is raised to 2.
    explicit AndersonRecorder(std::uint64_t capacity);

    // Default config, empty lattice, no samples, not configured.
    void reset();
    // Resets, then accepts a valid lattice with finite config values,
    // sigma > 0 and lanes at least 4 sigma apart.
    void configure(const AndersonInitialStateConfig& config, const AndersonLattice& lattice);
    // Measures both lanes and appends; nothing when not configured or the
    // field is empty.
    void record(double time, const ComplexField2D& field);

    bool isConfigured() const { return configured_; }
    bool isEmpty() const { return samples_.empty(); }
    std::uint64_t capacity() const { return capacity_; }
    const AndersonInitialStateConfig& config() const { return config_; }
    const AndersonLattice& lattice() const { return lattice_; }
    const std::vector<AndersonSample>& samples() const { return samples_; }

private:
    std::uint64_t capacity_;
    bool configured_ = false;
    AndersonInitialStateConfig config_;
    AndersonLattice lattice_;
    std::vector<AndersonSample> samples_;
};

} // namespace vxo
