#include "app/MainWindow.h"

namespace vxo {

void MainWindow::loadObjectIntoGeometryInspector(const PotentialObject& object)
{
    if (writeGeometryInspector(object))
        updateSceneEditingControls();
}

void MainWindow::buildLegacyPotential()
{
    if (sceneUsable()) {
        potentialScene.buildPotential(potential);
        return;
    }
    // The single geometry goes straight into the cleared field, without the
    // scene's validation: the page's ranges keep every value valid.
    potential.clear();
    PotentialObject::applyTo(currentPotentialObject(), potential);
}

void MainWindow::addCurrentGeometryToScene()
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::applyPotentialObjectEdit()
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::deleteSelectedSceneObject()
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::clearPotentialScene()
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::applyEditorShape(const PotentialEditorShape&)
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::refreshSceneObjectList(std::uint64_t)
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::fillQuenchTargetCombo(std::uint64_t)
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::fillPeriodicDriveTargetCombo(std::uint64_t)
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::fillLinearSweepTargetCombo(std::uint64_t)
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::fillRamseyTargetCombo(std::uint64_t)
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::fillMoshinskyTargetCombo(std::uint64_t)
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::fillTargetCombo(QComboBox*, QCheckBox*, std::uint64_t, bool)
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::updateSceneEditingControls()
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

QString MainWindow::potentialSummaryText() const
{
    // TODO(mainwindow): single geometry and Potential Scene editing
    return {};
}

std::uint64_t MainWindow::selectedSceneObjectId() const
{
    // TODO(mainwindow): single geometry and Potential Scene editing
    return 0;
}

void MainWindow::onPotentialSceneActiveToggled(bool)
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::onGeometryChanged(int)
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::onSceneSelectionChanged()
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

void MainWindow::onPotentialObjectEnabledToggled(bool)
{
    // TODO(mainwindow): single geometry and Potential Scene editing
}

} // namespace vxo
