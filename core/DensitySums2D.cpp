#include "core/DensitySums2D.h"

#include "core/CellDecisionPoint.h"
#include "core/VectorKernels.h"
#include "core/Numeric.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace density {

double accumulateCells(const Complex* row, std::size_t first, std::size_t count, double* columns, double* partial)
{
    for (std::size_t c = first; c < count; ++c) {
        const double re = row[c].real();
        const double im = row[c].imag();
        const double p = re * re + im * im;
        columns[c] += p;
        partial[c % 4] += p;
    }
    return (partial[0] + partial[1]) + (partial[2] + partial[3]);
}

double accumulateRowPortable(const Complex* row, std::size_t count, double* columns)
{
    double partial[4] = {0.0, 0.0, 0.0, 0.0};
    return accumulateCells(row, 0, count, columns, partial);
}

} // namespace density

void DensitySums2D::compute(const ComplexField2D& psi)
{
    nx_ = psi.nx();
    ny_ = psi.ny();
    dx_ = psi.dx();
    dy_ = psi.dy();
    if (psi.empty()) {
        columns_.clear();
        rows_.clear();
        return;
    }
    columns_.assign(nx_, 0.0);
    rows_.resize(ny_);
    const auto accumulateRow = vectorKernels(fft2d::bestKernelSet()).densityRow;
    for (std::uint64_t j = 0; j < ny_; ++j)
        rows_[j] = accumulateRow(psi.data() + j * nx_, nx_, columns_.data());
}

PositionMoments DensitySums2D::moments() const
{
    PositionMoments result;
    if (empty())
        return result;
    const double area = dy_ * dx_;
    double norm = 0.0;
    double sumY = 0.0;
    for (std::uint64_t j = 0; j < ny_; ++j) {
        norm += rows_[j];
        sumY += rows_[j] * cellCentre(j, ny_, dy_);
    }
    double sumX = 0.0;
    for (std::uint64_t i = 0; i < nx_; ++i)
        sumX += columns_[i] * cellCentre(i, nx_, dx_);
    norm *= area;
    result.norm = norm;
    if (!isFinitePositive(norm))
        return result;
    result.meanX = sumX * area / norm;
    result.meanY = sumY * area / norm;

    // Second sum about the mean, which avoids the cancellation of <x^2> - <x>^2.
    double varX = 0.0;
    for (std::uint64_t i = 0; i < nx_; ++i) {
        const double rx = cellCentre(i, nx_, dx_) - result.meanX;
        varX += columns_[i] * (rx * rx);
    }
    double varY = 0.0;
    for (std::uint64_t j = 0; j < ny_; ++j) {
        const double ry = cellCentre(j, ny_, dy_) - result.meanY;
        varY += rows_[j] * (ry * ry);
    }
    // std::max(NaN, 0) would keep the NaN; a NaN quotient must give 0.
    const double qx = varX * area / norm;
    const double qy = varY * area / norm;
    result.sigmaX = qx > 0.0 ? std::sqrt(qx) : 0.0;
    result.sigmaY = qy > 0.0 ? std::sqrt(qy) : 0.0;
    return result;
}

RegionProbabilities DensitySums2D::regions(double a, double b) const
{
    RegionProbabilities result;
    if (empty())
        return result;
    const double lo = std::min(a, b);
    const double hi = std::max(a, b);
    for (std::uint64_t i = 0; i < nx_; ++i) {
        const double p = columns_[i];
        // Decided where the painters decide, so a zone whose faces are a
        // barrier's has the barrier's painted columns.
        const double x = cellDecisionX(i, nx_, dx_);
        if (x < lo)
            result.left += p;
        else if (x > hi)
            result.right += p;
        else
            result.middle += p;
    }
    const double area = dy_ * dx_;
    result.left *= area;
    result.middle *= area;
    result.right *= area;
    result.total = result.left + result.middle + result.right;
    if (isFinitePositive(result.total)) {
        const double inverse = 1.0 / result.total;
        result.leftFraction = result.left * inverse;
        result.middleFraction = result.middle * inverse;
        result.rightFraction = result.right * inverse;
    }
    return result;
}

} // namespace vxo
