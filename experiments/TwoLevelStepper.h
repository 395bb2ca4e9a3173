#pragma once

#include "experiments/ComplexMatrix2x2.h"

namespace vxo {

// Exact steps exp(-i H(F) dt / hbar) of the two-level model
// H(F) = [[E_i, F d], [F d, E_j]] with the bias F held constant over each step:
// with c = F d, delta = (E_i - E_j)/2, R = sqrt(c^2 + delta^2) and theta = R dt / hbar,
//   U = e^{-i (E_i + E_j) dt / (2 hbar)} (cos(theta) I - i sin(theta)/R [[delta, c], [c, -delta]]),
// only the global phase when R <= 1e-15. A propagation takes many steps of one
// length, so the global phase, which depends on dt alone, is evaluated once,
// and the rotation of a step is evaluated once for every vector it advances.
class TwoLevelStepper {
public:
    TwoLevelStepper(double energyI, double energyJ, double dipole, double dt, double hbar);

    // One step at bias F.
    ComplexVector2 step(const ComplexVector2& amplitudes, double bias) const;
    // The same step applied to both columns of a propagator.
    void step(ComplexVector2& first, ComplexVector2& second, double bias) const;

private:
    struct Rotation {
        bool trivial;    // R <= 1e-15: the global phase only
        double coupling; // c = F d
        double cosTheta;
        ComplexD mix; // -i sin(theta) / R
    };

    Rotation rotationAt(double bias) const;
    ComplexVector2 apply(const Rotation& rotation, const ComplexVector2& amplitudes) const;

    double dipole_;
    double delta_;
    double dt_;
    double hbar_;
    ComplexD global_;
};

} // namespace vxo
