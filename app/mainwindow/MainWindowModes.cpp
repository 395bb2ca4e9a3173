#include "app/mainwindow/MainWindow.h"

#include "app/form/ExperimentSettingsForm.h"
#include "app/form/FormIndices.h"
#include "app/form/QuietControlWrites.h"
#include "ui/MainWindowForm.h"
#include "view/PotentialEditorShape.h"
#include "view/QuantumGLView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>

namespace vxo {

namespace {

// A checked mode box unchecked with its signals blocked, its stored flag
// cleared and its own preparation given back to the Gaussian packet.
void switchModeOff(QCheckBox* box, bool& storedEnabled, InitialPreparationType& preparation, InitialPreparationType own)
{
    if (!box || !box->isChecked())
        return;
    setCheckedQuietly(box, false);
    storedEnabled = false;
    if (preparation == own)
        preparation = InitialPreparationType::Gaussian;
}

} // namespace

// --- Families and exclusion ------------------------------------------------------------

std::array<QCheckBox*, 8> MainWindow::protocolBoxes() const
{
    return {{ui->quenchEnabledCheckBox, ui->periodicDriveEnabledCheckBox, ui->linearSweepEnabledCheckBox,
             ui->ramseyEnabledCheckBox, ui->berryEnabledCheckBox, ui->loschmidtEnabledCheckBox,
             ui->moshinskyEnabledCheckBox, ui->kapitzaDiracEnabledCheckBox}};
}

std::array<QCheckBox*, 3> MainWindow::gaugeBoxes() const
{
    return {{ui->aharonovBohmEnabledCheckBox, ui->landauEnabledCheckBox, ui->hallEdgeEnabledCheckBox}};
}

void MainWindow::switchOffProtocols(const QCheckBox* keep)
{
    for (QCheckBox* box : protocolBoxes())
        if (box != keep)
            setCheckedQuietly(box, false);
    // The rebuild re-reads the other protocols from the form, but the Berry
    // record only from a successful loop: without this its hint would still
    // report the loop as enabled.
    const bool berryKept = ui->berryEnabledCheckBox->isChecked();
    if (!berryKept)
        stored.quantumBerry.enabled = false;
}

void MainWindow::switchOffGaugeModes(const QCheckBox* keep)
{
    for (QCheckBox* box : gaugeBoxes())
        if (box != keep)
            setCheckedQuietly(box, false);
}

void MainWindow::selectGeometryQuietly(int index)
{
    setIndexQuietly(ui->geometryComboBox, index);
    if (index < ui->geometryParametersStackedWidget->count())
        ui->geometryParametersStackedWidget->setCurrentIndex(index);
}

// --- Protocol and gauge toggles -----------------------------------------------------------

void MainWindow::onProtocolEnabledToggled(QCheckBox* box, bool checked)
{
    if (applyingExperiment)
        return;
    if (checked) {
        // Ticked again: why it was switched off no longer holds for its page.
        for (std::size_t index = 0; index < kSceneProtocolCount; ++index) {
            if (protocolBox(static_cast<OffExperiment>(index)) == box)
                protocolOffNotes[index].clear();
        }
        switchOffProtocols(box);
        // The Dirac boxes are also switched off by the handler connected
        // last, but that runs after this rebuild: a rebuild with a Dirac
        // box still checked would prepare the spinor for a Schroedinger run.
        switchDiracModesOff();
    } else if (box == ui->berryEnabledCheckBox) {
        stored.quantumBerry.enabled = false;
    }
    rebuildUnlessApplying();
}

void MainWindow::onDriveEnabledToggled(bool checked)
{
    if (applyingExperiment || !checked)
        return;
    switchOffGaugeModes(nullptr);
    setCheckedQuietly(ui->backflowEnabledCheckBox, false);
}

void MainWindow::onGaugeEnabledToggled(QCheckBox* box, bool checked)
{
    if (applyingExperiment)
        return;
    if (checked) {
        switchOffProtocols(nullptr);
        switchOffGaugeModes(box);
        setCheckedQuietly(ui->backflowEnabledCheckBox, false);
        switchDiracModesOff();
    }
    rebuildUnlessApplying();
}

// --- Modes without the scene: backflow and the two Dirac modes ---------------------------

void MainWindow::setUpSceneFreeMode(InitialPreparationType mode)
{
    setCheckedQuietly(ui->potentialSceneActiveCheckBox, false);
    selectGeometryQuietly(0);
    if (mode == InitialPreparationType::QuantumBackflowState) {
        setIndexQuietly(ui->boundaryModeComboBox, indexOf(BoundaryIndex::Periodic));
    } else {
        // The Dirac runs show the position probability; their current has no
        // Schroedinger form to draw.
        setIndexQuietly(ui->spaceComboBox, indexOf(SpaceIndex::Position));
        setIndexQuietly(ui->viewComboBox, indexOf(ViewIndex::Probability));
        setCheckedQuietly(ui->currentOverlayCheckBox, false);
        updateCurrentOverlayControls();
        if (mode == InitialPreparationType::DiracZitterbewegungState) {
            // The trembling is followed on a closed periodic box.
            setIndexQuietly(ui->boundaryModeComboBox, indexOf(BoundaryIndex::Periodic));
            setCheckedQuietly(ui->kleinEnabledCheckBox, false);
        } else {
            // The transmitted part leaves through the absorbing layer.
            setCheckedQuietly(ui->zitterEnabledCheckBox, false);
            setIndexQuietly(ui->boundaryModeComboBox, indexOf(BoundaryIndex::Absorbing));
        }
    }
    updateDomainSpacingLabel();
}

void MainWindow::onSceneFreeModeToggled(InitialPreparationType mode, bool checked)
{
    if (applyingExperiment)
        return;
    const bool dirac = mode != InitialPreparationType::QuantumBackflowState;
    if (checked) {
        switchOffProtocols(nullptr);
        switchOffGaugeModes(nullptr);
        if (dirac) {
            setCheckedQuietly(ui->backflowEnabledCheckBox, false);
            preparationType = mode;
        } else {
            switchDiracModesOff();
        }
        setUpSceneFreeMode(mode);
    } else if (dirac && preparationType == mode) {
        preparationType = InitialPreparationType::Gaussian;
    }
    rebuildUnlessApplying();
}

void MainWindow::switchDiracModesOff()
{
    if (applyingExperiment)
        return;
    switchModeOff(ui->zitterEnabledCheckBox, stored.quantumZitterbewegung.enabled, preparationType,
                  InitialPreparationType::DiracZitterbewegungState);
    switchModeOff(ui->kleinEnabledCheckBox, stored.quantumKleinTunneling.enabled, preparationType,
                  InitialPreparationType::DiracKleinTunnelingState);
}

void MainWindow::switchOffBackflowAndZitterbewegung()
{
    switchModeOff(ui->backflowEnabledCheckBox, stored.quantumBackflow.enabled, preparationType,
                  InitialPreparationType::QuantumBackflowState);
    switchModeOff(ui->zitterEnabledCheckBox, stored.quantumZitterbewegung.enabled, preparationType,
                  InitialPreparationType::DiracZitterbewegungState);
}

void MainWindow::onSceneFreeModeApplyClicked(InitialPreparationType mode)
{
    if (applyingExperiment)
        return;
    const QCheckBox* box = mode == InitialPreparationType::QuantumBackflowState       ? ui->backflowEnabledCheckBox
                           : mode == InitialPreparationType::DiracZitterbewegungState ? ui->zitterEnabledCheckBox
                                                                                      : ui->kleinEnabledCheckBox;
    if (box->isChecked())
        setUpSceneFreeMode(mode);
    preparationType = box->isChecked() ? mode : InitialPreparationType::Gaussian;
    rebuildSimulation();
}

// --- Each toggle and Apply button by name -------------------------------------------------

void MainWindow::onQuenchEnabledToggled(bool checked) { onProtocolEnabledToggled(ui->quenchEnabledCheckBox, checked); }

void MainWindow::onPeriodicDriveEnabledToggled(bool checked)
{
    onProtocolEnabledToggled(ui->periodicDriveEnabledCheckBox, checked);
}

void MainWindow::onLinearSweepEnabledToggled(bool checked)
{
    onProtocolEnabledToggled(ui->linearSweepEnabledCheckBox, checked);
}

void MainWindow::onRamseyEnabledToggled(bool checked) { onProtocolEnabledToggled(ui->ramseyEnabledCheckBox, checked); }

void MainWindow::onBerryEnabledToggled(bool checked) { onProtocolEnabledToggled(ui->berryEnabledCheckBox, checked); }

void MainWindow::onLoschmidtEnabledToggled(bool checked)
{
    onProtocolEnabledToggled(ui->loschmidtEnabledCheckBox, checked);
}

void MainWindow::onMoshinskyEnabledToggled(bool checked)
{
    onProtocolEnabledToggled(ui->moshinskyEnabledCheckBox, checked);
}

void MainWindow::onKapitzaDiracEnabledToggled(bool checked)
{
    onProtocolEnabledToggled(ui->kapitzaDiracEnabledCheckBox, checked);
}

void MainWindow::onAharonovBohmEnabledToggled(bool checked)
{
    onGaugeEnabledToggled(ui->aharonovBohmEnabledCheckBox, checked);
}

void MainWindow::onLandauEnabledToggled(bool checked) { onGaugeEnabledToggled(ui->landauEnabledCheckBox, checked); }

void MainWindow::onHallEdgeEnabledToggled(bool checked) { onGaugeEnabledToggled(ui->hallEdgeEnabledCheckBox, checked); }

void MainWindow::onBackflowEnabledToggled(bool checked)
{
    onSceneFreeModeToggled(InitialPreparationType::QuantumBackflowState, checked);
}

void MainWindow::onZitterbewegungEnabledToggled(bool checked)
{
    onSceneFreeModeToggled(InitialPreparationType::DiracZitterbewegungState, checked);
}

void MainWindow::onKleinEnabledToggled(bool checked)
{
    onSceneFreeModeToggled(InitialPreparationType::DiracKleinTunnelingState, checked);
}

void MainWindow::onBackflowApplyClicked() { onSceneFreeModeApplyClicked(InitialPreparationType::QuantumBackflowState); }

void MainWindow::onZitterbewegungApplyClicked()
{
    onSceneFreeModeApplyClicked(InitialPreparationType::DiracZitterbewegungState);
}

void MainWindow::onKleinApplyClicked()
{
    onSceneFreeModeApplyClicked(InitialPreparationType::DiracKleinTunnelingState);
}

// --- Apply buttons of the recorder experiments -------------------------------------------

// The page's values go to the stored copy; only an experiment that runs is
// rebuilt and shown.
void MainWindow::onKickedRotorApplyClicked()
{
    stored.kickedRotor = readSettingsFromForm(*ui, stored.kickedRotor);
    rebuildAndShowPageIf(preparationType == InitialPreparationType::KickedRotor, ui->kickedRotorTab);
}

void MainWindow::onZenoApplyClicked()
{
    stored.quantumZeno = readSettingsFromForm(*ui, stored.quantumZeno);
    rebuildAndShowPageIf(preparationType == InitialPreparationType::QuantumZeno, ui->zenoTab);
}

void MainWindow::onScarApplyClicked()
{
    stored.quantumScar = readSettingsFromForm(*ui, stored.quantumScar);
    rebuildAndShowPageIf(stored.quantumScar.enabled, ui->scarsTab);
}

void MainWindow::rebuildAndShowPageIf(bool running, QWidget* page)
{
    if (!running)
        return;
    rebuildSimulation();
    ui->analysisDockWidget->show();
    showAnalysisPage(page);
}

// --- Boundary, viewport editing and display ------------------------------------------------

void MainWindow::onBoundaryModeChanged(int index)
{
    // Backflow and the trembling are measured on a closed periodic box.
    if (index != 0)
        switchOffBackflowAndZitterbewegung();
    updateDomainSpacingLabel();
    rebuildSimulation();
}

void MainWindow::syncViewportEditTool()
{
    ui->quantumView->setEditTool(isSelected(ui->viewportEditToolComboBox, EditToolIndex::Circle)
                                     ? PotentialEditorShape::kCircle
                                     : PotentialEditorShape::kRectangle);
}

void MainWindow::onViewportEditToggled(bool checked)
{
    ui->viewportEditToolComboBox->setEnabled(checked);
    ui->viewportEditorHintLabel->setEnabled(checked);
    bool editing = false;
    if (checked) {
        // Shapes are drawn on a still frame over a visible potential.
        if (transport.isRunning())
            setRunning(false);
        ui->potentialOverlayCheckBox->setChecked(true);
        // Shapes live in position space.
        editing = !isSelected(ui->spaceComboBox, SpaceIndex::Momentum);
    }
    ui->quantumView->setViewportEditEnabled(editing);
    updateTransportUi();
    updateDiagnostics();
}

void MainWindow::onDisplayResetClicked()
{
    setIndexQuietly(ui->displayScaleComboBox, indexOf(DisplayScaleIndex::Linear));
    setValueQuietly(ui->exposureSpinBox, 0.0);
    setValueQuietly(ui->gammaSpinBox, 1.0);
    markGraphicsPresetCustom();
    refreshViews();
}

// --- Sub-control enablers ---------------------------------------------------------------------

void MainWindow::updatePotentialContourControls()
{
    const bool on = ui->potentialContoursCheckBox->isChecked();
    const QList<QWidget*> controls{ui->potentialContourLevelsLabel,  ui->potentialContourLevelsSpinBox,
                                   ui->potentialContourWidthLabel,   ui->potentialContourWidthSpinBox,
                                   ui->potentialContourOpacityLabel, ui->potentialContourOpacitySpinBox};
    for (QWidget* control : controls)
        control->setEnabled(on);
}

void MainWindow::updateProbabilityContourControls()
{
    const bool on = ui->probabilityContoursCheckBox->isChecked();
    const bool logarithmic = isSelected(ui->probabilityContourSpacingComboBox, ContourSpacingIndex::Logarithmic);
    const QList<QWidget*> controls{ui->probabilityContourSpacingLabel, ui->probabilityContourSpacingComboBox,
                                   ui->probabilityContourLevelsLabel,  ui->probabilityContourLevelsSpinBox,
                                   ui->probabilityContourWidthLabel,   ui->probabilityContourWidthSpinBox,
                                   ui->probabilityContourOpacityLabel, ui->probabilityContourOpacitySpinBox};
    for (QWidget* control : controls)
        control->setEnabled(on);
    ui->probabilityContourDecadesLabel->setEnabled(on && logarithmic);
    ui->probabilityContourDecadesSpinBox->setEnabled(on && logarithmic);
}

void MainWindow::updateCurrentOverlayControls()
{
    const bool on = ui->currentOverlayCheckBox->isChecked();
    const bool both = isSelected(ui->currentModeComboBox, CurrentModeIndex::Both);
    const QList<QWidget*> controls{ui->currentModeLabel, ui->currentModeComboBox, ui->currentSpacingLabel,
                                   ui->currentSpacingSpinBox};
    for (QWidget* control : controls)
        control->setEnabled(on);
    const bool vectors = on && (both || isSelected(ui->currentModeComboBox, CurrentModeIndex::Vectors));
    const bool streamlines = on && (both || isSelected(ui->currentModeComboBox, CurrentModeIndex::Streamlines));
    ui->currentScaleLabel->setEnabled(vectors);
    ui->currentScaleSpinBox->setEnabled(vectors);
    ui->streamlineLengthLabel->setEnabled(streamlines);
    ui->streamlineLengthSpinBox->setEnabled(streamlines);
}

// --- Analysis page ------------------------------------------------------------------------------

void MainWindow::setAnalysisPage(int index)
{
    if (index < 0 || index >= ui->analysisStackedWidget->count())
        return;
    showAnalysisPage(ui->analysisStackedWidget->widget(index));
}

} // namespace vxo
