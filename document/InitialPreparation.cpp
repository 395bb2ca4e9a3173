#include "document/InitialPreparation.h"

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

QString initialPreparationTypeName(InitialPreparationType type)
{
    const auto index = static_cast<std::uint32_t>(type);
    return QString::fromLatin1(index < kTypeNames.size() ? kTypeNames[index] : kTypeNames[0]);
}

bool initialPreparationTypeFromName(const QString& name, InitialPreparationType& type)
{
    for (std::uint32_t i = 0; i < kTypeNames.size(); ++i) {
        if (name == QLatin1String(kTypeNames[i])) {
            type = static_cast<InitialPreparationType>(i);
            return true;
        }
    }
    return false;
}

} // namespace vxo
