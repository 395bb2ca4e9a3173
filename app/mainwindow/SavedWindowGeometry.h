#pragma once

// Where a saved window geometry left the window, read from the bytes
// QWidget::saveGeometry writes. restoreGeometry alone keeps 20 px free above
// the window for a title bar it assumes, and places the window, not its
// frame: restored on another screen, or under another window manager, the
// title bar can end up above the screen. The saved bytes tell the frame and
// the window apart, and the width of the screen they were saved on, so that
// the window can be put back exactly where it was, its frame inside the
// screen.

#include <QByteArray>
#include <QMargins>
#include <QRect>

#include <optional>

namespace vxo {

struct SavedWindowPlacement {
    QRect frame;  // the frame, title bar included, as the window was left
    QRect normal; // the window's own geometry when neither maximised nor full screen
    int screenWidth = 0;
    bool maximized = false;
    bool fullScreen = false;

    // The frame around the normal geometry (none where the window had no
    // frame, or was maximised or full screen: the frame then says nothing
    // of the normal window's).
    QMargins frameMargins() const;
};

// The placement saved in `saved` (as saveGeometry writes it, version 3);
// nothing where the bytes are not such a geometry or hold no normal
// geometry.
std::optional<SavedWindowPlacement> savedWindowPlacement(const QByteArray& saved);

} // namespace vxo
