#include "experiments/TwoLevelStepper.h"

#include <cmath>

namespace vxo {

namespace {
constexpr double kSqrt3 = 1.7320508075688772935;
} // namespace

TwoLevelStepper::TwoLevelStepper(double energyI, double energyJ, double dipole, double dt, double hbar)
    : dipole_(dipole), delta_(0.5 * (energyI - energyJ)), dt_(dt), hbar_(hbar),
      global_(std::polar(1.0, -(energyI + energyJ) * dt / (2.0 * hbar)))
{
}

TwoLevelStepper::Rotation TwoLevelStepper::rotation(double coupling, double skew) const
{
    ++stepsTaken_;
    Rotation turn{};
    const double r = std::sqrt(coupling * coupling + skew * skew + delta_ * delta_);
    turn.trivial = !(r > 1e-15);
    if (turn.trivial)
        return turn;
    const double theta = r * dt_ / hbar_;
    turn.cosTheta = std::cos(theta);
    const ComplexD mix(0.0, -std::sin(theta) / r);
    turn.diagonal = mix * delta_;
    turn.upper = mix * ComplexD(coupling, -skew);
    turn.lower = mix * ComplexD(coupling, skew);
    return turn;
}

TwoLevelStepper::Rotation TwoLevelStepper::rotationAt(double bias) const { return rotation(bias * dipole_, 0.0); }

TwoLevelStepper::Rotation TwoLevelStepper::rotationBetween(double earlyBias, double lateBias) const
{
    const double mean = 0.5 * (earlyBias + lateBias) * dipole_;
    const double skew = kSqrt3 * dt_ * delta_ * dipole_ * (earlyBias - lateBias) / (6.0 * hbar_);
    return rotation(mean, skew);
}

ComplexVector2 TwoLevelStepper::apply(const Rotation& turn, const ComplexVector2& amplitudes) const
{
    const ComplexD& ai = amplitudes[0];
    const ComplexD& aj = amplitudes[1];
    if (turn.trivial)
        return {global_ * ai, global_ * aj};
    return {global_ * (turn.cosTheta * ai + turn.diagonal * ai + turn.upper * aj),
            global_ * (turn.cosTheta * aj + turn.lower * ai - turn.diagonal * aj)};
}

ComplexVector2 TwoLevelStepper::step(const ComplexVector2& amplitudes, double bias) const
{
    return apply(rotationAt(bias), amplitudes);
}

void TwoLevelStepper::step(ComplexVector2& first, ComplexVector2& second, double bias) const
{
    const Rotation turn = rotationAt(bias);
    first = apply(turn, first);
    second = apply(turn, second);
}

ComplexVector2 TwoLevelStepper::step(const ComplexVector2& amplitudes, double earlyBias, double lateBias) const
{
    return apply(rotationBetween(earlyBias, lateBias), amplitudes);
}

void TwoLevelStepper::step(ComplexVector2& first, ComplexVector2& second, double earlyBias, double lateBias) const
{
    const Rotation turn = rotationBetween(earlyBias, lateBias);
    first = apply(turn, first);
    second = apply(turn, second);
}

} // namespace vxo
