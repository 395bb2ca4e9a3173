#include "app/MainWindow.h"

namespace vxo {

void MainWindow::applyQuenchSettings(const QuantumQuench&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyPeriodicDriveSettings(const PeriodicDrive&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyLinearSweepSettings(const LinearSweep&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyRamseySettings(const RamseySequence&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyRamseyEnsembleSettings(const RamseyEnsemble&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyKickedRotorSettings(const KickedRotorConfig&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyZenoSettings(const ZenoConfig&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyScarSettings(const ScarConfig&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyBerrySettings(const BerryConfig&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyLoschmidtSettings(const LoschmidtConfig&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyMoshinskySettings(const MoshinskyConfig&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyKapitzaDiracSettings(const KapitzaDiracConfig&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyAharonovBohmSettings(const AharonovBohmConfig&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyLandauSettings(const LandauConfig&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyHallEdgeSettings(const HallEdgeConfig&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyBackflowSettings(const BackflowConfig&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyZitterbewegungSettings(const ZitterbewegungConfig&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applyKleinSettings(const KleinTunnelingConfig&)
{
    // TODO(mainwindow): experiment settings into the form
}

void MainWindow::applySettingsRecords(const ExperimentSettingsRecords&)
{
    // TODO(mainwindow): experiment settings into the form
}

} // namespace vxo
