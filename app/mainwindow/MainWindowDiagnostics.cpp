#include "app/mainwindow/MainWindow.h"

#include "app/text/DiagnosticsRowLabels.h"
#include "app/form/FormIndices.h"
#include "app/mainwindow/FieldSpacing.h"
#include "app/text/PanelText.h"
#include "core/PositionMoments.h"
#include "core/ProbabilityCurrent2D.h"
#include "document/DisplayText.h"
#include "ui/MainWindowForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTableWidgetItem>
#include <QTimer>

#include <algorithm>
#include <array>
#include <optional>

namespace vxo {

namespace {

QString fixed(double value, int decimals) { return PanelText::fixedText(value, decimals); }

// "a / b" and the like: two numbers with the same decimals into a two-place format.
QString fixedPair(const QString& format, double a, double b, int decimals)
{
    return format.arg(fixed(a, decimals), fixed(b, decimals));
}

QString latin1(const char* text) { return QString::fromLatin1(text); }

// Strength / offset, position, dimensions and aperture of the four potential rows.
struct PotentialRows {
    QString strength = QStringLiteral("0.00");
    QString position = PanelText::kNotAvailable;
    QString dimensions = PanelText::kNotAvailable;
    QString aperture = PanelText::kNotAvailable;
};

// Dimensions and aperture of an object by kind; both the geometry page and a
// scene object are described this way. Kinds without a size keep "n/a".
void describeSize(const PotentialObject& object, PotentialRows& rows)
{
    const QString widthHeight = QStringLiteral("width=%1   height=%2");
    switch (object.kind) {
    case PotentialObjectKind::Rectangle:
    case PotentialObjectKind::PolygonWedge:
        rows.dimensions = fixedPair(widthHeight, object.width, object.height, 2);
        break;
    case PotentialObjectKind::Circle:
        rows.dimensions = QStringLiteral("radius=%1").arg(fixed(object.radius, 2));
        break;
    case PotentialObjectKind::Barrier:
        rows.dimensions = fixedPair(QStringLiteral("length=%1   thickness=%2"), object.length, object.thickness, 2);
        break;
    case PotentialObjectKind::SingleSlit:
        rows.dimensions = QStringLiteral("wall width=%1").arg(fixed(object.wallWidth, 2));
        rows.aperture = QStringLiteral("height=%1").arg(fixed(object.slitHeight, 2));
        break;
    case PotentialObjectKind::DoubleSlit:
        rows.dimensions = QStringLiteral("wall width=%1").arg(fixed(object.wallWidth, 2));
        rows.aperture =
            fixedPair(QStringLiteral("separation=%1   slit height=%2"), object.slitSeparation, object.slitHeight, 2);
        break;
    case PotentialObjectKind::Gaussian:
        rows.dimensions = fixedPair(QStringLiteral("sigmaX=%1   sigmaY=%2"), object.sigmaX, object.sigmaY, 2);
        break;
    case PotentialObjectKind::Harmonic:
        rows.dimensions = fixedPair(QStringLiteral("kx=%1   ky=%2"), object.curvatureX, object.curvatureY, 3);
        break;
    case PotentialObjectKind::Linear:
        rows.dimensions = fixedPair(QStringLiteral("Fx=%1   Fy=%2"), object.slopeX, object.slopeY, 3);
        break;
    case PotentialObjectKind::SoftenedRadial:
        rows.dimensions = QStringLiteral("epsilon=%1").arg(fixed(object.softening, 2));
        break;
    case PotentialObjectKind::StadiumExterior:
        rows.dimensions = fixedPair(QStringLiteral("straight=%1   radius=%2"), object.width, object.radius, 2);
        break;
    default:
        break;
    }
}

// The geometry page's object: its strength and centre under the names the
// page gives them. "None" and unknown kinds keep the start values.
PotentialRows describeGeometryPage(const PotentialObject& object)
{
    PotentialRows rows;
    QString strength = QStringLiteral("%1");
    QString position = QStringLiteral("x=%1   y=%2");
    switch (object.kind) {
    case PotentialObjectKind::Rectangle:
    case PotentialObjectKind::Circle:
    case PotentialObjectKind::Barrier:
    case PotentialObjectKind::PolygonWedge:
    case PotentialObjectKind::StadiumExterior:
        break;
    case PotentialObjectKind::SingleSlit:
        position = QStringLiteral("wall x=%1   slit y=%2");
        break;
    case PotentialObjectKind::DoubleSlit:
        position = QStringLiteral("wall x=%1   group y=%2");
        break;
    case PotentialObjectKind::Gaussian:
        strength = QStringLiteral("A=%1");
        break;
    case PotentialObjectKind::Harmonic:
        strength = QStringLiteral("Voff=%1");
        position = QStringLiteral("xc=%1   yc=%2");
        break;
    case PotentialObjectKind::Linear:
        strength = QStringLiteral("Voff=%1");
        position = QStringLiteral("xref=%1   yref=%2");
        break;
    case PotentialObjectKind::SoftenedRadial:
        strength = QStringLiteral("g=%1");
        break;
    default:
        return rows;
    }
    rows.strength = strength.arg(fixed(object.value, 2));
    rows.position = fixedPair(position, object.centerX, object.centerY, 2);
    describeSize(object, rows);
    return rows;
}

// A scene object: plain strength, centre with its id and an OFF mark.
PotentialRows describeSceneObject(const PotentialObject& object)
{
    PotentialRows rows;
    rows.strength = fixed(object.value, 2);
    rows.position = QStringLiteral("x=%1   y=%2   #%3%4")
                        .arg(fixed(object.centerX, 2), fixed(object.centerY, 2), QString::number(object.id),
                             object.enabled ? QString() : QStringLiteral(" OFF"));
    describeSize(object, rows);
    return rows;
}

// 100 (H - H0) / H0 is a numerical drift only while H is conserved; the six
// time-dependent protocols change H on purpose (the Berry loop, being
// adiabatic, is not counted among them).
struct DriftLabels {
    QString parameter;
    QString suffix;
};

// <H> is taken per unit of the norm left, so an absorbing layer that has
// taken part of the packet moves it by that part's energy. Below a thousandth
// of the probability (what the layer takes from the tails of a packet that
// has not reached it) the layer is not named as a cause: the drift of a
// packet striking a hard wall, for one, is the step's own error.
constexpr double kMaterialAbsorbedProbability = 1e-3;

} // namespace

void MainWindow::setupDiagnosticsTable()
{
    Ui::MainWindow& form = *ui;
    QTableWidget* const table = form.diagnosticsTable;
    table->setRowCount(kDiagnosticsRowCount);
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    for (int row = 0; row < kDiagnosticsRowCount; ++row) {
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem;
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            table->setItem(row, column, item);
        }
    }
    for (int index = 0; index < kDiagnosticsRowCount; ++index) {
        const auto row = static_cast<DiagnosticsRow>(index);
        const DiagnosticsRowLabels& labels = diagnosticsRowLabels(row);
        const QString value =
            row == kLibrarySelectionRow ? form.experimentPresetComboBox->currentText() : latin1(labels.initialValue);
        setDiagnosticsRow(row, latin1(labels.section), latin1(labels.parameter), value);
    }
}

void MainWindow::setDiagnosticsRow(DiagnosticsRow row, const QString& section, const QString& parameter,
                                   const QString& value)
{
    Ui::MainWindow& form = *ui;
    QTableWidget* const table = form.diagnosticsTable;
    if (row < 0 || row >= table->rowCount())
        return;
    const std::array<const QString*, 3> texts{{&section, &parameter, &value}};
    for (int column = 0; column < 3; ++column) {
        if (!table->item(row, column))
            table->setItem(row, column, new QTableWidgetItem);
    }
    for (int column = 0; column < 3; ++column)
        table->item(row, column)->setText(*texts[static_cast<std::size_t>(column)]);
}

void MainWindow::writeDiagnosticsRow(DiagnosticsRow row, const QString& value)
{
    if (row < 0 || row >= kDiagnosticsRowCount)
        return;
    const DiagnosticsRowLabels& labels = diagnosticsRowLabels(row);
    setDiagnosticsRow(row, latin1(labels.section), latin1(labels.parameter), value);
}

void MainWindow::updateDiagnostics()
{
    if (applyingExperiment)
        return;
    const double norm = writeDiagnosticsTable();
    writeStatusLine(norm);
}

double MainWindow::writeDiagnosticsTable()
{
    Ui::MainWindow& form = *ui;
    const auto write = [this](DiagnosticsRow row, const QString& value) { writeDiagnosticsRow(row, value); };
    // A row whose parameter text says what the value is this time.
    const auto writeAs = [this](DiagnosticsRow row, const QString& parameter, const QString& value) {
        setDiagnosticsRow(row, latin1(diagnosticsRowLabels(row).section), parameter, value);
    };

    const bool momentumView = momentumSpaceShown();
    if (momentumView)
        ensureMomentumField();
    const PositionMoments moments = observedDensity().moments();

    // Identity and transport.
    QString experiment = experimentTitle.isEmpty() ? form.experimentPresetComboBox->currentText() : experimentTitle;
    if (!lastDocumentPath.isEmpty())
        experiment += QStringLiteral(" / JSON: ") + QFileInfo(lastDocumentPath).fileName();
    writeAs(kLibrarySelectionRow, QStringLiteral("Experiment"), elideForDisplay(experiment));
    write(kTransportStateRow, latin1(transportStateName(transport.state())));
    write(kTransportSpeedRow, QStringLiteral("%1x").arg(fixed(transport.speed(), 2)));
    write(kTimerStepsRow,
          QStringLiteral("%1 ms / %2")
              .arg(QString::number(runTimer->interval()), QString::number(transport.stepsOfRecentTick())));

    // Simulation, universe and grid.
    const bool absorbing = absorbingBoundary.isEnabled();
    write(kTimeRow, fixed(solver.time(), 3));
    write(kStepRow, QString::number(solver.stepCount()));
    write(kNormRow, fixed(moments.norm, 7));
    write(kAbsorbedProbabilityRow, fixed(absorbing ? std::max(1.0 - moments.norm, 0.0) : 0.0, 7));
    const SimulationDomain2D domain = currentSimulationDomain();
    write(kPhysicalSizeRow, fixedPair(QStringLiteral("%1 x %2"), domain.width(), domain.height(), 2));
    write(kBoundaryRow, absorbing
                            ? fixedPair(QStringLiteral("Absorbing CAP   width=%1   eta=%2"),
                                        form.absorbingWidthSpinBox->value(), form.absorbingStrengthSpinBox->value(), 2)
                            : QStringLiteral("Periodic (FFT)"));
    write(kGridSizeRow, QStringLiteral("%1 x %2").arg(QString::number(domain.nx()), QString::number(domain.ny())));
    write(kGridSpacingRow, fixedPair(QStringLiteral("%1 / %2"), domain.dx(), domain.dy(), 4));
    write(kTimeStepRow, fixed(solver.parameters().dt, 3));

    // Wave packet of the form and the live observables.
    write(kPacketCenterRow,
          fixedPair(QStringLiteral("x0=%1   y0=%2"), form.centerXSpinBox->value(), form.centerYSpinBox->value(), 2));
    write(kPacketSigmaRow, fixed(form.sigmaSpinBox->value(), 2));
    write(kPacketMomentumRow,
          fixedPair(QStringLiteral("px=%1   py=%2"), form.momentumSpinBox->value(), form.momentumYSpinBox->value(), 2));
    write(kPacketMassRow, fixed(form.massSpinBox->value(), 2));
    write(kPacketKineticEnergyRow, fixed(packetKineticEnergy(), 4));
    write(kPacketEnergyXRow, fixed(packetKineticEnergyX(), 4));
    write(kMeanPositionRow, fixedPair(QStringLiteral("%1 / %2"), moments.meanX, moments.meanY, 3));
    write(kPositionSpreadRow, fixedPair(QStringLiteral("%1 / %2"), moments.sigmaX, moments.sigmaY, 3));

    // Potential.
    write(kGeometryRow, potentialSummaryText());
    const bool sceneOn = form.potentialSceneActiveCheckBox->isChecked();
    QString editor = QStringLiteral("OFF");
    if (form.viewportEditCheckBox->isChecked())
        editor = (sceneOn ? QStringLiteral("ON - %1 (draw adds object)") : QStringLiteral("ON - %1"))
                     .arg(form.viewportEditToolComboBox->currentText());
    write(kViewportEditorRow, editor);
    PotentialRows potentialRows = describeGeometryPage(currentPotentialObject());
    if (sceneOn && !potentialScene.empty()) {
        if (const PotentialObject* object = potentialScene.find(selectedSceneObjectId()))
            potentialRows = describeSceneObject(*object);
        else
            potentialRows = {QStringLiteral("scene"), QStringLiteral("%1 objects").arg(potentialScene.size()),
                             QStringLiteral("select an object"), PanelText::kNotAvailable};
    }
    writeAs(kPotentialStrengthRow, QStringLiteral("Strength / offset"), potentialRows.strength);
    write(kPotentialPositionRow, potentialRows.position);
    write(kPotentialDimensionsRow, potentialRows.dimensions);
    write(kPotentialApertureRow, potentialRows.aperture);
    write(kPotentialRangeRow, fixedPair(QStringLiteral("%1 / %2"), potential.minValue(), potential.maxValue(), 2));
    // The contour sets are those of the last refresh of the views.
    write(kPotentialContoursRow, form.potentialContoursCheckBox->isChecked()
                                     ? QStringLiteral("%1 level(s), %2 segments%3")
                                           .arg(QString::number(potentialContours.levels.size()),
                                                QString::number(potentialContours.segments.size()),
                                                potentialContours.binary ? QStringLiteral(" (binary V)") : QString())
                                     : QStringLiteral("OFF"));
    write(kProbabilityContoursRow,
          form.probabilityContoursCheckBox->isChecked()
              ? QStringLiteral("%1 levels, %2 segments, %3, stride %4")
                    .arg(QString::number(probabilityContours.levels.size()),
                         QString::number(probabilityContours.segments.size()),
                         probabilityContours.spacingMode == ProbabilityContourSet::kLogarithmicSpacing
                             ? QStringLiteral("log")
                             : QStringLiteral("linear"),
                         QString::number(probabilityContours.stride))
              : QStringLiteral("OFF"));

    // Momentum space, only while it is shown.
    const bool momentumShown = momentumView && !momentumField.field.empty();
    const QString selectMomentum = latin1(diagnosticsRowLabels(kMeanMomentumRow).initialValue);
    write(kMeanMomentumRow, momentumShown
                                ? fixedPair(QStringLiteral("%1 / %2"), momentumField.meanPx, momentumField.meanPy, 5)
                                : selectMomentum);
    write(kMomentumSpreadRow,
          momentumShown ? fixedPair(QStringLiteral("%1 / %2"), momentumField.sigmaPx, momentumField.sigmaPy, 5)
                        : selectMomentum);
    write(kMomentumResolutionRow,
          momentumShown ? QStringLiteral("%1 / %2   norm=%3")
                              .arg(fixed(fieldDxOrZero(momentumField.field), 5),
                                   fixed(fieldDyOrZero(momentumField.field), 5), fixed(momentumField.norm, 7))
                        : selectMomentum);
    const QString viewName = momentumView ? QStringLiteral("Momentum |psi_tilde|^2") : form.viewComboBox->currentText();

    // Probability current, with the links of a gauge experiment in force.
    const ProbabilityCurrent2D& current = observedCurrent();
    write(kCurrentMaximumRow, PanelText::generalText(current.maxMagnitude, 6));
    write(kCurrentIntegralRow, fixedPair(QStringLiteral("%1 / %2"), current.integralJx, current.integralJy, 5));

    // Analysis pages.
    const bool horizontal = isSelected(form.crossSectionAxisComboBox, CrossSectionAxisIndex::Horizontal);
    QString varied;
    QString fixedAxis;
    QString curve;
    if (momentumView) {
        varied = horizontal ? QStringLiteral("vary p_x") : QStringLiteral("vary p_y");
        fixedAxis = horizontal ? QStringLiteral("p_y") : QStringLiteral("p_x");
        curve = QStringLiteral("|psi_tilde|^2");
    } else {
        varied = horizontal ? QStringLiteral("vary X") : QStringLiteral("vary Y");
        fixedAxis = horizontal ? QStringLiteral("Y") : QStringLiteral("X");
        curve = form.crossSectionCurveComboBox->currentText();
    }
    write(kCrossSectionRow, QStringLiteral("%1 at %2=%3  curve=%4")
                                .arg(varied, fixedAxis, fixed(form.crossSectionPositionSpinBox->value(), 3), curve));
    write(kTimeHistoryRow,
          QStringLiteral("%1   curve=%2")
              .arg(PanelText::countedText(history.size(), QLatin1String("sample"), QLatin1String("samples")),
                   form.timeSeriesQuantityComboBox->currentText()));

    // Energies of the newest observation.
    DriftLabels drift{QStringLiteral("Drift from start"), QString()};
    const SteppedHamiltonian hamiltonian = steppedHamiltonian();
    if (hamiltonian.spinor) {
        // A Dirac run records no observation: its energies are the spinor's
        // now, with no start to drift from. Two transforms of the grid, so
        // only for a table in sight; its coming into sight refreshes it.
        if (form.diagnosticsTable->isVisible()) {
            const EnergyObservables2D& dirac = diracEnergies(hamiltonian);
            write(kKineticEnergyRow, fixed(dirac.kinetic, 6));
            write(kPotentialEnergyRow, fixed(dirac.potential, 6));
            write(kTotalEnergyRow, fixed(dirac.total, 6));
        }
        writeAs(kEnergyDriftRow, drift.parameter, PanelText::kNotAvailable);
    } else if (history.empty()) {
        for (const DiagnosticsRow row : {kKineticEnergyRow, kPotentialEnergyRow, kTotalEnergyRow})
            write(row, PanelText::kNotAvailable);
        writeAs(kEnergyDriftRow, drift.parameter, PanelText::kNotAvailable);
    } else {
        const ObservableSample& newest = history.newest();
        write(kKineticEnergyRow, fixed(newest.kineticEnergy, 6));
        write(kPotentialEnergyRow, fixed(newest.potentialEnergy, 6));
        write(kTotalEnergyRow, fixed(newest.totalEnergy, 6));
        // The kicks change the rotor's energy as the protocols change theirs.
        const bool timeDependent = formSettings<QuantumQuench>().enabled || formSettings<PeriodicDrive>().enabled ||
                                   formSettings<LinearSweep>().enabled || formSettings<RamseySequence>().enabled ||
                                   formSettings<MoshinskyConfig>().enabled ||
                                   formSettings<KapitzaDiracConfig>().enabled || kickedRotorKicks();
        if (timeDependent)
            drift = {QStringLiteral("Change from start"), QStringLiteral("% (time-dependent H)")};
        else if (absorbing && newest.absorbedProbability >= kMaterialAbsorbedProbability)
            drift.suffix =
                QStringLiteral("% (CAP: open system, absorbed P=%1)").arg(fixed(newest.absorbedProbability, 4));
        else
            drift.suffix = QStringLiteral("%");
        writeAs(kEnergyDriftRow, drift.parameter,
                QStringLiteral("%1 %2").arg(fixed(newest.energyDriftPercent, 4), drift.suffix));
    }

    // Measurement.
    write(kAccumulatedHitsRow, QString::number(measurementHits.size()));
    write(kLastBatchRow, QStringLiteral("%1 shots; ensemble sampling").arg(QString::number(lastMeasurementCount)));
    if (lastCollapse.valid) {
        write(kCollapseRow, QStringLiteral("x=%1  y=%2  resolution=%3")
                                .arg(fixed(lastCollapse.result.x, 3), fixed(lastCollapse.result.y, 3),
                                     fixed(lastCollapse.result.sigma, 3)));
        write(kCollapseSpreadsRow, QStringLiteral("sigmaX %1->%2  sigmaY %3->%4   sigmaPx %5->%6  sigmaPy %7->%8")
                                       .arg(fixed(lastCollapse.sigmaXBefore, 3), fixed(lastCollapse.sigmaXAfter, 3),
                                            fixed(lastCollapse.sigmaYBefore, 3), fixed(lastCollapse.sigmaYAfter, 3),
                                            fixed(lastCollapse.sigmaPxBefore, 3), fixed(lastCollapse.sigmaPxAfter, 3),
                                            fixed(lastCollapse.sigmaPyBefore, 3), fixed(lastCollapse.sigmaPyAfter, 3)));
    } else {
        write(kCollapseRow, QStringLiteral("not performed"));
        write(kCollapseSpreadsRow, PanelText::kNoValue);
    }
    const bool fullPlane = isSelected(form.measurementModeComboBox, MeasurementModeIndex::FullPlane);
    const bool temporal = isSelected(form.measurementModeComboBox, MeasurementModeIndex::TemporalDetector);
    const int bins = form.detectorBinsSpinBox->value();
    write(kDetectorScreenRow, fullPlane
                                  ? QStringLiteral("OFF - full plane snapshot")
                                  : QStringLiteral("%1   x=%2   width=%3   bins=%4")
                                        .arg(temporal ? QStringLiteral("TEMPORAL") : QStringLiteral("SNAPSHOT"),
                                             fixed(form.detectorXSpinBox->value(), 2),
                                             fixed(form.detectorThicknessSpinBox->value(), 2), QString::number(bins)));
    write(kCrossingProbabilityRow, fixed(detectorFlux.totalFlux(), 6));
    double distance = -1.0;
    if (temporal && !detectorFlux.isEmpty() && !measurementHits.empty())
        distance = DetectorTemporalFlux2D::compareShots(detectorFlux.rows(), detectorFlux.rowSpacing(), measurementHits,
                                                        static_cast<std::uint64_t>(std::max(bins, 0)))
                       .distance;
    write(kHitsFluxDistanceRow, distance < 0.0 ? PanelText::kNoValue : fixed(distance, 4));

    // Rendering.
    write(kRenderingPresetRow, form.graphicsPresetComboBox->currentText());
    const bool overlayShown = !momentumView && form.potentialOverlayCheckBox->isChecked();
    write(kRenderingViewRow, QStringLiteral("%1 / %2   palette=%3   potential overlay=%4")
                                 .arg(form.spaceComboBox->currentText(), viewName, form.paletteComboBox->currentText(),
                                      overlayShown ? QStringLiteral("ON") : QStringLiteral("OFF")));
    write(kRenderingDisplayRow,
          QStringLiteral("%1   EV=%2   gamma=%3")
              .arg(form.displayScaleComboBox->currentText(), fixed(form.exposureSpinBox->value(), 2),
                   fixed(form.gammaSpinBox->value(), 2)));
    write(kPostProcessRow,
          QStringLiteral("%1   threshold=%2   knee=%3   blur=%4   bloom=%5   tone=%6")
              .arg(form.postPreviewComboBox->currentText(), fixed(form.brightThresholdSpinBox->value(), 2),
                   fixed(form.brightKneeSpinBox->value(), 2), fixed(form.blurSpreadSpinBox->value(), 2),
                   fixed(form.bloomStrengthSpinBox->value(), 2), form.toneMapComboBox->currentText()));
    return moments.norm;
}

void MainWindow::writeStatusLine(double norm)
{
    // The permanent status line replaces any timed message until the next one.
    // A run that falls behind its chosen speed says how fast it really goes.
    QString state = latin1(transportStateName(transport.state()));
    if (transport.isRunning()) {
        if (const std::optional<double> achieved =
                runPace.speedWhenBehind(solver.parameters().dt, TransportClock::kTickBaseMs))
            state = QStringLiteral("%1 at %2x").arg(state, fixed(*achieved, 2));
    }
    ui->statusBar->showMessage(QStringLiteral("%1 | t=%2 | step=%3 | norm=%4 | %5")
                                   .arg(state, fixed(solver.time(), 3), QString::number(solver.stepCount()),
                                        fixed(norm, 6), potentialSummaryText()),
                               0);
}

const EnergyObservables2D& MainWindow::diracEnergies(const SteppedHamiltonian& hamiltonian)
{
    DiracEnergyReading& reading = diracEnergyReading;
    const DiracSpinor2D& spinor = *hamiltonian.spinor;
    DiracEnergyReading::Key key;
    key.upper = spinor.upper.data();
    key.lower = spinor.lower.data();
    key.nx = spinor.upper.nx();
    key.ny = spinor.upper.ny();
    key.step = solver.stepCount();
    key.time = solver.time();
    if (hamiltonian.diracPotential) {
        key.potentialIdentity = potential.identity();
        key.potentialRevision = potential.revision();
    }
    key.hbar = hamiltonian.hbar;
    key.lightSpeed = hamiltonian.lightSpeed;
    key.restMass = hamiltonian.restMass;
    if (!reading.valid || !(reading.key == key)) {
        reading.energies = EnergyObservables2D::ofStep(psi, potential, hamiltonian);
        reading.key = key;
        reading.valid = true;
        ++reading.evaluations;
    }
    return reading.energies;
}

} // namespace vxo
