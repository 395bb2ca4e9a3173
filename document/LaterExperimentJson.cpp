#include "document/LaterExperimentJson.h"

#include "document/SettingsObjectCodec.h"

namespace vxo {

namespace {

void kickedRotorFields(SettingsFieldVisitor& v, KickedRotorConfig& r)
{
    v.flag("enabled", r.enabled);
    v.number("firstKickTime", r.firstKickTime);
    v.number("kickPeriod", r.kickPeriod);
    v.number("phaseStrength", r.phaseStrength);
}

void kickedRotorInitialFields(SettingsFieldVisitor& v, KickedRotorInitialStateConfig& r)
{
    v.number("yCenter", r.yCenter);
    v.number("ySigma", r.ySigma);
    v.integer("initialMomentumMode", r.initialMomentumMode, 0);
}

void zenoFields(SettingsFieldVisitor& v, ZenoConfig& r)
{
    v.flag("enabled", r.enabled);
    v.number("firstMeasurementTime", r.firstMeasurementTime);
    v.number("measurementPeriod", r.measurementPeriod);
    v.number("laneSplitY", r.laneSplitY);
    v.number("survivalBoundaryX", r.survivalBoundaryX);
    v.number("edgeWidth", r.edgeWidth);
}

void zenoInitialFields(SettingsFieldVisitor& v, ZenoInitialStateConfig& r)
{
    v.number("centerX", r.centerX);
    v.number("controlLaneY", r.controlLaneY);
    v.number("watchedLaneY", r.watchedLaneY);
    v.number("sigma", r.sigma);
    v.number("momentumX", r.momentumX);
    v.number("relativePhaseDegrees", r.relativePhaseDegrees);
}

void scarFields(SettingsFieldVisitor& v, ScarConfig& r)
{
    v.flag("enabled", r.enabled);
    v.number("orbitBandHalfWidth", r.orbitBandHalfWidth);
    v.number("referenceEnergy", r.referenceEnergy);
}

void berryFields(SettingsFieldVisitor& v, BerryConfig& r)
{
    v.flag("enabled", r.enabled);
    v.number("anisotropy", r.anisotropy);
    v.number("startTime", r.startTime);
    v.number("duration", r.duration);
    v.integer("winding", r.winding, 0);
}

void loschmidtFields(SettingsFieldVisitor& v, LoschmidtConfig& r)
{
    v.flag("enabled", r.enabled);
    v.number("reversalTime", r.reversalTime);
    v.number("momentumErrorX", r.momentumErrorX);
    v.number("momentumErrorY", r.momentumErrorY);
}

void moshinskyInitialFields(SettingsFieldVisitor& v, MoshinskyInitialStateConfig& r)
{
    v.flag("enabled", r.enabled);
    v.number("shutterX", r.shutterX);
    v.number("envelopeCenterX", r.envelopeCenterX);
    v.number("envelopeSigmaX", r.envelopeSigmaX);
    v.number("centerY", r.centerY);
    v.number("transverseSigmaY", r.transverseSigmaY);
    v.number("momentumX", r.momentumX);
    v.number("edgeWidth", r.edgeWidth);
}

void moshinskyFields(SettingsFieldVisitor& v, MoshinskyConfig& r)
{
    v.flag("enabled", r.enabled);
    v.objectId("shutterObjectId", r.shutterObjectId);
    v.number("openTime", r.openTime);
    v.number("detectorX", r.detectorX);
    v.number("analysisEndTime", r.analysisEndTime);
}

void kapitzaDiracInitialFields(SettingsFieldVisitor& v, KapitzaDiracInitialStateConfig& r)
{
    v.number("centerX", r.centerX);
    v.number("centerY", r.centerY);
    v.number("sigmaX", r.sigmaX);
    v.number("sigmaY", r.sigmaY);
    v.number("momentumX", r.momentumX);
    v.number("momentumY", r.momentumY);
}

void kapitzaDiracFields(SettingsFieldVisitor& v, KapitzaDiracConfig& r)
{
    v.flag("enabled", r.enabled);
    v.number("latticePeriod", r.latticePeriod);
    v.number("latticeDepth", r.latticeDepth);
    v.number("latticePhaseDegrees", r.latticePhaseDegrees);
    v.number("pulseStartTime", r.pulseStartTime);
    v.number("pulseDuration", r.pulseDuration);
    v.number("analysisEndTime", r.analysisEndTime);
    v.integer("maximumOrder", r.maximumOrder, 0);
}

// The object the Berry loop's trap analysis stops at: the first enabled
// object that is no Harmonic trap, else a second Harmonic trap, else the one
// trap (whose curvatures, or the loop's anisotropy, do not fit); none in a
// scene without enabled objects.
const PotentialObject* berryTrapObject(const PotentialScene& scene)
{
    const PotentialObject* harmonic = nullptr;
    for (const PotentialObject& object : scene.objects()) {
        if (!object.enabled)
            continue;
        if (object.kind != PotentialObjectKind::Harmonic || harmonic != nullptr)
            return &object;
        harmonic = &object;
    }
    return harmonic;
}

// An enabled loop needs the scene's single isotropic trap and must fit it.
QString berrySceneFault(const BerryConfig& config, const ExperimentDocument& document)
{
    BerryTrap trap;
    const char* fault = nullptr;
    if (QuantumBerryPhase2D::analyzeTrap(document.potentialScene, trap, &fault) &&
        QuantumBerryPhase2D::validateLoop(config, trap, &fault))
        return {};
    if (const PotentialObject* object = berryTrapObject(document.potentialScene))
        return QStringLiteral("it cannot act on object #%1: %2").arg(QString::number(object->id), checkMessage(fault));
    // A trap switched off is named, as a drive's target is.
    for (const PotentialObject& object : document.potentialScene.objects()) {
        if (object.kind == PotentialObjectKind::Harmonic)
            return QStringLiteral("its trap, object #%1, is switched off").arg(object.id);
    }
    return QStringLiteral("its scene holds no trap: %1").arg(checkMessage(fault));
}

// An enabled shutter needs its object, a tall and narrow wall upstream of
// the detector.
QString shutterSceneFault(const MoshinskyConfig& config, const ExperimentDocument& document)
{
    const QString unreachable = targetFault(document.potentialScene, config.shutterObjectId);
    if (!unreachable.isEmpty())
        return unreachable;
    const char* fault = nullptr;
    if (QuantumMoshinsky2D::validateShutter(document.potentialScene, config, nullptr, &fault))
        return {};
    return QStringLiteral("it cannot act on object #%1: %2")
        .arg(QString::number(config.shutterObjectId), checkMessage(fault));
}

// The document does not know the solver's hbar; the pulse is judged at hbar 1.
bool pulseValid(const KapitzaDiracConfig& config, const ExperimentDocument&)
{
    return QuantumKapitzaDirac2D::validatePulse(config, 1.0, nullptr);
}

} // namespace

// Each object's codec (const, so internal to this file) and its reader and writer.

const SettingsObject<KickedRotorConfig> kKickedRotor = {
    "kickedRotor",
    &ExperimentDocument::kickedRotor,
    kickedRotorFields,
    "Experiment schema 16/17/18/19/20/21/22/23 is missing a valid kickedRotor object.",
    "Experiment kickedRotor contains invalid fields.",
    "Experiment kickedRotor contains invalid fields.",
    {validatedBy<KickedRotorConfig, QuantumKickedRotor2D::validateKick>,
     "Experiment kickedRotor values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readKickedRotorConfig, writeKickedRotorConfig, kKickedRotor)

const SettingsObject<KickedRotorInitialStateConfig> kKickedRotorInitialState = {
    "kickedRotorInitialState",
    &ExperimentDocument::kickedRotorInitialState,
    kickedRotorInitialFields,
    "Experiment schema 16/17/18/19/20/21/22/23 is missing a valid kickedRotorInitialState object.",
    "Experiment kickedRotorInitialState contains invalid fields.",
    "Experiment kickedRotorInitialState contains invalid fields.",
    {validatedBy<KickedRotorInitialStateConfig, QuantumKickedRotor2D::validateInitialState>,
     "Experiment kickedRotorInitialState values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readKickedRotorInitialState, writeKickedRotorInitialState, kKickedRotorInitialState)

const SettingsObject<ZenoConfig> kQuantumZeno = {
    "quantumZeno",
    &ExperimentDocument::quantumZeno,
    zenoFields,
    "Experiment schema 17/18 is missing a valid quantumZeno object.",
    "Experiment quantumZeno contains invalid fields.",
    "Experiment quantumZeno contains invalid fields.",
    {validatedBy<ZenoConfig, QuantumZeno2D::validateMeasurement>, "Experiment quantumZeno values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readZenoConfig, writeZenoConfig, kQuantumZeno)

const SettingsObject<ZenoInitialStateConfig> kQuantumZenoInitialState = {
    "quantumZenoInitialState",
    &ExperimentDocument::quantumZenoInitialState,
    zenoInitialFields,
    "Experiment schema 17/18 is missing a valid quantumZenoInitialState object.",
    "Experiment quantumZenoInitialState contains invalid fields.",
    "Experiment quantumZenoInitialState contains invalid fields.",
    {validatedBy<ZenoInitialStateConfig, QuantumZeno2D::validateInitialState>,
     "Experiment quantumZenoInitialState values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readZenoInitialState, writeZenoInitialState, kQuantumZenoInitialState)

const SettingsObject<ScarConfig> kQuantumScar = {
    "quantumScar",
    &ExperimentDocument::quantumScar,
    scarFields,
    "Experiment schema 18 is missing a valid quantumScar object.",
    "Experiment quantumScar contains invalid fields.",
    "Experiment quantumScar contains invalid fields.",
    {validatedBy<ScarConfig, QuantumScar2D::validateConfiguration>, "Experiment quantumScar values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readScarConfig, writeScarConfig, kQuantumScar)

const SettingsObject<BerryConfig> kQuantumBerry = {
    "quantumBerry",
    &ExperimentDocument::quantumBerry,
    berryFields,
    "Experiment schema 19 is missing a valid quantumBerry object.",
    "Experiment quantumBerry contains invalid fields.",
    "Experiment quantumBerry contains invalid fields.",
    {nullptr, nullptr},
    berrySceneFault,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readBerryConfig, writeBerryConfig, kQuantumBerry)

const SettingsObject<LoschmidtConfig> kQuantumLoschmidt = {
    "quantumLoschmidt",
    &ExperimentDocument::quantumLoschmidt,
    loschmidtFields,
    "Experiment schema 20 is missing a valid quantumLoschmidt object.",
    "Experiment quantumLoschmidt contains invalid fields.",
    "Experiment quantumLoschmidt contains invalid fields.",
    {validatedBy<LoschmidtConfig, QuantumLoschmidt2D::validateConfiguration>,
     "Experiment quantumLoschmidt values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readLoschmidtConfig, writeLoschmidtConfig, kQuantumLoschmidt)

const SettingsObject<MoshinskyInitialStateConfig> kMoshinskyInitialState = {
    "moshinskyInitialState",
    &ExperimentDocument::moshinskyInitialState,
    moshinskyInitialFields,
    "Experiment schema 21 is missing a valid moshinskyInitialState object.",
    "Experiment moshinskyInitialState has invalid enabled field.",
    "Experiment moshinskyInitialState contains invalid numeric fields.",
    {validatedBy<MoshinskyInitialStateConfig, QuantumMoshinsky2D::validateInitialState>,
     "Experiment moshinskyInitialState values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readMoshinskyInitialState, writeMoshinskyInitialState, kMoshinskyInitialState)

const SettingsObject<MoshinskyConfig> kQuantumMoshinsky = {
    "quantumMoshinsky",
    &ExperimentDocument::quantumMoshinsky,
    moshinskyFields,
    "Experiment schema 21 is missing a valid quantumMoshinsky object.",
    "Experiment quantumMoshinsky contains invalid fields.",
    "Experiment quantumMoshinsky contains invalid fields.",
    {nullptr, nullptr},
    shutterSceneFault,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readMoshinskyConfig, writeMoshinskyConfig, kQuantumMoshinsky)

const SettingsObject<KapitzaDiracInitialStateConfig> kKapitzaDiracInitialState = {
    "kapitzaDiracInitialState",
    &ExperimentDocument::kapitzaDiracInitialState,
    kapitzaDiracInitialFields,
    "Experiment schema 22 is missing a valid kapitzaDiracInitialState object.",
    "Experiment kapitzaDiracInitialState contains invalid numeric fields.",
    "Experiment kapitzaDiracInitialState contains invalid numeric fields.",
    {validatedBy<KapitzaDiracInitialStateConfig, QuantumKapitzaDirac2D::validateInitialState>,
     "Experiment kapitzaDiracInitialState values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readKapitzaDiracInitialState, writeKapitzaDiracInitialState, kKapitzaDiracInitialState)

const SettingsObject<KapitzaDiracConfig> kQuantumKapitzaDirac = {
    "quantumKapitzaDirac",
    &ExperimentDocument::quantumKapitzaDirac,
    kapitzaDiracFields,
    "Experiment schema 22 is missing a valid quantumKapitzaDirac object.",
    "Experiment quantumKapitzaDirac contains invalid fields.",
    "Experiment quantumKapitzaDirac contains invalid fields.",
    {pulseValid, "Experiment quantumKapitzaDirac values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readKapitzaDiracConfig, writeKapitzaDiracConfig, kQuantumKapitzaDirac)

QString loopOrShutterSceneRefusal(const ExperimentDocument& document, const QString& record)
{
    if (record == QLatin1String(kQuantumBerry.key))
        return sceneRefusal(kQuantumBerry, document);
    if (record == QLatin1String(kQuantumMoshinsky.key))
        return sceneRefusal(kQuantumMoshinsky, document);
    return {};
}

void disableLoopAndShutterTheSceneRefuses(ExperimentDocument& document)
{
    switchOffWhereTheSceneRefuses(kQuantumBerry, document, false);
    switchOffWhereTheSceneRefuses(kQuantumMoshinsky, document, false);
}

void switchOffLoopAndShutterTheSceneRefuses(ExperimentDocument& document)
{
    switchOffWhereTheSceneRefuses(kQuantumBerry, document, true);
    switchOffWhereTheSceneRefuses(kQuantumMoshinsky, document, true);
}

} // namespace vxo
