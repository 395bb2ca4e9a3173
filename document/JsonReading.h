#pragma once

// Small readers of JSON values shared by the document's codecs. The JSON layer
// keeps every number as a double, so integers and ids are decided here, from
// the double itself, rather than through conversions whose behaviour outside
// the target range is not defined.

#include <QJsonObject>
#include <QJsonValue>
#include <QLatin1String>
#include <QString>

#include <cstdint>

namespace vxo {

// True, with `out` set, when `value` is a whole number within the 32-bit
// signed range (−0 reads as 0).
bool wholeInt32(double value, std::int32_t& out);
// A JSON number as a 32-bit integer, `notWhole` when it is not a whole number
// within range (and for a value that is not a number at all).
std::int32_t int32FromJson(const QJsonValue& value, std::int32_t notWhole);

// An object id written as decimal digits only (no sign, no blanks), within
// the unsigned 64-bit range. `id` is set only on success; "0" parses as 0.
bool parseDecimalId(const QString& text, std::uint64_t& id);
QString decimalId(std::uint64_t id);
// The id rule of the settings objects: the member's string parsed as an id,
// 0 when the member is absent, not a string or not a decimal id.
std::uint64_t objectIdMember(const QJsonObject& object, QLatin1String key);

} // namespace vxo
