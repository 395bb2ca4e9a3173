#include "experiments/QuantumZeno2D.h"

#include "core/InterleavedSums.h"
#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "experiments/EventSchedule.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

constexpr const char* kParameters = "Quantum Zeno measurement parameters are invalid.";
constexpr const char* kShortPeriod = "Quantum Zeno measurement period must be at least 0.001.";
constexpr const char* kInitialValues =
    "Quantum Zeno initial-state parameters must be finite and sigma must be positive.";
constexpr const char* kLaneOrder = "Quantum Zeno control lane must lie above the watched lane.";
constexpr const char* kEmptyField = "Quantum Zeno measurement requires a non-empty field.";
constexpr const char* kTarget = "Quantum Zeno target watched-lane norm must be positive.";
constexpr const char* kZeroLane = "Quantum Zeno watched lane has zero norm.";
constexpr const char* kRemoved = "Quantum Zeno survival projection removed the complete watched state.";
constexpr const char* kInitialEmpty = "Quantum Zeno initial state requires a non-empty field.";
constexpr const char* kNormalisation = "Quantum Zeno dual-lane normalization failed.";

const char* measurementFault(const ZenoConfig& c)
{
    if (!isFiniteNonNegative(c.firstMeasurementTime) || !isFinitePositive(c.measurementPeriod) ||
        !isFinite(c.laneSplitY) || !isFinite(c.survivalBoundaryX) || !isFiniteNonNegative(c.edgeWidth))
        return kParameters;
    if (c.measurementPeriod < kMinimumEventPeriod)
        return kShortPeriod;
    return nullptr;
}

const char* initialStateFault(const ZenoInitialStateConfig& c)
{
    if (!isFinite(c.centerX) || !isFinite(c.controlLaneY) || !isFinite(c.watchedLaneY) || !isFinite(c.sigma) ||
        !isFinite(c.momentumX) || !isFinite(c.relativePhaseDegrees) || !(c.sigma > 0.0))
        return kInitialValues;
    if (c.controlLaneY <= c.watchedLaneY)
        return kLaneOrder;
    return nullptr;
}

bool isValidConfig(const ZenoConfig& config) { return measurementFault(config) == nullptr; }

// Rows strictly below the split form the watched lane, rows strictly above
// it the control lane; a row on the line belongs to neither.
bool inLane(double y, const ZenoConfig& config, bool watched)
{
    return watched ? y < config.laneSplitY : y > config.laneSplitY;
}

// Multiplies every value of the watched lane by factor(i) of its column.
template <typename Factor>
void scaleWatchedLane(ComplexField2D& field, const ZenoConfig& config, Factor factor)
{
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        if (!inLane(gridCoordinateY(field, j), config, true))
            continue;
        for (std::uint64_t i = 0; i < field.nx(); ++i)
            field.at(i, j) *= factor(i);
    }
}

// The survival weight of every column, in column order.
std::vector<double> columnSurvivalWeights(const ComplexField2D& field, const ZenoConfig& config)
{
    std::vector<double> weights;
    weights.reserve(field.nx());
    for (std::uint64_t i = 0; i < field.nx(); ++i)
        weights.push_back(QuantumZeno2D::survivalWeight(gridCoordinateX(field, i), config));
    return weights;
}

// The lane's sum |psi|^2 dx dy and, with column weights w, its kept part
// sum |psi|^2 w^2 dx dy (0 without), from one read of the lane's rows.
std::array<double, 2> laneSums(const ComplexField2D& field, const ZenoConfig& config, bool watched,
                               const std::vector<double>* weights)
{
    const double cellArea = static_cast<double>(field.dx()) * static_cast<double>(field.dy());
    const std::uint64_t nx = field.nx();
    std::array<double, 2> total{0.0, 0.0};
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        if (!inLane(gridCoordinateY(field, j), config, watched))
            continue;
        const Complex* row = field.data() + j * nx;
        if (weights) {
            const double* w = weights->data();
            const auto sums = interleavedSums<2>(nx, [row, w, cellArea](std::size_t i) {
                const double p = cellProbability(row[i], cellArea);
                return std::array<double, 2>{p, p * w[i] * w[i]};
            });
            total[0] += sums[0];
            total[1] += sums[1];
        } else {
            total[0] += interleavedSums<1>(nx, [row, cellArea](std::size_t i) {
                return std::array<double, 1>{cellProbability(row[i], cellArea)};
            })[0];
        }
    }
    return total;
}

} // namespace

double QuantumZeno2D::measurementTime(const ZenoConfig& config, std::uint64_t n)
{
    if (!isValidConfig(config))
        return 0.0;
    return config.firstMeasurementTime + static_cast<double>(n) * config.measurementPeriod;
}

double QuantumZeno2D::laneNorm(const ComplexField2D& field, const ZenoConfig& config, bool watched)
{
    if (field.empty() || !isValidConfig(config))
        return 0.0;
    return laneSums(field, config, watched, nullptr)[0];
}

double QuantumZeno2D::survivalWeight(double x, const ZenoConfig& config)
{
    if (!isValidConfig(config))
        return 0.0;
    if (x <= config.survivalBoundaryX)
        return 1.0;
    if (!(config.edgeWidth > 0.0))
        return 0.0;
    const double u = (x - config.survivalBoundaryX) / config.edgeWidth;
    if (u >= 1.0)
        return 0.0;
    return (std::cos(kPi * u) + 1.0) / 2.0;
}

double QuantumZeno2D::laneSurvival(const ComplexField2D& field, const ZenoConfig& config, bool watched)
{
    return laneReading(field, config, watched).survival;
}

ZenoLaneReading QuantumZeno2D::laneReading(const ComplexField2D& field, const ZenoConfig& config, bool watched)
{
    ZenoLaneReading reading;
    if (field.empty() || !isValidConfig(config))
        return reading;
    const std::vector<double> weights = columnSurvivalWeights(field, config);
    const std::array<double, 2> sums = laneSums(field, config, watched, &weights);
    reading.norm = sums[0];
    if (!(sums[0] > 0.0))
        return reading;
    const double survival = std::min(1.0, sums[1] / sums[0]);
    reading.survival = survival > 0.0 ? survival : 0.0;
    return reading;
}

bool QuantumZeno2D::applyMeasurement(ComplexField2D& field, const ZenoConfig& config, double targetNorm,
                                     ZenoMeasurementResult* result, std::string* error)
{
    if (result)
        *result = ZenoMeasurementResult{};
    clearAnalysisError(error);
    if (field.empty())
        return failAnalysis(error, kEmptyField);
    const bool targetValid = isFinitePositive(targetNorm);
    if (!validateMeasurement(config, error)) {
        if (!targetValid)
            setAnalysisError(error, kTarget);
        return false;
    }
    if (!targetValid)
        return failAnalysis(error, kTarget);

    const double before = laneNorm(field, config, true);
    if (result)
        result->watchedNormBefore = before;
    if (!(before > 0.0))
        return failAnalysis(error, kZeroLane);

    const std::vector<double> weights = columnSurvivalWeights(field, config);
    scaleWatchedLane(field, config, [&weights](std::uint64_t i) { return static_cast<float>(weights[i]); });

    const double after = laneNorm(field, config, true);
    if (result) {
        result->watchedNormAfterProjection = after;
        result->survivalFraction = std::clamp(after / before, 0.0, 1.0);
    }
    if (!(after > 0.0))
        return failAnalysis(error, kRemoved);

    const float rescale = static_cast<float>(std::sqrt(targetNorm / after));
    scaleWatchedLane(field, config, [rescale](std::uint64_t) { return rescale; });
    if (result) {
        result->watchedNormAfterRescale = laneNorm(field, config, true);
        result->applied = true;
    }
    return true;
}

bool QuantumZeno2D::prepareInitialState(ComplexField2D& field, const ZenoInitialStateConfig& config, std::string* error)
{
    if (field.empty())
        return failAnalysisIfEmpty(error, kInitialEmpty);
    if (const char* fault = initialStateFault(config))
        return failAnalysisIfEmpty(error, fault);
    const double s = 1.0 / (4.0 * config.sigma * config.sigma);
    const double phi = config.relativePhaseDegrees * kPi / 180.0;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double y = gridCoordinateY(field, j);
        const double dyControl = y - config.controlLaneY;
        const double dyWatched = y - config.watchedLaneY;
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double x = gridCoordinateX(field, i);
            const double ex = x - config.centerX;
            const double control = std::exp(-(ex * ex + dyControl * dyControl) * s);
            const double watched = std::exp(-(ex * ex + dyWatched * dyWatched) * s);
            const double theta = config.momentumX * x;
            const double re = control * std::cos(theta) + watched * std::cos(theta + phi);
            const double im = control * std::sin(theta) + watched * std::sin(theta + phi);
            field.at(i, j) = Complex(static_cast<float>(re), static_cast<float>(im));
        }
    }
    if (!field.normalize())
        return failAnalysisIfEmpty(error, kNormalisation);
    return true;
}

ZenoLaneProfiles QuantumZeno2D::laneProfiles(const ComplexField2D& field, const ZenoConfig& config)
{
    ZenoLaneProfiles profiles;
    if (field.empty() || !isValidConfig(config))
        return profiles;
    const std::uint64_t nx = field.nx();
    const double dx = field.dx();
    const double dy = field.dy();
    profiles.originX = gridCoordinateX(field, 0);
    profiles.dx = dx;
    std::vector<double> control(nx, 0.0);
    std::vector<double> watched(nx, 0.0);
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double y = gridCoordinateY(field, j);
        std::vector<double>* lane = inLane(y, config, true) ? &watched : inLane(y, config, false) ? &control : nullptr;
        if (!lane)
            continue;
        for (std::uint64_t i = 0; i < nx; ++i)
            (*lane)[i] += cellProbability(field.at(i, j), dy);
    }
    auto normalised = [nx, dx](const std::vector<double>& sums) {
        double total = 0.0;
        for (double v : sums)
            total += v;
        const double scale = total * dx > 0.0 ? 1.0 / (total * dx) : 1.0;
        std::vector<float> profile(nx);
        for (std::uint64_t i = 0; i < nx; ++i)
            profile[i] = static_cast<float>(sums[i] * scale);
        return profile;
    };
    profiles.control = normalised(control);
    profiles.watched = normalised(watched);
    return profiles;
}

bool QuantumZeno2D::validateMeasurement(const ZenoConfig& config, std::string* error)
{
    clearAnalysisError(error);
    if (const char* fault = measurementFault(config))
        return failAnalysis(error, fault);
    return true;
}

bool QuantumZeno2D::validateInitialState(const ZenoInitialStateConfig& config, std::string* error)
{
    clearAnalysisError(error);
    if (const char* fault = initialStateFault(config))
        return failAnalysis(error, fault);
    return true;
}

std::uint64_t QuantumZeno2D::applyDueMeasurements(ComplexField2D& field, const ZenoConfig& config,
                                                  std::uint64_t& measurementCounter, double& survivalProduct, double t,
                                                  double dt)
{
    // Once the watched lane has been found empty, nothing is left to watch.
    if (!(survivalProduct > 0.0))
        return 0;
    return applyDueEvents(
        measurementCounter, t, dt, [&config](std::uint64_t n) { return measurementTime(config, n); },
        [&](std::uint64_t) {
            ZenoMeasurementResult result;
            // What the layer took since the start stays taken.
            const double held = laneNorm(field, config, true);
            const bool applied = applyMeasurement(field, config, held, &result, nullptr);
            if (applied) {
                survivalProduct = std::clamp(survivalProduct * result.survivalFraction, 0.0, 1.0);
                return EventOutcome::Applied;
            }
            // Outcome "no longer left of the boundary": the survival is 0.
            if (result.watchedNormBefore > 0.0 && !(result.watchedNormAfterProjection > 0.0)) {
                survivalProduct = 0.0;
                return EventOutcome::AppliedLast;
            }
            return EventOutcome::Refused;
        });
}

} // namespace vxo
