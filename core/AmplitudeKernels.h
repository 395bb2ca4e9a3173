#pragma once

// Cell-by-cell maps from amplitudes to display data, on the FFT's vector
// paths (fft2d::KernelSet): the density and phase of every cell, and a copy of a
// real grid with its largest magnitude. The density is the plain
// single-precision im^2 + re^2 on every path, and the maxima are the same on
// every path. The phase is std::atan2 on the portable path; the vector paths
// evaluate a polynomial (one division per vector) that stays within 5e-7 rad
// of it (three units in the last place at most), and fall back to std::atan2
// for vectors holding an infinity or a NaN.

#include "core/ComplexField2D.h"
#include "core/FFT2DKernels.h"

#include <cstddef>

namespace vxo::amplitude {

// density[c] = im^2 + re^2 and phase[c] = arg(values[c]) in [-pi, pi] for
// c < count; returns the largest density, 0 when none is above 0 (a NaN
// never counts). path must be available.
float densityAndPhase(fft2d::KernelSet path, const Complex* values, std::size_t count, float* density, float* phase);

// out[c] = v[c] for c < count; returns the largest |v[c]|, 0 when none is
// above 0 (a NaN never counts).
float copyWithMaxAbs(fft2d::KernelSet path, const float* v, std::size_t count, float* out);

} // namespace vxo::amplitude
