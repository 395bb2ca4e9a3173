"""The Wave Packet and Measurement tabs of the controls dock: the Gaussian
initial state with its central kinetic energy, and in a scroll area the
ensemble sampling, the single-system collapse and the detector screen.

The layouts of both tabs keep the toolkit's margins and spacing. The
measurement groups put a field under its label where the two do not fit side
by side, so that the tab never needs more than the controls dock's width."""

from builder import (CONSOLAS, CONSOLAS_BOLD, Enum, Rect, Span, check_box, combo_box, double_spin_box, form_layout,
                     group_box, label, page, push_button, scroll_area, spin_box, vbox, vspacer, widget)

# The initial Gaussian packet: (stem, label text, minimum, maximum, step,
# default), each a <stem>Label and a two-decimal <stem>SpinBox.
PACKET_ROWS = [
    ("centerX", "Center X", -9, 9, 0.25, -5),
    ("centerY", "Center Y", -9, 9, 0.25, 0),
    ("sigma", "Sigma", 0.25, 4, 0.1, 0.9),
    ("momentum", "Momentum px", -8, 8, 0.25, 2.5),
    ("momentumY", "Momentum py", -8, 8, 0.25, 0),
    ("mass", "Mass m", 0.1, 10, 0.1, 1),
]


def wave_packet_tab():
    """wavePacketTab, the second controls tab ("Wave Packet")."""
    rows = [(label("%sLabel" % stem, text), double_spin_box("%sSpinBox" % stem, 2, lo, hi, step, value))
            for stem, text, lo, hi, step, value in PACKET_ROWS]
    # (px^2 + py^2) / 2m of the defaults; the main window rewrites it.
    rows.append((label("energyLabel", "Ekin"), label("energyValueLabel", "3.1250", font=CONSOLAS_BOLD)))
    group = group_box("initialStateGroupBox", "Initial State", form_layout("packetFormLayout", rows))
    return page("wavePacketTab", vbox("wavePacketTabLayout", [group, vspacer(20, 40)]), title="Wave Packet")


# A field under its label where the row is too wide for the dock.
WRAP_LONG_ROWS = Enum("QFormLayout::WrapLongRows")


def measurement_form(name, rows):
    return form_layout(name, rows, rowWrapPolicy=WRAP_LONG_ROWS)


def ensemble_sampling_group():
    rows = [
        Span(label("measurementInfoLabel",
                   "Sample ideal detections from |psi|^2, from a detector snapshot, or from time-integrated arrival "
                   "flux. The displayed wavefunction is not collapsed.", word_wrap=True)),
        (label("measurementShotsLabel", "Shots"),
         combo_box("measurementShotsComboBox", ["1", "10", "100", "1000", "10000"], current=2,
                   toolTip="Number of independent ideal position measurements sampled from the current probability "
                           "density.")),
        Span(push_button("measurePositionButton", "Measure",
                         toolTip="Pause the simulation if needed and add a batch of ideal position detections "
                                 "sampled from the current |psi|^2 distribution.")),
        Span(push_button("clearMeasurementsButton", "Clear detections")),
        (label("measurementVisibleLabel", "Detection overlay"),
         check_box("measurementVisibleCheckBox", "Visible", checked=True)),
        (label("measurementPointSizeLabel", "Point size"),
         double_spin_box("measurementPointSizeSpinBox", 1, 1, 10, 0.5, 3, suffix=" px")),
        (label("measurementTotalLabel", "Accumulated hits"),
         label("measurementTotalValueLabel", "0", font=CONSOLAS_BOLD)),
        Span(label("measurementConditionLabel",
                   "With an absorbing boundary, detections are conditional on the particle still being inside the "
                   "simulated universe.", word_wrap=True)),
    ]
    return group_box("positionMeasurementGroupBox", "Ensemble sampling (non-destructive)",
                     measurement_form("positionMeasurementFormLayout", rows))


def collapse_group():
    rows = [
        Span(label("collapseInfoLabel",
                   "Finite-resolution position measurement on one system. Unlike ensemble sampling above, this "
                   "operation modifies psi and the collapsed state then continues to evolve.", word_wrap=True)),
        (label("collapseResolutionLabel", "Resolution sigma_m"),
         double_spin_box("collapseResolutionSpinBox", 2, 0.2, 5, 0.1, 0.65,
                         toolTip="Spatial resolution of the Gaussian measurement operator. Smaller values localize "
                                 "more strongly and therefore broaden momentum more strongly.")),
        Span(push_button("collapsePositionButton", "Measure && collapse",
                         toolTip="Draw one finite-resolution position outcome, apply the corresponding Gaussian "
                                 "measurement operator to psi, normalize, and keep the resulting state for further "
                                 "evolution.")),
        (label("collapseOutcomeLabel", "Outcome"), label("collapseOutcomeValueLabel", "--", font=CONSOLAS_BOLD)),
        (label("collapsePositionSpreadLabel", "Position spread"),
         label("collapsePositionSpreadValueLabel", "--", font=CONSOLAS, word_wrap=True)),
        (label("collapseMomentumSpreadLabel", "Momentum spread"),
         label("collapseMomentumSpreadValueLabel", "--", font=CONSOLAS, word_wrap=True)),
        Span(label("collapseContinueLabel",
                   "After collapse, press Play again: the new state evolves under the same Hamiltonian. Reset "
                   "restores the configured preparation before measurement.", word_wrap=True)),
    ]
    return group_box("singleSystemCollapseGroupBox", "Single-system collapse",
                     measurement_form("singleSystemCollapseFormLayout", rows))


def detector_screen_group():
    rows = [
        (label("measurementModeLabel", "Mode"),
         # Sized to its items also after the retranslation names them; the
         # window holds it at that width, so that a dock too narrow for it
         # puts it under its label.
         combo_box("measurementModeComboBox",
                   ["Full plane snapshot", "Detector screen snapshot", "Detector screen temporal flux"], current=1,
                   sizeAdjustPolicy=Enum("QComboBox::AdjustToContents"))),
        (label("detectorXLabel", "Detector X"), double_spin_box("detectorXSpinBox", 2, -1000, 1000, 0.25, 8)),
        (label("detectorThicknessLabel", "Strip width"),
         double_spin_box("detectorThicknessSpinBox", 2, 0.01, 10, 0.08, 0.32)),
        (label("detectorBinsLabel", "Histogram bins"), spin_box("detectorBinsSpinBox", 8, 256, 8, 64)),
        (label("detectorVisibleLabel", "Screen overlay"),
         check_box("detectorVisibleCheckBox", "Visible + histogram", checked=True)),
        (label("detectorFluxLabel", "Accumulated crossing P+"),
         label("detectorFluxValueLabel", "0.000000", font=CONSOLAS_BOLD)),
        (label("detectorReferenceLabel", "Flux reference"),
         check_box("detectorReferenceCheckBox", "Show theoretical curve", checked=True)),
        (label("detectorTvdLabel", "Hits vs flux TVD",
               toolTip="Total Variation Distance between the normalized arrival histogram and the normalized "
                       "accumulated flux profile. 0 means perfect agreement; values closer to 1 indicate stronger "
                       "disagreement."),
         label("detectorTvdValueLabel", "--", font=CONSOLAS_BOLD)),
        Span(push_button("clearDetectorFluxButton", "Clear detector flux")),
    ]
    return group_box("detectorScreenGroupBox", "Detector screen", measurement_form("detectorScreenFormLayout", rows))


def measurement_tab():
    """measurementTab, the third controls tab ("Measurement")."""
    contents = widget("QWidget", "scrollAreaWidgetContents", geometry=Rect(0, 0, 404, 779)).set_layout(
        vbox("verticalLayout", [ensemble_sampling_group(), collapse_group(), detector_screen_group()]))
    area = scroll_area("scrollArea", contents, widgetResizable=True)
    return page("measurementTab", vbox("verticalLayout_2", [area]), title="Measurement")
