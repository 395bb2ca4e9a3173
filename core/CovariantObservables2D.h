#pragma once

#include "core/GaugeLinkField2D.h"
#include "core/ComplexField2D.h"
#include "core/FFT2DKernels.h"

#include <cstdint>

namespace vxo {

// One pass over psi, V and the links of the magnetic step that gives both
// gauge-covariant readings of a state: the sums of the energies of the
// lattice operator the step discretises (EnergyObservables2D::computeWithGauge)
// and the probability current (ProbabilityCurrent2D::computeWithGauge). Each
// interior cell's hops to its neighbours along each axis, U psi_next and
// conj(U_before) psi_previous, serve both: their sum is the operator's hop,
// their difference the covariant central difference. Either reading is this
// pass without the other, so the two from one pass are each one's alone, to
// the bit.
struct CovariantObservables2D {
    // With `energy`: sum |psi|^2 and sum V |psi|^2 over every cell (V null:
    // the second stays 0), and sum Re(conj psi (c_x (2 psi - hops along x)
    // + c_y (2 psi - hops along y))) over the interior, all without dA; with
    // jx and jy (nx ny values, zero on the border already): the current of
    // the interior, its largest |J|^2 and its integrals (with dA). For grids
    // and arguments already checked: psi, V and the links on one grid.
    struct Sums {
        double norm = 0.0;
        double potential = 0.0;
        double kinetic = 0.0;
        double maxSquared = 0.0;
        double integralJx = 0.0;
        double integralJy = 0.0;
    };
    static Sums pass(const ComplexField2D& psi, const float* V, const GaugeLinkField2D& links, double hbar, double mass,
                     bool energy, float* jx, float* jy);
    // The same on the instruction set `path` (fft2d::isAvailable) rather
    // than the best one; every path gives the same bits.
    static Sums pass(fft2d::KernelSet path, const ComplexField2D& psi, const float* V, const GaugeLinkField2D& links,
                     double hbar, double mass, bool energy, float* jx, float* jy);

    // Passes made since the program started: on the finest grid each reads
    // 24 MB, which a tick that shows both readings should read once.
    static std::uint64_t passesMade() { return passesMade_; }

private:
    static inline std::uint64_t passesMade_ = 0;
};

} // namespace vxo
