"""The form's contract as data: every named object of the form with its class,
its parent and the properties this builder gives it, in the JSON the form
contract test reads. The test compares the compiled form against this file,
so each text, range and default lives once, in the form modules.

Values are typed as the test compares them: strings, booleans, integers,
doubles, sizes [width, height], rectangles [x, y, width, height] and
enumerators or flags by their names. Fonts, size policies and icons are not
exported; the tests of the window check what they decide."""

import json

from builder import Double, Enum, Flags, Font, Icon, Layout, Rect, Size, SizePolicy, Text, Widget

_NOT_EXPORTED = (Font, Icon, SizePolicy)


def _value(value):
    """The JSON form of a property value, or None when it is not exported."""
    if isinstance(value, bool):
        return {"bool": value}
    if isinstance(value, int):
        return {"int": value}
    if isinstance(value, float):
        return {"double": value}
    if isinstance(value, Double):
        return {"double": value.value}
    if isinstance(value, str):
        return {"string": value}
    if isinstance(value, Text):
        return {"string": value.text}
    if isinstance(value, (Enum, Flags)):
        return {"enum": value.value}
    if isinstance(value, Size):
        return {"size": [value.width, value.height]}
    if isinstance(value, Rect):
        return {"rect": [value.x, value.y, value.width, value.height]}
    if isinstance(value, _NOT_EXPORTED):
        return None
    raise TypeError("no contract form for %r" % (value,))


def _properties(props):
    exported = {}
    for key, value in props:
        json_value = _value(value)
        if json_value is not None:
            exported[key] = json_value
    return exported


class _Collector:
    def __init__(self):
        self.objects = []

    def add(self, kind, cls, name, parent, props):
        entry = {"name": name, "class": cls, "kind": kind, "parent": parent, "properties": _properties(props)}
        self.objects.append(entry)
        return entry

    def widget(self, w, parent):
        entry = self.add("widget", w.class_name, w.name, parent, w.props)
        if w.items is not None:
            entry["items"] = list(w.items)
        if w.columns is not None:
            entry["columns"] = list(w.columns)
        if w.class_name in ("QTabWidget", "QStackedWidget"):
            entry["pages"] = [{"name": p.name, "title": dict(p.attrs).get("title")} for p in w.children]
        attributes = {key: _value(value) for key, value in w.attrs if key != "title"}
        if attributes:
            entry["attributes"] = attributes
        if w.add_actions:
            entry["actions"] = list(w.add_actions)
        if w.layout is not None:
            self.layout(w.layout, w.name, w.name)
        for child in w.children:
            self.widget(child, w.name)
        for action in w.actions:
            self.add("action", "QAction", action.name, w.name, action.props)

    def layout(self, layout, parent, owner):
        """`parent` is the enclosing layout or, for a top layout, the widget;
        `owner` is the widget whose children the layout's widgets become."""
        self.add("layout", layout.cls, layout.name, parent, layout.props)
        for node, _ in layout.items:
            if isinstance(node, Widget):
                self.widget(node, owner)
            elif isinstance(node, Layout):
                self.layout(node, layout.name, owner)


def contract(form):
    """The contract of a builder Form as a JSON text."""
    collector = _Collector()
    collector.widget(form.window, None)
    connections = [{"sender": c.sender, "signal": c.signal, "receiver": c.receiver, "slot": c.slot}
                   for c in form.connections]
    return json.dumps({"objects": collector.objects, "connections": connections}, indent=1,
                      ensure_ascii=False) + "\n"
