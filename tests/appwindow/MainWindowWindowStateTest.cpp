// The saved window layout: docks and selected tabs survive a restart,
// unusable stored values are clamped, minimising keeps hidden docks hidden
// and "Reset Window Layout" brings the default back and forgets the save. A
// layout saved on another screen comes back fitting this one, floating docks
// included.

#include "common/AppTestSupport.h"
#include "common/QtTestSupport.h"

#include "WindowLayoutChecks.h"

#include "app/mainwindow/MainWindow.h"
#include "plots/PlotWidget.h"

#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QStatusBar>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <map>
#include <optional>
#include <functional>
#include <string>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vxo {

// Restoring the saved layout as on a screen of the test's choosing.
struct WindowStateProbe {
    static void restore(MainWindow& window, const QRect& available) { window.restoreGuiState(available); }
    static void screenChanged(MainWindow& window, const QRect& before) { window.fitToChangedScreen(before); }
};

namespace {

const char* const kDockNames[] = {"controlsDockWidget", "timeDockWidget", "diagnosticsDockWidget", "helpDockWidget",
                                  "analysisDockWidget"};
const char* const kActionNames[] = {"actionControlsDock", "actionTimeDock", "actionDiagnosticsDock", "actionHelpDock",
                                    "actionAnalysisDock"};
// The default areas of a window with room for both side columns, and of one
// too narrow for them, where the time and help docks are tabs of the controls
// column and the diagnostics stand under them.
const Qt::DockWidgetArea kTwoColumnAreas[] = {Qt::LeftDockWidgetArea, Qt::RightDockWidgetArea, Qt::RightDockWidgetArea,
                                              Qt::RightDockWidgetArea, Qt::BottomDockWidgetArea};
const Qt::DockWidgetArea kOneColumnAreas[] = {Qt::LeftDockWidgetArea, Qt::LeftDockWidgetArea, Qt::LeftDockWidgetArea,
                                              Qt::LeftDockWidgetArea, Qt::BottomDockWidgetArea};

// The saved index of each selector, by key and object name.
struct Selector {
    const char* key;
    const char* objectName;
};
const Selector kSelectors[] = {
    {"controlsTab", "controlsTabWidget"},         {"experimentSubTab", "experimentSubTabWidget"},
    {"potentialSubTab", "potentialSubTabWidget"}, {"timeDependentSubTab", "timeDependentSubTabWidget"},
    {"analysisOuterTab", "analysisTabWidget"},    {"analysisPage", "analysisPageComboBox"},
    {"helpLanguageTab", "helpLanguageTabWidget"},
};

// A screen with room for the window wherever the test places it, whatever
// the screen the tests run on.
const QRect kRoomyScreen(0, 0, 1920, 1200);

QDockWidget* dock(const MainWindow& window, int i) { return window.findChild<QDockWidget*>(kDockNames[i]); }
QAction* action(const MainWindow& window, int i) { return window.findChild<QAction*>(kActionNames[i]); }

// The selector's widget: a tab widget or the analysis page combo box.
struct IndexedWidget {
    QTabWidget* tabs = nullptr;
    QComboBox* combo = nullptr;
    int count() const { return tabs ? tabs->count() : combo->count(); }
    int index() const { return tabs ? tabs->currentIndex() : combo->currentIndex(); }
    void select(int i) const { tabs ? tabs->setCurrentIndex(i) : combo->setCurrentIndex(i); }
};

IndexedWidget indexed(const MainWindow& window, const Selector& selector)
{
    IndexedWidget widget{window.findChild<QTabWidget*>(selector.objectName),
                         window.findChild<QComboBox*>(selector.objectName)};
    EXPECT_TRUE(widget.tabs || widget.combo) << selector.objectName << " is missing";
    return widget;
}

void showAndSettle(MainWindow& window)
{
    EXPECT_TRUE(test::showAndWait(window)) << "the window is not shown, or its layout never settles";
}

QStringList savedKeys()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("MainWindow"));
    return settings.childKeys();
}

bool oneSideColumn(const MainWindow& window)
{
    return window.dockWidgetArea(dock(window, 1)) == Qt::LeftDockWidgetArea;
}

// The area of the first of the time, diagnostics and help docks other than `closed`.
Qt::DockWidgetArea dockWidgetAreaOfOpenRightDock(const MainWindow& window, int closed)
{
    return window.dockWidgetArea(dock(window, closed == 1 ? 2 : 1));
}

// The default layout: every dock docked and open with its action checked,
// the right docks stacked time over diagnostics over help or, in a window too
// narrow for two side columns, the time, help and controls docks tabs of one
// column with `front` in front (the guide of the experiment a start loaded,
// the controls after a reset) and the diagnostics under them, in front.
// Which of the two is what a new window of the same size shows on this
// screen.
void expectDefaultDocks(const MainWindow& window, const char* when, int front)
{
    MainWindow fresh(nullptr, false);
    fresh.setGeometry(window.geometry());
    showAndSettle(fresh);
    const bool tabbed = oneSideColumn(fresh);
    const Qt::DockWidgetArea* areas = tabbed ? kOneColumnAreas : kTwoColumnAreas;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(dock(window, i) && action(window, i)) << kDockNames[i];
        EXPECT_EQ(fresh.dockWidgetArea(dock(fresh, i)), areas[i]) << kDockNames[i] << " in a new window";
        EXPECT_EQ(window.dockWidgetArea(dock(window, i)), areas[i]) << kDockNames[i] << " " << when;
        EXPECT_TRUE(dock(window, i)->isVisible()) << kDockNames[i] << " " << when;
        EXPECT_FALSE(dock(window, i)->isFloating()) << kDockNames[i] << " " << when;
        EXPECT_TRUE(action(window, i)->isChecked()) << kActionNames[i] << " " << when;
    }
    if (tabbed) {
        const QList<QDockWidget*> tabs = window.tabifiedDockWidgets(dock(window, 0));
        for (int i : {1, 3})
            EXPECT_TRUE(tabs.contains(dock(window, i))) << kDockNames[i] << " is not a controls tab " << when;
        EXPECT_TRUE(test::dockInFront(window, *dock(window, front))) << kDockNames[front] << " not in front " << when;
        EXPECT_TRUE(test::dockInFront(window, *dock(window, 2))) << "the diagnostics are not in front " << when;
        EXPECT_LT(dock(window, 0)->geometry().bottom(), dock(window, 2)->geometry().top())
            << "the diagnostics are not under the controls " << when;
        return;
    }
    for (int i = 2; i <= 3; ++i)
        EXPECT_LT(dock(window, i - 1)->geometry().bottom(), dock(window, i)->geometry().top())
            << kDockNames[i] << " is not below " << kDockNames[i - 1] << " " << when;
}

// A start without a saved layout: a 420 px analysis dock where the window has
// its form height, and right docks sharing their column 250 : 245 : 230, a
// dock that needs more taking it from the others in proportion: the time
// dock for its texts, the diagnostics for their first eight rows whole. At
// the form's height those no longer fit above an analysis dock across the
// whole width (the time dock's wrapped reference, eight rows of diagnostics
// and eight lines of guide need some 780 px, the column there had 741): the
// side columns reach the status bar, as in a shorter window, and the
// analysis dock stands under the viewport, where its 420 px leave the
// right column its 250 : 245 : 230. A window with one side column has no
// right docks to size.
void expectDefaultDockHeights(const MainWindow& window)
{
    const bool formHeight = window.height() >= 1216;
    const QDockWidget* analysis = dock(window, 4);
    // On a screen shorter than the form's 1216 px the viewport keeps its
    // minimum and the dock gets what is left, still well above a strip.
    if (formHeight)
        EXPECT_NEAR(analysis->height(), 420, 12);
    else
        EXPECT_GE(analysis->height(), 300) << "window " << window.height() << " px high";
    if (oneSideColumn(window))
        return;
    const QDockWidget* time = dock(window, 1);
    const QDockWidget* diagnostics = dock(window, 2);
    const QDockWidget* help = dock(window, 3);
    EXPECT_GE(help->geometry().bottom(), analysis->geometry().bottom() - 1)
        << "the right column does not reach the status bar";
    EXPECT_GE(time->height(), time->minimumSizeHint().height());
    auto* table = window.findChild<QTableWidget*>(QStringLiteral("diagnosticsTable"));
    ASSERT_NE(table, nullptr);
    EXPECT_GE(test::wholeDiagnosticsRows(*table), 8) << "the diagnostics, " << diagnostics->height() << " px";
    // Their share beside the help where the column is as tall as the form
    // makes it; never less where they need more for their rows.
    const double ratio = static_cast<double>(diagnostics->height()) / help->height();
    if (formHeight)
        EXPECT_NEAR(ratio, 245.0 / 230.0, 0.02) << diagnostics->height() << " and " << help->height() << " px";
    else
        EXPECT_GE(ratio, 245.0 / 230.0 - 0.02) << diagnostics->height() << " and " << help->height() << " px";
}

TEST(MainWindowWindowState, LayoutAndTabsSurviveARestartAndResetRestoresTheDefault)
{
    test::appTestApplication();
    QSettings().remove(QStringLiteral("MainWindow"));

    std::array<int, std::size(kSelectors)> chosen{};
    QRect placed;
    {
        MainWindow first(nullptr, true);
        EXPECT_TRUE(savedKeys().isEmpty()) << "nothing is saved while the window is open";
        showAndSettle(first);
        expectDefaultDocks(first, "at the first start", 3);
        expectDefaultDockHeights(first);

        // The last entry of every selector, so that restoring cannot pass by
        // falling back to the first.
        for (std::size_t k = 0; k < std::size(kSelectors); ++k) {
            const IndexedWidget widget = indexed(first, kSelectors[k]);
            ASSERT_GT(widget.count(), 1) << kSelectors[k].objectName;
            widget.select(widget.count() - 1);
            chosen[k] = widget.count() - 1;
        }
        // A place inside the screen with x != y, so that the axes cannot be
        // swapped when the window comes back there.
        const QRect available = kRoomyScreen;
        first.setGeometry(QRect(available.topLeft() + QPoint(5, 22), available.size() - QSize(80, 120)));
        // The docks are arranged anew for the new width once the resize is
        // through, as a user's arrangement follows the resize.
        test::waitForLayout(first);
        action(first, 2)->trigger(); // diagnostics dock closed from the View menu
        first.addDockWidget(Qt::LeftDockWidgetArea, dock(first, 1));
        test::waitForLayout(first);
        EXPECT_FALSE(dock(first, 2)->isVisible());
        EXPECT_FALSE(action(first, 2)->isChecked());
        placed = first.geometry();
        ASSERT_TRUE(available.contains(placed)) << "the window must fit the screen for its place to be kept";
        first.close();
    }
    const QStringList keys = savedKeys();
    for (const char* key : {"geometry", "windowState"})
        EXPECT_TRUE(keys.contains(QLatin1String(key))) << key << " was not saved";
    for (const Selector& selector : kSelectors)
        EXPECT_TRUE(keys.contains(QLatin1String(selector.key))) << selector.key << " was not saved";

    // Values no selector can take: clamped to its range, a non-number gives 0.
    QSettings().setValue(QStringLiteral("MainWindow/controlsTab"), 99);
    QSettings().setValue(QStringLiteral("MainWindow/experimentSubTab"), -5);
    QSettings().setValue(QStringLiteral("MainWindow/potentialSubTab"), QStringLiteral("second"));

    MainWindow second(nullptr, true);
    WindowStateProbe::restore(second, kRoomyScreen);
    EXPECT_EQ(second.geometry().topLeft(), placed.topLeft()) << "the window comes back where it was";
    for (std::size_t k = 0; k < std::size(kSelectors); ++k) {
        const IndexedWidget widget = indexed(second, kSelectors[k]);
        const std::string key = kSelectors[k].key;
        const int expected = key == "controlsTab"                                    ? widget.count() - 1
                             : key == "experimentSubTab" || key == "potentialSubTab" ? 0
                                                                                     : chosen[k];
        EXPECT_EQ(widget.index(), expected) << key;
    }
    EXPECT_EQ(second.dockWidgetArea(dock(second, 1)), Qt::LeftDockWidgetArea) << "the moved time dock";
    EXPECT_TRUE(dock(second, 2)->isHidden()) << "the closed diagnostics dock";
    EXPECT_FALSE(action(second, 2)->isChecked()) << "a dock restored hidden keeps its action unchecked";
    showAndSettle(second);
    for (int i : {0, 1, 3, 4}) {
        EXPECT_TRUE(dock(second, i)->isVisible()) << kDockNames[i];
        EXPECT_TRUE(action(second, i)->isChecked()) << kActionNames[i];
    }
    EXPECT_FALSE(dock(second, 2)->isVisible());

    // Minimising hides the docks with the window; restoring brings back the
    // ones that were open, and only those.
    second.showMinimized();
    test::waitForLayout(second);
    ASSERT_TRUE(second.isMinimized());
    dock(second, 3)->hide();
    EXPECT_TRUE(action(second, 3)->isChecked()) << "a dock hidden with the minimised window is still chosen";
    second.showNormal();
    test::waitForLayout(second);
    ASSERT_FALSE(second.isMinimized());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(dock(second, i)->isVisible(), i != 2) << kDockNames[i] << " after restoring";
        EXPECT_EQ(action(second, i)->isChecked(), i != 2) << kActionNames[i] << " after restoring";
    }
    // Any other change of state leaves the docks as they were chosen since.
    action(second, 0)->trigger();
    second.showMaximized();
    test::waitForLayout(second);
    EXPECT_FALSE(dock(second, 0)->isVisible() || action(second, 0)->isChecked()) << "back after maximising";
    second.showNormal();
    test::waitForLayout(second);

    QAction* reset = second.findChild<QAction*>(QStringLiteral("actionResetWindowLayout"));
    ASSERT_NE(reset, nullptr);
    reset->trigger();
    test::waitForLayout(second);
    EXPECT_TRUE(savedKeys().isEmpty()) << "the reset forgets the saved layout: "
                                       << savedKeys().join(", ").toStdString();
    expectDefaultDocks(second, "after Reset Window Layout", 0);
    for (const Selector& selector : kSelectors)
        EXPECT_EQ(indexed(second, selector).index(), 0) << selector.key << " after the reset";

    // A window saved reaching past the bottom or the right edge comes back
    // wholly on the screen, moved along that axis only.
    for (const QPoint offset : {QPoint(40, 300), QPoint(300, 40)}) {
        const QRect available = kRoomyScreen;
        {
            MainWindow off(nullptr, true);
            showAndSettle(off);
            off.setGeometry(QRect(available.topLeft() + offset, available.size() - QSize(80, 120)));
            test::waitForLayout(off);
            off.close();
        }
        MainWindow restarted(nullptr, true);
        WindowStateProbe::restore(restarted, available);
        const QRect back = restarted.geometry();
        const QPoint expected(std::min(offset.x(), available.width() - back.width()),
                              std::min(offset.y(), available.height() - back.height()));
        EXPECT_EQ(back.topLeft(), available.topLeft() + expected)
            << "saved at offset " << offset.x() << ", " << offset.y();
    }
    QSettings().remove(QStringLiteral("MainWindow"));
}

// A window closed without a frame around it (no window manager), at the top
// of the screen as a user leaves it there, or anywhere else, starts again
// exactly where it was left, shown as well as restored.
TEST(MainWindowWindowState, AWindowLeftWithoutAFrameStartsAgainWhereItWasToThePixel)
{
    test::appTestApplication();
    for (const QRect& left : {QRect(13, 0, 1300, 900), QRect(0, 0, 1240, 880), QRect(41, 57, 1250, 860)}) {
        const std::string at = test::describe(left);
        QSettings().remove(QStringLiteral("MainWindow"));
        {
            MainWindow first(nullptr, true);
            // Laid out for its size, as on a screen of that size.
            first.fitToScreen(left);
            showAndSettle(first);
            ASSERT_EQ(first.geometry(), left) << at << ": the window was not placed there";
            ASSERT_EQ(first.frameGeometry(), first.geometry()) << at << ": the window has a frame";
            first.close();
        }
        {
            MainWindow again(nullptr, true);
            WindowStateProbe::restore(again, kRoomyScreen);
            EXPECT_EQ(again.geometry(), left) << at << ": restored at " << test::describe(again.geometry());
            showAndSettle(again);
            EXPECT_EQ(again.geometry(), left) << at << ": shown at " << test::describe(again.geometry());
            again.close();
        }
    }
    QSettings().remove(QStringLiteral("MainWindow"));
}

// In a window too narrow for two side columns the time and help docks are
// tabs behind the controls: open, so their View actions are checked. The
// View menu closes such a dock, and shows it again in front; so it does the
// diagnostics under them.
TEST(MainWindowWindowState, TheViewMenuOpensAndClosesDocksThatAreTabsOfTheControlsColumn)
{
    test::appTestApplication();
    MainWindow window(nullptr, false);
    window.fitToScreen(QRect(0, 0, 1024, 768));
    showAndSettle(window);
    ASSERT_TRUE(oneSideColumn(window)) << "a 1024 px window has both side columns: the case is void";
    for (int i : {1, 3}) {
        ASSERT_FALSE(test::dockInFront(window, *dock(window, i))) << kDockNames[i] << " is not behind the controls";
        EXPECT_TRUE(action(window, i)->isChecked()) << kActionNames[i] << " of an open tab behind another";
    }
    for (int i = 1; i <= 3; ++i) {
        action(window, i)->trigger();
        test::waitForLayout(window);
        EXPECT_TRUE(dock(window, i)->isHidden()) << kDockNames[i] << " was not closed from the View menu";
        EXPECT_FALSE(action(window, i)->isChecked()) << kActionNames[i] << " after closing";
        action(window, i)->trigger();
        test::waitForLayout(window);
        EXPECT_TRUE(test::dockInFront(window, *dock(window, i))) << kDockNames[i] << " shown again is not in front";
        EXPECT_TRUE(action(window, i)->isChecked()) << kActionNames[i] << " after showing";
        // The tab it came in front of is still open.
        EXPECT_TRUE(action(window, 0)->isChecked()) << kActionNames[0] << " behind " << kDockNames[i];
    }
}

// A dock the user closed needs no room and keeps none: a window shrunk from
// a large screen to a narrow one keeps its side columns only where they fit
// whole, else merges them as it does with every dock open, instead of
// squeezing the right column below what its texts need; the closed dock
// stays closed through both ways.
TEST(MainWindowWindowState, AClosedDockLeavesNoSqueezedColumnWhenTheWindowShrinks)
{
    test::appTestApplication();
    const QSize large(1900, 1000);
    const QSize narrow(1200, 800);
    {
        MainWindow open(nullptr, false);
        open.fitToScreen(QRect(QPoint(0, 0), large));
        showAndSettle(open);
        open.resize(narrow);
        ASSERT_TRUE(test::waitForLayoutToSettle(open));
        ASSERT_TRUE(oneSideColumn(open)) << "a 1200 px window keeps two side columns: the case is void";
    }
    for (int closed = 1; closed <= 3; ++closed) {
        const std::string at = std::string(kDockNames[closed]) + " closed";
        MainWindow window(nullptr, false);
        window.fitToScreen(QRect(QPoint(0, 0), large));
        showAndSettle(window);
        ASSERT_FALSE(oneSideColumn(window)) << at << ": the large window has one side column";
        action(window, closed)->trigger();
        ASSERT_TRUE(test::waitForLayoutToSettle(window)) << at;
        ASSERT_TRUE(dock(window, closed)->isHidden()) << at << ": the View menu did not close it";

        window.resize(narrow);
        ASSERT_TRUE(test::waitForLayoutToSettle(window)) << at;
        ASSERT_EQ(window.size(), narrow) << at;
        for (int i = 0; i < 5; ++i) {
            if (i == closed)
                continue;
            EXPECT_GE(dock(window, i)->width(), dock(window, i)->minimumSizeHint().width())
                << at << ": " << kDockNames[i] << " squeezed to " << dock(window, i)->width() << " px";
        }
        test::expectLayoutApart(window, at + " at " + test::describe(window.rect()));
        EXPECT_TRUE(dock(window, closed)->isHidden() && !action(window, closed)->isChecked())
            << at << ": the closed dock came back on shrinking";

        window.resize(large);
        ASSERT_TRUE(test::waitForLayoutToSettle(window)) << at;
        EXPECT_EQ(dockWidgetAreaOfOpenRightDock(window, closed), Qt::RightDockWidgetArea)
            << at << ": grown back, the side columns stay merged";
        EXPECT_TRUE(dock(window, closed)->isHidden() && !action(window, closed)->isChecked())
            << at << ": the closed dock came back on growing";
        test::expectLayoutApart(window, at + " grown back");
    }
}

// A new window on a screen with more room than the form takes a share of it,
// centred, as large as the form at least; a screen the form does not fit
// gets all of it.
TEST(MainWindowWindowState, ANewWindowOnAScreenLargerThanTheFormTakesAShareOfItCentred)
{
    test::appTestApplication();
    MainWindow window(nullptr, false);
    const QSize form(1738, 1216);
    for (const QRect screen :
         {QRect(0, 0, 2560, 1440), QRect(0, 0, 3840, 2160), QRect(1920, 0, 1920, 1280), QRect(0, 0, 1366, 768)}) {
        const std::string at = test::describe(screen);
        window.fitToScreen(screen);
        const QRect placed = window.frameGeometry();
        EXPECT_TRUE(screen.contains(placed)) << at << ": at " << test::describe(placed);
        if (form.width() > screen.width() || form.height() > screen.height()) {
            EXPECT_EQ(placed, screen) << at << ": at " << test::describe(placed);
            continue;
        }
        EXPECT_GE(placed.width(), form.width()) << at;
        EXPECT_GE(placed.height(), form.height()) << at;
        EXPECT_GE(double(placed.width()) * placed.height(), 0.6 * screen.width() * screen.height())
            << at << ": " << test::describe(placed);
        EXPECT_LE(std::abs((placed.left() - screen.left()) - (screen.right() - placed.right())), 1)
            << at << ": not centred across, " << test::describe(placed);
        EXPECT_LE(std::abs((placed.top() - screen.top()) - (screen.bottom() - placed.bottom())), 1)
            << at << ": not centred up and down, " << test::describe(placed);
    }
}

// The user's own arrangement of the docks (the time and help docks tabbed
// onto the controls, the diagnostics under them, in a window with room for
// two side columns) stays through resizes of the window, until Reset Window
// Layout brings the default back.
TEST(MainWindowWindowState, AnArrangementTheUserMadeIsKeptUntilReset)
{
    test::appTestApplication();
    MainWindow window(nullptr, false);
    window.fitToScreen(QRect(0, 0, 1800, 1000));
    showAndSettle(window);
    ASSERT_FALSE(oneSideColumn(window)) << "an 1800 px window has one side column: the case is void";
    window.addDockWidget(Qt::LeftDockWidgetArea, dock(window, 2));
    window.splitDockWidget(dock(window, 0), dock(window, 2), Qt::Vertical);
    window.tabifyDockWidget(dock(window, 0), dock(window, 1));
    window.tabifyDockWidget(dock(window, 0), dock(window, 3));
    test::waitForLayout(window);
    const auto arranged = [&window] {
        const QList<QDockWidget*> tabs = window.tabifiedDockWidgets(dock(window, 0));
        return tabs.contains(dock(window, 1)) && tabs.contains(dock(window, 3)) &&
               window.dockWidgetArea(dock(window, 2)) == Qt::LeftDockWidgetArea;
    };
    ASSERT_TRUE(arranged()) << "the docks were not arranged";
    for (const QSize by : {QSize(-10, 0), QSize(0, -10), QSize(10, 10)}) {
        window.resize(window.size() + by);
        ASSERT_TRUE(test::waitForLayoutToSettle(window));
        EXPECT_TRUE(arranged()) << "undone by a resize of " << by.width() << " x " << by.height() << " px";
    }
    // Nor by a change of screen (the window comes from one of another
    // width), with the diagnostics a tab of the controls too, as no default
    // layout has them.
    window.tabifyDockWidget(dock(window, 0), dock(window, 2));
    test::waitForLayout(window);
    WindowStateProbe::screenChanged(window, QRect(0, 0, 2560, 1440));
    ASSERT_TRUE(test::waitForLayoutToSettle(window));
    EXPECT_TRUE(window.tabifiedDockWidgets(dock(window, 0)).contains(dock(window, 2)))
        << "undone by a change of screen";
    window.findChild<QAction*>(QStringLiteral("actionResetWindowLayout"))->trigger();
    test::waitForLayout(window);
    expectDefaultDocks(window, "after Reset Window Layout", 0);
}

// The visible tab bar of docks tabbed together that `dock`, floating, lies
// over (nothing where it covers none).
std::optional<QRect> tabBarUnder(const MainWindow& window, const QDockWidget& dock)
{
    for (const QTabBar* bar : window.findChildren<QTabBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect at(bar->mapToGlobal(QPoint(0, 0)), bar->size());
        if (bar->isVisible() && at.intersects(dock.frameGeometry()))
            return at;
    }
    return std::nullopt;
}

// On a laptop, where the controls, time and help docks are tabs of one
// column and the diagnostics stand under them, the diagnostics floated (a
// double click on their title) leave the tab bar that takes their place
// uncovered, inside the screen; so they come back at the next start.
TEST(MainWindowWindowState, FloatedDiagnosticsLeaveTheTabBarOfTheColumnInSight)
{
    test::appTestApplication();
    QSettings().remove(QStringLiteral("MainWindow"));
    const QRect laptop(0, 0, 1280, 800);
    {
        MainWindow window(nullptr, true);
        window.fitToScreen(laptop);
        showAndSettle(window);
        ASSERT_TRUE(oneSideColumn(window)) << "a 1280 px window has two side columns: the case is void";
        QDockWidget* diagnostics = dock(window, 2);
        diagnostics->setFloating(true);
        EXPECT_TRUE(test::waitUntil([&] {
            return diagnostics->isVisible() && test::settleLayout(window) && !tabBarUnder(window, *diagnostics);
        })) << "the floated diagnostics at "
            << test::describe(diagnostics->frameGeometry()) << " cover the tab bar at "
            << test::describe(tabBarUnder(window, *diagnostics).value_or(QRect()));
        EXPECT_TRUE(laptop.contains(diagnostics->frameGeometry())) << test::describe(diagnostics->frameGeometry());
        window.close();
    }
    MainWindow window(nullptr, true);
    WindowStateProbe::restore(window, laptop);
    showAndSettle(window);
    QDockWidget* diagnostics = dock(window, 2);
    ASSERT_TRUE(diagnostics->isFloating()) << "the diagnostics were not restored floating";
    EXPECT_TRUE(test::waitUntil([&] { return diagnostics->isVisible() && !tabBarUnder(window, *diagnostics); }))
        << "the diagnostics came back at " << test::describe(diagnostics->frameGeometry());
    EXPECT_TRUE(action(window, 2)->isChecked());
    EXPECT_TRUE(laptop.contains(diagnostics->frameGeometry())) << test::describe(diagnostics->frameGeometry());
    QSettings().remove(QStringLiteral("MainWindow"));
}

// A layout saved in a window as large as the form, on a screen that has room
// for it.
void saveOnATallScreen(const std::function<void(MainWindow&)>& arrange)
{
    QSettings().remove(QStringLiteral("MainWindow"));
    MainWindow tall(nullptr, true);
    tall.fitToScreen(QRect(0, 0, 1920, 1280));
    showAndSettle(tall);
    ASSERT_GE(tall.height(), 1216) << "the saving window is not as tall as the form: the case is void";
    arrange(tall);
    test::waitForLayout(tall);
    tall.close();
    ASSERT_TRUE(savedKeys().contains(QStringLiteral("windowState")));
}

// A layout saved on one classroom screen comes back on another fitting it,
// every dock reachable: from the form-sized window of a tall monitor onto a
// laptop or a 1024 px projector, and from the projector's one side column back
// onto a wide monitor, where the two columns stand apart again.
TEST(MainWindowWindowState, ALayoutSavedOnOneScreenComesBackFittingAnother)
{
    test::appTestApplication();
    struct Move {
        QRect saved;
        QRect restored;
        bool everyDockOnShow;
    };
    const Move moves[] = {
        {QRect(0, 0, 1920, 1280), QRect(0, 0, 1366, 768), true},
        {QRect(0, 0, 1920, 1280), QRect(0, 0, 1024, 768), false},
        {QRect(0, 0, 1024, 768), QRect(0, 0, 1920, 1080), true},
    };
    for (const Move& move : moves) {
        const std::string at = test::describe(move.saved) + " restored on " + test::describe(move.restored);
        QSettings().remove(QStringLiteral("MainWindow"));
        {
            MainWindow saving(nullptr, true);
            saving.fitToScreen(move.saved);
            showAndSettle(saving);
            saving.close();
        }
        ASSERT_TRUE(savedKeys().contains(QStringLiteral("windowState"))) << at;
        MainWindow window(nullptr, true);
        WindowStateProbe::restore(window, move.restored);
        EXPECT_TRUE(move.restored.contains(window.geometry())) << at << ": at " << test::describe(window.geometry());
        EXPECT_LE(window.minimumHeight(), move.restored.height())
            << at << ": the restored layout cannot be made to fit";
        showAndSettle(window);
        EXPECT_TRUE(move.restored.contains(window.frameGeometry()))
            << at << ": shown at " << test::describe(window.frameGeometry());
        if (move.everyDockOnShow) {
            for (int i = 0; i < 5; ++i)
                EXPECT_TRUE(dock(window, i)->isVisible()) << at << ": " << kDockNames[i];
        }
        test::expectLayoutApart(window, at);
        test::expectEveryDockReachable(window, at);
    }
    QSettings().remove(QStringLiteral("MainWindow"));
}

TEST(MainWindowWindowState, FloatingDocksSavedOffTheScreenComeBackOnIt)
{
    test::appTestApplication();
    // Every dock floating far beyond any screen, as a second monitor that is
    // gone leaves them.
    saveOnATallScreen([](MainWindow& tall) {
        for (int i = 0; i < 5; ++i) {
            dock(tall, i)->setFloating(true);
            dock(tall, i)->setGeometry(QRect(5000 + 90 * i, 4000 - 70 * i, 420, 300));
        }
    });
    const QRect available(0, 0, 1366, 768);
    MainWindow window(nullptr, true);
    WindowStateProbe::restore(window, available);
    showAndSettle(window);
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(dock(window, i)->isFloating()) << kDockNames[i] << " was not restored floating";
        EXPECT_TRUE(available.contains(dock(window, i)->frameGeometry()))
            << kDockNames[i] << " at " << test::describe(dock(window, i)->frameGeometry());
    }
    EXPECT_TRUE(available.contains(window.frameGeometry())) << "shown at " << test::describe(window.frameGeometry());
    QSettings().remove(QStringLiteral("MainWindow"));
}

// What of the viewport and the docked analysis page's plots `dock` covers.
QRect viewCovered(const MainWindow& window, const QDockWidget& floating)
{
    QRect covered;
    QList<const QWidget*> views{window.findChild<QWidget*>(QStringLiteral("quantumView"))};
    for (const QWidget* widget : dock(window, 4)->findChildren<QWidget*>())
        if (dynamic_cast<const PlotWidget*>(widget) != nullptr)
            views.append(widget);
    for (const QWidget* view : views) {
        const QRect shown = view->visibleRegion().boundingRect();
        if (view->isVisible() && !shown.isEmpty())
            covered |= QRect(view->mapToGlobal(shown.topLeft()), shown.size()).intersected(floating.frameGeometry());
    }
    return covered;
}

// The diagnostics floated on a monitor that is gone come back, on the
// smaller screen, off the viewport and the analysis plot where the window
// leaves room; a dock the user put over the
// viewport comes back there on the screen it was left on.
TEST(MainWindowWindowState, AFloatingDockCarriedToASmallerScreenKeepsOffTheViewportAndThePlot)
{
    test::appTestApplication();
    for (const bool carried : {true, false}) {
        SCOPED_TRACE(carried ? "brought to a smaller screen" : "put over the viewport, on the same screen");
        QRect placed;
        saveOnATallScreen([carried, &placed](MainWindow& tall) {
            QDockWidget* diagnostics = dock(tall, 2);
            diagnostics->setFloating(true);
            test::waitForLayout(tall); // kept in sight of this screen first, as a float is
            placed = carried ? QRect(5000, 4000, 280, 240) : QRect(500, 200, 280, 240);
            diagnostics->setGeometry(placed);
        });
        const QRect available =
            carried ? QGuiApplication::primaryScreen()->availableGeometry() : QRect(0, 0, 1920, 1280);
        MainWindow window(nullptr, true);
        WindowStateProbe::restore(window, available);
        showAndSettle(window);
        QDockWidget* diagnostics = dock(window, 2);
        ASSERT_TRUE(diagnostics->isFloating());
        if (carried) {
            EXPECT_TRUE(test::waitUntil([&] {
                return diagnostics->isVisible() && test::settleLayout(window) &&
                       viewCovered(window, *diagnostics).isEmpty();
            })) << "the diagnostics at " << test::describe(diagnostics->frameGeometry()) << " cover "
                << test::describe(viewCovered(window, *diagnostics));
        } else {
            EXPECT_TRUE(test::waitUntil([&] { return diagnostics->isVisible() && test::settleLayout(window); }));
            EXPECT_FALSE(viewCovered(window, *diagnostics).isEmpty()) << "the case is void";
            EXPECT_EQ(diagnostics->geometry().topLeft(), placed.topLeft()) << "moved from where the user put it";
        }
        EXPECT_TRUE(available.contains(diagnostics->frameGeometry())) << test::describe(diagnostics->frameGeometry());
    }
    QSettings().remove(QStringLiteral("MainWindow"));
}

// A screen change that leaves the screen as large as it was (a panel added,
// a move to a screen of the same size) leaves a floating dock where the user
// put it, over the viewport; one from a larger screen is kept off the views.
TEST(MainWindowWindowState, AFloatingDockStaysWhereTheUserPutItUnlessTheScreenShrank)
{
    test::appTestApplication();
    MainWindow window(nullptr, false);
    showAndSettle(window);
    QDockWidget* diagnostics = dock(window, 2);
    diagnostics->setFloating(true);
    test::waitForLayout(window);
    const QWidget* view = window.findChild<QWidget*>(QStringLiteral("quantumView"));
    const QRect placed(view->mapToGlobal(view->rect().center()) - QPoint(60, 40),
                       diagnostics->minimumSizeHint().expandedTo(QSize(240, 200)));
    diagnostics->setGeometry(placed);
    ASSERT_TRUE(test::waitUntil([&] { return test::settleLayout(window) && diagnostics->geometry() == placed; }))
        << test::describe(diagnostics->geometry());
    const QRect screen = window.screen()->geometry();
    struct Change {
        const char* what;
        QRect before;
        bool keptOff;
    };
    for (const Change& change : {Change{"a screen of the same size", screen, false},
                                 Change{"a larger screen", screen.adjusted(0, 0, 640, 0), true},
                                 Change{"a taller screen", screen.adjusted(0, 0, 0, 480), true}}) {
        SCOPED_TRACE(change.what);
        diagnostics->setGeometry(placed);
        ASSERT_FALSE(viewCovered(window, *diagnostics).isEmpty()) << "the case is void";
        WindowStateProbe::screenChanged(window, change.before);
        ASSERT_TRUE(test::waitForLayoutToSettle(window));
        if (change.keptOff)
            EXPECT_TRUE(viewCovered(window, *diagnostics).isEmpty()) << test::describe(diagnostics->frameGeometry());
        else
            EXPECT_EQ(diagnostics->geometry(), placed);
    }
}

// One dock as a start of the program shows it. A tab behind another is
// moved out of the window, where its place and size mean nothing: it counts
// as behind, without a geometry.
struct StartedDock {
    int area = 0;
    bool floating = false;
    bool hidden = false;
    QRect geometry;
    bool checked = false;
    bool behind = false;
    StartedDock() = default;
    StartedDock(int area, bool floating, bool hidden, const QRect& at, bool checked)
        : area(area), floating(floating), hidden(hidden), checked(checked),
          behind(!hidden && !floating && (at.right() < 0 || at.bottom() < 0))
    {
        if (!behind)
            geometry = at;
    }
    bool operator==(const StartedDock& other) const
    {
        return area == other.area && floating == other.floating && hidden == other.hidden &&
               geometry == other.geometry && checked == other.checked && behind == other.behind;
    }
};

// What one start in a child process came up with.
struct StartedWindow {
    bool ended = false; // ended normally with status 0 and a whole report
    QString report;
    QRect geometry;
    std::map<std::string, StartedDock> docks;
    QString status;        // the status bar's message once the window is shown
    qint64 startedMs = -1; // the time the window took to be made
    qint64 closedMs = -1;  // the time its close took, when it was closed
};

std::string describeDock(const StartedDock& dock)
{
    return "area " + std::to_string(dock.area) + (dock.floating ? " floating" : "") + (dock.hidden ? " hidden" : "") +
           (dock.behind ? " behind another tab" : " at " + test::describe(dock.geometry)) +
           (dock.checked ? " checked" : " unchecked");
}

// The layout of a window in this process, as the child reports its own.
StartedWindow layoutOf(const MainWindow& window)
{
    StartedWindow layout;
    layout.ended = true;
    layout.geometry = window.geometry();
    for (int i = 0; i < 5; ++i) {
        QDockWidget* shown = dock(window, i);
        layout.docks[kDockNames[i]] = {int(window.dockWidgetArea(shown)), shown->isFloating(), shown->isHidden(),
                                       shown->geometry(), action(window, i)->isChecked()};
    }
    return layout;
}

// The program's window started in a child process on the settings in
// `configHome`, with `arguments`, its environment with `variables` added.
std::unique_ptr<QProcess> startChild(const QString& configHome, const QStringList& arguments,
                                     const QMap<QString, QString>& variables = {})
{
    auto child = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    for (auto variable = variables.constBegin(); variable != variables.constEnd(); ++variable)
        environment.insert(variable.key(), variable.value());
    // Under the sanitizers the child exits after its GL driver has been
    // unloaded, and the leak checker can no longer tell the driver's blocks
    // from ours; the window suites check leaks in their own process.
    const QString sanitizer = environment.value(QStringLiteral("ASAN_OPTIONS"));
    if (!sanitizer.isEmpty())
        environment.insert(QStringLiteral("ASAN_OPTIONS"), sanitizer + QStringLiteral(":detect_leaks=0"));
    child->setProcessEnvironment(environment);
    child->start(QStringLiteral(VXO_LAYOUT_START), arguments);
    return child;
}

// What a child came up with, once it has ended; `output` is what was read
// from it before. A child that crashes, hangs or reports garbage ends with
// `ended` false.
StartedWindow readBack(QProcess& child, const QByteArray& output = {})
{
    StartedWindow result;
    // Longer than the child's own wait for its layout.
    const bool finished = child.waitForFinished(2 * test::kWaitBoundMs);
    result.report = QString::fromUtf8(output + child.readAllStandardOutput());
    if (!finished) {
        child.kill();
        child.waitForFinished(test::kWaitBoundMs);
        result.report += QStringLiteral("\n(did not end)");
        return result;
    }
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        result.report +=
            QStringLiteral("\n(ended with %1, status %2)")
                .arg(child.exitStatus() == QProcess::CrashExit ? QStringLiteral("a crash") : QStringLiteral("an exit"))
                .arg(child.exitCode());
        return result;
    }
    for (const QString& line : result.report.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList f = line.split(QLatin1Char(' '));
        if (f[0] == QLatin1String("status"))
            result.status = line.mid(f[0].size() + 1);
        else if (f.size() == 2 && f[0] == QLatin1String("started"))
            result.startedMs = f[1].toLongLong();
        else if (f.size() == 2 && f[0] == QLatin1String("closed"))
            result.closedMs = f[1].toLongLong();
        else if (f.size() == 5 && f[0] == QLatin1String("window"))
            result.geometry = QRect(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt());
        else if (f.size() == 9)
            result.docks[f[0].toStdString()] = {f[1].toInt(), f[2] == QLatin1String("1"), f[3] == QLatin1String("1"),
                                                QRect(f[4].toInt(), f[5].toInt(), f[6].toInt(), f[7].toInt()),
                                                f[8] == QLatin1String("1")};
    }
    result.ended = result.docks.size() == 5 && result.geometry.isValid();
    return result;
}

// Starts the program's window in child processes, one per settings folder,
// `atOnce` at a time, with `arguments`, and reads back what each came up
// with. Children started "--together" are let go to make their windows once
// every one of them is up.
std::vector<StartedWindow> startEach(const std::vector<QString>& configHomes, const QStringList& arguments = {},
                                     std::size_t atOnce = 4)
{
    std::vector<StartedWindow> started(configHomes.size());
    for (std::size_t first = 0; first < configHomes.size(); first += atOnce) {
        std::vector<std::unique_ptr<QProcess>> children;
        for (std::size_t k = first; k < std::min(first + atOnce, configHomes.size()); ++k)
            children.push_back(startChild(configHomes[k], arguments));
        std::vector<QByteArray> output(children.size());
        if (arguments.contains(QStringLiteral("--together"))) {
            const QByteArray ready("ready\n");
            test::waitUntil([&] {
                bool allUp = true;
                for (std::size_t c = 0; c < children.size(); ++c) {
                    output[c] += children[c]->readAllStandardOutput();
                    allUp = allUp && (output[c].contains(ready) || children[c]->state() == QProcess::NotRunning);
                }
                return allUp;
            });
            for (const auto& child : children)
                child->write("go\n");
            for (const auto& child : children)
                child->waitForBytesWritten(test::kWaitBoundMs);
        }
        for (std::size_t c = 0; c < children.size(); ++c)
            started[first + c] = readBack(*children[c], output[c]);
    }
    return started;
}

QString settingsFileIn(const QString& configHome)
{
    return QDir(configHome).filePath(QStringLiteral("Brastell/Ondrivel.conf"));
}

// A settings folder holding the group "MainWindow" with these values.
QString settingsFolderWith(QTemporaryDir& folder, const QMap<QString, QVariant>& values)
{
    QSettings file(settingsFileIn(folder.path()), QSettings::IniFormat);
    file.beginGroup(QStringLiteral("MainWindow"));
    for (auto entry = values.constBegin(); entry != values.constEnd(); ++entry)
        file.setValue(entry.key(), entry.value());
    file.endGroup();
    file.sync();
    return folder.path();
}

// A layout unlike the default, as a window left it on closing: the time
// dock moved to the left column, the diagnostics dock closed from the View
// menu. `saved` holds the group's values, which are then removed again.
struct ArrangedLayout {
    StartedWindow left;
    QMap<QString, QVariant> saved;
};

void saveAnArrangedLayout(ArrangedLayout& arrangement)
{
    test::appTestApplication();
    ASSERT_TRUE(test::displayAvailable()) << test::kNeedsDisplay;
    StartedWindow& left = arrangement.left;
    QMap<QString, QVariant>& saved = arrangement.saved;
    QSettings().remove(QStringLiteral("MainWindow"));
    {
        MainWindow arranged(nullptr, true);
        showAndSettle(arranged);
        arranged.addDockWidget(Qt::LeftDockWidgetArea, dock(arranged, 1));
        action(arranged, 2)->trigger();
        test::waitForLayout(arranged);
        ASSERT_TRUE(dock(arranged, 2)->isHidden()) << "the diagnostics dock was not closed from the View menu";
        left = layoutOf(arranged);
        arranged.close();
    }
    {
        QSettings settings;
        settings.beginGroup(QStringLiteral("MainWindow"));
        for (const QString& key : settings.childKeys())
            saved.insert(key, settings.value(key));
    }
    QSettings().remove(QStringLiteral("MainWindow"));
    ASSERT_GT(saved.value(QStringLiteral("windowState")).toByteArray().size(), 64) << "no dock state was saved";
}

// The lock by which starts take turns restoring from the settings in
// `configHome`, as a start killed in its turn leaves it: taken by a process
// that has ended.
void leaveTheTurnOfAKilledStart(const QString& configHome)
{
    const QString turn = settingsFileIn(configHome) + QStringLiteral(".restoring.lock");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0) << "no process to take the turn";
    if (child == 0) {
        QLockFile lock(turn);
        ::_exit(lock.tryLock(0) && QFileInfo::exists(turn) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the turn was not taken";
    ASSERT_TRUE(QFileInfo::exists(turn)) << "the killed start left no lock";
}

// The docks of a start as the reference shows them.
void expectDocksAs(const StartedWindow& window, const StartedWindow& reference)
{
    for (const char* name : kDockNames) {
        const StartedDock& shown = window.docks.at(name);
        const StartedDock& expected = reference.docks.at(name);
        EXPECT_EQ(shown, expected) << name << ": " << describeDock(shown) << ", expected " << describeDock(expected);
    }
}

// The first start where the guide is a tab of the controls column (text
// enlarged by half on a laptop, as on a projector) opens on the guide of
// the experiment it loaded, as Load shows it, the controls a tab behind it.
TEST(MainWindowWindowState, TheFirstStartWhereTheGuideIsATabShowsTheGuide)
{
    test::appTestApplication();
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const std::unique_ptr<QProcess> child =
        startChild(home.path(), {}, {{QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("1.5")}});
    const StartedWindow started = readBack(*child);
    ASSERT_TRUE(started.ended) << "the start did not come up:\n" << started.report.toStdString();
    const StartedDock& help = started.docks.at("helpDockWidget");
    const StartedDock& controls = started.docks.at("controlsDockWidget");
    ASSERT_EQ(help.area, int(Qt::LeftDockWidgetArea)) << "the guide is no tab of the controls column: the case is void";
    EXPECT_FALSE(help.behind || help.hidden) << "the guide: " << describeDock(help);
    EXPECT_TRUE(controls.behind) << "the controls: " << describeDock(controls);
}

// A start that finds its saved dock state changed by one byte, as a hand
// edit or a damaged disk leaves it, comes up with the default layout in the
// window as it was left, instead of crashing in the toolkit's parser; the
// start after one that was killed while restoring forgets the window's place
// too and comes up as a start without a saved layout on this screen; an
// untouched layout comes back exactly as it was left. Each
// start runs in a child process, so that a crash fails this test.
TEST(MainWindowWindowState, ADamagedSavedLayoutStartsWithTheDefaultAndAnUntouchedOneAsLeft)
{
    ArrangedLayout arrangement;
    ASSERT_NO_FATAL_FAILURE(saveAnArrangedLayout(arrangement));
    const StartedWindow& left = arrangement.left;
    const QMap<QString, QVariant>& saved = arrangement.saved;
    const QByteArray state = saved.value(QStringLiteral("windowState")).toByteArray();

    enum class Expected { Default, AsLeft, AsDefault, AsDefaultWhereLeft };
    struct Start {
        std::string what;
        QMap<QString, QVariant> values;
        Expected expected;
    };
    // The first start finds no saved layout and shows the default; the
    // second finds the window's place alone and shows the default in the
    // window as it was left (the arrangement may have made it taller). A
    // damaged layout is held to the second, as its window's place is whole;
    // a forgotten one to the first.
    std::vector<Start> starts{{"without a saved layout", {}, Expected::Default},
                              {"with the window's place alone",
                               {{QStringLiteral("geometry"), saved.value(QStringLiteral("geometry"))}},
                               Expected::Default},
                              {"untouched", saved, Expected::AsLeft}};
    constexpr std::size_t kWhereLeft = 1;
    // Single bytes across the whole state, headers, names and sizes alike.
    constexpr int kDamagedBytes = 24;
    for (int k = 0; k < kDamagedBytes; ++k) {
        const int at = static_cast<int>(static_cast<long long>(k) * (state.size() - 1) / (kDamagedBytes - 1));
        QByteArray damaged = state;
        damaged[at] = static_cast<char>(damaged[at] ^ (k % 2 == 0 ? 0x5a : 0x81));
        Start start{"byte " + std::to_string(at) + " of " + std::to_string(state.size()), saved,
                    Expected::AsDefaultWhereLeft};
        start.values.insert(QStringLiteral("windowState"), damaged);
        starts.push_back(start);
    }
    // The mark of a start that was killed while restoring this very layout,
    // and its turn left taken.
    Start afterACrash{"after a start that died restoring", saved, Expected::AsDefault};
    afterACrash.values.insert(QStringLiteral("windowStateRestoring"), true);
    starts.push_back(afterACrash);

    std::vector<std::unique_ptr<QTemporaryDir>> folders;
    std::vector<QString> homes;
    for (const Start& start : starts) {
        folders.push_back(std::make_unique<QTemporaryDir>());
        ASSERT_TRUE(folders.back()->isValid());
        homes.push_back(settingsFolderWith(*folders.back(), start.values));
    }
    ASSERT_NO_FATAL_FAILURE(leaveTheTurnOfAKilledStart(homes.back()));
    const std::vector<StartedWindow> started = startEach(homes);
    const StartedWindow& fresh = started.front();
    ASSERT_TRUE(fresh.ended) << "the start without a saved layout did not come up:\n" << fresh.report.toStdString();
    for (std::size_t k = 0; k < starts.size(); ++k) {
        SCOPED_TRACE(starts[k].what);
        const StartedWindow& window = started[k];
        EXPECT_TRUE(window.ended) << "the start did not come up:\n" << window.report.toStdString();
        if (!window.ended)
            continue;
        const bool asLeft = starts[k].expected == Expected::AsLeft;
        const StartedWindow& reference = asLeft                                               ? left
                                         : starts[k].expected == Expected::AsDefaultWhereLeft ? started[kWhereLeft]
                                                                                              : fresh;
        // The starts without a layout to restore are the references.
        if (starts[k].expected != Expected::Default)
            expectDocksAs(window, reference);
        for (int i = 0; i < 5; ++i) {
            const StartedDock& shown = window.docks.at(kDockNames[i]);
            // The default itself: one of its two arrangements, every dock
            // docked and open.
            if (starts[k].expected == Expected::Default) {
                EXPECT_TRUE(shown.area == int(kTwoColumnAreas[i]) || shown.area == int(kOneColumnAreas[i]))
                    << kDockNames[i] << ": " << describeDock(shown);
                EXPECT_FALSE(shown.floating || shown.hidden) << kDockNames[i] << ": " << describeDock(shown);
                EXPECT_TRUE(shown.checked) << kActionNames[i];
            }
        }
        if (asLeft) {
            EXPECT_EQ(window.geometry, left.geometry) << test::describe(window.geometry);
        }
    }
    // The start after the crash forgot the layout, so the one after it does
    // not come back to it either.
    QSettings after(settingsFileIn(homes.back()), QSettings::IniFormat);
    after.beginGroup(QStringLiteral("MainWindow"));
    for (const char* key : {"windowState", "windowStateRestoring"})
        EXPECT_FALSE(after.contains(QLatin1String(key))) << key << " is still saved";
}

// Watches the folder of a settings file for the file being written and its
// restore turn's lock being read, as a start waiting for the turn reads it
// to see whether the start holding it still runs.
class SettingsFolderWatch {
public:
    explicit SettingsFolderWatch(const QString& settingsFile)
        : fileName_(QFileInfo(settingsFile).fileName()), fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (fd_ >= 0)
            watching_ = ::inotify_add_watch(fd_, QFile::encodeName(QFileInfo(settingsFile).path()).constData(),
                                            IN_OPEN | IN_CLOSE_WRITE | IN_MOVED_TO) >= 0;
    }
    ~SettingsFolderWatch()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    SettingsFolderWatch(const SettingsFolderWatch&) = delete;
    SettingsFolderWatch& operator=(const SettingsFolderWatch&) = delete;

    bool watching() const { return watching_; }

    // Whether, since the last look, the settings file was written or the
    // turn's lock opened.
    bool touched()
    {
        bool seen = false;
        alignas(inotify_event) char buffer[4096];
        for (ssize_t got; (got = ::read(fd_, buffer, sizeof buffer)) > 0;) {
            for (ssize_t at = 0; at < got;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                const QString name = event->len > 0 ? QFile::decodeName(event->name) : QString();
                if ((event->mask & (IN_CLOSE_WRITE | IN_MOVED_TO)) && name == fileName_)
                    seen = true;
                if ((event->mask & IN_OPEN) && name == fileName_ + QStringLiteral(".restoring.lock"))
                    seen = true;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        return seen;
    }

private:
    QString fileName_;
    int fd_ = -1;
    bool watching_ = false;
};

// Two starts that come up together on one settings file, as a double click
// that opened the program twice leaves them, each restore the saved layout
// and leave it saved: neither takes the other's restore, still running, for
// one that died, and forgets the layout. First a start while this process
// is in the middle of a restore, as a start that came up a moment earlier
// is: its turn taken, the restore marked; the mark goes, and the turn is
// given back, once the start has either waited for the turn or acted on the
// mark. Then ten rounds of two real starts, each on a file of its own, let
// go together.
TEST(MainWindowWindowState, StartsThatComeUpTogetherKeepTheSavedLayout)
{
    ArrangedLayout arrangement;
    ASSERT_NO_FATAL_FAILURE(saveAnArrangedLayout(arrangement));
    const StartedWindow& left = arrangement.left;
    const QMap<QString, QVariant>& saved = arrangement.saved;
    {
        QTemporaryDir home;
        ASSERT_TRUE(home.isValid());
        QMap<QString, QVariant> restoring = saved;
        restoring.insert(QStringLiteral("windowStateRestoring"), true);
        settingsFolderWith(home, restoring);
        const QString file = settingsFileIn(home.path());
        QLockFile turn(file + QStringLiteral(".restoring.lock"));
        ASSERT_TRUE(turn.tryLock(0)) << "the turn could not be taken";
        SettingsFolderWatch watch(file);
        ASSERT_TRUE(watch.watching()) << "the settings folder cannot be watched";
        const std::unique_ptr<QProcess> child = startChild(home.path(), {});
        EXPECT_TRUE(test::waitUntil([&] { return watch.touched() || child->state() == QProcess::NotRunning; }))
            << "the start neither waited for its turn, nor wrote the settings, nor ended";
        {
            QSettings settings(file, QSettings::IniFormat);
            settings.remove(QStringLiteral("MainWindow/windowStateRestoring"));
        }
        turn.unlock();
        const StartedWindow started = readBack(*child);
        ASSERT_TRUE(started.ended) << "the start did not come up:\n" << started.report.toStdString();
        expectDocksAs(started, left);
        QSettings after(file, QSettings::IniFormat);
        EXPECT_TRUE(after.contains(QStringLiteral("MainWindow/windowState"))) << "the layout was forgotten";
    }
    constexpr std::size_t kTogether = 2;
    constexpr int kRounds = 10;
    std::vector<std::unique_ptr<QTemporaryDir>> folders;
    std::vector<QString> homes;
    for (int round = 0; round < kRounds; ++round) {
        folders.push_back(std::make_unique<QTemporaryDir>());
        ASSERT_TRUE(folders.back()->isValid());
        homes.insert(homes.end(), kTogether, settingsFolderWith(*folders.back(), saved));
    }
    const std::vector<StartedWindow> started = startEach(homes, {QStringLiteral("--together")}, kTogether);
    for (std::size_t k = 0; k < started.size(); ++k) {
        SCOPED_TRACE("round " + std::to_string(k / kTogether) + ", start " + std::to_string(k % kTogether));
        EXPECT_TRUE(started[k].ended) << "the start did not come up:\n" << started[k].report.toStdString();
        if (!started[k].ended)
            continue;
        expectDocksAs(started[k], left);
        EXPECT_EQ(started[k].geometry, left.geometry) << test::describe(started[k].geometry);
    }
    for (const auto& folder : folders) {
        QSettings after(settingsFileIn(folder->path()), QSettings::IniFormat);
        after.beginGroup(QStringLiteral("MainWindow"));
        for (const char* key : {"geometry", "windowState"})
            EXPECT_TRUE(after.contains(QLatin1String(key))) << key << " was forgotten";
        EXPECT_FALSE(after.contains(QStringLiteral("windowStateRestoring"))) << "a restore was left marked";
    }
}

// A FIFO where the settings file belongs is neither read nor written: the
// window comes up with the default layout and closes instead of waiting for
// a writer, and the FIFO stays as it was, whoever made it.
TEST(MainWindowWindowState, AFifoAtTheSettingsPathIsLeftAloneAndTheWindowComesUp)
{
    test::appTestApplication();
    ASSERT_TRUE(test::displayAvailable()) << test::kNeedsDisplay;
    QTemporaryDir withFifo;
    QTemporaryDir fresh;
    ASSERT_TRUE(withFifo.isValid() && fresh.isValid());
    const QString fifo = settingsFileIn(withFifo.path());
    ASSERT_TRUE(QDir().mkpath(QFileInfo(fifo).path()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0) << "no FIFO could be made";
    const std::vector<StartedWindow> started = startEach({fresh.path(), withFifo.path()}, {QStringLiteral("--close")});
    ASSERT_TRUE(started[0].ended) << "the start without settings did not come up:\n" << started[0].report.toStdString();
    EXPECT_TRUE(started[1].ended) << "the start with a FIFO for settings did not come up and close:\n"
                                  << started[1].report.toStdString();
    if (started[1].ended)
        expectDocksAs(started[1], started[0]);
    struct stat status {};
    ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &status), 0) << "the FIFO is gone";
    EXPECT_TRUE(S_ISFIFO(status.st_mode)) << "the FIFO was replaced";
}

// What may stand at a lock path of the settings: a lock written on another
// host (shared home folders), an empty or garbled one that no process can be
// told from (as root, permission bits cannot make a lock unreadable), or no
// file at all.
enum class LockKind { OtherHost, Empty, Garbled, Folder, Fifo };

bool placeLock(const QString& path, LockKind kind)
{
    switch (kind) {
    case LockKind::Folder:
        return QDir().mkpath(path);
    case LockKind::Fifo:
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    default:
        break;
    }
    const QByteArray content = kind == LockKind::OtherHost ? QByteArray("4242\nOndrivel\nclassroom-07.school.example\n")
                               : kind == LockKind::Garbled ? QByteArray("\xff\xfe\x00 not a lock")
                                                           : QByteArray();
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// No lock where the settings are kept holds a start or a close for long:
// the turn by which starts restore, and the toolkit's own lock of the
// settings file. A lock that cannot be judged is taken for stale within the
// start, which then restores the layout as left, saves it on closing and
// leaves no lock behind; a path that is no file is neither opened nor
// waited on, and the start says in the status bar that the layout was not
// restored. Each start runs in a child process, so that one that hangs fails
// here. The yardstick of "long" is measured beside them: a start whose turn
// a running program of this host holds (this test) waits for it the whole
// bound a start allows itself, then comes up with the default layout and
// says so, and its close waits as long; no lock costs a start or a close
// twice that start's time.
TEST(MainWindowWindowState, NoLockOnTheSettingsHoldsAStartOrACloseForLong)
{
    ArrangedLayout arrangement;
    ASSERT_NO_FATAL_FAILURE(saveAnArrangedLayout(arrangement));
    struct LockCase {
        const char* what;
        const char* suffix;
        LockKind kind;
        bool inTheWay; // the layout cannot be restored past it
    };
    const LockCase cases[] = {
        {"turn written on another host", ".restoring.lock", LockKind::OtherHost, false},
        {"empty turn", ".restoring.lock", LockKind::Empty, false},
        {"garbled turn", ".restoring.lock", LockKind::Garbled, false},
        {"folder at the turn", ".restoring.lock", LockKind::Folder, true},
        {"FIFO at the turn", ".restoring.lock", LockKind::Fifo, true},
        {"settings lock written on another host", ".lock", LockKind::OtherHost, false},
        {"empty settings lock", ".lock", LockKind::Empty, false},
        {"garbled settings lock", ".lock", LockKind::Garbled, false},
        {"folder at the settings lock", ".lock", LockKind::Folder, true},
        {"FIFO at the settings lock", ".lock", LockKind::Fifo, true},
    };
    std::vector<std::unique_ptr<QTemporaryDir>> folders;
    std::vector<QString> homes;
    const auto addHome = [&](const QMap<QString, QVariant>& values) {
        folders.push_back(std::make_unique<QTemporaryDir>());
        EXPECT_TRUE(folders.back()->isValid());
        homes.push_back(settingsFolderWith(*folders.back(), values));
    };
    addHome({});
    addHome(arrangement.saved);
    const QString heldTurn = settingsFileIn(homes.back()) + QStringLiteral(".restoring.lock");
    QLockFile held(heldTurn);
    ASSERT_TRUE(held.tryLock(0)) << "the turn could not be taken";
    std::vector<QString> locks;
    for (const LockCase& c : cases) {
        addHome(arrangement.saved);
        locks.push_back(settingsFileIn(homes.back()) + QLatin1String(c.suffix));
        ASSERT_TRUE(placeLock(locks.back(), c.kind)) << c.what;
    }
    const std::vector<StartedWindow> started = startEach(homes, {QStringLiteral("--close")});
    held.unlock();
    const StartedWindow& fresh = started[0];
    const StartedWindow& waited = started[1];
    ASSERT_TRUE(fresh.ended && waited.ended) << fresh.report.toStdString() << waited.report.toStdString();
    ASSERT_GE(waited.closedMs, 0) << waited.report.toStdString();
    expectDocksAs(waited, fresh);
    EXPECT_TRUE(waited.status.contains(QStringLiteral("not restored")) &&
                waited.status.contains(QFileInfo(heldTurn).fileName()))
        << "a turn held by a running program: " << waited.status.toStdString();
    for (std::size_t k = 0; k < std::size(cases); ++k) {
        const LockCase& c = cases[k];
        SCOPED_TRACE(c.what);
        const StartedWindow& window = started[k + 2];
        EXPECT_TRUE(window.ended) << "the start did not come up:\n" << window.report.toStdString();
        if (!window.ended)
            continue;
        EXPECT_LE(window.startedMs, 2 * waited.startedMs)
            << "start " << window.startedMs << " ms, held for the whole bound " << waited.startedMs << " ms";
        EXPECT_GE(window.closedMs, 0) << "the close did not end:\n" << window.report.toStdString();
        EXPECT_LE(window.closedMs, 2 * waited.closedMs)
            << "close " << window.closedMs << " ms, held for the whole bound " << waited.closedMs << " ms";
        const QFileInfo lock(locks[k]);
        if (c.inTheWay) {
            expectDocksAs(window, fresh);
            EXPECT_TRUE(window.status.contains(QStringLiteral("not restored")) &&
                        window.status.contains(lock.fileName()))
                << window.status.toStdString();
            EXPECT_TRUE(lock.isDir() || (lock.exists() && !lock.isFile())) << "the path's entry was replaced";
        } else {
            expectDocksAs(window, arrangement.left);
            EXPECT_FALSE(window.status.contains(QStringLiteral("layout"))) << window.status.toStdString();
            EXPECT_FALSE(lock.exists() || lock.isSymLink()) << "the stale lock was left behind";
            QSettings after(settingsFileIn(homes[k + 2]), QSettings::IniFormat);
            EXPECT_TRUE(after.contains(QStringLiteral("MainWindow/windowState"))) << "the layout was not saved";
        }
    }
}

// Reset Window Layout under the same locks, in the window itself: a lock
// that cannot be judged is cleared and the saved layout is erased; a folder
// at the turn, or a turn a running program holds (this test), keeps the
// layout from being erased, which the status bar says once, not at every
// reset. The held turn is waited on for the whole bound a reset allows
// itself: no other lock costs a reset twice that.
TEST(MainWindowWindowState, ResetWindowLayoutIsNotHeldByALockAndSaysOnceWhenOneIsInTheWay)
{
    test::appTestApplication();
    ASSERT_TRUE(test::displayAvailable()) << test::kNeedsDisplay;
    const QString file = QSettings().fileName();
    struct ResetCase {
        const char* what;
        const char* suffix;
        std::optional<LockKind> kind; // none: held by this process
        bool inTheWay;
    };
    const ResetCase cases[] = {
        {"turn held by a running program", ".restoring.lock", std::nullopt, true},
        {"turn written on another host", ".restoring.lock", LockKind::OtherHost, false},
        {"garbled settings lock", ".lock", LockKind::Garbled, false},
        {"folder at the turn", ".restoring.lock", LockKind::Folder, true},
    };
    qint64 heldMs = -1; // the longer of the held turn's two resets
    for (const ResetCase& c : cases) {
        SCOPED_TRACE(c.what);
        QSettings().setValue(QStringLiteral("MainWindow/controlsTab"), 1);
        MainWindow window(nullptr, true);
        QAction* reset = window.findChild<QAction*>(QStringLiteral("actionResetWindowLayout"));
        ASSERT_NE(reset, nullptr);
        const QString lock = file + QLatin1String(c.suffix);
        QLockFile held(lock);
        ASSERT_TRUE(c.kind ? placeLock(lock, *c.kind) : held.tryLock(0));
        for (int round = 0; round < 2; ++round) {
            window.statusBar()->clearMessage();
            QElapsedTimer clock;
            clock.start();
            reset->trigger();
            const qint64 resetMs = clock.elapsed();
            if (c.kind) {
                EXPECT_LE(resetMs, 2 * heldMs) << "round " << round << ": the held turn took " << heldMs << " ms";
            } else {
                heldMs = std::max(heldMs, resetMs);
            }
            const QString status = window.statusBar()->currentMessage();
            const bool said =
                status.contains(QStringLiteral("not erased")) && status.contains(QFileInfo(lock).fileName());
            EXPECT_EQ(said, c.inTheWay && round == 0) << "round " << round << ": " << status.toStdString();
        }
        EXPECT_EQ(QSettings().contains(QStringLiteral("MainWindow/controlsTab")), c.inTheWay);
        EXPECT_EQ(QFileInfo::exists(lock), c.inTheWay) << "the lock was removed, or a stale one left";
        held.unlock();
        QDir(lock).removeRecursively();
        QFile::remove(lock);
        QSettings().remove(QStringLiteral("MainWindow"));
    }
}

// A saved dock state changed where the toolkit parses it, with its checksum
// made to match, as a tool that rewrites the file or a hand edit that also
// fixes the checksum leaves it: only its structure tells, and the start
// comes up with the default layout, in the window as it was left, instead of
// crashing in the parser. The
// changes stand after the version marker and version (8 bytes): the dock
// section's marker and area count (offset 9), then the first area's number
// (13); and at the end, the corners before the empty toolbar section. Single
// bytes changed across the state may also leave a layout the toolkit can
// use; every such start comes up.
TEST(MainWindowWindowState, ADamagedLayoutWithAMatchingChecksumStartsWithoutACrash)
{
    ArrangedLayout arrangement;
    ASSERT_NO_FATAL_FAILURE(saveAnArrangedLayout(arrangement));
    const QMap<QString, QVariant>& saved = arrangement.saved;
    const QByteArray state = saved.value(QStringLiteral("windowState")).toByteArray();
    const auto withInt = [&state](int at, std::int32_t value) {
        QByteArray changed = state;
        for (int k = 0; k < 4; ++k)
            changed[at + k] = static_cast<char>(static_cast<std::uint32_t>(value) >> (24 - 8 * k));
        return changed;
    };
    struct Start {
        std::string what;
        QByteArray state;
        bool asDefault;
    };
    std::vector<Start> starts{
        {"an area number far out", withInt(13, 0x7fffffff), true},
        {"an area number past the four", withInt(13, 4), true},
        {"a negative area number", withInt(13, -2), true},
        {"more areas than there are", withInt(9, 7), true},
        {"a corner of no area", withInt(state.size() - 5 - 16, 0x10), true},
        {"cut short", state.left(state.size() - 3), true},
    };
    constexpr int kChangedBytes = 10;
    for (int k = 0; k < kChangedBytes; ++k) {
        const int at = static_cast<int>(static_cast<long long>(k + 1) * (state.size() - 1) / (kChangedBytes + 1));
        QByteArray changed = state;
        changed[at] = static_cast<char>(changed[at] ^ 0x5a);
        starts.push_back({"byte " + std::to_string(at) + " of " + std::to_string(state.size()), changed, false});
    }
    // The reference: the window's place alone saved, so the default layout
    // in the window as it was left, which the changed starts keep.
    std::vector<std::unique_ptr<QTemporaryDir>> folders;
    std::vector<QString> homes;
    folders.push_back(std::make_unique<QTemporaryDir>());
    ASSERT_TRUE(folders.back()->isValid());
    homes.push_back(
        settingsFolderWith(*folders.back(), {{QStringLiteral("geometry"), saved.value(QStringLiteral("geometry"))}}));
    for (const Start& start : starts) {
        QMap<QString, QVariant> values = saved;
        values.insert(QStringLiteral("windowState"), start.state);
        values.insert(QStringLiteral("windowStateChecksum"),
                      QString::fromLatin1(QCryptographicHash::hash(start.state, QCryptographicHash::Sha256).toHex()));
        folders.push_back(std::make_unique<QTemporaryDir>());
        ASSERT_TRUE(folders.back()->isValid());
        homes.push_back(settingsFolderWith(*folders.back(), values));
    }
    const std::vector<StartedWindow> started = startEach(homes);
    const StartedWindow& whereLeft = started.front();
    ASSERT_TRUE(whereLeft.ended) << "the start with the window's place alone did not come up:\n"
                                 << whereLeft.report.toStdString();
    for (std::size_t k = 0; k < starts.size(); ++k) {
        SCOPED_TRACE(starts[k].what);
        const StartedWindow& window = started[k + 1];
        EXPECT_TRUE(window.ended) << "the start did not come up:\n" << window.report.toStdString();
        if (window.ended && starts[k].asDefault)
            expectDocksAs(window, whereLeft);
    }
}

} // namespace
} // namespace vxo
