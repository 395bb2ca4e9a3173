#pragma once

// The quantum bouncer: a particle in the uniform force F (potential F y)
// above a hard floor at y_f. Measured from the floor, the bound states are
// Airy functions Ai((y - y_f) / ell - E / (F ell)) with the Airy length
//   ell = (hbar^2 / (2 m F))^(1/3),
// and the floor's node fixes the levels at the Airy zeros a_n:
//   E_n = F ell |a_n|,  classical turning heights y_n = y_f + ell |a_n|.
// The classical reference is the ideal elastic bounce with g = F / m.

#include "core/PotentialScene.h"

#include <cstdint>
#include <string>

namespace vxo {

struct BouncerConfig {
    bool valid = false;
    double floorY = 0.0;      // top surface of the floor
    double floorHeight = 0.0; // floor value
    double force = 0.0;       // F = slopeY (> 0, pulls towards -y)
};

class QuantumBouncer2D {
public:
    // One wide positive Rectangle floor and one Linear slope rising along y
    // among the enabled objects. The record is zeroed first; on failure one
    // message is written into the error text.
    static bool extractFromScene(const PotentialScene& scene, BouncerConfig& config, std::string* error);

    // 0 unless the record is valid, F > 0, and m, hbar positive and finite.
    static double airyLength(const BouncerConfig& config, double mass, double hbar);
    // Levels n = 0..7 above the floor; 0 (energy) or floorY (height) beyond
    // them or without an Airy length.
    static double levelEnergy(std::uint32_t n, const BouncerConfig& config, double mass, double hbar);
    static double levelHeight(std::uint32_t n, const BouncerConfig& config, double mass, double hbar);

    // Height at time t of a point mass thrown from y0 with momentum p0 that
    // bounces elastically off the floor. A start below the floor is lifted
    // onto it; a start on the floor moving down reflects at once. After the
    // first impact the motion repeats with period 2 v_impact / g. Returns y0
    // when the record is invalid, F <= 0, m <= 0 or t is not finite and >= 0.
    static double classicalHeight(double t, const BouncerConfig& config, double mass, double y0, double p0);
};

} // namespace vxo
