"""The window frame: actions, menus, status bar, transport header and viewport,
the five docks with their toggles and the two top-level tab widgets.

The docks' contents come from their own modules: the controls tabs from
experiment_setup (Experiment), packet_measurement (Wave Packet, Measurement)
and rendering (Rendering); the analysis tabs from analysis; the time,
diagnostics and help docks from side_docks.
"""

from builder import (BOLD, Action, Connection, Flags, Form, Icon, Promoted, Rect, Size, SizePolicy,
                     Widget, combo_box, hbox, hspacer, label, push_button, tab_widget, vbox, widget)

import analysis
import experiment_setup
import packet_measurement
import rendering
import side_docks

IMAGES_QRC = "../images/images.qrc"

QUANTUM_GL_VIEW = Promoted("vxo::QuantumGLView", "QOpenGLWidget", "view/QuantumGLView.h")

ALL_DOCK_FEATURES = Flags("QDockWidget::DockWidgetClosable|QDockWidget::DockWidgetFloatable"
                          "|QDockWidget::DockWidgetMovable")
SIDE_AREAS = Flags("Qt::LeftDockWidgetArea|Qt::RightDockWidgetArea")
BOTTOM_AREA = Flags("Qt::BottomDockWidgetArea")

# Qt::DockWidgetArea values.
LEFT, RIGHT, BOTTOM = 1, 2, 8


def image(name):
    return Icon(":/VXO/images/%s" % name, IMAGES_QRC)


def actions():
    return [
        Action("actionLoadExperimentJson", "Load Experiment...", icon=image("open.png"),
               toolTip="Load a saved JSON experiment configuration. Built-in guided presets are never overwritten.",
               shortcut="Ctrl+O"),
        Action("actionSaveExperimentJson", "Save Experiment...", icon=image("saveas.png"),
               toolTip="Save the current experiment configuration to a portable versioned JSON file. "
                       "Simulation results are not included.",
               shortcut="Ctrl+S"),
        Action("actionControlsDock", "Controls", icon=image("settings.png"), checkable=True, checked=True),
        Action("actionTimeDock", "Time", icon=image("clock.png"), checkable=True, checked=True,
               toolTip="Show the simulation time and indicative real-world time-scale dock."),
        Action("actionDiagnosticsDock", "Diagnostics", icon=image("investigation.png"), checkable=True,
               checked=True),
        Action("actionHelpDock", "Physics Help / Guida", icon=image("help.png"), checkable=True, checked=True),
        Action("actionAnalysisDock", "Analysis", icon=image("stat.png"), checkable=True, checked=True),
    ]


def central_widget():
    header = hbox("headerLayout", [
        push_button("playButton", "Play", toolTip="Start or resume the simulation."),
        push_button("pauseButton", "Pause", enabled=False,
                    toolTip="Pause without changing the current quantum state."),
        push_button("stopButton", "Stop", enabled=False, toolTip="Stop the run and leave the final frame visible."),
        push_button("stepButton", "Step", toolTip="Advance exactly one numerical dt."),
        push_button("resetButton", "Reset", toolTip="Rebuild the initial state and return to t=0."),
        label("transportStateCaption", "State:"),
        label("transportStateLabel", "STOPPED", minimumSize=Size(72, 0), font=BOLD),
        label("speedLabel", "Speed:"),
        combo_box("speedComboBox", ["0.25x", "0.50x", "1.00x", "2.00x", "4.00x", "8.00x", "16.00x"], current=2,
                  toolTip="Transport speed. Numerical dt remains unchanged."),
        hspacer(40, 20),
    ])
    # Small enough that the window, its docks and an analysis page showing a
    # panel with its axis and caption whole fit a 1366 x 768 screen, and a
    # 1920 x 1080 one with its text enlarged by half; the view grows with the
    # window.
    view = widget(QUANTUM_GL_VIEW, "quantumView", sizePolicy=SizePolicy("Expanding", "Expanding", 1, 1),
                  minimumSize=Size(480, 220))
    return Widget("QWidget", "centralWidget").set_layout(vbox("verticalLayout_3", [header, view]))


def menu_bar():
    menu_file = Widget("QMenu", "menuFile", title="File")
    menu_file.add_actions = ["actionLoadExperimentJson", "actionSaveExperimentJson"]
    menu_view = Widget("QMenu", "menuView", title="View")
    menu_view.add_actions = ["actionControlsDock", "actionTimeDock", "actionDiagnosticsDock", "actionHelpDock",
                             "actionAnalysisDock"]
    bar = Widget("QMenuBar", "menuBar", geometry=Rect(0, 0, 1738, 20)).add(menu_file, menu_view)
    bar.add_actions = ["menuFile", "menuView"]
    return bar


def dock(name, title, minimum, areas, area, contents):
    """A dock with the full feature set; `contents` is its widget."""
    w = Widget("QDockWidget", name, minimumSize=Size(*minimum), features=ALL_DOCK_FEATURES, allowedAreas=areas,
               windowTitle=title)
    return w.attr("dockWidgetArea", area).add(contents)


def controls_dock():
    tabs = tab_widget("controlsTabWidget", [
        experiment_setup.experiment_tab(),
        packet_measurement.wave_packet_tab(),
        packet_measurement.measurement_tab(),
        rendering.rendering_tab(),
    ], current=0)
    contents = Widget("QWidget", "controlsDockContents").set_layout(vbox("controlsDockLayout", [tabs], margins=4))
    return dock("controlsDockWidget", "Controls", (398, 583), SIDE_AREAS, LEFT, contents)


def analysis_dock():
    tabs = tab_widget("analysisTabWidget", [
        analysis.cross_section_tab(),
        analysis.experiment_analysis_tab(),
    ], current=0)
    # No margins around the tabs: on a 768-line screen each pixel of the dock's
    # height goes to the page's figure.
    contents = Widget("QWidget", "analysisDockContents").set_layout(vbox("verticalLayout_4", [tabs], margins=0))
    # 600 px wide at least, not the 642 px of old: between the side docks at
    # their minimum widths on a 1366 px screen.
    return dock("analysisDockWidget", "Analysis", (560, 233), BOTTOM_AREA, BOTTOM, contents)


def toggle(action, dock_name):
    return Connection(action, "toggled(bool)", dock_name, "setVisible(bool)")


def main_window():
    # 800 px wide at least, not the 980 px of old: a 1024 px projector with its
    # text enlarged by a quarter is 819 logical px wide; the main window
    # squeezes its side column there.
    window = Widget("QMainWindow", "MainWindow", geometry=Rect(0, 0, 1738, 1216), minimumSize=Size(800, 0),
                    windowTitle="Ondrivel", windowIcon=image("icon.png"), dockNestingEnabled=True)
    window.add(
        central_widget(),
        menu_bar(),
        Widget("QStatusBar", "statusBar"),
        controls_dock(),
        analysis_dock(),
        dock("timeDockWidget", "Time", (310, 276), SIDE_AREAS, RIGHT, side_docks.time_dock_contents()),
        dock("diagnosticsDockWidget", "Diagnostics", (78, 97), SIDE_AREAS, RIGHT,
             side_docks.diagnostics_dock_contents()),
        dock("helpDockWidget", "Physics Help / Guida", (135, 130), SIDE_AREAS, RIGHT,
             side_docks.help_dock_contents()),
    )
    window.actions = actions()
    connections = [
        toggle("actionControlsDock", "controlsDockWidget"),
        toggle("actionTimeDock", "timeDockWidget"),
        toggle("actionDiagnosticsDock", "diagnosticsDockWidget"),
        toggle("actionHelpDock", "helpDockWidget"),
        toggle("actionAnalysisDock", "analysisDockWidget"),
    ]
    return Form(window, connections=connections, resources=[IMAGES_QRC])
