#pragma once

#include "core/PotentialObject.h"
#include "experiments/ComplexMatrix2x2.h"

#include <string>
#include <vector>

namespace vxo {

class ComplexField2D;
class DensitySums2D;
class PotentialScene;

// The barrier pair found in the Potential Scene, ordered by centerX.
struct DoubleBarrierConfig {
    bool valid = false;
    PotentialObject leftBarrier;
    PotentialObject rightBarrier;
    double leftOuterX = 0.0;     // left.centerX - left.thickness / 2
    double leftInnerX = 0.0;     // left.centerX + left.thickness / 2
    double rightInnerX = 0.0;    // right.centerX - right.thickness / 2
    double rightOuterX = 0.0;    // right.centerX + right.thickness / 2
    double cavityWidth = 0.0;    // rightInnerX - leftInnerX
    double centerDistance = 0.0; // right.centerX - left.centerX
};

// Probability left of, under, between and right of the barriers.
struct DoubleBarrierRegions {
    double total = 0.0;
    double left = 0.0;
    double barriers = 0.0;
    double cavity = 0.0;
    double right = 0.0;
    double leftFraction = 0.0;
    double barriersFraction = 0.0;
    double cavityFraction = 0.0;
    double rightFraction = 0.0;
};

// A stretch of constant potential along the direction of incidence.
struct PotentialLayer {
    double length = 0.0;
    double value = 0.0;
};

// One point of a transmission scan: energy or cavity width, and T.
struct TransmissionPoint {
    double abscissa = 0.0;
    double transmission = 0.0;
};

// Resonant tunnelling through two rectangular barriers (heights V1, V2, widths
// w1, w2, separated by a cavity of width L) for a plane wave of energy E
// incident from the left, with V = 0 outside the barriers and in the cavity.
//
// (psi, psi') is carried across each region of constant wavenumber q by
//   M(q, d) = [[cos qd, sin(qd)/q], [-q sin qd, cos qd]]   ([[1, d], [0, 1]] for q -> 0),
// with q = sqrt(2m(E - V))/hbar complex under a barrier top, and
// M = M(q2, w2) M(k, L) M(q1, w1). Matching psi = e^{ikx} + r e^{-ikx} on the
// left to t e^{ikx} on the right gives t, and T = |t|^2.
class QuantumResonance2D {
public:
    // Accepts exactly two enabled, valid Barrier objects (and no other enabled
    // object) that leave an open cavity; otherwise writes one message.
    static bool extractFromScene(const PotentialScene& scene, DoubleBarrierConfig& config, std::string* error);

    static DoubleBarrierRegions regionProbabilities(const ComplexField2D& psi, const DoubleBarrierConfig& config);
    // The same from the column sums of the density, which a tick has read
    // already: the regions are bounded in x alone.
    static DoubleBarrierRegions regionProbabilities(const DensitySums2D& sums, const DoubleBarrierConfig& config);

    // T in [0, 1]; 0 for invalid input or a singular matching system.
    static double transmission(double energy, double v1, double w1, double cavity, double v2, double w2, double mass,
                               double hbar);
    static ComplexMatrix2x2 regionTransferMatrix(ComplexD q, double length);
    // The same matching across any sequence of layers, crossed from the
    // first to the last, with V = 0 on both sides: T in [0, 1], 0 for an
    // energy, mass or hbar that is not finite and positive, a layer of
    // negative or non-finite length or value, or a singular system.
    static double layeredTransmission(double energy, const std::vector<PotentialLayer>& layers, double mass,
                                      double hbar);

    // T(E) at the configuration's cavity width, n points over [Emin, Emax].
    static std::vector<TransmissionPoint> transmissionCurve(const DoubleBarrierConfig& config, double energyMin,
                                                            double energyMax, int n, double mass, double hbar);
    // T(L) at fixed E, n points over [max(Lmin, 0), Lmax].
    static std::vector<TransmissionPoint> cavityWidthScan(const DoubleBarrierConfig& config, double widthMin,
                                                          double widthMax, int n, double energy, double mass,
                                                          double hbar);
};

} // namespace vxo
