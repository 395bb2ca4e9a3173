#pragma once

// The vector passes of one instruction set (fft2d::KernelSet): the FFT, the line
// sweeps of the magnetic step, the display maps and the rows of the density
// and energy sums. The first three are written once, over the lane operations
// of their *Passes.h header; a table is their instantiation for one
// instruction set, filled in by the translation unit compiled for it
// (VectorKernels.cpp for plain C++ and SSE2, VectorKernelsAvx2.cpp). Every
// path computes the same bits, except the display phase (AmplitudeKernels.h);
// the entry points of the passes look their path up here.

#include "core/AngularMomentumRows.h"
#include "core/ComplexField2D.h"
#include "core/CovariantObservables2DRows.h"
#include "core/EnergyObservables2DRows.h"
#include "core/FFT2DKernels.h"
#include "core/GaugeLineSweeps.h"
#include "core/KeptSpectrum.h"
#include "core/OverlapSums2D.h"

#include <complex>
#include <cstddef>
#include <cstdint>

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
    // The row passes of DensitySums2D and EnergyObservables2D::compute,
    // written by hand for AVX2 (DensitySums2DAvx2.cpp,
    // EnergyObservables2DAvx2.cpp); the SSE2 table takes the portable ones.
    double (*densityRow)(const Complex* row, std::size_t count, double* columns);
    // The row pass of ColumnAmplitudes2D, by hand for AVX2
    // (ColumnAmplitudes2DAvx2.cpp); the SSE2 table takes the portable one.
    void (*amplitudeColumnRow)(const Complex* row, std::size_t count, std::complex<double>* columns);
    void (*energyRow)(const energy::RowStencil& row, std::uint64_t first, std::uint64_t last,
                      const energy::RowConstants& k, energy::RunningSums& sums);
    // The spectrum pass of EnergyObservables2D::computeDirac and the copy
    // before KeptSpectrum's transform, by hand for AVX2
    // (EnergyObservables2DAvx2.cpp, KeptSpectrumAvx2.cpp); the SSE2 table
    // takes the portable ones.
    void (*diracRow)(const Complex* a, const Complex* b, std::size_t count, double* alongX, double (*sums)[4]);
    void (*keptSpectrumCopy)(const Complex* in, const float* v, std::size_t count, Complex* out, double* density,
                             double* weighted);
    // The row pass of CovariantObservables2D, by hand for AVX2
    // (CovariantObservables2DAvx2.cpp); the SSE2 table takes the portable one.
    void (*covariantRow)(const covariant::RowStencil& row, std::uint64_t first, std::uint64_t last,
                         const covariant::RowConstants& k, covariant::RunningSums& sums);
    // phase::roundOffsetCarriedRuns, by hand for AVX2 (PhaseRoundingKernelsAvx2.cpp).
    void (*roundOffsetRuns)(const double* d, const double* s, std::size_t count, double* carried, Complex* out);
    // phase::potentialPhaseOffsets, by hand for AVX2 (PhaseOffsetKernelsAvx2.cpp).
    void (*potentialPhaseOffsets)(const float* v, double coefficient, std::size_t count, double* d, double* s);
    // overlapsum::accumulate, by hand for AVX2 (OverlapSums2DAvx2.cpp); the SSE2
    // table takes the portable one.
    void (*overlapPartials)(const Complex* a, const Complex* b, std::size_t count, overlapsum::Partials& partial);
    // angular::rowSums, by hand for AVX2 (AngularMomentumRowsAvx2.cpp); the
    // SSE2 table takes the portable one.
    std::array<double, 2> (*angularRow)(const angular::RowStencil& row, std::size_t nx);
};

// The table of path, which must be available (fft2d::isAvailable).
const VectorKernels& vectorKernels(fft2d::KernelSet path);

extern const VectorKernels kPortableKernels;
#if defined(__x86_64__)
extern const VectorKernels kSse2Kernels;
extern const VectorKernels kAvx2Kernels;
#endif

} // namespace vxo
