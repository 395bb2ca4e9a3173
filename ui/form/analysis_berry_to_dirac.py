"""Analysis pages 20 to 33, from the Berry phase to the massless Dirac
comparison: geometric phase, time reversal, diffraction in time, matter-wave
diffraction, the magnetic experiments, backflow, and the Dirac packets with
their stationary transmission scans. Each page has a tutor text, a summary and
its plot; their layouts have the 4 px margins of the earlier pages (the
toolkit's 9 px took from the figure what a 768-line screen's analysis dock
cannot spare)."""

from builder import CONSOLAS, SizePolicy

from analysis_page import analysis_page, plot_widget, summary_label, tutor_label

# (prefix, title, plot class, tutor text, summary hint) in stack order: the
# page <prefix>Tab holds <prefix>TutorLabel, <prefix>SummaryLabel and
# <prefix>PlotWidget.
PAGES = [
    ("berry", "Berry Phase", "QuantumBerryPhasePlotWidget",
     "A cyclic Hamiltonian can return to exactly the same potential while its eigenstate acquires a geometric phase. "
     "Here the full 2D wavefunction is parallel-transported numerically; no auxiliary two-level dynamics replaces "
     "psi.",
     "Load the Berry Phase / Geometric Phase preset."),
    ("loschmidt", "Loschmidt", "QuantumLoschmidtPlotWidget",
     "Time reversal leaves density unchanged at the reversal instant but flips phase flow. The full 2D state should "
     "reconstruct near 2T when the Hamiltonian is real, closed and unchanged.",
     "Load the Loschmidt Echo / Quantum Time Reversal preset."),
    ("moshinsky", "Diffraction in Time", "QuantumMoshinskyPlotWidget",
     "A sharp temporal release produces Fresnel-like oscillations in a matter wave. The map is the true "
     "x-marginal density versus simulation time; the trace is the probability signal at a fixed downstream "
     "detector.",
     "Load the Moshinsky Shutter / Diffraction in Time preset."),
    ("kapitzaDirac", "Kapitza-Dirac", "QuantumKapitzaDiracPlotWidget",
     "A standing light wave acts as a diffraction grating for matter. The map is the measured p_x "
     "distribution versus time; the bars are the integrated populations of the discrete orders nG.",
     "Load the Kapitza-Dirac Diffraction / Optical Standing Wave preset."),
    ("aharonovBohm", "Aharonov-Bohm", "QuantumAharonovBohmPlotWidget",
     "The matter wave never enters the magnetic-field region. The detector profile nevertheless shifts with "
     "enclosed flux because the two paths acquire the gauge-invariant phase difference q Phi / hbar.",
     "Load the Aharonov-Bohm Effect / Magnetic Flux preset."),
    ("landau", "Landau", "QuantumLandauPlotWidget",
     "A uniform magnetic field produces both cyclotron motion and quantized Landau energies. The orbit panel follows "
     "the real expectation-value orbit; the trace panel compares gauge-covariant energy and survival fidelity.",
     "Load the Landau Levels / Cyclotron Dynamics preset."),
    ("hallEdge", "Hall Edge", "QuantumHallEdgePlotWidget",
     "A uniform magnetic field plus a confining boundary converts closed cyclotron motion into a chiral skipping "
     "trajectory. The path panel is the real expectation-value path; the traces follow edge-strip probability and "
     "longitudinal drift.",
     "Load the Quantum Hall Edge State / Chiral Skipping Orbit preset."),
    ("backflow", "Backflow", "QuantumBackflowPlotWidget",
     "Every p_x <= 0 Fourier bin is zero, yet interference can drive local probability through the detector toward "
     "-X. The current trace and P(left) provide two independent signatures of the same backflow interval.",
     "Load the Quantum Backflow / Positive Momentum, Negative Current preset."),
    ("zitter", "Zitterbewegung", "QuantumZitterbewegungPlotWidget",
     "A free Dirac packet can tremble because positive- and negative-energy branches interfere. The position panel "
     "follows <x(t)> and a secular-drift residual; the velocity panel shows the Dirac velocity <v_x>=c<sigma_x>. "
     "Switch to the positive-energy control to suppress the effect.",
     "Load the Zitterbewegung / Free Dirac Wave Packet preset."),
    ("klein", "Klein Tunneling", "QuantumKleinTunnelingPlotWidget",
     "A positive-energy Dirac packet meets a scalar barrier higher than its incident energy. The graph tracks "
     "probability left of, inside, and right of the barrier. In the supercritical Klein zone, near-normal incidence "
     "can remain strikingly transparent.",
     "Load the Klein Tunneling / Supercritical Dirac Barrier preset."),
    ("kleinAngleScan", "Klein Angle Scan", "QuantumKleinAngleScanPlotWidget",
     "Step 51: the cyan curve is the stationary plane-wave transmission T(theta) of the same two-component Dirac "
     "Hamiltonian and square scalar barrier, scanned at fixed |p|. Press Play to evolve the finite 2D packet: the "
     "red marker reports its running max P_right at the currently selected angle. Differences are expected because "
     "the packet has finite momentum bandwidth, finite spatial extent and absorbing boundaries.",
     "Load the Klein Transmission vs Incidence Angle preset."),
    ("kleinHeightScan", "Klein V0 Scan", "QuantumKleinHeightScanPlotWidget",
     "Step 52: the cyan curve is the stationary plane-wave transmission T(V0) of the same Dirac square barrier while "
     "only the barrier height changes. The shaded regions identify positive-branch propagation, the narrow "
     "evanescent window, and the supercritical Klein regime. The yellow marker is the current stationary reference; "
     "after Play, the red marker shows the finite 2D packet max P_right.",
     "Load the Klein Transmission vs Barrier Height preset."),
    ("kleinMassScan", "Klein Mass Scan", "QuantumKleinMassScanPlotWidget",
     "Step 53: the cyan curve is stationary T(m) at fixed TOTAL incident energy and fixed angle. For every mass the "
     "reference automatically changes |p| so E remains constant. As m approaches zero the Dirac gap 2mc^2 closes and "
     "normal-incidence Klein transmission approaches unity; increasing m eventually opens an evanescent gap. The "
     "yellow marker is the active stationary reference; after Play, red shows the finite 2D packet max P_right.",
     "Load the Klein Transmission vs Mass preset."),
    ("diracMassless", "Massless Dirac", "QuantumDiracMasslessComparisonPlotWidget",
     "Step 54: m=0 is now exact. Cyan is stationary T(theta) for the massless two-component Dirac Hamiltonian; "
     "violet is an m=0.8 control at the SAME total energy and through the SAME barrier. At normal incidence the "
     "massless reference reaches T=1 because momentum-locked pseudospin suppresses scalar-barrier backscattering. "
     "This is a graphene-like Dirac analogue, not a full graphene material model. After Play, red shows the finite "
     "massless packet max P_right.",
     "Load the Massless Dirac / Graphene-like Klein Analogue preset."),
]

def pages():
    """The fourteen pages, in stack order. The Berry summary keeps the inherited
    font; the long massless tutor text takes only the height it needs."""
    return [analysis_page("%sTab" % x, title, plot_widget("%sPlotWidget" % x, plot),
                          tutor=tutor_label("%sTutorLabel" % x, tutor,
                                            sizePolicy=SizePolicy("Preferred", "Minimum") if x == "diracMassless"
                                            else None),
                          summary=summary_label("%sSummaryLabel" % x, hint, font=None if x == "berry" else CONSOLAS))
            for x, title, plot, tutor, hint in PAGES]
