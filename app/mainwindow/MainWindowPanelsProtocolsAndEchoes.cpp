#include "app/mainwindow/MainWindow.h"

#include "app/text/DiagnosticsRowLabels.h"
#include "app/form/FormIndices.h"
#include "app/text/PanelText.h"
#include "app/panels/RecorderPanelFigures.h"
#include "experiments/QuantumBerryPhase2D.h"
#include "experiments/QuantumKapitzaDirac2D.h"
#include "experiments/QuantumScar2D.h"
#include "experiments/QuantumZeno2D.h"
#include "ui/MainWindowForm.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>

#include <algorithm>
#include <cmath>

namespace vxo {

namespace {

constexpr double kDegreesPerRadian = 57.29577951308232;

// The inactive branch of a recorder page: the plot drops the recorder and the
// hint goes into the summary; returned for the page's diagnostics row.
template <typename Plot>
QString showHint(Plot* plot, QLabel* label, const QString& hint)
{
    plot->clearRecorder();
    label->setText(hint);
    return hint;
}

// The hint of an inactive recorder page: its three flags and the sample count.
QString recorderStateHint(const char* format, bool enabled, bool configured, std::uint64_t samples)
{
    return PanelText(QLatin1String(format)).flag(enabled).flag(configured).count(samples).text();
}

} // namespace

void MainWindow::updateZenoPanel()
{
    const bool active = preparationType == InitialPreparationType::QuantumZeno &&
                        recorders.zenoRecorder.isConfigured() && !recorders.zenoRecorder.isEmpty();
    if (!active) {
        ui->zenoPlotWidget->reset();
        ui->zenoSummaryLabel->setText(
            withOffLine(OffExperiment::Zeno, QStringLiteral("Load the Quantum Zeno Effect / Watched Escape preset.")));
        return;
    }

    const ZenoConfig& settings = stored.quantumZeno;
    const ZenoSample& last = recorders.zenoRecorder.samples().back();
    const double ratio = last.controlSurvival > 1e-12 ? last.measuredSurvival / last.controlSurvival : 0.0;
    ui->zenoSummaryLabel->setText(
        PanelText(QStringLiteral("measurement dt=%1  (~%2 indicative)   count=%3   next=%4\n"
                                 "control survival=%5   watched cumulative=%6   ratio=%7"
                                 "   conditional YES=%8   norm=%9"))
            .fixed(settings.measurementPeriod, 3)
            .word(indicativeTimeText(settings.measurementPeriod))
            .count(recorders.zenoMeasurementCount)
            .fixed(QuantumZeno2D::measurementTime(settings, recorders.zenoMeasurementCount), 2)
            .fixed({last.controlSurvival, last.measuredSurvival}, 4)
            .fixed(ratio, 2)
            .fixed(last.watchedSurvival, 5)
            .fixed(last.totalNorm, 6)
            .text());
    // The profiles follow the live field, so they are taken anew on every call.
    ui->zenoPlotWidget->setRecorder(&recorders.zenoRecorder, QuantumZeno2D::laneProfiles(psi, settings));
}

void MainWindow::updateScarsPanel()
{
    const ScarConfig& settings = stored.quantumScar;
    const bool active = settings.enabled && recorders.stadiumGeometry.valid && recorders.scarRecorder.isConfigured() &&
                        !recorders.scarRecorder.isEmpty();
    if (!active) {
        showHint(ui->scarPlotWidget, ui->scarSummaryLabel,
                 withOffLine(OffExperiment::Scar,
                             QStringLiteral("Load the Quantum Scars / Chaotic Stadium Billiard preset.")));
        return;
    }

    // The bouncing orbit along the long axis at the packet's classical speed.
    const double px = ui->momentumSpinBox->value();
    const double py = ui->momentumYSpinBox->value();
    const double mass = std::max(static_cast<double>(solver.parameters().mass), 1e-12);
    const double orbitPeriod = QuantumScar2D::axialOrbitPeriod(recorders.stadiumGeometry, std::hypot(px, py) / mass);
    const QString orbitTime = orbitPeriod > 0.0 ? indicativeTimeText(orbitPeriod) : PanelText::kNotAvailable;

    const ScarSample& last = recorders.scarRecorder.samples().back();
    ui->scarSummaryLabel->setText(
        PanelText(QStringLiteral("stadium L=%1   R=%2   Vwall=%3   E filter=%4   band +/- %5\n"
                                 "axial orbit Tclass=%6  (~%7 indicative)   frames=%8   t=%9\n"
                                 "scar enhancement filtered=%10   instantaneous=%11   fidelity=%12"
                                 "   norm=%13"))
            .fixed({recorders.stadiumGeometry.straightLength, recorders.stadiumGeometry.radius}, 2)
            .fixed(recorders.stadiumGeometry.wallHeight, 1)
            .fixed(recorders.scarRecorder.filterEnergy(), 3)
            .fixed(settings.orbitBandHalfWidth, 2)
            .fixed(orbitPeriod, 3)
            .word(orbitTime)
            .count(recorders.scarRecorder.recordCount())
            .fixed(last.time, 2)
            .fixed({last.filteredEnhancement, last.instantaneousEnhancement}, 3)
            .fixed(last.fidelity, 4)
            .fixed(observedDensity().moments().norm, 6) // the tick's density sums, not another pass
            .text());
    ui->scarPlotWidget->setRecorder(&recorders.scarRecorder);
}

void MainWindow::updateBerryPanel()
{
    const BerryConfig& settings = stored.quantumBerry;
    const bool configured = recorders.berryRecorder.isConfigured();
    const auto sampleCount = static_cast<std::uint64_t>(recorders.berryRecorder.samples().size());
    if (!(settings.enabled && recorders.berryTrap.valid && configured && sampleCount > 0)) {
        const QString hint =
            PanelText(QStringLiteral("Berry recorder inactive: enabled=%1  trap=%2  configured=%3  samples=%4  t=%5"
                                     "  prepMode=%6\nLoad Berry Phase / Geometric Phase, keep Dynamics > Berry "
                                     "enabled, then press Play."))
                .flag(settings.enabled)
                .flag(recorders.berryTrap.valid)
                .flag(configured)
                .count(sampleCount)
                .fixed(solver.time(), 3)
                .integer(static_cast<std::int64_t>(preparationType))
                .text();
        writeDiagnosticsRow(kBerryRow, showHint(ui->berryPlotWidget, ui->berrySummaryLabel,
                                                withOffLine(OffExperiment::BerryLoop, hint)));
        return;
    }

    const SplitStepParameters& parameters = solver.parameters();
    const double mass = parameters.mass;
    const double hbar = parameters.hbar;
    const BerrySample& last = recorders.berryRecorder.samples().back();
    // The sample count and time stand first but are filled last, after %1 to %12.
    ui->berrySummaryLabel->setText(
        PanelText(QStringLiteral("samples=%13   t=%14   loop A=%1   winding=%2   progress=%3%   q=(%4,%5)"
                                 "   trap axis=%6 deg\ndoublet gap=%7   adiabatic ratio axis-rate/gap=%8"
                                 "   duration=%9 (~%10 indicative)\nreturn fidelity=%11   geometric "
                                 "phase=%12   expected adiabatic holonomy=180 deg modulo 360 deg"))
            .fixed(settings.anisotropy, 3)
            .integer(settings.winding)
            .fixed(last.progress * 100.0, 1)
            .fixed({last.q1, last.q2}, 3)
            .fixed(last.axisAngle * kDegreesPerRadian, 1)
            .fixed(QuantumBerryPhase2D::gapEnergy(recorders.berryTrap, settings, mass, hbar), 5)
            .general(QuantumBerryPhase2D::adiabaticityRatio(recorders.berryTrap, settings, mass, hbar), 4)
            .fixed(settings.duration, 1)
            .word(indicativeTimeText(settings.duration))
            .fixed(last.returnFidelity, 6)
            .word(berryPhaseText(last))
            .count(sampleCount)
            .fixed(last.time, 3)
            .text() +
        (recorders.berryRecorder.loopClosed()
             ? readingClosedText(QStringLiteral("the loop's end"), last.time, solver.time())
             : QString()));
    writeDiagnosticsRow(kBerryRow, berryRowValue(last));
    ui->berryPlotWidget->setRecorder(&recorders.berryRecorder);
}

void MainWindow::updateLoschmidtPanel()
{
    const LoschmidtConfig& settings = stored.quantumLoschmidt;
    const std::vector<LoschmidtSample>& samples = recorders.loschmidtRecorder.samples();
    const bool configured = recorders.loschmidtRecorder.isConfigured();
    if (!(settings.enabled && configured && !samples.empty())) {
        const QString hint =
            PanelText(QStringLiteral("Loschmidt recorder inactive: enabled=%1  configured=%2  samples=%3  fired=%4\n"
                                     "Load Loschmidt Echo / Quantum Time Reversal and press Play."))
                .flag(settings.enabled)
                .flag(configured)
                .count(samples.size())
                .flag(recorders.loschmidtReversed)
                .text();
        writeDiagnosticsRow(kLoschmidtRow, showHint(ui->loschmidtPlotWidget, ui->loschmidtSummaryLabel,
                                                    withOffLine(OffExperiment::Loschmidt, hint)));
        return;
    }

    const LoschmidtSample& last = samples.back();
    const double reversalTime = settings.reversalTime;
    const QString stage = QLatin1String(loschmidtStage(recorders.loschmidtReversed, last.time, reversalTime));
    QString echo = QStringLiteral("not reached");
    if (last.time >= 2.0 * reversalTime) {
        const LoschmidtSample& atEcho = *recorders.loschmidtRecorder.echoSample();
        echo = PanelText(QStringLiteral("density=%1   coherent=%2"))
                   .fixed({atEcho.densityEcho, atEcho.fidelity}, 6)
                   .text();
    }
    const bool absorbing = ui->boundaryModeComboBox && isSelected(ui->boundaryModeComboBox, BoundaryIndex::Absorbing);
    const QString boundary =
        absorbing ? QStringLiteral("absorbing (exact echo broken)") : QStringLiteral("closed / periodic FFT domain");

    ui->loschmidtSummaryLabel->setText(
        PanelText(QStringLiteral("%1   samples=%2   t=%3   reversal T=%4 (~%5 indicative)   fired=%6\n"
                                 "reversal error Delta p=(%7,%8)   current density echo=%9"
                                 "   coherent echo=%10   norm=%11\necho at 2T: %12   boundary=%13"))
            .word(stage)
            .count(samples.size())
            .fixed({last.time, reversalTime}, 3)
            .word(indicativeTimeText(reversalTime))
            .flag(recorders.loschmidtReversed)
            .fixed({settings.momentumErrorX, settings.momentumErrorY}, 3)
            .fixed({last.densityEcho, last.fidelity, last.norm}, 6)
            .word(echo)
            .word(boundary)
            .text());
    writeDiagnosticsRow(kLoschmidtRow, PanelText(QStringLiteral("%1  density=%2  state=%3"))
                                           .word(stage)
                                           .fixed({last.densityEcho, last.fidelity}, 5)
                                           .text());
    ui->loschmidtPlotWidget->setRecorder(&recorders.loschmidtRecorder);
}

void MainWindow::updateMoshinskyPanel()
{
    const MoshinskyConfig& settings = stored.quantumMoshinsky;
    const std::vector<MoshinskySample>& samples = recorders.moshinskyRecorder.samples();
    const bool configured = recorders.moshinskyRecorder.isConfigured();
    if (!(settings.enabled && configured && !samples.empty())) {
        const QString hint = recorderStateHint("Moshinsky recorder inactive: enabled=%1  configured=%2  samples=%3\n"
                                               "Load Moshinsky Shutter / Diffraction in Time and press Play.",
                                               settings.enabled, configured, samples.size());
        writeDiagnosticsRow(kMoshinskyRow, showHint(ui->moshinskyPlotWidget, ui->moshinskySummaryLabel,
                                                    withOffLine(OffExperiment::Shutter, hint)));
        return;
    }

    const MoshinskySample& last = samples.back();
    const std::uint64_t peaks = temporalPeakCount(samples, settings.openTime);
    ui->moshinskySummaryLabel->setText(
        PanelText(QStringLiteral("%1   samples=%2   t=%3 / %4\ndetector x=%5   I_det=%6   P(x>x_s)=%7"
                                 "   <x>=%8   temporal peaks=%9"))
            .word(last.shutterOpen ? QStringLiteral("OPEN / DIFFRACTING") : QStringLiteral("SHUTTER CLOSED"))
            .count(samples.size())
            .fixed(last.time, 3)
            .fixed({settings.analysisEndTime, settings.detectorX}, 2)
            .fixed(last.detectorDensity, 6)
            .fixed(last.transmittedProbability, 5)
            .fixed(last.meanX, 3)
            .count(peaks)
            .text() +
        windowClosedText(settings.analysisEndTime, last.time));
    writeDiagnosticsRow(kMoshinskyRow, PanelText(QStringLiteral("I=%1  Pfront=%2  peaks=%3"))
                                           .fixed(last.detectorDensity, 5)
                                           .fixed(last.transmittedProbability, 4)
                                           .count(peaks)
                                           .text());
    ui->moshinskyPlotWidget->setRecorder(&recorders.moshinskyRecorder);
}

void MainWindow::updateKapitzaDiracPanel()
{
    const KapitzaDiracConfig& settings = stored.quantumKapitzaDirac;
    const std::vector<KapitzaDiracSample>& samples = recorders.kapitzaDiracRecorder.samples();
    const bool configured = recorders.kapitzaDiracRecorder.isConfigured();
    if (!(settings.enabled && configured && !samples.empty())) {
        const QString hint =
            recorderStateHint("Kapitza-Dirac recorder inactive: enabled=%1  configured=%2  samples=%3\n"
                              "Load Kapitza-Dirac Diffraction / Optical Standing Wave and press Play.",
                              settings.enabled, configured, samples.size());
        writeDiagnosticsRow(kKapitzaDiracRow, showHint(ui->kapitzaDiracPlotWidget, ui->kapitzaDiracSummaryLabel,
                                                       withOffLine(OffExperiment::KapitzaDirac, hint)));
        return;
    }

    const KapitzaDiracSample& last = samples.back();
    const DiffractionOrderSums orders = diffractionOrderSums(last.orderPopulations, settings.maximumOrder);
    ui->kapitzaDiracSummaryLabel->setText(
        PanelText(QStringLiteral("%1   samples=%2   t=%3 / %4\nG=%5   beta=%6   P0=%7   P(+-1)=%8"
                                 "   P(+-2)=%9"))
            .word(QLatin1String(kapitzaDiracStage(last.pulseActive, settings.pulseStartTime, last.time)))
            .count(samples.size())
            .fixed(last.time, 3)
            .fixed(settings.analysisEndTime, 2)
            .fixed(last.gratingMomentum, 5)
            .fixed(QuantumKapitzaDirac2D::pulseArea(settings, recorders.kapitzaDiracRecorder.hbar()), 3)
            .fixed({orders.zero, orders.first, orders.second}, 5)
            .text() +
        windowClosedText(settings.analysisEndTime, last.time));
    writeDiagnosticsRow(kKapitzaDiracRow,
                        PanelText(QStringLiteral("G=%1  P0=%2  P1=%3  P2=%4"))
                            .fixed({last.gratingMomentum, orders.zero, orders.first, orders.second}, 4)
                            .text());
    ui->kapitzaDiracPlotWidget->setRecorder(&recorders.kapitzaDiracRecorder);
}

void MainWindow::updateBackflowPanel()
{
    const BackflowConfig& settings = stored.quantumBackflow;
    const std::vector<BackflowSample>& samples = recorders.backflowRecorder.samples();
    const bool configured = recorders.backflowRecorder.isConfigured();
    if (!(settings.enabled && configured && !samples.empty())) {
        const QString hint = recorderStateHint("Backflow recorder inactive: enabled=%1  configured=%2  samples=%3",
                                               settings.enabled, configured, samples.size());
        writeDiagnosticsRow(kBackflowRow, showHint(ui->backflowPlotWidget, ui->backflowSummaryLabel,
                                                   withOffLine(OffExperiment::Backflow, hint)));
        return;
    }

    const BackflowSample& last = samples.back();
    ui->backflowSummaryLabel->setText(
        PanelText(QStringLiteral("samples=%1   t=%2 / %3   P(p_x>0)=%4\nJ=%5   Jmin=%6   Pleft=%7"
                                 "   backward flux=%8   %9"))
            .count(samples.size())
            .fixed(last.time, 3)
            .fixed(settings.analysisEndTime, 2)
            .fixed(recorders.backflowRecorder.positiveMomentumFraction(), 9)
            .general(last.flux, 6)
            .general(recorders.backflowRecorder.minimumFlux(), 6)
            .fixed(last.probabilityLeft, 6)
            .general(recorders.backflowRecorder.maximumBackwardFlux(), 6)
            .word(QLatin1String(backflowDirection(last.flux)))
            .text() +
        windowClosedText(settings.analysisEndTime, last.time));
    writeDiagnosticsRow(kBackflowRow, PanelText(QStringLiteral("P+%1  Jmin=%2  B=%3"))
                                          .fixed(recorders.backflowRecorder.positiveMomentumFraction(), 6)
                                          .general(recorders.backflowRecorder.minimumFlux(), 5)
                                          .general(recorders.backflowRecorder.maximumBackwardFlux(), 5)
                                          .text());
    ui->backflowPlotWidget->setRecorder(&recorders.backflowRecorder);
}

QString MainWindow::indicativeTimeText(double duration) const { return indicativeDurationText(currentScale, duration); }

QString MainWindow::windowClosedText(double endTime, double readAt) const
{
    const double now = solver.time();
    if (!(now > endTime + 1e-12))
        return {};
    return readingClosedText(QStringLiteral("the end of the analysis window"), readAt, now);
}

} // namespace vxo
