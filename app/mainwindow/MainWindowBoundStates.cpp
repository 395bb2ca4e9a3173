#include "app/mainwindow/MainWindow.h"

#include "app/text/DiagnosticsRowLabels.h"
#include "app/mainwindow/StatusDurations.h"
#include "core/Numeric.h"
#include "experiments/BoundStates1D.h"
#include "experiments/DriveProtocols.h"
#include "plots/QuantumBoundStatePlotWidget.h"
#include "ui/MainWindowForm.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <array>
#include <cmath>

namespace vxo {
namespace {

// Imaginary-time search shared by the panel and the calibrations; they
// differ in the iteration budget and the number of states.
BoundStateSettings boundStateSettings(double mass, double hbar, int maxIterations, int maxStates)
{
    BoundStateSettings settings;
    settings.mass = mass;
    settings.hbar = hbar;
    settings.imaginaryTimeStep = 0.02;
    settings.maxIterations = maxIterations;
    settings.maxStates = maxStates;
    settings.energyTolerance = 1e-10;
    settings.yTolerance = 1e-5;
    return settings;
}

// Relative energy change at which a pair followed along a sweep counts as settled.
constexpr double kFollowedPairTolerance = 1e-8;

// The most the populations read on a pair found in the span of the pairs
// relaxed before may lie from those on the exact pair, to first order:
// half of what the pages' three decimals can show, leaving the other half
// to the estimate's higher orders.
constexpr double kVisiblePopulationShift = 2.5e-4;

int clampedState(std::int32_t index, int last) { return std::clamp(static_cast<int>(index), 0, last); }

} // namespace

void MainWindow::computeBoundStates()
{
    if (potential.empty())
        return;
    // The spectrum describes the potential as it stands: a running protocol
    // must not move it while the states are sought.
    if (transport.isRunning())
        setRunning(false);

    boundStates = BoundStates1D::compute(potential, boundStateSettings(ui->massSpinBox->value(),
                                                                       static_cast<double>(solver.parameters().hbar),
                                                                       2600, ui->boundMaxStatesSpinBox->value()));
    {
        QComboBox* const eigenstate = ui->boundStateComboBox;
        QComboBox* const first = ui->boundSuperpositionAComboBox;
        QComboBox* const second = ui->boundSuperpositionBComboBox;
        const QSignalBlocker eigenstateBlocker(eigenstate);
        const QSignalBlocker firstBlocker(first);
        const QSignalBlocker secondBlocker(second);
        // Computing again keeps what the selectors held where those states
        // still exist: the spectrum of an unchanged well is the same, and a
        // prepared pair must not turn into another.
        const std::array<int, 3> held{eigenstate->currentIndex(), first->currentIndex(), second->currentIndex()};
        eigenstate->clear();
        first->clear();
        second->clear();
        if (boundStates.ok) {
            for (const BoundState& state : boundStates.states) {
                const QString text =
                    QStringLiteral("n=%1   E=%2   nodes=%3").arg(state.n).arg(state.energy, 0, 'f', 5).arg(state.nodes);
                eigenstate->addItem(text);
                first->addItem(text);
                second->addItem(text);
            }
            const int count = static_cast<int>(boundStates.states.size());
            const int last = count - 1;
            const auto keptOr = [count](int kept, int otherwise) {
                return kept >= 0 && kept < count ? kept : otherwise;
            };
            eigenstate->setCurrentIndex(keptOr(held[0], clampedState(boundStateA, last)));
            first->setCurrentIndex(keptOr(held[1], 0));
            second->setCurrentIndex(keptOr(held[2], count >= 3 ? 2 : clampedState(boundStateB, last)));
        } else if (preparationType == InitialPreparationType::BoundEigenstate ||
                   preparationType == InitialPreparationType::BoundSuperposition) {
            // A bound preparation has nothing left to stand on; any other
            // experiment (a kicked rotor, a watched escape) runs on as prepared.
            preparationType = InitialPreparationType::Gaussian;
        }
    }
    updateBoundStatesStatus();
    updateDoubleWellPanel();
    updateRabiPanel();
    if (boundStates.ok)
        showStatusMessage(QStringLiteral("Computed %1 bound states below continuum E=%2")
                              .arg(boundStates.states.size())
                              .arg(boundStates.continuumThreshold, 0, 'f', 5),
                          kStatusReportMs);
    else
        showStatusMessage(QString::fromStdString(boundStates.message), kStatusExplanationMs);
}

void MainWindow::updateBoundStatesStatus()
{
    const int count = static_cast<int>(boundStates.states.size());
    const bool valid = boundStates.ok && boundStates.isValidFor(potential, ui->massSpinBox->value(),
                                                                static_cast<double>(solver.parameters().hbar));
    for (QWidget* widget :
         {static_cast<QWidget*>(ui->boundStateComboBox), static_cast<QWidget*>(ui->boundSuperpositionAComboBox),
          static_cast<QWidget*>(ui->boundSuperpositionBComboBox), static_cast<QWidget*>(ui->boundRelativePhaseSpinBox),
          static_cast<QWidget*>(ui->boundPrepareEigenButton)})
        widget->setEnabled(valid);
    ui->boundPrepareSuperpositionButton->setEnabled(valid && count >= 2);

    const QString section = QStringLiteral("Bound states");
    const QString gaussianPacket = QStringLiteral("Gaussian packet");
    if (!valid) {
        // A start replaced at the last rebuild is said first here too: this
        // page is where the start is chosen again.
        ui->boundSummaryLabel->setText(
            replacedStartText() +
            (boundStates.ok ? QStringLiteral("Potential/domain/mass changed after the last eigenmode extraction. "
                                             "Press Compute states again.")
                            : QStringLiteral("Use a confining potential that is invariant along Y, then Compute "
                                             "states.")));
        ui->boundStatePlotWidget->clear();
        setDiagnosticsRow(kBoundSpectrumRow, section, QStringLiteral("Spectrum"),
                          boundStates.ok ? QStringLiteral("stale - recompute") : QStringLiteral("not computed"));
        setDiagnosticsRow(kBoundPreparationRow, section, QStringLiteral("Preparation"), gaussianPacket);
        return;
    }

    const int last = count - 1;
    int selected = ui->boundStateComboBox->currentIndex();
    if (selected < 0 || selected >= count)
        selected = 0;
    ui->boundStatePlotWidget->setResult(boundStates, selected);

    QString preparation = gaussianPacket;
    if (preparationType == InitialPreparationType::BoundEigenstate)
        preparation = QStringLiteral("eigenstate n=%1").arg(boundStates.states[clampedState(boundStateA, last)].n);
    else if (preparationType == InitialPreparationType::BoundSuperposition)
        preparation = QStringLiteral("coherent superposition");

    QString beat;
    const int a = ui->boundSuperpositionAComboBox->currentIndex();
    const int b = ui->boundSuperpositionBComboBox->currentIndex();
    if (a >= 0 && b >= 0 && a != b && a < count && b < count) {
        const double splitting = std::abs(boundStates.states[b].energy - boundStates.states[a].energy);
        if (splitting > 1e-12)
            beat = QStringLiteral("   superposition dE=%1 -> Tbeat=%2")
                       .arg(splitting, 0, 'f', 5)
                       .arg(2.0 * kPi / splitting, 0, 'f', 3);
    }

    const BoundState& state = boundStates.states[selected];
    ui->boundSummaryLabel->setText(
        replacedStartText() +
        QStringLiteral("%1 bound states   continuum=%2   selected n=%3: E=%4, nodes=%5   preparation=%6%7")
            .arg(count)
            .arg(boundStates.continuumThreshold, 0, 'f', 5)
            .arg(state.n)
            .arg(state.energy, 0, 'f', 6)
            .arg(state.nodes)
            .arg(preparation)
            .arg(beat));
    setDiagnosticsRow(kBoundSpectrumRow, section, QStringLiteral("Spectrum"),
                      QStringLiteral("%1 states   Ec=%2   selected n=%3 E=%4 nodes=%5")
                          .arg(count)
                          .arg(boundStates.continuumThreshold, 0, 'f', 5)
                          .arg(state.n)
                          .arg(state.energy, 0, 'f', 6)
                          .arg(state.nodes));
    setDiagnosticsRow(kBoundPreparationRow, section, QStringLiteral("Preparation"), preparation + beat);
}

void MainWindow::calibrateSweepReference()
{
    // The pairs relaxed along a sweep of the well calibrated before serve a
    // sweep of the same well (a Reset), and nothing another one needs.
    const BoundStateResult calibratedBefore = std::move(twoLevel.sweepBoundStates);
    const auto keepOrClearFollowedPairs = [this, &calibratedBefore] {
        const BoundStateResult& now = twoLevel.sweepBoundStates;
        if (!now.ok || !calibratedBefore.ok || now.fingerprint != calibratedBefore.fingerprint ||
            now.mass != calibratedBefore.mass || now.hbar != calibratedBefore.hbar)
            twoLevel.steppedPairBasis.clear();
    };
    twoLevel.sweepBoundStates = BoundStateResult{};
    twoLevel.landauZenerReference = LandauZenerReference{};
    twoLevel.stueckelbergReference = StueckelbergReference{};
    twoLevel.stueckelbergHoldScan.clear();
    if (potentialScene.empty() || !ui->potentialSceneActiveCheckBox->isChecked())
        return keepOrClearFollowedPairs();
    const LinearSweep sweep = formSettings<LinearSweep>();
    if (!sweep.enabled || sweep.parameter != SceneParameterSlopeX || !validateLinearSweep(potentialScene, sweep))
        return keepOrClearFollowedPairs();

    // The unbiased well: the sweep moves the bias through zero, where the
    // two lowest states form the avoided crossing.
    twoLevel.sweepBoundStates = computeDoubleWellBasis(sweep.targetObjectId, 0.0);
    keepOrClearFollowedPairs();
    if (!twoLevel.sweepBoundStates.ok || twoLevel.sweepBoundStates.states.size() < 2)
        return;
    const double hbar = static_cast<double>(solver.parameters().hbar);
    if (!sweep.returnEnabled) {
        twoLevel.landauZenerReference = QuantumLandauZener2D::predict(twoLevel.sweepBoundStates, sweep, 0, 1, hbar);
        return;
    }
    twoLevel.stueckelbergReference = QuantumStueckelberg2D::reference(twoLevel.sweepBoundStates, sweep, 0, 1, hbar);
    scanStueckelbergHold(sweep);
}

const BoundStateResult& MainWindow::steppedSweepPair()
{
    const SplitStepParameters& parameters = solver.parameters();
    const double mass = static_cast<double>(parameters.mass);
    const double hbar = static_cast<double>(parameters.hbar);
    BoundStateResult& pair = twoLevel.steppedSweepPair;
    if (potential.empty())
        return pair;
    // The appliers paint the potential again on every call, also where the
    // bias stands still: the pair is checked once per painting, against the
    // row it is computed from.
    if (twoLevel.steppedPairIdentity == potential.identity() && twoLevel.steppedPairRevision == potential.revision())
        return pair;
    // The states are the middle row's: the sweep moves a Linear slope X,
    // which leaves the well as invariant along y as the calibration found
    // it, so the row alone is used, without a read (or a fingerprint) of
    // the whole grid.
    if (!pair.isForRowOf(potential, mass, hbar)) {
        const PotentialField2D row = potential.row(potential.ny() / 2);
        BoundStateSettings settings = boundStateSettings(mass, hbar, 2800, 2);
        settings.energyTolerance = kFollowedPairTolerance;
        // During a sweep the row moves a little at every step: the pair of
        // the moved row is found by Rayleigh-Ritz in the span of the pairs
        // relaxed before (at first the calibrated one), a fraction of a
        // millisecond where a relaxation takes tens on the finest grid, and
        // relaxed only where that span falls short of what the populations
        // can show. An energy settled to 1e-8 leaves the relaxed states
        // within 1e-8 of the pair a fixed start finds, far below the
        // populations' digits, in half the relaxation steps.
        FollowedPairBasis& basis = twoLevel.steppedPairBasis;
        if (basis.empty())
            basis.add(twoLevel.sweepBoundStates);
        const FollowedPairBasis::RitzPair ritz = basis.ritzPair(row, settings);
        if (ritz.pair.ok && sweepPairReads(ritz)) {
            pair = ritz.pair;
            ++twoLevel.steppedPairsFromBasis;
        } else {
            const BoundStateResult& start = ritz.pair.ok ? ritz.pair : pair.ok ? pair : twoLevel.sweepBoundStates;
            pair = BoundStates1D::compute(row, settings, start);
            basis.add(pair);
            ++twoLevel.steppedPairRelaxations;
        }
    }
    twoLevel.steppedPairIdentity = potential.identity();
    twoLevel.steppedPairRevision = potential.revision();
    return pair;
}

bool MainWindow::sweepPairReads(const FollowedPairBasis::RitzPair& ritz)
{
    const LandauZenerReference& reference = twoLevel.stueckelbergReference.valid
                                                ? twoLevel.stueckelbergReference.landauZener
                                                : twoLevel.landauZenerReference;
    if (!reference.valid)
        return false;
    const SweepPopulations read =
        QuantumLandauZener2D::steppedPopulations(observedColumnAmplitudes(), ritz.pair, reference);
    return QuantumLandauZener2D::readingError(ritz.pair, ritz.offPair, read, reference) <= kVisiblePopulationShift;
}

void MainWindow::calibrateRamseyReference()
{
    twoLevel.ramseyBoundStates = BoundStateResult{};
    twoLevel.ramseyReference = RamseyReference{};
    twoLevel.ramseyFringeScan.clear();
    twoLevel.ramseyEnsemble = RamseyEnsembleResult{};
    twoLevel.ramseyEnsembleScan.clear();
    if (potentialScene.empty() || !ui->potentialSceneActiveCheckBox->isChecked())
        return;
    const RamseySequence sequence = formSettings<RamseySequence>();
    const RamseyEnsemble ensemble = formSettings<RamseyEnsemble>();
    if (!sequence.enabled || sequence.parameter != SceneParameterSlopeX ||
        !validateRamseySequence(potentialScene, sequence))
        return;

    // The pair at the sequence's base bias: the pulses only add the
    // deviation from it.
    twoLevel.ramseyBoundStates = computeDoubleWellBasis(sequence.targetObjectId, sequence.mean);
    if (!twoLevel.ramseyBoundStates.ok || twoLevel.ramseyBoundStates.states.size() < 2)
        return;
    const double hbar = static_cast<double>(solver.parameters().hbar);
    twoLevel.ramseyReference = QuantumRamsey2D::reference(twoLevel.ramseyBoundStates, sequence, 0, 1, hbar);
    scanRamseyFreeTime(sequence, ensemble);
}

bool MainWindow::confirmBoundPreparation(InitialPreparationType requested)
{
    // A failed preparation falls back to the Gaussian packet and says nothing
    // itself: the spectrum was computed for a potential the rebuild did not
    // reproduce (a protocol had moved it, or the grid, scene or mass changed).
    if (preparationType == requested)
        return true;
    showStatusMessage(QStringLiteral("The bound state could not be prepared: the computed states do not fit the "
                                     "rebuilt potential, so the Gaussian packet was prepared. Press Compute states "
                                     "again."),
                      kStatusExplanationMs);
    return false;
}

BoundStateResult MainWindow::computeDoubleWellBasis(std::uint64_t targetObjectId, double slopeX) const
{
    if (potential.empty())
        return {};
    // A copy of the scene with the bias fixed, rasterised on the window's
    // grid; the window's own potential stays as the protocol left it.
    PotentialScene scene = potentialScene;
    PotentialObject* target = scene.find(targetObjectId);
    if (!target || !setSceneObjectParameter(*target, SceneParameterSlopeX, slopeX))
        return {};
    PotentialField2D scratch(potential.nx(), potential.ny(), potential.dx(), potential.dy());
    scene.buildPotential(scratch);
    const SplitStepParameters& parameters = solver.parameters();
    const double mass = static_cast<double>(parameters.mass);
    const double hbar = static_cast<double>(parameters.hbar);
    std::vector<BoundStateResult>& recent = twoLevel.recentBases;
    for (const BoundStateResult& known : recent)
        if (known.isValidFor(scratch, mass, hbar))
            return known;
    BoundStateResult basis = BoundStates1D::compute(scratch, boundStateSettings(mass, hbar, 2800, 2));
    if (basis.ok) {
        if (recent.size() >= TwoLevelState::kBasesKept)
            recent.erase(recent.begin());
        recent.push_back(basis);
    }
    return basis;
}

} // namespace vxo
