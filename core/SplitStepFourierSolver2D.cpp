#include "core/SplitStepFourierSolver2D.h"

#include "core/FFT2D.h"
#include "core/FFT2DKernels.h"
#include "core/FourierGrid.h"
#include "core/Numeric.h"
#include "core/PhaseFactors.h"
#include "core/PotentialField2D.h"

#include <stdexcept>

namespace vxo {

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
    kineticKey_ = GridKey2D();
    kineticPhase_.clear();
    potentialPhase_.clear();
    sweepX_.clear();
    sweepY_.clear();
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

    // The three phase products ride on the transforms' first and last passes:
    // the same products, bit for bit, as applying the tables in turn.
    const Complex* potentialHalf = potentialPhase_.values().data();
    const fft2d::Path path = fft2d::bestPath();
    fft2d::transformField(path, psi.data(), psi.nx(), psi.ny(), false, potentialHalf, kineticPhase_.data());
    fft2d::transformField(path, psi.data(), psi.nx(), psi.ny(), true, nullptr, potentialHalf);
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
    return !kineticPhase_.empty() && kineticKey_.matches(psi);
}

bool SplitStepFourierSolver2D::potentialPhaseMatches(const PotentialField2D& potential) const
{
    return potentialPhase_.matches(potential);
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
    kineticKey_ = GridKey2D::of(psi);

    // exp(-i hbar k^2 dt / 2m): the free propagator over the full step.
    const double coefficient = -static_cast<double>(parameters_.hbar) * static_cast<double>(parameters_.dt)
        / (2.0 * static_cast<double>(parameters_.mass));
    for (std::uint64_t j = 0; j < ny; ++j) {
        const double ky = fftWaveNumber(j, ny, dy);
        Complex* row = kineticPhase_.data() + j * nx;
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double kx = fftWaveNumber(i, nx, dx);
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

    potentialPhase_.rebuild(potential, parameters_.dt, parameters_.hbar);
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
    potentialPhase_.apply(psi);
}

} // namespace vxo
