#include "app/mainwindow/MainWindow.h"

#include "app/form/CurrentPageScroller.h"
#include "app/form/PageChooserCorner.h"
#include "app/form/SideBySideRows.h"
#include "app/form/DiagnosticsPresentation.h"
#include "app/form/DockContentsHeight.h"
#include "app/mainwindow/WindowScreenWatch.h"
#include "app/text/DiagnosticsRowOrder.h"

#include "document/ExperimentCatalogue.h"
#include "ui/MainWindowForm.h"

#include <QAction>
#include <QComboBox>
#include <QFont>
#include <QLayout>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

// The lines of the guide on show at least, wherever its dock stands.
constexpr int kReadableGuideLines = 8;

// Puts a dock's contents in a scroll area of their own: a column narrower or
// shorter than they need scrolls instead of cutting them, and asks no room of
// its own in the dock area (what the contents need to be read unscrolled is
// what the dock layout gives the dock where it can: readableDockMinimum).
QScrollArea* scrollDockContents(QDockWidget* dock, const QString& name)
{
    QWidget* contents = dock->widget();
    auto* scroller = new QScrollArea(dock);
    scroller->setObjectName(name);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    dock->setWidget(scroller);
    scroller->setWidget(contents);
    return scroller;
}

// Widgets of pages not yet shown report the sizes they had before the style
// sheet polished them, and their layouts keep those: a dock then widens the
// first time a wider page is shown. Polished, and the cached sizes dropped
// from the innermost widget out, the pages give their true minima at once.
void settlePageSizes(QWidget* root)
{
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* widget : widgets)
        widget->ensurePolished();
    for (auto widget = widgets.rbegin(); widget != widgets.rend(); ++widget)
        (*widget)->updateGeometry();
    for (QLayout* layout : root->findChildren<QLayout*>())
        layout->invalidate();
}

} // namespace

MainWindow::MainWindow(QWidget* parent, bool persistGuiState)
    : QMainWindow(parent), ui(std::make_unique<Ui::MainWindow>()), runTimer(new QTimer(this)),
      cellsCheckTimer(new QTimer(this)),
      persistGuiState(persistGuiState)
{
    runTimer->setObjectName(QStringLiteral("runTimer"));
    setupForm(*ui, *this);
    formWindowSize = size();
    formAnalysisMinimumHeight = ui->analysisDockWidget->minimumHeight();
    // The height is the layout's, which follows the docks. Below the width
    // both side columns need beside the viewport they become one column
    // (fitSideColumnsToWidth); the window is never narrower than that column
    // beside the middle one, nor than the form's minimum.
    setMinimumHeight(0);
    // The detector mode keeps its items whole: where the controls dock is too
    // narrow for it beside its label, its row puts it under the label. (A
    // combo box's minimum is a fraction of its items.)
    ui->measurementModeComboBox->setMinimumWidth(ui->measurementModeComboBox->sizeHint().width());
    // The four control tabs side by side in the controls dock's width: with
    // the application's padding the last was cut behind scroll arrows.
    ui->controlsTabWidget->tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab { padding-left: 7px; padding-right: 7px; }"));
    settlePageSizes(ui->controlsDockContents);
    scrollSideDocks();

    setupAnalysisPages();
    setupExperimentLibrary();
    updateWindowTitle();
    helpItalianBaseHtml = ui->helpItalianBrowser->toHtml();
    helpEnglishBaseHtml = ui->helpEnglishBrowser->toHtml();
    setupHelpMenu();
    // As narrow as a side column squeezed to its least width beside the
    // middle column: a 1024 px projector with its text enlarged by a quarter
    // (819 logical px) holds the window.
    setMinimumWidth(
        std::max(minimumWidth(), kLeastSideColumnWidth + dockSeparatorWidth() + middleColumnMinimumWidth()));
    // The diagnostics and the guide before the window is fitted to its
    // screen: what they need to stay readable decides the dock layout.
    setupDiagnosticsTable();
    diagnosticsPresentation = new DiagnosticsPresentation(
        ui->diagnosticsTable,
        [table = ui->diagnosticsTable] {
            return diagnosticsRowOrder([table](int row) {
                const QTableWidgetItem* value = table->item(row, 2);
                return value ? value->text() : QString();
            });
        },
        diagnosticsRowDecidesOrder);
    // A reference text wrapped over several lines needs a taller time dock.
    new DockContentsHeight(ui->timeDockWidget);
    for (QTextBrowser* guide : {ui->helpItalianBrowser, ui->helpEnglishBrowser})
        guide->setMinimumHeight(kReadableGuideLines * guide->fontMetrics().lineSpacing() + 2 * guide->frameWidth() +
                                2 * static_cast<int>(std::ceil(guide->document()->documentMargin())));
    // Polished, the time dock's styled labels and the guide's tabs give the
    // heights the shown window will have: the layout is chosen by them.
    for (QWidget* contents : {ui->timeDockContents, ui->diagnosticsDockContents, ui->helpDockContents})
        settlePageSizes(contents);
    fitToScreen(availableScreenGeometry());
    new WindowScreenWatch(
        this, [this] { guarded([this] { onWindowExposed(); }); },
        [this](const QRect& previousScreen) {
            guarded([this, previousScreen] { fitToChangedScreen(previousScreen); });
        });
    for (const auto& [dock, action] : dockActionPairs())
        connectDockVisibility(dock, action);
    // Diagnostics leaves out the readings that no one can see (the spinor's
    // energies); coming into sight, it takes them.
    connect(ui->diagnosticsDockWidget, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && !applyingExperiment)
            guarded([this] { writeDiagnosticsTable(); });
    });
    // A timed notice that runs out leaves the status bar empty: the status
    // line comes back, also while the run stands still.
    connect(ui->statusBar, &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty() && !applyingExperiment)
            guarded([this] { updateDiagnostics(); });
    });
    setupViewMenu();

    solver.configure(SplitStepParameters{1.0f, 1.0f, 0.02f});
    runTimer->setInterval(TransportClock::kTickBaseMs);
    connect(runTimer, &QTimer::timeout, this, [this] { guarded([this] { onSimulationTick(); }); });
    cellsCheckTimer->setObjectName(QStringLiteral("cellsCheckTimer"));
    connect(cellsCheckTimer, &QTimer::timeout, this, [this] { guarded([this] { advanceCellsCheck(); }); });

    connectControls();
    setupViewportEditing();
    connectGeometryAndTransport();

    transport.setSpeed(speedFactor());
    updateTimerInterval();
    // The display preset refreshes the views and the first rebuild runs the
    // numerics: a failure there is reported in the status bar and leaves a
    // usable window.
    guarded([this] { applyGraphicsPreset(ui->graphicsPresetComboBox->currentIndex()); });
    updateHelpTexts(ui->experimentPresetComboBox->currentIndex());
    updateDomainSpacingLabel();
    refreshSceneObjectList(0);
    // Before the first load and the saved layout: the controls and tabs of a
    // new window, not the experiment's nor the user's.
    captureFreshControls();
    guarded([this] { startWithSelectedExperiment(); });

    if (this->persistGuiState)
        restoreGuiState(availableScreenGeometry());
}

MainWindow::~MainWindow()
{
    // Every handler reads members that are destroyed before the widget tree,
    // whose teardown still emits signals (docks hide, pages leave their
    // stacks): cut the handlers off first.
    runTimer->stop();
    const QList<QObject*> children = findChildren<QObject*>();
    for (QObject* child : children)
        QObject::disconnect(child, nullptr, this, nullptr);
}

void MainWindow::setupAnalysisPages()
{
    // The analysis tabs are read from a distance while the run goes on:
    // a larger, slightly heavier face than the controls.
    QFont font = ui->analysisTabWidget->font();
    const double size = font.pointSizeF() > 0.0 ? font.pointSizeF() : 9.0;
    font.setPointSizeF(std::max(size + 1.5, 10.5));
    font.setWeight(57);
    font.setStyleStrategy(QFont::PreferAntialias);
    ui->analysisTabWidget->setFont(font);

    QComboBox* const pages = ui->analysisPageComboBox;
    const QStackedWidget* const stack = ui->analysisStackedWidget;
    {
        const QSignalBlocker blocker(pages);
        pages->clear();
        for (int i = 0; i < stack->count(); ++i) {
            const QWidget* page = stack->widget(i);
            const QString title = page->windowTitle().trimmed();
            pages->addItem(title.isEmpty() ? page->objectName() : title);
        }
        pages->setCurrentIndex(stack->currentIndex());
    }
    analysisPageScroller = std::make_unique<CurrentPageScroller>(ui->analysisScrollArea, ui->analysisStackedWidget);
    new PageChooserCorner(ui->analysisTabWidget, ui->analysisPageTitleLabel, pages);
    new SideBySideRows(ui->crossSectionTab, ui->crossSectionControlsLayout, ui->crossSectionCurveLayout);
    connect(pages, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) { guarded([this, index] { setAnalysisPage(index); }); });
}

void MainWindow::setupExperimentLibrary()
{
    QComboBox* const library = ui->experimentPresetComboBox;
    {
        const QSignalBlocker blocker(library);
        const int previous = library->currentIndex();
        library->clear();
        for (std::uint32_t index = 0; index < presetCount(); ++index)
            library->addItem(QString::fromLatin1(makeExperimentPreset(index).title));
        if (library->count() > 0)
            library->setCurrentIndex(std::clamp(previous, 0, library->count() - 1));
    }
    experimentTitle = library->currentText();
    sourcePresetName = experimentTitle;
    const int selected = library->currentIndex();
    if (selected >= 0 && isValidPresetIndex(static_cast<std::uint32_t>(selected)))
        currentScale = makeExperimentPreset(static_cast<std::uint32_t>(selected)).realWorldScale;
}

void MainWindow::scrollSideDocks()
{
    // Three rows of tabs over the tallest Dynamics page need more height
    // than a 720 px screen leaves the controls column, and the time dock's
    // large figures more than the tab of a column as short as a 614-line
    // screen's: the docks scroll instead of pushing the window past the
    // screen. Where the window leaves the side column less than its widest
    // page (819 logical px), they scroll sideways too.
    QScrollArea* controls = scrollDockContents(ui->controlsDockWidget, QStringLiteral("controlsDockScrollArea"));
    // A docked dock adds no frame beside its widget.
    controlsReadableWidth =
        ui->controlsDockContents->minimumSizeHint().width() + controls->verticalScrollBar()->sizeHint().width();
    controls->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scrollDockContents(ui->timeDockWidget, QStringLiteral("timeDockScrollArea"));
    for (QDockWidget* dock : {ui->controlsDockWidget, ui->timeDockWidget}) {
        dock->setMinimumWidth(kLeastSideColumnWidth);
        dock->setMinimumHeight(0);
    }
}

void MainWindow::startWithSelectedExperiment()
{
    // The title, the library, the diagnostics and the guide name the
    // selected experiment: Play runs that experiment, not the form's defaults.
    const int selected = ui->experimentPresetComboBox->currentIndex();
    if (selected < 0 || !isValidPresetIndex(static_cast<std::uint32_t>(selected))) {
        rebuildSimulation();
        return;
    }
    const int analysisTab = ui->analysisTabWidget->currentIndex();
    // Loaded as the Load button loads it: where the guide shares a column
    // with the controls, the window opens on the guide, the controls and the
    // library a click away.
    loadGuidedExperiment(selected);
    ui->analysisTabWidget->setCurrentIndex(analysisTab);
    // The permanent status line, not the notice of a load nobody asked for.
    updateDiagnostics();
}

void MainWindow::setupViewMenu()
{
    ui->menuView->addSeparator();
    QAction* reset = ui->menuView->addAction(QStringLiteral("Reset Window Layout"));
    reset->setObjectName(QStringLiteral("actionResetWindowLayout"));
    reset->setToolTip(QStringLiteral("Restore the default dock and tab layout and clear the saved GUI state."));
    connect(reset, &QAction::triggered, this, [this] { guarded([this] { resetWindowLayout(); }); });
}

} // namespace vxo
