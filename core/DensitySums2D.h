#pragma once

#include "core/ComplexField2D.h"
#include "core/PositionMoments.h"
#include "core/RegionProbabilities.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vxo {

// One read of the density rho = |psi|^2 (components widened to double, then
// re^2 + im^2) that the integrals of rho over x or y alone are taken from:
//   column(i) = sum_j rho(i, j),   row(j) = sum_i rho(i, j).
// The norm, the position moments and the region probabilities each need only
// one of the two, so after the pass they cost O(nx + ny) instead of another
// read of the whole field. The storage is kept between passes.
class DensitySums2D {
public:
    // Sums of psi; an empty field leaves empty sums (every result zero).
    void compute(const ComplexField2D& psi);

    bool empty() const { return rows_.empty(); }
    const std::vector<double>& columns() const { return columns_; }
    const std::vector<double>& rows() const { return rows_; }
    double dx() const { return dx_; }
    double dy() const { return dy_; }

    // The results of computePositionMoments and computeRegionProbabilities,
    // with the same guards.
    PositionMoments moments() const;
    RegionProbabilities regions(double a, double b) const;

private:
    std::uint64_t nx_ = 0;
    std::uint64_t ny_ = 0;
    double dx_ = 0.0;
    double dy_ = 0.0;
    std::vector<double> columns_;
    std::vector<double> rows_;
};

namespace density {

// Adds rho of the `count` cells of one row to columns[0..count) and returns
// their sum, taken over four interleaved partial sums (cell c goes to partial
// c mod 4), added as (p0 + p1) + (p2 + p3): every path gives the same bits.
double accumulateRowPortable(const Complex* row, std::size_t count, double* columns);
// The cells first .. count - 1 of that pass, one at a time, added to the four
// partial sums in partial; returns their sum as above.
double accumulateCells(const Complex* row, std::size_t first, std::size_t count, double* columns, double* partial);
#if defined(__x86_64__)
double accumulateRowAvx2(const Complex* row, std::size_t count, double* columns);
#endif

} // namespace density

} // namespace vxo
