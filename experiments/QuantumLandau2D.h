#pragma once

// Landau levels and cyclotron motion of a charge in a uniform magnetic field,
// b = qB / hbar, in the symmetric gauge A = (B / 2)(-y, x). Its Peierls links
// are U_x(i, j) = exp(i b y_j dx / 2) and U_y(i, j) = exp(-i b x_i dy / 2).
// Reference quantities: the cyclotron frequency omega_c = |b| hbar / m, the
// magnetic length l_B = 1 / sqrt(|b|) and the level energy
// E_n = (n + 1/2) hbar omega_c. The radial states
//   psi_n = L_n(u) exp(-u / 2),  u = r^2 / (2 l_B^2),
// (angular momentum zero) are stationary in level n; a Gaussian of width l_B
// displaced to (-R, 0) with mechanical momentum hbar b R along y circles the
// centre at radius R with period 2 pi / omega_c.

#include "core/ComplexField2D.h"
#include "core/GaugeLinkField2D.h"

#include <cstdint>
#include <string>

namespace vxo {

struct LandauConfig {
    bool enabled = false;
    double fieldStrength = 0.45; // b; |b| <= 4, and >= 0.02 when enabled
    static constexpr std::uint32_t kCyclotronPacket = 0;
    static constexpr std::uint32_t kLandauEigenstate = 1;
    std::uint32_t preparationMode = kCyclotronPacket;
    std::uint32_t landauIndex = 0; // n, 0 to 8
    double orbitRadius = 5.0;      // [0.2, 15]
    double analysisEndTime = 15.0; // [0.1, 200]
};

class QuantumLandau2D {
public:
    // First failure wins; its message goes into the error text when one is given.
    static bool validateConfiguration(const LandauConfig& config, std::string* error);

    // Symmetric-gauge links on the wave field's grid. False, with one message
    // written into an empty error text, for an empty wave field, an invalid
    // config or |b| < 0.02. Never throws.
    static bool buildSymmetricGauge(const ComplexField2D& field, const LandauConfig& config, GaugeLinkField2D& links,
                                    std::string* error);

    // Mode 0 writes the cyclotron packet, mode 1 the normalised Landau
    // eigenstate of index n. Never throws; a failure is reported only into
    // an error text that is still empty.
    static bool prepareInitialState(ComplexField2D& field, const LandauConfig& config, double mass, double hbar,
                                    std::string* error);

    // |b| hbar / m; 0 unless m and hbar are positive.
    static double cyclotronFrequency(const LandauConfig& config, double mass, double hbar);
    // 1 / sqrt(|b|); 0 for b = 0.
    static double magneticLength(const LandauConfig& config);
    // (landauIndex + 1/2) hbar omega_c.
    static double levelEnergy(const LandauConfig& config, double mass, double hbar);
};

// Laguerre polynomial L_n(x) by the three-term recurrence; 1 for n <= 0.
double laguerrePolynomial(std::int32_t n, double x);

// Gauge-covariant kinetic energy
//   T = sum Re(conj(psi_ij) [c_x (2 psi_ij - U_x(i, j) psi_{i+1,j} - conj(U_x(i-1, j)) psi_{i-1,j})
//                          + c_y (2 psi_ij - U_y(i, j) psi_{i,j+1} - conj(U_y(i, j-1)) psi_{i,j-1})]) dx dy
// over the interior cells, c_x = hbar^2 / (2 m dx^2), c_y = hbar^2 / (2 m dy^2).
// 0 unless the field is non-empty, the links match it, m and hbar are
// positive and the grid is at least 3 x 3. Not divided by the norm.
double gaugeKineticEnergy(const ComplexField2D& field, const GaugeLinkField2D& links, double mass, double hbar);

} // namespace vxo
