#include "experiments/AndersonRecorder.h"

#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <utility>

namespace vxo {

AndersonRecorder::AndersonRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 2)) {}

void AndersonRecorder::reset()
{
    configured_ = false;
    config_ = AndersonInitialStateConfig{};
    lattice_ = AndersonLattice{};
    samples_.clear();
}

void AndersonRecorder::configure(const AndersonInitialStateConfig& config, const AndersonLattice& lattice)
{
    reset();
    if (!lattice.valid || !QuantumAnderson2D::validateInitialState(config, nullptr))
        return;
    config_ = config;
    lattice_ = lattice;
    configured_ = true;
}

void AndersonRecorder::record(double time, const ComplexField2D& field)
{
    if (!configured_ || field.empty())
        return;
    AndersonSample sample;
    sample.time = time;
    sample.clean = QuantumAnderson2D::laneMetrics(field, lattice_, true);
    sample.disordered = QuantumAnderson2D::laneMetrics(field, lattice_, false);
    sample.totalProbability = sample.clean.probability + sample.disordered.probability;
    appendBounded(samples_, std::move(sample), static_cast<std::size_t>(capacity_));
}

} // namespace vxo
