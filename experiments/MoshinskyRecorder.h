#pragma once

// Density carpet of the Moshinsky shutter: per sample the x-marginal
// P(x) = sum_y |psi|^2 dy, the density at the detector line (linear
// interpolation between columns), the probability past the shutter and the
// mean x. Thinned to one sample per analysisEndTime / (capacity - 1); a change
// of the shutter state is always recorded.

#include "core/ComplexField2D.h"
#include "core/GridKey2D.h"
#include "experiments/QuantumMoshinsky2D.h"

#include <cstdint>
#include <vector>

namespace vxo {

struct MoshinskySample {
    double time = 0.0;
    bool shutterOpen = false;
    double detectorDensity = 0.0;
    double transmittedProbability = 0.0;
    double meanX = 0.0;
    std::vector<float> profile; // x-marginal per column
};

class MoshinskyRecorder {
public:
    // A capacity below 2 is raised to 2.
    explicit MoshinskyRecorder(std::uint64_t capacity);

    void reset();
    // Resets; accepts an enabled config with analysisEndTime > openTime, a
    // valid geometry and a non-empty field, whose grid it keeps.
    bool configure(const MoshinskyConfig& config, const MoshinskyShutterGeometry& geometry,
                   const ComplexField2D& field);
    // False (nothing changes) when not configured, t is not finite or the
    // field is empty or not on exactly the stored grid.
    bool record(double t, bool shutterOpen, const ComplexField2D& field);
    // Centre x of column i of the stored grid, 0 without a grid.
    double gridX(std::uint64_t i) const;

    bool isConfigured() const { return configured_; }
    bool isEmpty() const { return samples_.empty(); }
    std::uint64_t capacity() const { return capacity_; }
    std::uint64_t nx() const { return grid_.nx; }
    std::uint64_t ny() const { return grid_.ny; }
    float dx() const { return grid_.dx; }
    float dy() const { return grid_.dy; }
    const MoshinskyConfig& config() const { return config_; }
    const MoshinskyShutterGeometry& geometry() const { return geometry_; }
    const std::vector<MoshinskySample>& samples() const { return samples_; }

private:
    // No cells, unit spacings.
    static GridKey2D unsetGrid() { return GridKey2D{0, 0, 1.0f, 1.0f}; }
    double detectorDensity(const std::vector<float>& profile) const;

    std::uint64_t capacity_;
    bool configured_ = false;
    GridKey2D grid_ = unsetGrid();
    MoshinskyConfig config_;
    MoshinskyShutterGeometry geometry_;
    std::vector<MoshinskySample> samples_;
};

} // namespace vxo
