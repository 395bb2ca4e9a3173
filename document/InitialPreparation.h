#pragma once

#include <QString>

#include <cstdint>

namespace vxo {

// The state a run starts from.
enum class InitialPreparationType : std::uint32_t {
    Gaussian = 0,
    BoundEigenstate = 1,
    BoundSuperposition = 2,
    TalbotComb = 3,
    Vortex = 4,
    AndersonDualLane = 5,
    KickedRotor = 6,
    QuantumZeno = 7,
    BerryFirstExcited = 8,
    MoshinskyShutter = 9,
    KapitzaDiracBeam = 10,
    AharonovBohmBeam = 11,
    LandauMagneticState = 12,
    QuantumHallEdgeState = 13,
    QuantumBackflowState = 14,
    DiracZitterbewegungState = 15,
    DiracKleinTunnelingState = 16,
};

// How the initial wave function is prepared: a Gaussian packet, a bound
// eigenstate `stateA`, the superposition of `stateA` and `stateB` with the
// relative phase, or an experiment's own state.
struct InitialPreparation {
    InitialPreparationType type = InitialPreparationType::Gaussian;
    std::int32_t stateA = 0;
    std::int32_t stateB = 3;
    double relativePhaseDegrees = 90.0;
};

// The name a document file uses for the type; "gaussian" for a value outside
// the enumeration.
QString initialPreparationTypeName(InitialPreparationType type);
// Exact, case-sensitive match of one of the 17 names; `type` is left alone
// when the name is unknown.
bool initialPreparationTypeFromName(const QString& name, InitialPreparationType& type);

} // namespace vxo
