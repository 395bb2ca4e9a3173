// The program's start, up to its shown window, with the settings it finds
// (XDG_CONFIG_HOME). It prints the layout it came up with and ends without
// closing the window, so nothing is saved, unless its argument is "--close":
// then it closes the window, which saves the layout, before it ends. With
// "--float <dock>" it floats that dock once a window manager has framed the
// window, as a double click on the dock's title does, before it reports. With
// "--together" it prints "ready" once its application is up and makes the
// window only after a line on its input, so that starts the test lets go
// together restore at the same moment, as a double click's two starts do.
// The window-state tests run it as a child process, where a start that
// crashes or hangs fails one test, not the suite.
//
// Output, one line each: "window x y width height", then per dock in the View
// menu's order "<dock> <area> <floating> <hidden> x y width height <checked>",
// the last field the state of the dock's View-menu action; then "status " and
// the status bar's message, "started <ms>" with the time the window took to
// be made, and after a close "closed <ms>" with the time the close took.

#include "app/ApplicationSetup.h"
#include "app/mainwindow/MainWindow.h"
#include "common/QtTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QStatusBar>
#include <QSurfaceFormat>
#include <QTextStream>
#include <QWindow>

#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    QSurfaceFormat::setDefaultFormat(vxo::defaultSurfaceFormat());
    QApplication application(argc, argv);
    vxo::prepareApplication(application);
    if (QCoreApplication::arguments().contains(QStringLiteral("--together"))) {
        std::cout << "ready" << std::endl;
        std::string go;
        if (!std::getline(std::cin, go))
            return 4;
    }

    QElapsedTimer clock;
    clock.start();
    vxo::MainWindow window(nullptr, true);
    const qint64 startedMs = clock.elapsed();
    if (!vxo::test::showAndWait(window))
        return 3;

    const QStringList arguments = QCoreApplication::arguments();
    const int floatAt = arguments.indexOf(QStringLiteral("--float"));
    if (floatAt >= 0) {
        auto* floated = window.findChild<QDockWidget*>(arguments.value(floatAt + 1));
        if (floated == nullptr)
            return 2;
        if (!vxo::test::waitUntil([&window] { return !window.windowHandle()->frameMargins().isNull(); }))
            return 5;
        floated->setFloating(true);
        if (!vxo::test::waitUntil(
                [floated] { return floated->windowHandle() && floated->windowHandle()->isExposed(); }))
            return 6;
    }

    QTextStream out(stdout);
    const QRect placed = window.geometry();
    out << "window " << placed.x() << ' ' << placed.y() << ' ' << placed.width() << ' ' << placed.height() << '\n';
    const char* const pairs[][2] = {
        {"controlsDockWidget", "actionControlsDock"},       {"timeDockWidget", "actionTimeDock"},
        {"diagnosticsDockWidget", "actionDiagnosticsDock"}, {"helpDockWidget", "actionHelpDock"},
        {"analysisDockWidget", "actionAnalysisDock"},
    };
    for (const auto& pair : pairs) {
        const auto* dock = window.findChild<QDockWidget*>(QLatin1String(pair[0]));
        const auto* action = window.findChild<QAction*>(QLatin1String(pair[1]));
        if (dock == nullptr || action == nullptr)
            return 2;
        const QRect at = dock->geometry();
        out << pair[0] << ' ' << int(window.dockWidgetArea(const_cast<QDockWidget*>(dock))) << ' '
            << int(dock->isFloating()) << ' ' << int(dock->isHidden()) << ' ' << at.x() << ' ' << at.y() << ' '
            << at.width() << ' ' << at.height() << ' ' << int(action->isChecked()) << '\n';
    }
    out << "status " << window.statusBar()->currentMessage() << '\n';
    out << "started " << startedMs << '\n';
    out.flush();
    if (arguments.contains(QStringLiteral("--close"))) {
        clock.restart();
        window.close();
        out << "closed " << clock.elapsed() << '\n';
    }
    return 0;
}
