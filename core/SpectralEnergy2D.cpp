#include "core/SpectralEnergy2D.h"

#include "core/FFT2D.h"
#include "core/FourierGrid.h"
#include "core/Numeric.h"

#include <stdexcept>

namespace vxo {

SpectralEnergy2D SpectralEnergy2D::compute(const ComplexField2D& psi, const PotentialField2D& V, double hbar,
                                           double mass)
{
    if (psi.empty() || !V.matches(psi))
        throw std::invalid_argument("SpectralEnergy2D: potential grid must match psi");
    if (!FFT2D::isPowerOfTwoGrid(psi.nx(), psi.ny()))
        throw std::invalid_argument("SpectralEnergy2D: grid dimensions must be powers of two");
    if (!isFinitePositive(hbar) || !isFinitePositive(mass))
        throw std::invalid_argument("SpectralEnergy2D: hbar and mass must be finite and positive");

    ComplexField2D spectrum = psi;
    FFT2D::forward(spectrum);
    double weight = 0.0, kinetic = 0.0;
    for (std::uint64_t j = 0; j < psi.ny(); ++j) {
        const double ky = fftWaveNumber(j, psi.ny(), psi.dy());
        for (std::uint64_t i = 0; i < psi.nx(); ++i) {
            const double kx = fftWaveNumber(i, psi.nx(), psi.dx());
            const double p = std::norm(std::complex<double>(spectrum.at(i, j)));
            weight += p;
            kinetic += p * (kx * kx + ky * ky);
        }
    }
    double norm = 0.0, potential = 0.0;
    for (std::uint64_t c = 0; c < psi.size(); ++c) {
        const double p = std::norm(std::complex<double>(psi.data()[c]));
        norm += p;
        potential += p * double(V.data()[c]);
    }
    SpectralEnergy2D e;
    e.norm = norm * double(psi.dx()) * double(psi.dy());
    if (!(weight > 0.0) || !(norm > 0.0))
        return e;
    e.kinetic = hbar * hbar / (2.0 * mass) * kinetic / weight;
    e.potential = potential / norm;
    e.total = e.kinetic + e.potential;
    return e;
}

} // namespace vxo
