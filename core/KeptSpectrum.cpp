#include "core/KeptSpectrum.h"

#include "core/FFT2DKernels.h"

namespace vxo {

KeptSpectrum KeptSpectrum::transform(const ComplexField2D& psi, const float* v, AlignedVector<Complex>& buffer)
{
    const std::uint64_t n = psi.size();
    buffer.resize(static_cast<std::size_t>(n));
    const Complex* in = psi.data();
    Complex* out = buffer.data();
    double p[4] = {0.0, 0.0, 0.0, 0.0};
    double q[4] = {0.0, 0.0, 0.0, 0.0};
    std::uint64_t i = 0;
    const auto cell = [&](std::uint64_t c, int lane) {
        out[c] = in[c];
        const double re = in[c].real();
        const double im = in[c].imag();
        const double rho = re * re + im * im;
        p[lane] += rho;
        if (v)
            q[lane] += rho * static_cast<double>(v[c]);
    };
    for (; i + 4 <= n; i += 4) {
        cell(i, 0);
        cell(i + 1, 1);
        cell(i + 2, 2);
        cell(i + 3, 3);
    }
    for (; i < n; ++i)
        cell(i, 0);
    fft2d::transformField(fft2d::bestKernelSet(), out, psi.nx(), psi.ny(), false);
    KeptSpectrum sums;
    sums.density = (p[0] + p[1]) + (p[2] + p[3]);
    sums.potentialDensity = (q[0] + q[1]) + (q[2] + q[3]);
    return sums;
}

} // namespace vxo
