#pragma once

#include <QString>

namespace vxo {

// The generated current-parameters help page: a self-contained HTML document
// (inline style, no external resources) with the numerical set-up table and,
// when there are any, the experiment's own parameters, in Italian or English.

// "<tr><th>label</th><td>value</td></tr>" with both texts HTML-escaped.
QString parameterRow(const QString& label, const QString& value);

// General notation with `digits` significant digits, never localised.
QString significantText(double value, int digits);
// A single-precision value: the shortest text of at most `digits`
// significant digits that reads back as the same float, so that 40.96 held
// in a float is written 40.96, not the 40.959999 of its widening to double.
QString significantText(float value, int digits);

// The page around the rows (already escaped by parameterRow): title, note and
// the set-up table; the experiment section only when experimentRows is not
// empty.
QString currentParametersPage(bool english, const QString& setupRows, const QString& experimentRows);

// Writes `text` as UTF-8 into a new file beside `path` and renames it over
// `path`. The rename replaces the directory entry itself, so whatever sits at
// `path` in a shared temporary folder (a symbolic link planted by another
// user, a stale page) is replaced and never written through. False, with
// nothing left behind, when the file cannot be created, written or renamed.
bool replaceFileWithText(const QString& path, const QString& text);

} // namespace vxo
