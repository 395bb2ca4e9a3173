"""The two page shapes of the Dynamics sub-tab and the spin box helper its
pages share."""

from builder import Span, double_spin_box, form_layout, group_box, label, page, push_button, vbox, vspacer, widget


def spin(name, decimals, minimum, maximum, step, value, suffix=None, **props):
    """A double spin box; a zero default stays the toolkit's, and a step of
    None is the toolkit's single step of 1, left unset."""
    value = None if value == 0 else value
    if step is None:
        return widget("QDoubleSpinBox", name, **props).set(
            suffix=suffix, decimals=decimals, minimum=float(minimum), maximum=float(maximum),
            value=None if value is None else float(value))
    return double_spin_box(name, decimals, minimum, maximum, step, value, suffix=suffix, **props)


def hint(name, text):
    """A page's hint: its words wrap to the dock's width."""
    return label(name, text, word_wrap=True)


def _labelled(rows):
    """Form rows from (label name, label text, field) triples."""
    return [(label(label_name, text), field) for label_name, text, field in rows]


def drive_page(names, tab_text, title, check, rows, hint, spacer):
    """A drive protocol page: its group box holds the enable box, the
    parameter form and the hint inside the frame; on the pages whose group
    should not fill the height, a 0 x 0 spacer closes the column. `names` are
    the page, page layout, group box, group layout and form layout names."""
    page_name, page_layout, group_name, group_layout, form_name = names
    group = group_box(group_name, title, vbox(group_layout, [check, form_layout(form_name, _labelled(rows)), hint]))
    items = [group, vspacer(0, 0)] if spacer else [group]
    return page(page_name, vbox(page_layout, items, margins=4), title=tab_text)


def experiment_page(names, tab_text, title, check, rows, hint, apply_name=None, apply_tip=None):
    """An experiment page: the group box's form holds the enable box across
    both columns, one row per setting and, where the page has one, the
    "Apply / Reset" button across both columns; the hint stands below the
    frame, and a spacer keeps both at the top. `names` are the page, page
    layout, group box and form layout names."""
    page_name, page_layout, group_name, form_name = names
    form_rows = [Span(check)] + _labelled(rows)
    if apply_name is not None:
        form_rows.append(Span(push_button(apply_name, "Apply / Reset", toolTip=apply_tip)))
    group = group_box(group_name, title, form_layout(form_name, form_rows))
    return page(page_name, vbox(page_layout, [group, hint, vspacer()]), title=tab_text)
