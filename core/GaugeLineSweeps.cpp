#include "core/GaugeLineSweeps.h"

#include "core/GaugeLineSweepPasses.h"
#include "core/VectorKernels.h"

namespace vxo::gaugesweep {

std::size_t pivotSize(const Lines& lines) { return batchCount(lines) * (lines.length - 2) * kPivotStride; }

std::size_t scratchSize(const Lines& lines) { return 2 * lines.length * kLanes + kWorkStride * (lines.length - 2); }

void buildPivots(fft2d::KernelSet path, const Complex* links, const Lines& lines, double a, double* pivots,
                 double* scratch)
{
    vectorKernels(path).buildPivots(links, lines, a, pivots, scratch);
}

void sweep(fft2d::KernelSet path, Complex* psi, const Complex* links, const Lines& lines, double a,
           const double* pivots, double* scratch)
{
    vectorKernels(path).sweep(psi, links, lines, a, pivots, scratch);
}

} // namespace vxo::gaugesweep
