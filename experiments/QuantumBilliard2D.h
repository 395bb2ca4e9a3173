#pragma once

// Rectangular billiard of four finite Rectangle walls, optionally with one
// circular scatterer inside (the Sinai billiard). How much of the free area
// the packet fills is measured by the participation area
//   A_eff = P^2 / Q,  P = sum |psi|^2 dA,  Q = sum |psi|^4 dA   (free cells),
// which is the free area itself for a uniform density; the occupied fraction
// is A_eff over the free area W H - pi r^2.

#include "core/ComplexField2D.h"
#include "core/PotentialScene.h"

#include <string>

namespace vxo {

struct BilliardConfig {
    bool valid = false;
    double interiorCenterX = 0.0;
    double interiorCenterY = 0.0;
    double interiorWidth = 0.0;  // W between the inner wall faces
    double interiorHeight = 0.0; // H
    double wallHeight = 0.0;     // value of the left wall
    double scattererX = 0.0;
    double scattererY = 0.0;
    double scattererRadius = 0.0;
    double scattererHeight = 0.0;
    bool hasScatterer = false;
};

struct BilliardObservables {
    double interiorProbability = 0.0;
    double effectiveArea = 0.0;
    double occupiedFraction = 0.0;
    double shellProbability = 0.0; // within a thin shell just outside the scatterer
    double fidelity = 0.0;
};

class QuantumBilliard2D {
public:
    // Recognises the billiard among the enabled objects. The record is zeroed
    // first and on every failure; a failure writes one message.
    static bool extractFromScene(const PotentialScene& scene, BilliardConfig& config, std::string* error);

    // All zero for an empty field or an invalid record. The fidelity is
    // computed only when initial is given and lies on the field's grid.
    static BilliardObservables observables(const ComplexField2D& field, const BilliardConfig& config,
                                           const ComplexField2D* initial);
};

} // namespace vxo
