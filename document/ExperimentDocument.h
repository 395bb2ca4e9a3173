#pragma once

#include "core/PotentialScene.h"
#include "document/ExperimentSettingsRecords.h"
#include "document/InitialPreparation.h"

#include <QString>
#include <QVariantMap>

#include <cstdint>
#include <vector>

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

    // A record the reader switched off, and why: a drive, the Berry loop or
    // the shutter that cannot act on the document's scene (a target object
    // missing, of another kind, or without the parameter it needs). Filled
    // by the reader only; the writer writes the record as it stands.
    struct SwitchedOffRecord {
        QString record; // its member name, e.g. "periodicDrive"
        QString title;  // its experiment as the window names it, e.g. "Periodic drive"
        QString reason; // e.g. "its target, object #4, is not in the Potential Scene"
    };
    std::vector<SwitchedOffRecord> switchedOff;

    // A count the reader rounded to the whole number its box shows (a
    // script's 64.000068 or 2.5): the record holds the number used, Load's
    // note says what the file gave. Filled by the reader only.
    struct RoundedCount {
        QString object; // the record's member name, e.g. "ramseyEnsemble"
        QString field;  // e.g. "memberCount"
        double fileValue = 0.0;
        std::int32_t used = 0;
    };
    std::vector<RoundedCount> roundedCounts;
};

} // namespace vxo
