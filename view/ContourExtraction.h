#pragma once

#include <cstdint>
#include <vector>

namespace vxo {

class ComplexField2D;
class PotentialField2D;

// Marching-squares iso-lines of the potential V(x, y) and of the density
// |psi(x, y)|^2. Corner values sit at cell centres; along each cell edge the
// crossing point is interpolated linearly, and the two saddle cases are
// resolved by the cell's centre value (a + b + c + d) / 4. Segments are
// independent (no polyline joining) and in physical coordinates.

struct PotentialContourSegment {
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;
    float level = 0.0f;
};

struct PotentialContourSet {
    std::vector<float> levels;                     // ascending
    std::vector<PotentialContourSegment> segments; // level by level
    float minimum = 0.0f;
    float maximum = 0.0f;
    bool binary = false; // V takes only two values
};

struct ProbabilityContourSegment {
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;
    float level = 0.0f;
    float colorFraction = 0.0f; // k / (N + 1) for the k-th of N levels
};

struct ProbabilityContourSet {
    std::vector<float> levels;                       // ascending
    std::vector<ProbabilityContourSegment> segments; // level by level
    float maxProbability = 0.0f;
    static constexpr std::int32_t kLogarithmicSpacing = 1; // anything else is linear
    std::int32_t spacingMode = kLogarithmicSpacing;
    float decades = 4.0f;     // clamped to [0.25, 12]
    std::uint64_t stride = 1; // cell stride of the sampling lattice
};

// A two-valued potential (a step barrier) gets the single level at mid height;
// otherwise levels vmin + k / (N + 1) * (vmax - vmin), k = 1..N, so that no level
// touches the extremes.
PotentialContourSet buildPotentialContours(const PotentialField2D& potential, std::uint64_t levelCount);

// Levels f * max|psi|^2 with f = k / (N + 1), or f = 10^(-(1 - k / (N + 1)) * decades)
// for logarithmic spacing (spacingMode 1). The grid is sampled every `stride`
// cells so that the longer side has at most max(targetCells, 32) samples.
ProbabilityContourSet buildProbabilityContours(const ComplexField2D& psi, std::uint64_t levelCount,
                                               std::int32_t spacingMode, float decades, std::uint64_t targetCells);

} // namespace vxo
