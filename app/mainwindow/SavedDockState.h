#pragma once

// The check that a saved dock layout is whole before the toolkit parses it.
// QMainWindow::restoreState trusts the numbers it reads: an area number out
// of range indexes past its four dock areas and the program dies, whatever
// checksum the bytes came with. The check reads the byte stream saveState
// writes (a version marker, the dock areas with their nested sequences and
// tab groups, the central size and corners, the toolbar lines) and accepts
// only a stream this window could have written: every count within the
// bytes present, every number in its range, each of the window's docks named
// exactly once and no other, nothing left over.

#include <QByteArray>
#include <QStringList>

namespace vxo {

// Whether `state`, as saved with `version` by a main window whose docks are
// named `dockNames`, is whole in that sense.
bool savedDockStateIsWhole(const QByteArray& state, int version, const QStringList& dockNames);

} // namespace vxo
