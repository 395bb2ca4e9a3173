#include "app/protocols/MoshinskyShutterApplier.h"

namespace vxo {

bool MoshinskyShutterApplier::apply(const ProtocolContext& context, const MoshinskyConfig& settings,
                                    MoshinskyConfig& appliedSettings)
{
    MoshinskyShutterGeometry found;
    if (!context.sceneUsable || !settings.enabled ||
        !QuantumMoshinsky2D::validateShutter(context.scene, settings, &found, nullptr)) {
        clear();
        return false;
    }
    const bool open = QuantumMoshinsky2D::isOpenAt(settings, context.t);
    if (!context.force && active_ && state_.open == open)
        return false;

    const MoshinskyShutterState state =
        QuantumMoshinsky2D::applyShutter(context.scene, settings, context.t, context.potential);
    if (!state.applied)
        return false;
    geometry_ = found;
    return take(state, settings, appliedSettings);
}

void MoshinskyShutterApplier::clear() { *this = MoshinskyShutterApplier(); }

} // namespace vxo
