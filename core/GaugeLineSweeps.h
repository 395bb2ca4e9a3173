#pragma once

// The line sweeps of the magnetic step on vector registers. Along each line of
// `length` cells the Crank-Nicolson system over the interior cells k = 0 .. n-1
// (n = length - 2, cell k + 1) reads, with U_k the link of the hop from cell k
// to cell k + 1 and a = hbar tau / (4 m d^2),
//   -ia conj(U_k) x_{k-1} + (1 + 2ia) x_k - ia U_{k+1} x_{k+1} = rhs_k,
// the end cells held at zero. Its Thomas pivots satisfy
//   beta_0 = 1 + 2ia,   beta_k = 1 + 2ia + a^2 |U_k|^2 / beta_{k-1},
// so they depend on the links, a and the grid only: they are computed once
// (pivots) and reused by every sweep until one of these changes, which leaves
// two complex products per cell for the elimination and one for the back
// substitution, and no division. Lines are taken kLanes at a time, one per
// vector lane, with the same arithmetic in every lane; all of it is double
// precision, psi stays single precision.

#include "core/ComplexField2D.h"
#include "core/FFT2DKernels.h"

#include <cstddef>

namespace vxo::gaugesweep {

constexpr std::size_t kLanes = 8;

// count lines of `length` cells; cell k of line l (and the link of the hop out
// of it) at index l * lineStride + k * cellStride. Rows have cellStride 1,
// columns lineStride 1.
struct Lines {
    std::size_t count;
    std::size_t length;
    std::size_t lineStride;
    std::size_t cellStride;
};

// Sizes, in doubles, of the pivot table and of the scratch space of a sweep
// (length >= 3).
std::size_t pivotSize(const Lines& lines);
std::size_t scratchSize(const Lines& lines);

// Fills the pivot table 1 / beta_k of every line. path must be available
// (fft2d::isAvailable).
void buildPivots(fft2d::KernelSet path, const Complex* links, const Lines& lines, double a, double* pivots,
                 double* scratch);
// One sweep of every line: the end cells set to zero, the interior to the
// solution of the system for the old values of psi.
void sweep(fft2d::KernelSet path, Complex* psi, const Complex* links, const Lines& lines, double a,
           const double* pivots, double* scratch);

} // namespace vxo::gaugesweep
