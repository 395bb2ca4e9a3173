#include "app/mainwindow/MainWindow.h"

#include "app/form/ExperimentSettingsForm.h"
#include "app/form/GeometryPage.h"
#include "ui/MainWindowForm.h"

namespace vxo {

// The drive writers refill their target combo from the scene first, so that
// the record's object can be selected; they have no stored copy.

void MainWindow::applyQuenchSettings(const QuantumQuench& settings)
{
    fillQuenchTargetCombo(settings.targetObjectId);
    writeSettingsIntoForm(*ui, settings);
}

void MainWindow::applyPeriodicDriveSettings(const PeriodicDrive& settings)
{
    fillPeriodicDriveTargetCombo(settings.targetObjectId);
    writeSettingsIntoForm(*ui, settings);
}

void MainWindow::applyLinearSweepSettings(const LinearSweep& settings)
{
    fillLinearSweepTargetCombo(settings.targetObjectId);
    writeSettingsIntoForm(*ui, settings);
}

void MainWindow::applyRamseySettings(const RamseySequence& settings)
{
    fillRamseyTargetCombo(settings.targetObjectId);
    writeSettingsIntoForm(*ui, settings);
}

void MainWindow::applyRamseyEnsembleSettings(const RamseyEnsemble& settings)
{
    writeSettingsIntoForm(*ui, settings);
}

// The other writers store the record first: the stored copy keeps the fields
// the form has no control for, and the readers start from it.

template <typename Record>
void MainWindow::storeAndWriteSettings(Record& storedCopy, const Record& settings)
{
    storedCopy = settings;
    writeSettingsIntoForm(*ui, settings);
}

void MainWindow::applyKickedRotorSettings(const KickedRotorConfig& settings)
{
    storeAndWriteSettings(stored.kickedRotor, settings);
}

void MainWindow::applyZenoSettings(const ZenoConfig& settings)
{
    storeAndWriteSettings(stored.quantumZeno, settings);
}

void MainWindow::applyScarSettings(const ScarConfig& settings)
{
    storeAndWriteSettings(stored.quantumScar, settings);
}

void MainWindow::applyBerrySettings(const BerryConfig& settings)
{
    storeAndWriteSettings(stored.quantumBerry, settings);
}

void MainWindow::applyLoschmidtSettings(const LoschmidtConfig& settings)
{
    storeAndWriteSettings(stored.quantumLoschmidt, settings);
}

void MainWindow::applyMoshinskySettings(const MoshinskyConfig& settings)
{
    stored.quantumMoshinsky = settings;
    fillMoshinskyTargetCombo(settings.shutterObjectId);
    writeSettingsIntoForm(*ui, settings);
}

void MainWindow::applyKapitzaDiracSettings(const KapitzaDiracConfig& settings)
{
    storeAndWriteSettings(stored.quantumKapitzaDirac, settings);
}

void MainWindow::applyAharonovBohmSettings(const AharonovBohmConfig& settings)
{
    storeAndWriteSettings(stored.quantumAharonovBohm, settings);
}

void MainWindow::applyLandauSettings(const LandauConfig& settings)
{
    storeAndWriteSettings(stored.quantumLandau, settings);
}

void MainWindow::applyHallEdgeSettings(const HallEdgeConfig& settings)
{
    storeAndWriteSettings(stored.quantumHallEdge, settings);
}

void MainWindow::applyBackflowSettings(const BackflowConfig& settings)
{
    storeAndWriteSettings(stored.quantumBackflow, settings);
}

void MainWindow::applyZitterbewegungSettings(const ZitterbewegungConfig& settings)
{
    storeAndWriteSettings(stored.quantumZitterbewegung, settings);
}

void MainWindow::applyKleinSettings(const KleinTunnelingConfig& settings)
{
    storeAndWriteSettings(stored.quantumKleinTunneling, settings);
}

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

bool MainWindow::writeGeometryInspector(const PotentialObject& object)
{
    return writeGeometryPage(*ui, object);
}

} // namespace vxo
