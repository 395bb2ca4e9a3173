"""Pages 1 to 4 of the Dynamics sub-tab: the four generic drive protocols,
each rewriting one parameter of one Potential Scene object as a function of
simulation time (one-shot quench, sinusoidal drive, linear sweep, Ramsey
pulse sequence)."""

from builder import check_box, combo_box

from dynamics_shapes import drive_page, hint, spin
from ranges import box_spec

# The parameter combo's index is the protocol record's parameter code.
PARAMETER_ITEMS = [
    "Object value / amplitude",
    "Center X",
    "Center Y",
    "Harmonic kX",
    "Harmonic kY",
    "Harmonic kX + kY",
    "Linear slope X",
    "Linear slope Y",
]


def target_and_parameter(prefix, target_tip):
    """The first two rows of every drive page: the target combo, which the
    main window fills with the scene's objects, and the parameter combo."""
    return [
        ("%sTargetLabel" % prefix, "Target object", combo_box("%sTargetComboBox" % prefix, [], toolTip=target_tip)),
        ("%sParameterLabel" % prefix, "Parameter", combo_box("%sParameterComboBox" % prefix, PARAMETER_ITEMS)),
    ]


def quench_page():
    rows = target_and_parameter("quench", "Potential Scene object whose parameter will change at the quench time.") + [
        ("quenchTimeLabel", "Quench time", spin("quenchTimeSpinBox", *box_spec("quenchTimeSpinBox"), 0.25, 2.0)),
        ("quenchBeforeLabel", "Before", spin("quenchBeforeSpinBox", *box_spec("quenchBeforeSpinBox"), 1, 0.25)),
        ("quenchAfterLabel", "After", spin("quenchAfterSpinBox", *box_spec("quenchAfterSpinBox"), 1, 1.0)),
    ]
    check = check_box("quenchEnabledCheckBox", "Enable one-shot quench",
                      toolTip="At the configured simulation time, change one parameter of one Potential Scene object "
                              "without modifying psi.")
    return drive_page(("quenchControlPage", "quenchControlPageLayout", "quantumQuenchGroupBox", "quantumQuenchLayout",
                       "quantumQuenchFormLayout"),
                      "Quench", "Time-dependent potential - Quantum quench", check, rows,
                      hint("quenchHintLabel",
                           "Reset re-arms the quench. The base Potential Scene is never modified by firing it."),
                      spacer=False)


def periodic_drive_page():
    rows = target_and_parameter("periodicDrive", "Potential Scene object whose parameter is driven continuously.") + [
        ("periodicDriveMeanLabel", "Mean value", spin("periodicDriveMeanSpinBox", *box_spec("periodicDriveMeanSpinBox"), 1, 0)),
        ("periodicDriveAmplitudeLabel", "Amplitude", spin("periodicDriveAmplitudeSpinBox", *box_spec("periodicDriveAmplitudeSpinBox"), 1, 0.7)),
        ("periodicDriveOmegaLabel", "Angular frequency omega",
         spin("periodicDriveOmegaSpinBox", *box_spec("periodicDriveOmegaSpinBox"), 0.05, 0.5)),
        ("periodicDrivePhaseLabel", "Phase (deg)", spin("periodicDrivePhaseSpinBox", *box_spec("periodicDrivePhaseSpinBox"), 1, 0)),
    ]
    check = check_box("periodicDriveEnabledCheckBox", "Enable sinusoidal drive",
                      toolTip="Continuously modulate one Potential Scene parameter as "
                              "mean + amplitude*sin(omega*t + phase).")
    return drive_page(("periodicDriveControlPage", "periodicDriveControlPageLayout", "periodicDriveGroupBox",
                       "periodicDriveLayout", "periodicDriveFormLayout"),
                      "Periodic", "Time-dependent potential - Periodic drive", check, rows,
                      hint("periodicDriveHintLabel",
                           "For a harmonic trap driven in Center X, resonance occurs near omega0=sqrt(kX/m). Reset "
                           "restarts the drive phase at t=0."),
                      spacer=False)


def linear_sweep_page():
    rows = target_and_parameter("linearSweep", "Potential Scene object whose parameter is swept.") + [
        ("linearSweepStartValueLabel", "Start value", spin("linearSweepStartValueSpinBox", *box_spec("linearSweepStartValueSpinBox"), 1, 0.35)),
        ("linearSweepEndValueLabel", "End value", spin("linearSweepEndValueSpinBox", *box_spec("linearSweepEndValueSpinBox"), 1, -0.35)),
        ("linearSweepStartTimeLabel", "Start time", spin("linearSweepStartTimeSpinBox", *box_spec("linearSweepStartTimeSpinBox"), 0.25, 0)),
        ("linearSweepDurationLabel", "Duration", spin("linearSweepDurationSpinBox", *box_spec("linearSweepDurationSpinBox"), 1, 40.0)),
        ("linearSweepReturnLabel", "Return passage",
         check_box("linearSweepReturnCheckBox", "Return End -> Start",
                   toolTip="After the outward sweep and optional hold, ramp the same parameter back to Start. This "
                           "creates a second avoided-crossing passage for Stueckelberg interferometry.")),
        ("linearSweepHoldDurationLabel", "Hold at End",
         spin("linearSweepHoldDurationSpinBox", *box_spec("linearSweepHoldDurationSpinBox"), 0.5, 0)),
        ("linearSweepReturnDurationLabel", "Return duration",
         spin("linearSweepReturnDurationSpinBox", *box_spec("linearSweepReturnDurationSpinBox"), 0.5, 4.0)),
    ]
    check = check_box("linearSweepEnabledCheckBox", "Enable finite linear sweep",
                      toolTip="Ramp one Potential Scene parameter linearly from Start to End, then hold the final "
                              "value.")
    return drive_page(("linearSweepControlPage", "linearSweepControlPageLayout", "linearSweepGroupBox",
                       "linearSweepLayout", "linearSweepFormLayout"),
                      "Sweep", "Time-dependent potential - Linear sweep", check, rows,
                      hint("linearSweepHintLabel",
                           "Landau-Zener: one-way sweep through zero. Enable Return passage for "
                           "Landau-Zener-Stueckelberg double passage; Hold at End controls the accumulated "
                           "interference phase."),
                      spacer=True)


def ramsey_page():
    # The Ramsey target combo has no tooltip.
    rows = target_and_parameter("ramsey", None) + [
        ("ramseyMeanLabel", "Mean / OFF value", spin("ramseyMeanSpinBox", *box_spec("ramseyMeanSpinBox"), 1, 0.0)),
        ("ramseyAmplitudeLabel", "Pulse amplitude", spin("ramseyAmplitudeSpinBox", *box_spec("ramseyAmplitudeSpinBox"), 0.01, 0.1)),
        ("ramseyOmegaLabel", "Angular frequency omega",
         spin("ramseyOmegaSpinBox", *box_spec("ramseyOmegaSpinBox"), 0.01, 0.305536)),
        ("ramseyPulseDurationLabel", "Pulse duration", spin("ramseyPulseDurationSpinBox", *box_spec("ramseyPulseDurationSpinBox"), 0.25, 14.35)),
        ("ramseyFreeDurationLabel", "Free evolution time", spin("ramseyFreeDurationSpinBox", *box_spec("ramseyFreeDurationSpinBox"), 0.25, 5.5)),
        ("ramseyStartTimeLabel", "Start time", spin("ramseyStartTimeSpinBox", *box_spec("ramseyStartTimeSpinBox"), 1, 0.0)),
        ("ramseyFirstPhaseLabel", "First pulse phase",
         spin("ramseyFirstPhaseSpinBox", *box_spec("ramseyFirstPhaseSpinBox"), 1, 0.0, suffix=" deg")),
        ("ramseySecondPhaseLabel", "Second pulse phase",
         spin("ramseySecondPhaseSpinBox", *box_spec("ramseySecondPhaseSpinBox"), 1, 0.0, suffix=" deg")),
        ("ramseyEchoEnabledLabel", "Hahn echo",
         check_box("ramseyEchoEnabledCheckBox", "Insert refocusing pi pulse",
                   toolTip="Split the free interval in half and insert a pi pulse to refocus relative phase.")),
        # The echo duration is the preset's own value, not twice the pulse.
        ("ramseyEchoDurationLabel", "Echo pi duration", spin("ramseyEchoDurationSpinBox", *box_spec("ramseyEchoDurationSpinBox"), 0.25, 25.75)),
        ("ramseyEchoPhaseLabel", "Echo pi phase",
         spin("ramseyEchoPhaseSpinBox", *box_spec("ramseyEchoPhaseSpinBox"), 1, 90.0, suffix=" deg")),
    ]
    check = check_box("ramseyEnabledCheckBox", "Enable Ramsey sequence",
                      toolTip="Apply two finite sinusoidal pulses to one Potential Scene parameter, separated by a "
                              "field-free interval.")
    return drive_page(("ramseyControlPage", "ramseyControlPageLayout", "ramseySequenceGroupBox",
                       "ramseySequenceLayout", "ramseySequenceFormLayout"),
                      "Ramsey", "Ramsey / Hahn Echo - pi/2 / free / [pi] / free / pi/2", check, rows,
                      hint("ramseyHintLabel",
                           "The drive is ON only during pulses. With Hahn echo disabled: pi/2 - free - pi/2. With echo "
                           "enabled: pi/2 - free/2 - pi - free/2 - pi/2. The central pi pulse refocuses phase "
                           "accumulated during the two free halves."),
                      spacer=True)


def pages():
    """The four drive pages in tab order."""
    return [quench_page(), periodic_drive_page(), linear_sweep_page(), ramsey_page()]
