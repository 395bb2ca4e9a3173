#include "app/MainWindow.h"

namespace vxo {

void MainWindow::onSimulationTick()
{
    // TODO(mainwindow): simulation tick, single step and observation
}

void MainWindow::stepOnce()
{
    // TODO(mainwindow): simulation tick, single step and observation
}

void MainWindow::runStepBody()
{
    // TODO(mainwindow): simulation tick, single step and observation
}

void MainWindow::runAppliersAfterSteps(double)
{
    // TODO(mainwindow): simulation tick, single step and observation
}

void MainWindow::discardMeasurementHits()
{
    // TODO(mainwindow): simulation tick, single step and observation
}

void MainWindow::applyLoschmidtReversalIfDue()
{
    // TODO(mainwindow): simulation tick, single step and observation
}

void MainWindow::applyZenoMeasurementIfDue()
{
    // TODO(mainwindow): simulation tick, single step and observation
}

void MainWindow::applyKickedRotorKickIfDue()
{
    // TODO(mainwindow): simulation tick, single step and observation
}

void MainWindow::sampleStepRecorders()
{
    // TODO(mainwindow): simulation tick, single step and observation
}

void MainWindow::updateDetectorFluxReadout()
{
    // TODO(mainwindow): simulation tick, single step and observation
}

void MainWindow::clearDetectorFlux()
{
    // TODO(mainwindow): simulation tick, single step and observation
}

void MainWindow::syncSpinorDensity()
{
    // TODO(mainwindow): simulation tick, single step and observation
}

void MainWindow::recordObservation()
{
    // TODO(mainwindow): simulation tick, single step and observation
}

void MainWindow::sampleObservationRecorders(double)
{
    // TODO(mainwindow): simulation tick, single step and observation
}

} // namespace vxo
