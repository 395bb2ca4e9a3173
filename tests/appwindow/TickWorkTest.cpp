// The work that a tick repeats, counted rather than timed: the copies of the
// wave field that the observation and the views make, the readings of a
// spinor's energies that Diagnostics takes (two transforms of the grid
// each), and the relaxations of a sweep's pair.

#include "common/AppTestSupport.h"
#include "common/MainWindowProbe.h"
#include "common/QtTestSupport.h"

#include "app/mainwindow/MainWindow.h"
#include "app/text/DiagnosticsRowLabels.h"
#include "core/CovariantObservables2D.h"
#include "experiments/BoundStates1D.h"
#include "experiments/QuantumLandauZener2D.h"

#include <QComboBox>
#include <QDockWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace vxo {
namespace {

// The guided experiments whose readings transform the grid: the energy the
// Fourier step conserves (the default experiment), momentum space shown in
// the viewport (the kicked rotor) and a spinor (Klein tunnelling).
constexpr int kDefaultExperiment = 0;
constexpr int kKickedRotor = 35;
constexpr int kKleinTunnelling = 47;
// A sweep out and back with a hold between (4, 4 and 4 time units).
constexpr int kStueckelberg = 20;
// The magnetic step's experiments: Landau levels and the Hall edge.
constexpr int kLandauLevels = 43;
constexpr int kHallEdge = 44;

void tick(MainWindow& w)
{
    MainWindowProbe::stepTick(w);
    MainWindowProbe::observeTick(w);
    MainWindowProbe::refreshTick(w);
}

class TickWorkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::appTestApplication();
        window_ = std::make_unique<MainWindow>(nullptr, false);
    }
    void TearDown() override { window_.reset(); }
    std::unique_ptr<MainWindow> window_;
};

TEST_F(TickWorkTest, TheObservationAndTheViewsCopyNoWholeFieldInATick)
{
    MainWindow& w = *window_;
    for (const int preset : {kDefaultExperiment, kKickedRotor, kKleinTunnelling}) {
        w.loadGuidedExperiment(preset);
        tick(w);
        for (int t = 0; t < 3; ++t) {
            MainWindowProbe::stepTick(w);
            const std::uint64_t before = ComplexField2D::copiesMade();
            MainWindowProbe::observeTick(w);
            MainWindowProbe::refreshTick(w);
            EXPECT_EQ(ComplexField2D::copiesMade() - before, 0u) << "preset " << preset << " tick " << t;
        }
    }
}

TEST_F(TickWorkTest, TheSpinorsEnergiesAreReadWhileDiagnosticsIsInSightAndTheSpinorHasMoved)
{
    MainWindow& w = *window_;
    w.loadGuidedExperiment(kKleinTunnelling);
    auto* dock = w.findChild<QDockWidget*>(QStringLiteral("diagnosticsDockWidget"));
    auto* table = w.findChild<QTableWidget*>(QStringLiteral("diagnosticsTable"));
    ASSERT_TRUE(dock && table);
    const auto readings = [&w] { return MainWindowProbe::diracEnergyReadings(w); };

    // Out of sight (the window not shown): ticks read nothing.
    std::uint64_t before = readings();
    tick(w);
    tick(w);
    EXPECT_EQ(readings(), before) << "read while no one can see it";

    // Coming into sight reads the spinor as it stands, once.
    before = readings();
    w.show();
    dock->show();
    dock->raise();
    ASSERT_TRUE(test::waitUntil([&] { return table->isVisible() && readings() > before; }));
    EXPECT_EQ(readings(), before + 1);

    // In sight: once per tick that moves the spinor, not again for a refresh
    // of the same state, and the rows show the spinor's energies now.
    for (int t = 0; t < 3; ++t) {
        before = readings();
        tick(w);
        MainWindowProbe::refreshTick(w);
        EXPECT_EQ(readings(), before + 1) << "tick " << t;
        const EnergyObservables2D now = MainWindowProbe::steppedEnergy(w);
        EXPECT_EQ(table->item(kTotalEnergyRow, 2)->text(), QString::number(now.total, 'f', 6)) << "tick " << t;
        EXPECT_EQ(table->item(kKineticEnergyRow, 2)->text(), QString::number(now.kinetic, 'f', 6)) << "tick " << t;
    }

    // Out of sight again.
    dock->hide();
    ASSERT_TRUE(test::waitUntil([&] { return !table->isVisible(); }));
    before = readings();
    tick(w);
    EXPECT_EQ(readings(), before);
    w.hide();
}

// After the steps of a magnetic tick (whose recorders read what they need
// on their strides), the observation's energies and the current of
// Diagnostics and the views come from one pass over the grid, and both are
// those of their own passes over the state of the tick.
TEST_F(TickWorkTest, AMagneticTickReadsItsEnergiesAndItsCurrentInOnePass)
{
    MainWindow& w = *window_;
    for (const int preset : {kLandauLevels, kHallEdge}) {
        w.loadGuidedExperiment(preset);
        const GaugeLinkField2D* links = MainWindowProbe::linksInForce(w);
        ASSERT_TRUE(links) << preset;
        for (int t = 0; t < 3; ++t) {
            MainWindowProbe::stepTick(w);
            const std::uint64_t before = CovariantObservables2D::passesMade();
            MainWindowProbe::observeTick(w);
            MainWindowProbe::refreshTick(w);
            const std::string at = "preset " + std::to_string(preset) + " tick " + std::to_string(t);
            EXPECT_EQ(CovariantObservables2D::passesMade() - before, 1u) << at;
            const EnergyObservables2D energies = MainWindowProbe::steppedEnergy(w);
            EXPECT_EQ(w.observableHistory().newest().totalEnergy, energies.total) << at;
            const SplitStepParameters& parameters = w.schroedingerSolver().parameters();
            const ProbabilityCurrent2D current =
                ProbabilityCurrent2D::computeWithGauge(w.waveField(), *links, parameters.hbar, parameters.mass);
            EXPECT_EQ(MainWindowProbe::shownCurrent(w).jx, current.jx) << at;
            EXPECT_EQ(MainWindowProbe::shownCurrent(w).integralJy, current.integralJy) << at;
        }
    }
}

// The row of a sweep's double well moves at every step: the pair the
// populations are read on is found again in the span of the pairs relaxed
// before, and relaxed only a few times over the passage out and back, where
// that span falls short. What the observation reads stays within half a unit
// of the pages' third decimal of the populations on the pair converged from
// scratch on each tick's row.
TEST_F(TickWorkTest, ASweepRelaxesItsPairAFewTimesOverItsWholePassage)
{
    MainWindow& w = *window_;
    w.loadGuidedExperiment(kStueckelberg);
    const TwoLevelState& state = MainWindowProbe::twoLevelState(w);
    const LandauZenerReference& reference = state.stueckelbergReference.landauZener;
    ASSERT_TRUE(reference.valid);
    const PotentialField2D& v = w.potentialField();
    const auto middleRow = [&v] {
        std::vector<float> row(v.nx());
        for (std::uint64_t i = 0; i < v.nx(); ++i)
            row[i] = v.valueAt(i, v.ny() / 2);
        return row;
    };
    BoundStateSettings converged;
    converged.maxStates = 2;
    converged.maxIterations = 2800;
    const std::uint64_t relaxationsBefore = state.steppedPairRelaxations;
    int movedTicks = 0;
    while (w.schroedingerSolver().time() < 12.5) {
        const std::vector<float> before = middleRow();
        tick(w);
        if (middleRow() == before || ++movedTicks % 10 != 0)
            continue;
        const BoundStateResult pair = BoundStates1D::compute(v.row(v.ny() / 2), converged);
        ASSERT_TRUE(pair.ok);
        const SweepPopulations exact = QuantumLandauZener2D::steppedPopulations(w.waveField(), pair, reference);
        const ObservableSample& read = w.observableHistory().newest();
        const std::string at = "t = " + std::to_string(w.schroedingerSolver().time());
        EXPECT_NEAR(read.stueckelbergLower, exact.lowerPopulation, 5e-4) << at;
        EXPECT_NEAR(read.stueckelbergUpper, exact.upperPopulation, 5e-4) << at;
        EXPECT_NEAR(read.stueckelbergLeft, exact.leftPopulation, 5e-4) << at;
        EXPECT_NEAR(read.stueckelbergRight, exact.rightPopulation, 5e-4) << at;
        EXPECT_NEAR(read.stueckelbergCaptured, exact.captured, 5e-4) << at;
    }
    EXPECT_GT(movedTicks, 100) << "the ramps out and back";
    EXPECT_LE(state.steppedPairRelaxations - relaxationsBefore, 12u) << movedTicks << " ticks moved the row";
}

// A Dirac run shows its spinor's density, a real field, whose current is 0
// everywhere: the reading skips the pass over the grid, yet gives what that
// pass gives, on the first tick, on the next (the zeros kept), and after a
// Schroedinger run on the same grid has written its own current.
TEST_F(TickWorkTest, ADiracRunsCurrentIsThatOfTheFullPassOverItsDensity)
{
    MainWindow& w = *window_;
    auto* grid = w.findChild<QComboBox*>(QStringLiteral("gridResolutionComboBox"));
    ASSERT_TRUE(grid);
    const auto onTheCoarsestGrid = [&](int preset) {
        w.loadGuidedExperiment(preset);
        grid->setCurrentIndex(0);
        w.rebuildSimulation();
    };
    const auto expectTheFullPass = [&](const std::string& at) {
        const SplitStepParameters& parameters = w.schroedingerSolver().parameters();
        const ProbabilityCurrent2D full =
            ProbabilityCurrent2D::compute(w.waveField(), parameters.hbar, parameters.mass);
        const ProbabilityCurrent2D& read = MainWindowProbe::observedCurrent(w);
        EXPECT_EQ(read.jx, full.jx) << at;
        EXPECT_EQ(read.jy, full.jy) << at;
        EXPECT_EQ(read.maxMagnitude, full.maxMagnitude) << at;
        EXPECT_EQ(read.integralJx, full.integralJx) << at;
        EXPECT_EQ(read.nx, full.nx) << at;
        return full.maxMagnitude;
    };
    onTheCoarsestGrid(kKleinTunnelling);
    for (int t = 0; t < 2; ++t) {
        tick(w);
        ASSERT_TRUE(w.waveField().isFiniteReal()) << "the density of the spinor";
        expectTheFullPass("Dirac tick " + std::to_string(t));
    }
    onTheCoarsestGrid(kDefaultExperiment);
    tick(w);
    EXPECT_GT(expectTheFullPass("Schroedinger tick"), 0.0f) << "a packet in motion carries a current";
    onTheCoarsestGrid(kKleinTunnelling);
    tick(w);
    expectTheFullPass("Dirac tick after the Schroedinger run");
}

} // namespace
} // namespace vxo
