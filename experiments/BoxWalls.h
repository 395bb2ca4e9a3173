#pragma once

// The four Rectangle walls of a rectangular box (revival box, billiard), and
// the interior they enclose. A wall is vertical when it is taller than wide,
// horizontal when wider than tall; the interior runs between the inner faces
//   x_L = left.centerX + left.width / 2,    x_R = right.centerX - right.width / 2,
//   y_B = bottom.centerY + bottom.height / 2, y_T = top.centerY - top.height / 2.

#include "core/PotentialObject.h"

#include <vector>

namespace vxo {

enum class WallOrientation { Vertical, Horizontal, Undecided };

// Vertical when height > width, Horizontal when width > height, otherwise
// (equal sides, or a NaN size) Undecided.
WallOrientation wallOrientation(const PotentialObject& wall);
// Appends the wall to the list of its orientation; false, and neither list
// changed, when its orientation is Undecided.
bool sortWall(const PotentialObject& wall, std::vector<PotentialObject>& vertical,
              std::vector<PotentialObject>& horizontal);

struct BoxWalls {
    PotentialObject left;
    PotentialObject right;
    PotentialObject bottom;
    PotentialObject top;
    double innerLeft = 0.0;
    double innerRight = 0.0;
    double innerBottom = 0.0;
    double innerTop = 0.0;

    double interiorWidth() const { return innerRight - innerLeft; }
    double interiorHeight() const { return innerTop - innerBottom; }
    double interiorCenterX() const { return 0.5 * (innerLeft + innerRight); }
    double interiorCenterY() const { return 0.5 * (innerBottom + innerTop); }

    // The vertical walls' centerY lie within max(|height|, 1) x 1e-4 of the
    // interior centre and the horizontal walls' centerX within
    // max(|width|, 1) x 1e-4 of it: the four walls frame one rectangle.
    bool wallsCentredOnInterior() const;

    // Orders two vertical walls by centerX (left, right) and two horizontal
    // walls by centerY (bottom, top) and computes the inner faces. The
    // interior may come out empty or inverted; callers test its size.
    static BoxWalls arrange(const PotentialObject& verticalA, const PotentialObject& verticalB,
                            const PotentialObject& horizontalA, const PotentialObject& horizontalB);
};

} // namespace vxo
