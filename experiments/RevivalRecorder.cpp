#include "experiments/RevivalRecorder.h"

#include "experiments/ProbabilityMarginals.h"
#include "experiments/QuantumRevival2D.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <utility>

namespace vxo {

RevivalRecorder::RevivalRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 1))
{
    samples_.reserve(static_cast<std::size_t>(std::min<std::uint64_t>(capacity_, 1200)));
}

bool RevivalRecorder::setInitialState(const ComplexField2D& field)
{
    samples_.clear();
    if (field.empty()) {
        initial_ = ComplexField2D();
        return false;
    }
    initial_ = field;
    return true;
}

void RevivalRecorder::clear()
{
    initial_ = ComplexField2D();
    samples_.clear();
}

bool RevivalRecorder::record(double t, const ComplexField2D& field)
{
    if (initial_.empty() || field.empty() || field.nx() != initial_.nx() || field.ny() != initial_.ny())
        return false;
    RevivalSample sample;
    sample.time = t;
    sample.fidelity = overlapProbability(initial_, field);
    sample.xMarginal = probabilityMarginalX(field);
    appendBounded(samples_, std::move(sample), static_cast<std::size_t>(capacity_));
    return true;
}

} // namespace vxo
