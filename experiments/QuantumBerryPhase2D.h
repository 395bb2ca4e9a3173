#pragma once

// Berry phase of a trapped state carried once around a loop of trap shapes.
// An isotropic harmonic trap of stiffness k gains the quadrupole deformation
//   q1 (dx^2 - dy^2) + 2 q2 dx dy,  q1 = a cos theta,  q2 = a sin theta,
//   theta = winding 2 pi s  (loop progress s in [0, 1]),
// so that its principal curvatures are k + 2a and k - 2a and its axes turn by
// theta / 2: half a turn per loop. The first excited state along the soft
// axis, odd under that half turn, returns as minus itself: a geometric phase
// of pi. The dynamical phase is removed by transporting the phase of the
// step-to-step overlaps,
//   P = prod_t o_t / |o_t|,  o_t = <psi(t - dt)|psi(t)>,
//   geometric phase = arg <psi(0)|psi(t)> - arg P, wrapped to [-pi, pi).

#include "core/ComplexField2D.h"
#include "core/PotentialScene.h"

#include <complex>
#include <cstdint>

namespace vxo {

class PotentialField2D;

struct BerryConfig {
    bool enabled = false;
    double anisotropy = 0.35; // a > 0 with k - 2a > 1e-6
    double startTime = 0.0;
    double duration = 240.0;
    std::int32_t winding = 1; // -1 or +1
};

struct BerryTrap {
    bool valid = false;
    double centerX = 0.0;
    double centerY = 0.0;
    double baseValue = 0.0; // the Harmonic object's value
    double stiffness = 1.0; // k
};

struct BerryLoopState {
    bool valid = false;
    bool active = false;    // startTime <= t < startTime + duration
    bool finished = false;  // t >= startTime + duration
    double progress = 0.0;  // s in [0, 1]
    double loopAngle = 0.0; // theta = winding 2 pi s
    double axisAngle = 0.0; // theta / 2
    double q1 = 0.0;
    double q2 = 0.0;
};

class QuantumBerryPhase2D {
public:
    // Exactly one enabled object, an isotropic Harmonic of positive curvature.
    // On failure *message points to one constant text; untouched on success.
    static bool analyzeTrap(const PotentialScene& scene, BerryTrap& trap, const char** message);
    // A disabled config passes; otherwise the trap and the loop values must
    // be usable and the soft curvature k - 2a must stay positive.
    static bool validateLoop(const BerryConfig& config, const BerryTrap& trap, const char** message);

    static BerryLoopState trapAt(const BerryConfig& config, double t);
    // Rebuilds the potential from the scene and adds the deformation of the
    // loop at t; nothing is rebuilt (and an all-zero state returned) when the
    // loop state is invalid or the trap and config break the loop rules.
    static BerryLoopState applyLoop(const PotentialScene& scene, const BerryTrap& trap, const BerryConfig& config,
                                    double t, PotentialField2D& potential);

    // psi = (y - y_c) exp(-(m / 2 hbar) (omega+ (x - x_c)^2 + omega- (y - y_c)^2)),
    // omega(+/-) = sqrt((k +/- 2a) / m): the first excited state along the soft
    // axis of the loop's starting trap, normalised. Never throws; no messages.
    static bool prepareInitialState(ComplexField2D& field, const BerryTrap& trap, const BerryConfig& config,
                                    double mass, double hbar);

    // <reference|field> / sqrt(<reference|reference> <field|field>); 0 when
    // the grids differ or the root is not above 1e-15.
    static std::complex<double> overlap(const ComplexField2D& reference, const ComplexField2D& field);
    // The same with the two norms already at hand, so that a state followed
    // step by step has its norm summed once.
    static std::complex<double> overlap(const ComplexField2D& reference, double referenceNorm,
                                        const ComplexField2D& field, double fieldNorm);
    static bool sameGrid(const ComplexField2D& a, const ComplexField2D& b);

    // hbar |omega+ - omega-|, the gap the loop must stay slow against.
    static double gapEnergy(const BerryTrap& trap, const BerryConfig& config, double mass, double hbar);
    // pi / duration / |omega+ - omega-|: well below 1 for an adiabatic loop.
    static double adiabaticityRatio(const BerryTrap& trap, const BerryConfig& config, double mass, double hbar);
};

} // namespace vxo
