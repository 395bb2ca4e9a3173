// The window as a lesson uses it on the screens a class has, each inside a
// window manager's frame: the wave packet is the largest thing in the
// window, its field's square at least 40% of the screen's height (45% on a
// 1920 x 1080 monitor); a guided experiment loaded brings its guide in front
// with the diagnostics beside it, their first rows whole, and the controls a
// click away; Reset Window Layout brings a window left off the screen back
// whole.

#include "common/AppTestSupport.h"
#include "common/QtTestSupport.h"

#include "WindowLayoutChecks.h"

#include "app/mainwindow/MainWindow.h"
#include "document/ExperimentCatalogue.h"
#include "view/QuantumGLView.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFontMetrics>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace vxo {
namespace {

struct LessonScreen {
    QSize size; // logical pixels: 1920 x 1080 with text enlarged by a quarter is 1536 x 864
    double squareShare;
};
const LessonScreen kLessonScreens[] = {
    {QSize(1024, 768), 0.40}, {QSize(1280, 800), 0.40},  {QSize(1366, 768), 0.40},  {QSize(1536, 864), 0.40},
    {QSize(1280, 720), 0.40}, {QSize(1920, 1080), 0.45}, {QSize(2560, 1440), 0.40},
};

// The room inside the frame openbox puts around a window: a 20 px title bar,
// a 5 px bottom border and 1 px at the sides.
QRect insideOpenboxFrame(const QSize& screen) { return QRect(QPoint(0, 0), screen).adjusted(1, 20, -1, -5); }

std::string lessonScreenName(const QSize& size)
{
    return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

QDockWidget* lessonDock(const MainWindow& window, const char* name) { return window.findChild<QDockWidget*>(name); }

int pixelArea(const QSize& size) { return size.width() * size.height(); }

TEST(MainWindowLessonLayout, TheFieldsSquareKeepsItsShareOfTheScreenAndTheViewportOutgrowsTheAnalysisDock)
{
    test::appTestApplication();
    for (const LessonScreen& screen : kLessonScreens) {
        const std::string at = lessonScreenName(screen.size);
        MainWindow window(nullptr, false);
        window.fitToScreen(insideOpenboxFrame(screen.size));
        ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
        const auto* view = window.findChild<QuantumGLView*>(QStringLiteral("quantumView"));
        const QDockWidget* analysis = lessonDock(window, "analysisDockWidget");
        ASSERT_TRUE(view && analysis);
        // The guided experiment's field is square: the picture is the square.
        const QRectF picture = view->imageRect();
        const double square = std::min(picture.width(), picture.height());
        EXPECT_GE(square, screen.squareShare * screen.size.height())
            << at << ": the field is drawn " << square << " px high in a viewport " << view->width() << "x"
            << view->height();
        EXPECT_GT(pixelArea(view->size()), pixelArea(analysis->size()))
            << at << ": viewport " << view->width() << "x" << view->height() << ", analysis dock " << analysis->width()
            << "x" << analysis->height();
        EXPECT_GT(view->height(), analysis->height()) << at;
        test::expectLayoutApart(window, at);
    }
    // A window made shorter keeps the share: the analysis dock gives way.
    MainWindow window(nullptr, false);
    window.fitToScreen(QRect(0, 0, 1366, 768));
    ASSERT_TRUE(test::showAndWait(window));
    window.resize(1366, 700);
    ASSERT_TRUE(test::waitForLayoutToSettle(window));
    const QRectF picture = window.findChild<QuantumGLView*>(QStringLiteral("quantumView"))->imageRect();
    EXPECT_GE(std::min(picture.width(), picture.height()), 0.45 * window.height())
        << "the field is drawn " << picture.height() << " px high in a window " << window.height() << " px high";
}

// The tab of `dock` in the window's tab bars of docked tabs; nulls where it
// is no tab.
struct LessonDockTab {
    QTabBar* bar = nullptr;
    int index = -1;
};
LessonDockTab lessonTabOf(const MainWindow& window, const QDockWidget& dock)
{
    for (QTabBar* bar : window.findChildren<QTabBar*>(QString(), Qt::FindDirectChildrenOnly))
        for (int index = 0; index < bar->count(); ++index)
            if (bar->isVisible() && bar->tabText(index) == dock.windowTitle())
                return {bar, index};
    return {};
}

int lessonPreset(const char* slug)
{
    for (std::uint32_t index = 0; index < presetCount(); ++index)
        if (std::strcmp(presetSlug(index), slug) == 0)
            return int(index);
    ADD_FAILURE() << "no guided experiment " << slug;
    return 0;
}

// The guide shows eight lines of its body text at least.
void expectLessonGuideReadable(const MainWindow& window, const std::string& at)
{
    const auto* languages = window.findChild<QTabWidget*>(QStringLiteral("helpLanguageTabWidget"));
    ASSERT_NE(languages, nullptr);
    const auto* guide = languages->currentWidget()->findChild<QTextBrowser*>();
    ASSERT_NE(guide, nullptr);
    const int line = QFontMetrics(guide->document()->defaultFont()).lineSpacing();
    EXPECT_GE(guide->viewport()->height(), 8 * line)
        << at << ": the guide shows " << guide->viewport()->height() / line << " lines";
}

TEST(MainWindowLessonLayout, ALoadedLessonShowsItsGuideBesideTheDiagnosticsWithTheControlsAClickAway)
{
    test::appTestApplication();
    for (const LessonScreen& screen : kLessonScreens) {
        if (screen.size.width() > 1920)
            continue;
        const std::string at = lessonScreenName(screen.size);
        MainWindow window(nullptr, false);
        window.fitToScreen(insideOpenboxFrame(screen.size));
        ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
        QDockWidget* controls = lessonDock(window, "controlsDockWidget");
        QDockWidget* help = lessonDock(window, "helpDockWidget");
        QDockWidget* diagnostics = lessonDock(window, "diagnosticsDockWidget");
        auto* library = window.findChild<QComboBox*>(QStringLiteral("experimentPresetComboBox"));
        auto* load = window.findChild<QAbstractButton*>(QStringLiteral("loadExperimentButton"));
        auto* table = window.findChild<QTableWidget*>(QStringLiteral("diagnosticsTable"));
        ASSERT_TRUE(controls && help && diagnostics && library && load && table);
        ASSERT_TRUE(test::dockInFront(window, *controls)) << at << ": a new window opens on its controls";

        // The Landau-Zener lesson's first rows wrap over two and three
        // lines: on a monitor, at its text size or enlarged, they take the
        // height they need from the docks beside them.
        std::vector<const char*> lessons = {"resonant_tunneling"};
        if (screen.size.height() >= 864)
            lessons.push_back("landau_zener_nonadiabatic");
        for (const char* lesson : lessons) {
            const std::string loaded = at + ", " + lesson;
            controls->raise();
            library->setCurrentIndex(lessonPreset(lesson));
            load->click();
            ASSERT_TRUE(test::waitForLayoutToSettle(window)) << loaded;
            EXPECT_TRUE(test::dockInFront(window, *help)) << loaded << ": the guide is not in front";
            EXPECT_TRUE(test::dockInFront(window, *diagnostics)) << loaded << ": the diagnostics are not beside it";
            expectLessonGuideReadable(window, loaded);
            EXPECT_GE(test::wholeDiagnosticsRows(*table), 8)
                << loaded << ": the diagnostics, " << diagnostics->height() << " px high";
            test::expectLayoutApart(window, loaded + " with the guide in front");
        }

        // The controls: in front already, or one click on their tab.
        if (!test::dockInFront(window, *controls)) {
            const LessonDockTab tab = lessonTabOf(window, *controls);
            ASSERT_NE(tab.bar, nullptr) << at << ": the controls are neither in front nor a tab on show";
            tab.bar->setCurrentIndex(tab.index);
            ASSERT_TRUE(test::waitForLayoutToSettle(window)) << at;
            EXPECT_TRUE(test::dockInFront(window, *controls)) << at << ": the click did not bring the controls";
            EXPECT_TRUE(test::dockInFront(window, *diagnostics)) << at << ": the diagnostics went with the guide";
            test::expectLayoutApart(window, at + " with the controls in front");
        }
    }
}

// A window left with its frame off the screen (part of it above and left of
// the screen, and larger than it) comes back whole on the screen at Reset
// Window Layout, at the size it had where that fits.
TEST(MainWindowLessonLayout, ResetWindowLayoutBringsAWindowLeftOffTheScreenBackWhole)
{
    test::appTestApplication();
    MainWindow window(nullptr, false);
    ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
    const QRect available = window.screen()->availableGeometry();
    QAction* reset = window.findChild<QAction*>(QStringLiteral("actionResetWindowLayout"));
    ASSERT_NE(reset, nullptr);
    const QRect leftThere[] = {
        QRect(available.topLeft() - QPoint(60, 40), QSize(1000, 700)),
        QRect(available.topLeft() + QPoint(available.width() - 500, 30), QSize(1000, 700)),
        QRect(available.topLeft() - QPoint(10, 10), available.size() + QSize(200, 150)),
    };
    for (const QRect& left : leftThere) {
        window.setGeometry(left);
        ASSERT_TRUE(test::waitForLayoutToSettle(window));
        ASSERT_FALSE(available.contains(window.frameGeometry())) << test::describe(left) << ": the case is void";
        const QSize before = window.size();
        reset->trigger();
        ASSERT_TRUE(test::waitForLayoutToSettle(window));
        EXPECT_TRUE(available.contains(window.frameGeometry()))
            << "left at " << test::describe(left) << ", reset to " << test::describe(window.frameGeometry());
        if (before.width() <= available.width() && before.height() <= available.height()) {
            EXPECT_EQ(window.size(), before) << "left at " << test::describe(left);
        }
        test::expectLayoutApart(window, "reset from " + test::describe(left));
    }
}

} // namespace
} // namespace vxo
