#include "core/DiracSplitStepSolver2D.h"

#include "core/FFT2D.h"
#include "core/Numeric.h"

#include <cmath>
#include <stdexcept>
#include <utility>

namespace vxo {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Signed wave-number index of FFT bin n of a line of N: n for n <= N/2, else n - N.
double signedIndex(std::uint64_t n, std::uint64_t count)
{
    return n <= count / 2 ? static_cast<double>(n) : static_cast<double>(n) - static_cast<double>(count);
}

bool sameGrid(const ComplexField2D& a, const ComplexField2D& b)
{
    return a.nx() == b.nx() && a.ny() == b.ny() && a.dx() == b.dx() && a.dy() == b.dy();
}

// Both components present and on one grid.
bool isConsistent(const DiracSpinor2D& spinor)
{
    return !spinor.isEmpty() && sameGrid(spinor.upper, spinor.lower) && spinor.upper.size() == spinor.lower.size();
}

Complex roundedComplex(double re, double im) { return Complex(static_cast<float>(re), static_cast<float>(im)); }

// a * b as the plain four-multiplication single-precision product, without the
// library operator's NaN/infinity recovery on every call.
inline Complex multiply(Complex a, Complex b)
{
    return Complex(a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real());
}

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
    nx_ = 0;
    ny_ = 0;
    dx_ = 0.0f;
    dy_ = 0.0f;
    propagator_.clear();
    potentialIdentity_ = 0;
    potentialRevision_ = 0;
    potentialNx_ = 0;
    potentialNy_ = 0;
    potentialPhase_.clear();
}

bool DiracSplitStepSolver2D::matchesGrid(const DiracSpinor2D& spinor) const
{
    return !propagator_.empty() && isConsistent(spinor) && nx_ == spinor.upper.nx() && ny_ == spinor.upper.ny() &&
           dx_ == spinor.upper.dx() && dy_ == spinor.upper.dy();
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
    const double lengthX = static_cast<double>(nx) * static_cast<double>(grid.dx());
    const double lengthY = static_cast<double>(grid.dy()) * static_cast<double>(ny);

    std::vector<Complex> table(4 * nx * ny);
    for (std::uint64_t j = 0; j < ny; ++j) {
        const double py = signedIndex(j, ny) * kTwoPi / lengthY * hbar;
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double px = signedIndex(i, nx) * kTwoPi / lengthX * hbar;
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

    nx_ = nx;
    ny_ = ny;
    dx_ = grid.dx();
    dy_ = grid.dy();
    propagator_.swap(table);
}

bool DiracSplitStepSolver2D::potentialPhaseMatches(const PotentialField2D& potential) const
{
    return !potentialPhase_.empty() && potentialIdentity_ == potential.identity() &&
           potentialRevision_ == potential.revision() && potentialNx_ == potential.nx() &&
           potentialNy_ == potential.ny();
}

void DiracSplitStepSolver2D::preparePotentialPhase(const PotentialField2D& potential)
{
    validateParameters(parameters_);
    // exp(-i V dt / (2 hbar)): the half-step potential propagator.
    const double coefficient = -static_cast<double>(parameters_.dt) / (2.0 * static_cast<double>(parameters_.hbar));
    std::vector<Complex> table(potential.size());
    const float* v = potential.data();
    for (std::uint64_t c = 0; c < table.size(); ++c) {
        const double phase = static_cast<double>(v[c]) * coefficient;
        table[c] = roundedComplex(std::cos(phase), std::sin(phase));
    }
    potentialIdentity_ = potential.identity();
    potentialRevision_ = potential.revision();
    potentialNx_ = potential.nx();
    potentialNy_ = potential.ny();
    potentialPhase_.swap(table);
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
        up[c] = multiply(m[0], u) + multiply(m[1], l);
        lo[c] = multiply(m[2], u) + multiply(m[3], l);
    }
}

void DiracSplitStepSolver2D::applyPotentialHalfStep(DiracSpinor2D& spinor) const
{
    if (!isConsistent(spinor) || potentialPhase_.size() != spinor.upper.size())
        throw std::invalid_argument("DiracSplitStepSolver2D: potential phase does not match the spinor grid");
    Complex* up = spinor.upper.data();
    Complex* lo = spinor.lower.data();
    for (std::uint64_t c = 0; c < potentialPhase_.size(); ++c) {
        up[c] = multiply(up[c], potentialPhase_[c]);
        lo[c] = multiply(lo[c], potentialPhase_[c]);
    }
}

void DiracSplitStepSolver2D::step(DiracSpinor2D& spinor, const PotentialField2D& potential)
{
    const ComplexField2D& grid = spinor.upper;
    if (!isConsistent(spinor) || potential.empty() || grid.nx() != potential.nx() || grid.ny() != potential.ny() ||
        grid.dx() != potential.dx() || grid.dy() != potential.dy())
        throw std::invalid_argument("DiracSplitStepSolver2D: spinor/potential grids do not match");
    if (!matchesGrid(spinor))
        buildPropagator(spinor);
    if (!potentialPhaseMatches(potential))
        preparePotentialPhase(potential);

    applyPotentialHalfStep(spinor);
    FFT2D::forward(spinor.upper);
    FFT2D::forward(spinor.lower);
    applyKinetic(spinor);
    FFT2D::inverse(spinor.upper);
    FFT2D::inverse(spinor.lower);
    applyPotentialHalfStep(spinor);
}

void DiracSplitStepSolver2D::stepFree(DiracSpinor2D& spinor)
{
    if (!matchesGrid(spinor))
        buildPropagator(spinor);
    FFT2D::forward(spinor.upper);
    FFT2D::forward(spinor.lower);
    applyKinetic(spinor);
    FFT2D::inverse(spinor.upper);
    FFT2D::inverse(spinor.lower);
}

} // namespace vxo
