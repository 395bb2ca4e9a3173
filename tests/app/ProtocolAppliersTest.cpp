#include "app/protocols/BerryLoopApplier.h"
#include "app/protocols/DriveApplier.h"
#include "app/protocols/KapitzaDiracPulseApplier.h"
#include "app/protocols/MoshinskyShutterApplier.h"
#include "app/protocols/QuenchApplier.h"
#include "core/EnergyObservables2D.h"
#include "core/GaussianPacket2D.h"
#include "core/PotentialField2D.h"
#include "experiments/ObservableHistory.h"
#include "experiments/PresetScenes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace vxo {
namespace {

using test::harmonicObject;
using test::linearObject;
using test::rectangleObject;
using test::sceneOf;

constexpr std::uint64_t kNx = 32;
constexpr std::uint64_t kNy = 16;
constexpr float kDx = 0.5f;
constexpr float kDy = 0.75f;

// Harmonic trap (id 1), Linear bias (id 2) and a tall rectangle that can act
// as a shutter (id 3) on a grid of non-square cells.
class ProtocolApplierTest : public ::testing::Test {
protected:
    PotentialScene scene = sceneOf({harmonicObject(0.0f, 0.0f, 0.36f, 0.36f), linearObject(0.0f, 0.0f, 0.2f, 0.0f),
                                    rectangleObject(5.0f, -2.0f, 0.0f, 0.5f, 6.0f)});
    PotentialField2D potential{kNx, kNy, kDx, kDy};

    ProtocolContext at(double t, bool force = false, bool sceneUsable = true)
    {
        return ProtocolContext{scene, sceneUsable, t, force, potential};
    }

    // The scene rasterised with one object changed by hand.
    PotentialField2D sceneWith(std::uint64_t id, const std::function<void(PotentialObject&)>& change) const
    {
        PotentialScene copy = scene;
        change(*copy.find(id));
        PotentialField2D field(kNx, kNy, kDx, kDy);
        copy.buildPotential(field);
        return field;
    }

    // Calls the applier and reports whether it rasterised the potential.
    template <typename Call>
    bool rewrote(Call&& call)
    {
        const std::uint64_t before = potential.revision();
        call();
        return potential.revision() != before;
    }
};

QuantumQuench isotropicQuench(double time)
{
    QuantumQuench quench;
    quench.enabled = true;
    quench.targetObjectId = 1;
    quench.parameter = SceneParameterCurvatureXY;
    quench.time = time;
    quench.before = 0.25;
    quench.after = 1.0;
    return quench;
}

ComplexField2D packet()
{
    ComplexField2D psi(kNx, kNy, kDx, kDy);
    GaussianPacket2D::prepare(psi, {0.5f, -0.5f, 1.2f, 0.8f, 0.3f, 1.0f});
    return psi;
}

// ARMED before the quench time, FIRED at it; outside a rebuild the trap is
// rasterised only at those two moments. The energy before is the newest
// observation's (none with an empty history), the energy after that of psi
// in the quenched trap.
TEST_F(ProtocolApplierTest, QuenchRewritesOnlyOnItsTransitionsAndTakesTheEnergyPairWhenItFires)
{
    const ComplexField2D psi = packet();
    const QuantumQuench quench = isotropicQuench(1.0);
    const auto curvature = [](float k) { return [k](PotentialObject& o) { o.curvatureX = o.curvatureY = k; }; };
    for (const bool withHistory : {false, true}) {
        ObservableHistory history;
        if (withHistory) {
            ObservableSample sample;
            sample.totalEnergy = 2.5;
            history.push(sample);
        }
        QuenchApplier applier;
        const auto apply = [&](double t, bool force) {
            return applier.apply(at(t, force), quench, history, psi, SteppedHamiltonian{});
        };

        EXPECT_TRUE(apply(0.5, false)) << "the first call arms the quench";
        EXPECT_TRUE(applier.active() && !applier.fired());
        EXPECT_EQ(potential.values(), sceneWith(1, curvature(0.25f)).values()) << "trap before the quench";
        EXPECT_FALSE(rewrote([&] { EXPECT_FALSE(apply(0.7, false)); })) << "armed again: nothing to rewrite";
        EXPECT_TRUE(rewrote([&] { EXPECT_TRUE(apply(0.7, true)); })) << "a forced call always rewrites";

        EXPECT_TRUE(rewrote([&] { EXPECT_TRUE(apply(1.0, false)); })) << "the quench fires at its time";
        EXPECT_TRUE(applier.active() && applier.fired());
        const PotentialField2D quenched = sceneWith(1, curvature(1.0f));
        EXPECT_EQ(potential.values(), quenched.values()) << "trap after the quench";
        // The energy after the quench is that of the step that then runs.
        EXPECT_EQ(applier.energyBefore(), withHistory ? 2.5 : 0.0) << "history " << withHistory;
        ASSERT_TRUE(applier.energyAfterValid());
        EXPECT_DOUBLE_EQ(applier.energyAfter(), EnergyObservables2D::ofStep(psi, quenched, SteppedHamiltonian{}).total);
        EXPECT_FALSE(rewrote([&] { EXPECT_FALSE(apply(1.5, false)); })) << "fired again: nothing to rewrite";
    }
}

TEST_F(ProtocolApplierTest, QuenchFiredByTheRebuildAtTimeZeroRecordsNoEnergies)
{
    QuenchApplier applier;
    EXPECT_TRUE(
        applier.apply(at(0.0, true), isotropicQuench(0.0), ObservableHistory(), packet(), SteppedHamiltonian{}));
    EXPECT_TRUE(applier.active() && applier.fired()) << "fired by the forced call";
    EXPECT_FALSE(applier.energyAfterValid()) << "no armed state came before";
    EXPECT_EQ(applier.energyBefore(), 0.0);
}

// A disabled quench under a forced call restores the unquenched scene; without
// force, or without a usable scene, the potential is left alone.
TEST_F(ProtocolApplierTest, QuenchOffLeavesItsStateIdleAndOnlyAForcedCallRestoresTheScene)
{
    const ComplexField2D psi = packet();
    PotentialField2D plain(kNx, kNy, kDx, kDy);
    scene.buildPotential(plain);
    QuantumQuench off = isotropicQuench(0.0);
    off.enabled = false;
    struct Row {
        const char* what;
        QuantumQuench settings;
        bool sceneUsable;
        bool force;
        bool restores;
    };
    const Row rows[] = {{"disabled, forced", off, true, true, true},
                        {"disabled", off, true, false, false},
                        {"enabled, scene unusable, forced", isotropicQuench(0.0), false, true, false}};
    for (const Row& row : rows) {
        QuenchApplier applier;
        applier.apply(at(0.0, true), isotropicQuench(0.0), ObservableHistory(), psi, SteppedHamiltonian{});
        ASSERT_TRUE(applier.fired()) << row.what;
        const bool changed = rewrote([&] {
            applier.apply(at(0.5, row.force, row.sceneUsable), row.settings, ObservableHistory(), psi,
                          SteppedHamiltonian{});
        });
        EXPECT_FALSE(applier.active() || applier.fired()) << row.what;
        EXPECT_EQ(changed, row.restores) << row.what;
        if (row.restores) {
            EXPECT_EQ(potential.values(), plain.values()) << row.what;
        }
    }
}

TEST_F(ProtocolApplierTest, ContinuousDrivesRewriteOnEveryCallAndKeepValueProgressAndStage)
{
    PeriodicDrive drive;
    drive.enabled = true;
    drive.targetObjectId = 2;
    drive.parameter = SceneParameterSlopeX;
    drive.mean = 0.1;
    drive.amplitude = 0.3;
    drive.angularFrequency = 0.7;
    drive.phaseDegrees = 30.0;
    DriveApplier<PeriodicDrive> driven;
    for (const double t : {0.0, 0.4, 1.3, 2.9}) {
        EXPECT_TRUE(rewrote([&] { EXPECT_TRUE(driven.apply(at(t), drive)); })) << "t = " << t;
        const double value = 0.1 + 0.3 * std::sin(0.7 * t + M_PI / 6.0);
        EXPECT_NEAR(driven.value(), value, 1e-12) << "t = " << t;
        EXPECT_EQ(potential.values(), sceneWith(2, [&](PotentialObject& o) { o.slopeX = float(value); }).values())
            << "t = " << t;
    }

    LinearSweep sweep;
    sweep.enabled = true;
    sweep.targetObjectId = 2;
    sweep.startValue = 0.4;
    sweep.endValue = -0.4;
    sweep.startTime = 1.0;
    sweep.duration = 8.0;
    DriveApplier<LinearSweep> swept;
    for (const double t : {0.5, 1.0, 3.0, 7.0, 12.0}) {
        EXPECT_TRUE(swept.apply(at(t), sweep)) << "t = " << t;
        const double progress = std::clamp((t - 1.0) / 8.0, 0.0, 1.0);
        EXPECT_NEAR(swept.progress(), progress, 1e-12) << "t = " << t;
        EXPECT_NEAR(swept.value(), 0.4 - 0.8 * progress, 1e-12) << "t = " << t;
    }

    RamseySequence sequence;
    sequence.enabled = true;
    sequence.targetObjectId = 2;
    sequence.startTime = 2.0;
    sequence.pulseDuration = 3.0;
    sequence.freeEvolutionDuration = 4.0;
    DriveApplier<RamseySequence> pulsed;
    const struct {
        double t;
        std::int32_t stage;
    } stages[] = {{1.0, RamseyStageBefore},
                  {3.0, RamseyStagePulse1},
                  {7.0, RamseyStageFreeEvolution},
                  {10.0, RamseyStagePulse2},
                  {13.0, RamseyStageFinished}};
    for (const auto& row : stages) {
        EXPECT_TRUE(pulsed.apply(at(row.t), sequence)) << "t = " << row.t;
        EXPECT_EQ(pulsed.stage(), row.stage) << "t = " << row.t;
    }
}

TEST_F(ProtocolApplierTest, DriveWithoutUsableSceneForgetsItsValueWhileADisabledOneKeepsIt)
{
    PeriodicDrive drive;
    drive.enabled = true;
    drive.targetObjectId = 2;
    drive.parameter = SceneParameterSlopeX;
    drive.amplitude = 0.3;
    DriveApplier<PeriodicDrive> applier;
    struct Row {
        const char* what;
        bool enabled;
        std::uint64_t target;
        bool sceneUsable;
        bool keepsValue;
    };
    const Row rows[] = {{"disabled", false, 2, true, true},
                        {"target missing", true, 9, true, true},
                        {"scene unusable", true, 2, false, false}};
    for (const Row& row : rows) {
        ASSERT_TRUE(applier.apply(at(1.0), drive)) << row.what;
        const double applied = applier.value();
        PeriodicDrive changed = drive;
        changed.enabled = row.enabled;
        changed.targetObjectId = row.target;
        EXPECT_FALSE(rewrote([&] { EXPECT_FALSE(applier.apply(at(2.0, true, row.sceneUsable), changed)); }))
            << row.what;
        EXPECT_FALSE(applier.active()) << row.what;
        EXPECT_EQ(applier.value(), row.keepsValue ? applied : 0.0) << row.what;
    }
}

TEST_F(ProtocolApplierTest, BerryLoopNeedsASingleIsotropicTrapAndStoresWhatItApplied)
{
    BerryConfig loop;
    loop.enabled = true;
    loop.anisotropy = 0.05;
    loop.startTime = 1.0;
    loop.duration = 10.0;
    const PotentialScene trapOnly = sceneOf({harmonicObject(0.5f, -0.25f, 0.36f, 0.36f)});

    BerryLoopApplier applier;
    BerryConfig applied;
    BerryTrap trap;
    EXPECT_TRUE(applier.apply({trapOnly, true, 3.5, false, potential}, loop, applied, trap));
    EXPECT_TRUE(applier.active());
    EXPECT_NEAR(applier.loop().progress, (3.5 - 1.0) / 10.0, 1e-12);
    EXPECT_NEAR(applier.loop().loopAngle, 2.0 * M_PI * 0.25, 1e-12) << "winding +1";
    EXPECT_TRUE(applied.enabled) << "the settings applied are stored";
    EXPECT_TRUE(trap.valid);
    EXPECT_FLOAT_EQ(float(trap.centerX), 0.5f);
    EXPECT_FLOAT_EQ(float(trap.centerY), -0.25f);
    EXPECT_FLOAT_EQ(float(trap.stiffness), 0.36f);

    // The fixture's scene holds three objects: no single trap, the loop state
    // is zero and the trap found before stays.
    EXPECT_FALSE(rewrote([&] { EXPECT_FALSE(applier.apply(at(3.5), loop, applied, trap)); }));
    EXPECT_FALSE(applier.active() || applier.loop().valid || applier.loop().progress != 0.0);
    EXPECT_TRUE(trap.valid) << "a failed analysis leaves the stored trap";

    EXPECT_FALSE(applier.apply({trapOnly, false, 3.5, false, potential}, loop, applied, trap));
    EXPECT_FALSE(trap.valid) << "without a usable scene the trap returns to its default";
    EXPECT_EQ(trap.stiffness, 1.0);
}

// Closed up to openTime + 1e-12, open strictly after it; the shutter object is
// rasterised with its strength, then with 0, and only at those two moments.
TEST_F(ProtocolApplierTest, ShutterOpensStrictlyAfterItsTimeAndRewritesOnlyWhenItOpens)
{
    MoshinskyConfig shutter;
    shutter.enabled = true;
    shutter.shutterObjectId = 3;
    shutter.openTime = 1.0;
    shutter.detectorX = 4.0;
    shutter.analysisEndTime = 6.0;
    MoshinskyShutterApplier applier;
    MoshinskyConfig applied;
    const auto strength = [](float v) { return [v](PotentialObject& o) { o.value = v; }; };

    EXPECT_TRUE(applier.apply(at(0.0, true), shutter, applied));
    EXPECT_TRUE(applier.active() && !applier.shutter().open);
    EXPECT_TRUE(applied.enabled) << "the settings applied are stored";
    EXPECT_TRUE(applier.geometry().valid);
    EXPECT_EQ(applier.geometry().objectId, 3u);
    EXPECT_FLOAT_EQ(float(applier.geometry().centerX), -2.0f);
    EXPECT_EQ(potential.values(), sceneWith(3, strength(5.0f)).values()) << "closed shutter";

    EXPECT_FALSE(rewrote([&] { applier.apply(at(1.0 + 1e-12), shutter, applied); })) << "not yet open";
    EXPECT_FALSE(applier.shutter().open);
    EXPECT_TRUE(rewrote([&] { applier.apply(at(1.0 + 1e-9), shutter, applied); })) << "opens";
    EXPECT_TRUE(applier.shutter().open);
    EXPECT_EQ(potential.values(), sceneWith(3, strength(0.0f)).values()) << "open shutter";
    EXPECT_FALSE(rewrote([&] { applier.apply(at(3.0), shutter, applied); })) << "stays open";
    EXPECT_TRUE(rewrote([&] { applier.apply(at(3.0, true), shutter, applied); })) << "a forced call always rewrites";

    shutter.enabled = false;
    EXPECT_FALSE(applier.apply(at(3.0, true), shutter, applied));
    EXPECT_FALSE(applier.active() || applier.geometry().valid || applier.shutter().open)
        << "disabled: state and geometry cleared";
}

// A light grating of depth 3 and period 2, on from 1.25 to 1.75.
KapitzaDiracConfig gratingPulse()
{
    KapitzaDiracConfig pulse;
    pulse.enabled = true;
    pulse.latticePeriod = 2.0;
    pulse.latticeDepth = 3.0;
    pulse.pulseStartTime = 1.25;
    pulse.pulseDuration = 0.5;
    pulse.analysisEndTime = 4.0;
    return pulse;
}

// The pulse ignores the scene switch; it rewrites the potential when it
// switches on and when it ends.
TEST_F(ProtocolApplierTest, PulseRunsWithoutTheSceneAndRewritesAtItsEdgesOnly)
{
    const KapitzaDiracConfig pulse = gratingPulse();
    KapitzaDiracPulseApplier applier;
    KapitzaDiracConfig applied;
    struct Row {
        double t;
        bool force;
        bool rewrites;
        bool on;
        bool finished;
    };
    // The pulse ends at 1.75, exact in binary; a second call at the end
    // must see nothing new.
    const double beforeEnd = std::nextafter(1.75, 0.0);
    const Row rows[] = {
        {0.0, true, true, false, false},  {0.5, false, false, false, false}, {1.25, false, true, true, false},
        {1.5, false, false, true, false}, {1.5, true, true, true, false},    {beforeEnd, false, false, true, false},
        {1.75, false, true, false, true}, {1.75, false, false, false, true}, {2.0, false, false, false, true}};
    for (const Row& row : rows) {
        EXPECT_EQ(rewrote([&] { applier.apply(at(row.t, row.force, false), pulse, 1.0, applied); }), row.rewrites)
            << "t = " << row.t << " force " << row.force;
        EXPECT_TRUE(applier.active()) << "t = " << row.t;
        EXPECT_EQ(applier.pulse().active, row.on) << "t = " << row.t;
        EXPECT_EQ(applier.pulse().finished, row.finished) << "t = " << row.t;
    }
    EXPECT_TRUE(applied.enabled) << "the settings applied are stored";

    EXPECT_FALSE(applier.apply(at(2.0, true), pulse, 0.0, applied)) << "a pulse needs a positive hbar";
    EXPECT_FALSE(applier.active() || applier.pulse().finished) << "refused: state cleared";
}

// Over steps of 0.2 the light holds at the share of each step it is on: the
// potential is rewritten wherever that share changes, also with the pulse's
// flags unchanged (from a quarter-lit step to a lit one).
TEST_F(ProtocolApplierTest, PulseHoldsEachStepAtTheShareOfTheStepItIsOn)
{
    const KapitzaDiracConfig pulse = gratingPulse();
    KapitzaDiracPulseApplier applier;
    KapitzaDiracConfig applied;
    const struct {
        double t;
        bool rewrites;
        double depth;
    } steps[] = {{1.1, true, 0.0},  {1.3, true, 2.25}, {1.5, true, 3.0}, {1.6, false, 3.0},
                 {1.7, true, 2.25}, {1.9, true, 0.0},  {2.1, false, 0.0}};
    for (const auto& step : steps) {
        EXPECT_EQ(rewrote([&] { applier.apply(at(step.t, false, false), pulse, 1.0, applied, 0.2); }), step.rewrites)
            << "t = " << step.t;
        EXPECT_NEAR(applier.pulse().depth, step.depth, 1e-12) << "t = " << step.t;
        EXPECT_EQ(applier.pulse().active, step.depth > 0.0) << "t = " << step.t;
    }
}

} // namespace
} // namespace vxo
