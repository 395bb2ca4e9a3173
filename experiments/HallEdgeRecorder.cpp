#include "experiments/HallEdgeRecorder.h"

#include "core/PositionMoments.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>

namespace vxo {

namespace {

struct EdgeSums {
    double norm = 0.0;
    double x = 0.0;
    double y = 0.0;
    double strip = 0.0;
};

// Zeroth and first moments of |psi|^2 dA and the probability in the closed
// strip stripLow <= y <= stripHigh.
EdgeSums edgeSums(const ComplexField2D& field, double stripLow, double stripHigh)
{
    EdgeSums sums;
    const double dA = static_cast<double>(field.dx()) * static_cast<double>(field.dy());
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double y = gridCoordinateY(field, j);
        const bool inStrip = y >= stripLow && y <= stripHigh;
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double p = cellProbability(field.at(i, j), dA);
            sums.norm += p;
            sums.x += gridCoordinateX(field, i) * p;
            sums.y += y * p;
            if (inStrip)
                sums.strip += p;
        }
    }
    return sums;
}

} // namespace

HallEdgeRecorder::HallEdgeRecorder(std::uint64_t capacity) : capacity_(capacity) {}

void HallEdgeRecorder::reset()
{
    configured_ = false;
    config_ = HallEdgeConfig{};
    initialMeanX_ = 0.0;
    samples_.clear();
}

bool HallEdgeRecorder::configure(const ComplexField2D& field, const HallEdgeConfig& config)
{
    reset();
    if (field.empty() || !QuantumHallEdge2D::validateConfiguration(config, nullptr))
        return false;
    config_ = config;
    const EdgeSums sums = edgeSums(field, config.edgeY, config.edgeY + config.edgeBand);
    initialMeanX_ = sums.norm > 1e-18 ? sums.x / sums.norm : 0.0;
    configured_ = true;
    return true;
}

void HallEdgeRecorder::record(double t, const ComplexField2D& field)
{
    if (!configured_ || field.empty())
        return;
    const EdgeSums sums = edgeSums(field, config_.edgeY, config_.edgeY + config_.edgeBand);
    const double N = std::max(sums.norm, 1e-18);
    HallEdgeSample sample;
    sample.time = t;
    sample.norm = sums.norm;
    sample.meanX = sums.x / N;
    sample.meanY = sums.y / N;
    sample.edgeProbability = sums.strip / N;
    sample.drift = sample.meanX - initialMeanX_;
    appendBounded(samples_, sample, static_cast<std::size_t>(capacity_));
}

} // namespace vxo
