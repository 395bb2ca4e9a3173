#include "experiments/QuantumRamsey2D.h"

#include "core/Numeric.h"
#include "experiments/DriveProtocols.h"
#include "experiments/TwoLevelStepper.h"
#include "experiments/TwoLevelSystem.h"
#include "tests/experiments/CheckMessages.h"
#include "tests/experiments/TwoLevelFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

using namespace vxo;

namespace {

// The Ramsey experiments: carrier at the pair's transition, pulses of about pi/2.
RamseySequence ramseySequence(double freeEvolution)
{
    RamseySequence sequence = fixtures::biasSlopeDrive<RamseySequence>();
    sequence.freeEvolutionDuration = freeEvolution;
    return sequence;
}

RamseyEnsemble ensembleOf(double spread, int members)
{
    RamseyEnsemble ensemble;
    ensemble.enabled = true;
    ensemble.detuningStdDev = spread;
    ensemble.memberCount = members;
    return ensemble;
}

} // namespace

TEST(QuantumRamsey2D, SettingsChecks)
{
    EXPECT_TRUE(isRamseyEnsembleValid(ensembleOf(0.06, 3)));
    EXPECT_TRUE(isRamseyEnsembleValid(ensembleOf(0.0, 201)));
    EXPECT_TRUE(isRamseyEnsembleValid(ensembleOf(10.0, 41)));
    EXPECT_FALSE(isRamseyEnsembleValid(ensembleOf(0.06, 2)));
    EXPECT_FALSE(isRamseyEnsembleValid(ensembleOf(0.06, 202)));
    EXPECT_FALSE(isRamseyEnsembleValid(ensembleOf(-0.01, 41)));
    EXPECT_FALSE(isRamseyEnsembleValid(ensembleOf(10.5, 41)));

    RamseySequence sequence = ramseySequence(5.5);
    sequence.echoPulseDuration = 0.0;
    EXPECT_TRUE(isRamseySequenceAnalyzable(sequence));
    sequence.echoEnabled = true;
    EXPECT_FALSE(isRamseySequenceAnalyzable(sequence));
}

TEST(QuantumRamsey2D, TransferAndReturnFringesOfTheDoubleWell)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const RamseyReference transfer = QuantumRamsey2D::reference(pair, ramseySequence(5.5), 0, 1, 1.0);
    ASSERT_TRUE(transfer.valid);
    EXPECT_GT(transfer.finalPopulation2, 0.99);
    EXPECT_NEAR(transfer.halfPiPulseTime, kPi / (2.0 * transfer.rabiFrequency), 1e-12);
    EXPECT_DOUBLE_EQ(transfer.firstPulseEnd, 14.35);
    EXPECT_DOUBLE_EQ(transfer.secondPulseStart, 14.35 + 5.5);
    EXPECT_DOUBLE_EQ(transfer.secondPulseEnd, 2.0 * 14.35 + 5.5);
    EXPECT_DOUBLE_EQ(transfer.freePrecessionPhase, transfer.transitionFrequency * 5.5);

    const RamseyReference back = QuantumRamsey2D::reference(pair, ramseySequence(15.75), 0, 1, 1.0);
    ASSERT_TRUE(back.valid);
    EXPECT_GT(back.finalPopulation1, 0.99);
    EXPECT_NEAR(back.finalPopulation1 + back.finalPopulation2, 1.0, 1e-9);

    RamseySequence echo = ramseySequence(15.75);
    echo.echoEnabled = true;
    echo.echoPulseDuration = 25.75;
    const RamseyReference withEcho = QuantumRamsey2D::reference(pair, echo, 0, 1, 1.0);
    ASSERT_TRUE(withEcho.valid);
    EXPECT_DOUBLE_EQ(withEcho.echoStart, 14.35 + 15.75 / 2.0);
    EXPECT_DOUBLE_EQ(withEcho.echoEnd, withEcho.echoStart + 25.75);
    EXPECT_DOUBLE_EQ(withEcho.secondPulseStart, withEcho.echoEnd + 15.75 / 2.0);
}

TEST(QuantumRamsey2D, StaticBiasIsNotCountedTwice)
{
    // The pair already describes the well at the sequence's base bias, so the
    // prediction on a given pair must not depend on that base value.
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    RamseySequence unbiased = ramseySequence(5.5);
    RamseySequence biased = unbiased;
    biased.mean = 0.05;
    const RamseyReference a = QuantumRamsey2D::reference(pair, unbiased, 0, 1, 1.0);
    const RamseyReference b = QuantumRamsey2D::reference(pair, biased, 0, 1, 1.0);
    ASSERT_TRUE(a.valid && b.valid);
    EXPECT_NEAR(b.finalPopulation2, a.finalPopulation2, 1e-12);

    const auto fringeA = QuantumRamsey2D::fringeScan(pair, unbiased, 0.0, 20.0, 5, 0, 1, 1.0);
    const auto fringeB = QuantumRamsey2D::fringeScan(pair, biased, 0.0, 20.0, 5, 0, 1, 1.0);
    ASSERT_EQ(fringeB.size(), 5u);
    for (std::size_t k = 0; k < fringeB.size(); ++k)
        EXPECT_NEAR(fringeB[k].population2, fringeA[k].population2, 1e-12) << k;
}

TEST(QuantumRamsey2D, ZeroFreeTimeChainsThePulses)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    RamseySequence sequence = ramseySequence(0.0);
    sequence.secondPhaseDegrees = 40.0;
    const RamseyMember member = QuantumRamsey2D::makeMember(pair, sequence, 0, 1, 1.0, 0.0, 1.0, 100000);
    const ComplexMatrix2x2 product = multiplyComplex2x2(member.secondPulse, member.firstPulse);
    double p1 = 0.0, p2 = 0.0;
    QuantumRamsey2D::memberFinalPopulations(member, sequence, 0.0, 1.0, p1, p2);
    EXPECT_NEAR(p1, std::norm(product[0]), 1e-14);
    EXPECT_NEAR(p2, std::norm(product[2]), 1e-14);

    // Pulse propagators are unitary; a duration of 0 is the identity.
    const ComplexMatrix2x2& u = member.firstPulse;
    EXPECT_NEAR(std::norm(u[0]) + std::norm(u[2]), 1.0, 1e-12);
    EXPECT_NEAR(std::abs(std::conj(u[0]) * u[1] + std::conj(u[2]) * u[3]), 0.0, 1e-12);
    const ComplexMatrix2x2 identity = QuantumRamsey2D::pulsePropagator(
        member.energyI, member.energyJ, member.dipoleElement, sequence, 0.0, 0.0, 1.0, 100000);
    EXPECT_EQ(identity, identityComplex2x2());
    EXPECT_EQ(member.echoPulse, ComplexMatrix2x2{});

    // The carrier of a pulse starts at its phase, F = A sin(omega t + phi):
    // the first column against a propagation ten times finer.
    const double duration = 3.0, phi = 40.0 * kPi / 180.0;
    const ComplexMatrix2x2 phased = QuantumRamsey2D::pulsePropagator(
        member.energyI, member.energyJ, member.dipoleElement, sequence, duration, 40.0, 1.0, 100000);
    ComplexVector2 a = {ComplexD(1.0, 0.0), ComplexD(0.0, 0.0)};
    const int steps = 3000;
    const double h = duration / steps;
    for (int k = 0; k < steps; ++k)
        a = propagateTwoLevel(a, member.energyI, member.energyJ, member.dipoleElement,
                              sequence.amplitude * std::sin(sequence.angularFrequency * (k + 0.5) * h + phi), h, 1.0);
    EXPECT_LT(std::abs(phased[0] - a[0]), 1e-4);
    EXPECT_LT(std::abs(phased[2] - a[1]), 1e-4);
}

TEST(QuantumRamsey2D, PulsesAgreeWithTheCarrierSteppedFinely)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const RamseySequence sequence = ramseySequence(0.0);
    // The guided pulse, a long one of hundreds of carrier periods' worth of
    // turn, and a detuned ensemble member with a phased carrier.
    const std::vector<std::tuple<double, double, double>> pulses = {
        {14.35, 0.0, 0.0}, {200.0, 40.0, 0.0}, {120.0, 90.0, 0.18}};
    for (const auto& [duration, phaseDegrees, detuning] : pulses) {
        const RamseyMember member = QuantumRamsey2D::makeMember(pair, sequence, 0, 1, 1.0, detuning, 1.0, 100000);
        const ComplexMatrix2x2 u = QuantumRamsey2D::pulsePropagator(
            member.energyI, member.energyJ, member.dipoleElement, sequence, duration, phaseDegrees, 1.0, 100000);
        // Midpoint steps eight times finer than 0.0025, both columns.
        const long steps = static_cast<long>(std::ceil(duration / (0.0025 / 8.0)));
        const double h = duration / static_cast<double>(steps);
        ComplexVector2 first = {ComplexD(1.0, 0.0), ComplexD(0.0, 0.0)};
        ComplexVector2 second = {ComplexD(0.0, 0.0), ComplexD(1.0, 0.0)};
        const TwoLevelStepper stepper(member.energyI, member.energyJ, member.dipoleElement, h, 1.0);
        for (long k = 0; k < steps; ++k)
            stepper.step(first, second,
                         sequence.amplitude * std::sin(sequence.angularFrequency * (static_cast<double>(k) + 0.5) * h +
                                                       phaseDegrees * kPi / 180.0));
        const ComplexMatrix2x2 fine = {first[0], second[0], first[1], second[1]};
        for (int e = 0; e < 4; ++e)
            EXPECT_LT(std::abs(u[e] - fine[e]), 2e-6) << "pulse " << duration << " element " << e;
    }
}

TEST(QuantumRamsey2D, TheWorkOfTheScansFollowsTheTurnOfTheStateNotThePulseLengths)
{
    // What a rebuild computes on the GUI thread (the reference, both scans
    // and the guided ensemble's result) with one box at its maximum: pulses
    // and echo of 1000, the carrier's amplitude, its frequency. A million
    // two-level steps are about ten milliseconds.
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    RamseySequence longest = ramseySequence(15.75);
    longest.echoEnabled = true;
    longest.echoPulseDuration = 25.75;
    RamseySequence strongest = longest, fastest = longest;
    longest.pulseDuration = 1000.0;
    longest.echoPulseDuration = 1000.0;
    strongest.amplitude = 1000.0;
    fastest.angularFrequency = 1000.0;
    const RamseyEnsemble ensemble = ensembleOf(0.06, 41);
    for (const RamseySequence& sequence : {longest, strongest, fastest}) {
        const std::uint64_t before = TwoLevelStepper::stepsTaken();
        ASSERT_TRUE(QuantumRamsey2D::reference(pair, sequence, 0, 1, 1.0).valid);
        EXPECT_EQ(QuantumRamsey2D::fringeScan(pair, sequence, 0.0, 30.0, 121, 0, 1, 1.0).size(), 121u);
        EXPECT_TRUE(QuantumRamsey2D::ensembleResult(pair, sequence, ensemble, 0, 1, 1.0).valid);
        EXPECT_EQ(QuantumRamsey2D::ensembleScan(pair, sequence, ensemble, 0.0, 30.0, 121, 0, 1, 1.0).size(), 121u);
        EXPECT_LT(TwoLevelStepper::stepsTaken() - before, 1000000u)
            << "pulse " << sequence.pulseDuration << " amplitude " << sequence.amplitude << " omega "
            << sequence.angularFrequency;
    }
}

TEST(QuantumRamsey2D, FringeScanSamplesItsRangeOrReturnsNothing)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const RamseySequence sequence = ramseySequence(5.5);
    const auto two = QuantumRamsey2D::fringeScan(pair, sequence, 5.5, 15.75, 2, 0, 1, 1.0);
    ASSERT_EQ(two.size(), 2u);
    const RamseyReference reference = QuantumRamsey2D::reference(pair, sequence, 0, 1, 1.0);
    EXPECT_DOUBLE_EQ(two[0].freeEvolutionDuration, 5.5);
    EXPECT_NEAR(two[0].population2, reference.finalPopulation2, 1e-12);
    EXPECT_DOUBLE_EQ(two[1].phase, reference.transitionFrequency * 15.75);

    EXPECT_TRUE(QuantumRamsey2D::fringeScan(pair, sequence, -1.0, 10.0, 5, 0, 1, 1.0).empty());
    EXPECT_TRUE(QuantumRamsey2D::fringeScan(pair, sequence, 0.0, 10.0, 1, 0, 1, 1.0).empty());
    EXPECT_TRUE(QuantumRamsey2D::fringeScan(pair, sequence, 0.0, 10.0, 5, 0, 0, 1.0).empty());
}

TEST(QuantumRamsey2D, EnsembleWeightsAndTheSingleMemberLimit)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const RamseySequence sequence = ramseySequence(5.5);

    const auto members = QuantumRamsey2D::ensembleMembers(pair, sequence, ensembleOf(0.06, 41), 0, 1, 1.0);
    ASSERT_EQ(members.size(), 41u);
    double sum = 0.0;
    for (const RamseyMember& member : members)
        sum += member.weight;
    EXPECT_NEAR(sum, 1.0, 1e-12);
    EXPECT_NEAR(members.front().weight / members[20].weight, std::exp(-4.5), 1e-12);
    // Outermost member: transition frequency moved by -3 sigma.
    const double omega0 = pair.states[1].energy - pair.states[0].energy;
    EXPECT_NEAR(members.front().energyJ - members.front().energyI, omega0 - 0.18, 1e-12);

    const RamseyEnsembleResult single = QuantumRamsey2D::ensembleResult(pair, sequence, ensembleOf(0.0, 41), 0, 1, 1.0);
    ASSERT_TRUE(single.valid);
    EXPECT_EQ(single.memberCount, 1);
    const RamseyReference reference = QuantumRamsey2D::reference(pair, sequence, 0, 1, 1.0);
    EXPECT_NEAR(single.averagePopulation2, reference.finalPopulation2, 1e-12);
    EXPECT_EQ(single.minPopulation2, single.maxPopulation2);

    // The ensemble's own value rules from both sides.
    using E = RamseyEnsemble;
    test::expectValueRules(
        [](const E& e, std::string* error) {
            const bool ok = isRamseyEnsembleValid(e);
            if (!ok)
                *error = "refused";
            return ok;
        },
        ensembleOf(0.06, 41),
        {test::closedRange<E>("detuningStdDev", test::setter(&E::detuningStdDev), 0.0, 10.0, "refused"),
         test::finiteOnly<E>("detuningStdDev", test::setter(&E::detuningStdDev), "refused"),
         {"memberCount",
          [](E& e, double v) { e.memberCount = static_cast<std::int32_t>(v); },
          {3.0, 201.0},
          {2.0, 202.0},
          "refused"}});

    RamseyEnsemble disabled = ensembleOf(0.06, 41);
    disabled.enabled = false;
    EXPECT_FALSE(QuantumRamsey2D::ensembleResult(pair, sequence, disabled, 0, 1, 1.0).valid);
    EXPECT_TRUE(QuantumRamsey2D::ensembleScan(pair, sequence, disabled, 0.0, 10.0, 5, 0, 1, 1.0).empty());
}

TEST(QuantumRamsey2D, DetuningSpreadWashesOutTheFringeAndTheEchoRefocusesIt)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const RamseyEnsemble ensemble = ensembleOf(0.06, 41);

    // Dephasing time 1/sigma ~ 17: at F ~ 100 the ensemble fringe is gone.
    const RamseySequence plain = ramseySequence(5.5);
    const auto late = QuantumRamsey2D::ensembleScan(pair, plain, ensemble, 100.0, 110.0, 11, 0, 1, 1.0);
    const auto single = QuantumRamsey2D::fringeScan(pair, plain, 100.0, 110.0, 11, 0, 1, 1.0);
    ASSERT_EQ(late.size(), 11u);
    double lateLow = 1.0, lateHigh = 0.0, singleLow = 1.0, singleHigh = 0.0;
    for (std::size_t k = 0; k < late.size(); ++k) {
        lateLow = std::min(lateLow, late[k].averagePopulation2);
        lateHigh = std::max(lateHigh, late[k].averagePopulation2);
        singleLow = std::min(singleLow, single[k].population2);
        singleHigh = std::max(singleHigh, single[k].population2);
    }
    EXPECT_LT(lateHigh - lateLow, 0.02);
    EXPECT_NEAR(0.5 * (lateHigh + lateLow), 0.5, 0.05);
    EXPECT_GT(singleHigh - singleLow, 0.8); // each member alone still interferes fully

    // With the echo the spread no longer averages the populations to 1/2.
    RamseySequence echo = ramseySequence(100.0);
    echo.echoEnabled = true;
    echo.echoPulseDuration = 25.75;
    echo.echoPulsePhaseDegrees = 90.0;
    const RamseyEnsembleResult refocused = QuantumRamsey2D::ensembleResult(pair, echo, ensemble, 0, 1, 1.0);
    ASSERT_TRUE(refocused.valid);
    EXPECT_GT(std::fabs(refocused.averagePopulation2 - 0.5), 0.3);
}
