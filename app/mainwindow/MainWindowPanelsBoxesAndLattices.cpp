#include "app/mainwindow/MainWindow.h"

#include "app/text/PanelText.h"
#include "experiments/QuantumKickedRotor2D.h"
#include "experiments/QuantumTalbot2D.h"
#include "ui/MainWindowForm.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>

#include <algorithm>
#include <cmath>

// The panels of the lattice, box, comb, bouncer, trap and rotor experiments.
// Each shows its preset hint over a cleared plot until its experiment has
// something to show (a configured but still empty recorder shows the hint,
// not a summary of zeros); then its summary, and its plot gets a pointer to
// the window's recorder (the Bloch plot a copy of the history).

namespace vxo {

namespace {

// t / period, or 0 when the period has no meaning.
double periodFraction(double t, double period) { return period > 0.0 ? t / period : 0.0; }

} // namespace

void MainWindow::updateBlochPanel()
{
    Ui::MainWindow& form = *ui;
    // The lattice is looked up afresh on every call, so editing the scene
    // takes effect without a rebuild.
    const bool active = form.potentialSceneActiveCheckBox->isChecked() &&
                        QuantumBloch2D::extractFromScene(potentialScene, recorders.blochLattice, nullptr);
    if (!active) {
        recorders.blochLattice = BlochLatticeConfig{};
        form.blochPlotWidget->reset();
        form.blochSummaryLabel->setText(
            QStringLiteral("Load the Bloch Oscillations preset: periodic wells plus one constant Linear X force."));
        return;
    }

    const double hbar = solver.parameters().hbar;
    const double period = QuantumBloch2D::blochPeriod(recorders.blochLattice, hbar);
    const double edgeMomentum = QuantumBloch2D::zoneEdgeMomentum(recorders.blochLattice, hbar);
    double lastX = 0.0;
    double span = 0.0;
    if (!history.empty()) {
        const auto [lowest, highest] =
            std::minmax_element(history.samples().begin(), history.samples().end(),
                                [](const ObservableSample& a, const ObservableSample& b) { return a.meanX < b.meanX; });
        lastX = history.newest().meanX;
        span = highest->meanX - lowest->meanX;
    }
    form.blochSummaryLabel->setText(
        PanelText(
            QStringLiteral("BLOCH | wells=%1  a=%2  depth=%3  F=%4 | p_B=%5  T_B=%6 | t/T_B=%7 | <x>=%8  span=%9"))
            .integer(recorders.blochLattice.wellCount)
            .fixed({recorders.blochLattice.spacing, recorders.blochLattice.depth, recorders.blochLattice.force,
                    edgeMomentum, period},
                   3)
            .fixed(periodFraction(solver.time(), period), 2)
            .fixed({lastX, span}, 3)
            .text());
    form.blochPlotWidget->setData(history.samples(), recorders.blochLattice, form.momentumSpinBox->value(), hbar);
}

void MainWindow::updateRevivalsPanel()
{
    Ui::MainWindow& form = *ui;
    if (!recorders.revivalBox.valid || !recorders.revivalRecorder.hasInitialState()) {
        form.revivalPlotWidget->reset();
        form.revivalSummaryLabel->setText(
            QStringLiteral("Load the Wave-Packet Revivals preset: four finite box walls plus a localized packet."));
        return;
    }

    const double mass = solver.parameters().mass;
    const double hbar = solver.parameters().hbar;
    const std::vector<RevivalSample>& samples = recorders.revivalRecorder.samples();
    form.revivalSummaryLabel->setText(
        PanelText(QStringLiteral("box %1 x %2   Vwall=%3   T_rev,x=%4   T_rev,y=%5   t=%6   fidelity=%7"))
            .fixed({recorders.revivalBox.interiorWidth, recorders.revivalBox.interiorHeight}, 2)
            .fixed(recorders.revivalBox.wallHeight, 1)
            .fixed({recorders.revivalBox.revivalTimeX(mass, hbar), recorders.revivalBox.revivalTimeY(mass, hbar),
                    solver.time()},
                   2)
            .fixed(samples.empty() ? 0.0 : samples.back().fidelity, 4)
            .text());
    form.revivalPlotWidget->setRecorder(&recorders.revivalRecorder, recorders.revivalBox, mass, hbar);
}

void MainWindow::updateBilliardPanel()
{
    Ui::MainWindow& form = *ui;
    if (!recorders.billiardConfig.valid || recorders.billiardRecorder.initialState().empty()) {
        form.billiardPlotWidget->reset();
        form.billiardSummaryLabel->setText(QStringLiteral("Load a Rectangular or Sinai Billiard preset."));
        return;
    }

    const std::vector<BilliardSample>& samples = recorders.billiardRecorder.samples();
    const BilliardSample last = samples.empty() ? BilliardSample{} : samples.back();
    // The readings of one instant follow the interference pattern, whose
    // phases the cells shift a little (a box's carpet) or chaos amplifies
    // (the disc): after a few crossings their course differs from one grid
    // to another, while their level over time is the same on every grid.
    form.billiardSummaryLabel->setText(
        PanelText(QStringLiteral("%1 | box=%2 x %3  obstacle r=%4 | t=%5  occupied=%6  Aeff=%7  fidelity=%8  shell=%9\n"
                                 "occupied and Aeff at this instant: after a few crossings their course depends on "
                                 "the grid, their level over time does not"))
            .word(recorders.billiardConfig.hasScatterer ? QStringLiteral("SINAI") : QStringLiteral("RECTANGLE"))
            .fixed({recorders.billiardConfig.interiorWidth, recorders.billiardConfig.interiorHeight,
                    recorders.billiardConfig.hasScatterer ? recorders.billiardConfig.scattererRadius : 0.0,
                    solver.time()},
                   2)
            .fixed(last.occupiedFraction, 3)
            .fixed(last.effectiveArea, 2)
            .fixed({last.fidelity, last.shellProbability}, 4)
            .text());
    form.billiardPlotWidget->setRecorder(&recorders.billiardRecorder, recorders.billiardConfig);
}

void MainWindow::updateTalbotPanel()
{
    Ui::MainWindow& form = *ui;
    // A configured recorder alone is not enough: a document may keep the comb
    // recorder while preparing another state.
    if (preparationType != InitialPreparationType::TalbotComb || !recorders.talbotRecorder.isConfigured() ||
        recorders.talbotRecorder.samples().empty()) {
        form.talbotPlotWidget->clearRecorder();
        form.talbotSummaryLabel->setText(QStringLiteral("Load the Quantum Talbot Self-Imaging preset."));
        return;
    }

    const double mass = solver.parameters().mass;
    const double hbar = solver.parameters().hbar;
    const TalbotInitialState& comb = recorders.talbotRecorder.state();
    const double talbotTime = QuantumTalbot2D::talbotTime(comb.period, mass, hbar);
    const double gridWidth = static_cast<double>(recorders.talbotRecorder.nx()) * recorders.talbotRecorder.dx();
    const std::int64_t periods = comb.period > 0.0 ? std::llround(gridWidth / comb.period) : 0;
    const TalbotSample& last = recorders.talbotRecorder.samples().back();
    form.talbotSummaryLabel->setText(
        PanelText(QStringLiteral(
                      "%1 periods  a=%2  tooth sigma=%3 | T_T=%4  t/T_T=%5 | corr(original)=%6  corr(shift a/2)=%7"))
            .integer(periods)
            .fixed({comb.period, comb.toothSigma}, 3)
            .fixed(talbotTime, 4)
            .fixed(periodFraction(last.time, talbotTime), 3)
            .fixed({last.correlationOriginal, last.correlationShifted}, 4)
            .text());
    form.talbotPlotWidget->setRecorder(&recorders.talbotRecorder, mass, hbar);
}

void MainWindow::updateBouncerPanel()
{
    Ui::MainWindow& form = *ui;
    if (!recorders.bouncerConfig.valid || !recorders.bouncerRecorder.isConfigured() ||
        recorders.bouncerRecorder.samples().empty()) {
        form.bouncerPlotWidget->clearRecorder();
        form.bouncerSummaryLabel->setText(
            QStringLiteral("Load the Quantum Bouncer preset: one hard floor plus a positive Linear-Y slope."));
        return;
    }

    const double mass = solver.parameters().mass;
    const double hbar = solver.parameters().hbar;
    const BouncerSample& last = recorders.bouncerRecorder.samples().back();
    // The point mass starts where the recorder was told the packet starts.
    const double classicalY = QuantumBouncer2D::classicalHeight(last.time, recorders.bouncerConfig, mass,
                                                                recorders.bouncerRecorder.initialY(),
                                                                recorders.bouncerRecorder.initialMomentumY());
    form.bouncerSummaryLabel->setText(
        PanelText(QStringLiteral("F=%1   floor y=%2   Airy ell=%3   E1=%4   t=%5\n"
                                 "<y>=%6   classical y=%7   sigma_y=%8   near-floor P=%9   norm=%10"))
            .fixed(recorders.bouncerConfig.force, 3)
            .fixed(recorders.bouncerConfig.floorY, 2)
            .fixed({QuantumBouncer2D::airyLength(recorders.bouncerConfig, mass, hbar),
                    QuantumBouncer2D::levelEnergy(0, recorders.bouncerConfig, mass, hbar)},
                   3)
            .fixed(last.time, 2)
            .fixed({last.meanY, classicalY, last.sigmaY, last.nearFloorProbability}, 3)
            .fixed(last.norm, 6)
            .text());
    form.bouncerPlotWidget->setRecorder(&recorders.bouncerRecorder, mass, hbar);
}

void MainWindow::updateVortexPanel()
{
    Ui::MainWindow& form = *ui;
    if (preparationType != InitialPreparationType::Vortex || !recorders.vortexTrap.found ||
        !recorders.vortexRecorder.isConfigured() || recorders.vortexRecorder.isEmpty()) {
        form.vortexPlotWidget->clearRecorder();
        form.vortexSummaryLabel->setText(withOffLine(
            OffExperiment::Vortex,
            QStringLiteral("Load the Quantum Vortex preset: off-axis vortex plus one isotropic harmonic trap.")));
        return;
    }

    const double mass = solver.parameters().mass;
    const double hbar = solver.parameters().hbar;
    const VortexInitialState& vortex = stored.vortexInitialState;
    const VortexSample& last = recorders.vortexRecorder.samples().back();
    const double omega = QuantumVortex2D::trapOmega(recorders.vortexTrap, mass);
    const double period = QuantumVortex2D::trapPeriod(recorders.vortexTrap, mass);
    double idealX = 0.0;
    double idealY = 0.0;
    QuantumVortex2D::referenceCore(last.time, vortex, recorders.vortexTrap, mass, idealX, idealY);
    // Without a core in the sample only the ideal precession has a position.
    const double coreX = last.found ? last.x : 0.0;
    const double coreY = last.found ? last.y : 0.0;
    const double radius =
        last.found ? std::hypot(last.x - recorders.vortexTrap.centerX, last.y - recorders.vortexTrap.centerY) : 0.0;
    const std::int32_t winding = last.found ? last.winding : 0;
    form.vortexSummaryLabel->setText(
        PanelText(QStringLiteral("charge=%1   omega=%2   T=%3   t/T=%4\n"
                                 "core=(%5,%6)   ideal=(%7,%8)   r=%9   winding=%10   <Lz>/hbar=%11   norm=%12"))
            .integer(vortex.charge)
            .fixed({omega, period}, 4)
            .fixed({periodFraction(last.time, period), coreX, coreY, idealX, idealY, radius}, 3)
            .integer(winding)
            .fixed(hbar > 0.0 ? last.angularMomentum / hbar : 0.0, 5)
            .fixed(last.norm, 6)
            .text());
    form.vortexPlotWidget->setRecorder(&recorders.vortexRecorder, mass, hbar);
}

void MainWindow::updateAndersonPanel()
{
    Ui::MainWindow& form = *ui;
    if (preparationType != InitialPreparationType::AndersonDualLane || !recorders.andersonLattice.valid ||
        !recorders.andersonRecorder.isConfigured() || recorders.andersonRecorder.isEmpty()) {
        form.andersonPlotWidget->clearRecorder();
        form.andersonSummaryLabel->setText(withOffLine(
            OffExperiment::Anderson,
            QStringLiteral("Load the Anderson Localization preset: upper clean lattice, lower disordered lattice.")));
        return;
    }

    const AndersonSample& last = recorders.andersonRecorder.samples().back();
    const AndersonLaneMetrics& clean = last.clean;
    const AndersonLaneMetrics& disordered = last.disordered;
    const double spreadRatio = clean.sigmaX > 1e-12 ? disordered.sigmaX / clean.sigmaX : 0.0;
    form.andersonSummaryLabel->setText(
        PanelText(QStringLiteral("sites=%1   a=%2   clean depth=%3   disorder std=%4   t=%5\n"
                                 "sigmaX clean=%6   disorder=%7   disorder/clean=%8\n"
                                 "site PR clean=%9   disorder=%10   center P disorder=%11   xi=%12   norm=%13"))
            .count(recorders.andersonLattice.siteX.size())
            .fixed({recorders.andersonLattice.spacing, recorders.andersonLattice.cleanMeanValue,
                    recorders.andersonLattice.disorderedValueStd},
                   3)
            .fixed(last.time, 2)
            .fixed({clean.sigmaX, disordered.sigmaX, spreadRatio}, 3)
            .fixed({clean.participationRatio, disordered.participationRatio}, 2)
            .fixed(disordered.centreSiteWeight, 3)
            .fixedOr(disordered.localisationLengthValid, disordered.localisationLength, 3, PanelText::kNotAvailable)
            .fixed(last.totalProbability, 6)
            .text());
    form.andersonPlotWidget->setRecorder(&recorders.andersonRecorder, solver.parameters().mass,
                                         solver.parameters().hbar);
}

void MainWindow::updateKickedRotorPanel()
{
    Ui::MainWindow& form = *ui;
    if (preparationType != InitialPreparationType::KickedRotor || !recorders.kickedRotorRecorder.isConfigured() ||
        recorders.kickedRotorRecorder.isEmpty()) {
        form.kickedRotorPlotWidget->clearRecorder();
        form.kickedRotorSummaryLabel->setText(withOffLine(
            OffExperiment::KickedRotor,
            QStringLiteral("Load the Quantum Kicked Rotor preset: periodic delta kicks plus free rotor evolution.")));
        return;
    }

    const KickedRotorConfig& kicks = stored.kickedRotor;
    const KickedRotorSample& last = recorders.kickedRotorRecorder.samples().back();
    const double stochasticity =
        QuantumKickedRotor2D::classicalStochasticity(psi, kicks, solver.parameters().mass, solver.parameters().hbar);
    form.kickedRotorSummaryLabel->setText(
        PanelText(QStringLiteral("k=%1   T=%2   tau=%3   classical K=%4   kicks=%5   next=%6\n"
                                 "<n^2> quantum=%7   classical=%8   PR=%9   norm=%10"))
            .fixed({kicks.phaseStrength, kicks.kickPeriod}, 3)
            .fixed(recorders.kickedRotorRecorder.scaledKickPeriod(), 4)
            .fixed(stochasticity, 3)
            .count(recorders.kickCount)
            // Kicks are numbered from 0, so the count is the next kick's number.
            .fixed(QuantumKickedRotor2D::kickTime(kicks, recorders.kickCount), 2)
            .fixed({last.meanSquareMode, last.classicalMeanSquareMode}, 3)
            .fixed(last.participationRatio, 2)
            .fixed(last.totalProbability, 6)
            .text());
    form.kickedRotorPlotWidget->setRecorder(&recorders.kickedRotorRecorder);
}

} // namespace vxo
