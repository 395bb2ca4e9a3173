#pragma once

namespace vxo {

// Probability |psi|^2 dx dy that the absorbing layer removed: through the
// side bands, what was moving left and what was moving right along x; and
// through the top and bottom bands together.
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
