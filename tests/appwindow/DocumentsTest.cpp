// Experiment documents in the whole window: what a teacher set up comes back
// from its file exactly, a file that cannot be used changes nothing and says
// why, and a save that fails keeps the previous file.

#include "common/AppTestSupport.h"
#include "common/MainWindowProbe.h"
#include "common/QtTestSupport.h"

#include "WindowLayoutChecks.h"
#include "common/SchemaMembers.h"

#include "app/form/DomainSpinRanges.h"
#include "app/mainwindow/MainWindow.h"
#include "document/ExperimentCatalogue.h"
#include "document/ExperimentDocumentJson.h"
#include "document/ExperimentFile.h"
#include "document/PotentialSceneJson.h"
#include "document/SettingsRanges.h"

#include <QAbstractButton>
#include <QDockWidget>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace vxo {

// The dialog-free file operations and the window's identity, reached directly.
struct DocumentsProbe {
    MainWindow& window;

    bool load(const QString& path) { return window.loadExperimentFromPath(path); }
    bool save(const QString& path) { return window.saveExperimentToPath(path); }
    const QString& lastDocumentPath() const { return window.lastDocumentPath; }
    const QString& title() const { return window.experimentTitle; }
    const QString& source() const { return window.sourcePresetName; }
    const RealWorldScaleMapping& scale() const { return window.currentScale; }
    std::uint64_t addToScene(const PotentialObject& object) { return window.potentialScene.add(object); }
    const PotentialScene& scene() const { return window.potentialScene; }
    std::vector<QWidget*> controls() const { return window.documentControlWidgets(); }
};

namespace {

struct ShownMessage {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QString details;
    QSize size;
    QRect screen; // the available area of the box's screen
};

// Closes every message box the window opens while it lives, keeping what
// the box said, so a file operation under test never waits for a click. A box
// that offers `answer` gets it clicked, any other its OK.
class MessageBoxCatcher {
public:
    explicit MessageBoxCatcher(QWidget& window, QMessageBox::StandardButton answer = QMessageBox::Ok)
    {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this, &window, answer] {
            for (QMessageBox* box : window.findChildren<QMessageBox*>()) {
                if (!box->isVisible())
                    continue;
                shown_.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                                  box->detailedText(), box->size(), box->screen()->availableGeometry()});
                if (QAbstractButton* button = box->button(answer))
                    button->click();
                else
                    box->done(QMessageBox::Ok);
            }
        });
        timer_.start(5);
    }
    const std::vector<ShownMessage>& shown() const { return shown_; }

private:
    QTimer timer_;
    std::vector<ShownMessage> shown_;
};

struct FileOutcome {
    bool ok = false;
    std::vector<ShownMessage> messages;
};

FileOutcome loadFile(MainWindow& window, const QString& path)
{
    MessageBoxCatcher catcher(window);
    const bool ok = DocumentsProbe{window}.load(path);
    return {ok, catcher.shown()};
}

FileOutcome saveFile(MainWindow& window, const QString& path, QMessageBox::StandardButton answer = QMessageBox::Ok)
{
    MessageBoxCatcher catcher(window, answer);
    const bool ok = DocumentsProbe{window}.save(path);
    return {ok, catcher.shown()};
}

// One critical box with this title and text and a single OK button.
void expectOneCriticalBox(const FileOutcome& outcome, const char* title, const QString& text)
{
    ASSERT_EQ(outcome.messages.size(), 1u) << "message boxes shown";
    const ShownMessage& box = outcome.messages.front();
    EXPECT_EQ(box.title.toStdString(), title);
    EXPECT_EQ(box.text.toStdString(), text.toStdString());
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

// The guided experiment whose title begins with `title`, or -1.
int presetTitled(const char* title)
{
    for (std::uint32_t index = 0; index < presetCount(); ++index) {
        if (QString::fromLatin1(makeExperimentPreset(index).title).startsWith(QLatin1String(title)))
            return static_cast<int>(index);
    }
    return -1;
}

QString presetTitle(int index)
{
    return QString::fromLatin1(makeExperimentPreset(static_cast<std::uint32_t>(index)).title);
}

// The first guided experiment whose file member `record` is enabled (with
// `curvature`, on a parameter only some kinds of object have), or -1.
int presetRunning(const char* record, bool curvature = false)
{
    for (std::uint32_t index = 0; index < presetCount(); ++index) {
        ExperimentDocument records;
        static_cast<ExperimentSettingsRecords&>(records) = makeExperimentPreset(index);
        const QJsonObject member = experimentDocumentToJson(records).value(QLatin1String(record)).toObject();
        if (member.value(QLatin1String("enabled")).toBool() &&
            (!curvature || member.value(QLatin1String("parameter")).toInt() >= SceneParameterCurvatureX))
            return static_cast<int>(index);
    }
    return -1;
}

QJsonObject readJsonFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return QJsonDocument::fromJson(file.readAll()).object();
}

void writeJsonFile(const QString& path, const QJsonObject& root)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(QJsonDocument(root).toJson());
}

// What differs between two documents, control by control and member by
// member. The name belongs to the file and is left out; the superposition
// phase is shown with one decimal, so it round-trips to 0.05 degree.
QStringList differences(const ExperimentDocument& a, const ExperimentDocument& b)
{
    QJsonObject left = experimentDocumentToJson(a);
    QJsonObject right = experimentDocumentToJson(b);
    QStringList found;
    const QJsonObject leftControls = left.take(QLatin1String("controls")).toObject();
    const QJsonObject rightControls = right.take(QLatin1String("controls")).toObject();
    QStringList names = leftControls.keys() + rightControls.keys();
    names.removeDuplicates();
    for (const QString& name : names) {
        if (leftControls.value(name) != rightControls.value(name)) {
            found << QStringLiteral("%1 (%2 vs %3)")
                         .arg(name, leftControls.value(name).toVariant().toString(),
                              rightControls.value(name).toVariant().toString());
        }
    }
    QJsonObject leftPreparation = left.take(QLatin1String("initialPreparation")).toObject();
    QJsonObject rightPreparation = right.take(QLatin1String("initialPreparation")).toObject();
    const double leftPhase = leftPreparation.take(QLatin1String("relativePhaseDegrees")).toDouble();
    const double rightPhase = rightPreparation.take(QLatin1String("relativePhaseDegrees")).toDouble();
    if (std::abs(leftPhase - rightPhase) > 0.05 || leftPreparation != rightPreparation)
        found << QStringLiteral("initialPreparation");
    for (const QString& member : left.keys()) {
        if (member != QLatin1String("name") && left.value(member) != right.value(member))
            found << member;
    }
    return found;
}

class DocumentsWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::appTestApplication();
        source = std::make_unique<MainWindow>(nullptr, false);
        target = std::make_unique<MainWindow>(nullptr, false);
        ASSERT_TRUE(folder.isValid());
    }

    void TearDown() override
    {
        source.reset();
        target.reset();
    }

    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }

    template <typename Widget>
    static Widget* control(MainWindow& window, const char* name)
    {
        auto* found = window.findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name << " is missing";
        return found;
    }

    // A teacher's edit of a spin box that takes effect only through Apply or
    // the next rebuild.
    static void edit(MainWindow& window, const char* name, double value)
    {
        auto* box = control<QDoubleSpinBox>(window, name);
        const QSignalBlocker blocker(box);
        box->setValue(value);
    }

    // The window's own document with a preset's settings, scene, preparation
    // and packet, on the 256 grid: the set-up of the round trips, made
    // without the guided loader. Its numbers are those the window's boxes
    // show on the preset's domain, as the guided loader leaves them: the
    // captured positions and sizes held to the preset's universe, a preset's
    // value beyond its box or finer than it held and rounded as the box does.
    static ExperimentDocument documentOfPreset(const MainWindow& window, int index)
    {
        ExperimentDocument document = unfittedDocumentOfPreset(window, index);
        const SimulationDomain2D domain(256, 256,
                                        document.controls.value(QStringLiteral("universeWidthSpinBox")).toFloat(),
                                        document.controls.value(QStringLiteral("universeHeightSpinBox")).toFloat());
        const std::vector<DomainSpinRange> ranges = domainSpinRanges(MainWindowProbe::form(window), window, domain);
        const auto fit = [&ranges](const QDoubleSpinBox* box, double value) {
            double minimum = box->minimum(), maximum = box->maximum();
            for (const DomainSpinRange& range : ranges) {
                if (range.box == box)
                    std::tie(minimum, maximum) = std::pair{range.minimum, range.maximum};
            }
            return QString::number(std::clamp(value, minimum, maximum), 'f', box->decimals()).toDouble();
        };
        for (auto entry = document.controls.begin(); entry != document.controls.end(); ++entry) {
            if (const auto* box = window.findChild<QDoubleSpinBox*>(entry.key()))
                entry.value() = fit(box, entry.value().toDouble());
        }
        document.measurementCollapseResolution =
            fit(MainWindowProbe::form(window).collapseResolutionSpinBox, document.measurementCollapseResolution);
        QJsonObject json = experimentDocumentToJson(document);
        for (const SettingsRange* row = settingsRangesBegin(); row != settingsRangesEnd(); ++row) {
            if (row->control == nullptr || row->decimals <= 0)
                continue;
            QJsonObject record = json.value(QLatin1String(row->object)).toObject();
            const double value = record.value(QLatin1String(row->field)).toDouble();
            record.insert(QLatin1String(row->field), QString::number(value, 'f', row->decimals).toDouble());
            json.insert(QLatin1String(row->object), record);
        }
        QString error;
        EXPECT_TRUE(parseExperimentDocument(json, document, error)) << error.toStdString();
        return document;
    }

    static ExperimentDocument unfittedDocumentOfPreset(const MainWindow& window, int index)
    {
        const ExperimentPreset preset = makeExperimentPreset(static_cast<std::uint32_t>(index));
        ExperimentDocument document = window.captureExperimentDocument();
        static_cast<ExperimentSettingsRecords&>(document) = preset;
        document.name = document.sourcePreset = QString::fromLatin1(preset.title);
        document.potentialScene = preset.scene;
        document.potentialSceneActive = preset.sceneActive;
        document.initialPreparation = preset.initialPreparation;
        document.measurementCollapseResolution = preset.measurementCollapseResolution;
        QVariantMap& controls = document.controls;
        controls[QStringLiteral("gridResolutionComboBox")] = 0;
        controls[QStringLiteral("universeWidthSpinBox")] = preset.universeWidth;
        controls[QStringLiteral("universeHeightSpinBox")] = preset.universeHeight;
        controls[QStringLiteral("boundaryModeComboBox")] = static_cast<int>(preset.boundaryModeIndex);
        controls[QStringLiteral("geometryComboBox")] = static_cast<int>(preset.geometryIndex);
        controls[QStringLiteral("centerXSpinBox")] = preset.packetCenterX;
        controls[QStringLiteral("centerYSpinBox")] = preset.packetCenterY;
        controls[QStringLiteral("sigmaSpinBox")] = preset.packetSigma;
        controls[QStringLiteral("momentumSpinBox")] = preset.packetMomentumX;
        controls[QStringLiteral("momentumYSpinBox")] = preset.packetMomentumY;
        controls[QStringLiteral("massSpinBox")] = preset.mass;
        return document;
    }

    static void apply(MainWindow& window, const ExperimentDocument& document)
    {
        QString error;
        window.applyExperimentDocument(document, error);
    }

    QTemporaryDir folder;
    inline static std::unique_ptr<MainWindow> source;
    inline static std::unique_ptr<MainWindow> target;
};

// Round trips through a file into the other window: what the first window
// shows is what the second one shows after loading.
TEST_F(DocumentsWindow, RoundTripsThroughAFileReproduceTheExperiment)
{
    struct Case {
        const char* what;
        int preset;
        std::function<void(ExperimentDocument&)> document;
        std::function<void(MainWindow&)> edits;               // after the apply, before the capture
        std::function<void(const ExperimentDocument&)> check; // of the document loaded
    };
    const auto boxes = {std::pair{"stadiumV0SpinBox", 37.5},
                        {"stadiumCenterXSpinBox", -1.25},
                        {"stadiumCenterYSpinBox", 0.75},
                        {"stadiumStraightSpinBox", 5.5},
                        {"stadiumRadiusSpinBox", 3.25}};
    const Case cases[] = {
        {"double well with superposition",
         12,
         [](ExperimentDocument& d) {
             d.initialPreparation = {InitialPreparationType::BoundSuperposition, 0, 1, 37.3};
         },
         {},
         [](const ExperimentDocument& d) {
             EXPECT_EQ(d.initialPreparation.type, InitialPreparationType::BoundSuperposition);
             EXPECT_NEAR(d.initialPreparation.relativePhaseDegrees, 37.3, 0.05);
         }},
        {"Aharonov-Bohm", 42, {}, {}, [](const ExperimentDocument& d) { EXPECT_TRUE(d.quantumAharonovBohm.enabled); }},
        {"Klein",
         47,
         [](ExperimentDocument& d) { d.controls[QStringLiteral("crossSectionAxisComboBox")] = 1; },
         {},
         [](const ExperimentDocument& d) {
             EXPECT_TRUE(d.quantumKleinTunneling.enabled);
             EXPECT_EQ(d.controls.value(QStringLiteral("crossSectionAxisComboBox")).toInt(), 1);
         }},
        // Kick, measurement and scar edits not yet applied are part of the document.
        {"kicked rotor",
         35,
         {},
         [](MainWindow& w) {
             edit(w, "kickedRotorStrengthSpinBox", 4.75);
             edit(w, "kickedRotorPeriodSpinBox", 0.7);
             edit(w, "zenoMeasurementPeriodSpinBox", 0.26);
             edit(w, "scarEnergySpinBox", 12.25);
         },
         [](const ExperimentDocument& d) {
             EXPECT_EQ(d.initialPreparation.type, InitialPreparationType::KickedRotor);
             EXPECT_EQ(d.kickedRotor.phaseStrength, 4.75);
             EXPECT_EQ(d.kickedRotor.kickPeriod, 0.7);
             EXPECT_EQ(d.quantumZeno.measurementPeriod, 0.26);
             EXPECT_EQ(d.quantumScar.referenceEnergy, 12.25);
         }},
        {"scene with a drive",
         17,
         {},
         {},
         [](const ExperimentDocument& d) {
             EXPECT_TRUE(d.periodicDrive.enabled);
             EXPECT_NE(d.potentialScene.find(d.periodicDrive.targetObjectId), nullptr);
         }},
        // The stadium page stands in for a scene that is off.
        {"legacy stadium", 37,
         [](ExperimentDocument& d) {
             d.potentialSceneActive = false;
             d.quantumScar.enabled = false;
         },
         [&boxes](MainWindow& w) {
             for (const auto& [name, value] : boxes)
                 edit(w, name, value);
         },
         [&boxes](const ExperimentDocument& d) {
             EXPECT_FALSE(d.potentialSceneActive);
             for (const auto& [name, value] : boxes)
                 EXPECT_EQ(control<QDoubleSpinBox>(*target, name)->value(), value) << name;
         }},
        // A well on the Barrier page: the tunnelling rows give the plane
        // wave's T through the well as painted, and the document still loads
        // whole.
        {"well on the barrier page",
         1,
         [](ExperimentDocument& d) {
             d.potentialSceneActive = false;
             d.controls[QStringLiteral("barrierV0SpinBox")] = -1.0;
         },
         {},
         [](const ExperimentDocument& d) {
             EXPECT_EQ(d.controls.value(QStringLiteral("barrierV0SpinBox")).toDouble(), -1.0);
             const auto* rows = control<QTableWidget>(*target, "diagnosticsTable");
             const QString regime = rows->item(33, 2)->text();
             EXPECT_TRUE(regime.startsWith(QStringLiteral("ABOVE BARRIER")) && regime.contains("V0=-1.000"))
                 << regime.toStdString();
             EXPECT_GT(rows->item(34, 2)->text().section(QLatin1Char(' '), 0, 0).mid(2).toDouble(), 0.9)
                 << rows->item(34, 2)->text().toStdString();
             EXPECT_FALSE(target->transportClock().isRunning());
             EXPECT_TRUE(DocumentsProbe{*target}.lastDocumentPath().endsWith(QStringLiteral("round.vxo.json")))
                 << "the loader stopped half-way";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ExperimentDocument setUp = documentOfPreset(*source, c.preset);
        if (c.document)
            c.document(setUp);
        apply(*source, setUp);
        if (c.edits)
            c.edits(*source);
        // A bound state and a drive target are chosen from the lists of
        // bound states and scene objects.
        const bool bound = static_cast<std::uint32_t>(setUp.initialPreparation.type) - 1u < 2u;
        if (bound) {
            ASSERT_GT(control<QComboBox>(*source, "boundStateComboBox")->count(), 0) << "no bound state listed";
        }
        if (setUp.periodicDrive.enabled) {
            ASSERT_GT(control<QComboBox>(*source, "periodicDriveTargetComboBox")->count(), 0)
                << "no drive target listed";
        }
        const ExperimentDocument before = source->captureExperimentDocument();
        const QString file = path("round.vxo.json");
        ASSERT_TRUE(saveFile(*source, file).ok);
        const FileOutcome loaded = loadFile(*target, file);
        EXPECT_TRUE(loaded.ok) << (loaded.messages.empty() ? "" : loaded.messages.front().text.toStdString());
        const ExperimentDocument after = target->captureExperimentDocument();
        EXPECT_EQ(differences(before, after).join(QStringLiteral(", ")).toStdString(), "");
        EXPECT_EQ(after.name.toStdString(), "round");
        EXPECT_EQ(after.controls.size(), 113) << "108 controls and the five stadium boxes";
        c.check(after);
    }
}

// A refused document leaves every member and control as it was, and the box
// shows the reader's or the check's own message.
TEST_F(DocumentsWindow, RefusedFilesChangeNothingAndSayWhy)
{
    MainWindow& window = *target;
    // A loaded experiment of its own: a file path, a title and a unit mapping.
    const QString previousFile = path("previous.vxo.json");
    QString error;
    ASSERT_TRUE(saveExperimentFile(previousFile, documentOfPreset(window, 42), error)) << error.toStdString();
    loadFile(window, previousFile);
    ASSERT_TRUE(DocumentsProbe{window}.scale().valid);

    // Every other document names a preset with another unit mapping.
    ExperimentDocument valid = documentOfPreset(window, 47);
    const QByteArray validBytes = experimentDocumentBytes(valid);
    const auto withControl = [&](const char* name, const QJsonValue& value) {
        QJsonObject root = QJsonDocument::fromJson(validBytes).object();
        QJsonObject controls = root.value(QLatin1String("controls")).toObject();
        controls.insert(QLatin1String(name), value);
        root.insert(QLatin1String("controls"), controls);
        return QJsonDocument(root).toJson();
    };
    const auto withoutControl = [&](const char* name) {
        QJsonObject root = QJsonDocument::fromJson(validBytes).object();
        QJsonObject controls = root.value(QLatin1String("controls")).toObject();
        controls.remove(QLatin1String(name));
        root.insert(QLatin1String("controls"), controls);
        return QJsonDocument(root).toJson();
    };
    QByteArray schema29 = validBytes;
    schema29.replace("\"schemaVersion\": 28", "\"schemaVersion\": 29");
    struct Case {
        const char* what;
        QByteArray bytes;
        QString message; // empty: the reader's own message
    };
    const Case cases[] = {
        {"malformed", validBytes.left(validBytes.size() / 2), {}},
        {"schema 29", schema29, {}},
        {"speed index 7", withControl("speedComboBox", 7),
         QStringLiteral("Invalid index 7 for control 'speedComboBox'.")},
        {"grid index -1", withControl("gridResolutionComboBox", -1),
         QStringLiteral("Invalid index -1 for control 'gridResolutionComboBox'.")},
        // A flag or text where a number belongs is named for what it is.
        {"view index as text", withControl("viewComboBox", QStringLiteral("phase")),
         QStringLiteral("Value \"phase\" for control 'viewComboBox' is not a number.")},
        {"view index as whole text", withControl("viewComboBox", QStringLiteral("1")),
         QStringLiteral("Value \"1\" for control 'viewComboBox' is not a number.")},
        {"grid index true", withControl("gridResolutionComboBox", true),
         QStringLiteral("Value true for control 'gridResolutionComboBox' is not a number.")},
        {"mass as text", withControl("massSpinBox", QStringLiteral("heavy")),
         QStringLiteral("Value \"heavy\" for control 'massSpinBox' is not a number.")},
        {"mass as numeric text", withControl("massSpinBox", QStringLiteral("2.5")),
         QStringLiteral("Value \"2.5\" for control 'massSpinBox' is not a number.")},
        {"sigma false", withControl("sigmaSpinBox", false),
         QStringLiteral("Value false for control 'sigmaSpinBox' is not a number.")},
        {"stadium radius as text", withControl("stadiumRadiusSpinBox", QStringLiteral("wide")),
         QStringLiteral("Value \"wide\" for control 'stadiumRadiusSpinBox' is not a number.")},
        {"detector bins as text", withControl("detectorBinsSpinBox", QStringLiteral("many")),
         QStringLiteral("Value \"many\" for control 'detectorBinsSpinBox' is not a number.")},
        {"detector bins true", withControl("detectorBinsSpinBox", true),
         QStringLiteral("Value true for control 'detectorBinsSpinBox' is not a number.")},
        {"missing sigma", withoutControl("sigmaSpinBox"),
         QStringLiteral("Experiment document is missing control 'sigmaSpinBox'.")},
        // Strengths the box would admit but single precision cannot hold.
        {"barrier of 1e308", withControl("barrierV0SpinBox", 1e308),
         QStringLiteral("Out-of-range value 1e+308 for control 'barrierV0SpinBox'.")},
        {"barrier of 1e39", withControl("barrierV0SpinBox", 1e39),
         QStringLiteral("Out-of-range value 1e+39 for control 'barrierV0SpinBox'.")},
        {"well of -1e308", withControl("rectangleV0SpinBox", -1e308),
         QStringLiteral("Out-of-range value -1e+308 for control 'rectangleV0SpinBox'.")},
        // Indices that wrap or round into the list.
        {"grid index 2^32", withControl("gridResolutionComboBox", 4294967296.0),
         QStringLiteral("Invalid index 4294967296 for control 'gridResolutionComboBox'.")},
        {"grid index 1e308", withControl("gridResolutionComboBox", 1e308),
         QStringLiteral("Invalid index 1e+308 for control 'gridResolutionComboBox'.")},
        {"grid index 2^32 + 2", withControl("gridResolutionComboBox", 4294967298.0),
         QStringLiteral("Invalid index 4294967298 for control 'gridResolutionComboBox'.")},
        {"grid index 2 - 2^32", withControl("gridResolutionComboBox", -4294967294.0),
         QStringLiteral("Invalid index -4294967294 for control 'gridResolutionComboBox'.")},
        {"grid index 1.5", withControl("gridResolutionComboBox", 1.5),
         QStringLiteral("Invalid index 1.5 for control 'gridResolutionComboBox'.")},
        {"speed index 1e300", withControl("speedComboBox", 1e300),
         QStringLiteral("Invalid index 1e+300 for control 'speedComboBox'.")},
    };
    DocumentsProbe probe{window};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString file = path("refused.vxo.json");
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(c.bytes);
        out.close();
        QString expected = c.message;
        if (expected.isEmpty()) {
            ExperimentDocument unused;
            ASSERT_FALSE(loadExperimentFile(file, unused, expected));
        }

        const QJsonObject documentBefore = experimentDocumentToJson(window.captureExperimentDocument());
        const RealWorldScaleMapping scaleBefore = probe.scale();
        const QString titleBefore = probe.title(), sourceBefore = probe.source();
        const int libraryBefore = control<QComboBox>(window, "experimentPresetComboBox")->currentIndex();
        const QString descriptionBefore = control<QLabel>(window, "experimentPresetDescriptionLabel")->text();
        const std::uint64_t revisionBefore = window.potentialField().revision();

        const FileOutcome outcome = loadFile(window, file);
        EXPECT_FALSE(outcome.ok);
        expectOneCriticalBox(outcome, "Load Experiment", expected);
        EXPECT_TRUE(experimentDocumentToJson(window.captureExperimentDocument()) == documentBefore);
        EXPECT_EQ(probe.scale().system, scaleBefore.system) << "unit mapping replaced";
        EXPECT_EQ(probe.scale().timeUnit, scaleBefore.timeUnit);
        EXPECT_EQ(probe.title(), titleBefore);
        EXPECT_EQ(probe.source(), sourceBefore);
        EXPECT_EQ(probe.lastDocumentPath(), previousFile);
        EXPECT_EQ(control<QComboBox>(window, "experimentPresetComboBox")->currentIndex(), libraryBefore);
        EXPECT_EQ(control<QLabel>(window, "experimentPresetDescriptionLabel")->text(), descriptionBefore);
        EXPECT_EQ(window.potentialField().revision(), revisionBefore) << "rebuilt";
    }

    // Documents that no file can hold are refused by the same checks.
    ExperimentDocument infinite = valid;
    infinite.controls[QStringLiteral("exposureSpinBox")] = std::numeric_limits<double>::infinity();
    QString message;
    EXPECT_FALSE(window.applyExperimentDocument(infinite, message));
    EXPECT_EQ(message.toStdString(), "Non-finite value for control 'exposureSpinBox'.");
    ExperimentDocument twoMissing = valid;
    twoMissing.controls.remove(QStringLiteral("toneMapComboBox"));
    twoMissing.controls.remove(QStringLiteral("speedComboBox"));
    EXPECT_FALSE(window.applyExperimentDocument(twoMissing, message));
    EXPECT_EQ(message.toStdString(), "Experiment document is missing control 'speedComboBox'.");
    EXPECT_EQ(probe.lastDocumentPath(), previousFile);
}

// The ending is added after the save dialog has closed, so the dialog's own
// question about replacing a file was about the name as typed: a file that
// exists under the name with its ending is replaced only when the user
// agrees; a name typed whole, which the dialog asked about, is not asked
// about again.
TEST_F(DocumentsWindow, SavingOverAnExistingFileAsksFirstWhenTheEndingIsAdded)
{
    MainWindow& window = *source;
    DocumentsProbe probe{window};
    const QByteArray kept("the user's notes");
    struct Case {
        const char* what;
        const char* typed;
        const char* written;
        bool existing;
        QMessageBox::StandardButton answer;
        bool asked;
        bool replaced;
    };
    const Case cases[] = {
        {"ending added, declined", "notes", "notes.vxo.json", true, QMessageBox::No, true, false},
        {"ending added, agreed", "notes", "notes.vxo.json", true, QMessageBox::Yes, true, true},
        {"ending added to another ending, declined", "notes.txt", "notes.txt.vxo.json", true, QMessageBox::No, true,
         false},
        {"ending added, no such file", "fresh", "fresh.vxo.json", false, QMessageBox::No, false, true},
        {"name typed whole", "whole.vxo.json", "whole.vxo.json", true, QMessageBox::No, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString target = path(c.written);
        QFile::remove(target);
        if (c.existing) {
            QFile file(target);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(kept);
        }
        const QString previousPath = probe.lastDocumentPath();
        const FileOutcome outcome = saveFile(window, path(c.typed), c.answer);
        EXPECT_EQ(outcome.ok, c.replaced);
        ASSERT_EQ(outcome.messages.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            const ShownMessage& question = outcome.messages.front();
            EXPECT_EQ(question.title.toStdString(), "Save Quantum Experiment");
            EXPECT_TRUE(question.text.contains(QLatin1String(c.written))) << question.text.toStdString();
            EXPECT_EQ(question.buttons, QMessageBox::Yes | QMessageBox::No);
        }
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (c.replaced) {
            ExperimentDocument written;
            QString error;
            EXPECT_TRUE(parseExperimentBytes(bytes, written, error)) << error.toStdString();
            EXPECT_EQ(probe.lastDocumentPath(), target);
        } else {
            EXPECT_EQ(bytes, kept) << "replaced without the user's consent";
            EXPECT_EQ(probe.lastDocumentPath(), previousPath);
        }
    }
}

TEST_F(DocumentsWindow, SavesNameTheFileAndFailuresKeepThePreviousOne)
{
    MainWindow& window = *source;
    DocumentsProbe probe{window};
    // The ending is added unless the name already ends in .json.
    struct Named {
        const char* chosen;
        const char* written;
        const char* title;
    };
    for (const Named& n :
         {Named{"run.JSON", "run.JSON", "run"}, Named{"run", "run.vxo.json", "run"},
          Named{"run.txt", "run.txt.vxo.json", "run"}, Named{"beam.vxo.json", "beam.vxo.json", "beam"}}) {
        const FileOutcome outcome = saveFile(window, path(n.chosen));
        EXPECT_TRUE(outcome.ok) << n.chosen;
        EXPECT_TRUE(outcome.messages.empty()) << n.chosen;
        EXPECT_TRUE(QFileInfo::exists(path(n.written))) << n.written;
        EXPECT_EQ(probe.lastDocumentPath(), path(n.written));
        EXPECT_EQ(probe.title().toStdString(), n.title);
        ExperimentDocument written;
        QString error;
        ASSERT_TRUE(loadExperimentFile(path(n.written), written, error)) << error.toStdString();
        EXPECT_EQ(written.name.toStdString(), n.title);
    }

    const QString previous = path("beam.vxo.json");
    QFile file(previous);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray previousBytes = file.readAll();
    file.close();
    // A folder that is a regular file, and a scene larger than any file may
    // hold (refused before anything is written): both are reported, and
    // neither touches the window's file or the file on disk.
    const QString underAFile = previous + QStringLiteral("/inside.vxo.json");
    {
        const FileOutcome outcome = saveFile(window, underAFile);
        EXPECT_FALSE(outcome.ok);
        ASSERT_EQ(outcome.messages.size(), 1u);
        EXPECT_EQ(outcome.messages.front().title.toStdString(), "Save Experiment");
        EXPECT_TRUE(
            outcome.messages.front().text.startsWith(QStringLiteral("Cannot open '%1' for writing: ").arg(underAFile)))
            << outcome.messages.front().text.toStdString();
    }
    PotentialObject spot;
    spot.kind = PotentialObjectKind::Circle;
    spot.enabled = false;
    spot.radius = 0.5f;
    while (window.scene().size() <= static_cast<std::size_t>(kMaximumSceneObjects))
        ASSERT_NE(probe.addToScene(spot), 0u);
    expectOneCriticalBox(
        saveFile(window, previous), "Save Experiment",
        QStringLiteral("Potential scene contains too many objects (513); a document holds at most 512."));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), previousBytes) << "the previous file was changed";
    EXPECT_EQ(probe.lastDocumentPath(), previous);
    EXPECT_EQ(probe.title().toStdString(), "beam");
}

// A name whose file is a folder, whether the ending is added or typed, is
// refused at once with a message that asks for another name, instead of
// asking to replace the folder and then failing; the folder and the window's
// file stay as they were.
TEST_F(DocumentsWindow, SavingToANameThatIsAFolderIsRefusedUnasked)
{
    MainWindow& window = *source;
    DocumentsProbe probe{window};
    ASSERT_TRUE(saveFile(window, path("kept.vxo.json")).ok);
    for (const auto& [typed, written] : {std::pair{"notes", "notes.vxo.json"}, std::pair{"typed.json", "typed.json"}}) {
        SCOPED_TRACE(typed);
        ASSERT_TRUE(QDir(folder.path()).mkpath(QLatin1String(written)));
        // A question would be answered yes.
        const FileOutcome outcome = saveFile(window, path(typed), QMessageBox::Yes);
        EXPECT_FALSE(outcome.ok);
        expectOneCriticalBox(
            outcome, "Save Experiment",
            QStringLiteral("Cannot save '%1': it is a folder. Choose another file name.").arg(path(written)));
        EXPECT_TRUE(QFileInfo(path(written)).isDir());
        EXPECT_TRUE(QDir(path(written)).isEmpty());
        EXPECT_EQ(probe.lastDocumentPath(), path("kept.vxo.json"));
    }
}

// A save that fails on a path of thousands of characters (folders nested
// past the system's limit) says why in a box that fits in half the screen,
// naming the file by the path's start and its file name; the box's details
// hold the whole message.
TEST_F(DocumentsWindow, AFailedSaveToALongPathSaysWhyInABoxThatFitsTheScreen)
{
    MainWindow& window = *source;
    const QString deep = path("lesson") + QStringLiteral("/lesson_lesson_lesson").repeated(200);
    const QString chosen = deep + QStringLiteral("/notes");
    const QString written = chosen + QStringLiteral(".vxo.json");
    ASSERT_GT(written.size(), 4096);
    const FileOutcome outcome = saveFile(window, chosen);
    EXPECT_FALSE(outcome.ok);
    ASSERT_EQ(outcome.messages.size(), 1u) << "message boxes shown";
    const ShownMessage& box = outcome.messages.front();
    EXPECT_EQ(box.title.toStdString(), "Save Experiment");
    EXPECT_EQ(box.icon, QMessageBox::Critical);
    EXPECT_LE(box.size.width(), box.screen.width() / 2) << box.size.width() << " px wide";
    EXPECT_LE(box.size.height(), box.screen.height() / 2) << box.size.height() << " px high";
    EXPECT_TRUE(box.text.contains(written.left(24))) << box.text.toStdString();
    EXPECT_TRUE(box.text.contains(QStringLiteral("notes.vxo.json'"))) << box.text.toStdString();
    EXPECT_TRUE(box.details.startsWith(QStringLiteral("Cannot open '%1' for writing: ").arg(written)))
        << box.details.left(80).toStdString();
}

// A document whose name shows nothing, made of control and direction
// characters, titles the window after its file, as a nameless one does.
TEST_F(DocumentsWindow, ANameThatShowsNothingTitlesTheWindowAfterTheFile)
{
    MainWindow& window = *target;
    DocumentsProbe probe{window};
    ExperimentDocument named = documentOfPreset(window, 1);
    const QString file = path("blank.vxo.json");
    for (const QString& name : {QStringLiteral("\u202e\u0001\u2066"), QStringLiteral("\u200f \u200e\t"),
                                QStringLiteral("\u0007\u061c\u2069")}) {
        named.name = name;
        QString error;
        ASSERT_TRUE(saveExperimentFile(file, named, error)) << error.toStdString();
        EXPECT_TRUE(loadFile(window, file).ok);
        EXPECT_EQ(probe.title().toStdString(), "blank");
        EXPECT_EQ(window.windowTitle().toStdString(), "Ondrivel - \u2068blank\u2069");
    }
}

// Saved under a file name that shows nothing before its ending (control and
// direction characters), the window is titled after the whole file name,
// and so is a window that loads that file again; a path that ends in a
// folder separator names no file and is refused, and nothing is written
// into the folder.
TEST_F(DocumentsWindow, ASaveUnderANameThatShowsNothingOrNoNameAtAllSaysSo)
{
    MainWindow& window = *source;
    for (const QString& name : {QStringLiteral("\u0001\u0002"), QStringLiteral("\u202e\u0007")}) {
        const QString file = folder.path() + QLatin1Char('/') + name + QStringLiteral(".vxo.json");
        ASSERT_TRUE(saveFile(window, file).ok);
        EXPECT_EQ(window.windowTitle().toStdString(), "Ondrivel - \u2068.vxo.json\u2069");
        ASSERT_TRUE(loadFile(*target, file).ok);
        EXPECT_EQ(target->windowTitle().toStdString(), "Ondrivel - \u2068.vxo.json\u2069");
    }

    const QString saved = DocumentsProbe{window}.lastDocumentPath();
    const QString title = window.windowTitle();
    const QString intoFolder = folder.path() + QStringLiteral("/");
    const FileOutcome outcome = saveFile(window, intoFolder);
    EXPECT_FALSE(outcome.ok);
    expectOneCriticalBox(
        outcome, "Save Experiment",
        QStringLiteral("Cannot save '%1': it names a folder, not a file. Choose a file name.").arg(intoFolder));
    EXPECT_FALSE(QFileInfo::exists(path(".vxo.json"))) << "a hidden file was written into the folder";
    EXPECT_EQ(DocumentsProbe{window}.lastDocumentPath(), saved);
    EXPECT_EQ(window.windowTitle(), title);
}

// The faults: the document's identity reaches the rebuild, the Klein page
// follows the document's own preset, a half-applied document owns the window.
TEST_F(DocumentsWindow, TheDocumentsIdentityComesInBeforeTheRebuild)
{
    MainWindow& window = *target;
    DocumentsProbe probe{window};
    ExperimentDocument billiard = documentOfPreset(window, 29);
    billiard.name = QStringLiteral("  My billiard  ");
    apply(window, billiard);
    EXPECT_EQ(probe.title().toStdString(), "My billiard");
    EXPECT_EQ(probe.source(), presetTitle(29));
    EXPECT_TRUE(probe.scale().valid);
    ASSERT_FALSE(window.waveField().empty()) << "the document was not rebuilt into a wave field";
    EXPECT_FALSE(window.recorder<BilliardRecorder>().initialState().empty())
        << "the rebuild did not see a billiard title";
    // The same scene under titles that name no billiard gets no recorder.
    billiard.name = QStringLiteral("Room");
    billiard.sourcePreset = QStringLiteral("Room");
    apply(window, billiard);
    EXPECT_TRUE(window.recorder<BilliardRecorder>().initialState().empty());
    EXPECT_FALSE(probe.scale().valid) << "a source that is no preset has no unit mapping";
}

TEST_F(DocumentsWindow, TheAnalysisPageFollowsTheDocumentsSourcePresetAndExperiment)
{
    MainWindow& window = *target;
    auto* library = control<QComboBox>(window, "experimentPresetComboBox");
    auto* pages = control<QStackedWidget>(window, "analysisStackedWidget");
    struct Case {
        int documentPreset;
        int librarySelection;
        const char* page;
        void (*edit)(ExperimentDocument&);
    };
    // A page belongs to its experiment's settings and to its prepared state, each alone.
    const Case cases[] = {
        {51, 0, "kleinHeightScanTab", nullptr},
        {53, 50, "diracMasslessTab", nullptr},
        {47, 52, "kleinTab", nullptr},
        {38, 0, "berryTab", [](ExperimentDocument& d) { d.quantumBerry.enabled = false; }},
        {38, 0, "berryTab",
         [](ExperimentDocument& d) { d.initialPreparation.type = InitialPreparationType::Gaussian; }},
        {40, 0, "moshinskyTab", [](ExperimentDocument& d) { d.quantumMoshinsky.enabled = false; }},
        {41, 0, "kapitzaDiracTab", [](ExperimentDocument& d) { d.quantumKapitzaDirac.enabled = false; }},
        {42, 0, "aharonovBohmTab", [](ExperimentDocument& d) { d.quantumAharonovBohm.enabled = false; }},
        {43, 0, "landauTab", [](ExperimentDocument& d) { d.quantumLandau.enabled = false; }},
        {44, 0, "hallEdgeTab", [](ExperimentDocument& d) { d.quantumHallEdge.enabled = false; }},
        {45, 0, "backflowTab", [](ExperimentDocument& d) { d.quantumBackflow.enabled = false; }},
        {46, 0, "zitterTab", [](ExperimentDocument& d) { d.quantumZitterbewegung.enabled = false; }},
    };
    for (const Case& c : cases) {
        {
            const QSignalBlocker blocker(library);
            library->setCurrentIndex(c.librarySelection);
        }
        pages->setCurrentIndex(0);
        ExperimentDocument document = documentOfPreset(window, c.documentPreset);
        if (c.edit)
            c.edit(document);
        QString error;
        EXPECT_TRUE(window.applyExperimentDocument(document, error)) << error.toStdString();
        EXPECT_EQ(pages->currentWidget()->objectName().toStdString(), c.page) << "preset " << c.documentPreset;
    }
}

int catalogueIndexOfSlug(const char* slug)
{
    for (std::uint32_t i = 0; i < presetCount(); ++i)
        if (QLatin1String(presetSlug(i)) == QLatin1String(slug))
            return static_cast<int>(i);
    return -1;
}

// A document starts the window as a new window would with it: its page is
// the one its guided experiment opens, whatever experiment was on before
// (the Landau lesson's page and hint stayed under a double slit).
TEST_F(DocumentsWindow, ADocumentLoadedAfterAnotherExperimentShowsThePageANewWindowShowsForIt)
{
    const auto pageOf = [](MainWindow& window) {
        return control<QStackedWidget>(window, "analysisStackedWidget")->currentWidget()->objectName().toStdString();
    };
    // A free packet, the double slit and the tunnelling barrier, saved from
    // their guided loads; then loaded after the Landau and the kicked-rotor
    // lessons, whose pages are their own.
    for (const char* saved : {"free_wave_packet", "double_slit", "quantum_tunneling"}) {
        const int preset = catalogueIndexOfSlug(saved);
        ASSERT_GE(preset, 0) << saved;
        source->loadGuidedExperiment(preset);
        const std::string guidedPage = pageOf(*source);
        const ExperimentDocument document = source->captureExperimentDocument();
        QString error;
        {
            MainWindow fresh(nullptr, false);
            ASSERT_TRUE(fresh.applyExperimentDocument(document, error)) << saved << ": " << error.toStdString();
            EXPECT_EQ(pageOf(fresh), guidedPage) << saved << " in a new window";
        }
        for (const char* before : {"landau_cyclotron", "kicked_rotor"}) {
            target->loadGuidedExperiment(catalogueIndexOfSlug(before));
            ASSERT_NE(pageOf(*target), guidedPage) << before << ": the case is void";
            ASSERT_TRUE(target->applyExperimentDocument(document, error)) << saved << ": " << error.toStdString();
            EXPECT_EQ(pageOf(*target), guidedPage) << saved << " after " << before;
        }
    }
}

TEST_F(DocumentsWindow, ADocumentWhoseBoundStateCannotBeRebuiltLoadsAndSaysWhatIsMissing)
{
    MainWindow& window = *target;
    DocumentsProbe probe{window};
    // A flat potential holds no bound state to prepare.
    ExperimentDocument flat = documentOfPreset(window, 0);
    flat.name = QStringLiteral("Flat eigenstate");
    flat.sourcePreset = presetTitle(42);
    flat.potentialScene.clear();
    flat.controls[QStringLiteral("geometryComboBox")] = 0;
    flat.initialPreparation = {InitialPreparationType::BoundEigenstate, 2, 3, 90.0};
    const QString file = path("flat.vxo.json");
    QString error;
    ASSERT_TRUE(saveExperimentFile(file, flat, error)) << error.toStdString();

    // The load is reported as one: loaded, with what it could not restore,
    // and the window holds the whole document but for that state.
    const FileOutcome outcome = loadFile(window, file);
    EXPECT_TRUE(outcome.ok);
    ASSERT_EQ(outcome.messages.size(), 1u);
    const ShownMessage& box = outcome.messages.front();
    EXPECT_EQ(box.title.toStdString(), "Load Experiment");
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Experiment configuration loaded: %1").arg(file)))
        << box.text.toStdString();
    EXPECT_TRUE(box.text.contains(
        QStringLiteral("Saved bound-state preparation cannot be reconstructed for the loaded potential.")))
        << box.text.toStdString();
    EXPECT_EQ(window.statusBar()->currentMessage(), QStringLiteral("Experiment configuration loaded: %1").arg(file));
    ExperimentDocument gaussian = flat;
    gaussian.initialPreparation.type = InitialPreparationType::Gaussian;
    EXPECT_EQ(differences(window.captureExperimentDocument(), gaussian), QStringList())
        << "the window does not hold the document";
    EXPECT_EQ(probe.lastDocumentPath(), file) << "Save would offer the previous file";
    EXPECT_EQ(probe.title().toStdString(), "Flat eigenstate");
    EXPECT_EQ(probe.source(), presetTitle(42));
    EXPECT_EQ(control<QComboBox>(window, "experimentPresetComboBox")->currentIndex(), 42);
    EXPECT_EQ(control<QLabel>(window, "experimentPresetDescriptionLabel")->text().toStdString(),
              "Custom JSON experiment loaded from flat.vxo.json. Built-in presets remain read-only and unchanged.");
}

// Two saved states the loaded well does not both hold fold onto its highest
// one: a superposition of a state with itself is refused, not prepared.
TEST_F(DocumentsWindow, SavedStatesThatFoldOntoOneAreRefused)
{
    MainWindow& window = *target;
    ExperimentDocument shallow = documentOfPreset(window, 12);
    shallow.initialPreparation = {InitialPreparationType::BoundSuperposition, 6, 7, 90.0};
    QString error;
    EXPECT_FALSE(window.applyExperimentDocument(shallow, error));
    EXPECT_EQ(error.toStdString(), "Saved bound-state superposition refers to the same state twice.");
    const int found = control<QComboBox>(window, "boundStateComboBox")->count();
    EXPECT_GT(found, 0) << "the well holds bound states";
    EXPECT_LT(found, 7) << "the well must hold fewer states than the saved ones for them to fold";
}

TEST_F(DocumentsWindow, FilesWithoutTheStadiumBoxesLoadAsBefore)
{
    MainWindow& window = *target;
    edit(window, "stadiumRadiusSpinBox", 2.75);
    ExperimentDocument older = documentOfPreset(window, 1);
    older.name.clear();
    for (const char* name : {"stadiumV0SpinBox", "stadiumCenterXSpinBox", "stadiumCenterYSpinBox",
                             "stadiumStraightSpinBox", "stadiumRadiusSpinBox"})
        older.controls.remove(QLatin1String(name));
    const QString file = path("older.vxo.json");
    QString error;
    ASSERT_TRUE(saveExperimentFile(file, older, error)) << error.toStdString();
    const FileOutcome outcome = loadFile(window, file);
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(control<QDoubleSpinBox>(window, "stadiumRadiusSpinBox")->value(), 2.75);
    EXPECT_EQ(DocumentsProbe{window}.title().toStdString(), "older") << "a nameless file is titled after its file";
}

// Walls that each hold a legal single-precision strength but overlap beyond
// the float range: the experiment still steps to finite values.
TEST_F(DocumentsWindow, OverlappingWallsAtTheFloatLimitStepToFiniteValues)
{
    MainWindow& window = *target;
    ExperimentDocument walls = documentOfPreset(window, 28);
    std::vector<PotentialObject> objects = walls.potentialScene.objects();
    ASSERT_GE(objects.size(), 2u) << "the revivals box has walls that meet";
    for (PotentialObject& object : objects)
        object.value = 3e38f;
    ASSERT_TRUE(walls.potentialScene.replaceObjects(objects));
    walls.potentialSceneActive = true;
    const QString file = path("walls.vxo.json");
    QString error;
    ASSERT_TRUE(saveExperimentFile(file, walls, error)) << error.toStdString();

    const FileOutcome outcome = loadFile(window, file);
    ASSERT_TRUE(outcome.ok) << (outcome.messages.empty() ? "" : outcome.messages.front().text.toStdString());
    window.stepOnce();
    const PotentialField2D& potential = window.potentialField();
    EXPECT_TRUE(std::isfinite(potential.maxValue())) << "V max";
    EXPECT_TRUE(std::isfinite(potential.minValue())) << "V min";
    EXPECT_GE(potential.maxValue(), 3e38f) << "the walls were weakened";
    const ObservableHistory& history = window.observableHistory();
    ASSERT_FALSE(history.empty());
    const double norm = history.samples().back().norm;
    EXPECT_TRUE(std::isfinite(norm)) << "norm " << norm;
    EXPECT_GT(norm, 0.5) << "the packet vanished";
    const ComplexField2D& psi = window.waveField();
    for (std::uint64_t c = 0; c < psi.size(); ++c)
        ASSERT_TRUE(std::isfinite(std::norm(psi.data()[c]))) << "cell " << c;
}

// A name as long as a document may hold loads; the window title and the
// diagnostics show a bounded part of it, which the window system accepts,
// and the document keeps the whole name. A name of 16 MiB (a file within the
// size limit) is refused before it is parsed, and the window keeps its own.
TEST_F(DocumentsWindow, AHugeNameLoadsAndIsShownBounded)
{
    MainWindow& window = *target;
    ASSERT_TRUE(test::showAndWait(window)) << "the window was not shown";
    ExperimentDocument named = documentOfPreset(window, 1);
    const QString name = QStringLiteral("Lesson ") +
                         QString(static_cast<int>(kMaximumDocumentTextCharacters) - 9, QLatin1Char('n')) +
                         QStringLiteral(" 4");
    named.name = name;
    const QString file = path("named.vxo.json");
    QString error;
    ASSERT_TRUE(saveExperimentFile(file, named, error)) << error.toStdString();

    const FileOutcome outcome = loadFile(window, file);
    EXPECT_TRUE(outcome.ok);
    test::settle();
    const QString title = window.windowTitle();
    EXPECT_LT(title.size(), 400) << "title of " << title.size() << " characters";
    EXPECT_TRUE(title.startsWith(QStringLiteral("Ondrivel - \u2068Lesson nnn"))) << title.left(40).toStdString();
    EXPECT_TRUE(title.contains(QStringLiteral("nnn 4"))) << "the name's end is shown";
    EXPECT_EQ(window.captureExperimentDocument().name, name) << "the document's name was cut";

    named.name = QStringLiteral("Lesson ") + QString(16 * 1024 * 1024, QLatin1Char('n'));
    const QString huge = path("huge.vxo.json");
    QFile written(huge);
    ASSERT_TRUE(written.open(QIODevice::WriteOnly));
    ASSERT_GT(written.write(experimentDocumentBytes(named)), 16 * 1024 * 1024);
    written.close();
    expectOneCriticalBox(loadFile(window, huge), "Load Experiment",
                         QStringLiteral("Experiment document contains a text longer than %1 characters.")
                             .arg(kMaximumDocumentTextCharacters));
    EXPECT_EQ(window.windowTitle(), title);
    window.hide();
}

// Every guided experiment, saved and loaded into the other window, comes
// back with the same controls, records and scene. Its file rewritten at an
// earlier schema, without the members that schema lacks (schema 1 with the
// controls alone, the schema before each member came, 27), loads too, and the
// window then holds what the file of the latest schema gives it for every
// member the earlier file has: a member it lacks takes a default that fits
// the preset's own universe (the Klein packet's default start lies outside
// the 16-wide universe of 13 presets). A rewrite that reads as a document
// already loaded would load as that one did, and is not loaded again.
TEST_F(DocumentsWindow, EveryPresetComesBackFromItsFile)
{
    std::set<int> versions{1, 27};
    std::map<QString, int> versionOf;
    for (const auto& [key, version] : test::rootMemberVersions()) {
        versions.insert(version - 1);
        versionOf[QLatin1String(key)] = version;
    }
    int loads = 0;
    for (int index = 0; index < static_cast<int>(presetCount()); ++index) {
        SCOPED_TRACE(index);
        source->loadGuidedExperiment(index);
        const ExperimentDocument before = source->captureExperimentDocument();
        ASSERT_EQ(before.sourcePreset.toStdString(), presetTitle(index).toStdString())
            << "the guided experiment was not loaded";
        const QString file = path("preset.vxo.json");
        ASSERT_TRUE(saveFile(*source, file).ok);
        const FileOutcome loaded = loadFile(*target, file);
        EXPECT_TRUE(loaded.ok) << (loaded.messages.empty() ? "" : loaded.messages.front().text.toStdString());
        const ExperimentDocument latest = target->captureExperimentDocument();
        EXPECT_EQ(differences(before, latest).join(QStringLiteral(", ")).toStdString(), "");

        const QJsonObject saved = readJsonFile(file);
        ExperimentDocument latestRead;
        QString latestError;
        ASSERT_TRUE(parseExperimentDocument(saved, latestRead, latestError)) << latestError.toStdString();
        std::vector<QJsonObject> documentsLoaded{experimentDocumentToJson(latestRead)};
        for (const int version : versions) {
            SCOPED_TRACE(testing::Message() << "schema " << version);
            QJsonObject rewritten = saved;
            rewritten.insert(QStringLiteral("schemaVersion"), version);
            for (const auto& [key, since] : versionOf) {
                if (since > version)
                    rewritten.remove(key);
            }
            ExperimentDocument read;
            QString error;
            ASSERT_TRUE(parseExperimentDocument(rewritten, read, error)) << error.toStdString();
            const QJsonObject json = experimentDocumentToJson(read);
            if (std::find(documentsLoaded.begin(), documentsLoaded.end(), json) != documentsLoaded.end())
                continue;
            documentsLoaded.push_back(json);
            const QString earlier = path("earlier.vxo.json");
            writeJsonFile(earlier, rewritten);
            const FileOutcome opened = loadFile(*target, earlier);
            ++loads;
            ASSERT_TRUE(opened.ok) << (opened.messages.empty() ? "" : opened.messages.front().text.toStdString());
            EXPECT_TRUE(opened.messages.empty()) << opened.messages.front().text.toStdString();
            // What the earlier file has: its controls and its members. A
            // prepared state whose settings came after it (the Klein spinor
            // in a file of schema 27) has no settings to be prepared from.
            const auto preparedSince = [&](InitialPreparationType type) {
                using It = InitialPreparationType;
                const std::map<It, const char*> settings = {
                    {It::TalbotComb, "talbotInitialState"},
                    {It::Vortex, "vortexInitialState"},
                    {It::AndersonDualLane, "andersonInitialState"},
                    {It::KickedRotor, "kickedRotorInitialState"},
                    {It::QuantumZeno, "quantumZenoInitialState"},
                    {It::BerryFirstExcited, "quantumBerry"},
                    {It::MoshinskyShutter, "moshinskyInitialState"},
                    {It::KapitzaDiracBeam, "kapitzaDiracInitialState"},
                    {It::AharonovBohmBeam, "quantumAharonovBohm"},
                    {It::LandauMagneticState, "quantumLandau"},
                    {It::QuantumHallEdgeState, "quantumHallEdge"},
                    {It::QuantumBackflowState, "quantumBackflow"},
                    {It::DiracZitterbewegungState, "quantumZitterbewegung"},
                    {It::DiracKleinTunnelingState, "quantumKleinTunneling"},
                };
                const auto found = settings.find(type);
                return versionOf.at(QLatin1String(found != settings.end() ? found->second : "initialPreparation"));
            };
            QStringList held;
            for (const QString& difference : differences(target->captureExperimentDocument(), latest)) {
                const QString member = difference.section(QLatin1Char(' '), 0, 0);
                const bool control = !versionOf.count(member) && member != QLatin1String("initialPreparation");
                const int since = member == QLatin1String("initialPreparation")
                                      ? preparedSince(latest.initialPreparation.type)
                                      : (control ? 1 : versionOf.at(member));
                if (since <= version)
                    held << difference;
            }
            EXPECT_EQ(held.join(QStringLiteral(", ")).toStdString(), "");
        }
    }
    EXPECT_GT(loads, static_cast<int>(presetCount()) * 3) << "the rewrites read as too few documents";
}

// What a box lets a student set, the window's Save keeps and Load gives
// back, whatever the experiment makes of it beside the other values.
TEST_F(DocumentsWindow, ValuesTheBoxesOfferAreSavedAndLoadedBack)
{
    struct Case {
        const char* preset;
        const char* box;
        double value;
        const char* said; // what the run says of it, as the window names the experiment
    };
    const Case cases[] = {
        {"Single Slit Diffraction", "kapitzaDiracStartSpinBox", 1000.0, nullptr}, // the pulse is not in use
        {"Quantum Hall Edge State", "hallEdgeYSpinBox", -18.0, nullptr},          // the launch is above the edge
        {"Quantum Hall Edge State", "hallEdgeYSpinBox", 8.0, nullptr},            // the launch is below the edge
        {"Quantum Backflow", "backflowSlowKSpinBox", 8.0, nullptr},               // above the fast band
        {"Klein Tunneling / Supercritical", "kleinDetectorXSpinBox", -15.0,       // in front of the barrier
         "Klein Tunneling: the detector must lie beyond the barrier"},
        {"Landau Levels / Cyclotron", "landauFieldSpinBox", 0.0, nullptr}, // enabled without a field
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.preset << ", " << c.box << " = " << c.value);
        const int preset = presetTitled(c.preset);
        ASSERT_GE(preset, 0) << "no such guided experiment";
        source->loadGuidedExperiment(preset);
        edit(*source, c.box, c.value);
        // Run as the student runs it: Reset rebuilds with the new value.
        control<QAbstractButton>(*source, "resetButton")->click();
        if (c.said != nullptr) {
            EXPECT_TRUE(source->statusBar()->currentMessage().startsWith(QLatin1String(c.said)))
                << source->statusBar()->currentMessage().toStdString();
        }
        const ExperimentDocument before = source->captureExperimentDocument();
        const QString file = path("edge.vxo.json");
        const FileOutcome saved = saveFile(*source, file);
        ASSERT_TRUE(saved.ok) << (saved.messages.empty() ? "" : saved.messages.front().text.toStdString());
        const FileOutcome loaded = loadFile(*target, file);
        ASSERT_TRUE(loaded.ok) << (loaded.messages.empty() ? "" : loaded.messages.front().text.toStdString());
        EXPECT_EQ(control<QDoubleSpinBox>(*target, c.box)->value(), c.value);
        EXPECT_EQ(differences(before, target->captureExperimentDocument()).join(QStringLiteral(", ")).toStdString(),
                  "");
    }
}

// A protocol switched on whose target the scene cannot drive (a parameter
// the object does not have, a shutter that is no wall) acts on nothing. Save
// keeps it as the window runs it, switched off with every value it holds, and
// the loaded window runs the same potential.
TEST_F(DocumentsWindow, ProtocolsWithoutADrivableTargetAreKeptAsTheWindowRanThem)
{
    struct Case {
        const char* what;
        const char* preset;
        const char* enable;
        const char* target;
        const char* parameter; // null: the shutter, which has none
    };
    const Case cases[] = {
        {"quench", "Ramsey Ensemble", "quenchEnabledCheckBox", "quenchTargetComboBox", "quenchParameterComboBox"},
        {"sweep", "Ramsey Ensemble", "linearSweepEnabledCheckBox", "linearSweepTargetComboBox",
         "linearSweepParameterComboBox"},
        {"pulse sequence", "Ramsey Ensemble", "ramseyEnabledCheckBox", "ramseyTargetComboBox",
         "ramseyParameterComboBox"},
        {"shutter", "Berry Phase", "moshinskyEnabledCheckBox", "moshinskyTargetComboBox", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int preset = presetTitled(c.preset);
        ASSERT_GE(preset, 0);
        source->loadGuidedExperiment(preset);
        // A drive target that no harmonic parameter fits; the shutter lists
        // walls only, and the trap's scene has none: its target is gone.
        auto* targets = control<QComboBox>(*source, c.target);
        int unfit = -1;
        for (int i = 0; i < targets->count() && unfit < 0; ++i) {
            const PotentialObject* object =
                DocumentsProbe{*source}.scene().find(targets->itemData(i, Qt::UserRole).toULongLong());
            if (object != nullptr && object->kind != PotentialObjectKind::Harmonic)
                unfit = i;
        }
        if (c.parameter != nullptr) {
            ASSERT_GE(unfit, 0) << "the scene has no object to mistarget";
        } else {
            ASSERT_EQ(targets->count(), 0) << "the scene has a wall for the shutter";
        }
        // As a student sets them, each change handled by the window.
        if (c.parameter != nullptr) {
            targets->setCurrentIndex(unfit);
            control<QComboBox>(*source, c.parameter)->setCurrentIndex(3); // Harmonic kX
        }
        control<QCheckBox>(*source, c.enable)->setChecked(true);
        MainWindowProbe::stepTick(*source);
        const ExperimentDocument before = source->captureExperimentDocument();

        const QString file = path("mistargeted.vxo.json");
        const FileOutcome saved = saveFile(*source, file);
        ASSERT_TRUE(saved.ok) << (saved.messages.empty() ? "" : saved.messages.front().text.toStdString());
        const FileOutcome loaded = loadFile(*target, file);
        ASSERT_TRUE(loaded.ok) << (loaded.messages.empty() ? "" : loaded.messages.front().text.toStdString());
        EXPECT_FALSE(control<QCheckBox>(*target, c.enable)->isChecked()) << "kept as the window ran it: off";
        EXPECT_EQ(control<QComboBox>(*target, c.target)->currentIndex(), unfit);
        EXPECT_EQ(differences(before, target->captureExperimentDocument()).join(QStringLiteral(", ")).toStdString(),
                  "");
        MainWindowProbe::stepTick(*target);
        const PotentialField2D& ran = source->potentialField();
        const PotentialField2D& runs = target->potentialField();
        ASSERT_EQ(ran.size(), runs.size());
        EXPECT_TRUE(std::equal(ran.data(), ran.data() + ran.size(), runs.data()))
            << "the loaded window runs another potential";
    }
}

// A teacher's file whose drive names an object its scene lacks is worth more
// loaded than refused: everything else is as the teacher wrote it, the drive
// is off, and the load says which record and which object.
TEST_F(DocumentsWindow, ADocumentNamingAMissingTargetLoadsWithThatRecordOffAndSaysWhich)
{
    MainWindow& window = *target;
    const ExperimentDocument document = documentOfPreset(window, 16);
    QJsonObject root = experimentDocumentToJson(document);
    QJsonObject drive = root.value(QLatin1String("periodicDrive")).toObject();
    drive.insert(QLatin1String("targetObjectId"), QStringLiteral("77"));
    root.insert(QLatin1String("periodicDrive"), drive);
    const QString file = path("missing-target.vxo.json");
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QJsonDocument(root).toJson());
    }

    const FileOutcome outcome = loadFile(window, file);
    EXPECT_TRUE(outcome.ok);
    ASSERT_EQ(outcome.messages.size(), 1u);
    const ShownMessage& box = outcome.messages.front();
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    // Named as the window names the experiment, not by the file's member.
    EXPECT_TRUE(box.text.contains(QStringLiteral("Switched off: Periodic drive, because")) &&
                box.text.contains(QStringLiteral("object #77")))
        << box.text.toStdString();
    EXPECT_FALSE(control<QCheckBox>(window, "periodicDriveEnabledCheckBox")->isChecked());
    EXPECT_TRUE(control<QLabel>(window, "rabiSummaryLabel")->text().contains(QStringLiteral("object #77")))
        << control<QLabel>(window, "rabiSummaryLabel")->text().toStdString();

    // The window holds the rest of the file as the file with its target
    // loads it; the drive is off, its selector offering the first object.
    const QString whole = path("whole.vxo.json");
    QString error;
    ASSERT_TRUE(saveExperimentFile(whole, document, error)) << error.toStdString();
    ASSERT_TRUE(loadFile(*source, whole).ok);
    ExperimentDocument off = source->captureExperimentDocument();
    off.periodicDrive.enabled = false;
    off.periodicDrive.targetObjectId = document.potentialScene.objects().front().id;
    EXPECT_EQ(differences(window.captureExperimentDocument(), off).join(QStringLiteral(", ")).toStdString(), "");
}

// A protocol whose target is now an object of another kind, without the
// parameter it varies or the shape it needs (a drive's slope on what is now a
// rectangle, the shutter's wall or the Berry loop's trap now a Gaussian),
// loads switched off as one whose target is missing does: Load names the
// experiment, the object and what it lacks as the window names them, and the
// rest of the file loads.
TEST_F(DocumentsWindow, ATargetOfAnotherKindLoadsWithItsRecordOffAndSaysWhy)
{
    struct Case {
        const char* record;    // the file's member
        const char* enable;    // its box
        const char* title;     // the experiment as Load names it
        const char* targetKey; // null: the Berry loop's trap, the scene's harmonic object
        const char* parameter; // the drive's parameter list; null for the shutter and the loop
        const char* kind;      // what the target becomes
        const char* lacks;     // for the shutter and the loop
    };
    const Case cases[] = {
        {"quantumQuench", "quenchEnabledCheckBox", "Quench", "targetObjectId", "quenchParameterComboBox", "rectangle",
         nullptr},
        {"periodicDrive", "periodicDriveEnabledCheckBox", "Periodic drive", "targetObjectId",
         "periodicDriveParameterComboBox", "rectangle", nullptr},
        {"linearSweep", "linearSweepEnabledCheckBox", "Linear sweep", "targetObjectId", "linearSweepParameterComboBox",
         "rectangle", nullptr},
        {"ramseySequence", "ramseyEnabledCheckBox", "Ramsey", "targetObjectId", "ramseyParameterComboBox", "rectangle",
         nullptr},
        {"quantumMoshinsky", "moshinskyEnabledCheckBox", "Diffraction in Time", "shutterObjectId", nullptr, "gaussian",
         "Moshinsky shutter must be a vertical Barrier or Rectangle"},
        {"quantumBerry", "berryEnabledCheckBox", "Berry Phase", nullptr, nullptr, "gaussian",
         "Berry Phase expects one isolated isotropic Harmonic trap"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.record);
        // The first guided experiment that runs the protocol on a parameter
        // only some kinds of object have.
        const int preset = presetRunning(c.record, c.parameter != nullptr);
        ASSERT_GE(preset, 0) << "no guided experiment runs it";
        source->loadGuidedExperiment(preset);
        ASSERT_TRUE(control<QCheckBox>(*source, c.enable)->isChecked());
        const QString file = path("another-kind.vxo.json");
        ASSERT_TRUE(saveFile(*source, file).ok);
        QJsonObject root = readJsonFile(file);
        QJsonObject scene = root.value(QLatin1String("potentialScene")).toObject();
        QJsonArray objects = scene.value(QLatin1String("objects")).toArray();
        QString id = c.targetKey != nullptr
                         ? root.value(QLatin1String(c.record)).toObject().value(QLatin1String(c.targetKey)).toString()
                         : QString();
        bool swapped = false;
        for (int i = 0; i < objects.size(); ++i) {
            QJsonObject object = objects.at(i).toObject();
            const bool target = c.targetKey != nullptr
                                    ? object.value(QLatin1String("id")).toString() == id
                                    : object.value(QLatin1String("type")) == QLatin1String("harmonic");
            if (!target || swapped)
                continue;
            id = object.value(QLatin1String("id")).toString();
            object.insert(QLatin1String("type"), QLatin1String(c.kind));
            objects.replace(i, object);
            swapped = true;
        }
        ASSERT_TRUE(swapped) << "the scene has no target to swap";
        scene.insert(QLatin1String("objects"), objects);
        root.insert(QLatin1String("potentialScene"), scene);
        writeJsonFile(file, root);

        const FileOutcome loaded = loadFile(*target, file);
        ASSERT_TRUE(loaded.ok) << (loaded.messages.empty() ? "" : loaded.messages.front().text.toStdString());
        ASSERT_EQ(loaded.messages.size(), 1u);
        const ShownMessage& box = loaded.messages.front();
        EXPECT_EQ(box.icon, QMessageBox::Warning);
        const QString lacks =
            c.parameter != nullptr
                ? QStringLiteral("\"%1\"").arg(control<QComboBox>(*target, c.parameter)->currentText())
                : QLatin1String(c.lacks);
        EXPECT_TRUE(box.text.contains(QStringLiteral("Switched off: %1, because ").arg(QLatin1String(c.title))) &&
                    box.text.contains(QStringLiteral("object #%1").arg(id)) && box.text.contains(lacks))
            << box.text.toStdString();
        EXPECT_FALSE(control<QCheckBox>(*target, c.enable)->isChecked());
        EXPECT_EQ(target->captureExperimentDocument().potentialScene.size(),
                  source->captureExperimentDocument().potentialScene.size());
    }
}

// A protocol whose target object is switched off, or whose whole scene is,
// cannot act: it loads switched off, as one whose target is missing does,
// Load says so by name, and the next Save writes it off as the window shows
// it.
TEST_F(DocumentsWindow, ARecordWhoseTargetOrSceneIsSwitchedOffLoadsOffWithANoteAndSavesOff)
{
    const struct {
        const char* record;
        const char* enable;
        const char* title;
        const char* targetKey; // null: the Berry loop's trap, the scene's harmonic object
    } cases[] = {
        {"quantumQuench", "quenchEnabledCheckBox", "Quench", "targetObjectId"},
        {"periodicDrive", "periodicDriveEnabledCheckBox", "Periodic drive", "targetObjectId"},
        {"linearSweep", "linearSweepEnabledCheckBox", "Linear sweep", "targetObjectId"},
        {"ramseySequence", "ramseyEnabledCheckBox", "Ramsey", "targetObjectId"},
        {"quantumMoshinsky", "moshinskyEnabledCheckBox", "Diffraction in Time", "shutterObjectId"},
        {"quantumBerry", "berryEnabledCheckBox", "Berry Phase", nullptr},
    };
    for (const auto& c : cases) {
        for (const bool wholeScene : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.record << (wholeScene ? ", scene off" : ", target off"));
            const int preset = presetRunning(c.record);
            ASSERT_GE(preset, 0) << "no guided experiment runs it";
            source->loadGuidedExperiment(preset);
            const QString file = path("switched-off.vxo.json");
            ASSERT_TRUE(saveFile(*source, file).ok);
            QJsonObject root = readJsonFile(file);
            QJsonObject scene = root.value(QLatin1String("potentialScene")).toObject();
            QString id;
            if (wholeScene) {
                scene.insert(QLatin1String("active"), false);
            } else {
                QJsonArray objects = scene.value(QLatin1String("objects")).toArray();
                id = c.targetKey != nullptr
                         ? root.value(QLatin1String(c.record)).toObject().value(QLatin1String(c.targetKey)).toString()
                         : QString();
                for (int i = 0; i < objects.size(); ++i) {
                    QJsonObject object = objects.at(i).toObject();
                    const bool isTarget = c.targetKey != nullptr
                                              ? object.value(QLatin1String("id")).toString() == id
                                              : object.value(QLatin1String("type")) == QLatin1String("harmonic");
                    if (isTarget) {
                        id = object.value(QLatin1String("id")).toString();
                        object.insert(QLatin1String("enabled"), false);
                        objects.replace(i, object);
                        break;
                    }
                }
                ASSERT_FALSE(id.isEmpty()) << "the scene has no target to switch off";
                scene.insert(QLatin1String("objects"), objects);
            }
            root.insert(QLatin1String("potentialScene"), scene);
            writeJsonFile(file, root);

            const FileOutcome loaded = loadFile(*target, file);
            ASSERT_TRUE(loaded.ok) << (loaded.messages.empty() ? "" : loaded.messages.front().text.toStdString());
            ASSERT_EQ(loaded.messages.size(), 1u) << "Load says nothing";
            const QString note = loaded.messages.front().text;
            EXPECT_TRUE(note.contains(QStringLiteral("Switched off: %1, because ").arg(QLatin1String(c.title))) &&
                        (wholeScene ? note.contains(QStringLiteral("Potential Scene is off"))
                                    : note.contains(QStringLiteral("object #%1").arg(id))))
                << note.toStdString();
            EXPECT_FALSE(control<QCheckBox>(*target, c.enable)->isChecked());
            ASSERT_TRUE(saveFile(*target, file).ok);
            EXPECT_FALSE(readJsonFile(file).value(QLatin1String(c.record)).toObject().value(QLatin1String("enabled")).toBool())
                << "saved as the window shows it";
        }
    }
}

// Loaded on a projector's screen, where the guide is a tab behind the
// controls, a document of a guided experiment brings that experiment's
// guide in front, beside the diagnostics.
TEST_F(DocumentsWindow, ADocumentLoadedWhereTheGuideIsATabBringsItsGuideForward)
{
    source->loadGuidedExperiment(catalogueIndexOfSlug("double_slit"));
    const QString file = QDir(folder.path()).filePath(QStringLiteral("slits.vxo.json"));
    QString error;
    ASSERT_TRUE(saveExperimentFile(file, source->captureExperimentDocument(), error)) << error.toStdString();

    MainWindow window(nullptr, false);
    window.fitToScreen(QRect(0, 0, 1024, 768));
    ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
    const auto* help = window.findChild<QDockWidget*>(QStringLiteral("helpDockWidget"));
    const auto* diagnostics = window.findChild<QDockWidget*>(QStringLiteral("diagnosticsDockWidget"));
    ASSERT_TRUE(help && diagnostics);
    ASSERT_FALSE(test::dockInFront(window, *help)) << "the guide is in front already: the case is void";
    ASSERT_TRUE(loadFile(window, file).ok);
    ASSERT_TRUE(test::waitForLayoutToSettle(window));
    EXPECT_TRUE(test::dockInFront(window, *help)) << "the guide of the document's experiment is not in front";
    EXPECT_TRUE(test::dockInFront(window, *diagnostics)) << "the diagnostics are not beside the guide";
}

// --- Values the boxes can show ----------------------------------------------------

// The value a settings box shows, as its record holds it: a spin box's value,
// a list's index, or a sense of rotation's sign.
double shownValue(const QWidget* box, const SettingsRange& row)
{
    if (const auto* real = qobject_cast<const QDoubleSpinBox*>(box))
        return real->value();
    if (const auto* count = qobject_cast<const QSpinBox*>(box))
        return count->value();
    const int index = qobject_cast<const QComboBox*>(box)->currentIndex();
    return row.span == SettingsRange::Span::Sign ? (index == 1 ? -1.0 : 1.0) : index;
}

void showValue(QWidget* box, const SettingsRange& row, double value)
{
    const QSignalBlocker blocker(box);
    if (auto* real = qobject_cast<QDoubleSpinBox*>(box))
        real->setValue(value);
    else if (auto* count = qobject_cast<QSpinBox*>(box))
        count->setValue(static_cast<int>(value));
    else
        qobject_cast<QComboBox*>(box)->setCurrentIndex(row.span == SettingsRange::Span::Sign ? (value < 0 ? 1 : 0)
                                                                                             : static_cast<int>(value));
}

// Every box of every settings record, on a universe wider and flatter than
// a new window's: at either end of what it offers, Save keeps the value and
// the other window loads it back into its box; one step past either end (the
// box's last decimal, one for a count, -2 and 2 for a sense of rotation), the
// file is refused with the box's label and the file's value.
TEST_F(DocumentsWindow, EveryRecordBoxAtEitherEndIsKeptAndOneStepPastItIsRefusedByName)
{
    ExperimentDocument wide = source->captureExperimentDocument();
    wide.controls[QStringLiteral("universeWidthSpinBox")] = 61.44;
    wide.controls[QStringLiteral("universeHeightSpinBox")] = 30.72;
    wide.controls[QStringLiteral("gridResolutionComboBox")] = 0;
    QString error;
    ASSERT_TRUE(source->applyExperimentDocument(wide, error)) << error.toStdString();
    const UniverseExtent universe{61.44, 30.72};
    const QString file = path("ends.vxo.json");
    const QString past = path("past.vxo.json");
    std::vector<const SettingsRange*> rows;
    for (const SettingsRange* row = settingsRangesBegin(); row != settingsRangesEnd(); ++row) {
        if (row->control == nullptr)
            continue;
        rows.push_back(row);
        if (const auto* real = qobject_cast<const QDoubleSpinBox*>(control<QWidget>(*source, row->control))) {
            EXPECT_EQ(real->minimum(), row->lowest(universe)) << row->control;
            EXPECT_EQ(real->maximum(), row->highest(universe)) << row->control;
        }
    }
    ASSERT_GT(rows.size(), 90u);
    // Every box at the same end at once: one save and one load keep them all.
    for (const bool top : {false, true}) {
        const auto endOf = [&](const SettingsRange& row) { return top ? row.highest(universe) : row.lowest(universe); };
        for (const SettingsRange* row : rows)
            showValue(control<QWidget>(*source, row->control), *row, endOf(*row));
        const FileOutcome saved = saveFile(*source, file);
        ASSERT_TRUE(saved.ok) << (saved.messages.empty() ? "" : saved.messages.front().text.toStdString());
        const QJsonObject root = readJsonFile(file);
        const FileOutcome loaded = loadFile(*target, file);
        ASSERT_TRUE(loaded.ok) << (loaded.messages.empty() ? "" : loaded.messages.front().text.toStdString());
        for (const SettingsRange* row : rows) {
            const double end = endOf(*row);
            SCOPED_TRACE(testing::Message() << row->object << "." << row->field << " at " << end);
            EXPECT_EQ(root.value(QLatin1String(row->object)).toObject().value(QLatin1String(row->field)).toDouble(),
                      end);
            EXPECT_EQ(shownValue(control<QWidget>(*target, row->control), *row), end);

            const int decimals = std::max(row->decimals, 0);
            const double step = row->span == SettingsRange::Span::Sign ? 1.0 : std::pow(10.0, -decimals);
            const double beyond = QString::number(top ? end + step : end - step, 'f', decimals).toDouble();
            QJsonObject spoilt = root;
            QJsonObject record = spoilt.value(QLatin1String(row->object)).toObject();
            record.insert(QLatin1String(row->field), beyond);
            spoilt.insert(QLatin1String(row->object), record);
            writeJsonFile(past, spoilt);
            const FileOutcome refused = loadFile(*target, past);
            EXPECT_FALSE(refused.ok);
            ASSERT_EQ(refused.messages.size(), 1u);
            const QString named =
                QStringLiteral("\"%1\" is %2;")
                    .arg(QLatin1String(row->label), QString::number(beyond, 'g', QLocale::FloatingPointShortest));
            EXPECT_TRUE(refused.messages.front().text.contains(named)) << refused.messages.front().text.toStdString();
            EXPECT_EQ(shownValue(control<QWidget>(*target, row->control), *row), end) << "a refused file changed it";
        }
    }
}

// A value loaded from a file is the one its box shows, the one the run
// takes and the one the next Save writes. A value with more decimals than its
// box (a hand-typed digit too many) loads rounded to the box's decimals, and
// Load names it with the file's value and the one used; one that differs
// from what the box shows only by rounding noise (a script's 0.1 * 3, or
// noise just past the end of the range) loads as that value without a word.
// A count is rounded to a whole number alike; an entry of a list (a combo's
// index, a sign) is taken within single precision of a whole number. A
// value past its box's range, an index between two entries, a position
// beyond the document's own universe or a collapse below what the grid
// resolves is refused, naming the experiment or group and the box as the
// window shows them and the file's value, and the window keeps what it had.
TEST_F(DocumentsWindow, ALoadedValueIsTheSameInTheBoxTheRunAndTheNextSave)
{
    const int zeno = presetTitled("Quantum Zeno");
    const int klein = presetTitled("Klein");
    ASSERT_GE(zeno, 0);
    ASSERT_GE(klein, 0);
    constexpr double kRefused = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        int preset;
        QString object; // in the file; its member is the record's field or the control
        QString member;
        double value;
        double used;      // kRefused: the file is refused
        const char* text; // the refusal, or the line of Load's note; null: loaded without a word
    };
    const Case cases[] = {
        {zeno, "quantumZeno", "measurementPeriod", 0.045, 0.045, nullptr},
        {zeno, "quantumZeno", "measurementPeriod", 0.0401, 0.04,
         "Zeno: \"Measurement dt\" is 0.0401 in the file; 0.040 is used."},
        {zeno, "quantumZeno", "measurementPeriod", 0.1 * 3, 0.3, nullptr},
        {zeno, "quantumZeno", "measurementPeriod", std::nextafter(0.04, 0.0), 0.04, nullptr},
        {zeno, "quantumZeno", "measurementPeriod", 0.01, kRefused,
         "Zeno: \"Measurement dt\" is 0.01; the allowed range is 0.04 to 5."},
        {klein, "quantumHallEdge", "edgeY", 9, kRefused, "Quantum Hall - chiral edge channel: \"Edge Y\" is 9; the allowed range is -18 to 8."},
        {klein, "quantumKleinTunneling", "barrierCenterX", 20.48, 20.48, nullptr},
        {klein, "quantumKleinTunneling", "momentumX", 1.2287, 1.229,
         "Klein tunneling - supercritical Dirac barrier: \"Momentum px\" is 1.2287 in the file; 1.229 is used."},
        {zeno, "controls", "centerXSpinBox", 20.5, kRefused,
         "Initial State: \"Center X\" is 20.5; the allowed range is -20.48 to 20.48."},
        {zeno, "controls", "sigmaSpinBox", 0.805, 0.81, "Initial State: \"Sigma\" is 0.805 in the file; 0.81 is used."},
        {zeno, "controls", "sigmaSpinBox", 0.7 + 0.1, 0.8, nullptr},
        {zeno, "controls", "detectorBinsSpinBox", 64.5, 65,
         "Detector screen: \"Histogram bins\" is 64.5 in the file; 65 is used."},
        {zeno, "controls", "detectorBinsSpinBox", 64.000068, 64,
         "Detector screen: \"Histogram bins\" is 64.000068 in the file; 64 is used."},
        {zeno, "ramseyEnsemble", "memberCount", 3.000001, 3, "Diagnostic ensemble - static detuning: \"Members\" is 3.000001 in the file; 3 is used."},
        {zeno, "quantumLandau", "landauIndex", 3.000001, 3,
         "Uniform magnetic field - Landau / cyclotron: \"Landau index n\" is 3.000001 in the file; 3 is used."},
        {zeno, "quantumKapitzaDirac", "maximumOrder", 2.5, 3,
         "Kapitza-Dirac - pulsed optical standing wave: \"Orders shown +/-\" is 2.5 in the file; 3 is used."},
        {zeno, "controls", "gridResolutionComboBox", 1.0000001, 1, nullptr},
        {zeno, "controls", "gridResolutionComboBox", 1.5, kRefused,
         "Invalid index 1.5 for control 'gridResolutionComboBox'."},
        {zeno, "quantumLandau", "preparationMode", 0.5, kRefused,
         "Uniform magnetic field - Landau / cyclotron: \"Initial state\" is 0.5; the allowed values are whole numbers."},
        {zeno, "controls", "detectorBinsSpinBox", 0.57 * 100, 57, nullptr},
        {zeno, "measurementCollapse", "resolution", 0.2, kRefused,
         "Single-system collapse: \"Resolution sigma_m\" is 0.2; the allowed range is 0.24 to 5."},
        {zeno, "measurementCollapse", "resolution", 0.655, 0.66,
         "Single-system collapse: \"Resolution sigma_m\" is 0.655 in the file; 0.66 is used."},
    };
    // What the run reads of a record between rebuilds: the stored record.
    const auto run = [](const MainWindow& window, const Case& c) {
        ExperimentDocument records;
        static_cast<ExperimentSettingsRecords&>(records) = MainWindowProbe::storedRecords(window);
        return experimentDocumentToJson(records).value(c.object).toObject().value(c.member);
    };
    std::map<int, QJsonObject> saves;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.object.toStdString() << "." << c.member.toStdString() << " "
                                        << QString::number(c.value, 'g', 17).toStdString());
        const SettingsRange* row = findSettingsRange(c.object.toLatin1().constData(), c.member.toLatin1().constData());
        const QString name = row != nullptr                          ? QLatin1String(row->control)
                             : c.object == QLatin1String("controls") ? c.member
                                                                     : QStringLiteral("collapseResolutionSpinBox");
        // Each file is the guided experiment's own save with one value
        // changed; a refused one leaves the window as it was, a loaded one
        // replaces all of it.
        const QString file = path("value.vxo.json");
        if (saves.count(c.preset) == 0) {
            source->loadGuidedExperiment(c.preset);
            ASSERT_TRUE(saveFile(*source, file).ok);
            saves[c.preset] = readJsonFile(file);
        }
        QJsonObject root = saves[c.preset];
        QJsonObject member = root.value(c.object).toObject();
        member.insert(c.member, c.value);
        root.insert(c.object, member);
        writeJsonFile(file, root);
        const double before = shownValue(control<QWidget>(*target, name.toLatin1().constData()), SettingsRange{});
        const FileOutcome loaded = loadFile(*target, file);
        const double shown = shownValue(control<QWidget>(*target, name.toLatin1().constData()), SettingsRange{});
        if (std::isnan(c.used)) {
            EXPECT_FALSE(loaded.ok);
            ASSERT_EQ(loaded.messages.size(), 1u);
            EXPECT_EQ(loaded.messages.front().text.toStdString(), c.text);
            EXPECT_EQ(shown, before) << "a refused file changed the box";
            continue;
        }
        ASSERT_TRUE(loaded.ok) << (loaded.messages.empty() ? "" : loaded.messages.front().text.toStdString());
        if (c.text != nullptr) {
            ASSERT_EQ(loaded.messages.size(), 1u);
            EXPECT_EQ(loaded.messages.front().icon, QMessageBox::Warning);
            EXPECT_TRUE(loaded.messages.front().text.endsWith(QStringLiteral("\n") + QString::fromUtf8(c.text)))
                << loaded.messages.front().text.toStdString();
        } else {
            EXPECT_TRUE(loaded.messages.empty()) << loaded.messages.front().text.toStdString();
        }
        EXPECT_EQ(shown, c.used) << "the box";
        if (row != nullptr) {
            EXPECT_EQ(run(*target, c).toDouble(), c.used) << "the run";
        }
        const QString again = path("again.vxo.json");
        ASSERT_TRUE(saveFile(*target, again).ok);
        EXPECT_EQ(readJsonFile(again).value(c.object).toObject().value(c.member).toDouble(), c.used) << "the next Save";
    }

    // A script that writes every value of every settings box with a digit
    // too many: the box lists the first eight, its details all of them, and
    // it fits the screen.
    QJsonObject root = saves[zeno];
    const UniverseExtent universe{root.value("controls").toObject().value("universeWidthSpinBox").toDouble(),
                                  root.value("controls").toObject().value("universeHeightSpinBox").toDouble()};
    int finer = 0;
    for (const SettingsRange* row = settingsRangesBegin(); row != settingsRangesEnd(); ++row) {
        if (row->control == nullptr || row->decimals <= 0)
            continue;
        QJsonObject record = root.value(QLatin1String(row->object)).toObject();
        const double value = record.value(QLatin1String(row->field)).toDouble();
        const double digit = 4.0 * std::pow(10.0, -row->decimals - 1);
        record.insert(QLatin1String(row->field),
                      value + digit <= row->highest(universe) ? value + digit : value - digit);
        root.insert(QLatin1String(row->object), record);
        ++finer;
    }
    const QString file = path("finer.vxo.json");
    writeJsonFile(file, root);
    const FileOutcome loaded = loadFile(*target, file);
    ASSERT_TRUE(loaded.ok) << (loaded.messages.empty() ? "" : loaded.messages.front().text.toStdString());
    ASSERT_EQ(loaded.messages.size(), 1u);
    const ShownMessage& box = loaded.messages.front();
    EXPECT_EQ(box.text.count(QStringLiteral(" in the file; ")), 8);
    EXPECT_TRUE(box.text.contains(QStringLiteral("and %1 more").arg(finer - 8))) << box.text.toStdString();
    EXPECT_EQ(box.details.count(QStringLiteral(" in the file; ")), finer);
    EXPECT_LE(box.size.height(), box.screen.height());
}

// Random values within what the boxes offer, on random guided experiments
// (the rebuild of the last change run), saved through the window's Save and
// loaded into another window: every value comes back. Each run draws its own values from the test's random
// seed (--gtest_random_seed, or --gtest_shuffle with --gtest_repeat for
// another draw per repetition).
TEST_F(DocumentsWindow, RandomBoxValuesOnRandomPresetsAreKeptBySaveAndLoad)
{
    constexpr int kSaves = 24;
    std::mt19937 random(20240606u + static_cast<unsigned>(::testing::UnitTest::GetInstance()->random_seed()));
    // Every spin box a document holds: by name, in the records, the collapse.
    std::vector<QAbstractSpinBox*> boxes;
    for (QWidget* widget : DocumentsProbe{*source}.controls()) {
        const QString name = widget->objectName();
        if (auto* box = qobject_cast<QAbstractSpinBox*>(widget); box != nullptr &&
                                                                 name != QLatin1String("universeWidthSpinBox") &&
                                                                 name != QLatin1String("universeHeightSpinBox"))
            boxes.push_back(box);
    }
    for (const SettingsRange* row = settingsRangesBegin(); row != settingsRangesEnd(); ++row) {
        if (auto* box = row->control ? source->findChild<QAbstractSpinBox*>(QLatin1String(row->control)) : nullptr)
            boxes.push_back(box);
    }
    boxes.push_back(control<QAbstractSpinBox>(*source, "collapseResolutionSpinBox"));
    ASSERT_GT(boxes.size(), 150u);
    // Either end a quarter of the time each, as often as anywhere between.
    const auto draw = [&random](double minimum, double maximum) {
        switch (std::uniform_int_distribution<int>(0, 3)(random)) {
        case 0:
            return minimum;
        case 1:
            return maximum;
        default:
            return std::uniform_real_distribution<double>(minimum, maximum)(random);
        }
    };
    const QString file = path("random.vxo.json");
    for (int save = 0; save < kSaves; ++save) {
        const int preset = std::uniform_int_distribution<int>(0, static_cast<int>(presetCount()) - 1)(random);
        SCOPED_TRACE(testing::Message() << "save " << save << " on preset " << preset);
        source->loadGuidedExperiment(preset);
        // With the scene on, the geometry pages inspect its highlighted
        // object: their boxes are edits of it waiting for Apply, not settings.
        const bool inspecting = control<QCheckBox>(*source, "potentialSceneActiveCheckBox")->isChecked();
        const QWidget* inspector = control<QWidget>(*source, "geometryParametersStackedWidget");
        for (QAbstractSpinBox* box : boxes) {
            if (inspecting && inspector->isAncestorOf(box))
                continue;
            const QSignalBlocker blocker(box);
            if (auto* real = qobject_cast<QDoubleSpinBox*>(box))
                real->setValue(draw(real->minimum(), real->maximum()));
            else if (auto* count = qobject_cast<QSpinBox*>(box))
                count->setValue(static_cast<int>(std::lround(draw(count->minimum(), count->maximum()))));
        }
        // The rebuild the last of the student's changes starts.
        control<QPushButton>(*source, "resetButton")->click();
        const ExperimentDocument before = source->captureExperimentDocument();
        const FileOutcome saved = saveFile(*source, file);
        ASSERT_TRUE(saved.ok) << (saved.messages.empty() ? "" : saved.messages.front().text.toStdString());
        const FileOutcome loaded = loadFile(*target, file);
        ASSERT_TRUE(loaded.ok) << (loaded.messages.empty() ? "" : loaded.messages.front().text.toStdString());
        // What the loaded window holds of it: the inspector's edits and the
        // bound-state indices of a preparation that is no bound state are
        // no part of the experiment.
        const auto settings = [&](ExperimentDocument document) {
            for (QWidget* widget : inspector->findChildren<QWidget*>())
                if (inspecting)
                    document.controls.remove(widget->objectName());
            const auto type = document.initialPreparation.type;
            if (type != InitialPreparationType::BoundEigenstate && type != InitialPreparationType::BoundSuperposition)
                document.initialPreparation = {type, 0, 0, 0.0};
            return document;
        };
        EXPECT_EQ(differences(settings(before), settings(target->captureExperimentDocument()))
                      .join(QStringLiteral(", "))
                      .toStdString(),
                  "");
    }
}

} // namespace
} // namespace vxo
