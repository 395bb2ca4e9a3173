// The experiment settings records against the form's controls: which control
// carries which field, that a record survives the trip through the form, the
// rules that gate the enabled flags, and which experiments an enabled record
// switches off. One bare form serves the whole suite.

#include "BareFormSuite.h"

#include "app/form/ExperimentSettingsForm.h"
#include "document/ExperimentDocumentJson.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace vxo {
namespace {

// Scene objects listed by the target combos: the drive records may target
// either, the shutter only the barrier.
constexpr std::uint64_t kBarrierId = 4;
constexpr std::uint64_t kHarmonicId = 9;

// Every record a writer exists for, at values that differ from the record's
// defaults and from the form's initial values, lie inside the controls'
// ranges and on their decimals, and differ from each other within a record.
ExperimentSettingsRecords nonDefaultRecords()
{
    ExperimentSettingsRecords r;
    r.quantumQuench = {true, kHarmonicId, 3, 12.5, -2.75, 3.125};
    r.periodicDrive = {true, kHarmonicId, 6, 0.125, 1.5, 2.25, -45.5};
    r.linearSweep = {true, kHarmonicId, 7, 0.6, -0.8, 1.25, 30.5, true, 2.5, 6.75};
    r.ramseySequence = {true, kBarrierId, 2, 0.05, 0.2, 0.412345, 10.5, -20.5, 1.5, 12.25, 7.75, true, 24.5, 180.5};
    r.ramseyEnsemble = {true, 0.125, 61};
    r.kickedRotor = {true, 0.7, 1.75, 8.5};
    r.quantumZeno = {true, 0.9, 0.26, 0.3, 0.5, 0.45};
    r.quantumScar = {true, 1.25, 12.75};
    r.quantumBerry = {true, 0.425, 3.5, 180.5, -1};
    r.quantumLoschmidt = {true, 6.125, 0.25, -0.5};
    r.quantumMoshinsky = {true, kBarrierId, 0.75, -2.5, 9.25};
    r.quantumKapitzaDirac = {true, 3.5, -12.5, 30.5, 0.25, 0.5, 6.5, 7};
    r.quantumAharonovBohm = {true, 1.5, -2.25, 0.75, -1.25, 90.5, 5.5, 7.25};
    r.quantumLandau = {true, -0.75, 1, 3, 4.25, 20.5};
    r.quantumHallEdge = {true, 0.65, -6.5, 80.5, -3.25, 3.75, 0.85, 5.5, 9.5};
    r.quantumBackflow = {true, 1.25, 0.45, 1.6, 0.25, 0.6, 170.5, -2.5, 3.25, 5.5};
    r.quantumZitterbewegung = {true, 1.5, 0.75, -4.5, 1.25, 2.75, 0.85, -0.35, 1, 14.5};
    r.quantumKleinTunneling = {true, 1.25, 0.1, -8.5, 0.75, 2.25, 1.75, 0.45, 1.5, 2.5, 4.25, 7.5, 20.5};
    return r;
}

// A record as its document writer sees it: every field under its own key.
QJsonObject recordJson(const ExperimentSettingsRecords& records, const char* name)
{
    ExperimentDocument document;
    static_cast<ExperimentSettingsRecords&>(document) = records;
    return experimentDocumentToJson(document).value(QLatin1String(name)).toObject();
}

std::string text(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

// One writer: its record's member (and document key), the form's controls by
// record key, the keys the form has no control for, and the round trip
// through the form (write `from`, read over `into`).
struct RecordRow {
    const char* name;
    std::vector<std::pair<const char*, const char*>> controls;
    std::set<QString> storedOnly;
    void (*writeThenRead)(const Ui_MainWindow& form, const ExperimentSettingsRecords& from,
                          ExperimentSettingsRecords& into);
};

#define VXO_TRIP(member)                                                                                               \
    [](const Ui_MainWindow& form, const ExperimentSettingsRecords& from, ExperimentSettingsRecords& into) {            \
        writeSettingsIntoForm(form, from.member);                                                                      \
        into.member = readSettingsFromForm(form, into.member);                                                         \
    }

const std::vector<RecordRow>& recordRows()
{
    static const std::vector<RecordRow> rows = {
        {"quantumQuench",
         {{"enabled", "quenchEnabledCheckBox"},
          {"targetObjectId", "quenchTargetComboBox"},
          {"parameter", "quenchParameterComboBox"},
          {"time", "quenchTimeSpinBox"},
          {"before", "quenchBeforeSpinBox"},
          {"after", "quenchAfterSpinBox"}},
         {},
         VXO_TRIP(quantumQuench)},
        {"periodicDrive",
         {{"enabled", "periodicDriveEnabledCheckBox"},
          {"targetObjectId", "periodicDriveTargetComboBox"},
          {"parameter", "periodicDriveParameterComboBox"},
          {"mean", "periodicDriveMeanSpinBox"},
          {"amplitude", "periodicDriveAmplitudeSpinBox"},
          {"angularFrequency", "periodicDriveOmegaSpinBox"},
          {"phaseDegrees", "periodicDrivePhaseSpinBox"}},
         {},
         VXO_TRIP(periodicDrive)},
        {"linearSweep",
         {{"enabled", "linearSweepEnabledCheckBox"},
          {"targetObjectId", "linearSweepTargetComboBox"},
          {"parameter", "linearSweepParameterComboBox"},
          {"startValue", "linearSweepStartValueSpinBox"},
          {"endValue", "linearSweepEndValueSpinBox"},
          {"startTime", "linearSweepStartTimeSpinBox"},
          {"duration", "linearSweepDurationSpinBox"},
          {"returnEnabled", "linearSweepReturnCheckBox"},
          {"holdDuration", "linearSweepHoldDurationSpinBox"},
          {"returnDuration", "linearSweepReturnDurationSpinBox"}},
         {},
         VXO_TRIP(linearSweep)},
        {"ramseySequence",
         {{"enabled", "ramseyEnabledCheckBox"},
          {"targetObjectId", "ramseyTargetComboBox"},
          {"parameter", "ramseyParameterComboBox"},
          {"mean", "ramseyMeanSpinBox"},
          {"amplitude", "ramseyAmplitudeSpinBox"},
          {"angularFrequency", "ramseyOmegaSpinBox"},
          {"firstPhaseDegrees", "ramseyFirstPhaseSpinBox"},
          {"secondPhaseDegrees", "ramseySecondPhaseSpinBox"},
          {"startTime", "ramseyStartTimeSpinBox"},
          {"pulseDuration", "ramseyPulseDurationSpinBox"},
          {"freeEvolutionDuration", "ramseyFreeDurationSpinBox"},
          {"echoEnabled", "ramseyEchoEnabledCheckBox"},
          {"echoPulseDuration", "ramseyEchoDurationSpinBox"},
          {"echoPulsePhaseDegrees", "ramseyEchoPhaseSpinBox"}},
         {},
         VXO_TRIP(ramseySequence)},
        {"ramseyEnsemble",
         {{"enabled", "ramseyEnsembleEnabledCheckBox"},
          {"detuningStdDev", "ramseyEnsembleSigmaSpinBox"},
          {"memberCount", "ramseyEnsembleMembersSpinBox"}},
         {},
         VXO_TRIP(ramseyEnsemble)},
        {"kickedRotor",
         {{"kickPeriod", "kickedRotorPeriodSpinBox"}, {"phaseStrength", "kickedRotorStrengthSpinBox"}},
         {"enabled", "firstKickTime"},
         VXO_TRIP(kickedRotor)},
        {"quantumZeno",
         {{"measurementPeriod", "zenoMeasurementPeriodSpinBox"}},
         {"enabled", "firstMeasurementTime", "laneSplitY", "survivalBoundaryX", "edgeWidth"},
         VXO_TRIP(quantumZeno)},
        {"quantumScar",
         {{"orbitBandHalfWidth", "scarBandSpinBox"}, {"referenceEnergy", "scarEnergySpinBox"}},
         {"enabled"},
         VXO_TRIP(quantumScar)},
        {"quantumBerry",
         {{"enabled", "berryEnabledCheckBox"},
          {"anisotropy", "berryAnisotropySpinBox"},
          {"startTime", "berryStartTimeSpinBox"},
          {"duration", "berryDurationSpinBox"},
          {"winding", "berryWindingComboBox"}},
         {},
         VXO_TRIP(quantumBerry)},
        {"quantumLoschmidt",
         {{"enabled", "loschmidtEnabledCheckBox"},
          {"reversalTime", "loschmidtTimeSpinBox"},
          {"momentumErrorX", "loschmidtMomentumErrorXSpinBox"},
          {"momentumErrorY", "loschmidtMomentumErrorYSpinBox"}},
         {},
         VXO_TRIP(quantumLoschmidt)},
        {"quantumMoshinsky",
         {{"enabled", "moshinskyEnabledCheckBox"},
          {"shutterObjectId", "moshinskyTargetComboBox"},
          {"openTime", "moshinskyOpenTimeSpinBox"},
          {"detectorX", "moshinskyDetectorXSpinBox"},
          {"analysisEndTime", "moshinskyAnalysisEndTimeSpinBox"}},
         {},
         VXO_TRIP(quantumMoshinsky)},
        {"quantumKapitzaDirac",
         {{"enabled", "kapitzaDiracEnabledCheckBox"},
          {"latticePeriod", "kapitzaDiracPeriodSpinBox"},
          {"latticeDepth", "kapitzaDiracDepthSpinBox"},
          {"latticePhaseDegrees", "kapitzaDiracPhaseSpinBox"},
          {"pulseStartTime", "kapitzaDiracStartSpinBox"},
          {"pulseDuration", "kapitzaDiracDurationSpinBox"},
          {"analysisEndTime", "kapitzaDiracAnalysisEndSpinBox"},
          {"maximumOrder", "kapitzaDiracOrderSpinBox"}},
         {},
         VXO_TRIP(quantumKapitzaDirac)},
        {"quantumAharonovBohm",
         {{"enabled", "aharonovBohmEnabledCheckBox"},
          {"solenoidX", "aharonovBohmCenterXSpinBox"},
          {"solenoidY", "aharonovBohmCenterYSpinBox"},
          {"solenoidRadius", "aharonovBohmRadiusSpinBox"},
          {"fluxQuanta", "aharonovBohmFluxSpinBox"},
          {"barrierHeight", "aharonovBohmBarrierSpinBox"},
          {"detectorX", "aharonovBohmDetectorXSpinBox"},
          {"analysisEndTime", "aharonovBohmAnalysisEndSpinBox"}},
         {},
         VXO_TRIP(quantumAharonovBohm)},
        {"quantumLandau",
         {{"enabled", "landauEnabledCheckBox"},
          {"fieldStrength", "landauFieldSpinBox"},
          {"preparationMode", "landauPreparationComboBox"},
          {"landauIndex", "landauIndexSpinBox"},
          {"orbitRadius", "landauOrbitRadiusSpinBox"},
          {"analysisEndTime", "landauAnalysisEndSpinBox"}},
         {},
         VXO_TRIP(quantumLandau)},
        {"quantumHallEdge",
         {{"enabled", "hallEdgeEnabledCheckBox"},
          {"fieldStrength", "hallEdgeFieldSpinBox"},
          {"edgeY", "hallEdgeYSpinBox"},
          {"wallHeight", "hallEdgeWallSpinBox"},
          {"launchY", "hallEdgeLaunchYSpinBox"},
          {"orbitRadius", "hallEdgeRadiusSpinBox"},
          {"packetSigma", "hallEdgeSigmaSpinBox"},
          {"edgeBand", "hallEdgeBandSpinBox"},
          {"analysisEndTime", "hallEdgeAnalysisEndSpinBox"}},
         {},
         VXO_TRIP(quantumHallEdge)},
        {"quantumBackflow",
         {{"enabled", "backflowEnabledCheckBox"},
          {"detectorX", "backflowDetectorSpinBox"},
          {"slowWaveNumber", "backflowSlowKSpinBox"},
          {"fastWaveNumber", "backflowFastKSpinBox"},
          {"momentumSigma", "backflowKSigmaSpinBox"},
          {"fastAmplitudeRatio", "backflowRatioSpinBox"},
          {"relativePhaseDegrees", "backflowPhaseSpinBox"},
          {"initialCenterX", "backflowCenterXSpinBox"},
          {"transverseSigma", "backflowTransverseSigmaSpinBox"},
          {"analysisEndTime", "backflowAnalysisEndSpinBox"}},
         {},
         VXO_TRIP(quantumBackflow)},
        {"quantumZitterbewegung",
         {{"enabled", "zitterEnabledCheckBox"},
          {"lightSpeed", "zitterLightSpeedSpinBox"},
          {"restMass", "zitterMassSpinBox"},
          {"centerX", "zitterCenterXSpinBox"},
          {"centerY", "zitterCenterYSpinBox"},
          {"sigma", "zitterSigmaSpinBox"},
          {"momentumX", "zitterMomentumXSpinBox"},
          {"momentumY", "zitterMomentumYSpinBox"},
          {"preparationMode", "zitterPreparationComboBox"},
          {"analysisEndTime", "zitterAnalysisEndSpinBox"}},
         {},
         VXO_TRIP(quantumZitterbewegung)},
        {"quantumKleinTunneling",
         {{"enabled", "kleinEnabledCheckBox"},
          {"lightSpeed", "kleinLightSpeedSpinBox"},
          {"restMass", "kleinMassSpinBox"},
          {"centerX", "kleinCenterXSpinBox"},
          {"sigma", "kleinSigmaSpinBox"},
          {"momentumX", "kleinPxSpinBox"},
          {"momentumY", "kleinPySpinBox"},
          {"barrierCenterX", "kleinBarrierCenterSpinBox"},
          {"barrierWidth", "kleinBarrierWidthSpinBox"},
          {"barrierHeight", "kleinBarrierHeightSpinBox"},
          {"detectorX", "kleinDetectorXSpinBox"},
          {"analysisEndTime", "kleinAnalysisEndSpinBox"}},
         {"centerY"},
         VXO_TRIP(quantumKleinTunneling)},
    };
    return rows;
}

#undef VXO_TRIP

class ExperimentSettingsFormTest : public test::BareFormSuite {
protected:
    // A scene switched on whose objects the target combos list, as the
    // scene-list refresh leaves them.
    void SetUp() override
    {
        for (QComboBox* combo : {form->quenchTargetComboBox, form->periodicDriveTargetComboBox,
                                 form->linearSweepTargetComboBox, form->ramseyTargetComboBox}) {
            combo->clear();
            combo->addItem(QStringLiteral("#4 Barrier"), QVariant::fromValue<qulonglong>(kBarrierId));
            combo->addItem(QStringLiteral("#9 Harmonic"), QVariant::fromValue<qulonglong>(kHarmonicId));
        }
        form->moshinskyTargetComboBox->clear();
        form->moshinskyTargetComboBox->addItem(QStringLiteral("#4 Barrier"),
                                               QVariant::fromValue<qulonglong>(kBarrierId));
        form->potentialSceneActiveCheckBox->setChecked(true);
    }

    template <typename T>
    static T* control(const char* name)
    {
        auto* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name << " is missing";
        return found;
    }

    // What a control shows, in the units of its record field.
    static double shown(const char* name)
    {
        QObject* object = window->findChild<QObject*>(QLatin1String(name));
        if (auto* box = qobject_cast<QDoubleSpinBox*>(object))
            return box->value();
        if (auto* box = qobject_cast<QSpinBox*>(object))
            return box->value();
        if (auto* box = qobject_cast<QCheckBox*>(object))
            return box->isChecked() ? 1.0 : 0.0;
        if (auto* combo = qobject_cast<QComboBox*>(object)) {
            if (QString::fromLatin1(name).contains(QLatin1String("Target")))
                return static_cast<double>(combo->currentData().toULongLong());
            if (combo == form->berryWindingComboBox)
                return combo->currentIndex() == 1 ? -1.0 : 1.0;
            return combo->currentIndex();
        }
        ADD_FAILURE() << name << " is not a settings control";
        return 0.0;
    }

    static double jsonValue(const QJsonValue& value)
    {
        if (value.isBool())
            return value.toBool() ? 1.0 : 0.0;
        if (value.isString()) // object ids are written as decimal strings
            return static_cast<double>(value.toString().toULongLong());
        return value.toDouble();
    }
};

TEST_F(ExperimentSettingsFormTest, EachFieldLandsInItsOwnControlAndFieldsWithoutOneComeFromTheBase)
{
    const ExperimentSettingsRecords written = nonDefaultRecords();
    const ExperimentSettingsRecords defaults;
    for (const RecordRow& row : recordRows()) {
        SetUp();
        ExperimentSettingsRecords read = defaults;
        row.writeThenRead(*form, written, read);
        const QJsonObject expected = recordJson(written, row.name);
        for (const auto& [key, name] : row.controls)
            EXPECT_EQ(shown(name), jsonValue(expected.value(QLatin1String(key))))
                << row.name << "." << key << " shown by " << name;

        // Read over a default record, exactly the fields without a control
        // keep the default.
        const QJsonObject got = recordJson(read, row.name);
        const QJsonObject base = recordJson(defaults, row.name);
        for (auto it = expected.begin(); it != expected.end(); ++it) {
            const bool storedOnly = row.storedOnly.count(it.key()) != 0;
            EXPECT_EQ(got.value(it.key()), storedOnly ? base.value(it.key()) : it.value())
                << row.name << "." << it.key().toStdString() << (storedOnly ? " has no control" : " has one");
        }
    }
}

TEST_F(ExperimentSettingsFormTest, EveryRecordSurvivesTheTripThroughTheFormTwice)
{
    const ExperimentSettingsRecords records = nonDefaultRecords();
    for (const RecordRow& row : recordRows()) {
        SetUp();
        ExperimentSettingsRecords first = records;
        row.writeThenRead(*form, records, first);
        ExperimentSettingsRecords second = first;
        row.writeThenRead(*form, first, second);
        EXPECT_EQ(recordJson(first, row.name), recordJson(records, row.name))
            << row.name << " read back as " << text(recordJson(first, row.name)) << "\nwritten "
            << text(recordJson(records, row.name));
        EXPECT_EQ(recordJson(second, row.name), recordJson(first, row.name))
            << row.name << " changed on its second trip: " << text(recordJson(second, row.name));
    }
}

TEST_F(ExperimentSettingsFormTest, DriveAndBerryRecordsNeedTheSceneAndDriveRecordsATarget)
{
    const ExperimentSettingsRecords records = nonDefaultRecords();
    // In this order no enabled record switches off another.
    writeSettingsIntoForm(*form, records.quantumMoshinsky);
    writeSettingsIntoForm(*form, records.quantumBerry);
    writeSettingsIntoForm(*form, records.quantumQuench);

    form->potentialSceneActiveCheckBox->setChecked(false);
    const QuantumQuench quench = readSettingsFromForm(*form, QuantumQuench{});
    EXPECT_FALSE(quench.enabled) << "a drive record runs only on a switched-on scene";
    EXPECT_EQ(quench.targetObjectId, kHarmonicId) << "the other fields still come from the controls";
    EXPECT_EQ(quench.time, 12.5);
    EXPECT_FALSE(readSettingsFromForm(*form, BerryConfig{}).enabled) << "Berry needs the scene";
    EXPECT_TRUE(readSettingsFromForm(*form, MoshinskyConfig{}).enabled) << "the shutter box decides alone";

    form->potentialSceneActiveCheckBox->setChecked(true);
    form->quenchTargetComboBox->clear();
    form->moshinskyTargetComboBox->clear();
    const QuantumQuench untargeted = readSettingsFromForm(*form, QuantumQuench{});
    EXPECT_EQ(untargeted.targetObjectId, 0u);
    EXPECT_FALSE(untargeted.enabled) << "a drive record without a target";
    const MoshinskyConfig shutter = readSettingsFromForm(*form, MoshinskyConfig{});
    EXPECT_TRUE(shutter.enabled) << "checked box, empty combo";
    EXPECT_EQ(shutter.shutterObjectId, 0u);
    EXPECT_TRUE(readSettingsFromForm(*form, BerryConfig{}).enabled);

    // A target that is not listed keeps the combo's selection.
    SetUp();
    form->quenchTargetComboBox->setCurrentIndex(0);
    QuantumQuench missing = records.quantumQuench;
    missing.targetObjectId = 77;
    writeSettingsIntoForm(*form, missing);
    EXPECT_EQ(readSettingsFromForm(*form, QuantumQuench{}).targetObjectId, kBarrierId);
}

TEST_F(ExperimentSettingsFormTest, IndicesAreClampedOrMappedBothWays)
{
    struct ParameterCase {
        std::int32_t written;
        int index;
    };
    for (const ParameterCase c : {ParameterCase{-3, 0}, {0, 0}, {5, 5}, {7, 7}, {12, 7}}) {
        QuantumQuench quench;
        quench.parameter = c.written;
        writeSettingsIntoForm(*form, quench);
        EXPECT_EQ(form->quenchParameterComboBox->currentIndex(), c.index) << "parameter " << c.written;
    }
    form->quenchParameterComboBox->setCurrentIndex(-1);
    EXPECT_EQ(readSettingsFromForm(*form, QuantumQuench{}).parameter, 0) << "no current item";

    for (const int index : {-1, 0}) {
        form->berryWindingComboBox->setCurrentIndex(index);
        EXPECT_EQ(readSettingsFromForm(*form, BerryConfig{}).winding, 1) << "winding index " << index;
    }

    ZitterbewegungConfig zitter;
    zitter.preparationMode = 5;
    writeSettingsIntoForm(*form, zitter);
    EXPECT_EQ(form->zitterPreparationComboBox->currentIndex(), 1) << "clamped to the last item";

    // A value beyond a control's range is clamped by the control.
    AharonovBohmConfig wide;
    wide.solenoidRadius = 10.0;
    writeSettingsIntoForm(*form, wide);
    EXPECT_EQ(readSettingsFromForm(*form, wide).solenoidRadius, 8.0);
}

TEST_F(ExperimentSettingsFormTest, FlagDependentControlsFollowTheirFlag)
{
    struct Dependents {
        const char* flag;
        std::vector<const char*> controls;
    };
    const Dependents rows[] = {
        {"linearSweepReturnCheckBox", {"linearSweepHoldDurationSpinBox", "linearSweepReturnDurationSpinBox"}},
        {"ramseyEchoEnabledCheckBox", {"ramseyEchoDurationSpinBox", "ramseyEchoPhaseSpinBox"}},
        {"ramseyEnsembleEnabledCheckBox", {"ramseyEnsembleSigmaSpinBox", "ramseyEnsembleMembersSpinBox"}},
    };
    ExperimentSettingsRecords records = nonDefaultRecords();
    for (const bool on : {false, true, false}) {
        records.linearSweep.returnEnabled = on;
        records.ramseySequence.echoEnabled = on;
        records.ramseyEnsemble.enabled = on;
        writeSettingsIntoForm(*form, records.linearSweep);
        writeSettingsIntoForm(*form, records.ramseySequence);
        writeSettingsIntoForm(*form, records.ramseyEnsemble);
        for (const Dependents& row : rows) {
            EXPECT_EQ(control<QCheckBox>(row.flag)->isChecked(), on) << row.flag;
            for (const char* name : row.controls)
                EXPECT_EQ(control<QWidget>(name)->isEnabled(), on) << name << " with " << row.flag << " " << on;
        }
    }
}

// The exclusion table, row by row as the writers' contract gives it: an
// enabled record unchecks exactly these boxes and sets exactly these combos
// to index 0; a disabled one touches nothing.
TEST_F(ExperimentSettingsFormTest, AnEnabledRecordSwitchesOffWhatCannotRunBesideIt)
{
    const char* const boxes[] = {
        "quenchEnabledCheckBox",    "periodicDriveEnabledCheckBox", "linearSweepEnabledCheckBox",
        "ramseyEnabledCheckBox",    "berryEnabledCheckBox",         "loschmidtEnabledCheckBox",
        "moshinskyEnabledCheckBox", "kapitzaDiracEnabledCheckBox",  "aharonovBohmEnabledCheckBox",
        "landauEnabledCheckBox",    "hallEdgeEnabledCheckBox",      "backflowEnabledCheckBox",
        "zitterEnabledCheckBox",    "kleinEnabledCheckBox",         "potentialSceneActiveCheckBox",
        "currentOverlayCheckBox"};
    const char* const combos[] = {"boundaryModeComboBox", "geometryComboBox", "spaceComboBox", "viewComboBox"};

    using Names = std::set<std::string>;
    struct Row {
        const char* record;
        Names unchecked;
        Names reset;
    };
    const Row rows[] = {
        {"quantumQuench", {}, {}},
        {"ramseyEnsemble", {}, {}},
        {"kickedRotor", {}, {}},
        {"quantumZeno", {}, {}},
        {"quantumScar", {}, {}},
        {"periodicDrive", {"quenchEnabledCheckBox"}, {}},
        {"linearSweep", {"quenchEnabledCheckBox", "periodicDriveEnabledCheckBox"}, {}},
        {"ramseySequence", {"quenchEnabledCheckBox", "periodicDriveEnabledCheckBox", "linearSweepEnabledCheckBox"}, {}},
        {"quantumBerry",
         {"quenchEnabledCheckBox", "periodicDriveEnabledCheckBox", "linearSweepEnabledCheckBox",
          "ramseyEnabledCheckBox"},
         {}},
        {"quantumLoschmidt",
         {"quenchEnabledCheckBox", "periodicDriveEnabledCheckBox", "linearSweepEnabledCheckBox",
          "ramseyEnabledCheckBox", "berryEnabledCheckBox"},
         {}},
        {"quantumMoshinsky",
         {"quenchEnabledCheckBox", "periodicDriveEnabledCheckBox", "linearSweepEnabledCheckBox",
          "ramseyEnabledCheckBox", "berryEnabledCheckBox", "loschmidtEnabledCheckBox"},
         {}},
        {"quantumKapitzaDirac",
         {"quenchEnabledCheckBox", "periodicDriveEnabledCheckBox", "linearSweepEnabledCheckBox",
          "ramseyEnabledCheckBox", "berryEnabledCheckBox", "loschmidtEnabledCheckBox", "moshinskyEnabledCheckBox"},
         {}},
        {"quantumAharonovBohm",
         {"quenchEnabledCheckBox", "periodicDriveEnabledCheckBox", "linearSweepEnabledCheckBox",
          "ramseyEnabledCheckBox", "berryEnabledCheckBox", "loschmidtEnabledCheckBox", "moshinskyEnabledCheckBox",
          "kapitzaDiracEnabledCheckBox", "landauEnabledCheckBox"},
         {}},
        {"quantumLandau",
         {"quenchEnabledCheckBox", "periodicDriveEnabledCheckBox", "linearSweepEnabledCheckBox",
          "ramseyEnabledCheckBox", "berryEnabledCheckBox", "loschmidtEnabledCheckBox", "moshinskyEnabledCheckBox",
          "kapitzaDiracEnabledCheckBox", "aharonovBohmEnabledCheckBox"},
         {}},
        {"quantumHallEdge",
         {"quenchEnabledCheckBox", "periodicDriveEnabledCheckBox", "linearSweepEnabledCheckBox",
          "ramseyEnabledCheckBox", "berryEnabledCheckBox", "loschmidtEnabledCheckBox", "moshinskyEnabledCheckBox",
          "kapitzaDiracEnabledCheckBox", "aharonovBohmEnabledCheckBox", "landauEnabledCheckBox"},
         {}},
        {"quantumBackflow",
         {"quenchEnabledCheckBox", "periodicDriveEnabledCheckBox", "linearSweepEnabledCheckBox",
          "ramseyEnabledCheckBox", "berryEnabledCheckBox", "loschmidtEnabledCheckBox", "moshinskyEnabledCheckBox",
          "kapitzaDiracEnabledCheckBox", "aharonovBohmEnabledCheckBox", "landauEnabledCheckBox",
          "hallEdgeEnabledCheckBox", "potentialSceneActiveCheckBox"},
         {"boundaryModeComboBox", "geometryComboBox"}},
        {"quantumZitterbewegung",
         {"quenchEnabledCheckBox", "periodicDriveEnabledCheckBox", "linearSweepEnabledCheckBox",
          "ramseyEnabledCheckBox", "berryEnabledCheckBox", "loschmidtEnabledCheckBox", "moshinskyEnabledCheckBox",
          "kapitzaDiracEnabledCheckBox", "aharonovBohmEnabledCheckBox", "landauEnabledCheckBox",
          "hallEdgeEnabledCheckBox", "backflowEnabledCheckBox", "potentialSceneActiveCheckBox",
          "currentOverlayCheckBox"},
         {"boundaryModeComboBox", "geometryComboBox", "spaceComboBox", "viewComboBox"}},
        {"quantumKleinTunneling",
         {"zitterEnabledCheckBox", "quenchEnabledCheckBox", "periodicDriveEnabledCheckBox",
          "linearSweepEnabledCheckBox", "ramseyEnabledCheckBox", "berryEnabledCheckBox", "loschmidtEnabledCheckBox",
          "moshinskyEnabledCheckBox", "kapitzaDiracEnabledCheckBox", "aharonovBohmEnabledCheckBox",
          "landauEnabledCheckBox", "hallEdgeEnabledCheckBox", "backflowEnabledCheckBox", "potentialSceneActiveCheckBox",
          "currentOverlayCheckBox"},
         {"geometryComboBox", "spaceComboBox", "viewComboBox"}},
    };

    ExperimentSettingsRecords records = nonDefaultRecords();
    for (const bool enabled : {true, false}) {
        records.quantumQuench.enabled = records.periodicDrive.enabled = records.linearSweep.enabled = enabled;
        records.ramseySequence.enabled = records.ramseyEnsemble.enabled = records.kickedRotor.enabled = enabled;
        records.quantumZeno.enabled = records.quantumScar.enabled = records.quantumBerry.enabled = enabled;
        records.quantumLoschmidt.enabled = records.quantumMoshinsky.enabled = enabled;
        records.quantumKapitzaDirac.enabled = records.quantumAharonovBohm.enabled = enabled;
        records.quantumLandau.enabled = records.quantumHallEdge.enabled = records.quantumBackflow.enabled = enabled;
        records.quantumZitterbewegung.enabled = records.quantumKleinTunneling.enabled = enabled;
        for (const Row& row : rows) {
            SetUp();
            for (const char* name : boxes)
                control<QCheckBox>(name)->setChecked(true);
            for (const char* name : combos)
                control<QComboBox>(name)->setCurrentIndex(1);
            const auto trip = std::find_if(recordRows().begin(), recordRows().end(),
                                           [&](const RecordRow& r) { return std::string(r.name) == row.record; });
            ASSERT_NE(trip, recordRows().end()) << row.record;
            ExperimentSettingsRecords read = records;
            trip->writeThenRead(*form, records, read);

            const std::string writer = std::string(row.record) + (enabled ? " enabled" : " disabled");
            // The record's own box shows its own flag, whatever the table says.
            const std::string ownBox = trip->controls.front().second;
            for (const char* name : boxes) {
                if (name != ownBox) {
                    EXPECT_EQ(control<QCheckBox>(name)->isChecked(), !(enabled && row.unchecked.count(name) != 0))
                        << name << " after " << writer;
                }
            }
            for (const char* name : combos)
                EXPECT_EQ(control<QComboBox>(name)->currentIndex(), enabled && row.reset.count(name) != 0 ? 0 : 1)
                    << name << " after " << writer;
        }
    }
}

} // namespace
} // namespace vxo
