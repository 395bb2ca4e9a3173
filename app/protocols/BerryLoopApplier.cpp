#include "app/protocols/BerryLoopApplier.h"

namespace vxo {

bool BerryLoopApplier::apply(const ProtocolContext& context, const BerryConfig& settings, BerryConfig& appliedSettings,
                             BerryTrap& trap)
{
    state_ = BerryLoopState();
    if (!context.sceneUsable) {
        trap = BerryTrap();
        active_ = false;
        return false;
    }
    BerryTrap found;
    if (!settings.enabled || !QuantumBerryPhase2D::analyzeTrap(context.scene, found, nullptr) ||
        !QuantumBerryPhase2D::validateLoop(settings, found, nullptr)) {
        active_ = false;
        return false;
    }
    const BerryLoopState state =
        QuantumBerryPhase2D::applyLoop(context.scene, found, settings, context.t, context.potential);
    if (!state.valid) {
        active_ = false;
        return false;
    }
    trap = found;
    return take(state, settings, appliedSettings);
}

void BerryLoopApplier::clear() { *this = BerryLoopApplier(); }

} // namespace vxo
