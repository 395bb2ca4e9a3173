"""The two tabs of the analysis dock: the live cross section, and the
experiment analysis tab with its page selector and the stack of 34 analysis
pages.

The stack order is a contract: guided experiments name their page by its
index, the selector's item index is the page index, and the saved window
state keeps the selector's index. The first three pages (time series,
resonance, bound states) are built here; the others come from their helper
modules, in stack order."""

from builder import (BOLD, CONSOLAS, Enum, SizePolicy, check_box, combo_box, double_spin_box, hbox, hspacer, label,
                     page, push_button, scroll_area, spin_box, stacked_widget, vbox)

import analysis_berry_to_dirac
import analysis_bloch_to_scars
import analysis_two_level
from analysis_page import analysis_page, plot_widget, summary_label


def cross_section_tab():
    """crossSectionTab, the first analysis tab ("Cross-section")."""
    controls = hbox("crossSectionControlsLayout", [
        label("crossSectionAxisLabel", "Section"),
        combo_box("crossSectionAxisComboBox", ["Horizontal: vary X", "Vertical: vary Y"],
                  toolTip="Choose whether the section varies along X at fixed Y, or along Y at fixed X."),
        label("crossSectionPositionLabel", "Fixed Y"),
        double_spin_box("crossSectionPositionSpinBox", 3, -1000, 1000, 0.08),
        label("crossSectionActualCaptionLabel", "Grid:"),
        label("crossSectionActualValueLabel", "Y = 0.000", font=CONSOLAS),
        hspacer(20, 20),
    ])
    # The curve on a row of its own: one row of all the controls would make
    # the Analysis dock too wide for a 1366 px screen beside the side docks.
    curve = hbox("crossSectionCurveLayout", [
        label("crossSectionCurveLabel", "Curve"),
        combo_box("crossSectionCurveComboBox",
                  ["Probability |psi|^2", "Real Re(psi)", "Imaginary Im(psi)", "Phase arg(psi)"],
                  toolTip="Select the position-space curve. In Momentum space the cross-section is automatically "
                          "|psi_tilde|^2."),
        check_box("crossSectionLineCheckBox", "Show line", checked=True,
                  toolTip="Show the sampled section line in the OpenGL viewport."),
        hspacer(20, 20),
    ])
    plot = plot_widget("crossSectionPlotWidget", "QuantumCrossSectionPlotWidget", on_scrolled_page=False)
    return page("crossSectionTab", vbox("crossSectionTabLayout", [controls, curve, plot], margins=4),
                title="Cross-section")


TIME_SERIES_OBSERVABLES = [
    "Mean X <x>", "Mean Y <y>", "Sigma X", "Sigma Y", "Norm", "Absorbed probability", "Reflection P_R",
    "Transmission P_T", "Kinetic energy <T>", "Potential energy <V>", "Total energy <H>", "Energy drift %",
    "Left well P_L", "Right well P_R",
]


def time_series_page():
    controls = hbox("timeSeriesControlsLayout", [
        label("timeSeriesQuantityLabel", "Observable"),
        combo_box("timeSeriesQuantityComboBox", TIME_SERIES_OBSERVABLES, sizePolicy=SizePolicy("Preferred", "Preferred"),
                  toolTip="Plot a global observable as a function of physical simulation time."),
        hspacer(20, 20),
        label("timeSeriesSampleCountLabel", "0 samples", font=CONSOLAS),
        push_button("clearTimeSeriesButton", "Clear history",
                    toolTip="Clear the observable time history without resetting the simulation."),
    ])
    return analysis_page("timeSeriesTab", "Time series",
                         plot_widget("timeSeriesPlotWidget", "QuantumTimeSeriesPlotWidget"), controls=[controls])


def resonance_page():
    controls = hbox("resonanceControlsLayout", [
        label("resonanceScanModeLabel", "Scan"),
        combo_box("resonanceScanModeComboBox", ["Energy Ex", "Cavity width"],
                  toolTip="Choose whether the stationary 1D reference scans packet longitudinal energy or central "
                          "cavity width."),
        label("resonanceScanMinLabel", "Min"),
        double_spin_box("resonanceScanMinSpinBox", 3, 0.001, 100, 0.1, 0.5,
                        toolTip="Lower bound of the stationary resonance sweep."),
        label("resonanceScanMaxLabel", "Max"),
        double_spin_box("resonanceScanMaxSpinBox", 3, 0.002, 100, 0.1, 6,
                        toolTip="Upper bound of the stationary resonance sweep."),
        hspacer(20, 20),
    ])
    # Two rows, so that the page fits the Analysis dock beside the side docks
    # on a 1366 px screen.
    points = hbox("resonanceScanPointsLayout", [
        label("resonanceScanPointsLabel", "Points"),
        spin_box("resonanceScanPointsSpinBox", 32, 2001, value=401,
                 toolTip="Number of samples used for the fast stationary reference sweep."),
        push_button("resonanceRefreshButton", "Refresh",
                    toolTip="Recompute the stationary double-barrier transmission curve from the current Potential "
                            "Scene."),
        hspacer(20, 20),
    ])
    # Live figures, wrapped where the dock is narrower than their line: one
    # unwrapped line would widen the page past a 1366 px screen's dock.
    summary = summary_label("resonanceSummaryLabel", "Build/enable exactly two Barrier objects in Potential Scene.",
                            sizePolicy=SizePolicy("Preferred", "Preferred"),
                            toolTip="Live double-barrier geometry, stationary reference at the current packet energy "
                                    "and numerical packet probabilities.")
    return analysis_page("resonanceTab", "Resonance", plot_widget("resonancePlotWidget", "QuantumResonancePlotWidget"),
                         summary=summary, controls=[controls, points])


def bound_states_page():
    compute = hbox("boundStateComputeLayout", [
        label("boundMaxStatesLabel", "Low states"),
        spin_box("boundMaxStatesSpinBox", 1, 8, value=5,
                 toolTip="Maximum number of low-lying bound eigenstates extracted below the edge continuum."),
        push_button("boundComputeButton", "Compute states",
                    toolTip="Extract stationary X eigenmodes for a potential that is invariant along Y."),
        hspacer(20, 20),
    ])
    # Each action on a row of its own, so that the page fits the Analysis
    # dock beside the side docks on a 1366 px screen.
    select = hbox("boundStateSelectLayout", [
        label("boundStateSelectLabel", "Selected"),
        combo_box("boundStateComboBox", [],
                  toolTip="Select one computed bound eigenstate. The plot shows its node structure around the "
                          "corresponding energy line."),
        push_button("boundPrepareEigenButton", "Prepare eigenstate",
                    toolTip="Replace psi with the selected stationary eigenstate and restart from t=0."),
        hspacer(20, 20),
    ])
    superposition = hbox("boundSuperpositionLayout", [
        label("boundSuperpositionLabel", "Superposition"),
        combo_box("boundSuperpositionAComboBox", []),
        label("boundPlusLabel", "+"),
        combo_box("boundSuperpositionBComboBox", []),
        hspacer(20, 20),
    ])
    phase = hbox("boundSuperpositionPhaseLayout", [
        label("boundPhaseLabel", "Relative phase"),
        double_spin_box("boundRelativePhaseSpinBox", 1, -180, 180, 15, 90, suffix=" deg",
                        toolTip="Relative phase of the second eigenstate at t=0."),
        push_button("boundPrepareSuperpositionButton", "Prepare superposition",
                    toolTip="Prepare an equal coherent superposition of the two selected bound states."),
        hspacer(20, 20),
    ])
    summary = summary_label("boundSummaryLabel",
                            "Use a confining potential that is invariant along Y, then Compute states.")
    return analysis_page("boundStatesTab", "Bound states",
                         plot_widget("boundStatePlotWidget", "QuantumBoundStatePlotWidget"),
                         summary=summary, controls=[compute, select, superposition, phase])


def experiment_analysis_tab():
    """experimentAnalysisTab, the second analysis tab ("Experiment Analysis")."""
    header = hbox("analysisPageHeaderLayout", [
        label("analysisPageTitleLabel", "Experiment Analysis", font=BOLD),
        # Filled by the main window with the page titles, in stack order.
        combo_box("analysisPageComboBox", [],
                  toolTip="Select any experiment-specific analysis page. Guided presets choose the relevant page "
                          "automatically."),
    ])
    pages = ([time_series_page(), resonance_page(), bound_states_page()] + analysis_two_level.pages()
             + analysis_bloch_to_scars.pages() + analysis_berry_to_dirac.pages())
    stack = stacked_widget("analysisStackedWidget", pages, current=0)
    # A dock shorter than a page scrolls the page instead of squeezing its
    # plot; the main window sizes the stack to its current page.
    area = scroll_area("analysisScrollArea", stack, frameShape=Enum("QFrame::NoFrame"), widgetResizable=False)
    # No margins: the pages keep their own, and on a 768-line screen each
    # pixel of the dock's height goes to the page's figure.
    return page("experimentAnalysisTab", vbox("experimentAnalysisTabLayout", [header, area], margins=0, spacing=4),
                title="Experiment Analysis")
