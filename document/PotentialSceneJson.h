#pragma once

// The "potentialScene" member of a document file (schema 2 on): the scene's
// active flag, its composition ("additive") and its objects in scene order,
// each with its id as a decimal string, its type name, its enabled flag and
// its eighteen single-precision parameters.

#include "core/PotentialObject.h"
#include "document/ExperimentDocument.h"

#include <QJsonObject>
#include <QLatin1String>
#include <QString>

namespace vxo {

// Files hold at most this many scene objects.
constexpr int kMaximumSceneObjects = 512;

// "rectangle" ... "stadiumExterior" for kinds 1..11, an empty string otherwise.
QString potentialObjectTypeName(PotentialObjectKind kind);
// Exact, case-sensitive match of one of the eleven names.
bool potentialObjectTypeFromName(const QString& name, PotentialObjectKind& kind);

// A finite JSON number narrowed to single precision. False when the member is
// absent, not a number or not finite; the narrowed value is stored and the
// result is false when it overflows single precision.
bool readFiniteDouble(const QJsonObject& object, QLatin1String key, float& out);

// One entry of "objects"; `index` is its position, used in the messages.
bool readPotentialSceneObject(const QJsonObject& object, PotentialObject& out, QString& error, int index);
QJsonObject writePotentialSceneObject(const PotentialObject& object);

// Replaces the document's scene and active flag with the file's.
bool readPotentialScene(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writePotentialScene(const ExperimentDocument& document);

} // namespace vxo
