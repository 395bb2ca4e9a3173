#include "document/SettingsObjectCodec.h"

#include "document/JsonReading.h"

#include <cmath>

namespace vxo {

bool SettingsRequiredReader::numberAt(const char* key, double& value)
{
    const QJsonValue member = object_.value(QLatin1String(key));
    if (!member.isDouble()) {
        fieldFault_ = true;
        return false;
    }
    value = member.toDouble();
    return true;
}

void SettingsRequiredReader::flag(const char* key, bool& field)
{
    const QJsonValue member = object_.value(QLatin1String(key));
    if (!member.isBool()) {
        flagFault_ = true;
        return;
    }
    field = member.toBool();
}

void SettingsRequiredReader::number(const char* key, double& field) { numberAt(key, field); }

void SettingsRequiredReader::integer(const char* key, std::int32_t& field, std::int32_t notWhole)
{
    double value = 0.0;
    if (!numberAt(key, value))
        return;
    const SettingsRange* row = objectKey_ != nullptr ? findSettingsRange(objectKey_, key) : nullptr;
    if (row != nullptr && row->isCount() && std::isfinite(value)) {
        // Rounded as its box rounds it; said where that is more than noise
        // (a script's 0.41 * 100 is the 41 it stands for).
        const double used = row->shown(value);
        if (!wholeInt32(used, field)) {
            field = notWhole;
            return;
        }
        if (!isRoundingNoise(value, used))
            rounded_.push_back({QLatin1String(objectKey_), QLatin1String(key), value, field});
        return;
    }
    const double whole = std::round(value);
    if (!wholeInt32(isWholeIndex(value, whole) ? whole : value, field))
        field = notWhole;
}

void SettingsRequiredReader::unsignedInteger(const char* key, std::uint32_t& field, std::int32_t notWhole)
{
    // The signed reading's bit pattern.
    auto reading = static_cast<std::int32_t>(field);
    integer(key, reading, notWhole);
    field = static_cast<std::uint32_t>(reading);
}

void SettingsRequiredReader::objectId(const char* key, std::uint64_t& field)
{
    field = objectIdMember(object_, QLatin1String(key));
}

bool SettingsOptionalReader::take(const char* key, QJsonValue::Type type, const char* invalidMessage,
                                  QJsonValue& member)
{
    if (fault_ != nullptr)
        return false;
    member = object_.value(QLatin1String(key));
    if (member.isUndefined())
        return false;
    if (member.type() != type)
        fault_ = invalidMessage;
    return fault_ == nullptr;
}

void SettingsOptionalReader::optionalFlag(const char* key, bool& field, const char* invalidMessage)
{
    QJsonValue member;
    if (take(key, QJsonValue::Bool, invalidMessage, member))
        field = member.toBool();
}

void SettingsOptionalReader::optionalNumber(const char* key, double& field, const char* invalidMessage)
{
    QJsonValue member;
    if (take(key, QJsonValue::Double, invalidMessage, member))
        field = member.toDouble();
}

void SettingsOptionalReader::lenientFlag(const char* key, bool& field)
{
    field = object_.value(QLatin1String(key)).toBool(false);
}

void SettingsOptionalReader::lenientNumber(const char* key, double& field)
{
    const QJsonValue member = object_.value(QLatin1String(key));
    if (member.isDouble())
        field = member.toDouble();
}

void SettingsRangeChecker::check(const char* key)
{
    const SettingsRange* range = findSettingsRange(object_, key);
    if (range == nullptr) {
        covered_ = false;
        return;
    }
    const QJsonValue member = json_.value(QLatin1String(key));
    if (fault_.isEmpty() && member.isDouble())
        fault_ = range->outsideFault(member.toDouble(), universe_);
}

void SettingsWriter::flag(const char* key, bool& field) { object_.insert(QLatin1String(key), field); }

void SettingsWriter::number(const char* key, double& field) { object_.insert(QLatin1String(key), field); }

void SettingsWriter::integer(const char* key, std::int32_t& field, std::int32_t)
{
    object_.insert(QLatin1String(key), static_cast<double>(field));
}

void SettingsWriter::unsignedInteger(const char* key, std::uint32_t& field, std::int32_t notWhole)
{
    // The 32-bit pattern, as the reader takes it: every value comes back unchanged.
    auto pattern = static_cast<std::int32_t>(field);
    integer(key, pattern, notWhole);
}

void SettingsWriter::objectId(const char* key, std::uint64_t& field)
{
    object_.insert(QLatin1String(key), decimalId(field));
}

void SettingsWriter::optionalFlag(const char* key, bool& field, const char*) { flag(key, field); }

void SettingsWriter::optionalNumber(const char* key, double& field, const char*) { number(key, field); }

void SettingsWriter::lenientFlag(const char* key, bool& field) { flag(key, field); }

void SettingsWriter::lenientNumber(const char* key, double& field) { number(key, field); }

} // namespace vxo
