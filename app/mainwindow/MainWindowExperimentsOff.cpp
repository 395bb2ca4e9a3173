#include "app/mainwindow/MainWindow.h"

#include "app/form/QuietControlWrites.h"
#include "document/ExperimentDocumentJson.h"
#include "document/ExperimentTitles.h"
#include "ui/MainWindowForm.h"

#include <QCheckBox>
#include <QComboBox>

#include <optional>
#include <string>

namespace vxo {

namespace {

// The document member of each experiment, in OffExperiment order: the first
// kSceneProtocolCount are the protocols the scene may switch off. An
// experiment is named by its member's title, as Load names it.
const char* const kOffRecords[] = {
    "quantumQuench",        "periodicDrive",      "linearSweep",         "ramseySequence",
    "quantumBerry",         "quantumMoshinsky",   "quantumLoschmidt",    "quantumKapitzaDirac",
    "quantumAharonovBohm",  "quantumLandau",      "quantumHallEdge",     "quantumBackflow",
    "quantumZitterbewegung", "quantumKleinTunneling", "quantumScar",     "quantumZeno",
    "kickedRotor",          "vortexInitialState", "andersonInitialState",
};
static_assert(sizeof(kOffRecords) / sizeof(kOffRecords[0]) == 19, "one record per OffExperiment");

const QString kSceneNotInUse = QStringLiteral("the Potential Scene is off or empty");

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

ExperimentDocument MainWindow::sceneProtocolProbe() const
{
    // The records as the run reads them, each as its box were ticked, for
    // the rule the reader and Save judge a document by.
    const auto ticked = [](auto record) {
        record.enabled = true;
        return record;
    };
    ExperimentDocument probe;
    probe.potentialScene = potentialScene;
    probe.potentialSceneActive = sceneUsable();
    probe.quantumQuench = ticked(formSettings<QuantumQuench>());
    probe.periodicDrive = ticked(formSettings<PeriodicDrive>());
    probe.linearSweep = ticked(formSettings<LinearSweep>());
    probe.ramseySequence = ticked(formSettings<RamseySequence>());
    probe.quantumBerry = ticked(formSettings<BerryConfig>());
    probe.quantumMoshinsky = ticked(formSettings<MoshinskyConfig>());
    return probe;
}

QString MainWindow::sceneProtocolRefusal(const ExperimentDocument& probe, OffExperiment protocol)
{
    return recordSceneRefusal(probe, QLatin1String(kOffRecords[static_cast<std::size_t>(protocol)]));
}

void MainWindow::switchOffRefusedProtocols()
{
    // Unticking a scene that has objects only greys the drives out: ticked
    // again, they act again.
    if (!potentialScene.empty() && !ui->potentialSceneActiveCheckBox->isChecked())
        return;
    std::optional<ExperimentDocument> probe; // the scene copied once, and only if a box is ticked
    for (std::size_t index = 0; index < kSceneProtocolCount; ++index) {
        const auto protocol = static_cast<OffExperiment>(index);
        if (!protocolBox(protocol)->isChecked())
            continue;
        if (!probe)
            probe = sceneProtocolProbe();
        const QString reason = sceneProtocolRefusal(*probe, protocol);
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
            if (record.record == QLatin1String(kOffRecords[index]))
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
    return QStringLiteral("%1 is off: %2").arg(settingsObjectTitle(kOffRecords[static_cast<std::size_t>(experiment)]),
                                               reason);
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
