#include "app/MainWindow.h"

namespace vxo {

void MainWindow::updateZitterbewegungPanel()
{
    // TODO(mainwindow): Dirac and Klein panels
}

void MainWindow::updateKleinPanel()
{
    // TODO(mainwindow): Dirac and Klein panels
}

void MainWindow::updateKleinAngleScanPanel()
{
    // TODO(mainwindow): Dirac and Klein panels
}

void MainWindow::updateKleinHeightScanPanel()
{
    // TODO(mainwindow): Dirac and Klein panels
}

void MainWindow::updateKleinMassScanPanel()
{
    // TODO(mainwindow): Dirac and Klein panels
}

void MainWindow::updateDiracMasslessPanel()
{
    // TODO(mainwindow): Dirac and Klein panels
}

double MainWindow::kleinPacketMaximum() const
{
    // TODO(mainwindow): Dirac and Klein panels
    return -1.0;
}

} // namespace vxo
