#pragma once

// Bounded series of the Zitterbewegung experiment. After every sample the
// centroid series <x>(t), <y>(t) of the stored samples is fitted by least
// squares with straight lines; their slopes are the measured drift
// velocities and every stored sample's detrended coordinates are its
// residuals from the lines, so the trembling stands out on its own.

#include "core/DiracSpinor2D.h"
#include "experiments/QuantumZitterbewegung2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

class DiracZitterbewegungRecorder {
public:
    // A capacity of 0 keeps no samples.
    explicit DiracZitterbewegungRecorder(std::uint64_t capacity);

    // Not configured, default config, hbar 1, centroid, fit and weights 0,
    // samples dropped; the capacity stays.
    void reset();
    // Resets; then, for a usable spinor, a valid config and a positive finite
    // hbar, stores them, the spinor's centroid and its energy-branch weights.
    bool configure(const DiracSpinor2D& spinor, const ZitterbewegungConfig& config, double hbar);
    // Appends one sample and refits the drift lines; nothing unless
    // configured and the spinor is usable.
    void record(double t, const DiracSpinor2D& spinor);

    std::uint64_t capacity() const { return capacity_; }
    bool isConfigured() const { return configured_; }
    const ZitterbewegungConfig& config() const { return config_; }
    double hbar() const { return hbar_; }
    double initialCentroidX() const { return initialCentroidX_; }
    double initialCentroidY() const { return initialCentroidY_; }
    double maxAbsDetrendedX() const { return maxAbsDetrendedX_; }
    double fittedDriftVelocityX() const { return fittedDriftVelocityX_; }
    double fittedDriftVelocityY() const { return fittedDriftVelocityY_; }
    double positiveEnergyWeight() const { return positiveEnergyWeight_; }
    double negativeEnergyWeight() const { return negativeEnergyWeight_; }
    const std::vector<ZitterbewegungSample>& samples() const { return samples_; }

private:
    void refitDriftLines();

    std::uint64_t capacity_;
    bool configured_ = false;
    ZitterbewegungConfig config_;
    double hbar_ = 1.0;
    double initialCentroidX_ = 0.0;
    double initialCentroidY_ = 0.0;
    double maxAbsDetrendedX_ = 0.0;
    double fittedDriftVelocityX_ = 0.0;
    double fittedDriftVelocityY_ = 0.0;
    double positiveEnergyWeight_ = 0.0;
    double negativeEnergyWeight_ = 0.0;
    std::vector<ZitterbewegungSample> samples_;
};

} // namespace vxo
