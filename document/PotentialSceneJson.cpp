#include "document/PotentialSceneJson.h"

#include "core/Numeric.h"
#include "document/DisplayText.h"
#include "document/JsonReading.h"

#include <QJsonArray>

#include <array>

namespace vxo {

namespace {

// Indexed by the kind's value; 0 (None) has no name.
constexpr std::array<const char*, 12> kTypeNames = {
    "",         "rectangle", "circle", "barrier",        "singleSlit",      "doubleSlit", "polygonWedge",
    "gaussian", "harmonic",  "linear", "softenedRadial", "stadiumExterior",
};

struct FloatMember {
    const char* key;
    float PotentialObject::*field;
    bool required; // optional members keep the object's default when absent
};

// In writer order.
constexpr std::array<FloatMember, 18> kFloatMembers = {{
    {"value", &PotentialObject::value, true},
    {"centerX", &PotentialObject::centerX, true},
    {"centerY", &PotentialObject::centerY, true},
    {"width", &PotentialObject::width, true},
    {"height", &PotentialObject::height, true},
    {"radius", &PotentialObject::radius, true},
    {"length", &PotentialObject::length, true},
    {"thickness", &PotentialObject::thickness, true},
    {"wallWidth", &PotentialObject::wallWidth, true},
    {"slitHeight", &PotentialObject::slitHeight, true},
    {"slitSeparation", &PotentialObject::slitSeparation, true},
    {"sigmaX", &PotentialObject::sigmaX, false},
    {"sigmaY", &PotentialObject::sigmaY, false},
    {"curvatureX", &PotentialObject::curvatureX, false},
    {"curvatureY", &PotentialObject::curvatureY, false},
    {"slopeX", &PotentialObject::slopeX, false},
    {"slopeY", &PotentialObject::slopeY, false},
    {"softening", &PotentialObject::softening, false},
}};

bool objectFault(QString& error, const char* message, int index)
{
    return readFault(error, QString::fromLatin1(message).arg(index));
}

} // namespace

QString potentialObjectTypeName(PotentialObjectKind kind) { return enumName(kTypeNames, kind, ""); }

// Position 0, the nameless kind None, is never read from a file.
bool potentialObjectTypeFromName(const QString& name, PotentialObjectKind& kind)
{
    return enumFromName(kTypeNames, name, kind, 1);
}

bool readFiniteDouble(const QJsonObject& object, QLatin1String key, float& out)
{
    const QJsonValue member = object.value(key);
    if (!member.isDouble())
        return false;
    const double value = member.toDouble();
    if (!isFinite(value))
        return false;
    // IEEE narrowing: beyond the single-precision range the result is infinite.
    out = static_cast<float>(value);
    return isFinite(out);
}

bool readPotentialSceneObject(const QJsonObject& object, PotentialObject& out, QString& error, int index)
{
    PotentialObject read;

    const QJsonValue id = object.value(QLatin1String("id"));
    if (!id.isString() || !parseDecimalId(id.toString(), read.id) || read.id == 0)
        return objectFault(error, "Potential scene object %1 has an invalid id.", index);

    if (!potentialObjectTypeFromName(object.value(QLatin1String("type")).toString(), read.kind))
        return objectFault(error, "Potential scene object %1 has an unknown type.", index);

    const QJsonValue enabled = object.value(QLatin1String("enabled"));
    if (!enabled.isBool())
        return objectFault(error, "Potential scene object %1 has an invalid enabled flag.", index);
    read.enabled = enabled.toBool();

    for (const FloatMember& member : kFloatMembers) {
        const QLatin1String key(member.key);
        if (!member.required && !object.contains(key))
            continue;
        if (!readFiniteDouble(object, key, read.*member.field)) {
            return readFault(
                error, QStringLiteral("Potential scene object %1 has invalid numeric field '%2'.").arg(index).arg(key));
        }
    }

    if (!PotentialObject::isValid(read))
        return objectFault(error, "Potential scene object %1 contains invalid geometry dimensions.", index);
    out = read;
    return true;
}

QJsonObject writePotentialSceneObject(const PotentialObject& object)
{
    QJsonObject json;
    json.insert(QLatin1String("id"), decimalId(object.id));
    json.insert(QLatin1String("type"), potentialObjectTypeName(object.kind));
    json.insert(QLatin1String("enabled"), object.enabled);
    for (const FloatMember& member : kFloatMembers)
        json.insert(QLatin1String(member.key), static_cast<double>(object.*member.field));
    return json;
}

bool readPotentialScene(const QJsonObject& root, ExperimentDocument& document, QString& error)
{
    const QJsonValue member = root.value(QLatin1String("potentialScene"));
    if (!member.isObject()) {
        return readFault(error, QStringLiteral("Experiment schema 2/3/4/5/6/7/8/9/10/11/12/13/14/15/16/17/18/19/20/"
                                               "21/22/23 is missing a valid potentialScene object."));
    }
    const QJsonObject sceneObject = member.toObject();
    const QJsonValue active = sceneObject.value(QLatin1String("active"));
    const QJsonValue objects = sceneObject.value(QLatin1String("objects"));
    if (!active.isBool() || !objects.isArray())
        return readFault(error, QStringLiteral("Experiment potentialScene must contain active and objects fields."));
    const QString composition = sceneObject.value(QLatin1String("composition")).toString();
    if (!composition.isEmpty() && composition != QLatin1String("additive"))
        return readFault(
            error, QStringLiteral("Unsupported potential scene composition '%1'.").arg(elideForDisplay(composition)));
    const QJsonArray entries = objects.toArray();
    if (entries.size() > kMaximumSceneObjects)
        return readFault(error, QStringLiteral("Potential scene contains too many objects (%1).").arg(entries.size()));

    PotentialScene scene;
    for (int i = 0; i < entries.size(); ++i) {
        const QJsonValue entry = entries.at(i);
        if (!entry.isObject())
            return objectFault(error, "Potential scene object %1 is not a JSON object.", i);
        PotentialObject object;
        if (!readPotentialSceneObject(entry.toObject(), object, error, i))
            return false;
        // The scene keeps a free id; a clash means an earlier entry holds it.
        if (scene.add(object) != object.id) {
            return readFault(
                error, QStringLiteral("Potential scene contains duplicate object id %1.").arg(decimalId(object.id)));
        }
    }

    document.potentialSceneActive = active.toBool() && !scene.empty();
    document.potentialScene = std::move(scene);
    return true;
}

QJsonObject writePotentialScene(const ExperimentDocument& document)
{
    QJsonArray objects;
    for (const PotentialObject& object : document.potentialScene.objects())
        objects.append(writePotentialSceneObject(object));
    QJsonObject json;
    json.insert(QLatin1String("active"), document.potentialSceneActive);
    json.insert(QLatin1String("composition"), QStringLiteral("additive"));
    json.insert(QLatin1String("objects"), objects);
    return json;
}

} // namespace vxo
