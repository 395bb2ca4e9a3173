#pragma once

#include "core/AlignedAllocator.h"
#include "core/ComplexField2D.h"
#include "core/GaugeLineSweeps.h"

#include <cstdint>

namespace vxo {

class GaugeLinkField2D;

// The factorised line systems of one direction of the magnetic step (the
// Thomas pivots of every line, see GaugeLineSweeps.h), kept together with the
// key they were computed for: the links' stamp, the coefficient
// a = hbar tau / (4 m d^2) and the lines of the grid. A sweep recomputes them
// only when the key no longer matches, so no division runs per sweep while the
// links, dt and the grid stay the same. Also holds the sweeps' scratch space.
class GaugeSweepPivots {
public:
    // One Crank-Nicolson sweep of every row (alongX) or column of psi; the
    // links must lie on psi's grid and psi must have at least three cells
    // along the sweep (the caller checks both).
    void sweep(ComplexField2D& psi, const GaugeLinkField2D& links, bool alongX, double a);
    // Drops the pivots and the scratch space.
    void clear();

private:
    bool matches(std::uint64_t stamp, double a, const gaugesweep::Lines& lines) const;

    std::uint64_t stamp_ = 0;
    double a_ = 0.0;
    gaugesweep::Lines lines_{0, 0, 0, 0};
    AlignedVector<double> pivots_;
    AlignedVector<double> scratch_;
};

} // namespace vxo
