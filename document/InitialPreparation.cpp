#include "document/InitialPreparation.h"

#include "document/JsonReading.h"

#include <array>

namespace vxo {

namespace {

// Indexed by the enumeration's value.
constexpr std::array<const char*, 17> kTypeNames = {
    "gaussian",
    "boundEigenstate",
    "boundSuperposition",
    "talbotComb",
    "vortex",
    "andersonDualLane",
    "kickedRotor",
    "quantumZeno",
    "berryFirstExcited",
    "moshinskyShutter",
    "kapitzaDiracBeam",
    "aharonovBohmBeam",
    "landauMagneticState",
    "quantumHallEdgeState",
    "quantumBackflowState",
    "diracZitterbewegungState",
    "diracKleinTunnelingState",
};

} // namespace

QString initialPreparationTypeName(InitialPreparationType type) { return enumName(kTypeNames, type, kTypeNames[0]); }

bool initialPreparationTypeFromName(const QString& name, InitialPreparationType& type)
{
    return enumFromName(kTypeNames, name, type);
}

} // namespace vxo
