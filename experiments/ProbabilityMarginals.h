#pragma once

// Marginal probability profiles of a wave field, the rows of the carpet plots:
//   P_x(i) = sum_j |psi(i, j)|^2 dy   (one entry per grid column),
//   P_y(j) = sum_i |psi(i, j)|^2 dx   (one entry per grid row),
// accumulated in double and stored in single precision. An empty field gives
// an empty profile.

#include "core/ComplexField2D.h"

#include <vector>

namespace vxo {

std::vector<float> probabilityMarginalX(const ComplexField2D& field);
std::vector<float> probabilityMarginalY(const ComplexField2D& field);

} // namespace vxo
