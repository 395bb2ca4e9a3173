#include "app/protocols/QuenchApplier.h"

#include "core/PotentialScene.h"
#include "experiments/ObservableHistory.h"

namespace vxo {

bool QuenchApplier::apply(const ProtocolContext& context, const QuantumQuench& settings,
                          const ObservableHistory& history, const ComplexField2D& psi,
                          const SteppedHamiltonian& hamiltonian)
{
    if (!context.sceneUsable) {
        active_ = false;
        fired_ = false;
        return false;
    }
    if (!settings.enabled || !validateQuench(context.scene, settings)) {
        if (context.force)
            context.scene.buildPotential(context.potential);
        active_ = false;
        fired_ = false;
        return false;
    }

    const bool reached = context.t >= settings.time;
    if (!context.force && active_ && reached == fired_)
        return false;
    if (!fired_ && reached && !history.empty())
        energyBefore_ = history.newest().totalEnergy;

    const DriveApplication application = applyQuench(context.scene, settings, context.t, context.potential);
    if (!application.applied)
        return false;

    if (active_ && !fired_ && application.active) {
        fired_ = true;
        active_ = true;
        energyAfter_ = EnergyObservables2D::ofStep(psi, context.potential, hamiltonian).total;
        energyAfterValid_ = true;
        return true;
    }
    fired_ = application.active;
    active_ = true;
    return true;
}

void QuenchApplier::clear() { *this = QuenchApplier(); }

} // namespace vxo
