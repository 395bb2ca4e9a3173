#pragma once

// Probability of each px column of a momentum-space field,
//   P_i = sum over rows of |phi|^2 dpx dpy,
// accumulated in double: the momentum distribution along x that the kicked
// rotor and the Kapitza-Dirac recorders bin into modes and orders.

#include "core/MomentumSpace2D.h"

#include <vector>

namespace vxo {

// Empty when the field is empty, the px axis does not match its columns, the
// py axis is empty or either step is not positive.
std::vector<double> momentumColumnProbabilities(const MomentumSpace2D& momentumSpace);

// The columns as a distribution in single precision: divided by their sum when
// that is positive and finite (true returned), as they are otherwise. The sum
// goes to total.
bool momentumColumnDistribution(const std::vector<double>& columns, double& total, std::vector<float>& distribution);

} // namespace vxo
