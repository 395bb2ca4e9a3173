#pragma once

// Bounded series of the Landau experiment: the centroid and rms radius about
// the grid centre, the survival fidelity |<psi_0|psi>|^2 / (<psi_0|psi_0> <psi|psi>)
// with the prepared state psi_0, and the gauge-covariant kinetic energy per
// unit norm.

#include "core/ComplexField2D.h"
#include "core/GaugeLinkField2D.h"
#include "experiments/QuantumLandau2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct LandauSample {
    double time = 0.0;
    double norm = 0.0;
    double meanX = 0.0;
    double meanY = 0.0;
    double rmsRadius = 0.0;
    double fidelity = 0.0;
    double energy = 0.0;
};

class LandauRecorder {
public:
    // A capacity of 0 keeps no samples.
    explicit LandauRecorder(std::uint64_t capacity);

    // Not configured, default config, reference dropped, mass and hbar 1.
    void reset();
    // Resets; then, for a non-empty field with matching links, a valid config
    // and positive mass and hbar, keeps a copy of the field as the reference.
    bool configure(const ComplexField2D& field, const GaugeLinkField2D& links, const LandauConfig& config, double mass,
                   double hbar);
    // Appends one sample; nothing unless configured and the links match the field.
    void record(double t, const ComplexField2D& field, const GaugeLinkField2D& links);

    bool isConfigured() const { return configured_; }
    const LandauConfig& config() const { return config_; }
    const ComplexField2D& reference() const { return reference_; }
    double mass() const { return mass_; }
    double hbar() const { return hbar_; }
    std::uint64_t capacity() const { return capacity_; }
    const std::vector<LandauSample>& samples() const { return samples_; }

private:
    bool configured_ = false;
    LandauConfig config_;
    ComplexField2D reference_;
    double referenceNorm_ = 0.0; // summed once at configure
    double mass_ = 1.0;
    double hbar_ = 1.0;
    std::uint64_t capacity_;
    std::vector<LandauSample> samples_;
};

} // namespace vxo
