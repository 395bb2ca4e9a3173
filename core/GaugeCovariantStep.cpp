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
// The systems' factorisations are kept per direction between sweeps and the
// lines solved several at a time on vector registers (GaugeSweepPivots).
#include "core/SplitStepFourierSolver2D.h"

#include "core/GaugeLinkField2D.h"
#include "core/PotentialField2D.h"

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

    // Crank-Nicolson maps every energy to a phase below pi: no sub-steps.
    const PotentialPhaseTable& potentialHalf = wholeStepPotentialHalf(potential);
    const double halfStep = static_cast<double>(parameters_.dt) / 2.0;
    potentialHalf.apply(psi);
    crankNicolsonSweepX(psi, links, halfStep);
    crankNicolsonSweepY(psi, links, static_cast<double>(parameters_.dt));
    crankNicolsonSweepX(psi, links, halfStep);
    potentialHalf.apply(psi);
    advanceClock();
}

} // namespace vxo
