#pragma once

// Amplitude envelope of a Gaussian state of position width sigma (the
// probability density has standard deviation sigma), at offset d from its
// centre: exp(-d^2 / (4 sigma^2)), and in the plane
// exp(-(dx^2 + dy^2) / (4 sigma^2)). The initial states of the experiments
// build their packets, lanes, combs and envelopes from it.

#include <cmath>

namespace vxo {

inline double gaussianEnvelope(double d, double sigma) { return std::exp(-(d * d) / (4.0 * sigma * sigma)); }

inline double gaussianEnvelope(double dx, double dy, double sigma)
{
    return std::exp(-(dx * dx + dy * dy) / (4.0 * sigma * sigma));
}

} // namespace vxo
