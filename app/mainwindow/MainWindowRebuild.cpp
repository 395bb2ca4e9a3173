#include "app/mainwindow/MainWindow.h"

#include "app/form/FormIndices.h"
#include "app/mainwindow/StatusDurations.h"
#include "experiments/QuantumResonance2D.h"
#include "ui/MainWindowForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <type_traits>

namespace vxo {

void MainWindow::rebuildSimulation()
{
    // A loader writing the form triggers many change handlers; it rebuilds
    // once itself when it is done.
    if (applyingExperiment)
        return;
    // Before anything reads the protocols from the form.
    switchOffRefusedProtocols();

    runTimer->stop();
    transport.stop();

    discardMeasurementHits();
    clearCollapseReadout();
    detectorFlux.reset();
    ui->detectorFluxValueLabel->setText(QStringLiteral("0.000000"));

    const SimulationDomain2D domain = currentSimulationDomain();
    psi.reset(domain.nx(), domain.ny(), domain.dx(), domain.dy());
    potential.reset(domain.nx(), domain.ny(), domain.dx(), domain.dy());

    resetProtocolRunState();
    refreshStoredSettingsFromForm();
    diracSpinor.resize(domain.nx(), domain.ny(), domain.dx(), domain.dy());
    diracEnergyReading.invalidate();
    rasterisePotentialAndGaugeFields();

    // The run state was cleared above, so the quench's forced and unforced
    // calls differ only when the quench is off or invalid: the forced one then
    // re-rasterises the bare scene, which would erase the Klein barrier, the
    // solenoid disc and the Hall wall painted over it a moment ago.
    applyQuench(0.0, false);
    applyPeriodicDrive(0.0, true);
    applyLinearSweep(0.0, true);
    applyRamseySequence(0.0, true);
    applyBerryLoop(0.0, true);
    applyMoshinskyShutter(0.0, true);
    applyKapitzaDiracPulse(0.0, true);
    const MoshinskyShutterGeometry& shutter = appliers.moshinskyShutterApplier.geometry();
    if (stored.quantumMoshinsky.enabled && shutter.valid)
        stored.moshinskyInitialState.shutterX = shutter.centerX;

    configureSolvers();
    calibrateSweepReference();
    calibrateRamseyReference();
    if (!prepareExperimentInitialState())
        prepareFormPacket();

    configureDiracRecorders();
    configureObservationRecorders();
    configureStepRecorders();

    solver.resetClock();
    invalidateMomentumField();
    // The potential decides the sub-step the kinetic table is built for.
    solver.preparePotentialPhase(potential);
    solver.prepareKineticPhase(psi);
    recordInitialSamples();
    prepareAbsorbingLayer();
    clearScatteringAndTwoLevelRecords();

    history.clear();
    if (!diracSettingsEnabled())
        recordObservation();

    updatePanelsAfterRebuild();
    updateTimerInterval();
    updateTransportUi();
    refreshViews();

    // What was noted since the last report: this rebuild's failures and the
    // protocols switched off on the way to it.
    lastRebuildReport.clear();
    for (const QString& text : rebuildFailures)
        lastRebuildReport += (lastRebuildReport.isEmpty() ? QString() : QStringLiteral("; ")) + text;
    rebuildFailures.clear();
    if (!lastRebuildReport.isEmpty())
        showStatusMessage(lastRebuildReport, kStatusReportMs);
}

void MainWindow::noteRebuildFailure(const QString& text)
{
    if (!text.isEmpty())
        rebuildFailures.push_back(text);
}

void MainWindow::showEditMessage(const QString& text, int timeoutMs)
{
    if (lastRebuildReport.isEmpty())
        showStatusMessage(text, timeoutMs);
    else
        showStatusMessage(text + QLatin1Char(' ') + lastRebuildReport, std::max(timeoutMs, kStatusReportMs));
}

SimulationDomain2D MainWindow::currentSimulationDomain() const
{
    std::uint64_t n = 512;
    switch (static_cast<GridResolutionIndex>(ui->gridResolutionComboBox->currentIndex())) {
    case GridResolutionIndex::Points256:
        n = 256;
        break;
    case GridResolutionIndex::Points1024:
        n = 1024;
        break;
    default:
        break;
    }
    return SimulationDomain2D(n, n, static_cast<float>(ui->universeWidthSpinBox->value()),
                              static_cast<float>(ui->universeHeightSpinBox->value()));
}

void MainWindow::invalidateMomentumField()
{
    momentumField = MomentumSpace2D{};
    momentumFieldStep = kNoCacheKey;
    momentumFieldTime = -1.0;
    // psi changed outside a step: nothing computed before stays shared.
    sharedObservables.close();
}

void MainWindow::applySceneDerivedControls()
{
    // Scan energies up to just below the lower barrier: above it the
    // transmission is near one everywhere and the resonances drown.
    double maximum = 4.5;
    DoubleBarrierConfig barriers;
    if (QuantumResonance2D::extractFromScene(potentialScene, barriers, nullptr)) {
        const double lower =
            std::min(static_cast<double>(barriers.leftBarrier.value), static_cast<double>(barriers.rightBarrier.value));
        maximum = std::max(0.98 * lower, 0.5);
    }

    const QSignalBlocker modeBlocker(ui->resonanceScanModeComboBox);
    const QSignalBlocker minimumBlocker(ui->resonanceScanMinSpinBox);
    const QSignalBlocker maximumBlocker(ui->resonanceScanMaxSpinBox);
    const QSignalBlocker pointsBlocker(ui->resonanceScanPointsSpinBox);
    ui->resonanceScanModeComboBox->setCurrentIndex(indexOf(ResonanceScanIndex::Energy));
    ui->resonanceScanMinSpinBox->setValue(0.2);
    ui->resonanceScanMaxSpinBox->setValue(maximum);
    ui->resonanceScanPointsSpinBox->setValue(601);
}

void MainWindow::updateRenderingControlStates()
{
    updatePotentialContourControls();
    updateProbabilityContourControls();

    // A spinor has no Schroedinger current: the overlay is off and locked.
    const bool dirac = diracModeInForm();
    if (dirac && ui->currentOverlayCheckBox->isChecked()) {
        const QSignalBlocker blocker(ui->currentOverlayCheckBox);
        ui->currentOverlayCheckBox->setChecked(false);
    }
    ui->currentOverlayCheckBox->setEnabled(!dirac);
    updateCurrentOverlayControls();

    updateDomainSpacingLabel();
    updateMeasurementModeTexts();
    ui->measurePositionButton->setEnabled(!dirac);
    ui->collapsePositionButton->setEnabled(!dirac);
    updateSceneEditingControls();
}

void MainWindow::resetProtocolRunState()
{
    appliers.quenchApplier.clear();
    appliers.periodicDriveApplier.clear();
    appliers.linearSweepApplier.clear();
    appliers.ramseyApplier.clear();
    appliers.berryLoopApplier.clear();
    appliers.moshinskyShutterApplier.clear();
    appliers.kapitzaDiracPulseApplier.clear();
    // A quench fired by the forced call at t = 0 reads its energy before from
    // the newest sample: it must not be the previous run's.
    history.clear();
    recorders.berryTrap = BerryTrap{};
    recorders.loschmidtReversed = false;
}

void MainWindow::refreshStoredSettingsFromForm()
{
    // Each experiment's settings as the form holds them, its recorder emptied.
    const auto reread = [this](auto& recorder, auto& storedCopy) {
        recorder.reset();
        storedCopy = formSettings<std::decay_t<decltype(storedCopy)>>();
    };
    reread(recorders.loschmidtRecorder, stored.quantumLoschmidt);
    reread(recorders.moshinskyRecorder, stored.quantumMoshinsky);
    reread(recorders.kapitzaDiracRecorder, stored.quantumKapitzaDirac);
    reread(recorders.aharonovBohmRecorder, stored.quantumAharonovBohm);
    reread(recorders.landauRecorder, stored.quantumLandau);
    reread(recorders.hallEdgeRecorder, stored.quantumHallEdge);
    reread(recorders.backflowRecorder, stored.quantumBackflow);
    reread(recorders.zitterbewegungRecorder, stored.quantumZitterbewegung);
    reread(recorders.kleinRecorder, stored.quantumKleinTunneling);
    gaugeLinks.clear();
}

void MainWindow::rasterisePotentialAndGaugeFields()
{
    buildLegacyPotential();
    if (stored.quantumKleinTunneling.enabled)
        QuantumKleinTunneling2D::buildPotential(potential, stored.quantumKleinTunneling, nullptr);
    // Each build clears its own links and ready flag first; the flags tell the
    // tick, the preparation and the recorders what was built.
    if (stored.quantumAharonovBohm.enabled)
        buildAharonovBohmField();
    if (stored.quantumLandau.enabled)
        buildLandauGaugeField();
    if (stored.quantumHallEdge.enabled)
        buildHallEdgeField();
}

void MainWindow::configureSolvers()
{
    SplitStepParameters parameters = solver.parameters();
    parameters.mass = static_cast<float>(ui->massSpinBox->value());
    solver.configure(parameters);

    const bool klein = stored.quantumKleinTunneling.enabled;
    const double lightSpeed = klein ? stored.quantumKleinTunneling.lightSpeed : stored.quantumZitterbewegung.lightSpeed;
    const double restMass = klein ? stored.quantumKleinTunneling.restMass : stored.quantumZitterbewegung.restMass;
    diracSolver.configure(
        DiracParameters{parameters.hbar, parameters.dt, static_cast<float>(lightSpeed), static_cast<float>(restMass)});
}

void MainWindow::prepareAbsorbingLayer()
{
    AbsorbingBoundaryConfig config;
    config.exponent = 3.0f;
    // Backflow and Zitterbewegung are read off the whole periodic box: a
    // layer would eat what they measure. Klein keeps it on both components.
    config.enabled = isSelected(ui->boundaryModeComboBox, BoundaryIndex::Absorbing) &&
                     !stored.quantumBackflow.enabled && !stored.quantumZitterbewegung.enabled;
    config.widthFraction = static_cast<float>(ui->absorbingWidthSpinBox->value());
    config.strength = static_cast<float>(ui->absorbingStrengthSpinBox->value());
    absorbingBoundary.prepare(psi, solver.parameters().dt, config);
}

void MainWindow::clearScatteringAndTwoLevelRecords()
{
    scattering.legacyCollisionStarted = false;
    scattering.legacyPacketSeparated = false;
    scattering.legacySeparation = SeparationReading{};
    scattering.resonanceCollisionStarted = false;
    scattering.resonancePacketSeparated = false;
    scattering.resonanceSeparation = SeparationReading{};
    scattering.resonanceLeak.reset();
    scattering.maxCavityProbability = 0.0;
    // Only a barrier's reading needs the layer's removals counted.
    DoubleBarrierConfig pair;
    scattering.countsAbsorption =
        sceneUsable() ? QuantumResonance2D::extractFromScene(potentialScene, pair, nullptr)
                      : ui->geometryComboBox->currentIndex() == static_cast<int>(PotentialObjectKind::Barrier);
    scattering.absorption.start(psi.norm());
    twoLevel.doubleWellConfig = DoubleWellConfig{};
    twoLevel.doubleWellParameters = TwoLevelParameters{};
    twoLevel.rabiReference = RabiReference{};
    twoLevel.startPotentialFingerprint = potentialGridFingerprint(potential);
}

void MainWindow::updatePanelsAfterRebuild()
{
    updateEnergyTooltip();
    updateTunnelingDiagnostics();
    updateResonancePanel(true);
    updateBoundStatesStatus();
    updateDoubleWellPanel();
    updateRabiPanel();
    updateLandauZenerPanel();
    updateStueckelbergPanel(true);
    updateRamseyPanel(true);
}

} // namespace vxo
