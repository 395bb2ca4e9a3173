#include "app/panels/RecorderPanelFigures.h"
#include "core/ComplexField2D.h"
#include "core/GaugeLinkField2D.h"
#include "core/GaussianPacket2D.h"
#include "core/PositionMoments.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace vxo {
namespace {

TEST(RecorderPanelFigures, TemporalPeaksAreRisingMaximaAboveTheFloorAfterTheOpening)
{
    struct Case {
        const char* what;
        std::vector<double> intensities; // sampled at t = 1, 2, 3, ...
        double openTime;
        std::uint64_t peaks;
    };
    const Case cases[] = {
        {"a plateau counts once, at its first sample", {0.1, 0.3, 0.3, 0.2}, 0.0, 1},
        {"two fringes", {0.1, 0.5, 0.2, 0.6, 0.1}, 0.0, 2},
        {"a maximum of exactly the floor is noise", {0.00005, 0.0001, 0.00005}, 0.0, 0},
        {"a maximum before the opening is not diffraction", {0.1, 0.5, 0.2, 0.1}, 2.5, 0},
        {"a maximum at the opening time counts", {0.1, 0.2, 0.5, 0.1}, 3.0, 1},
        {"the last sample has no successor", {0.1, 0.2, 0.3}, 0.0, 0},
        {"two samples hold no interior", {0.5, 0.1}, 0.0, 0},
    };
    for (const Case& c : cases) {
        std::vector<MoshinskySample> samples(c.intensities.size());
        for (std::size_t i = 0; i < samples.size(); ++i) {
            samples[i].time = static_cast<double>(i + 1);
            samples[i].detectorDensity = c.intensities[i];
        }
        EXPECT_EQ(temporalPeakCount(samples, c.openTime), c.peaks) << c.what;
    }
}

// Fringes of period 1.5 that fade, with the fast ripple of the released
// edge (period 0.11, a twentieth of the fringes' height) on top: the count is
// the number of fringes, whether the signal is sampled every 0.015 or twice
// as sparsely, every 0.02 or every 0.04. Plain local maxima counted 11 and 26
// of the same signal.
TEST(RecorderPanelFigures, TemporalPeaksCountTheFringesWhateverTheSampling)
{
    const auto intensity = [](double t, double ripple) {
        return 0.06 + 0.012 * std::exp(-t / 4.0) * std::cos(2.0 * 3.141592653589793 * (t - 2.0) / 1.5) +
               ripple * std::sin(2.0 * 3.141592653589793 * t / 0.11 + 0.4);
    };
    // Maxima of the fringes inside (0.5, 6): t = 2.0, 3.5, 5.0 (the one at
    // 0.5 sits on the opening, where the signal only falls).
    const std::size_t fringes = 3;
    for (const double ripple : {0.0, 0.003}) {
        for (const double stride : {0.015, 0.02}) {
            std::uint64_t counts[2];
            for (int sparse = 0; sparse < 2; ++sparse) {
                std::vector<MoshinskySample> samples;
                for (double t = 0.0; t <= 6.0 + 1e-9; t += stride * (sparse + 1)) {
                    MoshinskySample sample;
                    sample.time = t;
                    sample.detectorDensity = intensity(t, ripple);
                    samples.push_back(sample);
                }
                counts[sparse] = temporalPeakCount(samples, 0.5);
            }
            EXPECT_EQ(counts[0], fringes) << "ripple " << ripple << ", every " << stride;
            EXPECT_EQ(counts[1], counts[0]) << "ripple " << ripple << ", every " << 2 * stride;
        }
    }
}

// A packet passing the detector line: Gaussian pulses in time whose peak
// (at t = 3.3, height 0.4, the central band at a quarter of the line) lies
// between samples. Read at the passage's peak the three readings are the
// pulse's, whatever the stride and wherever the run ends after the peak; the
// last sample, on the falling flank at t = 5, is far below it. While the
// signal still rises, the last sample is the reading.
TEST(RecorderPanelFigures, DetectorReadingsAreThePassagePeakWhateverTheSampling)
{
    const auto pulse = [](double t, double height, double width) {
        return height * std::exp(-(t - 3.3) * (t - 3.3) / (2.0 * width * width));
    };
    for (const double stride : {0.1, 0.05, 0.13}) {
        for (const double end : {5.0, 4.1}) {
            std::vector<AharonovBohmSample> samples;
            for (double t = 0.0; t <= end + 1e-9; t += stride) {
                AharonovBohmSample s;
                s.time = t;
                s.detectorProbability = pulse(t, 0.4, 0.8);
                s.centralProbability = pulse(t, 0.1, 0.8);
                s.detectorMeanY = 0.2 + 0.01 * (t - 3.3);
                samples.push_back(s);
            }
            const DetectorPassage peak = detectorPassagePeak(samples);
            const std::string what = "every " + std::to_string(stride) + " to " + std::to_string(end);
            EXPECT_NEAR(peak.time, 3.3, 0.01) << what;
            EXPECT_NEAR(peak.detectorProbability, 0.4, 0.4 * 2e-3) << what;
            EXPECT_NEAR(peak.centralProbability, 0.1, 0.1 * 2e-3) << what;
            EXPECT_NEAR(peak.detectorMeanY, 0.2, 1e-3) << what;
            EXPECT_LT(samples.back().detectorProbability, 0.4 * (end > 4.5 ? 0.3 : 0.9)) << what;
        }
    }
    std::vector<AharonovBohmSample> rising(3);
    for (std::size_t i = 0; i < rising.size(); ++i) {
        rising[i].time = double(i);
        rising[i].detectorProbability = 0.1 * double(i + 1);
        rising[i].centralProbability = 0.01 * double(i + 1);
    }
    EXPECT_DOUBLE_EQ(detectorPassagePeak(rising).detectorProbability, 0.3);
    EXPECT_DOUBLE_EQ(detectorPassagePeak(rising).centralProbability, 0.03);
    EXPECT_EQ(detectorPassagePeak({}).detectorProbability, 0.0);
}

// The lag the Aharonov-Bohm page states is the one the magnetic step makes:
// a free packet (links of 1, no potential) on cells of either shape, moving
// along x or at an angle, covers 1 - lag of the exact p t / m.
TEST(RecorderPanelFigures, MagneticStepLagIsHowFarTheStepFallsBehind)
{
    struct Case {
        double kx, ky;
        std::uint64_t nx, ny;
        float dx, dy;
    };
    const Case cases[] = {
        {4.0, 0.0, 256, 64, 0.16f, 0.24f},  // the preset's packet across cells of 0.16
        {3.0, 2.5, 192, 160, 0.2f, 0.15f},  // at an angle, the axes lagging unequally
        {4.0, 0.0, 512, 32, 0.08f, 0.75f},  // half the cells: a quarter of the lag
    };
    for (const Case& c : cases) {
        ComplexField2D psi(c.nx, c.ny, c.dx, c.dy);
        GaussianPacket2D packet;
        packet.x0 = -4.0f;
        packet.y0 = c.ky > 0.0 ? -3.0f : 0.0f;
        packet.sigma = 2.2f;
        packet.px = static_cast<float>(c.kx);
        packet.py = static_cast<float>(c.ky);
        GaussianPacket2D::prepare(psi, packet);
        const PotentialField2D free(c.nx, c.ny, c.dx, c.dy);
        GaugeLinkField2D links;
        links.resize(c.nx, c.ny, c.dx, c.dy);
        SplitStepFourierSolver2D solver;
        const SplitStepParameters parameters; // hbar = m = 1
        solver.configure(parameters);
        const PositionMoments start = computePositionMoments(psi);
        constexpr int kSteps = 100;
        for (int s = 0; s < kSteps; ++s)
            solver.stepWithGauge(psi, free, links);
        const PositionMoments end = computePositionMoments(psi);
        const double travelled = std::hypot(end.meanX - start.meanX, end.meanY - start.meanY);
        const double exact = std::hypot(c.kx, c.ky) * kSteps * static_cast<double>(parameters.dt);
        const double lag = magneticStepSpeedLag(c.kx, c.ky, c.dx, c.dy);
        EXPECT_NEAR(travelled / exact, 1.0 - lag, 3e-3) << "k = (" << c.kx << ", " << c.ky << ") on cells of " << c.dx
                                                        << " x " << c.dy << ", lag " << lag;
    }
    EXPECT_EQ(magneticStepSpeedLag(0.0, 0.0, 0.16, 0.16), 0.0);
}

// A cyclotron packet's survival fidelity: a return of height 0.9 after the
// period 13.96 (a Gaussian peak between samples), on a steep flank after it.
// F and its time are the return's at every stride and end time past it;
// before half a period, and while it still rises, the last sample's, not yet
// seen as a return.
TEST(RecorderPanelFigures, LandauFidelityIsReadAtTheReturn)
{
    const double period = 2.0 * 3.141592653589793 / 0.45;
    const auto fidelity = [period](double t) {
        const double away = std::min(t, std::abs(t - period));
        return (t < period / 2 ? 1.0 : 0.9) * std::exp(-away * away / (2.0 * 0.6 * 0.6));
    };
    for (const double stride : {0.1, 0.07}) {
        for (const double end : {15.0, 14.6}) {
            std::vector<LandauSample> samples;
            for (double t = 0.0; t <= end + 1e-9; t += stride) {
                LandauSample s;
                s.time = t;
                s.fidelity = fidelity(t);
                samples.push_back(s);
            }
            const FidelityReturn back = returnFidelity(samples, period);
            EXPECT_NEAR(back.fidelity, 0.9, 0.9 * 2e-3) << "every " << stride << " to " << end;
            EXPECT_NEAR(back.time, period, 0.1 * stride) << "every " << stride << " to " << end;
            EXPECT_TRUE(back.seen);
            EXPECT_LT(samples.back().fidelity, 0.65) << "the end is on the flank";
        }
    }
    std::vector<LandauSample> early(2);
    early[0].time = 0.0;
    early[0].fidelity = 1.0;
    early[1].time = 3.0;
    early[1].fidelity = 0.2;
    EXPECT_EQ(returnFidelity(early, period).fidelity, 0.2) << "no return yet";
    EXPECT_EQ(returnFidelity(early, period).time, 3.0);
    EXPECT_FALSE(returnFidelity(early, period).seen);
    early.push_back(early.back());
    early.back().time = 8.0; // past half the period, still rising
    early.back().fidelity = 0.3;
    EXPECT_FALSE(returnFidelity(early, period).seen) << "still rising";
    EXPECT_EQ(returnFidelity({}, period).fidelity, 0.0);
}

TEST(RecorderPanelFigures, DiffractionOrdersArePairedAroundTheCentreAndZeroOutside)
{
    // Distinct powers of two show exactly which entries were summed.
    struct Case {
        std::vector<double> populations;
        std::int32_t centre;
        double zero, first, second;
    };
    const Case cases[] = {
        {{1, 2, 4, 8, 16, 32, 64, 128, 256}, 4, 16, 8 + 32, 4 + 64},
        {{1, 2, 4}, 1, 2, 1 + 4, 0},    // orders -1..1: no second pair
        {{1, 2, 4, 8}, 2, 4, 2 + 8, 0}, // +2 lies outside
        {{1, 2, 4}, 0, 1, 0, 0},        // -1 lies outside
        {{1, 2, 4}, 4, 0, 0, 0},        // centre outside the vector
    };
    for (const Case& c : cases) {
        const DiffractionOrderSums sums = diffractionOrderSums(c.populations, c.centre);
        const std::string what = "centre " + std::to_string(c.centre) + " of " + std::to_string(c.populations.size());
        EXPECT_EQ(sums.zero, c.zero) << what;
        EXPECT_EQ(sums.first, c.first) << what;
        EXPECT_EQ(sums.second, c.second) << what;
    }
}

TEST(RecorderPanelFigures, WordsChangeExactlyAtTheirBoundaries)
{
    const std::pair<const char*, const char*> cases[] = {
        {loschmidtStage(false, 10.0, 1.0), "FORWARD"},
        {loschmidtStage(true, 1.999, 1.0), "REVERSED / RETURNING"},
        {loschmidtStage(true, 2.0, 1.0), "ECHO ENDPOINT PASSED"},
        {kapitzaDiracStage(true, 5.0, 0.0), "LIGHT GRATING ON"},
        {kapitzaDiracStage(false, 0.5, 0.4), "BEFORE PULSE"},
        {kapitzaDiracStage(false, 0.5, 0.5), "FREE SEPARATION"},
        {backflowDirection(-1e-300), "BACKFLOW (-X)"},
        {backflowDirection(0.0), "forward (+X)"},
        {backflowDirection(-0.0), "forward (+X)"},
    };
    for (const auto& [word, expected] : cases)
        EXPECT_EQ(std::string(word), expected);

    BerrySample sample;
    sample.returnFidelity = 0.123456;
    sample.geometricPhase = -0.99 * 3.14159265358979323846; // -178.2 degrees
    EXPECT_EQ(berryPhaseText(sample), QStringLiteral("temporarily undefined (endpoint overlap too small)"));
    EXPECT_EQ(berryRowValue(sample), QStringLiteral("phase undefined   F=0.12346"));
    sample.phaseValid = 1;
    EXPECT_EQ(berryPhaseText(sample), QStringLiteral("-178.20 deg   |error from pi|=1.80 deg"));
    EXPECT_EQ(berryRowValue(sample), QStringLiteral("phase=-178.20 deg   F=0.12346"));
}

} // namespace
} // namespace vxo
