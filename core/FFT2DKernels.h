#pragma once

// The instruction-set variants behind FFT2D::transform (their passes are
// instantiated per instruction set, see VectorKernels.h). Every variant runs
// the same arithmetic on every element, so they agree bit for bit; they differ
// only in how many elements one instruction carries. FFT2D picks the widest
// one the processor supports; tests run each available one directly.

#include "core/ComplexField2D.h"

#include <cstddef>

namespace vxo::fft2d {

// The instruction set whose kernels run: the FFT's passes and, through
// VectorKernels.h, the cell-wise products, density sums, energies, display
// amplitudes, phase rounding and gauge sweeps alike.
enum class KernelSet {
    Portable, // plain C++, one complex value at a time
    Sse2,     // 128-bit vectors, the x86-64 baseline
    Avx2      // 256-bit vectors, chosen at run time
};

bool isAvailable(KernelSet path);
// The widest set the processor supports.
KernelSet bestKernelSet();

// Transforms the nx x ny row-major grid at data in place (rows, then columns).
// nx and ny must be powers of two and path must be available.
void transformField(KernelSet path, Complex* data, std::size_t nx, std::size_t ny, bool inverse);

// The same transform with cell-wise products folded in: every input value is
// multiplied by 1 + before[c] and every output value (after the inverse
// scaling) by 1 + after[c], each as offsetProduct does it (the tables hold
// the factors' offsets from one), so that the result is bit for bit
// that of the separate products and the plain transform. Either table may be
// null; both hold nx * ny values in data's order.
void transformField(KernelSet path, Complex* data, std::size_t nx, std::size_t ny, bool inverse, const Complex* before,
                    const Complex* after);

// The h single-precision twiddles exp(-+2 pi i k / 2h), k < h, of the stage of
// half-length h (a power of two), inverse taking the + sign. Each is aimed at
// the point of the unit circle through its single-precision larger part and
// rounded by roundToUnit, carrying the modulus errors of the twiddles that the
// same frequencies meet in the shorter stages (k mod h', h' < h), so that the
// transform keeps the norm without bias for any spectrum, a few frequencies as
// well as many; the inverse twiddles are the exact conjugates. Built once per
// half-length on first use (thread-safe) and kept for the life of the
// program; the pointer stays valid.
const Complex* stageTwiddles(std::size_t h, bool inverse);

// values[c] = offsetProduct(values[c], factors[c]) for c < count: factors
// are offsets from one.
void multiplyCells(KernelSet path, Complex* values, const Complex* factors, std::size_t count);

} // namespace vxo::fft2d
