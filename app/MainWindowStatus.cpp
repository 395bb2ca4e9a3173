#include "app/MainWindow.h"

namespace vxo {

void MainWindow::updateWindowTitle()
{
    // TODO(mainwindow): status bar, title, time dock, domain ranges and help texts
}

void MainWindow::updateTimeDock()
{
    // TODO(mainwindow): status bar, title, time dock, domain ranges and help texts
}

void MainWindow::updateTransportUi()
{
    // TODO(mainwindow): status bar, title, time dock, domain ranges and help texts
}

void MainWindow::updateEnergyTooltip()
{
    // TODO(mainwindow): status bar, title, time dock, domain ranges and help texts
}

void MainWindow::showStatusMessage(const QString&, int)
{
    // TODO(mainwindow): status bar, title, time dock, domain ranges and help texts
}

void MainWindow::updateDomainSpacingLabel()
{
    // TODO(mainwindow): status bar, title, time dock, domain ranges and help texts
}

void MainWindow::updateDomainSpinRanges(const SimulationDomain2D&)
{
    // TODO(mainwindow): status bar, title, time dock, domain ranges and help texts
}

void MainWindow::updateMeasurementModeTexts()
{
    // TODO(mainwindow): status bar, title, time dock, domain ranges and help texts
}

void MainWindow::updateHelpTexts(int)
{
    // TODO(mainwindow): status bar, title, time dock, domain ranges and help texts
}

void MainWindow::clearCollapseReadout()
{
    // TODO(mainwindow): status bar, title, time dock, domain ranges and help texts
}

} // namespace vxo
