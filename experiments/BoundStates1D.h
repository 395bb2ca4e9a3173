#pragma once

#include "experiments/BoundStateResult.h"

#include <algorithm>
#include <complex>
#include <vector>

namespace vxo {

class ComplexField2D;
class PotentialField2D;

// Parameters of the bound-state search.
struct BoundStateSettings {
    double mass = 1.0;
    double hbar = 1.0;
    double imaginaryTimeStep = 0.02; // d tau of one relaxation step
    int maxIterations = 2600;        // >= 50
    int maxStates = 5;               // 1..16
    double energyTolerance = 1e-10;  // relative energy change counted as converged
    double yTolerance = 1e-5;        // relative tolerance of the y-invariance test
};

// Lowest stationary states of H = p^2/(2m) + V(x), with V(x) the middle row of
// a potential grid that does not vary along y.
//
// States are found one after another by imaginary-time relaxation
//   phi <- P_V . IFFT(P_K . FFT(P_V . phi)),
//   P_K = exp(-K dtau / hbar), P_V = exp(-(V - Vmin) dtau / (2 hbar)), K = hbar^2 k^2 / (2m),
// a Strang split of exp(-H dtau / hbar), which damps every component by
// exp(-(E - Vmin) tau / hbar) so that the lowest one survives. After every step
// the candidate is made orthogonal (two passes of Gram-Schmidt) to the states
// already stored, so the relaxation converges to the next level. The search
// stops at the first candidate whose energy is not below the continuum
// threshold, the smaller of the two edge averages of V.
class BoundStates1D {
public:
    using Vector = std::vector<std::complex<double>>;

    // The middle row of a grid and the operators of its relaxation: x and
    // V(x), the spectral kinetic energy in unshifted FFT order and the
    // half-step propagators P_K and P_V (V taken from its minimum).
    struct RowOperators {
        std::vector<double> x;
        std::vector<double> potential;
        std::vector<double> kinetic;
        std::vector<double> kineticPropagator;
        std::vector<double> potentialPropagator;
        double vMin = 0.0;
        double vMax = 0.0;
        // How far below the continuum threshold a state's energy must lie.
        double continuumMargin() const { return 1e-5 * std::max(vMax - vMin, 1.0); }
    };
    // False when a value of the row is not finite (the row then unusable).
    static bool readRow(const PotentialField2D& grid, const BoundStateSettings& settings, RowOperators& row);

    // Never throws: every refusal is the result's message with ok false.
    static BoundStateResult compute(const PotentialField2D& grid, const BoundStateSettings& settings);
    // The same search, each state relaxed from the state of `start` with its
    // number when that one has the grid's width: states followed along a
    // potential that changes a little at a time converge in a fraction of the
    // steps a fixed start takes, to the same tolerance.
    static BoundStateResult compute(const PotentialField2D& grid, const BoundStateSettings& settings,
                                    const BoundStateResult& start);

    // psi(x, y) = phi_n(x) / sqrt(ny dy) on every row, then normalised.
    // False (psi untouched) for a failed check.
    static bool prepareEigenstate(ComplexField2D& psi, const BoundStateResult& result, int n);
    // psi = (phi_a + e^{i phase} phi_b) / (sqrt 2 sqrt(ny dy)) on every row, then normalised.
    static bool prepareSuperposition(ComplexField2D& psi, const BoundStateResult& result, int a, int b, double phase);

    // In-place radix-2 transform; the inverse divides by N. Throws
    // std::invalid_argument for a length that is 0 or not a power of two.
    static void fft(Vector& data, bool inverse);
    // <phi|H|phi> = dx sum Re(conj(phi) (T phi + V phi)), T applied spectrally.
    static double applyHamiltonian(const Vector& phi, const std::vector<double>& potential,
                                   const std::vector<double>& kinetic, double dx);
    // One relaxation step phi <- P_V F^-1 P_K F P_V phi with the half-step
    // propagators given (lengths of phi).
    static void relaxationStep(Vector& phi, const std::vector<double>& potentialPropagator,
                               const std::vector<double>& kineticPropagator);
    // The first two start vectors turned within their span to the two that
    // one relaxation step (P_V F^-1 P_K F P_V, with the half-step propagators
    // given) keeps apart, the larger first, after making them orthonormal
    // (Rayleigh-Ritz on the step); nothing for fewer than two. A start taken
    // from a well that has moved a little lies off the new pair mostly by a
    // turn within the pair, which the relaxation removes only at the rate of
    // the pair's splitting, in a double well the slowest of all; what lies
    // outside the pair it removes at the rate of the next gap.
    static void alignPair(std::vector<Vector>& starts, const std::vector<double>& potentialPropagator,
                          const std::vector<double>& kineticPropagator, double dx);
    // A relaxed vector as a result stores it: turned so that its largest
    // sample (the first of equal ones) is real and positive, its real part
    // in single precision, numbered `number`, with its energy and nodes.
    static BoundState storedState(Vector phi, double energy, int number);
    // Scales v to dx sum |v|^2 = 1; false (v unchanged) when the norm is not above 1e-30 or not finite.
    static bool normalize(Vector& v, double dx);
    // Two passes of classical Gram-Schmidt against the basis, then normalize.
    static bool orthogonalize(Vector& v, const std::vector<Vector>& basis, double dx);
    // The smaller of the means of the first and last max(nx / 10, 4) values.
    static double continuumThreshold(const std::vector<double>& potential);
};

} // namespace vxo
