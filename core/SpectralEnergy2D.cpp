#include "core/SpectralEnergy2D.h"

#include "core/KeptSpectrum.h"
#include "core/FFT2D.h"
#include "core/FFT2DKernels.h"
#include "core/FourierGrid.h"
#include "core/Numeric.h"
#include "core/VectorKernels.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace vxo {

namespace {

// sum_k power(k) k^2 over an axis in FFT order, with k = 2 pi n' / (n d).
double kineticMoment(const std::vector<double>& power, double spacing)
{
    double moment = 0.0;
    const std::uint64_t n = power.size();
    for (std::uint64_t k = 0; k < n; ++k) {
        const double wave = fftWaveNumber(k, n, spacing);
        moment += power[k] * wave * wave;
    }
    return moment;
}

} // namespace

SpectralEnergy2D SpectralEnergy2D::compute(const ComplexField2D& psi, const PotentialField2D& V, double hbar,
                                           double mass)
{
    validate(psi, V, hbar, mass);
    thread_local AlignedVector<Complex> spectrum;
    const KeptSpectrum sums = KeptSpectrum::transform(psi, V.data(), spectrum);
    return fromSpectrum(psi, V, sums, spectrum.data(), hbar, mass);
}

SpectralEnergy2D SpectralEnergy2D::fromSpectrum(const ComplexField2D& psi, const PotentialField2D& V,
                                                const KeptSpectrum& sums, const Complex* spectrum, double hbar,
                                                double mass)
{
    validate(psi, V, hbar, mass);
    // The power of the spectrum is summed per row (each ky) and per column
    // (each kx) in one vector pass, and |k|^2 = kx^2 + ky^2 weighs those
    // sums, O(nx + ny).
    const std::uint64_t nx = psi.nx();
    const std::uint64_t ny = psi.ny();
    const double norm = sums.density;
    const double potential = sums.potentialDensity;

    const auto addPower = vectorKernels(fft2d::bestKernelSet()).densityRow;
    std::vector<double> powerX(nx, 0.0);
    std::vector<double> powerY(ny);
    for (std::uint64_t j = 0; j < ny; ++j)
        powerY[j] = addPower(spectrum + j * nx, nx, powerX.data());
    double weight = 0.0;
    for (const double p : powerY)
        weight += p;

    SpectralEnergy2D e;
    e.norm = norm * double(psi.dx()) * double(psi.dy());
    if (!(weight > 0.0) || !(norm > 0.0))
        return e;
    e.kinetic =
        hbar * hbar / (2.0 * mass) * (kineticMoment(powerX, psi.dx()) + kineticMoment(powerY, psi.dy())) / weight;
    e.potential = potential / norm;
    e.total = e.kinetic + e.potential;
    return e;
}

void SpectralEnergy2D::validate(const ComplexField2D& psi, const PotentialField2D& V, double hbar, double mass)
{
    if (psi.empty() || !V.matches(psi))
        throw std::invalid_argument("SpectralEnergy2D: potential grid must match psi");
    if (!FFT2D::isPowerOfTwoGrid(psi.nx(), psi.ny()))
        throw std::invalid_argument("SpectralEnergy2D: grid dimensions must be powers of two");
    if (!isFinitePositive(hbar) || !isFinitePositive(mass))
        throw std::invalid_argument("SpectralEnergy2D: hbar and mass must be finite and positive");
}

} // namespace vxo
