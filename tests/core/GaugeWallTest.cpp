#include "core/ComplexField2D.h"
#include "core/GaugeLinkField2D.h"
#include "core/GaussianPacket2D.h"
#include "core/Numeric.h"
#include "core/PhaseFactors.h"
#include "core/PotentialField2D.h"
#include "core/PotentialPhaseTable.h"
#include "core/SplitStepFourierSolver2D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>

using namespace vxo;

// A packet of energy about 2 driven by a field of 1 against a wall of height
// V: the evanescent decay length hbar / sqrt(2 m (V - E)) is below 0.07, so
// nothing of consequence lies past 0.5 inside, whether or not V dt / hbar
// wraps the step's phase, for walls across either axis or diagonal to both.
TEST(GaugeWall, APacketDrivenAgainstATallWallInAFieldStaysOutsideIt)
{
    const double b = 1.0, surface = 6.0, r = std::sqrt(0.5); // the wall: n . r >= surface
    const struct {
        double nx, ny, height;
    } walls[] = {{0, -1, 120}, {0, -1, 300}, {-1, 0, 600}, {-r, -r, 250}};
    for (const auto& wall : walls) {
        ComplexField2D psi(192, 160, 0.16f, 0.2f);
        PotentialField2D potential(psi.nx(), psi.ny(), psi.dx(), psi.dy());
        auto at = [&](double n, double t) {
            return PotentialField2D::Vertex(n * wall.nx - t * wall.ny, n * wall.ny + t * wall.nx);
        };
        potential.addPolygon({at(surface, -99), at(surface, 99), at(99, 99), at(99, -99)}, float(wall.height));
        GaugeLinkField2D links; // symmetric gauge, A = (-b y / 2, b x / 2)
        links.resize(psi.nx(), psi.ny(), psi.dx(), psi.dy());
        for (std::uint64_t j = 0; j < psi.ny(); ++j)
            for (std::uint64_t i = 0; i < psi.nx(); ++i) {
                links.setLinkX(i, j, unitPhase(b * gridCoordinateY(psi, j) * psi.dx() / 2));
                links.setLinkY(i, j, unitPhase(-b * gridCoordinateX(psi, i) * psi.dy() / 2));
            }
        // 2.2 (4.4 sigma) off the wall, mechanical momentum 2 into it.
        GaussianPacket2D packet;
        packet.x0 = float((surface - 2.2) * wall.nx);
        packet.y0 = float((surface - 2.2) * wall.ny);
        packet.sigma = 0.5f;
        packet.px = float(2.0 * wall.nx - b * packet.y0 / 2);
        packet.py = float(2.0 * wall.ny + b * packet.x0 / 2);
        GaussianPacket2D::prepare(psi, packet);

        SplitStepFourierSolver2D solver;
        solver.configure(SplitStepParameters{1.0f, 1.0f, 0.02f});
        const int steps = 628; // two cyclotron periods, 4 pi / b
        double deepest = 0.0, against = 0.0;
        for (int s = 1; s <= steps; ++s) {
            solver.stepWithGauge(psi, potential, links);
            double deep = 0.0, near = 0.0;
            for (std::uint64_t j = 0; s % 10 == 0 && j < psi.ny(); ++j)
                for (std::uint64_t i = 0; i < psi.nx(); ++i) {
                    const double depth =
                        gridCoordinateX(psi, i) * wall.nx + gridCoordinateY(psi, j) * wall.ny - surface;
                    const double p = std::norm(psi.at(i, j)) * psi.dx() * psi.dy();
                    deep += depth > 0.5 ? p : 0.0;
                    near += depth > -1.0 && depth < 0.0 ? p : 0.0;
                }
            deepest = std::max(deepest, deep);
            against = std::max(against, near);
        }
        SCOPED_TRACE(testing::Message() << "wall " << wall.height << ", normal (" << wall.nx << ", " << wall.ny << ")");
        EXPECT_GT(against, 0.5) << "the packet never reached the wall";
        EXPECT_LT(deepest, 1e-4) << "probability past 0.5 inside the wall";
        EXPECT_NEAR(psi.norm(), 1.0, 1e-4);
        EXPECT_EQ(solver.stepCount(), std::uint64_t(steps)) << "one clock step per step";
        EXPECT_NEAR(solver.time(), steps * 0.02, 1e-6);
    }
}

// Raising the potential by a constant V0 everywhere changes only the zero of
// energy: in a field as without one, the state picks up the global phase
// exp(-i V0 t / hbar) and nothing else. The sharp step far from the packet
// makes the solver cut its potential phase into sub-steps; the whole-step
// path (the step's phases short of a turn) and the sub-stepped one (beyond
// it) must both give the phase of the whole dt.
TEST(GaugeWall, AConstantPotentialShiftGivesTheGlobalPhaseOfTheWholeStep)
{
    const struct {
        float offset, step;
    } rows[] = {{20.0f, 50.0f}, {-35.0f, 150.0f}, {25.0f, 320.0f}}; // the last one wraps
    const float dt = 0.02f, hbar = 1.0f;
    const double b = 1.0;
    const int steps = 10;
    for (const auto& row : rows) {
        ComplexField2D base(96, 80, 0.2f, 0.15f);
        PotentialField2D flat(base.nx(), base.ny(), base.dx(), base.dy());
        PotentialField2D raised(base.nx(), base.ny(), base.dx(), base.dy());
        raised.fill(row.offset);
        // The step fills x >= 6, the packet rests 12 sigma away from it.
        flat.addRectangle(8.0f, 0.0f, 4.0f, 20.0f, row.step);
        raised.addRectangle(8.0f, 0.0f, 4.0f, 20.0f, row.offset + row.step);
        GaugeLinkField2D links; // Landau gauge, A = (-b y, 0)
        links.resize(base.nx(), base.ny(), base.dx(), base.dy());
        for (std::uint64_t j = 0; j < base.ny(); ++j)
            for (std::uint64_t i = 0; i < base.nx(); ++i)
                links.setLinkX(i, j, unitPhase(b * gridCoordinateY(base, j) * base.dx()));
        GaussianPacket2D packet;
        packet.x0 = -1.5f;
        packet.y0 = 0.5f;
        packet.sigma = 0.6f;
        packet.px = float(-b * packet.y0); // at rest: mechanical momentum 0
        packet.py = 0.0f;
        GaussianPacket2D::prepare(base, packet);
        ComplexField2D shifted = base;

        SplitStepFourierSolver2D plain, offset;
        plain.configure(SplitStepParameters{1.0f, hbar, dt});
        offset.configure(SplitStepParameters{1.0f, hbar, dt});
        for (int s = 0; s < steps; ++s) {
            plain.stepWithGauge(base, flat, links);
            offset.stepWithGauge(shifted, raised, links);
        }
        std::complex<double> overlap = 0.0;
        for (std::uint64_t c = 0; c < base.size(); ++c)
            overlap += std::conj(std::complex<double>(base.data()[c])) * std::complex<double>(shifted.data()[c]);
        overlap *= double(base.dx()) * double(base.dy());
        const double phase = -double(row.offset) * steps * double(dt) / double(hbar);
        SCOPED_TRACE(testing::Message() << "V0 " << row.offset << ", step " << row.step);
        ASSERT_GT(offset.subSteps(), 1u) << "the step is meant to be sharp enough for sub-steps";
        EXPECT_NEAR(std::abs(overlap), 1.0, 1e-4) << "a constant shift changed more than the phase";
        EXPECT_NEAR(std::abs(overlap - std::polar(1.0, phase)), 0.0, 1e-3)
            << "phase " << std::arg(overlap) << " instead of " << std::remainder(phase, 2.0 * kPi);
    }
}

// Which path the magnetic step takes: a sharp wall whose phase, with the
// sweeps', stays within a turn over dt keeps the whole step; a taller one is
// cut into the fewest sub-steps that bring it back within a turn. On cells
// 0.3 x 0.25 at dt 0.02 the sweeps give at most 1.06 rad, so a wall of 200
// (4 rad) keeps the whole step while the Fourier step, which counts the
// kinetic range, takes sub-steps; walls of 300 and 700 need 2 and 3. Each
// step must equal the sweeps and tables composed by hand for that count.
// The magnetic step takes at least the Fourier step's sub-steps, which the
// potential's sharp edges ask for, and more where its phases would otherwise
// wrap past a turn: the rows give the fewest that keep them within one.
TEST(GaugeWall, TheMagneticStepTakesTheFourierStepsSubStepsOrMoreToKeepItsPhasesWithinATurn)
{
    const struct {
        float height;
        std::uint32_t subSteps;
    } rows[] = {{200.0f, 1}, {300.0f, 2}, {700.0f, 3}};
    const SplitStepParameters parameters{1.0f, 1.0f, 0.02f};
    for (const auto& row : rows) {
        ComplexField2D psi(40, 36, 0.3f, 0.25f);
        PotentialField2D potential(psi.nx(), psi.ny(), psi.dx(), psi.dy());
        potential.addRectangle(4.0f, 0.0f, 4.0f, 20.0f, row.height);
        GaugeLinkField2D links;
        links.resize(psi.nx(), psi.ny(), psi.dx(), psi.dy());
        for (std::uint64_t j = 0; j < psi.ny(); ++j)
            for (std::uint64_t i = 0; i < psi.nx(); ++i)
                links.setLinkX(i, j, unitPhase(0.8 * gridCoordinateY(psi, j) * psi.dx()));
        GaussianPacket2D packet;
        packet.x0 = 0.5f;
        packet.sigma = 0.8f;
        packet.px = 2.0f;
        GaussianPacket2D::prepare(psi, packet);
        ComplexField2D expected = psi;

        SplitStepFourierSolver2D solver, sweeps;
        solver.configure(parameters);
        sweeps.configure(parameters);
        sweeps.preparePotentialPhase(potential);
        const std::uint32_t count = std::max(row.subSteps, sweeps.subSteps());
        const double tau = double(parameters.dt) / count;
        PotentialPhaseTable half, whole;
        half.rebuild(potential, tau, parameters.hbar, &whole);
        for (int s = 0; s < 10; ++s) {
            solver.stepWithGauge(psi, potential, links);
            half.apply(expected);
            for (std::uint32_t k = 0; k < count; ++k) {
                sweeps.crankNicolsonSweepX(expected, links, tau / 2.0);
                sweeps.crankNicolsonSweepY(expected, links, tau);
                sweeps.crankNicolsonSweepX(expected, links, tau / 2.0);
                (k + 1 < count ? whole : half).apply(expected);
            }
        }
        SCOPED_TRACE(testing::Message() << "wall " << row.height);
        EXPECT_GT(solver.subSteps(), 1u) << "the Fourier step counts the kinetic range as well";
        EXPECT_EQ(solver.gaugeSubSteps(), count);
        double worst = 0.0;
        for (std::uint64_t c = 0; c < psi.size(); ++c)
            worst = std::max(worst, double(std::abs(psi.data()[c] - expected.data()[c])));
        EXPECT_LT(worst, 1e-6) << "the step is not the one of its count";
        EXPECT_EQ(solver.stepCount(), 10u);
    }
}
