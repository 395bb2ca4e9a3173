#include "app/mainwindow/MainWindow.h"

#include "app/mainwindow/FloatingDockPlace.h"
#include "app/mainwindow/SavedLayout.h"
#include "app/mainwindow/SavedWindowGeometry.h"
#include "document/DisplayText.h"
#include "plots/PlotWidget.h"
#include "ui/MainWindowForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMargins>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace vxo {

namespace {

const QString kSettingsGroup = QStringLiteral("MainWindow");
// A new window on a screen with more room than the form's size takes this
// share of the room, centred, and never less than the form: the form alone
// is a quarter of a 4K screen, in its corner.
constexpr double kLargeScreenShare = 0.8;

// Where a new window goes in `room`: all of it where the form does not fit,
// else the share above.
QRect newWindowIn(const QRect& room, const QSize& form)
{
    if (form.width() > room.width() || form.height() > room.height())
        return room;
    const QSize share(static_cast<int>(kLargeScreenShare * room.width()),
                      static_cast<int>(kLargeScreenShare * room.height()));
    const QSize size = form.expandedTo(share).boundedTo(room.size());
    return QRect(room.topLeft() + QPoint((room.width() - size.width()) / 2, (room.height() - size.height()) / 2), size);
}

// A tab widget or the analysis page selector whose current index is saved
// under `key`. Exactly one of the two pointers is set; a selector whose
// widget is missing has no entries.
struct IndexSelector {
    QString key;
    QTabWidget* tabs;
    QComboBox* combo;

    int count() const { return tabs ? tabs->count() : combo ? combo->count() : 0; }
    int index() const { return tabs ? tabs->currentIndex() : combo ? combo->currentIndex() : -1; }
    void select(int index) const
    {
        if (tabs)
            tabs->setCurrentIndex(index);
        else if (combo)
            combo->setCurrentIndex(index);
    }
};

enum SelectorId {
    ControlsTab,
    ExperimentSubTab,
    PotentialSubTab,
    TimeDependentSubTab,
    AnalysisOuterTab,
    AnalysisPage,
    HelpLanguageTab,
    SelectorCount
};

// In the order the keys are written.
std::array<IndexSelector, SelectorCount> indexSelectors(const Ui::MainWindow* ui)
{
    return {{
        {QStringLiteral("controlsTab"), ui->controlsTabWidget, nullptr},
        {QStringLiteral("experimentSubTab"), ui->experimentSubTabWidget, nullptr},
        {QStringLiteral("potentialSubTab"), ui->potentialSubTabWidget, nullptr},
        {QStringLiteral("timeDependentSubTab"), ui->timeDependentSubTabWidget, nullptr},
        {QStringLiteral("analysisOuterTab"), ui->analysisTabWidget, nullptr},
        {QStringLiteral("analysisPage"), nullptr, ui->analysisPageComboBox},
        {QStringLiteral("helpLanguageTab"), ui->helpLanguageTabWidget, nullptr},
    }};
}

// Restoring selects the outer analysis tab after the page; resetting selects
// the help language last.
constexpr SelectorId kRestoreOrder[] = {ControlsTab,     ExperimentSubTab, PotentialSubTab, TimeDependentSubTab,
                                        HelpLanguageTab, AnalysisPage,     AnalysisOuterTab};
constexpr SelectorId kResetOrder[] = {ControlsTab,  ExperimentSubTab, PotentialSubTab, TimeDependentSubTab,
                                      AnalysisPage, AnalysisOuterTab, HelpLanguageTab};

// Version of the dock and toolbar layout written by saveState.
constexpr int kWindowStateVersion = 1;

} // namespace

std::array<std::pair<QDockWidget*, QAction*>, 5> MainWindow::dockActionPairs() const
{
    return {{
        {ui->controlsDockWidget, ui->actionControlsDock},
        {ui->timeDockWidget, ui->actionTimeDock},
        {ui->diagnosticsDockWidget, ui->actionDiagnosticsDock},
        {ui->helpDockWidget, ui->actionHelpDock},
        {ui->analysisDockWidget, ui->actionAnalysisDock},
    }};
}

QRect MainWindow::availableScreenGeometry() const
{
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown ? shown->availableGeometry() : QRect(QPoint(0, 0), formWindowSize);
}

QMargins MainWindow::windowFrameMargins() const
{
    // Asked of the window system's window, which then knows them too: it
    // places the frame by them when the window is moved.
    if (const QWindow* handle = windowHandle())
        return handle->frameMargins();
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

void MainWindow::placeFrame(const QRect& frame)
{
    const QMargins margins = windowFrameMargins();
    resize(frame.size().shrunkBy(margins));
    // A top-level window's position is its frame's: before the window is
    // shown this asks the window manager to put the frame there. Once framed,
    // a frame that stands elsewhere is moved through the window system's
    // window: the toolkit may take the position of a window it placed by its
    // frame before for the frame's.
    if (margins.isNull() || !windowHandle())
        move(frame.topLeft());
    else if (frameGeometry().topLeft() != frame.topLeft())
        windowHandle()->setFramePosition(frame.topLeft());
}

int MainWindow::screenWidthAround(const QRect& available)
{
    const QScreen* around = QGuiApplication::screenAt(available.center());
    if (around == nullptr)
        around = QGuiApplication::primaryScreen();
    return around ? around->geometry().width() : available.width();
}

QRect MainWindow::roomInside(const QRect& available) const
{
    // The window's room is the area less its frame, where a window manager
    // has framed it already.
    const QMargins frame = windowFrameMargins();
    QRect room = available.marginsRemoved(frame);
    // At a fractional scale the frame's margins are rounded to whole pixels
    // of the window's units: a pixel of the screen more on the right and
    // below keeps the rounded frame inside.
    if (!frame.isNull() && std::floor(devicePixelRatioF()) != devicePixelRatioF())
        room.adjust(0, 0, -1, -1);
    return room;
}

void MainWindow::fitToScreen(const QRect& available)
{
    fitToScreenKeepingClosed(available, {});
    // A new window opens on its controls; the experiment it then loads
    // brings its guide forward as Load does.
    ui->controlsDockWidget->raise();
}

void MainWindow::fitToScreenKeepingClosed(const QRect& available, const QList<QDockWidget*>& closed)
{
    const std::vector<std::pair<QDockWidget*, QRect>> floating = floatingDocks();
    if (available.isEmpty()) {
        layOutDocks(closed);
        floatAgain(floating);
        return;
    }
    const QRect room = roomInside(available);
    const QRect target = newWindowIn(room, formWindowSize).marginsAdded(windowFrameMargins());
    // The layout in force may hold the window above the target (the taller
    // layout of a larger screen): set the size again once the layout for the
    // target is in place, and size the docks for it.
    placeFrame(target);
    layOutDocks(closed);
    fitAnalysisMinimumToRoom(room.height());
    layout()->activate();
    placeFrame(target);
    layOutDocks(closed);
    floatAgain(floating);
    frameFitArea = windowFrameMargins().isNull() ? available : QRect();
    frameFitWithDefaultLayout = true;
    fittedWindowSize = size();
}

std::vector<std::pair<QDockWidget*, QRect>> MainWindow::floatingDocks() const
{
    std::vector<std::pair<QDockWidget*, QRect>> floating;
    for (const auto& pair : dockActionPairs()) {
        QDockWidget* dock = pair.first;
        if (dock->isFloating() && (!dock->isHidden() || floatingDocksHeldBack.contains(dock)))
            floating.emplace_back(dock, dock->geometry());
    }
    return floating;
}

void MainWindow::floatAgain(const std::vector<std::pair<QDockWidget*, QRect>>& docks)
{
    for (const auto& [dock, at] : docks) {
        dock->setFloating(true);
        dock->setGeometry(at);
        dock->setVisible(!floatingDocksHeldBack.contains(dock));
    }
    // Open, shown or held back.
    for (const auto& [dock, action] : dockActionPairs()) {
        const bool floating =
            std::any_of(docks.begin(), docks.end(), [dock = dock](const auto& kept) { return kept.first == dock; });
        if (floating) {
            const QSignalBlocker blocker(action);
            action->setChecked(true);
        }
    }
}

void MainWindow::placeInside(const QRect& window, const QMargins& margins, const QRect& available)
{
    // Before a window manager has framed the window its frame is not known:
    // the one the saved geometry tells is the best guess, and the window is
    // placed by its frame, so that the title bar comes where it was. Once
    // framed, the frame is fitted again where the guess was wrong.
    const bool framed = !windowFrameMargins().isNull() && windowHandle();
    const QMargins frame = framed ? windowFrameMargins() : margins;
    const QRect inside = clampedInside(window.marginsAdded(frame), available);
    const QSize size = inside.size().shrunkBy(frame).expandedTo(minimumSize());
    if (framed) {
        resize(size);
        if (frameGeometry().topLeft() != inside.topLeft())
            windowHandle()->setFramePosition(inside.topLeft());
    } else {
        // Not framed yet, the window system takes a position for the
        // window's own, whatever frame comes around it (X11 window managers
        // keep a window where it asks to be and put the frame around it):
        // the window goes inside the frame guessed.
        setGeometry(QRect(inside.topLeft() + QPoint(frame.left(), frame.top()), size));
    }
    frameFitArea = windowFrameMargins().isNull() ? available : QRect();
    frameFitWithDefaultLayout = false;
    fittedWindowSize = QSize();
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    if (!frameFitArea.isEmpty() && !windowFrameMargins().isNull())
        QTimer::singleShot(0, this, [this] { guarded([this] { fitFrameOnceFramed(); }); });
}

void MainWindow::fitFrameOnceFramed()
{
    if (frameFitArea.isEmpty() || windowFrameMargins().isNull())
        return;
    const QRect area = frameFitArea;
    frameFitArea = QRect();
    // A maximised or full-screen window is the window manager's to place.
    if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen) || area.contains(frameGeometry()))
        return;
    if (frameFitWithDefaultLayout) {
        fitToScreenKeepingClosed(area, closedDocks());
    } else {
        // The frame, known now, takes its share of a short screen too; the
        // room holds the frame rounded at a fractional scale.
        const QRect room = roomInside(area);
        fitAnalysisMinimumToRoom(room.height());
        placeFrame(clampedInside(frameGeometry(), room.marginsAdded(windowFrameMargins())));
    }
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    const QSize before = event->oldSize();
    guarded([this, before] { fitDockLayoutToNewSize(before); });
    if (!frameFitArea.isEmpty() && !windowFrameMargins().isNull())
        QTimer::singleShot(0, this, [this] { guarded([this] { fitFrameOnceFramed(); }); });
}

void MainWindow::keepFloatingDocksInSight(const QRect& available, bool broughtHere)
{
    // The tab bars of docks tabbed together are children of the window.
    QList<QRect> bars;
    for (const QTabBar* bar : findChildren<QTabBar*>(QString(), Qt::FindDirectChildrenOnly))
        if (bar->isVisible())
            bars.append(QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size()));
    // The viewport and the plots of the analysis page docked in the window.
    QList<QRect> views;
    const auto addView = [&views](const QWidget* view) {
        const QRect shown = view->visibleRegion().boundingRect();
        if (view->isVisible() && !shown.isEmpty())
            views.append(QRect(view->mapToGlobal(shown.topLeft()), shown.size()));
    };
    addView(ui->quantumView);
    if (!ui->analysisDockWidget->isFloating())
        for (const QWidget* widget : ui->analysisDockWidget->findChildren<QWidget*>())
            if (dynamic_cast<const PlotWidget*>(widget) != nullptr)
                addView(widget);
    // A window manager brings a restored dock onto the screen itself, so a
    // dock brought from another screen counts as moved.
    for (const auto& pair : dockActionPairs()) {
        QDockWidget* dock = pair.first;
        if (!dock->isFloating())
            continue;
        const QRect at = floatingDockPlace(dock->geometry(), available, bars, views, broughtHere);
        if (at != dock->geometry())
            dock->setGeometry(at);
    }
}

void MainWindow::saveGuiState()
{
    if (!persistGuiState)
        return;
    const SavedLayoutFile file;
    if (file.settings() == nullptr) {
        reportSettingsLock(QStringLiteral("saved"), file.lockInTheWay());
        return;
    }
    QSettings& settings = *file.settings();
    settings.beginGroup(kSettingsGroup);
    storeSavedLayout(settings, saveGeometry(), saveState(kWindowStateVersion));
    for (const IndexSelector& selector : indexSelectors(ui.get()))
        if (selector.count() > 0)
            settings.setValue(selector.key, selector.index());
    settings.endGroup();
    settings.sync();
}

void MainWindow::restoreGuiState(const QRect& available)
{
    if (!persistGuiState)
        return;
    const SavedLayoutFile file;
    if (file.settings() == nullptr) {
        reportSettingsLock(QStringLiteral("restored"), file.lockInTheWay());
        return;
    }
    QSettings& settings = *file.settings();
    settings.beginGroup(kSettingsGroup);

    QStringList dockNames;
    for (const auto& pair : dockActionPairs())
        dockNames.append(pair.first->objectName());
    const SavedLayout saved = loadSavedLayout(settings, kWindowStateVersion, dockNames);
    std::optional<SavedLayoutRestoring> restoring;
    if (!saved.geometry.isEmpty() || !saved.dockState.isEmpty())
        restoring.emplace(settings);
    const std::optional<SavedWindowPlacement> placement = savedWindowPlacement(saved.geometry);
    // A layout left on a screen of another width (a profile used on a laptop
    // and then on a projector), or one this screen cannot hold: the window is
    // fitted to this screen as a new window is, its docks arranged anew for
    // it.
    const bool anotherScreen =
        placement && !placement->maximized && !placement->fullScreen &&
        (placement->screenWidth != screenWidthAround(available) || placement->frame.width() > available.width() ||
         placement->frame.height() > available.height());
    bool geometryRestored = false;
    if (anotherScreen)
        fitToScreenKeepingClosed(available, closedDocks());
    else if (!saved.geometry.isEmpty() && restoreGeometry(saved.geometry))
        geometryRestored = true;

    const QByteArray& dockState = saved.dockState;
    if (!dockState.isEmpty() || saved.dockStateRefused) {
        // What the restored docks may need: the screen, or the layout in
        // force where even that does not fit the screen.
        const QSize room = available.size().expandedTo(layoutMinimumSize());
        if (!dockState.isEmpty() && restoreState(dockState, kWindowStateVersion))
            fitRestoredDocks(available, room, anotherScreen);
        else
            applyDefaultDockLayout();
    }
    // The restored docks on a short screen: the analysis page scrolls
    // rather than hold the window taller than the screen.
    fitAnalysisMinimumToRoom(roomInside(available).height());
    // A floating dock shown before the window would be stacked under it:
    // a window manager keeps a dock above its window only once it manages
    // the window. Shown once the window is (onWindowExposed).
    if (!isVisible()) {
        for (const auto& [dock, action] : dockActionPairs()) {
            if (dock->isFloating() && !dock->isHidden()) {
                dock->hide();
                floatingDocksHeldBack.append(dock);
            }
        }
        floatingDocksHeldBackArea = available;
        floatingDocksHeldBackCarried = anotherScreen;
    }
    // The window as it was left, now that the restored docks no longer hold
    // it to the size of the layout before them: where it was, its frame
    // inside the screen. A maximised or full-screen one is the window
    // manager's to place.
    if (geometryRestored && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        layout()->activate();
        if (placement)
            placeInside(placement->normal, placement->frameMargins(), available);
        else
            placeInside(geometry(), windowFrameMargins(), available);
    } else if (anotherScreen) {
        layout()->activate();
        placeFrame(clampedInside(QRect(pos(), size().grownBy(windowFrameMargins())), available));
    }
    restoring.reset();

    const auto selectors = indexSelectors(ui.get());
    for (SelectorId id : kRestoreOrder) {
        const IndexSelector& selector = selectors[id];
        const int count = selector.count();
        if (count <= 0)
            continue;
        bool isNumber = false;
        int index = settings.value(selector.key, selector.index()).toInt(&isNumber);
        if (!isNumber)
            index = 0;
        selector.select(std::clamp(index, 0, count - 1));
    }
    settings.endGroup();
}

void MainWindow::fitRestoredDocks(const QRect& available, const QSize& room, bool anotherScreen)
{
    defaultDockLayoutInForce = false;
    // The docks of an unshown window report no visibility change, so the
    // View actions are brought in line here: a dock saved hidden must not
    // come back with its action checked.
    for (const auto& [dock, action] : dockActionPairs()) {
        const QSignalBlocker blocker(action);
        action->setChecked(!dock->isHidden());
    }
    // The state carries the corners of the window that saved it, and
    // floating docks where that screen had room.
    fitDockCornersToHeight();
    // Docks arranged for a larger screen may need more than this one has,
    // and docked ones arranged for another screen are arranged for this one:
    // the default layout instead (a dock the user closed kept closed on
    // another screen), floating docks kept floating.
    const QSize needed = layoutMinimumSize();
    const bool tooLarge = needed.width() > room.width() || needed.height() > room.height();
    if (tooLarge || anotherScreen) {
        const std::vector<std::pair<QDockWidget*, QRect>> floating = floatingDocks();
        if (tooLarge)
            applyDefaultDockLayout();
        else
            layOutDocks(closedDocks());
        floatAgain(floating);
    } else {
        fitSideColumnsToWidth();
        // The restored docks stay as they are when a frame comes.
        frameFitWithDefaultLayout = false;
    }
    keepFloatingDocksInSight(available, anotherScreen);
}

void MainWindow::onWindowExposed()
{
    if (!frameFitArea.isEmpty() && !windowFrameMargins().isNull())
        QTimer::singleShot(0, this, [this] { guarded([this] { fitFrameOnceFramed(); }); });
    if (floatingDocksHeldBack.isEmpty())
        return;
    const QList<QDockWidget*> docks = std::exchange(floatingDocksHeldBack, {});
    for (QDockWidget* dock : docks) {
        if (dock->isFloating()) {
            dock->show();
            dock->raise();
        }
    }
    // Inside the area they were restored into (shown, they take the place
    // they were saved with again), and clear of the tab bars where the
    // window's layout has put them by now.
    const QRect area = std::exchange(floatingDocksHeldBackArea, QRect());
    const bool carried = std::exchange(floatingDocksHeldBackCarried, false);
    keepFloatingDocksInSight(area, carried);
    QTimer::singleShot(0, this,
                       [this, area, carried] { guarded([this, area, carried] { keepFloatingDocksInSight(area, carried); }); });
}

void MainWindow::fitToChangedScreen(const QRect& previousScreen)
{
    const QRect available = availableScreenGeometry();
    if (available.isEmpty() || isMinimized())
        return;
    // A maximised or full-screen window is the window manager's to fit.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const QRect frame = frameGeometry();
        const bool anotherScreen = previousScreen.width() != screenWidthAround(available) ||
                                   frame.width() > available.width() || frame.height() > available.height();
        // A window the program fitted, and the user has not sized since,
        // takes what a new window takes on the screen as it now is: also
        // when the screen grows back (a projector unplugged).
        const QRect room = roomInside(available);
        const QRect fitted = newWindowIn(room, formWindowSize);
        const bool refit = !fittedWindowSize.isEmpty() && size() == fittedWindowSize && size() != fitted.size();
        if (anotherScreen || refit) {
            // The user's own arrangement of the docks is kept where the
            // screen holds it, until Reset Window Layout.
            fitAnalysisMinimumToRoom(room.height());
            const QSize needed = layoutMinimumSize();
            if (defaultDockLayoutInForce || needed.width() > room.width() || needed.height() > room.height()) {
                fitToScreenKeepingClosed(available, closedDocks());
            } else {
                placeFrame(fitted.marginsAdded(windowFrameMargins()));
                fittedWindowSize = size();
            }
        } else if (!available.contains(frame)) {
            placeFrame(clampedInside(frame, available));
        }
    }
    // On a smaller screen the window manager may already have brought the
    // floating docks inside it, over the views.
    const QScreen* shown = screen();
    const QSize now = shown ? shown->geometry().size() : previousScreen.size();
    keepFloatingDocksInSight(available, now.width() < previousScreen.width() || now.height() < previousScreen.height());
}

void MainWindow::resetWindowLayout()
{
    if (persistGuiState) {
        const SavedLayoutFile file;
        if (QSettings* settings = file.settings()) {
            settings->beginGroup(kSettingsGroup);
            settings->remove(QString());
            settings->endGroup();
            settings->sync();
        } else {
            reportSettingsLock(QStringLiteral("erased"), file.lockInTheWay());
        }
    }
    // Whatever the saved layout, or a change of screen, did to the window,
    // its frame, title bar included, comes back inside the screen it is on
    // now, at the size it has where that fits, else fitted to the screen as
    // a new window is.
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        const QRect available = availableScreenGeometry();
        const QRect frame = frameGeometry();
        const bool fits = frame.width() <= available.width() && frame.height() <= available.height();
        if (fits && !available.contains(frame))
            placeFrame(clampedInside(frame, available));
        applyDefaultDockLayout();
        // The default layout may need more height than the window had.
        if (!fits || !available.contains(frameGeometry()))
            fitToScreenKeepingClosed(available, {});
    } else {
        applyDefaultDockLayout();
    }
    ui->controlsDockWidget->raise();
    const auto selectors = indexSelectors(ui.get());
    for (SelectorId id : kResetOrder)
        if (selectors[id].count() > 0)
            selectors[id].select(0);
}

void MainWindow::reportSettingsLock(const QString& what, const QString& lock)
{
    if (lock.isEmpty() || settingsLockReported)
        return;
    settingsLockReported = true;
    // Until the next status: the window has just come up, or is being reset.
    showStatusMessage(QStringLiteral("The saved window layout was not %1: the settings lock %2 is in the way.")
                          .arg(what, elideForDisplay(lock)),
                      0);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    guarded([this] { saveGuiState(); });
    QMainWindow::closeEvent(event);
}

void MainWindow::changeEvent(QEvent* event)
{
    guarded([this, event] {
        if (event->type() != QEvent::WindowStateChange)
            return;
        const bool wasMinimized = static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized;
        const bool minimized = isMinimized();
        if (!wasMinimized && minimized) {
            const auto pairs = dockActionPairs();
            for (std::size_t i = 0; i < pairs.size(); ++i)
                dockVisibleBeforeMinimize[i] = pairs[i].second->isChecked();
        } else if (wasMinimized && !minimized) {
            // After the toolkit has shown the window again, which would
            // otherwise show every dock it hid with it.
            QTimer::singleShot(0, this, [this] { guarded([this] { restoreDockVisibility(); }); });
        }
    });
    QMainWindow::changeEvent(event);
}

void MainWindow::connectDockVisibility(QDockWidget* dock, QAction* action)
{
    // A dock the user moves, floats or docks again makes the arrangement
    // the user's, kept as it is until Reset Window Layout. A floated dock
    // stays above the window and clear of the tab bars once the window has
    // laid out what it left.
    connect(dock, &QDockWidget::dockLocationChanged, this, [this] {
        if (!arrangingDocks)
            defaultDockLayoutInForce = false;
    });
    connect(dock, &QDockWidget::topLevelChanged, this, [this, dock](bool floating) {
        if (!arrangingDocks)
            defaultDockLayoutInForce = false;
        if (floating)
            QTimer::singleShot(0, this, [this, dock] {
                guarded([this, dock] {
                    keepFloatingDocksInSight(availableScreenGeometry());
                    if (dock->isFloating() && dock->isVisible())
                        dock->raise();
                });
            });
    });
    connect(dock, &QDockWidget::visibilityChanged, this,
            [this, dock, action] { guarded([this, dock, action] { onDockVisibilityChanged(dock, action); }); });
    // Shown from the View menu, a dock that is a tab of a column comes to the
    // front: behind another tab it would stay out of sight.
    connect(action, &QAction::triggered, this, [dock](bool checked) {
        if (checked)
            dock->raise();
    });
}

void MainWindow::onDockVisibilityChanged(QDockWidget* dock, QAction* action)
{
    // Minimising hides every dock with the window; that is not the user's choice.
    if (isMinimized())
        return;
    // The action tells whether the dock is open. The toolkit also reports a
    // dock invisible when another tab of its column comes in front of it; it
    // is still open there, and its action stays checked.
    const QSignalBlocker blocker(action);
    action->setChecked(!dock->isHidden());
}

void MainWindow::restoreDockVisibility()
{
    const auto pairs = dockActionPairs();
    for (std::size_t i = 0; i < pairs.size(); ++i)
        pairs[i].second->setChecked(dockVisibleBeforeMinimize[i]);
    for (std::size_t i = 0; i < pairs.size(); ++i)
        pairs[i].first->setVisible(dockVisibleBeforeMinimize[i]);
}

} // namespace vxo
