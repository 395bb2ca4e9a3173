#include "experiments/QuantumBackflow2D.h"

#include "core/FFT2D.h"
#include "core/FourierGrid.h"
#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "core/ProbabilityCurrent2D.h"
#include "experiments/GridCoordinates.h"
#include "experiments/SceneChecks.h"

#include <cmath>
#include <complex>
#include <exception>
#include <utility>

namespace vxo {

namespace {

constexpr const char* kInvalidConfig = "QuantumBackflow2D: invalid configuration";
constexpr const char* kInvalidField = "QuantumBackflow2D: invalid field or hbar";
constexpr const char* kNormalisation = "QuantumBackflow2D: state normalization failed";

bool configValid(const BackflowConfig& c)
{
    if (!isFinite(c.detectorX) || !isFinite(c.slowWaveNumber) || !isFinite(c.fastWaveNumber) ||
        !isFinite(c.momentumSigma) || !isFinite(c.fastAmplitudeRatio) || !isFinite(c.relativePhaseDegrees) ||
        !isFinite(c.initialCenterX) || !isFinite(c.transverseSigma) || !isFinite(c.analysisEndTime))
        return false;
    return std::fabs(c.detectorX) <= 1000.0 && c.slowWaveNumber > 0.0 && c.slowWaveNumber <= 8.0 &&
           c.fastWaveNumber > c.slowWaveNumber && c.fastWaveNumber <= 12.0 &&
           inClosedRange(c.momentumSigma, 0.03, 3.0) && c.fastAmplitudeRatio > 0.0 && c.fastAmplitudeRatio <= 2.0 &&
           std::fabs(c.initialCenterX) <= 1000.0 && inClosedRange(c.transverseSigma, 0.2, 12.0) &&
           inClosedRange(c.analysisEndTime, 0.1, 100.0);
}

bool powerOfTwoField(const ComplexField2D& field)
{
    return !field.empty() && FFT2D::isPowerOfTwoGrid(field.nx(), field.ny());
}

} // namespace

bool QuantumBackflow2D::validateConfiguration(const BackflowConfig& config, std::string* error)
{
    if (!configValid(config))
        return failAnalysis(error, kInvalidConfig);
    return true;
}

bool QuantumBackflow2D::prepareInitialState(ComplexField2D& field, const BackflowConfig& config, double hbar,
                                            std::string* error)
{
    if (!powerOfTwoField(field) || !isFinitePositive(hbar))
        return failAnalysisIfEmpty(error, kInvalidField);
    if (!configValid(config))
        return failAnalysisIfEmpty(error, kInvalidConfig);
    const std::uint64_t nx = field.nx();
    const std::uint64_t ny = field.ny();
    const double dx = field.dx();
    const double dy = field.dy();
    const double k1 = config.slowWaveNumber;
    const double k2 = config.fastWaveNumber;
    const double twoSigmaK2 = 2.0 * config.momentumSigma * config.momentumSigma;
    const double sigmaY2 = config.transverseSigma * config.transverseSigma;
    const std::complex<double> fastWeight =
        std::polar(config.fastAmplitudeRatio, config.relativePhaseDegrees * kPi / 180.0);
    // The shift by half the box places the packet in the middle of the grid
    // after the inverse transform; x0 moves it from there.
    const double shiftX = static_cast<double>(nx) * dx / 2.0 + config.initialCenterX;
    const double shiftY = static_cast<double>(ny) * dy / 2.0;

    try {
        ComplexField2D spectrum(nx, ny, field.dx(), field.dy());
        for (std::uint64_t n = 0; n < ny; ++n) {
            const double ky = fftWaveNumber(n, ny, dy);
            const double gy = std::exp(-ky * ky * sigmaY2 / 2.0);
            const std::complex<double> rowFactor = gy * std::polar(1.0, -ky * shiftY);
            for (std::uint64_t m = 0; m < nx; ++m) {
                const double kx = fftWaveNumber(m, nx, dx);
                if (!(kx > 0.0))
                    continue;
                const std::complex<double> A = std::exp(-(kx - k1) * (kx - k1) / twoSigmaK2) +
                                               fastWeight * std::exp(-(kx - k2) * (kx - k2) / twoSigmaK2);
                const std::complex<double> value = A * rowFactor * std::polar(1.0, -kx * shiftX);
                spectrum.at(m, n) = Complex(static_cast<float>(value.real()), static_cast<float>(value.imag()));
            }
        }
        FFT2D::inverse(spectrum);
        if (!spectrum.normalize())
            return failAnalysisIfEmpty(error, kNormalisation);
        field = std::move(spectrum);
    } catch (const std::exception&) {
        return failAnalysisIfEmpty(error, kNormalisation);
    }
    return true;
}

double positiveMomentumFraction(const ComplexField2D& field)
{
    if (!powerOfTwoField(field))
        return 0.0;
    try {
        ComplexField2D spectrum = field;
        FFT2D::forward(spectrum);
        const std::uint64_t nx = spectrum.nx();
        double positive = 0.0;
        double total = 0.0;
        for (std::uint64_t n = 0; n < spectrum.ny(); ++n) {
            for (std::uint64_t m = 0; m < nx; ++m) {
                const double weight = cellProbability(spectrum.at(m, n), 1.0);
                total += weight;
                if (fftSignedIndex(m, nx) > 0.0)
                    positive += weight;
            }
        }
        if (!(total > 0.0))
            return 0.0;
        return positive / total;
    } catch (const std::exception&) {
        return 0.0;
    }
}

std::uint64_t backflowDetectorColumn(const ComplexField2D& field, double detectorX)
{
    const double t = originCellIndex(field.nx()) + detectorX / static_cast<double>(field.dx());
    return clampedRoundedIndex(t, 1, field.nx() - 2);
}

BackflowSample backflowFlux(const ComplexField2D& field, const BackflowConfig& config, double mass, double hbar,
                            double t)
{
    BackflowSample sample;
    sample.time = t;
    if (field.empty() || field.nx() < 3 || !isFinitePositive(mass) || !isFinitePositive(hbar))
        return sample;
    using C = std::complex<double>;
    auto widen = [](Complex v) { return C(v.real(), v.imag()); };
    const std::uint64_t nx = field.nx();
    const double dx = field.dx();
    const double dy = field.dy();
    const double dA = dx * dy;

    const std::uint64_t column = backflowDetectorColumn(field, config.detectorX);
    double flux = 0.0;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const C derivative = (widen(field.at(column + 1, j)) - widen(field.at(column - 1, j))) / (2.0 * dx);
        flux += ProbabilityCurrent2D::component(widen(field.at(column, j)), derivative, hbar / mass) * dy;
    }
    sample.flux = flux;

    double left = 0.0;
    double right = 0.0;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double p = cellProbability(field.at(i, j), dA);
            if (originCellCoordinate(i, nx, dx) < config.detectorX)
                left += p;
            else
                right += p;
        }
    }
    sample.probabilityLeft = left;
    sample.probabilityRight = right;
    return sample;
}

} // namespace vxo
