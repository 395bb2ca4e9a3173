#include "app/MainWindow.h"

namespace vxo {

void MainWindow::connectControls()
{
    // TODO(mainwindow): signal wiring and handler boundary
}

void MainWindow::setupViewportEditing()
{
    // TODO(mainwindow): signal wiring and handler boundary
}

void MainWindow::connectGeometryAndTransport()
{
    // TODO(mainwindow): signal wiring and handler boundary
}

void MainWindow::rebuildUnlessApplying()
{
    // TODO(mainwindow): signal wiring and handler boundary
}

void MainWindow::reportHandlerFailure(const QString&)
{
    // TODO(mainwindow): signal wiring and handler boundary
}

} // namespace vxo
