#pragma once

namespace vxo {

// Probability |psi|^2 dx dy that the absorbing layer removed, by the band it
// left through: the left and the right band along x, and the top and bottom
// bands together.
struct AbsorbedByBand {
    double left = 0.0;
    double right = 0.0;
    double topAndBottom = 0.0;

    double total() const { return left + right + topAndBottom; }

    AbsorbedByBand& operator+=(const AbsorbedByBand& more)
    {
        left += more.left;
        right += more.right;
        topAndBottom += more.topAndBottom;
        return *this;
    }
};

} // namespace vxo
