#pragma once

#include "experiments/DriveProtocols.h"
#include "experiments/QuantumAharonovBohm2D.h"
#include "experiments/QuantumAnderson2D.h"
#include "experiments/QuantumBackflow2D.h"
#include "experiments/QuantumBerryPhase2D.h"
#include "experiments/QuantumHallEdge2D.h"
#include "experiments/QuantumKapitzaDirac2D.h"
#include "experiments/QuantumKickedRotor2D.h"
#include "experiments/QuantumKleinTunneling2D.h"
#include "experiments/QuantumLandau2D.h"
#include "experiments/QuantumLoschmidt2D.h"
#include "experiments/QuantumMoshinsky2D.h"
#include "experiments/QuantumRamsey2D.h"
#include "experiments/QuantumScar2D.h"
#include "experiments/QuantumTalbot2D.h"
#include "experiments/QuantumVortex2D.h"
#include "experiments/QuantumZeno2D.h"
#include "experiments/QuantumZitterbewegung2D.h"

namespace vxo {

// One settings record per experiment feature, each at the values of a new
// document: the drive protocols, the Ramsey ensemble and the experiments'
// settings and initial states. Both an experiment document and a guided
// preset carry this set, so a preset's records are copied into a document as
// one block. Plain data throughout: copies are bit for bit.
struct ExperimentSettingsRecords {
    QuantumQuench quantumQuench;
    PeriodicDrive periodicDrive;
    LinearSweep linearSweep;
    RamseySequence ramseySequence;
    RamseyEnsemble ramseyEnsemble;
    TalbotInitialState talbotInitialState;
    VortexInitialState vortexInitialState;
    AndersonInitialStateConfig andersonInitialState;
    KickedRotorConfig kickedRotor;
    KickedRotorInitialStateConfig kickedRotorInitialState;
    ZenoConfig quantumZeno;
    ZenoInitialStateConfig quantumZenoInitialState;
    ScarConfig quantumScar;
    BerryConfig quantumBerry;
    LoschmidtConfig quantumLoschmidt;
    MoshinskyInitialStateConfig moshinskyInitialState;
    MoshinskyConfig quantumMoshinsky;
    KapitzaDiracInitialStateConfig kapitzaDiracInitialState;
    KapitzaDiracConfig quantumKapitzaDirac;
    AharonovBohmConfig quantumAharonovBohm;
    LandauConfig quantumLandau;
    HallEdgeConfig quantumHallEdge;
    BackflowConfig quantumBackflow;
    ZitterbewegungConfig quantumZitterbewegung;
    KleinTunnelingConfig quantumKleinTunneling;
};

} // namespace vxo
