#include "core/RegionProbabilities.h"

#include "core/DensitySums2D.h"

namespace vxo {

RegionProbabilities computeRegionProbabilities(const ComplexField2D& field, double a, double b)
{
    DensitySums2D sums;
    sums.compute(field);
    return sums.regions(a, b);
}

} // namespace vxo
