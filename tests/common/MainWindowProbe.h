#pragma once

// The three parts of one run-timer tick of the main window, reached apart so
// that a benchmark can time them one by one. Run in this order they are the
// tick itself (MainWindow::onSimulationTick, without its pause on failure).

#include "app/mainwindow/MainWindow.h"
#include "common/SubStepCountProbe.h"
#include "ui/MainWindowForm.h"
#include "view/PotentialEditorShape.h"

#include <QComboBox>
#include <QSignalBlocker>

namespace vxo {

class MainWindowProbe {
public:
    // Pending hits cleared, the transport's steps of one tick, the
    // continuous protocols at the new time. Returns the steps the tick ran,
    // parts of a step cut between sub-steps included: fewer than
    // stepsPerTick when the budget cut it.
    static double stepTick(MainWindow& window)
    {
        const SplitStepFourierSolver2D& solver = window.solver;
        const double before = solver.time();
        window.runSteps(window.transport.stepsPerTick());
        return (solver.time() - before) / static_cast<double>(solver.parameters().dt);
    }
    // What a side dock needs to show its contents unscrolled, which the
    // dock layout shares the window's width by.
    static QSize readableDockMinimum(const MainWindow& window, const QDockWidget* dock)
    {
        return window.readableDockMinimum(dock);
    }
    // The observation of the tick (none in a Dirac mode).
    static void observeTick(MainWindow& window) { window.observeAfterSteps(); }
    // Every view, plot, panel and the diagnostics.
    static void refreshTick(MainWindow& window) { window.refreshViews(); }
    // The run set going or paused as Play and Pause do; its timer fires only
    // while events are processed.
    static void setRunning(MainWindow& window, bool running) { window.setRunning(running); }
    // The energies of the Hamiltonian the next step evolves the state with.
    static EnergyObservables2D steppedEnergy(const MainWindow& window)
    {
        return EnergyObservables2D::ofStep(window.psi, window.potential, window.steppedHamiltonian());
    }
    // Sub-steps of one step of the propagator in force: the magnetic step's
    // while gauge links are, the Fourier step's otherwise, 0 in a Dirac mode
    // (whose step has none).
    static std::uint32_t subStepsInForce(const MainWindow& window)
    {
        if (window.steppedHamiltonian().spinor)
            return 0;
        return linksInForce(window) ? window.solver.gaugeSubSteps() : window.solver.subSteps();
    }
    // Steps of `count` sub-steps from the next on, whatever the rule says (0: the rule).
    static void forceSubSteps(MainWindow& window, std::uint32_t count)
    {
        SubStepCountProbe::force(window.solver, count);
    }
    // Sub-steps the window's solver has propagated so far, those of a step
    // still running included.
    static std::uint64_t subStepsPropagated(const MainWindow& window)
    {
        return SubStepCountProbe::propagated(window.solver);
    }
    // The gauge links the magnetic step takes (null: none).
    static const GaugeLinkField2D* linksInForce(const MainWindow& window) { return window.linksInForce(); }
    // The clock of every window's step budget (null: the monotonic clock).
    static void setTickClock(double (*clockMs)()) { MainWindow::tickClockMs = clockMs; }
    static double (*tickClock())() { return MainWindow::tickClockMs; }
    // Readings of the spinor's energies taken so far for Diagnostics.
    static std::uint64_t diracEnergyReadings(const MainWindow& window) { return window.diracEnergyReading.evaluations; }
    // Passes over psi made so far for the density sums and for the current.
    static std::uint64_t densityPasses(const MainWindow& window) { return window.sharedObservables.densityPasses; }
    // Eigen-solves of the revival box's levels made so far, and the box.
    static std::uint64_t revivalLevelSolves(const MainWindow& window)
    {
        return window.recorders.revivalLevels.computations();
    }
    static const RevivalBoxConfig& revivalBox(const MainWindow& window) { return window.recorders.revivalBox; }
    // The two-level references, their scans and the scans computed so far.
    static const TwoLevelState& twoLevelState(const MainWindow& window) { return window.twoLevel; }
    static std::uint64_t currentPasses(const MainWindow& window) { return window.sharedObservables.currentPasses; }
    // The probability current as the last refresh computed it.
    static const ProbabilityCurrent2D& shownCurrent(const MainWindow& window) { return window.probabilityCurrent; }
    static const ProbabilityCurrent2D& observedCurrent(MainWindow& window) { return window.observedCurrent(); }
    // Passes over psi made so far for the column sums of its amplitude, which
    // every two-level projection reads.
    static std::uint64_t columnPasses(const MainWindow& window) { return window.sharedObservables.columnPasses; }
    // The absorbing layer as the last rebuild prepared it.
    static const AbsorbingBoundary2D& absorbingLayer(const MainWindow& window) { return window.absorbingBoundary; }
    // A bound-state pair restored as the guided loader restores one, with the
    // phase that starts it in the left well when `localising`.
    static void restoreBoundPair(MainWindow& window, int a, int b, bool localising)
    {
        InitialPreparation pair;
        pair.type = InitialPreparationType::BoundSuperposition;
        pair.stateA = a;
        pair.stateB = b;
        window.restoreBoundPreparation(pair, true, localising);
    }
    // An object put into the scene as it stands, without the editor.
    static std::uint64_t addToScene(MainWindow& window, const PotentialObject& object)
    {
        return window.potentialScene.add(object);
    }
    // A document file loaded as the Load action loads it, behind its dialog.
    static bool loadDocument(MainWindow& window, const QString& path) { return window.loadExperimentFromPath(path); }
    // A shape as the viewport hands over a drag.
    static void drawShape(MainWindow& window, const PotentialEditorShape& shape) { window.applyEditorShape(shape); }
    // The step's dt, for a run against the same run at a finer step: the
    // Schroedinger step's (whose clock every mode keeps), the Dirac step's
    // (every rebuild configures it; an unconfigured one is left alone) and
    // the absorbing layer's mask, which absorbs per step. The clock restarts
    // at 0, so set it right after a rebuild.
    static void setTimeStep(MainWindow& window, float dt)
    {
        SplitStepParameters parameters = window.solver.parameters();
        parameters.dt = dt;
        window.solver.configure(parameters);
        DiracParameters dirac = window.diracSolver.parameters();
        if (dirac.dt > 0.0f) {
            dirac.dt = dt;
            window.diracSolver.configure(dirac);
        }
        window.prepareAbsorbingLayer();
    }
    // The speed selector's entry and the clock speed that goes with it.
    static void setSpeedIndex(MainWindow& window, int index)
    {
        {
            const QSignalBlocker blocker(window.ui->speedComboBox);
            window.ui->speedComboBox->setCurrentIndex(index);
        }
        window.onSpeedChanged();
    }
    // The window's form, and its stored settings records: what the run and
    // the experiment panels read between rebuilds.
    static const Ui_MainWindow& form(const MainWindow& window) { return *window.ui; }
    static const ExperimentSettingsRecords& storedRecords(const MainWindow& window) { return window.stored; }
};

} // namespace vxo
