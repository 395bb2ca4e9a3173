#pragma once

#include "core/ComplexField2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

// A one-dimensional cut through a complex field along one grid line.
// axis 0: the line is a row (fixed y) and runs along x; any other value: the
// line is a column (fixed x) and runs along y. In momentum space read p_x and
// p_y for x and y. The five sample vectors always have the same length.
struct CrossSectionProfile {
    std::uint32_t axis = 0;
    double requestedCoordinate = 0.0;
    double snappedCoordinate = 0.0; // 0 while the profile is empty
    std::vector<double> coordinate;
    std::vector<double> density;   // |psi|^2
    std::vector<double> real;      // Re psi
    std::vector<double> imaginary; // Im psi
    std::vector<double> phase;     // atan2(Im psi, Re psi)

    void append(Complex value, double coordinate);
    void reserve(std::size_t count);
};

// Index of the grid line nearest to a physical coordinate on an axis of count
// cells centred on the origin: the inverse of x_i = (i - (count - 1)/2) spacing,
// clamped to [0, count - 1], halves rounded away from zero. 0 for an empty axis,
// a spacing that is not > 0, or a continuous index that is NaN (an infinite
// coordinate clamps to the first or last line).
std::int64_t crossSectionIndex(double coordinate, std::uint64_t count, double spacing);

// Position-space cut through the grid line nearest to coordinate. An empty
// field or a coordinate that is not finite gives an empty profile.
CrossSectionProfile extractCrossSection(const ComplexField2D& psi, std::uint32_t axis, double coordinate);

} // namespace vxo
