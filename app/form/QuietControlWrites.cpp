#include "app/form/QuietControlWrites.h"

#include <algorithm>
#include <cmath>

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QSpinBox>

namespace vxo {

void setCheckedQuietly(QAbstractButton* box, bool checked)
{
    if (!box)
        return;
    const QSignalBlocker blocker(box);
    box->setChecked(checked);
}

void setIndexQuietly(QComboBox* combo, int index)
{
    if (!combo || index < 0 || index >= combo->count())
        return;
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index);
}

void setValueQuietly(QDoubleSpinBox* box, double value)
{
    if (!box)
        return;
    const QSignalBlocker blocker(box);
    box->setValue(value);
}

void setValueQuietly(QSpinBox* box, int value)
{
    if (!box)
        return;
    const QSignalBlocker blocker(box);
    box->setValue(value);
}

void admitRangeQuietly(QDoubleSpinBox* box, double lowest, double highest)
{
    if (!box || !std::isfinite(lowest) || !std::isfinite(highest))
        return;
    const QSignalBlocker blocker(box);
    box->setRange(std::min(box->minimum(), lowest), std::max(box->maximum(), highest));
}

} // namespace vxo
