#pragma once

// Initial states of the Dirac experiments (Zitterbewegung, Klein tunnelling).
//
// A Gaussian in the upper component only,
//   upper = exp(-((x - x0)^2 + (y - y0)^2) / (4 sigma^2)) exp(i ((x - x0) p_x + (y - y0) p_y) / hbar),
//   lower = 0,
// holds both energy branches of the free Dirac Hamiltonian
//   H(p) = [[m c^2, c (p_x - i p_y)], [c (p_x + i p_y), -m c^2]],  E(p) = sqrt(c^2 p^2 + (m c^2)^2),
// with weights (1 +- m c^2 / E) / 2 per wave vector. Its projection on the
// positive branch, (1 + H / E) / 2 applied to (u, 0) in momentum space
// (p = hbar k on the FFT grid), is (u (1 + m c^2 / E) / 2, u c (p_x + i p_y) / (2 E)).

#include "core/DiracSpinor2D.h"

#include <cmath>

namespace vxo {

// E(p) of the wave vector p = (px, py) for the rest energy m c^2.
inline double diracEnergy(double px, double py, double lightSpeed, double restEnergy)
{
    return std::sqrt(lightSpeed * lightSpeed * (px * px + py * py) + restEnergy * restEnergy);
}

// E of the central momentum of a Dirac experiment's settings (the fields
// momentumX, momentumY, restMass and lightSpeed): sqrt(p^2 c^2 + (m c^2)^2).
template <typename Settings>
double centralDiracEnergy(const Settings& settings)
{
    const double restEnergy = settings.restMass * settings.lightSpeed * settings.lightSpeed;
    const double p2 = settings.momentumX * settings.momentumX + settings.momentumY * settings.momentumY;
    return std::sqrt(p2 * settings.lightSpeed * settings.lightSpeed + restEnergy * restEnergy);
}

struct DiracGaussian {
    double centerX = 0.0;
    double centerY = 0.0;
    double sigma = 1.0;
    double momentumX = 0.0;
    double momentumY = 0.0;
    double hbar = 1.0;
};

// The packet of a Dirac experiment's settings: its centre, width and central
// momentum (the fields centerX, centerY, sigma, momentumX, momentumY).
template <typename Settings>
DiracGaussian diracGaussianOf(const Settings& settings, double hbar)
{
    DiracGaussian packet;
    packet.centerX = settings.centerX;
    packet.centerY = settings.centerY;
    packet.sigma = settings.sigma;
    packet.momentumX = settings.momentumX;
    packet.momentumY = settings.momentumY;
    packet.hbar = hbar;
    return packet;
}

// Both components non-empty and on the same nx x ny grid.
bool diracSpinorUsable(const DiracSpinor2D& spinor);

// Writes the upper-component Gaussian (lower 0) at the coordinates
// x_i = (i - originX) dx, y_j = (j - originY) dy; each experiment chooses its
// own origin cell. The spinor must be usable; it is not normalised.
void writeUpperGaussian(DiracSpinor2D& spinor, const DiracGaussian& packet, double originX, double originY);

// Projects the upper component of a spinor (lower ignored) on the
// positive-energy branch in momentum space; a wave vector with E <= 1e-14
// keeps its upper value and gets a zero lower value. The grid must be a power
// of two along both axes; throws as FFT2D does.
void projectOnPositiveEnergy(DiracSpinor2D& spinor, double lightSpeed, double restMass, double hbar);

} // namespace vxo
