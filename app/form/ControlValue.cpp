#include "app/form/ControlValue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVariant>

namespace vxo {

namespace {

template <typename Widget>
bool isExactly(const QWidget* widget)
{
    return widget->metaObject() == &Widget::staticMetaObject;
}

} // namespace

bool applyControlValue(QWidget* widget, const QVariant& value)
{
    if (widget == nullptr || !value.isValid())
        return false;
    const QSignalBlocker blocker(widget);
    bool converted = false;
    if (isExactly<QDoubleSpinBox>(widget)) {
        const double number = value.toDouble(&converted);
        if (converted)
            static_cast<QDoubleSpinBox*>(widget)->setValue(number);
        return converted;
    }
    if (isExactly<QSpinBox>(widget)) {
        const int number = value.toInt(&converted);
        if (converted)
            static_cast<QSpinBox*>(widget)->setValue(number);
        return converted;
    }
    if (isExactly<QComboBox>(widget)) {
        auto* combo = static_cast<QComboBox*>(widget);
        const int index = value.toInt(&converted);
        if (!converted || index < 0 || index >= combo->count())
            return false;
        combo->setCurrentIndex(index);
        return true;
    }
    if (isExactly<QCheckBox>(widget)) {
        if (!value.canConvert<bool>())
            return false;
        static_cast<QCheckBox*>(widget)->setChecked(value.toBool());
        return true;
    }
    return false;
}

} // namespace vxo
