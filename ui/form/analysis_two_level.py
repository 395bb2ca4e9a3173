"""Analysis pages 3 to 9: the coherent double well and the experiments that
drive a potential object in time (quench, periodic drive, Rabi, Landau-Zener,
Stueckelberg, Ramsey). Each page shows a summary and its plot; the Ramsey page
adds an analysis-only ensemble of detuned two-level systems, which averages
the reference model and never touches psi."""

from builder import check_box, double_spin_box, group_box, hbox, hspacer, label, spin_box
from ranges import box_range, box_spec

from analysis_page import analysis_page, plot_widget, summary_label

# (stem, title, plot class, summary hint) in stack order: the page <stem>Tab
# holds <stem>SummaryLabel and <stem>PlotWidget.
PAGES = [
    ("doubleWell", "Double well", "QuantumDoubleWellPlotWidget",
     "Load the coherent double-well experiment to compare P_left and P_right."),
    ("quench", "Quench", "QuantumQuenchPlotWidget",
     "Load Quantum Quench to watch a stationary state become dynamical when H changes."),
    ("periodicDrive", "Periodic drive", "QuantumDrivePlotWidget",
     "Load a Driven Harmonic Trap preset to compare bounded response and resonant energy absorption."),
    ("rabi", "Rabi", "QuantumRabiPlotWidget",
     "Load a Driven Double Well preset to project the full 2D state onto its two lowest stationary levels."),
    ("landauZener", "Landau-Zener", "QuantumLandauZenerPlotWidget",
     "Load a Landau-Zener sweep preset to compare adiabatic following with diabatic passage."),
    ("stueckelberg", "Stueckelberg", "QuantumStueckelbergPlotWidget",
     "Load a Landau-Zener-Stueckelberg preset to cross the same avoided crossing twice and observe "
     "phase-dependent recombination."),
    ("ramsey", "Ramsey", "QuantumRamseyPlotWidget",
     "Load a Ramsey preset to convert free phase accumulation into final state population."),
]


def ramsey_ensemble_group():
    row = hbox("ramseyEnsembleLayout", [
        check_box("ramseyEnsembleEnabledCheckBox", "Enable ensemble",
                  toolTip="Average a Gaussian distribution of static transition-frequency offsets. This affects only "
                          "the Ramsey diagnostic model, never psi."),
        label("ramseyEnsembleSigmaLabel", "sigma detuning"),
        double_spin_box("ramseyEnsembleSigmaSpinBox", *box_spec("ramseyEnsembleSigmaSpinBox"), 0.01, 0.06,
                        toolTip="Standard deviation of the static angular-frequency offset delta omega for the "
                                "virtual ensemble."),
        label("ramseyEnsembleMembersLabel", "Members"),
        # Steps of 2 keep the count odd: the evenly spaced detunings then include 0.
        spin_box("ramseyEnsembleMembersSpinBox", *box_range("ramseyEnsembleMembersSpinBox"), 2, 41,
                 toolTip="Number of Gaussian detuning samples used for the analysis-only ensemble average."),
        hspacer(20, 20),
        label("ramseyEnsembleHintLabel", "analysis only - psi remains one nominal system", word_wrap=True),
    # Spacing 4: at the default 6 the row is a few pixels wider than the
    # analysis dock a 1024 px screen leaves, and the page would scroll sideways.
    ], margins=(6, 4, 6, 4), spacing=4)
    return group_box("ramseyEnsembleGroupBox", "Diagnostic ensemble - static detuning", row,
                     toolTip="Analysis-only ensemble. It averages independent two-level reference systems with fixed "
                             "transition-frequency offsets and never changes the real 2D wavefunction.")


def pages():
    """The seven pages, in stack order."""
    return [analysis_page("%sTab" % stem, title, plot_widget("%sPlotWidget" % stem, plot),
                          summary=summary_label("%sSummaryLabel" % stem, hint),
                          controls=[ramsey_ensemble_group()] if stem == "ramsey" else [])
            for stem, title, plot, hint in PAGES]
