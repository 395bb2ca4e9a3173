#include "experiments/QuantumBloch2D.h"

#include "core/Numeric.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vxo {

namespace {

constexpr const char* kOnlyWellsAndForce =
    "Bloch lattice accepts only negative Rectangle wells plus one Linear X term.";
constexpr const char* kOneForce = "Bloch lattice expects exactly one enabled Linear force term.";
constexpr const char* kFiveWells = "Bloch lattice needs at least five enabled periodic wells.";
constexpr const char* kForceAlongX = "Bloch lattice needs one non-zero Linear slopeX and zero slopeY.";
constexpr const char* kSpacing = "Bloch lattice spacing is invalid.";
constexpr const char* kEqualWells = "Bloch lattice wells must have equal depth, width, height and centerY.";
constexpr const char* kEqualSpacing = "Bloch lattice wells are not equally spaced.";

// The centre distance of two neighbouring wells, formed in single precision
// like the stored centres themselves.
double centreGap(const PotentialObject& left, const PotentialObject& right)
{
    return static_cast<double>(right.centerX - left.centerX);
}

bool usableLattice(const BlochLatticeConfig& config, double hbar)
{
    return config.valid && isFinitePositive(config.spacing) && isFinitePositive(hbar);
}

} // namespace

bool QuantumBloch2D::extractFromScene(const PotentialScene& scene, BlochLatticeConfig& config, std::string* error)
{
    config = BlochLatticeConfig{};
    clearAnalysisError(error);

    std::vector<PotentialObject> wells;
    const PotentialObject* force = nullptr;
    for (const PotentialObject& object : scene.objects()) {
        if (!object.enabled)
            continue;
        if (object.kind == PotentialObjectKind::Rectangle && object.value < 0.0f) {
            wells.push_back(object);
        } else if (object.kind == PotentialObjectKind::Linear) {
            if (force)
                return failAnalysis(error, kOneForce);
            force = &object;
        } else {
            return failAnalysis(error, kOnlyWellsAndForce);
        }
    }
    if (wells.size() < 5)
        return failAnalysis(error, kFiveWells);
    if (!force || !(std::fabs(force->slopeX) > 1e-12) || !(std::fabs(force->slopeY) <= 1e-9))
        return failAnalysis(error, kForceAlongX);

    std::stable_sort(wells.begin(), wells.end(),
                     [](const PotentialObject& a, const PotentialObject& b) { return a.centerX < b.centerX; });
    const double a = centreGap(wells[0], wells[1]);
    if (!isFinitePositive(a))
        return failAnalysis(error, kSpacing);

    const PotentialObject& reference = wells.front();
    const double spacingTolerance = std::max(a, 1.0) * kSceneSizeTolerance;
    for (std::size_t i = 0; i < wells.size(); ++i) {
        const PotentialObject& well = wells[i];
        if (!sceneSizesEqual(well.value, reference.value) || !sceneSizesEqual(well.width, reference.width) ||
            !sceneSizesEqual(well.height, reference.height) || !sceneSizesEqual(well.centerY, reference.centerY))
            return failAnalysis(error, kEqualWells);
        if (i >= 1 && !(std::fabs(centreGap(wells[i - 1], well) - a) <= spacingTolerance))
            return failAnalysis(error, kEqualSpacing);
    }

    config.valid = true;
    config.spacing = a;
    config.wellWidth = reference.width;
    config.depth = -static_cast<double>(reference.value);
    config.slopeX = force->slopeX;
    config.force = -static_cast<double>(force->slopeX);
    config.firstCenterX = wells.front().centerX;
    config.lastCenterX = wells.back().centerX;
    config.wellCount = static_cast<std::int32_t>(wells.size());
    return true;
}

double QuantumBloch2D::blochPeriod(const BlochLatticeConfig& config, double hbar)
{
    if (!usableLattice(config, hbar))
        return 0.0;
    const double f = std::fabs(config.force);
    if (!isFinite(f) || f <= 1e-15)
        return 0.0;
    return 2.0 * kPi * hbar / (f * config.spacing);
}

double QuantumBloch2D::zoneEdgeMomentum(const BlochLatticeConfig& config, double hbar)
{
    if (!usableLattice(config, hbar))
        return 0.0;
    return kPi * hbar / config.spacing;
}

double QuantumBloch2D::reducedMomentum(const BlochLatticeConfig& config, double p0, double t, double hbar)
{
    const double edge = zoneEdgeMomentum(config, hbar);
    if (edge <= 0.0)
        return 0.0;
    const double p = (isFinite(p0) && isFinite(t)) ? p0 + config.force * t : 0.0;
    if (!isFinite(p))
        return 0.0;
    const double zone = 2.0 * edge;
    double folded = std::fmod(p + edge, zone);
    if (folded < 0.0)
        folded += zone;
    if (folded >= zone) // rounding of the line above
        folded -= zone;
    return folded - edge;
}

} // namespace vxo
