#include "experiments/QuantumKleinTunneling2D.h"

#include "core/CellDecisionPoint.h"
#include "core/FFT2D.h"
#include "core/Numeric.h"
#include "core/PositionMoments.h"
#include "experiments/DiracWavePacket.h"
#include "experiments/SceneChecks.h"

#include <cmath>
#include <complex>
#include <exception>

namespace vxo {

namespace {

constexpr const char* kInvalidConfig = "QuantumKleinTunneling2D: invalid configuration";
constexpr const char* kInvalidSpinor = "QuantumKleinTunneling2D: invalid spinor grid or hbar";
constexpr const char* kNormalisation = "QuantumKleinTunneling2D: normalization failed";
constexpr const char* kPreparationFailed = "QuantumKleinTunneling2D: state preparation failed";
constexpr const char* kEmptyGrid = "QuantumKleinTunneling2D: empty potential grid";
constexpr const char* kRasterFailed = "QuantumKleinTunneling2D: barrier rasterization failed";
constexpr const char* kDetectorInBarrier =
    "QuantumKleinTunneling2D: the detector must lie beyond the barrier (detector X > barrier center X + width / 2)";

// The barrier is painted taller than the domain so that it spans every row.
constexpr double kBarrierHeightFactor = 1.2;

// The first rule an enabled config breaks, null when it passes. The
// detector's place against the barrier is the one rule a student meets with
// values the boxes allow, so it is named.
const char* configFault(const KleinTunnelingConfig& c)
{
    if (!isFinitePositive(c.lightSpeed) || !isFiniteNonNegative(c.restMass) || !isFinitePositive(c.sigma))
        return kInvalidConfig;
    if (!isFinite(c.centerX) || !isFinite(c.centerY))
        return kInvalidConfig;
    if (!isFinite(c.momentumX) || !isFinite(c.momentumY) || !(c.momentumX > 0.0))
        return kInvalidConfig;
    if (!isFinite(c.barrierCenterX) || !isFinitePositive(c.barrierWidth) || !isFinitePositive(c.barrierHeight))
        return kInvalidConfig;
    if (!isFinite(c.detectorX) || !isFinitePositive(c.analysisEndTime))
        return kInvalidConfig;
    return c.detectorX > c.barrierCenterX + c.barrierWidth / 2.0 ? nullptr : kDetectorInBarrier;
}

double restEnergy(const KleinTunnelingConfig& c) { return c.restMass * c.lightSpeed * c.lightSpeed; }

} // namespace

double QuantumKleinTunneling2D::energy(const KleinTunnelingConfig& c) { return centralDiracEnergy(c); }

double QuantumKleinTunneling2D::momentumMagnitude(const KleinTunnelingConfig& c)
{
    return std::sqrt(c.momentumX * c.momentumX + c.momentumY * c.momentumY);
}

double QuantumKleinTunneling2D::incidenceAngleDegrees(const KleinTunnelingConfig& c)
{
    return std::atan2(c.momentumY, c.momentumX) * 180.0 / kPi;
}

double QuantumKleinTunneling2D::energyAboveBarrier(const KleinTunnelingConfig& c)
{
    return energy(c) - c.barrierHeight;
}

double QuantumKleinTunneling2D::barrierMomentumXSquared(const KleinTunnelingConfig& c)
{
    const double eps = energyAboveBarrier(c);
    const double m = restEnergy(c);
    return (eps * eps - m * m) / (c.lightSpeed * c.lightSpeed) - c.momentumY * c.momentumY;
}

double QuantumKleinTunneling2D::lowerThreshold(const KleinTunnelingConfig& c) { return energy(c) - restEnergy(c); }

double QuantumKleinTunneling2D::kleinThreshold(const KleinTunnelingConfig& c) { return energy(c) + restEnergy(c); }

std::int32_t QuantumKleinTunneling2D::regime(const KleinTunnelingConfig& c)
{
    const double qx2 = barrierMomentumXSquared(c);
    const double eps = energyAboveBarrier(c);
    if (qx2 <= 0.0 || restEnergy(c) >= std::fabs(eps))
        return kKleinRegimeEvanescent;
    return eps > 0.0 ? kKleinRegimePositiveBranch : kKleinRegimeSupercritical;
}

bool QuantumKleinTunneling2D::isKleinZone(const KleinTunnelingConfig& c)
{
    return regime(c) == kKleinRegimeSupercritical;
}

const char* QuantumKleinTunneling2D::regimeName(std::int32_t code)
{
    switch (code) {
    case kKleinRegimePositiveBranch:
        return "positive-branch propagation";
    case kKleinRegimeEvanescent:
        return "evanescent / tunneling";
    case kKleinRegimeSupercritical:
        return "supercritical Klein";
    default:
        return "unknown";
    }
}

bool QuantumKleinTunneling2D::validateConfiguration(const KleinTunnelingConfig& config, std::string* error)
{
    if (const char* fault = configFault(config))
        return failAnalysis(error, fault);
    return true;
}

bool QuantumKleinTunneling2D::buildPotential(PotentialField2D& potential, const KleinTunnelingConfig& config,
                                             std::string* error)
{
    if (const char* fault = configFault(config))
        return failAnalysisIfEmpty(error, fault);
    if (potential.empty())
        return failAnalysisIfEmpty(error, kEmptyGrid);
    try {
        potential.fill(0.0f);
        const double height = kBarrierHeightFactor * static_cast<double>(potential.ny()) * potential.dy();
        potential.addRectangle(static_cast<float>(config.barrierCenterX), 0.0f, static_cast<float>(config.barrierWidth),
                               static_cast<float>(height), static_cast<float>(config.barrierHeight));
    } catch (const std::exception&) {
        return failAnalysisIfEmpty(error, kRasterFailed);
    }
    return true;
}

bool QuantumKleinTunneling2D::prepareInitialState(DiracSpinor2D& spinor, const KleinTunnelingConfig& config,
                                                  double hbar, std::string* error)
{
    if (const char* fault = configFault(config))
        return failAnalysisIfEmpty(error, fault);
    if (!diracSpinorUsable(spinor) || !isFinitePositive(hbar))
        return failAnalysisIfEmpty(error, kInvalidSpinor);
    writeUpperGaussian(spinor, diracGaussianOf(config, hbar), centreOffset(spinor.upper.nx()),
                       centreOffset(spinor.upper.ny()));
    try {
        projectOnPositiveEnergy(spinor, config.lightSpeed, config.restMass, hbar);
    } catch (const std::exception&) {
        return failAnalysisIfEmpty(error, kPreparationFailed);
    }
    if (!spinor.normalize())
        return failAnalysisIfEmpty(error, kNormalisation);
    return true;
}

std::uint64_t QuantumKleinTunneling2D::detectorColumn(const DiracSpinor2D& spinor, double detectorX)
{
    std::uint64_t best = 0;
    double bestDistance = 1e300;
    for (std::uint64_t i = 0; i < spinor.upper.nx(); ++i) {
        const double distance = std::fabs(gridCoordinateX(spinor.upper, i) - detectorX);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

KleinSample QuantumKleinTunneling2D::makeSample(const DiracSpinor2D& spinor, const KleinTunnelingConfig& config,
                                                double time)
{
    KleinSample sample;
    sample.time = time;
    if (!diracSpinorUsable(spinor))
        return sample;
    const ComplexField2D& upper = spinor.upper;
    const ComplexField2D& lower = spinor.lower;
    const double dx = upper.dx();
    const double dy = upper.dy();
    const double dA = dx * dy;
    const double left = config.barrierCenterX - config.barrierWidth / 2.0;
    const double right = config.barrierCenterX + config.barrierWidth / 2.0;
    const std::uint64_t column = detectorColumn(spinor, config.detectorX);

    double total = 0.0;
    double firstMoment = 0.0;
    for (std::uint64_t j = 0; j < upper.ny(); ++j) {
        for (std::uint64_t i = 0; i < upper.nx(); ++i) {
            const double x = gridCoordinateX(upper, i);
            const double rho = cellProbability(upper.at(i, j), dA) + cellProbability(lower.at(i, j), dA);
            total += rho;
            firstMoment += rho * x;
            // The barrier's cells are the ones its painter fills.
            const double xDecision = cellDecisionX(upper, i);
            if (xDecision < left)
                sample.leftProbability += rho;
            else if (xDecision <= right)
                sample.barrierProbability += rho;
            else
                sample.rightProbability += rho;
        }
        const std::complex<double> u(upper.at(column, j).real(), upper.at(column, j).imag());
        const std::complex<double> l(lower.at(column, j).real(), lower.at(column, j).imag());
        sample.detectorFlux += 2.0 * config.lightSpeed * (std::conj(u) * l).real() * dy;
    }
    sample.norm = total;
    sample.meanX = total > 0.0 ? firstMoment / total : 0.0;
    return sample;
}

} // namespace vxo
