#pragma once

// Stationary reference of the Klein experiment: transmission and reflection
// of a Dirac plane wave of energy E (the packet's central energy) through a
// square barrier of height V0 and width w at the angle of incidence theta.
// With k_x = p cos theta, k_y = p sin theta and q the principal square root
// of q_x^2 (imaginary in the evanescent case), the wave is
//   S_in e^{i k_x x / hbar} + r S_r e^{-i k_x x / hbar}          x < 0,
//   a S_+ e^{i q x / hbar} + b S_- e^{-i q x / hbar}             0 < x < w,
//   t S_in e^{i k_x x / hbar}                                     x > w,
// with S the plane-wave eigen-spinors of H - V, and both spinor components
// continuous at x = 0 and x = w: a 4 x 4 complex system for (r, a, b, t).
// T = |t|^2 and R = |r|^2 (the reflected spinor carries the incident flux
// reversed, so no flux factors appear).

#include "experiments/QuantumKleinTunneling2D.h"

#include <array>
#include <complex>
#include <cstdint>
#include <utility>

namespace vxo {

struct KleinAngleScanPoint {
    bool valid = false;
    double incidenceAngleDegrees = 0.0;
    double transmission = 0.0; // clamped to [0, 1]
    double reflection = 0.0;   // clamped to [0, 1]
    double barrierMomentumXSquared = 0.0;
    std::int32_t regime = kKleinRegimeEvanescent;
};

// Angles of incidence lie in [0, 89.9) degrees: towards grazing incidence
// the longitudinal momentum left to match vanishes.
constexpr double kKleinLargestAngleDegrees = 89.9;

// 0 <= angle < 89.9 degrees (false for NaN).
inline bool kleinAngleUsable(double angleDegrees)
{
    return angleDegrees >= 0.0 && angleDegrees < kKleinLargestAngleDegrees;
}

using ComplexMatrix4x4 = std::array<std::array<std::complex<double>, 4>, 4>; // [row][column]
using ComplexVector4 = std::array<std::complex<double>, 4>;

// Transmission and reflection at theta degrees (0 <= theta < 89.9); invalid
// for invalid settings, angle or hbar, a grazing k_x <= 1e-10, a singular
// system or a result that is not finite.
KleinAngleScanPoint kleinBarrierReference(const KleinTunnelingConfig& config, double angleDegrees, double hbar);

// Eigen-spinor (upper, lower) of H - V with eigenvalue eps for the
// longitudinal momentum q and the transverse momentum k_y:
// (1, c (q + i k_y) / (eps + m c^2)), or (c (q - i k_y) / (eps - m c^2), 1)
// when eps = -m c^2, or (1, 0) when both denominators vanish.
std::pair<std::complex<double>, std::complex<double>>
diracPlaneWaveSpinor(std::complex<double> q, double ky, double kineticEnergy, double lightSpeed, double restEnergy);

// Gauss-Jordan elimination with partial pivoting; false (solution
// untouched) when a pivot is not above 1e-14 or not finite. rhs is worked on
// in place.
bool solveComplex4x4(ComplexMatrix4x4 matrix, ComplexVector4& rhs, ComplexVector4& solution);

} // namespace vxo
