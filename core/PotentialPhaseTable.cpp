#include "core/PotentialPhaseTable.h"

#include "core/PhaseFactors.h"
#include "core/PotentialField2D.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace vxo {

bool PotentialPhaseTable::matches(const PotentialField2D& potential) const
{
    return !values_.empty() && identity_ == potential.identity() && revision_ == potential.revision()
        && grid_.matches(potential);
}

void PotentialPhaseTable::rebuild(const PotentialField2D& potential, double dt, double hbar,
                                  PotentialPhaseTable* whole)
{
    const double coefficient = -dt / (2.0 * hbar);
    std::vector<Complex> table(potential.size());
    std::vector<Complex> doubled(whole ? potential.size() : 0);
    const float* v = potential.data();
    // Block by block: first the cosines and sines (library calls, which would
    // spill the carried errors), then the rounding in four runs, cell c in run
    // c mod 4. Each run's rounding is a chain of some fifty cycles from one
    // cell's carried error to the next; four independent chains overlap in
    // the processor. A density a few cells wide still sees every run's errors
    // cancel.
    constexpr std::uint64_t kRuns = 4;
    constexpr std::uint64_t kBlock = 256;
    double carried[kRuns] = {}, doubledCarried[kRuns] = {};
    double offsets[kBlock], sines[kBlock], cosines[kBlock];
    // Potentials are mostly regions of one value: a cell like the one before
    // it reuses its sines.
    float last = 0.0f;
    double d = 0.0, s = 0.0, c = 1.0;
    Complex* half = table.data();
    Complex* full = doubled.data();
    const std::uint64_t count = table.size();
    for (std::uint64_t begin = 0; begin < count; begin += kBlock) {
        const std::uint64_t size = std::min(kBlock, count - begin);
        const float* vb = v + begin;
        for (std::uint64_t k = 0; k < size; ++k) {
            if ((begin == 0 && k == 0) || !(vb[k] == last)) {
                last = vb[k];
                const double phase = static_cast<double>(last) * coefficient;
                // cos - 1 as -2 sin^2 of the half angle: full precision for
                // the small phases of a floor.
                const double quarter = std::sin(0.5 * phase);
                d = -2.0 * quarter * quarter;
                s = std::sin(phase);
                c = 1.0 + d;
            }
            offsets[k] = d;
            sines[k] = s;
            cosines[k] = c;
        }
        Complex* hb = half + begin;
        Complex* fb = whole ? full + begin : nullptr;
        auto round = [&](std::uint64_t k, double& carriedHalf, double& carriedWhole) {
            hb[k] = roundOffsetCarried(offsets[k], sines[k], carriedHalf);
            if (fb) // exp(2 i phase) by the double angle: cos 2a - 1 = -2 sin^2 a
                fb[k] = roundOffsetCarried(-2.0 * sines[k] * sines[k], 2.0 * sines[k] * cosines[k], carriedWhole);
        };
        std::uint64_t k = 0;
        for (; k + kRuns <= size; k += kRuns) {
            round(k, carried[0], doubledCarried[0]);
            round(k + 1, carried[1], doubledCarried[1]);
            round(k + 2, carried[2], doubledCarried[2]);
            round(k + 3, carried[3], doubledCarried[3]);
        }
        for (; k < size; ++k) // the last block of an odd count
            round(k, carried[k % kRuns], doubledCarried[k % kRuns]);
    }
    if (whole) {
        whole->identity_ = potential.identity();
        whole->revision_ = potential.revision();
        whole->grid_ = GridKey2D::of(potential);
        whole->values_.swap(doubled);
    }
    identity_ = potential.identity();
    revision_ = potential.revision();
    grid_ = GridKey2D::of(potential);
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
