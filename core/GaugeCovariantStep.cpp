// The gauge-covariant magnetic step of SplitStepFourierSolver2D.
//
// Along one grid line the covariant kinetic operator is
//   (H psi)_i = -(hbar^2 / (2 m d^2)) (U_i psi_{i+1} - 2 psi_i + conj(U_{i-1}) psi_{i-1}),
// with U_i the link of the hop i -> i+1. A sweep over the time span tau solves
//   (1 + i tau H / (2 hbar)) psi_new = (1 - i tau H / (2 hbar)) psi_old,
// which is unitary for links of modulus one, as one tridiagonal system per line
// over its interior cells, built and solved in double precision while psi stays
// in single precision. psi is held at 0 on the two end cells of every line
// (hard walls, unlike the periodic Fourier step). The step is the Strang
// splitting  V/2, x sweep dt/2, y sweep dt, x sweep dt/2, V/2.
#include "core/SplitStepFourierSolver2D.h"

#include "core/GaugeLinkField2D.h"
#include "core/PotentialField2D.h"
#include "core/Tridiagonal.h"

#include <complex>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace vxo {

namespace {

using ComplexD = std::complex<double>;

// One sweep over `lineCount` lines of `length` cells each. Cell k of line l
// sits at psi[l * lineStride + k * cellStride]; the link of the hop from that
// cell to the next one has the same index in `links`. a = hbar tau / (4 m d^2).
void sweepLines(Complex* psi, const Complex* links, std::uint64_t lineCount, std::uint64_t length,
                std::uint64_t lineStride, std::uint64_t cellStride, double a)
{
    const std::uint64_t n = length - 2;
    const ComplexD ia(0.0, a);
    const ComplexD diagonal = 1.0 + 2.0 * ia;
    const ComplexD explicitDiagonal = 1.0 - 2.0 * ia;

    std::vector<ComplexD> sub(n);
    std::vector<ComplexD> main(n, diagonal);
    std::vector<ComplexD> super(n);
    std::vector<ComplexD> rhs(n);

    for (std::uint64_t line = 0; line < lineCount; ++line) {
        Complex* p = psi + line * lineStride;
        const Complex* u = links + line * lineStride;
        auto cell = [&](std::uint64_t k) -> Complex& { return p[k * cellStride]; };

        cell(0) = Complex(0.0f, 0.0f);
        cell(length - 1) = Complex(0.0f, 0.0f);
        for (std::uint64_t i = 1; i + 1 < length; ++i) {
            const std::uint64_t k = i - 1;
            const ComplexD left = std::conj(widen(u[(i - 1) * cellStride]));
            const ComplexD right = widen(u[i * cellStride]);
            sub[k] = k == 0 ? ComplexD(0.0, 0.0) : -ia * left;
            super[k] = k + 1 == n ? ComplexD(0.0, 0.0) : -ia * right;
            rhs[k] = explicitDiagonal * widen(cell(i)) + ia * (left * widen(cell(i - 1)) + right * widen(cell(i + 1)));
        }
        solveTridiagonal(sub, main, super, rhs);
        cell(0) = Complex(0.0f, 0.0f);
        cell(length - 1) = Complex(0.0f, 0.0f);
        for (std::uint64_t i = 1; i + 1 < length; ++i)
            cell(i) = Complex(static_cast<float>(rhs[i - 1].real()), static_cast<float>(rhs[i - 1].imag()));
    }
}

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
    sweepLines(psi.data(), links.linksXData(), psi.ny(), psi.nx(), psi.nx(), 1,
               sweepCoefficient(parameters_, tau, psi.dx()));
}

void SplitStepFourierSolver2D::crankNicolsonSweepY(ComplexField2D& psi, const GaugeLinkField2D& links,
                                                   double tau) const
{
    if (psi.ny() < 3 || psi.nx() == 0)
        return;
    requireMatchingLinks(psi, links);
    sweepLines(psi.data(), links.linksYData(), psi.nx(), psi.ny(), 1, psi.nx(),
               sweepCoefficient(parameters_, tau, psi.dy()));
}

void SplitStepFourierSolver2D::stepWithGauge(ComplexField2D& psi, const PotentialField2D& potential,
                                             const GaugeLinkField2D& links)
{
    if (!potential.matches(psi) || !links.matches(psi))
        throw std::invalid_argument(kMismatch);
    if (!potentialPhaseMatches(potential))
        preparePotentialPhase(potential);

    const double halfStep = static_cast<double>(parameters_.dt) / 2.0;
    applyPotentialHalfStep(psi);
    crankNicolsonSweepX(psi, links, halfStep);
    crankNicolsonSweepY(psi, links, static_cast<double>(parameters_.dt));
    crankNicolsonSweepX(psi, links, halfStep);
    applyPotentialHalfStep(psi);
    advanceClock();
}

} // namespace vxo
