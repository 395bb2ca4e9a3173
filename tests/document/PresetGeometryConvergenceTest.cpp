// A guided experiment's numbers come from the geometry it sets, not from the
// way its grid happens to cut that geometry: run on its own grid, the
// experiment gives what a finer grid gives.

#include "core/AbsorbingBoundary2D.h"
#include "core/ComplexField2D.h"
#include "core/GaussianPacket2D.h"
#include "core/PotentialField2D.h"
#include "core/SimulationDomain2D.h"
#include "core/SplitStepFourierSolver2D.h"
#include "document/ExperimentCatalogue.h"
#include "experiments/QuantumResonance2D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

constexpr std::uint32_t kResonantTunnelling = 7;

// The probability beyond the second barrier at time t, the preset run as the
// window runs it (its scene, packet, absorbing layer, mass and the solver's
// default step) on an n x n grid.
double resonantTransmittedAt(const vxo::ExperimentPreset& preset, std::uint64_t n, double t)
{
    const vxo::SimulationDomain2D domain(n, n, static_cast<float>(preset.universeWidth),
                                         static_cast<float>(preset.universeHeight));
    vxo::ComplexField2D psi(n, n, domain.dx(), domain.dy());
    vxo::PotentialField2D potential(n, n, domain.dx(), domain.dy());
    preset.scene.buildPotential(potential);
    vxo::GaussianPacket2D packet;
    packet.x0 = static_cast<float>(preset.packetCenterX);
    packet.y0 = static_cast<float>(preset.packetCenterY);
    packet.sigma = static_cast<float>(preset.packetSigma);
    packet.px = static_cast<float>(preset.packetMomentumX);
    packet.py = static_cast<float>(preset.packetMomentumY);
    vxo::GaussianPacket2D::prepare(psi, packet);
    vxo::SplitStepFourierSolver2D solver;
    vxo::SplitStepParameters parameters;
    parameters.mass = static_cast<float>(preset.mass);
    solver.configure(parameters);
    vxo::AbsorbingBoundary2D boundary;
    vxo::AbsorbingBoundaryConfig layer;
    layer.widthFraction = static_cast<float>(preset.absorbingWidthFraction);
    layer.strength = static_cast<float>(preset.absorbingStrength);
    boundary.prepare(psi, parameters.dt, layer);
    const auto steps = static_cast<std::uint64_t>(std::llround(t / parameters.dt));
    for (std::uint64_t s = 0; s < steps; ++s) {
        solver.step(psi, potential);
        boundary.apply(psi);
    }
    vxo::DoubleBarrierConfig barriers;
    EXPECT_TRUE(vxo::QuantumResonance2D::extractFromScene(preset.scene, barriers, nullptr));
    return vxo::QuantumResonance2D::regionProbabilities(psi, barriers).right;
}

// The preset's barriers (faces at +-0.88 and +-1.52) lie on cell centres of
// its own grid (cells 0.16 wide): painted a cell too wide, the cavity
// resonated below the packet's energy and let a quarter less through than the
// geometry set. The finer grid puts every face on a cell boundary.
TEST(PresetGeometryConvergence, ResonantTunnellingTransmitsOnItsOwnGridAsOnAFinerOne)
{
    const vxo::ExperimentPreset preset = vxo::makeExperimentPreset(kResonantTunnelling);
    ASSERT_EQ(preset.gridResolutionIndex, 1u) << "the preset runs on 512 x 512 cells";
    ASSERT_TRUE(preset.sceneActive);
    // The packet (centre -12, speed 2.5) has met the barriers; what the
    // cavity has let through has moved clear of them.
    const double t = 14.0;
    const double own = resonantTransmittedAt(preset, 512, t);
    const double fine = resonantTransmittedAt(preset, 1024, t);
    ASSERT_GT(fine, 0.1) << "the packet had not passed the barriers";
    EXPECT_NEAR(own / fine, 1.0, 0.03) << "P_T " << own << " on the preset's grid, " << fine << " on 1024 x 1024";
}

} // namespace
