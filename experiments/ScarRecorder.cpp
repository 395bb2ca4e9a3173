#include "experiments/ScarRecorder.h"

#include "core/InterleavedSums.h"
#include "core/Numeric.h"
#include "core/OverlapSums2D.h"
#include "core/PositionMoments.h"
#include "experiments/RecorderSupport.h"

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {
// Weight of the first record, which has no previous time to measure from.
constexpr double kFirstRecordWeight = 1e-9;
} // namespace

ScarRecorder::ScarRecorder(std::uint64_t capacity) : capacity_(std::max<std::uint64_t>(capacity, 1)) {}

void ScarRecorder::reset()
{
    configured_ = false;
    initialField_ = ComplexField2D{};
    stadium_ = StadiumGeometry{};
    config_ = ScarConfig{};
    filterEnergy_ = 0.0;
    hbar_ = 1.0;
    samples_.clear();
    densitySum_.clear();
    projection_.clear();
    averagedDensity_.clear();
    spectralMap_.clear();
    mapsFormed_ = true;
    recordCount_ = 0;
    lastTime_ = 0.0;
    totalWeight_ = 0.0;
    hasLastTime_ = false;
}

bool ScarRecorder::configure(const ComplexField2D& field, const StadiumGeometry& stadium, const ScarConfig& config,
                             double filterEnergy, double hbar)
{
    reset();
    if (field.empty() || !stadium.valid || !(config.orbitBandHalfWidth > 0.0) || !isFinitePositive(filterEnergy) ||
        !isFinitePositive(hbar))
        return false;
    initialField_ = field;
    stadium_ = stadium;
    config_ = config;
    filterEnergy_ = filterEnergy;
    hbar_ = hbar;
    const std::size_t cells = static_cast<std::size_t>(field.size());
    densitySum_.assign(cells, 0.0);
    projection_.assign(cells, {0.0, 0.0});
    averagedDensity_.assign(cells, 0.0f);
    spectralMap_.assign(cells, 0.0f);
    configured_ = true;
    return true;
}

bool ScarRecorder::record(double t, const ComplexField2D& field)
{
    if (!configured_ || !QuantumScar2D::sameGrid(initialField_, field) || !isFinite(t))
        return false;

    double weight = kFirstRecordWeight;
    if (hasLastTime_) {
        const double elapsed = t - lastTime_;
        weight = elapsed > 0.0 && isFinite(elapsed) ? elapsed : 0.0;
    }
    lastTime_ = t;
    hasLastTime_ = true;

    const double theta = t * filterEnergy_ / hbar_;
    const std::complex<double> rotation(std::cos(theta), std::sin(theta));
    const Complex* psi = field.data();
    const std::uint64_t nx = field.nx();
    const double cellArea = static_cast<double>(field.dx()) * static_cast<double>(field.dy());
    // One pass over the grid: each row's sums are added to first, then its
    // inside cells give both enhancements, read in the order of
    // QuantumScar2D::densityEnhancement, so that each is that function's to
    // the bit without two more passes over the field and the projection.
    double densityTotal = 0.0, densityBand = 0.0, filteredTotal = 0.0, filteredBand = 0.0;
    // The return fidelity's overlap with psi(0) is summed row by row in the
    // same pass, while the row is at hand (the bits of innerProduct where
    // rows are a multiple of four cells long).
    overlapsum::Partials fidelity = {};
    QuantumScar2D::forEachInsideRun(
        field, stadium_, config_.orbitBandHalfWidth,
        [&](std::uint64_t j, std::uint64_t first, std::uint64_t last, bool inBand) {
            overlapsum::accumulate(initialField_.data() + j * nx, psi + j * nx, static_cast<std::size_t>(nx), fidelity);
            // The products written out in real arithmetic: a complex product's
            // check for NaN at every cell would keep the loop from running on
            // vectors, and the bits are those of std::complex for finite values.
            const double cr = rotation.real();
            const double ci = rotation.imag();
            for (std::uint64_t k = j * nx; k < (j + 1) * nx; ++k) {
                const double re = psi[k].real();
                const double im = psi[k].imag();
                densitySum_[k] += (re * re + im * im) * weight;
                projection_[k] += std::complex<double>((re * cr - im * ci) * weight, (re * ci + im * cr) * weight);
            }
            const std::uint64_t start = j * nx + first;
            const std::complex<double>* phi = projection_.data();
            const auto run = interleavedSums<2>(last - first, [psi, phi, start, cellArea](std::size_t c) {
                return std::array<double, 2>{cellProbability(psi[start + c], cellArea), std::norm(phi[start + c])};
            });
            densityTotal += run[0];
            filteredTotal += run[1];
            if (inBand) {
                densityBand += run[0];
                filteredBand += run[1];
            }
        });
    totalWeight_ += weight;
    ++recordCount_;

    mapsFormed_ = false;

    const double halfWidth = config_.orbitBandHalfWidth;
    ScarSample sample;
    sample.time = t;
    sample.fidelity = std::norm(overlapsum::close(fidelity).product * cellArea);
    sample.instantaneousEnhancement =
        QuantumScar2D::orbitBandEnhancement(densityBand, densityTotal, stadium_, halfWidth);
    sample.filteredEnhancement = QuantumScar2D::orbitBandEnhancement(filteredBand, filteredTotal, stadium_, halfWidth);
    appendBounded(samples_, sample, static_cast<std::size_t>(capacity_));
    return true;
}

const std::vector<float>& ScarRecorder::averagedDensity() const
{
    formMaps();
    return averagedDensity_;
}

const std::vector<float>& ScarRecorder::spectralMap() const
{
    formMaps();
    return spectralMap_;
}

void ScarRecorder::formMaps() const
{
    if (mapsFormed_)
        return;
    double peak = 0.0;
    for (const std::complex<double>& phi : projection_)
        peak = std::max(peak, std::norm(phi));
    for (std::size_t k = 0; k < densitySum_.size(); ++k) {
        averagedDensity_[k] = totalWeight_ > 0.0 ? static_cast<float>(densitySum_[k] / totalWeight_) : 0.0f;
        spectralMap_[k] = peak > 0.0 ? static_cast<float>(std::norm(projection_[k]) / peak) : 0.0f;
    }
    mapsFormed_ = true;
}

} // namespace vxo
