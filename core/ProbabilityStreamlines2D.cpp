#include "core/ProbabilityStreamlines2D.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vxo {

namespace {
void validate(const StreamlineParameters& p)
{
    if (!isFinitePositive(p.stepLength))
        throw std::invalid_argument("ProbabilityStreamlines2D: stepLength must be finite and positive");
    if (p.maxSteps == 0)
        throw std::invalid_argument("ProbabilityStreamlines2D: maxSteps must be non-zero");
    if (!isFiniteNonNegative(p.minRelativeMagnitude) || !(p.minRelativeMagnitude < 1.0f))
        throw std::invalid_argument("ProbabilityStreamlines2D: minRelativeMagnitude must be in [0,1)");
}

float magnitude(float jx, float jy) { return std::sqrt(jx * jx + jy * jy); }
} // namespace

std::uint64_t ProbabilityStreamlines2D::stepsPerDirection(const StreamlineParameters& parameters)
{
    return std::max<std::uint64_t>(1, parameters.maxSteps / 2);
}

void ProbabilityStreamlines2D::traceDirection(const ProbabilityCurrent2D& current, float x, float y, float direction,
                                              const StreamlineParameters& parameters,
                                              std::vector<StreamlinePoint>& points)
{
    const std::uint64_t budget = stepsPerDirection(parameters);
    const float threshold = current.maxMagnitude * parameters.minRelativeMagnitude;
    const float h = direction * parameters.stepLength;
    for (std::uint64_t step = 0; step < budget; ++step) {
        float jx = 0.0f;
        float jy = 0.0f;
        if (!current.sample(x, y, jx, jy))
            return;
        const float m = magnitude(jx, jy);
        if (!(m > threshold) || !std::isfinite(m))
            return;
        y += h * jy / m;
        x += h * jx / m;
        if (!std::isfinite(x) || !std::isfinite(y))
            return;
        points.push_back({x, y});
    }
}

std::vector<StreamlinePoint> ProbabilityStreamlines2D::trace(const ProbabilityCurrent2D& current, float seedX,
                                                             float seedY, const StreamlineParameters& parameters)
{
    validate(parameters);
    std::vector<StreamlinePoint> line;
    if (current.isEmpty() || !(current.maxMagnitude > 0.0f))
        return line;
    float jx = 0.0f;
    float jy = 0.0f;
    if (!current.sample(seedX, seedY, jx, jy))
        return line;
    if (!(magnitude(jx, jy) > current.maxMagnitude * parameters.minRelativeMagnitude))
        return line;

    const std::uint64_t budget = stepsPerDirection(parameters);
    std::vector<StreamlinePoint> backward;
    std::vector<StreamlinePoint> forward;
    backward.reserve(budget);
    forward.reserve(budget);
    traceDirection(current, seedX, seedY, -1.0f, parameters, backward);
    traceDirection(current, seedX, seedY, 1.0f, parameters, forward);

    line.reserve(backward.size() + 1 + forward.size());
    line.insert(line.end(), backward.rbegin(), backward.rend());
    line.push_back({seedX, seedY});
    line.insert(line.end(), forward.begin(), forward.end());
    return line;
}

} // namespace vxo
