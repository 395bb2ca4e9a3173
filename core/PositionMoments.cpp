#include "core/PositionMoments.h"

#include "core/DensitySums2D.h"

namespace vxo {

PositionMoments computePositionMoments(const ComplexField2D& field)
{
    DensitySums2D sums;
    sums.compute(field);
    return sums.moments();
}

} // namespace vxo
