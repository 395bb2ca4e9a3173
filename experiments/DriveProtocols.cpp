#include "experiments/DriveProtocols.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/PotentialObject.h"
#include "core/PotentialScene.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

constexpr double kDegreesToRadians = kPi / 180.0;
// Two curvatures count as one isotropic curvature within this difference.
constexpr double kIsotropicCurvatureTolerance = 1e-6;
// Floor of a protocol's total length in the progress ratio.
constexpr double kMinProgressSpan = 1e-12;

bool needsKind(std::int32_t parameter, PotentialObjectKind& kind)
{
    switch (parameter) {
    case SceneParameterCurvatureX:
    case SceneParameterCurvatureY:
    case SceneParameterCurvatureXY:
        kind = PotentialObjectKind::Harmonic;
        return true;
    case SceneParameterSlopeX:
    case SceneParameterSlopeY:
        kind = PotentialObjectKind::Linear;
        return true;
    default:
        return false;
    }
}

bool parameterApplies(const PotentialObject& object, std::int32_t parameter)
{
    if (parameter < SceneParameterValue || parameter > SceneParameterSlopeY)
        return false;
    PotentialObjectKind kind{};
    return !needsKind(parameter, kind) || object.kind == kind;
}

// The scene holds an object with the id whose parameter can be read.
bool targetReadable(const PotentialScene& scene, std::uint64_t id, std::int32_t parameter)
{
    const PotentialObject* object = scene.find(id);
    double value = 0.0;
    return object && sceneObjectParameter(*object, parameter, value);
}

// Progress of a protocol of the given total length started at start: 0 up to
// the start (and for NaN), then the elapsed fraction, 1 from the end on.
double protocolProgress(double start, double total, double t)
{
    if (!(t > start))
        return 0.0;
    if (t < start + total)
        return (t - start) / std::max(total, kMinProgressSpan);
    return 1.0;
}

// Writes the value into the target of a copy of the scene and rasterises the
// copy; rasterises the unchanged scene instead when the write fails or leaves
// the object invalid. True when the driven copy was used.
bool buildDriven(const PotentialScene& scene, std::uint64_t id, std::int32_t parameter, double value,
                 PotentialField2D& output)
{
    PotentialScene driven = scene;
    PotentialObject* target = driven.find(id);
    if (target && setSceneObjectParameter(*target, parameter, value) && PotentialObject::isValid(*target)) {
        driven.buildPotential(output);
        return true;
    }
    scene.buildPotential(output);
    return false;
}

// The common frame of the appliers. A disabled record, or one that fails its
// validation, rasterises the unchanged scene, reports the protocol's resting
// value and counts as applied only when disabled. Otherwise fill() sets the
// application's value (and the applier's own fields) and the scene is driven
// with that value.
template <typename Application, typename Record, typename Fill>
Application applyRecord(const PotentialScene& scene, const Record& record, bool valid, double restingValue,
                        PotentialField2D& output, Fill fill)
{
    Application application;
    if (!record.enabled || !valid) {
        scene.buildPotential(output);
        application.applied = !record.enabled;
        application.value = restingValue;
        return application;
    }
    fill(application);
    application.applied = buildDriven(scene, record.targetObjectId, record.parameter, application.value, output);
    return application;
}

double quenchValueAt(const QuantumQuench& quench, double t) { return t < quench.time ? quench.before : quench.after; }

struct RamseyTimes {
    double firstEnd;
    double echoStart;
    double echoEnd;
    double secondStart;
    double secondEnd;
};

RamseyTimes ramseyTimes(const RamseySequence& s)
{
    RamseyTimes times{};
    times.firstEnd = s.startTime + s.pulseDuration;
    if (s.echoEnabled) {
        times.echoStart = times.firstEnd + 0.5 * s.freeEvolutionDuration;
        times.echoEnd = times.echoStart + s.echoPulseDuration;
        times.secondStart = times.firstEnd + s.freeEvolutionDuration + s.echoPulseDuration;
    } else {
        times.echoStart = times.echoEnd = times.firstEnd;
        times.secondStart = times.firstEnd + s.freeEvolutionDuration;
    }
    times.secondEnd = times.secondStart + s.pulseDuration;
    return times;
}

} // namespace

bool setSceneObjectParameter(PotentialObject& object, std::int32_t parameter, double value)
{
    const float stored = static_cast<float>(value);
    // A finite double beyond the float range would be stored as infinity.
    if (!std::isfinite(value) || !std::isfinite(stored) || !parameterApplies(object, parameter))
        return false;
    switch (parameter) {
    case SceneParameterValue:
        object.value = stored;
        break;
    case SceneParameterCenterX:
        object.centerX = stored;
        break;
    case SceneParameterCenterY:
        object.centerY = stored;
        break;
    case SceneParameterCurvatureX:
        object.curvatureX = stored;
        break;
    case SceneParameterCurvatureY:
        object.curvatureY = stored;
        break;
    case SceneParameterCurvatureXY:
        object.curvatureX = stored;
        object.curvatureY = stored;
        break;
    case SceneParameterSlopeX:
        object.slopeX = stored;
        break;
    case SceneParameterSlopeY:
        object.slopeY = stored;
        break;
    default:
        return false;
    }
    return true;
}

bool sceneObjectParameter(const PotentialObject& object, std::int32_t parameter, double& value)
{
    if (!parameterApplies(object, parameter))
        return false;
    switch (parameter) {
    case SceneParameterValue:
        value = object.value;
        return true;
    case SceneParameterCenterX:
        value = object.centerX;
        return true;
    case SceneParameterCenterY:
        value = object.centerY;
        return true;
    case SceneParameterCurvatureX:
        value = object.curvatureX;
        return true;
    case SceneParameterCurvatureY:
        value = object.curvatureY;
        return true;
    case SceneParameterCurvatureXY:
        if (!(std::fabs(static_cast<double>(object.curvatureX) - static_cast<double>(object.curvatureY)) <=
              kIsotropicCurvatureTolerance))
            return false;
        value = object.curvatureX;
        return true;
    case SceneParameterSlopeX:
        value = object.slopeX;
        return true;
    case SceneParameterSlopeY:
        value = object.slopeY;
        return true;
    default:
        return false;
    }
}

double linearSweepDuration(const LinearSweep& sweep)
{
    double total = sweep.duration;
    if (sweep.returnEnabled)
        total += sweep.holdDuration + sweep.returnDuration;
    return total;
}

double linearSweepValueAt(const LinearSweep& sweep, double t)
{
    const double a = sweep.startValue;
    const double b = sweep.endValue;
    const double t0 = sweep.startTime;
    if (!std::isfinite(t) || t <= t0)
        return a;
    if (t < t0 + sweep.duration)
        return a + (b - a) * ((t - t0) / sweep.duration);
    if (!sweep.returnEnabled)
        return b;
    const double t1 = t0 + sweep.duration + sweep.holdDuration;
    if (t < t1)
        return b;
    if (t < t1 + sweep.returnDuration)
        return b + (a - b) * ((t - t1) / sweep.returnDuration);
    return a;
}

double ramseyTotalDuration(const RamseySequence& sequence)
{
    double total = 2.0 * sequence.pulseDuration + sequence.freeEvolutionDuration;
    if (sequence.echoEnabled)
        total += sequence.echoPulseDuration;
    return total;
}

std::uint32_t ramseyPhaseAt(const RamseySequence& sequence, double t, double* elapsed)
{
    double since = 0.0;
    std::uint32_t stage = RamseyStageFinished;
    const RamseyTimes times = ramseyTimes(sequence);
    const double freeMiddle = times.firstEnd + 0.5 * sequence.freeEvolutionDuration;
    if (!std::isfinite(t) || t < sequence.startTime) {
        stage = RamseyStageBefore;
    } else if (t < times.firstEnd) {
        stage = RamseyStagePulse1;
        since = t - sequence.startTime;
    } else if (!sequence.echoEnabled && t < times.secondStart) {
        stage = RamseyStageFreeEvolution;
    } else if (sequence.echoEnabled && t < freeMiddle) {
        stage = RamseyStageFreeFirstHalf;
    } else if (sequence.echoEnabled && t < times.echoEnd) {
        stage = RamseyStageEchoPulse;
        since = t - times.echoStart;
    } else if (sequence.echoEnabled && t < times.secondStart) {
        stage = RamseyStageFreeSecondHalf;
    } else if (t < times.secondEnd) {
        stage = RamseyStagePulse2;
        since = t - times.secondStart;
    }
    if (elapsed)
        *elapsed = since;
    return stage;
}

double ramseyValueAt(const RamseySequence& sequence, double t)
{
    double elapsed = 0.0;
    double phaseDegrees = 0.0;
    switch (ramseyPhaseAt(sequence, t, &elapsed)) {
    case RamseyStagePulse1:
        phaseDegrees = sequence.firstPhaseDegrees;
        break;
    case RamseyStageEchoPulse:
        phaseDegrees = sequence.echoPulsePhaseDegrees;
        break;
    case RamseyStagePulse2:
        phaseDegrees = sequence.secondPhaseDegrees;
        break;
    default:
        return sequence.mean;
    }
    // The carrier phase is referred to the start of each pulse.
    return sequence.mean +
           sequence.amplitude * std::sin(phaseDegrees * kDegreesToRadians + sequence.angularFrequency * elapsed);
}

DriveApplication applyQuench(const PotentialScene& scene, const QuantumQuench& quench, double t,
                             PotentialField2D& output)
{
    return applyRecord<DriveApplication>(scene, quench, validateQuench(scene, quench), 0.0, output,
                                         [&](DriveApplication& application) {
                                             application.active = t >= quench.time;
                                             application.value = quenchValueAt(quench, t);
                                         });
}

PeriodicDriveApplication applyPeriodicDrive(const PotentialScene& scene, const PeriodicDrive& drive, double t,
                                            PotentialField2D& output)
{
    return applyRecord<PeriodicDriveApplication>(
        scene, drive, validatePeriodicDrive(scene, drive), drive.mean, output,
        [&](PeriodicDriveApplication& application) {
            application.phase = drive.angularFrequency * t + drive.phaseDegrees * kDegreesToRadians;
            application.value =
                std::isfinite(t) ? drive.mean + drive.amplitude * std::sin(application.phase) : drive.mean;
        });
}

RamseyDriveApplication applyRamseySequence(const PotentialScene& scene, const RamseySequence& sequence, double t,
                                           PotentialField2D& output)
{
    return applyRecord<RamseyDriveApplication>(
        scene, sequence, validateRamseySequence(scene, sequence), sequence.mean, output,
        [&](RamseyDriveApplication& application) {
            application.stage = ramseyPhaseAt(sequence, t, &application.stageElapsed);
            application.value = ramseyValueAt(sequence, t);
            application.progress = protocolProgress(sequence.startTime, ramseyTotalDuration(sequence), t);
        });
}

LinearSweepApplication applyLinearSweep(const PotentialScene& scene, const LinearSweep& sweep, double t,
                                        PotentialField2D& output)
{
    return applyRecord<LinearSweepApplication>(
        scene, sweep, validateLinearSweep(scene, sweep), sweep.startValue, output,
        [&](LinearSweepApplication& application) {
            const double total = linearSweepDuration(sweep);
            const double rampEnd = sweep.startTime + sweep.duration;
            const double holdEnd = rampEnd + sweep.holdDuration;
            application.value = linearSweepValueAt(sweep, t);
            application.progress = protocolProgress(sweep.startTime, total, t);
            application.finished = t >= sweep.startTime + total;
            application.holding = sweep.returnEnabled && t >= rampEnd && t < holdEnd;
            application.returning = sweep.returnEnabled && t >= holdEnd && t < holdEnd + sweep.returnDuration;
        });
}

bool validateQuench(const PotentialScene& scene, const QuantumQuench& quench)
{
    if (!quench.enabled)
        return true;
    return quench.targetObjectId != 0 && isFiniteNonNegative(quench.time) && isFinite(quench.before) &&
           isFinite(quench.after) && targetReadable(scene, quench.targetObjectId, quench.parameter);
}

bool validatePeriodicDrive(const PotentialScene& scene, const PeriodicDrive& drive)
{
    if (!drive.enabled)
        return true;
    return drive.targetObjectId != 0 && isFinite(drive.mean) && isFinite(drive.amplitude) &&
           isFinite(drive.phaseDegrees) && isFiniteNonNegative(drive.angularFrequency) &&
           targetReadable(scene, drive.targetObjectId, drive.parameter);
}

bool validateRamseySequence(const PotentialScene& scene, const RamseySequence& sequence)
{
    if (!sequence.enabled)
        return true;
    const bool echoOk =
        isFinite(sequence.echoPulseDuration) && (!sequence.echoEnabled || sequence.echoPulseDuration > 0.0);
    return sequence.targetObjectId != 0 && isFinite(sequence.mean) && isFinite(sequence.amplitude) &&
           isFinite(sequence.firstPhaseDegrees) && isFinite(sequence.secondPhaseDegrees) &&
           isFinite(sequence.echoPulsePhaseDegrees) && isFinitePositive(sequence.angularFrequency) &&
           isFiniteNonNegative(sequence.startTime) && isFinitePositive(sequence.pulseDuration) &&
           isFiniteNonNegative(sequence.freeEvolutionDuration) && echoOk &&
           targetReadable(scene, sequence.targetObjectId, sequence.parameter);
}

bool validateLinearSweep(const PotentialScene& scene, const LinearSweep& sweep)
{
    if (!sweep.enabled)
        return true;
    const bool finite = isFinite(sweep.startValue) && isFinite(sweep.endValue) && isFinite(sweep.startTime) &&
                        isFinite(sweep.duration) && isFinite(sweep.holdDuration) && isFinite(sweep.returnDuration);
    return sweep.targetObjectId != 0 && finite && sweep.startTime >= 0.0 && sweep.duration > 0.0 &&
           sweep.holdDuration >= 0.0 && (!sweep.returnEnabled || sweep.returnDuration > 0.0) &&
           targetReadable(scene, sweep.targetObjectId, sweep.parameter);
}

} // namespace vxo
