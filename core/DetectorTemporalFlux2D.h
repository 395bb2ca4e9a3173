#pragma once

#include "core/ComplexField2D.h"
#include "core/PositionMeasurement.h"

#include <cstdint>
#include <vector>

namespace vxo {

// Expected and observed arrival distributions over the same bins, and their
// total-variation distance 0.5 sum |expected - observed| (-1 when either is
// missing).
struct DetectorShotComparison {
    std::vector<double> expected;
    std::vector<double> observed;
    double distance = -1.0;
    bool expectedValid = false;
    bool observedValid = false;
};

// Time-integrating detector on the vertical line x = X. After each step of
// length dt it adds, per grid row, the forward part of the probability
// current through the line,
//   rows[j] += max(<J_x>_band(j), 0) dt,   total += sum_j max(...) dt dy,
// with <J_x>_band the central-difference current averaged over the detector
// columns. rows[j] is thus the arrival probability per unit length at y_j
// accumulated over the run, and total the probability that has crossed the
// line forwards (backward flux is never subtracted).
class DetectorTemporalFlux2D {
public:
    // Adds one step. Starts afresh when the grid or the line (by more than
    // 1e-6) has changed. An empty psi or a line that is not finite adds nothing.
    void accumulate(const ComplexField2D& psi, float hbar, float mass, float dt, const DetectorScreen& screen);
    void reset();

    // Interior columns whose centre lies within max(dx, thickness)/2 of x; the
    // nearest interior column when none does. None for an empty psi, a grid
    // narrower than 3 columns, or an x that is not finite.
    static std::vector<std::uint64_t> detectorColumns(const ComplexField2D& psi, float x, float thickness);

    const std::vector<double>& rows() const { return rows_; }
    std::uint64_t ny() const { return ny_; }
    float x() const { return x_; }
    float rowSpacing() const { return dy_; }
    double totalFlux() const { return total_; }
    bool isEmpty() const;

    // Arrival positions on the detector line, rows drawn in proportion to
    // their accumulated flux; no shots while the detector is empty.
    std::vector<MeasurementShot> sampleArrivalShots(std::uint64_t count) const;
    std::vector<MeasurementShot> sampleArrivalShotsSeeded(std::uint64_t count, std::uint32_t seed, bool useSeed) const;

    // Scales the finite positive entries to sum 1 (others become 0); false
    // when the vector is empty or has nothing positive.
    static bool normalizeDistribution(std::vector<double>& values);
    // Per-row values summed into bins equal parts of the row range and
    // normalised; empty when that is impossible.
    static std::vector<double> normalizedDistribution(const std::vector<double>& rowValues, std::uint64_t bins);
    // The flux distribution against the histogram of the shots' y over the
    // same bins of the row-centre span.
    static DetectorShotComparison compareShots(const std::vector<double>& rowValues, float dy,
                                               const std::vector<MeasurementShot>& shots, std::uint64_t bins);

private:
    std::vector<double> rows_;
    std::uint64_t ny_ = 0;
    float dy_ = 0.0f;
    float x_ = 0.0f;
    double total_ = 0.0;
};

} // namespace vxo
