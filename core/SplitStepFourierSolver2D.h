#pragma once

#include "core/ComplexField2D.h"
#include "core/GaugeSweepPivots.h"
#include "core/GridKey2D.h"
#include "core/PotentialPhaseTable.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace vxo {

class GaugeLinkField2D;
class PotentialField2D;

// Settings of the Schroedinger solver. The defaults are the main window's
// configuration (mass 1, hbar 1, dt 0.02).
struct SplitStepParameters {
    float mass = 1.0f;
    float hbar = 1.0f;
    float dt = 0.02f;
};

// Second-order symmetric (Strang) split-step Fourier propagator for
//   i hbar dpsi/dt = [-(hbar^2 / 2m) laplacian + V(x, y)] psi
// on a periodic power-of-two grid:
//   psi <- exp(-i V dt / 2hbar) F^-1 exp(-i hbar k^2 dt / 2m) F exp(-i V dt / 2hbar) psi.
// Both phase factors are cached as single-precision tables of their offsets
// from one (computed in double, rounded once; see PhaseFactors.h): the
// potential table keyed to the potential's identity, revision and grid, the
// kinetic table to psi's grid, the parameters and the sub-step it propagates
// over (which the potential decides, see below), so that no transcendental
// function runs per step while nothing changes and the kinetic table is
// rebuilt once when the sub-step changes.
//
// One split step multiplies every energy component by exp(-i E dt / hbar), so
// energies 2 pi hbar / dt apart are the same to it. A potential with sharp
// edges or short periods couples a packet to high modes, and a mode whose
// energy differs by nearly that much from the packet's is fed in phase: walls
// leak and the energy drifts. The potential's step dt is therefore taken as n
// equal Strang sub-steps, n the fewest for which no mode that the potential's
// own spectrum feeds is fed much more strongly than by the true propagator,
// the modes whose phase per sub-step would pass a turn carry together no
// more than a trace of the feed (on fine cells a hard edge feeds a great many
// modes, each weak), and no step between neighbouring cells turns its side's
// phase by more than half a radian (subStepsFor, once per potential
// revision; the reasons for its constants are beside it). A smooth
// potential feeds no high mode and keeps n = 1. The
// inner half phases of neighbouring sub-steps merge into one table of the
// whole sub-step. The magnetic step (GaugeCovariantStep.cpp) keeps a smooth
// potential's step whole too; for a sharper one it takes at least as many
// sub-steps, and more where the potential's phase and its sweeps' would wrap
// past a turn.
//
// The solver also carries the simulation clock (time and step count), which
// every step advances by dt and which advanceClock() can run without
// propagating.
class SplitStepFourierSolver2D {
public:
    // Validates (mass, then hbar, then dt), stores the parameters, drops both
    // tables and resets the clock. A failed configuration changes nothing.
    void configure(const SplitStepParameters& parameters);
    const SplitStepParameters& parameters() const { return parameters_; }

    // One Strang step, then the clock advances. Grid mismatch, a grid that is
    // not a power of two, or a failed table build throws before psi or the
    // clock change.
    void step(ComplexField2D& psi, const PotentialField2D& potential);
    // The same step, free to stop between two of its sub-steps: after the
    // first sub-step of the call, anotherSubStep(run), with run the sub-steps
    // this call has taken, decides whether one more follows. Returns true
    // when the step is complete and the clock has advanced by dt. Otherwise
    // psi is the state k of n sub-steps in, a valid state at t + k dt / n,
    // which time() shows while stepCount() stays; the next call (or step())
    // continues that step with the tables it began with, whatever the
    // potential holds by then, and the parts together give the whole step to
    // rounding (two half phases where it multiplies once by the whole).
    bool stepPart(ComplexField2D& psi, const PotentialField2D& potential,
                  const std::function<bool(std::uint32_t)>& anotherSubStep);
    // Sub-steps of the step in progress taken so far (0: none in progress).
    std::uint32_t subStepsDone() const { return subStepsDone_; }

    // The magnetic variant (GaugeCovariantStep.cpp): half potential phase,
    // gauge-covariant Crank-Nicolson sweeps along x (dt/2), y (dt) and x (dt/2)
    // with hard walls at the grid edges, half potential phase, as
    // gaugeSubSteps() equal sub-steps; then the clock advances. No
    // FFT, so any grid size works; the links must match psi.
    void stepWithGauge(ComplexField2D& psi, const PotentialField2D& potential, const GaugeLinkField2D& links);
    // The same step, free to stop between two of its sub-steps as stepPart
    // is; the rest goes on with the tables it began with. A call of the one
    // kind while a step of the other is in progress throws.
    bool stepWithGaugePart(ComplexField2D& psi, const PotentialField2D& potential, const GaugeLinkField2D& links,
                           const std::function<bool(std::uint32_t)>& anotherSubStep);
    // One implicit sweep over the time span tau along every row (x) or column (y).
    // The factorisation of the line systems is kept for the next sweep with the
    // same links (stamp), tau and grid.
    void crankNicolsonSweepX(ComplexField2D& psi, const GaugeLinkField2D& links, double tau) const;
    void crankNicolsonSweepY(ComplexField2D& psi, const GaugeLinkField2D& links, double tau) const;

    void advanceClock();
    // Also abandons a step in progress.
    void resetClock();
    double time() const { return time_; }
    std::uint64_t stepCount() const { return steps_; }

    // Throws std::invalid_argument on the first invalid parameter.
    static void validateParameters(const SplitStepParameters& parameters);

    // The kinetic table matches psi's grid, the parameters and the sub-step
    // of the potential table in hand (the whole dt before any); a build takes
    // that sub-step, so building the potential table first builds it once.
    bool kineticPhaseMatches(const ComplexField2D& psi) const;
    void prepareKineticPhase(const ComplexField2D& psi);
    // Kinetic tables built since the solver was made.
    std::uint64_t kineticBuilds() const { return kineticBuilds_; }
    bool potentialPhaseMatches(const PotentialField2D& potential) const;
    void preparePotentialPhase(const PotentialField2D& potential);
    // Potential tables built since the solver was made.
    std::uint64_t potentialBuilds() const { return potentialBuilds_; }

    // psi[c] *= 1 + table[c] over every cell. The table must have been built for
    // psi's grid; a table of another size is refused rather than read out of
    // bounds.
    void applyKineticPhase(ComplexField2D& psi) const;
    void applyPotentialHalfStep(ComplexField2D& psi) const;

    const std::vector<Complex>& kineticPhase() const { return kineticPhase_; }
    const std::vector<Complex>& potentialPhase() const { return potentialPhase_.values(); }

    // Sub-steps of one step for the potential of the last potential table
    // (1 before any).
    std::uint32_t subSteps() const { return subSteps_; }
    // The sub-step count a potential needs under the given parameters.
    static std::uint32_t subStepsFor(const PotentialField2D& potential, const SplitStepParameters& parameters);
    // Sub-steps of one magnetic step for the potential of the last potential
    // table: 1 for a smooth potential (subSteps() 1), otherwise subSteps() or,
    // where that is too few, the fewest that keep the potential's phase and
    // the sweeps' within a turn (gaugeSubStepsFor).
    std::uint32_t gaugeSubSteps() const { return gaugeSubSteps_; }
    static std::uint32_t gaugeSubStepsFor(const PotentialField2D& potential, const SplitStepParameters& parameters);

private:
    // What the kinetic table exp(-i hbar k^2 tau / 2m) was built from.
    struct KineticKey {
        GridKey2D grid;
        float mass = 0.0f;
        float hbar = 0.0f;
        double subStepDt = 0.0;
    };

    double subStepDt() const;
    static void validateKineticGrid(const ComplexField2D& psi);
    // The potential tables for a step: kept, re-keyed, when the potential's
    // new revision holds the very values they were built from (a protocol
    // that repaints a potential it does not change: a pause between pulses,
    // a sweep before its start), since the sub-step rule's transform and the
    // tables would come out the same bit for bit; otherwise built.
    void ensurePotentialPhase(const PotentialField2D& potential);

    SplitStepParameters parameters_;
    KineticKey kineticKey_;
    std::vector<Complex> kineticPhase_;
    std::uint64_t kineticBuilds_ = 0;
    PotentialPhaseTable potentialPhase_;
    std::uint64_t potentialBuilds_ = 0;
    // The values the potential tables were built from.
    std::vector<float> tabledValues_;
    // exp(-i V (dt / n) / hbar), the merged inner half phases (n > 1 only).
    PotentialPhaseTable potentialSubStepPhase_;
    // The magnetic step's half phase of its own sub-step, and the whole one
    // between its sub-steps (more than one only), when its count differs
    // from the Fourier step's.
    PotentialPhaseTable potentialGaugePhase_;
    PotentialPhaseTable potentialGaugeSubStepPhase_;
    std::uint32_t subSteps_ = 1;
    std::uint32_t gaugeSubSteps_ = 1;
    // A count taken instead of the rule's for both steps (0: the rule's): the
    // convergence measurements force it to find the fewest a run needs.
    std::uint32_t forcedSubSteps_ = 0;
    friend struct SubStepCountProbe;
    // Factorised line systems of the magnetic sweeps, a cache behind the
    // const sweeps.
    mutable GaugeSweepPivots sweepX_;
    mutable GaugeSweepPivots sweepY_;
    double time_ = 0.0;
    std::uint64_t steps_ = 0;
    std::uint32_t subStepsDone_ = 0;
    // Sub-steps propagated over the solver's life, each counted as it is
    // taken (a call's too, before it returns): the work that a tick's budget
    // pays for, read by the tests of that budget through the probe.
    std::uint64_t subStepsPropagated_ = 0;
    bool gaugeStepInProgress_ = false;
    double stepStartTime_ = 0.0;
};

} // namespace vxo
