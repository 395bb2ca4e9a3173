#pragma once

// The common shape of the per-experiment settings objects of a document
// file. Each object lists its record's members once, in writer order, through
// a SettingsFieldVisitor; reading and writing are visitors over that list.
//
// Reading one object: the root member must be an object (else its "missing"
// message); every required member must have its JSON type (a faulty
// "enabled" is reported before the other members, with its own message where
// the object has one); the required members are read; the value check runs,
// and a record it refuses is still accepted when the settings range table
// has a row for every number of the object (else its message); every number
// the file gives must then lie in its box's range (else the first that does
// not is named with its experiment and control, the file's value and what
// the box allows); the optional and lenient members are read (a present
// optional member of the wrong type has its own message). Only then does the
// record reach the (scratch) document. Whether an enabled record fits the
// document's scene is decided once the whole file is read: one that does not
// is switched off with a note, never the reason a file is refused.

#include "document/ExperimentDocument.h"
#include "document/ExperimentTitles.h"
#include "document/JsonReading.h"
#include "document/SettingsRanges.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace vxo {

class SettingsFieldVisitor {
public:
    virtual ~SettingsFieldVisitor() = default;

    // Required members of the object's type check.
    virtual void flag(const char* key, bool& field) = 0;
    virtual void number(const char* key, double& field) = 0;
    // A number taken as a 32-bit integer; `notWhole` stands for a number that
    // is not whole or not within range. An unsigned field keeps the bit
    // pattern of the 32-bit reading.
    virtual void integer(const char* key, std::int32_t& field, std::int32_t notWhole) = 0;
    virtual void unsignedInteger(const char* key, std::uint32_t& field, std::int32_t notWhole) = 0;
    // An object id: a decimal string, 0 when absent or unreadable; never a fault.
    virtual void objectId(const char* key, std::uint64_t& field) = 0;
    // Absent: the field keeps its value; present with the wrong JSON type:
    // the read fails with `invalidMessage`.
    virtual void optionalFlag(const char* key, bool& field, const char* invalidMessage) = 0;
    virtual void optionalNumber(const char* key, double& field, const char* invalidMessage) = 0;
    // Never a fault: the flag is the member's bool value (false when absent or
    // not a bool); the number is taken only when the member is a number.
    virtual void lenientFlag(const char* key, bool& field) = 0;
    virtual void lenientNumber(const char* key, double& field) = 0;
};

// Type-checks and reads the required members and ids. A count its box shows
// (a row of the object `objectKey` in the range table) is rounded to a whole
// number as the box would round it, and kept in roundedCounts() where that
// was more than rounding noise; an index is whole within noise or not read.
class SettingsRequiredReader final : public SettingsFieldVisitor {
public:
    explicit SettingsRequiredReader(const QJsonObject& object, const char* objectKey = nullptr)
        : object_(object), objectKey_(objectKey)
    {
    }

    void flag(const char* key, bool& field) override;
    void number(const char* key, double& field) override;
    void integer(const char* key, std::int32_t& field, std::int32_t notWhole) override;
    void unsignedInteger(const char* key, std::uint32_t& field, std::int32_t notWhole) override;
    void objectId(const char* key, std::uint64_t& field) override;
    void optionalFlag(const char*, bool&, const char*) override {}
    void optionalNumber(const char*, double&, const char*) override {}
    void lenientFlag(const char*, bool&) override {}
    void lenientNumber(const char*, double&) override {}

    bool flagFault() const { return flagFault_; }
    bool fieldFault() const { return fieldFault_; }
    const std::vector<ExperimentDocument::RoundedCount>& roundedCounts() const { return rounded_; }

private:
    bool numberAt(const char* key, double& value);

    const QJsonObject& object_;
    const char* objectKey_ = nullptr;
    bool flagFault_ = false;
    bool fieldFault_ = false;
    std::vector<ExperimentDocument::RoundedCount> rounded_;
};

// Reads the optional and lenient members; the first faulty optional member
// ends the reading.
class SettingsOptionalReader final : public SettingsFieldVisitor {
public:
    explicit SettingsOptionalReader(const QJsonObject& object) : object_(object) {}

    void flag(const char*, bool&) override {}
    void number(const char*, double&) override {}
    void integer(const char*, std::int32_t&, std::int32_t) override {}
    void unsignedInteger(const char*, std::uint32_t&, std::int32_t) override {}
    void objectId(const char*, std::uint64_t&) override {}
    void optionalFlag(const char* key, bool& field, const char* invalidMessage) override;
    void optionalNumber(const char* key, double& field, const char* invalidMessage) override;
    void lenientFlag(const char* key, bool& field) override;
    void lenientNumber(const char* key, double& field) override;

    // The message of the first faulty optional member, or null.
    const char* fault() const { return fault_; }

private:
    // The member when it is to be taken: present, of `type`, and no fault
    // yet. A present member of another type records `invalidMessage`.
    bool take(const char* key, QJsonValue::Type type, const char* invalidMessage, QJsonValue& member);

    const QJsonObject& object_;
    const char* fault_ = nullptr;
};

// Writes every member: bools, numbers, integers as numbers, ids as decimal strings.
class SettingsWriter final : public SettingsFieldVisitor {
public:
    void flag(const char* key, bool& field) override;
    void number(const char* key, double& field) override;
    void integer(const char* key, std::int32_t& field, std::int32_t notWhole) override;
    void unsignedInteger(const char* key, std::uint32_t& field, std::int32_t notWhole) override;
    void objectId(const char* key, std::uint64_t& field) override;
    void optionalFlag(const char* key, bool& field, const char* invalidMessage) override;
    void optionalNumber(const char* key, double& field, const char* invalidMessage) override;
    void lenientFlag(const char* key, bool& field) override;
    void lenientNumber(const char* key, double& field) override;

    const QJsonObject& result() const { return object_; }

private:
    QJsonObject object_;
};

// Holds every number of one object, as the file gives it, to its row of the
// range table: a count the reader takes as a placeholder (a fraction reads
// as -1 or 0) is judged, and named, by the file's own number. The table
// covers the object when every number has a row.
class SettingsRangeChecker final : public SettingsFieldVisitor {
public:
    SettingsRangeChecker(const char* object, const QJsonObject& json, const std::optional<UniverseExtent>& universe)
        : object_(object), json_(json), universe_(universe)
    {
    }

    void flag(const char*, bool&) override {}
    void number(const char* key, double&) override { check(key); }
    void integer(const char* key, std::int32_t&, std::int32_t) override { check(key); }
    void unsignedInteger(const char* key, std::uint32_t&, std::int32_t) override { check(key); }
    void objectId(const char*, std::uint64_t&) override {}
    void optionalFlag(const char*, bool&, const char*) override {}
    void optionalNumber(const char* key, double&, const char*) override { check(key); }
    void lenientFlag(const char*, bool&) override {}
    void lenientNumber(const char* key, double&) override { check(key); }

    // True when every number of the object has a row.
    bool covered() const { return covered_; }
    // Why the first number the box cannot show is refused; empty when none.
    const QString& fault() const { return fault_; }

private:
    // A member that is absent or no number is left to the readers.
    void check(const char* key);

    const char* object_;
    const QJsonObject& json_;
    std::optional<UniverseExtent> universe_;
    bool covered_ = true;
    QString fault_;
};

// One check of a settings record; a null `passes` always passes. The
// document is the scratch document, whose scene has already been read.
template <typename Record>
struct SettingsCheck {
    bool (*passes)(const Record& record, const ExperimentDocument& document);
    const char* failureMessage;
};

template <typename Record>
struct SettingsObject {
    const char* key;
    Record ExperimentSettingsRecords::*member;
    void (*fields)(SettingsFieldVisitor& visitor, Record& record);
    const char* missingMessage;
    const char* enabledMessage; // a required flag that is not a JSON bool
    const char* fieldsMessage;  // any other required member of the wrong type
    SettingsCheck<Record> valueCheck;
    // Why the record, enabled, cannot act on the document's scene (its
    // target missing, of another kind, without the parameter it needs);
    // empty when it can or is off. Null for a record the scene does not
    // concern.
    QString (*sceneFault)(const Record& record, const ExperimentDocument& document);
};

// An analysis validator of the record alone as a check, called without a
// message text (it takes either a std::string* or a const char** out-parameter).
template <typename Record, auto validate>
bool validatedBy(const Record& record, const ExperimentDocument&)
{
    return validate(record, nullptr);
}

template <typename Record>
bool readSettingsObject(const SettingsObject<Record>& codec, const QJsonObject& root, ExperimentDocument& document,
                        QString& error)
{
    const QJsonValue member = root.value(QLatin1String(codec.key));
    if (!member.isObject())
        return readFault(error, codec.missingMessage);
    const QJsonObject object = member.toObject();

    Record record = document.*codec.member;
    SettingsRequiredReader required(object, codec.key);
    codec.fields(required, record);
    if (required.flagFault())
        return readFault(error, codec.enabledMessage);
    if (required.fieldFault())
        return readFault(error, codec.fieldsMessage);
    SettingsRangeChecker ranges(codec.key, object, documentUniverse(document));
    codec.fields(ranges, record);
    // The experiment's rules between values are its own, applied when it
    // runs: a record it refuses is kept when the table covers every value.
    if (codec.valueCheck.passes != nullptr && !codec.valueCheck.passes(record, document) && !ranges.covered())
        return readFault(error, codec.valueCheck.failureMessage);
    if (!ranges.fault().isEmpty())
        return readFault(error, ranges.fault());

    SettingsOptionalReader optional(object);
    codec.fields(optional, record);
    if (optional.fault() != nullptr)
        return readFault(error, optional.fault());

    document.*codec.member = record;
    document.roundedCounts.insert(document.roundedCounts.end(), required.roundedCounts().begin(),
                                  required.roundedCounts().end());
    return true;
}

template <typename Record>
QJsonObject writeSettingsObject(const SettingsObject<Record>& codec, const ExperimentDocument& document)
{
    Record record = document.*codec.member;
    SettingsWriter writer;
    codec.fields(writer, record);
    return writer.result();
}

// Why a record of `codec`, taken as enabled, cannot act on the document's
// scene: the scene off or empty, or the record's own fault (its target
// missing, switched off, of another kind, without the parameter it needs);
// empty when it can, or when the scene does not concern the record. The one
// rule of the reader, of Save and of the window's rebuild.
template <typename Record>
QString sceneRefusal(const SettingsObject<Record>& codec, const ExperimentDocument& document)
{
    if (codec.sceneFault == nullptr)
        return {};
    if (document.potentialScene.empty())
        return QStringLiteral("the Potential Scene is empty");
    if (!document.potentialSceneActive)
        return QStringLiteral("the Potential Scene is off");
    return codec.sceneFault(document.*codec.member, document);
}

// Switches an enabled record off when it cannot act on the document's scene,
// noting the record, its experiment and why in the document's switchedOff
// list when `noted`. The window runs such a record as if it were off (its
// applier finds nothing to act on), so a teacher's file loads whole but for
// it, and a document that keeps it off reads back and runs as the window ran
// it.
template <typename Record>
void switchOffWhereTheSceneRefuses(const SettingsObject<Record>& codec, ExperimentDocument& document, bool noted)
{
    Record& record = document.*codec.member;
    if (!record.enabled)
        return;
    const QString reason = sceneRefusal(codec, document);
    if (reason.isEmpty())
        return;
    record.enabled = false;
    if (noted)
        document.switchedOff.push_back({QLatin1String(codec.key), settingsObjectTitle(codec.key), reason});
}

// Why an enabled record cannot reach the target object `id` names: none
// named, none such in the scene, or one switched off; empty when the scene
// holds it in force.
inline QString targetFault(const PotentialScene& scene, std::uint64_t id)
{
    if (id == 0)
        return QStringLiteral("it names no target object");
    const PotentialObject* object = scene.find(id);
    if (object == nullptr)
        return QStringLiteral("its target, object #%1, is not in the Potential Scene").arg(id);
    if (!object->enabled)
        return QStringLiteral("its target, object #%1, is switched off").arg(id);
    return {};
}

// An analysis check's message as part of a reason: without its closing full stop.
inline QString checkMessage(const char* message)
{
    QString text = QLatin1String(message != nullptr ? message : "");
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

// Defines the public reader and writer of one settings object from its codec.
#define VXO_SETTINGS_OBJECT_FUNCTIONS(readName, writeName, codec)                                                      \
    bool readName(const QJsonObject& root, ExperimentDocument& document, QString& error)                               \
    {                                                                                                                  \
        return readSettingsObject(codec, root, document, error);                                                       \
    }                                                                                                                  \
    QJsonObject writeName(const ExperimentDocument& document) { return writeSettingsObject(codec, document); }

} // namespace vxo
