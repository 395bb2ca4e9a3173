#pragma once

// Where a floating dock goes on the screen. A floating dock stays above its
// window, so where it lies it hides what is under it.

#include <QList>
#include <QRect>

#include <array>

namespace vxo {

// `window` no larger than `available` and moved inside it.
QRect clampedInside(const QRect& window, const QRect& available);

// The places a floating dock at `at` may take instead, beside `obstacle`:
// right of it, above, left of it, below, each moved inside `available`.
std::array<QRect, 4> placesBeside(const QRect& at, const QRect& obstacle, const QRect& available);

// The place for a floating dock now at `at`: inside `available`, off every
// rectangle of `bars` (the window's tab bars: a dock over them hides the
// tabs of its column) wherever the screen leaves a place off them, and, where
// the screen had to move it (`at` does not fit it, or `carried`: it did not
// when the screen changed), over as little of `views` (the viewport and the
// analysis plots) as the screen allows, off them where there is room. Of the
// places that do equally well, the nearest to where it was. A dock the user
// put over a view on this screen stays there.
QRect floatingDockPlace(const QRect& at, const QRect& available, const QList<QRect>& bars, const QList<QRect>& views,
                        bool carried = false);

} // namespace vxo
