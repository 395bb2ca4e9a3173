#pragma once

// The document objects of the four drive protocols: "quantumQuench" (schema 6),
// "periodicDrive" (7), "linearSweep" (8) and "ramseySequence" (10). Readers
// take the root object and the scratch document whose scene is already read.

#include "document/ExperimentDocument.h"

#include <QJsonObject>
#include <QString>

namespace vxo {

bool readQuantumQuench(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeQuantumQuench(const ExperimentDocument& document);

bool readPeriodicDrive(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writePeriodicDrive(const ExperimentDocument& document);

bool readLinearSweep(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeLinearSweep(const ExperimentDocument& document);

bool readRamseySequence(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeRamseySequence(const ExperimentDocument& document);

// Why the drive stored under `record` ("quantumQuench", ...), taken as
// enabled, cannot act on the document's scene; empty when it can or for
// another record.
QString driveSceneRefusal(const ExperimentDocument& document, const QString& record);

// Switches off each enabled drive that cannot act on the scene (a target
// missing, or without the parameter the drive varies): the window runs it
// as off.
void disableDrivesTheSceneRefuses(ExperimentDocument& document);
// The same, noting each in the document's switchedOff list.
void switchOffDrivesTheSceneRefuses(ExperimentDocument& document);

} // namespace vxo
