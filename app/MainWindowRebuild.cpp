#include "app/MainWindow.h"

namespace vxo {

void MainWindow::rebuildSimulation()
{
    // TODO(mainwindow): rebuild from the controls
}

SimulationDomain2D MainWindow::currentSimulationDomain() const
{
    // TODO(mainwindow): rebuild from the controls
    return SimulationDomain2D(512, 512, 40.96f, 40.96f);
}

void MainWindow::invalidateMomentumField()
{
    // TODO(mainwindow): rebuild from the controls
}

void MainWindow::applySceneDerivedControls()
{
    // TODO(mainwindow): rebuild from the controls
}

void MainWindow::updateRenderingControlStates()
{
    // TODO(mainwindow): rebuild from the controls
}

void MainWindow::resetProtocolRunState()
{
    // TODO(mainwindow): rebuild from the controls
}

void MainWindow::refreshStoredSettingsFromForm()
{
    // TODO(mainwindow): rebuild from the controls
}

void MainWindow::rasterisePotentialAndGaugeFields()
{
    // TODO(mainwindow): rebuild from the controls
}

void MainWindow::configureSolvers()
{
    // TODO(mainwindow): rebuild from the controls
}

void MainWindow::prepareAbsorbingLayer()
{
    // TODO(mainwindow): rebuild from the controls
}

void MainWindow::clearScatteringAndTwoLevelRecords()
{
    // TODO(mainwindow): rebuild from the controls
}

void MainWindow::updatePanelsAfterRebuild()
{
    // TODO(mainwindow): rebuild from the controls
}

} // namespace vxo
