#pragma once

// The magnetic step as first written: every sweep builds each line's
// tridiagonal system afresh and solves it with solveTridiagonal, one line and
// one complex division at a time. The library's batched sweeps with kept
// factorisations must follow it to rounding.

#include "core/ComplexField2D.h"
#include "core/GaugeLinkField2D.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "core/Tridiagonal.h"

#include <complex>
#include <cstdint>
#include <vector>

namespace vxo::reference {

// Cell k of line l at psi[l * lineStride + k * cellStride], the link of its
// hop to cell k + 1 at the same index of links; a = hbar tau / (4 m d^2).
inline void gaugeSweepLines(Complex* psi, const Complex* links, std::uint64_t lineCount, std::uint64_t length,
                            std::uint64_t lineStride, std::uint64_t cellStride, double a)
{
    using ComplexD = std::complex<double>;
    const std::uint64_t n = length - 2;
    const ComplexD ia(0.0, a);
    std::vector<ComplexD> sub(n), main(n, 1.0 + 2.0 * ia), super(n), rhs(n);
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
            rhs[k] = (1.0 - 2.0 * ia) * widen(cell(i)) + ia * (left * widen(cell(i - 1)) + right * widen(cell(i + 1)));
        }
        solveTridiagonal(sub, main, super, rhs);
        for (std::uint64_t i = 1; i + 1 < length; ++i)
            cell(i) = Complex(static_cast<float>(rhs[i - 1].real()), static_cast<float>(rhs[i - 1].imag()));
    }
}

inline void gaugeSweep(ComplexField2D& psi, const GaugeLinkField2D& links, const SplitStepParameters& p, bool alongX,
                       double tau)
{
    const std::uint64_t length = alongX ? psi.nx() : psi.ny();
    if (length < 3 || psi.size() == 0)
        return;
    const double d = alongX ? psi.dx() : psi.dy();
    const double a = static_cast<double>(p.hbar) * tau / (4.0 * static_cast<double>(p.mass) * (d * d));
    if (alongX)
        gaugeSweepLines(psi.data(), links.linksXData(), psi.ny(), psi.nx(), psi.nx(), 1, a);
    else
        gaugeSweepLines(psi.data(), links.linksYData(), psi.nx(), psi.ny(), 1, psi.nx(), a);
}

// One magnetic step with the solver's potential table and clock.
inline void gaugeStep(SplitStepFourierSolver2D& solver, ComplexField2D& psi, const PotentialField2D& potential,
                      const GaugeLinkField2D& links)
{
    if (!solver.potentialPhaseMatches(potential))
        solver.preparePotentialPhase(potential);
    const double dt = solver.parameters().dt;
    solver.applyPotentialHalfStep(psi);
    gaugeSweep(psi, links, solver.parameters(), true, dt / 2.0);
    gaugeSweep(psi, links, solver.parameters(), false, dt);
    gaugeSweep(psi, links, solver.parameters(), true, dt / 2.0);
    solver.applyPotentialHalfStep(psi);
    solver.advanceClock();
}

} // namespace vxo::reference
