#pragma once

// Records of the scar experiment. Besides the bounded series it accumulates,
// over every record since configure, the time-averaged density
//   rho_avg = sum_t |psi(t)|^2 w_t / sum_t w_t
// and the finite-time Fourier transform at the filter energy E
//   Phi_E = sum_t psi(t) e^(i E t / hbar) w_t,
// w_t the time since the previous record (1e-9 for the first one); the
// spectral map is |Phi_E|^2 scaled to a maximum of 1. The return fidelity is
// |<psi(0)|psi(t)>|^2, not divided by the norms.

#include "core/ComplexField2D.h"
#include "experiments/QuantumScar2D.h"

#include <complex>
#include <cstdint>
#include <vector>

namespace vxo {

struct ScarSample {
    double time = 0.0;
    double fidelity = 0.0;
    double instantaneousEnhancement = 0.0;
    double filteredEnhancement = 0.0;
};

class ScarRecorder {
public:
    // A capacity of 0 is raised to 1.
    explicit ScarRecorder(std::uint64_t capacity);

    void reset();
    // Resets; accepts a non-empty field, a valid stadium, a positive band
    // half-width and positive, finite filterEnergy and hbar (the enabled flag
    // is not consulted). The field is kept as psi(0).
    bool configure(const ComplexField2D& field, const StadiumGeometry& stadium, const ScarConfig& config,
                   double filterEnergy, double hbar);
    // False (nothing changes) when not configured, the field is on another
    // grid than psi(0) or t is not finite.
    bool record(double t, const ComplexField2D& field);

    bool isConfigured() const { return configured_; }
    bool isEmpty() const { return samples_.empty(); }
    std::uint64_t capacity() const { return capacity_; }
    const ComplexField2D& initialField() const { return initialField_; }
    const StadiumGeometry& stadium() const { return stadium_; }
    const ScarConfig& config() const { return config_; }
    double filterEnergy() const { return filterEnergy_; }
    double hbar() const { return hbar_; }
    const std::vector<ScarSample>& samples() const { return samples_; }
    // The two maps of the records so far, formed when asked for (the page
    // draws one of them) rather than at every record.
    const std::vector<float>& averagedDensity() const;
    const std::vector<float>& spectralMap() const;
    std::uint64_t recordCount() const { return recordCount_; }
    double totalWeight() const { return totalWeight_; }

private:
    void formMaps() const;

    std::uint64_t capacity_;
    bool configured_ = false;
    ComplexField2D initialField_;
    StadiumGeometry stadium_;
    ScarConfig config_;
    double filterEnergy_ = 0.0;
    double hbar_ = 1.0;
    std::vector<ScarSample> samples_;
    std::vector<double> densitySum_;
    std::vector<std::complex<double>> projection_;
    mutable std::vector<float> averagedDensity_;
    mutable std::vector<float> spectralMap_;
    mutable bool mapsFormed_ = true;
    std::uint64_t recordCount_ = 0;
    double lastTime_ = 0.0;
    double totalWeight_ = 0.0;
    bool hasLastTime_ = false;
};

} // namespace vxo
