// The work that a tick repeats on the whole grid, counted rather than timed:
// the copies of the wave field that the observation and the views make, and
// the readings of a spinor's energies that Diagnostics takes (two transforms
// of the grid each).

#include "common/AppTestSupport.h"
#include "common/MainWindowProbe.h"
#include "common/QtTestSupport.h"

#include "app/mainwindow/MainWindow.h"
#include "app/text/DiagnosticsRowLabels.h"

#include <QDockWidget>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vxo {
namespace {

// The guided experiments whose readings transform the grid: the energy the
// Fourier step conserves (the default experiment), momentum space shown in
// the viewport (the kicked rotor) and a spinor (Klein tunnelling).
constexpr int kDefaultExperiment = 0;
constexpr int kKickedRotor = 35;
constexpr int kKleinTunnelling = 47;

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

} // namespace
} // namespace vxo
