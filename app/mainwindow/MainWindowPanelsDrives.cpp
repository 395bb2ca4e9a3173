#include "app/mainwindow/MainWindow.h"

#include "app/text/PanelText.h"
#include "experiments/DriveProtocols.h"
#include "experiments/ObservableHistory.h"
#include "experiments/ObservableSample.h"
#include "plots/QuantumDrivePlotWidget.h"
#include "plots/QuantumQuenchPlotWidget.h"
#include "ui/MainWindowForm.h"

#include <QLabel>

#include <algorithm>
#include <cmath>
#include <vector>

// The pages of the quench and of the periodic drive: what the scene's
// drives do to the packet as a whole.

namespace vxo {

namespace {

// The quenched parameter as the quench page names it.
QString sceneParameterName(std::int32_t parameter)
{
    switch (parameter) {
    case SceneParameterValue:
        return QStringLiteral("object value");
    case SceneParameterCenterX:
        return QStringLiteral("center X");
    case SceneParameterCenterY:
        return QStringLiteral("center Y");
    case SceneParameterCurvatureX:
        return QStringLiteral("harmonic kX");
    case SceneParameterCurvatureY:
        return QStringLiteral("harmonic kY");
    case SceneParameterCurvatureXY:
        return QStringLiteral("harmonic kX+kY");
    case SceneParameterSlopeX:
        return QStringLiteral("linear slope X");
    case SceneParameterSlopeY:
        return QStringLiteral("linear slope Y");
    default:
        return QString();
    }
}

} // namespace

void MainWindow::updateQuenchPanel()
{
    Ui::MainWindow& form = *ui;
    QuantumQuenchPlotWidget& plot = *form.quenchPlotWidget;

    // The applier quenches only while the scene drives the potential: with
    // the scene box off nothing is armed, whatever the record says.
    const QuantumQuench quench = formSettings<QuantumQuench>();
    if (!quench.enabled || !sceneUsable() || !validateQuench(potentialScene, quench)) {
        form.quenchSummaryLabel->setText(withOffLine(
            OffExperiment::Quench,
            QStringLiteral("Quench inactive. Enable a valid Potential Scene target to make H time-dependent.")));
        plot.clear();
        return;
    }

    plot.setSamples(history.samples());
    plot.setMarkerTime(quench.time);

    const QString energy =
        appliers.quenchApplier.energyAfterValid()
            ? PanelText(QStringLiteral("%1 -> %2  dE=%3"))
                  .fixed({appliers.quenchApplier.energyBefore(), appliers.quenchApplier.energyAfter(),
                          appliers.quenchApplier.energyAfter() - appliers.quenchApplier.energyBefore()},
                         4)
                  .text()
            : PanelText::kNotAvailable;
    form.quenchSummaryLabel->setText(
        PanelText(QStringLiteral("%1 | t_q=%2 | %3: %4 -> %5 | energy %6"))
            .word(appliers.quenchApplier.fired() ? QStringLiteral("FIRED") : QStringLiteral("ARMED"))
            .fixed(quench.time, 3)
            .word(sceneParameterName(quench.parameter))
            .fixed({quench.before, quench.after}, 4)
            .word(energy)
            .text());
}

void MainWindow::updatePeriodicDrivePanel()
{
    Ui::MainWindow& form = *ui;
    QuantumDrivePlotWidget& plot = *form.periodicDrivePlotWidget;

    // Likewise the drive moves its target only while the scene is in use.
    const PeriodicDrive drive = formSettings<PeriodicDrive>();
    if (!drive.enabled || !sceneUsable() || !validatePeriodicDrive(potentialScene, drive)) {
        form.periodicDriveSummaryLabel->setText(
            withOffLine(OffExperiment::PeriodicDrive,
                        QStringLiteral("Periodic drive inactive. Enable a valid Potential Scene target.")));
        plot.clearHistory();
        return;
    }

    const std::vector<ObservableSample>& samples = history.samples();
    plot.setDriveParameters(drive.mean, drive.amplitude, drive.angularFrequency, drive.phaseDegrees);
    plot.setSamples(samples);

    // A shaken harmonic trap oscillates at omega0 = sqrt(k / m) along the
    // axis whose centre the drive moves; resonance is omega = omega0.
    double naturalFrequency = 0.0;
    const double mass = static_cast<double>(solver.parameters().mass);
    const PotentialObject* target = potentialScene.find(drive.targetObjectId);
    if (target && target->kind == PotentialObjectKind::Harmonic && mass > 0.0) {
        double curvature = 0.0;
        if (drive.parameter == SceneParameterCenterX)
            curvature = static_cast<double>(target->curvatureX);
        else if (drive.parameter == SceneParameterCenterY)
            curvature = static_cast<double>(target->curvatureY);
        if (curvature > 0.0)
            naturalFrequency = std::sqrt(curvature / mass);
    }
    const QString resonance = naturalFrequency > 0.0 ? PanelText(QStringLiteral("omega0=%1  omega/omega0=%2"))
                                                           .fixed(naturalFrequency, 4)
                                                           .fixed(drive.angularFrequency / naturalFrequency, 3)
                                                           .text()
                                                     : QStringLiteral("omega0=n/a");

    double largestExcursion = 0.0;
    for (const ObservableSample& sample : samples)
        largestExcursion = std::max(largestExcursion, std::abs(sample.meanX));
    const double energyGain = samples.empty() ? 0.0 : samples.back().totalEnergy - samples.front().totalEnergy;

    form.periodicDriveSummaryLabel->setText(
        PanelText(QStringLiteral("DRIVING | omega=%1  A=%2  current=%3 | %4 | max|<x>|=%5  dE=%6"))
            .fixed(drive.angularFrequency, 4)
            .fixed({drive.amplitude, appliers.periodicDriveApplier.value()}, 3)
            .word(resonance)
            .fixed(largestExcursion, 3)
            .fixed(energyGain, 4)
            .text());
}

} // namespace vxo
