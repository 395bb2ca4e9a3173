#include "document/ExperimentDocumentJson.h"

#include "core/Numeric.h"
#include "document/DisplayText.h"
#include "document/DriveProtocolJson.h"
#include "document/EarlyExperimentJson.h"
#include "document/GaugeDiracExperimentJson.h"
#include "document/JsonReading.h"
#include "document/LaterExperimentJson.h"
#include "document/PotentialSceneJson.h"
#include "document/SettingsRanges.h"

#include <QJsonValue>
#include <QVariant>

namespace vxo {

namespace {

constexpr std::int32_t kHighestBoundState = 31;
constexpr double kLargestCollapseResolution = 20.0;

QJsonObject writeMeasurementCollapse(const ExperimentDocument& document)
{
    QJsonObject json;
    json.insert(measurementResolutionKey(), document.measurementCollapseResolution);
    return json;
}

// The versioned root members in reading and writing order, with the schema
// version that introduced each.
struct RootMember {
    const char* key;
    std::int32_t version;
    bool (*read)(const QJsonObject& root, ExperimentDocument& document, QString& error);
    QJsonObject (*write)(const ExperimentDocument& document);
};

const RootMember kRootMembers[] = {
    {"potentialScene", 2, readPotentialScene, writePotentialScene},
    {"initialPreparation", 4, readInitialPreparation, writeInitialPreparation},
    {"measurementCollapse", 5, readMeasurementCollapse, writeMeasurementCollapse},
    {"quantumQuench", 6, readQuantumQuench, writeQuantumQuench},
    {"periodicDrive", 7, readPeriodicDrive, writePeriodicDrive},
    {"linearSweep", 8, readLinearSweep, writeLinearSweep},
    {"ramseySequence", 10, readRamseySequence, writeRamseySequence},
    {"ramseyEnsemble", 12, readRamseyEnsemble, writeRamseyEnsemble},
    {"talbotInitialState", 13, readTalbotInitialState, writeTalbotInitialState},
    {"vortexInitialState", 14, readVortexInitialState, writeVortexInitialState},
    {"andersonInitialState", 15, readAndersonInitialState, writeAndersonInitialState},
    {"kickedRotor", 16, readKickedRotorConfig, writeKickedRotorConfig},
    {"kickedRotorInitialState", 16, readKickedRotorInitialState, writeKickedRotorInitialState},
    {"quantumZeno", 17, readZenoConfig, writeZenoConfig},
    {"quantumZenoInitialState", 17, readZenoInitialState, writeZenoInitialState},
    {"quantumScar", 18, readScarConfig, writeScarConfig},
    {"quantumBerry", 19, readBerryConfig, writeBerryConfig},
    {"quantumLoschmidt", 20, readLoschmidtConfig, writeLoschmidtConfig},
    {"moshinskyInitialState", 21, readMoshinskyInitialState, writeMoshinskyInitialState},
    {"quantumMoshinsky", 21, readMoshinskyConfig, writeMoshinskyConfig},
    {"kapitzaDiracInitialState", 22, readKapitzaDiracInitialState, writeKapitzaDiracInitialState},
    {"quantumKapitzaDirac", 22, readKapitzaDiracConfig, writeKapitzaDiracConfig},
    {"quantumAharonovBohm", 23, readAharonovBohmConfig, writeAharonovBohmConfig},
    {"quantumLandau", 24, readLandauConfig, writeLandauConfig},
    {"quantumHallEdge", 25, readHallEdgeConfig, writeHallEdgeConfig},
    {"quantumBackflow", 26, readBackflowConfig, writeBackflowConfig},
    {"quantumZitterbewegung", 27, readZitterbewegungConfig, writeZitterbewegungConfig},
    {"quantumKleinTunneling", 28, readKleinTunnelingConfig, writeKleinTunnelingConfig},
};

// Controls keep their bools, numbers (as doubles) and strings; null, array and
// object values are skipped.
void readControls(const QJsonObject& controls, QVariantMap& out)
{
    for (auto it = controls.constBegin(); it != controls.constEnd(); ++it) {
        const QJsonValue value = it.value();
        if (value.isBool())
            out.insert(it.key(), QVariant(value.toBool()));
        else if (value.isDouble())
            out.insert(it.key(), QVariant(value.toDouble()));
        else if (value.isString())
            out.insert(it.key(), QVariant(value.toString()));
    }
}

// A member the file's version lacks takes the value a new document holds,
// each of its numbers as its box would show it in the document's own
// universe: a default must fit the file it upgrades (the Klein packet, 10
// left of the centre by default, starts at the left edge of a universe 16
// wide), so that no default is the reason a file is refused. Read back
// through its own reader, the member passes what a member the file held
// passes.
void takeFittedDefault(const RootMember& member, ExperimentDocument& document)
{
    const QJsonObject written = member.write(document);
    const QJsonObject fitted = fittedToSettingsRanges(member.key, written, documentUniverse(document));
    if (fitted == written)
        return;
    QString unused;
    member.read(QJsonObject{{QLatin1String(member.key), fitted}}, document, unused);
}

QJsonObject writeControls(const QVariantMap& controls)
{
    QJsonObject json;
    for (auto it = controls.constBegin(); it != controls.constEnd(); ++it)
        json.insert(it.key(), QJsonValue::fromVariant(it.value()));
    return json;
}

} // namespace

QString experimentFormatId() { return QStringLiteral("Ondrivel.Experiment2D"); }

QString measurementResolutionKey() { return QStringLiteral("resolution"); }

bool parseExperimentDocument(const QJsonObject& root, ExperimentDocument& document, QString& error)
{
    error.clear();
    if (root.value(QLatin1String("format")).toString() != experimentFormatId())
        return readFault(error, QStringLiteral("This JSON file is not a Ondrivel experiment document."));
    const QJsonValue versionValue = root.value(QLatin1String("schemaVersion"));
    if (!versionValue.isDouble())
        return readFault(error, QStringLiteral("Experiment document is missing a valid schemaVersion."));
    const std::int32_t version = int32FromJson(versionValue, -1);
    if (version < 1 || version > ExperimentDocument::kCurrentSchemaVersion) {
        // The version as the file gives it: a fraction or a number beyond the
        // 32-bit range is named, not shown as the -1 it reads as.
        return readFault(error, QStringLiteral("Unsupported experiment schema version %1 (this build supports "
                                               "versions 1 through %2).")
                                    .arg(jsonNumberText(versionValue.toDouble()))
                                    .arg(ExperimentDocument::kCurrentSchemaVersion));
    }
    const QJsonValue controls = root.value(QLatin1String("controls"));
    if (!controls.isObject())
        return readFault(error, QStringLiteral("Experiment document does not contain a valid controls object."));

    ExperimentDocument scratch;
    scratch.name = root.value(QLatin1String("name")).toString();
    scratch.sourcePreset = root.value(QLatin1String("sourcePreset")).toString();
    readControls(controls.toObject(), scratch.controls);
    if (scratch.controls.isEmpty())
        return readFault(error, QStringLiteral("Experiment document contains no usable control values."));

    // Members newer than the file are never looked at; they take defaults
    // that fit the file.
    for (const RootMember& member : kRootMembers) {
        if (version < member.version) {
            takeFittedDefault(member, scratch);
        } else if (!member.read(root, scratch, error)) {
            // The member's own message names the schema that brought it in,
            // which reads as a wrong version: say what the file lacks.
            if (!root.value(QLatin1String(member.key)).isObject())
                error = QStringLiteral("Experiment document of schema %1 is missing a valid %2 object (every "
                                       "document since schema %3 has one).")
                            .arg(version)
                            .arg(QLatin1String(member.key))
                            .arg(member.version);
            return false;
        }
    }
    // A record that cannot act on the scene is switched off, not refused:
    // the rest of a teacher's file stays usable, and the note says why.
    switchOffDrivesTheSceneRefuses(scratch);
    switchOffLoopAndShutterTheSceneRefuses(scratch);

    document = scratch;
    return true;
}

QJsonObject experimentDocumentToJson(const ExperimentDocument& document)
{
    QJsonObject root;
    root.insert(QLatin1String("format"), experimentFormatId());
    root.insert(QLatin1String("schemaVersion"), ExperimentDocument::kCurrentSchemaVersion);
    root.insert(QLatin1String("name"), document.name);
    root.insert(QLatin1String("sourcePreset"), document.sourcePreset);
    root.insert(QLatin1String("controls"), writeControls(document.controls));
    for (const RootMember& member : kRootMembers)
        root.insert(QLatin1String(member.key), member.write(document));
    return root;
}

bool readInitialPreparation(const QJsonObject& root, ExperimentDocument& document, QString& error)
{
    const QJsonValue member = root.value(QLatin1String("initialPreparation"));
    if (!member.isObject())
        return readFault(error, QStringLiteral("Experiment schema 4+ is missing a valid initialPreparation object."));
    const QJsonObject object = member.toObject();
    InitialPreparation preparation;
    const QString typeName = object.value(QLatin1String("type")).toString();
    if (!initialPreparationTypeFromName(typeName, preparation.type))
        return readFault(
            error,
            QStringLiteral("Experiment initialPreparation has unknown type '%1'.").arg(elideForDisplay(typeName)));
    const QJsonValue stateA = object.value(QLatin1String("stateA"));
    const QJsonValue stateB = object.value(QLatin1String("stateB"));
    const QJsonValue phase = object.value(QLatin1String("relativePhaseDegrees"));
    if (!stateA.isDouble() || !stateB.isDouble() || !phase.isDouble())
        return readFault(error, QStringLiteral("Experiment initialPreparation contains invalid state/phase fields."));
    preparation.stateA = int32FromJson(stateA, -1);
    preparation.stateB = int32FromJson(stateB, -1);
    preparation.relativePhaseDegrees = phase.toDouble();

    const auto boundStateIndex = [](std::int32_t n) { return n >= 0 && n <= kHighestBoundState; };
    if (!boundStateIndex(preparation.stateA) || !boundStateIndex(preparation.stateB) ||
        !isFinite(preparation.relativePhaseDegrees))
        return readFault(error, QStringLiteral("Experiment initialPreparation values are out of range."));
    if (preparation.type == InitialPreparationType::BoundSuperposition && preparation.stateA == preparation.stateB)
        return readFault(error, QStringLiteral("Bound-state superposition requires two different states."));
    document.initialPreparation = preparation;
    return true;
}

QJsonObject writeInitialPreparation(const ExperimentDocument& document)
{
    const InitialPreparation& preparation = document.initialPreparation;
    QJsonObject json;
    json.insert(QLatin1String("type"), initialPreparationTypeName(preparation.type));
    json.insert(QLatin1String("stateA"), preparation.stateA);
    json.insert(QLatin1String("stateB"), preparation.stateB);
    json.insert(QLatin1String("relativePhaseDegrees"), preparation.relativePhaseDegrees);
    return json;
}

bool readMeasurementCollapse(const QJsonObject& root, ExperimentDocument& document, QString& error)
{
    const QJsonValue member = root.value(QLatin1String("measurementCollapse"));
    if (!member.isObject()) {
        return readFault(error, QStringLiteral("Experiment schema 5/6/7/8/9/10/11/12/13/14/15/16/17/18/19/20/21/22/"
                                               "23/24 is missing a valid measurementCollapse object."));
    }
    const QJsonValue resolution = member.toObject().value(measurementResolutionKey());
    if (!resolution.isDouble())
        return readFault(error, QStringLiteral("Experiment measurementCollapse contains an invalid resolution."));
    const double value = resolution.toDouble();
    if (!(isFinitePositive(value) && value <= kLargestCollapseResolution))
        return readFault(error, QStringLiteral("Experiment measurement-collapse resolution is out of range."));
    document.measurementCollapseResolution = value;
    return true;
}

QString recordSceneRefusal(const ExperimentDocument& document, const QString& record)
{
    const QString drive = driveSceneRefusal(document, record);
    return drive.isEmpty() ? loopOrShutterSceneRefusal(document, record) : drive;
}

void disableRecordsTheSceneRefuses(ExperimentDocument& document)
{
    disableDrivesTheSceneRefuses(document);
    disableLoopAndShutterTheSceneRefuses(document);
}

} // namespace vxo
