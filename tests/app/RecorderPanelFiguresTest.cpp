#include "app/RecorderPanelFigures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace vxo {
namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<MoshinskySample> detectorSeries(const std::vector<double>& times, const std::vector<double>& intensities)
{
    std::vector<MoshinskySample> samples(times.size());
    for (std::size_t i = 0; i < times.size(); ++i) {
        samples[i].time = times[i];
        samples[i].detectorDensity = intensities[i];
    }
    return samples;
}

TEST(RecorderPanelFigures, TemporalPeaksAreRisingMaximaAboveTheFloorAfterTheOpening)
{
    struct Case {
        const char* what;
        std::vector<double> times;
        std::vector<double> intensities;
        double openTime;
        std::uint64_t peaks;
    };
    const Case cases[] = {
        {"a plateau counts once, at its first sample", {1, 2, 3, 4}, {0.1, 0.3, 0.3, 0.2}, 0.0, 1},
        {"two fringes", {1, 2, 3, 4, 5}, {0.1, 0.5, 0.2, 0.6, 0.1}, 0.0, 2},
        {"a maximum of exactly the floor is noise", {1, 2, 3}, {0.00005, 0.0001, 0.00005}, 0.0, 0},
        {"a maximum before the opening is not diffraction", {1, 2, 3, 4}, {0.1, 0.5, 0.2, 0.1}, 2.5, 0},
        {"a maximum at the opening time counts", {1, 2, 3, 4}, {0.1, 0.2, 0.5, 0.1}, 3.0, 1},
        {"the last sample has no successor", {1, 2, 3}, {0.1, 0.2, 0.3}, 0.0, 0},
        {"two samples hold no interior", {1, 2}, {0.5, 0.1}, 0.0, 0},
        {"no samples", {}, {}, 0.0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(temporalPeakCount(detectorSeries(c.times, c.intensities), c.openTime), c.peaks) << c.what;
}

TEST(RecorderPanelFigures, DiffractionOrdersArePairedAroundTheCentreAndZeroOutside)
{
    // Distinct powers of two show exactly which entries were summed.
    struct Case {
        std::vector<double> populations;
        std::int32_t centre;
        double zero;
        double first;
        double second;
    };
    const Case cases[] = {
        {{1, 2, 4, 8, 16, 32, 64, 128, 256}, 4, 16, 8 + 32, 4 + 64},
        {{1, 2, 4}, 1, 2, 1 + 4, 0},          // orders -1..1: no second pair
        {{1, 2, 4, 8}, 2, 4, 2 + 8, 0},       // +2 lies outside
        {{1, 2, 4}, 0, 1, 0, 0},              // -1 lies outside
        {{1, 2, 4}, 4, 0, 0, 0},              // centre outside the vector
        {{}, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const DiffractionOrderSums sums = diffractionOrderSums(c.populations, c.centre);
        EXPECT_EQ(sums.zero, c.zero) << "centre " << c.centre << ", " << c.populations.size() << " orders";
        EXPECT_EQ(sums.first, c.first) << "centre " << c.centre << ", " << c.populations.size() << " orders";
        EXPECT_EQ(sums.second, c.second) << "centre " << c.centre << ", " << c.populations.size() << " orders";
    }
}

TEST(RecorderPanelFigures, EchoSampleIsTheNearestToTheEndpointAndTheEarliestOfATie)
{
    std::vector<LoschmidtSample> samples(5);
    const double times[] = {0.0, 0.5, 0.75, 1.25, 2.0};
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i].time = times[i];
    struct Case {
        double target;
        std::size_t index;
    };
    const Case cases[] = {{1.0, 2}, {1.2, 3}, {-3.0, 0}, {9.0, 4}, {0.6, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(nearestSampleIndex(samples, c.target), c.index) << "target " << c.target;
    EXPECT_EQ(nearestSampleIndex({}, 1.0), 0u);
}

TEST(RecorderPanelFigures, StageWordsChangeExactlyAtTheirBoundaries)
{
    struct Case {
        const char* stage;
        const char* expected;
    };
    const Case cases[] = {
        {loschmidtStage(false, 10.0, 1.0), "FORWARD"},
        {loschmidtStage(true, 1.999, 1.0), "REVERSED / RETURNING"},
        {loschmidtStage(true, 2.0, 1.0), "ECHO ENDPOINT PASSED"},
        {kapitzaDiracStage(true, 5.0, 0.0), "LIGHT GRATING ON"},
        {kapitzaDiracStage(false, 0.5, 0.4), "BEFORE PULSE"},
        {kapitzaDiracStage(false, 0.5, 0.5), "FREE SEPARATION"},
        {backflowDirection(-1e-300), "BACKFLOW (-X)"},
        {backflowDirection(0.0), "forward (+X)"},
        {backflowDirection(-0.0), "forward (+X)"},
        {backflowDirection(0.25), "forward (+X)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(c.stage), c.expected);
}

TEST(RecorderPanelFigures, BerryPhaseIsShownInDegreesWithItsDistanceFromPiOnlyWhenDefined)
{
    BerrySample sample;
    sample.returnFidelity = 0.123456;
    sample.geometricPhase = -0.99 * kPi; // -178.2 degrees
    sample.phaseValid = 0;
    EXPECT_EQ(berryPhaseText(sample), QStringLiteral("temporarily undefined (endpoint overlap too small)"));
    EXPECT_EQ(berryRowValue(sample), QStringLiteral("phase undefined   F=0.12346"));

    sample.phaseValid = 1;
    EXPECT_EQ(berryPhaseText(sample), QStringLiteral("-178.20 deg   |error from pi|=1.80 deg"));
    EXPECT_EQ(berryRowValue(sample), QStringLiteral("phase=-178.20 deg   F=0.12346"));
    sample.geometricPhase = 0.25 * kPi;
    EXPECT_EQ(berryPhaseText(sample), QStringLiteral("45.00 deg   |error from pi|=135.00 deg"));
}

TEST(RecorderPanelFigures, IndicativeDurationNeedsAValidMappingWithAPositiveTimeUnit)
{
    RealWorldScaleMapping scale;
    scale.timeUnit = 1e-3;
    EXPECT_EQ(indicativeDurationText(scale, 2.5), QStringLiteral("n/a")) << "mapping not valid";
    scale.valid = true;
    EXPECT_EQ(indicativeDurationText(scale, 2.5), QStringLiteral("2.5 ms"));
    scale.timeUnit = 0.0;
    EXPECT_EQ(indicativeDurationText(scale, 2.5), QStringLiteral("n/a")) << "time unit 0";
    scale.timeUnit = std::nan("");
    EXPECT_EQ(indicativeDurationText(scale, 2.5), QStringLiteral("n/a")) << "time unit NaN";
}

} // namespace
} // namespace vxo
