#include "app/mainwindow/MainWindow.h"

#include "app/text/DiagnosticsRowLabels.h"
#include "app/text/PanelText.h"
#include "core/Numeric.h"
#include "experiments/BoundStateResult.h"
#include "experiments/DriveProtocols.h"
#include "experiments/ObservableHistory.h"
#include "experiments/ObservableSample.h"
#include "experiments/QuantumDoubleWell2D.h"
#include "experiments/QuantumLandauZener2D.h"
#include "experiments/QuantumRabi2D.h"
#include "experiments/QuantumRamsey2D.h"
#include "experiments/QuantumStueckelberg2D.h"
#include "plots/QuantumDoubleWellPlotWidget.h"
#include "plots/QuantumLandauZenerPlotWidget.h"
#include "plots/QuantumRabiPlotWidget.h"
#include "plots/QuantumRamseyPlotWidget.h"
#include "plots/QuantumStueckelbergPlotWidget.h"
#include "ui/MainWindowForm.h"

#include <QDoubleSpinBox>
#include <QLabel>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vxo {
namespace {

// The Diagnostics word of a two-level page that predicts nothing: inactive
// without its protocol, "no pair of states" with it.
// What a sweep or sequence plot shows with its protocol loaded and no pair.
const QString kNoPairToDraw = QStringLiteral("No pair of states to predict from: the summary above says why.");

QString inactiveOrNoPair(bool setUp)
{
    return setUp ? QStringLiteral("no pair of states") : QStringLiteral("inactive");
}

// The two-level analyses work on the lowest pair of the well.
constexpr int kLowerState = 0;
constexpr int kUpperState = 1;

// Points of the Stueckelberg hold scan and of the Ramsey free-time scans.
constexpr int kScanPoints = 121;

// Everything a reference scan is computed from, the basis whole and the
// settings, in one list that compares equal only when every input is the
// same (a NaN never is): a rebuild that leaves them as they were keeps the
// scan instead of computing it again.
std::vector<double> scanInputs(const BoundStateResult& basis, std::initializer_list<double> settings)
{
    std::vector<double> inputs(settings);
    inputs.insert(inputs.end(), {basis.ok ? 1.0 : 0.0, basis.dx, basis.mass, basis.hbar, basis.continuumThreshold});
    inputs.insert(inputs.end(), basis.x.begin(), basis.x.end());
    inputs.insert(inputs.end(), basis.potential.begin(), basis.potential.end());
    for (const BoundState& state : basis.states) {
        inputs.insert(inputs.end(), {static_cast<double>(state.n), state.energy, static_cast<double>(state.nodes)});
        inputs.insert(inputs.end(), state.phi.begin(), state.phi.end());
    }
    return inputs;
}

double flag(bool value) { return value ? 1.0 : 0.0; }

// States computed on these cells, for this mass, from the potential the run
// started from (`startFingerprint`): a drive moves the potential during the
// run, so the live one is not what the states are checked against.
bool statesFitTheRun(const BoundStateResult& states, const PotentialField2D& grid, double mass, double hbar,
                     std::uint64_t startFingerprint)
{
    const auto same = [](double a, double b) { return std::abs(a - b) <= 1e-12 * std::max(1.0, std::abs(b)); };
    return states.ok && !grid.empty() && states.x.size() == grid.nx() && states.dx == static_cast<double>(grid.dx()) &&
           same(mass, states.mass) && same(hbar, states.hbar) && states.fingerprint == startFingerprint;
}

QString ramseyStageName(std::int32_t stage)
{
    switch (stage) {
    case RamseyStagePulse1:
        return QStringLiteral("pulse 1");
    case RamseyStageFreeEvolution:
        return QStringLiteral("free evolution");
    case RamseyStageFreeFirstHalf:
        return QStringLiteral("free 1/2");
    case RamseyStageEchoPulse:
        return QStringLiteral("echo pi pulse");
    case RamseyStageFreeSecondHalf:
        return QStringLiteral("free 2/2");
    case RamseyStagePulse2:
        return QStringLiteral("pulse 2");
    case RamseyStageFinished:
        return QStringLiteral("finished");
    default:
        return QStringLiteral("before");
    }
}

// One two-level block of the observation: its validity flag, the two
// populations the panel quotes and the captured two-level weight.
struct HistoryBlock {
    bool ObservableSample::*valid;
    double ObservableSample::*first;
    double ObservableSample::*second;
    double ObservableSample::*captured;
};

// The last valid sample's two populations and the smallest captured weight
// over the valid samples, each starting from the live value, so that an
// empty history reads as the live state.
struct HistoryTrace {
    double first;
    double second;
    double minCaptured;
};

HistoryTrace traceHistory(const std::vector<ObservableSample>& samples, const HistoryBlock& block, HistoryTrace trace)
{
    for (const ObservableSample& sample : samples) {
        if (!(sample.*block.valid))
            continue;
        trace.first = sample.*block.first;
        trace.second = sample.*block.second;
        trace.minCaptured = std::min(trace.minCaptured, sample.*block.captured);
    }
    return trace;
}

// The weight of the live field outside the lowest pair, 1 - P_lower - P_upper:
// the higher states and what the edge absorbed, which a two-level reference
// leaves out. Shown beside each such reference.
double outsidePair(double captured) { return std::max(0.0, 1.0 - captured); }

// Spread of the ensemble-averaged fringe: the largest minus the smallest
// mean P2 over the scan, 0 when the scan is empty or flat.
double ensembleFringeContrast(const std::vector<RamseyEnsemblePoint>& scan)
{
    if (scan.empty())
        return 0.0;
    const auto [lowest, highest] =
        std::minmax_element(scan.begin(), scan.end(), [](const RamseyEnsemblePoint& a, const RamseyEnsemblePoint& b) {
            return a.averagePopulation2 < b.averagePopulation2;
        });
    const double contrast = highest->averagePopulation2 - lowest->averagePopulation2;
    return contrast > 0.0 ? contrast : 0.0;
}

} // namespace

void MainWindow::updateDoubleWellPanel()
{
    Ui::MainWindow& form = *ui;
    QuantumDoubleWellPlotWidget& plot = *form.doubleWellPlotWidget;
    const std::vector<ObservableSample>& samples = history.samples();

    DoubleWellConfig config;
    if (!sceneUsable() || !QuantumDoubleWell2D::extractFromScene(potentialScene, config, nullptr)) {
        twoLevel.doubleWellConfig = {};
        twoLevel.doubleWellParameters = {};
        form.doubleWellSummaryLabel->setText(
            QStringLiteral("Coherent double-well analysis is inactive. Load the guided double-well experiment or "
                           "build three symmetric rectangular barriers."));
        plot.setTunnellingPeriod(0.0);
        plot.setSamples(samples);
        writeDiagnosticsRow(kDoubleWellSplittingRow, QStringLiteral("inactive"));
        writeDiagnosticsRow(kDoubleWellPopulationsRow, QStringLiteral("inactive"));
        return;
    }
    twoLevel.doubleWellConfig = config;
    const DoubleWellRegions regions =
        QuantumDoubleWell2D::regionProbabilities(observedDensity(), twoLevel.doubleWellConfig);

    // The spectrum must describe the potential as it stands now: a drive that
    // has moved the bias since the states were computed makes it stale.
    const double hbar = static_cast<double>(solver.parameters().hbar);
    const bool spectrumCurrent = boundStates.ok && boundStates.states.size() >= 2 &&
                                 boundStates.isValidFor(potential, form.massSpinBox->value(), hbar);
    twoLevel.doubleWellParameters =
        spectrumCurrent ? QuantumDoubleWell2D::twoLevelParameters(boundStates, kLowerState, kUpperState, hbar)
                        : TwoLevelParameters{};

    QString splitting;
    if (twoLevel.doubleWellParameters.valid) {
        const TwoLevelParameters& pair = twoLevel.doubleWellParameters;
        const double barrier = twoLevel.doubleWellConfig.barrierHeight;
        const bool belowBarrier = barrier > pair.energyI && barrier > pair.energyJ;
        splitting =
            PanelText(QStringLiteral("E1=%1  E2=%2  DeltaE=%3  Vbar=%4  transfer~%5  return~%6  %7"))
                .fixed({pair.energyI, pair.energyJ, pair.splitting}, 5)
                .fixed({barrier, pair.halfPeriod, pair.tunnellingPeriod}, 3)
                .word(belowBarrier ? QStringLiteral("BELOW BARRIER") : QStringLiteral("pair reaches/ exceeds barrier"))
                .text();
        writeDiagnosticsRow(kDoubleWellSplittingRow, splitting);
    } else {
        splitting = QStringLiteral("Compute the lowest bound states to obtain DeltaE and the tunnelling period.");
        writeDiagnosticsRow(kDoubleWellSplittingRow, QStringLiteral("spectrum not computed / stale"));
    }

    const QString populations = PanelText(QStringLiteral("P_left=%1   P_bar=%2   P_right=%3   outside=%4"))
                                    .fixed({regions.leftWellFraction(), regions.barrierFraction(),
                                            regions.rightWellFraction(), regions.outsideFraction()},
                                           4)
                                    .text();
    writeDiagnosticsRow(kDoubleWellPopulationsRow, populations);
    form.doubleWellSummaryLabel->setText(replacedStartText() + splitting + QStringLiteral("   |   ") + populations);
    plot.setTunnellingPeriod(twoLevel.doubleWellParameters.valid ? twoLevel.doubleWellParameters.tunnellingPeriod
                                                                 : 0.0);
    plot.setSamples(samples);
}

void MainWindow::updateRabiPanel()
{
    Ui::MainWindow& form = *ui;
    QuantumRabiPlotWidget& plot = *form.rabiPlotWidget;
    const std::vector<ObservableSample>& samples = history.samples();

    const PeriodicDrive drive = formSettings<PeriodicDrive>();
    DoubleWellConfig config;
    const bool active = sceneUsable() && QuantumDoubleWell2D::extractFromScene(potentialScene, config, nullptr) &&
                        boundStates.ok && boundStates.states.size() >= 2 && drive.enabled &&
                        drive.parameter == SceneParameterSlopeX && validatePeriodicDrive(potentialScene, drive);
    // A run whose bound-state start was replaced says so first, whatever
    // the page then shows.
    const bool rabiRecipe = drive.enabled && drive.parameter == SceneParameterSlopeX;
    const QString start = rabiRecipe ? replacedStartText() : QString();
    if (!active) {
        twoLevel.rabiReference = RabiReference{};
        plot.setTwoLevelReference(twoLevel.rabiReference);
        plot.setSamples(samples);
        form.rabiSummaryLabel->setText(
            start + withOffLine(OffExperiment::PeriodicDrive,
                                QStringLiteral("Rabi analysis inactive. Use a symmetric double well, compute its two "
                                               "lowest states, and drive a Linear slope X parameter.")));
        writeDiagnosticsRow(kRabiRow, offLineOr(OffExperiment::PeriodicDrive, QStringLiteral("inactive")));
        return;
    }

    const double hbar = static_cast<double>(solver.parameters().hbar);
    // States computed on other cells, for another mass or from another
    // potential cannot carry this run: that is what to mend, not the drive.
    if (!statesFitTheRun(boundStates, potential, form.massSpinBox->value(), hbar, twoLevel.startPotentialFingerprint)) {
        twoLevel.rabiReference = RabiReference{};
        plot.setTwoLevelReference(twoLevel.rabiReference);
        plot.setSamples(samples);
        form.rabiSummaryLabel->setText(
            start + QStringLiteral("The bound states were computed for another grid, mass or potential: Compute "
                                   "states again (the drive is a valid Rabi drive)."));
        writeDiagnosticsRow(kRabiRow, QStringLiteral("states stale - recompute"));
        return;
    }
    twoLevel.rabiReference = QuantumRabi2D::compute(boundStates, drive, kLowerState, kUpperState, hbar);
    const TwoLevelPopulations live =
        QuantumDoubleWell2D::twoLevelPopulations(observedColumnAmplitudes(), boundStates, kLowerState, kUpperState);
    bool anyRecorded = false;
    double largestUpper = 0.0;
    double smallestCaptured = 1.0;
    for (const ObservableSample& sample : samples) {
        if (!sample.rabiValid)
            continue;
        anyRecorded = true;
        largestUpper = std::max(largestUpper, sample.rabiPopulation2);
        smallestCaptured = std::min(smallestCaptured, sample.rabiCaptured);
    }
    plot.setTwoLevelReference(twoLevel.rabiReference);
    plot.setSamples(samples);

    if (!twoLevel.rabiReference.valid || !live.valid) {
        form.rabiSummaryLabel->setText(start + QStringLiteral("The two-level basis is available, but the current "
                                                              "periodic-drive recipe is not a valid Linear-slope Rabi "
                                                              "drive."));
        writeDiagnosticsRow(kRabiRow, QStringLiteral("invalid drive"));
        return;
    }

    const QString recorded =
        anyRecorded
            ? PanelText(QStringLiteral("max P2=%1  min captured=%2")).fixed({largestUpper, smallestCaptured}, 3).text()
            : QStringLiteral("no history yet");
    const RabiReference& reference = twoLevel.rabiReference;
    QString text =
        PanelText(QStringLiteral("omega12=%1  omega=%2  detuning=%3  |x12|=%4  OmegaR=%5  two-level model RWA max "
                                 "P2=%6  first max~%7  (live outside pair=%8) | P1=%9 P2=%10 captured=%11 | %12"))
            .fixed({reference.transitionFrequency, reference.driveFrequency, reference.detuning}, 5)
            .fixed(std::abs(reference.dipoleElement), 4)
            .fixed(reference.rabiFrequency, 5)
            .fixed(reference.transferAmplitude, 3)
            .fixed(reference.piPulseTime, 2)
            .fixed({outsidePair(live.captured), live.population1, live.population2, live.captured}, 3)
            .word(recorded)
            .text();
    text.prepend(start);
    form.rabiSummaryLabel->setText(text);
    writeDiagnosticsRow(kRabiRow, text);
}

QString MainWindow::noPairText(const char* analysis) const
{
    // The protocol is set up on a scene whose unbiased well, on this grid
    // and universe with this potential and mass, gives no two lowest states
    // to predict from: the page says so rather than asking for the protocol.
    return replacedStartText() + QString::fromLatin1(analysis) +
           QStringLiteral(" reference unavailable: the unbiased double well has no pair of states on this grid and "
                          "universe with this potential and mass. Compute states to see what it holds.");
}

void MainWindow::updateLandauZenerPanel()
{
    Ui::MainWindow& form = *ui;
    QuantumLandauZenerPlotWidget& plot = *form.landauZenerPlotWidget;

    const LinearSweep sweep = formSettings<LinearSweep>();
    const bool setUp = sweep.enabled && !sweep.returnEnabled && sweep.parameter == SceneParameterSlopeX &&
                       validateLinearSweep(potentialScene, sweep);
    if (!setUp || !twoLevel.landauZenerReference.valid || !twoLevel.sweepBoundStates.ok) {
        form.landauZenerSummaryLabel->setText(withOffLine(
            OffExperiment::LinearSweep,
            setUp ? noPairText("Landau-Zener")
                  : QStringLiteral("Landau-Zener analysis inactive. Use a double well with a Linear slope X sweep "
                                   "through zero bias.")));
        plot.reset();
        if (setUp)
            plot.setEmptyReason(kNoPairToDraw);
        writeDiagnosticsRow(kLandauZenerRow, offLineOr(OffExperiment::LinearSweep, inactiveOrNoPair(setUp)));
        return;
    }

    const double bias = linearSweepValueAt(sweep, solver.time());
    const SweepPopulations live = QuantumLandauZener2D::steppedPopulations(
        observedColumnAmplitudes(), steppedSweepPair(), twoLevel.landauZenerReference);
    const std::vector<ObservableSample>& samples = history.samples();
    plot.setTwoLevelReference(twoLevel.landauZenerReference);
    plot.setSweep(sweep);
    plot.setSamples(samples);

    if (!live.valid) {
        form.landauZenerSummaryLabel->setText(
            replacedStartText() +
            QStringLiteral(
                "Landau-Zener reference basis is available, but the live field cannot be projected onto it."));
        writeDiagnosticsRow(kLandauZenerRow, QStringLiteral("projection unavailable"));
        return;
    }

    const HistoryTrace recorded =
        traceHistory(samples,
                     {&ObservableSample::landauZenerValid, &ObservableSample::landauZenerLower,
                      &ObservableSample::landauZenerRight, &ObservableSample::landauZenerCaptured},
                     {live.lowerPopulation, live.rightPopulation, live.captured});
    const LandauZenerReference& reference = twoLevel.landauZenerReference;
    // The pair's left- and right-localised states are "Pleft-state" and
    // "Pright-state": the double well's P_left and P_right on the same
    // screen are the shares of its wells.
    QString text =
        PanelText(QStringLiteral("gap=%1  |x12|=%2  d(epsilon)/dt=%3  crossing=%4  asymptotic LZ Pdiab=%5  Pad=%6  "
                                 "(live outside pair=%7) | bias=%8 progress=%9% | Pleft-state=%10 Pright-state=%11  "
                                 "Plower=%12 Pupper=%13 captured=%14 | history lower=%15 right=%16 min captured=%17"))
            .fixed(reference.gap, 5)
            .fixed(std::abs(reference.dipoleElement), 4)
            .fixed(reference.diabaticRate, 5)
            .fixed(reference.crossingTime, 2)
            .fixed({reference.diabaticProbability, reference.adiabaticProbability, outsidePair(live.captured), bias}, 3)
            .fixed(100.0 * appliers.linearSweepApplier.progress(), 1)
            .fixed({live.leftPopulation, live.rightPopulation, live.lowerPopulation, live.upperPopulation,
                    live.captured, recorded.first, recorded.second, recorded.minCaptured},
                   3)
            .text();
    text.prepend(replacedStartText());
    form.landauZenerSummaryLabel->setText(text);
    writeDiagnosticsRow(kLandauZenerRow, text);
}

void MainWindow::updateStueckelbergPanel(bool recomputeScans)
{
    Ui::MainWindow& form = *ui;
    QuantumStueckelbergPlotWidget& plot = *form.stueckelbergPlotWidget;

    const LinearSweep sweep = formSettings<LinearSweep>();
    const bool setUp = sweep.enabled && sweep.returnEnabled && sweep.parameter == SceneParameterSlopeX &&
                       validateLinearSweep(potentialScene, sweep);
    if (!setUp || !twoLevel.stueckelbergReference.valid || !twoLevel.sweepBoundStates.ok) {
        form.stueckelbergSummaryLabel->setText(withOffLine(
            OffExperiment::LinearSweep,
            setUp ? noPairText("Stueckelberg")
                  : QStringLiteral("Stueckelberg analysis inactive. Enable Return passage on a double-well Linear "
                                   "slope X sweep through zero bias.")));
        plot.reset();
        if (setUp)
            plot.setEmptyReason(kNoPairToDraw);
        writeDiagnosticsRow(kStueckelbergRow, offLineOr(OffExperiment::LinearSweep, inactiveOrNoPair(setUp)));
        return;
    }

    if (recomputeScans)
        scanStueckelbergHold(sweep);

    const double bias = linearSweepValueAt(sweep, solver.time());
    const StueckelbergReference& reference = twoLevel.stueckelbergReference;
    const SweepPopulations live =
        QuantumLandauZener2D::steppedPopulations(observedColumnAmplitudes(), steppedSweepPair(), reference.landauZener);
    const std::vector<ObservableSample>& samples = history.samples();
    plot.setTwoLevelReference(reference);
    plot.setSweep(sweep);
    plot.setFringeScan(twoLevel.stueckelbergHoldScan);
    plot.setSamples(samples);

    if (!live.valid) {
        form.stueckelbergSummaryLabel->setText(
            replacedStartText() +
            QStringLiteral(
                "Stueckelberg reference basis is available, but the live field cannot be projected onto it."));
        writeDiagnosticsRow(kStueckelbergRow, QStringLiteral("projection unavailable"));
        return;
    }

    const HistoryTrace recorded =
        traceHistory(samples,
                     {&ObservableSample::stueckelbergValid, &ObservableSample::stueckelbergLower,
                      &ObservableSample::stueckelbergUpper, &ObservableSample::stueckelbergCaptured},
                     {live.lowerPopulation, live.upperPopulation, live.captured});
    QString text =
        PanelText(QStringLiteral("cross1=%1 cross2=%2 | hold=%3 phase=%4 rad (%5 cycles) | single-pass Pdiab=%6 | "
                                 "two-level model final Plower=%7 Pupper=%8 (live outside pair=%9) | live bias=%10 "
                                 "progress=%11% Plower=%12 Pupper=%13 Pleft-state=%14 Pright-state=%15 captured=%16 | "
                                 "history lower=%17 upper=%18 min captured=%19"))
            .fixed({reference.firstCrossingTime, reference.secondCrossingTime, sweep.holdDuration}, 2)
            .fixed({reference.stueckelbergPhase, reference.stueckelbergPhase / (2.0 * kPi),
                    reference.landauZener.diabaticProbability, reference.finalLowerPopulation,
                    reference.finalUpperPopulation, outsidePair(live.captured), bias},
                   3)
            .fixed(100.0 * appliers.linearSweepApplier.progress(), 1)
            .fixed({live.lowerPopulation, live.upperPopulation, live.leftPopulation, live.rightPopulation,
                    live.captured, recorded.first, recorded.second, recorded.minCaptured},
                   3)
            .text();
    text.prepend(replacedStartText());
    form.stueckelbergSummaryLabel->setText(text);
    writeDiagnosticsRow(kStueckelbergRow, text);
}

void MainWindow::scanStueckelbergHold(const LinearSweep& sweep)
{
    // Long enough to show several fringes beyond the hold in use.
    const double holdMax = std::max(1.5 * sweep.holdDuration + 2.0, 12.0);
    const double hbar = static_cast<double>(solver.parameters().hbar);
    std::vector<double> inputs = scanInputs(
        twoLevel.sweepBoundStates,
        {flag(sweep.enabled), static_cast<double>(sweep.parameter), sweep.startValue, sweep.endValue, sweep.startTime,
         sweep.duration, flag(sweep.returnEnabled), sweep.holdDuration, sweep.returnDuration, hbar});
    TwoLevelState::KeptScans& kept = twoLevel.keptScans;
    if (inputs != kept.stueckelbergInputs) {
        kept.stueckelbergHoldScan = QuantumStueckelberg2D::holdTimeScan(twoLevel.sweepBoundStates, sweep, 0.0, holdMax,
                                                                        kScanPoints, kLowerState, kUpperState, hbar);
        kept.stueckelbergInputs = std::move(inputs);
        ++kept.computed;
    }
    twoLevel.stueckelbergHoldScan = kept.stueckelbergHoldScan;
}

void MainWindow::scanRamseyFreeTime(const RamseySequence& sequence, const RamseyEnsemble& ensemble)
{
    const double hbar = static_cast<double>(solver.parameters().hbar);
    // Free times up to well past the one in use, so the fringe shows several
    // periods of the detuning.
    const double freeMax = std::max(1.5 * sequence.freeEvolutionDuration + 5.0, 30.0);
    std::vector<double> inputs =
        scanInputs(twoLevel.ramseyBoundStates,
                   {flag(sequence.enabled), static_cast<double>(sequence.parameter), sequence.mean, sequence.amplitude,
                    sequence.angularFrequency, sequence.firstPhaseDegrees, sequence.secondPhaseDegrees,
                    sequence.startTime, sequence.pulseDuration, sequence.freeEvolutionDuration,
                    flag(sequence.echoEnabled), sequence.echoPulseDuration, sequence.echoPulsePhaseDegrees,
                    flag(ensemble.enabled), ensemble.detuningStdDev, static_cast<double>(ensemble.memberCount), hbar});
    TwoLevelState::KeptScans& kept = twoLevel.keptScans;
    if (inputs != kept.ramseyInputs) {
        const BoundStateResult& basis = twoLevel.ramseyBoundStates;
        kept.ramseyFringeScan =
            QuantumRamsey2D::fringeScan(basis, sequence, 0.0, freeMax, kScanPoints, kLowerState, kUpperState, hbar);
        kept.ramseyEnsemble = RamseyEnsembleResult{};
        kept.ramseyEnsembleScan.clear();
        if (ensemble.enabled && isRamseyEnsembleValid(ensemble)) {
            kept.ramseyEnsemble =
                QuantumRamsey2D::ensembleResult(basis, sequence, ensemble, kLowerState, kUpperState, hbar);
            kept.ramseyEnsembleScan = QuantumRamsey2D::ensembleScan(basis, sequence, ensemble, 0.0, freeMax,
                                                                    kScanPoints, kLowerState, kUpperState, hbar);
        }
        kept.ramseyInputs = std::move(inputs);
        ++kept.computed;
    }
    twoLevel.ramseyFringeScan = kept.ramseyFringeScan;
    twoLevel.ramseyEnsemble = kept.ramseyEnsemble;
    twoLevel.ramseyEnsembleScan = kept.ramseyEnsembleScan;
}

void MainWindow::updateRamseyPanel(bool recomputeScans)
{
    Ui::MainWindow& form = *ui;
    QuantumRamseyPlotWidget& plot = *form.ramseyPlotWidget;

    const RamseySequence sequence = formSettings<RamseySequence>();
    const RamseyEnsemble ensemble = formSettings<RamseyEnsemble>();
    const bool setUp = sequence.enabled && sequence.parameter == SceneParameterSlopeX &&
                       validateRamseySequence(potentialScene, sequence);
    if (!setUp || !twoLevel.ramseyReference.valid || !twoLevel.ramseyBoundStates.ok) {
        form.ramseySummaryLabel->setText(withOffLine(
            OffExperiment::Ramsey,
            setUp ? noPairText("Ramsey")
                  : QStringLiteral(
                        "Ramsey analysis inactive. Use a double well with a two-pulse Linear slope X sequence.")));
        plot.reset();
        if (setUp)
            plot.setEmptyReason(kNoPairToDraw);
        writeDiagnosticsRow(kRamseyRow, offLineOr(OffExperiment::Ramsey, inactiveOrNoPair(setUp)));
        return;
    }

    if (recomputeScans) {
        scanRamseyFreeTime(sequence, ensemble);
    } else if (!ensemble.enabled) {
        twoLevel.ramseyEnsemble = RamseyEnsembleResult{};
        twoLevel.ramseyEnsembleScan.clear();
    }

    const TwoLevelPopulations live = QuantumRamsey2D::twoLevelPopulations(
        observedColumnAmplitudes(), twoLevel.ramseyBoundStates, kLowerState, kUpperState);
    const std::vector<ObservableSample>& samples = history.samples();
    plot.setTwoLevelReference(twoLevel.ramseyReference);
    plot.setPulseSequence(sequence);
    plot.setFringeScan(twoLevel.ramseyFringeScan);
    plot.setEnsemble(ensemble, twoLevel.ramseyEnsemble);
    plot.setEnsembleScan(twoLevel.ramseyEnsembleScan);
    plot.setSamples(samples);

    if (!live.valid) {
        form.ramseySummaryLabel->setText(
            replacedStartText() +
            QStringLiteral("Ramsey reference basis is available, but the live field cannot be projected onto it."));
        writeDiagnosticsRow(kRamseyRow, QStringLiteral("projection unavailable"));
        return;
    }

    const QString echo = sequence.echoEnabled ? PanelText(QStringLiteral("Hahn echo ON (pi=%1, phase=%2 deg)"))
                                                    .fixed(sequence.echoPulseDuration, 2)
                                                    .fixed(sequence.echoPulsePhaseDegrees, 1)
                                                    .text()
                                              : QStringLiteral("Ramsey / echo OFF");
    const HistoryTrace recorded =
        traceHistory(samples,
                     {&ObservableSample::ramseyValid, &ObservableSample::ramseyPopulation1,
                      &ObservableSample::ramseyPopulation2, &ObservableSample::ramseyCaptured},
                     {live.population1, live.population2, live.captured});
    const RamseyReference& reference = twoLevel.ramseyReference;
    QString text =
        PanelText(QStringLiteral("%1 | %2 | omega12=%3 omega=%4 | |x12|=%5 OmegaR=%6 | pi/2 ideal=%7 actual=%8 | "
                                 "free=%9 phase=%10 rad (%11 cycles) | two-level model final P1=%12 P2=%13 (live "
                                 "outside pair=%14) | live P1=%15 P2=%16 captured=%17 | history P1=%18 P2=%19 min "
                                 "captured=%20"))
            .word(ramseyStageName(appliers.ramseyApplier.stage()))
            .word(echo)
            .fixed({reference.transitionFrequency, sequence.angularFrequency}, 6)
            .fixed(std::abs(reference.dipoleElement), 4)
            .fixed(reference.rabiFrequency, 5)
            .fixed({reference.halfPiPulseTime, sequence.pulseDuration, sequence.freeEvolutionDuration}, 2)
            .fixed({reference.freePrecessionPhase, reference.freePrecessionPhase / (2.0 * kPi),
                    reference.finalPopulation1, reference.finalPopulation2, outsidePair(live.captured),
                    live.population1, live.population2, live.captured, recorded.first, recorded.second,
                    recorded.minCaptured},
                   3)
            .text();
    if (ensemble.enabled) {
        text +=
            twoLevel.ramseyEnsemble.valid
                ? PanelText(QStringLiteral(" | ensemble(static) sigma=%1 N=%2 mean P1=%3 P2=%4 fringe contrast=%5 "
                                           "[analysis only]"))
                      .fixed(ensemble.detuningStdDev, 4)
                      .integer(twoLevel.ramseyEnsemble.memberCount)
                      .fixed({twoLevel.ramseyEnsemble.averagePopulation1, twoLevel.ramseyEnsemble.averagePopulation2,
                              ensembleFringeContrast(twoLevel.ramseyEnsembleScan)},
                             3)
                      .text()
                : QStringLiteral(" | ensemble configuration invalid [analysis only]");
    }
    text.prepend(replacedStartText());
    form.ramseySummaryLabel->setText(text);
    writeDiagnosticsRow(kRamseyRow, text);
}

} // namespace vxo
