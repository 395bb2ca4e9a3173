#pragma once

#include <algorithm>

namespace vxo {

// Clamping of the viewport's numeric settings: upper bound first, then lower,
// so that a NaN argument becomes the upper bound.
inline float clampUpperFirst(float value, float lower, float upper)
{
    value = value <= upper ? value : upper;
    return value >= lower ? value : lower;
}

template <typename T>
T clampUpperFirst(T value, T lower, T upper)
{
    return std::max(std::min(value, upper), lower);
}

} // namespace vxo
