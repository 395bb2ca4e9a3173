"""Analysis pages 10 to 19, from Bloch oscillations to quantum scars. Each
page has a fixed tutor text, a summary and its plot; the kicked-rotor, Zeno
and scars pages add a row of analysis parameters with an "Apply / Reset"
button. Their spin boxes hold fields of the experiments' settings records,
which documents store in the records' own objects, not by object name."""

from builder import double_spin_box, hbox, hspacer, label, push_button

from analysis_page import analysis_page, plot_widget, summary_label, tutor_label
from ranges import box_spec

# A row of analysis parameters: the layout, the (stem, label text, step,
# default, tooltip) of each <stem>Label and <stem>SpinBox, and the apply
# button with its tooltip. The boxes' ranges and decimals are the settings
# ranges.
KICKED_ROTOR_CONTROLS = ("kickedRotorControlsLayout", [
    ("kickedRotorStrength", "Kick k=K/hbar", 0.25, 6,
     "Dimensionless phase impulse in exp[-i k cos(theta)]. Larger k increases the underlying classical chaos and "
     "momentum diffusion."),
    ("kickedRotorPeriod", "Kick period T", 0.1, 1,
     "Simulation-time interval between ideal delta kicks. Apply / Reset restarts the experiment with the new Floquet "
     "period."),
], "kickedRotorApplyButton",
    "Apply kick strength and period, then restart the kicked-rotor experiment from its initial momentum mode.")

ZENO_CONTROLS = ("zenoControlsLayout", [
    ("zenoMeasurementPeriod", "Measurement dt", 0.02, 0.1,
     "Simulation-time interval between repeated survival measurements in the watched lane. Smaller intervals "
     "strengthen Zeno inhibition. Apply / Reset restarts from the identical initial state."),
], "zenoApplyButton",
    "Apply the measurement interval and restart the watched-escape experiment from its initial dual-lane state.")

# The filter energy reaches down to 0, the record's "use the packet's energy",
# so that a stored 0 survives a document round trip; the box then says so.
SCAR_CONTROLS = ("scarsControlsLayout", [
    ("scarEnergy", "Filter energy E", 0.25, 9.5,
     "Energy used in the finite-time spectral projection Phi_E ~ integral psi(t) exp(+i E t/hbar) dt. Apply / Reset "
     "restarts accumulation from the same initial packet."),
    ("scarBand", "Orbit half-band", 0.1, 0.8,
     "Half-width of the band around the horizontal axial periodic orbit used to compute scar enhancement."),
], "scarApplyButton",
    "Apply spectral energy and orbit-band width, then restart the stadium experiment and spectral accumulation.")

SPECIAL_VALUE_TEXTS = {"scarEnergySpinBox": "Packet energy"}


def controls_row(controls):
    layout_name, fields, button, button_tip = controls
    items = []
    for stem, text, step, value, tip in fields:
        spin = "%sSpinBox" % stem
        items += [label("%sLabel" % stem, text),
                  double_spin_box(spin, *box_spec(spin), step, value, toolTip=tip,
                                  specialValueText=SPECIAL_VALUE_TEXTS.get(spin))]
    items += [push_button(button, "Apply / Reset", toolTip=button_tip), hspacer(40, 20)]
    return hbox(layout_name, items)


# (page, title, tutor label, summary label, plot widget, plot class, tutor
# text, summary hint, controls) in stack order.
PAGES = [
    ("blochTab", "Bloch", "blochTutorLabel", "blochSummaryLabel", "blochPlotWidget", "QuantumBlochPlotWidget",
     "Periodic lattice + constant force: compare the actual 2D packet centre with quasimomentum folded into the "
     "first Brillouin zone.",
     "Load the Bloch Oscillations preset.", None),
    ("revivalsTab", "Revivals", "revivalTutorLabel", "revivalSummaryLabel", "revivalPlotWidget",
     "QuantumRevivalPlotWidget",
     "Finite 2D quantum box: watch a localized packet disperse into interference structure, form fractional "
     "revivals and reconstruct. The carpet is built from the actual x-marginal of psi.",
     "Load the Wave-Packet Revivals preset.", None),
    ("billiardsTab", "Billiards", "billiardTutorLabel", "billiardSummaryLabel", "billiardPlotWidget",
     "QuantumBilliardPlotWidget",
     "Quantum billiards: compare an integrable rectangle with a Sinai geometry containing a circular scatterer. The "
     "wavefunction remains unitary; the chaotic label belongs to the corresponding classical billiard.",
     "Load a Rectangular or Sinai Billiard preset.", None),
    ("talbotTab", "Talbot", "talbotTutorLabel", "talbotSummaryLabel", "talbotPlotWidget", "QuantumTalbotPlotWidget",
     "Periodic matter-wave comb in free propagation: fractional images appear, the density returns shifted by a/2 "
     "at half Talbot time, and reconstructs at one full Talbot time.",
     "Load the Quantum Talbot Self-Imaging preset.", None),
    ("bouncerTab", "Bouncer", "bouncerTutorLabel", "bouncerSummaryLabel", "bouncerPlotWidget",
     "QuantumBouncerPlotWidget",
     "Quantum bouncer: a wave packet falls in a linear potential, reflects from a hard floor, and develops coherent "
     "Airy-scale interference. Compare the real quantum mean height with an ideal elastic classical bounce.",
     "Load the Quantum Bouncer / Airy Dynamics preset.", None),
    ("vortexTab", "Vortex", "vortexTutorLabel", "vortexSummaryLabel", "vortexPlotWidget", "QuantumVortexPlotWidget",
     "Quantum vortex: an off-axis zero of psi carries a 2 pi phase winding and circulating probability current. In "
     "the isotropic harmonic trap the singularity precesses around the centre while angular momentum remains "
     "conserved.",
     "Load the Quantum Vortex / Angular Momentum preset.", None),
    ("andersonTab", "Anderson", "andersonTutorLabel", "andersonSummaryLabel", "andersonPlotWidget",
     "QuantumAndersonPlotWidget",
     "Anderson localization: two identical initial packets evolve simultaneously in two uncoupled lattice lanes. "
     "The upper row of the viewport is periodic; the lower row has random on-site well depths. Coherent multiple "
     "scattering suppresses transport in the disordered lane.",
     "Load the Anderson Localization / Clean vs Disorder preset.", None),
    ("kickedRotorTab", "Kicked Rotor", "kickedRotorTutorLabel", "kickedRotorSummaryLabel", "kickedRotorPlotWidget",
     "QuantumKickedRotorPlotWidget",
     "Quantum kicked rotor: periodic unitary kicks drive momentum diffusion. In the chaotic regime the classical "
     "standard map keeps diffusing, while quantum interference can stop the growth and dynamically localize the "
     "momentum distribution.",
     "Load the Quantum Kicked Rotor / Dynamical Localization preset.", KICKED_ROTOR_CONTROLS),
    ("zenoTab", "Zeno", "zenoTutorLabel", "zenoSummaryLabel", "zenoPlotWidget", "QuantumZenoPlotWidget",
     "Quantum Zeno effect: upper lane of the viewport = unmeasured metastable escape; lower lane = the same escape "
     "repeatedly tested for survival. Frequent accepted measurements suppress the buildup of escape amplitude. The watched lane is "
     "renormalized only for display of the conditional state; cumulative physical survival is tracked separately.",
     "Load the Quantum Zeno Effect / Watched Escape preset.", ZENO_CONTROLS),
    ("scarsTab", "Scars", "scarsTutorLabel", "scarSummaryLabel", "scarPlotWidget", "QuantumScarPlotWidget",
     "Quantum scars: a classically chaotic stadium can support spectral components with excess quantum intensity "
     "along an unstable classical periodic orbit. The map below is a finite-time spectral projection of the already "
     "evolved full 2D psi, not a second dynamics engine.",
     "Load the Quantum Scars / Chaotic Stadium Billiard preset.", SCAR_CONTROLS),
]


def pages():
    """The ten pages, in stack order."""
    return [analysis_page(name, title, plot_widget(plot, plot_class), summary=summary_label(summary, hint),
                          tutor=tutor_label(tutor, tutor_text), controls=[controls_row(controls)] if controls else [])
            for name, title, tutor, summary, plot, plot_class, tutor_text, hint, controls in PAGES]
