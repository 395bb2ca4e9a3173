#pragma once

// Time-dependent protocols that drive one numeric parameter of one object of
// the Potential Scene. Each applier copies the scene, writes the protocol's
// value at time t into the target object of the copy and rasterises the copy
// into the output potential; the scene passed in is never changed, so the
// stored scene and the saved document keep their undriven values.
//
//   quench:          before for t < time, after from t >= time on
//   periodic drive:  mean + amplitude sin(omega t + phase)
//   linear sweep:    a -> b over [T0, T0 + D], optionally held for H and ramped back over R
//   Ramsey sequence: mean outside the pulses; mean + amplitude sin(phi + omega (t - s))
//                    inside a pulse started at s (phase referred to each pulse's start)

#include <cstdint>

namespace vxo {

class PotentialField2D;
class PotentialScene;
struct PotentialObject;

// Index of the drivable field of a PotentialObject.
enum SceneParameter : std::int32_t {
    SceneParameterValue = 0,
    SceneParameterCenterX = 1,
    SceneParameterCenterY = 2,
    SceneParameterCurvatureX = 3,  // Harmonic only
    SceneParameterCurvatureY = 4,  // Harmonic only
    SceneParameterCurvatureXY = 5, // Harmonic only: both curvatures (isotropic)
    SceneParameterSlopeX = 6,      // Linear only: the two-level bias
    SceneParameterSlopeY = 7,      // Linear only
};

struct QuantumQuench {
    bool enabled = false;
    std::uint64_t targetObjectId = 0;
    std::int32_t parameter = SceneParameterCurvatureXY;
    double time = 2.0;
    double before = 0.25;
    double after = 1.0;
};

struct PeriodicDrive {
    bool enabled = false;
    std::uint64_t targetObjectId = 0;
    std::int32_t parameter = SceneParameterCenterX;
    double mean = 0.0;
    double amplitude = 0.75;
    double angularFrequency = 0.5;
    double phaseDegrees = 0.0;
};

struct LinearSweep {
    bool enabled = false;
    std::uint64_t targetObjectId = 0;
    std::int32_t parameter = SceneParameterSlopeX;
    double startValue = 0.35;
    double endValue = -0.35;
    double startTime = 0.0;
    double duration = 40.0;
    bool returnEnabled = false;
    double holdDuration = 0.0;
    double returnDuration = 4.0;
};

struct RamseySequence {
    bool enabled = false;
    std::uint64_t targetObjectId = 0;
    std::int32_t parameter = SceneParameterSlopeX;
    double mean = 0.0;
    double amplitude = 0.1;
    double angularFrequency = 0.305536;
    double firstPhaseDegrees = 0.0;
    double secondPhaseDegrees = 0.0;
    double startTime = 0.0;
    double pulseDuration = 14.35;
    double freeEvolutionDuration = 5.5;
    bool echoEnabled = false;
    double echoPulseDuration = 28.7;
    double echoPulsePhaseDegrees = 0.0;
};

// Stages of a Ramsey sequence, in time order.
enum RamseyStage : std::uint32_t {
    RamseyStageBefore = 0,
    RamseyStagePulse1 = 1,
    RamseyStageFreeEvolution = 2,
    RamseyStageFreeFirstHalf = 3,
    RamseyStageEchoPulse = 4,
    RamseyStageFreeSecondHalf = 5,
    RamseyStagePulse2 = 6,
    RamseyStageFinished = 7,
};

// `applied`: the record is disabled (the potential was built from the unchanged
// scene) or the driven potential was built; false when an enabled record could
// not be applied.
struct DriveApplication {
    bool applied = false;
    bool active = false; // t >= time
    double value = 0.0;
};

struct PeriodicDriveApplication {
    bool applied = false;
    double value = 0.0;
    double phase = 0.0; // omega t + phaseDegrees pi / 180, radians, not wrapped
};

struct RamseyDriveApplication {
    bool applied = false;
    std::uint32_t stage = RamseyStageBefore;
    double value = 0.0;
    double stageElapsed = 0.0; // time since the current pulse began (stages 1, 4, 6), else 0
    double progress = 0.0;     // [0, 1]
};

struct LinearSweepApplication {
    bool applied = false;
    bool finished = false;
    bool returning = false;
    bool holding = false;
    double value = 0.0;
    double progress = 0.0; // [0, 1]
};

// Writes the field named by the parameter (index 5 writes both curvatures).
// False, object unchanged, for a non-finite value, an index outside 0..7 or an
// index that needs a kind (Harmonic, Linear) the object does not have.
bool setSceneObjectParameter(PotentialObject& object, std::int32_t parameter, double value);
// Reads the field, widened to double. Index 5 succeeds only when the two
// curvatures differ by at most 1e-6 and then gives curvatureX.
bool sceneObjectParameter(const PotentialObject& object, std::int32_t parameter, double& value);

double linearSweepDuration(const LinearSweep& sweep);
double linearSweepValueAt(const LinearSweep& sweep, double t);

double ramseyTotalDuration(const RamseySequence& sequence);
// Stage at t; writes the time since the start of pulse 1, the echo pulse or
// pulse 2 in stages 1, 4 and 6 and 0 otherwise (elapsed may be null).
std::uint32_t ramseyPhaseAt(const RamseySequence& sequence, double t, double* elapsed);
double ramseyValueAt(const RamseySequence& sequence, double t);

DriveApplication applyQuench(const PotentialScene& scene, const QuantumQuench& quench, double t,
                             PotentialField2D& output);
PeriodicDriveApplication applyPeriodicDrive(const PotentialScene& scene, const PeriodicDrive& drive, double t,
                                            PotentialField2D& output);
RamseyDriveApplication applyRamseySequence(const PotentialScene& scene, const RamseySequence& sequence, double t,
                                           PotentialField2D& output);
LinearSweepApplication applyLinearSweep(const PotentialScene& scene, const LinearSweep& sweep, double t,
                                        PotentialField2D& output);

// True for a disabled record; otherwise the record's own ranges hold and the
// scene has an object with the target id whose parameter can be read.
bool validateQuench(const PotentialScene& scene, const QuantumQuench& quench);
bool validatePeriodicDrive(const PotentialScene& scene, const PeriodicDrive& drive);
bool validateRamseySequence(const PotentialScene& scene, const RamseySequence& sequence);
bool validateLinearSweep(const PotentialScene& scene, const LinearSweep& sweep);

} // namespace vxo
