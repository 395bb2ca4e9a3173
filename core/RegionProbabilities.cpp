#include "core/RegionProbabilities.h"

#include "core/Numeric.h"
#include "core/PositionMoments.h"

#include <algorithm>

namespace vxo {

RegionProbabilities computeRegionProbabilities(const ComplexField2D& field, double a, double b)
{
    RegionProbabilities result;
    if (field.empty())
        return result;
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    const double area = static_cast<double>(field.dy()) * static_cast<double>(field.dx());
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double p = cellProbability(field.at(i, j), area);
            const double x = gridCoordinateX(field, i);
            result.total += p;
            if (x < lo)
                result.left += p;
            else if (x > hi)
                result.right += p;
            else
                result.middle += p;
        }
    }
    if (isFinitePositive(result.total)) {
        const double inverse = 1.0 / result.total;
        result.leftFraction = result.left * inverse;
        result.middleFraction = result.middle * inverse;
        result.rightFraction = result.right * inverse;
    }
    return result;
}

} // namespace vxo
