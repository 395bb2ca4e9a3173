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

} // namespace vxo
