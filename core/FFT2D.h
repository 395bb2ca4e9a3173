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
// butterflies; the twiddle factor of a stage starts at 1 and is advanced by a
// double-precision recurrence, so there is no table, no scratch buffer and no
// state between calls. The twiddle product is formed in double precision and
// rounded once, so that the rounding has no sign: with single-precision
// twiddles, whose modulus is not one, every transform shrank the norm. transform() runs many lines at once on vector
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
