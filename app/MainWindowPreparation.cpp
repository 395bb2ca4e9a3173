#include "app/MainWindow.h"

namespace vxo {

bool MainWindow::prepareExperimentInitialState()
{
    // TODO(mainwindow): initial-state preparation
    return false;
}

void MainWindow::prepareBoundEigenstate()
{
    // TODO(mainwindow): initial-state preparation
}

void MainWindow::prepareBoundSuperposition()
{
    // TODO(mainwindow): initial-state preparation
}

void MainWindow::prepareFormPacket()
{
    // TODO(mainwindow): initial-state preparation
}

} // namespace vxo
