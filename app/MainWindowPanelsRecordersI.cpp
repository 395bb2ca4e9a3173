#include "app/MainWindow.h"

namespace vxo {

void MainWindow::updateBlochPanel()
{
    // TODO(mainwindow): recorder panels I
}

void MainWindow::updateRevivalsPanel()
{
    // TODO(mainwindow): recorder panels I
}

void MainWindow::updateBilliardPanel()
{
    // TODO(mainwindow): recorder panels I
}

void MainWindow::updateTalbotPanel()
{
    // TODO(mainwindow): recorder panels I
}

void MainWindow::updateBouncerPanel()
{
    // TODO(mainwindow): recorder panels I
}

void MainWindow::updateVortexPanel()
{
    // TODO(mainwindow): recorder panels I
}

void MainWindow::updateAndersonPanel()
{
    // TODO(mainwindow): recorder panels I
}

void MainWindow::updateKickedRotorPanel()
{
    // TODO(mainwindow): recorder panels I
}

} // namespace vxo
