#include "document/DriveProtocolJson.h"

#include "document/SettingsObjectCodec.h"

namespace vxo {

namespace {

// Every drive names the object parameter it varies by its index 0..7.
template <typename Drive>
bool supportedParameter(const Drive& drive, const ExperimentDocument&)
{
    return drive.parameter >= SceneParameterValue && drive.parameter <= SceneParameterSlopeY;
}

// A disabled drive is not held to the scene, nor one whose target is missing:
// that one is switched off once the file is read.
template <typename Drive, bool (*validate)(const PotentialScene&, const Drive&)>
bool matchesScene(const Drive& drive, const ExperimentDocument& document)
{
    return !drive.enabled || !sceneHoldsTarget(document.potentialScene, drive.targetObjectId) ||
           validate(document.potentialScene, drive);
}

void quenchFields(SettingsFieldVisitor& v, QuantumQuench& r)
{
    v.flag("enabled", r.enabled);
    v.objectId("targetObjectId", r.targetObjectId);
    v.integer("parameter", r.parameter, -1);
    v.number("time", r.time);
    v.number("before", r.before);
    v.number("after", r.after);
}

void periodicDriveFields(SettingsFieldVisitor& v, PeriodicDrive& r)
{
    v.flag("enabled", r.enabled);
    v.objectId("targetObjectId", r.targetObjectId);
    v.integer("parameter", r.parameter, -1);
    v.number("mean", r.mean);
    v.number("amplitude", r.amplitude);
    v.number("angularFrequency", r.angularFrequency);
    v.number("phaseDegrees", r.phaseDegrees);
}

void linearSweepFields(SettingsFieldVisitor& v, LinearSweep& r)
{
    v.flag("enabled", r.enabled);
    v.objectId("targetObjectId", r.targetObjectId);
    v.integer("parameter", r.parameter, -1);
    v.number("startValue", r.startValue);
    v.number("endValue", r.endValue);
    v.number("startTime", r.startTime);
    v.number("duration", r.duration);
    v.optionalFlag("returnEnabled", r.returnEnabled, "Experiment linearSweep returnEnabled is invalid.");
    v.optionalNumber("holdDuration", r.holdDuration, "Experiment linearSweep holdDuration is invalid.");
    v.optionalNumber("returnDuration", r.returnDuration, "Experiment linearSweep returnDuration is invalid.");
}

void ramseySequenceFields(SettingsFieldVisitor& v, RamseySequence& r)
{
    v.flag("enabled", r.enabled);
    v.objectId("targetObjectId", r.targetObjectId);
    v.integer("parameter", r.parameter, -1);
    v.number("mean", r.mean);
    v.number("amplitude", r.amplitude);
    v.number("angularFrequency", r.angularFrequency);
    v.number("firstPhaseDegrees", r.firstPhaseDegrees);
    v.number("secondPhaseDegrees", r.secondPhaseDegrees);
    v.number("startTime", r.startTime);
    v.number("pulseDuration", r.pulseDuration);
    v.number("freeEvolutionDuration", r.freeEvolutionDuration);
    v.lenientFlag("echoEnabled", r.echoEnabled);
    v.lenientNumber("echoPulseDuration", r.echoPulseDuration);
    v.lenientNumber("echoPulsePhaseDegrees", r.echoPulsePhaseDegrees);
}

} // namespace

// Each object's codec (const, so internal to this file) and its reader and writer.

const SettingsObject<QuantumQuench> kQuantumQuench = {
    "quantumQuench",
    &ExperimentDocument::quantumQuench,
    quenchFields,
    "Experiment schema 6/7/8/9/10/11/12/13/14/15/16/17/18/19/20/21/22/23 is missing a valid quantumQuench object.",
    "Experiment quantumQuench contains invalid fields.",
    "Experiment quantumQuench contains invalid fields.",
    {supportedParameter<QuantumQuench>, "Experiment quantumQuench has an unsupported parameter."},
    {matchesScene<QuantumQuench, validateQuench>, "Experiment quantumQuench does not match its potential scene."},
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readQuantumQuench, writeQuantumQuench, kQuantumQuench)

const SettingsObject<PeriodicDrive> kPeriodicDrive = {
    "periodicDrive",
    &ExperimentDocument::periodicDrive,
    periodicDriveFields,
    "Experiment schema 7/8/9/10/11/12/13/14/15/16/17/18/19/20/21/22/23 is missing a valid periodicDrive object.",
    "Experiment periodicDrive contains invalid fields.",
    "Experiment periodicDrive contains invalid fields.",
    {supportedParameter<PeriodicDrive>, "Experiment periodicDrive has an unsupported parameter."},
    {matchesScene<PeriodicDrive, validatePeriodicDrive>,
     "Experiment periodicDrive does not match its potential scene."},
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readPeriodicDrive, writePeriodicDrive, kPeriodicDrive)

const SettingsObject<LinearSweep> kLinearSweep = {
    "linearSweep",
    &ExperimentDocument::linearSweep,
    linearSweepFields,
    "Experiment schema 8/9/10/11/12/13/14/15/16/17/18/19/20/21/22/23 is missing a valid linearSweep object.",
    "Experiment linearSweep contains invalid fields.",
    "Experiment linearSweep contains invalid fields.",
    {supportedParameter<LinearSweep>, "Experiment linearSweep has an unsupported parameter."},
    {matchesScene<LinearSweep, validateLinearSweep>, "Experiment linearSweep does not match its potential scene."},
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readLinearSweep, writeLinearSweep, kLinearSweep)

const SettingsObject<RamseySequence> kRamseySequence = {
    "ramseySequence",
    &ExperimentDocument::ramseySequence,
    ramseySequenceFields,
    "Experiment schema 10/11/12/13/14/15/16/17/18/19/20/21/22/23 is missing a valid ramseySequence object.",
    "Experiment ramseySequence contains an invalid enabled field.",
    "Experiment ramseySequence contains invalid numeric fields.",
    {supportedParameter<RamseySequence>, "Experiment ramseySequence has an unsupported parameter."},
    {matchesScene<RamseySequence, validateRamseySequence>,
     "Experiment ramseySequence does not match its potential scene."},
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readRamseySequence, writeRamseySequence, kRamseySequence)

namespace {

void switchOffDrivesWithoutTarget(ExperimentDocument& document, bool noted)
{
    switchOffWithoutTarget(kQuantumQuench, &QuantumQuench::targetObjectId, document, noted);
    switchOffWithoutTarget(kPeriodicDrive, &PeriodicDrive::targetObjectId, document, noted);
    switchOffWithoutTarget(kLinearSweep, &LinearSweep::targetObjectId, document, noted);
    switchOffWithoutTarget(kRamseySequence, &RamseySequence::targetObjectId, document, noted);
}

} // namespace

void disableDrivesTheSceneRefuses(ExperimentDocument& document)
{
    switchOffDrivesWithoutTarget(document, false);
    disableWhenTheSceneRefuses(kQuantumQuench, document);
    disableWhenTheSceneRefuses(kPeriodicDrive, document);
    disableWhenTheSceneRefuses(kLinearSweep, document);
    disableWhenTheSceneRefuses(kRamseySequence, document);
}

void switchOffDrivesWithoutTarget(ExperimentDocument& document) { switchOffDrivesWithoutTarget(document, true); }

} // namespace vxo
