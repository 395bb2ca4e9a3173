#pragma once

// The carried rounding of a block of phase-factor offsets (roundOffsetCarried)
// with the AVX2 kernels (fft2d::KernelSet); with the others in plain C++.
// Cell k of a block belongs to run k mod 4 and carries its modulus error to
// the next cell of its run only, so the four runs are the four
// double-precision lanes of an AVX2 vector. Every lane forms its offset with
// the operations of roundOffsetCarried, in their order and without fused
// products, and both copies give the same bits. A potential that changes
// every step rebuilds its tables every step, so the rounding is vectorised;
// BM_SplitStep_PotentialRebuild in bench/ measures such a rebuild.

#include "core/ComplexField2D.h"
#include "core/FFT2DKernels.h"
#include "core/PhaseFactors.h"
#include "core/VectorKernels.h"

#include <cstddef>

namespace vxo::phase {

// Independent runs of carried errors within a block.
constexpr std::size_t kCarriedRuns = 4;

// out[k] = roundOffsetCarried(d[k], s[k], carried[k % kCarriedRuns]) for
// k < count, in the order of k within each run. carried holds kCarriedRuns
// values. path must be available.
inline void roundOffsetCarriedRuns(fft2d::KernelSet path, const double* d, const double* s, std::size_t count,
                                   double* carried, Complex* out)
{
    vectorKernels(path).roundOffsetRuns(d, s, count, carried, out);
}

// One entry per copy (the portable one also serves SSE2), AVX2 in its own translation unit.
inline void roundOffsetCarriedRunsPortable(const double* d, const double* s, std::size_t count, double* carried,
                                           Complex* out)
{
    for (std::size_t k = 0; k < count; ++k)
        out[k] = roundOffsetCarried(d[k], s[k], carried[k % kCarriedRuns]);
}
#if defined(__x86_64__)
void roundOffsetCarriedRunsAvx2(const double* d, const double* s, std::size_t count, double* carried, Complex* out);
#endif

} // namespace vxo::phase
