#pragma once

// The two-level model of a biased double well. In the basis {phi_i, phi_j} of two
// bound states of the unbiased well, a bias F (slope of a linear potential F x)
// couples the states through the dipole element d = <phi_i|x|phi_j>:
//
//   H(F) = [[E_i, F d], [F d, E_j]]
//
// (the diagonal terms of x vanish by parity).

#include "experiments/ComplexMatrix2x2.h"

namespace vxo {

// Eigenvalues of H(F): (E_i + E_j)/2 -+ sqrt(((E_i - E_j)/2)^2 + (F d)^2).
void twoLevelEnergies(double energyI, double energyJ, double dipole, double bias, double& lower, double& upper);

// Lower eigenvector (u, v) of H(F): (W, E_lower - E_i) normalised with W = F d;
// for |W| <= 1e-14 the unperturbed lower state, (1, 0), or (0, 1) when E_i > E_j.
void twoLevelAdiabaticBasis(double energyI, double energyJ, double dipole, double bias, double& u, double& v);

// One exact step exp(-i H(F) dt / hbar) with F held constant (TwoLevelStepper).
ComplexVector2 propagateTwoLevel(const ComplexVector2& amplitudes, double energyI, double energyJ, double dipole,
                                 double bias, double dt, double hbar);

// Number of piecewise-constant steps over a duration: ceil(duration / maxStep),
// at least minSteps. A stored duration can be any finite number, so the count is
// also capped at kMaxTwoLevelSteps: an absurd duration then gets coarser steps
// instead of stalling the program (or overflowing the integer count).
constexpr long kMaxTwoLevelSteps = 1000000;
long twoLevelStepCount(double duration, double maxStep, double minSteps);

// Number of fourth-order steps (TwoLevelStepper's Gauss-point steps) over a
// stretch in which the state turns at most at `fastestRate` radians per time
// unit (R / hbar at the widest splitting met, or the bias's own angular
// frequency where that is faster): each step turns it by at most
// kTwoLevelTurnPerStep, at least minSteps and at most maxSteps. The count
// follows the turn, not the length: a slow ramp takes no more steps per
// radian than a fast one. maxSteps bounds the work where the turn would ask
// for more (biases far beyond the pair's own scale).
constexpr double kTwoLevelTurnPerStep = 0.05;
long twoLevelFourthOrderStepCount(double duration, double fastestRate, double minSteps, long maxSteps);

} // namespace vxo
