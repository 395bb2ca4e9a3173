#pragma once

// The row pass of CovariantObservables2D over the interior cells of one
// interior row, on the portable path and on AVX2 vectors. Both take each
// cell's terms with the scalar definitions' operations and add them to the
// running sums in cell order, so they give the same bits.

#include "core/ComplexField2D.h"

#include <cstdint>

namespace vxo::covariant {

// Row j of psi with rows j - 1 and j + 1, the links of its hops (U_x of
// the row, U_y up from the row and up into it from row j - 1), V of the
// row, and where the row's current goes. energy false: no norm, potential
// or kinetic terms; potential null: the potential terms are 0; jx and jy
// null: no current.
struct RowStencil {
    const Complex* centre = nullptr;
    const Complex* below = nullptr;
    const Complex* above = nullptr;
    const Complex* linksX = nullptr;
    const Complex* linksUp = nullptr;
    const Complex* linksDown = nullptr;
    const float* potential = nullptr;
    bool energy = false;
    float* jx = nullptr;
    float* jy = nullptr;
};

// hbar^2 / (2 m dx^2) and hbar^2 / (2 m dy^2) of the kinetic operator;
// 1 / (2 dx), 1 / (2 dy), hbar / m and dx dy of the current.
struct RowConstants {
    double cx = 0.0;
    double cy = 0.0;
    double a = 0.0;
    double b = 0.0;
    double k = 0.0;
    double dA = 0.0;
};

// sum |psi|^2 and sum V |psi|^2 (per cell, without dA), the row's kinetic
// sum, and the current's largest |J|^2 and its integrals.
struct RunningSums {
    double norm = 0.0;
    double potential = 0.0;
    double rowKinetic = 0.0;
    double maxSquared = 0.0;
    double integralJx = 0.0;
    double integralJy = 0.0;
};

// The cells first <= i < last, with 1 <= first and last <= nx - 1.
void accumulateRowPortable(const RowStencil& row, std::uint64_t first, std::uint64_t last, const RowConstants& k,
                           RunningSums& sums);
#if defined(__x86_64__)
void accumulateRowAvx2(const RowStencil& row, std::uint64_t first, std::uint64_t last, const RowConstants& k,
                       RunningSums& sums);
#endif

} // namespace vxo::covariant
