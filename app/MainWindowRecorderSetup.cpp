#include "app/MainWindow.h"

namespace vxo {

void MainWindow::configureDiracRecorders()
{
    // TODO(mainwindow): recorder set-up of the rebuild
}

void MainWindow::configureObservationRecorders()
{
    // TODO(mainwindow): recorder set-up of the rebuild
}

void MainWindow::configureStepRecorders()
{
    // TODO(mainwindow): recorder set-up of the rebuild
}

void MainWindow::recordInitialSamples()
{
    // TODO(mainwindow): recorder set-up of the rebuild
}

} // namespace vxo
