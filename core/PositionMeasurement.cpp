#include "core/PositionMeasurement.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vxo {

namespace {
// |psi|^2 as a sampling weight: cells that are zero, NaN or infinite carry none,
// so that a few corrupt cells cannot poison the draw.
double weightOf(Complex v)
{
    const double re = v.real();
    const double im = v.imag();
    const double w = re * re + im * im;
    return isFinitePositive(w) ? w : 0.0;
}

// Four std::random_device words, then the request sizes as their low 32 bits.
std::vector<std::uint32_t> randomDeviceSeedWords(std::initializer_list<std::uint64_t> requestSizes)
{
    std::random_device device;
    std::vector<std::uint32_t> words;
    words.reserve(4 + requestSizes.size());
    for (int n = 0; n < 4; ++n)
        words.push_back(device());
    for (std::uint64_t size : requestSizes)
        words.push_back(static_cast<std::uint32_t>(size));
    return words;
}

bool usableTotal(double total) { return isFinitePositive(total); }
} // namespace

std::mt19937 randomDeviceEngine(std::initializer_list<std::uint64_t> requestSizes)
{
    const std::vector<std::uint32_t> words = randomDeviceSeedWords(requestSizes);
    std::seed_seq sequence(words.begin(), words.end());
    return std::mt19937(sequence);
}

std::vector<MeasurementShot> sampleShotsFromDensity(const ComplexField2D& psi, std::uint64_t count,
                                                    std::mt19937& engine)
{
    std::vector<MeasurementShot> shots;
    if (psi.empty() || count == 0)
        return shots;
    std::vector<double> weights(psi.size());
    double total = 0.0;
    for (std::uint64_t k = 0; k < psi.size(); ++k) {
        weights[k] = weightOf(psi.data()[k]);
        total += weights[k];
    }
    if (!usableTotal(total))
        return shots;

    std::discrete_distribution<std::uint64_t> cells(weights.begin(), weights.end());
    shots.reserve(count);
    for (std::uint64_t n = 0; n < count; ++n) {
        const std::uint64_t k = cells(engine);
        const std::uint64_t i = k % psi.nx();
        const std::uint64_t j = k / psi.nx();
        shots.push_back({static_cast<float>(gridCoordinateX(psi, i)), static_cast<float>(gridCoordinateY(psi, j))});
    }
    return shots;
}

std::vector<MeasurementShot> samplePositionShots(const ComplexField2D& psi, std::uint64_t count)
{
    std::mt19937 engine = randomDeviceEngine({psi.nx(), psi.ny(), count});
    return sampleShotsFromDensity(psi, count, engine);
}

std::vector<MeasurementShot> samplePositionShotsSeeded(const ComplexField2D& psi, std::uint64_t count,
                                                       std::uint32_t seed)
{
    std::mt19937 engine(seed);
    return sampleShotsFromDensity(psi, count, engine);
}

std::vector<MeasurementShot> sampleDetectorScreenShotsSeeded(const ComplexField2D& psi, const DetectorScreen& screen,
                                                             std::uint64_t count, std::mt19937& engine)
{
    std::vector<MeasurementShot> shots;
    // A screen at a non-finite x has no nearest column and no line to put shots on.
    if (psi.empty() || count == 0 || !(screen.thickness > 0.0f) || !isFinite(screen.x))
        return shots;

    const double half = static_cast<double>(screen.thickness) / 2.0;
    std::vector<double> rowWeights(psi.ny(), 0.0);
    double total = 0.0;
    bool anyColumn = false;
    const auto addColumn = [&](std::uint64_t i) {
        for (std::uint64_t j = 0; j < psi.ny(); ++j) {
            const double w = weightOf(psi.at(i, j));
            rowWeights[j] += w;
            total += w;
        }
    };
    for (std::uint64_t i = 0; i < psi.nx(); ++i) {
        if (std::abs(gridCoordinateX(psi, i) - static_cast<double>(screen.x)) <= half) {
            anyColumn = true;
            addColumn(i);
        }
    }
    if (!anyColumn)
        addColumn(nearestCellIndex(screen.x, psi.nx(), psi.dx(), 0, psi.nx() - 1));
    if (!usableTotal(total))
        return shots;

    std::discrete_distribution<std::uint64_t> rows(rowWeights.begin(), rowWeights.end());
    shots.reserve(count);
    for (std::uint64_t n = 0; n < count; ++n)
        shots.push_back({screen.x, static_cast<float>(gridCoordinateY(psi, rows(engine)))});
    return shots;
}

std::vector<MeasurementShot> sampleDetectorScreenShotsSeeded(const ComplexField2D& psi, const DetectorScreen& screen,
                                                             std::uint64_t count, std::uint32_t seed)
{
    std::mt19937 engine(seed);
    return sampleDetectorScreenShotsSeeded(psi, screen, count, engine);
}

std::vector<MeasurementShot> sampleDetectorScreenShots(const ComplexField2D& psi, const DetectorScreen& screen,
                                                       std::uint64_t count)
{
    std::mt19937 engine = randomDeviceEngine({psi.nx(), psi.ny(), count});
    return sampleDetectorScreenShotsSeeded(psi, screen, count, engine);
}

std::vector<std::uint64_t> histogramShots(const std::vector<MeasurementShot>& shots, float lower, float upper,
                                          std::uint64_t bins)
{
    const float width = upper - lower;
    if (!(upper > lower) || bins == 0 || !std::isfinite(width))
        return {};
    std::vector<std::uint64_t> counts(bins, 0);
    const double binCount = static_cast<double>(bins);
    for (const MeasurementShot& shot : shots) {
        const double t = (static_cast<double>(shot.y) - static_cast<double>(lower)) / static_cast<double>(width);
        // Written so that a NaN position is skipped rather than turned into an index.
        if (!(t >= 0.0 && t <= 1.0))
            continue;
        const auto bin = static_cast<std::uint64_t>(std::floor(binCount * t));
        ++counts[std::min(bin, bins - 1)];
    }
    return counts;
}

PositionMeasurementResult measurePositionSeeded(ComplexField2D& psi, double sigma, std::uint32_t seed)
{
    PositionMeasurementResult result;
    result.sigma = sigma;
    result.normBefore = psi.norm();
    if (psi.empty() || !isFinitePositive(sigma) || !isFinitePositive(result.normBefore))
        return result;
    const std::vector<MeasurementShot> shot = samplePositionShotsSeeded(psi, 1, seed);
    if (shot.empty())
        return result;

    // Pointer noise from its own engine, so the reading does not depend on
    // how many numbers the position draw consumed.
    std::mt19937 noiseEngine(seed ^ 0x9e3779b9u);
    std::normal_distribution<double> noise(0.0, sigma);
    const double noiseX = noise(noiseEngine);
    const double noiseY = noise(noiseEngine);
    result.x = static_cast<float>(static_cast<double>(shot.front().x) + noiseX);
    result.y = static_cast<float>(static_cast<double>(shot.front().y) + noiseY);

    // Collapse into a copy: if the damped state cannot be renormalised the
    // measurement fails and psi must stay exactly as it was.
    ComplexField2D collapsed = psi;
    const double c = 1.0 / (4.0 * sigma * sigma);
    const double readingX = result.x;
    const double readingY = result.y;
    for (std::uint64_t j = 0; j < collapsed.ny(); ++j) {
        const double ey = gridCoordinateY(collapsed, j) - readingY;
        for (std::uint64_t i = 0; i < collapsed.nx(); ++i) {
            const double ex = gridCoordinateX(collapsed, i) - readingX;
            const float window = static_cast<float>(std::exp(-(ex * ex + ey * ey) * c));
            Complex& v = collapsed.at(i, j);
            v = Complex(v.real() * window, v.imag() * window);
        }
    }
    if (!collapsed.normalize())
        return result;
    const double normAfter = collapsed.norm();
    if (!isFinitePositive(normAfter))
        return result;
    psi = std::move(collapsed);
    result.normAfter = normAfter;
    result.ok = true;
    return result;
}

PositionMeasurementResult measurePosition(ComplexField2D& psi, double sigma)
{
    const std::vector<std::uint32_t> words = randomDeviceSeedWords({psi.nx(), psi.ny()});
    std::seed_seq sequence(words.begin(), words.end());
    std::uint32_t seed = 0;
    sequence.generate(&seed, &seed + 1);
    return measurePositionSeeded(psi, sigma, seed);
}

} // namespace vxo
