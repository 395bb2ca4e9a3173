#include "app/MainWindow.h"

#include "app/ExperimentSettingsForm.h"
#include "app/GeometryPage.h"
#include "core/KineticEnergy.h"
#include "ui/MainWindowForm.h"

#include <QCheckBox>
#include <QDoubleSpinBox>

namespace vxo {

// The drive records and the ensemble have no stored copy: without a form
// they read as their defaults (disabled, no target).

QuantumQuench MainWindow::currentQuenchSettings() const
{
    return ui ? readSettingsFromForm(*ui, QuantumQuench{}) : QuantumQuench{};
}

PeriodicDrive MainWindow::currentPeriodicDriveSettings() const
{
    return ui ? readSettingsFromForm(*ui, PeriodicDrive{}) : PeriodicDrive{};
}

LinearSweep MainWindow::currentLinearSweepSettings() const
{
    return ui ? readSettingsFromForm(*ui, LinearSweep{}) : LinearSweep{};
}

RamseySequence MainWindow::currentRamseySettings() const
{
    return ui ? readSettingsFromForm(*ui, RamseySequence{}) : RamseySequence{};
}

RamseyEnsemble MainWindow::currentRamseyEnsembleSettings() const
{
    return ui ? readSettingsFromForm(*ui, RamseyEnsemble{}) : RamseyEnsemble{};
}

// The experiment configs start from the stored copy, which keeps every field
// the form has no control for and stands in for the whole form without one.

BerryConfig MainWindow::currentBerrySettings() const
{
    return ui ? readSettingsFromForm(*ui, stored.quantumBerry) : stored.quantumBerry;
}

LoschmidtConfig MainWindow::currentLoschmidtSettings() const
{
    return ui ? readSettingsFromForm(*ui, stored.quantumLoschmidt) : stored.quantumLoschmidt;
}

MoshinskyConfig MainWindow::currentMoshinskySettings() const
{
    return ui ? readSettingsFromForm(*ui, stored.quantumMoshinsky) : stored.quantumMoshinsky;
}

KapitzaDiracConfig MainWindow::currentKapitzaDiracSettings() const
{
    return ui ? readSettingsFromForm(*ui, stored.quantumKapitzaDirac) : stored.quantumKapitzaDirac;
}

AharonovBohmConfig MainWindow::currentAharonovBohmSettings() const
{
    return ui ? readSettingsFromForm(*ui, stored.quantumAharonovBohm) : stored.quantumAharonovBohm;
}

LandauConfig MainWindow::currentLandauSettings() const
{
    return ui ? readSettingsFromForm(*ui, stored.quantumLandau) : stored.quantumLandau;
}

HallEdgeConfig MainWindow::currentHallEdgeSettings() const
{
    return ui ? readSettingsFromForm(*ui, stored.quantumHallEdge) : stored.quantumHallEdge;
}

BackflowConfig MainWindow::currentBackflowSettings() const
{
    return ui ? readSettingsFromForm(*ui, stored.quantumBackflow) : stored.quantumBackflow;
}

ZitterbewegungConfig MainWindow::currentZitterbewegungSettings() const
{
    return ui ? readSettingsFromForm(*ui, stored.quantumZitterbewegung) : stored.quantumZitterbewegung;
}

KleinTunnelingConfig MainWindow::currentKleinSettings() const
{
    return ui ? readSettingsFromForm(*ui, stored.quantumKleinTunneling) : stored.quantumKleinTunneling;
}

PotentialObject MainWindow::currentPotentialObject() const
{
    return ui ? readGeometryPage(*ui) : PotentialObject{};
}

double MainWindow::packetKineticEnergy() const
{
    if (!ui)
        return 0.0;
    return centralKineticEnergy2D(ui->momentumSpinBox->value(), ui->momentumYSpinBox->value(),
                                  ui->massSpinBox->value());
}

double MainWindow::packetKineticEnergyX() const
{
    if (!ui)
        return 0.0;
    return kineticEnergy1D(ui->momentumSpinBox->value(), ui->massSpinBox->value());
}

bool MainWindow::sceneUsable() const
{
    return ui && ui->potentialSceneActiveCheckBox->isChecked() && !potentialScene.empty();
}

bool MainWindow::diracSettingsEnabled() const
{
    return stored.quantumZitterbewegung.enabled || stored.quantumKleinTunneling.enabled;
}

bool MainWindow::diracModeInForm() const
{
    if (diracSettingsEnabled())
        return true;
    return ui && (ui->zitterEnabledCheckBox->isChecked() || ui->kleinEnabledCheckBox->isChecked());
}

} // namespace vxo
