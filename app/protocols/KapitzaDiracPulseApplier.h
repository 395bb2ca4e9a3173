#pragma once

#include "app/protocols/ProtocolContext.h"
#include "app/protocols/ProtocolRunState.h"
#include "experiments/QuantumKapitzaDirac2D.h"

namespace vxo {

// The optical standing-wave pulse of the Kapitza-Dirac experiment, added to
// the rasterised scene while pulseStartTime <= t < pulseStartTime +
// pulseDuration; over a step's span, at the depth of the share of the span
// the light is on. It runs from its own settings whether or not the scene is
// switched on. Outside a rebuild the potential is rasterised only when the
// pulse switches on or ends or its depth changes; a forced call always
// rewrites it.
class KapitzaDiracPulseApplier : public ProtocolRunState<KapitzaDiracPulseState> {
public:
    // Disabled settings or a pulse that fails its rules (with this hbar)
    // make the applier inactive with its state cleared. On success (true: the
    // caller's potential-contour cache is stale) the settings go to
    // `appliedSettings`; an evaluation that does not apply changes nothing.
    // `span` is the length of the step the potential is held for, centred
    // at the context's time (0: the instant).
    bool apply(const ProtocolContext& context, const KapitzaDiracConfig& settings, double hbar,
               KapitzaDiracConfig& appliedSettings, double span = 0.0);
    void clear();

    const KapitzaDiracPulseState& pulse() const { return state_; }
};

} // namespace vxo
