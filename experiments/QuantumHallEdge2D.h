#pragma once

// Quantum Hall edge: the uniform field b = qB / hbar of the Landau experiment
// (symmetric-gauge links) plus a hard wall filling the strip of the grid below
// y = edgeY. A packet launched just above the edge with the canonical momentum
// p_x = hbar b (R - y_0 / 2) has the mechanical momentum hbar b R of a
// cyclotron orbit of radius R; reflected by the wall, it skips along the edge
// in the direction of sign(b) only (chiral edge transport).

#include "core/ComplexField2D.h"
#include "core/GaugeLinkField2D.h"
#include "core/PotentialField2D.h"

#include <string>

namespace vxo {

struct HallEdgeConfig {
    bool enabled = false;
    double fieldStrength = 0.45;  // b; |b| <= 4, and >= 0.02 when enabled
    double edgeY = -8.0;          // top of the wall
    double wallHeight = 120.0;    // [0, 2000]
    double launchY = -5.3;        // edgeY + 0.2 < launchY < edgeY + 10
    double orbitRadius = 4.2;     // [0.3, 15]
    double packetSigma = 1.1;     // [0.2, 5]
    double edgeBand = 4.0;        // [0.2, 12]
    double analysisEndTime = 8.0; // [0.1, 100]
};

class QuantumHallEdge2D {
public:
    // First failure wins; its message goes into the error text when one is given.
    static bool validateConfiguration(const HallEdgeConfig& config, std::string* error);

    // Symmetric-gauge links and the wall potential on the wave field's grid.
    // False, with one message written into an empty error text, on failure.
    // Never throws.
    static bool buildField(const ComplexField2D& field, const HallEdgeConfig& config, PotentialField2D& potential,
                           GaugeLinkField2D& links, std::string* error);

    // The launched Gaussian packet. Never throws; a failure is reported only
    // into an error text that is still empty.
    static bool prepareInitialState(ComplexField2D& field, const HallEdgeConfig& config, double mass, double hbar,
                                    std::string* error);
};

} // namespace vxo
