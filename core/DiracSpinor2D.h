#pragma once

#include "core/ComplexField2D.h"

#include <cstdint>

namespace vxo {

// A two-component Dirac spinor (upper, lower) on one grid. Its probability
// density is |upper|^2 + |lower|^2 and its norm the sum of the two
// components' discrete integrals. The grid is read from the upper component;
// the operations here treat a spinor whose components disagree in size as
// having no density.
struct DiracSpinor2D {
    ComplexField2D upper;
    ComplexField2D lower;

    // Both components reset to zeros on the new grid (throws as
    // ComplexField2D::reset does, before anything changes).
    void resize(std::uint64_t nx, std::uint64_t ny, float dx, float dy);

    bool isEmpty() const { return upper.empty() || lower.empty(); }

    // norm(upper) + norm(lower); 0 when either component is empty.
    double norm() const;
    // Share of the norm in each component; 0 for an empty or zero spinor.
    double upperWeight() const;
    double lowerWeight() const;

    // Scales both components to a total norm of 1; false (unchanged) when
    // the norm is 0, NaN or infinite.
    bool normalize();

    // Writes sqrt(|upper|^2 + |lower|^2) with zero phase into target, so that
    // the target's |psi|^2 is the spinor density. The target is reset to the
    // spinor's grid when it is empty or on another grid; an empty spinor
    // zeroes the target and keeps its grid.
    void density(ComplexField2D& target) const;
};

} // namespace vxo
