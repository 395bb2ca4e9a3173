#include "app/mainwindow/MainWindow.h"

#include "app/form/DiagnosticsPresentation.h"
#include "app/form/SharesWithFloors.h"
#include "ui/MainWindowForm.h"

#include <QDockWidget>
#include <QLayout>
#include <QMenuBar>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vxo {

namespace {

constexpr int kDefaultAnalysisDockHeight = 420;
constexpr int kDefaultRightColumnWidth = 500;
// Time, diagnostics and help dock, top to bottom, in these proportions; a
// dock that needs more (the time dock for its texts, the diagnostics for
// their first rows whole) takes it from the others in proportion.
const QList<int> kDefaultRightDockHeights = {250, 245, 230};
// The share of the window's height the viewport keeps above the analysis dock
// where the window is shorter than the form: the field's square is then 43%
// of the height of a 768 px screen under a title bar and 48% of a 1080 px
// one, where the analysis dock has its 420 px.
constexpr double kViewportShare = 0.45;
// What the analysis dock needs for a guided figure: six lines of summary over
// a plot at its least height, under the dock's title, its tabs and the
// page's margins; where the dock is wide enough for a summary column of
// 200 px beside a plot of 400 px, that plot beside its summary. Where the
// viewport's share leaves less, the dock takes it from the viewport as far
// as the viewport keeps its least share of the window and the larger part
// of the middle column.
constexpr int kFigureDockHeight = 320;
constexpr int kBesideFigureDockHeight = 240;
constexpr int kBesideFigureDockWidth = 620;
// The viewport's least share: on a 768-line screen under a window manager's
// title bar the field's square is 40% of the screen's height, on a 1080-line
// one (at its own text size, or enlarged by a quarter: 864 logical lines)
// 45%; between the two the share follows the window's height.
constexpr double kShortViewportFloor = 0.415;
constexpr double kTallViewportFloor = 0.465;
constexpr int kShortWindowHeight = 743;
constexpr int kTallWindowHeight = 839;
// The viewport's part of the middle column under the transport row: taller
// than the analysis dock under it, and larger, the dock being the wider by
// the central widget's margins.
constexpr double kViewportPartOfMiddleColumn = 0.51;
// Under the viewport, an analysis dock shorter than this cannot hold a
// guided figure with its summary over it: it spans the window's width
// instead, where the summary stands beside the plot (a 614-line screen: 768
// lines with the text enlarged by a quarter).
constexpr int kLeastFigureDockHeight = 260;
// The diagnostics under the tabs of the one side column of a narrow or short
// window, against the time and help docks among those tabs: a third of the
// column, more where their first rows need it.
constexpr int kMergedTabsWeight = 480;
constexpr int kMergedDiagnosticsWeight = 245;

// A dock's minimum as its contents need it now: the minimum the dock area
// holds it to follows its contents only once the area is laid out again.
QSize dockMinimum(const QDockWidget* dock) { return dock->minimumSize().expandedTo(dock->minimumSizeHint()); }

} // namespace

QSize MainWindow::readableDockMinimum(const QDockWidget* dock) const
{
    QSize readable = dockMinimum(dock);
    if (dock == ui->controlsDockWidget) {
        // Its pages scroll up and down by design: only their width counts.
        readable.setWidth(std::max(readable.width(), controlsReadableWidth));
    } else if (const auto* area = qobject_cast<const QScrollArea*>(dock->widget())) {
        // A docked dock adds its title bar over its widget, no frame.
        const QWidget* contents = area->widget();
        const int title = dock->minimumSizeHint().height() - area->minimumSizeHint().height();
        readable =
            readable.expandedTo(contents->minimumSize().expandedTo(contents->minimumSizeHint()) + QSize(0, title));
    } else if (dock == ui->diagnosticsDockWidget && diagnosticsPresentation != nullptr) {
        const QWidget* table = ui->diagnosticsTable;
        const int chrome = dock->minimumSizeHint().width() - table->minimumSizeHint().width();
        readable.setWidth(std::max(readable.width(), chrome + diagnosticsPresentation->readableWidth()));
    }
    return readable;
}

QList<QDockWidget*> MainWindow::rightColumnDocks() const
{
    return {ui->timeDockWidget, ui->diagnosticsDockWidget, ui->helpDockWidget};
}

void MainWindow::fitDockCornersToHeight()
{
    // Where the analysis dock under the whole width would leave the side
    // columns too short for their docks (below the form's height, and at it:
    // the time dock's texts, the diagnostics' rows and eight lines of guide
    // do not fit above a 420 px analysis dock there), they take the bottom
    // corners and the analysis dock sits under the viewport.
    const bool shortWindow = !roomAboveTheAnalysisDock() && !analysisAcross;
    const Qt::DockWidgetArea left = shortWindow ? Qt::LeftDockWidgetArea : Qt::BottomDockWidgetArea;
    const Qt::DockWidgetArea right = shortWindow ? Qt::RightDockWidgetArea : Qt::BottomDockWidgetArea;
    // Setting a corner lays the window out again: only on a change.
    if (corner(Qt::BottomLeftCorner) != left)
        setCorner(Qt::BottomLeftCorner, left);
    if (corner(Qt::BottomRightCorner) != right)
        setCorner(Qt::BottomRightCorner, right);
}

bool MainWindow::roomAboveTheAnalysisDock() const
{
    if (height() < formWindowSize.height())
        return false;
    // The three right docks at their minimum heights, whichever are open or
    // where they stand: the corners stay as a layout was saved with them.
    int rightHeight = -dockSeparatorWidth();
    for (const QDockWidget* dock : {ui->timeDockWidget, ui->diagnosticsDockWidget, ui->helpDockWidget})
        rightHeight += readableDockMinimum(dock).height() + dockSeparatorWidth();
    const int above = height() - menuBar()->sizeHint().height() - statusBar()->sizeHint().height() -
                      defaultAnalysisDockHeight() - dockSeparatorWidth();
    return std::max(rightHeight, readableDockMinimum(ui->controlsDockWidget).height()) <= above;
}

QList<int> MainWindow::sideColumnWidths() const
{
    // The right column is wide enough for the diagnostics' value column
    // beside its section and parameter columns, which size to their contents.
    const int leftMinimum = readableDockMinimum(ui->controlsDockWidget).width();
    const int leftPreferred = std::max(ui->controlsDockWidget->sizeHint().width(), leftMinimum);
    int rightMinimum = 0;
    for (const QDockWidget* dock : {ui->timeDockWidget, ui->diagnosticsDockWidget, ui->helpDockWidget})
        rightMinimum = std::max(rightMinimum, readableDockMinimum(dock).width());
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

bool MainWindow::roomForBothSideColumns(const QList<QDockWidget*>& closed) const
{
    const int separator = dockSeparatorWidth();
    const int columnWidth = sideColumnWidths()[1];
    int rightWidth = 0;
    int rightHeight = 0;
    bool anyRight = false;
    for (QDockWidget* dock : rightColumnDocks()) {
        if (closed.contains(dock))
            continue;
        anyRight = true;
        rightWidth = std::max(rightWidth, readableDockMinimum(dock).width());
        rightHeight += rightDockFloor(dock, columnWidth) + separator;
    }
    const int columns = readableDockMinimum(ui->controlsDockWidget).width() + middleColumnMinimumWidth() + separator +
                        (anyRight ? rightWidth + separator : 0);
    return columns <= width() && rightHeight <= rightColumnHeight(!closed.contains(ui->analysisDockWidget)) + separator;
}

int MainWindow::rightColumnHeight(bool analysisOpen) const
{
    int column = height() - menuBar()->sizeHint().height() - statusBar()->sizeHint().height();
    // Under the analysis dock where it has the bottom corners.
    if (analysisOpen && corner(Qt::BottomRightCorner) == Qt::BottomDockWidgetArea)
        column -= defaultAnalysisDockHeight() + dockSeparatorWidth();
    return column;
}

int MainWindow::rightDockFloor(const QDockWidget* dock, int columnWidth) const
{
    const int minimum = readableDockMinimum(dock).height();
    if (dock != ui->diagnosticsDockWidget || diagnosticsPresentation == nullptr)
        return minimum;
    // The dock's title and margins around the table, whose minimum sets the
    // dock's.
    const QTableWidget* table = ui->diagnosticsTable;
    const QSize chrome = dock->minimumSizeHint() - table->minimumSize().expandedTo(table->minimumSizeHint());
    const int rows =
        diagnosticsPresentation->heightForRows(DiagnosticsPresentation::kReadableRows, columnWidth - chrome.width());
    return std::max(minimum, chrome.height() + rows);
}

QList<int> MainWindow::rightDockHeights(const QList<QDockWidget*>& openRight, bool analysisOpen) const
{
    const QList<QDockWidget*> rightDocks = rightColumnDocks();
    const int columnWidth = sideColumnWidths()[1];
    std::vector<int> weights;
    std::vector<int> floors;
    for (QDockWidget* dock : openRight) {
        weights.push_back(kDefaultRightDockHeights[rightDocks.indexOf(dock)]);
        floors.push_back(rightDockFloor(dock, columnWidth));
    }
    const int separators = static_cast<int>(std::max<qsizetype>(0, openRight.size() - 1)) * dockSeparatorWidth();
    const std::vector<int> shares = sharesWithFloors(rightColumnHeight(analysisOpen) - separators, weights, floors);
    return QList<int>(shares.begin(), shares.end());
}

bool MainWindow::rightColumnAsByDefault() const
{
    const auto inRightColumn = [this](QDockWidget* dock) {
        return !dock->isFloating() && dockWidgetArea(dock) == Qt::RightDockWidgetArea;
    };
    if (ui->diagnosticsDockWidget->isHidden() || !inRightColumn(ui->diagnosticsDockWidget))
        return false;
    const QList<QDockWidget*> right = rightColumnDocks();
    return std::all_of(right.begin(), right.end(),
                       [&inRightColumn](QDockWidget* dock) { return dock->isHidden() || inRightColumn(dock); });
}

QList<QDockWidget*> MainWindow::closedDocks() const
{
    QList<QDockWidget*> closed;
    for (const auto& pair : dockActionPairs())
        if (pair.first->isHidden() && !floatingDocksHeldBack.contains(pair.first))
            closed.append(pair.first);
    return closed;
}

int MainWindow::middleColumnMinimumWidth() const
{
    // The transport row over the viewport, and the analysis dock under them.
    return std::max(centralWidget()->minimumSizeHint().width(), dockMinimum(ui->analysisDockWidget).width());
}

int MainWindow::dockSeparatorWidth() const
{
    return style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
}

bool MainWindow::sideColumnsMerged() const
{
    if (dockWidgetArea(ui->controlsDockWidget) != Qt::LeftDockWidgetArea ||
        dockWidgetArea(ui->diagnosticsDockWidget) != Qt::LeftDockWidgetArea || ui->diagnosticsDockWidget->isFloating())
        return false;
    const QList<QDockWidget*> tabbed = tabifiedDockWidgets(ui->controlsDockWidget);
    return tabbed.contains(ui->timeDockWidget) && tabbed.contains(ui->helpDockWidget);
}

void MainWindow::fitSideColumnsToWidth()
{
    // The one column of a narrow or short window goes back to two once both
    // fit; docks that no longer fit side by side, or a right column squeezed
    // below what its docks need, are merged into one column. A dock the user
    // closed stays closed and needs no room.
    const QList<QDockWidget*> closed = closedDocks();
    const bool merged = sideColumnsMerged();
    const QSize needed = layoutMinimumSize();
    const bool fits = needed.width() <= width() && needed.height() <= height();
    // A right column as the default has it that cannot hold its docks
    // readable one above the other (the diagnostics' rows as they read now:
    // a new window's are filled only after its layout was made; a layout
    // restored from a taller screen), and a default one whose diagnostics
    // are shorter than their rows need: arranged anew, as tabs where there
    // is no room. The heights a user gave a restored column stay.
    const bool unreadable = !merged && rightColumnAsByDefault() &&
                            (!roomForBothSideColumns(closed) ||
                             (defaultDockLayoutInForce &&
                              ui->diagnosticsDockWidget->height() <
                                  rightDockFloor(ui->diagnosticsDockWidget, ui->diagnosticsDockWidget->width())));
    // A column the user merged by hand stays so; a default layout whose
    // analysis dock should now span the window's width, or no longer, is
    // arranged anew.
    const bool unmerge = merged && defaultDockLayoutInForce && roomForBothSideColumns(closed);
    const bool across = defaultDockLayoutInForce && analysisAcrossTheWindow() != analysisAcross;
    if (!unmerge && !(!merged && !fits) && !unreadable && !across)
        return;
    layOutDocks(closed);
}

bool MainWindow::analysisAcrossTheWindow() const
{
    // A window of the form's height has room above the analysis dock.
    if (height() >= formWindowSize.height())
        return false;
    // The middle column beside one side column of readable tabs.
    int sideColumn = 0;
    for (const QDockWidget* dock :
         {ui->controlsDockWidget, ui->timeDockWidget, ui->diagnosticsDockWidget, ui->helpDockWidget})
        sideColumn = std::max(sideColumn, readableDockMinimum(dock).width());
    const int middle = width() - std::min(sideColumn, kDefaultRightColumnWidth) - dockSeparatorWidth();
    return defaultAnalysisDockHeight() < kLeastFigureDockHeight || middle < dockMinimum(ui->analysisDockWidget).width();
}

void MainWindow::applyDefaultDockLayout() { layOutDocks({}); }

void MainWindow::layOutDocks(const QList<QDockWidget*>& closed)
{
    // Arranging passes through layouts that may hold the window above the
    // size it has (those of a larger screen): that size again once the docks
    // stand where they go, and the docks sized for it.
    const QSize wanted = size();
    const QScopedValueRollback<bool> arranging(arrangingDocks, true);
    // Arranged again in one column, the tab that was in front stays there
    // (the guide of the experiment just loaded); a new column opens on the
    // controls.
    QDockWidget* front = ui->controlsDockWidget;
    if (sideColumnsMerged())
        for (QDockWidget* dock : {ui->timeDockWidget, ui->helpDockWidget})
            if (!dock->isHidden() && rect().intersects(dock->geometry()))
                front = dock;
    // A dock taken out of a tab group stands for a moment under the others:
    // the window's minimum is held meanwhile, so that a window manager is not
    // asked for a taller window, which it would grant after the docks are in
    // place.
    const QLayout::SizeConstraint constraint = layout()->sizeConstraint();
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    const QList<QDockWidget*> rightDocks = rightColumnDocks();
    QList<QDockWidget*> openRight = rightDocks;
    for (QDockWidget* dock : closed)
        openRight.removeAll(dock);

    analysisAcross = analysisAcrossTheWindow();
    fitDockCornersToHeight();
    // Where the window is narrower than both side columns beside the
    // viewport need (a 1024, 1280 or 1366 px screen), or too short for the
    // right column's docks one above the other with the diagnostics' first
    // eight rows whole (text enlarged by a quarter on a 1080 px screen), the
    // time and help docks become tabs of the controls column and the
    // diagnostics stand under them: the guide and the figures it names are
    // on show together, the controls a click away, and none is pushed off
    // the screen.
    // Where the analysis dock spans the window's width, the diagnostics are
    // one more tab of that column: the column above the analysis dock is too
    // short for them under the tabs.
    const bool oneSideColumn = analysisAcross || !roomForBothSideColumns(closed);

    const auto showUnlessClosed = [&closed](QDockWidget* dock) {
        if (!closed.contains(dock))
            dock->show();
    };
    addDockWidget(Qt::LeftDockWidgetArea, ui->controlsDockWidget);
    ui->controlsDockWidget->setFloating(false);
    showUnlessClosed(ui->controlsDockWidget);

    if (oneSideColumn) {
        // Split before the tabs are made: a dock that is a tab is split off
        // as one more tab.
        addDockWidget(Qt::LeftDockWidgetArea, ui->diagnosticsDockWidget);
        if (!analysisAcross)
            splitDockWidget(ui->controlsDockWidget, ui->diagnosticsDockWidget, Qt::Vertical);
        tabifyDockWidget(ui->controlsDockWidget, ui->timeDockWidget);
        tabifyDockWidget(ui->controlsDockWidget, ui->helpDockWidget);
        if (analysisAcross)
            tabifyDockWidget(ui->controlsDockWidget, ui->diagnosticsDockWidget);
    } else {
        for (QDockWidget* dock : rightDocks)
            addDockWidget(Qt::RightDockWidgetArea, dock);
        splitDockWidget(ui->timeDockWidget, ui->diagnosticsDockWidget, Qt::Vertical);
        splitDockWidget(ui->diagnosticsDockWidget, ui->helpDockWidget, Qt::Vertical);
    }
    for (QDockWidget* dock : rightDocks) {
        dock->setFloating(false);
        showUnlessClosed(dock);
    }
    front->raise();

    addDockWidget(Qt::BottomDockWidgetArea, ui->analysisDockWidget);
    ui->analysisDockWidget->setFloating(false);
    showUnlessClosed(ui->analysisDockWidget);

    // The layout's own minimum again, now that the docks stand where they go.
    layout()->setSizeConstraint(constraint);
    // Sizes apply to a laid-out window only; a window not yet shown would
    // otherwise take its docks' preferred sizes whatever its own.
    layout()->activate();
    if (size() != wanted) {
        resize(wanted.expandedTo(minimumSize()));
        layout()->activate();
    }
    const bool analysisOpen = !closed.contains(ui->analysisDockWidget);
    if (oneSideColumn) {
        // The room the middle column leaves, up to the width the diagnostics
        // have in a right column: the rest goes to the viewport and the
        // analysis page.
        int minimum = 0;
        for (QDockWidget* dock :
             {ui->controlsDockWidget, ui->timeDockWidget, ui->diagnosticsDockWidget, ui->helpDockWidget})
            if (!closed.contains(dock))
                minimum = std::max(minimum, readableDockMinimum(dock).width());
        // Where the window is narrower than that column beside the middle
        // one, the column takes what the middle one leaves.
        const int middle = analysisAcross ? centralWidget()->minimumSizeHint().width() : middleColumnMinimumWidth();
        const int room = width() - middle - dockSeparatorWidth();
        const int left = room < minimum ? std::max(room, kLeastSideColumnWidth)
                                        : std::min(room, std::max(minimum, kDefaultRightColumnWidth));
        QList<QDockWidget*> open = openLeftColumnTabs(closed);
        if (analysisAcross && !closed.contains(ui->diagnosticsDockWidget))
            open.append(ui->diagnosticsDockWidget);
        if (!open.isEmpty()) {
            resizeDocks({open.front()}, {left}, Qt::Horizontal);
            if (!analysisAcross && !closed.contains(ui->diagnosticsDockWidget))
                resizeDocks({open.front(), ui->diagnosticsDockWidget}, mergedColumnHeights(analysisOpen, left),
                            Qt::Vertical);
        }
    } else if (!openRight.isEmpty()) {
        resizeDocks(openRight, rightDockHeights(openRight, analysisOpen), Qt::Vertical);
        resizeDocks({ui->controlsDockWidget, openRight.front()}, sideColumnWidths(), Qt::Horizontal);
    }
    resizeDocks({ui->analysisDockWidget}, {defaultAnalysisDockHeight()}, Qt::Vertical);

    for (const auto& [dock, action] : dockActionPairs())
        action->setChecked(!closed.contains(dock));
    defaultDockLayoutInForce = true;
}

QList<QDockWidget*> MainWindow::openLeftColumnTabs(const QList<QDockWidget*>& closed) const
{
    QList<QDockWidget*> open;
    for (QDockWidget* dock : {ui->controlsDockWidget, ui->timeDockWidget, ui->helpDockWidget})
        if (!closed.contains(dock))
            open.append(dock);
    return open;
}

QList<int> MainWindow::mergedColumnHeights(bool analysisOpen, int columnWidth) const
{
    const std::vector<int> shares = sharesWithFloors(rightColumnHeight(analysisOpen) - dockSeparatorWidth(),
                                                     {kMergedTabsWeight, kMergedDiagnosticsWeight},
                                                     {0, rightDockFloor(ui->diagnosticsDockWidget, columnWidth)});
    return QList<int>(shares.begin(), shares.end());
}

void MainWindow::fitDiagnosticsToTheirRows()
{
    QDockWidget* diagnostics = ui->diagnosticsDockWidget;
    // A tab of the controls has the column's height.
    if (analysisAcross || diagnostics->isHidden() || diagnostics->isFloating() ||
        diagnostics->height() >= rightDockFloor(diagnostics, diagnostics->width()))
        return;
    const bool analysisOpen = !ui->analysisDockWidget->isHidden();
    if (sideColumnsMerged()) {
        const QList<QDockWidget*> tabs = openLeftColumnTabs(closedDocks());
        if (!tabs.isEmpty())
            resizeDocks({tabs.front(), diagnostics}, mergedColumnHeights(analysisOpen, diagnostics->width()),
                        Qt::Vertical);
    } else if (rightColumnAsByDefault()) {
        QList<QDockWidget*> open = rightColumnDocks();
        open.erase(std::remove_if(open.begin(), open.end(), [](QDockWidget* dock) { return dock->isHidden(); }),
                   open.end());
        resizeDocks(open, rightDockHeights(open, analysisOpen), Qt::Vertical);
    }
}

int MainWindow::defaultAnalysisDockHeight() const
{
    // What the transport row over the viewport takes of the middle column.
    const int transportRow = centralWidget()->sizeHint().height() - ui->quantumView->sizeHint().height();
    const int column = height() - menuBar()->sizeHint().height() - statusBar()->sizeHint().height();
    // The viewport's height and the analysis dock's together.
    const int shared = column - transportRow - dockSeparatorWidth();
    const auto leftBy = [&](double share) { return shared - static_cast<int>(std::ceil(share * height())); };
    const double along =
        std::clamp(double(height() - kShortWindowHeight) / (kTallWindowHeight - kShortWindowHeight), 0.0, 1.0);
    const int atLeastShare = leftBy(kShortViewportFloor + along * (kTallViewportFloor - kShortViewportFloor));
    const int smallerPart = shared - static_cast<int>(std::ceil(kViewportPartOfMiddleColumn * shared));
    // 420 px leave the analysis page's plot about 300 px under its summary,
    // the most the dock takes.
    const int figure =
        ui->analysisDockWidget->width() >= kBesideFigureDockWidth ? kBesideFigureDockHeight : kFigureDockHeight;
    const int dock =
        std::min({kDefaultAnalysisDockHeight, std::max(leftBy(kViewportShare), figure), atLeastShare, smallerPart});
    return std::max(dockMinimum(ui->analysisDockWidget).height(), dock);
}

void MainWindow::fitDockLayoutToNewSize(const QSize& before)
{
    fitDockCornersToHeight();
    // Docks are moved between areas and tabs only outside the toolkit's own
    // layout pass, which this resize is part of.
    if (before != size() && !sideColumnsFitPending) {
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
        resizeDocks(rightDocks, rightDockHeights(rightDocks, !ui->analysisDockWidget->isHidden()), Qt::Vertical);
    // A window made shorter keeps the viewport's share of its height: the
    // analysis dock gives up what it has above its default height.
    if (height() != before.height() && docked(ui->analysisDockWidget, Qt::BottomDockWidgetArea)) {
        const int preferred = defaultAnalysisDockHeight();
        const int analysis = ui->analysisDockWidget->height();
        if (height() > before.height() ? analysis < preferred : analysis > preferred)
            resizeDocks({ui->analysisDockWidget}, {preferred}, Qt::Vertical);
    }
}

QSize MainWindow::layoutMinimumSize()
{
    layout()->activate();
    return layout()->totalMinimumSize();
}

void MainWindow::fitAnalysisMinimumToRoom(int roomHeight)
{
    QDockWidget* analysis = ui->analysisDockWidget;
    // Its pages scroll: its title over the least of a page is enough. The
    // layout is measured with the dock at that least, never above what it
    // then gets: a top-level layout grows its window to any minimum it is
    // activated with, and the window manager may carry that out after the
    // window was fitted.
    analysis->setMinimumHeight(0);
    const int least = analysis->minimumSizeHint().height();
    analysis->setMinimumHeight(least);
    // At a fractional scale the height in screen pixels is rounded: a
    // window of the room's height may come out a pixel taller.
    const int fractional = std::floor(devicePixelRatioF()) != devicePixelRatioF() ? 1 : 0;
    const int spare = roomHeight - fractional - layoutMinimumSize().height();
    analysis->setMinimumHeight(std::clamp(least + spare, least, std::max(least, formAnalysisMinimumHeight)));
}

} // namespace vxo
