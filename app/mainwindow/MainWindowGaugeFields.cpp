#include "app/mainwindow/MainWindow.h"

#include "ui/MainWindowForm.h"

#include <QLabel>

#include <string>

namespace vxo {

namespace {

// The builder's message in the experiment's failure format, written into its
// summary label when there is one; the text is returned for the status bar.
QString reportBuildFailure(QLabel* summary, const QString& format, const std::string& message)
{
    const QString text = format.arg(QString::fromStdString(message));
    summary->setText(text);
    return text;
}

} // namespace

bool MainWindow::buildAharonovBohmField()
{
    gaugeLinks.aharonovBohmLinksReady = false;
    gaugeLinks.aharonovBohmLinks.clear();
    stored.quantumAharonovBohm = formSettings<AharonovBohmConfig>();
    if (!stored.quantumAharonovBohm.enabled)
        return false;

    std::string message;
    if (!QuantumAharonovBohm2D::buildField(psi, stored.quantumAharonovBohm, potential, gaugeLinks.aharonovBohmLinks,
                                           &message)) {
        noteRebuildFailure(reportBuildFailure(ui->aharonovBohmSummaryLabel,
                                              QStringLiteral("Aharonov-Bohm field build failed: %1"), message));
        return false;
    }
    gaugeLinks.aharonovBohmLinksReady = true;
    // Redraw the potential contours round the new disc at the next refresh,
    // whatever the potential's revision says.
    invalidatePotentialContours();
    return true;
}

bool MainWindow::buildLandauGaugeField()
{
    gaugeLinks.landauLinksReady = false;
    gaugeLinks.landauLinks.clear();
    stored.quantumLandau = formSettings<LandauConfig>();
    if (!stored.quantumLandau.enabled)
        return false;

    std::string message;
    if (!QuantumLandau2D::buildSymmetricGauge(psi, stored.quantumLandau, gaugeLinks.landauLinks, &message)) {
        noteRebuildFailure(
            reportBuildFailure(ui->landauSummaryLabel, QStringLiteral("Landau gauge build failed: %1"), message));
        return false;
    }
    gaugeLinks.landauLinksReady = true;
    return true;
}

bool MainWindow::buildHallEdgeField()
{
    gaugeLinks.hallEdgeLinksReady = false;
    gaugeLinks.hallEdgeLinks.clear();
    stored.quantumHallEdge = formSettings<HallEdgeConfig>();
    if (!stored.quantumHallEdge.enabled)
        return false;

    std::string message;
    if (!QuantumHallEdge2D::buildField(psi, stored.quantumHallEdge, potential, gaugeLinks.hallEdgeLinks, &message)) {
        noteRebuildFailure(
            reportBuildFailure(ui->hallEdgeSummaryLabel, QStringLiteral("Hall edge build failed: %1"), message));
        return false;
    }
    gaugeLinks.hallEdgeLinksReady = true;
    return true;
}

const GaugeLinkField2D* MainWindow::linksInForce() const
{
    // The tick's priority when several are enabled: Hall edge, Landau,
    // Aharonov-Bohm.
    if (stored.quantumHallEdge.enabled && gaugeLinks.hallEdgeLinksReady)
        return &gaugeLinks.hallEdgeLinks;
    if (stored.quantumLandau.enabled && gaugeLinks.landauLinksReady)
        return &gaugeLinks.landauLinks;
    if (stored.quantumAharonovBohm.enabled && gaugeLinks.aharonovBohmLinksReady)
        return &gaugeLinks.aharonovBohmLinks;
    return nullptr;
}

} // namespace vxo
