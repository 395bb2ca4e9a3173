#pragma once

// Where a region shape decides whether a grid cell belongs to it: the cell
// centre moved a small fixed fraction of the cell towards +x and +y. The
// painters select cells this way, and every analysis that works out for
// itself which cells lie inside a shape (or on one side of a face) decides
// at the same point, so its regions are the cells the painters painted.

#include "core/Numeric.h"

#include <cstdint>

namespace vxo {

// A face through a centre (exactly, or within the rounding of
// single-precision sizes and spacings, some 1e-5 of a cell on the largest
// grids) is then decided alike on both sides of a shape: a low face takes the
// cell, a high face leaves it, and a width of n cells selects n cells. The two
// fractions are in a ratio near the golden mean, so that no edge of a simple
// slope runs along the move and stays undecided.
constexpr double kFaceNudgeX = 2e-3;
constexpr double kFaceNudgeY = 1.236e-3;

// Decision abscissa of cell i on an axis of n cells of spacing dx.
inline double cellDecisionX(std::uint64_t i, std::uint64_t n, double dx)
{
    return cellCentre(i, n, dx) + kFaceNudgeX * dx;
}

// Decision ordinate of row j on an axis of n rows of spacing dy.
inline double cellDecisionY(std::uint64_t j, std::uint64_t n, double dy)
{
    return cellCentre(j, n, dy) + kFaceNudgeY * dy;
}

// The same for any grid with nx(), ny(), dx() and dy().
template <typename Grid>
double cellDecisionX(const Grid& grid, std::uint64_t i)
{
    return cellDecisionX(i, grid.nx(), static_cast<double>(grid.dx()));
}

template <typename Grid>
double cellDecisionY(const Grid& grid, std::uint64_t j)
{
    return cellDecisionY(j, grid.ny(), static_cast<double>(grid.dy()));
}

} // namespace vxo
