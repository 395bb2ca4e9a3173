#pragma once

#include "core/Numeric.h"

#include <cstdint>

namespace vxo {

// Value k of n >= 2 evenly spaced values from lo to hi, the abscissae of the
// parameter scans: lo + (hi - lo) k / (n - 1).
inline double evenlySpacedValue(double lo, double hi, int k, int n)
{
    return lo + (hi - lo) * static_cast<double>(k) / static_cast<double>(n - 1);
}

// The Dirac and backflow experiments, whose axes are powers of two, measure
// from the cell n / 2 just past the middle (where the centred FFT order puts
// the zero wave number) instead of from the grid centre (n - 1) / 2.
inline double originCellIndex(std::uint64_t n) { return static_cast<double>(n) / 2.0; }

// (i - n / 2) d.
inline double originCellCoordinate(std::uint64_t i, std::uint64_t n, double d)
{
    return (static_cast<double>(i) - originCellIndex(n)) * d;
}

} // namespace vxo
