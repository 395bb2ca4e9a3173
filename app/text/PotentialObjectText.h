#pragma once

#include "core/PotentialObject.h"

#include <QString>

namespace vxo {

// One line for a Potential Scene object, as the scene list and the protocol
// target selectors show it:
//   "#<id>  <kind>   <label>=<value>   (<centerX>, <centerY>)"
// with the three numbers in fixed point to 2 decimals and "   [OFF]"
// appended for a disabled object. The strength label names what `value`
// means for the kind: V0 for region shapes, A for a Gaussian, Voff for the
// Harmonic and Linear fields, g for the softened radial coupling. A kind
// outside 1..11 has an empty name and the label V0.
QString describePotentialObject(const PotentialObject& object);

// The kind's name as the description gives it ("Rectangle", "Soft Radial");
// empty for a kind outside 1..11.
QString potentialObjectKindName(PotentialObjectKind kind);

} // namespace vxo
