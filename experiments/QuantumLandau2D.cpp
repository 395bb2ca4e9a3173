#include "experiments/QuantumLandau2D.h"

#include "core/EnergyObservables2D.h"
#include "core/GaussianPacket2D.h"
#include "core/Numeric.h"
#include "core/PhaseFactors.h"
#include "experiments/SceneChecks.h"

#include <cmath>
#include <complex>
#include <exception>

namespace vxo {

namespace {

constexpr const char* kNotFinite = "Landau parameters must be finite.";
constexpr const char* kFieldRange = "Enabled Landau field strength magnitude must be in [0.02,4].";
constexpr const char* kMode = "Landau preparation mode must be 0 or 1.";
constexpr const char* kIndex = "Landau index must be in [0,8].";
constexpr const char* kOrbit = "Landau orbit radius or analysis time is invalid.";
constexpr const char* kGaugeEmpty = "Landau reference field is empty.";
constexpr const char* kGaugeZeroField = "Landau gauge requires non-zero field strength.";
constexpr const char* kGaugeAllocation = "Landau gauge links could not be allocated.";
constexpr const char* kStateEmpty = "Landau field is empty.";
constexpr const char* kStateZeroField = "Landau state preparation requires non-zero field strength.";
constexpr const char* kStateUnits = "Landau mass and hbar must be positive and finite.";
constexpr const char* kStateNormalisation = "Landau eigenstate normalization failed.";
constexpr const char* kPacketFailed = "Landau cyclotron packet preparation failed.";

// Smallest field magnitude for which a gauge or a state is built.
constexpr double kMinimumField = 0.02;

const char* configFault(const LandauConfig& c)
{
    if (!isFinite(c.fieldStrength) || !isFinite(c.orbitRadius) || !isFinite(c.analysisEndTime))
        return kNotFinite;
    const double b = std::fabs(c.fieldStrength);
    if (b > 4.0 || (c.enabled && b < kMinimumField))
        return kFieldRange;
    if (c.preparationMode > 1)
        return kMode;
    if (c.landauIndex > 8)
        return kIndex;
    if (!(c.orbitRadius >= 0.2 && c.orbitRadius <= 15.0) || !(c.analysisEndTime >= 0.1 && c.analysisEndTime <= 200.0))
        return kOrbit;
    return nullptr;
}

} // namespace

bool QuantumLandau2D::validateConfiguration(const LandauConfig& config, std::string* error)
{
    if (const char* fault = configFault(config))
        return failAnalysis(error, fault);
    return true;
}

bool QuantumLandau2D::buildSymmetricGauge(const ComplexField2D& field, const LandauConfig& config,
                                          GaugeLinkField2D& links, std::string* error)
{
    if (field.empty())
        return failAnalysisIfEmpty(error, kGaugeEmpty);
    if (const char* fault = configFault(config))
        return failAnalysisIfEmpty(error, fault);
    if (std::fabs(config.fieldStrength) < kMinimumField)
        return failAnalysisIfEmpty(error, kGaugeZeroField);
    try {
        links.resize(field.nx(), field.ny(), field.dx(), field.dy());
    } catch (const std::exception&) {
        return failAnalysisIfEmpty(error, kGaugeAllocation);
    }
    const double b = config.fieldStrength;
    const double dx = field.dx();
    const double dy = field.dy();
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const Complex ux = unitPhase(b * gridCoordinateY(field, j) * dx / 2.0);
        for (std::uint64_t i = 0; i < field.nx(); ++i)
            links.setLinkX(i, j, ux);
    }
    for (std::uint64_t i = 0; i < field.nx(); ++i) {
        const Complex uy = unitPhase(-b * gridCoordinateX(field, i) * dy / 2.0);
        for (std::uint64_t j = 0; j < field.ny(); ++j)
            links.setLinkY(i, j, uy);
    }
    return true;
}

bool QuantumLandau2D::prepareInitialState(ComplexField2D& field, const LandauConfig& config, double mass, double hbar,
                                          std::string* error)
{
    if (field.empty())
        return failAnalysisIfEmpty(error, kStateEmpty);
    if (const char* fault = configFault(config))
        return failAnalysisIfEmpty(error, fault);
    if (std::fabs(config.fieldStrength) < kMinimumField)
        return failAnalysisIfEmpty(error, kStateZeroField);
    if (!isFinitePositive(mass) || !isFinitePositive(hbar))
        return failAnalysisIfEmpty(error, kStateUnits);
    const double lB = magneticLength(config);

    if (config.preparationMode == 1) {
        const auto n = static_cast<std::int32_t>(config.landauIndex);
        const double twoLB2 = 2.0 * lB * lB;
        for (std::uint64_t j = 0; j < field.ny(); ++j) {
            const double y = gridCoordinateY(field, j);
            for (std::uint64_t i = 0; i < field.nx(); ++i) {
                const double x = gridCoordinateX(field, i);
                const double u = (x * x + y * y) / twoLB2;
                field.at(i, j) = Complex(static_cast<float>(laguerrePolynomial(n, u) * std::exp(-0.5 * u)), 0.0f);
            }
        }
        if (!field.normalize())
            return failAnalysisIfEmpty(error, kStateNormalisation);
        return true;
    }

    // The canonical momentum hbar b R / 2 along y at (-R, 0) has the
    // mechanical part p_y - q A_y = hbar b R / 2 + hbar b R / 2 = hbar b R.
    GaussianPacket2D packet;
    packet.x0 = static_cast<float>(-config.orbitRadius);
    packet.y0 = 0.0f;
    packet.sigma = static_cast<float>(lB);
    packet.px = 0.0f;
    packet.py = static_cast<float>(hbar * config.fieldStrength * config.orbitRadius / 2.0);
    packet.hbar = static_cast<float>(hbar);
    try {
        GaussianPacket2D::prepare(field, packet);
    } catch (const std::exception&) {
        return failAnalysisIfEmpty(error, kPacketFailed);
    }
    return true;
}

double QuantumLandau2D::cyclotronFrequency(const LandauConfig& config, double mass, double hbar)
{
    if (!(mass > 0.0) || !(hbar > 0.0))
        return 0.0;
    return std::fabs(config.fieldStrength) * hbar / mass;
}

double QuantumLandau2D::magneticLength(const LandauConfig& config)
{
    const double b = std::fabs(config.fieldStrength);
    if (b == 0.0)
        return 0.0;
    return 1.0 / std::sqrt(b);
}

double QuantumLandau2D::levelEnergy(const LandauConfig& config, double mass, double hbar)
{
    return (static_cast<double>(config.landauIndex) + 0.5) * hbar * cyclotronFrequency(config, mass, hbar);
}

double laguerrePolynomial(std::int32_t n, double x)
{
    if (n <= 0)
        return 1.0;
    double previous = 1.0;    // L_0
    double current = 1.0 - x; // L_1
    for (std::int32_t k = 2; k <= n; ++k) {
        const double next = ((2.0 * k - 1.0 - x) * current - (k - 1.0) * previous) / k;
        previous = current;
        current = next;
    }
    return current;
}

double gaugeKineticEnergy(const ComplexField2D& field, const GaugeLinkField2D& links, double mass, double hbar)
{
    // The energy observables hold the one covariant kinetic operator, so the
    // Landau page and every other energy read agree.
    return EnergyObservables2D::gaugeKineticIntegral(field, links, hbar, mass);
}

} // namespace vxo
