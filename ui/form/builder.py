"""A small builder for Qt Designer forms (.ui files, version 4.0).

A form is a tree of Widget, Layout and Spacer nodes plus actions and
connections. Writing it gives the XML that Qt Designer itself writes: one
element per line, one space of indentation per level, properties in the order
given (QWidget-level properties first, in the order Designer uses). uic turns
that file into the form object; what uic does with each construct is noted
where it matters:

- strings are translatable unless made with notr(); uic sets translatable
  texts in retranslateUi() and the others during set-up;
- combo box items are added empty during set-up and named by index in the
  retranslation;
- a `currentIndex` property of a combo box, tab widget or stacked widget is
  set at the end of set-up, after the retranslation and the connections, in
  the order in which the widgets stand in the file;
- tab texts (the `title` attribute of a tab page) are set by index of page.

Everything here is standard library only.
"""

from xml.sax.saxutils import escape, quoteattr

# --------------------------------------------------------------------------
# Property values


class Text:
    """A string property value; notr strings are set during set-up."""

    def __init__(self, text, notr=False):
        self.text = text
        self.notr = notr


def notr(text):
    """A string that uic sets during set-up, without translation."""
    return Text(text, notr=True)


class Enum:
    """An enumerator, e.g. Enum('QFrame::StyledPanel')."""

    def __init__(self, value):
        self.value = value


class Flags:
    """A set of flags, e.g. Flags('Qt::AlignRight|Qt::AlignVCenter')."""

    def __init__(self, value):
        self.value = value


class Size:
    def __init__(self, width, height):
        self.width = width
        self.height = height


class Rect:
    def __init__(self, x, y, width, height):
        self.x, self.y, self.width, self.height = x, y, width, height


class SizePolicy:
    """Horizontal and vertical policy names without the QSizePolicy:: prefix."""

    def __init__(self, horizontal, vertical, horizontal_stretch=0, vertical_stretch=0):
        self.horizontal = horizontal
        self.vertical = vertical
        self.horizontal_stretch = horizontal_stretch
        self.vertical_stretch = vertical_stretch


class Font:
    """A font built on the default one; only the given fields change."""

    def __init__(self, family=None, point_size=None, weight=None, bold=None, italic=None):
        self.family = family
        self.point_size = point_size
        self.weight = weight
        self.bold = bold
        self.italic = italic


# The four fonts the form uses.
BOLD = Font(weight=75, bold=True)
CONSOLAS = Font(family="Consolas")
CONSOLAS_BOLD = Font(family="Consolas", weight=75, bold=True)
CONSOLAS_8 = Font(family="Consolas", point_size=8)


class Icon:
    """An icon from one resource file (Normal mode, Off state)."""

    def __init__(self, path, resource):
        self.path = path
        self.resource = resource


class Double:
    """A floating-point value that stays <double> even when integral."""

    def __init__(self, value):
        self.value = float(value)


# --------------------------------------------------------------------------
# Nodes


class Promoted:
    """A promoted widget class: its C++ name, the Qt class it extends, its header."""

    def __init__(self, name, extends, header):
        self.name = name
        self.extends = extends
        self.header = header


# QWidget-level properties in Designer's order; they are written before the
# class's own properties.
_WIDGET_PROPERTY_ORDER = [
    "enabled", "geometry", "sizePolicy", "minimumSize", "maximumSize", "font",
    "focusPolicy", "windowTitle", "windowIcon", "toolTip", "statusTip",
    "autoFillBackground", "styleSheet",
]


class Widget:
    """A widget element. Properties keep the order given (after the QWidget-level
    ones); children are widgets held without a layout (tab and stacked pages,
    dock contents, scroll area contents, menus)."""

    def __init__(self, cls, name, **props):
        self.cls = cls
        self.name = name
        self.props = []
        self.attrs = []
        self.layout = None
        self.children = []
        self.items = None      # combo box item texts
        self.columns = None    # table widget header texts
        self.actions = []      # Action definitions (main window)
        self.add_actions = []  # names shown in a menu or menu bar
        self.set(**props)

    @property
    def class_name(self):
        return self.cls.name if isinstance(self.cls, Promoted) else self.cls

    def set(self, **props):
        """Sets properties in the order given; None leaves a property unset."""
        for key, value in props.items():
            if value is not None:
                self.props = [(k, v) for k, v in self.props if k != key]
                self.props.append((key, value))
        return self

    def get(self, key, default=None):
        for k, v in self.props:
            if k == key:
                return v
        return default

    def attr(self, key, value):
        """An <attribute>: the tab text `title` of a page, `dockWidgetArea`."""
        self.attrs.append((key, value))
        return self

    def set_layout(self, layout):
        self.layout = layout
        return self

    def add(self, *children):
        self.children.extend(children)
        return self

    def ordered_props(self):
        rank = {name: i for i, name in enumerate(_WIDGET_PROPERTY_ORDER)}
        indexed = list(enumerate(self.props))
        indexed.sort(key=lambda p: (rank.get(p[1][0], len(rank)), p[0]))
        return [p for _, p in indexed]


class Layout:
    """A layout element. Box layouts take items in order; form and grid layouts
    take (row, column, colspan) cells."""

    def __init__(self, cls, name, margins=None, spacing=None, **props):
        self.cls = cls
        self.name = name
        self.props = []
        if spacing is not None:
            self.props.append(("spacing", spacing))
        if margins is not None:
            left, top, right, bottom = (margins,) * 4 if isinstance(margins, int) else margins
            self.props += [("leftMargin", left), ("topMargin", top), ("rightMargin", right), ("bottomMargin", bottom)]
        self.props += [(k, v) for k, v in props.items() if v is not None]
        self.items = []  # (node, cell attributes)

    def add(self, node, row=None, column=None, colspan=None, alignment=None):
        cell = []
        if row is not None:
            cell.append(("row", row))
        if column is not None:
            cell.append(("column", column))
        if colspan is not None:
            cell.append(("colspan", colspan))
        if alignment is not None:
            cell.append(("alignment", alignment))
        self.items.append((node, cell))
        return node


class Spacer:
    """An unnamed spacer item; names (horizontalSpacer, verticalSpacer_2, ...)
    are given when the form is written."""

    def __init__(self, orientation, width, height, size_type="Expanding"):
        self.orientation = orientation
        self.width = width
        self.height = height
        self.size_type = size_type


class Action:
    def __init__(self, name, text, icon=None, checkable=None, checked=None, toolTip=None, shortcut=None):
        self.name = name
        self.props = [(k, v) for k, v in [("checkable", checkable), ("checked", checked), ("icon", icon),
                                          ("text", text), ("toolTip", toolTip), ("shortcut", shortcut)]
                      if v is not None]


class Connection:
    def __init__(self, sender, signal, receiver, slot):
        self.sender, self.signal, self.receiver, self.slot = sender, signal, receiver, slot


# --------------------------------------------------------------------------
# Widget helpers. Extra keyword arguments are further properties.


def widget(cls, name, **props):
    return Widget(cls, name, **props)


def label(name, text=None, word_wrap=None, font=None, alignment=None, **props):
    w = Widget("QLabel", name, font=font, **props)
    return w.set(text=text, alignment=Flags(alignment) if alignment else None, wordWrap=word_wrap)


def push_button(name, text, **props):
    return Widget("QPushButton", name, **props).set(text=text)


def check_box(name, text, checked=None, **props):
    return Widget("QCheckBox", name, **props).set(text=text, checked=checked)


def combo_box(name, items, current=None, **props):
    """A combo box with fixed item texts; `current` is the default index."""
    w = Widget("QComboBox", name, **props)
    w.items = list(items)
    return w.set(currentIndex=current)


def double_spin_box(name, decimals, minimum, maximum, step, value=None, suffix=None, **props):
    """Decimals, minimum, maximum, single step and value, in that order; a value
    of None leaves the toolkit default (0)."""
    w = Widget("QDoubleSpinBox", name, **props).set(suffix=suffix)
    return w.set(decimals=decimals, minimum=Double(minimum), maximum=Double(maximum), singleStep=Double(step),
                 value=None if value is None else Double(value))


def spin_box(name, minimum, maximum, step=None, value=None, suffix=None, **props):
    w = Widget("QSpinBox", name, **props).set(suffix=suffix)
    return w.set(minimum=minimum, maximum=maximum, singleStep=step, value=value)


def group_box(name, title, layout, **props):
    return Widget("QGroupBox", name, **props).set(title=title).set_layout(layout)


def page(name, layout=None, title=None, **props):
    """A tab or stacked page: a QWidget created without parent; `title` is its
    tab text."""
    w = Widget("QWidget", name, **props).set_layout(layout)
    if title is not None:
        w.attr("title", title)
    return w


def tab_widget(name, pages, current=None, document_mode=None, **props):
    w = Widget("QTabWidget", name, **props).set(currentIndex=current, documentMode=document_mode)
    return w.add(*pages)


def stacked_widget(name, pages, current=None, **props):
    w = Widget("QStackedWidget", name, **props).set(currentIndex=current)
    return w.add(*pages)


def scroll_area(name, contents, **props):
    """A scroll area whose widget is `contents` (give the contents a geometry)."""
    return Widget("QScrollArea", name, **props).add(contents)


# --------------------------------------------------------------------------
# Layout helpers


def _box(cls, name, items, margins, spacing, props):
    layout = Layout(cls, name, margins=margins, spacing=spacing, **props)
    for item in items:
        if isinstance(item, tuple):  # (node, alignment)
            layout.add(item[0], alignment=item[1])
        else:
            layout.add(item)
    return layout


def vbox(name, items, margins=None, spacing=None, **props):
    """A QVBoxLayout; items are widgets, layouts, spacers or (node, alignment)."""
    return _box("QVBoxLayout", name, items, margins, spacing, props)


def hbox(name, items, margins=None, spacing=None, **props):
    return _box("QHBoxLayout", name, items, margins, spacing, props)


class Span:
    """A form layout row holding one widget across both columns."""

    def __init__(self, node):
        self.node = node


def form_layout(name, rows, margins=None, spacing=None, **props):
    """A QFormLayout; row r is rows[r]: a (label, field) pair, Span(widget), or a
    pair with None for an empty role."""
    layout = Layout("QFormLayout", name, margins=margins, spacing=spacing, **props)
    for r, row in enumerate(rows):
        if isinstance(row, Span):
            layout.add(row.node, row=r, column=0, colspan=2)
        else:
            label_node, field_node = row
            if label_node is not None:
                layout.add(label_node, row=r, column=0)
            if field_node is not None:
                layout.add(field_node, row=r, column=1)
    return layout


def grid_layout(name, cells, margins=None, spacing=None, **props):
    """A QGridLayout; cells are (row, column, node) or (row, column, node, colspan)."""
    layout = Layout("QGridLayout", name, margins=margins, spacing=spacing, **props)
    for cell in cells:
        row, column, node = cell[:3]
        layout.add(node, row=row, column=column, colspan=cell[3] if len(cell) > 3 else None)
    return layout


def hspacer(width=40, height=20, size_type="Expanding"):
    return Spacer("Qt::Horizontal", width, height, size_type)


def vspacer(width=20, height=40, size_type="Expanding"):
    return Spacer("Qt::Vertical", width, height, size_type)


# --------------------------------------------------------------------------
# Writing


class FormError(Exception):
    pass


def _fmt_double(value):
    return "%.15f" % value


class _Writer:
    def __init__(self):
        self.lines = []
        self.names = {}
        self.spacer_counts = {}
        self.promoted = []

    def line(self, depth, text):
        self.lines.append(" " * depth + text)

    def claim(self, name, what):
        if not name:
            raise FormError("a %s has no object name" % what)
        if name in self.names:
            raise FormError("object name %r used twice" % name)
        self.names[name] = what

    # values ---------------------------------------------------------------
    def value(self, depth, value):
        d = depth
        if isinstance(value, bool):
            self.line(d, "<bool>%s</bool>" % ("true" if value else "false"))
        elif isinstance(value, int):
            self.line(d, "<number>%d</number>" % value)
        elif isinstance(value, float):
            self.line(d, "<double>%s</double>" % _fmt_double(value))
        elif isinstance(value, Double):
            self.line(d, "<double>%s</double>" % _fmt_double(value.value))
        elif isinstance(value, str):
            self.line(d, "<string>%s</string>" % escape(value))
        elif isinstance(value, Text):
            attr = ' notr="true"' if value.notr else ""
            self.line(d, "<string%s>%s</string>" % (attr, escape(value.text)))
        elif isinstance(value, Enum):
            self.line(d, "<enum>%s</enum>" % value.value)
        elif isinstance(value, Flags):
            self.line(d, "<set>%s</set>" % value.value)
        elif isinstance(value, Size):
            self.line(d, "<size>")
            self.line(d + 1, "<width>%d</width>" % value.width)
            self.line(d + 1, "<height>%d</height>" % value.height)
            self.line(d, "</size>")
        elif isinstance(value, Rect):
            self.line(d, "<rect>")
            for tag in ("x", "y", "width", "height"):
                self.line(d + 1, "<%s>%d</%s>" % (tag, getattr(value, tag), tag))
            self.line(d, "</rect>")
        elif isinstance(value, SizePolicy):
            self.line(d, '<sizepolicy hsizetype="%s" vsizetype="%s">' % (value.horizontal, value.vertical))
            self.line(d + 1, "<horstretch>%d</horstretch>" % value.horizontal_stretch)
            self.line(d + 1, "<verstretch>%d</verstretch>" % value.vertical_stretch)
            self.line(d, "</sizepolicy>")
        elif isinstance(value, Font):
            self.line(d, "<font>")
            if value.family is not None:
                self.line(d + 1, "<family>%s</family>" % escape(value.family))
            if value.point_size is not None:
                self.line(d + 1, "<pointsize>%d</pointsize>" % value.point_size)
            if value.weight is not None:
                self.line(d + 1, "<weight>%d</weight>" % value.weight)
            if value.italic is not None:
                self.line(d + 1, "<italic>%s</italic>" % ("true" if value.italic else "false"))
            if value.bold is not None:
                self.line(d + 1, "<bold>%s</bold>" % ("true" if value.bold else "false"))
            self.line(d, "</font>")
        elif isinstance(value, Icon):
            self.line(d, "<iconset resource=%s>" % quoteattr(value.resource))
            self.line(d + 1, "<normaloff>%s</normaloff>%s</iconset>" % (escape(value.path), escape(value.path)))
        else:
            raise FormError("unsupported property value %r" % (value,))

    def prop(self, depth, name, value, stdset=True):
        extra = "" if stdset else ' stdset="0"'
        self.line(depth, '<property name="%s"%s>' % (name, extra))
        self.value(depth + 1, value)
        self.line(depth, "</property>")

    # nodes ----------------------------------------------------------------
    def widget(self, depth, w):
        self.claim(w.name, "widget")
        if isinstance(w.cls, Promoted) and all(p.name != w.cls.name for p in self.promoted):
            self.promoted.append(w.cls)
        self.check(w)
        self.line(depth, '<widget class="%s" name="%s">' % (w.class_name, w.name))
        for key, value in w.ordered_props():
            self.prop(depth + 1, key, value)
        for key, value in w.attrs:
            self.line(depth + 1, '<attribute name="%s">' % key)
            self.value(depth + 2, value)
            self.line(depth + 1, "</attribute>")
        for text in w.columns or []:
            self.line(depth + 1, "<column>")
            self.prop(depth + 2, "text", text)
            self.line(depth + 1, "</column>")
        for text in w.items or []:
            self.line(depth + 1, "<item>")
            self.prop(depth + 2, "text", text)
            self.line(depth + 1, "</item>")
        if w.layout is not None:
            self.layout(depth + 1, w.layout)
        for child in w.children:
            self.widget(depth + 1, child)
        for action in w.actions:
            self.action(depth + 1, action)
        for name in w.add_actions:
            self.line(depth + 1, '<addaction name="%s"/>' % name)
        self.line(depth, "</widget>")

    def layout(self, depth, layout):
        self.claim(layout.name, "layout")
        self.line(depth, '<layout class="%s" name="%s">' % (layout.cls, layout.name))
        for key, value in layout.props:
            self.prop(depth + 1, key, value)
        for node, cell in layout.items:
            attrs = "".join(' %s="%s"' % (k, v) for k, v in cell)
            self.line(depth + 1, "<item%s>" % attrs)
            if isinstance(node, Widget):
                self.widget(depth + 2, node)
            elif isinstance(node, Layout):
                self.layout(depth + 2, node)
            elif isinstance(node, Spacer):
                self.spacer(depth + 2, node)
            else:
                raise FormError("layout %s holds %r" % (layout.name, node))
            self.line(depth + 1, "</item>")
        self.line(depth, "</layout>")

    def spacer(self, depth, s):
        base = "horizontalSpacer" if s.orientation == "Qt::Horizontal" else "verticalSpacer"
        n = self.spacer_counts.get(base, 0) + 1
        self.spacer_counts[base] = n
        name = base if n == 1 else "%s_%d" % (base, n)
        self.line(depth, '<spacer name="%s">' % name)
        self.prop(depth + 1, "orientation", Enum(s.orientation))
        if s.size_type != "Expanding":
            self.prop(depth + 1, "sizeType", Enum("QSizePolicy::" + s.size_type))
        self.prop(depth + 1, "sizeHint", Size(s.width, s.height), stdset=False)
        self.line(depth, "</spacer>")

    def action(self, depth, a):
        self.claim(a.name, "action")
        self.line(depth, '<action name="%s">' % a.name)
        for key, value in a.props:
            self.prop(depth + 1, key, value)
        self.line(depth, "</action>")

    def check(self, w):
        """Catches slips that uic would accept silently."""
        current = w.get("currentIndex")
        if current is not None:
            count = len(w.items) if w.items is not None else len(w.children)
            if not 0 <= current < count:
                raise FormError("%s: current index %d outside 0..%d" % (w.name, current, count - 1))
        if w.class_name in ("QDoubleSpinBox", "QSpinBox"):
            def num(key, default):
                v = w.get(key)
                return default if v is None else (v.value if isinstance(v, Double) else v)
            lo, hi, value = num("minimum", 0), num("maximum", 99), num("value", 0)
            if not lo <= value <= hi:
                raise FormError("%s: value %g outside %g..%g" % (w.name, value, lo, hi))
        if w.class_name in ("QTabWidget",):
            for p in w.children:
                if not any(k == "title" for k, _ in p.attrs):
                    raise FormError("%s: page %s has no tab text" % (w.name, p.name))


class Form:
    """The whole form: the window widget, the connections and the resource
    files (paths relative to the .ui file)."""

    def __init__(self, window, connections=(), resources=()):
        self.window = window
        self.connections = list(connections)
        self.resources = list(resources)
        self.named_objects = 0
        self.spacers = 0

    def xml(self):
        w = _Writer()
        w.line(0, '<?xml version="1.0" encoding="UTF-8"?>')
        w.line(0, '<ui version="4.0">')
        w.line(1, "<class>%s</class>" % self.window.name)
        w.widget(1, self.window)
        if w.promoted:
            w.line(1, "<customwidgets>")
            for p in w.promoted:
                w.line(2, "<customwidget>")
                w.line(3, "<class>%s</class>" % p.name)
                w.line(3, "<extends>%s</extends>" % p.extends)
                w.line(3, "<header>%s</header>" % p.header)
                w.line(2, "</customwidget>")
            w.line(1, "</customwidgets>")
        if self.resources:
            w.line(1, "<resources>")
            for location in self.resources:
                w.line(2, "<include location=%s/>" % quoteattr(location))
            w.line(1, "</resources>")
        if self.connections:
            w.line(1, "<connections>")
            for c in self.connections:
                for name in (c.sender, c.receiver):
                    if name not in w.names:
                        raise FormError("connection names an unknown object %r" % name)
                w.line(2, "<connection>")
                w.line(3, "<sender>%s</sender>" % c.sender)
                w.line(3, "<signal>%s</signal>" % c.signal)
                w.line(3, "<receiver>%s</receiver>" % c.receiver)
                w.line(3, "<slot>%s</slot>" % c.slot)
                w.line(2, "</connection>")
            w.line(1, "</connections>")
        w.line(0, "</ui>")
        self.named_objects = len(w.names)
        self.spacers = sum(w.spacer_counts.values())
        return "\n".join(w.lines) + "\n"
