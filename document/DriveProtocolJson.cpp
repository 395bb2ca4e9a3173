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

// The parameters as the drive pages' parameter lists name them, by index.
const char* const kSceneParameterTitles[] = {
    "Object value / amplitude", "Center X",       "Center Y",       "Harmonic kX", "Harmonic kY",
    "Harmonic kX + kY",         "Linear slope X", "Linear slope Y",
};

// Why an enabled drive cannot act on its target: none named, none such in
// the scene, or one without the parameter it varies (a Harmonic kX on what
// is now a rectangle).
template <typename Drive, bool (*validate)(const PotentialScene&, const Drive&)>
QString driveSceneFault(const Drive& drive, const ExperimentDocument& document)
{
    const PotentialScene& scene = document.potentialScene;
    const QString unreachable = targetFault(scene, drive.targetObjectId);
    if (!unreachable.isEmpty())
        return unreachable;
    double value = 0.0;
    if (!sceneObjectParameter(*scene.find(drive.targetObjectId), drive.parameter, value)) {
        const bool listed = drive.parameter >= SceneParameterValue && drive.parameter <= SceneParameterSlopeY;
        return QStringLiteral("its target, object #%1, has no \"%2\"")
            .arg(QString::number(drive.targetObjectId),
                 listed ? QLatin1String(kSceneParameterTitles[drive.parameter]) : QString::number(drive.parameter));
    }
    if (!validate(scene, drive))
        return QStringLiteral("its settings do not fit its target, object #%1").arg(drive.targetObjectId);
    return {};
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
    driveSceneFault<QuantumQuench, validateQuench>,
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
    driveSceneFault<PeriodicDrive, validatePeriodicDrive>,
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
    driveSceneFault<LinearSweep, validateLinearSweep>,
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
    driveSceneFault<RamseySequence, validateRamseySequence>,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readRamseySequence, writeRamseySequence, kRamseySequence)

namespace {

void switchOffDrives(ExperimentDocument& document, bool noted)
{
    switchOffWhereTheSceneRefuses(kQuantumQuench, document, noted);
    switchOffWhereTheSceneRefuses(kPeriodicDrive, document, noted);
    switchOffWhereTheSceneRefuses(kLinearSweep, document, noted);
    switchOffWhereTheSceneRefuses(kRamseySequence, document, noted);
}

} // namespace

QString driveSceneRefusal(const ExperimentDocument& document, const QString& record)
{
    if (record == QLatin1String(kQuantumQuench.key))
        return sceneRefusal(kQuantumQuench, document);
    if (record == QLatin1String(kPeriodicDrive.key))
        return sceneRefusal(kPeriodicDrive, document);
    if (record == QLatin1String(kLinearSweep.key))
        return sceneRefusal(kLinearSweep, document);
    if (record == QLatin1String(kRamseySequence.key))
        return sceneRefusal(kRamseySequence, document);
    return {};
}

void disableDrivesTheSceneRefuses(ExperimentDocument& document) { switchOffDrives(document, false); }

void switchOffDrivesTheSceneRefuses(ExperimentDocument& document) { switchOffDrives(document, true); }

} // namespace vxo
