#include "app/MainWindow.h"

namespace vxo {

QuantumQuench MainWindow::currentQuenchSettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

PeriodicDrive MainWindow::currentPeriodicDriveSettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

LinearSweep MainWindow::currentLinearSweepSettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

RamseySequence MainWindow::currentRamseySettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

BerryConfig MainWindow::currentBerrySettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

LoschmidtConfig MainWindow::currentLoschmidtSettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

MoshinskyConfig MainWindow::currentMoshinskySettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

KapitzaDiracConfig MainWindow::currentKapitzaDiracSettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

AharonovBohmConfig MainWindow::currentAharonovBohmSettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

LandauConfig MainWindow::currentLandauSettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

HallEdgeConfig MainWindow::currentHallEdgeSettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

BackflowConfig MainWindow::currentBackflowSettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

ZitterbewegungConfig MainWindow::currentZitterbewegungSettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

KleinTunnelingConfig MainWindow::currentKleinSettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

RamseyEnsemble MainWindow::currentRamseyEnsembleSettings() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

PotentialObject MainWindow::currentPotentialObject() const
{
    // TODO(mainwindow): experiment settings from the form
    return {};
}

double MainWindow::packetKineticEnergy() const
{
    // TODO(mainwindow): experiment settings from the form
    return 0.0;
}

double MainWindow::packetKineticEnergyX() const
{
    // TODO(mainwindow): experiment settings from the form
    return 0.0;
}

bool MainWindow::sceneUsable() const
{
    // TODO(mainwindow): experiment settings from the form
    return false;
}

bool MainWindow::diracSettingsEnabled() const
{
    // TODO(mainwindow): experiment settings from the form
    return false;
}

bool MainWindow::diracModeInForm() const
{
    // TODO(mainwindow): experiment settings from the form
    return false;
}

} // namespace vxo
