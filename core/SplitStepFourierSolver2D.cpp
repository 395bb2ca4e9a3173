#include "core/SplitStepFourierSolver2D.h"

#include "core/FFT2D.h"
#include "core/FFT2DKernels.h"
#include "core/FourierGrid.h"
#include "core/Numeric.h"
#include "core/PhaseFactors.h"
#include "core/PotentialField2D.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace vxo {

namespace {

// A Strang step of length tau hands a mode q of the potential's spectrum
// c(q), detuned from the packet by E (the kinetic energy of q plus the
// potential's range, the most a mode inside a wall can be off), the
// first-order amplitude tau |c| |cot(phi / 2)| / hbar with phi = E tau / hbar,
// where the true propagator gives at most 2 |c| / E: the split step
// exaggerates it by g(phi) = (phi / 2) |cot(phi / 2)|, below one up to
// phi = 1.29 pi and without bound at phi = 2 pi, where the mode takes the
// packet's own phase and is fed step after step. Each mode may have its
// probability exaggerated kExcessFactor times, or up to kQuietModeProbability
// in absolute terms; a mode fed by |c| dt / hbar below kFeedFloor does not
// count. Only modes the spectrum holds count: a potential along x reaches no
// y range, a turned or curved wall reaches the diagonals.
// The allowances are set against runs converged in dt (sub-steps 16 times
// finer) of standing waves, barriers, boxes upright and turned, discs and
// double wells; the SubStepRule tests hold such cases with their converged
// references. Allowing twice the true probability leaves a box of sharp
// walls on coarse cells one sub-step short of what it needs; four times
// holds every case.
constexpr double kExcessFactor = 4.0;
constexpr double kQuietModeProbability = 1e-8;
constexpr double kFeedFloor = 1e-5;
// A mode fed with more than kStrongModeProbability in the true propagator
// must also not be starved: near phi = pi the split step feeds it hardly at
// all (g -> 0), and the walls' evanescent tails, whose energy the step
// conserves, come out wrong. Its kinetic phase, with the potential's range up
// to the same amount again, stays within kStrongModePhase, where g^2 > 0.6.
// Set by the largest spectral energy drift of packets in cavities of sharp
// walls (boxes, billiards, a stadium; the SubStepRule stadium test measures
// it); a lower threshold counts modes that do not change the drift and
// nearly doubles the sub-steps of a double slit.
constexpr double kStrongModeProbability = 1e-6;
constexpr double kStrongModePhase = 1.6;
// Modes fed beyond a turn. Once a mode's phase per sub-step passes 2 pi it
// takes the packet's own phase wherever that phase comes near a multiple of
// 2 pi, and there every sub-step feeds it in phase: a packet held against a
// wall pumps its energy up step after step. A hard edge feeds every band of
// wave numbers with the same energy (|c|^2 falls as 1 / k^3 around a curved
// edge, the modes of a band grow as k), so on finer cells modes each far too
// weak to count above carry, together, the energy a run drifts by. The count
// is also the fewest for which the modes past kWrapPhase per sub-step carry,
// together, at most kWrappedFeed of the feed phi (|c| dt / hbar)^2 per step
// (phi the mode's phase over the whole step). The margin below 2 pi keeps
// clear of the resonance the packet's own energy and momentum shift the
// modes into. Set against runs converged in dt (plain steps 32 to 160 times
// finer) of the guided experiments' walls, discs, wedges, boxes, billiards
// and double wells on grids of 256 to 1024 points a side, where the spectral
// energy the step conserves is the first to go.
constexpr double kWrapPhase = 1.9 * kPi;
constexpr double kWrappedFeed = 1e-6;
// A bound on the work of one step.
constexpr std::uint32_t kMostSubSteps = 128;

// The fewest sub-steps for which the feed of the modes past kWrapPhase per
// sub-step is at most kWrappedFeed: feedByCount[c] holds the feed of the
// modes that need c sub-steps (the last entry, those that need more than
// kMostSubSteps).
double fewestForWrappedFeed(const std::vector<double>& feedByCount)
{
    double beyond = 0.0;
    for (std::size_t count = feedByCount.size() - 1; count > 0; --count) {
        beyond += feedByCount[count];
        if (beyond > kWrappedFeed)
            return double(count);
    }
    return 1.0;
}
// Largest third difference of V along either axis (the periodic wrap aside),
// times dt / hbar, below which the potential is smooth and keeps the plain
// step. A quadratic potential (a trap, quenched, driven or rotated) has none,
// and the kink its periodic copies make at the grid's edge, where no packet
// of the trap goes, is not counted; a step of 0.005 at dt 0.02 counts as
// sharp, as does a period of a few cells.
constexpr double kSmoothThirdDifference = 1e-4;
// A wall of height V0 from one cell to the next turns, over a sub-step tau,
// the phase of its side by V0 tau / hbar against the other: the split step
// reflects off that phase screen instead of off the wall, with a phase error
// whose infidelity grows as (V0 tau / hbar)^4 and as the square of the time
// spent bouncing (boxes, billiards, a bouncer's floor and a watched wall of
// 120 to 240 against runs converged in dt: 1e-6 to 2e-6 t^2 (V0 tau /
// hbar)^4). The largest step between neighbouring cells (the periodic wrap
// aside) is held to kStepPhase per sub-step: at most 3e-4 after 60 time
// units of bouncing.
constexpr double kStepPhase = 0.4;

// The largest third difference and the largest step between neighbouring
// cells of V along either axis, the periodic wrap aside.
struct Steepness {
    double thirdDifference = 0.0;
    double step = 0.0;
};

Steepness steepnessOf(const PotentialField2D& potential)
{
    // Row by row with every operation the same on neighbouring cells, so
    // that the loops run on vector registers: this runs at every revision,
    // that is at every step of a potential that moves.
    const std::uint64_t nx = potential.nx();
    const std::uint64_t ny = potential.ny();
    if (nx == 0)
        return {};
    const float* v = potential.data();
    std::vector<float> thirdOf(nx, 0.0f), stepOf(nx, 0.0f);
    float* third = thirdOf.data();
    float* step = stepOf.data();
    for (std::uint64_t j = 0; j < ny; ++j) {
        const float* r0 = v + j * nx;
        for (std::uint64_t i = 0; i + 3 < nx; ++i)
            third[i] = std::max(third[i], std::abs((r0[i + 3] - r0[i]) - 3.0f * (r0[i + 2] - r0[i + 1])));
        for (std::uint64_t i = 0; i + 1 < nx; ++i)
            step[i] = std::max(step[i], std::abs(r0[i + 1] - r0[i]));
        if (j + 1 < ny) {
            const float* r1 = r0 + nx;
            for (std::uint64_t i = 0; i < nx; ++i)
                step[i] = std::max(step[i], std::abs(r1[i] - r0[i]));
        }
        if (j + 3 < ny) {
            const float* r1 = r0 + nx;
            const float* r2 = r1 + nx;
            const float* r3 = r2 + nx;
            for (std::uint64_t i = 0; i < nx; ++i)
                third[i] = std::max(third[i], std::abs((r3[i] - r0[i]) - 3.0f * (r2[i] - r1[i])));
        }
    }
    return {double(*std::max_element(thirdOf.begin(), thirdOf.end())),
            double(*std::max_element(stepOf.begin(), stepOf.end()))};
}

double exaggeration(double phi)
{
    const double x = phi / 2.0;
    return std::abs(x / std::tan(x));
}

// The largest phase phi in [pi, 2 pi) whose exaggeration stays within
// kAllowed[k] = sqrt(2) * 1.25^k, found once by bisection; a lookup rounds
// the allowance down, so it errs towards more sub-steps.
constexpr int kAllowances = 64;
constexpr double kAllowanceRatio = 1.25;
struct PhaseLimits {
    double phase[kAllowances];
    PhaseLimits()
    {
        for (int k = 0; k < kAllowances; ++k) {
            const double allowed = std::sqrt(kExcessFactor) * std::pow(kAllowanceRatio, k);
            double low = kPi, high = 2.0 * kPi;
            for (int i = 0; i < 60; ++i) {
                const double mid = 0.5 * (low + high);
                (exaggeration(mid) <= allowed ? low : high) = mid;
            }
            phase[k] = low;
        }
    }
    // The phase limit for an exaggeration of at most sqrt(allowedSquared).
    double limitFor(double allowedSquared) const
    {
        const double steps = std::log(allowedSquared / kExcessFactor) / (2.0 * std::log(kAllowanceRatio));
        const int k = steps <= 0.0 ? 0 : steps >= kAllowances - 1 ? kAllowances - 1 : int(steps);
        return phase[k];
    }
};

} // namespace

std::uint32_t SplitStepFourierSolver2D::subStepsFor(const PotentialField2D& potential,
                                                    const SplitStepParameters& parameters)
{
    if (potential.empty())
        return 1;
    const double hbar = parameters.hbar;
    const double dt = parameters.dt;
    const double lowest = potential.minValue();
    const double range = double(potential.maxValue()) - lowest;
    // NaN or infinity: nothing to gain from sub-steps; a flat potential has no modes to feed.
    if (!std::isfinite(range) || range == 0.0)
        return 1;
    const std::uint64_t nx = potential.nx();
    const std::uint64_t ny = potential.ny();
    const double dx = potential.dx();
    const double dy = potential.dy();
    const double kineticScale = hbar * hbar / (2.0 * double(parameters.mass));
    const Steepness steepness = steepnessOf(potential);
    if (steepness.thirdDifference * dt / hbar < kSmoothThirdDifference)
        return 1;
    if (!FFT2D::isPowerOfTwoGrid(nx, ny)) {
        // No spectrum without the transform (only the magnetic step runs on
        // such grids): a potential that is not smooth feeds every mode.
        const double reach = kineticScale * (kPi * kPi / (dx * dx) + kPi * kPi / (dy * dy));
        const double count = std::ceil((reach + range) * dt / hbar / (1.5 * kPi));
        return static_cast<std::uint32_t>(std::clamp(count, 1.0, double(kMostSubSteps)));
    }
    // The spectrum c(q) of V as mean amplitudes; its mean (q = 0) only shifts
    // every phase alike and is skipped.
    ComplexField2D spectrum(nx, ny, float(dx), float(dy));
    const float* v = potential.data();
    for (std::uint64_t c = 0; c < spectrum.size(); ++c)
        spectrum.data()[c] = Complex(v[c], 0.0f);
    FFT2D::forward(spectrum);
    static const PhaseLimits limits;
    // This runs at every step of a moving potential, where the divider would
    // set its pace: squared amplitudes (no root) and the step's scale
    // multiplied in (no quotient) per mode, the columns' kinetic energies
    // once. The float spectrum can neither overflow nor underflow a square
    // in double.
    const double toAmplitudeSquared = 1.0 / (double(spectrum.size()) * double(spectrum.size()));
    const double stepScale = dt / hbar;
    const double feedScale = stepScale * stepScale;
    const double toWrapCount = 1.0 / kWrapPhase;
    const double floorAmplitude = kFeedFloor / stepScale;
    const double floorAmplitudeSquared = floorAmplitude * floorAmplitude;
    std::vector<double> feedByCount(kMostSubSteps + 2, 0.0);
    double count = std::max(1.0, std::ceil(steepness.step * stepScale / kStepPhase));
    std::vector<double> columnKinetic(nx);
    for (std::uint64_t i = 0; i < nx; ++i) {
        const double kx = fftWaveNumber(i, nx, dx);
        columnKinetic[i] = kx * kx;
    }
    for (std::uint64_t j = 0; j < ny; ++j) {
        const double ky = fftWaveNumber(j, ny, dy);
        const Complex* row = spectrum.data() + j * nx;
        for (std::uint64_t i = j == 0 ? 1 : 0; i < nx; ++i) {
            const double re = row[i].real();
            const double im = row[i].imag();
            const double aSquared = (re * re + im * im) * toAmplitudeSquared;
            const double kineticWave = columnKinetic[i] + ky * ky;
            const double detuning = kineticScale * kineticWave + range;
            const double phase = detuning * stepScale;
            const double wrapCount = std::min(std::ceil(phase * toWrapCount), double(kMostSubSteps + 1));
            feedByCount[std::size_t(wrapCount)] += phase * aSquared * feedScale;
            if (!(aSquared >= floorAmplitudeSquared))
                continue;
            if (phase <= kStrongModePhase * count)
                continue; // within the phase that every mode may have
            const double trueProbability = 4.0 * aSquared / (detuning * detuning);
            if (trueProbability > kStrongModeProbability) {
                const double kinetic = kineticScale * kineticWave;
                const double strongPhase = (kinetic + std::min(range, kinetic)) * stepScale;
                count = std::max(count, std::ceil(strongPhase / kStrongModePhase));
            }
            const double limit = limits.limitFor(std::max(kExcessFactor, kQuietModeProbability / trueProbability));
            count = std::max(count, std::ceil(phase / limit));
        }
    }
    count = std::max(count, fewestForWrappedFeed(feedByCount));
    return static_cast<std::uint32_t>(std::min(count, double(kMostSubSteps)));
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
    kineticKey_ = KineticKey();
    kineticPhase_.clear();
    potentialPhase_.clear();
    potentialSubStepPhase_.clear();
    potentialGaugePhase_.clear();
    potentialGaugeSubStepPhase_.clear();
    subSteps_ = 1;
    gaugeSubSteps_ = 1;
    sweepX_.clear();
    sweepY_.clear();
    resetClock();
}

void SplitStepFourierSolver2D::step(ComplexField2D& psi, const PotentialField2D& potential)
{
    stepPart(psi, potential, [](std::uint32_t) { return true; });
}

bool SplitStepFourierSolver2D::stepPart(ComplexField2D& psi, const PotentialField2D& potential,
                                        const std::function<bool(std::uint32_t)>& anotherSubStep)
{
    if (subStepsDone_ > 0 && gaugeStepInProgress_)
        throw std::invalid_argument("SplitStepFourierSolver2D: a magnetic step is in progress");
    if (subStepsDone_ == 0) {
        if (!potential.matches(psi))
            throw std::invalid_argument("SplitStepFourierSolver2D: psi and potential grids must match");
        // The kinetic table is built for the potential's sub-step, so the
        // potential comes first; psi's grid is checked before either changes.
        if (kineticPhase_.empty() || !kineticKey_.grid.matches(psi))
            validateKineticGrid(psi);
        ensurePotentialPhase(potential);
        if (!kineticPhaseMatches(psi))
            prepareKineticPhase(psi);
        stepStartTime_ = time_;
    } else if (!kineticKey_.grid.matches(psi)) {
        // The tables of the step in progress are for the grid it started on.
        throw std::invalid_argument("SplitStepFourierSolver2D: psi and potential grids must match");
    }

    // The phase products ride on the transforms' first and last passes: the
    // same products, bit for bit, as applying the tables in turn. Between two
    // sub-steps of one call the two half phases are one table of the whole
    // sub-step; a call that stops closes its last sub-step with the half
    // phase, so that psi is the state of the time reached.
    const Complex* potentialHalf = potentialPhase_.values().data();
    const Complex* kinetic = kineticPhase_.data();
    const fft2d::KernelSet path = fft2d::bestKernelSet();
    fft2d::transformField(path, psi.data(), psi.nx(), psi.ny(), false, potentialHalf, kinetic);
    ++subStepsPropagated_;
    std::uint32_t run = 1;
    while (subStepsDone_ + run < subSteps_ && anotherSubStep(run)) {
        fft2d::transformField(path, psi.data(), psi.nx(), psi.ny(), true, nullptr,
                              potentialSubStepPhase_.values().data());
        fft2d::transformField(path, psi.data(), psi.nx(), psi.ny(), false, nullptr, kinetic);
        ++subStepsPropagated_;
        ++run;
    }
    fft2d::transformField(path, psi.data(), psi.nx(), psi.ny(), true, nullptr, potentialHalf);
    subStepsDone_ += run;
    if (subStepsDone_ < subSteps_) {
        time_ = stepStartTime_ + subStepsDone_ * subStepDt();
        return false;
    }
    subStepsDone_ = 0;
    time_ = stepStartTime_;
    advanceClock();
    return true;
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
    subStepsDone_ = 0;
    gaugeStepInProgress_ = false;
}

bool SplitStepFourierSolver2D::kineticPhaseMatches(const ComplexField2D& psi) const
{
    return !kineticPhase_.empty() && kineticKey_.grid.matches(psi) && kineticKey_.mass == parameters_.mass &&
           kineticKey_.hbar == parameters_.hbar && kineticKey_.subStepDt == subStepDt();
}

bool SplitStepFourierSolver2D::potentialPhaseMatches(const PotentialField2D& potential) const
{
    return potentialPhase_.matches(potential);
}

void SplitStepFourierSolver2D::validateKineticGrid(const ComplexField2D& psi)
{
    if (psi.empty())
        throw std::invalid_argument("SplitStepFourierSolver2D: field must not be empty");
    if (!FFT2D::isPowerOfTwoGrid(psi.nx(), psi.ny()))
        throw std::invalid_argument("SplitStepFourierSolver2D: grid dimensions must be powers of two");
    if (!isFinitePositive(psi.dx()) || !isFinitePositive(psi.dy()))
        throw std::invalid_argument("SplitStepFourierSolver2D: spatial steps must be finite and positive");
}

void SplitStepFourierSolver2D::prepareKineticPhase(const ComplexField2D& psi)
{
    validateParameters(parameters_);
    validateKineticGrid(psi);

    const std::uint64_t nx = psi.nx();
    const std::uint64_t ny = psi.ny();
    const double dx = psi.dx();
    const double dy = psi.dy();
    kineticPhase_.resize(nx * ny);
    kineticKey_ = {GridKey2D::of(psi), parameters_.mass, parameters_.hbar, subStepDt()};
    ++kineticBuilds_;

    // exp(-i hbar k^2 tau / 2m): the free propagator over one sub-step tau.
    const double coefficient =
        -static_cast<double>(parameters_.hbar) * kineticKey_.subStepDt / (2.0 * static_cast<double>(parameters_.mass));
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

    tabledValues_.assign(potential.data(), potential.data() + potential.size());
    ++potentialBuilds_;
    const std::uint32_t count = forcedSubSteps_ > 0 ? forcedSubSteps_ : subStepsFor(potential, parameters_);
    const double dt = static_cast<double>(parameters_.dt) / count;
    // Both tables or neither (rebuild changes both together).
    potentialPhase_.rebuild(potential, dt, parameters_.hbar, count > 1 ? &potentialSubStepPhase_ : nullptr);
    if (count == 1)
        potentialSubStepPhase_.clear();
    subSteps_ = count;
    // Kept with the revision, so that no magnetic step scans the potential.
    // The sharp edges that ask the Fourier step for sub-steps ask the same
    // accuracy of the magnetic step's splitting, whose phase wrap alone lets
    // a hard disc scatter differently at a finer step.
    gaugeSubSteps_ =
        count == 1 || forcedSubSteps_ > 0 ? count : std::max(count, gaugeSubStepsFor(potential, parameters_));
}

void SplitStepFourierSolver2D::ensurePotentialPhase(const PotentialField2D& potential)
{
    if (potentialPhaseMatches(potential))
        return;
    const std::uint64_t from = potentialPhase_.revision();
    const bool sameValues = !potentialPhase_.empty() && potentialPhase_.size() == potential.size() &&
                            tabledValues_.size() == potential.size() &&
                            std::memcmp(tabledValues_.data(), potential.data(), potential.size() * sizeof(float)) == 0;
    if (sameValues) {
        for (PotentialPhaseTable* table :
             {&potentialPhase_, &potentialSubStepPhase_, &potentialGaugePhase_, &potentialGaugeSubStepPhase_})
            table->adoptRevision(potential, from);
    }
    if (!potentialPhaseMatches(potential))
        preparePotentialPhase(potential);
}

double SplitStepFourierSolver2D::subStepDt() const { return static_cast<double>(parameters_.dt) / subSteps_; }

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
