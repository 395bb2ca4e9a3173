#include "experiments/LoschmidtRecorder.h"

#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "experiments/FieldProducts.h"
#include "experiments/RecorderSupport.h"
#include "experiments/TimeThinning.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

// min(1, ratio), and 0 when the ratio is not positive or the denominator is unusable.
double echoRatio(double numerator, double denominator)
{
    if (!(denominator > 0.0) || !isFinite(denominator))
        return 0.0;
    const double ratio = std::min(1.0, numerator / denominator);
    return ratio > 0.0 ? ratio : 0.0;
}

} // namespace

LoschmidtRecorder::LoschmidtRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 2)) {}

void LoschmidtRecorder::reset()
{
    configured_ = false;
    initialField_ = ComplexField2D{};
    config_ = LoschmidtConfig{};
    samples_.clear();
    hasEcho_ = false;
    echo_ = LoschmidtSample{};
}

bool LoschmidtRecorder::configure(const ComplexField2D& field, const LoschmidtConfig& config)
{
    reset();
    if (field.empty() || !QuantumLoschmidt2D::validateConfiguration(config, nullptr))
        return false;
    initialField_ = field;
    config_ = config;
    configured_ = config.enabled;
    return configured_;
}

bool LoschmidtRecorder::record(double t, const ComplexField2D& field, bool reversed)
{
    if (!configured_ || !onIdenticalGrid(initialField_, field) || !isFinite(t))
        return false;
    // The recorder is fed after every step; a sample that thinning drops is
    // not measured at all.
    const bool firstReturn = reversed && (samples_.empty() || !samples_.back().reversed);
    if (isThinnedOut(samples_, t, 2.0 * config_.reversalTime, capacity_, firstReturn))
        return true;

    const double cellArea = static_cast<double>(field.dx()) * static_cast<double>(field.dy());
    const Complex* psi = field.data();
    const Complex* psi0 = initialField_.data();
    double amplitudeOverlap = 0.0;
    double norm = 0.0;
    double norm0 = 0.0;
    double sumX = 0.0;
    double sumY = 0.0;
    double density = 0.0;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double y = gridCoordinateY(field, j);
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const std::uint64_t k = j * field.nx() + i;
            const double p = cellProbability(psi[k], 1.0);
            const double p0 = cellProbability(psi0[k], 1.0);
            amplitudeOverlap += std::sqrt(std::max(p * p0, 0.0)) * cellArea;
            norm += p * cellArea;
            norm0 += p0 * cellArea;
            density += p;
            sumX += p * gridCoordinateX(field, i);
            sumY += p * y;
        }
    }

    LoschmidtSample sample;
    sample.time = t;
    sample.reversed = reversed;
    sample.norm = norm;
    sample.densityEcho = echoRatio(amplitudeOverlap * amplitudeOverlap, norm * norm0);
    sample.fidelity = echoRatio(std::norm(bilinearProduct(initialField_, field)), norm0 * norm);
    if (density > 0.0 && isFinite(density)) {
        sample.centroidX = sumX / density;
        sample.centroidY = sumY / density;
    }

    const double echoTime = 2.0 * config_.reversalTime;
    if (!hasEcho_ || std::fabs(t - echoTime) < std::fabs(echo_.time - echoTime)) {
        echo_ = sample;
        hasEcho_ = true;
    }
    appendBounded(samples_, sample, static_cast<std::size_t>(capacity_));
    return true;
}

} // namespace vxo
