#include "experiments/TalbotRecorder.h"

#include "core/Numeric.h"
#include "experiments/ProbabilityMarginals.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vxo {

TalbotRecorder::TalbotRecorder(std::uint64_t capacity)
    : capacity_(std::max<std::uint64_t>(capacity, 1))
{
}

void TalbotRecorder::reset()
{
    nx_ = 0;
    ny_ = 0;
    dx_ = 0.0f;
    dy_ = 0.0f;
    state_ = TalbotInitialState{};
    referenceRow_.clear();
    shiftedRow_.clear();
    samples_.clear();
}

bool TalbotRecorder::configure(const ComplexField2D& field, const TalbotInitialState& state)
{
    reset();
    if (field.empty() || !QuantumTalbot2D::validateInitialState(state, nullptr))
        return false;
    referenceRow_ = probabilityMarginalX(field);
    shiftedRow_ = QuantumTalbot2D::halfPeriodShift(referenceRow_, state.period, field.dx());
    if (referenceRow_.empty() || shiftedRow_.empty()) {
        reset();
        return false;
    }
    nx_ = field.nx();
    ny_ = field.ny();
    dx_ = field.dx();
    dy_ = field.dy();
    state_ = state;
    return true;
}

bool TalbotRecorder::record(double t, const ComplexField2D& field)
{
    if (referenceRow_.empty() || field.empty() || field.nx() != nx_ || field.ny() != ny_
        || std::fabs(field.dx() - dx_) > 1e-9f || std::fabs(field.dy() - dy_) > 1e-9f || !isFinite(t))
        return false;
    TalbotSample sample;
    sample.time = t;
    sample.xMarginal = probabilityMarginalX(field);
    sample.correlationOriginal = correlation(sample.xMarginal, referenceRow_);
    sample.correlationShifted = correlation(sample.xMarginal, shiftedRow_);
    samples_.push_back(std::move(sample));
    trimToCapacity(samples_, static_cast<std::size_t>(capacity_));
    return true;
}

double TalbotRecorder::correlation(const std::vector<float>& row, const std::vector<float>& reference) const
{
    if (row.size() != reference.size() || !isFinitePositive(dx_))
        return 0.0;
    double cross = 0.0;
    double rowSquares = 0.0;
    double referenceSquares = 0.0;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const double r = std::max(static_cast<double>(row[i]), 0.0);
        const double q = std::max(static_cast<double>(reference[i]), 0.0);
        cross += r * q;
        rowSquares += r * r;
        referenceSquares += q * q;
    }
    if (rowSquares == 0.0 || referenceSquares == 0.0)
        return 0.0;
    const double c = cross / std::sqrt(rowSquares * referenceSquares);
    return isFinite(c) ? std::clamp(c, 0.0, 1.0) : 0.0;
}

} // namespace vxo
