#pragma once

#include <QString>

namespace vxo {

// How a page says that its figures depend on the grid the run is painted and
// stepped on: "on cells of <dx> x <dy> <onTheseCells>: on finer cells
// <onFinerCells>", the cells with three decimals. The words in between are
// the system's own (PanelText::word), a figure in them already filled.
QString gridDependenceText(double dx, double dy, const QString& onTheseCells, const QString& onFinerCells);

} // namespace vxo
