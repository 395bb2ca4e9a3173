#include "app/MainWindow.h"

namespace vxo {

void MainWindow::refreshViews()
{
    // TODO(mainwindow): view refresh
}

void MainWindow::ensureMomentumField()
{
    // TODO(mainwindow): view refresh
}

void MainWindow::updateCrossSectionPanel()
{
    // TODO(mainwindow): view refresh
}

void MainWindow::updateTimeSeriesPanel()
{
    // TODO(mainwindow): view refresh
}

void MainWindow::updateDetectorTvd()
{
    // TODO(mainwindow): view refresh
}

void MainWindow::refreshExperimentPanels()
{
    // TODO(mainwindow): view refresh
}

} // namespace vxo
