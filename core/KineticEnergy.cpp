#include "core/KineticEnergy.h"

#include "core/Numeric.h"

namespace vxo {

double centralKineticEnergy2D(double px, double py, double mass)
{
    if (!isFinitePositive(mass) || !isFinite(px) || !isFinite(py))
        return 0.0;
    return (px * px + py * py) / (mass + mass);
}

double kineticEnergy1D(double p, double mass)
{
    if (!isFinitePositive(mass) || !isFinite(p))
        return 0.0;
    return p * p / (mass + mass);
}

} // namespace vxo
