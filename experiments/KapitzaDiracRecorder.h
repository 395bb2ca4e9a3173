#pragma once

// Momentum distribution of the Kapitza-Dirac experiment at every recorded
// step: the probability per px column, normalised to 1, and the populations
// of the diffraction orders n = -N..N, each the probability in the half-open
// bin n G - G/2 <= px < n G + G/2 around n G, G = 2 pi hbar / a.

#include "core/MomentumSpace2D.h"
#include "experiments/QuantumKapitzaDirac2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct KapitzaDiracSample {
    double time = 0.0;
    bool pulseActive = false;
    double totalProbability = 0.0;
    double gratingMomentum = 0.0; // G
    double pxOrigin = 0.0;        // px of the first column
    double dpx = 0.0;
    std::vector<float> distribution;      // per px column, sum 1
    std::vector<double> orderPopulations; // 2N + 1 entries, order -N first
};

class KapitzaDiracRecorder {
public:
    // A capacity below 2 is raised to 2.
    explicit KapitzaDiracRecorder(std::uint64_t capacity);

    void reset();
    // Resets; accepts an enabled config that passes every rule with a finite,
    // positive hbar.
    bool configure(const KapitzaDiracConfig& config, double hbar);
    // Appends one sample per call (no thinning); nothing when not configured.
    void record(const MomentumSpace2D& momentumSpace, double time, bool pulseActive);

    bool isConfigured() const { return configured_; }
    bool isEmpty() const { return samples_.empty(); }
    std::uint64_t capacity() const { return capacity_; }
    const KapitzaDiracConfig& config() const { return config_; }
    double hbar() const { return hbar_; }
    const std::vector<KapitzaDiracSample>& samples() const { return samples_; }

private:
    KapitzaDiracSample makeSample(const MomentumSpace2D& momentumSpace, double time, bool pulseActive) const;

    std::uint64_t capacity_;
    bool configured_ = false;
    KapitzaDiracConfig config_;
    double hbar_ = 1.0;
    std::vector<KapitzaDiracSample> samples_;
};

} // namespace vxo
