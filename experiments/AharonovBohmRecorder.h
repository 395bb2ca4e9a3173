#pragma once

// Bounded series of the Aharonov-Bohm experiment: the density profile
// p_j = |psi(i_D, j)|^2 along the detector column i_D nearest detectorX, its
// integral sum p_j dy, its mean row coordinate, and the central fringe
// intensity, the integral over the band |y| <= 0.35 about the grid's centre
// line, each row weighted by the part of its cell inside the band, so that
// every grid sums over the same strip.

#include "core/ComplexField2D.h"
#include "experiments/QuantumAharonovBohm2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct AharonovBohmSample {
    double time = 0.0;
    double norm = 0.0;
    double detectorProbability = 0.0;
    double centralProbability = 0.0;
    double detectorMeanY = 0.0;
    std::vector<float> profile; // one entry per row
};

class AharonovBohmRecorder {
public:
    // A capacity of 0 keeps no samples.
    explicit AharonovBohmRecorder(std::uint64_t capacity);

    // Not configured, default config, no rows, row spacing 1, samples dropped.
    void reset();
    // Resets; then, for a non-empty field and a valid config, stores the
    // config and the field's row count and spacing.
    bool configure(const ComplexField2D& field, const AharonovBohmConfig& config);
    // Appends one sample; nothing unless configured and the field has the
    // configured row count.
    void record(double t, const ComplexField2D& field);

    // Detector column llround(detectorX / dx + (nx - 1) / 2), clamped to
    // [0, nx - 1] before rounding; 0 for an empty field.
    static std::uint64_t detectorColumn(const ComplexField2D& field, double detectorX);

    bool isConfigured() const { return configured_; }
    const AharonovBohmConfig& config() const { return config_; }
    std::uint64_t rows() const { return rows_; }
    double rowSpacing() const { return rowSpacing_; }
    std::uint64_t capacity() const { return capacity_; }
    const std::vector<AharonovBohmSample>& samples() const { return samples_; }

private:
    bool configured_ = false;
    AharonovBohmConfig config_;
    std::uint64_t rows_ = 0;
    double rowSpacing_ = 1.0;
    std::uint64_t capacity_;
    std::vector<AharonovBohmSample> samples_;
};

} // namespace vxo
