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
// Once the bound reaches kMarkedWrappedShare the window has outgrown what
// the box can show: the lines stay those fitted to the samples read before
// (the reading keeps its drift and its largest residual), and the later
// samples' residuals are taken from them, so a wrapped centroid shows as
// what it is instead of bending the fit of the whole window.

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
    // Adds what may have crossed the box's edges since the previous sample,
    // appends one sample and refits the drift lines (until the mark; after
    // it, takes the sample's residuals from the kept lines); nothing unless
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
    // The fit, its drift velocities and the largest residual, read over the
    // samples up to this time: the last sample before the mark once there
    // is one, else the last sample (negative without samples).
    bool pastValidity() const { return wrapMarkTime_ >= 0.0; }
    double readingEndTime() const;

private:
    void refitDriftLines();
    // The last sample's residuals from the lines kept at the mark.
    void residualsFromKeptLines();

    std::uint64_t capacity_;
    bool configured_ = false;
    ZitterbewegungConfig config_;
    double hbar_ = 1.0;
    double initialCentroidX_ = 0.0;
    double initialCentroidY_ = 0.0;
    double maxAbsDetrendedX_ = 0.0;
    double fittedDriftVelocityX_ = 0.0;
    double fittedDriftVelocityY_ = 0.0;
    double fittedInterceptX_ = 0.0;
    double fittedInterceptY_ = 0.0;
    double positiveEnergyWeight_ = 0.0;
    double negativeEnergyWeight_ = 0.0;
    std::vector<ZitterbewegungSample> samples_;
    double wrappedShareBound_ = 0.0;
    double wrapMarkTime_ = -1.0;
    double readingEndTime_ = -1.0;
    // The edge-line density and time of the previous sample, once there is one.
    bool hasEdgeDensity_ = false;
    double edgeDensity_ = 0.0;
    double edgeTime_ = 0.0;
};

} // namespace vxo
