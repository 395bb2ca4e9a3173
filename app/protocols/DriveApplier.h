#pragma once

#include "app/protocols/ProtocolContext.h"
#include "experiments/DriveProtocols.h"

#include <cstdint>

namespace vxo {

// The continuously evaluated protocols: periodic drive, linear sweep and
// Ramsey sequence (Record is PeriodicDrive, LinearSweep or RamseySequence).
// While enabled and valid against the scene each call rasterises the scene
// with the protocol's value at t into the potential; there is no memory
// beyond the last value applied, its sweep progress (linear sweep) and its
// pulse stage (Ramsey sequence, the stage index of ramseyPhaseAt).
template <typename Record>
class DriveApplier {
public:
    // True after a successful application (the caller's potential-contour
    // cache is stale). Without a usable scene the value, progress and stage
    // return to 0 and the protocol is inactive; disabled or invalid settings
    // make it inactive and keep the value; an evaluation that does not apply
    // changes nothing. The force flag of the context is not needed: every
    // call rewrites the potential.
    bool apply(const ProtocolContext& context, const Record& settings);
    void clear();

    bool active() const { return active_; }
    double value() const { return value_; }
    double progress() const { return progress_; }
    std::int32_t stage() const { return stage_; }

private:
    bool active_ = false;
    double value_ = 0.0;
    double progress_ = 0.0;
    std::int32_t stage_ = 0;
};

extern template class DriveApplier<PeriodicDrive>;
extern template class DriveApplier<LinearSweep>;
extern template class DriveApplier<RamseySequence>;

} // namespace vxo
