#include "app/mainwindow/MainWindow.h"

#include "app/text/DiagnosticsRowLabels.h"
#include "app/form/FormIndices.h"
#include "app/text/GridDependenceText.h"
#include "app/text/PanelText.h"
#include "core/KineticEnergy.h"
#include "core/Numeric.h"
#include "core/RegionProbabilities.h"
#include "core/SquareBarrier1D.h"
#include "experiments/CavityLeak.h"
#include "experiments/PacketAverage.h"
#include "experiments/PaintedLayers.h"
#include "experiments/QuantumResonance2D.h"
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
#include <optional>
#include <stdexcept>
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
// The painted barrier pair is read over this many cells beyond its outer
// faces, wide enough for any rule that paints a face into its neighbour cell.
constexpr double kPaintedMarginCells = 4.0;

// The plane-wave square-barrier reference, or none for a barrier the formula
// refuses: a document or an inspected scene object can put a well (a negative
// height) on the Barrier page, and the panels then say that no reference
// exists instead of failing the rebuild and every later refresh.
std::optional<SquareBarrier1D> squareBarrierReference(double energy, double height, double width, double mass,
                                                      double hbar)
{
    try {
        return SquareBarrier1D::compute(energy, height, width, mass, hbar);
    } catch (const std::invalid_argument&) {
        return std::nullopt;
    }
}

// The square-barrier reference of the form's barrier for the packet the form
// prepares: T averaged over its momenta along x (a plane wave at the mean
// energy misses the packet's measured T by a few hundredths), R = 1 - T.
std::optional<SquareBarrier1D> packetBarrierReference(const Ui::MainWindow& form, double hbar)
{
    const double mass = form.massSpinBox->value();
    const double height = form.barrierV0SpinBox->value();
    const double width = form.barrierThicknessSpinBox->value();
    const double momentum = form.momentumSpinBox->value();
    std::optional<SquareBarrier1D> reference =
        squareBarrierReference(kineticEnergy1D(momentum, mass), height, width, mass, hbar);
    if (!reference)
        return reference;
    reference->transmission = packetAveragedTransmission(
        [&](double e) { return SquareBarrier1D::compute(e, height, width, mass, hbar).transmission; }, momentum,
        gaussianMomentumSpread(form.sigmaSpinBox->value(), hbar), mass);
    reference->reflection = 1.0 - reference->transmission;
    return reference;
}

// The reading at separation against the plane-wave reference ("n/a" where
// there is none), with the time it was taken: "P_R=%1   P_T=%2   <inside>=%3
// <reference>=%4   deltaT=%5   read at t=%6".
QString separatedReadingText(const char* format, const SeparationReading& reading, std::optional<double> reference)
{
    return PanelText(QString::fromLatin1(format))
        .fixed({reading.reflected, reading.transmitted, reading.inside}, 4)
        .fixedOr(reference.has_value(), reference.value_or(0.0), 4, PanelText::kNotAvailable)
        .fixedOr(reference.has_value(), reading.transmitted - reference.value_or(0.0), 4, PanelText::kNotAvailable)
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
    const double halfWidth = std::max(0.5 * form.barrierThicknessSpinBox->value() + 0.36, 0.6);
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
        const std::optional<SquareBarrier1D> reference = packetBarrierReference(form, solver.parameters().hbar);
        writeDiagnosticsRow(kScatteringStateRow, QStringLiteral("SEPARATED / MEASUREMENT VALID"));
        writeDiagnosticsRow(
            kScatteringProbabilitiesRow,
            separatedReadingText("P_R=%1   P_T=%2   P_int=%3   theory T=%4   deltaT=%5   read at t=%6",
                                 scattering.legacySeparation,
                                 reference ? std::optional<double>(reference->transmission) : std::nullopt));
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
    const auto packetT = [&](const std::vector<PotentialLayer>& layers, double p0) {
        return packetAveragedTransmission(
            [&](double e) { return QuantumResonance2D::layeredTransmission(e, layers, mass, hbar); }, p0, spread, mass);
    };
    const auto planeWaveT = [&](const std::vector<PotentialLayer>& layers) {
        return QuantumResonance2D::layeredTransmission(energyX, layers, mass, hbar);
    };
    const double doubleT = packetT(painted, momentum);
    const double planeWaveDoubleT = planeWaveT(painted);
    const double singleT1 = planeWaveT(paintedPair.before);
    const double singleT2 = planeWaveT(paintedPair.after);
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
    writeDiagnosticsRow(
        kResonanceRow,
        PanelText(QStringLiteral("V1=%1 a1=%2   L=%3   V2=%4 a2=%5")).fixed({v1, a1, cavity, v2, a2}, 3).text());
    writeDiagnosticsRow(kResonanceReferenceRow,
                        PanelText(QStringLiteral("Pcav=%1  max=%2   T1D=%3"))
                            .fixed({regions.cavityFraction, scattering.maxCavityProbability, doubleT}, 4)
                            .text());

    const char* stage = "before collision";
    if (scattering.resonancePacketSeparated) {
        stage = "SEPARATED";
        writeDiagnosticsRow(kScatteringStateRow, QStringLiteral("DOUBLE BARRIER: SEPARATED / MEASUREMENT VALID"));
        writeDiagnosticsRow(kScatteringProbabilitiesRow,
                            separatedReadingText("P_R=%1   P_T=%2   P_cav=%3   T1D=%4   deltaT=%5   read at t=%6",
                                                 scattering.resonanceSeparation, doubleT));
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

    form.resonanceSummaryLabel->setText(
        PanelText(QStringLiteral("Ex=%1 | single T1=%2 T2=%3 | double T1D=%4 | L=%5 | P_cav=%6 (max %7) | "
                                 "sweep peak: %8=%9, T=%10 | %11"))
            .fixed({energyX, singleT1, singleT2, planeWaveDoubleT}, 4)
            .fixed(cavity, 3)
            .fixed({regions.cavityFraction, scattering.maxCavityProbability}, 4)
            .word(scattering.resonanceSweepKind == ResonanceScanIndex::Energy ? QStringLiteral("E")
                                                                              : QStringLiteral("L"))
            .fixed({scattering.resonanceSweepPeakX, scattering.resonanceSweepPeakT}, 4)
            .word(QString::fromLatin1(stage))
            .text());
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
    const std::optional<SquareBarrier1D> barrier =
        squareBarrierReference(energyX, height, width, form.massSpinBox->value(), solver.parameters().hbar);
    // The regime needs no reference: a well is passed above it.
    const bool tunneling = height > energyX;
    writeDiagnosticsRow(kTunnelingRegimeRow, PanelText(QStringLiteral("%1   Ex=%2   Ekin=%3   V0=%4   Ex/V0=%5   a=%6"))
                                                 .word(tunneling ? QStringLiteral("TUNNELING  Ex < V0")
                                                                 : QStringLiteral("ABOVE BARRIER  Ex >= V0"))
                                                 .fixed({energyX, packetKineticEnergy()}, 4)
                                                 .fixed({height, height > 0.0 ? energyX / height : 0.0, width}, 3)
                                                 .text());
    writeDiagnosticsRow(
        kTunnelingTheoryRow,
        barrier ? PanelText(QStringLiteral("T=%1   R=%2")).fixed({barrier->transmission, barrier->reflection}, 4).text()
                : QStringLiteral("T=n/a   R=n/a   square-barrier reference unavailable"));
}

} // namespace vxo
