// A free packet run as a teacher runs it: the guided experiment from the
// library, a coarser grid and a flatter box typed into the form, Play on the
// run timer, Pause; then the same run at 16x.

#include "TeacherSession.h"

#include "common/TestSupport.h"
#include "document/ExperimentCatalogue.h"

#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace vxo::e2e {
namespace {

// The Free Wave Packet of the library: x0 = -8, y0 = 0, sigma 1, p = (2.5, 0),
// m = 1; on a 256 x 256 grid over 40.96 x 30.72 (dx 0.16, dy 0.12) the
// absorbing band stays over 5 units away from the packet for the whole run.
constexpr int kFreePacket = 0;
constexpr double kHeight = 30.72;

struct FreePath {
    double x0, y0, s, px, py, m, hbar;
    double meanX(double t) const { return x0 + px * t / m; }
    double meanY(double t) const { return y0 + py * t / m; }
    // A minimum-uncertainty Gaussian of spread s spreads as
    // s sqrt(1 + (hbar t / (2 m s^2))^2) along each axis.
    double sigma(double t) const { return s * std::sqrt(1.0 + std::pow(hbar * t / (2.0 * m * s * s), 2.0)); }
};

class FreeRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = teacherWindow();
        loadFromLibrary(*window, kFreePacket);
        choose(*window, "gridResolutionComboBox", 0);
        enter(*window, "universeHeightSpinBox", kHeight);
        const ExperimentPreset preset = makeExperimentPreset(kFreePacket);
        path = {preset.packetCenterX,
                preset.packetCenterY,
                preset.packetSigma,
                preset.packetMomentumX,
                preset.packetMomentumY,
                preset.mass,
                window->schroedingerSolver().parameters().hbar};
    }

    // Play, the run timer until `steps` steps are done, Pause.
    void playFor(std::uint64_t steps)
    {
        click(*window, "playButton");
        ASSERT_EQ(window->transportClock().state(), TransportState::Running);
        const bool reached =
            runEventsUntil([this, steps] { return window->schroedingerSolver().stepCount() >= steps; });
        click(*window, "pauseButton");
        ASSERT_TRUE(reached) << "the run timer stopped at step " << window->schroedingerSolver().stepCount();
        ASSERT_EQ(window->transportClock().state(), TransportState::Paused);
    }

    std::unique_ptr<MainWindow> window;
    FreePath path{};
};

TEST_F(FreeRun, HundredStepsFollowTheAnalyticSpreadingAndTheTableShowsThem)
{
    const ComplexField2D& psi = window->waveField();
    ASSERT_EQ(psi.nx(), 256u);
    ASSERT_NEAR(psi.dy(), kHeight / 256.0, 1e-6) << "the typed height rebuilt the grid";
    ASSERT_EQ(window->observableHistory().size(), 1u);

    // The table's energy is the one the Fourier step conserves, every wave
    // number at its own kinetic energy: the packet's, whose wave numbers
    // spread by 1 / (2 s) about p / hbar along each axis.
    const double spread = 1.0 / (2.0 * path.s);
    const double kinetic =
        path.hbar * path.hbar / (2.0 * path.m) *
        (std::pow(path.px / path.hbar, 2.0) + std::pow(path.py / path.hbar, 2.0) + 2.0 * spread * spread);
    playFor(100);
    ASSERT_EQ(window->schroedingerSolver().stepCount(), 100u) << "one step a tick at 1x";
    const std::vector<ObservableSample>& samples = window->observableHistory().samples();
    ASSERT_EQ(samples.size(), 101u) << "one observation a tick";
    const double dt = window->schroedingerSolver().parameters().dt;
    for (std::size_t n = 0; n < samples.size(); ++n) {
        const ObservableSample& sample = samples[n];
        const double t = static_cast<double>(n) * dt;
        EXPECT_NEAR(sample.time, t, 1e-9) << "tick " << n;
        EXPECT_NEAR(sample.meanX, path.meanX(t), 2e-3) << "tick " << n;
        EXPECT_NEAR(sample.meanY, path.meanY(t), 2e-3) << "tick " << n;
        EXPECT_NEAR(sample.sigmaX, path.sigma(t), 2e-3 * path.sigma(t)) << "tick " << n;
        EXPECT_NEAR(sample.sigmaY, path.sigma(t), 2e-3 * path.sigma(t)) << "tick " << n;
        EXPECT_NEAR(sample.norm, 1.0, 1e-4) << "tick " << n << ": nothing reached the absorbing band";
        EXPECT_NEAR(sample.totalEnergy, kinetic, 1e-4 * kinetic) << "tick " << n << ": free flight keeps the energy";
    }

    // What the teacher reads: time, steps, centroid and widths.
    const double t = 100 * dt;
    EXPECT_EQ(diagnosticsValue(*window, 1).toStdString(), "PAUSED");
    EXPECT_EQ(diagnosticsValue(*window, 4).toStdString(), "2.000");
    EXPECT_EQ(diagnosticsValue(*window, 5).toStdString(), "100");
    const QStringList centre = diagnosticsValue(*window, 19).split(QStringLiteral(" / "));
    const QStringList widths = diagnosticsValue(*window, 20).split(QStringLiteral(" / "));
    ASSERT_EQ(centre.size(), 2) << diagnosticsValue(*window, 19).toStdString();
    ASSERT_EQ(widths.size(), 2) << diagnosticsValue(*window, 20).toStdString();
    EXPECT_NEAR(centre[0].toDouble(), path.meanX(t), 2.5e-3);
    EXPECT_NEAR(centre[1].toDouble(), path.meanY(t), 2.5e-3);
    EXPECT_NEAR(widths[0].toDouble(), path.sigma(t), 3e-3);
    EXPECT_NEAR(widths[1].toDouble(), path.sigma(t), 3e-3);
    EXPECT_TRUE(nonNumbersInDiagnostics(*window).isEmpty())
        << nonNumbersInDiagnostics(*window).join('\n').toStdString();
}

// 16x runs sixteen steps a tick at the same 30 ms and records one
// observation a tick; the steps themselves are the ones Step takes one by one.
TEST_F(FreeRun, SixteenTimesFasterRunsTheSameStepsAndObservesOncePerTick)
{
    choose(*window, "speedComboBox", 6);
    EXPECT_EQ(window->transportClock().speed(), 16.0);
    EXPECT_EQ(control<QTimer>(*window, "runTimer").interval(), 30);
    playFor(160);
    ASSERT_EQ(window->schroedingerSolver().stepCount(), 160u) << "whole ticks of sixteen steps";
    const std::vector<ObservableSample> fast = window->observableHistory().samples();
    ASSERT_EQ(fast.size(), 11u) << "one observation per tick, none per step";
    const double dt = window->schroedingerSolver().parameters().dt;
    for (std::size_t n = 0; n < fast.size(); ++n) {
        const double t = 16.0 * static_cast<double>(n) * dt;
        EXPECT_NEAR(fast[n].time, t, 1e-9) << "tick " << n;
        EXPECT_NEAR(fast[n].meanX, path.meanX(t), 2e-3) << "tick " << n;
        EXPECT_NEAR(fast[n].sigmaX, path.sigma(t), 2e-3 * path.sigma(t)) << "tick " << n;
    }
    EXPECT_EQ(diagnosticsValue(*window, 2).toStdString(), "16.00x");
    const ComplexField2D atSixteen = window->waveField();

    // Reset, then the Step button 160 times.
    click(*window, "resetButton");
    ASSERT_EQ(window->schroedingerSolver().stepCount(), 0u);
    for (int k = 0; k < 160; ++k)
        click(*window, "stepButton");
    ASSERT_EQ(window->schroedingerSolver().stepCount(), 160u);
    EXPECT_TRUE(test::bitIdentical(window->waveField(), atSixteen)) << "the speed changed the physics";
    EXPECT_EQ(window->observableHistory().size(), 161u) << "Step observes after every step";
}

} // namespace
} // namespace vxo::e2e
