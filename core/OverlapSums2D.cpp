#include "core/OverlapSums2D.h"

#include "core/FFT2DKernels.h"
#include "core/VectorKernels.h"

namespace vxo {

namespace overlap {

OverlapSums sumCells(const Complex* a, const Complex* b, std::size_t first, std::size_t count, Partials& partial)
{
    for (std::size_t c = first; c < count; ++c) {
        const double ar = a[c].real();
        const double ai = a[c].imag();
        const double br = b[c].real();
        const double bi = b[c].imag();
        const std::size_t lane = c % 4;
        partial[0][lane] += ar * br + ai * bi;
        partial[1][lane] += ar * bi - ai * br;
        partial[2][lane] += ar * ar + ai * ai;
        partial[3][lane] += br * br + bi * bi;
    }
    double total[4];
    for (int s = 0; s < 4; ++s)
        total[s] = (partial[s][0] + partial[s][1]) + (partial[s][2] + partial[s][3]);
    return {{total[0], total[1]}, total[2], total[3]};
}

OverlapSums sumsPortable(const Complex* a, const Complex* b, std::size_t count)
{
    Partials partial = {};
    return sumCells(a, b, 0, count, partial);
}

} // namespace overlap

OverlapSums overlapSums(const Complex* a, const Complex* b, std::size_t count)
{
    return vectorKernels(fft2d::bestKernelSet()).overlapSums(a, b, count);
}

} // namespace vxo
