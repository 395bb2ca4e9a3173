#include "app/mainwindow/MainWindow.h"

#include "app/form/QuietControlWrites.h"
#include "app/text/PotentialObjectText.h"
#include "ui/MainWindowForm.h"

#include <QCheckBox>
#include <QComboBox>

#include <string>

namespace vxo {

namespace {

// How each experiment is named where it says that it is off.
const char* const kOffTitles[] = {
    "Quench",
    "Periodic drive",
    "Linear sweep",
    "Ramsey sequence",
    "Berry loop",
    "Moshinsky shutter",
    "Loschmidt echo",
    "Kapitza-Dirac pulse",
    "Aharonov-Bohm experiment",
    "Landau experiment",
    "Hall edge experiment",
    "Backflow experiment",
    "Zitterbewegung experiment",
    "Klein experiment",
    "Scar analysis",
    "Zeno experiment",
    "Kicked rotor",
    "Vortex experiment",
    "Anderson comparison",
};
static_assert(sizeof(kOffTitles) / sizeof(kOffTitles[0]) == 19, "one title per OffExperiment");

// The document members of the protocols the reader may switch off, in
// OffExperiment order.
const char* const kProtocolRecords[] = {
    "quantumQuench", "periodicDrive", "linearSweep", "ramseySequence", "quantumBerry", "quantumMoshinsky",
};

const QString kSceneNotInUse = QStringLiteral("the Potential Scene is off or empty");

// Why the drive cannot act on its target: the target is gone or switched
// off, or has not the parameter; empty when the drive can act.
template <typename Drive>
QString driveTargetFault(const PotentialScene& scene, const Drive& drive, const QComboBox& parameterCombo,
                         bool (*validate)(const PotentialScene&, const Drive&))
{
    if (drive.targetObjectId == 0)
        return QStringLiteral("it has no target object");
    const PotentialObject* object = scene.find(drive.targetObjectId);
    if (object == nullptr)
        return QStringLiteral("its target, object #%1, is no longer in the Potential Scene").arg(drive.targetObjectId);
    if (!object->enabled)
        return QStringLiteral("its target, object #%1, is switched off").arg(object->id);
    double value = 0.0;
    if (!sceneObjectParameter(*object, drive.parameter, value))
        return QStringLiteral("its target, object #%1 (%2), has no \"%3\"")
            .arg(object->id)
            .arg(potentialObjectKindName(object->kind), parameterCombo.currentText());
    if (!validate(scene, drive))
        return QStringLiteral("its settings are not valid");
    return QString();
}

// The message of an enabled record's own check; empty when it passes or is off.
template <typename Record>
QString recordRefusal(const Record& record, bool (*check)(const Record&, std::string*))
{
    std::string message;
    if (record.enabled)
        check(record, &message);
    return QString::fromStdString(message);
}

} // namespace

QCheckBox* MainWindow::protocolBox(OffExperiment protocol) const
{
    switch (protocol) {
    case OffExperiment::Quench:
        return ui->quenchEnabledCheckBox;
    case OffExperiment::PeriodicDrive:
        return ui->periodicDriveEnabledCheckBox;
    case OffExperiment::LinearSweep:
        return ui->linearSweepEnabledCheckBox;
    case OffExperiment::Ramsey:
        return ui->ramseyEnabledCheckBox;
    case OffExperiment::BerryLoop:
        return ui->berryEnabledCheckBox;
    case OffExperiment::Shutter:
        return ui->moshinskyEnabledCheckBox;
    default:
        return nullptr;
    }
}

QString MainWindow::sceneProtocolRefusal(OffExperiment protocol) const
{
    // The records as the run reads them, their box taken as ticked.
    const auto ticked = [](auto record) {
        record.enabled = true;
        return record;
    };
    const char* fault = nullptr;
    switch (protocol) {
    case OffExperiment::Quench:
        return driveTargetFault(potentialScene, ticked(formSettings<QuantumQuench>()), *ui->quenchParameterComboBox,
                                validateQuench);
    case OffExperiment::PeriodicDrive:
        return driveTargetFault(potentialScene, ticked(formSettings<PeriodicDrive>()),
                                *ui->periodicDriveParameterComboBox, validatePeriodicDrive);
    case OffExperiment::LinearSweep:
        return driveTargetFault(potentialScene, ticked(formSettings<LinearSweep>()), *ui->linearSweepParameterComboBox,
                                validateLinearSweep);
    case OffExperiment::Ramsey:
        return driveTargetFault(potentialScene, ticked(formSettings<RamseySequence>()), *ui->ramseyParameterComboBox,
                                validateRamseySequence);
    case OffExperiment::BerryLoop: {
        BerryTrap trap;
        if (QuantumBerryPhase2D::analyzeTrap(potentialScene, trap, &fault))
            QuantumBerryPhase2D::validateLoop(ticked(formSettings<BerryConfig>()), trap, &fault);
        break;
    }
    case OffExperiment::Shutter:
        QuantumMoshinsky2D::validateShutter(potentialScene, ticked(formSettings<MoshinskyConfig>()), nullptr, &fault);
        break;
    default:
        break;
    }
    return fault != nullptr ? QString::fromLatin1(fault) : QString();
}

void MainWindow::switchOffRefusedProtocols()
{
    const bool empty = potentialScene.empty();
    if (!empty && !ui->potentialSceneActiveCheckBox->isChecked())
        return;
    for (std::size_t index = 0; index < kSceneProtocolCount; ++index) {
        const auto protocol = static_cast<OffExperiment>(index);
        if (!protocolBox(protocol)->isChecked())
            continue;
        const QString reason = empty ? QStringLiteral("the Potential Scene is empty") : sceneProtocolRefusal(protocol);
        if (!reason.isEmpty())
            switchProtocolOff(protocol, reason);
    }
}

void MainWindow::switchProtocolOff(OffExperiment protocol, const QString& reason)
{
    setCheckedQuietly(protocolBox(protocol), false);
    // The rebuild does not read the Berry flag back from the form.
    if (protocol == OffExperiment::BerryLoop)
        stored.quantumBerry.enabled = false;
    protocolOffNotes[static_cast<std::size_t>(protocol)] = reason;
    noteRebuildFailure(offLine(protocol));
}

void MainWindow::noteDocumentSwitchOffs(const ExperimentDocument& document)
{
    for (const ExperimentDocument::SwitchedOffRecord& record : document.switchedOff) {
        for (std::size_t index = 0; index < kSceneProtocolCount; ++index) {
            if (record.record == QLatin1String(kProtocolRecords[index]))
                protocolOffNotes[index] = record.reason;
        }
    }
}

QString MainWindow::offReason(OffExperiment experiment) const
{
    const auto index = static_cast<std::size_t>(experiment);
    if (index < kSceneProtocolCount)
        return protocolOffNotes[index];

    // The experiment's own check on the settings the last rebuild ran with.
    const ExperimentSettingsRecords& s = stored;
    const double hbar = static_cast<double>(solver.parameters().hbar);
    std::string message;
    const char* fault = nullptr;
    const auto sceneAnalysis = [&](const auto& analyse) {
        if (!sceneUsable())
            message = kSceneNotInUse.toStdString();
        else
            analyse();
    };
    switch (experiment) {
    case OffExperiment::Loschmidt:
        if (s.quantumLoschmidt.enabled)
            QuantumLoschmidt2D::validateConfiguration(s.quantumLoschmidt, &fault);
        break;
    case OffExperiment::KapitzaDirac:
        if (s.quantumKapitzaDirac.enabled)
            QuantumKapitzaDirac2D::validatePulse(s.quantumKapitzaDirac, hbar, &message);
        break;
    case OffExperiment::AharonovBohm:
        return recordRefusal(s.quantumAharonovBohm, QuantumAharonovBohm2D::validateConfiguration);
    case OffExperiment::Landau:
        return recordRefusal(s.quantumLandau, QuantumLandau2D::validateConfiguration);
    case OffExperiment::HallEdge:
        return recordRefusal(s.quantumHallEdge, QuantumHallEdge2D::validateConfiguration);
    case OffExperiment::Backflow:
        return recordRefusal(s.quantumBackflow, QuantumBackflow2D::validateConfiguration);
    case OffExperiment::Zitterbewegung:
        return recordRefusal(s.quantumZitterbewegung, QuantumZitterbewegung2D::validateConfiguration);
    case OffExperiment::Klein:
        return recordRefusal(s.quantumKleinTunneling, QuantumKleinTunneling2D::validateConfiguration);
    case OffExperiment::Scar:
        if (s.quantumScar.enabled && QuantumScar2D::validateConfiguration(s.quantumScar, &message)) {
            StadiumGeometry stadium;
            sceneAnalysis([&] { QuantumScar2D::analyzeScene(potentialScene, stadium, &message); });
        }
        break;
    case OffExperiment::Zeno:
        if (preparationType == InitialPreparationType::QuantumZeno)
            return recordRefusal(s.quantumZeno, QuantumZeno2D::validateMeasurement);
        break;
    case OffExperiment::KickedRotor:
        if (preparationType == InitialPreparationType::KickedRotor)
            return recordRefusal(s.kickedRotor, QuantumKickedRotor2D::validateKick);
        break;
    case OffExperiment::Vortex:
        if (preparationType == InitialPreparationType::Vortex) {
            VortexTrap trap;
            sceneAnalysis([&] { QuantumVortex2D::extractTrap(potentialScene, trap, &message); });
        }
        break;
    case OffExperiment::Anderson:
        if (preparationType == InitialPreparationType::AndersonDualLane) {
            AndersonLattice lattice;
            sceneAnalysis([&] { QuantumAnderson2D::analyzeScene(potentialScene, lattice, &message); });
        }
        break;
    default:
        break;
    }
    return fault != nullptr ? QString::fromLatin1(fault) : QString::fromStdString(message);
}

QString MainWindow::offLine(OffExperiment experiment) const
{
    const QString reason = offReason(experiment);
    if (reason.isEmpty())
        return reason;
    return QStringLiteral("%1 is off: %2").arg(QLatin1String(kOffTitles[static_cast<std::size_t>(experiment)]), reason);
}

QString MainWindow::withOffLine(OffExperiment experiment, const QString& hint) const
{
    const QString line = offLine(experiment);
    return line.isEmpty() ? hint : line + QLatin1Char('\n') + hint;
}

QString MainWindow::offLineOr(OffExperiment experiment, const QString& inactive) const
{
    const QString line = offLine(experiment);
    return line.isEmpty() ? inactive : line;
}

} // namespace vxo
