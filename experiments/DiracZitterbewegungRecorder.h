#pragma once

// Bounded series of the Zitterbewegung experiment. After every sample the
// centroid series <x>(t), <y>(t) of the stored samples is fitted by least
// squares with straight lines; their slopes are the measured drift
// velocities and every stored sample's detrended coordinates are its
// residuals from the lines, so the trembling stands out on its own.
//
// The box is periodic: what leaves it on one side comes back on the other,
// and the centroid then moves by up to a box width per unit of probability
// that crossed. The recorder bounds that share from the density on the box's
// edge lines: no part of a Dirac spinor moves faster than c, so at most c
// times the probability per unit length on an edge crosses it per unit time.

#include "core/DiracSpinor2D.h"
#include "experiments/QuantumZitterbewegung2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

class DiracZitterbewegungRecorder {
public:
    // The share of the packet that may have wrapped round the box from which
    // the recorder marks the time: the centroid can then be off by a hundredth
    // of a box width, the order of the trembling on the presets' boxes.
    static constexpr double kMarkedWrappedShare = 0.01;

    // A capacity of 0 keeps no samples.
    explicit DiracZitterbewegungRecorder(std::uint64_t capacity);

    // Not configured, default config, hbar 1, centroid, fit and weights 0,
    // samples dropped; the capacity stays.
    void reset();
    // Resets; then, for a usable spinor, a valid config and a positive finite
    // hbar, stores them, the spinor's centroid and its energy-branch weights.
    bool configure(const DiracSpinor2D& spinor, const ZitterbewegungConfig& config, double hbar);
    // Appends one sample, refits the drift lines and adds what may have
    // crossed the box's edges since the previous sample; nothing unless
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
    // The bound on the share of the packet that has crossed the box's edges
    // up to the last sample, and the time of the first sample at which it
    // reached kMarkedWrappedShare (negative before).
    double wrappedShareBound() const { return wrappedShareBound_; }
    double wrapMarkTime() const { return wrapMarkTime_; }

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
    double wrappedShareBound_ = 0.0;
    double wrapMarkTime_ = -1.0;
    // The edge-line density and time of the previous sample, once there is one.
    bool hasEdgeDensity_ = false;
    double edgeDensity_ = 0.0;
    double edgeTime_ = 0.0;
};

} // namespace vxo
