#include "experiments/QuantumBilliard2D.h"

#include "core/CellDecisionPoint.h"
#include "core/Numeric.h"
#include "experiments/BoxWalls.h"
#include "experiments/QuantumRevival2D.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vxo {

namespace {

constexpr const char* kOrientation = "Billiard walls must be clearly vertical or horizontal rectangles.";
constexpr const char* kOneScatterer = "Billiard analysis supports at most one circular scatterer.";
constexpr const char* kObjects =
    "Billiard scene expects four positive Rectangle walls and optionally one positive Circle.";
constexpr const char* kTwoAndTwo = "Billiard scene needs exactly two vertical and two horizontal walls.";
constexpr const char* kNoInterior = "Billiard walls overlap or leave no interior.";
constexpr const char* kSameHeight = "All billiard walls must use the same potential height.";
constexpr const char* kNotCentred = "Billiard walls are not centred on one rectangular interior.";
constexpr const char* kRadius = "Circular billiard scatterer must have positive radius.";
constexpr const char* kInside = "Circular scatterer must lie completely inside the billiard.";

bool fail(BilliardConfig& config, std::string* error, const char* message)
{
    config = BilliardConfig{};
    return failAnalysis(error, message);
}

} // namespace

bool QuantumBilliard2D::extractFromScene(const PotentialScene& scene, BilliardConfig& config, std::string* error)
{
    config = BilliardConfig{};

    std::vector<PotentialObject> vertical;
    std::vector<PotentialObject> horizontal;
    const PotentialObject* scatterer = nullptr;
    for (const PotentialObject& object : scene.objects()) {
        if (!object.enabled)
            continue;
        if (object.kind == PotentialObjectKind::Rectangle && object.value > 0.0f) {
            if (!sortWall(object, vertical, horizontal))
                return fail(config, error, kOrientation);
        } else if (object.kind == PotentialObjectKind::Circle && object.value > 0.0f) {
            if (scatterer)
                return fail(config, error, kOneScatterer);
            scatterer = &object;
        } else {
            return fail(config, error, kObjects);
        }
    }
    if (vertical.size() != 2 || horizontal.size() != 2)
        return fail(config, error, kTwoAndTwo);

    const BoxWalls box = BoxWalls::arrange(vertical[0], vertical[1], horizontal[0], horizontal[1]);
    const double w = box.interiorWidth();
    const double h = box.interiorHeight();
    if (!(w > 0.0) || !(h > 0.0))
        return fail(config, error, kNoInterior);

    const double v = box.left.value;
    if (!sceneSizesEqual(box.right.value, v) || !sceneSizesEqual(box.bottom.value, v) ||
        !sceneSizesEqual(box.top.value, v))
        return fail(config, error, kSameHeight);
    if (!box.wallsCentredOnInterior())
        return fail(config, error, kNotCentred);

    if (scatterer) {
        const double r = scatterer->radius;
        const double xs = scatterer->centerX;
        const double ys = scatterer->centerY;
        if (!(r > 0.0))
            return fail(config, error, kRadius);
        const bool insideX = box.innerLeft < xs - r && xs + r < box.innerRight;
        const bool insideY = box.innerBottom < ys - r && ys + r < box.innerTop;
        if (!insideX || !insideY)
            return fail(config, error, kInside);
        config.hasScatterer = true;
        config.scattererX = xs;
        config.scattererY = ys;
        config.scattererRadius = r;
        config.scattererHeight = scatterer->value;
    }

    config.valid = true;
    config.interiorCenterX = box.interiorCenterX();
    config.interiorCenterY = box.interiorCenterY();
    config.interiorWidth = w;
    config.interiorHeight = h;
    config.wallHeight = v;
    return true;
}

BilliardObservables QuantumBilliard2D::observables(const ComplexField2D& field, const BilliardConfig& config,
                                                   const ComplexField2D* initial)
{
    BilliardObservables result;
    if (field.empty() || !config.valid)
        return result;

    const double dx = field.dx();
    const double dy = field.dy();
    const double dA = dx * dy;
    const bool scatterer = config.hasScatterer;
    const double r = config.scattererRadius;
    // The shell is a few cells wide so that it resolves on coarse grids too.
    const double margin = scatterer ? std::max(2.5 * std::max(dx, dy), 0.45) : 0.0;
    const double left = config.interiorCenterX - 0.5 * config.interiorWidth;
    const double right = config.interiorCenterX + 0.5 * config.interiorWidth;
    const double bottom = config.interiorCenterY - 0.5 * config.interiorHeight;
    const double top = config.interiorCenterY + 0.5 * config.interiorHeight;

    double p = 0.0;
    double q = 0.0;
    double shell = 0.0;
    // The interior is the cells no wall or scatterer paints: decided where
    // the painters decide, the walls' inner faces and the scatterer's rim
    // leave their cells to the walls and the scatterer, which, like its
    // painter, compares squared distances.
    const double r2 = r * r;
    const double outer2 = (r + margin) * (r + margin);
    // Each column's decision abscissa and its squared distance to the
    // scatterer's centre are taken once, not in every row; a row outside the
    // interior adds only to the scatterer's shell.
    const std::uint64_t nx = field.nx();
    std::vector<double> columnX(nx), columnDistance2(nx, 0.0);
    for (std::uint64_t i = 0; i < nx; ++i) {
        columnX[i] = cellDecisionX(field, i);
        if (scatterer)
            columnDistance2[i] = (columnX[i] - config.scattererX) * (columnX[i] - config.scattererX);
    }
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double y = cellDecisionY(field, j);
        const double dy2 = scatterer ? (y - config.scattererY) * (y - config.scattererY) : 0.0;
        const bool insideRows = y > bottom && y < top;
        if (!insideRows && !scatterer)
            continue;
        const Complex* row = field.data() + j * nx;
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double x = columnX[i];
            const double re = row[i].real();
            const double im = row[i].imag();
            const double rho = re * re + im * im;
            const double distance2 = scatterer ? columnDistance2[i] + dy2 : 0.0;
            const bool inside = insideRows && x > left && x < right;
            if (inside && (!scatterer || distance2 > r2)) {
                p += rho * dA;
                q += rho * rho * dA;
            }
            if (scatterer && distance2 > r2 && distance2 <= outer2)
                shell += rho * dA;
        }
    }
    result.interiorProbability = p;
    result.shellProbability = shell;
    if (p > 1e-20 && q > 1e-30) {
        result.effectiveArea = p * p / q;
        double freeArea = config.interiorWidth * config.interiorHeight;
        if (scatterer && r > 0.0)
            freeArea -= kPi * r * r;
        freeArea = std::max(freeArea, 0.0);
        if (freeArea > 0.0)
            result.occupiedFraction = std::clamp(result.effectiveArea / freeArea, 0.0, 1.0);
    }
    if (initial)
        result.fidelity = normalisedOverlap(*initial, field);
    return result;
}

} // namespace vxo
