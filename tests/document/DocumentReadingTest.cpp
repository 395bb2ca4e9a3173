#include "DocumentTestSupport.h"

#include "document/ExperimentDocumentJson.h"
#include "document/JsonReading.h"
#include "document/PotentialSceneJson.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>
#include <limits>

namespace vxo {
namespace {

using test::validFile;

ExperimentDocument load(const QJsonObject& file)
{
    ExperimentDocument document;
    QString error;
    EXPECT_TRUE(parseExperimentDocument(file, document, error)) << error.toStdString();
    return document;
}

TEST(JsonReading, WholeInt32IsDecidedFromTheDouble)
{
    std::int32_t out = 99;
    EXPECT_TRUE(wholeInt32(-2147483648.0, out));
    EXPECT_EQ(out, std::numeric_limits<std::int32_t>::min());
    EXPECT_TRUE(wholeInt32(2147483647.0, out));
    EXPECT_EQ(out, std::numeric_limits<std::int32_t>::max());
    EXPECT_TRUE(wholeInt32(-0.0, out));
    EXPECT_EQ(out, 0);
    out = 99;
    for (const double v : {2147483648.0, -2147483649.0, 2147483647.5, 0.5, -1e300, 1e300,
                           std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        EXPECT_FALSE(wholeInt32(v, out)) << v;
        EXPECT_EQ(out, 99) << "untouched for " << v;
    }
}

TEST(JsonReading, IdsAreDecimalDigitsWithinSixtyFourBits)
{
    std::uint64_t id = 5;
    EXPECT_TRUE(parseDecimalId(QStringLiteral("18446744073709551615"), id));
    EXPECT_EQ(id, std::numeric_limits<std::uint64_t>::max());
    EXPECT_TRUE(parseDecimalId(QStringLiteral("007"), id));
    EXPECT_EQ(id, 7u);
    id = 5;
    for (const char* text : {"", "18446744073709551616", "99999999999999999999", "+1", "-1", " 1", "1 ", "1.0", "0x1",
                             "1e3", "\xd9\xa3" /* Arabic-Indic digit three */}) {
        EXPECT_FALSE(parseDecimalId(QString::fromUtf8(text), id)) << text;
        EXPECT_EQ(id, 5u) << text;
    }
    QJsonObject object{{"a", 12}, {"b", "x"}, {"c", "12"}};
    EXPECT_EQ(objectIdMember(object, QLatin1String("a")), 0u);
    EXPECT_EQ(objectIdMember(object, QLatin1String("b")), 0u);
    EXPECT_EQ(objectIdMember(object, QLatin1String("c")), 12u);
    EXPECT_EQ(objectIdMember(object, QLatin1String("absent")), 0u);
}

TEST(JsonReading, FiniteDoublesNarrowToSinglePrecision)
{
    const QJsonObject object{{"small", 0.1}, {"huge", 1e39}, {"text", "1"}, {"null", QJsonValue()}};
    float out = 0.0f;
    EXPECT_TRUE(readFiniteDouble(object, QLatin1String("small"), out));
    EXPECT_EQ(out, 0.1f);
    EXPECT_FALSE(readFiniteDouble(object, QLatin1String("huge"), out));
    EXPECT_FALSE(readFiniteDouble(object, QLatin1String("text"), out));
    EXPECT_FALSE(readFiniteDouble(object, QLatin1String("null"), out));
    EXPECT_FALSE(readFiniteDouble(object, QLatin1String("absent"), out));
}

TEST(DocumentReading, VersionOneFileKeepsEveryUsableControl)
{
    const QJsonObject file{{"format", "Ondrivel.Experiment2D"},
                           {"schemaVersion", 1},
                           {"name", 5},
                           {"controls", QJsonObject{{"a", QJsonValue()}, {"b", 1}, {"c", "text"}, {"d", false}}}};
    const ExperimentDocument d = load(file);
    EXPECT_TRUE(d.name.isEmpty());
    ASSERT_EQ(d.controls.size(), 3);
    EXPECT_EQ(d.controls.value(QStringLiteral("b")).userType(), QMetaType::Double);
    EXPECT_EQ(d.controls.value(QStringLiteral("b")).toDouble(), 1.0);
    EXPECT_EQ(d.controls.value(QStringLiteral("c")).toString(), QStringLiteral("text"));
    EXPECT_EQ(d.controls.value(QStringLiteral("d")).userType(), QMetaType::Bool);
    EXPECT_EQ(d.schemaVersion, 28);
}

TEST(DocumentReading, SceneEdgesThatLoad)
{
    QJsonObject file = validFile();
    test::setPath(file, {"potentialScene", "composition"}, QJsonValue(QJsonValue::Undefined));
    test::setPath(file, {"potentialScene", "objects", "1", "sigmaX"}, QJsonValue(QJsonValue::Undefined));
    test::setPath(file, {"potentialScene", "objects", "1", "id"}, "0018446744073709551615");
    test::setPath(file, {"linearSweep", "targetObjectId"}, "18446744073709551615");
    test::setPath(file, {"ramseySequence", "targetObjectId"}, "18446744073709551615");
    ExperimentDocument d = load(file);
    ASSERT_EQ(d.potentialScene.size(), 3u);
    EXPECT_EQ(d.potentialScene.objects()[1].sigmaX, 1.0f);
    EXPECT_EQ(d.potentialScene.objects()[1].id, std::numeric_limits<std::uint64_t>::max());
    EXPECT_TRUE(d.potentialSceneActive);

    test::setPath(file, {"potentialScene", "composition"}, "");
    test::setPath(file, {"potentialScene", "objects"}, QJsonArray{});
    for (const char* member : {"quantumQuench", "periodicDrive", "linearSweep", "ramseySequence", "quantumBerry"})
        test::setPath(file, {member, "enabled"}, false);
    d = load(file);
    EXPECT_TRUE(d.potentialScene.empty());
    EXPECT_FALSE(d.potentialSceneActive) << "an empty scene is never active";
}

TEST(DocumentReading, PreparationAndResolutionLimitsThatLoad)
{
    QJsonObject file = validFile();
    test::setPath(file, {"initialPreparation", "stateA"}, 31);
    test::setPath(file, {"initialPreparation", "stateB"}, 0);
    test::setPath(file, {"measurementCollapse", "resolution"}, 20);
    const ExperimentDocument d = load(file);
    EXPECT_EQ(d.initialPreparation.stateA, 31);
    EXPECT_EQ(d.initialPreparation.stateB, 0);
    EXPECT_EQ(d.measurementCollapseResolution, 20.0);
}

TEST(DocumentReading, DisabledDrivesAreNotHeldToTheScene)
{
    QJsonObject file = validFile();
    for (const char* member : {"quantumQuench", "periodicDrive", "linearSweep", "ramseySequence"}) {
        test::setPath(file, {member, "enabled"}, false);
        test::setPath(file, {member, "targetObjectId"}, 5);
    }
    // The first and the last object parameter both load.
    test::setPath(file, {"quantumQuench", "parameter"}, SceneParameterValue);
    test::setPath(file, {"linearSweep", "parameter"}, SceneParameterSlopeY);
    const ExperimentDocument d = load(file);
    EXPECT_EQ(d.quantumQuench.targetObjectId, 0u);
    EXPECT_FALSE(d.periodicDrive.enabled);
    EXPECT_EQ(d.ramseySequence.parameter, SceneParameterSlopeX);
    EXPECT_EQ(d.quantumQuench.parameter, SceneParameterValue);
    EXPECT_EQ(d.linearSweep.parameter, SceneParameterSlopeY);
}

TEST(DocumentReading, LinearSweepOptionalMembersKeepTheirDefaultsWhenAbsent)
{
    QJsonObject file = validFile();
    for (const char* member : {"returnEnabled", "holdDuration", "returnDuration"})
        test::setPath(file, {"linearSweep", member}, QJsonValue(QJsonValue::Undefined));
    const ExperimentDocument d = load(file);
    EXPECT_FALSE(d.linearSweep.returnEnabled);
    EXPECT_EQ(d.linearSweep.holdDuration, 0.0);
    EXPECT_EQ(d.linearSweep.returnDuration, 4.0);
    EXPECT_EQ(d.linearSweep.duration, 30.0);
}

TEST(DocumentReading, RamseyEchoMembersAreReadLeniently)
{
    QJsonObject file = validFile();
    test::setPath(file, {"ramseySequence", "echoEnabled"}, "yes");
    test::setPath(file, {"ramseySequence", "echoPulseDuration"}, QJsonValue());
    test::setPath(file, {"ramseySequence", "echoPulsePhaseDegrees"}, QJsonValue(QJsonValue::Undefined));
    ExperimentDocument d = load(file);
    EXPECT_FALSE(d.ramseySequence.echoEnabled);
    EXPECT_EQ(d.ramseySequence.echoPulseDuration, 28.7);
    EXPECT_EQ(d.ramseySequence.echoPulsePhaseDegrees, 0.0);

    test::setPath(file, {"ramseySequence", "echoEnabled"}, true);
    test::setPath(file, {"ramseySequence", "echoPulseDuration"}, 30.0);
    d = load(file);
    EXPECT_TRUE(d.ramseySequence.echoEnabled);
    EXPECT_EQ(d.ramseySequence.echoPulseDuration, 30.0);
}

// A count no control shows reads as its stand-in; a count a box shows must
// be one it can show, and is named by the file's own number.
TEST(DocumentReading, IntegersThatAreNotWholeReadAsTheirStandInOrAreNamedAsWritten)
{
    QJsonObject file = validFile();
    test::setPath(file, {"kickedRotorInitialState", "initialMomentumMode"}, 0.5);
    EXPECT_EQ(load(file).kickedRotorInitialState.initialMomentumMode, 0);

    test::setPath(file, {"quantumLandau", "landauIndex"}, 1e12);
    ExperimentDocument d;
    QString error;
    EXPECT_FALSE(parseExperimentDocument(file, d, error));
    EXPECT_EQ(error.toStdString(), "Landau: \"Landau index n\" is 1000000000000; the allowed range is 0 to 8.");
}

// A number that differs from what its box shows only by rounding noise is
// that number: a script's count (0.29 * 100) is the whole number, and noise
// just past either end of a range is inside it. The reader keeps a number
// as the file gives it otherwise: the window rounds it to its box.
TEST(DocumentReading, RoundingNoiseIsNoReasonToRefuseANumber)
{
    QJsonObject file = validFile();
    test::setPath(file, {"ramseyEnsemble", "memberCount"}, 0.29 * 100);
    test::setPath(file, {"quantumKapitzaDirac", "maximumOrder"}, std::nextafter(12.0, 13.0));
    test::setPath(file, {"quantumZeno", "measurementPeriod"}, std::nextafter(0.04, 0.0));
    test::setPath(file, {"quantumHallEdge", "edgeY"}, std::nextafter(8.0, 9.0));
    const ExperimentDocument d = load(file);
    EXPECT_EQ(d.ramseyEnsemble.memberCount, 29);
    EXPECT_EQ(d.quantumKapitzaDirac.maximumOrder, 12);
    EXPECT_EQ(d.quantumZeno.measurementPeriod, std::nextafter(0.04, 0.0));
    EXPECT_EQ(d.quantumHallEdge.edgeY, std::nextafter(8.0, 9.0));
}

TEST(DocumentReading, SceneChecksOfBerryAndMoshinskyRunOnlyWhenEnabled)
{
    // The Moshinsky scene has three enabled objects, no lone harmonic trap.
    QJsonObject file = experimentDocumentToJson(test::nonDefaultDocument(false));
    test::setPath(file, {"quantumMoshinsky", "enabled"}, false);
    test::setPath(file, {"quantumMoshinsky", "shutterObjectId"}, "4242");
    const ExperimentDocument off = load(file);
    EXPECT_EQ(off.quantumMoshinsky.shutterObjectId, 4242u);
    EXPECT_TRUE(off.switchedOff.empty());

    test::setPath(file, {"quantumBerry", "enabled"}, true);
    const ExperimentDocument on = load(file);
    EXPECT_FALSE(on.quantumBerry.enabled);
    ASSERT_EQ(on.switchedOff.size(), 1u);
    EXPECT_EQ(on.switchedOff.front().record, QStringLiteral("quantumBerry"));
}

// A record that cannot act on its scene (its target missing, of another
// kind, without the parameter it varies, or no trap for the loop) costs the
// file nothing but itself: it is read switched off, with a note naming the
// record as the window names it, the object and what it lacks; its other
// values and the records beside it stay as the file has them.
TEST(DocumentReading, ARecordThatCannotActOnItsSceneIsReadSwitchedOffWithANote)
{
    struct Change {
        const char* member;
        const char* key;
        QJsonValue value;
    };
    struct Case {
        const char* record;
        const char* title;
        std::vector<Change> changes;
        const char* named; // what the note says
        bool shutterScene; // the scene of the enabled shutter (else the Berry trap's)
    };
    const QJsonValue slopeX = SceneParameterSlopeX;
    const QJsonValue slopeY = SceneParameterSlopeY;
    const QJsonValue curvatureX = SceneParameterCurvatureX;
    const std::vector<Case> cases = {
        {"quantumQuench", "Quench", {{"quantumQuench", "targetObjectId", "999"}}, "object #999, is not in", false},
        {"quantumQuench",
         "Quench",
         {{"quantumQuench", "targetObjectId", "9"}},
         "object #9, has no \"Harmonic kX + kY\"",
         true},
        {"periodicDrive",
         "Periodic drive",
         {{"periodicDrive", "targetObjectId", "77"}},
         "object #77, is not in",
         false},
        {"periodicDrive",
         "Periodic drive",
         {{"periodicDrive", "targetObjectId", "12"}, {"periodicDrive", "parameter", curvatureX}},
         "object #12, has no \"Harmonic kX\"",
         true},
        // The last parameter is named as well as the first.
        {"periodicDrive",
         "Periodic drive",
         {{"periodicDrive", "targetObjectId", "12"}, {"periodicDrive", "parameter", slopeY}},
         "object #12, has no \"Linear slope Y\"",
         true},
        {"linearSweep", "Linear sweep", {{"linearSweep", "targetObjectId", "5"}}, "object #5, is not in", true},
        {"linearSweep",
         "Linear sweep",
         {{"linearSweep", "targetObjectId", "3"}},
         "object #3, has no \"Linear slope X\"",
         true},
        // A number where the id's string belongs names no object.
        {"ramseySequence", "Ramsey", {{"ramseySequence", "targetObjectId", 9}}, "no target object", true},
        {"ramseySequence",
         "Ramsey",
         {{"ramseySequence", "targetObjectId", "3"}, {"ramseySequence", "parameter", slopeX}},
         "object #3, has no \"Linear slope X\"",
         true},
        {"quantumMoshinsky",
         "Diffraction in Time",
         {{"quantumMoshinsky", "shutterObjectId", "4242"}},
         "object #4242, is not in",
         true},
        {"quantumMoshinsky",
         "Diffraction in Time",
         {{"quantumMoshinsky", "shutterObjectId", "3"}},
         "object #3: Moshinsky shutter must be a vertical Barrier or Rectangle",
         true},
        // The Berry scene holds the shutter's wall switched off.
        {"quantumMoshinsky",
         "Diffraction in Time",
         {{"quantumMoshinsky", "enabled", true}},
         "its target, object #12, is switched off",
         false},
        {"quantumBerry",
         "Berry Phase",
         {{"quantumBerry", "enabled", true}},
         "object #9: Berry Phase expects one isolated isotropic Harmonic trap",
         true},
        // A target switched off, or the whole scene, leaves nothing to act on.
        {"periodicDrive",
         "Periodic drive",
         {{"periodicDrive", "targetObjectId", "9"}},
         "its target, object #9, is switched off",
         false},
        // The trap's curvature is 0.5: the loop's anisotropy must stay below 0.25.
        {"quantumBerry",
         "Berry Phase",
         {{"quantumBerry", "anisotropy", 0.3}},
         "object #3: Berry anisotropy is too large",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.named);
        const ExperimentDocument whole = test::nonDefaultDocument(!c.shutterScene);
        QJsonObject file = experimentDocumentToJson(whole);
        for (const Change& change : c.changes)
            test::setPath(file, {change.member, change.key}, change.value);
        const ExperimentDocument d = load(file);
        EXPECT_FALSE(experimentDocumentToJson(d).value(QLatin1String(c.record)).toObject().value("enabled").toBool());
        ASSERT_EQ(d.switchedOff.size(), 1u);
        EXPECT_EQ(d.switchedOff.front().record.toStdString(), c.record);
        EXPECT_EQ(d.switchedOff.front().title.toStdString(), c.title);
        EXPECT_TRUE(d.switchedOff.front().reason.contains(QString::fromUtf8(c.named)))
            << d.switchedOff.front().reason.toStdString();
        EXPECT_EQ(d.potentialScene.size(), whole.potentialScene.size());
        EXPECT_EQ(d.quantumKleinTunneling.enabled, whole.quantumKleinTunneling.enabled);
        // Written back as it now stands, it reads without a note.
        EXPECT_TRUE(load(experimentDocumentToJson(d)).switchedOff.empty());
    }
    // With the scene off every protocol on it is off, each with its note.
    QJsonObject file = experimentDocumentToJson(test::nonDefaultDocument(false));
    test::setPath(file, {"potentialScene", "active"}, false);
    const ExperimentDocument d = load(file);
    QStringList noted;
    for (const ExperimentDocument::SwitchedOffRecord& off : d.switchedOff) {
        noted << off.record;
        EXPECT_EQ(off.reason.toStdString(), "the Potential Scene is off");
    }
    EXPECT_EQ(noted.join(QLatin1Char(' ')).toStdString(),
              "quantumQuench periodicDrive linearSweep ramseySequence quantumMoshinsky");
    EXPECT_TRUE(load(experimentDocumentToJson(d)).switchedOff.empty());
}

TEST(DocumentReading, AVersion12FileIgnoresTheLaterInitialStates)
{
    QJsonObject file = validFile();
    file.insert(QStringLiteral("schemaVersion"), 12);
    const ExperimentDocument d = load(file);
    EXPECT_EQ(d.talbotInitialState.period, 5.12);
    EXPECT_EQ(d.vortexInitialState.charge, 1);
    EXPECT_EQ(d.andersonInitialState.sigma, 0.35);
    EXPECT_EQ(d.ramseyEnsemble.memberCount, 21);
}

TEST(DocumentReading, ErrorIsEmptiedOnSuccess)
{
    ExperimentDocument d;
    QString error = QStringLiteral("stale");
    ASSERT_TRUE(parseExperimentDocument(validFile(), d, error));
    EXPECT_TRUE(error.isEmpty());
}

// Texts a file names in its messages are bounded: a composition or a type of
// millions of characters gives a message a message box can show.
TEST(DocumentReading, MessagesQuoteLongTextsInPart)
{
    const QString huge = QStringLiteral("mixed") + QString(4 * 1024 * 1024, QLatin1Char('z')) + QStringLiteral("end");
    struct Case {
        QStringList path;
        const char* start;
        const char* end;
    };
    const Case cases[] = {
        {{"potentialScene", "composition"}, "Unsupported potential scene composition 'mixedzzz", "zzzend'."},
        {{"initialPreparation", "type"}, "Experiment initialPreparation has unknown type 'mixedzzz", "zzzend'."},
    };
    for (const Case& c : cases) {
        QJsonObject file = validFile();
        test::setPath(file, c.path, huge);
        ExperimentDocument d;
        QString error;
        EXPECT_FALSE(parseExperimentDocument(file, d, error));
        EXPECT_LT(error.size(), 400) << c.start;
        EXPECT_TRUE(error.startsWith(QLatin1String(c.start))) << error.left(80).toStdString();
        EXPECT_TRUE(error.endsWith(QLatin1String(c.end))) << error.right(80).toStdString();
    }
}

} // namespace
} // namespace vxo
