#pragma once

#include "experiments/ComplexMatrix2x2.h"
#include "experiments/QuantumDoubleWell2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

class ColumnAmplitudes2D;
class ComplexField2D;
struct BoundStateResult;
struct RamseySequence;

// Settings of the detuning ensemble.
struct RamseyEnsemble {
    bool enabled = false;
    double detuningStdDev = 0.06;  // Gaussian spread of the transition frequency, 0..10
    std::int32_t memberCount = 41; // 3..201
};

// Two-level prediction of a Ramsey sequence on the pair (i, j).
struct RamseyReference {
    bool valid = false;
    int stateI = 0;
    int stateJ = 1;
    double energyI = 0.0;
    double energyJ = 0.0;
    double transitionFrequency = 0.0; // omega0 = |E_j - E_i| / hbar
    double driveFrequency = 0.0;
    double detuning = 0.0; // omega - omega0
    double dipoleElement = 0.0;
    double rabiFrequency = 0.0;   // |d amplitude| / hbar
    double halfPiPulseTime = 0.0; // pi / (2 Omega_R), 0 when Omega_R = 0
    double firstPulseEnd = 0.0;
    bool echoEnabled = false;
    double echoStart = 0.0;
    double echoEnd = 0.0;
    double secondPulseStart = 0.0;
    double secondPulseEnd = 0.0;
    double freePrecessionPhase = 0.0; // omega0 F
    double finalPopulation1 = 0.0;
    double finalPopulation2 = 0.0;
};

// One two-level system of the ensemble, with its pulses integrated once.
struct RamseyMember {
    double energyI = 0.0;
    double energyJ = 0.0;
    double dipoleElement = 0.0;
    double weight = 0.0;
    ComplexMatrix2x2 firstPulse{};
    ComplexMatrix2x2 secondPulse{};
    ComplexMatrix2x2 echoPulse{}; // zero without echo
};

struct RamseyEnsembleResult {
    bool valid = false;
    std::int32_t memberCount = 0;
    double detuningStdDev = 0.0;
    double averagePopulation1 = 0.0;
    double averagePopulation2 = 0.0;
    double minPopulation2 = 0.0;
    double maxPopulation2 = 0.0;
};

struct RamseyFringePoint {
    double freeEvolutionDuration = 0.0;
    double phase = 0.0; // omega0 F
    double population1 = 0.0;
    double population2 = 0.0;
};

struct RamseyEnsemblePoint {
    double freeEvolutionDuration = 0.0;
    double averagePopulation1 = 0.0;
    double averagePopulation2 = 0.0;
};

// Ramsey interferometry on the lowest pair of the double well. The pair is
// computed at the sequence's base bias (its `mean`), so the two-level
// Hamiltonian H = [[E_i, f d], [f d, E_j]] already contains that bias and only
// the deviation f = F - mean couples the states: the pulses drive
// f(t) = amplitude sin(omega t' + phi) (t' counted from each pulse's start) and
// the free evolution between them is the bare precession at omega0.
//
// Starting in state i, pulse 1 creates a superposition and pulse 2 turns the
// pair's relative phase against its carrier into a population. The carrier
// restarts with each pulse, so that phase is omega0 (tau + F) over the pulse
// length tau and the free time F (a continuous carrier would leave
// (omega0 - omega)(tau + F)): the final populations oscillate with F (the
// fringe).
// An ensemble of members whose transition frequency is shifted by Gaussian
// detunings averages the fringe out (dephasing); an echo pulse in the middle of
// the free time reverses the accumulated phase and refocuses it.
class QuantumRamsey2D {
public:
    // Product of fourth-order two-level steps over one pulse, with the bias
    // deviation at each step's two Gauss points: each step turns the state by
    // at most kTwoLevelTurnPerStep at the pulse's widest splitting and
    // advances the carrier by no more, at least 80 steps and at most maxSteps
    // (twoLevelFourthOrderStepCount). Identity for duration <= 0.
    static ComplexMatrix2x2 pulsePropagator(double energyI, double energyJ, double dipole,
                                            const RamseySequence& sequence, double duration, double phaseDegrees,
                                            double hbar, long maxSteps);
    // Member whose transition frequency is moved by detuningOffset:
    // E_i - hbar delta/2 and E_j + hbar delta/2; each pulse of at most maxSteps.
    static RamseyMember makeMember(const BoundStateResult& result, const RamseySequence& sequence, int i, int j,
                                   double hbar, double detuningOffset, double weight, long maxSteps);
    // Final populations after pulse 1, the free time F (split by the echo pulse
    // when enabled) and pulse 2, starting in state i.
    static void memberFinalPopulations(const RamseyMember& member, const RamseySequence& sequence, double freeEvolution,
                                       double hbar, double& population1, double& population2);
    static RamseyReference reference(const BoundStateResult& result, const RamseySequence& sequence, int i, int j,
                                     double hbar);
    // Members at detunings z sigma, z evenly spaced over [-3, 3], with Gaussian
    // weights exp(-z^2/2) normalised to sum 1; one member when sigma is 0.
    static std::vector<RamseyMember> ensembleMembers(const BoundStateResult& result, const RamseySequence& sequence,
                                                     const RamseyEnsemble& ensemble, int i, int j, double hbar);
    static void ensembleAverage(const std::vector<RamseyMember>& members, const RamseySequence& sequence,
                                double freeEvolution, double hbar, double& population1, double& population2,
                                double* minPopulation2 = nullptr, double* maxPopulation2 = nullptr);
    static RamseyEnsembleResult ensembleResult(const BoundStateResult& result, const RamseySequence& sequence,
                                               const RamseyEnsemble& ensemble, int i, int j, double hbar);
    static std::vector<RamseyFringePoint> fringeScan(const BoundStateResult& result, const RamseySequence& sequence,
                                                     double freeMin, double freeMax, int n, int i, int j, double hbar);
    static std::vector<RamseyEnsemblePoint> ensembleScan(const BoundStateResult& result, const RamseySequence& sequence,
                                                         const RamseyEnsemble& ensemble, double freeMin, double freeMax,
                                                         int n, int i, int j, double hbar);
    static TwoLevelPopulations twoLevelPopulations(const ComplexField2D& psi, const BoundStateResult& result, int i,
                                                   int j);
    // The same from psi's column sums (QuantumDoubleWell2D::twoLevelPopulations).
    static TwoLevelPopulations twoLevelPopulations(const ColumnAmplitudes2D& columns, const BoundStateResult& result,
                                                   int i, int j);
};

bool isRamseySequenceAnalyzable(const RamseySequence& sequence);
bool isRamseyEnsembleValid(const RamseyEnsemble& ensemble);

} // namespace vxo
