#include "app/mainwindow/MainWindow.h"

#include "app/form/KeyboardTrackingGate.h"
#include "app/mainwindow/StatusDurations.h"
#include "ui/MainWindowForm.h"
#include "view/PotentialEditorShape.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>

#include <array>
#include <tuple>
#include <type_traits>

namespace vxo {

namespace {

// The change signal of each kind of form control, handing the slot the new
// value: a double spin box its value, an integer spin box its value, a combo
// its index, a check box its state.
template <typename Slot>
void connectChange(QObject* context, QDoubleSpinBox* box, const Slot& slot)
{
    QObject::connect(box, qOverload<double>(&QDoubleSpinBox::valueChanged), context, slot);
}

template <typename Slot>
void connectChange(QObject* context, QSpinBox* box, const Slot& slot)
{
    QObject::connect(box, qOverload<int>(&QSpinBox::valueChanged), context, slot);
}

template <typename Slot>
void connectChange(QObject* context, QComboBox* combo, const Slot& slot)
{
    QObject::connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), context, slot);
}

template <typename Slot>
void connectChange(QObject* context, QCheckBox* box, const Slot& slot)
{
    QObject::connect(box, &QCheckBox::toggled, context, slot);
}

template <typename Slot>
void connectClick(QObject* context, QAbstractButton* button, const Slot& slot)
{
    QObject::connect(button, &QAbstractButton::clicked, context, slot);
}

// A body that takes the signal's arguments receives them; one that takes
// none ignores them.
template <typename Body, typename... Arguments>
void callWithOrWithoutArguments(const Body& body, const Arguments&... arguments)
{
    if constexpr (std::is_invocable_v<const Body&, const Arguments&...>)
        body(arguments...);
    else
        body();
}

} // namespace

template <typename Body>
auto MainWindow::guardedSlot(Body body)
{
    return [this, body](auto... arguments) { this->guarded([&] { callWithOrWithoutArguments(body, arguments...); }); };
}

void MainWindow::connectControls()
{
    // The slots run long after this returns: those that touch the form bind
    // the form itself (`&form = *ui`), never this local name.
    Ui::MainWindow& form = *ui;
    keyboardTrackingGate = new KeyboardTrackingGate(this, [grid = QPointer<QComboBox>(form.gridResolutionComboBox)] {
        return !grid || !isSelected(grid.data(), GridResolutionIndex::Points1024);
    });
    const auto refresh = guardedSlot([this] { refreshViews(); });
    const auto rebuildUnlessLoading = guardedSlot([this] { rebuildUnlessApplying(); });

    // Domain and boundary.
    const auto domainChanged = guardedSlot([this] {
        updateDomainSpacingLabel();
        rebuildSimulation();
    });
    connectChange(this, form.universeWidthSpinBox, domainChanged);
    connectChange(this, form.universeHeightSpinBox, domainChanged);
    connectChange(this, form.gridResolutionComboBox, domainChanged);
    connectChange(this, form.boundaryModeComboBox, guardedSlot([this](int index) { onBoundaryModeChanged(index); }));
    connectChange(this, form.absorbingWidthSpinBox, domainChanged);
    connectChange(this, form.absorbingStrengthSpinBox, domainChanged);
    for (QAbstractSpinBox* box : {form.universeWidthSpinBox, form.universeHeightSpinBox, form.absorbingWidthSpinBox,
                                  form.absorbingStrengthSpinBox})
        keyboardTrackingGate->watch(box);

    // Experiment library and documents.
    connectChange(this, form.experimentPresetComboBox, guardedSlot([this](int index) {
                      updateHelpTexts(index);
                      updateDiagnostics();
                  }));
    connectClick(this, form.loadExperimentButton, guardedSlot([this, &form = *ui] {
                     loadGuidedExperiment(form.experimentPresetComboBox->currentIndex());
                 }));
    connect(form.actionSaveExperimentJson, &QAction::triggered, this, guardedSlot([this] { saveExperiment(); }));
    connect(form.actionLoadExperimentJson, &QAction::triggered, this, guardedSlot([this] { loadExperiment(); }));
    connectClick(this, form.kickedRotorApplyButton, guardedSlot([this] { onKickedRotorApplyClicked(); }));
    connectClick(this, form.zenoApplyButton, guardedSlot([this] { onZenoApplyClicked(); }));
    connectClick(this, form.scarApplyButton, guardedSlot([this] { onScarApplyClicked(); }));

    // View, overlays and their sub-controls.
    const auto displayChanged = guardedSlot([this] {
        markGraphicsPresetCustom();
        refreshViews();
    });
    connectChange(this, form.graphicsPresetComboBox, guardedSlot([this](int index) { applyGraphicsPreset(index); }));
    connectChange(this, form.spaceComboBox, refresh);
    connectChange(this, form.viewComboBox, refresh);
    connectChange(this, form.paletteComboBox, displayChanged);
    connectChange(this, form.potentialOverlayCheckBox, guardedSlot([this, &form = *ui](bool checked) {
                      form.potentialOverlayOpacityLabel->setEnabled(checked);
                      form.potentialOverlayOpacitySpinBox->setEnabled(checked);
                      refreshViews();
                  }));
    connectChange(this, form.potentialOverlayOpacitySpinBox, refresh);
    connectChange(this, form.potentialContoursCheckBox, guardedSlot([this] {
                      updatePotentialContourControls();
                      refreshViews();
                  }));
    connectChange(this, form.potentialContourLevelsSpinBox, refresh);
    connectChange(this, form.potentialContourWidthSpinBox, refresh);
    connectChange(this, form.potentialContourOpacitySpinBox, refresh);
    updatePotentialContourControls();
    const auto probabilityContoursChanged = guardedSlot([this] {
        updateProbabilityContourControls();
        refreshViews();
    });
    connectChange(this, form.probabilityContoursCheckBox, probabilityContoursChanged);
    connectChange(this, form.probabilityContourSpacingComboBox, probabilityContoursChanged);
    connectChange(this, form.probabilityContourLevelsSpinBox, refresh);
    connectChange(this, form.probabilityContourDecadesSpinBox, refresh);
    connectChange(this, form.probabilityContourWidthSpinBox, refresh);
    connectChange(this, form.probabilityContourOpacitySpinBox, refresh);
    updateProbabilityContourControls();
    const auto currentOverlayChanged = guardedSlot([this] {
        updateCurrentOverlayControls();
        refreshViews();
    });
    connectChange(this, form.currentOverlayCheckBox, currentOverlayChanged);
    connectChange(this, form.currentModeComboBox, currentOverlayChanged);
    connectChange(this, form.currentSpacingSpinBox, refresh);
    connectChange(this, form.currentScaleSpinBox, refresh);
    connectChange(this, form.streamlineLengthSpinBox, refresh);
    updateCurrentOverlayControls();

    // Measurement and detector.
    connectClick(this, form.measurePositionButton, guardedSlot([this] { measurePositions(); }));
    connectClick(this, form.collapsePositionButton, guardedSlot([this] { measureAndCollapse(); }));
    connectClick(this, form.clearMeasurementsButton, guardedSlot([this] { clearMeasurementHits(); }));
    connectChange(this, form.measurementVisibleCheckBox, refresh);
    connectChange(this, form.measurementPointSizeSpinBox, refresh);
    connectChange(this, form.measurementModeComboBox, guardedSlot([this] {
                      clearMeasurementHits();
                      clearDetectorFlux();
                      updateMeasurementModeTexts();
                      refreshViews();
                  }));
    updateMeasurementModeTexts();
    // Hits and flux gathered at another screen no longer belong together.
    const auto detectorMoved = guardedSlot([this] {
        clearMeasurementHits();
        clearDetectorFlux();
        refreshViews();
    });
    connectChange(this, form.detectorXSpinBox, detectorMoved);
    connectChange(this, form.detectorThicknessSpinBox, detectorMoved);
    connectChange(this, form.detectorBinsSpinBox, guardedSlot([this] {
                      updateDetectorTvd();
                      refreshViews();
                  }));
    connectChange(this, form.detectorVisibleCheckBox, refresh);
    connectChange(this, form.detectorReferenceCheckBox, refresh);
    connectClick(this, form.clearDetectorFluxButton, guardedSlot([this] {
                     clearDetectorFlux();
                     refreshViews();
                 }));

    // Analysis pages.
    const auto crossSectionChanged = guardedSlot([this] { updateCrossSectionPanel(); });
    connectChange(this, form.crossSectionAxisComboBox, crossSectionChanged);
    connectChange(this, form.crossSectionPositionSpinBox, crossSectionChanged);
    connectChange(this, form.crossSectionCurveComboBox, crossSectionChanged);
    connectChange(this, form.crossSectionLineCheckBox, crossSectionChanged);
    connectChange(this, form.timeSeriesQuantityComboBox, guardedSlot([this] { updateTimeSeriesPanel(); }));
    connectClick(this, form.clearTimeSeriesButton, guardedSlot([this] {
                     history.clear();
                     updateTimeSeriesPanel();
                     updateDiagnostics();
                 }));
    const auto rescan = guardedSlot([this] { updateResonancePanel(true); });
    connectChange(this, form.resonanceScanModeComboBox, guardedSlot([this, &form = *ui] {
                      // The scan's own unit is shown by the panel's captions.
                      form.resonanceScanMinSpinBox->setSuffix(QString());
                      form.resonanceScanMaxSpinBox->setSuffix(QString());
                      updateResonancePanel(true);
                  }));
    connectChange(this, form.resonanceScanMinSpinBox, rescan);
    connectChange(this, form.resonanceScanMaxSpinBox, rescan);
    connectChange(this, form.resonanceScanPointsSpinBox, rescan);
    connectClick(this, form.resonanceRefreshButton, rescan);

    // Bound states.
    connectClick(this, form.boundComputeButton, guardedSlot([this] { computeBoundStates(); }));
    const auto boundSelectionChanged = guardedSlot([this] { updateBoundStatesStatus(); });
    connectChange(this, form.boundStateComboBox, boundSelectionChanged);
    connectChange(this, form.boundSuperpositionAComboBox, boundSelectionChanged);
    connectChange(this, form.boundSuperpositionBComboBox, boundSelectionChanged);
    connectChange(this, form.boundRelativePhaseSpinBox, boundSelectionChanged);
    connectClick(this, form.boundPrepareEigenButton, guardedSlot([this] { prepareBoundEigenstate(); }));
    connectClick(this, form.boundPrepareSuperpositionButton, guardedSlot([this] { prepareBoundSuperposition(); }));

    // Display tone controls: a value set by hand no longer matches a preset.
    connectChange(this, form.displayScaleComboBox, displayChanged);
    connectChange(this, form.exposureSpinBox, displayChanged);
    connectChange(this, form.gammaSpinBox, displayChanged);
    connectClick(this, form.displayResetButton, guardedSlot([this] { onDisplayResetClicked(); }));
    connectChange(this, form.postPreviewComboBox, displayChanged);
    connectChange(this, form.brightThresholdSpinBox, displayChanged);
    connectChange(this, form.brightKneeSpinBox, displayChanged);
    connectChange(this, form.blurSpreadSpinBox, displayChanged);
    connectChange(this, form.bloomStrengthSpinBox, displayChanged);
    connectChange(this, form.toneMapComboBox, displayChanged);

    // Geometry page and Potential Scene.
    connectChange(this, form.geometryComboBox, guardedSlot([this](int index) { onGeometryChanged(index); }));
    connectChange(this, form.potentialSceneActiveCheckBox,
                  guardedSlot([this](bool checked) { onPotentialSceneActiveToggled(checked); }));
    connect(form.potentialSceneListWidget, &QListWidget::currentItemChanged, this,
            guardedSlot([this] { onSceneSelectionChanged(); }));
    connectClick(this, form.addPotentialObjectButton, guardedSlot([this] { addCurrentGeometryToScene(); }));
    connectClick(this, form.updatePotentialObjectButton, guardedSlot([this] { applyPotentialObjectEdit(); }));
    connectClick(this, form.deletePotentialObjectButton, guardedSlot([this] { deleteSelectedSceneObject(); }));
    connectClick(this, form.clearPotentialSceneButton, guardedSlot([this] { clearPotentialScene(); }));
    connectChange(this, form.potentialObjectEnabledCheckBox,
                  guardedSlot([this](bool checked) { onPotentialObjectEnabledToggled(checked); }));

    // Protocols: the gauge modes go first, then the box's own exclusion and
    // rebuild, and the Dirac modes last.
    const auto protocols = protocolBoxes();
    for (QCheckBox* box : protocols)
        connectChange(this, box, guardedSlot([this](bool checked) { onDriveEnabledToggled(checked); }));
    const auto connectProtocol = [&](QCheckBox* box, void (MainWindow::*toggled)(bool),
                                     std::initializer_list<QWidget*> parameters) {
        connectChange(this, box, guardedSlot([this, toggled](bool checked) { (this->*toggled)(checked); }));
        for (QWidget* parameter : parameters) {
            if (auto* spin = qobject_cast<QDoubleSpinBox*>(parameter))
                connectChange(this, spin, rebuildUnlessLoading);
            else if (auto* integer = qobject_cast<QSpinBox*>(parameter))
                connectChange(this, integer, rebuildUnlessLoading);
            else if (auto* combo = qobject_cast<QComboBox*>(parameter))
                connectChange(this, combo, rebuildUnlessLoading);
            keyboardTrackingGate->watch(qobject_cast<QAbstractSpinBox*>(parameter));
        }
    };
    connectProtocol(form.quenchEnabledCheckBox, &MainWindow::onQuenchEnabledToggled,
                    {form.quenchTargetComboBox, form.quenchParameterComboBox, form.quenchTimeSpinBox,
                     form.quenchBeforeSpinBox, form.quenchAfterSpinBox});
    connectProtocol(form.periodicDriveEnabledCheckBox, &MainWindow::onPeriodicDriveEnabledToggled,
                    {form.periodicDriveTargetComboBox, form.periodicDriveParameterComboBox,
                     form.periodicDriveMeanSpinBox, form.periodicDriveAmplitudeSpinBox, form.periodicDriveOmegaSpinBox,
                     form.periodicDrivePhaseSpinBox});
    connectProtocol(form.linearSweepEnabledCheckBox, &MainWindow::onLinearSweepEnabledToggled,
                    {form.linearSweepTargetComboBox, form.linearSweepParameterComboBox,
                     form.linearSweepStartValueSpinBox, form.linearSweepEndValueSpinBox,
                     form.linearSweepStartTimeSpinBox, form.linearSweepDurationSpinBox,
                     form.linearSweepHoldDurationSpinBox, form.linearSweepReturnDurationSpinBox});
    connectProtocol(form.ramseyEnabledCheckBox, &MainWindow::onRamseyEnabledToggled,
                    {form.ramseyTargetComboBox, form.ramseyParameterComboBox, form.ramseyMeanSpinBox,
                     form.ramseyAmplitudeSpinBox, form.ramseyOmegaSpinBox, form.ramseyPulseDurationSpinBox,
                     form.ramseyFreeDurationSpinBox, form.ramseyStartTimeSpinBox, form.ramseyFirstPhaseSpinBox,
                     form.ramseySecondPhaseSpinBox, form.ramseyEchoDurationSpinBox, form.ramseyEchoPhaseSpinBox});
    connectProtocol(form.berryEnabledCheckBox, &MainWindow::onBerryEnabledToggled,
                    {form.berryAnisotropySpinBox, form.berryStartTimeSpinBox, form.berryDurationSpinBox,
                     form.berryWindingComboBox});
    connectProtocol(
        form.loschmidtEnabledCheckBox, &MainWindow::onLoschmidtEnabledToggled,
        {form.loschmidtTimeSpinBox, form.loschmidtMomentumErrorXSpinBox, form.loschmidtMomentumErrorYSpinBox});
    connectProtocol(form.moshinskyEnabledCheckBox, &MainWindow::onMoshinskyEnabledToggled,
                    {form.moshinskyTargetComboBox, form.moshinskyOpenTimeSpinBox, form.moshinskyDetectorXSpinBox,
                     form.moshinskyAnalysisEndTimeSpinBox});
    connectProtocol(form.kapitzaDiracEnabledCheckBox, &MainWindow::onKapitzaDiracEnabledToggled,
                    {form.kapitzaDiracPeriodSpinBox, form.kapitzaDiracDepthSpinBox, form.kapitzaDiracPhaseSpinBox,
                     form.kapitzaDiracStartSpinBox, form.kapitzaDiracDurationSpinBox,
                     form.kapitzaDiracAnalysisEndSpinBox, form.kapitzaDiracOrderSpinBox});
    connectChange(this, form.linearSweepReturnCheckBox, guardedSlot([this, &form = *ui](bool checked) {
                      form.linearSweepHoldDurationSpinBox->setEnabled(checked);
                      form.linearSweepReturnDurationSpinBox->setEnabled(checked);
                      rebuildUnlessApplying();
                  }));
    connectChange(this, form.ramseyEchoEnabledCheckBox, guardedSlot([this, &form = *ui](bool checked) {
                      form.ramseyEchoDurationSpinBox->setEnabled(checked);
                      form.ramseyEchoPhaseSpinBox->setEnabled(checked);
                      rebuildUnlessApplying();
                  }));

    // Gauge, backflow and Dirac modes with their Apply buttons.
    const auto connectToggle = [this](QCheckBox* box, void (MainWindow::*toggled)(bool)) {
        connectChange(this, box, guardedSlot([this, toggled](bool checked) { (this->*toggled)(checked); }));
    };
    const auto connectApply = [this](QAbstractButton* button, void (MainWindow::*clicked)()) {
        connectClick(this, button, guardedSlot([this, clicked] { (this->*clicked)(); }));
    };
    connectToggle(form.aharonovBohmEnabledCheckBox, &MainWindow::onAharonovBohmEnabledToggled);
    connectToggle(form.landauEnabledCheckBox, &MainWindow::onLandauEnabledToggled);
    connectToggle(form.hallEdgeEnabledCheckBox, &MainWindow::onHallEdgeEnabledToggled);
    connectToggle(form.backflowEnabledCheckBox, &MainWindow::onBackflowEnabledToggled);
    connectToggle(form.zitterEnabledCheckBox, &MainWindow::onZitterbewegungEnabledToggled);
    connectToggle(form.kleinEnabledCheckBox, &MainWindow::onKleinEnabledToggled);
    connectClick(this, form.aharonovBohmApplyButton, rebuildUnlessLoading);
    connectClick(this, form.landauApplyButton, rebuildUnlessLoading);
    connectClick(this, form.hallEdgeApplyButton, rebuildUnlessLoading);
    connectApply(form.backflowApplyButton, &MainWindow::onBackflowApplyClicked);
    connectApply(form.zitterApplyButton, &MainWindow::onZitterbewegungApplyClicked);
    connectApply(form.kleinApplyButton, &MainWindow::onKleinApplyClicked);
    const auto diracModesOff = guardedSlot([this](bool checked) {
        if (checked)
            switchDiracModesOff();
    });
    for (QCheckBox* box : protocols)
        connectChange(this, box, diracModesOff);
    for (QCheckBox* box : gaugeBoxes())
        connectChange(this, box, diracModesOff);
    connectChange(this, form.backflowEnabledCheckBox, diracModesOff);

    // Ramsey ensemble: the reference scan only, the run is unaffected.
    const auto ensembleChanged = guardedSlot([this] {
        if (!applyingExperiment)
            updateRamseyPanel(true);
    });
    connectChange(this, form.ramseyEnsembleEnabledCheckBox, guardedSlot([this, &form = *ui](bool checked) {
                      form.ramseyEnsembleSigmaSpinBox->setEnabled(checked);
                      form.ramseyEnsembleMembersSpinBox->setEnabled(checked);
                      if (!applyingExperiment)
                          updateRamseyPanel(true);
                  }));
    connectChange(this, form.ramseyEnsembleSigmaSpinBox, ensembleChanged);
    connectChange(this, form.ramseyEnsembleMembersSpinBox, ensembleChanged);
    const bool ensemble = form.ramseyEnsembleEnabledCheckBox->isChecked();
    form.ramseyEnsembleSigmaSpinBox->setEnabled(ensemble);
    form.ramseyEnsembleMembersSpinBox->setEnabled(ensemble);

    // Viewport editing.
    connectChange(this, form.viewportEditCheckBox,
                  guardedSlot([this](bool checked) { onViewportEditToggled(checked); }));
    connectChange(this, form.viewportEditToolComboBox, guardedSlot([this] {
                      syncViewportEditTool();
                      updateDiagnostics();
                  }));
}

void MainWindow::setupViewportEditing()
{
    Ui::MainWindow& form = *ui;
    form.quantumView->setEditTool(PotentialEditorShape::kRectangle);
    form.quantumView->setShapeCommittedCallback(
        [this](const PotentialEditorShape& shape) { guarded([this, &shape] { applyEditorShape(shape); }); });
}

void MainWindow::connectGeometryAndTransport()
{
    Ui::MainWindow& form = *ui;
    // With the scene on, the page is only an inspector of the selected
    // object until Apply; with it off, the page is the potential. The stadium
    // page has no object of the single-geometry list of its own but follows
    // the same rule.
    const auto geometryEdited = guardedSlot([this, &form = *ui] {
        if (form.potentialSceneActiveCheckBox->isChecked())
            updateDiagnostics();
        else
            rebuildSimulation();
    });
    QDoubleSpinBox* const geometryBoxes[] = {
        form.rectangleV0SpinBox,         form.rectangleCenterXSpinBox,    form.rectangleCenterYSpinBox,
        form.rectangleWidthSpinBox,      form.rectangleHeightSpinBox,     form.circleV0SpinBox,
        form.circleCenterXSpinBox,       form.circleCenterYSpinBox,       form.circleRadiusSpinBox,
        form.barrierV0SpinBox,           form.barrierCenterXSpinBox,      form.barrierCenterYSpinBox,
        form.barrierLengthSpinBox,       form.barrierThicknessSpinBox,    form.singleSlitV0SpinBox,
        form.singleSlitCenterXSpinBox,   form.singleSlitWallWidthSpinBox, form.singleSlitCenterYSpinBox,
        form.singleSlitHeightSpinBox,    form.doubleSlitV0SpinBox,        form.doubleSlitCenterXSpinBox,
        form.doubleSlitWallWidthSpinBox, form.doubleSlitCenterYSpinBox,   form.doubleSlitSeparationSpinBox,
        form.doubleSlitHeightSpinBox,    form.polygonV0SpinBox,           form.polygonCenterXSpinBox,
        form.polygonCenterYSpinBox,      form.polygonWidthSpinBox,        form.polygonHeightSpinBox,
        form.gaussianAmplitudeSpinBox,   form.gaussianCenterXSpinBox,     form.gaussianCenterYSpinBox,
        form.gaussianSigmaXSpinBox,      form.gaussianSigmaYSpinBox,      form.harmonicOffsetSpinBox,
        form.harmonicCenterXSpinBox,     form.harmonicCenterYSpinBox,     form.harmonicKxSpinBox,
        form.harmonicKySpinBox,          form.linearOffsetSpinBox,        form.linearCenterXSpinBox,
        form.linearCenterYSpinBox,       form.linearSlopeXSpinBox,        form.linearSlopeYSpinBox,
        form.radialCouplingSpinBox,      form.radialCenterXSpinBox,       form.radialCenterYSpinBox,
        form.radialSofteningSpinBox,     form.stadiumV0SpinBox,           form.stadiumCenterXSpinBox,
        form.stadiumCenterYSpinBox,      form.stadiumStraightSpinBox,     form.stadiumRadiusSpinBox,
    };
    for (QDoubleSpinBox* box : geometryBoxes) {
        connectChange(this, box, geometryEdited);
        keyboardTrackingGate->watch(box);
    }

    const auto rebuild = guardedSlot([this] { rebuildSimulation(); });
    for (QDoubleSpinBox* box : {form.centerXSpinBox, form.centerYSpinBox, form.sigmaSpinBox, form.momentumSpinBox,
                                form.momentumYSpinBox, form.massSpinBox}) {
        connectChange(this, box, rebuild);
        keyboardTrackingGate->watch(box);
    }

    connectClick(this, form.playButton, guardedSlot([this] { setRunning(true); }));
    connectClick(this, form.pauseButton, guardedSlot([this] { setRunning(false); }));
    connectClick(this, form.stepButton, guardedSlot([this] { stepOnce(); }));
    connectClick(this, form.resetButton, rebuild);
    connectClick(this, form.stopButton, guardedSlot([this] { onStopClicked(); }));
    connectChange(this, form.speedComboBox, guardedSlot([this] { onSpeedChanged(); }));
}

void MainWindow::rebuildUnlessApplying()
{
    if (!applyingExperiment)
        rebuildSimulation();
}

void MainWindow::reportHandlerFailure(const QString& message)
{
    // An exception without a text of its own still tells the user that the
    // action did not complete.
    showStatusMessage(message.isEmpty() ? QStringLiteral("Unexpected error.") : message, kStatusReportMs);
}

} // namespace vxo
