#include "experiments/AharonovBohmRecorder.h"

#include "core/Numeric.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <utility>

namespace vxo {

namespace {

// Half-width of the central band in physical units.
constexpr double kCentralHalfWidth = 0.35;

} // namespace

AharonovBohmRecorder::AharonovBohmRecorder(std::uint64_t capacity) : capacity_(capacity) {}

void AharonovBohmRecorder::reset()
{
    configured_ = false;
    config_ = AharonovBohmConfig{};
    rows_ = 0;
    rowSpacing_ = 1.0;
    samples_.clear();
}

bool AharonovBohmRecorder::configure(const ComplexField2D& field, const AharonovBohmConfig& config)
{
    reset();
    if (field.empty() || !QuantumAharonovBohm2D::validateConfiguration(config, nullptr))
        return false;
    config_ = config;
    rows_ = field.ny();
    rowSpacing_ = field.dy();
    configured_ = true;
    return true;
}

std::uint64_t AharonovBohmRecorder::detectorColumn(const ComplexField2D& field, double detectorX)
{
    if (field.empty())
        return 0;
    return nearestCellIndex(detectorX, field.nx(), field.dx(), 0, field.nx() - 1);
}

void AharonovBohmRecorder::record(double t, const ComplexField2D& field)
{
    if (!configured_ || field.empty() || field.ny() != rows_)
        return;
    const std::uint64_t ny = field.ny();
    const std::uint64_t column = detectorColumn(field, config_.detectorX);
    const double dy = field.dy();

    AharonovBohmSample sample;
    sample.time = t;
    sample.norm = field.norm();
    sample.profile.resize(ny);
    double probability = 0.0;
    double firstMoment = 0.0;
    for (std::uint64_t j = 0; j < ny; ++j) {
        const float p = std::norm(field.at(column, j));
        sample.profile[j] = p;
        probability += static_cast<double>(p) * dy;
        firstMoment += gridCoordinateY(field, j) * static_cast<double>(p) * dy;
    }
    sample.detectorProbability = probability;
    sample.detectorMeanY = probability > 1e-18 ? firstMoment / probability : 0.0;

    // The band |y| <= 0.35 about the centre line, whatever solenoidY, each
    // row weighted by the part of its cell inside: every grid sums over the
    // same strip, so a dark fringe, whose density rises as y^2 from the line,
    // reads alike on coarse and fine cells.
    double central = 0.0;
    for (std::uint64_t j = 0; j < ny; ++j) {
        const double y = gridCoordinateY(field, j);
        const double inside = std::min(y + 0.5 * dy, kCentralHalfWidth) - std::max(y - 0.5 * dy, -kCentralHalfWidth);
        if (inside > 0.0)
            central += static_cast<double>(sample.profile[j]) * inside;
    }
    sample.centralProbability = central;

    appendBounded(samples_, std::move(sample), static_cast<std::size_t>(capacity_));
}

} // namespace vxo
