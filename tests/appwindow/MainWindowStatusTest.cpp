// The diagnostics table, the status line, the window title, the time dock,
// the transport buttons and the domain-dependent ranges of one window.

#include "common/AppTestSupport.h"
#include "common/GeometryPageRows.h"

#include "app/text/DiagnosticsRowLabels.h"
#include "app/mainwindow/MainWindow.h"
#include "core/GaussianPacket2D.h"
#include "core/PositionMoments.h"
#include "document/ExperimentCatalogue.h"
#include "document/ExperimentFile.h"
#include "ui/MainWindowForm.h"

#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace vxo {

// Calls the operations under test and sets the members they read.
struct MainWindowStatusProbe {
    MainWindow& window;

    Ui::MainWindow& form() { return *window.ui; }
    TransportClock& transport() { return window.transport; }
    ComplexField2D& psi() { return window.psi; }
    PotentialScene& scene() { return window.potentialScene; }
    ExperimentSettingsRecords& stored() { return window.stored; }
    RealWorldScaleMapping& scale() { return window.currentScale; }
    QString& title() { return window.experimentTitle; }
    QString& documentPath() { return window.lastDocumentPath; }
    bool& applying() { return window.applyingExperiment; }
    bool load(const QString& path) { return window.loadExperimentFromPath(path); }
    auto& lastCollapse() { return window.lastCollapse; }
    std::vector<MeasurementShot>& hits() { return window.measurementHits; }
    void setAbsorbing(bool enabled)
    {
        AbsorbingBoundaryConfig config;
        config.enabled = enabled;
        window.absorbingBoundary.prepare(window.psi, 0.02f, config);
    }

    void updateDiagnostics() { window.updateDiagnostics(); }
    void setRow(int row, const QString& a, const QString& b, const QString& c)
    {
        window.setDiagnosticsRow(static_cast<DiagnosticsRow>(row), a, b, c);
    }
    void updateTransportUi() { window.updateTransportUi(); }
    void updateWindowTitle() { window.updateWindowTitle(); }
    void refreshViews() { window.refreshViews(); }
    void updateTimeDock() { window.updateTimeDock(); }
    void updateDomainSpinRanges(const SimulationDomain2D& domain) { window.updateDomainSpinRanges(domain); }
    void updateDomainSpacingLabel() { window.updateDomainSpacingLabel(); }
    void clearCollapseReadout() { window.clearCollapseReadout(); }
    void updateScatteringPanel() { window.updateScatteringPanel(); }

    // A packet of the form's defaults on a small grid of non-square cells,
    // over a zero potential, at t = 0, whatever the rebuild left behind.
    void prepareSmallField()
    {
        window.psi.reset(128, 64, 0.25f, 0.4f);
        GaussianPacket2D::prepare(window.psi, GaussianPacket2D{-5.0, 0.0, 0.9, 2.5, 0.0, 1.0});
        window.potential.reset(128, 64, 0.25f, 0.4f);
        window.solver.resetClock();
    }
    void step() { window.solver.step(window.psi, window.potential); }
    void transformToMomentum()
    {
        window.invalidateMomentumField();
        window.ensureMomentumField();
    }
    // The form's default packet and barrier on the default grid, as the
    // first rebuild draws them.
    void prepareDefaultField()
    {
        window.psi.reset(512, 512, 0.08f, 0.08f);
        GaussianPacket2D::prepare(window.psi, GaussianPacket2D{-5.0, 0.0, 0.9, 2.5, 0.0, 1.0});
        window.potential.reset(512, 512, 0.08f, 0.08f);
        window.potential.addBarrier(0.0f, -9.5f, 0.0f, 9.5f, 0.64f, 4.5f);
        window.solver.resetClock();
        setAbsorbing(true);
    }
    ObservableHistory& history() { return window.history; }
};

namespace {

QString cell(const MainWindow& window, int row, int column)
{
    const QTableWidgetItem* item = window.findChild<QTableWidget*>("diagnosticsTable")->item(row, column);
    return item ? item->text() : QStringLiteral("<no item>");
}

// Section, parameter and value of every row.
std::vector<QStringList> tableTexts(const MainWindow& window)
{
    std::vector<QStringList> rows;
    for (int row = 0; row < 77; ++row)
        rows.push_back({cell(window, row, 0), cell(window, row, 1), cell(window, row, 2)});
    return rows;
}

class MainWindowStatus : public ::testing::Test {
protected:
    // Each test has a window of its own, made before the members that read it.
    static std::unique_ptr<MainWindow> freshWindow()
    {
        test::appTestApplication();
        return std::make_unique<MainWindow>(nullptr, false);
    }
    static std::vector<QStringList> startUpTexts(MainWindow& window)
    {
        MainWindowStatusProbe{window}.updateDiagnostics();
        return tableTexts(window);
    }

    std::unique_ptr<MainWindow> window = freshWindow();
    QString titleAfterConstruction = window->windowTitle();
    std::vector<QStringList> startUpRows = startUpTexts(*window);
    MainWindowStatusProbe probe{*window};
};

// Counts read as English: one sample and one scene object in the singular,
// in the status line, the diagnostics and the time-series page.
TEST_F(MainWindowStatus, CountsOfOneAreSingular)
{
    // The first guided experiments whose active scene has one object and more.
    int single = -1;
    int several = -1;
    for (std::uint32_t i = 0; i < presetCount(); ++i) {
        const ExperimentPreset preset = makeExperimentPreset(i);
        if (!preset.sceneActive)
            continue;
        if (preset.scene.size() == 1 && single < 0)
            single = static_cast<int>(i);
        if (preset.scene.size() > 1 && several < 0)
            several = static_cast<int>(i);
    }
    ASSERT_GE(single, 0) << "no guided experiment with a one-object scene";
    ASSERT_GE(several, 0) << "no guided experiment with a scene of several objects";
    const auto* count = window->findChild<QLabel*>(QStringLiteral("timeSeriesSampleCountLabel"));
    ASSERT_NE(count, nullptr);
    struct Case {
        int preset;
        int steps;
        QString scene;
        QString samples;
    };
    const std::size_t objects = makeExperimentPreset(static_cast<std::uint32_t>(several)).scene.size();
    const Case cases[] = {
        {single, 0, QStringLiteral("Scene (1 object)"), QStringLiteral("1 sample")},
        {several, 1, QStringLiteral("Scene (%1 objects)").arg(objects), QStringLiteral("2 samples")},
    };
    for (const Case& c : cases) {
        window->loadGuidedExperiment(c.preset);
        for (int step = 0; step < c.steps; ++step)
            window->stepOnce();
        // The permanent status line over the notice of the load.
        probe.updateDiagnostics();
        const std::string at = "preset " + std::to_string(c.preset);
        EXPECT_EQ(cell(*window, kGeometryRow, 2), c.scene) << at;
        EXPECT_TRUE(window->statusBar()->currentMessage().endsWith(QStringLiteral("| ") + c.scene))
            << at << ": " << window->statusBar()->currentMessage().toStdString();
        EXPECT_EQ(count->text(), c.samples) << at;
        EXPECT_TRUE(cell(*window, kTimeHistoryRow, 2).startsWith(c.samples + QStringLiteral("   curve=")))
            << at << ": " << cell(*window, kTimeHistoryRow, 2).toStdString();
    }
}

TEST_F(MainWindowStatus, TitleAfterConstructionNamesTheSelectedPreset)
{
    const QString presetTitle = QString::fromLatin1(makeExperimentPreset(2).title);
    // The document's text stands isolated from the program's own.
    const QString isolated = QChar(0x2068) + presetTitle + QChar(0x2069);
    EXPECT_TRUE(titleAfterConstruction.startsWith(QStringLiteral("Ondrivel - ") + isolated))
        << titleAfterConstruction.toStdString();
    probe.updateWindowTitle();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ondrivel - ") + isolated);
}

// A document whose name and file name look like placeholders: each text is
// formatted in one pass, so nothing is substituted into the name.
TEST_F(MainWindowStatus, DocumentNamesWithPlaceholdersAreShownAsTheyAre)
{
    probe.title() = QStringLiteral("  Run %2 50%  ");
    probe.documentPath() = QDir(QDir::tempPath()).filePath(QStringLiteral("runs %1/Run %2 50%.vxo.json"));
    probe.updateWindowTitle();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ondrivel - \u2068Run %2 50%\u2069"));
    probe.updateDiagnostics();
    EXPECT_EQ(cell(*window, 0, 1), QStringLiteral("Experiment"));
    EXPECT_EQ(cell(*window, 0, 2), QStringLiteral("  Run %2 50%   / JSON: Run %2 50%.vxo.json"));
    const PositionMoments moments = computePositionMoments(window->waveField());
    EXPECT_EQ(probe.form().statusBar->currentMessage(),
              QStringLiteral("STOPPED | t=%1 | step=%2 | norm=%3 | %4")
                  .arg(QString::number(window->schroedingerSolver().time(), 'f', 3),
                       QString::number(window->schroedingerSolver().stepCount()), QString::number(moments.norm, 'f', 6),
                       cell(*window, 21, 2)));

    probe.title() = QStringLiteral(" \t ");
    probe.documentPath().clear();
    probe.updateWindowTitle();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ondrivel")) << "a title of blanks";
    probe.title() = QString::fromLatin1(makeExperimentPreset(2).title);
}

// Whether the characters of text[from, to) are laid out left to right, one
// after the other, as the program wrote them.
bool laidOutInOrder(const QString& text, int from, int to)
{
    QTextLayout layout(text);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    for (int i = from; i + 1 < to; ++i)
        if (!(line.cursorToX(i) < line.cursorToX(i + 1)))
            return false;
    return true;
}

// Names with a NUL, a line break, a right-to-left override or mark: the
// title keeps every character of the program's own text, in its order, and
// shows the name without the characters that cut or reorder it.
TEST_F(MainWindowStatus, ANamesControlAndDirectionCharactersLeaveTheProgramsTitleIntact)
{
    const struct {
        const char* what;
        QString name;
        QString shown; // the name as the title shows it
    } cases[] = {
        {"NUL", QStringLiteral("Beam") + QChar(0) + QStringLiteral("line"), QStringLiteral("Beamline")},
        {"line break", QStringLiteral("Beam\nline"), QStringLiteral("Beamline")},
        {"right-to-left override", QStringLiteral("Beam") + QChar(0x202E) + QStringLiteral("line"),
         QStringLiteral("Beamline")},
        {"isolate closed early", QStringLiteral("Beam") + QChar(0x2069) + QChar(0x202E), QStringLiteral("Beam")},
        {"right-to-left mark", QStringLiteral("Beam") + QChar(0x200F), QStringLiteral("Beam") + QChar(0x200F)},
        {"Hebrew", QString::fromUtf8("\xD7\xA7\xD7\xA8\xD7\x9F"), QString::fromUtf8("\xD7\xA7\xD7\xA8\xD7\x9F")},
    };
    const QString isolateOpen(QChar(0x2068)), isolateClose(QChar(0x2069));
    for (const auto& c : cases) {
        probe.title() = c.name;
        probe.updateWindowTitle();
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Ondrivel - ") + isolateOpen + c.shown + isolateClose)
            << c.what;

        // The running title: the program's suffix after the name.
        probe.refreshViews();
        const QString title = window->windowTitle();
        const QString head = QStringLiteral("Ondrivel - ") + isolateOpen + c.shown + isolateClose;
        ASSERT_TRUE(title.startsWith(head)) << c.what << ": " << title.toStdString();
        const QString suffix = title.mid(head.size());
        EXPECT_TRUE(suffix.startsWith(QStringLiteral(" [")) && suffix.endsWith(QLatin1Char(']')))
            << c.what << ": " << suffix.toStdString();
        EXPECT_TRUE(laidOutInOrder(title, head.size() + 2, title.size() - 1)) << c.what << ": the suffix is reordered";
        EXPECT_TRUE(laidOutInOrder(title, 0, QStringLiteral("Ondrivel").size())) << c.what;
    }
    probe.title() = QString::fromLatin1(makeExperimentPreset(2).title);
}

TEST_F(MainWindowStatus, RowsOutsideTheTableAreIgnoredAndMissingItemsRecreated)
{
    QTableWidget* table = probe.form().diagnosticsTable;
    ASSERT_EQ(table->rowCount(), 77);
    EXPECT_FALSE(table->verticalHeader()->isVisible());
    for (int row = 0; row < 77; ++row) {
        const DiagnosticsRowLabels& labels = diagnosticsRowLabels(row);
        if (row != 0 && row != 23 && row != 64) {
            EXPECT_EQ(cell(*window, row, 0), QLatin1String(labels.section)) << "row " << row;
            EXPECT_EQ(cell(*window, row, 1), QLatin1String(labels.parameter)) << "row " << row;
        }
        for (int column = 0; column < 3; ++column)
            EXPECT_FALSE(table->item(row, column)->flags() & Qt::ItemIsEditable) << "row " << row;
    }
    EXPECT_EQ(cell(*window, 76, 2), QStringLiteral("R32F -> RGBA16F -> bright pass -> Gaussian -> bloom -> tone map "
                                                   "-> potential/contours overlay"));

    probe.setRow(-1, "a", "b", "c");
    probe.setRow(77, "a", "b", "c");
    EXPECT_EQ(table->rowCount(), 77);
    delete table->takeItem(50, 1);
    probe.setRow(50, "Momentum diffraction", "Kapitza-Dirac", "G=1");
    EXPECT_EQ(cell(*window, 50, 1), QStringLiteral("Kapitza-Dirac"));
    EXPECT_EQ(cell(*window, 50, 2), QStringLiteral("G=1"));
}

// The transport buttons' enabled states: play, pause, stop, step, reset,
// measure, collapse ('1' enabled) for each state and each mode.
TEST_F(MainWindowStatus, TransportButtonsFollowTheStateTheEditorAndTheDiracModes)
{
    enum class Mode { Plain, Editing, ZitterbewegungBox, KleinStored, EmptyField };
    enum class When { StoppedFresh, StoppedAfterSteps, PausedAfterStep, Running };
    struct Case {
        Mode mode;
        When when;
        const char* enabled;
    };
    const Case cases[] = {
        {Mode::Plain, When::StoppedFresh, "1001111"},
        {Mode::Plain, When::StoppedAfterSteps, "1011111"},
        {Mode::Plain, When::PausedAfterStep, "1011111"},
        {Mode::Plain, When::Running, "0110111"},
        {Mode::Editing, When::StoppedFresh, "0000100"},
        {Mode::Editing, When::StoppedAfterSteps, "0010100"},
        {Mode::Editing, When::PausedAfterStep, "0010100"},
        {Mode::Editing, When::Running, "0110100"},
        {Mode::ZitterbewegungBox, When::StoppedFresh, "1001100"},
        {Mode::ZitterbewegungBox, When::PausedAfterStep, "1011100"},
        {Mode::ZitterbewegungBox, When::Running, "0110100"},
        {Mode::KleinStored, When::StoppedFresh, "1001100"},
        {Mode::KleinStored, When::StoppedAfterSteps, "1011100"},
        {Mode::KleinStored, When::Running, "0110100"},
        {Mode::EmptyField, When::StoppedFresh, "1001100"},
        {Mode::EmptyField, When::Running, "0110100"},
    };
    Ui::MainWindow& form = probe.form();
    QPushButton* const buttons[] = {form.playButton,
                                    form.pauseButton,
                                    form.stopButton,
                                    form.stepButton,
                                    form.resetButton,
                                    form.measurePositionButton,
                                    form.collapsePositionButton};
    const char* const names[] = {"play", "pause", "stop", "step", "reset", "measure", "collapse"};
    const QSignalBlocker blockEditor(form.viewportEditCheckBox);
    const QSignalBlocker blockZitterbewegung(form.zitterEnabledCheckBox);
    for (const Case& c : cases) {
        probe.prepareSmallField();
        if (c.when != When::StoppedFresh)
            probe.step();
        if (c.mode == Mode::EmptyField)
            probe.psi() = ComplexField2D();
        if (c.when == When::Running)
            probe.transport().run();
        else if (c.when == When::PausedAfterStep)
            probe.transport().pause();
        else
            probe.transport().stop();
        form.viewportEditCheckBox->setChecked(c.mode == Mode::Editing);
        form.zitterEnabledCheckBox->setChecked(c.mode == Mode::ZitterbewegungBox);
        probe.stored().quantumKleinTunneling.enabled = c.mode == Mode::KleinStored;
        probe.updateTransportUi();

        const int mode = static_cast<int>(c.mode);
        const int when = static_cast<int>(c.when);
        EXPECT_EQ(form.transportStateLabel->text(), QLatin1String(transportStateName(probe.transport().state())));
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(buttons[i]->isEnabled(), c.enabled[i] == '1')
                << names[i] << " in mode " << mode << ", state case " << when;
    }
    form.zitterEnabledCheckBox->setChecked(false);
    form.viewportEditCheckBox->setChecked(false);
    probe.stored().quantumKleinTunneling.enabled = false;
    probe.transport().stop();
}

TEST_F(MainWindowStatus, TimeDockShowsPhysicalTimeOnlyForAUsableMapping)
{
    probe.prepareSmallField();
    for (int i = 0; i < 3; ++i)
        probe.step();
    const RealWorldScaleMapping saved = probe.scale();
    Ui::MainWindow& form = probe.form();

    RealWorldScaleMapping& scale = probe.scale();
    scale = RealWorldScaleMapping{true, "Hydrogen %1 atom", "Bohr units", 5.29e-11, 1e-15, "Indicative %2."};
    probe.updateTimeDock();
    EXPECT_EQ(form.timeSimulationValueLabel->text(), QStringLiteral("t = 0.060"));
    EXPECT_EQ(form.timeRealValueLabel->text(), QStringLiteral("~ 60 as"));
    EXPECT_EQ(form.timeReferenceValueLabel->text(), QStringLiteral("Hydrogen %1 atom"));
    EXPECT_EQ(form.timeLengthScaleValueLabel->text(), QStringLiteral("1 sim unit ~ 52.9 pm"));
    EXPECT_EQ(form.timeTimeScaleValueLabel->text(), QStringLiteral("1 sim unit ~ 1 fs"));
    EXPECT_EQ(form.timeReferenceValueLabel->toolTip(), QStringLiteral("Indicative %2.\nMapping basis: Bohr units\n"
                                                                      "For hbar=1: E unit ~ 0.658 eV; E/h ~ 159 THz."));

    const double unusableUnits[][2] = {{5.29e-11, 0.0}, {0.0, 1e-15}, {std::nan(""), 1e-15}};
    for (const auto& units : unusableUnits) {
        scale.lengthUnit = units[0];
        scale.timeUnit = units[1];
        probe.updateTimeDock();
        EXPECT_EQ(form.timeRealValueLabel->text(), QStringLiteral("not available")) << "L " << units[0];
        EXPECT_EQ(form.timeReferenceValueLabel->text(), QStringLiteral("No representative mapping"));
        EXPECT_EQ(form.timeLengthScaleValueLabel->text(), QStringLiteral("--"));
        EXPECT_EQ(form.timeTimeScaleValueLabel->text(), QStringLiteral("--"));
        EXPECT_EQ(form.timeReferenceValueLabel->toolTip(),
                  QStringLiteral("Simulation time is dimensionless for this custom configuration."));
    }
    scale = saved;
}

// Every position box spans the universe, every size box is capped by it, and
// the collapse resolution stays above about one and a half cells.
TEST_F(MainWindowStatus, DomainRangesFollowTheUniverseWithTheirSignalsBlocked)
{
    Ui::MainWindow& f = probe.form();
    const std::vector<QDoubleSpinBox*> xBoxes = {f.centerXSpinBox,
                                                 f.rectangleCenterXSpinBox,
                                                 f.circleCenterXSpinBox,
                                                 f.barrierCenterXSpinBox,
                                                 f.singleSlitCenterXSpinBox,
                                                 f.doubleSlitCenterXSpinBox,
                                                 f.polygonCenterXSpinBox,
                                                 f.stadiumCenterXSpinBox,
                                                 f.detectorXSpinBox,
                                                 f.moshinskyDetectorXSpinBox,
                                                 f.aharonovBohmCenterXSpinBox,
                                                 f.aharonovBohmDetectorXSpinBox,
                                                 f.kleinCenterXSpinBox,
                                                 f.kleinBarrierCenterSpinBox,
                                                 f.kleinDetectorXSpinBox};
    const std::vector<QDoubleSpinBox*> yBoxes = {
        f.centerYSpinBox,        f.rectangleCenterYSpinBox,  f.circleCenterYSpinBox,
        f.barrierCenterYSpinBox, f.singleSlitCenterYSpinBox, f.doubleSlitCenterYSpinBox,
        f.polygonCenterYSpinBox, f.stadiumCenterYSpinBox,    f.aharonovBohmCenterYSpinBox};
    const std::vector<QDoubleSpinBox*> widthBoxes = {f.rectangleWidthSpinBox,      f.barrierThicknessSpinBox,
                                                     f.singleSlitWallWidthSpinBox, f.doubleSlitWallWidthSpinBox,
                                                     f.polygonWidthSpinBox,        f.stadiumStraightSpinBox};
    const std::vector<QDoubleSpinBox*> heightBoxes = {f.rectangleHeightSpinBox,      f.barrierLengthSpinBox,
                                                      f.singleSlitHeightSpinBox,     f.doubleSlitHeightSpinBox,
                                                      f.doubleSlitSeparationSpinBox, f.polygonHeightSpinBox};
    const std::vector<QDoubleSpinBox*> radiusBoxes = {f.circleRadiusSpinBox, f.stadiumRadiusSpinBox};
    int changes = 0;
    QObject context;
    for (const auto* boxes : {&xBoxes, &yBoxes, &widthBoxes, &heightBoxes, &radiusBoxes})
        for (QDoubleSpinBox* box : *boxes)
            QObject::connect(box, qOverload<double>(&QDoubleSpinBox::valueChanged), &context,
                             [&changes] { ++changes; });
    f.centerXSpinBox->blockSignals(true);
    f.centerXSpinBox->setValue(30.0);
    f.centerXSpinBox->blockSignals(false);

    struct Case {
        std::uint64_t nx, ny;
        float width, height;
    };
    // Above a width of about 68.3 the 512-cell grid needs more than the 0.2 floor.
    for (const Case& c : {Case{512, 256, 81.92f, 30.72f}, Case{256, 128, 40.96f, 40.96f}}) {
        probe.updateDomainSpinRanges(SimulationDomain2D(c.nx, c.ny, c.width, c.height));
        const double w = c.width, h = c.height, halfDiagonal = 0.5 * std::hypot(w, h);
        for (QDoubleSpinBox* box : xBoxes) {
            EXPECT_NEAR(box->minimum(), -w / 2, 0.006) << box->objectName().toStdString() << " W " << w;
            EXPECT_NEAR(box->maximum(), w / 2, 0.006) << box->objectName().toStdString() << " W " << w;
        }
        for (QDoubleSpinBox* box : yBoxes) {
            EXPECT_NEAR(box->minimum(), -h / 2, 0.006) << box->objectName().toStdString() << " H " << h;
            EXPECT_NEAR(box->maximum(), h / 2, 0.006) << box->objectName().toStdString() << " H " << h;
        }
        for (QDoubleSpinBox* box : widthBoxes)
            EXPECT_NEAR(box->maximum(), w, 0.006) << box->objectName().toStdString() << " W " << w;
        for (QDoubleSpinBox* box : heightBoxes)
            EXPECT_NEAR(box->maximum(), h, 0.006) << box->objectName().toStdString() << " H " << h;
        for (QDoubleSpinBox* box : radiusBoxes)
            EXPECT_NEAR(box->maximum(), halfDiagonal, 0.006) << box->objectName().toStdString() << " W " << w;
    }
    EXPECT_NEAR(f.centerXSpinBox->value(), 20.48, 1e-9) << "clamped into the smaller universe";
    EXPECT_EQ(changes, 0) << "a range change ran a change handler";

    // 512 -> 1024 cells on 81.92 x 40.96: dx 0.16 -> 0.08, minimum 0.24 -> 0.2.
    QDoubleSpinBox* resolution = f.collapseResolutionSpinBox;
    const QSignalBlocker blockResolution(resolution);
    const SimulationDomain2D coarse(512, 256, 81.92f, 40.96f), fine(1024, 512, 81.92f, 40.96f);
    // Cells of 0.16 by 0.08 and of 0.08 by 0.16: the longer side sets the minimum.
    const SimulationDomain2D wide(512, 256, 81.92f, 20.48f), tall(512, 256, 40.96f, 40.96f);
    struct Step {
        const SimulationDomain2D* domain;
        double valueBefore, minimum, valueAfter;
    };
    const Step steps[] = {{&coarse, 0.65, 0.24, 0.65}, {&fine, 0.24, 0.2, 0.24}, {&fine, 0.2, 0.2, 0.2},
                          {&coarse, 0.2, 0.24, 0.24},  {&fine, 1.5, 0.2, 1.5},   {&wide, 0.2, 0.24, 0.24},
                          {&fine, 0.24, 0.2, 0.24},    {&fine, 0.2, 0.2, 0.2},   {&tall, 0.2, 0.24, 0.24}};
    for (const Step& s : steps) {
        resolution->setValue(s.valueBefore);
        probe.updateDomainSpinRanges(*s.domain);
        EXPECT_NEAR(resolution->minimum(), s.minimum, 1e-6) << "nx " << s.domain->nx() << ", dx " << s.domain->dx();
        EXPECT_NEAR(resolution->value(), s.valueAfter, 1e-9) << "nx " << s.domain->nx() << ", " << s.valueBefore;
    }
    probe.updateDomainSpinRanges(SimulationDomain2D(512, 512, 40.96f, 40.96f));

    // The spacing row of a universe less high than wide: dx = 40.96 / 512,
    // dy = 30.72 / 512; the form's own universe afterwards.
    ASSERT_EQ(f.universeWidthSpinBox->value(), 40.96);
    const double height = f.universeHeightSpinBox->value();
    {
        const QSignalBlocker blockHeight(f.universeHeightSpinBox);
        f.universeHeightSpinBox->setValue(30.72);
        probe.updateDomainSpacingLabel();
        probe.updateDiagnostics();
        EXPECT_EQ(f.domainSpacingValueLabel->text(), QStringLiteral("0.0800 / 0.0600"));
        EXPECT_EQ(cell(*window, 11, 2), QStringLiteral("0.0800 / 0.0600")) << "the diagnostics row";
        f.universeHeightSpinBox->setValue(height);
        probe.updateDomainSpacingLabel();
        probe.updateDiagnostics();
    }
    const QSignalBlocker blockCenter(f.centerXSpinBox);
    f.centerXSpinBox->setValue(-5.0);
    resolution->setValue(0.65);
}

// Start-up rows of the experiment a new window starts with, the library's
// selection: its packet, its kinetic energy Ekin = (px^2 + py^2) / 2m and
// its barrier, the rest at the form's defaults.
TEST_F(MainWindowStatus, StartUpRowsMatchTheDefaultExperiment)
{
    struct Text {
        int row;
        QString value;
    };
    Ui::MainWindow& f = probe.form();
    const ExperimentPreset start =
        makeExperimentPreset(static_cast<std::uint32_t>(f.experimentPresetComboBox->currentIndex()));
    ASSERT_EQ(start.geometryIndex, 3u) << "the start's experiment is no barrier: the rows below are void";
    const auto fixed = [](double value, int decimals) { return QString::number(value, 'f', decimals); };
    const QString kinetic =
        fixed((start.packetMomentumX * start.packetMomentumX + start.packetMomentumY * start.packetMomentumY) /
                  (2.0 * start.mass),
              4);
    const QString kineticX = fixed(start.packetMomentumX * start.packetMomentumX / (2.0 * start.mass), 4);
    const Text texts[] = {
        {0, QString::fromLatin1(start.title)},
        {1, "STOPPED"},
        {2, "1.00x"},
        {3, "30 ms / 1"},
        {4, "0.000"},
        {5, "0"},
        {8, "40.96 x 40.96"},
        {9, "Absorbing CAP   width=0.15   eta=8.00"},
        {10, "512 x 512"},
        {11, "0.0800 / 0.0800"},
        {12, "0.020"},
        {13, QStringLiteral("x0=%1   y0=%2").arg(fixed(start.packetCenterX, 2), fixed(start.packetCenterY, 2))},
        {14, fixed(start.packetSigma, 2)},
        {15, QStringLiteral("px=%1   py=%2").arg(fixed(start.packetMomentumX, 2), fixed(start.packetMomentumY, 2))},
        {16, fixed(start.mass, 2)},
        {17, kinetic},
        {18, kineticX},
        {22, "OFF"},
        {23, fixed(start.geometryV0, 2)},
        {24, QStringLiteral("x=%1   y=%2").arg(fixed(start.geometryCenterX, 2), fixed(start.geometryCenterY, 2))},
        {25,
         QStringLiteral("length=%1   thickness=%2").arg(fixed(start.geometrySizeB, 2), fixed(start.geometrySizeA, 2))},
        {26, "n/a"},
        {28, "OFF"},
        {30, "select Momentum view"},
        {31, "select Momentum view"},
        {32, "select Momentum view"},
        {59, QStringLiteral("vary X at Y=0.000  curve=%1").arg(f.crossSectionCurveComboBox->currentText())},
        {65, "0"},
        {66, "0 shots; ensemble sampling"},
        {67, "not performed"},
        {68, "--"},
        {69, "SNAPSHOT   x=8.00   width=0.32   bins=64"},
        {70, "0.000000"},
        {71, "--"},
        {72, f.graphicsPresetComboBox->currentText()},
        {73, QStringLiteral("%1 / %2   palette=%3   potential overlay=ON")
                 .arg(f.spaceComboBox->currentText(), f.viewComboBox->currentText(), f.paletteComboBox->currentText())},
        {74, QStringLiteral("%1   EV=%2   gamma=%3")
                 .arg(f.displayScaleComboBox->currentText(), QString::number(f.exposureSpinBox->value(), 'f', 2),
                      QString::number(f.gammaSpinBox->value(), 'f', 2))},
    };
    for (const Text& t : texts)
        EXPECT_EQ(startUpRows[t.row][2].toStdString(), t.value.toStdString()) << "row " << t.row;
    EXPECT_EQ(startUpRows[0][1], QStringLiteral("Experiment"));
    EXPECT_EQ(startUpRows[23][1], QStringLiteral("Strength / offset"));
}

// The rows of the wave field and the energies, on the default packet over the
// default barrier on the default 512 x 512 grid.
TEST_F(MainWindowStatus, FieldAndEnergyRowsFollowTheirFormulas)
{
    probe.prepareDefaultField();
    ObservableSample sample;
    sample.kineticEnergy = 3.4330286;
    sample.potentialEnergy = 0.0000021;
    sample.totalEnergy = 3.4330307;
    sample.energyDriftPercent = 0.0125;
    probe.history().clear();
    probe.history().push(sample);
    probe.updateDiagnostics();

    // Rows 6, 19, 20: a normalised packet exp(-r^2 / 4 sigma^2) has spread sigma.
    // Rows 57, 58: J = (p0 / m) |psi|^2 with the central-difference factor
    // sin(p0 dx) / (p0 dx) and psi(x) psi(x +- dx) in place of |psi|^2; the
    // largest value lies half a cell off the packet's centre in y.
    const double p0 = 2.5, sigma = 0.9, dx = 0.08;
    const double sinc = std::sin(p0 * dx) / (p0 * dx);
    const double peak = 1.0 / (2.0 * M_PI * sigma * sigma) * std::exp(-0.04 * 0.04 / (2 * sigma * sigma)) *
                        std::exp(-dx * dx / (4 * sigma * sigma));
    struct Numeric {
        int row;
        double value;
        double tolerance;
    };
    const Numeric numeric[] = {{6, 1.0, 2e-6}, {7, 0.0, 2e-6}, {57, p0 * sinc * peak, 2e-6}};
    for (const Numeric& n : numeric) {
        bool isNumber = false;
        const double shown = cell(*window, n.row, 2).toDouble(&isNumber);
        EXPECT_TRUE(isNumber && std::abs(shown - n.value) <= n.tolerance)
            << "row " << n.row << " shows " << cell(*window, n.row, 2).toStdString() << ", expected " << n.value;
    }
    const QStringList integrals = cell(*window, 58, 2).split(QStringLiteral(" / "));
    ASSERT_EQ(integrals.size(), 2) << cell(*window, 58, 2).toStdString();
    EXPECT_NEAR(integrals[0].toDouble(), p0 * sinc * std::exp(-dx * dx / (8 * sigma * sigma)), 2e-5)
        << "integral of Jx";
    EXPECT_NEAR(integrals[1].toDouble(), 0.0, 1e-5) << "integral of Jy";

    const std::pair<int, const char*> texts[] = {{19, "-5.000 / 0.000"},
                                                 {20, "0.900 / 0.900"},
                                                 {27, "0.00 / 4.50"},
                                                 {61, "3.433029"},
                                                 {62, "0.000002"},
                                                 {63, "3.433031"},
                                                 {64, "0.0125 %"}};
    for (const auto& [row, text] : texts)
        EXPECT_EQ(cell(*window, row, 2).toStdString(), text) << "row " << row;
    const QString curve = probe.form().timeSeriesQuantityComboBox->currentText();
    EXPECT_EQ(cell(*window, 60, 2).toStdString(), QStringLiteral("1 sample   curve=%1").arg(curve).toStdString());

    // The drift is a numerical error while H is conserved, a change once a
    // protocol drives it; the layer is named only once it has taken a
    // material share of the packet (2e-4 is what the circular obstacle's
    // layer holds while the packet strikes the disc, far from the edge).
    QCheckBox* shutter = probe.form().moshinskyEnabledCheckBox;
    const QSignalBlocker blocker(shutter);
    struct Drift {
        bool absorbing, driven;
        double absorbed;
        const char* parameter;
        const char* value;
    };
    for (const Drift& d :
         {Drift{false, false, 0.0, "Drift from start", "0.0125 %"},
          Drift{true, false, 2e-4, "Drift from start", "0.0125 %"},
          Drift{true, false, 0.4617, "Drift from start", "0.0125 % (CAP: open system, absorbed P=0.4617)"},
          Drift{true, true, 0.4617, "Change from start", "0.0125 % (time-dependent H)"}}) {
        sample.absorbedProbability = d.absorbed;
        probe.history().clear();
        probe.history().push(sample);
        probe.setAbsorbing(d.absorbing);
        shutter->setChecked(d.driven);
        probe.updateDiagnostics();
        EXPECT_EQ(cell(*window, 64, 1).toStdString(), d.parameter) << "absorbed " << d.absorbed;
        EXPECT_EQ(cell(*window, 64, 2).toStdString(), d.value) << "absorbed " << d.absorbed;
    }
    shutter->setChecked(false);
    probe.setAbsorbing(true);
    probe.history().clear();
    probe.updateDiagnostics();
    for (int row = 61; row <= 64; ++row)
        EXPECT_EQ(cell(*window, row, 2).toStdString(), "n/a") << "row " << row << " of an empty history";
    EXPECT_EQ(cell(*window, 64, 1).toStdString(), "Drift from start");
}

TEST_F(MainWindowStatus, DiagnosticsEdgeCasesAndTheCollapseReadout)
{
    Ui::MainWindow& f = probe.form();
    probe.prepareSmallField();
    const auto value = [this](int row) { return cell(*window, row, 2).toStdString(); };

    // Absorbed probability: 0 without the layer whatever the norm, and never
    // negative with it.
    for (const bool absorbing : {false, true}) {
        probe.setAbsorbing(absorbing);
        Complex* const values = probe.psi().data();
        for (std::uint64_t i = 0; i < probe.psi().nx() * probe.psi().ny(); ++i)
            values[i] *= 1.1f;
        probe.updateDiagnostics();
        EXPECT_EQ(value(7), "0.0000000") << "absorbing " << absorbing << ", norm above 1";
        EXPECT_EQ(value(9), absorbing ? "Absorbing CAP   width=0.15   eta=8.00" : "Periodic (FFT)");
    }

    // A barrier's collision starts once more than 1/40 of the probability
    // lies at it (within 0.68 of the single one's centre, or in the double's
    // walls and cavity) or more than 1/100 beyond: cells of equal weight put
    // exactly those shares there (no start), then 2/100. Then the double
    // barrier of the resonant-tunnelling guide, and the start-up one back.
    {
        const struct {
            bool doubleBarrier;
            int cells, inside, beyond;
            const char* state;
        } splits[] = {{false, 40, 1, 0, "BEFORE COLLISION"},
                      {false, 100, 0, 1, "BEFORE COLLISION"},
                      {false, 100, 0, 2, "SCATTERING IN PROGRESS"},
                      {true, 40, 1, 0, "DOUBLE BARRIER: BEFORE COLLISION"},
                      {true, 100, 0, 1, "DOUBLE BARRIER: BEFORE COLLISION"},
                      {true, 100, 0, 2, "DOUBLE BARRIER: SCATTERING / CAVITY LOADING"}};
        for (const auto& split : splits) {
            if (split.doubleBarrier && probe.scene().empty())
                window->loadGuidedExperiment(7);
            // Columns below 50 lie left of x = -3.5, column 63 (x = -0.125)
            // inside, column 100 (x = 9.125) beyond.
            probe.psi().reset(128, 64, 0.25f, 0.5f);
            probe.psi().fill(Complex(0.0f, 0.0f));
            for (int k = 0; k < split.cells; ++k) {
                const int special = split.inside + split.beyond;
                probe.psi().at(k < split.inside ? 63 : k < special ? 100 : k % 50, k < special ? k : k / 50) = 1.0f;
            }
            probe.updateScatteringPanel();
            EXPECT_EQ(value(35), split.state)
                << split.inside << " inside, " << split.beyond << " beyond, of " << split.cells << ": " << value(36);
        }
        window->loadGuidedExperiment(2);
        probe.prepareSmallField();
    }

    // Each geometry page with a centre off both axes (x != y) and two sizes
    // that differ: the strength, position, dimension and aperture rows name
    // each value in its own place.
    {
        const char* const rows[] = {
            "0.00|n/a|n/a|n/a",
            "6.50|x=1.20   y=-0.80|width=3.30   height=1.70|n/a",
            "7.25|x=-1.10   y=0.90|radius=1.85|n/a",
            "4.50|x=0.30   y=0.50|length=4.50   thickness=0.64|n/a",
            "8.25|wall x=0.60   slit y=-0.70|wall width=0.44|height=1.35",
            "9.50|wall x=-0.90   group y=0.40|wall width=0.36|separation=2.60   slit height=0.85",
            "5.75|x=-0.45   y=0.00|width=2.30   height=4.40|n/a",
            "A=-4.25|x=1.50   y=-0.75|sigmaX=2.25   sigmaY=1.13|n/a",
            "Voff=0.50|xc=-1.25   yc=0.75|kx=0.420   ky=0.180|n/a",
            "Voff=-1.50|xref=0.50   yref=1.00|Fx=0.350   Fy=-0.150|n/a",
            "g=-3.50|x=0.75   y=-0.25|epsilon=0.65|n/a",
            "120.50|x=0.30   y=-0.45|straight=6.50   radius=2.75|n/a",
        };
        const QSignalBlocker blockKind(f.geometryComboBox);
        for (const test::PageRow& page : test::pageRows()) {
            f.geometryComboBox->setCurrentIndex(page.index);
            for (const auto& [name, number] : page.values) {
                auto* box = f.geometryParametersStackedWidget->findChild<QDoubleSpinBox*>(QLatin1String(name));
                ASSERT_NE(box, nullptr) << name;
                const QSignalBlocker blockBox(box);
                box->setValue(number);
            }
            probe.updateDiagnostics();
            EXPECT_EQ(value(23) + "|" + value(24) + "|" + value(25) + "|" + value(26), rows[page.index])
                << "page " << page.index;
        }
    }

    // Momentum space of a packet moving along both axes with px != py on
    // cells of 0.25 x 0.4: a Gaussian of spread sigma has momentum spread
    // hbar / (2 sigma) on each axis, and the reciprocal grid steps by
    // 2 pi hbar / (n d).
    {
        GaussianPacket2D::prepare(probe.psi(), GaussianPacket2D{1.0, -0.5, 0.9, 2.5, -1.25, 1.0});
        probe.transformToMomentum();
        const QSignalBlocker blockSpace(f.spaceComboBox);
        f.spaceComboBox->setCurrentIndex(1);
        probe.updateDiagnostics();
        const auto pair = [&](int row, int index) {
            return cell(*window, row, 2).split(QRegularExpression(QStringLiteral("[ /=]+")))[index].toDouble();
        };
        const double spread = 1.0 / (2.0 * 0.9), pi = std::acos(-1.0);
        const double expected[][3] = {
            {30, 2.5, -1.25}, {31, spread, spread}, {32, 2.0 * pi / (128 * 0.25), 2.0 * pi / (64 * 0.4)}};
        for (const auto& e : expected) {
            EXPECT_NEAR(pair(int(e[0]), 0), e[1], 1e-4) << value(int(e[0]));
            EXPECT_NEAR(pair(int(e[0]), 1), e[2], 1e-4) << value(int(e[0]));
        }
        EXPECT_NEAR(pair(32, 3), 1.0, 1e-5) << "norm of " << value(32);
        f.spaceComboBox->setCurrentIndex(0);
        probe.prepareSmallField();
    }

    // Three scene objects, none selected.
    const QSignalBlocker blockScene(f.potentialSceneActiveCheckBox);
    f.potentialSceneActiveCheckBox->setChecked(true);
    for (int i = 0; i < 3; ++i)
        probe.scene().add(PotentialObject{});
    probe.updateDiagnostics();
    EXPECT_EQ(value(23) + "|" + value(24) + "|" + value(25) + "|" + value(26), "scene|3 objects|select an object|n/a");
    // A fourth one, switched off, selected: its centre lies off both axes.
    PotentialObject off;
    off.centerX = 1.25f;
    off.centerY = -0.75f;
    off.enabled = false;
    const std::uint64_t id = probe.scene().add(off);
    {
        const QSignalBlocker blockList(f.potentialSceneListWidget);
        auto* item = new QListWidgetItem(QStringLiteral("off"), f.potentialSceneListWidget);
        item->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(id));
        f.potentialSceneListWidget->setCurrentItem(item);
        probe.updateDiagnostics();
        EXPECT_EQ(value(24), "x=1.25   y=-0.75   #" + std::to_string(id) + " OFF");
        f.potentialSceneListWidget->clear();
    }
    probe.scene().clear();
    f.potentialSceneActiveCheckBox->setChecked(false);

    // A collapse, then its readout cleared; snapshot hits leave the distance "--".
    // Measured at (1.25, -0.5) with resolution 0.65; spreads before and after.
    probe.lastCollapse() = {
        true, PositionMeasurementResult{true, 1.25f, -0.5f, 0.65, 1.0, 1.0}, 2.0, 0.5, 1.0, 0.25, 0.125, 1.5, 0.375,
        2.0};
    probe.hits() = {MeasurementShot{0.0f, 1.0f}, MeasurementShot{0.5f, -1.0f}};
    probe.updateDiagnostics();
    EXPECT_EQ(value(65), "2");
    EXPECT_EQ(value(67), "x=1.250  y=-0.500  resolution=0.650");
    EXPECT_EQ(value(68), "sigmaX 2.000->0.500  sigmaY 1.000->0.250   sigmaPx 0.125->1.500  sigmaPy 0.375->2.000");
    EXPECT_EQ(value(71), "--") << "snapshot mode with hits";
    f.collapseOutcomeValueLabel->setText(QStringLiteral("x=1.250   y=-0.500"));
    probe.clearCollapseReadout();
    probe.updateDiagnostics();
    EXPECT_FALSE(probe.lastCollapse().valid);
    EXPECT_EQ(value(67) + "|" + value(68), "not performed|--");
    for (const QLabel* label :
         {f.collapseOutcomeValueLabel, f.collapsePositionSpreadValueLabel, f.collapseMomentumSpreadValueLabel})
        EXPECT_EQ(label->text().toStdString(), "--") << label->objectName().toStdString();
    probe.hits().clear();

    // While a document or preset is applied nothing is written.
    const QString status = f.statusBar->currentMessage();
    probe.applying() = true;
    probe.step();
    probe.updateDiagnostics();
    probe.applying() = false;
    EXPECT_EQ(value(5), "0") << "the table changed while applying";
    EXPECT_EQ(f.statusBar->currentMessage(), status) << "the status line changed while applying";
    probe.setAbsorbing(true);
}

// The first preset is a preset like any other: its document, loaded while
// another preset is shown, selects it with its help and its unit mapping.
// A window of its own: the presets it loads would change the form that the
// suite's start-up rows are compared with.
TEST(MainWindowFirstPreset, ADocumentOfTheFirstPresetSelectsItWithItsHelpAndScale)
{
    test::appTestApplication();
    const auto window = std::make_unique<MainWindow>(nullptr, false);
    MainWindowStatusProbe probe{*window};
    Ui::MainWindow& form = probe.form();
    const auto choose = [&](int preset) {
        form.experimentPresetComboBox->setCurrentIndex(preset);
        form.loadExperimentButton->click();
    };
    choose(0);
    const QString help = form.helpEnglishBrowser->toHtml();
    const ExperimentPreset first = makeExperimentPreset(0);
    ASSERT_TRUE(first.realWorldScale.valid);
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("first.vxo.json"));
    QString error;
    ASSERT_TRUE(saveExperimentFile(file, window->captureExperimentDocument(), error)) << error.toStdString();

    choose(1);
    ASSERT_NE(form.helpEnglishBrowser->toHtml(), help);
    ASSERT_TRUE(probe.load(file)) << window->statusBar()->currentMessage().toStdString();
    EXPECT_EQ(form.experimentPresetComboBox->currentIndex(), 0);
    EXPECT_EQ(form.helpEnglishBrowser->toHtml(), help);
    EXPECT_TRUE(probe.scale().valid);
    EXPECT_STREQ(probe.scale().system, first.realWorldScale.system);
    EXPECT_EQ(form.timeReferenceValueLabel->text(), QString::fromLatin1(first.realWorldScale.system));
}

} // namespace
} // namespace vxo
