#include "experiments/DiracKleinRecorder.h"

#include "experiments/DiracWavePacket.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>

namespace vxo {

DiracKleinRecorder::DiracKleinRecorder(std::uint64_t capacity) : capacity_(capacity) {}

void DiracKleinRecorder::reset()
{
    configured_ = false;
    config_ = KleinTunnelingConfig{};
    maxRightProbability_ = 0.0;
    minimumNorm_ = 0.0;
    integratedDetectorFlux_ = 0.0;
    hasPrevious_ = false;
    previous_ = KleinSample{};
    samples_.clear();
}

bool DiracKleinRecorder::configure(const DiracSpinor2D& spinor, const KleinTunnelingConfig& config)
{
    reset();
    if (!diracSpinorUsable(spinor) || !QuantumKleinTunneling2D::validateConfiguration(config, nullptr))
        return false;
    config_ = config;
    minimumNorm_ = spinor.norm();
    configured_ = true;
    return true;
}

void DiracKleinRecorder::record(double t, const DiracSpinor2D& spinor)
{
    if (!configured_ || !diracSpinorUsable(spinor))
        return;
    const KleinSample sample = QuantumKleinTunneling2D::makeSample(spinor, config_, t);
    if (hasPrevious_) {
        const double dt = t - previous_.time;
        if (dt > 0.0)
            integratedDetectorFlux_ += (sample.detectorFlux + previous_.detectorFlux) * dt / 2.0;
        minimumNorm_ = std::min(minimumNorm_, sample.norm);
    } else {
        minimumNorm_ = sample.norm;
    }
    maxRightProbability_ = std::max(maxRightProbability_, sample.rightProbability);
    previous_ = sample;
    hasPrevious_ = true;
    appendBounded(samples_, sample, static_cast<std::size_t>(capacity_));
}

} // namespace vxo
