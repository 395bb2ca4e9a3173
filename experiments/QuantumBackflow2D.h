#pragma once

// Quantum backflow. The initial state is built in momentum space from
// positive wave numbers k_x > 0 only,
//   phi(k_x, k_y) = [exp(-(k_x - k1)^2 / (2 sigma_k^2)) + r e^{i phi} exp(-(k_x - k2)^2 / (2 sigma_k^2))]
//                   exp(-k_y^2 sigma_y^2 / 2),
// shifted so that the packet sits at x0 across a Gaussian exp(-y^2 / (2 sigma_y^2)).
// Although every component moves to +x, the probability current
//   J = (hbar / m) sum_j Im(conj(psi) dpsi/dx) dy
// through a vertical line can turn negative for a while. The probability
// that flows backwards over any time interval is bounded by the
// Bracken-Melloy constant, about 0.0385.
//
// The experiment measures on the column grid x_i = (i - nx/2) dx, half a cell
// left of the cell centres: the prepared packet's centre lies at x0 + dx/2,
// the detector column llround(nx/2 + detectorX/dx) lies about half a cell to
// the right of detectorX, and the left/right split uses the same coordinates.

#include "core/ComplexField2D.h"

#include <string>

namespace vxo {

struct BackflowConfig {
    bool enabled = false;
    double detectorX = 0.0;              // |x| <= 1000
    double slowWaveNumber = 0.35;        // k1, 0 < k1 <= 8
    double fastWaveNumber = 1.3;         // k2, k1 < k2 <= 12
    double momentumSigma = 0.3;          // sigma_k, [0.03, 3]
    double fastAmplitudeRatio = 0.52;    // r, 0 < r <= 2
    double relativePhaseDegrees = 180.0; // phi, finite
    double initialCenterX = -1.8;        // x0, |x0| <= 1000
    double transverseSigma = 2.5;        // sigma_y, [0.2, 12]
    double analysisEndTime = 4.0;        // [0.1, 100]
};

// The flux through the detector line and the probabilities on both sides;
// backwardFlux is the recorder's running integral.
struct BackflowSample {
    double time = 0.0;
    double flux = 0.0;
    double probabilityLeft = 0.0;
    double probabilityRight = 0.0;
    double backwardFlux = 0.0;
};

class QuantumBackflow2D {
public:
    // "QuantumBackflow2D: invalid configuration" for any failure.
    static bool validateConfiguration(const BackflowConfig& config, std::string* error);

    // Writes the normalised two-component positive-momentum state into the
    // field (grid kept; nx and ny powers of two). Never throws; a failure is
    // reported only into an error text that is still empty.
    static bool prepareInitialState(ComplexField2D& field, const BackflowConfig& config, double hbar,
                                    std::string* error);
};

// Share of sum |psi~|^2 in the columns with k_x > 0 (Nyquist column
// included); 0 for an empty or non-power-of-two grid or a zero spectrum.
double positiveMomentumFraction(const ComplexField2D& field);

// Flux and side probabilities at time t, backwardFlux 0. All zero but the
// time for an empty field, a grid narrower than 3 columns, or a mass or hbar
// that is not positive and finite.
BackflowSample backflowFlux(const ComplexField2D& field, const BackflowConfig& config, double mass, double hbar,
                            double t);

// Detector column llround(nx/2 + detectorX/dx), clamped to [1, nx - 2] before
// rounding; requires nx >= 3.
std::uint64_t backflowDetectorColumn(const ComplexField2D& field, double detectorX);

} // namespace vxo
