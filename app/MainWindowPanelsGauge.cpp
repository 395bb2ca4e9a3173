#include "app/MainWindow.h"

namespace vxo {

void MainWindow::updateAharonovBohmPanel()
{
    // TODO(mainwindow): gauge panels
}

void MainWindow::updateLandauPanel()
{
    // TODO(mainwindow): gauge panels
}

void MainWindow::updateHallEdgePanel()
{
    // TODO(mainwindow): gauge panels
}

} // namespace vxo
