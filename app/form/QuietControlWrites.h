#pragma once

class QAbstractButton;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

namespace vxo {

// Program writes into form controls, typed, each one writeQuietly of
// ControlValue.h: no handler meant for the user's edits reacts, and the
// caller rebuilds or refreshes once itself. A null control is skipped.

void setCheckedQuietly(QAbstractButton* box, bool checked);
// The combo keeps its current entry for an index outside its items.
void setIndexQuietly(QComboBox* combo, int index);
// The box clamps the value to its range and rounds it to its decimals.
void setValueQuietly(QDoubleSpinBox* box, double value);
void setValueQuietly(QSpinBox* box, int value);
// Widens the box's range, never narrows it, so that lowest and highest fit.
void admitRangeQuietly(QDoubleSpinBox* box, double lowest, double highest);

} // namespace vxo
