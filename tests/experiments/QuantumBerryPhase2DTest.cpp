#include "experiments/BerryRecorder.h"
#include "experiments/QuantumBerryPhase2D.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "tests/experiments/CheckMessages.h"
#include "tests/experiments/PresetScenes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <tuple>
#include <cstdint>
#include <string>

using namespace vxo;

namespace {

using test::sceneOf;

// An isotropic or anisotropic trap at the origin.
PotentialObject harmonic(float kx, float ky) { return test::harmonicObject(0.0f, 0.0f, kx, ky); }

BerryConfig enabledLoop(double duration = 240.0)
{
    BerryConfig config;
    config.enabled = true;
    config.duration = duration;
    return config;
}

BerryTrap presetTrap()
{
    BerryTrap trap;
    EXPECT_TRUE(QuantumBerryPhase2D::analyzeTrap(sceneOf({harmonic(1.0f, 1.0f)}), trap, nullptr));
    return trap;
}

// One loop of the guided trap (k = 1, a = 0.35) on a 32 x 32 grid of the
// guided 16 x 16 box, stepped as the main window does: the deformation at the
// mid-step time, then one step, then a record. Returns the last sample.
BerrySample runLoop(double duration, float dt)
{
    const PotentialScene scene = sceneOf({harmonic(1.0f, 1.0f)});
    const BerryTrap trap = presetTrap();
    const BerryConfig config = enabledLoop(duration);
    ComplexField2D field(64, 32, 0.25f, 0.5f);
    PotentialField2D potential(64, 32, 0.25f, 0.5f);
    EXPECT_TRUE(QuantumBerryPhase2D::prepareInitialState(field, trap, config, 1.0, 1.0));
    BerryRecorder recorder(64);
    EXPECT_TRUE(recorder.configure(field, trap, config));

    SplitStepFourierSolver2D solver;
    SplitStepParameters parameters;
    parameters.dt = dt;
    solver.configure(parameters);
    BerryLoopState state;
    do {
        QuantumBerryPhase2D::applyLoop(scene, trap, config, solver.time() + dt / 2.0, potential);
        solver.step(field, potential);
        state = QuantumBerryPhase2D::trapAt(config, solver.time());
        EXPECT_TRUE(recorder.record(solver.time(), state, field));
    } while (!state.finished);
    EXPECT_EQ(recorder.samples().back().progress, 1.0);
    return recorder.samples().back();
}

// A real Gaussian a (k = 0) or b = x a (k = 1), orthogonal to it, on 16 x 12
// cells of 0.5 x 0.625.
ComplexField2D berryBasisState(int k)
{
    ComplexField2D field(16, 12, 0.5f, 0.625f);
    for (std::uint64_t j = 0; j < field.ny(); ++j)
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double x = gridCoordinateX(field, i);
            const double y = gridCoordinateY(field, j);
            const auto g = static_cast<float>(std::exp(-(x * x + y * y) / 4.0));
            field.at(i, j) = Complex(k == 0 ? g : static_cast<float>(x) * g, 0.0f);
        }
    return field;
}

// ca a + cb b.
ComplexField2D berryCombination(Complex ca, Complex cb)
{
    const ComplexField2D a = berryBasisState(0);
    const ComplexField2D b = berryBasisState(1);
    ComplexField2D sum = a;
    for (std::uint64_t k = 0; k < sum.size(); ++k)
        sum.data()[k] = ca * a.data()[k] + cb * b.data()[k];
    return sum;
}

} // namespace

TEST(QuantumBerryPhase2D, SlowLoopGivesGeometricPhasePi)
{
    // The soft-axis excited state returns as minus itself after the axes have
    // turned by half a turn. The residual non-adiabatic shift falls as
    // 1 / duration, so two loops extrapolate to the adiabatic limit.
    const BerrySample slow = runLoop(240.0, 0.05);
    ASSERT_EQ(slow.phaseValid, 1u);
    EXPECT_GT(slow.returnFidelity, 0.99);
    EXPECT_NEAR(std::fabs(slow.geometricPhase), kPi, 0.25);

    const BerrySample slower = runLoop(480.0, 0.05);
    ASSERT_EQ(slower.phaseValid, 1u);
    EXPECT_LT(std::fabs(kPi - std::fabs(slower.geometricPhase)), std::fabs(kPi - std::fabs(slow.geometricPhase)));
    // Phases near -pi: unwrap before extrapolating.
    auto unwrapped = [](double phase) { return phase > 0.0 ? phase - 2.0 * kPi : phase; };
    const double adiabatic = 2.0 * unwrapped(slower.geometricPhase) - unwrapped(slow.geometricPhase);
    EXPECT_NEAR(std::fabs(adiabatic), kPi, 0.01);
}

TEST(QuantumBerryPhase2D, TrapAnalysis)
{
    BerryTrap trap;
    const char* message = nullptr;
    EXPECT_FALSE(
        QuantumBerryPhase2D::analyzeTrap(sceneOf({harmonic(1.0f, 1.0f), harmonic(1.0f, 1.0f)}), trap, &message));
    EXPECT_STREQ(message, "Berry Phase expects exactly one enabled Harmonic object.");
    EXPECT_FALSE(QuantumBerryPhase2D::analyzeTrap(sceneOf({harmonic(1.0f, 1.000002f)}), trap, &message));
    EXPECT_STREQ(message, "Berry Phase base trap must be isotropic: kX must equal kY.");
    EXPECT_FALSE(trap.valid);
    EXPECT_EQ(trap.stiffness, 1.0);
    PotentialObject rectangle;
    EXPECT_FALSE(QuantumBerryPhase2D::analyzeTrap(sceneOf({rectangle}), trap, &message));
    EXPECT_STREQ(message, "Berry Phase expects one isolated isotropic Harmonic trap.");
    EXPECT_FALSE(QuantumBerryPhase2D::analyzeTrap(sceneOf({}), trap, &message));
    EXPECT_STREQ(message, "Berry Phase requires a positive harmonic confinement.");

    // Success leaves the message untouched.
    const char* const before = message;
    EXPECT_TRUE(QuantumBerryPhase2D::analyzeTrap(sceneOf({harmonic(0.5f, 0.5f)}), trap, &message));
    EXPECT_EQ(message, before);
    EXPECT_DOUBLE_EQ(trap.stiffness, 0.5);
}

TEST(QuantumBerryPhase2D, LoopRules)
{
    using test::justBelow;
    using test::setter;
    using C = BerryConfig;
    const BerryTrap trap = presetTrap();
    const auto validate = [&trap](const C& c, std::string* error) {
        const char* message = nullptr;
        const bool ok = QuantumBerryPhase2D::validateLoop(c, trap, &message);
        if (message)
            *error = message;
        return ok;
    };
    const std::string loop = "Berry Phase loop parameters are invalid.";
    // k - 2a must stay above 1e-6: a = 0.5 leaves 0.
    test::expectValueRules(
        validate, enabledLoop(),
        {{"anisotropy", setter(&C::anisotropy), {1e-9, 0.4999995}, {0.0, NAN, INFINITY}, loop},
         {"anisotropy",
          setter(&C::anisotropy),
          {},
          {0.5},
          "Berry anisotropy is too large: the soft principal curvature must stay positive."},
         {"startTime", setter(&C::startTime), {0.0}, {justBelow(0.0), NAN, INFINITY}, loop},
         {"duration", setter(&C::duration), {1e-9}, {0.0, NAN, INFINITY}, loop},
         {"winding", [](C& c, double v) { c.winding = std::int32_t(v); }, {-1.0, 1.0}, {0.0, 2.0, -2.0}, loop}});
    const char* message = nullptr;
    EXPECT_FALSE(QuantumBerryPhase2D::validateLoop(enabledLoop(), BerryTrap{}, &message));
    EXPECT_STREQ(message, "Berry Phase trap geometry is invalid.");
    BerryConfig config = enabledLoop();
    config.winding = 2;
    config.enabled = false;
    EXPECT_TRUE(QuantumBerryPhase2D::validateLoop(config, BerryTrap{}, nullptr));
}

TEST(QuantumBerryPhase2D, PreparedStateIsTheSoftAxisExcitedStateOfTheTrap)
{
    // A trap k = 0.8 at (1.5, -0.75) deformed by a = 0.25: omega(+/-) =
    // sqrt((k +/- 2a) / m). The state is the ground state along x and the
    // first excited one along y: <x> = x0, <y> = y0, a node on y = y0,
    // <(x - x0)^2> = hbar / (2 m omega+), <(y - y0)^2> = 3 hbar / (2 m omega-).
    const double mass = 1.3, hbar = 0.7, k = 0.8, a = 0.25;
    BerryTrap trap;
    ASSERT_TRUE(
        QuantumBerryPhase2D::analyzeTrap(sceneOf({test::harmonicObject(1.5f, -0.75f, 0.8f, 0.8f)}), trap, nullptr));
    EXPECT_DOUBLE_EQ(trap.centerX, 1.5);
    EXPECT_DOUBLE_EQ(trap.centerY, -0.75);
    BerryConfig config = enabledLoop();
    config.anisotropy = a;
    ComplexField2D field(96, 128, 0.1f, 0.125f);
    ASSERT_TRUE(QuantumBerryPhase2D::prepareInitialState(field, trap, config, mass, hbar));
    double w = 0.0, sx = 0.0, sy = 0.0, sxx = 0.0, syy = 0.0;
    for (std::uint64_t j = 0; j < field.ny(); ++j)
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double p = std::norm(field.at(i, j));
            const double ex = gridCoordinateX(field, i) - 1.5;
            const double ey = gridCoordinateY(field, j) + 0.75;
            w += p;
            sx += p * ex;
            sy += p * ey;
            sxx += p * ex * ex;
            syy += p * ey * ey;
            if (ey != 0.0 && field.at(i, j).real() != 0.0f) {
                EXPECT_EQ(field.at(i, j).real() > 0.0f, ey > 0.0) << i << ", " << j;
            }
        }
    const double omegaPlus = std::sqrt((k + 2.0 * a) / mass);
    const double omegaMinus = std::sqrt((k - 2.0 * a) / mass);
    EXPECT_NEAR(sx / w, 0.0, 1e-6);
    EXPECT_NEAR(sy / w, 0.0, 1e-6);
    EXPECT_NEAR(sxx / w / (hbar / (2.0 * mass * omegaPlus)), 1.0, 0.01);
    EXPECT_NEAR(syy / w / (3.0 * hbar / (2.0 * mass * omegaMinus)), 1.0, 0.01);

    // A disabled loop skips the loop rules but not the curvatures: k + 2a and
    // k - 2a must both stay positive, whichever sign a has.
    config.enabled = false;
    const double half = trap.stiffness / 2.0;
    for (auto [anisotropy, prepared] :
         {std::pair{0.999 * half, true}, {half, false}, {-0.999 * half, true}, {-half, false}}) {
        config.anisotropy = anisotropy;
        EXPECT_EQ(QuantumBerryPhase2D::prepareInitialState(field, trap, config, mass, hbar), prepared)
            << "a = " << anisotropy;
    }
}

TEST(QuantumBerryPhase2D, LoopStateAndDeformation)
{
    BerryConfig config = enabledLoop(100.0);
    config.startTime = 10.0;
    const BerryLoopState before = QuantumBerryPhase2D::trapAt(config, 5.0);
    EXPECT_TRUE(before.valid);
    EXPECT_FALSE(before.active);
    EXPECT_EQ(before.progress, 0.0);
    EXPECT_DOUBLE_EQ(before.q1, 0.35);
    EXPECT_EQ(before.q2, 0.0);

    const BerryLoopState quarter = QuantumBerryPhase2D::trapAt(config, 35.0);
    EXPECT_TRUE(quarter.active);
    EXPECT_DOUBLE_EQ(quarter.loopAngle, kPi / 2.0);
    EXPECT_DOUBLE_EQ(quarter.axisAngle, kPi / 4.0);
    EXPECT_NEAR(quarter.q2, 0.35, 1e-15);
    config.winding = -1;
    EXPECT_DOUBLE_EQ(QuantumBerryPhase2D::trapAt(config, 35.0).loopAngle, -kPi / 2.0);

    const BerryLoopState end = QuantumBerryPhase2D::trapAt(config, 110.0);
    EXPECT_TRUE(end.finished);
    EXPECT_FALSE(end.active);
    EXPECT_EQ(end.progress, 1.0);
    config.enabled = false;
    EXPECT_FALSE(QuantumBerryPhase2D::trapAt(config, 35.0).valid);

    // At s = 0 the curvature along x is k + 2a: V(1, 0) = (1 + 0.7) / 2.
    const PotentialScene scene = sceneOf({harmonic(1.0f, 1.0f)});
    PotentialField2D potential(8, 6, 1.0f, 0.5f);
    const BerryLoopState applied = QuantumBerryPhase2D::applyLoop(scene, presetTrap(), enabledLoop(), 0.0, potential);
    EXPECT_TRUE(applied.valid);
    // k r^2 / 2 + a (x^2 - y^2) with k = 1, a = 0.35 at cells (4, 3), (5, 3)
    // and (4, 5): (0.5, 0.25), (1.5, 0.25) and (0.5, 1.25).
    for (auto [i, j, x, y] : {std::tuple{4, 3, 0.5, 0.25}, {5, 3, 1.5, 0.25}, {4, 5, 0.5, 1.25}})
        EXPECT_NEAR(potential.valueAt(i, j), (x * x + y * y) / 2.0 + 0.35 * (x * x - y * y), 1e-6)
            << "cell (" << i << ", " << j << ")";
    const std::uint64_t revision = potential.revision();
    EXPECT_FALSE(QuantumBerryPhase2D::applyLoop(scene, BerryTrap{}, enabledLoop(), 0.0, potential).valid);
    EXPECT_EQ(potential.revision(), revision);
}

TEST(BerryRecorder, ThinningKeepsTheLoopEnd)
{
    const BerryTrap trap = presetTrap();
    BerryConfig config = enabledLoop(10.0);
    ComplexField2D field(16, 12, 0.5f, 0.625f);
    ASSERT_TRUE(QuantumBerryPhase2D::prepareInitialState(field, trap, config, 1.0, 1.0));

    BerryRecorder recorder(3); // spacing 10 / 2 = 5
    ASSERT_TRUE(recorder.configure(field, trap, config));
    for (double t : {1.0, 2.0, 6.0, 7.0, 10.5})
        ASSERT_TRUE(recorder.record(t, QuantumBerryPhase2D::trapAt(config, t), field));
    // 1 kept, 2 thinned, 6 kept, 7 thinned, 10.5 forced (loop end); the
    // reading ends there, however long the run goes on.
    EXPECT_TRUE(recorder.loopClosed());
    const std::complex<double> transported = recorder.transportedPhase();
    ComplexField2D later = field;
    later.at(3, 4) *= 2.0f;
    for (double t : {10.6, 15.5, 40.0})
        EXPECT_FALSE(recorder.record(t, QuantumBerryPhase2D::trapAt(config, t), later));
    EXPECT_EQ(recorder.transportedPhase(), transported);
    ASSERT_EQ(recorder.samples().size(), 3u);
    EXPECT_EQ(recorder.samples()[0].time, 1.0);
    EXPECT_EQ(recorder.samples()[1].time, 6.0);
    EXPECT_EQ(recorder.samples()[2].time, 10.5);
    EXPECT_EQ(recorder.samples()[2].progress, 1.0);
    // An unchanged state: no phase, full fidelity.
    EXPECT_NEAR(recorder.samples()[2].returnFidelity, 1.0, 1e-6);
    EXPECT_NEAR(recorder.samples()[2].geometricPhase, 0.0, 1e-6);

    // Capacity 1: one sample per whole duration.
    BerryRecorder single(0);
    ASSERT_TRUE(single.configure(field, trap, config));
    ASSERT_TRUE(single.record(0.5, QuantumBerryPhase2D::trapAt(config, 0.5), field));
    ASSERT_TRUE(single.record(9.0, QuantumBerryPhase2D::trapAt(config, 9.0), field));
    EXPECT_EQ(single.samples().back().time, 0.5);
    EXPECT_FALSE(single.record(1.0, BerryLoopState{}, field));
    // An empty field and a refused loop are each turned away on their own.
    EXPECT_FALSE(single.configure(ComplexField2D{}, trap, config));
    EXPECT_FALSE(single.configure(field, BerryTrap{}, config));
    EXPECT_FALSE(single.record(1.0, QuantumBerryPhase2D::trapAt(config, 1.0), field));
}

TEST(BerryRecorder, ThinnedRecordsStillCarryTheStateAlong)
{
    const BerryTrap trap = presetTrap();
    const BerryConfig config = enabledLoop(10.0);
    ComplexField2D field(16, 12, 0.5f, 0.625f);
    ASSERT_TRUE(QuantumBerryPhase2D::prepareInitialState(field, trap, config, 1.0, 1.0));
    // The same state pushed along x and turned by a global phase.
    ComplexField2D pushed = field;
    for (std::uint64_t j = 0; j < pushed.ny(); ++j)
        for (std::uint64_t i = 0; i < pushed.nx(); ++i)
            pushed.at(i, j) *= std::polar(1.0f, static_cast<float>(0.8 * gridCoordinateX(pushed, i) + 0.3));

    BerryRecorder recorder(3); // spacing 5
    ASSERT_TRUE(recorder.configure(field, trap, config));
    EXPECT_EQ(recorder.transportedPhase(), std::complex<double>(1.0, 0.0));
    ASSERT_TRUE(recorder.record(1.0, QuantumBerryPhase2D::trapAt(config, 1.0), field));
    ASSERT_TRUE(recorder.record(2.0, QuantumBerryPhase2D::trapAt(config, 2.0), pushed)); // thinned
    ASSERT_EQ(recorder.samples().size(), 1u);
    const std::complex<double> step = QuantumBerryPhase2D::overlap(field, pushed);
    EXPECT_LT(std::norm(step), 0.9);
    EXPECT_NEAR(std::arg(recorder.transportedPhase()), std::arg(step), 1e-9);
    EXPECT_NEAR(std::abs(recorder.transportedPhase()), 1.0, 1e-12) << "a phase, of unit modulus";

    // The next kept sample is compared with the thinned state, not the last kept one.
    ASSERT_TRUE(recorder.record(6.0, QuantumBerryPhase2D::trapAt(config, 6.0), pushed));
    ASSERT_EQ(recorder.samples().size(), 2u);
    EXPECT_NEAR(recorder.samples().back().stepFidelity, 1.0, 1e-6);
    EXPECT_NEAR(recorder.samples().back().returnFidelity, std::norm(step), 1e-9);
}

TEST(BerryRecorder, RealLoopThatFlipsTheSignReadsMinusPi)
{
    // a -> a + b -> b -> b - a -> -a with a real and b = x a: every step
    // overlap is real and positive, so nothing is transported, yet the state
    // returns as -a. The geometric phase is pi, read at the closed end of
    // [-pi, pi).
    const BerryTrap trap = presetTrap();
    const BerryConfig config = enabledLoop(10.0);
    const ComplexField2D a = berryBasisState(0);
    const ComplexField2D b = berryBasisState(1);
    const auto combined = [](float ca, float cb) { return berryCombination(ca, cb); };
    BerryRecorder recorder(64);
    ASSERT_TRUE(recorder.configure(a, trap, config));
    double t = 0.0;
    for (const ComplexField2D& state : {combined(1.0f, 1.0f), b, combined(-1.0f, 1.0f), combined(-1.0f, 0.0f)}) {
        t += 1.0;
        ASSERT_TRUE(recorder.record(t, QuantumBerryPhase2D::trapAt(config, t), state)) << "t = " << t;
    }
    ASSERT_EQ(recorder.samples().size(), 4u);
    EXPECT_EQ(recorder.transportedPhase(), std::complex<double>(1.0, 0.0));
    const BerrySample& last = recorder.samples().back();
    EXPECT_NEAR(last.returnFidelity, 1.0, 1e-6);
    ASSERT_EQ(last.phaseValid, 1);
    EXPECT_EQ(last.geometricPhase, -kPi);
}

// The base trap counts as isotropic when its stiffnesses agree to a
// millionth, which float rounding of equal typed values always meets; a
// difference of one and a half millionths is a different trap.
TEST(QuantumBerryPhase2D, IsotropyIsJudgedToAMillionth)
{
    const float one = 1.0f;
    const struct {
        float ky;
        bool isotropic;
    } cases[] = {{one, true},
                 {std::nextafter(one, 2.0f), true},
                 {one + 8e-7f, true},
                 {one - 8e-7f, true},
                 {one + 1.5e-6f, false},
                 {one - 1.5e-6f, false}};
    for (const auto& c : cases) {
        BerryTrap trap;
        EXPECT_EQ(QuantumBerryPhase2D::analyzeTrap(sceneOf({harmonic(one, c.ky)}), trap, nullptr), c.isotropic)
            << "kY - kX = " << double(c.ky) - double(one);
        EXPECT_EQ(trap.valid, c.isotropic);
    }
}

// a -> a + b -> a - i b -> a e^(i theta): the middle step's overlap
// |a|^2 - i |b|^2 turns the transported phase by -atan(|b|^2 / |a|^2), the
// last by theta, the return overlap by theta alone; so the geometric phase is
// atan(|b|^2 / |a|^2) whatever global phase the last state carries, also where
// the difference of the two arguments falls below -pi and must be wrapped up.
TEST(BerryRecorder, AGlobalPhaseOnTheReturnLeavesTheGeometricPhase)
{
    const BerryTrap trap = presetTrap();
    const BerryConfig config = enabledLoop(10.0);
    const Complex one(1.0f, 0.0f);
    double normA = 0.0, normB = 0.0;
    for (std::uint64_t k = 0; k < berryBasisState(0).size(); ++k) {
        normA += std::norm(berryBasisState(0).data()[k]);
        normB += std::norm(berryBasisState(1).data()[k]);
    }
    const double expected = std::atan2(normB, normA);
    for (const double theta : {0.0, -3.0, 3.0, -2.0}) {
        BerryRecorder recorder(64);
        ASSERT_TRUE(recorder.configure(berryBasisState(0), trap, config));
        const Complex back(static_cast<float>(std::cos(theta)), static_cast<float>(std::sin(theta)));
        double t = 0.0;
        for (const ComplexField2D& state : {berryCombination(one, one), berryCombination(one, Complex(0.0f, -1.0f)),
                                            berryCombination(back, Complex(0.0f, 0.0f))}) {
            t += 1.0;
            ASSERT_TRUE(recorder.record(t, QuantumBerryPhase2D::trapAt(config, t), state)) << "t = " << t;
        }
        const BerrySample& last = recorder.samples().back();
        ASSERT_EQ(last.phaseValid, 1) << "theta " << theta;
        EXPECT_NEAR(last.geometricPhase, expected, 1e-5) << "theta " << theta;
    }
}
