#include "app/mainwindow/MainWindow.h"

#include "ui/MainWindowForm.h"

#include <QDoubleSpinBox>

namespace vxo {

void MainWindow::configureDiracRecorders()
{
    if (diracSpinor.isEmpty())
        return;
    const double hbar = solver.parameters().hbar;
    if (stored.quantumZitterbewegung.enabled && preparationType == InitialPreparationType::DiracZitterbewegungState &&
        zitterbewegungRecorder.configure(diracSpinor, stored.quantumZitterbewegung, hbar))
        zitterbewegungRecorder.record(0.0, diracSpinor);
    if (stored.quantumKleinTunneling.enabled && preparationType == InitialPreparationType::DiracKleinTunnelingState &&
        kleinRecorder.configure(diracSpinor, stored.quantumKleinTunneling))
        kleinRecorder.record(0.0, diracSpinor);
}

void MainWindow::configureObservationRecorders()
{
    const double mass = solver.parameters().mass;
    const double hbar = solver.parameters().hbar;
    const bool scene = sceneUsable();

    // Each scene analysis zeroes its record first, so a failed one leaves it
    // invalid.
    revivalBox = RevivalBoxConfig{};
    revivalRecorder.clear();
    if (scene && QuantumRevival2D::extractFromScene(potentialScene, revivalBox, nullptr))
        revivalRecorder.setInitialState(psi);

    // The billiard walls look like any closed box: only the billiard
    // experiment itself records them.
    billiardConfig = BilliardConfig{};
    billiardRecorder.clear();
    const bool billiardExperiment = experimentTitle.contains(QLatin1String("Billiard"), Qt::CaseInsensitive) ||
                                    sourcePresetName.contains(QLatin1String("Billiard"), Qt::CaseInsensitive);
    if (billiardExperiment && scene && QuantumBilliard2D::extractFromScene(potentialScene, billiardConfig, nullptr))
        billiardRecorder.setInitialState(psi, billiardConfig);

    talbotRecorder.reset();
    if (preparationType == InitialPreparationType::TalbotComb)
        talbotRecorder.configure(psi, stored.talbotInitialState);

    bouncerConfig = BouncerConfig{};
    bouncerRecorder.clear();
    if (scene && QuantumBouncer2D::extractFromScene(potentialScene, bouncerConfig, nullptr))
        bouncerRecorder.configure(bouncerConfig, ui->centerYSpinBox->value(), ui->momentumYSpinBox->value());

    vortexTrap = VortexTrap{};
    vortexRecorder.reset();
    if (preparationType == InitialPreparationType::Vortex && scene &&
        QuantumVortex2D::extractTrap(potentialScene, vortexTrap, nullptr))
        vortexRecorder.configure(stored.vortexInitialState, vortexTrap);

    andersonLattice = AndersonLattice{};
    andersonRecorder.reset();
    if (preparationType == InitialPreparationType::AndersonDualLane && scene &&
        QuantumAnderson2D::analyzeScene(potentialScene, andersonLattice, nullptr))
        andersonRecorder.configure(stored.andersonInitialState, andersonLattice);

    kickCount = 0;
    kickedRotorRecorder.reset();
    if (preparationType == InitialPreparationType::KickedRotor && stored.kickedRotor.enabled) {
        const double tau = QuantumKickedRotor2D::scaledKickPeriod(psi, stored.kickedRotor, mass, hbar);
        kickedRotorRecorder.configure(stored.kickedRotor, stored.kickedRotorInitialState, tau);
    }

    zenoMeasurementCount = 0;
    zenoSurvival = 1.0;
    zenoRecorder.reset();
    if (preparationType == InitialPreparationType::QuantumZeno && stored.quantumZeno.enabled)
        zenoRecorder.configure(stored.quantumZeno, stored.quantumZenoInitialState, psi);

    stadiumGeometry = StadiumGeometry{};
    scarRecorder.reset();
    if (stored.quantumScar.enabled && scene && QuantumScar2D::analyzeScene(potentialScene, stadiumGeometry, nullptr)) {
        // Without a set energy the orbit band is filtered at the packet's own
        // kinetic energy.
        const double referenceEnergy =
            stored.quantumScar.referenceEnergy > 0.0 ? stored.quantumScar.referenceEnergy : packetKineticEnergy();
        scarRecorder.configure(psi, stadiumGeometry, stored.quantumScar, referenceEnergy, hbar);
    }
}

void MainWindow::configureStepRecorders()
{
    const double mass = solver.parameters().mass;
    const double hbar = solver.parameters().hbar;

    // The loop is applied once more now that the state it deforms exists.
    berryRecorder.reset();
    applyBerryLoop(0.0, true);
    if (stored.quantumBerry.enabled && berryTrap.valid && !psi.empty() &&
        berryRecorder.configure(psi, berryTrap, stored.quantumBerry))
        berryRecorder.record(0.0, QuantumBerryPhase2D::trapAt(stored.quantumBerry, 0.0), psi);

    if (stored.quantumLoschmidt.enabled && QuantumLoschmidt2D::validateConfiguration(stored.quantumLoschmidt, nullptr) &&
        loschmidtRecorder.configure(psi, stored.quantumLoschmidt))
        loschmidtRecorder.record(0.0, psi, loschmidtReversed);

    moshinskyRecorder.reset();
    stored.quantumMoshinsky = formSettings<MoshinskyConfig>();
    MoshinskyShutterGeometry shutter;
    if (stored.quantumMoshinsky.enabled &&
        QuantumMoshinsky2D::validateShutter(potentialScene, stored.quantumMoshinsky, &shutter, nullptr) &&
        moshinskyRecorder.configure(stored.quantumMoshinsky, shutter, psi))
        moshinskyRecorder.record(0.0, moshinskyShutterApplier.shutter().open, psi);

    kapitzaDiracRecorder.reset();
    stored.quantumKapitzaDirac = formSettings<KapitzaDiracConfig>();
    if (stored.quantumKapitzaDirac.enabled && kapitzaDiracRecorder.configure(stored.quantumKapitzaDirac, hbar)) {
        invalidateMomentumField();
        ensureMomentumField();
        kapitzaDiracRecorder.record(momentumField, 0.0, kapitzaDiracPulseApplier.pulse().active);
    }

    aharonovBohmRecorder.reset();
    if (stored.quantumAharonovBohm.enabled && aharonovBohmLinksReady &&
        aharonovBohmRecorder.configure(psi, stored.quantumAharonovBohm))
        aharonovBohmRecorder.record(0.0, psi);

    landauRecorder.reset();
    if (stored.quantumLandau.enabled && landauLinksReady &&
        landauRecorder.configure(psi, landauLinks, stored.quantumLandau, mass, hbar))
        landauRecorder.record(0.0, psi, landauLinks);

    hallEdgeRecorder.reset();
    if (stored.quantumHallEdge.enabled && hallEdgeLinksReady && hallEdgeRecorder.configure(psi, stored.quantumHallEdge))
        hallEdgeRecorder.record(0.0, psi);

    backflowRecorder.reset();
    if (stored.quantumBackflow.enabled && backflowRecorder.configure(psi, stored.quantumBackflow, mass, hbar))
        backflowRecorder.record(0.0, psi);
}

void MainWindow::recordInitialSamples()
{
    if (kickedRotorRecorder.isConfigured()) {
        ensureMomentumField();
        kickedRotorRecorder.record(momentumField, 0, 0.0);
    }
    if (zenoRecorder.isConfigured())
        zenoRecorder.record(0.0, psi, 0, 1.0);
}

} // namespace vxo
