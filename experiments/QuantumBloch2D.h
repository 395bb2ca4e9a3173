#pragma once

// Bloch oscillations in a tilted one-dimensional lattice: equal negative
// Rectangle wells spaced by a along x plus one constant Linear force F along x.
// The semiclassical quasi-momentum grows linearly, p(t) = p0 + F t, and is
// folded into the first Brillouin zone [-p_B, p_B), p_B = pi hbar / a, so the
// packet returns after the Bloch period T_B = 2 pi hbar / (|F| a).

#include "core/PotentialScene.h"

#include <cstdint>
#include <string>

namespace vxo {

struct BlochLatticeConfig {
    bool valid = false;
    double spacing = 0.0; // lattice constant a
    double wellWidth = 0.0;
    double depth = 0.0;        // -value of the wells (positive)
    double slopeX = 0.0;       // of the Linear object
    double force = 0.0;        // F = -slopeX
    double firstCenterX = 0.0; // leftmost well
    double lastCenterX = 0.0;  // rightmost well
    std::int32_t wellCount = 0;
};

class QuantumBloch2D {
public:
    // Recognises the tilted lattice among the enabled objects. Clears the
    // record and the error text first; on failure writes exactly one message.
    static bool extractFromScene(const PotentialScene& scene, BlochLatticeConfig& config, std::string* error);

    // The reference quantities are 0 for an invalid record, a spacing that is
    // not positive, or an hbar that is not positive and finite.
    static double blochPeriod(const BlochLatticeConfig& config, double hbar);
    static double zoneEdgeMomentum(const BlochLatticeConfig& config, double hbar);
    // p0 + F t folded into [-p_B, p_B).
    static double reducedMomentum(const BlochLatticeConfig& config, double p0, double t, double hbar);
};

} // namespace vxo
