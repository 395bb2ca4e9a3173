#pragma once

#include "app/protocols/ProtocolContext.h"
#include "core/EnergyObservables2D.h"
#include "experiments/DriveProtocols.h"

namespace vxo {

class ObservableHistory;

// The sudden quench of one scene parameter from `before` to `after` at the
// quench time. The state runs idle -> ARMED (applied before the quench time)
// -> FIRED (applied at or after it); the energies <H> just before and just
// after are taken only on the ARMED -> FIRED transition, so a quench at t = 0
// fired by the rebuild records none. Outside a rebuild the potential is
// rasterised only when the state changes; a forced call always rewrites it,
// and with the quench disabled or invalid it restores the plain scene.
class QuenchApplier {
public:
    // True after a successful application (the potential was rewritten by
    // the quench; the caller's potential-contour cache is stale). An
    // evaluation that does not apply leaves the state as it was. The energy
    // after the quench is that of psi in the new potential under the
    // Hamiltonian being stepped; its exceptions pass to the caller.
    bool apply(const ProtocolContext& context, const QuantumQuench& settings, const ObservableHistory& history,
               const ComplexField2D& psi, const SteppedHamiltonian& hamiltonian);
    // Back to idle with both energies 0.
    void clear();

    bool active() const { return active_; }
    bool fired() const { return fired_; }
    double energyBefore() const { return energyBefore_; }
    double energyAfter() const { return energyAfter_; }
    bool energyAfterValid() const { return energyAfterValid_; }

private:
    bool active_ = false;
    bool fired_ = false;
    double energyBefore_ = 0.0;
    double energyAfter_ = 0.0;
    bool energyAfterValid_ = false;
};

} // namespace vxo
