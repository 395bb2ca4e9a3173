#include "app/mainwindow/MainWindow.h"

#include "app/form/ExperimentSettingsForm.h"
#include "app/form/GeometryPage.h"
#include "core/KineticEnergy.h"
#include "ui/MainWindowForm.h"

#include <QCheckBox>
#include <QDoubleSpinBox>

#include <tuple>
#include <type_traits>

namespace vxo {

template <typename Record>
Record MainWindow::formSettings() const
{
    constexpr bool formIsTheStore = std::is_same_v<Record, QuantumQuench> || std::is_same_v<Record, PeriodicDrive> ||
                                    std::is_same_v<Record, LinearSweep> || std::is_same_v<Record, RamseySequence> ||
                                    std::is_same_v<Record, RamseyEnsemble>;
    if constexpr (formIsTheStore) {
        return readSettingsFromForm(*ui, Record{});
    } else {
        const auto storedCopies =
            std::tie(stored.quantumBerry, stored.quantumLoschmidt, stored.quantumMoshinsky, stored.quantumKapitzaDirac,
                     stored.quantumAharonovBohm, stored.quantumLandau, stored.quantumHallEdge, stored.quantumBackflow,
                     stored.quantumZitterbewegung, stored.quantumKleinTunneling);
        return readSettingsFromForm(*ui, std::get<const Record&>(storedCopies));
    }
}

template QuantumQuench MainWindow::formSettings<QuantumQuench>() const;
template PeriodicDrive MainWindow::formSettings<PeriodicDrive>() const;
template LinearSweep MainWindow::formSettings<LinearSweep>() const;
template RamseySequence MainWindow::formSettings<RamseySequence>() const;
template RamseyEnsemble MainWindow::formSettings<RamseyEnsemble>() const;
template BerryConfig MainWindow::formSettings<BerryConfig>() const;
template LoschmidtConfig MainWindow::formSettings<LoschmidtConfig>() const;
template MoshinskyConfig MainWindow::formSettings<MoshinskyConfig>() const;
template KapitzaDiracConfig MainWindow::formSettings<KapitzaDiracConfig>() const;
template AharonovBohmConfig MainWindow::formSettings<AharonovBohmConfig>() const;
template LandauConfig MainWindow::formSettings<LandauConfig>() const;
template HallEdgeConfig MainWindow::formSettings<HallEdgeConfig>() const;
template BackflowConfig MainWindow::formSettings<BackflowConfig>() const;
template ZitterbewegungConfig MainWindow::formSettings<ZitterbewegungConfig>() const;
template KleinTunnelingConfig MainWindow::formSettings<KleinTunnelingConfig>() const;

QuantumQuench MainWindow::currentQuenchSettings() const { return formSettings<QuantumQuench>(); }

PeriodicDrive MainWindow::currentPeriodicDriveSettings() const { return formSettings<PeriodicDrive>(); }

LinearSweep MainWindow::currentLinearSweepSettings() const { return formSettings<LinearSweep>(); }

RamseySequence MainWindow::currentRamseySettings() const { return formSettings<RamseySequence>(); }

BerryConfig MainWindow::currentBerrySettings() const { return formSettings<BerryConfig>(); }

LoschmidtConfig MainWindow::currentLoschmidtSettings() const { return formSettings<LoschmidtConfig>(); }

MoshinskyConfig MainWindow::currentMoshinskySettings() const { return formSettings<MoshinskyConfig>(); }

KapitzaDiracConfig MainWindow::currentKapitzaDiracSettings() const { return formSettings<KapitzaDiracConfig>(); }

AharonovBohmConfig MainWindow::currentAharonovBohmSettings() const { return formSettings<AharonovBohmConfig>(); }

LandauConfig MainWindow::currentLandauSettings() const { return formSettings<LandauConfig>(); }

HallEdgeConfig MainWindow::currentHallEdgeSettings() const { return formSettings<HallEdgeConfig>(); }

BackflowConfig MainWindow::currentBackflowSettings() const { return formSettings<BackflowConfig>(); }

ZitterbewegungConfig MainWindow::currentZitterbewegungSettings() const { return formSettings<ZitterbewegungConfig>(); }

KleinTunnelingConfig MainWindow::currentKleinSettings() const { return formSettings<KleinTunnelingConfig>(); }

PotentialObject MainWindow::currentPotentialObject() const { return readGeometryPage(*ui); }

double MainWindow::packetKineticEnergy() const
{
    return centralKineticEnergy2D(ui->momentumSpinBox->value(), ui->momentumYSpinBox->value(),
                                  ui->massSpinBox->value());
}

double MainWindow::packetKineticEnergyX() const
{
    return kineticEnergy1D(ui->momentumSpinBox->value(), ui->massSpinBox->value());
}

bool MainWindow::sceneUsable() const
{
    return ui->potentialSceneActiveCheckBox->isChecked() && !potentialScene.empty();
}

bool MainWindow::diracSettingsEnabled() const
{
    return stored.quantumZitterbewegung.enabled || stored.quantumKleinTunneling.enabled;
}

bool MainWindow::diracModeInForm() const
{
    if (diracSettingsEnabled())
        return true;
    return ui->zitterEnabledCheckBox->isChecked() || ui->kleinEnabledCheckBox->isChecked();
}

} // namespace vxo
