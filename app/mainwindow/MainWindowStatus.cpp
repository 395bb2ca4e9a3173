#include "app/mainwindow/MainWindow.h"

#include "app/form/DomainSpinRanges.h"
#include "app/form/FormIndices.h"
#include "app/text/HelpHtml.h"
#include "app/text/PanelText.h"
#include "app/text/ValueFormatters.h"
#include "document/DisplayText.h"
#include "document/ExperimentCatalogue.h"
#include "ui/MainWindowForm.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTextBrowser>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace vxo {

namespace {

void enableAll(std::initializer_list<QWidget*> widgets, bool enabled)
{
    for (QWidget* widget : widgets)
        widget->setEnabled(enabled);
}

} // namespace

void MainWindow::updateWindowTitle()
{
    const QString title = experimentTitle.trimmed();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Ondrivel")
                                   : QStringLiteral("Ondrivel - %1").arg(isolateForDisplay(title)));
}

void MainWindow::updateTimeDock()
{
    const double t = solver.time();
    ui->timeSimulationValueLabel->setText(QStringLiteral("t = %1").arg(PanelText::fixedText(t, 3)));

    // A NaN unit fails both comparisons and counts as unusable.
    const bool usable = currentScale.valid && currentScale.timeUnit > 0.0 && currentScale.lengthUnit > 0.0;
    if (!usable) {
        ui->timeRealValueLabel->setText(QStringLiteral("not available"));
        ui->timeReferenceValueLabel->setText(QStringLiteral("No representative mapping"));
        ui->timeLengthScaleValueLabel->setText(PanelText::kNoValue);
        ui->timeTimeScaleValueLabel->setText(PanelText::kNoValue);
        ui->timeReferenceValueLabel->setToolTip(
            QStringLiteral("Simulation time is dimensionless for this custom configuration."));
        return;
    }
    const double timeUnit = currentScale.timeUnit;
    ui->timeRealValueLabel->setText(QStringLiteral("~ %1").arg(formatTime(t * timeUnit)));
    ui->timeReferenceValueLabel->setText(QString::fromLatin1(currentScale.system));
    ui->timeLengthScaleValueLabel->setText(
        QStringLiteral("1 sim unit ~ %1").arg(formatLength(currentScale.lengthUnit)));
    ui->timeTimeScaleValueLabel->setText(QStringLiteral("1 sim unit ~ %1").arg(formatTime(timeUnit)));
    ui->timeReferenceValueLabel->setToolTip(
        QStringLiteral("%1\nMapping basis: %2\nFor hbar=1: E unit ~ %3; E/h ~ %4.")
            .arg(QString::fromLatin1(currentScale.note), QString::fromLatin1(currentScale.mapping),
                 formatEnergyOfTimeUnit(timeUnit), formatFrequencyOfTimeUnit(timeUnit)));
}

void MainWindow::updateTransportUi()
{
    const bool editing = ui->viewportEditCheckBox->isChecked();
    const TransportState state = transport.state();
    const bool running = state == TransportState::Running;
    // In a Dirac mode psi holds only the spinor density: a position
    // measurement of it would collapse nothing real, so both stay off there.
    const bool measurable = !editing && !psi.empty() && !diracModeInForm();

    ui->transportStateLabel->setText(QString::fromLatin1(transportStateName(state)));
    ui->playButton->setEnabled(!running && !editing);
    ui->pauseButton->setEnabled(running);
    ui->stopButton->setEnabled(state != TransportState::Stopped || solver.stepCount() > 0);
    ui->stepButton->setEnabled(!running && !editing);
    ui->resetButton->setEnabled(true);
    ui->measurePositionButton->setEnabled(measurable);
    ui->collapsePositionButton->setEnabled(measurable);
}

void MainWindow::updateEnergyTooltip()
{
    // In a magnetic field the boxes' momentum is canonical (gauge-dependent),
    // and a Dirac packet has no p^2 / 2m: there the label gives the prepared
    // state's kinetic energy under the Hamiltonian being stepped.
    const SteppedHamiltonian hamiltonian = steppedHamiltonian();
    if ((hamiltonian.links || hamiltonian.spinor) && !psi.empty()) {
        ui->energyValueLabel->setText(
            PanelText::fixedText(EnergyObservables2D::ofStep(psi, potential, hamiltonian).kinetic, 4));
        ui->energyValueLabel->setToolTip(
            hamiltonian.spinor
                ? QStringLiteral("Free Dirac energy <c (px sx + py sy) + m c^2 sz> of the prepared spinor.")
                : QStringLiteral("Kinetic energy <(p - qA)^2>/(2m) of the prepared state, with the mechanical "
                                 "momentum of the magnetic field."));
        return;
    }
    ui->energyValueLabel->setText(PanelText::fixedText(packetKineticEnergy(), 4));
    ui->energyValueLabel->setToolTip(
        QStringLiteral("Total central kinetic energy Ekin=(px^2+py^2)/(2m). For a vertical barrier the analytic "
                       "tunneling formula uses Ex=%1.")
            .arg(PanelText::fixedText(packetKineticEnergyX(), 4)));
}

void MainWindow::showStatusMessage(const QString& text, int timeoutMs) { ui->statusBar->showMessage(text, timeoutMs); }

void MainWindow::updateDomainSpacingLabel()
{
    const SimulationDomain2D domain = currentSimulationDomain();
    ui->domainSpacingValueLabel->setText(
        QStringLiteral("%1 / %2").arg(PanelText::fixedText(domain.dx(), 4), PanelText::fixedText(domain.dy(), 4)));
    const bool absorbing = isSelected(ui->boundaryModeComboBox, BoundaryIndex::Absorbing);
    enableAll(
        {ui->absorbingWidthLabel, ui->absorbingWidthSpinBox, ui->absorbingStrengthLabel, ui->absorbingStrengthSpinBox},
        absorbing);
    updateDomainSpinRanges(domain);
}

void MainWindow::updateDomainSpinRanges(const SimulationDomain2D& domain)
{
    applyDomainSpinRanges(domainSpinRanges(*ui, *this, domain));
}

void MainWindow::updateMeasurementModeTexts()
{
    const bool detector = !isSelected(ui->measurementModeComboBox, MeasurementModeIndex::FullPlane);
    const bool temporal = isSelected(ui->measurementModeComboBox, MeasurementModeIndex::TemporalDetector);
    enableAll({ui->detectorXLabel, ui->detectorXSpinBox, ui->detectorThicknessLabel, ui->detectorThicknessSpinBox,
               ui->detectorBinsLabel, ui->detectorBinsSpinBox, ui->detectorVisibleCheckBox},
              detector);
    enableAll({ui->detectorFluxLabel, ui->detectorFluxValueLabel, ui->clearDetectorFluxButton,
               ui->detectorReferenceLabel, ui->detectorReferenceCheckBox, ui->detectorTvdLabel,
               ui->detectorTvdValueLabel},
              temporal);
    if (!temporal)
        ui->detectorTvdValueLabel->setText(PanelText::kNoValue);
    ui->measurePositionButton->setText(temporal ? QStringLiteral("Sample arrivals") : QStringLiteral("Measure"));
    QString condition;
    if (temporal)
        condition = QStringLiteral("Time-integrating detector: while the simulation runs, positive Jx crossing the "
                                   "screen is accumulated. Sample arrivals draws an ensemble from that accumulated "
                                   "flux profile.");
    else if (detector)
        condition = QStringLiteral("Snapshot detector: hits are conditioned on the particle being in the vertical "
                                   "detector strip at the current simulation time.");
    else
        condition = QStringLiteral("With an absorbing boundary, detections are conditional on the particle still "
                                   "being inside the simulated universe.");
    ui->measurementConditionLabel->setText(condition);
}

void MainWindow::updateHelpTexts(int presetIndex)
{
    if (presetIndex < 0 || !isValidPresetIndex(static_cast<std::uint32_t>(presetIndex)))
        return;
    const ExperimentPreset preset = makeExperimentPreset(static_cast<std::uint32_t>(presetIndex));
    ui->experimentPresetDescriptionLabel->setText(QString::fromLatin1(preset.summary));
    const QString italian =
        QString::fromLatin1(preset.guideHtmlItalian) + realWorldScaleHtmlItalian(preset.realWorldScale);
    const QString english =
        QString::fromLatin1(preset.guideHtmlEnglish) + realWorldScaleHtmlEnglish(preset.realWorldScale);
    ui->helpItalianBrowser->setHtml(insertHtmlBanner(helpItalianBaseHtml, italian));
    ui->helpEnglishBrowser->setHtml(insertHtmlBanner(helpEnglishBaseHtml, english));
}

void MainWindow::clearCollapseReadout()
{
    lastCollapse = CollapseRecord{};
    for (QLabel* label :
         {ui->collapseOutcomeValueLabel, ui->collapsePositionSpreadValueLabel, ui->collapseMomentumSpreadValueLabel})
        label->setText(PanelText::kNoValue);
}

} // namespace vxo
