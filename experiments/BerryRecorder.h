#pragma once

// Follows the state around the Berry loop: the return fidelity
// |<psi(0)|psi(t)>|^2, the step fidelity |<psi(t - dt)|psi(t)>|^2, the
// transported phase (product of the unit step overlaps) and the geometric
// phase arg <psi(0)|psi(t)> - arg P in [-pi, pi). The series is thinned to
// one sample per duration / (capacity - 1); the sample at loop completion is
// always kept, and it is the last: the holonomy belongs to the closed loop,
// while after it arg <psi(0)|psi> and the transported phase part by the
// dynamical phases of whatever the finite speed of the loop excited.

#include "core/ComplexField2D.h"
#include "experiments/QuantumBerryPhase2D.h"

#include <complex>
#include <cstdint>
#include <vector>

namespace vxo {

struct BerrySample {
    double time = 0.0;
    double progress = 0.0;
    double loopAngle = 0.0;
    double axisAngle = 0.0;
    double q1 = 0.0;
    double q2 = 0.0;
    double returnFidelity = 0.0;
    double stepFidelity = 0.0;
    double geometricPhase = 0.0;  // radians in [-pi, pi)
    std::uint64_t phaseValid = 0; // 1 when the phase was computed
};

class BerryRecorder {
public:
    // A capacity of 0 is raised to 1.
    explicit BerryRecorder(std::uint64_t capacity);

    void reset();
    // Resets; refuses an empty field and, for an enabled config, an invalid
    // trap or loop. The field becomes psi(0) and the previous state.
    bool configure(const ComplexField2D& field, const BerryTrap& trap, const BerryConfig& config);
    // False (nothing changes) when not configured, the loop state is invalid,
    // the field is on another grid than psi(0), t is not finite or the loop
    // has closed.
    bool record(double t, const BerryLoopState& loopState, const ComplexField2D& field);

    bool isConfigured() const { return configured_; }
    bool isEmpty() const { return samples_.empty(); }
    // The sample at loop completion is stored: the reading is complete.
    bool loopClosed() const { return !samples_.empty() && samples_.back().progress >= 1.0; }
    std::uint64_t capacity() const { return capacity_; }
    const ComplexField2D& initialField() const { return initialField_; }
    const BerryTrap& trap() const { return trap_; }
    const BerryConfig& config() const { return config_; }
    std::complex<double> transportedPhase() const { return transported_; }
    const std::vector<BerrySample>& samples() const { return samples_; }

private:
    std::uint64_t capacity_;
    bool configured_ = false;
    ComplexField2D initialField_;
    ComplexField2D previousField_;
    double initialNorm_ = 0.0;  // norm of initialField_
    double previousNorm_ = 0.0; // norm of previousField_
    BerryTrap trap_;
    BerryConfig config_;
    std::complex<double> transported_{1.0, 0.0};
    bool hasPrevious_ = false;
    std::vector<BerrySample> samples_;
};

} // namespace vxo
