#include "experiments/ObservableSampler.h"

#include "core/ComplexField2D.h"
#include "experiments/DriveProtocols.h"
#include "experiments/ObservableHistory.h"
#include "experiments/QuantumLandauZener2D.h"
#include "experiments/QuantumRamsey2D.h"
#include "experiments/QuantumStueckelberg2D.h"
#include "tests/experiments/TwoLevelFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

using namespace vxo;

namespace {

struct DoubleWellRun {
    PotentialScene scene = fixtures::doubleWellScene(true);
    PotentialField2D potential = fixtures::rasterise(scene, 256, 128, 16.0, 16.0);
    ComplexField2D psi{256, 128, 0.0625f, 0.125f};
    ObservableHistory history{16};

    DoubleWellRun() { EXPECT_TRUE(BoundStates1D::prepareSuperposition(psi, fixtures::doubleWellPair(), 0, 1, 0.0)); }

    ObservationInputs inputs() const
    {
        ObservationInputs in;
        in.time = 3.0;
        in.potential = &potential;
        in.scene = &scene;
        in.sceneActive = true;
        in.boundStates = &fixtures::doubleWellPair();
        in.sweepStates = &fixtures::doubleWellPair();
        in.ramseyStates = &fixtures::doubleWellPair();
        return in;
    }
};

PeriodicDrive biasDrive()
{
    PeriodicDrive drive = fixtures::biasSlopeDrive<PeriodicDrive>();
    drive.amplitude = 0.1;
    return drive;
}

} // namespace

TEST(ObservableSampler, DoubleWellWithoutDriveHasNoTwoLevelBlock)
{
    DoubleWellRun run;
    const ObservableSample sample = ObservableSampler::observe(run.psi, run.history, run.inputs());
    EXPECT_DOUBLE_EQ(sample.time, 3.0);
    EXPECT_NEAR(sample.norm, 1.0, 1e-5);
    EXPECT_TRUE(sample.doubleWellValid);
    // The in-phase pair is localised in one well; about 1 % leaks into the walls.
    EXPECT_GT(std::max(sample.leftWellProbability, sample.rightWellProbability), 0.85);
    EXPECT_NEAR(sample.leftWellProbability + sample.rightWellProbability + sample.barrierProbability, 1.0, 0.02);
    EXPECT_FALSE(sample.scatteringValid);
    EXPECT_FALSE(sample.rabiValid || sample.landauZenerValid || sample.stueckelbergValid || sample.ramseyValid);
    EXPECT_EQ(sample.energyDriftPercent, 0.0); // empty history
    EXPECT_GT(sample.totalEnergy, 0.0);
}

TEST(ObservableSampler, RabiBlockNeedsAnOkBasisButNotAFreshOne)
{
    DoubleWellRun run;
    const PeriodicDrive drive = biasDrive();
    ObservationInputs in = run.inputs();
    in.periodicDrive = &drive;

    // The potential no longer matches the basis (a biased well): the result is
    // stale, yet the projection on it is still recorded.
    PotentialScene biased = run.scene;
    biased.find(fixtures::kBiasObjectId)->slopeX = 0.05f;
    PotentialField2D biasedPotential = fixtures::rasterise(biased, 256, 128, 16.0, 16.0);
    in.potential = &biasedPotential;
    ASSERT_FALSE(fixtures::doubleWellPair().isValidFor(biasedPotential, 1.0, 1.0));
    const ObservableSample sample = ObservableSampler::observe(run.psi, run.history, in);
    ASSERT_TRUE(sample.rabiValid);
    EXPECT_NEAR(sample.rabiPopulation1, 0.5, 1e-5);
    EXPECT_NEAR(sample.rabiCaptured, 1.0, 1e-5);

    PeriodicDrive shaking = drive;
    shaking.parameter = SceneParameterCenterX;
    in.periodicDrive = &shaking;
    EXPECT_FALSE(ObservableSampler::observe(run.psi, run.history, in).rabiValid);

    in.periodicDrive = &drive;
    const BoundStateResult failed;
    in.boundStates = &failed;
    EXPECT_FALSE(ObservableSampler::observe(run.psi, run.history, in).rabiValid);
}

TEST(ObservableSampler, SweepAndRamseyBlocksFollowTheirReferences)
{
    DoubleWellRun run;
    const BoundStateResult& pair = fixtures::doubleWellPair();
    ObservationInputs in = run.inputs();

    LinearSweep sweep = fixtures::biasSlopeDrive<LinearSweep>();
    const LandauZenerReference landauZener = QuantumLandauZener2D::predict(pair, sweep, 0, 1, 1.0);
    in.linearSweep = &sweep;
    EXPECT_FALSE(ObservableSampler::observe(run.psi, run.history, in).landauZenerValid); // no reference stored
    in.landauZener = &landauZener;
    const ObservableSample single = ObservableSampler::observe(run.psi, run.history, in);
    ASSERT_TRUE(single.landauZenerValid);
    EXPECT_FALSE(single.stueckelbergValid);
    EXPECT_NEAR(single.landauZenerCaptured, 1.0, 1e-5);

    sweep.returnEnabled = true;
    const StueckelbergReference stueckelberg = QuantumStueckelberg2D::reference(pair, sweep, 0, 1, 1.0);
    in.stueckelberg = &stueckelberg;
    const ObservableSample twice = ObservableSampler::observe(run.psi, run.history, in);
    EXPECT_FALSE(twice.landauZenerValid);
    ASSERT_TRUE(twice.stueckelbergValid);
    EXPECT_NEAR(twice.stueckelbergLower + twice.stueckelbergUpper, twice.stueckelbergCaptured, 1e-12);

    RamseySequence ramsey = fixtures::biasSlopeDrive<RamseySequence>();
    const RamseyReference ramseyReference = QuantumRamsey2D::reference(pair, ramsey, 0, 1, 1.0);
    in.ramseySequence = &ramsey;
    in.ramseyReference = &ramseyReference;
    EXPECT_TRUE(ObservableSampler::observe(run.psi, run.history, in).ramseyValid);

    // Outside an active scene none of the double-well blocks is measured.
    in.sceneActive = false;
    const ObservableSample inactive = ObservableSampler::observe(run.psi, run.history, in);
    EXPECT_FALSE(inactive.doubleWellValid || inactive.ramseyValid || inactive.stueckelbergValid);
}

// Each two-level block is measured only with its drive, its basis and its
// reference all present and usable; a missing one (null) leaves the block
// unset like an unusable one.
TEST(ObservableSampler, TwoLevelBlocksNeedEveryInput)
{
    DoubleWellRun run;
    const BoundStateResult& pair = fixtures::doubleWellPair();
    const BoundStateResult failed;
    const PeriodicDrive drive = biasDrive();
    const RamseySequence ramsey = fixtures::biasSlopeDrive<RamseySequence>();
    const RamseyReference ramseyReference = QuantumRamsey2D::reference(pair, ramsey, 0, 1, 1.0);
    const RamseyReference noReference;
    const LinearSweep sweep = fixtures::biasSlopeDrive<LinearSweep>();
    const LandauZenerReference landauZener = QuantumLandauZener2D::predict(pair, sweep, 0, 1, 1.0);
    ObservationInputs complete = run.inputs();
    complete.periodicDrive = &drive;
    complete.ramseySequence = &ramsey;
    complete.ramseyReference = &ramseyReference;
    complete.linearSweep = &sweep;
    complete.landauZener = &landauZener;

    struct Case {
        const char* name;
        std::function<void(ObservationInputs&)> remove;
        bool rabi, ramsey, sweep;
    };
    const Case cases[] = {
        {"everything present", [](ObservationInputs&) {}, true, true, true},
        {"no Rabi basis", [](ObservationInputs& in) { in.boundStates = nullptr; }, false, true, true},
        {"failed Rabi basis", [&](ObservationInputs& in) { in.boundStates = &failed; }, false, true, true},
        {"no Ramsey basis", [](ObservationInputs& in) { in.ramseyStates = nullptr; }, true, false, true},
        {"failed Ramsey basis", [&](ObservationInputs& in) { in.ramseyStates = &failed; }, true, false, true},
        {"no Ramsey reference", [](ObservationInputs& in) { in.ramseyReference = nullptr; }, true, false, true},
        {"invalid Ramsey reference", [&](ObservationInputs& in) { in.ramseyReference = &noReference; }, true, false,
         true},
        {"no Ramsey sequence", [](ObservationInputs& in) { in.ramseySequence = nullptr; }, true, false, true},
        {"no sweep basis", [](ObservationInputs& in) { in.sweepStates = nullptr; }, true, true, false},
        {"no sweep reference", [](ObservationInputs& in) { in.landauZener = nullptr; }, true, true, false},
    };
    for (const Case& c : cases) {
        ObservationInputs in = complete;
        c.remove(in);
        const ObservableSample sample = ObservableSampler::observe(run.psi, run.history, in);
        EXPECT_EQ(sample.rabiValid, c.rabi) << c.name;
        EXPECT_EQ(sample.ramseyValid, c.ramsey) << c.name;
        EXPECT_EQ(sample.landauZenerValid, c.sweep) << c.name;
    }
}

TEST(ObservableSampler, ScatteringWaitsForThePacketOrTheLatch)
{
    PotentialScene scene;
    scene.add(fixtures::makeBarrier(2.0f, -1.0f, 0.5f));
    scene.add(fixtures::makeBarrier(2.0f, 1.0f, 0.5f));
    const PotentialField2D potential = fixtures::rasterise(scene, 64, 16, 16.0, 4.0);
    ComplexField2D psi(64, 16, 0.25f, 0.25f);
    for (std::uint64_t j = 0; j < psi.ny(); ++j)
        for (std::uint64_t i = 0; i < 8; ++i) // all probability at x < -6
            psi.at(i, j) = Complex(1.0f, 0.0f);
    ASSERT_TRUE(psi.normalize());

    ObservableHistory history(4);
    ObservationInputs in;
    in.potential = &potential;
    in.scene = &scene;
    in.sceneActive = true;
    EXPECT_FALSE(ObservableSampler::observe(psi, history, in).scatteringValid);
    in.resonanceLatched = true;
    const ObservableSample latched = ObservableSampler::observe(psi, history, in);
    ASSERT_TRUE(latched.scatteringValid);
    EXPECT_NEAR(latched.reflectedProbability, 1.0, 1e-6);
    EXPECT_EQ(latched.transmittedProbability, 0.0);
    EXPECT_FALSE(latched.doubleWellValid);

    EXPECT_TRUE(ObservableSampler::packetReachedBarriers(0.03, 0.0));
    EXPECT_TRUE(ObservableSampler::packetReachedBarriers(0.0, 0.011));
    EXPECT_FALSE(ObservableSampler::packetReachedBarriers(0.025, 0.01));
    // Just past either share counts.
    EXPECT_TRUE(ObservableSampler::packetReachedBarriers(0.025 * 1.001, 0.0));
    EXPECT_TRUE(ObservableSampler::packetReachedBarriers(0.0, 0.01 * 1.001));
}

// A single latched barrier splits at its centre c plus and minus
// max(w / 2 + 0.36, 0.6): equal weights in the four columns a quarter cell
// either side of both edges give reflection and transmission 1/4 each,
// whichever side of the floor the thickness lies (0.48 is on it).
TEST(ObservableSampler, LegacyBarrierSplitsHalfItsThicknessPlusAMarginAway)
{
    const double centre = 0.3;
    ComplexField2D psi(800, 6, 0.005f, 0.5f); // columns at 0.0025 + 0.005 k
    PotentialField2D potential(800, 6, 0.005f, 0.5f);
    ObservableHistory history(4);
    ObservationInputs in;
    in.potential = &potential;
    in.legacyBarrier = true;
    in.legacyBarrierCenterX = centre;
    for (const auto& [thickness, half] : {std::pair{0.08, 0.6}, {0.48, 0.6}, {1.0, 0.86}}) {
        psi.fill(Complex(0.0f, 0.0f));
        for (const double x :
             {centre - half - 0.0025, centre - half + 0.0025, centre + half - 0.0025, centre + half + 0.0025}) {
            const auto i = static_cast<std::uint64_t>(std::lround(x / 0.005 + 399.5));
            for (std::uint64_t j = 0; j < psi.ny(); ++j)
                psi.at(i, j) = Complex(1.0f, 0.0f);
        }
        in.legacyBarrierThickness = thickness;
        in.legacyBarrierLatched = false;
        EXPECT_FALSE(ObservableSampler::observe(psi, history, in).scatteringValid) << "not latched";
        in.legacyBarrierLatched = true;
        const ObservableSample sample = ObservableSampler::observe(psi, history, in);
        ASSERT_TRUE(sample.scatteringValid) << "thickness " << thickness;
        EXPECT_NEAR(sample.reflectedProbability, 0.25, 1e-6) << "thickness " << thickness;
        EXPECT_NEAR(sample.transmittedProbability, 0.25, 1e-6) << "thickness " << thickness;
    }
}

TEST(ObservableSampler, AbsorbedProbabilityOnlyWithTheBoundaryAndNeverNegative)
{
    ComplexField2D psi(16, 20, 0.5f, 0.4f);
    psi.fill(Complex(0.1f, 0.0f)); // norm 320 cells x 0.01 x 0.2 = 0.64
    PotentialField2D potential(16, 20, 0.5f, 0.4f);
    ObservableHistory history(4);
    ObservationInputs in;
    in.potential = &potential;
    EXPECT_EQ(ObservableSampler::observe(psi, history, in).absorbedProbability, 0.0);
    in.absorbingBoundaryEnabled = true;
    EXPECT_NEAR(ObservableSampler::observe(psi, history, in).absorbedProbability, 0.36, 1e-6);
    psi.fill(Complex(0.2f, 0.0f)); // norm 2.56
    EXPECT_EQ(ObservableSampler::observe(psi, history, in).absorbedProbability, 0.0);
    // A field that has blown up has no meaningful norm: nothing counts as absorbed.
    psi.at(3, 3) = Complex(std::numeric_limits<float>::quiet_NaN(), 0.0f);
    in.potential = nullptr;
    EXPECT_EQ(ObservableSampler::observe(psi, history, in).absorbedProbability, 0.0);
}
