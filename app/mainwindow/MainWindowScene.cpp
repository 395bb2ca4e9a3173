#include "app/mainwindow/MainWindow.h"

#include "app/text/PanelText.h"

#include "app/form/QuietControlWrites.h"
#include "app/form/FormIndices.h"
#include "app/text/PotentialObjectText.h"
#include "app/mainwindow/StatusDurations.h"
#include "document/PotentialSceneJson.h"
#include "experiments/QuantumBerryPhase2D.h"
#include "ui/MainWindowForm.h"
#include "view/PotentialEditorShape.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVariant>

#include <initializer_list>
#include <utility>

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
    if (ui->geometryComboBox->currentIndex() == static_cast<int>(PotentialObjectKind::None)) {
        showStatusMessage(QStringLiteral("Select a potential geometry before adding an object."), kStatusNoticeMs);
        return;
    }
    if (refuseFullScene())
        return;
    PotentialObject object = currentPotentialObject();
    object.id = 0;
    object.enabled = true;
    const std::uint64_t id = potentialScene.add(object);
    if (id == 0) {
        showStatusMessage(QStringLiteral("The current potential geometry is not valid."), kStatusNoticeMs);
        return;
    }
    {
        const QSignalBlocker blocker(ui->potentialSceneActiveCheckBox);
        ui->potentialSceneActiveCheckBox->setChecked(true);
    }
    refreshSceneObjectList(id);
    rebuildSimulation();
    showEditMessage(QStringLiteral("Potential object #%1 added to scene.").arg(id), kStatusConfirmationMs);
}

bool MainWindow::refuseFullScene()
{
    // A scene beyond what a document holds could never be saved.
    if (potentialScene.size() < static_cast<std::uint64_t>(kMaximumSceneObjects))
        return false;
    showStatusMessage(QStringLiteral("The potential scene already holds %1 objects, the most a document can save.")
                          .arg(kMaximumSceneObjects),
                      kStatusNoticeMs);
    return true;
}

void MainWindow::applyPotentialObjectEdit()
{
    const std::uint64_t id = selectedSceneObjectId();
    if (!potentialScene.find(id)) {
        showStatusMessage(QStringLiteral("Select a potential scene object first."), kStatusConfirmationMs);
        return;
    }
    // The page's kind is taken as it stands, so an edit may turn the object
    // into another kind under the same id.
    PotentialObject edited = currentPotentialObject();
    edited.enabled = ui->potentialObjectEnabledCheckBox->isChecked();
    if (!potentialScene.update(id, edited)) {
        showStatusMessage(QStringLiteral("The edited potential geometry is not valid."), kStatusNoticeMs);
        return;
    }
    refreshSceneObjectList(id);
    const QString updated = QStringLiteral("Potential object #%1 updated.").arg(id);
    // An inactive scene does not shape the potential: nothing to rebuild.
    if (ui->potentialSceneActiveCheckBox->isChecked()) {
        rebuildSimulation();
        showEditMessage(updated, kStatusConfirmationMs);
    } else {
        updateDiagnostics();
        showStatusMessage(updated, kStatusConfirmationMs);
    }
}

void MainWindow::deleteSelectedSceneObject()
{
    const std::uint64_t id = selectedSceneObjectId();
    if (id == 0 || !potentialScene.remove(id))
        return;
    if (potentialScene.empty()) {
        const QSignalBlocker blocker(ui->potentialSceneActiveCheckBox);
        ui->potentialSceneActiveCheckBox->setChecked(false);
    }
    // The removed id is no longer listed, so the refresh selects the first object.
    refreshSceneObjectList(0);
    rebuildSimulation();
    showEditMessage(QStringLiteral("Potential object #%1 deleted.").arg(id), kStatusConfirmationMs);
}

void MainWindow::clearPotentialScene()
{
    if (potentialScene.empty())
        return;
    potentialScene.clear();
    {
        const QSignalBlocker blocker(ui->potentialSceneActiveCheckBox);
        ui->potentialSceneActiveCheckBox->setChecked(false);
    }
    refreshSceneObjectList(0);
    rebuildSimulation();
    showEditMessage(QStringLiteral("Potential scene cleared; legacy single geometry is active."), kStatusNoticeMs);
}

void MainWindow::applyEditorShape(const PotentialEditorShape& shape)
{
    if (!PotentialEditorShape::isValid(shape))
        return;
    // Refused before the drawn shape replaces the page's values.
    if (ui->potentialSceneActiveCheckBox->isChecked() && refuseFullScene())
        return;
    // The drawn shape becomes the geometry page's rectangle or circle; the
    // page keeps its own strength. The spin boxes clamp and round what lies
    // outside their ranges.
    const bool circle = shape.type == PotentialEditorShape::kCircle;
    selectGeometryQuietly(static_cast<int>(circle ? PotentialObjectKind::Circle : PotentialObjectKind::Rectangle));
    if (circle) {
        setValueQuietly(ui->circleCenterXSpinBox, static_cast<double>(shape.centerX));
        setValueQuietly(ui->circleCenterYSpinBox, static_cast<double>(shape.centerY));
        setValueQuietly(ui->circleRadiusSpinBox, static_cast<double>(shape.radius));
    } else {
        setValueQuietly(ui->rectangleCenterXSpinBox, static_cast<double>(shape.centerX));
        setValueQuietly(ui->rectangleCenterYSpinBox, static_cast<double>(shape.centerY));
        setValueQuietly(ui->rectangleWidthSpinBox, static_cast<double>(shape.width));
        setValueQuietly(ui->rectangleHeightSpinBox, static_cast<double>(shape.height));
    }
    if (ui->potentialSceneActiveCheckBox->isChecked())
        addCurrentGeometryToScene();
    else
        rebuildSimulation();
}

void MainWindow::refreshSceneObjectList(std::uint64_t id)
{
    if (id == 0)
        id = selectedSceneObjectId();
    QListWidget* const list = ui->potentialSceneListWidget;
    const QSignalBlocker blocker(list);
    list->clear();
    int currentRow = -1;
    for (const PotentialObject& object : potentialScene.objects()) {
        auto* item = new QListWidgetItem(describePotentialObject(object), list);
        item->setData(Qt::UserRole, QVariant::fromValue<quint64>(object.id));
        if (currentRow < 0 && object.id == id)
            currentRow = list->count() - 1;
    }
    if (currentRow < 0 && list->count() > 0)
        currentRow = 0;
    list->setCurrentRow(currentRow);

    if (const PotentialObject* selected = potentialScene.find(selectedSceneObjectId()))
        loadObjectIntoGeometryInspector(*selected);
    updateSceneEditingControls();
    // Each combo keeps its current object (id 0).
    fillQuenchTargetCombo(0);
    fillPeriodicDriveTargetCombo(0);
    fillLinearSweepTargetCombo(0);
    fillRamseyTargetCombo(0);
    fillMoshinskyTargetCombo(0);
}

void MainWindow::fillQuenchTargetCombo(std::uint64_t id)
{
    fillTargetCombo(ui->quenchTargetComboBox, OffExperiment::Quench, id, false);
}

void MainWindow::fillPeriodicDriveTargetCombo(std::uint64_t id)
{
    fillTargetCombo(ui->periodicDriveTargetComboBox, OffExperiment::PeriodicDrive, id, false);
}

void MainWindow::fillLinearSweepTargetCombo(std::uint64_t id)
{
    fillTargetCombo(ui->linearSweepTargetComboBox, OffExperiment::LinearSweep, id, false);
}

void MainWindow::fillRamseyTargetCombo(std::uint64_t id)
{
    fillTargetCombo(ui->ramseyTargetComboBox, OffExperiment::Ramsey, id, false);
}

// The shutter lists only the kinds it can open.
void MainWindow::fillMoshinskyTargetCombo(std::uint64_t id)
{
    fillTargetCombo(ui->moshinskyTargetComboBox, OffExperiment::Shutter, id, true);
}

void MainWindow::fillTargetCombo(QComboBox* combo, OffExperiment protocol, std::uint64_t id, bool shutterKindsOnly)
{
    QCheckBox* const governedBox = protocolBox(protocol);
    const bool keepCurrent = id == 0;
    if (keepCurrent)
        id = combo->currentIndex() >= 0 ? combo->currentData().toULongLong() : 0;
    const QSignalBlocker blocker(combo);
    combo->clear();
    int current = -1;
    for (const PotentialObject& object : potentialScene.objects()) {
        // The Moshinsky shutter is a wall that can be switched off: a
        // rectangle or a barrier.
        if (shutterKindsOnly && object.kind != PotentialObjectKind::Rectangle &&
            object.kind != PotentialObjectKind::Barrier)
            continue;
        combo->addItem(describePotentialObject(object), QVariant::fromValue<quint64>(object.id));
        if (current < 0 && object.id == id)
            current = combo->count() - 1;
    }
    // A protocol never moves on to another object by itself: losing its
    // target switches it off, and the first object is only offered.
    if (current < 0 && keepCurrent && id != 0 && governedBox->isChecked() && !applyingExperiment) {
        switchProtocolOff(protocol,
                          potentialScene.find(id)
                              ? QStringLiteral("object #%1 can no longer be its target").arg(id)
                              : QStringLiteral("its target, object #%1, is no longer in the Potential Scene").arg(id));
    }
    if (current < 0 && combo->count() > 0)
        current = 0;
    combo->setCurrentIndex(current);
    const bool hasTargets = combo->count() > 0;
    governedBox->setEnabled(hasTargets && ui->potentialSceneActiveCheckBox->isChecked());
    combo->setEnabled(hasTargets);
}

void MainWindow::updateSceneEditingControls()
{
    const bool empty = potentialScene.empty();
    const std::uint64_t selectedId = selectedSceneObjectId();
    const bool selected = selectedId != 0;
    const bool sceneOn = !empty && ui->potentialSceneActiveCheckBox->isChecked();
    const auto enable = [](std::initializer_list<QWidget*> widgets, bool enabled) {
        for (QWidget* widget : widgets)
            widget->setEnabled(enabled);
    };

    enable({ui->potentialSceneActiveCheckBox, ui->clearPotentialSceneButton}, !empty);
    enable({ui->updatePotentialObjectButton, ui->deletePotentialObjectButton, ui->potentialObjectEnabledCheckBox},
           selected);
    const bool geometrySelected = ui->geometryComboBox->currentIndex() > static_cast<int>(PotentialObjectKind::None);
    ui->addPotentialObjectButton->setEnabled(geometrySelected);

    // The four drives act on a scene object: they can be switched on only
    // while the scene is in force, and set up whenever it has objects.
    enable({ui->quenchEnabledCheckBox, ui->periodicDriveEnabledCheckBox, ui->linearSweepEnabledCheckBox,
            ui->ramseyEnabledCheckBox},
           sceneOn);
    enable({ui->quenchTargetComboBox,
            ui->quenchParameterComboBox,
            ui->quenchTimeSpinBox,
            ui->quenchBeforeSpinBox,
            ui->quenchAfterSpinBox,
            ui->periodicDriveTargetComboBox,
            ui->periodicDriveParameterComboBox,
            ui->periodicDriveMeanSpinBox,
            ui->periodicDriveAmplitudeSpinBox,
            ui->periodicDriveOmegaSpinBox,
            ui->periodicDrivePhaseSpinBox,
            ui->linearSweepTargetComboBox,
            ui->linearSweepParameterComboBox,
            ui->linearSweepStartValueSpinBox,
            ui->linearSweepEndValueSpinBox,
            ui->linearSweepStartTimeSpinBox,
            ui->linearSweepDurationSpinBox,
            ui->linearSweepReturnCheckBox,
            ui->ramseyTargetComboBox,
            ui->ramseyParameterComboBox,
            ui->ramseyMeanSpinBox,
            ui->ramseyAmplitudeSpinBox,
            ui->ramseyOmegaSpinBox,
            ui->ramseyPulseDurationSpinBox,
            ui->ramseyFreeDurationSpinBox,
            ui->ramseyStartTimeSpinBox,
            ui->ramseyFirstPhaseSpinBox,
            ui->ramseySecondPhaseSpinBox,
            ui->ramseyEchoEnabledCheckBox},
           !empty);
    enable({ui->linearSweepHoldDurationSpinBox, ui->linearSweepReturnDurationSpinBox},
           !empty && ui->linearSweepReturnCheckBox->isChecked());
    enable({ui->ramseyEchoDurationSpinBox, ui->ramseyEchoPhaseSpinBox},
           !empty && ui->ramseyEchoEnabledCheckBox->isChecked());

    BerryTrap trap;
    ui->berryEnabledCheckBox->setEnabled(sceneOn && QuantumBerryPhase2D::analyzeTrap(potentialScene, trap, nullptr));
    enable({ui->berryAnisotropySpinBox, ui->berryStartTimeSpinBox, ui->berryDurationSpinBox, ui->berryWindingComboBox},
           !empty);

    const bool shutterTargets = ui->moshinskyTargetComboBox->count() > 0;
    ui->moshinskyEnabledCheckBox->setEnabled(sceneOn && shutterTargets);
    ui->moshinskyTargetComboBox->setEnabled(!empty && shutterTargets);
    enable({ui->moshinskyOpenTimeSpinBox, ui->moshinskyDetectorXSpinBox, ui->moshinskyAnalysisEndTimeSpinBox}, !empty);

    const PotentialObject* object = potentialScene.find(selectedId);
    const QSignalBlocker blocker(ui->potentialObjectEnabledCheckBox);
    ui->potentialObjectEnabledCheckBox->setChecked(object == nullptr || object->enabled);
}

QString MainWindow::potentialSummaryText() const
{
    if (ui->potentialSceneActiveCheckBox->isChecked() && !potentialScene.empty())
        return QStringLiteral("Scene (%1)")
            .arg(PanelText::countedText(potentialScene.size(), QLatin1String("object"), QLatin1String("objects")));
    return ui->geometryComboBox->currentText();
}

std::uint64_t MainWindow::selectedSceneObjectId() const
{
    const QListWidgetItem* item = ui->potentialSceneListWidget->currentItem();
    return item ? item->data(Qt::UserRole).toULongLong() : 0;
}

void MainWindow::onPotentialSceneActiveToggled(bool checked)
{
    if (checked && potentialScene.empty()) {
        {
            const QSignalBlocker blocker(ui->potentialSceneActiveCheckBox);
            ui->potentialSceneActiveCheckBox->setChecked(false);
        }
        showStatusMessage(QStringLiteral("Add at least one potential object before enabling the scene."),
                          kStatusNoticeMs);
        updateSceneEditingControls();
        return;
    }
    // Backflow and Zitterbewegung run in free space: a scene in force ends them.
    if (checked)
        switchOffBackflowAndZitterbewegung();
    updateSceneEditingControls();
    rebuildSimulation();
}

void MainWindow::onGeometryChanged(int index)
{
    if (index >= 0 && index < ui->geometryParametersStackedWidget->count())
        ui->geometryParametersStackedWidget->setCurrentIndex(index);
    if (index != 0)
        switchOffBackflowAndZitterbewegung();
    // The viewport draws the shape being edited; its tool follows the
    // page (the tool selector's own handler passes it on to the view).
    if (index == static_cast<int>(PotentialObjectKind::Rectangle) ||
        index == static_cast<int>(PotentialObjectKind::Circle))
        ui->viewportEditToolComboBox->setCurrentIndex(index == static_cast<int>(PotentialObjectKind::Circle)
                                                          ? indexOf(EditToolIndex::Circle)
                                                          : indexOf(EditToolIndex::Rectangle));
    updateSceneEditingControls();
    // With the scene in force the page is only an inspector: the potential
    // does not change until Add current or Apply changes.
    if (ui->potentialSceneActiveCheckBox->isChecked())
        updateDiagnostics();
    else
        rebuildSimulation();
}

void MainWindow::onSceneSelectionChanged()
{
    if (const PotentialObject* selected = potentialScene.find(selectedSceneObjectId()))
        loadObjectIntoGeometryInspector(*selected);
    updateSceneEditingControls();
    updateDiagnostics();
}

void MainWindow::onPotentialObjectEnabledToggled(bool checked)
{
    const std::uint64_t id = selectedSceneObjectId();
    if (PotentialObject* object = potentialScene.find(id))
        object->enabled = checked;
    refreshSceneObjectList(id);
    if (ui->potentialSceneActiveCheckBox->isChecked())
        rebuildSimulation();
}

} // namespace vxo
