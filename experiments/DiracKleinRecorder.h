#pragma once

// Bounded series of the Klein tunnelling experiment, with the largest
// probability found right of the barrier, the smallest norm (the absorbing
// layer removes what leaves the domain) and the time integral of the
// detector flux (trapezoidal), all over every recorded step.

#include "core/DiracSpinor2D.h"
#include "experiments/QuantumKleinTunneling2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

class DiracKleinRecorder {
public:
    // A capacity of 0 keeps no samples.
    explicit DiracKleinRecorder(std::uint64_t capacity);

    // Not configured, default config, figures 0, samples dropped; the
    // capacity stays.
    void reset();
    // Resets; then, for a usable spinor and valid settings, stores them and
    // the spinor's norm as the minimum so far.
    bool configure(const DiracSpinor2D& spinor, const KleinTunnelingConfig& config);
    // Appends one sample; nothing unless configured and the spinor is usable.
    void record(double t, const DiracSpinor2D& spinor);

    bool isConfigured() const { return configured_; }
    const KleinTunnelingConfig& config() const { return config_; }
    std::uint64_t capacity() const { return capacity_; }
    double maxRightProbability() const { return maxRightProbability_; }
    double minimumNorm() const { return minimumNorm_; }
    double integratedDetectorFlux() const { return integratedDetectorFlux_; }
    const std::vector<KleinSample>& samples() const { return samples_; }

private:
    bool configured_ = false;
    KleinTunnelingConfig config_;
    std::uint64_t capacity_;
    double maxRightProbability_ = 0.0;
    double minimumNorm_ = 0.0;
    double integratedDetectorFlux_ = 0.0;
    // Last recorded sample, kept apart from the series so that the flux
    // integral and the minimum continue when the capacity holds no samples.
    bool hasPrevious_ = false;
    KleinSample previous_;
    std::vector<KleinSample> samples_;
};

} // namespace vxo
