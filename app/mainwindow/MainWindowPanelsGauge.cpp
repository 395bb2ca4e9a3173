#include "app/mainwindow/MainWindow.h"

#include "app/panels/RecorderPanelFigures.h"
#include "app/text/DiagnosticsRowLabels.h"
#include "app/text/GridDependenceText.h"
#include "app/text/PanelText.h"
#include "core/Numeric.h"
#include "experiments/QuantumLandau2D.h"
#include "ui/MainWindowForm.h"

#include <QLabel>

#include <cstddef>

namespace vxo {

namespace {

// The inactive branch of a gauge page: the plot lets go of its recorder and
// the label shows which of the four conditions failed (settings enabled,
// field built, recorder configured, sample count). Returns the hint for the
// page's diagnostics row.
template <typename Plot>
QString showGaugeRecorderHint(Plot& plot, QLabel& label, const QString& offLine, const char* format, bool enabled,
                              bool fieldReady, bool configured, std::size_t samples)
{
    plot.clearRecorder();
    QString hint =
        PanelText(QString::fromLatin1(format)).flag(enabled).flag(fieldReady).flag(configured).count(samples).text();
    if (!offLine.isEmpty())
        hint = offLine + QLatin1Char('\n') + hint;
    label.setText(hint);
    return hint;
}

} // namespace

void MainWindow::updateAharonovBohmPanel()
{
    Ui::MainWindow& form = *ui;
    const AharonovBohmConfig& settings = stored.quantumAharonovBohm;
    const std::vector<AharonovBohmSample>& samples = recorders.aharonovBohmRecorder.samples();
    const bool configured = recorders.aharonovBohmRecorder.isConfigured();
    if (!settings.enabled || !gaugeLinks.aharonovBohmLinksReady || !configured || samples.empty()) {
        writeDiagnosticsRow(kAharonovBohmRow,
                            showGaugeRecorderHint(*form.aharonovBohmPlotWidget, *form.aharonovBohmSummaryLabel,
                                                  offLine(OffExperiment::AharonovBohm),
                                                  "Aharonov-Bohm recorder inactive: enabled=%1  fields=%2  "
                                                  "configured=%3  samples=%4\nLoad Aharonov-Bohm Effect / "
                                                  "Magnetic Flux, Reset and press Play.",
                                                  settings.enabled, gaugeLinks.aharonovBohmLinksReady, configured,
                                                  samples.size()));
        return;
    }

    const AharonovBohmSample& last = samples.back();
    const DetectorPassage passage = detectorPassagePeak(samples);
    // A flux of one quantum turns the relative phase of the two paths once.
    const double phaseDegrees = 360.0 * settings.fluxQuanta;
    // The passage depends on the cells: the class is told by how much.
    const double hbar = static_cast<double>(solver.parameters().hbar);
    const double lag = magneticStepSpeedLag(form.momentumSpinBox->value() / hbar, form.momentumYSpinBox->value() / hbar,
                                            static_cast<double>(psi.dx()), static_cast<double>(psi.dy()));
    form.aharonovBohmSummaryLabel->setText(
        PanelText(QStringLiteral("samples=%1   t=%2 / %3   Phi/Phi0=%4   AB phase=%5 deg\n"
                                 "detector line=%6   center fringe=%7   <y>det=%8   norm=%9\n%10"))
            .count(samples.size())
            .fixed(last.time, 3)
            .fixed(settings.analysisEndTime, 2)
            .fixed(settings.fluxQuanta, 3)
            .fixed(phaseDegrees, 1)
            .general(passage.detectorProbability, 6)
            .general(passage.centralProbability, 6)
            .general(passage.detectorMeanY, 5)
            .fixed(last.norm, 6)
            .word(gridDependenceText(
                psi.dx(), psi.dy(),
                PanelText(QStringLiteral("the packet moves %1% slower than p/m")).fixed(100.0 * lag, 1).text(),
                QStringLiteral("it passes sooner")))
            .text() +
        windowClosedText(settings.analysisEndTime, last.time));
    writeDiagnosticsRow(kAharonovBohmRow, PanelText(QStringLiteral("Phi/Phi0=%1, phase=%2 deg, center=%3"))
                                              .fixed(settings.fluxQuanta, 3)
                                              .fixed(phaseDegrees, 1)
                                              .general(passage.centralProbability, 5)
                                              .text());
    form.aharonovBohmPlotWidget->setRecorder(&recorders.aharonovBohmRecorder);
}

void MainWindow::updateLandauPanel()
{
    Ui::MainWindow& form = *ui;
    const LandauConfig& settings = stored.quantumLandau;
    const std::vector<LandauSample>& samples = recorders.landauRecorder.samples();
    const bool configured = recorders.landauRecorder.isConfigured();
    if (!settings.enabled || !gaugeLinks.landauLinksReady || !configured || samples.empty()) {
        writeDiagnosticsRow(
            kLandauRow,
            showGaugeRecorderHint(*form.landauPlotWidget, *form.landauSummaryLabel, offLine(OffExperiment::Landau),
                                  "Landau recorder inactive: enabled=%1  gauge=%2  configured=%3  "
                                  "samples=%4",
                                  settings.enabled, gaugeLinks.landauLinksReady, configured, samples.size()));
        return;
    }

    const LandauSample& last = samples.back();
    // The recorder's mass and hbar: the references belong to the run it records.
    const double omegaC =
        QuantumLandau2D::cyclotronFrequency(settings, recorders.landauRecorder.mass(), recorders.landauRecorder.hbar());
    const double levelEnergy =
        QuantumLandau2D::levelEnergy(settings, recorders.landauRecorder.mass(), recorders.landauRecorder.hbar());
    // F is read at the packet's return after one cyclotron period, not on
    // the steep flank of the fidelity wherever the run stands.
    const FidelityReturn back =
        omegaC > 0.0 ? returnFidelity(samples, 2.0 * kPi / omegaC) : FidelityReturn{last.fidelity, last.time, false};
    const double fidelity = back.fidelity;
    const bool cyclotron = settings.preparationMode == LandauConfig::kCyclotronPacket;
    const QString mode = cyclotron ? QStringLiteral("cyclotron")
                                   : PanelText(QStringLiteral("Landau n=%1")).count(settings.landauIndex).text();
    // The time of the packet's return, once seen: a stationary state has none.
    const QString returnTime =
        cyclotron && back.seen ? PanelText(QStringLiteral(" at t=%1")).fixed(back.time, 2).text() : QString();
    form.landauSummaryLabel->setText(
        PanelText(QStringLiteral("%1   samples=%2   t=%3 / %4   omega_c=%5   lB=%6\n"
                                 "<x,y>=(%7,%8)   E=%9   E_n=%10   fidelity=%11%12   norm=%13"))
            .word(mode)
            .count(samples.size())
            .fixed(last.time, 3)
            .fixed(settings.analysisEndTime, 2)
            .fixed(omegaC, 5)
            .fixed(QuantumLandau2D::magneticLength(settings), 4)
            .fixed({last.meanX, last.meanY}, 3)
            .fixed({last.energy, levelEnergy, fidelity}, 6)
            .word(returnTime)
            .fixed(last.norm, 6)
            .text() +
        windowClosedText(settings.analysisEndTime, last.time));
    writeDiagnosticsRow(kLandauRow, PanelText(QStringLiteral("b=%1  omega=%2  E=%3  F=%4"))
                                        .fixed(settings.fieldStrength, 3)
                                        .fixed(omegaC, 4)
                                        .fixed({last.energy, fidelity}, 5)
                                        .text());
    form.landauPlotWidget->setRecorder(&recorders.landauRecorder);
}

void MainWindow::updateHallEdgePanel()
{
    Ui::MainWindow& form = *ui;
    const HallEdgeConfig& settings = stored.quantumHallEdge;
    const std::vector<HallEdgeSample>& samples = recorders.hallEdgeRecorder.samples();
    const bool configured = recorders.hallEdgeRecorder.isConfigured();
    if (!settings.enabled || !gaugeLinks.hallEdgeLinksReady || !configured || samples.empty()) {
        writeDiagnosticsRow(kHallEdgeRow, showGaugeRecorderHint(*form.hallEdgePlotWidget, *form.hallEdgeSummaryLabel,
                                                                offLine(OffExperiment::HallEdge),
                                                                "Hall edge recorder inactive: enabled=%1  fields=%2  "
                                                                "configured=%3  samples=%4",
                                                                settings.enabled, gaugeLinks.hallEdgeLinksReady,
                                                                configured, samples.size()));
        return;
    }

    const HallEdgeSample& last = samples.back();
    // The cyclotron frequency depends on the field alone, so the Landau
    // formula serves the edge experiment with the solver's mass and hbar.
    LandauConfig field;
    field.fieldStrength = settings.fieldStrength;
    const SplitStepParameters& parameters = solver.parameters();
    const double omegaC = QuantumLandau2D::cyclotronFrequency(field, parameters.mass, parameters.hbar);
    // Skipping orbits run along the wall in the direction the sign of b picks.
    const QString chirality = settings.fieldStrength >= 0.0 ? QStringLiteral("+X") : QStringLiteral("-X");
    form.hallEdgeSummaryLabel->setText(
        PanelText(QStringLiteral("samples=%1   t=%2 / %3   b=%4   omega_c=%5   chirality=%6\n"
                                 "<x,y>=(%7,%8)   drift=%9   P(edge)=%10   norm=%11"))
            .count(samples.size())
            .fixed(last.time, 3)
            .fixed(settings.analysisEndTime, 2)
            .fixed(settings.fieldStrength, 3)
            .fixed(omegaC, 5)
            .word(chirality)
            .fixed({last.meanX, last.meanY, last.drift}, 3)
            .fixed(last.edgeProbability, 4)
            .fixed(last.norm, 6)
            .text() +
        windowClosedText(settings.analysisEndTime, last.time));
    writeDiagnosticsRow(kHallEdgeRow, PanelText(QStringLiteral("%1 drift=%2  Pedge=%3"))
                                          .word(chirality)
                                          .fixed({last.drift, last.edgeProbability}, 3)
                                          .text());
    form.hallEdgePlotWidget->setRecorder(&recorders.hallEdgeRecorder);
}

} // namespace vxo
