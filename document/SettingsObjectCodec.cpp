#include "document/SettingsObjectCodec.h"

#include "document/JsonReading.h"

namespace vxo {

bool settingsFault(QString& error, const char* message)
{
    error = QString::fromLatin1(message);
    return false;
}

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

void SettingsRequiredReader::number(const char* key, double& field)
{
    numberAt(key, field);
}

void SettingsRequiredReader::integer(const char* key, std::int32_t& field, std::int32_t notWhole)
{
    double value = 0.0;
    if (numberAt(key, value) && !wholeInt32(value, field))
        field = notWhole;
}

void SettingsRequiredReader::unsignedInteger(const char* key, std::uint32_t& field, std::int32_t notWhole)
{
    double value = 0.0;
    std::int32_t reading = notWhole;
    if (!numberAt(key, value))
        return;
    if (!wholeInt32(value, reading))
        reading = notWhole;
    field = static_cast<std::uint32_t>(reading);
}

void SettingsRequiredReader::objectId(const char* key, std::uint64_t& field)
{
    field = objectIdMember(object_, QLatin1String(key));
}

void SettingsOptionalReader::optionalFlag(const char* key, bool& field, const char* invalidMessage)
{
    const QJsonValue member = object_.value(QLatin1String(key));
    if (fault_ != nullptr || member.isUndefined())
        return;
    if (member.isBool())
        field = member.toBool();
    else
        fault_ = invalidMessage;
}

void SettingsOptionalReader::optionalNumber(const char* key, double& field, const char* invalidMessage)
{
    const QJsonValue member = object_.value(QLatin1String(key));
    if (fault_ != nullptr || member.isUndefined())
        return;
    if (member.isDouble())
        field = member.toDouble();
    else
        fault_ = invalidMessage;
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

void SettingsWriter::flag(const char* key, bool& field)
{
    object_.insert(QLatin1String(key), field);
}

void SettingsWriter::number(const char* key, double& field)
{
    object_.insert(QLatin1String(key), field);
}

void SettingsWriter::integer(const char* key, std::int32_t& field, std::int32_t)
{
    object_.insert(QLatin1String(key), static_cast<double>(field));
}

void SettingsWriter::unsignedInteger(const char* key, std::uint32_t& field, std::int32_t)
{
    // The 32-bit pattern, as the reader takes it: every value comes back unchanged.
    object_.insert(QLatin1String(key), static_cast<double>(static_cast<std::int32_t>(field)));
}

void SettingsWriter::objectId(const char* key, std::uint64_t& field)
{
    object_.insert(QLatin1String(key), decimalId(field));
}

void SettingsWriter::optionalFlag(const char* key, bool& field, const char*)
{
    flag(key, field);
}

void SettingsWriter::optionalNumber(const char* key, double& field, const char*)
{
    number(key, field);
}

void SettingsWriter::lenientFlag(const char* key, bool& field)
{
    flag(key, field);
}

void SettingsWriter::lenientNumber(const char* key, double& field)
{
    number(key, field);
}

} // namespace vxo
