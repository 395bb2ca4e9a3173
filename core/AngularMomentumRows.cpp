#include "core/AngularMomentumRows.h"

#include "core/FFT2DKernels.h"
#include "core/VectorKernels.h"

namespace vxo::angular {

std::array<double, 2> sumCells(const RowStencil& s, std::size_t first, std::size_t nx, Partials& partial)
{
    for (std::size_t c = first; c + 2 < nx; ++c) {
        const std::size_t i = c + 1;
        const double re = s.row[i].real();
        const double im = s.row[i].imag();
        const double dxRe = static_cast<double>(s.row[i + 1].real()) - s.row[i - 1].real();
        const double dxIm = static_cast<double>(s.row[i + 1].imag()) - s.row[i - 1].imag();
        const double dyRe = static_cast<double>(s.above[i].real()) - s.below[i].real();
        const double dyIm = static_cast<double>(s.above[i].imag()) - s.below[i].imag();
        const double dRe = s.xArm[i] * dyRe - s.yArm * dxRe;
        const double dIm = s.xArm[i] * dyIm - s.yArm * dxIm;
        partial[0][c % 4] += re * dIm - im * dRe;
        partial[1][c % 4] += re * re + im * im;
    }
    return {(partial[0][0] + partial[0][1]) + (partial[0][2] + partial[0][3]),
            (partial[1][0] + partial[1][1]) + (partial[1][2] + partial[1][3])};
}

std::array<double, 2> rowSumsPortable(const RowStencil& row, std::size_t nx)
{
    Partials partial = {};
    return sumCells(row, 0, nx, partial);
}

std::array<double, 2> rowSums(const RowStencil& row, std::size_t nx)
{
    return vectorKernels(fft2d::bestKernelSet()).angularRow(row, nx);
}

} // namespace vxo::angular
