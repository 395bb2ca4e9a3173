#pragma once

// One sample per kick of the kicked rotor: the momentum-mode distribution
// P(n) (probability of each px column, n = px / dpx), its moments and
// participation ratio 1 / sum P(n)^2, beside the mean square mode of a
// 512-member classical standard-map ensemble after the same number of kicks.

#include "core/MomentumSpace2D.h"
#include "experiments/QuantumKickedRotor2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct KickedRotorSample {
    std::uint64_t kickCount = 0;
    double time = 0.0;
    double meanMode = 0.0;
    double modeVariance = 0.0;
    double meanSquareMode = 0.0;
    double classicalMeanSquareMode = 0.0; // 0 when not computed
    double participationRatio = 0.0;
    double totalProbability = 0.0; // before normalisation
    double firstMode = 0.0;        // mode of the first momentum column
    double modeStep = 1.0;
    std::vector<float> distribution; // P(n) per momentum column, sum 1
};

class KickedRotorRecorder {
public:
    // A capacity below 2 is raised to 2.
    explicit KickedRotorRecorder(std::uint64_t capacity);

    // Not configured, tau 0, samples cleared; the configs are kept.
    void reset();
    // Clears as reset, then accepts an enabled kick config and an initial
    // state that pass their rules, with tau > 0.
    void configure(const KickedRotorConfig& kickConfig, const KickedRotorInitialStateConfig& initialConfig,
                   double scaledKickPeriod);
    // Appends the sample of this kick count; nothing when not configured or
    // when the last sample already has this count.
    void record(const MomentumSpace2D& momentumSpace, std::uint64_t kickCount, double time);

    // Mean square mode of the classical ensemble after kickCount kicks of
    // K = k tau, every member starting at the initial mode.
    static double classicalMeanSquareMode(double phaseStrength, double tau, std::int32_t initialMode,
                                          std::uint64_t kickCount);

    bool isConfigured() const { return configured_; }
    bool isEmpty() const { return samples_.empty(); }
    std::uint64_t capacity() const { return capacity_; }
    double scaledKickPeriod() const { return tau_; }
    const KickedRotorConfig& kickConfig() const { return kickConfig_; }
    const KickedRotorInitialStateConfig& initialConfig() const { return initialConfig_; }
    const std::vector<KickedRotorSample>& samples() const { return samples_; }

private:
    KickedRotorSample makeSample(const MomentumSpace2D& momentumSpace, std::uint64_t kickCount, double time) const;

    std::uint64_t capacity_;
    bool configured_ = false;
    double tau_ = 0.0;
    KickedRotorConfig kickConfig_;
    KickedRotorInitialStateConfig initialConfig_;
    std::vector<KickedRotorSample> samples_;
};

} // namespace vxo
