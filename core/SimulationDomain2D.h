#pragma once

#include <cstdint>

namespace vxo {

// The simulated region: an nx x ny grid (powers of two, as the FFT needs)
// covering a physical rectangle width x height, so that the cell size is
// dx = width / nx and dy = height / ny (single precision, like the grids).
// Immutable once constructed.
class SimulationDomain2D {
public:
    SimulationDomain2D(std::uint64_t nx, std::uint64_t ny, float width, float height);

    std::uint64_t nx() const { return nx_; }
    std::uint64_t ny() const { return ny_; }
    float width() const { return width_; }
    float height() const { return height_; }
    float dx() const { return dx_; }
    float dy() const { return dy_; }

    // Non-throwing check of every derived quantity as well (a tiny extent can
    // leave dx or dy at zero even though the constructor accepted it).
    bool isValid() const;

private:
    std::uint64_t nx_ = 0;
    std::uint64_t ny_ = 0;
    float width_ = 0.0f;
    float height_ = 0.0f;
    float dx_ = 0.0f;
    float dy_ = 0.0f;
};

} // namespace vxo
