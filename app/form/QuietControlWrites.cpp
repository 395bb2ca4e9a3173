#include "app/form/QuietControlWrites.h"

#include "app/form/ControlValue.h"

#include <algorithm>
#include <cmath>

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSpinBox>

namespace vxo {

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
    if (box && std::isfinite(lowest) && std::isfinite(highest))
        setControlRange(box, {std::min(box->minimum(), lowest), std::max(box->maximum(), highest)});
}

} // namespace vxo
