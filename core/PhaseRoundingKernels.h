#pragma once

// The carried rounding of a block of phase-factor offsets (roundOffsetCarried)
// on the FFT's vector paths (fft2d::Path). Cell k of a block belongs to run
// k mod 4 and carries its modulus error to the next cell of its run only, so
// the four runs are the four double-precision lanes of an AVX2 vector (two
// SSE2 vectors). Every lane forms its offset with the operations of
// roundOffsetCarried, in their order and without fused products (the
// candidate moves merely formed before the carried error is known), and every
// path gives the same bits.

#include "core/ComplexField2D.h"
#include "core/FFT2DKernels.h"

#include <cstddef>

namespace vxo::phase {

// Independent runs of carried errors within a block.
constexpr std::size_t kCarriedRuns = 4;

// out[k] = roundOffsetCarried(d[k], s[k], carried[k % kCarriedRuns]) for
// k < count, in the order of k within each run. carried holds kCarriedRuns
// values. path must be available.
void roundOffsetCarriedRuns(fft2d::Path path, const double* d, const double* s, std::size_t count, double* carried,
                            Complex* out);

// One entry per instruction set: portable and SSE2 in one translation unit,
// AVX2 in its own.
void roundOffsetCarriedRunsPortable(const double* d, const double* s, std::size_t count, double* carried, Complex* out);
#if defined(__x86_64__)
void roundOffsetCarriedRunsSse2(const double* d, const double* s, std::size_t count, double* carried, Complex* out);
void roundOffsetCarriedRunsAvx2(const double* d, const double* s, std::size_t count, double* carried, Complex* out);
#endif

} // namespace vxo::phase
