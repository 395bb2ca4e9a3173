#include "experiments/KleinScans.h"

#include "core/Numeric.h"

#include <cmath>
#include <cstddef>

namespace vxo {

namespace {

constexpr std::int32_t kMaximumAnglePoints = 721;
constexpr std::int32_t kMaximumScanPoints = 2001;
// The height and mass scans tolerate this many failed points.
constexpr std::size_t kToleratedFailures = 2;

bool settingsValid(const KleinTunnelingConfig& config)
{
    return QuantumKleinTunneling2D::validateConfiguration(config, nullptr);
}

// first, last finite, lowest <= first < last (strictly above lowest when
// strictLower), and 2 <= count <= maximum.
bool intervalUsable(double first, double last, double lowest, bool strictLower, std::int32_t count,
                    std::int32_t maximum)
{
    if (!isFinite(first) || !isFinite(last) || !(first < last))
        return false;
    if (strictLower ? !(first > lowest) : !(first >= lowest))
        return false;
    return count >= 2 && count <= maximum;
}

// Point i of n: i / (n - 1) times the span, plus first.
double scanValue(double first, double last, std::int32_t i, std::int32_t count)
{
    return static_cast<double>(i) / static_cast<double>(count - 1) * (last - first) + first;
}

// The points at the values of scanValue, each from pointAt(value).
template <typename PointAt>
auto scanPoints(double first, double last, std::int32_t count, PointAt pointAt)
{
    std::vector<decltype(pointAt(first))> points;
    points.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i)
        points.push_back(pointAt(scanValue(first, last, i, count)));
    return points;
}

template <typename Point>
std::size_t validCount(const std::vector<Point>& points)
{
    std::size_t n = 0;
    for (const Point& p : points)
        n += p.valid ? 1 : 0;
    return n;
}

template <typename Point>
bool allValid(const std::vector<Point>& points, std::int32_t count)
{
    return points.size() == static_cast<std::size_t>(count) && validCount(points) == points.size();
}

template <typename Point>
bool mostlyValid(const std::vector<Point>& points, std::int32_t count)
{
    const std::size_t n = static_cast<std::size_t>(count);
    return points.size() == n && validCount(points) + kToleratedFailures >= n;
}

// Momentum magnitude squared at the fixed energy E for rest energy m c^2:
// (E^2 - (m c^2)^2) / c^2; usable when m c^2 < E and the result is positive and finite.
bool momentumSquaredAtEnergy(double energy, double restMass, double lightSpeed, double& p2)
{
    const double restEnergy = restMass * lightSpeed * lightSpeed;
    if (!(restEnergy < energy))
        return false;
    p2 = (energy * energy - restEnergy * restEnergy) / (lightSpeed * lightSpeed);
    return p2 > 0.0 && std::isfinite(p2);
}

} // namespace

KleinAngleScan buildKleinAngleScan(const KleinTunnelingConfig& config, double firstAngleDegrees,
                                   double lastAngleDegrees, std::int32_t count, double hbar)
{
    KleinAngleScan scan;
    if (!settingsValid(config) ||
        !intervalUsable(firstAngleDegrees, lastAngleDegrees, 0.0, false, count, kMaximumAnglePoints) ||
        !(lastAngleDegrees < kKleinLargestAngleDegrees) || !isFinitePositive(hbar))
        return scan;
    scan.hbar = hbar;
    scan.momentumMagnitude = QuantumKleinTunneling2D::momentumMagnitude(config);
    scan.energy = QuantumKleinTunneling2D::energy(config);
    scan.barrierHeight = config.barrierHeight;
    scan.barrierWidth = config.barrierWidth;
    scan.firstAngleDegrees = firstAngleDegrees;
    scan.lastAngleDegrees = lastAngleDegrees;
    scan.points = scanPoints(firstAngleDegrees, lastAngleDegrees, count,
                             [&](double angle) { return kleinBarrierReference(config, angle, hbar); });
    scan.valid = allValid(scan.points, count);
    return scan;
}

KleinHeightScanPoint kleinHeightScanPoint(const KleinTunnelingConfig& config, double barrierHeight, double hbar)
{
    KleinHeightScanPoint point;
    point.barrierHeight = barrierHeight;
    if (!settingsValid(config) || !isFiniteNonNegative(barrierHeight) || !isFinitePositive(hbar))
        return point;
    const double E = QuantumKleinTunneling2D::energy(config);
    point.energyAboveBarrier = E - barrierHeight;
    if (barrierHeight <= 1e-12) {
        // No barrier: the free longitudinal momentum, full transmission.
        const double restEnergy = config.restMass * config.lightSpeed * config.lightSpeed;
        point.regime = kKleinRegimePositiveBranch;
        point.transmission = 1.0;
        point.reflection = 0.0;
        point.barrierMomentumXSquared = (E * E - restEnergy * restEnergy) / (config.lightSpeed * config.lightSpeed) -
                                        config.momentumY * config.momentumY;
        point.valid = true;
        return point;
    }
    KleinTunnelingConfig copy = config;
    copy.barrierHeight = barrierHeight;
    point.barrierMomentumXSquared = QuantumKleinTunneling2D::barrierMomentumXSquared(copy);
    point.regime = QuantumKleinTunneling2D::regime(copy);
    const KleinAngleScanPoint reference =
        kleinBarrierReference(copy, std::fabs(QuantumKleinTunneling2D::incidenceAngleDegrees(config)), hbar);
    if (reference.valid) {
        point.transmission = reference.transmission;
        point.reflection = reference.reflection;
        point.valid = true;
    }
    return point;
}

KleinHeightScan buildKleinHeightScan(const KleinTunnelingConfig& config, double firstHeight, double lastHeight,
                                     std::int32_t count, double hbar)
{
    KleinHeightScan scan;
    if (!settingsValid(config) || !intervalUsable(firstHeight, lastHeight, 0.0, false, count, kMaximumScanPoints) ||
        !isFinitePositive(hbar))
        return scan;
    scan.hbar = hbar;
    scan.momentumMagnitude = QuantumKleinTunneling2D::momentumMagnitude(config);
    scan.energy = QuantumKleinTunneling2D::energy(config);
    scan.incidenceAngleDegrees = QuantumKleinTunneling2D::incidenceAngleDegrees(config);
    scan.barrierWidth = config.barrierWidth;
    scan.firstHeight = firstHeight;
    scan.lastHeight = lastHeight;
    scan.lowerThreshold = QuantumKleinTunneling2D::lowerThreshold(config);
    scan.kleinThreshold = QuantumKleinTunneling2D::kleinThreshold(config);
    scan.points = scanPoints(firstHeight, lastHeight, count,
                             [&](double height) { return kleinHeightScanPoint(config, height, hbar); });
    scan.valid = mostlyValid(scan.points, count);
    return scan;
}

KleinMassScanPoint kleinMassScanPoint(const KleinTunnelingConfig& config, double restMass, double hbar)
{
    KleinMassScanPoint point;
    point.restMass = restMass;
    if (!settingsValid(config) || !isFinitePositive(restMass) || !isFinitePositive(hbar))
        return point;
    const double E = QuantumKleinTunneling2D::energy(config);
    const double c = config.lightSpeed;
    double p2 = 0.0;
    if (!momentumSquaredAtEnergy(E, restMass, c, p2))
        return point;
    const double p = std::sqrt(p2);
    const double angle = QuantumKleinTunneling2D::incidenceAngleDegrees(config);
    const double theta = angle * kPi / 180.0;
    KleinTunnelingConfig copy = config;
    copy.restMass = restMass;
    copy.momentumX = p * std::cos(theta);
    copy.momentumY = p * std::sin(theta);
    if (!settingsValid(copy))
        return point;
    const KleinAngleScanPoint reference = kleinBarrierReference(copy, std::fabs(angle), hbar);
    if (!reference.valid)
        return point;
    point.restEnergy = restMass * c * c;
    point.gap = 2.0 * point.restEnergy;
    point.momentumMagnitude = p;
    point.transmission = reference.transmission;
    point.reflection = reference.reflection;
    point.barrierMomentumXSquared = reference.barrierMomentumXSquared;
    point.regime = reference.regime;
    point.valid = true;
    return point;
}

KleinMassScan buildKleinMassScan(const KleinTunnelingConfig& config, double firstMass, double lastMass,
                                 std::int32_t count, double hbar)
{
    KleinMassScan scan;
    if (!settingsValid(config) || !intervalUsable(firstMass, lastMass, 0.0, true, count, kMaximumScanPoints) ||
        !isFinitePositive(hbar))
        return scan;
    const double E = QuantumKleinTunneling2D::energy(config);
    const double c2 = config.lightSpeed * config.lightSpeed;
    if (!(E / c2 > lastMass))
        return scan;
    scan.hbar = hbar;
    scan.energy = E;
    scan.incidenceAngleDegrees = QuantumKleinTunneling2D::incidenceAngleDegrees(config);
    scan.barrierHeight = config.barrierHeight;
    scan.barrierWidth = config.barrierWidth;
    scan.firstMass = firstMass;
    scan.lastMass = lastMass;
    scan.transitionMass = std::fabs(config.barrierHeight - E) / c2;
    scan.maximumMass = E / c2;
    scan.points =
        scanPoints(firstMass, lastMass, count, [&](double mass) { return kleinMassScanPoint(config, mass, hbar); });
    scan.valid = mostlyValid(scan.points, count);
    return scan;
}

bool kleinEqualEnergyConfig(const KleinTunnelingConfig& config, double restMass, KleinTunnelingConfig& output)
{
    if (!settingsValid(config) || !isFiniteNonNegative(restMass))
        return false;
    double p2 = 0.0;
    if (!momentumSquaredAtEnergy(QuantumKleinTunneling2D::energy(config), restMass, config.lightSpeed, p2))
        return false;
    output = config;
    output.restMass = restMass;
    output.momentumX = std::sqrt(p2);
    output.momentumY = 0.0;
    return settingsValid(output);
}

DiracMasslessComparisonPoint diracMasslessComparisonPoint(const KleinTunnelingConfig& config, double massiveRestMass,
                                                          double angleDegrees, double hbar)
{
    DiracMasslessComparisonPoint point;
    point.incidenceAngleDegrees = angleDegrees;
    if (!kleinAngleUsable(angleDegrees) || !isFinitePositive(hbar) || !isFinitePositive(massiveRestMass))
        return point;
    KleinTunnelingConfig massless;
    KleinTunnelingConfig massive;
    if (!kleinEqualEnergyConfig(config, 0.0, massless) || !kleinEqualEnergyConfig(config, massiveRestMass, massive))
        return point;
    const KleinAngleScanPoint a = kleinBarrierReference(massless, angleDegrees, hbar);
    const KleinAngleScanPoint b = kleinBarrierReference(massive, angleDegrees, hbar);
    if (!a.valid || !b.valid)
        return point;
    point.masslessTransmission = a.transmission;
    point.masslessReflection = a.reflection;
    point.massiveTransmission = b.transmission;
    point.massiveReflection = b.reflection;
    point.valid = true;
    return point;
}

DiracMasslessComparison buildDiracMasslessComparison(const KleinTunnelingConfig& config, double massiveRestMass,
                                                     double firstAngleDegrees, double lastAngleDegrees,
                                                     std::int32_t count, double hbar)
{
    DiracMasslessComparison scan;
    if (!settingsValid(config) || !isFinitePositive(massiveRestMass) ||
        !intervalUsable(firstAngleDegrees, lastAngleDegrees, 0.0, false, count, kMaximumAnglePoints) ||
        !(lastAngleDegrees < kKleinLargestAngleDegrees) || !isFinitePositive(hbar))
        return scan;
    KleinTunnelingConfig massless;
    KleinTunnelingConfig massive;
    if (!kleinEqualEnergyConfig(config, 0.0, massless) || !kleinEqualEnergyConfig(config, massiveRestMass, massive))
        return scan;
    scan.hbar = hbar;
    scan.energy = QuantumKleinTunneling2D::energy(config);
    scan.barrierHeight = config.barrierHeight;
    scan.barrierWidth = config.barrierWidth;
    scan.massiveRestMass = massiveRestMass;
    scan.masslessMomentum = QuantumKleinTunneling2D::momentumMagnitude(massless);
    scan.massiveMomentum = QuantumKleinTunneling2D::momentumMagnitude(massive);
    scan.firstAngleDegrees = firstAngleDegrees;
    scan.lastAngleDegrees = lastAngleDegrees;
    scan.points = scanPoints(firstAngleDegrees, lastAngleDegrees, count, [&](double angle) {
        return diracMasslessComparisonPoint(config, massiveRestMass, angle, hbar);
    });
    scan.valid = allValid(scan.points, count);
    return scan;
}

} // namespace vxo
