#include "app/MainWindow.h"

namespace vxo {

void MainWindow::updateDoubleWellPanel()
{
    // TODO(mainwindow): two-level, drive, sweep and pulse-sequence panels
}

void MainWindow::updateQuenchPanel()
{
    // TODO(mainwindow): two-level, drive, sweep and pulse-sequence panels
}

void MainWindow::updatePeriodicDrivePanel()
{
    // TODO(mainwindow): two-level, drive, sweep and pulse-sequence panels
}

void MainWindow::updateRabiPanel()
{
    // TODO(mainwindow): two-level, drive, sweep and pulse-sequence panels
}

void MainWindow::updateLandauZenerPanel()
{
    // TODO(mainwindow): two-level, drive, sweep and pulse-sequence panels
}

void MainWindow::updateStueckelbergPanel(bool)
{
    // TODO(mainwindow): two-level, drive, sweep and pulse-sequence panels
}

void MainWindow::updateRamseyPanel(bool)
{
    // TODO(mainwindow): two-level, drive, sweep and pulse-sequence panels
}

} // namespace vxo
