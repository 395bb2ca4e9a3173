// The run a new user sees first: the window as it starts (a Gaussian packet
// in front of a rectangular barrier higher than its mean energy), Play, and
// the scattering panel pausing the run once the packet has split. What got
// through is what the packet's momentum spread lets through the barrier.

#include "TeacherSession.h"

#include <QCheckBox>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace vxo::e2e {
namespace {

// Transmission of a plane wave of energy E = p^2 / 2m through a rectangular
// barrier of height V0 and thickness a (hbar = 1):
//   E < V0: 1 / (1 + V0^2 sinh^2(kappa a) / (4 E (V0 - E))), kappa = sqrt(2m (V0 - E)),
//   E > V0: 1 / (1 + V0^2 sin^2(k a) / (4 E (E - V0))),       k = sqrt(2m (E - V0)).
double planeWaveTransmission(double p, double m, double v0, double a)
{
    const double e = p * p / (2.0 * m);
    if (std::abs(e - v0) < 1e-9)
        return 1.0 / (1.0 + m * v0 * a * a / 2.0);
    if (e < v0) {
        const double s = std::sinh(std::sqrt(2.0 * m * (v0 - e)) * a);
        return 1.0 / (1.0 + v0 * v0 * s * s / (4.0 * e * (v0 - e)));
    }
    const double s = std::sin(std::sqrt(2.0 * m * (e - v0)) * a);
    return 1.0 / (1.0 + v0 * v0 * s * s / (4.0 * e * (e - v0)));
}

// A packet of position spread s has momenta spread by hbar / (2 s) about p0;
// each goes through with its own transmission (the barrier spans the packet
// along y, so the problem is one-dimensional).
double packetTransmission(double p0, double s, double m, double v0, double a)
{
    const double sp = 1.0 / (2.0 * s);
    constexpr int kPoints = 4001;
    double weight = 0.0, through = 0.0;
    for (int n = 0; n < kPoints; ++n) {
        const double p = p0 - 8.0 * sp + 16.0 * sp * n / (kPoints - 1);
        const double w = std::exp(-0.5 * std::pow((p - p0) / sp, 2.0));
        weight += w;
        if (p > 0.0)
            through += w * planeWaveTransmission(p, m, v0, a);
    }
    return through / weight;
}

TEST(TunnellingRun, TheDefaultRunPausesOnceSplitWithThePacketsTransmission)
{
    const auto window = teacherWindow();
    choose(*window, "gridResolutionComboBox", 0);
    const double x0 = control<QDoubleSpinBox>(*window, "centerXSpinBox").value();
    const double s = control<QDoubleSpinBox>(*window, "sigmaSpinBox").value();
    const double p0 = control<QDoubleSpinBox>(*window, "momentumSpinBox").value();
    const double m = control<QDoubleSpinBox>(*window, "massSpinBox").value();
    const double v0 = control<QDoubleSpinBox>(*window, "barrierV0SpinBox").value();
    const double a = control<QDoubleSpinBox>(*window, "barrierThicknessSpinBox").value();
    ASSERT_LT(p0 * p0 / (2.0 * m), v0) << "the default barrier is to be tunnelled through";
    ASSERT_LT(x0 + 4.0 * s, 0.0) << "the packet starts clear of the barrier";

    click(*window, "playButton");
    ASSERT_EQ(window->transportClock().state(), TransportState::Running);
    const bool paused =
        runEventsUntil([&window] { return window->transportClock().state() != TransportState::Running; });
    ASSERT_TRUE(paused) << "the run was not paused by t = " << window->schroedingerSolver().time();
    EXPECT_EQ(window->transportClock().state(), TransportState::Paused);
    EXPECT_FALSE(control<QTimer>(*window, "runTimer").isActive());
    const double t = window->schroedingerSolver().time();
    EXPECT_GT(t, 2.0) << "paused before the packet could have split";
    // The pause waits until under 1% is left at the barrier, and comes well
    // before both parts have each moved the start distance away from it.
    EXPECT_LT(t, 3.0 * (-x0) / (p0 / m)) << "paused long after the split";

    const ObservableSample& last = window->observableHistory().newest();
    ASSERT_TRUE(last.scatteringValid);
    // Split, but the tails still straddle the barrier: the two sides share
    // what has left it as the plane waves say.
    const double expected = packetTransmission(p0, s, m, v0, a);
    const double left = last.reflectedProbability + last.transmittedProbability;
    EXPECT_GT(left, 0.95) << "the packet had not left the barrier";
    EXPECT_NEAR(last.transmittedProbability / left, expected, 0.006);
    EXPECT_NEAR(last.norm, 1.0, 1e-3) << "nothing reached the absorbing layer yet";
    EXPECT_TRUE(nonNumbersInDiagnostics(*window).isEmpty());

    // Play carries on from the split state.
    click(*window, "playButton");
    EXPECT_EQ(window->transportClock().state(), TransportState::Running);
    EXPECT_EQ(window->schroedingerSolver().time(), t);
    click(*window, "pauseButton");
}

} // namespace
} // namespace vxo::e2e
