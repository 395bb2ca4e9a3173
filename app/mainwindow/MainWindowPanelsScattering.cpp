#include "app/mainwindow/MainWindow.h"

#include "app/text/DiagnosticsRowLabels.h"
#include "app/form/FormIndices.h"
#include "app/text/GridDependenceText.h"
#include "app/text/PanelText.h"
#include "core/KineticEnergy.h"
#include "core/Numeric.h"
#include "core/RegionProbabilities.h"
#include "experiments/CavityLeak.h"
#include "experiments/DrainedRowTransmission.h"
#include "experiments/PacketAverage.h"
#include "experiments/PaintedLayers.h"
#include "experiments/QuantumResonance2D.h"
#include "core/PotentialField2D.h"
#include "ui/MainWindowForm.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace vxo {

namespace {

// A packet counts as arrived at the barrier once this much probability is
// inside the interaction region, or this much has already passed it.
constexpr double kCollisionInteraction = 0.025;
constexpr double kCollisionTransmitted = 0.01;
// Reflection and transmission are read only after t > 2 with less than this
// probability left in the interaction region: the packet has split in two.
// At a single barrier the share still inside is read against a theory value
// good to a few thousandths, so it must be smaller than that.
constexpr double kSeparationTime = 2.0;
constexpr double kBarrierSeparationInteraction = 0.01;
// The double barrier's cavity can hold its content long after the rest of
// the packet has gone (over a resonance's lifetime hbar / Gamma, about 26 at
// the guided pair's first). It is read once drained, or once its content
// leaks as one quasi-bound level (CavityLeak.h), whose decay is watched over
// windows of this many round trips of the cavity at the packet's speed.
constexpr double kLeakWindowRoundTrips = 2.0;
// Until then, a cavity that has given back this share of the most it held
// is said to be emptying.
constexpr double kCavityGivenBack = 0.5;
// The painted barriers are read over this many cells beyond their outer
// faces, wide enough for any rule that paints a face into its neighbour cell.
constexpr double kPaintedMarginCells = 4.0;

// The single barrier's three regions: the interaction region reaches half
// the barrier plus 0.36 either side of its centre, never less than 0.6.
double legacySplitHalfWidth(double thickness) { return std::max(0.5 * thickness + 0.36, 0.6); }

// The check's work between two turns of the window's event loop, in cell
// sub-steps of its line: some milliseconds.
constexpr std::uint64_t kCellsCheckSlice = std::uint64_t(1) << 21;
// The most of a packet's start that may already lie past the barrier's
// near face for the packet to count as coming in from the left.
constexpr double kAlreadyInside = 0.01;

// The painted width of a run of layers: the cells of non-zero potential.
double paintedWidth(const std::vector<PotentialLayer>& layers)
{
    double width = 0.0;
    for (const PotentialLayer& layer : layers)
        if (layer.value != 0.0)
            width += layer.length;
    return width;
}

// Painted and set widths differ by more than rounding: the faces fell
// between cell centres and the grid painted whole cells.
bool paintedOtherwise(double painted, double set, double dx) { return std::abs(painted - set) > 1e-3 * dx; }

// The plane-wave T across the layers at the packet's mean energy along x,
// and averaged over its momenta along x, as the packet measures it.
double planeWaveT(const std::vector<PotentialLayer>& layers, double energy, double mass, double hbar)
{
    return QuantumResonance2D::layeredTransmission(energy, layers, mass, hbar);
}
double packetT(const std::vector<PotentialLayer>& layers, double momentum, double spread, double mass, double hbar)
{
    return packetAveragedTransmission(
        [&](double e) { return QuantumResonance2D::layeredTransmission(e, layers, mass, hbar); }, momentum, spread,
        mass);
}

// The single barrier as painted on the packet's row, over the three-region
// split about its centre and a few cells beyond.
std::vector<PotentialLayer> paintedLegacyBarrier(const PotentialField2D& potential, const Ui::MainWindow& form)
{
    const double centerX = form.barrierCenterXSpinBox->value();
    const double halfWidth = legacySplitHalfWidth(form.barrierThicknessSpinBox->value());
    const double margin = kPaintedMarginCells * potential.dx();
    return paintedLayers(potential, form.centerYSpinBox->value(), centerX - halfWidth - margin,
                         centerX + halfWidth + margin);
}

// The grid row through the packet's start and the packet the form prepares:
// the line the cells check runs, set up and not yet run.
std::shared_ptr<DrainedRowTransmission> checkOfTheseCells(const PotentialField2D& potential, const Ui::MainWindow& form,
                                                          const SplitStepParameters& parameters, double from, double to,
                                                          double aheadShare)
{
    // The references are those of a packet that comes in from the left: a
    // packet at rest, moving away, or already reaching into the span at
    // its start has no such reference to compare with, and nothing is run.
    const double x0 = form.centerXSpinBox->value();
    const double sigma = form.sigmaSpinBox->value();
    const double momentum = form.momentumSpinBox->value();
    const bool comesIn =
        momentum > 0.0 && sigma > 0.0 && 0.5 * std::erfc((from - x0) / (sigma * std::sqrt(2.0))) <= kAlreadyInside;
    if (potential.empty() || !comesIn)
        return nullptr;
    const std::uint64_t row =
        nearestCellIndex(form.centerYSpinBox->value(), potential.ny(), potential.dy(), 0, potential.ny() - 1);
    auto check = std::make_shared<DrainedRowTransmission>(potential, row, from, to, parameters,
                                                          RowPacket{x0, sigma, momentum}, aheadShare);
    return check->finished() && !check->result().valid ? nullptr : check;
}

// What the cells check says of a reading against the exact walls' packet T.
enum class CellsVerdict {
    Agree,      // these cells pass what the exact walls pass, or no check applies
    Disagree,   // the reading depends on the grid
    Checking,   // the check runs between the window's events
    NotChecked, // the check's line ran out of work before it drained
};

CellsVerdict cellsVerdict(const SeparationReading& reading, double exact)
{
    if (reading.checkingCells())
        return CellsVerdict::Checking;
    const RowTransmission& cells = reading.onTheseCells;
    if (cells.overBudget)
        return CellsVerdict::NotChecked;
    return !cells.valid || cellsCarryTheWalls(cells, exact) ? CellsVerdict::Agree : CellsVerdict::Disagree;
}

// What the state row says of a separated packet: valid where these cells
// carry the walls the reference describes, else that the reading depends on
// the grid (the probabilities row says by how much), or that the cells are
// being checked or could not be.
QString separatedState(const char* prefix, CellsVerdict verdict)
{
    const char* const states[] = {"SEPARATED / MEASUREMENT VALID", "SEPARATED / GRID-DEPENDENT",
                                  "SEPARATED / CHECKING THE CELLS", "SEPARATED / CELLS NOT CHECKED"};
    return QString::fromLatin1(prefix) + QString::fromLatin1(states[static_cast<int>(verdict)]);
}

// " | on cells of dx x dy this packet passes a of these walls: on finer
// cells b, the exact walls' packet T" where the cells disagree, what the
// check is doing or why it gave up, or nothing where the cells agree.
QString cellsNote(const SeparationReading& reading, double exact, double dx, double dy)
{
    switch (cellsVerdict(reading, exact)) {
    case CellsVerdict::Agree:
        return {};
    case CellsVerdict::Checking:
        return QStringLiteral("   | checking what a line of these cells passes");
    case CellsVerdict::NotChecked:
        return QStringLiteral("   | not checked on these cells: a line of them drains too slowly "
                              "(a slow packet, a long-lived level or fine cells)");
    case CellsVerdict::Disagree:
        break;
    }
    return QStringLiteral("   | ") +
           gridDependenceText(dx, dy,
                              PanelText(QStringLiteral("this packet passes %1 of these walls"))
                                  .fixed(reading.onTheseCells.transmission, 4)
                                  .text(),
                              PanelText(QStringLiteral("%1, the exact walls' packet T")).fixed(exact, 4).text());
}

// The reading at separation against the packet's reference, with the time
// it was taken: "P_R=%1   P_T=%2   <inside>=%3   packet T=%4   deltaT=%5
// read at t=%6".
QString separatedReadingText(const char* format, const SeparationReading& reading, double reference)
{
    return PanelText(QString::fromLatin1(format))
        .fixed({reading.reflected, reading.transmitted, reading.inside, reference, reading.transmitted - reference}, 4)
        .fixed(reading.time, 3)
        .text();
}

// "P_left=%1   <middle>=%2   P_right=%3" with four decimals each.
QString threeRegionText(const char* format, const RegionProbabilities& regions)
{
    return PanelText(QString::fromLatin1(format))
        .fixed({regions.leftFraction, regions.middleFraction, regions.rightFraction}, 4)
        .text();
}

} // namespace

QString MainWindow::wedgeGridText() const
{
    // The wedge is painted cell by cell, so its slanted faces are staircases
    // of cell steps; what it sends on and aside depends on how fine they are.
    const double momentum = std::hypot(ui->momentumSpinBox->value(), ui->momentumYSpinBox->value());
    const double wavelength = 2.0 * kPi * static_cast<double>(solver.parameters().hbar) / std::max(momentum, 1e-12);
    const double step = std::max(static_cast<double>(psi.dx()), static_cast<double>(psi.dy()));
    return gridDependenceText(psi.dx(), psi.dy(),
                              PanelText(QStringLiteral("the wedge's faces are steps of %1% of a wavelength"))
                                  .fixed(100.0 * step / wavelength, 1)
                                  .text(),
                              QStringLiteral("the shares and <x> behind it move by a few percent"));
}

void MainWindow::updateScatteringPanel()
{
    // With a scene the barriers are objects: only a double barrier has a
    // partition, and the resonance panel owns it.
    if (sceneUsable()) {
        updateResonancePanel(false);
        return;
    }

    Ui::MainWindow& form = *ui;
    const double centerX = form.barrierCenterXSpinBox->value();
    const double halfWidth = legacySplitHalfWidth(form.barrierThicknessSpinBox->value());
    // Shares of the whole packet: what the layer took counts on its side.
    const RegionProbabilities regions =
        scattering.absorption.ofWholePacket(observedDensity().regions(centerX - halfWidth, centerX + halfWidth));

    if (form.geometryComboBox->currentIndex() != static_cast<int>(PotentialObjectKind::Barrier)) {
        writeDiagnosticsRow(kScatteringStateRow,
                            form.geometryComboBox->currentIndex() == static_cast<int>(PotentialObjectKind::PolygonWedge)
                                ? QStringLiteral("X-region monitor   ") + wedgeGridText()
                                : QStringLiteral("X-region monitor"));
        writeDiagnosticsRow(kScatteringProbabilitiesRow,
                            threeRegionText("P_left=%1   P_center=%2   P_right=%3", regions));
        return;
    }

    const double inside = regions.middleFraction;
    if (inside > kCollisionInteraction || regions.rightFraction > kCollisionTransmitted)
        scattering.legacyCollisionStarted = true;
    if (scattering.legacyCollisionStarted && !scattering.legacyPacketSeparated && solver.time() > kSeparationTime &&
        inside < kBarrierSeparationInteraction) {
        scattering.legacyPacketSeparated = true;
        scattering.legacySeparation.take(solver.time(), regions.leftFraction, regions.rightFraction, inside);
        // Pause once, at the refresh that first sees the split packet, so R
        // and T can be read; a run resumed by Play is not stopped again.
        if (runTimer->isActive())
            setRunning(false);
    }

    if (scattering.legacyPacketSeparated) {
        // The reference is the barrier as painted, averaged over the packet's
        // momenta; what the same cells pass of it says whether the reading
        // stands for those walls.
        const double mass = form.massSpinBox->value();
        const double hbar = solver.parameters().hbar;
        const std::vector<PotentialLayer> painted = paintedLegacyBarrier(potential, form);
        const double reference = packetT(painted, form.momentumSpinBox->value(),
                                         gaussianMomentumSpread(form.sigmaSpinBox->value(), hbar), mass, hbar);
        SeparationReading& reading = scattering.legacySeparation;
        if (!reading.cellsCheck)
            startCellsCheck(reading, checkOfTheseCells(potential, form, solver.parameters(), centerX - halfWidth,
                                                       centerX + halfWidth, 0.5));
        const double setWidth = form.barrierThicknessSpinBox->value();
        const double paintedA = paintedWidth(painted);
        const QString geometry =
            form.barrierV0SpinBox->value() != 0.0 && paintedOtherwise(paintedA, setWidth, potential.dx())
                ? PanelText(QStringLiteral("   | packet T of the barrier as painted: a=%1, not %2"))
                      .fixed({paintedA, setWidth}, 3)
                      .text()
                : QString();
        writeDiagnosticsRow(kScatteringStateRow, separatedState("", cellsVerdict(reading, reference)));
        writeDiagnosticsRow(kScatteringProbabilitiesRow,
                            separatedReadingText("P_R=%1   P_T=%2   P_int=%3   packet T=%4   deltaT=%5   read at t=%6",
                                                 reading, reference) +
                                geometry + cellsNote(reading, reference, potential.dx(), potential.dy()));
    } else if (scattering.legacyCollisionStarted) {
        writeDiagnosticsRow(kScatteringStateRow, QStringLiteral("SCATTERING IN PROGRESS"));
        writeDiagnosticsRow(kScatteringProbabilitiesRow,
                            threeRegionText("P_left=%1   P_interaction=%2   P_right=%3", regions));
    } else {
        writeDiagnosticsRow(kScatteringStateRow, QStringLiteral("BEFORE COLLISION"));
        writeDiagnosticsRow(
            kScatteringProbabilitiesRow,
            threeRegionText("P_left=%1   P_interaction=%2   P_right=%3   | R/T valid after separation", regions));
    }
}

void MainWindow::updateResonancePanel(bool recomputeScans)
{
    Ui::MainWindow& form = *ui;
    QuantumResonancePlotWidget& plot = *form.resonancePlotWidget;

    const bool sceneOn = sceneUsable();
    DoubleBarrierConfig barriers;
    std::string sceneMessage;
    const bool ok = sceneOn && QuantumResonance2D::extractFromScene(potentialScene, barriers, &sceneMessage);

    const std::array<QWidget*, 5> scanControls{{form.resonanceScanModeComboBox, form.resonanceScanMinSpinBox,
                                                form.resonanceScanMaxSpinBox, form.resonanceScanPointsSpinBox,
                                                form.resonanceRefreshButton}};
    for (QWidget* control : scanControls)
        control->setEnabled(ok);

    if (!ok) {
        scattering.resonanceCollisionStarted = false;
        scattering.resonancePacketSeparated = false;
        scattering.resonanceSeparation = SeparationReading{};
        scattering.maxCavityProbability = 0.0;
        scattering.resonanceSweepPeakX = 0.0;
        scattering.resonanceSweepPeakT = 0.0;
        plot.clear();
        const QString hint =
            sceneOn ? QString::fromStdString(sceneMessage)
                    : QStringLiteral(
                          "Potential Scene is OFF. Enable exactly two Barrier objects to analyse resonant tunneling.");
        form.resonanceSummaryLabel->setText(hint);
        writeDiagnosticsRow(kResonanceRow, QStringLiteral("inactive"));
        writeDiagnosticsRow(kResonanceReferenceRow, hint);
        if (sceneOn) {
            writeDiagnosticsRow(kScatteringStateRow, QStringLiteral("Potential Scene: no dedicated R/T partition"));
            writeDiagnosticsRow(kScatteringProbabilitiesRow, hint);
        }
        return;
    }

    const double mass = form.massSpinBox->value();
    const double hbar = solver.parameters().hbar;
    const double energyX = packetKineticEnergyX();
    const double v1 = barriers.leftBarrier.value;
    const double a1 = barriers.leftBarrier.thickness;
    const double v2 = barriers.rightBarrier.value;
    const double a2 = barriers.rightBarrier.thickness;
    const double cavity = barriers.cavityWidth;
    // The references are those of the barriers as painted on the packet's
    // line. The plane-wave row and the summary give the plane wave at the
    // packet's mean energy; what is read against the packet's measured T is
    // averaged over its momenta, as the packet measures it.
    const double margin = kPaintedMarginCells * potential.dx();
    const std::vector<PotentialLayer> painted = paintedLayers(
        potential, form.centerYSpinBox->value(), barriers.leftOuterX - margin, barriers.rightOuterX + margin);
    const LayeredCavity paintedPair = splitAtCavity(painted);
    const double spread = gaussianMomentumSpread(form.sigmaSpinBox->value(), hbar);
    const double momentum = form.momentumSpinBox->value();
    const double doubleT = packetT(painted, momentum, spread, mass, hbar);
    const double planeWaveDoubleT = planeWaveT(painted, energyX, mass, hbar);
    const double singleT1 = planeWaveT(paintedPair.before, energyX, mass, hbar);
    const double singleT2 = planeWaveT(paintedPair.after, energyX, mass, hbar);
    const double paintedCavity = paintedPair.width > 0.0 ? paintedPair.width : cavity;

    const DoubleBarrierRegions regions =
        scattering.absorption.ofWholePacket(QuantumResonance2D::regionProbabilities(observedDensity(), barriers));
    if (regions.barriersFraction + regions.cavityFraction > kCollisionInteraction ||
        regions.rightFraction > kCollisionTransmitted)
        scattering.resonanceCollisionStarted = true;
    scattering.maxCavityProbability = std::max(scattering.maxCavityProbability, regions.cavityFraction);
    bool separatedNow = false;
    const double now = solver.time();
    if (scattering.resonanceCollisionStarted && !scattering.resonancePacketSeparated && now > kSeparationTime) {
        // What is still between the outer faces is booked ahead on each side
        // once too little is left to matter, or once it leaks as one level,
        // through each wall by the wall's share.
        const double inside = regions.barriersFraction + regions.cavityFraction;
        const double through = leakThroughRight(singleT1, singleT2);
        const double speed = momentum / mass;
        const double window =
            speed > 0.0 ? std::max(kLeakWindowRoundTrips * 2.0 * paintedCavity, form.sigmaSpinBox->value()) / speed
                        : 0.0;
        const PairReadiness readiness = scattering.resonanceLeak.observe(
            {now, regions.leftFraction, inside, regions.rightFraction}, through, window);
        if (readiness != PairReadiness::NotYet) {
            scattering.resonancePacketSeparated = true;
            scattering.resonanceSeparation.take(now, regions.leftFraction + (1.0 - through) * inside,
                                                regions.rightFraction + through * inside, regions.cavityFraction);
            startCellsCheck(scattering.resonanceSeparation,
                            checkOfTheseCells(potential, form, solver.parameters(), barriers.leftOuterX - margin,
                                              barriers.rightOuterX + margin, through));
            separatedNow = true;
        }
    }
    if (separatedNow && runTimer->isActive())
        setRunning(false);

    const bool widthScan = isSelected(form.resonanceScanModeComboBox, ResonanceScanIndex::CavityWidth);
    if (recomputeScans) {
        const double low = form.resonanceScanMinSpinBox->value();
        const double high = form.resonanceScanMaxSpinBox->value();
        const int points = std::max(2, form.resonanceScanPointsSpinBox->value());
        std::vector<TransmissionPoint> curve =
            widthScan ? QuantumResonance2D::cavityWidthScan(barriers, low, high, points, energyX, mass, hbar)
                      : QuantumResonance2D::transmissionCurve(barriers, low, high, points, mass, hbar);
        // The scans keep their abscissae; T is the plane-wave T of the pair
        // as painted, whose resonances the packet's average (the marker)
        // smooths.
        for (TransmissionPoint& point : curve)
            point.transmission =
                widthScan ? QuantumResonance2D::layeredTransmission(energyX, paintedPair.withWidth(point.abscissa),
                                                                    mass, hbar)
                          : QuantumResonance2D::layeredTransmission(point.abscissa, painted, mass, hbar);
        scattering.resonanceSweepKind = widthScan ? ResonanceScanIndex::CavityWidth : ResonanceScanIndex::Energy;
        scattering.resonanceSweepPeakX = 0.0;
        scattering.resonanceSweepPeakT = 0.0;
        for (const TransmissionPoint& point : curve) {
            if (point.transmission > scattering.resonanceSweepPeakT) {
                scattering.resonanceSweepPeakX = point.abscissa;
                scattering.resonanceSweepPeakT = point.transmission;
            }
        }
        plot.setXAxisLabel(widthScan ? QStringLiteral("central cavity width L")
                                     : QStringLiteral("longitudinal energy Ex"));
        plot.setCurve(curve);
    }
    plot.setMarkerPoint(widthScan ? paintedCavity : energyX, doubleT);
    plot.setPacketTransmission(scattering.packetTransmissionRecorded(), scattering.packetTransmission());

    const bool tunneling = v1 > energyX && v2 > energyX;
    writeDiagnosticsRow(kTunnelingRegimeRow,
                        PanelText(QStringLiteral("%1   Ex=%2"))
                            .word(tunneling ? QStringLiteral("DOUBLE-BARRIER TUNNELING  Ex < V1,V2")
                                            : QStringLiteral("DOUBLE-BARRIER SCATTERING"))
                            .fixed(energyX, 4)
                            .text());
    writeDiagnosticsRow(kTunnelingTheoryRow, PanelText(QStringLiteral("single T1=%1  T2=%2   double T=%3"))
                                                 .fixed({singleT1, singleT2, planeWaveDoubleT}, 4)
                                                 .text());
    // The set pair, and where the grid painted other widths, the pair as it
    // runs: every T above is that of the painted one.
    const double paintedA1 = paintedWidth(paintedPair.before);
    const double paintedA2 = paintedWidth(paintedPair.after);
    // A barrier of height 0 paints nothing: its width has no painted form.
    const bool repainted = (v1 != 0.0 && paintedOtherwise(paintedA1, a1, potential.dx())) ||
                           (v1 != 0.0 && v2 != 0.0 && paintedOtherwise(paintedCavity, cavity, potential.dx())) ||
                           (v2 != 0.0 && paintedOtherwise(paintedA2, a2, potential.dx()));
    writeDiagnosticsRow(
        kResonanceRow,
        PanelText(QStringLiteral("V1=%1 a1=%2   L=%3   V2=%4 a2=%5")).fixed({v1, a1, cavity, v2, a2}, 3).text() +
            (repainted ? PanelText(QStringLiteral("   | painted (runs): a1=%1   L=%2   a2=%3"))
                             .fixed({paintedA1, paintedCavity, paintedA2}, 3)
                             .text()
                       : QString()));
    // The plane wave at the mean energy is "double T" on every line; what is
    // averaged over the packet's momenta, as the packet measures it, is
    // "packet T".
    writeDiagnosticsRow(kResonanceReferenceRow,
                        PanelText(QStringLiteral("Pcav=%1  max=%2   packet T=%3"))
                            .fixed({regions.cavityFraction, scattering.maxCavityProbability, doubleT}, 4)
                            .text());

    const char* stage = "before collision";
    QString gridNote;
    if (scattering.resonancePacketSeparated) {
        stage = "SEPARATED";
        const SeparationReading& reading = scattering.resonanceSeparation;
        gridNote = cellsNote(reading, doubleT, potential.dx(), potential.dy());
        writeDiagnosticsRow(kScatteringStateRow, separatedState("DOUBLE BARRIER: ", cellsVerdict(reading, doubleT)));
        writeDiagnosticsRow(kScatteringProbabilitiesRow,
                            separatedReadingText("P_R=%1   P_T=%2   P_cav=%3   packet T=%4   deltaT=%5   read at t=%6",
                                                 reading, doubleT) +
                                gridNote);
    } else {
        const bool emptying = scattering.resonanceCollisionStarted && now > kSeparationTime &&
                              regions.cavityFraction <= (1.0 - kCavityGivenBack) * scattering.maxCavityProbability;
        if (emptying) {
            stage = "cavity emptying";
            writeDiagnosticsRow(kScatteringStateRow, QStringLiteral("DOUBLE BARRIER: CAVITY EMPTYING / NOT YET VALID"));
        } else if (scattering.resonanceCollisionStarted) {
            stage = "cavity loading";
            writeDiagnosticsRow(kScatteringStateRow, QStringLiteral("DOUBLE BARRIER: SCATTERING / CAVITY LOADING"));
        } else {
            writeDiagnosticsRow(kScatteringStateRow, QStringLiteral("DOUBLE BARRIER: BEFORE COLLISION"));
        }
        writeDiagnosticsRow(
            kScatteringProbabilitiesRow,
            PanelText(QStringLiteral("P_left=%1   P_bar=%2   P_cav=%3   P_right=%4"))
                .fixed({regions.leftFraction, regions.barriersFraction, regions.cavityFraction, regions.rightFraction},
                       4)
                .text());
    }

    // Every T is that of the painted pair: where the grid painted another
    // cavity than the one set, the summary names both.
    const QString cavityText =
        v1 != 0.0 && v2 != 0.0 && paintedOtherwise(paintedCavity, cavity, potential.dx())
            ? PanelText(QStringLiteral("L=%1 (painted %2)")).fixed({cavity, paintedCavity}, 3).text()
            : PanelText(QStringLiteral("L=%1")).fixed(cavity, 3).text();
    form.resonanceSummaryLabel->setText(
        PanelText(QStringLiteral("Ex=%1 | single T1=%2 T2=%3 | double T=%4 | %5 | P_cav=%6 (max %7) | "
                                 "sweep peak: %8=%9, T=%10 | %11"))
            .fixed({energyX, singleT1, singleT2, planeWaveDoubleT}, 4)
            .word(cavityText)
            .fixed({regions.cavityFraction, scattering.maxCavityProbability}, 4)
            .word(scattering.resonanceSweepKind == ResonanceScanIndex::Energy ? QStringLiteral("E")
                                                                              : QStringLiteral("L"))
            .fixed({scattering.resonanceSweepPeakX, scattering.resonanceSweepPeakT}, 4)
            .word(QString::fromLatin1(stage))
            .text() +
        gridNote);
}

void MainWindow::startCellsCheck(SeparationReading& reading, std::shared_ptr<DrainedRowTransmission> check)
{
    reading.cellsCheck = std::move(check);
    if (reading.checkingCells())
        cellsCheckTimer->start();
}

void MainWindow::advanceCellsCheck()
{
    // One slice of the one check that runs (a reading is taken once per
    // run, and the rebuild drops an unfinished check with its reading); the
    // page shows the verdict once the check has ended.
    for (SeparationReading* reading : {&scattering.legacySeparation, &scattering.resonanceSeparation}) {
        if (!reading->checkingCells())
            continue;
        if (reading->cellsCheck->advance(kCellsCheckSlice)) {
            reading->onTheseCells = reading->cellsCheck->result();
            updateScatteringPanel();
        }
        return;
    }
    cellsCheckTimer->stop();
}

void MainWindow::updateTunnelingDiagnostics()
{
    Ui::MainWindow& form = *ui;
    const bool sceneChecked = form.potentialSceneActiveCheckBox->isChecked();
    if (sceneChecked || form.geometryComboBox->currentIndex() != static_cast<int>(PotentialObjectKind::Barrier)) {
        writeDiagnosticsRow(kTunnelingRegimeRow,
                            sceneChecked ? QStringLiteral("Potential Scene: single-barrier analytic reference disabled")
                                         : QStringLiteral("Select Barrier to enable tunneling analysis"));
        writeDiagnosticsRow(kTunnelingTheoryRow, PanelText::kNotAvailable);
        return;
    }

    const double energyX = packetKineticEnergyX();
    const double height = form.barrierV0SpinBox->value();
    const double width = form.barrierThicknessSpinBox->value();
    const double mass = form.massSpinBox->value();
    const double hbar = solver.parameters().hbar;
    // The plane wave at the packet's mean energy across the barrier as the
    // grid painted it, which is the one the run has; where the grid painted
    // another thickness than the one set, the set one's T beside it.
    const std::vector<PotentialLayer> painted = paintedLegacyBarrier(potential, form);
    const double paintedA = paintedWidth(painted);
    const bool repainted = height != 0.0 && paintedOtherwise(paintedA, width, potential.dx());
    const double transmission = planeWaveT(painted, energyX, mass, hbar);
    // The regime needs no reference: a well is passed above it.
    const bool tunneling = height > energyX;
    writeDiagnosticsRow(
        kTunnelingRegimeRow,
        PanelText(QStringLiteral("%1   Ex=%2   Ekin=%3   V0=%4   Ex/V0=%5   a=%6"))
                .word(tunneling ? QStringLiteral("TUNNELING  Ex < V0") : QStringLiteral("ABOVE BARRIER  Ex >= V0"))
                .fixed({energyX, packetKineticEnergy()}, 4)
                .fixed({height, height > 0.0 ? energyX / height : 0.0, width}, 3)
                .text() +
            (repainted ? PanelText(QStringLiteral(" (painted %1)")).fixed(paintedA, 3).text() : QString()));
    writeDiagnosticsRow(kTunnelingTheoryRow,
                        PanelText(QStringLiteral("T=%1   R=%2")).fixed({transmission, 1.0 - transmission}, 4).text() +
                            (repainted ? PanelText(QStringLiteral("   for the barrier as painted (a=%1, the run's); "
                                                                  "the set a=%2 would give T=%3"))
                                             .fixed({paintedA, width}, 3)
                                             .fixed(planeWaveT({{width, height}}, energyX, mass, hbar), 4)
                                             .text()
                                       : QString()));
}

} // namespace vxo
