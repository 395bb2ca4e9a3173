#pragma once

#include "core/PotentialScene.h"
#include "document/InitialPreparation.h"
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

#include <QString>
#include <QVariantMap>

#include <cstdint>

namespace vxo {

// Everything needed to rebuild a run of the laboratory: the form's control
// values keyed by object name, the Potential Scene, the initial preparation,
// the measurement-collapse resolution and one settings record per experiment
// feature. A plain value: copying replaces every member (maps and scenes are
// replaced, never merged), and moving takes over the strings, the control map
// and the scene's objects.
struct ExperimentDocument {
    static constexpr std::int32_t kCurrentSchemaVersion = 28;

    std::int32_t schemaVersion = kCurrentSchemaVersion;
    QString name;
    QString sourcePreset;
    QVariantMap controls; // bool, int, double or QString values
    bool potentialSceneActive = false;
    PotentialScene potentialScene;
    InitialPreparation initialPreparation;
    double measurementCollapseResolution = 0.65;

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
