#pragma once

#include "core/PotentialObject.h"

class Ui_MainWindow;

namespace vxo {

// The form's geometry page as one PotentialObject: geometryComboBox picks the
// kind (its index is the kind) and the page of that kind holds the strength,
// the centre and the kind's own sizes. Every other field keeps the value of a
// default object.

// The page's object: id 0, enabled. "None" (or no selection) gives kind None
// with value, width and height 0, an object the scene refuses.
PotentialObject readGeometryPage(const Ui_MainWindow& form);

// Selects the object's kind and page and writes its fields into that page,
// with the signals of the selector, the spin boxes and the enabled box
// blocked (the widgets clamp to their ranges). A rectangle or circle also
// becomes the viewport's drawing tool, with that combo's signals live. False,
// with nothing written, for kind None or an unknown kind.
bool writeGeometryPage(const Ui_MainWindow& form, const PotentialObject& object);

} // namespace vxo
