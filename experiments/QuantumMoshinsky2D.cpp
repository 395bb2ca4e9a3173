#include "experiments/QuantumMoshinsky2D.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "experiments/GaussianEnvelope.h"
#include "experiments/SceneChecks.h"

#include <cmath>

namespace vxo {

namespace {

constexpr const char* kTiming = "Moshinsky timing/detector configuration is invalid.";
constexpr const char* kNoTarget = "Moshinsky shutter target is not selected.";
constexpr const char* kMissing = "Moshinsky shutter object is missing or disabled.";
constexpr const char* kHeight = "Moshinsky shutter must have a positive closed height.";
constexpr const char* kKind = "Moshinsky shutter must be a vertical Barrier or Rectangle.";
constexpr const char* kShape = "Moshinsky shutter geometry must be tall and narrow.";
constexpr const char* kDetector = "Moshinsky detector must lie downstream of the shutter.";
constexpr const char* kEmptyField = "Moshinsky initial field is empty.";
constexpr const char* kHbar = "Moshinsky hbar must be positive and finite.";
constexpr const char* kFinite = "Moshinsky initial-state parameters must be finite.";
constexpr const char* kWidths = "Moshinsky envelope widths and edge width must be positive.";
constexpr const char* kBehind = "Moshinsky envelope centre must lie behind the shutter.";
constexpr const char* kNormalisation = "Moshinsky initial-state normalization failed.";

// Slack of the opening instant, so that the step ending exactly at the
// opening time still sees a closed shutter.
constexpr double kOpeningSlack = 1e-12;

// The shutter rules of an enabled config; fills the geometry on success.
const char* shutterFault(const PotentialScene& scene, const MoshinskyConfig& config, MoshinskyShutterGeometry& geometry)
{
    if (!isFiniteNonNegative(config.openTime) || !isFinite(config.detectorX) || !isFinite(config.analysisEndTime) ||
        !(config.analysisEndTime > config.openTime))
        return kTiming;
    if (config.shutterObjectId == 0)
        return kNoTarget;
    const PotentialObject* object = scene.find(config.shutterObjectId);
    if (!object || !object->enabled)
        return kMissing;
    if (!isFinitePositive(object->value))
        return kHeight;
    double extentX = 0.0;
    double extentY = 0.0;
    if (object->kind == PotentialObjectKind::Barrier) {
        extentX = object->thickness;
        extentY = object->length;
    } else if (object->kind == PotentialObjectKind::Rectangle) {
        extentX = object->width;
        extentY = object->height;
    } else {
        return kKind;
    }
    if (!(extentY > 0.0) || !(extentX > 0.0) || 3.0 * extentX > extentY)
        return kShape;
    if (!(config.detectorX > object->centerX))
        return kDetector;
    geometry.valid = true;
    geometry.objectId = object->id;
    geometry.centerX = object->centerX;
    geometry.centerY = object->centerY;
    geometry.extentY = extentY;
    geometry.extentX = extentX;
    geometry.closedHeight = object->value;
    return nullptr;
}

const char* initialStateFault(const MoshinskyInitialStateConfig& c)
{
    if (!isFinite(c.shutterX) || !isFinite(c.envelopeCenterX) || !isFinite(c.envelopeSigmaX) || !isFinite(c.centerY) ||
        !isFinite(c.transverseSigmaY) || !isFinite(c.momentumX) || !isFinite(c.edgeWidth))
        return kFinite;
    if (!(c.envelopeSigmaX > 0.0) || !(c.transverseSigmaY > 0.0) || !(c.edgeWidth > 0.0))
        return kWidths;
    if (!(c.shutterX > c.envelopeCenterX))
        return kBehind;
    return nullptr;
}

} // namespace

bool QuantumMoshinsky2D::validateShutter(const PotentialScene& scene, const MoshinskyConfig& config,
                                         MoshinskyShutterGeometry* geometry, const char** message)
{
    if (!config.enabled)
        return true;
    MoshinskyShutterGeometry found;
    if (const char* fault = shutterFault(scene, config, found))
        return failAnalysis(message, fault);
    if (geometry)
        *geometry = found;
    return true;
}

bool QuantumMoshinsky2D::validateInitialState(const MoshinskyInitialStateConfig& config, const char** message)
{
    if (!config.enabled)
        return true;
    if (const char* fault = initialStateFault(config))
        return failAnalysis(message, fault);
    return true;
}

bool QuantumMoshinsky2D::prepareInitialState(ComplexField2D& field, const MoshinskyInitialStateConfig& config,
                                             double hbar, std::string* error)
{
    if (field.empty())
        return failAnalysisIfEmpty(error, kEmptyField);
    if (!isFinitePositive(hbar))
        return failAnalysisIfEmpty(error, kHbar);
    if (!config.enabled)
        return false;
    if (const char* fault = initialStateFault(config))
        return failAnalysisIfEmpty(error, fault);

    const double edgeScale = std::sqrt(2.0) * config.edgeWidth;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double ey = gridCoordinateY(field, j) - config.centerY;
        const double transverse = gaussianEnvelope(ey, config.transverseSigmaY);
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double x = gridCoordinateX(field, i);
            const double ex = x - config.envelopeCenterX;
            const double amplitude = 0.5 * std::erfc((x - config.shutterX) / edgeScale) *
                                     gaussianEnvelope(ex, config.envelopeSigmaX) * transverse;
            const double theta = config.momentumX * x / hbar;
            field.at(i, j) = Complex(static_cast<float>(amplitude * std::cos(theta)),
                                     static_cast<float>(amplitude * std::sin(theta)));
        }
    }
    if (!field.normalize())
        return failAnalysisIfEmpty(error, kNormalisation);
    return true;
}

MoshinskyShutterState QuantumMoshinsky2D::applyShutter(const PotentialScene& scene, const MoshinskyConfig& config,
                                                       double t, PotentialField2D& potential)
{
    if (!isFinite(t))
        return {};
    double closedHeight = 0.0;
    if (config.enabled) {
        MoshinskyShutterGeometry geometry;
        if (shutterFault(scene, config, geometry) != nullptr)
            return {};
        closedHeight = geometry.closedHeight;
    }
    PotentialScene copy = scene;
    PotentialObject* shutter = copy.find(config.shutterObjectId);
    if (!shutter)
        return {};
    MoshinskyShutterState state;
    state.applied = true;
    state.open = isOpenAt(config, t);
    state.height = state.open ? 0.0 : closedHeight;
    shutter->value = static_cast<float>(state.height);
    copy.buildPotential(potential);
    return state;
}

bool QuantumMoshinsky2D::isOpenAt(const MoshinskyConfig& config, double t)
{
    return t > config.openTime + kOpeningSlack;
}

} // namespace vxo
