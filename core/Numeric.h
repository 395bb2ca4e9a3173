#pragma once

// Small argument predicates shared by the numerical classes, which read as the
// checks they stand for, so that each class states its preconditions plainly;
// and the cell-centre rule of the grids, which are centred on the origin.

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vxo {

inline bool isFinite(double v) { return std::isfinite(v); }
inline bool isFinitePositive(double v) { return std::isfinite(v) && v > 0.0; }
inline bool isFiniteNonNegative(double v) { return std::isfinite(v) && v >= 0.0; }

// A power of two, zero excluded.
inline bool isPowerOfTwo(std::uint64_t n) { return n != 0 && (n & (n - 1)) == 0; }

// Half-cell centring offset (n - 1) / 2 in floating point, 0 for an empty axis.
inline double centreOffset(std::uint64_t n) { return n == 0 ? 0.0 : static_cast<double>(n - 1) / 2.0; }

// Centre of cell i on an axis of n cells of the given spacing, centred on the
// origin: (i - (n - 1) / 2) spacing; 0 for an empty axis.
inline double cellCentre(std::uint64_t i, std::uint64_t n, double spacing)
{
    return n == 0 ? 0.0 : (static_cast<double>(i) - centreOffset(n)) * spacing;
}

// Index nearest to a fractional cell position t, with t clamped to
// [first, last] in floating point before rounding (halves away from zero), so
// an infinite or far-off position lands on the outermost allowed cell and never
// reaches the integer conversion. A NaN position has no nearest cell and gives
// first. Requires first <= last.
inline std::uint64_t clampedRoundedIndex(double t, std::uint64_t first, std::uint64_t last)
{
    // A NaN would pass the clamp unchanged and reach llround, whose result is
    // then unspecified.
    if (std::isnan(t))
        return first;
    const double clamped = std::clamp(t, static_cast<double>(first), static_cast<double>(last));
    return static_cast<std::uint64_t>(std::llround(clamped));
}

// The cell of that axis whose centre is nearest to a coordinate: the inverse
// of cellCentre, clamped to [first, last], halves rounded away from zero. A
// coordinate that has no nearest cell (NaN) gives first.
inline std::uint64_t nearestCellIndex(double coordinate, std::uint64_t n, double spacing, std::uint64_t first,
                                      std::uint64_t last)
{
    return clampedRoundedIndex(coordinate / spacing + centreOffset(n), first, last);
}

constexpr double kPi = 3.141592653589793;

} // namespace vxo
