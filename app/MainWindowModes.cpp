#include "app/MainWindow.h"

namespace vxo {

void MainWindow::onQuenchEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onPeriodicDriveEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onLinearSweepEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onRamseyEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onBerryEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onLoschmidtEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onMoshinskyEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onKapitzaDiracEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onDriveEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onAharonovBohmEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onLandauEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onHallEdgeEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onBackflowEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onZitterbewegungEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onKleinEnabledToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::switchDiracModesOff()
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::switchOffBackflowAndZitterbewegung()
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onBackflowApplyClicked()
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onZitterbewegungApplyClicked()
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onKleinApplyClicked()
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onKickedRotorApplyClicked()
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onZenoApplyClicked()
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onScarApplyClicked()
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onBoundaryModeChanged(int)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onViewportEditToggled(bool)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::onDisplayResetClicked()
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::updatePotentialContourControls()
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::updateProbabilityContourControls()
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::updateCurrentOverlayControls()
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

void MainWindow::setAnalysisPage(int)
{
    // TODO(mainwindow): experiment modes, Apply buttons and sub-control enablers
}

} // namespace vxo
