#include "experiments/QuantumRevival2D.h"

#include "core/Numeric.h"
#include "experiments/BoxWalls.h"
#include "experiments/FieldProducts.h"
#include "experiments/ReferenceGrid.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace vxo {

namespace {

constexpr const char* kFourWalls = "Quantum revival box expects four enabled positive Rectangle walls.";
constexpr const char* kOrientation = "Quantum revival box walls must be clearly vertical or horizontal.";
constexpr const char* kTwoAndTwo = "Quantum revival box needs exactly two vertical and two horizontal walls.";
constexpr const char* kNoInterior = "Quantum revival box walls overlap or leave no finite interior.";
constexpr const char* kSameHeight = "Quantum revival box walls must use the same potential height.";
constexpr const char* kEqualThickness = "Opposite quantum-box walls must use equal thickness.";
constexpr const char* kNotCentred = "Quantum revival box walls are not centred on one rectangular interior.";

} // namespace

double RevivalBoxConfig::revivalTimeX(double mass, double hbar) const
{
    if (!valid)
        return 0.0;
    return levelRevivalTimeX > 0.0 ? levelRevivalTimeX : revivalTime(interiorWidth, mass, hbar);
}

double RevivalBoxConfig::revivalTimeY(double mass, double hbar) const
{
    if (!valid)
        return 0.0;
    return levelRevivalTimeY > 0.0 ? levelRevivalTimeY : revivalTime(interiorHeight, mass, hbar);
}

bool QuantumRevival2D::extractFromScene(const PotentialScene& scene, RevivalBoxConfig& config, std::string* error)
{
    config = RevivalBoxConfig{};

    std::vector<PotentialObject> vertical;
    std::vector<PotentialObject> horizontal;
    for (const PotentialObject& object : scene.objects()) {
        if (!object.enabled)
            continue;
        if (object.kind != PotentialObjectKind::Rectangle || !(object.value > 0.0f))
            return failAnalysis(error, kFourWalls);
        if (!sortWall(object, vertical, horizontal))
            return failAnalysis(error, kOrientation);
    }
    if (vertical.size() != 2 || horizontal.size() != 2)
        return failAnalysis(error, kTwoAndTwo);

    const BoxWalls box = BoxWalls::arrange(vertical[0], vertical[1], horizontal[0], horizontal[1]);
    const double lx = box.interiorWidth();
    const double ly = box.interiorHeight();
    if (!(lx > 0.0) || !(ly > 0.0))
        return failAnalysis(error, kNoInterior);

    const double v = box.left.value;
    if (!sceneSizesEqual(box.right.value, v) || !sceneSizesEqual(box.bottom.value, v) ||
        !sceneSizesEqual(box.top.value, v))
        return failAnalysis(error, kSameHeight);
    if (!sceneSizesEqual(box.right.width, box.left.width) || !sceneSizesEqual(box.top.height, box.bottom.height))
        return failAnalysis(error, kEqualThickness);
    if (!box.wallsCentredOnInterior())
        return failAnalysis(error, kNotCentred);

    config.valid = true;
    config.interiorCenterX = box.interiorCenterX();
    config.interiorCenterY = box.interiorCenterY();
    config.interiorWidth = lx;
    config.interiorHeight = ly;
    config.verticalWallThickness = box.left.width;
    config.horizontalWallThickness = box.bottom.height;
    config.wallHeight = v;
    return true;
}

double revivalTime(double length, double mass, double hbar)
{
    if (!isFinitePositive(length) || !isFinitePositive(mass) || !isFinitePositive(hbar))
        return 0.0;
    return 4.0 * mass * length * length / (kPi * hbar);
}

double normalisedOverlap(const ComplexField2D& a, const ComplexField2D& b)
{
    if (a.empty() || b.empty() || !onReferenceGrid(GridKey2D::of(a), b))
        return 0.0;
    const OverlapSums sums = overlapSums(a, b);
    const double na = sums.normA;
    const double nb = sums.normB;
    if (!(na > 0.0) || !(nb > 0.0))
        return 0.0;
    return std::norm(sums.product) / (na * nb);
}

double overlapProbability(const ComplexField2D& a, const ComplexField2D& b)
{
    const double f = normalisedOverlap(a, b);
    if (!isFinite(f))
        return 0.0;
    return std::clamp(f, 0.0, 1.0);
}

} // namespace vxo
