#include "experiments/QuantumBerryPhase2D.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "experiments/FieldProducts.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

constexpr const char* kOnlyHarmonic = "Berry Phase expects one isolated isotropic Harmonic trap.";
constexpr const char* kOneHarmonic = "Berry Phase expects exactly one enabled Harmonic object.";
constexpr const char* kConfinement = "Berry Phase requires a positive harmonic confinement.";
constexpr const char* kIsotropic = "Berry Phase base trap must be isotropic: kX must equal kY.";
constexpr const char* kTrapGeometry = "Berry Phase trap geometry is invalid.";
constexpr const char* kLoopParameters = "Berry Phase loop parameters are invalid.";
constexpr const char* kAnisotropy = "Berry anisotropy is too large: the soft principal curvature must stay positive.";

bool loopValuesUsable(const BerryConfig& c)
{
    return isFinitePositive(c.anisotropy) && isFiniteNonNegative(c.startTime) && isFinitePositive(c.duration) &&
           (c.winding == 1 || c.winding == -1);
}

// The loop-rule fault of an enabled config, null when it passes.
const char* loopFault(const BerryConfig& config, const BerryTrap& trap)
{
    if (!trap.valid || !isFinitePositive(trap.stiffness))
        return kTrapGeometry;
    if (!loopValuesUsable(config))
        return kLoopParameters;
    if (trap.stiffness - 2.0 * config.anisotropy <= 1e-6)
        return kAnisotropy;
    return nullptr;
}

// omega(+/-) = sqrt((k +/- 2a) / m); false when either curvature is not positive.
bool principalFrequencies(const BerryTrap& trap, const BerryConfig& config, double mass, double& omegaPlus,
                          double& omegaMinus)
{
    const double k = trap.stiffness;
    const double a = config.anisotropy;
    if (!(k + 2.0 * a > 0.0) || !(k - 2.0 * a > 0.0))
        return false;
    omegaPlus = std::sqrt((k + 2.0 * a) / mass);
    omegaMinus = std::sqrt((k - 2.0 * a) / mass);
    return isFinite(omegaPlus) && isFinite(omegaMinus);
}

// |omega+ - omega-|, 0 in the zero cases of the gap.
double frequencySplitting(const BerryTrap& trap, const BerryConfig& config, double mass, double hbar)
{
    double plus = 0.0;
    double minus = 0.0;
    if (!trap.valid || !isFinitePositive(mass) || !isFinitePositive(hbar) || !(config.anisotropy > 0.0) ||
        !principalFrequencies(trap, config, mass, plus, minus))
        return 0.0;
    return std::fabs(plus - minus);
}

} // namespace

bool QuantumBerryPhase2D::analyzeTrap(const PotentialScene& scene, BerryTrap& trap, const char** message)
{
    trap = BerryTrap{};
    const PotentialObject* harmonic = nullptr;
    for (const PotentialObject& object : scene.objects()) {
        if (!object.enabled)
            continue;
        if (object.kind != PotentialObjectKind::Harmonic)
            return failAnalysis(message, kOnlyHarmonic);
        if (harmonic)
            return failAnalysis(message, kOneHarmonic);
        harmonic = &object;
    }
    if (!harmonic || !(harmonic->curvatureX > 0.0f) || !(harmonic->curvatureY > 0.0f))
        return failAnalysis(message, kConfinement);
    if (std::fabs(static_cast<double>(harmonic->curvatureX) - static_cast<double>(harmonic->curvatureY)) > 1e-6)
        return failAnalysis(message, kIsotropic);
    trap.valid = true;
    trap.centerX = harmonic->centerX;
    trap.centerY = harmonic->centerY;
    trap.baseValue = harmonic->value;
    trap.stiffness = harmonic->curvatureX;
    return true;
}

bool QuantumBerryPhase2D::validateLoop(const BerryConfig& config, const BerryTrap& trap, const char** message)
{
    if (!config.enabled)
        return true;
    if (const char* fault = loopFault(config, trap))
        return failAnalysis(message, fault);
    return true;
}

BerryLoopState QuantumBerryPhase2D::trapAt(const BerryConfig& config, double t)
{
    BerryLoopState state;
    if (!config.enabled || !isFinite(t) || !isFinite(config.startTime) || !isFinitePositive(config.duration) ||
        !isFinitePositive(config.anisotropy) || (config.winding != 1 && config.winding != -1))
        return state;
    const double end = config.startTime + config.duration;
    double s = 0.0;
    if (t <= config.startTime)
        s = 0.0;
    else if (t >= end)
        s = 1.0;
    else
        s = (t - config.startTime) / config.duration;
    s = std::min(std::max(s, 0.0), 1.0);
    state.valid = true;
    state.active = config.startTime <= t && t < end;
    state.finished = t >= end;
    state.progress = s;
    state.loopAngle = static_cast<double>(config.winding) * 2.0 * kPi * s;
    state.axisAngle = state.loopAngle / 2.0;
    state.q1 = config.anisotropy * std::cos(state.loopAngle);
    state.q2 = config.anisotropy * std::sin(state.loopAngle);
    return state;
}

BerryLoopState QuantumBerryPhase2D::applyLoop(const PotentialScene& scene, const BerryTrap& trap,
                                              const BerryConfig& config, double t, PotentialField2D& potential)
{
    const BerryLoopState state = trapAt(config, t);
    if (!state.valid || loopFault(config, trap) != nullptr)
        return BerryLoopState{};
    scene.buildPotential(potential);
    potential.addQuadrupole(static_cast<float>(trap.centerX), static_cast<float>(trap.centerY),
                            static_cast<float>(state.q1), static_cast<float>(state.q2));
    return state;
}

bool QuantumBerryPhase2D::prepareInitialState(ComplexField2D& field, const BerryTrap& trap, const BerryConfig& config,
                                              double mass, double hbar)
{
    if (field.empty())
        return false;
    if (config.enabled && loopFault(config, trap) != nullptr)
        return false;
    double omegaPlus = 0.0;
    double omegaMinus = 0.0;
    if (!isFinitePositive(mass) || !isFinitePositive(hbar) ||
        !principalFrequencies(trap, config, mass, omegaPlus, omegaMinus))
        return false;
    const double scale = mass / (2.0 * hbar);
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double ey = gridCoordinateY(field, j) - trap.centerY;
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double ex = gridCoordinateX(field, i) - trap.centerX;
            const double value = ey * std::exp(-scale * (omegaPlus * ex * ex + omegaMinus * ey * ey));
            field.at(i, j) = Complex(static_cast<float>(value), 0.0f);
        }
    }
    return field.normalize();
}

std::complex<double> QuantumBerryPhase2D::overlap(const ComplexField2D& reference, const ComplexField2D& field)
{
    if (!sameGrid(reference, field))
        return {0.0, 0.0};
    return overlap(reference, reference.norm(), field, field.norm());
}

std::complex<double> QuantumBerryPhase2D::overlap(const ComplexField2D& reference, double referenceNorm,
                                                  const ComplexField2D& field, double fieldNorm)
{
    if (!sameGrid(reference, field))
        return {0.0, 0.0};
    const double root = std::sqrt(referenceNorm * fieldNorm);
    if (!(root > 1e-15) || !isFinite(root))
        return {0.0, 0.0};
    return innerProduct(reference, field) / root;
}

bool QuantumBerryPhase2D::sameGrid(const ComplexField2D& a, const ComplexField2D& b) { return onIdenticalGrid(a, b); }

double QuantumBerryPhase2D::gapEnergy(const BerryTrap& trap, const BerryConfig& config, double mass, double hbar)
{
    return hbar * frequencySplitting(trap, config, mass, hbar);
}

double QuantumBerryPhase2D::adiabaticityRatio(const BerryTrap& trap, const BerryConfig& config, double mass,
                                              double hbar)
{
    const double splitting = frequencySplitting(trap, config, mass, hbar);
    if (!(config.duration > 0.0) || !(splitting > 0.0))
        return 0.0;
    return kPi / config.duration / splitting;
}

} // namespace vxo
