#pragma once

// Klein tunnelling of a Dirac packet through a square barrier of height V0
// and width w spanning the whole domain height. With the packet's energy
// E = sqrt(c^2 |p|^2 + (m c^2)^2), eps = E - V0 and the longitudinal momentum
// inside the barrier
//   q_x^2 = (eps^2 - (m c^2)^2) / c^2 - p_y^2,
// the barrier carries a propagating positive-energy wave (eps > 0), no
// propagating wave (q_x^2 <= 0 or |eps| <= m c^2: evanescent), or a
// propagating negative-energy wave (eps < 0, supercritical Klein zone)
// through which the packet passes with large probability. At normal
// incidence the boundaries are V0 = E - m c^2 and V0 = E + m c^2.
//
// Coordinates are the cell centres of the grid.

#include "core/DiracSpinor2D.h"
#include "core/PotentialField2D.h"

#include <cstdint>
#include <string>

namespace vxo {

struct KleinTunnelingConfig {
    bool enabled = false;
    double lightSpeed = 1.0; // c > 0
    double restMass = 0.05;  // m >= 0
    double centerX = -10.0;
    double centerY = 0.0;
    double sigma = 2.2;     // > 0
    double momentumX = 1.5; // p_x > 0
    double momentumY = 0.0;
    double barrierCenterX = 0.0;
    double barrierWidth = 3.0;     // w > 0
    double barrierHeight = 3.2;    // V0 > 0
    double detectorX = 6.0;        // > barrierCenterX + w/2
    double analysisEndTime = 16.0; // > 0
};

// Regime codes.
constexpr std::int32_t kKleinRegimePositiveBranch = 0;
constexpr std::int32_t kKleinRegimeEvanescent = 1;
constexpr std::int32_t kKleinRegimeSupercritical = 2;

// The three probabilities are absolute integrals, not divided by the norm.
struct KleinSample {
    double time = 0.0;
    double meanX = 0.0;
    double leftProbability = 0.0;
    double barrierProbability = 0.0;
    double rightProbability = 0.0;
    double detectorFlux = 0.0; // integral of c psi^dagger sigma_x psi along the detector column
    double norm = 0.0;
};

class QuantumKleinTunneling2D {
public:
    // Kinematics of the central momentum.
    static double energy(const KleinTunnelingConfig& config);
    static double momentumMagnitude(const KleinTunnelingConfig& config);
    static double incidenceAngleDegrees(const KleinTunnelingConfig& config);
    static double energyAboveBarrier(const KleinTunnelingConfig& config);
    static double barrierMomentumXSquared(const KleinTunnelingConfig& config);
    static double lowerThreshold(const KleinTunnelingConfig& config);
    static double kleinThreshold(const KleinTunnelingConfig& config);

    static std::int32_t regime(const KleinTunnelingConfig& config);
    static bool isKleinZone(const KleinTunnelingConfig& config);
    static const char* regimeName(std::int32_t code);

    // "QuantumKleinTunneling2D: invalid configuration" for any failure but a
    // detector that does not lie beyond the barrier, which is named.
    static bool validateConfiguration(const KleinTunnelingConfig& config, std::string* error);

    // Zeroes the whole grid (discarding what the scene painted) and paints the
    // barrier, taller than the domain. Never throws; a failure is reported
    // only into an error text that is still empty.
    static bool buildPotential(PotentialField2D& potential, const KleinTunnelingConfig& config, std::string* error);

    // The positive-energy projection of the configured Gaussian, normalised.
    // Never throws; a failure is reported only into an error text that is
    // still empty.
    static bool prepareInitialState(DiracSpinor2D& spinor, const KleinTunnelingConfig& config, double hbar,
                                    std::string* error);

    static KleinSample makeSample(const DiracSpinor2D& spinor, const KleinTunnelingConfig& config, double time);

    // Column whose centre is nearest detectorX, the lower index on a tie;
    // 0 when no distance compares (NaN).
    static std::uint64_t detectorColumn(const DiracSpinor2D& spinor, double detectorX);
};

} // namespace vxo
