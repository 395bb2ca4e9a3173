#include "core/SplitStepFourierSolver2D.h"

#include "core/FFT2D.h"
#include "core/FFT2DKernels.h"
#include "core/FourierGrid.h"
#include "core/Numeric.h"
#include "core/PhaseFactors.h"
#include "core/PotentialField2D.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace vxo {

namespace {

// The largest phase a sub-step may give the energy span of the grid, counted
// with the kinetic range along one axis. At 2 pi a mode the potential feeds
// takes the packet's own phase and grows step after step; modes on the
// diagonals reach up to twice the axis range, and near that resonance a step
// feeds them several times more than the true propagator does. Measured on
// walls 120 and 240 high and the barrier of 4.5: at 1.9 pi to 2.8 pi a
// sub-step still leaks (box 0.017 to 0.12 outside, far side of the barrier
// 6e-4), at 1.2 pi to 1.65 pi the walls hold to 1.1 to 2 times their
// converged evanescent tail and the barrier sends nothing ahead.
constexpr double kLargestSubStepPhase = 1.5 * kPi;
// Largest second difference of V between neighbouring cells, times dt / hbar,
// below which the potential is smooth on the grid: its Fourier content at the
// high wave numbers is too small to feed them. Measured with soft walls
// V = 60 (1 + tanh(x / w)) on cells 0.08 wide at dt 0.02: 0.036 (w = 0.4)
// holds a packet of energy 5 as a converged run does, 0.14 (w = 0.2) lets
// 7e-6 through, and a step of 5 (0.095) moves the transmitted share by 0.006.
// The largest jump between neighbouring cells does not separate them (0.24
// holds, 0.096 does not).
constexpr double kSmoothCoupling = 0.02;
// A bound on the work of one step.
constexpr std::uint32_t kMostSubSteps = 64;

struct PotentialExtent {
    double lowest = 0.0;
    double highest = 0.0;
    double sharpest = 0.0; // largest |V[c-1] - 2 V[c] + V[c+1]| along x or y
};

PotentialExtent extentOf(const PotentialField2D& potential)
{
    // Column by column, so that every operation is the same on neighbouring
    // cells and the loops run on vector registers; reduced at the end.
    const std::uint64_t nx = potential.nx();
    const std::uint64_t ny = potential.ny();
    const float* v = potential.data();
    std::vector<float> lowestOf(v, v + nx), highestOf(v, v + nx), sharpestOf(nx, 0.0f);
    float* lowest = lowestOf.data();
    float* highest = highestOf.data();
    float* sharpest = sharpestOf.data();
    for (std::uint64_t j = 0; j < ny; ++j) {
        const float* row = v + j * nx;
        for (std::uint64_t i = 0; i < nx; ++i) {
            lowest[i] = std::min(lowest[i], row[i]);
            highest[i] = std::max(highest[i], row[i]);
        }
        for (std::uint64_t i = 1; i + 1 < nx; ++i)
            sharpest[i] = std::max(sharpest[i], std::abs(row[i - 1] - 2.0f * row[i] + row[i + 1]));
        if (j > 0 && j + 1 < ny) {
            const float* above = row - nx;
            const float* below = row + nx;
            for (std::uint64_t i = 0; i < nx; ++i)
                sharpest[i] = std::max(sharpest[i], std::abs(above[i] - 2.0f * row[i] + below[i]));
        }
    }
    PotentialExtent e;
    e.lowest = *std::min_element(lowestOf.begin(), lowestOf.end());
    e.highest = *std::max_element(highestOf.begin(), highestOf.end());
    e.sharpest = *std::max_element(sharpestOf.begin(), sharpestOf.end());
    return e;
}

} // namespace

std::uint32_t SplitStepFourierSolver2D::subStepsFor(const PotentialField2D& potential,
                                                   const SplitStepParameters& parameters)
{
    if (potential.empty())
        return 1;
    const double hbar = parameters.hbar;
    const double dt = parameters.dt;
    const PotentialExtent e = extentOf(potential);
    // NaN or infinity: nothing to gain from sub-steps.
    if (!std::isfinite(e.highest - e.lowest) || !std::isfinite(e.sharpest))
        return 1;
    if (e.sharpest * dt / hbar < kSmoothCoupling)
        return 1;
    const double spacing = std::min(double(potential.dx()), double(potential.dy()));
    const double kMax = kPi / spacing;
    const double kineticRange = hbar * hbar * kMax * kMax / (2.0 * double(parameters.mass));
    const double phase = (kineticRange + e.highest - e.lowest) * dt / hbar;
    const double count = std::ceil(phase / kLargestSubStepPhase);
    return static_cast<std::uint32_t>(std::clamp(count, 1.0, double(kMostSubSteps)));
}

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
    potentialSubStepPhase_.clear();
    potentialGaugePhase_.clear();
    subSteps_ = 1;
    kineticSubSteps_ = 1;
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
    // A new potential may ask for another sub-step count.
    if (!kineticPhaseMatches(psi))
        prepareKineticPhase(psi);

    // The phase products ride on the transforms' first and last passes: the
    // same products, bit for bit, as applying the tables in turn. Between two
    // sub-steps the two half phases are one table of the whole sub-step.
    const Complex* potentialHalf = potentialPhase_.values().data();
    const Complex* kinetic = kineticPhase_.data();
    const fft2d::Path path = fft2d::bestPath();
    fft2d::transformField(path, psi.data(), psi.nx(), psi.ny(), false, potentialHalf, kinetic);
    for (std::uint32_t s = 1; s < subSteps_; ++s) {
        fft2d::transformField(path, psi.data(), psi.nx(), psi.ny(), true, nullptr,
                              potentialSubStepPhase_.values().data());
        fft2d::transformField(path, psi.data(), psi.nx(), psi.ny(), false, nullptr, kinetic);
    }
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
    return !kineticPhase_.empty() && kineticKey_.matches(psi) && kineticSubSteps_ == subSteps_;
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
    kineticSubSteps_ = subSteps_;

    // exp(-i hbar k^2 dt / 2m): the free propagator over the full step.
    const double coefficient = -static_cast<double>(parameters_.hbar) * subStepDt()
        / (2.0 * static_cast<double>(parameters_.mass));
    UnitPhaseRun run;
    for (std::uint64_t j = 0; j < ny; ++j) {
        const double ky = fftWaveNumber(j, ny, dy);
        Complex* row = kineticPhase_.data() + j * nx;
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double kx = fftWaveNumber(i, nx, dx);
            row[i] = run.next((kx * kx + ky * ky) * coefficient);
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

    const std::uint32_t count = subStepsFor(potential, parameters_);
    const double dt = static_cast<double>(parameters_.dt) / count;
    // Both tables or neither (rebuild changes both together).
    potentialPhase_.rebuild(potential, dt, parameters_.hbar, count > 1 ? &potentialSubStepPhase_ : nullptr);
    if (count == 1)
        potentialSubStepPhase_.clear();
    subSteps_ = count;
}

double SplitStepFourierSolver2D::subStepDt() const { return static_cast<double>(parameters_.dt) / subSteps_; }

const PotentialPhaseTable& SplitStepFourierSolver2D::wholeStepPotentialHalf(const PotentialField2D& potential)
{
    if (subSteps_ == 1)
        return potentialPhase_;
    if (!potentialGaugePhase_.matches(potential))
        potentialGaugePhase_.rebuild(potential, parameters_.dt, parameters_.hbar);
    return potentialGaugePhase_;
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
