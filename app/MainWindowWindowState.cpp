#include "app/MainWindow.h"

#include "ui/MainWindowForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QEvent>
#include <QSettings>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QWindowStateChangeEvent>

#include <algorithm>

namespace vxo {

namespace {

const QString kSettingsGroup = QStringLiteral("MainWindow");
constexpr int kDefaultAnalysisDockHeight = 420;
constexpr int kDefaultRightColumnWidth = 460;

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

enum SelectorId { ControlsTab, ExperimentSubTab, PotentialSubTab, TimeDependentSubTab, AnalysisOuterTab,
                  AnalysisPage, HelpLanguageTab, SelectorCount };

// In the order the keys are written.
std::array<IndexSelector, SelectorCount> indexSelectors(const Ui::MainWindow& form)
{
    return {{
        {QStringLiteral("controlsTab"), form.controlsTabWidget, nullptr},
        {QStringLiteral("experimentSubTab"), form.experimentSubTabWidget, nullptr},
        {QStringLiteral("potentialSubTab"), form.potentialSubTabWidget, nullptr},
        {QStringLiteral("timeDependentSubTab"), form.timeDependentSubTabWidget, nullptr},
        {QStringLiteral("analysisOuterTab"), form.analysisTabWidget, nullptr},
        {QStringLiteral("analysisPage"), nullptr, form.analysisPageComboBox},
        {QStringLiteral("helpLanguageTab"), form.helpLanguageTabWidget, nullptr},
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

void MainWindow::applyDefaultDockLayout()
{
    QDockWidget* const rightDocks[] = {ui->timeDockWidget, ui->diagnosticsDockWidget, ui->helpDockWidget};

    addDockWidget(Qt::LeftDockWidgetArea, ui->controlsDockWidget);
    ui->controlsDockWidget->setFloating(false);
    ui->controlsDockWidget->show();

    for (QDockWidget* dock : rightDocks) {
        addDockWidget(Qt::RightDockWidgetArea, dock);
        dock->setFloating(false);
    }
    splitDockWidget(ui->timeDockWidget, ui->diagnosticsDockWidget, Qt::Vertical);
    splitDockWidget(ui->diagnosticsDockWidget, ui->helpDockWidget, Qt::Vertical);
    for (QDockWidget* dock : rightDocks)
        dock->show();
    resizeDocks({ui->timeDockWidget, ui->diagnosticsDockWidget, ui->helpDockWidget}, {250, 245, 230}, Qt::Vertical);
    // Wide enough for the diagnostics' value column beside its section and
    // parameter columns, which size to their contents.
    resizeDocks({ui->diagnosticsDockWidget}, {kDefaultRightColumnWidth}, Qt::Horizontal);

    addDockWidget(Qt::BottomDockWidgetArea, ui->analysisDockWidget);
    ui->analysisDockWidget->setFloating(false);
    ui->analysisDockWidget->show();
    // 420 px leave the analysis page's plot about 220 px under its controls
    // and summary; at 240 px the plots were squeezed to a strip. The right
    // column above is sized so that both fit the form's 1216 px.
    resizeDocks({ui->analysisDockWidget}, {kDefaultAnalysisDockHeight}, Qt::Vertical);

    for (const auto& pair : dockActionPairs())
        pair.second->setChecked(true);
}

void MainWindow::saveGuiState()
{
    if (!persistGuiState)
        return;
    QSettings settings;
    settings.beginGroup(kSettingsGroup);
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("windowState"), saveState(kWindowStateVersion));
    for (const IndexSelector& selector : indexSelectors(*ui))
        if (selector.count() > 0)
            settings.setValue(selector.key, selector.index());
    settings.endGroup();
    settings.sync();
}

void MainWindow::restoreGuiState()
{
    if (!persistGuiState)
        return;
    QSettings settings;
    settings.beginGroup(kSettingsGroup);

    const QByteArray geometry = settings.value(QStringLiteral("geometry")).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
    const QByteArray dockState = settings.value(QStringLiteral("windowState")).toByteArray();
    if (!dockState.isEmpty()) {
        if (restoreState(dockState, kWindowStateVersion)) {
            // The docks of an unshown window report no visibility change, so
            // the View actions are brought in line here: a dock saved hidden
            // must not come back with its action checked.
            for (const auto& [dock, action] : dockActionPairs()) {
                const QSignalBlocker blocker(action);
                action->setChecked(!dock->isHidden());
            }
        } else {
            applyDefaultDockLayout();
        }
    }

    const auto selectors = indexSelectors(*ui);
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
        QSettings settings;
        settings.beginGroup(kSettingsGroup);
        settings.remove(QString());
        settings.endGroup();
        settings.sync();
    }
    applyDefaultDockLayout();
    const auto selectors = indexSelectors(*ui);
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
            [this, action](bool visible) { guarded([this, action, visible] { onDockVisibilityChanged(action, visible); }); });
}

void MainWindow::onDockVisibilityChanged(QAction* action, bool visible)
{
    // Minimising hides every dock with the window; that is not the user's choice.
    if (isMinimized())
        return;
    const QSignalBlocker blocker(action);
    action->setChecked(visible);
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
