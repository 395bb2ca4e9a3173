#pragma once

#include "core/ComplexField2D.h"

#include <cstddef>
#include <cstdint>

namespace vxo {

// In-place radix-2 discrete Fourier transform of a ComplexField2D, rows first
// and then columns:
//   forward  X(k) = sum_n x(n) exp(-2 pi i k n / N)        (unscaled)
//   inverse  x(n) = (1/N) sum_k X(k) exp(+2 pi i k n / N)  (per line)
// Output is in unshifted order: index n stands for n when n <= N/2, else n - N.
// Each line is the iterative radix-2 transform with single-precision
// butterflies. The twiddles of a stage come from a table built once per stage
// length and kept (fft2d::stageTwiddles): their roundings are chosen so that
// the modulus errors along every frequency's way through the stages cancel,
// because twiddles rounded part by part are not of modulus one and a
// transform shrank the norm by about 6e-8 per line. There is no scratch
// buffer and no other state between calls.
// transform() runs many lines at once on vector
// registers (the widest instruction set the processor has) with exactly the
// per-element arithmetic of transformLine(), so the results do not depend on
// the processor.
class FFT2D {
public:
    static void forward(ComplexField2D& field);
    static void inverse(ComplexField2D& field);
    static void transform(ComplexField2D& field, bool inverse);
    // One in-place transform of n elements first, first + stride, ...;
    // n must be a power of two.
    static void transformLine(Complex* first, std::size_t n, std::size_t stride, bool inverse);
    static bool isPowerOfTwoGrid(std::uint64_t nx, std::uint64_t ny);
};

} // namespace vxo
