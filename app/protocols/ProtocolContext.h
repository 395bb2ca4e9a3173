#pragma once

namespace vxo {

class PotentialField2D;
class PotentialScene;

// What every protocol applier is handed besides its settings record: the
// Potential Scene it rasterises, whether the form lets the scene drive the
// potential (form present, scene switched on, at least one object), the
// simulation time, whether a rebuild forces the potential to be rewritten,
// and the potential grid the protocol writes.
struct ProtocolContext {
    const PotentialScene& scene;
    bool sceneUsable;
    double t;
    bool force;
    PotentialField2D& potential;
};

} // namespace vxo
