"""The Experiment tab of the controls dock: its three sub-tabs (Setup here,
Potential from potential, Dynamics from dynamics) and the Setup page with the
experiment library and the simulation universe."""

from builder import (Enum, Span, SizePolicy, combo_box, double_spin_box, form_layout, group_box, hbox,
                     hspacer, label, page, push_button, tab_widget, vbox, vspacer)

import dynamics
import potential
from ranges import DEFAULT_UNIVERSE

# The first 25 guided experiments of the catalogue, in catalogue order; the
# main window replaces them with the whole catalogue at construction.
PRESET_TITLES = [
    "Free Wave Packet",
    "Barrier Scattering (E > V0)",
    "Quantum Tunneling (E < V0)",
    "Single Slit Diffraction",
    "Double Slit Interference",
    "Circular Obstacle Scattering",
    "Wedge Diffraction",
    "Resonant Tunneling (Double Barrier)",
    "Harmonic Trap (Coherent Motion)",
    "Gaussian Well (Breathing State)",
    "Finite Quantum Well (Bound States)",
    "Measurement Collapse (Single System)",
    "Coherent Tunneling (Double Well)",
    "Quantum Quench (Trap Stiffness)",
    "Driven Harmonic Trap (Off Resonance)",
    "Driven Harmonic Trap (Resonance)",
    "Driven Double Well (Off Resonance)",
    "Driven Double Well (Rabi Resonance)",
    "Landau-Zener Sweep (Fast / Diabatic)",
    "Landau-Zener Sweep (Adiabatic)",
    "Landau-Zener-Stueckelberg (Constructive)",
    "Landau-Zener-Stueckelberg (Destructive)",
    "Ramsey Interferometry (Transfer Fringe)",
    "Ramsey Interferometry (Return Fringe)",
    "Hahn Echo (Phase Refocusing)",
]


def library_group():
    row = hbox("horizontalLayout", [
        label("experimentPresetLabel", "Preset", sizePolicy=SizePolicy("Fixed", "Preferred"),
              alignment="Qt::AlignRight|Qt::AlignTrailing|Qt::AlignVCenter"),
        # Not as wide as the longest title: the Controls dock keeps a width
        # that fits a 1366 px screen; the open list shows every title whole.
        combo_box("experimentPresetComboBox", PRESET_TITLES, current=2,
                  sizePolicy=SizePolicy("Expanding", "Fixed"),
                  sizeAdjustPolicy=Enum("QComboBox::AdjustToMinimumContentsLengthWithIcon"),
                  minimumContentsLength=24,
                  toolTip="Choose a guided experiment. Press Load experiment to apply its complete starting "
                          "configuration."),
    ])
    load_row = hbox("horizontalLayout_2", [
        hspacer(40, 20),
        push_button("loadExperimentButton", "Load experiment",
                    toolTip="Load the selected guided experiment. All parameters remain editable afterwards."),
    ])
    description = label(
        "experimentPresetDescriptionLabel",
        "The packet meets a barrier higher than its central longitudinal kinetic energy.", word_wrap=True,
        toolTip="Short description of the selected guided experiment. The detailed tutor is in the Physics Help "
                "dock.")
    return group_box("experimentLibraryGroupBox", "Experiment Library",
                     vbox("verticalLayout_5", [row, load_row, description]))


def domain_group():
    rows = [
        (label("universeWidthLabel", "Universe X"),
         double_spin_box("universeWidthSpinBox", 2, 10.24, 81.92, 10.24, DEFAULT_UNIVERSE,
                         toolTip="Physical width of the simulated universe. Larger values delay periodic FFT "
                                 "wrap-around.")),
        (label("universeHeightLabel", "Universe Y"),
         double_spin_box("universeHeightSpinBox", 2, 10.24, 81.92, 10.24, DEFAULT_UNIVERSE,
                         toolTip="Physical height of the simulated universe.")),
        (label("gridResolutionLabel", "Grid"),
         combo_box("gridResolutionComboBox", ["256 x 256", "512 x 512", "1024 x 1024"], current=1,
                   toolTip="FFT grid resolution. 512 x 512 preserves dx=0.08 for a 40.96 x 40.96 universe. "
                           "1024 x 1024 is substantially more expensive.")),
        (label("domainSpacingCaptionLabel", "dx / dy"),
         label("domainSpacingValueLabel", "0.0800 / 0.0800")),
        (label("domainBoundaryCaptionLabel", "Boundary"),
         combo_box("boundaryModeComboBox", ["Periodic (FFT)", "Absorbing layer (CAP)"], current=1,
                   toolTip="Periodic keeps the native FFT boundary. Absorbing adds a smooth complex absorbing "
                           "layer that suppresses wrap-around.")),
        (label("absorbingWidthLabel", "Layer width"),
         double_spin_box("absorbingWidthSpinBox", 2, 0.05, 0.35, 0.01, 0.15,
                         toolTip="Fraction of each axis used by the absorbing layer on every edge. 0.15 means 15 "
                                 "percent per side.")),
        (label("absorbingStrengthLabel", "CAP strength"),
         double_spin_box("absorbingStrengthSpinBox", 2, 0.5, 30.0, 0.5, 8.0,
                         toolTip="Absorption rate eta. Larger values damp faster near the boundary; values that "
                                 "are too large can increase numerical reflection.")),
        Span(label("domainHintLabel",
                   "Absorbing boundaries suppress FFT wrap-around by damping only the peripheral layer. Norm loss "
                   "is then intentional: it represents probability leaving the simulated region.",
                   word_wrap=True)),
    ]
    return group_box("domainGroupBox", "Simulation Universe", form_layout("domainFormLayout", rows))


def setup_page():
    return page("experimentSetupPage", vbox("experimentSetupLayout", [
        library_group(),
        domain_group(),
        vspacer(0, 0),
    ], margins=4), title="Setup")


def experiment_tab():
    tabs = tab_widget("experimentSubTabWidget", [
        setup_page(),
        potential.potential_page(),
        dynamics.dynamics_page(),
    ], current=0, document_mode=True)
    return page("experimentTab", vbox("experimentTabLayout", [tabs], margins=3), title="Experiment")
