#include "app/mainwindow/MainWindow.h"

#include "app/text/DiagnosticsRowLabels.h"
#include "app/panels/KleinReferencePages.h"
#include "app/text/PanelText.h"
#include "ui/MainWindowForm.h"

#include <QLabel>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vxo {

namespace {

QString latin1(const char* text) { return QString::fromLatin1(text); }

// A reference page without a curve: the plot emptied, the hint or the reason
// in the summary.
template <typename Plot>
void clearReferencePage(Plot& plot, QLabel& summary, const QString& text)
{
    plot.reset();
    summary.setText(text);
}
template <typename Plot>
void clearReferencePage(Plot& plot, QLabel& summary, const char* text)
{
    clearReferencePage(plot, summary, latin1(text));
}

// Why the massless page has no comparison. At V0 = E the wave inside the
// barrier has no energy left: its spinor ratio c q / (E - V0 + mc^2) is 0/0
// for the massless wave, and the plane-wave reference is undefined there.
// Below the control's rest energy no massive particle of the same E exists.
QString masslessComparisonUnavailable(const KleinTunnelingConfig& settings)
{
    const double energy = QuantumKleinTunneling2D::energy(settings);
    const double c = settings.lightSpeed;
    const double controlRest = kKleinReferenceControlMass * c * c;
    const QString heading = QStringLiteral("Massless Dirac fixed-energy comparison unavailable");
    if (std::abs(energy - settings.barrierHeight) <= 1e-9 * std::max(energy, 1.0))
        return heading + PanelText(QStringLiteral(" at V0 = E = %1: inside the barrier the wave has no energy left "
                                                  "(E - V0 = 0), where the plane-wave reference is 0/0. Move V0 "
                                                  "off E."))
                             .fixed(energy, 4)
                             .text();
    if (energy <= controlRest)
        return heading + PanelText(QStringLiteral(": no particle of the control's mass m=%1 has E=%2, below its rest "
                                                  "energy mc^2=%3."))
                             .fixed(kKleinReferenceControlMass, 2)
                             .fixed({energy, controlRest}, 4)
                             .text();
    return heading + QStringLiteral(".");
}

// "Dirac/... recorder inactive" hints: the settings' enabled flag, the
// recorder's configured flag and its sample count.
template <typename Recorder>
QString recorderHint(const char* format, bool enabled, const Recorder& recorder)
{
    return PanelText(latin1(format))
        .flag(enabled)
        .flag(recorder.isConfigured())
        .count(recorder.samples().size())
        .text();
}

// From the time the recorder marked, what may have wrapped round the
// periodic box: the page says that the window outgrew the box, which figures
// it no longer gives, and over which span the fit's figures were read. The
// bound on what crossed counts every pass of the density over the far seam,
// so past the whole packet it only says that all of it may have.
QString zitterbewegungWrapText(const DiracZitterbewegungRecorder& recorder)
{
    if (!recorder.pastValidity())
        return {};
    const double bound = recorder.wrappedShareBound();
    const QString share = bound < 1.0 ? PanelText(latin1("up to %1% of it")).fixed(100.0 * bound, 3).text()
                                      : latin1("all of it");
    // Up to the mark the wrap could move <x> by less than the marked shift.
    return PanelText(latin1("\nWINDOW PAST ITS VALIDITY: from t=%1 the packet's two ends meet across the periodic "
                            "box (by t=%2 %3 may have wrapped round): <x> and detrendedX not given; the fit is that "
                            "of t <= %4, where <x> is off by at most %5"))
        .fixed({recorder.wrapMarkTime(), recorder.samples().back().time}, 2)
        .word(share)
        .fixed(std::max(recorder.readingEndTime(), 0.0), 2)
        .fixed(recorder.markedCentroidShift(), 4)
        .text();
}

// A figure of the fit, and past the box's validity the span it was read over.
QString fitFigure(const DiracZitterbewegungRecorder& recorder, double value, int decimals)
{
    const QString figure = PanelText::fixedText(value, decimals);
    if (!recorder.pastValidity())
        return figure;
    return PanelText(latin1("%1 (t<=%2)")).word(figure).fixed(std::max(recorder.readingEndTime(), 0.0), 2).text();
}

} // namespace

double MainWindow::kleinPacketMaximum() const
{
    return recorders.kleinRecorder.isConfigured() ? recorders.kleinRecorder.maxRightProbability() : -1.0;
}

void MainWindow::updateZitterbewegungPanel()
{
    const ZitterbewegungConfig& settings = stored.quantumZitterbewegung;
    const DiracZitterbewegungRecorder& recorder = recorders.zitterbewegungRecorder;
    if (!settings.enabled || !recorder.isConfigured() || recorder.samples().empty()) {
        ui->zitterPlotWidget->clearRecorder();
        const QString hint =
            withOffLine(OffExperiment::Zitterbewegung,
                        recorderHint("Dirac/ZB recorder inactive: enabled=%1  configured=%2  samples=%3",
                                     settings.enabled, recorder));
        ui->zitterSummaryLabel->setText(hint);
        writeDiagnosticsRow(kZitterbewegungRow, hint);
        return;
    }

    const double hbar = static_cast<double>(solver.parameters().hbar);
    const double omega = QuantumZitterbewegung2D::angularFrequency(settings, hbar);
    const double period = QuantumZitterbewegung2D::period(settings, hbar);
    const ZitterbewegungSample& last = recorder.samples().back();
    const QString preparation = settings.preparationMode != ZitterbewegungConfig::kMixedBranches
                                    ? latin1("positive-energy control")
                                    : latin1("mixed +/- energy");
    // Past the box's validity the figures of the fit are those read before
    // the wrap, and those of the last sample are not given (the tail says why).
    const bool wrapped = recorder.pastValidity();
    const QString summary = PanelText(latin1("%1   samples=%2   t=%3 / %4\n"
                                             "P+=%5   P-=%6   omega_ZB=%7   T_ZB=%8\n"
                                             "<x>=%9   <vx>=%10   detrendedX=%11   max|detrendedX|=%12   norm=%13\n"
                                             "fit vx=%14   central-p estimate=%15"))
                                .word(preparation)
                                .count(recorder.samples().size())
                                .fixed(last.time, 3)
                                .fixed(settings.analysisEndTime, 2)
                                .fixed({recorder.positiveEnergyWeight(), recorder.negativeEnergyWeight()}, 6)
                                .fixed({omega, period}, 5)
                                .fixedOr(!wrapped, last.meanX, 4, PanelText::kNotAvailable)
                                .fixed(last.velocityX, 5)
                                .fixedOr(!wrapped, last.detrendedX, 5, PanelText::kNotAvailable)
                                .word(fitFigure(recorder, recorder.maxAbsDetrendedX(), 5))
                                .fixed(last.norm, 7)
                                .word(fitFigure(recorder, recorder.fittedDriftVelocityX(), 6))
                                .fixed(QuantumZitterbewegung2D::predictedDriftVelocityX(settings), 6)
                                .text() +
                            zitterbewegungWrapText(recorder) +
                            windowClosedText(settings.analysisEndTime, last.time);
    ui->zitterSummaryLabel->setText(summary);
    writeDiagnosticsRow(kZitterbewegungRow,
                        PanelText(latin1("P-=%1  omega=%2  maxR=%3"))
                                .fixed({recorder.negativeEnergyWeight(), omega, recorder.maxAbsDetrendedX()}, 4)
                                .text() +
                            (wrapped ? PanelText(latin1(" (t<=%1, then the packet wraps round the box)"))
                                           .fixed(std::max(recorder.readingEndTime(), 0.0), 2)
                                           .text()
                                     : QString()));
    ui->zitterPlotWidget->setRecorder(&recorder);
}

void MainWindow::updateKleinPanel()
{
    const KleinTunnelingConfig& settings = stored.quantumKleinTunneling;
    const DiracKleinRecorder& recorder = recorders.kleinRecorder;
    if (!settings.enabled || !recorder.isConfigured() || recorder.samples().empty()) {
        ui->kleinPlotWidget->clearRecorder();
        const QString hint =
            withOffLine(OffExperiment::Klein, recorderHint("Dirac/Klein recorder inactive: enabled=%1 configured=%2 "
                                                           "samples=%3",
                                                           settings.enabled, recorder));
        ui->kleinSummaryLabel->setText(hint);
        writeDiagnosticsRow(kKleinRow, hint);
        return;
    }

    const double energy = QuantumKleinTunneling2D::energy(settings);
    const double angle = QuantumKleinTunneling2D::incidenceAngleDegrees(settings);
    const std::int32_t regime = QuantumKleinTunneling2D::regime(settings);
    const QString regimeText = latin1(QuantumKleinTunneling2D::regimeName(regime));
    const KleinSample& last = recorder.samples().back();
    const QString summary =
        PanelText(latin1("|p|=%1  E=%2  V0=%3  V0/E=%4  angle=%5 deg  regime=%6  Klein zone=%7\n"
                         "E-V0=%8  kx_inside^2=%9  normal thresholds: E-mc^2=%10  E+mc^2=%11\n"
                         "t=%12/%13  Pleft=%14  Pbarrier=%15  Pright=%16  max Pright=%17  detector flux int=%18  "
                         "norm=%19"))
            .fixed({QuantumKleinTunneling2D::momentumMagnitude(settings), energy}, 5)
            .fixed(settings.barrierHeight, 4)
            .fixed(settings.barrierHeight / energy, 3)
            .fixed(angle, 2)
            .word(regimeText)
            .word(regime == kKleinRegimeSupercritical ? latin1("YES") : latin1("no"))
            .fixed({QuantumKleinTunneling2D::energyAboveBarrier(settings),
                    QuantumKleinTunneling2D::barrierMomentumXSquared(settings),
                    QuantumKleinTunneling2D::lowerThreshold(settings),
                    QuantumKleinTunneling2D::kleinThreshold(settings)},
                   5)
            .fixed(last.time, 3)
            .fixed(settings.analysisEndTime, 2)
            .fixed({last.leftProbability, last.barrierProbability, last.rightProbability,
                    recorder.maxRightProbability(), recorder.integratedDetectorFlux()},
                   5)
            .fixed(last.norm, 7)
            .text() +
        windowClosedText(settings.analysisEndTime, last.time);
    ui->kleinSummaryLabel->setText(summary);
    writeDiagnosticsRow(kKleinRow, PanelText(latin1("%1  V0=%2 angle=%3 T~%4"))
                                       .word(regimeText)
                                       .fixed(settings.barrierHeight, 2)
                                       .fixed(angle, 1)
                                       .fixed(recorder.maxRightProbability(), 3)
                                       .text());
    ui->kleinPlotWidget->setRecorder(&recorder);
}

void MainWindow::updateKleinAngleScanPanel()
{
    auto& plot = *ui->kleinAngleScanPlotWidget;
    QLabel& summary = *ui->kleinAngleScanSummaryLabel;
    const KleinTunnelingConfig& settings = stored.quantumKleinTunneling;
    if (!settings.enabled)
        return clearReferencePage(plot, summary, "Load the Klein Transmission vs Incidence Angle preset.");
    const double hbar = static_cast<double>(diracSolver.parameters().hbar);
    const KleinAngleScan scan = buildKleinAngleReference(settings, hbar);
    if (!scan.valid || scan.points.empty())
        return clearReferencePage(plot, summary, "Klein angular reference unavailable.");

    const double marker = kleinReferenceMarkerAngle(settings);
    // An invalid reference carries T = R = 0, which the summary shows as such.
    const KleinAngleScanPoint point = kleinBarrierReference(settings, marker, hbar);
    const double packet = kleinPacketMaximum();
    summary.setText(PanelText(latin1("Fixed |p|=%1  E=%2  V0=%3  width=%4\n"
                                     "current angle=%5 deg  plane-wave T=%6  R=%7  packet max P_right=%8\n"
                                     "cyan curve: stationary square-barrier reference; red point: finite 2D "
                                     "time-domain packet"))
                        .fixed({scan.momentumMagnitude, scan.energy}, 5)
                        .fixed(scan.barrierHeight, 4)
                        .fixed(scan.barrierWidth, 3)
                        .fixed(QuantumKleinTunneling2D::incidenceAngleDegrees(settings), 2)
                        .fixed({point.transmission, point.reflection}, 5)
                        .fixedOr(packet >= 0.0, packet, 5, PanelText::kNoValue)
                        .text());
    plot.setScan(scan, marker, packet);
}

void MainWindow::updateKleinHeightScanPanel()
{
    auto& plot = *ui->kleinHeightScanPlotWidget;
    QLabel& summary = *ui->kleinHeightScanSummaryLabel;
    const KleinTunnelingConfig& settings = stored.quantumKleinTunneling;
    if (!settings.enabled)
        return clearReferencePage(plot, summary, "Load the Klein Transmission vs Barrier Height preset.");
    const double hbar = static_cast<double>(diracSolver.parameters().hbar);
    const KleinHeightScan scan = buildKleinHeightReference(settings, hbar);
    if (!scan.valid || scan.points.empty())
        return clearReferencePage(plot, summary, "Klein barrier-height reference unavailable.");

    const KleinHeightScanPoint point = kleinHeightScanPoint(settings, settings.barrierHeight, hbar);
    const double packet = kleinPacketMaximum();
    summary.setText(PanelText(latin1("Fixed |p|=%1  E=%2  angle=%3 deg  width=%4\n"
                                     "thresholds: E-mc^2=%5  E+mc^2=%6   current V0=%7  regime=%8\n"
                                     "plane-wave T=%9  R=%10  packet max P_right=%11"))
                        .fixed({scan.momentumMagnitude, scan.energy}, 5)
                        .fixed(scan.incidenceAngleDegrees, 2)
                        .fixed(scan.barrierWidth, 3)
                        .fixed({scan.lowerThreshold, scan.kleinThreshold}, 5)
                        .fixed(settings.barrierHeight, 4)
                        .word(latin1(QuantumKleinTunneling2D::regimeName(point.regime)))
                        .fixedOr(point.valid, point.transmission, 5, PanelText::kNoValue)
                        .fixedOr(point.valid, point.reflection, 5, PanelText::kNoValue)
                        .fixedOr(packet >= 0.0, packet, 5, PanelText::kNoValue)
                        .text());
    plot.setScan(scan, settings.barrierHeight, packet);
}

void MainWindow::updateKleinMassScanPanel()
{
    auto& plot = *ui->kleinMassScanPlotWidget;
    QLabel& summary = *ui->kleinMassScanSummaryLabel;
    const KleinTunnelingConfig& settings = stored.quantumKleinTunneling;
    if (!settings.enabled)
        return clearReferencePage(plot, summary, "Load the Klein Transmission vs Mass preset.");
    if (!(kleinMassReferenceLastMass(settings) > kKleinReferenceFirstMass))
        return clearReferencePage(plot, summary, "Klein mass reference unavailable: no kinematic scan interval.");
    const double hbar = static_cast<double>(diracSolver.parameters().hbar);
    const KleinMassScan scan = buildKleinMassReference(settings, hbar);
    if (!scan.valid || scan.points.empty())
        return clearReferencePage(plot, summary, "Klein mass reference unavailable.");

    const KleinMassScanPoint point = kleinMassScanPoint(settings, settings.restMass, hbar);
    const double packet = kleinPacketMaximum();
    summary.setText(
        PanelText(latin1("Fixed total E=%1  angle=%2 deg  V0=%3  width=%4\n"
                         "current m=%5  gap=2mc^2=%6  adjusted |p|=%7  regime=%8\n"
                         "normal-incidence transition m*=%9  kinematic m<E/c^2=%10\n"
                         "plane-wave T=%11  R=%12  packet max P_right=%13"))
            .fixed(scan.energy, 6)
            .fixed(scan.incidenceAngleDegrees, 2)
            .fixed(scan.barrierHeight, 4)
            .fixed(scan.barrierWidth, 3)
            .fixed(settings.restMass, 4)
            .fixedOr(point.valid, point.gap, 5, PanelText::kNoValue)
            .fixedOr(point.valid, point.momentumMagnitude, 5, PanelText::kNoValue)
            .word(point.valid ? latin1(QuantumKleinTunneling2D::regimeName(point.regime)) : PanelText::kNoValue)
            .fixed({scan.transitionMass, scan.maximumMass}, 5)
            .fixedOr(point.valid, point.transmission, 6, PanelText::kNoValue)
            .fixedOr(point.valid, point.reflection, 6, PanelText::kNoValue)
            .fixedOr(packet >= 0.0, packet, 6, PanelText::kNoValue)
            .text());
    plot.setScan(scan, settings.restMass, packet);
}

void MainWindow::updateDiracMasslessPanel()
{
    auto& plot = *ui->diracMasslessPlotWidget;
    QLabel& summary = *ui->diracMasslessSummaryLabel;
    const KleinTunnelingConfig& settings = stored.quantumKleinTunneling;
    if (!settings.enabled)
        return clearReferencePage(plot, summary, "Load the Massless Dirac / Graphene-like Klein Analogue preset.");
    const double hbar = static_cast<double>(diracSolver.parameters().hbar);
    const DiracMasslessComparison scan = buildDiracMasslessReference(settings, hbar);
    if (!scan.valid || scan.points.empty()) {
        // The preset is loaded: the plot says there is nothing to draw, not to load it.
        clearReferencePage(plot, summary, masslessComparisonUnavailable(settings));
        return plot.setEmptyReason(QStringLiteral("No comparison to draw: the summary above says why."));
    }

    const double marker = kleinMasslessMarkerAngle(settings);
    const DiracMasslessComparisonPoint point =
        diracMasslessComparisonPoint(settings, kKleinReferenceControlMass, marker, hbar);
    const DiracMasslessComparisonPoint& normal = scan.points.front();
    // Only a massless packet is a time-domain counterpart of the m = 0 curve.
    const double packet = std::fabs(settings.restMass) <= 1e-12 ? kleinPacketMaximum() : -1.0;
    const double c = settings.lightSpeed;
    summary.setText(PanelText(latin1("EXACT massless reference m=0   fixed E=%1   V0=%2   width=%3\n"
                                     "same-E control m=%4   p0=%5   p_massive=%6   mc^2/E(control)=%7\n"
                                     "normal incidence: T(m=0)=%8   T(m=%9)=%10\n"
                                     "current angle=%11 deg   T_massless=%12   T_massive=%13   packet max P_right=%14"))
                        .fixed(scan.energy, 6)
                        .fixed(scan.barrierHeight, 4)
                        .fixed({scan.barrierWidth, scan.massiveRestMass}, 3)
                        .fixed({scan.masslessMomentum, scan.massiveMomentum}, 6)
                        .fixed(kKleinReferenceControlMass * c * c / scan.energy, 4)
                        .fixedOr(normal.valid, normal.masslessTransmission, 6, PanelText::kNoValue)
                        .fixed(scan.massiveRestMass, 2)
                        .fixedOr(normal.valid, normal.massiveTransmission, 6, PanelText::kNoValue)
                        .fixed(kleinReferenceMarkerAngle(settings), 2)
                        .fixedOr(point.valid, point.masslessTransmission, 6, PanelText::kNoValue)
                        .fixedOr(point.valid, point.massiveTransmission, 6, PanelText::kNoValue)
                        .fixedOr(packet >= 0.0, packet, 6, PanelText::kNoValue)
                        .text());
    plot.setScan(scan, marker, packet);
}

} // namespace vxo
