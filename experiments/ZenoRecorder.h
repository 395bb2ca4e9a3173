#pragma once

// Bounded series of the Zeno comparison: the norms of both lanes, the share
// of each lane left of the survival boundary and the survival of each lane.
// Both survivals are booked alike, as the probability that a test taken now
// finds the particle still in its lane and left of the boundary, over the
// lane's start norm; the watched lane's also has passed every earlier test.
// What the absorbing layer took therefore counts as lost in either lane.

#include "core/ComplexField2D.h"
#include "experiments/QuantumZeno2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct ZenoSample {
    double time = 0.0;
    std::uint64_t measurementCount = 0;
    double controlSurvival = 0.0;  // control probability left of the boundary / its start norm
    double watchedSurvival = 0.0;  // laneSurvival of the watched lane: the yes probability of a test now
    double measuredSurvival = 0.0; // product of the measured fractions x watched probability left of the
                                   // boundary / its start norm
    double controlNorm = 0.0;
    double watchedNorm = 0.0;
    double totalNorm = 0.0;
};

class ZenoRecorder {
public:
    // A capacity below 16 is raised to 16.
    explicit ZenoRecorder(std::uint64_t capacity);

    // Both configs at their defaults, norms 0, no samples, not configured.
    void reset();
    // Resets; with valid configs and a non-empty field stores the configs and
    // the two lane norms of the field, configured when both are positive.
    void configure(const ZenoConfig& config, const ZenoInitialStateConfig& initialConfig, const ComplexField2D& field);
    // Nothing when not configured or the field is empty. measuredSurvival is
    // the product of the survival fractions the measurements so far found,
    // each taken on the lane rescaled to the norm it held before it.
    void record(double time, const ComplexField2D& field, std::uint64_t measurementCount, double measuredSurvival);

    bool isConfigured() const { return configured_; }
    bool isEmpty() const { return samples_.empty(); }
    std::uint64_t capacity() const { return capacity_; }
    const ZenoConfig& config() const { return config_; }
    const ZenoInitialStateConfig& initialConfig() const { return initialConfig_; }
    double watchedNormTarget() const { return watchedNormTarget_; }
    double controlNormReference() const { return controlNormReference_; }
    const std::vector<ZenoSample>& samples() const { return samples_; }

private:
    std::uint64_t capacity_;
    bool configured_ = false;
    ZenoConfig config_;
    ZenoInitialStateConfig initialConfig_;
    double watchedNormTarget_ = 0.0;
    double controlNormReference_ = 0.0;
    std::vector<ZenoSample> samples_;
};

} // namespace vxo
