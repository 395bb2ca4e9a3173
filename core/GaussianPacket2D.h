#pragma once

#include "core/ComplexField2D.h"

namespace vxo {

// The standard initial state, a normalised Gaussian wave packet with mean momentum (px, py):
//   psi(x, y) = N exp(-[(x - x0)^2 + (y - y0)^2] / (4 sigma^2)) exp(i (px x + py y) / hbar),
// so that |psi|^2 has standard deviation sigma along each axis. The momentum
// phase is taken at the absolute cell position, not relative to the centre.
struct GaussianPacket2D {
    float x0 = 0.0f;
    float y0 = 0.0f;
    float sigma = 1.0f;
    float px = 0.0f;
    float py = 0.0f;
    float hbar = 1.0f;

    // Overwrites every amplitude of a non-empty field with the packet and
    // normalises it. Throws std::invalid_argument before any write on bad
    // arguments, std::runtime_error when every amplitude underflows to zero.
    static void prepare(ComplexField2D& field, const GaussianPacket2D& packet);
};

} // namespace vxo
