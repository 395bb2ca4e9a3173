#pragma once

#include "core/ComplexField2D.h"

namespace vxo {

// Moments of the probability density rho = |psi|^2 over the cell centres:
//   norm = sum rho dx dy,  mean = sum rho r dx dy / norm,
//   sigma^2 = sum rho (r - mean)^2 dx dy / norm   (per axis).
struct PositionMoments {
    double norm = 0.0;
    double meanX = 0.0;
    double meanY = 0.0;
    double sigmaX = 0.0;
    double sigmaY = 0.0;
};

// Probability carried by one cell of area dx dy, components widened to double.
inline double cellProbability(const Complex& v, double cellArea)
{
    const double re = v.real();
    const double im = v.imag();
    return (re * re + im * im) * cellArea;
}

// Never throws: an empty field gives all zeros; a norm that is not positive
// and finite is returned as summed, with the other four results zero.
PositionMoments computePositionMoments(const ComplexField2D& field);

} // namespace vxo
