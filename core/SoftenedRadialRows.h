#pragma once

// The rows of PotentialField2D::addSoftenedRadial, per instruction set. Each
// cell's term g / sqrt(x'^2 + y'^2 + s^2) is one correctly rounded square
// root and one division in double, so every path computes the same bits; the
// wider paths only carry more cells per instruction. A field of many
// softened wells spends its rebuild here: the tail falls as 1/r and reaches
// every cell.

#include "core/FFT2DKernels.h"

#include <cstddef>

namespace vxo::radial {

// sum[i] = row[i] + (float) (g / sqrt((xp[i]^2 + yp^2) + s2)) in single
// precision for i < count; non-zero when some sum left the float range.
// path must be available (fft2d::isAvailable).
int sumRow(fft2d::KernelSet path, const float* row, const double* xp, double yp, double g, double s2, std::size_t count,
           float* sum);

int sumRowPortable(const float* row, const double* xp, double yp, double g, double s2, std::size_t count, float* sum);
#if defined(__x86_64__)
int sumRowAvx2(const float* row, const double* xp, double yp, double g, double s2, std::size_t count, float* sum);
#endif

} // namespace vxo::radial
