#include "app/form/ControlValue.h"

#include "document/DisplayText.h"
#include "document/JsonReading.h"
#include "document/SettingsRanges.h"

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

// The document classes, told apart by exact class only. Reading, checking
// and writing classify alike, so a control is captured exactly when it can be
// written back; a subclass (a font combo box) is none of them.
enum class ControlClass { None, DoubleSpin, IntegerSpin, Combo, Check };

ControlClass classify(const QWidget* widget)
{
    if (widget == nullptr)
        return ControlClass::None;
    const QMetaObject* type = widget->metaObject();
    if (type == &QDoubleSpinBox::staticMetaObject)
        return ControlClass::DoubleSpin;
    if (type == &QSpinBox::staticMetaObject)
        return ControlClass::IntegerSpin;
    if (type == &QComboBox::staticMetaObject)
        return ControlClass::Combo;
    if (type == &QCheckBox::staticMetaObject)
        return ControlClass::Check;
    return ControlClass::None;
}

// A saved value a number control can hold: a number, not a flag or text,
// which would otherwise convert silently (true to 1, "2" to 2).
bool isNumber(const QVariant& value)
{
    switch (value.userType()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return true;
    default:
        return false;
    }
}

// The saved value as the document wrote it, for a message.
QString writtenValue(const QVariant& value)
{
    if (value.userType() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (value.userType() == QMetaType::QString)
        return QStringLiteral("\"%1\"").arg(elideForDisplay(value.toString()));
    return elideForDisplay(value.toString());
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
        // An index a script computed in single precision (1.0000001) is
        // the entry it stands for.
        const double number = value.toDouble();
        const double nearest = std::round(number);
        std::int32_t whole = 0;
        if (!std::isfinite(number) || !isWholeIndex(number, nearest) || !wholeInt32(nearest, whole))
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
    switch (classify(&widget)) {
    case ControlClass::DoubleSpin: {
        bool converted = false;
        const double number = value.toDouble(&converted);
        if (converted)
            static_cast<QDoubleSpinBox&>(widget).setValue(number);
        return converted;
    }
    case ControlClass::IntegerSpin: {
        int number = 0;
        if (!saturatedInt(value, number))
            return false;
        static_cast<QSpinBox&>(widget).setValue(number);
        return true;
    }
    case ControlClass::Combo: {
        auto& combo = static_cast<QComboBox&>(widget);
        int index = -1;
        if (!comboIndex(combo, value, index))
            return false;
        combo.setCurrentIndex(index);
        return true;
    }
    case ControlClass::Check:
        if (!value.canConvert<bool>())
            return false;
        static_cast<QCheckBox&>(widget).setChecked(value.toBool());
        return true;
    case ControlClass::None:
        break;
    }
    return false;
}

} // namespace

QVariant controlValue(const QWidget* widget)
{
    switch (classify(widget)) {
    case ControlClass::DoubleSpin:
        return static_cast<const QDoubleSpinBox*>(widget)->value();
    case ControlClass::IntegerSpin:
        return static_cast<const QSpinBox*>(widget)->value();
    case ControlClass::Combo:
        return static_cast<const QComboBox*>(widget)->currentIndex();
    case ControlClass::Check:
        return static_cast<const QCheckBox*>(widget)->isChecked();
    case ControlClass::None:
        break;
    }
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
    const ControlClass type = classify(widget);
    if (type == ControlClass::None)
        return QStringLiteral("This build does not contain control '%1'.").arg(name);
    if (type == ControlClass::Check)
        return {};
    if (!isNumber(value))
        return QStringLiteral("Value %1 for control '%2' is not a number.").arg(writtenValue(value), name);
    if (type == ControlClass::Combo) {
        int index = -1;
        if (!comboIndex(*static_cast<const QComboBox*>(widget), value, index))
            return QStringLiteral("Invalid index %1 for control '%2'.").arg(writtenValue(value), name);
        return {};
    }
    const double number = value.toDouble();
    if (!std::isfinite(number))
        return QStringLiteral("Non-finite value for control '%1'.").arg(name);
    if (type == ControlClass::DoubleSpin && !std::isfinite(static_cast<float>(number)))
        return QStringLiteral("Out-of-range value %1 for control '%2'.").arg(writtenValue(value), name);
    return {};
}

QString controlRangeFault(const QWidget* widget, const QString& caption, const QVariant& value,
                          const std::optional<ControlRange>& range)
{
    const ControlClass type = classify(widget);
    if (type != ControlClass::DoubleSpin && type != ControlClass::IntegerSpin)
        return {};
    const ControlRange bounds = range ? *range : *controlRange(widget);
    // An integer box shows whole numbers only; a double box rounds a finer
    // value to its decimals, which the window does, and says so, on loading.
    const int decimals = type == ControlClass::DoubleSpin ? static_cast<const QDoubleSpinBox*>(widget)->decimals() : 0;
    return boxRangeFault(caption, value.toDouble(), bounds.minimum, bounds.maximum, decimals);
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
