// The Dynamics pages against the settings records they feed: which record
// field each control fills, that every setting the form admits at either end
// of a control's range makes a document that loads again, and that the
// combinations of several controls that an experiment refuses when it runs
// are saved as the form holds them and loaded back (a shutter that its scene
// refuses is kept switched off, as the window runs it).

#include "FormTestSupport.h"

#include "document/ExperimentDocumentJson.h"
#include "document/ExperimentFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vxo::test {
namespace {

// How a control's state becomes its record field: a spin box value, a check
// box state, a combo index, the Berry winding (index 1 is -1, any other +1),
// or the id of the chosen Potential Scene object (filled at run time).
enum class Feed { Value, Flag, Index, Winding, ObjectId };

void store(double& field, double value) { field = value; }
void store(bool& field, double value) { field = value != 0.0; }
void store(std::int32_t& field, double value) { field = static_cast<std::int32_t>(value); }
void store(std::uint32_t& field, double value) { field = static_cast<std::uint32_t>(value); }
void store(std::uint64_t& field, double value) { field = static_cast<std::uint64_t>(value); }

struct ControlFeed {
    const char* control;
    const char* record; // the record's member and JSON object name
    const char* key;    // the field's member and JSON key
    Feed feed;
    void (*store)(ExperimentSettingsRecords& records, double value);
};

#define VXO_FEED(control, record, field, feed)                                                                         \
    ControlFeed                                                                                                        \
    {                                                                                                                  \
        control, #record, #field, Feed::feed, [](ExperimentSettingsRecords& r, double v) { store(r.record.field, v); } \
    }

// Every input control of the Dynamics pages and the record field it fills.
const std::vector<ControlFeed>& feeds()
{
    static const std::vector<ControlFeed> rows = {
        VXO_FEED("quenchEnabledCheckBox", quantumQuench, enabled, Flag),
        VXO_FEED("quenchTargetComboBox", quantumQuench, targetObjectId, ObjectId),
        VXO_FEED("quenchParameterComboBox", quantumQuench, parameter, Index),
        VXO_FEED("quenchTimeSpinBox", quantumQuench, time, Value),
        VXO_FEED("quenchBeforeSpinBox", quantumQuench, before, Value),
        VXO_FEED("quenchAfterSpinBox", quantumQuench, after, Value),

        VXO_FEED("periodicDriveEnabledCheckBox", periodicDrive, enabled, Flag),
        VXO_FEED("periodicDriveTargetComboBox", periodicDrive, targetObjectId, ObjectId),
        VXO_FEED("periodicDriveParameterComboBox", periodicDrive, parameter, Index),
        VXO_FEED("periodicDriveMeanSpinBox", periodicDrive, mean, Value),
        VXO_FEED("periodicDriveAmplitudeSpinBox", periodicDrive, amplitude, Value),
        VXO_FEED("periodicDriveOmegaSpinBox", periodicDrive, angularFrequency, Value),
        VXO_FEED("periodicDrivePhaseSpinBox", periodicDrive, phaseDegrees, Value),

        VXO_FEED("linearSweepEnabledCheckBox", linearSweep, enabled, Flag),
        VXO_FEED("linearSweepTargetComboBox", linearSweep, targetObjectId, ObjectId),
        VXO_FEED("linearSweepParameterComboBox", linearSweep, parameter, Index),
        VXO_FEED("linearSweepStartValueSpinBox", linearSweep, startValue, Value),
        VXO_FEED("linearSweepEndValueSpinBox", linearSweep, endValue, Value),
        VXO_FEED("linearSweepStartTimeSpinBox", linearSweep, startTime, Value),
        VXO_FEED("linearSweepDurationSpinBox", linearSweep, duration, Value),
        VXO_FEED("linearSweepReturnCheckBox", linearSweep, returnEnabled, Flag),
        VXO_FEED("linearSweepHoldDurationSpinBox", linearSweep, holdDuration, Value),
        VXO_FEED("linearSweepReturnDurationSpinBox", linearSweep, returnDuration, Value),

        VXO_FEED("ramseyEnabledCheckBox", ramseySequence, enabled, Flag),
        VXO_FEED("ramseyTargetComboBox", ramseySequence, targetObjectId, ObjectId),
        VXO_FEED("ramseyParameterComboBox", ramseySequence, parameter, Index),
        VXO_FEED("ramseyMeanSpinBox", ramseySequence, mean, Value),
        VXO_FEED("ramseyAmplitudeSpinBox", ramseySequence, amplitude, Value),
        VXO_FEED("ramseyOmegaSpinBox", ramseySequence, angularFrequency, Value),
        VXO_FEED("ramseyPulseDurationSpinBox", ramseySequence, pulseDuration, Value),
        VXO_FEED("ramseyFreeDurationSpinBox", ramseySequence, freeEvolutionDuration, Value),
        VXO_FEED("ramseyStartTimeSpinBox", ramseySequence, startTime, Value),
        VXO_FEED("ramseyFirstPhaseSpinBox", ramseySequence, firstPhaseDegrees, Value),
        VXO_FEED("ramseySecondPhaseSpinBox", ramseySequence, secondPhaseDegrees, Value),
        VXO_FEED("ramseyEchoEnabledCheckBox", ramseySequence, echoEnabled, Flag),
        VXO_FEED("ramseyEchoDurationSpinBox", ramseySequence, echoPulseDuration, Value),
        VXO_FEED("ramseyEchoPhaseSpinBox", ramseySequence, echoPulsePhaseDegrees, Value),

        VXO_FEED("berryEnabledCheckBox", quantumBerry, enabled, Flag),
        VXO_FEED("berryAnisotropySpinBox", quantumBerry, anisotropy, Value),
        VXO_FEED("berryStartTimeSpinBox", quantumBerry, startTime, Value),
        VXO_FEED("berryDurationSpinBox", quantumBerry, duration, Value),
        VXO_FEED("berryWindingComboBox", quantumBerry, winding, Winding),

        VXO_FEED("loschmidtEnabledCheckBox", quantumLoschmidt, enabled, Flag),
        VXO_FEED("loschmidtTimeSpinBox", quantumLoschmidt, reversalTime, Value),
        VXO_FEED("loschmidtMomentumErrorXSpinBox", quantumLoschmidt, momentumErrorX, Value),
        VXO_FEED("loschmidtMomentumErrorYSpinBox", quantumLoschmidt, momentumErrorY, Value),

        VXO_FEED("moshinskyEnabledCheckBox", quantumMoshinsky, enabled, Flag),
        VXO_FEED("moshinskyTargetComboBox", quantumMoshinsky, shutterObjectId, ObjectId),
        VXO_FEED("moshinskyOpenTimeSpinBox", quantumMoshinsky, openTime, Value),
        VXO_FEED("moshinskyDetectorXSpinBox", quantumMoshinsky, detectorX, Value),
        VXO_FEED("moshinskyAnalysisEndTimeSpinBox", quantumMoshinsky, analysisEndTime, Value),

        VXO_FEED("kapitzaDiracEnabledCheckBox", quantumKapitzaDirac, enabled, Flag),
        VXO_FEED("kapitzaDiracPeriodSpinBox", quantumKapitzaDirac, latticePeriod, Value),
        VXO_FEED("kapitzaDiracDepthSpinBox", quantumKapitzaDirac, latticeDepth, Value),
        VXO_FEED("kapitzaDiracPhaseSpinBox", quantumKapitzaDirac, latticePhaseDegrees, Value),
        VXO_FEED("kapitzaDiracStartSpinBox", quantumKapitzaDirac, pulseStartTime, Value),
        VXO_FEED("kapitzaDiracDurationSpinBox", quantumKapitzaDirac, pulseDuration, Value),
        VXO_FEED("kapitzaDiracAnalysisEndSpinBox", quantumKapitzaDirac, analysisEndTime, Value),
        VXO_FEED("kapitzaDiracOrderSpinBox", quantumKapitzaDirac, maximumOrder, Value),

        VXO_FEED("aharonovBohmEnabledCheckBox", quantumAharonovBohm, enabled, Flag),
        VXO_FEED("aharonovBohmFluxSpinBox", quantumAharonovBohm, fluxQuanta, Value),
        VXO_FEED("aharonovBohmRadiusSpinBox", quantumAharonovBohm, solenoidRadius, Value),
        VXO_FEED("aharonovBohmCenterXSpinBox", quantumAharonovBohm, solenoidX, Value),
        VXO_FEED("aharonovBohmCenterYSpinBox", quantumAharonovBohm, solenoidY, Value),
        VXO_FEED("aharonovBohmBarrierSpinBox", quantumAharonovBohm, barrierHeight, Value),
        VXO_FEED("aharonovBohmDetectorXSpinBox", quantumAharonovBohm, detectorX, Value),
        VXO_FEED("aharonovBohmAnalysisEndSpinBox", quantumAharonovBohm, analysisEndTime, Value),

        VXO_FEED("landauEnabledCheckBox", quantumLandau, enabled, Flag),
        VXO_FEED("landauFieldSpinBox", quantumLandau, fieldStrength, Value),
        VXO_FEED("landauPreparationComboBox", quantumLandau, preparationMode, Index),
        VXO_FEED("landauIndexSpinBox", quantumLandau, landauIndex, Value),
        VXO_FEED("landauOrbitRadiusSpinBox", quantumLandau, orbitRadius, Value),
        VXO_FEED("landauAnalysisEndSpinBox", quantumLandau, analysisEndTime, Value),

        VXO_FEED("hallEdgeEnabledCheckBox", quantumHallEdge, enabled, Flag),
        VXO_FEED("hallEdgeFieldSpinBox", quantumHallEdge, fieldStrength, Value),
        VXO_FEED("hallEdgeYSpinBox", quantumHallEdge, edgeY, Value),
        VXO_FEED("hallEdgeWallSpinBox", quantumHallEdge, wallHeight, Value),
        VXO_FEED("hallEdgeLaunchYSpinBox", quantumHallEdge, launchY, Value),
        VXO_FEED("hallEdgeRadiusSpinBox", quantumHallEdge, orbitRadius, Value),
        VXO_FEED("hallEdgeSigmaSpinBox", quantumHallEdge, packetSigma, Value),
        VXO_FEED("hallEdgeBandSpinBox", quantumHallEdge, edgeBand, Value),
        VXO_FEED("hallEdgeAnalysisEndSpinBox", quantumHallEdge, analysisEndTime, Value),

        VXO_FEED("backflowEnabledCheckBox", quantumBackflow, enabled, Flag),
        VXO_FEED("backflowDetectorSpinBox", quantumBackflow, detectorX, Value),
        VXO_FEED("backflowSlowKSpinBox", quantumBackflow, slowWaveNumber, Value),
        VXO_FEED("backflowFastKSpinBox", quantumBackflow, fastWaveNumber, Value),
        VXO_FEED("backflowKSigmaSpinBox", quantumBackflow, momentumSigma, Value),
        VXO_FEED("backflowRatioSpinBox", quantumBackflow, fastAmplitudeRatio, Value),
        VXO_FEED("backflowPhaseSpinBox", quantumBackflow, relativePhaseDegrees, Value),
        VXO_FEED("backflowCenterXSpinBox", quantumBackflow, initialCenterX, Value),
        VXO_FEED("backflowTransverseSigmaSpinBox", quantumBackflow, transverseSigma, Value),
        VXO_FEED("backflowAnalysisEndSpinBox", quantumBackflow, analysisEndTime, Value),

        VXO_FEED("zitterEnabledCheckBox", quantumZitterbewegung, enabled, Flag),
        VXO_FEED("zitterLightSpeedSpinBox", quantumZitterbewegung, lightSpeed, Value),
        VXO_FEED("zitterMassSpinBox", quantumZitterbewegung, restMass, Value),
        VXO_FEED("zitterCenterXSpinBox", quantumZitterbewegung, centerX, Value),
        VXO_FEED("zitterCenterYSpinBox", quantumZitterbewegung, centerY, Value),
        VXO_FEED("zitterSigmaSpinBox", quantumZitterbewegung, sigma, Value),
        VXO_FEED("zitterMomentumXSpinBox", quantumZitterbewegung, momentumX, Value),
        VXO_FEED("zitterMomentumYSpinBox", quantumZitterbewegung, momentumY, Value),
        VXO_FEED("zitterPreparationComboBox", quantumZitterbewegung, preparationMode, Index),
        VXO_FEED("zitterAnalysisEndSpinBox", quantumZitterbewegung, analysisEndTime, Value),

        VXO_FEED("kleinEnabledCheckBox", quantumKleinTunneling, enabled, Flag),
        VXO_FEED("kleinLightSpeedSpinBox", quantumKleinTunneling, lightSpeed, Value),
        VXO_FEED("kleinMassSpinBox", quantumKleinTunneling, restMass, Value),
        VXO_FEED("kleinCenterXSpinBox", quantumKleinTunneling, centerX, Value),
        VXO_FEED("kleinSigmaSpinBox", quantumKleinTunneling, sigma, Value),
        VXO_FEED("kleinPxSpinBox", quantumKleinTunneling, momentumX, Value),
        VXO_FEED("kleinPySpinBox", quantumKleinTunneling, momentumY, Value),
        VXO_FEED("kleinBarrierCenterSpinBox", quantumKleinTunneling, barrierCenterX, Value),
        VXO_FEED("kleinBarrierWidthSpinBox", quantumKleinTunneling, barrierWidth, Value),
        VXO_FEED("kleinBarrierHeightSpinBox", quantumKleinTunneling, barrierHeight, Value),
        VXO_FEED("kleinDetectorXSpinBox", quantumKleinTunneling, detectorX, Value),
        VXO_FEED("kleinAnalysisEndSpinBox", quantumKleinTunneling, analysisEndTime, Value),
    };
    return rows;
}

#undef VXO_FEED

// Record fields that no control shows: the form leaves them as stored.
const std::map<std::string, std::set<QString>>& fieldsWithoutControl()
{
    static const std::map<std::string, std::set<QString>> fields = {{"quantumKleinTunneling", {"centerY"}}};
    return fields;
}

const ControlFeed& enableFeed(const std::string& record)
{
    for (const ControlFeed& row : feeds()) {
        if (row.record == record && std::string(row.key) == "enabled")
            return row;
    }
    throw std::logic_error("no enable box for " + record);
}

// The control's setting: a spin box value, a check state (1 when checked)
// or a combo index.
double settingOf(const QObject* control)
{
    if (const auto* spin = qobject_cast<const QDoubleSpinBox*>(control))
        return spin->value();
    if (const auto* spin = qobject_cast<const QSpinBox*>(control))
        return spin->value();
    if (const auto* box = qobject_cast<const QCheckBox*>(control))
        return box->isChecked() ? 1.0 : 0.0;
    return qobject_cast<const QComboBox*>(control)->currentIndex();
}

// The control's setting as its record field reads it.
double fedValue(const QObject* control, Feed feed)
{
    const double setting = settingOf(control);
    if (feed == Feed::Winding)
        return setting == 1.0 ? -1.0 : 1.0;
    return setting;
}

// Gives the control a setting as a user could (non-zero checks a box).
void setControl(QObject* control, double value)
{
    if (auto* spin = qobject_cast<QDoubleSpinBox*>(control))
        spin->setValue(value);
    else if (auto* spin = qobject_cast<QSpinBox*>(control))
        spin->setValue(static_cast<int>(value));
    else if (auto* box = qobject_cast<QCheckBox*>(control))
        box->setChecked(value != 0.0);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setCurrentIndex(static_cast<int>(value));
}

// The lowest and highest setting the control admits (check boxes: off, on).
std::pair<double, double> rangeOf(const QObject* control)
{
    if (const auto* spin = qobject_cast<const QDoubleSpinBox*>(control))
        return {spin->minimum(), spin->maximum()};
    if (const auto* spin = qobject_cast<const QSpinBox*>(control))
        return {spin->minimum(), spin->maximum()};
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return {0.0, combo->count() - 1.0};
    return {0.0, 1.0};
}

// The scene a record is judged with, holding what an enabled record needs:
// a Linear object for the drives (every parameter code from 0 to 7 can be
// read from it, save the three Harmonic curvatures), the Berry loop's single
// isotropic trap, stiff enough for the largest anisotropy (k - 2A > 0), and a
// thin shutter barrier drawn left of every detector position. Returns the id
// a target combo would carry, 0 where the page has none.
std::uint64_t addSceneFor(const std::string& record, PotentialScene& scene)
{
    PotentialObject object;
    if (record == "quantumQuench" || record == "periodicDrive" || record == "linearSweep" ||
        record == "ramseySequence") {
        object.kind = PotentialObjectKind::Linear;
        object.slopeX = 0.2f;
    } else if (record == "quantumBerry") {
        object.kind = PotentialObjectKind::Harmonic;
        object.curvatureX = object.curvatureY = 5.0f;
    } else if (record == "quantumMoshinsky") {
        object.kind = PotentialObjectKind::Barrier;
        object.value = 8.0f;
        object.centerX = -24.0f;
        object.thickness = 0.64f;
        object.length = 19.0f;
    } else {
        return 0;
    }
    return scene.add(object);
}

// A document holding the form's current settings of one record, the scene
// that record is judged with and one stored control (a document without any
// is refused).
ExperimentDocument documentFromForm(BareForm& form, const std::string& record)
{
    ExperimentDocument document;
    document.controls.insert(QStringLiteral("speedComboBox"), 2);
    document.potentialSceneActive = true;
    const std::uint64_t target = addSceneFor(record, document.potentialScene);
    for (const ControlFeed& row : feeds()) {
        if (row.record != record)
            continue;
        row.store(document, row.feed == Feed::ObjectId ? static_cast<double>(target)
                                                       : fedValue(form.find(row.control), row.feed));
    }
    // As the window captures it: a record its scene refuses runs as off and
    // is kept off.
    disableRecordsTheSceneRefuses(document);
    return document;
}

QJsonValue recordField(const ExperimentDocument& document, const ControlFeed& row)
{
    return experimentDocumentToJson(document).value(QLatin1String(row.record)).toObject().value(QLatin1String(row.key));
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(DynamicsFormTest, PhasesOfPulsesShowDegreesAndTheTwoCountsAreWholeNumbers)
{
    BareForm form;
    const std::set<QString> degrees = {"ramseyFirstPhaseSpinBox", "ramseySecondPhaseSpinBox", "ramseyEchoPhaseSpinBox",
                                       "kapitzaDiracPhaseSpinBox"};
    for (const QDoubleSpinBox* spin : form.ui.experimentDynamicsPage->findChildren<QDoubleSpinBox*>()) {
        const QString expected = degrees.count(spin->objectName()) == 1 ? QStringLiteral(" deg") : QString();
        EXPECT_EQ(spin->suffix(), expected) << spin->objectName().toStdString();
    }
    struct Count {
        const QSpinBox* spin;
        int minimum, maximum, value;
    };
    for (const Count& c :
         {Count{form.ui.kapitzaDiracOrderSpinBox, 1, 12, 4}, Count{form.ui.landauIndexSpinBox, 0, 8, 0}}) {
        const std::string name = c.spin->objectName().toStdString();
        EXPECT_EQ(c.spin->minimum(), c.minimum) << name;
        EXPECT_EQ(c.spin->maximum(), c.maximum) << name;
        EXPECT_EQ(c.spin->singleStep(), 1) << name;
        EXPECT_EQ(c.spin->value(), c.value) << name;
        EXPECT_TRUE(c.spin->suffix().isEmpty() && c.spin->prefix().isEmpty()) << name;
    }
}

// The drive pages keep their hint inside the group's frame; the experiment
// pages put the enable box across the top row of the group's form, the hint
// below the frame and, from the Aharonov-Bohm page on, the Apply button
// across the last row.
TEST(DynamicsFormTest, EachPageHoldsItsEnableBoxHintAndApplyButtonInPlace)
{
    BareForm form;
    const QTabWidget* tabs = form.ui.timeDependentSubTabWidget;
    ASSERT_EQ(tabs->count(), 14);
    for (int i = 0; i < tabs->count(); ++i) {
        const QWidget* page = tabs->widget(i);
        const std::string name = page->objectName().toStdString();
        const QList<QGroupBox*> groups = page->findChildren<QGroupBox*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_EQ(groups.size(), 1) << name;
        const QGroupBox* group = groups.front();
        QList<QLabel*> hints;
        for (QLabel* label : page->findChildren<QLabel*>()) {
            if (label->objectName().endsWith(QLatin1String("HintLabel")))
                hints << label;
        }
        ASSERT_EQ(hints.size(), 1) << name;
        EXPECT_TRUE(hints.front()->wordWrap()) << name;
        const bool drivePage = i < 4;
        EXPECT_EQ(hints.front()->parentWidget(), drivePage ? static_cast<const QWidget*>(group) : page) << name;
        if (drivePage)
            continue;
        const auto* formLayout = qobject_cast<const QFormLayout*>(group->layout());
        ASSERT_NE(formLayout, nullptr) << name;
        QLayoutItem* top = formLayout->itemAt(0, QFormLayout::SpanningRole);
        ASSERT_NE(top, nullptr) << name;
        EXPECT_TRUE(qobject_cast<QCheckBox*>(top->widget()) != nullptr)
            << name << " does not start with its enable box";
        QLayoutItem* last = formLayout->itemAt(formLayout->rowCount() - 1, QFormLayout::SpanningRole);
        const bool hasApply = i >= 8;
        EXPECT_EQ(last != nullptr && qobject_cast<QPushButton*>(last->widget()) != nullptr, hasApply)
            << name << (hasApply ? " lacks" : " has") << " an Apply button in its last row";
        if (hasApply) {
            EXPECT_EQ(qobject_cast<QPushButton*>(last->widget())->text(), "Apply / Reset") << name;
        }
    }
}

TEST(DynamicsFormTest, EveryInputControlFeedsOneFieldAndEveryFieldHasItsControl)
{
    BareForm form;
    std::set<QString> listed;
    std::map<std::string, std::set<QString>> keysByRecord;
    for (const ControlFeed& row : feeds()) {
        EXPECT_TRUE(listed.insert(QString::fromLatin1(row.control)).second) << row.control << " is listed twice";
        EXPECT_NE(form.find(row.control), nullptr) << row.control;
        EXPECT_TRUE(keysByRecord[row.record].insert(QString::fromLatin1(row.key)).second)
            << row.record << "." << row.key << " is fed by two controls";
    }
    for (const QWidget* widget : form.ui.experimentDynamicsPage->findChildren<QWidget*>()) {
        const bool input = qobject_cast<const QAbstractSpinBox*>(widget) || qobject_cast<const QComboBox*>(widget) ||
                           qobject_cast<const QCheckBox*>(widget);
        if (input) {
            EXPECT_EQ(listed.count(widget->objectName()), 1u) << widget->objectName().toStdString() << " feeds nothing";
        }
    }
    // The keys the document writes for each record: every one has its control
    // unless the form deliberately leaves it alone.
    const QJsonObject written = experimentDocumentToJson(ExperimentDocument());
    for (const auto& [record, keys] : keysByRecord) {
        const QJsonValue object = written.value(QString::fromStdString(record));
        ASSERT_TRUE(object.isObject()) << record << " is not a record of the document";
        std::set<QString> expected;
        for (const QString& key : object.toObject().keys())
            expected.insert(key);
        const auto skipped = fieldsWithoutControl().find(record);
        if (skipped != fieldsWithoutControl().end()) {
            for (const QString& key : skipped->second)
                expected.erase(key);
        }
        for (const QString& key : expected)
            EXPECT_EQ(keys.count(key), 1u) << record << "." << key.toStdString() << " has no control";
        for (const QString& key : keys)
            EXPECT_EQ(expected.count(key), 1u) << record << "." << key.toStdString() << " is not a field";
    }
}

// Settings that make a record refuse a combination of controls, each within
// the form's ranges: saving must refuse them. The record is enabled only
// where the rule holds for an enabled record alone.
struct CrossFieldCase {
    const char* what;
    const char* record;
    std::vector<std::pair<const char*, double>> settings;
    bool keptOff; // the scene refuses the record: it is saved switched off
};

const std::vector<CrossFieldCase>& crossFieldCases()
{
    static const std::vector<CrossFieldCase> cases = {
        {"Kapitza-Dirac pulse ends after the analysis",
         "quantumKapitzaDirac",
         {{"kapitzaDiracStartSpinBox", 3.8},
          {"kapitzaDiracDurationSpinBox", 0.3},
          {"kapitzaDiracAnalysisEndSpinBox", 4.0}},
         false},
        {"Kapitza-Dirac pulse starting at the latest start outlasts every analysis",
         "quantumKapitzaDirac",
         {{"kapitzaDiracStartSpinBox", 1000.0},
          {"kapitzaDiracDurationSpinBox", 0.02},
          {"kapitzaDiracAnalysisEndSpinBox", 1000.0}},
         false},
        {"Klein detector inside the barrier",
         "quantumKleinTunneling",
         {{"kleinBarrierCenterSpinBox", 0.0}, {"kleinBarrierWidthSpinBox", 3.0}, {"kleinDetectorXSpinBox", 1.5}},
         false},
        {"Klein detector at its lowest, in front of every barrier",
         "quantumKleinTunneling",
         {{"kleinBarrierCenterSpinBox", -10.0}, {"kleinBarrierWidthSpinBox", 0.2}, {"kleinDetectorXSpinBox", -15.0}},
         false},
        {"Hall launch point on the wall side of the edge",
         "quantumHallEdge",
         {{"hallEdgeYSpinBox", -8.0}, {"hallEdgeLaunchYSpinBox", -8.0}},
         false},
        {"Hall launch point at its highest, on the open end of the window of the highest edge",
         "quantumHallEdge",
         {{"hallEdgeYSpinBox", 8.0}, {"hallEdgeLaunchYSpinBox", 18.0}},
         false},
        {"backflow slow band not below the fast band",
         "quantumBackflow",
         {{"backflowSlowKSpinBox", 1.3}, {"backflowFastKSpinBox", 1.3}},
         false},
        {"Moshinsky shutter opening when the analysis ends",
         "quantumMoshinsky",
         {{"moshinskyEnabledCheckBox", 1},
          {"moshinskyOpenTimeSpinBox", 1000.0},
          {"moshinskyAnalysisEndTimeSpinBox", 1000.0}},
         true},
        {"Landau field switched on at zero",
         "quantumLandau",
         {{"landauEnabledCheckBox", 1}, {"landauFieldSpinBox", 0.0}},
         false},
    };
    return cases;
}

TEST(DynamicsFormTest, EveryRangeEndLoadsInTheRecordItFeedsEnabledOrNot)
{
    BareForm form;
    std::map<std::string, double> defaults;
    for (const ControlFeed& row : feeds())
        defaults[row.control] = settingOf(form.find(row.control));
    const auto restoreDefaults = [&] {
        for (const auto& [name, setting] : defaults)
            setControl(form.find(QString::fromStdString(name)), setting);
    };
    for (const ControlFeed& row : feeds()) {
        if (row.feed == Feed::ObjectId)
            continue;
        QObject* control = form.find(row.control);
        const auto [low, high] = rangeOf(control);
        for (const bool highEnd : {false, true}) {
            const double end = highEnd ? high : low;
            for (const bool enabled : {false, true}) {
                restoreDefaults();
                setControl(form.find(enableFeed(row.record).control), enabled ? 1.0 : 0.0);
                setControl(control, end);
                const ExperimentDocument document = documentFromForm(form, row.record);
                ExperimentDocument loaded;
                QString error;
                EXPECT_TRUE(parseExperimentBytes(experimentDocumentBytes(document), loaded, error))
                    << row.control << (highEnd ? " at its maximum " : " at its minimum ") << end
                    << (enabled ? ", enabled: " : ", disabled: ") << error.toStdString();
                const double fed = fedValue(control, row.feed);
                EXPECT_EQ(recordField(loaded, row), row.feed == Feed::Flag ? QJsonValue(fed != 0.0) : QJsonValue(fed))
                    << row.control << " at " << end << " does not reach " << row.record << "." << row.key;
            }
        }
    }
}

TEST(DynamicsFormTest, CombinationsTheExperimentsRefuseAreSavedAsTheFormHoldsThem)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("experiment.json"));
    for (const CrossFieldCase& c : crossFieldCases()) {
        BareForm form;
        for (const auto& [control, value] : c.settings) {
            QObject* widget = form.find(control);
            ASSERT_NE(widget, nullptr) << control;
            setControl(widget, value);
            EXPECT_DOUBLE_EQ(settingOf(widget), value) << c.what << ": " << control << " cannot hold " << value;
        }
        const ExperimentDocument document = documentFromForm(form, c.record);
        QString error;
        ASSERT_TRUE(saveExperimentFile(path, document, error)) << c.what << ": " << error.toStdString();
        EXPECT_EQ(fileBytes(path), experimentDocumentBytes(document)) << c.what << ": not what the form holds";
        ExperimentDocument loaded;
        ASSERT_TRUE(loadExperimentFile(path, loaded, error)) << c.what << ": " << error.toStdString();
        for (const ControlFeed& row : feeds()) {
            if (std::string(row.record) != c.record || row.feed == Feed::ObjectId)
                continue;
            const double fed = fedValue(form.find(row.control), row.feed);
            const bool switchedOff = c.keptOff && std::string(row.key) == "enabled";
            const QJsonValue expected =
                row.feed == Feed::Flag ? QJsonValue(fed != 0.0 && !switchedOff) : QJsonValue(fed);
            EXPECT_EQ(recordField(loaded, row), expected) << c.what << ": " << row.record << "." << row.key;
        }
    }
}

} // namespace
} // namespace vxo::test
