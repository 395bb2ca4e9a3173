"""Pages 5 to 14 of the Dynamics sub-tab, one experiment each: the Berry
loop, Loschmidt echo, Moshinsky shutter and Kapitza-Dirac pulse, which act at
programmed times; the Aharonov-Bohm, Landau and Hall-edge gauge-field
experiments; the backflow state and the two Dirac-spinor experiments. The
last six pages carry an "Apply / Reset" button."""

from builder import check_box, combo_box, spin_box

from dynamics_shapes import experiment_page, hint, spin
from ranges import box_range, box_spec


def berry_page():
    # No control of this page has a tooltip.
    rows = [
        ("berryAnisotropyLabel", "Anisotropy A", spin("berryAnisotropySpinBox", *box_spec("berryAnisotropySpinBox"), 0.025, 0.35)),
        ("berryStartTimeLabel", "Start time", spin("berryStartTimeSpinBox", *box_spec("berryStartTimeSpinBox"), 1, 0)),
        ("berryDurationLabel", "Loop duration", spin("berryDurationSpinBox", *box_spec("berryDurationSpinBox"), 10, 240.0)),
        ("berryWindingLabel", "Winding", combo_box("berryWindingComboBox", ["+1 (CCW)", "-1 (CW)"])),
    ]
    return experiment_page(
        ("berryControlPage", "berryControlLayout", "berryLoopGroupBox", "berryLoopFormLayout"),
        "Berry", "Geometric phase - cyclic quadrupole loop",
        check_box("berryEnabledCheckBox", "Enable Berry loop"), rows,
        hint("berryControlHintLabel",
             "The guided preset uses one isotropic harmonic trap. The pair (q1,q2) circles the first-excited-state "
             "degeneracy; the physical trap axes rotate by half that angle. Slower loops approach the adiabatic Berry "
             "phase of 180 degrees."))


def loschmidt_page():
    rows = [
        ("loschmidtTimeLabel", "Reversal time T", spin("loschmidtTimeSpinBox", *box_spec("loschmidtTimeSpinBox"), 0.2, 4.0)),
        ("loschmidtMomentumErrorXLabel", "Reversal error Delta px",
         spin("loschmidtMomentumErrorXSpinBox", *box_spec("loschmidtMomentumErrorXSpinBox"), 0.01, 0.0,
              toolTip="Additional momentum kick immediately after complex conjugation. Zero gives the ideal "
                      "reversal.")),
        ("loschmidtMomentumErrorYLabel", "Reversal error Delta py",
         spin("loschmidtMomentumErrorYSpinBox", *box_spec("loschmidtMomentumErrorYSpinBox"), 0.01, 0.0,
              toolTip="Additional Y momentum mismatch after time reversal. Try -0.07 together with Delta px=0.12.")),
    ]
    return experiment_page(
        ("loschmidtControlPage", "loschmidtControlLayout", "loschmidtGroupBox", "loschmidtFormLayout"),
        "Echo", "Loschmidt echo - quantum time reversal",
        check_box("loschmidtEnabledCheckBox", "Enable one-shot time reversal",
                  toolTip="At reversal time apply psi -> psi*, optionally followed by a small momentum mismatch."),
        rows,
        hint("loschmidtControlHintLabel",
             "For a spinless scalar wave in a real time-independent potential, psi -> psi* reverses probability "
             "current. With Delta p=0 the dynamics should reconstruct near 2T. A CAP or dissipation would break exact "
             "reversibility."))


def moshinsky_page():
    rows = [
        ("moshinskyTargetLabel", "Shutter object",
         combo_box("moshinskyTargetComboBox", [],
                   toolTip="Barrier or rectangle object that acts as the temporal shutter.")),
        ("moshinskyOpenTimeLabel", "Opening time", spin("moshinskyOpenTimeSpinBox", *box_spec("moshinskyOpenTimeSpinBox"), 0.1, 0.0)),
        ("moshinskyDetectorXLabel", "Analysis detector X", spin("moshinskyDetectorXSpinBox", *box_spec("moshinskyDetectorXSpinBox"), 0.25, 3.0)),
        ("moshinskyAnalysisEndTimeLabel", "Analysis duration",
         spin("moshinskyAnalysisEndTimeSpinBox", *box_spec("moshinskyAnalysisEndTimeSpinBox"), 0.5, 6.0)),
    ]
    return experiment_page(
        ("moshinskyControlPage", "moshinskyControlLayout", "moshinskyGroupBox", "moshinskyFormLayout"),
        "Shutter", "Moshinsky shutter - sudden release",
        check_box("moshinskyEnabledCheckBox", "Enable diffraction-in-time shutter",
                  toolTip="Keep the selected shutter closed at reset and remove it at the programmed opening time."),
        rows,
        hint("moshinskyControlHintLabel",
             "The guided preset prepares a matter wave truncated at the shutter edge. At t=0 the barrier is removed. "
             "The resulting oscillations are diffraction in time: there is no second spatial path."))


def kapitza_dirac_page():
    rows = [
        # The period steps by a thirty-second of its default.
        ("kapitzaDiracPeriodLabel", "Lattice period a", spin("kapitzaDiracPeriodSpinBox", *box_spec("kapitzaDiracPeriodSpinBox"), 0.128, 4.096)),
        ("kapitzaDiracDepthLabel", "Lattice depth V0", spin("kapitzaDiracDepthSpinBox", *box_spec("kapitzaDiracDepthSpinBox"), 1, 16.0)),
        ("kapitzaDiracPhaseLabel", "Lattice phase",
         spin("kapitzaDiracPhaseSpinBox", *box_spec("kapitzaDiracPhaseSpinBox"), 15, 0, suffix=" deg")),
        ("kapitzaDiracStartLabel", "Pulse start", spin("kapitzaDiracStartSpinBox", *box_spec("kapitzaDiracStartSpinBox"), 0.1, 0)),
        ("kapitzaDiracDurationLabel", "Pulse duration", spin("kapitzaDiracDurationSpinBox", *box_spec("kapitzaDiracDurationSpinBox"), 0.02, 0.3)),
        ("kapitzaDiracAnalysisEndLabel", "Analysis duration",
         spin("kapitzaDiracAnalysisEndSpinBox", *box_spec("kapitzaDiracAnalysisEndSpinBox"), 0.5, 4.0)),
        ("kapitzaDiracOrderLabel", "Orders shown +/-", spin_box("kapitzaDiracOrderSpinBox", *box_range("kapitzaDiracOrderSpinBox"), 1, 4)),
    ]
    return experiment_page(
        ("kapitzaDiracControlPage", "kapitzaDiracControlLayout", "kapitzaDiracGroupBox", "kapitzaDiracFormLayout"),
        "K-D", "Kapitza-Dirac - pulsed optical standing wave",
        check_box("kapitzaDiracEnabledCheckBox", "Enable standing-wave pulse",
                  toolTip="Apply V(x)=V0 cos^2(pi x/a + phase/2) only during the programmed pulse."),
        rows,
        hint("kapitzaDiracControlHintLabel",
             "A short standing-wave pulse acts as a phase grating. After the pulse, momentum orders p_x=nG separate "
             "during free expansion. G=2 pi hbar/a."))


def aharonov_bohm_page():
    rows = [
        ("aharonovBohmFluxLabel", "Flux Phi/Phi0",
         spin("aharonovBohmFluxSpinBox", *box_spec("aharonovBohmFluxSpinBox"), 0.05, 0.5,
              toolTip="Magnetic flux in units Phi0=2 pi hbar/q. Try 0, 0.5 and 1.0.")),
        ("aharonovBohmRadiusLabel", "Solenoid radius", spin("aharonovBohmRadiusSpinBox", *box_spec("aharonovBohmRadiusSpinBox"), 0.1, 1.25)),
        ("aharonovBohmCenterXLabel", "Solenoid X", spin("aharonovBohmCenterXSpinBox", *box_spec("aharonovBohmCenterXSpinBox"), 0.25, 0)),
        ("aharonovBohmCenterYLabel", "Solenoid Y", spin("aharonovBohmCenterYSpinBox", *box_spec("aharonovBohmCenterYSpinBox"), 0.25, 0)),
        ("aharonovBohmBarrierLabel", "Core barrier V0", spin("aharonovBohmBarrierSpinBox", *box_spec("aharonovBohmBarrierSpinBox"), 10, 140)),
        ("aharonovBohmDetectorXLabel", "Analysis detector X",
         spin("aharonovBohmDetectorXSpinBox", *box_spec("aharonovBohmDetectorXSpinBox"), 0.25, 7)),
        ("aharonovBohmAnalysisEndLabel", "Analysis duration",
         spin("aharonovBohmAnalysisEndSpinBox", *box_spec("aharonovBohmAnalysisEndSpinBox"), 0.5, 5)),
    ]
    return experiment_page(
        ("aharonovBohmControlPage", "aharonovBohmControlLayout", "aharonovBohmGroupBox", "aharonovBohmFormLayout"),
        "A-B", "Aharonov-Bohm - inaccessible magnetic flux tube",
        check_box("aharonovBohmEnabledCheckBox", "Enable gauge-covariant magnetic flux",
                  toolTip="Use the U(1) link-field propagator for H=(p-qA)^2/(2m)+V."),
        rows,
        hint("aharonovBohmControlHintLabel",
             "Outside the inaccessible tube B=0, but A carries non-trivial circulation. The incident packet is "
             "gauge-phased so changing flux preserves the same mechanical input momentum. Phi/Phi0=0.5 should "
             "suppress the central fringe; 1.0 should restore the zero-flux pattern."),
        "aharonovBohmApplyButton",
        "Rebuild the scalar flux-tube barrier and U(1) gauge links, then restart from the same physical incident "
        "momentum.")


def landau_page():
    rows = [
        ("landauFieldLabel", "b = qB / hbar",
         spin("landauFieldSpinBox", *box_spec("landauFieldSpinBox"), 0.05, 0.45,
              toolTip="Uniform magnetic field in simulation gauge units. Sign reverses orbit direction. When enabled "
                      "use |b| >= 0.02; b=0 is allowed as an inactive saved value.")),
        ("landauPreparationLabel", "Initial state",
         combo_box("landauPreparationComboBox", ["Cyclotron packet", "Landau eigenstate"])),
        ("landauIndexLabel", "Landau index n",
         spin_box("landauIndexSpinBox", *box_range("landauIndexSpinBox"), toolTip="Used by Landau eigenstate mode: E_n=(n+1/2) hbar omega_c.")),
        ("landauOrbitRadiusLabel", "Cyclotron radius R", spin("landauOrbitRadiusSpinBox", *box_spec("landauOrbitRadiusSpinBox"), 0.25, 5)),
        ("landauAnalysisEndLabel", "Analysis duration", spin("landauAnalysisEndSpinBox", *box_spec("landauAnalysisEndSpinBox"), 0.5, 15)),
    ]
    return experiment_page(
        ("landauControlPage", "landauControlLayout", "landauGroupBox", "landauFormLayout"),
        "Landau", "Uniform magnetic field - Landau / cyclotron",
        check_box("landauEnabledCheckBox", "Enable uniform gauge field",
                  toolTip="Use the U(1) gauge-covariant propagator with uniform B in symmetric gauge."),
        rows,
        hint("landauControlHintLabel",
             "Cyclotron mode prepares the correct mechanical tangent momentum in symmetric gauge. Landau eigenstate "
             "mode prepares radial n=0,1,2... states and compares measured energy with (n+1/2) hbar omega_c."),
        "landauApplyButton")


def hall_edge_page():
    rows = [
        ("hallEdgeFieldLabel", "b = qB / hbar",
         spin("hallEdgeFieldSpinBox", *box_spec("hallEdgeFieldSpinBox"), 0.05, 0.45,
              toolTip="Reverse the sign to reverse edge-state chirality.")),
        ("hallEdgeYLabel", "Edge Y", spin("hallEdgeYSpinBox", *box_spec("hallEdgeYSpinBox"), 0.25, -8)),
        ("hallEdgeWallLabel", "Wall V0", spin("hallEdgeWallSpinBox", *box_spec("hallEdgeWallSpinBox"), 10, 120)),
        ("hallEdgeLaunchYLabel", "Launch Y", spin("hallEdgeLaunchYSpinBox", *box_spec("hallEdgeLaunchYSpinBox"), 0.25, -5.3)),
        ("hallEdgeRadiusLabel", "Orbit radius R", spin("hallEdgeRadiusSpinBox", *box_spec("hallEdgeRadiusSpinBox"), 0.25, 4.2)),
        ("hallEdgeSigmaLabel", "Packet sigma", spin("hallEdgeSigmaSpinBox", *box_spec("hallEdgeSigmaSpinBox"), 0.1, 1.1)),
        ("hallEdgeBandLabel", "Edge strip width", spin("hallEdgeBandSpinBox", *box_spec("hallEdgeBandSpinBox"), 0.25, 4)),
        ("hallEdgeAnalysisEndLabel", "Analysis duration", spin("hallEdgeAnalysisEndSpinBox", *box_spec("hallEdgeAnalysisEndSpinBox"), 0.5, 8)),
    ]
    return experiment_page(
        ("hallEdgeControlPage", "hallEdgeControlLayout", "hallEdgeGroupBox", "hallEdgeFormLayout"),
        "Hall Edge", "Quantum Hall - chiral edge channel",
        check_box("hallEdgeEnabledCheckBox", "Enable chiral edge state",
                  toolTip="Use uniform U(1) magnetic links plus a horizontal confining edge."),
        rows,
        hint("hallEdgeControlHintLabel",
             "Near a hard edge the closed cyclotron orbit becomes a skipping trajectory. The launch momentum is chosen "
             "automatically so changing sign(b) reverses the direction along the same lower boundary."),
        "hallEdgeApplyButton")


def backflow_page():
    rows = [
        ("backflowDetectorLabel", "Detector X", spin("backflowDetectorSpinBox", *box_spec("backflowDetectorSpinBox"), 0.25, 0)),
        ("backflowSlowKLabel", "Slow k", spin("backflowSlowKSpinBox", *box_spec("backflowSlowKSpinBox"), 0.05, 0.35)),
        ("backflowFastKLabel", "Fast k", spin("backflowFastKSpinBox", *box_spec("backflowFastKSpinBox"), 0.05, 1.3)),
        ("backflowKSigmaLabel", "Momentum sigma", spin("backflowKSigmaSpinBox", *box_spec("backflowKSigmaSpinBox"), 0.02, 0.3)),
        ("backflowRatioLabel", "Fast amplitude ratio", spin("backflowRatioSpinBox", *box_spec("backflowRatioSpinBox"), 0.02, 0.52)),
        ("backflowPhaseLabel", "Relative phase (deg)", spin("backflowPhaseSpinBox", *box_spec("backflowPhaseSpinBox"), 5, 180)),
        ("backflowCenterXLabel", "Initial center X", spin("backflowCenterXSpinBox", *box_spec("backflowCenterXSpinBox"), 0.25, -1.8)),
        ("backflowTransverseSigmaLabel", "Transverse sigma",
         spin("backflowTransverseSigmaSpinBox", *box_spec("backflowTransverseSigmaSpinBox"), 0.1, 2.5)),
        ("backflowAnalysisEndLabel", "Analysis duration", spin("backflowAnalysisEndSpinBox", *box_spec("backflowAnalysisEndSpinBox"), 0.25, 4)),
    ]
    return experiment_page(
        ("backflowControlPage", "backflowControlLayout", "backflowGroupBox", "backflowFormLayout"),
        "Backflow", "Quantum Backflow - positive momentum only",
        check_box("backflowEnabledCheckBox", "Enable quantum backflow state",
                  toolTip="Prepare psi in momentum space with every p_x <= 0 FFT bin exactly zero."),
        rows,
        hint("backflowControlHintLabel",
             "The state is synthesized in FFT momentum space with no p_x <= 0 bins. Interference between two "
             "positive-momentum bands can nevertheless make the local detector current J_x negative for a finite "
             "time."),
        "backflowApplyButton")


def zitter_page():
    rows = [
        ("zitterLightSpeedLabel", "Effective c", spin("zitterLightSpeedSpinBox", *box_spec("zitterLightSpeedSpinBox"), 0.05, 1)),
        # The Dirac solver refuses a rest mass below 0.02 and an analysis
        # window shorter than 0.2, even for a disabled experiment whose
        # settings a saved document carries: the ranges stop there.
        ("zitterMassLabel", "Rest mass m", spin("zitterMassSpinBox", *box_spec("zitterMassSpinBox"), 0.05, 0.5)),
        ("zitterCenterXLabel", "Center X", spin("zitterCenterXSpinBox", *box_spec("zitterCenterXSpinBox"), 0.25, -6)),
        ("zitterCenterYLabel", "Center Y", spin("zitterCenterYSpinBox", *box_spec("zitterCenterYSpinBox"), 0.25, 0)),
        ("zitterSigmaLabel", "Packet sigma", spin("zitterSigmaSpinBox", *box_spec("zitterSigmaSpinBox"), 0.1, 3.5)),
        ("zitterMomentumXLabel", "Momentum px", spin("zitterMomentumXSpinBox", *box_spec("zitterMomentumXSpinBox"), 0.05, 0.5)),
        ("zitterMomentumYLabel", "Momentum py", spin("zitterMomentumYSpinBox", *box_spec("zitterMomentumYSpinBox"), 0.05, 0)),
        ("zitterPreparationLabel", "Preparation",
         combo_box("zitterPreparationComboBox", ["Mixed +/- energy (visible ZB)", "Positive-energy control"])),
        ("zitterAnalysisEndLabel", "Analysis duration", spin("zitterAnalysisEndSpinBox", *box_spec("zitterAnalysisEndSpinBox"), 0.5, 12)),
    ]
    return experiment_page(
        ("zitterControlPage", "zitterControlLayout", "zitterGroupBox", "zitterFormLayout"),
        "Dirac / ZB", "Zitterbewegung - free 2D Dirac spinor",
        check_box("zitterEnabledCheckBox", "Enable Dirac spinor / Zitterbewegung",
                  toolTip="Use the two-component Dirac solver. Step 47 is intentionally free and periodic."),
        rows,
        hint("zitterControlHintLabel",
             "The physical state is a two-component Dirac spinor. The viewport shows total density "
             "|upper|^2+|lower|^2; its scalar proxy phase is deliberately not a physical Dirac phase. Compare the "
             "mixed-energy preparation with the positive-energy control."),
        "zitterApplyButton")


def klein_page():
    # The record's packet centre Y has no control here.
    rows = [
        ("kleinLightSpeedLabel", "Effective c", spin("kleinLightSpeedSpinBox", *box_spec("kleinLightSpeedSpinBox"), 0.05, 1)),
        ("kleinMassLabel", "Rest mass m", spin("kleinMassSpinBox", *box_spec("kleinMassSpinBox"), 0.01, 0.05)),
        ("kleinCenterXLabel", "Packet center X", spin("kleinCenterXSpinBox", *box_spec("kleinCenterXSpinBox"), 0.25, -10)),
        ("kleinSigmaLabel", "Packet sigma", spin("kleinSigmaSpinBox", *box_spec("kleinSigmaSpinBox"), 0.1, 2.2)),
        ("kleinPxLabel", "Momentum px", spin("kleinPxSpinBox", *box_spec("kleinPxSpinBox"), 0.05, 1.5)),
        ("kleinPyLabel", "Momentum py / angle", spin("kleinPySpinBox", *box_spec("kleinPySpinBox"), 0.05, 0)),
        ("kleinBarrierCenterLabel", "Barrier center X", spin("kleinBarrierCenterSpinBox", *box_spec("kleinBarrierCenterSpinBox"), None, 0)),
        ("kleinBarrierWidthLabel", "Barrier width", spin("kleinBarrierWidthSpinBox", *box_spec("kleinBarrierWidthSpinBox"), 0.1, 3)),
        ("kleinBarrierHeightLabel", "Barrier V0", spin("kleinBarrierHeightSpinBox", *box_spec("kleinBarrierHeightSpinBox"), 0.1, 3.2)),
        ("kleinDetectorXLabel", "Detector X", spin("kleinDetectorXSpinBox", *box_spec("kleinDetectorXSpinBox"), 0.25, 6)),
        ("kleinAnalysisEndLabel", "Analysis duration", spin("kleinAnalysisEndSpinBox", *box_spec("kleinAnalysisEndSpinBox"), 0.5, 16)),
    ]
    return experiment_page(
        ("kleinControlPage", "kleinControlLayout", "kleinGroupBox", "kleinFormLayout"),
        "Klein", "Klein tunneling - supercritical Dirac barrier",
        check_box("kleinEnabledCheckBox", "Enable Dirac Klein tunneling",
                  toolTip="Use the two-component Dirac solver with a scalar barrier potential."),
        rows,
        hint("kleinControlHintLabel",
             "The incident spinor is projected onto E>0. If V0 > E + mc^2, the barrier is in the Klein zone. To "
             "isolate angular effects, keep |p| constant while rotating momentum: px=|p| cos(theta), py=|p| "
             "sin(theta)."),
        "kleinApplyButton")


def pages():
    """Pages 5 to 14 in tab order."""
    return [berry_page(), loschmidt_page(), moshinsky_page(), kapitza_dirac_page(), aharonov_bohm_page(),
            landau_page(), hall_edge_page(), backflow_page(), zitter_page(), klein_page()]
