#include "core/SplitStepFourierSolver2D.h"

#include "core/FFT2D.h"
#include "core/Numeric.h"
#include "core/PotentialField2D.h"

#include <cmath>
#include <stdexcept>

namespace vxo {

namespace {

// Index n of an unshifted spectrum of length count stands for n up to count / 2
// (the Nyquist index counts as positive) and for n - count above.
double signedFrequencyIndex(std::uint64_t n, std::uint64_t count)
{
    return n <= count / 2 ? static_cast<double>(n) : -static_cast<double>(count - n);
}

Complex unitPhase(double phase)
{
    return Complex(static_cast<float>(std::cos(phase)), static_cast<float>(std::sin(phase)));
}

// psi[c] *= table[c], written out so that the single-precision product is the
// plain four-multiplication one (no NaN/infinity recovery of the library operator).
void multiplyCells(Complex* psi, const Complex* table, std::uint64_t count)
{
    for (std::uint64_t c = 0; c < count; ++c) {
        const float ar = psi[c].real();
        const float ai = psi[c].imag();
        const float br = table[c].real();
        const float bi = table[c].imag();
        psi[c] = Complex(ar * br - ai * bi, ar * bi + ai * br);
    }
}

} // namespace

void SplitStepFourierSolver2D::validateParameters(const SplitStepParameters& parameters)
{
    if (!isFinitePositive(parameters.mass))
        throw std::invalid_argument("SplitStepFourierSolver2D: mass must be finite and positive");
    if (!isFinitePositive(parameters.hbar))
        throw std::invalid_argument("SplitStepFourierSolver2D: hbar must be finite and positive");
    if (!isFinitePositive(parameters.dt))
        throw std::invalid_argument("SplitStepFourierSolver2D: dt must be finite and positive");
}

void SplitStepFourierSolver2D::configure(const SplitStepParameters& parameters)
{
    validateParameters(parameters);
    parameters_ = parameters;
    kineticKey_ = GridKey();
    kineticPhase_.clear();
    potentialKey_ = PotentialKey();
    potentialPhase_.clear();
    resetClock();
}

void SplitStepFourierSolver2D::step(ComplexField2D& psi, const PotentialField2D& potential)
{
    if (!potential.matches(psi))
        throw std::invalid_argument("SplitStepFourierSolver2D: psi and potential grids must match");
    if (!kineticPhaseMatches(psi))
        prepareKineticPhase(psi);
    if (!potentialPhaseMatches(potential))
        preparePotentialPhase(potential);

    applyPotentialHalfStep(psi);
    FFT2D::forward(psi);
    applyKineticPhase(psi);
    FFT2D::inverse(psi);
    applyPotentialHalfStep(psi);
    advanceClock();
}

void SplitStepFourierSolver2D::advanceClock()
{
    ++steps_;
    time_ += static_cast<double>(parameters_.dt);
}

void SplitStepFourierSolver2D::resetClock()
{
    time_ = 0.0;
    steps_ = 0;
}

bool SplitStepFourierSolver2D::kineticPhaseMatches(const ComplexField2D& psi) const
{
    return !kineticPhase_.empty() && kineticKey_.nx == psi.nx() && kineticKey_.ny == psi.ny()
        && kineticKey_.dx == psi.dx() && kineticKey_.dy == psi.dy();
}

bool SplitStepFourierSolver2D::potentialPhaseMatches(const PotentialField2D& potential) const
{
    return !potentialPhase_.empty() && potentialKey_.identity == potential.identity()
        && potentialKey_.revision == potential.revision() && potentialKey_.grid.nx == potential.nx()
        && potentialKey_.grid.ny == potential.ny() && potentialKey_.grid.dx == potential.dx()
        && potentialKey_.grid.dy == potential.dy();
}

void SplitStepFourierSolver2D::prepareKineticPhase(const ComplexField2D& psi)
{
    validateParameters(parameters_);
    if (psi.empty())
        throw std::invalid_argument("SplitStepFourierSolver2D: field must not be empty");
    if (!FFT2D::isPowerOfTwoGrid(psi.nx(), psi.ny()))
        throw std::invalid_argument("SplitStepFourierSolver2D: grid dimensions must be powers of two");
    if (!isFinitePositive(psi.dx()) || !isFinitePositive(psi.dy()))
        throw std::invalid_argument("SplitStepFourierSolver2D: spatial steps must be finite and positive");

    const std::uint64_t nx = psi.nx();
    const std::uint64_t ny = psi.ny();
    const double dx = psi.dx();
    const double dy = psi.dy();
    kineticPhase_.resize(nx * ny);
    kineticKey_ = GridKey{nx, ny, psi.dx(), psi.dy()};

    // exp(-i hbar k^2 dt / 2m): the free propagator over the full step.
    const double coefficient = -static_cast<double>(parameters_.hbar) * static_cast<double>(parameters_.dt)
        / (2.0 * static_cast<double>(parameters_.mass));
    const double twoPi = 2.0 * kPi;
    for (std::uint64_t j = 0; j < ny; ++j) {
        const double ky = signedFrequencyIndex(j, ny) * twoPi / (dy * static_cast<double>(ny));
        Complex* row = kineticPhase_.data() + j * nx;
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double kx = signedFrequencyIndex(i, nx) * twoPi / (static_cast<double>(nx) * dx);
            row[i] = unitPhase((kx * kx + ky * ky) * coefficient);
        }
    }
}

void SplitStepFourierSolver2D::preparePotentialPhase(const PotentialField2D& potential)
{
    validateParameters(parameters_);
    if (potential.empty())
        throw std::invalid_argument("SplitStepFourierSolver2D: potential must not be empty");
    if (!isFinitePositive(potential.dx()) || !isFinitePositive(potential.dy()))
        throw std::invalid_argument("SplitStepFourierSolver2D: potential spatial steps must be finite and positive");

    const std::uint64_t count = potential.size();
    potentialPhase_.resize(count);
    potentialKey_ = PotentialKey{potential.identity(), potential.revision(),
                                 GridKey{potential.nx(), potential.ny(), potential.dx(), potential.dy()}};

    // exp(-i V dt / 2hbar): the potential propagator over half a step.
    const double coefficient = -static_cast<double>(parameters_.dt) / (2.0 * static_cast<double>(parameters_.hbar));
    const float* values = potential.data();
    for (std::uint64_t c = 0; c < count; ++c)
        potentialPhase_[c] = unitPhase(static_cast<double>(values[c]) * coefficient);
}

void SplitStepFourierSolver2D::applyKineticPhase(ComplexField2D& psi) const
{
    if (kineticPhase_.size() != psi.size())
        throw std::invalid_argument("SplitStepFourierSolver2D: kinetic phase is not prepared for this field");
    multiplyCells(psi.data(), kineticPhase_.data(), psi.size());
}

void SplitStepFourierSolver2D::applyPotentialHalfStep(ComplexField2D& psi) const
{
    if (potentialPhase_.size() != psi.size())
        throw std::invalid_argument("SplitStepFourierSolver2D: potential phase is not prepared for this field");
    multiplyCells(psi.data(), potentialPhase_.data(), psi.size());
}

} // namespace vxo
