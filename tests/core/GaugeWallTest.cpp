#include "core/ComplexField2D.h"
#include "core/GaugeLinkField2D.h"
#include "core/GaussianPacket2D.h"
#include "core/PhaseFactors.h"
#include "core/PotentialField2D.h"
#include "core/SplitStepFourierSolver2D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

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
