// A freshly built window without persistence: what construction guarantees
// before anything runs.

#include "common/AppTestSupport.h"
#include "common/QtTestSupport.h"

#include "app/mainwindow/MainWindow.h"
#include "document/ExperimentCatalogue.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QMenu>
#include <QSettings>
#include <QStatusBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace vxo {
namespace {

template <typename Widget>
Widget* child(const QObject& window, const char* name)
{
    auto* found = window.findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name << " is missing";
    return found;
}

TEST(MainWindowStartup, StoppedAtTimeZeroWithTheLibraryTheSolverAndTheTimerInPlace)
{
    test::appTestApplication();
    // A layout saved by an earlier run: a window without persistence neither
    // reads it nor writes nor erases it.
    QSettings().remove(QStringLiteral("MainWindow"));
    QSettings().setValue(QStringLiteral("MainWindow/controlsTab"), 2);

    test::MessageCapture capture;
    MainWindow window(nullptr, false);
    EXPECT_TRUE(capture.messages().isEmpty()) << "construction warned:\n"
                                              << capture.messages().join("\n").toStdString();

    EXPECT_EQ(window.transportClock().state(), TransportState::Stopped);
    EXPECT_EQ(window.transportClock().speed(), 1.0) << "the form's speed entry 1.00x";
    const auto* timer = child<QTimer>(window, "runTimer");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 30);
    EXPECT_FALSE(timer->isActive()) << "nothing runs until Play";
    EXPECT_FALSE(timer->isSingleShot());

    const SplitStepParameters parameters = window.schroedingerSolver().parameters();
    EXPECT_EQ(parameters.mass, 1.0f);
    EXPECT_EQ(parameters.hbar, 1.0f);
    EXPECT_EQ(parameters.dt, 0.02f);
    EXPECT_EQ(window.schroedingerSolver().stepCount(), 0u);
    EXPECT_EQ(window.schroedingerSolver().time(), 0.0);
    // The first observation in the history and the wave field at t = 0 come
    // with the rebuild; its own tests check them.

    // The form carries a few library entries; the window lists the whole
    // catalogue and keeps the form's selection.
    const auto* library = child<QComboBox>(window, "experimentPresetComboBox");
    ASSERT_NE(library, nullptr);
    ASSERT_EQ(library->count(), 54);
    ASSERT_EQ(presetCount(), 54u);
    EXPECT_EQ(library->currentIndex(), 2);
    for (int i = 0; i < library->count(); ++i)
        EXPECT_EQ(library->itemText(i), QString::fromLatin1(makeExperimentPreset(static_cast<std::uint32_t>(i)).title))
            << "library entry " << i;
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("Ondrivel"))) << window.windowTitle().toStdString();

    // One selector entry per analysis page: its title, or its object name
    // when it has none.
    const auto* pages = child<QComboBox>(window, "analysisPageComboBox");
    const auto* stack = child<QStackedWidget>(window, "analysisStackedWidget");
    ASSERT_TRUE(pages && stack);
    ASSERT_EQ(pages->count(), stack->count());
    for (int i = 0; i < stack->count(); ++i) {
        const QWidget* page = stack->widget(i);
        const QString expected =
            page->windowTitle().trimmed().isEmpty() ? page->objectName() : page->windowTitle().trimmed();
        EXPECT_EQ(pages->itemText(i), expected) << "analysis page " << i;
    }
    EXPECT_EQ(pages->currentIndex(), stack->currentIndex());

    const auto* analysisTabs = child<QTabWidget>(window, "analysisTabWidget");
    ASSERT_NE(analysisTabs, nullptr);
    const double basePoint = QApplication::font().pointSizeF();
    EXPECT_DOUBLE_EQ(analysisTabs->font().pointSizeF(), std::max(basePoint + 1.5, 10.5))
        << "base " << basePoint << " pt";
    EXPECT_EQ(analysisTabs->font().weight(), 57);
    EXPECT_EQ(analysisTabs->font().styleStrategy(), QFont::PreferAntialias);

    // View menu: the five dock toggles, a separator, then the layout reset.
    const auto* viewMenu = child<QMenu>(window, "menuView");
    ASSERT_NE(viewMenu, nullptr);
    const QList<QAction*> entries = viewMenu->actions();
    ASSERT_EQ(entries.size(), 7);
    EXPECT_TRUE(entries[5]->isSeparator());
    EXPECT_EQ(entries[6]->text(), QStringLiteral("Reset Window Layout"));
    EXPECT_EQ(entries[6]->toolTip(),
              QStringLiteral("Restore the default dock and tab layout and clear the saved GUI state."));

    auto* controlsTabs = child<QTabWidget>(window, "controlsTabWidget");
    ASSERT_NE(controlsTabs, nullptr);
    EXPECT_EQ(controlsTabs->currentIndex(), 0) << "the saved tab was read without persistence";
    controlsTabs->setCurrentIndex(1);
    window.close();
    entries[6]->trigger();
    EXPECT_EQ(controlsTabs->currentIndex(), 0) << "the reset selects the first tab even without persistence";
    QSettings settings;
    settings.beginGroup(QStringLiteral("MainWindow"));
    EXPECT_EQ(settings.childKeys(), QStringList{QStringLiteral("controlsTab")})
        << "a window without persistence wrote or erased the saved layout";
    EXPECT_EQ(settings.value(QStringLiteral("controlsTab")).toInt(), 2);
    settings.endGroup();
    settings.remove(QStringLiteral("MainWindow"));
}

// What a new window names is what Play runs: its wave field, potential,
// scene and stored settings are those the Load button gives the library's
// selection, at t = 0 and stopped, while the tabs and the status line stay
// those of a new window.
TEST(MainWindowStartup, ANewWindowIsTheSelectedExperimentAsLoaded)
{
    test::appTestApplication();
    MainWindow fresh(nullptr, false);
    MainWindow loaded(nullptr, false);
    const auto* library = child<QComboBox>(fresh, "experimentPresetComboBox");
    ASSERT_NE(library, nullptr);
    const int selected = library->currentIndex();
    // Another experiment first, so that the load below has everything to set.
    loaded.loadGuidedExperiment(selected == 0 ? 1 : 0);
    loaded.loadGuidedExperiment(selected);

    const std::string named = library->currentText().toStdString();
    EXPECT_EQ(fresh.transportClock().state(), TransportState::Stopped) << named;
    EXPECT_EQ(fresh.schroedingerSolver().time(), 0.0) << named;
    EXPECT_TRUE(fresh.windowTitle().contains(library->currentText())) << fresh.windowTitle().toStdString();
    const ComplexField2D& psi = fresh.waveField();
    const ComplexField2D& reference = loaded.waveField();
    ASSERT_FALSE(psi.empty()) << named;
    ASSERT_EQ(psi.nx(), reference.nx()) << named;
    ASSERT_EQ(psi.ny(), reference.ny()) << named;
    EXPECT_TRUE(std::equal(psi.data(), psi.data() + psi.size(), reference.data())) << named << ": another packet";
    const PotentialField2D& potential = fresh.potentialField();
    ASSERT_EQ(potential.size(), loaded.potentialField().size()) << named;
    EXPECT_TRUE(
        std::equal(potential.values().begin(), potential.values().end(), loaded.potentialField().values().begin()))
        << named << ": another potential";
    EXPECT_EQ(fresh.scene().size(), loaded.scene().size()) << named;
    EXPECT_EQ(fresh.captureExperimentDocument().controls, loaded.captureExperimentDocument().controls)
        << named << ": other controls";

    // A new window's face: the cross section in front and the permanent
    // status line, not the notice of a load.
    const auto* analysisTabs = child<QTabWidget>(fresh, "analysisTabWidget");
    ASSERT_NE(analysisTabs, nullptr);
    EXPECT_EQ(analysisTabs->currentIndex(), 0);
    EXPECT_TRUE(fresh.statusBar()->currentMessage().startsWith(QStringLiteral("STOPPED | t=0.000")))
        << fresh.statusBar()->currentMessage().toStdString();
}

TEST(MainWindowStartup, AnalysisFaceStaysLargerThanTheControlsOnALargeDesktopFont)
{
    test::appTestApplication();
    const QFont original = QApplication::font();
    for (const double desktopPoint : {12.0, 16.0}) {
        QFont desktop = original;
        desktop.setPointSizeF(desktopPoint);
        QApplication::setFont(desktop);
        MainWindow window(nullptr, false);
        const double controls = child<QComboBox>(window, "experimentPresetComboBox")->font().pointSizeF();
        const double analysis = child<QTabWidget>(window, "analysisTabWidget")->font().pointSizeF();
        QApplication::setFont(original);
        ASSERT_DOUBLE_EQ(controls, desktopPoint) << "the form's controls did not take the desktop font";
        EXPECT_GT(analysis, controls) << desktopPoint << " pt desktop";
    }
}

} // namespace
} // namespace vxo
