#pragma once

#include "core/PotentialScene.h"
#include "document/ExperimentSettingsRecords.h"
#include "document/InitialPreparation.h"

#include <QString>
#include <QVariantMap>

#include <cstdint>

namespace vxo {

// Everything needed to rebuild a run of the laboratory: the form's control
// values keyed by object name, the Potential Scene, the initial preparation,
// the measurement-collapse resolution and, from its base, one settings record
// per experiment feature. A plain value: copying replaces every member (maps
// and scenes are replaced, never merged), and moving takes over the strings,
// the control map and the scene's objects.
struct ExperimentDocument : ExperimentSettingsRecords {
    static constexpr std::int32_t kCurrentSchemaVersion = 28;

    std::int32_t schemaVersion = kCurrentSchemaVersion;
    QString name;
    QString sourcePreset;
    QVariantMap controls; // bool, int, double or QString values
    bool potentialSceneActive = false;
    PotentialScene potentialScene;
    InitialPreparation initialPreparation;
    double measurementCollapseResolution = 0.65;
};

} // namespace vxo
