#include "app/panels/KleinReferencePages.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vxo {

namespace {

constexpr std::int32_t kAnglePoints = 71;
constexpr std::int32_t kHeightPoints = 241;
constexpr std::int32_t kMassPoints = 181;
constexpr std::int32_t kMasslessPoints = 141;

} // namespace

double kleinReferenceMarkerAngle(const KleinTunnelingConfig& settings)
{
    return std::fabs(QuantumKleinTunneling2D::incidenceAngleDegrees(settings));
}

double kleinMasslessMarkerAngle(const KleinTunnelingConfig& settings)
{
    const double angle = kleinReferenceMarkerAngle(settings);
    // A NaN angle stays NaN: no marker rather than one at the edge.
    return angle > kKleinReferenceLastAngleDegrees ? kKleinReferenceLastAngleDegrees : angle;
}

KleinAngleScan buildKleinAngleReference(const KleinTunnelingConfig& settings, double hbar)
{
    return buildKleinAngleScan(settings, kKleinReferenceFirstAngleDegrees, kKleinReferenceLastAngleDegrees,
                               kAnglePoints, hbar);
}

double kleinHeightReferenceLastHeight(double barrierHeight) { return std::max(1.2 * barrierHeight, 4.0); }

KleinHeightScan buildKleinHeightReference(const KleinTunnelingConfig& settings, double hbar)
{
    return buildKleinHeightScan(settings, 0.0, kleinHeightReferenceLastHeight(settings.barrierHeight), kHeightPoints,
                                hbar);
}

double kleinMassReferenceLastMass(const KleinTunnelingConfig& settings)
{
    const double c = settings.lightSpeed;
    const double kinematicLimit = QuantumKleinTunneling2D::energy(settings) / (c * c);
    const double wanted = std::max(1.1 * settings.restMass, 1.4);
    const double reachable = 0.985 * kinematicLimit;
    // Written out so that a NaN limit gives NaN (no interval), not 1.4.
    return wanted < reachable ? wanted : reachable;
}

KleinMassScan buildKleinMassReference(const KleinTunnelingConfig& settings, double hbar)
{
    const double lastMass = kleinMassReferenceLastMass(settings);
    if (!(lastMass > kKleinReferenceFirstMass))
        return KleinMassScan{};
    return buildKleinMassScan(settings, kKleinReferenceFirstMass, lastMass, kMassPoints, hbar);
}

DiracMasslessComparison buildDiracMasslessReference(const KleinTunnelingConfig& settings, double hbar)
{
    return buildDiracMasslessComparison(settings, kKleinReferenceControlMass, kKleinReferenceFirstAngleDegrees,
                                        kKleinReferenceLastAngleDegrees, kMasslessPoints, hbar);
}

} // namespace vxo
