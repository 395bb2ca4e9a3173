#pragma once

#include <cstdint>

namespace vxo {

// The grid a cached table was built for: cell counts and spacings. A table is
// reused only on exactly that grid, spacings compared bit for bit. Grid is
// any field with nx(), ny(), dx() and dy().
struct GridKey2D {
    std::uint64_t nx = 0;
    std::uint64_t ny = 0;
    float dx = 0.0f;
    float dy = 0.0f;

    template <typename Grid>
    static GridKey2D of(const Grid& grid)
    {
        return GridKey2D{grid.nx(), grid.ny(), grid.dx(), grid.dy()};
    }

    template <typename Grid>
    bool matches(const Grid& grid) const
    {
        return nx == grid.nx() && ny == grid.ny() && dx == grid.dx() && dy == grid.dy();
    }
};

} // namespace vxo
