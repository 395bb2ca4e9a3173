#include "experiments/QuantumHallEdge2D.h"

#include "core/GaussianPacket2D.h"
#include "core/Numeric.h"
#include "experiments/QuantumLandau2D.h"
#include "experiments/SceneChecks.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace vxo {

namespace {

constexpr const char* kNotFinite = "Quantum Hall edge parameters must be finite.";
constexpr const char* kFieldRange = "Enabled Hall field magnitude must be in [0.02,4].";
constexpr const char* kGeometry = "Quantum Hall edge geometry or analysis range is invalid.";
constexpr const char* kLaunch = "Hall packet must launch just inside the accessible side of the edge.";
constexpr const char* kBuildEmpty = "Hall reference field is empty.";
constexpr const char* kWallAllocation = "Hall edge wall could not be allocated.";
constexpr const char* kStateEmpty = "Hall field is empty.";
constexpr const char* kStateUnits = "Hall state requires positive mass/hbar and non-zero B.";
constexpr const char* kPacketFailed = "Hall edge packet preparation failed.";

constexpr double kMinimumField = 0.02;

const char* configFault(const HallEdgeConfig& c)
{
    if (!isFinite(c.fieldStrength) || !isFinite(c.edgeY) || !isFinite(c.wallHeight) || !isFinite(c.launchY) ||
        !isFinite(c.orbitRadius) || !isFinite(c.packetSigma) || !isFinite(c.edgeBand) || !isFinite(c.analysisEndTime))
        return kNotFinite;
    const double b = std::fabs(c.fieldStrength);
    if (b > 4.0 || (c.enabled && b < kMinimumField))
        return kFieldRange;
    if (!inClosedRange(c.wallHeight, 0.0, 2000.0) || !inClosedRange(c.orbitRadius, 0.3, 15.0) ||
        !inClosedRange(c.packetSigma, 0.2, 5.0) || !inClosedRange(c.edgeBand, 0.2, 12.0) ||
        !inClosedRange(c.analysisEndTime, 0.1, 100.0))
        return kGeometry;
    if (!(c.launchY > c.edgeY + 0.2 && c.launchY < c.edgeY + 10.0))
        return kLaunch;
    return nullptr;
}

} // namespace

bool QuantumHallEdge2D::validateConfiguration(const HallEdgeConfig& config, std::string* error)
{
    if (const char* fault = configFault(config))
        return failAnalysis(error, fault);
    return true;
}

bool QuantumHallEdge2D::buildField(const ComplexField2D& field, const HallEdgeConfig& config,
                                   PotentialField2D& potential, GaugeLinkField2D& links, std::string* error)
{
    if (field.empty())
        return failAnalysisIfEmpty(error, kBuildEmpty);
    if (const char* fault = configFault(config))
        return failAnalysisIfEmpty(error, fault);
    LandauConfig landau;
    landau.enabled = config.enabled;
    landau.fieldStrength = config.fieldStrength;
    if (!QuantumLandau2D::buildSymmetricGauge(field, landau, links, error))
        return false;

    try {
        potential.reset(field.nx(), field.ny(), field.dx(), field.dy());
        potential.fill(0.0f);
        // The wall fills the whole strip between the grid's lower boundary
        // y_b (half a cell below row 0) and the edge.
        const double dy = field.dy();
        const double lowerBoundary = gridCoordinateY(field, 0) - 0.5 * dy;
        const double h = std::max(config.edgeY - lowerBoundary, 0.0);
        if (h > 0.0 && config.wallHeight > 0.0) {
            const double width = static_cast<double>(field.nx()) * static_cast<double>(field.dx());
            potential.addRectangle(0.0f, static_cast<float>(lowerBoundary + 0.5 * h), static_cast<float>(width),
                                   static_cast<float>(h), static_cast<float>(config.wallHeight));
        }
    } catch (const std::exception&) {
        return failAnalysisIfEmpty(error, kWallAllocation);
    }
    return true;
}

bool QuantumHallEdge2D::prepareInitialState(ComplexField2D& field, const HallEdgeConfig& config, double mass,
                                            double hbar, std::string* error)
{
    if (field.empty())
        return failAnalysisIfEmpty(error, kStateEmpty);
    if (const char* fault = configFault(config))
        return failAnalysisIfEmpty(error, fault);
    if (!isFinitePositive(mass) || !isFinitePositive(hbar) || !(std::fabs(config.fieldStrength) >= kMinimumField))
        return failAnalysisIfEmpty(error, kStateUnits);
    // Mechanical momentum p_x - q A_x = p_x - hbar b y_0 / 2 = hbar b R at y_0 = launchY.
    GaussianPacket2D packet;
    packet.x0 = 0.0f;
    packet.y0 = static_cast<float>(config.launchY);
    packet.sigma = static_cast<float>(config.packetSigma);
    packet.px = static_cast<float>(hbar * config.fieldStrength * (config.orbitRadius - config.launchY / 2.0));
    packet.py = 0.0f;
    packet.hbar = static_cast<float>(hbar);
    try {
        GaussianPacket2D::prepare(field, packet);
    } catch (const std::exception&) {
        return failAnalysisIfEmpty(error, kPacketFailed);
    }
    return true;
}

} // namespace vxo
