#pragma once

// Bounded series of the backflow experiment. Besides the samples it keeps the
// positive-momentum fraction of the prepared state, the most negative flux
// and the largest accumulated backward flux,
//   B(t) = integral_0^t max(-J(t'), 0) dt'   (trapezoidal),
// both over every recorded step, also those no longer held.

#include "core/ComplexField2D.h"
#include "experiments/QuantumBackflow2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

class BackflowRecorder {
public:
    // A capacity of 0 keeps no samples.
    explicit BackflowRecorder(std::uint64_t capacity);

    // Not configured, default config, mass and hbar 1, figures 0, samples dropped.
    void reset();
    // Resets; then, for a non-empty field, a valid config and positive finite
    // mass and hbar, stores them and the field's positive-momentum fraction.
    bool configure(const ComplexField2D& field, const BackflowConfig& config, double mass, double hbar);
    // Appends one sample; nothing unless configured and the field is non-empty.
    void record(double t, const ComplexField2D& field);

    std::uint64_t capacity() const { return capacity_; }
    bool isConfigured() const { return configured_; }
    const BackflowConfig& config() const { return config_; }
    double mass() const { return mass_; }
    double hbar() const { return hbar_; }
    double positiveMomentumFraction() const { return positiveMomentumFraction_; }
    double minimumFlux() const { return minimumFlux_; }
    double maximumBackwardFlux() const { return maximumBackwardFlux_; }
    const std::vector<BackflowSample>& samples() const { return samples_; }

private:
    std::uint64_t capacity_;
    bool configured_ = false;
    BackflowConfig config_;
    double mass_ = 1.0;
    double hbar_ = 1.0;
    double positiveMomentumFraction_ = 0.0;
    double minimumFlux_ = 0.0;
    double maximumBackwardFlux_ = 0.0;
    // Last recorded sample, kept apart from the series so that the running
    // integral continues when the capacity holds no samples.
    bool hasPrevious_ = false;
    BackflowSample previous_;
    std::vector<BackflowSample> samples_;
};

} // namespace vxo
