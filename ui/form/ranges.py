"""The ranges of the settings boxes, read from document/SettingsRanges.def:
the table the document reader holds a saved record to, so that a box never
offers a value that a saved document would not keep."""

import os
import re

_TABLE = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "document",
                                       "SettingsRanges.def"))
# A row may run over two lines; rows of no control (nullptr) do not match.
_ROW = re.compile(r'VXO_SETTINGS_RANGE\(\s*"(\w+)",\s*"(\w+)",\s*"(\w+)",\s*"[^"]*",\s*([-+.\w]+),\s*([-+.\w]+)\)')


def _number(text):
    """A bound as the form writes it: an int when integral, so that an
    integer spin box keeps its <number>."""
    value = float(text)
    return int(value) if value.is_integer() else value


def _read():
    with open(_TABLE, encoding="utf-8") as f:
        text = f.read()
    return {match.group(3): (_number(match.group(4)), _number(match.group(5))) for match in _ROW.finditer(text)}


_RANGES = _read()


def box_range(name):
    """(minimum, maximum) of the box `name`; a box missing from the table is
    an error, not a silent default."""
    return _RANGES[name]
