#pragma once

// Small readers of JSON values shared by the document's codecs, with their
// failure report and the name tables of enumerations. The JSON layer keeps
// every number as a double, so integers and ids are decided here, from the
// double itself, rather than through conversions whose behaviour outside the
// target range is not defined.

#include <QJsonObject>
#include <QJsonValue>
#include <QLatin1String>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

namespace vxo {

// Writes the one message of a failed read into `error` and returns false, so
// that a reader can end with `return readFault(error, ...)`. The `const char*`
// form takes a Latin-1 text.
bool readFault(QString& error, const QString& message);
bool readFault(QString& error, const char* message);

// True, with `out` set, when `value` is a whole number within the 32-bit
// signed range (−0 reads as 0).
bool wholeInt32(double value, std::int32_t& out);
// A JSON number as a 32-bit integer, `notWhole` when it is not a whole number
// within range (and for a value that is not a number at all).
std::int32_t int32FromJson(const QJsonValue& value, std::int32_t notWhole);

// A JSON number as a message shows it: a whole number below 2^53 in plain
// digits (1e10 as 10000000000), any other in the shortest text that reads
// back as the same double (2.5, 1e+300).
QString jsonNumberText(double value);

// An object id written as decimal digits only (no sign, no blanks), within
// the unsigned 64-bit range. `id` is set only on success; "0" parses as 0.
bool parseDecimalId(const QString& text, std::uint64_t& id);
QString decimalId(std::uint64_t id);
// The id rule of the settings objects: the member's string parsed as an id,
// 0 when the member is absent, not a string or not a decimal id.
std::uint64_t objectIdMember(const QJsonObject& object, QLatin1String key);

// Name tables of enumerations, indexed by the enumerator's value.
// The name of `value`, or `fallback` for a value beyond the table.
template <typename Enum, std::size_t N>
QString enumName(const std::array<const char*, N>& names, Enum value, const char* fallback)
{
    const auto index = static_cast<std::size_t>(value);
    return QString::fromLatin1(index < N ? names[index] : fallback);
}

// Sets `value` to the enumerator named `name` (an exact, case-sensitive
// match, from position `first` on) and returns true; false, with `value`
// untouched, when no name matches.
template <typename Enum, std::size_t N>
bool enumFromName(const std::array<const char*, N>& names, const QString& name, Enum& value, std::size_t first = 0)
{
    for (std::size_t i = first; i < N; ++i) {
        if (name == QLatin1String(names[i])) {
            value = static_cast<Enum>(i);
            return true;
        }
    }
    return false;
}

} // namespace vxo
