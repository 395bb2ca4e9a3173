#include "app/mainwindow/MainWindow.h"

#include "app/mainwindow/SavedLayout.h"
#include "ui/MainWindowForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QResizeEvent>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QWindowStateChangeEvent>

#include <algorithm>
#include <optional>

namespace vxo {

namespace {

const QString kSettingsGroup = QStringLiteral("MainWindow");
constexpr int kDefaultAnalysisDockHeight = 420;
constexpr int kDefaultRightColumnWidth = 460;
// Time, diagnostics and help dock, top to bottom; a time dock that needs
// more takes it from the other two in proportion.
const QList<int> kDefaultRightDockHeights = {250, 245, 230};
// In a window shorter than the form the analysis dock takes this share of the
// height: on a 1080 px screen the tallest plot of the analysis pages fits its
// dock whole, the viewport keeps the rest; on a shorter screen the viewport's
// minimum caps it and the page scrolls.
constexpr double kShortWindowAnalysisShare = 0.58;

// `window` no larger than `available` and moved inside it.
QRect clampedInside(const QRect& window, const QRect& available)
{
    const QSize size = window.size().boundedTo(available.size());
    const int x = std::clamp(window.x(), available.left(), available.left() + available.width() - size.width());
    const int y = std::clamp(window.y(), available.top(), available.top() + available.height() - size.height());
    return QRect(QPoint(x, y), size);
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

QList<QDockWidget*> MainWindow::rightColumnDocks() const
{
    return {ui->timeDockWidget, ui->diagnosticsDockWidget, ui->helpDockWidget};
}

QRect MainWindow::availableScreenGeometry() const
{
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    return shown ? shown->availableGeometry() : QRect(QPoint(0, 0), formWindowSize);
}

void MainWindow::fitToScreen(const QRect& available)
{
    if (available.isEmpty()) {
        applyDefaultDockLayout();
        return;
    }
    const QRect form(available.topLeft(), formWindowSize);
    const QRect target = available.contains(form) ? form : available;
    // The layout in force may hold the window above the target (the taller
    // layout of a larger screen): set the size again once the layout for the
    // target is in place.
    setGeometry(target);
    applyDefaultDockLayout();
    layout()->activate();
    setGeometry(target);
}

void MainWindow::fitDockCornersToHeight()
{
    // Below the form's height the analysis dock under the whole width would
    // leave the side columns too short for their docks: they take the
    // bottom corners and the analysis dock sits under the viewport.
    const bool shortWindow = height() < formWindowSize.height();
    const Qt::DockWidgetArea left = shortWindow ? Qt::LeftDockWidgetArea : Qt::BottomDockWidgetArea;
    const Qt::DockWidgetArea right = shortWindow ? Qt::RightDockWidgetArea : Qt::BottomDockWidgetArea;
    // Setting a corner lays the window out again: only on a change.
    if (corner(Qt::BottomLeftCorner) != left)
        setCorner(Qt::BottomLeftCorner, left);
    if (corner(Qt::BottomRightCorner) != right)
        setCorner(Qt::BottomRightCorner, right);
}

QList<int> MainWindow::sideColumnWidths() const
{
    // The right column is wide enough for the diagnostics' value column
    // beside its section and parameter columns, which size to their contents.
    const int leftPreferred = ui->controlsDockWidget->sizeHint().width();
    const int leftMinimum = ui->controlsDockWidget->minimumWidth();
    int rightMinimum = 0;
    for (const QDockWidget* dock : {ui->timeDockWidget, ui->diagnosticsDockWidget, ui->helpDockWidget})
        rightMinimum = std::max(rightMinimum, dock->minimumWidth());
    const int rightPreferred = std::max(kDefaultRightColumnWidth, rightMinimum);
    // The middle column holds the transport row over the viewport and the
    // analysis dock; two separators part it from the side columns.
    const int middle = middleColumnMinimumWidth();
    const int separators = 2 * dockSeparatorWidth();
    const int shortfall = leftPreferred + rightPreferred + middle + separators - width();
    if (shortfall <= 0)
        return {leftPreferred, rightPreferred};
    // A narrower window takes the shortfall from both side columns in
    // proportion to what each can give.
    const int leftSlack = std::max(0, leftPreferred - leftMinimum);
    const int rightSlack = std::max(0, rightPreferred - rightMinimum);
    const int slack = leftSlack + rightSlack;
    if (shortfall >= slack)
        return {leftMinimum, rightMinimum};
    const int fromLeft = static_cast<int>(static_cast<long long>(shortfall) * leftSlack / slack);
    return {leftPreferred - fromLeft, rightPreferred - (shortfall - fromLeft)};
}

bool MainWindow::roomForBothSideColumns() const
{
    int rightMinimum = 0;
    for (const QDockWidget* dock : rightColumnDocks())
        rightMinimum = std::max(rightMinimum, dock->minimumWidth());
    return ui->controlsDockWidget->minimumWidth() + middleColumnMinimumWidth() + rightMinimum +
               2 * dockSeparatorWidth() <=
           width();
}

int MainWindow::middleColumnMinimumWidth() const
{
    // The transport row over the viewport, and the analysis dock under them.
    return std::max(centralWidget()->minimumSizeHint().width(), ui->analysisDockWidget->minimumWidth());
}

int MainWindow::dockSeparatorWidth() const
{
    return style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
}

bool MainWindow::sideColumnsMerged() const
{
    if (dockWidgetArea(ui->controlsDockWidget) != Qt::LeftDockWidgetArea)
        return false;
    const QList<QDockWidget*> tabbed = tabifiedDockWidgets(ui->controlsDockWidget);
    const QList<QDockWidget*> right = rightColumnDocks();
    return std::all_of(right.begin(), right.end(), [&tabbed](QDockWidget* dock) { return tabbed.contains(dock); });
}

void MainWindow::fitSideColumnsToWidth()
{
    // The one column of a narrow window goes back to two once both fit;
    // docks that no longer fit side by side are merged into one column.
    const bool merged = sideColumnsMerged();
    const bool room = roomForBothSideColumns();
    if (!(merged && room) && !(!merged && !room && layoutMinimumSize().width() > width()))
        return;
    // Rearranging passes through layouts that may hold the window above the
    // size it was given: that size again once the docks are in place.
    const QSize wanted = size();
    applyDefaultDockLayout();
    layout()->activate();
    if (size() != wanted)
        resize(wanted.expandedTo(minimumSize()));
}

void MainWindow::applyDefaultDockLayout()
{
    const QList<QDockWidget*> rightDocks = rightColumnDocks();

    fitDockCornersToHeight();
    // Where the window is narrower than both side columns beside the
    // viewport need (a 1024 or 1280 px projector), the time, diagnostics and
    // help docks become tabs of the controls column: every dock stays
    // reachable and none is pushed off the screen.
    const bool oneSideColumn = !roomForBothSideColumns();

    addDockWidget(Qt::LeftDockWidgetArea, ui->controlsDockWidget);
    ui->controlsDockWidget->setFloating(false);
    ui->controlsDockWidget->show();

    for (QDockWidget* dock : rightDocks) {
        // Straight into the controls column's tabs: stacked there first,
        // the column would need the height of all four docks.
        if (oneSideColumn)
            tabifyDockWidget(ui->controlsDockWidget, dock);
        else
            addDockWidget(Qt::RightDockWidgetArea, dock);
        dock->setFloating(false);
    }
    if (!oneSideColumn) {
        splitDockWidget(ui->timeDockWidget, ui->diagnosticsDockWidget, Qt::Vertical);
        splitDockWidget(ui->diagnosticsDockWidget, ui->helpDockWidget, Qt::Vertical);
    }
    for (QDockWidget* dock : rightDocks)
        dock->show();
    ui->controlsDockWidget->raise();
    // Column widths apply to a laid-out window only; a window not yet shown
    // would otherwise take its docks' preferred widths whatever its width.
    layout()->activate();
    if (oneSideColumn) {
        const int room = width() - middleColumnMinimumWidth() - dockSeparatorWidth();
        const int left =
            std::clamp(room, ui->controlsDockWidget->minimumWidth(),
                       std::max(ui->controlsDockWidget->minimumWidth(), ui->controlsDockWidget->sizeHint().width()));
        resizeDocks({ui->controlsDockWidget}, {left}, Qt::Horizontal);
    } else {
        resizeDocks(rightDocks, kDefaultRightDockHeights, Qt::Vertical);
        resizeDocks({ui->controlsDockWidget, ui->diagnosticsDockWidget}, sideColumnWidths(), Qt::Horizontal);
    }

    addDockWidget(Qt::BottomDockWidgetArea, ui->analysisDockWidget);
    ui->analysisDockWidget->setFloating(false);
    ui->analysisDockWidget->show();
    // 420 px leave the analysis page's plot about 220 px under its controls
    // and summary; at 240 px the plots were squeezed to a strip. The right
    // column above is sized so that both fit the form's 1216 px.
    resizeDocks({ui->analysisDockWidget}, {defaultAnalysisDockHeight()}, Qt::Vertical);

    for (const auto& pair : dockActionPairs())
        pair.second->setChecked(true);
}

int MainWindow::defaultAnalysisDockHeight() const
{
    return height() < formWindowSize.height()
               ? std::max(kDefaultAnalysisDockHeight, static_cast<int>(kShortWindowAnalysisShare * height()))
               : kDefaultAnalysisDockHeight;
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    const QSize before = event->oldSize();
    guarded([this, before] { fitDockLayoutToNewSize(before); });
}

void MainWindow::fitDockLayoutToNewSize(const QSize& before)
{
    fitDockCornersToHeight();
    // Docks are moved between areas and tabs only outside the toolkit's own
    // layout pass, which this resize is part of; a change of height alone
    // leaves the columns as they are.
    if (before.width() != width() && !sideColumnsFitPending) {
        sideColumnsFitPending = true;
        QTimer::singleShot(0, this, [this] {
            sideColumnsFitPending = false;
            guarded([this] { fitSideColumnsToWidth(); });
        });
    }
    // Not on the first size of a window being shown: a restored layout keeps
    // the dock sizes it was saved with.
    if (!before.isValid())
        return;
    const auto docked = [this](QDockWidget* dock, Qt::DockWidgetArea area) {
        return !dock->isHidden() && !dock->isFloating() && dockWidgetArea(dock) == area;
    };
    // A window growing back after a shrink gives its docks their room again:
    // side columns widened up to what the default layout gives them at this
    // size (a narrower dock the user chose is widened no further), the right
    // column shared again as by default, the analysis dock up to its default
    // height.
    if (width() > before.width() && docked(ui->controlsDockWidget, Qt::LeftDockWidgetArea) &&
        docked(ui->diagnosticsDockWidget, Qt::RightDockWidgetArea)) {
        const QList<int> preferred = sideColumnWidths();
        const int left = ui->controlsDockWidget->width();
        const int right = ui->diagnosticsDockWidget->width();
        if (left < preferred[0] || right < preferred[1])
            resizeDocks({ui->controlsDockWidget, ui->diagnosticsDockWidget},
                        {std::max(left, preferred[0]), std::max(right, preferred[1])}, Qt::Horizontal);
    }
    const QList<QDockWidget*> rightDocks = rightColumnDocks();
    if (height() > before.height() && std::all_of(rightDocks.begin(), rightDocks.end(), [&docked](QDockWidget* dock) {
            return docked(dock, Qt::RightDockWidgetArea);
        }))
        resizeDocks(rightDocks, kDefaultRightDockHeights, Qt::Vertical);
    if (height() > before.height() && docked(ui->analysisDockWidget, Qt::BottomDockWidgetArea)) {
        const int preferred = defaultAnalysisDockHeight();
        if (ui->analysisDockWidget->height() < preferred)
            resizeDocks({ui->analysisDockWidget}, {preferred}, Qt::Vertical);
    }
}

QSize MainWindow::layoutMinimumSize()
{
    layout()->activate();
    return layout()->totalMinimumSize();
}

void MainWindow::clampFloatingDocks(const QRect& available)
{
    for (const auto& pair : dockActionPairs()) {
        QDockWidget* dock = pair.first;
        if (dock->isFloating())
            dock->setGeometry(clampedInside(dock->geometry(), available));
    }
}

void MainWindow::saveGuiState()
{
    if (!persistGuiState)
        return;
    const SavedLayoutFile file;
    if (file.settings() == nullptr)
        return;
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
    if (file.settings() == nullptr)
        return;
    QSettings& settings = *file.settings();
    settings.beginGroup(kSettingsGroup);

    QStringList dockNames;
    for (const auto& pair : dockActionPairs())
        dockNames.append(pair.first->objectName());
    const SavedLayout saved = loadSavedLayout(settings, kWindowStateVersion, dockNames);
    std::optional<SavedLayoutRestoring> restoring;
    if (!saved.geometry.isEmpty() || !saved.dockState.isEmpty())
        restoring.emplace(settings);
    // A layout saved on a larger screen would hide controls and the status
    // bar below or beside this one.
    if (!saved.geometry.isEmpty() && restoreGeometry(saved.geometry))
        setGeometry(clampedInside(geometry(), available));
    const QByteArray& dockState = saved.dockState;
    if (!dockState.isEmpty() || saved.dockStateRefused) {
        // What the restored docks may need: the screen, or the layout in
        // force where even that does not fit the screen.
        const QSize room = available.size().expandedTo(layoutMinimumSize());
        if (!dockState.isEmpty() && restoreState(dockState, kWindowStateVersion)) {
            // The docks of an unshown window report no visibility change, so
            // the View actions are brought in line here: a dock saved hidden
            // must not come back with its action checked.
            for (const auto& [dock, action] : dockActionPairs()) {
                const QSignalBlocker blocker(action);
                action->setChecked(!dock->isHidden());
            }
            // The state carries the corners of the window that saved it, and
            // floating docks where that screen had room.
            fitDockCornersToHeight();
            clampFloatingDocks(available);
            // Docks arranged for a larger screen may need more than this one
            // has: the default layout instead.
            const QSize needed = layoutMinimumSize();
            if (needed.width() > room.width() || needed.height() > room.height())
                applyDefaultDockLayout();
            else
                fitSideColumnsToWidth();
        } else {
            applyDefaultDockLayout();
        }
        // The restored layout's minimum may have pushed the window past the
        // screen while it was being restored.
        layout()->activate();
        setGeometry(clampedInside(geometry(), available));
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

void MainWindow::resetWindowLayout()
{
    if (persistGuiState) {
        const SavedLayoutFile file;
        if (QSettings* settings = file.settings()) {
            settings->beginGroup(kSettingsGroup);
            settings->remove(QString());
            settings->endGroup();
            settings->sync();
        }
    }
    applyDefaultDockLayout();
    const auto selectors = indexSelectors(ui.get());
    for (SelectorId id : kResetOrder)
        if (selectors[id].count() > 0)
            selectors[id].select(0);
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
