#include "experiments/QuantumLandauZener2D.h"

#include "core/ComplexField2D.h"
#include "core/Numeric.h"
#include "core/SplitStepFourierSolver2D.h"
#include "experiments/DriveProtocols.h"
#include "experiments/QuantumDoubleWell2D.h"
#include "experiments/QuantumStueckelberg2D.h"
#include "experiments/TwoLevelStepper.h"
#include "experiments/TwoLevelSystem.h"
#include "tests/experiments/CheckMessages.h"
#include "tests/experiments/TwoLevelFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

using namespace vxo;

namespace {

LinearSweep slopeSweep(double from, double to, double duration)
{
    LinearSweep sweep = fixtures::biasSlopeDrive<LinearSweep>();
    sweep.startValue = from;
    sweep.endValue = to;
    sweep.duration = duration;
    return sweep;
}

// The fast sweep with hold and return of the interference experiments.
LinearSweep returnSweep(double hold)
{
    LinearSweep sweep = slopeSweep(0.35, -0.35, 4.0);
    sweep.returnEnabled = true;
    sweep.holdDuration = hold;
    sweep.returnDuration = 4.0;
    return sweep;
}

} // namespace

TEST(QuantumLandauZener2D, DefaultSweepCrossesAtItsMidpoint)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const LandauZenerReference reference =
        QuantumLandauZener2D::predict(pair, slopeSweep(0.35, -0.35, 40.0), 0, 1, 1.0);
    ASSERT_TRUE(reference.valid);
    EXPECT_DOUBLE_EQ(reference.crossingTime, 20.0);
    EXPECT_DOUBLE_EQ(reference.sweepRate, -0.0175);
    EXPECT_DOUBLE_EQ(reference.diabaticRate, 2.0 * 0.0175 * std::fabs(reference.dipoleElement));
    EXPECT_NEAR(reference.diabaticProbability + reference.adiabaticProbability, 1.0, 1e-15);
    EXPECT_EQ(reference.localizingSign, std::cos(reference.localizingPhase) >= 0.0 ? 1.0 : -1.0);

    // Each precondition alone leaves no prediction: a sweep that is off, on
    // another parameter, not finite, not forward in time, flat, too slow to
    // give a rate, or that never passes zero bias; hbar 0; a pair that is not
    // one.
    using test::justBelow;
    std::vector<std::pair<const char*, LinearSweep>> unusable;
    const auto spoiled = [&](const char* name, auto change) {
        LinearSweep sweep = slopeSweep(0.35, -0.35, 40.0);
        change(sweep);
        unusable.emplace_back(name, sweep);
    };
    spoiled("disabled", [](LinearSweep& s) { s.enabled = false; });
    spoiled("slope y", [](LinearSweep& s) { s.parameter = SceneParameterSlopeY; });
    spoiled("start NaN", [](LinearSweep& s) { s.startValue = NAN; });
    spoiled("end NaN", [](LinearSweep& s) { s.endValue = NAN; });
    spoiled("start time NaN", [](LinearSweep& s) { s.startTime = NAN; });
    spoiled("start time below 0", [](LinearSweep& s) { s.startTime = justBelow(0.0); });
    spoiled("duration 0", [](LinearSweep& s) { s.duration = 0.0; });
    spoiled("duration infinite", [](LinearSweep& s) { s.duration = INFINITY; });
    spoiled("too slow to have a rate", [](LinearSweep& s) { s.duration = 1e18; });
    spoiled("flat", [](LinearSweep& s) { s.endValue = s.startValue; });
    spoiled("above zero", [](LinearSweep& s) { s.endValue = 1e-9; });
    spoiled("below zero", [](LinearSweep& s) { s.startValue = -1e-9; });
    for (const auto& [name, sweep] : unusable)
        EXPECT_FALSE(QuantumLandauZener2D::predict(pair, sweep, 0, 1, 1.0).valid) << name;
    EXPECT_FALSE(QuantumLandauZener2D::predict(pair, slopeSweep(0.35, -0.35, 40.0), 0, 1, 0.0).valid);
    EXPECT_FALSE(QuantumLandauZener2D::predict(pair, slopeSweep(0.35, -0.35, 40.0), 1, 1, 1.0).valid);
    // Levels no more than 1e-12 apart have no gap to pass; just more is one.
    BoundStateResult close = pair;
    close.states[0].energy = 0.0;
    for (auto [gap, valid] : {std::pair{1e-12, false}, {1.5e-12, true}}) {
        close.states[1].energy = gap;
        EXPECT_EQ(QuantumLandauZener2D::predict(close, slopeSweep(0.35, -0.35, 40.0), 0, 1, 1.0).valid, valid)
            << "gap " << gap;
    }

    // A sweep that ends or starts exactly at zero bias still crosses.
    for (const auto& [from, to, crossing] : {std::tuple{0.35, 0.0, 40.0}, std::tuple{0.0, -0.35, 0.0}}) {
        const LandauZenerReference edge = QuantumLandauZener2D::predict(pair, slopeSweep(from, to, 40.0), 0, 1, 1.0);
        EXPECT_TRUE(edge.valid) << from << " to " << to;
        EXPECT_DOUBLE_EQ(edge.crossingTime, crossing);
    }
    EXPECT_FALSE(QuantumLandauZener2D::predict(pair, slopeSweep(0.1, 0.5, 40.0), 0, 1, 1.0).valid);
    EXPECT_FALSE(QuantumLandauZener2D::predict(pair, slopeSweep(0.2, 0.2, 40.0), 0, 1, 1.0).valid);
    LinearSweep other = slopeSweep(0.35, -0.35, 40.0);
    other.parameter = SceneParameterValue;
    EXPECT_FALSE(QuantumLandauZener2D::predict(pair, other, 0, 1, 1.0).valid);
}

TEST(QuantumLandauZener2D, DiabaticProbabilityMatchesTheIntegratedSweep)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const double gap = pair.states[1].energy - pair.states[0].energy;
    // A wide bias range, so that the sweep starts and ends far from the crossing
    // (2 |F d| is about 25 times the gap at the ends).
    const double range = 3.0;
    double previous = 0.0;
    for (double duration : {10.0, 30.0, 80.0, 200.0}) {
        const LinearSweep sweep = slopeSweep(range, -range, duration);
        const LandauZenerReference reference = QuantumLandauZener2D::predict(pair, sweep, 0, 1, 1.0);
        ASSERT_TRUE(reference.valid);
        // P_d = exp(-2 pi (Delta/2)^2 / (hbar alpha)).
        const double expected = std::exp(-2.0 * kPi * std::pow(gap / 2.0, 2) / reference.diabaticRate);
        EXPECT_NEAR(reference.diabaticProbability, expected, 1e-12);

        const double e0 = reference.energyI, e1 = reference.energyJ, d = reference.dipoleElement;
        double u = 0.0, v = 0.0;
        twoLevelAdiabaticBasis(e0, e1, d, range, u, v);
        ComplexVector2 a = {ComplexD(u, 0.0), ComplexD(v, 0.0)};
        const int steps = static_cast<int>(duration / 0.01);
        const double dt = duration / steps;
        for (int k = 0; k < steps; ++k)
            a = propagateTwoLevel(a, e0, e1, d, linearSweepValueAt(sweep, (k + 0.5) * dt), dt, 1.0);
        twoLevelAdiabaticBasis(e0, e1, d, -range, u, v);
        const double upper = std::norm(-v * a[0] + u * a[1]); // stayed diabatic
        EXPECT_NEAR(upper, reference.diabaticProbability, 0.02) << "duration " << duration;
        if (previous > 0.0) {
            EXPECT_LT(reference.diabaticProbability, previous); // slower sweeps are more adiabatic
        }
        previous = reference.diabaticProbability;
    }
}

TEST(QuantumLandauZener2D, InstantaneousPopulationsOfALocalisedState)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const LandauZenerReference reference =
        QuantumLandauZener2D::predict(pair, slopeSweep(0.35, -0.35, 40.0), 0, 1, 1.0);
    ASSERT_TRUE(reference.valid);

    ComplexField2D psi(256, 128, 0.0625f, 0.125f);
    ASSERT_TRUE(BoundStates1D::prepareSuperposition(psi, pair, 0, 1, reference.localizingPhase));
    const SweepPopulations unbiased = QuantumLandauZener2D::instantaneousPopulations(psi, pair, reference, 0.0);
    ASSERT_TRUE(unbiased.valid);
    EXPECT_NEAR(unbiased.leftPopulation, 1.0, 1e-5);
    EXPECT_NEAR(unbiased.rightPopulation, 0.0, 1e-5);
    // At zero bias the lower adiabatic state is phi_0.
    EXPECT_NEAR(unbiased.lowerPopulation, std::norm(unbiased.amplitudeI), 1e-12);
    EXPECT_NEAR(unbiased.upperEnergy - unbiased.lowerEnergy, reference.gap, 1e-12);

    // A strong bias makes the adiabatic states the localised ones.
    const SweepPopulations biased = QuantumLandauZener2D::instantaneousPopulations(psi, pair, reference, 2.0);
    ASSERT_TRUE(biased.valid);
    EXPECT_NEAR(std::max(biased.lowerPopulation, biased.upperPopulation), 1.0, 0.01);
    EXPECT_NEAR(biased.lowerPopulation + biased.upperPopulation, biased.captured, 1e-12);

    EXPECT_FALSE(QuantumLandauZener2D::instantaneousPopulations(psi, pair, LandauZenerReference(), 0.0).valid);
    EXPECT_FALSE(QuantumLandauZener2D::instantaneousPopulations(psi, pair, reference, std::nan("")).valid);
}

// On a well that stands still at the end tilt of a sweep, the populations
// read on the pair of that well are constants of the motion and equal the
// projection on the same pair relaxed on an eight times finer imaginary-time
// step; left and right share the captured weight. The state starts localised
// in the left well of the unbiased pair, partly outside the tilted pair. Cells
// of 0.0625 x 0.125 on a 256 x 128 grid.
TEST(QuantumLandauZener2D, SteppedPopulationsAreConstantsOfTheStaticWell)
{
    const BoundStateResult& unbiased = fixtures::doubleWellPair();
    ASSERT_TRUE(unbiased.ok);
    const LandauZenerReference reference =
        QuantumLandauZener2D::predict(unbiased, slopeSweep(0.35, -0.35, 4.0), 0, 1, 1.0);
    ASSERT_TRUE(reference.valid);

    PotentialScene scene = fixtures::doubleWellScene(true);
    PotentialObject bias = *scene.find(fixtures::kBiasObjectId);
    bias.slopeX = -0.35f;
    ASSERT_TRUE(scene.update(bias.id, bias));
    const PotentialField2D tilted = fixtures::rasterise(scene, 256, 128, 16.0, 16.0);
    const BoundStateResult stepped = BoundStates1D::compute(tilted, fixtures::pairSettings());
    BoundStateSettings fine = fixtures::pairSettings();
    fine.imaginaryTimeStep /= 8.0;
    fine.maxIterations *= 8;
    const BoundStateResult finer = BoundStates1D::compute(tilted, fine);
    ASSERT_TRUE(stepped.ok && finer.ok && stepped.states.size() == 2 && finer.states.size() == 2);

    ComplexField2D psi(256, 128, 0.0625f, 0.125f);
    ASSERT_TRUE(BoundStates1D::prepareSuperposition(psi, unbiased, 0, 1, reference.localizingPhase));
    // At zero bias the localised state is all left.
    const SweepPopulations start = QuantumLandauZener2D::steppedPopulations(psi, unbiased, reference);
    ASSERT_TRUE(start.valid);
    EXPECT_NEAR(start.leftPopulation, 1.0, 1e-5);
    EXPECT_NEAR(start.rightPopulation, 0.0, 1e-5);

    SplitStepParameters parameters;
    parameters.dt = 0.005f;
    SplitStepFourierSolver2D solver;
    solver.configure(parameters);
    SweepPopulations first;
    double swing = 0.0;
    for (int sample = 0; sample <= 8; ++sample) {
        const SweepPopulations now = QuantumLandauZener2D::steppedPopulations(psi, stepped, reference);
        ASSERT_TRUE(now.valid);
        ComplexD c0, c1;
        ASSERT_TRUE(QuantumDoubleWell2D::projectOnPair(psi, finer, 0, 1, c0, c1));
        EXPECT_NEAR(now.lowerPopulation, std::norm(c0), 1e-3) << "t " << solver.time();
        EXPECT_NEAR(now.upperPopulation, std::norm(c1), 1e-3) << "t " << solver.time();
        EXPECT_NEAR(now.captured, now.lowerPopulation + now.upperPopulation, 1e-12);
        EXPECT_NEAR(now.leftPopulation + now.rightPopulation, now.captured, 1e-9);
        EXPECT_DOUBLE_EQ(now.lowerEnergy, stepped.states[0].energy);
        if (sample == 0)
            first = now;
        EXPECT_NEAR(now.captured, first.captured, 1e-3) << "t " << solver.time();
        EXPECT_NEAR(now.lowerPopulation, first.lowerPopulation, 1e-3) << "t " << solver.time();
        swing = std::max(swing, std::fabs(now.leftPopulation - first.leftPopulation));
        for (int step = 0; step < 200; ++step)
            solver.step(psi, tilted);
    }
    // The state is not in one level: left and right beat at the pair's gap.
    EXPECT_GT(swing, 0.05);
    EXPECT_LT(first.captured, 0.99);
    EXPECT_FALSE(QuantumLandauZener2D::steppedPopulations(psi, stepped, LandauZenerReference()).valid);
}

TEST(QuantumStueckelberg2D, ReferenceOfTheDoublePassage)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    EXPECT_FALSE(isReturnSweepAnalyzable(slopeSweep(0.35, -0.35, 4.0)));
    EXPECT_TRUE(isReturnSweepAnalyzable(returnSweep(4.0)));
    // Every rule of the return sweep from both sides; both passages must
    // cross zero bias, which may lie on either end of the ramp.
    using test::justAbove;
    using test::justBelow;
    using test::setter;
    using S = LinearSweep;
    const auto analyzable = [](const S& sweep, std::string* error) {
        const bool ok = isReturnSweepAnalyzable(sweep);
        if (!ok)
            *error = "refused";
        return ok;
    };
    test::expectValueRules(analyzable, returnSweep(4.0),
                           {{"startTime", setter(&S::startTime), {0.0}, {justBelow(0.0), NAN}, "refused"},
                            {"duration", setter(&S::duration), {1e-9}, {0.0, NAN}, "refused"},
                            {"holdDuration", setter(&S::holdDuration), {0.0}, {justBelow(0.0), NAN}, "refused"},
                            {"returnDuration", setter(&S::returnDuration), {1e-9}, {0.0, NAN}, "refused"},
                            {"startValue", setter(&S::startValue), {0.0, 5.0}, {justBelow(0.0), -0.35, NAN}, "refused"},
                            {"endValue", setter(&S::endValue), {0.0, -5.0}, {justAbove(0.0), 0.35, NAN}, "refused"}});
    LinearSweep other = returnSweep(4.0);
    other.parameter = SceneParameterSlopeY;
    EXPECT_FALSE(isReturnSweepAnalyzable(other));
    other = returnSweep(4.0);
    other.enabled = false;
    EXPECT_FALSE(isReturnSweepAnalyzable(other));

    const StueckelbergReference reference = QuantumStueckelberg2D::reference(pair, returnSweep(4.0), 0, 1, 1.0);
    ASSERT_TRUE(reference.valid);
    EXPECT_TRUE(reference.landauZener.valid);
    EXPECT_DOUBLE_EQ(reference.firstCrossingTime, 2.0);
    EXPECT_DOUBLE_EQ(reference.secondCrossingTime, 10.0);
    EXPECT_NEAR(reference.finalLowerPopulation + reference.finalUpperPopulation, 1.0, 1e-9);

    // Between the crossings the gap is at least Delta: phi_S >= Delta (t2 - t1) / hbar.
    EXPECT_GT(reference.stueckelbergPhase, reference.landauZener.gap * 8.0);

    // The final populations solve i hbar a' = H(F(t)) a, H = [[E_i, F d], [F d, E_j]],
    // from the lower adiabatic state at the start bias: here by RK4 on a step
    // ten times finer (the bias's kinks fall on step boundaries), hbar away from 1.
    const double hbar = 0.7;
    const LinearSweep sweep = returnSweep(2.5);
    const StueckelbergReference slow = QuantumStueckelberg2D::reference(pair, sweep, 0, 1, hbar);
    ASSERT_TRUE(slow.valid);
    const double e0 = slow.landauZener.energyI, e1 = slow.landauZener.energyJ, d = slow.landauZener.dipoleElement;
    double u = 0.0, v = 0.0;
    twoLevelAdiabaticBasis(e0, e1, d, sweep.startValue, u, v);
    ComplexVector2 a = {ComplexD(u, 0.0), ComplexD(v, 0.0)};
    const auto rate = [&](double t, const ComplexVector2& x) {
        const double coupling = linearSweepValueAt(sweep, t) * d;
        const ComplexD factor(0.0, -1.0 / hbar);
        return ComplexVector2{factor * (e0 * x[0] + coupling * x[1]), factor * (coupling * x[0] + e1 * x[1])};
    };
    const auto plus = [](const ComplexVector2& x, double h, const ComplexVector2& k) {
        return ComplexVector2{x[0] + h * k[0], x[1] + h * k[1]};
    };
    const int steps = 42000;
    const double h = linearSweepDuration(sweep) / steps;
    for (int k = 0; k < steps; ++k) {
        const double t = sweep.startTime + k * h;
        const ComplexVector2 k1 = rate(t, a);
        const ComplexVector2 k2 = rate(t + h / 2.0, plus(a, h / 2.0, k1));
        const ComplexVector2 k3 = rate(t + h / 2.0, plus(a, h / 2.0, k2));
        const ComplexVector2 k4 = rate(t + h, plus(a, h, k3));
        for (int c = 0; c < 2; ++c)
            a[c] += h / 6.0 * (k1[c] + 2.0 * k2[c] + 2.0 * k3[c] + k4[c]);
    }
    twoLevelAdiabaticBasis(e0, e1, d, sweep.startValue, u, v); // the return ends where the sweep began
    EXPECT_NEAR(slow.finalLowerPopulation, std::norm(u * a[0] + v * a[1]), 5e-7);
    EXPECT_NEAR(slow.finalUpperPopulation, std::norm(-v * a[0] + u * a[1]), 5e-7);
}

TEST(QuantumStueckelberg2D, HoldScanAdvancesThePhaseAtTheHeldGap)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const auto scan = QuantumStueckelberg2D::holdTimeScan(pair, returnSweep(4.0), 0.0, 6.0, 4, 0, 1, 1.0);
    ASSERT_EQ(scan.size(), 4u);
    EXPECT_DOUBLE_EQ(scan.front().holdDuration, 0.0);
    EXPECT_DOUBLE_EQ(scan.back().holdDuration, 6.0);

    // The phase between the crossings is an action over hbar.
    const LinearSweep twice = returnSweep(4.0);
    const LandauZenerReference lz1 = QuantumStueckelberg2D::reference(pair, twice, 0, 1, 1.0).landauZener;
    EXPECT_NEAR(QuantumStueckelberg2D::phaseIntegral(lz1, twice, 0.5),
                2.0 * QuantumStueckelberg2D::phaseIntegral(lz1, twice, 1.0), 1e-9);
    for (double hbar : {0.0, -1.0})
        EXPECT_EQ(QuantumStueckelberg2D::phaseIntegral(lz1, twice, hbar), 0.0) << "hbar " << hbar;
    // The action between the crossings at t = 2 and 10: int sqrt(Delta^2 + (2 d F)^2) dt / hbar.
    double action = 0.0;
    const int slices = 80000;
    for (int k = 0; k < slices; ++k) {
        const double f = 2.0 * lz1.dipoleElement * linearSweepValueAt(twice, 2.0 + (k + 0.5) * 8.0 / slices);
        action += std::sqrt(lz1.gap * lz1.gap + f * f) * 8.0 / slices;
    }
    // A centred rule: its error on the smooth pieces between the kinks is a few 1e-8 of the action.
    EXPECT_NEAR(QuantumStueckelberg2D::phaseIntegral(lz1, twice, 0.7), action / 0.7, 3e-8 * action / 0.7);

    // Each extra unit of hold at bias F_end adds sqrt(Delta^2 + (2 d F_end)^2) / hbar.
    const LandauZenerReference lz = QuantumStueckelberg2D::reference(pair, returnSweep(4.0), 0, 1, 1.0).landauZener;
    const double heldGap = std::sqrt(lz.gap * lz.gap + std::pow(2.0 * lz.dipoleElement * 0.35, 2));
    for (std::size_t k = 1; k < scan.size(); ++k) {
        EXPECT_NEAR(scan[k].phase - scan[k - 1].phase, heldGap * 2.0, 1e-4);
        EXPECT_NEAR(scan[k].finalLowerPopulation + scan[k].finalUpperPopulation, 1.0, 1e-9);
    }
}

// The populations at the end of the whole schedule by midpoint steps eight
// times finer than a step of 0.0025: the converged propagation the scan must
// reproduce.
std::pair<double, double> finelySteppedPopulations(const LandauZenerReference& pair, const LinearSweep& sweep,
                                                   double hbar)
{
    const double e0 = pair.energyI, e1 = pair.energyJ, d = pair.dipoleElement;
    double u = 0.0, v = 0.0;
    twoLevelAdiabaticBasis(e0, e1, d, sweep.startValue, u, v);
    ComplexVector2 a = {ComplexD(u, 0.0), ComplexD(v, 0.0)};
    const double total = linearSweepDuration(sweep);
    const long steps = static_cast<long>(std::ceil(total / (0.0025 / 8.0)));
    const double dt = total / static_cast<double>(steps);
    const TwoLevelStepper stepper(e0, e1, d, dt, hbar);
    for (long k = 0; k < steps; ++k)
        a = stepper.step(a, linearSweepValueAt(sweep, sweep.startTime + (static_cast<double>(k) + 0.5) * dt));
    return {std::norm(u * a[0] + v * a[1]), std::norm(-v * a[0] + u * a[1])};
}

TEST(QuantumStueckelberg2D, HoldScanAgreesWithTheWholeScheduleSteppedFinely)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    // The guided passages, slow ramps (hundreds of radians of turn each) and
    // a wider bias, hbar away from 1.
    struct Case {
        LinearSweep sweep;
        double hbar;
    };
    LinearSweep slow = returnSweep(0.0);
    slow.startTime = 3.0;
    slow.duration = 300.0;
    slow.returnDuration = 120.0;
    LinearSweep wide = returnSweep(0.0);
    wide.startValue = 2.0;
    wide.endValue = -1.5;
    wide.duration = 200.0;
    wide.returnDuration = 50.0;
    const std::vector<Case> cases = {{returnSweep(4.0), 1.0}, {returnSweep(9.25), 1.0}, {slow, 0.7}, {wide, 1.0}};
    for (const Case& c : cases) {
        const LandauZenerReference lz = QuantumStueckelberg2D::reference(pair, c.sweep, 0, 1, c.hbar).landauZener;
        const auto scan = QuantumStueckelberg2D::holdTimeScan(pair, c.sweep, 0.0, 30.0, 3, 0, 1, c.hbar);
        ASSERT_EQ(scan.size(), 3u);
        for (const StueckelbergFringePoint& point : scan) {
            LinearSweep held = c.sweep;
            held.holdDuration = point.holdDuration;
            const auto [lower, upper] = finelySteppedPopulations(lz, held, c.hbar);
            EXPECT_NEAR(point.finalLowerPopulation, lower, 2e-6)
                << "duration " << held.duration << " hold " << held.holdDuration;
            EXPECT_NEAR(point.finalUpperPopulation, upper, 2e-6);
        }
    }
}

TEST(QuantumStueckelberg2D, TheWorkOfAScanFollowsTheTurnOfTheStateNotTheDurations)
{
    // What a rebuild computes on the GUI thread (the reference and a scan of
    // 121 holds) with ramps, hold and return at 1000 each, the longest the
    // boxes take, and with the bias at the boxes' limit besides. A hundred
    // thousand two-level steps are about a millisecond.
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    LinearSweep longest = returnSweep(1000.0);
    longest.duration = 1000.0;
    longest.returnDuration = 1000.0;
    LinearSweep widest = longest;
    widest.startValue = 1000.0;
    widest.endValue = -1000.0;
    for (const LinearSweep& sweep : {longest, widest}) {
        const std::uint64_t before = TwoLevelStepper::stepsTaken();
        ASSERT_TRUE(QuantumStueckelberg2D::reference(pair, sweep, 0, 1, 1.0).valid);
        EXPECT_EQ(QuantumStueckelberg2D::holdTimeScan(pair, sweep, 0.0, 1502.0, 121, 0, 1, 1.0).size(), 121u);
        EXPECT_LT(TwoLevelStepper::stepsTaken() - before, 500000u) << "bias " << sweep.startValue;
    }
}

TEST(QuantumStueckelberg2D, HoldScanRejectsUnusableRanges)
{
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const LinearSweep sweep = returnSweep(4.0);
    EXPECT_TRUE(QuantumStueckelberg2D::holdTimeScan(pair, sweep, 0.0, 6.0, 1, 0, 1, 1.0).empty());
    EXPECT_TRUE(QuantumStueckelberg2D::holdTimeScan(pair, sweep, 3.0, 3.0, 5, 0, 1, 1.0).empty());
    // A negative hold is no schedule: no points rather than points with both populations 0.
    EXPECT_TRUE(QuantumStueckelberg2D::holdTimeScan(pair, sweep, -2.0, 6.0, 5, 0, 1, 1.0).empty());
    const LinearSweep single = slopeSweep(0.35, -0.35, 4.0);
    EXPECT_TRUE(QuantumStueckelberg2D::holdTimeScan(pair, single, 0.0, 6.0, 5, 0, 1, 1.0).empty());
}

TEST(TwoLevelSystem, StepCountIsBoundedForAnyStoredDuration)
{
    EXPECT_EQ(twoLevelStepCount(10.0, 0.0025, 800.0), 4000);
    EXPECT_EQ(twoLevelStepCount(1.0, 0.0025, 800.0), 800);
    EXPECT_EQ(twoLevelStepCount(1.0, 0.0, 80.0), 80);
    EXPECT_EQ(twoLevelStepCount(1e300, 0.0025, 800.0), kMaxTwoLevelSteps);
    EXPECT_EQ(twoLevelStepCount(std::nan(""), 0.0025, 800.0), 800);

    // A document may hold an absurd but finite hold time: the reference still
    // finishes (with coarse steps) and keeps the populations normalised.
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ASSERT_TRUE(pair.ok);
    const StueckelbergReference reference = QuantumStueckelberg2D::reference(pair, returnSweep(1e12), 0, 1, 1.0);
    ASSERT_TRUE(reference.valid);
    EXPECT_NEAR(reference.finalLowerPopulation + reference.finalUpperPopulation, 1.0, 1e-6);
}

TEST(TwoLevelStepper, StepsAtConstantBiasFollowTheEigenPhasesOfTheHamiltonian)
{
    const double ei = 1.0, ej = 1.25, d = 0.8, bias = 0.2, dt = 0.05, hbar = 0.6;
    const TwoLevelStepper stepper(ei, ej, d, dt, hbar);
    const ComplexVector2 start = {ComplexD(0.6, 0.1), ComplexD(-0.3, 0.7)};

    // exp(-i H t / hbar) from the eigenpairs of H(F): (u, v) at E_lower, (-v, u) at E_upper.
    double lower = 0.0, upper = 0.0, u = 0.0, v = 0.0;
    twoLevelEnergies(ei, ej, d, bias, lower, upper);
    twoLevelAdiabaticBasis(ei, ej, d, bias, u, v);
    EXPECT_NEAR(lower + upper, ei + ej, 1e-15);
    EXPECT_NEAR(lower * upper, ei * ej - bias * bias * d * d, 1e-14);
    const int steps = 40;
    const double t = steps * dt;
    const ComplexD cLower = (u * start[0] + v * start[1]) * std::polar(1.0, -lower * t / hbar);
    const ComplexD cUpper = (-v * start[0] + u * start[1]) * std::polar(1.0, -upper * t / hbar);
    const ComplexVector2 expected = {u * cLower - v * cUpper, v * cLower + u * cUpper};

    ComplexVector2 a = start;
    ComplexVector2 first = start;
    ComplexVector2 second = {start[1], start[0]};
    for (int k = 0; k < steps; ++k) {
        a = stepper.step(a, bias);
        stepper.step(first, second, bias); // one rotation for both columns
    }
    EXPECT_NEAR(std::abs(a[0] - expected[0]), 0.0, 1e-12);
    EXPECT_NEAR(std::abs(a[1] - expected[1]), 0.0, 1e-12);
    EXPECT_EQ(first, a);
    ComplexVector2 swapped = {start[1], start[0]};
    for (int k = 0; k < steps; ++k)
        swapped = propagateTwoLevel(swapped, ei, ej, d, bias, dt, hbar);
    EXPECT_EQ(second, swapped);

    // Degenerate levels at zero bias: only the common phase e^{-i E dt / hbar} turns.
    const ComplexVector2 turned = TwoLevelStepper(ei, ei, d, dt, hbar).step(start, 0.0);
    EXPECT_NEAR(std::abs(turned[0] - start[0] * std::polar(1.0, -ei * dt / hbar)), 0.0, 1e-15);
    EXPECT_NEAR(std::abs(turned[1] - start[1] * std::polar(1.0, -ei * dt / hbar)), 0.0, 1e-15);
}
