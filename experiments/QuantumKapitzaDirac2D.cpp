#include "experiments/QuantumKapitzaDirac2D.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vxo {

namespace {

constexpr const char* kHbar = "Kapitza-Dirac hbar must be finite and positive.";
constexpr const char* kPulseFinite = "Kapitza-Dirac pulse parameters must be finite.";
constexpr const char* kTiming = "Kapitza-Dirac pulse timing/period is invalid.";
constexpr const char* kDepth = "Kapitza-Dirac lattice depth is unreasonably large.";
constexpr const char* kOrder = "Kapitza-Dirac maximum diffraction order must be between 1 and 12.";
constexpr const char* kEmptyField = "Kapitza-Dirac initial field is empty.";
constexpr const char* kInitialFinite = "Kapitza-Dirac initial-state parameters must be finite.";
constexpr const char* kWidths = "Kapitza-Dirac initial-state widths must be positive.";
constexpr const char* kNormalisation = "Kapitza-Dirac initial-state normalization failed.";

constexpr double kMaximumDepth = 10000.0;
constexpr std::int32_t kMaximumOrder = 12;

// The rules of the pulse record itself (hbar aside).
const char* pulseFault(const KapitzaDiracConfig& c)
{
    if (!isFinite(c.latticePeriod) || !isFinite(c.latticeDepth) || !isFinite(c.latticePhaseDegrees) ||
        !isFinite(c.pulseStartTime) || !isFinite(c.pulseDuration) || !isFinite(c.analysisEndTime))
        return kPulseFinite;
    if (!(c.latticePeriod > 0.0) || !(c.pulseDuration > 0.0) || c.pulseStartTime < 0.0 ||
        !(c.analysisEndTime > c.pulseStartTime + c.pulseDuration))
        return kTiming;
    if (std::fabs(c.latticeDepth) > kMaximumDepth)
        return kDepth;
    if (c.maximumOrder < 1 || c.maximumOrder > kMaximumOrder)
        return kOrder;
    return nullptr;
}

const char* initialStateFault(const KapitzaDiracInitialStateConfig& c)
{
    if (!isFinite(c.centerX) || !isFinite(c.centerY) || !isFinite(c.sigmaX) || !isFinite(c.sigmaY) ||
        !isFinite(c.momentumX) || !isFinite(c.momentumY))
        return kInitialFinite;
    if (!(c.sigmaX > 0.0) || !(c.sigmaY > 0.0))
        return kWidths;
    return nullptr;
}

} // namespace

double QuantumKapitzaDirac2D::pulseArea(const KapitzaDiracConfig& config, double hbar)
{
    if (!isFinitePositive(hbar) || !isFinite(config.latticeDepth) || !isFinite(config.pulseDuration))
        return 0.0;
    return config.latticeDepth * config.pulseDuration / (2.0 * hbar);
}

KapitzaDiracPulseState QuantumKapitzaDirac2D::applyPulse(const PotentialScene& scene, const KapitzaDiracConfig& config,
                                                         double t, PotentialField2D& potential)
{
    return applyPulse(scene, config, t, 0.0, potential);
}

double QuantumKapitzaDirac2D::lightShare(const KapitzaDiracConfig& config, double t, double span)
{
    if (pulseFault(config) != nullptr || !isFinite(t) || !isFiniteNonNegative(span))
        return 0.0;
    const double start = config.pulseStartTime;
    const double end = start + config.pulseDuration;
    if (span == 0.0)
        return start <= t && t < end ? 1.0 : 0.0;
    const double lit = std::min(t + 0.5 * span, end) - std::max(t - 0.5 * span, start);
    const double share = std::clamp(lit / span, 0.0, 1.0);
    constexpr double kClockRounding = 1e-6;
    return share < kClockRounding ? 0.0 : share > 1.0 - kClockRounding ? 1.0 : share;
}

KapitzaDiracPulseState QuantumKapitzaDirac2D::applyPulse(const PotentialScene& scene, const KapitzaDiracConfig& config,
                                                         double t, double span, PotentialField2D& potential)
{
    KapitzaDiracPulseState state;
    scene.buildPotential(potential);
    if (pulseFault(config) != nullptr) {
        state.valid = !config.enabled;
        return state;
    }
    if (!config.enabled) {
        state.valid = true;
        return state;
    }
    // The grating is painted in single precision. cos^2(pi x / a + phase / 2)
    // repeats every 360 degrees of phase, so the phase is reduced first and
    // any finite phase paints; a period that single precision cannot hold
    // cannot be painted, and the pulse is reported invalid instead of the
    // painter throwing inside the step loop.
    const bool periodFits = config.latticePeriod <= static_cast<double>(std::numeric_limits<float>::max());
    const float period = periodFits ? static_cast<float>(config.latticePeriod) : 0.0f;
    const float phase = static_cast<float>(std::fmod(config.latticePhaseDegrees, 360.0));
    if (!isFinite(t) || !isFiniteNonNegative(span) || !(period > 0.0f))
        return state;
    const double end = config.pulseStartTime + config.pulseDuration;
    const double share = lightShare(config, t, span);
    state.valid = true;
    state.active = share > 0.0;
    state.finished = t >= end;
    state.depth = config.latticeDepth * share;
    if (state.finished)
        state.progress = 1.0;
    else if (t > config.pulseStartTime)
        state.progress = (t - config.pulseStartTime) / config.pulseDuration;
    if (state.active)
        potential.addStandingWaveX(period, static_cast<float>(state.depth), phase);
    return state;
}

bool QuantumKapitzaDirac2D::prepareInitialState(ComplexField2D& field, const KapitzaDiracInitialStateConfig& config,
                                                double hbar, std::string* error)
{
    if (field.empty())
        return failAnalysisIfEmpty(error, kEmptyField);
    if (!isFinitePositive(hbar))
        return failAnalysisIfEmpty(error, kHbar);
    if (const char* fault = initialStateFault(config))
        return failAnalysisIfEmpty(error, fault);
    const double denominatorX = 4.0 * config.sigmaX * config.sigmaX;
    const double denominatorY = 4.0 * config.sigmaY * config.sigmaY;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double y = gridCoordinateY(field, j);
        const double ey = y - config.centerY;
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double x = gridCoordinateX(field, i);
            const double ex = x - config.centerX;
            const double amplitude = std::exp(-ex * ex / denominatorX - ey * ey / denominatorY);
            const double theta = (config.momentumX * x + config.momentumY * y) / hbar;
            field.at(i, j) = Complex(static_cast<float>(amplitude * std::cos(theta)),
                                     static_cast<float>(amplitude * std::sin(theta)));
        }
    }
    if (!field.normalize())
        return failAnalysisIfEmpty(error, kNormalisation);
    return true;
}

bool QuantumKapitzaDirac2D::validatePulse(const KapitzaDiracConfig& config, double hbar, std::string* error)
{
    const char* fault = isFinitePositive(hbar) ? pulseFault(config) : kHbar;
    if (fault)
        return failAnalysis(error, fault);
    return true;
}

bool QuantumKapitzaDirac2D::validateInitialState(const KapitzaDiracInitialStateConfig& config, std::string* error)
{
    if (const char* fault = initialStateFault(config))
        return failAnalysis(error, fault);
    return true;
}

} // namespace vxo
