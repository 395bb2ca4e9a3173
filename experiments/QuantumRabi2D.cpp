#include "experiments/QuantumRabi2D.h"

#include "core/Numeric.h"
#include "experiments/DriveProtocols.h"
#include "experiments/DrivenPair.h"
#include "experiments/QuantumDoubleWell2D.h"

#include <algorithm>
#include <cmath>

namespace vxo {

RabiReference QuantumRabi2D::compute(const BoundStateResult& result, const PeriodicDrive& drive, int i, int j,
                                     double hbar)
{
    RabiReference reference;
    if (!QuantumDoubleWell2D::isValidPair(result, i, j) || !isFinitePositive(hbar) || !drive.enabled ||
        drive.parameter != SceneParameterSlopeX || !isFinite(drive.amplitude) ||
        !isFiniteNonNegative(drive.angularFrequency))
        return reference;

    describeDrivenPair(reference, result, i, j, drive.angularFrequency, drive.amplitude, hbar);
    const double omega =
        std::sqrt(reference.detuning * reference.detuning + reference.rabiFrequency * reference.rabiFrequency);
    reference.generalizedRabiFrequency = omega;
    if (!(omega > 0.0) || !std::isfinite(omega))
        return reference;
    const double ratio = reference.rabiFrequency / omega;
    reference.transferAmplitude = ratio * ratio;
    reference.piPulseTime = kPi / omega;
    reference.rabiPeriod = 2.0 * kPi / omega;
    reference.valid = true;
    return reference;
}

double QuantumRabi2D::predictedPopulation(const RabiReference& reference, double t)
{
    if (!reference.valid || !std::isfinite(t) || t < 0.0)
        return 0.0;
    const double s = std::sin(0.5 * reference.generalizedRabiFrequency * t);
    return std::clamp(reference.transferAmplitude * s * s, 0.0, 1.0);
}

} // namespace vxo
