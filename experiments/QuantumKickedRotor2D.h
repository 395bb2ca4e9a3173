#pragma once

// Quantum kicked rotor on the periodic x direction of the grid. The angle is
// theta = 2 pi x / L with L = nx dx; momentum modes n carry p = 2 pi hbar n / L.
// A kick of strength k multiplies psi by exp(-i k cos theta); between kicks the
// packet moves freely, which turns mode n by n tau with the scaled period
//   tau = (2 pi / L)^2 hbar T / m.
// The classical limit is the standard map p' = p + K sin theta,
// theta' = theta + p' (mod 2 pi) with K = k tau, whose mean square momentum
// grows diffusively while the quantum one saturates (dynamical localisation).

#include "core/ComplexField2D.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vxo {

struct KickedRotorConfig {
    bool enabled = false;
    double firstKickTime = 0.2;
    double kickPeriod = 1.0;
    double phaseStrength = 6.0; // kick strength k, 0 < k <= 100
};

struct KickedRotorInitialStateConfig {
    double yCenter = 0.0;
    double ySigma = 1.5; // 0 < sigma <= 1000
    std::int32_t initialMomentumMode = 0;
};

class QuantumKickedRotor2D {
public:
    // nx dx of the field (0 for an empty field).
    static double periodicLength(const ComplexField2D& field);
    // tau = (2 pi / L)^2 hbar kickPeriod / mass; 0 when L, mass, hbar or the
    // period is not positive or mass or hbar is not finite.
    static double scaledKickPeriod(const ComplexField2D& field, const KickedRotorConfig& config, double mass,
                                   double hbar);
    // K = tau phaseStrength, 0 when tau is 0.
    static double classicalStochasticity(const ComplexField2D& field, const KickedRotorConfig& config, double mass,
                                         double hbar);
    // firstKickTime + n kickPeriod.
    static double kickTime(const KickedRotorConfig& config, std::uint64_t n);
    static double kickPeriod(const KickedRotorConfig& config);

    // psi *= exp(-i k cos(2 pi x / L)) column by column; the enabled flag is
    // not consulted. Never throws; on failure one message is written.
    static bool applyKick(ComplexField2D& field, const KickedRotorConfig& config, std::string* error);

    // psi = exp(-(y - yCenter)^2 / (4 ySigma^2)) exp(i 2 pi m x / L),
    // normalised. The mode must also be below nx / 2 in magnitude, so that it
    // is a distinct mode of the grid. Never throws; reports only into an error
    // text that is still empty.
    static bool prepareInitialState(ComplexField2D& field, const KickedRotorInitialStateConfig& config,
                                    std::string* error);

    // Value checks only (kick period at least 0.001, so that the kicks cannot
    // outnumber the solver steps without bound).
    static bool validateKick(const KickedRotorConfig& config, std::string* error);
    static bool validateInitialState(const KickedRotorInitialStateConfig& config, std::string* error);

    // Applies, before the solver step that starts at t, every kick due by
    // t + |dt| / 2 + 1e-9 (at most 1000), raising kickCounter for each one and
    // calling afterKick(newCounter) after it, so that the caller can record
    // the momentum distribution. A failed kick ends the loop. Returns the
    // number of kicks applied.
    static std::uint64_t applyDueKicks(ComplexField2D& field, const KickedRotorConfig& config,
                                       std::uint64_t& kickCounter, double t, double dt,
                                       const std::function<void(std::uint64_t)>& afterKick);
};

} // namespace vxo
