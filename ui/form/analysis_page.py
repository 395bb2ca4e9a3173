"""The pattern every page of the analysis stack follows, and the promoted plot
classes the pages show.

A page is a plain QWidget whose window title names it in the page selector;
its vertical layout (the page name + "Layout") holds, top to bottom, the
tutor label, the page's own controls, the summary label and the plot widget.
The plot widget comes last and is the only item that expands vertically, so
it takes all the height the page has left."""

from builder import CONSOLAS, Promoted, Size, SizePolicy, label, page, vbox, widget

# The height below which a plot would cut its own panels, axes or captions,
# read off each plot's paint layout so that every panel keeps at least
# 120 px. The page scrolls when the dock is shorter than what it holds.
# One framed panel under a title with its axis labels below:
SINGLE_PANEL_HEIGHT = 240
PLOT_MINIMUM_HEIGHTS = {
    # The pages that lay out two panels by the split layout (revival, Talbot,
    # bouncer, billiard, scar, Berry phase, Loschmidt echo, Anderson, Zeno,
    # kicked rotor, Kapitza-Dirac, Moshinsky) and the gauge pages, an upper
    # panel over a lower one of fixed height
    # (Aharonov-Bohm, Landau, Hall edge, backflow, Zitterbewegung), are not
    # listed: a wide one lays its panels side by side in a single panel's
    # height and asks for the stacked height only where it is too narrow for that.
    # A history over a fringe strip and a fixed scan panel, the history
    # squeezed towards its least height so that the scan is seen whole in the
    # view of a 1920 x 1080 monitor with its text enlarged by half (272 px,
    # 255 under a window manager's title bar).
    "QuantumRamseyPlotWidget": 255,
    "QuantumStueckelbergPlotWidget": 252,
    # Gauge pages whose summary label carries the figures a guide reads: on a
    # short page their panels go side by side down to 90 px under the title,
    # the captions under them on one line each where the page is wide, so
    # that the label and the whole plot are seen together.
    "QuantumLandauPlotWidget": 182,
    "QuantumHallEdgePlotWidget": 182,
    "QuantumZitterbewegungPlotWidget": 161,
    # Panels side by side down to 90 px on a short page likewise, their
    # summary labels carrying the flux, the fringe shift and the backflow
    # interval: the label and the whole plot are seen together on a
    # 768-line screen.
    "QuantumAharonovBohmPlotWidget": 200,
    "QuantumBackflowPlotWidget": 206,
}


def plot_class(name):
    """The promoted plot class vxo::<name>, declared in plots/<name>.h."""
    return Promoted("vxo::%s" % name, "QWidget", "plots/%s.h" % name)


def plot_widget(name, class_name, on_scrolled_page=True):
    """A plot widget built with its page as parent; on a page of the scrolled
    analysis stack it is no shorter than its panels need."""
    height = PLOT_MINIMUM_HEIGHTS.get(class_name, SINGLE_PANEL_HEIGHT) if on_scrolled_page else None
    return widget(plot_class(class_name), name, sizePolicy=SizePolicy("Preferred", "Expanding"),
                  minimumSize=Size(0, height) if height else None)


def tutor_label(name, text, **props):
    """The fixed explanation of the experiment at the top of a page."""
    return label(name, text, word_wrap=True, **props)


def summary_label(name, text, font=CONSOLAS, word_wrap=True, **props):
    """The live summary, in the value font; the form's text is a hint that the
    main window replaces at every refresh."""
    return label(name, text, word_wrap=word_wrap, font=font, **props)


def analysis_page(name, title, plot, summary=None, tutor=None, controls=(), margins=4):
    """One page of analysisStackedWidget, its items in pattern order."""
    items = ([tutor] if tutor is not None else []) + list(controls)
    items += ([summary] if summary is not None else []) + [plot]
    return page(name, vbox(name + "Layout", items, margins=margins), windowTitle=title)
