#pragma once

#include "core/ComplexField2D.h"
#include "core/KeptSpectrum.h"
#include "core/PotentialField2D.h"

namespace vxo {

// The energy that the split-step Fourier solver conserves: the kinetic energy
// of every plane wave of the grid, weighted by its probability in the
// spectrum, plus <V>:
//   <T> = sum_k |psi(k)|^2 hbar^2 |k|^2 / 2m / sum_k |psi(k)|^2,
//   <V> = sum V |psi|^2 / sum |psi|^2.
// Unlike a finite-difference gradient it does not under-read the high wave
// numbers that an aliased step feeds. Energies are 0 for a zero field.
// Throws std::invalid_argument when the grids do not match, or are not
// powers of two, or hbar or the mass is not finite and positive.
struct SpectralEnergy2D {
    double norm = 0.0; // sum |psi|^2 dA
    double kinetic = 0.0;
    double potential = 0.0;
    double total = 0.0;

    static SpectralEnergy2D compute(const ComplexField2D& psi, const PotentialField2D& V, double hbar, double mass);
    // The same from psi's transform and sums, as KeptSpectrum::transform
    // gives them with V: a transform taken for another reading of the same
    // state serves this one too. Throws as compute() does.
    static SpectralEnergy2D fromSpectrum(const ComplexField2D& psi, const PotentialField2D& V, const KeptSpectrum& sums,
                                         const Complex* spectrum, double hbar, double mass);

private:
    static void validate(const ComplexField2D& psi, const PotentialField2D& V, double hbar, double mass);
};

} // namespace vxo
