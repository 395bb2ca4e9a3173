#pragma once

// One read of two fields' values for their overlap and their two norms:
//   product = sum conj(a) b,   normA = sum |a|^2,   normB = sum |b|^2
// (plain sums over the cells, components widened to double; no cell area).
// Each sum runs on four interleaved partial sums, cell c to partial c mod 4,
// closed as (p0 + p1) + (p2 + p3): every path gives the same bits.

#include "core/ComplexField2D.h"

#include <complex>
#include <cstddef>

namespace vxo {

struct OverlapSums {
    std::complex<double> product{0.0, 0.0};
    double normA = 0.0;
    double normB = 0.0;
};

// The sums over the first `count` values of a and b, on the processor's
// fastest path.
OverlapSums overlapSums(const Complex* a, const Complex* b, std::size_t count);

namespace overlapsum {

// The four sums' partials, partial[sum][lane], in the order product real,
// product imaginary, normA, normB.
using Partials = double[4][4];

// Adds the cells [0, count) of a and b to the partials, cell c to lane
// c mod 4: a field read in rows of a multiple of four cells gives the bits
// of one pass over it. On the processor's fastest path.
void accumulate(const Complex* a, const Complex* b, std::size_t count, Partials& partial);
// The sums of the partials.
OverlapSums close(const Partials& partial);

// Cells first .. count - 1 added one at a time.
void accumulateCells(const Complex* a, const Complex* b, std::size_t first, std::size_t count, Partials& partial);
void accumulatePortable(const Complex* a, const Complex* b, std::size_t count, Partials& partial);
#if defined(__x86_64__)
void accumulateAvx2(const Complex* a, const Complex* b, std::size_t count, Partials& partial);
#endif

} // namespace overlapsum

} // namespace vxo
