#include "app/mainwindow/MainWindow.h"

#include "app/form/FormIndices.h"
#include "app/mainwindow/StatusDurations.h"
#include "core/PositionMoments.h"
#include "ui/MainWindowForm.h"
#include "view/QuantumGLView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>

#include <cstddef>
#include <iterator>

namespace vxo {
namespace {

// The ensemble keeps the newest hits only: enough for smooth histograms,
// few enough to redraw as markers every frame.
constexpr std::size_t kMaximumMeasurementHits = 50000;

// Shots per ensemble measurement by entry of the shot-count selector.
std::uint64_t shotsOfChoice(int index)
{
    constexpr std::uint64_t kShots[] = {1, 10, 100, 1000, 10000};
    if (index < 0 || index >= static_cast<int>(std::size(kShots)))
        return 1;
    return kShots[index];
}

MeasurementModeIndex measurementModeOfChoice(int index)
{
    if (index == indexOf(MeasurementModeIndex::FullPlane))
        return MeasurementModeIndex::FullPlane;
    if (index == indexOf(MeasurementModeIndex::TemporalDetector))
        return MeasurementModeIndex::TemporalDetector;
    return MeasurementModeIndex::DetectorScreen;
}

} // namespace

bool MainWindow::readyToMeasure(const QString& diracRefusal)
{
    if (psi.empty() || ui->viewportEditCheckBox->isChecked())
        return false;
    // In a Dirac mode psi only mirrors the spinor's density: measuring it
    // would not touch the state that evolves.
    if (diracSettingsEnabled()) {
        showStatusMessage(diracRefusal, kStatusReportMs);
        return false;
    }
    if (transport.isRunning())
        setRunning(false);
    return true;
}

void MainWindow::measureAndCollapse()
{
    if (!readyToMeasure(QStringLiteral("Collapse is disabled for Dirac-spinor experiments: the scalar viewport field "
                                       "is only a density proxy.")))
        return;

    const double sigma = ui->collapseResolutionSpinBox->value();
    const double hbar = static_cast<double>(solver.parameters().hbar);
    const PositionMoments positionBefore = computePositionMoments(psi);
    MomentumSpace2D momentumBefore;
    try {
        momentumBefore = MomentumSpace2D::compute(psi, hbar);
    } catch (...) {
        showStatusMessage(QStringLiteral("Collapse unavailable: momentum diagnostics could not be computed."),
                          kStatusReportMs);
        return;
    }

    const PositionMeasurementResult result = measurePosition(psi, sigma);
    if (!result.ok) {
        showStatusMessage(QStringLiteral("Collapse unavailable: current wavefunction has negligible probability."),
                          kStatusReportMs);
        return;
    }
    const PositionMoments positionAfter = computePositionMoments(psi);
    const MomentumSpace2D momentumAfter = MomentumSpace2D::compute(psi, hbar);

    lastCollapse.valid = true;
    lastCollapse.result = result;
    lastCollapse.sigmaXBefore = positionBefore.sigmaX;
    lastCollapse.sigmaXAfter = positionAfter.sigmaX;
    lastCollapse.sigmaYBefore = positionBefore.sigmaY;
    lastCollapse.sigmaYAfter = positionAfter.sigmaY;
    lastCollapse.sigmaPxBefore = momentumBefore.sigmaPx;
    lastCollapse.sigmaPxAfter = momentumAfter.sigmaPx;
    lastCollapse.sigmaPyBefore = momentumBefore.sigmaPy;
    lastCollapse.sigmaPyAfter = momentumAfter.sigmaPy;

    const double x = static_cast<double>(result.x);
    const double y = static_cast<double>(result.y);
    ui->collapseOutcomeValueLabel->setText(QStringLiteral("x=%1   y=%2").arg(x, 0, 'f', 3).arg(y, 0, 'f', 3));
    ui->collapsePositionSpreadValueLabel->setText(QStringLiteral("sigmaX %1 -> %2   sigmaY %3 -> %4")
                                                      .arg(lastCollapse.sigmaXBefore, 0, 'f', 3)
                                                      .arg(lastCollapse.sigmaXAfter, 0, 'f', 3)
                                                      .arg(lastCollapse.sigmaYBefore, 0, 'f', 3)
                                                      .arg(lastCollapse.sigmaYAfter, 0, 'f', 3));
    ui->collapseMomentumSpreadValueLabel->setText(QStringLiteral("sigmaPx %1 -> %2   sigmaPy %3 -> %4")
                                                      .arg(lastCollapse.sigmaPxBefore, 0, 'f', 3)
                                                      .arg(lastCollapse.sigmaPxAfter, 0, 'f', 3)
                                                      .arg(lastCollapse.sigmaPyBefore, 0, 'f', 3)
                                                      .arg(lastCollapse.sigmaPyAfter, 0, 'f', 3));

    // The collapse is an event inside the run, like a step: the run goes on
    // from the collapsed state. A STOPPED transport would make the next Play
    // rebuild from t = 0 and throw the collapsed state away, so it becomes
    // PAUSED, as Step leaves it.
    if (transport.state() == TransportState::Stopped)
        setRunning(false);
    // The collapsed state is normalised on the box: what the layer took
    // before belongs to the packet that was measured, and the pair's content
    // is watched afresh.
    scattering.absorption.start(psi.norm());
    scattering.resonanceLeak.reset();

    invalidateMomentumField();
    recordObservation();
    updateTimeSeriesPanel();
    updateDiagnostics();
    refreshViews();
    showStatusMessage(QStringLiteral("Single-system position measurement: psi collapsed near x=%1, y=%2. Press Play "
                                     "to evolve the new state.")
                          .arg(x, 0, 'f', 3)
                          .arg(y, 0, 'f', 3),
                      kStatusExplanationMs);
}

void MainWindow::measurePositions()
{
    if (!readyToMeasure(QStringLiteral("Position measurement is disabled for Dirac-spinor experiments: the "
                                       "authoritative state is two-component.")))
        return;

    const std::uint64_t count = shotsOfChoice(ui->measurementShotsComboBox->currentIndex());
    const MeasurementModeIndex mode = measurementModeOfChoice(ui->measurementModeComboBox->currentIndex());
    const double detectorX = ui->detectorXSpinBox->value();
    std::vector<MeasurementShot> shots;
    switch (mode) {
    case MeasurementModeIndex::FullPlane:
        shots = samplePositionShots(psi, count);
        break;
    case MeasurementModeIndex::DetectorScreen: {
        const DetectorScreen screen{static_cast<float>(detectorX),
                                    static_cast<float>(ui->detectorThicknessSpinBox->value())};
        shots = sampleDetectorScreenShots(psi, screen, count);
        break;
    }
    case MeasurementModeIndex::TemporalDetector:
        shots = detectorFlux.sampleArrivalShots(count);
        break;
    }

    if (shots.empty()) {
        switch (mode) {
        case MeasurementModeIndex::TemporalDetector:
            showStatusMessage(QStringLiteral("Temporal detector has no accumulated forward flux yet. Run the "
                                             "simulation until the wave reaches the detector."),
                              kStatusNoticeMs);
            break;
        case MeasurementModeIndex::DetectorScreen:
            showStatusMessage(QStringLiteral("Detector screen has negligible probability at this time. Let the "
                                             "packet reach the screen, then pause and measure."),
                              kStatusNoticeMs);
            break;
        case MeasurementModeIndex::FullPlane:
            showStatusMessage(QStringLiteral("Measurement unavailable: probability density is empty."),
                              kStatusNoticeMs);
            break;
        }
        return;
    }

    measurementHits.insert(measurementHits.end(), shots.begin(), shots.end());
    if (measurementHits.size() > kMaximumMeasurementHits)
        measurementHits.erase(measurementHits.begin(),
                              measurementHits.end() - static_cast<std::ptrdiff_t>(kMaximumMeasurementHits));
    lastMeasurementCount = shots.size();

    ui->measurementTotalValueLabel->setText(QString::number(measurementHits.size()));
    ui->quantumView->setMeasurementMarkers(measurementHits);
    ui->quantumView->setMeasurementMarkersVisible(ui->measurementVisibleCheckBox->isChecked());
    ui->quantumView->setMeasurementMarkerSize(static_cast<float>(ui->measurementPointSizeSpinBox->value()));
    updateDetectorTvd();
    updateDiagnostics();

    switch (mode) {
    case MeasurementModeIndex::TemporalDetector:
        showStatusMessage(
            QStringLiteral("Temporal detector: %1 arrival shots sampled from accumulated forward flux at x=%2.")
                .arg(lastMeasurementCount)
                .arg(detectorX, 0, 'f', 2),
            kStatusConfirmationMs);
        break;
    case MeasurementModeIndex::DetectorScreen:
        showStatusMessage(QStringLiteral("Detector screen: %1 shots sampled at x=%2 from the current snapshot.")
                              .arg(lastMeasurementCount)
                              .arg(detectorX, 0, 'f', 2),
                          kStatusConfirmationMs);
        break;
    case MeasurementModeIndex::FullPlane:
        showStatusMessage(
            QStringLiteral("Position measurement: %1 shots sampled from current |psi|^2.").arg(lastMeasurementCount),
            kStatusConfirmationMs);
        break;
    }
}

void MainWindow::clearMeasurementHits()
{
    discardMeasurementHits();
    lastMeasurementCount = 0;
    updateDetectorTvd();
    updateDiagnostics();
}

} // namespace vxo
