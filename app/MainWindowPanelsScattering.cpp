#include "app/MainWindow.h"

namespace vxo {

void MainWindow::updateScatteringPanel()
{
    // TODO(mainwindow): scattering, resonance and tunnelling panels
}

void MainWindow::updateResonancePanel(bool)
{
    // TODO(mainwindow): scattering, resonance and tunnelling panels
}

void MainWindow::updateTunnelingDiagnostics()
{
    // TODO(mainwindow): scattering, resonance and tunnelling panels
}

} // namespace vxo
