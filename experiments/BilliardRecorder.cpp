#include "experiments/BilliardRecorder.h"

#include "experiments/RecorderSupport.h"
#include "experiments/ReferenceGrid.h"

#include <algorithm>

namespace vxo {

BilliardRecorder::BilliardRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 1)) {}

bool BilliardRecorder::setInitialState(const ComplexField2D& field, const BilliardConfig& config)
{
    clear();
    if (field.empty() || !config.valid)
        return false;
    initial_ = field;
    meanDensity_.assign(static_cast<std::size_t>(field.size()), 0.0f);
    return true;
}

void BilliardRecorder::clear()
{
    // psi(0) goes entirely, grid included: a zeroed field of the old grid
    // would still pass the grid test in record() with no mean density to update.
    initial_ = ComplexField2D();
    samples_.clear();
    meanDensity_.clear();
    recordedSteps_ = 0;
}

bool BilliardRecorder::record(double t, const ComplexField2D& field, const BilliardConfig& config)
{
    if (initial_.empty() || !config.valid || !onReferenceGrid(GridKey2D::of(initial_), field) ||
        meanDensity_.size() != field.size())
        return false;

    const BilliardObservables o = QuantumBilliard2D::observables(field, config, &initial_);
    appendBounded(samples_, BilliardSample{t, o.effectiveArea, o.occupiedFraction, o.shellProbability, o.fidelity},
                  static_cast<std::size_t>(capacity_));

    ++recordedSteps_;
    const double n = static_cast<double>(recordedSteps_);
    std::transform(meanDensity_.begin(), meanDensity_.end(), field.data(), meanDensity_.begin(),
                   [n](float stored, const Complex& value) {
                       const double re = value.real();
                       const double im = value.imag();
                       const double mean = stored;
                       return static_cast<float>(mean + (re * re + im * im - mean) / n);
                   });
    return true;
}

} // namespace vxo
