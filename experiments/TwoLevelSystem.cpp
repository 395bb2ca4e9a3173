#include "experiments/TwoLevelSystem.h"

#include "experiments/TwoLevelStepper.h"

#include <algorithm>
#include <cmath>

namespace vxo {

void twoLevelEnergies(double energyI, double energyJ, double dipole, double bias, double& lower, double& upper)
{
    const double w = bias * dipole;
    const double mean = 0.5 * (energyI + energyJ);
    const double half = 0.5 * (energyI - energyJ);
    const double radius = std::sqrt(half * half + w * w);
    lower = mean - radius;
    upper = mean + radius;
}

void twoLevelAdiabaticBasis(double energyI, double energyJ, double dipole, double bias, double& u, double& v)
{
    const double w = bias * dipole;
    if (std::fabs(w) > 1e-14) {
        double lower = 0.0;
        double upper = 0.0;
        twoLevelEnergies(energyI, energyJ, dipole, bias, lower, upper);
        // (H - E_lower)(u, v) = 0 has the solution (W, E_lower - E_i).
        const double a = w;
        const double b = lower - energyI;
        const double length = std::sqrt(a * a + b * b);
        u = a / length;
        v = b / length;
        return;
    }
    if (energyI > energyJ) {
        u = 0.0;
        v = 1.0;
    } else {
        u = 1.0;
        v = 0.0;
    }
}

ComplexVector2 propagateTwoLevel(const ComplexVector2& amplitudes, double energyI, double energyJ, double dipole,
                                 double bias, double dt, double hbar)
{
    return TwoLevelStepper(energyI, energyJ, dipole, dt, hbar).step(amplitudes, bias);
}

long twoLevelStepCount(double duration, double maxStep, double minSteps)
{
    double steps = minSteps;
    if (maxStep > 0.0 && duration > 0.0)
        steps = std::max(std::ceil(duration / maxStep), minSteps);
    if (!(steps <= static_cast<double>(kMaxTwoLevelSteps)))
        steps = static_cast<double>(kMaxTwoLevelSteps);
    return static_cast<long>(steps);
}

long twoLevelFourthOrderStepCount(double duration, double fastestRate, double minSteps, long maxSteps)
{
    const long steps =
        twoLevelStepCount(duration, fastestRate > 0.0 ? kTwoLevelTurnPerStep / fastestRate : 0.0, minSteps);
    return std::max(std::min(steps, maxSteps), static_cast<long>(minSteps));
}

} // namespace vxo
