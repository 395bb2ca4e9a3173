#pragma once

// Overlap sums of two wave fields on one grid, accumulated in double:
//   innerProduct(a, b)    = sum conj(a) b dx dy   (<a|b>)
//   bilinearProduct(a, b) = sum a b dx dy         (<conj(a)|b>, the overlap with
//                                                  the time-reversed state a*)
// Both take the cell size of b and return 0 when the value counts differ.
// overlapSums reads both fields once for <a|b> and the two norms, as plain
// sums over the cells (no cell area; core/OverlapSums2D.h); all zero when the
// value counts differ. bilinearProduct runs on four interleaved partial sums
// (core/InterleavedSums.h).

#include "core/ComplexField2D.h"
#include "core/OverlapSums2D.h"

#include <complex>

namespace vxo {

std::complex<double> innerProduct(const ComplexField2D& a, const ComplexField2D& b);
std::complex<double> bilinearProduct(const ComplexField2D& a, const ComplexField2D& b);

OverlapSums overlapSums(const ComplexField2D& a, const ComplexField2D& b);

// Both fields non-empty with equal nx, ny and bit-identical dx, dy.
bool onIdenticalGrid(const ComplexField2D& a, const ComplexField2D& b);

} // namespace vxo
