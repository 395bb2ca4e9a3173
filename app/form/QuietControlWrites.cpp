#include "app/form/QuietControlWrites.h"

#include <algorithm>
#include <cmath>

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QSpinBox>

namespace vxo {

namespace {

// One write into a control with its signals blocked; nothing for a null control.
template <typename Control, typename Write>
void writeQuietly(Control* control, Write write)
{
    if (!control)
        return;
    const QSignalBlocker blocker(control);
    write(*control);
}

} // namespace

void setCheckedQuietly(QAbstractButton* box, bool checked)
{
    writeQuietly(box, [checked](QAbstractButton& button) { button.setChecked(checked); });
}

void setIndexQuietly(QComboBox* combo, int index)
{
    if (combo && index >= 0 && index < combo->count())
        writeQuietly(combo, [index](QComboBox& target) { target.setCurrentIndex(index); });
}

void setValueQuietly(QDoubleSpinBox* box, double value)
{
    writeQuietly(box, [value](QDoubleSpinBox& spin) { spin.setValue(value); });
}

void setValueQuietly(QSpinBox* box, int value)
{
    writeQuietly(box, [value](QSpinBox& spin) { spin.setValue(value); });
}

void admitRangeQuietly(QDoubleSpinBox* box, double lowest, double highest)
{
    if (std::isfinite(lowest) && std::isfinite(highest))
        writeQuietly(box, [lowest, highest](QDoubleSpinBox& spin) {
            spin.setRange(std::min(spin.minimum(), lowest), std::max(spin.maximum(), highest));
        });
}

} // namespace vxo
