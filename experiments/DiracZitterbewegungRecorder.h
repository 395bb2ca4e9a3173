#pragma once

// Bounded series of the Zitterbewegung experiment. After every sample the
// centroid series <x>(t), <y>(t) of the stored samples is fitted by least
// squares with straight lines; their slopes are the measured drift
// velocities and every stored sample's detrended coordinates are its
// residuals from the lines, so the trembling stands out on its own.
//
// The box is periodic: what leaves it on one side comes back on the other.
// The centroid is taken about the packet (each cell at its image nearest to
// the previous sample's centroid), so a packet crossing an edge is measured
// whole, as if the box were unbounded, until its two ends meet on the seam
// opposite the packet. From then on what crosses that seam comes back a
// box's width away and moves the centroid by up to a box width per unit of
// probability. The recorder bounds that share from the density on the far
// seam across x (what wraps along y leaves <x> alone): neither the spinor
// nor the seam, which follows the centroid, moves faster than c, so at most
// 2c times the probability per unit length there crosses it per unit time.
// Once the box's width times that share could move the centroid by
// kMarkedShareOfReach of the trembling's reach, the window has outgrown
// what the box can show: the lines stay those fitted to the samples read
// before (the reading keeps its drift and its largest residual), and the
// later samples' residuals are taken from them, so a wrapped centroid shows
// as what it is instead of bending the fit of the whole window.

#include "core/DiracSpinor2D.h"
#include "experiments/QuantumZitterbewegung2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

class DiracZitterbewegungRecorder {
public:
    // How far the wrap may move the centroid before the recorder marks the
    // time, as a share of the trembling's reach c / omega_ZB = hbar c / 2E
    // (a trembling at 2E / hbar with a speed below c stays within it; the
    // measured amplitudes are a fifth to a half of it). A packet's tails
    // meet steeply, so the mark comes late enough to leave the reading
    // within a percent of an unbounded packet's.
    static constexpr double kMarkedShareOfReach = 0.002;

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
    // The bound on the share of the packet that has crossed the seam across
    // x opposite the packet up to the last sample, and the time of the first sample at which it
    // could move the centroid by markedCentroidShift (negative before).
    double wrappedShareBound() const { return wrappedShareBound_; }
    double wrapMarkTime() const { return wrapMarkTime_; }
    // The most the wrap may have moved the centroid, and the move at which
    // the recorder marks the time (0 unless configured).
    double centroidShiftBound() const { return centroidShiftBound_; }
    double markedCentroidShift() const;
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
    double centroidShiftBound_ = 0.0;
    double wrapMarkTime_ = -1.0;
    double readingEndTime_ = -1.0;
    // The point the next centroid is taken about: the last one.
    double aboutX_ = 0.0;
    double aboutY_ = 0.0;
    // The far seam's density and its time at the previous sample.
    bool hasSeam_ = false;
    double seamDensity_ = 0.0;
    double seamTime_ = 0.0;
};

} // namespace vxo
