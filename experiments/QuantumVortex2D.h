#pragma once

// An off-axis quantised vortex of charge s = +1 or -1 in a Gaussian envelope,
//   psi = exp(-|r - r_e|^2 / (4 sigma^2)) ((x - x_c) + i s (y - y_c)),
// inside one isotropic harmonic trap V = k r^2 / 2. The core is the phase
// singularity: the phase winds by 2 pi s around it, found on the grid as the
// plaquette whose wrapped phase differences sum to 2 pi s. In the trap of
// frequency omega = sqrt(k / m) the core precesses about the centre by the
// angle s omega t.

#include "core/ComplexField2D.h"
#include "core/PotentialScene.h"

#include <cstdint>
#include <string>

namespace vxo {

struct VortexInitialState {
    double envelopeCenterX = 0.0;
    double envelopeCenterY = 0.0;
    double envelopeSigma = 1.0; // 0 < sigma <= 1000
    double coreX = 1.0;
    double coreY = 0.0;
    std::int32_t charge = 1; // +1 or -1
};

struct VortexTrap {
    bool found = false;
    double centerX = 0.0;
    double centerY = 0.0;
    double curvature = 0.0; // mean of the two curvatures
};

struct VortexCore {
    bool found = false;
    double x = 0.0; // centre of the chosen plaquette
    double y = 0.0;
    std::int32_t winding = 0;
    double coreDensity = 0.0; // mean |psi|^2 of the plaquette's corners
};

class QuantumVortex2D {
public:
    // Exactly one enabled object, an isotropic Harmonic trap of positive
    // curvature. The record is zeroed first; on failure one message is
    // written into the error text.
    static bool extractTrap(const PotentialScene& scene, VortexTrap& trap, std::string* error);
    // First failure wins; the message is written into the error text.
    static bool validateConfig(const VortexInitialState& state, std::string* error);
    // Writes the normalised vortex state into a non-empty field. Never
    // throws; a failure is reported only into an error text that is still empty.
    static bool prepareInitialState(ComplexField2D& field, const VortexInitialState& state, std::string* error);

    // omega = sqrt(curvature / m), 0 without a usable trap or mass; period 2 pi / omega or 0.
    static double trapOmega(const VortexTrap& trap, double mass);
    static double trapPeriod(const VortexTrap& trap, double mass);
    // The initial core rotated counterclockwise about the trap centre by charge omega t.
    static void referenceCore(double t, const VortexInitialState& state, const VortexTrap& trap, double mass, double& x,
                              double& y);
    // The plaquette of the expected winding with the lowest density within
    // max(4 sigma, 2.5) of the trap centre.
    static VortexCore findCore(const ComplexField2D& field, const VortexInitialState& state, const VortexTrap& trap);
};

} // namespace vxo
