#pragma once

#include <QSignalBlocker>
#include <QVariant>

#include <optional>

class QString;
class QWidget;

namespace vxo {

// A form control's value as documents and snapshots hold it, one per control
// class: a QDoubleSpinBox its value as a double, a QSpinBox its value as an
// int, a QComboBox its current index as an int, a QCheckBox its state as a
// bool. Reading, writing, the spin boxes' ranges and the quiet write that
// every program write into the form goes through live here, so that a
// document, the settings form and the fresh-window snapshot agree on them.

// One program write into a control with its signals blocked, so no handler
// meant for the user's edits runs; the control's previous blocking state
// comes back on every path. Nothing for a null control.
template <typename Control, typename Write>
void writeQuietly(Control* control, Write&& write)
{
    if (control == nullptr)
        return;
    const QSignalBlocker blocker(control);
    write(*control);
}

// The control's value by its exact class (QDoubleSpinBox, QSpinBox, QComboBox,
// QCheckBox); invalid for a null widget or any other class, a subclass of
// these included, since applyControlValue could not write it back.
QVariant controlValue(const QWidget* widget);

// Writes one saved control value into its widget quietly (writeQuietly). The
// widget's exact class decides the conversion: QDoubleSpinBox a double,
// QSpinBox an integer, QComboBox an index that must be a whole number in
// [0, count), QCheckBox a bool; spin boxes clamp to their ranges, an integer
// beyond the 32-bit range included. False, with the widget unchanged, for a
// null widget, another class, a value that does not convert, or a combo
// index the combo does not have.
bool applyControlValue(QWidget* widget, const QVariant& value);

// Why applyControlValue cannot take the saved value `value` of the control
// named `name`; empty when it can. The widget must be of one of the four
// classes. A spin box or combo value must be a number (a flag or text is
// refused, naming what was found); a combo index must be a whole number the
// combo has, and a spin box number must be finite; a double spin box value
// must also fit single precision, the precision the simulation computes in.
// A check box takes any value, as its write converts it.
QString controlValueFault(const QWidget* widget, const QString& name, const QVariant& value);

// The range of a spin box (an integer one's bounds as doubles).
struct ControlRange {
    double minimum = 0.0;
    double maximum = 0.0;
};

// Why the spin box `widget`, named in messages by `caption`, cannot take the
// saved number `value` without clamping it; empty when it can, and for any
// other control. The value must lie in `range` (the box's own range when
// none is given), rounding noise aside, and be a whole number for an integer
// box; more decimals than a double box shows are no fault (the window
// rounds them). Call after controlValueFault passed.
QString controlRangeFault(const QWidget* widget, const QString& caption, const QVariant& value,
                          const std::optional<ControlRange>& range);

// None for a null widget or a control that is no spin box.
std::optional<ControlRange> controlRange(const QWidget* widget);

// Sets a spin box's range quietly, the value clamped into it; false, nothing
// changed, for a null widget or a control that is no spin box.
bool setControlRange(QWidget* widget, const ControlRange& range);

} // namespace vxo
