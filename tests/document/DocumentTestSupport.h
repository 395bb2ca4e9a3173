#pragma once

// Documents and JSON helpers shared by the document tests.

#include "document/ExperimentDocument.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

namespace vxo::test {

// A valid document whose every record holds values other than the defaults.
// With `berryLoop` the scene is the single enabled harmonic trap the Berry
// loop needs (Berry enabled, Moshinsky disabled); without it the Moshinsky
// shutter barrier is enabled too (Moshinsky enabled, Berry disabled).
ExperimentDocument nonDefaultDocument(bool berryLoop);
// That document with the Berry loop as its JSON file, for the readers to refuse once spoilt.
QJsonObject validFile();

// A default document marked so that any change to it shows.
ExperimentDocument sentinelDocument();

// Every field of `actual` against `expected`, scene objects included.
void expectSameDocument(const ExperimentDocument& actual, const ExperimentDocument& expected);

// The members of a new document as the settings tables give them.
QJsonObject defaultMembersJson();

// The root member `path[0]`, then nested members (array entries by decimal
// index), set to `value`; an undefined value removes the member.
void setPath(QJsonObject& root, const QStringList& path, const QJsonValue& value);
// The value at `path` (undefined when there is none).
QJsonValue valueAt(const QJsonObject& root, const QStringList& path);

} // namespace vxo::test
