#include "core/KeptSpectrum.h"

#include "core/FFT2DKernels.h"
#include "core/VectorKernels.h"

namespace vxo {

namespace keptspectrum {

void copyCellsPortable(const Complex* in, const float* v, std::size_t count, Complex* out, double* density,
                       double* weighted)
{
    for (std::size_t c = 0; c < count; ++c) {
        out[c] = in[c];
        const double re = in[c].real();
        const double im = in[c].imag();
        const double rho = re * re + im * im;
        density[c % 4] += rho;
        if (v)
            weighted[c % 4] += rho * static_cast<double>(v[c]);
    }
}

} // namespace keptspectrum

KeptSpectrum KeptSpectrum::transform(const ComplexField2D& psi, const float* v, AlignedVector<Complex>& buffer)
{
    const std::uint64_t n = psi.size();
    buffer.resize(static_cast<std::size_t>(n));
    const fft2d::KernelSet path = fft2d::bestKernelSet();
    double p[4] = {0.0, 0.0, 0.0, 0.0};
    double q[4] = {0.0, 0.0, 0.0, 0.0};
    vectorKernels(path).keptSpectrumCopy(psi.data(), v, static_cast<std::size_t>(n), buffer.data(), p, q);
    fft2d::transformField(path, buffer.data(), psi.nx(), psi.ny(), false);
    KeptSpectrum sums;
    sums.density = (p[0] + p[1]) + (p[2] + p[3]);
    sums.potentialDensity = (q[0] + q[1]) + (q[2] + q[3]);
    return sums;
}

} // namespace vxo
