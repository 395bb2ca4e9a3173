#include "experiments/DriveProtocols.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/PotentialScene.h"
#include "tests/experiments/CheckMessages.h"
#include "tests/experiments/PresetScenes.h"
#include "tests/experiments/TwoLevelFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vxo;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Scene of a double well with a Linear bias (id 4) and a Harmonic trap (id 5).
PotentialScene drivenScene()
{
    PotentialScene scene = fixtures::doubleWellScene(true);
    scene.add(test::harmonicObject(0.0f, 0.0f, 0.25f, 0.25f));
    return scene;
}

PotentialField2D gridFor() { return PotentialField2D(32, 16, 0.5f, 1.0f); }

// The potential rasterised from the scene with one object parameter changed.
std::vector<float> builtWith(PotentialScene scene, std::uint64_t id, std::int32_t parameter, double value)
{
    PotentialField2D field = gridFor();
    if (id != 0) {
        EXPECT_TRUE(setSceneObjectParameter(*scene.find(id), parameter, value));
    }
    scene.buildPotential(field);
    return field.values();
}

bool sameObjects(const PotentialScene& a, const PotentialScene& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.objects().size(); ++k) {
        const PotentialObject& x = a.objects()[k];
        const PotentialObject& y = b.objects()[k];
        if (x.id != y.id || x.value != y.value || x.centerX != y.centerX || x.slopeX != y.slopeX ||
            x.curvatureX != y.curvatureX || x.curvatureY != y.curvatureY)
            return false;
    }
    return true;
}

} // namespace

TEST(SceneParameter, WritesAndReadsTheFieldOfItsKind)
{
    PotentialObject linear = fixtures::makeLinear(0.0f);
    EXPECT_TRUE(setSceneObjectParameter(linear, SceneParameterSlopeX, 0.125));
    EXPECT_EQ(linear.slopeX, 0.125f);
    double value = 0.0;
    EXPECT_TRUE(sceneObjectParameter(linear, SceneParameterSlopeX, value));
    EXPECT_EQ(value, 0.125);

    PotentialObject rectangle = fixtures::makeRectangle(5.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_FALSE(setSceneObjectParameter(rectangle, SceneParameterSlopeX, 0.1));
    EXPECT_FALSE(sceneObjectParameter(rectangle, SceneParameterCurvatureX, value));
    EXPECT_TRUE(setSceneObjectParameter(rectangle, SceneParameterCenterY, -2.0));
    EXPECT_EQ(rectangle.centerY, -2.0f);

    for (std::int32_t bad : {-1, 8}) {
        EXPECT_FALSE(setSceneObjectParameter(rectangle, bad, 1.0));
        EXPECT_FALSE(sceneObjectParameter(rectangle, bad, value));
    }
}

TEST(SceneParameter, RefusesValuesThatCannotBeStored)
{
    PotentialObject rectangle = fixtures::makeRectangle(5.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_FALSE(setSceneObjectParameter(rectangle, SceneParameterValue, kNaN));
    // Finite in double but infinite once rounded to the object's float field.
    EXPECT_FALSE(setSceneObjectParameter(rectangle, SceneParameterValue, 1e300));
    EXPECT_EQ(rectangle.value, 5.0f);
}

TEST(SceneParameter, IsotropicCurvatureNeedsEqualCurvatures)
{
    PotentialObject nearlyEqual = test::harmonicObject(0.0f, 0.0f, 0.25f, 0.2500005f);
    double value = 0.0;
    EXPECT_TRUE(sceneObjectParameter(nearlyEqual, SceneParameterCurvatureXY, value));
    EXPECT_TRUE(setSceneObjectParameter(nearlyEqual, SceneParameterCurvatureXY, 0.75));
    EXPECT_EQ(nearlyEqual.curvatureX, 0.75f);
    EXPECT_EQ(nearlyEqual.curvatureY, 0.75f);

    PotentialScene scene;
    const std::uint64_t id = scene.add(test::harmonicObject(0.0f, 0.0f, 0.25f, 0.3f));
    QuantumQuench quench;
    quench.enabled = true;
    quench.targetObjectId = id;
    quench.parameter = SceneParameterCurvatureXY;
    EXPECT_FALSE(validateQuench(scene, quench));
}

TEST(DriveValues, FollowTheirFormulas)
{
    LinearSweep sweep; // 0.35 -> -0.35 over [0, 40]
    sweep.startTime = 2.0;
    EXPECT_EQ(linearSweepValueAt(sweep, 1.0), 0.35);
    EXPECT_NEAR(linearSweepValueAt(sweep, 12.0), 0.35 - 0.7 * 0.25, 1e-15);
    EXPECT_EQ(linearSweepValueAt(sweep, 50.0), -0.35);
    EXPECT_EQ(linearSweepValueAt(sweep, kNaN), 0.35);
    // A ramp of no length (a stored, unchecked record) holds the start value
    // at its start time and the end value after it.
    LinearSweep instant = sweep;
    instant.duration = 0.0;
    EXPECT_EQ(linearSweepValueAt(instant, 2.0), 0.35);
    EXPECT_EQ(linearSweepValueAt(instant, 2.5), -0.35);

    sweep.returnEnabled = true;
    sweep.holdDuration = 3.0;
    sweep.returnDuration = 4.0;
    EXPECT_DOUBLE_EQ(linearSweepDuration(sweep), 47.0);
    EXPECT_EQ(linearSweepValueAt(sweep, 44.0), -0.35);                       // holding
    EXPECT_NEAR(linearSweepValueAt(sweep, 46.0), -0.35 + 0.7 * 0.25, 1e-15); // returning
    EXPECT_EQ(linearSweepValueAt(sweep, 60.0), 0.35);
    // A return of no length jumps back to the start value where the hold ends.
    sweep.returnDuration = 0.0;
    EXPECT_EQ(linearSweepValueAt(sweep, 44.5), -0.35);
    EXPECT_EQ(linearSweepValueAt(sweep, 45.0), 0.35);

    RamseySequence ramsey;
    ramsey.mean = 0.05;
    ramsey.startTime = 1.0;
    ramsey.firstPhaseDegrees = 30.0;
    ramsey.secondPhaseDegrees = 90.0;
    const double omega = ramsey.angularFrequency;
    EXPECT_EQ(ramseyValueAt(ramsey, 0.5), 0.05);
    EXPECT_NEAR(ramseyValueAt(ramsey, 4.0), 0.05 + 0.1 * std::sin(kPi / 6.0 + omega * 3.0), 1e-15);
    EXPECT_EQ(ramseyValueAt(ramsey, 1.0 + 14.35 + 2.0), 0.05); // free evolution
    // Pulse 2 starts at 1 + 14.35 + 5.5; its carrier is referred to that start.
    const double secondStart = 1.0 + 14.35 + 5.5;
    EXPECT_NEAR(ramseyValueAt(ramsey, secondStart + 2.0), 0.05 + 0.1 * std::sin(kPi / 2.0 + omega * 2.0), 1e-12);
    EXPECT_EQ(ramseyValueAt(ramsey, kNaN), 0.05);
    EXPECT_DOUBLE_EQ(ramseyTotalDuration(ramsey), 2.0 * 14.35 + 5.5);
}

TEST(DriveValues, RamseyEchoStagesFollowInTurn)
{
    RamseySequence ramsey;
    ramsey.echoEnabled = true;
    ramsey.pulseDuration = 2.0;
    ramsey.freeEvolutionDuration = 4.0;
    ramsey.echoPulseDuration = 3.0;
    // pulse 1 [0, 2), free [2, 4), echo [4, 7), free [7, 9), pulse 2 [9, 11): inside each
    // stage and exactly at its start, where the next stage has already begun.
    const struct {
        double t;
        std::uint32_t stage;
        double elapsed;
    } expected[] = {{-1.0, RamseyStageBefore, 0.0},        {0.0, RamseyStagePulse1, 0.0},
                    {0.5, RamseyStagePulse1, 0.5},         {2.0, RamseyStageFreeFirstHalf, 0.0},
                    {3.0, RamseyStageFreeFirstHalf, 0.0},  {4.0, RamseyStageEchoPulse, 0.0},
                    {5.0, RamseyStageEchoPulse, 1.0},      {7.0, RamseyStageFreeSecondHalf, 0.0},
                    {8.0, RamseyStageFreeSecondHalf, 0.0}, {9.0, RamseyStagePulse2, 0.0},
                    {9.5, RamseyStagePulse2, 0.5},         {11.0, RamseyStageFinished, 0.0}};
    for (const auto& e : expected) {
        double elapsed = -1.0;
        EXPECT_EQ(ramseyPhaseAt(ramsey, e.t, &elapsed), e.stage) << "t = " << e.t;
        EXPECT_DOUBLE_EQ(elapsed, e.elapsed) << "t = " << e.t;
    }
    EXPECT_EQ(ramseyPhaseAt(ramsey, 3.0, nullptr), RamseyStageFreeFirstHalf);

    ramsey.echoEnabled = false; // free [2, 6), pulse 2 [6, 8)
    EXPECT_EQ(ramseyPhaseAt(ramsey, 2.0, nullptr), RamseyStageFreeEvolution);
    EXPECT_EQ(ramseyPhaseAt(ramsey, 5.0, nullptr), RamseyStageFreeEvolution);
    EXPECT_EQ(ramseyPhaseAt(ramsey, 6.0, nullptr), RamseyStagePulse2);
}

TEST(DriveAppliers, DrivenCopyIsRasterisedAndTheStoredSceneNeverChanges)
{
    const PotentialScene scene = drivenScene();
    const PotentialScene original = scene;
    PotentialField2D field = gridFor();

    QuantumQuench quench;
    quench.enabled = true;
    quench.targetObjectId = 5;
    const DriveApplication atQuench = applyQuench(scene, quench, 2.0, field);
    EXPECT_TRUE(atQuench.applied);
    EXPECT_TRUE(atQuench.active);
    EXPECT_EQ(atQuench.value, 1.0);
    EXPECT_EQ(field.values(), builtWith(scene, 5, SceneParameterCurvatureXY, 1.0));
    EXPECT_FALSE(applyQuench(scene, quench, 1.999, field).active);

    PeriodicDrive drive;
    drive.enabled = true;
    drive.targetObjectId = 4;
    drive.parameter = SceneParameterSlopeX;
    drive.amplitude = 0.1;
    drive.phaseDegrees = 45.0;
    const PeriodicDriveApplication periodic = applyPeriodicDrive(scene, drive, 3.0, field);
    EXPECT_TRUE(periodic.applied);
    EXPECT_DOUBLE_EQ(periodic.phase, 0.5 * 3.0 + kPi / 4.0);
    EXPECT_DOUBLE_EQ(periodic.value, 0.1 * std::sin(1.5 + kPi / 4.0));
    EXPECT_EQ(field.values(), builtWith(scene, 4, SceneParameterSlopeX, periodic.value));

    LinearSweep sweep;
    sweep.enabled = true;
    sweep.targetObjectId = 4;
    sweep.returnEnabled = true;
    sweep.holdDuration = 0.0;
    sweep.startTime = 5.0; // progress counts from the start time
    const LinearSweepApplication returning = applyLinearSweep(scene, sweep, 46.0, field);
    EXPECT_TRUE(returning.applied);
    EXPECT_TRUE(returning.returning);
    EXPECT_FALSE(returning.holding); // a hold of 0 goes straight into the return ramp
    EXPECT_NEAR(returning.progress, 41.0 / 44.0, 1e-15);
    EXPECT_EQ(field.values(), builtWith(scene, 4, SceneParameterSlopeX, returning.value));
    // Each stage starts at its start time and ends just before the next one.
    LinearSweep held = sweep;
    held.holdDuration = 3.0; // ramp [5, 45), hold [45, 48), return [48, 52)
    struct Stage {
        double t;
        bool holding, returning, finished;
    };
    for (const Stage& s :
         {Stage{44.9, false, false, false}, Stage{45.0, true, false, false}, Stage{47.9, true, false, false},
          Stage{48.0, false, true, false}, Stage{51.9, false, true, false}, Stage{52.0, false, false, true}}) {
        const LinearSweepApplication stage = applyLinearSweep(scene, held, s.t, field);
        EXPECT_EQ(stage.holding, s.holding) << "t = " << s.t;
        EXPECT_EQ(stage.returning, s.returning) << "t = " << s.t;
        EXPECT_EQ(stage.finished, s.finished) << "t = " << s.t;
    }
    EXPECT_FALSE(applyLinearSweep(scene, sweep, 48.9, field).finished);
    const LinearSweepApplication finished = applyLinearSweep(scene, sweep, 49.0, field);
    EXPECT_TRUE(finished.finished);
    EXPECT_EQ(finished.progress, 1.0);
    EXPECT_EQ(finished.value, 0.35);

    RamseySequence ramsey;
    ramsey.enabled = true;
    ramsey.targetObjectId = 4;
    ramsey.startTime = 2.0;
    const RamseyDriveApplication pulse = applyRamseySequence(scene, ramsey, 5.0, field);
    EXPECT_TRUE(pulse.applied);
    EXPECT_EQ(pulse.stage, RamseyStagePulse1);
    EXPECT_DOUBLE_EQ(pulse.stageElapsed, 3.0);
    EXPECT_DOUBLE_EQ(pulse.progress, 3.0 / ramseyTotalDuration(ramsey));
    EXPECT_EQ(field.values(), builtWith(scene, 4, SceneParameterSlopeX, pulse.value));

    EXPECT_TRUE(sameObjects(scene, original));
}

// A sweep reaches its end value with its progress full at its end time,
// exactly, however the start and the length round when added.
TEST(DriveAppliers, ASweepEndsWithItsProgressFullAtItsEndTime)
{
    const PotentialScene scene = drivenScene();
    PotentialField2D field = gridFor();
    for (const auto& [start, duration] : {std::pair{2.9, 7.3}, std::pair{5.0, 7.3}, std::pair{0.0, 40.0}}) {
        LinearSweep sweep;
        sweep.enabled = true;
        sweep.targetObjectId = 4;
        sweep.startTime = start;
        sweep.duration = duration;
        const LinearSweepApplication end = applyLinearSweep(scene, sweep, start + duration, field);
        EXPECT_EQ(end.progress, 1.0) << "start " << start << ", duration " << duration;
        EXPECT_EQ(end.value, sweep.endValue) << "start " << start << ", duration " << duration;
        EXPECT_LT(applyLinearSweep(scene, sweep, start + 0.999 * duration, field).progress, 1.0);
    }
}

TEST(DriveAppliers, DisabledOrUnusableRecordsLeaveTheStaticPotential)
{
    const PotentialScene scene = drivenScene();
    const std::vector<float> staticPotential = builtWith(scene, 0, 0, 0.0);
    PotentialField2D field = gridFor();

    LinearSweep disabled;
    disabled.targetObjectId = 4;
    const LinearSweepApplication off = applyLinearSweep(scene, disabled, 10.0, field);
    EXPECT_TRUE(off.applied);
    EXPECT_EQ(off.value, disabled.startValue);
    EXPECT_EQ(field.values(), staticPotential);

    PeriodicDrive missingTarget;
    missingTarget.enabled = true;
    missingTarget.targetObjectId = 99;
    missingTarget.mean = 0.2;
    const PeriodicDriveApplication missing = applyPeriodicDrive(scene, missingTarget, 1.0, field);
    EXPECT_FALSE(missing.applied);
    EXPECT_EQ(missing.value, 0.2);
    EXPECT_EQ(field.values(), staticPotential);

    // A write that leaves the object invalid: the barrier's end ordinates overflow.
    PotentialScene barrierScene = scene;
    const std::uint64_t barrierId = barrierScene.add(fixtures::makeBarrier(1.0f, 0.0f, 1.0f, 1e38f));
    const std::vector<float> barrierStatic = builtWith(barrierScene, 0, 0, 0.0);
    QuantumQuench quench;
    quench.enabled = true;
    quench.targetObjectId = barrierId;
    quench.parameter = SceneParameterCenterY;
    quench.time = 0.0;
    quench.after = 3e38;
    const DriveApplication refused = applyQuench(barrierScene, quench, 1.0, field);
    EXPECT_FALSE(refused.applied);
    EXPECT_TRUE(refused.active);
    EXPECT_EQ(refused.value, 3e38);
    EXPECT_EQ(field.values(), barrierStatic);
}

TEST(DriveValidators, CheckRangesAndTarget)
{
    const PotentialScene scene = drivenScene();

    PeriodicDrive drive;
    EXPECT_TRUE(validatePeriodicDrive(scene, drive)); // disabled
    drive.enabled = true;
    EXPECT_FALSE(validatePeriodicDrive(scene, drive)); // no target
    drive.targetObjectId = 4;
    drive.parameter = SceneParameterSlopeX;
    drive.angularFrequency = 0.0;
    EXPECT_TRUE(validatePeriodicDrive(scene, drive));
    PotentialField2D field = gridFor();
    EXPECT_DOUBLE_EQ(applyPeriodicDrive(scene, drive, 7.0, field).value, 0.0);
    drive.angularFrequency = -0.1;
    EXPECT_FALSE(validatePeriodicDrive(scene, drive));

    LinearSweep sweep;
    sweep.enabled = true;
    sweep.targetObjectId = 1; // a Rectangle has no slope X
    EXPECT_FALSE(validateLinearSweep(scene, sweep));
    sweep.targetObjectId = 4;
    EXPECT_TRUE(validateLinearSweep(scene, sweep));
    sweep.returnEnabled = true;
    sweep.returnDuration = 0.0;
    EXPECT_FALSE(validateLinearSweep(scene, sweep));
    sweep.returnEnabled = false;
    sweep.holdDuration = -1.0;
    EXPECT_FALSE(validateLinearSweep(scene, sweep));

    RamseySequence ramsey;
    ramsey.enabled = true;
    ramsey.targetObjectId = 4;
    EXPECT_TRUE(validateRamseySequence(scene, ramsey));
    ramsey.echoPulseDuration = 0.0;
    EXPECT_TRUE(validateRamseySequence(scene, ramsey)); // only finite without echo
    ramsey.echoEnabled = true;
    EXPECT_FALSE(validateRamseySequence(scene, ramsey));
    ramsey.echoEnabled = false;
    ramsey.angularFrequency = 0.0;
    EXPECT_FALSE(validateRamseySequence(scene, ramsey));

    QuantumQuench quench;
    quench.enabled = true;
    quench.targetObjectId = 5;
    EXPECT_TRUE(validateQuench(scene, quench));
    quench.time = -0.5;
    EXPECT_FALSE(validateQuench(scene, quench));

    // Every value rule of each record from both sides, on a record that passes.
    using test::justBelow;
    using test::setter;
    const auto check = [&scene](auto validate) {
        return [&scene, validate](const auto& record, std::string* error) {
            const bool ok = validate(scene, record);
            if (!ok)
                *error = "refused";
            return ok;
        };
    };
    const double nan = NAN;
    const double inf = INFINITY;
    using D = PeriodicDrive;
    D periodic;
    periodic.enabled = true;
    periodic.targetObjectId = 4;
    periodic.parameter = SceneParameterSlopeX;
    test::expectValueRules(
        check(validatePeriodicDrive), periodic,
        {{"angularFrequency", setter(&D::angularFrequency), {0.0}, {justBelow(0.0), nan, inf}, "refused"}},
        test::finiteOnly<D>({{"mean", &D::mean}, {"amplitude", &D::amplitude}, {"phaseDegrees", &D::phaseDegrees}},
                            "refused"));
    using S = LinearSweep;
    S linear;
    linear.enabled = true;
    linear.targetObjectId = 4;
    S returning = linear;
    returning.returnEnabled = true;
    const std::vector<test::ValueRule<S>> sweepRules = {
        {"startTime", setter(&S::startTime), {0.0}, {justBelow(0.0)}, "refused"},
        {"duration", setter(&S::duration), {1e-9}, {0.0}, "refused"},
        {"holdDuration", setter(&S::holdDuration), {0.0}, {justBelow(0.0)}, "refused"}};
    const auto sweepFinite = test::finiteOnly<S>({{"startValue", &S::startValue},
                                                  {"endValue", &S::endValue},
                                                  {"startTime", &S::startTime},
                                                  {"duration", &S::duration},
                                                  {"holdDuration", &S::holdDuration},
                                                  {"returnDuration", &S::returnDuration}},
                                                 "refused");
    test::expectValueRules(check(validateLinearSweep), linear, sweepRules, sweepFinite);
    test::expectValueRules(check(validateLinearSweep), linear,
                           {{"returnDuration without return", setter(&S::returnDuration), {0.0, -1.0}, {}, "refused"}});
    test::expectValueRules(check(validateLinearSweep), returning, sweepRules, sweepFinite);
    test::expectValueRules(check(validateLinearSweep), returning,
                           {{"returnDuration", setter(&S::returnDuration), {1e-9}, {0.0}, "refused"}});
    using R = RamseySequence;
    R sequence;
    sequence.enabled = true;
    sequence.targetObjectId = 4;
    R echo = sequence;
    echo.echoEnabled = true;
    test::expectValueRules(
        check(validateRamseySequence), sequence,
        {{"angularFrequency", setter(&R::angularFrequency), {1e-9}, {0.0}, "refused"},
         {"startTime", setter(&R::startTime), {0.0}, {justBelow(0.0)}, "refused"},
         {"pulseDuration", setter(&R::pulseDuration), {1e-9}, {0.0}, "refused"},
         {"freeEvolutionDuration", setter(&R::freeEvolutionDuration), {0.0}, {justBelow(0.0)}, "refused"},
         {"echoPulseDuration without echo", setter(&R::echoPulseDuration), {0.0, -1.0}, {}, "refused"}},
        test::finiteOnly<R>({{"mean", &R::mean},
                             {"amplitude", &R::amplitude},
                             {"angularFrequency", &R::angularFrequency},
                             {"firstPhaseDegrees", &R::firstPhaseDegrees},
                             {"secondPhaseDegrees", &R::secondPhaseDegrees},
                             {"startTime", &R::startTime},
                             {"pulseDuration", &R::pulseDuration},
                             {"freeEvolutionDuration", &R::freeEvolutionDuration},
                             {"echoPulseDuration", &R::echoPulseDuration},
                             {"echoPulsePhaseDegrees", &R::echoPulsePhaseDegrees}},
                            "refused"));
    test::expectValueRules(check(validateRamseySequence), echo,
                           {{"echoPulseDuration", setter(&R::echoPulseDuration), {1e-9}, {0.0}, "refused"}});
    using Q = QuantumQuench;
    quench.time = 2.0;
    test::expectValueRules(
        check(validateQuench), quench, {{"time", setter(&Q::time), {0.0}, {justBelow(0.0)}, "refused"}},
        test::finiteOnly<Q>({{"time", &Q::time}, {"before", &Q::before}, {"after", &Q::after}}, "refused"));
}
