#include "app/MainWindow.h"

namespace vxo {

void MainWindow::computeBoundStates()
{
    // TODO(mainwindow): bound states and two-level calibration
}

void MainWindow::updateBoundStatesStatus()
{
    // TODO(mainwindow): bound states and two-level calibration
}

void MainWindow::calibrateSweepReference()
{
    // TODO(mainwindow): bound states and two-level calibration
}

void MainWindow::calibrateRamseyReference()
{
    // TODO(mainwindow): bound states and two-level calibration
}

BoundStateResult MainWindow::computeDoubleWellBasis(std::uint64_t, double) const
{
    // TODO(mainwindow): bound states and two-level calibration
    return {};
}

} // namespace vxo
