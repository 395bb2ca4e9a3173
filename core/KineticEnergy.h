#pragma once

namespace vxo {

// Kinetic energy of a mean momentum, p^2 / (2m); 0 when the mass is not
// positive or an argument is not finite.
double centralKineticEnergy2D(double px, double py, double mass);
double kineticEnergy1D(double p, double mass);

} // namespace vxo
