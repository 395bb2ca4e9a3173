#pragma once

// Quantum Zeno effect with two identical packets in two lanes split by the
// line y = laneSplitY: the control lane above it is left alone, the watched
// lane below it is measured repeatedly. A measurement keeps the outcome
// "still left of the boundary": the watched lane is multiplied by the survival
// window
//   w(x) = 1                              for x <= x_b,
//          (cos(pi (x - x_b) / e) + 1) / 2 for x_b < x < x_b + e,
//          0                              beyond,
// and rescaled to a target norm. Its survival fraction is the watched norm
// after the projection over the norm before it.
//
// Both lanes are booked alike: whatever the absorbing layer takes from a lane
// is lost to it. The driver therefore rescales the watched lane to the norm
// it held just before each measurement (the conditional state given the yes
// answer), never back to its start norm, which would hand back what the
// layer took.

#include "core/ComplexField2D.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vxo {

struct ZenoConfig {
    bool enabled = false;
    double firstMeasurementTime = 0.4;
    double measurementPeriod = 0.1; // at least 0.001
    double laneSplitY = 0.0;
    double survivalBoundaryX = 0.4;
    double edgeWidth = 0.32;
};

struct ZenoInitialStateConfig {
    double centerX = -5.5;
    double controlLaneY = 4.8;
    double watchedLaneY = -4.8;
    double sigma = 0.8;
    double momentumX = 1.5; // wave number along x
    double relativePhaseDegrees = 0.0;
};

struct ZenoMeasurementResult {
    bool applied = false;
    double watchedNormBefore = 0.0;
    double watchedNormAfterProjection = 0.0;
    double watchedNormAfterRescale = 0.0;
    double survivalFraction = 0.0; // after / before, in [0, 1]
};

struct ZenoLaneProfiles {
    double originX = 0.0;
    double dx = 0.0;
    std::vector<float> control; // x-profile per column, sum * dx = 1
    std::vector<float> watched;
};

struct ZenoLaneReading {
    double norm = 0.0;
    double survival = 0.0;
};

class QuantumZeno2D {
public:
    // firstMeasurementTime + n measurementPeriod; 0 for an invalid config.
    static double measurementTime(const ZenoConfig& config, std::uint64_t n);
    // sum |psi|^2 dx dy over the lane's rows (y below the split for the
    // watched lane, above it for the control lane).
    static double laneNorm(const ComplexField2D& field, const ZenoConfig& config, bool watched);
    // Share of the lane's probability that a measurement would keep,
    // sum |psi|^2 w^2 / sum |psi|^2, in [0, 1].
    static double laneSurvival(const ComplexField2D& field, const ZenoConfig& config, bool watched);
    // Both from one read of the lane: the norm (laneNorm's) and the survival
    // (laneSurvival's), 0 and 0 for an empty field or an invalid config.
    static ZenoLaneReading laneReading(const ComplexField2D& field, const ZenoConfig& config, bool watched);
    static double survivalWeight(double x, const ZenoConfig& config);

    // One measurement of the watched lane, rescaled to targetNorm. The
    // message is cleared first. A projection that removes the whole watched
    // lane returns false with survivalFraction 0 and leaves the lane zero.
    static bool applyMeasurement(ComplexField2D& field, const ZenoConfig& config, double targetNorm,
                                 ZenoMeasurementResult* result, std::string* error);

    // Two Gaussian packets of width sigma on the two lanes with wave number
    // momentumX, the watched one turned by the relative phase; normalised.
    // Never throws; reports only into an error text that is still empty.
    static bool prepareInitialState(ComplexField2D& field, const ZenoInitialStateConfig& config, std::string* error);

    static ZenoLaneProfiles laneProfiles(const ComplexField2D& field, const ZenoConfig& config);

    // The message is cleared first; one message on failure.
    static bool validateMeasurement(const ZenoConfig& config, std::string* error);
    static bool validateInitialState(const ZenoInitialStateConfig& config, std::string* error);

    // Applies, before the solver step that starts at t, every measurement due
    // by t + |dt| / 2 + 1e-9 (at most 1000), each rescaled to the watched norm
    // just before it. After each one survivalProduct is multiplied by its
    // survival fraction (clamped to [0, 1]) and measurementCounter rises. A
    // measurement that removes the whole watched lane counts, sets the product
    // to 0 and ends the measurements: nothing is measured while the product is
    // 0. Any other failure ends the loop. Returns the number of measurements
    // counted.
    static std::uint64_t applyDueMeasurements(ComplexField2D& field, const ZenoConfig& config,
                                              std::uint64_t& measurementCounter, double& survivalProduct, double t,
                                              double dt);
};

} // namespace vxo
