#include "core/PotentialPhaseTable.h"

#include "core/FFT2DKernels.h"
#include "core/PhaseFactors.h"
#include "core/PhaseRoundingKernels.h"
#include "core/PotentialField2D.h"

#include <algorithm>
#include <cmath>
#include <memory>
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
    // Cells mirrored through the centre of the grid often hold the same
    // value (a trap or a well about the centre): the offsets and sines of the
    // first half are kept for the second.
    const std::uint64_t firstHalf = count / 2;
    std::unique_ptr<double[]> kept(new double[2 * firstHalf]);
    double* keptOffsets = kept.get();
    double* keptSines = kept.get() + firstHalf;

    Complex* half = table.empty() ? values_.data() : table.data();
    Complex* full = whole ? (doubled.empty() ? whole->values_.data() : doubled.data()) : nullptr;
    const float* v = potential.data();
    // Block by block: first the offsets and sines (library calls), then the
    // rounding in four interleaved runs, cell c in run c mod 4, on the widest
    // vectors the processor has. A density a few cells wide still sees every
    // run's errors cancel.
    constexpr std::uint64_t kBlock = 256;
    double carried[phase::kCarriedRuns] = {}, doubledCarried[phase::kCarriedRuns] = {};
    double blockOffsets[kBlock], blockSines[kBlock];
    double doubledOffsets[kBlock], doubledSines[kBlock];
    const fft2d::Path path = fft2d::bestPath();
    // A cell like the one before it reuses its offset and sine (regions of
    // one value: floors, walls).
    float last = 0.0f;
    double d = 0.0, s = 0.0;
    for (std::uint64_t begin = 0; begin < count; begin += kBlock) {
        const std::uint64_t size = std::min(kBlock, count - begin);
        const bool inFirstHalf = begin + size <= firstHalf;
        double* offsets = inFirstHalf ? keptOffsets + begin : blockOffsets;
        double* sines = inFirstHalf ? keptSines + begin : blockSines;
        for (std::uint64_t k = 0; k < size; ++k) {
            const std::uint64_t cell = begin + k;
            const float value = v[cell];
            const std::uint64_t mirror = count - 1 - cell;
            if (cell == 0 || !(value == last)) {
                last = value;
                if (mirror < cell && value == v[mirror]) {
                    d = keptOffsets[mirror];
                    s = keptSines[mirror];
                } else {
                    const double phase = static_cast<double>(value) * coefficient;
                    // cos - 1 as -2 sin^2 of the half angle: full precision
                    // for the small phases of a floor. The sine by the double
                    // angle, from the same cosine and sine of the half angle
                    // (one library call); its error of a few units of double
                    // precision lies far below the rounding to single.
                    const double halfPhase = 0.5 * phase;
                    const double quarter = std::sin(halfPhase);
                    d = -2.0 * quarter * quarter;
                    s = 2.0 * quarter * std::cos(halfPhase);
                }
            }
            offsets[k] = d;
            sines[k] = s;
            if (!inFirstHalf && cell < firstHalf) { // a block across the middle
                keptOffsets[cell] = d;
                keptSines[cell] = s;
            }
        }
        phase::roundOffsetCarriedRuns(path, offsets, sines, size, carried, half + begin);
        // exp(2 i phase) by the double angle: cos 2a - 1 = -2 sin^2 a, sin 2a = 2 sin a cos a.
        if (full) {
            for (std::uint64_t k = 0; k < size; ++k) {
                doubledOffsets[k] = -2.0 * sines[k] * sines[k];
                doubledSines[k] = 2.0 * sines[k] * (1.0 + offsets[k]);
            }
            phase::roundOffsetCarriedRuns(path, doubledOffsets, doubledSines, size, doubledCarried, full + begin);
        }
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
