#pragma once

#include "core/Numeric.h"

#include <cstdint>

namespace vxo {

// Centre of cell i of n cells of size d on an axis centred on the origin:
// (i - (n - 1) / 2) d; 0 for an empty axis.
inline double centeredGridCoordinate(std::uint64_t i, std::uint64_t n, double d)
{
    if (n == 0)
        return 0.0;
    return (static_cast<double>(i) - centreOffset(n)) * d;
}

} // namespace vxo
