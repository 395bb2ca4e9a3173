#pragma once

// The scene the benchmarks time: a moving Gaussian packet over a harmonic trap
// on a 40.96-wide square box of n x n cells.

#include "core/ComplexField2D.h"
#include "core/GaussianPacket2D.h"
#include "core/PotentialField2D.h"

#include <cstdint>

namespace vxo::bench {

struct BenchScene {
    ComplexField2D psi;
    PotentialField2D potential;
};

// Packet at (-5, 0) of width sigma and momentum (px, py); trap curvature c.
inline void prepareScene(BenchScene& s, std::uint64_t n, float sigma, float px, float py, float c)
{
    const float d = 40.96f / static_cast<float>(n);
    s.psi.reset(n, n, d, d);
    GaussianPacket2D packet;
    packet.x0 = -5.0f;
    packet.sigma = sigma;
    packet.px = px;
    packet.py = py;
    GaussianPacket2D::prepare(s.psi, packet);
    s.potential.reset(n, n, d, d);
    s.potential.addHarmonic(0.0f, 0.0f, 0.0f, c, c);
}

} // namespace vxo::bench
