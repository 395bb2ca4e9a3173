#include "app/protocols/BerryLoopApplier.h"

namespace vxo {

bool BerryLoopApplier::apply(const ProtocolContext& context, const BerryConfig& settings,
                             BerryConfig& appliedSettings, BerryTrap& trap)
{
    loop_ = BerryLoopState();
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
    active_ = true;
    appliedSettings = settings;
    trap = found;
    loop_ = state;
    return true;
}

void BerryLoopApplier::clear()
{
    *this = BerryLoopApplier();
}

} // namespace vxo
