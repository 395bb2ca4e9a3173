#include "experiments/HallEdgeRecorder.h"
#include "experiments/QuantumHallEdge2D.h"

#include "core/GaussianPacket2D.h"
#include "core/PositionMoments.h"
#include "core/SplitStepFourierSolver2D.h"
#include "tests/experiments/CheckMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <string>
#include <tuple>

using namespace vxo;

namespace {

// Drift of <x> after t = 4 for the preset's launch with field b.
double driftAfterSkipping(double b)
{
    // 20.48 x 25.6 on 256 x 128 cells: unequal counts and unequal sides.
    ComplexField2D field(256, 128, 0.08f, 0.2f);
    HallEdgeConfig config;
    config.enabled = true;
    config.fieldStrength = b;
    PotentialField2D potential;
    GaugeLinkField2D links;
    EXPECT_TRUE(QuantumHallEdge2D::buildField(field, config, potential, links, nullptr));
    EXPECT_TRUE(QuantumHallEdge2D::prepareInitialState(field, config, 1.0, 1.0, nullptr));
    HallEdgeRecorder recorder(360);
    EXPECT_TRUE(recorder.configure(field, config));
    double mass = 0.0, moment = 0.0;
    for (std::uint64_t j = 0; j < field.ny(); ++j)
        for (std::uint64_t i = 0; i < field.nx(); ++i) {
            mass += std::norm(field.at(i, j));
            moment += gridCoordinateX(field, i) * std::norm(field.at(i, j));
        }
    EXPECT_NEAR(recorder.initialMeanX(), moment / mass, 1e-6) << "the prepared packet's mean x";
    recorder.record(0.0, field);
    EXPECT_NEAR(recorder.samples().front().drift, 0.0, 1e-9);
    EXPECT_NEAR(recorder.samples().front().meanY, -5.3, 1e-3);
    EXPECT_NEAR(recorder.samples().front().norm, 1.0, 1e-5); // cells of dx dy

    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{1.0f, 1.0f, 0.02f});
    for (int s = 1; s <= 200; ++s) {
        solver.stepWithGauge(field, potential, links);
        if (s % 5 == 0)
            recorder.record(solver.time(), field);
    }
    // The packet stays pressed against the edge.
    EXPECT_GT(recorder.samples().back().edgeProbability, 0.5);
    return recorder.samples().back().drift;
}

} // namespace

TEST(QuantumHallEdge2D, ValidationAndLaunchWindow)
{
    // Every rule from both sides, on an enabled config; a disabled one may
    // have no field but not one beyond 4.
    using test::closedRange;
    using test::finiteOnly;
    using test::justAbove;
    using test::justBelow;
    using Rule = test::ValueRule<HallEdgeConfig>;
    const std::string finite = "Quantum Hall edge parameters must be finite.";
    const std::string fieldRange = "Enabled Hall field magnitude must be in [0.02,4].";
    const std::string geometry = "Quantum Hall edge geometry or analysis range is invalid.";
    const std::string launch = "Hall packet must launch just inside the accessible side of the edge.";
    HallEdgeConfig config;
    config.enabled = true;
    const double lowestLaunch = config.edgeY + 0.2;
    const double highestLaunch = config.edgeY + 10.0;
    std::vector<Rule> rules = test::magneticFieldRules<HallEdgeConfig>(fieldRange);
    rules.insert(
        rules.end(),
        {
            closedRange<HallEdgeConfig>(
                "wallHeight", [](HallEdgeConfig& c, double v) { c.wallHeight = v; }, 0.0, 2000.0, geometry),
            closedRange<HallEdgeConfig>(
                "orbitRadius", [](HallEdgeConfig& c, double v) { c.orbitRadius = v; }, 0.3, 15.0, geometry),
            closedRange<HallEdgeConfig>(
                "packetSigma", [](HallEdgeConfig& c, double v) { c.packetSigma = v; }, 0.2, 5.0, geometry),
            closedRange<HallEdgeConfig>(
                "edgeBand", [](HallEdgeConfig& c, double v) { c.edgeBand = v; }, 0.2, 12.0, geometry),
            closedRange<HallEdgeConfig>(
                "analysisEndTime", [](HallEdgeConfig& c, double v) { c.analysisEndTime = v; }, 0.1, 100.0, geometry),
            {"launchY",
             [](HallEdgeConfig& c, double v) { c.launchY = v; },
             {justAbove(lowestLaunch), justBelow(highestLaunch)},
             {lowestLaunch, highestLaunch},
             launch},
        });
    for (auto [name, field] :
         {std::pair{"fieldStrength", &HallEdgeConfig::fieldStrength}, std::pair{"edgeY", &HallEdgeConfig::edgeY},
          std::pair{"wallHeight", &HallEdgeConfig::wallHeight}, std::pair{"launchY", &HallEdgeConfig::launchY},
          std::pair{"orbitRadius", &HallEdgeConfig::orbitRadius},
          std::pair{"packetSigma", &HallEdgeConfig::packetSigma}, std::pair{"edgeBand", &HallEdgeConfig::edgeBand},
          std::pair{"analysisEndTime", &HallEdgeConfig::analysisEndTime}})
        rules.push_back(finiteOnly<HallEdgeConfig>(
            name, [field = field](HallEdgeConfig& c, double v) { c.*field = v; }, finite));
    test::expectValueRules(QuantumHallEdge2D::validateConfiguration, config, rules);

    ComplexField2D field(32, 32, 0.5f, 0.5f);
    std::string error;
    EXPECT_FALSE(QuantumHallEdge2D::prepareInitialState(field, config, -1.0, 1.0, &error));
    EXPECT_EQ(error, "Hall state requires positive mass/hbar and non-zero B.");

    // The launch's wave number k = p_x / hbar = b (R - y_0 / 2) is the same for every hbar.
    const double k = config.fieldStrength * (config.orbitRadius - config.launchY / 2.0);
    for (double hbar : {1.0, 0.5}) {
        ComplexField2D launched(64, 48, 0.25f, 0.3f);
        ASSERT_TRUE(QuantumHallEdge2D::prepareInitialState(launched, config, 2.0, hbar, nullptr)) << "hbar " << hbar;
        const std::uint64_t i = 32;
        const auto j = static_cast<std::uint64_t>(std::lround(config.launchY / 0.3 + 23.5)); // the launch row
        const std::complex<double> here(launched.at(i, j));
        EXPECT_NEAR(std::arg(std::complex<double>(launched.at(i + 1, j)) / here), k * 0.25, 1e-4) << "hbar " << hbar;
    }

    // The recorder turns away an empty field and a refused configuration, each on its own.
    HallEdgeRecorder recorder(4);
    HallEdgeConfig refused = config;
    refused.edgeBand = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(recorder.configure(field, refused));
    EXPECT_FALSE(recorder.isConfigured());
    EXPECT_FALSE(recorder.configure(ComplexField2D{}, config));
    EXPECT_FALSE(recorder.isConfigured());
    EXPECT_TRUE(recorder.configure(field, config));
}

TEST(QuantumHallEdge2D, WallFillsTheStripBelowTheEdge)
{
    // Rows from y = -7.75 to 7.75; more columns than rows, so the wall must
    // span the grid's own width nx dx = 15, not ny dx.
    ComplexField2D field(40, 32, 0.375f, 0.5f);
    HallEdgeConfig config;
    config.edgeY = -4.0;
    config.launchY = -2.0;
    PotentialField2D potential;
    GaugeLinkField2D links;
    ASSERT_TRUE(QuantumHallEdge2D::buildField(field, config, potential, links, nullptr));
    EXPECT_TRUE(links.matches(field));
    EXPECT_TRUE(potential.matches(field));
    for (std::uint64_t j = 0; j < field.ny(); ++j) {
        const float expected = gridCoordinateY(field, j) <= -4.0 ? 120.0f : 0.0f;
        for (std::uint64_t i = 0; i < field.nx(); ++i)
            EXPECT_EQ(potential.valueAt(i, j), expected) << "cell (" << i << ", " << j << ")";
    }

    // An edge below the grid, or a zero wall, leaves the potential empty.
    for (auto [edge, height] : {std::pair{-9.0, 120.0}, std::pair{-4.0, 0.0}}) {
        config.edgeY = edge;
        config.launchY = edge + 2.0;
        config.wallHeight = height;
        ASSERT_TRUE(QuantumHallEdge2D::buildField(field, config, potential, links, nullptr));
        EXPECT_EQ(potential.maxValue(), 0.0f);
    }
}

TEST(QuantumHallEdge2D, SkippingOrbitIsChiral)
{
    const double forward = driftAfterSkipping(0.45);
    const double reversed = driftAfterSkipping(-0.45);
    // For b > 0 the packet is launched along +x and skips on along +x; the
    // opposite field sends it the other way.
    EXPECT_GT(forward, 1.0);
    EXPECT_LT(forward * reversed, 0.0);
    EXPECT_NEAR(forward, -reversed, 0.2 * std::fabs(forward));
}

// Means and strip share are per unit norm with the norm held at 1e-18 or
// above, and the starting <x> counts only above it: a packet at x = 2.5 of
// norm 4e-18 reads as itself; one of norm 2.5e-19 starts at <x> = 0 and
// reads its moments scaled by its norm / 1e-18.
TEST(HallEdgeRecorder, NormFloorOfTheSampleRatios)
{
    HallEdgeConfig config;
    config.enabled = true;
    ComplexField2D packet(128, 96, 0.2f, 0.25f);
    GaussianPacket2D::prepare(packet, GaussianPacket2D{2.5f, -6.0f, 0.8f, 1.0f, 0.0f});
    for (const auto& [norm, scale, start] : {std::tuple{4e-18, 1.0, 2.5}, {2.5e-19, 0.25, 0.0}}) {
        ComplexField2D faint = packet;
        const float factor = static_cast<float>(std::sqrt(norm / packet.norm()));
        for (std::uint64_t c = 0; c < faint.size(); ++c)
            faint.data()[c] *= factor;
        HallEdgeRecorder recorder(2);
        ASSERT_TRUE(recorder.configure(faint, config));
        recorder.record(0.0, faint);
        const HallEdgeSample& s = recorder.samples().back();
        EXPECT_NEAR(s.norm, norm, 1e-5 * norm) << "norm " << norm;
        EXPECT_NEAR(s.meanX, 2.5 * scale, 1e-3) << "norm " << norm;
        EXPECT_NEAR(s.meanY, -6.0 * scale, 1e-3) << "norm " << norm;
        EXPECT_NEAR(s.drift, 2.5 * scale - start, 1e-3) << "norm " << norm;
        // The strip -8 <= y <= -4 holds 98.8 % of a packet of width 0.8 at y = -6.
        EXPECT_NEAR(s.edgeProbability, std::erf(2.0 / (0.8 * std::sqrt(2.0))) * scale, 2e-3) << "norm " << norm;
    }
}
