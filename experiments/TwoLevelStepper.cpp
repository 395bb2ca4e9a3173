#include "experiments/TwoLevelStepper.h"

#include <cmath>

namespace vxo {

TwoLevelStepper::TwoLevelStepper(double energyI, double energyJ, double dipole, double dt, double hbar)
    : dipole_(dipole), delta_(0.5 * (energyI - energyJ)), dt_(dt), hbar_(hbar),
      global_(std::polar(1.0, -(energyI + energyJ) * dt / (2.0 * hbar)))
{
}

TwoLevelStepper::Rotation TwoLevelStepper::rotationAt(double bias) const
{
    Rotation rotation{};
    rotation.coupling = bias * dipole_;
    const double r = std::sqrt(rotation.coupling * rotation.coupling + delta_ * delta_);
    rotation.trivial = !(r > 1e-15);
    if (rotation.trivial)
        return rotation;
    const double theta = r * dt_ / hbar_;
    rotation.cosTheta = std::cos(theta);
    rotation.mix = ComplexD(0.0, -std::sin(theta) / r);
    return rotation;
}

ComplexVector2 TwoLevelStepper::apply(const Rotation& rotation, const ComplexVector2& amplitudes) const
{
    const ComplexD& ai = amplitudes[0];
    const ComplexD& aj = amplitudes[1];
    if (rotation.trivial)
        return {global_ * ai, global_ * aj};
    const double c = rotation.coupling;
    return {global_ * (rotation.cosTheta * ai + rotation.mix * (delta_ * ai + c * aj)),
            global_ * (rotation.cosTheta * aj + rotation.mix * (c * ai - delta_ * aj))};
}

ComplexVector2 TwoLevelStepper::step(const ComplexVector2& amplitudes, double bias) const
{
    return apply(rotationAt(bias), amplitudes);
}

void TwoLevelStepper::step(ComplexVector2& first, ComplexVector2& second, double bias) const
{
    const Rotation rotation = rotationAt(bias);
    first = apply(rotation, first);
    second = apply(rotation, second);
}

} // namespace vxo
