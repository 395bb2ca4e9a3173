#include "DocumentTestSupport.h"

#include "document/ExperimentDocumentJson.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

namespace vxo::test {

namespace {

PotentialObject harmonicTrap()
{
    PotentialObject o;
    o.id = 3;
    o.kind = PotentialObjectKind::Harmonic;
    o.value = 0.1f;
    o.centerX = 0.25f;
    o.centerY = -0.5f;
    o.curvatureX = 0.5f;
    o.curvatureY = 0.5f;
    o.sigmaX = 0.75f;
    o.softening = 0.3f;
    return o;
}

PotentialObject linearBias(bool enabled)
{
    PotentialObject o;
    o.id = 9;
    o.kind = PotentialObjectKind::Linear;
    o.enabled = enabled;
    o.slopeX = 0.1f;
    o.slopeY = -0.05f;
    o.width = 2.5f;
    return o;
}

PotentialObject shutterBarrier(bool enabled)
{
    PotentialObject o;
    o.id = 12;
    o.kind = PotentialObjectKind::Barrier;
    o.enabled = enabled;
    o.value = 50.0f;
    o.length = 30.0f;
    o.thickness = 0.5f;
    o.wallWidth = 0.7f;
    o.slitHeight = 1.3f;
    o.slitSeparation = 2.2f;
    o.height = 1.7f;
    o.radius = 0.9f;
    o.sigmaY = 1.1f;
    return o;
}

#define EXPECT_FIELD(field) EXPECT_EQ(actual.field, expected.field) << #field

void expectSameObject(const PotentialObject& actual, const PotentialObject& expected)
{
    EXPECT_FIELD(id);
    EXPECT_FIELD(kind);
    EXPECT_FIELD(enabled);
    EXPECT_FIELD(value);
    EXPECT_FIELD(centerX);
    EXPECT_FIELD(centerY);
    EXPECT_FIELD(width);
    EXPECT_FIELD(height);
    EXPECT_FIELD(radius);
    EXPECT_FIELD(length);
    EXPECT_FIELD(thickness);
    EXPECT_FIELD(wallWidth);
    EXPECT_FIELD(slitHeight);
    EXPECT_FIELD(slitSeparation);
    EXPECT_FIELD(sigmaX);
    EXPECT_FIELD(sigmaY);
    EXPECT_FIELD(curvatureX);
    EXPECT_FIELD(curvatureY);
    EXPECT_FIELD(slopeX);
    EXPECT_FIELD(slopeY);
    EXPECT_FIELD(softening);
}

} // namespace

ExperimentDocument nonDefaultDocument(bool berryLoop)
{
    ExperimentDocument d;
    d.name = QStringLiteral("Round trip \u00e8");
    d.sourcePreset = QStringLiteral("Preset X");
    d.controls.insert(QStringLiteral("gridSizeComboBox"), QVariant(512));
    d.controls.insert(QStringLiteral("absorbingCheckBox"), QVariant(true));
    d.controls.insert(QStringLiteral("geometryComboBox"), QVariant(QStringLiteral("Double slit")));
    d.controls.insert(QStringLiteral("dtDoubleSpinBox"), QVariant(0.125));
    d.potentialSceneActive = true;
    d.potentialScene.add(harmonicTrap());
    d.potentialScene.add(linearBias(!berryLoop));
    d.potentialScene.add(shutterBarrier(!berryLoop));
    d.initialPreparation = {InitialPreparationType::BoundSuperposition, 1, 4, 45.0};
    d.measurementCollapseResolution = 0.8;

    d.quantumQuench = {true, 3, SceneParameterCurvatureXY, 3.5, 0.3, 0.9};
    d.periodicDrive = {true, 3, SceneParameterCenterX, 0.2, 0.5, 0.7, 30.0};
    // The bias (object 9) is switched off beside the Berry loop: what drives it is then off too.
    d.linearSweep = {!berryLoop, 9, SceneParameterSlopeX, 0.25, -0.25, 1.0, 30.0, true, 2.0, 5.0};
    d.ramseySequence = {!berryLoop, 9, SceneParameterSlopeX, 0.05, 0.2, 0.4, 10.0, 20.0, 1.0, 12.0, 6.0, true, 24.0, 45.0};
    d.ramseyEnsemble = {true, 0.08, 21};
    d.talbotInitialState = {4.0, 0.4, 0.5, -7.0, 1.4, 1.1};
    d.vortexInitialState = {0.5, -0.5, 1.2, 0.8, 0.3, -1};
    d.andersonInitialState = {1.0, 5.0, -5.0, 0.4, 90.0};
    d.kickedRotor = {true, 0.3, 1.5, 5.0};
    d.kickedRotorInitialState = {0.5, 1.2, 3};
    d.quantumZeno = {true, 0.5, 0.2, 0.1, 0.5, 0.3};
    d.quantumZenoInitialState = {-5.0, 5.0, -5.0, 0.7, 1.4, 10.0};
    d.quantumScar = {true, 0.6, 3.0};
    d.quantumBerry = {berryLoop, 0.2, 1.0, 200.0, -1};
    d.quantumLoschmidt = {true, 5.0, 0.1, -0.1};
    d.moshinskyInitialState = {true, 0.5, -7.0, 7.0, 0.5, 3.0, 2.5, 0.2};
    d.quantumMoshinsky = {!berryLoop, 12, 0.5, 5.0, 7.0};
    d.kapitzaDiracInitialState = {0.5, -6.0, 4.5, 1.2, 0.1, 1.0};
    d.quantumKapitzaDirac = {true, 4.5, 12.0, 10.0, 0.1, 0.4, 5.0, 5};
    d.quantumAharonovBohm = {true, 0.5, -0.5, 1.5, 0.25, 120.0, 6.0, 6.0};
    d.quantumLandau = {true, 0.5, 1, 2, 4.0, 20.0};
    d.quantumHallEdge = {true, 0.5, -7.0, 100.0, -4.5, 4.0, 1.2, 3.5, 9.0};
    d.quantumBackflow = {true, 0.5, 0.4, 1.2, 0.25, 0.6, 170.0, -2.0, 2.0, 5.0};
    d.quantumZitterbewegung = {true, 1.5, 0.6, -5.0, 0.5, 3.0, 0.6, 0.1, 1, 10.0};
    d.quantumKleinTunneling = {true, 1.2, 0.1, -9.0, 0.5, 2.0, 1.4, 0.2, 0.5, 2.5, 3.0, 5.0, 15.0};
    return d;
}

QJsonObject validFile() { return experimentDocumentToJson(nonDefaultDocument(true)); }

ExperimentDocument sentinelDocument()
{
    ExperimentDocument d;
    d.name = QStringLiteral("sentinel");
    d.controls.insert(QStringLiteral("sentinelSpinBox"), QVariant(7.0));
    d.measurementCollapseResolution = 1.5;
    d.quantumScar.referenceEnergy = 2.0;
    return d;
}

void expectSameDocument(const ExperimentDocument& actual, const ExperimentDocument& expected)
{
    EXPECT_FIELD(schemaVersion);
    EXPECT_FIELD(name);
    EXPECT_FIELD(sourcePreset);
    EXPECT_FIELD(controls);
    EXPECT_FIELD(potentialSceneActive);
    EXPECT_FIELD(potentialScene.nextId());
    ASSERT_EQ(actual.potentialScene.size(), expected.potentialScene.size());
    for (std::size_t i = 0; i < actual.potentialScene.objects().size(); ++i)
        expectSameObject(actual.potentialScene.objects()[i], expected.potentialScene.objects()[i]);
    EXPECT_FIELD(initialPreparation.type);
    EXPECT_FIELD(initialPreparation.stateA);
    EXPECT_FIELD(initialPreparation.stateB);
    EXPECT_FIELD(initialPreparation.relativePhaseDegrees);
    EXPECT_FIELD(measurementCollapseResolution);

    EXPECT_FIELD(quantumQuench.enabled);
    EXPECT_FIELD(quantumQuench.targetObjectId);
    EXPECT_FIELD(quantumQuench.parameter);
    EXPECT_FIELD(quantumQuench.time);
    EXPECT_FIELD(quantumQuench.before);
    EXPECT_FIELD(quantumQuench.after);

    EXPECT_FIELD(periodicDrive.enabled);
    EXPECT_FIELD(periodicDrive.targetObjectId);
    EXPECT_FIELD(periodicDrive.parameter);
    EXPECT_FIELD(periodicDrive.mean);
    EXPECT_FIELD(periodicDrive.amplitude);
    EXPECT_FIELD(periodicDrive.angularFrequency);
    EXPECT_FIELD(periodicDrive.phaseDegrees);

    EXPECT_FIELD(linearSweep.enabled);
    EXPECT_FIELD(linearSweep.targetObjectId);
    EXPECT_FIELD(linearSweep.parameter);
    EXPECT_FIELD(linearSweep.startValue);
    EXPECT_FIELD(linearSweep.endValue);
    EXPECT_FIELD(linearSweep.startTime);
    EXPECT_FIELD(linearSweep.duration);
    EXPECT_FIELD(linearSweep.returnEnabled);
    EXPECT_FIELD(linearSweep.holdDuration);
    EXPECT_FIELD(linearSweep.returnDuration);

    EXPECT_FIELD(ramseySequence.enabled);
    EXPECT_FIELD(ramseySequence.targetObjectId);
    EXPECT_FIELD(ramseySequence.parameter);
    EXPECT_FIELD(ramseySequence.mean);
    EXPECT_FIELD(ramseySequence.amplitude);
    EXPECT_FIELD(ramseySequence.angularFrequency);
    EXPECT_FIELD(ramseySequence.firstPhaseDegrees);
    EXPECT_FIELD(ramseySequence.secondPhaseDegrees);
    EXPECT_FIELD(ramseySequence.startTime);
    EXPECT_FIELD(ramseySequence.pulseDuration);
    EXPECT_FIELD(ramseySequence.freeEvolutionDuration);
    EXPECT_FIELD(ramseySequence.echoEnabled);
    EXPECT_FIELD(ramseySequence.echoPulseDuration);
    EXPECT_FIELD(ramseySequence.echoPulsePhaseDegrees);

    EXPECT_FIELD(ramseyEnsemble.enabled);
    EXPECT_FIELD(ramseyEnsemble.detuningStdDev);
    EXPECT_FIELD(ramseyEnsemble.memberCount);

    EXPECT_FIELD(talbotInitialState.period);
    EXPECT_FIELD(talbotInitialState.toothSigma);
    EXPECT_FIELD(talbotInitialState.offsetX);
    EXPECT_FIELD(talbotInitialState.centerY);
    EXPECT_FIELD(talbotInitialState.sigmaY);
    EXPECT_FIELD(talbotInitialState.momentumY);

    EXPECT_FIELD(vortexInitialState.envelopeCenterX);
    EXPECT_FIELD(vortexInitialState.envelopeCenterY);
    EXPECT_FIELD(vortexInitialState.envelopeSigma);
    EXPECT_FIELD(vortexInitialState.coreX);
    EXPECT_FIELD(vortexInitialState.coreY);
    EXPECT_FIELD(vortexInitialState.charge);

    EXPECT_FIELD(andersonInitialState.centerX);
    EXPECT_FIELD(andersonInitialState.cleanLaneY);
    EXPECT_FIELD(andersonInitialState.disorderLaneY);
    EXPECT_FIELD(andersonInitialState.sigma);
    EXPECT_FIELD(andersonInitialState.relativePhaseDegrees);

    EXPECT_FIELD(kickedRotor.enabled);
    EXPECT_FIELD(kickedRotor.firstKickTime);
    EXPECT_FIELD(kickedRotor.kickPeriod);
    EXPECT_FIELD(kickedRotor.phaseStrength);
    EXPECT_FIELD(kickedRotorInitialState.yCenter);
    EXPECT_FIELD(kickedRotorInitialState.ySigma);
    EXPECT_FIELD(kickedRotorInitialState.initialMomentumMode);

    EXPECT_FIELD(quantumZeno.enabled);
    EXPECT_FIELD(quantumZeno.firstMeasurementTime);
    EXPECT_FIELD(quantumZeno.measurementPeriod);
    EXPECT_FIELD(quantumZeno.laneSplitY);
    EXPECT_FIELD(quantumZeno.survivalBoundaryX);
    EXPECT_FIELD(quantumZeno.edgeWidth);
    EXPECT_FIELD(quantumZenoInitialState.centerX);
    EXPECT_FIELD(quantumZenoInitialState.controlLaneY);
    EXPECT_FIELD(quantumZenoInitialState.watchedLaneY);
    EXPECT_FIELD(quantumZenoInitialState.sigma);
    EXPECT_FIELD(quantumZenoInitialState.momentumX);
    EXPECT_FIELD(quantumZenoInitialState.relativePhaseDegrees);

    EXPECT_FIELD(quantumScar.enabled);
    EXPECT_FIELD(quantumScar.orbitBandHalfWidth);
    EXPECT_FIELD(quantumScar.referenceEnergy);

    EXPECT_FIELD(quantumBerry.enabled);
    EXPECT_FIELD(quantumBerry.anisotropy);
    EXPECT_FIELD(quantumBerry.startTime);
    EXPECT_FIELD(quantumBerry.duration);
    EXPECT_FIELD(quantumBerry.winding);

    EXPECT_FIELD(quantumLoschmidt.enabled);
    EXPECT_FIELD(quantumLoschmidt.reversalTime);
    EXPECT_FIELD(quantumLoschmidt.momentumErrorX);
    EXPECT_FIELD(quantumLoschmidt.momentumErrorY);

    EXPECT_FIELD(moshinskyInitialState.enabled);
    EXPECT_FIELD(moshinskyInitialState.shutterX);
    EXPECT_FIELD(moshinskyInitialState.envelopeCenterX);
    EXPECT_FIELD(moshinskyInitialState.envelopeSigmaX);
    EXPECT_FIELD(moshinskyInitialState.centerY);
    EXPECT_FIELD(moshinskyInitialState.transverseSigmaY);
    EXPECT_FIELD(moshinskyInitialState.momentumX);
    EXPECT_FIELD(moshinskyInitialState.edgeWidth);
    EXPECT_FIELD(quantumMoshinsky.enabled);
    EXPECT_FIELD(quantumMoshinsky.shutterObjectId);
    EXPECT_FIELD(quantumMoshinsky.openTime);
    EXPECT_FIELD(quantumMoshinsky.detectorX);
    EXPECT_FIELD(quantumMoshinsky.analysisEndTime);

    EXPECT_FIELD(kapitzaDiracInitialState.centerX);
    EXPECT_FIELD(kapitzaDiracInitialState.centerY);
    EXPECT_FIELD(kapitzaDiracInitialState.sigmaX);
    EXPECT_FIELD(kapitzaDiracInitialState.sigmaY);
    EXPECT_FIELD(kapitzaDiracInitialState.momentumX);
    EXPECT_FIELD(kapitzaDiracInitialState.momentumY);
    EXPECT_FIELD(quantumKapitzaDirac.enabled);
    EXPECT_FIELD(quantumKapitzaDirac.latticePeriod);
    EXPECT_FIELD(quantumKapitzaDirac.latticeDepth);
    EXPECT_FIELD(quantumKapitzaDirac.latticePhaseDegrees);
    EXPECT_FIELD(quantumKapitzaDirac.pulseStartTime);
    EXPECT_FIELD(quantumKapitzaDirac.pulseDuration);
    EXPECT_FIELD(quantumKapitzaDirac.analysisEndTime);
    EXPECT_FIELD(quantumKapitzaDirac.maximumOrder);

    EXPECT_FIELD(quantumAharonovBohm.enabled);
    EXPECT_FIELD(quantumAharonovBohm.solenoidX);
    EXPECT_FIELD(quantumAharonovBohm.solenoidY);
    EXPECT_FIELD(quantumAharonovBohm.solenoidRadius);
    EXPECT_FIELD(quantumAharonovBohm.fluxQuanta);
    EXPECT_FIELD(quantumAharonovBohm.barrierHeight);
    EXPECT_FIELD(quantumAharonovBohm.detectorX);
    EXPECT_FIELD(quantumAharonovBohm.analysisEndTime);

    EXPECT_FIELD(quantumLandau.enabled);
    EXPECT_FIELD(quantumLandau.fieldStrength);
    EXPECT_FIELD(quantumLandau.preparationMode);
    EXPECT_FIELD(quantumLandau.landauIndex);
    EXPECT_FIELD(quantumLandau.orbitRadius);
    EXPECT_FIELD(quantumLandau.analysisEndTime);

    EXPECT_FIELD(quantumHallEdge.enabled);
    EXPECT_FIELD(quantumHallEdge.fieldStrength);
    EXPECT_FIELD(quantumHallEdge.edgeY);
    EXPECT_FIELD(quantumHallEdge.wallHeight);
    EXPECT_FIELD(quantumHallEdge.launchY);
    EXPECT_FIELD(quantumHallEdge.orbitRadius);
    EXPECT_FIELD(quantumHallEdge.packetSigma);
    EXPECT_FIELD(quantumHallEdge.edgeBand);
    EXPECT_FIELD(quantumHallEdge.analysisEndTime);

    EXPECT_FIELD(quantumBackflow.enabled);
    EXPECT_FIELD(quantumBackflow.detectorX);
    EXPECT_FIELD(quantumBackflow.slowWaveNumber);
    EXPECT_FIELD(quantumBackflow.fastWaveNumber);
    EXPECT_FIELD(quantumBackflow.momentumSigma);
    EXPECT_FIELD(quantumBackflow.fastAmplitudeRatio);
    EXPECT_FIELD(quantumBackflow.relativePhaseDegrees);
    EXPECT_FIELD(quantumBackflow.initialCenterX);
    EXPECT_FIELD(quantumBackflow.transverseSigma);
    EXPECT_FIELD(quantumBackflow.analysisEndTime);

    EXPECT_FIELD(quantumZitterbewegung.enabled);
    EXPECT_FIELD(quantumZitterbewegung.lightSpeed);
    EXPECT_FIELD(quantumZitterbewegung.restMass);
    EXPECT_FIELD(quantumZitterbewegung.centerX);
    EXPECT_FIELD(quantumZitterbewegung.centerY);
    EXPECT_FIELD(quantumZitterbewegung.sigma);
    EXPECT_FIELD(quantumZitterbewegung.momentumX);
    EXPECT_FIELD(quantumZitterbewegung.momentumY);
    EXPECT_FIELD(quantumZitterbewegung.preparationMode);
    EXPECT_FIELD(quantumZitterbewegung.analysisEndTime);

    EXPECT_FIELD(quantumKleinTunneling.enabled);
    EXPECT_FIELD(quantumKleinTunneling.lightSpeed);
    EXPECT_FIELD(quantumKleinTunneling.restMass);
    EXPECT_FIELD(quantumKleinTunneling.centerX);
    EXPECT_FIELD(quantumKleinTunneling.centerY);
    EXPECT_FIELD(quantumKleinTunneling.sigma);
    EXPECT_FIELD(quantumKleinTunneling.momentumX);
    EXPECT_FIELD(quantumKleinTunneling.momentumY);
    EXPECT_FIELD(quantumKleinTunneling.barrierCenterX);
    EXPECT_FIELD(quantumKleinTunneling.barrierWidth);
    EXPECT_FIELD(quantumKleinTunneling.barrierHeight);
    EXPECT_FIELD(quantumKleinTunneling.detectorX);
    EXPECT_FIELD(quantumKleinTunneling.analysisEndTime);
}

#undef EXPECT_FIELD

QJsonObject defaultMembersJson()
{
    static const char* const kDefaults = R"({
        "potentialScene": {"active": false, "composition": "additive", "objects": []},
        "initialPreparation": {"type": "gaussian", "stateA": 0, "stateB": 3, "relativePhaseDegrees": 90},
        "measurementCollapse": {"resolution": 0.65},
        "quantumQuench": {"enabled": false, "targetObjectId": "0", "parameter": 5, "time": 2.0,
                          "before": 0.25, "after": 1.0},
        "periodicDrive": {"enabled": false, "targetObjectId": "0", "parameter": 1, "mean": 0,
                          "amplitude": 0.75, "angularFrequency": 0.5, "phaseDegrees": 0},
        "linearSweep": {"enabled": false, "targetObjectId": "0", "parameter": 6, "startValue": 0.35,
                        "endValue": -0.35, "startTime": 0, "duration": 40.0, "returnEnabled": false,
                        "holdDuration": 0, "returnDuration": 4.0},
        "ramseySequence": {"enabled": false, "targetObjectId": "0", "parameter": 6, "mean": 0, "amplitude": 0.1,
                           "angularFrequency": 0.305536, "firstPhaseDegrees": 0, "secondPhaseDegrees": 0,
                           "startTime": 0, "pulseDuration": 14.35, "freeEvolutionDuration": 5.5,
                           "echoEnabled": false, "echoPulseDuration": 28.7, "echoPulsePhaseDegrees": 0},
        "ramseyEnsemble": {"enabled": false, "detuningStdDev": 0.06, "memberCount": 41},
        "talbotInitialState": {"period": 5.12, "toothSigma": 0.45, "offsetX": 0, "centerY": -8.0, "sigmaY": 1.5,
                               "momentumY": 1.2},
        "vortexInitialState": {"envelopeCenterX": 0, "envelopeCenterY": 0, "envelopeSigma": 1.0, "coreX": 1.0,
                               "coreY": 0, "charge": 1},
        "andersonInitialState": {"centerX": 0, "cleanLaneY": 4.0, "disorderLaneY": -4.0, "sigma": 0.35,
                                 "relativePhaseDegrees": 0},
        "kickedRotor": {"enabled": false, "firstKickTime": 0.2, "kickPeriod": 1.0, "phaseStrength": 6.0},
        "kickedRotorInitialState": {"yCenter": 0, "ySigma": 1.5, "initialMomentumMode": 0},
        "quantumZeno": {"enabled": false, "firstMeasurementTime": 0.4, "measurementPeriod": 0.1, "laneSplitY": 0,
                        "survivalBoundaryX": 0.4, "edgeWidth": 0.32},
        "quantumZenoInitialState": {"centerX": -5.5, "controlLaneY": 4.8, "watchedLaneY": -4.8, "sigma": 0.8,
                                    "momentumX": 1.5, "relativePhaseDegrees": 0},
        "quantumScar": {"enabled": false, "orbitBandHalfWidth": 0.75, "referenceEnergy": 0},
        "quantumBerry": {"enabled": false, "anisotropy": 0.35, "startTime": 0, "duration": 240.0, "winding": 1},
        "quantumLoschmidt": {"enabled": false, "reversalTime": 4.0, "momentumErrorX": 0, "momentumErrorY": 0},
        "moshinskyInitialState": {"enabled": false, "shutterX": 0, "envelopeCenterX": -8.0, "envelopeSigmaX": 8.0,
                                  "centerY": 0, "transverseSigmaY": 3.2, "momentumX": 3.0, "edgeWidth": 0.18},
        "quantumMoshinsky": {"enabled": false, "shutterObjectId": "0", "openTime": 0, "detectorX": 4.0,
                             "analysisEndTime": 6.0},
        "kapitzaDiracInitialState": {"centerX": 0, "centerY": -6.5, "sigmaX": 5.0, "sigmaY": 1.25, "momentumX": 0,
                                     "momentumY": 1.1},
        "quantumKapitzaDirac": {"enabled": false, "latticePeriod": 4.096, "latticeDepth": 16.0,
                                "latticePhaseDegrees": 0, "pulseStartTime": 0, "pulseDuration": 0.3,
                                "analysisEndTime": 4.0, "maximumOrder": 4},
        "quantumAharonovBohm": {"enabled": false, "solenoidX": 0, "solenoidY": 0, "solenoidRadius": 1.25,
                                "fluxQuanta": 0.5, "barrierHeight": 140.0, "detectorX": 7.0, "analysisEndTime": 5.0},
        "quantumLandau": {"enabled": false, "fieldStrength": 0.45, "preparationMode": 0, "landauIndex": 0,
                          "orbitRadius": 5.0, "analysisEndTime": 15.0},
        "quantumHallEdge": {"enabled": false, "fieldStrength": 0.45, "edgeY": -8.0, "wallHeight": 120.0,
                            "launchY": -5.3, "orbitRadius": 4.2, "packetSigma": 1.1, "edgeBand": 4.0,
                            "analysisEndTime": 8.0},
        "quantumBackflow": {"enabled": false, "detectorX": 0, "slowWaveNumber": 0.35, "fastWaveNumber": 1.3,
                            "momentumSigma": 0.3, "fastAmplitudeRatio": 0.52, "relativePhaseDegrees": 180.0,
                            "initialCenterX": -1.8, "transverseSigma": 2.5, "analysisEndTime": 4.0},
        "quantumZitterbewegung": {"enabled": false, "lightSpeed": 1.0, "restMass": 0.5, "centerX": -6.0,
                                  "centerY": 0, "sigma": 3.5, "momentumX": 0.5, "momentumY": 0,
                                  "preparationMode": 0, "analysisEndTime": 12.0},
        "quantumKleinTunneling": {"enabled": false, "lightSpeed": 1.0, "restMass": 0.05, "centerX": -10.0,
                                  "centerY": 0, "sigma": 2.2, "momentumX": 1.5, "momentumY": 0,
                                  "barrierCenterX": 0, "barrierWidth": 3.0, "barrierHeight": 3.2, "detectorX": 6.0,
                                  "analysisEndTime": 16.0}
    })";
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(QByteArray(kDefaults), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return json.object();
}

namespace {

QJsonValue withPath(const QJsonValue& node, const QStringList& path, int depth, const QJsonValue& value)
{
    if (depth == path.size())
        return value;
    const QString& step = path[depth];
    if (node.isArray()) {
        QJsonArray array = node.toArray();
        const int index = step.toInt();
        array.replace(index, withPath(array.at(index), path, depth + 1, value));
        return array;
    }
    QJsonObject object = node.toObject();
    if (depth + 1 == path.size() && value.isUndefined())
        object.remove(step);
    else
        object.insert(step, withPath(object.value(step), path, depth + 1, value));
    return object;
}

} // namespace

void setPath(QJsonObject& root, const QStringList& path, const QJsonValue& value)
{
    root = withPath(root, path, 0, value).toObject();
}

QJsonValue valueAt(const QJsonObject& root, const QStringList& path)
{
    QJsonValue node = root;
    for (const QString& step : path)
        node = node.isArray() ? node.toArray().at(step.toInt()) : node.toObject().value(step);
    return node;
}

} // namespace vxo::test
