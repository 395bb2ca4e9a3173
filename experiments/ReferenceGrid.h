#pragma once

// The recorders that compare every field with a reference state (revival and
// billiard fidelities, Talbot correlations) accept a field whose cell counts
// equal those of the reference grid and whose spacings differ from it by at
// most 1e-9, compared in single precision. An undefined difference (of two
// infinite spacings) does not count as a mismatch.

#include "core/GridKey2D.h"

#include <cmath>

namespace vxo {

constexpr float kReferenceSpacingTolerance = 1e-9f;

// Grid is any field with nx(), ny(), dx() and dy().
template <typename Grid>
bool onReferenceGrid(const GridKey2D& reference, const Grid& grid)
{
    return grid.nx() == reference.nx && grid.ny() == reference.ny &&
           !(std::fabs(grid.dx() - reference.dx) > kReferenceSpacingTolerance) &&
           !(std::fabs(grid.dy() - reference.dy) > kReferenceSpacingTolerance);
}

} // namespace vxo
