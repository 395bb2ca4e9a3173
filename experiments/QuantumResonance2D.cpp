#include "experiments/QuantumResonance2D.h"

#include "core/CellDecisionPoint.h"
#include "core/ComplexField2D.h"
#include "core/DensitySums2D.h"
#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "core/PotentialScene.h"
#include "experiments/GridCoordinates.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vxo {

namespace {

const char* const kMessageOnlyBarriers = "Double-barrier analysis requires only Barrier objects.";
const char* const kMessageInvalidBarrier = "One of the enabled barriers is invalid.";
const char* const kMessageExactlyTwo = "Enable exactly two Barrier objects in Potential Scene.";
const char* const kMessageNoCavity = "The two barriers overlap or leave no finite central cavity.";

// Wavenumber sqrt(2m(E - V))/hbar of a real energy difference, imaginary when E < V.
ComplexD localWavenumber(double energy, double potential, double mass, double hbar)
{
    return std::sqrt(ComplexD(2.0 * mass * (energy - potential), 0.0)) / hbar;
}

// Sample points lo + (hi - lo) k / (n - 1), k = 0..n-1, with T from the callback.
template <typename Transmission>
std::vector<TransmissionPoint> sampleRange(double lo, double hi, int n, Transmission transmissionAt)
{
    std::vector<TransmissionPoint> points;
    points.reserve(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k) {
        const double abscissa = evenlySpacedValue(lo, hi, k, n);
        points.push_back({abscissa, transmissionAt(abscissa)});
    }
    return points;
}

bool curveArgumentsValid(const DoubleBarrierConfig& config, double lo, double hi, int n, double mass, double hbar)
{
    return config.valid && n >= 2 && isFinitePositive(mass) && isFinitePositive(hbar) && isFinite(lo) && isFinite(hi);
}

} // namespace

bool QuantumResonance2D::extractFromScene(const PotentialScene& scene, DoubleBarrierConfig& config, std::string* error)
{
    config = DoubleBarrierConfig();
    clearAnalysisError(error);

    const PotentialObject* first = nullptr;
    const PotentialObject* second = nullptr;
    int count = 0;
    for (const PotentialObject& object : scene.objects()) {
        if (!object.enabled)
            continue;
        if (object.kind != PotentialObjectKind::Barrier)
            return failAnalysis(error, kMessageOnlyBarriers);
        ++count;
        if (!PotentialObject::isValid(object))
            return failAnalysis(error, kMessageInvalidBarrier);
        if (!first)
            first = &object;
        else if (!second)
            second = &object;
    }
    if (count != 2)
        return failAnalysis(error, kMessageExactlyTwo);

    const PotentialObject* left = first;
    const PotentialObject* right = second;
    if (right->centerX < left->centerX)
        std::swap(left, right);

    const double leftInnerX = static_cast<double>(left->centerX) + static_cast<double>(left->thickness) / 2.0;
    const double rightInnerX = static_cast<double>(right->centerX) - static_cast<double>(right->thickness) / 2.0;
    const double cavityWidth = rightInnerX - leftInnerX;
    if (!(cavityWidth > 0.0))
        return failAnalysis(error, kMessageNoCavity);

    config.leftBarrier = *left;
    config.rightBarrier = *right;
    config.leftOuterX = static_cast<double>(left->centerX) - static_cast<double>(left->thickness) / 2.0;
    config.leftInnerX = leftInnerX;
    config.rightInnerX = rightInnerX;
    config.rightOuterX = static_cast<double>(right->centerX) + static_cast<double>(right->thickness) / 2.0;
    config.cavityWidth = cavityWidth;
    config.centerDistance = static_cast<double>(right->centerX - left->centerX);
    config.valid = true;
    return true;
}

DoubleBarrierRegions QuantumResonance2D::regionProbabilities(const ComplexField2D& psi,
                                                             const DoubleBarrierConfig& config)
{
    DensitySums2D sums;
    sums.compute(psi);
    return regionProbabilities(sums, config);
}

DoubleBarrierRegions QuantumResonance2D::regionProbabilities(const DensitySums2D& sums,
                                                             const DoubleBarrierConfig& config)
{
    DoubleBarrierRegions regions;
    if (sums.empty() || !config.valid)
        return regions;

    const double cell = sums.dx() * sums.dy();
    const std::vector<double>& columns = sums.columns();
    for (std::uint64_t i = 0; i < columns.size(); ++i) {
        const double p = columns[i] * cell;
        const double x = cellDecisionX(i, columns.size(), sums.dx());
        regions.total += p;
        // Both barrier intervals are closed, the cavity open, decided
        // where the painters decide, so the barriers are their painted cells.
        if (x < config.leftOuterX)
            regions.left += p;
        else if (x <= config.leftInnerX)
            regions.barriers += p;
        else if (x < config.rightInnerX)
            regions.cavity += p;
        else if (x <= config.rightOuterX)
            regions.barriers += p;
        else
            regions.right += p;
    }
    if (isFinitePositive(regions.total)) {
        regions.leftFraction = regions.left / regions.total;
        regions.barriersFraction = regions.barriers / regions.total;
        regions.cavityFraction = regions.cavity / regions.total;
        regions.rightFraction = regions.right / regions.total;
    }
    return regions;
}

ComplexMatrix2x2 QuantumResonance2D::regionTransferMatrix(ComplexD q, double length)
{
    if (std::abs(q) < 1e-12)
        return {ComplexD(1.0, 0.0), ComplexD(length, 0.0), ComplexD(0.0, 0.0), ComplexD(1.0, 0.0)};
    const ComplexD phase = q * length;
    const ComplexD c = std::cos(phase);
    const ComplexD s = std::sin(phase);
    return {c, s / q, -q * s, c};
}

double QuantumResonance2D::transmission(double energy, double v1, double w1, double cavity, double v2, double w2,
                                        double mass, double hbar)
{
    if (!isFinitePositive(energy) || !isFinitePositive(w1) || !isFinitePositive(w2) || !isFinitePositive(mass) ||
        !isFinitePositive(hbar) || !isFiniteNonNegative(cavity) || !isFinite(v1) || !isFinite(v2))
        return 0.0;
    return layeredTransmission(energy, {{w1, v1}, {cavity, 0.0}, {w2, v2}}, mass, hbar);
}

double QuantumResonance2D::layeredTransmission(double energy, const std::vector<PotentialLayer>& layers, double mass,
                                               double hbar)
{
    if (!isFinitePositive(energy) || !isFinitePositive(mass) || !isFinitePositive(hbar))
        return 0.0;
    const double k = std::sqrt(2.0 * mass * energy) / hbar;
    if (!isFinitePositive(k))
        return 0.0;
    ComplexMatrix2x2 m = {ComplexD(1.0, 0.0), ComplexD(0.0, 0.0), ComplexD(0.0, 0.0), ComplexD(1.0, 0.0)};
    for (const PotentialLayer& layer : layers) {
        if (!isFiniteNonNegative(layer.length) || !isFinite(layer.value))
            return 0.0;
        m = multiplyComplex2x2(regionTransferMatrix(localWavenumber(energy, layer.value, mass, hbar), layer.length), m);
    }

    // A r - t = -(m00 + i k m01),  B r - i k t = -(m10 + i k m11).
    const ComplexD ik(0.0, k);
    const ComplexD a = m[0] - ik * m[1];
    const ComplexD b = m[2] - ik * m[3];
    const ComplexD c1 = -(m[0] + ik * m[1]);
    const ComplexD c2 = -(m[2] + ik * m[3]);
    const ComplexD determinant = b - ik * a;
    const double size = std::abs(determinant);
    if (!std::isfinite(size) || size < 1e-24)
        return 0.0;
    const ComplexD t = (a * c2 - b * c1) / determinant;
    const double result = std::norm(t);
    if (std::isnan(result) || result < 0.0)
        return 0.0;
    return result > 1.0 ? 1.0 : result;
}

std::vector<TransmissionPoint> QuantumResonance2D::transmissionCurve(const DoubleBarrierConfig& config,
                                                                     double energyMin, double energyMax, int n,
                                                                     double mass, double hbar)
{
    if (!curveArgumentsValid(config, energyMin, energyMax, n, mass, hbar))
        return {};
    if (energyMax < energyMin)
        std::swap(energyMin, energyMax);
    if (!(energyMax > energyMin))
        return {};
    const PotentialObject& left = config.leftBarrier;
    const PotentialObject& right = config.rightBarrier;
    return sampleRange(energyMin, energyMax, n, [&](double energy) {
        return transmission(energy, left.value, left.thickness, config.cavityWidth, right.value, right.thickness, mass,
                            hbar);
    });
}

std::vector<TransmissionPoint> QuantumResonance2D::cavityWidthScan(const DoubleBarrierConfig& config, double widthMin,
                                                                   double widthMax, int n, double energy, double mass,
                                                                   double hbar)
{
    if (!curveArgumentsValid(config, widthMin, widthMax, n, mass, hbar) || !isFinitePositive(energy))
        return {};
    if (widthMax < widthMin)
        std::swap(widthMin, widthMax);
    widthMin = std::max(widthMin, 0.0);
    if (!(widthMax > widthMin))
        return {};
    const PotentialObject& left = config.leftBarrier;
    const PotentialObject& right = config.rightBarrier;
    return sampleRange(widthMin, widthMax, n, [&](double width) {
        return transmission(energy, left.value, left.thickness, width, right.value, right.thickness, mass, hbar);
    });
}

} // namespace vxo
