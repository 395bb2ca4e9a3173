#pragma once

// Zitterbewegung of a free two-component Dirac packet. A packet holding both
// energy branches of H(p) = c sigma.p + m c^2 sigma_z drifts along its
// central momentum and trembles at the angular frequency 2E / hbar,
// E = sqrt(c^2 p^2 + (m c^2)^2), from the interference of the two branches.
// The drift predicted from the central momentum is c^2 p / E for a
// positive-energy packet and c^4 m p / E^2 for a packet in the upper
// component only (the positive branch's velocity times its weight
// (1 + m c^2 / E) / 2, plus the negative branch's).
//
// Coordinates of this experiment are x_i = (i - nx/2) dx, y_j = (j - ny/2) dy,
// half a cell off the cell centres; the packet is placed and measured on
// the same grid.

#include "core/DiracSpinor2D.h"

#include <cstdint>
#include <string>
#include <utility>

namespace vxo {

struct ZitterbewegungConfig {
    bool enabled = false;
    double lightSpeed = 1.0; // c, [0.05, 20]
    double restMass = 0.5;   // m, [0.02, 20]
    double centerX = -6.0;   // |x0| <= 1000
    double centerY = 0.0;    // |y0| <= 1000
    double sigma = 3.5;      // [0.25, 20]
    double momentumX = 0.5;  // |p_x| <= 20
    double momentumY = 0.0;  // |p_y| <= 20
    static constexpr std::uint32_t kMixedBranches = 0;
    static constexpr std::uint32_t kPositiveEnergyProjection = 1;
    std::uint32_t preparationMode = kMixedBranches;
    double analysisEndTime = 12.0; // [0.2, 200]
};

struct ZitterbewegungSample {
    double time = 0.0;
    double meanX = 0.0;
    double meanY = 0.0;
    double velocityX = 0.0;  // c <sigma_x>
    double velocityY = 0.0;  // c <sigma_y>
    double detrendedX = 0.0; // <x> minus the drift line
    double detrendedY = 0.0;
    double upperWeight = 0.0;
    double lowerWeight = 0.0;
    double norm = 0.0;
};

class QuantumZitterbewegung2D {
public:
    // "QuantumZitterbewegung2D: invalid configuration" for any failure.
    static bool validateConfiguration(const ZitterbewegungConfig& config, std::string* error);

    // Fills the spinor (grid already set, powers of two) with the normalised
    // packet of the configured mode. Never throws; a failure is reported
    // only into an error text that is still empty.
    static bool prepareInitialState(DiracSpinor2D& spinor, const ZitterbewegungConfig& config, double hbar,
                                    std::string* error);

    // Centroid of |upper|^2 + |lower|^2; 0, 0 for an empty or zero spinor.
    static void spinorCentroid(const DiracSpinor2D& spinor, double& x, double& y);
    // The same with each cell taken at its image of the periodic box nearest
    // to (aboutX, aboutY): about the packet, a packet that crossed an edge
    // is measured whole instead of split between the box's two sides.
    static void spinorCentroidAbout(const DiracSpinor2D& spinor, double aboutX, double aboutY, double& x,
                                    double& y);

    // (P+, P-): the split of the spinor between the two energy branches,
    // normalised to sum 1; (0, 0) when it cannot be computed.
    static std::pair<double, double> energyBranchWeights(const DiracSpinor2D& spinor,
                                                         const ZitterbewegungConfig& config, double hbar);

    // One sample at time t; detrended against the predicted drift line
    // through the reference centroid (x0, y0).
    static ZitterbewegungSample makeSample(const DiracSpinor2D& spinor, const ZitterbewegungConfig& config, double t,
                                           double x0, double y0);
    // The same with the centroid taken about (aboutX, aboutY).
    static ZitterbewegungSample makeSampleAbout(const DiracSpinor2D& spinor, const ZitterbewegungConfig& config,
                                                double t, double x0, double y0, double aboutX, double aboutY);

    // 2E / hbar of the central momentum; 0 when hbar is not positive.
    static double angularFrequency(const ZitterbewegungConfig& config, double hbar);
    // 2 pi / angularFrequency; 0 when that is not positive.
    static double period(const ZitterbewegungConfig& config, double hbar);
    // Drift velocity along x predicted from the central momentum.
    static double predictedDriftVelocityX(const ZitterbewegungConfig& config);
};

} // namespace vxo
