#pragma once

#include "app/protocols/BerryLoopApplier.h"
#include "app/form/ControlSnapshot.h"
#include "app/protocols/DriveApplier.h"
#include "app/mainwindow/FormIndices.h"
#include "app/protocols/KapitzaDiracPulseApplier.h"
#include "app/protocols/MoshinskyShutterApplier.h"
#include "app/protocols/QuenchApplier.h"
#include "app/TransportClock.h"
#include "core/AbsorbingBoundary2D.h"
#include "core/ComplexField2D.h"
#include "core/DetectorTemporalFlux2D.h"
#include "core/DiracSpinor2D.h"
#include "core/DiracSplitStepSolver2D.h"
#include "core/GaugeLinkField2D.h"
#include "core/MomentumSpace2D.h"
#include "core/PositionMeasurement.h"
#include "core/PotentialField2D.h"
#include "core/PotentialScene.h"
#include "core/ProbabilityCurrent2D.h"
#include "core/SimulationDomain2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "document/ExperimentDocument.h"
#include "document/ExperimentPreset.h"
#include "document/ExperimentSettingsRecords.h"
#include "document/InitialPreparation.h"
#include "experiments/AharonovBohmRecorder.h"
#include "experiments/AndersonRecorder.h"
#include "experiments/BackflowRecorder.h"
#include "experiments/BerryRecorder.h"
#include "experiments/BilliardRecorder.h"
#include "experiments/BouncerRecorder.h"
#include "experiments/BoundStateResult.h"
#include "experiments/DiracKleinRecorder.h"
#include "experiments/DiracZitterbewegungRecorder.h"
#include "experiments/HallEdgeRecorder.h"
#include "experiments/KapitzaDiracRecorder.h"
#include "experiments/KickedRotorRecorder.h"
#include "experiments/LandauRecorder.h"
#include "experiments/LoschmidtRecorder.h"
#include "experiments/MoshinskyRecorder.h"
#include "experiments/ObservableHistory.h"
#include "experiments/QuantumAnderson2D.h"
#include "experiments/QuantumBilliard2D.h"
#include "experiments/QuantumBloch2D.h"
#include "experiments/QuantumBouncer2D.h"
#include "experiments/QuantumDoubleWell2D.h"
#include "experiments/QuantumLandauZener2D.h"
#include "experiments/QuantumRabi2D.h"
#include "experiments/QuantumRamsey2D.h"
#include "experiments/QuantumRevival2D.h"
#include "experiments/QuantumScar2D.h"
#include "experiments/QuantumStueckelberg2D.h"
#include "experiments/QuantumVortex2D.h"
#include "experiments/RevivalRecorder.h"
#include "experiments/ScarRecorder.h"
#include "experiments/TalbotRecorder.h"
#include "experiments/VortexRecorder.h"
#include "experiments/ZenoRecorder.h"
#include "view/ContourExtraction.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

class QAction;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QDockWidget;
class QEvent;
class QTimer;
class QWidget;

namespace Ui {
class MainWindow;
}

namespace vxo {

class KeyboardTrackingGate;
struct PotentialEditorShape;

// Grid spacing of a field widened to double; 0 for an empty field.
inline double fieldDxOrZero(const ComplexField2D& field) { return field.empty() ? 0.0 : field.dx(); }
inline double fieldDyOrZero(const ComplexField2D& field) { return field.empty() ? 0.0 : field.dy(); }

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
    // interval, connects every control, rebuilds to t = 0 and, with persistGuiState, restores the saved layout.
    // Nothing runs until Play.
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

    // Window size: the form's where it fits `available` (a screen's available
    // geometry), otherwise `available`'s, the window moved inside it; then the
    // default dock layout for that height. The constructor calls it with the
    // screen the window opens on.
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
    const QuenchApplier& quenchState() const { return quenchApplier; }
    // The window's recorder of this type (each recorder type occurs once).
    template <typename Recorder>
    const Recorder& recorder() const;

protected:
    // Saves the window state (with persistence on), then closes.
    void closeEvent(QCloseEvent* event) override;
    // Minimising remembers which docks were shown; restoring queues
    // restoreDockVisibility for the next pass of the event loop.
    void changeEvent(QEvent* event) override;

private:
    // Raises applyingExperiment for one load. The loader releases it just
    // before its final rebuild; a load that ends through an exception drops
    // the flag as it unwinds.
    class ApplyingExperimentScope {
    public:
        explicit ApplyingExperimentScope(bool& flag) : flag_(flag) { flag_ = true; }
        ~ApplyingExperimentScope() { flag_ = false; }
        ApplyingExperimentScope(const ApplyingExperimentScope&) = delete;
        ApplyingExperimentScope& operator=(const ApplyingExperimentScope&) = delete;
        void release() { flag_ = false; }

    private:
        bool& flag_;
    };

    // The last single-system collapse: the measurement and the spreads before
    // and after, in the order the diagnostics print them.
    struct CollapseRecord {
        bool valid = false;
        PositionMeasurementResult result;
        double sigmaXBefore = 0.0;
        double sigmaXAfter = 0.0;
        double sigmaYBefore = 0.0;
        double sigmaYAfter = 0.0;
        double sigmaPxBefore = 0.0;
        double sigmaPxAfter = 0.0;
        double sigmaPyBefore = 0.0;
        double sigmaPyAfter = 0.0;
    };

    // Key of a cache that holds nothing: the next request rebuilds it.
    static constexpr std::uint64_t kNoCacheKey = std::numeric_limits<std::uint64_t>::max();

    // --- Construction ---------------------------------------------------------

    // Analysis tab font (+1.5 pt, at least 10.5, weight 57) and the page list
    // of analysisPageComboBox (window title or object name), then its connection.
    void setupAnalysisPages();
    // All catalogue titles into experimentPresetComboBox keeping its index;
    // title, source preset and unit mapping of the selected preset.
    void setupExperimentLibrary();
    // Separator and "Reset Window Layout" in menuView.
    void setupViewMenu();

    // --- Window state and dock layout ------------------------------------------

    // Controls dock left; time, diagnostics and help docks right (260, 340 and
    // 320 px high); analysis dock bottom (240 px); all five actions checked.
    // In a window shorter than the form the side docks take the bottom
    // corners and the analysis dock its share of the height.
    void applyDefaultDockLayout();
    // Widths of the left and right dock columns: their preferred widths
    // where the window has room beside the middle column's minimum, else
    // narrower, down to their docks' minimum widths.
    QList<int> sideColumnWidths() const;
    // The screen's available geometry the window opens on or is shown on.
    QRect availableScreenGeometry() const;
    // Group "MainWindow": geometry, dock state and the selected tabs; nothing
    // without persistence.
    void saveGuiState();
    // Reads the group back; unreadable dock state falls back to the default
    // layout, stored indices are clamped to the widgets' ranges.
    void restoreGuiState();
    // Erases the group (with persistence), default layout, first page of every tab.
    void resetWindowLayout();
    // Mirrors the dock's visibility into its View-menu action.
    void connectDockVisibility(QDockWidget* dock, QAction* action);
    // Action checked = visible with its signals blocked; ignored while minimised.
    void onDockVisibilityChanged(QAction* action, bool visible);
    // Actions and docks back to their state before minimising.
    void restoreDockVisibility();
    // The five docks with their View-menu actions: controls, time,
    // diagnostics, help, analysis.
    std::array<std::pair<QDockWidget*, QAction*>, 5> dockActionPairs() const;

    // --- Transport --------------------------------------------------------------

    // Factor of the speed selector's entry; 1 for an index outside its list.
    double speedFactor() const;
    // true: from STOPPED with a moved clock rebuild first, then RUNNING and the
    // timer started (Play); false: timer stopped, PAUSED (Pause). Both end with
    // the transport controls and the diagnostics.
    void setRunning(bool running);
    // runTimer interval = the transport's tickInterval of its base interval.
    void updateTimerInterval();
    // Stop: timer stopped, STOPPED; the last frame stays.
    void onStopClicked();
    // New speed from the selector and the interval of a running timer; state untouched.
    void onSpeedChanged();

    // --- Tick, single step and observation --------------------------------------

    // Pending hits cleared, `count` step bodies, then the continuous
    // appliers at the new time: the stepping shared by the tick and Step.
    void runSteps(int count);
    // One observation unless a Dirac mode is on.
    void observeAfterSteps();
    // Event hooks, every applier at t + dt/2, one propagation, the
    // absorbing layer, the step-scheduled recorders and the detector readout.
    void runStepBody();
    // The continuous appliers (all but the quench) at t without force.
    void runAppliersAfterSteps(double t);
    // Empties measurementHits with its total label and markers (no diagnostics).
    void discardMeasurementHits();
    // One-shot time reversal once reversalTime <= t + dt/2.
    void applyLoschmidtReversalIfDue();
    // Every overdue Zeno measurement of a loaded Zeno experiment.
    void applyZenoMeasurementIfDue();
    // Every overdue kick of a loaded kicked rotor, each sampled.
    void applyKickedRotorKickIfDue();
    // The step-scheduled recorders on their strides and inside their end times.
    void sampleStepRecorders();
    // Accumulates the temporal detector (when the measurement mode selects it) and shows its total.
    void updateDetectorFluxReadout();
    // Resets the detector, its label, the hits-versus-flux distance and the diagnostics.
    void clearDetectorFlux();
    // Spinor density into psi when the spinor holds a field.
    void syncSpinorDensity();
    // One ObservableSample into the history, then the tick-sampled
    // recorders; nothing with an empty psi.
    void recordObservation();
    // Revival, billiard, Talbot, bouncer, vortex, Anderson, Zeno and scar
    // recorders at t, each under its own condition.
    void sampleObservationRecorders(double t);
    // Benchmarks time the tick's stepping, observation and refresh apart.
    friend class MainWindowProbe;

    // --- Protocol appliers ------------------------------------------------------
    // Each reads its settings from the form and rewrites the potential through
    // its state machine; the quench, shutter and pulse only when their state
    // changes or force is set. A successful application invalidates the
    // potential-contour cache. All take (t, force).

    void applyQuench(double t, bool force);
    void applyPeriodicDrive(double t, bool force);
    void applyLinearSweep(double t, bool force);
    void applyRamseySequence(double t, bool force);
    void applyBerryLoop(double t, bool force);
    void applyMoshinskyShutter(double t, bool force);
    void applyKapitzaDiracPulse(double t, bool force);
    // Scene, sceneUsable(), t, force and the potential for one applier call.
    ProtocolContext protocolContext(double t, bool force);
    // potentialContourRevision = kNoCacheKey: the next refresh rebuilds the contours.
    void invalidatePotentialContours();

    // --- Rebuild ----------------------------------------------------------------

    // Grid and size from the form (256, 512 or 1024 points a side by the
    // resolution selector's entry).
    SimulationDomain2D currentSimulationDomain() const;
    // Drops the momentum-space cache (empty field, key kNoCacheKey, time -1).
    void invalidateMomentumField();
    // Resonance scan controls from the double barrier of the scene, signals blocked.
    void applySceneDerivedControls();
    // Enabled states of the contour, current and measurement controls after a
    // document, with the current overlay switched off in a Dirac mode.
    void updateRenderingControlStates();
    // Appliers' run state cleared, the history emptied (before the forced
    // appliers, so a quench fired at t = 0 records no stale energy), Berry trap
    // to its default, the Loschmidt reversal re-armed.
    void resetProtocolRunState();
    // Loschmidt to Klein settings re-read from the form, their recorders reset,
    // the gauge links emptied and not ready.
    void refreshStoredSettingsFromForm();
    // Scene or single geometry, the Klein barrier, then the enabled gauge fields.
    void rasterisePotentialAndGaugeFields();
    // Schroedinger solver with the form's mass; Dirac solver with the same
    // hbar and dt and the Klein (else Zitterbewegung) light speed and mass.
    void configureSolvers();
    // Zitterbewegung and Klein recorders configured and sampled at t = 0
    // when their preparation ran.
    void configureDiracRecorders();
    // Revival, billiard, Talbot, bouncer, vortex, Anderson, kicked-rotor,
    // Zeno and scar recorders configured from the prepared state.
    void configureObservationRecorders();
    // Berry, Loschmidt, Moshinsky, Kapitza-Dirac, gauge and backflow recorders
    // configured and sampled at t = 0.
    void configureStepRecorders();
    // Kick 0 of the kicked rotor and the first Zeno sample after the clock reset.
    void recordInitialSamples();
    // Absorbing layer for the new grid: on in CAP mode unless backflow or
    // Zitterbewegung runs.
    void prepareAbsorbingLayer();
    // Scattering latches and the double-well and Rabi records back to invalid.
    void clearScatteringAndTwoLevelRecords();
    // Energy label, tunnelling and resonance, bound states and the two-level
    // panels (scans recomputed).
    void updatePanelsAfterRebuild();
    // Keeps the text of a gauge build or preparation that failed during the
    // rebuild under way. The rebuild's own refresh writes the permanent
    // status line over any message, so the kept texts are shown after it.
    void noteRebuildFailure(const QString& text);
    std::vector<QString> rebuildFailures;

    // --- Initial-state preparation ----------------------------------------------

    // The preparation named by preparationType into psi (or the spinor); false,
    // with preparationType back to gaussian, when it is gaussian or cannot run.
    bool prepareExperimentInitialState();
    // Bound eigenstate of boundStateComboBox, rebuild, bound-state page, status.
    void prepareBoundEigenstate();
    // Superposition of the two selected states with the form's phase, rebuild,
    // page, status with the beat period; refuses equal or missing states.
    void prepareBoundSuperposition();
    // The form's Gaussian packet into psi, with the solver's hbar.
    void prepareFormPacket();

    // --- Bound states and two-level calibration ----------------------------------

    // Spectrum of the current potential into boundStates and the three
    // selectors; pauses a running transport; psi is not changed.
    void computeBoundStates();
    // Enabled states, summary, plot and the two bound-state diagnostics rows; a spectrum
    // computed for another grid, potential or mass reads as stale.
    void updateBoundStatesStatus();
    // Landau-Zener or Stueckelberg reference (with its hold scan) of a linear
    // sweep on the Linear slope X; reset values otherwise.
    void calibrateSweepReference();
    // Ramsey reference, fringe scan and ensemble of a pulse sequence on the
    // Linear slope X; reset values otherwise.
    void calibrateRamseyReference();
    // Lowest two states of the scene's double well with the target's slope X
    // fixed at slopeX, on the potential's grid; not ok when the target is missing.
    BoundStateResult computeDoubleWellBasis(std::uint64_t targetObjectId, double slopeX) const;
    // After a bound-state button's rebuild: true when the rebuild prepared the
    // requested state; otherwise (the spectrum did not fit the potential the
    // rebuild made, so the Gaussian packet was prepared) says so.
    bool confirmBoundPreparation(InitialPreparationType requested);

    // --- Gauge fields -------------------------------------------------------------

    // Links (and solenoid disc) for the current grid; ready flag on success,
    // "... failed: %1" in the summary label otherwise. False when disabled.
    bool buildAharonovBohmField();
    bool buildLandauGaugeField();
    bool buildHallEdgeField();
    // Links of the first enabled and ready block (Hall edge, Landau,
    // Aharonov-Bohm); null when none.
    const GaugeLinkField2D* linksInForce() const;

    // --- Settings from the form ----------------------------------------------------

    // The record as the form holds it now (readSettingsFromForm tells which
    // control gives which field). Fields without a control keep the stored
    // copy's value; the drive records and the Ramsey ensemble, whose one store
    // is the form, start from their defaults. Defined for the four drive
    // records, RamseyEnsemble and the ten experiment configs from BerryConfig
    // to KleinTunnelingConfig.
    template <typename Record>
    Record formSettings() const;
    // The geometry page's object (id 0, enabled); kind 0 or an unknown index
    // gives value, width and height 0.
    PotentialObject currentPotentialObject() const;
    // (px^2 + py^2) / 2m and px^2 / 2m of the packet controls; 0 without them.
    double packetKineticEnergy() const;
    double packetKineticEnergyX() const;
    // Form present, scene box checked and at least one object.
    bool sceneUsable() const;
    // The stored Zitterbewegung or Klein settings are enabled: the tick's Dirac mode.
    bool diracSettingsEnabled() const;
    // The stored settings or either Dirac box of the form: the Dirac mode of
    // the views, the diagnostics and the enabled states.
    bool diracModeInForm() const;

    // --- Settings into the form ------------------------------------------------------
    // Each writer stores its record (where it has a stored copy), refills its
    // target combo, writes the controls with their signals blocked, sets the
    // dependent enables and, for an enabled record, switches off the
    // experiments that cannot run with it. No rebuild, no refresh.

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
    // The writers in their fixed order (quench ... Klein), so that a
    // later enabled record switches an earlier one off.
    void applySettingsRecords(const ExperimentSettingsRecords& records);
    // The record into its stored copy, then into the form when there is one.
    template <typename Record>
    void storeAndWriteSettings(Record& storedCopy, const Record& settings);
    // The object's kind, page, fields and enabled flag into the geometry
    // page with the signals blocked; false, nothing written, for kind 0 or
    // an unknown kind.
    bool writeGeometryInspector(const PotentialObject& object);
    // The whole-window tests of the settings and the single geometry reach
    // these operations directly.
    friend struct SettingsProbe;

    // --- Single geometry and Potential Scene editing ------------------------------------

    // The object's kind, page and fields into the geometry page, signals blocked;
    // nothing for kind 0 or an unknown kind.
    void loadObjectIntoGeometryInspector(const PotentialObject& object);
    // Scene potential when the scene is usable, else the geometry page's one
    // object straight into the cleared potential.
    void buildLegacyPotential();
    // Add current: the page's object joins the scene, scene on, rebuild, a
    // confirmation; refusals for "None" and an invalid object.
    void addCurrentGeometryToScene();
    // Apply changes to the selected object (its kind may change); rebuild only
    // with the scene on.
    void applyPotentialObjectEdit();
    // Removes the selected object; scene off when it becomes empty; rebuild.
    void deleteSelectedSceneObject();
    // Empties the scene (ids restart at 1), scene off, rebuild to the single geometry.
    void clearPotentialScene();
    // A drawn rectangle or circle into the geometry page, then Add current
    // (scene on) or a rebuild (scene off); invalid shapes are ignored.
    void applyEditorShape(const PotentialEditorShape& shape);
    // Scene list refilled keeping the selection by id (0: the current one),
    // inspector, enabled states and the five target combos.
    void refreshSceneObjectList(std::uint64_t id);
    void fillQuenchTargetCombo(std::uint64_t id);
    void fillPeriodicDriveTargetCombo(std::uint64_t id);
    void fillLinearSweepTargetCombo(std::uint64_t id);
    void fillRamseyTargetCombo(std::uint64_t id);
    // Rectangle and Barrier objects only.
    void fillMoshinskyTargetCombo(std::uint64_t id);
    // One target combo refilled (all objects, or shutter kinds only), selection
    // kept by id, and the governed enable box enabled with items and the scene on.
    void fillTargetCombo(QComboBox* combo, QCheckBox* governedBox, std::uint64_t id, bool shutterKindsOnly);
    // Enabled states of the scene buttons and of every protocol control.
    void updateSceneEditingControls();
    // "Scene (%1 objects)" or the geometry's name.
    QString potentialSummaryText() const;
    // Id of the scene list's current item; 0 without one.
    std::uint64_t selectedSceneObjectId() const;
    // Scene box: refused for an empty scene; switches backflow and
    // Zitterbewegung off when turned on; rebuild.
    void onPotentialSceneActiveToggled(bool checked);
    // Geometry page switch; backflow and Zitterbewegung off for a real
    // geometry; diagnostics (scene on) or rebuild (scene off).
    void onGeometryChanged(int index);
    // Selected object into the inspector, enabled states, diagnostics.
    void onSceneSelectionChanged();
    // The selected object's enabled flag; rebuild with the scene on.
    void onPotentialObjectEnabledToggled(bool checked);

    // --- Measurement ------------------------------------------------------------------

    // Single-system position measurement with collapse; refused in Dirac
    // modes and while editing the viewport; pauses a running transport.
    void measureAndCollapse();
    // Ensemble hits from the plane, the detector screen or the temporal
    // detector, capped at the newest 50000; the state is not changed.
    void measurePositions();
    // Hits, last count, total label and markers cleared; distance and diagnostics.
    void clearMeasurementHits();
    // What both measurements check first: a form and a field, no viewport
    // editing, no Dirac mode (refused with diracRefusal); a
    // running transport is paused. False when the measurement cannot go on.
    bool readyToMeasure(const QString& diracRefusal);

    // --- Guided experiment loading ----------------------------------------------------

    // A display preset (GraphicsPresetIndex, Scientific to Cinematic) into the
    // display controls, signals blocked, then a refresh; "Custom" and other
    // indices change nothing.
    void applyGraphicsPreset(int presetIndex);
    // Shows a page of analysisStackedWidget with its title and the
    // experiment-analysis tab; nothing for null or a foreign page.
    void showAnalysisPage(QWidget* page);
    // graphicsPresetComboBox to "Custom", signals blocked, once a display
    // value was changed by hand.
    void markGraphicsPresetCustom();
    // Domain, packet, collapse-resolution and geometry-page controls of a preset.
    void writePresetControls(const ExperimentPreset& preset);
    // Per-experiment extras: analysis dock, run speed, control tab,
    // measurement set-up, stationary Klein panels.
    void applyPresetExtras(int presetIndex);
    // speedComboBox entry (clamped to its last entry), clock speed and interval.
    void setRunSpeedIndex(int index);
    // Records the experiment controls of the new window: the controls a
    // document carries, the collapse resolution, the resonance scan, the
    // number of bound states sought and the tabs of the controls dock.
    void captureFreshControls();
    // Puts those controls back as the new window had them, with the run
    // speed, the enabled states that follow them and the view's zoom and
    // pan: what a guided experiment does not set is then the same whatever
    // was loaded before.
    void restoreFreshControls();
    // What restoring a saved bound-state preparation came to.
    enum class BoundRestore { Prepared, NoBoundStates, SameStateTwice };
    // A saved eigenstate or superposition (type 1 or 2): the saved indices and
    // phase, the spectrum of the current potential, the saved states clamped
    // to it in the three selectors, then the preparation (which rebuilds).
    // raiseMaxStates first lets the search reach the saved indices;
    // localisingPhase replaces the saved phase by the double well's
    // localising one. Nothing is prepared without bound states or for a
    // superposition of one state with itself.
    BoundRestore restoreBoundPreparation(const InitialPreparation& preparation, bool raiseMaxStates,
                                         bool localisingPhase);

    // --- Experiment documents -----------------------------------------------------------

    // Open dialog, read, unit mapping of the source preset, apply; critical
    // message box "Load Experiment" on failure.
    void loadExperiment();
    // Save dialog (".vxo.json" appended unless the name ends in ".json"),
    // capture, atomic save; message box "Save Experiment" on failure.
    void saveExperiment();
    // First failure among the document's controls: missing entry, missing widget, combo
    // index out of range, non-finite double; the five stadium boxes are
    // checked the same way when the document carries them.
    bool validateDocumentControls(const ExperimentDocument& document, QString& error) const;
    // The widgets of the controls a document carries, in list order, with the
    // stadium page's five boxes after them; missing widgets are left out.
    std::vector<QWidget*> documentControlWidgets() const;

    // How far an apply got: refused with nothing changed, applied but its
    // saved bound state could not be prepared, or applied in full.
    enum class DocumentApplication { Refused, Partial, Applied };
    // The apply behind applyExperimentDocument. After the checks and before
    // the final rebuild the document's identity comes in with it: title,
    // source preset and the unit mapping of that preset.
    DocumentApplication applyDocument(const ExperimentDocument& document, QString& error);
    // Saved bound-state preparation (types 1 and 2) after the rebuild, with
    // the double-well page the drives call for; false with `error` filled
    // when no state or only one distinct state can be prepared.
    bool restoreDocumentBoundState(const ExperimentDocument& document, QString& error);
    // The analysis pages of the experiments the document enables; the last
    // matching one stays visible. The Klein page follows the source preset.
    void showDocumentExperimentPages(const ExperimentDocument& document, int sourcePresetIndex);
    // Library entry titled exactly `title` (case-sensitive) that is a
    // catalogue preset; -1 for none.
    int presetIndexOfTitle(const QString& title) const;
    // loadExperiment after its dialog: read, apply, identity and messages.
    // True when the document was applied in full.
    bool loadExperimentFromPath(const QString& path);
    // saveExperiment after its dialog: file name ending, capture, atomic save
    // and messages. True when the file was written.
    bool saveExperimentToPath(QString path);
    // The critical message box of a document file failure ("Load Experiment"
    // or "Save Experiment") with one OK button.
    void showDocumentFileError(const QString& title, const QString& text);
    // The whole-window tests of the documents reach the dialog-free file
    // operations and the window's bookkeeping directly.
    friend struct DocumentsProbe;

    // --- Signal wiring and handler boundary ---------------------------------------------

    // The control connections in their fixed order, with the one-time
    // enabling of dependent controls.
    void connectControls();
    // The rectangle edit tool and the shape callback into applyEditorShape.
    void setupViewportEditing();
    // The geometry page's spin boxes, the packet spin boxes, the transport buttons
    // and the speed selector.
    void connectGeometryAndTransport();
    // Rebuild unless a preset or document is being applied.
    void rebuildUnlessApplying();
    // A slot for a form signal: the body runs inside guarded() and receives
    // the signal's arguments when it takes them.
    template <typename Body>
    auto guardedSlot(Body body);
    // Keyboard tracking of the spin boxes that rebuild, off at 1024 x 1024.
    KeyboardTrackingGate* keyboardTrackingGate = nullptr;
    // Runs one handler body; an exception escaping it is reported in the
    // status bar instead of leaving the slot or event handler.
    template <typename Body>
    void guarded(Body&& body) noexcept;
    // The status message of a failed handler: the exception's own
    // text, empty for an exception that carries none.
    void reportHandlerFailure(const QString& message);

    // --- Experiment modes, Apply buttons and sub-control enablers -------------------------

    // A protocol box turned on unchecks the other protocol boxes; rebuild unless applying.
    void onQuenchEnabledToggled(bool checked);
    void onPeriodicDriveEnabledToggled(bool checked);
    void onLinearSweepEnabledToggled(bool checked);
    void onRamseyEnabledToggled(bool checked);
    void onBerryEnabledToggled(bool checked);
    void onLoschmidtEnabledToggled(bool checked);
    void onMoshinskyEnabledToggled(bool checked);
    void onKapitzaDiracEnabledToggled(bool checked);
    // Any protocol turned on switches the gauge modes and backflow off (runs first).
    void onDriveEnabledToggled(bool checked);
    // A gauge mode turned on switches the protocols, the other gauge modes and
    // backflow off; rebuild unless applying.
    void onAharonovBohmEnabledToggled(bool checked);
    void onLandauEnabledToggled(bool checked);
    void onHallEdgeEnabledToggled(bool checked);
    // Backflow on: protocols, gauge modes and the scene off, periodic boundary,
    // no geometry; rebuild unless applying.
    void onBackflowEnabledToggled(bool checked);
    // Zitterbewegung on: everything else off, periodic boundary, position
    // probability view, the Zitterbewegung preparation; off returns it to gaussian.
    void onZitterbewegungEnabledToggled(bool checked);
    // Klein on: everything else off (Zitterbewegung included), absorbing
    // boundary, the Klein preparation; off returns it to gaussian.
    void onKleinEnabledToggled(bool checked);
    // Both Dirac boxes and settings off after a protocol, gauge or backflow
    // toggle (connected last); no rebuild.
    void switchDiracModesOff();
    // Backflow and Zitterbewegung boxes and settings off, signals blocked.
    void switchOffBackflowAndZitterbewegung();
    // The mode's own set-up and its preparation when its box is checked
    // (else gaussian), rebuild; nothing while applying.
    void onBackflowApplyClicked();
    void onZitterbewegungApplyClicked();
    void onKleinApplyClicked();
    // Store the page's values; rebuild and show the page only when that
    // experiment is loaded (kicked rotor, Zeno) or enabled (scars).
    void onKickedRotorApplyClicked();
    void onZenoApplyClicked();
    void onScarApplyClicked();
    // Backflow and Zitterbewegung off for a non-periodic boundary; spacing label; rebuild.
    void onBoundaryModeChanged(int index);
    // Editing on pauses a running transport and turns the potential overlay
    // on; off in momentum space; transport controls, diagnostics.
    void onViewportEditToggled(bool checked);
    // Linear scale, exposure 0, gamma 1, "Custom", refresh.
    void onDisplayResetClicked();
    void updatePotentialContourControls();
    void updateProbabilityContourControls();
    void updateCurrentOverlayControls();
    // Page `index` of analysisStackedWidget with its title; nothing out of range.
    void setAnalysisPage(int index);
    // The eight protocol enable boxes (quench, periodic drive, linear sweep,
    // Ramsey, Berry, Loschmidt, Moshinsky, Kapitza-Dirac) and the three gauge
    // boxes (Aharonov-Bohm, Landau, Hall edge).
    std::array<QCheckBox*, 8> protocolBoxes() const;
    std::array<QCheckBox*, 3> gaugeBoxes() const;
    // Every protocol box but `keep` unchecked, signals blocked; an unchecked
    // Berry box also clears the stored Berry flag, which the rebuild does not
    // read back from the form.
    void switchOffProtocols(const QCheckBox* keep);
    // Every gauge box but `keep` unchecked, signals blocked.
    void switchOffGaugeModes(const QCheckBox* keep);
    // Body of the eight protocol toggles and of the three gauge toggles.
    void onProtocolEnabledToggled(QCheckBox* box, bool checked);
    void onGaugeEnabledToggled(QCheckBox* box, bool checked);
    // geometryComboBox and its parameter page to `index`, signals blocked.
    void selectGeometryQuietly(int index);
    // Form set-up of the three modes that run without the scene (backflow,
    // Zitterbewegung, Klein): scene and geometry off, and the
    // mode's boundary, view and Dirac-box exclusion; signals blocked.
    void setUpSceneFreeMode(InitialPreparationType mode);
    // Body of the backflow, Zitterbewegung and Klein toggles and Apply buttons.
    void onSceneFreeModeToggled(InitialPreparationType mode, bool checked);
    void onSceneFreeModeApplyClicked(InitialPreparationType mode);

    // --- View refresh ---------------------------------------------------------------------

    // Title, view controls, viewport settings, contours, current and
    // measurement overlays, time dock, frame, then every panel in fixed order;
    // nothing while applying or with an empty psi.
    void refreshViews();
    // Momentum-space cache recomputed when the step count or time moved.
    void ensureMomentumField();
    // Cross-section page and the viewport's section line.
    void updateCrossSectionPanel();
    // Time-series page and the double-well and Rabi history plots.
    void updateTimeSeriesPanel();
    // Hits-versus-flux distance of the temporal detector, or "--".
    void updateDetectorTvd();
    // Every experiment panel, in the fixed order the refresh calls them.
    void refreshExperimentPanels();
    // The current overlay's field of the last refresh; its arrays are reused.
    ProbabilityCurrent2D probabilityCurrent;

    // --- Diagnostics table --------------------------------------------------------------

    // Every DiagnosticsRow as three read-only items with its set-up texts.
    void setupDiagnosticsTable();
    // The three texts of a row of the table; any other row is ignored.
    void setDiagnosticsRow(int row, const QString& section, const QString& parameter, const QString& value);
    // Every row but the panel rows and the pipeline row, then the permanent
    // status line; nothing while applying.
    void updateDiagnostics();
    // A row's value with the section and parameter it was set up with (the
    // rows are named by DiagnosticsRow); other rows are ignored.
    void writeDiagnosticsRow(int row, const QString& value);
    // The whole-window tests of the diagnostics and status reach these
    // operations directly.
    friend struct MainWindowStatusProbe;

    // --- Status bar, title, time dock, domain ranges and help texts ------------------------

    // "Ondrivel - %1" with the trimmed title, or "Ondrivel".
    void updateWindowTitle();
    // Simulation time and, with a usable unit mapping, its physical equivalent.
    void updateTimeDock();
    // State label and the transport buttons; Measure and Collapse also off
    // while editing, with an empty psi and in a Dirac mode.
    void updateTransportUi();
    // Packet kinetic energy label and its tooltip.
    void updateEnergyTooltip();
    // A timed status message (0: until the next message).
    void showStatusMessage(const QString& text, int timeoutMs);
    // dx / dy label, absorbing-layer controls, then the domain-dependent ranges.
    void updateDomainSpacingLabel();
    // Position and size ranges of the spin boxes and the collapse-resolution minimum.
    void updateDomainSpinRanges(const SimulationDomain2D& domain);
    // Detector controls' enabled states and the measurement texts of the mode.
    void updateMeasurementModeTexts();
    // Preset summary and guides (with the real-world scale) into the help dock.
    void updateHelpTexts(int presetIndex);
    // lastCollapse cleared and the three collapse labels "--".
    void clearCollapseReadout();

    // --- Experiment panels ---------------------------------------------------------------
    // Activity test, hint or summary, diagnostics row, plot fed with copies or
    // a pointer to the recorder.

    void updateScatteringPanel();
    void updateResonancePanel(bool recomputeScans);
    void updateTunnelingDiagnostics();
    void updateDoubleWellPanel();
    void updateQuenchPanel();
    void updatePeriodicDrivePanel();
    void updateRabiPanel();
    void updateLandauZenerPanel();
    void updateStueckelbergPanel(bool recomputeScans);
    void updateRamseyPanel(bool recomputeScans);
    void updateBlochPanel();
    void updateRevivalsPanel();
    void updateBilliardPanel();
    void updateTalbotPanel();
    void updateBouncerPanel();
    void updateVortexPanel();
    void updateAndersonPanel();
    void updateKickedRotorPanel();
    void updateZenoPanel();
    void updateScarsPanel();
    void updateBerryPanel();
    void updateLoschmidtPanel();
    void updateMoshinskyPanel();
    void updateKapitzaDiracPanel();
    void updateBackflowPanel();
    void updateAharonovBohmPanel();
    void updateLandauPanel();
    void updateHallEdgePanel();
    void updateZitterbewegungPanel();
    void updateKleinPanel();
    void updateKleinAngleScanPanel();
    void updateKleinHeightScanPanel();
    void updateKleinMassScanPanel();
    void updateDiracMasslessPanel();
    // formatTime of duration x the time unit of currentScale, or "n/a".
    QString indicativeTimeText(double duration) const;
    // Running maximum of P_right of a configured Klein recorder, else -1.
    double kleinPacketMaximum() const;

    // --- Help -----------------------------------------------------------------------------

    // The Help menu appended to the menu bar.
    void setupHelpMenu();
    // First existing "help" folder beside the program, in the working directory
    // or up to three levels above the program; "help" in the working directory
    // when none exists.
    QString findHelpDirectory() const;
    // Opens a page of the help folder in the browser, else (with dockFallback)
    // the help dock; a status message on failure.
    void openHelpPage(const QString& relativePath, bool dockFallback);
    // Shows and raises the help dock with the focus on its language tabs.
    void showHelpDock();
    // The experiment's constraints page, else the constraints index.
    void openConstraintsHelp();
    // The experiment's physics page, else the help dock.
    void openExperimentPhysicsHelp();
    void openHelpIndex();
    void openGettingStartedHelp();
    void openConventionsHelp();
    void openGlossaryHelp();
    void openReferencesHelp();
    void openLicenseHelp();
    void openThirdPartyHelp();
    void openNumericsHelp();
    // "en" on the English help tab, else "it".
    QString helpLanguage() const;
    // presetSlug of the selected library entry; "unknown_experiment" without it.
    QString experimentHelpId() const;
    // The current parameters as a self-contained HTML page.
    QString buildCurrentParametersHtml() const;
    // Writes the page to the temporary folder and opens it in the browser.
    void openCurrentParametersHelp();

    // --- Members, in construction order ---------------------------------------------------

    const std::unique_ptr<Ui::MainWindow> ui;
    QTimer* runTimer = nullptr;

    ComplexField2D psi;
    PotentialField2D potential;
    PotentialScene potentialScene;
    AbsorbingBoundary2D absorbingBoundary;
    SplitStepFourierSolver2D solver;
    TransportClock transport;
    RealWorldScaleMapping currentScale;
    DetectorTemporalFlux2D detectorFlux;
    ObservableHistory history{4096};
    PotentialContourSet potentialContours;
    ProbabilityContourSet probabilityContours;
    MomentumSpace2D momentumField;

    // Two-level analyses: the bound-state panel's spectrum and the calibrated
    // references of the sweep and Ramsey experiments.
    BoundStateResult boundStates;
    RabiReference rabiReference;
    BoundStateResult sweepBoundStates;
    LandauZenerReference landauZenerReference;
    StueckelbergReference stueckelbergReference;
    std::vector<StueckelbergFringePoint> stueckelbergHoldScan;
    BoundStateResult ramseyBoundStates;
    RamseyReference ramseyReference;
    std::vector<RamseyFringePoint> ramseyFringeScan;
    RamseyEnsembleResult ramseyEnsemble;
    std::vector<RamseyEnsemblePoint> ramseyEnsembleScan;
    DoubleWellConfig doubleWellConfig;
    TwoLevelParameters doubleWellParameters;

    // Experiments sampled once per observation, and what their scene checks found.
    RevivalBoxConfig revivalBox;
    RevivalRecorder revivalRecorder{1200};
    BilliardConfig billiardConfig;
    BilliardRecorder billiardRecorder{1600};
    TalbotRecorder talbotRecorder{1000};
    BouncerConfig bouncerConfig;
    BouncerRecorder bouncerRecorder{1200};
    VortexTrap vortexTrap;
    VortexRecorder vortexRecorder{1400};
    AndersonLattice andersonLattice;
    AndersonRecorder andersonRecorder{1200};
    BlochLatticeConfig blochLattice;

    // Every stored settings record and initial state (see the class comment).
    ExperimentSettingsRecords stored;

    KickedRotorRecorder kickedRotorRecorder{220};
    std::uint64_t kickCount = 0;
    ZenoRecorder zenoRecorder{1800};
    std::uint64_t zenoMeasurementCount = 0;
    double zenoSurvival = 1.0;
    StadiumGeometry stadiumGeometry;
    ScarRecorder scarRecorder{1600};
    BerryTrap berryTrap;
    BerryRecorder berryRecorder{1200};
    LoschmidtRecorder loschmidtRecorder{1600};
    bool loschmidtReversed = false;
    MoshinskyRecorder moshinskyRecorder{520};
    KapitzaDiracRecorder kapitzaDiracRecorder{320};

    GaugeLinkField2D aharonovBohmLinks;
    AharonovBohmRecorder aharonovBohmRecorder{320};
    bool aharonovBohmLinksReady = false;
    GaugeLinkField2D landauLinks;
    LandauRecorder landauRecorder{420};
    bool landauLinksReady = false;
    GaugeLinkField2D hallEdgeLinks;
    HallEdgeRecorder hallEdgeRecorder{360};
    bool hallEdgeLinksReady = false;
    BackflowRecorder backflowRecorder{420};

    DiracSpinor2D diracSpinor;
    DiracSplitStepSolver2D diracSolver;
    DiracZitterbewegungRecorder zitterbewegungRecorder{640};
    DiracKleinRecorder kleinRecorder{800};

    // The protocol appliers: each holds its own run state (armed or fired,
    // current value, stage, loop or pulse) between the steps.
    QuenchApplier quenchApplier;
    DriveApplier<PeriodicDrive> periodicDriveApplier;
    DriveApplier<LinearSweep> linearSweepApplier;
    DriveApplier<RamseySequence> ramseyApplier;
    BerryLoopApplier berryLoopApplier;
    MoshinskyShutterApplier moshinskyShutterApplier;
    KapitzaDiracPulseApplier kapitzaDiracPulseApplier;

    InitialPreparationType preparationType = InitialPreparationType::Gaussian;
    std::int32_t boundStateA = 0;
    std::int32_t boundStateB = 3;
    double boundRelativePhase = 1.5707963267948966; // radians

    std::uint64_t momentumFieldStep = kNoCacheKey;
    double momentumFieldTime = -1.0;
    std::uint64_t potentialContourRevision = kNoCacheKey;
    std::int32_t potentialContourLevels = 0;

    // Scattering and resonance bookkeeping of the barrier panels.
    bool legacyCollisionStarted = false;
    bool legacyPacketSeparated = false;
    bool resonanceCollisionStarted = false;
    bool resonancePacketSeparated = false;
    double maxCavityProbability = 0.0;
    bool packetTransmissionRecorded = false;
    double packetTransmission = 0.0;
    ResonanceScanIndex resonanceSweepKind = ResonanceScanIndex::Energy;
    double resonanceSweepPeakX = 0.0;
    double resonanceSweepPeakT = 0.0;

    std::vector<MeasurementShot> measurementHits;
    std::uint64_t lastMeasurementCount = 0;
    CollapseRecord lastCollapse;

    bool persistGuiState = false;
    // The form's window size, the default where the screen has room for it.
    QSize formWindowSize;
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
    const auto recorders =
        std::tie(revivalRecorder, billiardRecorder, talbotRecorder, bouncerRecorder, vortexRecorder,
                 andersonRecorder, kickedRotorRecorder, zenoRecorder, scarRecorder, berryRecorder, loschmidtRecorder,
                 moshinskyRecorder, kapitzaDiracRecorder, aharonovBohmRecorder, landauRecorder, hallEdgeRecorder,
                 backflowRecorder, zitterbewegungRecorder, kleinRecorder);
    return std::get<const Recorder&>(recorders);
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
