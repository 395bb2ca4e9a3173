#include "experiments/QuantumBouncer2D.h"

#include "core/Numeric.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

constexpr const char* kRequires = "Quantum bouncer requires one floor Rectangle and one positive Linear-Y slope.";
constexpr const char* kOnlyFloorAndSlope =
    "Quantum bouncer scene must contain only one floor Rectangle and one Linear-Y term.";
constexpr const char* kOneFloor = "Quantum bouncer expects exactly one horizontal positive Rectangle floor.";
constexpr const char* kOneSlope = "Quantum bouncer expects exactly one downward Linear-Y force term.";

// |a_n| of the first eight zeros of the Airy function Ai.
constexpr double kAiryZeros[8] = {2.338107410459767, 4.08794944413097, 5.520559828095551, 6.786708090071759,
                                  7.944133587120853, 9.02265085334098, 10.04017434155809, 11.00852430373326};

bool isFloor(const PotentialObject& object)
{
    return object.kind == PotentialObjectKind::Rectangle && object.value > 0.0f && object.width > 4.0f * object.height;
}

bool isUpwardSlope(const PotentialObject& object)
{
    return object.kind == PotentialObjectKind::Linear && std::fabs(object.slopeX) < 1e-7f && object.slopeY > 0.0f;
}

} // namespace

bool QuantumBouncer2D::extractFromScene(const PotentialScene& scene, BouncerConfig& config, std::string* error)
{
    config = BouncerConfig{};
    if (scene.empty())
        return failAnalysis(error, kRequires);
    const PotentialObject* floor = nullptr;
    const PotentialObject* slope = nullptr;
    for (const PotentialObject& object : scene.objects()) {
        if (!object.enabled)
            continue;
        if (isFloor(object)) {
            if (floor)
                return failAnalysis(error, kOneFloor);
            floor = &object;
        } else if (isUpwardSlope(object)) {
            if (slope)
                return failAnalysis(error, kOneSlope);
            slope = &object;
        } else {
            return failAnalysis(error, kOnlyFloorAndSlope);
        }
    }
    if (!floor || !slope)
        return failAnalysis(error, kRequires);
    config.valid = true;
    config.floorY = static_cast<double>(floor->centerY) + 0.5 * static_cast<double>(floor->height);
    config.floorHeight = floor->value;
    config.force = slope->slopeY;
    return true;
}

double QuantumBouncer2D::airyLength(const BouncerConfig& config, double mass, double hbar)
{
    if (!config.valid || !isFinitePositive(config.force) || !isFinitePositive(mass) || !isFinitePositive(hbar))
        return 0.0;
    return std::cbrt(hbar * hbar / (2.0 * mass * config.force));
}

double QuantumBouncer2D::levelEnergy(std::uint32_t n, const BouncerConfig& config, double mass, double hbar)
{
    const double ell = airyLength(config, mass, hbar);
    if (n > 7 || ell == 0.0)
        return 0.0;
    return config.force * ell * kAiryZeros[n];
}

double QuantumBouncer2D::levelHeight(std::uint32_t n, const BouncerConfig& config, double mass, double hbar)
{
    const double ell = airyLength(config, mass, hbar);
    if (n > 7 || ell == 0.0)
        return config.floorY;
    return config.floorY + ell * kAiryZeros[n];
}

double QuantumBouncer2D::classicalHeight(double t, const BouncerConfig& config, double mass, double y0, double p0)
{
    if (!config.valid || !(config.force > 0.0) || !(mass > 0.0) || !isFiniteNonNegative(t) || !isFinite(mass) ||
        !isFinite(config.force) || !isFinite(y0) || !isFinite(p0))
        return y0;
    const double g = config.force / mass;
    const double floorY = config.floorY;
    double v = p0 / mass;
    double y = std::max(y0, floorY);
    // On the floor and moving down: the impact is now, so reflect before
    // flying (otherwise the time to the floor is 0 and the mass would stay put).
    if (y <= floorY && v < 0.0)
        v = -v;

    const double ballistic = [&] {
        const double drop = std::max(y - floorY, 0.0);
        return (v + std::sqrt(std::max(0.0, v * v + 2.0 * g * drop))) / g;
    }();
    if (ballistic <= 1e-12 || ballistic > t)
        return std::max(floorY, y + v * t - 0.5 * g * t * t);

    // Every later flight leaves the floor with the impact speed and lasts the
    // same time, so the remaining time is taken modulo that period.
    const double impactSpeed = g * ballistic - v;
    const double period = 2.0 * impactSpeed / g;
    if (!(period > 1e-12))
        return floorY;
    const double tau = std::fmod(t - ballistic, period);
    return std::max(floorY, floorY + impactSpeed * tau - 0.5 * g * tau * tau);
}

} // namespace vxo
