#pragma once

// Stationary parameter scans of the Klein barrier, each a curve of the
// plane-wave transmission of kleinBarrierReference computed from the stored
// settings: against the angle of incidence, against the barrier height,
// against the rest mass at fixed energy, and massless versus massive against
// the angle at equal energy. Point i of n sits at
// first + (last - first) i / (n - 1). Builders return the default record
// (valid false, no points) when their preconditions fail; a point whose own
// computation fails is still stored, with valid false.

#include "experiments/KleinBarrierReference.h"
#include "experiments/QuantumKleinTunneling2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct KleinAngleScan {
    bool valid = false;
    double hbar = 1.0;
    double momentumMagnitude = 0.0;
    double energy = 0.0;
    double barrierHeight = 0.0;
    double barrierWidth = 0.0;
    double firstAngleDegrees = 0.0;
    double lastAngleDegrees = 70.0;
    std::vector<KleinAngleScanPoint> points;
};

struct KleinHeightScanPoint {
    bool valid = false;
    double barrierHeight = 0.0;
    double transmission = 0.0;
    double reflection = 0.0;
    double energyAboveBarrier = 0.0;
    double barrierMomentumXSquared = 0.0;
    std::int32_t regime = kKleinRegimeEvanescent;
};

struct KleinHeightScan {
    bool valid = false;
    double hbar = 1.0;
    double momentumMagnitude = 0.0;
    double energy = 0.0;
    double incidenceAngleDegrees = 0.0;
    double barrierWidth = 0.0;
    double firstHeight = 0.0;
    double lastHeight = 4.0;
    double lowerThreshold = 0.0; // E - m c^2
    double kleinThreshold = 0.0; // E + m c^2
    std::vector<KleinHeightScanPoint> points;
};

struct KleinMassScanPoint {
    bool valid = false;
    double restMass = 0.0;
    double restEnergy = 0.0;
    double gap = 0.0;
    double momentumMagnitude = 0.0;
    double transmission = 0.0;
    double reflection = 0.0;
    double barrierMomentumXSquared = 0.0;
    std::int32_t regime = kKleinRegimeEvanescent;
};

struct KleinMassScan {
    bool valid = false;
    double hbar = 1.0;
    double energy = 0.0;
    double incidenceAngleDegrees = 0.0;
    double barrierHeight = 0.0;
    double barrierWidth = 0.0;
    double firstMass = 0.005;
    double lastMass = 1.4;
    double transitionMass = 0.0; // |V0 - E| / c^2
    double maximumMass = 0.0;    // E / c^2
    std::vector<KleinMassScanPoint> points;
};

struct DiracMasslessComparisonPoint {
    bool valid = false;
    double incidenceAngleDegrees = 0.0;
    double masslessTransmission = 0.0;
    double masslessReflection = 0.0;
    double massiveTransmission = 0.0;
    double massiveReflection = 0.0;
};

struct DiracMasslessComparison {
    bool valid = false;
    double hbar = 1.0;
    double energy = 0.0;
    double barrierHeight = 0.0;
    double barrierWidth = 0.0;
    double massiveRestMass = 0.8;
    double masslessMomentum = 0.0;
    double massiveMomentum = 0.0;
    double firstAngleDegrees = 0.0;
    double lastAngleDegrees = 70.0;
    std::vector<DiracMasslessComparisonPoint> points;
};

// Angles in [first, last], 0 <= first < last < 89.9, 2 <= n <= 721.
KleinAngleScan buildKleinAngleScan(const KleinTunnelingConfig& config, double firstAngleDegrees,
                                   double lastAngleDegrees, std::int32_t count, double hbar);

// Transmission at barrier height V0 >= 0 and the settings' |incidence angle|;
// V0 <= 1e-12 is free propagation (T = 1) without a solve.
KleinHeightScanPoint kleinHeightScanPoint(const KleinTunnelingConfig& config, double barrierHeight, double hbar);
// Heights in [first, last], 0 <= first < last, 2 <= n <= 2001; valid with at
// most two failed points.
KleinHeightScan buildKleinHeightScan(const KleinTunnelingConfig& config, double firstHeight, double lastHeight,
                                     std::int32_t count, double hbar);

// Transmission for rest mass m > 0 at the settings' fixed energy and angle.
KleinMassScanPoint kleinMassScanPoint(const KleinTunnelingConfig& config, double restMass, double hbar);
// Masses in [first, last], 0 < first < last < E / c^2, 2 <= n <= 2001; valid
// with at most two failed points.
KleinMassScan buildKleinMassScan(const KleinTunnelingConfig& config, double firstMass, double lastMass,
                                 std::int32_t count, double hbar);

// The settings at normal incidence with rest mass m >= 0 and the same energy.
bool kleinEqualEnergyConfig(const KleinTunnelingConfig& config, double restMass, KleinTunnelingConfig& output);

// Massless and massive (mass m > 0) transmission at equal energy and angle theta.
DiracMasslessComparisonPoint diracMasslessComparisonPoint(const KleinTunnelingConfig& config, double massiveRestMass,
                                                          double angleDegrees, double hbar);
// Angles in [first, last], 0 <= first < last < 89.9, 2 <= n <= 721.
DiracMasslessComparison buildDiracMasslessComparison(const KleinTunnelingConfig& config, double massiveRestMass,
                                                     double firstAngleDegrees, double lastAngleDegrees,
                                                     std::int32_t count, double hbar);

} // namespace vxo
