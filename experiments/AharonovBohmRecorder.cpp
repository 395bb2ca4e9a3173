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

    // Band of w = max(ceil(0.35 / dy), 1) rows on each side of row ny/2; w is
    // bounded by ny in floating point first, so a tiny dy cannot overflow the
    // conversion (and a NaN falls back to one row).
    const double rawRows = std::ceil(kCentralHalfWidth / dy);
    const double halfWidthRows = rawRows >= 1.0 ? std::min(rawRows, static_cast<double>(ny)) : 1.0;
    const std::uint64_t w = static_cast<std::uint64_t>(halfWidthRows);
    const std::uint64_t middle = ny / 2;
    const std::uint64_t first = middle > w ? middle - w : 0;
    const std::uint64_t last = std::min(middle + w, ny - 1);
    double central = 0.0;
    for (std::uint64_t j = first; j <= last; ++j)
        central += static_cast<double>(sample.profile[j]) * dy;
    sample.centralProbability = central;

    appendBounded(samples_, std::move(sample), static_cast<std::size_t>(capacity_));
}

} // namespace vxo
