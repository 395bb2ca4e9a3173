#pragma once

#include <functional>

namespace vxo {

// The spread of the momentum of a Gaussian packet whose |psi|^2 has standard
// deviation sigma along that axis: hbar / (2 sigma). 0 unless both are
// finite and positive.
double gaussianMomentumSpread(double sigma, double hbar);

// What a Gaussian packet of mean momentum p0 and spread sigmaP along the
// direction of incidence measures of a plane-wave transmission T(E): the
// average of T(p^2 / 2m) over its momentum distribution, the components
// moving away from the barrier (p <= 0) never transmitted. T(E) at the mean
// energy when the spread is 0; 0 for a mass that is not finite and positive.
double packetAveragedTransmission(const std::function<double(double energy)>& transmission, double p0, double sigmaP,
                                  double mass);

} // namespace vxo
