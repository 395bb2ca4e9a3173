#pragma once

#include "core/ComplexField2D.h"
#include "core/PotentialField2D.h"

#include <complex>
#include <cstdint>

namespace vxo {

// Norm and energy expectation values of a wave function in a potential:
//   norm = sum |psi|^2 dA,
//   <T>  = (hbar^2 / 2m) sum |grad psi|^2 dA / norm,
//   <V>  = sum V |psi|^2 dA / norm,   <H> = <T> + <V>,
// with a fourth-order central difference for grad psi on the periodic grid,
// the boundary condition of the Fourier solver. The energies are 0 when the
// norm is 0 or not finite.
struct EnergyObservables2D {
    double norm = 0.0;
    double kinetic = 0.0;
    double potential = 0.0;
    double total = 0.0;

    static EnergyObservables2D compute(const ComplexField2D& psi, const PotentialField2D& V, double hbar, double mass);

    // d psi / dx and d psi / dy at cell (i, j):
    //   (psi[-2] - 8 psi[-1] + 8 psi[+1] - psi[+2]) / (12 h),
    // indices wrapped periodically. 0 for an empty field.
    static std::complex<double> gradientX(const ComplexField2D& psi, std::uint64_t i, std::uint64_t j);
    static std::complex<double> gradientY(const ComplexField2D& psi, std::uint64_t i, std::uint64_t j);
};

} // namespace vxo
