#pragma once

#include "app/RunPace.h"
#include "app/TransportClock.h"
#include "app/text/DiagnosticsRowLabels.h"
#include "app/form/ControlSnapshot.h"
#include "app/mainwindow/CollapseRecord.h"
#include "app/mainwindow/DiracEnergyReading.h"
#include "app/mainwindow/ExperimentRecorders.h"
#include "app/form/FormIndices.h"
#include "app/mainwindow/GaugeFieldLinks.h"
#include "app/mainwindow/ProtocolAppliers.h"
#include "app/mainwindow/ScatteringBookkeeping.h"
#include "app/mainwindow/SharedObservables.h"
#include "app/mainwindow/TwoLevelState.h"
#include "app/protocols/ProtocolContext.h"
#include "core/AbsorbingBoundary2D.h"
#include "core/ComplexField2D.h"
#include "core/DetectorTemporalFlux2D.h"
#include "core/DiracSpinor2D.h"
#include "core/DiracSplitStepSolver2D.h"
#include "core/EnergyObservables2D.h"
#include "core/MomentumSpace2D.h"
#include "core/PotentialField2D.h"
#include "core/PotentialScene.h"
#include "core/ProbabilityCurrent2D.h"
#include "core/SimulationDomain2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "document/ExperimentDocument.h"
#include "document/ExperimentPreset.h"
#include "document/ExperimentSettingsRecords.h"
#include "document/InitialPreparation.h"
#include "experiments/BoundStateResult.h"
#include "experiments/ObservableHistory.h"
#include "view/ContourExtraction.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

class QAction;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QDockWidget;
class QEvent;
class QLabel;
class QMoveEvent;
class QResizeEvent;
class QTimer;
class QWidget;

namespace Ui {
class MainWindow;
}

namespace vxo {

class DiagnosticsPresentation;
class KeyboardTrackingGate;
struct BoxRounding;
struct PotentialEditorShape;

// The one window of the laboratory and the owner of every piece of simulation
// state, all held by value. The run timer drives the run: each tick clears
// pending hits, runs the step body once per step of the transport speed (event
// hooks, the protocol appliers at mid-step, one Schroedinger, gauge or
// Dirac step, the absorbing layer, the step-scheduled recorders, the detector),
// re-applies the continuous protocols at the new time, records one
// observation unless a Dirac mode is on, and refreshes every view, the
// diagnostics, the status and every experiment panel. Every parameter change
// ends in one rebuild to t = 0 from the form, the Potential Scene and the stored
// settings. The form is the working copy of every settings record: the readers
// turn controls into records, the writers put records back with the signals
// blocked. Guided presets and documents are applied with applyingExperiment
// raised, so the control changes they cause rebuild nothing until the loader's
// single rebuild at its end.
//
// The window has no meta-object of its own: every reaction to the form is a
// function object connected once at construction, and every handler body runs
// inside guarded(), so no exception leaves a slot or an event handler.
//
// Stored settings and initial states are one ExperimentSettingsRecords block,
// `stored`, copied as a whole from presets and documents. The drive records
// and the Ramsey ensemble in `stored` are only carried along: the form is
// their one store.
class CurrentPageScroller;

class MainWindow : public QMainWindow {
public:
    // Builds the form, the library, menus, docks and diagnostics table,
    // configures the solver and the run timer at the transport's base
    // interval, connects every control, rebuilds to t = 0 and, with
    // persistGuiState, restores the saved layout. Nothing runs until Play.
    MainWindow(QWidget* parent, bool persistGuiState);
    ~MainWindow() override;

    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Test seams: the operations a user reaches through the form, callable
    // directly. They throw what the numerics throw; the form's handlers wrap
    // them in guarded().
    // Step button: stops the timer, PAUSED (from any state, STOPPED included:
    // Step continues from the current state), one step body, the continuous
    // appliers at the new time, one observation unless a Dirac mode is on,
    // transport controls, refresh.
    void stepOnce();
    // One timer tick: pending hits cleared, stepsPerTick step bodies, the
    // continuous appliers at the new time, one observation unless a Dirac
    // mode is on, refresh. Assumes RUNNING.
    void onSimulationTick();
    // Fresh simulation at t = 0 from the form, the scene and the stored
    // settings; STOPPED, timer stopped, not restarted. Nothing at all while
    // applyingExperiment is set.
    void rebuildSimulation();
    // Turns the window into guided experiment `presetIndex` and rebuilds;
    // silent for an index outside the catalogue.
    void loadGuidedExperiment(int presetIndex);
    // The form's document controls, the scene, the preparation and every settings
    // record as a new document.
    ExperimentDocument captureExperimentDocument() const;
    // Validates first (nothing changes on a refusal), then applies the
    // document to the form and the window and rebuilds. False with `error`
    // filled on failure; `error` is cleared on entry.
    bool applyExperimentDocument(const ExperimentDocument& document, QString& error);

    // Window size: where the form's fits `available` (a screen's available
    // geometry), a share of `available` as large as the form at least,
    // centred; otherwise `available`'s, the window moved inside it; then the
    // default dock layout for that height, the controls in front. The window
    // manager's frame counts as part of the window: where it is not known
    // yet, the window is fitted again once it is. The constructor calls it
    // with the screen the window opens on.
    void fitToScreen(const QRect& available);

    const TransportClock& transportClock() const { return transport; }
    const ComplexField2D& waveField() const { return psi; }
    const DiracSpinor2D& spinorField() const { return diracSpinor; }
    const PotentialField2D& potentialField() const { return potential; }
    const PotentialScene& scene() const { return potentialScene; }
    const SplitStepFourierSolver2D& schroedingerSolver() const { return solver; }
    const ObservableHistory& observableHistory() const { return history; }
    const ExperimentSettingsRecords& storedRecords() const { return stored; }
    // Armed or fired, and the energy pair of the last transition.
    const QuenchApplier& quenchState() const { return appliers.quenchApplier; }
    // The window's recorder of this type (each recorder type occurs once).
    template <typename Recorder>
    const Recorder& recorder() const;

protected:
    // Saves the window state (with persistence on), then closes.
    void closeEvent(QCloseEvent* event) override;
    // Minimising remembers which docks were shown; restoring queues
    // restoreDockVisibility for the next pass of the event loop.
    void changeEvent(QEvent* event) override;
    // The dock corners for the new height; a grown window's docks get their room back.
    void resizeEvent(QResizeEvent* event) override;
    // The first move after a window manager framed the window fits the frame
    // into the area the window was placed in.
    void moveEvent(QMoveEvent* event) override;

private:
    // Key of an empty cache: the next request rebuilds it.
    static constexpr std::uint64_t kNoCacheKey = std::numeric_limits<std::uint64_t>::max();
    // The least width of the side column beside the middle one: what a
    // 1024 px projector with its text enlarged by a quarter (819 logical px)
    // leaves it beside the transport row. Its docks scroll sideways there.
    static constexpr int kLeastSideColumnWidth = 200;

    // --- MainWindow.cpp: construction ------------------------------------------------------------
    // Analysis tab font (+1.5 pt, at least 10.5, weight 57) and page list;
    // the library's titles keeping its index; "Reset Window Layout".
    void setupAnalysisPages();
    void setupExperimentLibrary();
    void setupViewMenu();
    // The controls' and the time dock's contents in scroll areas, the docks
    // as narrow as kLeastSideColumnWidth and as short as their titles at
    // least (readableDockMinimum is what they need unscrolled).
    void scrollSideDocks();
    // A new window is the experiment its library selects, loaded as the Load
    // button loads it, at t = 0 and stopped, with the analysis tab and the
    // status line of a new window.
    void startWithSelectedExperiment();

    // --- MainWindowWindowState.cpp (saved state, frame) and MainWindowDockLayout.cpp (docks) ---------
    // Controls dock left; time, diagnostics and help docks right (sharing the
    // column 250 : 245 : 230, a dock that needs more taking its excess from
    // the others: the time dock for its texts, the diagnostics for their
    // first eight rows whole), or, where the window has no room for that,
    // the time and help docks tabs of the controls column and the
    // diagnostics under them; analysis dock bottom (defaultAnalysisDockHeight),
    // across the window's width under one side column of tabs where the
    // window is too short or narrow for it under the viewport
    // (analysisAcrossTheWindow); all five actions checked.
    void applyDefaultDockLayout();
    // The same arrangement with the docks of `closed` kept closed and their
    // actions unchecked; only the open docks count for the room it needs.
    void layOutDocks(const QList<QDockWidget*>& closed);
    // Under the viewport: what the viewport leaves the analysis dock at
    // kViewportShare of the window's height, raised towards
    // kFigureDockHeight as long as the viewport keeps its least share and
    // the larger part of the middle column; at least the dock's minimum, at
    // most 420 px.
    int defaultAnalysisDockHeight() const;
    // Of the controls, time and help docks (the tabs of a one-column
    // layout), those not `closed`.
    QList<QDockWidget*> openLeftColumnTabs(const QList<QDockWidget*>& closed) const;
    // The heights of the tabs and of the diagnostics under them in the one
    // side column, `columnWidth` wide: shared by weight, the diagnostics'
    // first rows whole.
    QList<int> mergedColumnHeights(bool analysisOpen, int columnWidth) const;
    // Diagnostics shorter than their first rows need at their width (the
    // rows of an experiment just loaded) take that height from the docks
    // they share their column with, where the column is as the default
    // layout makes it.
    void fitDiagnosticsToTheirRows();
    // The side docks take the bottom corners, except where the window is at
    // least the form's height and the side columns keep their docks' minimum
    // heights above an analysis dock of its default height across the whole
    // width; follows every resize.
    void fitDockCornersToHeight();
    bool roomAboveTheAnalysisDock() const;
    // On a resize: the corners for the new height, the side columns fitted
    // to the new size (fitSideColumnsToWidth); a window grown back
    // widens its side columns and heightens its analysis dock up to their
    // default sizes at the new size, and shares its right column again as
    // the default layout does.
    void fitDockLayoutToNewSize(const QSize& before);
    // Preferred widths where the window has room, else down to the docks' minimum.
    QList<int> sideColumnWidths() const;
    // Whether the controls column, the middle column and a right column of
    // the time, diagnostics and help docks not `closed` fit the window's
    // width side by side at their minimum widths, and those docks the right
    // column's height one above the other at their floor heights.
    bool roomForBothSideColumns(const QList<QDockWidget*>& closed) const;
    // The right column's height: from under the menu bar to the status bar,
    // less the analysis dock's default height where, open, it spans the
    // window's width under the column.
    int rightColumnHeight(bool analysisOpen) const;
    // The height a right dock keeps at least: its minimum, and for the
    // diagnostics the height that shows their first rows whole (as many as
    // the table's minimum holds of one line) in a column `columnWidth` wide.
    int rightDockFloor(const QDockWidget* dock, int columnWidth) const;
    // Heights of the open right docks in the right column: their default
    // heights' proportions, each dock at least at its floor.
    QList<int> rightDockHeights(const QList<QDockWidget*>& openRight, bool analysisOpen) const;
    // The time, diagnostics and help docks open ones in the right column,
    // the diagnostics among them, as the default layout has them.
    bool rightColumnAsByDefault() const;
    int middleColumnMinimumWidth() const;
    int dockSeparatorWidth() const;
    // What a side dock needs to show its contents unscrolled: the controls'
    // widest page (their height scrolls by design), the time dock's texts,
    // the diagnostics' labels beside a figure; the docks' own minima
    // (kLeastSideColumnWidth) are smaller, for a window too narrow for them.
    QSize readableDockMinimum(const QDockWidget* dock) const;
    // Whether the analysis dock spans the window's width under the viewport
    // and one side column of tabs (the diagnostics among them): where under
    // the viewport alone it would be too short for a figure with its summary
    // over it (kLeastFigureDockHeight), or too narrow beside a readable side column.
    bool analysisAcrossTheWindow() const;
    // The time, diagnostics and help docks are tabs of the controls column.
    bool sideColumnsMerged() const;
    // The default layout again, closed docks kept closed, where the side
    // columns are merged and both now fit, or where the layout in force needs
    // more than the window has (a right column squeezed below its docks'
    // minimum width, say).
    void fitSideColumnsToWidth();
    // The docks of the five the user has closed.
    QList<QDockWidget*> closedDocks() const;
    // Time, diagnostics and help dock.
    QList<QDockWidget*> rightColumnDocks() const;
    QRect availableScreenGeometry() const;
    // The window frame's margins around the window, none until a window
    // manager has framed it.
    QMargins windowFrameMargins() const;
    // The window placed with its frame at frame.topLeft() and its frame's
    // size frame.size() less the margins known now; the toolkit positions
    // the frame, not the window, so that a window manager's title bar stays
    // inside `frame` as well.
    void placeFrame(const QRect& frame);
    // `available` less the window's frame where it is known, and a pixel at
    // the right and bottom at a fractional scale.
    QRect roomInside(const QRect& available) const;
    // The width of the screen `available` lies on, as saveGeometry records it.
    static int screenWidthAround(const QRect& available);
    // fitToScreen with the docks of `closed` kept closed and the floating
    // ones floating where they are.
    void fitToScreenKeepingClosed(const QRect& available, const QList<QDockWidget*>& closed);
    // The window of geometry `window` placed by its frame, `margins` where
    // the frame is not known yet, the frame moved and shrunk inside
    // `available`; fitted again once framed (frameFitArea).
    void placeInside(const QRect& window, const QMargins& margins, const QRect& available);
    // Once a window manager has framed the window: the frame fitted into
    // frameFitArea (see there).
    void fitFrameOnceFramed();
    // The minimum size of the layout in force, laid out first.
    QSize layoutMinimumSize();
    // The analysis dock asks the form's least height of the window where
    // the window's room of height `roomHeight` holds it; on a shorter screen
    // (768 lines with text at 150%) it asks less, its page scrolling, so
    // that the window's least height is the room's.
    void fitAnalysisMinimumToRoom(int roomHeight);
    // Floating docks moved, and shrunk where needed, into `available`, and
    // off the tab bars of docks tabbed together (the Controls / Time /
    // Physics Help tabs of a one-column layout), which a floating dock,
    // always above the window, would hide; one the screen had to move is
    // also kept off the viewport and the analysis plots where there is room
    // (floatingDockPlace), as is every floating dock `broughtHere` from
    // another screen.
    void keepFloatingDocksInSight(const QRect& available, bool broughtHere = false);
    // After a restore: the docks as restored, fitted to `available` (and
    // `room`, what the layout before them needed where more), or arranged
    // anew: the default layout where they need more, docked ones arranged for
    // this screen where they come from `anotherScreen`.
    void fitRestoredDocks(const QRect& available, const QSize& room, bool anotherScreen);
    // The floating docks, open or held back, with where they float; and the
    // same floating there again once the docks have been arranged anew.
    std::vector<std::pair<QDockWidget*, QRect>> floatingDocks() const;
    void floatAgain(const std::vector<std::pair<QDockWidget*, QRect>>& docks);
    // Once the window system shows the window: the frame fitted where it was
    // placed before it was known, and the floating docks held back until now
    // shown above the window, which a window manager stacks them over only
    // once it manages the window.
    void onWindowExposed();
    // The window's screen, or its geometry or available area, changed: the
    // window fitted to it as a restore fits a layout saved elsewhere (anew
    // where the screen's width changed from `previousScreen`'s or the frame
    // no longer fits, else moved inside), floating docks kept floating.
    void fitToChangedScreen(const QRect& previousScreen);
    // Group "MainWindow" (geometry, dock state, selected tabs), only with
    // persistence. Unreadable dock state, or one that fails its checksum
    // (SavedLayout.h), falls back to the default layout and stored indices
    // are clamped; the reset erases the group. Restoring fits
    // the window and its floating docks into `available` (the screen's
    // available geometry) and falls back to the default layout where the
    // restored docks need more room than that and than the layout before.
    void saveGuiState();
    void restoreGuiState(const QRect& available);
    void resetWindowLayout();
    // Says in the status bar, the first time only, that `lock` kept the
    // saved layout from being restored, saved or erased (`what`).
    void reportSettingsLock(const QString& what, const QString& lock);
    // Whether a dock is open mirrored into its View-menu action (a tab behind
    // another is open), signals blocked, ignored while minimised; restored as
    // it was before minimising. Shown from the menu, a dock comes to the front.
    // A dock the user moves or floats ends defaultDockLayoutInForce; floated,
    // it is kept in sight (keepFloatingDocksInSight).
    void connectDockVisibility(QDockWidget* dock, QAction* action);
    void onDockVisibilityChanged(QDockWidget* dock, QAction* action);
    void restoreDockVisibility();
    // Controls, time, diagnostics, help and analysis dock with their actions.
    std::array<std::pair<QDockWidget*, QAction*>, 5> dockActionPairs() const;

    // --- MainWindowTransport.cpp: transport ------------------------------------------------------
    // Factor of the speed selector's entry; 1 for an index outside its list.
    double speedFactor() const;
    // true: from STOPPED with a moved clock rebuild first, then RUNNING and the
    // timer started (Play); false: timer stopped, PAUSED (Pause). Both end with
    // the transport controls and the diagnostics.
    void setRunning(bool running);
    void updateTimerInterval();
    // Stop keeps the last frame; a new speed leaves the state untouched.
    void onStopClicked();
    void onSpeedChanged();

    // --- MainWindowTick.cpp: tick, single step and observation -----------------------------------
    // runSteps: pending hits cleared, up to `count` step bodies (within the
    // budget, fewer when the next would carry the tick past the transport's
    // step budget, and a step of sub-steps may stop between two of them; the
    // number completed is returned), the continuous appliers (all but the
    // quench, unforced) at the time reached. A step body:
    // event hooks (reversal once reversalTime <= t + dt/2, overdue Zeno
    // measurements and kicks), every applier at t + dt/2, one propagation,
    // the absorbing layer, the step recorders on their strides, the detector.
    // An observation (none in a Dirac mode or with an empty psi) appends one
    // ObservableSample, then samples the tick-sampled recorders.
    int runSteps(int count, bool withinBudget = true);
    // The clock the step budget is measured on, in milliseconds, for every
    // window; null: the monotonic clock. Tests put a clock of known step cost
    // here, so that what they count does not depend on the machine's speed.
    static double (*tickClockMs)();
    void observeAfterSteps();
    // False when the step begun at stepStartMs stopped between sub-steps at
    // the budget of the tick begun at tickStartMs (kNoBudget: the whole
    // step); a step in progress goes on without its hooks and appliers.
    bool runStepBody(double tickStartMs, double stepStartMs);
    static constexpr double kNoBudget = std::numeric_limits<double>::quiet_NaN();
    std::function<bool(std::uint32_t)> subStepGate(double tickStartMs, double stepStartMs) const;
    void runAppliersAfterSteps(double t);
    void discardMeasurementHits(); // with its label and markers, no diagnostics
    void applyLoschmidtReversalIfDue();
    void applyZenoMeasurementIfDue();
    void applyKickedRotorKickIfDue();
    // The Kapitza-Dirac light is on in this step, inside the analysis, and a
    // layer to count under it.
    bool kapitzaDiracLightCounted() const;
    // The kicked rotor is prepared and its kicks enabled: the steps kick it.
    bool kickedRotorKicks() const;
    void sampleStepRecorders();
    void updateDetectorFluxReadout();
    void clearDetectorFlux();
    void syncSpinorDensity();
    void recordObservation();
    void sampleObservationRecorders(double t);
    // Benchmarks time the tick's stepping, observation and refresh apart.
    friend class MainWindowProbe;
    friend struct WindowStateProbe;
    // The Hamiltonian of the branch the next step takes: the spinor's in a
    // Dirac mode with a spinor on psi's grid, else psi's with the links in
    // force. Every energy the window shows or records is that Hamiltonian's.
    SteppedHamiltonian steppedHamiltonian() const;
    // psi's density sums, column amplitudes and current, through sharedObservables.
    SharedObservables::Key observedState() const;
    const DensitySums2D& observedDensity();
    const ColumnAmplitudes2D& observedColumnAmplitudes();
    const ProbabilityCurrent2D& observedCurrent();
    // The spinor's energies under `hamiltonian` (a Dirac one), read again
    // only when the state moved since the last reading (diracEnergyReading).
    const EnergyObservables2D& diracEnergies(const SteppedHamiltonian& hamiltonian);

    // --- MainWindowAppliers.cpp: protocol appliers -----------------------------------------------
    // Each reads its settings from the form and rewrites the potential through
    // its state machine; the quench, shutter and pulse only when their state
    // changes or force is set. A successful application invalidates the
    // potential-contour cache.
    void applyQuench(double t, bool force);
    void applyPeriodicDrive(double t, bool force);
    void applyLinearSweep(double t, bool force);
    void applyRamseySequence(double t, bool force);
    void applyBerryLoop(double t, bool force);
    void applyMoshinskyShutter(double t, bool force);
    // span: the step the potential is held for, centred at t (0: the instant t).
    void applyKapitzaDiracPulse(double t, bool force, double span = 0.0);
    ProtocolContext protocolContext(double t, bool force);
    void invalidatePotentialContours();

    // --- MainWindowRebuild.cpp: rebuild ----------------------------------------------------------
    // The steps of rebuildSimulation. The domain has 256, 512 or 1024 points a
    // side. Resetting the protocols empties the history before the forced
    // appliers, so a quench fired at t = 0 records no stale energy. The
    // absorbing layer is on in CAP mode unless backflow or Zitterbewegung
    // runs. The Dirac solver shares hbar and dt, with the Klein (else
    // Zitterbewegung) light speed and mass.
    SimulationDomain2D currentSimulationDomain() const;
    void invalidateMomentumField();
    // Resonance scan controls from the scene's double barrier; the contour,
    // current and measurement enables after a document (current overlay off
    // in a Dirac mode).
    void applySceneDerivedControls();
    void updateRenderingControlStates();
    void resetProtocolRunState();
    // Loschmidt to Klein settings re-read, recorders reset, gauge links not ready.
    void refreshStoredSettingsFromForm();
    void rasterisePotentialAndGaugeFields();
    void configureSolvers();
    void prepareAbsorbingLayer();
    void clearScatteringAndTwoLevelRecords();
    void updatePanelsAfterRebuild();
    // Keeps the text of a gauge build or preparation that failed during the
    // rebuild under way, or of a protocol switched off before or during it.
    // The rebuild's own refresh writes the permanent status line over any
    // message, so the kept texts are shown after it, and kept as
    // lastRebuildReport for the message of the action that rebuilt.
    void noteRebuildFailure(const QString& text);
    // A scene edit's message after its rebuild, followed by what the rebuild
    // had to report (a protocol the edit switched off, a failed build).
    void showEditMessage(const QString& text, int timeoutMs);

    // --- MainWindowExperimentsOff.cpp: experiments switched on that do not run -------------------
    // The experiments whose page and diagnostics row say why they are off.
    // The first six act on an object of the Potential Scene.
    enum class OffExperiment {
        Quench,
        PeriodicDrive,
        LinearSweep,
        Ramsey,
        BerryLoop,
        Shutter,
        Loschmidt,
        KapitzaDirac,
        AharonovBohm,
        Landau,
        HallEdge,
        Backflow,
        Zitterbewegung,
        Klein,
        Scar,
        Zeno,
        KickedRotor,
        Vortex,
        Anderson,
    };
    static constexpr std::size_t kSceneProtocolCount = 6;
    // A scene protocol's box stays ticked only while the scene lets it act.
    // One whose target is gone, whose parameter its target does not have,
    // whose loop finds no trap or does not fit it, or whose shutter does not
    // fit the scene, is unticked with its signals blocked, so that the
    // window, the run and Save agree; the reason stays on its page until the
    // box is ticked again or an experiment is loaded. With the scene box off
    // over a scene that still has objects, the boxes wait for the scene.
    void switchOffRefusedProtocols();
    void switchProtocolOff(OffExperiment protocol, const QString& reason);
    // The scene and the scene protocols' records as the form holds them,
    // each as if its box were ticked; why one of them cannot act on it.
    ExperimentDocument sceneProtocolProbe() const;
    static QString sceneProtocolRefusal(const ExperimentDocument& probe, OffExperiment protocol);
    QCheckBox* protocolBox(OffExperiment protocol) const;
    // Why an experiment that is switched on does not run: the reason its
    // protocol was switched off, or its own check's message on the settings
    // in force; empty when nothing refuses it.
    QString offReason(OffExperiment experiment) const;
    // "<experiment> is off: <reason>", or empty.
    QString offLine(OffExperiment experiment) const;
    // The page's hint with the off line before it; a row's value: the off
    // line, or `inactive` without one.
    QString withOffLine(OffExperiment experiment, const QString& hint) const;
    QString offLineOr(OffExperiment experiment, const QString& inactive) const;
    // The protocols a loaded document switched off, with their reasons.
    void noteDocumentSwitchOffs(const ExperimentDocument& document);

    // --- MainWindowRecorderSetup.cpp: recorders at the rebuild -----------------------------------
    // The rebuild's recorders, configured from the stored settings; the step
    // and Dirac recorders sample t = 0.
    void configureDiracRecorders();
    void configureObservationRecorders();
    // The revival box's revival times from its levels as painted, for the
    // prepared packet.
    void measureRevivalLevels(double mass, double hbar);
    void configureStepRecorders();
    void recordInitialSamples();

    // --- MainWindowPreparation.cpp: initial state ------------------------------------------------
    // The preparation named by preparationType into psi (or the spinor); false,
    // with preparationType back to gaussian, when it is gaussian or cannot run.
    bool prepareExperimentInitialState();
    // Empty unless boundStartReplaced; else the words that open every page
    // whose prediction assumes the bound-state start, on every branch of it.
    QString replacedStartText() const;
    // A two-level page whose protocol is set up but whose well gives no pair
    // of states: why it predicts nothing, after START REPLACED where due.
    QString noPairText(const char* analysis) const;
    // The selected eigenstate or superposition (with the form's phase;
    // refused for equal or missing states): rebuild, page, status.
    void prepareBoundEigenstate();
    void prepareBoundSuperposition();
    void prepareFormPacket();
    // The bound-state buttons' common end: the rebuild into `type`, then,
    // when it took, the analysis dock opened on the bound-state page.
    bool rebuildIntoBoundState(InitialPreparationType type);

    // --- MainWindowBoundStates.cpp: bound states and two-level calibration -----------------------
    // Spectrum of the current potential into boundStates and the three
    // selectors; pauses a running transport; psi is not changed.
    void computeBoundStates();
    // A spectrum computed for another grid, potential or mass reads as stale.
    void updateBoundStatesStatus();
    // The sweep's Landau-Zener or Stueckelberg reference (with its hold scan)
    // and the Ramsey reference, fringe scan and ensemble, for a target on the
    // Linear slope X; reset values otherwise.
    void calibrateSweepReference();
    void calibrateRamseyReference();
    // Lowest two states of the scene's double well with the target's slope X
    // fixed at slopeX, on the potential's grid; not ok when the target is missing.
    BoundStateResult computeDoubleWellBasis(std::uint64_t targetObjectId, double slopeX) const;
    // Lowest two states of the potential the run is being stepped with, what
    // the sweep's populations are read on: found again whenever that
    // potential's row moves, in the span of the pairs relaxed before, and
    // relaxed only where that span cannot give them within what the
    // populations can show.
    const BoundStateResult& steppedSweepPair();
    // Whether the populations read on a Ritz pair stay within what the pages
    // show of those the exact pair of its row would give.
    bool sweepPairReads(const FollowedPairBasis::RitzPair& ritz);
    // After a bound-state button's rebuild: true when the rebuild prepared the
    // requested state; otherwise (the spectrum did not fit the potential the
    // rebuild made, so the Gaussian packet was prepared) says so.
    bool confirmBoundPreparation(InitialPreparationType requested);

    // --- MainWindowGaugeFields.cpp: gauge fields -------------------------------------------------
    // Links (and solenoid disc) for the current grid; ready flag on success,
    // "... failed: %1" in the summary label otherwise. False when disabled.
    bool buildAharonovBohmField();
    bool buildLandauGaugeField();
    bool buildHallEdgeField();
    // What the three share: `links` emptied and not ready, then, for an
    // enabled record, filled by `build` (which writes the message on failure).
    bool buildGaugeLinks(bool enabled, GaugeLinkField2D& links, bool& ready, QLabel* summary, const QString& failure,
                         const std::function<bool(GaugeLinkField2D&, std::string*)>& build);
    // The first enabled and ready of Hall edge, Landau, Aharonov-Bohm; or null.
    const GaugeLinkField2D* linksInForce() const;

    // --- MainWindowSettingsFromForm.cpp: settings from the form ----------------------------------
    // The record as the form holds it now (see readSettingsFromForm). Fields
    // without a control keep the stored copy's value; the drive records and
    // the Ramsey ensemble, whose one store is the form, start from defaults.
    // Defined for those five and the configs from BerryConfig to Klein.
    template <typename Record>
    Record formSettings() const;
    // One reader per record, by name.
    QuantumQuench currentQuenchSettings() const;
    PeriodicDrive currentPeriodicDriveSettings() const;
    LinearSweep currentLinearSweepSettings() const;
    RamseySequence currentRamseySettings() const;
    BerryConfig currentBerrySettings() const;
    LoschmidtConfig currentLoschmidtSettings() const;
    MoshinskyConfig currentMoshinskySettings() const;
    KapitzaDiracConfig currentKapitzaDiracSettings() const;
    AharonovBohmConfig currentAharonovBohmSettings() const;
    LandauConfig currentLandauSettings() const;
    HallEdgeConfig currentHallEdgeSettings() const;
    BackflowConfig currentBackflowSettings() const;
    ZitterbewegungConfig currentZitterbewegungSettings() const;
    KleinTunnelingConfig currentKleinSettings() const;
    // The geometry page's object (id 0, enabled); kind 0 or an unknown index
    // gives value, width and height 0.
    PotentialObject currentPotentialObject() const;
    // (px^2 + py^2) / 2m and px^2 / 2m of the packet controls.
    double packetKineticEnergy() const;
    double packetKineticEnergyX() const;
    // Scene box checked and at least one object.
    bool sceneUsable() const;
    // The tick's Dirac mode is the stored Zitterbewegung or Klein settings;
    // the views', diagnostics' and enables' also counts either Dirac box.
    bool diracSettingsEnabled() const;
    bool diracModeInForm() const;

    // --- MainWindowSettingsIntoForm.cpp: settings into the form ----------------------------------
    // Every record into the form in a fixed order (quench ... Klein), so a
    // later enabled record switches an earlier one off: stored (where it has
    // a stored copy), target combo refilled, controls written with signals
    // blocked, dependent enables, conflicting experiments off. No rebuild.
    void applySettingsRecords(const ExperimentSettingsRecords& records);
    // One writer per record, in the order applySettingsRecords calls them.
    void applyQuenchSettings(const QuantumQuench& settings);
    void applyPeriodicDriveSettings(const PeriodicDrive& settings);
    void applyLinearSweepSettings(const LinearSweep& settings);
    void applyRamseySettings(const RamseySequence& settings);
    void applyRamseyEnsembleSettings(const RamseyEnsemble& settings);
    void applyKickedRotorSettings(const KickedRotorConfig& settings);
    void applyZenoSettings(const ZenoConfig& settings);
    void applyScarSettings(const ScarConfig& settings);
    void applyBerrySettings(const BerryConfig& settings);
    void applyLoschmidtSettings(const LoschmidtConfig& settings);
    void applyMoshinskySettings(const MoshinskyConfig& settings);
    void applyKapitzaDiracSettings(const KapitzaDiracConfig& settings);
    void applyAharonovBohmSettings(const AharonovBohmConfig& settings);
    void applyLandauSettings(const LandauConfig& settings);
    void applyHallEdgeSettings(const HallEdgeConfig& settings);
    void applyBackflowSettings(const BackflowConfig& settings);
    void applyZitterbewegungSettings(const ZitterbewegungConfig& settings);
    void applyKleinSettings(const KleinTunnelingConfig& settings);
    // The shared body of the writers: a drive record's target combo (and the
    // shutter's) refilled with its object first, a stored record kept, then
    // the controls written with signals blocked.
    template <typename Record>
    void writeRecordIntoForm(const Record& settings);
    // The object's kind, page, fields and enabled flag into the geometry
    // page with the signals blocked; false, nothing written, for kind 0 or
    // an unknown kind.
    bool writeGeometryInspector(const PotentialObject& object);
    // The whole-window tests of the settings and the geometry reach these.
    friend struct SettingsProbe;

    // --- MainWindowScene.cpp: single geometry and Potential Scene editing ------------------------
    // The editing operations rebuild only where the potential they change is
    // in force (scene on, or the single geometry with the scene off).
    // Loading the inspector writes nothing for kind 0 or an unknown kind.
    void loadObjectIntoGeometryInspector(const PotentialObject& object);
    // Scene potential when the scene is usable, else the geometry page's one
    // object straight into the cleared potential.
    void buildLegacyPotential();
    // Add current: refused for "None", a full scene and an invalid object;
    // else the object joins the scene, scene on, rebuild, a confirmation.
    void addCurrentGeometryToScene();
    // True, with a message naming the limit, when the scene already holds as
    // many objects as a document can save.
    bool refuseFullScene();
    // The selected object may change its kind.
    void applyPotentialObjectEdit();
    // The scene goes off when it becomes empty; cleared, its ids restart at 1.
    void deleteSelectedSceneObject();
    void clearPotentialScene();
    // A drawn rectangle or circle into the geometry page, then Add current
    // (scene on) or a rebuild (scene off); invalid shapes are ignored.
    void applyEditorShape(const PotentialEditorShape& shape);
    // Scene list refilled keeping the selection by id (0: the current one),
    // inspector, enabled states and the five target combos. A refilled combo
    // (all objects, or shutter kinds only) keeps its selection by id; its
    // enable box is enabled with items and the scene on.
    void refreshSceneObjectList(std::uint64_t id);
    // A combo that loses the object its ticked box acts on switches that
    // protocol off (not while an experiment is being applied).
    void fillTargetCombo(QComboBox* combo, OffExperiment protocol, std::uint64_t id, bool shutterKindsOnly);
    // Each target combo by name (id 0 keeps its current object).
    void fillQuenchTargetCombo(std::uint64_t id);
    void fillPeriodicDriveTargetCombo(std::uint64_t id);
    void fillLinearSweepTargetCombo(std::uint64_t id);
    void fillRamseyTargetCombo(std::uint64_t id);
    void fillMoshinskyTargetCombo(std::uint64_t id);
    void updateSceneEditingControls();
    // "Scene (%1 objects)" or the geometry's name; 0 without a selected item.
    QString potentialSummaryText() const;
    std::uint64_t selectedSceneObjectId() const;
    // Scene box: refused for an empty scene; switches backflow and
    // Zitterbewegung off when turned on; rebuild.
    void onPotentialSceneActiveToggled(bool checked);
    // Geometry page switch; backflow and Zitterbewegung off for a real
    // geometry; diagnostics (scene on) or rebuild (scene off).
    void onGeometryChanged(int index);
    void onSceneSelectionChanged();
    void onPotentialObjectEnabledToggled(bool checked);

    // --- MainWindowMeasurement.cpp: measurement --------------------------------------------------
    // Refused in Dirac modes (diracRefusal) and while editing the viewport;
    // a running transport pauses. The ensemble keeps the newest 50000 hits
    // (plane, screen or temporal detector) and leaves the state as it was.
    void measureAndCollapse();
    void measurePositions();
    void clearMeasurementHits();
    bool readyToMeasure(const QString& diracRefusal);

    // --- MainWindowLoading.cpp: guided experiment loading ----------------------------------------
    // A display preset (GraphicsPresetIndex, Scientific to Cinematic) into the
    // display controls, signals blocked, then a refresh; "Custom" and other
    // indices change nothing.
    void applyGraphicsPreset(int presetIndex);
    // Nothing for a foreign page; the speed clamped; "Custom" after a hand edit.
    void showAnalysisPage(QWidget* page);
    void setRunSpeedIndex(int index);
    void markGraphicsPresetCustom();
    void writePresetControls(const ExperimentPreset& preset);
    // The analysis page a guided load of the preset opens; null for none.
    QWidget* analysisPageOfPreset(int presetIndex) const;
    // The help dock shown and in front of the tabs it shares a column with,
    // the diagnostics fitted to their rows (fitDiagnosticsToTheirRows).
    void bringGuideForward();
    // Analysis dock, run speed, control tab, measurement set-up, Klein panels.
    void applyPresetExtras(int presetIndex);
    // The new window's experiment controls (document controls, collapse
    // resolution, resonance scan, bound states sought, control tabs), put back
    // with the run speed, their enables and the view's zoom and pan: what a
    // guided experiment does not set is the same whatever was loaded before.
    void captureFreshControls();
    void restoreFreshControls();
    // Double-well record, bound-state selection (0, 3, pi/2) and readouts reset.
    void forgetBoundPreparation();
    enum class BoundRestore { Prepared, NoBoundStates, SameStateTwice };
    // A saved eigenstate or superposition (type 1 or 2): the spectrum of the
    // current potential, the saved states clamped to it in the selectors,
    // then the preparation (which rebuilds). raiseMaxStates lets the search
    // reach the saved indices; localisingPhase takes the double well's
    // localising phase. Nothing without bound states or for one state twice.
    BoundRestore restoreBoundPreparation(const InitialPreparation& preparation, bool raiseMaxStates,
                                         bool localisingPhase);

    // --- MainWindowDocuments.cpp: experiment documents -------------------------------------------
    // Behind their dialogs; a failure is a critical message box ("Load
    // Experiment", "Save Experiment"). Saving appends ".vxo.json" unless the
    // name ends in ".json", atomically; the path variants are true for a
    // document applied in full or a file written.
    void loadExperiment();
    void saveExperiment();
    bool loadExperimentFromPath(const QString& path);
    bool saveExperimentToPath(QString path);
    // Whether the user agrees to replace the existing file at `path`; asked
    // where the save dialog could not ask, the ending being added after it.
    bool confirmReplacing(const QString& path);
    // A critical box with `text`, where the file's `path` is shortened in
    // the middle to a line the box can show; the whole text is then in the
    // box's details.
    void showDocumentFileError(const QString& title, const QString& text, const QString& path);
    // First failure among the document's controls: missing entry, missing
    // widget, then controlValueFault (an index that is no whole number in
    // range, a number that is not finite in single precision); the five
    // stadium boxes are checked the same way when the document carries them.
    // Then every number, the collapse resolution included, must lie in its
    // box's range (controlRangeFault), for the document's own domain.
    bool validateDocumentControls(const ExperimentDocument& document, QString& error) const;
    // In list order, the stadium page's five boxes last; missing widgets left out.
    std::vector<QWidget*> documentControlWidgets() const;
    // Refused with nothing changed, applied in full but for its saved bound
    // state (the rebuild's packet instead, `error` saying why), or applied in
    // full. After the checks and before the final rebuild the
    // document's identity comes in: title, source preset, its unit mapping.
    // Each number is applied as its box shows it; those rounded beyond
    // rounding noise are listed in `roundings` when given.
    enum class DocumentApplication { Refused, Partial, Applied };
    DocumentApplication applyDocument(const ExperimentDocument& document, QString& error,
                                      std::vector<BoxRounding>* roundings = nullptr);
    // Saved bound state (types 1 and 2) after the rebuild, with the
    // double-well page the drives call for; false with `error` filled when
    // no state or only one distinct state can be prepared.
    bool restoreDocumentBoundState(const ExperimentDocument& document, QString& error);
    // The analysis page of the document's source preset (-1: none, the
    // first page), before the pages its bound state and experiments choose.
    void showDocumentSourcePage(int sourcePresetIndex);
    // The pages of the experiments the document enables; the last matching
    // one stays visible. The Klein page follows the source preset.
    void showDocumentExperimentPages(const ExperimentDocument& document, int sourcePresetIndex);
    // The catalogue preset titled exactly `title` (case-sensitive); -1 for none.
    int presetIndexOfTitle(const QString& title) const;
    // The whole-window tests reach the dialog-free file operations.
    friend struct DocumentsProbe;

    // --- MainWindowWiring.cpp: signal wiring and handler boundary --------------------------------
    // The connections in their fixed order, with the one-time enabling of
    // dependent controls; the rectangle edit tool feeds applyEditorShape.
    void connectControls();
    void setupViewportEditing();
    void connectGeometryAndTransport();
    void rebuildUnlessApplying();
    // A slot for a form signal: the body runs inside guarded() and receives
    // the signal's arguments when it takes them.
    template <typename Body>
    auto guardedSlot(Body body);
    // Runs one handler body; an exception escaping it is reported in the
    // status bar (its own text, empty for one that carries none) instead of
    // leaving the slot or event handler. Defined at the end of this header.
    template <typename Body>
    void guarded(Body&& body) noexcept;
    void reportHandlerFailure(const QString& message);

    // --- MainWindowModes.cpp: experiment modes, Apply buttons and sub-control enablers -----------
    // The experiments exclude each other; each toggle rebuilds unless applying.
    // A protocol turned on unchecks the other protocols, the gauge modes and
    // backflow (onDriveEnabledToggled runs first); a gauge mode the protocols,
    // the other gauge modes and backflow. The modes that run without the
    // scene (backflow, Zitterbewegung, Klein) turn the scene and the geometry
    // off and set their boundary (periodic; absorbing for Klein), view and
    // preparation; off returns it to gaussian. The two Dirac modes exclude
    // each other and go off after a protocol, gauge or backflow toggle
    // (connected last). An unchecked Berry box also clears the stored Berry
    // flag, which the rebuild does not read back from the form.
    std::array<QCheckBox*, 8> protocolBoxes() const;
    std::array<QCheckBox*, 3> gaugeBoxes() const;
    void onProtocolEnabledToggled(QCheckBox* box, bool checked);
    void onDriveEnabledToggled(bool checked);
    void onGaugeEnabledToggled(QCheckBox* box, bool checked);
    void onSceneFreeModeToggled(InitialPreparationType mode, bool checked);
    // The mode's own set-up and its preparation when its box is checked
    // (else gaussian), rebuild; nothing while applying.
    void onSceneFreeModeApplyClicked(InitialPreparationType mode);
    // The toggles and Apply buttons by name, each connected to its control.
    void onQuenchEnabledToggled(bool checked);
    void onPeriodicDriveEnabledToggled(bool checked);
    void onLinearSweepEnabledToggled(bool checked);
    void onRamseyEnabledToggled(bool checked);
    void onBerryEnabledToggled(bool checked);
    void onLoschmidtEnabledToggled(bool checked);
    void onMoshinskyEnabledToggled(bool checked);
    void onKapitzaDiracEnabledToggled(bool checked);
    void onAharonovBohmEnabledToggled(bool checked);
    void onLandauEnabledToggled(bool checked);
    void onHallEdgeEnabledToggled(bool checked);
    void onBackflowEnabledToggled(bool checked);
    void onZitterbewegungEnabledToggled(bool checked);
    void onKleinEnabledToggled(bool checked);
    void onBackflowApplyClicked();
    void onZitterbewegungApplyClicked();
    void onKleinApplyClicked();
    // Every box of the family but `keep` unchecked, signals blocked.
    void switchOffProtocols(const QCheckBox* keep);
    void switchOffGaugeModes(const QCheckBox* keep);
    void switchDiracModesOff();
    void switchOffBackflowAndZitterbewegung();
    void setUpSceneFreeMode(InitialPreparationType mode);
    void selectGeometryQuietly(int index);
    // Store the page's values; rebuild and show the page only when that
    // experiment is loaded (kicked rotor, Zeno) or enabled (scars).
    void onKickedRotorApplyClicked();
    void onZenoApplyClicked();
    void onScarApplyClicked();
    void rebuildAndShowPageIf(bool running, QWidget* page);
    // Backflow and Zitterbewegung off for a non-periodic boundary; spacing label; rebuild.
    void onBoundaryModeChanged(int index);
    // Editing on pauses a running transport and turns the potential overlay
    // on; off in momentum space; transport controls, diagnostics.
    void onViewportEditToggled(bool checked);
    // The viewport draws the shape the tool box shows (also after a quiet write).
    void syncViewportEditTool();
    // Linear scale, exposure 0, gamma 1, "Custom", refresh.
    void onDisplayResetClicked();
    void updatePotentialContourControls();
    void updateProbabilityContourControls();
    void updateCurrentOverlayControls();
    void setAnalysisPage(int index); // nothing out of range

    // --- MainWindowRefresh.cpp: view refresh -----------------------------------------------------
    // Title, view controls, viewport settings, contours, current and
    // measurement overlays, time dock, frame, then every panel in fixed order;
    // nothing while applying or with an empty psi.
    void refreshViews();
    void ensureMomentumField(); // recomputed when the step count or time moved
    // The viewport shows psi in momentum space (a Dirac run's never).
    bool momentumSpaceShown() const;
    void updateCrossSectionPanel();
    void updateTimeSeriesPanel();
    void updateDetectorTvd(); // the detector's hits-versus-flux distance, or "--"
    void refreshExperimentPanels();

    // --- MainWindowDiagnostics.cpp: diagnostics table --------------------------------------------
    // The table's rows are named by DiagnosticsRow; any other row is ignored.
    // The update writes every row but the panel rows and the pipeline row,
    // then the permanent status line; nothing while applying. The table alone
    // is written when its dock comes into sight, so that a timed message
    // stays; it returns the norm the status line shows.
    void setupDiagnosticsTable();
    void setDiagnosticsRow(DiagnosticsRow row, const QString& section, const QString& parameter, const QString& value);
    void updateDiagnostics();
    double writeDiagnosticsTable();
    void writeStatusLine(double norm);
    void writeDiagnosticsRow(DiagnosticsRow row, const QString& value);

    // --- MainWindowStatus.cpp: window title, time dock, status and help texts --------------------
    // The whole-window tests of the diagnostics and status reach these.
    friend struct MainWindowStatusProbe;
    // "Ondrivel - %1" with the trimmed title, or "Ondrivel".
    void updateWindowTitle();
    // Simulation time and, with a usable unit mapping, its physical equivalent.
    void updateTimeDock();
    // Measure and Collapse also off while editing, without psi, in Dirac modes.
    void updateTransportUi();
    void updateEnergyTooltip();
    // A timed status message (0: until the next one).
    void showStatusMessage(const QString& text, int timeoutMs);
    // dx / dy label, absorbing-layer controls, then the domain-dependent
    // position and size ranges and the collapse-resolution minimum.
    void updateDomainSpacingLabel();
    void updateDomainSpinRanges(const SimulationDomain2D& domain);
    void updateMeasurementModeTexts();
    // Preset summary and guides (with the real-world scale) into the help dock.
    void updateHelpTexts(int presetIndex);
    void clearCollapseReadout();

    // --- MainWindowPanelsScattering.cpp: scattering and tunnelling panels ------------------------
    // Each experiment panel (here and in the five sections below): activity
    // test, hint or summary, diagnostics row, plot fed with copies or a
    // pointer to the recorder.
    void updateScatteringPanel();
    // The wedge's page: how its painted faces depend on the cells.
    QString wedgeGridText() const;
    void updateResonancePanel(bool recomputeScans);
    void updateTunnelingDiagnostics();
    // A reading's check of its cells (none: no check applies), run in
    // slices on cellsCheckTimer so that the window keeps answering; the
    // page gives its verdict once the check has ended.
    void startCellsCheck(SeparationReading& reading, std::shared_ptr<DrainedRowTransmission> check);
    void advanceCellsCheck();

    // --- MainWindowPanelsTwoLevel.cpp: double-well, drive and two-level panels and their scans ----
    // The Stueckelberg hold scan and the Ramsey free-time scans (with the
    // ensemble, when it is on and valid) over ranges that run well past the
    // setting in use, in the calibrated basis.
    void scanStueckelbergHold(const LinearSweep& sweep);
    void scanRamseyFreeTime(const RamseySequence& sequence, const RamseyEnsemble& ensemble);
    void updateDoubleWellPanel();
    void updateQuenchPanel();
    void updatePeriodicDrivePanel();
    void updateRabiPanel();
    void updateLandauZenerPanel();
    void updateStueckelbergPanel(bool recomputeScans);
    void updateRamseyPanel(bool recomputeScans);

    // --- MainWindowPanelsProtocolsAndEchoes.cpp: protocol and echo panels ------------------------
    void updateZenoPanel();
    void updateScarsPanel();
    void updateBerryPanel();
    void updateLoschmidtPanel();
    void updateMoshinskyPanel();
    void updateKapitzaDiracPanel();
    void updateBackflowPanel();
    // formatTime of duration x the time unit of currentScale, or "n/a".
    QString indicativeTimeText(double duration) const;
    // Empty while the run stands inside an analysis window ending at
    // `endTime`; past it, the line that says the page's figures were read
    // at `readAt` (the recorder's last sample).
    QString windowClosedText(double endTime, double readAt) const;

    // --- MainWindowPanelsBoxesAndLattices.cpp: box and lattice panels ----------------------------
    void updateBlochPanel();
    void updateRevivalsPanel();
    void updateBilliardPanel();
    void updateTalbotPanel();
    void updateBouncerPanel();
    void updateVortexPanel();
    void updateAndersonPanel();
    void updateKickedRotorPanel();

    // --- MainWindowPanelsGauge.cpp: gauge-field panels -------------------------------------------
    void updateAharonovBohmPanel();
    void updateLandauPanel();
    void updateHallEdgePanel();

    // --- MainWindowPanelsDirac.cpp: Dirac panels -------------------------------------------------
    void updateZitterbewegungPanel();
    void updateKleinPanel();
    void updateKleinAngleScanPanel();
    void updateKleinHeightScanPanel();
    void updateKleinMassScanPanel();
    void updateDiracMasslessPanel();
    // Running maximum of P_right of a configured Klein recorder, else -1.
    double kleinPacketMaximum() const;

    // --- MainWindowHelp.cpp: help ----------------------------------------------------------------
    // Pages open in the browser, else (dockFallback) in the help dock, else a
    // status message. The folder is the first "help" beside the program, in
    // the working directory or up to three levels above the program. The
    // experiment's pages fall back to the constraints index and the dock; its
    // id is its preset slug ("unknown_experiment"); the language "en" or "it".
    // The current parameters are one HTML page in the temporary folder.
    void setupHelpMenu();
    QString findHelpDirectory() const;
    void openHelpPage(const QString& relativePath, bool dockFallback);
    void showHelpDock();
    void openConstraintsHelp();
    void openExperimentPhysicsHelp();
    // The fixed pages, each in the help dock's language, without the dock fallback.
    void openHelpIndex();
    void openGettingStartedHelp();
    void openNumericsHelp();
    void openConventionsHelp();
    void openGlossaryHelp();
    void openReferencesHelp();
    void openLicenseHelp();
    void openThirdPartyHelp();
    void openFixedHelpPage(const QString& page);
    QString helpLanguage() const;
    QString experimentHelpId() const;
    QString buildCurrentParametersHtml() const;
    void openCurrentParametersHelp();

    // --- Data members, in construction order (the constructor is in MainWindow.cpp) ---------------
    // The texts noteRebuildFailure keeps for the next report, and that report.
    std::vector<QString> rebuildFailures;
    QString lastRebuildReport;
    // Why each scene protocol was switched off (OffExperiment order), kept
    // until its box is ticked again or an experiment is loaded.
    std::array<QString, kSceneProtocolCount> protocolOffNotes;
    // Keyboard tracking of the spin boxes that rebuild, off at 1024 x 1024.
    KeyboardTrackingGate* keyboardTrackingGate = nullptr;
    // The current of the last computation (overlay and diagnostics); its
    // arrays are reused.
    ProbabilityCurrent2D probabilityCurrent;
    // probabilityCurrent holds zeros only (a Dirac run's real density), so
    // that the next such reading need not write them again.
    bool probabilityCurrentZero = false;
    // Density sums and current of psi, computed once per tick for every
    // reader (see SharedObservables); recomputed on each read outside a tick.
    SharedObservables sharedObservables;
    // The spinor's energies that Diagnostics shows, with what they were read from.
    DiracEnergyReading diracEnergyReading;
    // A fit of the side columns to the width waits for the next pass of the
    // event loop (fitSideColumnsToWidth).
    bool sideColumnsFitPending = false;
    // The default dock layout is in force, not one restored from the saved
    // state nor one the user arranged: fitting it to the window may arrange
    // it anew.
    bool defaultDockLayoutInForce = false;
    // The program itself is moving docks: their moves are not the user's.
    bool arrangingDocks = false;
    // Floating docks restored before the window was shown, shown once it is,
    // the area they were restored into, and whether from another screen.
    QList<QDockWidget*> floatingDocksHeldBack;
    QRect floatingDocksHeldBackArea;
    bool floatingDocksHeldBackCarried = false;
    // The default layout in force spans the analysis dock across the window
    // (analysisAcrossTheWindow as it was laid out).
    bool analysisAcross = false;
    // The diagnostics table's presentation, a child of the table.
    DiagnosticsPresentation* diagnosticsPresentation = nullptr;
    // Where the window was placed before a window manager framed it: once
    // the frame is known, the frame is fitted into this area (empty: none
    // pending). With the default layout the window is fitted anew there, a
    // restored one is only moved and shrunk.
    QRect frameFitArea;
    // The window's size when the program last fitted it to its screen;
    // empty once a restored geometry placed it. A window still of that size
    // is the program's to fit again when its screen changes, larger or
    // smaller; one the user sized or maximised is the user's.
    QSize fittedWindowSize;
    bool frameFitWithDefaultLayout = false;

    const std::unique_ptr<Ui::MainWindow> ui;
    QTimer* runTimer = nullptr;
    QTimer* cellsCheckTimer = nullptr;

    ComplexField2D psi;
    PotentialField2D potential;
    PotentialScene potentialScene;
    AbsorbingBoundary2D absorbingBoundary;
    SplitStepFourierSolver2D solver;
    TransportClock transport;
    // The speed the run achieves, from the tick starts (status line).
    RunPace runPace;
    RealWorldScaleMapping currentScale;
    DetectorTemporalFlux2D detectorFlux;
    ObservableHistory history{4096};
    PotentialContourSet potentialContours;
    ProbabilityContourSet probabilityContours;
    MomentumSpace2D momentumField;

    BoundStateResult boundStates; // the bound-state panel's spectrum
    TwoLevelState twoLevel;
    ExperimentRecorders recorders;
    ExperimentSettingsRecords stored; // every settings record (see the class comment)
    GaugeFieldLinks gaugeLinks;
    DiracSpinor2D diracSpinor;
    DiracSplitStepSolver2D diracSolver;
    ProtocolAppliers appliers;

    InitialPreparationType preparationType = InitialPreparationType::Gaussian;
    std::int32_t boundStateA = 0;
    std::int32_t boundStateB = 3;
    double boundRelativePhase = 1.5707963267948966; // radians
    // The bound-state start asked for was replaced by the Gaussian packet:
    // its spectrum no longer fitted the rebuilt potential (the grid, the
    // scene or the mass had changed). Kept until a start is chosen again
    // (Load, a document, Prepare on the Bound states page).
    bool boundStartReplaced = false;

    std::uint64_t momentumFieldStep = kNoCacheKey;
    double momentumFieldTime = -1.0;
    std::uint64_t potentialContourRevision = kNoCacheKey;
    std::int32_t potentialContourLevels = 0;

    ScatteringBookkeeping scattering;
    std::vector<MeasurementShot> measurementHits;
    std::uint64_t lastMeasurementCount = 0;
    CollapseRecord lastCollapse;

    bool persistGuiState = false;
    bool settingsLockReported = false;
    // The form's window size, the default where the screen has room for it.
    QSize formWindowSize;
    // The controls dock's width with its widest page unscrolled.
    int controlsReadableWidth = 0;
    // The analysis dock's least height as the form gives it.
    int formAnalysisMinimumHeight = 0;
    // Without a parent, so that it goes with the members, before the widget
    // tree whose pages it watches is torn down.
    std::unique_ptr<CurrentPageScroller> analysisPageScroller;
    // Controls, time, diagnostics, help and analysis dock.
    std::array<bool, 5> dockVisibleBeforeMinimize{{true, true, true, true, true}};
    bool applyingExperiment = false;
    QString helpItalianBaseHtml;
    QString helpEnglishBaseHtml;
    QString lastDocumentPath;
    // The experiment controls as the new window had them (captureFreshControls).
    ControlSnapshot freshControls;
    QString experimentTitle;
    QString sourcePresetName;
};

template <typename Recorder>
const Recorder& MainWindow::recorder() const
{
    const auto all =
        std::tie(recorders.revivalRecorder, recorders.billiardRecorder, recorders.talbotRecorder,
                 recorders.bouncerRecorder, recorders.vortexRecorder, recorders.andersonRecorder,
                 recorders.kickedRotorRecorder, recorders.zenoRecorder, recorders.scarRecorder, recorders.berryRecorder,
                 recorders.loschmidtRecorder, recorders.moshinskyRecorder, recorders.kapitzaDiracRecorder,
                 recorders.aharonovBohmRecorder, recorders.landauRecorder, recorders.hallEdgeRecorder,
                 recorders.backflowRecorder, recorders.zitterbewegungRecorder, recorders.kleinRecorder);
    return std::get<const Recorder&>(all);
}

template <typename Body>
void MainWindow::guarded(Body&& body) noexcept
{
    try {
        std::forward<Body>(body)();
    } catch (const std::exception& failure) {
        reportHandlerFailure(QString::fromLocal8Bit(failure.what()));
    } catch (...) {
        reportHandlerFailure(QString());
    }
}

} // namespace vxo
