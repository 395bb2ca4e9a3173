#include "core/OverlapSums2D.h"

#include "core/FFT2DKernels.h"
#include "core/VectorKernels.h"

namespace vxo {

namespace overlapsum {

void accumulateCells(const Complex* a, const Complex* b, std::size_t first, std::size_t count, Partials& partial)
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
}

void accumulatePortable(const Complex* a, const Complex* b, std::size_t count, Partials& partial)
{
    accumulateCells(a, b, 0, count, partial);
}

void accumulate(const Complex* a, const Complex* b, std::size_t count, Partials& partial)
{
    vectorKernels(fft2d::bestKernelSet()).overlapPartials(a, b, count, partial);
}

OverlapSums close(const Partials& partial)
{
    double total[4];
    for (int s = 0; s < 4; ++s)
        total[s] = (partial[s][0] + partial[s][1]) + (partial[s][2] + partial[s][3]);
    return {{total[0], total[1]}, total[2], total[3]};
}

} // namespace overlapsum

OverlapSums overlapSums(const Complex* a, const Complex* b, std::size_t count)
{
    overlapsum::Partials partial = {};
    overlapsum::accumulate(a, b, count, partial);
    return overlapsum::close(partial);
}

} // namespace vxo
