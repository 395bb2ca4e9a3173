"""The Rendering tab of the controls dock: every display setting of the
viewport (what is shown, contours, the current overlay, the graphics preset
with its dynamic range and the post-processing chain), six groups in a
frameless scroll area. None of them changes the physics.

The layouts keep the toolkit's margins and spacing."""

from builder import (Enum, Rect, Span, check_box, combo_box, double_spin_box, form_layout, group_box, label, page,
                     push_button, scroll_area, spin_box, vbox, vspacer, widget)


def view_group():
    rows = [
        (label("spaceLabel", "Space"),
         combo_box("spaceComboBox", ["Position (x,y)", "Momentum (p_x,p_y)"],
                   toolTip="Choose whether the central viewport shows the wavefunction in position space or its "
                           "Fourier-space momentum probability distribution.")),
        (label("viewLabel", "View"),
         combo_box("viewComboBox", ["Probability |psi|^2", "Phase arg(psi)", "Real Re(psi)", "Imaginary Im(psi)"],
                   toolTip="Select the rendered quantity in position space. Momentum space currently displays "
                           "|psi_tilde|^2 and temporarily disables this selector.")),
        (label("paletteLabel", "Palette"), combo_box("paletteComboBox", ["Scientific", "Viridis-like", "Grayscale"])),
        (label("potentialOverlayLabel", "Potential overlay"),
         check_box("potentialOverlayCheckBox", "Visible", checked=True,
                   toolTip="Show or hide the potential geometry overlay. This is display-only and does not change "
                           "V(x,y).")),
        (label("potentialOverlayOpacityLabel", "Overlay opacity"),
         double_spin_box("potentialOverlayOpacitySpinBox", 2, 0, 1, 0.05, 1,
                         toolTip="Opacity of the potential overlay only. The numerical potential is unchanged.")),
    ]
    return group_box("viewGroupBox", "Visualization", form_layout("viewFormLayout", rows))


def potential_contours_group():
    rows = [
        (label("potentialContoursLabel", "Contours"),
         check_box("potentialContoursCheckBox", "Visible", checked=False,
                   toolTip="Draw V(x,y)=constant contours as a display-only overlay. Binary barriers collapse to a "
                           "single midpoint contour.")),
        (label("potentialContourLevelsLabel", "Levels"), spin_box("potentialContourLevelsSpinBox", 1, 16, value=6)),
        (label("potentialContourWidthLabel", "Line width"),
         double_spin_box("potentialContourWidthSpinBox", 2, 0.5, 4, 0.1, 1.35, suffix=" px")),
        (label("potentialContourOpacityLabel", "Opacity"),
         double_spin_box("potentialContourOpacitySpinBox", 2, 0, 1, 0.05, 0.8)),
    ]
    return group_box("potentialContoursGroupBox", "Potential contours",
                     form_layout("potentialContoursFormLayout", rows))


def probability_contours_group():
    rows = [
        (label("probabilityContoursLabel", "Contours"),
         check_box("probabilityContoursCheckBox", "Visible", checked=True,
                   toolTip="Draw |psi(x,y)|^2=constant contours over the live field. This is the same contour-map "
                           "idea used for astronomical intensity images.")),
        (label("probabilityContourSpacingLabel", "Level spacing"),
         combo_box("probabilityContourSpacingComboBox", ["Linear", "Logarithmic"], current=1,
                   toolTip="Logarithmic spacing reveals faint low-probability structures; linear spacing emphasizes "
                           "the bright core.")),
        (label("probabilityContourLevelsLabel", "Levels"),
         spin_box("probabilityContourLevelsSpinBox", 2, 32, value=12)),
        (label("probabilityContourDecadesLabel", "Log range"),
         double_spin_box("probabilityContourDecadesSpinBox", 1, 1, 8, 0.5, 4, suffix=" decades",
                         toolTip="Number of decades below the current |psi|^2 maximum covered by logarithmic contour "
                                 "levels.")),
        (label("probabilityContourWidthLabel", "Line width"),
         double_spin_box("probabilityContourWidthSpinBox", 2, 0.5, 4, 0.1, 1.1, suffix=" px")),
        (label("probabilityContourOpacityLabel", "Opacity"),
         double_spin_box("probabilityContourOpacitySpinBox", 2, 0, 1, 0.05, 0.82)),
    ]
    return group_box("probabilityContoursGroupBox", "Probability / intensity contours",
                     form_layout("probabilityContoursFormLayout", rows))


def current_group():
    rows = [
        (label("currentOverlayLabel", "Current overlay"),
         check_box("currentOverlayCheckBox", "Visible", checked=True,
                   toolTip="Overlay the probability-current field J=(hbar/m) Im[psi* grad(psi)]. Display-only.")),
        (label("currentModeLabel", "Style"),
         combo_box("currentModeComboBox", ["Vectors", "Streamlines", "Both"], current=1,
                   toolTip="Vectors show local direction and relative magnitude; streamlines integrate the current "
                           "field into continuous flow paths.")),
        (label("currentSpacingLabel", "Seed spacing"),
         spin_box("currentSpacingSpinBox", 18, 100, 2, 42, suffix=" px",
                  toolTip="Approximate screen distance between vector samples or streamline seeds.")),
        (label("currentScaleLabel", "Arrow scale"),
         double_spin_box("currentScaleSpinBox", 2, 0.25, 3, 0.1, 1,
                         toolTip="Visual length multiplier for current vectors. It does not modify the physical "
                                 "current.")),
        (label("streamlineLengthLabel", "Stream length"),
         spin_box("streamlineLengthSpinBox", 80, 600, 20, 240, suffix=" px",
                  toolTip="Maximum approximate screen length traced forward and backward along the probability "
                          "current.")),
    ]
    return group_box("currentGroupBox", "Probability current", form_layout("currentFormLayout", rows))


def preset_group():
    rows = [
        (label("graphicsPresetLabel", "Graphics"),
         combo_box("graphicsPresetComboBox", ["Scientific", "Presentation", "Cinematic", "Custom"], current=2)),
        (label("displayScaleLabel", "Display scale"),
         combo_box("displayScaleComboBox", ["Linear", "Log (~3 decades)"])),
        (label("exposureLabel", "Exposure"), double_spin_box("exposureSpinBox", 2, -6, 8, 0.25, suffix=" EV")),
        (label("gammaLabel", "Gamma"), double_spin_box("gammaSpinBox", 2, 0.25, 4, 0.05, 1)),
        Span(push_button("displayResetButton", "Reset Display")),
    ]
    return group_box("presetGroupBox", "Preset / Dynamic Range", form_layout("displayFormLayout", rows))


def post_process_group():
    rows = [
        (label("postPreviewLabel", "Preview"),
         combo_box("postPreviewComboBox", ["Scene", "Bright Pass", "Gaussian Blur", "Bloom"], current=3)),
        (label("brightThresholdLabel", "Bright threshold"),
         double_spin_box("brightThresholdSpinBox", 2, 0, 1, 0.05, 0.72)),
        (label("brightKneeLabel", "Soft knee"), double_spin_box("brightKneeSpinBox", 2, 0, 0.5, 0.01, 0.08)),
        (label("blurSpreadLabel", "Blur spread"), double_spin_box("blurSpreadSpinBox", 2, 0.25, 8, 0.25, 2)),
        (label("bloomStrengthLabel", "Bloom"), double_spin_box("bloomStrengthSpinBox", 2, 0, 5, 0.1, 1.25)),
        (label("toneMapLabel", "Tone map"),
         combo_box("toneMapComboBox", ["Off / Clip", "Reinhard", "ACES Filmic"], current=2)),
    ]
    return group_box("postProcessGroupBox", "Post Processing", form_layout("postProcessFormLayout", rows))


def rendering_tab():
    """renderingTab, the fourth controls tab ("Rendering")."""
    contents = widget("QWidget", "renderingScrollContents", geometry=Rect(0, 0, 406, 1113)).set_layout(
        vbox("renderingControlsLayout", [
            view_group(),
            potential_contours_group(),
            probability_contours_group(),
            current_group(),
            preset_group(),
            post_process_group(),
            vspacer(20, 40),
        ]))
    area = scroll_area("renderingScrollArea", contents, frameShape=Enum("QFrame::NoFrame"), widgetResizable=True)
    return page("renderingTab", vbox("renderingTabLayout", [area]), title="Rendering")
