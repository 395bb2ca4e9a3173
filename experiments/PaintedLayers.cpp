#include "experiments/PaintedLayers.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"

#include <cmath>

namespace vxo {

std::vector<PotentialLayer> paintedLayers(const PotentialField2D& potential, double y, double xFrom, double xTo)
{
    std::vector<PotentialLayer> layers;
    const std::uint64_t nx = potential.nx();
    const std::uint64_t ny = potential.ny();
    if (nx == 0 || ny == 0 || !(xTo >= xFrom))
        return layers;
    const double dx = potential.dx();
    const std::uint64_t row = nearestCellIndex(y, ny, potential.dy(), 0, ny - 1);
    const float* values = potential.data() + row * nx;
    for (std::uint64_t i = 0; i < nx; ++i) {
        const double x = cellCentre(i, nx, dx);
        if (x < xFrom || x > xTo)
            continue;
        const double value = values[i];
        if (!layers.empty() && layers.back().value == value)
            layers.back().length += dx;
        else
            layers.push_back({dx, value});
    }
    return layers;
}

LayeredCavity splitAtCavity(const std::vector<PotentialLayer>& layers)
{
    LayeredCavity split;
    std::size_t cavity = layers.size();
    for (std::size_t k = 0; k < layers.size(); ++k) {
        // A zero run at either end is the lead outside the pair, not a cavity.
        const bool inner = k > 0 && k + 1 < layers.size();
        if (inner && layers[k].value == 0.0 && (cavity == layers.size() || layers[k].length > layers[cavity].length))
            cavity = k;
    }
    if (cavity == layers.size()) {
        split.before = layers;
        return split;
    }
    split.before.assign(layers.begin(), layers.begin() + static_cast<std::ptrdiff_t>(cavity));
    split.width = layers[cavity].length;
    split.after.assign(layers.begin() + static_cast<std::ptrdiff_t>(cavity) + 1, layers.end());
    return split;
}

std::vector<PotentialLayer> LayeredCavity::withWidth(double cavityWidth) const
{
    std::vector<PotentialLayer> layers = before;
    layers.push_back({cavityWidth, 0.0});
    layers.insert(layers.end(), after.begin(), after.end());
    return layers;
}

} // namespace vxo
