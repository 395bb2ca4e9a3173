#include "experiments/QuantumScar2D.h"

#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

constexpr const char* kOnlyStadium = "Quantum Scar analysis expects one Stadium Exterior potential object.";
constexpr const char* kOneStadium = "Quantum Scar analysis expects exactly one Stadium Exterior object.";
constexpr const char* kStadiumSize = "Stadium Exterior must have positive wall height, straight length and radius.";
constexpr const char* kBand = "Scar orbit-band half-width must be finite and positive.";
constexpr const char* kEnergy = "Scar reference energy must be finite and non-negative.";

bool hasShape(const StadiumGeometry& s) { return s.valid && s.straightLength > 0.0 && s.radius > 0.0; }

} // namespace

bool QuantumScar2D::analyzeScene(const PotentialScene& scene, StadiumGeometry& stadium, std::string* error)
{
    stadium = StadiumGeometry{};
    clearAnalysisError(error);
    const PotentialObject* found = nullptr;
    for (const PotentialObject& object : scene.objects()) {
        if (!object.enabled)
            continue;
        if (object.kind != PotentialObjectKind::StadiumExterior)
            return failAnalysis(error, kOnlyStadium);
        if (found)
            return failAnalysis(error, kOneStadium);
        found = &object;
    }
    if (!found || !(found->value > 0.0f) || !(found->width > 0.0f) || !(found->radius > 0.0f))
        return failAnalysis(error, kStadiumSize);
    stadium.valid = true;
    stadium.centerX = found->centerX;
    stadium.centerY = found->centerY;
    stadium.straightLength = found->width;
    stadium.radius = found->radius;
    stadium.wallHeight = found->value;
    return true;
}

double QuantumScar2D::stadiumArea(const StadiumGeometry& stadium)
{
    if (!hasShape(stadium))
        return 0.0;
    const double r = stadium.radius;
    return kPi * r * r + 2.0 * r * stadium.straightLength;
}

double QuantumScar2D::axialOrbitPeriod(const StadiumGeometry& stadium, double speed)
{
    if (!(speed > 0.0) || !stadium.valid)
        return 0.0;
    return 2.0 * (2.0 * stadium.radius + stadium.straightLength) / speed;
}

bool QuantumScar2D::isInsideStadium(const StadiumGeometry& stadium, double x, double y)
{
    if (!hasShape(stadium))
        return false;
    const double d = x - stadium.centerX;
    const double ey = y - stadium.centerY;
    const double half = stadium.straightLength / 2.0;
    if (std::fabs(d) <= half)
        return std::fabs(ey) <= stadium.radius;
    const double c = d > 0.0 ? half : -half;
    return (d - c) * (d - c) + ey * ey <= stadium.radius * stadium.radius;
}

std::pair<std::uint64_t, std::uint64_t> QuantumScar2D::insideRun(const StadiumGeometry& stadium,
                                                                 const ComplexField2D& grid, std::uint64_t j)
{
    const std::uint64_t nx = grid.nx();
    if (nx == 0 || !hasShape(stadium))
        return {0, 0};
    // The cell whose decision point is nearest the axis: inside whenever any
    // cell of the row is (the run is at least as wide as a cell, or holds
    // that one point only).
    const double dx = grid.dx();
    const double t = (stadium.centerX - kFaceNudgeX * dx) / dx + centreOffset(nx);
    const std::uint64_t axis = clampedRoundedIndex(t, 0, nx - 1);
    const auto inside = [&](std::uint64_t i) { return isCellInsideStadium(stadium, grid, i, j); };
    if (!inside(axis))
        return {0, 0};
    std::uint64_t lo = 0, hi = axis; // first inside in [lo, hi]
    while (lo < hi) {
        const std::uint64_t mid = lo + (hi - lo) / 2;
        if (inside(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    const std::uint64_t first = lo;
    lo = axis;
    hi = nx - 1; // last inside in [lo, hi]
    while (lo < hi) {
        const std::uint64_t mid = lo + (hi - lo + 1) / 2;
        if (inside(mid))
            lo = mid;
        else
            hi = mid - 1;
    }
    return {first, lo + 1};
}

double QuantumScar2D::orbitBandEnhancement(double bandProbability, double totalProbability,
                                           const StadiumGeometry& stadium, double halfWidth)
{
    const double area = stadiumArea(stadium);
    const double r = stadium.radius;
    double bandArea = 0.0;
    if (halfWidth > 0.0 && r > 0.0) {
        // The band through the straight part plus the two circular segments of
        // the end caps: int_{-h}^{h} sqrt(R^2 - y^2) dy per cap pair.
        const double h = std::min(r, halfWidth);
        bandArea =
            std::min(area, 2.0 * h * stadium.straightLength + 2.0 * (h * std::sqrt(std::max(r * r - h * h, 0.0)) +
                                                                     r * r * std::asin(std::min(h / r, 1.0))));
    }
    if (!(totalProbability > 0.0) || !(area > 0.0) || !(bandArea > 0.0))
        return 0.0;
    const double fraction = std::min(bandArea / area, 1.0);
    if (!(fraction > 0.0))
        return 0.0;
    return (bandProbability / totalProbability) / fraction;
}

double QuantumScar2D::instantaneousEnhancement(const ComplexField2D& field, const StadiumGeometry& stadium,
                                               double halfWidth)
{
    if (field.empty() || !stadium.valid || !(halfWidth > 0.0))
        return 0.0;
    const double cellArea = static_cast<double>(field.dx()) * static_cast<double>(field.dy());
    const Complex* psi = field.data();
    return densityEnhancement(field, stadium, halfWidth,
                              [psi, cellArea](std::uint64_t k) { return cellProbability(psi[k], cellArea); });
}

bool QuantumScar2D::sameGrid(const ComplexField2D& a, const ComplexField2D& b)
{
    return !a.empty() && !b.empty() && a.nx() == b.nx() && a.ny() == b.ny() &&
           std::fabs(static_cast<double>(a.dx()) - static_cast<double>(b.dx())) <= 1e-9 &&
           std::fabs(static_cast<double>(a.dy()) - static_cast<double>(b.dy())) <= 1e-9;
}

bool QuantumScar2D::validateConfiguration(const ScarConfig& config, std::string* error)
{
    clearAnalysisError(error);
    if (!isFinitePositive(config.orbitBandHalfWidth) || config.orbitBandHalfWidth > 20.0)
        return failAnalysis(error, kBand);
    if (!isFiniteNonNegative(config.referenceEnergy) || config.referenceEnergy > 10000.0)
        return failAnalysis(error, kEnergy);
    return true;
}

} // namespace vxo
