#include "experiments/AndersonRecorder.h"
#include "experiments/QuantumAnderson2D.h"

#include "core/Numeric.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "tests/experiments/PresetScenes.h"
#include "tests/experiments/CheckMessages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

using namespace vxo;

namespace {

using test::sceneOf;

PotentialObject gaussianSite(float x, float y, float value, float sigmaY = 0.45f)
{
    PotentialObject o = test::placedObject(PotentialObjectKind::Gaussian, value, x, y);
    o.sigmaX = 0.45f;
    o.sigmaY = sigmaY;
    return o;
}

// The guided lattice: 23 sites per lane at x = 1.6 i, i = -11..11; clean lane
// y = 4 of value -5, disordered lane y = -4 of value -5 (1 + 0.45 (2u - 1))
// with u from the 32-bit LCG s = 1664525 s + 1013904223 started at 0x31415926.
// Clean and disordered well of each i are added in turn.
std::vector<PotentialObject> presetLattice()
{
    std::vector<PotentialObject> objects;
    std::uint32_t s = 0x31415926u;
    for (int i = -11; i <= 11; ++i) {
        const auto x = static_cast<float>(i * 1.6);
        objects.push_back(gaussianSite(x, 4.0f, -5.0f));
        s = s * 1664525u + 1013904223u;
        const double u = static_cast<double>(s) / 4294967296.0;
        objects.push_back(gaussianSite(x, -4.0f, static_cast<float>(-5.0 * (1.0 + 0.45 * (2.0 * u - 1.0)))));
    }
    return objects;
}

// Two rows of n sites at spacing a from x = 0, the lower row disordered; the
// wells are taller (sigma_y 0.6) than wide (sigma_x 0.45).
std::vector<PotentialObject> rows(int cleanSites, int disorderedSites, double a = 1.6)
{
    std::vector<PotentialObject> objects;
    for (int i = 0; i < cleanSites; ++i)
        objects.push_back(gaussianSite(static_cast<float>(a * i), 4.0f, -5.0f, 0.6f));
    for (int i = 0; i < disorderedSites; ++i)
        objects.push_back(
            gaussianSite(static_cast<float>(a * i), -4.0f, -5.0f + 0.3f * static_cast<float>(i % 3), 0.6f));
    return objects;
}

std::string sceneMessage(const std::vector<PotentialObject>& objects)
{
    AndersonLattice lattice;
    const std::string error = test::refusalMessage(QuantumAnderson2D::analyzeScene, sceneOf(objects), lattice);
    EXPECT_FALSE(lattice.valid);
    EXPECT_TRUE(lattice.siteX.empty());
    return error;
}

AndersonLattice presetLatticeAnalysis()
{
    AndersonLattice lattice;
    std::string error;
    EXPECT_TRUE(QuantumAnderson2D::analyzeScene(sceneOf(presetLattice()), lattice, &error)) << error;
    return lattice;
}

const char* const kTwoRows = "QuantumAnderson2D: two equal Gaussian rows are required";

} // namespace

TEST(QuantumAnderson2D, RecognisesThePresetLatticeAndItsDisorder)
{
    const AndersonLattice lattice = presetLatticeAnalysis();
    ASSERT_TRUE(lattice.valid);
    EXPECT_DOUBLE_EQ(lattice.cleanRowY, 4.0);
    EXPECT_DOUBLE_EQ(lattice.disorderedRowY, -4.0);
    EXPECT_NEAR(lattice.spacing, 1.6, 1e-6);
    EXPECT_NEAR(lattice.siteSigmaX, 0.45, 1e-7);
    EXPECT_NEAR(lattice.siteSigmaY, 0.45, 1e-7);
    ASSERT_EQ(lattice.siteX.size(), 23u);
    EXPECT_NEAR(lattice.siteX.front(), -17.6, 1e-5);
    EXPECT_NEAR(lattice.siteX.back(), 17.6, 1e-5);
    EXPECT_DOUBLE_EQ(lattice.cleanMeanValue, -5.0);
    ASSERT_EQ(lattice.disorderedValues.size(), 23u);
    // The generator's first and last disordered wells, in site order.
    EXPECT_NEAR(lattice.disorderedValues.front(), -4.9118, 1e-4);
    EXPECT_NEAR(lattice.disorderedValues.back(), -3.0366, 1e-4);
    EXPECT_GT(lattice.disorderedValueStd, 0.01);

    // Each site width is read along its own axis.
    AndersonLattice tall;
    ASSERT_TRUE(QuantumAnderson2D::analyzeScene(sceneOf(rows(7, 7)), tall, nullptr));
    EXPECT_NEAR(tall.siteSigmaX, 0.45, 1e-7);
    EXPECT_NEAR(tall.siteSigmaY, 0.6, 1e-7);
}

TEST(QuantumAnderson2D, SceneFaultsAreReportedInOrder)
{
    std::vector<PotentialObject> thirteen = rows(7, 6);
    EXPECT_EQ(sceneMessage(thirteen), kTwoRows);
    std::vector<PotentialObject> oneDisabled = rows(7, 7);
    oneDisabled[3].enabled = false;
    EXPECT_EQ(sceneMessage(oneDisabled), kTwoRows);
    EXPECT_EQ(sceneMessage(rows(6, 6)), kTwoRows);
    EXPECT_EQ(sceneMessage(rows(7, 8)), kTwoRows);
    EXPECT_EQ(sceneMessage(rows(7, 9)), "QuantumAnderson2D: lattice rows must contain the same number of sites");

    // One enabled non-Gaussian object spoils even a good lattice; a disabled one does not.
    std::vector<PotentialObject> withRectangle = presetLattice();
    PotentialObject rectangle;
    rectangle.value = 10.0f;
    withRectangle.push_back(rectangle);
    EXPECT_EQ(sceneMessage(withRectangle), "QuantumAnderson2D: guided comparison expects Gaussian lattice sites only");
    withRectangle.back().enabled = false;
    AndersonLattice lattice;
    EXPECT_TRUE(QuantumAnderson2D::analyzeScene(sceneOf(withRectangle), lattice, nullptr));

    std::vector<PotentialObject> thirdRow = rows(7, 7);
    thirdRow[9].centerY += 2e-5f;
    EXPECT_EQ(sceneMessage(thirdRow), "QuantumAnderson2D: more than two Gaussian rows were found");

    std::vector<PotentialObject> shifted = rows(7, 7);
    shifted[10].centerX += 0.01f;
    EXPECT_EQ(sceneMessage(shifted), "QuantumAnderson2D: the two rows do not share one regular lattice");

    // Sites stacked on one x have no spacing: a lattice needs a positive one.
    std::vector<PotentialObject> stacked = rows(7, 7);
    for (PotentialObject& o : stacked)
        o.centerX = 0.0f;
    EXPECT_EQ(sceneMessage(stacked), "QuantumAnderson2D: invalid lattice spacing");

    // Any one width of any one site, in either row, must be positive (a scene
    // edited in place: adding such a site would have been refused).
    for (std::uint64_t site : {3u, 10u})
        for (float PotentialObject::*width : {&PotentialObject::sigmaX, &PotentialObject::sigmaY}) {
            PotentialScene flat = sceneOf(rows(7, 7));
            flat.find(site)->*width = 0.0f;
            AndersonLattice flatLattice;
            EXPECT_EQ(test::refusalMessage(QuantumAnderson2D::analyzeScene, flat, flatLattice),
                      "QuantumAnderson2D: Gaussian site widths must be positive")
                << "site " << site;
            EXPECT_FALSE(flatLattice.valid);
        }

    std::vector<PotentialObject> uniform = rows(7, 7);
    for (PotentialObject& o : uniform)
        o.value = -5.0f;
    EXPECT_EQ(sceneMessage(uniform), "QuantumAnderson2D: one uniform row and one disordered row are required");
    // The disordered row's spread (population standard deviation) must reach
    // 0.01: two values delta apart in the ratio 4 : 3 spread by delta sqrt(12) / 7.
    for (auto [spread, accepted] :
         {std::pair{0.015, true}, {0.009, false}, {0.01 + 2e-6, true}, {0.01 - 2e-6, false}}) {
        std::vector<PotentialObject> weak = rows(7, 7);
        const double delta = spread * 7.0 / std::sqrt(12.0);
        for (int i = 0; i < 7; ++i)
            weak[7 + i].value = static_cast<float>(-5.0 + delta * (i % 2));
        AndersonLattice weakLattice;
        EXPECT_EQ(QuantumAnderson2D::analyzeScene(sceneOf(weak), weakLattice, nullptr), accepted)
            << "spread " << spread;
    }
    // The uniform row's spread may not exceed 0.001.
    for (auto [spread, accepted] :
         {std::pair{0.0009, true}, {0.0011, false}, {0.001 - 2e-6, true}, {0.001 + 2e-6, false}}) {
        std::vector<PotentialObject> rough = rows(7, 7);
        const double delta = spread * 7.0 / std::sqrt(12.0);
        for (int i = 0; i < 7; ++i)
            rough[i].value = static_cast<float>(-5.0 + delta * (i % 2));
        AndersonLattice roughLattice;
        EXPECT_EQ(QuantumAnderson2D::analyzeScene(sceneOf(rough), roughLattice, nullptr), accepted)
            << "uniform spread " << spread;
    }
    std::vector<PotentialObject> bothDisordered = rows(7, 7);
    bothDisordered[1].value = -4.0f;
    EXPECT_EQ(sceneMessage(bothDisordered), "QuantumAnderson2D: one uniform row and one disordered row are required");
}

TEST(QuantumAnderson2D, InitialStateChecksLaneDistance)
{
    // Each of the five values alone must be finite.
    using I = AndersonInitialStateConfig;
    test::expectValueRules(QuantumAnderson2D::validateInitialState, I{},
                           test::finiteOnly<I>({{"centerX", &I::centerX},
                                                {"cleanLaneY", &I::cleanLaneY},
                                                {"disorderLaneY", &I::disorderLaneY},
                                                {"sigma", &I::sigma},
                                                {"relativePhaseDegrees", &I::relativePhaseDegrees}},
                                               "QuantumAnderson2D: initial-state values must be finite"));

    AndersonInitialStateConfig config;
    config.sigma = 2.0; // lanes 8 apart: exactly 4 sigma
    EXPECT_TRUE(QuantumAnderson2D::validateInitialState(config, nullptr));
    config.sigma = 2.0000001;
    std::string error;
    EXPECT_FALSE(QuantumAnderson2D::validateInitialState(config, &error));
    EXPECT_EQ(error, "QuantumAnderson2D: the two lanes are too close for a clean comparison");

    // A preparer keeps an earlier message.
    ComplexField2D empty;
    error = "earlier";
    EXPECT_FALSE(QuantumAnderson2D::prepareInitialState(empty, AndersonInitialStateConfig{}, &error));
    EXPECT_EQ(error, "earlier");
    error.clear();
    EXPECT_FALSE(QuantumAnderson2D::prepareInitialState(empty, AndersonInitialStateConfig{}, &error));
    EXPECT_EQ(error, "QuantumAnderson2D: field must not be empty");
}

TEST(QuantumAnderson2D, LaneMetricsOfOnePacketPerSite)
{
    const AndersonLattice lattice = presetLatticeAnalysis();
    ComplexField2D field(256, 128, 0.16f, 0.2f);
    ASSERT_TRUE(QuantumAnderson2D::prepareInitialState(field, AndersonInitialStateConfig{}, nullptr));
    const AndersonLaneMetrics clean = QuantumAnderson2D::laneMetrics(field, lattice, true);
    const AndersonLaneMetrics disordered = QuantumAnderson2D::laneMetrics(field, lattice, false);
    EXPECT_NEAR(clean.probability, 0.5, 1e-5);
    EXPECT_NEAR(disordered.probability, 0.5, 1e-5);
    EXPECT_NEAR(clean.meanX, 0.0, 0.08); // the grid has no column at x = 0
    EXPECT_NEAR(clean.sigmaX, 0.35, 0.01);
    // The middle site (index 11 of 23) takes the columns within a / 2 = 0.8,
    // its two neighbours the tails.
    const double centre = std::erf(0.8 / (0.35 * std::sqrt(2.0)));
    const double neighbour = (1.0 - centre) / 2.0;
    EXPECT_NEAR(clean.centreSiteWeight, centre, 3e-3);
    EXPECT_NEAR(clean.participationRatio, 1.0 / (centre * centre + 2.0 * neighbour * neighbour), 5e-3);
    EXPECT_FALSE(clean.localisationLengthValid);
    EXPECT_FALSE(disordered.localisationLengthValid); // no outer site holds weight
    double sum = 0.0;
    for (float p : clean.profile)
        sum += p * clean.profileDx;
    EXPECT_NEAR(sum, 1.0, 1e-5);

    // The disordered packet leads the clean one by the relative phase, with
    // equal magnitude: psi(disordered) / psi(clean) = e^(i phi) at mirrored
    // rows. Phases off the axes, where both cos and sin carry a sign.
    const auto rowAt = [](double y) { return static_cast<std::uint64_t>(std::lround(y / 0.2 + 63.5)); };
    for (const double degrees : {90.0, 35.0, 140.0, -115.0, 250.0}) {
        AndersonInitialStateConfig phased;
        phased.relativePhaseDegrees = degrees;
        ComplexField2D turned(256, 128, 0.16f, 0.2f);
        ASSERT_TRUE(QuantumAnderson2D::prepareInitialState(turned, phased, nullptr));
        const std::complex<double> cleanAmplitude(turned.at(128, rowAt(phased.cleanLaneY)));
        const std::complex<double> disorderAmplitude(turned.at(128, rowAt(phased.disorderLaneY)));
        const std::complex<double> ratio = disorderAmplitude / cleanAmplitude;
        const double phi = degrees * kPi / 180.0;
        EXPECT_NEAR(ratio.real(), std::cos(phi), 1e-5) << degrees;
        EXPECT_NEAR(ratio.imag(), std::sin(phi), 1e-5) << degrees;
    }

    // A packet on the first site: it and its one neighbour take the weight.
    AndersonInitialStateConfig first;
    first.centerX = lattice.siteX.front();
    ASSERT_TRUE(QuantumAnderson2D::prepareInitialState(field, first, nullptr));
    EXPECT_NEAR(QuantumAnderson2D::laneMetrics(field, lattice, true).participationRatio,
                1.0 / (centre * centre + neighbour * neighbour), 5e-3);
}

TEST(QuantumAnderson2D, LocalisationLengthFollowsAnExponentialProfile)
{
    // A lane built as exp(-|x - x_c| / xi0) in amplitude about the start site
    // puts weights w(d) ~ exp(-2 d / xi0) on the sites. The fit leaves out the
    // start site only: on the preset lattice, and on the least one (seven sites
    // 0.4 apart) whose six outer sites all lie within 1.2 of the start.
    struct Case {
        const char* name;
        std::vector<PotentialObject> objects;
        double xi0;
        std::uint64_t nx, ny;
        float dx, dy;
    };
    for (const Case& c : {Case{"preset", presetLattice(), 3.0, 256, 128, 0.16f, 0.2f},
                          Case{"seven sites 0.4 apart", rows(7, 7, 0.4), 0.5, 128, 96, 0.05f, 0.2f}}) {
        AndersonLattice lattice;
        std::string error;
        ASSERT_TRUE(QuantumAnderson2D::analyzeScene(sceneOf(c.objects), lattice, &error)) << c.name << ": " << error;
        const double start = lattice.siteX[lattice.siteX.size() / 2];
        ComplexField2D field(c.nx, c.ny, c.dx, c.dy);
        for (std::uint64_t j = 0; j < field.ny(); ++j)
            for (std::uint64_t i = 0; i < field.nx(); ++i)
                if (gridCoordinateY(field, j) < 0.0)
                    field.at(i, j) = Complex(
                        static_cast<float>(std::exp(-std::fabs(gridCoordinateX(field, i) - start) / c.xi0)), 0.0f);
        const AndersonLaneMetrics disordered = QuantumAnderson2D::laneMetrics(field, lattice, false);
        ASSERT_TRUE(disordered.localisationLengthValid) << c.name;
        // Each site's window integrates the same exponential: the fit is exact.
        EXPECT_NEAR(disordered.localisationLength, c.xi0, 1e-4 * c.xi0) << c.name;

        // A flat lane does not localise.
        field.fill(Complex(1.0f, 0.0f));
        const AndersonLaneMetrics flat = QuantumAnderson2D::laneMetrics(field, lattice, false);
        EXPECT_FALSE(flat.localisationLengthValid) << c.name;
        EXPECT_EQ(flat.localisationLength, 0.0) << c.name;
    }
}

// The fit needs four sites beyond the start site that hold weight: with two
// or three (at distinct distances, so a line through them exists) the
// length stays invalid; with four it is the profile's.
TEST(QuantumAnderson2D, LocalisationLengthNeedsFourWeightedSites)
{
    AndersonLattice lattice;
    ASSERT_TRUE(QuantumAnderson2D::analyzeScene(sceneOf(rows(7, 7)), lattice, nullptr));
    const double start = lattice.siteX[3]; // sites every 1.6 from 0 to 9.6
    struct Case {
        double left, right; // the profile's extent about the start, on site-window edges
        bool valid;
    };
    for (const Case& c : {Case{0.8, 4.0, false}, Case{2.4, 4.0, false}, Case{4.0, 4.0, true}}) {
        ComplexField2D field(256, 64, 0.08f, 0.3f);
        for (std::uint64_t j = 0; j < field.ny(); ++j)
            for (std::uint64_t i = 0; i < field.nx(); ++i) {
                const double d = gridCoordinateX(field, i) - start;
                if (gridCoordinateY(field, j) < 0.0 && d > -c.left && d < c.right)
                    field.at(i, j) = Complex(static_cast<float>(std::exp(-std::fabs(d) / 3.0)), 0.0f);
            }
        const AndersonLaneMetrics m = QuantumAnderson2D::laneMetrics(field, lattice, false);
        EXPECT_EQ(m.localisationLengthValid, c.valid) << "extent " << c.left << " / " << c.right;
        if (c.valid)
            EXPECT_NEAR(m.localisationLength, 3.0, 3e-3);
        else
            EXPECT_EQ(m.localisationLength, 0.0);
    }
}

TEST(AndersonRecorder, DisorderSlowsTheSpreadAlongTheLattice)
{
    const AndersonLattice lattice = presetLatticeAnalysis();
    const AndersonInitialStateConfig config;
    ComplexField2D field(256, 128, 0.16f, 0.2f);
    PotentialField2D potential(256, 128, 0.16f, 0.2f);
    sceneOf(presetLattice()).buildPotential(potential);
    ASSERT_TRUE(QuantumAnderson2D::prepareInitialState(field, config, nullptr));

    AndersonRecorder recorder(8);
    recorder.configure(config, lattice);
    ASSERT_TRUE(recorder.isConfigured());
    SplitStepFourierSolver2D solver;
    solver.configure(SplitStepParameters{});
    recorder.record(solver.time(), field);
    for (int step = 0; step < 500; ++step)
        solver.step(field, potential);
    recorder.record(solver.time(), field);

    ASSERT_EQ(recorder.samples().size(), 2u);
    const AndersonSample& last = recorder.samples().back();
    EXPECT_NEAR(last.totalProbability, 1.0, 1e-3);
    // After t = 10 the clean packet has tunnelled far along its row while
    // the disordered one stays near its start site.
    EXPECT_GT(last.clean.sigmaX, 1.5 * last.disordered.sigmaX);
    EXPECT_GT(last.clean.participationRatio, 2.0 * last.disordered.participationRatio);
    EXPECT_GT(last.disordered.centreSiteWeight, last.clean.centreSiteWeight);
}

TEST(AndersonRecorder, CapacityAndConfiguration)
{
    AndersonRecorder recorder(0);
    EXPECT_EQ(recorder.capacity(), 2u);
    ComplexField2D field(64, 64, 0.5f, 0.5f);
    ASSERT_TRUE(QuantumAnderson2D::prepareInitialState(field, AndersonInitialStateConfig{}, nullptr));

    recorder.configure(AndersonInitialStateConfig{}, AndersonLattice{});
    EXPECT_FALSE(recorder.isConfigured());
    AndersonInitialStateConfig tooClose;
    tooClose.sigma = 2.5; // lanes 8 apart, less than 4 sigma
    recorder.configure(tooClose, presetLatticeAnalysis());
    EXPECT_FALSE(recorder.isConfigured());
    recorder.record(0.0, field);
    EXPECT_TRUE(recorder.isEmpty());

    recorder.configure(AndersonInitialStateConfig{}, presetLatticeAnalysis());
    for (int k = 0; k < 5; ++k)
        recorder.record(k, field);
    ASSERT_EQ(recorder.samples().size(), 2u);
    EXPECT_EQ(recorder.samples().front().time, 3.0);
    EXPECT_EQ(recorder.samples().back().time, 4.0);
}
