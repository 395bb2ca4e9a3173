#pragma once

// The row pass of EnergyObservables2D::compute over the cells whose x
// neighbours need no wrapping, on the portable path and on AVX2 vectors. Both
// add each cell's terms to the running sums in cell order with the scalar
// loop's operations, so they give the same bits.

#include "core/ComplexField2D.h"

#include <cstddef>
#include <cstdint>

namespace vxo::energy {

// One row of psi with the rows two and one below and above it (wrapped
// already) and the potential's row.
struct RowStencil {
    const Complex* centre = nullptr;
    const Complex* below2 = nullptr;
    const Complex* below1 = nullptr;
    const Complex* above1 = nullptr;
    const Complex* above2 = nullptr;
    const float* potential = nullptr;
};

// Grid steps, hbar^2 / 2m and the cell area.
struct RowConstants {
    double hx = 0.0;
    double hy = 0.0;
    double c = 0.0;
    double dA = 0.0;
};

struct RunningSums {
    double norm = 0.0;
    double kinetic = 0.0;
    double potential = 0.0;
};

// The cells first <= i < last, with 2 <= first and last <= nx - 2.
void accumulateRowPortable(const RowStencil& row, std::uint64_t first, std::uint64_t last, const RowConstants& k,
                           RunningSums& sums);
#if defined(__x86_64__)
void accumulateRowAvx2(const RowStencil& row, std::uint64_t first, std::uint64_t last, const RowConstants& k,
                       RunningSums& sums);
#endif

// One row of the transformed spinor components a and b of computeDirac:
// |a|^2, |b|^2 and Im(conj(a) b) of cell i added to sums[0], sums[1] and
// sums[2] at i mod 4, Re(conj(a) b) to alongX[i].
void accumulateDiracRowPortable(const Complex* a, const Complex* b, std::size_t count, double* alongX,
                                double (*sums)[4]);
#if defined(__x86_64__)
void accumulateDiracRowAvx2(const Complex* a, const Complex* b, std::size_t count, double* alongX, double (*sums)[4]);
#endif

} // namespace vxo::energy
