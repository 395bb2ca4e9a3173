#pragma once

#include "core/ComplexField2D.h"

#include <complex>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vxo {

// The amplitude of psi summed down each column, components widened to double:
//   column(i) = sum_j psi(i, j), rows added in order.
// A state spread evenly over y, phi(x) / sqrt(ny dy), overlaps psi by
//   <phi|psi> = dx dy / sqrt(ny dy) sum_i phi(i) column(i),
// so after one read of psi every projection on such states costs O(nx). Each
// column is a sum of its cells in row order on every path, so the vector and
// plain passes give the same bits. The storage is kept between passes.
class ColumnAmplitudes2D {
public:
    // Sums of psi; an empty field leaves empty sums.
    void compute(const ComplexField2D& psi);
    static ColumnAmplitudes2D of(const ComplexField2D& psi)
    {
        ColumnAmplitudes2D sums;
        sums.compute(psi);
        return sums;
    }

    bool empty() const { return columns_.empty(); }
    std::uint64_t nx() const { return nx_; }
    std::uint64_t ny() const { return ny_; }
    double dx() const { return dx_; }
    double dy() const { return dy_; }
    const std::vector<std::complex<double>>& columns() const { return columns_; }

private:
    std::uint64_t nx_ = 0;
    std::uint64_t ny_ = 0;
    double dx_ = 0.0;
    double dy_ = 0.0;
    std::vector<std::complex<double>> columns_;
};

namespace columnsum {

// Adds the `count` cells of one row to columns[0..count).
void accumulateRowPortable(const Complex* row, std::size_t count, std::complex<double>* columns);
#if defined(__x86_64__)
void accumulateRowAvx2(const Complex* row, std::size_t count, std::complex<double>* columns);
#endif

} // namespace columnsum

} // namespace vxo
