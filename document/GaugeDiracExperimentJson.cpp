#include "document/GaugeDiracExperimentJson.h"

#include "document/SettingsObjectCodec.h"

namespace vxo {

namespace {

void aharonovBohmFields(SettingsFieldVisitor& v, AharonovBohmConfig& r)
{
    v.flag("enabled", r.enabled);
    v.number("solenoidX", r.solenoidX);
    v.number("solenoidY", r.solenoidY);
    v.number("solenoidRadius", r.solenoidRadius);
    v.number("fluxQuanta", r.fluxQuanta);
    v.number("barrierHeight", r.barrierHeight);
    v.number("detectorX", r.detectorX);
    v.number("analysisEndTime", r.analysisEndTime);
}

void landauFields(SettingsFieldVisitor& v, LandauConfig& r)
{
    v.flag("enabled", r.enabled);
    v.number("fieldStrength", r.fieldStrength);
    v.unsignedInteger("preparationMode", r.preparationMode, 0);
    v.unsignedInteger("landauIndex", r.landauIndex, 0);
    v.number("orbitRadius", r.orbitRadius);
    v.number("analysisEndTime", r.analysisEndTime);
}

void hallEdgeFields(SettingsFieldVisitor& v, HallEdgeConfig& r)
{
    v.flag("enabled", r.enabled);
    v.number("fieldStrength", r.fieldStrength);
    v.number("edgeY", r.edgeY);
    v.number("wallHeight", r.wallHeight);
    v.number("launchY", r.launchY);
    v.number("orbitRadius", r.orbitRadius);
    v.number("packetSigma", r.packetSigma);
    v.number("edgeBand", r.edgeBand);
    v.number("analysisEndTime", r.analysisEndTime);
}

void backflowFields(SettingsFieldVisitor& v, BackflowConfig& r)
{
    v.flag("enabled", r.enabled);
    v.number("detectorX", r.detectorX);
    v.number("slowWaveNumber", r.slowWaveNumber);
    v.number("fastWaveNumber", r.fastWaveNumber);
    v.number("momentumSigma", r.momentumSigma);
    v.number("fastAmplitudeRatio", r.fastAmplitudeRatio);
    v.number("relativePhaseDegrees", r.relativePhaseDegrees);
    v.number("initialCenterX", r.initialCenterX);
    v.number("transverseSigma", r.transverseSigma);
    v.number("analysisEndTime", r.analysisEndTime);
}

// The Gaussian Dirac packet both Dirac experiments start from: the light
// speed c and rest mass m of the equation, the packet's centre, width and
// momentum.
template <typename DiracConfig>
void diracPacketFields(SettingsFieldVisitor& v, DiracConfig& r)
{
    v.number("lightSpeed", r.lightSpeed);
    v.number("restMass", r.restMass);
    v.number("centerX", r.centerX);
    v.number("centerY", r.centerY);
    v.number("sigma", r.sigma);
    v.number("momentumX", r.momentumX);
    v.number("momentumY", r.momentumY);
}

void zitterbewegungFields(SettingsFieldVisitor& v, ZitterbewegungConfig& r)
{
    v.flag("enabled", r.enabled);
    diracPacketFields(v, r);
    v.unsignedInteger("preparationMode", r.preparationMode, -1);
    v.number("analysisEndTime", r.analysisEndTime);
}

void kleinTunnelingFields(SettingsFieldVisitor& v, KleinTunnelingConfig& r)
{
    v.flag("enabled", r.enabled);
    diracPacketFields(v, r);
    v.number("barrierCenterX", r.barrierCenterX);
    v.number("barrierWidth", r.barrierWidth);
    v.number("barrierHeight", r.barrierHeight);
    v.number("detectorX", r.detectorX);
    v.number("analysisEndTime", r.analysisEndTime);
}

} // namespace

// Each object's codec (const, so internal to this file) and its reader and writer.

const SettingsObject<AharonovBohmConfig> kQuantumAharonovBohm = {
    "quantumAharonovBohm",
    &ExperimentDocument::quantumAharonovBohm,
    aharonovBohmFields,
    "Experiment schema 23 is missing a valid quantumAharonovBohm object.",
    "Experiment quantumAharonovBohm contains an invalid enabled field.",
    "Experiment quantumAharonovBohm contains invalid numeric fields.",
    {validatedBy<AharonovBohmConfig, QuantumAharonovBohm2D::validateConfiguration>,
     "Experiment quantumAharonovBohm values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readAharonovBohmConfig, writeAharonovBohmConfig, kQuantumAharonovBohm)

const SettingsObject<LandauConfig> kQuantumLandau = {
    "quantumLandau",
    &ExperimentDocument::quantumLandau,
    landauFields,
    "Experiment schema 24 is missing a valid quantumLandau object.",
    "Experiment quantumLandau contains invalid fields.",
    "Experiment quantumLandau contains invalid fields.",
    {validatedBy<LandauConfig, QuantumLandau2D::validateConfiguration>,
     "Experiment quantumLandau values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readLandauConfig, writeLandauConfig, kQuantumLandau)

const SettingsObject<HallEdgeConfig> kQuantumHallEdge = {
    "quantumHallEdge",
    &ExperimentDocument::quantumHallEdge,
    hallEdgeFields,
    "Experiment schema 25 is missing a valid quantumHallEdge object.",
    "Experiment quantumHallEdge contains invalid fields.",
    "Experiment quantumHallEdge contains invalid fields.",
    {validatedBy<HallEdgeConfig, QuantumHallEdge2D::validateConfiguration>,
     "Experiment quantumHallEdge values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readHallEdgeConfig, writeHallEdgeConfig, kQuantumHallEdge)

const SettingsObject<BackflowConfig> kQuantumBackflow = {
    "quantumBackflow",
    &ExperimentDocument::quantumBackflow,
    backflowFields,
    "Experiment schema 26 is missing a valid quantumBackflow object.",
    "Experiment quantumBackflow contains invalid fields.",
    "Experiment quantumBackflow contains invalid fields.",
    {validatedBy<BackflowConfig, QuantumBackflow2D::validateConfiguration>,
     "Experiment quantumBackflow values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readBackflowConfig, writeBackflowConfig, kQuantumBackflow)

const SettingsObject<ZitterbewegungConfig> kQuantumZitterbewegung = {
    "quantumZitterbewegung",
    &ExperimentDocument::quantumZitterbewegung,
    zitterbewegungFields,
    "Experiment schema 27 is missing a valid quantumZitterbewegung object.",
    "Experiment quantumZitterbewegung contains invalid fields.",
    "Experiment quantumZitterbewegung contains invalid fields.",
    {validatedBy<ZitterbewegungConfig, QuantumZitterbewegung2D::validateConfiguration>,
     "Experiment quantumZitterbewegung values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readZitterbewegungConfig, writeZitterbewegungConfig, kQuantumZitterbewegung)

const SettingsObject<KleinTunnelingConfig> kQuantumKleinTunneling = {
    "quantumKleinTunneling",
    &ExperimentDocument::quantumKleinTunneling,
    kleinTunnelingFields,
    "Experiment schema 28 is missing a valid quantumKleinTunneling object.",
    "Experiment quantumKleinTunneling contains invalid fields.",
    "Experiment quantumKleinTunneling contains invalid fields.",
    {validatedBy<KleinTunnelingConfig, QuantumKleinTunneling2D::validateConfiguration>,
     "Experiment quantumKleinTunneling values are out of range."},
    nullptr,
};
VXO_SETTINGS_OBJECT_FUNCTIONS(readKleinTunnelingConfig, writeKleinTunnelingConfig, kQuantumKleinTunneling)

} // namespace vxo
