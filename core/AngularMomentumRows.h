#pragma once

// The row pass of the angular momentum about a centre: for the cells
// 1 <= i <= nx - 2 of one row, with central differences in x and y and the
// lever arms folded in (x' = (x - cx) / (2 dy) per column, y' = (y - cy) / (2 dx)
// for the row),
//   D = x' (above - below) - y' (right - left),
//   moment = sum Im(conj(psi) D) = sum (re Im D - im Re D),   weight = sum |psi|^2,
// components widened to double. Cell i goes to partial (i - 1) mod 4 of each
// sum, closed as (p0 + p1) + (p2 + p3), so every path gives the same bits.

#include "core/ComplexField2D.h"

#include <array>
#include <cstddef>

namespace vxo::angular {

struct RowStencil {
    const Complex* row = nullptr;
    const Complex* below = nullptr;
    const Complex* above = nullptr;
    const double* xArm = nullptr; // x' of every column of the row
    double yArm = 0.0;            // y' of the row
};

// partial[0] for the moment, partial[1] for the weight.
using Partials = double[2][4];

// {moment, weight} of a row of nx >= 3 cells, on the processor's fastest path.
std::array<double, 2> rowSums(const RowStencil& row, std::size_t nx);

// The terms m = 1 + first .. nx - 2 added one at a time, and the sums closed.
std::array<double, 2> sumCells(const RowStencil& row, std::size_t first, std::size_t nx, Partials& partial);
std::array<double, 2> rowSumsPortable(const RowStencil& row, std::size_t nx);
#if defined(__x86_64__)
std::array<double, 2> rowSumsAvx2(const RowStencil& row, std::size_t nx);
#endif

} // namespace vxo::angular
