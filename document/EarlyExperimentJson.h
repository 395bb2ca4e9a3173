#pragma once

// The document objects of the Ramsey ensemble (schema 12) and of the initial
// states of the Talbot (13), vortex (14) and Anderson (15) experiments.

#include "document/ExperimentDocument.h"

#include <QJsonObject>
#include <QString>

namespace vxo {

bool readRamseyEnsemble(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeRamseyEnsemble(const ExperimentDocument& document);

bool readTalbotInitialState(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeTalbotInitialState(const ExperimentDocument& document);

bool readVortexInitialState(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeVortexInitialState(const ExperimentDocument& document);

bool readAndersonInitialState(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeAndersonInitialState(const ExperimentDocument& document);

} // namespace vxo
