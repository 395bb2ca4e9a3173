#pragma once

#include "app/protocols/BerryLoopApplier.h"
#include "app/protocols/DriveApplier.h"
#include "app/protocols/KapitzaDiracPulseApplier.h"
#include "app/protocols/MoshinskyShutterApplier.h"
#include "app/protocols/QuenchApplier.h"
#include "document/ExperimentSettingsRecords.h"

namespace vxo {

// The protocol appliers of the window: each holds its own run state (armed or
// fired, current value, stage, loop or pulse) between the steps; the rebuild
// resets them all.
struct ProtocolAppliers {
    QuenchApplier quenchApplier;
    DriveApplier<PeriodicDrive> periodicDriveApplier;
    DriveApplier<LinearSweep> linearSweepApplier;
    DriveApplier<RamseySequence> ramseyApplier;
    BerryLoopApplier berryLoopApplier;
    MoshinskyShutterApplier moshinskyShutterApplier;
    KapitzaDiracPulseApplier kapitzaDiracPulseApplier;
};

} // namespace vxo
