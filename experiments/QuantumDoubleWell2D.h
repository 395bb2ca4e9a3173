#pragma once

#include "experiments/ComplexMatrix2x2.h"

#include <string>

namespace vxo {

class ColumnAmplitudes2D;
class DensitySums2D;
class ComplexField2D;
class PotentialScene;
struct BoundStateResult;

// The symmetric double well found in the Potential Scene: two outer walls and
// a central barrier (positive Rectangles), with at most one Linear bias object.
struct DoubleWellConfig {
    bool valid = false;
    double leftWellStart = 0.0;  // left.centerX + left.width / 2
    double leftWellEnd = 0.0;    // middle.centerX - middle.width / 2
    double barrierStart = 0.0;   // = leftWellEnd
    double barrierEnd = 0.0;     // middle.centerX + middle.width / 2
    double rightWellStart = 0.0; // = barrierEnd
    double rightWellEnd = 0.0;   // right.centerX - right.width / 2
    double barrierHeight = 0.0;  // central barrier's value
};

struct DoubleWellRegions {
    double total = 0.0;
    double leftWell = 0.0;
    double barrier = 0.0;
    double rightWell = 0.0;
    double outside = 0.0;

    // Region / total, 0 when total is not above 1e-30.
    double leftWellFraction() const;
    double rightWellFraction() const;
    double barrierFraction() const;
    double outsideFraction() const;
};

// Two bound states i, j of the double well seen as a two-level system.
struct TwoLevelParameters {
    bool valid = false;
    double energyI = 0.0;
    double energyJ = 0.0;
    double meanEnergy = 0.0;
    double splitting = 0.0;        // |E_j - E_i|
    double tunnellingPeriod = 0.0; // 2 pi hbar / splitting
    double halfPeriod = 0.0;
    double localizingPhase = 0.0;          // 0 or pi
    double localizedLeftProbability = 0.0; // left-well probability of the localised combination
};

// Projection of a wave field on the pair (phi_i, phi_j) spread over y.
struct TwoLevelPopulations {
    bool valid = false;
    ComplexD c1;
    ComplexD c2;
    double population1 = 0.0;
    double population2 = 0.0;
    double captured = 0.0;
    // Bloch vector of the captured part; 0 unless captured > 1e-15.
    double blochX = 0.0;
    double blochY = 0.0;
    double blochZ = 0.0;
};

// Double-well analysis. The lowest pair of bound states of a symmetric double
// well, phi_i (even) and phi_j (odd), split by the tunnelling splitting
// Delta = |E_j - E_i|; the combinations (phi_i +- phi_j)/sqrt 2 are localised in
// one well each and a packet started in one well tunnels across with period
// 2 pi hbar / Delta. States are referred to by their position in the result.
class QuantumDoubleWell2D {
public:
    static bool extractFromScene(const PotentialScene& scene, DoubleWellConfig& config, std::string* error);
    static DoubleWellRegions regionProbabilities(const ComplexField2D& psi, const DoubleWellConfig& config);
    // The same from psi's density sums: the regions are bands of columns.
    static DoubleWellRegions regionProbabilities(const DensitySums2D& sums, const DoubleWellConfig& config);

    // ok, distinct non-negative indices below the number of states, and both
    // eigenfunctions as long as the x axis.
    static bool isValidPair(const BoundStateResult& result, int i, int j);
    // Fraction at x < 0 of |(phi_i + e^{i phase} phi_j)/sqrt 2|^2.
    static double leftWellProbability(const BoundStateResult& result, int i, int j, double phase);
    // pi when the combination with phase pi is more localised on the left, else 0;
    // the larger left probability goes to the optional out value.
    static double localizingPhase(const BoundStateResult& result, int i, int j, double* probability = nullptr);
    static TwoLevelParameters twoLevelParameters(const BoundStateResult& result, int i, int j, double hbar);
    // d = <phi_i | x | phi_j> = sum phi_i x phi_j dx.
    static double dipoleMatrixElement(const BoundStateResult& result, int i, int j);
    // c = sum over all cells of phi(x_i)/sqrt(ny dy) psi dx dy (the basis is real).
    static TwoLevelPopulations twoLevelPopulations(const ComplexField2D& psi, const BoundStateResult& result, int i,
                                                   int j);
    // The same projection as two amplitudes; false when the pair or the grid does not fit.
    static bool projectOnPair(const ComplexField2D& psi, const BoundStateResult& result, int i, int j, ComplexD& ci,
                              ComplexD& cj);
    // Both, from psi's column sums: a reader that has them projects on any
    // pair without another read of psi.
    static TwoLevelPopulations twoLevelPopulations(const ColumnAmplitudes2D& columns, const BoundStateResult& result,
                                                   int i, int j);
    static bool projectOnPair(const ColumnAmplitudes2D& columns, const BoundStateResult& result, int i, int j,
                              ComplexD& ci, ComplexD& cj);
};

} // namespace vxo
