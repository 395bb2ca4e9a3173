#include "app/mainwindow/MainWindow.h"

#include "app/form/ExperimentSettingsForm.h"
#include "app/form/GeometryPage.h"
#include "ui/MainWindowForm.h"

#include <tuple>
#include <type_traits>

namespace vxo {

// Each enabled record switches off only experiments written before it, so
// in this order the last enabled record of a conflicting pair wins.
void MainWindow::applySettingsRecords(const ExperimentSettingsRecords& records)
{
    // The drive writers refill their target combo from the scene first, so
    // that the record's object can be selected; they have no stored copy.
    fillTargetCombo(ui->quenchTargetComboBox, ui->quenchEnabledCheckBox, records.quantumQuench.targetObjectId, false);
    writeSettingsIntoForm(*ui, records.quantumQuench);
    fillTargetCombo(ui->periodicDriveTargetComboBox, ui->periodicDriveEnabledCheckBox,
                    records.periodicDrive.targetObjectId, false);
    writeSettingsIntoForm(*ui, records.periodicDrive);
    fillTargetCombo(ui->linearSweepTargetComboBox, ui->linearSweepEnabledCheckBox, records.linearSweep.targetObjectId,
                    false);
    writeSettingsIntoForm(*ui, records.linearSweep);
    fillTargetCombo(ui->ramseyTargetComboBox, ui->ramseyEnabledCheckBox, records.ramseySequence.targetObjectId, false);
    writeSettingsIntoForm(*ui, records.ramseySequence);
    writeSettingsIntoForm(*ui, records.ramseyEnsemble);

    // The other writers store the record first: the stored copy keeps the
    // fields the form has no control for, and the readers start from it.
    // The shutter's target combo is refilled before its record is written.
    const auto storeAndWrite = [this](auto& storedCopy, const auto& settings) {
        storedCopy = settings;
        if constexpr (std::is_same_v<std::decay_t<decltype(settings)>, MoshinskyConfig>)
            fillTargetCombo(ui->moshinskyTargetComboBox, ui->moshinskyEnabledCheckBox, settings.shutterObjectId, true);
        writeSettingsIntoForm(*ui, settings);
    };
    using R = ExperimentSettingsRecords;
    const auto storedRecords = std::make_tuple(
        &R::kickedRotor, &R::quantumZeno, &R::quantumScar, &R::quantumBerry, &R::quantumLoschmidt,
        &R::quantumMoshinsky, &R::quantumKapitzaDirac, &R::quantumAharonovBohm, &R::quantumLandau,
        &R::quantumHallEdge, &R::quantumBackflow, &R::quantumZitterbewegung, &R::quantumKleinTunneling);
    std::apply([&](auto... record) { (storeAndWrite(stored.*record, records.*record), ...); }, storedRecords);
}

bool MainWindow::writeGeometryInspector(const PotentialObject& object)
{
    return writeGeometryPage(*ui, object);
}

} // namespace vxo
