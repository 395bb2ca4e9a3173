#include "core/PotentialPhaseTable.h"

#include "core/FFT2DKernels.h"
#include "core/PhaseFactors.h"
#include "core/PhaseOffsetKernels.h"
#include "core/PhaseRoundingKernels.h"
#include "core/PotentialField2D.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace vxo {

bool PotentialPhaseTable::matches(const PotentialField2D& potential) const
{
    return !values_.empty() && identity_ == potential.identity() && revision_ == potential.revision() &&
           grid_.matches(potential);
}

void PotentialPhaseTable::rebuild(const PotentialField2D& potential, double dt, double hbar, PotentialPhaseTable* whole)
{
    const double coefficient = -dt / (2.0 * hbar);
    const std::uint64_t count = potential.size();
    // Everything that may fail to allocate is allocated before either table
    // changes. A table of the right size is written in place (a potential
    // that moves every step rebuilds at every step).
    std::vector<Complex> table(values_.size() == count ? 0 : count);
    std::vector<Complex> doubled(whole && whole->values_.size() != count ? count : 0);
    Complex* half = table.empty() ? values_.data() : table.data();
    Complex* full = whole ? (doubled.empty() ? whole->values_.data() : doubled.data()) : nullptr;
    const float* v = potential.data();
    // Block by block: first the offsets (the sine and cosine of every cell's
    // half phase, on the widest vectors the processor has), then their
    // carried rounding, in four interleaved runs (cell c in run c mod 4): a
    // density a few cells wide still sees every run's errors cancel.
    constexpr std::uint64_t kBlock = 256;
    double carried[phase::kCarriedRuns] = {}, doubledCarried[phase::kCarriedRuns] = {};
    double offsets[kBlock], sines[kBlock], doubledOffsets[kBlock], doubledSines[kBlock];
    const fft2d::KernelSet path = fft2d::bestKernelSet();
    for (std::uint64_t begin = 0; begin < count; begin += kBlock) {
        const std::uint64_t size = std::min(kBlock, count - begin);
        phase::potentialPhaseOffsets(path, v + begin, coefficient, size, offsets, sines);
        phase::roundOffsetCarriedRuns(path, offsets, sines, size, carried, half + begin);
        if (!full)
            continue;
        for (std::uint64_t k = 0; k < size; ++k) {
            // exp(2 i phase) by the double angle: cos 2a - 1 = -2 sin^2 a, sin 2a = 2 sin a cos a.
            doubledOffsets[k] = -2.0 * sines[k] * sines[k];
            doubledSines[k] = 2.0 * sines[k] * (1.0 + offsets[k]);
        }
        phase::roundOffsetCarriedRuns(path, doubledOffsets, doubledSines, size, doubledCarried, full + begin);
    }
    if (whole) {
        whole->identity_ = potential.identity();
        whole->revision_ = potential.revision();
        whole->grid_ = GridKey2D::of(potential);
        if (!doubled.empty())
            whole->values_.swap(doubled);
    }
    identity_ = potential.identity();
    revision_ = potential.revision();
    grid_ = GridKey2D::of(potential);
    if (!table.empty())
        values_.swap(table);
}

void PotentialPhaseTable::adoptRevision(const PotentialField2D& potential, std::uint64_t from)
{
    if (!values_.empty() && identity_ == potential.identity() && revision_ == from && grid_.matches(potential))
        revision_ = potential.revision();
}

void PotentialPhaseTable::clear()
{
    identity_ = 0;
    revision_ = 0;
    grid_ = GridKey2D();
    values_.clear();
}

void PotentialPhaseTable::apply(ComplexField2D& field) const
{
    if (values_.size() != field.size())
        throw std::invalid_argument("PotentialPhaseTable: table and field differ in size");
    multiplyCells(field.data(), values_.data(), field.size());
}

} // namespace vxo
