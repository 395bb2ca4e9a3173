#include "experiments/QuantumZitterbewegung2D.h"

#include "core/FFT2D.h"
#include "core/FourierGrid.h"
#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "experiments/DiracWavePacket.h"
#include "experiments/GridCoordinates.h"
#include "experiments/SceneChecks.h"

#include <cmath>
#include <complex>
#include <exception>
#include <vector>

namespace vxo {

namespace {

constexpr const char* kInvalidConfig = "QuantumZitterbewegung2D: invalid configuration";
constexpr const char* kInvalidSpinor = "QuantumZitterbewegung2D: invalid spinor or hbar";
constexpr const char* kNormalisation = "QuantumZitterbewegung2D: normalization failed";
constexpr const char* kPreparationFailed = "QuantumZitterbewegung2D: state preparation failed";

// Every value has a bounded range; the comparisons are false for NaN and the
// bounds exclude infinities, so no separate finiteness test is needed.
bool configValid(const ZitterbewegungConfig& c)
{
    return inClosedRange(c.lightSpeed, 0.05, 20.0) && inClosedRange(c.restMass, 0.02, 20.0) &&
           inClosedRange(c.sigma, 0.25, 20.0) && std::fabs(c.momentumX) <= 20.0 && std::fabs(c.momentumY) <= 20.0 &&
           std::fabs(c.centerX) <= 1000.0 && std::fabs(c.centerY) <= 1000.0 && c.preparationMode <= 1 &&
           inClosedRange(c.analysisEndTime, 0.2, 200.0);
}

// Predicted drift velocity along one axis for the central momentum component p.
double predictedDrift(const ZitterbewegungConfig& c, double p)
{
    const double E = centralDiracEnergy(c);
    if (!(E > 0.0))
        return 0.0;
    const double c2 = c.lightSpeed * c.lightSpeed;
    if (c.preparationMode == 1)
        return c2 * p / E;
    return c2 * c2 * c.restMass * p / (E * E);
}

} // namespace

bool QuantumZitterbewegung2D::validateConfiguration(const ZitterbewegungConfig& config, std::string* error)
{
    if (!configValid(config))
        return failAnalysis(error, kInvalidConfig);
    return true;
}

bool QuantumZitterbewegung2D::prepareInitialState(DiracSpinor2D& spinor, const ZitterbewegungConfig& config,
                                                  double hbar, std::string* error)
{
    if (!diracSpinorUsable(spinor) || !FFT2D::isPowerOfTwoGrid(spinor.upper.nx(), spinor.upper.ny()) ||
        !isFinitePositive(hbar))
        return failAnalysisIfEmpty(error, kInvalidSpinor);
    if (!configValid(config))
        return failAnalysisIfEmpty(error, kInvalidConfig);
    writeUpperGaussian(spinor, diracGaussianOf(config, hbar), originCellIndex(spinor.upper.nx()),
                       originCellIndex(spinor.upper.ny()));
    if (config.preparationMode == 1) {
        try {
            projectOnPositiveEnergy(spinor, config.lightSpeed, config.restMass, hbar);
        } catch (const std::exception&) {
            return failAnalysisIfEmpty(error, kPreparationFailed);
        }
    }
    if (!spinor.normalize())
        return failAnalysisIfEmpty(error, kNormalisation);
    return true;
}

namespace {

// The middle of the box's coordinates (i - n/2) d, half a cell left of 0:
// about it every cell is its own nearest image.
double boxCentre(const ComplexField2D& field, bool alongX)
{
    return -0.5 * static_cast<double>(alongX ? field.dx() : field.dy());
}

// The coordinate of each cell along one axis, taken as the image of the
// periodic box nearest to `about`.
std::vector<double> imagesAbout(std::uint64_t n, double d, double about)
{
    const double width = static_cast<double>(n) * d;
    std::vector<double> coordinates(n);
    for (std::uint64_t i = 0; i < n; ++i) {
        const double x = originCellCoordinate(i, n, d);
        coordinates[i] = x + width * std::nearbyint((about - x) / width);
    }
    return coordinates;
}

} // namespace

void QuantumZitterbewegung2D::spinorCentroid(const DiracSpinor2D& spinor, double& x, double& y)
{
    spinorCentroidAbout(spinor, boxCentre(spinor.upper, true), boxCentre(spinor.upper, false), x, y);
}

void QuantumZitterbewegung2D::spinorCentroidAbout(const DiracSpinor2D& spinor, double aboutX, double aboutY,
                                                  double& x, double& y)
{
    x = 0.0;
    y = 0.0;
    if (!diracSpinorUsable(spinor))
        return;
    const std::uint64_t nx = spinor.upper.nx();
    const std::uint64_t ny = spinor.upper.ny();
    const double dx = spinor.upper.dx();
    const double dy = spinor.upper.dy();
    const double dA = dx * dy;
    const std::vector<double> xs = imagesAbout(nx, dx, aboutX);
    const std::vector<double> ys = imagesAbout(ny, dy, aboutY);
    double total = 0.0;
    double sumX = 0.0;
    double sumY = 0.0;
    for (std::uint64_t j = 0; j < ny; ++j) {
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double w = cellProbability(spinor.upper.at(i, j), dA) + cellProbability(spinor.lower.at(i, j), dA);
            total += w;
            sumX += w * xs[i];
            sumY += w * ys[j];
        }
    }
    if (total > 0.0) {
        x = sumX / total;
        y = sumY / total;
    }
}

std::pair<double, double> QuantumZitterbewegung2D::energyBranchWeights(const DiracSpinor2D& spinor,
                                                                       const ZitterbewegungConfig& config, double hbar)
{
    if (!diracSpinorUsable(spinor) || !isFinitePositive(hbar))
        return {0.0, 0.0};
    try {
        ComplexField2D upper = spinor.upper;
        ComplexField2D lower = spinor.lower;
        FFT2D::forward(upper);
        FFT2D::forward(lower);
        const std::uint64_t nx = upper.nx();
        const std::uint64_t ny = upper.ny();
        const double c = config.lightSpeed;
        const double restEnergy = config.restMass * c * c;
        double positive = 0.0;
        double negative = 0.0;
        for (std::uint64_t n = 0; n < ny; ++n) {
            const double py = hbar * fftWaveNumber(n, ny, upper.dy());
            for (std::uint64_t m = 0; m < nx; ++m) {
                const double px = hbar * fftWaveNumber(m, nx, upper.dx());
                const double E = diracEnergy(px, py, c, restEnergy);
                const std::complex<double> u(upper.at(m, n).real(), upper.at(m, n).imag());
                const std::complex<double> l(lower.at(m, n).real(), lower.at(m, n).imag());
                const double w = std::norm(u) + std::norm(l);
                // psi^dagger H psi = m c^2 (|u|^2 - |l|^2) + 2 Re(conj(u) c (p_x - i p_y) l).
                const double expectation = restEnergy * (std::norm(u) - std::norm(l)) +
                                           2.0 * (std::conj(u) * std::complex<double>(c * px, -c * py) * l).real();
                const double h = E > 0.0 ? expectation / E : 0.0;
                positive += (w + h) / 2.0;
                negative += (w - h) / 2.0;
            }
        }
        const double sum = positive + negative;
        if (sum > 0.0)
            return {positive / sum, negative / sum};
        return {positive, negative};
    } catch (const std::exception&) {
        return {0.0, 0.0};
    }
}

ZitterbewegungSample QuantumZitterbewegung2D::makeSample(const DiracSpinor2D& spinor,
                                                         const ZitterbewegungConfig& config, double t, double x0,
                                                         double y0)
{
    return makeSampleAbout(spinor, config, t, x0, y0, boxCentre(spinor.upper, true), boxCentre(spinor.upper, false));
}

ZitterbewegungSample QuantumZitterbewegung2D::makeSampleAbout(const DiracSpinor2D& spinor,
                                                              const ZitterbewegungConfig& config, double t, double x0,
                                                              double y0, double aboutX, double aboutY)
{
    ZitterbewegungSample sample;
    sample.time = t;
    if (!diracSpinorUsable(spinor))
        return sample;
    spinorCentroidAbout(spinor, aboutX, aboutY, sample.meanX, sample.meanY);

    const double dA = static_cast<double>(spinor.upper.dx()) * static_cast<double>(spinor.upper.dy());
    const double c = config.lightSpeed;
    double rho = 0.0;
    double currentX = 0.0;
    double currentY = 0.0;
    const Complex* u = spinor.upper.data();
    const Complex* l = spinor.lower.data();
    for (std::uint64_t k = 0; k < spinor.upper.size(); ++k) {
        const std::complex<double> uk(u[k].real(), u[k].imag());
        const std::complex<double> lk(l[k].real(), l[k].imag());
        rho += (std::norm(uk) + std::norm(lk)) * dA;
        const std::complex<double> mixed = std::conj(uk) * lk;
        currentX += 2.0 * c * mixed.real() * dA;
        currentY += 2.0 * c * mixed.imag() * dA;
    }
    if (rho > 0.0) {
        sample.velocityX = currentX / rho;
        sample.velocityY = currentY / rho;
    }
    sample.detrendedX = sample.meanX - (predictedDrift(config, config.momentumX) * t + x0);
    sample.detrendedY = sample.meanY - (predictedDrift(config, config.momentumY) * t + y0);
    // DiracSpinor2D's norm and component shares, with each component's
    // norm summed once instead of once per figure.
    const double upperNorm = spinor.upper.norm();
    const double lowerNorm = spinor.lower.norm();
    sample.norm = upperNorm + lowerNorm;
    if (sample.norm > 0.0) {
        sample.upperWeight = upperNorm / sample.norm;
        sample.lowerWeight = lowerNorm / sample.norm;
    }
    return sample;
}

double QuantumZitterbewegung2D::angularFrequency(const ZitterbewegungConfig& config, double hbar)
{
    if (!(hbar > 0.0))
        return 0.0;
    return 2.0 * centralDiracEnergy(config) / hbar;
}

double QuantumZitterbewegung2D::period(const ZitterbewegungConfig& config, double hbar)
{
    const double omega = angularFrequency(config, hbar);
    if (!(omega > 0.0))
        return 0.0;
    return 2.0 * kPi / omega;
}

double QuantumZitterbewegung2D::predictedDriftVelocityX(const ZitterbewegungConfig& config)
{
    return predictedDrift(config, config.momentumX);
}

} // namespace vxo
