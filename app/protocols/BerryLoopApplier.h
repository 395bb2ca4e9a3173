#pragma once

#include "app/protocols/ProtocolContext.h"
#include "app/protocols/ProtocolRunState.h"
#include "experiments/QuantumBerryPhase2D.h"

namespace vxo {

// The adiabatic loop of the Berry-phase experiment: the isotropic harmonic
// trap of the scene is deformed by a quadrupole whose axis turns once round
// during the loop. Every call re-evaluates the loop at t and, while the trap
// and the settings are usable, rasterises the unchanged scene plus the
// quadrupole; the loop state of the call is kept for the recorder and panels.
class BerryLoopApplier : public ProtocolRunState<BerryLoopState> {
public:
    // The loop state is cleared first on every call. Without a usable scene
    // `trap` returns to the default trap; disabled settings, a scene without
    // a single isotropic harmonic trap or a loop the trap cannot carry leave
    // the loop inactive. On success (true: the caller's potential-contour
    // cache is stale) the settings go to `appliedSettings` and the trap found
    // to `trap`.
    bool apply(const ProtocolContext& context, const BerryConfig& settings, BerryConfig& appliedSettings,
               BerryTrap& trap);
    void clear();

    const BerryLoopState& loop() const { return state_; }
};

} // namespace vxo
