#include "core/SquareBarrier1D.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vxo {

SquareBarrier1D SquareBarrier1D::compute(double energy, double barrierHeight, double width, double mass, double hbar)
{
    if (!isFiniteNonNegative(energy) || !isFiniteNonNegative(barrierHeight) || !isFiniteNonNegative(width) ||
        !isFinitePositive(mass) || !isFinitePositive(hbar))
        throw std::invalid_argument("SquareBarrier1D: invalid parameters");

    SquareBarrier1D result;
    result.energy = energy;
    result.barrierHeight = barrierHeight;
    result.width = width;
    result.tunneling = barrierHeight > energy;

    const double e = energy;
    const double v0 = barrierHeight;
    const double a = width;
    if (v0 == 0.0 || a == 0.0) {
        result.transmission = 1.0;
        result.reflection = 0.0;
        return result;
    }
    if (e == 0.0) {
        result.transmission = 0.0;
        result.reflection = 1.0;
        return result;
    }

    // Near E = V0 both general forms become 0/0; use their common limit there.
    const double tolerance = 1e-12 * std::max({1.0, std::abs(e), std::abs(v0)});
    double t = 0.0;
    if (std::abs(e - v0) <= tolerance) {
        t = 1.0 / (1.0 + v0 * mass * (a * a) / (hbar * hbar + hbar * hbar));
    } else if (v0 > e) {
        const double kappa = std::sqrt(2.0 * mass * (v0 - e)) / hbar;
        const double s = std::sinh(kappa * a);
        t = 1.0 / (1.0 + (v0 * v0) * (s * s) / (4.0 * e * (v0 - e)));
    } else {
        const double k = std::sqrt(2.0 * mass * (e - v0)) / hbar;
        const double s = std::sin(k * a);
        t = 1.0 / (1.0 + (v0 * v0) * (s * s) / (4.0 * e * (e - v0)));
    }
    t = std::min(t, 1.0);
    if (!(t > 0.0))
        t = 0.0;
    result.transmission = t;
    result.reflection = 1.0 - t;
    return result;
}

} // namespace vxo
