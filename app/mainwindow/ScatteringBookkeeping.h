#pragma once

#include "app/form/FormIndices.h"

namespace vxo {

// What the barrier panels latch during a run: whether the packet has reached
// the barrier and left it again, the largest probability seen inside the
// resonant cavity, the packet transmission once it was read, and the peak of
// the last resonance scan. The rebuild clears it.
struct ScatteringBookkeeping {
    bool legacyCollisionStarted = false;
    bool legacyPacketSeparated = false;
    bool resonanceCollisionStarted = false;
    bool resonancePacketSeparated = false;
    double maxCavityProbability = 0.0;
    bool packetTransmissionRecorded = false;
    double packetTransmission = 0.0;
    ResonanceScanIndex resonanceSweepKind = ResonanceScanIndex::Energy;
    double resonanceSweepPeakX = 0.0;
    double resonanceSweepPeakT = 0.0;
};

} // namespace vxo
