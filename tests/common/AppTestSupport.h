#pragma once

// The QApplication of the tests of app/ (the start-up units and the whole
// main window). Header-only, like the rest of tests/common, so that every
// test executable of the app area can share it.

#include "app/ApplicationSetup.h"
#include "common/MainWindowProbe.h"
#include "ui/MainWindowForm.h"

#include <QApplication>
#include <QByteArray>
#include <QSurfaceFormat>
#include <QTemporaryDir>

#include <cstdlib>

namespace vxo::test {

// The folder that stands in for XDG_CONFIG_HOME during the run, so that no
// test reads or writes the user's saved window layout.
inline const char* temporaryConfigHome()
{
    static QTemporaryDir directory;
    static const QByteArray path = directory.path().toLocal8Bit();
    return path.constData();
}

// The one QApplication of the run, started as the program starts: default
// surface format, identity and locale, the application style, then the
// form's images and font substitutes. Without an X display it runs on the
// offscreen platform.
// The clock of the run timer's step budget in the tests: it never moves, so
// a tick always runs the steps its speed asks for, however slow the build.
inline double stillTickClock() { return 0.0; }

inline QApplication& appTestApplication()
{
    static int argc = 1;
    static char argv0[] = "app_tests";
    static char* argv[] = {argv0, nullptr};
    static QApplication* application = [] {
        const char* display = std::getenv("DISPLAY");
        if ((display == nullptr || display[0] == '\0') && std::getenv("QT_QPA_PLATFORM") == nullptr)
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // Before the first QSettings: its user path is read once per process.
        qputenv("XDG_CONFIG_HOME", temporaryConfigHome());
        QSurfaceFormat::setDefaultFormat(defaultSurfaceFormat());
        auto* app = new QApplication(argc, argv);
        applyApplicationIdentity();
        applyApplicationStyle(*app);
        initFormResources();
        registerFontSubstitutions();
        MainWindowProbe::setTickClock(&stillTickClock);
        return app;
    }();
    return *application;
}

} // namespace vxo::test
