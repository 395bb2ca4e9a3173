#include "app/mainwindow/MainWindow.h"

#include "experiments/PaintedWellRevival.h"

#include "ui/MainWindowForm.h"

#include <QDoubleSpinBox>

namespace vxo {

void MainWindow::configureDiracRecorders()
{
    if (diracSpinor.isEmpty())
        return;
    const double hbar = solver.parameters().hbar;
    if (stored.quantumZitterbewegung.enabled && preparationType == InitialPreparationType::DiracZitterbewegungState &&
        recorders.zitterbewegungRecorder.configure(diracSpinor, stored.quantumZitterbewegung, hbar))
        recorders.zitterbewegungRecorder.record(0.0, diracSpinor);
    if (stored.quantumKleinTunneling.enabled && preparationType == InitialPreparationType::DiracKleinTunnelingState &&
        recorders.kleinRecorder.configure(diracSpinor, stored.quantumKleinTunneling))
        recorders.kleinRecorder.record(0.0, diracSpinor);
}

void MainWindow::configureObservationRecorders()
{
    const double mass = solver.parameters().mass;
    const double hbar = solver.parameters().hbar;
    const bool scene = sceneUsable();

    // Each scene analysis zeroes its record first, so a failed one leaves it
    // invalid.
    recorders.revivalBox = RevivalBoxConfig{};
    recorders.revivalRecorder.clear();
    if (scene && QuantumRevival2D::extractFromScene(potentialScene, recorders.revivalBox, nullptr)) {
        recorders.revivalRecorder.setInitialState(psi);
        measureRevivalLevels(mass, hbar);
    }

    // The billiard walls look like any closed box: only the billiard
    // experiment itself records them.
    recorders.billiardConfig = BilliardConfig{};
    recorders.billiardRecorder.clear();
    const bool billiardExperiment = experimentTitle.contains(QLatin1String("Billiard"), Qt::CaseInsensitive) ||
                                    sourcePresetName.contains(QLatin1String("Billiard"), Qt::CaseInsensitive);
    if (billiardExperiment && scene &&
        QuantumBilliard2D::extractFromScene(potentialScene, recorders.billiardConfig, nullptr))
        recorders.billiardRecorder.setInitialState(psi, recorders.billiardConfig);

    recorders.talbotRecorder.reset();
    if (preparationType == InitialPreparationType::TalbotComb)
        recorders.talbotRecorder.configure(psi, stored.talbotInitialState);

    recorders.bouncerConfig = BouncerConfig{};
    recorders.bouncerRecorder.clear();
    if (scene && QuantumBouncer2D::extractFromScene(potentialScene, recorders.bouncerConfig, nullptr))
        recorders.bouncerRecorder.configure(recorders.bouncerConfig, ui->centerYSpinBox->value(),
                                            ui->momentumYSpinBox->value());

    recorders.vortexTrap = VortexTrap{};
    recorders.vortexRecorder.reset();
    if (preparationType == InitialPreparationType::Vortex && scene &&
        QuantumVortex2D::extractTrap(potentialScene, recorders.vortexTrap, nullptr))
        recorders.vortexRecorder.configure(stored.vortexInitialState, recorders.vortexTrap);

    recorders.andersonLattice = AndersonLattice{};
    recorders.andersonRecorder.reset();
    if (preparationType == InitialPreparationType::AndersonDualLane && scene &&
        QuantumAnderson2D::analyzeScene(potentialScene, recorders.andersonLattice, nullptr))
        recorders.andersonRecorder.configure(stored.andersonInitialState, recorders.andersonLattice);

    recorders.kickCount = 0;
    recorders.kickedRotorRecorder.reset();
    if (preparationType == InitialPreparationType::KickedRotor && stored.kickedRotor.enabled) {
        const double tau = QuantumKickedRotor2D::scaledKickPeriod(psi, stored.kickedRotor, mass, hbar);
        recorders.kickedRotorRecorder.configure(stored.kickedRotor, stored.kickedRotorInitialState, tau);
    }

    recorders.zenoMeasurementCount = 0;
    recorders.zenoSurvival = 1.0;
    recorders.zenoRecorder.reset();
    if (preparationType == InitialPreparationType::QuantumZeno && stored.quantumZeno.enabled)
        recorders.zenoRecorder.configure(stored.quantumZeno, stored.quantumZenoInitialState, psi);

    recorders.stadiumGeometry = StadiumGeometry{};
    recorders.scarRecorder.reset();
    if (stored.quantumScar.enabled && scene &&
        QuantumScar2D::analyzeScene(potentialScene, recorders.stadiumGeometry, nullptr)) {
        // Without a set energy the orbit band is filtered at the packet's own
        // kinetic energy.
        const double referenceEnergy =
            stored.quantumScar.referenceEnergy > 0.0 ? stored.quantumScar.referenceEnergy : packetKineticEnergy();
        recorders.scarRecorder.configure(psi, recorders.stadiumGeometry, stored.quantumScar, referenceEnergy, hbar);
    }
}

void MainWindow::configureStepRecorders()
{
    const double mass = solver.parameters().mass;
    const double hbar = solver.parameters().hbar;

    // The loop is applied once more now that the state it deforms exists.
    recorders.berryRecorder.reset();
    applyBerryLoop(0.0, true);
    if (stored.quantumBerry.enabled && recorders.berryTrap.valid && !psi.empty() &&
        recorders.berryRecorder.configure(psi, recorders.berryTrap, stored.quantumBerry))
        recorders.berryRecorder.record(0.0, QuantumBerryPhase2D::trapAt(stored.quantumBerry, 0.0), psi);

    if (stored.quantumLoschmidt.enabled &&
        QuantumLoschmidt2D::validateConfiguration(stored.quantumLoschmidt, nullptr) &&
        recorders.loschmidtRecorder.configure(psi, stored.quantumLoschmidt))
        recorders.loschmidtRecorder.record(0.0, psi, recorders.loschmidtReversed);

    recorders.moshinskyRecorder.reset();
    stored.quantumMoshinsky = formSettings<MoshinskyConfig>();
    MoshinskyShutterGeometry shutter;
    if (stored.quantumMoshinsky.enabled &&
        QuantumMoshinsky2D::validateShutter(potentialScene, stored.quantumMoshinsky, &shutter, nullptr) &&
        recorders.moshinskyRecorder.configure(stored.quantumMoshinsky, shutter, psi))
        recorders.moshinskyRecorder.record(0.0, appliers.moshinskyShutterApplier.shutter().open, psi);

    recorders.kapitzaDiracRecorder.reset();
    stored.quantumKapitzaDirac = formSettings<KapitzaDiracConfig>();
    if (stored.quantumKapitzaDirac.enabled &&
        recorders.kapitzaDiracRecorder.configure(stored.quantumKapitzaDirac, hbar)) {
        invalidateMomentumField();
        ensureMomentumField();
        recorders.kapitzaDiracRecorder.record(momentumField, 0.0, appliers.kapitzaDiracPulseApplier.pulse().active);
    }

    recorders.aharonovBohmRecorder.reset();
    if (stored.quantumAharonovBohm.enabled && gaugeLinks.aharonovBohmLinksReady &&
        recorders.aharonovBohmRecorder.configure(psi, stored.quantumAharonovBohm))
        recorders.aharonovBohmRecorder.record(0.0, psi);

    recorders.landauRecorder.reset();
    if (stored.quantumLandau.enabled && gaugeLinks.landauLinksReady &&
        recorders.landauRecorder.configure(psi, gaugeLinks.landauLinks, stored.quantumLandau, mass, hbar))
        recorders.landauRecorder.record(0.0, psi, gaugeLinks.landauLinks);

    recorders.hallEdgeRecorder.reset();
    if (stored.quantumHallEdge.enabled && gaugeLinks.hallEdgeLinksReady &&
        recorders.hallEdgeRecorder.configure(psi, stored.quantumHallEdge))
        recorders.hallEdgeRecorder.record(0.0, psi);

    recorders.backflowRecorder.reset();
    if (stored.quantumBackflow.enabled && recorders.backflowRecorder.configure(psi, stored.quantumBackflow, mass, hbar))
        recorders.backflowRecorder.record(0.0, psi);
}

void MainWindow::recordInitialSamples()
{
    if (recorders.kickedRotorRecorder.isConfigured()) {
        ensureMomentumField();
        recorders.kickedRotorRecorder.record(momentumField, 0, 0.0);
    }
    if (recorders.zenoRecorder.isConfigured())
        recorders.zenoRecorder.record(0.0, psi, 0, 1.0);
}

void MainWindow::measureRevivalLevels(double mass, double hbar)
{
    // The walls are finite and painted cell by cell: the packet revives when
    // the levels of that box bring it back, not at the infinite well's time.
    if (preparationType != InitialPreparationType::Gaussian)
        return;
    RevivalBoxConfig& box = recorders.revivalBox;
    const double x0 = ui->centerXSpinBox->value(), y0 = ui->centerYSpinBox->value();
    const double reachX = 0.5 * box.interiorWidth + box.verticalWallThickness;
    const double reachY = 0.5 * box.interiorHeight + box.horizontalWallThickness;
    LinePacket packet;
    packet.sigma = ui->sigmaSpinBox->value();
    packet.centre = x0;
    packet.wavenumber = ui->momentumSpinBox->value() / hbar;
    box.levelRevivalTimeX = recorders.revivalLevels.revivalTime(
        paintedLine(potential, true, y0, box.interiorCenterX - reachX, box.interiorCenterX + reachX), packet, mass,
        hbar, revivalTime(box.interiorWidth, mass, hbar));
    packet.centre = y0;
    packet.wavenumber = ui->momentumYSpinBox->value() / hbar;
    box.levelRevivalTimeY = recorders.revivalLevels.revivalTime(
        paintedLine(potential, false, x0, box.interiorCenterY - reachY, box.interiorCenterY + reachY), packet, mass,
        hbar, revivalTime(box.interiorHeight, mass, hbar));
}

} // namespace vxo
