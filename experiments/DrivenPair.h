#pragma once

// The part the driven two-level references (Rabi, Ramsey) share for the pair
// (i, j) of a bound-state basis driven through the bias slope with angular
// frequency omega and amplitude A: the indices and energies, the transition
// frequency omega0 = |E_j - E_i| / hbar, omega, the detuning omega - omega0,
// the dipole element d = <phi_i|x|phi_j> and the Rabi frequency |A d| / hbar.

#include "experiments/BoundStateResult.h"
#include "experiments/QuantumDoubleWell2D.h"

#include <cmath>
#include <cstddef>

namespace vxo {

// The pair must be valid (QuantumDoubleWell2D::isValidPair) and hbar positive.
template <typename Reference>
void describeDrivenPair(Reference& reference, const BoundStateResult& result, int i, int j, double driveFrequency,
                        double amplitude, double hbar)
{
    reference.stateI = i;
    reference.stateJ = j;
    reference.energyI = result.states[static_cast<std::size_t>(i)].energy;
    reference.energyJ = result.states[static_cast<std::size_t>(j)].energy;
    reference.transitionFrequency = std::fabs(reference.energyJ - reference.energyI) / hbar;
    reference.driveFrequency = driveFrequency;
    reference.detuning = reference.driveFrequency - reference.transitionFrequency;
    reference.dipoleElement = QuantumDoubleWell2D::dipoleMatrixElement(result, i, j);
    reference.rabiFrequency = std::fabs(amplitude * reference.dipoleElement) / hbar;
}

} // namespace vxo
