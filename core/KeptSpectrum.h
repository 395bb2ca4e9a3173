#pragma once

#include "core/AlignedAllocator.h"
#include "core/ComplexField2D.h"

#include <cstddef>
#include <cstdint>

namespace vxo {

// The unscaled forward transform of a field, taken for a reading of its
// spectrum (an energy) in a buffer that the caller keeps from one reading to
// the next: a fresh one would cost the system's zeroing of every page, each
// time. The pass that fills the buffer also sums the density and, with a
// potential, V times the density (in double, four interleaved partial sums
// each), the two sums an energy takes from position space; so the field is
// read once and never written.
struct KeptSpectrum {
    double density = 0.0;          // sum |psi|^2
    double potentialDensity = 0.0; // sum V |psi|^2, 0 without a potential

    // psi's transform into `buffer` (resized to psi's cells); v is null or
    // holds psi.size() values. psi must be a non-empty power-of-two grid.
    static KeptSpectrum transform(const ComplexField2D& psi, const float* v, AlignedVector<Complex>& buffer);
};

namespace keptspectrum {

// The cells of `in` copied to `out`, |psi|^2 added to density[c mod 4] and,
// with v, |psi|^2 v to weighted[c mod 4] (c counted from in): the pass
// before the transform, on the portable path and on AVX2 vectors, which
// give the same bits.
void copyCellsPortable(const Complex* in, const float* v, std::size_t count, Complex* out, double* density,
                       double* weighted);
#if defined(__x86_64__)
void copyCellsAvx2(const Complex* in, const float* v, std::size_t count, Complex* out, double* density,
                   double* weighted);
#endif

} // namespace keptspectrum

} // namespace vxo
