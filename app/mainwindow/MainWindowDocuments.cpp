#include "app/mainwindow/MainWindow.h"

#include "app/mainwindow/ApplyingExperimentScope.h"
#include "app/form/BoxRounding.h"
#include "app/form/ControlValue.h"
#include "app/form/DomainSpinRanges.h"
#include "app/form/FormIndices.h"
#include "app/form/QuietControlWrites.h"
#include "app/text/ExperimentFileName.h"
#include "app/form/ExperimentSettingsForm.h"
#include "app/mainwindow/StatusDurations.h"
#include "core/Numeric.h"
#include "document/DisplayText.h"
#include "document/ExperimentCatalogue.h"
#include "document/ExperimentDocumentJson.h"
#include "document/ExperimentFile.h"
#include "ui/MainWindowForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSpinBox>
#include <QStringList>
#include <QStackedWidget>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>

namespace vxo {

namespace {

// The six controls that set the grid, applied first so that the ranges of
// the position controls follow the document's domain.
const char* const kDomainControls[] = {
    "universeWidthSpinBox", "universeHeightSpinBox", "gridResolutionComboBox",
    "boundaryModeComboBox", "absorbingWidthSpinBox", "absorbingStrengthSpinBox",
};

// The controls a document carries, in the order they are captured, checked
// and applied.
const char* const kDocumentControls[] = {
    "speedComboBox",
    "universeWidthSpinBox",
    "universeHeightSpinBox",
    "gridResolutionComboBox",
    "boundaryModeComboBox",
    "absorbingWidthSpinBox",
    "absorbingStrengthSpinBox",
    "geometryComboBox",
    "viewportEditToolComboBox",
    "rectangleV0SpinBox",
    "rectangleCenterXSpinBox",
    "rectangleCenterYSpinBox",
    "rectangleWidthSpinBox",
    "rectangleHeightSpinBox",
    "circleV0SpinBox",
    "circleCenterXSpinBox",
    "circleCenterYSpinBox",
    "circleRadiusSpinBox",
    "barrierV0SpinBox",
    "barrierCenterXSpinBox",
    "barrierCenterYSpinBox",
    "barrierLengthSpinBox",
    "barrierThicknessSpinBox",
    "singleSlitV0SpinBox",
    "singleSlitCenterXSpinBox",
    "singleSlitWallWidthSpinBox",
    "singleSlitCenterYSpinBox",
    "singleSlitHeightSpinBox",
    "doubleSlitV0SpinBox",
    "doubleSlitCenterXSpinBox",
    "doubleSlitWallWidthSpinBox",
    "doubleSlitCenterYSpinBox",
    "doubleSlitSeparationSpinBox",
    "doubleSlitHeightSpinBox",
    "polygonV0SpinBox",
    "polygonCenterXSpinBox",
    "polygonCenterYSpinBox",
    "polygonWidthSpinBox",
    "polygonHeightSpinBox",
    "gaussianAmplitudeSpinBox",
    "gaussianCenterXSpinBox",
    "gaussianCenterYSpinBox",
    "gaussianSigmaXSpinBox",
    "gaussianSigmaYSpinBox",
    "harmonicOffsetSpinBox",
    "harmonicCenterXSpinBox",
    "harmonicCenterYSpinBox",
    "harmonicKxSpinBox",
    "harmonicKySpinBox",
    "linearOffsetSpinBox",
    "linearCenterXSpinBox",
    "linearCenterYSpinBox",
    "linearSlopeXSpinBox",
    "linearSlopeYSpinBox",
    "radialCouplingSpinBox",
    "radialCenterXSpinBox",
    "radialCenterYSpinBox",
    "radialSofteningSpinBox",
    "centerXSpinBox",
    "centerYSpinBox",
    "sigmaSpinBox",
    "momentumSpinBox",
    "momentumYSpinBox",
    "massSpinBox",
    "measurementShotsComboBox",
    "measurementVisibleCheckBox",
    "measurementPointSizeSpinBox",
    "measurementModeComboBox",
    "detectorXSpinBox",
    "detectorThicknessSpinBox",
    "detectorBinsSpinBox",
    "detectorVisibleCheckBox",
    "detectorReferenceCheckBox",
    "spaceComboBox",
    "viewComboBox",
    "paletteComboBox",
    "potentialOverlayCheckBox",
    "potentialOverlayOpacitySpinBox",
    "potentialContoursCheckBox",
    "potentialContourLevelsSpinBox",
    "potentialContourWidthSpinBox",
    "potentialContourOpacitySpinBox",
    "probabilityContoursCheckBox",
    "probabilityContourSpacingComboBox",
    "probabilityContourLevelsSpinBox",
    "probabilityContourDecadesSpinBox",
    "probabilityContourWidthSpinBox",
    "probabilityContourOpacitySpinBox",
    "currentOverlayCheckBox",
    "currentModeComboBox",
    "currentSpacingSpinBox",
    "currentScaleSpinBox",
    "streamlineLengthSpinBox",
    "graphicsPresetComboBox",
    "displayScaleComboBox",
    "exposureSpinBox",
    "gammaSpinBox",
    "postPreviewComboBox",
    "brightThresholdSpinBox",
    "brightKneeSpinBox",
    "blurSpreadSpinBox",
    "bloomStrengthSpinBox",
    "toneMapComboBox",
    "crossSectionAxisComboBox",
    "crossSectionPositionSpinBox",
    "crossSectionCurveComboBox",
    "crossSectionLineCheckBox",
    "timeSeriesQuantityComboBox",
};

// Its range follows the rebuilt grid, so its value is applied after the rebuild.
const char* const kCrossSectionPosition = "crossSectionPositionSpinBox";

// The page of the legacy Stadium Exterior geometry has no entry in the list
// above. Documents carry it as extra controls, which files without them
// simply lack.
const char* const kStadiumControls[] = {
    "stadiumV0SpinBox",       "stadiumCenterXSpinBox", "stadiumCenterYSpinBox",
    "stadiumStraightSpinBox", "stadiumRadiusSpinBox",
};

bool drivesSlopeX(bool enabled, std::int32_t parameter) { return enabled && parameter == SceneParameterSlopeX; }

} // namespace

ExperimentDocument MainWindow::captureExperimentDocument() const
{
    ExperimentDocument document;

    const QString libraryText = ui->experimentPresetComboBox->currentText();
    document.name = experimentTitle.isEmpty() ? libraryText : experimentTitle;
    document.sourcePreset = sourcePresetName.isEmpty() ? libraryText : sourcePresetName;

    const auto captureControl = [&](const char* name) {
        const QString key = QLatin1String(name);
        const QVariant value = controlValue(findChild<QWidget*>(key));
        if (value.isValid())
            document.controls.insert(key, value);
    };
    for (const char* name : kDocumentControls)
        captureControl(name);
    for (const char* name : kStadiumControls)
        captureControl(name);

    document.potentialScene = potentialScene;
    document.potentialSceneActive = ui->potentialSceneActiveCheckBox->isChecked() && !potentialScene.empty();

    document.initialPreparation.type = preparationType;
    document.initialPreparation.stateA = boundStateA;
    document.initialPreparation.stateB = boundStateB;
    document.initialPreparation.relativePhaseDegrees = boundRelativePhase * 180.0 / kPi;
    document.measurementCollapseResolution = ui->collapseResolutionSpinBox->value();

    // The initial states have no controls: the stored copies are the record.
    // The kicked-rotor, Zeno and scar pages are read as they stand, Apply
    // pressed or not.
    static_cast<ExperimentSettingsRecords&>(document) = stored;
    document.quantumQuench = formSettings<QuantumQuench>();
    document.periodicDrive = formSettings<PeriodicDrive>();
    document.linearSweep = formSettings<LinearSweep>();
    document.ramseySequence = formSettings<RamseySequence>();
    document.ramseyEnsemble = formSettings<RamseyEnsemble>();
    document.kickedRotor = readSettingsFromForm(*ui, stored.kickedRotor);
    document.quantumZeno = readSettingsFromForm(*ui, stored.quantumZeno);
    document.quantumScar = readSettingsFromForm(*ui, stored.quantumScar);
    document.quantumBerry = formSettings<BerryConfig>();
    document.quantumLoschmidt = formSettings<LoschmidtConfig>();
    document.quantumMoshinsky = formSettings<MoshinskyConfig>();
    document.quantumKapitzaDirac = formSettings<KapitzaDiracConfig>();
    document.quantumAharonovBohm = formSettings<AharonovBohmConfig>();
    document.quantumLandau = formSettings<LandauConfig>();
    document.quantumHallEdge = formSettings<HallEdgeConfig>();
    document.quantumBackflow = formSettings<BackflowConfig>();
    document.quantumZitterbewegung = formSettings<ZitterbewegungConfig>();
    document.quantumKleinTunneling = formSettings<KleinTunnelingConfig>();
    // A record the scene leaves nothing to act on runs as off: it is kept
    // off, which the reader accepts.
    disableRecordsTheSceneRefuses(document);
    return document;
}

bool MainWindow::validateDocumentControls(const ExperimentDocument& document, QString& error) const
{
    for (const char* name : kDocumentControls) {
        const QString key = QLatin1String(name);
        const auto entry = document.controls.constFind(key);
        if (entry == document.controls.constEnd()) {
            error = QStringLiteral("Experiment document is missing control '%1'.").arg(key);
            return false;
        }
        const QWidget* widget = findChild<QWidget*>(key);
        if (widget == nullptr) {
            error = QStringLiteral("This build does not contain control '%1'.").arg(key);
            return false;
        }
        error = controlValueFault(widget, key, entry.value());
        if (!error.isEmpty())
            return false;
    }
    for (const char* name : kStadiumControls) {
        const QString key = QLatin1String(name);
        const auto entry = document.controls.constFind(key);
        const QWidget* widget = findChild<QWidget*>(key);
        if (entry != document.controls.constEnd() && widget != nullptr) {
            error = controlValueFault(widget, key, entry.value());
            if (!error.isEmpty())
                return false;
        }
    }
    error = documentNumbersFault(*ui, *this, documentControlWidgets(), document);
    return error.isEmpty();
}

std::vector<QWidget*> MainWindow::documentControlWidgets() const
{
    std::vector<QWidget*> widgets;
    const auto add = [this, &widgets](const char* name) {
        if (QWidget* widget = findChild<QWidget*>(QLatin1String(name)))
            widgets.push_back(widget);
    };
    for (const char* name : kDocumentControls)
        add(name);
    for (const char* name : kStadiumControls)
        add(name);
    return widgets;
}

bool MainWindow::applyExperimentDocument(const ExperimentDocument& document, QString& error)
{
    return applyDocument(document, error) == DocumentApplication::Applied;
}

int MainWindow::presetIndexOfTitle(const QString& title) const
{
    const int index = ui->experimentPresetComboBox->findText(title, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return index >= 0 && isValidPresetIndex(static_cast<std::uint32_t>(index)) ? index : -1;
}

MainWindow::DocumentApplication MainWindow::applyDocument(const ExperimentDocument& file, QString& error,
                                                          std::vector<BoxRounding>* roundings)
{
    error.clear();
    if (!validateDocumentControls(file, error))
        return DocumentApplication::Refused;
    // Nothing in the window has changed up to here. Each number as its box
    // shows it, so that the box, the run and the next Save hold one value.
    ExperimentDocument document = file;
    std::vector<BoxRounding> rounded = roundDocumentForBoxes(*ui, documentControlWidgets(), document);
    if (roundings != nullptr)
        *roundings = std::move(rounded);

    const int sourcePresetIndex = presetIndexOfTitle(document.sourcePreset);
    runTimer->stop();
    transport.stop();
    ui->quantumView->resetView();

    ApplyingExperimentScope scope(applyingExperiment);
    const auto documentType = document.initialPreparation.type;
    // Only the experiments' own states live on in preparationType; a bound
    // preparation is restored from the spectrum below.
    const bool experimentState = documentType >= InitialPreparationType::TalbotComb &&
                                 documentType <= InitialPreparationType::DiracKleinTunnelingState;
    preparationType = experimentState ? documentType : InitialPreparationType::Gaussian;
    stored = static_cast<const ExperimentSettingsRecords&>(document);
    protocolOffNotes = {};
    noteDocumentSwitchOffs(document);
    // The document's identity before the rebuild, whose recorders key on it.
    experimentTitle = document.name.trimmed();
    sourcePresetName = document.sourcePreset;
    currentScale = sourcePresetIndex >= 0
                       ? makeExperimentPreset(static_cast<std::uint32_t>(sourcePresetIndex)).realWorldScale
                       : RealWorldScaleMapping{};

    forgetBoundPreparation();

    const auto applyNamed = [&](const char* name) {
        const QString key = QLatin1String(name);
        const auto entry = document.controls.constFind(key);
        if (entry != document.controls.constEnd())
            applyControlValue(findChild<QWidget*>(key), entry.value());
    };
    for (const char* name : kDomainControls)
        applyNamed(name);
    updateDomainSpacingLabel();
    // After the domain: the resolution's minimum follows the grid spacing,
    // and the old grid's minimum would clamp a finer document's value.
    setValueQuietly(ui->collapseResolutionSpinBox, document.measurementCollapseResolution);
    // As for a guided load, each strength box admits the document's own value
    // and the scene's strongest and deepest object, so that no wall is
    // weakened and no well filled on the way into the form.
    double lowest = std::numeric_limits<double>::infinity();
    double highest = -lowest;
    for (const PotentialObject& object : document.potentialScene.objects()) {
        lowest = std::min(lowest, static_cast<double>(object.value));
        highest = std::max(highest, static_cast<double>(object.value));
    }
    for (QDoubleSpinBox* strength : {ui->rectangleV0SpinBox, ui->circleV0SpinBox, ui->barrierV0SpinBox,
                                     ui->singleSlitV0SpinBox, ui->doubleSlitV0SpinBox, ui->polygonV0SpinBox}) {
        const double value = document.controls.value(strength->objectName()).toDouble();
        admitRangeQuietly(strength, std::min(lowest, value), std::max(highest, value));
    }
    for (const char* name : kDocumentControls) {
        const bool domain = std::any_of(std::begin(kDomainControls), std::end(kDomainControls),
                                        [name](const char* other) { return qstrcmp(name, other) == 0; });
        if (!domain && qstrcmp(name, kCrossSectionPosition) != 0)
            applyNamed(name);
    }
    ui->geometryParametersStackedWidget->setCurrentIndex(ui->geometryComboBox->currentIndex());

    potentialScene = document.potentialScene;
    setCheckedQuietly(ui->potentialSceneActiveCheckBox, document.potentialSceneActive && !potentialScene.empty());
    refreshSceneObjectList(0);
    // Selecting the first scene object has just loaded it into the geometry
    // pages. With the scene off the saved pages are the potential itself:
    // put them back. With the scene on the pages are the inspector of the
    // highlighted object and stay as the refresh left them, or "Apply
    // changes" would write another object's values, even its kind, into it.
    const bool sceneOn = ui->potentialSceneActiveCheckBox->isChecked();
    if (!sceneOn) {
        applyNamed("geometryComboBox");
        for (const char* name : kDocumentControls) {
            const QWidget* widget = findChild<QWidget*>(QLatin1String(name));
            if (widget != nullptr && ui->geometryParametersStackedWidget->isAncestorOf(widget))
                applyNamed(name);
        }
        for (const char* name : kStadiumControls)
            applyNamed(name);
        ui->geometryParametersStackedWidget->setCurrentIndex(ui->geometryComboBox->currentIndex());
    }
    applySettingsRecords(document);

    setCheckedQuietly(ui->viewportEditCheckBox, false);
    ui->viewportEditToolComboBox->setEnabled(false);
    ui->viewportEditorHintLabel->setEnabled(false);
    syncViewportEditTool();
    ui->quantumView->setViewportEditEnabled(false);

    transport.setSpeed(speedFactor());
    updateTimerInterval();
    updateRenderingControlStates();

    scope.release();
    rebuildSimulation();

    showDocumentSourcePage(sourcePresetIndex);
    // A bound state that cannot be prepared again leaves the packet the
    // rebuild prepared; the rest of the document is applied all the same, so
    // the window holds the whole document but for that state.
    const bool boundStateRestored = restoreDocumentBoundState(document, error);
    showDocumentExperimentPages(document, sourcePresetIndex);

    updateCrossSectionPanel();
    const auto position = document.controls.constFind(QLatin1String(kCrossSectionPosition));
    if (position != document.controls.constEnd() &&
        applyControlValue(ui->crossSectionPositionSpinBox, position.value()))
        updateCrossSectionPanel();
    updateRenderingControlStates();
    updateMeasurementModeTexts();
    updateTransportUi();
    refreshViews();
    return boundStateRestored ? DocumentApplication::Applied : DocumentApplication::Partial;
}

bool MainWindow::restoreDocumentBoundState(const ExperimentDocument& document, QString& error)
{
    const InitialPreparation& saved = document.initialPreparation;
    const bool eigenstate = saved.type == InitialPreparationType::BoundEigenstate;
    if (!eigenstate && saved.type != InitialPreparationType::BoundSuperposition)
        return true;

    // The saved phase as it is: a document keeps the phase it was saved with.
    switch (restoreBoundPreparation(saved, true, false)) {
    case BoundRestore::NoBoundStates:
        error = QStringLiteral("Saved bound-state preparation cannot be reconstructed for the loaded potential.");
        return false;
    case BoundRestore::SameStateTwice:
        error = QStringLiteral("Saved bound-state superposition refers to the same state twice.");
        return false;
    case BoundRestore::Prepared:
        break;
    }

    DoubleWellConfig wells;
    if (ui->potentialSceneActiveCheckBox->isChecked() &&
        QuantumDoubleWell2D::extractFromScene(potentialScene, wells, nullptr)) {
        QWidget* page = ui->doubleWellTab;
        if (drivesSlopeX(document.ramseySequence.enabled, document.ramseySequence.parameter))
            page = ui->ramseyTab;
        else if (drivesSlopeX(document.linearSweep.enabled, document.linearSweep.parameter))
            page = document.linearSweep.returnEnabled ? ui->stueckelbergTab : ui->landauZenerTab;
        else if (drivesSlopeX(document.periodicDrive.enabled, document.periodicDrive.parameter))
            page = ui->rabiTab;
        showAnalysisPage(page);
        ui->analysisDockWidget->show();
    }
    updateDoubleWellPanel();
    updateRabiPanel();
    updateLandauZenerPanel();
    updateStueckelbergPanel(true);
    updateRamseyPanel(true);
    return true;
}

void MainWindow::showDocumentSourcePage(int sourcePresetIndex)
{
    // The page the document's guided experiment opens, or the first page for
    // a document of no guided experiment, as in a new window: the page of
    // the experiment before it would otherwise stay with its hints.
    QWidget* page = sourcePresetIndex >= 0 ? analysisPageOfPreset(sourcePresetIndex) : nullptr;
    if (page != nullptr) {
        showAnalysisPage(page);
        return;
    }
    const QSignalBlocker blocker(ui->analysisPageComboBox);
    ui->analysisStackedWidget->setCurrentIndex(0);
    ui->analysisPageComboBox->setCurrentIndex(0);
}

void MainWindow::showDocumentExperimentPages(const ExperimentDocument& document, int sourcePresetIndex)
{
    using Panel = void (MainWindow::*)();
    struct PageRow {
        bool matches;
        QWidget* page;
        QWidget* controlPage;
        std::optional<SpaceIndex> space; // none: the space selector stays
        std::initializer_list<Panel> panels;
    };
    const auto type = document.initialPreparation.type;
    const auto is = [type](InitialPreparationType other) { return type == other; };
    QWidget* kleinPage = ui->kleinTab;
    switch (sourcePresetIndex) {
    case 50:
        kleinPage = ui->kleinAngleScanTab;
        break;
    case 51:
        kleinPage = ui->kleinHeightScanTab;
        break;
    case 52:
        kleinPage = ui->kleinMassScanTab;
        break;
    case 53:
        kleinPage = ui->diracMasslessTab;
        break;
    default:
        break;
    }
    using It = InitialPreparationType;
    constexpr std::optional<SpaceIndex> keep{}, position = SpaceIndex::Position, momentum = SpaceIndex::Momentum;
    const PageRow rows[] = {
        {is(It::TalbotComb), ui->talbotTab, nullptr, keep, {&MainWindow::updateTalbotPanel}},
        {is(It::Vortex), ui->vortexTab, nullptr, keep, {&MainWindow::updateVortexPanel}},
        {is(It::AndersonDualLane), ui->andersonTab, nullptr, keep, {&MainWindow::updateAndersonPanel}},
        {is(It::KickedRotor), ui->kickedRotorTab, nullptr, momentum, {&MainWindow::updateKickedRotorPanel}},
        {is(It::QuantumZeno), ui->zenoTab, nullptr, position, {&MainWindow::updateZenoPanel}},
        {document.quantumScar.enabled, ui->scarsTab, nullptr, position, {&MainWindow::updateScarsPanel}},
        {document.quantumBerry.enabled || is(It::BerryFirstExcited),
         ui->berryTab,
         nullptr,
         position,
         {&MainWindow::updateBerryPanel}},
        {document.quantumLoschmidt.enabled, ui->loschmidtTab, nullptr, position, {&MainWindow::updateLoschmidtPanel}},
        {document.quantumMoshinsky.enabled || is(It::MoshinskyShutter),
         ui->moshinskyTab,
         ui->moshinskyControlPage,
         position,
         {&MainWindow::updateMoshinskyPanel}},
        {document.quantumKapitzaDirac.enabled || is(It::KapitzaDiracBeam),
         ui->kapitzaDiracTab,
         ui->kapitzaDiracControlPage,
         position,
         {&MainWindow::updateKapitzaDiracPanel}},
        {document.quantumAharonovBohm.enabled || is(It::AharonovBohmBeam),
         ui->aharonovBohmTab,
         ui->aharonovBohmControlPage,
         position,
         {&MainWindow::updateAharonovBohmPanel}},
        {document.quantumLandau.enabled || is(It::LandauMagneticState),
         ui->landauTab,
         ui->landauControlPage,
         position,
         {&MainWindow::updateLandauPanel}},
        {document.quantumHallEdge.enabled || is(It::QuantumHallEdgeState),
         ui->hallEdgeTab,
         ui->hallEdgeControlPage,
         position,
         {&MainWindow::updateHallEdgePanel}},
        {document.quantumBackflow.enabled || is(It::QuantumBackflowState),
         ui->backflowTab,
         ui->backflowControlPage,
         position,
         {&MainWindow::updateBackflowPanel}},
        {document.quantumZitterbewegung.enabled || is(It::DiracZitterbewegungState),
         ui->zitterTab,
         ui->zitterControlPage,
         position,
         {&MainWindow::updateZitterbewegungPanel}},
        {document.quantumKleinTunneling.enabled || is(It::DiracKleinTunnelingState),
         kleinPage,
         ui->kleinControlPage,
         position,
         {&MainWindow::updateKleinPanel, &MainWindow::updateKleinAngleScanPanel,
          &MainWindow::updateKleinHeightScanPanel, &MainWindow::updateKleinMassScanPanel,
          &MainWindow::updateDiracMasslessPanel}},
    };
    for (const PageRow& row : rows) {
        if (!row.matches)
            continue;
        showAnalysisPage(row.page);
        ui->analysisDockWidget->show();
        if (row.controlPage != nullptr)
            ui->timeDependentSubTabWidget->setCurrentWidget(row.controlPage);
        if (row.space)
            setIndexQuietly(ui->spaceComboBox, indexOf(*row.space));
        for (const Panel panel : row.panels)
            (this->*panel)();
    }
}

} // namespace vxo
