#include "app/protocols/KapitzaDiracPulseApplier.h"

namespace vxo {

bool KapitzaDiracPulseApplier::apply(const ProtocolContext& context, const KapitzaDiracConfig& settings, double hbar,
                                     KapitzaDiracConfig& appliedSettings, double span)
{
    if (!settings.enabled || !QuantumKapitzaDirac2D::validatePulse(settings, hbar, nullptr)) {
        clear();
        return false;
    }
    const double end = settings.pulseStartTime + settings.pulseDuration;
    const double share = QuantumKapitzaDirac2D::lightShare(settings, context.t, span);
    const bool finished = context.t >= end;
    if (!context.force && active_ && state_.active == (share > 0.0) && state_.finished == finished &&
        state_.depth == settings.latticeDepth * share)
        return false;

    const KapitzaDiracPulseState state =
        QuantumKapitzaDirac2D::applyPulse(context.scene, settings, context.t, span, context.potential);
    return state.valid && take(state, settings, appliedSettings);
}

void KapitzaDiracPulseApplier::clear() { *this = KapitzaDiracPulseApplier(); }

} // namespace vxo
