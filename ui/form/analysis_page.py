"""The pattern every page of the analysis stack follows, and the promoted plot
classes the pages show.

A page is a plain QWidget whose window title names it in the page selector;
its vertical layout (the page name + "Layout") holds, top to bottom, the
tutor label, the page's own controls, the summary label and the plot widget.
The plot widget comes last and is the only item that expands vertically, so
it takes all the height the page has left."""

from builder import CONSOLAS, Promoted, Size, SizePolicy, label, page, vbox, widget

# The least height of a plot on a page of the scrolled analysis stack: below
# it the plot would cut its own panels, axes or captions. Above it the plot
# takes the height the page gives it and lays its panels out in it, two-panel
# plots side by side where they are short and wide (down to 90 px panels). On
# a 768-line screen, and on a 614-line one with its text enlarged by a
# quarter, the analysis dock is short: what the plots ask for decides whether
# a page's figure is seen whole there. The page scrolls when the dock is
# shorter than what it holds.
# One framed panel of about 100 px under a title with its axis labels below:
SINGLE_PANEL_HEIGHT = 160
PLOT_MINIMUM_HEIGHTS = {
    # A history over a fringe strip beside a fixed scan panel, and their
    # summary labels above them whole on a 1024 x 768 screen.
    "QuantumRamseyPlotWidget": 150,
    "QuantumStueckelbergPlotWidget": 150,
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
