#pragma once

#include "core/ComplexField2D.h"
#include "core/DiracSpinor2D.h"
#include "core/GaugeLinkField2D.h"
#include "core/PotentialField2D.h"

#include <complex>
#include <cstdint>

namespace vxo {

struct MomentumSpace2D;
struct ProbabilityCurrent2D;

// The Hamiltonian that a step evolves the state with, as its energies need
// it: the Schroedinger field in its potential, with the gauge links while the
// magnetic step runs, or a Dirac spinor, in its potential unless the free
// Dirac step runs. The pointers are borrowed for one evaluation.
struct SteppedHamiltonian {
    double hbar = 1.0;
    double mass = 1.0;
    const GaugeLinkField2D* links = nullptr;
    const DiracSpinor2D* spinor = nullptr;
    double lightSpeed = 1.0;
    double restMass = 0.0;
    bool diracPotential = true;
};

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

    // The energies of the Hamiltonian being stepped: the Dirac energies of
    // the spinor when one is given, else the gauge-covariant energies when
    // links are given, else the spectral energies that the plain Fourier
    // step conserves (compute() on a grid the FFT does not take). psi is the
    // Schroedinger state, not read when a spinor is given (it then only
    // mirrors the spinor's density).
    static EnergyObservables2D ofStep(const ComplexField2D& psi, const PotentialField2D& V,
                                      const SteppedHamiltonian& hamiltonian);
    // ofStep(), and psi in momentum space (MomentumSpace2D::computeInto) into
    // `momentum`: where the energies are the spectral ones, both from one
    // transform of psi, else each from its own.
    static EnergyObservables2D ofStepWithMomentum(const ComplexField2D& psi, const PotentialField2D& V,
                                                  const SteppedHamiltonian& hamiltonian, MomentumSpace2D& momentum);

    // <T> of the covariant lattice operator that the magnetic line-implicit
    // step discretises (nearest-neighbour hops carrying the links, psi held
    // at 0 beyond the edge cells):
    //   <T> = sum Re(conj psi_ij [c_x (2 psi_ij - U_x psi_i+1,j - conj U_x(i-1) psi_i-1,j)
    //                             + c_y (2 psi_ij - U_y psi_i,j+1 - conj U_y(j-1) psi_i,j-1)]) dA / norm,
    // c = hbar^2 / (2 m d^2), over interior cells. It is gauge invariant: a
    // transformation psi -> e^{i chi} psi with U_x(i) -> e^{i chi_i} U_x(i) e^{-i chi_i+1}
    // leaves it unchanged, while the plain gradient of compute() does not.
    // Throws as compute() does, and when the links do not match psi.
    static EnergyObservables2D computeWithGauge(const ComplexField2D& psi, const PotentialField2D& V,
                                                const GaugeLinkField2D& links, double hbar, double mass);
    // The same, and the covariant current (ProbabilityCurrent2D::computeWithGauge
    // with this hbar and mass) written into `current` from the same pass over
    // the grid; `current` is left as it was when the checks throw.
    static EnergyObservables2D computeWithGauge(const ComplexField2D& psi, const PotentialField2D& V,
                                                const GaugeLinkField2D& links, double hbar, double mass,
                                                ProbabilityCurrent2D& current);
    // The sum of that operator without the division by the norm; 0 unless
    // the links match psi, hbar and mass are positive and both sides have at
    // least three cells.
    static double gaugeKineticIntegral(const ComplexField2D& psi, const GaugeLinkField2D& links, double hbar,
                                       double mass);

    // Energies of the Dirac Hamiltonian c (p_x sigma_x + p_y sigma_y) + m c^2 sigma_z + V
    // that the split step propagates exactly: "kinetic" is the free part
    // (rest energy included), evaluated per wave vector on the FFT grid;
    // "potential" is <V>, 0 without a potential (the free step). Throws
    // std::invalid_argument for an empty spinor or one whose grid is not a
    // power of two, a potential off the spinor's grid, hbar or c not finite
    // and positive, or a negative rest mass.
    static EnergyObservables2D computeDirac(const DiracSpinor2D& spinor, const PotentialField2D* V, double hbar,
                                            double lightSpeed, double restMass);

    // d psi / dx and d psi / dy at cell (i, j):
    //   (psi[-2] - 8 psi[-1] + 8 psi[+1] - psi[+2]) / (12 h),
    // indices wrapped periodically. 0 for an empty field.
    static std::complex<double> gradientX(const ComplexField2D& psi, std::uint64_t i, std::uint64_t j);
    static std::complex<double> gradientY(const ComplexField2D& psi, std::uint64_t i, std::uint64_t j);
};

} // namespace vxo
