#include "DocumentTestSupport.h"

#include "document/ExperimentDocumentJson.h"
#include "document/SettingsRanges.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace vxo {
namespace {

// Reads `file` into a sentinel document: the read must fail with `message`
// and leave the sentinel exactly as it was.
void expectRefused(const QJsonObject& file, const QString& message, const std::string& context)
{
    ExperimentDocument document = test::sentinelDocument();
    QString error;
    EXPECT_FALSE(parseExperimentDocument(file, document, error)) << context;
    EXPECT_EQ(error.toStdString(), message.toStdString()) << context;
    SCOPED_TRACE(context);
    test::expectSameDocument(document, test::sentinelDocument());
}

using test::validFile;

struct Mutation {
    const char* name;
    QStringList path;
    QJsonValue value; // undefined: the member is removed
    const char* message;
};

std::ostream& operator<<(std::ostream& out, const Mutation& m) { return out << m.name; }

class MalformedDocument : public ::testing::TestWithParam<Mutation> {};

TEST_P(MalformedDocument, IsRefusedWithItsMessageAndLeavesTheDocumentAlone)
{
    const Mutation& m = GetParam();
    QJsonObject file = validFile();
    test::setPath(file, m.path, m.value);
    expectRefused(file, QString::fromUtf8(m.message), m.name);
}

const QJsonValue kAbsent(QJsonValue::Undefined);

const Mutation kRootFaults[] = {
    {"format absent", {"format"}, kAbsent, "This JSON file is not a Ondrivel experiment document."},
    {"format in other case",
     {"format"},
     "ondrivel.experiment2d",
     "This JSON file is not a Ondrivel experiment document."},
    {"format misspelt", {"format"}, "Ondrivel.Experiment3D", "This JSON file is not a Ondrivel experiment document."},
    {"format not a string", {"format"}, 1, "This JSON file is not a Ondrivel experiment document."},
    {"version absent", {"schemaVersion"}, kAbsent, "Experiment document is missing a valid schemaVersion."},
    {"version as string", {"schemaVersion"}, "28", "Experiment document is missing a valid schemaVersion."},
    {"version 0",
     {"schemaVersion"},
     0,
     "Unsupported experiment schema version 0 (this build supports versions 1 through 28)."},
    {"version 29",
     {"schemaVersion"},
     29,
     "Unsupported experiment schema version 29 (this build supports versions 1 through 28)."},
    // The version is named as the file gives it, not as the -1 it reads as.
    {"version 2.5",
     {"schemaVersion"},
     2.5,
     "Unsupported experiment schema version 2.5 (this build supports versions 1 through 28)."},
    {"version beyond 32 bits",
     {"schemaVersion"},
     4294967324.0,
     "Unsupported experiment schema version 4294967324 (this build supports versions 1 through 28)."},
    {"version 1e10",
     {"schemaVersion"},
     1e10,
     "Unsupported experiment schema version 10000000000 (this build supports versions 1 through 28)."},
    {"version 1e300",
     {"schemaVersion"},
     1e300,
     "Unsupported experiment schema version 1e+300 (this build supports versions 1 through 28)."},
    {"version -0.25",
     {"schemaVersion"},
     -0.25,
     "Unsupported experiment schema version -0.25 (this build supports versions 1 through 28)."},
    {"version most negative",
     {"schemaVersion"},
     -2147483648.0,
     "Unsupported experiment schema version -2147483648 (this build supports versions 1 through 28)."},
    {"controls absent", {"controls"}, kAbsent, "Experiment document does not contain a valid controls object."},
    {"controls array", {"controls"}, QJsonArray{1}, "Experiment document does not contain a valid controls object."},
    {"controls empty", {"controls"}, QJsonObject{}, "Experiment document contains no usable control values."},
    {"controls unusable",
     {"controls"},
     QJsonObject{{"a", QJsonValue()}, {"b", QJsonArray{1}}, {"c", QJsonObject{}}},
     "Experiment document contains no usable control values."},
};
INSTANTIATE_TEST_SUITE_P(Root, MalformedDocument, ::testing::ValuesIn(kRootFaults));

const Mutation kMissingMembers[] = {
    {"potentialScene",
     {"potentialScene"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid potentialScene object (every document since schema 2 has one)."},
    {"initialPreparation",
     {"initialPreparation"},
     "gaussian",
     "Experiment document of schema 28 is missing a valid initialPreparation object (every document since schema 4 has one)."},
    {"measurementCollapse",
     {"measurementCollapse"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid measurementCollapse object (every document since schema 5 has one)."},
    {"quantumQuench",
     {"quantumQuench"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid quantumQuench object (every document since schema 6 has one)."},
    {"periodicDrive",
     {"periodicDrive"},
     QJsonArray{},
     "Experiment document of schema 28 is missing a valid periodicDrive object (every document since schema 7 has one)."},
    {"linearSweep",
     {"linearSweep"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid linearSweep object (every document since schema 8 has one)."},
    {"ramseySequence",
     {"ramseySequence"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid ramseySequence object (every document since schema 10 has one)."},
    {"ramseyEnsemble",
     {"ramseyEnsemble"},
     QJsonValue(),
     "Experiment document of schema 28 is missing a valid ramseyEnsemble object (every document since schema 12 has one)."},
    {"talbotInitialState",
     {"talbotInitialState"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid talbotInitialState object (every document since schema 13 has one)."},
    {"vortexInitialState",
     {"vortexInitialState"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid vortexInitialState object (every document since schema 14 has one)."},
    {"andersonInitialState",
     {"andersonInitialState"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid andersonInitialState object (every document since schema 15 has one)."},
    {"kickedRotor",
     {"kickedRotor"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid kickedRotor object (every document since schema 16 has one)."},
    {"kickedRotorInitialState",
     {"kickedRotorInitialState"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid kickedRotorInitialState object (every document since schema 16 has one)."},
    {"quantumZeno", {"quantumZeno"}, kAbsent, "Experiment document of schema 28 is missing a valid quantumZeno object (every document since schema 17 has one)."},
    {"quantumZenoInitialState",
     {"quantumZenoInitialState"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid quantumZenoInitialState object (every document since schema 17 has one)."},
    {"quantumScar", {"quantumScar"}, kAbsent, "Experiment document of schema 28 is missing a valid quantumScar object (every document since schema 18 has one)."},
    {"quantumBerry", {"quantumBerry"}, kAbsent, "Experiment document of schema 28 is missing a valid quantumBerry object (every document since schema 19 has one)."},
    {"quantumLoschmidt",
     {"quantumLoschmidt"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid quantumLoschmidt object (every document since schema 20 has one)."},
    {"moshinskyInitialState",
     {"moshinskyInitialState"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid moshinskyInitialState object (every document since schema 21 has one)."},
    {"quantumMoshinsky",
     {"quantumMoshinsky"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid quantumMoshinsky object (every document since schema 21 has one)."},
    {"kapitzaDiracInitialState",
     {"kapitzaDiracInitialState"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid kapitzaDiracInitialState object (every document since schema 22 has one)."},
    {"quantumKapitzaDirac",
     {"quantumKapitzaDirac"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid quantumKapitzaDirac object (every document since schema 22 has one)."},
    {"quantumAharonovBohm",
     {"quantumAharonovBohm"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid quantumAharonovBohm object (every document since schema 23 has one)."},
    {"quantumLandau", {"quantumLandau"}, kAbsent, "Experiment document of schema 28 is missing a valid quantumLandau object (every document since schema 24 has one)."},
    {"quantumHallEdge",
     {"quantumHallEdge"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid quantumHallEdge object (every document since schema 25 has one)."},
    {"quantumBackflow",
     {"quantumBackflow"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid quantumBackflow object (every document since schema 26 has one)."},
    {"quantumZitterbewegung",
     {"quantumZitterbewegung"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid quantumZitterbewegung object (every document since schema 27 has one)."},
    {"quantumKleinTunneling",
     {"quantumKleinTunneling"},
     kAbsent,
     "Experiment document of schema 28 is missing a valid quantumKleinTunneling object (every document since schema 28 has one)."},
};
INSTANTIATE_TEST_SUITE_P(MissingMember, MalformedDocument, ::testing::ValuesIn(kMissingMembers));

const Mutation kSceneFaults[] = {
    {"active absent",
     {"potentialScene", "active"},
     kAbsent,
     "Experiment potentialScene must contain active and objects fields."},
    {"active as string",
     {"potentialScene", "active"},
     "true",
     "Experiment potentialScene must contain active and objects fields."},
    {"objects as object",
     {"potentialScene", "objects"},
     QJsonObject{},
     "Experiment potentialScene must contain active and objects fields."},
    {"composition multiplicative",
     {"potentialScene", "composition"},
     "multiplicative",
     "Unsupported potential scene composition 'multiplicative'."},
    {"entry not an object", {"potentialScene", "objects", "1"}, 5, "Potential scene object 1 is not a JSON object."},
    {"id as number", {"potentialScene", "objects", "1", "id"}, 9, "Potential scene object 1 has an invalid id."},
    {"id zero", {"potentialScene", "objects", "2", "id"}, "0", "Potential scene object 2 has an invalid id."},
    {"id not digits", {"potentialScene", "objects", "0", "id"}, "x", "Potential scene object 0 has an invalid id."},
    {"id with sign", {"potentialScene", "objects", "0", "id"}, "+3", "Potential scene object 0 has an invalid id."},
    {"id with blank", {"potentialScene", "objects", "0", "id"}, " 3", "Potential scene object 0 has an invalid id."},
    {"id negative", {"potentialScene", "objects", "0", "id"}, "-3", "Potential scene object 0 has an invalid id."},
    {"id empty", {"potentialScene", "objects", "0", "id"}, "", "Potential scene object 0 has an invalid id."},
    {"id beyond 64 bits",
     {"potentialScene", "objects", "0", "id"},
     "18446744073709551616",
     "Potential scene object 0 has an invalid id."},
    {"id absent", {"potentialScene", "objects", "0", "id"}, kAbsent, "Potential scene object 0 has an invalid id."},
    {"duplicate id", {"potentialScene", "objects", "2", "id"}, "3", "Potential scene contains duplicate object id 3."},
    {"type in other case",
     {"potentialScene", "objects", "0", "type"},
     "Harmonic",
     "Potential scene object 0 has an unknown type."},
    {"type absent",
     {"potentialScene", "objects", "1", "type"},
     kAbsent,
     "Potential scene object 1 has an unknown type."},
    {"enabled as number",
     {"potentialScene", "objects", "0", "enabled"},
     1,
     "Potential scene object 0 has an invalid enabled flag."},
    {"value beyond float",
     {"potentialScene", "objects", "0", "value"},
     1e39,
     "Potential scene object 0 has invalid numeric field 'value'."},
    {"required number absent",
     {"potentialScene", "objects", "1", "centerX"},
     kAbsent,
     "Potential scene object 1 has invalid numeric field 'centerX'."},
    {"required number as string",
     {"potentialScene", "objects", "2", "slitSeparation"},
     "2",
     "Potential scene object 2 has invalid numeric field 'slitSeparation'."},
    {"optional number null",
     {"potentialScene", "objects", "0", "sigmaX"},
     QJsonValue(),
     "Potential scene object 0 has invalid numeric field 'sigmaX'."},
    {"optional number as bool",
     {"potentialScene", "objects", "2", "softening"},
     true,
     "Potential scene object 2 has invalid numeric field 'softening'."},
    {"invalid geometry",
     {"potentialScene", "objects", "2", "length"},
     0,
     "Potential scene object 2 contains invalid geometry dimensions."},
};
INSTANTIATE_TEST_SUITE_P(Scene, MalformedDocument, ::testing::ValuesIn(kSceneFaults));

const Mutation kPreparationFaults[] = {
    {"type in other case",
     {"initialPreparation", "type"},
     "Gaussian",
     "Experiment initialPreparation has unknown type 'Gaussian'."},
    {"type absent", {"initialPreparation", "type"}, kAbsent, "Experiment initialPreparation has unknown type ''."},
    {"state as string",
     {"initialPreparation", "stateA"},
     "1",
     "Experiment initialPreparation contains invalid state/phase fields."},
    {"phase absent",
     {"initialPreparation", "relativePhaseDegrees"},
     kAbsent,
     "Experiment initialPreparation contains invalid state/phase fields."},
    {"state 32", {"initialPreparation", "stateA"}, 32, "Experiment initialPreparation values are out of range."},
    {"state -1", {"initialPreparation", "stateB"}, -1, "Experiment initialPreparation values are out of range."},
    {"state not whole",
     {"initialPreparation", "stateA"},
     1.5,
     "Experiment initialPreparation values are out of range."},
    {"equal states", {"initialPreparation", "stateA"}, 4, "Bound-state superposition requires two different states."},
    {"resolution as string",
     {"measurementCollapse", "resolution"},
     "1",
     "Experiment measurementCollapse contains an invalid resolution."},
    {"resolution 0",
     {"measurementCollapse", "resolution"},
     0,
     "Experiment measurement-collapse resolution is out of range."},
    {"resolution above 20",
     {"measurementCollapse", "resolution"},
     20.0001,
     "Experiment measurement-collapse resolution is out of range."},
};
INSTANTIATE_TEST_SUITE_P(Preparation, MalformedDocument, ::testing::ValuesIn(kPreparationFaults));

const Mutation kSettingsChecks[] = {
    {"quench parameter 8", {"quantumQuench", "parameter"}, 8, "Experiment quantumQuench has an unsupported parameter."},
    {"quench parameter -1",
     {"quantumQuench", "parameter"},
     -1,
     "Experiment quantumQuench has an unsupported parameter."},
    {"quench parameter 2.5",
     {"quantumQuench", "parameter"},
     2.5,
     "Experiment quantumQuench has an unsupported parameter."},
    {"periodic parameter 8",
     {"periodicDrive", "parameter"},
     8,
     "Experiment periodicDrive has an unsupported parameter."},
    {"sweep parameter -1", {"linearSweep", "parameter"}, -1, "Experiment linearSweep has an unsupported parameter."},
    {"quench time past its box",
     {"quantumQuench", "time"},
     1000.001,
     "Quench: \"Quench time\" is 1000.001; the allowed range is 0 to 1000."},
    {"sweep hold before its box",
     {"linearSweep", "holdDuration"},
     -1,
     "Linear sweep: \"Hold at End\" is -1; the allowed range is 0 to 1000."},
    {"sweep returnEnabled as number",
     {"linearSweep", "returnEnabled"},
     1,
     "Experiment linearSweep returnEnabled is invalid."},
    {"sweep holdDuration as string",
     {"linearSweep", "holdDuration"},
     "2",
     "Experiment linearSweep holdDuration is invalid."},
    {"sweep returnDuration null",
     {"linearSweep", "returnDuration"},
     QJsonValue(),
     "Experiment linearSweep returnDuration is invalid."},
    {"ramsey parameter 9",
     {"ramseySequence", "parameter"},
     9,
     "Experiment ramseySequence has an unsupported parameter."},
    {"ramsey echo shorter than its box",
     {"ramseySequence", "echoPulseDuration"},
     0.01,
     "Ramsey: \"Echo pi duration\" is 0.01; the allowed range is 0.02 to 1000."},
    {"ensemble count 2",
     {"ramseyEnsemble", "memberCount"},
     2,
     "Ramsey: \"Members\" is 2; the allowed range is 3 to 201."},
    {"talbot period 0", {"talbotInitialState", "period"}, 0, "Experiment talbotInitialState values are out of range."},
    {"vortex charge not whole",
     {"vortexInitialState", "charge"},
     1.5,
     "Experiment vortexInitialState values are out of range."},
    {"anderson sigma 0",
     {"andersonInitialState", "sigma"},
     0,
     "Experiment andersonInitialState values are out of range."},
    {"kick period 0",
     {"kickedRotor", "kickPeriod"},
     0,
     "Kicked Rotor: \"Kick period T\" is 0; the allowed range is 0.2 to 5."},
    // Values no control shows keep their experiment's range.
    {"first kick before the start",
     {"kickedRotor", "firstKickTime"},
     -1,
     "Kicked Rotor: \"first kick time\" is -1; the allowed range is 0 or more."},
    {"klein packet centre not finite",
     {"quantumKleinTunneling", "centerY"},
     std::numeric_limits<double>::infinity(),
     "Klein Tunneling: \"packet center Y\" is inf; the allowed range is any finite value."},
    {"rotor sigma 0",
     {"kickedRotorInitialState", "ySigma"},
     0,
     "Experiment kickedRotorInitialState values are out of range."},
    {"zeno period 0",
     {"quantumZeno", "measurementPeriod"},
     0,
     "Zeno: \"Measurement dt\" is 0; the allowed range is 0.04 to 5."},
    // The experiment would measure every 0.01; the box cannot show it.
    {"zeno period below its box",
     {"quantumZeno", "measurementPeriod"},
     0.01,
     "Zeno: \"Measurement dt\" is 0.01; the allowed range is 0.04 to 5."},
    {"zeno lanes swapped",
     {"quantumZenoInitialState", "watchedLaneY"},
     6.0,
     "Experiment quantumZenoInitialState values are out of range."},
    {"scar band 0",
     {"quantumScar", "orbitBandHalfWidth"},
     0,
     "Scars: \"Orbit half-band\" is 0; the allowed range is 0.1 to 5."},
    {"berry winding not whole",
     {"quantumBerry", "winding"},
     1.5,
     "Berry Phase: \"Winding\" is 1.5; the allowed values are -1 and 1."},
    {"berry winding 0",
     {"quantumBerry", "winding"},
     0,
     "Berry Phase: \"Winding\" is 0; the allowed values are -1 and 1."},
    {"loschmidt reversal 0",
     {"quantumLoschmidt", "reversalTime"},
     0,
     "Loschmidt: \"Reversal time T\" is 0; the allowed range is 0.02 to 5000."},
    {"moshinsky edge 0",
     {"moshinskyInitialState", "edgeWidth"},
     0,
     "Experiment moshinskyInitialState values are out of range."},
    {"moshinsky opening before the start",
     {"quantumMoshinsky", "openTime"},
     -0.5,
     "Diffraction in Time: \"Opening time\" is -0.5; the allowed range is 0 to 1000."},
    {"kapitza sigma 0",
     {"kapitzaDiracInitialState", "sigmaX"},
     0,
     "Experiment kapitzaDiracInitialState values are out of range."},
    {"kapitza order 13",
     {"quantumKapitzaDirac", "maximumOrder"},
     13,
     "Kapitza-Dirac: \"Orders shown +/-\" is 13; the allowed range is 1 to 12."},
    {"solenoid radius",
     {"quantumAharonovBohm", "solenoidRadius"},
     0.01,
     "Aharonov-Bohm: \"Solenoid radius\" is 0.01; the allowed range is 0.1 to 8."},
    {"landau index 9",
     {"quantumLandau", "landauIndex"},
     9,
     "Landau: \"Landau index n\" is 9; the allowed range is 0 to 8."},
    {"landau mode -1",
     {"quantumLandau", "preparationMode"},
     -1,
     "Landau: \"Initial state\" is -1; the allowed range is 0 to 1."},
    {"landau mode not whole",
     {"quantumLandau", "preparationMode"},
     0.5,
     "Landau: \"Initial state\" is 0.5; the allowed values are whole numbers."},
    {"landau mode a digit past single precision",
     {"quantumLandau", "preparationMode"},
     0.999999,
     "Landau: \"Initial state\" is 0.999999; the allowed values are whole numbers."},
    {"berry winding between the signs",
     {"quantumBerry", "winding"},
     -0.5,
     "Berry Phase: \"Winding\" is -0.5; the allowed values are -1 and 1."},
    {"hall edge above its box",
     {"quantumHallEdge", "edgeY"},
     9,
     "Hall Edge: \"Edge Y\" is 9; the allowed range is -18 to 8."},
    {"hall wall negative",
     {"quantumHallEdge", "wallHeight"},
     -1,
     "Hall Edge: \"Wall V0\" is -1; the allowed range is 0 to 2000."},
    {"backflow fast band beyond its box",
     {"quantumBackflow", "fastWaveNumber"},
     12.5,
     "Backflow: \"Fast k\" is 12.5; the allowed range is 0.1 to 12."},
    {"zitterbewegung mode not whole",
     {"quantumZitterbewegung", "preparationMode"},
     1.5,
     "Zitterbewegung: \"Preparation\" is 1.5; the allowed range is 0 to 1."},
    {"zitterbewegung mode 2",
     {"quantumZitterbewegung", "preparationMode"},
     2,
     "Zitterbewegung: \"Preparation\" is 2; the allowed range is 0 to 1."},
    {"klein packet without momentum",
     {"quantumKleinTunneling", "momentumX"},
     0.0,
     "Klein Tunneling: \"Momentum px\" is 0; the allowed range is 0.05 to 8."},
};
INSTANTIATE_TEST_SUITE_P(SettingsCheck, MalformedDocument, ::testing::ValuesIn(kSettingsChecks));

// The type-check messages of each settings object.
struct ObjectMessages {
    const char* key;
    const char* enabledMessage;
    const char* fieldsMessage;
};

const ObjectMessages kObjectMessages[] = {
    {"quantumQuench", "Experiment quantumQuench contains invalid fields.",
     "Experiment quantumQuench contains invalid fields."},
    {"periodicDrive", "Experiment periodicDrive contains invalid fields.",
     "Experiment periodicDrive contains invalid fields."},
    {"linearSweep", "Experiment linearSweep contains invalid fields.",
     "Experiment linearSweep contains invalid fields."},
    {"ramseySequence", "Experiment ramseySequence contains an invalid enabled field.",
     "Experiment ramseySequence contains invalid numeric fields."},
    {"ramseyEnsemble", "Experiment ramseyEnsemble contains invalid fields.",
     "Experiment ramseyEnsemble contains invalid fields."},
    {"talbotInitialState", nullptr, "Experiment talbotInitialState contains invalid fields."},
    {"vortexInitialState", nullptr, "Experiment vortexInitialState contains invalid fields."},
    {"andersonInitialState", nullptr, "Experiment andersonInitialState contains invalid fields."},
    {"kickedRotor", "Experiment kickedRotor contains invalid fields.",
     "Experiment kickedRotor contains invalid fields."},
    {"kickedRotorInitialState", nullptr, "Experiment kickedRotorInitialState contains invalid fields."},
    {"quantumZeno", "Experiment quantumZeno contains invalid fields.",
     "Experiment quantumZeno contains invalid fields."},
    {"quantumZenoInitialState", nullptr, "Experiment quantumZenoInitialState contains invalid fields."},
    {"quantumScar", "Experiment quantumScar contains invalid fields.",
     "Experiment quantumScar contains invalid fields."},
    {"quantumBerry", "Experiment quantumBerry contains invalid fields.",
     "Experiment quantumBerry contains invalid fields."},
    {"quantumLoschmidt", "Experiment quantumLoschmidt contains invalid fields.",
     "Experiment quantumLoschmidt contains invalid fields."},
    {"moshinskyInitialState", "Experiment moshinskyInitialState has invalid enabled field.",
     "Experiment moshinskyInitialState contains invalid numeric fields."},
    {"quantumMoshinsky", "Experiment quantumMoshinsky contains invalid fields.",
     "Experiment quantumMoshinsky contains invalid fields."},
    {"kapitzaDiracInitialState", nullptr, "Experiment kapitzaDiracInitialState contains invalid numeric fields."},
    {"quantumKapitzaDirac", "Experiment quantumKapitzaDirac contains invalid fields.",
     "Experiment quantumKapitzaDirac contains invalid fields."},
    {"quantumAharonovBohm", "Experiment quantumAharonovBohm contains an invalid enabled field.",
     "Experiment quantumAharonovBohm contains invalid numeric fields."},
    {"quantumLandau", "Experiment quantumLandau contains invalid fields.",
     "Experiment quantumLandau contains invalid fields."},
    {"quantumHallEdge", "Experiment quantumHallEdge contains invalid fields.",
     "Experiment quantumHallEdge contains invalid fields."},
    {"quantumBackflow", "Experiment quantumBackflow contains invalid fields.",
     "Experiment quantumBackflow contains invalid fields."},
    {"quantumZitterbewegung", "Experiment quantumZitterbewegung contains invalid fields.",
     "Experiment quantumZitterbewegung contains invalid fields."},
    {"quantumKleinTunneling", "Experiment quantumKleinTunneling contains invalid fields.",
     "Experiment quantumKleinTunneling contains invalid fields."},
};

// Members that are never type-checked: ids, and the optional and lenient
// members that have their own cases.
const std::set<QString> kNotTypeChecked = {
    QStringLiteral("targetObjectId"),    QStringLiteral("shutterObjectId"),       QStringLiteral("returnEnabled"),
    QStringLiteral("holdDuration"),      QStringLiteral("returnDuration"),        QStringLiteral("echoEnabled"),
    QStringLiteral("echoPulseDuration"), QStringLiteral("echoPulsePhaseDegrees"),
};

class SettingsObjectTypes : public ::testing::TestWithParam<ObjectMessages> {};

TEST_P(SettingsObjectTypes, EveryRequiredMemberAbsentOrOfTheWrongTypeGivesTheObjectsMessage)
{
    const ObjectMessages& m = GetParam();
    const QString key = QString::fromLatin1(m.key);
    const QJsonObject written = validFile().value(key).toObject();
    ASSERT_FALSE(written.isEmpty());
    for (const QString& member : written.keys()) {
        if (kNotTypeChecked.count(member) != 0)
            continue;
        const bool isEnabled = member == QLatin1String("enabled");
        const QString expected = QString::fromLatin1(isEnabled ? m.enabledMessage : m.fieldsMessage);
        const std::string context = std::string(m.key) + "." + member.toStdString();
        const QJsonValue wrongValues[] = {QJsonValue(QStringLiteral("1")), isEnabled ? QJsonValue(1) : QJsonValue(true),
                                          QJsonValue(), kAbsent};
        for (const QJsonValue& wrong : wrongValues) {
            QJsonObject file = validFile();
            test::setPath(file, {key, member}, wrong);
            expectRefused(file, expected, context);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllObjects, SettingsObjectTypes, ::testing::ValuesIn(kObjectMessages),
                         [](const ::testing::TestParamInfo<ObjectMessages>& info) { return info.param.key; });

std::vector<ObjectMessages> objectsWithEnabled()
{
    std::vector<ObjectMessages> objects;
    for (const ObjectMessages& m : kObjectMessages) {
        if (m.enabledMessage != nullptr)
            objects.push_back(m);
    }
    return objects;
}

class SettingsObjectEnabled : public ::testing::TestWithParam<ObjectMessages> {};

TEST_P(SettingsObjectEnabled, AFaultyEnabledIsReportedBeforeTheNumbers)
{
    const ObjectMessages& m = GetParam();
    const QString key = QString::fromLatin1(m.key);
    QJsonObject file = validFile();
    QJsonObject object = file.value(key).toObject();
    for (const QString& member : object.keys()) {
        if (kNotTypeChecked.count(member) == 0)
            object.insert(member, QJsonArray{});
    }
    file.insert(key, object);
    expectRefused(file, QString::fromLatin1(m.enabledMessage), m.key);
}

INSTANTIATE_TEST_SUITE_P(ObjectsWithEnabled, SettingsObjectEnabled, ::testing::ValuesIn(objectsWithEnabled()),
                         [](const ::testing::TestParamInfo<ObjectMessages>& info) { return info.param.key; });

TEST(MalformedDocumentScene, TooManyObjectsIsRefusedAndTheLimitItselfLoads)
{
    QJsonObject file = validFile();
    const QJsonObject scene = file.value(QStringLiteral("potentialScene")).toObject();
    const QJsonObject model = scene.value(QStringLiteral("objects")).toArray().at(2).toObject();
    QJsonArray objects = scene.value(QStringLiteral("objects")).toArray();
    for (int id = 100; objects.size() < 512; ++id) {
        QJsonObject copy = model;
        copy.insert(QStringLiteral("id"), QString::number(id));
        objects.append(copy);
    }
    test::setPath(file, {"potentialScene", "objects"}, objects);
    ExperimentDocument loaded;
    QString error;
    ASSERT_TRUE(parseExperimentDocument(file, loaded, error)) << error.toStdString();
    EXPECT_EQ(loaded.potentialScene.size(), 512u);

    QJsonObject extra = model;
    extra.insert(QStringLiteral("id"), QStringLiteral("99"));
    objects.append(extra);
    test::setPath(file, {"potentialScene", "objects"}, objects);
    expectRefused(file, QStringLiteral("Potential scene contains too many objects (513)."), "513 objects");
}

TEST(MalformedDocumentSettings, TheParameterCheckComesBeforeTheOptionalMembers)
{
    QJsonObject file = validFile();
    test::setPath(file, {"linearSweep", "parameter"}, 9);
    test::setPath(file, {"linearSweep", "holdDuration"}, QStringLiteral("2"));
    expectRefused(file, QStringLiteral("Experiment linearSweep has an unsupported parameter."), "both faults");
}

TEST(MalformedDocumentSettings, AFailingLaterObjectPublishesNothingReadBeforeIt)
{
    // Every other object is valid and read into the scratch document before
    // the last one fails.
    QJsonObject file = validFile();
    test::setPath(file, {"quantumKleinTunneling", "momentumX"}, -1.5);
    expectRefused(file, QStringLiteral("Klein Tunneling: \"Momentum px\" is -1.5; the allowed range is 0.05 to 8."),
                  "last object");
}

} // namespace
} // namespace vxo

namespace vxo {
namespace {

// A count its box shows is rounded to a whole number as the box rounds it,
// and kept for Load's note where that is more than noise; an index (a
// combo's entry, a sign) is taken within single precision of a whole number.
TEST(DocumentCounts, ACountIsRoundedAndNotedAnIndexTakenWithinSinglePrecision)
{
    const struct {
        QStringList path;
        double value;
        double read; // what the record holds
        bool noted;
    } cases[] = {
        {{"ramseyEnsemble", "memberCount"}, 41.5, 42, true},
        {{"ramseyEnsemble", "memberCount"}, 41.49, 41, true},
        {{"ramseyEnsemble", "memberCount"}, 0.41 * 100, 41, false},
        {{"quantumKapitzaDirac", "maximumOrder"}, 2.5, 3, true},
        {{"quantumLandau", "landauIndex"}, 3.000001, 3, true},
        {{"quantumLandau", "preparationMode"}, 1.0000001, 1, false},
        {{"quantumBerry", "winding"}, -1.0000000000000002, -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.join('.').toStdString() + " " + std::to_string(c.value));
        QJsonObject file = validFile();
        test::setPath(file, c.path, c.value);
        ExperimentDocument document;
        QString error;
        ASSERT_TRUE(parseExperimentDocument(file, document, error)) << error.toStdString();
        const QJsonObject written = experimentDocumentToJson(document);
        EXPECT_EQ(written.value(c.path[0]).toObject().value(c.path[1]).toDouble(), c.read);
        ASSERT_EQ(document.roundedCounts.size(), c.noted ? 1u : 0u);
        if (c.noted) {
            EXPECT_EQ(document.roundedCounts[0].object, c.path[0]);
            EXPECT_EQ(document.roundedCounts[0].field, c.path[1]);
            EXPECT_EQ(document.roundedCounts[0].fileValue, c.value);
            EXPECT_EQ(document.roundedCounts[0].used, c.read);
        }
    }
}

} // namespace
} // namespace vxo

namespace vxo {
namespace {

// What the range table says of a value: noise is relative to the value (a
// float's 12.3 is 12.3), and a position beyond the universe names the
// universe's extent along its own axis.
TEST(DocumentRanges, NoiseIsRelativeAndAPositionNamesItsOwnAxis)
{
    EXPECT_TRUE(isRoundingNoise(static_cast<double>(12.3f), 12.3));
    EXPECT_FALSE(isRoundingNoise(12.3 + 2e-6, 12.3));
    EXPECT_TRUE(isRoundingNoise(0.1 * 3, 0.3));
    // An index is taken within one step of single precision, relative to it.
    const struct {
        double value, whole;
        bool taken;
    } indices[] = {{1.0000001, 1, true}, {1.0000002, 1, false}, {-1.0000000000000002, -1, true},
                   {3.0000003, 3, true}, {3.0000005, 3, false}, {0.0000001, 0, true},
                   {0.0000002, 0, false}};
    for (const auto& index : indices)
        EXPECT_EQ(isWholeIndex(index.value, index.whole), index.taken) << index.value;
    // The step itself is taken, a hair past it is not.
    const double step = std::numeric_limits<float>::epsilon();
    EXPECT_TRUE(isWholeIndex(1.0 + step, 1.0));
    EXPECT_TRUE(isWholeIndex(step, 0.0));
    EXPECT_FALSE(isWholeIndex(1.005 * step, 0.0));
    const UniverseExtent universe{20.48, 16.0};
    const struct {
        const char* field;
        const char* extent;
    } positions[] = {{"solenoidX", "the universe's width"}, {"solenoidY", "the universe's height"}};
    for (const auto& p : positions) {
        const SettingsRange* row = findSettingsRange("quantumAharonovBohm", p.field);
        ASSERT_NE(row, nullptr);
        EXPECT_TRUE(row->outsideFault(11.0, universe).endsWith(QLatin1String(p.extent) + QLatin1String(".")))
            << row->outsideFault(11.0, universe).toStdString();
        EXPECT_TRUE(row->outsideFault(7.0, universe).isEmpty());
    }
}

} // namespace
} // namespace vxo
