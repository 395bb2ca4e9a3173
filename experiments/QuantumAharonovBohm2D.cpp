#include "experiments/QuantumAharonovBohm2D.h"

#include "core/Numeric.h"
#include "core/PhaseFactors.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace vxo {

namespace {

constexpr const char* kNotFinite = "Aharonov-Bohm parameters must be finite.";
constexpr const char* kGeometry = "Aharonov-Bohm radius, barrier and analysis time are invalid.";
constexpr const char* kFlux = "Aharonov-Bohm flux magnitude is unreasonably large.";
constexpr const char* kEmptyField = "Aharonov-Bohm reference field is empty.";
constexpr const char* kBuildFailed = "Aharonov-Bohm field could not be allocated.";

const char* configFault(const AharonovBohmConfig& c)
{
    if (!isFinite(c.solenoidX) || !isFinite(c.solenoidY) || !isFinite(c.solenoidRadius) || !isFinite(c.fluxQuanta) ||
        !isFinite(c.barrierHeight) || !isFinite(c.detectorX) || !isFinite(c.analysisEndTime))
        return kNotFinite;
    if (!(c.solenoidRadius > 0.05) || !(c.barrierHeight >= 0.0) || !(c.analysisEndTime > 0.0))
        return kGeometry;
    if (std::fabs(c.fluxQuanta) > 20.0)
        return kFlux;
    return nullptr;
}

} // namespace

bool QuantumAharonovBohm2D::validateConfiguration(const AharonovBohmConfig& config, std::string* error)
{
    if (const char* fault = configFault(config))
        return failAnalysis(error, fault);
    return true;
}

bool QuantumAharonovBohm2D::paintSolenoid(const ComplexField2D& field, const AharonovBohmConfig& config,
                                          PotentialField2D& potential, std::string* error)
{
    if (field.empty())
        return failAnalysisIfEmpty(error, kEmptyField);
    if (const char* fault = configFault(config))
        return failAnalysisIfEmpty(error, fault);
    try {
        potential.reset(field.nx(), field.ny(), field.dx(), field.dy());
        potential.fill(0.0f);
        potential.addCircle(static_cast<float>(config.solenoidX), static_cast<float>(config.solenoidY),
                            static_cast<float>(config.solenoidRadius), static_cast<float>(config.barrierHeight));
    } catch (const std::exception&) {
        return failAnalysisIfEmpty(error, kBuildFailed);
    }
    return true;
}

bool QuantumAharonovBohm2D::sameLinks(const AharonovBohmConfig& a, const AharonovBohmConfig& b)
{
    return a.solenoidX == b.solenoidX && a.solenoidY == b.solenoidY && a.solenoidRadius == b.solenoidRadius &&
           a.fluxQuanta == b.fluxQuanta;
}

bool QuantumAharonovBohm2D::buildField(const ComplexField2D& field, const AharonovBohmConfig& config,
                                       PotentialField2D& potential, GaugeLinkField2D& links, std::string* error)
{
    if (!paintSolenoid(field, config, potential, error))
        return false;
    const std::uint64_t nx = field.nx();
    const std::uint64_t ny = field.ny();
    try {
        links.resize(nx, ny, field.dx(), field.dy());
    } catch (const std::exception&) {
        return failAnalysisIfEmpty(error, kBuildFailed);
    }

    const double dx = field.dx();
    const double dy = field.dy();
    const double F = config.fluxQuanta;
    const double R2 = config.solenoidRadius * config.solenoidRadius;
    for (std::uint64_t j = 0; j < ny; ++j) {
        const double y = gridCoordinateY(field, j) - config.solenoidY;
        for (std::uint64_t i = 0; i < nx; ++i) {
            const double x = gridCoordinateX(field, i) - config.solenoidX;
            const double rx2 = (x + 0.5 * dx) * (x + 0.5 * dx) + y * y;
            const double ry2 = x * x + (y + 0.5 * dy) * (y + 0.5 * dy);
            links.setLinkX(i, j, unitPhase(F * y * dx / std::max(R2, rx2)));
            links.setLinkY(i, j, unitPhase(-F * x * dy / std::max(R2, ry2)));
        }
    }
    return true;
}

void QuantumAharonovBohm2D::prepareInitialState(ComplexField2D& field, const AharonovBohmConfig& config)
{
    if (field.empty() || configFault(config) != nullptr || std::fabs(config.fluxQuanta) < 1e-15)
        return;
    const double F = config.fluxQuanta;
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const double y = gridCoordinateY(field, j) - config.solenoidY;
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            const double x = gridCoordinateX(field, i) - config.solenoidX;
            double theta = std::atan2(y, x);
            if (theta < 0.0)
                theta += 2.0 * kPi;
            const std::complex<double> dressed =
                std::complex<double>(field.at(i, j).real(), field.at(i, j).imag()) * std::polar(1.0, F * theta);
            field.at(i, j) = Complex(static_cast<float>(dressed.real()), static_cast<float>(dressed.imag()));
        }
    }
}

} // namespace vxo
