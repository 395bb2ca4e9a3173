#pragma once

// Small argument predicates shared by the numerical classes. They read as the
// checks they stand for, so that each class states its preconditions plainly.

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

constexpr double kPi = 3.141592653589793;

} // namespace vxo
