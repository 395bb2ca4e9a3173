#include "app/MainWindow.h"

namespace vxo {

void MainWindow::applyQuench(double, bool)
{
    // TODO(mainwindow): protocol appliers
}

void MainWindow::applyPeriodicDrive(double, bool)
{
    // TODO(mainwindow): protocol appliers
}

void MainWindow::applyLinearSweep(double, bool)
{
    // TODO(mainwindow): protocol appliers
}

void MainWindow::applyRamseySequence(double, bool)
{
    // TODO(mainwindow): protocol appliers
}

void MainWindow::applyBerryLoop(double, bool)
{
    // TODO(mainwindow): protocol appliers
}

void MainWindow::applyMoshinskyShutter(double, bool)
{
    // TODO(mainwindow): protocol appliers
}

void MainWindow::applyKapitzaDiracPulse(double, bool)
{
    // TODO(mainwindow): protocol appliers
}

ProtocolContext MainWindow::protocolContext(double, bool)
{
    // TODO(mainwindow): protocol appliers
    return {potentialScene, false, 0.0, false, potential};
}

void MainWindow::invalidatePotentialContours()
{
    // TODO(mainwindow): protocol appliers
}

} // namespace vxo
