#pragma once

#include "app/protocols/ProtocolContext.h"
#include "app/protocols/ProtocolRunState.h"
#include "experiments/QuantumMoshinsky2D.h"

namespace vxo {

// The shutter of the diffraction-in-time experiment: a Rectangle or Barrier
// object of the scene that keeps its strength until the opening time and is
// switched off strictly after openTime + 1e-12. Outside a rebuild the
// potential is rasterised only when the shutter opens; a forced call always
// rewrites it.
class MoshinskyShutterApplier : public ProtocolRunState<MoshinskyShutterState> {
public:
    // Without a usable scene, with disabled settings or with a shutter the
    // scene cannot provide, the applier returns to inactive with its state
    // and geometry cleared. On success (true: the caller's potential-contour
    // cache is stale) the settings go to `appliedSettings` and the shutter
    // geometry the validation found is kept; an evaluation that does not
    // apply changes nothing.
    bool apply(const ProtocolContext& context, const MoshinskyConfig& settings, MoshinskyConfig& appliedSettings);
    void clear();

    const MoshinskyShutterState& shutter() const { return state_; }
    const MoshinskyShutterGeometry& geometry() const { return geometry_; }

private:
    MoshinskyShutterGeometry geometry_;
};

} // namespace vxo
