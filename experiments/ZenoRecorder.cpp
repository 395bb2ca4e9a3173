#include "experiments/ZenoRecorder.h"

#include "core/Numeric.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>

namespace vxo {

ZenoRecorder::ZenoRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 16)) {}

void ZenoRecorder::reset()
{
    configured_ = false;
    config_ = ZenoConfig{};
    initialConfig_ = ZenoInitialStateConfig{};
    watchedNormTarget_ = 0.0;
    controlNormReference_ = 0.0;
    samples_.clear();
}

void ZenoRecorder::configure(const ZenoConfig& config, const ZenoInitialStateConfig& initialConfig,
                             const ComplexField2D& field)
{
    reset();
    if (!QuantumZeno2D::validateMeasurement(config, nullptr) ||
        !QuantumZeno2D::validateInitialState(initialConfig, nullptr) || field.empty())
        return;
    config_ = config;
    initialConfig_ = initialConfig;
    watchedNormTarget_ = QuantumZeno2D::laneNorm(field, config, true);
    controlNormReference_ = QuantumZeno2D::laneNorm(field, config, false);
    configured_ = watchedNormTarget_ > 0.0 && controlNormReference_ > 0.0;
}

void ZenoRecorder::record(double time, const ComplexField2D& field, std::uint64_t measurementCount,
                          double measuredSurvival)
{
    if (!configured_ || field.empty())
        return;
    ZenoSample sample;
    sample.time = time;
    sample.measurementCount = measurementCount;
    // One read of each lane gives its norm and its survival.
    const ZenoLaneReading control = QuantumZeno2D::laneReading(field, config_, false);
    const ZenoLaneReading watched = QuantumZeno2D::laneReading(field, config_, true);
    sample.controlNorm = control.norm;
    sample.watchedNorm = watched.norm;
    sample.totalNorm = field.norm();
    // The share of a lane's start norm that a test now would keep.
    const auto passing = [](double norm, double share, double start) {
        return start > 0.0 ? std::clamp(norm * share / start, 0.0, 1.0) : 0.0;
    };
    sample.controlSurvival = passing(sample.controlNorm, control.survival, controlNormReference_);
    sample.watchedSurvival = watched.survival;
    const double tested = isFinite(measuredSurvival) ? std::clamp(measuredSurvival, 0.0, 1.0) : 0.0;
    sample.measuredSurvival = tested * passing(sample.watchedNorm, sample.watchedSurvival, watchedNormTarget_);
    appendBounded(samples_, sample, static_cast<std::size_t>(capacity_));
}

} // namespace vxo
