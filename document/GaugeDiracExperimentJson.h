#pragma once

// The document objects of the magnetic and Dirac experiments: Aharonov-Bohm
// (schema 23), Landau levels (24), Hall edge (25), backflow (26),
// Zitterbewegung (27) and Klein tunnelling (28).

#include "document/ExperimentDocument.h"

#include <QJsonObject>
#include <QString>

namespace vxo {

bool readAharonovBohmConfig(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeAharonovBohmConfig(const ExperimentDocument& document);

bool readLandauConfig(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeLandauConfig(const ExperimentDocument& document);

bool readHallEdgeConfig(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeHallEdgeConfig(const ExperimentDocument& document);

bool readBackflowConfig(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeBackflowConfig(const ExperimentDocument& document);

bool readZitterbewegungConfig(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeZitterbewegungConfig(const ExperimentDocument& document);

bool readKleinTunnelingConfig(const QJsonObject& root, ExperimentDocument& document, QString& error);
QJsonObject writeKleinTunnelingConfig(const ExperimentDocument& document);

} // namespace vxo
