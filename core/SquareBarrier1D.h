#pragma once

namespace vxo {

// Exact plane-wave transmission of a one-dimensional square barrier of height
// V0 and width a for a particle of energy E and mass m:
//   E < V0:  T = 1 / (1 + V0^2 sinh^2(kappa a) / (4 E (V0 - E))),  kappa = sqrt(2m (V0 - E)) / hbar
//   E > V0:  T = 1 / (1 + V0^2 sin^2(k a) / (4 E (E - V0))),        k = sqrt(2m (E - V0)) / hbar
//   E = V0:  T = 1 / (1 + m V0 a^2 / (2 hbar^2))                      (the common limit)
// and R = 1 - T.
struct SquareBarrier1D {
    double energy = 0.0;
    double barrierHeight = 0.0;
    double width = 0.0;
    double transmission = 0.0;
    double reflection = 0.0;
    bool tunneling = false; // barrierHeight > energy

    // Throws std::invalid_argument unless E, V0, a are finite and >= 0 and
    // mass, hbar finite and > 0.
    static SquareBarrier1D compute(double energy, double barrierHeight, double width, double mass, double hbar);
};

} // namespace vxo
