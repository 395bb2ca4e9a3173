#pragma once

// What a user sees of the window's layout: the docks' contents and the
// transport row inside the window and none over another, and texts shown
// whole. Shared by the screen-fit and window-state tests.

#include "app/mainwindow/MainWindow.h"
#include "common/QtTestSupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QStatusBar>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace vxo::test {

// Runs the event loop until the window's layout has settled; one that never
// does fails the test.
inline void waitForLayout(const QWidget& window)
{
    EXPECT_TRUE(settleLayout(window)) << "the window's layout never settles";
}

// As settleLayout(): false when the window's layout never held still
// within the bound.
inline bool waitForLayoutToSettle(const QWidget& window, int limitMs = kWaitBoundMs)
{
    return settleLayout(window, limitMs);
}

inline QRect inWindow(const QWidget& widget, const QWidget& window)
{
    return QRect(widget.mapTo(&window, QPoint(0, 0)), widget.size());
}

inline std::string describe(const QRect& r)
{
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

// A docked dock in front: shown, and not a tab behind another (the toolkit
// keeps those shown, moved out of the window).
inline bool dockInFront(const MainWindow& window, const QDockWidget& dock)
{
    if (!dock.isVisible() || dock.isFloating())
        return false;
    return window.tabifiedDockWidgets(const_cast<QDockWidget*>(&dock)).isEmpty() ||
           window.rect().intersects(inWindow(dock, window));
}

// The contents of every docked dock in front, the transport row, the viewport
// and the status bar: inside the window and none over another.
inline void expectLayoutApart(const MainWindow& window, const std::string& at)
{
    const QRect inside = window.rect();
    std::vector<std::pair<std::string, QRect>> boxes;
    for (const QDockWidget* dock : window.findChildren<QDockWidget*>())
        if (dockInFront(window, *dock))
            boxes.emplace_back(dock->objectName().toStdString(), inWindow(*dock->widget(), window));
    for (const char* name :
         {"playButton", "pauseButton", "stopButton", "stepButton", "resetButton", "transportStateCaption",
          "transportStateLabel", "speedLabel", "speedComboBox", "quantumView", "statusBar"}) {
        const auto* widget = window.findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(widget, nullptr) << name;
        boxes.emplace_back(name, inWindow(*widget, window));
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_TRUE(inside.contains(boxes[i].second))
            << at << ": " << boxes[i].first << " at " << describe(boxes[i].second) << " leaves the window "
            << describe(inside);
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(boxes[i].second.intersects(boxes[j].second))
                << at << ": " << boxes[i].first << " at " << describe(boxes[i].second) << " overlaps " << boxes[j].first
                << " at " << describe(boxes[j].second);
    }
}

// Every dock is in front or a tab beside one that is, and each in turn,
// brought to the front, lies inside the window apart from everything else.
inline void expectEveryDockReachable(MainWindow& window, const std::string& at)
{
    const QList<QDockWidget*> docks = window.findChildren<QDockWidget*>();
    for (QDockWidget* dock : docks) {
        const QList<QDockWidget*> tabs = window.tabifiedDockWidgets(dock);
        const bool besideATabInFront = std::any_of(
            tabs.begin(), tabs.end(), [&window](const QDockWidget* tab) { return dockInFront(window, *tab); });
        EXPECT_TRUE(dockInFront(window, *dock) || besideATabInFront)
            << at << ": " << dock->objectName().toStdString() << " can be reached neither in front nor as a tab";
    }
    for (QDockWidget* dock : docks) {
        dock->raise();
        waitForLayout(window);
        EXPECT_TRUE(dockInFront(window, *dock))
            << at << ": " << dock->objectName().toStdString() << " does not come forward";
        expectLayoutApart(window, at + " with " + dock->objectName().toStdString() + " in front");
    }
    window.findChild<QDockWidget*>(QStringLiteral("controlsDockWidget"))->raise();
    waitForLayout(window);
}

// The whole rows the diagnostics table shows from its top.
inline int wholeDiagnosticsRows(QTableWidget& table)
{
    table.scrollToTop();
    int whole = 0;
    for (int row = 0; row < table.rowCount(); ++row) {
        const QRect shown = table.visualRect(table.model()->index(row, 0));
        if (!table.isRowHidden(row) && shown.top() >= 0 && shown.bottom() < table.viewport()->height())
            ++whole;
    }
    return whole;
}

// Layouts that follow a text (a dock that grows with a wrapped reference) are
// set in deferred passes: events are processed until every wrapped label on
// show under `root` has the height of its lines, or the bound of every wait.
inline void settleUntilWrappedLabelsFit(const QWidget& root)
{
    waitUntil([&root] {
        for (const QLabel* label : root.findChildren<QLabel*>())
            if (label->isVisibleTo(&root) && label->wordWrap() && !label->text().isEmpty() &&
                label->height() < label->heightForWidth(label->width()))
                return false;
        return true;
    });
}

// Every label, button and combo box on show under `root` as large as its
// text needs: a label on one line as wide as its text, a wrapped one as tall
// as its lines at its width; a button as wide as its text, a combo box as
// wide as its longest item.
inline void expectTextsWhole(const QWidget& root, const std::string& at)
{
    for (const QLabel* label : root.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&root) || label->text().isEmpty())
            continue;
        const std::string name =
            at + ": " + label->objectName().toStdString() + " \"" + label->text().left(40).toStdString() + "\"";
        if (label->wordWrap()) {
            EXPECT_GE(label->height(), label->heightForWidth(label->width())) << name << " loses lines";
        } else {
            EXPECT_GE(label->width(), label->sizeHint().width()) << name << " is cut";
        }
        EXPECT_GE(label->height(), label->minimumSizeHint().height()) << name << " is cut";
    }
    for (const QAbstractButton* button : root.findChildren<QAbstractButton*>()) {
        if (button->isVisibleTo(&root) && !button->text().isEmpty()) {
            EXPECT_GE(button->width(), button->sizeHint().width())
                << at << ": " << button->objectName().toStdString() << " \"" << button->text().toStdString()
                << "\" is cut";
        }
    }
    for (const QComboBox* combo : root.findChildren<QComboBox*>()) {
        if (combo->isVisibleTo(&root)) {
            EXPECT_GE(combo->width(), combo->sizeHint().width())
                << at << ": " << combo->objectName().toStdString() << " \"" << combo->currentText().toStdString()
                << "\" is cut";
        }
    }
}

} // namespace vxo::test
