#include "app/mainwindow/MainWindow.h"

#include "app/form/FormIndices.h"
#include "core/GridKey2D.h"
#include "experiments/MomentumColumns.h"
#include "experiments/ObservableSampler.h"
#include "experiments/QuantumBerryPhase2D.h"
#include "experiments/QuantumKapitzaDirac2D.h"
#include "experiments/QuantumKickedRotor2D.h"
#include "experiments/QuantumLoschmidt2D.h"
#include "experiments/QuantumZeno2D.h"
#include "experiments/RecorderSupport.h"
#include "ui/MainWindowForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>

namespace vxo {

namespace {

// Milliseconds on the monotonic clock, the time base of the tick's budget.
double steadyMilliseconds()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The spinor carries a prepared state on the wave field's grid. The rebuild
// leaves it empty when no Dirac state was prepared, so that a Dirac mode
// whose preparation failed propagates the fallback packet in psi instead of
// replacing it by the density of a zero spinor.
bool spinorOnGrid(const DiracSpinor2D& spinor, const ComplexField2D& psi)
{
    return !spinor.isEmpty() && GridKey2D::of(spinor.upper).matches(psi) && GridKey2D::of(spinor.lower).matches(psi);
}

// A recorder with an analysis window samples up to its end time; the margin
// keeps a step that lands on the end time inside despite the rounding of the
// accumulated clock.
bool insideAnalysis(double t, double endTime) { return t <= endTime + 1e-12; }

} // namespace

double (*MainWindow::tickClockMs)() = nullptr;

void MainWindow::onSimulationTick()
{
    try {
        runPace.recordTickStart((tickClockMs ? tickClockMs : &steadyMilliseconds)(), solver.time(), transport.speed());
        transport.setStepsOfRecentTick(runSteps(transport.stepsPerTick()));
        observeAfterSteps();
        refreshViews();
    } catch (...) {
        // What failed once fails again on the next timeout: pause, so that
        // the handler boundary reports the failure once and the state stays
        // as it was left for the user to inspect.
        runTimer->stop();
        transport.pause();
        updateTransportUi();
        throw;
    }
}

void MainWindow::stepOnce()
{
    runTimer->stop();
    transport.pause();
    runSteps(1, false);
    observeAfterSteps();
    updateTransportUi();
    refreshViews();
}

int MainWindow::runSteps(int count, bool withinBudget)
{
    if (!measurementHits.empty())
        discardMeasurementHits();
    // Steps that would carry the tick past its budget are left out, and a
    // step of many sub-steps stops between two of them and goes on in the
    // next tick (the run goes slower than its speed instead of freezing the
    // window).
    double (*const clock)() = tickClockMs ? tickClockMs : &steadyMilliseconds;
    const double start = clock();
    // Each step begins where the clock was last read: at the tick's start,
    // then after the step before.
    double stepStart = start;
    int done = 0;
    while (done < count) {
        if (!(withinBudget ? runStepBody(start, stepStart) : runStepBody(kNoBudget, kNoBudget)))
            break;
        ++done;
        if (!withinBudget)
            continue;
        stepStart = clock();
        if (!transport.anotherStepFits(done, stepStart - start))
            break;
    }
    runAppliersAfterSteps(solver.time());
    // The observation and the refresh that follow read this state.
    sharedObservables.openFor(observedState());
    return done;
}

SharedObservables::Key MainWindow::observedState() const
{
    return {psi.data(), psi.nx(), psi.ny(), solver.stepCount(), solver.time()};
}

const DensitySums2D& MainWindow::observedDensity()
{
    SharedObservables& shared = sharedObservables;
    shared.reuseOrCompute(shared.densityReady, shared.densityPasses, observedState(),
                          [&] { shared.density.compute(psi); });
    return shared.density;
}

const ColumnAmplitudes2D& MainWindow::observedColumnAmplitudes()
{
    SharedObservables& shared = sharedObservables;
    shared.reuseOrCompute(shared.columnsReady, shared.columnPasses, observedState(),
                          [&] { shared.columns.compute(psi); });
    return shared.columns;
}

const ProbabilityCurrent2D& MainWindow::observedCurrent()
{
    SharedObservables& shared = sharedObservables;
    shared.reuseOrCompute(shared.currentReady, shared.currentPasses, observedState(), [&] {
        const SplitStepParameters& parameters = solver.parameters();
        shared.covariantEnergiesRead = false;
        const GaugeLinkField2D* links = linksInForce();
        if (!links && diracSettingsEnabled() && psi.isFiniteReal()) {
            // A Dirac run shows the spinor's density in psi, a real field:
            // it carries no current (each cell's Im(conj(psi) dpsi) is 0),
            // and the zeros written for one such reading serve the next on
            // the same grid. A non-finite density takes the full pass, whose
            // NaN shows it.
            const bool zerosStand = probabilityCurrentZero && probabilityCurrent.nx == psi.nx() &&
                                    probabilityCurrent.ny == psi.ny() && probabilityCurrent.jx.size() == psi.size();
            probabilityCurrent.zeroFor(psi);
            if (!zerosStand) {
                std::fill(probabilityCurrent.jx.begin(), probabilityCurrent.jx.end(), 0.0f);
                std::fill(probabilityCurrent.jy.begin(), probabilityCurrent.jy.end(), 0.0f);
            }
            probabilityCurrentZero = true;
            return;
        }
        probabilityCurrentZero = false;
        if (links) {
            // The magnetic step's energies come from the same pass.
            shared.covariantEnergies = EnergyObservables2D::computeWithGauge(psi, potential, *links, parameters.hbar,
                                                                             parameters.mass, probabilityCurrent);
            shared.covariantEnergiesRead = true;
        } else {
            ProbabilityCurrent2D::computeInto(psi, parameters.hbar, parameters.mass, probabilityCurrent);
        }
    });
    return probabilityCurrent;
}

void MainWindow::observeAfterSteps()
{
    // A spinor has no Schroedinger observables: the Dirac recorders sample it.
    if (!diracSettingsEnabled())
        recordObservation();
}

bool MainWindow::runStepBody(double tickStartMs, double stepStartMs)
{
    // A step cut short in the last tick goes on from the time it reached,
    // with the potential and the events of its start.
    const bool resuming = solver.subStepsDone() > 0;
    if (!resuming) {
        applyLoschmidtReversalIfDue();
        applyZenoMeasurementIfDue();
        applyKickedRotorKickIfDue();

        // The protocols act at the middle of the step (second-order accurate
        // for a potential that changes during the step).
        const double dt = solver.parameters().dt;
        const double middle = solver.time() + 0.5 * dt;
        applyQuench(middle, false);
        applyPeriodicDrive(middle, false);
        applyLinearSweep(middle, false);
        applyRamseySequence(middle, false);
        applyBerryLoop(middle, false);
        applyMoshinskyShutter(middle, false);
        // The light holds for the step at the share of it that it is on.
        applyKapitzaDiracPulse(middle, false, dt);
    }

    // The Schroedinger solver keeps the one clock of every mode: the Dirac
    // steps advance it without touching psi, so strides and end times agree.
    const bool diracMode = diracSettingsEnabled();
    const bool spinorReady = diracMode && spinorOnGrid(diracSpinor, psi);
    const GaugeLinkField2D* links = linksInForce();
    if (!resuming && spinorReady && stored.quantumZitterbewegung.enabled) {
        diracSolver.stepFree(diracSpinor);
        solver.advanceClock();
        syncSpinorDensity();
    } else if (!resuming && spinorReady && stored.quantumKleinTunneling.enabled) {
        diracSolver.step(diracSpinor, potential);
        solver.advanceClock();
        if (absorbingBoundary.isEnabled()) {
            absorbingBoundary.apply(diracSpinor.upper);
            absorbingBoundary.apply(diracSpinor.lower);
        }
        syncSpinorDensity();
    } else {
        const auto gate = subStepGate(tickStartMs, stepStartMs);
        const bool complete =
            links ? solver.stepWithGaugePart(psi, potential, *links, gate) : solver.stepPart(psi, potential, gate);
        if (!complete)
            return false;
        // At a barrier the layer's removals are kept, by band, for its
        // reading; under the Kapitza-Dirac light, by momentum column.
        if (!diracMode && scattering.countsAbsorption) {
            scattering.absorption.add(absorbingBoundary.applyCountingBands(psi));
        } else if (!diracMode && kapitzaDiracLightCounted()) {
            const double hbar = solver.parameters().hbar;
            const std::vector<double> before = momentumColumnProbabilities(MomentumSpace2D::compute(psi, hbar));
            absorbingBoundary.apply(psi);
            recorders.kapitzaDiracRecorder.countStepUnderLight(
                before, momentumColumnProbabilities(MomentumSpace2D::compute(psi, hbar)), solver.time());
        } else if (!diracMode) {
            absorbingBoundary.apply(psi);
        }
    }

    sampleStepRecorders();
    updateDetectorFluxReadout();
    return true;
}

std::function<bool(std::uint32_t)> MainWindow::subStepGate(double tickStartMs, double stepStartMs) const
{
    if (std::isnan(tickStartMs))
        return [](std::uint32_t) { return true; };
    double (*const clock)() = tickClockMs ? tickClockMs : &steadyMilliseconds;
    // One more sub-step must still end within the tick's budget. Its cost is
    // the mean of the sub-steps since the first; after the first alone, the
    // step so far (its hooks, appliers and table builds included), which
    // errs towards stopping by this step's extras only: the steps before it
    // in the tick are already spent, not costs of the next sub-step.
    return [clock, tickStartMs, stepStartMs, firstMs = 0.0](std::uint32_t run) mutable {
        const double now = clock();
        if (run == 1)
            firstMs = now;
        const double subStepMs = run == 1 ? now - stepStartMs : (now - firstMs) / (run - 1);
        return now - tickStartMs + subStepMs <= TransportClock::kStepBudgetMs;
    };
}

SteppedHamiltonian MainWindow::steppedHamiltonian() const
{
    const SplitStepParameters& parameters = solver.parameters();
    SteppedHamiltonian hamiltonian;
    hamiltonian.hbar = parameters.hbar;
    hamiltonian.mass = parameters.mass;
    if (diracSettingsEnabled() && spinorOnGrid(diracSpinor, psi)) {
        const DiracParameters& dirac = diracSolver.parameters();
        hamiltonian.spinor = &diracSpinor;
        hamiltonian.hbar = dirac.hbar;
        hamiltonian.lightSpeed = dirac.c;
        hamiltonian.restMass = dirac.restMass;
        // The Zitterbewegung step is the free one, whatever the potential holds.
        hamiltonian.diracPotential = !stored.quantumZitterbewegung.enabled;
    } else {
        hamiltonian.links = linksInForce();
    }
    return hamiltonian;
}

void MainWindow::runAppliersAfterSteps(double t)
{
    // The quench is a step function of time: its midpoint evaluation already
    // holds for the new time.
    applyPeriodicDrive(t, false);
    applyLinearSweep(t, false);
    applyRamseySequence(t, false);
    applyBerryLoop(t, false);
    applyMoshinskyShutter(t, false);
    applyKapitzaDiracPulse(t, false);
}

void MainWindow::discardMeasurementHits()
{
    measurementHits.clear();
    lastMeasurementCount = 0;
    ui->measurementTotalValueLabel->setText(QStringLiteral("0"));
    ui->quantumView->clearMeasurementMarkers();
}

void MainWindow::applyLoschmidtReversalIfDue()
{
    if (recorders.loschmidtReversed || psi.empty())
        return;
    const LoschmidtConfig settings = formSettings<LoschmidtConfig>();
    if (!settings.enabled || !QuantumLoschmidt2D::validateConfiguration(settings, nullptr))
        return;
    const double t = solver.time();
    const double dt = solver.parameters().dt;
    if (!(settings.reversalTime <= t + 0.5 * dt))
        return;
    if (!QuantumLoschmidt2D::applyReversal(psi, settings, solver.parameters().hbar))
        return;
    recorders.loschmidtReversed = true;
    stored.quantumLoschmidt = settings;
    invalidateMomentumField();
    if (recorders.loschmidtRecorder.isConfigured())
        recorders.loschmidtRecorder.record(t, psi, true);
}

void MainWindow::applyZenoMeasurementIfDue()
{
    if (preparationType != InitialPreparationType::QuantumZeno || !stored.quantumZeno.enabled ||
        !recorders.zenoRecorder.isConfigured() || psi.empty())
        return;
    const std::uint64_t measured =
        QuantumZeno2D::applyDueMeasurements(psi, stored.quantumZeno, recorders.zenoMeasurementCount,
                                            recorders.zenoSurvival, solver.time(), solver.parameters().dt);
    if (measured > 0)
        invalidateMomentumField();
}

bool MainWindow::kapitzaDiracLightCounted() const
{
    return recorders.kapitzaDiracRecorder.isConfigured() && appliers.kapitzaDiracPulseApplier.pulse().active &&
           absorbingBoundary.isEnabled() && insideAnalysis(solver.time(), stored.quantumKapitzaDirac.analysisEndTime);
}

bool MainWindow::kickedRotorKicks() const
{
    return preparationType == InitialPreparationType::KickedRotor && stored.kickedRotor.enabled;
}

void MainWindow::applyKickedRotorKickIfDue()
{
    if (!kickedRotorKicks() || psi.empty())
        return;
    // Each kick is sampled at the time before the step, in momentum space
    // straight after it.
    const double t = solver.time();
    QuantumKickedRotor2D::applyDueKicks(psi, stored.kickedRotor, recorders.kickCount, t, solver.parameters().dt,
                                        [this, t](std::uint64_t kicks) {
                                            invalidateMomentumField();
                                            ensureMomentumField();
                                            if (recorders.kickedRotorRecorder.isConfigured())
                                                recorders.kickedRotorRecorder.record(momentumField, kicks, t);
                                        });
}

void MainWindow::sampleStepRecorders()
{
    const std::uint64_t n = solver.stepCount();
    const double t = solver.time();
    // The stride is tested before the end time; the Kapitza-Dirac transform
    // runs only on the steps that record and on the one before its light.
    const auto due = [n](const auto& recorder, std::uint64_t stride) {
        return recorder.isConfigured() && n % stride == 0;
    };
    // A recorder whose reading ends at `endTime`: on its stride, widened
    // where the whole window would not fit it, up to that end.
    const double dt = solver.parameters().dt;
    const auto dueInWindow = [&](const auto& recorder, std::uint64_t stride, double endTime) {
        return due(recorder, windowStride(stride, endTime, dt, recorder.capacity())) && insideAnalysis(t, endTime);
    };

    if (dueInWindow(recorders.zitterbewegungRecorder, 2, stored.quantumZitterbewegung.analysisEndTime))
        recorders.zitterbewegungRecorder.record(t, diracSpinor);
    if (dueInWindow(recorders.kleinRecorder, 2, stored.quantumKleinTunneling.analysisEndTime))
        recorders.kleinRecorder.record(t, diracSpinor);
    if (due(recorders.loschmidtRecorder, 4))
        recorders.loschmidtRecorder.record(t, psi, recorders.loschmidtReversed);
    if (due(recorders.moshinskyRecorder, 2) && insideAnalysis(t, stored.quantumMoshinsky.analysisEndTime))
        recorders.moshinskyRecorder.record(t, appliers.moshinskyShutterApplier.shutter().open, psi);
    if (recorders.kapitzaDiracRecorder.isConfigured() &&
        insideAnalysis(t, stored.quantumKapitzaDirac.analysisEndTime)) {
        // With no potential on the grid the packet moves freely, and the
        // recorder counts back what the absorbing layer takes from each
        // order. The steps under the light are counted one by one (the step
        // body), from the columns of the step before the light comes on.
        const bool lightOn = appliers.kapitzaDiracPulseApplier.pulse().active;
        const bool potentialFree = !lightOn && potential.minValue() == 0.0f && potential.maxValue() == 0.0f;
        const double dt = solver.parameters().dt;
        const bool beforeLight = !lightOn && absorbingBoundary.isEnabled() &&
                                 QuantumKapitzaDirac2D::lightShare(stored.quantumKapitzaDirac, t + 0.5 * dt, dt) > 0.0;
        const bool recording = n % 10 == 0;
        if (recording || beforeLight) {
            invalidateMomentumField();
            ensureMomentumField();
        }
        if (recording)
            recorders.kapitzaDiracRecorder.record(momentumField, t, lightOn, potentialFree);
        else if (beforeLight)
            recorders.kapitzaDiracRecorder.followFreeFlight(momentumColumnProbabilities(momentumField), t,
                                                            potentialFree);
    }
    if (dueInWindow(recorders.aharonovBohmRecorder, 5, stored.quantumAharonovBohm.analysisEndTime))
        recorders.aharonovBohmRecorder.record(t, psi);
    if (dueInWindow(recorders.landauRecorder, 5, stored.quantumLandau.analysisEndTime))
        recorders.landauRecorder.record(t, psi, gaugeLinks.landauLinks);
    if (dueInWindow(recorders.hallEdgeRecorder, 5, stored.quantumHallEdge.analysisEndTime))
        recorders.hallEdgeRecorder.record(t, psi);
    if (dueInWindow(recorders.backflowRecorder, 2, stored.quantumBackflow.analysisEndTime))
        recorders.backflowRecorder.record(t, psi);
    if (due(recorders.berryRecorder, 8))
        recorders.berryRecorder.record(t, QuantumBerryPhase2D::trapAt(stored.quantumBerry, t), psi);
}

void MainWindow::updateDetectorFluxReadout()
{
    if (!isSelected(ui->measurementModeComboBox, MeasurementModeIndex::TemporalDetector) || psi.empty())
        return;
    const SplitStepParameters& parameters = solver.parameters();
    const DetectorScreen screen{static_cast<float>(ui->detectorXSpinBox->value()),
                                static_cast<float>(ui->detectorThicknessSpinBox->value())};
    detectorFlux.accumulate(psi, parameters.hbar, parameters.mass, parameters.dt, screen);
    ui->detectorFluxValueLabel->setText(QString::number(detectorFlux.totalFlux(), 'f', 6));
}

void MainWindow::clearDetectorFlux()
{
    detectorFlux.reset();
    ui->detectorFluxValueLabel->setText(QStringLiteral("0.000000"));
    updateDetectorTvd();
    updateDiagnostics();
}

void MainWindow::syncSpinorDensity()
{
    if (diracSpinor.isEmpty())
        return;
    diracSpinor.density(psi);
    invalidateMomentumField();
}

void MainWindow::recordObservation()
{
    if (psi.empty())
        return;
    // The drive records are read once per observation; the sampler decides
    // from them which two-level blocks apply.
    const PeriodicDrive drive = formSettings<PeriodicDrive>();
    const LinearSweep sweep = formSettings<LinearSweep>();
    const RamseySequence ramsey = formSettings<RamseySequence>();

    ObservationInputs inputs;
    inputs.time = solver.time();
    inputs.hamiltonian = steppedHamiltonian();
    inputs.absorbingBoundaryEnabled = absorbingBoundary.isEnabled();
    inputs.potential = &potential;
    inputs.scene = &potentialScene;
    inputs.sceneActive = ui->potentialSceneActiveCheckBox->isChecked();
    inputs.resonanceLatched = scattering.resonanceCollisionStarted;
    inputs.legacyBarrier = ui->geometryComboBox->currentIndex() == static_cast<int>(PotentialObjectKind::Barrier);
    inputs.legacyBarrierLatched = scattering.legacyCollisionStarted;
    inputs.legacyBarrierCenterX = ui->barrierCenterXSpinBox->value();
    inputs.legacyBarrierThickness = ui->barrierThicknessSpinBox->value();
    inputs.scatteringAbsorption = &scattering.absorption;
    inputs.periodicDrive = &drive;
    inputs.linearSweep = &sweep;
    inputs.ramseySequence = &ramsey;
    inputs.boundStates = &boundStates;
    // The sweep's populations are read on the states of the potential being
    // stepped, relaxed only while a sweep analysis is calibrated.
    inputs.sweepStates = twoLevel.sweepBoundStates.ok ? &steppedSweepPair() : nullptr;
    inputs.ramseyStates = &twoLevel.ramseyBoundStates;
    inputs.landauZener = &twoLevel.landauZenerReference;
    inputs.stueckelberg = &twoLevel.stueckelbergReference;
    inputs.ramseyReference = &twoLevel.ramseyReference;
    inputs.densitySums = &observedDensity();
    // The magnetic step's energies and its current from one pass over psi,
    // the current kept for the views and Diagnostics of the tick.
    if (inputs.hamiltonian.links && inputs.hamiltonian.links == linksInForce()) {
        observedCurrent();
        if (sharedObservables.covariantEnergiesRead)
            inputs.energies = &sharedObservables.covariantEnergies;
    }
    // A view of momentum space transforms psi every tick, as the spectral
    // energy does: one transform serves both.
    EnergyObservables2D energiesWithMomentum;
    if (!inputs.energies && momentumSpaceShown() && !psi.empty()) {
        energiesWithMomentum =
            EnergyObservables2D::ofStepWithMomentum(psi, potential, inputs.hamiltonian, momentumField);
        momentumFieldTime = solver.time();
        momentumFieldStep = solver.stepCount();
        inputs.energies = &energiesWithMomentum;
    }
    inputs.columnAmplitudes = [this]() -> const ColumnAmplitudes2D& { return observedColumnAmplitudes(); };

    history.push(ObservableSampler::observe(psi, history, inputs));
    sampleObservationRecorders(inputs.time);
}

void MainWindow::sampleObservationRecorders(double t)
{
    const SplitStepParameters& parameters = solver.parameters();
    if (recorders.revivalBox.valid && recorders.revivalRecorder.hasInitialState())
        recorders.revivalRecorder.record(t, psi);
    if (recorders.billiardConfig.valid && !recorders.billiardRecorder.initialState().empty())
        recorders.billiardRecorder.record(t, psi, recorders.billiardConfig);
    // The others sample whenever their rebuild configured them.
    const auto recordIfConfigured = [this, t](auto& recorder, const auto&... extra) {
        if (recorder.isConfigured())
            recorder.record(t, psi, extra...);
    };
    recordIfConfigured(recorders.talbotRecorder);
    recordIfConfigured(recorders.bouncerRecorder, parameters.mass, parameters.hbar);
    recordIfConfigured(recorders.vortexRecorder, parameters.hbar);
    recordIfConfigured(recorders.andersonRecorder);
    recordIfConfigured(recorders.zenoRecorder, recorders.zenoMeasurementCount, recorders.zenoSurvival);
    recordIfConfigured(recorders.scarRecorder);
}

} // namespace vxo
