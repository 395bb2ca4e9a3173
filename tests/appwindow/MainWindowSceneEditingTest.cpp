// The Potential Scene edited through the form's buttons and by shapes drawn
// in the viewport: the scene, its list, the five protocol target selectors
// and the potential in use follow every edit; a refused edit changes nothing.

#include "common/QtTestSupport.h"

#include "WindowControls.h"

#include "app/mainwindow/MainWindow.h"
#include "app/text/PotentialObjectText.h"
#include "common/MainWindowProbe.h"
#include "document/ExperimentFile.h"
#include "view/QuantumGLView.h"

#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QListWidget>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::click;
using test::control;
using test::potentialAt;
using test::setIndex;
using test::setValue;
using test::statusText;

// The four drives may target any object; the Moshinsky shutter only a wall
// that can be switched off.
struct TargetSelector {
    const char* combo;
    const char* enableBox;
    bool shutterKindsOnly;
};
const TargetSelector kTargetSelectors[] = {
    {"quenchTargetComboBox", "quenchEnabledCheckBox", false},
    {"periodicDriveTargetComboBox", "periodicDriveEnabledCheckBox", false},
    {"linearSweepTargetComboBox", "linearSweepEnabledCheckBox", false},
    {"ramseyTargetComboBox", "ramseyEnabledCheckBox", false},
    {"moshinskyTargetComboBox", "moshinskyEnabledCheckBox", true},
};

std::uint64_t selectedId(const QComboBox& combo) { return combo.currentData().toULongLong(); }

class MainWindowSceneEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = test::windowOnSmallGrid();
        click(*window, "clearPotentialSceneButton");
        ASSERT_TRUE(window->scene().empty());
    }
    void TearDown() override { window.reset(); }

    QListWidget& list() const { return *control<QListWidget>(*window, "potentialSceneListWidget"); }
    QCheckBox& sceneBox() const { return *control<QCheckBox>(*window, "potentialSceneActiveCheckBox"); }

    // The geometry page set to one object, then Add current.
    struct PageValue {
        const char* box;
        double value;
    };
    static void addObject(int kind, std::initializer_list<PageValue> values)
    {
        setIndex(*window, "geometryComboBox", kind);
        EXPECT_EQ(control<QStackedWidget>(*window, "geometryParametersStackedWidget")->currentIndex(), kind);
        for (const PageValue& entry : values)
            setValue(*window, entry.box, entry.value);
        click(*window, "addPotentialObjectButton");
    }
    static void addRectangle(double v0, double x, double y, double width, double height)
    {
        addObject(1, {{"rectangleV0SpinBox", v0},
                      {"rectangleCenterXSpinBox", x},
                      {"rectangleCenterYSpinBox", y},
                      {"rectangleWidthSpinBox", width},
                      {"rectangleHeightSpinBox", height}});
    }
    static void addCircle(double v0, double x, double y, double radius)
    {
        addObject(2, {{"circleV0SpinBox", v0},
                      {"circleCenterXSpinBox", x},
                      {"circleCenterYSpinBox", y},
                      {"circleRadiusSpinBox", radius}});
    }

    void selectObject(std::uint64_t id) const
    {
        for (int row = 0; row < list().count(); ++row)
            if (list().item(row)->data(Qt::UserRole).toULongLong() == id)
                list().setCurrentRow(row);
    }

    // The list mirrors the scene row by row; every selector lists the
    // objects it may target in scene order; the drives can be switched on
    // only with targets and the scene in force.
    void expectListAndSelectorsFollowTheScene(const std::string& when) const
    {
        const std::vector<PotentialObject>& objects = window->scene().objects();
        ASSERT_EQ(list().count(), static_cast<int>(objects.size())) << when;
        for (int row = 0; row < list().count(); ++row) {
            EXPECT_EQ(list().item(row)->text().toStdString(), describePotentialObject(objects[row]).toStdString())
                << when << ", row " << row;
            EXPECT_EQ(list().item(row)->data(Qt::UserRole).toULongLong(), objects[row].id) << when << ", row " << row;
        }
        for (const TargetSelector& selector : kTargetSelectors) {
            std::vector<std::uint64_t> expected;
            for (const PotentialObject& object : objects)
                if (!selector.shutterKindsOnly || object.kind == PotentialObjectKind::Rectangle ||
                    object.kind == PotentialObjectKind::Barrier)
                    expected.push_back(object.id);
            const QComboBox& combo = *control<QComboBox>(*window, selector.combo);
            std::vector<std::uint64_t> listed;
            for (int i = 0; i < combo.count(); ++i)
                listed.push_back(combo.itemData(i).toULongLong());
            EXPECT_EQ(listed, expected) << selector.combo << ", " << when;
            EXPECT_EQ(combo.isEnabled(), !expected.empty()) << selector.combo << ", " << when;
            EXPECT_EQ(control<QCheckBox>(*window, selector.enableBox)->isEnabled(),
                      !expected.empty() && sceneBox().isChecked())
                << selector.enableBox << ", " << when;
        }
    }

    static std::unique_ptr<MainWindow> window;
};

std::unique_ptr<MainWindow> MainWindowSceneEditing::window;

TEST_F(MainWindowSceneEditing, AddApplyDeleteAndClearKeepListTargetsAndPotentialInStep)
{
    setIndex(*window, "geometryComboBox", 0);
    click(*window, "addPotentialObjectButton");
    EXPECT_TRUE(window->scene().empty()) << "\"None\" is no object";

    addRectangle(3.0, -6.0, 2.0, 2.4, 3.6);
    ASSERT_EQ(window->scene().size(), 1u);
    EXPECT_EQ(window->scene().objects()[0].id, 1u) << "ids restart at 1 after Clear";
    EXPECT_EQ(statusText(*window), "Potential object #1 added to scene.");
    EXPECT_TRUE(sceneBox().isChecked()) << "an added object puts the scene in force";
    EXPECT_NEAR(potentialAt(*window, -6.0, 2.0), 3.0f, 1e-3f);
    EXPECT_NEAR(potentialAt(*window, 6.0, -2.0), 0.0f, 1e-3f) << "outside the rectangle";

    addCircle(5.0, 5.0, -3.0, 2.0);
    addObject(7, {{"gaussianAmplitudeSpinBox", -2.0},
                  {"gaussianCenterXSpinBox", 0.0},
                  {"gaussianCenterYSpinBox", 6.0},
                  {"gaussianSigmaXSpinBox", 1.5},
                  {"gaussianSigmaYSpinBox", 1.5}});
    ASSERT_EQ(window->scene().size(), 3u);
    EXPECT_EQ(selectedId(*control<QComboBox>(*window, "quenchTargetComboBox")), 1u) << "the first target by default";
    EXPECT_EQ(list().currentItem()->data(Qt::UserRole).toULongLong(), 3u) << "the new object is selected";
    EXPECT_NEAR(potentialAt(*window, 5.0, -3.0), 5.0f, 1e-3f);
    EXPECT_NEAR(potentialAt(*window, 0.0, 6.0), -2.0f, 1e-2f) << "at the cell centre nearest the peak";
    expectListAndSelectorsFollowTheScene("after three additions");

    // Targets chosen by the user survive edits of other objects.
    setIndex(*window, "quenchTargetComboBox", 1);
    setIndex(*window, "linearSweepTargetComboBox", 2);
    selectObject(1);
    setValue(*window, "rectangleV0SpinBox", 4.5);
    click(*window, "updatePotentialObjectButton");
    EXPECT_EQ(statusText(*window), "Potential object #1 updated.");
    EXPECT_NEAR(potentialAt(*window, -6.0, 2.0), 4.5f, 1e-3f);
    EXPECT_EQ(selectedId(*control<QComboBox>(*window, "quenchTargetComboBox")), 2u);
    EXPECT_EQ(selectedId(*control<QComboBox>(*window, "linearSweepTargetComboBox")), 3u);
    expectListAndSelectorsFollowTheScene("after an edit of object 1");

    // The page's kind is applied too: the circle becomes a rectangle under its id.
    selectObject(2);
    EXPECT_EQ(control<QComboBox>(*window, "geometryComboBox")->currentIndex(), 2)
        << "selecting the circle shows it in the geometry inspector";
    setIndex(*window, "geometryComboBox", 1);
    setValue(*window, "rectangleV0SpinBox", 7.0);
    setValue(*window, "rectangleCenterXSpinBox", 5.0);
    setValue(*window, "rectangleCenterYSpinBox", -3.0);
    setValue(*window, "rectangleWidthSpinBox", 0.8);
    setValue(*window, "rectangleHeightSpinBox", 6.0);
    click(*window, "updatePotentialObjectButton");
    const PotentialObject* edited = window->scene().find(2);
    ASSERT_NE(edited, nullptr);
    EXPECT_EQ(edited->kind, PotentialObjectKind::Rectangle);
    EXPECT_EQ(window->scene().objects()[1].id, 2u) << "the edited object keeps its place";
    EXPECT_NEAR(potentialAt(*window, 5.0, -5.5), 7.0f, 1e-3f) << "inside the new rectangle";
    EXPECT_NEAR(potentialAt(*window, 6.6, -3.0), 0.0f, 1e-3f) << "inside the old circle only";
    expectListAndSelectorsFollowTheScene("after turning the circle into a rectangle");

    // A refused edit changes nothing. The page follows the selector back to
    // "None" as to any other shape.
    setIndex(*window, "geometryComboBox", 0);
    EXPECT_EQ(control<QStackedWidget>(*window, "geometryParametersStackedWidget")->currentIndex(), 0);
    click(*window, "updatePotentialObjectButton");
    EXPECT_EQ(statusText(*window), "The edited potential geometry is not valid.");
    EXPECT_EQ(window->scene().find(2)->kind, PotentialObjectKind::Rectangle);

    // Deleting the second of three selects the first; a selector whose
    // target went falls back to its first entry, the others keep theirs.
    selectObject(2);
    click(*window, "deletePotentialObjectButton");
    EXPECT_EQ(statusText(*window), "Potential object #2 deleted.");
    EXPECT_EQ(window->scene().find(2), nullptr);
    EXPECT_EQ(list().currentItem()->data(Qt::UserRole).toULongLong(), 1u);
    EXPECT_EQ(selectedId(*control<QComboBox>(*window, "quenchTargetComboBox")), 1u);
    EXPECT_EQ(selectedId(*control<QComboBox>(*window, "linearSweepTargetComboBox")), 3u);
    EXPECT_NEAR(potentialAt(*window, 5.0, -5.5), 0.0f, 1e-3f);
    expectListAndSelectorsFollowTheScene("after deleting object 2");

    // A disabled object stays listed, marked, and leaves the potential.
    selectObject(1);
    control<QCheckBox>(*window, "potentialObjectEnabledCheckBox")->click();
    EXPECT_FALSE(window->scene().find(1)->enabled);
    EXPECT_TRUE(list().item(0)->text().endsWith(QStringLiteral("   [OFF]"))) << list().item(0)->text().toStdString();
    EXPECT_NEAR(potentialAt(*window, -6.0, 2.0), 0.0f, 1e-3f);
    expectListAndSelectorsFollowTheScene("after disabling object 1");

    // Deleted ids are not reused; Clear starts again at 1.
    addCircle(2.0, -3.0, -3.0, 1.0);
    EXPECT_EQ(statusText(*window), "Potential object #4 added to scene.");
    click(*window, "clearPotentialSceneButton");
    EXPECT_EQ(statusText(*window), "Potential scene cleared; legacy single geometry is active.");
    EXPECT_TRUE(window->scene().empty());
    EXPECT_FALSE(sceneBox().isChecked());
    EXPECT_FALSE(sceneBox().isEnabled());
    EXPECT_NEAR(potentialAt(*window, -3.0, -3.0), 2.0f, 1e-3f) << "the page's circle is the single geometry now";
    expectListAndSelectorsFollowTheScene("after Clear");
    for (const char* box : {"quenchEnabledCheckBox", "periodicDriveEnabledCheckBox", "linearSweepEnabledCheckBox",
                            "ramseyEnabledCheckBox", "berryEnabledCheckBox", "moshinskyEnabledCheckBox"})
        EXPECT_FALSE(control<QCheckBox>(*window, box)->isEnabled()) << box << " without a scene";
    addCircle(2.0, -3.0, -3.0, 1.0);
    EXPECT_EQ(statusText(*window), "Potential object #1 added to scene.");
    expectListAndSelectorsFollowTheScene("a lone circle in force: the shutter has no wall to open");
    // Taking the scene out of force refreshes the switches without refilling the targets.
    sceneBox().click();
    ASSERT_FALSE(sceneBox().isChecked());
    expectListAndSelectorsFollowTheScene("a lone circle not in force: still no wall to open");
    // A wall made ahead of the shutter's first target does not take its place.
    addRectangle(3.0, 6.0, 4.0, 1.0, 2.0);
    selectObject(1);
    setIndex(*window, "geometryComboBox", 1);
    click(*window, "updatePotentialObjectButton");
    ASSERT_EQ(window->scene().find(1)->kind, PotentialObjectKind::Rectangle);
    EXPECT_EQ(selectedId(*control<QComboBox>(*window, "moshinskyTargetComboBox")), 2u);
    expectListAndSelectorsFollowTheScene("the circle before the wall turned into a wall");
}

TEST_F(MainWindowSceneEditing, AnInactiveSceneIsEditedWithoutTouchingTheRunningPotential)
{
    // The box is disabled while the scene is empty; a program that checks it
    // anyway is refused.
    sceneBox().setChecked(true);
    EXPECT_FALSE(sceneBox().isChecked()) << "an empty scene cannot be put in force";
    EXPECT_EQ(statusText(*window), "Add at least one potential object before enabling the scene.");

    addRectangle(6.0, 3.0, 0.0, 1.6, 4.0);
    sceneBox().click();
    ASSERT_FALSE(sceneBox().isChecked());
    expectListAndSelectorsFollowTheScene("with objects but not in force");
    EXPECT_NEAR(potentialAt(*window, 3.0, 0.0), 6.0f, 1e-3f) << "the page holds the same rectangle";

    // One step, so that a rebuild would show as a clock back at 0.
    window->stepOnce();
    const double time = window->schroedingerSolver().time();
    ASSERT_GT(time, 0.0);
    const std::vector<float> before = window->potentialField().values();
    selectObject(1);
    setValue(*window, "rectangleV0SpinBox", 9.0);
    // The page change itself rebuilt the single geometry: step again.
    window->stepOnce();
    const double editTime = window->schroedingerSolver().time();
    const std::vector<float> single = window->potentialField().values();
    click(*window, "updatePotentialObjectButton");
    EXPECT_EQ(statusText(*window), "Potential object #1 updated.");
    EXPECT_FLOAT_EQ(window->scene().find(1)->value, 9.0f);
    EXPECT_EQ(window->schroedingerSolver().time(), editTime) << "an edit of an inactive scene does not rebuild";
    EXPECT_EQ(window->potentialField().values(), single);
    EXPECT_NE(before, single);
    expectListAndSelectorsFollowTheScene("after an edit of a scene not in force");

    sceneBox().click();
    EXPECT_TRUE(sceneBox().isChecked());
    EXPECT_EQ(window->schroedingerSolver().time(), 0.0) << "putting the scene in force rebuilds";
    EXPECT_NEAR(potentialAt(*window, 3.0, 0.0), 9.0f, 1e-3f);
}

// Left-button drag in the viewport's edit mode, from one physical point to another.
void drag(QuantumGLView& view, float x0, float y0, float x1, float y1)
{
    const QPointF from = view.worldToWidget(x0, y0);
    const QPointF to = view.worldToWidget(x1, y1);
    const auto send = [&view](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, view.mapToGlobal(at.toPoint()), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    };
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, (from + to) / 2.0, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
}

TEST_F(MainWindowSceneEditing, ShapesDrawnInTheViewportBecomeTheGeometryOrJoinTheScene)
{
    ASSERT_TRUE(test::displayAvailable()) << test::kNeedsDisplay;
    // The viewport alone in a small window: one frame to draw on, rendered
    // quickly even by a software rasteriser.
    for (QDockWidget* dock : window->findChildren<QDockWidget*>())
        dock->hide();
    window->resize(640, 480);
    ASSERT_TRUE(test::showAndWait(*window));
    QuantumGLView& view = *control<QuantumGLView>(*window, "quantumView");
    ASSERT_FALSE(view.imageRect().isEmpty()) << "the viewport shows no frame to draw on";
    control<QCheckBox>(*window, "viewportEditCheckBox")->setChecked(true);
    // The pixel grid of the view limits how exactly a drag reaches a point.
    const double pixel = 40.96 / view.imageRect().width();
    const double tolerance = 2.0 * pixel + 0.01;

    setValue(*window, "rectangleV0SpinBox", 2.5);
    setIndex(*window, "viewportEditToolComboBox", 0);
    drag(view, -3.0f, -2.0f, 1.0f, 3.0f);
    EXPECT_TRUE(window->scene().empty()) << "with the scene off a drawn shape adds no object";
    EXPECT_EQ(control<QComboBox>(*window, "geometryComboBox")->currentIndex(), 1);
    EXPECT_NEAR(control<QDoubleSpinBox>(*window, "rectangleCenterXSpinBox")->value(), -1.0, tolerance);
    EXPECT_NEAR(control<QDoubleSpinBox>(*window, "rectangleCenterYSpinBox")->value(), 0.5, tolerance);
    EXPECT_NEAR(control<QDoubleSpinBox>(*window, "rectangleWidthSpinBox")->value(), 4.0, tolerance);
    EXPECT_NEAR(control<QDoubleSpinBox>(*window, "rectangleHeightSpinBox")->value(), 5.0, tolerance);
    EXPECT_DOUBLE_EQ(control<QDoubleSpinBox>(*window, "rectangleV0SpinBox")->value(), 2.5)
        << "the strength comes from the page";
    EXPECT_NEAR(potentialAt(*window, -1.0, 0.5), 2.5f, 1e-3f) << "the drawn rectangle is the single geometry";
    EXPECT_NEAR(potentialAt(*window, 4.0, 0.5), 0.0f, 1e-3f);

    // With the scene in force the drawn circle is added to it.
    addRectangle(1.0, -8.0, -6.0, 1.0, 1.0);
    setValue(*window, "circleV0SpinBox", 6.0);
    setIndex(*window, "viewportEditToolComboBox", 1);
    drag(view, 4.0f, 3.0f, 6.0f, 3.0f);
    ASSERT_EQ(window->scene().size(), 2u);
    const PotentialObject& circle = window->scene().objects()[1];
    EXPECT_EQ(circle.kind, PotentialObjectKind::Circle);
    EXPECT_NEAR(circle.centerX, 4.0, tolerance);
    EXPECT_NEAR(circle.centerY, 3.0, tolerance);
    EXPECT_NEAR(circle.radius, 2.0, tolerance);
    EXPECT_FLOAT_EQ(circle.value, 6.0f);
    EXPECT_EQ(statusText(*window), "Potential object #2 added to scene.");
    EXPECT_NEAR(potentialAt(*window, 4.0, 3.0), 6.0f, 1e-3f);
    expectListAndSelectorsFollowTheScene("after a drawn circle");

    control<QCheckBox>(*window, "viewportEditCheckBox")->setChecked(false);
    window->hide();
}

// A scene holds no more objects than a document can save: the editor
// refuses the next one, added or drawn, naming the limit, and changes
// nothing; the scene at the limit still saves.
TEST_F(MainWindowSceneEditing, TheEditorRefusesAnObjectBeyondWhatADocumentCanSave)
{
    PotentialObject spot;
    spot.kind = PotentialObjectKind::Circle;
    spot.enabled = false;
    spot.radius = 0.5f;
    addCircle(1.0, 2.0, 1.0, 0.75);
    ASSERT_EQ(window->scene().size(), 1u);
    while (window->scene().size() < 511)
        ASSERT_NE(MainWindowProbe::addToScene(*window, spot), 0u);
    addCircle(2.0, -2.0, 1.0, 0.75);
    ASSERT_EQ(window->scene().size(), 512u) << "the last object within the limit is added";
    ASSERT_EQ(statusText(*window), "Potential object #512 added to scene.");

    const std::string refusal = "The potential scene already holds 512 objects, the most a document can save.";
    const std::uint64_t revision = window->potentialField().revision();
    addCircle(3.0, 4.0, -1.0, 0.5);
    EXPECT_EQ(window->scene().size(), 512u) << "Add current";
    EXPECT_EQ(statusText(*window), refusal);

    PotentialEditorShape drawn;
    drawn.type = PotentialEditorShape::kRectangle;
    drawn.centerX = 5.0f;
    drawn.centerY = -3.0f;
    drawn.width = 2.0f;
    drawn.height = 1.5f;
    const double pageWidth = control<QDoubleSpinBox>(*window, "rectangleWidthSpinBox")->value();
    window->statusBar()->clearMessage();
    MainWindowProbe::drawShape(*window, drawn);
    EXPECT_EQ(window->scene().size(), 512u) << "a drawn rectangle";
    EXPECT_EQ(statusText(*window), refusal);
    EXPECT_EQ(control<QDoubleSpinBox>(*window, "rectangleWidthSpinBox")->value(), pageWidth)
        << "the refused shape was written into the page";
    EXPECT_EQ(window->potentialField().revision(), revision) << "a refused edit rebuilt the potential";

    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QString error;
    EXPECT_TRUE(saveExperimentFile(folder.filePath(QStringLiteral("full.vxo.json")),
                                   window->captureExperimentDocument(), error))
        << error.toStdString();
}

// A guided load puts the tool box back to its start; the viewport must draw
// what the box then shows, not the tool chosen before the load, whether the
// drawn shape becomes the single geometry (presets 0 and 4) or joins the
// scene (presets 7 and 30).
TEST_F(MainWindowSceneEditing, AfterAGuidedLoadADragDrawsTheShapeTheToolBoxShows)
{
    ASSERT_TRUE(test::displayAvailable()) << test::kNeedsDisplay;
    window->resize(640, 480);
    ASSERT_TRUE(test::showAndWait(*window));
    QuantumGLView& view = *control<QuantumGLView>(*window, "quantumView");
    auto* tool = control<QComboBox>(*window, "viewportEditToolComboBox");
    auto* editing = control<QCheckBox>(*window, "viewportEditCheckBox");
    for (const int preset : {0, 4, 7, 30}) {
        SCOPED_TRACE("preset " + std::to_string(preset));
        editing->setChecked(true);
        setIndex(*window, "viewportEditToolComboBox", 1);
        window->loadGuidedExperiment(preset);
        for (QDockWidget* dock : window->findChildren<QDockWidget*>())
            dock->hide();
        test::settle();
        ASSERT_FALSE(view.imageRect().isEmpty()) << "the viewport shows no frame to draw on";
        editing->setChecked(true);
        const bool sceneOn = sceneBox().isChecked();
        const std::size_t objects = window->scene().size();
        const QString shownTool = tool->currentText();
        const int shown = tool->currentIndex() == 1 ? static_cast<int>(PotentialObjectKind::Circle)
                                                    : static_cast<int>(PotentialObjectKind::Rectangle);

        drag(view, -2.0f, -1.0f, 1.0f, 2.0f);
        int drawn = control<QComboBox>(*window, "geometryComboBox")->currentIndex();
        if (sceneOn) {
            ASSERT_EQ(window->scene().size(), objects + 1) << "the drawn shape did not join the scene";
            drawn = static_cast<int>(window->scene().objects().back().kind);
        }
        EXPECT_EQ(drawn, shown) << "the box shows " << shownTool.toStdString();
        editing->setChecked(false);
    }
    window->hide();
}

} // namespace
} // namespace vxo
