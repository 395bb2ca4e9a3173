#include "app/MainWindow.h"

namespace vxo {

void MainWindow::measureAndCollapse()
{
    // TODO(mainwindow): measurement actions
}

void MainWindow::measurePositions()
{
    // TODO(mainwindow): measurement actions
}

void MainWindow::clearMeasurementHits()
{
    // TODO(mainwindow): measurement actions
}

} // namespace vxo
