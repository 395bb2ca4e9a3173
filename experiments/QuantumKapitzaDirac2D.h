#pragma once

// Kapitza-Dirac diffraction: during a pulse the potential gains the standing
// wave V0 cos^2(pi x / a + phase / 2) = V0 / 2 + (V0 / 2) cos(2 pi x / a + phase),
// which couples momenta differing by the grating momentum G = 2 pi hbar / a.
// For a pulse short against the recoil time the kinetic energy can be
// neglected (Raman-Nath regime) and the orders n G are populated as
//   P_n = J_n(V0 tau / (2 hbar))^2,
// V0 tau / (2 hbar) being the pulse area.

#include "core/ComplexField2D.h"
#include "core/PotentialScene.h"

#include <cstdint>
#include <string>

namespace vxo {

class PotentialField2D;

struct KapitzaDiracInitialStateConfig {
    double centerX = 0.0;
    double centerY = -6.5;
    double sigmaX = 5.0;
    double sigmaY = 1.25;
    double momentumX = 0.0;
    double momentumY = 1.1;
};

struct KapitzaDiracConfig {
    bool enabled = false;
    double latticePeriod = 4.096; // a > 0
    double latticeDepth = 16.0;   // V0, |V0| <= 10000
    double latticePhaseDegrees = 0.0;
    double pulseStartTime = 0.0;   // >= 0
    double pulseDuration = 0.3;    // > 0
    double analysisEndTime = 4.0;  // > pulseStartTime + pulseDuration
    std::int32_t maximumOrder = 4; // N, 1 to 12
};

struct KapitzaDiracPulseState {
    bool valid = false;
    bool active = false;   // the light is on at t, or during part of the span about t
    bool finished = false; // t >= pulseStartTime + pulseDuration
    double depth = 0.0;    // V0 times the share of the span lit (of the instant: 1 or 0)
    double progress = 0.0; // 0 before the start, 1 when finished
};

class QuantumKapitzaDirac2D {
public:
    // V0 tau / (2 hbar); 0 when hbar is not positive and finite or the depth
    // or duration is not finite.
    static double pulseArea(const KapitzaDiracConfig& config, double hbar);
    // Rebuilds the potential from the scene, then adds the standing wave
    // while the pulse is on at t. A config that breaks its rules adds nothing
    // and is valid only when disabled; a t that is not finite, or a period
    // that single precision cannot hold, is invalid. Never throws for a
    // config that passes its rules.
    static KapitzaDiracPulseState applyPulse(const PotentialScene& scene, const KapitzaDiracConfig& config, double t,
                                             PotentialField2D& potential);
    // The same for the potential a solver step holds over the span centred
    // at t: the standing wave at the depth V0 times the share of the span the
    // light is on. The step then imprints the phase of the time the light
    // was on, so a pulse whose ends fall inside steps lasts what it is set
    // to. A span of 0 is the instant t.
    static KapitzaDiracPulseState applyPulse(const PotentialScene& scene, const KapitzaDiracConfig& config, double t,
                                             double span, PotentialField2D& potential);
    // The share of [t - span/2, t + span/2] inside [pulseStartTime,
    // pulseStartTime + pulseDuration); for a span of 0, 1 while the light is
    // on at t, else 0. A share within a millionth of 0 or 1 is taken as 0 or
    // 1: the clock's rounding, not a piece of a step. 0 for a config that
    // breaks its rules or a t or span that is not finite.
    static double lightShare(const KapitzaDiracConfig& config, double t, double span);
    // psi = exp(-(x - x_c)^2 / (4 s_x^2) - (y - y_c)^2 / (4 s_y^2)) e^(i (p_x x + p_y y) / hbar),
    // normalised. Never throws; reports only into an error text that is
    // still empty.
    static bool prepareInitialState(ComplexField2D& field, const KapitzaDiracInitialStateConfig& config, double hbar,
                                    std::string* error);
    // First failure wins; the message is written into the error text.
    static bool validatePulse(const KapitzaDiracConfig& config, double hbar, std::string* error);
    static bool validateInitialState(const KapitzaDiracInitialStateConfig& config, std::string* error);
};

} // namespace vxo
