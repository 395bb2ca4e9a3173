#pragma once

#include "app/form/FormIndices.h"
#include "experiments/CavityLeak.h"
#include "experiments/DrainedRowTransmission.h"
#include "experiments/ScatteringAbsorption.h"

#include <memory>

namespace vxo {

// The shares of a packet split at a barrier, taken once, at the refresh that
// first sees it separated: what went back, what went through, what was still
// inside (the single barrier's interaction region, the double barrier's
// cavity), and when. They are shares of the whole packet, what the absorbing
// layer took on each side counted there. The pages show this reading for the
// rest of the run, as the measurement the pause was made for, beside what
// the packet passes of the same barrier on a line of the same cells
// (DrainedRowTransmission.h), started when the reading is taken and run in
// slices between the window's events (cellsCheck) until it has ended.
struct SeparationReading {
    bool taken = false;
    double time = 0.0;
    double reflected = 0.0;
    double transmitted = 0.0;
    double inside = 0.0;
    RowTransmission onTheseCells;
    // The check of these cells; none where no check applies.
    std::shared_ptr<DrainedRowTransmission> cellsCheck;

    // Takes the reading unless one was taken; a reading is never overwritten.
    void take(double now, double back, double through, double stillInside)
    {
        if (taken)
            return;
        *this = {true, now, back, through, stillInside, {}, nullptr};
    }
    // The check has started and not yet ended.
    bool checkingCells() const { return cellsCheck && !cellsCheck->finished(); }
};

// What the barrier panels latch during a run: whether the packet has reached
// the barrier and left it again, the reading at separation, the largest
// probability seen inside the resonant cavity, the pair's content watched
// until it can be booked, and the peak of the last resonance scan; and what
// the absorbing layer has taken on each side of the barrier. The rebuild
// clears it.
struct ScatteringBookkeeping {
    // With a barrier to read, the tick counts what the absorbing layer takes
    // into `absorption`, started at the rebuild.
    bool countsAbsorption = false;
    ScatteringAbsorption absorption;
    bool legacyCollisionStarted = false;
    bool legacyPacketSeparated = false;
    SeparationReading legacySeparation;
    bool resonanceCollisionStarted = false;
    bool resonancePacketSeparated = false;
    SeparationReading resonanceSeparation;
    CavityLeakWatch resonanceLeak;
    double maxCavityProbability = 0.0;
    ResonanceScanIndex resonanceSweepKind = ResonanceScanIndex::Energy;
    double resonanceSweepPeakX = 0.0;
    double resonanceSweepPeakT = 0.0;

    // The double barrier's packet transmission: the right-hand share at separation.
    bool packetTransmissionRecorded() const { return resonanceSeparation.taken; }
    double packetTransmission() const { return resonanceSeparation.transmitted; }
};

} // namespace vxo
