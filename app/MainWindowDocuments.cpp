#include "app/MainWindow.h"

namespace vxo {

ExperimentDocument MainWindow::captureExperimentDocument() const
{
    // TODO(mainwindow): experiment documents
    return {};
}

bool MainWindow::applyExperimentDocument(const ExperimentDocument&, QString&)
{
    // TODO(mainwindow): experiment documents
    return false;
}

bool MainWindow::validateDocumentControls(const ExperimentDocument&, QString&) const
{
    // TODO(mainwindow): experiment documents
    return false;
}

void MainWindow::loadExperiment()
{
    // TODO(mainwindow): experiment documents
}

void MainWindow::saveExperiment()
{
    // TODO(mainwindow): experiment documents
}

} // namespace vxo
