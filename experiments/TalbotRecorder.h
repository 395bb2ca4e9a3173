#pragma once

// Bounded series of the Talbot experiment: at every observation the field's
// x-marginal (one row of the Talbot carpet) and its normalised correlation
//   c = sum r q / sqrt(sum r^2 sum q^2)   (negative entries taken as 0)
// with the initial row q and with the initial row shifted by half a period.

#include "core/ComplexField2D.h"
#include "core/GridKey2D.h"
#include "experiments/QuantumTalbot2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct TalbotSample {
    double time = 0.0;
    double correlationOriginal = 0.0;
    double correlationShifted = 0.0;
    std::vector<float> xMarginal;
};

class TalbotRecorder {
public:
    // A capacity of 0 is raised to 1.
    explicit TalbotRecorder(std::uint64_t capacity);

    // Grid zero, default state, rows and samples emptied.
    void reset();
    // Takes the field's x-marginal as the reference row and its half-period
    // shift; false (recorder reset) for an empty field, an invalid state or a
    // period that is not a whole number of half-period cells.
    bool configure(const ComplexField2D& field, const TalbotInitialState& state);
    // False unless configured, the field lies on the reference grid and t is finite.
    bool record(double t, const ComplexField2D& field);

    bool isConfigured() const { return !referenceRow_.empty(); }
    std::uint64_t capacity() const { return capacity_; }
    std::uint64_t nx() const { return grid_.nx; }
    std::uint64_t ny() const { return grid_.ny; }
    float dx() const { return grid_.dx; }
    float dy() const { return grid_.dy; }
    const TalbotInitialState& state() const { return state_; }
    const std::vector<float>& referenceRow() const { return referenceRow_; }
    const std::vector<float>& shiftedRow() const { return shiftedRow_; }
    const std::vector<TalbotSample>& samples() const { return samples_; }

private:
    double correlation(const std::vector<float>& row, const std::vector<float>& reference) const;

    std::uint64_t capacity_;
    GridKey2D grid_;
    TalbotInitialState state_;
    std::vector<float> referenceRow_;
    std::vector<float> shiftedRow_;
    std::vector<TalbotSample> samples_;
};

} // namespace vxo
