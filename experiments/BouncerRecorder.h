#pragma once

// Bounded series of the quantum bouncer: position moments along y, the
// probability within two Airy lengths above the floor, and the vertical
// profile P_y (one column of the bouncer carpet) at every observation.

#include "core/ComplexField2D.h"
#include "experiments/QuantumBouncer2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct BouncerSample {
    double time = 0.0;
    double meanY = 0.0;
    double sigmaY = 0.0;
    double norm = 0.0;
    double nearFloorProbability = 0.0;
    std::vector<float> yMarginal; // one entry per grid row
};

class BouncerRecorder {
public:
    // A capacity of 0 is raised to 1.
    explicit BouncerRecorder(std::uint64_t capacity);

    void clear();
    // Clears, then stores the record and the classical start (y0, p0) when
    // the record is valid and both are finite; returns whether it stored.
    bool configure(const BouncerConfig& config, double y0, double p0);
    // False unless configured, the field is non-empty and mass, hbar are
    // positive and finite.
    bool record(double t, const ComplexField2D& field, double mass, double hbar);

    bool isConfigured() const { return config_.valid; }
    std::uint64_t capacity() const { return capacity_; }
    const BouncerConfig& config() const { return config_; }
    double initialY() const { return initialY_; }
    double initialMomentumY() const { return initialMomentumY_; }
    float profileDy() const { return profileDy_; }
    std::uint64_t profileRows() const { return profileRows_; }
    const std::vector<BouncerSample>& samples() const { return samples_; }

private:
    std::uint64_t capacity_;
    BouncerConfig config_;
    double initialY_ = 0.0;
    double initialMomentumY_ = 0.0;
    float profileDy_ = 0.0f;
    std::uint64_t profileRows_ = 0;
    std::vector<BouncerSample> samples_;
};

} // namespace vxo
