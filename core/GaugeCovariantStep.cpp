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
// low energy outside it, so the wall leaks. Such a step is taken as the
// Fourier step's sub-steps (whose phases stay below 1.5 pi, so below a turn
// here too), with the same tables.
// The systems' factorisations are kept per direction between sweeps and the
// lines solved several at a time on vector registers (GaugeSweepPivots).
#include "core/SplitStepFourierSolver2D.h"

#include "core/GaugeLinkField2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"

#include <cmath>
#include <stdexcept>

namespace vxo {

namespace {

const char* const kMismatch = "SplitStepFourierSolver2D: gauge, psi and potential grids must match";

// The sweeps read the link arrays with psi's indexing, so links on another
// grid would be read out of bounds.
void requireMatchingLinks(const ComplexField2D& psi, const GaugeLinkField2D& links)
{
    if (!links.matches(psi))
        throw std::invalid_argument(kMismatch);
}

// Largest phase the three sweeps of one step over tau give a lattice mode:
// along an axis of spacing d the line operator reaches 2 hbar^2 / (m d^2).
double sweepPhaseBound(const SplitStepParameters& p, const ComplexField2D& psi, double tau)
{
    const double hbar = p.hbar;
    const double dx = psi.dx();
    const double dy = psi.dy();
    const double topX = 2.0 * hbar * hbar / (static_cast<double>(p.mass) * dx * dx);
    const double topY = 2.0 * hbar * hbar / (static_cast<double>(p.mass) * dy * dy);
    return 4.0 * std::atan(topX * tau / (4.0 * hbar)) + 2.0 * std::atan(topY * tau / (2.0 * hbar));
}

// The phases inside the highest region of the potential reach a full turn
// above those of the lowest over one whole step.
bool wholeStepWraps(const SplitStepParameters& p, const ComplexField2D& psi, const PotentialField2D& potential)
{
    const double dt = p.dt;
    // One pass with eight independent lanes (no chain of dependent
    // comparisons): this runs on every step of a sharp potential.
    constexpr std::uint64_t kLanes = 8;
    const float* v = potential.data();
    const std::uint64_t size = potential.size();
    float lowest[kLanes], highest[kLanes];
    for (std::uint64_t k = 0; k < kLanes; ++k)
        lowest[k] = highest[k] = v[0];
    std::uint64_t c = 0;
    for (; c + kLanes <= size; c += kLanes)
        for (std::uint64_t k = 0; k < kLanes; ++k) {
            lowest[k] = v[c + k] < lowest[k] ? v[c + k] : lowest[k];
            highest[k] = v[c + k] > highest[k] ? v[c + k] : highest[k];
        }
    for (; c < size; ++c) {
        lowest[0] = v[c] < lowest[0] ? v[c] : lowest[0];
        highest[0] = v[c] > highest[0] ? v[c] : highest[0];
    }
    for (std::uint64_t k = 1; k < kLanes; ++k) {
        lowest[0] = lowest[k] < lowest[0] ? lowest[k] : lowest[0];
        highest[0] = highest[k] > highest[0] ? highest[k] : highest[0];
    }
    const double range = static_cast<double>(highest[0]) - static_cast<double>(lowest[0]);
    return range * dt / static_cast<double>(p.hbar) + sweepPhaseBound(p, psi, dt) >= 2.0 * kPi;
}

double sweepCoefficient(const SplitStepParameters& p, double tau, float spacing)
{
    const double d = spacing;
    return static_cast<double>(p.hbar) * tau / (4.0 * static_cast<double>(p.mass) * (d * d));
}

} // namespace

void SplitStepFourierSolver2D::crankNicolsonSweepX(ComplexField2D& psi, const GaugeLinkField2D& links,
                                                   double tau) const
{
    if (psi.nx() < 3 || psi.ny() == 0)
        return;
    requireMatchingLinks(psi, links);
    sweepX_.sweep(psi, links, true, sweepCoefficient(parameters_, tau, psi.dx()));
}

void SplitStepFourierSolver2D::crankNicolsonSweepY(ComplexField2D& psi, const GaugeLinkField2D& links,
                                                   double tau) const
{
    if (psi.ny() < 3 || psi.nx() == 0)
        return;
    requireMatchingLinks(psi, links);
    sweepY_.sweep(psi, links, false, sweepCoefficient(parameters_, tau, psi.dy()));
}

void SplitStepFourierSolver2D::stepWithGauge(ComplexField2D& psi, const PotentialField2D& potential,
                                             const GaugeLinkField2D& links)
{
    if (!potential.matches(psi) || !links.matches(psi))
        throw std::invalid_argument(kMismatch);
    if (!potentialPhaseMatches(potential))
        preparePotentialPhase(potential);

    // A smooth potential, or one whose phases stay within a turn, keeps the
    // whole step.
    if (subSteps_ == 1 || !wholeStepWraps(parameters_, psi, potential)) {
        const PotentialPhaseTable& potentialHalf = wholeStepPotentialHalf(potential);
        const double halfStep = static_cast<double>(parameters_.dt) / 2.0;
        potentialHalf.apply(psi);
        crankNicolsonSweepX(psi, links, halfStep);
        crankNicolsonSweepY(psi, links, static_cast<double>(parameters_.dt));
        crankNicolsonSweepX(psi, links, halfStep);
        potentialHalf.apply(psi);
        advanceClock();
        return;
    }

    // The inner half phases of neighbouring sub-steps merge into one whole one.
    const double tau = subStepDt();
    potentialPhase_.apply(psi);
    for (std::uint32_t s = 0; s < subSteps_; ++s) {
        crankNicolsonSweepX(psi, links, tau / 2.0);
        crankNicolsonSweepY(psi, links, tau);
        crankNicolsonSweepX(psi, links, tau / 2.0);
        (s + 1 < subSteps_ ? potentialSubStepPhase_ : potentialPhase_).apply(psi);
    }
    advanceClock();
}

} // namespace vxo
