#include "experiments/DiracWavePacket.h"

#include "core/FFT2D.h"
#include "core/FourierGrid.h"

#include <cmath>
#include <complex>

namespace vxo {

bool diracSpinorUsable(const DiracSpinor2D& spinor)
{
    return !spinor.isEmpty() && spinor.upper.nx() == spinor.lower.nx() && spinor.upper.ny() == spinor.lower.ny();
}

void writeUpperGaussian(DiracSpinor2D& spinor, const DiracGaussian& packet, double originX, double originY)
{
    ComplexField2D& upper = spinor.upper;
    const double dx = upper.dx();
    const double dy = upper.dy();
    const double a = 1.0 / (4.0 * packet.sigma * packet.sigma);
    for (std::uint64_t j = 0; j < upper.ny(); ++j) {
        const double y = (static_cast<double>(j) - originY) * dy - packet.centerY;
        for (std::uint64_t i = 0; i < upper.nx(); ++i) {
            const double x = (static_cast<double>(i) - originX) * dx - packet.centerX;
            const double amplitude = std::exp(-(x * x + y * y) * a);
            const double phase = (x * packet.momentumX + y * packet.momentumY) / packet.hbar;
            upper.at(i, j) = Complex(static_cast<float>(amplitude * std::cos(phase)),
                                     static_cast<float>(amplitude * std::sin(phase)));
        }
    }
    spinor.lower.setZero();
}

void projectOnPositiveEnergy(DiracSpinor2D& spinor, double lightSpeed, double restMass, double hbar)
{
    ComplexField2D& upper = spinor.upper;
    ComplexField2D& lower = spinor.lower;
    // The lower component is ignored, so only the upper one is transformed;
    // every lower entry is overwritten below.
    FFT2D::forward(upper);
    const std::uint64_t nx = upper.nx();
    const std::uint64_t ny = upper.ny();
    const double c = lightSpeed;
    const double restEnergy = restMass * c * c;
    for (std::uint64_t n = 0; n < ny; ++n) {
        const double py = hbar * fftWaveNumber(n, ny, upper.dy());
        for (std::uint64_t m = 0; m < nx; ++m) {
            const double px = hbar * fftWaveNumber(m, nx, upper.dx());
            const double E = diracEnergy(px, py, c, restEnergy);
            if (!(E > 1e-14)) {
                lower.at(m, n) = Complex(0.0f, 0.0f);
                continue;
            }
            const std::complex<double> u(upper.at(m, n).real(), upper.at(m, n).imag());
            const std::complex<double> projectedUpper = u * ((1.0 + restEnergy / E) / 2.0);
            const std::complex<double> projectedLower = u * std::complex<double>(c * px, c * py) / (2.0 * E);
            upper.at(m, n) =
                Complex(static_cast<float>(projectedUpper.real()), static_cast<float>(projectedUpper.imag()));
            lower.at(m, n) =
                Complex(static_cast<float>(projectedLower.real()), static_cast<float>(projectedLower.imag()));
        }
    }
    FFT2D::inverse(upper);
    FFT2D::inverse(lower);
}

} // namespace vxo
