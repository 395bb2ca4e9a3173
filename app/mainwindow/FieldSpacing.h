#pragma once

#include "core/ComplexField2D.h"

namespace vxo {

// Grid spacing of a field widened to double; 0 for an empty field (the
// momentum field before its first transform).
inline double fieldDxOrZero(const ComplexField2D& field) { return field.empty() ? 0.0 : field.dx(); }
inline double fieldDyOrZero(const ComplexField2D& field) { return field.empty() ? 0.0 : field.dy(); }

} // namespace vxo
