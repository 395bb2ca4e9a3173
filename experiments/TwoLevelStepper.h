#pragma once

#include "experiments/ComplexMatrix2x2.h"

#include <cstdint>

namespace vxo {

// Exact steps exp(-i H(F) dt / hbar) of the two-level model
// H(F) = [[E_i, F d], [F d, E_j]] with the bias F held constant over each step:
// with c = F d, delta = (E_i - E_j)/2, R = sqrt(c^2 + delta^2) and theta = R dt / hbar,
//   U = e^{-i (E_i + E_j) dt / (2 hbar)} (cos(theta) I - i sin(theta)/R [[delta, c], [c, -delta]]),
// only the global phase when R <= 1e-15. A propagation takes many steps of one
// length, so the global phase, which depends on dt alone, is evaluated once,
// and the rotation of a step is evaluated once for every vector it advances.
//
// A bias that moves within a step is taken to fourth order (the Magnus
// expansion at the two Gauss points t + (1/2 -+ sqrt(3)/6) dt): the exponent
// is the mean of the two Hamiltonians plus their commutator,
//   -i dt/hbar [[delta, c_m - i b], [c_m + i b, -delta]],
//   c_m = d (F_early + F_late) / 2,  b = sqrt(3) dt delta d (F_early - F_late) / (6 hbar),
// so that a smooth bias needs steps short only against the turn of the state
// (R dt / hbar) and the bias's own change, not against a fixed time.
class TwoLevelStepper {
public:
    TwoLevelStepper(double energyI, double energyJ, double dipole, double dt, double hbar);

    // One step at bias F.
    ComplexVector2 step(const ComplexVector2& amplitudes, double bias) const;
    // The same step applied to both columns of a propagator.
    void step(ComplexVector2& first, ComplexVector2& second, double bias) const;
    // One fourth-order step with the bias at the two Gauss points, for both
    // columns of a propagator.
    void step(ComplexVector2& first, ComplexVector2& second, double earlyBias, double lateBias) const;
    ComplexVector2 step(const ComplexVector2& amplitudes, double earlyBias, double lateBias) const;

    // Steps taken by every stepper since the program started (the work of the
    // two-level references and scans, which the window computes on the GUI
    // thread).
    static std::uint64_t stepsTaken() { return stepsTaken_; }

    // The offsets of the two Gauss points from a step's start, in steps.
    static constexpr double kEarlyGaussPoint = 0.21132486540518711775; // 1/2 - sqrt(3)/6
    static constexpr double kLateGaussPoint = 0.78867513459481288225;  // 1/2 + sqrt(3)/6

private:
    struct Rotation {
        bool trivial; // R <= 1e-15: the global phase only
        double cosTheta;
        ComplexD diagonal; // -i sin(theta)/R delta
        ComplexD upper;    // -i sin(theta)/R (c - i b)
        ComplexD lower;    // -i sin(theta)/R (c + i b)
    };

    Rotation rotation(double coupling, double skew) const;
    Rotation rotationAt(double bias) const;
    Rotation rotationBetween(double earlyBias, double lateBias) const;
    ComplexVector2 apply(const Rotation& rotation, const ComplexVector2& amplitudes) const;

    static inline std::uint64_t stepsTaken_ = 0;

    double dipole_;
    double delta_;
    double dt_;
    double hbar_;
    ComplexD global_;
};

} // namespace vxo
