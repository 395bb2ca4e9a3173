#pragma once

#include "core/ComplexField2D.h"
#include "core/CrossSectionProfile.h"

#include <cstdint>
#include <vector>

namespace vxo {

// The wave function in momentum space,
//   phi(p) = dx dy / (2 pi hbar) sum_r psi(r) exp(-i p.r / hbar),
// with r the centred cell positions, on the grid of momenta
// p = (k - n/2) dp, dp = 2 pi hbar / (n d), ascending along both axes (zero
// momentum at index n/2). With this scale sum |phi|^2 dpx dpy equals the
// position norm sum |psi|^2 dx dy (discrete Parseval). The record also holds
// the mean, spread and most probable cell of |phi|^2.
struct MomentumSpace2D {
    ComplexField2D field;       // phi(px, py); its dx, dy are dpx, dpy
    std::vector<double> pxAxis; // px of every column, ascending
    std::vector<double> pyAxis; // py of every row, ascending
    double hbar = 0.0;
    double norm = 0.0; // sum |phi|^2 dpx dpy
    double meanPx = 0.0;
    double meanPy = 0.0;
    double sigmaPx = 0.0;
    double sigmaPy = 0.0;
    double peakPx = 0.0;
    double peakPy = 0.0;

    static MomentumSpace2D compute(const ComplexField2D& psi, double hbar);
    // The same into `result`, whose field storage is kept when it already has
    // psi's cell count (a view that shows momentum space reads it every tick).
    static void computeInto(const ComplexField2D& psi, double hbar, MomentumSpace2D& result);
    // The same from psi's unscaled forward transform (KeptSpectrum's), so
    // that a transform taken for another reading of the same state serves.
    static void fromSpectrum(const ComplexField2D& psi, const Complex* spectrum, double hbar, MomentumSpace2D& result);

    // Momentum-space cut at the axis value nearest to value: axis 0 fixes p_y
    // and runs along p_x, any other axis fixes p_x and runs along p_y. Empty
    // when the record holds no field, its axes do not fit the field, or value
    // is not finite.
    static CrossSectionProfile crossSection(const MomentumSpace2D& momentum, std::uint32_t axis, double value);

private:
    static void validate(const ComplexField2D& psi, double hbar);
};

// Index of the entry of an ascending axis nearest to value, the lower index on
// a tie; 0 for an empty axis.
std::uint64_t nearestAxisIndex(const std::vector<double>& axis, double value);

} // namespace vxo
