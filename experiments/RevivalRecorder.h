#pragma once

// Bounded series of the revival experiment: at every observation the
// recurrence fidelity |<psi(0)|psi(t)>|^2 of the current field against the
// stored initial field, and the field's x-marginal (one row of the quantum
// carpet).

#include "core/ComplexField2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct RevivalSample {
    double time = 0.0;
    double fidelity = 0.0;
    std::vector<float> xMarginal; // one entry per grid column
};

class RevivalRecorder {
public:
    // A capacity of 0 is raised to 1.
    explicit RevivalRecorder(std::uint64_t capacity);

    // Stores a copy of the field as psi(0) and drops the samples; an empty
    // field empties psi(0) and returns false.
    bool setInitialState(const ComplexField2D& field);
    // Empties psi(0) and drops the samples.
    void clear();
    // Appends {t, fidelity, x-marginal}; false (nothing stored) unless psi(0)
    // and the field are non-empty with the same nx and ny.
    bool record(double t, const ComplexField2D& field);

    std::uint64_t capacity() const { return capacity_; }
    const ComplexField2D& initialState() const { return initial_; }
    bool hasInitialState() const { return !initial_.empty(); }
    const std::vector<RevivalSample>& samples() const { return samples_; }

private:
    std::uint64_t capacity_;
    ComplexField2D initial_;
    std::vector<RevivalSample> samples_;
};

} // namespace vxo
