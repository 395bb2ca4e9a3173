#pragma once

#include "experiments/ComplexMatrix2x2.h"

namespace vxo {

class ColumnAmplitudes2D;
class ComplexField2D;
struct BoundStateResult;
struct LinearSweep;

// Landau-Zener prediction for one passage of the bias through zero.
struct LandauZenerReference {
    bool valid = false;
    int stateI = 0;
    int stateJ = 1;
    double energyI = 0.0;
    double energyJ = 0.0;
    double gap = 0.0;                  // Delta = |E_j - E_i|
    double dipoleElement = 0.0;        // d
    double sweepRate = 0.0;            // (endValue - startValue) / duration
    double diabaticRate = 0.0;         // alpha = 2 |sweepRate d|
    double crossingTime = 0.0;         // where the forward ramp passes zero bias
    double diabaticProbability = 0.0;  // exp(-pi Delta^2 / (2 hbar alpha))
    double adiabaticProbability = 0.0; // 1 - P_d
    double localizingPhase = 0.0;      // 0 or pi
    double localizingSign = 1.0;       // +1 when cos(localizingPhase) >= 0, else -1
};

// A wave field projected on the pair at the current bias.
struct SweepPopulations {
    bool valid = false;
    ComplexD amplitudeI;
    ComplexD amplitudeJ;
    double captured = 0.0;
    double leftPopulation = 0.0;
    double rightPopulation = 0.0;
    double lowerPopulation = 0.0;
    double upperPopulation = 0.0;
    double lowerEnergy = 0.0;
    double upperEnergy = 0.0;
};

// Landau-Zener transition of the biased double well. With H(F) = [[E_i, F d],
// [F d, E_j]] the diabatic (localised) states differ in energy by 2 F d and are
// coupled by Delta / 2. A linear sweep F(t) crosses F = 0 at rate alpha = 2 |dF/dt d|
// in the diabatic energy difference, and the probability of staying diabatic
// (jumping across the gap) is
//   P_d = exp(-2 pi (Delta/2)^2 / (hbar alpha)) = exp(-pi Delta^2 / (2 hbar alpha)).
class QuantumLandauZener2D {
public:
    // Valid for a valid pair, hbar > 0, an enabled sweep of parameter 6 with
    // finite values, duration > 0, startTime >= 0, a gap and a dipole above
    // 1e-12, alpha above 1e-15, and a zero crossing within the forward ramp.
    static LandauZenerReference predict(const BoundStateResult& result, const LinearSweep& sweep, int i, int j,
                                        double hbar);
    static bool projectOnPair(const ComplexField2D& psi, const BoundStateResult& result, int i, int j, ComplexD& ci,
                              ComplexD& cj);
    // Localised (left/right) and instantaneous adiabatic (lower/upper)
    // populations at bias F, for the pair of the reference.
    static SweepPopulations instantaneousPopulations(const ComplexField2D& psi, const BoundStateResult& result,
                                                     const LandauZenerReference& reference, double bias);
    // The same populations measured on `steppedPair`, the bound states of the
    // potential the run is being stepped with (the bias as it stands now),
    // rather than on the two-level model built from the unbiased pair: the
    // states of the pair of the reference are the lower and upper levels, and
    // the left and right states are the pair's combinations that diagonalise
    // x (the localised states of the wells). While the potential stands still
    // every population but left and right is a constant of the motion; the
    // unbiased pair spans another plane, which the static Hamiltonian of a
    // biased well turns in and out of the pair as it beats with higher levels.
    static SweepPopulations steppedPopulations(const ComplexField2D& psi, const BoundStateResult& steppedPair,
                                               const LandauZenerReference& reference);
    // The same from psi's column sums (ColumnAmplitudes2D).
    static SweepPopulations steppedPopulations(const ColumnAmplitudes2D& columns, const BoundStateResult& steppedPair,
                                               const LandauZenerReference& reference);
    // How far the populations `read` on `pair` may lie from those read on
    // the exact pair of its row when either of its states lies off that pair
    // by at most `offPair` (the Ritz pairs of FollowedPairBasis, which are
    // turned within their span as the exact pair is), to first order in
    // offPair and second in the turns it causes: a state's move out of the
    // pair reaches psi only through psi's weight outside the pair
    // (1 - captured), and it turns the left and right states, the pair's
    // eigenstates of x, by at most 2 offPair (|Q x phi_i| + |Q x phi_j|) /
    // (their separation in x), Q the projection out of the pair. Infinite
    // when the pair or the reading cannot be used.
    static double readingError(const BoundStateResult& pair, double offPair, const SweepPopulations& read,
                               const LandauZenerReference& reference);
};

} // namespace vxo
