#include "experiments/QuantumRamsey2D.h"

#include "core/Numeric.h"
#include "experiments/BoundStateResult.h"
#include "experiments/DriveProtocols.h"
#include "experiments/DrivenPair.h"
#include "experiments/GridCoordinates.h"
#include "experiments/TwoLevelStepper.h"
#include "experiments/TwoLevelSystem.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

constexpr double kDegreesToRadians = kPi / 180.0;
constexpr double kMinPulseSteps = 80.0;
// The most steps of one pulse of the single system, and of all the pulses of
// an ensemble together: a few milliseconds of work each, reached only by
// carriers or amplitudes far beyond the pair's own scale.
constexpr long kMaxPulseSteps = 25000;
constexpr long kEnsembleStepBudget = 150000;
constexpr long kPulsesPerMember = 3;
// Ensemble members span +-3 standard deviations of the detuning.
constexpr double kEnsembleHalfSpan = 3.0;
constexpr double kMaxDetuningStdDev = 10.0;
constexpr std::int32_t kMinMembers = 3;
constexpr std::int32_t kMaxMembers = 201;

// Bias deviation from the sequence's base value during the free evolution: the
// pair was computed at the base bias, so nothing couples the states there.
constexpr double kFreeBiasDeviation = 0.0;

bool sequenceAndPairUsable(const BoundStateResult& result, const RamseySequence& sequence, int i, int j, double hbar)
{
    return QuantumDoubleWell2D::isValidPair(result, i, j) && isFinitePositive(hbar) &&
           isRamseySequenceAnalyzable(sequence);
}

bool freeRangeUsable(double freeMin, double freeMax, int n)
{
    return isFiniteNonNegative(freeMin) && isFinite(freeMax) && freeMax > freeMin && n >= 2;
}

ComplexVector2 freeStep(const RamseyMember& member, const ComplexVector2& a, double duration, double hbar)
{
    return propagateTwoLevel(a, member.energyI, member.energyJ, member.dipoleElement, kFreeBiasDeviation, duration,
                             hbar);
}

} // namespace

bool isRamseySequenceAnalyzable(const RamseySequence& s)
{
    return s.enabled && s.parameter == SceneParameterSlopeX && isFinite(s.mean) && isFinite(s.amplitude) &&
           isFinitePositive(s.angularFrequency) && isFinitePositive(s.pulseDuration) &&
           isFiniteNonNegative(s.freeEvolutionDuration) && isFinite(s.echoPulseDuration) &&
           (!s.echoEnabled || s.echoPulseDuration > 0.0) && isFinite(s.firstPhaseDegrees) &&
           isFinite(s.secondPhaseDegrees) && isFinite(s.echoPulsePhaseDegrees);
}

bool isRamseyEnsembleValid(const RamseyEnsemble& ensemble)
{
    return isFinite(ensemble.detuningStdDev) && ensemble.detuningStdDev >= 0.0 &&
           ensemble.detuningStdDev <= kMaxDetuningStdDev && ensemble.memberCount >= kMinMembers &&
           ensemble.memberCount <= kMaxMembers;
}

ComplexMatrix2x2 QuantumRamsey2D::pulsePropagator(double energyI, double energyJ, double dipole,
                                                  const RamseySequence& sequence, double duration, double phaseDegrees,
                                                  double hbar, long maxSteps)
{
    ComplexVector2 column0 = {ComplexD(1.0, 0.0), ComplexD(0.0, 0.0)};
    ComplexVector2 column1 = {ComplexD(0.0, 0.0), ComplexD(1.0, 0.0)};
    if (duration > 0.0) {
        // The state turns fastest at the carrier's crest; the carrier itself
        // turns at omega.
        double lower = 0.0, upper = 0.0;
        twoLevelEnergies(energyI, energyJ, dipole, sequence.amplitude, lower, upper);
        const double fastest = std::max(0.5 * (upper - lower) / hbar, sequence.angularFrequency);
        const long count = twoLevelFourthOrderStepCount(duration, fastest, kMinPulseSteps, maxSteps);
        const double dt = duration / static_cast<double>(count);
        const double phase = phaseDegrees * kDegreesToRadians;
        const TwoLevelStepper stepper(energyI, energyJ, dipole, dt, hbar);
        // Only the deviation from the base bias couples the pair (see the class
        // comment): A sin(omega t + phase) at the step's two Gauss points,
        // turned on by omega dt each step rather than evaluated afresh.
        const double omega = sequence.angularFrequency;
        ComplexD early = std::polar(1.0, omega * TwoLevelStepper::kEarlyGaussPoint * dt + phase);
        ComplexD late = std::polar(1.0, omega * TwoLevelStepper::kLateGaussPoint * dt + phase);
        const ComplexD advance = std::polar(1.0, omega * dt);
        for (long k = 0; k < count; ++k) {
            stepper.step(column0, column1, sequence.amplitude * early.imag(), sequence.amplitude * late.imag());
            early *= advance;
            late *= advance;
        }
    }
    return {column0[0], column1[0], column0[1], column1[1]};
}

RamseyMember QuantumRamsey2D::makeMember(const BoundStateResult& result, const RamseySequence& sequence, int i, int j,
                                         double hbar, double detuningOffset, double weight, long maxSteps)
{
    RamseyMember member;
    if (!QuantumDoubleWell2D::isValidPair(result, i, j))
        return member;
    member.energyI = result.states[static_cast<std::size_t>(i)].energy - hbar * detuningOffset / 2.0;
    member.energyJ = result.states[static_cast<std::size_t>(j)].energy + hbar * detuningOffset / 2.0;
    member.dipoleElement = QuantumDoubleWell2D::dipoleMatrixElement(result, i, j);
    member.weight = weight;
    member.firstPulse = pulsePropagator(member.energyI, member.energyJ, member.dipoleElement, sequence,
                                        sequence.pulseDuration, sequence.firstPhaseDegrees, hbar, maxSteps);
    member.secondPulse = pulsePropagator(member.energyI, member.energyJ, member.dipoleElement, sequence,
                                         sequence.pulseDuration, sequence.secondPhaseDegrees, hbar, maxSteps);
    if (sequence.echoEnabled)
        member.echoPulse = pulsePropagator(member.energyI, member.energyJ, member.dipoleElement, sequence,
                                           sequence.echoPulseDuration, sequence.echoPulsePhaseDegrees, hbar, maxSteps);
    return member;
}

void QuantumRamsey2D::memberFinalPopulations(const RamseyMember& member, const RamseySequence& sequence,
                                             double freeEvolution, double hbar, double& population1,
                                             double& population2)
{
    ComplexVector2 a = {ComplexD(1.0, 0.0), ComplexD(0.0, 0.0)};
    a = applyComplex2x2(member.firstPulse, a);
    double remaining = freeEvolution;
    if (sequence.echoEnabled) {
        const double half = 0.5 * freeEvolution;
        if (half > 0.0)
            a = freeStep(member, a, half, hbar);
        a = applyComplex2x2(member.echoPulse, a);
        remaining = half;
    }
    if (remaining > 0.0)
        a = freeStep(member, a, remaining, hbar);
    a = applyComplex2x2(member.secondPulse, a);
    population1 = std::norm(a[0]);
    population2 = std::norm(a[1]);
}

RamseyReference QuantumRamsey2D::reference(const BoundStateResult& result, const RamseySequence& sequence, int i, int j,
                                           double hbar)
{
    RamseyReference reference;
    if (!sequenceAndPairUsable(result, sequence, i, j, hbar))
        return reference;

    const double freeTime = sequence.freeEvolutionDuration;
    describeDrivenPair(reference, result, i, j, sequence.angularFrequency, sequence.amplitude, hbar);
    if (reference.rabiFrequency > 0.0)
        reference.halfPiPulseTime = kPi / (2.0 * reference.rabiFrequency);
    reference.firstPulseEnd = sequence.startTime + sequence.pulseDuration;
    reference.echoEnabled = sequence.echoEnabled;
    if (sequence.echoEnabled) {
        reference.echoStart = reference.firstPulseEnd + freeTime / 2.0;
        reference.echoEnd = reference.echoStart + sequence.echoPulseDuration;
        reference.secondPulseStart = reference.echoEnd + freeTime / 2.0;
    } else {
        reference.secondPulseStart = reference.firstPulseEnd + freeTime;
    }
    reference.secondPulseEnd = reference.secondPulseStart + sequence.pulseDuration;
    reference.freePrecessionPhase = reference.transitionFrequency * freeTime;

    const RamseyMember member = makeMember(result, sequence, i, j, hbar, 0.0, 1.0, kMaxPulseSteps);
    memberFinalPopulations(member, sequence, freeTime, hbar, reference.finalPopulation1, reference.finalPopulation2);
    reference.valid = true;
    return reference;
}

std::vector<RamseyMember> QuantumRamsey2D::ensembleMembers(const BoundStateResult& result,
                                                           const RamseySequence& sequence,
                                                           const RamseyEnsemble& ensemble, int i, int j, double hbar)
{
    if (!sequenceAndPairUsable(result, sequence, i, j, hbar) || !isRamseyEnsembleValid(ensemble))
        return {};
    const int count = ensemble.detuningStdDev > 0.0 ? ensemble.memberCount : 1;
    const long maxSteps = kEnsembleStepBudget / (kPulsesPerMember * count);
    std::vector<RamseyMember> members;
    members.reserve(static_cast<std::size_t>(count));
    double weightSum = 0.0;
    for (int k = 0; k < count; ++k) {
        const double z = count < 2 ? 0.0 : 2.0 * kEnsembleHalfSpan * k / (count - 1) - kEnsembleHalfSpan;
        const double weight = std::exp(-0.5 * z * z);
        members.push_back(makeMember(result, sequence, i, j, hbar, z * ensemble.detuningStdDev, weight, maxSteps));
        weightSum += weight;
    }
    if (weightSum > 0.0) {
        for (RamseyMember& member : members)
            member.weight /= weightSum;
    }
    return members;
}

void QuantumRamsey2D::ensembleAverage(const std::vector<RamseyMember>& members, const RamseySequence& sequence,
                                      double freeEvolution, double hbar, double& population1, double& population2,
                                      double* minPopulation2, double* maxPopulation2)
{
    population1 = 0.0;
    population2 = 0.0;
    double lowest = 0.0;
    double highest = 0.0;
    for (std::size_t k = 0; k < members.size(); ++k) {
        double p1 = 0.0;
        double p2 = 0.0;
        memberFinalPopulations(members[k], sequence, freeEvolution, hbar, p1, p2);
        population1 += members[k].weight * p1;
        population2 += members[k].weight * p2;
        lowest = k == 0 ? p2 : std::min(lowest, p2);
        highest = k == 0 ? p2 : std::max(highest, p2);
    }
    if (minPopulation2)
        *minPopulation2 = lowest;
    if (maxPopulation2)
        *maxPopulation2 = highest;
}

RamseyEnsembleResult QuantumRamsey2D::ensembleResult(const BoundStateResult& result, const RamseySequence& sequence,
                                                     const RamseyEnsemble& ensemble, int i, int j, double hbar)
{
    RamseyEnsembleResult ensembleResult;
    if (!ensemble.enabled)
        return ensembleResult;
    const std::vector<RamseyMember> members = ensembleMembers(result, sequence, ensemble, i, j, hbar);
    if (members.empty())
        return ensembleResult;
    ensembleResult.valid = true;
    ensembleResult.memberCount = static_cast<std::int32_t>(members.size());
    ensembleResult.detuningStdDev = ensemble.detuningStdDev;
    ensembleAverage(members, sequence, sequence.freeEvolutionDuration, hbar, ensembleResult.averagePopulation1,
                    ensembleResult.averagePopulation2, &ensembleResult.minPopulation2, &ensembleResult.maxPopulation2);
    return ensembleResult;
}

std::vector<RamseyFringePoint> QuantumRamsey2D::fringeScan(const BoundStateResult& result,
                                                           const RamseySequence& sequence, double freeMin,
                                                           double freeMax, int n, int i, int j, double hbar)
{
    if (!sequenceAndPairUsable(result, sequence, i, j, hbar) || !freeRangeUsable(freeMin, freeMax, n))
        return {};
    const RamseyMember member = makeMember(result, sequence, i, j, hbar, 0.0, 1.0, kMaxPulseSteps);
    const double omega0 = std::fabs(member.energyJ - member.energyI) / hbar;
    std::vector<RamseyFringePoint> points(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        RamseyFringePoint& point = points[static_cast<std::size_t>(k)];
        point.freeEvolutionDuration = evenlySpacedValue(freeMin, freeMax, k, n);
        point.phase = omega0 * point.freeEvolutionDuration;
        memberFinalPopulations(member, sequence, point.freeEvolutionDuration, hbar, point.population1,
                               point.population2);
    }
    return points;
}

std::vector<RamseyEnsemblePoint> QuantumRamsey2D::ensembleScan(const BoundStateResult& result,
                                                               const RamseySequence& sequence,
                                                               const RamseyEnsemble& ensemble, double freeMin,
                                                               double freeMax, int n, int i, int j, double hbar)
{
    if (!ensemble.enabled || !freeRangeUsable(freeMin, freeMax, n))
        return {};
    const std::vector<RamseyMember> members = ensembleMembers(result, sequence, ensemble, i, j, hbar);
    if (members.empty())
        return {};
    std::vector<RamseyEnsemblePoint> points(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        RamseyEnsemblePoint& point = points[static_cast<std::size_t>(k)];
        point.freeEvolutionDuration = evenlySpacedValue(freeMin, freeMax, k, n);
        ensembleAverage(members, sequence, point.freeEvolutionDuration, hbar, point.averagePopulation1,
                        point.averagePopulation2);
    }
    return points;
}

TwoLevelPopulations QuantumRamsey2D::twoLevelPopulations(const ComplexField2D& psi, const BoundStateResult& result,
                                                         int i, int j)
{
    return QuantumDoubleWell2D::twoLevelPopulations(psi, result, i, j);
}

TwoLevelPopulations QuantumRamsey2D::twoLevelPopulations(const ColumnAmplitudes2D& columns,
                                                         const BoundStateResult& result, int i, int j)
{
    return QuantumDoubleWell2D::twoLevelPopulations(columns, result, i, j);
}

} // namespace vxo
