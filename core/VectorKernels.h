#pragma once

// The vector passes of one instruction set (fft2d::Path): the FFT, the line
// sweeps of the magnetic step and the display maps. Each pass is written once,
// over the lane operations of its *Passes.h header; a table is their
// instantiation for one instruction set, filled in by the one translation unit
// compiled for it (VectorKernels.cpp for plain C++, VectorKernelsSse2.cpp,
// VectorKernelsAvx2.cpp). Every path computes the same bits, except the
// display phase (AmplitudeKernels.h); the entry points of the passes look
// their path up here.

#include "core/ComplexField2D.h"
#include "core/FFT2DKernels.h"
#include "core/GaugeLineSweeps.h"

#include <cstddef>

namespace vxo {

struct VectorKernels {
    // fft2d::transformField and fft2d::multiplyCells.
    void (*transform)(Complex* data, std::size_t nx, std::size_t ny, bool inverse, const Complex* before,
                      const Complex* after);
    void (*multiply)(Complex* values, const Complex* factors, std::size_t count);
    // gaugesweep::buildPivots and gaugesweep::sweep.
    void (*buildPivots)(const Complex* links, const gaugesweep::Lines& lines, double a, double* pivots,
                        double* scratch);
    void (*sweep)(Complex* psi, const Complex* links, const gaugesweep::Lines& lines, double a, const double* pivots,
                  double* scratch);
    // amplitude::densityAndPhase and amplitude::copyWithMaxAbs.
    float (*densityAndPhase)(const Complex* values, std::size_t count, float* density, float* phase);
    float (*copyWithMaxAbs)(const float* v, std::size_t count, float* out);
};

// The table of path, which must be available (fft2d::isAvailable).
const VectorKernels& vectorKernels(fft2d::Path path);

extern const VectorKernels kPortableKernels;
#if defined(__x86_64__)
extern const VectorKernels kSse2Kernels;
extern const VectorKernels kAvx2Kernels;
#endif

} // namespace vxo
