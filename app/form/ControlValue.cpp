#include "app/form/ControlValue.h"

#include "document/DisplayText.h"
#include "document/JsonReading.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QString>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vxo {

namespace {

template <typename Widget>
bool isExactly(const QWidget* widget)
{
    return widget->metaObject() == &Widget::staticMetaObject;
}

constexpr int kLowestInt = std::numeric_limits<int>::min();
constexpr int kHighestInt = std::numeric_limits<int>::max();

// A saved whole number as an int. Documents hold numbers as doubles, whose
// conversion to int wraps beyond the 32-bit range and rounds fractions: a
// fraction, a number beyond the range or text that is not a whole number
// gives false instead.
bool wholeIndex(const QVariant& value, int& index)
{
    const int type = value.userType();
    if (type == QMetaType::Double || type == QMetaType::Float) {
        std::int32_t whole = 0;
        if (!wholeInt32(value.toDouble(), whole))
            return false;
        index = whole;
        return true;
    }
    if (type == QMetaType::ULongLong) {
        const qulonglong wide = value.toULongLong();
        if (wide > static_cast<qulonglong>(kHighestInt))
            return false;
        index = static_cast<int>(wide);
        return true;
    }
    bool converted = false;
    const qlonglong wide = value.toLongLong(&converted);
    if (!converted || wide < kLowestInt || wide > kHighestInt)
        return false;
    index = static_cast<int>(wide);
    return true;
}

// The combo entry a saved index selects; false when the combo has none.
bool comboIndex(const QComboBox& combo, const QVariant& value, int& index)
{
    return wholeIndex(value, index) && index >= 0 && index < combo.count();
}

// A saved number for an integer spin box, rounded and held to the int range
// (the box then clamps to its own); false for what is no finite number.
bool saturatedInt(const QVariant& value, int& number)
{
    bool converted = false;
    const double real = value.toDouble(&converted);
    if (!converted || !std::isfinite(real))
        return false;
    number = static_cast<int>(std::round(std::clamp(real, double(kLowestInt), double(kHighestInt))));
    return true;
}

// The write of applyControlValue, signals already blocked.
bool writeByExactClass(QWidget& widget, const QVariant& value)
{
    if (isExactly<QDoubleSpinBox>(&widget)) {
        bool converted = false;
        const double number = value.toDouble(&converted);
        if (converted)
            static_cast<QDoubleSpinBox&>(widget).setValue(number);
        return converted;
    }
    if (isExactly<QSpinBox>(&widget)) {
        int number = 0;
        if (!saturatedInt(value, number))
            return false;
        static_cast<QSpinBox&>(widget).setValue(number);
        return true;
    }
    if (isExactly<QComboBox>(&widget)) {
        auto& combo = static_cast<QComboBox&>(widget);
        int index = -1;
        if (!comboIndex(combo, value, index))
            return false;
        combo.setCurrentIndex(index);
        return true;
    }
    if (isExactly<QCheckBox>(&widget)) {
        if (!value.canConvert<bool>())
            return false;
        static_cast<QCheckBox&>(widget).setChecked(value.toBool());
        return true;
    }
    return false;
}

} // namespace

QVariant controlValue(const QWidget* widget)
{
    if (const auto* box = qobject_cast<const QDoubleSpinBox*>(widget))
        return box->value();
    if (const auto* box = qobject_cast<const QSpinBox*>(widget))
        return box->value();
    if (const auto* combo = qobject_cast<const QComboBox*>(widget))
        return combo->currentIndex();
    if (const auto* box = qobject_cast<const QCheckBox*>(widget))
        return box->isChecked();
    return {};
}

bool applyControlValue(QWidget* widget, const QVariant& value)
{
    if (widget == nullptr || !value.isValid())
        return false;
    bool written = false;
    writeQuietly(widget, [&value, &written](QWidget& control) { written = writeByExactClass(control, value); });
    return written;
}

QString controlValueFault(const QWidget* widget, const QString& name, const QVariant& value)
{
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        int index = -1;
        if (!comboIndex(*combo, value, index))
            return QStringLiteral("Invalid index %1 for control '%2'.").arg(elideForDisplay(value.toString()), name);
    } else if (qobject_cast<const QDoubleSpinBox*>(widget) != nullptr) {
        bool converted = false;
        const double number = value.toDouble(&converted);
        if (!converted || !std::isfinite(number))
            return QStringLiteral("Non-finite value for control '%1'.").arg(name);
        if (!std::isfinite(static_cast<float>(number)))
            return QStringLiteral("Out-of-range value %1 for control '%2'.")
                .arg(elideForDisplay(value.toString()), name);
    } else if (qobject_cast<const QSpinBox*>(widget) != nullptr) {
        int number = 0;
        if (!saturatedInt(value, number))
            return QStringLiteral("Non-finite value for control '%1'.").arg(name);
    }
    return {};
}

std::optional<ControlRange> controlRange(const QWidget* widget)
{
    if (const auto* box = qobject_cast<const QDoubleSpinBox*>(widget))
        return ControlRange{box->minimum(), box->maximum()};
    if (const auto* box = qobject_cast<const QSpinBox*>(widget))
        return ControlRange{double(box->minimum()), double(box->maximum())};
    return std::nullopt;
}

bool setControlRange(QWidget* widget, const ControlRange& range)
{
    if (auto* box = qobject_cast<QDoubleSpinBox*>(widget)) {
        writeQuietly(box, [&range](QDoubleSpinBox& spin) { spin.setRange(range.minimum, range.maximum); });
        return true;
    }
    if (auto* box = qobject_cast<QSpinBox*>(widget)) {
        writeQuietly(box, [&range](QSpinBox& spin) { spin.setRange(int(range.minimum), int(range.maximum)); });
        return true;
    }
    return false;
}

} // namespace vxo
