// The gauge-covariant magnetic step of SplitStepFourierSolver2D.
//
// Along one grid line the covariant kinetic operator is
//   (H psi)_i = -(hbar^2 / (2 m d^2)) (U_i psi_{i+1} - 2 psi_i + conj(U_{i-1}) psi_{i-1}),
// with U_i the link of the hop i -> i+1. A sweep over the time span tau solves
//   (1 + i tau H / (2 hbar)) psi_new = (1 - i tau H / (2 hbar)) psi_old,
// which is unitary for links of modulus one, as one tridiagonal system per line
// over its interior cells, solved in double precision while psi stays in single
// precision. psi is held at 0 on the two end cells of every line (hard walls,
// unlike the periodic Fourier step). The step is the Strang splitting
//   V/2, x sweep dt/2, y sweep dt, x sweep dt/2, V/2.
// Crank-Nicolson gives a lattice mode of kinetic energy T the phase
// 2 atan(T tau / (2 hbar)) per sweep, below pi, but the potential phase
// V dt / hbar wraps: inside a wall the step's phases span
// [dV dt, dV dt + sweep phases] (dV the potential's range), and once that
// reaches a full turn a mode inside the wall is fed in phase by a packet of
// low energy outside it, so the wall leaks. A sharp potential's step is
// therefore cut into the fewest equal sub-steps whose phases stay within a
// turn (the kinetic range, which Crank-Nicolson bounds, does not count as in
// the Fourier step); a smooth one feeds no such mode and keeps the whole step.
// The count is found once per potential revision, with the Fourier step's.
// The systems' factorisations are kept per direction between sweeps and the
// lines solved several at a time on vector registers (GaugeSweepPivots).
#include "core/SplitStepFourierSolver2D.h"

#include "core/GaugeLinkField2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"

#include <cmath>
#include <functional>
#include <stdexcept>

namespace vxo {

namespace {

const char* const kMismatch = "SplitStepFourierSolver2D: gauge, psi and potential grids must match";
// A bound on the work of one magnetic step.
constexpr std::uint32_t kMostGaugeSubSteps = 64;

// The sweeps read the link arrays with psi's indexing, so links on another
// grid would be read out of bounds.
void requireMatchingLinks(const ComplexField2D& psi, const GaugeLinkField2D& links)
{
    if (!links.matches(psi))
        throw std::invalid_argument(kMismatch);
}

// Largest phase the three sweeps of one step over tau give a lattice mode:
// along an axis of spacing d the line operator reaches 2 hbar^2 / (m d^2).
double sweepPhaseBound(const SplitStepParameters& p, double dx, double dy, double tau)
{
    const double hbar = p.hbar;
    const double topX = 2.0 * hbar * hbar / (static_cast<double>(p.mass) * dx * dx);
    const double topY = 2.0 * hbar * hbar / (static_cast<double>(p.mass) * dy * dy);
    return 4.0 * std::atan(topX * tau / (4.0 * hbar)) + 2.0 * std::atan(topY * tau / (2.0 * hbar));
}

double sweepCoefficient(const SplitStepParameters& p, double tau, float spacing)
{
    const double d = spacing;
    return static_cast<double>(p.hbar) * tau / (4.0 * static_cast<double>(p.mass) * (d * d));
}

} // namespace

void SplitStepFourierSolver2D::crankNicolsonSweepX(ComplexField2D& psi, const GaugeLinkField2D& links, double tau) const
{
    if (psi.nx() < 3 || psi.ny() == 0)
        return;
    requireMatchingLinks(psi, links);
    sweepX_.sweep(psi, links, true, sweepCoefficient(parameters_, tau, psi.dx()));
}

void SplitStepFourierSolver2D::crankNicolsonSweepY(ComplexField2D& psi, const GaugeLinkField2D& links, double tau) const
{
    if (psi.ny() < 3 || psi.nx() == 0)
        return;
    requireMatchingLinks(psi, links);
    sweepY_.sweep(psi, links, false, sweepCoefficient(parameters_, tau, psi.dy()));
}

std::uint32_t SplitStepFourierSolver2D::gaugeSubStepsFor(const PotentialField2D& potential,
                                                         const SplitStepParameters& parameters)
{
    const double range = double(potential.maxValue()) - double(potential.minValue());
    if (!std::isfinite(range))
        return 1;
    const double dt = parameters.dt;
    const double hbar = parameters.hbar;
    std::uint32_t count = 1;
    for (; count < kMostGaugeSubSteps; ++count) {
        const double tau = dt / count;
        if (range * tau / hbar + sweepPhaseBound(parameters, potential.dx(), potential.dy(), tau) < 2.0 * kPi)
            break;
    }
    return count;
}

void SplitStepFourierSolver2D::stepWithGauge(ComplexField2D& psi, const PotentialField2D& potential,
                                             const GaugeLinkField2D& links)
{
    stepWithGaugePart(psi, potential, links, [](std::uint32_t) { return true; });
}

bool SplitStepFourierSolver2D::stepWithGaugePart(ComplexField2D& psi, const PotentialField2D& potential,
                                                 const GaugeLinkField2D& links,
                                                 const std::function<bool(std::uint32_t)>& anotherSubStep)
{
    if (subStepsDone_ > 0 && !gaugeStepInProgress_)
        throw std::invalid_argument("SplitStepFourierSolver2D: a Fourier step is in progress");
    if (subStepsDone_ == 0) {
        if (!potential.matches(psi) || !links.matches(psi))
            throw std::invalid_argument(kMismatch);
        ensurePotentialPhase(potential);
    } else if (!links.matches(psi) || potentialPhase_.size() != psi.size()) {
        // The tables of the step in progress are for the grid it started on.
        throw std::invalid_argument(kMismatch);
    }

    // The Fourier step's tables serve when the counts agree; otherwise the
    // magnetic step keeps its own, rebuilt with the revision (at the start
    // of a step: the rest of a step keeps the tables it began with).
    const std::uint32_t count = gaugeSubSteps_;
    const bool shared = count == subSteps_;
    if (subStepsDone_ == 0 && !shared && !potentialGaugePhase_.matches(potential)) {
        potentialGaugePhase_.rebuild(potential, double(parameters_.dt) / count, parameters_.hbar,
                                     count > 1 ? &potentialGaugeSubStepPhase_ : nullptr);
        if (count == 1)
            potentialGaugeSubStepPhase_.clear();
    }
    const PotentialPhaseTable& half = shared ? potentialPhase_ : potentialGaugePhase_;
    const PotentialPhaseTable& between = shared ? potentialSubStepPhase_ : potentialGaugeSubStepPhase_;
    if (subStepsDone_ == 0)
        stepStartTime_ = time_;

    // The inner half phases of neighbouring sub-steps merge into one whole
    // one; a call that stops closes its last sub-step with the half phase.
    const double tau = static_cast<double>(parameters_.dt) / count;
    half.apply(psi);
    std::uint32_t run = 0;
    for (;;) {
        crankNicolsonSweepX(psi, links, tau / 2.0);
        crankNicolsonSweepY(psi, links, tau);
        crankNicolsonSweepX(psi, links, tau / 2.0);
        ++subStepsPropagated_;
        ++run;
        if (subStepsDone_ + run == count || !anotherSubStep(run)) {
            half.apply(psi);
            break;
        }
        between.apply(psi);
    }
    subStepsDone_ += run;
    if (subStepsDone_ < count) {
        gaugeStepInProgress_ = true;
        time_ = stepStartTime_ + subStepsDone_ * tau;
        return false;
    }
    subStepsDone_ = 0;
    gaugeStepInProgress_ = false;
    time_ = stepStartTime_;
    advanceClock();
    return true;
}

} // namespace vxo
