#include "core/SimulationDomain2D.h"

#include "core/Numeric.h"

#include <stdexcept>

namespace vxo {

SimulationDomain2D::SimulationDomain2D(std::uint64_t nx, std::uint64_t ny, float width, float height)
{
    // The grid size is checked first, so a bad size is reported whatever the extents are.
    if (!isPowerOfTwo(nx) || !isPowerOfTwo(ny))
        throw std::invalid_argument("SimulationDomain2D: FFT grid dimensions must be powers of two");
    if (!isFinitePositive(width) || !isFinitePositive(height))
        throw std::invalid_argument("SimulationDomain2D: physical dimensions must be finite and positive");
    nx_ = nx;
    ny_ = ny;
    width_ = width;
    height_ = height;
    dx_ = width / static_cast<float>(nx);
    dy_ = height / static_cast<float>(ny);
}

bool SimulationDomain2D::isValid() const
{
    return isPowerOfTwo(nx_) && isPowerOfTwo(ny_) && isFinitePositive(width_) && isFinitePositive(height_) &&
           isFinitePositive(dx_) && isFinitePositive(dy_);
}

} // namespace vxo
