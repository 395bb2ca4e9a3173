#include "experiments/QuantumLandauZener2D.h"

#include "core/ColumnAmplitudes2D.h"
#include "core/Numeric.h"
#include "experiments/BoundStateResult.h"
#include "experiments/DriveProtocols.h"
#include "experiments/QuantumDoubleWell2D.h"
#include "experiments/TwoLevelSystem.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace vxo {

LandauZenerReference QuantumLandauZener2D::predict(const BoundStateResult& result, const LinearSweep& sweep, int i,
                                                   int j, double hbar)
{
    LandauZenerReference reference;
    if (!QuantumDoubleWell2D::isValidPair(result, i, j) || !isFinitePositive(hbar) || !sweep.enabled ||
        sweep.parameter != SceneParameterSlopeX || !isFinite(sweep.startValue) || !isFinite(sweep.endValue) ||
        !isFinite(sweep.startTime) || !isFinitePositive(sweep.duration) || sweep.startTime < 0.0 ||
        sweep.startValue == sweep.endValue)
        return reference;

    reference.stateI = i;
    reference.stateJ = j;
    reference.energyI = result.states[static_cast<std::size_t>(i)].energy;
    reference.energyJ = result.states[static_cast<std::size_t>(j)].energy;
    reference.gap = std::fabs(reference.energyJ - reference.energyI);
    reference.dipoleElement = QuantumDoubleWell2D::dipoleMatrixElement(result, i, j);
    reference.sweepRate = (sweep.endValue - sweep.startValue) / sweep.duration;
    reference.diabaticRate = 2.0 * std::fabs(reference.sweepRate * reference.dipoleElement);

    // Fraction of the forward ramp at which the bias passes zero.
    const double s = -sweep.startValue / (sweep.endValue - sweep.startValue);
    if (!(reference.gap > 1e-12) || !(std::fabs(reference.dipoleElement) > 1e-12) ||
        !(reference.diabaticRate > 1e-15) || !(s >= 0.0 && s <= 1.0))
        return reference;

    reference.crossingTime = sweep.startTime + sweep.duration * s;
    const double exponent = std::max(kPi * reference.gap * reference.gap / (2.0 * hbar * reference.diabaticRate), 0.0);
    reference.diabaticProbability = std::clamp(std::exp(-exponent), 0.0, 1.0);
    reference.adiabaticProbability = 1.0 - reference.diabaticProbability;
    reference.localizingPhase = QuantumDoubleWell2D::localizingPhase(result, i, j);
    reference.localizingSign = std::cos(reference.localizingPhase) >= 0.0 ? 1.0 : -1.0;
    reference.valid = true;
    return reference;
}

bool QuantumLandauZener2D::projectOnPair(const ComplexField2D& psi, const BoundStateResult& result, int i, int j,
                                         ComplexD& ci, ComplexD& cj)
{
    return QuantumDoubleWell2D::projectOnPair(psi, result, i, j, ci, cj);
}

SweepPopulations QuantumLandauZener2D::instantaneousPopulations(const ComplexField2D& psi,
                                                                const BoundStateResult& result,
                                                                const LandauZenerReference& reference, double bias)
{
    SweepPopulations populations;
    if (!reference.valid || !std::isfinite(bias) ||
        !projectOnPair(psi, result, reference.stateI, reference.stateJ, populations.amplitudeI, populations.amplitudeJ))
        return populations;

    const ComplexD ci = populations.amplitudeI;
    const ComplexD cj = populations.amplitudeJ;
    const double sign = reference.localizingSign;
    populations.captured = std::norm(ci) + std::norm(cj);
    populations.leftPopulation = std::norm(ci + sign * cj) / 2.0;
    populations.rightPopulation = std::norm(ci - sign * cj) / 2.0;

    twoLevelEnergies(reference.energyI, reference.energyJ, reference.dipoleElement, bias, populations.lowerEnergy,
                     populations.upperEnergy);
    double u = 1.0;
    double v = 0.0;
    twoLevelAdiabaticBasis(reference.energyI, reference.energyJ, reference.dipoleElement, bias, u, v);
    populations.lowerPopulation = std::norm(u * ci + v * cj);
    populations.upperPopulation = std::norm(-v * ci + u * cj);
    populations.valid = true;
    return populations;
}

SweepPopulations QuantumLandauZener2D::steppedPopulations(const ComplexField2D& psi,
                                                          const BoundStateResult& steppedPair,
                                                          const LandauZenerReference& reference)
{
    return steppedPopulations(ColumnAmplitudes2D::of(psi), steppedPair, reference);
}

SweepPopulations QuantumLandauZener2D::steppedPopulations(const ColumnAmplitudes2D& columns,
                                                          const BoundStateResult& steppedPair,
                                                          const LandauZenerReference& reference)
{
    SweepPopulations populations;
    const int i = reference.stateI;
    const int j = reference.stateJ;
    if (!reference.valid ||
        !QuantumDoubleWell2D::projectOnPair(columns, steppedPair, i, j, populations.amplitudeI, populations.amplitudeJ))
        return populations;

    const ComplexD ci = populations.amplitudeI;
    const ComplexD cj = populations.amplitudeJ;
    populations.lowerEnergy = steppedPair.states[static_cast<std::size_t>(i)].energy;
    populations.upperEnergy = steppedPair.states[static_cast<std::size_t>(j)].energy;
    populations.lowerPopulation = std::norm(ci);
    populations.upperPopulation = std::norm(cj);
    populations.captured = populations.lowerPopulation + populations.upperPopulation;

    // Position within the pair, X = [[x_ii, x_ij], [x_ij, x_jj]]: its lower
    // eigenvector (cos theta, sin theta) is the state localised on the left,
    // with tan(2 theta) = 2 x_ij / (x_ii - x_jj). The sign of either basis
    // function flips theta and its amplitude together, so the populations do
    // not depend on it.
    const auto positionElement = [&steppedPair](int a, int b) {
        const std::vector<float>& phiA = steppedPair.states[static_cast<std::size_t>(a)].phi;
        const std::vector<float>& phiB = steppedPair.states[static_cast<std::size_t>(b)].phi;
        double sum = 0.0;
        for (std::size_t k = 0; k < steppedPair.x.size(); ++k)
            sum += static_cast<double>(phiA[k]) * steppedPair.x[k] * static_cast<double>(phiB[k]);
        return sum * steppedPair.dx;
    };
    const double xii = positionElement(i, i);
    const double xjj = positionElement(j, j);
    const double xij = positionElement(i, j);
    const double theta = 0.5 * std::atan2(-2.0 * xij, xjj - xii);
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    populations.leftPopulation = std::norm(c * ci + s * cj);
    populations.rightPopulation = std::norm(-s * ci + c * cj);
    populations.valid = true;
    return populations;
}

double QuantumLandauZener2D::readingError(const BoundStateResult& pair, double offPair, const SweepPopulations& read,
                                          const LandauZenerReference& reference)
{
    constexpr double kUnusable = std::numeric_limits<double>::infinity();
    const int i = reference.stateI;
    const int j = reference.stateJ;
    const std::size_t n = pair.x.size();
    if (!read.valid || !(offPair >= 0.0) || !QuantumDoubleWell2D::isValidPair(pair, i, j) ||
        pair.states[static_cast<std::size_t>(i)].phi.size() != n ||
        pair.states[static_cast<std::size_t>(j)].phi.size() != n)
        return kUnusable;

    // x and its matrix in the pair.
    const std::vector<float>& a = pair.states[static_cast<std::size_t>(i)].phi;
    const std::vector<float>& b = pair.states[static_cast<std::size_t>(j)].phi;
    double xaa = 0.0, xbb = 0.0, xab = 0.0, xa2 = 0.0, xb2 = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        const double pa = a[k], pb = b[k], x = pair.x[k];
        xaa += x * pa * pa;
        xbb += x * pb * pb;
        xab += x * pa * pb;
        xa2 += x * x * pa * pa;
        xb2 += x * x * pb * pb;
    }
    const double h = pair.dx;
    xaa *= h, xbb *= h, xab *= h, xa2 *= h, xb2 *= h;
    const double qa = std::sqrt(std::max(xa2 - xaa * xaa - xab * xab, 0.0));
    const double qb = std::sqrt(std::max(xb2 - xbb * xbb - xab * xab, 0.0));
    const double separation = std::hypot(xbb - xaa, 2.0 * xab);
    if (!(separation > 1e-12))
        return kUnusable;
    const double theta = 2.0 * offPair * (qa + qb) / separation;

    const double ci = std::abs(read.amplitudeI);
    const double cj = std::abs(read.amplitudeJ);
    const double cl = std::sqrt(std::max(read.leftPopulation, 0.0));
    const double cr = std::sqrt(std::max(read.rightPopulation, 0.0));
    // What each state's move out of the pair reaches of psi.
    const double outside = std::sqrt(2.0) * offPair * std::sqrt(std::max(1.0 - read.captured, 0.0));
    const double levels = 2.0 * std::max(ci, cj) * outside;
    const double sides = 2.0 * theta * cl * cr + 2.0 * std::max(cl, cr) * outside;
    const double captured = 2.0 * (ci + cj) * outside;
    return std::max({levels, sides, captured}) + offPair * offPair + theta * theta;
}

} // namespace vxo
