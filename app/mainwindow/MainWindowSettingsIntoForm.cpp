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
    applyQuenchSettings(records.quantumQuench);
    applyPeriodicDriveSettings(records.periodicDrive);
    applyLinearSweepSettings(records.linearSweep);
    applyRamseySettings(records.ramseySequence);
    applyRamseyEnsembleSettings(records.ramseyEnsemble);
    applyKickedRotorSettings(records.kickedRotor);
    applyZenoSettings(records.quantumZeno);
    applyScarSettings(records.quantumScar);
    applyBerrySettings(records.quantumBerry);
    applyLoschmidtSettings(records.quantumLoschmidt);
    applyMoshinskySettings(records.quantumMoshinsky);
    applyKapitzaDiracSettings(records.quantumKapitzaDirac);
    applyAharonovBohmSettings(records.quantumAharonovBohm);
    applyLandauSettings(records.quantumLandau);
    applyHallEdgeSettings(records.quantumHallEdge);
    applyBackflowSettings(records.quantumBackflow);
    applyZitterbewegungSettings(records.quantumZitterbewegung);
    applyKleinSettings(records.quantumKleinTunneling);
}

template <typename Record>
void MainWindow::writeRecordIntoForm(const Record& settings)
{
    // The drive records have no stored copy: their target combo is refilled
    // from the scene first, so that the record's object can be selected.
    // The other records are stored first: the stored copy keeps the fields
    // the form has no control for, and the readers start from it.
    if constexpr (std::is_same_v<Record, QuantumQuench>)
        fillQuenchTargetCombo(settings.targetObjectId);
    else if constexpr (std::is_same_v<Record, PeriodicDrive>)
        fillPeriodicDriveTargetCombo(settings.targetObjectId);
    else if constexpr (std::is_same_v<Record, LinearSweep>)
        fillLinearSweepTargetCombo(settings.targetObjectId);
    else if constexpr (std::is_same_v<Record, RamseySequence>)
        fillRamseyTargetCombo(settings.targetObjectId);
    else if constexpr (!std::is_same_v<Record, RamseyEnsemble>) {
        const auto storedCopies = std::tie(
            stored.kickedRotor, stored.quantumZeno, stored.quantumScar, stored.quantumBerry, stored.quantumLoschmidt,
            stored.quantumMoshinsky, stored.quantumKapitzaDirac, stored.quantumAharonovBohm, stored.quantumLandau,
            stored.quantumHallEdge, stored.quantumBackflow, stored.quantumZitterbewegung, stored.quantumKleinTunneling);
        std::get<Record&>(storedCopies) = settings;
        if constexpr (std::is_same_v<Record, MoshinskyConfig>)
            fillMoshinskyTargetCombo(settings.shutterObjectId);
    }
    writeSettingsIntoForm(*ui, settings);
}

void MainWindow::applyQuenchSettings(const QuantumQuench& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyPeriodicDriveSettings(const PeriodicDrive& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyLinearSweepSettings(const LinearSweep& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyRamseySettings(const RamseySequence& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyRamseyEnsembleSettings(const RamseyEnsemble& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyKickedRotorSettings(const KickedRotorConfig& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyZenoSettings(const ZenoConfig& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyScarSettings(const ScarConfig& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyBerrySettings(const BerryConfig& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyLoschmidtSettings(const LoschmidtConfig& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyMoshinskySettings(const MoshinskyConfig& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyKapitzaDiracSettings(const KapitzaDiracConfig& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyAharonovBohmSettings(const AharonovBohmConfig& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyLandauSettings(const LandauConfig& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyHallEdgeSettings(const HallEdgeConfig& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyBackflowSettings(const BackflowConfig& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyZitterbewegungSettings(const ZitterbewegungConfig& settings) { writeRecordIntoForm(settings); }

void MainWindow::applyKleinSettings(const KleinTunnelingConfig& settings) { writeRecordIntoForm(settings); }

bool MainWindow::writeGeometryInspector(const PotentialObject& object) { return writeGeometryPage(*ui, object); }

} // namespace vxo
