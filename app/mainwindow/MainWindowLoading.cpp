#include "app/mainwindow/MainWindow.h"

#include "app/mainwindow/ApplyingExperimentScope.h"
#include "app/form/FormIndices.h"
#include "app/form/CurrentPageScroller.h"
#include "app/form/QuietControlWrites.h"
#include "app/mainwindow/StatusDurations.h"
#include "core/Numeric.h"
#include "document/ExperimentCatalogue.h"
#include "experiments/QuantumDoubleWell2D.h"
#include "plots/QuantumBoundStatePlotWidget.h"
#include "ui/MainWindowForm.h"
#include "view/DisplayPreset.h"
#include "view/QuantumGLView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

namespace vxo {

namespace {

// Catalogue indices of the presets with extras of their own.
constexpr int kDoubleSlitPreset = 4;
constexpr int kResonantTunnelingPreset = 7;
constexpr int kMeasurementCollapsePreset = 11;
constexpr int kCoherentDoubleWellPreset = 12;
constexpr int kKickedRotorPreset = 35;

// Preparations that are an experiment's own state rather than a packet or a
// bound state of the form's potential.
bool isExperimentPreparation(InitialPreparationType type)
{
    const auto value = static_cast<std::uint32_t>(type);
    return value >= static_cast<std::uint32_t>(InitialPreparationType::TalbotComb) &&
           value <= static_cast<std::uint32_t>(InitialPreparationType::DiracKleinTunnelingState);
}

bool isBoundPreparation(InitialPreparationType type)
{
    return type == InitialPreparationType::BoundEigenstate || type == InitialPreparationType::BoundSuperposition;
}

// The analysis page of a catalogue page number; null for 34 and above.
QWidget* analysisPageOfNumber(const Ui::MainWindow* ui, std::int32_t number)
{
    const std::array<QWidget*, 34> pages{{
        ui->timeSeriesTab,    ui->resonanceTab,     ui->boundStatesTab,    ui->doubleWellTab,
        ui->quenchTab,        ui->periodicDriveTab, ui->rabiTab,           ui->landauZenerTab,
        ui->stueckelbergTab,  ui->ramseyTab,        ui->blochTab,          ui->revivalsTab,
        ui->billiardsTab,     ui->talbotTab,        ui->bouncerTab,        ui->vortexTab,
        ui->andersonTab,      ui->kickedRotorTab,   ui->zenoTab,           ui->scarsTab,
        ui->berryTab,         ui->loschmidtTab,     ui->moshinskyTab,      ui->kapitzaDiracTab,
        ui->aharonovBohmTab,  ui->landauTab,        ui->hallEdgeTab,       ui->backflowTab,
        ui->zitterTab,        ui->kleinTab,         ui->kleinAngleScanTab, ui->kleinHeightScanTab,
        ui->kleinMassScanTab, ui->diracMasslessTab,
    }};
    if (number < 0 || number >= static_cast<std::int32_t>(pages.size()))
        return nullptr;
    return pages[static_cast<std::size_t>(number)];
}

} // namespace

void MainWindow::loadGuidedExperiment(int presetIndex)
{
    if (presetIndex < 0 || !isValidPresetIndex(static_cast<std::uint32_t>(presetIndex)))
        return;
    const ExperimentPreset preset = makeExperimentPreset(static_cast<std::uint32_t>(presetIndex));
    const InitialPreparationType presetType = preset.initialPreparation.type;
    currentScale = preset.realWorldScale;
    runTimer->stop();
    transport.stop();

    ApplyingExperimentScope applying(applyingExperiment);
    preparationType = InitialPreparationType::Gaussian;
    stored = static_cast<const ExperimentSettingsRecords&>(preset);
    protocolOffNotes = {};
    if (isExperimentPreparation(presetType))
        preparationType = presetType;

    forgetBoundPreparation();

    potentialScene.clear();
    setCheckedQuietly(ui->potentialSceneActiveCheckBox, false);
    refreshSceneObjectList(0);

    // What the preset does not set starts as in a new window, not as the
    // previous experiment left it: its detector, speed or display would
    // otherwise run on into this one.
    restoreFreshControls();
    writePresetControls(preset);

    // The scene with the preset's own ids: drive records and the shutter name
    // their objects by id.
    potentialScene = preset.scene;
    setCheckedQuietly(ui->potentialSceneActiveCheckBox, preset.sceneActive && !potentialScene.empty());
    refreshSceneObjectList(potentialScene.empty() ? 0 : potentialScene.objects().front().id);

    applySettingsRecords(preset);

    // With its signals, so that its own handler switches the editor off.
    ui->viewportEditCheckBox->setChecked(false);

    // The kicked rotor is watched in momentum space.
    setIndexQuietly(ui->spaceComboBox,
                    indexOf(presetIndex == kKickedRotorPreset ? SpaceIndex::Momentum : SpaceIndex::Position));
    setIndexQuietly(ui->viewComboBox, static_cast<int>(preset.viewIndex));
    setIndexQuietly(ui->paletteComboBox, static_cast<int>(preset.paletteIndex));
    setCheckedQuietly(ui->currentOverlayCheckBox, preset.currentOverlay);
    setIndexQuietly(ui->currentModeComboBox, static_cast<int>(preset.currentModeIndex));
    updateCurrentOverlayControls();
    setIndexQuietly(ui->graphicsPresetComboBox, static_cast<int>(preset.graphicsPresetIndex));
    applyGraphicsPreset(static_cast<int>(preset.graphicsPresetIndex));

    applyPresetExtras(presetIndex);
    updateMeasurementModeTexts();
    updateHelpTexts(presetIndex);

    if (isExperimentPreparation(presetType))
        preparationType = presetType;
    // The identity comes before the rebuild, which configures the billiard
    // recorder by the experiment's title.
    lastDocumentPath.clear();
    experimentTitle = QString::fromLatin1(preset.title);
    sourcePresetName = experimentTitle;
    applying.release();
    rebuildSimulation();

    if (isBoundPreparation(presetType)) {
        restoreBoundPreparation(preset.initialPreparation, false, presetIndex == kCoherentDoubleWellPreset);
        ui->analysisDockWidget->show();
        updateDoubleWellPanel();
        updateRabiPanel();
        updateLandauZenerPanel();
        updateStueckelbergPanel(true);
    }

    const std::pair<InitialPreparationType, void (MainWindow::*)()> recorderPanels[] = {
        {InitialPreparationType::TalbotComb, &MainWindow::updateTalbotPanel},
        {InitialPreparationType::Vortex, &MainWindow::updateVortexPanel},
        {InitialPreparationType::AndersonDualLane, &MainWindow::updateAndersonPanel},
        {InitialPreparationType::KickedRotor, &MainWindow::updateKickedRotorPanel},
        {InitialPreparationType::QuantumZeno, &MainWindow::updateZenoPanel},
    };
    for (const auto& [type, updatePanel] : recorderPanels) {
        if (presetType == type) {
            ui->analysisDockWidget->show();
            (this->*updatePanel)();
        }
    }
    if (preset.quantumScar.enabled) {
        ui->analysisDockWidget->show();
        updateScarsPanel();
    }
    if (preset.quantumBerry.enabled || presetType == InitialPreparationType::BerryFirstExcited) {
        ui->analysisDockWidget->show();
        updateBerryPanel();
    }

    showAnalysisPage(analysisPageOfPreset(presetIndex));

    updateWindowTitle();
    updateDiagnostics();
    bringGuideForward();
    showStatusMessage(QStringLiteral("Loaded guided experiment: %1").arg(experimentTitle), kStatusNoticeMs);
}

void MainWindow::bringGuideForward()
{
    // A tab behind the controls where the docks share one column: the guide
    // of the experiment just loaded comes in front, the controls a click
    // away, and the diagnostics beside it show the rows it names.
    ui->helpDockWidget->show();
    ui->helpDockWidget->raise();
    fitDiagnosticsToTheirRows();
}

QWidget* MainWindow::analysisPageOfPreset(int presetIndex) const
{
    return analysisPageOfNumber(ui.get(), experimentPageForPreset(presetIndex));
}

void MainWindow::writePresetControls(const ExperimentPreset& preset)
{
    setValueQuietly(ui->universeWidthSpinBox, preset.universeWidth);
    setValueQuietly(ui->universeHeightSpinBox, preset.universeHeight);
    setIndexQuietly(ui->gridResolutionComboBox, static_cast<int>(preset.gridResolutionIndex));
    setIndexQuietly(ui->boundaryModeComboBox, static_cast<int>(preset.boundaryModeIndex));
    setValueQuietly(ui->absorbingWidthSpinBox, preset.absorbingWidthFraction);
    setValueQuietly(ui->absorbingStrengthSpinBox, preset.absorbingStrength);
    // The position and size ranges follow the new universe before the
    // packet and the geometry are written into them.
    updateDomainSpacingLabel();

    setValueQuietly(ui->centerXSpinBox, preset.packetCenterX);
    setValueQuietly(ui->centerYSpinBox, preset.packetCenterY);
    setValueQuietly(ui->sigmaSpinBox, preset.packetSigma);
    setValueQuietly(ui->momentumSpinBox, preset.packetMomentumX);
    setValueQuietly(ui->momentumYSpinBox, preset.packetMomentumY);
    setValueQuietly(ui->massSpinBox, preset.mass);
    setValueQuietly(ui->collapseResolutionSpinBox, preset.measurementCollapseResolution);

    // The pages were sized for barriers, the presets also build walls of
    // 120 and more and wells below 0: each strength box admits the preset's
    // strongest and deepest object, so that neither this page nor the scene
    // inspector weakens a wall or fills a well that "Apply changes" or the
    // single geometry would then use.
    double lowest = preset.geometryV0;
    double highest = preset.geometryV0;
    for (const PotentialObject& object : preset.scene.objects()) {
        lowest = std::min(lowest, static_cast<double>(object.value));
        highest = std::max(highest, static_cast<double>(object.value));
    }
    for (QDoubleSpinBox* strength : {ui->rectangleV0SpinBox, ui->circleV0SpinBox, ui->barrierV0SpinBox,
                                     ui->singleSlitV0SpinBox, ui->doubleSlitV0SpinBox, ui->polygonV0SpinBox})
        admitRangeQuietly(strength, lowest, highest);

    const int geometry = static_cast<int>(preset.geometryIndex);
    selectGeometryQuietly(geometry);
    // Values V0, centre x and y, then the page's sizes A to D.
    const auto writePage = [&preset](std::array<QDoubleSpinBox*, 7> boxes) {
        const double values[7] = {preset.geometryV0,    preset.geometryCenterX, preset.geometryCenterY,
                                  preset.geometrySizeA, preset.geometrySizeB,   preset.geometrySizeC,
                                  preset.geometrySizeD};
        for (std::size_t i = 0; i < boxes.size(); ++i)
            setValueQuietly(boxes[i], values[i]);
    };
    switch (geometry) {
    case 1:
        writePage({ui->rectangleV0SpinBox, ui->rectangleCenterXSpinBox, ui->rectangleCenterYSpinBox,
                   ui->rectangleWidthSpinBox, ui->rectangleHeightSpinBox, nullptr, nullptr});
        break;
    case 2:
        writePage({ui->circleV0SpinBox, ui->circleCenterXSpinBox, ui->circleCenterYSpinBox, ui->circleRadiusSpinBox,
                   nullptr, nullptr, nullptr});
        break;
    case 3:
        writePage({ui->barrierV0SpinBox, ui->barrierCenterXSpinBox, ui->barrierCenterYSpinBox,
                   ui->barrierThicknessSpinBox, ui->barrierLengthSpinBox, nullptr, nullptr});
        break;
    case 4:
        writePage({ui->singleSlitV0SpinBox, ui->singleSlitCenterXSpinBox, ui->singleSlitCenterYSpinBox,
                   ui->singleSlitWallWidthSpinBox, nullptr, ui->singleSlitHeightSpinBox, nullptr});
        break;
    case 5:
        writePage({ui->doubleSlitV0SpinBox, ui->doubleSlitCenterXSpinBox, ui->doubleSlitCenterYSpinBox,
                   ui->doubleSlitWallWidthSpinBox, nullptr, ui->doubleSlitSeparationSpinBox,
                   ui->doubleSlitHeightSpinBox});
        break;
    case 6:
        writePage({ui->polygonV0SpinBox, ui->polygonCenterXSpinBox, ui->polygonCenterYSpinBox, ui->polygonWidthSpinBox,
                   ui->polygonHeightSpinBox, nullptr, nullptr});
        break;
    case 11:
        // The stadium page mirrors the preset's first object, the wall itself.
        if (!preset.scene.empty()) {
            const PotentialObject& wall = preset.scene.objects().front();
            setValueQuietly(ui->stadiumV0SpinBox, wall.value);
            setValueQuietly(ui->stadiumCenterXSpinBox, wall.centerX);
            setValueQuietly(ui->stadiumCenterYSpinBox, wall.centerY);
            setValueQuietly(ui->stadiumStraightSpinBox, wall.width);
            setValueQuietly(ui->stadiumRadiusSpinBox, wall.radius);
        }
        break;
    default:
        break;
    }
}

void MainWindow::applyPresetExtras(int presetIndex)
{
    const auto withDock = [this](std::optional<SpeedIndex> speed) {
        ui->analysisDockWidget->show();
        if (speed)
            setRunSpeedIndex(indexOf(*speed));
    };
    const auto withControlPage = [this, &withDock](QWidget* page, SpeedIndex speedIndex) {
        ui->timeDependentSubTabWidget->setCurrentWidget(page);
        withDock(speedIndex);
    };

    if (presetIndex == kDoubleSlitPreset) {
        // The interference pattern is built up arrival by arrival.
        setIndexQuietly(ui->measurementModeComboBox, indexOf(MeasurementModeIndex::TemporalDetector));
        setValueQuietly(ui->detectorXSpinBox, 8.0);
        setValueQuietly(ui->detectorThicknessSpinBox, 0.32);
        setValueQuietly(ui->detectorBinsSpinBox, 64);
        setCheckedQuietly(ui->detectorVisibleCheckBox, true);
        setCheckedQuietly(ui->detectorReferenceCheckBox, true);
    } else if (presetIndex == kResonantTunnelingPreset) {
        applySceneDerivedControls();
        withDock(std::nullopt);
    } else if (presetIndex == kMeasurementCollapsePreset) {
        ui->controlsTabWidget->setCurrentWidget(ui->measurementTab);
        setIndexQuietly(ui->measurementModeComboBox, indexOf(MeasurementModeIndex::FullPlane));
        setCheckedQuietly(ui->measurementVisibleCheckBox, true);
    } else if (presetIndex >= 13 && presetIndex <= 26) {
        withDock(std::nullopt);
    } else if (presetIndex == 31) {
        withDock(SpeedIndex::Twice);
    } else if (presetIndex >= 27 && presetIndex <= 37) {
        withDock(SpeedIndex::FourTimes);
    } else if (presetIndex == 38) {
        withDock(SpeedIndex::SixteenTimes);
    } else if (presetIndex == 39) {
        withDock(SpeedIndex::EightTimes);
    } else if (presetIndex == 40) {
        withControlPage(ui->moshinskyControlPage, SpeedIndex::FourTimes);
    } else if (presetIndex == 41) {
        withControlPage(ui->kapitzaDiracControlPage, SpeedIndex::FourTimes);
    } else if (presetIndex == 42) {
        withControlPage(ui->aharonovBohmControlPage, SpeedIndex::FourTimes);
    } else if (presetIndex == 43) {
        withControlPage(ui->landauControlPage, SpeedIndex::EightTimes);
    } else if (presetIndex == 44) {
        withControlPage(ui->hallEdgeControlPage, SpeedIndex::EightTimes);
    } else if (presetIndex == 45) {
        withControlPage(ui->backflowControlPage, SpeedIndex::Twice);
    } else if (presetIndex == 46) {
        withControlPage(ui->zitterControlPage, SpeedIndex::Twice);
    } else if (presetIndex >= 47 && presetIndex <= 53) {
        withControlPage(ui->kleinControlPage, SpeedIndex::FourTimes);
        // The stationary scans are computed once, at load.
        if (presetIndex == 50)
            updateKleinAngleScanPanel();
        else if (presetIndex == 51)
            updateKleinHeightScanPanel();
        else if (presetIndex == 52)
            updateKleinMassScanPanel();
        else if (presetIndex == 53)
            updateDiracMasslessPanel();
    }
}

void MainWindow::setRunSpeedIndex(int index)
{
    setIndexQuietly(ui->speedComboBox, std::clamp(index, 0, ui->speedComboBox->count() - 1));
    transport.setSpeed(speedFactor());
    updateTimerInterval();
}

void MainWindow::captureFreshControls()
{
    std::vector<QWidget*> widgets = documentControlWidgets();
    for (QWidget* widget : std::initializer_list<QWidget*>{ui->collapseResolutionSpinBox, ui->resonanceScanModeComboBox,
                                                           ui->resonanceScanMinSpinBox, ui->resonanceScanMaxSpinBox,
                                                           ui->resonanceScanPointsSpinBox, ui->boundMaxStatesSpinBox,
                                                           ui->controlsTabWidget, ui->experimentSubTabWidget,
                                                           ui->potentialSubTabWidget, ui->timeDependentSubTabWidget})
        widgets.push_back(widget);
    freshControls.capture(widgets);
}

void MainWindow::restoreFreshControls()
{
    if (freshControls.empty())
        return;
    freshControls.restore();
    transport.setSpeed(speedFactor());
    updateTimerInterval();
    updatePotentialContourControls();
    updateProbabilityContourControls();
    updateCurrentOverlayControls();
    // The tool box was written quietly: the viewport would go on drawing the
    // shape chosen before the load.
    syncViewportEditTool();
    ui->quantumView->resetView();
}

// The double-well analysis keeps no state of its own: its scene record and
// reference are all there is to forget. The spectrum described the previous
// experiment's well: the selectors start empty, as in a new window, and a
// bound-state experiment computes its own.
void MainWindow::forgetBoundPreparation()
{
    boundStartReplaced = false;
    twoLevel.doubleWellConfig = {};
    twoLevel.doubleWellParameters = {};
    boundStates = BoundStateResult{};
    for (QComboBox* selector :
         {ui->boundStateComboBox, ui->boundSuperpositionAComboBox, ui->boundSuperpositionBComboBox}) {
        const QSignalBlocker blocker(selector);
        selector->clear();
    }
    boundStateA = 0;
    boundStateB = 3;
    boundRelativePhase = kPi / 2.0;
    setValueQuietly(ui->boundRelativePhaseSpinBox, 90.0);
    clearCollapseReadout();
    ui->boundStatePlotWidget->clear();
}

MainWindow::BoundRestore MainWindow::restoreBoundPreparation(const InitialPreparation& preparation, bool raiseMaxStates,
                                                             bool localisingPhase)
{
    boundStateA = preparation.stateA;
    boundStateB = preparation.stateB;
    boundRelativePhase = preparation.relativePhaseDegrees * kPi / 180.0;
    setValueQuietly(ui->boundRelativePhaseSpinBox, preparation.relativePhaseDegrees);
    if (raiseMaxStates) {
        const int needed = std::max(preparation.stateA, preparation.stateB) + 1;
        setValueQuietly(ui->boundMaxStatesSpinBox, std::max(ui->boundMaxStatesSpinBox->value(), needed));
    }

    computeBoundStates();
    const int count = static_cast<int>(boundStates.states.size());
    if (count == 0)
        return BoundRestore::NoBoundStates;
    const int a = std::clamp(static_cast<int>(preparation.stateA), 0, count - 1);
    const int b = std::clamp(static_cast<int>(preparation.stateB), 0, count - 1);
    const bool eigenstate = preparation.type == InitialPreparationType::BoundEigenstate;
    setIndexQuietly(ui->boundStateComboBox, a);
    setIndexQuietly(ui->boundSuperpositionAComboBox, eigenstate ? 0 : a);
    setIndexQuietly(ui->boundSuperpositionBComboBox, b);

    if (eigenstate) {
        prepareBoundEigenstate();
        return BoundRestore::Prepared;
    }
    if (a == b)
        return BoundRestore::SameStateTwice;
    if (localisingPhase) {
        // The phase that starts the pair in the left well, whatever sign the
        // solver gave the two states.
        boundRelativePhase = QuantumDoubleWell2D::localizingPhase(boundStates, a, b);
        setValueQuietly(ui->boundRelativePhaseSpinBox, boundRelativePhase * 180.0 / kPi);
    }
    prepareBoundSuperposition();
    return BoundRestore::Prepared;
}

void MainWindow::applyGraphicsPreset(int presetIndex)
{
    // "Custom" names no values.
    if (presetIndex < 0 || presetIndex >= indexOf(GraphicsPresetIndex::Custom))
        return;
    const DisplayPreset display = displayPresetValues(presetIndex);
    const QSignalBlocker blockers[] = {
        QSignalBlocker(ui->paletteComboBox),      QSignalBlocker(ui->displayScaleComboBox),
        QSignalBlocker(ui->exposureSpinBox),      QSignalBlocker(ui->gammaSpinBox),
        QSignalBlocker(ui->postPreviewComboBox),  QSignalBlocker(ui->brightThresholdSpinBox),
        QSignalBlocker(ui->brightKneeSpinBox),    QSignalBlocker(ui->blurSpreadSpinBox),
        QSignalBlocker(ui->bloomStrengthSpinBox), QSignalBlocker(ui->toneMapComboBox),
    };
    ui->paletteComboBox->setCurrentIndex(display.palette);
    ui->displayScaleComboBox->setCurrentIndex(display.displayScale);
    ui->exposureSpinBox->setValue(display.exposureEv);
    ui->gammaSpinBox->setValue(display.gamma);
    ui->postPreviewComboBox->setCurrentIndex(display.postPreview);
    ui->brightThresholdSpinBox->setValue(display.threshold);
    ui->brightKneeSpinBox->setValue(display.softKnee);
    ui->blurSpreadSpinBox->setValue(display.blurSpread);
    ui->bloomStrengthSpinBox->setValue(display.bloomStrength);
    ui->toneMapComboBox->setCurrentIndex(display.toneMapOperator);
    refreshViews();
}

void MainWindow::showAnalysisPage(QWidget* page)
{
    if (!page)
        return;
    const int index = ui->analysisStackedWidget->indexOf(page);
    if (index < 0)
        return;
    ui->analysisStackedWidget->setCurrentIndex(index);
    // The page may already be the current one: it opens all the same.
    if (analysisPageScroller)
        analysisPageScroller->revealPlot();
    setIndexQuietly(ui->analysisPageComboBox, index);
    const QString windowTitle = page->windowTitle().trimmed();
    const QString title = windowTitle.isEmpty() ? page->objectName() : windowTitle;
    ui->analysisPageTitleLabel->setText(QStringLiteral("Experiment Analysis - %1").arg(title));
    ui->analysisTabWidget->setCurrentWidget(ui->experimentAnalysisTab);
}

void MainWindow::markGraphicsPresetCustom()
{
    if (isSelected(ui->graphicsPresetComboBox, GraphicsPresetIndex::Custom))
        return;
    setIndexQuietly(ui->graphicsPresetComboBox, indexOf(GraphicsPresetIndex::Custom));
}

} // namespace vxo
