#include "experiments/BerryRecorder.h"

#include "core/Numeric.h"
#include "experiments/RecorderSupport.h"
#include "experiments/TimeThinning.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

// Wraps an angle into [-pi, pi).
double wrapPhase(double phase)
{
    double wrapped = std::fmod(phase + kPi, 2.0 * kPi);
    if (wrapped < 0.0)
        wrapped += 2.0 * kPi;
    return wrapped - kPi;
}

} // namespace

BerryRecorder::BerryRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 1)) {}

void BerryRecorder::reset()
{
    configured_ = false;
    initialField_ = ComplexField2D{};
    previousField_ = ComplexField2D{};
    initialNorm_ = 0.0;
    previousNorm_ = 0.0;
    trap_ = BerryTrap{};
    config_ = BerryConfig{};
    transported_ = {1.0, 0.0};
    hasPrevious_ = false;
    samples_.clear();
}

bool BerryRecorder::configure(const ComplexField2D& field, const BerryTrap& trap, const BerryConfig& config)
{
    reset();
    if (field.empty() || !QuantumBerryPhase2D::validateLoop(config, trap, nullptr))
        return false;
    initialField_ = field;
    previousField_ = field;
    initialNorm_ = field.norm();
    previousNorm_ = initialNorm_;
    trap_ = trap;
    config_ = config;
    configured_ = true;
    hasPrevious_ = true;
    return true;
}

bool BerryRecorder::record(double t, const BerryLoopState& loopState, const ComplexField2D& field)
{
    if (!configured_ || !loopState.valid || !QuantumBerryPhase2D::sameGrid(initialField_, field) || !isFinite(t) ||
        loopClosed())
        return false;

    // The recorder is fed after every step: the field's norm is summed once
    // and the norms of psi(0) and of the previous state are kept.
    const double fieldNorm = field.norm();
    double stepFidelity = 1.0;
    if (hasPrevious_) {
        const std::complex<double> o = QuantumBerryPhase2D::overlap(previousField_, previousNorm_, field, fieldNorm);
        stepFidelity = std::norm(o);
        if (std::abs(o) > 1e-12)
            transported_ *= o / std::abs(o);
    }
    previousField_ = field;
    previousNorm_ = fieldNorm;
    hasPrevious_ = true;

    // Only the transported phase needs every step; a sample that thinning
    // drops is not measured.
    const bool completion = loopState.finished;
    if (isThinnedOut(samples_, t, config_.duration, capacity_, completion))
        return true;

    const std::complex<double> r = QuantumBerryPhase2D::overlap(initialField_, initialNorm_, field, fieldNorm);
    BerrySample sample;
    sample.time = t;
    sample.progress = loopState.progress;
    sample.loopAngle = loopState.loopAngle;
    sample.axisAngle = loopState.axisAngle;
    sample.q1 = loopState.q1;
    sample.q2 = loopState.q2;
    sample.returnFidelity = std::norm(r);
    sample.stepFidelity = stepFidelity;
    if (std::abs(r) > 1e-4) {
        sample.geometricPhase = wrapPhase(std::arg(r) - std::arg(transported_));
        sample.phaseValid = 1;
    }
    appendBounded(samples_, sample, static_cast<std::size_t>(capacity_));
    return true;
}

} // namespace vxo
