#pragma once

class QString;
class QVariant;
class QWidget;

namespace vxo {

// Writes one saved control value into its widget with the widget's signals
// blocked (the previous blocking state comes back on every path), so no
// change handler runs. The widget's exact class decides the conversion:
// QDoubleSpinBox a double, QSpinBox an integer, QComboBox an index that must
// be a whole number in [0, count), QCheckBox a bool; spin boxes clamp to
// their ranges, an integer beyond the 32-bit range included. False, with the
// widget unchanged, for a null widget, another class, a value that does not
// convert, or a combo index the combo does not have.
bool applyControlValue(QWidget* widget, const QVariant& value);

// Why applyControlValue cannot take the saved value `value` of the control
// named `name`; empty when it can. A combo index must be a whole number the
// combo has, and a spin box number must be finite; a double spin box value
// must also fit single precision, the precision the simulation computes in.
QString controlValueFault(const QWidget* widget, const QString& name, const QVariant& value);

} // namespace vxo
