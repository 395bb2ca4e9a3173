#pragma once

// Conversion of a fractional grid position to a cell index. The position is
// clamped to [first, last] in floating point before it is rounded, so a
// detector far outside the grid lands on the outermost allowed cell and an
// infinite position never reaches the integer conversion; a NaN position has
// no nearest cell and takes the first.

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vxo {

// llround(clamp(t, first, last)); first for NaN. Requires first <= last.
inline std::uint64_t clampedRoundedIndex(double t, std::uint64_t first, std::uint64_t last)
{
    if (std::isnan(t))
        return first;
    const double clamped = std::clamp(t, static_cast<double>(first), static_cast<double>(last));
    return static_cast<std::uint64_t>(std::llround(clamped));
}

} // namespace vxo
