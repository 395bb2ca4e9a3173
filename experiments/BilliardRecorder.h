#pragma once

// Bounded series of the billiard experiment, plus the running time average
// of the density over every recorded step since psi(0) was stored:
//   mean_n = mean_{n-1} + (|psi|^2 - mean_{n-1}) / n   per cell.

#include "core/ComplexField2D.h"
#include "experiments/QuantumBilliard2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct BilliardSample {
    double time = 0.0;
    double effectiveArea = 0.0;
    double occupiedFraction = 0.0;
    double shellProbability = 0.0;
    double fidelity = 0.0;
};

class BilliardRecorder {
public:
    // A capacity of 0 is raised to 1.
    explicit BilliardRecorder(std::uint64_t capacity);

    // Starts a new series from this field as psi(0) with a zero mean density.
    // False (recorder cleared, psi(0) empty) for an empty field or an invalid
    // record.
    bool setInitialState(const ComplexField2D& field, const BilliardConfig& config);
    // Empties psi(0), the samples and the mean density.
    void clear();
    // Appends one sample computed against psi(0) and updates the mean density;
    // false (nothing changes) when psi(0) is empty, the field lies on another
    // grid or the record is invalid.
    bool record(double t, const ComplexField2D& field, const BilliardConfig& config);

    std::uint64_t capacity() const { return capacity_; }
    const ComplexField2D& initialState() const { return initial_; }
    const std::vector<BilliardSample>& samples() const { return samples_; }
    // One value per cell of psi(0)'s grid, row by row; empty without psi(0).
    const std::vector<float>& meanDensity() const { return meanDensity_; }
    std::uint64_t recordedSteps() const { return recordedSteps_; }

private:
    std::uint64_t capacity_;
    ComplexField2D initial_;
    std::vector<BilliardSample> samples_;
    std::vector<float> meanDensity_;
    std::uint64_t recordedSteps_ = 0;
};

} // namespace vxo
