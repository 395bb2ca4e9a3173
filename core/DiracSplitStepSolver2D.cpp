#include "core/DiracSplitStepSolver2D.h"

#include "core/FFT2D.h"
#include "core/FourierGrid.h"
#include "core/Numeric.h"
#include "core/PhaseFactors.h"

#include <cmath>
#include <stdexcept>

namespace vxo {

namespace {

// Both components present and on one grid.
bool isConsistent(const DiracSpinor2D& spinor)
{
    return !spinor.isEmpty() && GridKey2D::of(spinor.upper).matches(spinor.lower) &&
           spinor.upper.size() == spinor.lower.size();
}

Complex roundedComplex(double re, double im) { return Complex(static_cast<float>(re), static_cast<float>(im)); }

} // namespace

void DiracSplitStepSolver2D::validateParameters(const DiracParameters& p)
{
    if (!isFinitePositive(p.hbar) || !isFinitePositive(p.dt) || !isFinitePositive(p.c) ||
        !isFiniteNonNegative(p.restMass))
        throw std::invalid_argument(
            "DiracSplitStepSolver2D: hbar, dt and c must be positive; rest mass must be non-negative");
}

void DiracSplitStepSolver2D::configure(const DiracParameters& parameters)
{
    validateParameters(parameters);
    parameters_ = parameters;
    grid_ = GridKey2D();
    propagator_.clear();
    potentialPhase_.clear();
}

bool DiracSplitStepSolver2D::matchesGrid(const DiracSpinor2D& spinor) const
{
    return !propagator_.empty() && isConsistent(spinor) && grid_.matches(spinor.upper);
}

void DiracSplitStepSolver2D::buildPropagator(const DiracSpinor2D& spinor)
{
    validateParameters(parameters_);
    const ComplexField2D& grid = spinor.upper;
    if (!isConsistent(spinor) || !FFT2D::isPowerOfTwoGrid(grid.nx(), grid.ny()))
        throw std::invalid_argument("DiracSplitStepSolver2D: invalid spinor FFT grid");
    if (!isFinitePositive(grid.dx()) || !isFinitePositive(grid.dy()))
        throw std::invalid_argument("DiracSplitStepSolver2D: invalid spatial spacing");

    const std::uint64_t nx = grid.nx();
    const std::uint64_t ny = grid.ny();
    const double hbar = parameters_.hbar;
    const double dt = parameters_.dt;
    const double c = parameters_.c;
    const double mc2 = static_cast<double>(parameters_.restMass) * c * c;

    std::vector<Complex> table(4 * nx * ny);
    for (std::uint64_t j = 0; j < ny; ++j) {
        const double py = fftWaveNumber(j, ny, grid.dy()) * hbar;
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double px = fftWaveNumber(i, nx, grid.dx()) * hbar;
            const double cpx = c * px;
            const double cpy = c * py;
            const double energy = std::sqrt(cpx * cpx + cpy * cpy + mc2 * mc2);
            const double theta = energy * dt / hbar;
            // sin(theta) / E, whose limit for E -> 0 is dt / hbar.
            const double s = energy > 0.0 ? std::sin(theta) / energy : dt / hbar;
            const double cosTheta = std::cos(theta);
            Complex* u = &table[4 * (j * nx + i)];
            u[0] = roundedComplex(cosTheta, -s * mc2);
            u[1] = roundedComplex(-s * cpy, -s * cpx);
            u[2] = roundedComplex(s * cpy, -s * cpx);
            u[3] = roundedComplex(cosTheta, s * mc2);
        }
    }

    grid_ = GridKey2D::of(grid);
    propagator_.swap(table);
}

void DiracSplitStepSolver2D::applyKinetic(DiracSpinor2D& spinor) const
{
    if (!matchesGrid(spinor))
        throw std::invalid_argument("DiracSplitStepSolver2D: propagator does not match the spinor grid");
    Complex* up = spinor.upper.data();
    Complex* lo = spinor.lower.data();
    for (std::uint64_t c = 0; c < spinor.upper.size(); ++c) {
        const Complex* m = &propagator_[4 * c];
        const Complex u = up[c];
        const Complex l = lo[c];
        up[c] = plainProduct(m[0], u) + plainProduct(m[1], l);
        lo[c] = plainProduct(m[2], u) + plainProduct(m[3], l);
    }
}

void DiracSplitStepSolver2D::applyPotentialHalfStep(DiracSpinor2D& spinor) const
{
    if (!isConsistent(spinor) || potentialPhase_.size() != spinor.upper.size())
        throw std::invalid_argument("DiracSplitStepSolver2D: potential phase does not match the spinor grid");
    potentialPhase_.apply(spinor.upper);
    potentialPhase_.apply(spinor.lower);
}

void DiracSplitStepSolver2D::step(DiracSpinor2D& spinor, const PotentialField2D& potential)
{
    if (!isConsistent(spinor) || potential.empty() || !potential.matches(spinor.upper))
        throw std::invalid_argument("DiracSplitStepSolver2D: spinor/potential grids do not match");
    if (!matchesGrid(spinor))
        buildPropagator(spinor);
    if (!potentialPhase_.matches(potential)) {
        validateParameters(parameters_);
        potentialPhase_.rebuild(potential, parameters_.dt, parameters_.hbar);
    }

    applyPotentialHalfStep(spinor);
    propagateFree(spinor);
    applyPotentialHalfStep(spinor);
}

void DiracSplitStepSolver2D::stepFree(DiracSpinor2D& spinor)
{
    if (!matchesGrid(spinor))
        buildPropagator(spinor);
    propagateFree(spinor);
}

void DiracSplitStepSolver2D::propagateFree(DiracSpinor2D& spinor) const
{
    FFT2D::forward(spinor.upper);
    FFT2D::forward(spinor.lower);
    applyKinetic(spinor);
    FFT2D::inverse(spinor.upper);
    FFT2D::inverse(spinor.lower);
}

} // namespace vxo
