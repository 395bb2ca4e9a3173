#pragma once

// The document objects of the kicked-rotor (schema 16), Zeno (17), scar (18),
// Berry-phase (19), Loschmidt-echo (20), Moshinsky-shutter (21) and
// Kapitza-Dirac (22) experiments. Readers take the root object and the
// scratch document whose scene is already read.

#include "document/ExperimentDocument.h"

#include <QJsonObject>
#include <QString>

namespace vxo {

bool readKickedRotorConfig(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeKickedRotorConfig(const ExperimentDocument& document);

bool readKickedRotorInitialState(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeKickedRotorInitialState(const ExperimentDocument& document);

bool readZenoConfig(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeZenoConfig(const ExperimentDocument& document);

bool readZenoInitialState(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeZenoInitialState(const ExperimentDocument& document);

bool readScarConfig(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeScarConfig(const ExperimentDocument& document);

bool readBerryConfig(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeBerryConfig(const ExperimentDocument& document);

bool readLoschmidtConfig(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeLoschmidtConfig(const ExperimentDocument& document);

bool readMoshinskyInitialState(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeMoshinskyInitialState(const ExperimentDocument& document);

bool readMoshinskyConfig(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeMoshinskyConfig(const ExperimentDocument& document);

bool readKapitzaDiracInitialState(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeKapitzaDiracInitialState(const ExperimentDocument& document);

bool readKapitzaDiracConfig(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeKapitzaDiracConfig(const ExperimentDocument& document);

// Why the Berry loop or the shutter stored under `record`, taken as enabled,
// cannot act on the document's scene; empty when it can or for another record.
QString loopOrShutterSceneRefusal(const ExperimentDocument& document, const QString& record);

// Switches off an enabled Berry loop without its trap and an enabled shutter
// without a shutter object, or one that does not fit: the window runs either
// as off.
void disableLoopAndShutterTheSceneRefuses(ExperimentDocument& document);
// The same, noting each in the document's switchedOff list.
void switchOffLoopAndShutterTheSceneRefuses(ExperimentDocument& document);

} // namespace vxo
