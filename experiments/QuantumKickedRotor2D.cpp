#include "experiments/QuantumKickedRotor2D.h"

#include "core/Numeric.h"
#include "core/PhaseFactors.h"
#include "experiments/EventSchedule.h"
#include "experiments/GaussianEnvelope.h"
#include "experiments/SceneChecks.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace vxo {

namespace {

constexpr const char* kEmptyField = "QuantumKickedRotor2D: field must not be empty";
constexpr const char* kKickFinite = "QuantumKickedRotor2D: kick parameters must be finite";
constexpr const char* kTiming = "QuantumKickedRotor2D: kick timing is invalid";
constexpr const char* kShortPeriod = "QuantumKickedRotor2D: kick period must be at least 0.001";
constexpr const char* kStrength = "QuantumKickedRotor2D: phase strength must be positive and bounded";
constexpr const char* kDomain = "QuantumKickedRotor2D: invalid periodic X domain";
constexpr const char* kInitialFinite = "QuantumKickedRotor2D: initial-state values must be finite";
constexpr const char* kSigma = "QuantumKickedRotor2D: Y sigma must be positive";
constexpr const char* kMode = "QuantumKickedRotor2D: initial momentum mode is out of range";
constexpr const char* kNormalisation = "QuantumKickedRotor2D: normalization failed";

constexpr double kMaximumStrength = 100.0;
constexpr double kMaximumSigma = 1000.0;
constexpr std::int32_t kMaximumMode = 10000;

const char* kickFault(const KickedRotorConfig& c)
{
    if (!isFinite(c.firstKickTime) || !isFinite(c.kickPeriod) || !isFinite(c.phaseStrength))
        return kKickFinite;
    if (c.firstKickTime < 0.0 || !(c.kickPeriod > 0.0))
        return kTiming;
    if (c.kickPeriod < kMinimumEventPeriod)
        return kShortPeriod;
    if (!(c.phaseStrength > 0.0) || c.phaseStrength > kMaximumStrength)
        return kStrength;
    return nullptr;
}

const char* initialStateFault(const KickedRotorInitialStateConfig& c)
{
    if (!isFinite(c.yCenter) || !isFinite(c.ySigma))
        return kInitialFinite;
    if (!(c.ySigma > 0.0) || c.ySigma > kMaximumSigma)
        return kSigma;
    if (c.initialMomentumMode < -kMaximumMode || c.initialMomentumMode > kMaximumMode)
        return kMode;
    return nullptr;
}

} // namespace

double QuantumKickedRotor2D::periodicLength(const ComplexField2D& field)
{
    return static_cast<double>(field.nx()) * static_cast<double>(field.dx());
}

double QuantumKickedRotor2D::scaledKickPeriod(const ComplexField2D& field, const KickedRotorConfig& config, double mass,
                                              double hbar)
{
    const double length = periodicLength(field);
    if (!(length > 0.0) || !isFinitePositive(mass) || !isFinitePositive(hbar) || !(config.kickPeriod > 0.0))
        return 0.0;
    const double wave = 2.0 * kPi / length;
    const double tau = wave * wave * hbar * config.kickPeriod / mass;
    return isFinite(tau) ? tau : 0.0;
}

double QuantumKickedRotor2D::classicalStochasticity(const ComplexField2D& field, const KickedRotorConfig& config,
                                                    double mass, double hbar)
{
    const double tau = scaledKickPeriod(field, config, mass, hbar);
    return tau == 0.0 ? 0.0 : tau * config.phaseStrength;
}

double QuantumKickedRotor2D::kickTime(const KickedRotorConfig& config, std::uint64_t n)
{
    return config.firstKickTime + static_cast<double>(n) * config.kickPeriod;
}

double QuantumKickedRotor2D::kickPeriod(const KickedRotorConfig& config) { return config.kickPeriod; }

bool QuantumKickedRotor2D::applyKick(ComplexField2D& field, const KickedRotorConfig& config, std::string* error)
{
    if (field.empty())
        return failAnalysis(error, kEmptyField);
    if (const char* fault = kickFault(config))
        return failAnalysis(error, fault);
    const double length = periodicLength(field);
    if (!(length > 0.0) || !isFinite(length))
        return failAnalysis(error, kDomain);
    // One phase factor per column (as its offset from one), applied row by row.
    const std::uint64_t nx = field.nx();
    std::vector<Complex> factors(nx);
    for (std::uint64_t i = 0; i < nx; ++i)
        factors[i] = unitPhaseOffset(-config.phaseStrength * std::cos(2.0 * kPi * gridCoordinateX(field, i) / length));
    for (std::uint64_t j = 0; j < field.ny(); ++j)
        multiplyCells(field.data() + j * nx, factors.data(), nx);
    return true;
}

bool QuantumKickedRotor2D::prepareInitialState(ComplexField2D& field, const KickedRotorInitialStateConfig& config,
                                               std::string* error)
{
    if (field.empty())
        return failAnalysisIfEmpty(error, kEmptyField);
    if (const char* fault = initialStateFault(config))
        return failAnalysisIfEmpty(error, fault);
    // Modes at or beyond nx / 2 alias onto another mode of the grid.
    if (static_cast<std::uint64_t>(std::abs(config.initialMomentumMode)) >= field.nx() / 2)
        return failAnalysisIfEmpty(error, kMode);
    const double length = periodicLength(field);
    if (!(length > 0.0) || !isFinite(length))
        return failAnalysisIfEmpty(error, kDomain);

    const double wave = 2.0 * kPi * static_cast<double>(config.initialMomentumMode) / length;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double dy = gridCoordinateY(field, j) - config.yCenter;
        const double envelope = gaussianEnvelope(dy, config.ySigma);
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double theta = wave * gridCoordinateX(field, i);
            field.at(i, j) =
                Complex(static_cast<float>(envelope * std::cos(theta)), static_cast<float>(envelope * std::sin(theta)));
        }
    }
    if (!field.normalize())
        return failAnalysisIfEmpty(error, kNormalisation);
    return true;
}

bool QuantumKickedRotor2D::validateKick(const KickedRotorConfig& config, std::string* error)
{
    if (const char* fault = kickFault(config))
        return failAnalysis(error, fault);
    return true;
}

bool QuantumKickedRotor2D::validateInitialState(const KickedRotorInitialStateConfig& config, std::string* error)
{
    if (const char* fault = initialStateFault(config))
        return failAnalysis(error, fault);
    return true;
}

std::uint64_t QuantumKickedRotor2D::applyDueKicks(ComplexField2D& field, const KickedRotorConfig& config,
                                                  std::uint64_t& kickCounter, double t, double dt,
                                                  const std::function<void(std::uint64_t)>& afterKick)
{
    return applyDueEvents(
        kickCounter, t, dt, [&config](std::uint64_t n) { return kickTime(config, n); },
        [&](std::uint64_t n) {
            if (!applyKick(field, config, nullptr))
                return EventOutcome::Refused;
            if (afterKick)
                afterKick(n + 1);
            return EventOutcome::Applied;
        });
}

} // namespace vxo
