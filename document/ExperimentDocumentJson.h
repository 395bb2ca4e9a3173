#pragma once

// The experiment document as one JSON object: the format identifier, the
// schema version, the name, the source preset, the form's controls and, by
// schema version, one member object per feature. Files of schema 1 to 28 are
// read; members a file's version does not have take the defaults of a new
// document, each value as its box shows it in the file's own universe, and
// the document read always carries schema 28. The writer always writes
// schema 28 with every member.

#include "document/ExperimentDocument.h"

#include <QJsonObject>
#include <QString>

namespace vxo {

QString experimentFormatId();       // "Ondrivel.Experiment2D"
QString measurementResolutionKey(); // "resolution"

// The reader: fills a scratch document and copies it onto `document` only
// when the whole object has been read and validated. On failure `document`
// is untouched and `error` holds one message. An enabled drive, Berry loop
// or shutter that cannot act on the document's scene (its target missing,
// of another kind, without the parameter it needs) is read switched off and
// listed in the document's switchedOff. Never throws.
bool parseExperimentDocument(const QJsonObject& root, ExperimentDocument& document, QString& error);
// The writer.
QJsonObject experimentDocumentToJson(const ExperimentDocument& document);

// Switches off every enabled record that the reader would refuse for its
// scene (a drive whose target lacks the parameter, a Berry loop without its
// trap, a shutter without its object). The window runs each of them as off,
// so the document then reads back and runs as the window ran it.
void disableRecordsTheSceneRefuses(ExperimentDocument& document);

// Why the scene protocol stored under `record` (a drive, the Berry loop or
// the shutter), taken as enabled, cannot act on the document's scene; empty
// when it can. The reader, Save and the window's rebuild judge by it alike.
QString recordSceneRefusal(const ExperimentDocument& document, const QString& record);

bool readInitialPreparation(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeInitialPreparation(const ExperimentDocument& document);
bool readMeasurementCollapse(const QJsonObject& root, ExperimentDocument& document, QString& error);

} // namespace vxo
