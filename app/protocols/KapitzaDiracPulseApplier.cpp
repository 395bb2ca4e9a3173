#include "app/protocols/KapitzaDiracPulseApplier.h"

namespace vxo {

bool KapitzaDiracPulseApplier::apply(const ProtocolContext& context, const KapitzaDiracConfig& settings, double hbar,
                                     KapitzaDiracConfig& appliedSettings)
{
    if (!settings.enabled || !QuantumKapitzaDirac2D::validatePulse(settings, hbar, nullptr)) {
        clear();
        return false;
    }
    const double end = settings.pulseStartTime + settings.pulseDuration;
    const bool on = settings.pulseStartTime <= context.t && context.t < end;
    const bool finished = context.t >= end;
    if (!context.force && active_ && state_.active == on && state_.finished == finished)
        return false;

    const KapitzaDiracPulseState state =
        QuantumKapitzaDirac2D::applyPulse(context.scene, settings, context.t, context.potential);
    return state.valid && take(state, settings, appliedSettings);
}

void KapitzaDiracPulseApplier::clear() { *this = KapitzaDiracPulseApplier(); }

} // namespace vxo
