#include "app/mainwindow/MainWindow.h"

#include "app/mainwindow/StatusDurations.h"
#include "core/GaussianPacket2D.h"
#include "core/Numeric.h"
#include "document/ExperimentTitles.h"
#include "experiments/BoundStates1D.h"
#include "ui/MainWindowForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>

#include <cmath>
#include <string>
#include <type_traits>

namespace vxo {

bool MainWindow::prepareExperimentInitialState()
{
    const double mass = solver.parameters().mass;
    const double hbar = solver.parameters().hbar;
    // The spectrum was computed with the form's mass in double precision; the
    // solver holds it rounded to single.
    const double formMass = ui->massSpinBox->value();

    std::string message;
    // The experiment's record read from the form: enabled, with what else it
    // needs (`ready`), and prepared; kept as the stored copy only then.
    const auto fromForm = [this](auto& storedRecord, bool ready, const auto& prepare) {
        const auto settings = formSettings<std::decay_t<decltype(storedRecord)>>();
        const bool ok = settings.enabled && ready && prepare(settings);
        if (ok)
            storedRecord = settings;
        return ok;
    };
    bool prepared = false;
    switch (preparationType) {
    case InitialPreparationType::Gaussian:
        break;
    case InitialPreparationType::BoundEigenstate:
        prepared = boundStates.isValidFor(potential, formMass, hbar) &&
                   BoundStates1D::prepareEigenstate(psi, boundStates, boundStateA);
        break;
    case InitialPreparationType::BoundSuperposition:
        prepared = boundStates.isValidFor(potential, formMass, hbar) &&
                   BoundStates1D::prepareSuperposition(psi, boundStates, boundStateA, boundStateB, boundRelativePhase);
        break;
    case InitialPreparationType::TalbotComb:
        prepared = QuantumTalbot2D::prepareInitialState(psi, stored.talbotInitialState, hbar, &message);
        break;
    case InitialPreparationType::Vortex:
        prepared = QuantumVortex2D::prepareInitialState(psi, stored.vortexInitialState, &message);
        break;
    case InitialPreparationType::AndersonDualLane:
        prepared = QuantumAnderson2D::prepareInitialState(psi, stored.andersonInitialState, &message);
        break;
    case InitialPreparationType::KickedRotor:
        prepared = QuantumKickedRotor2D::prepareInitialState(psi, stored.kickedRotorInitialState, &message);
        break;
    case InitialPreparationType::QuantumZeno:
        prepared = QuantumZeno2D::prepareInitialState(psi, stored.quantumZenoInitialState, &message);
        break;
    case InitialPreparationType::BerryFirstExcited: {
        const BerryConfig settings = formSettings<BerryConfig>();
        BerryTrap trap;
        prepared = ui->potentialSceneActiveCheckBox->isChecked() &&
                   QuantumBerryPhase2D::analyzeTrap(potentialScene, trap, nullptr) &&
                   QuantumBerryPhase2D::validateLoop(settings, trap, nullptr) &&
                   QuantumBerryPhase2D::prepareInitialState(psi, trap, settings, mass, hbar);
        if (prepared) {
            stored.quantumBerry = settings;
            recorders.berryTrap = trap;
        }
        break;
    }
    case InitialPreparationType::MoshinskyShutter:
        prepared = QuantumMoshinsky2D::prepareInitialState(psi, stored.moshinskyInitialState, hbar, &message);
        break;
    case InitialPreparationType::KapitzaDiracBeam:
        prepared = QuantumKapitzaDirac2D::prepareInitialState(psi, stored.kapitzaDiracInitialState, hbar, &message);
        break;
    case InitialPreparationType::AharonovBohmBeam: {
        // The form's packet carrying the winding phase of the enclosed flux.
        const AharonovBohmConfig settings = formSettings<AharonovBohmConfig>();
        prepared = settings.enabled && gaugeLinks.aharonovBohmLinksReady;
        if (prepared) {
            prepareFormPacket();
            QuantumAharonovBohm2D::prepareInitialState(psi, settings);
            stored.quantumAharonovBohm = settings;
        }
        break;
    }
    case InitialPreparationType::LandauMagneticState:
        prepared = fromForm(stored.quantumLandau, gaugeLinks.landauLinksReady, [&](const LandauConfig& settings) {
            return QuantumLandau2D::prepareInitialState(psi, settings, mass, hbar, &message);
        });
        break;
    case InitialPreparationType::QuantumHallEdgeState:
        prepared = fromForm(stored.quantumHallEdge, gaugeLinks.hallEdgeLinksReady, [&](const HallEdgeConfig& settings) {
            return QuantumHallEdge2D::prepareInitialState(psi, settings, mass, hbar, &message);
        });
        break;
    case InitialPreparationType::QuantumBackflowState:
        prepared = fromForm(stored.quantumBackflow, true, [&](const BackflowConfig& settings) {
            return QuantumBackflow2D::prepareInitialState(psi, settings, hbar, &message);
        });
        break;
    case InitialPreparationType::DiracZitterbewegungState:
        prepared = fromForm(stored.quantumZitterbewegung, true, [&](const ZitterbewegungConfig& settings) {
            return QuantumZitterbewegung2D::prepareInitialState(diracSpinor, settings, hbar, &message);
        });
        break;
    case InitialPreparationType::DiracKleinTunnelingState:
        prepared = fromForm(stored.quantumKleinTunneling, true, [&](const KleinTunnelingConfig& settings) {
            return QuantumKleinTunneling2D::prepareInitialState(diracSpinor, settings, hbar, &message);
        });
        break;
    }

    // The spinor holds a field only when a Dirac state was prepared into it:
    // the tick steps a Dirac mode with an empty spinor as a scalar run, so the
    // fallback packet is evolved instead of being overwritten by the density
    // of an all-zero spinor. A prepared spinor's density becomes psi.
    const bool spinorPrepared = prepared && (preparationType == InitialPreparationType::DiracZitterbewegungState ||
                                             preparationType == InitialPreparationType::DiracKleinTunnelingState);
    if (spinorPrepared)
        syncSpinorDensity();
    else
        diracSpinor = DiracSpinor2D{};

    // Another experiment's state is a start chosen anew; the packet that
    // stands in for a bound state is not.
    const bool boundStart = preparationType == InitialPreparationType::BoundEigenstate ||
                            preparationType == InitialPreparationType::BoundSuperposition;
    if (preparationType != InitialPreparationType::Gaussian)
        boundStartReplaced = boundStart && !prepared;

    if (!prepared) {
        preparationType = InitialPreparationType::Gaussian;
        noteRebuildFailure(analysisMessageForWindow(QString::fromStdString(message)));
    }
    return prepared;
}

QString MainWindow::replacedStartText() const
{
    if (!boundStartReplaced)
        return {};
    return QStringLiteral("START REPLACED: the run began from the Gaussian packet, not the bound state assumed here "
                          "(no states fitting this grid, potential and mass at the last rebuild: Compute states and "
                          "Prepare, or Load again) | ");
}

void MainWindow::prepareBoundEigenstate()
{
    if (!boundStates.ok)
        return;
    const int n = ui->boundStateComboBox->currentIndex();
    if (n < 0 || n >= static_cast<int>(boundStates.states.size()))
        return;

    boundStateA = n;
    if (!rebuildIntoBoundState(InitialPreparationType::BoundEigenstate))
        return;

    const BoundState& state = boundStates.states[static_cast<std::size_t>(n)];
    showStatusMessage(QStringLiteral("Prepared bound eigenstate n=%1 at E=%2")
                          .arg(QString::number(state.n), QString::number(state.energy, 'f', 6)),
                      kStatusReportMs);
}

void MainWindow::prepareBoundSuperposition()
{
    if (!boundStates.ok)
        return;
    const int count = static_cast<int>(boundStates.states.size());
    const int a = ui->boundSuperpositionAComboBox->currentIndex();
    const int b = ui->boundSuperpositionBComboBox->currentIndex();
    if (a < 0 || b < 0 || a == b || a >= count || b >= count) {
        showStatusMessage(QStringLiteral("Choose two different bound states for the superposition."), kStatusReportMs);
        return;
    }

    boundStateA = a;
    boundStateB = b;
    boundRelativePhase = ui->boundRelativePhaseSpinBox->value() * kPi / 180.0;
    if (!rebuildIntoBoundState(InitialPreparationType::BoundSuperposition))
        return;

    const BoundState& first = boundStates.states[static_cast<std::size_t>(a)];
    const BoundState& second = boundStates.states[static_cast<std::size_t>(b)];
    const double gap = std::abs(second.energy - first.energy);
    const double beatPeriod = gap > 1e-12 ? 2.0 * kPi / gap : 0.0;
    showStatusMessage(
        QStringLiteral("Prepared coherent superposition n=%1 + n=%2; beat period ~ %3")
            .arg(QString::number(first.n), QString::number(second.n), QString::number(beatPeriod, 'f', 3)),
        kStatusExplanationMs);
}

bool MainWindow::rebuildIntoBoundState(InitialPreparationType type)
{
    preparationType = type;
    rebuildSimulation();
    if (!confirmBoundPreparation(type))
        return false;
    ui->analysisDockWidget->show();
    showAnalysisPage(ui->boundStatesTab);
    return true;
}

void MainWindow::prepareFormPacket()
{
    GaussianPacket2D packet;
    packet.x0 = static_cast<float>(ui->centerXSpinBox->value());
    packet.y0 = static_cast<float>(ui->centerYSpinBox->value());
    packet.sigma = static_cast<float>(ui->sigmaSpinBox->value());
    packet.px = static_cast<float>(ui->momentumSpinBox->value());
    packet.py = static_cast<float>(ui->momentumYSpinBox->value());
    packet.hbar = solver.parameters().hbar;
    GaussianPacket2D::prepare(psi, packet);
}

} // namespace vxo
