#include "app/MainWindow.h"

namespace vxo {

void MainWindow::setupDiagnosticsTable()
{
    // TODO(mainwindow): diagnostics table
}

void MainWindow::setDiagnosticsRow(int, const QString&, const QString&, const QString&)
{
    // TODO(mainwindow): diagnostics table
}

void MainWindow::updateDiagnostics()
{
    // TODO(mainwindow): diagnostics table
}

} // namespace vxo
