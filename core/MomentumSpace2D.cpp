#include "core/MomentumSpace2D.h"

#include "core/FFT2D.h"
#include "core/KeptSpectrum.h"
#include "core/FourierGrid.h"
#include "core/InterleavedSums.h"
#include "core/Numeric.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <stdexcept>

namespace vxo {

namespace {
constexpr double kTwoPi = 2.0 * kPi;

// Momenta of the centred order: signed index times the momentum step.
std::vector<double> centredAxis(std::uint64_t n, double step)
{
    std::vector<double> axis(n);
    for (std::uint64_t k = 0; k < n; ++k)
        axis[k] = fftCentredSignedIndex(k, n) * step;
    return axis;
}
} // namespace

MomentumSpace2D MomentumSpace2D::compute(const ComplexField2D& psi, double hbar)
{
    MomentumSpace2D result;
    computeInto(psi, hbar, result);
    return result;
}

void MomentumSpace2D::computeInto(const ComplexField2D& psi, double hbar, MomentumSpace2D& result)
{
    validate(psi, hbar);
    thread_local AlignedVector<Complex> spectrum;
    KeptSpectrum::transform(psi, nullptr, spectrum);
    fromSpectrum(psi, spectrum.data(), hbar, result);
}

void MomentumSpace2D::fromSpectrum(const ComplexField2D& psi, const Complex* spectrum, double hbar,
                                   MomentumSpace2D& result)
{
    validate(psi, hbar);
    const std::uint64_t nx = psi.nx();
    const std::uint64_t ny = psi.ny();
    const double nxd = static_cast<double>(nx);
    const double nyd = static_cast<double>(ny);
    const double dx = psi.dx();
    const double dy = psi.dy();
    const double dpx = kTwoPi * hbar / (nxd * dx);
    const double dpy = kTwoPi * hbar / (nyd * dy);
    const double scale = dx * dy / (kTwoPi * hbar);

    result = MomentumSpace2D{std::move(result.field), {}, {}};
    if (result.field.nx() == nx && result.field.ny() == ny)
        result.field.respace(static_cast<float>(dpx), static_cast<float>(dpy));
    else
        result.field.reset(nx, ny, static_cast<float>(dpx), static_cast<float>(dpy));
    result.hbar = hbar;
    result.pxAxis = centredAxis(nx, dpx);
    result.pyAxis = centredAxis(ny, dpy);

    // The FFT refers phases to cell 0; exp(+i 2 pi m c / n) moves the origin
    // to the grid centre c = (n - 1)/2. For negative frequencies the unsigned
    // index m = n + s adds a factor exp(i pi (n - 1)) per axis, which leaves
    // |phi|^2 and every moment unchanged. The factor is the product of one
    // per axis, each evaluated once per bin.
    const auto phases = [](std::uint64_t n) {
        const double c = centreOffset(n);
        std::vector<std::complex<double>> turn(n);
        for (std::uint64_t k = 0; k < n; ++k)
            turn[k] = std::polar(1.0, kTwoPi * static_cast<double>(fftCentredBin(k, n)) * c / static_cast<double>(n));
        return turn;
    };
    const std::vector<std::complex<double>> turnX = phases(nx);
    const std::vector<std::complex<double>> turnY = phases(ny);
    // The row's values are formed in a loop with no running sum and no
    // complex product's check for NaN, which the compiler turns into vector
    // code (the products written out are std::complex's for finite values);
    // the source row is read in its two halves, m = k + n/2 and k - n/2, which
    // is the centred bin of k on a power-of-two axis.
    const std::uint64_t half = nx / 2;
    thread_local std::vector<double> density;
    density.resize(static_cast<std::size_t>(nx));
    const double* px = result.pxAxis.data();
    double sumPx = 0.0, sumPy = 0.0, sumPx2 = 0.0, sumPy2 = 0.0, norm = 0.0;
    double peak = -1.0;
    for (std::uint64_t l = 0; l < ny; ++l) {
        const std::uint64_t my = fftCentredBin(l, ny);
        const double py = result.pyAxis[l];
        const Complex* source = spectrum + my * nx;
        Complex* target = &result.field.at(0, l);
        const std::complex<double> rowTurn = turnY[l] * scale;
        const double rr = rowTurn.real();
        const double ri = rowTurn.imag();
        const auto formValues = [&](std::uint64_t begin, std::uint64_t end, const Complex* from) {
            for (std::uint64_t k = begin; k < end; ++k) {
                const double tr = turnX[k].real();
                const double ti = turnX[k].imag();
                const double fr = tr * rr - ti * ri;
                const double fi = tr * ri + ti * rr;
                const double sr = from[k].real();
                const double si = from[k].imag();
                const double vr = sr * fr - si * fi;
                const double vi = sr * fi + si * fr;
                target[k] = Complex(static_cast<float>(vr), static_cast<float>(vi));
                density[k] = vr * vr + vi * vi;
            }
        };
        formValues(0, nx - half, source + half);
        formValues(nx - half, nx, source - (nx - half));
        const double* p = density.data();
        const auto row = interleavedSums<3>(nx, [p, px](std::size_t k) {
            return std::array<double, 3>{p[k], px[k] * p[k], px[k] * px[k] * p[k]};
        });
        const double rowWeight = row[0], rowPx = row[1], rowPx2 = row[2];
        for (std::uint64_t k = 0; k < nx; ++k) {
            if (p[k] > peak) {
                peak = p[k];
                result.peakPx = px[k];
                result.peakPy = py;
            }
        }
        const double w = dpx * dpy;
        norm += rowWeight * w;
        sumPx += rowPx * w;
        sumPx2 += rowPx2 * w;
        sumPy += py * rowWeight * w;
        sumPy2 += py * py * rowWeight * w;
    }

    result.norm = norm;
    if (isFinitePositive(norm)) {
        result.meanPx = sumPx / norm;
        result.meanPy = sumPy / norm;
        result.sigmaPx = std::sqrt(std::max(sumPx2 / norm - result.meanPx * result.meanPx, 0.0));
        result.sigmaPy = std::sqrt(std::max(sumPy2 / norm - result.meanPy * result.meanPy, 0.0));
    }
}

void MomentumSpace2D::validate(const ComplexField2D& psi, double hbar)
{
    if (psi.empty())
        throw std::invalid_argument("MomentumSpace2D: field must not be empty");
    if (!isFinitePositive(hbar))
        throw std::invalid_argument("MomentumSpace2D: hbar must be finite and positive");
    if (!isPowerOfTwo(psi.nx()) || !isPowerOfTwo(psi.ny()))
        throw std::invalid_argument("MomentumSpace2D: FFT grid dimensions must be powers of two");
}

CrossSectionProfile MomentumSpace2D::crossSection(const MomentumSpace2D& momentum, std::uint32_t axis, double value)
{
    CrossSectionProfile profile;
    profile.axis = axis;
    profile.requestedCoordinate = value;
    const ComplexField2D& phi = momentum.field;
    if (phi.empty() || momentum.pxAxis.size() != phi.nx() || momentum.pyAxis.size() != phi.ny() || !isFinite(value))
        return profile;

    if (axis != 0) {
        const std::uint64_t k = nearestAxisIndex(momentum.pxAxis, value);
        profile.snappedCoordinate = momentum.pxAxis[k];
        profile.reserve(phi.ny());
        for (std::uint64_t l = 0; l < phi.ny(); ++l)
            profile.append(phi.at(k, l), momentum.pyAxis[l]);
    } else {
        const std::uint64_t l = nearestAxisIndex(momentum.pyAxis, value);
        profile.snappedCoordinate = momentum.pyAxis[l];
        profile.reserve(phi.nx());
        for (std::uint64_t k = 0; k < phi.nx(); ++k)
            profile.append(phi.at(k, l), momentum.pxAxis[k]);
    }
    return profile;
}

std::uint64_t nearestAxisIndex(const std::vector<double>& axis, double value)
{
    if (axis.empty())
        return 0;
    const auto it = std::lower_bound(axis.begin(), axis.end(), value);
    if (it == axis.begin())
        return 0;
    if (it == axis.end())
        return axis.size() - 1;
    const auto k = static_cast<std::uint64_t>(it - axis.begin());
    return std::abs(axis[k] - value) >= std::abs(value - axis[k - 1]) ? k - 1 : k;
}

} // namespace vxo
