#pragma once

// Diffraction in time (Moshinsky shutter): a beam waits behind a tall, narrow
// shutter of the Potential Scene; at the opening time the shutter's height
// drops to zero and the released front, sharp in x, spreads with fringes in
// time. The initial beam is cut at the shutter by an erfc edge:
//   psi = erfc((x - x_s) / (sqrt(2) e)) / 2 exp(-(x - x_e)^2 / (4 s_x^2))
//         exp(-(y - y_c)^2 / (4 s_y^2)) exp(i p x / hbar).

#include "core/ComplexField2D.h"
#include "core/PotentialScene.h"

#include <cstdint>
#include <string>

namespace vxo {

class PotentialField2D;

struct MoshinskyInitialStateConfig {
    bool enabled = false;
    double shutterX = 0.0;
    double envelopeCenterX = -8.0;
    double envelopeSigmaX = 8.0;
    double centerY = 0.0;
    double transverseSigmaY = 3.2;
    double momentumX = 3.0;
    double edgeWidth = 0.18;
};

struct MoshinskyConfig {
    bool enabled = false;
    std::uint64_t shutterObjectId = 0; // 0: none selected
    double openTime = 0.0;
    double detectorX = 4.0;
    double analysisEndTime = 6.0;
};

struct MoshinskyShutterGeometry {
    bool valid = false;
    std::uint64_t objectId = 0;
    double centerX = 0.0;
    double centerY = 0.0;
    double extentY = 0.0; // long side: a Rectangle's height or a Barrier's length
    double extentX = 0.0; // short side: a Rectangle's width or a Barrier's thickness
    double closedHeight = 0.0;
};

struct MoshinskyShutterState {
    bool applied = false;
    bool open = false;
    double height = 0.0; // the value given to the shutter
};

class QuantumMoshinsky2D {
public:
    // A disabled config passes with the geometry untouched. On failure
    // *message points to one constant text; untouched on success. The
    // geometry is filled on success when given.
    static bool validateShutter(const PotentialScene& scene, const MoshinskyConfig& config,
                                MoshinskyShutterGeometry* geometry, const char** message);
    // Same message convention; a disabled config passes.
    static bool validateInitialState(const MoshinskyInitialStateConfig& config, const char** message);
    // Never throws; reports a copy of one message only into an error text
    // that is still empty. A disabled config fails without a message.
    static bool prepareInitialState(ComplexField2D& field, const MoshinskyInitialStateConfig& config, double hbar,
                                    std::string* error);
    // Rebuilds the potential from a copy of the scene whose shutter is closed
    // (its own value) or open (0) at t, open once t > openTime + 1e-12. The
    // scene itself is never changed. All-zero state, nothing rebuilt, when t
    // is not finite, an enabled config breaks the shutter rules or the
    // shutter is not in the scene.
    static MoshinskyShutterState applyShutter(const PotentialScene& scene, const MoshinskyConfig& config, double t,
                                              PotentialField2D& potential);
    // t > openTime + 1e-12.
    static bool isOpenAt(const MoshinskyConfig& config, double t);
};

} // namespace vxo
