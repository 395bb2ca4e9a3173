#include "app/mainwindow/MainWindow.h"

#include "app/text/PanelText.h"

#include "app/form/FormIndices.h"
#include "app/mainwindow/FieldSpacing.h"

#include "core/CrossSectionProfile.h"
#include "document/DisplayText.h"
#include "ui/MainWindowForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vxo {

namespace {

// Longest side of the lattice the probability contours are traced on.
constexpr std::uint64_t kProbabilityContourCells = 384;

// A combo's index when it lies in [0, last], otherwise 0 (the first entry).
int indexOrFirst(const QComboBox* combo, int last)
{
    const int index = combo->currentIndex();
    return index >= 0 && index <= last ? index : 0;
}

std::uint32_t unsignedIndexOrFirst(const QComboBox* combo, int last)
{
    return static_cast<std::uint32_t>(indexOrFirst(combo, last));
}

QString viewName(bool momentumSpace, int viewIndex)
{
    if (momentumSpace)
        return QStringLiteral("Momentum Probability Density");
    switch (static_cast<ViewIndex>(viewIndex)) {
    case ViewIndex::Phase:
        return QStringLiteral("Phase");
    case ViewIndex::Real:
        return QStringLiteral("Real Component");
    case ViewIndex::Imaginary:
        return QStringLiteral("Imaginary Component");
    default:
        return QStringLiteral("Probability Density");
    }
}

// The momentum frame is shown over no potential at all; one empty field
// keeps its identity, so the viewport has nothing to re-upload.
const PotentialField2D& emptyPotential()
{
    static const PotentialField2D empty;
    return empty;
}

} // namespace

void MainWindow::refreshViews()
{
    // The refresh is the last reader of a tick's observables.
    struct CloseSharing {
        SharedObservables& shared;
        ~CloseSharing() { shared.close(); }
    } closeSharing{sharedObservables};
    if (applyingExperiment || psi.empty())
        return;
    Ui::MainWindow& form = *ui;
    QuantumGLView& view = *form.quantumView;

    const bool diracMode = diracModeInForm();
    const bool momentumSpace = momentumSpaceShown();
    const int viewIndex = momentumSpace || diracMode ? indexOf(ViewIndex::Probability)
                                                     : indexOrFirst(form.viewComboBox, indexOf(ViewIndex::Imaginary));
    if (momentumSpace)
        ensureMomentumField();

    const QString title = experimentTitle.isEmpty() ? form.experimentPresetComboBox->currentText() : experimentTitle;
    setWindowTitle(QStringLiteral("Ondrivel - %1 [%2 / %3]")
                       .arg(isolateForDisplay(title), viewName(momentumSpace, viewIndex), potentialSummaryText()));

    updateDetectorTvd();
    updateDiagnostics();
    updateScatteringPanel();

    const bool overlayChecked = form.potentialOverlayCheckBox->isChecked();
    form.spaceComboBox->setEnabled(!diracMode);
    form.viewLabel->setEnabled(!momentumSpace && !diracMode);
    form.viewComboBox->setEnabled(!momentumSpace && !diracMode);
    // The colour map belongs to the density view alone.
    const bool density = viewIndex == indexOf(ViewIndex::Probability);
    form.paletteLabel->setEnabled(density);
    form.paletteComboBox->setEnabled(density);
    form.potentialOverlayLabel->setEnabled(!momentumSpace);
    form.potentialOverlayCheckBox->setEnabled(!momentumSpace);
    form.potentialOverlayOpacityLabel->setEnabled(!momentumSpace && overlayChecked);
    form.potentialOverlayOpacitySpinBox->setEnabled(!momentumSpace && overlayChecked);
    form.potentialContoursGroupBox->setEnabled(!momentumSpace);
    form.currentGroupBox->setEnabled(!momentumSpace);

    view.setPalette(unsignedIndexOrFirst(form.paletteComboBox, indexOf(PaletteIndex::Grayscale)));
    view.setDisplayScale(isSelected(form.displayScaleComboBox, DisplayScaleIndex::Logarithmic) ? 1u : 0u);
    view.setExposureEv(static_cast<float>(form.exposureSpinBox->value()));
    view.setGamma(static_cast<float>(form.gammaSpinBox->value()));
    view.setPostPreview(unsignedIndexOrFirst(form.postPreviewComboBox, indexOf(PostPreviewIndex::Bloom)));
    view.setBloomThreshold(static_cast<float>(form.brightThresholdSpinBox->value()));
    view.setBloomSoftKnee(static_cast<float>(form.brightKneeSpinBox->value()));
    view.setBlurSpread(static_cast<float>(form.blurSpreadSpinBox->value()));
    view.setBloomStrength(static_cast<float>(form.bloomStrengthSpinBox->value()));
    view.setToneMapOperator(unsignedIndexOrFirst(form.toneMapComboBox, 2));
    view.setPotentialOverlayVisible(!momentumSpace && overlayChecked);
    view.setPotentialOverlayOpacity(static_cast<float>(form.potentialOverlayOpacitySpinBox->value()));
    const bool potentialContoursVisible = !momentumSpace && form.potentialContoursCheckBox->isChecked();
    view.setPotentialContoursVisible(potentialContoursVisible);
    view.setPotentialContourWidth(static_cast<float>(form.potentialContourWidthSpinBox->value()));
    view.setPotentialContourOpacity(static_cast<float>(form.potentialContourOpacitySpinBox->value()));

    // The potential changes only when a protocol or a rebuild rewrites it,
    // so its contours are traced again only then.
    if (potentialContoursVisible) {
        const std::int32_t levels = form.potentialContourLevelsSpinBox->value();
        if (potentialContourRevision != potential.revision() || potentialContourLevels != levels) {
            potentialContours = buildPotentialContours(potential, static_cast<std::uint64_t>(std::max(levels, 0)));
            potentialContourRevision = potential.revision();
            potentialContourLevels = levels;
        }
        view.setPotentialContours(potentialContours);
    } else {
        view.clearPotentialContours();
    }

    const bool probabilityContoursVisible = form.probabilityContoursCheckBox->isChecked();
    view.setProbabilityContoursVisible(probabilityContoursVisible);
    view.setProbabilityContourWidth(static_cast<float>(form.probabilityContourWidthSpinBox->value()));
    view.setProbabilityContourOpacity(static_cast<float>(form.probabilityContourOpacitySpinBox->value()));
    const ComplexField2D& contourSource = momentumSpace ? momentumField.field : psi;
    if (probabilityContoursVisible && !contourSource.empty()) {
        const std::int32_t levels = form.probabilityContourLevelsSpinBox->value();
        probabilityContours = buildProbabilityContours(
            contourSource, static_cast<std::uint64_t>(std::max(levels, 0)),
            isSelected(form.probabilityContourSpacingComboBox, ContourSpacingIndex::Logarithmic) ? 1 : 0,
            static_cast<float>(form.probabilityContourDecadesSpinBox->value()), kProbabilityContourCells);
        view.setProbabilityContours(probabilityContours);
    } else {
        probabilityContours = ProbabilityContourSet();
        view.clearProbabilityContours();
    }

    const bool currentVisible = !momentumSpace && !diracMode && form.currentOverlayCheckBox->isChecked();
    view.setCurrentOverlayVisible(currentVisible);
    view.setCurrentMode(unsignedIndexOrFirst(form.currentModeComboBox, indexOf(CurrentModeIndex::Both)));
    view.setCurrentSpacing(form.currentSpacingSpinBox->value());
    view.setCurrentScale(static_cast<float>(form.currentScaleSpinBox->value()));
    view.setStreamlineLength(form.streamlineLengthSpinBox->value());
    if (currentVisible) {
        view.setCurrentField(observedCurrent());
    } else {
        view.clearCurrentField();
    }

    const bool detectorMode = !isSelected(form.measurementModeComboBox, MeasurementModeIndex::FullPlane);
    const bool temporalMode = isSelected(form.measurementModeComboBox, MeasurementModeIndex::TemporalDetector);
    view.setMeasurementMarkersVisible(!momentumSpace && form.measurementVisibleCheckBox->isChecked());
    view.setMeasurementMarkerSize(static_cast<float>(form.measurementPointSizeSpinBox->value()));
    view.setMeasurementMarkers(measurementHits);
    view.setDetectorVisible(!momentumSpace && detectorMode && form.detectorVisibleCheckBox->isChecked());
    view.setDetector(static_cast<float>(form.detectorXSpinBox->value()),
                     static_cast<float>(form.detectorThicknessSpinBox->value()), form.detectorBinsSpinBox->value());
    if (!momentumSpace && temporalMode && !detectorFlux.isEmpty())
        view.setDetectorDistribution(detectorFlux.rows(), form.detectorReferenceCheckBox->isChecked());
    else
        view.clearDetectorDistribution();
    view.setViewportEditEnabled(!momentumSpace && form.viewportEditCheckBox->isChecked());
    // The solenoid whose flux the field's links carry.
    const AharonovBohmConfig& tube = stored.quantumAharonovBohm;
    view.setFluxTube(!momentumSpace && tube.enabled && gaugeLinks.aharonovBohmLinksReady,
                     static_cast<float>(tube.solenoidX), static_cast<float>(tube.solenoidY),
                     static_cast<float>(tube.solenoidRadius), static_cast<float>(tube.fluxQuanta));

    updateTimeDock();

    if (momentumSpace && !momentumField.field.empty())
        view.setFrame(momentumField.field, emptyPotential(), 0);
    else
        view.setFrame(psi, potential, static_cast<std::uint32_t>(viewIndex));

    updateCrossSectionPanel();
    updateTimeSeriesPanel();
    refreshExperimentPanels();
}

bool MainWindow::momentumSpaceShown() const
{
    return isSelected(ui->spaceComboBox, SpaceIndex::Momentum) && !diracModeInForm();
}

void MainWindow::ensureMomentumField()
{
    if (psi.empty()) {
        invalidateMomentumField();
        return;
    }
    // Keyed to the solver state: anything that changes psi between steps
    // (kick, measurement, reversal, rebuild) drops the cache explicitly.
    const std::uint64_t step = solver.stepCount();
    const double t = solver.time();
    if (!momentumField.field.empty() && momentumFieldStep == step && std::fabs(momentumFieldTime - t) <= 1e-12)
        return;
    MomentumSpace2D::computeInto(psi, solver.parameters().hbar, momentumField);
    momentumFieldTime = t;
    momentumFieldStep = step;
}

void MainWindow::updateCrossSectionPanel()
{
    if (psi.empty())
        return;
    Ui::MainWindow& form = *ui;
    // The stored Dirac settings decide here; the check boxes differ from them
    // only while a mode toggle is being applied.
    const bool momentumSpace = isSelected(form.spaceComboBox, SpaceIndex::Momentum) && !diracSettingsEnabled();
    if (momentumSpace) {
        ensureMomentumField();
        if (momentumField.field.empty())
            return;
    }
    const bool horizontal = isSelected(form.crossSectionAxisComboBox, CrossSectionAxisIndex::Horizontal);
    QDoubleSpinBox& position = *form.crossSectionPositionSpinBox;
    {
        const QSignalBlocker blocker(position);
        if (momentumSpace) {
            form.crossSectionPositionLabel->setText(horizontal ? QStringLiteral("Fixed p_y")
                                                               : QStringLiteral("Fixed p_x"));
            const std::vector<double>& fixedAxis = horizontal ? momentumField.pyAxis : momentumField.pxAxis;
            if (!fixedAxis.empty()) {
                position.setRange(fixedAxis.front(), fixedAxis.back());
                position.setSingleStep(horizontal ? fieldDyOrZero(momentumField.field)
                                                  : fieldDxOrZero(momentumField.field));
            }
        } else {
            form.crossSectionPositionLabel->setText(horizontal ? QStringLiteral("Fixed Y") : QStringLiteral("Fixed X"));
            const double half = horizontal ? 0.5 * static_cast<double>(psi.ny() - 1) * psi.dy()
                                           : 0.5 * static_cast<double>(psi.nx() - 1) * psi.dx();
            position.setRange(-half, half);
            const SimulationDomain2D domain = currentSimulationDomain();
            position.setSingleStep(std::max(static_cast<double>(horizontal ? domain.dy() : domain.dx()), 0.001));
        }
    }

    const std::uint32_t axis = horizontal ? 0u : 1u;
    const double coordinate = position.value();
    const CrossSectionProfile section = momentumSpace ? MomentumSpace2D::crossSection(momentumField, axis, coordinate)
                                                      : extractCrossSection(psi, axis, coordinate);
    const int mode =
        momentumSpace ? 0 : indexOrFirst(form.crossSectionCurveComboBox, indexOf(CrossSectionCurveIndex::Phase));
    form.crossSectionCurveComboBox->setEnabled(!momentumSpace);
    form.crossSectionPlotWidget->setMomentumSpace(momentumSpace);
    form.crossSectionPlotWidget->setDisplayMode(mode);
    form.crossSectionPlotWidget->setSection(section);

    const QString fixedName = momentumSpace ? (horizontal ? QStringLiteral("p_y") : QStringLiteral("p_x"))
                                            : (horizontal ? QStringLiteral("Y") : QStringLiteral("X"));
    form.crossSectionActualValueLabel->setText(
        QStringLiteral("%1 = %2").arg(fixedName, QString::number(section.snappedCoordinate, 'f', 3)));
    form.quantumView->setCrossSectionLineVisible(form.crossSectionLineCheckBox->isChecked());
    form.quantumView->setCrossSectionLine(axis, static_cast<float>(section.snappedCoordinate));
}

void MainWindow::updateTimeSeriesPanel()
{
    Ui::MainWindow& form = *ui;
    const std::vector<ObservableSample>& samples = history.samples();
    form.timeSeriesPlotWidget->setObservable(
        indexOrFirst(form.timeSeriesQuantityComboBox, indexOf(TimeSeriesQuantityIndex::RightWell)));
    form.timeSeriesPlotWidget->setSamples(samples);
    form.timeSeriesSampleCountLabel->setText(
        PanelText::countedText(history.size(), QLatin1String("sample"), QLatin1String("samples")));
    form.doubleWellPlotWidget->setSamples(samples);
    form.doubleWellPlotWidget->setTunnellingPeriod(
        twoLevel.doubleWellParameters.valid ? twoLevel.doubleWellParameters.tunnellingPeriod : 0.0);
    form.rabiPlotWidget->setSamples(samples);
    form.rabiPlotWidget->setTwoLevelReference(twoLevel.rabiReference);
}

void MainWindow::updateDetectorTvd()
{
    Ui::MainWindow& form = *ui;
    QString text = QStringLiteral("--");
    if (isSelected(form.measurementModeComboBox, MeasurementModeIndex::TemporalDetector) && !detectorFlux.isEmpty() &&
        !measurementHits.empty()) {
        const DetectorShotComparison comparison = DetectorTemporalFlux2D::compareShots(
            detectorFlux.rows(), detectorFlux.rowSpacing(), measurementHits,
            static_cast<std::uint64_t>(std::max(form.detectorBinsSpinBox->value(), 0)));
        if (comparison.distance >= 0.0)
            text = QString::number(comparison.distance, 'f', 4);
    }
    form.detectorTvdValueLabel->setText(text);
}

void MainWindow::refreshExperimentPanels()
{
    updateDoubleWellPanel();
    updateQuenchPanel();
    updatePeriodicDrivePanel();
    updateRabiPanel();
    updateLandauZenerPanel();
    updateStueckelbergPanel(false);
    updateRamseyPanel(false);
    updateBlochPanel();
    updateRevivalsPanel();
    updateBilliardPanel();
    updateTalbotPanel();
    updateBouncerPanel();
    updateVortexPanel();
    updateAndersonPanel();
    updateKickedRotorPanel();
    updateZenoPanel();
    updateScarsPanel();
    updateBerryPanel();
    updateLoschmidtPanel();
    updateMoshinskyPanel();
    updateKapitzaDiracPanel();
    updateAharonovBohmPanel();
    updateLandauPanel();
    updateHallEdgePanel();
    updateBackflowPanel();
    updateZitterbewegungPanel();
    updateKleinPanel();
    updateKleinAngleScanPanel();
    updateKleinHeightScanPanel();
    updateKleinMassScanPanel();
    updateDiracMasslessPanel();
}

} // namespace vxo
