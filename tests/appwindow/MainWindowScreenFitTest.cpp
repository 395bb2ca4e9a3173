// The window on the screens a class has: a 1024 x 768 or 1280 x 800
// projector, a 1920 x 1080 monitor with its text enlarged by half (a logical
// 1280 x 720), a 1366 x 768 laptop or projector and a 1920 x 1080 monitor.
// The default layout lies on the screen, every dock can be reached (on the
// narrower screens the right column's docks are tabs of the controls
// column), no dock or transport control is cut or covered, every button shows its whole text,
// every dock shows its texts whole and every analysis page keeps its plot
// readable. A window narrower than the side columns prefer takes the
// difference from both in proportion; a window shrunk as far as it goes and
// grown again keeps its docks apart and gives them their room back. Every
// figure a guide points the class at, in the Diagnostics or on a page, is
// readable where it points without widening anything, and on a laptop the
// Diagnostics and the guide show enough of themselves to be read.

#include "common/AppTestSupport.h"
#include "common/MainWindowProbe.h"
#include "common/PageFigures.h"
#include "common/QtTestSupport.h"

#include "WindowLayoutChecks.h"

#include "app/form/DiagnosticsPresentation.h"
#include "app/mainwindow/MainWindow.h"
#include "document/ExperimentCatalogue.h"
#include "plots/AxisNumbers.h"
#include "plots/PaintedTexts.h"
#include "plots/PlotWidget.h"
#include "view/QuantumGLView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QWheelEvent>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

namespace vxo {
namespace {

using test::describe;
using test::waitForLayout;

struct Screen {
    QSize size;
    // Whether every plot is seen whole, all its panels at once.
    bool plotsWhole;
    // Whether the side columns stand apart, every dock on show at once.
    bool sideBySide;
};

// The screens a class has, narrowest first.
const Screen kClassroomScreens[] = {
    {QSize(1024, 768), false, false}, {QSize(1280, 720), false, false}, {QSize(1280, 800), false, false},
    {QSize(1366, 768), false, false}, {QSize(1920, 1080), true, true},
};

std::string named(const QSize& size) { return std::to_string(size.width()) + "x" + std::to_string(size.height()); }

// A panel is readable from about 120 px: its curve, ticks and caption.
constexpr int kReadablePanel = 120;

// The plot of a page: its plot widget.
const QWidget* plotOf(const QWidget* page)
{
    for (QObject* child : page->children())
        if (const auto* plot = dynamic_cast<const PlotWidget*>(child))
            return plot;
    ADD_FAILURE() << page->objectName().toStdString() << " has no plot";
    return page;
}

// The summary of a page, over or beside its plot; null where it has none.
const QWidget* summaryOf(const QWidget* page)
{
    for (QObject* child : page->children())
        if (child->objectName().endsWith(QLatin1String("SummaryLabel")))
            return static_cast<const QWidget*>(child);
    return nullptr;
}

// The analysis dock's page selector, the scroll area it shows its pages in
// and their stack, with the experiment-analysis tab chosen; nulls (and a
// failure) where the window lacks one.
struct AnalysisPages {
    QComboBox* selector = nullptr;
    QScrollArea* area = nullptr;
    QStackedWidget* stack = nullptr;
    explicit operator bool() const { return selector && area && stack; }
};
AnalysisPages analysisPagesOf(MainWindow& window)
{
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("analysisTabWidget"));
    const AnalysisPages pages{window.findChild<QComboBox*>(QStringLiteral("analysisPageComboBox")),
                              window.findChild<QScrollArea*>(QStringLiteral("analysisScrollArea")),
                              window.findChild<QStackedWidget*>(QStringLiteral("analysisStackedWidget"))};
    if (!tabs || !pages) {
        ADD_FAILURE() << "the window has no analysis pages";
        return {};
    }
    tabs->setCurrentIndex(tabs->indexOf(tabs->findChild<QWidget*>(QStringLiteral("experimentAnalysisTab"))));
    return pages;
}

// The share of the screen's height the field's square keeps on a screen of
// the given logical height: 45% on a 1080-line monitor, at its own text size
// or enlarged by a quarter (864 logical lines), 40% on the others.
double viewportShareOf(const QSize& screen) { return screen.height() >= 864 ? 0.45 : 0.40; }

// A screen a lesson runs on, in logical pixels, and the factor its text is
// enlarged by: a 1024 x 768 projector, a 1366 x 768 laptop and a 1920 x 1080
// monitor at their own text size or enlarged by a quarter, the monitor
// enlarged by half. The window manager's frame is scaled with the text.
struct ScaledScreen {
    QSize size;
    double textScale;
};

// The room inside the frame openbox puts around a window (a 20 px title bar,
// a 5 px bottom border and 1 px at the sides, in device pixels).
QRect insideScaledFrame(const ScaledScreen& screen)
{
    const auto logical = [&screen](int pixels) { return static_cast<int>(std::ceil(pixels / screen.textScale)); };
    return QRect(QPoint(0, 0), screen.size).adjusted(logical(1), logical(20), -logical(1), -logical(5));
}

// Whether the page's guide quotes numbers from its summary: its figure is
// the summary and the plot (defined with the pages under kSummaryPages).
bool guideReadsTheSummaryOf(const QWidget* page);

// At start, the cross-section the analysis dock opens on shows three
// numbered values on its axis at least, not a strip with one or two.
void expectTheCrossSectionReadable(const MainWindow& window, const std::string& at)
{
    auto* plot = window.findChild<QWidget*>(QStringLiteral("crossSectionPlotWidget"));
    ASSERT_NE(plot, nullptr);
    ASSERT_TRUE(plot->isVisible()) << at << ": the analysis dock does not open on the cross-section";
    const QRectF panel = plot::panelRect(plot->size(), plot::numberedPanelLayout());
    int values = 0;
    for (const test::PaintedText& text : test::paintedTexts(*plot, plot->size()))
        values += text.box.right() <= panel.left() && text.box.bottom() > panel.top() ? 1 : 0;
    EXPECT_GE(values, 3) << at << ": the cross-section's panel is " << panel.height() << " px high";
}

// After loading each guided experiment, the figure of its analysis page is
// seen whole without scrolling: the plot with all its panels, and its
// summary where the page's guide reads it; meanwhile the field's square
// keeps its share of the screen's height. The window stands inside a window
// manager's frame on the screen.
void expectEveryGuidedFigureWholeOnLoading(MainWindow& window, const ScaledScreen& screen)
{
    const std::string at = named(screen.size) + " at " + std::to_string(screen.textScale) + "x";
    window.fitToScreen(insideScaledFrame(screen));
    ASSERT_TRUE(test::settleLayout(window)) << at;
    EXPECT_TRUE(insideScaledFrame(screen).contains(window.frameGeometry()))
        << at << ": window at " << describe(window.frameGeometry());
    const auto* view = window.findChild<QuantumGLView*>(QStringLiteral("quantumView"));
    auto* area = window.findChild<QScrollArea*>(QStringLiteral("analysisScrollArea"));
    auto* stack = window.findChild<QStackedWidget*>(QStringLiteral("analysisStackedWidget"));
    ASSERT_TRUE(view && area && stack);
    const QRectF picture = view->imageRect();
    EXPECT_GE(std::min(picture.width(), picture.height()), viewportShareOf(screen.size) * screen.size.height())
        << at << ": the field is drawn in a viewport " << view->width() << "x" << view->height();
    const QWidget* viewport = area->viewport();
    const auto whole = [viewport](const QWidget* widget) {
        const QPoint at = widget->mapTo(viewport, QPoint(0, 0));
        return at.y() >= 0 && at.y() + widget->height() <= viewport->height() &&
               at.x() + widget->width() <= viewport->width();
    };
    for (std::uint32_t preset = 0; preset < presetCount(); ++preset) {
        window.loadGuidedExperiment(preset);
        ASSERT_TRUE(test::settleLayout(window)) << at;
        const QWidget* page = stack->currentWidget();
        const QWidget* plot = plotOf(page);
        const std::string name = at + ", " + presetSlug(preset) + ": " + page->objectName().toStdString();
        EXPECT_TRUE(whole(plot)) << name << ": the plot, " << plot->width() << "x" << plot->height() << " at "
                                 << plot->mapTo(viewport, QPoint(0, 0)).y() << ", is not whole in a view "
                                 << viewport->width() << "x" << viewport->height();
        if (guideReadsTheSummaryOf(page)) {
            const QWidget* summary = summaryOf(page);
            EXPECT_TRUE(whole(summary)) << name << ": the summary, " << summary->height() << " px high at "
                                        << summary->mapTo(viewport, QPoint(0, 0)).y() << ", is not whole";
        }
    }
}

TEST(MainWindowScreenFit, TheDefaultLayoutFitsTheScreenUncutAndEveryAnalysisPlotIsReadable)
{
    test::appTestApplication();
    // Beside the screens of a class, a 1024 x 768 projector, a 1366 x 768
    // laptop and a 1920 x 1080 monitor with their text enlarged by a quarter
    // (a logical 819 x 614, 1093 x 614 and 1536 x 864): the figure a guide
    // names is whole there too, and the window fits the projector's screen.
    std::vector<Screen> screens(std::begin(kClassroomScreens), std::end(kClassroomScreens));
    for (const QSize size : {QSize(1536, 864), QSize(819, 614), QSize(1093, 614)})
        screens.push_back({size, false, false});
    for (const Screen& screen : screens) {
        const std::string at = named(screen.size);
        MainWindow window(nullptr, false);
        // At start, inside a window manager's frame, the analysis dock opens
        // on the cross-section; with the text enlarged by half it reads.
        const bool enlargedByHalf = screen.size == QSize(1280, 720);
        const bool enlargedByAQuarter = screen.size.height() == 614 || screen.size.height() == 864;
        const double scale = enlargedByHalf ? 1.5 : enlargedByAQuarter ? 1.25 : 1.0;
        window.fitToScreen(insideScaledFrame({screen.size, scale}));
        ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
        if (enlargedByHalf)
            expectTheCrossSectionReadable(window, at + " at start");

        const QRect available(QPoint(0, 0), screen.size);
        window.fitToScreen(available);
        waitForLayout(window);

        EXPECT_TRUE(available.contains(window.frameGeometry()))
            << at << ": window at " << describe(window.frameGeometry());

        // Dock contents and the transport row: inside, and none over another.
        if (screen.sideBySide) {
            for (const QDockWidget* dock : window.findChildren<QDockWidget*>())
                ASSERT_TRUE(dock->isVisible()) << at << ": " << dock->objectName().toStdString();
        }
        test::expectLayoutApart(window, at);
        test::expectEveryDockReachable(window, at);
        // The transport state needs room for its longest word beside the speed caption.
        const auto* state = window.findChild<QLabel*>(QStringLiteral("transportStateLabel"));
        EXPECT_GE(state->width(), state->fontMetrics().horizontalAdvance(QStringLiteral("STOPPED")))
            << at << ": the transport state is cut";

        // Every button on show carries its whole text: the text's advance
        // plus the style's margin and frame.
        for (const QPushButton* button : window.findChildren<QPushButton*>()) {
            if (!button->isVisibleTo(&window) || button->text().isEmpty())
                continue;
            QStyleOptionButton option;
            option.initFrom(button);
            const int margins = button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button) +
                                2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, button);
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()) + margins, button->width())
                << at << ": \"" << button->text().toStdString() << "\" (" << button->objectName().toStdString()
                << ") is cut";
        }

        // Every page of the analysis stack, one after the other.
        const auto [pages, area, stack] = analysisPagesOf(window);
        ASSERT_TRUE(pages && area && stack);
        for (int index = 0; index < pages->count(); ++index) {
            pages->setCurrentIndex(index);
            waitForLayout(window);
            const QWidget* page = stack->currentWidget();
            const std::string name = at + ": " + page->objectName().toStdString();
            const QWidget* plot = plotOf(page);
            const QRect plotInStack(plot->mapTo(stack, QPoint(0, 0)), plot->size());
            const int viewportHeight = area->viewport()->height();
            EXPECT_GE(viewportHeight, kReadablePanel + 40) << name << ": the page shows less than a panel";
            EXPECT_GE(plot->height(), plot->minimumHeight()) << name;
            EXPECT_GE(plot->width(), 400) << name;
            // Scrolling reaches the plot's bottom.
            EXPECT_GE(area->verticalScrollBar()->maximum() + viewportHeight, plotInStack.bottom() + 1) << name;
            EXPECT_LE(plotInStack.right(), area->viewport()->width()) << name << " is cut on the right";
            // Where the plot is seen on choosing the page: whole, or from its top.
            const int shownTop = plot->mapTo(area->viewport(), QPoint(0, 0)).y();
            EXPECT_GE(shownTop, 0) << name << ": the plot's top is scrolled away";
            if (screen.plotsWhole) {
                EXPECT_LE(shownTop + plot->height(), viewportHeight) << name << ": the plot is not seen whole";
            }
        }
        // Walked on the screens of a lesson at their own text size and
        // enlarged by a quarter.
        if (screen.size != QSize(1280, 720) && screen.size != QSize(1280, 800))
            expectEveryGuidedFigureWholeOnLoading(window, {screen.size, scale});
    }
}

// Every screen of a class at its own text size, and a 1920 x 1080 monitor
// with its text enlarged by a quarter or by half (a logical 1536 x 864 or
// 1280 x 720).
const QSize kScreensAndTextSizes[] = {QSize(1024, 768),  QSize(1280, 800), QSize(1366, 768),
                                      QSize(1920, 1080), QSize(1536, 864), QSize(1280, 720)};

// Whether the view can hold the page's summary (over or beside its plot)
// together with the whole plot: where it cannot, the page opens with the
// whole plot under the summary's last lines.
bool viewHoldsSummaryAndPlot(const QWidget* page, const QWidget* viewport)
{
    const QWidget* plot = plotOf(page);
    const QWidget* summary = summaryOf(page);
    const int plotTop = plot->mapTo(viewport, QPoint(0, 0)).y();
    const int top = summary ? std::min(summary->mapTo(viewport, QPoint(0, 0)).y(), plotTop) : plotTop;
    const int bottom =
        std::max(plotTop + plot->height(), summary ? summary->mapTo(viewport, QPoint(0, summary->height())).y() : 0);
    return bottom - top <= viewport->height();
}

// On every screen of a class, at its own text size and with the text of a
// 1920 x 1080 monitor enlarged by a quarter or by half (a logical 1536 x 864
// or 1280 x 720), choosing an analysis page whose plot is a single panel
// shows that plot whole, its axis, numbers and caption included; a taller
// plot is seen from its top.
TEST(MainWindowScreenFit, AOnePanelPlotIsSeenWholeOnChoosingItsPageOnEveryScreenAndTextSize)
{
    test::appTestApplication();
    for (const QSize& screen : kScreensAndTextSizes) {
        MainWindow window(nullptr, false);
        window.fitToScreen(QRect(QPoint(0, 0), screen));
        ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
        const auto [pages, area, stack] = analysisPagesOf(window);
        ASSERT_TRUE(pages && area && stack);
        // A single panel is what the shortest plots need.
        int onePanel = std::numeric_limits<int>::max();
        for (int index = 0; index < stack->count(); ++index)
            onePanel = std::min(onePanel, plotOf(stack->widget(index))->minimumHeight());
        for (int index = 0; index < pages->count(); ++index) {
            pages->setCurrentIndex(index);
            ASSERT_TRUE(test::settleLayout(window)) << named(screen);
            const QWidget* plot = plotOf(stack->currentWidget());
            const std::string name = named(screen) + ": " + stack->currentWidget()->objectName().toStdString();
            const int top = plot->mapTo(area->viewport(), QPoint(0, 0)).y();
            EXPECT_GE(top, 0) << name << ": the plot's top is scrolled away";
            // What the plot needs at its width: a two-panel plot stacked or side by side.
            const int needed =
                std::max(plot->minimumHeight(), plot->hasHeightForWidth() ? plot->heightForWidth(plot->width()) : 0);
            if (needed <= onePanel) {
                EXPECT_LE(top + plot->height(), area->viewport()->height())
                    << name << ": the plot's bottom, " << plot->height() << " px under its top, is cut";
            }
        }
    }
}

// On the same screens and text sizes, a page whose plot is two panels (a
// carpet, map, loop, path, profile or orbit over its curves) shows both
// whole on choosing it, where the view holds them with the page's summary
// above them: on a short, wide analysis area they lie side by side. An area
// tall enough for them one over the other under the summary (the analysis
// dock made taller by the teacher on a 1920 x 1080 monitor) keeps them so.
TEST(MainWindowScreenFit, ATwoPanelPlotIsSeenWholeOnChoosingItsPageOnEveryScreenAndTextSize)
{
    test::appTestApplication();
    const char* twoPanelPages[] = {"revivalsTab",     "billiardsTab", "talbotTab",   "bouncerTab", "scarsTab",
                                   "berryTab",        "loschmidtTab", "andersonTab", "zenoTab",    "aharonovBohmTab",
                                   "landauTab",       "hallEdgeTab",  "backflowTab", "zitterTab",  "kickedRotorTab",
                                   "kapitzaDiracTab", "moshinskyTab"};
    // Each screen as laid out (an analysis dock of 0 px: as it comes), and
    // the monitor with its analysis dock dragged to 700 px.
    std::vector<std::pair<QSize, int>> areas;
    for (const QSize& screen : kScreensAndTextSizes)
        areas.emplace_back(screen, 0);
    areas.emplace_back(QSize(1920, 1080), 700);
    int stackedShown = 0;
    for (const auto& [screen, analysisHeight] : areas) {
        MainWindow window(nullptr, false);
        window.fitToScreen(QRect(QPoint(0, 0), screen));
        ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
        if (analysisHeight > 0) {
            window.resizeDocks({window.findChild<QDockWidget*>(QStringLiteral("analysisDockWidget"))}, {analysisHeight},
                               Qt::Vertical);
            ASSERT_TRUE(test::settleLayout(window)) << named(screen);
        }
        const auto [pages, area, stack] = analysisPagesOf(window);
        ASSERT_TRUE(pages && area && stack);
        for (const char* pageName : twoPanelPages) {
            auto* page = stack->findChild<QWidget*>(QLatin1String(pageName));
            ASSERT_NE(page, nullptr) << pageName;
            pages->setCurrentIndex(stack->indexOf(page));
            ASSERT_TRUE(test::settleLayout(window)) << named(screen);
            const QWidget* plot = plotOf(page);
            const std::string name = named(screen) + ": " + pageName;
            const int top = plot->mapTo(area->viewport(), QPoint(0, 0)).y();
            EXPECT_GE(top, 0) << name << ": the plot's top is scrolled away";
            if (viewHoldsSummaryAndPlot(page, area->viewport())) {
                EXPECT_LE(top + plot->height(), area->viewport()->height())
                    << name << ": the plot's bottom, " << plot->height() << " px under its top, is cut ("
                    << plot->width() << " px wide)";
            }
            EXPECT_LE(plot->mapTo(area->viewport(), QPoint(plot->width(), 0)).x(), area->viewport()->width())
                << name << " is cut on the right";
            // An area that holds the panels one over the other, the page's
            // summary over them and the page's margin under them, shows them so.
            const auto* panels = dynamic_cast<const PlotWidget*>(plot);
            ASSERT_NE(panels, nullptr) << name;
            const QLayout* rows = page->layout();
            const int summaryTop = summaryOf(page)->mapTo(page, QPoint(0, 0)).y();
            const int summaryAndGap = plot->mapTo(page, QPoint(0, 0)).y() - summaryTop;
            if (area->viewport()->height() >=
                summaryAndGap + panels->stackedHeight() + rows->contentsMargins().bottom()) {
                ++stackedShown;
                EXPECT_GE(plot->height(), panels->stackedHeight()) << name << ": the panels are not stacked";
            }
        }
    }
    EXPECT_GT(stackedShown, 0) << "no screen holds stacked panels";
}

// With the text enlarged by half and the window as narrow as it goes, the
// transport state shows each of its words whole: a crowded transport row
// squeezes the rest of the row, not the state.
TEST(MainWindowScreenFit, TheTransportStateIsWholeInEveryStateWithTextEnlargedByHalf)
{
    test::appTestApplication();
    MainWindow window(nullptr, false);
    QFont larger = window.font();
    larger.setPointSizeF(1.5 * larger.pointSizeF());
    window.setFont(larger);
    window.fitToScreen(QRect(0, 0, 1024, 768));
    ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
    window.resize(window.minimumWidth(), window.height());
    auto* state = window.findChild<QLabel*>(QStringLiteral("transportStateLabel"));
    ASSERT_NE(state, nullptr);
    for (const char* button : {"playButton", "pauseButton", "stopButton"}) {
        window.findChild<QAbstractButton*>(QLatin1String(button))->click();
        ASSERT_TRUE(test::waitForLayoutToSettle(window));
        EXPECT_GE(state->contentsRect().width(), state->fontMetrics().horizontalAdvance(state->text()))
            << "\"" << state->text().toStdString() << "\" is cut in a window " << window.width() << " px wide";
    }
}

// A control preferring more width than it needs: with it the controls dock
// prefers more than its minimum and has width to give.
class WidePreference : public QWidget {
public:
    explicit WidePreference(QWidget* parent) : QWidget(parent) {}
    QSize sizeHint() const override { return {560, 8}; }
    QSize minimumSizeHint() const override { return {0, 8}; }
};

struct SideColumns {
    int left = 0;
    int right = 0;
    int leftMinimum = 0;
    int rightMinimum = 0;
};

SideColumns sideColumnsOnScreen(const QSize& screen)
{
    MainWindow window(nullptr, false);
    auto* contents = window.findChild<QWidget*>(QStringLiteral("controlsDockContents"));
    EXPECT_TRUE(contents && contents->layout()) << "the controls dock has no laid-out contents";
    if (!contents || !contents->layout())
        return {};
    contents->layout()->addWidget(new WidePreference(contents));
    // A hidden window handles no layout request: the dock learns of its
    // contents' new preferred width only when told.
    contents->updateGeometry();
    window.fitToScreen(QRect(QPoint(0, 0), screen));
    // The minima the layout was divided by, what the docks need to show
    // their contents unscrolled: showing the window may raise them.
    const auto dockNamed = [&window](const char* name) { return window.findChild<QDockWidget*>(QLatin1String(name)); };
    const auto readableWidth = [&window](const QDockWidget* dock) {
        return MainWindowProbe::readableDockMinimum(window, dock).width();
    };
    SideColumns columns;
    columns.leftMinimum = readableWidth(dockNamed("controlsDockWidget"));
    for (const char* name : {"timeDockWidget", "diagnosticsDockWidget", "helpDockWidget"})
        columns.rightMinimum = std::max(columns.rightMinimum, readableWidth(dockNamed(name)));
    EXPECT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
    waitForLayout(window);
    columns.left = dockNamed("controlsDockWidget")->width();
    columns.right = dockNamed("diagnosticsDockWidget")->width();
    return columns;
}

TEST(MainWindowScreenFit, ANarrowerWindowTakesFromBothSideColumnsInProportionToWhatEachCanGive)
{
    test::appTestApplication();
    // On a wide screen both columns have their preferred widths.
    const SideColumns wide = sideColumnsOnScreen(QSize(1920, 1080));
    ASSERT_GT(wide.left, wide.leftMinimum + 100) << "the controls dock has no width to give: the fixture is void";
    ASSERT_GT(wide.right, wide.rightMinimum + 100) << "the right column has no width to give: the fixture is void";
    // 1440 px are short of both preferred widths but not of both minima:
    // each column gives the same share of what it can give.
    const SideColumns narrow = sideColumnsOnScreen(QSize(1440, 1080));
    ASSERT_LT(narrow.left + narrow.right, wide.left + wide.right) << "the window was not narrower than preferred";
    ASSERT_GT(narrow.left + narrow.right, wide.leftMinimum + wide.rightMinimum) << "the columns are at their minima";
    const double leftShare = static_cast<double>(wide.left - narrow.left) / (wide.left - wide.leftMinimum);
    const double rightShare = static_cast<double>(wide.right - narrow.right) / (wide.right - wide.rightMinimum);
    EXPECT_GT(leftShare, 0.0) << "left " << narrow.left << " of " << wide.left;
    // To the pixel: the left column gives its share of all both gave.
    const int given = wide.left + wide.right - narrow.left - narrow.right;
    const double leftSlack = wide.left - wide.leftMinimum, rightSlack = wide.right - wide.rightMinimum;
    EXPECT_LT(std::abs(wide.left - narrow.left - given * leftSlack / (leftSlack + rightSlack)), 1.0)
        << "left " << narrow.left << " of " << wide.left << ", both gave " << given;
    EXPECT_NEAR(leftShare, rightShare, 0.02)
        << "left " << narrow.left << " of " << wide.left << " (minimum " << wide.leftMinimum << "), right "
        << narrow.right << " of " << wide.right << " (minimum " << wide.rightMinimum << ")";
}

// The guided experiment whose reference text is the longest: the time dock
// wraps it over the most lines.
int presetWithTheLongestReference()
{
    int longest = 0;
    std::size_t length = 0;
    for (std::uint32_t index = 0; index < presetCount(); ++index) {
        const std::size_t here = std::strlen(makeExperimentPreset(index).realWorldScale.system);
        if (here > length) {
            length = here;
            longest = static_cast<int>(index);
        }
    }
    return longest;
}

TEST(MainWindowScreenFit, EveryDockShowsItsTextsWholeWithoutScrollingSideways)
{
    test::appTestApplication();
    for (const Screen& screen : kClassroomScreens) {
        const QSize size = screen.size;
        const std::string at = named(size);
        MainWindow window(nullptr, false);
        window.fitToScreen(QRect(QPoint(0, 0), size));
        ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
        window.loadGuidedExperiment(presetWithTheLongestReference());
        waitForLayout(window);
        test::expectLayoutApart(window, at);

        // The time dock: the reference over several lines, every caption and
        // value whole beside it.
        window.findChild<QDockWidget*>(QStringLiteral("timeDockWidget"))->raise();
        waitForLayout(window);
        const auto* time = window.findChild<QWidget*>(QStringLiteral("timeDockContents"));
        ASSERT_NE(time, nullptr);
        test::settleUntilWrappedLabelsFit(*time);
        const auto* reference = window.findChild<QLabel*>(QStringLiteral("timeReferenceValueLabel"));
        ASSERT_GT(reference->height(), 2 * reference->fontMetrics().lineSpacing())
            << at << ": the reference is not wrapped over three lines: the case is void";
        test::expectTextsWhole(*time, at + " time dock");

        // The diagnostics: the short values of the transport, simulation and
        // grid rows whole in their column, nothing beyond the table's width.
        window.findChild<QDockWidget*>(QStringLiteral("diagnosticsDockWidget"))->raise();
        waitForLayout(window);
        auto* table = window.findChild<QTableWidget*>(QStringLiteral("diagnosticsTable"));
        ASSERT_NE(table, nullptr);
        const int margin = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
        int checked = 0;
        for (int row = 0; row < table->rowCount(); ++row) {
            const QString section = table->item(row, 0)->text();
            if (section != QLatin1String("Transport") && section != QLatin1String("Simulation") &&
                section != QLatin1String("Grid"))
                continue;
            const QString value = table->item(row, 2)->text();
            EXPECT_GE(table->columnWidth(2), QFontMetrics(table->font()).horizontalAdvance(value) + margin)
                << at << ": \"" << value.toStdString() << "\" (" << table->item(row, 1)->text().toStdString()
                << ") is cut";
            ++checked;
        }
        EXPECT_GE(checked, 8) << at << ": the diagnostics rows were not found";
        EXPECT_EQ(table->horizontalScrollBar()->maximum(), 0) << at << ": the diagnostics scroll sideways";

        // The measurement tab within the controls dock's width.
        window.findChild<QDockWidget*>(QStringLiteral("controlsDockWidget"))->raise();
        waitForLayout(window);
        auto* controls = window.findChild<QTabWidget*>(QStringLiteral("controlsTabWidget"));
        auto* area = window.findChild<QScrollArea*>(QStringLiteral("scrollArea"));
        ASSERT_TRUE(controls && area);
        // Every tab of the controls dock whole in its bar, none behind the
        // bar's scroll arrows.
        const QTabBar* bar = controls->tabBar();
        for (int tab = 0; tab < bar->count(); ++tab)
            EXPECT_LE(bar->tabRect(tab).right(), bar->width() - 1)
                << at << ": the \"" << bar->tabText(tab).toStdString() << "\" tab is cut (bar " << bar->width()
                << " px)";
        controls->setCurrentWidget(window.findChild<QWidget*>(QStringLiteral("measurementTab")));
        waitForLayout(window);
        EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0) << at << ": the measurement tab scrolls sideways";
        EXPECT_LE(area->widget()->width(), area->viewport()->width()) << at;
        test::expectTextsWhole(*area->widget(), at + " measurement tab");
    }
}

// The side columns and the analysis dock of a window laid out afresh at `size`.
struct DockSizes {
    int left = 0;
    int right = 0;
    int analysis = 0;
};

DockSizes dockSizes(const MainWindow& window)
{
    const auto height = [&window](const char* name) { return window.findChild<QDockWidget*>(name)->height(); };
    const auto width = [&window](const char* name) { return window.findChild<QDockWidget*>(name)->width(); };
    return {width("controlsDockWidget"), width("diagnosticsDockWidget"), height("analysisDockWidget")};
}

TEST(MainWindowScreenFit, AWindowShrunkToItsMinimumAndGrownBackKeepsItsDocksApart)
{
    test::appTestApplication();
    const QSize large(1920, 1080);
    DockSizes fresh;
    {
        MainWindow reference(nullptr, false);
        reference.fitToScreen(QRect(QPoint(0, 0), large));
        ASSERT_TRUE(test::showAndWait(reference)) << "the test needs an X display (xvfb-run -a)";
        waitForLayout(reference);
        fresh = dockSizes(reference);
    }

    MainWindow window(nullptr, false);
    window.fitToScreen(QRect(QPoint(0, 0), QSize(1366, 768)));
    ASSERT_TRUE(test::showAndWait(window));
    waitForLayout(window);
    // As small as the window lets itself be made, then a little wider and
    // taller, then back to the large screen's size.
    window.resize(1, 1);
    waitForLayout(window);
    const QSize minimum = window.size();
    EXPECT_EQ(minimum, window.minimumSize()) << "the window did not stop at its minimum";
    EXPECT_LE(minimum.width(), 1024) << "the window no longer fits a 1024 px projector";
    EXPECT_LE(minimum.height(), 768) << "the default layout no longer fits a 768 px screen";
    test::expectLayoutApart(window, "at the minimum " + describe(window.rect()));
    test::expectEveryDockReachable(window, "at the minimum " + describe(window.rect()));
    window.resize(minimum + QSize(10, 8));
    waitForLayout(window);
    test::expectLayoutApart(window, "just above the minimum " + describe(window.rect()));

    window.resize(large);
    waitForLayout(window);
    ASSERT_EQ(window.size(), large);
    test::expectLayoutApart(window, "grown back to " + describe(window.rect()));
    // Grown back, the docks have the room a fresh layout gives them.
    const DockSizes back = dockSizes(window);
    EXPECT_NEAR(back.left, fresh.left, 8) << "the controls dock did not get its width back";
    EXPECT_NEAR(back.right, fresh.right, 8) << "the right column did not get its width back";
    EXPECT_NEAR(back.analysis, fresh.analysis, 8) << "the analysis dock did not get its height back";
}

// The controls dock keeps its width whatever page of it is shown: a page
// first shown no longer widens it (it jumped by a dozen pixels on the way
// through the Dynamics pages).
TEST(MainWindowScreenFit, TheControlsDockKeepsItsWidthOnEveryPage)
{
    test::appTestApplication();
    for (const QSize size : {QSize(1024, 768), QSize(1366, 768)}) {
        const std::string at = named(size);
        MainWindow window(nullptr, false);
        window.fitToScreen(QRect(QPoint(0, 0), size));
        ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
        waitForLayout(window);
        const auto* dock = window.findChild<QDockWidget*>(QStringLiteral("controlsDockWidget"));
        auto* contents = window.findChild<QWidget*>(QStringLiteral("controlsDockContents"));
        ASSERT_TRUE(dock && contents);
        const int width = dock->width();
        int pages = 0;
        // Every page of every tab widget in the dock, outer tabs first.
        for (QTabWidget* tabs : contents->findChildren<QTabWidget*>()) {
            for (int index = 0; index < tabs->count(); ++index) {
                for (QWidget* page = tabs->widget(index); page != contents; page = page->parentWidget())
                    if (auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget()))
                        stack->setCurrentWidget(page);
                waitForLayout(window);
                ++pages;
                EXPECT_EQ(dock->width(), width) << at << ": " << tabs->widget(index)->objectName().toStdString();
            }
        }
        EXPECT_GT(pages, 20) << at << ": the pages were not found";
    }
}

// A guided experiment's analysis page opens with the same view whether the
// window is new or other experiments were loaded before, on both screens:
// the time-series page (current in a new window), and the kicked-rotor and
// Zitterbewegung pages, whose plots are taller than the dock at 1366 x 768.
TEST(MainWindowScreenFit, EveryAnalysisPageOpensTheSameWayWhateverWasLoadedBefore)
{
    test::appTestApplication();
    for (const QSize screen : {QSize(1366, 768), QSize(1920, 1080)}) {
        const std::string at = std::to_string(screen.width()) + "x" + std::to_string(screen.height());
        MainWindow window(nullptr, false);
        window.fitToScreen(QRect(QPoint(0, 0), screen));
        ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
        waitForLayout(window);
        auto* library = window.findChild<QComboBox*>(QStringLiteral("experimentPresetComboBox"));
        auto* load = window.findChild<QAbstractButton*>(QStringLiteral("loadExperimentButton"));
        auto* area = window.findChild<QScrollArea*>(QStringLiteral("analysisScrollArea"));
        ASSERT_TRUE(library && load && area);
        const auto presetNamed = [&](const char* slug) {
            for (int i = 0; i < library->count(); ++i)
                if (std::string(presetSlug(std::uint32_t(i))) == slug)
                    return i;
            ADD_FAILURE() << "no guided experiment " << slug;
            return 0;
        };
        const auto loaded = [&](int preset) {
            library->setCurrentIndex(preset);
            load->click();
            waitForLayout(window);
            return area->verticalScrollBar()->value();
        };
        const int freePacket = presetNamed("free_wave_packet");
        const int rotor = presetNamed("kicked_rotor");
        const int zitter = presetNamed("zitterbewegung");
        const int fresh = loaded(freePacket);
        const int rotorView = loaded(rotor);
        const int zitterView = loaded(zitter);
        EXPECT_EQ(loaded(freePacket), fresh) << at << ": time series after other experiments";
        EXPECT_EQ(loaded(zitter), zitterView) << at << ": Zitterbewegung after the time series";
        EXPECT_EQ(loaded(rotor), rotorView) << at << ": kicked rotor after the Zitterbewegung";
    }
}

// The guided experiment whose catalogue identifier is `slug`.
int presetWithSlug(const char* slug)
{
    for (std::uint32_t index = 0; index < presetCount(); ++index)
        if (std::string(presetSlug(index)) == slug)
            return int(index);
    ADD_FAILURE() << "no guided experiment " << slug;
    return 0;
}

// The screens of the figure checks: a projector, a laptop, a monitor, and
// the monitor with its text enlarged by half (a logical 1280 x 720).
const QSize kFigureScreens[] = {QSize(1024, 768), QSize(1366, 768), QSize(1920, 1080), QSize(1280, 720)};

// A figure a guide names and where it tells the class to read it: a
// Diagnostics row by its section and parameter, or a page's label. `keys`
// are the figures as the texts write them; each is read with the number that
// follows it.
struct GuideFigure {
    const char* preset;
    bool separated; // read once the run has paused itself on the separated packet
    const char* section;
    const char* parameter;
    const char* label;
    std::vector<const char*> keys;
};
const GuideFigure kGuideFigures[] = {
    {"barrier_scattering", false, "Tunneling", "Plane-wave theory", nullptr, {"T=", "R="}},
    {"barrier_scattering", true, "Scattering", "State", nullptr, {"SEPARATED / MEASUREMENT VALID"}},
    {"barrier_scattering", true, "Scattering", "Probabilities", nullptr, {"P_R=", "P_T=", "packet T=", "deltaT="}},
    {"quantum_tunneling", false, "Tunneling", "Plane-wave theory", nullptr, {"T=", "R="}},
    {"quantum_tunneling", true, "Scattering", "State", nullptr, {"SEPARATED / MEASUREMENT VALID"}},
    {"quantum_tunneling", true, "Scattering", "Probabilities", nullptr, {"P_R=", "P_T=", "packet T=", "deltaT="}},
    {"resonant_tunneling", false, "Tunneling", "Plane-wave theory", nullptr, {"single T1=", "T2="}},
    {"resonant_tunneling", false, nullptr, nullptr, "resonanceSummaryLabel", {"P_cav="}},
    {"resonant_tunneling", true, "Scattering", "Probabilities", nullptr, {"P_T="}},
};

// The figure after `key` in `text` as it is read: the key and the number up
// to the next blank, split into the words a wrapped line may break between.
QStringList figureWords(const QString& text, const char* key)
{
    const int at = text.indexOf(QLatin1String(key));
    if (at < 0)
        return {};
    int end = at + int(std::strlen(key));
    while (end < text.size() && !text.at(end).isSpace())
        ++end;
    return text.mid(at, end - at).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The row of the table whose section and parameter columns read these (-1: none).
int diagnosticsRowOf(const QTableWidget& table, const char* section, const char* parameter)
{
    for (int row = 0; row < table.rowCount(); ++row)
        if (table.item(row, 0) && table.item(row, 1) && table.item(row, 0)->text() == QLatin1String(section) &&
            table.item(row, 1)->text() == QLatin1String(parameter))
            return row;
    return -1;
}

// The Diagnostics row of the figure: its value whole in its cell (each word
// of a figure within the column, the row as tall as the wrapped value), on
// show with the table at its top, and whole in the cell's tooltip.
void expectDiagnosticsFigureReadable(MainWindow& window, const GuideFigure& figure, const std::string& at)
{
    window.findChild<QDockWidget*>(QStringLiteral("diagnosticsDockWidget"))->raise();
    ASSERT_TRUE(test::waitForLayoutToSettle(window)) << at;
    auto* table = window.findChild<QTableWidget*>(QStringLiteral("diagnosticsTable"));
    ASSERT_NE(table, nullptr);
    const int row = diagnosticsRowOf(*table, figure.section, figure.parameter);
    ASSERT_GE(row, 0) << at << ": no row " << figure.section << " / " << figure.parameter;
    const QString value = table->item(row, 2)->text();
    const std::string name = at + ", " + figure.section + " / " + figure.parameter + " \"" + value.toStdString() + "\"";
    const QFontMetrics metrics(table->font());
    const int margins = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, table) + 1);
    const int textWidth = table->columnWidth(2) - margins;
    for (const char* key : figure.keys) {
        const QStringList words = figureWords(value, key);
        ASSERT_FALSE(words.isEmpty()) << name << " does not show " << key;
        for (const QString& word : words)
            EXPECT_LE(metrics.horizontalAdvance(word), textWidth)
                << name << ": \"" << word.toStdString() << "\" is cut";
    }
    const int lines = metrics.boundingRect(QRect(0, 0, textWidth, 100000), Qt::TextWordWrap, value).height();
    EXPECT_GE(table->rowHeight(row), lines) << name << ": the row is lower than its lines";
    table->scrollToTop();
    const QRect shown = table->visualRect(table->model()->index(row, 2));
    EXPECT_TRUE(!table->isRowHidden(row) && shown.top() >= 0 && shown.bottom() < table->viewport()->height())
        << name << ": not on show without scrolling, at " << test::describe(shown) << " in "
        << test::describe(table->viewport()->rect());
    EXPECT_TRUE(table->item(row, 2)->toolTip().contains(value)) << name << ": the tooltip does not hold the value";
}

// The page label of the figure: on show on its page, its words within the
// label's width and the label as tall as its wrapped lines.
void expectLabelFigureReadable(MainWindow& window, const GuideFigure& figure, const std::string& at)
{
    window.findChild<QDockWidget*>(QStringLiteral("analysisDockWidget"))->raise();
    ASSERT_TRUE(test::waitForLayoutToSettle(window)) << at;
    const auto* label = window.findChild<QLabel*>(QLatin1String(figure.label));
    ASSERT_NE(label, nullptr) << figure.label;
    const std::string name = at + ", " + figure.label;
    EXPECT_TRUE(label->isVisibleTo(&window)) << name << " is not on show";
    for (const char* key : figure.keys) {
        const QStringList words = figureWords(label->text(), key);
        ASSERT_FALSE(words.isEmpty()) << name << " does not show " << key;
        for (const QString& word : words)
            EXPECT_LE(label->fontMetrics().horizontalAdvance(word), label->contentsRect().width())
                << name << ": \"" << word.toStdString() << "\" is cut";
    }
    if (label->wordWrap()) {
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << name << " loses lines";
    } else {
        EXPECT_GE(label->width(), label->sizeHint().width()) << name << " is cut";
    }
}

// The loaded experiment run tick by tick, every view refreshed as a running
// window refreshes it, until its scattering panel sees the packet separated
// (where a running window pauses) and the check of its cells has ended, or t
// passes `limit`.
bool runUntilSeparated(MainWindow& window, double limit)
{
    const auto separated = [&window] {
        return test::diagnosticsValue(window, "Scattering", "State").contains(QLatin1String("SEPARATED"));
    };
    while (!separated() && window.schroedingerSolver().time() <= limit) {
        MainWindowProbe::stepTick(window);
        MainWindowProbe::observeTick(window);
        MainWindowProbe::refreshTick(window);
    }
    return separated() && test::waitForCellsCheck(window);
}

// A guided experiment of the figures above, by its catalogue identifier,
// which names its test.
struct FigurePreset {
    std::string slug;
};
void PrintTo(const FigurePreset& preset, std::ostream* out) { *out << preset.slug; }

// The guided experiments of the figures above, each once: the walk below
// runs one test per experiment, so that none waits for the others' runs.
std::vector<FigurePreset> presetsOfGuideFigures()
{
    std::vector<FigurePreset> presets;
    for (const GuideFigure& figure : kGuideFigures)
        if (std::none_of(presets.begin(), presets.end(),
                         [&](const FigurePreset& p) { return p.slug == figure.preset; }))
            presets.push_back({figure.preset});
    return presets;
}

class GuideFigureWalk : public ::testing::TestWithParam<FigurePreset> {};

TEST_P(GuideFigureWalk, EveryFigureAGuideNamesIsReadableWhereItPointsOnEveryScreen)
{
    test::appTestApplication();
    const char* preset = GetParam().slug.c_str();
    MainWindow window(nullptr, false);
    ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
    window.loadGuidedExperiment(presetWithSlug(preset));
    MainWindowProbe::refreshTick(window);
    for (const bool separated : {false, true}) {
        if (separated) {
            ASSERT_TRUE(runUntilSeparated(window, 40.0)) << preset << ": the packet never separated";
        }
        for (const QSize& screen : kFigureScreens) {
            window.fitToScreen(QRect(QPoint(0, 0), screen));
            const std::string at =
                std::string(preset) + (separated ? " separated" : " loaded") + " on " + named(screen);
            for (const GuideFigure& figure : kGuideFigures) {
                if (std::strcmp(figure.preset, preset) != 0 || figure.separated != separated)
                    continue;
                if (figure.label)
                    expectLabelFigureReadable(window, figure, at);
                else
                    expectDiagnosticsFigureReadable(window, figure, at);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(MainWindowScreenFit, GuideFigureWalk, ::testing::ValuesIn(presetsOfGuideFigures()));

// A page a guide reads from, with its guided experiment loaded, and the
// label above its plot that carries the figures the guide quotes (none: the
// guide reads them off the plot).
struct GuidedPage {
    const char* preset;
    const char* page;
    const char* summary;
};
const GuidedPage kGuidedPages[] = {
    {"stueckelberg_destructive", "stueckelbergTab", nullptr},
    {"ramsey_fringe", "ramseyTab", nullptr},
    {"landau_cyclotron", "landauTab", "landauSummaryLabel"},
    {"zitterbewegung", "zitterTab", "zitterSummaryLabel"},
};

// The height a window manager's title bar takes from the window, in
// logical pixels with the text enlarged by half.
constexpr int kTitleBar = 17;

// On every screen and text size, choosing the page a guide reads from shows
// the summary above the plot and the plot whole where the view holds both,
// else the plot from its top under the summary.
TEST(MainWindowScreenFit, WhatAGuideReadsOnAPageIsInViewOnChoosingItOnEveryScreenAndTextSize)
{
    test::appTestApplication();
    for (const GuidedPage& guided : kGuidedPages) {
        MainWindow window(nullptr, false);
        ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
        window.loadGuidedExperiment(presetWithSlug(guided.preset));
        MainWindowProbe::refreshTick(window);
        const auto [pages, area, stack] = analysisPagesOf(window);
        ASSERT_TRUE(pages && area && stack);
        QWidget* page = stack->findChild<QWidget*>(QLatin1String(guided.page));
        ASSERT_NE(page, nullptr) << guided.page;
        const QWidget* viewport = area->viewport();
        const auto inView = [viewport](const QWidget* widget) {
            const int top = widget->mapTo(viewport, QPoint(0, 0)).y();
            return top >= 0 && top + widget->height() <= viewport->height();
        };
        std::vector<QSize> screens(std::begin(kScreensAndTextSizes), std::end(kScreensAndTextSizes));
        // The shortest of them under a window manager's title bar.
        screens.push_back(QSize(1280, 720 - kTitleBar));
        for (const QSize& screen : screens) {
            window.fitToScreen(QRect(QPoint(0, 0), screen));
            // Chosen from another page, as a class comes to it.
            pages->setCurrentIndex(stack->indexOf(page) == 0 ? 1 : 0);
            pages->setCurrentIndex(stack->indexOf(page));
            ASSERT_TRUE(test::settleLayout(window)) << named(screen);
            const std::string at = std::string(guided.page) + " on " + named(screen);
            const QWidget* plot = plotOf(page);
            if (viewHoldsSummaryAndPlot(page, viewport)) {
                EXPECT_TRUE(inView(plot)) << at << ": the plot, " << plot->height() << " px high at "
                                          << plot->mapTo(viewport, QPoint(0, 0)).y() << ", is not whole in a view "
                                          << viewport->height() << " px high";
            } else {
                EXPECT_GE(plot->mapTo(viewport, QPoint(0, 0)).y(), 0) << at << ": the plot's top is scrolled away";
            }
            if (guided.summary) {
                const auto* label = page->findChild<QLabel*>(QLatin1String(guided.summary));
                ASSERT_NE(label, nullptr) << guided.summary;
                EXPECT_TRUE(inView(label)) << at << ": " << guided.summary << ", " << label->height() << " px high at "
                                           << label->mapTo(viewport, QPoint(0, 0)).y() << ", is out of a view "
                                           << viewport->height() << " px high";
            }
        }
    }
}

// The pages whose summary holds the figures their guide quotes, each with
// its guided experiment.
const GuidedPage kSummaryPages[] = {
    {"resonant_tunneling", "resonanceTab", "resonanceSummaryLabel"},
    {"aharonov_bohm", "aharonovBohmTab", "aharonovBohmSummaryLabel"},
    {"landau_zener_nonadiabatic", "landauZenerTab", "landauZenerSummaryLabel"},
    {"stueckelberg_destructive", "stueckelbergTab", "stueckelbergSummaryLabel"},
    {"rectangular_billiard", "billiardsTab", "billiardSummaryLabel"},
};

bool guideReadsTheSummaryOf(const QWidget* page)
{
    const auto named = [page](const GuidedPage& guided) {
        return guided.summary != nullptr && page->objectName() == QLatin1String(guided.page);
    };
    return std::any_of(std::begin(kSummaryPages), std::end(kSummaryPages), named) ||
           std::any_of(std::begin(kGuidedPages), std::end(kGuidedPages), named);
}

// Turns the mouse wheel one notch over the widget's centre (down for a
// negative notch) as a mouse does: an event from the window system, which
// goes on to the widget's parents while none takes it.
void turnWheel(QWidget& widget, int notches)
{
    const QPointF centre(widget.width() / 2.0, widget.height() / 2.0);
    QWheelEvent wheel(centre, widget.mapToGlobal(centre.toPoint()), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    // sendEvent() would take its window-system origin away.
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(&widget, &wheel);
}

// On every screen and text size (a laptop's 1366 x 768 and a monitor's text
// enlarged by a quarter among them), choosing one of these pages shows its
// summary whole, however tall the plot under it; where the page is taller
// than the view, the mouse wheel over the plot scrolls the page.
TEST(MainWindowScreenFit, ChoosingAPageShowsItsSummaryAndTheWheelOverItsPlotScrollsThePage)
{
    test::appTestApplication();
    int scrolled = 0;
    for (const GuidedPage& guided : kSummaryPages) {
        MainWindow window(nullptr, false);
        ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
        window.loadGuidedExperiment(presetWithSlug(guided.preset));
        MainWindowProbe::refreshTick(window);
        const auto [pages, area, stack] = analysisPagesOf(window);
        ASSERT_TRUE(pages && area && stack);
        QWidget* page = stack->findChild<QWidget*>(QLatin1String(guided.page));
        ASSERT_NE(page, nullptr) << guided.page;
        const auto* label = page->findChild<QLabel*>(QLatin1String(guided.summary));
        ASSERT_NE(label, nullptr) << guided.summary;
        QWidget* plot = const_cast<QWidget*>(plotOf(page));
        const QWidget* viewport = area->viewport();
        QScrollBar* bar = area->verticalScrollBar();
        for (const QSize& screen : kScreensAndTextSizes) {
            window.fitToScreen(QRect(QPoint(0, 0), screen));
            pages->setCurrentIndex(stack->indexOf(page) == 0 ? 1 : 0);
            pages->setCurrentIndex(stack->indexOf(page));
            ASSERT_TRUE(test::settleLayout(window)) << named(screen);
            const std::string at = std::string(guided.page) + " on " + named(screen);
            const int top = label->mapTo(viewport, QPoint(0, 0)).y();
            EXPECT_TRUE(top >= 0 && top + label->height() <= viewport->height())
                << at << ": " << guided.summary << ", " << label->height() << " px high at " << top
                << ", is out of a view " << viewport->height() << " px high";
            EXPECT_GE(plot->mapTo(viewport, QPoint(0, 0)).y(), 0) << at << ": the plot's top is scrolled away";
            if (bar->maximum() == 0)
                continue;
            const int opened = bar->value();
            turnWheel(*plot, opened < bar->maximum() ? -1 : 1);
            const int wheeled = bar->value();
            EXPECT_NE(wheeled, opened) << at << ": the wheel over the plot does not scroll the page";
            // The run goes on: its summaries rewritten, the view stays where the wheel put it.
            MainWindowProbe::stepTick(window);
            MainWindowProbe::refreshTick(window);
            ASSERT_TRUE(test::settleLayout(window)) << at;
            EXPECT_EQ(bar->value(), wheeled) << at << ": the next refresh took the view back";
            ++scrolled;
        }
    }
    EXPECT_GT(scrolled, 0) << "no page was taller than its view";
}

// On a laptop's 768 px, and with the text enlarged by half, the Diagnostics
// show eight rows and the guide eight lines at least.
TEST(MainWindowScreenFit, OnALaptopTheDiagnosticsShowEightRowsAndTheGuideEightLines)
{
    test::appTestApplication();
    constexpr int kRows = 8;
    for (const QSize screen : {QSize(1366, 768), QSize(1280, 720)}) {
        const std::string at = named(screen);
        MainWindow window(nullptr, false);
        window.fitToScreen(QRect(QPoint(0, 0), screen));
        ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
        window.findChild<QDockWidget*>(QStringLiteral("diagnosticsDockWidget"))->raise();
        ASSERT_TRUE(test::waitForLayoutToSettle(window)) << at;
        auto* table = window.findChild<QTableWidget*>(QStringLiteral("diagnosticsTable"));
        ASSERT_NE(table, nullptr);
        const int whole = test::wholeDiagnosticsRows(*table);
        EXPECT_GE(whole, kRows) << at << ": the Diagnostics show " << whole << " rows";

        window.findChild<QDockWidget*>(QStringLiteral("helpDockWidget"))->raise();
        auto* languages = window.findChild<QTabWidget*>(QStringLiteral("helpLanguageTabWidget"));
        ASSERT_NE(languages, nullptr);
        for (int language = 0; language < languages->count(); ++language) {
            languages->setCurrentIndex(language);
            ASSERT_TRUE(test::waitForLayoutToSettle(window)) << at;
            const auto* guide = languages->currentWidget()->findChild<QTextBrowser*>();
            ASSERT_NE(guide, nullptr);
            // The guide's body text, as the page sets it.
            const int line = QFontMetrics(guide->document()->defaultFont()).lineSpacing();
            const int height = guide->viewport()->height();
            EXPECT_GE(height, kRows * line) << at << ": " << languages->tabText(language).toStdString()
                                            << " guide shows " << height / line << " lines";
        }
    }
}

// Wherever its dock stands, however short the screen, the guide keeps room
// for eight lines of its body text inside its frame and margins: its
// minimum height asks for them, in either language, before and after a
// guide is loaded into it.
TEST(MainWindowScreenFit, TheGuideAsksForRoomForEightLinesOfItsText)
{
    test::appTestApplication();
    constexpr int kLines = 8;
    MainWindow window(nullptr, false);
    for (const bool loaded : {false, true}) {
        if (loaded)
            window.loadGuidedExperiment(0);
        for (const char* name : {"helpEnglishBrowser", "helpItalianBrowser"}) {
            const auto* guide = window.findChild<QTextBrowser*>(QLatin1String(name));
            ASSERT_NE(guide, nullptr) << name;
            const int line = QFontMetrics(guide->document()->defaultFont()).lineSpacing();
            const int margins = 2 * guide->frameWidth() + 2 * int(std::ceil(guide->document()->documentMargin()));
            EXPECT_GE(guide->minimumHeight() - margins, kLines * line)
                << name << (loaded ? " with a guide" : " empty") << " holds "
                << (guide->minimumHeight() - margins) / line << " lines";
        }
    }
}

// The diagnostics table's presentation, which a window gives its table.
const DiagnosticsPresentation* presentationOf(const QTableWidget& table)
{
    for (QObject* child : table.children())
        if (const auto* presentation = dynamic_cast<const DiagnosticsPresentation*>(child))
            return presentation;
    return nullptr;
}

// Where the time, diagnostics and help docks stand in a column of their own,
// the diagnostics show eight whole rows at least and the guide eight lines;
// where that column cannot give them that room, the docks are tabs of the
// controls column. A 1920 x 1080 monitor keeps the three columns at its own
// text size, and with its text enlarged by a quarter (a logical 1536 x 864)
// takes the tabs; the form's window on a taller screen keeps the three
// columns, the side ones reaching the status bar beside the analysis dock.
// The height the presentation names for the first rows is what the shown
// table's rows take.
TEST(MainWindowScreenFit, TheDiagnosticsShowEightRowsBesideTheViewportOrAreATabOfTheControls)
{
    test::appTestApplication();
    enum class Columns { Apart, Tabs };
    struct Case {
        QSize screen;
        Columns columns;
    };
    const Case cases[] = {{QSize(1920, 1080), Columns::Apart},
                          {QSize(1536, 864), Columns::Tabs},
                          {QSize(1920, 1280), Columns::Apart},
                          {QSize(2560, 1440), Columns::Apart}};
    constexpr int kRows = 8;
    for (const Case& c : cases) {
        const std::string at = named(c.screen);
        MainWindow window(nullptr, false);
        window.fitToScreen(QRect(QPoint(0, 0), c.screen));
        ASSERT_TRUE(test::showAndWait(window)) << "the window is not shown: the test needs an X display (xvfb-run -a)";
        ASSERT_TRUE(test::waitForLayoutToSettle(window)) << at;
        auto* diagnostics = window.findChild<QDockWidget*>(QStringLiteral("diagnosticsDockWidget"));
        auto* table = window.findChild<QTableWidget*>(QStringLiteral("diagnosticsTable"));
        ASSERT_TRUE(diagnostics && table);
        const bool apart = window.dockWidgetArea(diagnostics) == Qt::RightDockWidgetArea;
        EXPECT_EQ(apart, c.columns == Columns::Apart)
            << at << ": the diagnostics are " << (apart ? "" : "not ") << "beside the viewport";
        diagnostics->raise();
        ASSERT_TRUE(test::waitForLayoutToSettle(window)) << at;

        const DiagnosticsPresentation* presentation = presentationOf(*table);
        ASSERT_NE(presentation, nullptr) << "the table has no presentation";
        for (const int rows : {1, kRows, 20}) {
            int shown = table->horizontalHeader()->height() + 2 * table->frameWidth();
            for (int visual = 0, counted = 0; visual < table->rowCount() && counted < rows; ++visual) {
                const int row = table->verticalHeader()->logicalIndex(visual);
                if (!table->isRowHidden(row)) {
                    shown += table->rowHeight(row);
                    ++counted;
                }
            }
            EXPECT_EQ(presentation->heightForRows(rows, table->width()), shown) << at << ": " << rows << " rows";
        }
        if (!apart)
            continue;
        EXPECT_GE(test::wholeDiagnosticsRows(*table), kRows) << at << ": the diagnostics beside the viewport";
        auto* languages = window.findChild<QTabWidget*>(QStringLiteral("helpLanguageTabWidget"));
        ASSERT_NE(languages, nullptr);
        const auto* guide = languages->currentWidget()->findChild<QTextBrowser*>();
        ASSERT_NE(guide, nullptr);
        const int line = QFontMetrics(guide->document()->defaultFont()).lineSpacing();
        EXPECT_GE(guide->viewport()->height(), kRows * line)
            << at << ": the guide beside the viewport shows " << guide->viewport()->height() / line << " lines";
    }
}

} // namespace
} // namespace vxo
