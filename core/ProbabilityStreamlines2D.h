#pragma once

#include "core/ProbabilityCurrent2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct StreamlineParameters {
    float stepLength = 0.0f;           // physical length of one step, finite and > 0
    std::uint64_t maxSteps = 0;        // total budget for both directions, non-zero
    float minRelativeMagnitude = 0.0f; // in [0, 1): stop where |J| <= this fraction of max |J|
};

struct StreamlinePoint {
    float x = 0.0f;
    float y = 0.0f;
};

// Streamlines of the probability current: explicit Euler steps of fixed
// length along the unit vector J / |J|, traced backward and forward from a
// seed until the current becomes weak, the line leaves the grid or the step
// budget is spent.
class ProbabilityStreamlines2D {
public:
    // Points from the backward end through the seed to the forward end; empty
    // when the current is unusable or too weak at the seed.
    static std::vector<StreamlinePoint> trace(const ProbabilityCurrent2D& current, float seedX, float seedY,
                                              const StreamlineParameters& parameters);

    // Appends the points of one half-line (direction +1 or -1) after the
    // start point, which itself is not appended; each direction has
    // max(1, maxSteps / 2) steps.
    static void traceDirection(const ProbabilityCurrent2D& current, float x, float y, float direction,
                               const StreamlineParameters& parameters, std::vector<StreamlinePoint>& points);

    static std::uint64_t stepsPerDirection(const StreamlineParameters& parameters);
};

} // namespace vxo
