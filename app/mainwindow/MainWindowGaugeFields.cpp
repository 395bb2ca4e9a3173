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

bool MainWindow::buildGaugeLinks(bool enabled, GaugeLinkField2D& links, bool& ready, QLabel* summary,
                                 const QString& failure,
                                 const std::function<bool(GaugeLinkField2D&, std::string*)>& build)
{
    ready = false;
    links.clear();
    if (!enabled)
        return false;
    std::string message;
    if (!build(links, &message)) {
        noteRebuildFailure(reportBuildFailure(summary, failure, message));
        return false;
    }
    ready = true;
    return true;
}

bool MainWindow::buildAharonovBohmField()
{
    stored.quantumAharonovBohm = formSettings<AharonovBohmConfig>();
    const bool built = buildGaugeLinks(
        stored.quantumAharonovBohm.enabled, gaugeLinks.aharonovBohmLinks, gaugeLinks.aharonovBohmLinksReady,
        ui->aharonovBohmSummaryLabel, QStringLiteral("Aharonov-Bohm field build failed: %1"),
        [this](GaugeLinkField2D& links, std::string* message) {
            const AharonovBohmConfig& config = stored.quantumAharonovBohm;
            KeptAharonovBohmLinks& kept = gaugeLinks.keptAharonovBohm;
            if (kept.fit(psi, config)) {
                if (!QuantumAharonovBohm2D::paintSolenoid(psi, config, potential, message))
                    return false;
                links = kept.links;
                return true;
            }
            if (!QuantumAharonovBohm2D::buildField(psi, config, potential, links, message))
                return false;
            kept.keep(config, links);
            return true;
        });
    // Redraw the potential contours round the new disc at the next refresh,
    // whatever the potential's revision says.
    if (built)
        invalidatePotentialContours();
    return built;
}

bool MainWindow::buildLandauGaugeField()
{
    stored.quantumLandau = formSettings<LandauConfig>();
    return buildGaugeLinks(stored.quantumLandau.enabled, gaugeLinks.landauLinks, gaugeLinks.landauLinksReady,
                           ui->landauSummaryLabel, QStringLiteral("Landau gauge build failed: %1"),
                           [this](GaugeLinkField2D& links, std::string* message) {
                               return QuantumLandau2D::buildSymmetricGauge(psi, stored.quantumLandau, links, message);
                           });
}

bool MainWindow::buildHallEdgeField()
{
    stored.quantumHallEdge = formSettings<HallEdgeConfig>();
    return buildGaugeLinks(stored.quantumHallEdge.enabled, gaugeLinks.hallEdgeLinks, gaugeLinks.hallEdgeLinksReady,
                           ui->hallEdgeSummaryLabel, QStringLiteral("Hall edge build failed: %1"),
                           [this](GaugeLinkField2D& links, std::string* message) {
                               return QuantumHallEdge2D::buildField(psi, stored.quantumHallEdge, potential, links,
                                                                    message);
                           });
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
