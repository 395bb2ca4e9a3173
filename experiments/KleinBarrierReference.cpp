#include "experiments/KleinBarrierReference.h"

#include "core/Numeric.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace vxo {

namespace {

using C = std::complex<double>;

// Principal square root of a real number: real for x >= 0, i sqrt(-x) otherwise.
C principalRoot(double x) { return x >= 0.0 ? C(std::sqrt(x), 0.0) : C(0.0, std::sqrt(-x)); }

double clampUnit(double v)
{
    if (v >= 1.0)
        return 1.0;
    if (v <= 0.0)
        return 0.0;
    return v;
}

} // namespace

std::pair<C, C> diracPlaneWaveSpinor(C q, double ky, double kineticEnergy, double lightSpeed, double restEnergy)
{
    const double plus = kineticEnergy + restEnergy;
    const double minus = kineticEnergy - restEnergy;
    if (std::fabs(plus) > 1e-12)
        return {C(1.0, 0.0), lightSpeed * (q + C(0.0, ky)) / C(plus, 0.0)};
    if (std::fabs(minus) > 1e-12)
        return {lightSpeed * (q - C(0.0, ky)) / C(minus, 0.0), C(1.0, 0.0)};
    return {C(1.0, 0.0), C(0.0, 0.0)};
}

bool solveComplex4x4(ComplexMatrix4x4 a, ComplexVector4& b, ComplexVector4& solution)
{
    for (int k = 0; k < 4; ++k) {
        auto modulus = [k](const std::array<C, 4>& row) { return std::hypot(row[k].real(), row[k].imag()); };
        // The first row of largest modulus in column k, from row k down.
        const auto pivotRow = std::max_element(a.begin() + k, a.end(),
                                               [&](const auto& r, const auto& s) { return modulus(r) < modulus(s); });
        const int pivot = static_cast<int>(pivotRow - a.begin());
        const double largest = modulus(*pivotRow);
        if (!(largest > 1e-14) || !std::isfinite(largest))
            return false;
        if (pivot != k) {
            std::swap(a[k], a[pivot]);
            std::swap(b[k], b[pivot]);
        }
        const C p = a[k][k];
        std::for_each(a[k].begin() + k, a[k].end(), [p](C& v) { v /= p; });
        b[k] /= p;
        for (int i = 0; i < 4; ++i) {
            if (i == k)
                continue;
            const C f = a[i][k];
            if (f == C(0.0, 0.0))
                continue;
            std::transform(a[i].begin() + k, a[i].end(), a[k].begin() + k, a[i].begin() + k,
                           [f](const C& v, const C& pivotValue) { return v - f * pivotValue; });
            b[i] -= f * b[k];
        }
    }
    solution = b;
    return true;
}

KleinAngleScanPoint kleinBarrierReference(const KleinTunnelingConfig& config, double angleDegrees, double hbar)
{
    KleinAngleScanPoint point;
    point.incidenceAngleDegrees = angleDegrees;
    if (!QuantumKleinTunneling2D::validateConfiguration(config, nullptr) || !kleinAngleUsable(angleDegrees) ||
        !isFinitePositive(hbar))
        return point;

    // Only |p| and the angle matter; the energy does not depend on the angle.
    const double p = QuantumKleinTunneling2D::momentumMagnitude(config);
    const double theta = angleDegrees * kPi / 180.0;
    KleinTunnelingConfig turned = config;
    turned.momentumX = p * std::cos(theta);
    turned.momentumY = p * std::sin(theta);
    const double qx2 = QuantumKleinTunneling2D::barrierMomentumXSquared(turned);
    point.barrierMomentumXSquared = qx2;
    point.regime = QuantumKleinTunneling2D::regime(turned);

    const double kx = turned.momentumX;
    const double ky = turned.momentumY;
    if (!(kx > 1e-10))
        return point;

    const double c = config.lightSpeed;
    const double restEnergy = config.restMass * c * c;
    const double E = QuantumKleinTunneling2D::energy(turned);
    const double eps = E - config.barrierHeight;
    const double w = config.barrierWidth;
    const C q = principalRoot(qx2);

    const auto in = diracPlaneWaveSpinor(C(kx, 0.0), ky, E, c, restEnergy);
    const auto reflected = diracPlaneWaveSpinor(C(-kx, 0.0), ky, E, c, restEnergy);
    const auto forward = diracPlaneWaveSpinor(q, ky, eps, c, restEnergy);
    const auto backward = diracPlaneWaveSpinor(-q, ky, eps, c, restEnergy);

    const C i(0.0, 1.0);
    const C phasePlus = std::exp(i * q * w / hbar);
    const C phaseMinus = std::exp(-i * q * w / hbar);
    const C phaseK = std::exp(i * kx * w / hbar);

    // Unknowns (r, a, b, t); continuity of the upper and lower components at
    // x = 0 (rows 0, 1) and x = w (rows 2, 3).
    ComplexMatrix4x4 m{};
    ComplexVector4 rhs{};
    m[0] = {reflected.first, -forward.first, -backward.first, C(0.0, 0.0)};
    m[1] = {reflected.second, -forward.second, -backward.second, C(0.0, 0.0)};
    m[2] = {C(0.0, 0.0), forward.first * phasePlus, backward.first * phaseMinus, -in.first * phaseK};
    m[3] = {C(0.0, 0.0), forward.second * phasePlus, backward.second * phaseMinus, -in.second * phaseK};
    rhs[0] = -in.first;
    rhs[1] = -in.second;

    ComplexVector4 solution{};
    if (!solveComplex4x4(m, rhs, solution))
        return point;
    const double T = std::norm(solution[3]);
    const double R = std::norm(solution[0]);
    if (!std::isfinite(T) || !std::isfinite(R))
        return point;
    point.transmission = clampUnit(T);
    point.reflection = clampUnit(R);
    point.valid = true;
    return point;
}

} // namespace vxo
