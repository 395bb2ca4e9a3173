#pragma once

#include "core/PositionMeasurement.h"

namespace vxo {

// The last single-system collapse: the measurement and the spreads before
// and after, in the order the diagnostics print them.
struct CollapseRecord {
    bool valid = false;
    PositionMeasurementResult result;
    double sigmaXBefore = 0.0;
    double sigmaXAfter = 0.0;
    double sigmaYBefore = 0.0;
    double sigmaYAfter = 0.0;
    double sigmaPxBefore = 0.0;
    double sigmaPxAfter = 0.0;
    double sigmaPyBefore = 0.0;
    double sigmaPyAfter = 0.0;
};

} // namespace vxo
