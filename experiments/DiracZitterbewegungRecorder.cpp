#include "experiments/DiracZitterbewegungRecorder.h"

#include "core/Numeric.h"
#include "experiments/DiracWavePacket.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <cmath>

namespace vxo {

DiracZitterbewegungRecorder::DiracZitterbewegungRecorder(std::uint64_t capacity) : capacity_(capacity) {}

void DiracZitterbewegungRecorder::reset()
{
    configured_ = false;
    config_ = ZitterbewegungConfig{};
    hbar_ = 1.0;
    initialCentroidX_ = 0.0;
    initialCentroidY_ = 0.0;
    maxAbsDetrendedX_ = 0.0;
    fittedDriftVelocityX_ = 0.0;
    fittedDriftVelocityY_ = 0.0;
    positiveEnergyWeight_ = 0.0;
    negativeEnergyWeight_ = 0.0;
    samples_.clear();
}

bool DiracZitterbewegungRecorder::configure(const DiracSpinor2D& spinor, const ZitterbewegungConfig& config,
                                            double hbar)
{
    reset();
    if (!diracSpinorUsable(spinor) || !QuantumZitterbewegung2D::validateConfiguration(config, nullptr) ||
        !isFinitePositive(hbar))
        return false;
    config_ = config;
    hbar_ = hbar;
    QuantumZitterbewegung2D::spinorCentroid(spinor, initialCentroidX_, initialCentroidY_);
    const auto weights = QuantumZitterbewegung2D::energyBranchWeights(spinor, config, hbar);
    positiveEnergyWeight_ = weights.first;
    negativeEnergyWeight_ = weights.second;
    configured_ = true;
    return true;
}

void DiracZitterbewegungRecorder::record(double t, const DiracSpinor2D& spinor)
{
    if (!configured_ || !diracSpinorUsable(spinor))
        return;
    appendBounded(samples_,
                  QuantumZitterbewegung2D::makeSample(spinor, config_, t, initialCentroidX_, initialCentroidY_),
                  static_cast<std::size_t>(capacity_));
    refitDriftLines();
}

void DiracZitterbewegungRecorder::refitDriftLines()
{
    if (samples_.size() < 2) {
        fittedDriftVelocityX_ = 0.0;
        fittedDriftVelocityY_ = 0.0;
        maxAbsDetrendedX_ = 0.0;
        if (samples_.size() == 1) {
            samples_.front().detrendedX = 0.0;
            samples_.front().detrendedY = 0.0;
        }
        return;
    }
    const double N = static_cast<double>(samples_.size());
    double st = 0.0;
    double stt = 0.0;
    double sx = 0.0;
    double stx = 0.0;
    double sy = 0.0;
    double sty = 0.0;
    for (const ZitterbewegungSample& s : samples_) {
        st += s.time;
        stt += s.time * s.time;
        sx += s.meanX;
        stx += s.time * s.meanX;
        sy += s.meanY;
        sty += s.time * s.meanY;
    }
    const double D = N * stt - st * st;
    if (!(std::fabs(D) > 1e-18))
        return;
    fittedDriftVelocityX_ = (N * stx - sx * st) / D;
    fittedDriftVelocityY_ = (N * sty - sy * st) / D;
    const double interceptX = (sx - fittedDriftVelocityX_ * st) / N;
    const double interceptY = (sy - fittedDriftVelocityY_ * st) / N;
    maxAbsDetrendedX_ = 0.0;
    for (ZitterbewegungSample& s : samples_) {
        s.detrendedX = s.meanX - (fittedDriftVelocityX_ * s.time + interceptX);
        s.detrendedY = s.meanY - (fittedDriftVelocityY_ * s.time + interceptY);
        maxAbsDetrendedX_ = std::max(maxAbsDetrendedX_, std::fabs(s.detrendedX));
    }
}

} // namespace vxo
