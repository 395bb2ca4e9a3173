#include "experiments/QuantumVortex2D.h"

#include "core/Numeric.h"
#include "experiments/GaussianEnvelope.h"
#include "experiments/GridCoordinates.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vxo {

namespace {

constexpr const char* kTrapNotFound = "QuantumVortex2D: harmonic trap not found";
constexpr const char* kOnlyHarmonic = "QuantumVortex2D: vortex guided analysis expects only one harmonic object";
constexpr const char* kOneHarmonic = "QuantumVortex2D: expected exactly one enabled harmonic trap";
constexpr const char* kCurvature = "QuantumVortex2D: trap curvature must be positive";
constexpr const char* kIsotropic = "QuantumVortex2D: guided vortex requires an isotropic harmonic trap";
constexpr const char* kFinite = "QuantumVortex2D: configuration values must be finite";
constexpr const char* kSigma = "QuantumVortex2D: envelope sigma must be positive";
constexpr const char* kCharge = "QuantumVortex2D: charge must be +1 or -1";
constexpr const char* kEmptyField = "QuantumVortex2D: field must not be empty";
constexpr const char* kNormalisation = "QuantumVortex2D: normalization failed";

const char* stateFault(const VortexInitialState& s)
{
    if (!isFinite(s.envelopeCenterX) || !isFinite(s.envelopeCenterY) || !isFinite(s.envelopeSigma) ||
        !isFinite(s.coreX) || !isFinite(s.coreY))
        return kFinite;
    if (!(s.envelopeSigma > 0.0) || !(s.envelopeSigma <= 1000.0))
        return kSigma;
    if (s.charge != 1 && s.charge != -1)
        return kCharge;
    return nullptr;
}

// Phase difference wrapped into (-pi, pi].
double wrappedDifference(float to, float from)
{
    double d = static_cast<double>(to) - static_cast<double>(from);
    while (d <= -kPi)
        d += 2.0 * kPi;
    while (d > kPi)
        d -= 2.0 * kPi;
    return d;
}

} // namespace

bool QuantumVortex2D::extractTrap(const PotentialScene& scene, VortexTrap& trap, std::string* error)
{
    trap = VortexTrap{};
    if (scene.empty())
        return failAnalysis(error, kTrapNotFound);
    const PotentialObject* harmonic = nullptr;
    for (const PotentialObject& object : scene.objects()) {
        if (!object.enabled)
            continue;
        if (object.kind != PotentialObjectKind::Harmonic)
            return failAnalysis(error, kOnlyHarmonic);
        if (harmonic)
            return failAnalysis(error, kOneHarmonic);
        harmonic = &object;
    }
    if (!harmonic)
        return failAnalysis(error, kTrapNotFound);
    const double kx = harmonic->curvatureX;
    const double ky = harmonic->curvatureY;
    if (!isFinitePositive(kx) || !isFinitePositive(ky))
        return failAnalysis(error, kCurvature);
    if (!(std::fabs(kx - ky) <= std::max({std::fabs(kx), std::fabs(ky), 1.0}) * 1e-6))
        return failAnalysis(error, kIsotropic);
    trap.found = true;
    trap.centerX = harmonic->centerX;
    trap.centerY = harmonic->centerY;
    trap.curvature = 0.5 * (kx + ky);
    return true;
}

bool QuantumVortex2D::validateConfig(const VortexInitialState& state, std::string* error)
{
    if (const char* fault = stateFault(state))
        return failAnalysis(error, fault);
    return true;
}

bool QuantumVortex2D::prepareInitialState(ComplexField2D& field, const VortexInitialState& state, std::string* error)
{
    if (field.empty())
        return failAnalysisIfEmpty(error, kEmptyField);
    if (const char* fault = stateFault(state))
        return failAnalysisIfEmpty(error, fault);
    const double s = state.charge;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double y = gridCoordinateY(field, j);
        const double ey = y - state.envelopeCenterY;
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double x = gridCoordinateX(field, i);
            const double ex = x - state.envelopeCenterX;
            const double envelope = gaussianEnvelope(ex, ey, state.envelopeSigma);
            field.at(i, j) = Complex(static_cast<float>(envelope * (x - state.coreX)),
                                     static_cast<float>(envelope * s * (y - state.coreY)));
        }
    }
    if (!field.normalize())
        return failAnalysisIfEmpty(error, kNormalisation);
    return true;
}

double QuantumVortex2D::trapOmega(const VortexTrap& trap, double mass)
{
    if (!trap.found || !isFinitePositive(trap.curvature) || !isFinitePositive(mass))
        return 0.0;
    return std::sqrt(trap.curvature / mass);
}

double QuantumVortex2D::trapPeriod(const VortexTrap& trap, double mass)
{
    const double omega = trapOmega(trap, mass);
    return omega == 0.0 ? 0.0 : 2.0 * kPi / omega;
}

void QuantumVortex2D::referenceCore(double t, const VortexInitialState& state, const VortexTrap& trap, double mass,
                                    double& x, double& y)
{
    const double omega = trapOmega(trap, mass);
    if (omega == 0.0 || !isFinite(t)) {
        x = state.coreX;
        y = state.coreY;
        return;
    }
    const double angle = static_cast<double>(state.charge) * omega * t;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    const double rx = state.coreX - trap.centerX;
    const double ry = state.coreY - trap.centerY;
    x = trap.centerX + c * rx - s * ry;
    y = trap.centerY + s * rx + c * ry;
}

VortexCore QuantumVortex2D::findCore(const ComplexField2D& field, const VortexInitialState& state,
                                     const VortexTrap& trap)
{
    VortexCore best;
    const std::uint64_t nx = field.nx();
    const std::uint64_t ny = field.ny();
    if (nx < 3 || ny < 3 || !trap.found)
        return best;

    const double radius = std::max(4.0 * state.envelopeSigma, 2.5);
    const double radiusSquared = radius * radius;
    const std::int32_t expected = state.charge >= 0 ? 1 : -1;
    const double dx = field.dx();
    const double dy = field.dy();

    // Each cell's phase is taken once, for the two rows of plaquettes it
    // corners, over the columns of the search disc's box.
    const auto columnOf = [&](double x) { return static_cast<std::int64_t>(std::floor(x / dx + centreOffset(nx))); };
    const std::uint64_t first = static_cast<std::uint64_t>(
        std::clamp<std::int64_t>(columnOf(trap.centerX - radius) - 1, 0, static_cast<std::int64_t>(nx) - 1));
    const std::uint64_t last = static_cast<std::uint64_t>(
        std::clamp<std::int64_t>(columnOf(trap.centerX + radius) + 2, 0, static_cast<std::int64_t>(nx) - 1));
    std::vector<float> below(nx), above(nx);
    const auto phasesOf = [&](std::uint64_t j, std::vector<float>& phases) {
        for (std::uint64_t i = first; i <= last; ++i) {
            const Complex v = field.at(i, j);
            phases[i] = std::atan2(v.imag(), v.real());
        }
    };
    // Plaquette row j lies between cell rows j - 1 and j.
    const auto plaquetteY = [&](std::uint64_t j) { return 0.5 * (cellCentre(j - 1, ny, dy) + cellCentre(j, ny, dy)); };
    const auto inBand = [&](std::uint64_t j) {
        const double oy = plaquetteY(j) - trap.centerY;
        return j >= 1 && j < ny && oy * oy <= radiusSquared;
    };
    for (std::uint64_t j = 1; j < ny; ++j) {
        if (!inBand(j))
            continue;
        if (!inBand(j - 1))
            phasesOf(j - 1, above);
        below.swap(above);
        phasesOf(j, above);
        const double cy = plaquetteY(j);
        const double oy = cy - trap.centerY;
        for (std::uint64_t i = std::max<std::uint64_t>(first, 1); i <= last; ++i) {
            const double cx = 0.5 * (cellCentre(i - 1, nx, dx) + cellCentre(i, nx, dx));
            const double ox = cx - trap.centerX;
            if (ox * ox + oy * oy > radiusSquared)
                continue;
            // Corners counterclockwise: (i-1, j-1), (i, j-1), (i, j), (i-1, j).
            const float phases[4] = {below[i - 1], below[i], above[i], above[i - 1]};
            double circulation = 0.0;
            for (int c = 0; c < 4; ++c)
                circulation += wrappedDifference(phases[(c + 1) % 4], phases[c]);
            const auto winding = static_cast<std::int32_t>(std::lround(circulation / (2.0 * kPi)));
            if (winding != expected)
                continue;
            const Complex corners[4] = {field.at(i - 1, j - 1), field.at(i, j - 1), field.at(i, j), field.at(i - 1, j)};
            double density = 0.0;
            for (int c = 0; c < 4; ++c)
                density += static_cast<double>(std::norm(corners[c]));
            density *= 0.25;
            if (!best.found || density < best.coreDensity) {
                best.found = true;
                best.x = cx;
                best.y = cy;
                best.winding = winding;
                best.coreDensity = density;
            }
        }
    }
    return best;
}

} // namespace vxo
