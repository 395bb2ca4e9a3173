#pragma once

// Bounded series of the Hall-edge experiment: the centroid, the probability
// in the strip edgeY <= y <= edgeY + edgeBand (per unit norm) and the drift
// of <x> since configuration.

#include "core/ComplexField2D.h"
#include "experiments/QuantumHallEdge2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct HallEdgeSample {
    double time = 0.0;
    double norm = 0.0;
    double meanX = 0.0;
    double meanY = 0.0;
    double edgeProbability = 0.0;
    double drift = 0.0;
};

class HallEdgeRecorder {
public:
    // A capacity of 0 keeps no samples.
    explicit HallEdgeRecorder(std::uint64_t capacity);

    // Not configured, default config, initial <x> 0, samples dropped.
    void reset();
    // Resets; then, for a non-empty field and a valid config, stores the
    // config and the field's <x> as the origin of the drift.
    bool configure(const ComplexField2D& field, const HallEdgeConfig& config);
    // Appends one sample; nothing unless configured and the field is non-empty.
    void record(double t, const ComplexField2D& field);

    bool isConfigured() const { return configured_; }
    const HallEdgeConfig& config() const { return config_; }
    double initialMeanX() const { return initialMeanX_; }
    std::uint64_t capacity() const { return capacity_; }
    const std::vector<HallEdgeSample>& samples() const { return samples_; }

private:
    bool configured_ = false;
    HallEdgeConfig config_;
    double initialMeanX_ = 0.0;
    std::uint64_t capacity_;
    std::vector<HallEdgeSample> samples_;
};

} // namespace vxo
