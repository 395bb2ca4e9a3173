#pragma once

#include "core/ComplexField2D.h"

#include <cstdint>
#include <initializer_list>
#include <random>
#include <vector>

namespace vxo {

// One simulated detection, in physical coordinates.
struct MeasurementShot {
    float x = 0.0f;
    float y = 0.0f;
};

// A vertical screen line x = const fed by the columns within thickness / 2 of it.
struct DetectorScreen {
    float x = 0.0f;
    float thickness = 0.0f;
};

struct PositionMeasurementResult {
    bool ok = false;
    float x = 0.0f; // pointer reading
    float y = 0.0f;
    double sigma = 0.0;      // resolution used
    double normBefore = 0.0; // norm of psi before the measurement
    double normAfter = 0.0;  // norm after renormalisation (0 on failure)
};

// A std::mt19937 seeded through std::seed_seq from four std::random_device
// words followed by the sizes of the request (each as its low 32 bits), so
// that unseeded draws differ from run to run and from request to request.
std::mt19937 randomDeviceEngine(std::initializer_list<std::uint64_t> requestSizes);

// Position shots drawn from |psi|^2 over the whole grid, each exactly at a
// cell centre, without changing psi. Cells whose density is zero or not finite
// carry no weight; an empty field, a zero count or a field without usable
// weight gives no shots.
std::vector<MeasurementShot> sampleShotsFromDensity(const ComplexField2D& psi, std::uint64_t count,
                                                    std::mt19937& engine);
std::vector<MeasurementShot> samplePositionShots(const ComplexField2D& psi, std::uint64_t count);
std::vector<MeasurementShot> samplePositionShotsSeeded(const ComplexField2D& psi, std::uint64_t count,
                                                       std::uint32_t seed);

// Shots on a detector screen: rows drawn from the density summed over the
// columns within the screen band (the nearest column when the band holds
// none); every shot lies on the screen line. No shots for a thickness that is
// not > 0, a screen position that is not finite, or a band without
// probability.
std::vector<MeasurementShot> sampleDetectorScreenShotsSeeded(const ComplexField2D& psi, const DetectorScreen& screen,
                                                             std::uint64_t count, std::mt19937& engine);
std::vector<MeasurementShot> sampleDetectorScreenShotsSeeded(const ComplexField2D& psi, const DetectorScreen& screen,
                                                             std::uint64_t count, std::uint32_t seed);
std::vector<MeasurementShot> sampleDetectorScreenShots(const ComplexField2D& psi, const DetectorScreen& screen,
                                                       std::uint64_t count);

// Counts of the shots' y coordinates in bins equal parts of [lower, upper]
// (upper itself in the last bin); shots outside the range, or with a y that is
// not finite, are skipped. Empty unless upper > lower, the span is finite and
// bins > 0.
std::vector<std::uint64_t> histogramShots(const std::vector<MeasurementShot>& shots, float lower, float upper,
                                          std::uint64_t bins);

// Single-system position measurement with a Gaussian pointer of resolution
// sigma: a position r0 is drawn from |psi|^2, the reading is r = r0 + noise
// with noise ~ N(0, sigma^2) per axis, and psi collapses to
//   psi(r') exp(-|r' - r|^2 / (4 sigma^2)) / norm,
// a window of standard deviation sigma in probability. The collapse is kept
// only when the product can be renormalised; otherwise ok is false and psi is
// left exactly as it was.
PositionMeasurementResult measurePositionSeeded(ComplexField2D& psi, double sigma, std::uint32_t seed);
PositionMeasurementResult measurePosition(ComplexField2D& psi, double sigma);

} // namespace vxo
