#include "experiments/TalbotRecorder.h"

#include "core/Numeric.h"
#include "experiments/ProbabilityMarginals.h"
#include "experiments/RecorderSupport.h"
#include "experiments/ReferenceGrid.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vxo {

TalbotRecorder::TalbotRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 1)) {}

void TalbotRecorder::reset()
{
    grid_ = GridKey2D{};
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
    grid_ = GridKey2D::of(field);
    state_ = state;
    return true;
}

bool TalbotRecorder::record(double t, const ComplexField2D& field)
{
    if (referenceRow_.empty() || field.empty() || !onReferenceGrid(grid_, field) || !isFinite(t))
        return false;
    TalbotSample sample;
    sample.time = t;
    sample.xMarginal = probabilityMarginalX(field);
    sample.correlationOriginal = correlation(sample.xMarginal, referenceRow_);
    sample.correlationShifted = correlation(sample.xMarginal, shiftedRow_);
    appendBounded(samples_, std::move(sample), static_cast<std::size_t>(capacity_));
    return true;
}

double TalbotRecorder::correlation(const std::vector<float>& row, const std::vector<float>& reference) const
{
    if (row.size() != reference.size() || !isFinitePositive(grid_.dx))
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
