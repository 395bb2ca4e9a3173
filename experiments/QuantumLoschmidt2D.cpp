#include "experiments/QuantumLoschmidt2D.h"

#include "core/Numeric.h"
#include "core/PhaseFactors.h"
#include "experiments/SceneChecks.h"

#include <cmath>

namespace vxo {

namespace {

constexpr const char* kReversalTime = "Loschmidt reversal time must be finite and positive.";
constexpr const char* kErrorFinite = "Loschmidt momentum-error values must be finite.";
constexpr const char* kErrorLarge = "Loschmidt momentum-error values are unreasonably large.";
constexpr double kMaximumMomentumError = 1000.0;

const char* configurationFault(const LoschmidtConfig& c)
{
    if (!isFinitePositive(c.reversalTime))
        return kReversalTime;
    if (!isFinite(c.momentumErrorX) || !isFinite(c.momentumErrorY))
        return kErrorFinite;
    if (std::fabs(c.momentumErrorX) > kMaximumMomentumError || std::fabs(c.momentumErrorY) > kMaximumMomentumError)
        return kErrorLarge;
    return nullptr;
}

} // namespace

bool QuantumLoschmidt2D::applyReversal(ComplexField2D& field, const LoschmidtConfig& config, double hbar)
{
    if (field.empty() || !isFinitePositive(hbar))
        return false;
    if (config.enabled && configurationFault(config) != nullptr)
        return false;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double phaseY = config.momentumErrorY * gridCoordinateY(field, j);
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double phi = (phaseY + config.momentumErrorX * gridCoordinateX(field, i)) / hbar;
            field.at(i, j) = plainProduct(std::conj(field.at(i, j)), unitPhase(phi));
        }
    }
    return field.normalize();
}

bool QuantumLoschmidt2D::validateConfiguration(const LoschmidtConfig& config, const char** message)
{
    if (!config.enabled)
        return true;
    if (const char* fault = configurationFault(config))
        return failAnalysis(message, fault);
    return true;
}

} // namespace vxo
