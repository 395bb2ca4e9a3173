#pragma once

// A main window for the benchmarks that time the whole window: offscreen,
// never shown, without window-state persistence, made on first use and kept
// for the rest of the run.

#include "app/mainwindow/MainWindow.h"
#include "ui/MainWindowForm.h"

namespace vxo::bench {

inline MainWindow& sharedBenchWindow()
{
    static MainWindow* window = nullptr;
    if (!window) {
        initFormResources();
        registerFontSubstitutions();
        window = new MainWindow(nullptr, false);
    }
    return *window;
}

} // namespace vxo::bench
