"""The ranges and decimals of the settings boxes, read from
document/SettingsRanges.def: the table the document reader holds a saved
record to, so that a box never offers a value that a saved document would
not keep, nor holds a value more finely than the document does."""

import os
import re

_TABLE = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "document",
                                       "SettingsRanges.def"))

# The universe the form starts with; the main window sets the ranges of the
# positions that span the universe whenever the universe changes.
DEFAULT_UNIVERSE = 40.96

# A row may run over two lines; rows of no control (nullptr) do not match.
_ROW = re.compile(r'VXO_SETTINGS_RANGE\(\s*"(\w+)",\s*"(\w+)",\s*"(\w+)",\s*"[^"]*",\s*([-+.\w]+),\s*([-+.\w]+),'
                  r'\s*(\d+)\)')
_UNIVERSE_ROW = re.compile(r'VXO_UNIVERSE_RANGE\(\s*"(\w+)",\s*"(\w+)",\s*"(\w+)",\s*"[^"]*",\s*kUniverse[XY],'
                           r'\s*(\d+)\)')


def _number(text):
    """A bound as the form writes it: an int when integral, so that an
    integer spin box keeps its <number>."""
    value = float(text)
    return int(value) if value.is_integer() else value


def _read():
    with open(_TABLE, encoding="utf-8") as f:
        text = f.read()
    boxes = {match.group(3): (int(match.group(6)), _number(match.group(4)), _number(match.group(5)))
             for match in _ROW.finditer(text)}
    half = DEFAULT_UNIVERSE / 2
    boxes.update({match.group(3): (int(match.group(4)), -half, half) for match in _UNIVERSE_ROW.finditer(text)})
    return boxes


_BOXES = _read()


def box_range(name):
    """(minimum, maximum) of the box `name`; a box missing from the table is
    an error, not a silent default."""
    return _BOXES[name][1:]


def box_spec(name):
    """(decimals, minimum, maximum) of the double spin box `name`."""
    return _BOXES[name]
