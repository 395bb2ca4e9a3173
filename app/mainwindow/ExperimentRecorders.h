#pragma once

#include "experiments/AharonovBohmRecorder.h"
#include "experiments/AndersonRecorder.h"
#include "experiments/BackflowRecorder.h"
#include "experiments/BerryRecorder.h"
#include "experiments/BilliardRecorder.h"
#include "experiments/BouncerRecorder.h"
#include "experiments/DiracKleinRecorder.h"
#include "experiments/DiracZitterbewegungRecorder.h"
#include "experiments/HallEdgeRecorder.h"
#include "experiments/KapitzaDiracRecorder.h"
#include "experiments/KickedRotorRecorder.h"
#include "experiments/LandauRecorder.h"
#include "experiments/LoschmidtRecorder.h"
#include "experiments/MoshinskyRecorder.h"
#include "experiments/QuantumAnderson2D.h"
#include "experiments/QuantumBerryPhase2D.h"
#include "experiments/QuantumBilliard2D.h"
#include "experiments/QuantumBloch2D.h"
#include "experiments/QuantumBouncer2D.h"
#include "experiments/QuantumRevival2D.h"
#include "experiments/QuantumScar2D.h"
#include "experiments/QuantumVortex2D.h"
#include "experiments/RevivalRecorder.h"
#include "experiments/ScarRecorder.h"
#include "experiments/TalbotRecorder.h"
#include "experiments/VortexRecorder.h"
#include "experiments/ZenoRecorder.h"

#include "experiments/PaintedWellRevival.h"

#include <cstdint>

namespace vxo {

// The window's experiment recorders, one of each type, with the geometry
// each was configured on (what the scene checks found) and the counters of
// the experiments that act on the state between the steps. The capacities
// bound the samples each keeps.
struct ExperimentRecorders {
    // Sampled once per observation.
    RevivalBoxConfig revivalBox;
    // The box's level revival times, kept across rebuilds of the same box.
    PaintedWellRevivalMemo revivalLevels;
    RevivalRecorder revivalRecorder{1200};
    BilliardConfig billiardConfig;
    BilliardRecorder billiardRecorder{1600};
    TalbotRecorder talbotRecorder{1000};
    BouncerConfig bouncerConfig;
    BouncerRecorder bouncerRecorder{1200};
    VortexTrap vortexTrap;
    VortexRecorder vortexRecorder{1400};
    AndersonLattice andersonLattice;
    AndersonRecorder andersonRecorder{1200};
    BlochLatticeConfig blochLattice;

    // Kicks and measurements applied so far, and the Zeno survival they left.
    KickedRotorRecorder kickedRotorRecorder{220};
    std::uint64_t kickCount = 0;
    ZenoRecorder zenoRecorder{1800};
    std::uint64_t zenoMeasurementCount = 0;
    double zenoSurvival = 1.0;
    StadiumGeometry stadiumGeometry;
    ScarRecorder scarRecorder{1600};

    // Sampled on their step strides.
    BerryTrap berryTrap;
    BerryRecorder berryRecorder{1200};
    LoschmidtRecorder loschmidtRecorder{1600};
    bool loschmidtReversed = false;
    MoshinskyRecorder moshinskyRecorder{520};
    KapitzaDiracRecorder kapitzaDiracRecorder{320};
    AharonovBohmRecorder aharonovBohmRecorder{320};
    LandauRecorder landauRecorder{420};
    HallEdgeRecorder hallEdgeRecorder{360};
    BackflowRecorder backflowRecorder{420};
    DiracZitterbewegungRecorder zitterbewegungRecorder{640};
    DiracKleinRecorder kleinRecorder{800};
};

} // namespace vxo
