"""The contents of the three docks on the right: time, diagnostics, help."""

from builder import (CONSOLAS_8, Enum, Flags, Widget, grid_layout, label, notr, page, tab_widget, vbox, vspacer,
                     widget)

import help_pages

# The time dock is dark whatever the application palette; its labels are
# styled by object name, so renaming one loses its look.
TIME_DOCK_STYLE = "\n".join([
    "QWidget#timeDockContents { background-color: #0d131a; color: #dbe7f2; }",
    "QFrame#timePrimaryFrame { background-color: #111d27; border: 1px solid #31556b; border-radius: 7px; }",
    "QFrame#timeDetailsFrame { background-color: #11171e; border: 1px solid #283845; border-radius: 6px; }",
    "QLabel#timeTitleLabel { color: #8fdcff; font-size: 10pt; font-weight: 700; }",
    "QLabel#timeSimulationCaptionLabel, QLabel#timeRealCaptionLabel "
    "{ color: #9fb3c5; font-size: 8pt; font-weight: 600; }",
    "QLabel#timeSimulationValueLabel { color: #78dcff; font-family: Consolas; font-size: 21pt; font-weight: 700; }",
    "QLabel#timeRealValueLabel { color: #ffd166; font-family: Consolas; font-size: 23pt; font-weight: 700; }",
    "QLabel#timeIndicativeLabel { color: #ff9f43; font-size: 8pt; font-weight: 700; }",
    "QLabel#timeReferenceTitleLabel, QLabel#timeLengthScaleTitleLabel, QLabel#timeTimeScaleTitleLabel "
    "{ color: #8296a8; font-size: 8pt; font-weight: 600; }",
    "QLabel#timeReferenceValueLabel, QLabel#timeLengthScaleValueLabel, QLabel#timeTimeScaleValueLabel "
    "{ color: #edf5fb; font-family: Consolas; font-size: 9pt; font-weight: 600; }",
])

CENTRED = "Qt::AlignCenter"


def time_dock_contents():
    primary = vbox("timePrimaryLayout", [
        label("timeSimulationCaptionLabel", "SIMULATION TIME", alignment=CENTRED),
        label("timeSimulationValueLabel", "t = 0.000", alignment=CENTRED),
        label("timeRealCaptionLabel", "REAL-WORLD TIME", alignment=CENTRED),
        label("timeRealValueLabel", "~ 0 s", alignment=CENTRED),
        label("timeIndicativeLabel", "INDICATIVE - representative experimental scale", alignment=CENTRED),
    ], margins=(10, 8, 10, 8), spacing=2)
    details = grid_layout("timeDetailsLayout", [
        (0, 0, label("timeReferenceTitleLabel", "Reference")),
        (0, 1, label("timeReferenceValueLabel", "--", word_wrap=True)),
        (1, 0, label("timeLengthScaleTitleLabel", "Space scale")),
        (1, 1, label("timeLengthScaleValueLabel", "--")),
        (2, 0, label("timeTimeScaleTitleLabel", "Time scale")),
        (2, 1, label("timeTimeScaleValueLabel", "--")),
    ], margins=(9, 7, 9, 7), horizontalSpacing=8, verticalSpacing=4)
    layout = vbox("timeDockLayout", [
        label("timeTitleLabel", "SIMULATION / REAL-WORLD TIME", alignment=CENTRED),
        widget("QFrame", "timePrimaryFrame", frameShape=Enum("QFrame::StyledPanel")).set_layout(primary),
        widget("QFrame", "timeDetailsFrame", frameShape=Enum("QFrame::StyledPanel")).set_layout(details),
        vspacer(20, 12),
    ], margins=8, spacing=8)
    return Widget("QWidget", "timeDockContents", styleSheet=notr(TIME_DOCK_STYLE)).set_layout(layout)


def diagnostics_dock_contents():
    table = widget("QTableWidget", "diagnosticsTable", font=CONSOLAS_8,
                   editTriggers=Flags("QAbstractItemView::NoEditTriggers"), alternatingRowColors=True,
                   selectionMode=Enum("QAbstractItemView::SingleSelection"),
                   selectionBehavior=Enum("QAbstractItemView::SelectRows"), showGrid=False, wordWrap=False,
                   columnCount=3)
    table.columns = ["Section", "Parameter", "Value"]
    return Widget("QWidget", "diagnosticsDockContents").set_layout(
        vbox("diagnosticsDockLayout", [table], margins=4))


def help_browser(name, html):
    # Links load inside the dock; nothing is handed to the desktop.
    return widget("QTextBrowser", name, html=notr(html), openExternalLinks=False, openLinks=True)


def help_dock_contents():
    tabs = tab_widget("helpLanguageTabWidget", [
        page("helpItalianTab", vbox("helpItalianTabLayout", [
            help_browser("helpItalianBrowser", help_pages.italian_html()),
        ], margins=2), title="Italiano"),
        page("helpEnglishTab", vbox("helpEnglishTabLayout", [
            help_browser("helpEnglishBrowser", help_pages.english_html()),
        ], margins=2), title="English"),
    ], current=0)
    return Widget("QWidget", "helpDockContents").set_layout(vbox("helpDockLayout", [tabs], margins=4))
