#include "core/DetectorTemporalFlux2D.h"

#include "core/Numeric.h"
#include "core/ProbabilityCurrent2D.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>
#include <stdexcept>

namespace vxo {

namespace {
// Bin of row r out of n rows when the row range is cut into bins equal parts;
// the last row falls into the last bin.
std::uint64_t binOfRow(std::uint64_t r, std::uint64_t n, std::uint64_t bins)
{
    if (n <= 1 || bins < 2)
        return 0;
    const double t = static_cast<double>(r) / static_cast<double>(n - 1) * static_cast<double>(bins);
    return std::min(static_cast<std::uint64_t>(std::floor(t)), bins - 1);
}
} // namespace

void DetectorTemporalFlux2D::accumulate(const ComplexField2D& psi, float hbar, float mass, float dt,
                                        const DetectorScreen& screen)
{
    if (psi.empty())
        return;
    if (!isFinitePositive(hbar))
        throw std::invalid_argument("DetectorTemporalFlux2D: hbar must be finite and positive");
    if (!isFinitePositive(mass))
        throw std::invalid_argument("DetectorTemporalFlux2D: mass must be finite and positive");
    if (!isFinitePositive(dt))
        throw std::invalid_argument("DetectorTemporalFlux2D: dt must be finite and positive");
    // A line at a non-finite x has no columns; storing it would also defeat
    // the restart test below, which compares positions.
    if (!isFinite(screen.x))
        return;

    const bool moved = std::abs(static_cast<double>(x_) - static_cast<double>(screen.x)) > 1e-6;
    if (ny_ != psi.ny() || dy_ != psi.dy() || moved) {
        rows_.assign(psi.ny(), 0.0);
        ny_ = psi.ny();
        dy_ = psi.dy();
        x_ = screen.x;
        total_ = 0.0;
    }

    const std::vector<std::uint64_t> columns = detectorColumns(psi, screen.x, screen.thickness);
    if (columns.empty() || ny_ < 3)
        return;

    const double k = static_cast<double>(hbar) / static_cast<double>(mass);
    const double a = 1.0 / (2.0 * static_cast<double>(psi.dx()));
    const double dtd = dt;
    const double dyd = psi.dy();
    const double columnCount = static_cast<double>(columns.size());
    double stepSum = 0.0;
    for (std::uint64_t j = 1; j + 1 < ny_; ++j) {
        double sum = 0.0;
        for (std::uint64_t i : columns) {
            const std::complex<double> derivative = (widen(psi.at(i + 1, j)) - widen(psi.at(i - 1, j))) * a;
            sum += ProbabilityCurrent2D::component(widen(psi.at(i, j)), derivative, k);
        }
        const double forward = std::max(sum / columnCount, 0.0);
        if (isFinitePositive(forward)) {
            rows_[j] += forward * dtd;
            stepSum += dyd * forward * dtd;
        }
    }
    total_ += stepSum;
}

void DetectorTemporalFlux2D::reset()
{
    rows_.clear();
    ny_ = 0;
    dy_ = 0.0f;
    x_ = 0.0f;
    total_ = 0.0;
}

std::vector<std::uint64_t> DetectorTemporalFlux2D::detectorColumns(const ComplexField2D& psi, float x, float thickness)
{
    std::vector<std::uint64_t> columns;
    if (psi.empty() || !isFinite(x))
        return columns;
    const std::uint64_t nx = psi.nx();
    const double dx = psi.dx();
    // The band is never narrower than one cell, so a thin line still finds
    // the columns within dx/2 of it (a NaN thickness counts as thin).
    const double half = (static_cast<double>(thickness) > dx ? static_cast<double>(thickness) : dx) / 2.0;
    // Boundary columns are left out: their current needs both neighbours.
    for (std::uint64_t i = 1; i + 1 < nx; ++i) {
        if (std::abs(cellCentre(i, nx, dx) - static_cast<double>(x)) <= half)
            columns.push_back(i);
    }
    if (columns.empty() && nx >= 3)
        columns.push_back(nearestCellIndex(x, nx, dx, 1, nx - 2));
    return columns;
}

bool DetectorTemporalFlux2D::isEmpty() const { return rows_.empty() || ny_ == 0 || !(dy_ > 0.0f) || !(total_ > 0.0); }

std::vector<MeasurementShot> DetectorTemporalFlux2D::sampleArrivalShots(std::uint64_t count) const
{
    return sampleArrivalShotsSeeded(count, 0, false);
}

std::vector<MeasurementShot> DetectorTemporalFlux2D::sampleArrivalShotsSeeded(std::uint64_t count, std::uint32_t seed,
                                                                              bool useSeed) const
{
    std::vector<MeasurementShot> shots;
    if (count == 0 || isEmpty())
        return shots;
    std::vector<double> weights(rows_.size(), 0.0);
    double total = 0.0;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        if (isFinitePositive(rows_[r])) {
            weights[r] = rows_[r];
            total += rows_[r];
        }
    }
    if (!isFinitePositive(total))
        return shots;

    std::mt19937 engine = useSeed ? std::mt19937(seed) : randomDeviceEngine({count, rows_.size()});
    std::discrete_distribution<std::uint64_t> draw(weights.begin(), weights.end());
    shots.reserve(count);
    for (std::uint64_t n = 0; n < count; ++n)
        shots.push_back({x_, static_cast<float>(cellCentre(draw(engine), ny_, dy_))});
    return shots;
}

bool DetectorTemporalFlux2D::normalizeDistribution(std::vector<double>& values)
{
    if (values.empty())
        return false;
    double sum = 0.0;
    for (double& v : values) {
        if (!isFiniteNonNegative(v))
            v = 0.0;
        sum += v;
    }
    if (!isFinitePositive(sum))
        return false;
    const double scale = 1.0 / sum;
    for (double& v : values)
        v *= scale;
    return true;
}

std::vector<double> DetectorTemporalFlux2D::normalizedDistribution(const std::vector<double>& rowValues,
                                                                   std::uint64_t bins)
{
    if (bins == 0 || rowValues.empty())
        return {};
    std::vector<double> binned(bins, 0.0);
    const std::uint64_t n = rowValues.size();
    for (std::uint64_t r = 0; r < n; ++r) {
        if (isFinitePositive(rowValues[r]))
            binned[binOfRow(r, n, bins)] += rowValues[r];
    }
    if (!normalizeDistribution(binned))
        return {};
    return binned;
}

DetectorShotComparison DetectorTemporalFlux2D::compareShots(const std::vector<double>& rowValues, float dy,
                                                            const std::vector<MeasurementShot>& shots,
                                                            std::uint64_t bins)
{
    DetectorShotComparison comparison;
    // An infinite row spacing would make the span infinite and every bin
    // position NaN.
    if (bins == 0 || rowValues.empty() || !isFinitePositive(dy))
        return comparison;

    comparison.expected = normalizedDistribution(rowValues, bins);
    comparison.expectedValid = !comparison.expected.empty();

    // The row-centre span, binned exactly like the expected distribution, so
    // a shot drawn from row r lands in the bin of row r.
    comparison.observed.assign(bins, 0.0);
    const double hi = centreOffset(rowValues.size()) * static_cast<double>(dy);
    const double lo = -hi;
    const double binCount = static_cast<double>(bins);
    if (hi - lo > 0.0) {
        for (const MeasurementShot& shot : shots) {
            const double y = shot.y;
            // Also skips a NaN y.
            if (!(y >= lo && y <= hi))
                continue;
            const double t = std::clamp((y - lo) / (hi - lo), 0.0, 1.0);
            const auto bin = static_cast<std::uint64_t>(std::floor(binCount * t));
            comparison.observed[std::min(bin, bins - 1)] += 1.0;
        }
    }
    comparison.observedValid = normalizeDistribution(comparison.observed);
    if (!comparison.observedValid)
        comparison.observed.clear();

    if (comparison.expectedValid && comparison.observedValid) {
        double sum = 0.0;
        for (std::uint64_t b = 0; b < bins; ++b)
            sum += std::abs(comparison.expected[b] - comparison.observed[b]);
        comparison.distance = 0.5 * sum;
    }
    return comparison;
}

} // namespace vxo
