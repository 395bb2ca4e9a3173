"""The pattern every page of the analysis stack follows, and the promoted plot
classes the pages show.

A page is a plain QWidget whose window title names it in the page selector;
its vertical layout (the page name + "Layout") holds, top to bottom, the
tutor label, the page's own controls, the summary label and the plot widget.
The plot widget comes last and is the only item that expands vertically, so
it takes all the height the page has left."""

from builder import CONSOLAS, Promoted, SizePolicy, label, page, vbox, widget


def plot_class(name):
    """The promoted plot class vxo::<name>, declared in plots/<name>.h."""
    return Promoted("vxo::%s" % name, "QWidget", "plots/%s.h" % name)


def plot_widget(name, class_name):
    """A plot widget built with its page as parent; it sets no size of its own."""
    return widget(plot_class(class_name), name, sizePolicy=SizePolicy("Preferred", "Expanding"))


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
