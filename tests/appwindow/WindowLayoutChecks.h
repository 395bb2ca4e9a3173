#pragma once

// What a user sees of the window's layout: the docks' contents and the
// transport row inside the window and none over another, and texts shown
// whole. Shared by the screen-fit and window-state tests.

#include "app/mainwindow/MainWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QLabel>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vxo::test {

inline void settleFor(int milliseconds)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
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

// The contents of every docked dock on show, the transport row, the viewport
// and the status bar: inside the window and none over another.
inline void expectLayoutApart(const MainWindow& window, const std::string& at)
{
    const QRect inside = window.rect();
    std::vector<std::pair<std::string, QRect>> boxes;
    for (const QDockWidget* dock : window.findChildren<QDockWidget*>())
        if (dock->isVisible() && !dock->isFloating())
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

// Layouts that follow a text (a dock that grows with a wrapped reference) are
// set in deferred passes: events are processed until every wrapped label on
// show under `root` has the height of its lines, for at most `limitMs`, so a
// slow machine is given the time a fast one does not need.
inline void settleUntilWrappedLabelsFit(const QWidget& root, int limitMs = 3000)
{
    QElapsedTimer clock;
    clock.start();
    const auto fit = [&root] {
        for (const QLabel* label : root.findChildren<QLabel*>())
            if (label->isVisibleTo(&root) && label->wordWrap() && !label->text().isEmpty() &&
                label->height() < label->heightForWidth(label->width()))
                return false;
        return true;
    };
    while (!fit() && clock.elapsed() < limitMs)
        settleFor(20);
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
