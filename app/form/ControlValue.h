#pragma once

class QVariant;
class QWidget;

namespace vxo {

// Writes one saved control value into its widget with the widget's signals
// blocked (the previous blocking state comes back on every path), so no
// change handler runs. The widget's exact class decides the conversion:
// QDoubleSpinBox a double, QSpinBox an integer, QComboBox an index that must
// lie in [0, count), QCheckBox a bool; spin boxes clamp to their ranges.
// False, with the widget unchanged, for a null widget, another class, a value
// that does not convert, or a combo index the combo does not have.
bool applyControlValue(QWidget* widget, const QVariant& value);

} // namespace vxo
