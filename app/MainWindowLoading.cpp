#include "app/MainWindow.h"

namespace vxo {

void MainWindow::loadGuidedExperiment(int)
{
    // TODO(mainwindow): guided experiment loading
}

void MainWindow::applyGraphicsPreset(int)
{
    // TODO(mainwindow): guided experiment loading
}

void MainWindow::showAnalysisPage(QWidget*)
{
    // TODO(mainwindow): guided experiment loading
}

void MainWindow::markGraphicsPresetCustom()
{
    // TODO(mainwindow): guided experiment loading
}

void MainWindow::writePresetControls(const ExperimentPreset&)
{
    // TODO(mainwindow): guided experiment loading
}

void MainWindow::applyPresetExtras(int)
{
    // TODO(mainwindow): guided experiment loading
}

void MainWindow::setRunSpeedIndex(int)
{
    // TODO(mainwindow): guided experiment loading
}

} // namespace vxo
