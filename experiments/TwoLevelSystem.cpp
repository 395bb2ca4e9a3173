#include "experiments/TwoLevelSystem.h"

#include <algorithm>
#include <cmath>

namespace vxo {

void twoLevelAdiabaticBasis(double energyI, double energyJ, double dipole, double bias, double& u, double& v)
{
    const double w = bias * dipole;
    if (std::fabs(w) > 1e-14) {
        const double mean = 0.5 * (energyI + energyJ);
        const double half = 0.5 * (energyI - energyJ);
        const double lower = mean - std::sqrt(half * half + w * w);
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
    const double c = bias * dipole;
    const double delta = 0.5 * (energyI - energyJ);
    const double r = std::sqrt(c * c + delta * delta);
    const double phi = -(energyI + energyJ) * dt / (2.0 * hbar);
    const ComplexD global = std::polar(1.0, phi);
    if (!(r > 1e-15))
        return {global * amplitudes[0], global * amplitudes[1]};

    const double theta = r * dt / hbar;
    const double cosTheta = std::cos(theta);
    const ComplexD mix(0.0, -std::sin(theta) / r);
    const ComplexD& ai = amplitudes[0];
    const ComplexD& aj = amplitudes[1];
    return {global * (cosTheta * ai + mix * (delta * ai + c * aj)),
            global * (cosTheta * aj + mix * (c * ai - delta * aj))};
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

} // namespace vxo
