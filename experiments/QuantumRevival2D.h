#pragma once

// Wave-packet revivals in a rectangular box of four finite Rectangle walls.
// In an infinite square well of width L the levels E_n = (pi hbar n)^2 / (2 m L^2)
// all return to their initial phases after the revival time
//   T_rev = 4 m L^2 / (pi hbar),
// when every phase E_n T_rev / hbar = 2 pi n^2 is a whole number of turns.
// The recurrence of the state is measured by the normalised overlap
// |<psi(0)|psi(t)>|^2 / (<psi(0)|psi(0)> <psi(t)|psi(t)>).

#include "core/ComplexField2D.h"
#include "core/PotentialScene.h"

#include <string>

namespace vxo {

struct RevivalBoxConfig {
    bool valid = false;
    double interiorCenterX = 0.0;
    double interiorCenterY = 0.0;
    double interiorWidth = 0.0;  // L_x between the inner faces of the left and right walls
    double interiorHeight = 0.0; // L_y between the inner faces of the bottom and top walls
    double verticalWallThickness = 0.0;
    double horizontalWallThickness = 0.0;
    double wallHeight = 0.0;
    // Revival times of the prepared packet in the levels of the box as the
    // grid holds it (finite walls, painted faces); 0 until measured.
    double levelRevivalTimeX = 0.0;
    double levelRevivalTimeY = 0.0;

    // Revival times of the interior width and height: the measured ones of
    // the levels when set, else those of an infinite well; 0 for an invalid
    // record.
    double revivalTimeX(double mass, double hbar) const;
    double revivalTimeY(double mass, double hbar) const;
};

class QuantumRevival2D {
public:
    // Recognises the box among the enabled objects. The record is zeroed
    // first; on failure one message is written into the error text.
    static bool extractFromScene(const PotentialScene& scene, RevivalBoxConfig& config, std::string* error);
};

// T_rev = 4 m L^2 / (pi hbar); 0 unless L, m and hbar are positive and finite.
double revivalTime(double length, double mass, double hbar);

// |sum conj(a) b|^2 / (sum |a|^2 sum |b|^2), summed in double over all cells,
// without clamping. 0 when a field is empty, the grids differ (nx, ny, or dx,
// dy by more than 1e-9) or either state has no weight.
double normalisedOverlap(const ComplexField2D& a, const ComplexField2D& b);

// normalisedOverlap clamped to [0, 1] (non-finite results give 0).
double overlapProbability(const ComplexField2D& a, const ComplexField2D& b);

} // namespace vxo
