"""The Potential sub-tab of the Experiment tab: the Potential Scene list and
the potential object editor (geometry selector, viewport editor and one
parameter page per kind of potential object)."""

from builder import (Size, check_box, combo_box, double_spin_box, form_layout, group_box, hbox, label, page,
                     push_button, stacked_widget, tab_widget, vbox, vspacer, widget)


def scene_page():
    buttons = hbox("potentialSceneButtonsLayout", [
        push_button("addPotentialObjectButton", "Add current",
                    toolTip="Add the geometry currently shown in the inspector as a new independent potential "
                            "object."),
        push_button("updatePotentialObjectButton", "Apply changes",
                    toolTip="Copy the current inspector values into the selected scene object."),
        push_button("deletePotentialObjectButton", "Delete"),
        push_button("clearPotentialSceneButton", "Clear"),
    ])
    scene = vbox("potentialSceneLayout", [
        check_box("potentialSceneActiveCheckBox", "Use multi-object scene",
                  toolTip="Use the objects listed below as the numerical potential. When disabled, the legacy "
                          "single geometry selected above is used."),
        widget("QListWidget", "potentialSceneListWidget", minimumSize=Size(0, 96), alternatingRowColors=True,
               toolTip="Select an object to load its parameters into the geometry inspector below."),
        buttons,
        check_box("potentialObjectEnabledCheckBox", "Selected object enabled", checked=True, enabled=False),
        label("potentialSceneHintLabel",
              "Objects contribute additively to V(x,y). Select an item to inspect it; edit values below and press "
              "Apply changes.", word_wrap=True),
    ])
    return page("potentialScenePage", vbox("potentialScenePageLayout", [
        group_box("potentialSceneGroupBox", "Potential Scene", scene),
        vspacer(0, 0),
    ], margins=4), title="Scene")


# One parameter page per kind of potential object, in the order of the kinds
# (None, Rectangle, ... Stadium Exterior): the selector's item index, the page
# index and the kind value are the same number. Each row is
# (stem, label text, decimals, minimum, maximum, step, default, tooltip); the
# objects are <prefix><stem>Label and <prefix><stem>SpinBox, and a default of
# None leaves the spin box at the toolkit's 0.
KIND_PAGES = [
    ("Rectangle", "rectangle", "rectanglePotentialFormLayout", [
        ("V0", "V0", 2, 0, 50, 0.25, 8, "Potential height inside the rectangle."),
        ("CenterX", "Center X", 2, -10.24, 10.24, 0.1, None, None),
        ("CenterY", "Center Y", 2, -10.24, 10.24, 0.1, None, None),
        ("Width", "Width X", 2, 0.08, 20.48, 0.08, 0.9, None),
        ("Height", "Height Y", 2, 0.08, 20.48, 0.08, 5, None),
    ]),
    ("Circle", "circle", "circlePotentialFormLayout", [
        ("V0", "V0", 2, 0, 50, 0.25, 8, None),
        ("CenterX", "Center X", 2, -10.24, 10.24, 0.1, None, None),
        ("CenterY", "Center Y", 2, -10.24, 10.24, 0.1, None, None),
        ("Radius", "Radius", 2, 0.08, 20.48, 0.08, 1.55, None),
    ]),
    ("Barrier", "barrier", "barrierPotentialFormLayout", [
        ("V0", "V0", 2, 0, 50, 0.25, 4.5,
         "Barrier height V0. Values above Ex place the packet in the tunneling regime."),
        ("CenterX", "Center X", 2, -7, 7, 0.1, None, None),
        ("CenterY", "Center Y", 2, -4, 4, 0.1, None, None),
        ("Length", "Length Y", 2, 0.16, 20, 0.16, 19, None),
        ("Thickness", "Thickness a", 2, 0.08, 3, 0.08, 0.64, "Physical barrier thickness a along X."),
    ]),
    ("Single Slit", "singleSlit", "singleSlitPotentialFormLayout", [
        ("V0", "V0", 2, 0, 50, 0.25, 8, None),
        ("CenterX", "Wall X", 2, -7, 7, 0.1, None, None),
        ("WallWidth", "Wall width", 2, 0.08, 2, 0.08, 0.32, None),
        ("CenterY", "Slit center Y", 2, -7, 7, 0.1, None, None),
        ("Height", "Slit height", 2, 0.08, 8, 0.08, 1.55, None),
    ]),
    ("Double Slit", "doubleSlit", "doubleSlitPotentialFormLayout", [
        ("V0", "V0", 2, 0, 50, 0.25, 8, None),
        ("CenterX", "Wall X", 2, -7, 7, 0.1, None, None),
        ("WallWidth", "Wall width", 2, 0.08, 2, 0.08, 0.32, None),
        ("CenterY", "Group center Y", 2, -6, 6, 0.1, None, None),
        ("Separation", "Separation", 2, 0.16, 10, 0.08, 2.2,
         "Centre-to-centre separation between the two apertures."),
        ("Height", "Slit height", 2, 0.08, 5, 0.08, 0.7, None),
    ]),
    ("Polygon", "polygon", "polygonPotentialFormLayout", [
        ("V0", "V0", 2, 0, 50, 0.25, 8, None),
        ("CenterX", "Center X", 2, -7, 7, 0.1, -0.45, None),
        ("CenterY", "Center Y", 2, -7, 7, 0.1, None, None),
        ("Width", "Width X", 2, 0.16, 10, 0.08, 2.3, "Tip-to-base width of the triangular wedge."),
        ("Height", "Height Y", 2, 0.16, 14, 0.08, 4.4, None),
    ]),
    ("Gaussian", "gaussian", "gaussianPotentialPageFormLayout", [
        ("Amplitude", "Amplitude A", 3, -50, 50, 0.25, -4,
         "Signed Gaussian amplitude: positive = barrier, negative = well."),
        ("CenterX", "Center X", 3, -40, 40, 0.1, 0, None),
        ("CenterY", "Center Y", 3, -40, 40, 0.1, 0, None),
        ("SigmaX", "Sigma X", 3, 0.08, 40, 0.08, 2, "Gaussian width along X."),
        ("SigmaY", "Sigma Y", 3, 0.08, 40, 0.08, 2, "Gaussian width along Y."),
    ]),
    ("Harmonic", "harmonic", "harmonicPotentialPageFormLayout", [
        ("Offset", "V offset", 3, -50, 50, 0.25, 0, "Potential value at the trap centre."),
        ("CenterX", "Center X", 3, -40, 40, 0.1, 0, None),
        ("CenterY", "Center Y", 3, -40, 40, 0.1, 0, None),
        ("Kx", "k X", 3, -5, 5, 0.02, 0.36, "Curvature in V=Voff+1/2 kx (x-xc)^2+1/2 ky (y-yc)^2."),
        ("Ky", "k Y", 3, -5, 5, 0.02, 0.36, "Positive curvature confines; negative curvature is inverted."),
    ]),
    ("Linear", "linear", "linearPotentialPageFormLayout", [
        ("Offset", "V offset", 3, -50, 50, 0.25, 0, "Potential value at the reference point."),
        ("CenterX", "Reference X", 3, -40, 40, 0.1, 0, None),
        ("CenterY", "Reference Y", 3, -40, 40, 0.1, 0, None),
        ("SlopeX", "F X", 3, -5, 5, 0.02, 0.2, "Slope dV/dx. The quantum force is -dV/dx."),
        ("SlopeY", "F Y", 3, -5, 5, 0.02, 0, "Slope dV/dy. The quantum force is -dV/dy."),
    ]),
    ("Softened Radial", "radial", "radialPotentialPageFormLayout", [
        ("Coupling", "Coupling g", 3, -50, 50, 0.25, -4, "V=g/sqrt(r^2+eps^2): negative attracts, positive repels."),
        ("CenterX", "Center X", 3, -40, 40, 0.1, 0, None),
        ("CenterY", "Center Y", 3, -40, 40, 0.1, 0, None),
        ("Softening", "Softening eps", 3, 0.08, 20, 0.08, 0.6,
         "Finite core radius that removes the singularity at r=0."),
    ]),
    ("Stadium Exterior", "stadium", "stadiumPotentialFormLayout", [
        ("V0", "Wall V0", 1, 1, 500, 5, 120,
         "Potential outside the Bunimovich stadium. The interior remains at zero unless other scene objects are "
         "added."),
        ("CenterX", "Center X", 2, -40, 40, 0.1, None, None),
        ("CenterY", "Center Y", 2, -40, 40, 0.1, None, None),
        ("Straight", "Straight length", 2, 0.2, 60, 0.2, 8,
         "Distance between the centres of the two semicircular end caps."),
        ("Radius", "Radius", 2, 0.2, 30, 0.1, 4.5,
         "Common radius of the two semicircular caps and half-height of the central rectangle."),
    ]),
]


def kind_page(prefix, layout_name, rows):
    form = form_layout(layout_name, [
        (label("%s%sLabel" % (prefix, stem), text),
         double_spin_box("%s%sSpinBox" % (prefix, stem), decimals, minimum, maximum, step, default, toolTip=tip))
        for stem, text, decimals, minimum, maximum, step, default, tip in rows
    ])
    return page("%sPotentialPage" % prefix, form)


def object_page():
    none_page = page("nonePotentialPage", vbox("nonePotentialLayout", [
        label("nonePotentialLabel", "No external potential: V(x,y) = 0.", word_wrap=True),
    ]))
    kinds = stacked_widget("geometryParametersStackedWidget",
                           [none_page] + [kind_page(prefix, layout, rows) for _, prefix, layout, rows in KIND_PAGES],
                           current=3)
    selector = form_layout("geometrySelectorFormLayout", [
        (label("geometryLabel", "Geometry"),
         combo_box("geometryComboBox", ["None"] + [item for item, _, _, _ in KIND_PAGES], current=3,
                   toolTip="Select the potential geometry. The parameter page below changes with the selected "
                           "primitive.")),
    ])
    editor = vbox("viewportEditorLayout", [
        check_box("viewportEditCheckBox", "Edit potential in viewport",
                  toolTip="Enable direct drawing of Rectangle or Circle geometry in the OpenGL viewport. In "
                          "Potential Scene mode each completed drag adds a new scene object."),
        form_layout("viewportEditorFormLayout", [
            (label("viewportEditToolLabel", "Tool"),
             combo_box("viewportEditToolComboBox", ["Rectangle", "Circle"], enabled=False)),
        ]),
        label("viewportEditorHintLabel",
              "Rectangle: drag corner-to-corner. Circle: press at center and drag to radius. V0 comes from the "
              "matching parameter page. With Potential Scene active, every completed drag adds a new object.",
              word_wrap=True, enabled=False),
    ])
    group = group_box("geometryGroupBox", "Potential Object", vbox("geometryGroupLayout", [
        selector,
        group_box("viewportEditorGroupBox", "Viewport editor", editor),
        kinds,
    ]))
    return page("potentialObjectPage", vbox("potentialObjectPageLayout", [group, vspacer(0, 0)], margins=4),
                title="Object")


def potential_page():
    tabs = tab_widget("potentialSubTabWidget", [scene_page(), object_page()], current=0, document_mode=True)
    return page("experimentPotentialPage", vbox("experimentPotentialLayout", [tabs], margins=0), title="Potential")
