#pragma once

#include "core/ComplexField2D.h"
#include "core/DiracSpinor2D.h"
#include "core/GridKey2D.h"
#include "core/PotentialField2D.h"
#include "core/PotentialPhaseTable.h"

#include <cstdint>
#include <vector>

namespace vxo {

// Settings of the Dirac solver (single precision like the grids).
struct DiracParameters {
    float hbar = 0.0f;
    float dt = 0.0f;
    float c = 0.0f;
    float restMass = 0.0f;
};

// Symmetric split step for the two-dimensional Dirac equation
//   i hbar d/dt (u, l) = [c (p_x sigma_x + p_y sigma_y) + m c^2 sigma_z + V] (u, l)
// on a periodic power-of-two grid: half a potential phase exp(-i V dt / (2 hbar))
// on both components, the exact free propagator in wave-number space, half a
// potential phase again. With E = sqrt(c^2 p^2 + (m c^2)^2) and theta = E dt / hbar
// the free propagator of each wave vector is the 2 x 2 unitary
//   U = cos(theta) I - i (sin(theta) / E) H0(p),
//   H0(p) = [[m c^2, c (p_x - i p_y)], [c (p_x + i p_y), -m c^2]],
// so the kinetic part has no time-step error; only the splitting with V does.
//
// The propagator table (keyed to the grid) and the potential phase table
// (keyed to the potential's identity, revision and grid) are cached, so a
// step evaluates no transcendental function while nothing changes. The solver
// keeps no clock of its own.
class DiracSplitStepSolver2D {
public:
    // Validates, stores the parameters and drops both tables. A refused
    // configuration leaves the solver as it was.
    void configure(const DiracParameters& parameters);
    const DiracParameters& parameters() const { return parameters_; }

    // One step with the potential V; V must be on the spinor's grid.
    void step(DiracSpinor2D& spinor, const PotentialField2D& potential);
    // One step of the free Dirac equation (no potential).
    void stepFree(DiracSpinor2D& spinor);

    // hbar, dt and c finite and > 0, restMass finite and >= 0.
    static void validateParameters(const DiracParameters& parameters);

    // The propagator table was built for this (non-empty) spinor's grid.
    bool matchesGrid(const DiracSpinor2D& spinor) const;
    void buildPropagator(const DiracSpinor2D& spinor);

    // (u, l) <- U (u, l) per wave vector; the spinor must be in wave-number
    // space and on the grid of the propagator table.
    void applyKinetic(DiracSpinor2D& spinor) const;
    // Both components times the cached potential phase of each cell.
    void applyPotentialHalfStep(DiracSpinor2D& spinor) const;

private:
    // Both components to wave-number space, U, and back.
    void propagateFree(DiracSpinor2D& spinor) const;

    DiracParameters parameters_;

    GridKey2D grid_;
    // Four entries per cell, U00, U01, U10, U11, cells in FFT order.
    std::vector<Complex> propagator_;

    PotentialPhaseTable potentialPhase_;
};

} // namespace vxo
