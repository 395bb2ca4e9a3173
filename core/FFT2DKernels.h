#pragma once

// The instruction-set variants behind FFT2D::transform. Every variant runs the
// same arithmetic on every element, so they agree bit for bit; they differ only
// in how many elements one instruction carries. FFT2D picks the widest one the
// processor supports; tests run each available one directly.

#include "core/ComplexField2D.h"

#include <cstddef>

namespace vxo::fft2d {

enum class Path {
    Portable, // plain C++, one complex value at a time
    Sse2,     // 128-bit vectors, the x86-64 baseline
    Avx2      // 256-bit vectors, chosen at run time
};

bool isAvailable(Path path);
Path bestPath();

// Transforms the nx x ny row-major grid at data in place (rows, then columns).
// nx and ny must be powers of two and path must be available.
void transformField(Path path, Complex* data, std::size_t nx, std::size_t ny, bool inverse);

// One entry per instruction set, each defined in its own translation unit.
void transformPortable(Complex* data, std::size_t nx, std::size_t ny, bool inverse);
#if defined(__x86_64__)
void transformSse2(Complex* data, std::size_t nx, std::size_t ny, bool inverse);
void transformAvx2(Complex* data, std::size_t nx, std::size_t ny, bool inverse);
#endif

} // namespace vxo::fft2d
