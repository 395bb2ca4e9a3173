#pragma once

// Where a saved window geometry left the window. QWidget::restoreGeometry
// keeps 20 px free above the window for a title bar it assumes, so a window
// that had no frame when it was saved (no window manager, or one that does
// not frame it) and stood at the top of its screen comes back 20 px lower at
// every start. The saved bytes tell both the frame and the window: where the
// two were the same, the window can be put back exactly where it was.

#include <QByteArray>
#include <QRect>

#include <optional>

namespace vxo {

// The window's saved normal geometry where `saved` (as saveGeometry writes
// it, version 3) shows a frame equal to the window and neither a maximised
// nor a full-screen state; nothing otherwise, or where the bytes are not such
// a geometry.
std::optional<QRect> unframedSavedGeometry(const QByteArray& saved);

} // namespace vxo
