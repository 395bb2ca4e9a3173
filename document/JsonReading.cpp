#include "document/JsonReading.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace vxo {

bool readFault(QString& error, const QString& message)
{
    error = message;
    return false;
}

bool readFault(QString& error, const char* message) { return readFault(error, QString::fromLatin1(message)); }

bool wholeInt32(double value, std::int32_t& out)
{
    // Both bounds are exact in double; NaN fails the comparisons.
    constexpr double lowest = static_cast<double>(std::numeric_limits<std::int32_t>::min());
    constexpr double highest = static_cast<double>(std::numeric_limits<std::int32_t>::max());
    if (!(value >= lowest && value <= highest) || std::trunc(value) != value)
        return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

std::int32_t int32FromJson(const QJsonValue& value, std::int32_t notWhole)
{
    std::int32_t result = notWhole;
    if (value.isDouble() && wholeInt32(value.toDouble(), result))
        return result;
    return notWhole;
}

QString jsonNumberText(double value)
{
    // Up to 2^53 every whole double is exact in 64 bits.
    constexpr double exactWhole = 9007199254740992.0;
    if (std::isfinite(value) && std::trunc(value) == value && std::fabs(value) <= exactWhole)
        return QString::number(static_cast<qint64>(value));
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

bool parseDecimalId(const QString& text, std::uint64_t& id)
{
    if (text.isEmpty())
        return false;
    constexpr std::uint64_t largest = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t parsed = 0;
    for (const QChar c : text) {
        const ushort unit = c.unicode();
        if (unit < u'0' || unit > u'9')
            return false;
        const std::uint64_t digit = unit - u'0';
        if (parsed > (largest - digit) / 10)
            return false;
        parsed = parsed * 10 + digit;
    }
    id = parsed;
    return true;
}

QString decimalId(std::uint64_t id) { return QString::number(static_cast<qulonglong>(id)); }

std::uint64_t objectIdMember(const QJsonObject& object, QLatin1String key)
{
    const QJsonValue value = object.value(key);
    std::uint64_t id = 0;
    if (value.isString() && parseDecimalId(value.toString(), id))
        return id;
    return 0;
}

} // namespace vxo
